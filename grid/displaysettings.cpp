#include "grid/displaysettings.h"

template <typename T>
void TBands::ChangeBand(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    totalLength_ = primaryLength_ + secondaryLength_;
    if (active_)
        Repaint();
}

void TBands::SetPrimaryColor(TColor Value)
{
    ChangeBand(primaryColor_, Value);
}

void TBands::SetPrimaryLength(int Value)
{
    ChangeBand(primaryLength_, Value);
}

void TBands::SetSecondaryColor(TColor Value)
{
    ChangeBand(secondaryColor_, Value);
}

void TBands::SetSecondaryLength(int Value)
{
    ChangeBand(secondaryLength_, Value);
}

TColor TBands::RowColor(int Index) const
{
    // A band of no length (or below) never shows; with neither, the primary.
    if (primaryLength_ <= 0)
        return secondaryLength_ > 0 ? secondaryColor_ : primaryColor_;
    if (secondaryLength_ <= 0)
        return primaryColor_;
    int inBand = Index % totalLength_;
    if (inBand < 0)
        inBand += totalLength_;
    return inBand < primaryLength_ ? primaryColor_ : secondaryColor_;
}

void TBands::Assign(const TBands& Source)
{
    Print = Source.Print;
    SetPrimaryColor(Source.primaryColor_);
    SetPrimaryLength(Source.primaryLength_);
    SetSecondaryColor(Source.secondaryColor_);
    SetSecondaryLength(Source.secondaryLength_);
    SetActive(Source.active_);
}

void TBackGround::SetBitmap(const TBitmap& Value)
{
    bitmap_.Image = Value.Image;
    Repaint();
}

void TBackGround::Assign(const TBackGround& Source)
{
    top_ = Source.top_;
    left_ = Source.left_;
    display_ = Source.display_;
    cells_ = Source.cells_;
    bitmap_.Image = Source.bitmap_.Image;
    Repaint();
}

void TControlLook::ChangeGlyph(TBitmap& Glyph, const TBitmap& Value)
{
    Glyph.Image = Value.Image;
    Repaint();
}

void TControlLook::Assign(const TControlLook& Source)
{
    color_ = Source.color_;
    checkSize_ = Source.checkSize_;
    radioSize_ = Source.radioSize_;
    controlStyle_ = Source.controlStyle_;
    flatButton_ = Source.flatButton_;
    checkedGlyph_.Image = Source.checkedGlyph_.Image;
    unCheckedGlyph_.Image = Source.unCheckedGlyph_.Image;
    radioOnGlyph_.Image = Source.radioOnGlyph_.Image;
    radioOffGlyph_.Image = Source.radioOffGlyph_.Image;
    Repaint();
}
