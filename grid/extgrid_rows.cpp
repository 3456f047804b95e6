// Rows and columns of the grid control: hidden columns and rows, nodes,
// row selection, the cell controls and the cell-info getters, the filter
// and the footer's calculations.
//
// Hidden rows leave the grid whole: their cells (texts, properties,
// graphics) wait outside it and come back as they were. Hiding and showing
// many rows moves them in one pass over the grid, so a filter over a
// hundred thousand rows costs about as much as one over a thousand, a
// hundred times.
#include "grid/extgrid.h"

#include "grid/cellstream.h"
#include "grid/aggregates.h"
#include "grid/extutil.h"
#include "grid/floatingfooter.h"
#include "grid/gridfilter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

// ---- columns

int TExtStringGrid::RealColIndex(int ACol) const
{
    // The display column's (ACol + 1)-th visible flag; columns from 512 on
    // and grids with no hidden column map to themselves.
    const int flags = static_cast<int>(colVisible_.size());
    if (ACol >= flags - 1 || hiddenColCount_ == 0)
        return ACol;
    int seen = 0;
    for (int c = 0; c < flags; ++c)
        if (colVisible_[static_cast<size_t>(c)] && ++seen == ACol + 1)
            return c;
    return 0;
}

int TExtStringGrid::DisplayColIndex(int ACol) const
{
    if (hiddenColCount_ == 0)
        return ACol;
    const auto upTo = static_cast<std::ptrdiff_t>(std::clamp(ACol, 0, static_cast<int>(colVisible_.size())));
    return ACol - static_cast<int>(std::count(colVisible_.begin(), colVisible_.begin() + upTo, 0));
}

void TExtStringGrid::SetColumnVisibleFlag(int ACol, bool Visible)
{
    if (ACol < 0 || ACol >= static_cast<int>(colVisible_.size()))
        return;
    auto& flag = colVisible_[static_cast<size_t>(ACol)];
    if ((flag != 0) == Visible)
        return;
    flag = Visible ? 1 : 0;
    hiddenColCount_ += Visible ? -1 : 1;
}

// ---- hidden rows

bool TExtStringGrid::IsHiddenRow(int ARow) const
{
    return hiddenRows_.IsHidden(ARow);
}

int TExtStringGrid::RealRowIndex(int ARow) const
{
    return hiddenRows_.RealRow(ARow);
}

int TExtStringGrid::DisplayRowIndex(int ARow) const
{
    return hiddenRows_.DisplayRow(ARow);
}

void TExtStringGrid::HideRows(int FromRow, int ToRow)
{
    if (FromRow > ToRow || IsHiddenRow(FromRow))
        return;
    std::vector<int> rows;
    for (int r = FromRow; r <= ToRow; ++r)
        if (!IsHiddenRow(r))
            rows.push_back(r);
    HideRealRows(rows);
}

void TExtStringGrid::HideRealRows(const std::vector<int>& Rows)
{
    // Each real row is taken from the display row that holds it now; the
    // rows go out of the grid in one pass and join the hidden ones whole.
    std::vector<int> display;
    std::vector<int> real;
    display.reserve(Rows.size());
    real.reserve(Rows.size());
    for (int r : Rows) {
        const int d = DisplayRowIndex(r);
        if (d >= 0 && d < RowCount() && !IsHiddenRow(r)) {
            display.push_back(d);
            real.push_back(r);
        }
    }
    if (display.empty())
        return;
    auto taken = TakeRows(display);
    std::vector<THiddenRows::Row> hidden(taken.size());
    for (size_t i = 0; i < taken.size(); ++i)
        hidden[i] = {real[i], std::move(taken[i])};
    hiddenRows_.Add(std::move(hidden));
    NodesChanged();
}

void TExtStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow))
        return;
    PutBackRows(hiddenRows_.Take(FromRow, ToRow));
}

void TExtStringGrid::UnHideRowsAll()
{
    PutBackRows(hiddenRows_.Take(INT_MIN, INT_MAX));
}

void TExtStringGrid::PutBackRows(std::vector<THiddenRows::Row>&& Rows)
{
    // Each row goes back where its real index puts it among the rows that
    // stay hidden; a row whose place lies beyond the grid now (rows were
    // removed meanwhile) goes to the end.
    std::vector<int> at;
    std::vector<TStringGrid::TTakenRow> cells;
    at.reserve(Rows.size());
    cells.reserve(Rows.size());
    for (auto& row : Rows) {
        const int i = static_cast<int>(at.size());
        int place = std::min(hiddenRows_.DisplayRow(row.Idx), RowCount() + i);
        if (i > 0)
            place = std::max(place, at.back() + 1);
        at.push_back(place);
        cells.push_back(std::move(row.Cells));
    }
    if (!at.empty())
        PutRows(at, std::move(cells));
    NodesChanged();
}

