#include "platform/richedit.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

struct AlignmentPair {
    RtfAlignment rtf;
    Qt::Alignment qt;
};
constexpr AlignmentPair kAlignments[] = {
    {RtfAlignment::Left, Qt::AlignLeft},
    {RtfAlignment::Right, Qt::AlignRight},
    {RtfAlignment::Center, Qt::AlignHCenter},
    {RtfAlignment::Justify, Qt::AlignJustify},
};

Qt::Alignment ToQt(RtfAlignment alignment)
{
    for (const auto& a : kAlignments)
        if (a.rtf == alignment)
            return a.qt;
    return Qt::AlignLeft;
}

RtfAlignment FromQt(Qt::Alignment alignment)
{
    for (const auto& a : kAlignments)
        if (alignment & a.qt)
            return a.rtf;
    return RtfAlignment::Left;
}

QTextCharFormat ToQt(const RtfCharFormat& f)
{
    QTextCharFormat c;
    c.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.italic);
    c.setFontUnderline(f.underline);
    c.setFontStrikeOut(f.strike);
    c.setFontPointSize(f.halfPoints / 2.0);
    if (!f.font.isEmpty())
        c.setFontFamilies({f.font});
    if (f.color.isValid())
        c.setForeground(f.color);
    if (f.background.isValid())
        c.setBackground(f.background);
    return c;
}

RtfCharFormat FromQt(const QTextCharFormat& c)
{
    RtfCharFormat f;
    f.bold = c.fontWeight() >= QFont::Bold;
    f.italic = c.fontItalic();
    f.underline = c.fontUnderline();
    f.strike = c.fontStrikeOut();
    if (c.hasProperty(QTextFormat::FontPointSize))
        f.halfPoints = qRound(c.fontPointSize() * 2);
    const QStringList families = c.fontFamilies().toStringList();
    if (!families.isEmpty())
        f.font = families.first();
    if (c.hasProperty(QTextFormat::ForegroundBrush))
        f.color = c.foreground().color();
    if (c.hasProperty(QTextFormat::BackgroundBrush))
        f.background = c.background().color();
    return f;
}

} // namespace

void RtfToTextDocument(const RtfDocument& rtf, QTextDocument& document)
{
    document.clear();
    QTextCursor cursor(&document);
    for (std::size_t p = 0; p < rtf.paragraphs.size(); ++p) {
        const RtfParagraph& paragraph = rtf.paragraphs[p];
        if (p > 0)
            cursor.insertBlock();
        QTextBlockFormat block;
        block.setAlignment(ToQt(paragraph.alignment));
        cursor.setBlockFormat(block);
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(run.text, ToQt(run.format));
    }
}

RtfDocument TextDocumentToRtf(const QTextDocument& document)
{
    RtfDocument rtf;
    rtf.paragraphs.clear();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        paragraph.alignment = FromQt(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                paragraph.runs.push_back({fragment.text(), FromQt(fragment.charFormat())});
        }
        rtf.paragraphs.push_back(std::move(paragraph));
    }
    rtf.Normalize();
    return rtf;
}

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent), TControl(this)
{
    setAcceptRichText(false);
    connect(this, &QTextEdit::textChanged, this, [this] { Run(OnChange); });
}

QByteArray TRichEdit::RtfText() const
{
    return WriteRtf(TextDocumentToRtf(*document()));
}

void TRichEdit::SetRtfText(const QByteArray& rtf)
{
    RtfToTextDocument(ReadRtf(rtf), *document());
}

void TRichEdit::SetText(const QString& text)
{
    if (IsRtfText(text))
        SetRtfText(text.toLatin1());
    else
        setPlainText(text);
}
