#include "grid/extutil.h"

#include "image/cp850.h"
#include "platform/formatting.h"
#include "platform/localesettings.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

#include <limits>
#include <optional>

namespace {

const QChar kCR = '\r';
const QChar kLF = '\n';

// A run of decimal digits as a number; nullopt when empty, not all digits or
// too large for an int.
std::optional<int> DigitsToInt(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar c : digits) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return static_cast<int>(value);
}

// Order of day, month and year in the short date pattern, as "DMY" etc.
QString DateOrder(const QString& pattern)
{
    QString order;
    for (const QChar c : pattern) {
        const QChar letter = c.toUpper();
        if ((letter == 'D' || letter == 'M' || letter == 'Y') && !order.contains(letter))
            order += letter;
    }
    return order.size() == 3 ? order : QStringLiteral("MDY");
}

QDate EncodeDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    return date.isValid() ? date : QDate();
}

// The fixed-order readers: "/", "." or "-" (first of them present) must split
// the text in three numbers. A year of one or two digits is 2000 + year below
// 26 and 1900 + year from 26; three or four digits are the year as written.
QDate StrToDateFixed(const QString& S, bool monthFirst)
{
    QChar separator;
    for (const QChar candidate : {QChar('/'), QChar('.'), QChar('-')})
        if (S.contains(candidate)) {
            separator = candidate;
            break;
        }
    if (separator.isNull())
        return {};
    const QStringList parts = S.trimmed().split(separator);
    if (parts.size() != 3)
        return {};
    const auto first = DigitsToInt(parts[0]);
    const auto second = DigitsToInt(parts[1]);
    const auto yearText = parts[2].trimmed();
    const auto year = DigitsToInt(yearText);
    if (!first || !second || !year || yearText.size() > 4)
        return {};
    int fullYear = *year;
    if (yearText.size() <= 2)
        fullYear += *year < 26 ? 2000 : 1900;
    return monthFirst ? EncodeDate(fullYear, *first, *second) : EncodeDate(fullYear, *second, *first);
}

// A number written with the user's decimal separator.
std::optional<double> LocaleToReal(const QString& text)
{
    const QChar decimal = LocaleSettings().DecimalSeparator;
    QString plain = text.trimmed();
    if (plain.isEmpty())
        return std::nullopt;
    for (QChar& c : plain) {
        if (c == decimal)
            c = '.';
        else if (!IsDigit(c) && c != '-' && c != '+')
            return std::nullopt;
    }
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

template <typename T>
bool Compare(const T& value, const T& bound, const QString& op)
{
    if (op == ">")
        return value > bound;
    if (op == ">=")
        return value >= bound;
    if (op == "<")
        return value < bound;
    return value <= bound;
}

// "*" any run, "?" any one character, other characters themselves; the whole
// value must match. Walks back only to the last "*", so a long value with
// many stars takes time in proportion to the product of the lengths, never
// exponential time.
bool MatchPattern(QStringView pattern, QStringView value)
{
    qsizetype p = 0;
    qsizetype v = 0;
    qsizetype starP = -1;
    qsizetype starV = 0;
    while (v < value.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && pattern[p] == value[v]))) {
            ++p, ++v;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starV = v;
        } else if (starP >= 0) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool IsOperator(QChar c)
{
    return c == '&' || c == ';' || c == '^' || c == '|';
}

bool IsNameBreak(QChar c)
{
    return c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.';
}

} // namespace

int TextType(const QString& S, bool HTMLEnabled)
{
    const QString text = S + ' ';
    if (text.size() < 2)
        return 0;
    if (text[0] == '=')
        return 3;
    if (text.startsWith(QStringLiteral("{\\")))
        return 2;
    if (HTMLEnabled && (text.contains(QStringLiteral("</")) || text.contains(QStringLiteral("<B"))
                        || text.contains(QStringLiteral("<I"))))
        return 1;
    return 0;
}

