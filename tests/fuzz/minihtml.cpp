// Cell markup: any text drawn, measured and hit-tested on an offscreen
// canvas, with the pointer, the flags and the rectangle taken from the first
// bytes. Also the plain text of the markup, the rewrite of a control's value
// and the colour readers. Nothing may read outside the text; the measured
// height is at least one line; the plain text has no "<"; rewriting a
// control's value twice gives the same markup as once.
#include "tests/fuzz/support/fuzz.h"

#include "grid/esghtmle.h"
#include "grid/extxpvs.h"
#include "grid/picturecontainer.h"
#include "tests/grid/gifbuilder.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

struct Fixtures {
    Fixtures()
    {
        TPictureItem& item = container.Items().Add();
        item.Name = "P";
        item.Picture().LoadFromData(ThreeFrameGif());
        QImage red(16, 16, QImage::Format_RGB32);
        red.fill(Qt::red);
        images.Add(red);
    }
    TPictureContainer container;
    TImageList images{16, 16};
};

} // namespace

std::vector<std::string> FuzzSeeds()
{
    return {
        std::string(8, '\0') + "<B>bold</B> plain &amp; <A HREF=\"x\">link</A>",
        std::string("\x10\x08\x07\x01\x00\x00\x00\x00", 8)
            + "<FONT SIZE=\"3\" COLOR=\"#FF0000\" BGCOLOR=\"clRed\">x</FONT><BR><HR>y",
        std::string("\x05\x05\x03\x00\x00\x00\x00\x00", 8)
            + "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"60\"><CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">",
        std::string("\x20\x10\x0F\x02\x00\x00\x00\x00", 8) + "<UL><LI>a<UL><LI>b</UL></UL><P ALIGN=\"RIGHT\">r</P>",
        std::string("\x01\x01\x1F\x00\x00\x00\x00\x00", 8)
            + "<IMG SRC=\"P\" ALT=\"IDX:0\"><IMG SRC=\"IDX:0\" WIDTH=\"8\" HEIGHT=\"8\"><BODY BACKGROUND=\"P\">",
        std::string(8, '\x7F') + "<SUB>1</SUB><SUP>2</SUP><R a=\"30\">r</R><E>e</E><Z>z</Z><SHAD>s</SHAD><BL>b</BL>",
        std::string(8, '\x03') + "&lt;&gt;&nbsp;&euro;&quot;&sect;<#f>x\ty\r\nz<IND x=\"40\">",
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    static Fixtures fixtures;
    static bool themes = (InitThemeLibrary(), true);
    (void)themes;
    if (size < 8)
        return 0;
    const QString markup = QString::fromLatin1(reinterpret_cast<const char*>(data) + 8, static_cast<qsizetype>(size - 8));

    static QImage image(160, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    canvas.Font = TFont::FromQFont(painter.font());

    const unsigned flags = data[2] | (data[3] << 8);
    THTMLDrawInput in;
    in.Markup = markup;
    in.Rect = {data[4] % 8, data[5] % 8, 80 + data[6] % 80, 40 + data[7] % 40};
    in.X = data[0] % 170;
    in.Y = data[1] % 90;
    in.CheckOnly = (flags & 3) == 1;
    in.CheckHotSpot = (flags & 3) == 2;
    in.Selected = flags & 4;
    in.Blink = flags & 8;
    in.HoverStyle = flags & 16;
    in.WordWrap = flags & 32;
    in.Down = flags & 64;
    in.IsPrinting = flags & 128;
    in.FocusLink = (flags >> 8) % 4 - 1;
    in.HoverLink = (flags >> 10) % 4;
    in.HoverColor = flags & 0x1000 ? clYellow : clNone;
    in.HoverFontColor = flags & 0x2000 ? clRed : clNone;
    in.ShadowColor = flags & 0x4000 ? clGray : clNone;
    in.Pictures = &fixtures.container;
    in.Images = &fixtures.images;
    SetThemesActive(flags & 0x8000);

    THTMLDrawOutput out;
    const bool hit = HTMLDraw(canvas, in, out);
    const int lineHeight = QFontMetrics(canvas.Font.ToQFont(painter.font())).height();
    FuzzCheck(out.YSize >= lineHeight, "at least one line high");
    FuzzCheck(out.XSize >= 0, "a width");
    FuzzCheck(out.HyperLinks >= 0, "a count of anchors");
    FuzzCheck(!hit || !out.Anchor.isEmpty() || out.ControlType.isEmpty(), "a hit names what it hit");
    painter.end();

    const QString plain = HTMLStrip(markup);
    FuzzCheck(!plain.contains('<'), "no tag left in the plain text");
    FuzzCheck(plain.size() <= markup.size() * 2, "the plain text no longer than BR/HR expansion allows");

    QString once = markup;
    const QString id = QString::fromLatin1(reinterpret_cast<const char*>(data), 2);
    if (SetControlValue(once, id, "v<1>")) {
        QString twice = once;
        FuzzCheck(SetControlValue(twice, id, "v<1>"), "the rewritten control is found again");
        FuzzCheck(twice == once, "a rewrite with the same value changes nothing");
    }

    const QString word = markup.left(24);
    (void)HTMLColorByName(word.toLower());
    const TColor colour = HTMLHexColor(word);
    FuzzCheck(colour >= 0 && colour <= 0xFFFFFF, "a hexadecimal colour is an RGB value");
    FuzzCheck(HTMLHexByte(word) >= 0 && HTMLHexByte(word) <= 255, "a byte");
    return 0;
}
