// The grid's middle-button panning, wheel steps and zoom.
//
// A press of the middle button starts panning: a mark shows where it
// started and, every 10 ms, the current cell steps one cell towards the
// side the mouse has left the mark for. Any button press or key ends it.
//
// A wheel notch takes one path only, here: with Ctrl (and IntelliZoom) it
// zooms; otherwise (EnableWheel) it steps the current row by the wheel
// lines, one line at a time through the string grid's own wheel steps
// (DoMouseWheelDown / DoMouseWheelUp), which keep the footer row in view and
// the cursor on merged cells' base cells. The event never reaches the string
// grid's wheel handling as well.
#include "grid/extgrid.h"

#include "grid/extutil.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace {

// The panning cursors by direction, [vertical + 1][horizontal + 1].
constexpr int kPanCursors[3][3] = {
    {8006, 8004, 8005}, // up-left, up, up-right
    {8002, 8000, 8003}, // left, centre, right
    {8008, 8001, 8007}, // down-left, down, down-right
};
// How far the mouse may stray from the mark before the cursor moves.
constexpr int kPanDeadZone = 5;
constexpr int kPanMarkSize = 32;
// One notch of a wheel, in Qt's eighths of a degree.
constexpr int kWheelNotch = 120;
constexpr int kMaxZoom = 10;

QCursor ResourceCursor(int Id)
{
    // The cursors are drawn 32 x 32 with the hot spot at the centre.
    return QCursor(QPixmap(QStringLiteral(":/grid/CUR%1.png").arg(Id)), 16, 16);
}

// -1, 0 or 1: which side of the origin a coordinate lies, outside the dead
// zone.
int PanSide(int At, int Origin)
{
    if (At < Origin - kPanDeadZone)
        return -1;
    if (At > Origin + kPanDeadZone)
        return 1;
    return 0;
}

// Whether a cell text blinks: the renderer's blink tag "<BL>" (or "<BL "),
// and any tag beginning "<BLI", in any case.
bool BlinkingText(const QString& Text)
{
    static const QRegularExpression tag(QStringLiteral("<BL(I|>|\\s)"), QRegularExpression::CaseInsensitiveOption);
    return Text.contains(QLatin1String("<BL"), Qt::CaseInsensitive) && Text.contains(tag);
}

bool IsButtonPress(QEvent::Type Type)
{
    return Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick;
}

} // namespace

bool TExtStringGrid::PanningEvent(QEvent* Event)
{
    const QEvent::Type type = Event->type();
    if (IsButtonPress(type) || type == QEvent::MouseButtonRelease)
        heldButtons_ = static_cast<QMouseEvent*>(Event)->buttons();
    if (IsButtonPress(type)) {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        const Qt::MouseButton button = mouse->button();
        const bool ends = button == Qt::MiddleButton || button == Qt::LeftButton || button == Qt::RightButton;
        if (panning_ && ends) {
            EndPanning();
        } else if (!panning_ && button == Qt::MiddleButton && wheelMessage_ && IntelliPan != ipNone
                   && RowCount() > FixedRows()) {
            StartPanning(mouse->position().toPoint());
        } else {
            return false;
        }
        panSwallowRelease_ = true;
        Event->accept();
        return true;
    }
    switch (type) {
    case QEvent::MouseButtonRelease:
        if (!panSwallowRelease_)
            return false;
        panSwallowRelease_ = false;
        Event->accept();
        return true;
    case QEvent::MouseMove:
        // The direction cursor stays while the mouse moves.
        return panning_;
    case QEvent::KeyPress:
        if (!panning_)
            return false;
        EndPanning();
        panSwallowedKey_ = static_cast<QKeyEvent*>(Event)->key();
        Event->accept();
        return true;
    case QEvent::KeyRelease:
        if (!panSwallowedKey_ || static_cast<QKeyEvent*>(Event)->key() != panSwallowedKey_)
            return false;
        panSwallowedKey_ = 0;
        Event->accept();
        return true;
    case QEvent::ToolTip:
        // No hints while panning.
        return panning_;
    case QEvent::Timer:
        if (!panTimerId_ || static_cast<QTimerEvent*>(Event)->timerId() != panTimerId_)
            return false;
        PanStep();
        return true;
    case QEvent::Wheel: return WheelStep(static_cast<QWheelEvent*>(Event));
    default: return false;
    }
}

