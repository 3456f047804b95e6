#pragma once
// The grid's special in-place editors. The grid makes one of each, hidden
// and disabled, and lays the one a cell's editor kind asks for over the
// cell. They share one pattern of keys: Enter, Up and Down write the editor's
// text into the cell and validate it (an invalid value puts the cell's text
// back and the editor stays), Escape puts the cell's text back, and then the
// key goes on to the grid, which ends the edit; every other key is the
// control's own. Each ends the edit when it loses the focus.
//
// Also here: the edit and combo of HTML form-control cells, which end on
// Enter, and the interface of an application's own editor (edCustom).
#include "grid/basegrid.h"
#include "grid/esgcombo.h"
#include "grid/esgedit.h"
#include "grid/esgspin.h"
#include "platform/datetimepicker.h"
#include "platform/forms.h"

class TExtStringGrid;

class TGridSpin : public TEsgSpinEdit {
    Q_OBJECT
public:
    explicit TGridSpin(TExtStringGrid* grid, QWidget* parent);
    TExtStringGrid* Grid() const { return grid_; }

    void UpClick() override;
    void DownClick() override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    bool WantsTabs() const override;
    bool WantsEscape() const override { return true; }

private:
    // Page Up, Page Down, End and Home: a step or a bound, as the spin type
    // allows; true when the key was one of them.
    bool PageKey(int Key);
    void SpinClicked(bool up);

    TExtStringGrid* grid_;
};

class TGridCombo : public TESGComboBox {
    Q_OBJECT
public:
    explicit TGridCombo(TExtStringGrid* grid, QWidget* parent);
    TExtStringGrid* Grid() const { return grid_; }

    // Runs when Enter ends the edit.
    TNotifyEvent OnReturnKey;

    // Sets the style and hooks the edit of a free-text combo.
    void SetEditorStyle(TComboBoxStyle style);
    // The object kept with an item (null when none).
    TObject* ItemObject(int index) const;
    void AddItem(const QString& text, TObject* object = nullptr);
    // Widens the drop-down list to its longest item.
    void FitDropWidth();
    bool LookupAllowed() const { return lookup_; }
    // Typing picks an item by its first letters; a list just opened starts
    // that search afresh, not from what was typed in the last one.
    void RestartTypedSearch();

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void DoExit() override;
    bool WantsTabs() const override { return true; }
    bool WantsEscape() const override { return true; }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void LookupComplete();
    void RestoreFromCell();

    TExtStringGrid* grid_;
    bool lookup_ = true;
    QMetaObject::Connection editHook_;
};

class TGridEditBtn : public TEsgEditBtn {
    Q_OBJECT
public:
    explicit TGridEditBtn(TExtStringGrid* grid, QWidget* parent);
    TExtStringGrid* Grid() const { return grid_; }

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    bool WantsTabs() const override { return true; }
    bool WantsEscape() const override { return true; }

private:
    TExtStringGrid* grid_;
};

class TGridUnitEditBtn : public TEsgUnitEditBtn {
    Q_OBJECT
public:
    explicit TGridUnitEditBtn(TExtStringGrid* grid, QWidget* parent);
    TExtStringGrid* Grid() const { return grid_; }

    // The value text and unit of a cell text: "," "-" "." and the digits go
    // to the value, every other character to the unit ("12.5kg": 12.5 and
    // kg; "k1g": 1 and kg).
    static void SplitValueUnit(const QString& text, QString& value, QString& unit);

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    bool WantsTabs() const override;
    bool WantsEscape() const override { return true; }

private:
    TExtStringGrid* grid_;
};

class TGridCheckBox : public TCheckBox {
    Q_OBJECT
public:
    explicit TGridCheckBox(TExtStringGrid* grid, QWidget* parent);
    TExtStringGrid* Grid() const { return grid_; }

    void KeyDown(int& Key, TShiftState Shift) override;
    void DoExit() override;
    bool WantsEscape() const override { return true; }

private:
    TExtStringGrid* grid_;
};

class TGridDatePicker : public TDateTimePicker {
    Q_OBJECT
public:
    explicit TGridDatePicker(TExtStringGrid* grid, QWidget* parent);
    TExtStringGrid* Grid() const { return grid_; }

    // Date or time from a cell text: today or now (and unchecked, for a
    // date) when it does not read as one.
    void TakeCellText(const QString& text);

    void KeyDown(int& Key, TShiftState Shift) override;
    void DoExit() override;
    bool WantsTabs() const override { return true; }
    bool WantsEscape() const override { return true; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TExtStringGrid* grid_;
};

class TGridButton : public TButton {
    Q_OBJECT
public:
    explicit TGridButton(TExtStringGrid* grid, QWidget* parent);
    TExtStringGrid* Grid() const { return grid_; }

    void KeyUp(int& Key, TShiftState Shift) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void DoExit() override;
    bool WantsEscape() const override { return true; }

private:
    void Pressed();
    void LeaveToGrid();

    TExtStringGrid* grid_;
};

// The edit of an HTML form-control cell: Enter ends it.
class TControlEdit : public TEdit {
    Q_OBJECT
public:
    explicit TControlEdit(QWidget* parent);
    void KeyDown(int& Key, TShiftState Shift) override;
};

// The combo of an HTML form-control cell: Enter ends it.
class TControlCombo : public TESGComboBox {
    Q_OBJECT
public:
    explicit TControlCombo(QWidget* parent);
    void KeyDown(int& Key, TShiftState Shift) override;
};

// An application's own cell editor (edCustom). The grid drives it through
// these operations only.
class TEditLink {
public:
    virtual ~TEditLink() = default;

    // The grid and cell being edited.
    virtual void SetGridCell(TExtStringGrid* Grid, int ACol, int ARow) = 0;
    // A pop-up editor gets a borderless window of its own at the cell.
    virtual bool PopupEdit() const { return false; }
    virtual int PopupWidth() const { return 0; }
    virtual int PopupHeight() const { return 0; }
    // The pop-up takes the cell's width instead of PopupWidth.
    virtual bool WantCellWidth() const { return false; }
    // Closing the pop-up writes the value into the cell and the edit goes
    // on (else closing it ends the edit).
    virtual bool WriteOnPopupClose() const { return false; }
    // Makes the control, parented to Parent.
    virtual void CreateEditor(QWidget* Parent) = 0;
    virtual void SetRect(const QRect& Rect) = 0;
    virtual void SetVisible(bool Visible) = 0;
    virtual void SetColorAndFont(TColor Color, const QFont& Font) = 0;
    // Set-up after the control is placed.
    virtual void SetProperties() {}
    virtual void SetEditorValue(const QString& Value) = 0;
    virtual QString GetEditorValue() = 0;
    virtual QWidget* GetEditControl() = 0;
};
