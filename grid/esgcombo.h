#pragma once
// A combo box with a flat look: a border that lights up under the mouse or
// with the focus, an optional etched button edge, a themed drop-down button
// and a settable width of the drop-down list. Not flat, it is the
// platform's combo box as it stands.
#include "platform/controls.h"

class TESGCustomCombo : public TComboBox {
    Q_OBJECT
public:
    explicit TESGCustomCombo(QWidget* parent = nullptr, TComboBoxStyle style = csDropDown);

    bool AutoFocus = false;
    int ButtonWidth() const { return buttonWidth_; }
    // Takes only 14..32.
    void SetButtonWidth(int width);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Etched() const { return etched_; }
    void SetEtched(bool etched);
    bool FocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool on);
    int DropWidth() const { return dropWidth_; }
    void SetDropWidth(int width);
    // Set by the grid when visual styles are in use.
    bool Themed = false;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool Hot() const { return hot_; }
    bool DroppedDown() const { return dropped_; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect ButtonBand() const;
    void ApplyColor();
    TColor ParentColour() const;

    int buttonWidth_;
    bool flat_ = true;
    bool etched_ = false;
    bool focusBorder_ = false;
    int dropWidth_ = 0;
    bool hot_ = false;
    bool dropped_ = false;
    bool mouseDown_ = false;
    TColor color_ = clWindow;
    // What was in force when the control was last enabled.
    TColor enabledColor_ = clWindow;
};

class TESGComboBox : public TESGCustomCombo {
    Q_OBJECT
public:
    using TESGCustomCombo::TESGCustomCombo;
};