// ---- nodes

TCellGraphic* TExtStringGrid::NodeGraphic(int ARow)
{
    if (ARow < 0 || ARow >= RowCount() || ColCount() < 1)
        return nullptr;
    TCellGraphic* graphic = GetCellGraphicObject(0, ARow);
    return graphic && graphic->CellType == ctNode ? graphic : nullptr;
}

bool TExtStringGrid::IsNode(int ARow)
{
    return NodeGraphic(ARow) != nullptr;
}

int TExtStringGrid::LastNodeRow(int ARow, int RowCountOfNode)
{
    // The last real row under the node shown at display row ARow: its own
    // count of rows, or up to the next node row (the last row before the
    // footer rows when none follows).
    const int real = RealRowIndex(ARow);
    const int lastNormal = RowCount() - FixedFooters() - 1;
    if (RowCountOfNode > 0)
        return real + RowCountOfNode - 1;
    for (int d = ARow + 1; d <= lastNormal; ++d)
        if (IsNode(d))
            return RealRowIndex(d) - 1;
    return INT_MAX;
}

void TExtStringGrid::ExpandNode(int ARow)
{
    TCellGraphic* node = NodeGraphic(ARow);
    if (!node || !node->CellBoolean)
        return;
    node->CellBoolean = false;
    const int real = RealRowIndex(ARow);
    const int last = LastNodeRow(ARow, node->CellIndex);
    PutBackRows(hiddenRows_.Take(real + 1, last));
    Invalidate();
}

void TExtStringGrid::ContractNode(int ARow)
{
    EndCellEditing();
    TCellGraphic* node = NodeGraphic(ARow);
    if (!node || node->CellBoolean)
        return;
    node->CellBoolean = true;
    const int real = RealRowIndex(ARow);
    // The rows under the node down to the last normal row: the footer rows
    // never go with it.
    const int last = std::min(LastNodeRow(ARow, node->CellIndex), RealRowIndex(RowCount() - FixedFooters() - 1));
    std::vector<int> rows;
    for (int r = real + 1; r <= last; ++r)
        if (!IsHiddenRow(r))
            rows.push_back(r);
    HideRealRows(rows);
    Invalidate();
}

int TExtStringGrid::NodeTreePosition(int ARow)
{
    if (IsNode(ARow))
        return 0;
    if (ARow == RowCount() - FixedFooters() - 1)
        return 1;
    for (int n = ARow - 1; n >= FixedRows(); --n) {
        const TCellGraphic* node = NodeGraphic(n);
        if (!node)
            continue;
        return node->CellIndex != ARow - n + 1 || node->CellBoolean ? 2 : 1;
    }
    return 0;
}

// ---- row selection

void TExtStringGrid::CheckRowIndex(int ARow) const
{
    if (ARow < 0 || ARow >= RowCount())
        throw EExtGridError(QStringLiteral("Invalid Row accessed"));
}

bool TExtStringGrid::RowSelect(int ARow) const
{
    CheckRowIndex(ARow);
    return RowFlagged(ARow);
}

void TExtStringGrid::SetRowSelect(int ARow, bool Value)
{
    CheckRowIndex(ARow);
    if (RowSelect(ARow) == Value)
        return;
    if (static_cast<size_t>(ARow) >= selectedRows_.size())
        selectedRows_.resize(static_cast<size_t>(ARow) + 1, false);
    selectedRows_[static_cast<size_t>(ARow)] = Value;
    InvalidateRow(ARow);
}

void TExtStringGrid::ClearRowSelect()
{
    for (size_t r = 0; r < selectedRows_.size(); ++r)
        if (selectedRows_[r]) {
            selectedRows_[r] = false;
            if (static_cast<int>(r) < RowCount())
                InvalidateRow(static_cast<int>(r));
        }
}

void TExtStringGrid::SelectRowsFromSelection(bool All)
{
    const TGridRect sel = Selection();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= sel.Top && r <= sel.Bottom;
        if (All)
            SetRowSelect(r, inside);
        else if (inside)
            SetRowSelect(r, true);
    }
}

