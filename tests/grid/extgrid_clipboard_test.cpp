// The grid control's clipboard: the copied text and formats, text paste with
// and without growth, the cells a paste may write, the private cell format
// between grids, cut, and the smart fill after a paste into a selection.
#include "grid/extgrid.h"

#include "grid/cellstream.h"
#include "image/conversao.h"
#include "tests/grid/locale_cases.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

QClipboard& Clipboard()
{
    return *QGuiApplication::clipboard();
}

QString ClipboardText()
{
    return Clipboard().mimeData()->text();
}

// A grid remembering each ClipboardPasted call.
class PasteGrid : public TExtStringGrid {
public:
    struct Pasted {
        int SourceCol = 0;
        int SourceRow = 0;
        TRect Range;
        bool Copied = false;
    };
    std::vector<Pasted> Calls;
    std::vector<TRect> Changed;

    PasteGrid(int cols, int rows)
    {
        SetFixedCols(0);
        SetFixedRows(0);
        SetColCount(cols);
        SetRowCount(rows);
        SetOptions(Options() | goEditing);
        OnCellsChanged = [this](QObject*, TRect R) { Changed.push_back(R); };
    }
    void ClipboardPasted(int SourceCol, int SourceRow, const TRect& Range, bool Copied) override
    {
        Calls.push_back({SourceCol, SourceRow, Range, Copied});
    }
    void Fill(const std::vector<QStringList>& rows)
    {
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                SetCells(c, r, rows[r][c]);
    }
    QStringList Row(int r) const
    {
        QStringList texts;
        for (int c = 0; c < ColCount(); ++c)
            texts << Cells(c, r);
        return texts;
    }
    QStringList Column(int c) const
    {
        QStringList texts;
        for (int r = 0; r < RowCount(); ++r)
            texts << Cells(c, r);
        return texts;
    }
};

// ---- the copied text

struct CopyCase {
    const char* name;
    std::function<void(PasteGrid&)> setup;
    TGridRect selection;
    QString text;
};

