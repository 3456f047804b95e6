// The small drawings of grid cells: check boxes, radio buttons, node buttons
// and tree lines, fixed-cell relief, selection frame, sort marker, buttons,
// progress bars, comment marks and rotated text.
#include "grid/cellpaint.h"

#include "grid/extutil.h"
#include "grid/extxpvs.h"
#include "platform/themes.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

// The four bitmaps of a bitmap style, in the order checked enabled, checked
// disabled, unchecked enabled, unchecked disabled.
struct StyleBitmaps {
    TControlStyle style;
    const char* check[4];
    const char* radio[4];
};
constexpr StyleBitmaps kStyleBitmaps[] = {
    {csWinXP, {"ESGCHK05", "ESGCHK07", "ESGCHK06", "ESGCHK08"}, {"ESGRAD05", "ESGRAD07", "ESGRAD06", "ESGRAD08"}},
    {csQel, {"ESGCHK01", "ESGCHK03", "ESGCHK02", "ESGCHK04"}, {"ESGRAD01", "ESGRAD03", "ESGRAD02", "ESGRAD04"}},
};

int BitmapSlot(bool On, bool Enabled)
{
    return (On ? 0 : 2) + (Enabled ? 0 : 1);
}

TRect Centred(const TRect& R, int W, int H)
{
    const int left = R.Left + (R.Width() - W) / 2;
    const int top = R.Top + (R.Height() - H) / 2;
    return {left, top, left + W, top + H};
}

TRect Sized(int X, int Y, int W, int H)
{
    return {X, Y, X + W, Y + H};
}

void Line(QPainter* painter, TColor color, int x1, int y1, int x2, int y2)
{
    painter->setPen(ToQColor(color));
    painter->drawLine(x1, y1, x2, y2);
}

// A glyph drawn transparent (its corner pixel's colour lets the cell show).
void DrawGlyph(TCanvas& Canvas, const QImage& Image, int X, int Y)
{
    if (!Image.isNull())
        DrawTransparentBitmap(Canvas, Image, clNone, Sized(X, Y, Image.width(), Image.height()));
}

void DrawThemed(TCanvas& Canvas, const TRect& R, int Part, int State, QWidget* Window)
{
    if (!ThemedDrawing())
        return;
    HTHEME theme = OpenThemeData(Window, "button");
    if (!theme)
        return;
    DrawThemeBackground(theme, Canvas, Part, State, R, nullptr);
    CloseThemeData(theme);
}

// The drawn check box: a bevelled face with a two-stroke tick.
void DrawPelmoraCheck(QPainter* painter, const TRect& box, bool Checked, bool Enabled, TColor TickColor)
{
    painter->fillRect(box.ToQRect(), ToQColor(Enabled ? clBtnFace : clBtnShadow));
    Line(painter, clBtnHighlight, box.Left, box.Top, box.Right - 1, box.Top);
    Line(painter, clBtnHighlight, box.Left, box.Top, box.Left, box.Bottom - 1);
    Line(painter, clBtnShadow, box.Left, box.Bottom - 1, box.Right - 1, box.Bottom - 1);
    Line(painter, clBtnShadow, box.Right - 1, box.Top, box.Right - 1, box.Bottom - 1);
    if (!Checked)
        return;
    QPen pen(ToQColor(Enabled ? TickColor : clGray));
    pen.setWidth(2);
    painter->setPen(pen);
    const int w = box.Width();
    const int h = box.Height();
    const QPoint start(box.Left + w / 4, box.Top + h / 2);
    const QPoint corner(box.Left + w * 2 / 5, box.Top + h * 3 / 4 - 1);
    const QPoint end(box.Right - w / 4, box.Top + h / 4);
    painter->drawLine(start, corner);
    painter->drawLine(corner, end);
}

void DrawPelmoraRadio(QPainter* painter, const TRect& box, bool On, bool Enabled, TColor DotColor)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF circle = QRectF(box.ToQRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->setPen(ToQColor(clBtnShadow));
    painter->setBrush(ToQColor(Enabled ? clBtnFace : clBtnShadow));
    painter->drawEllipse(circle);
    if (On) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(ToQColor(Enabled ? DotColor : clGray));
        painter->drawEllipse(circle.center(), circle.width() / 4, circle.height() / 4);
    }
}

QImage GlyphImage(const TBitmap* Glyph)
{
    return Glyph ? Glyph->Image : QImage();
}

} // namespace

