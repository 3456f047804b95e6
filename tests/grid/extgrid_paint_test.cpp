// Painting of the grid control on a real offscreen grid, grabbed to an image
// and checked at chosen pixels (fonts vary, so no whole-image comparisons).
#include "grid/extgrid.h"

#include "grid/cellpaint.h"
#include "grid/extxpvs.h"
#include "platform/localesettings.h"
#include "tests/support/input.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

#include "grid/displaysettings.h"
#include "grid/sortsettings.h"
#include "grid/cellstream.h"

namespace {

QRgb Rgb(TColor c)
{
    return ToQColor(c).rgb();
}

// Where text or a drawing went inside a rectangle: the bounding box of the
// pixels that are not the background colour.
QRect Ink(const QImage& image, const TRect& area, QRgb background)
{
    QRect ink;
    const QRect inside = area.ToQRect() & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

int CountColour(const QImage& image, const TRect& area, QRgb colour)
{
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

// A grid whose formulas all read "=" followed by "W".
class FormulaGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    QString CalcCellText(int ACol, int ARow) override
    {
        (void)ACol, (void)ARow;
        return QStringLiteral("WWWW");
    }
};

class GridPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitThemeLibrary();
        grid = new FormulaGrid(&window);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(60);
        grid->SetDefaultRowHeight(24);
        grid->SetScrollBars(ssNone);
        grid->setFrameStyle(0);
        grid->setGeometry(0, 0, 300, 144);
        grid->SetColor(clWhite);
        grid->SetFixedColor(clYellow);
        grid->SetLook(glStandard);
        grid->SetSelectionColor(clNavy);
        window.resize(320, 170);
        grid->show();
        window.show();
    }

