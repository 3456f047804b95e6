// The grid control's drag and drop between windows and applications: the
// drop target's registration, drag over with the arrows and scrolling, the
// text, rich-text, column and file drops, and the start of a drag of the
// selection or of a column header.
#include "grid/extgrid.h"

#include "platform/application.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace {

// The size of a dropped text in columns and rows: lines end at a carriage
// return (a line feed after it belongs to it), values are separated by
// tabs; a text with no line end is one row.
QSize DroppedTextSize(const QString& Text)
{
    int cols = 0, rows = 0, values = 1;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] == QLatin1Char('\t')) {
            ++values;
        } else if (Text[i] == QLatin1Char('\r')) {
            cols = std::max(cols, values);
            ++rows;
            values = 1;
            if (i + 1 < Text.size() && Text[i + 1] == QLatin1Char('\n'))
                ++i;
        }
    }
    if (!Text.isEmpty() && !Text.endsWith(QLatin1Char('\r')) && !Text.endsWith(QLatin1String("\r\n"))) {
        cols = std::max(cols, values);
        ++rows;
    }
    return QSize(cols, rows);
}

// A dropped file counts as a kind when its name, in capitals, holds the
// kind's ".CSV" or ".XLS" anywhere (the folders' names do not count).
bool NameHolds(const QString& FileName, const char* Mark)
{
    return QFileInfo(FileName).fileName().toUpper().contains(QLatin1String(Mark));
}

} // namespace

// ---- registration

void TExtStringGrid::RegisterDropTarget(bool Register)
{
    if (DesignMode())
        return;
    if (Register) {
        if (!dropTarget_)
            dropTarget_ = std::make_unique<TGridDropTarget>(this);
        ApplyDropFormats();
        dropTargetRegistered_ = true;
    } else if (dropTargetRegistered_) {
        dropTarget_.reset();
        viewport()->setAcceptDrops(false);
        dropTargetRegistered_ = false;
    }
}

void TExtStringGrid::ApplyDropFormats()
{
    if (!dropTarget_)
        return;
    dropTarget_->AcceptText = dragDropSettings_->OleAcceptText;
    dropTarget_->AcceptFiles = dragDropSettings_->OleAcceptFiles;
    dropTarget_->AcceptCols = dragDropSettings_->OleColumnDragDrop;
}

// ---- starting a drag

bool TExtStringGrid::DragDistanceReached(QPoint Press, QPoint Now)
{
    return std::abs(Now.x() - Press.x()) > 3 || std::abs(Now.y() - Press.y()) > 3;
}

bool TExtStringGrid::StartOleDrag(QPoint Press)
{
    if (!dragDropSettings_->OleDropSource)
        return false;
    int col = -1, row = -1;
    if (!MouseToCell(Press.x(), Press.y(), col, row))
        return false;
    const int realCol = RealColIndex(col);
    bool allow = true;
    if (OnOleDrag)
        OnOleDrag(this, row, realCol, Cells(realCol, row), allow);
    if (!allow)
        return false;
    if (OnOleDragStart)
        OnOleDragStart(this, row, realCol);
    if (row < FixedRows() && dragDropSettings_->OleColumnDragDrop)
        StartColumnDrag(realCol, Press);
    else
        StartTextDrag(realCol, row);
    return true;
}

void TExtStringGrid::StartColumnDrag(int ACol, QPoint Press)
{
    if (!headerButton_)
        headerButton_ = new TPopupButton(this);
    headerButton_->resize(ColWidths(ACol), RowHeights(0));
    headerButton_->SetCaption(Cells(ACol, 0));
    headerButton_->move(viewport()->mapToGlobal(Press));
    headerButton_->show();
    headerButton_->raise();

    columnDragging_ = true;
    TGridDropSource source(this);
    int effect = DROPEFFECT_NONE;
    const HRESULT result = source.StartColumnDrag(ACol, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    columnDragging_ = false;
    if (result != DRAGDROP_S_CANCEL && OnOleDragStop)
        OnOleDragStop(this, effect != DROPEFFECT_NONE ? effect : source.LastEffect());
    headerButton_->hide();
    arrows_[ArrowUp]->hide();
    arrows_[ArrowDown]->hide();
}

void TExtStringGrid::FollowColumnDrag(QPoint ScreenPoint)
{
    if (columnDragging_ && headerButton_)
        headerButton_->move(ScreenPoint.x(), ScreenPoint.y() - headerButton_->height());
}

std::vector<int> TExtStringGrid::SelectedDragRows() const
{
    std::vector<int> rows;
    if (mouseActions_->DisjunctRowSelect) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowFlagged(r))
                rows.push_back(r);
        return rows;
    }
    const TGridRect sel = Selection();
    for (int r = sel.Top; r <= sel.Bottom; ++r)
        rows.push_back(r);
    return rows;
}

