#include "grid/basegrid.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

// ---- cell properties

TCellProperties::TCellProperties(TBaseGrid* Grid, int ACol, int ARow) : OwnerCol(ACol), OwnerRow(ARow), grid_(Grid) {}

void TCellProperties::Assign(const TCellProperties& Source)
{
    IsBaseCell = Source.IsBaseCell;
    CellSpanX = Source.CellSpanX;
    CellSpanY = Source.CellSpanY;
    OwnerRow = Source.OwnerRow;
    OwnerCol = Source.OwnerCol;
    Alignment = Source.Alignment;
    BorderColor = Source.BorderColor;
    BorderWidth = Source.BorderWidth;
    brushColor_ = Source.brushColor_;
    BrushStyle = Source.BrushStyle;
    FontColor = Source.FontColor;
    FontStyle = Source.FontStyle;
    FontName = Source.FontName;
    FontSize = Source.FontSize;
    ReadOnly = Source.ReadOnly;
    Editor = Source.Editor;
    vAlignment_ = Source.vAlignment_;
    SetWordWrap(Source.wordWrap_);
    NodeLevel = Source.NodeLevel;
    Repaint();
}

void TCellProperties::Repaint()
{
    if (grid_ && OwnerCol < grid_->ColCount() && OwnerRow < grid_->RowCount())
        grid_->RepaintCell(OwnerCol, OwnerRow);
}

void TCellProperties::SetBrushColor(TColor color)
{
    brushColor_ = color;
    Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment alignment)
{
    vAlignment_ = alignment;
    Repaint();
}

void TCellProperties::SetWordWrap(bool on)
{
    wordWrap_ = on;
    Repaint();
}

// ---- grid: life and settings

TBaseGrid::TBaseGrid(QWidget* parent) : TStringGrid(parent)
{
    TStringGrid::SetDefaultDrawing(false);
    TStringGrid::SetGridLineWidth(0);
    SetOptions(Options() | goDrawFocusSelected);
}

TBaseGrid::~TBaseGrid()
{
    ClearCellProperties(0, 0, ColCount() - 1, RowCount() - 1);
}

void TBaseGrid::SetDefaultDrawing(bool on)
{
    defaultDrawing_ = on;
    TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int width)
{
    gridLineWidth_ = width;
    TStringGrid::SetGridLineWidth(0);
    InvalidateGrid();
}

void TBaseGrid::SetGridLineColor(TColor color)
{
    gridLineColor_ = color;
    InvalidateGrid();
}

void TBaseGrid::ObjectDropped(TObject* Object)
{
    // Only what this grid created lives in the slots.
    delete Object;
}

// ---- cells and their properties

TCellProperties* TBaseGrid::PropsAt(int ACol, int ARow) const
{
    return static_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
}

QString TBaseGrid::GetCells(int ACol, int ARow) const
{
    const TPoint base = BaseCell(ACol, ARow);
    QString value = TStringGrid::GetCells(base.X, base.Y);
    if (base.Y < DisplRowCount)
        GetDisplText(base.X, base.Y, value);
    return value;
}

void TBaseGrid::SetCells(int ACol, int ARow, const QString& Value)
{
    if (HasCellProperties(ACol, ARow)) {
        const TPoint base = BaseCell(ACol, ARow);
        TStringGrid::SetCells(base.X, base.Y, Value);
        if (parentWidget())
            RepaintCell(ACol, ARow);
    } else {
        TStringGrid::SetCells(ACol, ARow, Value);
    }
    if (FooterRowShown && ARow == RowCount() - 1)
        FooterRowChanged();
}

void TBaseGrid::SetRawCell(TBaseGrid* Grid, int ACol, int ARow, const QString& Value)
{
    Grid->TStringGrid::SetCells(ACol, ARow, Value);
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const
{
    return PropsAt(ACol, ARow) != nullptr;
}

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow)
{
    TCellProperties* props = PropsAt(ACol, ARow);
    if (!props) {
        props = new TCellProperties(this, ACol, ARow);
        SetObjects(ACol, ARow, props);
    }
    return props;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Props)
{
    TCellProperties* old = PropsAt(ACol, ARow);
    if (old == Props)
        return;
    SetObjects(ACol, ARow, Props);
    if (old)
        ObjectDropped(old);
}

TObject* TBaseGrid::GetRawObject(int ACol, int ARow) const
{
    return TStringGrid::Objects(ACol, ARow);
}

void TBaseGrid::SetRawObject(int ACol, int ARow, TObject* Obj)
{
    SetObjects(ACol, ARow, Obj);
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    int col = ACol;
    int row = ARow;
    IsBaseCellAt(ACol, ARow, col, row);
    return {col, row};
}

