// The edit commit of the grid control, through real editing: keys typed into
// the in-place editor, the edit ended by Enter, and the value passing the
// cell checker and OnCellValidate before the cell takes it. Also the text an
// editor opens with, rich-text cells and the end of an edit link's pop-up.
#include "grid/extgrid.h"

#include "grid/esgcheck.h"
#include "grid/extinplace.h"
#include "grid/floatingfooter.h"
#include "grid/grideditors.h"
#include "platform/controls.h"
#include "platform/richedit.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A checker that corrects by trimming and marks errors by brackets around
// a text holding "!".
class Checker : public TExtStringGridCheck {
public:
    QString CorrectCellText(int, int, const QString& Value) override
    {
        if (failures > 0 && failures--)
            throw EExtGridError("checker failed");
        ++corrections;
        return Value.trimmed();
    }
    QString MarkCellError(int, int, const QString& Value) override
    {
        return Value.contains('!') ? "[" + Value + "]" : Value;
    }
    int corrections = 0;
    // The next corrections fail, as a checker of the application's may.
    int failures = 0;
};

class GridCommit : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 420, 200);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(100);
        grid->SetOptions(grid->Options() | goEditing);
        grid->OnCellValidate = [this](auto, int ACol, int ARow, QString& Value, bool& Valid) {
            validated.push_back(Value);
            EXPECT_EQ(ACol, 1);
            EXPECT_EQ(ARow, 1);
            if (validator)
                validator(Value, Valid);
        };
        grid->OnCellsChanged = [this](auto, const TRect& R) { changed.push_back(R); };
        window.resize(440, 220);
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        grid->SetCells(1, 1, "old");
        grid->FocusCell(1, 1);
        input::Settle();
    }

    // F2, select all, the keys, Enter: a user retyping the cell.
    void Retype(const QString& text)
    {
        input::Key(Qt::Key_F2);
        input::Key(Qt::Key_A, Qt::ControlModifier);
        input::Type(text);
        input::Key(Qt::Key_Return);
        input::Settle();
    }
    bool EditorOpen() const { return grid->TextEditor() && grid->TextEditor()->isVisible(); }

    QWidget window;
    TExtStringGrid* grid;
    Checker checker;
    std::function<void(QString&, bool&)> validator;
    std::vector<QString> validated;
    std::vector<TRect> changed;
};

struct CommitCase {
    const char* name;
    QString typed;
    bool withChecker;
    std::function<void(QString&, bool&)> validator;
    // The value the handler saw, the cell afterwards, whether the editor
    // opened again (showing the cell's text) on the same cell.
    QString seen;
    QString stored;
    bool reopened;
};

const CommitCase kCommits[] = {
    {"ValidValueIsStored", "new", false, nullptr, "new", "new", false},
    {"HandlerCorrectsAValidValue", "new", false, [](QString& v, bool&) { v = v.toUpper(); }, "new", "NEW", false},
    {"RefusedUnchangedPutsTheOldTextBackAndReopens", "bad", false, [](QString&, bool& ok) { ok = false; }, "bad",
     "old", true},
    {"RefusedButCorrectedKeepsTheCorrectionAndReopens", "bad", false,
     [](QString& v, bool& ok) {
         v = "fix me";
         ok = false;
     },
     "bad", "fix me", true},
    {"CheckerCorrectsBeforeTheHandler", "  new  ", true, nullptr, "new", "new", false},
    {"CheckerMarksErrorsAfterTheHandler", "new!", true, nullptr, "new!", "[new!]", false},
};

class GridCommits : public GridCommit, public ::testing::WithParamInterface<CommitCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, GridCommits, ::testing::ValuesIn(kCommits),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(GridCommits, EnterCommitsThroughTheCheckerAndTheHandler)
{
    const CommitCase& c = GetParam();
    validator = c.validator;
    if (c.withChecker) {
        checker.AutoCorrect = true;
        checker.AutoMarkError = true;
        grid->SetCellChecker(&checker);
    }
    Retype(c.typed);
    ASSERT_EQ(validated.size(), 1u);
    EXPECT_EQ(validated[0], c.seen);
    EXPECT_EQ(grid->Cells(1, 1), c.stored);
    EXPECT_EQ(EditorOpen(), c.reopened);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.back(), (TRect{1, 1, 1, 1}));
    if (c.reopened) {
        EXPECT_EQ(QApplication::focusWidget(), grid->TextEditor());
        EXPECT_EQ(grid->TextEditor()->Text(), c.stored) << "the editor shows what the cell holds";
        // The reopened edit commits like any other once the value passes.
        validator = nullptr;
        Retype("good");
        EXPECT_EQ(grid->Cells(1, 1), "good");
        EXPECT_FALSE(EditorOpen());
    }
    grid->SetCellChecker(nullptr);
}