    QImage Grab() { return grid->viewport()->grab().toImage(); }
    // Inside the cell, clear of its text and lines.
    QRgb Corner(const QImage& image, int col, int row) const
    {
        const TRect r = grid->CellRect(col, row);
        return image.pixel(r.Right - 4, r.Bottom - 4);
    }
    TRect Content(int col, int row) const
    {
        const TRect r = grid->CellRect(col, row);
        return {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }

    QWidget window;
    FormulaGrid* grid;
};

// ---- colours

struct ColourCase {
    const char* name;
    std::function<void(TExtStringGrid&)> setUp;
    int col, row;
    TColor expected;
};

TEST_F(GridPaint, CellColours)
{
    const ColourCase cases[] = {
        {"normal cell", [](TExtStringGrid&) {}, 2, 3, clWhite},
        {"fixed column", [](TExtStringGrid&) {}, 0, 3, clYellow},
        {"fixed row", [](TExtStringGrid&) {}, 2, 0, clYellow},
        {"own brush", [](TExtStringGrid& g) { g.GetCellProperties(2, 3)->SetBrushColor(clAqua); }, 2, 3, clAqua},
        {"own brush none keeps the grid's",
         [](TExtStringGrid& g) { g.GetCellProperties(2, 3)->SetBrushColor(clNone); }, 2, 3, clWhite},
        {"own brush on a fixed cell", [](TExtStringGrid& g) { g.GetCellProperties(0, 3)->SetBrushColor(clAqua); }, 0,
         3, clAqua},
        {"OnGetCellColor",
         [](TExtStringGrid& g) {
             g.OnGetCellColor = [](QObject*, int ARow, int ACol, TGridDrawState, TBrush& ABrush, TFont&) {
                 if (ACol == 2 && ARow == 3)
                     ABrush.Color = clLime;
             };
         },
         2, 3, clLime},
        {"OnGetCellColor on the other cells",
         [](TExtStringGrid& g) {
             g.OnGetCellColor = [](QObject*, int ARow, int ACol, TGridDrawState, TBrush& ABrush, TFont&) {
                 if (ACol == 2 && ARow == 3)
                     ABrush.Color = clLime;
             };
         },
         3, 3, clWhite},
        {"active row header", [](TExtStringGrid& g) { g.SetActiveCellShow(true); }, 0, 1, clGray},
        {"active column header", [](TExtStringGrid& g) { g.SetActiveCellShow(true); }, 1, 0, clGray},
        {"other headers", [](TExtStringGrid& g) { g.SetActiveCellShow(true); }, 0, 2, clYellow},
        {"active colour", [](TExtStringGrid& g) { g.SetActiveCellShow(true), g.SetActiveCellColor(clPurple); }, 0, 1,
         clPurple},
        {"selected", [](TExtStringGrid& g) { g.SetSelection({1, 1, 3, 2}); }, 2, 2, clNavy},
        {"selection without ShowSelection",
         [](TExtStringGrid& g) { g.SetSelection({1, 1, 3, 2}), g.SetShowSelection(false); }, 2, 2, clWhite},
        {"selection colour none",
         [](TExtStringGrid& g) { g.SetSelection({1, 1, 3, 2}), g.SetSelectionColor(clNone); }, 2, 2, clHighlight},
        {"outside the selection", [](TExtStringGrid& g) { g.SetSelection({1, 1, 3, 2}); }, 2, 3, clWhite},
        {"first band",
         [](TExtStringGrid& g) {
             g.Bands()->SetActive(true), g.Bands()->SetPrimaryColor(clLime), g.Bands()->SetSecondaryColor(clAqua);
         },
         2, 1, clLime},
        {"second band",
         [](TExtStringGrid& g) {
             g.Bands()->SetActive(true), g.Bands()->SetPrimaryColor(clLime), g.Bands()->SetSecondaryColor(clAqua);
         },
         2, 2, clAqua},
        {"third band",
         [](TExtStringGrid& g) {
             g.Bands()->SetActive(true), g.Bands()->SetPrimaryColor(clLime), g.Bands()->SetSecondaryColor(clAqua);
         },
         2, 3, clLime},
        {"bands leave fixed cells",
         [](TExtStringGrid& g) { g.Bands()->SetActive(true), g.Bands()->SetPrimaryColor(clLime); }, 0, 1, clYellow},
        {"own brush none keeps the band",
         [](TExtStringGrid& g) {
             g.Bands()->SetActive(true), g.Bands()->SetPrimaryColor(clLime);
             g.GetCellProperties(2, 3)->SetBrushColor(clNone);
         },
         2, 3, clLime},
        {"inactive bands", [](TExtStringGrid& g) { g.Bands()->SetPrimaryColor(clLime); }, 2, 1, clWhite},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        // Away from the current cell (1, 1) unless the case is about it.
        c.setUp(*grid);
        EXPECT_EQ(Corner(Grab(), c.col, c.row), Rgb(c.expected));
        delete grid;
    }
    SetUp();
}

TEST_F(GridPaint, OwnFontColourAndStyle)
{
    grid->SetCells(2, 3, "XXXX");
    grid->SetCells(3, 3, "XXXX");
    TCellProperties* props = grid->GetCellProperties(2, 3);
    props->FontColor = clRed;
    props->FontStyle = fsBold;
    const QImage image = Grab();
    EXPECT_GT(CountColour(image, Content(2, 3), Rgb(clRed)), 5);
    EXPECT_EQ(CountColour(image, Content(3, 3), Rgb(clRed)), 0);
    // Bold is wider.
    EXPECT_GT(Ink(image, Content(2, 3), Rgb(clWhite)).width(), Ink(image, Content(3, 3), Rgb(clWhite)).width());
}

// ---- texts

TEST_F(GridPaint, HTMLOnlyWithEnableHTML)
{
    grid->SetDefaultColWidth(90);
    grid->SetCells(2, 3, "<B>x</B>");
    grid->SetCells(3, 3, "x");
    grid->EnableHTML = false;
    const QImage plain = Grab();
    grid->EnableHTML = true;
    const QImage html = Grab();
    const int tags = Ink(plain, Content(2, 3), Rgb(clWhite)).width();
    const int boldX = Ink(html, Content(2, 3), Rgb(clWhite)).width();
    const int x = Ink(html, Content(3, 3), Rgb(clWhite)).width();
    EXPECT_GT(tags, 3 * boldX); // the tags drawn as text
    EXPECT_GE(boldX, x);        // one bold x
    EXPECT_LE(boldX, x + 3);
}

TEST_F(GridPaint, RichTextFormulaAndPasswordCells)
{
    grid->SetCells(1, 3, "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 RRRR}");
    grid->SetCells(2, 3, "=A1+B2");
    grid->SetCells(3, 3, "WWWW");
    grid->SetCells(1, 4, "abcd");
    grid->SetCells(2, 4, "****");
    grid->OnIsPasswordCell = [](QObject*, int ARow, int ACol, bool& IsPassword) {
        IsPassword = ACol == 1 && ARow == 4;
    };
    const QImage image = Grab();
    EXPECT_GT(CountColour(image, Content(1, 3), qRgb(255, 0, 0)), 5);
    const auto cellImage = [&](int col, int row) {
        const TRect r = Content(col, row);
        return image.copy(r.ToQRect());
    };
    // The formula shows what CalcCellText gives; the password cell a star
    // for each of its four characters.
    EXPECT_EQ(cellImage(2, 3), cellImage(3, 3));
    EXPECT_EQ(cellImage(1, 4), cellImage(2, 4));
    grid->OnIsPasswordCell = nullptr;
    const QImage shown = Grab();
    EXPECT_NE(shown.copy(Content(1, 4).ToQRect()), shown.copy(Content(2, 4).ToQRect()));
}

TEST_F(GridPaint, URLCellsUnderlinedInTheirColourWithoutScheme)
{
    grid->SetDefaultColWidth(120);
    grid->SetCells(1, 3, "http://ab.c");
    grid->SetCells(2, 3, "ab.c");
    grid->SetURLShow(true);
    grid->SetURLColor(clRed);
    const QImage image = Grab();
    EXPECT_GT(CountColour(image, Content(1, 3), Rgb(clRed)), 10);
    const QRect url = Ink(image, Content(1, 3), Rgb(clWhite));
    const QRect plain = Ink(image, Content(2, 3), Rgb(clWhite));
    EXPECT_LE(url.width(), plain.width() + 2);
    grid->SetURLFull(true);
    EXPECT_GT(Ink(Grab(), Content(1, 3), Rgb(clWhite)).width(), plain.width() + 10);
}

struct AlignCase {
    const char* text;
    bool right;
    // The cell has properties (left and top, their defaults).
    bool properties = false;
};

TEST_F(GridPaint, AutoNumAlignRightAlignsNumbersOnly)
{
    const TLocaleSettings saved = LocaleSettings();
    LocaleSettings().DecimalSeparator = '.';
    LocaleSettings().ThousandSeparator = ',';
    grid->AutoNumAlign = true;
    const AlignCase cases[] = {{"12", true},   {"1.5", true},  {"1a", false},
                               {"-7", true},   {"abc", false}, {"12", false, true}};
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.properties ? " with properties" : ""));
        if (c.properties)
            grid->GetCellProperties(2, 3);
        grid->SetCells(2, 3, c.text);
        const TRect cell = Content(2, 3);
        const QRect ink = Ink(Grab(), cell, Rgb(clWhite));
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink.left() > (cell.Left + cell.Right) / 2, c.right);
    }
    grid->AutoNumAlign = false;
    grid->SetCells(2, 3, "12");
    EXPECT_LT(Ink(Grab(), Content(2, 3), Rgb(clWhite)).left(), (Content(2, 3).Left + Content(2, 3).Right) / 2);
    // The properties' top stands over the grid's bottom too.
    grid->SetRowHeights(3, 60);
    grid->SetVAlignment(vtaBottom);
    grid->SetCells(3, 3, "12");
    const QImage image = Grab();
    EXPECT_LT(Ink(image, Content(2, 3), Rgb(clWhite)).top(), Content(2, 3).Top + 20);
    EXPECT_GT(Ink(image, Content(3, 3), Rgb(clWhite)).bottom(), Content(3, 3).Bottom - 20);
    LocaleSettings() = saved;
}

