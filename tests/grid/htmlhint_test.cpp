#include "grid/esghtmle.h"
#include "grid/htmlhint.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

namespace {

QRect ScreenArea()
{
    return QGuiApplication::primaryScreen()->geometry();
}

// The size the renderer gives the markup in the hint font, lines broken at
// Width.
QSize Measured(const QString& markup, int width = THTMLHintWindow::kMaxHintWidth)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    const QFont font = QApplication::font("QToolTip");
    painter.setFont(font);
    TCanvas canvas(&painter);
    canvas.Font = TFont::FromQFont(font);
    THTMLDrawInput in;
    in.Markup = markup;
    in.Rect = {0, 0, width, 10000};
    in.CheckOnly = true;
    in.WordWrap = true;
    THTMLDrawOutput out;
    HTMLDraw(canvas, in, out);
    return {out.XSize, out.YSize};
}

QString LongText()
{
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QStringLiteral("palavra%1 ").arg(i);
    return text.trimmed();
}

struct HintCase {
    const char* name;
    QString text;
    // Where the hint is asked for, from the screen's top-left or, when
    // negative, back from its right or bottom edge.
    int x;
    int y;
};

class HintPlacement : public testing::TestWithParam<HintCase> {};

TEST_P(HintPlacement, SizedByItsTextAndKeptOnTheScreen)
{
    const HintCase& c = GetParam();
    const QRect area = ScreenArea();
    const int x = c.x >= 0 ? area.left() + c.x : area.left() + area.width() + c.x;
    const int y = c.y >= 0 ? area.top() + c.y : area.top() + area.height() + c.y;

    THTMLHintWindow hint;
    hint.ActivateHint({x, y, x + 10, y + 10}, c.text);
    QCoreApplication::processEvents();

    const QSize text = Measured(c.text);
    EXPECT_LE(hint.TextWidth(), THTMLHintWindow::kMaxHintWidth);
    EXPECT_EQ(hint.TextWidth(), std::min(text.width(), THTMLHintWindow::kMaxHintWidth));
    EXPECT_EQ(hint.TextHeight(), text.height());
    const QRect window = hint.geometry();
    EXPECT_EQ(window.width(), hint.TextWidth() + 16);
    EXPECT_EQ(window.height(), hint.TextHeight() + 4);
    EXPECT_TRUE(hint.isVisible());
    EXPECT_FALSE(hint.isActiveWindow());
    EXPECT_EQ(hint.Caption(), c.text);

    // It stays where asked unless it would leave the screen; then it ends
    // 2 pixels inside. A hint wider than the screen starts at its left edge.
    const int screenRight = area.left() + area.width();
    const int screenBottom = area.top() + area.height();
    if (window.width() > area.width())
        EXPECT_EQ(window.left(), area.left());
    else if (x + window.width() > screenRight)
        EXPECT_EQ(window.left() + window.width(), screenRight - 2);
    else
        EXPECT_EQ(window.left(), x);
    if (y + window.height() > screenBottom)
        EXPECT_EQ(window.top() + window.height(), screenBottom - 2);
    else
        EXPECT_EQ(window.top(), y);
    EXPECT_GE(window.left(), area.left());
    EXPECT_GE(window.top(), area.top());
}

const HintCase kHints[] = {
    {"Short", QStringLiteral("Ramal 21"), 40, 30},
    {"ShortAtTheRightEdge", QStringLiteral("Ramal 21"), -5, 30},
    {"ShortAtTheBottomEdge", QStringLiteral("Ramal 21"), 40, -3},
    {"ShortInTheCorner", QStringLiteral("Ramal 21"), -1, -1},
    {"Html", QStringLiteral("<b>Tecla</b> de <i>função</i><br>segunda linha"), 100, 100},
    {"HtmlAtTheRightEdge", QStringLiteral("<font color=\"clRed\">vermelho</font> e <u>sublinhado</u>"), -20, 50},
    {"LongerThanTheScreen", LongText(), 200, 10},
};

INSTANTIATE_TEST_SUITE_P(Texts, HintPlacement, testing::ValuesIn(kHints),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(HTMLHintWindow, LongTextBreaksIntoLinesAtMostTheLimitWide)
{
    const QString text = LongText();
    THTMLHintWindow hint;
    const TRect one = hint.CalcHintRect(100000, text);
    const TRect limited = hint.CalcHintRect(THTMLHintWindow::kMaxHintWidth, text);
    ASSERT_GT(one.Width(), THTMLHintWindow::kMaxHintWidth);
    EXPECT_LE(limited.Width(), THTMLHintWindow::kMaxHintWidth);
    EXPECT_GE(limited.Height(), 2 * one.Height());
    // A single word longer than the limit does not widen the window either.
    const TRect word = hint.CalcHintRect(50, QStringLiteral("palavramuitolongasemespacos"));
    EXPECT_LE(word.Width(), 50);
}

TEST(HTMLHintWindow, HtmlIsMeasuredAsRenderedNotAsTyped)
{
    THTMLHintWindow hint;
    const TRect plain = hint.CalcHintRect(THTMLHintWindow::kMaxHintWidth, QStringLiteral("um"));
    const TRect tagged = hint.CalcHintRect(THTMLHintWindow::kMaxHintWidth, QStringLiteral("<i>um</i>"));
    EXPECT_LT(tagged.Width(), plain.Width() * 2);
    const TRect twoLines = hint.CalcHintRect(THTMLHintWindow::kMaxHintWidth, QStringLiteral("um<br>dois"));
    EXPECT_EQ(twoLines.Height(), 2 * plain.Height());
}

TEST(HTMLHintWindow, PaintsTheTextOnTheHintColourInsideA3DFrame)
{
    THTMLHintWindow hint;
    hint.Color = clYellow;
    hint.ActivateHint({50, 50, 60, 60}, QStringLiteral("<b>Consulta</b> de ramais"));
    const QImage shot = hint.grab().toImage();
    QDir().mkpath(TRIVANTO_TEST_OUT);
    shot.save(QStringLiteral(TRIVANTO_TEST_OUT "/htmlhint.png"));

    const QRgb light = ToQColor(cl3DLight).rgb();
    const QRgb dark = ToQColor(cl3DDkShadow).rgb();
    const int w = shot.width();
    const int h = shot.height();
    EXPECT_EQ(shot.pixel(0, h / 2), light);
    EXPECT_EQ(shot.pixel(w / 2, h - 1), light);
    EXPECT_EQ(shot.pixel(w / 2, 0), dark);
    EXPECT_EQ(shot.pixel(w - 1, h / 2), dark);
    // The margin right of the text is the hint colour; the text itself is not.
    EXPECT_EQ(shot.pixel(w - 4, h / 2), QColor(Qt::yellow).rgb());
    int inked = 0;
    for (int x = 4; x < w - 12; ++x)
        for (int y = 2; y < h - 2; ++y)
            inked += shot.pixel(x, y) != QColor(Qt::yellow).rgb();
    EXPECT_GT(inked, 20);

    // A new text shows at the next paint.
    hint.SetCaption(QString());
    const QImage empty = hint.grab().toImage();
    EXPECT_EQ(empty.pixel(w / 4, h / 2), QColor(Qt::yellow).rgb());
    EXPECT_EQ(hint.Caption(), QString());
}

} // namespace
