#include "platform/maskedit.h"
#include "tests/support/input.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

namespace {

struct MaskCase {
    const char* mask;
    const char* initial; // Text assigned first
    bool selectAll;      // all selected before typing
    const char* typed;   // keys, '\b' backspace
    const char* text;    // Text afterwards
    const char* editText;
};

QString U(const char* s)
{
    return QString::fromUtf8(s);
}

// Every mask the editing windows use, with what typing in it gives.
const MaskCase kMasks[] = {
    {"  99:99;1;_", "", false, "0730", "  07:30", "  07:30"},
    {"  99:99;1;_", "  __:__", false, "", "    :  ", "  __:__"},
    {"  99:99;1;_", "  12:45", true, "9", "  9 :  ", "  9_:__"},
    {"  99:99;1;_", "", false, "7a3", "  73:  ", "  73:__"},
    {"  99:99;1;_", "  12:45", false, "\b", "  12:45", "  12:45"},
    {"   99:99;1;_", "", false, "0615", "   06:15", "   06:15"},
    {"   99:99;1;_", "   __:__", false, "12", "   12:  ", "   12:__"},
    {" 9999", "", false, "25", " 25  ", " 25__"},
    {" 9999", " 2031", true, "3", " 3   ", " 3___"},
    {" cccccccccccccccccccc", "", false, "Maria José", " Maria José          ", " Maria_José__________"},
    {" cccccccccccccccccccc", " Porteiro 1", false, "", " Porteiro 1          ", " Porteiro_1__________"},
    {" 99999;0", "", false, "123", "123  ", " 123__"},
    {" 99999;0", "25", false, "", "25   ", " 25___"},
    {" 99999;0", "", false, "9x8", "98   ", " 98___"},
    {"    3", "", false, "5", "    3", "    3"},
    {" 99999999999999999999;0", "", false, "0123456789", "0123456789          ",
     " 0123456789__________"},
    {" 99999999999999999999;0", "", false, "123456789012345678901", "12345678901234567890",
     " 12345678901234567890"},
    {"    Não", "", false, "x", "    Não", "    Não"},
    {"    Sim", "    Não", false, "", "    Sim", "    Sim"},
    {"    9", "", false, "2", "    2", "    2"},
    {"    9", "", false, "8\b", "     ", "    _"},
    {" \\0999;1;_", " 011", false, "", " 011 ", " 011_"},
    {" \\0999;1;_", "", false, "48", " 048 ", " 048_"},
    {"9999999;1;_", "", false, "3021", "3021   ", "3021___"},
    {"99/99/99;1;_", "", false, "101202", "10/12/02", "10/12/02"},
    {"99/99/99;1;_", "31/01/05", true, "", "31/01/05", "31/01/05"},
    {"99:99:99;1;_", "", false, "235959", "23:59:59", "23:59:59"},
    {"99999999999999999999;1;_", "", false, "555", "555                 ", "555_________________"},
    {"99/99", "__/__", false, "", "  /  ", "__/__"},
    {"99/99", "__/__", false, "2512", "25/12", "25/12"},
    {"99:99", "08:00", false, "", "08:00", "08:00"},
    {"99:99", "08:00", true, "1", "1 :  ", "1_:__"},
    {"    99;1;_", "", false, "5", "    5 ", "    5_"},
    {"    99;1;_", "    07", false, "", "    07", "    07"},
    {"    99;1;_", "      ", false, "", "      ", "    __"},
};

// A case reads as its mask, the text assigned first and the keys typed.
void PrintTo(const MaskCase& c, std::ostream* os)
{
    *os << TestNamePart(std::string(c.mask) + " " + c.initial + (c.selectAll ? " all " : " ") + c.typed);
}

class MaskTable : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTable, TypingGivesTheText)
{
    const MaskCase& c = GetParam();
    TMaskEdit edit;
    edit.SetEditMask(U(c.mask));
    edit.SetText(U(c.initial));
    if (c.selectAll)
        edit.SelectAll();
    input::Type(U(c.typed), &edit);
    EXPECT_EQ(edit.Text(), U(c.text)) << c.mask << " typed " << c.typed;
    EXPECT_EQ(edit.EditText(), U(c.editText)) << c.mask << " typed " << c.typed;
    EXPECT_EQ(edit.text(), edit.EditText());
}

INSTANTIATE_TEST_SUITE_P(Windows, MaskTable, ::testing::ValuesIn(kMasks), PrintedName{});

TEST(EditMask, AnyTextOrKeysKeepTheMaskShape)
{
    const QStringList values = {"", "_", "__:__", "  12:34:56:78:90", "ção", QString(40, QLatin1Char('9')), ";;\\",
                                "    Não"};
    for (const MaskCase& c : kMasks) {
        const TEditMask mask(U(c.mask));
        int editable = 0;
        for (int i = 0; i < mask.Length(); ++i)
            editable += mask.IsLiteral(i) ? 0 : 1;
        auto checkShape = [&](const QString& edit) {
            ASSERT_EQ(edit.size(), mask.Length()) << c.mask;
            for (int i = 0; i < mask.Length(); ++i) {
                if (mask.IsLiteral(i)) {
                    EXPECT_EQ(edit[i], mask.At(i).literal) << c.mask;
                }
            }
            EXPECT_EQ(mask.TextOf(edit).size(), mask.SaveLiterals() ? mask.Length() : editable) << c.mask;
        };
        TMaskState state{mask};
        for (const QString& value : values) {
            checkShape(mask.EditTextFor(value));
            state.SetEditText(value);
            checkShape(state.EditText());
            for (QChar key : value + QStringLiteral("1a \b")) {
                if (key == QLatin1Char('\b'))
                    state.Backspace();
                else
                    state.Type(key);
                state.Right(true);
                state.Delete();
                checkShape(state.EditText());
                EXPECT_LE(state.Caret(), mask.Length());
            }
        }
    }
}