TEST_F(GridPaint, OnGetAlignmentDecides)
{
    grid->AutoNumAlign = true;
    grid->SetCells(2, 3, "12");
    grid->SetCells(3, 3, "ab");
    grid->OnGetAlignment = [](QObject*, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign) {
        if (ARow == 3 && ACol == 2)
            HAlign = taLeftJustify;
        if (ARow == 3 && ACol == 3)
            HAlign = taRightJustify, VAlign = vtaBottom;
    };
    const QImage image = Grab();
    const TRect left = Content(2, 3);
    const TRect right = Content(3, 3);
    EXPECT_LT(Ink(image, left, Rgb(clWhite)).left(), left.Left + 10);
    const QRect ink = Ink(image, right, Rgb(clWhite));
    EXPECT_GT(ink.left(), right.Left + 20);
    EXPECT_GT(ink.bottom(), right.Bottom - 6);
}

TEST_F(GridPaint, CustomDrawingAndBorders)
{
    grid->OnCustomCellDraw = [](QObject*, TCanvas& Canvas, int ACol, int ARow, TGridDrawState, TRect ARect, bool) {
        if (ACol == 2 && ARow == 3) {
            Canvas.Brush = {clLime, bsSolid};
            Canvas.FillRect({ARect.Left + 10, ARect.Top + 5, ARect.Left + 20, ARect.Top + 10});
        }
    };
    grid->OnGetCellBorder = [](QObject*, int ARow, int ACol, TPen& APen, TCellBorders& Borders) {
        if (ACol == 3 && ARow == 3) {
            APen = {clRed, 1};
            Borders = cbLeft | cbTop;
        }
    };
    const QImage image = Grab();
    const TRect custom = Content(2, 3);
    EXPECT_EQ(image.pixel(custom.Left + 15, custom.Top + 7), Rgb(clLime));
    const TRect bordered = Content(3, 3);
    EXPECT_EQ(image.pixel(bordered.Left, bordered.Top + 10), Rgb(clRed));
    EXPECT_EQ(image.pixel(bordered.Left + 10, bordered.Top), Rgb(clRed));
    EXPECT_NE(image.pixel(bordered.Right - 1, bordered.Top + 10), Rgb(clRed));
}

// ---- focus, current cell, headers

class FocusedGridPaint : public GridPaint {
protected:
    void SetUp() override
    {
        GridPaint::SetUp();
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        QCoreApplication::processEvents();
    }
    // What the window shows now, as the offscreen screen holds it.
    QImage OnScreen()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        const QImage whole = window.screen()->grabWindow(window.winId()).toImage();
        const QPoint at = grid->viewport()->mapTo(&window, QPoint(0, 0));
        return whole.copy(QRect(at, grid->viewport()->size()));
    }
    int FocusDots(const QImage& image, int col, int row)
    {
        const TRect r = Content(col, row);
        return CountColour(image, {r.Left, r.Top, r.Right, r.Top + 1}, Rgb(clWindowText));
    }
};

TEST_F(FocusedGridPaint, FocusRectangleUnlessHidden)
{
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_GT(FocusDots(Grab(), 1, 1), 5);
    EXPECT_EQ(FocusDots(Grab(), 2, 1), 0);
    grid->HideFocusRect = true;
    EXPECT_EQ(FocusDots(Grab(), 1, 1), 0);
    // The focused cell shows in its own colours, unless the focused cell is
    // to be drawn selected too.
    grid->SetOptions(grid->Options() & ~static_cast<TGridOptions>(goDrawFocusSelected));
    EXPECT_EQ(Corner(Grab(), 1, 1), Rgb(clWhite));
    grid->SetOptions(grid->Options() | goDrawFocusSelected);
    EXPECT_EQ(Corner(Grab(), 1, 1), Rgb(clNavy));
}

