#include "platform/richedit.h"
#include "platform/rtf.h"

#include "tests/support/input.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

RtfCharFormat Plain()
{
    return {};
}

RtfCharFormat With(void (*change)(RtfCharFormat&))
{
    RtfCharFormat f;
    change(f);
    return f;
}

struct ReadCase {
    const char* what;
    const char* rtf;
    QString text;
    // Expected runs of the first paragraph, when given.
    std::vector<RtfRun> runs;
};

void PrintTo(const ReadCase& k, std::ostream* os)
{
    *os << k.what;
}

class RtfRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RtfRead, TextAndRuns)
{
    const ReadCase& k = GetParam();
    const RtfDocument doc = ReadRtf(QByteArray(k.rtf));
    EXPECT_EQ(doc.PlainText(), k.text);
    if (!k.runs.empty()) {
        ASSERT_FALSE(doc.paragraphs.empty());
        EXPECT_EQ(doc.paragraphs[0].runs.size(), k.runs.size());
        for (std::size_t i = 0; i < std::min(k.runs.size(), doc.paragraphs[0].runs.size()); ++i) {
            EXPECT_EQ(doc.paragraphs[0].runs[i].text, k.runs[i].text) << i;
            EXPECT_TRUE(doc.paragraphs[0].runs[i].format == k.runs[i].format) << i;
        }
    }
}

const QString kLine(QChar(0x2028));

INSTANTIATE_TEST_SUITE_P(
    Subset, RtfRead,
    ::testing::Values(
        ReadCase{"plain", "{\\rtf1\\ansi Hello}", "Hello", {{"Hello", Plain()}}},
        ReadCase{"bold on and off", "{\\rtf1 a\\b b\\b0 c}", "abc",
                 {{"a", Plain()}, {"b", With([](RtfCharFormat& f) { f.bold = true; })}, {"c", Plain()}}},
        ReadCase{"group restores the format", "{\\rtf1 a{\\i b{\\ul c}}d}", "abcd",
                 {{"a", Plain()},
                  {"b", With([](RtfCharFormat& f) { f.italic = true; })},
                  {"c", With([](RtfCharFormat& f) { f.italic = f.underline = true; })},
                  {"d", Plain()}}},
        ReadCase{"strike, size, plain", "{\\rtf1\\strike\\fs40 x\\plain y}", "xy",
                 {{"x", With([](RtfCharFormat& f) { f.strike = true; f.halfPoints = 40; })}, {"y", Plain()}}},
        ReadCase{"font table", "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}\\f1 x}", "x",
                 {{"x", With([](RtfCharFormat& f) { f.font = "Courier New"; })}}},
        ReadCase{"colour table", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf1\\highlight2 x\\cf0 y}",
                 "xy",
                 {{"x", With([](RtfCharFormat& f) { f.color = QColor(255, 0, 0); f.background = QColor(0, 0, 255); })},
                  {"y", With([](RtfCharFormat& f) { f.background = QColor(0, 0, 255); })}}},
        ReadCase{"cp1252 bytes", "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80\\'96}", QString::fromUtf8("café €–")},
        ReadCase{"raw high bytes are cp1252", "{\\rtf1 a\xe9\x80}", QString::fromUtf8("aé€")},
        ReadCase{"unicode with a one-character fallback", "{\\rtf1 \\u8364?x}", QString::fromUtf8("€x")},
        ReadCase{"negative unicode", "{\\rtf1 \\u-3913?}", QString(QChar(0xF0B7))},
        ReadCase{"fallback of two, as \\'hh", "{\\rtf1\\uc2\\u8364\\'80\\'80x}", QString::fromUtf8("€x")},
        ReadCase{"uc0 has no fallback", "{\\rtf1\\uc0\\u8364 x}", QString::fromUtf8("€x")},
        ReadCase{"fallback stops at a group", "{\\rtf1\\uc3\\u8364{x}y}", QString::fromUtf8("€xy")},
        ReadCase{"surrogate pair", "{\\rtf1\\u-10179?\\u-8704?}", QString::fromUtf8("😀")},
        ReadCase{"lone surrogate", "{\\rtf1\\u-10179?x}", QString::fromUtf8("\xEF\xBF\xBDx")},
        ReadCase{"ignorable destination", "{\\rtf1{\\*\\generator Foo 1.0;}a{\\*\\unknown {b}c}d}", "ad"},
        ReadCase{"known destinations skipped", "{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}x{\\pict 0a0b}}", "x"},
        ReadCase{"unknown words skipped", "{\\rtf1\\foo\\bar12\\baz-3 x\\qux y}", "xy"},
        ReadCase{"escapes", "{\\rtf1 \\\\ \\{ \\} a\\~b}", QString::fromUtf8("\\ { } a\u00a0b")},
        ReadCase{"par, line and tab", "{\\rtf1 a\\par b\\line c\\tab d}", "a\nb" + kLine + "c\td"},
        ReadCase{"line breaks in the file are no text", "{\\rtf1 a\r\nb\n}", "ab"},
        ReadCase{"unbalanced closing braces", "}}{\\rtf1 a}}}b", "ab"},
        ReadCase{"unclosed groups", "{\\rtf1{{{a", "a"},
        ReadCase{"no rtf at all", "just text", "just text"},
        ReadCase{"truncated escapes", "{\\rtf1 a\\'4", "a4"},
        ReadCase{"huge numbers", "{\\rtf1\\fs99999999999999 a\\u99999999999 b}", QString("a") + QChar(0xFFFF)}));