QString CheckBoxBitmapName(TControlStyle Style, bool Checked, bool Enabled)
{
    for (const StyleBitmaps& entry : kStyleBitmaps)
        if (entry.style == Style)
            return QString::fromLatin1(entry.check[BitmapSlot(Checked, Enabled)]);
    return {};
}

QString RadioBitmapName(TControlStyle Style, bool On, bool Enabled)
{
    for (const StyleBitmaps& entry : kStyleBitmaps)
        if (entry.style == Style)
            return QString::fromLatin1(entry.radio[BitmapSlot(On, Enabled)]);
    return {};
}

void PaintCheckBox(TCanvas& Canvas, const TRect& R, bool Checked, bool Enabled, const TControlPaintLook& Look)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    const TRect box = Centred(R, Look.CheckSize, Look.CheckSize);
    switch (Look.Style) {
    case csClassic:
    case csFlat:
        DrawFrameControl(Canvas, box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0u) | (Enabled ? 0u : DFCS_INACTIVE)
                             | (Look.Style == csFlat ? DFCS_FLAT : 0u));
        break;
    case csWinXP:
    case csQel:
        DrawGlyph(Canvas, BitmapResource(CheckBoxBitmapName(Look.Style, Checked, Enabled)), R.Left, R.Top);
        break;
    case csPelmora:
        DrawPelmoraCheck(painter, box, Checked, Enabled, Look.Color);
        break;
    case csGlyph:
        DrawGlyph(Canvas, GlyphImage(Checked ? Look.CheckedGlyph : Look.UnCheckedGlyph), R.Left, R.Top);
        break;
    case csTheme:
        DrawThemed(Canvas, box, BP_CHECKBOX,
                   Checked ? (Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                           : (Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED),
                   Look.Window);
        break;
    }
    painter->restore();
}

void PaintRadioButton(TCanvas& Canvas, int X, int Y, bool On, bool Enabled, const TControlPaintLook& Look)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    const TRect box = Sized(X, Y, Look.RadioSize, Look.RadioSize);
    switch (Look.Style) {
    case csClassic:
    case csFlat:
        DrawFrameControl(Canvas, box, DFC_BUTTON,
                         DFCS_BUTTONRADIO | (On ? DFCS_CHECKED : 0u) | (Enabled ? 0u : DFCS_INACTIVE)
                             | (Look.Style == csFlat ? DFCS_FLAT : 0u));
        break;
    case csWinXP:
    case csQel: {
        const QImage image = BitmapResource(RadioBitmapName(Look.Style, On, Enabled));
        if (!image.isNull())
            DrawTransparentBitmap(Canvas, image, clNone, box);
        break;
    }
    case csPelmora:
        DrawPelmoraRadio(painter, box, On, Enabled, Look.Color);
        break;
    case csGlyph:
        DrawGlyph(Canvas, GlyphImage(On ? Look.RadioOnGlyph : Look.RadioOffGlyph), X, Y);
        break;
    case csTheme:
        DrawThemed(Canvas, box, BP_RADIOBUTTON,
                   On ? (Enabled ? RBS_CHECKEDNORMAL : RBS_CHECKEDDISABLED)
                      : (Enabled ? RBS_UNCHECKEDNORMAL : RBS_UNCHECKEDDISABLED),
                   Look.Window);
        break;
    }
    painter->restore();
}

int RadioSelection(const QStringList& Options, int Index, const QString& CellText)
{
    return Index >= 0 ? Index : static_cast<int>(Options.indexOf(CellText));
}

void PaintRadioGroup(TCanvas& Canvas, const TRect& R, const QStringList& Options, int Selected, bool Horizontal,
                     bool Enabled, const TControlPaintLook& Look)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    const TBrushStyle brush = Canvas.Brush.Style;
    Canvas.Brush.Style = bsClear;
    const int textHeight = Canvas.TextHeight(QStringLiteral("gh"));
    int before = 0;
    for (int i = 0; i < Options.size(); ++i) {
        int x = R.Left + 2;
        int y = R.Top + 2;
        if (Horizontal) {
            x = R.Left + before + 16 * i + 2;
            before += Canvas.TextWidth(Options[i]);
        } else {
            y = R.Top + i * std::max(16, textHeight) + 2;
        }
        PaintRadioButton(Canvas, x, y, i == Selected, Enabled, Look);
        const int textX = Horizontal ? x + 16 : R.Left + 20;
        const int textY = y + (Look.RadioSize - textHeight) / 2;
        painter->save();
        painter->setClipRect(R.ToQRect(), Qt::IntersectClip);
        Canvas.TextOut(textX, textY, Options[i]);
        painter->restore();
    }
    Canvas.Brush.Style = brush;
}

