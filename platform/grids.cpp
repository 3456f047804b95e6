// The string grid's cells, sizes, and the rows and columns inserted,
// deleted and moved; the other concerns have files of their own
// (geometry, painting, input, the in-place editor).
#include "platform/grids.h"

#include "platform/application.h"
#include "platform/spans.h"

#include <QScrollBar>

#include <algorithm>
#include <utility>
#include <cstddef>
#include <iterator>
#include <memory>

namespace {

// The size of a column or row, checked.
template <typename Sizes>
auto& SizeAt(Sizes& sizes, int index)
{
    if (index < 0 || index >= static_cast<int>(sizes.size()))
        throw EInvalidGridOperation();
    return sizes[static_cast<size_t>(index)];
}

// Where an index ends up when the items at..at+count-1 are deleted: those
// after move up, those deleted go to the first one after.
void FollowDelete(int& index, int at, int count)
{
    if (index >= at + count)
        index -= count;
    else if (index >= at)
        index = at;
}

} // namespace

void CheckGridSize(int cols, int rows)
{
    if (cols > kMaxGridCols || rows > kMaxGridRows)
        throw EInvalidGridOperation("Grid too large for operation");
}

// ---------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent), TControl(this)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
    viewport()->setMouseTracking(true);
    setFrameShape(QFrame::StyledPanel);
    Resize(5, 5);
    UpdateScrollBars();
}

TStringGrid::~TStringGrid() = default;

// ---- cells

void TStringGrid::CheckCell(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        throw EInvalidGridOperation();
}

template <typename F>
void TStringGrid::ForEachRowWithCells(F&& change)
{
    ++cellsVersion_;
    for (auto& row : cells_)
        if (row)
            change(*row);
}

void TStringGrid::DropObjects(int fromCol, int toCol, int fromRow, int toRow)
{
    ++cellsVersion_;
    for (int r = fromRow; r < toRow; ++r) {
        auto& row = cells_[static_cast<size_t>(r)];
        if (!row)
            continue;
        for (int c = fromCol; c < toCol; ++c) {
            Cell& cell = (*row)[static_cast<size_t>(c)];
            if (TObject* object = std::exchange(cell.object, nullptr)) {
                CountObject(r, object, nullptr);
                ObjectDropped(object);
            }
        }
    }
}

void TStringGrid::ObjectDropped(TObject* Object)
{
    (void)Object;
}

TStringGrid::Cell& TStringGrid::At(int ACol, int ARow)
{
    CheckCell(ACol, ARow);
    ++cellsVersion_;
    // A row gets its cells when one of them is first written.
    auto& row = cells_[static_cast<size_t>(ARow)];
    if (!row)
        row = std::make_unique<CellRow>(static_cast<size_t>(ColCount()));
    return (*row)[static_cast<size_t>(ACol)];
}

const TStringGrid::Cell& TStringGrid::At(int ACol, int ARow) const
{
    static const Cell empty;
    CheckCell(ACol, ARow);
    const auto& row = cells_[static_cast<size_t>(ARow)];
    return row ? (*row)[static_cast<size_t>(ACol)] : empty;
}

QString TStringGrid::GetCells(int ACol, int ARow) const
{
    return At(ACol, ARow).text;
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& value)
{
    Cell& cell = At(ACol, ARow);
    if (cell.text == value)
        return;
    cell.text = value;
    InvalidateCell(ACol, ARow);
    RefreshEditorAt(ACol, ARow);
}

const QString& TStringGrid::StoredText(int ACol, int ARow) const
{
    return At(ACol, ARow).text;
}

void TStringGrid::StoreText(int ACol, int ARow, const QString& value)
{
    At(ACol, ARow).text = value;
}

void TStringGrid::ExchangeStoredRows(int ARow1, int ARow2)
{
    CheckCell(0, ARow1);
    CheckCell(0, ARow2);
    // Rows are kept by pointer: the cells themselves do not move.
    ++cellsVersion_;
    std::swap(cells_[static_cast<size_t>(ARow1)], cells_[static_cast<size_t>(ARow2)]);
    if (objectsPut_)
        std::swap(rowObjects_[static_cast<size_t>(ARow1)], rowObjects_[static_cast<size_t>(ARow2)]);
}

void TStringGrid::ExchangeStoredCells(int ACol, int ARow1, int ARow2)
{
    Cell& first = At(ACol, ARow1);
    Cell& second = At(ACol, ARow2);
    CountObject(ARow1, first.object, second.object);
    CountObject(ARow2, second.object, first.object);
    std::swap(first, second);
}

