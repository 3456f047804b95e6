#include "grid/esghtmle.h"
#include "grid/extxpvs.h"
#include "grid/picturecontainer.h"
#include "tests/grid/gifbuilder.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr int kDotsPerMeter96 = 3780; // 96 pixels per inch

// A white offscreen image with a canvas on it, in the application's font at
// 96 pixels per inch.
struct Sheet {
    explicit Sheet(int width = 400, int height = 200) : image(width, height, QImage::Format_RGB32)
    {
        image.setDotsPerMeterX(kDotsPerMeter96);
        image.setDotsPerMeterY(kDotsPerMeter96);
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setFont(QApplication::font());
        canvas.SetPainter(&painter);
        canvas.Font = TFont::FromQFont(painter.font());
        canvas.Font.Color = clBlack;
        canvas.Brush.Color = clWhite;
    }
    ~Sheet() { painter.end(); }

    // The font the markup starts from, with a style or size changed.
    QFont Font(TFontStyles style = 0, int points = 0) const
    {
        TFont font = canvas.Font;
        font.Style = style;
        if (points > 0)
            font.Size = points;
        return font.ToQFont(painter.font());
    }
    int Width(const QString& text, TFontStyles style = 0, int points = 0) const
    {
        return QFontMetrics(Font(style, points)).horizontalAdvance(text);
    }
    int Height(TFontStyles style = 0, int points = 0) const { return QFontMetrics(Font(style, points)).height(); }

    THTMLDrawOutput Draw(THTMLDrawInput in)
    {
        THTMLDrawOutput out;
        HTMLDraw(canvas, in, out);
        return out;
    }
    THTMLDrawOutput Measure(const QString& markup, TRect rect = {0, 0, 400, 200}, bool wordWrap = false)
    {
        THTMLDrawInput in;
        in.Markup = markup;
        in.Rect = rect;
        in.CheckOnly = true;
        in.WordWrap = wordWrap;
        return Draw(in);
    }
    bool Hit(const QString& markup, int x, int y, THTMLDrawOutput& out)
    {
        THTMLDrawInput in;
        in.Markup = markup;
        in.Rect = {0, 0, 400, 200};
        in.X = x;
        in.Y = y;
        in.CheckHotSpot = true;
        return HTMLDraw(canvas, in, out);
    }

    QImage image;
    QPainter painter;
    TCanvas canvas;
};

