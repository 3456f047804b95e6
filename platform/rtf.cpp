#include "platform/rtf.h"

#include "image/cp1252.h"
#include "platform/formatting.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string_view>

namespace {

constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kParagraphSeparator = 0x2029;

// Groups nested deeper than this are skipped whole (their braces still
// count), so that a hostile file cannot make the reader's stack grow
// without bound.
constexpr std::size_t kMaxDepth = 512;

// Destinations whose text is not document text.
constexpr std::array<std::string_view, 30> kSkippedDestinations = {
    "author", "buptim", "comment", "creatim", "datastore", "doccomm", "factoidname", "filetbl", "fldinst",
    "footer", "footerf", "footerl", "footerr", "footnote", "generator", "header", "headerf", "headerl",
    "headerr", "info", "keywords", "listoverridetable", "listtable", "object", "operator", "pict", "revtbl",
    "rsidtbl", "stylesheet", "themedata",
};

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
    RtfCharFormat format;
    RtfAlignment alignment = RtfAlignment::Left;
    int uc = 1;
    Destination destination = Destination::Text;
};

class Reader {
public:
    explicit Reader(const QByteArray& rtf) : in_(rtf) {}

    RtfDocument Read()
    {
        stack_.push_back({});
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            switch (c) {
            case '{': OpenGroup(); break;
            case '}': CloseGroup(); break;
            case '\\': ControlWord(); break;
            case '\r':
            case '\n': break;
            default: Character(static_cast<std::uint8_t>(c)); break;
            }
        }
        FixSurrogates();
        doc_.Normalize();
        return doc_;
    }