bool TBaseGrid::IsBaseCellAt(int ACol, int ARow, int& BaseCol, int& BaseRow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    if (!props || props->IsBaseCell || props->CellSpanX == -1 || props->CellSpanY == -1)
        return true;
    BaseCol = ACol - props->CellSpanX;
    BaseRow = ARow - props->CellSpanY;
    return false;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    if (!props || props->CellSpanX == -1 || props->CellSpanY == -1)
        return {0, 0};
    const TPoint base = BaseCell(ACol, ARow);
    const TCellProperties* baseProps = PropsAt(base.X, base.Y);
    if (!baseProps)
        return {0, 0};
    return {std::max(baseProps->CellSpanX, 0), std::max(baseProps->CellSpanY, 0)};
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    return props && (props->CellSpanX > 0 || props->CellSpanY > 0);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    return CellSpan(ACol, ARow).X > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    return CellSpan(ACol, ARow).Y > 0;
}

bool TBaseGrid::RowsMerged(int ARow1, int ARow2) const
{
    bool merged = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (!IsYMergedCell(c, ARow1) || !IsYMergedCell(c, ARow2))
            continue;
        if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y)
            return false;
        merged = true;
    }
    return merged;
}

TObject* TBaseGrid::GetCellGraphic(int ACol, int ARow) const
{
    const TCellProperties* props = PropsAt(ACol, ARow);
    return props ? props->CellGraphic : nullptr;
}

void TBaseGrid::SetCellGraphic(int ACol, int ARow, TObject* Graphic)
{
    // The graphic lives in the cell's own properties; its text, and the
    // text of the block a covered cell lies in, stay as they are.
    GetCellProperties(ACol, ARow)->CellGraphic = Graphic;
    InvalidateCell(ACol, ARow);
}

void TBaseGrid::ResetColumn(int ACol)
{
    for (int r = 0; r < RowCount(); ++r) {
        SetObjects(ACol, r, nullptr);
        TStringGrid::SetCells(ACol, r, QString());
    }
}

void TBaseGrid::ResetRow(int ARow)
{
    for (int c = 0; c < ColCount(); ++c) {
        SetObjects(c, ARow, nullptr);
        TStringGrid::SetCells(c, ARow, QString());
    }
}

void TBaseGrid::ClearCell(int ACol, int ARow)
{
    TStringGrid::SetCells(ACol, ARow, QString());
    SetObjects(ACol, ARow, nullptr);
}

void TBaseGrid::ClearCellProperties(int FromCol, int FromRow, int ToCol, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            if (TObject* object = GetRawObject(c, r)) {
                SetObjects(c, r, nullptr);
                ObjectDropped(object);
            }
}

void TBaseGrid::MergeCells(int ACol, int ARow, int NumCols, int NumRows)
{
    for (int r = ARow; r < ARow + NumRows; ++r)
        for (int c = ACol; c < ACol + NumCols; ++c) {
            TCellProperties* props = GetCellProperties(c, r);
            props->IsBaseCell = c == ACol && r == ARow;
            props->CellSpanX = props->IsBaseCell ? NumCols - 1 : c - ACol;
            props->CellSpanY = props->IsBaseCell ? NumRows - 1 : r - ARow;
        }
    for (int r = ARow; r < ARow + NumRows; ++r)
        for (int c = ACol; c < ACol + NumCols; ++c)
            RepaintCell(c, r);
}

void TBaseGrid::SplitCells(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    const TPoint span = CellSpan(ACol, ARow);
    for (int r = base.Y; r <= base.Y + span.Y; ++r)
        for (int c = base.X; c <= base.X + span.X; ++c) {
            TCellProperties* props = GetCellProperties(c, r);
            props->IsBaseCell = true;
            props->CellSpanX = -1;
            props->CellSpanY = -1;
        }
    for (int r = base.Y; r <= base.Y + span.Y; ++r)
        for (int c = base.X; c <= base.X + span.X; ++c)
            RepaintCell(c, r);
}

// ---- geometry

int TBaseGrid::ColsExtent(int from, int to) const
{
    int extent = 0;
    for (int c = from; c < to; ++c)
        extent += ColWidths(c);
    return extent;
}

int TBaseGrid::RowsExtent(int from, int to) const
{
    int extent = 0;
    for (int r = from; r < to; ++r)
        extent += RowHeights(r);
    return extent;
}

int TBaseGrid::FixedColsWidth() const
{
    return ColsExtent(0, FixedCols());
}

