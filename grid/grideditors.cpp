// The grid's special in-place editors.
#include "grid/grideditors.h"

#include "grid/extgrid.h"
#include "grid/extinplace.h"
#include "grid/extutil.h"
#include "platform/application.h"
#include "platform/formatting.h"
#include "platform/localesettings.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>
#include <QWheelEvent>

namespace {

bool OneOf(int key, std::initializer_list<int> keys)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

// ---------------------------------------------------------------- TGridSpin

TGridSpin::TGridSpin(TExtStringGrid* grid, QWidget* parent) : TEsgSpinEdit(parent), grid_(grid)
{
    setObjectName(QStringLiteral("GridSpin"));
    setFrame(false);
    MaxValue = 100;
    MinValue = 0;
    Increment = 1;
}

bool TGridSpin::WantsTabs() const
{
    return grid_->Options() & goTabs;
}

void TGridSpin::UpClick()
{
    TEsgSpinEdit::UpClick();
    SpinClicked(true);
}

void TGridSpin::DownClick()
{
    TEsgSpinEdit::DownClick();
    SpinClicked(false);
}

void TGridSpin::SpinClicked(bool up)
{
    grid_->SpinEditorClicked(this, up);
}

bool TGridSpin::PageKey(int Key)
{
    const bool integer = SpinType() == sptNormal;
    const bool real = SpinType() == sptFloat;
    if (!integer && !real)
        return false;
    switch (Key) {
    case VK_PRIOR:
        if (integer && Value() + Increment <= MaxValue)
            SetValue(Value() + Increment);
        if (real && FloatValue() + IncrementFloat <= MaxFloatValue)
            SetFloatValue(FloatValue() + IncrementFloat);
        SpinClicked(true);
        return true;
    case VK_NEXT:
        if (integer && Value() - Increment >= MinValue)
            SetValue(Value() - Increment);
        if (real && FloatValue() - IncrementFloat >= MinFloatValue)
            SetFloatValue(FloatValue() - IncrementFloat);
        SpinClicked(false);
        return true;
    case VK_END:
        if (integer)
            SetValue(MinValue);
        else
            SetFloatValue(MinFloatValue);
        SpinClicked(false);
        return true;
    case VK_HOME:
        if (integer)
            SetValue(MaxValue);
        else
            SetFloatValue(MaxFloatValue);
        SpinClicked(true);
        return true;
    default: return false;
    }
}

void TGridSpin::KeyDown(int& Key, TShiftState Shift)
{
    if (PageKey(Key)) {
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_TAB:
        if (!WantsTabs())
            break;
        [[fallthrough]];
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
        if (!grid_->CommitEditorText(Text())) {
            SetText(grid_->CurrentCellEditText());
            setCursorPosition(static_cast<int>(text().size()));
            Key = 0;
            return;
        }
        grid_->PassKeyToGrid(Key, Shift);
        Key = 0;
        return;
    case VK_ESCAPE:
        SetText(grid_->CurrentCellEditText());
        grid_->PassKeyToGrid(Key, Shift);
        Key = 0;
        return;
    default: break;
    }
    TEsgSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(char& Key)
{
    if (Key == '\t' || Key == '\r') {
        Key = 0;
        return;
    }
    TEsgSpinEdit::KeyPress(Key);
}

void TGridSpin::DoExit()
{
    TEsgSpinEdit::DoExit();
    grid_->EndCellEditing();
}

// ---------------------------------------------------------------- TGridCombo

TGridCombo::TGridCombo(TExtStringGrid* grid, QWidget* parent) : TESGComboBox(parent), grid_(grid)
{
    setObjectName(QStringLiteral("GridCombo"));
    SetButtonWidth(16);
    // A choice by the user, with the mouse or the keys.
    connect(this, &QComboBox::activated, this, [this](int index) { grid_->ComboSelectionChanged(index); });
}

void TGridCombo::SetEditorStyle(TComboBoxStyle style)
{
    SetStyle(style);
    disconnect(editHook_);
    if (lineEdit())
        editHook_ = connect(lineEdit(), &QLineEdit::textEdited, this, [this] { grid_->ComboEditChanged(); });
}

TObject* TGridCombo::ItemObject(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return reinterpret_cast<TObject*>(itemData(index, Qt::UserRole).value<quintptr>());
}

void TGridCombo::AddItem(const QString& text, TObject* object)
{
    const int index = Items().Add(text);
    if (object && index >= 0)
        setItemData(index, QVariant::fromValue(reinterpret_cast<quintptr>(object)), Qt::UserRole);
}

void TGridCombo::FitDropWidth()
{
    const QFontMetrics metrics(view()->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    // Room for the list's frame and a scroll bar.
    SetDropWidth(std::max(width(), widest + 2 * view()->frameWidth() + 24));
}

void TGridCombo::RestartTypedSearch()
{
    // An empty search ends the one under way; it may move the list's own
    // current row, which then goes back to the choice.
    view()->keyboardSearch(QString());
    view()->setCurrentIndex(model()->index(currentIndex(), modelColumn(), rootModelIndex()));
}

void TGridCombo::RestoreFromCell()
{
    const QString cell = grid_->CurrentCellEditText();
    if (Style() == csDropDownList) {
        const int index = Items().IndexOf(cell);
        SetItemIndex(index);
    } else {
        setEditText(cell);
    }
}

void TGridCombo::KeyDown(int& Key, TShiftState Shift)
{
    const bool listish = Style() == csDropDownList || DroppedDown();
    const bool handled = listish ? OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT})
                                 : OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP, VK_DOWN});
    lookup_ = Key != VK_BACK && Key != VK_DELETE;
    if (!handled) {
        TESGComboBox::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        RestoreFromCell();
        if (DroppedDown())
            hidePopup();
        grid_->PassKeyToGrid(Key, Shift);
        Key = 0;
        return;
    }
    if (OneOf(Key, {VK_RETURN, VK_UP, VK_DOWN})) {
        if (!grid_->CommitEditorText(Text())) {
            RestoreFromCell();
            if (lineEdit())
                lineEdit()->setCursorPosition(static_cast<int>(lineEdit()->text().size()));
            Key = 0;
            return;
        }
        if (Key == VK_RETURN)
            Run(OnReturnKey);
    }
    if (!listish && Key == VK_DOWN && (Shift & ssAlt)) {
        showPopup();
        Key = 0;
        return;
    }
    if (DroppedDown())
        hidePopup();
    grid_->PassKeyToGrid(Key, Shift);
    Key = 0;
}

