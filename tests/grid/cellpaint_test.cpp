// The small drawings of grid cells, each drawn on an image and checked at
// chosen pixels.
#include "grid/cellpaint.h"

#include "grid/extutil.h"
#include "grid/extxpvs.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr QRgb kBackground = 0xFF'FF'FF'F0; // a white no style draws with

QImage Drawn(const std::function<void(TCanvas&)>& draw, int w = 40, int h = 40)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    draw(canvas);
    return image;
}

QRgb Rgb(TColor color)
{
    return ToQColor(color).rgb();
}

// Pixels of one colour inside a rectangle.
int CountColour(const QImage& image, QRgb colour, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

bool Untouched(const QImage& image)
{
    return CountColour(image, kBackground, image.rect()) == image.width() * image.height();
}

QImage CheckBox(TControlStyle style, bool checked, bool enabled, const TControlPaintLook& base = {})
{
    TControlPaintLook look = base;
    look.Style = style;
    return Drawn([&](TCanvas& canvas) { PaintCheckBox(canvas, {5, 5, 35, 35}, checked, enabled, look); });
}

class CheckBoxStyles : public ::testing::TestWithParam<TControlStyle> {
protected:
    void SetUp() override { InitThemeLibrary(); }
};

// Each style draws its four states, all different from each other.
TEST_P(CheckBoxStyles, FourStatesDrawDifferently)
{
    TBitmap checked, unchecked;
    checked.Image = QImage(12, 12, QImage::Format_RGB32);
    checked.Image.fill(Qt::red);
    checked.Image.setPixel(0, 0, qRgb(255, 0, 255));
    unchecked.Image = QImage(12, 12, QImage::Format_RGB32);
    unchecked.Image.fill(Qt::blue);
    unchecked.Image.setPixel(0, 0, qRgb(255, 0, 255));
    TControlPaintLook look;
    look.CheckedGlyph = &checked;
    look.UnCheckedGlyph = &unchecked;
    const QImage states[] = {CheckBox(GetParam(), true, true, look), CheckBox(GetParam(), true, false, look),
                             CheckBox(GetParam(), false, true, look), CheckBox(GetParam(), false, false, look)};
    const bool glyph = GetParam() == csGlyph; // the glyph style has no disabled look
    for (int a = 0; a < 4; ++a) {
        EXPECT_FALSE(Untouched(states[a])) << a;
        for (int b = a + 1; b < 4; ++b)
            if (!glyph || a / 2 != b / 2) {
                EXPECT_NE(states[a], states[b]) << a << " " << b;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Grid, CheckBoxStyles,
                         ::testing::Values(csClassic, csFlat, csWinXP, csPelmora, csQel, csGlyph, csTheme));

struct BitmapCase {
    TControlStyle style;
    bool checked;
    bool enabled;
    const char* name;
};

// The bitmap styles draw their resource bitmap at the rectangle's top-left,
// its magenta corner transparent.
TEST(CellPaint, BitmapCheckBoxesDrawTheirResource)
{
    const BitmapCase cases[] = {
        {csWinXP, true, true, "ESGCHK05"},  {csWinXP, true, false, "ESGCHK07"}, {csWinXP, false, true, "ESGCHK06"},
        {csWinXP, false, false, "ESGCHK08"}, {csQel, true, true, "ESGCHK01"},   {csQel, true, false, "ESGCHK03"},
        {csQel, false, true, "ESGCHK02"},   {csQel, false, false, "ESGCHK04"},
    };
    for (const BitmapCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckBoxBitmapName(c.style, c.checked, c.enabled), QString::fromLatin1(c.name));
        const QImage resource = BitmapResource(QString::fromLatin1(c.name));
        ASSERT_FALSE(resource.isNull());
        const QImage image = CheckBox(c.style, c.checked, c.enabled);
        const QRgb key = resource.pixel(0, 0);
        int mismatches = 0;
        for (int y = 0; y < resource.height(); ++y)
            for (int x = 0; x < resource.width(); ++x) {
                const QRgb expected = resource.pixel(x, y) == key ? kBackground : resource.pixel(x, y) | 0xFF000000;
                mismatches += image.pixel(5 + x, 5 + y) == expected ? 0 : 1;
            }
        EXPECT_EQ(mismatches, 0);
        EXPECT_EQ(image.pixel(5 + resource.width(), 5 + 7), kBackground);
    }
}

// The drawn box: button face when enabled, shadow when disabled, and a tick
// in the look's colour (grey when disabled).
TEST(CellPaint, PelmoraCheckBoxFaceAndTick)
{
    TControlPaintLook look;
    look.Color = clGreen;
    look.CheckSize = 15;
    const QRect box(12, 12, 15, 15);
    const QImage on = CheckBox(csPelmora, true, true, look);
    EXPECT_EQ(on.pixel(box.left() + 2, box.bottom() - 2), Rgb(clBtnFace));
    EXPECT_GT(CountColour(on, Rgb(clGreen), box), 5);
    const QImage off = CheckBox(csPelmora, false, true, look);
    EXPECT_EQ(CountColour(off, Rgb(clGreen), box), 0);
    const QImage disabled = CheckBox(csPelmora, true, false, look);
    EXPECT_EQ(disabled.pixel(box.left() + 2, box.bottom() - 2), Rgb(clBtnShadow));
    EXPECT_EQ(CountColour(disabled, Rgb(clGreen), box), 0);
    EXPECT_GT(CountColour(disabled, Rgb(clGray), box), 5);
}

TEST(CellPaint, ThemedAndGlyphStylesDrawNothingWithoutTheirMeans)
{
    InitThemeLibrary();
    SetThemesActive(false);
    EXPECT_TRUE(Untouched(CheckBox(csTheme, true, true)));
    SetThemesActive(true);
    EXPECT_FALSE(Untouched(CheckBox(csTheme, true, true)));
    EXPECT_TRUE(Untouched(CheckBox(csGlyph, true, true)));
    TBitmap empty;
    TControlPaintLook look;
    look.CheckedGlyph = &empty;
    EXPECT_TRUE(Untouched(CheckBox(csGlyph, true, true, look)));
}

TEST(CellPaint, CheckSizeSetsTheBox)
{
    TControlPaintLook look;
    look.CheckSize = 9;
    const QImage small = CheckBox(csPelmora, false, true, look);
    // A 9-pixel box centred in 30 pixels starts at 5 + 10.
    EXPECT_EQ(small.pixel(14, 20), kBackground);
    EXPECT_NE(small.pixel(15, 20), kBackground);
    EXPECT_NE(small.pixel(23, 20), kBackground);
    EXPECT_EQ(small.pixel(24, 20), kBackground);
}

TEST(CellPaint, RadioSelectionByIndexOrText)
{
    const QStringList options{"Sim", "Não", "Talvez"};
    struct Case {
        int index;
        const char* text;
        int selected;
    } const cases[] = {{1, "Sim", 1}, {-1, "Talvez", 2}, {-1, "Outro", -1}, {0, "", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(RadioSelection(options, c.index, QString::fromUtf8(c.text)), c.selected) << c.text;
}

// The glyph of option i sits at left + (widths of the texts before it) +
// 16·i + 2 across, or at top + i·line height + 2 down; only the selected
// option shows its dot.
TEST(CellPaint, RadioGroupPlacesEachOption)
{
    const QStringList options{"a", "bb", "ccc"};
    TControlPaintLook look;
    look.Style = csPelmora;
    look.RadioSize = 10;
    look.Color = clRed;
    for (bool horizontal : {true, false}) {
        SCOPED_TRACE(horizontal);
        int textHeight = 0;
        QList<QPoint> glyphs;
        const QImage image = Drawn(
            [&](TCanvas& canvas) {
                textHeight = canvas.TextHeight("gh");
                int before = 0;
                for (int i = 0; i < options.size(); ++i) {
                    glyphs << (horizontal ? QPoint(before + 16 * i + 2, 2)
                                          : QPoint(2, i * std::max(16, textHeight) + 2));
                    before += canvas.TextWidth(options[i]);
                }
                PaintRadioGroup(canvas, {0, 0, 200, 100}, options, 1, horizontal, true, look);
            },
            200, 100);
        for (int i = 0; i < options.size(); ++i) {
            const QPoint centre = glyphs[i] + QPoint(5, 5);
            EXPECT_EQ(image.pixel(centre) == Rgb(clRed), i == 1) << i;
            EXPECT_NE(image.pixel(centre), kBackground) << i;
        }
    }
}

TEST(CellPaint, RadioBitmapNamesFollowTheStyles)
{
    EXPECT_EQ(RadioBitmapName(csWinXP, true, true), "ESGRAD05");
    EXPECT_EQ(RadioBitmapName(csWinXP, true, false), "ESGRAD07");
    EXPECT_EQ(RadioBitmapName(csWinXP, false, true), "ESGRAD06");
    EXPECT_EQ(RadioBitmapName(csWinXP, false, false), "ESGRAD08");
    EXPECT_EQ(RadioBitmapName(csQel, true, true), "ESGRAD01");
    EXPECT_EQ(RadioBitmapName(csQel, false, false), "ESGRAD04");
    EXPECT_EQ(RadioBitmapName(csClassic, true, true), "");
    // The bitmap styles draw their four radio bitmaps, each different.
    for (TControlStyle style : {csWinXP, csQel}) {
        TControlPaintLook look;
        look.Style = style;
        QList<QImage> drawn;
        for (bool on : {true, false})
            for (bool enabled : {true, false}) {
                ASSERT_FALSE(BitmapResource(RadioBitmapName(style, on, enabled)).isNull());
                drawn << Drawn([&](TCanvas& canvas) { PaintRadioButton(canvas, 5, 5, on, enabled, look); });
                EXPECT_FALSE(Untouched(drawn.last()));
                EXPECT_EQ(drawn.last().pixel(5 + 5, 5 + 12), kBackground); // within RadioSize
            }
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                EXPECT_NE(drawn[a], drawn[b]) << style << " " << a << " " << b;
    }
}

// The square button shows a minus when expanded and a plus when collapsed,
// in the node colour; cn3D fills the whole cell first.
TEST(CellPaint, NodeButtons)
{
    TCellNode node(nullptr);
    node.Color = clYellow;
    node.NodeColor = clNavy;
    const TRect cell{0, 0, 40, 21};
    const auto button = [&](bool collapsed) {
        return Drawn([&](TCanvas& canvas) { PaintNodeButton(canvas, cell, collapsed, node, clWhite); }, 40, 21);
    };
    // The 9-pixel button at x 4..12, y 6..14, its middle at (8, 10).
    const QImage plus = button(true);
    const QImage minus = button(false);
    EXPECT_EQ(plus.pixel(8, 10), Rgb(clNavy));
    EXPECT_EQ(plus.pixel(8, 8), Rgb(clNavy));
    EXPECT_EQ(minus.pixel(8, 10), Rgb(clNavy));
    EXPECT_EQ(minus.pixel(8, 8), Rgb(clYellow));
    EXPECT_EQ(minus.pixel(4, 6), Rgb(clNavy));
    EXPECT_EQ(minus.pixel(20, 10), kBackground);

    node.SetNodeType(cn3D);
    const QImage raised = button(true);
    EXPECT_EQ(raised.pixel(20, 10), Rgb(clYellow));
    EXPECT_EQ(raised.pixel(0, 0), Rgb(clWhite));
    EXPECT_EQ(raised.pixel(39, 20), Rgb(clGray));
    EXPECT_EQ(raised.pixel(8, 8), Rgb(clNavy));

    node.SetNodeType(cnLeaf);
    EXPECT_NE(button(true), button(false));
    EXPECT_EQ(button(true).pixel(30, 10), kBackground);

    node.SetNodeType(cnGlyph);
    EXPECT_EQ(button(true).pixel(8, 8), Rgb(clNavy)); // no glyphs: the square
    TBitmap expand, contract;
    expand.Image = QImage(9, 9, QImage::Format_RGB32);
    expand.Image.fill(Qt::green);
    contract.Image = QImage(9, 9, QImage::Format_RGB32);
    contract.Image.fill(Qt::red);
    expand.Image.setPixel(0, 0, qRgb(1, 2, 3));
    contract.Image.setPixel(0, 0, qRgb(1, 2, 3));
    node.SetExpandGlyph(expand);
    node.SetContractGlyph(contract);
    EXPECT_EQ(button(true).pixel(8, 10), qRgb(0, 255, 0));
    EXPECT_EQ(button(false).pixel(8, 10), qRgb(255, 0, 0));
}

TEST(CellPaint, TreeLines)
{
    const TRect cell{16, 0, 60, 20};
    const auto lines = [&](int position) {
        return Drawn([&](TCanvas& canvas) { PaintTreeLines(canvas, cell, position); }, 60, 30);
    };
    const QImage last = lines(1);
    EXPECT_EQ(last.pixel(12, 10), Rgb(clSilver)); // across at half height
    EXPECT_EQ(last.pixel(8, 2), Rgb(clSilver));   // down from the top
    EXPECT_EQ(last.pixel(8, 15), kBackground);    // ends at half height
    const QImage middle = lines(2);
    EXPECT_EQ(middle.pixel(8, 15), Rgb(clSilver));
    EXPECT_EQ(middle.pixel(8, 23), Rgb(clSilver)); // on past the bottom
    EXPECT_TRUE(Untouched(lines(0)));
}

TEST(CellPaint, FixedCellLooks)
{
    const TRect cell{0, 0, 40, 40};
    const QImage gradient = Drawn([&](TCanvas& canvas) { PaintQelGradient(canvas, cell); });
    EXPECT_EQ(gradient.pixel(20, 0), Rgb(clSilver));
    EXPECT_EQ(gradient.pixel(20, 39), Rgb(clWhite));
    EXPECT_GT(qRed(gradient.pixel(20, 20)), 192);
    EXPECT_LT(qRed(gradient.pixel(20, 20)), 255);

    const QImage classic = Drawn([&](TCanvas& canvas) { PaintClassicRelief(canvas, cell); });
    EXPECT_EQ(classic.pixel(39, 20), Rgb(clBlack));
    EXPECT_EQ(classic.pixel(20, 39), Rgb(clBlack));
    EXPECT_NE(classic.pixel(0, 20), kBackground);
    EXPECT_EQ(classic.pixel(20, 20), kBackground);

    const QImage qel = Drawn([&](TCanvas& canvas) { PaintQelRelief(canvas, cell); });
    EXPECT_EQ(qel.pixel(0, 20), Rgb(clWhite));
    EXPECT_EQ(qel.pixel(20, 20), kBackground);

    const QImage soft3D = Drawn([&](TCanvas& canvas) { PaintSoftRelief(canvas, cell, true, true, true, clRed); });
    EXPECT_EQ(soft3D.pixel(20, 39), Rgb(clGray));
    EXPECT_EQ(soft3D.pixel(0, 20), Rgb(clGray));
    EXPECT_EQ(soft3D.pixel(1, 20), Rgb(clWhite));
    EXPECT_EQ(soft3D.pixel(39, 20), kBackground);
    const QImage softNoLines = Drawn([&](TCanvas& canvas) { PaintSoftRelief(canvas, cell, true, false, false, clRed); });
    EXPECT_TRUE(Untouched(softNoLines));
    const QImage softFlat = Drawn([&](TCanvas& canvas) { PaintSoftRelief(canvas, cell, false, true, true, clRed); });
    EXPECT_EQ(softFlat.pixel(39, 20), Rgb(clRed));
    EXPECT_EQ(softFlat.pixel(20, 39), Rgb(clRed));
    EXPECT_EQ(softFlat.pixel(0, 20), kBackground);
}

TEST(CellPaint, SelectionFrameOnTheAskedSidesAndResizer)
{
    const TRect cell{0, 0, 40, 40};
    const QImage frame = Drawn([&](TCanvas& canvas) {
        PaintSelectionFrame(canvas, cell, {true, false, false, true}, clNavy);
        PaintSelectionResizer(canvas, cell, clRed);
    });
    EXPECT_EQ(frame.pixel(1, 20), Rgb(clNavy));
    EXPECT_EQ(frame.pixel(2, 20), kBackground);
    EXPECT_EQ(frame.pixel(20, 38), Rgb(clNavy));
    EXPECT_EQ(frame.pixel(20, 1), kBackground);
    EXPECT_EQ(frame.pixel(38, 20), kBackground);
    EXPECT_EQ(frame.pixel(36, 36), Rgb(clRed));
    EXPECT_EQ(frame.pixel(39, 39), Rgb(clRed));
    EXPECT_EQ(frame.pixel(35, 35), kBackground);
}

TEST(CellPaint, SortMarkers)
{
    const TRect cell{0, 0, 40, 20};
    const auto marker = [&](bool descending, const TBitmap* up, const TBitmap* down) {
        return Drawn([&](TCanvas& canvas) { PaintSortMarker(canvas, cell, descending, up, down); }, 40, 20);
    };
    const QImage up = marker(false, nullptr, nullptr);
    const QImage down = marker(true, nullptr, nullptr);
    EXPECT_NE(up, down);
    // Within the 14 pixels kept at the right.
    EXPECT_EQ(CountColour(up, kBackground, QRect(0, 0, 26, 20)), 26 * 20);
    EXPECT_GT(CountColour(down, Rgb(clGray), QRect(26, 0, 14, 20)), 5);
    TBitmap glyphUp, glyphDown;
    glyphUp.Image = QImage(6, 6, QImage::Format_RGB32);
    glyphUp.Image.fill(Qt::green);
    glyphDown.Image = QImage(6, 6, QImage::Format_RGB32);
    glyphDown.Image.fill(Qt::red);
    glyphUp.Image.setPixel(0, 0, qRgb(9, 9, 9));
    glyphDown.Image.setPixel(0, 0, qRgb(9, 9, 9));
    EXPECT_EQ(marker(true, &glyphUp, &glyphDown).pixel(35, 10), qRgb(255, 0, 0));
    EXPECT_EQ(marker(false, &glyphUp, &glyphDown).pixel(35, 10), qRgb(0, 255, 0));
    const QImage index = Drawn([&](TCanvas& canvas) { PaintSortIndex(canvas, cell, false, 2, clBlue); }, 40, 20);
    EXPECT_GT(CountColour(index, Rgb(clBlue), QRect(30, 0, 10, 20)), 3);
}

TEST(CellPaint, ProgressBarSplitsAtThePercentage)
{
    const TRect cell{0, 0, 104, 20};
    const QImage bar = Drawn(
        [&](TCanvas& canvas) { PaintProgress(canvas, cell, 25, "25", clRed, clWhite, clNone, clNone); }, 104, 20);
    // Inside 2..101, a quarter of 100 pixels filled.
    EXPECT_EQ(bar.pixel(3, 3), Rgb(clRed));
    EXPECT_EQ(bar.pixel(26, 3), Rgb(clRed));
    EXPECT_EQ(bar.pixel(27, 3), Rgb(clWhite));
    EXPECT_EQ(bar.pixel(100, 17), Rgb(clWhite));
    EXPECT_EQ(bar.pixel(1, 10), Rgb(clGray));
    // The text across the middle, in the inverted colours.
    int dark = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 27; x < 101; ++x)
            dark += qGray(bar.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 0);
}

TEST(CellPaint, CommentMarkInTheTopRightCorner)
{
    const TRect cell{0, 0, 40, 20};
    const QImage mark = Drawn([&](TCanvas& canvas) { PaintCommentMark(canvas, cell, clRed); }, 40, 20);
    EXPECT_EQ(mark.pixel(37, 1), Rgb(clRed));
    EXPECT_EQ(mark.pixel(38, 0), Rgb(clRed));
    EXPECT_EQ(mark.pixel(30, 5), kBackground);
    EXPECT_EQ(mark.pixel(39, 10), kBackground);
    EXPECT_TRUE(Untouched(Drawn([&](TCanvas& canvas) { PaintCommentMark(canvas, cell, clNone); }, 40, 20)));
}

TEST(CellPaint, RotatedTextSize)
{
    QFont font;
    font.setPointSize(10);
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance("Rotated");
    const int h = metrics.height();
    EXPECT_EQ(RotatedTextSize(font, "Rotated", 0), QSize(w + 12, h + 12));
    EXPECT_EQ(RotatedTextSize(font, "Rotated", 90), QSize(h + 12, w + 12));
    // Rotated a quarter turn, the text runs up: taller than wide.
    const QImage drawn = Drawn(
        [&](TCanvas& canvas) {
            canvas.Font.Color = clBlack;
            PaintRotatedText(canvas, {0, 0, 60, 80}, "Rotated", 90);
        },
        60, 80);
    QRect inked;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 60; ++x)
            if (qGray(drawn.pixel(x, y)) < 128)
                inked |= QRect(x, y, 1, 1);
    EXPECT_GT(inked.height(), inked.width());
}

TEST(CellPaint, CellButtonsShowPressed)
{
    const TRect cell{0, 0, 40, 20};
    const auto button = [&](bool pressed) {
        return Drawn([&](TCanvas& canvas) { PaintCellButton(canvas, cell, pressed, false, nullptr, "..."); }, 40, 20);
    };
    EXPECT_NE(button(true), button(false));
    EXPECT_EQ(button(false).pixel(20, 3), Rgb(clBtnFace));
}

TEST(CellPaint, SoftBorderAndColumnGuide)
{
    const QImage border = Drawn([&](TCanvas& canvas) { PaintSoftBorder(canvas, {0, 0, 40, 40}, clRed); });
    EXPECT_EQ(border.pixel(0, 20), Rgb(clGray));
    EXPECT_EQ(border.pixel(1, 20), Rgb(clRed));
    EXPECT_EQ(border.pixel(38, 38), Rgb(clRed));
    EXPECT_EQ(border.pixel(20, 20), kBackground);

    // The guide inverts what it crosses, so drawing it twice takes it away.
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TCanvas canvas(&painter);
        PaintColumnMoveGuide(canvas, 10, 0, 30);
    }
    EXPECT_EQ(image.pixel(10, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 35), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(11, 0), qRgb(255, 255, 255));
    {
        QPainter painter(&image);
        TCanvas canvas(&painter);
        PaintColumnMoveGuide(canvas, 10, 0, 30);
    }
    EXPECT_EQ(image.pixel(10, 0), qRgb(255, 255, 255));
}

TEST(CellPaint, ProgressFillsItsShareAndStopsAtTheBounds)
{
    // A bar 96 pixels wide inside the cell; its top row lies above the text.
    const TRect cell{0, 0, 100, 40};
    const QRect topRow(2, 2, 96, 1);
    struct Case {
        int percent;
        int filled; // pixels of the fill colour in the bar's top row
    } const cases[] = {{-5, 0}, {0, 0}, {50, 48}, {100, 96}, {30'000'000, 96}, {-30'000'000, 0}};
    for (const Case& c : cases) {
        const QImage image =
            Drawn([&](TCanvas& canvas) { PaintProgress(canvas, cell, c.percent, "x", clRed, clBlue, clNone, clNone); },
                  100, 40);
        EXPECT_EQ(CountColour(image, Rgb(clRed), topRow), c.filled) << c.percent;
        EXPECT_EQ(CountColour(image, Rgb(clBlue), topRow), 96 - c.filled) << c.percent;
    }
}

TEST(CellPaint, PasswordAndURLTexts)
{
    EXPECT_EQ(PasswordText("abcd", '*'), "****");
    EXPECT_EQ(PasswordText("", '*'), "");
    struct Case {
        const char* text;
        bool full;
        const char* shown;
    } const cases[] = {
        {"http://www.exemplo.com.br", false, "www.exemplo.com.br"},
        {"http://www.exemplo.com.br", true, "http://www.exemplo.com.br"},
        {"mailto:fulano@exemplo.com", false, "fulano@exemplo.com"},
        {"texto", false, "texto"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(URLDisplayText(c.text, c.full), QString::fromLatin1(c.shown)) << c.text;
}

} // namespace
