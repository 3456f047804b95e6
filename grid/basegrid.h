#pragma once
// The base of the grid control: a string grid whose cells carry a properties
// object (created on first use), whose rectangular blocks of cells can be
// merged into one cell, and which paints every cell and its lines itself.
//
// A merged block keeps its text and properties in its top-left "base" cell.
// Every other cell of the block has IsBaseCell false and spans that give its
// offset from the base; the base cell's spans give the block's size less
// one. Cells outside any block have no properties object, or spans of -1.
//
// The grid owns the properties objects: they are freed by SetCellProperties,
// ClearCellProperties, when their cells leave the grid (a column or row
// deleted, a count lowered) and when the grid is destroyed; each goes
// through ObjectDropped, so that a derived grid frees what it keeps beside
// them. ResetColumn,
// ResetRow and ClearCell only detach them, for callers that moved them first.
#include "platform/controls.h"
#include "platform/grids.h"

#include <functional>

class TBaseGrid;

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };

// The in-place editor a cell asks for.
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit,
};

class TCellProperties : public TObject {
public:
    TCellProperties(TBaseGrid* Grid, int ACol, int ARow);

    // Copies everything but CellObject, the cell graphic, the paint stamp
    // and the footer calculation kind; the cell repaints.
    void Assign(const TCellProperties& Source);

    TBaseGrid* Grid() const { return grid_; }

    int OwnerCol = 0;
    int OwnerRow = 0;
    // The application's own object for the cell (never owned).
    TObject* CellObject = nullptr;
    // The derived grid's picture or graphic of the cell (never owned here).
    TObject* CellGraphic = nullptr;
    TBrushStyle BrushStyle = bsSolid;
    int FontSize = 0;
    TColor FontColor = clNone;
    TFontStyles FontStyle = 0;
    int CellSpanY = -1;
    int CellSpanX = -1;
    int BorderWidth = 0;
    TColor BorderColor = 0;
    TAlignment Alignment = taLeftJustify;
    // PaintCount when this base cell was last drawn for its block.
    std::int32_t PaintStamp = 0;
    bool IsBaseCell = true;
    // Kind of footer calculation of a last-row cell (the derived grid's).
    std::uint8_t FooterCalc = 0;
    int NodeLevel = 0;
    TEditorType Editor = edNormal;
    QString FontName;
    bool ReadOnly = false;

    // These repaint the owning cell when set.
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color);
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

private:
    void Repaint();

    TBaseGrid* grid_;
    TColor brushColor_ = clNone;
    TVAlignment vAlignment_ = vtaTop;
    bool wordWrap_ = false;
};

class TBaseGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit TBaseGrid(QWidget* parent = nullptr);
    ~TBaseGrid() override;

    std::function<void(int ACol, int ARow, QString& Value)> OnGetDisplText;

    // The grid's own drawing choice, kept for the derived grid; the string
    // grid's default drawing stays off.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);
    // The lines this grid draws inside each cell (the string grid's own
    // lines stay 0 wide, so cells abut).
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor color);
    std::int32_t PaintCount() const { return paintCount_; }
    // The derived grid's floating footer occupies the last row.
    bool FooterRowShown = false;
    // Rows below this pass their text through GetDisplText.
    int DisplRowCount = 0;

    // Cell text through merges: any cell of a block reads and writes the
    // base cell's text.
    QString GetCells(int ACol, int ARow) const override;
    void SetCells(int ACol, int ARow, const QString& Value) override;
    // Writes the stored text itself: no merge mapping, no footer hook.
    static void SetRawCell(TBaseGrid* Grid, int ACol, int ARow, const QString& Value);

    bool HasCellProperties(int ACol, int ARow) const;
    TCellProperties* GetCellProperties(int ACol, int ARow);
    // Frees the cell's properties object, if any, and keeps Props instead.
    void SetCellProperties(int ACol, int ARow, TCellProperties* Props);
    TObject* GetRawObject(int ACol, int ARow) const;
    void SetRawObject(int ACol, int ARow, TObject* Obj);

    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCellAt(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    bool RowsMerged(int ARow1, int ARow2) const;

    TRect PlainCellRect(int ACol, int ARow) const;
    TRect MergedCellRect(int ACol, int ARow) const;
    TPoint MergedCellSize(int ACol, int ARow) const;
    void RepaintCell(int ACol, int ARow);

    TObject* GetCellGraphic(int ACol, int ARow) const;
    void SetCellGraphic(int ACol, int ARow, TObject* Graphic);

    int FixedColsWidth() const;
    int FixedRowsHeight() const;

    void ResetColumn(int ACol);
    void ResetRow(int ARow);
    void ClearCell(int ACol, int ARow);
    void ClearCellProperties(int FromCol, int FromRow, int ToCol, int ToRow);

    // Draws the grid mirrored (right to left) or not.
    static void SetGridMirroring(TBaseGrid* Grid, bool RightToLeft);
    bool Mirrored() const { return mirrored_; }

    // The virtual operations a derived grid fills.
    virtual bool IsFixed(int ACol, int ARow);
    virtual int GetCellIndent(int ARow);
    virtual bool HasNodes();
    virtual void DrawCellContent(TCanvas& ACanvas, int ACol, TGridDrawState AState, TRect ARect, int ARow);
    virtual void FooterRowChanged();
    // Sets the canvas font and brush of a cell (preset to the grid's
    // colours) and may add gdFixed or gdSelected; returns the alignments.
    virtual void GetCellColors(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TGridDrawState& AState,
                               TAlignment& HAlign, TVAlignment& VAlign, bool MapDisplayCol, bool UseProps,
                               bool Printing);
    virtual void GetDisplText(int ACol, int ARow, QString& Value) const;
    virtual void MergeCells(int ACol, int ARow, int NumCols, int NumRows);
    virtual void SplitCells(int ACol, int ARow);

    void InvalidateCell(int ACol, int ARow) override;
    void KeyDown(int& Key, TShiftState Shift) override;

protected:
    void InvalidateRow(int ARow) override;
    void InvalidateCol(int ACol) override;
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;
    void TopLeftChanged() override;
    void ObjectDropped(TObject* Object) override;

private:
    TCellProperties* PropsAt(int ACol, int ARow) const;
    // Moves the current cell to the base of the block it lies in.
    void SnapToBase();
    TGridDrawState StateFor(int ACol, int ARow) const;
    void DrawBlock(int ACol, int ARow, TGridDrawState AState);
    // Whether the block of a cell lies (partly) in the client area.
    bool BlockInView(int ACol, int ARow) const;
    // The extent of columns (rows) from..to-1.
    int ColsExtent(int from, int to) const;
    int RowsExtent(int from, int to) const;

    bool defaultDrawing_ = false;
    int gridLineWidth_ = 1;
    TColor gridLineColor_ = clSilver;
    // Never 0, the stamp of a cell not drawn yet.
    std::int32_t paintCount_ = 1;
    bool mirrored_ = false;
};
