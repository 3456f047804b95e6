// Rows and columns of the grid control: hidden columns and rows, nodes,
// row selection, the cell controls and the cell-info getters, the filter,
// the footer's calculations, and inserting, removing and moving rows and
// columns.
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

#include <QLocale>
#include <QScopedValueRollback>

#include <set>

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
    const int lastNormal = LastDataRow();
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
    const int last = std::min(LastNodeRow(ARow, node->CellIndex), RealRowIndex(LastDataRow()));
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
    if (ARow == LastDataRow())
        return 1;
    const int node = NodeAbove(ARow);
    if (node < 0)
        return 0;
    const TCellGraphic* graphic = NodeGraphic(node);
    return graphic->CellIndex != ARow - node + 1 || graphic->CellBoolean ? 2 : 1;
}

int TExtStringGrid::NodeAbove(int ARow)
{
    // A paint asks row after row: the node found for the row before, in
    // the same paint with the same cells, serves for the rows down to this
    // one, so a paint walks each row once. Outside a paint every question
    // walks.
    const bool painting = Canvas.Painter() != nullptr;
    const TNodeAbove asked{painting ? PaintCount() : 0, CellsVersion(), RowCount(), ARow, -1};
    int stop = FixedRows() - 1;
    int found = -1;
    if (painting && nodeAbove_.Paint == asked.Paint && nodeAbove_.Version == asked.Version && nodeAbove_.Rows == asked.Rows
        && nodeAbove_.Row <= ARow && nodeAbove_.Row > stop) {
        stop = nodeAbove_.Row - 1;
        found = nodeAbove_.Node;
    }
    for (int n = ARow - 1; n > stop; --n)
        if (NodeGraphic(n)) {
            found = n;
            break;
        }
    nodeAbove_ = asked;
    nodeAbove_.Node = found;
    return found;
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
    rowState_.SetFlag(ARow, Value);
    InvalidateRow(ARow);
}