int TBaseGrid::FixedRowsHeight() const
{
    return RowsExtent(0, FixedRows());
}

TRect TBaseGrid::PlainCellRect(int ACol, int ARow) const
{
    // The string grid's lines are 0 wide: cells abut, and the scrolled ones
    // start right after the fixed area.
    // Scrolled cells are measured from the first one in view, so that a
    // cell near the view costs the same at the top of a long grid as at its
    // end.
    const bool fixedCol = ACol < FixedCols();
    const bool fixedRow = ARow < FixedRows();
    const int x = fixedCol ? ColsExtent(0, ACol)
                           : FixedColsWidth()
                                 + (ACol >= LeftCol() ? ColsExtent(LeftCol(), ACol) : -ColsExtent(ACol, LeftCol()));
    const int y = fixedRow ? RowsExtent(0, ARow)
                           : FixedRowsHeight()
                                 + (ARow >= TopRow() ? RowsExtent(TopRow(), ARow) : -RowsExtent(ARow, TopRow()));
    return {x, y, x + ColWidths(ACol), y + RowHeights(ARow)};
}

bool TBaseGrid::BlockInView(int ACol, int ARow) const
{
    // Whether any cell of the block from (ACol, ARow) over its span can be
    // on screen: fixed ones always, scrolled ones from the top-left cell in
    // view until the client area is full. Cells far from the view are
    // answered without measuring the grid up to them.
    const TPoint span = CellSpan(ACol, ARow);
    const TPoint base = BaseCell(ACol, ARow);
    auto inView = [](int first, int last, int fixed, int firstShown, int room, auto size) {
        if (first < fixed)
            return true;
        if (last < firstShown)
            return false;
        int used = 0;
        for (int i = firstShown; i < first; ++i) {
            used += size(i);
            if (used >= room)
                return false;
        }
        return true;
    };
    const bool cols = inView(base.X, base.X + span.X, FixedCols(), LeftCol(), viewport()->width() - FixedColsWidth(),
                             [this](int c) { return ColWidths(c); });
    const bool rows = inView(base.Y, base.Y + span.Y, FixedRows(), TopRow(),
                             viewport()->height() - FixedRowsHeight(), [this](int r) { return RowHeights(r); });
    return cols && rows;
}

TRect TBaseGrid::MergedCellRect(int ACol, int ARow) const
{
    if (!IsMergedCell(ACol, ARow))
        return PlainCellRect(ACol, ARow);
    const TPoint base = BaseCell(ACol, ARow);
    const TPoint span = CellSpan(ACol, ARow);
    const TRect first = PlainCellRect(base.X, base.Y);
    const TRect last = PlainCellRect(std::min(base.X + span.X, ColCount() - 1), std::min(base.Y + span.Y, RowCount() - 1));
    return {std::min(first.Left, last.Left), std::min(first.Top, last.Top), std::max(first.Right, last.Right),
            std::max(first.Bottom, last.Bottom)};
}

TPoint TBaseGrid::MergedCellSize(int ACol, int ARow) const
{
    const TRect rect = MergedCellRect(ACol, ARow);
    return {rect.Width(), rect.Height()};
}

void TBaseGrid::RepaintCell(int ACol, int ARow)
{
    // A mirrored grid repaints whole: its cells lie elsewhere on screen.
    if (mirrored_)
        InvalidateGrid();
    else if (BlockInView(ACol, ARow))
        viewport()->update(MergedCellRect(ACol, ARow).ToQRect());
}

void TBaseGrid::InvalidateCell(int ACol, int ARow)
{
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount())
        RepaintCell(ACol, ARow);
}

void TBaseGrid::InvalidateRow(int ARow)
{
    // A merged cell of the row may reach into other rows.
    for (int c = 0; c < ColCount(); ++c)
        if (IsMergedCell(c, ARow)) {
            InvalidateGrid();
            return;
        }
    TStringGrid::InvalidateRow(ARow);
}

void TBaseGrid::InvalidateCol(int ACol)
{
    for (int r = 0; r < RowCount(); ++r)
        if (IsMergedCell(ACol, r)) {
            InvalidateGrid();
            return;
        }
    TStringGrid::InvalidateCol(ACol);
}

void TBaseGrid::SetGridMirroring(TBaseGrid* Grid, bool RightToLeft)
{
    Grid->mirrored_ = RightToLeft;
    Grid->InvalidateGrid();
}

// ---- painting

