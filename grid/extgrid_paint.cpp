// Painting of the grid control: the colours, font and alignment of each
// cell, and the drawing of its background, relief, graphic, text (plain,
// HTML or rich text), borders and focus. The base grid runs the paint pass
// and calls GetCellColors and DrawCellContent for every visible cell; the
// small drawings (check boxes, radio buttons, nodes, markers) are in
// extgrid_paintcontrols.cpp.
#include "grid/extgrid.h"

#include "grid/cellpaint.h"
#include "grid/cellstream.h"
#include "grid/displaysettings.h"
#include "grid/esghtmle.h"
#include "grid/extrichedit.h"
#include "grid/extutil.h"
#include "grid/sortsettings.h"
#include "platform/richedit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>


namespace {

// Paints the soft border over the frame once the frame itself is painted.
class SoftBorderFilter : public QObject {
public:
    explicit SoftBorderFilter(TExtStringGrid* grid) : QObject(grid), grid_(grid) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != grid_ || event->type() != QEvent::Paint || busy_)
            return false;
        {
            const QScopedValueRollback<bool> guard(busy_, true);
            static_cast<QObject*>(grid_)->event(event);
        }
        grid_->PaintNonClient();
        return true;
    }

private:
    TExtStringGrid* grid_;
    bool busy_ = false;
};

// Room kept at the right of a header for the sort marker and of a filter
// header for its button.
constexpr int kSortMarkerRoom = 14;
constexpr int kFilterButtonWidth = 16;
// Room the node button takes before the text of a node cell.
constexpr int kNodeButtonRoom = 14;
// The frame drawn round the selection with SelectionRectangle.
constexpr TColor kSelectionFrameColor = clBlack;

TRect Inflated(const TRect& R, int By)
{
    return {R.Left - By, R.Top - By, R.Right + By, R.Bottom + By};
}

Qt::Alignment ToQtAlignment(TAlignment HAlign, TVAlignment VAlign)
{
    Qt::Alignment flags = HAlign == taRightJustify ? Qt::AlignRight
                          : HAlign == taCenter     ? Qt::AlignHCenter
                                                   : Qt::AlignLeft;
    flags |= VAlign == vtaCenter ? Qt::AlignVCenter : VAlign == vtaBottom ? Qt::AlignBottom : Qt::AlignTop;
    return flags;
}

// A cell text's line breaks (CR LF, LF or CR) as line feeds.
QString WithLineFeeds(const QString& Text)
{
    QString text = Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void ApplyProperties(const TCellProperties& Props, TFont& AFont, TBrush& ABrush)
{
    if (Props.BrushColor() != clNone)
        ABrush.Color = Props.BrushColor();
    if (Props.FontColor != clNone)
        AFont.Color = Props.FontColor;
    if (Props.FontStyle != 0)
        AFont.Style = Props.FontStyle;
    if (Props.FontSize != 0)
        AFont.Size = Props.FontSize;
    if (!Props.FontName.isEmpty())
        AFont.Name = Props.FontName;
}

// Cell types whose graphic shows the text's value, which is not drawn beside
// it (a plain check box keeps its text as a caption).
bool GraphicReplacesText(TCellType Type)
{
    return Type == ctDataCheckBox || Type == ctVirtCheckBox || Type == ctRadio || Type == ctRotated
           || Type == ctProgress || Type == ctDataImage;
}

QStringList RadioOptionsOf(const TCellGraphic& Graphic)
{
    if (const auto* list = dynamic_cast<const TCellRadioList*>(Graphic.CellBitmap))
        return list->Items;
    return {};
}

} // namespace

// ---- colours and alignment

bool TExtStringGrid::IsNormalCell(int ACol, int ARow)
{
    return ACol >= FixedCols() && ARow >= FixedRows() && ARow < RowCount() - FixedFooters()
           && ACol < ColCount() - FixedRightCols() && !IsFixed(ACol, ARow);
}

TColor TExtStringGrid::BandColor(int ARow, bool Printing) const
{
    if (Bands() && Bands()->Active() && (!Printing || Bands()->Print))
        return Bands()->RowColor(ARow - FixedRows());
    return clNone;
}