TEST(MiniHtml, MeasureAndPlainText)
{
    Sheet s;
    const int h = s.Height();
    struct Row {
        const char* markup;
        const char* plain;
        std::function<int()> width;
        std::function<int()> height;
        int links;
    };
    const Row rows[] = {
        {"<B>Bold</B> plain", "Bold plain", [&] { return s.Width("Bold", fsBold) + s.Width(" plain"); },
         [&] { return std::max(h, s.Height(fsBold)); }, 0},
        {"a&amp;b", "a&b", [&] { return s.Width("a&b"); }, [&] { return h; }, 0},
        {"&lt;b&gt;x&lt;/b&gt;", "<b>x</b>", [&] { return s.Width("<b>x</b>"); }, [&] { return h; }, 0},
        {"&euro;5 &copy;", "€5 ©", [&] { return s.Width("€5 ©"); }, [&] { return h; }, 0},
        {"a&nbsp;b &quot;q&quot;", "a b \"q\"", [&] { return s.Width("a b \"q\""); }, [&] { return h; }, 0},
        {"<FONT SIZE=\"3\">x</FONT>", "x", [&] { return s.Width("x", 0, 12); },
         [&] { return std::max(h, s.Height(0, 12)); }, 0},
        {"<FONT SIZE=\"9\">x</FONT>", "x", [&] { return s.Width("x", 0, 9); },
         [&] { return std::max(h, s.Height(0, 9)); }, 0},
        {"<font size=\"99999999999\">x</font>", "x", [&] { return s.Width("x"); }, [&] { return h; }, 0},
        {"", "", [] { return 0; }, [&] { return h; }, 0},
        {"one<BR>three", "one\rthree", [&] { return s.Width("three"); }, [&] { return 2 * h; }, 0},
        {"one\r\nthree", "one\rthree", [&] { return s.Width("three"); }, [&] { return 2 * h; }, 0},
        {"one<BR/>three", "one\rthree", [&] { return s.Width("three"); }, [&] { return 2 * h; }, 0},
        {"<BLINK>on</BLINK>", "on", [&] { return s.Width("on"); }, [&] { return h; }, 0},
        // Attributes are found in the tag itself, whatever capitals make of it.
        {"<A TITLE=\"\u00DF\u00DF\" HREF=\"x\">a</A>", "a", [&] { return s.Width("a"); }, [&] { return h; }, 1},
        // A control that does not fit after the text starts the next line.
        {"abc<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"390\">", "abc", [] { return 390; },
         [&] { return h + h + 6; }, 0},
        {"x<HR>yy", "xyy", [&] { return s.Width("yy"); }, [&] { return 2 * h; }, 0},
        {"<A HREF=\"go\">link</A> and <a href=\"x\">y</a>", "link and y", [&] { return s.Width("link and y"); },
         [&] { return h; }, 2},
        {"<Z>hidden</Z>shown", "hiddenshown", [&] { return s.Width("shown"); }, [&] { return h; }, 0},
        {"<SUP>2</SUP>", "2", [&] { return s.Width("2"); }, [&] { return h + h / 4; }, 0},
        {"a<SUB>2</SUB>", "a2", [&] { return s.Width("a2"); }, [&] { return h + h / 4; }, 0},
        {"<IND x=\"50\">a", "a", [&] { return 50 + s.Width("a"); }, [&] { return h; }, 0},
        {"<UL><LI>a<LI>a</UL>", "aa", [&] { return 12 + s.Width("a"); }, [&] { return 2 * h; }, 0},
        {"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">", "", [] { return 16; },
         [&] { return std::max(h, 16); }, 0},
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"60\">", "", [] { return 60; },
         [&] { return h + 6; }, 0},
        {"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Ok\" WIDTH=\"40\">", "", [] { return 40; },
         [&] { return std::max(h, 24); }, 0},
        {"<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"v\" WIDTH=\"70\">", "", [] { return 70; },
         [&] { return std::max(h, 25); }, 0},
        {"<CONTROL TYPE=\"ODD\" ID=\"k\">", "", [] { return 0; }, [&] { return h; }, 0},
        {"ab<B unclosed", "ab", [&] { return s.Width("ab"); }, [&] { return h; }, 0},
        {"a<UNKNOWN>b", "ab", [&] { return s.Width("ab"); }, [&] { return h; }, 0},
        {"<P ALIGN=\"RIGHT\">r</P>", "r", [&] { return s.Width("r"); }, [&] { return h; }, 0},
        {"<#field>", "#field", [&] { return s.Width("#field"); }, [&] { return h; }, 0},
        {"<I>i</I><S>s</S><U>u</U>", "isu",
         [&] { return s.Width("i", fsItalic) + s.Width("s", fsStrikeOut) + s.Width("u", fsUnderline); },
         [&] { return h; }, 0},
    };
    for (const Row& row : rows) {
        const THTMLDrawOutput out = s.Measure(QString::fromUtf8(row.markup));
        EXPECT_EQ(out.StrippedText, QString::fromUtf8(row.plain)) << row.markup;
        EXPECT_EQ(out.XSize, row.width()) << row.markup;
        EXPECT_EQ(out.YSize, row.height()) << row.markup;
        EXPECT_EQ(out.HyperLinks, row.links) << row.markup;
    }
}