void PaintNodeButton(TCanvas& Canvas, const TRect& R, bool Collapsed, const TCellNode& Node, TColor CellColor)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    constexpr int kButton = 9;
    const int x = R.Left + 4;
    const int y = R.Top + (R.Height() - kButton) / 2;
    bool square = Node.NodeType() == cnFlat;
    switch (Node.NodeType()) {
    case cnFlat: break;
    case cn3D: {
        painter->fillRect(R.ToQRect(), ToQColor(Node.Color));
        Line(painter, clWhite, R.Left, R.Top, R.Right - 1, R.Top);
        Line(painter, clWhite, R.Left, R.Top, R.Left, R.Bottom - 1);
        Line(painter, clGray, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
        Line(painter, clGray, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
        square = true;
        break;
    }
    case cnLeaf:
        DrawTransparentBitmap(Canvas, BitmapResource(Collapsed ? QStringLiteral("ESGLEAFCLOSE") : QStringLiteral("ESGLEAFOPEN")),
                              CellColor, Sized(x, y, kButton, kButton));
        break;
    case cnGlyph:
        if (!Node.ExpandGlyph().GetEmpty() && !Node.ContractGlyph().GetEmpty()) {
            const QImage& glyph = Collapsed ? Node.ExpandGlyph().Image : Node.ContractGlyph().Image;
            DrawTransparentBitmap(Canvas, glyph, CellColor,
                                  Sized(x, R.Top + (R.Height() - glyph.height()) / 2, glyph.width(), glyph.height()));
        } else {
            square = true;
        }
        break;
    }
    if (square) {
        painter->fillRect(QRect(x, y, kButton, kButton), ToQColor(Node.Color));
        painter->setPen(ToQColor(Node.NodeColor));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(x, y, kButton - 1, kButton - 1);
        const int mid = kButton / 2;
        painter->drawLine(x + 2, y + mid, x + kButton - 3, y + mid);
        if (Collapsed)
            painter->drawLine(x + mid, y + 2, x + mid, y + kButton - 3);
    }
    painter->restore();
}

void PaintTreeLines(TCanvas& Canvas, const TRect& R, int Position)
{
    QPainter* painter = Canvas.Painter();
    if (!painter || Position <= 0)
        return;
    painter->save();
    const int x = R.Left - 8;
    const int mid = R.Top + R.Height() / 2;
    Line(painter, clSilver, x, mid, R.Left, mid);
    Line(painter, clSilver, x, R.Top, x, Position == 1 ? mid : R.Bottom + 4);
    painter->restore();
}

void PaintQelGradient(TCanvas& Canvas, const TRect& R)
{
    QPainter* painter = Canvas.Painter();
    if (!painter || R.IsEmpty())
        return;
    constexpr int kBands = 10;
    const QColor from = ToQColor(clSilver);
    const QColor to = ToQColor(clWhite);
    for (int i = 0; i < kBands; ++i) {
        const int top = R.Top + R.Height() * i / kBands;
        const int bottom = R.Top + R.Height() * (i + 1) / kBands;
        const auto mix = [&](int a, int b) { return a + (b - a) * i / (kBands - 1); };
        const QColor band(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
        painter->fillRect(QRect(R.Left, top, R.Width(), bottom - top), band);
    }
}

void PaintClassicRelief(TCanvas& Canvas, const TRect& R)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    TRect edge = R;
    DrawEdge(Canvas, edge, EDGE_RAISED, BF_RECT);
    Line(painter, clBlack, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
    Line(painter, clBlack, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
    painter->restore();
}

void PaintQelRelief(TCanvas& Canvas, const TRect& R)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    painter->setPen(ToQColor(clWhite));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    painter->restore();
}

void PaintSoftRelief(TCanvas& Canvas, const TRect& R, bool ThreeD, bool HorzLines, bool VertLines, TColor LineColor)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    if (ThreeD) {
        if (HorzLines)
            Line(painter, clGray, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
        if (VertLines) {
            Line(painter, clGray, R.Left, R.Top, R.Left, R.Bottom - 1);
            Line(painter, clWhite, R.Left + 1, R.Top, R.Left + 1, R.Bottom - 1);
        }
    } else {
        Line(painter, LineColor, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
        Line(painter, LineColor, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
    }
    painter->restore();
}

void PaintSelectionFrame(TCanvas& Canvas, const TRect& R, TFrameSides Sides, TColor Color)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    const QColor color = ToQColor(Color);
    if (Sides.Left)
        painter->fillRect(QRect(R.Left, R.Top, 2, R.Height()), color);
    if (Sides.Top)
        painter->fillRect(QRect(R.Left, R.Top, R.Width(), 2), color);
    if (Sides.Right)
        painter->fillRect(QRect(R.Right - 2, R.Top, 2, R.Height()), color);
    if (Sides.Bottom)
        painter->fillRect(QRect(R.Left, R.Bottom - 2, R.Width(), 2), color);
}

void PaintSelectionResizer(TCanvas& Canvas, const TRect& R, TColor Color)
{
    if (QPainter* painter = Canvas.Painter())
        painter->fillRect(QRect(R.Right - 4, R.Bottom - 4, 4, 4), ToQColor(Color));
}

void PaintSortMarker(TCanvas& Canvas, const TRect& R, bool Descending, const TBitmap* UpGlyph,
                     const TBitmap* DownGlyph)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    const TBitmap* glyph = Descending ? DownGlyph : UpGlyph;
    if (glyph && !glyph->GetEmpty()) {
        DrawTransparentBitmap(Canvas, glyph->Image, clNone,
                              Sized(R.Right - 2 - glyph->GetWidth(), R.Top + (R.Height() - glyph->GetHeight()) / 2,
                                    glyph->GetWidth(), glyph->GetHeight()));
        return;
    }
    painter->save();
    const int left = R.Right - 12;
    const int right = R.Right - 4;
    const int mid = (left + right) / 2;
    const int top = R.Top + (R.Height() - 7) / 2;
    const int bottom = top + 6;
    if (Descending) {
        Line(painter, clGray, left, top, right, top);
        Line(painter, clGray, left, top, mid, bottom);
        Line(painter, clWhite, right, top, mid, bottom);
    } else {
        Line(painter, clGray, mid, top, left, bottom);
        Line(painter, clWhite, mid, top, right, bottom);
        Line(painter, clWhite, left, bottom, right, bottom);
    }
    painter->restore();
}

void PaintSortIndex(TCanvas& Canvas, const TRect& R, bool Descending, int Index, TColor Color)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    const int left = R.Right - 8;
    const int right = R.Right - 2;
    const int mid = (left + right) / 2;
    const int top = R.Top + (R.Height() - 4) / 2;
    QPolygon triangle;
    if (Descending)
        triangle << QPoint(left, top) << QPoint(right, top) << QPoint(mid, top + 3);
    else
        triangle << QPoint(mid, top) << QPoint(left, top + 3) << QPoint(right, top + 3);
    painter->setPen(ToQColor(Color));
    painter->setBrush(ToQColor(Color));
    painter->drawPolygon(triangle);
    QFont font = painter->font();
    font.setPointSize(6);
    painter->setFont(font);
    const QString number = QString::number(Index);
    const int width = QFontMetrics(font).horizontalAdvance(number);
    painter->drawText(QRect(left - width - 1, R.Top, width + 1, R.Height()), Qt::AlignVCenter | Qt::AlignLeft,
                      number);
    painter->restore();
}

void PaintCellButton(TCanvas& Canvas, const TRect& R, bool Pressed, bool Flat, const TBitmap* Glyph,
                     const QString& Caption)
{
    QPainter* painter = Canvas.Painter();
    if (!painter || R.IsEmpty())
        return;
    painter->save();
    DrawFrameControl(Canvas, R, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed ? DFCS_PUSHED : 0u) | (Flat ? DFCS_FLAT : 0u));
    const int shift = Pressed ? 1 : 0;
    int textLeft = R.Left;
    if (Glyph && !Glyph->GetEmpty()) {
        const int gx = Caption.isEmpty() ? R.Left + (R.Width() - Glyph->GetWidth()) / 2 : R.Left + 4;
        DrawTransparentBitmap(Canvas, Glyph->Image, clNone,
                              Sized(gx + shift, R.Top + (R.Height() - Glyph->GetHeight()) / 2 + shift,
                                    Glyph->GetWidth(), Glyph->GetHeight()));
        textLeft = gx + Glyph->GetWidth();
    }
    if (!Caption.isEmpty()) {
        painter->setFont(Canvas.Font.ToQFont(painter->font()));
        painter->setPen(ToQColor(clBtnText));
        painter->drawText(QRect(textLeft + shift, R.Top + shift, R.Right - textLeft, R.Height()), Qt::AlignCenter,
                          Caption);
    }
    painter->restore();
}

