#pragma once
// The grid control's own per-row state: the rows it has taken out of view
// (hidden by a filter or a collapsed node), each with everything its cells
// held, and the flags, cell selection and row order that follow the rows.
// Plain containers: the grid moves the rows themselves.
#include "grid/extobj.h"
#include "platform/grids.h"
#include "platform/spans.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

// The rows taken out of the grid, by real index (ascending), each with its
// cells whole: texts, properties, graphics, check boxes and node buttons
// come back as they were. Real row r is display row r less the hidden rows
// before it.
class THiddenRows {
public:
    struct Row {
        int Idx = 0;
        TStringGrid::TTakenRow Cells;
    };

    // Drop lets go of a row still hidden when the store goes (its cell
    // objects belong to the grid).
    explicit THiddenRows(std::function<void(TStringGrid::TTakenRow&)> Drop) : drop_(std::move(Drop)) {}
    THiddenRows(const THiddenRows&) = delete;
    THiddenRows& operator=(const THiddenRows&) = delete;
    ~THiddenRows()
    {
        for (Row& row : rows_)
            drop_(row.Cells);
    }

    int Count() const { return static_cast<int>(rows_.size()); }
    const Row& At(int i) const { return rows_[static_cast<size_t>(i)]; }
    Row& At(int i) { return rows_[static_cast<size_t>(i)]; }

    bool IsHidden(int ARow) const
    {
        const auto it = LowerBound(ARow);
        return it != rows_.end() && it->Idx == ARow;
    }

    // Hidden rows before real row ARow.
    int HiddenBefore(int ARow) const { return static_cast<int>(LowerBound(ARow) - rows_.begin()); }

    int DisplayRow(int ARow) const { return ARow - HiddenBefore(ARow); }

    // The real row reached after ADisplay + 1 rows that are not hidden: the
    // i-th hidden row has Idx - i shown rows before it, which never falls
    // as i grows, so the hidden rows before it are found by halving.
    int RealRow(int ADisplay) const
    {
        int low = 0;
        int high = Count();
        while (low < high) {
            const int mid = (low + high) / 2;
            if (rows_[static_cast<size_t>(mid)].Idx - mid <= ADisplay)
                low = mid + 1;
            else
                high = mid;
        }
        return ADisplay + low;
    }

    // Adds rows (ascending, none hidden yet) in one merge.
    void Add(std::vector<Row>&& Rows)
    {
        std::vector<Row> merged;
        merged.reserve(rows_.size() + Rows.size());
        std::merge(std::make_move_iterator(rows_.begin()), std::make_move_iterator(rows_.end()),
                   std::make_move_iterator(Rows.begin()), std::make_move_iterator(Rows.end()),
                   std::back_inserter(merged), [](const Row& a, const Row& b) { return a.Idx < b.Idx; });
        rows_ = std::move(merged);
    }

    // Takes out the rows with an index in First..Last, ascending.
    std::vector<Row> Take(int First, int Last)
    {
        const auto from = LowerBound(First);
        // Last may be the largest int ("to the end"): no Last + 1 here.
        const auto to = std::upper_bound(from, rows_.end(), Last, [](int v, const Row& r) { return v < r.Idx; });
        std::vector<Row> taken(std::make_move_iterator(from), std::make_move_iterator(to));
        rows_.erase(from, to);
        return taken;
    }

private:
    std::vector<Row>::const_iterator LowerBound(int ARow) const
    {
        return std::lower_bound(rows_.begin(), rows_.end(), ARow, [](const Row& r, int v) { return r.Idx < v; });
    }
    std::vector<Row>::iterator LowerBound(int ARow)
    {
        return std::lower_bound(rows_.begin(), rows_.end(), ARow, [](const Row& r, int v) { return r.Idx < v; });
    }

    std::function<void(TStringGrid::TTakenRow&)> drop_;
    std::vector<Row> rows_;
};

// What the grid control keeps per row beside the cells: the row-selection
// flags, the scattered cell selection and the rows' first positions as a
// sort leaves them. Every change of the rows (insert, remove, move,
// exchange) goes through here, so each store follows its rows the same
// way and none is left behind by one of the operations; the grid's
// ReownProperties does the same for the properties objects.
class TRowState {
public:
    // ---- row-selection flags; rows never flagged read as not selected
    bool Flagged(int ARow) const
    {
        return ARow >= 0 && static_cast<size_t>(ARow) < flags_.size() && flags_[static_cast<size_t>(ARow)];
    }
    void SetFlag(int ARow, bool Value)
    {
        if (ARow < 0 || Flagged(ARow) == Value)
            return;
        Reach(ARow);
        flags_[static_cast<size_t>(ARow)] = Value;
    }
    // The flagged rows from First to Last, ascending.
    std::vector<int> FlaggedRows(int First, int Last) const
    {
        std::vector<int> rows;
        const int begin = std::max(First, 0);
        const int end = std::min(Last, static_cast<int>(flags_.size()) - 1);
        if (begin > end)
            return rows;
        // Counted first: one block of memory however many rows are flagged.
        rows.reserve(static_cast<size_t>(std::count(flags_.begin() + begin, flags_.begin() + end + 1, true)));
        for (int r = begin; r <= end; ++r)
            if (flags_[static_cast<size_t>(r)])
                rows.push_back(r);
        return rows;
    }