TEST(MiniHtml, PointerResults)
{
    Sheet s;
    const int h = s.Height();
    const QString link = "go <A HREF=\"Target\">here</A> then";
    const int linkLeft = s.Width("go ");
    const QString control = "ab<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"x&lt;y\" WIDTH=\"80\">";
    struct Row {
        QString markup;
        int x, y;
        bool hit;
        const char* anchor;
        int mouseLink;
        const char* id;
        const char* value;
        const char* type;
    };
    const Row rows[] = {
        {link, linkLeft + 2, h / 2, true, "Target", 1, "", "", ""},
        {link, 1, h / 2, false, "", -1, "", "", ""},
        {link, linkLeft + 2, h + 5, false, "", -1, "", "", ""},
        {link, s.Width("go here then") + 5, h / 2, false, "", -1, "", "", ""},
        {"<A HREF=\"a\">1</A> <A HREF=\"b\">2</A>", s.Width("1 ") + 1, h / 2, true, "b", 2, "", "", ""},
        {control, s.Width("ab") + 10, h / 2 + 3, true, "ctrl", -1, "e1", "x<y", "EDIT"},
        {"<CONTROL TYPE=\"check\" ID=\"c9\" VALUE=\"TRUE\">", 8, 8, true, "ctrl", -1, "c9", "TRUE", "CHECK"},
        {"<Z><A HREF=\"h\">hidden</A></Z>", 3, h / 2, false, "", -1, "", "", ""},
    };
    for (const Row& row : rows) {
        THTMLDrawOutput out;
        EXPECT_EQ(s.Hit(row.markup, row.x, row.y, out), row.hit) << row.markup.toStdString();
        EXPECT_EQ(out.Anchor, row.anchor) << row.markup.toStdString();
        EXPECT_EQ(out.MouseLink, row.mouseLink) << row.markup.toStdString();
        EXPECT_EQ(out.ControlID, row.id) << row.markup.toStdString();
        EXPECT_EQ(out.ControlValue, row.value) << row.markup.toStdString();
        EXPECT_EQ(out.ControlType, row.type) << row.markup.toStdString();
    }

    THTMLDrawOutput out;
    s.Hit(link, linkLeft + 2, h / 2, out);
    EXPECT_EQ(out.HoverRect, (TRect{linkLeft, 0, linkLeft + s.Width("here"), h}));
    s.Hit(control, s.Width("ab") + 10, 5, out);
    EXPECT_EQ(out.ControlRect, (TRect{s.Width("ab"), h + 6 - (h + 6), s.Width("ab") + 80, h + 6}));
}

TEST(MiniHtml, CharactersLeftOfThePointer)
{
    Sheet s;
    const int h = s.Height();
    struct Row {
        const char* markup;
        int x;
        int chars;
    };
    const Row rows[] = {
        {"abcdef", s.Width("abc") + 1, 3},
        {"<B>ab</B>cdef", s.Width("ab", fsBold) + s.Width("cd") + 1, 4},
        {"abcdef", 0, 0},
    };
    for (const Row& row : rows) {
        THTMLDrawOutput out;
        s.Hit(row.markup, row.x, h / 2, out);
        EXPECT_EQ(out.CharsLeftOfPointer, row.chars) << row.markup;
    }
    THTMLDrawOutput second;
    s.Hit("ab<BR>cdef", s.Width("cde") + 1, h + h / 2, second);
    EXPECT_EQ(second.CharsLeftOfPointer, 3);
}

TEST(MiniHtml, WordWrapBreaksAtBlanksOnly)
{
    Sheet s;
    const int h = s.Height();
    const int twoWords = s.Width("aaa ") + s.Width("bbb ");
    struct Row {
        const char* markup;
        int rectWidth;
        int lines;
        int width;
    };
    const Row rows[] = {
        {"aaa bbb ccc", twoWords, 2, s.Width("aaa bbb")},
        {"aaa bbb ccc", s.Width("aaa bbb ccc") + 2, 1, s.Width("aaa bbb ccc")},
        {"abcdefghijkl", s.Width("abc"), 1, s.Width("abcdefghijkl")},  // never inside a word
        {"aaa abcdefghijkl", s.Width("aaa abcdefghijk"), 2, s.Width("abcdefghijkl")},
        // a word wider than the whole rectangle stays on its line
        {"aaa abcdefghijkl", s.Width("abc"), 1, s.Width("aaa ") + s.Width("abcdefghijkl")},
    };
    for (const Row& row : rows) {
        const THTMLDrawOutput out = s.Measure(row.markup, {0, 0, row.rectWidth, 200}, true);
        EXPECT_EQ(out.YSize, row.lines * h) << row.markup;
        EXPECT_NEAR(out.XSize, row.width, 2) << row.markup; // runs measured apart may round apart
        EXPECT_EQ(out.StrippedText, row.markup);
    }
}