// A commit that something breaks half-way: the error shows once, and the
// grid then opens its editor, takes keys and validates as before.
struct BrokenCommitCase {
    const char* name;
    std::function<void(TExtStringGrid&, Checker&)> arm;
    QStringList boxes;
};

const BrokenCommitCase kBrokenCommits[] = {
    {"TextInASummedFooterColumnCountsAsZero",
     [](TExtStringGrid& grid, Checker&) {
         grid.FloatingFooter()->SetVisible(true);
         grid.GetCellProperties(1, 4)->FooterCalc = 1;
     },
     {}},
    {"CellsChangedHandlerThrows",
     [](TExtStringGrid& grid, Checker&) {
         grid.OnCellsChanged = [&grid](auto, const TRect&) {
             grid.OnCellsChanged = nullptr;
             throw EExtGridError("handler failed");
         };
     },
     {"handler failed"}},
    {"CheckerThrows",
     [](TExtStringGrid& grid, Checker& checker) {
         checker.AutoCorrect = true;
         checker.failures = 1;
         grid.SetCellChecker(&checker);
     },
     {"checker failed"}},
};

class BrokenCommits : public GridCommit, public ::testing::WithParamInterface<BrokenCommitCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, BrokenCommits, ::testing::ValuesIn(kBrokenCommits),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(BrokenCommits, TheGridEditsAndValidatesAgainAfterwards)
{
    const BrokenCommitCase& c = GetParam();
    c.arm(*grid, checker);
    {
        ScriptedBoxes boxes({IDOK});
        Retype("abc");
        EXPECT_EQ(boxes.Texts(), c.boxes);
    }
    // A failed commit leaves its edit open; the user gives it up.
    if (EditorOpen())
        input::Key(Qt::Key_Escape);
    input::Settle();
    ASSERT_FALSE(EditorOpen());
    const size_t validations = validated.size();
    input::Key(Qt::Key_F2);
    ASSERT_TRUE(EditorOpen()) << "F2 opens the editor again";
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Type("5");
    input::Key(Qt::Key_Return);
    input::Settle();
    ASSERT_EQ(validated.size(), validations + 1) << "OnCellValidate is raised again";
    EXPECT_EQ(validated.back(), "5");
    EXPECT_EQ(grid->Cells(1, 1), "5");
    EXPECT_FALSE(EditorOpen());
    if (grid->FloatingFooter()->Visible()) {
        EXPECT_EQ(grid->Cells(1, 4), "5.00");
    }
    grid->SetCellChecker(nullptr);
}

TEST_F(GridCommit, AnUnchangedValueIsValidatedOnlyWhenForced)
{
    Retype("old");
    EXPECT_TRUE(validated.empty());
    EXPECT_TRUE(changed.empty());
    grid->ForceValidation = true;
    Retype("old");
    EXPECT_EQ(validated.size(), 1u);
}

TEST_F(GridCommit, TheCommittedTextIsRememberedForTheNextEdit)
{
    Retype("new");
    Retype("new");
    EXPECT_EQ(validated.size(), 1u) << "the second edit changed nothing";
    validator = [](QString&, bool& ok) { ok = false; };
    Retype("newer");
    EXPECT_EQ(grid->Cells(1, 1), "new") << "back to the text the cell had when it was entered";
    input::Key(Qt::Key_Escape);
}

// ---- the text an editor opens with

TEST_F(GridCommit, EditorsGetTheTextWithoutTagsUnlessEditWithTags)
{
    grid->SetCells(2, 2, "<B>bold</B> text");
    grid->FocusCell(2, 2);
    input::Key(Qt::Key_F2);
    EXPECT_EQ(grid->TextEditor()->Text(), "bold text");
    input::Key(Qt::Key_Escape);
    grid->EditWithTags = true;
    input::Key(Qt::Key_F2);
    EXPECT_EQ(grid->TextEditor()->Text(), "<B>bold</B> text");
    input::Key(Qt::Key_Escape);
}