namespace {

// Items First + k take the items Sources[k].
template <typename T, typename Get>
void PermuteItems(int First, const std::vector<int>& Sources, Get&& Item)
{
    std::vector<T> moved;
    moved.reserve(Sources.size());
    for (int source : Sources)
        moved.push_back(std::move(Item(source)));
    for (size_t k = 0; k < moved.size(); ++k)
        Item(First + static_cast<int>(k)) = std::move(moved[k]);
}

} // namespace

void TStringGrid::PermuteStoredRows(int First, const std::vector<int>& Sources, bool WithHeights)
{
    if (Sources.empty())
        return;
    CheckRange(First, static_cast<int>(Sources.size()), RowCount());
    ++cellsVersion_;
    PermuteItems<std::unique_ptr<CellRow>>(First, Sources, [this](int r) -> auto& {
        return cells_[static_cast<size_t>(r)];
    });
    if (objectsPut_)
        PermuteItems<std::uint32_t>(First, Sources, [this](int r) -> auto& {
            return rowObjects_[static_cast<size_t>(r)];
        });
    if (WithHeights) {
        PermuteItems<int>(First, Sources, [this](int r) -> auto& { return rowHeights_[static_cast<size_t>(r)]; });
        Relayout();
    }
}

void TStringGrid::PermuteStoredCells(int ACol, int First, const std::vector<int>& Sources)
{
    if (Sources.empty())
        return;
    CheckRange(First, static_cast<int>(Sources.size()), RowCount());
    // The column's objects leave their rows' counts and join their new rows'.
    const int last = First + static_cast<int>(Sources.size());
    for (int r = First; r < last; ++r)
        CountObject(r, At(ACol, r).object, nullptr);
    PermuteItems<Cell>(First, Sources, [this, ACol](int r) -> auto& { return At(ACol, r); });
    for (int r = First; r < last; ++r)
        CountObject(r, nullptr, At(ACol, r).object);
}

bool TStringGrid::RowHasObjects(int ARow) const
{
    CheckCell(0, ARow);
    return objectsPut_ && rowObjects_[static_cast<size_t>(ARow)] != 0;
}

bool TStringGrid::HasObjects() const
{
    return NextRowWithObjects(0) >= 0;
}

int TStringGrid::NextRowWithObjects(int ARow) const
{
    if (!objectsPut_ || ARow >= RowCount())
        return -1;
    const auto from = rowObjects_.begin() + std::max(ARow, 0);
    const auto found = std::find_if(from, rowObjects_.end(), [](std::uint32_t n) { return n != 0; });
    return found == rowObjects_.end() ? -1 : static_cast<int>(found - rowObjects_.begin());
}

void TStringGrid::CountObject(int ARow, const TObject* Before, const TObject* After)
{
    if (!objectsPut_ || (Before != nullptr) == (After != nullptr))
        return;
    auto& count = rowObjects_[static_cast<size_t>(ARow)];
    count = After ? count + 1 : count - 1;
}

std::uint32_t TStringGrid::ObjectsIn(const CellRow* Row)
{
    if (!Row)
        return 0;
    return static_cast<std::uint32_t>(
        std::count_if(Row->begin(), Row->end(), [](const Cell& cell) { return cell.object != nullptr; }));
}

TObject* TStringGrid::Objects(int ACol, int ARow) const
{
    return At(ACol, ARow).object;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* object)
{
    Cell& cell = At(ACol, ARow);
    if (!objectsPut_ && object) {
        // The first object: no row holds one yet.
        objectsPut_ = true;
        rowObjects_.assign(cells_.size(), 0);
    }
    CountObject(ARow, cell.object, object);
    cell.object = object;
}

QStringList TStringGrid::Rows(int ARow) const
{
    QStringList values;
    for (int c = 0; c < ColCount(); ++c)
        values << Cells(c, ARow);
    return values;
}

void TStringGrid::SetRows(int ARow, const QStringList& values)
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, ARow, values.value(c));
}

QStringList TStringGrid::Cols(int ACol) const
{
    QStringList values;
    for (int r = 0; r < RowCount(); ++r)
        values << Cells(ACol, r);
    return values;
}

void TStringGrid::SetCols(int ACol, const QStringList& values)
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(ACol, r, values.value(r));
}

