// The grid's keys as a user presses them: real key presses on an offscreen
// grid with the focus, one table row per thing a key does, the events it
// raises and where the cursor, the cells and the clipboard end up.
#include "grid/extgrid.h"

#include "grid/cellgraphic.h"
#include "grid/cellstream.h"
#include "grid/floatingfooter.h"
#include "platform/localesettings.h"
#include "tests/support/casenames.h"
#include "tests/support/input.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string At(int col, int row)
{
    return std::to_string(col) + "," + std::to_string(row);
}

// A 6 × 8 grid (one fixed row and column), each normal cell holding its
// own place ("c,r"), the events logged, the grid focused.
class KeysFixture {
public:
    KeysFixture()
    {
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 460, 240);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->SetDefaultColWidth(70);
        grid->SetDefaultRowHeight(22);
        for (int c = 1; c < 6; ++c)
            for (int r = 1; r < 8; ++r)
                grid->SetCells(c, r, QString::fromStdString(At(c, r)));
        grid->OnKeyDown = [this](int& Key, TShiftState) {
            // The modifier keys pressed with a key come as keys of their own.
            if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU)
                return;
            log.push_back("key");
            if (Key == dropKey)
                Key = 0;
        };
        grid->OnCanEditCell = [this](QObject*, int ARow, int ACol, bool& CanEdit) {
            if (ACol == refusedCol && ARow == refusedRow)
                CanEdit = false;
        };
        grid->OnCheckBoxClick = [this](QObject*, int ACol, int ARow, bool State) {
            log.push_back("check " + At(ACol, ARow) + (State ? " on" : " off"));
        };
        grid->OnRadioClick = [this](QObject*, int ACol, int ARow, int AIdx) {
            log.push_back("radio " + At(ACol, ARow) + " " + std::to_string(AIdx));
        };
        grid->OnCanInsertRow = [this](QObject*, int ARow, bool& Can) {
            log.push_back("caninsert " + std::to_string(ARow));
            Can = allowRows;
        };
        grid->OnAutoInsertRow = [this](QObject*, int ARow) { log.push_back("inserted " + std::to_string(ARow)); };
        grid->OnCanDeleteRow = [this](QObject*, int ARow, bool& Can) {
            log.push_back("candelete " + std::to_string(ARow));
            Can = allowRows;
        };
        grid->OnAutoDeleteRow = [this](QObject*, int ARow) { log.push_back("deleted " + std::to_string(ARow)); };
        grid->OnClipboardCopy = [this](QObject*, bool& Allow) {
            log.push_back("copy");
            Allow = allowClipboard;
        };
        grid->OnClipboardPaste = [this](QObject*, bool& Allow) {
            log.push_back("paste");
            Allow = allowClipboard;
        };
        window.resize(480, 260);
        Activate();
    }

    void Activate()
    {
        EXPECT_TRUE(input::Activate(&window));
        grid->setFocus();
        input::Settle();
    }

    void AddCheckBox(int col, int row)
    {
        grid->CreateCellGraphic(col, row)->CellType = ctCheckBox;
    }
    void AddRadio(int col, int row)
    {
        TCellGraphic* radio = grid->CreateCellGraphic(col, row);
        radio->CellType = ctRadio;
        radio->CellIndex = -1; // chosen by the cell's text
        auto* items = new TCellRadioList;
        items->Items = {"um", "dois", "tres"};
        radio->CellBitmap = items;
        radio->CellCreated = true;
        grid->SetCells(col, row, "um");
    }
    std::vector<int> FlaggedRows() const
    {
        std::vector<int> rows;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            if (grid->RowSelect(r))
                rows.push_back(r);
        return rows;
    }
    QString EditorText() const
    {
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return edit && edit->isVisible() ? edit->text() : QStringLiteral("<no editor>");
    }

    QWidget window;
    TExtStringGrid* grid;
    Log log;
    int dropKey = -1;
    int refusedCol = -1, refusedRow = -1;
    bool allowRows = true;
    bool allowClipboard = true;
};

// ---- key down: one row per thing a key does

