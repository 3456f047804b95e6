#include "grid/esghtmle.h"

#include "grid/extutil.h"
#include "grid/extxpvs.h"
#include "grid/picturecontainer.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

struct NamedColor {
    const char* name;
    TColor color;
};

constexpr NamedColor kFixedColors[] = {
    {"clred", 0x0000FF},   {"clblack", 0x000000},  {"clblue", 0xFF0000},    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},  {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},  {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},    {"clolive", 0x008080},
    {"clnavy", 0x800000},  {"clpurple", 0x800080}, {"clteal", 0x808000},    {"clmaroon", 0x000080},
};

constexpr const char* kSystemColorNames[] = {
    "clbackground", "clactivecaption", "clinactivecaption", "clmenu", "clwindow", "clwindowframe",
    "clmenutext", "clwindowtext", "clcaptiontext", "clactiveborder", "clinactiveborder", "clappworkspace",
    "clhighlight", "clhighlighttext", "clbtnface", "clbtnshadow", "clgraytext", "clbtntext",
    "clinactivecaptiontext", "clbtnhighlight", "cl3ddkshadow", "cl3dlight", "clinfotext", "clinfobk",
};

// Character references replaced before layout; "&amp;" becomes "&&", which
// the text drawing shows as one "&".
struct Reference {
    const char* text;
    char16_t character;
};

constexpr Reference kReferences[] = {
    {"&amp;", 0},         {"&quot;", u'"'},     {"&sect;", u'\u00A7'}, {"&permil;", u'\u2030'},
    {"&reg;", u'\u00AE'}, {"&copy;", u'\u00A9'}, {"&para;", u'\u00B6'}, {"&trade;", u'\u2122'},
    {"&euro;", u'\u20AC'},
};

// A decimal number of an attribute; 0 when it is not one or does not fit.
int ToNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

// The value of attribute name (upper case) in a tag: the text between the
// first pair of double quotes after it. The name is found in the tag as
// written, regardless of case (an upper-cased copy may be longer: "ß"
// becomes "SS", and its positions would not be the tag's).
std::optional<QString> Attribute(const QString& tag, const char* name)
{
    const QString key = QString::fromLatin1(name);
    qsizetype from = 0;
    while (true) {
        const qsizetype at = tag.indexOf(key, from, Qt::CaseInsensitive);
        if (at < 0)
            return std::nullopt;
        from = at + 1;
        // Only a whole word followed by "=" names the attribute.
        if (at > 0 && tag[at - 1].isLetterOrNumber())
            continue;
        qsizetype i = at + key.size();
        while (i < tag.size() && tag[i] == ' ')
            ++i;
        if (i >= tag.size() || tag[i] != '=')
            continue;
        const qsizetype open = tag.indexOf('"', i);
        if (open < 0)
            return std::nullopt;
        const qsizetype close = tag.indexOf('"', open + 1);
        if (close < 0)
            return std::nullopt;
        return tag.mid(open + 1, close - open - 1);
    }
}

// A tag whose first letters are BR ends the line.
bool IsLineBreak(const QString& tag)
{
    return tag.startsWith(QStringLiteral("BR"), Qt::CaseInsensitive);
}

QString DecodeRun(QString text)
{
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return text;
}

// The text as the platform's text drawing shows it: "&&" is one "&", a single
// "&" marks the next character as an accelerator and is not shown.
QString ShownText(const QString& text)
{
    if (!text.contains('&'))
        return text;
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        shown += text[i];
    }
    return shown;
}

TColor ReadColor(const QString& value)
{
    if (value.startsWith('#'))
        return HTMLHexColor(value);
    return HTMLColorByName(value.toLower());
}

constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextExpandTabs;

// The advance of a run, tabs expanded.
int WidthIn(const QFontMetrics& metrics, const QString& text)
{
    return text.contains('\t') ? metrics.size(kTextFlags, text).width() : metrics.horizontalAdvance(text);
}
constexpr int kFontSizes[] = {8, 10, 12, 14, 16};
// Font sizes in points beyond this are taken as this, so that no markup asks
// the font engine for glyphs of absurd size.
constexpr int kLargestFontSize = 400;

enum class Align { Left, Right, Center };

// Everything the tags change, copied at the start of a line so that the
// measuring and the drawing pass of the line begin alike.
struct State {
    TFont font;
    TColor brush = clNone;
    TColor keptBrush = clNone;        // brush before FONT BGCOLOR / P
    TColor keptHiBrush = clNone;      // brush before HI
    TColor keptHiFont = clBlack;      // font colour before HI
    TColor keptAnchorBrush = clNone;  // brush before an anchor's hover colour
    TColor background = clWindow;     // base background (BODY BGCOLOR)
    int angle = 0;                    // rotated text, tenths of a degree
    bool inAnchor = false;
    QString anchorTarget;
    int anchorStartX = 0;
    bool hidden = false;
    bool errorMark = false;
    bool shadow = false;
    bool sub = false;
    bool sup = false;
    int listLevel = 0;
    Align align = Align::Left;
    int indent = 0;
    int links = 0;    // anchors seen so far
    int items = 0;    // pictures and controls seen so far
};

