#pragma once
// The bases of the grid's button editors: a single-line edit with a button
// inside its right edge (F4 clicks it), the same with a unit text before the
// button and a pop-up menu of units on it, the button holder, and a speed
// button that can draw itself with the visual styles.
#include "platform/controls.h"

#include <QPixmap>
#include <QStringList>

class TExtSpeedButton : public TSpeedButton {
    Q_OBJECT
public:
    explicit TExtSpeedButton(QWidget* parent = nullptr);

    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool on);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Hot() const { return hot_; }
    QPixmap Glyph;
    int NumGlyphs = 1;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool isWinXP_ = false;
    bool flat_ = false;
    bool hot_ = false;
};

class TEsgEditButton : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TEsgEditButton(QWidget* parent = nullptr);

    TNotifyEvent OnClick;
    // Takes the focus after a press (else the holder itself).
    QWidget* FocusControl = nullptr;

    TExtSpeedButton* Button() const { return button_; }
    void SetGlyph(const QPixmap& glyph);
    void SetNumGlyphs(int count);
    void SetButtonCaption(const QString& caption);
    void SetFlat(bool flat);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TExtSpeedButton* button_;
};

class TEsgEditBtn : public TEdit {
    Q_OBJECT
public:
    explicit TEsgEditBtn(QWidget* parent = nullptr);

    TNotifyEvent OnClickBtn;

    QString ButtonCaption() const;
    void SetButtonCaption(const QString& caption);
    void SetGlyph(const QPixmap& glyph);
    void SetNumGlyphs(int count);
    int ButtonWidth() const;
    void SetButtonWidth(int width);
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool on);
    bool RightAlign() const { return rightAlign_; }
    void SetRightAlign(bool on);
    bool IsWinXP() const;
    void SetIsWinXP(bool on);
    void SetFlat(bool flat);

    TEsgEditButton* ButtonHolder() const { return holder_; }
    // Clicks the button as a press does.
    void ClickButton();

    void KeyDown(int& Key, TShiftState Shift) override;

protected:
    // Pixels before the button kept free of text (the unit's band).
    virtual int UnitBand() const { return 0; }
    virtual void ButtonPressed();
    void ApplyTextRect();
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    TEsgEditButton* holder_;
    bool editorEnabled_ = true;
    bool rightAlign_ = false;
};

class TEsgUnitEditBtn : public TEsgEditBtn {
    Q_OBJECT
public:
    explicit TEsgUnitEditBtn(QWidget* parent = nullptr);

    QStringList Units() const { return units_; }
    void SetUnits(const QStringList& units) { units_ = units; }
    QString UnitID() const { return unitID_; }
    void SetUnitID(const QString& unit);
    int UnitSpace() const { return unitSpace_; }
    void SetUnitSpace(int space);

protected:
    int UnitBand() const override { return unitSpace_; }
    void ButtonPressed() override;
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList units_;
    QString unitID_;
    int unitSpace_ = 20;
};
