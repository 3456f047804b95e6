#include "grid/floatingfooter.h"

#include "grid/esghtmle.h"
#include "grid/extgrid.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

void TFloatingFooter::RepaintFooter()
{
    if (Grid())
        Grid()->RepaintFooter();
}

void TFloatingFooter::RepaintBoth()
{
    Repaint();
    RepaintFooter();
}

void TFloatingFooter::SetColor(TColor Value)
{
    if (color_ == Value)
        return;
    color_ = Value;
    RepaintFooter();
}

void TFloatingFooter::SetColumn(int Value)
{
    if (column_ == Value)
        return;
    column_ = Value;
    RepaintFooter();
}

void TFloatingFooter::SetCustomTemplate(const QString& Value)
{
    if (customTemplate_ == Value)
        return;
    customTemplate_ = Value;
    RepaintFooter();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    if (footerStyle_ == Value)
        return;
    footerStyle_ = Value;
    if (Grid())
        Grid()->SetLastRowFooter(LastRowIsFooter());
    RepaintBoth();
}

void TFloatingFooter::SetVisible(bool Value)
{
    if (visible_ == Value)
        return;
    visible_ = Value;
    if (TGridSettingsOwner* grid = Grid()) {
        grid->SetLastRowFooter(LastRowIsFooter());
        grid->ShowFooterPanel(visible_);
        grid->SetFooterRowCount(visible_ ? 1 : 0);
    }
    RepaintBoth();
}

void TFloatingFooter::Assign(const TFloatingFooter& Source)
{
    SetColor(Source.color_);
    SetColumn(Source.column_);
    SetCustomTemplate(Source.customTemplate_);
    SetFooterStyle(Source.footerStyle_);
    SetVisible(Source.visible_);
}

// ---- custom template

QString ExpandFooterTemplate(const QString& Template, const std::function<QString(int ACol)>& CellText)
{
    QString result;
    qsizetype at = 0;
    while (at < Template.size()) {
        const qsizetype field = Template.indexOf(QStringLiteral("<#"), at);
        const qsizetype close = field < 0 ? -1 : Template.indexOf(QLatin1Char('>'), field + 2);
        if (close < 0) {
            result += Template.mid(at);
            break;
        }
        result += Template.mid(at, field - at);
        bool isNumber = false;
        const int col = Template.mid(field + 2, close - field - 2).trimmed().toInt(&isNumber);
        if (isNumber)
            result += CellText(col);
        at = close + 1;
    }
    return result;
}

// ---- footer panel

TFooterPanel::TFooterPanel(TExtStringGrid* AGrid) : TPanel(AGrid->viewport()), grid_(AGrid)
{
    SetBevelOuter(bvNone);
    SetCaption(QString());
    // The panel paints all of itself: the cells under it stay unpainted.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Nothing shows until the footer is made visible.
    setGeometry(0, 0, 0, 0);
    hide();
    AGrid->viewport()->installEventFilter(this);
}

bool TFooterPanel::eventFilter(QObject* Watched, QEvent* Event)
{
    // The cells' area shrinks when a scroll bar comes: the panel stays at
    // its bottom.
    if (Event->type() == QEvent::Resize && isVisible())
        setGeometry(grid_->FooterPanelRect().ToQRect());
    if (Event->type() == QEvent::Paint && isVisible()) {
        // A repaint that reaches the panel paints it anyway.
        const auto* paint = static_cast<QPaintEvent*>(Event);
        if (!paint->region().contains(geometry())
            && (grid_->Row() != paintedRow_ || ShownColumns() != paintedColumns_))
            update();
    }
    return TPanel::eventFilter(Watched, Event);
}

std::vector<TFooterColumn> TFooterPanel::ShownColumns() const
{
    std::vector<TFooterColumn> columns;
    // Lined up with the cells, wherever the panel lies.
    const int offset = grid_->viewport()->mapToGlobal(QPoint(0, 0)).x() - mapToGlobal(QPoint(0, 0)).x();
    const int row = grid_->TopRow() < grid_->RowCount() ? grid_->TopRow() : 0;
    auto add = [&](int col) {
        const TRect r = grid_->CellRect(col, row);
        if (r.Right > r.Left)
            columns.push_back({col, r.Left + offset, r.Right + offset});
    };
    const int fixed = std::min(grid_->FixedCols(), grid_->ColCount());
    for (int col = 0; col < fixed; ++col)
        add(col);
    const int last = std::min(grid_->ColCount(), grid_->LeftCol() + grid_->VisibleColCount() + 1);
    for (int col = std::max(grid_->LeftCol(), fixed); col < last; ++col)
        add(col);
    return columns;
}

QString TFooterPanel::CurrentText(int ACol) const
{
    const int row = grid_->Row();
    if (ACol < 0 || ACol >= grid_->ColCount() || row < 0 || row >= grid_->RowCount())
        return QString();
    return grid_->GetCells(ACol, row);
}

QString TFooterPanel::CustomText() const
{
    const TFloatingFooter* footer = grid_->FloatingFooter();
    if (!footer)
        return QString();
    return ExpandFooterTemplate(footer->CustomTemplate(), [this](int col) { return CurrentText(col); });
}

