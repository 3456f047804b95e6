#pragma once
// The string grid: a table of text cells with fixed header rows and columns,
// a current cell, a selection, and an in-place mask editor, painted cell by
// cell through DrawCell. Grids built on it override the virtual operations.
//
// Current-cell moves (keys, mouse, setting Col/Row) ask SelectCell first,
// which may refuse, and run OnClick afterwards. The editor opens on F2, on
// Enter, on a character typed, on a click on the current cell, or always
// with goAlwaysShowEditor; it asks GetEditMask and GetEditText each time it
// opens on a cell, and every change of its text reaches the cell at once
// through SetEditText. Keys typed in the editor reach the grid's KeyDown,
// KeyPress and KeyUp (and so OnKeyDown, OnKeyPress, OnKeyUp) first. Enter,
// when no handler took it, opens or closes the editor, or with the option
// goEnterAdvance moves to the next cell (an open editor opens there too).
//
// The code is split by concern: grids.cpp (cells, sizes, ranges of rows and
// columns), grids_geometry.cpp, grids_paint.cpp, grids_input.cpp and
// grids_editor.cpp.
#include "platform/canvas.h"
#include "platform/control.h"
#include "platform/maskedit.h"

#include <QAbstractScrollArea>

#include <cstdint>
#include <memory>
#include <stdexcept>

#include <vector>

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
    // Enter moves the current cell on instead of opening or closing the
    // editor: to the next column, from the last column to the first
    // scrolling column of the next row, from the last row back to the first.
    goEnterAdvance = 1u << 15,
};
using TGridOptions = unsigned;
inline constexpr TGridOptions kDefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// What the mouse is doing with a grid since its last press: nothing,
// selecting cells, sizing a row or a column, moving a row or a column.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    bool operator==(const TGridRect&) const = default;
};

// An index outside the grid, or fixed rows or columns that leave no others.
class EInvalidGridOperation : public std::runtime_error {
public:
    explicit EInvalidGridOperation(const char* text = "Grid index out of range") : std::runtime_error(text) {}
};

// The largest grid: more columns or rows than these raise
// EInvalidGridOperation("Grid too large for operation"), before any memory
// is taken for them.
inline constexpr int kMaxGridCols = 65536;
inline constexpr int kMaxGridRows = 1 << 24;
// The most cells an operation that grows the grid from outside data (a
// paste, a loaded stream) may ask for.
inline constexpr std::int64_t kMaxGridCells = std::int64_t{1} << 24;
void CheckGridSize(int cols, int rows);

class TStringGrid;

// The grid's in-place editor: a mask edit over the current cell.
class TInplaceEdit : public TMaskEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TStringGrid* grid);

    TStringGrid* Grid() const { return grid_; }

    // Takes the mask and the text of the grid's current cell.
    void UpdateContents();

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    bool WantsTabs() const override;
    bool WantsEscape() const override;

protected:
    void Change() override;

private:
    TStringGrid* grid_;
    int updating_ = 0;
};

