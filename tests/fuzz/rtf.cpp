// The rich-text reader: any bytes are read without failing, the result
// holds no control character but the tab, and what it writes reads back to
// the same document, which writes to the same bytes again.
#include "tests/fuzz/support/fuzz.h"

#include "platform/rtf.h"

std::vector<std::string> FuzzSeeds()
{
    return {
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\pard\\qc\\f1\\fs20\\b Bold\\b0  \\i it\\i0 \\ul u\\ulnone \\strike s\\strike0\\par"
        "\\cf1 red\\cb2  on blue\\line next\\tab tab\\par}",
        "{\\rtf1{\\*\\generator x;}{\\info{\\title t}}caf\\'e9 \\uc1\\u8364? \\uc2\\u-3913\\'3f\\'3f end}",
        "{\\rtf1 {{{nested {groups}}}} \\unknownword123 text\\\\\\{\\}}",
        "plain text, no groups",
        "{\\rtf1\\u55357?\\u56832? \\u55357? alone}",
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RtfDocument first = ReadRtf(input);
    FuzzCheck(!first.paragraphs.empty(), "a document has a paragraph");
    for (const auto& paragraph : first.paragraphs)
        for (const auto& run : paragraph.runs) {
            FuzzCheck(!run.text.isEmpty(), "no empty run");
            for (const QChar c : run.text)
                FuzzCheck(c.unicode() >= 0x20 || c == '\t', "no control character");
        }
    const QByteArray written = WriteRtf(first);
    for (const char c : written)
        FuzzCheck(static_cast<unsigned char>(c) < 0x80, "the writer writes 7-bit text");
    const RtfDocument second = ReadRtf(written);
    FuzzCheck(second.PlainText() == first.PlainText(), "read-write-read keeps the text");
    FuzzCheck(second == first, "read-write-read keeps the formats");
    FuzzCheck(WriteRtf(second) == written, "writing again gives the same bytes");
    return 0;
}