// The current cell moved by keys and clicks: the focus rectangle, the
// headers of ActiveCellShow and the row indicator follow it on screen.
TEST_F(FocusedGridPaint, CurrentCellMovesRepaintTheFocusHeadersAndIndicator)
{
    grid->SetActiveCellShow(true);
    TBitmap indicator;
    indicator.Image = QImage(8, 8, QImage::Format_RGB32);
    indicator.Image.fill(Qt::red);
    indicator.Image.setPixel(0, 0, qRgb(255, 0, 255));
    grid->SetRowIndicator(indicator);
    const auto indicatorShown = [&](const QImage& image, int row) {
        return CountColour(image, Content(0, row), qRgb(255, 0, 0)) > 20;
    };
    QImage screen = OnScreen();
    EXPECT_GT(FocusDots(screen, 1, 1), 5);
    EXPECT_EQ(Corner(screen, 0, 1), Rgb(clGray));
    EXPECT_TRUE(indicatorShown(screen, 1));

    input::Key(Qt::Key_Down);
    input::Key(Qt::Key_Right);
    ASSERT_EQ(grid->Row(), 2);
    ASSERT_EQ(grid->Col(), 2);
    screen = OnScreen();
    EXPECT_EQ(FocusDots(screen, 1, 1), 0);
    EXPECT_GT(FocusDots(screen, 2, 2), 5);
    EXPECT_EQ(Corner(screen, 0, 1), Rgb(clYellow));
    EXPECT_EQ(Corner(screen, 1, 0), Rgb(clYellow));
    EXPECT_EQ(Corner(screen, 0, 2), Rgb(clGray));
    EXPECT_EQ(Corner(screen, 2, 0), Rgb(clGray));
    EXPECT_FALSE(indicatorShown(screen, 1));
    EXPECT_TRUE(indicatorShown(screen, 2));

    const TRect target = grid->CellRect(3, 4);
    input::Click(grid->viewport(), QPoint(target.Left + 10, target.Top + 10));
    ASSERT_EQ(grid->Row(), 4);
    ASSERT_EQ(grid->Col(), 3);
    screen = OnScreen();
    EXPECT_EQ(FocusDots(screen, 2, 2), 0);
    EXPECT_GT(FocusDots(screen, 3, 4), 5);
    EXPECT_EQ(Corner(screen, 0, 2), Rgb(clYellow));
    EXPECT_EQ(Corner(screen, 0, 4), Rgb(clGray));
    EXPECT_EQ(Corner(screen, 3, 0), Rgb(clGray));
    EXPECT_FALSE(indicatorShown(screen, 2));
    EXPECT_TRUE(indicatorShown(screen, 4));
}

// ---- looks

struct LookCase {
    TGridLook look;
    const char* name;
};

