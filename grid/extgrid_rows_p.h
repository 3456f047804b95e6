#pragma once
// The rows the grid control has taken out of view (hidden by a filter or a
// collapsed node), each with everything its cells held. A plain container:
// the grid moves the rows themselves.
#include "platform/grids.h"

#include <algorithm>
#include <functional>
#include <iterator>
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
