#pragma once
// Groups of grid options the grid owns and reads: the look of node cells,
// growing a cell while typing, mouse actions, column stretching and stored
// widths, keyboard navigation and HTML export. Each group keeps a reference
// to its grid through TGridSettingsOwner and repaints it where a change
// shows on screen.
#include "grid/extobj.h"
#include "platform/graphics.h"

#include <QString>

// What a settings group needs of the grid that owns it.
class TGridSettingsOwner {
public:
    virtual ~TGridSettingsOwner() = default;
    // Repaints the whole grid.
    virtual void Invalidate() = 0;
    // Stretches column ACol (-1 = the last) when stretching is on.
    virtual void StretchColumn(int ACol) = 0;

    // What the display groups need; a grid that lacks the feature keeps the
    // default.
    // The grid's fixed row count (a new grid has one fixed row).
    virtual int GridFixedRows() const { return 1; }
    // Repaints the footer panel only.
    virtual void RepaintFooter() {}
    // Whether the grid draws its last row as the footer row.
    virtual void SetLastRowFooter(bool Value) { (void)Value; }
    // Shows the footer panel at the footer height - 1, or hides it (height 0).
    virtual void ShowFooterPanel(bool Show) { (void)Show; }
    // The grid's FixedFooters.
    virtual void SetFooterRowCount(int Count) { (void)Count; }
    // Registers the grid as a drop target for other applications, or
    // revokes it.
    virtual void RegisterDropTarget(bool Register) { (void)Register; }

    // What the grid's rich-text editor needs.
    // The grid moves the focus itself (an operation of its own runs).
    virtual bool InInternalOperation() const { return false; }
    // Ends the edit: the grid hides its in-place editor.
    virtual void HideInplaceEdit() {}
    // SizeWhileTyping.Height: the current row grows with the typed lines.
    virtual bool SizeRowWhileTyping() const { return false; }
    virtual int CurrentRowHeight() const { return 0; }
    virtual void SetCurrentRowHeight(int Height) { (void)Height; }
    // WordWrap or Multilinecells: cells hold several lines.
    virtual bool CellsHaveLines() const { return false; }
    // A key an editor hands over to the grid's own key handling.
    virtual void EditorKeyDown(int& Key, TShiftState Shift) { (void)Key, (void)Shift; }
};

// Base of every settings group: the grid it belongs to.
class TGridSettings : public TObject {
public:
    explicit TGridSettings(TGridSettingsOwner* AGrid) : grid_(AGrid) {}
    TGridSettings(const TGridSettings&) = delete;
    // Copying a group's values never moves it to another grid.
    TGridSettings& operator=(const TGridSettings&) { return *this; }
    TGridSettingsOwner* Grid() const { return grid_; }

protected:
    void Repaint()
    {
        if (grid_)
            grid_->Invalidate();
    }
    // Stores a new value and repaints; an equal value changes nothing.
    template <typename T>
    void Change(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }

private:
    TGridSettingsOwner* grid_;
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf };

// The look of node cells: button style and colours, the glyphs of the glyph
// style (kept as copies) and the tree lines.
class TCellNode : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    TColor Color = clSilver;
    TColor NodeColor = clBlack;

    TNodeType NodeType() const { return nodeType_; }
    void SetNodeType(TNodeType Value);
    bool ShowTree() const { return showTree_; }
    void SetShowTree(bool Value);
    const TBitmap& ExpandGlyph() const { return expandGlyph_; }
    void SetExpandGlyph(const TBitmap& Value) { expandGlyph_.Image = Value.Image; }
    const TBitmap& ContractGlyph() const { return contractGlyph_; }
    void SetContractGlyph(const TBitmap& Value) { contractGlyph_.Image = Value.Image; }

    // Copies every property, glyphs included; the grid stays.
    void Assign(const TCellNode& Source);

private:
    TNodeType nodeType_ = cnFlat;
    bool showTree_ = false;
    TBitmap expandGlyph_;
    TBitmap contractGlyph_;
};

// The row grows with the typed lines, the column with the typed text.
class TSizeWhileTyping : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    bool Height = false;
    bool Width = false;

    void Assign(const TSizeWhileTyping& Source);
};

class TMouseActions : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool AllSelect = false;
    bool CaretPositioning = false;
    bool ColSelect = false;
    bool DirectComboDrop = false;
    bool DirectEdit = false;
    bool DisjunctRowSelect = false;
    bool DisjunctCellSelect = false;
    bool RangeSelectAndEdit = false;
    bool RowSelect = false;
    bool SizeFixedCol = false;

    void Assign(const TMouseActions& Source);
};

enum TColumnSizeLocation { clRegistry, clIniFile };

// Column stretching and where the column widths are kept between runs.
class TColumnSize : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    // Save widths when the grid goes, load them when it is made.
    bool Save = false;
    // INI file name, or the key of the per-user store.
    QString Key;
    // Section of that file or key.
    QString Section;
    // Column to stretch, -1 = the last.
    int StretchColumn = -1;
    bool SynchWithGrid = false;
    TColumnSizeLocation Location = clRegistry;

    bool Stretch() const { return stretch_; }
    // Stretches at once (the grid does nothing while stretching is off).
    void SetStretch(bool Value);

    void Assign(const TColumnSize& Source);

private:
    bool stretch_ = false;
};

enum TAdvanceDirection { adLeftRight, adTopBottom };
// The name the grid's settings give the same type.
using TExtanceDirection = TAdvanceDirection;
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };

// Keyboard navigation, editing and clipboard options.
class TNavigation : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AlwaysEdit = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert = false;
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    TAdvanceDirection AdvanceDirection = adLeftRight;
    bool AllowClipboardShortCuts = false;
    bool AllowSmartClipboard = false;
    bool AllowRTFClipboard = false;
    bool AllowFmtClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardRowGrow = true;
    bool AllowClipboardColGrow = true;
    bool AdvanceAuto = false;
    TInsertPosition InsertPosition = pInsertBefore;
    bool CursorWalkEditor = false;
    bool MoveRowOnSort = false;
    bool ImproveMaskSel = false;
    bool CopyHTMLTagsToClipboard = true;
    bool KeepHorizScroll = false;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;

    void Assign(const TNavigation& Source);
};

// How the grid is written as an HTML table.
class THTMLSettings : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    bool SaveColor = true;
    bool SaveFonts = true;
    QString FooterFile;
    QString HeaderFile;
    QString TableStyle;
    QString PrefixTag;
    QString SuffixTag;
    int Width = 100;
    bool XHTML = false;
    // Widths of the table's columns.
    TIntList ColWidths{-1, -1};

    void Assign(const THTMLSettings& Source);
};