TEST(RtfRead, AlignmentByParagraph)
{
    const RtfDocument doc = ReadRtf("{\\rtf1\\pard\\qc a\\par\\pard\\qr b\\par c\\par\\pard d\\qj}");
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    EXPECT_EQ(doc.paragraphs[0].alignment, RtfAlignment::Center);
    EXPECT_EQ(doc.paragraphs[1].alignment, RtfAlignment::Right);
    EXPECT_EQ(doc.paragraphs[2].alignment, RtfAlignment::Right); // kept until \pard
    EXPECT_EQ(doc.paragraphs[3].alignment, RtfAlignment::Justify);
}

TEST(RtfRead, DeepNestingIsReadWithoutGrowingTheStack)
{
    QByteArray deep = "{\\rtf1 a";
    deep += QByteArray(200000, '{') + "b" + QByteArray(200000, '}') + "c}";
    EXPECT_EQ(ReadRtf(deep).PlainText(), "ac");
}

// Generated documents: every character class and format, written, read
// and written again.
RtfDocument Generated(QRandomGenerator& random)
{
    const QString alphabet = QString::fromUtf8("ab Z09;{}\\\t\u2028éü€–\u0081😀ж中?");
    const QStringList fonts = {"", "Arial", "Courier New", "Times;New"};
    const QList<QColor> colors = {QColor(), QColor(255, 0, 0), QColor(0, 128, 0), QColor(1, 2, 3)};
    RtfDocument doc;
    doc.paragraphs.clear();
    const int paragraphs = 1 + random.bounded(4);
    for (int p = 0; p < paragraphs; ++p) {
        RtfParagraph paragraph;
        paragraph.alignment = static_cast<RtfAlignment>(random.bounded(4));
        const int runs = random.bounded(5);
        for (int r = 0; r < runs; ++r) {
            RtfRun run;
            const int length = 1 + random.bounded(8);
            for (int i = 0; i < length; ++i) {
                const qsizetype at = random.bounded(alphabet.size());
                run.text += alphabet[at];
                if (alphabet[at].isHighSurrogate())
                    run.text += alphabet[at + 1];
                else if (alphabet[at].isLowSurrogate())
                    run.text.insert(run.text.size() - 1, alphabet[at - 1]);
            }
            RtfCharFormat& f = run.format;
            f.bold = random.bounded(2), f.italic = random.bounded(2), f.underline = random.bounded(2),
            f.strike = random.bounded(2);
            f.halfPoints = 16 + 2 * random.bounded(10);
            f.font = fonts[random.bounded(fonts.size())];
            f.color = colors[random.bounded(colors.size())];
            f.background = colors[random.bounded(colors.size())];
            paragraph.runs.push_back(run);
        }
        doc.paragraphs.push_back(paragraph);
    }
    doc.Normalize();
    return doc;
}

TEST(RtfWrite, GeneratedDocumentsSurviveWriteReadWrite)
{
    QRandomGenerator random(24);
    for (int i = 0; i < 300; ++i) {
        const RtfDocument doc = Generated(random);
        const QByteArray written = WriteRtf(doc);
        const RtfDocument back = ReadRtf(written);
        ASSERT_EQ(back.PlainText(), doc.PlainText()) << written.constData();
        ASSERT_TRUE(back == doc) << written.constData();
        ASSERT_EQ(WriteRtf(back), written);
        for (const char c : written)
            ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    }
}

TEST(RtfWrite, IsRtfTextByItsStart)
{
    EXPECT_TRUE(IsRtfText("{\\rtf1 x}"));
    EXPECT_TRUE(IsRtfText("{\\"));
    EXPECT_FALSE(IsRtfText("{rtf"));
    EXPECT_FALSE(IsRtfText(" {\\rtf1}"));
}

TEST(RichEdit, ShowsTheDocumentAndGivesItBack)
{
    QWidget window;
    auto* edit = new TRichEdit(&window);
    edit->resize(300, 120);
    int changes = 0;
    edit->OnChange = [&] { ++changes; };
    edit->SetText("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\pard\\qc\\b Title\\b0\\par\\cf1 red text}");
    EXPECT_GT(changes, 0);
    EXPECT_EQ(edit->Text(), "Title\nred text");
    const QTextBlock first = edit->document()->begin();
    EXPECT_TRUE(first.blockFormat().alignment() & Qt::AlignHCenter);
    EXPECT_EQ(first.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(first.next().begin().fragment().charFormat().foreground().color(), QColor(255, 0, 0));

    // Typed text joins the document and comes back in the RTF.
    ASSERT_TRUE(input::Activate(&window));
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    input::Type(" ok", edit);
    const RtfDocument back = ReadRtf(edit->RtfText());
    EXPECT_EQ(back.PlainText(), "Title\nred text ok");
    EXPECT_EQ(back.paragraphs[0].alignment, RtfAlignment::Center);
    EXPECT_TRUE(back.paragraphs[0].runs[0].format.bold);
    EXPECT_EQ(back.paragraphs[1].runs.back().format.color, QColor(255, 0, 0));

    edit->SetText("plain {not rtf}");
    EXPECT_EQ(edit->Text(), "plain {not rtf}");
}

} // namespace