void TExtStringGrid::GetCellColors(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TGridDrawState& AState,
                                   TAlignment& HAlign, TVAlignment& VAlign, bool MapDisplayCol, bool UseProps,
                                   bool Printing)
{
    const bool fixedByCounts = ACol < FixedCols() || ARow < FixedRows();
    if (Printing)
        AFont = PrintSettings()->Font;
    else
        AFont = fixedByCounts ? FixedFont() : Font();
    const int col = MapDisplayCol ? RealColIndex(ACol) : ACol;
    ABrush.Color = clNone;

    TCellProperties* props = HasCellProperties(col, ARow) ? GetCellProperties(col, ARow) : nullptr;
    if (props)
        ApplyProperties(*props, AFont, ABrush);

    const bool normal = IsNormalCell(ACol, ARow);
    if (ABrush.Color == clNone) {
        ABrush.Color = Color();
        const TColor band = normal ? BandColor(ARow, Printing) : clNone;
        if (band != clNone)
            ABrush.Color = band;
    }

    if ((fixedByCounts || IsFixed(ACol, ARow)) && !Printing) {
        ABrush.Color = FixedColor();
        AFont.Color = FixedFont().Color;
        AState |= gdFixed;
    }

    if (!Printing) {
        if (ActiveCellShow()
            && ((ACol == 0 && ARow == Row() && FixedCols() > 0) || (ARow == 0 && ACol == Col() && FixedRows() > 0))) {
            AFont = ActiveCellFont();
            ABrush.Color = ActiveCellColor();
        }
        if (props && (AState & gdFixed))
            ApplyProperties(*props, AFont, ABrush);
        GetCellColor(col, ARow, AState, ABrush, AFont);
    } else {
        GetCellPrintColor(col, ARow, AState, ABrush, AFont);
    }

    if (UseProps && !Printing && normal && ShowSelection()) {
        bool selected = false;
        if (MouseActions()->DisjunctRowSelect) {
            selected = RowFlagged(ARow);
            AState &= ~static_cast<TGridDrawState>(gdSelected);
        } else {
            selected = Selection().Contains(ACol, ARow);
        }
        if (MouseActions()->DisjunctCellSelect && !selected)
            selected = CellSelected(col, ARow);
        if (selected) {
            if (SelectionColor() != clNone)
                ABrush.Color = SelectionColor();
            AFont.Color = SelectionTextColor();
            AState |= gdSelected;
        }
    }
    GetCellAlignment(col, ARow, HAlign, VAlign);
}

void TExtStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    HAlign = taLeftJustify;
    VAlign = VAlignment();
    if (AutoNumAlign) {
        QString text = Cells(ACol, ARow);
        if (text.startsWith(QLatin1Char('=')))
            text = CalcCellText(ACol, ARow);
        if (IsType(text) <= 1)
            HAlign = taRightJustify;
    }
    if (HasCellProperties(ACol, ARow)) {
        // A cell with properties is aligned as they say, left and top too.
        const TCellProperties* props = GetCellProperties(ACol, ARow);
        HAlign = props->Alignment;
        VAlign = props->VAlignment();
    }
    GetCellAlign(ACol, ARow, HAlign, VAlign);
}

// ---- one cell

void TExtStringGrid::DrawCellContent(TCanvas& ACanvas, int ACol, TGridDrawState AState, TRect ARect, int ARow)
{
    QPainter* painter = ACanvas.Painter();
    if (!painter || ARect.IsEmpty())
        return;
    const int col = RealColIndex(ACol);
    // A caller drawing the cell over a background of its own (the footer's
    // preview) hands a clear brush: the cell's colour is not filled in.
    const bool ownBackground = ACanvas.Brush.Style == bsClear;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    GetCellColors(ACol, ARow, ACanvas.Font, ACanvas.Brush, AState, hAlign, vAlign, true, false, false);
    TCellGraphic* graphic = GetCellGraphicObject(col, ARow);
    const bool fixed = AState & gdFixed;

    if ((AState & gdSelected) && !(AState & gdFocused) && SelectionColor() == clNone)
        ACanvas.Brush.Color = clHighlight;
    ACanvas.Font.Size += ZoomFactor;
    const TBrush brush = ACanvas.Brush;
    const TFont font = ACanvas.Font;

    TRect rect = ARect;
    const bool qelGradient = fixed && Look() == glQel && !Flat();
    if (!qelGradient && !ownBackground) {
        // The cell's own colours replace what the pass filled in, which
        // counts the focused cell as selected.
        TColor fill = ACanvas.Brush.Color;
        if (CellShownSelected(col, ARow, AState) && ShowSelection() && SelectionColor() != clNone)
            fill = SelectionColor();
        if (fill != clNone)
            painter->fillRect(rect.ToQRect(), ToQColor(fill));
    }
    if (ACol == 0 && ARow == Row() && FixedCols() > 0 && !RowIndicator().GetEmpty()) {
        const QImage& glyph = RowIndicator().Image;
        DrawTransparentBitmap(ACanvas, glyph, FixedColor(),
                              {rect.Left, rect.Top + (rect.Height() - glyph.height()) / 2, rect.Left + glyph.width(),
                               rect.Top + (rect.Height() - glyph.height()) / 2 + glyph.height()});
        rect.Left += glyph.width();
    }
    if (qelGradient)
        PaintQelGradient(ACanvas, Inflated(ARect, 1));

    DrawCellText(ACanvas, ACol, col, ARow, rect, AState, graphic, hAlign, vAlign);

    ACanvas.Brush = brush;
    ACanvas.Font = font;
    rect = ARect;
    DrawCellBorders(ACanvas, col, ARow, Inflated(rect, 1));
    if (fixed)
        DrawFixedRelief(ACanvas, ACol, Inflated(rect, 1));
    if (col == 0 && !fixed && HasNodes() && CellNode()->ShowTree())
        PaintTreeLines(ACanvas, rect, NodeTreePosition(ARow));
    if (graphic) {
        // A graphic or button larger than its cell stays inside it.
        painter->save();
        painter->setClipRect(rect.ToQRect(), Qt::IntersectClip);
        DrawCellGraphic(ACanvas, GraphicRect(col, ARow, rect, *graphic, hAlign), *graphic, col, ARow);
        painter->restore();
    }

    const int line = GridLineWidth();
    const TRect inner{rect.Left + line, rect.Top + line, rect.Right - line, rect.Bottom - line};
    if (OnDrawCell)
        OnDrawCell(col, ARow, inner, AState);
    if (OnCustomCellDraw)
        OnCustomCellDraw(this, ACanvas, col, ARow, AState, rect, false);

    const TPoint current = BaseCell(RealColIndex(Col()), Row());
    if (!HideFocusRect && current.X == col && current.Y == ARow && !(Options() & goRowSelect)
        && (hasFocus() || isAncestorOf(QApplication::focusWidget())) && !fixed)
        ACanvas.DrawFocusRect(Inflated(rect, line - 1));
}