TEST(MiniHtml, ColoursAndHelpers)
{
    struct Row {
        const char* value;
        TColor colour;
    };
    const Row names[] = {
        {"clred", clRed},        {"clblack", 0},         {"clnothing", 0},          {"clwindow", clWindow},
        {"clinfobk", static_cast<TColor>(0x80000000u | 24)}, {"clBtnFace", 0},  // names arrive lower-cased
        {"cl3ddkshadow", static_cast<TColor>(0x80000000u | 21)}, {"clteal", 0x808000},
    };
    for (const Row& row : names)
        EXPECT_EQ(HTMLColorByName(row.value), row.colour) << row.value;
    const Row hex[] = {{"#FF0000", 0x0000FF}, {"#00FF00", 0x00FF00}, {"#0000FF", 0xFF0000}, {"#123456", 0x563412},
                       {"#ff0000", 0},        {"#F", 0},             {"#FFFF", 0x00FFFF},   {"#GG0000", 0}};
    for (const Row& row : hex)
        EXPECT_EQ(HTMLHexColor(row.value), row.colour) << row.value;
    EXPECT_EQ(HTMLHexByte("7F"), 0x7F);
    EXPECT_EQ(HTMLHexByte("7"), 0);

    struct Strip {
        const char* text;
        const char* plain;
    };
    const Strip strips[] = {
        {"<B>a</B>b", "ab"}, {"a<br>b<HR>c", "a\r\nb\r\nc"}, {"a<b", "a"}, {"a>b", "a>b"}, {"", ""},
        {"<<x>>y", ">y"},
    };
    for (const Strip& row : strips)
        EXPECT_EQ(HTMLStrip(row.text), row.plain) << row.text;
}

TEST(MiniHtml, SetControlValueRewritesTheTag)
{
    struct Row {
        const char* text;
        const char* id;
        const char* value;
        bool found;
        const char* result;
    };
    const Row rows[] = {
        {"x<CONTROL TYPE=\"EDIT\" WIDTH=\"50\" ID=\"a\" VALUE=\"old\">y", "a", "new", true,
         "x<CONTROL ID=\"a\" VALUE=\"new\" WIDTH=\"50\" TYPE=\"EDIT\">y"},
        {"<control type=\"check\" id=\"c\" value=\"FALSE\">", "c", "TRUE", true,
         "<CONTROL ID=\"c\" VALUE=\"TRUE\" WIDTH=\"\" TYPE=\"check\">"},
        {"<CONTROL ID=\"a\" VALUE=\"1\"><CONTROL ID=\"b\" VALUE=\"2\">", "b", "<3>", true,
         "<CONTROL ID=\"a\" VALUE=\"1\"><CONTROL ID=\"b\" VALUE=\"&lt;3&gt;\" WIDTH=\"\" TYPE=\"\">"},
        {"<CONTROL ID=\"a\">", "z", "v", false, "<CONTROL ID=\"a\">"},
        {"<B ID=\"a\">", "a", "v", false, "<B ID=\"a\">"},
        {"", "a", "v", false, ""},
    };
    for (const Row& row : rows) {
        QString text = row.text;
        EXPECT_EQ(SetControlValue(text, row.id, row.value), row.found) << row.text;
        EXPECT_EQ(text, row.result) << row.text;
    }
}

// Drawing checks on the image.
int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test)
{
    int count = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
            count += test(QColor(image.pixel(x, y))) ? 1 : 0;
    return count;
}

bool Reddish(QColor c)
{
    return c.red() > 180 && c.green() < 90 && c.blue() < 90;
}