int IsType(const QString& S)
{
    const TLocaleSettings& locale = LocaleSettings();
    if (S.isEmpty() || S.count('-') > 1 || S.count(locale.DecimalSeparator) > 1)
        return 2;
    bool integer = true;
    for (const QChar c : S)
        integer = integer && (IsDigit(c) || c == '-');
    if (integer)
        return 0;
    if (S[0] == locale.ThousandSeparator)
        return 2;
    int lastThousand = -1;
    for (int i = 0; i < S.size(); ++i) {
        const QChar c = S[i];
        if (c == locale.ThousandSeparator) {
            if (lastThousand >= 0 && i - lastThousand < 3)
                return 2;
            lastThousand = i;
        } else if (!IsDigit(c) && c != '-' && c != locale.DecimalSeparator) {
            return 2;
        }
    }
    return 1;
}

QString CleanNumber(const QString& S)
{
    const TLocaleSettings& locale = LocaleSettings();
    QString text = S.trimmed();
    bool negative = false;
    if (text.size() >= 2 && text.startsWith('(') && text.endsWith(')')) {
        negative = true;
        text = text.mid(1, text.size() - 2);
    }
    int i = 0;
    while (i < text.size() && !IsDigit(text[i]) && text[i] != locale.DecimalSeparator
           && text[i] != locale.ThousandSeparator) {
        negative = negative || text[i] == '-';
        ++i;
    }
    QString number;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == locale.DecimalSeparator)
            number += '.';
        else if (c == locale.ThousandSeparator)
            continue;
        else if (IsDigit(c) || c == '-' || c == '.')
            number += c;
        else
            break;
    }
    return negative ? '-' + number : number;
}

bool IsURL(const QString& S)
{
    return S.contains(QStringLiteral("://")) || S.contains(QStringLiteral("mailto:"));
}

void StripURLProtocol(QString& S)
{
    qsizetype at = S.indexOf(QStringLiteral("://"));
    if (at >= 0) {
        S.remove(0, at + 3);
        return;
    }
    at = S.indexOf(QStringLiteral("mailto:"));
    if (at >= 0)
        S.remove(0, at + 7);
}

bool ParseCellRef(const QString& S, TPoint& Cell)
{
    const QString text = S.toUpper();
    if (text.size() <= 3 || text[0] != 'R')
        return false;
    const qsizetype c = text.indexOf('C', 1);
    if (c < 0)
        return false;
    const auto row = DigitsToInt(QStringView(text).mid(1, c - 1));
    const auto column = DigitsToInt(QStringView(text).mid(c + 1));
    if (!row || !column)
        return false;
    Cell = {*column, *row};
    return true;
}

bool LocaleStrToDate(const QString& S, QDate& Date)
{
    const TLocaleSettings& locale = LocaleSettings();
    const QStringList parts = S.trimmed().split(locale.DateSeparator);
    if (parts.size() != 3)
        return false;
    const QString order = DateOrder(locale.ShortDateFormat);
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const auto number = DigitsToInt(parts[i].trimmed());
        if (!number)
            return false;
        (order[i] == 'D' ? day : order[i] == 'M' ? month : year) = *number;
    }
    if (day >= 32 || month > 12)
        return false;
    const QDate date = EncodeDate(year, month, day);
    if (!date.isValid())
        return false;
    Date = date;
    return true;
}

QDate StrToDateMDY(const QString& S)
{
    return StrToDateFixed(S, true);
}

QDate StrToDateDMY(const QString& S)
{
    return StrToDateFixed(S, false);
}

QDate IncDateParts(int Years, int Months, int Days, int Step, const QDate& Date)
{
    if (Days != 0 && Years == 0 && Months == 0)
        return Date.addDays(Days);
    if (Years != 0 && Months == 0 && Days == 0)
        return Date.addYears(Years);
    if (Months != 0 && Years == 0 && Days == 0)
        return Date.addMonths(Months);
    return Date.addDays(Step);
}