TEST(ExtGridClipboard, CopiedTextFollowsTheTabLineEndAndQuotingRules)
{
    const std::vector<CopyCase> cases = {
        {"one row: tabs, no line end", nullptr, {0, 0, 2, 0}, "a\tb\tc"},
        {"two rows: both end with CR LF", nullptr, {1, 0, 2, 1}, "b\tc\r\ne\tf\r\n"},
        {"one cell", nullptr, {1, 1, 1, 1}, "e"},
        {"empty check box gives its check text",
         [](PasteGrid& g) {
             g.SetCells(0, 0, "");
             g.CreateCellGraphic(0, 0)->CellType = ctCheckBox;
             g.SetCells(1, 0, "");
             TCellGraphic* checked = g.CreateCellGraphic(1, 0);
             checked->CellType = ctCheckBox;
             checked->CellBoolean = true;
         },
         {0, 0, 1, 0}, "N\tY"},
        {"HTML kept while CopyHTMLTagsToClipboard", [](PasteGrid& g) { g.SetCells(0, 0, "<b>x</b>"); },
         {0, 0, 0, 0}, "<b>x</b>"},
        {"HTML stripped without CopyHTMLTagsToClipboard",
         [](PasteGrid& g) {
             g.SetCells(0, 0, "<b>x</b>");
             g.Navigation()->CopyHTMLTagsToClipboard = false;
         },
         {0, 0, 0, 0}, "x"},
        {"rich text gives its plain text", [](PasteGrid& g) { g.SetCells(0, 0, "{\\rtf1\\ansi {\\b fat}}"); },
         {0, 0, 1, 0}, "fat\tb"},
        {"multi-line cell quoted, CRs dropped",
         [](PasteGrid& g) {
             g.Multilinecells = true;
             g.QuotedMultilineClipboard = true;
             g.SetCells(0, 0, "l1\r\nl2");
         },
         {0, 0, 1, 0}, "\"l1\nl2\"\tb"},
        {"multi-line cell unquoted without the flag",
         [](PasteGrid& g) {
             g.Multilinecells = true;
             g.SetCells(0, 0, "l1\r\nl2");
         },
         {0, 0, 0, 0}, "l1\r\nl2"},
        {"a lone < or { copies as it stands",
         [](PasteGrid& g) {
             g.SetCells(0, 0, "a<b");
             g.SetCells(1, 0, "{x}");
             g.Navigation()->CopyHTMLTagsToClipboard = false;
         },
         {0, 0, 2, 0}, "a<b\t{x}\tc"},
        {"empty cells copy empty", [](PasteGrid& g) { g.SetCells(1, 1, ""); }, {0, 1, 2, 1}, "d\t\tf"},
        {"merged cells copy the base cell's text", [](PasteGrid& g) { g.MergeCells(0, 1, 2, 2); }, {0, 1, 2, 2},
         "d\td\tf\r\nd\td\ti\r\n"},
        {"rows under DisplRowCount copy their display text",
         [](PasteGrid& g) {
             g.DisplRowCount = 1;
             g.OnGetDisplText = [](int, int, QString& Value) { Value = Value.toUpper(); };
         },
         {0, 0, 2, 1}, "A\tB\tC\r\nd\te\tf\r\n"},
        {"a hidden column is skipped", [](PasteGrid& g) { g.SetColumnVisibleFlag(1, false); }, {0, 0, 1, 1},
         "a\tc\r\nd\tf\r\n"},
        {"disjunct rows: the selected rows of the whole grid",
         [](PasteGrid& g) {
             g.MouseActions()->DisjunctRowSelect = true;
             g.SetRowSelect(0, true);
             g.SetRowSelect(2, true);
         },
         {1, 1, 1, 1}, "a\tb\tc\r\ng\th\ti\r\n"},
        {"disjunct rows without fixed cells: the data area",
         [](PasteGrid& g) {
             g.SetFixedCols(1);
             g.SetFixedRows(1);
             g.IncludeFixedCells = false;
             g.MouseActions()->DisjunctRowSelect = true;
             g.SetRowSelect(0, true);
             g.SetRowSelect(2, true);
         },
         {1, 1, 1, 1}, "h\ti\r\n"},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        PasteGrid grid(3, 3);
        grid.Fill({{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}});
        if (c.setup)
            c.setup(grid);
        grid.SetSelection(c.selection);
        grid.CopySelection();
        EXPECT_EQ(ClipboardText(), c.text);
        EXPECT_TRUE(grid.LastCopyWasCopy());
    }
}

TEST(ExtGridClipboard, ALongFirstRowOverManyRowsCopiesWhole)
{
    // Room reserved as the first row's length times the rows would be
    // 20 billion characters.
    PasteGrid grid(1, 100000);
    const QString first(200000, QChar('x'));
    grid.SetCells(0, 0, first);
    grid.SetCells(0, 99999, "last");
    grid.SetSelection({0, 0, 0, 99999});
    grid.CopySelection();
    const QString text = ClipboardText();
    EXPECT_EQ(text.size(), first.size() + 4 + 2 * 100000);
    EXPECT_TRUE(text.startsWith(first + "\r\n\r\n"));
    EXPECT_TRUE(text.endsWith("\r\nlast\r\n"));
}

