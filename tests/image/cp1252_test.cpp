// cp1252 <-> UTF-8: every code survives a round trip; what the code page
// cannot hold is refused.
#include "image/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryCodeRoundTrips)
{
    for (int b = 0; b <= 0xFF; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1252ParaUtf8(byte);
        EXPECT_EQ(Utf8ParaCp1252(utf8), byte) << "code " << b;
    }
}

TEST(Cp1252, WindowsAssignmentsOfTheUpperBlock)
{
    struct Caso { std::uint8_t byte; const char* utf8; };
    const Caso casos[] = {
        {0x80, "€"}, {0x8A, "Š"}, {0x96, "–"}, {0x99, "™"}, {0x9F, "Ÿ"},
        {0xA0, "\u00A0"}, {0xC7, "Ç"}, {0xE3, "ã"}, {0xFF, "ÿ"},
        {0x81, "\u0081"}, {0x8D, "\u008D"}, {0x8F, "\u008F"}, {0x90, "\u0090"}, {0x9D, "\u009D"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(Cp1252ParaUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
        EXPECT_EQ(Utf8ParaCp1252(c.utf8), std::string(1, static_cast<char>(c.byte)));
    }
    EXPECT_EQ(Utf8ParaCp1252("Conceição"), "Concei\xE7\xE3o");
}

TEST(Cp1252, RefusesWhatItCannotHold)
{
    const char* recusados[] = {
        "Ramal \u0100",  // Latin Extended-A outside the page
        "\u0080",        // a C1 code that cp1252 gives to the euro sign
        "☎", "日本", "😀",
        "\xC3",          // truncated sequence
        "\xC0\xAF",      // overlong
        "\xED\xA0\x80",  // surrogate
        "\xFF",
    };
    for (const char* texto : recusados)
        EXPECT_EQ(Utf8ParaCp1252(texto), std::nullopt) << texto;
    EXPECT_EQ(UnicodeParaCp1252(0x20AC), 0x80);
    EXPECT_EQ(UnicodeParaCp1252(0x0152), 0x8C);
    EXPECT_EQ(UnicodeParaCp1252(0x2603), std::nullopt);
}