void TExtStringGrid::StartPanning(QPoint At)
{
    panning_ = true;
    panOrigin_ = At;
    panSavedOwnCursor_ = viewport()->testAttribute(Qt::WA_SetCursor);
    panSavedCursor_ = viewport()->cursor();
    panCursor_ = kPanCursors[1][1];
    viewport()->setCursor(ResourceCursor(panCursor_));
    panTimerId_ = startTimer(kPanTimerInterval);
    // The key that ends panning must reach this grid ahead of the control's
    // own key handling: the grid filters its own keys, as the last filter
    // installed (the first to run).
    installEventFilter(this);
    viewport()->grabMouse();
    hintWindow_->hide();
    QToolTip::hideText();
    viewport()->update(PanMarkRect());
}

void TExtStringGrid::EndPanning()
{
    if (!panning_)
        return;
    panning_ = false;
    if (QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
    if (panTimerId_)
        killTimer(panTimerId_);
    panTimerId_ = 0;
    panCursor_ = 0;
    if (panSavedOwnCursor_)
        viewport()->setCursor(panSavedCursor_);
    else
        viewport()->unsetCursor();
    viewport()->update(PanMarkRect());
}

void TExtStringGrid::PanStep()
{
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    const int dx = IntelliPan == ipVertical ? 0 : PanSide(at.x(), panOrigin_.x());
    const int dy = IntelliPan == ipHorizontal ? 0 : PanSide(at.y(), panOrigin_.y());
    // The current cell is kept inside the data cells on the axes that pan,
    // then steps once in the mouse's direction where there is room. An axis
    // that does not pan is left alone, whatever column (row) it is in.
    int col = Col();
    int row = Row();
    if (IntelliPan != ipVertical && LastDataCol() >= FirstDataCol()) {
        col = std::clamp(col, FirstDataCol(), LastDataCol());
        if ((dx < 0 && col > FirstDataCol()) || (dx > 0 && col < LastDataCol()))
            col += dx;
    }
    if (IntelliPan != ipHorizontal && LastDataRow() >= FirstDataRow()) {
        row = std::clamp(row, FirstDataRow(), LastDataRow());
        if ((dy < 0 && row > FirstDataRow()) || (dy > 0 && row < LastDataRow()))
            row += dy;
    }
    if (col != Col() || row != Row())
        FocusCell(col, row);
    const int cursor = kPanCursors[dy + 1][dx + 1];
    if (cursor != panCursor_) {
        panCursor_ = cursor;
        viewport()->setCursor(ResourceCursor(cursor));
    }
}

QRect TExtStringGrid::PanMarkRect() const
{
    return {panOrigin_.x() - kPanMarkSize / 2, panOrigin_.y() - kPanMarkSize / 2, kPanMarkSize, kPanMarkSize};
}

void TExtStringGrid::DrawPanMark()
{
    if (!panning_)
        return;
    const QString name = IntelliPan == ipVertical     ? QStringLiteral("INTLI3")
                         : IntelliPan == ipHorizontal ? QStringLiteral("INTLI2")
                                                      : QStringLiteral("INTLI1");
    QImage mark = BitmapResource(name).convertToFormat(QImage::Format_ARGB32);
    if (mark.isNull())
        return;
    // The colour of the top-left pixel is transparent.
    const QRgb key = mark.pixel(0, 0);
    for (int y = 0; y < mark.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(mark.scanLine(y));
        for (int x = 0; x < mark.width(); ++x)
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
    }
    QPainter painter(viewport());
    painter.drawImage(PanMarkRect().topLeft(), mark);
}

// ---- the wheel

bool TExtStringGrid::WheelStep(QWheelEvent* Event)
{
    Event->accept();
    if (panning_ || !wheelMessage_)
        return true;
    wheelRemainder_ += Event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    if (!notches)
        return true;
    // A turn towards the user (a negative delta) enlarges and goes down.
    const int step = (notches < 0 ? 1 : -1) * wheelScrollLines_;
    const bool zoom = (Event->modifiers() & Qt::ControlModifier) && IntelliZoom;
    if (!zoom && (!EnableWheel || (RowCount() == 1 && FixedRowAlways)))
        return true;
    for (int i = 0; i < std::abs(notches); ++i) {
        if (zoom)
            Zoom(step);
        else
            WheelRows(step);
    }
    return true;
}

void TExtStringGrid::WheelRows(int Lines)
{
    const int left = LeftCol();
    const QPoint mouse = viewport()->mapFromGlobal(QCursor::pos());
    for (int i = 0; i < std::abs(Lines); ++i) {
        const int before = Row();
        if (Lines > 0 && before < LastDataRow()) {
            // A step down from a merged block starts at its last row, or
            // it would land inside the block and snap back to its base.
            const int blockEnd = BaseCell(Col(), before).Y + CellSpan(Col(), before).Y;
            if (blockEnd > before && blockEnd < LastDataRow())
                SetRow(blockEnd);
            DoMouseWheelDown(TShiftState(), mouse);
        }
        else if (Lines < 0 && before > FirstDataRow())
            DoMouseWheelUp(TShiftState(), mouse);
        if (Row() == before)
            break;
    }
    if ((Options() & goRowSelect) && Navigation()->KeepHorizScroll)
        SetLeftCol(left);
}

void TExtStringGrid::Zoom(int Step)
{
    if (ZoomFactor + Step < -kMaxZoom || ZoomFactor + Step > kMaxZoom)
        return;
    ZoomFactor += Step;
    BeginUpdate();
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) + Step > 0)
            SetColWidths(c, ColWidths(c) + Step);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) + Step > 0)
            SetRowHeights(r, RowHeights(r) + Step);
    EndUpdate();
}