void TFooterPanel::paintEvent(QPaintEvent*)
{
    paintedRow_ = grid_->Row();
    paintedColumns_ = ShownColumns();
    QPainter painter(this);
    TCanvas canvas(&painter);
    canvas.Font = TFont::FromQFont(grid_->font());
    const TFloatingFooter* footer = grid_->FloatingFooter();
    if (!footer) {
        canvas.Brush = {grid_->Color(), bsSolid};
        canvas.FillRect({0, 0, width(), height()});
        return;
    }
    switch (footer->FooterStyle()) {
    case fsFixedLastRow:
        PaintLastRow(canvas);
        break;
    case fsColumnPreview:
        PaintColumnPreview(canvas);
        break;
    case fsCustomPreview:
        PaintCustomPreview(canvas);
        break;
    }
}

void TFooterPanel::PaintLastRow(TCanvas& Canvas)
{
    const std::vector<TFooterColumn> columns = ShownColumns();
    const int fixed = std::min(grid_->FixedCols(), grid_->ColCount());
    const int fixedRight = fixed > 0 && !columns.empty() ? columns[static_cast<std::size_t>(fixed) - 1].Right : 0;
    const int h = height();
    Canvas.Brush = {grid_->FixedColor(), bsSolid};
    Canvas.FillRect({0, 0, fixedRight, h});
    Canvas.Brush = {grid_->Color(), bsSolid};
    Canvas.FillRect({fixedRight, 0, width(), h});

    const int lastRow = grid_->RowCount() - 1;
    if (lastRow < 0)
        return;
    const bool softLines = (grid_->Options() & goVertLine) && grid_->Look() == glSoft && !grid_->Flat();
    for (const TFooterColumn& column : columns) {
        const TRect cell{column.Left, 0, column.Right, h};
        TFont font = Canvas.Font;
        TBrush brush{clNone, bsSolid};
        TGridDrawState state = gdFixed;
        TAlignment hAlign = taLeftJustify;
        TVAlignment vAlign = vtaTop;
        grid_->GetCellColors(column.Col, lastRow, font, brush, state, hAlign, vAlign, true, true, false);
        if (brush.Color != clNone) {
            Canvas.Brush = brush;
            Canvas.FillRect(cell);
        }
        if (softLines) {
            Canvas.Pen = {clWhite, 1};
            Canvas.MoveTo(cell.Left, 0);
            Canvas.LineTo(cell.Left, h);
        }
        // The cell's edges, as a fixed cell's.
        Canvas.Pen = {clGray, 1};
        Canvas.MoveTo(cell.Right - 1, 0);
        Canvas.LineTo(cell.Right - 1, h);
        Canvas.MoveTo(cell.Left, h - 1);
        Canvas.LineTo(cell.Right, h - 1);
        Canvas.Font = font;
        Canvas.Brush = brush;
        grid_->DrawCellContent(Canvas, column.Col, gdFixed, {cell.Left + 1, 1, cell.Right - 1, h - 1}, lastRow);
    }
}

TRect TFooterPanel::PaintPreviewStrip(TCanvas& Canvas)
{
    const std::vector<TFooterColumn> columns = ShownColumns();
    const int right = columns.empty() ? width() : std::min(width(), columns.back().Right);
    const int h = height();
    Canvas.Brush = {grid_->Color(), bsSolid};
    Canvas.FillRect({right, 0, width(), h});
    Canvas.Brush = {grid_->FloatingFooter()->Color(), bsSolid};
    Canvas.FillRect({0, 0, right, h});
    // Raised: white at the top and left, dark grey at the bottom and right.
    Canvas.Pen = {clWhite, 1};
    Canvas.MoveTo(0, h - 1);
    Canvas.LineTo(0, 0);
    Canvas.LineTo(right - 1, 0);
    Canvas.Pen = {static_cast<TColor>(0x808080), 1};
    Canvas.MoveTo(right - 1, 0);
    Canvas.LineTo(right - 1, h - 1);
    Canvas.LineTo(-1, h - 1);
    return {1, 1, right - 1, h - 1};
}

void TFooterPanel::PaintColumnPreview(TCanvas& Canvas)
{
    const TRect strip = PaintPreviewStrip(Canvas);
    const int col = grid_->FloatingFooter()->Column();
    const int row = grid_->Row();
    if (col < 0 || col >= grid_->ColCount() || row < 0 || row >= grid_->RowCount())
        return;
    TFont font = Canvas.Font;
    TBrush brush{grid_->FloatingFooter()->Color(), bsSolid};
    TGridDrawState state = 0;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    grid_->GetCellColors(col, row, font, brush, state, hAlign, vAlign, true, true, false);
    // The cell shows as it is, not in the selection's colours, on the
    // footer's own colour.
    Canvas.Font = font;
    Canvas.Brush = {grid_->FloatingFooter()->Color(), bsClear};
    grid_->DrawCellContent(Canvas, col, state & ~static_cast<TGridDrawState>(gdSelected), strip, row);
}

void TFooterPanel::PaintCustomPreview(TCanvas& Canvas)
{
    const TRect strip = PaintPreviewStrip(Canvas);
    Canvas.Brush = {grid_->FloatingFooter()->Color(), bsSolid};
    THTMLDrawInput in;
    in.Markup = CustomText();
    in.Rect = {strip.Left + 1, strip.Top + 1, strip.Right, strip.Bottom};
    in.Images = grid_->GridImages();
    in.Pictures = grid_->PictureContainer();
    in.PictureCache = grid_->PictureCache();
    in.URLColor = grid_->URLColor();
    in.Window = this;
    THTMLDrawOutput out;
    HTMLDraw(Canvas, in, out);
}