// ---- scattered cell selection

bool TExtStringGrid::CellSelected(int ACol, int ARow) const
{
    return std::find(selectedCells_.begin(), selectedCells_.end(), TPoint{ACol, ARow}) != selectedCells_.end();
}

void TExtStringGrid::SetCellSelected(int ACol, int ARow, bool Value)
{
    const auto it = std::find(selectedCells_.begin(), selectedCells_.end(), TPoint{ACol, ARow});
    if (Value == (it != selectedCells_.end()))
        return;
    if (Value)
        selectedCells_.push_back({ACol, ARow});
    else
        selectedCells_.erase(it);
    RepaintCell(ACol, ARow);
}

void TExtStringGrid::ClearCellSelect()
{
    const auto cells = std::move(selectedCells_);
    selectedCells_.clear();
    for (const TPoint& cell : cells)
        RepaintCell(cell.X, cell.Y);
}

// ---- cell controls

TCellGraphic* TExtStringGrid::GraphicOfType(int ACol, int ARow, std::initializer_list<TCellType> Types)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return nullptr;
    TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow);
    if (!graphic)
        return nullptr;
    return std::find(Types.begin(), Types.end(), graphic->CellType) != Types.end() ? graphic : nullptr;
}

QString TExtStringGrid::CheckText(int ACol, int ARow, bool Checked)
{
    QString text = Checked ? CheckTrue : CheckFalse;
    if (Checked)
        GetCheckTrue(ACol, ARow, text);
    else
        GetCheckFalse(ACol, ARow, text);
    return text;
}

bool TExtStringGrid::IsCheckCell(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    return GraphicOfType(base.X, base.Y, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox}) != nullptr;
}

bool TExtStringGrid::IsCellControl(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    return GraphicOfType(base.X, base.Y, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRadio}) != nullptr;
}

bool TExtStringGrid::ToggleCellCheck(int ACol, int ARow, bool Ask)
{
    TCellGraphic* check = GraphicOfType(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox});
    if (!check)
        return false;
    if (Ask && !CanEditCell(ACol, ARow))
        return false;
    if (check->CellType == ctCheckBox) {
        check->CellBoolean = !check->CellBoolean;
    } else {
        const QString checked = CheckText(ACol, ARow, true);
        SetCells(ACol, ARow, Cells(ACol, ARow) == checked ? CheckText(ACol, ARow, false) : checked);
    }
    RepaintCell(ACol, ARow);
    return true;
}

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow)
{
    const TCellGraphic* check = GraphicOfType(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox});
    if (!check)
        return false;
    if (check->CellType == ctCheckBox)
        return check->CellBoolean;
    return Cells(ACol, ARow) == CheckText(ACol, ARow, true);
}

void TExtStringGrid::SetCheckBoxState(int ACol, int ARow, bool Value)
{
    TCellGraphic* check = GraphicOfType(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox});
    if (!check)
        return;
    // A data or virtual check box shows its text, and the virtual ones share
    // one graphic: their state is written as the check text.
    if (check->CellType == ctCheckBox)
        check->CellBoolean = Value;
    else
        SetCells(ACol, ARow, CheckText(ACol, ARow, Value));
    RepaintCell(ACol, ARow);
}

bool TExtStringGrid::NextRadioOption(int ACol, int ARow, bool Ask)
{
    TCellGraphic* radio = GraphicOfType(ACol, ARow, {ctRadio});
    if (!radio)
        return false;
    if (Ask && !CanEditCell(ACol, ARow))
        return false;
    const QStringList options = RadioItemsOf(*radio);
    if (options.isEmpty())
        return false;
    int next = radio->CellIndex + 1;
    if (radio->CellIndex == -1)
        next = static_cast<int>(options.indexOf(Cells(ACol, ARow))) + 1;
    if (next >= options.size())
        next = 0;
    if (radio->CellIndex >= 0)
        radio->CellIndex = next;
    SetCells(ACol, ARow, options[next]);
    RepaintCell(ACol, ARow);
    return true;
}

QStringList TExtStringGrid::RadioItemsOf(const TCellGraphic& Radio) const
{
    const auto* list = dynamic_cast<const TCellRadioList*>(Radio.CellBitmap);
    return list ? list->Items : QStringList();
}

bool TExtStringGrid::IsRadioCell(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    return GraphicOfType(base.X, base.Y, {ctRadio}) != nullptr;
}