bool MatchCondition(const QString& Condition, const QString& Value, bool CaseSensitive)
{
    QString condition = Condition.trimmed();
    QString value = Value;
    if (!CaseSensitive) {
        condition = condition.toUpper();
        value = value.toUpper();
    }
    // Blanks next to an operator belong to neither term.
    QString packed;
    for (int i = 0; i < condition.size(); ++i) {
        const QChar c = condition[i];
        if (c == ' ') {
            int j = i;
            while (j < condition.size() && condition[j] == ' ')
                ++j;
            const bool afterOperator = !packed.isEmpty() && IsOperator(packed.back());
            const bool beforeOperator = j < condition.size() && IsOperator(condition[j]);
            if (!afterOperator && !beforeOperator)
                packed += condition.mid(i, j - i);
            i = j - 1;
            continue;
        }
        packed += c;
    }
    bool result = false;
    QChar pending = '|';
    int start = 0;
    for (int i = 0; i <= packed.size(); ++i) {
        if (i < packed.size() && !IsOperator(packed[i]))
            continue;
        const bool term = MatchTerm(packed.mid(start, i - start), value);
        result = pending == '&' ? result && term : result || term;
        if (i < packed.size())
            pending = packed[i];
        start = i + 1;
    }
    return result;
}

bool MatchTerm(const QString& Term, const QString& Value)
{
    static const QString kOperators[] = {">=", "<=", ">", "<"};
    for (const QString& op : kOperators) {
        if (!Term.startsWith(op))
            continue;
        QString bound = Term.mid(op.size());
        const qsizetype end = bound.indexOf(QRegularExpression("[ &|]"));
        if (end >= 0)
            bound.truncate(end);
        bool holds = false;
        const auto boundNumber = LocaleToReal(bound);
        const auto valueNumber = LocaleToReal(Value);
        QDate boundDate, valueDate;
        if (boundNumber && valueNumber)
            holds = Compare(*valueNumber, *boundNumber, op);
        else if (LocaleStrToDate(bound, boundDate) && LocaleStrToDate(Value, valueDate))
            holds = Compare(valueDate, boundDate, op);
        else
            holds = Compare(Value.left(255), bound.left(255), op);
        if (holds)
            return true;
        break;
    }
    if (Term.startsWith('!'))
        return !MatchPattern(QStringView(Term).mid(1), Value);
    return MatchPattern(Term, Value);
}

void NextLine(QString& S, bool KeepRest, QString& Line)
{
    const qsizetype cr = S.indexOf(kCR);
    if (cr < 0) {
        Line = S;
        S.clear();
        return;
    }
    Line = S.left(cr);
    qsizetype rest = cr + 1;
    if (rest < S.size() && S[rest] == kLF)
        ++rest;
    if (KeepRest)
        S.remove(0, rest);
    else
        S.clear();
}

int LineCount(const QString& S, bool Multi)
{
    return Multi ? static_cast<int>(S.count(kCR)) + 1 : 1;
}

void LFToCRLF(QString& S)
{
    S.replace(kLF, QStringLiteral("\r\n"));
}

void TildeToCRLF(QString& S)
{
    S.replace('~', QStringLiteral("\r\n"));
}

QString BackslashNToCR(const QString& S)
{
    QString text = S;
    return text.replace(QStringLiteral("\\n"), QString(kCR));
}

void QuoteMultiLine(QString& S)
{
    S.replace(QStringLiteral("\r\n"), QString(kLF));
    S = '"' + S + '"';
}

QString UndoubleChar(QChar C, const QString& S)
{
    return UndoubleChar(C, QStringView(S));
}

QString UndoubleChar(QChar C, QStringView S)
{
    QString text;
    text.reserve(S.size());
    for (int i = 0; i < S.size(); ++i) {
        text += S[i];
        if (S[i] == C && i + 1 < S.size() && S[i + 1] == C)
            ++i;
    }
    return text;
}

bool OddRunEnd(QChar C, const QString& S, int& Pos)
{
    return OddRunEnd(C, QStringView(S), Pos);
}

bool OddRunEnd(QChar C, QStringView S, int& Pos)
{
    for (int i = 0; i < S.size();) {
        if (S[i] != C) {
            ++i;
            continue;
        }
        int j = i;
        while (j < S.size() && S[j] == C)
            ++j;
        if ((j - i) % 2 == 1 || j == S.size()) {
            Pos = j; // 1-based position of the run's last character
            return true;
        }
        i = j;
    }
    return false;
}