TEST_F(GridPaint, EachLookDrawsItsFixedCells)
{
    const LookCase looks[] = {{glStandard, "standard"}, {glSoft, "soft"}, {glClassic, "classic"}, {glQel, "qel"}};
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    grid->SetFixedColor(clBtnFace);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            grid->SetCells(c, r, QStringLiteral("%1%2").arg(QChar('A' + c)).arg(r));
    for (const LookCase& l : looks) {
        SCOPED_TRACE(l.name);
        grid->SetLook(l.look);
        const QImage image = Grab();
        const TRect header = grid->CellRect(2, 0); // the cell with its lines
        const int midY = (header.Top + header.Bottom) / 2;
        switch (l.look) {
        case glStandard:
            EXPECT_EQ(image.pixel(header.Right - 4, header.Bottom - 4), Rgb(clBtnFace));
            break;
        case glSoft:
            EXPECT_EQ(image.pixel(header.Left + 10, header.Bottom - 1), Rgb(clGray));
            EXPECT_EQ(image.pixel(header.Left, midY), Rgb(clGray));
            EXPECT_EQ(image.pixel(header.Left + 1, midY), Rgb(clWhite));
            break;
        case glClassic:
            EXPECT_EQ(image.pixel(header.Right - 1, midY), Rgb(clBlack));
            EXPECT_EQ(image.pixel(header.Left + 10, header.Bottom - 1), Rgb(clBlack));
            EXPECT_EQ(image.pixel(header.Right - 4, header.Bottom - 4), Rgb(clBtnFace));
            break;
        case glQel:
            EXPECT_EQ(image.pixel(header.Left + 10, header.Top + 1), Rgb(clSilver));
            EXPECT_GT(qRed(image.pixel(header.Left + 10, header.Bottom - 3)), 245);
            EXPECT_EQ(qBlue(image.pixel(header.Left + 10, header.Bottom - 3)),
                      qRed(image.pixel(header.Left + 10, header.Bottom - 3))); // grey, not the fixed yellow
            break;
        }
        // Flat takes the relief away.
        grid->SetFlat(true);
        EXPECT_EQ(Grab().pixel(header.Left + 10, header.Top + 1), Rgb(clBtnFace));
        grid->SetFlat(false);
        EXPECT_TRUE(grid->grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/grade_look_%1.png").arg(l.name)));
    }
}

TEST_F(GridPaint, SoftBorderOverTheFrame)
{
    grid->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    grid->SetLook(glSoft);
    EXPECT_TRUE(grid->SoftBorderShown());
    (void)grid->grab(); // the first pass sets the border painting up
    QImage image = grid->grab().toImage();
    EXPECT_EQ(image.pixel(0, 50), Rgb(clGray));
    EXPECT_EQ(image.pixel(50, 0), Rgb(clGray));
    grid->SetLook(glStandard);
    EXPECT_FALSE(grid->SoftBorderShown());
    image = grid->grab().toImage();
    EXPECT_NE(image.pixel(0, 50), Rgb(clGray));
    grid->SetLook(glQel);
    grid->SetFlat(true);
    EXPECT_FALSE(grid->SoftBorderShown());
}

TEST_F(GridPaint, SelectionRectangleAndResizer)
{
    grid->SetSelection({1, 1, 2, 2});
    grid->SetSelectionRectangle(true);
    grid->SetSelectionResizer(true);
    grid->SetShowSelection(false);
    const QImage image = Grab();
    const TRect topLeft = grid->CellRect(1, 1);
    const TRect bottomRight = grid->CellRect(2, 2);
    EXPECT_EQ(image.pixel(topLeft.Left + 1, topLeft.Top + 12), Rgb(clBlack));
    EXPECT_EQ(image.pixel(topLeft.Left + 20, topLeft.Top + 1), Rgb(clBlack));
    EXPECT_NE(image.pixel(topLeft.Right - 3, topLeft.Top + 12), Rgb(clBlack)); // inner side
    EXPECT_EQ(image.pixel(bottomRight.Right - 3, bottomRight.Bottom - 3), Rgb(clBlack)); // resizer
    EXPECT_NE(image.pixel(grid->CellRect(3, 3).Left + 1, grid->CellRect(3, 3).Top + 12), Rgb(clBlack));
}

TEST_F(GridPaint, ColumnMoveGuideAndEditingFrame)
{
    // The guide inverts every other pixel of its line, down to the last row.
    grid->SetRowCount(4);
    grid->ShowColumnMoveGuide(100);
    const QImage guide = Grab();
    grid->HideColumnMoveGuide();
    const QImage plain = Grab();
    int differs = 0;
    for (int y = 24; y < 96; ++y)
        differs += guide.pixel(100, y) != plain.pixel(100, y) ? 1 : 0;
    EXPECT_GT(differs, 20);
    for (int y = 97; y < 144; ++y)
        EXPECT_EQ(guide.pixel(100, y), plain.pixel(100, y)) << y;

    // While a cell is edited, a frame in the grid-line colour goes round it.
    grid->SetGridLineColor(clRed);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetEditorMode(true);
    const QImage editing = Grab();
    const TRect cell = grid->CellRect(grid->Col(), grid->Row());
    EXPECT_EQ(editing.pixel(cell.Left - 1, cell.Top + 5), Rgb(clRed));
}

TEST_F(GridPaint, SortMarkerInTheSortedColumnsHeader)
{
    grid->SetCells(2, 0, "Coluna");
    grid->SetCells(3, 0, "Coluna");
    TSortSettings* sort = grid->SortSettings();
    sort->SetColumn(2);
    sort->SetShow(true);
    const auto marker = [&](const QImage& image, int col) {
        const TRect r = Content(col, 0);
        return image.copy(QRect(r.Right - 14, r.Top, 14, r.Height()));
    };
    const QImage up = Grab();
    EXPECT_NE(marker(up, 2), marker(up, 3));
    EXPECT_GT(CountColour(up, {Content(2, 0).Right - 14, Content(2, 0).Top, Content(2, 0).Right, Content(2, 0).Bottom},
                          Rgb(clGray)),
              3);
    sort->SetDirection(sdDescending);
    EXPECT_NE(marker(Grab(), 2), marker(up, 2));
    sort->SetShow(false);
    EXPECT_EQ(marker(Grab(), 2), marker(up, 3));

    // Indexed: each sort column gets a triangle in the index colour.
    sort->SetShow(true);
    sort->SetIndexShow(true);
    sort->SetIndexColor(clRed);
    grid->SortIndexes().AddIndex(3, true);
    const QImage indexed = Grab();
    EXPECT_GT(CountColour(indexed, Content(3, 0), Rgb(clRed)), 3);
    EXPECT_EQ(CountColour(indexed, Content(2, 0), Rgb(clRed)), 0);
}

TEST_F(GridPaint, BackgroundPictureOnTheCellsItNames)
{
    TBitmap picture;
    picture.Image = QImage(10, 10, QImage::Format_RGB32);
    picture.Image.fill(Qt::green);
    TBackGround* back = grid->BackGround();
    back->SetBitmap(picture);
    grid->SetSelection({1, 1, 1, 1});
    struct Case {
        TBackgroundCells cells;
        bool normal, fixed;
    } const cases[] = {{bcNormal, true, false}, {bcFixed, false, true}, {bcAll, true, true}};
    for (const Case& c : cases) {
        back->SetCells(c.cells);
        const QImage image = Grab();
        EXPECT_EQ(Corner(image, 2, 3) == qRgb(0, 255, 0), c.normal) << c.cells;
        EXPECT_EQ(Corner(image, 0, 3) == qRgb(0, 255, 0), c.fixed) << c.cells;
        EXPECT_NE(Corner(image, 1, 1), qRgb(0, 255, 0)); // shown selected
    }
    // Placed once at (Left, Top): only the cells it covers.
    back->SetCells(bcNormal);
    back->SetDisplay(bdFixed);
    back->SetLeft(grid->CellRect(2, 3).Left);
    back->SetTop(grid->CellRect(2, 3).Top);
    const QImage fixedPicture = Grab();
    const TRect r = grid->CellRect(2, 3);
    EXPECT_EQ(fixedPicture.pixel(r.Left + 5, r.Top + 5), qRgb(0, 255, 0));
    EXPECT_NE(fixedPicture.pixel(r.Left + 15, r.Top + 15), qRgb(0, 255, 0));
    EXPECT_NE(Corner(fixedPicture, 3, 3), qRgb(0, 255, 0));
}

TEST_F(GridPaint, ControlLookDrawsCellCheckBoxes)
{
    TCellGraphic* g = grid->CreateCellGraphic(2, 3);
    g->CellType = ctCheckBox;
    g->CellBoolean = true;
    g->CellHAlign = haCenter;
    g->CellVAlign = vaCenter;
    TControlLook* look = grid->ControlLook();
    look->SetControlStyle(csPelmora);
    look->SetColor(clRed);
    EXPECT_GT(CountColour(Grab(), Content(2, 3), Rgb(clRed)), 5);
    look->SetControlStyle(csClassic);
    EXPECT_EQ(CountColour(Grab(), Content(2, 3), Rgb(clRed)), 0);
    TBitmap glyph;
    glyph.Image = QImage(12, 12, QImage::Format_RGB32);
    glyph.Image.fill(Qt::blue);
    glyph.Image.setPixel(0, 0, qRgb(255, 0, 255));
    look->SetCheckedGlyph(glyph);
    look->SetControlStyle(csGlyph);
    EXPECT_GT(CountColour(Grab(), Content(2, 3), qRgb(0, 0, 255)), 100);
    look->SetCheckSize(9);
    EXPECT_EQ(grid->GetCellGraphicSize(2, 3), QSize(9, 9));
}

// ---- cell graphics

TEST_F(GridPaint, CheckBoxesEnabledAndDisabledAndRadioGroups)
{
    grid->SetDefaultColWidth(60);
    for (int c = 1; c <= 3; ++c) {
        TCellGraphic* g = grid->CreateCellGraphic(c, 3);
        g->CellType = ctCheckBox;
        g->CellBoolean = c != 3;
        g->CellHAlign = haCenter;
        g->CellVAlign = vaCenter;
    }
    grid->OnCanEditCell = [](QObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
    const QImage image = Grab();
    const auto cell = [&](int col) { return image.copy(Content(col, 3).ToQRect()); };
    EXPECT_NE(cell(1), cell(2)); // enabled and disabled
    EXPECT_NE(cell(1), cell(3)); // checked and not
    EXPECT_FALSE(Ink(image, Content(1, 3), Rgb(clWhite)).isEmpty());

    // A data check box is checked by its text.
    TCellGraphic* data = grid->CreateCellGraphic(1, 4);
    data->CellType = ctDataCheckBox;
    data->CellHAlign = haCenter;
    data->CellVAlign = vaCenter;
    grid->SetCells(1, 4, "Y");
    const QImage yes = Grab();
    grid->SetCells(1, 4, "N");
    const QImage no = Grab();
    EXPECT_EQ(yes.copy(Content(1, 4).ToQRect()), image.copy(Content(1, 3).ToQRect()));
    EXPECT_EQ(no.copy(Content(1, 4).ToQRect()), image.copy(Content(3, 3).ToQRect()));
}

// A radio cell shows its options with the one selected by index, or with
// index -1 by the cell's text; disabled when the cell may not be edited.
TEST_F(GridPaint, RadioCells)
{
    grid->SetDefaultColWidth(90);
    grid->SetColWidths(0, 20);
    grid->SetDefaultRowHeight(60);
    for (int c = 1; c <= 3; ++c) {
        TCellGraphic* g = grid->CreateCellGraphic(c, 1);
        g->CellType = ctRadio;
        auto* options = new TCellRadioList;
        options->Items = QStringList{"A", "B", "C"};
        g->CellBitmap = options;
        g->CellCreated = true;
        g->CellIndex = c == 1 ? 1 : -1;
    }
    grid->SetCells(2, 1, "B");
    grid->SetCells(3, 1, "C");
    grid->setGeometry(0, 0, 300, 200);
    window.resize(320, 220);
    grid->SetSelection({1, 2, 1, 2});
    const auto cell = [&](const QImage& image, int col) { return image.copy(Content(col, 1).ToQRect()); };
    const QImage image = Grab();
    EXPECT_EQ(cell(image, 1), cell(image, 2));
    EXPECT_NE(cell(image, 2), cell(image, 3));
    EXPECT_FALSE(Ink(image, Content(1, 1), Rgb(clWhite)).isEmpty());
    grid->OnCanEditCell = [](QObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
    const QImage disabled = Grab();
    EXPECT_NE(cell(disabled, 1), cell(disabled, 2));
    // Vertical options take one line each.
    grid->GetCellGraphicObject(1, 1)->CellBoolean = false;
    const QRect vertical = Ink(Grab(), Content(1, 1), Rgb(clWhite));
    grid->GetCellGraphicObject(1, 1)->CellBoolean = true;
    const QRect horizontal = Ink(Grab(), Content(1, 1), Rgb(clWhite));
    EXPECT_GT(vertical.height(), horizontal.height() + 20);
    EXPECT_GT(horizontal.width(), vertical.width() + 20);
}

TEST_F(GridPaint, GraphicPlacesAndRoomForText)
{
    grid->SetDefaultColWidth(80);
    TCellGraphic* g = grid->CreateCellGraphic(2, 3);
    g->CellType = ctComment;
    const QImage comment = Grab();
    const TRect r = Content(2, 3);
    EXPECT_EQ(comment.pixel(r.Right - 3, r.Top + 1), Rgb(clRed));
    grid->CommentColor = clNone;
    EXPECT_EQ(Grab().pixel(r.Right - 3, r.Top + 1), Rgb(clWhite));

    g->CellType = ctProgress;
    grid->SetCells(2, 3, "50");
    const QImage progress = Grab();
    EXPECT_EQ(progress.pixel(r.Left + 4, r.Bottom - 4), Rgb(clHighlight));
    EXPECT_EQ(progress.pixel(r.Right - 5, r.Bottom - 4), Rgb(clWindow));

    // A check box on the left pushes the text right.
    grid->SetCells(3, 3, "Texto");
    grid->SetCells(3, 4, "Texto");
    TCellGraphic* box = grid->CreateCellGraphic(3, 3);
    box->CellType = ctCheckBox;
    box->CellVAlign = vaCenter;
    const QImage withBox = Grab();
    const int textWithBox = Ink(withBox, {Content(3, 3).Left + 18, Content(3, 3).Top, Content(3, 3).Right,
                                          Content(3, 3).Bottom}, Rgb(clWhite)).left();
    const int textAlone = Ink(withBox, Content(3, 4), Rgb(clWhite)).left();
    EXPECT_GE(textWithBox - textAlone, 15);
}

// A graphic or a button larger than its cell is cut at the cell's edges.
TEST_F(GridPaint, GraphicsAndButtonsStayInsideTheirCell)
{
    TBitmap big;
    big.Image = QImage(200, 200, QImage::Format_RGB32);
    big.Image.fill(Qt::red);
    struct Case {
        const char* name;
        TCellType type;
        int index;
    };
    for (const Case& c : {Case{"bitmap", ctBitmap, 0}, Case{"button", ctButton, 200 | 200 << 16}}) {
        SCOPED_TRACE(c.name);
        TCellGraphic* g = grid->CreateCellGraphic(2, 2);
        g->CellType = c.type;
        g->CellIndex = c.index;
        g->CellBitmap = c.type == ctBitmap ? &big : nullptr;
        const QImage image = Grab();
        const TRect cell = grid->CellRect(2, 2);
        EXPECT_FALSE(Ink(image, Content(2, 2), Rgb(clWhite)).isEmpty()) << "drawn in its cell";
        // Right of and below the cell the neighbours stay blank.
        EXPECT_TRUE(Ink(image, {cell.Right + 1, cell.Top + 1, cell.Right + 40, cell.Bottom - 1}, Rgb(clWhite)).isEmpty());
        EXPECT_TRUE(Ink(image, {cell.Left + 1, cell.Bottom + 1, cell.Right - 1, cell.Bottom + 20}, Rgb(clWhite)).isEmpty());
        grid->RemoveCellGraphic(2, 2);
    }
}

TEST(GridGraphicSize, ByTypeAndPlace)
{
    TExtStringGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetDefaultColWidth(70);
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), QSize(0, 0));
    TCellGraphic* g = grid.CreateCellGraphic(1, 1);
    g->CellType = ctCheckBox;
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), QSize(15, 15));
    g->CellHAlign = haFull;
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), QSize(70, 15));
    g->CellHAlign = haLeft;
    g->CellType = ctButton;
    g->CellIndex = 30 | (18 << 16);
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), QSize(30, 18));
    auto* bitmap = new TBitmap;
    bitmap->Image = QImage(12, 10, QImage::Format_RGB32);
    g->CellType = ctBitmap;
    g->CellCreated = true;
    g->CellBitmap = bitmap;
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), QSize(12, 10)); // no text: the width counts
    grid.SetCells(1, 1, "abc");
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), QSize(0, 10));
    g->CellHAlign = haAfterText;
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), QSize(12, 10));
}