void TStringGrid::RefreshEditorAt(int ACol, int ARow)
{
    // The program wrote the cell being edited: the editor shows it anew.
    if (settingEditText_ || !editor_ || editorCell_ != TGridCoord{ACol, ARow})
        return;
    editor_->UpdateContents();
    editor_->SelectAll();
}

// ---- size

void TStringGrid::Resize(int cols, int rows)
{
    const int oldCols = static_cast<int>(colWidths_.size());
    const int oldRows = static_cast<int>(rowHeights_.size());
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    CheckGridSize(cols, rows);
    if (rows < oldRows)
        DropObjects(0, oldCols, rows, oldRows);
    if (cols < oldCols)
        DropObjects(cols, oldCols, 0, std::min(rows, oldRows));
    colWidths_.resize(static_cast<size_t>(cols), defaultColWidth_);
    tabStops_.resize(static_cast<size_t>(cols), true);
    rowHeights_.resize(static_cast<size_t>(rows), defaultRowHeight_);
    ++cellsVersion_;
    cells_.resize(static_cast<size_t>(rows));
    if (objectsPut_)
        rowObjects_.resize(static_cast<size_t>(rows), 0);
    if (cols != oldCols)
        ForEachRowWithCells([&](CellRow& row) { row.resize(static_cast<size_t>(cols)); });
    ClampToCounts();
    if (oldCols != cols || oldRows != rows) {
        if (editorCell_.X >= cols || editorCell_.Y >= rows)
            editorCell_ = {-1, -1};
        Relayout();
        SizeChanged(oldCols, oldRows);
    }
}

void TStringGrid::SetColCount(int count)
{
    count = std::max(count, 1);
    if (count <= fixedCols_)
        fixedCols_ = count - 1;
    Resize(count, RowCount());
}

void TStringGrid::SetRowCount(int count)
{
    count = std::max(count, 1);
    if (count <= fixedRows_)
        fixedRows_ = count - 1;
    Resize(ColCount(), count);
}

void TStringGrid::SetFixedCols(int count)
{
    if (count < 0 || count >= ColCount())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    fixedCols_ = count;
    // As after any change of the fixed area: the first cell after it.
    topLeft_.X = current_.X = anchor_.X = fixedCols_;
    if (options_ & goRowSelect)
        anchor_.X = ColCount() - 1;
    Relayout();
}

void TStringGrid::SetFixedRows(int count)
{
    if (count < 0 || count >= RowCount())
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    fixedRows_ = count;
    topLeft_.Y = current_.Y = anchor_.Y = fixedRows_;
    Relayout();
}

void TStringGrid::SetDefaultColWidth(int width)
{
    defaultColWidth_ = std::max(width, 0);
    std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
    Relayout();
}

void TStringGrid::SetDefaultRowHeight(int height)
{
    defaultRowHeight_ = std::max(height, 0);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    Relayout();
}

int TStringGrid::ColWidths(int ACol) const
{
    return SizeAt(colWidths_, ACol);
}

void TStringGrid::SetColWidths(int ACol, int width)
{
    SizeAt(colWidths_, ACol) = std::max(width, 0);
    Relayout();
}

int TStringGrid::RowHeights(int ARow) const
{
    return SizeAt(rowHeights_, ARow);
}

void TStringGrid::SetRowHeights(int ARow, int height)
{
    SizeAt(rowHeights_, ARow) = std::max(height, 0);
    Relayout();
}

void TStringGrid::SetGridLineWidth(int width)
{
    gridLineWidth_ = std::max(width, 0);
    Relayout();
}

void TStringGrid::SetOptions(TGridOptions options)
{
    if (options & goRowSelect)
        options &= ~goAlwaysShowEditor;
    options_ = options;
    if (options_ & goRowSelect) {
        anchor_.X = ColCount() - 1;
        current_.X = fixedCols_;
    }
    const bool always = (options_ & goEditing) && (options_ & goAlwaysShowEditor);
    if (always)
        editorMode_ = true;
    else if (!(options_ & goEditing))
        editorMode_ = false;
    verticalScrollBar()->setTracking(options_ & goThumbTracking);
    horizontalScrollBar()->setTracking(options_ & goThumbTracking);
    Relayout();
}

void TStringGrid::SetScrollBars(TScrollStyle style)
{
    scrollBars_ = style;
    const bool vertical = style == ssVertical || style == ssBoth;
    const bool horizontal = style == ssHorizontal || style == ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
}

void TStringGrid::SetDefaultDrawing(bool on)
{
    defaultDrawing_ = on;
    viewport()->update();
}

