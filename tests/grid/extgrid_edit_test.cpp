// Editing cells of the grid as a user does: real clicks and keys on an
// offscreen grid, every editor kind, the events in their order and where
// the cursor goes.
#include "grid/extgrid.h"

#include "grid/extinplace.h"
#include "grid/floatingfooter.h"
#include "grid/grideditors.h"
#include "platform/localesettings.h"
#include "platform/richedit.h"
#include "platform/testhooks.h"
#include "tests/support/input.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

int beeps = 0;

enum class Open { Click, F2, Char };
enum class End { Enter, Tab, Down, Esc };

class GridEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        beeps = 0;
        SetBeepHook([] { ++beeps; });
        saved = LocaleSettings();
        LocaleSettings().ShortDateFormat = "dd/MM/yyyy";
        LocaleSettings().DateSeparator = '/';
        LocaleSettings().TimeSeparator = ':';
        LocaleSettings().DecimalSeparator = '.';
        LocaleSettings().ThousandSeparator = ',';
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 520, 240);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(120);
        grid->SetOptions(grid->Options() | goEditing | goTabs);
        grid->OnGetEditorType = [this](auto, int ACol, int ARow, TEditorType& AEditor) {
            Log("type " + std::to_string(ACol) + "," + std::to_string(ARow));
            AEditor = kind;
        };
        grid->OnCanEditCell = [this](auto, int, int, bool& CanEdit) {
            Log("can");
            CanEdit = CanEdit && canEdit;
        };
        grid->OnCellValidate = [this](auto, int, int, QString& Value, bool& Valid) {
            Log("validate " + Value.toStdString());
            if (validator)
                validator(Value, Valid);
        };
        grid->OnEditingDone = [this] { Log("done"); };
        window.resize(540, 260);
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        input::Settle();
    }
    void TearDown() override
    {
        SetBeepHook(nullptr);
        LocaleSettings() = saved;
    }

    void Log(const std::string& s) { log.push_back(s); }

    QPoint CellCenter(int col, int row) const
    {
        const TRect r = grid->CellRect(col, row);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ClickCell(int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(col, row));
        input::Settle();
    }
    // Opens the editor of the current cell the way given; Char types c.
    void OpenEditor(Open how, QChar c = QChar())
    {
        switch (how) {
        case Open::Click: ClickCell(grid->Col(), grid->Row()); break;
        case Open::F2: input::Key(Qt::Key_F2); break;
        case Open::Char: input::Type(QString(c)); break;
        }
        input::Settle();
    }
    void EndWith(End end)
    {
        switch (end) {
        case End::Enter: input::Key(Qt::Key_Return); break;
        case End::Tab: input::Key(Qt::Key_Tab); break;
        case End::Down: input::Key(Qt::Key_Down); break;
        case End::Esc: input::Key(Qt::Key_Escape); break;
        }
        input::Settle();
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }

    TLocaleSettings saved;
    QWidget window;
    TExtStringGrid* grid;
    TEditorType kind = edNormal;
    bool canEdit = true;
    std::function<void(QString&, bool&)> validator;
    std::vector<std::string> log;
};


// ---- every editor kind: open, type, end

struct KindCase {
    const char* name;
    TEditorType kind;
    QString start;
    Open open;
    QString typed;
    End end;
    QString expect;
    int col, row; // where the cursor is afterwards
    int beeps;
    const char* editor; // object name of the control that edits
};

const QStringList kComboItems{"Um", "Dois", "Três"};