struct KeyCase {
    const char* name;
    std::function<void(KeysFixture&)> setup;
    int key;
    Qt::KeyboardModifiers mods;
    int col, row; // the cursor afterwards
    std::function<void(KeysFixture&)> check;
    Log events; // besides the one OnKeyDown
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridKeyDown : public ::testing::TestWithParam<KeyCase> {};

TEST_P(GridKeyDown, DoesWhatTheKeyMeans)
{
    const KeyCase& c = GetParam();
    KeysFixture f;
    QApplication::clipboard()->setText("clip");
    c.setup(f);
    f.log.clear();
    // Ctrl and a letter types a control character, as a keyboard does.
    const bool ctrlLetter = (c.mods & Qt::ControlModifier) && c.key >= Qt::Key_A && c.key <= Qt::Key_Z;
    input::Key(c.key, c.mods, ctrlLetter ? QString(QChar(c.key - Qt::Key_A + 1)) : QString());
    input::Settle();
    EXPECT_EQ(f.grid->Col(), c.col);
    EXPECT_EQ(f.grid->Row(), c.row);
    Log expected{"key"};
    expected.insert(expected.end(), c.events.begin(), c.events.end());
    EXPECT_EQ(f.log, expected);
    if (c.check)
        c.check(f);
}

const auto kNoMods = Qt::NoModifier;
const auto kShift = Qt::ShiftModifier;
const auto kCtrl = Qt::ControlModifier;

void Editing(KeysFixture& f)
{
    f.grid->SetOptions(f.grid->Options() | goEditing);
}
void Tabs(KeysFixture& f)
{
    f.grid->SetOptions(f.grid->Options() | goTabs);
}
void Clipboard(KeysFixture& f)
{
    f.grid->Navigation()->AllowClipboardShortCuts = true;
    f.grid->FocusCell(2, 2);
}
void Disjunct(KeysFixture& f, std::vector<int> rows)
{
    f.grid->MouseActions()->DisjunctRowSelect = true;
    f.grid->SetOptions(f.grid->Options() | goRowSelect);
    f.grid->FocusCell(1, 3);
    for (int r : rows)
        f.grid->SetRowSelect(r, true);
}

const KeyCase kKeyCases[] = {
    // Space on cell controls, when the cell may be edited.
    {"SpaceTogglesACheckBox", [](KeysFixture& f) { Editing(f); f.AddCheckBox(2, 2); f.grid->FocusCell(2, 2); },
     Qt::Key_Space, kNoMods, 2, 2,
     [](KeysFixture& f) { EXPECT_TRUE(f.grid->GetCheckBoxState(2, 2)); }, {"check 2,2 on"}},
    {"SpaceOnACheckBoxTheCellRefuses",
     [](KeysFixture& f) { Editing(f); f.AddCheckBox(2, 2); f.refusedCol = 2; f.refusedRow = 2; f.grid->FocusCell(2, 2); },
     Qt::Key_Space, kNoMods, 2, 2,
     [](KeysFixture& f) { EXPECT_FALSE(f.grid->GetCheckBoxState(2, 2)); }, {}},
    {"SpaceOnACheckBoxWithoutEditing", [](KeysFixture& f) { f.AddCheckBox(2, 2); f.grid->FocusCell(2, 2); },
     Qt::Key_Space, kNoMods, 2, 2,
     [](KeysFixture& f) { EXPECT_FALSE(f.grid->GetCheckBoxState(2, 2)); }, {}},
    {"SpaceOnACheckBoxWithRangeSelectAndEdit",
     [](KeysFixture& f) { f.grid->MouseActions()->RangeSelectAndEdit = true; f.AddCheckBox(2, 2); f.grid->FocusCell(2, 2); },
     Qt::Key_Space, kNoMods, 2, 2,
     [](KeysFixture& f) { EXPECT_TRUE(f.grid->GetCheckBoxState(2, 2)); }, {"check 2,2 on"}},
    {"SpaceSelectsTheNextRadioButton", [](KeysFixture& f) { Editing(f); f.AddRadio(3, 4); f.grid->FocusCell(3, 4); },
     Qt::Key_Space, kNoMods, 3, 4,
     [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(3, 4), "dois"); }, {"radio 3,4 1"}},
    // A stored index outside the options counts as none chosen: the cell's
    // text decides, and an index of 0 or more takes the new choice.
    {"SpaceOnARadioStoredBelowMinusOne",
     [](KeysFixture& f) { Editing(f); f.AddRadio(3, 4); f.grid->GetCellGraphicObject(3, 4)->CellIndex = -2; f.grid->FocusCell(3, 4); },
     Qt::Key_Space, kNoMods, 3, 4,
     [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(3, 4), "dois"); }, {"radio 3,4 1"}},
    {"SpaceOnARadioStoredAtTheCount",
     [](KeysFixture& f) { Editing(f); f.AddRadio(3, 4); f.grid->GetCellGraphicObject(3, 4)->CellIndex = 3; f.grid->FocusCell(3, 4); },
     Qt::Key_Space, kNoMods, 3, 4,
     [](KeysFixture& f) {
         EXPECT_EQ(f.grid->Cells(3, 4), "dois");
         EXPECT_EQ(f.grid->GetCellGraphicObject(3, 4)->CellIndex, 1);
     }, {"radio 3,4 1"}},
    {"SpaceOnARadioStoredFarPastTheEnd",
     [](KeysFixture& f) { Editing(f); f.AddRadio(3, 4); f.grid->GetCellGraphicObject(3, 4)->CellIndex = 99; f.grid->FocusCell(3, 4); },
     Qt::Key_Space, kNoMods, 3, 4,
     [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(3, 4), "dois"); }, {"radio 3,4 1"}},
    {"SpaceOnTheLastRadioWrapsToTheFirst",
     [](KeysFixture& f) { Editing(f); f.AddRadio(3, 4); f.grid->GetCellGraphicObject(3, 4)->CellIndex = 2; f.grid->FocusCell(3, 4); },
     Qt::Key_Space, kNoMods, 3, 4,
     [](KeysFixture& f) {
         EXPECT_EQ(f.grid->Cells(3, 4), "um");
         EXPECT_EQ(f.grid->GetCellGraphicObject(3, 4)->CellIndex, 0);
     }, {"radio 3,4 0"}},

    // Home and End by row or by column.
    {"HomeGoesToTheFirstRow",
     [](KeysFixture& f) { f.grid->Navigation()->HomeEndKey = heFirstLastRow; f.grid->FocusCell(3, 5); },
     Qt::Key_Home, kNoMods, 3, 1, nullptr, {}},
    {"EndGoesToTheLastRow",
     [](KeysFixture& f) { f.grid->Navigation()->HomeEndKey = heFirstLastRow; f.grid->FocusCell(3, 2); },
     Qt::Key_End, kNoMods, 3, 7, nullptr, {}},
    {"EndStopsAboveTheFloatingFooter",
     [](KeysFixture& f) {
         f.grid->Navigation()->HomeEndKey = heFirstLastRow;
         f.grid->FloatingFooter()->SetVisible(true);
         f.grid->FocusCell(3, 2);
     },
     Qt::Key_End, kNoMods, 3, 6, nullptr, {}},
    {"EndStopsAboveFixedFootersUnderTheFloatingFooter",
     [](KeysFixture& f) {
         f.grid->Navigation()->HomeEndKey = heFirstLastRow;
         f.grid->FloatingFooter()->SetVisible(true);
         f.grid->SetFixedFooters(2);
         f.grid->FocusCell(3, 2);
     },
     Qt::Key_End, kNoMods, 3, 5, nullptr, {}},
    {"EndStopsAboveTheFixedFooters",
     [](KeysFixture& f) {
         f.grid->Navigation()->HomeEndKey = heFirstLastRow;
         f.grid->SetFixedFooters(2);
         f.grid->FocusCell(3, 2);
     },
     Qt::Key_End, kNoMods, 3, 5, nullptr, {}},
    {"ShiftEndByRowSelectsTheRowsPassed",
     [](KeysFixture& f) { f.grid->Navigation()->HomeEndKey = heFirstLastRow; f.grid->FocusCell(3, 2); },
     Qt::Key_End, kShift, 3, 7,
     [](KeysFixture& f) { EXPECT_EQ(f.grid->Selection(), (TGridRect{3, 2, 3, 7})); }, {}},
    {"HomeByColumnGoesToTheFirstColumn", [](KeysFixture& f) { f.grid->FocusCell(3, 5); },
     Qt::Key_Home, kNoMods, 1, 5, nullptr, {}},

    // Tab over merged cells.
    {"TabPassesAMergedCell", [](KeysFixture& f) { Tabs(f); f.grid->MergeCells(2, 2, 2, 1); f.grid->FocusCell(2, 2); },
     Qt::Key_Tab, kNoMods, 4, 2, nullptr, {}},
    {"TabFromAMergedCellAtTheLastColumn",
     [](KeysFixture& f) { Tabs(f); f.grid->MergeCells(4, 3, 2, 1); f.grid->FocusCell(4, 3); },
     Qt::Key_Tab, kNoMods, 1, 4, nullptr, {}},
    {"TabFromAMergedCellOnTheLastRowWraps",
     [](KeysFixture& f) { Tabs(f); f.grid->MergeCells(4, 7, 2, 1); f.grid->FocusCell(4, 7); },
     Qt::Key_Tab, kNoMods, 1, 1, nullptr, {}},
    {"ShiftTabFromAMergedCell", [](KeysFixture& f) { Tabs(f); f.grid->MergeCells(2, 2, 2, 1); f.grid->FocusCell(2, 2); },
     Qt::Key_Tab, kShift, 1, 2, nullptr, {}},
    {"ShiftTabFromAMergedCellAtTheFirstColumn",
     [](KeysFixture& f) { Tabs(f); f.grid->MergeCells(1, 3, 2, 1); f.grid->FocusCell(1, 3); },
     Qt::Key_Tab, kShift, 5, 2, nullptr, {}},
    {"ShiftTabLandsOnTheBaseOfAMergedCell",
     [](KeysFixture& f) { Tabs(f); f.grid->MergeCells(1, 3, 2, 1); f.grid->MergeCells(3, 3, 2, 1); f.grid->FocusCell(3, 3); },
     Qt::Key_Tab, kShift, 1, 3, nullptr, {}},

    // Row select with KeepHorizScroll keeps the view's left column.
    {"DownInRowSelectKeepsTheLeftColumn",
     [](KeysFixture& f) {
         f.grid->SetOptions(f.grid->Options() | goRowSelect);
         f.grid->Navigation()->KeepHorizScroll = true;
         f.grid->SetColCount(20);
         f.grid->FocusCell(1, 2);
         f.grid->SetLeftCol(6);
     },
     Qt::Key_Down, kNoMods, 1, 3, [](KeysFixture& f) { EXPECT_EQ(f.grid->LeftCol(), 6); }, {}},

    // The clipboard keys.
    {"CtrlCCopies", Clipboard, Qt::Key_C, kCtrl, 2, 2,
     [](KeysFixture&) { EXPECT_EQ(QApplication::clipboard()->text(), "2,2"); }, {"copy"}},
    {"CtrlInsertCopiesFromAGridNotEditable", Clipboard, Qt::Key_Insert, kCtrl, 2, 2,
     [](KeysFixture&) { EXPECT_EQ(QApplication::clipboard()->text(), "2,2"); }, {"copy"}},
    {"CopyRefusedByTheEvent", [](KeysFixture& f) { Clipboard(f); f.allowClipboard = false; }, Qt::Key_C, kCtrl, 2, 2,
     [](KeysFixture&) { EXPECT_EQ(QApplication::clipboard()->text(), "clip"); }, {"copy"}},
    {"CtrlXCuts", [](KeysFixture& f) { Editing(f); Clipboard(f); }, Qt::Key_X, kCtrl, 2, 2,
     [](KeysFixture& f) {
         EXPECT_EQ(QApplication::clipboard()->text(), "2,2");
         EXPECT_EQ(f.grid->Cells(2, 2), "");
     },
     {}},
    {"ShiftDeleteCutsAndRemovesNoRow",
     [](KeysFixture& f) { Editing(f); Clipboard(f); f.grid->Navigation()->AllowDeleteRow = true; },
     Qt::Key_Delete, kShift, 2, 2,
     [](KeysFixture& f) {
         EXPECT_EQ(QApplication::clipboard()->text(), "2,2");
         EXPECT_EQ(f.grid->RowCount(), 8);
         EXPECT_EQ(f.grid->Cells(3, 2), "3,2");
     },
     {}},
    {"CtrlVPastes", [](KeysFixture& f) { Editing(f); Clipboard(f); }, Qt::Key_V, kCtrl, 2, 2,
     [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(2, 2), "clip"); }, {"paste"}},
    {"ShiftInsertPastesIntoAGridNotEditableWhenAlwaysAllowed",
     [](KeysFixture& f) { Clipboard(f); f.grid->Navigation()->AllowClipboardAlways = true; },
     Qt::Key_Insert, kShift, 2, 2, [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(2, 2), "clip"); }, {"paste"}},
    {"ShiftInsertPastesNothingIntoAGridNotEditable", Clipboard, Qt::Key_Insert, kShift, 2, 2,
     [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(2, 2), "2,2"); }, {"paste"}},
    {"ClipboardKeysNeedTheShortCutsOption", [](KeysFixture& f) { Editing(f); f.grid->FocusCell(2, 2); },
     Qt::Key_V, kCtrl, 2, 2, [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(2, 2), "2,2"); }, {}},

    // Insert and Delete of rows.
    {"InsertAddsARowBeforeTheCurrentOne",
     [](KeysFixture& f) { f.grid->Navigation()->AllowInsertRow = true; f.grid->FocusCell(2, 3); },
     Qt::Key_Insert, kNoMods, 2, 3,
     [](KeysFixture& f) {
         EXPECT_EQ(f.grid->RowCount(), 9);
         EXPECT_EQ(f.grid->Cells(2, 3), "");
         EXPECT_EQ(f.grid->Cells(2, 4), "2,3");
     },
     {"caninsert 3", "inserted 3"}},
    {"InsertAddsARowAfterTheCurrentOne",
     [](KeysFixture& f) {
         f.grid->Navigation()->AllowInsertRow = true;
         f.grid->Navigation()->InsertPosition = pInsertAfter;
         f.grid->FocusCell(2, 3);
     },
     Qt::Key_Insert, kNoMods, 2, 4,
     [](KeysFixture& f) {
         EXPECT_EQ(f.grid->RowCount(), 9);
         EXPECT_EQ(f.grid->Cells(2, 3), "2,3");
         EXPECT_EQ(f.grid->Cells(2, 4), "");
     },
     {"caninsert 3", "inserted 4"}},
    {"InsertAfterTheLastRow",
     [](KeysFixture& f) {
         f.grid->Navigation()->AllowInsertRow = true;
         f.grid->Navigation()->InsertPosition = pInsertAfter;
         f.grid->FocusCell(2, 7);
     },
     Qt::Key_Insert, kNoMods, 2, 8, [](KeysFixture& f) { EXPECT_EQ(f.grid->RowCount(), 9); },
     {"caninsert 7", "inserted 8"}},
    {"InsertRefusedByTheEvent",
     [](KeysFixture& f) { f.grid->Navigation()->AllowInsertRow = true; f.allowRows = false; f.grid->FocusCell(2, 3); },
     Qt::Key_Insert, kNoMods, 2, 3, [](KeysFixture& f) { EXPECT_EQ(f.grid->RowCount(), 8); }, {"caninsert 3"}},
    {"InsertWithAModifierInsertsNothing",
     [](KeysFixture& f) { f.grid->Navigation()->AllowInsertRow = true; f.grid->FocusCell(2, 3); },
     Qt::Key_Insert, kShift, 2, 3, [](KeysFixture& f) { EXPECT_EQ(f.grid->RowCount(), 8); }, {}},
    {"InsertDroppedByOnKeyDown",
     [](KeysFixture& f) { f.grid->Navigation()->AllowInsertRow = true; f.dropKey = VK_INSERT; f.grid->FocusCell(2, 3); },
     Qt::Key_Insert, kNoMods, 2, 3, [](KeysFixture& f) { EXPECT_EQ(f.grid->RowCount(), 8); }, {}},
    {"DeleteRemovesTheCurrentRow",
     [](KeysFixture& f) { f.grid->Navigation()->AllowDeleteRow = true; f.grid->FocusCell(2, 3); },
     Qt::Key_Delete, kNoMods, 2, 3,
     [](KeysFixture& f) {
         EXPECT_EQ(f.grid->RowCount(), 7);
         EXPECT_EQ(f.grid->Cells(2, 3), "2,4");
     },
     {"candelete 3", "deleted 3"}},
    {"DeleteTheLastRow",
     [](KeysFixture& f) { f.grid->Navigation()->AllowDeleteRow = true; f.grid->FocusCell(2, 7); },
     Qt::Key_Delete, kCtrl, 2, 6, [](KeysFixture& f) { EXPECT_EQ(f.grid->RowCount(), 7); },
     {"candelete 7", "deleted 7"}},
    {"DeleteClearsTheOnlyDataRow",
     [](KeysFixture& f) { f.grid->Navigation()->AllowDeleteRow = true; f.grid->SetRowCount(2); f.grid->FocusCell(2, 1); },
     Qt::Key_Delete, kNoMods, 2, 1,
     [](KeysFixture& f) {
         EXPECT_EQ(f.grid->RowCount(), 2);
         EXPECT_EQ(f.grid->Cells(2, 1), "");
     },
     {"candelete 1", "deleted 1"}},
    {"DeleteRefusedByTheEvent",
     [](KeysFixture& f) { f.grid->Navigation()->AllowDeleteRow = true; f.allowRows = false; f.grid->FocusCell(2, 3); },
     Qt::Key_Delete, kNoMods, 2, 3, [](KeysFixture& f) { EXPECT_EQ(f.grid->Cells(2, 3), "2,3"); }, {"candelete 3"}},
    {"AltDeleteRemovesNothing",
     [](KeysFixture& f) { f.grid->Navigation()->AllowDeleteRow = true; f.grid->FocusCell(2, 3); },
     Qt::Key_Delete, Qt::AltModifier, 2, 3, [](KeysFixture& f) { EXPECT_EQ(f.grid->RowCount(), 8); }, {}},

    // Disjunct row selection.
    {"DisjunctDownSelectsOnlyTheRowReached", [](KeysFixture& f) { Disjunct(f, {2, 5}); },
     Qt::Key_Down, kNoMods, 1, 4, [](KeysFixture& f) { EXPECT_EQ(f.FlaggedRows(), std::vector<int>{4}); }, {}},
    {"DisjunctShiftDownExtendsTheSelection", [](KeysFixture& f) { Disjunct(f, {6}); },
     Qt::Key_Down, kShift, 1, 4, [](KeysFixture& f) { EXPECT_EQ(f.FlaggedRows(), (std::vector<int>{3, 4, 6})); }, {}},
    {"DisjunctCtrlKeyAddsTheCurrentRow", [](KeysFixture& f) { Disjunct(f, {2}); },
     Qt::Key_Down, kCtrl, 1, 3, [](KeysFixture& f) { EXPECT_EQ(f.FlaggedRows(), (std::vector<int>{2, 3})); }, {}},
    {"DisjunctSpaceTogglesTheCurrentRow", [](KeysFixture& f) { Disjunct(f, {2, 3}); },
     Qt::Key_Space, kNoMods, 1, 3, [](KeysFixture& f) { EXPECT_EQ(f.FlaggedRows(), std::vector<int>{2}); }, {}},

    // Tab at the fixed right columns.
    {"TabBeforeTheFixedRightColumnsGoesToTheNextRow",
     [](KeysFixture& f) { Tabs(f); f.grid->SetFixedRightCols(1); f.grid->FocusCell(4, 2); },
     Qt::Key_Tab, kNoMods, 1, 3, nullptr, {}},
    {"TabBeforeTheFixedRightColumnsOnTheLastRowWraps",
     [](KeysFixture& f) { Tabs(f); f.grid->SetFixedRightCols(1); f.grid->FocusCell(4, 7); },
     Qt::Key_Tab, kNoMods, 1, 1, nullptr, {}},
    {"ShiftTabAtTheFirstColumnSkipsTheFixedRightColumns",
     [](KeysFixture& f) { Tabs(f); f.grid->SetFixedRightCols(1); f.grid->FocusCell(1, 3); },
     Qt::Key_Tab, kShift, 4, 2, nullptr, {}},
    {"TabInsideTheNormalColumns",
     [](KeysFixture& f) { Tabs(f); f.grid->SetFixedRightCols(1); f.grid->FocusCell(2, 2); },
     Qt::Key_Tab, kNoMods, 3, 2, nullptr, {}},

    // Ctrl+A with row and range select.
    {"CtrlASelectsEveryDataCell",
     [](KeysFixture& f) {
         f.grid->SetOptions(f.grid->Options() | goRowSelect | goRangeSelect);
         f.grid->SetFixedRightCols(1);
         f.grid->SetFixedFooters(1);
         f.grid->FocusCell(1, 3);
     },
     Qt::Key_A, kCtrl, 4, 6,
     [](KeysFixture& f) {
         // Whole rows: the first data row to the last before the footer.
         EXPECT_EQ(f.grid->Selection().Top, 1);
         EXPECT_EQ(f.grid->Selection().Bottom, 6);
     },
     {}},
    {"CtrlAWithoutRowSelectSelectsNothingMore", [](KeysFixture& f) { f.grid->FocusCell(2, 3); },
     Qt::Key_A, kCtrl, 2, 3, [](KeysFixture& f) { EXPECT_EQ(f.grid->Selection(), (TGridRect{2, 3, 2, 3})); }, {}},
};

