#include "platform/canvas.h"

#include <QFontMetrics>
#include <QPainter>

QFont TFont::ToQFont(const QFont& base) const
{
    QFont font(base);
    if (!Name.isEmpty())
        font.setFamily(Name);
    if (Size > 0)
        font.setPointSize(Size);
    font.setBold(Style & fsBold);
    font.setItalic(Style & fsItalic);
    font.setUnderline(Style & fsUnderline);
    font.setStrikeOut(Style & fsStrikeOut);
    return font;
}

TFont TFont::FromQFont(const QFont& font)
{
    TFont f;
    f.Name = font.family();
    f.Size = font.pointSize() > 0 ? font.pointSize() : 8;
    f.Style = (font.bold() ? fsBold : 0u) | (font.italic() ? fsItalic : 0u) | (font.underline() ? fsUnderline : 0u)
              | (font.strikeOut() ? fsStrikeOut : 0u);
    return f;
}

void TCanvas::ApplyPen()
{
    if (Pen.Width <= 0) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(Pen.Color));
    pen.setWidth(Pen.Width);
    pen.setCapStyle(Qt::FlatCap);
    painter_->setPen(pen);
}

void TCanvas::ApplyFont()
{
    painter_->setFont(Font.ToQFont(painter_->font()));
    painter_->setPen(ToQColor(Font.Color));
}

void TCanvas::FillRect(const TRect& rect)
{
    if (!painter_ || Brush.Style == bsClear)
        return;
    painter_->fillRect(rect.ToQRect(), ToQColor(Brush.Color));
}

void TCanvas::Rectangle(const TRect& rect)
{
    if (!painter_)
        return;
    FillRect(rect);
    if (Pen.Width <= 0)
        return;
    ApplyPen();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y)
{
    if (painter_ && Pen.Width > 0) {
        ApplyPen();
        painter_->drawLine(penPos_.X, penPos_.Y, x, y);
    }
    penPos_ = {x, y};
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    if (!painter_)
        return;
    ApplyFont();
    const QFontMetrics metrics(painter_->font());
    const QRect area(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (Brush.Style != bsClear)
        painter_->fillRect(area, ToQColor(Brush.Color));
    painter_->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text)
{
    if (!painter_)
        return;
    FillRect(rect);
    painter_->save();
    painter_->setClipRect(rect.ToQRect(), Qt::IntersectClip);
    ApplyFont();
    const QFontMetrics metrics(painter_->font());
    painter_->drawText(QRect(x, y, metrics.horizontalAdvance(text) + 1, metrics.height()),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter_->restore();
}

int TCanvas::TextWidth(const QString& text) const
{
    const QFont font = painter_ ? Font.ToQFont(painter_->font()) : Font.ToQFont(QFont());
    return QFontMetrics(font).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text) const
{
    (void)text;
    const QFont font = painter_ ? Font.ToQFont(painter_->font()) : Font.ToQFont(QFont());
    return QFontMetrics(font).height();
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (!painter_)
        return;
    QPen pen(ToQColor(clWindowText));
    pen.setStyle(Qt::DotLine);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
}

void TCanvas::SetClipRect(const TRect& rect)
{
    if (painter_)
        painter_->setClipRect(rect.ToQRect());
}

void TCanvas::RemoveClip()
{
    if (painter_)
        painter_->setClipping(false);
}