// What the measuring pass of a line reports.
struct LineMetrics {
    qsizetype consumed = 0;
    int width = 0;
    int height = 0;
    int superHeight = 0;
    int subDepth = 0;
    Align align = Align::Left;
    int indent = 0;
    // A picture on the line aligned "TOP" (the text moves up by the line
    // height less its own) or "MIDDLE" (half of that).
    enum { Bottom, Top, Middle } textAlign = Bottom;
};

enum class PassMode { Measure, HitTest, Draw };

class Renderer {
public:
    Renderer(TCanvas& canvas, const THTMLDrawInput& in, THTMLDrawOutput& out)
        : canvas_(canvas), in_(in), out_(out), painter_(canvas.Painter())
    {
    }

    bool Run();

private:
    QFont CurrentQFont() const { return FontOf(state_.font); }
    QFont FontOf(const TFont& font) const
    {
        const QFont base = painter_ ? painter_->font() : QFont();
        return font.ToQFont(base);
    }
    int TextHeight(const TFont& font) const { return QFontMetrics(FontOf(font)).height(); }
    int TextWidth(const QString& text) const
    {
        return WidthIn(QFontMetrics(CurrentQFont()), text);
    }

    LineMetrics Pass(PassMode mode, const QString& text, int x, int lineTop, int lineBottom, const LineMetrics& line);
    void HandleTag(PassMode mode, const QString& tag, int& x, int lineTop, int lineBottom, const LineMetrics& line,
                   LineMetrics& metrics, bool& lineEnds, bool& tagStays, int lineStartX);
    void DrawRun(const QString& shown, int x, int bottom, int width, int lineTop, int lineBottom);
    void DrawControl(const QString& type, const QString& value, const TRect& box, bool hot);
    // A picture's graphic for an IMG source, or nothing.
    struct Picture {
        TGraphic* graphic = nullptr;
        TImageList* list = nullptr;
        int listIndex = -1;
        TIcon icon;
        int width = 0;
        int height = 0;
    };
    bool FindPicture(const QString& source, Picture& picture);
    void FillBrush(const TRect& r);
    int PixelsPerInchX() const { return CanvasPixelsPerInchX(canvas_); }
    int PixelsPerInchY() const { return CanvasPixelsPerInchY(canvas_); }
    bool PointerIn(const TRect& r) const
    {
        return in_.X >= r.Left && in_.X < r.Right && in_.Y >= r.Top && in_.Y < r.Bottom;
    }

    TCanvas& canvas_;
    const THTMLDrawInput& in_;
    THTMLDrawOutput& out_;
    QPainter* painter_;
    State state_;
    TFont baseFont_;
    bool result_ = false;
    int hoverItem_ = -1;       // picture or control found under the pointer
    bool charsCounted_ = false;
    bool liSeen_ = false;       // a list item on the line in this pass
    bool themed_ = false;
};

void Renderer::FillBrush(const TRect& r)
{
    if (painter_ && state_.brush != clNone)
        painter_->fillRect(r.ToQRect(), ToQColor(state_.brush));
}

bool Renderer::Run()
{
    baseFont_ = canvas_.Font;
    state_.font = baseFont_;
    const TColor savedBrush = canvas_.Brush.Style == bsClear ? clNone : canvas_.Brush.Color;
    state_.background = savedBrush == clNone ? clWindow : savedBrush;
    themed_ = ThemedDrawing();
    out_ = THTMLDrawOutput{};

    QString text = in_.Markup;
    if (text.contains('&')) {
        for (bool changed = true; changed;) {
            changed = false;
            for (const Reference& ref : kReferences) {
                const QString with = ref.character ? QString(QChar(ref.character)) : QStringLiteral("&&");
                const QString before = text;
                text.replace(QString::fromLatin1(ref.text), with);
                changed = changed || text != before;
            }
        }
    }
    const qsizetype field = text.indexOf(QStringLiteral("<#"));
    if (field >= 0) {
        const qsizetype close = text.indexOf('>', field);
        if (close >= 0) {
            text.remove(close, 1);
            text.remove(field, 1);
        }
    }
    text.remove('\n');
    text.replace('\r', QStringLiteral("<BR>"));

    int top = in_.Rect.Top;
    const int width = in_.Rect.Width();
    while (!text.isEmpty()) {
        const State lineStart = state_;
        LineMetrics base;
        base.height = TextHeight(state_.font);
        LineMetrics line = Pass(PassMode::Measure, text, in_.Rect.Left, top, top, base);
        if (line.consumed <= 0)
            line.consumed = text.size();
        const QString consumed = text.left(line.consumed);
        text.remove(0, line.consumed);

        int left = in_.Rect.Left;
        if (line.align == Align::Right)
            left = std::max(left, in_.Rect.Right - line.width);
        else if (line.align == Align::Center)
            left = std::max(left, in_.Rect.Left + (width - line.width) / 2);
        left += line.indent;
        const int lineTop = top;
        const int lineBottom = top + line.superHeight + line.height;

        if (!in_.CheckOnly) {
            // The pointer first (a hover picture is chosen before drawing),
            // then the drawing.
            const State afterMeasure = state_;
            state_ = lineStart;
            Pass(PassMode::HitTest, consumed, left, lineTop, lineBottom, line);
            if (!in_.CheckHotSpot) {
                state_ = lineStart;
                Pass(PassMode::Draw, consumed, left, lineTop, lineBottom, line);
            }
            state_ = afterMeasure;
        }
        const int advance = line.height + line.superHeight + line.subDepth;
        top += advance;
        out_.YSize += advance;
        out_.XSize = std::max(out_.XSize, line.width);
        if (!in_.CheckOnly && top + TextHeight(state_.font) > in_.Rect.Bottom)
            break;
    }
    out_.YSize = std::max(out_.YSize, QFontMetrics(FontOf(baseFont_)).height());
    out_.HyperLinks = state_.links;
    canvas_.Font = baseFont_;
    return result_;
}