QString TExtStringGrid::SelectionDragText()
{
    const TGridRect sel = Selection();
    TGridRect range = sel;
    if ((Options() & goRowSelect) && dragDropSettings_->OleEntireRows) {
        range.Left = 0;
        range.Right = ColCount() - 1;
    }
    // In disjunct-row mode the selected rows below the fixed ones.
    const bool disjunct = mouseActions_->DisjunctRowSelect;
    if (disjunct) {
        range.Top = FixedRows();
        range.Bottom = RowCount() - 1;
    }
    return SelectionText(range, disjunct, TCopyText::Drag);
}

void TExtStringGrid::StartTextDrag(int ACol, int ARow)
{
    auto cells = std::make_unique<TDraggedCells>();
    cells->Rows = SelectedDragRows();
    cells->Left = Selection().Left;
    cells->Right = Selection().Right;
    const QString text = SelectionDragText();
    dragged_ = std::move(cells);

    TGridDropSource source(this);
    int effect = DROPEFFECT_NONE;
    const HRESULT result =
        source.StartTextDrag(text, Cells(ACol, ARow), effect, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    const std::unique_ptr<TDraggedCells> done = std::move(dragged_);
    if (result == DRAGDROP_S_CANCEL)
        return;
    if (effect == DROPEFFECT_NONE)
        effect = source.LastEffect();
    if (effect == DROPEFFECT_MOVE)
        RemoveDraggedCells(*done);
    if (OnOleDragStop)
        OnOleDragStop(this, effect);
}

// After a move, the source rows are removed or their cells cleared where
// they now are; a cell the drop wrote into this grid is dropped data and is
// never cleared, nor a row removed that holds some.
void TExtStringGrid::RemoveDraggedCells(const TDraggedCells& Cells)
{
    const TGridRect& dropped = Cells.Dropped;
    const bool rowSelect = Options() & goRowSelect;
    if (dragDropSettings_->OleRemoveRows && rowSelect) {
        std::vector<int> rows;
        for (const int r : Cells.Rows)
            if (!(Cells.DroppedHere && r >= dropped.Top && r <= dropped.Bottom))
                rows.push_back(r);
        BeginUpdate();
        // From the bottom up, a run of neighbouring rows at a time, so the
        // rows above keep their places.
        for (auto it = rows.rbegin(); it != rows.rend();) {
            int first = *it, count = 1;
            for (++it; it != rows.rend() && *it == first - 1; ++it, ++count)
                first = *it;
            if (first >= FixedRows() && first < RowCount())
                RemoveRows(first, std::min(count, RowCount() - first));
        }
        EndUpdate();
        return;
    }
    if (dragDropSettings_->OleCopyAlways)
        return;
    TRect changed{Cells.Left, RowCount(), -1, -1};
    for (const int r : Cells.Rows) {
        if (r >= RowCount())
            continue;
        for (int c = Cells.Left; c <= Cells.Right && c < ColCount(); ++c) {
            if (Cells.DroppedHere && dropped.Contains(c, r))
                continue;
            SetCells(RealColIndex(c), r, QString());
            changed.Top = std::min(changed.Top, r);
            changed.Bottom = std::max(changed.Bottom, r);
            changed.Right = std::max(changed.Right, c);
        }
    }
    if (changed.Right >= 0)
        CellsChanged(changed);
}

// ---- drop target

void TExtStringGrid::ShowArrow(int Direction, QPoint ClientPoint)
{
    TArrowWindow* arrow = arrows_[Direction];
    arrow->move(viewport()->mapToGlobal(ClientPoint));
    arrow->show();
    arrow->raise();
}

void TExtStringGrid::HideDropArrows()
{
    for (const int direction : {ArrowUp, ArrowDown, ArrowRow})
        arrows_[direction]->hide();
}

void TExtStringGrid::OleDragOver(QPoint Point, bool& Accept, int Formats)
{
    ApplyDropFormats();
    int col = -1, row = -1;
    Accept = MouseToCell(Point.x(), Point.y(), col, row);
    const bool columnDrag = Formats & dfCol;
    if (Accept && !columnDrag) {
        // Hovering the edges scrolls the grid a row at a time.
        if (row == 0 && TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
        else if (row == TopRow() + VisibleRowCount() && row < RowCount())
            SetTopRow(TopRow() + 1);
    }
    if (Accept && !columnDrag && row < FixedRows() && !(RowCount() == 1 && FixedRowAlways))
        Accept = false;
    if (Accept && columnDrag && (row >= FixedRows() || col < FixedCols()))
        Accept = false;
    if (OnOleDragOver)
        OnOleDragOver(this, row, col, Accept);
    HideDropArrows();
    if (!Accept)
        return;
    if (columnDrag) {
        const TRect r = CellRect(col, row);
        ShowArrow(ArrowUp, QPoint(r.Left, r.Top - 8));
        ShowArrow(ArrowDown, QPoint(r.Left, r.Bottom));
        return;
    }
    if (row == 0 && FixedRowAlways)
        row = 1;
    const int arrowCol = dragDropSettings_->OleEntireRows ? FixedCols() : col;
    const TRect r = CellRect(arrowCol, row);
    ShowArrow(ArrowRow, QPoint(r.Left - 10, r.Top));
}

bool TExtStringGrid::CellWritableByDrop(int ACol, int ARow)
{
    bool fixed = false;
    if (OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, fixed);
    return !fixed && CanEditCell(ACol, ARow);
}

bool TExtStringGrid::OleDropText(QPoint Point, const QString& Text)
{
    int col = -1, row = -1;
    MouseToCell(Point.x(), Point.y(), col, row);
    const QSize size = DroppedTextSize(Text);
    const bool rowSelect = Options() & goRowSelect;
    if (rowSelect)
        col = dragDropSettings_->OleEntireRows ? 0 : FixedCols();
    bool allow = true;
    if (OnOleDrop)
        OnOleDrop(this, row, col, Text, allow);
    HideDropArrows();
    if (headerButton_)
        headerButton_->hide();
    if (!allow || row < 0)
        return false;
    if (row == 0 && RowCount() == 1 && FixedRowAlways)
        row = 1;
    TGridRect written{-1, -1, -2, -2};
    bool pasted = false;
    // A text too large for the grid ends the drop with the error box, not
    // the program.
    Application->Guard([&] {
        if (dragDropSettings_->OleInsertRows && size.height() > 0) {
            const int top = TopRow();
            InsertRows(row, size.height());
            SetTopRow(top > FixedRows() ? top + 1 : top);
            // The source rows of this grid's own drag at or below the
            // inserted ones moved down with them.
            if (dragged_)
                for (int& r : dragged_->Rows)
                    if (r >= row)
                        r += size.height();
        }
        // The row below a lone fixed row comes with the first line.
        if (row >= RowCount() && navigation_->AllowClipboardRowGrow)
            SetRowCount(row + 1);
        TPasteRules drop;
        drop.DropWritable = true;
        drop.GrowLineByLine = true;
        drop.ReportAsCopy = true;
        written = PasteTextWith(col, row, Text, drop).Written;
        pasted = true;
    });
    // A drop that failed half-way reports no effect: a move keeps its source.
    if (!pasted)
        return false;
    if (dragged_) {
        dragged_->Dropped = written;
        dragged_->DroppedHere = written.Right >= written.Left;
    }
    TGridRect sel;
    sel.Left = std::max(col, FixedCols());
    sel.Top = row;
    sel.Bottom = std::min(row + std::max(size.height(), 1) - 1, RowCount() - 1);
    sel.Right = rowSelect ? col + size.width() - FixedCols() : col + size.width() - 1;
    sel.Right = std::clamp(sel.Right, sel.Left, ColCount() - 1);
    if (sel.Top < RowCount() && sel.Left < ColCount())
        SetSelection(sel);
    if (OnOleDropped)
        OnOleDropped(this, TRect{sel.Left, sel.Top, sel.Right, sel.Bottom});
    return true;
}

bool TExtStringGrid::OleDropRTF(QPoint Point, const QString& Text)
{
    int col = -1, row = -1;
    MouseToCell(Point.x(), Point.y(), col, row);
    bool allow = true;
    if (OnOleDrop)
        OnOleDrop(this, row, col, Text, allow);
    HideDropArrows();
    if (!allow || col < 0 || row < 0)
        return false;
    SetCells(RealColIndex(col), row, Text);
    return true;
}

bool TExtStringGrid::OleDropFiles(const QStringList& Files)
{
    bool loaded = false;
    if (Files.size() == 1) {
        const QString& name = Files.first();
        const bool csv = NameHolds(name, ".CSV");
        const bool xls = !csv && NameHolds(name, ".XLS");
        bool allow = true;
        if ((csv || xls) && OnOleDrop)
            OnOleDrop(this, -1, -1, name, allow);
        // The drop arrives from the platform's drag loop: an import error
        // ends this drop with the error box.
        if (allow && csv)
            Application->Guard([&] { LoadFromCSV(name), loaded = true; });
        else if (allow && xls)
            Application->Guard([&] { LoadFromXLS(name), loaded = true; });
    }
    arrows_[ArrowRow]->hide();
    arrows_[ArrowUp]->hide();
    return loaded;
}

void TExtStringGrid::OleDropColumn(QPoint Point, int Column)
{
    arrows_[ArrowUp]->hide();
    arrows_[ArrowDown]->hide();
    if (headerButton_)
        headerButton_->hide();
    int col = -1, row = -1;
    MouseToCell(Point.x(), Point.y(), col, row);
    if (OnOleDropCol)
        OnOleDropCol(this, row, col, Column);
}
