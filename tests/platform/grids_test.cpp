#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "tests/support/input.h"
#include "tests/support/casenames.h"

#include <QDir>
#include <QFileInfo>
#include <QWheelEvent>
#include <QImage>
#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

namespace {

const QString kTimeMask = QStringLiteral("  99:99;1;_");

// A window with a grid of times in columns 1 and 2, as the schedule windows
// have, an edit to move the focus to, and an Ok button.
class TimesForm : public TForm {
public:
    explicit TimesForm(TGridOptions extra)
    {
        StringGrid1 = new TStringGrid(this);
        StringGrid1->setObjectName("StringGrid1");
        StringGrid1->setGeometry(5, 5, 260, 170);
        StringGrid1->SetColCount(3);
        StringGrid1->SetRowCount(7);
        StringGrid1->SetDefaultRowHeight(22);
        StringGrid1->SetColWidths(0, 48);
        StringGrid1->SetOptions(kDefaultGridOptions | goEditing | extra);
        StringGrid1->SetCells(0, 0, "  Num.");
        StringGrid1->SetCells(1, 0, "  Saída");
        StringGrid1->SetCells(2, 0, " Entrada");
        for (int r = 1; r < 7; ++r) {
            StringGrid1->SetCells(0, r, QString("   %1").arg(r, 2, 10, QLatin1Char('0')));
            StringGrid1->SetCells(1, r, "  __:__");
            StringGrid1->SetCells(2, r, "  __:__");
        }
        StringGrid1->OnGetEditMask = [this](int col, int row, QString& value) {
            masksAsked.push_back({col, row});
            if (col >= 1)
                value = kTimeMask;
        };
        Edit1 = new TEdit(this);
        Edit1->setObjectName("Edit1");
        Edit1->SetBounds(5, 180, 100, 22);
        OkButton = new TButton("O&k", this);
        OkButton->setObjectName("OkButton");
        OkButton->setGeometry(110, 180, 80, 25);
        CancButton = new TButton("&Cancela", this);
        CancButton->setObjectName("CancButton");
        CancButton->setGeometry(195, 180, 80, 25);
        CancButton->ModalResult = mrCancel;
        CancButton->Cancel = true;
        SetClientSize(280, 215);
    }

    // Enter moves to the next column, from the last to the next row, and from
    // the last row back to the first.
    void MoveOnEnter() { StringGrid1->SetOptions(StringGrid1->Options() | goEnterAdvance); }

    TStringGrid* StringGrid1;
    TEdit* Edit1;
    TButton* OkButton;
    TButton* CancButton;
    std::vector<TGridCoord> masksAsked;
};

class GridWindow : public ::testing::TestWithParam<TGridOptions> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(input::Activate(&form));
        grid()->SetFocus();
        ASSERT_TRUE(grid()->hasFocus() || grid()->InplaceEditor()->hasFocus());
    }
    TStringGrid* grid() { return form.StringGrid1; }
    TimesForm form{GetParam()};
};

// With the editor always shown (as the schedule windows have it) and with
// the editor opened by the first key.
INSTANTIATE_TEST_SUITE_P(EditorModes, GridWindow, ::testing::Values(goAlwaysShowEditor, 0u));

TEST_P(GridWindow, TypingATimeFillsTheCell)
{
    input::Type("0730");
    EXPECT_EQ(grid()->Cells(1, 1), "  07:30");
    ASSERT_TRUE(grid()->InplaceEditor());
    EXPECT_TRUE(grid()->InplaceEditor()->isVisible());
    EXPECT_EQ(grid()->InplaceEditor()->EditMask(), kTimeMask);
}

TEST_P(GridWindow, EnterMovesAlongTheColumnsAndRowsAndTheMaskIsAskedAgain)
{
    form.MoveOnEnter();
    grid()->SetRow(6);
    grid()->SetCol(1);
    std::vector<TGridCoord> visited;
    for (int i = 0; i < 3; ++i) {
        input::Type("1\r");
        visited.push_back({grid()->Col(), grid()->Row()});
    }
    EXPECT_EQ(visited, (std::vector<TGridCoord>{{2, 6}, {1, 1}, {2, 1}}));
    EXPECT_EQ(grid()->Cells(1, 6), "  1 :  ");
    EXPECT_EQ(grid()->Cells(2, 6), "  1 :  ");
    EXPECT_EQ(grid()->Cells(1, 1), "  1 :  ");
    // The editor asked for the mask of each cell it opened on.
    for (const TGridCoord cell : visited)
        EXPECT_NE(std::find(form.masksAsked.begin(), form.masksAsked.end(), cell), form.masksAsked.end())
            << cell.X << "," << cell.Y;
}

TEST_P(GridWindow, KeyPressSeesTheEditorKeysAndCanDropThem)
{
    std::string seen;
    std::string released;
    grid()->OnKeyPress = [&](char& key) {
        seen += key;
        if (key == '3')
            key = 0;
    };
    grid()->OnKeyUp = [&](int& key, TShiftState) { released += static_cast<char>(key); };
    input::Type("0735");
    EXPECT_EQ(seen, "0735");
    EXPECT_EQ(released, "0735");
    EXPECT_EQ(grid()->Cells(1, 1), "  07:5 ");
}

TEST_P(GridWindow, CellHoldsTheEditorTextWhenExitAndButtonsRead)
{
    std::vector<QString> read;
    grid()->OnExit = [&] { read.push_back(grid()->Cells(1, 1)); };
    form.OkButton->OnClick = [&] { read.push_back(grid()->Cells(1, 1)); };
    input::Type("1234");
    input::Accelerator('k'); // Ok by its accelerator: no exit
    form.Edit1->SetFocus();
    EXPECT_EQ(read, (std::vector<QString>{"  12:34", "  12:34"}));
}