void PaintProgress(TCanvas& Canvas, const TRect& R, int Percent, const QString& Text, TColor Fill, TColor Rest,
                   TColor FillText, TColor RestText)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    const QRect inner = TRect{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2}.ToQRect();
    if (inner.isEmpty())
        return;
    painter->save();
    // A value outside 0..100 draws as its nearest bound.
    const int filled = inner.width() * std::clamp(Percent, 0, 100) / 100;
    const QRect fillPart(inner.left(), inner.top(), filled, inner.height());
    const QRect restPart(inner.left() + filled, inner.top(), inner.width() - filled, inner.height());
    const QColor fill = ToQColor(Fill);
    const QColor rest = ToQColor(Rest);
    painter->fillRect(fillPart, fill);
    painter->fillRect(restPart, rest);
    const auto inverse = [](const QColor& c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); };
    painter->setFont(Canvas.Font.ToQFont(painter->font()));
    const QString shown = Text + QLatin1Char('%');
    painter->setClipRect(fillPart);
    painter->setPen(FillText == clNone ? inverse(fill) : ToQColor(FillText));
    painter->drawText(inner, Qt::AlignCenter, shown);
    painter->setClipRect(restPart);
    painter->setPen(RestText == clNone ? inverse(rest) : ToQColor(RestText));
    painter->drawText(inner, Qt::AlignCenter, shown);
    painter->setClipping(false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(ToQColor(clGray));
    painter->drawRect(inner.adjusted(-1, -1, 0, 0));
    painter->setPen(ToQColor(clWhite));
    painter->drawRect(inner.adjusted(-2, -2, 1, 1));
    painter->restore();
}