const KindCase kKindCases[] = {
    // A click puts the caret under the mouse: past the end of a short text.
    {"text_click_enter", edNormal, "abc", Open::Click, "xy", End::Enter, "abcxy", 1, 1, 0, "ExtInplaceEdit"},
    {"text_f2_tab", edNormal, "abc", Open::F2, "xy", End::Tab, "xy", 2, 1, 0, "ExtInplaceEdit"},
    {"text_char_down", edNormal, "abc", Open::Char, "xy", End::Down, "xy", 1, 2, 0, "ExtInplaceEdit"},
    {"text_esc_restores", edNormal, "abc", Open::F2, "zz", End::Esc, "abc", 1, 1, 0, "ExtInplaceEdit"},
    {"numeric_filters", edNumeric, "5", Open::F2, "-1a2", End::Enter, "-12", 1, 1, 1, "ExtInplaceEdit"},
    {"numeric_minus_once", edNumeric, "5", Open::Char, "1-2", End::Enter, "12", 1, 1, 1, "ExtInplaceEdit"},
    {"positive_beeps_minus", edPositiveNumeric, "5", Open::F2, "-3", End::Enter, "3", 1, 1, 1, "ExtInplaceEdit"},
    {"float_one_mark", edFloat, "", Open::F2, "1.2,3x", End::Enter, "1.23", 1, 1, 0, "ExtInplaceEdit"},
    {"upper", edUpperCase, "", Open::F2, "abç", End::Enter, "ABÇ", 1, 1, 0, "ExtInplaceEdit"},
    {"capital", edCapital, "", Open::Char, "ab", End::Tab, "AB", 2, 1, 0, "ExtInplaceEdit"},
    {"lower", edLowerCase, "", Open::F2, "ABC", End::Enter, "abc", 1, 1, 0, "ExtInplaceEdit"},
    {"mixed", edMixedCase, "", Open::F2, "joão da silva", End::Enter, "João Da Silva", 1, 1, 0, "ExtInplaceEdit"},
    {"password", edPassword, "", Open::F2, "segredo", End::Enter, "segredo", 1, 1, 0, "ExtInplaceEdit"},
    {"spin_f2", edSpinEdit, "5", Open::F2, "7", End::Enter, "7", 1, 1, 0, "GridSpin"},
    {"spin_char_tab", edSpinEdit, "5", Open::Char, "82", End::Tab, "82", 2, 1, 0, "GridSpin"},
    {"spin_click_down", edSpinEdit, "5", Open::Click, "9", End::Down, "9", 1, 2, 0, "GridSpin"},
    {"spin_esc", edSpinEdit, "5", Open::F2, "9", End::Esc, "5", 1, 1, 0, "GridSpin"},
    {"spin_letters_beep", edSpinEdit, "5", Open::F2, "a4", End::Enter, "4", 1, 1, 1, "GridSpin"},
    {"float_spin", edFloatSpinEdit, "1.5", Open::F2, "", End::Enter, "1.50", 1, 1, 0, "GridSpin"},
    {"time_spin", edTimeSpinEdit, "10:30:00", Open::F2, "", End::Enter, "10:30:00", 1, 1, 0, "GridSpin"},
    {"date_spin", edDateSpinEdit, "07/03/2024", Open::F2, "", End::Tab, "07/03/2024", 2, 1, 0, "GridSpin"},
    {"combo_edit", edComboEdit, "x", Open::F2, "yz", End::Enter, "yz", 1, 1, 0, "GridCombo"},
    {"combo_edit_char", edComboEdit, "x", Open::Char, "qw", End::Down, "qw", 1, 2, 0, "GridCombo"},
    {"combo_edit_esc", edComboEdit, "x", Open::F2, "yz", End::Esc, "x", 1, 1, 0, "GridCombo"},
    {"combo_list", edComboList, "Dois", Open::F2, "", End::Enter, "Dois", 1, 1, 0, "GridCombo"},
    {"combo_list_tab", edComboList, "Dois", Open::Click, "", End::Tab, "Dois", 2, 1, 0, "GridCombo"},
    {"combo_list_not_in_list", edComboList, "nada", Open::F2, "", End::Enter, "Um", 1, 1, 0, "GridCombo"},
    {"edit_btn", edEditBtn, "abc", Open::F2, "d", End::Enter, "d", 1, 1, 0, "GridEditBtn"},
    {"edit_btn_char_down", edEditBtn, "abc", Open::Char, "de", End::Down, "de", 1, 2, 0, "GridEditBtn"},
    {"numeric_edit_btn", edNumericEditBtn, "", Open::F2, "1x2", End::Enter, "12", 1, 1, 1, "GridEditBtn"},
    {"float_edit_btn", edFloatEditBtn, "", Open::F2, "1.2.5x", End::Enter, "1.25", 1, 1, 0, "GridEditBtn"},
    {"unit", edUnitEditBtn, "12.5kg", Open::F2, "3", End::Enter, "3kg", 1, 1, 0, "GridUnitEditBtn"},
    {"unit_esc", edUnitEditBtn, "12.5kg", Open::F2, "3", End::Esc, "12.5kg", 1, 1, 0, "GridUnitEditBtn"},
    {"check_box", edCheckBox, "Sim", Open::F2, " ", End::Enter, "Sim", 1, 1, 0, "GridCheckBox"},
    {"check_box_down", edCheckBox, "Sim", Open::Click, "", End::Down, "Sim", 1, 2, 0, "GridCheckBox"},
    {"date", edDateEdit, "07/03/2024", Open::F2, "", End::Enter, "07/03/2024", 1, 1, 0, "GridDatePicker"},
    {"date_updown", edDateEditUpDown, "07/03/2024", Open::F2, "", End::Tab, "07/03/2024", 2, 1, 0,
     "GridDatePicker"},
    {"date_empty_stays_empty", edDateEdit, "", Open::F2, "", End::Enter, "", 1, 1, 0, "GridDatePicker"},
    {"time", edTimeEdit, "10:30:00", Open::F2, "", End::Enter, "10:30:00", 1, 1, 0, "GridDatePicker"},
    {"button_esc", edButton, "Botão", Open::F2, "", End::Esc, "Botão", 1, 1, 0, "GridButton"},
};

class EditorKinds : public GridEdit, public ::testing::WithParamInterface<KindCase> {};

TEST_P(EditorKinds, OpenTypeAndEnd)
{
    const KindCase& c = GetParam();
    kind = c.kind;
    for (const QString& item : kComboItems)
        grid->AddComboItem(item);
    grid->SetCells(1, 1, c.start);
    grid->FocusCell(1, 1);
    log.clear();
    OpenEditor(c.open, c.typed.isEmpty() ? QChar() : c.typed[0]);
    QWidget* focus = Focus();
    ASSERT_NE(focus, nullptr);
    QWidget* editor = focus;
    while (editor && editor->objectName() != c.editor && editor != grid)
        editor = editor->parentWidget();
    ASSERT_TRUE(editor && editor->objectName() == c.editor)
        << "focus on " << focus->metaObject()->className() << " " << focus->objectName().toStdString();
    EXPECT_TRUE(editor->isVisible());
    // The editor lies over its cell.
    const TRect cell = grid->CellRect(1, 1);
    EXPECT_LE(std::abs(editor->geometry().left() - cell.Left), 1);
    EXPECT_LE(std::abs(editor->geometry().top() - cell.Top), 1);
    input::Type(c.open == Open::Char ? c.typed.mid(1) : c.typed);
    EndWith(c.end);
    EXPECT_EQ(grid->Cells(1, 1), c.expect);
    EXPECT_EQ(grid->Col(), c.col);
    EXPECT_EQ(grid->Row(), c.row);
    EXPECT_EQ(beeps, c.beeps);
    EXPECT_FALSE(editor->isVisible()) << "the edit ended";
    EXPECT_TRUE(grid->hasFocus());
    // Asked which editor once, as the edit started, and told it ended.
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "type 1,1");
    EXPECT_EQ(std::count(log.begin(), log.end(), "type 1,1"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "done"), 1);
    // The float spin formats its value only as it writes it back.
    const bool changed = c.expect != c.start && c.kind != edFloatSpinEdit;
    EXPECT_EQ(std::count(log.begin(), log.end(), "validate " + c.expect.toStdString()), changed ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Grid, EditorKinds, ::testing::ValuesIn(kKindCases),
                         [](const auto& param) { return std::string(param.param.name); });