TEST(GridTextSize, PlainMultilineHTMLAndRotated)
{
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetCells(1, 1, "abc");
    const QSize one = grid.GetCellTextSize(1, 1, false);
    grid.SetCells(1, 1, "abc\ndef");
    EXPECT_EQ(grid.GetCellTextSize(1, 1, false).height(), one.height());
    grid.Multilinecells = true;
    EXPECT_GT(grid.GetCellTextSize(1, 1, false).height(), one.height() + 5);
    grid.SetCells(1, 1, "<B>abc</B>");
    const QSize html = grid.GetCellTextSize(1, 1, false);
    grid.EnableHTML = false;
    EXPECT_GT(grid.GetCellTextSize(1, 1, false).width(), html.width());
    grid.SetCells(1, 1, "abcdef");
    const QSize flat = grid.GetCellTextSize(1, 1, false);
    TCellGraphic* g = grid.CreateCellGraphic(1, 1);
    g->CellType = ctRotated;
    g->CellAngle = 90;
    const QSize rotated = grid.GetCellTextSize(1, 1, false);
    EXPECT_GT(rotated.height(), rotated.width());
    EXPECT_GT(rotated.height(), flat.width());
}

// Every cell type and control style in one grid, for the eye.
TEST_F(GridPaint, GalleryScreenshot)
{
    grid->SetColCount(8);
    grid->SetRowCount(9);
    grid->SetDefaultColWidth(92);
    grid->SetDefaultRowHeight(30);
    grid->SetLook(glSoft);
    grid->SetFixedColor(clBtnFace);
    grid->setGeometry(0, 0, 740, 280);
    window.resize(760, 300);
    grid->SetColumnHeaders({"", "Tipo", "Célula", "", "Estilo", "Ligado", "Desligado", "Inativo"});
    auto* images = new TImageList(16, 16);
    for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(c);
        images->Add(image);
    }
    grid->SetGridImages(images);
    struct Entry {
        const char* name;
        TCellType type;
        const char* text;
    } const entries[] = {
        {"ctBitmap", ctBitmap, ""},       {"ctIcon", ctIcon, ""},           {"ctImageList", ctImageList, ""},
        {"ctCheckBox", ctCheckBox, ""},   {"ctDataCheckBox", ctDataCheckBox, "Y"}, {"ctRotated", ctRotated, "Girado"},
        {"ctDataImage", ctDataImage, "2"}, {"ctNode", ctNode, "Nó"},
    };
    grid->SetRowCount(1 + 16);
    grid->setGeometry(0, 0, 740, 30 * 17 + 4);
    window.resize(760, 30 * 17 + 20);
    const Entry more[] = {
        {"ctRadio", ctRadio, "B"},         {"ctImages", ctImages, ""},         {"ctPicture", ctPicture, ""},
        {"ctProgress", ctProgress, "60"}, {"ctComment", ctComment, "nota"},   {"ctButton", ctButton, ""},
        {"ctBitButton", ctBitButton, ""}, {"ctVirtCheckBox", ctVirtCheckBox, "N"},
    };
    int row = 1;
    for (const auto* list : {entries, more})
        for (int i = 0; i < 8; ++i, ++row) {
            const Entry& e = list[i];
            grid->SetCells(1, row, e.name);
            grid->SetCells(2, row, QString::fromUtf8(e.text));
            TCellGraphic* g = grid->CreateCellGraphic(2, row);
            g->CellType = e.type;
            g->CellVAlign = vaCenter;
            switch (e.type) {
            case ctBitmap:
            case ctPicture:
            case ctBitButton: {
                auto* bitmap = new TBitmap;
                bitmap->Image = QImage(16, 16, QImage::Format_RGB32);
                bitmap->Image.fill(Qt::darkCyan);
                bitmap->Image.setPixel(0, 0, qRgb(255, 0, 255)); // the transparent colour
                g->CellBitmap = bitmap;
                g->CellCreated = true;
                g->CellIndex = e.type == ctBitButton ? (40 | (22 << 16)) : e.type == ctPicture ? 1 : 0;
                g->CellAngle = e.type == ctPicture ? 2 : 0;
                break;
            }
            case ctIcon: {
                auto* icon = new TIcon;
                icon->Icon = QApplication::style()->standardIcon(QStyle::SP_DialogYesButton);
                g->CellIcon = icon;
                g->CellCreated = true;
                break;
            }
            case ctImageList: g->CellIndex = 1; break;
            case ctCheckBox: g->CellBoolean = true; break;
            case ctRotated: g->CellAngle = 30; break;
            case ctImages: {
                auto* indexes = new TIntList(2, row);
                indexes->Add(0), indexes->Add(1), indexes->Add(2);
                g->CellBitmap = indexes;
                g->CellBoolean = true;
                break;
            }
            case ctButton: g->CellIndex = 40 | (22 << 16); break;
            case ctRadio: {
                auto* options = new TCellRadioList;
                options->Items = QStringList{"A", "B", "C"};
                g->CellBitmap = options;
                g->CellCreated = true;
                g->CellBoolean = true;
                g->CellIndex = -1; // the option the text names
                break;
            }
            default: break;
            }
        }
    // The seven control styles, on, off and disabled.
    const char* styles[] = {"csClassic", "csFlat", "csWinXP", "csPelmora", "csQel", "csGlyph", "csTheme"};
    for (int s = 0; s < 7; ++s) {
        grid->SetCells(4, s + 1, styles[s]);
        for (int c = 5; c <= 7; ++c) {
            TCellGraphic* g = grid->CreateCellGraphic(c, s + 1);
            g->CellType = ctCheckBox;
            g->CellBoolean = c == 5;
            g->CellHAlign = haCenter;
            g->CellVAlign = vaCenter;
        }
    }
    grid->OnCanEditCell = [](QObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 7; };
    TBitmap on, off;
    on.Image = QImage(13, 13, QImage::Format_RGB32);
    on.Image.fill(Qt::darkGreen);
    off.Image = QImage(13, 13, QImage::Format_RGB32);
    off.Image.fill(Qt::darkRed);
    on.Image.setPixel(0, 0, qRgb(255, 0, 255));
    off.Image.setPixel(0, 0, qRgb(255, 0, 255));
    grid->ControlLook()->SetCheckedGlyph(on);
    grid->ControlLook()->SetUnCheckedGlyph(off);
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    QImage gallery(grid->size(), QImage::Format_RGB32);
    gallery.fill(Qt::white);
    {
        QPainter painter(&gallery);
        grid->render(&painter);
    }
    // The check boxes of the style table, drawn by the grid's own routine
    // in each style, over the rendered grid.
    {
        QPainter painter(&gallery);
        TCanvas canvas(&painter);
        const QPoint offset = grid->viewport()->pos();
        for (int s = 0; s < 7; ++s)
            for (int c = 5; c <= 7; ++c) {
                TRect r = Content(c, s + 1);
                r = {r.Left + offset.x(), r.Top + offset.y(), r.Right + offset.x(), r.Bottom + offset.y()};
                canvas.Brush = {clWhite, bsSolid};
                canvas.FillRect(r);
                const int x = (r.Left + r.Right - 15) / 2;
                const int y = (r.Top + r.Bottom - 15) / 2;
                grid->DrawCheckBox(canvas, {x, y, x + 15, y + 15}, c == 5, c != 7, s);
            }
    }
    EXPECT_TRUE(gallery.save(QStringLiteral(TRIVANTO_TEST_OUT "/grade_galeria.png")));
    // Every cell type drew something in its cell.
    const QImage image = Grab();
    for (int r = 1; r <= 16; ++r)
        EXPECT_FALSE(Ink(image, Content(2, r), Corner(image, 2, r)).isEmpty()) << r;
}

} // namespace