LineMetrics Renderer::Pass(PassMode mode, const QString& text, int x, int lineTop, int lineBottom,
                           const LineMetrics& line)
{
    LineMetrics metrics = line;
    if (mode == PassMode::Measure) {
        metrics.width = 0;
        metrics.superHeight = metrics.subDepth = 0;
        metrics.align = state_.align;
        metrics.indent = state_.indent;
    }
    const int startX = x;
    const int available = in_.Rect.Width();
    liSeen_ = false;
    int lineChars = 0;
    qsizetype pos = 0;
    bool lineEnds = false;
    QString placed; // text placed on the line so far, for the trailing blank
    int lastBlankWidth = 0;
    while (pos < text.size() && !lineEnds) {
        // The next run: up to the next "<" (with word wrap, up to and
        // including a blank that comes first).
        qsizetype end = text.indexOf('<', pos);
        if (end < 0)
            end = text.size();
        if (in_.WordWrap) {
            const qsizetype blank = text.indexOf(' ', pos);
            if (blank >= 0 && blank < end)
                end = blank + 1;
        }
        if (end > pos) {
            const QString run = DecodeRun(text.mid(pos, end - pos));
            const QString shown = ShownText(run);
            if (mode == PassMode::Measure)
                out_.StrippedText += shown;
            if (state_.hidden) {
                pos = end;
                continue;
            }
            const int height = TextHeight(state_.font);
            const int quarter = height / 4;
            const int width = TextWidth(shown);
            if (mode == PassMode::Measure) {
                if (in_.WordWrap && x - startX + width > available && width <= available
                    && placed.endsWith(' ')) {
                    // Does not fit: the line ends before this run.
                    out_.StrippedText.chop(shown.size());
                    break;
                }
                metrics.height = std::max(metrics.height, height);
                if (state_.sup)
                    metrics.superHeight = std::max(metrics.superHeight, quarter);
                if (state_.sub)
                    metrics.subDepth = std::max(metrics.subDepth, quarter);
            } else {
                int bottom = lineBottom;
                if (line.textAlign == LineMetrics::Top)
                    bottom -= line.height - height;
                else if (line.textAlign == LineMetrics::Middle)
                    bottom -= (line.height - height) / 2;
                if (state_.sup)
                    bottom -= quarter;
                if (state_.sub)
                    bottom += quarter;
                const TRect band{x, lineTop, x + width, lineBottom + line.subDepth};
                if (mode == PassMode::HitTest && PointerIn(band)) {
                    if (!charsCounted_) {
                        charsCounted_ = true;
                        const QFontMetrics fm(CurrentQFont());
                        int fit = 0;
                        while (fit < shown.size()
                               && x + WidthIn(fm, shown.left(fit + 1)) <= in_.X)
                            ++fit;
                        out_.CharsLeftOfPointer = lineChars + fit;
                    }
                    if (state_.inAnchor) {
                        result_ = true;
                        out_.Anchor = state_.anchorTarget;
                        out_.MouseLink = state_.links;
                    }
                }
                if (mode == PassMode::Draw)
                    DrawRun(shown, x, bottom, width, lineTop, lineBottom);
            }
            lineChars += static_cast<int>(shown.size());
            placed += shown;
            lastBlankWidth = shown.endsWith(' ') ? TextWidth(QStringLiteral(" ")) : 0;
            x += width;
            pos = end;
            continue;
        }
        // A tag at the front.
        qsizetype close = text.indexOf('>', pos);
        const qsizetype tagEnd = close < 0 ? text.size() : close + 1;
        const QString tag = text.mid(pos + 1, (close < 0 ? text.size() : close) - pos - 1);
        bool tagStays = false;
        HandleTag(mode, tag, x, lineTop, lineBottom, line, metrics, lineEnds, tagStays, startX);
        if (tagStays)
            break;
        pos = tagEnd;
        if (IsLineBreak(tag) && mode == PassMode::Measure)
            out_.StrippedText += '\r';
        if (mode == PassMode::Measure)
            lastBlankWidth = 0;
    }
    if (mode == PassMode::Measure) {
        metrics.consumed = pos;
        metrics.width = x - startX - lastBlankWidth;
    }
    if (mode == PassMode::Draw && state_.inAnchor && state_.links == in_.FocusLink + 1 && painter_)
        canvas_.DrawFocusRect({state_.anchorStartX - 1, lineTop, x + 1, lineBottom + line.subDepth});
    if (mode == PassMode::HitTest && state_.inAnchor && out_.MouseLink == state_.links && result_)
        out_.HoverRect = {state_.anchorStartX, lineTop, x, lineBottom + line.subDepth};
    return metrics;
}

