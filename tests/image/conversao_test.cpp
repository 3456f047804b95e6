// Integer conversions with the class library's rules and error text.
#include "image/conversao.h"

#include <gtest/gtest.h>

TEST(Conversao, StrToIntAccepts)
{
    struct Caso { const char* texto; int valor; };
    const Caso casos[] = {
        {"0", 0}, {"07", 7}, {"  42", 42}, {"+5", 5}, {"-12", -12},
        {"$1F", 31}, {"0x10", 16}, {"0X10", 16}, {"-$10", -16}, {"$FFFFFFFF", -1},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"000000000042", 42},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(StrToInt(c.texto), c.valor) << c.texto;
}

TEST(Conversao, StrToIntRefusesWithTheLibraryMessage)
{
    const char* recusados[] = {
        "", " ", "+", "-", "$", "0x", "7 ", "1a", "a1", "__", "3:", "2147483648",
        "-2147483649", "$100000000", "1.5", "\t1",
    };
    for (const char* texto : recusados) {
        try {
            StrToInt(texto);
            ADD_FAILURE() << "accepted '" << texto << "'";
        } catch (const EConvertError& erro) {
            EXPECT_EQ(erro.what(), "'" + std::string(texto) + "' is not a valid integer value");
        }
    }
}

TEST(Conversao, FormatsWithAtLeastTheDigitsOfTheFormat)
{
    struct Caso { const char* formato; long long valor; const char* texto; };
    const Caso casos[] = {
        {"00", 5, "05"}, {"#00", 5, "05"}, {"#00", 231, "231"}, {"00", 0, "00"},
        {"000", 7, "007"}, {"0", 12, "12"}, {"#", 0, ""}, {"00", -3, "-03"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(FormatInt(c.formato, c.valor), c.texto) << c.formato << " " << c.valor;
    EXPECT_EQ(IntToStr(-40), "-40");
    EXPECT_EQ(Trim("\t 12 \r\n"), "12");
}

// Only '0'..'9' are digits: no sign, blank, letter or byte of another script.
TEST(Conversao, DigitsAndDigitOnlyTexts)
{
    struct Caso { const char* texto; bool soDigitos; };
    const Caso casos[] = {
        {"0123456789", true}, {"", true},   {"7", true},   {" 7", false}, {"7 ", false}, {"-7", false},
        {"+7", false},        {"1a", false}, {"/", false}, {":", false},  {"\xC2\xB2", false}, // superscript two
    };
    for (const Caso& c : casos)
        EXPECT_EQ(SoDigitos(c.texto), c.soDigitos) << '"' << c.texto << '"';
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(IsDigit(static_cast<char>(c)), c >= '0' && c <= '9') << c;
}