bool TExtStringGrid::CellShownSelected(int ACol, int ARow, TGridDrawState AState) const
{
    bool selected = AState & gdSelected;
    if (MouseActions()->DisjunctRowSelect && ACol >= FixedCols()) {
        // Marked rows show selected; with row selection the mark alone
        // decides, without it a selected cell of an unmarked row shows plain.
        const bool marked = RowFlagged(ARow);
        selected = (Options() & goRowSelect) ? marked : selected && marked;
    }
    return selected && (!(AState & gdFocused) || (Options() & goDrawFocusSelected)) && !(AState & gdFixed);
}

void TExtStringGrid::DrawCellBorders(TCanvas& ACanvas, int ACol, int ARow, TRect R)
{
    TPen pen = ACanvas.Pen;
    TCellBorders borders = 0;
    GetCellBorder(ACol, ARow, pen, borders);
    TPen left = pen, top = pen, right = pen, bottom = pen;
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, ACol, left, top, right, bottom);
    if (!borders)
        return;
    const int half = ((pen.Width + 1) / 2 * 2) / 2;
    R = Inflated(R, -half);
    const auto line = [&](const TPen& with, int x1, int y1, int x2, int y2) {
        ACanvas.Pen = with;
        ACanvas.MoveTo(x1, y1);
        ACanvas.LineTo(x2, y2);
    };
    if (borders & cbLeft)
        line(left, R.Left, R.Top, R.Left, R.Bottom);
    if (borders & cbRight)
        line(right, R.Right, R.Top, R.Right, R.Bottom);
    if (borders & cbTop)
        line(top, R.Left, R.Top, R.Right, R.Top);
    if (borders & cbBottom)
        line(bottom, R.Left, R.Bottom, R.Right, R.Bottom);
    ACanvas.Pen = pen;
}

void TExtStringGrid::DrawFixedRelief(TCanvas& ACanvas, int ACol, const TRect& R)
{
    const TGridOptions options = Options();
    if (!Flat()) {
        switch (Look()) {
        case glClassic: PaintClassicRelief(ACanvas, R); return;
        case glQel: PaintQelRelief(ACanvas, R); return;
        case glSoft:
            PaintSoftRelief(ACanvas, R, true, options & goFixedHorzLine, options & goFixedVertLine, GridLineColor());
            return;
        case glStandard: break;
        }
    }
    if (Look() != glClassic && Flat() && ACol >= ColCount() - FixedRightCols())
        PaintSoftRelief(ACanvas, R, false, true, true, GridLineColor());
}

// ---- the text of a cell

void TExtStringGrid::DrawCellText(TCanvas& ACanvas, int ADisplayCol, int ACol, int ARow, TRect R,
                                  TGridDrawState AState, TCellGraphic* Graphic, TAlignment HAlign,
                                  TVAlignment VAlign)
{
    QPainter* painter = ACanvas.Painter();
    const bool fixed = AState & gdFixed;
    const bool shownSelected = CellShownSelected(ACol, ARow, AState);
    if (shownSelected && ShowSelection()) {
        if (SelectionColor() != clNone)
            ACanvas.Brush.Color = SelectionColor();
        ACanvas.Font.Color = SelectionTextColor();
    }

    QString text = Cells(ACol, ARow);
    const int kind = TextType(text, EnableHTML);
    if (kind == 3)
        text = CalcCellText(ACol, ARow);
    if (IsPasswordCell(ACol, ARow))
        text = PasswordText(text, PasswordChar);

    if (ARow == 0 && HasFilterButton(ACol)) {
        DrawBitmapResource(ACanvas, ACanvas.Brush.Color, {R.Right - kFilterButtonWidth, R.Top,
                                                          R.Right, R.Top + std::min(16, R.Height())},
                           QStringLiteral("ESGFILT"));
        R.Right -= kFilterButtonWidth;
    }

    if (!shownSelected)
        DrawBackGroundPicture(ACanvas, R, fixed);
    DrawSelectionFrame(ACanvas, ADisplayCol, ARow, R);

    const TCellType type = Graphic ? Graphic->CellType : ctEmpty;
    if (Graphic && GraphicReplacesText(type))
        return;
    if (kind == 2) {
        DrawRichText(ACanvas, R, text, shownSelected);
        return;
    }

    TRect textRect{R.Left + XYOffsetX, R.Top + XYOffsetY, R.Right - 2, R.Bottom};
    if (Graphic)
        MakeRoomForGraphic(ACol, ARow, textRect, *Graphic, HAlign);
    const bool sortHeader = SortMarkerShown(ACol, ARow);
    if (sortHeader)
        textRect.Right -= kSortMarkerRoom;

    if (kind == 1) {
        THTMLDrawInput in;
        in.Markup = text;
        in.Rect = textRect;
        in.Images = GridImages();
        in.URLColor = URLColor();
        in.ShadowColor = clGray;
        in.Selected = shownSelected;
        // Without EnhTextSize a line of markup is not cut short by an
        // ellipsis.
        in.WordWrap = !EnhTextSize;
        // The link under the mouse is drawn hovered.
        if (hoverAnchorCell_ == TPoint{ACol, ARow}) {
            in.HoverLink = hoverLink_;
            in.HoverStyle = true;
        }
        in.PictureCache = PictureCache();
        in.Pictures = PictureContainer();
        in.Window = this;
        // A form button pressed in this cell is drawn down under the point
        // it was pressed at.
        if (htmlPressedCell_ == TPoint{ACol, ARow}) {
            in.X = htmlPressedAt_.x();
            in.Y = htmlPressedAt_.y();
            in.Down = true;
        }
        if (&ACanvas == &Canvas)
            RememberHTMLLayout(ADisplayCol, ACol, ARow, textRect, ACanvas.Font, shownSelected);
        in.Blink = BlinkShown();
        THTMLDrawOutput out;
        const TBrushStyle style = ACanvas.Brush.Style;
        ACanvas.Brush.Style = bsClear;
        HTMLDraw(ACanvas, in, out);
        ACanvas.Brush.Style = style;
    } else if (painter && !text.isEmpty()) {
        if (URLShow() && IsURL(text)) {
            text = URLDisplayText(text, URLFull());
            ACanvas.Font.Style |= fsUnderline;
            if (!(shownSelected && ShowSelection()))
                ACanvas.Font.Color = URLColor();
        }
        DrawPlainText(ACanvas, textRect, text, HAlign, VAlign);
    }
    if (sortHeader)
        DrawSortMarker(ACanvas, R, ACol);
}