TEST_P(GridWindow, WritingTheEditedCellRefreshesTheEditor)
{
    input::Type("1");
    form.masksAsked.clear();
    grid()->SetCells(1, 1, "  09:15");
    EXPECT_EQ(grid()->InplaceEditor()->EditText(), "  09:15");
    EXPECT_EQ(form.masksAsked, (std::vector<TGridCoord>{{1, 1}}));
    input::Type("2");
    EXPECT_EQ(grid()->Cells(1, 1), "  2 :  ");
}

TEST_P(GridWindow, TabLeavesTheGridAndEscapeReachesCancel)
{
    input::Type("1");
    input::Key(Qt::Key_Tab);
    EXPECT_TRUE(form.Edit1->hasFocus());
    input::Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(grid()->InplaceEditor()->hasFocus() || grid()->hasFocus());
    if (!(GetParam() & goAlwaysShowEditor)) {
        input::Key(Qt::Key_F2);
        input::Key(Qt::Key_Escape); // first the edit is cancelled
        EXPECT_EQ(form.ModalResult(), mrNone);
    }
    input::Key(Qt::Key_Escape);
    EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST(Grid, EscapeGivesTheCellBackItsText)
{
    TimesForm form(0);
    ASSERT_TRUE(input::Activate(&form));
    form.StringGrid1->SetFocus();
    input::Key(Qt::Key_F2);
    ASSERT_TRUE(form.StringGrid1->EditorMode());
    input::Type("22");
    EXPECT_EQ(form.StringGrid1->Cells(1, 1), "  22:  ");
    input::Key(Qt::Key_Escape);
    EXPECT_EQ(form.StringGrid1->Cells(1, 1), "  __:__");
    EXPECT_FALSE(form.StringGrid1->EditorMode());
    EXPECT_TRUE(form.StringGrid1->hasFocus());
}

// ---- keyboard navigation of a plain grid

struct MoveCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers mods;
    TGridCoord from;
    TGridCoord to;
};

const MoveCase kMoves[] = {
    {"down", Qt::Key_Down, Qt::NoModifier, {1, 1}, {1, 2}},
    {"up at the top", Qt::Key_Up, Qt::NoModifier, {1, 1}, {1, 1}},
    {"right", Qt::Key_Right, Qt::NoModifier, {1, 1}, {2, 1}},
    {"left at the fixed column", Qt::Key_Left, Qt::NoModifier, {1, 3}, {1, 3}},
    {"end", Qt::Key_End, Qt::NoModifier, {1, 1}, {4, 1}},
    {"home", Qt::Key_Home, Qt::NoModifier, {3, 5}, {1, 5}},
    {"ctrl end", Qt::Key_End, Qt::ControlModifier, {1, 1}, {4, 29}},
    {"ctrl home", Qt::Key_Home, Qt::ControlModifier, {3, 5}, {1, 1}},
    {"page down", Qt::Key_PageDown, Qt::NoModifier, {1, 1}, {1, 6}},
    {"page up", Qt::Key_PageUp, Qt::NoModifier, {1, 8}, {1, 3}},
    {"tab at the row end", Qt::Key_Tab, Qt::NoModifier, {4, 1}, {1, 2}},
    {"shift tab at the row start", Qt::Key_Backtab, Qt::ShiftModifier, {1, 2}, {4, 1}},
    {"tab at the last cell", Qt::Key_Tab, Qt::NoModifier, {4, 29}, {1, 1}},
};

void PrintTo(const MoveCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridKeys : public ::testing::TestWithParam<MoveCase> {};

TEST_P(GridKeys, MovesTheCurrentCellAndClicks)
{
    const MoveCase& c = GetParam();
    QWidget window;
    TStringGrid grid(&window);
    grid.setGeometry(0, 0, 400, 6 * 21 + 2 * grid.frameWidth());
    grid.SetColCount(5);
    grid.SetRowCount(30);
    grid.SetDefaultRowHeight(20);
    grid.SetOptions(kDefaultGridOptions | goTabs);
    ASSERT_TRUE(input::Activate(&window));
    grid.SetFocus();
    grid.FocusCell(c.from.X, c.from.Y);
    ASSERT_EQ(grid.VisibleRowCount(), 5);
    int clicks = 0;
    grid.OnClick = [&] { ++clicks; };
    input::Key(c.key, c.mods);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), c.to) << c.name;
    EXPECT_EQ(clicks, c.from == c.to ? 0 : 1) << c.name;
    EXPECT_TRUE(grid.hasFocus()) << c.name;
    const TRect shown = grid.CellRect(grid.Col(), grid.Row());
    EXPECT_FALSE(shown.IsEmpty()) << c.name << ": the current cell is scrolled into view";
}

INSTANTIATE_TEST_SUITE_P(Keys, GridKeys, ::testing::ValuesIn(kMoves), PrintedName{});

// Characters whose codes are also navigation keys' codes (Page Up is 0x21,
// the code of '!'; F1 is 0x70, of 'p') are typed into the cell, and OnKeyDown
// sees the key that types them.
struct TypedSign {
    char c;
    int key;
};

const TypedSign kTypedSigns[] = {
    {'!', '1'},           {'"', VK_OEM_7},      {'#', '3'},           {'$', '4'},         {'%', '5'},
    {'&', '7'},           {'\'', VK_OEM_7},     {'(', '9'},           {')', '0'},         {'*', '8'},
    {'+', VK_OEM_PLUS},   {',', VK_OEM_COMMA},  {'-', VK_OEM_MINUS},  {'.', VK_OEM_PERIOD}, {'/', VK_OEM_2},
    {'a', 'A'},           {'p', 'P'},           {'q', 'Q'},           {'Z', 'Z'},         {'7', '7'},
    {' ', VK_SPACE},
};

