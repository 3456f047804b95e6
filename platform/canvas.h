#pragma once
// A drawing surface with the brush, pen and font that cell and panel
// painting set before each call, over a QPainter.
#include "platform/types.h"

#include <QFont>
#include <QString>

class QPainter;

enum TBrushStyle { bsSolid, bsClear };
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
};

struct TFont {
    QString Name;
    int Size = 8; // points
    TColor Color = clWindowText;
    TFontStyles Style = 0;

    QFont ToQFont(const QFont& base) const;
    static TFont FromQFont(const QFont& font);
};

class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(QPainter* painter) : painter_(painter) {}

    TBrush Brush;
    TPen Pen;
    TFont Font;

    QPainter* Painter() const { return painter_; }
    void SetPainter(QPainter* painter) { painter_ = painter; }

    // Fills with the brush, no outline.
    void FillRect(const TRect& rect);
    // Outline with the pen (when Pen.Width > 0), filled with the brush.
    void Rectangle(const TRect& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Text with its top-left corner at (x, y), on the brush unless bsClear.
    void TextOut(int x, int y, const QString& text);
    // As TextOut, clipped to rect, which is filled with the brush first.
    void TextRect(const TRect& rect, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    void DrawFocusRect(const TRect& rect);
    // Limits drawing to rect until the clip is removed.
    void SetClipRect(const TRect& rect);
    void RemoveClip();

private:
    void ApplyPen();
    void ApplyFont();

    QPainter* painter_ = nullptr;
    TPoint penPos_;
};