void Renderer::DrawRun(const QString& shown, int x, int bottom, int width, int lineTop, int lineBottom)
{
    if (!painter_)
        return;
    const QFont font = CurrentQFont();
    const QFontMetrics fm(font);
    const int height = fm.height();
    QString drawn = shown;
    int drawnWidth = width;
    if (!in_.WordWrap && x + width > in_.Rect.Right) {
        drawnWidth = std::max(0, in_.Rect.Right - x);
        drawn = fm.elidedText(shown, Qt::ElideRight, drawnWidth, kTextFlags);
    }
    FillBrush({x, lineTop, x + drawnWidth, lineBottom});
    painter_->save();
    painter_->setFont(font);
    auto textAt = [&](int left, int base, TColor color) {
        painter_->setPen(ToQColor(color));
        if (state_.angle != 0) {
            painter_->save();
            painter_->translate(left, base);
            painter_->rotate(-state_.angle / 10.0);
            painter_->drawText(QRect(0, -height, drawnWidth + 1, height), kTextFlags | Qt::AlignLeft | Qt::AlignBottom,
                               drawn);
            painter_->restore();
            return;
        }
        painter_->drawText(QRect(left, base - height, drawnWidth + 1, height),
                           kTextFlags | Qt::AlignLeft | Qt::AlignBottom, drawn);
    };
    if (state_.shadow && in_.ShadowColor != clNone)
        textAt(x + in_.ShadowOffset, bottom + in_.ShadowOffset, in_.ShadowColor);
    textAt(x, bottom, state_.font.Color);
    if (state_.errorMark) {
        QPen pen(ToQColor(clRed));
        painter_->setPen(pen);
        bool above = true;
        for (int px = x & ~1; px < x + drawnWidth; px += 2, above = !above)
            painter_->drawLine(px, above ? bottom - 1 : bottom + 1, px + 2, above ? bottom + 1 : bottom - 1);
    }
    painter_->restore();
}

