#include "grid/sortsettings.h"

void TSortSettings::SetRow(int Value)
{
    if (Grid() && Value >= Grid()->GridFixedRows())
        throw Exception("Sort row should be smaller than number of fixed rows");
    Change(row_, Value);
}

void TSortSettings::SetUpGlyph(const TBitmap& Value)
{
    upGlyph_.Image = Value.Image;
    Repaint();
}

void TSortSettings::SetDownGlyph(const TBitmap& Value)
{
    downGlyph_.Image = Value.Image;
    Repaint();
}

void TSortSettings::Assign(const TSortSettings& Source)
{
    // The row is checked against this grid first, so a refused row leaves
    // every setting as it was.
    SetRow(Source.row_);
    column_ = Source.column_;
    direction_ = Source.direction_;
    show_ = Source.show_;
    indexShow_ = Source.indexShow_;
    full_ = Source.full_;
    singleColumn_ = Source.singleColumn_;
    ignoreBlanks_ = Source.ignoreBlanks_;
    blankPos_ = Source.blankPos_;
    autoFormat_ = Source.autoFormat_;
    normalCellsOnly_ = Source.normalCellsOnly_;
    autoColumnMerge_ = Source.autoColumnMerge_;
    fixedCols_ = Source.fixedCols_;
    indexColor_ = Source.indexColor_;
    upGlyph_.Image = Source.upGlyph_.Image;
    downGlyph_.Image = Source.downGlyph_.Image;
    Repaint();
}