class TStringGrid : public QAbstractScrollArea, public TControl {
    Q_OBJECT
    struct Cell {
        QString text;
        TObject* object = nullptr;
    };

public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    // Events.
    std::function<void(int ACol, int ARow, const TRect& Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    std::function<void(int ACol, int ARow, QString& Value)> OnGetEditMask;
    std::function<void(int ACol, int ARow, QString& Value)> OnGetEditText;
    std::function<void(int ACol, int ARow, const QString& Value)> OnSetEditText;
    TNotifyEvent OnClick;
    TNotifyEvent OnTopLeftChanged;
    std::function<void(int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(int FromIndex, int ToIndex)> OnRowMoved;

    // Cells and the objects kept beside them (never owned by the grid).
    // Every read and write of a cell's text by the grid itself goes through
    // GetCells and SetCells, so a derived grid that overrides them (merged
    // cells, say) is asked for every cell it shows or edits.
    QString Cells(int ACol, int ARow) const { return GetCells(ACol, ARow); }
    virtual void SetCells(int ACol, int ARow, const QString& value);
    TObject* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* object);
    QStringList Rows(int ARow) const;
    void SetRows(int ARow, const QStringList& values);
    QStringList Cols(int ACol) const;
    void SetCols(int ACol, const QStringList& values);

    // Size. Lowering RowCount (ColCount) to FixedRows (FixedCols) or below
    // lowers those too; the current cell stays inside.
    int ColCount() const { return static_cast<int>(colWidths_.size()); }
    void SetColCount(int count);
    int RowCount() const { return static_cast<int>(rowHeights_.size()); }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    int ColWidths(int ACol) const;
    void SetColWidths(int ACol, int width);
    int RowHeights(int ARow) const;
    void SetRowHeights(int ARow, int height);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    // Column tab stops for the Tab key (all true by default).
    bool TabStops(int ACol) const;
    void SetTabStops(int ACol, bool stop);

    // The current cell, the selection and the scroll position.
    int Col() const { return current_.X; }
    void SetCol(int ACol);
    int Row() const { return current_.Y; }
    void SetRow(int ARow);
    // Moves the current cell to (ACol, ARow) in one step.
    void FocusCell(int ACol, int ARow, bool moveAnchor = true);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& selection);
    // While hidden, the selection is a rectangle outside the grid (column
    // ColCount, row RowCount), so that no cell shows selected; the next
    // move of the current cell or a new selection ends it.
    bool SelectionHidden() const { return selectionHidden_; }
    void SetSelectionHidden(bool hidden);
    int TopRow() const { return topLeft_.Y; }
    void SetTopRow(int ARow);
    int LeftCol() const { return topLeft_.X; }
    void SetLeftCol(int ACol);
    // Columns and rows after the fixed ones that fit whole in the client area.
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // Client rectangle of a cell, without its lines; empty when not shown.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point (false, and -1 -1, outside the cells).
    bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;

    // The editor.
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);
    TInplaceEdit* InplaceEditor() const { return editor_; }
    virtual void ShowEditor();
    virtual void HideEditor();

    // Columns and rows inserted, deleted and moved as whole ranges: one
    // shift of the storage per call, whatever the count, so a grid of a
    // hundred thousand rows takes a thousand at once in linear time. A
    // moved range lands with its first index at ToIndex; the current cell
    // and the selection follow their cells. Deleting keeps at least one
    // column and one row; inserted ones are empty, of the default size.
    // A derived grid may map the indices (the user's moves come here).
    virtual void MoveColumn(int fromIndex, int toIndex);
    virtual void MoveRow(int fromIndex, int toIndex);
    void MoveCols(int FromIndex, int Count, int ToIndex);
    void MoveRows(int FromIndex, int Count, int ToIndex);
    void InsertCols(int Index, int Count);
    void InsertRows(int Index, int Count);
    void DeleteCols(int Index, int Count);
    void DeleteRows(int Index, int Count);
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);

    // A row taken out of the grid whole: its cells' texts and objects and
    // its height, kept outside the grid until it is put back. The grid
    // drops nothing of it; whoever keeps it puts it back with PutRows or
    // gives it to DropRow.
    class TTakenRow {
    public:
        TTakenRow() = default;
        TTakenRow(TTakenRow&&) noexcept = default;
        TTakenRow& operator=(TTakenRow&&) noexcept = default;
        QString Text(int ACol) const;
        TObject* Object(int ACol) const;
        int Height() const { return height_; }

    private:
        friend class TStringGrid;
        std::unique_ptr<std::vector<Cell>> cells_;
        int height_ = 0;
    };
    // Takes the rows Rows (ascending, distinct) out of the grid in one pass
    // over the grid, however many and however scattered they are; the rows
    // after them move up. At least one row stays: the last ones asked for
    // are left when all would go. The current cell and the selection follow
    // their rows, as on a delete.
    std::vector<TTakenRow> TakeRows(const std::vector<int>& Rows);
    // Puts taken rows back in one pass: Rows[i] becomes row At[i] of the
    // grid once all are in (At ascending, each at most the row count after
    // the ones before it are in). Rows taken with fewer or more columns
    // than the grid has now are padded with empty cells or lose the cells
    // beyond it.
    void PutRows(const std::vector<int>& At, std::vector<TTakenRow>&& Rows);
    // Lets go of a taken row: its objects go through ObjectDropped.
    void DropRow(TTakenRow& Row);

    virtual void InvalidateCell(int ACol, int ARow);
    void InvalidateGrid();

    // Drawing surface of the paint in progress (valid inside DrawCell).
    TCanvas Canvas;

    // Key handling with the grid's navigation; called also by the editor.
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    bool FilterKeyPress(QKeyEvent* event) override;
    bool WantsTabs() const override { return options_ & goTabs; }