TEST(Grid, SignsAndLettersAreTypedNotTakenForKeys)
{
    QWidget window;
    TStringGrid grid(&window);
    grid.setGeometry(0, 0, 300, 200);
    grid.SetRowCount(20);
    grid.SetOptions(kDefaultGridOptions | goEditing);
    ASSERT_TRUE(input::Activate(&window));
    std::vector<int> keys;
    grid.OnKeyDown = [&](int& key, TShiftState) { keys.push_back(key); };
    for (const TypedSign& sign : kTypedSigns) {
        grid.HideEditor();
        grid.SetFocus();
        grid.FocusCell(2, 5);
        grid.SetCells(2, 5, "");
        keys.clear();
        const QString typed(2, QLatin1Char(sign.c));
        input::Type(typed); // the first opens the editor, the second is typed there
        EXPECT_EQ(grid.Cells(2, 5), typed) << sign.c;
        EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{2, 5})) << sign.c;
        EXPECT_EQ(keys, (std::vector<int>{sign.key, sign.key})) << sign.c;
    }
}

TEST(Grid, KeysOfAGridWithoutEditingReachKeyPress)
{
    TStringGrid grid;
    std::string seen;
    grid.OnKeyPress = [&](char& key) { seen += key; };
    input::Type("a\r5", &grid);
    EXPECT_EQ(seen, "a\r5");
    EXPECT_FALSE(grid.EditorMode());
}

TEST(Grid, SelectCellCanRefuseAMove)
{
    TStringGrid grid;
    grid.resize(300, 200);
    grid.OnSelectCell = [](int col, int, bool& canSelect) { canSelect = col != 2; };
    grid.FocusCell(1, 1);
    int key = VK_RIGHT;
    grid.KeyDown(key, 0);
    EXPECT_EQ(grid.Col(), 1);
    grid.SetCol(3);
    EXPECT_EQ(grid.Col(), 3);
}

TEST(Grid, SizeRulesAndIndexErrors)
{
    TStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(5);
    grid.SetFixedRows(2);
    grid.FocusCell(2, 4);
    grid.SetRowCount(2); // down to the fixed rows: one fixed row is left
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_THROW(grid.SetFixedRows(2), EInvalidGridOperation);
    EXPECT_THROW(grid.Cells(3, 0), EInvalidGridOperation);
    EXPECT_THROW(grid.SetCells(0, 2, "x"), EInvalidGridOperation);
    EXPECT_THROW(grid.SetCol(5), EInvalidGridOperation);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Cells(1, 3), "");
}

TEST(Grid, ObjectsStayTheProgramsAndColumnsMoveWithTheirCells)
{
    struct Owned : TObject {
        bool* gone;
        explicit Owned(bool* flag) : gone(flag) {}
        ~Owned() override { *gone = true; }
    };
    bool gone = false;
    Owned object(&gone);
    {
        TStringGrid grid;
        grid.SetColCount(4);
        grid.SetCols(1, {"a", "b"});
        grid.SetCols(3, {"c", "d"});
        grid.SetColWidths(1, 30);
        grid.SetTabStops(1, false);
        grid.SetObjects(1, 1, &object);
        std::vector<std::pair<int, int>> moved;
        grid.OnColumnMoved = [&](int from, int to) { moved.push_back({from, to}); };
        grid.MoveColumn(1, 3);
        EXPECT_EQ(grid.Rows(0), (QStringList{"", "", "c", "a"}));
        EXPECT_EQ(grid.Objects(3, 1), &object);
        EXPECT_EQ(grid.ColWidths(3), 30);
        EXPECT_FALSE(grid.TabStops(3));
        EXPECT_TRUE(grid.TabStops(1));
        EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{1, 3}}));
    }
    EXPECT_FALSE(gone);
}

TEST(Grid, ScrollingFollowsTheCurrentRowAndTellsTopLeftChanged)
{
    TStringGrid grid;
    grid.resize(300, 120);
    grid.SetRowCount(40);
    ASSERT_TRUE(input::Activate(&grid));
    int changes = 0;
    grid.OnTopLeftChanged = [&] { ++changes; };
    grid.SetRow(39);
    EXPECT_GT(grid.TopRow(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(grid.CellRect(1, 1).IsEmpty());
    EXPECT_FALSE(grid.CellRect(1, 0).IsEmpty()); // fixed rows stay
    const TRect last = grid.CellRect(1, 39);
    int col = -1;
    int row = -1;
    EXPECT_TRUE(grid.MouseToCell(last.Left + 1, last.Top + 1, col, row));
    EXPECT_EQ((TGridCoord{col, row}), (TGridCoord{1, 39}));
    EXPECT_FALSE(grid.MouseToCell(-1, 5, col, row));
}

TEST(Grid, PointsOfAGridScrolledFarDownFindTheirCells)
{
    // 30 pixels a row, 1 line: the fixed row takes 0..30, then the rows
    // from the top row on.
    TStringGrid grid;
    grid.resize(300, 200);
    grid.SetRowCount(100000);
    grid.SetDefaultRowHeight(30);
    grid.SetDefaultColWidth(50);
    grid.SetRowHeights(99990, 45);
    grid.SetTopRow(99990);
    const int top = grid.TopRow();
    ASSERT_EQ(top, 99990);
    const std::pair<int, int> cases[] = {
        {0, 0}, {30, 0}, {31, top}, {76, top}, {77, top + 1}, {107, top + 1}, {108, top + 2},
    };
    for (const auto& [y, row] : cases)
        EXPECT_EQ(grid.MouseCoord(60, y).Y, row) << "y " << y;
    EXPECT_EQ(grid.MouseCoord(60, 1000).Y, -1) << "below the rows in view";
    const TRect cell = grid.CellRect(1, top + 2);
    EXPECT_EQ(cell.Top, 108);
}

TEST(Grid, MouseSelectsEditsSizesAndMovesColumns)
{
    QWidget window;
    TStringGrid grid(&window);
    grid.setGeometry(0, 0, 400, 200);
    grid.SetOptions(kDefaultGridOptions | goColSizing | goColMoving | goEditing);
    grid.SetCells(3, 0, "C3");
    ASSERT_TRUE(input::Activate(&window));
    int clicks = 0;
    grid.OnClick = [&] { ++clicks; };
    auto mouse = [&](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent event(type, p, grid.viewport()->mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(grid.viewport(), &event);
    };
    auto click = [&](QPoint p) {
        mouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, p, Qt::NoButton);
    };
    auto center = [&](int col, int row) { return grid.CellRect(col, row).ToQRect().center(); };

    click(center(2, 3));
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{2, 3}));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(grid.EditorMode());
    click(center(2, 3)); // the current cell again: its editor opens
    EXPECT_TRUE(grid.EditorMode());

    const TRect col1 = grid.CellRect(1, 0);
    const int edge = col1.Right;
    mouse(QEvent::MouseButtonPress, {edge, 5}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {edge + 20, 5}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {edge + 20, 5}, Qt::NoButton);
    EXPECT_EQ(grid.ColWidths(1), col1.Width() + 20);

    const QPoint from = center(3, 0);
    const QPoint to = center(1, 0);
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(QEvent::MouseMove, to, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_EQ(grid.Cells(1, 0), "C3");
    EXPECT_EQ(clicks, 2) << "header drags are no cell clicks";
}

TEST(Grid, WheelMovesTheCurrentRow)
{
    TStringGrid grid;
    grid.resize(300, 150);
    ASSERT_TRUE(input::Activate(&grid));
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid.viewport(), &event);
    };
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(grid.Row(), 3);
    wheel(120);
    EXPECT_EQ(grid.Row(), 2);
    for (int i = 0; i < 10; ++i)
        wheel(-120);
    EXPECT_EQ(grid.Row(), grid.RowCount() - 1);
}