bool TExtStringGrid::GetRadioIndex(int ACol, int ARow, int& Index)
{
    const TCellGraphic* radio = GraphicOfType(ACol, ARow, {ctRadio});
    if (!radio)
        return false;
    Index = radio->CellIndex;
    return true;
}

QStringList TExtStringGrid::GetRadioOptions(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    const TCellGraphic* radio = GraphicOfType(base.X, base.Y, {ctRadio});
    return radio ? RadioItemsOf(*radio) : QStringList();
}

bool TExtStringGrid::HasCellButton(int ACol, int ARow)
{
    return GraphicOfType(ACol, ARow, {ctButton, ctBitButton}) != nullptr;
}

TRect TExtStringGrid::GetCellButtonRect(int ACol, int ARow)
{
    const TCellGraphic* button = GraphicOfType(ACol, ARow, {ctButton, ctBitButton});
    if (!button)
        return {};
    // The place inside the cell: x and y in the two halves of CellValue,
    // the width and height in the two halves of CellIndex.
    const TRect cell = MergedCellRect(ACol, ARow);
    const auto place = static_cast<std::uint32_t>(static_cast<std::int64_t>(button->CellValue));
    const auto size = static_cast<std::uint32_t>(button->CellIndex);
    const int x = static_cast<int>(place & 0xFFFF);
    const int y = static_cast<int>(place >> 16);
    const int w = static_cast<int>(size & 0xFFFF);
    const int h = static_cast<int>(size >> 16);
    TRect r{cell.Left + x, cell.Top + y, cell.Left + x + w, cell.Top + y + h};
    if (button->CellHAlign == haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    if (button->CellVAlign == vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    return r;
}

// ---- cell-info getters

bool TExtStringGrid::GetCellComment(int ACol, int ARow, QString& Comment)
{
    const TCellGraphic* comment = GraphicOfType(ACol, ARow, {ctComment});
    if (!comment)
        return false;
    Comment = comment->CellText;
    return true;
}

void TExtStringGrid::GetCellError(int ACol, int ARow, int& ErrFrom, int& ErrLen)
{
    ErrFrom = 0;
    ErrLen = 0;
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return;
    if (const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow)) {
        ErrFrom = graphic->CellErrFrom;
        ErrLen = graphic->CellErrLen;
    }
}

bool TExtStringGrid::GetCellAngle(int ACol, int ARow, int& Angle)
{
    const TCellGraphic* rotated = GraphicOfType(ACol, ARow, {ctRotated});
    if (!rotated)
        return false;
    Angle = rotated->CellAngle;
    return true;
}

std::intptr_t TExtStringGrid::GetCellImageInfo(int ACol, int ARow)
{
    const TCellGraphic* graphic = GraphicOfType(ACol, ARow, {ctBitmap, ctIcon, ctImageList});
    if (!graphic)
        return -1;
    switch (graphic->CellType) {
    case ctBitmap: return reinterpret_cast<std::intptr_t>(graphic->CellBitmap);
    case ctIcon: return reinterpret_cast<std::intptr_t>(graphic->CellIcon);
    default: return graphic->CellIndex;
    }
}

TIntList* TExtStringGrid::GetCellImageList(int ACol, int ARow)
{
    const TCellGraphic* images = GraphicOfType(ACol, ARow, {ctImages});
    return images ? dynamic_cast<TIntList*>(images->CellBitmap) : nullptr;
}

// ---- selection shown or not, normal cells

void TExtStringGrid::HideSelection()
{
    if (selectionHidden_)
        return;
    savedHiddenSelection_ = Selection();
    selectionHidden_ = true;
    SetSelectionHidden(true);
}

void TExtStringGrid::UnHideSelection()
{
    if (!selectionHidden_)
        return;
    selectionHidden_ = false;
    SetSelectionHidden(false);
    const TGridRect& s = savedHiddenSelection_;
    if (s.Right < ColCount() && s.Bottom < RowCount())
        SetSelection(s);
}

int TExtStringGrid::FirstNormalCol() const
{
    return AllCells ? 0 : FixedCols();
}

int TExtStringGrid::FirstNormalRow() const
{
    return AllCells ? 0 : FixedRows();
}

int TExtStringGrid::LastNormalCol() const
{
    return AllCells ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
}

int TExtStringGrid::LastNormalRow() const
{
    return AllCells ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
}

// ---- filter

bool TExtStringGrid::RowMatchesFilter(int ARow)
{
    const TFilter* filter = Filter();
    if (!filter)
        return true;
    for (int i = 0; i < filter->Count(); ++i) {
        const TFilterData& condition = filter->Items(i);
        const int col = condition.Column;
        const QString text = col >= 0 && col < ColCount() ? Cells(col, ARow) : QString();
        if (!MatchCondition(condition.Condition, text, condition.CaseSensitive))
            return false;
    }
    return true;
}

void TExtStringGrid::ApplyFilter()
{
    // The rows that do not match are gathered run by run and leave the
    // grid together at the end: the same rows as hiding each run as soon
    // as it closes, in one pass over the grid instead of one per run.
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters() - 1;
    const int total = RowCount() - FixedFooters() - FixedRows();
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) {
        if (!RowMatchesFilter(r))
            rows.push_back(RealRowIndex(r));
        if (OnFilterProgress && total > 0)
            OnFilterProgress(this, static_cast<short>(std::lround((r - first + 1) * 100.0 / total)));
    }
    HideRealRows(rows);
}