TEST(ExtGridClipboard, RichTextOfTheTopLeftCellGoesBesideTheText)
{
    const QString rtf = "{\\rtf1\\ansi {\\b fat}}";
    struct Case {
        const char* name;
        bool allowRtf;
        QString topLeft;
        bool rtfOnClipboard;
        QString pasted;
        int visited;
    };
    for (const Case& c : std::vector<Case>{{"rich top-left", true, rtf, true, rtf, 0},
                                           {"rich text off", false, rtf, false, "fat", 5},
                                           {"plain top-left", true, "plain", false, "plain", 5}}) {
        SCOPED_TRACE(c.name);
        PasteGrid grid(2, 2);
        grid.Navigation()->AllowRTFClipboard = c.allowRtf;
        grid.SetCells(0, 0, c.topLeft);
        grid.SetCells(1, 1, rtf);
        grid.SetSelection({0, 0, 1, 1});
        grid.CopySelection();
        const QMimeData* mime = Clipboard().mimeData();
        EXPECT_TRUE(mime->hasText());
        EXPECT_EQ(mime->hasFormat("text/rtf"), c.rtfOnClipboard);
        if (c.rtfOnClipboard) {
            EXPECT_EQ(mime->data("text/rtf"), rtf.toLatin1());
        }

        // The rich text, where it wins, goes to the target cell alone.
        PasteGrid target(2, 2);
        target.Navigation()->AllowRTFClipboard = c.allowRtf;
        const int visited = target.PasteFromClipboard(1, 0);
        EXPECT_EQ(target.Cells(1, 0), c.pasted);
        EXPECT_EQ(visited, c.visited);
    }
}

// ---- text paste

struct PasteCase {
    const char* name;
    int cols, rows;
    bool colGrow, rowGrow;
    int col, row;
    QString text;
    int visited;
    int newCols, newRows;
    std::vector<QStringList> cells; // row by row, after the paste
};

TEST(ExtGridClipboard, PasteTextGrowsAsAllowedAndCountsTheVisitedCells)
{
    const std::vector<PasteCase> cases = {
        {"tab and line end, growth on", 1, 1, true, true, 0, 0, "a\tb\r\n", 3, 2, 1, {{"a", "b"}}},
        {"tab and line end, growth off", 1, 1, false, false, 0, 0, "a\tb\r\n", 3, 1, 1, {{"a"}}},
        {"second line adds a row", 1, 1, true, true, 0, 0, "a\r\nb", 2, 1, 2, {{"a"}, {"b"}}},
        {"lone CR ends a line too", 1, 1, true, true, 0, 0, "a\rb\r", 3, 1, 2, {{"a"}, {"b"}}},
        {"rows only", 1, 1, false, true, 0, 0, "a\tb\r\nc\td", 4, 1, 2, {{"a"}, {"c"}}},
        {"columns only", 1, 1, true, false, 0, 0, "a\tb\r\nc\td", 4, 2, 1, {{"a", "b"}}},
        {"at an offset, inside", 3, 3, false, false, 1, 1, "p\tq\r\nr\ts\r\n", 5, 3, 3,
         {{"", "old", ""}, {"", "p", "q"}, {"", "r", "s"}}},
        {"beyond the edge dropped", 2, 2, false, false, 1, 1, "p\tq\r\nr\ts\r\n", 5, 2, 2, {{"", "old"}, {"", "p"}}},
        {"last empty value without CR keeps the cell", 2, 1, true, true, 0, 0, "a\t", 2, 2, 1, {{"a", "old"}}},
        {"last empty value with CR empties the cell", 2, 1, true, true, 0, 0, "a\t\r", 3, 2, 1, {{"a", ""}}},
        {"inner empty value empties its cell", 3, 1, true, true, 0, 0, "a\t\tc", 3, 3, 1, {{"a", "", "c"}}},
        {"negative target", 2, 2, true, true, -1, 0, "a", 0, 2, 2, {{"", "old"}, {"", ""}}},
    };
    for (const PasteCase& c : cases) {
        SCOPED_TRACE(c.name);
        PasteGrid grid(c.cols, c.rows);
        if (c.cols > 1)
            grid.SetCells(1, 0, "old");
        grid.Navigation()->AllowClipboardColGrow = c.colGrow;
        grid.Navigation()->AllowClipboardRowGrow = c.rowGrow;
        EXPECT_EQ(grid.PasteText(c.col, c.row, c.text), c.visited);
        EXPECT_EQ(grid.ColCount(), c.newCols);
        EXPECT_EQ(grid.RowCount(), c.newRows);
        for (int r = 0; r < static_cast<int>(c.cells.size()); ++r)
            EXPECT_EQ(grid.Row(r), c.cells[r]) << "row " << r;
        if (c.visited > 0) {
            ASSERT_EQ(grid.Calls.size(), 1u);
            EXPECT_EQ(grid.Calls[0].SourceCol, -1);
            EXPECT_EQ(grid.Calls[0].SourceRow, -1);
            ASSERT_EQ(grid.Changed.size(), 1u);
            EXPECT_EQ(grid.Changed[0].Left, c.col);
            EXPECT_EQ(grid.Changed[0].Top, c.row);
            EXPECT_LT(grid.Changed[0].Right, grid.ColCount());
            EXPECT_LT(grid.Changed[0].Bottom, grid.RowCount());
        } else {
            EXPECT_TRUE(grid.Calls.empty());
        }
    }
}