// ---- painting

class RecordingGrid : public TStringGrid {
public:
    struct Drawn {
        int col;
        int row;
        TGridDrawState state;
        bool operator==(const Drawn&) const = default;
    };
    std::vector<Drawn> drawn;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override
    {
        drawn.push_back({ACol, ARow, AState});
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
};

class GridPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new RecordingGrid;
        grid->setParent(&window);
        grid->setGeometry(0, 0, 330, 130);
        grid->SetColCount(3);
        grid->SetRowCount(10);
        grid->SetDefaultRowHeight(20);
        ASSERT_TRUE(input::Activate(&window));
        grid->SetFocus();
    }

    // Rows in view: the fixed row, then from the top row while they show.
    std::vector<int> RowsInView() const
    {
        std::vector<int> rows;
        for (int r = 0; r < grid->RowCount(); ++r)
            if (!grid->CellRect(0, r).IsEmpty())
                rows.push_back(r);
        return rows;
    }

    std::vector<RecordingGrid::Drawn> PaintOnce()
    {
        grid->drawn.clear();
        (void)grid->viewport()->grab();
        return grid->drawn;
    }

    QWidget window;
    RecordingGrid* grid;
};

TEST_F(GridPaint, EveryVisibleCellOnceWithItsState)
{
    grid->SetTopRow(3);
    grid->FocusCell(1, 4);
    grid->FocusCell(2, 5, false); // range from (1,4) to (2,5)
    const auto drawn = PaintOnce();
    using D = RecordingGrid::Drawn;
    std::vector<D> expected;
    ASSERT_GE(RowsInView().size(), 4u);
    EXPECT_EQ(RowsInView()[1], 3);
    for (int row : RowsInView())
        for (int col = 0; col < 3; ++col) {
            TGridDrawState state = 0;
            if (row == 0 || col == 0)
                state = gdFixed;
            else if (col >= 1 && row >= 4 && row <= 5)
                state = gdSelected;
            if (col == 2 && row == 5)
                state |= gdFocused;
            expected.push_back({col, row, state});
        }
    EXPECT_EQ(drawn, expected);
}

TEST_F(GridPaint, TheEditorCoversTheFocusedCell)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->FocusCell(1, 1);
    grid->ShowEditor();
    const auto drawn = PaintOnce();
    EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(), [](const auto& d) { return d.col == 1 && d.row == 1; }), 0);
    EXPECT_EQ(drawn.size(), 3u * RowsInView().size() - 1u);
}

TEST_F(GridPaint, DefaultDrawingWritesTheTextAndOnDrawCellPaintsOver)
{
    grid->SetCells(1, 1, "XXXX");
    grid->FocusCell(2, 2);
    std::vector<TGridCoord> events;
    grid->OnDrawCell = [&](int col, int row, const TRect& rect, TGridDrawState) {
        events.push_back({col, row});
        if (col == 2 && row == 1) {
            grid->Canvas.Brush.Color = clTeal;
            grid->Canvas.FillRect(rect);
        }
    };
    grid->drawn.clear();
    const QImage image = grid->viewport()->grab().toImage();
    EXPECT_EQ(events.size(), grid->drawn.size());
    const TRect text = grid->CellRect(1, 1);
    const TRect teal = grid->CellRect(2, 1);
    EXPECT_EQ(image.pixelColor(teal.Left + 5, teal.Top + 5).rgb(), ToQColor(clTeal).rgb());
    bool dark = false;
    for (int x = text.Left; x < text.Right; ++x)
        for (int y = text.Top; y < text.Bottom; ++y)
            dark = dark || image.pixelColor(x, y).lightness() < 100;
    EXPECT_TRUE(dark) << "the cell text is drawn";
}

// ---- a window to look at