private:
    GroupState& State() { return stack_.back(); }

    void OpenGroup()
    {
        skip_ = 0;
        if (overflow_ > 0 || stack_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(stack_.back());
    }

    void CloseGroup()
    {
        skip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.back().destination == Destination::FontTable)
            CommitFontName();
        if (stack_.size() > 1)
            stack_.pop_back();
    }

    bool Skipping() const { return overflow_ > 0 || stack_.back().destination == Destination::Skip; }

    // A character of the fallback text after \uN is dropped.
    bool TakeFallback()
    {
        if (skip_ <= 0)
            return false;
        --skip_;
        return true;
    }

    void Character(std::uint8_t byte)
    {
        if (TakeFallback())
            return;
        Emit(static_cast<char32_t>(Cp1252ParaUnicode(byte)));
    }

    void Emit(char32_t ch)
    {
        if (Skipping())
            return;
        switch (State().destination) {
        case Destination::FontTable:
            if (ch == U';' && !escaped_)
                CommitFontName();
            else if (ch >= 0x20 && ch < 0x10000)
                fontName_ += QChar(static_cast<char16_t>(ch));
            return;
        case Destination::ColorTable:
            if (ch == U';') {
                colors_.push_back(colorDefined_ ? QColor(red_, green_, blue_) : QColor());
                colorDefined_ = false;
                red_ = green_ = blue_ = 0;
            }
            return;
        default: break;
        }
        if (ch == kParagraphSeparator) {
            NewParagraph();
            return;
        }
        if (ch < 0x20 && ch != U'\t')
            return;
        if (ch >= 0x10000)
            return; // \u gives 16-bit units only
        AppendText(QString(QChar(static_cast<char16_t>(ch))));
    }

    void AppendText(const QString& text)
    {
        auto& runs = doc_.paragraphs.back().runs;
        if (runs.empty() || !(runs.back().format == State().format))
            runs.push_back({QString(), State().format});
        runs.back().text += text;
    }

    void NewParagraph()
    {
        doc_.paragraphs.push_back({State().alignment, {}});
    }

    void SetAlignment(RtfAlignment alignment)
    {
        State().alignment = alignment;
        if (!Skipping() && State().destination == Destination::Text)
            doc_.paragraphs.back().alignment = alignment;
    }

    void CommitFontName()
    {
        if (fontNumber_ >= 0)
            fonts_[fontNumber_] = fontName_.trimmed();
        fontNumber_ = -1;
        fontName_.clear();
    }

    QColor ColorAt(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < colors_.size() ? colors_[static_cast<std::size_t>(index)]
                                                                             : QColor();
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    static int HexValue(char c)
    {
        if (IsDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void ControlWord()
    {
        if (pos_ >= in_.size())
            return;
        const char first = in_[pos_];
        if (!IsLetter(first)) {
            ++pos_;
            ControlSymbol(first);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) {
            if (word.size() < 32)
                word += in_[pos_];
            ++pos_;
        }
        bool hasParam = false;
        bool negative = false;
        std::int64_t param = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParam = true;
            param = std::min<std::int64_t>(param * 10 + (in_[pos_] - '0'), 0x7FFFFFFF);
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        const int value = static_cast<int>(negative ? -param : param);
        Word(word, hasParam, value);
    }

    void ControlSymbol(char symbol)
    {
        switch (symbol) {
        case '\'': {
            const int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
            const int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
            if (high < 0 || low < 0)
                return;
            pos_ += 2;
            escaped_ = true;
            Character(static_cast<std::uint8_t>(high * 16 + low));
            escaped_ = false;
            return;
        }
        case '\\':
        case '{':
        case '}':
            escaped_ = true;
            Character(static_cast<std::uint8_t>(symbol));
            escaped_ = false;
            return;
        case '~':
            if (!TakeFallback())
                Emit(0xA0);
            return;
        case '_':
            if (!TakeFallback())
                Emit(0x2011);
            return;
        case '*':
            State().destination = Destination::Skip;
            return;
        case '\r':
        case '\n':
            if (!TakeFallback())
                Emit(kParagraphSeparator);
            return;
        default: TakeFallback(); return;
        }
    }

    void Word(const std::string& word, bool hasParam, int value)
    {
        if (word == "u") {
            // A 16-bit unit, negative above 32767, then the fallback.
            if (TakeFallback())
                return;
            Emit(static_cast<char32_t>(static_cast<std::uint16_t>(value)));
            skip_ = State().uc;
            return;
        }
        if (TakeFallback())
            return;
        GroupState& s = State();
        RtfCharFormat& f = s.format;
        const bool on = !hasParam || value != 0;
        if (word == "fonttbl")
            s.destination = Destination::FontTable;
        else if (word == "colortbl")
            s.destination = Destination::ColorTable;
        else if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) != kSkippedDestinations.end())
            s.destination = Destination::Skip;
        else if (word == "uc")
            s.uc = std::clamp(value, 0, 16);
        else if (word == "f") {
            if (s.destination == Destination::FontTable) {
                CommitFontName();
                fontNumber_ = value;
            } else {
                const auto it = fonts_.find(value);
                f.font = it == fonts_.end() ? QString() : it->second;
            }
        } else if (word == "red" || word == "green" || word == "blue") {
            const int component = std::clamp(value, 0, 255);
            (word == "red" ? red_ : word == "green" ? green_ : blue_) = component;
            colorDefined_ = true;
        } else if (word == "b")
            f.bold = on;
        else if (word == "i")
            f.italic = on;
        else if (word == "ul")
            f.underline = on;
        else if (word == "ulnone")
            f.underline = false;
        else if (word == "strike")
            f.strike = on;
        else if (word == "fs") {
            if (hasParam && value > 0 && value <= 3276)
                f.halfPoints = value;
        } else if (word == "cf")
            f.color = ColorAt(value);
        else if (word == "cb" || word == "highlight")
            f.background = ColorAt(value);
        else if (word == "plain")
            f = RtfCharFormat();
        else if (word == "par")
            Emit(kParagraphSeparator);
        else if (word == "line")
            Emit(kLineSeparator);
        else if (word == "tab")
            Emit(U'\t');
        else if (word == "pard")
            SetAlignment(RtfAlignment::Left);
        else if (word == "ql")
            SetAlignment(RtfAlignment::Left);
        else if (word == "qr")
            SetAlignment(RtfAlignment::Right);
        else if (word == "qc")
            SetAlignment(RtfAlignment::Center);
        else if (word == "qj")
            SetAlignment(RtfAlignment::Justify);
        else if (word == "emdash")
            Emit(0x2014);
        else if (word == "endash")
            Emit(0x2013);
        else if (word == "bullet")
            Emit(0x2022);
        else if (word == "lquote")
            Emit(0x2018);
        else if (word == "rquote")
            Emit(0x2019);
        else if (word == "ldblquote")
            Emit(0x201C);
        else if (word == "rdblquote")
            Emit(0x201D);
        // \rtf1, \ansi, \ansicpg1252, \deff and every other word: nothing to do.
    }

    // A surrogate without its partner is no character: it becomes U+FFFD.
    void FixSurrogates()
    {
        for (auto& paragraph : doc_.paragraphs)
            for (auto& run : paragraph.runs) {
                QString& t = run.text;
                for (qsizetype i = 0; i < t.size(); ++i) {
                    if (t[i].isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate())
                        ++i;
                    else if (t[i].isSurrogate())
                        t[i] = QChar(QChar::ReplacementCharacter);
                }
            }
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    std::vector<GroupState> stack_;
    std::size_t overflow_ = 0;
    int skip_ = 0;
    // The character at hand was escaped (\'hh, \\, \{, \}): never a
    // separator of the font table.
    bool escaped_ = false;
    RtfDocument doc_;
    std::map<int, QString> fonts_;
    int fontNumber_ = -1;
    QString fontName_;
    std::vector<QColor> colors_;
    bool colorDefined_ = false;
    int red_ = 0, green_ = 0, blue_ = 0;
};

// ---- writing

void AppendEscaped(QByteArray& out, const QString& text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == kLineSeparator) {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x7F && u != ';') {
            out += static_cast<char>(u);
        } else if (u < 0x20) {
            // Control characters are no text.
        } else if (const auto byte = UnicodeParaCp1252(u)) {
            out += QByteArray("\\'") + QByteArray::number(*byte, 16).rightJustified(2, '0');
        } else {
            out += "\\u" + QByteArray::number(static_cast<std::int16_t>(u)) + '?';
        }
    }
}