void TExtStringGrid::SetFilterActive(bool Value)
{
    if (Value == filterActive_)
        return;
    filterActive_ = Value;
    if (Value) {
        filterFixedRows_ = FixedRows();
        BeginUpdate();
        ApplyFilter();
        EndUpdate();
        // With every normal row filtered out one empty row keeps the fixed
        // rows fixed.
        if (RowCount() - FixedFooters() <= filterFixedRows_ && !FixedRowAlways) {
            TBaseGrid::InsertRows(RowCount() - FixedFooters(), 1);
            TBaseGrid::SetFixedRows(filterFixedRows_);
        } else {
            filterFixedRows_ = -1;
        }
    } else {
        if (filterFixedRows_ >= 0 && RowCount() - FixedFooters() - filterFixedRows_ == 1)
            TBaseGrid::DeleteRows(filterFixedRows_, 1);
        UnHideRowsAll();
        if (filterFixedRows_ >= 0)
            TBaseGrid::SetFixedRows(filterFixedRows_);
        filterFixedRows_ = -1;
    }
    Invalidate();
}

// ---- footer

void TExtStringGrid::RecalcFooter(int ACol)
{
    const TFloatingFooter* footer = FloatingFooter();
    if (!footer || !footer->Visible() || footer->FooterStyle() != fsFixedLastRow)
        return;
    const int last = RowCount() - 1;
    const int fromRow = FixedRows();
    const int toRow = RowCount() - 2;
    const TCellFloatReader read = [this](int c, int r) { return GetCellFloat(c, r); };
    const int from = ACol < 0 ? 0 : ACol;
    const int to = ACol < 0 ? ColCount() - 1 : std::min(ACol, ColCount() - 1);
    for (int c = from; c <= to; ++c) {
        if (!HasCellProperties(c, last))
            continue;
        double value = 0;
        switch (GetCellProperties(c, last)->FooterCalc & 0x7F) {
        case 1: value = ColumnSum(read, c, fromRow, toRow); break;
        case 2: value = ColumnAvg(read, c, fromRow, toRow); break;
        case 3: value = RowCount() - FixedRows() - 1; break;
        case 4: value = ColumnMin(read, c, fromRow, toRow); break;
        case 5: value = ColumnMax(read, c, fromRow, toRow); break;
        default: continue;
        }
        SetCellFloat(c, last, value);
    }
}

void TExtStringGrid::CalcFooterColumn(int ACol)
{
    (void)ACol;
}

void TExtStringGrid::CalcFooterColumns() {}

void TExtStringGrid::UpdateColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtStringGrid::UpdateAutoColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

// ---- row and column operations (sorting and the window's row commands
// fill these)

void TExtStringGrid::InsertRows(int ARow, int ARowCount)
{
    TBaseGrid::InsertRows(ARow, ARowCount);
}

void TExtStringGrid::RemoveRows(int ARow, int ARowCount)
{
    TBaseGrid::DeleteRows(ARow, ARowCount);
}

void TExtStringGrid::InsertCols(int ACol, int AColCount)
{
    TBaseGrid::InsertCols(ACol, AColCount);
}

void TExtStringGrid::RemoveCols(int ACol, int AColCount)
{
    TBaseGrid::DeleteCols(ACol, AColCount);
}

void TExtStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
}

void TExtStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveRow(FromIndex, ToIndex);
}