TEST(GridScreenshot, TimesWindowWithAMaskedGrid)
{
    TimesForm form(goAlwaysShowEditor);
    form.SetCaption("Noturno automático");
    form.StringGrid1->SetCells(1, 1, "  07:30");
    form.StringGrid1->SetCells(2, 1, "  18:00");
    ASSERT_TRUE(input::Activate(&form));
    form.StringGrid1->SetFocus();
    form.StringGrid1->FocusCell(1, 2);
    input::Type("12");
    const QString folder = QStringLiteral(TRIVANTO_TEST_OUT);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/grade_mascara.png";
    ASSERT_TRUE(form.grab().save(file));
    EXPECT_GT(QFileInfo(file).size(), 0);
    EXPECT_EQ(form.StringGrid1->Cells(1, 2), "  12:  ");
}


// ---- Enter, lines beside the editor, characters of the code page

struct EnterCase {
    const char* name;
    TGridCoord from;
    TGridCoord to;
};

class GridEnterAdvance : public ::testing::TestWithParam<EnterCase> {};

INSTANTIATE_TEST_SUITE_P(Cells, GridEnterAdvance,
                         ::testing::Values(EnterCase{"NextColumn", {1, 3}, {2, 3}},
                                           EnterCase{"LastColumnToNextRow", {2, 3}, {1, 4}},
                                           EnterCase{"LastRowBackToTheFirst", {2, 6}, {1, 1}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(GridEnterAdvance, EnterMovesOnInAGridWithoutItsEditorOpen)
{
    // Enter on the grid itself (no editor open yet) moves on as well, and
    // leaves the cell as it was.
    TimesForm form(0);
    form.MoveOnEnter();
    ASSERT_TRUE(input::Activate(&form));
    form.StringGrid1->SetFocus();
    form.StringGrid1->FocusCell(GetParam().from.X, GetParam().from.Y);
    ASSERT_FALSE(form.StringGrid1->InplaceEditor() && form.StringGrid1->InplaceEditor()->isVisible());
    input::Type("\r");
    EXPECT_EQ((TGridCoord{form.StringGrid1->Col(), form.StringGrid1->Row()}), GetParam().to);
    EXPECT_EQ(form.StringGrid1->Cells(GetParam().from.X, GetParam().from.Y), "  __:__");
}

TEST(Grid, EnterInAGridOfWholeRowsGoesToTheNextRow)
{
    TForm window;
    auto* grid = new TStringGrid(&window);
    grid->setGeometry(0, 0, 300, 200);
    grid->SetRowCount(4);
    grid->SetOptions(kDefaultGridOptions | goRowSelect | goEnterAdvance);
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    std::vector<int> rows;
    for (int i = 0; i < 3; ++i) {
        input::Type("\r");
        rows.push_back(grid->Row());
    }
    EXPECT_EQ(rows, (std::vector<int>{2, 3, 1}));
}

TEST(Grid, LinesOfTheEditedRowStayWhileTheEditorIsOpen)
{
    TimesForm form(goAlwaysShowEditor);
    ASSERT_TRUE(input::Activate(&form));
    TStringGrid* grid = form.StringGrid1;
    grid->SetFocus();
    grid->FocusCell(1, 2);
    input::Type("1");
    ASSERT_TRUE(grid->InplaceEditor()->isVisible());
    const QImage image = grid->viewport()->grab().toImage();
    const QRgb line = ToQColor(clSilver).rgb();
    const QRgb fixedLine = ToQColor(clGray).rgb();
    for (int c = 0; c < grid->ColCount(); ++c) {
        const TRect cell = grid->CellRect(c, 2);
        const QRgb expected = c == 0 ? fixedLine : line;
        const int middleX = (cell.Left + cell.Right) / 2;
        const int middleY = (cell.Top + cell.Bottom) / 2;
        EXPECT_EQ(image.pixel(middleX, cell.Bottom), expected) << "line under column " << c;
        EXPECT_EQ(image.pixel(cell.Right, middleY), expected) << "line after column " << c;
    }
}

TEST(Grid, CharactersOfTheCodePageAreTypedIntoCells)
{
    struct Case {
        QString typed;
        QString stored;
    };
    // cp1252 holds the euro sign and the ligature in 0x80..0x9F, where
    // Latin-1 has control codes.
    const Case cases[] = {{"€", "€"}, {"Œu", "Œu"}, {"Ç", "Ç"}, {"‰ ", "‰ "}};
    for (const Case& c : cases) {
        TForm window;
        auto* grid = new TStringGrid(&window);
        grid->setGeometry(0, 0, 300, 150);
        grid->SetOptions(grid->Options() | goEditing);
        ASSERT_TRUE(input::Activate(&window));
        grid->SetFocus();
        input::Type(c.typed);
        EXPECT_EQ(grid->Cells(1, 1), c.stored) << c.typed.toStdString();
    }
}

} // namespace

namespace {

// ---- ranges of rows and columns

// The grid's rows (or columns) named by the text of their first cell,
// against a list changed one item at a time.
struct RangeCase {
    const char* name;
    enum { Insert, Delete, Move } op;
    int index;
    int count;
    int to;
    int current; // current row (column) before
};

class GridRanges : public ::testing::TestWithParam<RangeCase> {
protected:
    static std::vector<QString> Labels(int n)
    {
        std::vector<QString> labels;
        for (int i = 0; i < n; ++i)
            labels.push_back(QString::number(i));
        return labels;
    }

    // The list and the current item after the operation, one item at a time.
    static std::pair<std::vector<QString>, QString> Expected(const RangeCase& c, std::vector<QString> list)
    {
        QString current = list[static_cast<size_t>(c.current)];
        switch (c.op) {
        case RangeCase::Insert:
            for (int i = 0; i < c.count; ++i)
                list.insert(list.begin() + c.index, QString());
            break;
        case RangeCase::Delete: {
            const bool gone = c.current >= c.index && c.current < c.index + c.count;
            list.erase(list.begin() + c.index, list.begin() + c.index + c.count);
            if (gone)
                current = list[static_cast<size_t>(std::min<int>(c.index, static_cast<int>(list.size()) - 1))];
            break;
        }
        case RangeCase::Move: {
            std::vector<QString> block(list.begin() + c.index, list.begin() + c.index + c.count);
            list.erase(list.begin() + c.index, list.begin() + c.index + c.count);
            list.insert(list.begin() + c.to, block.begin(), block.end());
            break;
        }
        }
        return {list, current};
    }

    static void Apply(TStringGrid& grid, const RangeCase& c, bool rows)
    {
        switch (c.op) {
        case RangeCase::Insert: rows ? grid.InsertRows(c.index, c.count) : grid.InsertCols(c.index, c.count); break;
        case RangeCase::Delete: rows ? grid.DeleteRows(c.index, c.count) : grid.DeleteCols(c.index, c.count); break;
        case RangeCase::Move: rows ? grid.MoveRows(c.index, c.count, c.to) : grid.MoveCols(c.index, c.count, c.to); break;
        }
    }
};

INSTANTIATE_TEST_SUITE_P(
    Cases, GridRanges,
    ::testing::Values(RangeCase{"InsertInTheMiddle", RangeCase::Insert, 4, 3, 0, 6},
                      RangeCase{"InsertAtTheEnd", RangeCase::Insert, 12, 2, 0, 11},
                      RangeCase{"DeleteBeforeTheCurrent", RangeCase::Delete, 2, 3, 0, 8},
                      RangeCase{"DeleteTheCurrent", RangeCase::Delete, 5, 3, 0, 6},
                      RangeCase{"DeleteToTheEnd", RangeCase::Delete, 9, 3, 0, 10},
                      RangeCase{"MoveDown", RangeCase::Move, 2, 3, 7, 3},
                      RangeCase{"MoveUp", RangeCase::Move, 8, 3, 1, 5},
                      RangeCase{"MoveOneToTheTop", RangeCase::Move, 11, 1, 1, 11},
                      RangeCase{"MoveOverlapping", RangeCase::Move, 3, 5, 5, 9}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(GridRanges, RowsKeepTheirCellsAndTheCurrentRowFollows)
{
    const RangeCase& c = GetParam();
    TStringGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(12);
    for (int r = 0; r < 12; ++r)
        grid.SetCells(1, r, QString::number(r));
    grid.FocusCell(1, c.current);
    Apply(grid, c, true);
    const auto [list, current] = Expected(c, Labels(12));
    EXPECT_EQ(grid.Cols(1), QStringList(list.begin(), list.end()));
    EXPECT_EQ(grid.RowCount(), static_cast<int>(list.size()));
    if (!current.isEmpty()) {
        EXPECT_EQ(grid.Cells(1, grid.Row()), current);
    }
}

TEST_P(GridRanges, ColumnsKeepTheirCellsWidthsAndTheCurrentColumnFollows)
{
    const RangeCase& c = GetParam();
    TStringGrid grid;
    grid.SetColCount(12);
    grid.SetRowCount(2);
    for (int col = 0; col < 12; ++col) {
        grid.SetCells(col, 1, QString::number(col));
        grid.SetColWidths(col, 20 + col);
    }
    grid.FocusCell(c.current, 1);
    Apply(grid, c, false);
    const auto [list, current] = Expected(c, Labels(12));
    EXPECT_EQ(grid.Rows(1), QStringList(list.begin(), list.end()));
    for (int col = 0; col < grid.ColCount(); ++col)
        EXPECT_EQ(grid.ColWidths(col), list[static_cast<size_t>(col)].isEmpty() ? grid.DefaultColWidth()
                                                                              : 20 + list[static_cast<size_t>(col)].toInt());
    if (!current.isEmpty()) {
        EXPECT_EQ(grid.Cells(grid.Col(), 1), current);
    }
}

TEST(Grid, RangesOutsideTheGridAreRefused)
{
    TStringGrid grid;
    grid.SetRowCount(5);
    EXPECT_THROW(grid.DeleteRows(3, 3), EInvalidGridOperation);
    EXPECT_THROW(grid.MoveRows(0, 2, 4), EInvalidGridOperation);
    EXPECT_THROW(grid.InsertRows(6, 1), EInvalidGridOperation);
    grid.DeleteRows(0, 5); // one row always stays
    EXPECT_EQ(grid.RowCount(), 1);
}

// A derived grid that shows every cell of column 2 from column 1, as merged
// cells are shown: what is painted and edited comes through GetCells.
class MirrorGrid : public TStringGrid {
protected:
    QString GetCells(int ACol, int ARow) const override
    {
        return TStringGrid::GetCells(ACol == 2 ? 1 : ACol, ARow);
    }
};

TEST(Grid, ADerivedGridsCellTextIsWhatTheEditorOpensWith)
{
    TForm window;
    auto* grid = new MirrorGrid;
    grid->setParent(&window);
    grid->setGeometry(0, 0, 300, 150);
    grid->SetColCount(3);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(1, 1, "abc");
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    grid->FocusCell(2, 1);
    input::Key(Qt::Key_F2);
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "abc");
    EXPECT_EQ(grid->Rows(1), (QStringList{"", "abc", "abc"}));
}

} // namespace

namespace {

// ---- rows taken out whole and put back

// A grid that counts the objects it is told to let go of.
class CountingGrid : public TStringGrid {
public:
    std::vector<TObject*> dropped;

protected:
    void ObjectDropped(TObject* Object) override { dropped.push_back(Object); }
};

struct TakeCase {
    const char* name;
    std::vector<int> taken;
    int current;            // current row before
    QStringList remaining;  // column 1 afterwards
    QString currentAfter;   // text of the current row afterwards
};

class GridTakenRows : public ::testing::TestWithParam<TakeCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, GridTakenRows,
    ::testing::Values(TakeCase{"OneRun", {3, 4, 5}, 7, {"0", "1", "2", "6", "7", "8", "9"}, "7"},
                      TakeCase{"EveryOtherRow", {1, 3, 5, 7, 9}, 4, {"0", "2", "4", "6", "8"}, "4"},
                      TakeCase{"TheCurrentRow", {2, 3}, 3, {"0", "1", "4", "5", "6", "7", "8", "9"}, "4"},
                      TakeCase{"TheLastRows", {8, 9}, 9, {"0", "1", "2", "3", "4", "5", "6", "7"}, "7"},
                      TakeCase{"None", {}, 2, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "2"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(GridTakenRows, KeepTextsObjectsAndHeightsUntilPutBack)
{
    const TakeCase& c = GetParam();
    CountingGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(10);
    std::vector<TObject> objects(10);
    for (int r = 0; r < 10; ++r) {
        grid.SetCells(1, r, QString::number(r));
        grid.SetObjects(0, r, &objects[static_cast<size_t>(r)]);
        grid.SetRowHeights(r, 20 + r);
    }
    grid.FocusCell(1, c.current);
    auto taken = grid.TakeRows(c.taken);
    EXPECT_EQ(grid.Cols(1), c.remaining);
    EXPECT_EQ(grid.Cells(1, grid.Row()), c.currentAfter);
    ASSERT_EQ(taken.size(), c.taken.size());
    for (size_t i = 0; i < taken.size(); ++i) {
        EXPECT_EQ(taken[i].Text(1), QString::number(c.taken[i]));
        EXPECT_EQ(taken[i].Object(0), &objects[static_cast<size_t>(c.taken[i])]);
        EXPECT_EQ(taken[i].Height(), 20 + c.taken[i]);
    }
    grid.PutRows(c.taken, std::move(taken));
    EXPECT_TRUE(grid.dropped.empty());
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(grid.Cells(1, r), QString::number(r));
        EXPECT_EQ(grid.Objects(0, r), &objects[static_cast<size_t>(r)]);
        EXPECT_EQ(grid.RowHeights(r), 20 + r);
    }
    // The current cell stays with the row it went to.
    EXPECT_EQ(grid.Cells(1, grid.Row()), c.currentAfter);
}

TEST(Grid, TakenRowsFollowTheColumnCountAndLetGoOfTheirObjects)
{
    CountingGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    TObject inLastColumn;
    TObject inFirstColumn;
    grid.SetCells(0, 2, "a");
    grid.SetObjects(2, 2, &inLastColumn);
    grid.SetObjects(0, 3, &inFirstColumn);
    auto taken = grid.TakeRows({2, 3});
    grid.SetColCount(2);
    // The column the first row had beyond the grid goes, with its object.
    std::vector<TStringGrid::TTakenRow> first;
    first.push_back(std::move(taken[0]));
    grid.PutRows({0}, std::move(first));
    EXPECT_EQ(grid.Cells(0, 0), "a");
    EXPECT_EQ(grid.dropped, std::vector<TObject*>{&inLastColumn});
    grid.DropRow(taken[1]);
    EXPECT_EQ(grid.dropped, (std::vector<TObject*>{&inLastColumn, &inFirstColumn}));
    EXPECT_EQ(grid.RowCount(), 3);
}

TEST(Grid, TakingAndPuttingRowsChecksItsIndices)
{
    TStringGrid grid;
    grid.SetRowCount(5);
    EXPECT_THROW(grid.TakeRows({3, 2}), EInvalidGridOperation);
    EXPECT_THROW(grid.TakeRows({5}), EInvalidGridOperation);
    // One row always stays.
    EXPECT_EQ(grid.TakeRows({0, 1, 2, 3, 4}).size(), 4u);
    EXPECT_EQ(grid.RowCount(), 1);
    std::vector<TStringGrid::TTakenRow> rows(2);
    EXPECT_THROW(grid.PutRows({0}, std::move(rows)), EInvalidGridOperation);
    std::vector<TStringGrid::TTakenRow> two(2);
    EXPECT_THROW(grid.PutRows({0, 3}, std::move(two)), EInvalidGridOperation);
    std::vector<TStringGrid::TTakenRow> fine(2);
    grid.PutRows({0, 2}, std::move(fine));
    EXPECT_EQ(grid.RowCount(), 3);
}

} // namespace

namespace {

TEST(Grid, AHiddenSelectionLiesOutsideTheGridUntilTheCurrentCellMoves)
{
    TStringGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(6);
    grid.SetSelection({1, 1, 2, 3});
    grid.SetSelectionHidden(true);
    EXPECT_EQ(grid.Selection(), (TGridRect{4, 6, 4, 6}));
    grid.FocusCell(3, 4);
    EXPECT_FALSE(grid.SelectionHidden());
    EXPECT_EQ(grid.Selection(), (TGridRect{3, 4, 3, 4}));
}

} // namespace

namespace {

// ---- the cells version: what may change cells moves it on

class VersionGrid : public TStringGrid {
public:
    using TStringGrid::CellsVersion;
    using TStringGrid::ExchangeStoredCells;
    using TStringGrid::ExchangeStoredRows;
    using TStringGrid::PermuteStoredCells;
    using TStringGrid::PermuteStoredRows;
    using TStringGrid::HasObjects;
    using TStringGrid::RowHasObjects;
    using TStringGrid::StoreText;
};

TEST(GridCellsVersion, MovesOnWithEveryWriteAndStaysOnReads)
{
    VersionGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(6);
    const std::vector<std::pair<const char*, std::function<void()>>> writes{
        {"SetCells", [&] { grid.SetCells(1, 1, "a"); }},
        {"StoreText", [&] { grid.StoreText(1, 2, "b"); }},
        {"SetObjects", [&] { grid.SetObjects(2, 2, nullptr); }},
        {"SetCols", [&] { grid.SetCols(0, {"x", "y"}); }},
        {"ExchangeStoredRows", [&] { grid.ExchangeStoredRows(1, 2); }},
        {"ExchangeStoredCells", [&] { grid.ExchangeStoredCells(1, 1, 2); }},
        {"MoveRow", [&] { grid.MoveRow(1, 3); }},
        {"MoveColumn", [&] { grid.MoveColumn(0, 2); }},
        {"InsertRows", [&] { grid.InsertRows(2, 1); }},
        {"DeleteRows", [&] { grid.DeleteRows(2, 1); }},
        {"DeleteColumn", [&] { grid.DeleteColumn(2); }},
        {"SetRowCount", [&] { grid.SetRowCount(4); }},
        {"SetColCount", [&] { grid.SetColCount(4); }},
        {"TakeRows and PutRows", [&] {
             auto taken = grid.TakeRows({1});
             const auto between = grid.CellsVersion();
             grid.PutRows({1}, std::move(taken));
             EXPECT_NE(grid.CellsVersion(), between) << "PutRows";
         }},
    };
    for (const auto& [name, write] : writes) {
        const auto before = grid.CellsVersion();
        write();
        EXPECT_NE(grid.CellsVersion(), before) << name;
    }
    const auto before = grid.CellsVersion();
    (void)grid.Cells(1, 1);
    (void)grid.Objects(1, 1);
    (void)grid.RowHasObjects(1);
    (void)grid.HasObjects();
    EXPECT_EQ(grid.CellsVersion(), before) << "reads";
}

} // namespace

namespace {

// ---- which rows hold objects, through every change of the cells

class ObjectRowsGrid : public TStringGrid {
public:
    using TStringGrid::ExchangeStoredCells;
    using TStringGrid::ExchangeStoredRows;
    using TStringGrid::PermuteStoredCells;
    using TStringGrid::PermuteStoredRows;
    using TStringGrid::HasObjects;
    using TStringGrid::NextRowWithObjects;
    using TStringGrid::RowHasObjects;
};

// What the rows' cells hold, read cell by cell.
void ExpectRowsWithObjectsAsTheCellsHold(const ObjectRowsGrid& grid, const char* after)
{
    int next = -1;
    for (int r = grid.RowCount() - 1; r >= 0; --r) {
        bool holds = false;
        for (int c = 0; c < grid.ColCount(); ++c)
            holds = holds || grid.Objects(c, r) != nullptr;
        if (holds)
            next = r;
        EXPECT_EQ(grid.RowHasObjects(r), holds) << after << ", row " << r;
        EXPECT_EQ(grid.NextRowWithObjects(r), next) << after << ", from row " << r;
    }
    EXPECT_EQ(grid.HasObjects(), next >= 0) << after;
    EXPECT_EQ(grid.NextRowWithObjects(grid.RowCount()), -1) << after;
}

TEST(GridRowsWithObjects, FollowEveryChangeOfTheCellsRowsAndColumns)
{
    ObjectRowsGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(12);
    for (int r = 0; r < 12; ++r)
        grid.SetCells(1, r, QString::number(r));
    ExpectRowsWithObjectsAsTheCellsHold(grid, "no object yet");
    std::vector<TObject> objects(8);
    const std::vector<std::pair<const char*, std::function<void()>>> changes{
        {"objects put", [&] {
             grid.SetObjects(0, 2, &objects[0]);
             grid.SetObjects(3, 2, &objects[1]);
             grid.SetObjects(1, 5, &objects[2]);
             grid.SetObjects(2, 9, &objects[3]);
             grid.SetObjects(3, 11, &objects[4]);
         }},
        {"one of two objects of a row taken", [&] { grid.SetObjects(0, 2, nullptr); }},
        {"an object replaced", [&] { grid.SetObjects(1, 5, &objects[5]); }},
        {"rows exchanged", [&] { grid.ExchangeStoredRows(2, 3); }},
        {"an object exchanged with an empty cell", [&] { grid.ExchangeStoredCells(1, 5, 6); }},
        {"two objects exchanged", [&] { grid.ExchangeStoredCells(3, 3, 11); }},
        {"rows permuted", [&] { grid.PermuteStoredRows(1, {4, 1, 3, 2, 5}, false); }},
        {"one column's cells permuted", [&] { grid.PermuteStoredCells(3, 2, {11, 2, 3, 4, 5, 6, 7, 8, 9, 10}); }},
        {"rows moved down", [&] { grid.MoveRows(0, 4, 6); }},
        {"rows moved up", [&] { grid.MoveRows(7, 3, 1); }},
        {"rows inserted", [&] { grid.InsertRows(4, 3); }},
        {"rows with objects deleted", [&] {
             const int first = grid.NextRowWithObjects(0);
             grid.DeleteRows(first, 2);
         }},
        {"rows taken and put back elsewhere", [&] {
             auto taken = grid.TakeRows({0, grid.NextRowWithObjects(1), grid.RowCount() - 1});
             grid.PutRows({1, 2, grid.RowCount()}, std::move(taken));
         }},
        {"a column inserted", [&] { grid.InsertCols(1, 1); }},
        {"columns moved", [&] { grid.MoveCols(0, 2, 3); }},
        {"a column with objects deleted", [&] {
             for (int c = 0; c < grid.ColCount(); ++c)
                 if (grid.Objects(c, grid.NextRowWithObjects(0)))
                     return grid.DeleteColumn(c);
         }},
        {"taken rows put back into fewer columns", [&] {
             grid.SetObjects(grid.ColCount() - 1, 0, &objects[6]);
             auto taken = grid.TakeRows({0});
             grid.SetColCount(grid.ColCount() - 1);
             grid.PutRows({0}, std::move(taken));
         }},
        {"the columns cut down", [&] { grid.SetColCount(2); }},
        {"the rows cut down and grown", [&] {
             grid.SetRowCount(5);
             grid.SetRowCount(9);
         }},
        {"an object put in a new row", [&] { grid.SetObjects(1, 8, &objects[7]); }},
    };
    for (const auto& [name, change] : changes) {
        change();
        ExpectRowsWithObjectsAsTheCellsHold(grid, name);
    }
}

} // namespace