const char* AlignmentWord(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Right: return "\\qr";
    case RtfAlignment::Center: return "\\qc";
    case RtfAlignment::Justify: return "\\qj";
    default: return "\\ql";
    }
}

template <typename T>
int IndexOf(std::vector<T>& list, const T& value)
{
    auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end()) {
        list.push_back(value);
        return static_cast<int>(list.size()) - 1;
    }
    return static_cast<int>(it - list.begin());
}

} // namespace

QString RtfDocument::PlainText() const
{
    QString text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += '\n';
        for (const RtfRun& run : paragraphs[i].runs)
            text += run.text;
    }
    return text;
}

void RtfDocument::Normalize()
{
    if (paragraphs.empty())
        paragraphs.resize(1);
    for (auto& paragraph : paragraphs) {
        std::vector<RtfRun> runs;
        for (auto& run : paragraph.runs) {
            if (run.text.isEmpty())
                continue;
            if (!runs.empty() && runs.back().format == run.format)
                runs.back().text += run.text;
            else
                runs.push_back(std::move(run));
        }
        paragraph.runs = std::move(runs);
    }
}

RtfDocument ReadRtf(const QByteArray& rtf)
{
    return Reader(rtf).Read();
}

QByteArray WriteRtf(const RtfDocument& document)
{
    // Font 0 is the default font; colour 0 is "automatic".
    std::vector<QString> fonts{QString()};
    std::vector<QRgb> colors;
    for (const auto& paragraph : document.paragraphs)
        for (const auto& run : paragraph.runs) {
            IndexOf(fonts, run.format.font);
            if (run.format.color.isValid())
                IndexOf(colors, run.format.color.rgb());
            if (run.format.background.isValid())
                IndexOf(colors, run.format.background.rgb());
        }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(static_cast<int>(i)) + "\\fnil ";
        AppendEscaped(out, fonts[i]);
        out += ";}";
    }
    out += "}{\\colortbl;";
    for (const QRgb c : colors)
        out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) + "\\blue"
               + QByteArray::number(qBlue(c)) + ";";
    out += "}\n";
    for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
        const RtfParagraph& paragraph = document.paragraphs[p];
        if (p > 0)
            out += "\\par\n";
        out += "\\pard";
        out += AlignmentWord(paragraph.alignment);
        for (const RtfRun& run : paragraph.runs) {
            const RtfCharFormat& f = run.format;
            out += "\\plain\\f" + QByteArray::number(IndexOf(fonts, f.font)) + "\\fs" + QByteArray::number(f.halfPoints);
            if (f.bold)
                out += "\\b";
            if (f.italic)
                out += "\\i";
            if (f.underline)
                out += "\\ul";
            if (f.strike)
                out += "\\strike";
            if (f.color.isValid())
                out += "\\cf" + QByteArray::number(IndexOf(colors, f.color.rgb()) + 1);
            if (f.background.isValid())
                out += "\\cb" + QByteArray::number(IndexOf(colors, f.background.rgb()) + 1);
            out += ' ';
            AppendEscaped(out, run.text);
        }
    }
    out += "}";
    return out;
}

bool IsRtfText(const QString& text)
{
    return text.startsWith(QLatin1String("{\\"));
}