void TExtStringGrid::ClearRowSelect()
{
    for (int r : rowState_.FlaggedRows(0, INT_MAX)) {
        rowState_.SetFlag(r, false);
        if (r < RowCount())
            InvalidateRow(r);
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
    return rowState_.CellSelected(ACol, ARow);
}

void TExtStringGrid::SetCellSelected(int ACol, int ARow, bool Value)
{
    if (rowState_.SetCellSelected(ACol, ARow, Value))
        RepaintCell(ACol, ARow);
}

void TExtStringGrid::ClearCellSelect()
{
    for (const auto& [col, row] : rowState_.TakeSelectedCells())
        RepaintCell(col, row);
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
    // A stored index outside the options counts as none chosen: the next
    // option is the one after the cell's text.
    const bool chosen = radio->CellIndex >= 0 && radio->CellIndex < options.size();
    int next = chosen ? radio->CellIndex + 1 : static_cast<int>(options.indexOf(Cells(ACol, ARow))) + 1;
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
    return AllCells ? ColCount() - 1 : LastDataCol();
}

int TExtStringGrid::LastNormalRow() const
{
    return AllCells ? RowCount() - 1 : LastDataRow();
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
    const int last = LastDataRow();
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
    // A text that is no number counts as 0: a word typed in a summed column
    // must not stop the edit or the paste that put it there.
    const TCellFloatReader read = [this](int c, int r) {
        double value = 0;
        return ReadCellFloat(c, r, value) ? value : 0.0;
    };
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
    if (ACol >= 0)
        RecalcFooter(ACol);
}

void TExtStringGrid::CalcFooterColumns()
{
    RecalcFooter(-1);
}

std::vector<std::uint8_t> TExtStringGrid::TakeFooterKinds()
{
    std::vector<std::uint8_t> kinds(static_cast<size_t>(ColCount()), 0);
    const int last = RowCount() - 1;
    for (int c = 0; c < ColCount() && last >= 0; ++c) {
        if (!HasCellProperties(c, last))
            continue;
        TCellProperties* cell = GetCellProperties(c, last);
        kinds[static_cast<size_t>(c)] = cell->FooterCalc;
        // The row may become a data row.
        cell->FooterCalc = 0;
    }
    return kinds;
}

void TExtStringGrid::PutFooterKinds(const std::vector<std::uint8_t>& Kinds)
{
    const int last = RowCount() - 1;
    for (int c = 0; c < ColCount() && c < static_cast<int>(Kinds.size()) && last >= 0; ++c)
        if (Kinds[static_cast<size_t>(c)] != 0)
            GetCellProperties(c, last)->FooterCalc = Kinds[static_cast<size_t>(c)];
}

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

// ---- inserting, removing and moving rows and columns
//
// The string grid moves each cell whole, its text and its object together,
// so formatting and graphics always stay with their data. What it does not
// know of is done here: the properties objects learn their new cell, the
// hidden flags and column values follow their columns, and merged blocks
// that a change cuts through are merged again over what is left of them.

int TExtStringGrid::TRowChange::Map(int ARow) const
{
    switch (What) {
    case Insert:
        return IndexAfterInsert(ARow, At, Count);
    case Remove:
        return IndexAfterRemove(ARow, At, Count);
    default:
        return IndexAfterMove(ARow, At, Count, To);
    }
}

std::pair<int, int> TExtStringGrid::TRowChange::Touched() const
{
    switch (What) {
    case Insert:
        return {At, At};
    case Remove:
        return {At, At + Count - 1};
    default:
        return {std::min(At, To), std::max(At, To) + Count - 1};
    }
}

std::pair<int, int> TExtStringGrid::TRowChange::Shifted() const
{
    switch (What) {
    case Insert:
    case Remove:
        return {At, INT_MAX};
    default:
        return {std::min(At, To), std::max(At, To) + Count - 1};
    }
}

namespace {

bool IsBlockBase(const TCellProperties* Props)
{
    return Props && Props->IsBaseCell && Props->CellSpanX >= 0 && Props->CellSpanY >= 0
           && (Props->CellSpanX > 0 || Props->CellSpanY > 0);
}

} // namespace

std::vector<TExtStringGrid::TMergedBlock> TExtStringGrid::MergedBlocks() const
{
    std::vector<TMergedBlock> blocks;
    if (!MayHoldObjects())
        return blocks;
    for (int r = NextRowWithObjects(0); r >= 0; r = NextRowWithObjects(r + 1))
        for (int c = 0; c < ColCount(); ++c) {
            const auto* props = dynamic_cast<const TCellProperties*>(GetRawObject(c, r));
            if (IsBlockBase(props))
                blocks.push_back({c, r, props->CellSpanX, props->CellSpanY});
        }
    return blocks;
}

std::vector<TExtStringGrid::TMergedBlock> TExtStringGrid::MergedBlocksInRows(const std::vector<int>& Rows) const
{
    // A cell of a block that is not its base holds its offset from the base.
    std::set<std::pair<int, int>> bases;
    std::vector<TMergedBlock> blocks;
    for (int r : Rows) {
        if (r < 0 || r >= RowCount() || !RowHasObjects(r))
            continue;
        for (int c = 0; c < ColCount(); ++c) {
            const auto* props = dynamic_cast<const TCellProperties*>(GetRawObject(c, r));
            if (!props || props->CellSpanX < 0 || props->CellSpanY < 0)
                continue;
            const int baseCol = props->IsBaseCell ? c : c - props->CellSpanX;
            const int baseRow = props->IsBaseCell ? r : r - props->CellSpanY;
            if (baseCol < 0 || baseRow < 0 || !bases.insert({baseRow, baseCol}).second)
                continue;
            const auto* base = dynamic_cast<const TCellProperties*>(GetRawObject(baseCol, baseRow));
            if (IsBlockBase(base))
                blocks.push_back({baseCol, baseRow, base->CellSpanX, base->CellSpanY});
        }
    }
    return blocks;
}

std::vector<TExtStringGrid::TMergedBlock> TExtStringGrid::UnmergeBrokenBlocks(bool Columns, const TIndexMap& Map,
                                                                            const std::vector<TMergedBlock>& Blocks)
{
    std::vector<TMergedBlock> broken;
    for (const TMergedBlock& block : Blocks) {
        const int first = Columns ? block.Col : block.Row;
        const int span = Columns ? block.SpanX : block.SpanY;
        const int shift = Map(first) - first;
        bool whole = Map(first) >= 0;
        for (int i = first + 1; whole && i <= first + span; ++i)
            whole = Map(i) >= 0 && Map(i) - i == shift;
        if (whole)
            continue;
        broken.push_back(block);
        for (int r = block.Row; r <= block.Row + block.SpanY; ++r)
            for (int c = block.Col; c <= block.Col + block.SpanX; ++c)
                if (auto* props = dynamic_cast<TCellProperties*>(GetRawObject(c, r))) {
                    props->IsBaseCell = true;
                    props->CellSpanX = -1;
                    props->CellSpanY = -1;
                }
    }
    return broken;
}

void TExtStringGrid::RemergeBlocks(const std::vector<TMergedBlock>& Blocks, bool Columns, const TIndexMap& Map,
                                   bool Moving)
{
    if (Moving)
        return; // a block a move took apart stays apart
    for (const TMergedBlock& block : Blocks) {
        const int first = Columns ? block.Col : block.Row;
        const int last = first + (Columns ? block.SpanX : block.SpanY);
        int from = INT_MAX;
        int to = -1;
        for (int i = first; i <= last; ++i)
            if (const int at = Map(i); at >= 0) {
                from = std::min(from, at);
                to = std::max(to, at);
            }
        if (to < 0)
            continue;
        const int col = Columns ? from : block.Col;
        const int row = Columns ? block.Row : from;
        const int cols = Columns ? to - from + 1 : block.SpanX + 1;
        const int rows = Columns ? block.SpanY + 1 : to - from + 1;
        if (cols * rows > 1 && col + cols <= ColCount() && row + rows <= RowCount())
            MergeCells(col, row, cols, rows);
    }
}

void TExtStringGrid::ChangeColumns(const TIndexMap& Map, bool Moving, const std::function<void()>& Change)
{
    EndCellEditing();
    const bool objects = MayHoldObjects();
    const auto broken = objects ? UnmergeBrokenBlocks(true, Map, MergedBlocks()) : std::vector<TMergedBlock>{};
    Change();
    if (objects) {
        ReownProperties(0, RowCount() - 1);
        RemergeBlocks(broken, true, Map, Moving);
    }
    rowState_.MapColumns(Map);
    Invalidate();
}

void TExtStringGrid::ChangeRows(const TRowChange& Change, const std::function<void()>& Store)
{
    // Only the rows the change touches can hold a block it breaks, and only
    // the rows it shifts have properties that must learn their new row; a
    // grid that never held an object has neither.
    EndCellEditing();
    const bool objects = MayHoldObjects();
    const TIndexMap map = [&Change](int r) { return Change.Map(r); };
    std::vector<TMergedBlock> broken;
    if (objects) {
        const auto [first, last] = Change.Touched();
        std::vector<int> rows;
        for (int r = std::max(first, 0); r <= std::min(last, RowCount() - 1); ++r)
            rows.push_back(r);
        broken = UnmergeBrokenBlocks(false, map, MergedBlocksInRows(rows));
    }
    Store();
    switch (Change.What) {
    case TRowChange::Insert:
        rowState_.Insert(Change.At, Change.Count);
        break;
    case TRowChange::Remove:
        rowState_.Remove(Change.At, Change.Count);
        break;
    case TRowChange::Move:
        rowState_.Move(Change.At, Change.Count, Change.To);
        break;
    }
    if (objects) {
        const auto [first, last] = Change.Shifted();
        ReownProperties(first, last);
        RemergeBlocks(broken, false, map, Change.What == TRowChange::Move);
    }
    Invalidate();
}

void TExtStringGrid::ReownProperties(int First, int Last)
{
    // Only the rows holding objects are visited.
    Last = std::min(Last, RowCount() - 1);
    for (int r = NextRowWithObjects(std::max(First, 0)); r >= 0 && r <= Last; r = NextRowWithObjects(r + 1))
        for (int c = 0; c < ColCount(); ++c)
            ReownCell(c, r);
}

void TExtStringGrid::ReownCell(int ACol, int ARow)
{
    if (auto* props = dynamic_cast<TCellProperties*>(GetRawObject(ACol, ARow))) {
        props->OwnerCol = ACol;
        props->OwnerRow = ARow;
    }
}

void TExtStringGrid::KeepRowsAfterRemoval(int Current, int Top)
{
    const int lastNormal = LastDataRow();
    auto place = [&](int Wanted) {
        if (Wanted < RowCount() - FixedFooters())
            return Wanted;
        return lastNormal >= FixedRows() ? lastNormal : FixedRows();
    };
    if (RowCount() > FixedRows()) {
        SetRow(std::min(place(Current), RowCount() - 1));
        SetTopRow(std::min(place(Top), RowCount() - 1));
    }
}

void TExtStringGrid::MoveColumnData(const std::function<void(std::vector<std::uint8_t>&)>& Flags,
                                    const std::function<void(std::vector<std::uint16_t>&)>& Values)
{
    // Both tables cover columns 0 to 512; for the change they reach the
    // grid's last column, and what lands beyond 512 is let go (a column
    // there is always shown and has no value).
    const size_t kept = colVisible_.size();
    const size_t reach = std::max(kept, static_cast<size_t>(ColCount()) + 1);
    colVisible_.resize(reach, 1);
    colValues_.resize(reach, 0);
    Flags(colVisible_);
    Values(colValues_);
    colVisible_.resize(kept, 1);
    colValues_.resize(kept, 0);
    hiddenColCount_ = static_cast<int>(std::count(colVisible_.begin(), colVisible_.end(), 0));
}

void TExtStringGrid::InsertRows(int ARow, int ARowCount)
{
    if (ARowCount <= 0 || ARow < 0 || ARow > RowCount())
        return;
    ChangeRows({TRowChange::Insert, ARow, ARowCount, 0}, [&] { TBaseGrid::InsertRows(ARow, ARowCount); });
    // New rows change the footer's count and average.
    CalcFooterColumns();
}

void TExtStringGrid::RemoveRows(int ARow, int ARowCount)
{
    if (ARow < 0 || ARow >= RowCount() || ARowCount <= 0)
        return;
    // One row always stays.
    const int count = std::min({ARowCount, RowCount() - ARow, RowCount() - 1});
    if (count <= 0)
        return;
    RemoveRowsAt(ARow, count);
}

void TExtStringGrid::InsertCols(int ACol, int AColCount)
{
    if (AColCount <= 0 || ACol < 0 || ACol > ColCount())
        return;
    const auto at = static_cast<std::ptrdiff_t>(ACol);
    ChangeColumns([=](int c) { return IndexAfterInsert(c, ACol, AColCount); }, false, [&] {
        TBaseGrid::InsertCols(ACol, AColCount);
        MoveColumnData(
            [&](auto& flags) { flags.insert(flags.begin() + at, static_cast<size_t>(AColCount), 1); },
            [&](auto& values) { values.insert(values.begin() + at, static_cast<size_t>(AColCount), 0); });
    });
}

void TExtStringGrid::RemoveCols(int ACol, int AColCount)
{
    if (ACol < 0 || ACol >= ColCount() || AColCount <= 0)
        return;
    // One column always stays.
    const int count = std::min({AColCount, ColCount() - ACol, ColCount() - 1});
    if (count <= 0)
        return;
    const auto from = static_cast<std::ptrdiff_t>(ACol);
    const auto to = from + count;
    const int rows = RowCount();
    ChangeColumns([=](int c) { return IndexAfterRemove(c, ACol, count); }, false, [&] {
        // The cells go with their objects (graphics too).
        TBaseGrid::DeleteCols(ACol, count);
        MoveColumnData([&](auto& flags) { flags.erase(flags.begin() + from, flags.begin() + to); },
                       [&](auto& values) { values.erase(values.begin() + from, values.begin() + to); });
    });
    CellsChanged(TRect{ACol, 0, ACol + count - 1, rows - 1});
}

void TExtStringGrid::ClearCols(int ACol, int ACount)
{
    const int from = std::max(ACol, 0);
    const int to = std::min(ACol + ACount, ColCount()) - 1;
    for (int c = from; c <= to; ++c)
        for (int r = 0; r < RowCount(); ++r)
            SetCells(c, r, QString());
    if (from <= to)
        CellsChanged(TRect{from, 0, to, RowCount() - 1});
}

void TExtStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    MoveCols(FromIndex, 1, ToIndex);
}