INSTANTIATE_TEST_SUITE_P(Steps, GridKeyDown, ::testing::ValuesIn(kKeyCases), PrintedName{});

// ---- typed characters

struct TypedCase {
    const char* name;
    std::function<void(KeysFixture&)> setup;
    int key;
    Qt::KeyboardModifiers mods;
    QString text;
    QString editor; // what the editor shows, or "<no editor>"
    QString cell;   // the cell's text afterwards
};

void PrintTo(const TypedCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridTyping : public ::testing::TestWithParam<TypedCase> {};

TEST_P(GridTyping, OpensTheEditorWithTheCharacterOrSpendsIt)
{
    const TypedCase& c = GetParam();
    const TLocaleSettings saved = LocaleSettings();
    LocaleSettings().DecimalSeparator = ',';
    {
        KeysFixture f;
        f.grid->FocusCell(2, 2);
        c.setup(f);
        input::Key(c.key, c.mods, c.text);
        input::Settle();
        EXPECT_EQ(f.EditorText(), c.editor);
        EXPECT_EQ(f.grid->Cells(2, 2), c.cell);
    }
    LocaleSettings() = saved;
}

const TypedCase kTypedCases[] = {
    {"ALetterOpensTheEditor", Editing, Qt::Key_X, kNoMods, "x", "x", "x"},
    {"BackspaceOpensTheEditorEmptied", Editing, Qt::Key_Backspace, kNoMods, "\b", "", ""},
    {"NothingOpensWithoutEditing", [](KeysFixture&) {}, Qt::Key_X, kNoMods, "x", "<no editor>", "2,2"},
    {"RangeSelectAndEditOpensTheEditorWithTheCharacter",
     [](KeysFixture& f) { f.grid->MouseActions()->RangeSelectAndEdit = true; }, Qt::Key_X, kNoMods, "x", "x", "x"},
    {"RangeSelectAndEditOnACellThatMayNotBeEdited",
     [](KeysFixture& f) {
         f.grid->MouseActions()->RangeSelectAndEdit = true;
         f.refusedCol = 2;
         f.refusedRow = 2;
     },
     Qt::Key_X, kNoMods, "x", "<no editor>", "2,2"},
    {"CharactersOnACheckBoxAreSpent",
     [](KeysFixture& f) { Editing(f); f.AddCheckBox(2, 2); }, Qt::Key_X, kNoMods, "x", "<no editor>", "2,2"},
    {"ThePadsDecimalKeyTypesTheDecimalSeparator",
     [](KeysFixture& f) { Editing(f); f.grid->ExcelStyleDecimalSeparator = true; }, Qt::Key_Period,
     Qt::KeypadModifier, ".", ",", ","},
    {"ThePadsDecimalKeyTypesAPointWithoutTheOption", Editing, Qt::Key_Period, Qt::KeypadModifier, ".", ".", "."},
    {"TheMainPointKeyStaysAPoint", [](KeysFixture& f) { Editing(f); f.grid->ExcelStyleDecimalSeparator = true; },
     Qt::Key_Period, kNoMods, ".", ".", "."},
};

INSTANTIATE_TEST_SUITE_P(Characters, GridTyping, ::testing::ValuesIn(kTypedCases), PrintedName{});

// ---- key up: AlwaysEdit opens the editor on the cell reached

struct KeyUpCase {
    const char* name;
    bool alwaysEdit;
    bool checkBoxThere;
    int key;
    int col, row;
    bool editor;
};

void PrintTo(const KeyUpCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridKeyUp : public ::testing::TestWithParam<KeyUpCase> {};

TEST_P(GridKeyUp, AlwaysEditOpensTheEditorWhereTheKeyWent)
{
    const KeyUpCase& c = GetParam();
    KeysFixture f;
    f.grid->SetOptions(f.grid->Options() | goEditing | goTabs);
    f.grid->Navigation()->AlwaysEdit = c.alwaysEdit;
    if (c.checkBoxThere)
        f.AddCheckBox(c.col, c.row);
    f.grid->FocusCell(2, 2);
    input::Key(c.key);
    input::Settle();
    EXPECT_EQ(f.grid->Col(), c.col);
    EXPECT_EQ(f.grid->Row(), c.row);
    EXPECT_EQ(f.EditorText(), c.editor ? QString::fromStdString(At(c.col, c.row)) : QStringLiteral("<no editor>"));
}

const KeyUpCase kKeyUpCases[] = {
    {"Down", true, false, Qt::Key_Down, 2, 3, true},
    {"Right", true, false, Qt::Key_Right, 3, 2, true},
    {"Tab", true, false, Qt::Key_Tab, 3, 2, true},
    {"PageDownIsNoArrow", true, false, Qt::Key_PageDown, 2, 7, false},
    {"NotOnACheckBox", true, true, Qt::Key_Down, 2, 3, false},
    {"NotWithoutAlwaysEdit", false, false, Qt::Key_Down, 2, 3, false},
};

INSTANTIATE_TEST_SUITE_P(Keys, GridKeyUp, ::testing::ValuesIn(kKeyUpCases), PrintedName{});

// With an editor open and AlwaysEdit, the arrow commits the value and the
// editor opens again on the next cell.
TEST(GridKeyUpEdit, AnArrowInTheEditorCommitsAndTheEditorFollows)
{
    KeysFixture f;
    Editing(f);
    f.grid->Navigation()->AlwaysEdit = true;
    f.grid->FocusCell(2, 2);
    input::Type("n");
    input::Key(Qt::Key_Down);
    input::Settle();
    EXPECT_EQ(f.grid->Cells(2, 2), "n");
    EXPECT_EQ(f.grid->Row(), 3);
    EXPECT_EQ(f.EditorText(), "2,3");
}

// Navigation keys end the text typed to find a row of the sorted column.
TEST(GridKeyUpLookup, AnArrowStartsTheFoundTextAgain)
{
    KeysFixture f;
    const QStringList names{"ana", "bento", "carla", "bruno", "celia", "dora", "eva"};
    for (int r = 1; r < 8; ++r)
        f.grid->SetCells(1, r, names[r - 1]);
    f.grid->SortSettings()->SetColumn(1);
    f.grid->Navigation()->AutoGotoWhenSorted = true;
    f.grid->Navigation()->AutoGotoIncremental = true;
    input::Type("br");
    EXPECT_EQ(f.grid->Row(), 4);
    input::Key(Qt::Key_Up);
    input::Type("c");
    EXPECT_EQ(f.grid->Row(), 3) << "c is looked up alone, not as brc";
}

// ---- focus

TEST(GridFocus, TabIntoTheGridWithAlwaysEditOpensTheEditor)
{
    KeysFixture f;
    auto* before = new QLineEdit(&f.window);
    before->setGeometry(0, 245, 80, 14);
    before->show();
    QWidget::setTabOrder(before, f.grid);
    Editing(f);
    f.grid->Navigation()->AlwaysEdit = true;
    f.grid->FocusCell(3, 4);
    before->setFocus();
    input::Settle();
    input::Key(Qt::Key_Tab);
    input::Settle();
    EXPECT_EQ(f.EditorText(), "3,4");
}

// The focus coming back from the grid's own editor is no focus gained:
// Esc closes the editor for good, even with AlwaysEdit.
TEST(GridFocus, EscClosesTheEditorForGoodWithAlwaysEdit)
{
    KeysFixture f;
    Editing(f);
    f.grid->Navigation()->AlwaysEdit = true;
    f.grid->FocusCell(2, 3);
    input::Type("n");
    ASSERT_EQ(f.EditorText(), "n");
    input::Key(Qt::Key_Escape);
    input::Settle();
    EXPECT_EQ(f.EditorText(), "<no editor>");
    EXPECT_EQ(f.grid->Cells(2, 3), "2,3");
    EXPECT_TRUE(f.grid->hasFocus());
}

TEST(GridFocus, EnteringTheGridAsksAgainWhetherTheCellMayBeEdited)
{
    KeysFixture f;
    auto* before = new QLineEdit(&f.window);
    before->setGeometry(0, 245, 80, 14);
    before->show();
    QWidget::setTabOrder(before, f.grid);
    Editing(f);
    f.grid->FocusCell(3, 4);
    before->setFocus();
    input::Settle();
    // The cell became read-only while the grid was left.
    f.refusedCol = 3;
    f.refusedRow = 4;
    input::Key(Qt::Key_Tab);
    input::Settle();
    input::Type("x");
    EXPECT_EQ(f.EditorText(), "<no editor>");
    EXPECT_EQ(f.grid->Cells(3, 4), "3,4");
}

TEST(GridFocus, AGridOfItsFixedRowAloneShowsNoCurrentCell)
{
    KeysFixture f;
    f.grid->FixedRowAlways = true;
    f.grid->SetRowCount(1);
    auto* other = new QLineEdit(&f.window);
    other->show();
    other->setFocus();
    input::Settle();
    f.grid->setFocus(Qt::TabFocusReason);
    input::Settle();
    EXPECT_TRUE(f.grid->SelectionHidden());
}

// ---- dialog characters

// Before a key press reaches the focused grid, Qt asks it whether the key is
// its own or may fire a shortcut of the window: plain characters are the
// grid's (typing into a cell), Alt and Ctrl combinations and the keys that
// type nothing go to the window.
struct DialogCharCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers mods;
    QString text;
    bool grids;
};

void PrintTo(const DialogCharCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridDialogChars : public ::testing::TestWithParam<DialogCharCase> {};

TEST_P(GridDialogChars, PlainCharactersStayTheGrids)
{
    const DialogCharCase& c = GetParam();
    KeysFixture f;
    QKeyEvent overrideEvent(QEvent::ShortcutOverride, c.key, c.mods, c.text);
    overrideEvent.ignore();
    QApplication::sendEvent(f.grid, &overrideEvent);
    EXPECT_EQ(overrideEvent.isAccepted(), c.grids);
}

const DialogCharCase kDialogChars[] = {
    {"Letter", Qt::Key_K, kNoMods, "k", true},
    {"ShiftedLetter", Qt::Key_K, kShift, "K", true},
    {"Digit", Qt::Key_5, kNoMods, "5", true},
    {"AltLetter", Qt::Key_K, Qt::AltModifier, "k", false},
    {"CtrlLetter", Qt::Key_S, kCtrl, "\x13", false},
    {"Escape", Qt::Key_Escape, kNoMods, "\x1b", false},
    {"Enter", Qt::Key_Return, kNoMods, "\r", false},
    {"F1", Qt::Key_F1, kNoMods, "", false},
};

INSTANTIATE_TEST_SUITE_P(Keys, GridDialogChars, ::testing::ValuesIn(kDialogChars), PrintedName{});

} // namespace
