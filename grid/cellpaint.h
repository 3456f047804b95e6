#pragma once
// The small drawings of grid cells, apart from the grid that places them:
// check boxes and radio buttons in each control style, node buttons and tree
// lines, the fixed-cell relief of each look, the selection frame and its
// resizer, the sort marker, cell buttons, progress bars, comment marks,
// rotated text, the soft non-client border and the column-moving guide, and
// the text helpers of password and URL cells.
#include "grid/displaysettings.h"
#include "grid/gridsettings.h"
#include "platform/canvas.h"
#include "platform/graphics.h"

#include <QStringList>

class QWidget;

// How cell check boxes and radio buttons look: the style, the sizes and
// colour, the glyphs of the glyph style (any may be null or empty).
struct TControlPaintLook {
    TControlStyle Style = csClassic;
    int CheckSize = 15;
    int RadioSize = 10;
    // The tick of a drawn (csPelmora) check box.
    TColor Color = clBlack;
    const TBitmap* CheckedGlyph = nullptr;
    const TBitmap* UnCheckedGlyph = nullptr;
    const TBitmap* RadioOnGlyph = nullptr;
    const TBitmap* RadioOffGlyph = nullptr;
    // Themed parts are opened on this window's style (the application's
    // when null).
    QWidget* Window = nullptr;
};

// The resource bitmaps of the two bitmap styles, by checked/on and enabled.
QString CheckBoxBitmapName(TControlStyle Style, bool Checked, bool Enabled);
QString RadioBitmapName(TControlStyle Style, bool On, bool Enabled);

// A check box in rect: centred for the frame and drawn styles, at the
// rectangle's top-left for bitmaps and glyphs. Nothing for csTheme without
// visual styles, nor for csGlyph without the glyph.
void PaintCheckBox(TCanvas& Canvas, const TRect& R, bool Checked, bool Enabled, const TControlPaintLook& Look);
// One radio glyph of RadioSize with its top-left corner at (X, Y).
void PaintRadioButton(TCanvas& Canvas, int X, int Y, bool On, bool Enabled, const TControlPaintLook& Look);
// The options of a radio cell, side by side or one under the other, the
// option Selected on (-1: none). The texts take the canvas font.
void PaintRadioGroup(TCanvas& Canvas, const TRect& R, const QStringList& Options, int Selected, bool Horizontal,
                     bool Enabled, const TControlPaintLook& Look);
// The option a radio cell shows selected: its index, or with -1 the option
// whose text is the cell's.
int RadioSelection(const QStringList& Options, int Index, const QString& CellText);

// A node's button drawn at the left of R (already moved by the row's
// indent), on CellColor; Collapsed shows a plus.
void PaintNodeButton(TCanvas& Canvas, const TRect& R, bool Collapsed, const TCellNode& Node, TColor CellColor);
// Tree lines at the left of R: Position 1 ends at half height (last child),
// 2 runs on to the bottom; 0 draws nothing.
void PaintTreeLines(TCanvas& Canvas, const TRect& R, int Position);

// Fixed-cell looks.
// The vertical gradient of the glQel look: 10 bands, silver to white.
void PaintQelGradient(TCanvas& Canvas, const TRect& R);
// Raised edges all round and a dark line right and bottom (glClassic).
void PaintClassicRelief(TCanvas& Canvas, const TRect& R);
// A light line round the cell (glQel).
void PaintQelRelief(TCanvas& Canvas, const TRect& R);
// glSoft: with the 3-D look, the bottom line (HorzLines) and a dark and a
// white line at the left (VertLines); flat, the grid-line colour right and
// bottom.
void PaintSoftRelief(TCanvas& Canvas, const TRect& R, bool ThreeD, bool HorzLines, bool VertLines, TColor LineColor);

// The 2-pixel selection frame on the given outer sides of a cell, and the
// 4 x 4 resizer handle at its bottom-right corner.
struct TFrameSides {
    bool Left = false;
    bool Top = false;
    bool Right = false;
    bool Bottom = false;
};
void PaintSelectionFrame(TCanvas& Canvas, const TRect& R, TFrameSides Sides, TColor Color);
void PaintSelectionResizer(TCanvas& Canvas, const TRect& R, TColor Color);

// The sort marker with its right edge at R.Right - 2, centred vertically:
// a drawn triangle (down for descending), or the glyph when one is given.
void PaintSortMarker(TCanvas& Canvas, const TRect& R, bool Descending, const TBitmap* UpGlyph,
                     const TBitmap* DownGlyph);
// The indexed marker: a small triangle in Color and the 1-based Index in a
// 6-point font.
void PaintSortIndex(TCanvas& Canvas, const TRect& R, bool Descending, int Index, TColor Color);

// A push button of a cell, sunken while pressed, with an optional glyph and
// caption.
void PaintCellButton(TCanvas& Canvas, const TRect& R, bool Pressed, bool Flat, const TBitmap* Glyph,
                     const QString& Caption);
// A progress bar inside R (inset by 2): Percent of it in Fill, the rest in
// Rest, the text followed by "%" centred across both in FillText and
// RestText (clNone: the inverse of the part's colour).
void PaintProgress(TCanvas& Canvas, const TRect& R, int Percent, const QString& Text, TColor Fill, TColor Rest,
                   TColor FillText, TColor RestText);
// The comment mark: a small filled triangle in the top-right corner.
void PaintCommentMark(TCanvas& Canvas, const TRect& R, TColor Color);
// Text drawn at Angle degrees (counter-clockwise) from the middle of R.
void PaintRotatedText(TCanvas& Canvas, const TRect& R, const QString& Text, int Angle);
// The room rotated text needs.
QSize RotatedTextSize(const QFont& Font, const QString& Text, int Angle);

// The soft non-client border: a grey frame and, inside it, one in the
// parent's colour.
void PaintSoftBorder(TCanvas& Canvas, const TRect& R, TColor ParentColor);
// The column-moving guide: a dotted, inverting 1-pixel line at X.
void PaintColumnMoveGuide(TCanvas& Canvas, int X, int Top, int Bottom);

// A colour kept in a cell graphic's object slot: the two colours of a
// progress bar.
class TCellColor : public TObject {
public:
    explicit TCellColor(TColor AColor = clNone) : Color(AColor) {}
    TColor Color;
};

// Texts.
// A password cell shows one mask character for each character.
QString PasswordText(const QString& Text, QChar Mask);
// How a URL cell shows its text: without the scheme unless Full.
QString URLDisplayText(const QString& Text, bool Full);