TEST(EditMask, FieldsEscapesAndBlankCharacter)
{
    const TEditMask mask(QStringLiteral("\\L9;0;*"));
    ASSERT_EQ(mask.Length(), 2);
    EXPECT_TRUE(mask.IsLiteral(0));
    EXPECT_FALSE(mask.SaveLiterals());
    EXPECT_EQ(mask.EmptyEditText(), QStringLiteral("L*"));
    EXPECT_EQ(mask.TextOf(QStringLiteral("L*")), QStringLiteral(" "));

    const TEditMask plain(QStringLiteral("99"));
    EXPECT_TRUE(plain.SaveLiterals());
    EXPECT_EQ(plain.Blank(), QLatin1Char('_'));
    EXPECT_TRUE(TEditMask().IsEmpty());
}

// A value without the mask's leading literals goes after them; a value that
// has them is read position by position.
TEST(EditMask, ValueWithoutTheLeadingLiteralsGoesAfterThem)
{
    struct Row {
        const char* mask;
        const char* value;
        const char* editText;
    };
    const Row rows[] = {
        {" cccccc", "Sala 2", " Sala_2"}, {" cccccc", " Sala 2", " Sala_2"}, {" cccccc", "", " ______"},
        {"(99) 99", "12) 34", "(12) 34"}, {"(99) 99", "(12) 34", "(12) 34"}, {" 9999", "31", " 31__"},
        {"99/99", "12/34", "12/34"},
    };
    for (const Row& row : rows) {
        const TEditMask mask(QString::fromUtf8(row.mask));
        EXPECT_EQ(mask.EditTextFor(QString::fromUtf8(row.value)), QString::fromUtf8(row.editText))
            << row.mask << " / " << row.value;
    }
}

TEST(EditMask, KindsAcceptTheirCharacters)
{
    struct Row {
        const char* mask;
        const char* accepted;
        const char* refused;
    };
    const Row rows[] = {
        {"0", "09", " a+"}, {"9", "09 ", "a+"},  {"#", "5+- ", "a"},  {"L", "aZé", "1 "},
        {"l", "aZ ", "1"},  {"A", "a1", " -"},   {"a", "a1 ", "-"},   {"C", "a1- ", ""},
        {"c", "a1- ", ""},
    };
    for (const Row& row : rows) {
        const TEditMask mask(QString::fromUtf8(row.mask));
        for (QChar c : QString::fromUtf8(row.accepted))
            EXPECT_TRUE(mask.Accepts(0, c)) << row.mask << " " << int(c.unicode());
        for (QChar c : QString::fromUtf8(row.refused))
            EXPECT_FALSE(mask.Accepts(0, c)) << row.mask << " " << int(c.unicode());
    }
}

TEST(MaskState, CaretSkipsLiteralsBothWays)
{
    TMaskState state{TEditMask(QStringLiteral("  99:99;1;_"))};
    EXPECT_EQ(state.Caret(), 2);
    ASSERT_TRUE(state.Type(QLatin1Char('1')));
    ASSERT_TRUE(state.Type(QLatin1Char('2')));
    EXPECT_EQ(state.Caret(), 5); // past the ':'
    state.Left();
    EXPECT_EQ(state.Caret(), 3);
    state.Right();
    EXPECT_EQ(state.Caret(), 5);
    state.Backspace();
    EXPECT_EQ(state.Caret(), 3);
    EXPECT_EQ(state.EditText(), QStringLiteral("  1_:__"));
    state.Home();
    EXPECT_EQ(state.Caret(), 2);
    state.Delete();
    EXPECT_EQ(state.EditText(), QStringLiteral("  __:__"));
    state.End();
    EXPECT_EQ(state.Caret(), 7);
    EXPECT_FALSE(state.Type(QLatin1Char('3'))); // no position left
}

TEST(MaskEdit, MaskChangedAtRunTimeKeepsTheValue)
{
    TMaskEdit edit;
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetEditMask(QStringLiteral("    9"));
    edit.SetText(QStringLiteral("    3"));
    EXPECT_EQ(edit.Text(), QStringLiteral("    3"));
    edit.SetEditMask(QStringLiteral(" 99999;0"));
    EXPECT_EQ(edit.EditText(), QStringLiteral(" ____3"));
    EXPECT_EQ(edit.Text(), QStringLiteral("    3"));
    edit.SetEditMask(QString());
    edit.SetText(QStringLiteral("livre"));
    EXPECT_EQ(edit.Text(), QStringLiteral("livre"));
    EXPECT_GT(changes, 0);
}

TEST(MaskEdit, ProgramTextRunsOnChangeOnlyWhenTheTextChanges)
{
    TMaskEdit edit;
    edit.SetEditMask(QStringLiteral("99/99;1;_"));
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetText(QStringLiteral("25/12"));
    edit.SetText(QStringLiteral("25/12"));
    EXPECT_EQ(changes, 1);
    input::Type(QStringLiteral("3"), &edit);
    EXPECT_EQ(changes, 2);
}

TEST(MaskEdit, KeyPressHandlerCanDropOrReplaceTheKey)
{
    TMaskEdit edit;
    edit.SetEditMask(QStringLiteral("9999;1;_"));
    std::string seen;
    edit.OnKeyPress = [&](char& key) {
        seen += key;
        if (key == '5')
            key = 0;
        if (key == '1')
            key = '7';
    };
    input::Type(QStringLiteral("1523"), &edit);
    EXPECT_EQ(seen, "1523");
    EXPECT_EQ(edit.Text(), QStringLiteral("723 "));
}

} // namespace