TEST_F(GridCommit, TheEditorEditsTheRealColumnBehindHiddenOnes)
{
    // Column 1 hidden: display column 1 is real column 2.
    grid->SetCells(2, 2, "real");
    grid->SetCells(1, 2, "hidden");
    grid->SetColumnVisibleFlag(1, false);
    grid->FocusCell(1, 2);
    input::Key(Qt::Key_F2);
    EXPECT_EQ(grid->TextEditor()->Text(), "real");
    input::Key(Qt::Key_End);
    input::Type("!");
    EXPECT_EQ(grid->Cells(2, 2), "real!");
    EXPECT_EQ(grid->Cells(1, 2), "hidden") << "the hidden column is left alone";
    input::Key(Qt::Key_Escape);
    grid->SetColumnVisibleFlag(1, true);
}

TEST_F(GridCommit, TheEditorTextStandsWhereTheCellsDoes)
{
    for (auto [cell, wanted] : {std::pair{vtaTop, Qt::AlignTop}, std::pair{vtaCenter, Qt::AlignVCenter},
                                std::pair{vtaBottom, Qt::AlignBottom}}) {
        grid->OnGetAlignment = [cell = cell](auto, int, int, TAlignment&, TVAlignment& V) { V = cell; };
        input::Key(Qt::Key_F2);
        EXPECT_EQ(grid->TextEditor()->alignment() & Qt::AlignVertical_Mask, wanted) << cell;
        input::Key(Qt::Key_Escape);
    }
}

// ---- rich-text cells

TEST_F(GridCommit, RichTextCellsGoIntoARichEditAndBack)
{
    TRichEdit rich;
    grid->SetCells(2, 2, "plain words");
    grid->CellToRich(2, 2, &rich);
    EXPECT_EQ(rich.Text(), "plain words");
    grid->RichToCell(3, 3, &rich);
    EXPECT_TRUE(grid->Cells(3, 3).startsWith("{\\rtf"));
    grid->CellToRich(3, 3, &rich);
    EXPECT_EQ(rich.Text(), "plain words") << "the stored rich text reads back";
    grid->CellToRich(0, 4, &rich);
    EXPECT_EQ(rich.Text(), QString()) << "an empty cell empties the control";
}

// ---- an edit link's pop-up

class PopupLink : public TEditLink {
public:
    bool PopupEdit() const override { return true; }
    int PopupWidth() const override { return 120; }
    int PopupHeight() const override { return 60; }
    bool WriteOnPopupClose() const override { return writes; }
    void SetGridCell(TExtStringGrid*, int, int) override {}
    void CreateEditor(QWidget* Parent) override
    {
        if (!edit)
            edit = new TEdit(Parent);
    }
    void SetRect(const QRect& Rect) override { edit->setGeometry(Rect); }
    void SetVisible(bool Visible) override { edit->setVisible(Visible); }
    void SetColorAndFont(TColor, const QFont&) override {}
    void SetEditorValue(const QString& Value) override { edit->SetText(Value); }
    QString GetEditorValue() override { return edit->Text(); }
    QWidget* GetEditControl() override { return edit; }

    bool writes = false;
    TEdit* edit = nullptr;
};

TEST_F(GridCommit, ClosingALinksPopupEndsTheEditOrWritesTheValue)
{
    PopupLink link;
    grid->SetEditLink(&link);
    grid->OnGetEditorType = [](auto, int, int, TEditorType& E) { E = edCustom; };
    for (bool writes : {true, false}) {
        SCOPED_TRACE(writes);
        link.writes = writes;
        grid->SetCells(1, 1, "old");
        // The closed pop-up took the activation with it.
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        input::Key(Qt::Key_F2);
        ASSERT_NE(link.edit, nullptr);
        QWidget* popup = link.edit->window();
        ASSERT_TRUE(popup->isVisible());
        link.edit->SetText(writes ? "kept" : "ended");
        popup->close();
        input::Settle();
        EXPECT_EQ(grid->Cells(1, 1), writes ? "kept" : "ended");
        EXPECT_EQ(grid->EditorShown(), writes) << "only a link that writes on closing goes on editing";
        if (writes)
            grid->EndCellEditing();
    }
}

