#include "grid/esgcombo.h"

#include "grid/extxpvs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

TESGCustomCombo::TESGCustomCombo(QWidget* parent, TComboBoxStyle style)
    : TComboBox(parent, style), buttonWidth_(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4)
{
    setAttribute(Qt::WA_Hover);
}

void TESGCustomCombo::SetButtonWidth(int width)
{
    if (width < 14 || width > 32)
        return;
    buttonWidth_ = width;
    update();
}

void TESGCustomCombo::SetFlat(bool flat)
{
    flat_ = flat;
    update();
}

void TESGCustomCombo::SetEtched(bool etched)
{
    etched_ = etched;
    update();
}

void TESGCustomCombo::SetFocusBorder(bool on)
{
    focusBorder_ = on;
    update();
}

void TESGCustomCombo::SetDropWidth(int width)
{
    dropWidth_ = width;
    if (width > 0)
        view()->setMinimumWidth(width);
    else
        view()->setMinimumWidth(0);
}

void TESGCustomCombo::SetColor(TColor color)
{
    color_ = color;
    if (isEnabled())
        enabledColor_ = color;
    ApplyColor();
}

void TESGCustomCombo::ApplyColor()
{
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(color_));
    setPalette(p);
    if (lineEdit())
        lineEdit()->setPalette(p);
    update();
}

TColor TESGCustomCombo::ParentColour() const
{
    if (!parentWidget())
        return clBtnFace;
    const QColor colour = parentWidget()->palette().color(QPalette::Window);
    return static_cast<TColor>(colour.red() | colour.green() << 8 | colour.blue() << 16);
}

void TESGCustomCombo::changeEvent(QEvent* event)
{
    TComboBox::changeEvent(event);
    if (event->type() != QEvent::EnabledChange || !flat_)
        return;
    // Disabled, a flat combo takes its parent's colour; enabled again, its own.
    if (isEnabled()) {
        color_ = enabledColor_;
    } else {
        enabledColor_ = color_;
        color_ = ParentColour();
    }
    ApplyColor();
}

void TESGCustomCombo::enterEvent(QEnterEvent* event)
{
    TComboBox::enterEvent(event);
    if (!isEnabled())
        return;
    hot_ = true;
    if (AutoFocus && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    update();
}

void TESGCustomCombo::leaveEvent(QEvent* event)
{
    TComboBox::leaveEvent(event);
    hot_ = false;
    update();
}

void TESGCustomCombo::focusInEvent(QFocusEvent* event)
{
    TComboBox::focusInEvent(event);
    update();
}

void TESGCustomCombo::focusOutEvent(QFocusEvent* event)
{
    TComboBox::focusOutEvent(event);
    update();
}

void TESGCustomCombo::mousePressEvent(QMouseEvent* event)
{
    mouseDown_ = true;
    update();
    TComboBox::mousePressEvent(event);
}

void TESGCustomCombo::mouseReleaseEvent(QMouseEvent* event)
{
    mouseDown_ = false;
    update();
    TComboBox::mouseReleaseEvent(event);
}

void TESGCustomCombo::showPopup()
{
    dropped_ = true;
    if (dropWidth_ > 0)
        view()->setMinimumWidth(dropWidth_);
    TComboBox::showPopup();
    update(ButtonBand());
}

void TESGCustomCombo::hidePopup()
{
    TComboBox::hidePopup();
    dropped_ = false;
    mouseDown_ = false;
    update(ButtonBand());
}

QRect TESGCustomCombo::ButtonBand() const
{
    return QRect(width() - buttonWidth_, 0, buttonWidth_, height()).adjusted(1, 1, -1, -1);
}

void TESGCustomCombo::paintEvent(QPaintEvent* event)
{
    if (!flat_) {
        TComboBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    TCanvas canvas(&painter);
    const TRect client{0, 0, width(), height()};
    const bool lit = hasFocus() || hot_ || (lineEdit() && lineEdit()->hasFocus());
    const bool list = Style() == csDropDownList;
    canvas.Brush = {color_, bsSolid};
    canvas.FillRect(client);

    const TRect band = TRect::FromQRect(ButtonBand());
    if (Themed && ThemedDrawing()) {
        HTHEME theme = OpenThemeData(this, "combobox");
        DrawThemeBackground(theme, canvas, CP_DROPDOWNBUTTON, mouseDown_ ? CBXS_PRESSED : CBXS_NORMAL, band, nullptr);
        CloseThemeData(theme);
    } else {
        DrawFrameControl(canvas, band, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
    }

    // The text of a pick list (an editable one shows its own edit).
    if (list) {
        painter.setPen(ToQColor(isEnabled() ? clWindowText : clGrayText));
        painter.drawText(QRect(3, 0, band.Left - 4, height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         currentText());
    }

    // The border.
    TRect border = client;
    if (lit && focusBorder_) {
        DrawEdge(canvas, border, EDGE_SUNKEN, BF_RECT);
    } else {
        const QColor parentColour = parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                                   : palette().color(QPalette::Window);
        painter.setPen(lit ? ToQColor(clBtnFace) : parentColour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        painter.setPen(ToQColor(color_));
        painter.drawRect(1, 1, width() - 3, height() - 3);
    }
    if (list)
        return;
    // The button's edge.
    TRect edge = band;
    if (lit) {
        DrawEdge(canvas, edge, dropped_ ? EDGE_SUNKEN : etched_ ? EDGE_ETCHED : EDGE_RAISED, BF_RECT);
    } else {
        // At rest the button has no edge: its frame is the button face.
        painter.setPen(ToQColor(clBtnFace));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band.ToQRect().adjusted(0, 0, -1, -1));
    }
}
