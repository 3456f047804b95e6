#include "grid/esgedit.h"

#include "grid/extutil.h"
#include "grid/extxpvs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>

// ---- speed button with themed drawing

TExtSpeedButton::TExtSpeedButton(QWidget* parent) : TSpeedButton(QString(), parent) {}

void TExtSpeedButton::SetIsWinXP(bool on)
{
    isWinXP_ = on;
    update();
}

void TExtSpeedButton::SetFlat(bool flat)
{
    flat_ = flat;
    update();
}

void TExtSpeedButton::enterEvent(QEnterEvent* event)
{
    TSpeedButton::enterEvent(event);
    hot_ = true;
    update();
}

void TExtSpeedButton::leaveEvent(QEvent* event)
{
    TSpeedButton::leaveEvent(event);
    hot_ = false;
    update();
}

void TExtSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    const TRect r{0, 0, width(), height()};
    const bool down = isDown();
    canvas.Brush = {clBtnFace, bsSolid};
    canvas.FillRect(r);
    if (isWinXP_ && ThemedDrawing()) {
        HTHEME theme = OpenThemeData(this, "button");
        DrawThemeBackground(theme, canvas, BP_PUSHBUTTON, down ? PBS_PRESSED : hot_ ? PBS_HOT : PBS_NORMAL, r, nullptr);
        CloseThemeData(theme);
    } else if (flat_) {
        TRect edge = r;
        DrawEdge(canvas, edge, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawFrameControl(canvas, r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0u));
    }
    const int shift = down ? 1 : 0;
    int textLeft = 0;
    if (!Glyph.isNull()) {
        const int w = Glyph.width() / std::max(NumGlyphs, 1);
        const QPoint at((width() - w) / 2 + shift, (height() - Glyph.height()) / 2 + shift);
        // The glyph's corner colour is its transparent colour.
        DrawTransparentBitmap(canvas, Glyph.toImage().copy(0, 0, w, Glyph.height()), clNone,
                              {at.x(), at.y(), at.x() + w, at.y() + Glyph.height()});
        textLeft = at.x() + w;
    }
    if (!text().isEmpty()) {
        painter.setPen(ToQColor(isEnabled() ? clBtnText : clGrayText));
        const QRect area = Glyph.isNull() ? rect().translated(shift, shift) : QRect(textLeft, shift, width() - textLeft, height());
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text());
    }
}

// ---- button holder

TEsgEditButton::TEsgEditButton(QWidget* parent) : QWidget(parent), TControl(this), button_(new TExtSpeedButton(this))
{
    resize(20, 25);
    setFocusPolicy(Qt::NoFocus);
    button_->OnClick = [this] { Run(OnClick); };
}

void TEsgEditButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    button_->setGeometry(0, 0, width(), std::max(height(), 15));
}

void TEsgEditButton::SetGlyph(const QPixmap& glyph)
{
    button_->Glyph = glyph;
    button_->update();
}

void TEsgEditButton::SetNumGlyphs(int count)
{
    button_->NumGlyphs = count;
    button_->update();
}

void TEsgEditButton::SetButtonCaption(const QString& caption)
{
    button_->SetCaption(caption);
}

void TEsgEditButton::SetFlat(bool flat)
{
    button_->SetFlat(flat);
}

// ---- edit with button

TEsgEditBtn::TEsgEditBtn(QWidget* parent) : TEdit(parent), holder_(new TEsgEditButton(this))
{
    holder_->resize(18, 18);
    holder_->FocusControl = this;
    holder_->setCursor(Qt::ArrowCursor);
    // The press clicks; the button's own release click is not used.
    holder_->Button()->OnMouseDown = [this](TMouseButton Button, TShiftState, int, int) {
        if (Button == mbLeft)
            ButtonPressed();
    };
    SetText("0");
    ApplyTextRect();
}

void TEsgEditBtn::ButtonPressed()
{
    ClickButton();
    QWidget* target = holder_->FocusControl ? holder_->FocusControl : holder_;
    if (target->isEnabled() && target->isVisible() && target->focusPolicy() != Qt::NoFocus && !target->hasFocus())
        target->setFocus(Qt::MouseFocusReason);
}