void TStringGrid::SetColor(TColor color)
{
    color_ = color;
    viewport()->update();
}

void TStringGrid::SetFixedColor(TColor color)
{
    fixedColor_ = color;
    viewport()->update();
}

bool TStringGrid::TabStops(int ACol) const
{
    return ACol >= 0 && ACol < ColCount() && tabStops_[static_cast<size_t>(ACol)];
}

void TStringGrid::SetTabStops(int ACol, bool stop)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EInvalidGridOperation();
    tabStops_[static_cast<size_t>(ACol)] = stop;
}

// ---- virtual operations

bool TStringGrid::SelectCell(int ACol, int ARow)
{
    bool canSelect = true;
    if (OnSelectCell)
        Application->Guard([&] { OnSelectCell(ACol, ARow, canSelect); });
    return canSelect;
}

void TStringGrid::TopLeftChanged()
{
    Run(OnTopLeftChanged);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    (void)OldColCount;
    (void)OldRowCount;
}

void TStringGrid::Click()
{
    Run(OnClick);
}

bool TStringGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    (void)Shift;
    (void)MousePos;
    if (current_.Y < RowCount() - 1)
        SetRow(current_.Y + 1);
    return true;
}

bool TStringGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    (void)Shift;
    (void)MousePos;
    if (current_.Y > fixedRows_)
        SetRow(current_.Y - 1);
    return true;
}

void TStringGrid::MoveColumn(int fromIndex, int toIndex)
{
    MoveCols(fromIndex, 1, toIndex);
}

void TStringGrid::MoveRow(int fromIndex, int toIndex)
{
    MoveRows(fromIndex, 1, toIndex);
}