// ---- a list editor searches only what was typed into it

class ListSearch : public GridEdit, public ::testing::WithParamInterface<Open> {};

// The letters typed into one list, at once followed by the next list's: the
// next list finds its item by its own letters alone.
TEST_P(ListSearch, EachListStartsItsSearchAfresh)
{
    kind = edComboList;
    for (const QString& item : kComboItems)
        grid->AddComboItem(item);
    grid->SetCells(1, 1, "Um");
    grid->SetCells(2, 1, "Um");
    grid->FocusCell(1, 1);
    OpenEditor(GetParam());
    input::Type("Do");
    input::Key(Qt::Key_Return);
    input::Settle();
    EXPECT_EQ(grid->Cells(1, 1), "Dois");
    ASSERT_TRUE(grid->hasFocus());
    input::Key(Qt::Key_Right);
    OpenEditor(GetParam());
    input::Type("Tr");
    input::Key(Qt::Key_Return);
    input::Settle();
    EXPECT_EQ(grid->Cells(2, 1), "Três");
    EXPECT_TRUE(grid->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Grid, ListSearch, ::testing::Values(Open::Click, Open::F2),
                         [](const auto& param) { return param.param == Open::Click ? "Click" : "F2"; });

// ---- the float spin editor's value written back

struct FloatBackCase {
    const char* name;
    QChar decimal;
    QString format;
    QString start;
    QString expect;
};

const FloatBackCase kFloatBackCases[] = {
    {"point", '.', "%.2f", "1.5", "1.50"},
    {"comma", ',', "%.2f", "1,5", "1,50"},
    {"comma_text_around", ',', "R$ %.1f %%", "2,26", "R$ 2,3 %"},
    // A format the grid cannot use leaves the value as the editor shows it.
    {"strings_point", '.', "%s%s%s%s", "1.5", "1.5"},
    {"strings_comma", ',', "%s%s%s%s", "1,5", "1,5"},
    {"no_conversion", '.', "abc", "7.25", "7.25"},
};

class FloatWriteBack : public GridEdit, public ::testing::WithParamInterface<FloatBackCase> {};

TEST_P(FloatWriteBack, WritesAsSetCellFloatDoes)
{
    const FloatBackCase& c = GetParam();
    LocaleSettings().DecimalSeparator = c.decimal;
    LocaleSettings().ThousandSeparator = c.decimal == '.' ? ',' : '.';
    kind = edFloatSpinEdit;
    grid->FloatFormat = c.format;
    grid->SetCells(1, 1, c.start);
    grid->FocusCell(1, 1);
    OpenEditor(Open::F2);
    EndWith(End::Enter);
    EXPECT_EQ(grid->Cells(1, 1), c.expect);
    // The grid is left able to edit again.
    OpenEditor(Open::F2);
    EXPECT_NE(Focus(), grid) << "an editor opens again";
    EndWith(End::Esc);
}

INSTANTIATE_TEST_SUITE_P(Grid, FloatWriteBack, ::testing::ValuesIn(kFloatBackCases),
                         [](const auto& param) { return std::string(param.param.name); });


// ---- events and validation

// The events in the order each first came (a cell asks again whether it
// may be edited each time it is chosen, also after its edit).
std::vector<std::string> FirstOfEach(const std::vector<std::string>& log)
{
    std::vector<std::string> first;
    for (const std::string& e : log)
        if (std::find(first.begin(), first.end(), e) == first.end())
            first.push_back(e);
    return first;
}

TEST_F(GridEdit, EventsComeInTheOrderOfAnEdit)
{
    for (TEditorType k : {edNormal, edSpinEdit, edComboEdit, edEditBtn}) {
        SCOPED_TRACE(static_cast<int>(k));
        kind = k;
        grid->SetCells(1, 2, "1");
        grid->FocusCell(1, 1);
        log.clear();
        ClickCell(1, 2); // selects: may the cell be edited?
        input::Key(Qt::Key_F2);
        input::Type("2");
        input::Key(Qt::Key_Return);
        input::Settle();
        EXPECT_EQ(FirstOfEach(log), (std::vector<std::string>{"can", "type 1,2", "validate 2", "done"}));
        EXPECT_EQ(grid->Cells(1, 2), "2");
    }
}

TEST_F(GridEdit, RefusedValuePutsTheTextBackAndKeepsTheCell)
{
    for (TEditorType k : {edNormal, edSpinEdit, edComboEdit, edEditBtn, edUnitEditBtn}) {
        SCOPED_TRACE(static_cast<int>(k));
        kind = k;
        validator = [](QString& value, bool& valid) { valid = !value.contains("9"); };
        grid->SetCells(1, 1, "1");
        grid->FocusCell(1, 1);
        input::Key(Qt::Key_F2);
        QWidget* editor = Focus();
        for (int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Tab}) {
            input::Type("9");
            input::Key(key);
            input::Settle();
            EXPECT_EQ(grid->Cells(1, 1), "1") << key;
            EXPECT_EQ(grid->Col(), 1);
            EXPECT_EQ(grid->Row(), 1);
            EXPECT_TRUE(editor->isVisible()) << "the editor stays";
        }
        input::Key(Qt::Key_Escape);
        input::Settle();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(grid->Cells(1, 1), "1");
    }
}