// ---- layout helpers

TEST_F(GridCommit, RowHeightsByLinesAndLineCounts)
{
    const int line = grid->RowHeightOfLines(1, 0, 0, 0);
    EXPECT_GT(line, 0);
    EXPECT_EQ(grid->RowHeightOfLines(3, 4, 0, 0), 3 * line + 4);
    EXPECT_EQ(grid->RowHeightOfLines(3, 4, 0, 2 * line), 2 * line) << "at most the maximum";
    EXPECT_EQ(grid->RowHeightOfLines(0, 0, 18, 0), 18) << "at least the minimum";

    grid->SetCells(2, 3, "a\r\nb\nc");
    grid->SetCells(3, 3, "a\rb");
    EXPECT_EQ(grid->RowLineCount(3), 1) << "without Multilinecells every row has one line";
    grid->Multilinecells = true;
    EXPECT_EQ(grid->RowLineCount(3), 3);
    EXPECT_EQ(grid->RowLineCount(2), 1);
}

TEST_F(GridCommit, CtrlEnterSizesTheRowToTheEditorsLines)
{
    grid->Multilinecells = true;
    grid->SizeWhileTyping()->Height = true;
    grid->Navigation()->LineFeedOnEnter = true;
    const int normal = grid->RowHeights(1);
    input::Key(Qt::Key_F2);
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Type("um\rdois\rtrês\rquatro");
    input::Key(Qt::Key_Return, Qt::ControlModifier);
    const int four = grid->RowHeights(1);
    EXPECT_GT(four, normal);
    EXPECT_EQ(four, grid->RowHeightOfLines(4, 2 * grid->XYOffsetY, grid->DefaultRowHeight(), 0));
    // Fewer lines: the row shrinks again, never below a normal row.
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Type("um");
    input::Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(grid->RowHeights(1), grid->RowHeightOfLines(1, 2 * grid->XYOffsetY, grid->DefaultRowHeight(), 0));
    EXPECT_LT(grid->RowHeights(1), four);
    EXPECT_GE(grid->RowHeights(1), grid->DefaultRowHeight());
    input::Key(Qt::Key_Escape);
}

TEST_F(GridCommit, IncrementalLookupFindsTheFirstRowBeginningWithTheText)
{
    const QStringList names{"", "alfa", "Beta", "bravo", "beth"};
    for (int r = 1; r < 5; ++r) {
        grid->SetCells(1, r, names[r]);
        grid->SetCells(2, r, names[5 - r]);
    }
    struct Case {
        QString text;
        bool show;
        int row;
    } cases[] = {{"B", false, 2}, {"BR", false, 3}, {"BETH", false, 4}, {"C", false, -1},
                 {"AL", true, 4}, {"BR", true, 2}};
    for (const Case& c : cases) {
        grid->SortSettings()->SetShow(c.show);
        grid->SortSettings()->SetColumn(2);
        EXPECT_EQ(grid->IncrementalLookup(c.text), c.row) << c.text.toStdString() << c.show;
    }
    grid->SetRowCount(1);
    EXPECT_EQ(grid->IncrementalLookup("A"), -1) << "a grid of one row has nothing to find";
}

TEST_F(GridCommit, CellColourIsThePropertiesBrushOrNone)
{
    EXPECT_EQ(grid->CellColor(2, 2), clNone);
    grid->GetCellProperties(2, 2)->SetBrushColor(clRed);
    EXPECT_EQ(grid->CellColor(2, 2), clRed);
    EXPECT_EQ(grid->CellColor(2, 3), clNone);
    EXPECT_EQ(grid->CellColor(40, 40), clNone);
}

TEST_F(GridCommit, IntegralHeightSnapsTheHeightWhenSet)
{
    grid->setGeometry(0, 0, 420, 100);
    grid->SetIntegralHeight(true);
    EXPECT_NE(grid->height(), 100);
    const int snapped = grid->height();
    grid->SetIntegralHeight(false);
    grid->setGeometry(0, 0, 420, 100);
    grid->SetBounds(0, 0, 420, 100);
    EXPECT_EQ(grid->height(), 100);
    grid->SetIntegralHeight(true);
    EXPECT_EQ(grid->height(), snapped);
}

} // namespace