void TExtStringGrid::DrawPlainText(TCanvas& ACanvas, const TRect& R, const QString& Text, TAlignment HAlign,
                                   TVAlignment VAlign)
{
    QPainter* painter = ACanvas.Painter();
    if (R.IsEmpty())
        return;
    painter->save();
    painter->setClipRect(R.ToQRect(), Qt::IntersectClip);
    const QFont qfont = ACanvas.Font.ToQFont(font());
    painter->setFont(qfont);
    painter->setPen(ToQColor(ACanvas.Font.Color));
    const QFontMetrics metrics(qfont);
    Qt::Alignment flags = ToQtAlignment(HAlign, VAlign);
    if (layoutDirection() == Qt::RightToLeft)
        flags |= Qt::AlignAbsolute;
    QString shown = Multilinecells ? WithLineFeeds(Text) : QString(Text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool singleLine = !shown.contains(QLatin1Char('\n'));
    if (WordWrap()) {
        painter->drawText(R.ToQRect(), static_cast<int>(flags) | Qt::TextWordWrap, shown);
    } else if (singleLine) {
        if (EnhTextSize)
            shown = metrics.elidedText(shown, Qt::ElideRight, R.Width());
        painter->drawText(R.ToQRect(), static_cast<int>(flags) | Qt::TextSingleLine, shown);
    } else {
        painter->drawText(R.ToQRect(), static_cast<int>(flags), shown);
    }
    painter->restore();
}

void TExtStringGrid::DrawRichText(TCanvas& ACanvas, const TRect& R, const QString& Text, bool Selected)
{
    QPainter* painter = ACanvas.Painter();
    if (ACanvas.Brush.Style != bsClear)
        painter->fillRect(R.ToQRect(), ToQColor(ACanvas.Brush.Color));
    TRichEdit* edit = PaintRichEdit();
    edit->SetRtfText(Text.toLatin1());
    QTextDocument* document = edit->document();
    if (Selected && !SelectionRTFKeep) {
        QTextCursor cursor(document);
        cursor.select(QTextCursor::Document);
        QTextCharFormat format;
        format.setForeground(ToQColor(SelectionTextColor()));
        cursor.mergeCharFormat(format);
    }
    document->setDocumentMargin(0);
    const QRect area(R.Left + XYOffsetX, R.Top + XYOffsetY, R.Width() - XYOffsetX, R.Height() - XYOffsetY);
    document->setTextWidth(area.width());
    painter->save();
    painter->translate(area.topLeft());
    painter->setClipRect(QRect(QPoint(0, 0), area.size()), Qt::IntersectClip);
    document->drawContents(painter, QRectF(QPointF(0, 0), QSizeF(area.size())));
    painter->restore();
}

TRichEdit* TExtStringGrid::PaintRichEdit()
{
    if (HiddenRichEdit())
        return HiddenRichEdit();
    if (!paintRichEdit_) {
        // Created once, hidden, and reused for every rich-text cell.
        paintRichEdit_ = new TRichEdit(this);
        paintRichEdit_->hide();
    }
    return paintRichEdit_;
}

void TExtStringGrid::DrawBackGroundPicture(TCanvas& ACanvas, const TRect& R, bool Fixed)
{
    const TBackGround* back = BackGround();
    if (!back || back->Bitmap().GetEmpty())
        return;
    const TBackgroundCells cells = back->Cells();
    if (!(cells == bcAll || (Fixed ? cells == bcFixed : cells == bcNormal)))
        return;
    QPainter* painter = ACanvas.Painter();
    const QPixmap picture = QPixmap::fromImage(back->Bitmap().Image);
    painter->save();
    painter->setClipRect(R.ToQRect(), Qt::IntersectClip);
    if (back->Display() == bdTile) {
        const QPoint offset((R.Left - back->Left()) % picture.width(), (R.Top - back->Top()) % picture.height());
        painter->drawTiledPixmap(R.ToQRect(), picture,
                                 QPoint((offset.x() + picture.width()) % picture.width(),
                                        (offset.y() + picture.height()) % picture.height()));
    } else {
        painter->drawPixmap(back->Left(), back->Top(), picture);
    }
    painter->restore();
}

void TExtStringGrid::DrawSelectionFrame(TCanvas& ACanvas, int ACol, int ARow, const TRect& R)
{
    if (!SelectionRectangle() || !IsNormalCell(ACol, ARow))
        return;
    const TGridRect selection = Selection();
    if (!selection.Contains(ACol, ARow))
        return;
    const TRect cell = Inflated(R, 1);
    PaintSelectionFrame(ACanvas, cell,
                        {ACol == selection.Left, ARow == selection.Top, ACol == selection.Right,
                         ARow == selection.Bottom},
                        kSelectionFrameColor);
    if (SelectionResizer() && ACol == selection.Right && ARow == selection.Bottom)
        PaintSelectionResizer(ACanvas, cell, kSelectionFrameColor);
}

bool TExtStringGrid::SortMarkerShown(int ACol, int ARow)
{
    const TSortSettings* sort = SortSettings();
    if (!sort || !sort->Show() || ARow != sort->Row() || ARow >= FixedRows())
        return false;
    if (sort->IndexShow())
        return sortIndexes_.FindIndex(ACol) >= 0;
    return ACol == sort->Column();
}

void TExtStringGrid::DrawSortMarker(TCanvas& ACanvas, const TRect& R, int ACol)
{
    const TSortSettings* sort = SortSettings();
    if (sort->IndexShow()) {
        const int index = sortIndexes_.FindIndex(ACol);
        PaintSortIndex(ACanvas, R, TSortIndexList::Descending(sortIndexes_.Items(index)), index + 1,
                       sort->IndexColor());
        return;
    }
    PaintSortMarker(ACanvas, R, sort->Direction() == sdDescending, &sort->UpGlyph(), &sort->DownGlyph());
}

// ---- graphics

TControlPaintLook TExtStringGrid::ControlPaintLook() const
{
    TControlPaintLook look;
    look.Window = const_cast<TExtStringGrid*>(this);
    if (const TControlLook* control = ControlLook()) {
        look.Style = control->ControlStyle();
        look.CheckSize = control->CheckSize();
        look.RadioSize = control->RadioSize();
        look.Color = control->Color();
        look.CheckedGlyph = &control->CheckedGlyph();
        look.UnCheckedGlyph = &control->UnCheckedGlyph();
        look.RadioOnGlyph = &control->RadioOnGlyph();
        look.RadioOffGlyph = &control->RadioOffGlyph();
    }
    return look;
}

void TExtStringGrid::DrawCheckBox(TCanvas& ACanvas, const TRect& R, bool Checked, bool Enabled, int Style)
{
    TControlPaintLook look = ControlPaintLook();
    look.Style = static_cast<TControlStyle>(Style);
    PaintCheckBox(ACanvas, R, Checked, Enabled, look);
}

void TExtStringGrid::DrawRadioGroup(TCanvas& ACanvas, const TRect& R, const QStringList& Options, int Selected,
                                    bool Horizontal, bool Enabled)
{
    PaintRadioGroup(ACanvas, R, Options, Selected, Horizontal, Enabled, ControlPaintLook());
}

TFont TExtStringGrid::CellFont(int ACol, int ARow, bool UseProps)
{
    TFont cellFont;
    TBrush brush;
    TGridDrawState state = 0;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    GetCellColors(ACol, ARow, cellFont, brush, state, hAlign, vAlign, false, UseProps, false);
    cellFont.Size += ZoomFactor;
    return cellFont;
}

bool TExtStringGrid::NodeButtonAt(int ACol, int ARow, int X)
{
    if (ACol != 0 || !IsNode(ARow))
        return false;
    const TRect r = CellRect(ACol, ARow);
    return X >= r.Left && X < r.Left + kNodeButtonRoom;
}

int TExtStringGrid::CellTextWidth(int ACol, int ARow)
{
    return QFontMetrics(CellFont(ACol, ARow, false).ToQFont(font())).horizontalAdvance(Cells(ACol, ARow));
}

TRect TExtStringGrid::GraphicRect(int ACol, int ARow, const TRect& R, const TCellGraphic& Graphic,
                                  TAlignment HAlign)
{
    const QSize size = GetCellGraphicSize(ACol, ARow);
    const int w = Graphic.CellHAlign == haFull ? R.Width() : size.width();
    const int h = Graphic.CellVAlign == vaFull ? R.Height() : size.height();
    const bool rightText = HAlign == taRightJustify;
    int x = R.Left + 1;
    switch (Graphic.CellHAlign) {
    case haLeft: break;
    case haRight: x = R.Right - 1 - w; break;
    case haCenter: x = w > R.Width() ? R.Left + 1 : R.Left + (R.Width() - w) / 2; break;
    case haBeforeText:
        if (rightText)
            x = std::max(R.Left, R.Right - CellTextWidth(ACol, ARow) - w - XYOffsetX);
        break;
    case haAfterText:
        x = rightText ? R.Right - 1 - w : R.Left + XYOffsetX + CellTextWidth(ACol, ARow) + 2;
        break;
    case haFull: x = R.Left; break;
    }
    int y = R.Top + 1;
    switch (Graphic.CellVAlign) {
    case vaTop:
    case vaAboveText: break;
    case vaBottom: y = R.Bottom - 1 - h; break;
    case vaCenter: y = R.Top + (R.Height() - h) / 2; break;
    case vaUnderText: y = R.Bottom - h; break;
    case vaFull: y = R.Top; break;
    }
    if (Graphic.CellType == ctNode || Graphic.CellType == ctComment || Graphic.CellType == ctProgress
        || Graphic.CellType == ctRotated || Graphic.CellType == ctRadio)
        return R;
    return {x, y, x + w, y + h};
}

void TExtStringGrid::MakeRoomForGraphic(int ACol, int ARow, TRect& R, const TCellGraphic& Graphic,
                                        TAlignment HAlign)
{
    if (Graphic.CellType == ctNode) {
        R.Left += kNodeButtonRoom;
        return;
    }
    const QSize size = GetCellGraphicSize(ACol, ARow);
    if (size.isEmpty())
        return;
    const bool rightText = HAlign == taRightJustify;
    switch (Graphic.CellHAlign) {
    case haLeft: R.Left += size.width() + 2; break;
    case haRight: R.Right -= size.width() + 2; break;
    case haBeforeText:
        if (!rightText)
            R.Left += size.width() + 2;
        break;
    case haAfterText:
        if (rightText)
            R.Right -= size.width() + 2;
        break;
    default: break;
    }
    if (Graphic.CellVAlign == vaAboveText)
        R.Top += size.height();
    else if (Graphic.CellVAlign == vaUnderText)
        R.Bottom -= size.height();
}

void TExtStringGrid::DrawCellGraphic(TCanvas& ACanvas, const TRect& R, TCellGraphic& Graphic, int ACol, int ARow)
{
    QPainter* painter = ACanvas.Painter();
    if (!painter)
        return;
    const TControlPaintLook look = ControlPaintLook();
    switch (Graphic.CellType) {
    case ctBitmap:
        if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic.CellBitmap)) {
            if (Graphic.CellTransparent)
                DrawTransparentBitmap(ACanvas, bitmap->Image, clNone, R);
            else
                bitmap->Draw(ACanvas, R);
        }
        break;
    case ctIcon:
        if (auto* icon = dynamic_cast<TIcon*>(Graphic.CellIcon))
            icon->Draw(ACanvas, R);
        break;
    case ctImageList:
        if (GridImages())
            GridImages()->Draw(ACanvas, R.Left, R.Top, Graphic.CellIndex);
        break;
    case ctDataImage:
        if (GridImages())
            GridImages()->Draw(ACanvas, R.Left, R.Top, Cells(ACol, ARow).trimmed().toInt());
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        bool checked = Graphic.CellBoolean;
        if (Graphic.CellType != ctCheckBox) {
            QString checkTrue;
            GetCheckTrue(ACol, ARow, checkTrue);
            checked = Cells(ACol, ARow) == checkTrue;
        }
        DrawCheckBox(ACanvas, R, checked, CanEditCell(ACol, ARow), look.Style);
        break;
    }
    case ctRotated: PaintRotatedText(ACanvas, R, Cells(ACol, ARow), Graphic.CellAngle); break;
    case ctNode: {
        TRect button = R;
        PaintNodeButton(ACanvas, button, Graphic.CellBoolean, *CellNode(), ACanvas.Brush.Color);
        break;
    }
    case ctRadio: {
        const QStringList options = RadioOptionsOf(Graphic);
        TRect area{R.Left + XYOffsetX - 2, R.Top, R.Right, R.Bottom};
        DrawRadioGroup(ACanvas, area, options, RadioSelection(options, Graphic.CellIndex, Cells(ACol, ARow)),
                       Graphic.CellBoolean, CanEditCell(ACol, ARow));
        break;
    }
    case ctImages:
        if (auto* list = dynamic_cast<TIntList*>(Graphic.CellBitmap); list && GridImages()) {
            for (int i = 0; i < list->Count(); ++i) {
                const int x = Graphic.CellBoolean ? R.Left + i * GridImages()->Width : R.Left;
                const int y = Graphic.CellBoolean ? R.Top : R.Top + i * GridImages()->Height;
                GridImages()->Draw(ACanvas, x, y, list->Items(i));
            }
        }
        break;
    case ctPicture:
        if (auto* picture = dynamic_cast<TGraphic*>(Graphic.CellBitmap))
            picture->Draw(ACanvas, R);
        break;
    case ctFilePicture:
        if (auto* picture = dynamic_cast<TFilePicture*>(Graphic.CellBitmap))
            picture->Draw(ACanvas, R);
        break;
    case ctProgress: {
        PaintProgress(ACanvas, R, Cells(ACol, ARow).trimmed().toInt(), Cells(ACol, ARow).trimmed(),
                      ProgressColor(Graphic, true), ProgressColor(Graphic, false),
                      Graphic.CellBoolean ? Graphic.CellIndex : clNone, Graphic.CellBoolean ? Graphic.CellAngle : clNone);
        break;
    }
    case ctComment: PaintCommentMark(ACanvas, R, CommentColor); break;
    case ctButton:
    case ctBitButton: {
        const TBitmap* glyph = Graphic.CellType == ctBitButton ? dynamic_cast<TBitmap*>(Graphic.CellBitmap) : nullptr;
        bool flat = false;
        flat = ControlLook() && ControlLook()->FlatButton();
        PaintCellButton(ACanvas, R, pressedButton_ == TPoint{ACol, ARow}, flat, glyph, QString());
        break;
    }
    case ctNone:
    case ctEmpty:
    case ctValue: break;
    }
}