TEST_F(GridEdit, RefusedValueKeepsTheCellWhenAnotherIsClicked)
{
    for (TEditorType k : {edNormal, edSpinEdit, edEditBtn}) {
        SCOPED_TRACE(static_cast<int>(k));
        kind = k;
        validator = [](QString& value, bool& valid) { valid = !value.contains("9"); };
        grid->SetCells(1, 1, "1");
        grid->FocusCell(1, 1);
        input::Key(Qt::Key_F2);
        input::Type("9");
        ClickCell(2, 3);
        EXPECT_EQ(grid->Cells(1, 1), "1");
        EXPECT_EQ(grid->Col(), 1);
        EXPECT_EQ(grid->Row(), 1);
        EXPECT_NE(grid->ShownEditorControl() ? grid->ShownEditorControl() : grid->TextEditor(), nullptr);
        input::Key(Qt::Key_Escape);
        input::Settle();
    }
}

TEST_F(GridEdit, ValidateHandlerMayCorrectTheValue)
{
    validator = [](QString& value, bool& valid) {
        value = value.trimmed().toUpper();
        valid = true;
    };
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Type(" ab ");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "AB");
}

TEST_F(GridEdit, DataCheckBoxAndCheckBoxCellsOpenNoEditor)
{
    kind = edDataCheckBox;
    grid->SetCells(1, 1, "Y");
    grid->FocusCell(1, 1);
    log.clear();
    input::Key(Qt::Key_F2);
    ClickCell(1, 1);
    EXPECT_EQ(grid->ShownEditorControl(), nullptr);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Cells(1, 1), "Y");

    kind = edNormal;
    grid->CreateCellGraphic(2, 2)->CellType = ctCheckBox;
    ClickCell(2, 2);
    ClickCell(2, 2);
    input::Key(Qt::Key_F2);
    EXPECT_TRUE(grid->hasFocus()) << "a check-box cell never opens an editor";
    EXPECT_TRUE(!grid->TextEditor() || !grid->TextEditor()->isVisible());
}

TEST_F(GridEdit, CanEditCellRefusesSomeCells)
{
    canEdit = false;
    grid->FocusCell(1, 2);
    input::Key(Qt::Key_F2);
    input::Type("x");
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Cells(1, 2), "");
    canEdit = true;
    ClickCell(2, 2);
    input::Key(Qt::Key_F2);
    input::Type("x");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(2, 2), "x") << "editing comes back on the next cell that may be edited";
}

TEST_F(GridEdit, ChangingEventsMayRefuseTheNewCell)
{
    std::vector<std::string> asked;
    grid->OnRowChanging = [&](QObject*, int OldRow, int NewRow, bool& Allow) {
        asked.push_back("row " + std::to_string(OldRow) + ">" + std::to_string(NewRow));
        Allow = NewRow != 3;
    };
    grid->OnColChanging = [&](QObject*, int OldCol, int NewCol, bool&) {
        asked.push_back("col " + std::to_string(OldCol) + ">" + std::to_string(NewCol));
    };
    grid->OnCellChanging = [&](QObject*, int, int, int NewRow, int NewCol, bool& Allow) {
        asked.push_back("cell " + std::to_string(NewCol) + "," + std::to_string(NewRow));
        Allow = NewCol != 3;
    };
    grid->FocusCell(1, 1);
    asked.clear();
    ClickCell(2, 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"row 1>2", "col 1>2", "cell 2,2"}));
    EXPECT_EQ(grid->Col(), 2);
    input::Key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2) << "row 3 refused";
    input::Key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 2) << "column 3 refused";
}

TEST_F(GridEdit, FixedLastRowFooterIsNeverChosen)
{
    grid->FloatingFooter()->SetVisible(true);
    grid->FocusCell(1, 4);
    input::Key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 4);
    ClickCell(1, 5);
    EXPECT_EQ(grid->Row(), 4);
}

TEST_F(GridEdit, PasswordCellsEchoTheGridsCharacter)
{
    kind = edPassword;
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    EXPECT_EQ(grid->TextEditor()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(grid->TextEditor()->Memo(), nullptr);
    input::Key(Qt::Key_Escape);
    kind = edNormal;
    input::Key(Qt::Key_F2);
    EXPECT_EQ(grid->TextEditor()->echoMode(), QLineEdit::Normal);
}

// ---- the text editor's rules

TEST_F(GridEdit, MaxEditLengthDropsTheFourthCharacter)
{
    grid->SetMaxEditLength(3);
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Type("abcd");
    EXPECT_EQ(grid->Cells(1, 1), "abc");
    input::Type("\b");
    EXPECT_EQ(grid->Cells(1, 1), "ab");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "ab");
}

TEST_F(GridEdit, EscapeRestoresTheTextOfTheCellWhenSelected)
{
    grid->SetCells(1, 1, "antes");
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Type("um");
    input::Key(Qt::Key_Return); // closes, the cell stays current
    input::Key(Qt::Key_F2);
    input::Type("dois");
    input::Key(Qt::Key_Escape);
    EXPECT_EQ(grid->Cells(1, 1), "antes");
}

struct PasteCase {
    const char* name;
    TEditorType kind;
    int maxLength;
    QString clipboard;
    QString expect;
};

const PasteCase kPasteCases[] = {
    {"letters_into_numeric", edNumeric, 0, "abc", "7"},
    {"integer_into_numeric", edNumeric, 0, "42", "42"},
    {"float_into_numeric", edNumeric, 0, "4.2", "7"},
    {"float_into_float", edFloat, 0, "4.25", "4.25"},
    {"integer_into_positive", edPositiveNumeric, 0, "42", "42"},
    {"upper", edUpperCase, 0, "abc", "ABC"},
    {"lower", edLowerCase, 0, "ABC", "abc"},
    {"mixed", edMixedCase, 0, "ana maria", "Ana Maria"},
    {"too_long", edNormal, 3, "abcd", "7"},
    {"fits", edNormal, 3, "abc", "abc"},
};

