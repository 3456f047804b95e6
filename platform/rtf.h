#pragma once
// A small subset of the Rich Text Format, read and written without any
// help from Qt (which has neither): groups, \rtf1, \ansi, \ansicpg, the font
// and colour tables, \b \i \ul \strike \fs \f \cf \cb \highlight \plain,
// \par \line \tab, \pard \ql \qr \qc \qj, \'hh (cp1252 bytes) and \uN with
// \ucN. Other destinations and control words are skipped. The reader takes
// any bytes without failing; the writer writes only the subset.
#include <QByteArray>
#include <QColor>
#include <QString>

#include <vector>

enum class RtfAlignment { Left, Right, Center, Justify };

struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24;   // \fs: size in half points
    QString font;          // empty: the default font
    QColor color;          // invalid: automatic
    QColor background;     // invalid: none
    bool operator==(const RtfCharFormat&) const = default;
};

// A stretch of text with one format. Text holds '\t' for \tab and
// U+2028 (line separator) for \line.
struct RtfRun {
    QString text;
    RtfCharFormat format;
    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<RtfRun> runs;
    bool operator==(const RtfParagraph&) const = default;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs{1};

    // The text, paragraphs joined by '\n'.
    QString PlainText() const;
    // Drops empty runs and joins neighbours of one format.
    void Normalize();
    bool operator==(const RtfDocument&) const = default;
};

// Reads RTF (or anything else: text outside the subset is taken as it
// comes, unknown parts are skipped).
RtfDocument ReadRtf(const QByteArray& rtf);
// Writes the document in the subset (7-bit text, cp1252 as \'hh, anything
// else as \uN with a '?' fallback).
QByteArray WriteRtf(const RtfDocument& document);
// Whether a cell text is rich text: it starts with "{\".
bool IsRtfText(const QString& text);