void TExtStringGrid::MoveCols(int FromIndex, int Count, int ToIndex)
{
    if (Count <= 0 || FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0)
        return;
    // The real columns from the first to the last moved one go together,
    // the hidden ones among them too. Moved left, they land before the
    // column shown at ToIndex; moved right, right after the one shown at
    // ToIndex + Count - 1.
    const int from = RealColIndex(FromIndex);
    const int count = RealColIndex(FromIndex + Count - 1) - from + 1;
    const int to = ToIndex < FromIndex ? RealColIndex(ToIndex) : RealColIndex(ToIndex + Count - 1) - count + 1;
    if (from == to || to < 0 || from + count > ColCount() || to + count > ColCount())
        return;
    std::vector<int> widths;
    for (int c = 0; c < ColCount(); ++c)
        widths.push_back(ColWidths(c));
    ChangeColumns([=](int c) { return IndexAfterMove(c, from, count, to); }, true, [&] {
        TBaseGrid::MoveCols(from, count, to);
        MoveColumnData([&](auto& flags) { MoveSpan(flags, from, count, to); },
                       [&](auto& values) { MoveSpan(values, from, count, to); });
        // Without EnhRowColMove the widths stay where they were.
        if (!EnhRowColMove)
            for (int c = 0; c < ColCount(); ++c)
                if (ColWidths(c) != widths[static_cast<size_t>(c)])
                    SetColWidths(c, widths[static_cast<size_t>(c)]);
    });
}

void TExtStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    MoveRows(FromIndex, 1, ToIndex);
}

void TExtStringGrid::MoveRows(int FromIndex, int Count, int ToIndex)
{
    if (Count <= 0 || FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex + Count > RowCount()
        || ToIndex + Count > RowCount())
        return;
    const int first = std::min(FromIndex, ToIndex);
    std::vector<int> heights;
    if (!EnhRowColMove)
        for (int r = first; r < std::max(FromIndex, ToIndex) + Count; ++r)
            heights.push_back(RowHeights(r));
    ChangeRows({TRowChange::Move, FromIndex, Count, ToIndex}, [&] {
        TBaseGrid::MoveRows(FromIndex, Count, ToIndex);
        // Without EnhRowColMove the heights stay where they were.
        for (size_t i = 0; i < heights.size(); ++i)
            if (RowHeights(first + static_cast<int>(i)) != heights[i])
                SetRowHeights(first + static_cast<int>(i), heights[i]);
    });
}

void TExtStringGrid::RemoveRowsAt(int ARow, int ACount)
{
    if (ARow < 0 || ACount <= 0 || ARow >= RowCount())
        return;
    ACount = std::min(ACount, RowCount() - ARow);
    // One row always stays.
    const int removed = std::min(ACount, RowCount() - 1);
    const int cols = ColCount() + hiddenColCount_;
    const int current = Row();
    const int top = TopRow();
    BeginUpdate();
    ChangeRows({TRowChange::Remove, ARow, removed, 0}, [&] {
        ClearCellProperties(0, ARow, std::min(cols, ColCount()) - 1, ARow + ACount - 1);
        TBaseGrid::DeleteRows(ARow, removed);
        KeepRowsAfterRemoval(current, top);
    });
    EndUpdate();
    CellsChanged(TRect{0, ARow, cols - 1, ARow + ACount - 1});
}

