#pragma once
// Collections the grid owns: the filter conditions (TFilter of TFilterData)
// and the items that keep hidden rows (TGridItem).
#include "grid/gridsettings.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

// Items created and freed by their collection; an item keeps its address
// while it is in the collection.
template <typename Item>
class TCollection : public TObject {
public:
    TCollection() = default;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    Item& Items(int Index) { return *items_.at(static_cast<std::size_t>(Index)); }
    const Item& Items(int Index) const { return *items_.at(static_cast<std::size_t>(Index)); }
    // A new item at the end.
    Item& Add()
    {
        items_.push_back(std::make_unique<Item>());
        return *items_.back();
    }
    void Delete(int Index)
    {
        if (Index < 0 || Index >= Count())
            throw std::out_of_range("List index out of bounds");
        items_.erase(items_.begin() + Index);
    }
    void Clear() { items_.clear(); }
    // Copies of the source's items replace this collection's.
    void Assign(const TCollection& Source)
    {
        if (&Source == this)
            return;
        items_.clear();
        for (const auto& item : Source.items_)
            items_.push_back(std::make_unique<Item>(*item));
    }

private:
    std::vector<std::unique_ptr<Item>> items_;
};

// One filter condition: the text of Column must match Condition.
class TFilterData {
public:
    std::int16_t Column = 0;
    QString Condition;
    bool CaseSensitive = true;
};

// The filter conditions, all of which a row must meet; the grid applies
// them.
class TFilter : public TCollection<TFilterData> {
public:
    explicit TFilter(TGridSettingsOwner* AGrid) : grid_(AGrid) {}
    TGridSettingsOwner* Grid() const { return grid_; }

private:
    TGridSettingsOwner* grid_;
};

// A row taken out of the grid: its real index and its texts.
class TGridItem {
public:
    int Idx = 0;
    QStringList Items;
};