TColor TExtStringGrid::ProgressColor(const TCellGraphic& Graphic, bool Filled)
{
    // A progress graphic keeps its fill colour where a bitmap would be and
    // its second colour where an icon would be, as colour holders.
    const TObject* holder = Filled ? Graphic.CellBitmap : Graphic.CellIcon;
    if (const auto* colour = dynamic_cast<const TCellColor*>(holder))
        return colour->Color;
    return Filled ? clHighlight : clWindow;
}

// ---- sizes

QSize TExtStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow);
    if (!graphic)
        return {0, 0};
    const bool widthCounts = graphic->CellHAlign == haBeforeText || graphic->CellHAlign == haAfterText
                             || Cells(ACol, ARow).isEmpty();
    const TControlPaintLook look = ControlPaintLook();
    QSize size(0, 0);
    switch (graphic->CellType) {
    case ctBitmap:
        if (const auto* bitmap = dynamic_cast<const TGraphic*>(graphic->CellBitmap))
            size = {widthCounts ? bitmap->GetWidth() : 0, bitmap->GetHeight()};
        break;
    case ctIcon:
        if (const auto* icon = dynamic_cast<const TGraphic*>(graphic->CellIcon))
            size = {widthCounts ? icon->GetWidth() : 0, icon->GetHeight()};
        break;
    case ctImageList:
    case ctDataImage:
        if (GridImages())
            size = {widthCounts ? GridImages()->Width : 0, GridImages()->Height};
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox: size = {look.CheckSize, look.CheckSize}; break;
    case ctRadio: {
        const QStringList options = RadioOptionsOf(*graphic);
        const QFontMetrics metrics(font());
        const int textHeight = metrics.height();
        if (graphic->CellBoolean) {
            int width = 0;
            for (const QString& option : options)
                width += metrics.horizontalAdvance(option) + 12;
            size = {width, textHeight};
        } else {
            int width = 12;
            for (const QString& option : options)
                width = std::max(width, metrics.horizontalAdvance(option) + 12);
            size = {width, textHeight * static_cast<int>(options.size())};
        }
        break;
    }
    case ctImages:
        if (const auto* list = dynamic_cast<const TIntList*>(graphic->CellBitmap); list && GridImages()) {
            const int n = list->Count();
            size = graphic->CellBoolean ? QSize(n * GridImages()->Width, GridImages()->Height)
                                        : QSize(GridImages()->Width, n * GridImages()->Height);
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        QSize picture;
        if (const auto* graphicPicture = dynamic_cast<const TGraphic*>(graphic->CellBitmap))
            picture = {graphicPicture->GetWidth(), graphicPicture->GetHeight()};
        else if (const auto* file = dynamic_cast<const TFilePicture*>(graphic->CellBitmap))
            picture = {file->Width(), file->Height()};
        size = CellPictureSize({ColWidths(ACol), RowHeights(ARow)}, picture, graphic->CellIndex, graphic->CellAngle);
        break;
    }
    case ctButton:
    case ctBitButton: size = {graphic->CellIndex & 0xFFFF, (graphic->CellIndex >> 16) & 0xFFFF}; break;
    default: break;
    }
    if (graphic->CellHAlign == haFull)
        size.setWidth(ColWidths(ACol));
    if (graphic->CellVAlign == vaFull)
        size.setHeight(RowHeights(ARow));
    return size;
}