class PasteByKind : public GridEdit, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteByKind, PastesWhatTheKindTakes)
{
    const PasteCase& c = GetParam();
    kind = c.kind;
    grid->SetMaxEditLength(c.maxLength);
    grid->SetCells(1, 1, "7");
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    QApplication::clipboard()->setText(c.clipboard);
    input::Key(Qt::Key_V, Qt::ControlModifier);
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), c.expect);
}

INSTANTIATE_TEST_SUITE_P(Grid, PasteByKind, ::testing::ValuesIn(kPasteCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(GridEdit, ClipboardEventsMayRefuse)
{
    grid->SetCells(1, 1, "texto");
    grid->FocusCell(1, 1);
    int asked = 0;
    QObject* sender = nullptr;
    grid->OnClipboardPaste = [&](QObject* s, bool& allow) {
        ++asked;
        sender = s;
        allow = false;
    };
    grid->OnClipboardBeforePasteCell = [&](QObject*, int, int, QString& value, bool&) { value = value.toUpper(); };
    input::Key(Qt::Key_F2);
    QApplication::clipboard()->setText("novo");
    input::Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(sender, grid->TextEditor()) << "raised inside the editor, by the editor";
    EXPECT_EQ(grid->Cells(1, 1), "texto");
    grid->OnClipboardPaste = nullptr;
    input::Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(1, 1), "NOVO");
}

TEST_F(GridEdit, MultilineCellsEditSeveralLines)
{
    grid->Multilinecells = true;
    grid->Navigation()->LineFeedOnEnter = true;
    grid->SetRowHeights(1, 60);
    grid->SetCells(1, 1, "um\ndois");
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    ASSERT_NE(grid->TextEditor()->Memo(), nullptr);
    EXPECT_EQ(Focus(), grid->TextEditor()->Memo());
    input::Key(Qt::Key_End, Qt::ControlModifier);
    input::Type("\rtrês");
    EXPECT_EQ(grid->Cells(1, 1), "um\ndois\ntrês");
    // Up moves between the lines and leaves the editor from the first.
    input::Key(Qt::Key_Up);
    input::Key(Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1);
    input::Key(Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1) << "row 1 is the first normal row";
    input::Key(Qt::Key_Down);
    input::Key(Qt::Key_Down);
    input::Key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "um\ndois\ntrês");
}

TEST_F(GridEdit, NumberPadDecimalKeyTypesTheUsersSeparator)
{
    LocaleSettings().DecimalSeparator = ',';
    kind = edFloat;
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Type("1");
    QTest::keyClick(Focus(), Qt::Key_Period, Qt::KeypadModifier);
    input::Type("5");
    EXPECT_EQ(grid->Cells(1, 1), "1.5") << "as typed without the switch";
    input::Key(Qt::Key_Escape);
    grid->ExcelStyleDecimalSeparator = true;
    input::Key(Qt::Key_F2);
    input::Type("1");
    QTest::keyClick(Focus(), Qt::Key_Period, Qt::KeypadModifier);
    input::Type("5");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "1,5");
}

TEST_F(GridEdit, RightAlignedCellsEditRightAligned)
{
    grid->OnGetAlignment = [](QObject*, int ARow, int, TAlignment& HAlign, TVAlignment&) {
        if (ARow == 2)
            HAlign = taRightJustify;
    };
    grid->FocusCell(1, 2);
    input::Key(Qt::Key_F2);
    EXPECT_TRUE(grid->TextEditor()->alignment() & Qt::AlignRight);
    input::Key(Qt::Key_Down);
    input::Key(Qt::Key_F2);
    EXPECT_TRUE(grid->TextEditor()->alignment() & Qt::AlignLeft);
}

TEST_F(GridEdit, ScrollingEndsASpecialEdit)
{
    kind = edSpinEdit;
    grid->SetRowCount(40);
    grid->SetCells(1, 1, "5");
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Type("8");
    ASSERT_TRUE(grid->SpinEditor()->isVisible());
    grid->verticalScrollBar()->setValue(5);
    input::Settle();
    EXPECT_FALSE(grid->SpinEditor()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "8");
    EXPECT_EQ(std::count(log.begin(), log.end(), "done"), 1);
}

TEST_F(GridEdit, FormControlEditsEndOnEnter)
{
    TControlEdit* edit = grid->ControlEdit();
    TControlCombo* combo = grid->ControlCombo();
    for (QWidget* control : {static_cast<QWidget*>(edit), static_cast<QWidget*>(combo)}) {
        int exits = 0;
        TControl::Of(control)->OnExit = [&] { ++exits; };
        control->setGeometry(grid->CellRect(1, 1).ToQRect());
        control->show();
        control->setFocus();
        input::Type("a");
        EXPECT_EQ(exits, 0);
        input::Key(Qt::Key_Return);
        EXPECT_EQ(exits, 1) << "Enter runs the control's exit handling";
        TControl::Of(control)->OnExit = nullptr;
        control->hide();
    }
}

// ---- spin keys and the unit split

TEST_F(GridEdit, SpinPageKeysStayInsideTheBounds)
{
    kind = edSpinEdit;
    int clicks = 0;
    grid->OnSpinClick = [&](QObject* sender, int, int, int, bool) {
        EXPECT_EQ(sender, grid);
        ++clicks;
    };
    grid->SetCells(1, 1, "99");
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    TGridSpin* spin = grid->SpinEditor();
    spin->Increment = 5;
    input::Key(Qt::Key_PageUp);
    EXPECT_EQ(spin->Text(), "99");
    input::Key(Qt::Key_End);
    EXPECT_EQ(spin->Text(), "0");
    input::Key(Qt::Key_Home);
    EXPECT_EQ(spin->Text(), "100");
    input::Key(Qt::Key_PageDown);
    EXPECT_EQ(spin->Text(), "95");
    EXPECT_EQ(clicks, 4);
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "95");
    spin->Increment = 1;
}