int CountOddRuns(QChar C, const QString& S)
{
    int count = 0;
    int offset = 0;
    int pos = 0;
    while (OddRunEnd(C, QStringView(S).mid(offset), pos)) {
        ++count;
        offset += pos;
    }
    return count;
}

int CountChar(QChar C, const QString& S)
{
    return static_cast<int>(S.count(C));
}

int CharPos(QChar C, const QString& S)
{
    return static_cast<int>(S.indexOf(C)) + 1;
}

void FillChars(QString& S, QChar C)
{
    S.fill(C);
}

void OemToAnsiStr(QString& S)
{
    QString text;
    for (const QChar c : S) {
        if (c.unicode() > 0xFF) {
            text += c;
            continue;
        }
        const char32_t code = Cp850ParaUnicode(static_cast<std::uint8_t>(c.unicode()));
        text += QString::fromUcs4(&code, 1);
    }
    S = text;
}

int PosUpper(const QString& Sub, const QString& S)
{
    return static_cast<int>(S.toUpper().indexOf(Sub)) + 1;
}

QString CapitalizeName(const QString& S)
{
    QString name = S;
    for (int i = 0; i < name.size(); ++i) {
        const bool wordStart = i == 0 || IsNameBreak(name[i - 1]);
        const bool afterMc = i >= 2 && name[i - 2].toUpper() == 'M' && name[i - 1].toLower() == 'c'
                             && (i == 2 || IsNameBreak(name[i - 3]));
        name[i] = wordStart || afterMc ? name[i].toUpper() : name[i].toLower();
    }
    // Roman numerals after a name stay capitals.
    if (name.endsWith(QStringLiteral(" Ii")))
        name[name.size() - 1] = 'I';
    return name;
}

int ClampToLimits(int Value, int Min, int Max)
{
    if (Min == Max)
        return Value;
    if (Max > 0 && Value > Max)
        return Max;
    return Value;
}

int IntMax(int A, int B)
{
    return A > B ? A : B;
}

int IntMin(int A, int B)
{
    return A < B ? A : B;
}

bool PtInRectIncl(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

TColor DarkenColor(TColor Color)
{
    const QColor rgb = ToQColor(Color);
    return (rgb.red() / 2) | ((rgb.green() / 2) << 8) | ((rgb.blue() / 2) << 16);
}

void DrawTransparentBitmap(TCanvas& Canvas, const QImage& Bitmap, TColor Color, const TRect& R)
{
    if (Bitmap.isNull() || !Canvas.Painter())
        return;
    QImage image = Bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, 0);
    const QRgb background = ToQColor(Color).rgba();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == key)
                line[x] = Color == clNone ? qRgba(0, 0, 0, 0) : background;
    }
    Canvas.Painter()->drawImage(R.ToQRect(), image);
}

QImage BitmapResource(const QString& Name)
{
    return QImage(QStringLiteral(":/grid/%1.png").arg(Name.toUpper()));
}

void DrawBitmapResource(TCanvas& Canvas, TColor Color, const TRect& R, const QString& Name)
{
    DrawTransparentBitmap(Canvas, BitmapResource(Name), Color, R);
}

void DrawErrorZigzag(TCanvas& Canvas, const QString& Text, int Count, int From, int Offset, const TRect& R)
{
    QPainter* painter = Canvas.Painter();
    if (!painter || Count <= 0 || From < 1)
        return;
    const QFontMetrics metrics(Canvas.Font.ToQFont(painter->font()));
    const int left = R.Left + Offset + metrics.horizontalAdvance(Text.left(From - 1));
    const int right = R.Left + Offset + metrics.horizontalAdvance(Text.left(From - 1 + Count));
    const int bottom = IntMin(R.Bottom - 1, R.Top + metrics.height());
    painter->save();
    QPen pen(ToQColor(clRed));
    pen.setWidth(2);
    painter->setPen(pen);
    painter->setClipRect(R.ToQRect(), Qt::IntersectClip);
    bool up = false;
    for (int x = left; x < right; x += 3, up = !up)
        painter->drawLine(x, up ? bottom : bottom - 3, x + 3, up ? bottom - 3 : bottom);
    painter->restore();
}