void TGridCombo::KeyPress(char& Key)
{
    if (Key == '\t' || Key == '\r') {
        Key = 0;
        return;
    }
    TESGComboBox::KeyPress(Key);
}

void TGridCombo::KeyUp(int& Key, TShiftState Shift)
{
    TESGComboBox::KeyUp(Key, Shift);
    if (Key == VK_BACK || Key == VK_DELETE) {
        lookup_ = true;
        return;
    }
    if (lookup_)
        LookupComplete();
}

void TGridCombo::LookupComplete()
{
    QLineEdit* edit = lineEdit();
    if (!edit || !grid_->Lookup)
        return;
    const QString typed = edit->text().left(edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition());
    const int found = LookupMatch(Items().ToStringList(), typed, grid_->LookupCaseSensitive);
    if (found < 0)
        return;
    // The item becomes the combo's choice; the part not typed is selected.
    setCurrentIndex(found);
    edit->setSelection(static_cast<int>(typed.size()), static_cast<int>(itemText(found).size() - typed.size()));
}

void TGridCombo::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const int index = ItemIndex();
    if (delta < 0 && index + 1 < count())
        SetItemIndex(index + 1);
    else if (delta > 0 && index > 0)
        SetItemIndex(index - 1);
    else {
        event->accept();
        return;
    }
    grid_->ComboWheelStepped(this);
    event->accept();
}

void TGridCombo::DoExit()
{
    if (grid_->LookupHistory && Style() == csDropDown) {
        const QString value = Text();
        if (!value.isEmpty() && Items().IndexOf(value) < 0)
            Items().Add(value);
    }
    TESGComboBox::DoExit();
    grid_->EndCellEditing();
}

// ---------------------------------------------------------------- TGridEditBtn