TEST(GridUnitSplit, ValueAndUnit)
{
    struct {
        QString text, value, unit;
    } cases[] = {{"12.5kg", "12.5", "kg"}, {"k1g", "1", "kg"}, {"-3,5 m", "-3,5", " m"}, {"", "", ""}};
    for (const auto& c : cases) {
        QString value, unit;
        TGridUnitEditBtn::SplitValueUnit(c.text, value, unit);
        EXPECT_EQ(value, c.value) << c.text.toStdString();
        EXPECT_EQ(unit, c.unit) << c.text.toStdString();
    }
}

TEST(GridCharFilter, NumericKinds)
{
    struct {
        TEditorType kind;
        char key;
        QString text;
        int selStart, selLength;
        TCharVerdict verdict;
    } cases[] = {
        {edNumeric, '-', "", 0, 0, TCharVerdict::Accept},
        {edNumeric, '-', "12", 0, 0, TCharVerdict::Accept},
        {edNumeric, '-', "12", 1, 0, TCharVerdict::Beep},
        {edNumeric, '-', "-12", 0, 0, TCharVerdict::Beep},
        {edNumeric, '-', "-12", 0, 1, TCharVerdict::Accept},
        {edNumeric, 'a', "", 0, 0, TCharVerdict::Beep},
        {edPositiveNumeric, '-', "", 0, 0, TCharVerdict::Beep},
        {edFloat, '.', "1,5", 3, 0, TCharVerdict::Drop},
        {edFloat, ',', "15", 1, 0, TCharVerdict::Accept},
        {edFloat, '.', "1.5", 1, 1, TCharVerdict::Accept},
        {edFloat, 'x', "", 0, 0, TCharVerdict::Drop},
        {edFloat, '-', "1", 1, 0, TCharVerdict::Beep},
        {edNormal, 'x', "", 0, 0, TCharVerdict::Accept},
    };
    for (const auto& c : cases) {
        char key = c.key;
        EXPECT_EQ(FilterEditorChar(c.kind, key, c.text, c.selStart, c.selLength), c.verdict)
            << c.kind << " '" << c.key << "' in " << c.text.toStdString();
    }
}

// ---- lookup

TEST_F(GridEdit, LookupCompletesFromTheItemsAndHistoryAddsTyped)
{
    grid->Lookup = true;
    grid->LookupHistory = true;
    grid->SetLookupItems({"Alfa", "Beta", "Betume"});
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Type("be");
    // The typed part stays as typed; the rest of the item is selected.
    EXPECT_EQ(grid->TextEditor()->text(), "beta");
    EXPECT_EQ(grid->TextEditor()->selectedText(), "ta");
    input::Type("tu");
    EXPECT_EQ(grid->TextEditor()->text(), "betume");
    input::Type("\b"); // takes the completed part away
    EXPECT_EQ(grid->TextEditor()->text(), "betu") << "no completion on Backspace";
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "betu");

    grid->FocusCell(1, 2);
    input::Key(Qt::Key_F2);
    input::Type("Gama");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 2), "Gama");
    EXPECT_TRUE(grid->LookupItems().contains("Gama"));
    EXPECT_EQ(grid->LookupItems().count("Beta"), 1);
}

TEST_F(GridEdit, ComboLookupPicksTheItemAndHistoryAddsTyped)
{
    kind = edComboEdit;
    grid->Lookup = true;
    grid->LookupHistory = true;
    grid->ClearComboItems();
    for (const char* item : {"Alfa", "Beta"})
        grid->AddComboItem(item);
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Type("b");
    TGridCombo* combo = grid->ComboEditor();
    EXPECT_EQ(combo->Text(), "Beta");
    EXPECT_EQ(combo->ItemIndex(), 1);
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "Beta");
    grid->FocusCell(1, 2);
    input::Key(Qt::Key_F2);
    input::Type("Zeta");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 2), "Zeta");
    EXPECT_EQ(combo->Items().IndexOf("Zeta"), 2);
}

// ---- the combo: list per cell, events, drop-down

TEST_F(GridEdit, ComboListRefilledPerCellRaisesComboChangeFromTheGrid)
{
    kind = edComboList;
    struct Change {
        QObject* sender;
        int col, row, index;
        QString text;
        TObject* object;
    };
    std::vector<Change> changes, objectChanges;
    grid->OnComboChange = [&](QObject* s, int c, int r, int i, const QString& t) {
        changes.push_back({s, c, r, i, t, nullptr});
    };
    grid->OnComboObjectChange = [&](QObject* s, int c, int r, int i, const QString& t, TObject* o) {
        objectChanges.push_back({s, c, r, i, t, o});
    };
    TObject tagged;
    // As the terminal-keys window does: the list follows the cell.
    grid->OnCanEditCell = [&](QObject*, int ARow, int, bool&) {
        grid->ClearComboItems();
        for (int i = 0; i < 3; ++i)
            grid->AddComboItem(QStringLiteral("R%1-%2").arg(ARow).arg(i));
    };
    grid->AddComboItemObject("extra", &tagged);
    grid->SetCells(1, 2, "R2-0");
    ClickCell(1, 2);
    input::Key(Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->Text(), "R2-0");
    EXPECT_TRUE(changes.empty()) << "filling the editor is no change";
    input::Key(Qt::Key_Down);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].sender, grid);
    EXPECT_EQ(changes[0].col, 1);
    EXPECT_EQ(changes[0].row, 2);
    EXPECT_EQ(changes[0].index, 1);
    EXPECT_EQ(changes[0].text, "R2-1");
    ASSERT_EQ(objectChanges.size(), 1u);
    EXPECT_EQ(objectChanges[0].object, nullptr);
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 2), "R2-1");

    // An item with its object.
    grid->AddComboItemObject("extra", &tagged);
    input::Key(Qt::Key_F2);
    input::Key(Qt::Key_End);
    ASSERT_EQ(objectChanges.size(), 2u);
    EXPECT_EQ(objectChanges[1].text, "extra");
    EXPECT_EQ(objectChanges[1].object, &tagged);
    input::Key(Qt::Key_Escape);
    EXPECT_EQ(grid->Cells(1, 2), "R2-1");

    // Typing in a free-text combo: index -1 and the text.
    kind = edComboEdit;
    changes.clear();
    input::Key(Qt::Key_F2);
    input::Type("x");
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back().index, -1);
    EXPECT_EQ(changes.back().text, "x");
    EXPECT_EQ(changes.back().sender, grid);
    input::Key(Qt::Key_Escape);
}