TEST(ExtGridClipboard, QuotedMultilineValuesComeBackWithTheGridsLineBreaks)
{
    PasteGrid grid(2, 1);
    grid.QuotedMultilineClipboard = true;
    EXPECT_EQ(grid.PasteText(0, 0, "\"l1\nl2\"\t\"kept\""), 2);
    EXPECT_EQ(grid.Cells(0, 0), "l1\r\nl2");
    EXPECT_EQ(grid.Cells(1, 0), "\"kept\"");

    // Copied and pasted again, a multi-line cell is the same text.
    grid.Multilinecells = true;
    grid.SetSelection({0, 0, 0, 0});
    grid.CopySelection();
    PasteGrid target(1, 1);
    target.QuotedMultilineClipboard = true;
    target.PasteFromClipboard(0, 0);
    EXPECT_EQ(target.Cells(0, 0), "l1\r\nl2");
}

TEST(ExtGridClipboard, APasteBeyondTheGridsSizeLimitRaisesTheGridErrorAndChangesNothing)
{
    // 5001 columns by 5001 rows is more than the grid holds.
    QStringList lines{QString("\t").repeated(5000)};
    for (int i = 0; i < 5000; ++i)
        lines << "x";
    const QString text = lines.join("\r\n");

    PasteGrid grid(1, 1);
    grid.SetCells(0, 0, "kept");
    EXPECT_THROW(grid.PasteText(0, 0, text), EExtGridError);
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cells(0, 0), "kept");
    EXPECT_EQ(grid.UpdateCount(), 0);

    // Without growth the same text is only counted.
    grid.Navigation()->AllowClipboardColGrow = false;
    grid.Navigation()->AllowClipboardRowGrow = false;
    EXPECT_EQ(grid.PasteText(0, 0, text), 5001 + 5000);
    EXPECT_EQ(grid.Cells(0, 0), "");
}

// ---- the cells a paste may write

struct WritableCase {
    const char* name;
    bool editing, rangeSelectAndEdit, always;
    QStringList row; // after pasting "a\tb\tc" at column 0; column 0 is fixed
};

