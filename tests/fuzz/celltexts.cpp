// The readers of typed cell texts: numbers, cell references, dates in the
// user's and in fixed orders, and filter conditions, under either locale
// setting (chosen by the first byte). The clean number holds only digits,
// "-" and "."; a date read is a valid date; a condition of "*" matches
// anything; the readers take time in proportion to what they are given.
#include "tests/fuzz/support/fuzz.h"

#include "grid/extutil.h"
#include "platform/localesettings.h"

std::vector<std::string> FuzzSeeds()
{
    return {
        std::string("\x00", 1) + "1,234.50\n>10 & <20\n15",
        "\x01(1.234,50)\n31.12.1999\nA*",
        std::string("\x00", 1) + "R2C3\n12/31/99\n!a*b?c",
        "\x01-5\n1/2/2020\n>=1.2.2020 | <x",
        std::string("\x00", 1) + "R99999999999C1\n3-4-2026\n*a*a*a*a*a*b",
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 1)
        return 0;
    TLocaleSettings& locale = LocaleSettings();
    if (data[0] & 1) {
        locale.DecimalSeparator = ',', locale.ThousandSeparator = '.', locale.DateSeparator = '.';
        locale.ShortDateFormat = "dd.MM.yyyy";
    } else {
        locale.DecimalSeparator = '.', locale.ThousandSeparator = ',', locale.DateSeparator = '/';
        locale.ShortDateFormat = "M/d/yyyy";
    }
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const QStringList parts = text.split('\n');
    const QString first = parts.value(0);
    const QString second = parts.value(1);
    const QString third = parts.value(2);

    for (const QString& piece : parts) {
        const int type = IsType(piece);
        FuzzCheck(type >= 0 && type <= 2, "a number type");
        const QString clean = CleanNumber(piece);
        for (const QChar c : clean)
            FuzzCheck((c >= '0' && c <= '9') || c == '-' || c == '.', "a clean number's characters");
        TPoint cell{-1, -1};
        if (ParseCellRef(piece, cell))
            FuzzCheck(cell.X >= 0 && cell.Y >= 0, "a cell reference is not negative");
        QDate date;
        if (LocaleStrToDate(piece, date))
            FuzzCheck(date.isValid(), "a locale date is valid");
        const QDate mdy = StrToDateMDY(piece);
        const QDate dmy = StrToDateDMY(piece);
        FuzzCheck(mdy.isNull() || mdy.isValid(), "a month-first date");
        FuzzCheck(dmy.isNull() || dmy.isValid(), "a day-first date");
        FuzzCheck(CapitalizeName(piece).size() == piece.size(), "capitals keep the length");
    }
    (void)MatchCondition(first, second, data[0] & 2);
    (void)MatchCondition(third, second, data[0] & 2);
    (void)MatchTerm(first, third);
    FuzzCheck(MatchCondition("*", second, true), "a star matches anything");

    QString lines = text;
    QString line;
    int count = 0;
    while (!lines.isEmpty() && count <= text.size()) {
        NextLine(lines, true, line);
        ++count;
    }
    FuzzCheck(count <= LineCount(text, true), "no more lines than carriage returns allow");
    int pos = 0;
    if (OddRunEnd('"', text, pos))
        FuzzCheck(pos >= 1 && pos <= text.size() && text[pos - 1] == '"', "a run ends on a quote");
    FuzzCheck(CountOddRuns('"', text) <= CountChar('"', text), "odd runs are quote runs");
    return 0;
}