    // ---- the scattered cell selection
    bool CellSelected(int ACol, int ARow) const { return cells_.count({ARow, ACol}) != 0; }
    // False when the cell already was as asked.
    bool SetCellSelected(int ACol, int ARow, bool Value)
    {
        return Value ? cells_.insert({ARow, ACol}).second : cells_.erase({ARow, ACol}) != 0;
    }
    // Empties the cell selection; the cells it held (column, row).
    std::vector<std::pair<int, int>> TakeSelectedCells()
    {
        std::vector<std::pair<int, int>> cells;
        cells.reserve(cells_.size());
        for (const auto& [row, col] : cells_)
            cells.push_back({col, row});
        cells_.clear();
        return cells;
    }
    // The selected cells follow a change of the columns (Map: -1 for a
    // column that goes).
    void MapColumns(const std::function<int(int)>& Map)
    {
        MapCells([&](int Col, int Row) { return std::pair<int, int>{Row, Map(Col)}; });
    }

    // ---- the rows' first positions, following every exchange of rows
    TIntList& Order() { return order_; }
    const TIntList& Order() const { return order_; }

    // ---- changes of the rows
    // Count empty rows come in at At.
    void Insert(int At, int Count)
    {
        if (static_cast<size_t>(At) < flags_.size())
            flags_.insert(flags_.begin() + At, static_cast<size_t>(Count), false);
        if (!cells_.empty())
            MapCells([&](int Col, int Row) { return std::pair<int, int>{IndexAfterInsert(Row, At, Count), Col}; });
    }
    // Count rows at At go.
    void Remove(int At, int Count)
    {
        const auto size = static_cast<int>(flags_.size());
        if (At < size)
            flags_.erase(flags_.begin() + At, flags_.begin() + std::min(At + Count, size));
        if (!cells_.empty())
            MapCells([&](int Col, int Row) { return std::pair<int, int>{IndexAfterRemove(Row, At, Count), Col}; });
    }
    // The rows Rows (ascending, distinct) go, in one pass.
    void Remove(const std::vector<int>& Rows)
    {
        if (Rows.empty())
            return;
        size_t next = 0;
        size_t kept = 0;
        for (size_t r = 0; r < flags_.size(); ++r) {
            if (next < Rows.size() && static_cast<size_t>(Rows[next]) == r) {
                ++next;
                continue;
            }
            flags_[kept++] = flags_[r];
        }
        flags_.resize(kept);
        if (!cells_.empty())
            MapCells([&](int Col, int Row) {
                const auto before = std::lower_bound(Rows.begin(), Rows.end(), Row);
                const bool gone = before != Rows.end() && *before == Row;
                return std::pair<int, int>{gone ? -1 : Row - static_cast<int>(before - Rows.begin()), Col};
            });
    }
    // The Count rows from From land with the first at To; the rows between
    // close up.
    void Move(int From, int Count, int To)
    {
        if (static_cast<size_t>(std::min(From, To)) < flags_.size()) {
            Reach(std::max(From, To) + Count - 1);
            MoveSpan(flags_, From, Count, To);
        }
        if (!cells_.empty())
            MapCells([&](int Col, int Row) { return std::pair<int, int>{IndexAfterMove(Row, From, Count, To), Col}; });
    }
    // Two rows change places: their first positions always, their
    // selection flags when WithFlags.
    void Exchange(int ARow1, int ARow2, bool WithFlags)
    {
        if (ARow1 < order_.Count() && ARow2 < order_.Count()) {
            const int first = order_.Items(ARow1);
            order_.SetItems(ARow1, order_.Items(ARow2));
            order_.SetItems(ARow2, first);
        }
        if (WithFlags && Flagged(ARow1) != Flagged(ARow2)) {
            Reach(std::max(ARow1, ARow2));
            std::vector<bool>::swap(flags_[static_cast<size_t>(ARow1)], flags_[static_cast<size_t>(ARow2)]);
        }
    }

private:
    void Reach(int ARow)
    {
        if (static_cast<size_t>(ARow) >= flags_.size())
            flags_.resize(static_cast<size_t>(ARow) + 1, false);
    }
    // Where each selected cell goes (row -1 or column -1: it goes away).
    template <typename F>
    void MapCells(F&& Where)
    {
        std::set<std::pair<int, int>> moved;
        for (const auto& [row, col] : cells_) {
            const auto to = Where(col, row);
            if (to.first >= 0 && to.second >= 0)
                moved.insert(to);
        }
        cells_ = std::move(moved);
    }

    std::vector<bool> flags_;
    // (row, column)
    std::set<std::pair<int, int>> cells_;
    TIntList order_{-1, -1};
};
