#pragma once
// The spin editor the grid's spin cells derive from: a mask edit with an
// up/down button pair that steps an integer, a real number, a date or a
// time; the button pair; and a speed button that repeats its click while
// held (first after 400 ms, then every 100 ms).
#include "platform/controls.h"
#include "platform/maskedit.h"

#include <QDate>
#include <QPixmap>
#include <QTime>
#include <QTimer>

enum TEsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TArrowDirection { adUp, adDown, adRight, adLeft };

class TExtTimerSpeedButton : public TSpeedButton {
    Q_OBJECT
public:
    static constexpr int kFirstRepeat = 400;
    static constexpr int kRepeat = 100;

    explicit TExtTimerSpeedButton(QWidget* parent = nullptr);

    bool AutoRepeat = false;
    TArrowDirection Arrow = adUp;
    bool Flat = false;
    bool Transparent = false;
    QPixmap Glyph;
    int NumGlyphs = 1;

    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }
    // The repeat timer (running while the button is held).
    QTimer& RepeatTimer() { return timer_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void TimerExpired();

    QTimer timer_;
    bool hot_ = false;
    bool pressed_ = false;
};

class TEsgSpinButton : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TEsgSpinButton(QWidget* parent = nullptr);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;
    // Takes the focus when a button is pressed (else the pair itself).
    QWidget* FocusControl = nullptr;

    TSpinDirection Direction() const { return direction_; }
    void SetDirection(TSpinDirection direction);
    void SetFlat(bool flat);
    void SetTransparent(bool transparent);
    TExtTimerSpeedButton* UpButton() const { return up_; }
    TExtTimerSpeedButton* DownButton() const { return down_; }
    // The buttons' glyphs, each a strip of NumGlyphs images.
    QPixmap UpGlyph() const { return up_->Glyph; }
    void SetUpGlyph(const QPixmap& Value);
    QPixmap DownGlyph() const { return down_->Glyph; }
    void SetDownGlyph(const QPixmap& Value);
    int UpNumGlyphs() const { return up_->NumGlyphs; }
    void SetUpNumGlyphs(int Value);
    int DownNumGlyphs() const { return down_->NumGlyphs; }
    void SetDownNumGlyphs(int Value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Press(TExtTimerSpeedButton* button);
    void Layout();

    TExtTimerSpeedButton* up_;
    TExtTimerSpeedButton* down_;
    TExtTimerSpeedButton* focused_;
    TSpinDirection direction_ = spVertical;
};

class TEsgSpinEdit : public TMaskEdit {
    Q_OBJECT
public:
    explicit TEsgSpinEdit(QWidget* parent = nullptr);

    TEsgSpinType SpinType() const { return spinType_; }
    void SetSpinType(TEsgSpinType type) { spinType_ = type; }

    int Value() const;
    void SetValue(int value);
    int MinValue = 0;
    int MaxValue = 100;
    int Increment = 1;

    double FloatValue() const;
    void SetFloatValue(double value);
    double MinFloatValue = 0;
    double MaxFloatValue = 100.0;
    double IncrementFloat = 0;
    int Precision() const { return precision_; }
    void SetPrecision(int precision);

    QDate DateValue() const;
    void SetDateValue(const QDate& value);
    QDate ClampedDate(const QDate& value) const;
    QTime TimeValue() const;
    void SetTimeValue(const QTime& value);
    QDate MinDateValue;
    QDate MaxDateValue;

    TSpinDirection Direction() const { return button_->Direction(); }
    void SetDirection(TSpinDirection direction);
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    bool ReturnIsTab = false;
    void SetSpinFlat(bool flat) { button_->SetFlat(flat); }
    void SetSpinTransparent(bool transparent) { button_->SetTransparent(transparent); }

    TEsgSpinButton* Button() const { return button_; }

    virtual void UpClick();
    virtual void DownClick();
    virtual bool IsValidChar(char Key);

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Step(int sign);
    void ApplyTextMargins();
    void ApplyReadOnly();

    TEsgSpinButton* button_;
    TEsgSpinType spinType_ = sptNormal;
    int precision_ = 0;
    bool editorEnabled_ = true;
    bool readOnly_ = false;
};

// Text of a date and a time in the user's settings.
QString SpinDateText(const QDate& date);
QString SpinTimeText(const QTime& time);