void TExtStringGrid::RemoveSelectedRows()
{
    // The flagged rows leave in one pass; each is reported as removing it
    // alone would (at its index once the ones before it are gone).
    std::vector<int> rows = rowState_.FlaggedRows(FixedRows(), RowCount() - FixedFooters() - 1);
    if (rows.empty())
        return;
    EndCellEditing();
    const int cols = ColCount() + hiddenColCount_;
    const int current = Row();
    const int top = TopRow();
    const bool objects = MayHoldObjects();
    const TIndexMap map = [&rows](int r) {
        const auto before = std::lower_bound(rows.begin(), rows.end(), r);
        return before != rows.end() && *before == r ? -1 : r - static_cast<int>(before - rows.begin());
    };
    const auto broken = objects ? UnmergeBrokenBlocks(false, map, MergedBlocksInRows(rows))
                                : std::vector<TMergedBlock>{};
    BeginUpdate();
    auto taken = TakeRows(rows);
    for (auto& row : taken)
        DropRow(row);
    rows.resize(taken.size());
    rowState_.Remove(rows);
    KeepRowsAfterRemoval(current, top);
    EndUpdate();
    if (objects && !rows.empty()) {
        ReownProperties(rows.front(), RowCount() - 1);
        RemergeBlocks(broken, false, map, false);
    }
    Invalidate();
    {
        // The footer is worked out once, not once for each report.
        const QScopedValueRollback<bool> hold(footerHeld_, true);
        for (size_t i = 0; i < rows.size(); ++i) {
            const int at = rows[i] - static_cast<int>(i);
            CellsChanged(TRect{0, at, cols - 1, at});
        }
    }
    CalcFooterColumns();
}