protected:
    friend class TInplaceEdit;

    // Hooks for a derived grid (the grid library builds on these):
    //   - cell storage: GetCells/SetCells are the cell text as the grid
    //     shows and edits it, overridden to map a cell to the one that holds
    //     its text; StoredText/StoreText reach the stored text itself,
    //     without repaint, editor refresh or any override;
    //   - repaint: InvalidateCell, InvalidateRow, InvalidateCol and
    //     InvalidateGrid after a change the grid cannot see (a colour or a
    //     property kept beside the cell); the first three are overridden to
    //     repaint more (the whole of a merged cell);
    //   - the editor: ShowEditor and HideEditor (public) open and close it,
    //     UpdateEditor places it over the current cell (after a size or
    //     scroll change of the derived grid's own), InvalidateEditor makes it
    //     read its cell's mask and text again; CreateEditor, CanEditShow,
    //     GetEditMask, GetEditText and SetEditText decide what it edits;
    //   - DrawCell, SelectCell, SizeChanged, TopLeftChanged, ColumnMoved and
    //     RowMoved tell of painting, moves and changes (ColumnMoved and
    //     RowMoved after the cells moved; for a range, its first index).
    virtual QString GetCells(int ACol, int ARow) const;
    const QString& StoredText(int ACol, int ARow) const;
    void StoreText(int ACol, int ARow, const QString& value);
    // Visit(col, stored text, object) for the cells FromCol..ToCol of row
    // ARow, the row looked up once: for passes over many cells.
    template <typename F>
    void ForStoredCells(int ARow, int FromCol, int ToCol, F&& Visit) const
    {
        if (FromCol > ToCol)
            return;
        CheckCell(FromCol, ARow);
        CheckCell(ToCol, ARow);
        static const QString empty;
        const CellRow* row = cells_[static_cast<size_t>(ARow)].get();
        for (int c = FromCol; c <= ToCol; ++c) {
            if (row)
                Visit(c, (*row)[static_cast<size_t>(c)].text, (*row)[static_cast<size_t>(c)].object);
            else
                Visit(c, empty, static_cast<TObject*>(nullptr));
        }
    }
    // Two rows' stored cells (texts and objects) change places as they
    // are, without repaint; sizes and everything else of the rows stay.
    // The same for one column's two cells.
    void ExchangeStoredRows(int ARow1, int ARow2);
    void ExchangeStoredCells(int ACol, int ARow1, int ARow2);
    // Row First + k takes the stored cells of row Sources[k] (Sources holds
    // First .. First + size - 1 in some order), with its height when
    // WithHeights: a new order of rows in one pass, without repaint. The
    // same for one column's cells.
    void PermuteStoredRows(int First, const std::vector<int>& Sources, bool WithHeights);
    void PermuteStoredCells(int ACol, int First, const std::vector<int>& Sources);
    // Whether any cell of the row (of the grid) holds an object.
    bool RowHasObjects(int ARow) const;
    bool HasObjects() const;
    // The first row from ARow on whose cells hold an object, or -1: a pass
    // over the rows with objects skips the others without reading them.
    int NextRowWithObjects(int ARow) const;
    // False while no object was ever put into a cell: the grid has none,
    // and what follows objects around may be passed over.
    bool MayHoldObjects() const { return objectsPut_; }
    // Moves on whenever a cell may have been written or rows and columns
    // changed: what was read from the cells while it stays is still so.
    std::uint64_t CellsVersion() const { return cellsVersion_; }
    virtual void InvalidateRow(int ARow);
    virtual void InvalidateCol(int ACol);
    virtual void UpdateEditor();
    void InvalidateEditor();

    // Painting: every visible cell that needs it, fixed ones first, in one
    // pass; each through DrawCell with its state.
    virtual void Paint();
    // Draws one cell; the default draws the text and runs OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // Whether (ACol, ARow) may become the current cell; runs OnSelectCell.
    virtual bool SelectCell(int ACol, int ARow);
    virtual void TopLeftChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual bool CanEditShow();
    virtual QString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const QString& Value);
    virtual QString GetEditMask(int ACol, int ARow);
    virtual TInplaceEdit* CreateEditor();
    virtual bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos);
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void Click();
    // The user has sized a column (row) with the mouse: called once, when
    // the button is let go, with the width (height) it had before.
    virtual void ColumnSized(int ACol, int OldWidth);
    virtual void RowSized(int ARow, int OldHeight);
    // A cell leaves the grid (its column or row is deleted, or the count is
    // lowered below it) holding Object in its slot; called before the cell
    // goes, once per non-empty slot. The string grid owns nothing, so it
    // does nothing; a derived grid that owns what it keeps there frees it.
    virtual void ObjectDropped(TObject* Object);
    // Sets both scroll bars from the top-left cell (range, page and
    // position, the value being the first scrolled row or column); called
    // after every change of counts, sizes or scrolling. A derived grid with
    // scroll bars of its own scale overrides it and scrollContentsBy.
    virtual void UpdateScrollBars();
    // The largest top row (left column) that still fills the view.
    int MaxTopRow() const;
    int MaxLeftCol() const;

    // The mouse's work since its last press. GridStateIndex is the column
    // (row) being sized, or where the moved one would land; MovingFrom is
    // the column (row) being moved.
    TGridState GridState() const;
    int GridStateIndex() const { return dragIndex_; }
    int MovingFrom() const { return dragOrigin_; }
    // Ends the mouse's work at once: a sizing keeps the size reached, a move
    // moves nothing, a selection stays as it is.
    void CancelGridState();
    // The mouse goes on selecting from the current cell, as after a press
    // on it.
    void StartSelecting();
    // Whether the mouse at (X, Y) would size a column (a line of the fixed
    // rows, with goColSizing) or a row (a line of the fixed columns, with
    // goRowSizing), and which one; gsNormal and -1 when neither. A derived
    // grid may refuse or allow more.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index);
    // A column (row) move by the mouse is about to start from Origin: false
    // refuses it (the press then does nothing).
    virtual bool BeginColumnDrag(int Origin, QPoint MousePt);
    virtual bool BeginRowDrag(int Origin, QPoint MousePt);
    // The grid or its editor has the focus.
    bool HasFocusWithin() const;

    // Qt events.
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum class Drag { None, Select, SizeCol, SizeRow, MoveCol, MoveRow };

    // The columns or the rows, for the geometry both share: their sizes, how
    // many are fixed, the first scrolled one in view, the line after each,
    // and the client extent they are shown in.
    struct Axis {
        const std::vector<int>& sizes;
        int fixed;
        int first;
        int line;
        int space;

        int Count() const { return static_cast<int>(sizes.size()); }
        int Size(int index) const { return sizes[static_cast<size_t>(index)]; }
        // Sizes and lines of the indices from..to-1.
        int Extent(int from, int to) const;
        // Where an index starts in the client area; -1 when scrolled away,
        // and some place past the client area when it lies beyond it.
        int Start(int index) const;
        // The index shown at a client position, or -1.
        int IndexAt(int pos) const;
        // Index, or the first one in view when it is scrolled away.
        int Shown(int index) const;
        // Scrolled indices that fit whole from the first one on (at least 1).
        int VisibleCount() const;
        // The last first index that still fills the client area.
        int MaxFirst() const;
        // The index whose far edge lies within margin of pos, or -1.
        int HitEdge(int pos, int margin) const;
        // The first index from which index shows whole.
        int FirstShowing(int index) const;
    };
    Axis ColAxis() const;
    Axis RowAxis() const;
    // After any change of sizes, counts or options: scroll bars, editor and
    // paint follow.
    void Relayout();

    Cell& At(int ACol, int ARow);
    const Cell& At(int ACol, int ARow) const;
    void CheckCell(int ACol, int ARow) const;
    void CheckRange(int index, int count, int size) const;
    // Rows hold no cells until one is written; the others hold ColCount.
    template <typename F>
    void ForEachRowWithCells(F&& change);
    // Reports every object of the cells in columns cols.. and rows rows..
    // (before they are dropped) through ObjectDropped.
    void DropObjects(int fromCol, int toCol, int fromRow, int toRow);
    void AfterRangeChange(int oldCols, int oldRows);
    void ClampToCounts();
    void Resize(int cols, int rows);
    void MoveCurrent(int ACol, int ARow, bool moveAnchor, bool show);
    void ClampInView();
    void MoveTopLeft(int ACol, int ARow);
    void UpdateText();
    void RefreshEditorAt(int ACol, int ARow);
    void HideEditorWidget();
    int ColLine() const;
    int RowLine() const;
    int ColLeft(int ACol) const;
    int RowTop(int ARow) const;
    int FixedWidth() const;
    int FixedHeight() const;
    bool ShowsEditor() const;
    // Opens the editor with a typed character; false when it cannot open.
    bool ShowEditorChar(char c);
    void SendCancelEdit();
    void AdvanceOnEnter();
    TGridDrawState StateOf(int ACol, int ARow) const;
    int HitColumnEdge(int x) const;
    int HitRowEdge(int y) const;
    void DrawAllCells(const QRect& area);

    // [row][col]; a row is kept by pointer, so that inserting, deleting and
    // moving rows shifts one word per row, and is null until a cell of it is
    // written.
    using CellRow = std::vector<Cell>;
    std::vector<std::unique_ptr<CellRow>> cells_;
    std::uint64_t cellsVersion_ = 0;
    bool objectsPut_ = false;
    // Objects held by each row's cells, beside cells_ row for row from the
    // first object put on (empty before: a grid that never held an object
    // keeps nothing in step). Every change of the rows changes it alike.
    std::vector<std::uint32_t> rowObjects_;
    void CountObject(int ARow, const TObject* Before, const TObject* After);
    static std::uint32_t ObjectsIn(const CellRow* Row);
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    std::vector<bool> tabStops_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridOptions options_ = kDefaultGridOptions;
    TScrollStyle scrollBars_ = ssBoth;
    bool defaultDrawing_ = true;
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    TGridCoord topLeft_{1, 1};
    bool editorMode_ = false;
    bool selectionHidden_ = false;
    TInplaceEdit* editor_ = nullptr;
    TGridCoord editorCell_{-1, -1};
    int settingEditText_ = 0;
    Drag drag_ = Drag::None;
    int dragIndex_ = -1;
    int dragStart_ = 0;
    int dragOrigin_ = 0;
    int scrolling_ = 0;
    bool clickPending_ = false;
    // The split cursor shows over a sizing line.
    bool sizingCursor_ = false;
    bool takingFocusBack_ = false;
    QRect paintArea_;
    QString editOriginal_;
};
