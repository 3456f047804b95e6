#include "grid/htmlhint.h"

#include "grid/esghtmle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

// Hint windows are measured and drawn in the tool-tip font.
QFont HintFont()
{
    return QApplication::font("QToolTip");
}

} // namespace

THTMLHintWindow::THTMLHintWindow(QWidget* AOwner) : QWidget(AOwner)
{
    // A window of its own with no border, above the others, never active.
    // The mouse passes through it to the grid under it, which keeps its
    // hover and its cell.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(HintFont());
}

void THTMLHintWindow::SetCaption(const QString& Value)
{
    caption_ = Value;
    update();
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& Hint) const
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    painter.setFont(font());
    TCanvas canvas(&painter);
    canvas.Font = TFont::FromQFont(font());

    THTMLDrawInput in;
    in.Markup = Hint;
    in.Rect = {0, 0, MaxWidth, 0x7FFF};
    in.CheckOnly = true;
    in.WordWrap = true;
    in.Images = Images;
    in.Pictures = PictureContainer;
    in.PictureCache = PictureCache;
    in.URLColor = URLColor;
    THTMLDrawOutput out;
    HTMLDraw(canvas, in, out);
    // A word longer than the limit does not widen the hint.
    return {0, 0, std::min(out.XSize, MaxWidth), out.YSize};
}

TRect THTMLHintWindow::screenRect(const TRect& wanted) const
{
    QScreen* screen = QGuiApplication::screenAt(QPoint(wanted.Left, wanted.Top));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 0x7FFF, 0x7FFF);

    TRect r = wanted;
    const int right = area.x() + area.width();
    const int bottom = area.y() + area.height();
    if (r.Right > right) {
        r.Left -= r.Right - right + 2;
        r.Right = right - 2;
    }
    if (r.Bottom > bottom) {
        r.Top -= r.Bottom - bottom + 2;
        r.Bottom = bottom - 2;
    }
    // A hint wider or higher than the screen starts at its left or top
    // edge, so that its beginning can be read.
    if (r.Left < area.x()) {
        r.Right += area.x() - r.Left;
        r.Left = area.x();
    }
    if (r.Top < area.y()) {
        r.Bottom += area.y() - r.Top;
        r.Top = area.y();
    }
    return r;
}

void THTMLHintWindow::ActivateHint(const TRect& ARect, const QString& Hint)
{
    caption_ = Hint;
    const TRect text = CalcHintRect(kMaxHintWidth, Hint);
    textWidth_ = text.Width();
    textHeight_ = text.Height();
    const TRect placed =
        screenRect({ARect.Left, ARect.Top, ARect.Left + textWidth_ + 16, ARect.Top + textHeight_ + 4});
    setGeometry(placed.ToQRect());
    show();
    raise();
    update();
}

void THTMLHintWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, ToQColor(Color));
    // A 3-D frame: light at the left and bottom, dark at the top and right.
    painter.setPen(ToQColor(cl3DLight));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(ToQColor(cl3DDkShadow));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topRight(), r.bottomRight());

    painter.setFont(font());
    TCanvas canvas(&painter);
    canvas.Font = TFont::FromQFont(font());
    canvas.Font.Color = clInfoText;
    canvas.Brush.Style = bsClear;
    THTMLDrawInput in;
    in.Markup = caption_;
    const int top = (height() - textHeight_) / 2;
    // The width the text was measured in, so that it breaks as measured.
    in.Rect = {4, top, 4 + kMaxHintWidth, top + textHeight_};
    in.WordWrap = true;
    in.Images = Images;
    in.Pictures = PictureContainer;
    in.PictureCache = PictureCache;
    in.URLColor = URLColor;
    in.Window = this;
    THTMLDrawOutput out;
    HTMLDraw(canvas, in, out);
}

void THTMLHintWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void THTMLHintWindow::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

bool THTMLHintWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Modifiers alone leave it: they may start a Ctrl click.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
            hide();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ApplicationDeactivate: hide(); break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}