void TExtStringGrid::ClearRows(int ARow, int ACount)
{
    const int cols = ColCount() + hiddenColCount_;
    const int from = std::max(ARow, 0);
    const int to = std::min(ARow + ACount, RowCount()) - 1;
    for (int r = from; r <= to; ++r)
        for (int c = 0; c < std::min(cols, ColCount()); ++c)
            SetCells(c, r, QString());
    if (from <= to)
        CellsChanged(TRect{0, from, ColCount() - 1, to});
}

std::uint16_t TExtStringGrid::ColumnValue(int ACol) const
{
    if (ACol < 0 || ACol >= static_cast<int>(colValues_.size()))
        return 0;
    return colValues_[static_cast<size_t>(ACol)];
}

void TExtStringGrid::SetColumnValue(int ACol, std::uint16_t Value)
{
    if (ACol >= 0 && ACol < static_cast<int>(colValues_.size()))
        colValues_[static_cast<size_t>(ACol)] = Value;
}

// ---- row heights by lines, lookup, cell colour

int TExtStringGrid::RowHeightOfLines(int Lines, int Extra, int MinHeight, int MaxHeight) const
{
    const int line = fontMetrics().boundingRect(QStringLiteral("gh")).height();
    int height = Lines * (line + line / 4) + Extra;
    if (MaxHeight > 0)
        height = std::min(height, MaxHeight);
    return std::max(height, MinHeight);
}

int TExtStringGrid::TextLineCount(const QString& Text)
{
    // A line ends at CR LF, LF or CR, as painting breaks it.
    int lines = 1;
    for (qsizetype i = 0; i < Text.size(); ++i)
        if (Text[i] == QLatin1Char('\n')
            || (Text[i] == QLatin1Char('\r') && (i + 1 == Text.size() || Text[i + 1] != QLatin1Char('\n'))))
            ++lines;
    return lines;
}

int TExtStringGrid::RowLineCount(int ARow) const
{
    if (!Multilinecells || ARow < 0 || ARow >= RowCount())
        return 1;
    int lines = 1;
    for (int c = 0; c < ColCount(); ++c)
        lines = std::max(lines, TextLineCount(Cells(c, ARow)));
    return lines;
}

int TExtStringGrid::IncrementalLookup(const QString& UpperText) const
{
    if (RowCount() < 2)
        return -1;
    const int col = SortSettings()->Show() ? SortSettings()->Column() : 1;
    if (col < 0 || col >= ColCount())
        return -1;
    const QLocale locale;
    const auto length = UpperText.size();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (locale.toUpper(Cells(col, r).left(length)) == UpperText)
            return r;
    return -1;
}

TColor TExtStringGrid::CellColor(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return clNone;
    const auto* props = dynamic_cast<const TCellProperties*>(GetRawObject(ACol, ARow));
    return props ? props->BrushColor() : clNone;
}