void PaintCommentMark(TCanvas& Canvas, const TRect& R, TColor Color)
{
    QPainter* painter = Canvas.Painter();
    if (!painter || Color == clNone)
        return;
    painter->save();
    QPolygon triangle;
    triangle << QPoint(R.Right - 7, R.Top) << QPoint(R.Right - 2, R.Top) << QPoint(R.Right - 2, R.Top + 6);
    painter->setPen(ToQColor(Color));
    painter->setBrush(ToQColor(Color));
    painter->drawPolygon(triangle);
    painter->restore();
}

void PaintRotatedText(TCanvas& Canvas, const TRect& R, const QString& Text, int Angle)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    painter->setClipRect(R.ToQRect(), Qt::IntersectClip);
    painter->setFont(Canvas.Font.ToQFont(painter->font()));
    painter->setPen(ToQColor(Canvas.Font.Color));
    const QFontMetrics metrics(painter->font());
    const int w = metrics.horizontalAdvance(Text);
    const int h = metrics.height();
    painter->translate(R.Left + R.Width() / 2.0, R.Top + R.Height() / 2.0);
    painter->rotate(-Angle);
    painter->drawText(QRect(-w / 2, -h / 2, w + 1, h), Qt::AlignCenter, Text);
    painter->restore();
}

QSize RotatedTextSize(const QFont& Font, const QString& Text, int Angle)
{
    const QFontMetrics metrics(Font);
    const double x = metrics.horizontalAdvance(Text);
    const double y = metrics.height();
    const double a = Angle * M_PI / 180.0;
    return {static_cast<int>(std::lround(std::fabs(x * std::cos(a) - y * std::sin(a)))) + 12,
            static_cast<int>(std::lround(std::fabs(x * std::sin(a) - y * std::cos(a)))) + 12};
}

void PaintSoftBorder(TCanvas& Canvas, const TRect& R, TColor ParentColor)
{
    QPainter* painter = Canvas.Painter();
    if (!painter || R.IsEmpty())
        return;
    painter->save();
    painter->setBrush(Qt::NoBrush);
    painter->setPen(ToQColor(clGray));
    painter->drawRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    painter->setPen(ToQColor(ParentColor));
    painter->drawRect(R.Left + 1, R.Top + 1, R.Width() - 3, R.Height() - 3);
    painter->restore();
}

void PaintColumnMoveGuide(TCanvas& Canvas, int X, int Top, int Bottom)
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white);
    pen.setStyle(Qt::DotLine);
    pen.setWidth(1);
    painter->setPen(pen);
    painter->drawLine(X, Top, X, Bottom);
    painter->restore();
}

QString PasswordText(const QString& Text, QChar Mask)
{
    return QString(Text.size(), Mask);
}

QString URLDisplayText(const QString& Text, bool Full)
{
    QString shown = Text;
    if (!Full)
        StripURLProtocol(shown);
    return shown;
}