TEST_F(GridEdit, ComboWheelStepsTheItemWithTheComboAsSender)
{
    kind = edComboList;
    for (const QString& item : kComboItems)
        grid->AddComboItem(item);
    std::vector<std::pair<QObject*, int>> changes;
    grid->OnComboChange = [&](QObject* s, int, int, int i, const QString&) { changes.push_back({s, i}); };
    grid->SetCells(1, 1, "Um");
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    const QPoint at = combo->rect().center();
    QWheelEvent down(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &down);
    EXPECT_EQ(combo->ItemIndex(), 1);
    QWheelEvent up(at, combo->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &up);
    QApplication::sendEvent(combo, &up);
    EXPECT_EQ(combo->ItemIndex(), 0);
    ASSERT_EQ(changes.size(), 2u) << "no step above the first item";
    EXPECT_EQ(changes[0].first, combo);
    EXPECT_EQ(changes[0].second, 1);
    EXPECT_EQ(changes[1].second, 0);
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "Um");
}

TEST_F(GridEdit, AutoComboDropSizeAndDirectComboDrop)
{
    kind = edComboList;
    grid->AddComboItem("curto");
    grid->AddComboItem(QString(60, 'W'));
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    EXPECT_EQ(combo->DropWidth(), 0);
    EXPECT_FALSE(combo->DroppedDown());
    input::Key(Qt::Key_Escape);

    grid->Navigation()->AutoComboDropSize = true;
    grid->MouseActions()->DirectComboDrop = true;
    input::Key(Qt::Key_F2);
    input::Settle();
    EXPECT_GT(combo->DropWidth(), combo->width());
    EXPECT_GE(combo->DropWidth(), combo->fontMetrics().horizontalAdvance(QString(60, 'W')));
    EXPECT_TRUE(combo->DroppedDown());
    combo->hidePopup();
    input::Settle();
    input::Key(Qt::Key_Escape);
}

// ---- MouseActions.DirectEdit: one click on a cell opens its editor

struct DirectEditCase {
    const char* name;
    bool directEdit;
    TEditorType kind;
    int col, row;            // the cell clicked
    bool canEdit;            // OnCanEditCell's answer
    bool checkBox;           // the cell shows a check box
    bool comboDrop;          // MouseActions.DirectComboDrop
    bool opens;              // an editor has the focus after the click
    bool dropped;            // the combo's list is down
};

void PrintTo(const DirectEditCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridDirectEdit : public GridEdit, public ::testing::WithParamInterface<DirectEditCase> {};

TEST_P(GridDirectEdit, OneClick)
{
    const DirectEditCase& c = GetParam();
    kind = c.kind;
    canEdit = c.canEdit;
    grid->AddComboItem("um");
    grid->AddComboItem("dois");
    grid->SetCells(2, 2, "dois");
    if (c.checkBox)
        grid->CreateCellGraphic(c.col, c.row)->CellType = ctCheckBox;
    grid->MouseActions()->DirectEdit = c.directEdit;
    grid->MouseActions()->DirectComboDrop = c.comboDrop;
    ASSERT_EQ(grid->Col(), 1);
    ClickCell(c.col, c.row);
    QWidget* editor = c.kind == edComboList ? static_cast<QWidget*>(grid->ComboEditor())
                                            : static_cast<QWidget*>(grid->TextEditor());
    // A dropped list holds the focus in its popup.
    EXPECT_EQ(editor && editor->isVisible() && (Focus() == editor || c.dropped), c.opens);
    EXPECT_EQ(grid->EditorShown(), c.opens);
    if (c.kind == edComboList && c.opens) {
        EXPECT_EQ(grid->ComboEditor()->ItemIndex(), 1) << "opens on the cell's own item";
        EXPECT_EQ(grid->ComboEditor()->DroppedDown(), c.dropped);
        if (c.dropped)
            grid->ComboEditor()->hidePopup();
        input::Settle();
    }
    if (c.opens)
        EndWith(End::Esc);
    EXPECT_EQ(grid->Cells(2, 2), "dois");
}

INSTANTIATE_TEST_SUITE_P(Cases, GridDirectEdit, ::testing::Values(
    DirectEditCase{"Text", true, edNormal, 2, 2, true, false, false, true, false},
    DirectEditCase{"TextOffNeedsASecondClick", false, edNormal, 2, 2, true, false, false, false, false},
    DirectEditCase{"Combo", true, edComboList, 2, 2, true, false, false, true, false},
    DirectEditCase{"ComboDrop", true, edComboList, 2, 2, true, false, true, true, true},
    DirectEditCase{"FixedRow", true, edNormal, 2, 0, true, false, false, false, false},
    DirectEditCase{"FixedCol", true, edNormal, 0, 2, true, false, false, false, false},
    DirectEditCase{"Refused", true, edNormal, 2, 2, false, false, false, false, false},
    DirectEditCase{"CheckBox", true, edNormal, 2, 2, true, true, false, false, false}),
    [](const ::testing::TestParamInfo<DirectEditCase>& c) { return std::string(c.param.name); });

// A click on a second cell while one is being edited ends that edit and
// opens the clicked cell's editor.
TEST_F(GridEdit, DirectEditMovesTheEditFromCellToCell)
{
    grid->MouseActions()->DirectEdit = true;
    ClickCell(2, 2);
    ASSERT_EQ(Focus(), grid->TextEditor());
    input::Type("ab");
    ClickCell(3, 3);
    EXPECT_EQ(grid->Cells(2, 2), "ab");
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(Focus(), grid->TextEditor());
    EndWith(End::Esc);
}

// ---- buttons, ellipsis, custom and rich-text editors

TEST_F(GridEdit, EllipsisButtonAndCellButtonAskTheApplication)
{
    grid->OnEllipsClick = [&](QObject* sender, int c, int r, QString& s) {
        EXPECT_EQ(sender, grid);
        s = QStringLiteral("%1 (%2,%3)").arg(s).arg(c).arg(r);
    };
    kind = edEditBtn;
    grid->SetCells(1, 1, "ab");
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    input::Key(Qt::Key_F4); // the button's key
    EXPECT_EQ(grid->EditBtnEditor()->Text(), "ab (1,1)");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "ab (1,1)");

    kind = edButton;
    grid->SetCells(1, 2, "Ir");
    grid->FocusCell(1, 2);
    input::Key(Qt::Key_F2);
    input::Click(grid->ButtonEditor());
    EXPECT_EQ(grid->ButtonEditor()->Caption(), "Ir (1,2)");
    EXPECT_EQ(grid->Cells(1, 2), "Ir") << "a button writes nothing";
    input::Key(Qt::Key_Right);
    EXPECT_FALSE(grid->ButtonEditor()->isVisible());
    EXPECT_EQ(grid->Col(), 2) << "the arrow is the grid's";
}