TEST(ExtGridClipboard, APasteWritesOnlyCellsWritableByPasteUnlessAlways)
{
    const std::vector<WritableCase> cases = {
        {"editing: fixed and refused cells stay", true, false, false, {"f", "b", "r"}},
        {"range select and edit counts as editing", false, true, false, {"f", "b", "r"}},
        {"no editing: nothing happens", false, false, false, {"f", "", "r"}},
        {"always: every cell", false, false, true, {"a", "b", "c"}},
        {"always with editing: every cell", true, false, true, {"a", "b", "c"}},
    };
    for (const WritableCase& c : cases) {
        SCOPED_TRACE(c.name);
        PasteGrid grid(3, 2);
        grid.SetFixedCols(1);
        grid.Fill({{"f", "", "r"}});
        if (!c.editing)
            grid.SetOptions(grid.Options() & ~goEditing);
        grid.MouseActions()->RangeSelectAndEdit = c.rangeSelectAndEdit;
        grid.Navigation()->AllowClipboardAlways = c.always;
        grid.OnCanEditCell = [](QObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
        grid.PasteText(0, 0, "a\tb\tc");
        EXPECT_EQ(grid.Row(0), c.row);
    }
}

TEST(ExtGridClipboard, BeforePasteCellChangesAndRefusesValues)
{
    PasteGrid grid(3, 2);
    std::vector<TPoint> asked;
    grid.OnClipboardBeforePasteCell = [&](QObject*, int ACol, int ARow, QString& Value, bool& Allow) {
        asked.push_back({ACol, ARow});
        if (ACol == 1)
            Allow = false;
        Value = Value.toUpper();
    };
    grid.SetCells(1, 0, "kept");
    EXPECT_EQ(grid.PasteText(0, 0, "a\tb\tc\r\nd\te\tf"), 6);
    EXPECT_EQ(grid.Row(0), QStringList({"A", "kept", "C"}));
    EXPECT_EQ(grid.Row(1), QStringList({"D", "", "F"}));
    EXPECT_EQ(asked.size(), 6u);
}

// ---- the private cell format

TEST(ExtGridClipboard, PrivatePasteFromTheSameGridNamesTheCopyOrigin)
{
    PasteGrid grid(4, 4);
    grid.Navigation()->AllowFmtClipboard = true;
    grid.SetCells(1, 1, "x");
    grid.GetCellProperties(2, 2)->SetBrushColor(clAqua);
    grid.SetCells(2, 2, "y");
    grid.SetSelection({1, 1, 2, 2});
    grid.CopySelection();
    EXPECT_EQ(grid.CopyOrigin(), (TPoint{1, 1}));
    EXPECT_TRUE(Clipboard().mimeData()->hasFormat(TExtStringGrid::CellsMimeType()));

    EXPECT_EQ(grid.PasteFromClipboard(2, 0), 0);
    EXPECT_EQ(grid.Cells(2, 0), "x");
    EXPECT_EQ(grid.Cells(3, 1), "y");
    EXPECT_EQ(grid.GetCellProperties(3, 1)->BrushColor(), clAqua);
    ASSERT_EQ(grid.Calls.size(), 1u);
    EXPECT_EQ(grid.Calls[0].SourceCol, 1);
    EXPECT_EQ(grid.Calls[0].SourceRow, 1);
    EXPECT_EQ(grid.Calls[0].Range, (TRect{2, 0, 3, 1}));
    EXPECT_TRUE(grid.Calls[0].Copied);

    // After a cut the flag says so.
    grid.SetSelection({2, 0, 3, 1});
    grid.CutSelection();
    EXPECT_FALSE(grid.LastCopyWasCopy());
    grid.PasteFromClipboard(0, 2);
    ASSERT_EQ(grid.Calls.size(), 2u);
    EXPECT_EQ(grid.Calls[1].SourceCol, 2);
    EXPECT_FALSE(grid.Calls[1].Copied);
    EXPECT_EQ(grid.Cells(0, 2), "x");
}

TEST(ExtGridClipboard, PrivatePasteFromAnotherGridHasNoSourceOrigin)
{
    struct Case {
        const char* name;
        TGridRect copied;
        int targetCols, targetRows, col, row;
        std::vector<QStringList> cells;
        TRect range;
    };
    const std::vector<Case> cases = {
        {"range lands at the target", {0, 0, 1, 1}, 3, 3, 1, 1, {{"", "", ""}, {"", "a", ""}, {"", "", "d"}},
         {1, 1, 2, 2}},
        {"empty top-left: the first cell found lands at the target", {1, 0, 2, 1}, 3, 3, 0, 0,
         {{"d", "", ""}, {"", "", ""}, {"", "", ""}}, {0, 0, 1, 1}},
        {"cells beyond the target grid are dropped", {0, 0, 2, 2}, 2, 2, 1, 1, {{"", ""}, {"", "a"}},
         {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PasteGrid source(4, 4);
        source.Navigation()->AllowFmtClipboard = true;
        source.Fill({{"a", "", ""}, {"", "d", ""}, {"", "", "i"}});
        source.SetSelection(c.copied);
        source.CopySelection();

        PasteGrid target(c.targetCols, c.targetRows);
        target.Navigation()->AllowFmtClipboard = true;
        EXPECT_EQ(target.PasteFromClipboard(c.col, c.row), 0);
        for (int r = 0; r < static_cast<int>(c.cells.size()); ++r)
            EXPECT_EQ(target.Row(r), c.cells[r]) << "row " << r;
        ASSERT_EQ(target.Calls.size(), 1u);
        EXPECT_EQ(target.Calls[0].SourceCol, -1);
        EXPECT_EQ(target.Calls[0].SourceRow, -1);
        EXPECT_EQ(target.Calls[0].Range, c.range);
        // The copy flag is the target's own: it has copied nothing.
        EXPECT_FALSE(target.Calls[0].Copied);
        // The grid is not grown for this format.
        EXPECT_EQ(target.ColCount(), c.targetCols);
        EXPECT_EQ(target.RowCount(), c.targetRows);
    }
}

TEST(ExtGridClipboard, WholeGridPrivatePasteRestoresSizesAndAPartialOneKeepsThem)
{
    PasteGrid source(2, 2);
    source.Navigation()->AllowFmtClipboard = true;
    source.Fill({{"a", "b"}, {"c", "d"}});
    source.SetColWidths(1, 91);
    source.SetRowHeights(1, 37);
    for (const bool whole : {true, false}) {
        SCOPED_TRACE(whole ? "whole grid" : "part");
        source.SetSelection(whole ? TGridRect{0, 0, 1, 1} : TGridRect{0, 0, 1, 0});
        source.CopySelection();
        PasteGrid target(4, 4);
        target.Navigation()->AllowFmtClipboard = true;
        target.SetCells(3, 3, "z");
        target.PasteFromClipboard(0, 0);
        EXPECT_EQ(target.ColCount(), whole ? 2 : 4);
        EXPECT_EQ(target.ColWidths(1), whole ? 91 : target.DefaultColWidth());
        EXPECT_EQ(target.RowHeights(1), whole ? 37 : target.DefaultRowHeight());
        EXPECT_EQ(target.Cells(1, 0), "b");
        if (!whole) {
            EXPECT_EQ(target.Cells(3, 3), "z");
        }
    }
}

TEST(ExtGridClipboard, AnApplicationOwnedBitmapIsCopiedWithoutItsGraphic)
{
    PasteGrid source(2, 1);
    source.Navigation()->AllowFmtClipboard = true;
    TBitmap appBitmap;
    appBitmap.Image = QImage(2, 2, QImage::Format_RGB32);
    TCellGraphic* graphic = source.CreateCellGraphic(0, 0);
    graphic->CellType = ctBitmap;
    graphic->CellBitmap = &appBitmap;
    graphic->CellCreated = false;
    source.SetCells(0, 0, "pic");
    source.SetSelection({0, 0, 1, 0});
    source.CopySelection();

    PasteGrid target(2, 1);
    target.Navigation()->AllowFmtClipboard = true;
    target.PasteFromClipboard(0, 0);
    EXPECT_EQ(target.Cells(0, 0), "pic");
    EXPECT_EQ(target.GetCellGraphic(0, 0), nullptr);
    source.RemoveCellGraphic(0, 0);
}

// ---- cut

TEST(ExtGridClipboard, CutEmptiesWritableCellsAndTheirGraphicSlots)
{
    for (const bool fmt : {true, false}) {
        SCOPED_TRACE(fmt ? "with the cell format" : "text only");
        PasteGrid grid(3, 1);
        grid.Navigation()->AllowFmtClipboard = fmt;
        grid.Fill({{"a", "b", "c"}});
        TCellGraphic* check = grid.CreateCellGraphic(0, 0);
        check->CellType = ctCheckBox;
        auto* bitmap = new TBitmap;
        bitmap->Image = QImage(2, 2, QImage::Format_RGB32);
        TCellGraphic* picture = grid.CreateCellGraphic(1, 0);
        picture->CellType = ctBitmap;
        picture->CellBitmap = bitmap;
        picture->CellCreated = true;
        grid.OnCanEditCell = [](QObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
        grid.SetSelection({0, 0, 2, 0});
        grid.CutSelection();
        EXPECT_EQ(ClipboardText(), "a\tb\tc");
        EXPECT_EQ(grid.Row(0), QStringList({"", "", "c"}));
        // The freed graphics leave their slots: nothing points at them.
        EXPECT_EQ(grid.GetCellGraphic(0, 0) == nullptr, fmt);
        EXPECT_EQ(grid.GetCellGraphic(1, 0) == nullptr, fmt);
        EXPECT_FALSE(grid.LastCopyWasCopy());
        ASSERT_FALSE(grid.Changed.empty());
        EXPECT_EQ(grid.Changed.back(), (TRect{0, 0, 2, 0}));
        if (fmt) {
            // The cut cells paste back, graphics and all, from the clipboard.
            grid.PasteFromClipboard(0, 0);
            EXPECT_EQ(grid.Cells(0, 0), "a");
            ASSERT_NE(grid.GetCellGraphicObject(1, 0), nullptr);
            EXPECT_EQ(grid.GetCellGraphicObject(1, 0)->CellType, ctBitmap);
        }
    }
}

TEST(ExtGridClipboard, DisjunctCutClearsTheSelectedRowsWhole)
{
    PasteGrid grid(3, 4);
    grid.SetFixedRows(1);
    grid.Fill({{"h1", "h2", "h3"}, {"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}});
    grid.GetCellProperties(1, 1)->SetBrushColor(clAqua);
    grid.CreateCellGraphic(2, 1)->CellType = ctCheckBox;
    grid.MouseActions()->DisjunctRowSelect = true;
    grid.SetRowSelect(1, true);
    grid.SetRowSelect(3, true);
    grid.CutSelection();
    EXPECT_EQ(ClipboardText(), "a\tb\tc\r\ng\th\ti\r\n");
    EXPECT_EQ(grid.Row(0), QStringList({"h1", "h2", "h3"}));
    EXPECT_EQ(grid.Row(1), QStringList({"", "", ""}));
    EXPECT_EQ(grid.Row(2), QStringList({"d", "e", "f"}));
    EXPECT_EQ(grid.Row(3), QStringList({"", "", ""}));
    EXPECT_FALSE(grid.HasCellProperties(1, 1));
    EXPECT_EQ(grid.GetCellGraphic(2, 1), nullptr);
}

// ---- the keyboard's commands and their events

TEST(ExtGridClipboard, ClipboardEventsMayRefuseTheCommands)
{
    PasteGrid grid(2, 2);
    grid.Fill({{"a", "b"}, {"c", "d"}});
    grid.SetSelection({0, 0, 1, 0});
    bool allow = false;
    int asked = 0;
    const auto answer = [&](QObject*, bool& Allow) {
        ++asked;
        Allow = allow;
    };
    grid.OnClipboardCopy = answer;
    grid.OnClipboardCut = answer;
    grid.OnClipboardPaste = answer;

    Clipboard().setText("before");
    grid.CopyCommand();
    grid.CutCommand();
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_EQ(grid.Row(0), QStringList({"a", "b"}));
    grid.PasteCommand();
    EXPECT_EQ(grid.Row(0), QStringList({"a", "b"}));

    allow = true;
    grid.CutCommand();
    EXPECT_EQ(ClipboardText(), "a\tb");
    EXPECT_EQ(grid.Row(0), QStringList({"", ""}));
    grid.SetSelection({0, 1, 1, 1});
    grid.PasteCommand();
    EXPECT_EQ(grid.Row(1), QStringList({"a", "b"}));
    EXPECT_EQ(asked, 5);
}

// ---- the smart fill

struct FillCase {
    const char* name;
    QString clipboard;
    TGridRect selection;
    QStringList cells; // the selection's cells in order afterwards
    const char* error = nullptr; // the conversion error the fill ends with
};

class SmartFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = LocaleSettings();
        LocaleSettings() = SettingsFor(LocaleCase::PointMonthFirst);
        LocaleSettings().TimeSeparator = ':';
    }
    void TearDown() override { LocaleSettings() = saved_; }

private:
    TLocaleSettings saved_;
};

TEST_F(SmartFill, APasteIntoASelectionContinuesTheSeries)
{
    const TGridRect column{0, 0, 0, 3};
    const TGridRect row{0, 0, 3, 0};
    const std::vector<FillCase> cases = {
        {"integers down a column", "1\r\n3\r\n", column, {"1", "3", "5", "7"}},
        {"integers along a row", "10\t7", row, {"10", "7", "4", "1"}},
        {"floats", "1.5\r\n2\r\n", column, {"1.50", "2.00", "2.50", "3.00"}},
        {"one value fills every cell", "x", {0, 0, 1, 1}, {"x", "x", "x", "x"}},
        {"text repeats down a column", "a\r\nb\r\n", {0, 0, 0, 4}, {"a", "b", "a", "b", "a"}},
        {"text repeats along a row", "a\tb", {0, 0, 4, 0}, {"a", "b", "a", "b", "a"}},
        {"dates by days, over the year's end", "12/30/2024\r\n12/31/2024\r\n", column,
         {"12/30/2024", "12/31/2024", "1/1/2025", "1/2/2025"}},
        {"dates by months, wrapping the year", "11/15/2024\r\n12/15/2024\r\n", column,
         {"11/15/2024", "12/15/2024", "1/15/2025", "2/15/2025"}},
        {"dates by years", "5/1/2020\r\n5/1/2021\r\n", column, {"5/1/2020", "5/1/2021", "5/1/2022", "5/1/2023"}},
        {"dates by a mixture: the raw difference", "1/30/2024\r\n2/1/2024\r\n", column,
         {"1/30/2024", "2/1/2024", "2/3/2024", "2/5/2024"}},
        {"times", "10:00\r\n10:30\r\n", column, {"10:00:00", "10:30:00", "11:00:00", "11:30:00"}},
        {"a date and a number are text", "1/1/2024\r\n3\r\n", column, {"1/1/2024", "3", "1/1/2024", "3"}},
        {"a date that does not convert", "1/1/2024\r\n13/45/2024\r\n", column, {"1/1/2024", "13/45/2024", "", ""},
         "'13/45/2024' is not a valid date"},
        {"a time that does not convert", "10:00\r\n10:99\r\n", column, {"10:00", "10:99", "", ""},
         "'10:99' is not a valid time"},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        PasteGrid grid(5, 5);
        grid.Navigation()->AllowSmartClipboard = true;
        Clipboard().setText(c.clipboard);
        grid.SetSelection(c.selection);
        if (c.error) {
            try {
                grid.PasteIntoSelection();
                ADD_FAILURE() << "no conversion error";
            } catch (const EConvertError& error) {
                EXPECT_STREQ(error.what(), c.error);
            }
        } else {
            grid.PasteIntoSelection();
        }
        QStringList got;
        for (int r = c.selection.Top; r <= c.selection.Bottom; ++r)
            for (int col = c.selection.Left; col <= c.selection.Right; ++col)
                got << grid.Cells(col, r);
        EXPECT_EQ(got, c.cells);
    }
}

TEST_F(SmartFill, TheSeriesSkipsCellsAPasteMayNotWriteAndIsOffUnlessAllowed)
{
    PasteGrid grid(1, 4);
    grid.Navigation()->AllowSmartClipboard = true;
    grid.OnCanEditCell = [](QObject*, int ARow, int, bool& CanEdit) { CanEdit = ARow != 2; };
    grid.SetCells(0, 2, "fixed");
    Clipboard().setText("1\r\n2\r\n");
    grid.SetSelection({0, 0, 0, 3});
    grid.PasteIntoSelection();
    EXPECT_EQ(grid.Column(0), QStringList({"1", "2", "fixed", "4"}));

    PasteGrid plain(1, 4);
    plain.SetSelection({0, 0, 0, 3});
    plain.PasteIntoSelection();
    EXPECT_EQ(plain.Column(0), QStringList({"1", "2", "", ""}));
}

} // namespace