TGridEditBtn::TGridEditBtn(TExtStringGrid* grid, QWidget* parent) : TEsgEditBtn(parent), grid_(grid)
{
    setObjectName(QStringLiteral("GridEditBtn"));
    SetButtonCaption(QStringLiteral("..."));
    setFrame(false);
    // The button (or F4) asks the application for the value.
    OnClickBtn = [this] {
        QString value = Text();
        grid_->EditorEllipsClick(value);
        SetText(value);
        SelectAll();
    };
}

void TGridEditBtn::KeyDown(int& Key, TShiftState Shift)
{
    if ((Shift & ssCtrl) || !OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN})) {
        TEsgEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OneOf(Key, {VK_RETURN, VK_UP, VK_DOWN}) && !grid_->CommitEditorText(Text())) {
        SetText(grid_->CurrentCellEditText());
        setCursorPosition(static_cast<int>(text().size()));
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE)
        SetText(grid_->CurrentCellEditText());
    grid_->PassKeyToGrid(Key, Shift);
    Key = 0;
}

void TGridEditBtn::KeyPress(char& Key)
{
    if (Key == '\r') {
        Key = 0;
        return;
    }
    TEsgEditBtn::KeyPress(Key);
    if (Key == 0)
        return;
    switch (FilterEditorChar(grid_->EditorType(), Key, text(), SelStart(), SelLength())) {
    case TCharVerdict::Accept: break;
    case TCharVerdict::Drop: Key = 0; break;
    case TCharVerdict::Beep:
        Key = 0;
        Application->Beep();
        break;
    }
}

void TGridEditBtn::DoExit()
{
    TEsgEditBtn::DoExit();
    grid_->EndCellEditing();
}

// ---------------------------------------------------------------- TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TExtStringGrid* grid, QWidget* parent) : TEsgUnitEditBtn(parent), grid_(grid)
{
    setObjectName(QStringLiteral("GridUnitEditBtn"));
    SetButtonCaption(QStringLiteral("..."));
    setFrame(false);
}

void TGridUnitEditBtn::SplitValueUnit(const QString& text, QString& value, QString& unit)
{
    value.clear();
    unit.clear();
    for (QChar c : text) {
        if (c == ',' || c == '-' || c == '.' || IsDigit(c))
            value += c;
        else
            unit += c;
    }
}

bool TGridUnitEditBtn::WantsTabs() const
{
    return grid_->Options() & goTabs;
}

void TGridUnitEditBtn::KeyDown(int& Key, TShiftState Shift)
{
    if (!OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN})) {
        TEsgUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OneOf(Key, {VK_RETURN, VK_UP, VK_DOWN}) && !grid_->CommitEditorText(Text() + UnitID())) {
        QString value, unit;
        SplitValueUnit(grid_->CurrentCellEditText(), value, unit);
        const int caret = cursorPosition();
        SetText(value);
        SetUnitID(unit);
        setCursorPosition(std::min(caret, static_cast<int>(text().size())));
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        QString value, unit;
        SplitValueUnit(grid_->CurrentCellEditText(), value, unit);
        SetText(value);
        SetUnitID(unit);
    }
    grid_->PassKeyToGrid(Key, Shift);
    Key = 0;
}

void TGridUnitEditBtn::KeyPress(char& Key)
{
    if (Key == '\r') {
        Key = 0;
        return;
    }
    TEsgUnitEditBtn::KeyPress(Key);
}

void TGridUnitEditBtn::DoExit()
{
    TEsgUnitEditBtn::DoExit();
    grid_->EndCellEditing();
}

// ---------------------------------------------------------------- TGridCheckBox

TGridCheckBox::TGridCheckBox(TExtStringGrid* grid, QWidget* parent) : TCheckBox(QString(), parent), grid_(grid)
{
    setObjectName(QStringLiteral("GridCheckBox"));
    setAutoFillBackground(true);
}

void TGridCheckBox::KeyDown(int& Key, TShiftState Shift)
{
    if (!OneOf(Key, {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_ESCAPE})) {
        TCheckBox::KeyDown(Key, Shift);
        return;
    }
    // Enter advances, Up and Down move in the grid; the others only end.
    if (OneOf(Key, {VK_RETURN, VK_UP, VK_DOWN, VK_ESCAPE}))
        grid_->PassKeyToGrid(Key, Shift);
    else
        grid_->EndEditorToGrid();
    Key = 0;
}

