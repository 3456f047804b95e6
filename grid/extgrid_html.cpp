// The grid's mini-HTML cells under the mouse: anchors and URL cells followed
// on a click, "CELL://" anchors that move the grid, the form controls of a
// cell (button, check box, edit, combo), and the hand cursor over links.
#include "grid/extgrid.h"

#include "grid/esghtmle.h"
#include "grid/extutil.h"
#include "grid/grideditors.h"
#include "platform/application.h"

#include <QDesktopServices>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

// A link leaves the program only for the web or for mail. Cell texts come
// from files, pastes and drops: anything else (local files, programs,
// schemes of other handlers, relative names) is not opened.
bool OpenLink(const QString& Target)
{
    QUrl url(Target.trimmed(), QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    const bool web = (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
    const bool mail = scheme == QLatin1String("mailto") && !url.path().isEmpty();
    if (!web && !mail)
        return false;
    url.setScheme(scheme);
    return QDesktopServices::openUrl(url);
}

// How many painted mini-HTML cells are kept before those out of view go.
constexpr size_t kKeptLayouts = 1024;

} // namespace

// ---- where mini-HTML cells were drawn

void TExtStringGrid::RememberHTMLLayout(int ADisplayCol, int ACol, int ARow, const TRect& TextRect,
                                        const TFont& Font, bool Selected)
{
    if (htmlLayouts_.size() >= kKeptLayouts) {
        // Cells no longer where they were drawn (scrolled, sized, gone) are
        // drawn again before the mouse can reach them.
        const TRect view{0, 0, viewport()->width(), viewport()->height()};
        std::erase_if(htmlLayouts_, [&](const auto& kept) {
            const auto [col, row] = kept.first;
            if (col >= ColCount() || row >= RowCount())
                return true;
            const TRect now = MergedCellRect(DisplayColIndex(col), row);
            return !(now == kept.second.CellRect) || now.Right <= view.Left || now.Left >= view.Right
                   || now.Bottom <= view.Top || now.Top >= view.Bottom;
        });
    }
    htmlLayouts_[{ACol, ARow}] = {MergedCellRect(ADisplayCol, ARow), TextRect, Font, Selected};
}

bool TExtStringGrid::HTMLHitTest(int X, int Y, int& ACol, int& ARow, THTMLDrawOutput& Out)
{
    int col = -1;
    int row = -1;
    if (!EnableHTML || !MouseToCell(X, Y, col, row))
        return false;
    const TPoint base = BaseCell(col, row);
    ACol = RealColIndex(base.X);
    ARow = base.Y;
    const QString text = Cells(ACol, ARow);
    if (TextType(text, EnableHTML) != 1 || IsPasswordCell(ACol, ARow))
        return false;
    const auto kept = htmlLayouts_.find({ACol, ARow});
    if (kept == htmlLayouts_.end() || !(kept->second.CellRect == MergedCellRect(base.X, base.Y)))
        return false;
    const THTMLCellLayout& layout = kept->second;

    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    painter.setFont(layout.Font.ToQFont(font()));
    TCanvas canvas(&painter);
    canvas.Font = layout.Font;
    THTMLDrawInput in;
    in.Markup = text;
    in.Rect = layout.TextRect;
    in.X = X;
    in.Y = Y;
    in.CheckHotSpot = true;
    in.Selected = layout.Selected;
    in.WordWrap = !EnhTextSize;
    in.Images = GridImages();
    in.URLColor = URLColor();
    in.PictureCache = PictureCache();
    in.Pictures = PictureContainer();
    in.Window = this;
    return HTMLDraw(canvas, in, Out);
}

bool TExtStringGrid::URLCellAt(int X, int Y, int& ACol, int& ARow)
{
    int col = -1;
    int row = -1;
    if (!URLShow() || !MouseToCell(X, Y, col, row))
        return false;
    const TPoint base = BaseCell(col, row);
    ACol = RealColIndex(base.X);
    ARow = base.Y;
    QString text = Cells(ACol, ARow);
    const int kind = TextType(text, EnableHTML);
    if (kind == 1 || kind == 2 || IsPasswordCell(ACol, ARow))
        return false;
    if (kind == 3)
        text = CalcCellText(ACol, ARow);
    return IsURL(text);
}

// ---- a left press

bool TExtStringGrid::HTMLMouseDown(TShiftState Shift, int X, int Y)
{
    (void)Shift;
    CancelCellHint();
    int col = -1;
    int row = -1;
    if (URLCellAt(X, Y, col, row)) {
        // The press goes on choosing the cell as well.
        QString text = Cells(col, row);
        if (TextType(text, EnableHTML) == 3)
            text = CalcCellText(col, row);
        OpenLink(text);
        return false;
    }
    THTMLDrawOutput hit;
    if (!HTMLHitTest(X, Y, col, row, hit) || hit.Anchor.isEmpty())
        return false;
    if (hit.Anchor == QLatin1String("ctrl"))
        ControlClick(col, row, hit, QPoint(X, Y));
    else
        AnchorClick(col, row, hit.Anchor);
    return true;
}

void TExtStringGrid::AnchorClick(int ACol, int ARow, const QString& Anchor)
{
    bool autoHandle = true;
    if (OnAnchorClick)
        Application->Guard([&] { OnAnchorClick(this, ARow, ACol, Anchor, autoHandle); });
    if (!autoHandle)
        return;
    if (Anchor.contains(QLatin1String("CELL://"), Qt::CaseInsensitive))
        MoveToCellAnchor(Anchor);
    else
        OpenLink(Anchor);
}

void TExtStringGrid::MoveToCellAnchor(const QString& Anchor)
{
    // "CELL://R<row>C<column>": a cell that is not in the grid is no
    // target; a fixed one the grid refuses as any move to it.
    TPoint cell;
    if (!ParseCellRef(Anchor.mid(7), cell) || cell.X < 0 || cell.Y < 0 || cell.X >= ColCount()
        || cell.Y >= RowCount())
        return;
    Application->Guard([&] { FocusCell(cell.X, cell.Y); });
    RepaintCell(cell.X, cell.Y);
}

// ---- form controls of a cell

void TExtStringGrid::ControlClick(int ACol, int ARow, const THTMLDrawOutput& Hit, QPoint At)
{
    QString value = Hit.ControlValue;
    if (Hit.ControlType == QLatin1String("BUTTON")) {
        ReleaseHTMLButton();
        htmlPressedCell_ = {ACol, ARow};
        htmlPressedAt_ = At;
        RepaintCell(DisplayColIndex(ACol), ARow);
    } else if (Hit.ControlType == QLatin1String("CHECK")) {
        value = value == QLatin1String("TRUE") ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
        QString text = Cells(ACol, ARow);
        if (SetControlValue(text, Hit.ControlID, value))
            SetCells(ACol, ARow, text);
    }
    if (OnControlClick)
        Application->Guard([&] { OnControlClick(this, ARow, ACol, Hit.ControlID, Hit.ControlType, value); });
    if (Hit.ControlType == QLatin1String("EDIT") || Hit.ControlType == QLatin1String("COMBO"))
        StartControlEdit(ACol, ARow, Hit);
}

void TExtStringGrid::StartControlEdit(int ACol, int ARow, const THTMLDrawOutput& Hit)
{
    EndControlEdit();
    HideEditor();
    htmlControlEdit_ = {ACol, ARow, Hit.ControlID, Hit.ControlType};
    const TRect& r = Hit.ControlRect;
    const QRect place(r.Left + 3, r.Top + 5, r.Width() - 4, r.Height() - 4);
    if (Hit.ControlType == QLatin1String("EDIT")) {
        TControlEdit* edit = ControlEdit();
        edit->OnExit = [this] { EndControlEdit(); };
        edit->setFrame(false);
        edit->setGeometry(place);
        edit->SetText(Hit.ControlValue);
        edit->show();
        edit->setFocus(Qt::MouseFocusReason);
        return;
    }
    QStringList values;
    bool editable = false;
    int dropCount = 8;
    if (OnControlComboList)
        Application->Guard([&] {
            OnControlComboList(this, ARow, ACol, Hit.ControlID, Hit.ControlType, Hit.ControlValue, values,
                               editable, dropCount);
        });
    TControlCombo* combo = ControlCombo();
    combo->OnExit = [this] { EndControlEdit(); };
    combo->SetStyle(editable ? csDropDown : csDropDownList);
    combo->Items().Assign(values);
    combo->setMaxVisibleItems(std::max(dropCount, 1));
    combo->setGeometry(place);
    combo->SetText(Hit.ControlValue);
    combo->show();
    combo->setFocus(Qt::MouseFocusReason);
    combo->showPopup();
}

void TExtStringGrid::EndControlEdit()
{
    if (htmlControlEdit_.Col < 0)
        return;
    const THTMLControlEdit ended = std::exchange(htmlControlEdit_, THTMLControlEdit{});
    const bool isEdit = ended.Type == QLatin1String("EDIT");
    QWidget* editor = isEdit ? static_cast<QWidget*>(ControlEdit()) : static_cast<QWidget*>(ControlCombo());
    const QString value = isEdit ? ControlEdit()->Text() : ControlCombo()->Text();
    if (!isEdit)
        ControlCombo()->hidePopup();
    // Ended by Enter the grid takes the focus back; ended by a click
    // elsewhere the focus is already there.
    if (editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    editor->hide();
    if (ended.Col >= ColCount() || ended.Row >= RowCount())
        return;
    QString text = Cells(ended.Col, ended.Row);
    if (SetControlValue(text, ended.ID, value))
        SetCells(ended.Col, ended.Row, text);
    if (OnControlEditDone)
        Application->Guard([&] { OnControlEditDone(this, ended.Row, ended.Col, ended.ID, ended.Type, value); });
}

void TExtStringGrid::ReleaseHTMLButton()
{
    const TPoint pressed = std::exchange(htmlPressedCell_, TPoint{-1, -1});
    if (pressed.X >= 0 && pressed.X < ColCount() && pressed.Y < RowCount())
        RepaintCell(DisplayColIndex(pressed.X), pressed.Y);
}

void TExtStringGrid::HTMLWindowEvent(QEvent* Message)
{
    switch (Message->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::FocusOut:
        ReleaseHTMLButton();
        if (Message->type() == QEvent::FocusOut)
            CancelCellHint();
        break;
    case QEvent::Leave: CancelCellHint(); break;
    default: break;
    }
}

// ---- the mouse over links

void TExtStringGrid::AnchorMouseMove(TShiftState Shift, int X, int Y)
{
    (void)Shift;
    int col = -1;
    int row = -1;
    if (!MouseToCell(X, Y, col, row)) {
        CancelCellHint();
        ChangeHoverAnchor(-1, -1, QString());
        ShowLinkCursor(false);
        return;
    }
    if (hintCell_.X >= 0 && !(BaseCell(col, row) == BaseCell(hintCell_.X, hintCell_.Y)))
        CancelCellHint();
    if (URLCellAt(X, Y, col, row)) {
        ChangeHoverAnchor(-1, -1, QString());
        ShowLinkCursor(true);
        return;
    }
    THTMLDrawOutput hit;
    const bool onAnchor =
        HTMLHitTest(X, Y, col, row, hit) && !hit.Anchor.isEmpty() && hit.Anchor != QLatin1String("ctrl");
    ChangeHoverAnchor(col, row, onAnchor ? hit.Anchor : QString(), onAnchor ? hit.MouseLink : -1);
    ShowLinkCursor(onAnchor);
}

void TExtStringGrid::ChangeHoverAnchor(int ACol, int ARow, const QString& Anchor, int Link)
{
    const TPoint cell = Anchor.isEmpty() ? TPoint{-1, -1} : TPoint{ACol, ARow};
    const int link = Anchor.isEmpty() ? -1 : Link;
    if (Anchor == hoverAnchor_ && cell == hoverAnchorCell_ && link == hoverLink_)
        return;
    const QString left = std::exchange(hoverAnchor_, Anchor);
    const TPoint leftCell = std::exchange(hoverAnchorCell_, cell);
    hoverLink_ = link;
    // Both cells show the change of the hovered link.
    for (const TPoint& changed : {leftCell, cell})
        if (changed.X >= 0 && changed.X < ColCount() && changed.Y >= 0 && changed.Y < RowCount())
            RepaintCell(DisplayColIndex(changed.X), changed.Y);
    if (!left.isEmpty() && OnAnchorExit)
        Application->Guard([&] { OnAnchorExit(this, leftCell.Y, leftCell.X, left); });
    if (!Anchor.isEmpty() && OnAnchorEnter)
        Application->Guard([&] { OnAnchorEnter(this, ARow, ACol, Anchor); });
}

void TExtStringGrid::ShowLinkCursor(bool Show)
{
    // The link cursor is put back whenever something else replaced it; the
    // grid's own comes back only on leaving a link: every other cursor of
    // the pointer is the mouse handling's own.
    if (!Show && !linkCursorShown_)
        return;
    linkCursorShown_ = Show;
    const TCursor shape = Show ? LinkCursor : cursor_;
    if (shape == crHandPoint)
        viewport()->setCursor(Qt::PointingHandCursor);
    else if (shape > 0 && shape <= Qt::LastCursor)
        viewport()->setCursor(static_cast<Qt::CursorShape>(shape));
    else
        viewport()->setCursor(Show ? Qt::PointingHandCursor : Qt::ArrowCursor);
}
