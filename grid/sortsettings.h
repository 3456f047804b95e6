#pragma once
// How the grid sorts its rows: the sort column and direction, the header
// row that starts a sort on a click, tie-breaking, blanks, indexed sorting
// and the glyphs that mark the sorted column.
#include "grid/gridsettings.h"
#include "platform/graphics.h"

enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPos { blFirst, blLast };

class TSortSettings : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    int Column() const { return column_; }
    void SetColumn(int Value) { Change(column_, Value); }
    TSortDirection Direction() const { return direction_; }
    void SetDirection(TSortDirection Value) { Change(direction_, Value); }
    // Sorting by a header click, with the sort glyph shown.
    bool Show() const { return show_; }
    void SetShow(bool Value) { Change(show_, Value); }
    // Sorting by the list of columns clicked (indexed sort).
    bool IndexShow() const { return indexShow_; }
    void SetIndexShow(bool Value) { Change(indexShow_, Value); }
    // Equal cells are ordered by the columns that follow.
    bool Full() const { return full_; }
    void SetFull(bool Value) { Change(full_, Value); }
    // Only the sort column's cells move.
    bool SingleColumn() const { return singleColumn_; }
    void SetSingleColumn(bool Value) { Change(singleColumn_, Value); }
    bool IgnoreBlanks() const { return ignoreBlanks_; }
    void SetIgnoreBlanks(bool Value) { Change(ignoreBlanks_, Value); }
    TSortBlankPos BlankPos() const { return blankPos_; }
    void SetBlankPos(TSortBlankPos Value) { Change(blankPos_, Value); }
    // The comparison is chosen from the cells' text.
    bool AutoFormat() const { return autoFormat_; }
    void SetAutoFormat(bool Value) { Change(autoFormat_, Value); }
    // The first fixed column stays where it is.
    bool NormalCellsOnly() const { return normalCellsOnly_; }
    void SetNormalCellsOnly(bool Value) { Change(normalCellsOnly_, Value); }
    bool AutoColumnMerge() const { return autoColumnMerge_; }
    void SetAutoColumnMerge(bool Value) { Change(autoColumnMerge_, Value); }
    // The fixed row whose clicks sort. Throws Exception, keeping the old
    // row, when the grid has no such fixed row.
    int Row() const { return row_; }
    void SetRow(int Value);
    // Clicks on fixed columns sort too.
    bool FixedCols() const { return fixedCols_; }
    void SetFixedCols(bool Value) { Change(fixedCols_, Value); }
    TColor IndexColor() const { return indexColor_; }
    void SetIndexColor(TColor Value) { Change(indexColor_, Value); }
    // The group keeps its own copies of the glyphs.
    const TBitmap& UpGlyph() const { return upGlyph_; }
    void SetUpGlyph(const TBitmap& Value);
    const TBitmap& DownGlyph() const { return downGlyph_; }
    void SetDownGlyph(const TBitmap& Value);

    void Assign(const TSortSettings& Source);

private:
    int column_ = 0;
    TSortDirection direction_ = sdAscending;
    bool show_ = false;
    bool indexShow_ = false;
    bool full_ = true;
    bool singleColumn_ = false;
    bool ignoreBlanks_ = false;
    TSortBlankPos blankPos_ = blFirst;
    bool autoFormat_ = true;
    bool normalCellsOnly_ = false;
    bool autoColumnMerge_ = false;
    int row_ = 0;
    bool fixedCols_ = false;
    TColor indexColor_ = clYellow;
    TBitmap upGlyph_;
    TBitmap downGlyph_;
};