bool Dark(QColor c)
{
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

QImage Rendered(const QString& markup, TRect rect = {0, 0, 400, 200}, bool wordWrap = false,
                const std::function<void(THTMLDrawInput&)>& adjust = {})
{
    Sheet s;
    THTMLDrawInput in;
    in.Markup = markup;
    in.Rect = rect;
    in.WordWrap = wordWrap;
    if (adjust)
        adjust(in);
    s.Draw(in);
    s.painter.end();
    return s.image;
}

TEST(MiniHtml, DrawnRuns)
{
    Sheet s;
    const int h = s.Height();
    const QRect line(0, 0, 400, h + 2);
    struct Row {
        const char* markup;
        std::function<bool(QColor)> test;
        bool present;
    };
    const Row rows[] = {
        {"<FONT COLOR=\"#FF0000\">red</FONT>", Reddish, true},
        {"<FONT COLOR=\"clRed\">red</FONT>", Reddish, true},
        {"<font color=\"#ff0000\">red</font>", Reddish, true},  // the tag is read in capitals
        {"<FONT COLOR=\"clnothing\">black</FONT>", Reddish, false},
        {"<FONT COLOR=\"clnothing\">black</FONT>", Dark, true},
        {"<Z>hidden</Z>", Dark, false},
        {"<E>wrong</E>", Reddish, true},
        {"wrong", Reddish, false},
        {"<BL>blink</BL>", Dark, false},  // blink phase off: drawn in the background colour
        {"<BLINK>blink</BLINK>", Dark, false},
    };
    for (const Row& row : rows) {
        const QImage image = Rendered(row.markup);
        EXPECT_EQ(CountPixels(image, line, row.test) > 0, row.present) << row.markup;
    }
    // Bold covers more pixels than plain.
    EXPECT_GT(CountPixels(Rendered("<B>WWWW</B>"), line, Dark), CountPixels(Rendered("WWWW"), line, Dark));
    // The zigzag lies about the text's bottom.
    const QImage zigzag = Rendered("<E>wrong</E>");
    EXPECT_GT(CountPixels(zigzag, QRect(0, h - 2, s.Width("wrong"), 4), Reddish), 0);
    EXPECT_EQ(CountPixels(zigzag, QRect(s.Width("wrong") + 3, 0, 100, h + 2), Reddish), 0);
}

TEST(MiniHtml, EllipsisWithoutWordWrap)
{
    Sheet s;
    const QString text = "a rather long line of text that cannot fit";
    const int width = s.Width("a rather long");
    const QImage drawn = Rendered(text, {0, 0, width, 100});
    // Nothing is drawn past the rectangle, and the end is the elided text.
    EXPECT_EQ(CountPixels(drawn, QRect(width, 0, 400 - width, 100), Dark), 0);
    Sheet expected;
    expected.painter.setPen(Qt::black);
    const QFontMetrics fm(expected.Font());
    const QString elided = fm.elidedText(text, Qt::ElideRight, width);
    EXPECT_TRUE(elided.endsWith(QChar(0x2026)));
    expected.painter.setFont(expected.Font());
    expected.painter.drawText(QRect(0, 0, width + 1, fm.height()), Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine,
                              elided);
    expected.painter.end();
    EXPECT_EQ(drawn, expected.image);

    // With word wrap the same text goes on over several lines instead.
    const QImage wrapped = Rendered(text, {0, 0, width, 200}, true);
    EXPECT_GT(CountPixels(wrapped, QRect(0, fm.height() * 2, width, fm.height()), Dark), 0);
}

TEST(MiniHtml, ControlsThemedAndClassic)
{
    const QString controls = "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">"
                             "<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"FALSE\">"
                             "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Ok\" WIDTH=\"50\">"
                             "<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"v\" WIDTH=\"60\">";
    InitThemeLibrary();
    SetThemesActive(true);
    const QImage themed = Rendered(controls);
    SetThemesActive(false);
    const QImage classic = Rendered(controls);
    SetThemesActive(true);
    EXPECT_NE(themed, classic);
    const QImage blank = Rendered("");
    EXPECT_NE(themed, blank);
    EXPECT_NE(classic, blank);
    // A checked box looks different from an unchecked one in either look.
    for (bool active : {true, false}) {
        SetThemesActive(active);
        EXPECT_NE(Rendered("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">"),
                  Rendered("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\">"))
            << active;
    }
    SetThemesActive(true);
}

// The boxes the themed controls are drawn in.
std::vector<std::pair<int, TRect>> themedParts;

HRESULT RecordPart(HTHEME, TCanvas&, int part, int, const TRect& rect, const TRect*)
{
    themedParts.emplace_back(part, rect);
    return 0;
}

TEST(MiniHtml, ControlBoxesHaveTheirSizes)
{
    InitThemeLibrary();
    SetThemesActive(true);
    const DrawThemeBackgroundProc kept = DrawThemeBackground;
    DrawThemeBackground = RecordPart;
    Sheet s;
    const int h = s.Height();
    struct Row {
        const char* markup;
        int part;
        int width, height; // of the part drawn
    };
    const Row rows[] = {
        {"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">", BP_CHECKBOX, 13, 15},
        {"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\">", BP_RADIOBUTTON, 12, 14},
        // The drop-down button: 16 wide, the line's height less 8.
        {"<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"v\" WIDTH=\"70\">", CP_DROPDOWNBUTTON, 16, std::max(h, 25) - 8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.markup);
        themedParts.clear();
        Rendered(row.markup);
        ASSERT_EQ(themedParts.size(), 1u);
        EXPECT_EQ(themedParts[0].first, row.part);
        EXPECT_EQ(themedParts[0].second.Width(), row.width);
        EXPECT_EQ(themedParts[0].second.Height(), row.height);
    }
    // A control's box is as high as its line: a check box beside tall text
    // reports the line's height.
    THTMLDrawOutput out;
    const QString tall = "<FONT SIZE=\"40\">W</FONT><CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">";
    const THTMLDrawOutput measured = s.Measure(tall);
    ASSERT_TRUE(s.Hit(tall, s.Width("W", 0, 40) + 8, measured.YSize - 4, out));
    EXPECT_EQ(out.ControlRect.Height(), measured.YSize);
    DrawThemeBackground = kept;
}

TEST(MiniHtml, Pictures)
{
    Sheet s;
    const int h = s.Height();
    TPictureContainer container;
    TPictureItem& item = container.Items().Add();
    item.Name = "Logo";
    item.Picture().LoadFromData(BuildGif(30, 20, {{0, 0, 30, 20, 1}}));
    TImageList images(16, 16);
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    images.Add(red);
    THTMLPictureCache cache;

    struct Row {
        const char* markup;
        int width;
        int height;
    };
    const Row rows[] = {
        {"<IMG SRC=\"logo\">", 30, std::max(h, 20)},
        {"<IMG SRC=\"logo\" WIDTH=\"60\" HEIGHT=\"40\">", 60, std::max(h, 40)},
        {"<IMG SRC=\"nothing\">", 0, h},
        {"<IMG SRC=\"IDX:0\">", 16, std::max(h, 16)},
        {"<IMG SRC=\"IDX:1\">", 0, h},
        {"<IMG SRC=\"IDX:99999999999999\">", 0, h},
        {"<IMG SRC=\"http://example/pic.png\">", 0, h},
        {"<IMG SRC=\"RES://grid/ESGFILT.png\">", 16, std::max(h, 16)},
    };
    for (const Row& row : rows) {
        THTMLDrawInput in;
        in.Markup = row.markup;
        in.Rect = {0, 0, 400, 200};
        in.CheckOnly = true;
        in.Pictures = &container;
        in.Images = &images;
        in.PictureCache = &cache;
        const THTMLDrawOutput out = s.Draw(in);
        EXPECT_EQ(out.XSize, row.width) << row.markup;
        EXPECT_EQ(out.YSize, row.height) << row.markup;
    }
    // ALIGN moves the line's text up beside a tall picture.
    struct Aligned {
        const char* markup;
        int shift; // of the text's bottom, upwards
    };
    const Aligned aligned[] = {
        {"WW<IMG SRC=\"logo\" WIDTH=\"30\" HEIGHT=\"60\">", 0},
        {"WW<IMG SRC=\"logo\" WIDTH=\"30\" HEIGHT=\"60\" ALIGN=\"top\">", 60 - h},
        {"WW<IMG SRC=\"logo\" WIDTH=\"30\" HEIGHT=\"60\" ALIGN=\"MIDDLE\">", (60 - h) / 2},
    };
    for (const Aligned& row : aligned) {
        const QImage image = Rendered(row.markup, {0, 0, 400, 200}, false,
                                      [&](THTMLDrawInput& in) { in.Pictures = &container; });
        int lowest = -1;
        for (int y = 0; y < image.height(); ++y)
            if (CountPixels(image, QRect(0, y, s.Width("WW"), 1), Dark) > 0)
                lowest = y;
        int expectedLowest = -1;
        const QImage plain = Rendered("WW");
        for (int y = 0; y < plain.height(); ++y)
            if (CountPixels(plain, QRect(0, y, s.Width("WW"), 1), Dark) > 0)
                expectedLowest = y;
        EXPECT_EQ(lowest, expectedLowest + 60 - h - row.shift) << row.markup;
    }

    // A "://" source is cached once, under its text in capitals, and stays
    // empty.
    ASSERT_NE(cache.FindPicture("HTTP://EXAMPLE/PIC.PNG"), nullptr);
    EXPECT_TRUE(cache.FindPicture("HTTP://EXAMPLE/PIC.PNG")->GetEmpty());
    EXPECT_EQ(cache.Count(), 2);

    // Drawn: the picture's green shows; with the pointer on an anchored
    // picture the result is true with the anchor.
    THTMLDrawInput in;
    in.Markup = "<A HREF=\"pic\"><IMG SRC=\"logo\"></A>";
    in.Rect = {0, 0, 400, 200};
    in.Pictures = &container;
    in.X = 5;
    in.Y = std::max(h, 20) - 5;
    THTMLDrawOutput out;
    EXPECT_TRUE(HTMLDraw(s.canvas, in, out));
    EXPECT_EQ(out.Anchor, "pic");
    EXPECT_EQ(QColor(s.image.pixel(5, std::max(h, 20) - 5)), QColor(0, 255, 0));
}

TEST(MiniHtml, AnchorColoursFocusAndHover)
{
    Sheet probe;
    const int h = probe.Height();
    const QString links = "<A HREF=\"first\">WWW</A> <A HREF=\"second\">WWW</A>";
    const int secondLeft = probe.Width("WWW ");
    const QRect first(0, 0, probe.Width("WWW"), h);
    const QRect second(secondLeft, 0, probe.Width("WWW"), h);
    auto blue = [](QColor c) { return c.blue() > 180 && c.red() < 90 && c.green() < 90; };
    struct Row {
        const char* what;
        std::function<void(THTMLDrawInput&)> adjust;
        bool firstBlue, firstRed, secondBlue, secondRed;
    };
    const Row rows[] = {
        {"plain", [](THTMLDrawInput&) {}, true, false, true, false},
        {"selected keeps the font colour", [](THTMLDrawInput& in) { in.Selected = true; }, false, false, false, false},
        {"hovered link in the hover colour",
         [](THTMLDrawInput& in) {
             in.HoverStyle = true;
             in.HoverLink = 2;
             in.HoverFontColor = clRed;
         },
         true, false, false, true},
    };
    for (const Row& row : rows) {
        const QImage image = Rendered(links, {0, 0, 400, 200}, false, row.adjust);
        EXPECT_EQ(CountPixels(image, first, blue) > 0, row.firstBlue) << row.what;
        EXPECT_EQ(CountPixels(image, first, Reddish) > 0, row.firstRed) << row.what;
        EXPECT_EQ(CountPixels(image, second, blue) > 0, row.secondBlue) << row.what;
        EXPECT_EQ(CountPixels(image, second, Reddish) > 0, row.secondRed) << row.what;
    }

    Sheet s;
    THTMLDrawInput in;
    in.Markup = links;
    in.Rect = {0, 0, 400, 200};
    in.FocusLink = 1;
    const THTMLDrawOutput out = s.Draw(in);
    EXPECT_EQ(out.FocusAnchor, "second");
    EXPECT_EQ(out.HyperLinks, 2);
}

TEST(MiniHtml, DrawingStopsAtTheRectangleBottom)
{
    Sheet s;
    const int h = s.Height();
    const QString fiveLines = "1<BR>2<BR>3<BR>4<BR>5";
    EXPECT_EQ(s.Measure(fiveLines, {0, 0, 400, 2 * h}).YSize, 5 * h);
    THTMLDrawInput in;
    in.Markup = fiveLines;
    in.Rect = {0, 0, 400, 2 * h};
    const THTMLDrawOutput out = s.Draw(in);
    EXPECT_EQ(out.YSize, 2 * h);
    EXPECT_EQ(out.StrippedText, "1\r2\r");
}

// One sample per tag, both control looks, pictures, lists, sub- and
// superscript and rotated text, for a person to look at.
TEST(MiniHtml, SampleSheet)
{
    const char* samples[] = {
        "<B>bold</B> <I>italic</I> <U>underline</U> <S>strike</S>",
        "<FONT FACE=\"Serif\" SIZE=\"4\" COLOR=\"clBlue\" BGCOLOR=\"#FFFF00\">font face, size, colours</FONT>",
        "<A HREF=\"http://x\">an anchor</A> and <HI>highlight</HI> and <SHAD>shadow</SHAD>",
        "H<SUB>2</SUB>O and x<SUP>2</SUP> and <E>misspeled</E> and <BL>blink</BL>",
        "<P ALIGN=\"CENTER\">centred paragraph</P>",
        "<P ALIGN=\"RIGHT\" BGCOLOR=\"clSilver\">right paragraph on silver</P>",
        "<UL><LI>first<UL><LI>nested</UL><LI>second</UL>",
        "tab\tstop<IND x=\"200\">indented to 200",
        "<R a=\"20\">rotated text</R> after rotation",
        "&lt;tags&gt; &amp; &euro; &copy; &reg; &trade; &sect; &para; &permil;",
        "above the rule<HR>below the rule",
        "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\"> <CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\"> "
        "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"edit\" WIDTH=\"60\"> <CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"combo\" "
        "WIDTH=\"70\"> <CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Button\" WIDTH=\"60\">",
        "pictures: <IMG SRC=\"logo\"> <IMG SRC=\"IDX:0\"> <IMG SRC=\"SSYS:4\"> <IMG SRC=\"LSYS:/\">",
        "<BODY BGCOLOR=\"#E0F0FF\">body colour <Z>hidden</Z>shown",
    };
    TPictureContainer container;
    TPictureItem& item = container.Items().Add();
    item.Name = "logo";
    item.Picture().LoadFromData(ThreeFrameGif());
    item.Picture().Stretch = true;
    TImageList images(16, 16);
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    images.Add(red);

    const int rowHeight = 40;
    const int count = static_cast<int>(std::size(samples));
    Sheet sheet(1000, rowHeight * count * 2 + 20);
    int top = 5;
    InitThemeLibrary();
    for (bool themed : {true, false}) {
        SetThemesActive(themed);
        for (const char* sample : samples) {
            THTMLDrawInput in;
            in.Markup = sample;
            in.Rect = {5, top, 480, top + rowHeight - 2};
            in.Pictures = &container;
            in.Images = &images;
            in.ShadowColor = clGray;
            in.ShadowOffset = 2;
            in.URLColor = clBlue;
            sheet.painter.setPen(Qt::lightGray);
            sheet.painter.drawRect(in.Rect.ToQRect().adjusted(0, 0, -1, -1));
            THTMLDrawOutput out;
            HTMLDraw(sheet.canvas, in, out);
            sheet.painter.setPen(Qt::black);
            sheet.painter.drawText(500, top + 15, QString::fromUtf8(sample).left(90));
            top += rowHeight;
        }
    }
    SetThemesActive(true);
    sheet.painter.end();
    QDir().mkpath(TRIVANTO_TEST_OUT);
    EXPECT_TRUE(sheet.image.save(QString(TRIVANTO_TEST_OUT) + "/mini_html_sheet.png"));
}

} // namespace