QSize TExtStringGrid::GetCellGraphicPrintSize(int ACol, int ARow, double Scale, int AvailWidth, int AvailHeight)
{
    const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow);
    if (graphic && (graphic->CellType == ctPicture || graphic->CellType == ctFilePicture) && Scale > 0) {
        QSize picture;
        if (const auto* graphicPicture = dynamic_cast<const TGraphic*>(graphic->CellBitmap))
            picture = {graphicPicture->GetWidth(), graphicPicture->GetHeight()};
        else if (const auto* file = dynamic_cast<const TFilePicture*>(graphic->CellBitmap))
            picture = {file->Width(), file->Height()};
        const QSize size = CellPictureSize({AvailWidth, AvailHeight}, picture, graphic->CellIndex, graphic->CellAngle);
        return {static_cast<int>(std::lround(size.width() / Scale)),
                static_cast<int>(std::lround(size.height() / Scale))};
    }
    return GetCellGraphicSize(ACol, ARow);
}

QSize TExtStringGrid::GetCellTextSize(int ACol, int ARow, bool AWordWrap)
{
    const TFont cellFont = CellFont(ACol, ARow, true);
    const QFont qfont = cellFont.ToQFont(font());
    const QFontMetrics metrics(qfont);

    QString text = Cells(ACol, ARow);
    const int kind = TextType(text, EnableHTML);
    if (kind == 3)
        text = CalcCellText(ACol, ARow);

    if (const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow); graphic && graphic->CellType == ctRotated)
        return RotatedTextSize(qfont, text, graphic->CellAngle);

    if (kind == 1) {
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        painter.setFont(qfont);
        TCanvas canvas(&painter);
        canvas.Font = cellFont;
        THTMLDrawInput in;
        in.Markup = text;
        in.Rect = {0, 0, 4096, 4096};
        in.CheckOnly = true;
        in.WordWrap = !EnhTextSize;
        in.Images = GridImages();
        in.PictureCache = PictureCache();
        in.Pictures = PictureContainer();
        in.Window = this;
        THTMLDrawOutput out;
        HTMLDraw(canvas, in, out);
        return {out.XSize + 2 * XYOffsetX + 2, out.YSize + 2 * XYOffsetY + 2};
    }
    if (kind == 2) {
        TRichEdit* edit = PaintRichEdit();
        edit->SetRtfText(text.toLatin1());
        QTextDocument* document = edit->document();
        document->setDocumentMargin(0);
        document->setTextWidth(-1);
        const QSizeF ideal = document->size();
        return {static_cast<int>(std::ceil(document->idealWidth())) + 2 * XYOffsetX,
                static_cast<int>(std::ceil(ideal.height())) + 2 * XYOffsetY};
    }
    if (IsPasswordCell(ACol, ARow))
        text = PasswordText(text, PasswordChar);
    if (URLShow() && IsURL(text))
        text = URLDisplayText(text, URLFull());
    if (AWordWrap) {
        const int width = std::max(1, ColWidths(ACol) - 2 * XYOffsetX);
        const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text);
        return {bounds.width() + 2 * XYOffsetX, bounds.height() + 2 * XYOffsetY};
    }
    const QStringList lines = Multilinecells ? WithLineFeeds(text).split(QLatin1Char('\n')) : QStringList{text};
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return {widest + 2 * XYOffsetX, metrics.height() * static_cast<int>(lines.size()) + 2 * XYOffsetY};
}

