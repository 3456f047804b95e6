#pragma once
// How the grid looks beyond its cells' own formatting: alternating row
// colours (bands), a background picture, and the look of the check boxes,
// radio buttons and buttons drawn in cells. Each group repaints its grid
// when a value that shows changes.
#include "grid/gridsettings.h"
#include "platform/graphics.h"

// Rows coloured in bands: PrimaryLength rows in PrimaryColor, then
// SecondaryLength rows in SecondaryColor, over and over.
class TBands : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    bool Active() const { return active_; }
    void SetActive(bool Value) { Change(active_, Value); }
    TColor PrimaryColor() const { return primaryColor_; }
    void SetPrimaryColor(TColor Value);
    int PrimaryLength() const { return primaryLength_; }
    void SetPrimaryLength(int Value);
    TColor SecondaryColor() const { return secondaryColor_; }
    void SetSecondaryColor(TColor Value);
    int SecondaryLength() const { return secondaryLength_; }
    void SetSecondaryLength(int Value);
    // Bands on the printed grid too; only kept.
    bool Print = false;

    // Rows in one primary and one secondary band.
    int TotalLength() const { return totalLength_; }
    // The band colour of the normal row that lies Index rows below the
    // fixed rows; a band of no length never shows.
    TColor RowColor(int Index) const;

    void Assign(const TBands& Source);

private:
    // Stores the value; the bands show only while active.
    template <typename T>
    void ChangeBand(T& Field, T Value);

    bool active_ = false;
    TColor primaryColor_ = clInfoBk;
    int primaryLength_ = 1;
    TColor secondaryColor_ = clWindow;
    int secondaryLength_ = 1;
    int totalLength_ = 2;
};

enum TBackgroundDisplay { bdTile, bdFixed };
enum TBackgroundCells { bcNormal, bcFixed, bcAll };

// A picture behind the cells: tiled, or once at (Left, Top).
class TBackGround : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    int Top() const { return top_; }
    void SetTop(int Value) { Change(top_, Value); }
    int Left() const { return left_; }
    void SetLeft(int Value) { Change(left_, Value); }
    TBackgroundDisplay Display() const { return display_; }
    void SetDisplay(TBackgroundDisplay Value) { Change(display_, Value); }
    TBackgroundCells Cells() const { return cells_; }
    void SetCells(TBackgroundCells Value) { Change(cells_, Value); }
    // The group keeps its own copy of the picture.
    const TBitmap& Bitmap() const { return bitmap_; }
    void SetBitmap(const TBitmap& Value);

    void Assign(const TBackGround& Source);

private:
    int top_ = 0;
    int left_ = 0;
    TBackgroundDisplay display_ = bdTile;
    TBackgroundCells cells_ = bcNormal;
    TBitmap bitmap_;
};

enum TControlStyle { csClassic, csFlat, csWinXP, csPelmora, csQel, csGlyph, csTheme };

// How check boxes, radio buttons and buttons in cells are drawn.
class TControlLook : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    // The tick of a drawn check box.
    TColor Color() const { return color_; }
    void SetColor(TColor Value) { Change(color_, Value); }
    int CheckSize() const { return checkSize_; }
    void SetCheckSize(int Value) { Change(checkSize_, Value); }
    int RadioSize() const { return radioSize_; }
    void SetRadioSize(int Value) { Change(radioSize_, Value); }
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle Value) { Change(controlStyle_, Value); }
    bool FlatButton() const { return flatButton_; }
    void SetFlatButton(bool Value) { Change(flatButton_, Value); }

    // The glyphs of the csGlyph style; the group keeps copies.
    const TBitmap& CheckedGlyph() const { return checkedGlyph_; }
    void SetCheckedGlyph(const TBitmap& Value) { ChangeGlyph(checkedGlyph_, Value); }
    const TBitmap& UnCheckedGlyph() const { return unCheckedGlyph_; }
    void SetUnCheckedGlyph(const TBitmap& Value) { ChangeGlyph(unCheckedGlyph_, Value); }
    const TBitmap& RadioOnGlyph() const { return radioOnGlyph_; }
    void SetRadioOnGlyph(const TBitmap& Value) { ChangeGlyph(radioOnGlyph_, Value); }
    const TBitmap& RadioOffGlyph() const { return radioOffGlyph_; }
    void SetRadioOffGlyph(const TBitmap& Value) { ChangeGlyph(radioOffGlyph_, Value); }

    void Assign(const TControlLook& Source);

private:
    void ChangeGlyph(TBitmap& Glyph, const TBitmap& Value);

    TColor color_ = clBlack;
    int checkSize_ = 15;
    int radioSize_ = 10;
    TControlStyle controlStyle_ = csClassic;
    bool flatButton_ = false;
    TBitmap checkedGlyph_;
    TBitmap unCheckedGlyph_;
    TBitmap radioOnGlyph_;
    TBitmap radioOffGlyph_;
};