void TBaseGrid::Paint()
{
    if (QPainter* painter = Canvas.Painter()) {
        // The window maps x to width - x when mirrored; the viewport is
        // always the client area.
        const int w = viewport()->width();
        const int h = viewport()->height();
        painter->setViewport(0, 0, w, h);
        if (mirrored_)
            painter->setWindow(w, 0, -w, h);
        else
            painter->setWindow(0, 0, w, h);
    }
    TStringGrid::Paint();
    paintCount_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(paintCount_) + 1);
    if (paintCount_ == 0)
        paintCount_ = 1;
}

TGridDrawState TBaseGrid::StateFor(int ACol, int ARow) const
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return gdFixed;
    TGridDrawState state = 0;
    if (ACol == Col() && ARow == Row() && (hasFocus() || isAncestorOf(QApplication::focusWidget())))
        state |= gdFocused;
    if (Selection().Contains(ACol, ARow))
        state |= gdSelected;
    return state;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    (void)ARect;
    if (FooterRowShown && ARow == RowCount() - 1) {
        Canvas.Brush = {Color(), bsSolid};
        Canvas.Pen = {Color(), 1};
        Canvas.FillRect(ARect);
        return;
    }
    int baseCol = ACol;
    int baseRow = ARow;
    const bool isBase = IsBaseCellAt(ACol, ARow, baseCol, baseRow);
    if (!isBase || IsMergedCell(ACol, ARow)) {
        // A block is drawn once per paint pass, from whichever of its cells
        // comes first.
        TCellProperties* base = PropsAt(baseCol, baseRow);
        if (!base || base->PaintStamp == paintCount_)
            return;
        base->PaintStamp = paintCount_;
        if (!isBase)
            AState = StateFor(baseCol, baseRow);
    }
    DrawBlock(baseCol, baseRow, AState);
}

void TBaseGrid::DrawBlock(int ACol, int ARow, TGridDrawState AState)
{
    if (IsFixed(ACol, ARow))
        AState = (AState | gdFixed) & ~static_cast<TGridDrawState>(gdSelected);
    TRect rect = MergedCellRect(ACol, ARow);
    const bool colFixed = ACol < FixedCols();
    const bool rowFixed = ARow < FixedRows();

    // A block scrolled under the fixed area must not paint over it.
    const int fw = colFixed ? 0 : FixedColsWidth();
    const int fh = rowFixed ? 0 : FixedRowsHeight();
    const bool clip = (!colFixed && FixedCols() > 0 && rect.Left < fw) || (!rowFixed && FixedRows() > 0 && rect.Top < fh);
    if (clip)
        Canvas.SetClipRect({fw, fh, viewport()->width(), viewport()->height()});

    Canvas.Pen.Width = 1;
    Canvas.Font = TFont::FromQFont(font());
    const bool fixed = AState & gdFixed;
    Canvas.Font.Color = fixed ? clBtnText : clWindowText;
    Canvas.Brush = {fixed ? FixedColor() : Color(), bsSolid};
    if ((AState & gdSelected) && (!(AState & gdFocused) || (Options() & (goDrawFocusSelected | goRowSelect)))) {
        Canvas.Brush.Color = clHighlight;
        Canvas.Font.Color = clHighlightText;
    }
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    GetCellColors(ACol, ARow, Canvas.Font, Canvas.Brush, AState, hAlign, vAlign, true, true, false);
    const bool drawFixed = AState & gdFixed;

    Canvas.Pen.Color = Canvas.Brush.Color;
    // A solid cell outlined in its own colour is one fill, at a fraction of
    // the cost of an outline drawn over it.
    if (Canvas.Brush.Style != bsClear && Canvas.Pen.Width == 1)
        Canvas.FillRect(rect);
    else
        Canvas.Rectangle(rect);

    int d = 1;
    if (drawFixed) {
        Canvas.Pen = {clGray, 1};
    } else {
        if (gridLineWidth_ > 0)
            Canvas.Pen.Color = gridLineColor_;
        Canvas.Pen.Width = gridLineWidth_;
        d = (gridLineWidth_ + 1) / 2;
    }
    if (ACol == 0 && !rowFixed)
        rect.Left += GetCellIndent(ARow);
    const TGridOptions options = Options();
    if ((ACol != 0 || !HasNodes())
        && (drawFixed ? (options & goFixedHorzLine) != 0 : (options & goHorzLine) != 0)) {
        Canvas.MoveTo(rect.Left - d + 1, rect.Bottom - d);
        Canvas.LineTo(rect.Right - d, rect.Bottom - d);
    }
    if (drawFixed ? (options & goFixedVertLine) != 0 : (options & goVertLine) != 0) {
        Canvas.MoveTo(rect.Right - d, rect.Bottom - d);
        Canvas.LineTo(rect.Right - d, rect.Top - d);
    }
    const int shrink = drawFixed ? 1 : gridLineWidth_;
    rect = {rect.Left + shrink, rect.Top + shrink, rect.Right - shrink, rect.Bottom - shrink};
    DrawCellContent(Canvas, ACol, AState, rect, ARow);
    if (clip)
        Canvas.RemoveClip();
}