// An application's own editor: an edit in the cell.
class EditLink : public TEditLink {
public:
    void SetGridCell(TExtStringGrid* Grid, int ACol, int ARow) override
    {
        grid = Grid;
        cell = {ACol, ARow};
    }
    void CreateEditor(QWidget* Parent) override
    {
        if (!edit) {
            edit = new TEdit(Parent);
            edit->setObjectName("LinkEdit");
        }
    }
    void SetRect(const QRect& Rect) override { edit->setGeometry(Rect); }
    void SetVisible(bool Visible) override { edit->setVisible(Visible); }
    void SetColorAndFont(TColor, const QFont& Font) override { edit->setFont(Font); }
    void SetEditorValue(const QString& Value) override { edit->SetText(Value); }
    QString GetEditorValue() override { return edit->Text().toUpper(); }
    QWidget* GetEditControl() override { return edit; }

    TExtStringGrid* grid = nullptr;
    TPoint cell;
    TEdit* edit = nullptr;
};

TEST_F(GridEdit, CustomEditorThroughItsLink)
{
    kind = edCustom;
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    EXPECT_TRUE(grid->hasFocus()) << "no link, no editor";
    input::Key(Qt::Key_Escape);

    EditLink link;
    int props = 0;
    grid->OnGetEditorProp = [&](QObject*, int, int, TEditLink* l) {
        EXPECT_EQ(l, &link);
        ++props;
    };
    grid->SetEditLink(&link);
    grid->SetCells(1, 1, "abc");
    input::Key(Qt::Key_F2);
    ASSERT_NE(link.edit, nullptr);
    EXPECT_EQ(Focus(), link.edit);
    EXPECT_EQ(link.grid, grid);
    EXPECT_EQ(link.cell, (TPoint{1, 1}));
    EXPECT_EQ(props, 1);
    EXPECT_EQ(link.edit->Text(), "abc");
    input::Type("de"); // the text comes all selected: typing replaces it
    ClickCell(2, 2);   // leaving the control ends the edit
    EXPECT_EQ(grid->Cells(1, 1), "DE") << "the link's value";
    EXPECT_FALSE(link.edit->isVisible());
    EXPECT_EQ(std::count(log.begin(), log.end(), "done"), 1);
    EXPECT_EQ(grid->Col(), 2);
}

TEST_F(GridEdit, RichTextCellsEditInTheGridsRichEdit)
{
    kind = edRichEdit;
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    ASSERT_NE(grid->RichEditWidget(), nullptr);
    EXPECT_EQ(Focus(), static_cast<QWidget*>(grid->RichEditWidget()));
    input::Type("rico");
    ClickCell(2, 2);
    EXPECT_TRUE(grid->Cells(1, 1).startsWith("{\\rtf"));
    EXPECT_TRUE(grid->Cells(1, 1).contains("rico"));
}

// ---- pictures of the editors open over their cells

TEST_F(GridEdit, ScreenshotsOfTheSpecialEditors)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    for (const QString& item : kComboItems)
        grid->AddComboItem(item);
    const struct {
        TEditorType kind;
        const char* file;
        QString text;
    } shots[] = {
        {edSpinEdit, "spin", "12"},           {edComboList, "combo_list", "Dois"},
        {edComboEdit, "combo_edit", "livre"}, {edEditBtn, "edit_btn", "texto"},
        {edUnitEditBtn, "unit_edit_btn", "12.5kg"}, {edCheckBox, "check_box", "Sim"},
        {edDateEdit, "date", "07/03/2024"},   {edTimeEdit, "time", "10:30:00"},
        {edButton, "button", "Botão"},
    };
    for (const auto& shot : shots) {
        kind = shot.kind;
        grid->SetCells(1, 2, shot.text);
        grid->FocusCell(1, 2);
        input::Key(Qt::Key_F2);
        input::Settle();
        ASSERT_NE(grid->ShownEditorControl(), nullptr) << shot.file;
        const QString file = QStringLiteral(TRIVANTO_TEST_OUT "/grid_editor_%1.png").arg(shot.file);
        EXPECT_TRUE(window.grab().save(file)) << file.toStdString();
        input::Key(Qt::Key_Escape);
        input::Settle();
    }
}

} // namespace