void TEsgEditBtn::ClickButton()
{
    Run(OnClickBtn);
}

QString TEsgEditBtn::ButtonCaption() const
{
    return holder_->Button()->Caption();
}

void TEsgEditBtn::SetButtonCaption(const QString& caption)
{
    holder_->SetButtonCaption(caption);
}

void TEsgEditBtn::SetGlyph(const QPixmap& glyph)
{
    holder_->SetGlyph(glyph);
}

void TEsgEditBtn::SetNumGlyphs(int count)
{
    holder_->SetNumGlyphs(count);
}

int TEsgEditBtn::ButtonWidth() const
{
    return holder_->width();
}

void TEsgEditBtn::SetButtonWidth(int width)
{
    holder_->resize(width, holder_->height());
    resizeEvent(nullptr);
}

void TEsgEditBtn::SetEditorEnabled(bool on)
{
    editorEnabled_ = on;
    // Typing, paste and cut go; the button stays.
    SetReadOnly(!on);
}

void TEsgEditBtn::SetRightAlign(bool on)
{
    rightAlign_ = on;
    setAlignment(on ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

bool TEsgEditBtn::IsWinXP() const
{
    return holder_->Button()->IsWinXP();
}

void TEsgEditBtn::SetIsWinXP(bool on)
{
    holder_->Button()->SetIsWinXP(on);
}

void TEsgEditBtn::SetFlat(bool flat)
{
    holder_->SetFlat(flat);
}

void TEsgEditBtn::ApplyTextRect()
{
    // The text stops before the unit band and the button.
    setTextMargins(hasFrame() ? 1 : 2, 0, ButtonWidth() + UnitBand() + 3, 0);
}

void TEsgEditBtn::resizeEvent(QResizeEvent* event)
{
    if (event)
        TEdit::resizeEvent(event);
    const int fontHeight = fontMetrics().height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    const int least = fontHeight + std::min(fontHeight, systemHeight) / 4;
    if (height() < least) {
        resize(width(), least);
        return;
    }
    const int inset = hasFrame() ? 2 : 0;
    holder_->setGeometry(width() - ButtonWidth() - inset, inset, ButtonWidth(), height() - 2 * inset);
    ApplyTextRect();
}

void TEsgEditBtn::focusInEvent(QFocusEvent* event)
{
    TEdit::focusInEvent(event);
}

void TEsgEditBtn::KeyDown(int& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    // F4 does what a press of the button does (the unit edit's menu too).
    if (Key == VK_F4) {
        ButtonPressed();
        Key = 0;
    }
}

// ---- edit with unit button

TEsgUnitEditBtn::TEsgUnitEditBtn(QWidget* parent) : TEsgEditBtn(parent)
{
    SetRightAlign(true);
    ApplyTextRect();
}

void TEsgUnitEditBtn::SetUnitID(const QString& unit)
{
    unitID_ = unit;
    update();
}

void TEsgUnitEditBtn::SetUnitSpace(int space)
{
    unitSpace_ = space;
    ApplyTextRect();
    update();
}

void TEsgUnitEditBtn::ButtonPressed()
{
    TEsgEditBtn::ButtonPressed();
    // One entry per unit, numbered from 1 in list order.
    QMenu menu(this);
    for (int i = 0; i < units_.size(); ++i)
        menu.addAction(units_[i])->setData(i + 1);
    const QPoint corner = mapToGlobal(QPoint(width() - 15, height() - 15));
    if (QAction* chosen = menu.exec(corner)) {
        const int id = chosen->data().toInt();
        if (id >= 1 && id <= units_.size())
            SetUnitID(units_[id - 1]);
    }
}

void TEsgUnitEditBtn::paintEvent(QPaintEvent* event)
{
    TEsgEditBtn::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const int right = ButtonHolder()->x();
    painter.drawText(QRect(right - unitSpace_, 2, unitSpace_, height() - 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     unitID_);
}