void TGridCheckBox::DoExit()
{
    TCheckBox::DoExit();
    grid_->EndCellEditing();
}

// ---------------------------------------------------------------- TGridDatePicker

TGridDatePicker::TGridDatePicker(TExtStringGrid* grid, QWidget* parent) : TDateTimePicker(parent), grid_(grid)
{
    setObjectName(QStringLiteral("GridDatePicker"));
    setFrame(false);
    // A value the user changes counts, even on an empty cell.
    OnChange = [this] {
        if (ShowCheckbox() && !Checked())
            SetChecked(true);
    };
}

void TGridDatePicker::TakeCellText(const QString& text)
{
    if (Kind() == dtkDate) {
        QDate date;
        const bool read = LocaleStrToDate(text, date) && date.isValid();
        SetDate(read ? date : QDate::currentDate());
        SetShowCheckbox(true);
        SetChecked(read);
    } else {
        const QTime time = QTime::fromString(text.trimmed(), QStringLiteral("H%1m%1s").arg(LocaleSettings().TimeSeparator));
        const QTime shortTime = QTime::fromString(text.trimmed(), QStringLiteral("H%1m").arg(LocaleSettings().TimeSeparator));
        SetTime(time.isValid() ? time : shortTime.isValid() ? shortTime : QTime::currentTime());
        SetShowCheckbox(false);
    }
}

void TGridDatePicker::KeyDown(int& Key, TShiftState Shift)
{
    if (!OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END})) {
        TDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE)
        TakeCellText(grid_->CurrentCellEditText());
    if (!DroppedDown()) {
        grid_->PassKeyToGrid(Key, Shift);
        Key = 0;
    }
}

void TGridDatePicker::DoExit()
{
    TDateTimePicker::DoExit();
    grid_->EndCellEditing();
}

void TGridDatePicker::paintEvent(QPaintEvent* event)
{
    TDateTimePicker::paintEvent(event);
    // A frame in the window colour sets the picker off from the grid lines.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Base));
    pen.setWidth(2);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

// ---------------------------------------------------------------- TGridButton

TGridButton::TGridButton(TExtStringGrid* grid, QWidget* parent) : TButton(QString(), parent), grid_(grid)
{
    setObjectName(QStringLiteral("GridButton"));
    OnClick = [this] { Pressed(); };
}

void TGridButton::Pressed()
{
    QString caption = Caption();
    grid_->EditorEllipsClick(caption);
    SetCaption(caption);
}

void TGridButton::LeaveToGrid()
{
    grid_->HideButtonEditor();
}

void TGridButton::KeyDown(int& Key, TShiftState Shift)
{
    if (Key == VK_ESCAPE) {
        LeaveToGrid();
        grid_->RestoreCellText();
        grid_->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (OneOf(Key, {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})) {
        // The arrow is the grid's: pressed there once the button is gone.
        int key = Key;
        LeaveToGrid();
        grid_->KeyDown(key, Shift);
        Key = 0;
        return;
    }
    TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(int& Key, TShiftState Shift)
{
    TButton::KeyUp(Key, Shift);
}

void TGridButton::DoExit()
{
    TButton::DoExit();
    grid_->EndCellEditing();
}

// ---------------------------------------------------------------- form-control cells

TControlEdit::TControlEdit(QWidget* parent) : TEdit(parent)
{
    setObjectName(QStringLiteral("ControlEdit"));
}

void TControlEdit::KeyDown(int& Key, TShiftState Shift)
{
    const int key = Key;
    TEdit::KeyDown(Key, Shift);
    if (key == VK_RETURN)
        DoExit();
}

TControlCombo::TControlCombo(QWidget* parent) : TESGComboBox(parent)
{
    setObjectName(QStringLiteral("ControlCombo"));
}

void TControlCombo::KeyDown(int& Key, TShiftState Shift)
{
    const int key = Key;
    TESGComboBox::KeyDown(Key, Shift);
    if (key == VK_RETURN)
        DoExit();
}