void Renderer::DrawControl(const QString& type, const QString& value, const TRect& box, bool hot)
{
    if (!painter_)
        return;
    painter_->save();
    painter_->setFont(CurrentQFont());
    const QFontMetrics fm(painter_->font());
    auto frame = [&](const TRect& r) {
        painter_->setPen(ToQColor(0x808080));
        painter_->setBrush(Qt::NoBrush);
        painter_->drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    };
    auto valueIn = [&](const TRect& r, int flags) {
        painter_->setPen(ToQColor(state_.font.Color));
        painter_->drawText(r.ToQRect(), flags | Qt::TextSingleLine, value);
    };
    auto themedPart = [&](const char* cls, int part, int stateNumber, const TRect& r) {
        HTHEME theme = OpenThemeData(in_.Window, cls);
        DrawThemeBackground(theme, canvas_, part, stateNumber, r, nullptr);
        CloseThemeData(theme);
    };
    const bool checked = value.compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0;
    if (type == "EDIT" || type == "COMBO") {
        frame(box);
        const int textRight = box.Right - (type == "COMBO" ? 17 : 0);
        valueIn({box.Left + 2, box.Top, textRight, box.Bottom}, Qt::AlignLeft | Qt::AlignVCenter);
        if (type == "COMBO") {
            // 16 wide, the line's height less 8 high.
            const TRect button{box.Right - 17, box.Top + 4, box.Right - 1, box.Bottom - 4};
            if (themed_)
                themedPart("combobox", CP_DROPDOWNBUTTON, hot ? CBXS_HOT : CBXS_NORMAL, button);
            else
                DrawFrameControl(canvas_, button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        }
    } else if (type == "CHECK") {
        const TRect r{box.Left + 1, box.Top + 1, box.Left + 14, box.Top + 16}; // 13 x 15
        if (themed_)
            themedPart("button", BP_CHECKBOX, checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, r);
        else
            DrawFrameControl(canvas_, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? unsigned(DFCS_CHECKED) : 0u));
    } else if (type == "RADIO") {
        const TRect r{box.Left + 2, box.Top + 2, box.Left + 14, box.Top + 16}; // 12 x 14
        if (themed_) {
            int s = hot && in_.Down ? RBS_UNCHECKEDPRESSED : hot ? RBS_UNCHECKEDHOT : RBS_UNCHECKEDNORMAL;
            if (checked)
                s += 4;
            themedPart("button", BP_RADIOBUTTON, s, r);
        } else {
            DrawFrameControl(canvas_, r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (checked ? unsigned(DFCS_CHECKED) : 0u));
        }
    } else if (type == "BUTTON") {
        const TRect r{box.Left + 2, box.Top + 2, box.Right - 2, box.Top + 22};
        if (themed_)
            themedPart("button", BP_PUSHBUTTON, hot && in_.Down ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL, r);
        else
            DrawFrameControl(canvas_, r, DFC_BUTTON, DFCS_BUTTONPUSH | (hot && in_.Down ? unsigned(DFCS_PUSHED) : 0u));
        valueIn({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, Qt::AlignCenter);
    }
    painter_->restore();
}

bool Renderer::FindPicture(const QString& source, Picture& picture)
{
    const QString upper = source.toUpper();
    const double scaleX = PixelsPerInchX() / 96.0;
    const double scaleY = PixelsPerInchY() / 96.0;
    if (upper.startsWith(QStringLiteral("IDX:"))) {
        bool isNumber = false;
        const int index = source.mid(4).trimmed().toInt(&isNumber);
        if (!isNumber || !in_.Images || index < 0 || index >= in_.Images->Count())
            return false;
        picture.list = in_.Images;
        picture.listIndex = index;
        picture.width = static_cast<int>(in_.Images->Width * scaleX);
        picture.height = static_cast<int>(in_.Images->Height * scaleY);
        return true;
    }
    if (upper.startsWith(QStringLiteral("SSYS:")) || upper.startsWith(QStringLiteral("LSYS:"))) {
        const int size = upper[0] == 'S' ? 16 : 32;
        const QString what = source.mid(5);
        QFileIconProvider provider;
        bool isNumber = false;
        const int index = what.toInt(&isNumber);
        QIcon icon;
        if (isNumber) {
            if (index >= QFileIconProvider::Computer && index <= QFileIconProvider::File)
                icon = provider.icon(static_cast<QFileIconProvider::IconType>(index));
        } else {
            const QFileInfo info(what);
            icon = info.exists() ? provider.icon(info)
                                 : provider.icon(what.endsWith('/') ? QFileIconProvider::Folder : QFileIconProvider::File);
        }
        if (icon.isNull() || icon.pixmap(size).isNull())
            return false;
        picture.icon.Icon = icon;
        picture.icon.Size = size;
        picture.graphic = &picture.icon;
        picture.width = static_cast<int>(size * scaleX);
        picture.height = static_cast<int>(size * scaleY);
        return true;
    }
    THTMLPicture* found = nullptr;
    if (!source.contains(':')) {
        if (in_.Pictures)
            found = in_.Pictures->FindPicture(upper);
    } else if (source.contains(QStringLiteral("://")) && in_.PictureCache) {
        found = in_.PictureCache->FindPicture(upper);
        if (!found) {
            found = in_.PictureCache->AddPicture();
            found->Asynchronous = false;
            found->SetSourceURL(source);
        }
    }
    if (!found || found->GetEmpty())
        return false;
    picture.graphic = found;
    picture.width = static_cast<int>(found->GetWidth() * scaleX);
    picture.height = static_cast<int>(found->GetHeight() * scaleY);
    return true;
}

void Renderer::HandleTag(PassMode mode, const QString& tag, int& x, int lineTop, int lineBottom,
                         const LineMetrics& line, LineMetrics& metrics, bool& lineEnds, bool& tagStays,
                         int lineStartX)
{
    const QString upper = tag.toUpper();
    if (upper.isEmpty())
        return;
    const bool drawing = mode == PassMode::Draw;
    const bool closing = upper[0] == '/';
    const QString name = closing ? upper.mid(1) : upper;
    if (name.isEmpty())
        return;
    const QChar letter = name[0];
    const QString word = name.section(' ', 0, 0);
    auto attr = [&](const char* key) { return Attribute(tag, key); };
    // FONT, P and BODY read their values in capitals.
    auto attrUpper = [&](const char* key) {
        std::optional<QString> value = Attribute(tag, key);
        if (value)
            *value = value->toUpper();
        return value;
    };

    if (closing) {
        switch (letter.unicode()) {
        case 'A':
            if (state_.inAnchor) {
                if (drawing) {
                    if (state_.links == in_.FocusLink + 1)
                        canvas_.DrawFocusRect({state_.anchorStartX - 1, lineTop, x + 1, lineBottom + line.subDepth});
                    state_.font.Style &= ~fsUnderline;
                    state_.brush = state_.keptAnchorBrush;
                }
                if (!in_.Selected)
                    state_.font.Color = baseFont_.Color;
                if (mode == PassMode::HitTest && result_ && out_.MouseLink == state_.links
                    && out_.Anchor == state_.anchorTarget)
                    out_.HoverRect = {state_.anchorStartX, lineTop, x, lineBottom + line.subDepth};
            }
            state_.inAnchor = false;
            return;
        case 'B':
            if (word == "B")
                state_.font.Style &= ~fsBold;
            else
                state_.font.Color = baseFont_.Color;
            return;
        case 'E': state_.errorMark = false; return;
        case 'F':
            state_.font.Name = baseFont_.Name;
            state_.font.Size = baseFont_.Size;
            if (mode != PassMode::Measure && !in_.Selected) {
                state_.font.Color = baseFont_.Color;
                state_.brush = state_.keptBrush;
            }
            return;
        case 'H':
            if (name.startsWith(QStringLiteral("HI"))) {
                state_.brush = state_.keptHiBrush;
                state_.font.Color = state_.keptHiFont;
            }
            return;
        case 'I': state_.font.Style &= ~fsItalic; return;
        case 'P':
            lineEnds = true;
            state_.brush = state_.keptBrush;
            state_.align = Align::Left;
            state_.indent = 0;
            return;
        case 'R': state_.angle = 0; return;
        case 'S':
            if (word == "S")
                state_.font.Style &= ~fsStrikeOut;
            else if (name.startsWith(QStringLiteral("SH")))
                state_.shadow = false;
            else if (name.startsWith(QStringLiteral("SU")))
                state_.sub = state_.sup = false;
            return;
        case 'U':
            if (word != "U" && state_.listLevel > 0)
                --state_.listLevel;
            else
                state_.font.Style &= ~fsUnderline;
            return;
        case 'Z': state_.hidden = false; return;
        default: return;
        }
    }

    switch (letter.unicode()) {
    case 'A':
        if (!attr("HREF"))
            return;
        ++state_.links;
        state_.inAnchor = true;
        state_.anchorStartX = x;
        {
            const qsizetype open = tag.indexOf('"');
            const qsizetype close = open < 0 ? -1 : tag.indexOf('"', open + 1);
            state_.anchorTarget = close < 0 ? QString() : tag.mid(open + 1, close - open - 1);
        }
        if (drawing) {
            const bool hovered = state_.links == in_.HoverLink;
            if (!in_.HoverStyle || hovered) {
                state_.font.Style |= fsUnderline;
                state_.keptAnchorBrush = state_.brush;
                if (in_.HoverColor != clNone)
                    state_.brush = in_.HoverColor;
                if (in_.HoverFontColor != clNone)
                    state_.font.Color = in_.HoverFontColor;
            } else {
                state_.keptAnchorBrush = state_.brush;
            }
            if (!in_.Selected && !(hovered && in_.HoverStyle && in_.HoverFontColor != clNone))
                state_.font.Color = in_.URLColor;
            if (state_.links == in_.FocusLink + 1)
                out_.FocusAnchor = state_.anchorTarget;
        }
        return;
    case 'B':
        // B alone is bold; the others go by their leading letters ("<BR/>"
        // breaks the line, "<BLINK>" blinks).
        if (word == "B") {
            state_.font.Style |= fsBold;
        } else if (IsLineBreak(word)) {
            lineEnds = true;
        } else if (word.startsWith(QStringLiteral("BL"))) {
            if (!in_.Blink)
                state_.font.Color = state_.background;
        } else if (word == "BODY") {
            if (const auto bg = attrUpper("BGCOLOR")) {
                state_.background = ReadColor(*bg);
                if (drawing && painter_)
                    painter_->fillRect(in_.Rect.ToQRect(), ToQColor(state_.background));
            }
            if (const auto src = attr("BACKGROUND"); src && drawing && painter_) {
                Picture picture;
                if (FindPicture(*src, picture) && picture.width > 0 && picture.height > 0 && picture.graphic) {
                    painter_->save();
                    painter_->setClipRect(in_.Rect.ToQRect(), Qt::IntersectClip);
                    for (int ty = in_.Rect.Top; ty < in_.Rect.Bottom; ty += picture.height)
                        for (int tx = in_.Rect.Left; tx < in_.Rect.Right; tx += picture.width)
                            picture.graphic->Draw(canvas_, {tx, ty, tx + picture.width, ty + picture.height});
                    painter_->restore();
                }
            }
        }
        return;
    case 'C': {
        if (word != "CONTROL")
            return;
        const QString type = attr("TYPE").value_or(QString()).toUpper();
        const QString value = DecodeRun(attr("VALUE").value_or(QString())).replace(QStringLiteral("&&"), "&");
        const int widthAttr = ToNumber(attr("WIDTH").value_or(QString()));
        const int ghHeight = TextHeight(state_.font);
        int w = 0, h = 0;
        if (type == "EDIT")
            w = widthAttr, h = ghHeight + 6;
        else if (type == "COMBO")
            w = widthAttr, h = 25;
        else if (type == "CHECK" || type == "RADIO")
            w = 16, h = 16;
        else if (type == "BUTTON")
            w = widthAttr, h = 24;
        else
            return;
        w = std::clamp(w, 0, 32767);
        ++state_.items;
        if (mode == PassMode::Measure) {
            // As a picture: one that does not fit after what the line holds
            // (text included) starts the next line.
            if (x - lineStartX + w > in_.Rect.Width() && w <= in_.Rect.Width() && x > lineStartX) {
                --state_.items;
                tagStays = true;
                return;
            }
            metrics.height = std::max(metrics.height, h);
            x += w;
            return;
        }
        // The box stands on the line's bottom and is as high as the line.
        const TRect box{x, lineBottom - line.height, x + w, lineBottom};
        const bool hot = PointerIn(box);
        if (mode == PassMode::HitTest && hot) {
            result_ = true;
            hoverItem_ = state_.items;
            out_.Anchor = QStringLiteral("ctrl");
            out_.ControlRect = box;
            out_.ControlID = attr("ID").value_or(QString());
            out_.ControlValue = value;
            out_.ControlType = type;
        }
        if (drawing)
            DrawControl(type, value, box, hot);
        x += w;
        return;
    }
    case 'E': state_.errorMark = true; return;
    case 'F':
        if (word != "FONT")
            return;
        if (const auto face = attr("FACE"))
            state_.font.Name = *face;
        if (const auto color = attrUpper("COLOR"); color && !in_.Selected) {
            // "BGCOLOR" also contains "COLOR": only a whole word counts.
            state_.font.Color = ReadColor(*color);
        }
        if (const auto bg = attrUpper("BGCOLOR"); bg && mode != PassMode::Measure && !in_.Selected) {
            state_.keptBrush = state_.brush;
            state_.brush = ReadColor(*bg);
        }
        if (const auto size = attr("SIZE")) {
            const int n = ToNumber(*size);
            if (n >= 1 && n <= 5)
                state_.font.Size = kFontSizes[n - 1];
            else if (n > 0)
                state_.font.Size = std::min(n, kLargestFontSize);
        }
        return;
    case 'H':
        if (word == "HI") {
            state_.keptHiBrush = state_.brush;
            state_.keptHiFont = state_.font.Color;
            state_.brush = clHighlight;
            state_.font.Color = clHighlightText;
        } else if (word == "HR") {
            lineEnds = true;
            if (drawing && painter_) {
                painter_->save();
                painter_->setPen(ToQColor(clBlack));
                painter_->drawLine(in_.Rect.Left, lineBottom + 1, in_.Rect.Right - 1, lineBottom + 1);
                painter_->restore();
            }
        }
        return;
    case 'I':
        if (word == "I") {
            state_.font.Style |= fsItalic;
        } else if (word == "IND") {
            const int to = in_.Rect.Left + ToNumber(attr("X").value_or(QString()));
            if (mode == PassMode::Measure)
                x = std::max(x, to - in_.Rect.Left + lineStartX);
            else
                x = std::max(x, to);
        } else if (word == "IMG") {
            const auto src = attr("SRC");
            ++state_.items;
            QString source = src.value_or(QString());
            if (const auto alt = attr("ALT"); alt && state_.items == hoverItem_)
                source = *alt;
            Picture picture;
            if (!FindPicture(source, picture))
                return;
            const int wAttr = ToNumber(attr("WIDTH").value_or(QString()));
            const int hAttr = ToNumber(attr("HEIGHT").value_or(QString()));
            const bool stretched = wAttr >= 1 && hAttr >= 1;
            int w = stretched ? static_cast<int>(std::min(wAttr, 32767) * PixelsPerInchX() / 96.0) : picture.width;
            int h = stretched ? static_cast<int>(std::min(hAttr, 32767) * PixelsPerInchY() / 96.0) : picture.height;
            w = std::clamp(w, 0, 32767);
            h = std::clamp(h, 0, 32767);
            if (mode == PassMode::Measure) {
                if (x - lineStartX + w > in_.Rect.Width() && w <= in_.Rect.Width() && x > lineStartX) {
                    --state_.items;
                    tagStays = true;
                    return;
                }
                metrics.height = std::max(metrics.height, h);
                if (const auto align = attrUpper("ALIGN")) {
                    if (align->contains(QStringLiteral("TOP")))
                        metrics.textAlign = LineMetrics::Top;
                    else if (align->contains(QStringLiteral("MIDDLE")))
                        metrics.textAlign = LineMetrics::Middle;
                }
                x += w;
                return;
            }
            const TRect box{x, lineBottom - h, x + w, lineBottom};
            if (mode == PassMode::HitTest && PointerIn(box)) {
                hoverItem_ = state_.items;
                if (state_.inAnchor) {
                    result_ = true;
                    out_.Anchor = state_.anchorTarget;
                    out_.MouseLink = state_.links;
                }
            }
            if (drawing && painter_) {
                if (picture.list) {
                    if (in_.IsPrinting) {
                        QImage bitmap(in_.Images->Width, in_.Images->Height, QImage::Format_ARGB32);
                        bitmap.fill(Qt::transparent);
                        {
                            QPainter bp(&bitmap);
                            TCanvas bc(&bp);
                            picture.list->Draw(bc, 0, 0, picture.listIndex);
                        }
                        painter_->drawImage(QRect(box.Left, box.Top, static_cast<int>(w * in_.ResFactor),
                                                  static_cast<int>(h * in_.ResFactor)),
                                            bitmap);
                    } else {
                        picture.list->Draw(canvas_, box.Left, box.Top, picture.listIndex);
                    }
                } else if (auto* html = dynamic_cast<THTMLPicture*>(picture.graphic)) {
                    if (html->FrameCount() > 1)
                        painter_->fillRect(box.ToQRect(), ToQColor(state_.background));
                    const bool oldStretch = html->Stretch;
                    html->Stretch = true;
                    html->Draw(canvas_, box);
                    html->Stretch = oldStretch;
                } else if (in_.IsPrinting) {
                    // System icons are stretched by the printer's resolution.
                    picture.graphic->Draw(canvas_, {box.Left, box.Top, box.Left + static_cast<int>(w * in_.ResFactor),
                                                    box.Top + static_cast<int>(h * in_.ResFactor)});
                } else {
                    picture.graphic->Draw(canvas_, box);
                }
            }
            x += w;
        }
        return;
    case 'L':
        if (word == "LI") {
            if (liSeen_ && x > lineStartX) {
                tagStays = true;
                return;
            }
            liSeen_ = true;
            const int itemX = lineStartX + 12 * std::max(state_.listLevel, 1);
            x = std::max(x, itemX);
            if (drawing && painter_) {
                painter_->save();
                painter_->setFont(CurrentQFont());
                painter_->setPen(ToQColor(state_.font.Color));
                const QString bullet = state_.listLevel % 2 == 0 && state_.listLevel > 0 ? QStringLiteral("o")
                                                                                        : QStringLiteral("\u2022");
                const int height = QFontMetrics(CurrentQFont()).height();
                painter_->drawText(QRect(x - 12, lineBottom - height, 12, height), Qt::AlignLeft | Qt::AlignBottom,
                                   bullet);
                painter_->restore();
            }
        }
        return;
    case 'P':
        if (word != "P")
            return;
        if (const auto align = attrUpper("ALIGN")) {
            if (*align == "RIGHT")
                state_.align = Align::Right;
            else if (*align == "CENTER")
                state_.align = Align::Center;
            else if (*align == "LEFT")
                state_.align = Align::Left;
            if (mode == PassMode::Measure && x == lineStartX)
                metrics.align = state_.align;
        }
        if (const auto indent = attr("INDENT")) {
            state_.indent = std::clamp(ToNumber(*indent), 0, 32767);
            if (mode == PassMode::Measure && x == lineStartX)
                metrics.indent = state_.indent;
        }
        if (const auto bg = attrUpper("BGCOLOR")) {
            state_.keptBrush = state_.brush;
            state_.brush = ReadColor(*bg);
            if (drawing && painter_)
                painter_->fillRect(QRect(in_.Rect.Left, lineTop, in_.Rect.Width(), lineBottom + line.subDepth - lineTop),
                                   ToQColor(state_.brush));
        }
        return;
    case 'R':
        if (word == "R")
            state_.angle = std::clamp(ToNumber(attr("A").value_or(QString())), -3600, 3600) * 10;
        return;
    case 'S':
        if (word == "S")
            state_.font.Style |= fsStrikeOut;
        else if (word == "SHAD")
            state_.shadow = true;
        else if (word == "SUB")
            state_.sub = true;
        else if (word == "SUP")
            state_.sup = true;
        return;
    case 'U':
        if (word == "U")
            state_.font.Style |= fsUnderline;
        else if (word == "UL")
            ++state_.listLevel;
        return;
    case 'Z': state_.hidden = true; return;
    default: return;
    }
}

} // namespace