void TStringGrid::MoveCols(int FromIndex, int Count, int ToIndex)
{
    CheckRange(FromIndex, Count, ColCount());
    CheckRange(ToIndex, Count, ColCount());
    if (FromIndex == ToIndex || Count == 0)
        return;
    MoveSpan(colWidths_, FromIndex, Count, ToIndex);
    MoveSpan(tabStops_, FromIndex, Count, ToIndex);
    ForEachRowWithCells([&](CellRow& row) { MoveSpan(row, FromIndex, Count, ToIndex); });
    current_.X = IndexAfterMove(current_.X, FromIndex, Count, ToIndex);
    anchor_.X = IndexAfterMove(anchor_.X, FromIndex, Count, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    editorCell_ = {-1, -1};
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::MoveRows(int FromIndex, int Count, int ToIndex)
{
    CheckRange(FromIndex, Count, RowCount());
    CheckRange(ToIndex, Count, RowCount());
    if (FromIndex == ToIndex || Count == 0)
        return;
    MoveSpan(rowHeights_, FromIndex, Count, ToIndex);
    ++cellsVersion_;
    MoveSpan(cells_, FromIndex, Count, ToIndex);
    if (objectsPut_)
        MoveSpan(rowObjects_, FromIndex, Count, ToIndex);
    current_.Y = IndexAfterMove(current_.Y, FromIndex, Count, ToIndex);
    anchor_.Y = IndexAfterMove(anchor_.Y, FromIndex, Count, ToIndex);
    RowMoved(FromIndex, ToIndex);
    editorCell_ = {-1, -1};
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::InsertCols(int Index, int Count)
{
    CheckRange(Index, 0, ColCount());
    if (Count <= 0)
        return;
    const int oldCols = ColCount();
    const auto at = static_cast<std::ptrdiff_t>(Index);
    colWidths_.insert(colWidths_.begin() + at, static_cast<size_t>(Count), defaultColWidth_);
    tabStops_.insert(tabStops_.begin() + at, static_cast<size_t>(Count), true);
    ForEachRowWithCells([&](CellRow& row) { row.insert(row.begin() + at, static_cast<size_t>(Count), Cell{}); });
    current_.X = IndexAfterInsert(current_.X, Index, Count);
    anchor_.X = IndexAfterInsert(anchor_.X, Index, Count);
    AfterRangeChange(oldCols, RowCount());
}

void TStringGrid::InsertRows(int Index, int Count)
{
    CheckRange(Index, 0, RowCount());
    if (Count <= 0)
        return;
    const int oldRows = RowCount();
    const auto at = static_cast<std::ptrdiff_t>(Index);
    rowHeights_.insert(rowHeights_.begin() + at, static_cast<size_t>(Count), defaultRowHeight_);
    ++cellsVersion_;
    // The rows after Index move down in place, leaving empty rows behind
    // them: no memory is asked for while the storage has room.
    const auto old = static_cast<std::ptrdiff_t>(cells_.size());
    cells_.resize(cells_.size() + static_cast<size_t>(Count));
    std::move_backward(cells_.begin() + at, cells_.begin() + old, cells_.end());
    if (objectsPut_)
        rowObjects_.insert(rowObjects_.begin() + at, static_cast<size_t>(Count), 0);
    current_.Y = IndexAfterInsert(current_.Y, Index, Count);
    anchor_.Y = IndexAfterInsert(anchor_.Y, Index, Count);
    AfterRangeChange(ColCount(), oldRows);
}

void TStringGrid::DeleteCols(int Index, int Count)
{
    CheckRange(Index, Count, ColCount());
    // One column always stays.
    Count = std::min(Count, ColCount() - 1);
    if (Count <= 0)
        return;
    const int oldCols = ColCount();
    DropObjects(Index, Index + Count, 0, RowCount());
    const auto from = static_cast<std::ptrdiff_t>(Index);
    const auto to = from + Count;
    colWidths_.erase(colWidths_.begin() + from, colWidths_.begin() + to);
    tabStops_.erase(tabStops_.begin() + from, tabStops_.begin() + to);
    ForEachRowWithCells([&](CellRow& row) { row.erase(row.begin() + from, row.begin() + to); });
    FollowDelete(current_.X, Index, Count);
    FollowDelete(anchor_.X, Index, Count);
    AfterRangeChange(oldCols, RowCount());
}

void TStringGrid::DeleteRows(int Index, int Count)
{
    CheckRange(Index, Count, RowCount());
    Count = std::min(Count, RowCount() - 1);
    if (Count <= 0)
        return;
    const int oldRows = RowCount();
    DropObjects(0, ColCount(), Index, Index + Count);
    const auto from = static_cast<std::ptrdiff_t>(Index);
    const auto to = from + Count;
    rowHeights_.erase(rowHeights_.begin() + from, rowHeights_.begin() + to);
    ++cellsVersion_;
    cells_.erase(cells_.begin() + from, cells_.begin() + to);
    if (objectsPut_)
        rowObjects_.erase(rowObjects_.begin() + from, rowObjects_.begin() + to);
    FollowDelete(current_.Y, Index, Count);
    FollowDelete(anchor_.Y, Index, Count);
    AfterRangeChange(ColCount(), oldRows);
}

void TStringGrid::DeleteColumn(int ACol)
{
    DeleteCols(ACol, 1);
}

void TStringGrid::DeleteRow(int ARow)
{
    DeleteRows(ARow, 1);
}

void TStringGrid::ClampToCounts()
{
    // The fixed area, the current cell, the anchor and the top-left stay
    // inside the grid.
    const int cols = ColCount();
    const int rows = RowCount();
    fixedCols_ = std::min(fixedCols_, cols - 1);
    fixedRows_ = std::min(fixedRows_, rows - 1);
    auto clampCoord = [&](TGridCoord& p) {
        p.X = std::clamp(p.X, fixedCols_, cols - 1);
        p.Y = std::clamp(p.Y, fixedRows_, rows - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    clampCoord(topLeft_);
}

void TStringGrid::CheckRange(int index, int count, int size) const
{
    if (index < 0 || count < 0 || index + count > size)
        throw EInvalidGridOperation();
}

void TStringGrid::AfterRangeChange(int oldCols, int oldRows)
{
    // The counts changed in place: as after a resize, and the editor opens
    // anew.
    ClampToCounts();
    editorCell_ = {-1, -1};
    Relayout();
    SizeChanged(oldCols, oldRows);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved)
        Application->Guard([&] { OnColumnMoved(FromIndex, ToIndex); });
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved)
        Application->Guard([&] { OnRowMoved(FromIndex, ToIndex); });
}

// ---- rows taken out and put back

QString TStringGrid::TTakenRow::Text(int ACol) const
{
    if (!cells_ || ACol < 0 || ACol >= static_cast<int>(cells_->size()))
        return {};
    return (*cells_)[static_cast<size_t>(ACol)].text;
}

TObject* TStringGrid::TTakenRow::Object(int ACol) const
{
    if (!cells_ || ACol < 0 || ACol >= static_cast<int>(cells_->size()))
        return nullptr;
    return (*cells_)[static_cast<size_t>(ACol)].object;
}

std::vector<TStringGrid::TTakenRow> TStringGrid::TakeRows(const std::vector<int>& Rows)
{
    for (size_t i = 0; i < Rows.size(); ++i)
        if (Rows[i] < 0 || Rows[i] >= RowCount() || (i > 0 && Rows[i] <= Rows[i - 1]))
            throw EInvalidGridOperation();
    // One row always stays.
    const size_t count = std::min(Rows.size(), static_cast<size_t>(RowCount() - 1));
    std::vector<TTakenRow> taken(count);
    if (count == 0)
        return taken;
    const int oldRows = RowCount();
    ++cellsVersion_;
    // One pass: the rows asked for go out, the others close up behind.
    size_t next = 0;
    size_t kept = 0;
    for (size_t r = 0; r < cells_.size(); ++r) {
        if (next < count && static_cast<size_t>(Rows[next]) == r) {
            taken[next].cells_ = std::move(cells_[r]);
            taken[next].height_ = rowHeights_[r];
            ++next;
            continue;
        }
        if (kept != r) {
            cells_[kept] = std::move(cells_[r]);
            rowHeights_[kept] = rowHeights_[r];
            if (objectsPut_)
                rowObjects_[kept] = rowObjects_[r];
        }
        ++kept;
    }
    cells_.resize(kept);
    rowHeights_.resize(kept);
    if (objectsPut_)
        rowObjects_.resize(kept);
    // An index moves up by the rows taken before it; a taken row's index
    // goes to the row after it, as on a delete.
    auto follow = [&](int& index) {
        const auto before = std::lower_bound(Rows.begin(), Rows.begin() + static_cast<std::ptrdiff_t>(count), index);
        index -= static_cast<int>(before - Rows.begin());
    };
    follow(current_.Y);
    follow(anchor_.Y);
    follow(topLeft_.Y);
    AfterRangeChange(ColCount(), oldRows);
    return taken;
}

void TStringGrid::PutRows(const std::vector<int>& At, std::vector<TTakenRow>&& Rows)
{
    if (At.size() != Rows.size())
        throw EInvalidGridOperation();
    ++cellsVersion_;
    const size_t total = cells_.size() + Rows.size();
    for (size_t i = 0; i < At.size(); ++i)
        if (At[i] < 0 || static_cast<size_t>(At[i]) >= total || (i > 0 && At[i] <= At[i - 1])
            || static_cast<size_t>(At[i]) > cells_.size() + i)
            throw EInvalidGridOperation();
    if (Rows.empty())
        return;
    const int oldRows = RowCount();
    const auto cols = static_cast<size_t>(ColCount());
    std::vector<std::unique_ptr<CellRow>> cells(total);
    std::vector<int> heights(total);
    std::vector<std::uint32_t> objects(objectsPut_ ? total : 0);
    size_t next = 0;
    size_t old = 0;
    for (size_t r = 0; r < total; ++r) {
        if (next < Rows.size() && static_cast<size_t>(At[next]) == r) {
            TTakenRow& row = Rows[next++];
            if (row.cells_ && row.cells_->size() > cols) {
                for (size_t c = cols; c < row.cells_->size(); ++c)
                    if (TObject* object = std::exchange((*row.cells_)[c].object, nullptr))
                        ObjectDropped(object);
            }
            if (row.cells_)
                row.cells_->resize(cols);
            cells[r] = std::move(row.cells_);
            heights[r] = row.height_;
            if (objectsPut_)
                objects[r] = ObjectsIn(cells[r].get());
        } else {
            cells[r] = std::move(cells_[old]);
            heights[r] = rowHeights_[old];
            if (objectsPut_)
                objects[r] = rowObjects_[old];
            ++old;
        }
    }
    cells_ = std::move(cells);
    rowHeights_ = std::move(heights);
    rowObjects_ = std::move(objects);
    // An index moves down by the rows put in at or before where it lands.
    auto follow = [&](int& index) {
        for (int at : At) {
            if (at > index)
                break;
            ++index;
        }
    };
    follow(current_.Y);
    follow(anchor_.Y);
    follow(topLeft_.Y);
    Rows.clear();
    AfterRangeChange(ColCount(), oldRows);
}

void TStringGrid::DropRow(TTakenRow& Row)
{
    if (Row.cells_)
        for (Cell& cell : *Row.cells_)
            if (TObject* object = std::exchange(cell.object, nullptr))
                ObjectDropped(object);
    Row.cells_.reset();
}