// ---- virtual operations of the derived grid

bool TBaseGrid::IsFixed(int ACol, int ARow)
{
    (void)ACol;
    (void)ARow;
    return false;
}

int TBaseGrid::GetCellIndent(int ARow)
{
    (void)ARow;
    return 0;
}

bool TBaseGrid::HasNodes()
{
    return false;
}

void TBaseGrid::DrawCellContent(TCanvas& ACanvas, int ACol, TGridDrawState AState, TRect ARect, int ARow)
{
    (void)AState;
    QPainter* painter = ACanvas.Painter();
    if (!painter || ARect.IsEmpty())
        return;
    // The string grid keeps the painter's state around each cell.
    painter->setFont(ACanvas.Font.ToQFont(font()));
    painter->setPen(ToQColor(ACanvas.Font.Color));
    painter->drawText(ARect.ToQRect(), Qt::AlignCenter | Qt::TextSingleLine, GetCells(ACol, ARow));
}

void TBaseGrid::FooterRowChanged() {}

void TBaseGrid::GetCellColors(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TGridDrawState& AState,
                              TAlignment& HAlign, TVAlignment& VAlign, bool MapDisplayCol, bool UseProps,
                              bool Printing)
{
    (void)ACol, (void)ARow, (void)AFont, (void)ABrush, (void)AState;
    (void)HAlign, (void)VAlign, (void)MapDisplayCol, (void)UseProps, (void)Printing;
}

void TBaseGrid::GetDisplText(int ACol, int ARow, QString& Value) const
{
    if (OnGetDisplText)
        OnGetDisplText(ACol, ARow, Value);
}

// ---- selection, keys, wheel, scrolling

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    RepaintCell(Col(), Row());
    const bool canSelect = TStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return canSelect;
}

QString TBaseGrid::GetEditText(int ACol, int ARow)
{
    return TStringGrid::GetEditText(ACol, ARow);
}

void TBaseGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    TStringGrid::SetEditText(ACol, ARow, Value);
}

void TBaseGrid::SnapToBase()
{
    if (!HasCellProperties(Col(), Row()))
        return;
    const TPoint base = BaseCell(Col(), Row());
    if ((base.X != Col() || base.Y != Row()) && base.X >= FixedCols() && base.Y >= FixedRows())
        FocusCell(base.X, base.Y);
}

void TBaseGrid::KeyDown(int& Key, TShiftState Shift)
{
    const int col = Col();
    const int row = Row();
    const bool hasProps = HasCellProperties(col, row);
    const TPoint base = BaseCell(col, row);
    const TPoint span = CellSpan(col, row);
    const bool plain = !(Shift & ssCtrl);
    switch (Key) {
    case VK_NEXT:
        if (VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FooterRowShown && RowCount() > 1)
            SetRow(RowCount() - 2);
        break;
    case VK_LEFT:
        // From inside a block, the step left starts at the block's first
        // column, so that it lands just left of the block.
        if (plain && hasProps && base.X < col && col > FixedCols() && base.X >= FixedCols())
            SetCol(base.X);
        break;
    case VK_UP:
        if (plain && hasProps && base.Y < row && row > FixedRows() && base.Y >= FixedRows())
            SetRow(base.Y);
        break;
    case VK_RIGHT:
        // The step right starts at the block's last column.
        if (plain && hasProps && base.X + span.X >= col && col < ColCount() - 1 && base.X < ColCount() - 1)
            SetCol(std::min(base.X + span.X, ColCount() - 1));
        break;
    case VK_DOWN:
        if (plain && hasProps && base.Y + span.Y >= row && row < RowCount() - 1 && base.Y < RowCount() - 1)
            SetRow(std::min(base.Y + span.Y, RowCount() - 1));
        break;
    default: break;
    }
    TStringGrid::KeyDown(Key, Shift);
    SnapToBase();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    const bool result = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (Row() - TopRow() >= VisibleRowCount() - FixedRows() && Row() != RowCount() - 1 && FooterRowShown)
        SetTopRow(TopRow() + 1);
    SnapToBase();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    const bool result = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    SnapToBase();
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TStringGrid::TopLeftChanged();
    // Merged headers redraw after scrolling.
    const int lastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    const int lastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r <= lastRow; ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c <= lastCol; ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}