bool HTMLDraw(TCanvas& Canvas, const THTMLDrawInput& In, THTMLDrawOutput& Out)
{
    const TFont font = Canvas.Font;
    const TBrush brush = Canvas.Brush;
    QPainter* painter = Canvas.Painter();
    if (painter)
        painter->save();
    Renderer renderer(Canvas, In, Out);
    const bool result = renderer.Run();
    if (painter)
        painter->restore();
    Canvas.Font = font;
    Canvas.Brush = brush;
    return result;
}

QString HTMLStrip(const QString& Text)
{
    QString text = Text;
    text.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    text.replace(QStringLiteral("<HR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    QString plain;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf('<', pos);
        if (open < 0) {
            plain += QStringView(text).mid(pos);
            break;
        }
        plain += QStringView(text).mid(pos, open - pos);
        const qsizetype close = text.indexOf('>', open);
        if (close < 0)
            break;
        pos = close + 1;
    }
    return plain;
}

bool SetControlValue(QString& Text, const QString& ID, const QString& Value)
{
    qsizetype pos = 0;
    while (true) {
        const qsizetype open = Text.indexOf('<', pos);
        if (open < 0)
            return false;
        const qsizetype close = Text.indexOf('>', open);
        if (close < 0)
            return false;
        const QString tag = Text.mid(open + 1, close - open - 1);
        const QString upper = tag.toUpper();
        pos = close + 1;
        if (upper.section(' ', 0, 0) != QStringLiteral("CONTROL") || Attribute(tag, "ID") != ID)
            continue;
        QString value = Value;
        value.replace('<', QStringLiteral("&lt;")).replace('>', QStringLiteral("&gt;"));
        const QString rebuilt = QStringLiteral("<CONTROL ID=\"%1\" VALUE=\"%2\" WIDTH=\"%3\" TYPE=\"%4\">")
                                    .arg(ID, value, Attribute(tag, "WIDTH").value_or(QString()),
                                         Attribute(tag, "TYPE").value_or(QString()));
        Text.replace(open, close - open + 1, rebuilt);
        return true;
    }
}

TColor HTMLColorByName(const QString& Name)
{
    for (const NamedColor& named : kFixedColors)
        if (Name == QLatin1String(named.name) && named.color != 0)
            return named.color;
    for (std::size_t i = 0; i < std::size(kSystemColorNames); ++i)
        if (Name == QLatin1String(kSystemColorNames[i]))
            return clSystemColor | static_cast<TColor>(i + 1);
    return 0;
}

int HTMLHexByte(const QString& Pair)
{
    if (Pair.size() < 2)
        return 0;
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        const QChar c = Pair[i];
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c.unicode() - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c.unicode() - 'A' + 10;
        else
            return 0;
        value = value * 16 + digit;
    }
    return value;
}

TColor HTMLHexColor(const QString& Value)
{
    const QString digits = Value.startsWith('#') ? Value.mid(1) : Value;
    const int red = HTMLHexByte(digits.mid(0, 2));
    const int green = HTMLHexByte(digits.mid(2, 2));
    const int blue = HTMLHexByte(digits.mid(4, 2));
    return red + green * 256 + blue * 65536;
}