// ---- the whole grid

void TExtStringGrid::Paint()
{
    if (!softBorderFilter_) {
        softBorderFilter_ = new SoftBorderFilter(this);
        installEventFilter(softBorderFilter_);
        update();
    }
    Canvas.Pen = {clBlack, 1};
    TBaseGrid::Paint();
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    if (EditorMode()) {
        const TRect cell = CellRect(Col(), Row());
        if (!cell.IsEmpty()) {
            const bool noLines = GridLineWidth() < 1 || !(Options() & (goHorzLine | goVertLine));
            painter->save();
            painter->setPen(ToQColor(noLines ? Color() : GridLineColor()));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(Inflated(cell, 1).ToQRect().adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }
    if (columnGuideX_ >= 0) {
        const int lastRow = RowCount() - 1;
        const TRect last = CellRect(0, lastRow);
        const int bottom = last.IsEmpty() ? viewport()->height() : std::min(viewport()->height(), last.Bottom);
        PaintColumnMoveGuide(Canvas, columnGuideX_, 0, bottom);
    }
    Canvas.Pen.Color = clBlack;
}

void TExtStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    // With columns hidden, the last display columns have no column behind
    // them: they show as the grid's background.
    if (RealColIndex(ACol) >= ColCount()) {
        Canvas.Brush = {Color(), bsSolid};
        Canvas.Pen = {Color(), 1};
        Canvas.FillRect(ARect);
        return;
    }
    TBaseGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TExtStringGrid::ShowColumnMoveGuide(int X)
{
    columnGuideX_ = X;
    viewport()->update();
}

void TExtStringGrid::HideColumnMoveGuide()
{
    columnGuideX_ = -1;
    viewport()->update();
}

bool TExtStringGrid::SoftBorderShown() const
{
    return (Look() == glSoft || Look() == glQel) && frameShape() != QFrame::NoFrame && !Flat();
}

void TExtStringGrid::PaintNonClient()
{
    if (!SoftBorderShown() || UpdateCount() > 0)
        return;
    QPainter painter(this);
    TCanvas canvas(&painter);
    const QWidget* parent = parentWidget();
    const TColor parentColor = parent ? static_cast<TColor>(parent->palette().color(QPalette::Window).rgb() & 0xFFFFFF)
                                      : clBtnFace;
    // The palette's colour as 0x00BBGGRR.
    const TColor bgr = ((parentColor & 0xFF) << 16) | (parentColor & 0xFF00) | ((parentColor >> 16) & 0xFF);
    PaintSoftBorder(canvas, TRect::FromQRect(rect()), bgr);
}

void TExtStringGrid::SetPressedCellButton(int ACol, int ARow)
{
    const TPoint before = pressedButton_;
    pressedButton_ = {ACol, ARow};
    if (before.X >= 0)
        RepaintCell(before.X, before.Y);
    if (ACol >= 0)
        RepaintCell(ACol, ARow);
}