// ---- the housekeeping timer

void TExtStringGrid::HoverStep()
{
    // Not while a button is held on the grid: a range being selected keeps
    // its anchor.
    if (!isVisible() || heldButtons_ != Qt::NoButton)
        return;
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    if (!viewport()->rect().contains(at))
        return;
    const TGridCoord cell = MouseCoord(at.x(), at.y());
    if (cell.X < FirstDataCol() || cell.X > LastDataCol() || cell.Y < FirstDataRow() || cell.Y > LastDataRow())
        return;
    // The grid takes the focus, unless it or its own editor has it.
    QWidget* focus = QApplication::focusWidget();
    if (focus != this && !isAncestorOf(focus))
        setFocus(Qt::MouseFocusReason);
    const TPoint base = BaseCell(cell.X, cell.Y);
    if (base.X != Col() || base.Y != Row())
        FocusCell(base.X, base.Y);
}

void TExtStringGrid::BlinkStep()
{
    blinkPhase_ = !blinkPhase_;
    // Cells in view (the visible rows and the fixed rows, over the fixed and
    // the visible columns) whose text blinks.
    std::vector<int> rows;
    for (int r = 0; r < std::min(FixedRows(), RowCount()); ++r)
        rows.push_back(r);
    for (int r = TopRow(); r <= std::min(TopRow() + VisibleRowCount(), RowCount() - 1); ++r)
        rows.push_back(r);
    std::vector<int> cols;
    for (int c = 0; c < std::min(FixedCols(), ColCount()); ++c)
        cols.push_back(c);
    for (int c = LeftCol(); c <= std::min(LeftCol() + VisibleColCount(), ColCount() - 1); ++c)
        cols.push_back(c);
    for (int r : rows)
        for (int c : cols)
            if (BlinkingText(Cells(c, r)))
                RepaintCell(c, r);
}
