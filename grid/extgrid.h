#pragma once
// The grid control: a string grid whose cells carry formatting, HTML and
// rich text, graphics, check boxes and radio groups, edited through in-place
// editors chosen per cell. All cell text goes through TBaseGrid's merged-cell
// aware GetCells/SetCells.
//
// The class is split over several files by concern, in the order of the
// sections below:
// - creation and properties: extgrid.cpp (properties, cell-value helpers,
//   stored column widths, geometry), extgrid_life.cpp (window life cycle,
//   timer, owner form, platform stand-ins), extgrid_cells.cpp (cell
//   graphics, the fixed-cell rule and the event dispatchers);
// - painting: extgrid_paint.cpp, extgrid_paintcontrols.cpp (check boxes,
//   radio buttons, node buttons, tree lines and other small drawings);
// - editing: extgrid_edit.cpp;
// - rows, columns, nodes, selection and navigation: extgrid_rows.cpp
//   (hidden columns and rows, nodes, selection, cell controls, filter,
//   footer, inserting, removing and moving rows and columns),
//   extgrid_nav.cpp (advancing, scrolling, sizing, scroll bars);
// - stream and clipboard: extgrid_stream.cpp (cell stream, paste hooks),
//   extgrid_clipboard.cpp (copy, cut, paste, smart fill);
// - sorting: extgrid_sort.cpp (comparisons, sorts, merging equal cells);
// - import: extgrid_import.cpp;
// - drag and drop: extgrid_dragdrop.cpp;
// - mouse: extgrid_mouse.cpp;
// - keyboard and focus: extgrid_keys.cpp;
// - window procedure: extgrid_life.cpp (the procedure and the timer),
//   extgrid_html.cpp (mini-HTML cells under the mouse), extgrid_hints.cpp
//   (cell hints), extgrid_pan.cpp (panning, wheel, zoom).
//
// Each section below belongs to one concern; private members of a concern
// go at the end of its own section.
#include "grid/basegrid.h"
#include "grid/cellgraphic.h"
#include "grid/extgridtypes.h"
#include "grid/displaysettings.h"
#include "grid/dragdropsettings.h"
#include "grid/extgrid_rows_p.h"
#include "grid/extobj.h"
#include "grid/extrichedit.h"
#include "grid/floatingfooter.h"
#include "grid/griddragdrop.h"
#include "grid/gridfilter.h"
#include "grid/gridsettings.h"
#include "grid/htmlhint.h"
#include "grid/printsettings.h"
#include "grid/sortsettings.h"
#include "platform/graphics.h"

#include <QCursor>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

class QScrollBar;
class QTimerEvent;
class QHelpEvent;
class QWheelEvent;
class QWidget;

class TExtStringGridCheck;
class QBuffer;
class TPictureContainer;
class THTMLPictureCache;
// The grid's in-place editors (grid/extinplace.h, grid/grideditors.h).
class TExtInplaceEdit;
class TGridSpin;
class TGridCombo;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridCheckBox;
class TGridDatePicker;
class TGridButton;
class TControlEdit;
class TControlCombo;
class QKeyEvent;
class TRichEdit;
// What the mini-HTML renderer found under a point (grid/esghtmle.h).
struct THTMLDrawOutput;

// The panel the floating footer is drawn in.
class TFooterPanel;

// A grid error: a cell that holds no number, a bad index.
class EExtGridError : public std::runtime_error {
public:
    explicit EExtGridError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

class TExtStringGrid : public TBaseGrid, public TGridSettingsOwner {
    Q_OBJECT
public:
    // =====================================================================
    // Creation and properties
    // =====================================================================

    // Create: the owned objects in order, the defaults, the owner form's
    // resize hook (when the parent's window is a form).
    explicit TExtStringGrid(QWidget* AOwner = nullptr);
    // Destroy: puts the form's resize handler back, saves the column widths
    // when ColumnSize.Save, frees the owned objects.
    ~TExtStringGrid() override;

    // Applies the properties a window has set: the headers, the link cursor,
    // the drop-target formats, the stored column widths. Call it once, after
    // setting the grid's properties.
    virtual void Loaded();
    // A component is going away: the grid forgets GridImages,
    // PictureContainer and CellChecker when they name it.
    virtual void Notification(const void* AComponent);
    // True between the window's creation (its first show) and its end.
    bool WindowCreated() const { return windowCreated_; }
    // True while the grid is being designed (never in this program).
    bool DesignMode() const { return false; }

    // Repaints the whole grid, unless a skip-one-repaint was asked for.
    void Invalidate() override;
    // What the settings groups and the rich-text editor ask of the grid.
    int GridFixedRows() const override { return FixedRows(); }
    void RepaintFooter() override;
    void SetLastRowFooter(bool Value) override;
    void ShowFooterPanel(bool Show) override;
    void SetFooterRowCount(int Count) override { SetFixedFooters(Count); }
    void HideInplaceEdit() override { HideEditor(); }
    bool SizeRowWhileTyping() const override { return sizeWhileTyping_->Height; }
    int CurrentRowHeight() const override { return RowHeights(Row()); }
    void SetCurrentRowHeight(int Height) override { SetRowHeights(Row(), Height); }
    bool CellsHaveLines() const override { return wordWrap_ || Multilinecells; }
    void EditorKeyDown(int& Key, TShiftState Shift) override { KeyDown(Key, Shift); }
    // The footer's height (that of a row unless set).
    int FooterHeight() const { return footerHeight_; }
    // Whether the footer panel shows, and where (client coordinates; empty
    // when hidden).
    bool FooterPanelShown() const { return footerShown_; }
    TRect FooterPanelRect() const;
    // How often the shown footer was asked to repaint.
    int FooterRepaintCount() const { return footerRepaints_; }
    // Asks the next Invalidate to do nothing.
    void SkipNextRepaint() { skipRepaint_ = true; }
    // Position and size; with IntegralHeight the height snaps to whole rows.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    // Re-declared from the string grid.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    int ColCount() const { return TBaseGrid::ColCount(); }
    void SetColCount(int Value);
    int RowCount() const { return TBaseGrid::RowCount(); }
    void SetRowCount(int Value);
    // 1 when the stored count is 0 and FixedRowAlways / FixedColAlways is set.
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    int DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
    void SetDefaultRowHeight(int Value);

    // The grid's font (normal cells).
    TFont Font() const;
    void SetFont(const TFont& Value);

    bool ActiveCellShow() const { return activeCellShow_; }
    void SetActiveCellShow(bool Value);
    const TFont& ActiveCellFont() const { return activeCellFont_; }
    void SetActiveCellFont(const TFont& Value);
    TColor ActiveCellColor() const { return activeCellColor_; }
    void SetActiveCellColor(TColor Value);
    bool AnchorHint = false;
    bool AutoNumAlign = false;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment Value);
    bool EnhTextSize = false;
    bool EditWithTags = false;
    bool EnhRowColMove = false;
    bool SizeWithForm = false;
    bool Multilinecells = false;
    bool EnableBlink = false;
    bool EnableHTML = true;
    bool EnableWheel = true;
    bool ExcelStyleDecimalSeparator = false;
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    TGridLook Look() const { return look_; }
    void SetLook(TGridLook Value);
    TColor HintColor = clInfoBk;
    TColor SelectionColor() const { return selectionColor_; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return selectionTextColor_; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const { return selectionRectangle_; }
    void SetSelectionRectangle(bool Value);
    bool SelectionResizer() const { return selectionResizer_; }
    void SetSelectionResizer(bool Value);
    bool SelectionRTFKeep = false;
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    bool HintShowSizing = false;
    bool HTMLHint = false;
    int MaxEditLength() const { return maxEditLength_; }
    void SetMaxEditLength(int Value);
    TImageList* GridImages() const { return gridImages_; }
    void SetGridImages(TImageList* Value);
    TIntelliPan IntelliPan = ipVertical;
    bool IntelliZoom = true;
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor Value);
    bool URLShow() const { return urlShow_; }
    void SetURLShow(bool Value);
    bool URLFull() const { return urlFull_; }
    void SetURLFull(bool Value);
    bool URLEdit = false;
    TPictureContainer* PictureContainer() const { return pictureContainer_; }
    void SetPictureContainer(TPictureContainer* Value);
    TExtStringGridCheck* CellChecker() const { return cellChecker_; }
    void SetCellChecker(TExtStringGridCheck* Value);
    TScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TScrollType Value);
    TColor ScrollColor() const { return scrollColor_; }
    void SetScrollColor(TColor Value);
    int ScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int Value);
    bool ScrollSynch = false;
    bool ScrollProportional() const { return scrollProportional_; }
    void SetScrollProportional(bool Value);
    TScrollHintType ScrollHints = shNone;
    bool OemConvert = false;
    int FixedFooters() const { return fixedFooters_; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return fixedRightCols_; }
    void SetFixedRightCols(int Value);
    int FixedColWidth() const;
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return fixedRowHeight_; }
    void SetFixedRowHeight(int Value);
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    bool FixedAsButtons = false;
    QString FloatFormat = QStringLiteral("%.2f");
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    bool ShowSelection() const { return showSelection_; }
    void SetShowSelection(bool Value);
    bool HideFocusRect = false;
    bool Hovering = false;
    bool FilterActive() const { return filterActive_; }
    void SetFilterActive(bool Value);

    // Sub-objects; assigning copies the values into the grid's own.
    TDragDropSettings* DragDropSettings() const { return dragDropSettings_.get(); }
    void SetDragDropSettings(const TDragDropSettings& Value);
    TSortSettings* SortSettings() const { return sortSettings_.get(); }
    void SetSortSettings(const TSortSettings& Value);
    TFloatingFooter* FloatingFooter() const { return floatingFooter_.get(); }
    void SetFloatingFooter(const TFloatingFooter& Value);
    TControlLook* ControlLook() const { return controlLook_.get(); }
    void SetControlLook(const TControlLook& Value);
    TPrintSettings* PrintSettings() const { return printSettings_.get(); }
    void SetPrintSettings(const TPrintSettings& Value);
    THTMLSettings* HTMLSettings() const { return htmlSettings_.get(); }
    void SetHTMLSettings(const THTMLSettings& Value);
    TNavigation* Navigation() const { return navigation_.get(); }
    void SetNavigation(const TNavigation& Value);
    TColumnSize* ColumnSize() const { return columnSize_.get(); }
    void SetColumnSize(const TColumnSize& Value);
    TCellNode* CellNode() const { return cellNode_.get(); }
    void SetCellNode(const TCellNode& Value);
    TSizeWhileTyping* SizeWhileTyping() const { return sizeWhileTyping_.get(); }
    void SetSizeWhileTyping(const TSizeWhileTyping& Value);
    TMouseActions* MouseActions() const { return mouseActions_.get(); }
    void SetMouseActions(const TMouseActions& Value);
    TBands* Bands() const { return bands_.get(); }
    void SetBands(const TBands& Value);
    // Assigning repaints.
    TBackGround* BackGround() const { return backGround_.get(); }
    void SetBackGround(const TBackGround& Value);
    TFilter* Filter() const { return filter_.get(); }
    void SetFilter(const TFilter& Value);
    // Assigning copies the bitmap and repaints the current row's fixed cell.
    const TBitmap& RowIndicator() const { return rowIndicator_; }
    void SetRowIndicator(const TBitmap& Value);
    // Texts put into row 0 (column 0); setting re-applies them.
    // ColumnHeadersChanged runs before the column headers are applied.
    virtual void ColumnHeadersChanged();
    const QStringList& ColumnHeaders() const { return columnHeaders_; }
    void SetColumnHeaders(const QStringList& Value);
    const QStringList& RowHeaders() const { return rowHeaders_; }
    void SetRowHeaders(const QStringList& Value);
    QStringList& LookupItems() { return lookupItems_; }
    const QStringList& LookupItems() const { return lookupItems_; }
    void SetLookupItems(const QStringList& Value);

    const TFont& FixedFont() const { return fixedFont_; }
    void SetFixedFont(const TFont& Value);
    // The footer panel under the grid and the picture cache of HTML cells.
    TFooterPanel* FooterPanel() const { return footerPanel_; }
    THTMLPictureCache* PictureCache() const { return pictureCache_.get(); }
    // The hidden rich-edit control that measures and paints rich-text
    // cells, and the rich-text in-place editor.
    TExtRichEdit* HiddenRichEdit() const { return hiddenRichEdit_.get(); }
    TExtRichEdit* InplaceRichEdit() const { return inplaceRichEdit_.get(); }
    THTMLHintWindow* HintWindow() const { return hintWindow_.get(); }
    // The rows taken out of the grid, one item per hidden row with its
    // cells whole.
    const THiddenRows& HiddenRows() const { return hiddenRows_; }
    // The four arrows shown while a column is moved (direction 0 to 3).
    TArrowWindow* ArrowWindow(int Direction) const;

    // The grid's unpublished state, read by the other concerns.
    QChar PasswordChar = QLatin1Char('*');
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    int XYOffsetX = 2; // cell margin, horizontal
    int XYOffsetY = 2; // cell margin, vertical
    // Added to every cell font when painting; Ctrl+wheel zooms it.
    int ZoomFactor = 0;
    // Dates of 0 and below are written too (switched on from creation).
    bool ShowNullDates = true;
    // The glQel look's gradient of fixed cells.
    TColor GradientStartColor = clSilver;
    TColor GradientEndColor = clWhite;
    // The cell under the mouse for hover effects (-1, -1: none).
    TPoint HoverCell{-1, -1};
    // Whether the platform draws with visual styles.
    bool VisualStyles() const { return visualStyles_; }
    // Wheel message and lines scrolled per wheel step.
    int WheelMessage() const { return wheelMessage_; }
    int WheelScrollLines() const { return wheelScrollLines_; }
    // Begin/end update counter; painting and bounds snapping are suspended
    // while it is above 0.
    int UpdateCount() const { return updateCount_; }
    void BeginUpdate();
    void EndUpdate();
    // The standard mouse-wheel message.
    static constexpr int kWheelMessage = 522;
    // The ids of the grid's window timers.
    static constexpr int kTimerId = 111;
    static constexpr int kTimerInterval = 500;
    bool TimerRunning() const { return timerId_ != 0; }

    // The cursor shown over links and anchors, for every grid.
    static inline TCursor LinkCursor = crDefault;

    // Sizes every column (from the first normal one unless DoFixedCols) to
    // its widest cell, plus Padding; one column alone.
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeCol(int ACol);

    // The version: bytes 2, 3, 0, 8 from the most significant; as text.
    virtual std::uint32_t GetVersionNr();
    virtual QString GetVersionString();

    // Cell-value helpers.
    int GetCellInteger(int ACol, int ARow) const;
    void SetCellInteger(int ACol, int ARow, int Value);
    double GetCellFloat(int ACol, int ARow) const;
    // As GetCellFloat, but False (Value untouched) for a text that is no number.
    bool ReadCellFloat(int ACol, int ARow, double& Value) const;
    void SetCellFloat(int ACol, int ARow, double Value);
    void SetCellDate(int ACol, int ARow, TDateTime Value);

    // Column widths kept between runs (ColumnSize's Key, Section, Location).
    void SaveColumnSizes();
    void LoadColumnSizes();
    // Stretches ACol (-1 = the last) over the client width left by the
    // others; throws EExtGridError beyond the last column.
    void StretchColumn(int ACol) override;
    // Invalidates a cell, or the rectangle spanned by two corner cells.
    void RepaintCell(int ACol, int ARow);
    void RepaintRect(const TRect& R);
    // The cell under a screen point.
    void CellAtScreenPoint(QPoint P, int& ACol, int& ARow) const;
    bool IsOnGridLine(int X, int Y) const;
    // The major and minor version of a file's version data; -1 when it has
    // none.
    static std::int32_t GetDllFileVersion(const QString& FileName);
    // The version of the common-controls library (major in the high word).
    static std::int32_t CommonControlsVersion();

    // The fixed-cell rule: marked fixed, the lone row/column kept fixed by
    // FixedRowAlways/FixedColAlways, or within FixedCols/FixedRows; then
    // OnIsFixedCell for the others.
    virtual bool IsFixedCell(int ACol, int ARow, bool AlreadyFixed = false);
    // The other event dispatchers, in their slot order.
    virtual void GridHint(int ACol, int ARow, QString& HintStr);
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual bool CanEditCell(int ACol, int ARow);
    virtual bool IsPasswordCell(int ACol, int ARow);
    virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString& Value);

    // Overrides of the base grid's cell rules.
    bool IsFixed(int ACol, int ARow) override;
    int GetCellIndent(int ARow) override;
    // True when a row's column-0 graphic is ctNode now.
    bool HasNodes() override;
    void FooterRowChanged() override;

    // Cell text, in real-column terms.
    virtual QString GetCurrentCellText();
    virtual void SetCurrentCellText(const QString& Value);
    virtual void RestoreCellText();
    virtual QString CalcCellText(int ACol, int ARow);
    virtual QString GetCellExportText(int ACol, int ARow);
    virtual bool HasFilterButton(int ACol);
    // Inserts a row (Insert key) and raises OnAutoInsertRow; deletes one
    // (Delete key; the only normal row is cleared) and raises
    // OnAutoDeleteRow.
    virtual void InsertRowByKey(int ARow);
    virtual void DeleteRowByKey(int ARow);

    // Cell graphics: the cell's graphic object is owned by the grid, one per
    // cell, except the shared ctVirtCheckBox graphic (never freed through a
    // cell).
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    virtual TCellType GetCellType(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphicObject(int ACol, int ARow);
    // The shared graphic of virtual check boxes.
    TCellGraphic* VirtCheckBoxGraphic() const { return virtCheckBox_.get(); }

protected:
    // The window is made (first show) and ended.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // After the control was resized: OnResize.
    virtual void Resize();
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;

    bool event(QEvent* Event) override;
    // Events of the cell area (mouse, hints) pass the window procedure too.
    bool viewportEvent(QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    // MouseActions.DirectEdit: a click that chose an editable cell opens
    // its editor at once.
    void mousePressEvent(QMouseEvent* Event) override;
    // Nothing is painted while the update counter is above 0.
    void paintEvent(QPaintEvent* Event) override;
    // Stretch or SynchWithGrid, then the footer panel and the bars.
    void resizeEvent(QResizeEvent* Event) override;
    void timerEvent(QTimerEvent* Event) override;
    // Scrolled: the footer panel and a shown scroll hint follow.
    void TopLeftChanged() override;
    // The owner form's resizes.
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    // Cells leaving the grid free their graphics with their properties.
    void ObjectDropped(TObject* Object) override;

private:
    void ApplyColumnHeaders();
    // The width a column's cells need (the widest of rows from FromRow).
    int ColumnContentWidth(int ACol, int FromRow);
    // The room a cell's content needs across (Horizontal) or down, without
    // its margins; 0 for a cell a merge covers that way.
    int CellContentExtent(int ACol, int ARow, Qt::Orientation Along);
    // Stretching asked by the grid itself (size changes): errors go to the
    // error box, as for any handler.
    void StretchOnResize();
    void ApplyRowHeaders();
    void HookOwnerForm();
    void UnhookOwnerForm();
    // Keeps the footer panel at the bottom of the grid.
    void AlignFooterPanel();
    void ApplyScrollBars();
    // Applies the stand-ins of the platform checks (visual styles, wheel).
    void ReadPlatformSettings();

    // The owned objects, in the order Create makes them.
    TFooterPanel* footerPanel_ = nullptr;
    std::unique_ptr<TFloatingFooter> floatingFooter_;
    std::unique_ptr<TPrintSettings> printSettings_;
    std::unique_ptr<THTMLSettings> htmlSettings_;
    std::unique_ptr<TSortSettings> sortSettings_;
    std::unique_ptr<TDragDropSettings> dragDropSettings_;
    std::unique_ptr<TControlLook> controlLook_;
    std::unique_ptr<TNavigation> navigation_;
    std::unique_ptr<TColumnSize> columnSize_;
    std::unique_ptr<TCellNode> cellNode_;
    std::unique_ptr<TBands> bands_;
    std::unique_ptr<TSizeWhileTyping> sizeWhileTyping_;
    std::unique_ptr<TMouseActions> mouseActions_;
    QStringList columnHeaders_;
    std::unique_ptr<THTMLPictureCache> pictureCache_;
    TFont fixedFont_;
    TFont activeCellFont_;
    QStringList rowHeaders_;
    QStringList swapRow_;
    QStringList lookupItems_;
    TSortIndexList sortIndexes_;
    TIntList sortColumns_{-1, -1};
    TBitmap rowIndicator_;
    std::unique_ptr<TBackGround> backGround_;
    std::unique_ptr<THTMLHintWindow> hintWindow_;
    std::unique_ptr<TFilter> filter_;
    std::unique_ptr<TExtRichEdit> hiddenRichEdit_;
    std::unique_ptr<TExtRichEdit> inplaceRichEdit_;
    std::vector<std::function<void(const TRect& R)>> linkedGrids_;
    // While set, CellsChanged leaves the footer to be worked out once at the
    // end of a run of reports.
    bool footerHeld_ = false;
    QPointer<TArrowWindow> arrows_[4];
    std::unique_ptr<TCellGraphic> virtCheckBox_;

    std::vector<std::uint8_t> colVisible_ = std::vector<std::uint8_t>(513, 1);
    int hiddenColCount_ = 0;

    TCursor cursor_ = crDefault;
    TCursor designCursor_ = crDefault;
    bool activeCellShow_ = false;
    TColor activeCellColor_ = clGray;
    bool autoSize_ = false;
    TVAlignment vAlignment_ = vtaTop;
    bool flat_ = false;
    TGridLook look_ = glSoft;
    TColor selectionColor_ = clHighlight;
    TColor selectionTextColor_ = clHighlightText;
    bool selectionRectangle_ = false;
    bool selectionResizer_ = false;
    int maxEditLength_ = 0;
    TImageList* gridImages_ = nullptr;
    TColor urlColor_ = clBlue;
    bool urlShow_ = false;
    bool urlFull_ = false;
    TPictureContainer* pictureContainer_ = nullptr;
    TExtStringGridCheck* cellChecker_ = nullptr;
    // Each of the three above tells the grid when it goes.
    TComponentLinks componentLinks_{[this](const TComponent* Component) { Notification(Component); }};
    TScrollType scrollType_ = ssNormal;
    TColor scrollColor_ = clNone;
    int scrollWidth_ = 0;
    bool scrollProportional_ = false;
    int fixedFooters_ = 0;
    int fixedRightCols_ = 0;
    int fixedRowHeight_ = 21;
    bool integralHeight_ = false;
    bool wordWrap_ = false;
    bool showSelection_ = true;
    bool filterActive_ = false;

    bool visualStyles_ = false;
    int wheelMessage_ = kWheelMessage;
    int wheelScrollLines_ = 3;
    int updateCount_ = 0;
    int timerId_ = 0;
    bool windowCreated_ = false;
    bool skipRepaint_ = false;
    bool stretching_ = false;
    int footerHeight_ = 21;
    bool footerShown_ = false;
    int footerRepaints_ = 0;
    bool loading_ = false;
    // The selection kept while only fixed rows remain (FixedRowAlways).
    TGridRect savedSelection_;
    bool selectionSaved_ = false;
    // The owner form, its saved resize handler, and its size.
    QPointer<QWidget> ownerForm_;
    TNotifyEvent savedFormResize_;
    QSize formSize_;

public:
    // =====================================================================
    // Events
    // =====================================================================
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGridHintEvent OnGridHint;
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TCanEditCellEvent OnCanEditCell;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TGetEditorTypeEvent OnGetEditorType;
    TGetEditorPropEvent OnGetEditorProp;
    TEllipsClickEvent OnEllipsClick;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TCellValidateEvent OnCellValidate;
    TNotifyEvent OnEditingDone;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TBeforeCellPasteEvent OnClipboardBeforePasteCell;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TScrollHintEvent OnScrollHint;
    TNotifyEvent OnRichEditSelectionChange;
    TCustomCellDrawEvent OnCustomCellDraw;
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    TCanAddRowEvent OnCanAddRow;
    TAutoAddRowEvent OnAutoAddRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TGridProgressEvent OnFilterProgress;
    TNotifyEvent OnResize;
    TCustomCellSizeEvent OnCustomCellSize;
    TPrintPageEvent OnPrintPage;
    TPrintPageEvent OnPrintPageDone;
    TPrintStartEvent OnPrintStart;
    TFitToPageEvent OnFitToPage;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintSetColumnWidthEvent OnPrintSetColumnWidth;
    TPrintSetRowHeightEvent OnPrintSetRowHeight;
    TCanInsertRowEvent OnCanInsertRow;
    TCanDeleteRowEvent OnCanDeleteRow;
    TClickSortEvent OnClickSort;
    TCanSortEvent OnCanSort;
    TNodeClickEvent OnExpandNode;
    TNodeClickEvent OnContractNode;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TDblClickCellEvent OnDblClickCell;
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    TControlEvent OnControlClick;
    TControlEvent OnControlEditDone;
    TControlComboEvent OnControlComboList;
    TCellsChangedEvent OnCellsChanged;
    TGridProgressEvent OnFileProgress;
    TButtonClickEvent OnButtonClick;
    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioClick;
    TRadioClickEvent OnRadioMouseUp;
    TOleDragDropEvent OnOleDrop;
    TOleDroppedEvent OnOleDropped;
    TOleDragDropEvent OnOleDrag;
    TOleDragOverEvent OnOleDragOver;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDropColEvent OnOleDropCol;
    TColumnSizeEvent OnColumnSize;
    TColumnSizeEvent OnColumnMove;
    TRowSizeEvent OnRowSize;
    TRowSizeEvent OnRowMove;

public:
    // =====================================================================
    // Painting
    // =====================================================================
    void GetCellColors(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TGridDrawState& AState,
                       TAlignment& HAlign, TVAlignment& VAlign, bool MapDisplayCol, bool UseProps,
                       bool Printing) override;
    void DrawCellContent(TCanvas& ACanvas, int ACol, TGridDrawState AState, TRect ARect, int ARow) override;
    virtual void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    // The size a cell's content needs (auto-sizing, hints).
    virtual QSize GetCellTextSize(int ACol, int ARow, bool AWordWrap);
    // The room a cell's graphic needs; for printing, picture sizes divided
    // by Scale within the available width and height.
    virtual QSize GetCellGraphicSize(int ACol, int ARow);
    virtual QSize GetCellGraphicPrintSize(int ACol, int ARow, double Scale, int AvailWidth, int AvailHeight);
    virtual void DrawCheckBox(TCanvas& ACanvas, const TRect& R, bool Checked, bool Enabled, int Style);
    virtual void DrawRadioGroup(TCanvas& ACanvas, const TRect& R, const QStringList& Options, int Selected,
                                bool Horizontal, bool Enabled);
    virtual void DrawCellGraphic(TCanvas& ACanvas, const TRect& R, TCellGraphic& Graphic, int ACol, int ARow);
    // The colour of comment marks (none with clNone).
    TColor CommentColor = clRed;
    // The cell whose button is held down (drawn pushed); (-1, -1) for none.
    void SetPressedCellButton(int ACol, int ARow);
    // The dotted guide shown while a column is moved, at client x X.
    void ShowColumnMoveGuide(int X);
    void HideColumnMoveGuide();
    // The soft border over the frame (looks glSoft and glQel, not Flat).
    bool SoftBorderShown() const;
    void PaintNonClient();

private:
    bool IsNormalCell(int ACol, int ARow);
    TColor BandColor(int ARow, bool Printing) const;
    bool CellShownSelected(int ACol, int ARow, TGridDrawState AState) const;
    void DrawCellText(TCanvas& ACanvas, int ADisplayCol, int ACol, int ARow, TRect R, TGridDrawState AState,
                      TCellGraphic* Graphic, TAlignment HAlign, TVAlignment VAlign);
    void DrawPlainText(TCanvas& ACanvas, const TRect& R, const QString& Text, TAlignment HAlign,
                       TVAlignment VAlign);
    void DrawRichText(TCanvas& ACanvas, const TRect& R, const QString& Text, bool Selected);
    void DrawCellBorders(TCanvas& ACanvas, int ACol, int ARow, TRect R);
    void DrawFixedRelief(TCanvas& ACanvas, int ACol, const TRect& R);
    void DrawBackGroundPicture(TCanvas& ACanvas, const TRect& R, bool Fixed);
    void DrawSelectionFrame(TCanvas& ACanvas, int ACol, int ARow, const TRect& R);
    bool SortMarkerShown(int ACol, int ARow);
    void DrawSortMarker(TCanvas& ACanvas, const TRect& R, int ACol);
    struct TControlPaintLook ControlPaintLook() const;
    int CellTextWidth(int ACol, int ARow);
    // The font a cell's text is drawn in: the grid's, the cell's own (with
    // UseProps), the colour event's, at the zoom step.
    TFont CellFont(int ACol, int ARow, bool UseProps);
    // Whether client x X falls on the node button drawn in cell (ACol, ARow).
    bool NodeButtonAt(int ACol, int ARow, int X);
    TRect GraphicRect(int ACol, int ARow, const TRect& R, const TCellGraphic& Graphic, TAlignment HAlign);
    void MakeRoomForGraphic(int ACol, int ARow, TRect& R, const TCellGraphic& Graphic, TAlignment HAlign);
    static TColor ProgressColor(const TCellGraphic& Graphic, bool Filled);
    // The hidden rich-edit control that measures and paints rich-text
    // cells, created on first use.
    TRichEdit* PaintRichEdit();

    TRichEdit* paintRichEdit_ = nullptr;
    QObject* softBorderFilter_ = nullptr;
    int columnGuideX_ = -1;
    TPoint pressedButton_{-1, -1};

public:
    // =====================================================================
    // Editing
    // =====================================================================
    void ShowInplaceEditor(int ACol, int ARow);
    void ReadEditorValue(int ACol, int ARow);
    void EndCellEditing();
    void PassKeyToGrid(int Key, TShiftState Shift);
    virtual bool ValidateCell(const QString& NewValue);
    void ClearComboItems();
    void AddComboItem(const QString& Item);
    // The class library's edit-text step, then the text through SetCells.
    virtual void StoreEditText(int ACol, int ARow, const QString& Value);
    // The text editor's caret moved (after each key release), or (-1, -1),
    // -1 when it lost the focus; the grid does nothing.
    virtual void EditorCaretMoved(const QString& Text, QPoint CaretPos, int CaretIndex);
    // Raises OnEllipsClick for the current cell; the result replaces the
    // editor text.
    virtual QString EllipsClick(const QString& Text);
    // Keeps a cell and its current text for validation.
    virtual void RememberEditCell(int ACol, int ARow);
    // The editor kind chosen for the current edit and whether it shows.
    TEditorType EditorType() const { return editorType_; }
    bool EditorShown() const { return editorShown_; }
    // The in-place combo's items may carry an object each (OnComboObjectChange).
    void AddComboItemObject(const QString& Item, TObject* AObject);
    // The item a list combo shows on a cell whose text is no item of it
    // (-1: the first item).
    int ComboDefaultIndex() const { return comboDefaultIndex_; }
    void SetComboDefaultIndex(int Value) { comboDefaultIndex_ = Value; }
    // The application's own editor of edCustom cells (not owned).
    TEditLink* EditLink() const { return editLink_; }
    void SetEditLink(TEditLink* Value) { editLink_ = Value; }
    // Every ended edit is validated, changed or not.
    bool ForceValidation = false;
    // The editors the grid lays over a cell; each is made on first use,
    // hidden and disabled, and lives as long as the grid.
    TExtInplaceEdit* TextEditor() const { return textEditor_; }
    TGridSpin* SpinEditor();
    TGridCombo* ComboEditor();
    TGridEditBtn* EditBtnEditor();
    TGridUnitEditBtn* UnitEditBtnEditor();
    TGridCheckBox* CheckBoxEditor();
    TGridDatePicker* DatePickerEditor();
    TGridButton* ButtonEditor();
    TControlEdit* ControlEdit();
    TControlCombo* ControlCombo();
    // The rich-text in-place editor, as the rich edit it is (none until the
    // grid has one).
    TRichEdit* RichEditWidget() const;
    // The control that edits the current edit's kind, when it shows.
    QWidget* ShownEditorControl() const;
    // A rich-text cell into a rich-edit control (an empty cell empties it),
    // and the control's contents back into the cell.
    void CellToRich(int ACol, int ARow, TRichEdit* RichEdit);
    void RichToCell(int ACol, int ARow, TRichEdit* RichEdit);
    // The pop-up of an edit link closed: a link that writes on closing
    // writes its value into the current cell, any other ends the edit; the
    // text editor then holds the value too.
    void LinkPopupClosed();

    // What the grid's own editors ask of it.
    // Writes an editor's text into the current cell and validates it; false
    // when refused (the cell then holds its text again).
    bool CommitEditorText(const QString& Text);
    // The text editor's text, validated (the editor wrote it already).
    bool ValidateEditorText(const QString& Text);
    // The current cell's text, which an editor puts back on Escape.
    QString CurrentCellEditText() const;
    // Escape in the text editor: the cell gets back its text from when it
    // was selected and the editor closes.
    void CancelTextEdit();
    // The text editor lost the focus, to the grid or elsewhere.
    void TextEditorLeft(bool ToOtherWindow);
    // Whether the editor now opening was opened by a click, and where.
    bool TakeEditClick(QPoint& At);
    // Ends the edit and gives the grid the focus, without a key.
    void EndEditorToGrid();
    void HideButtonEditor();
    void SpinEditorClicked(TGridSpin* Spin, bool Up);
    void EditorEllipsClick(QString& S);
    // The combo's own signals: a choice of the user, a typed change, a wheel
    // step (raised with the combo as Sender).
    void ComboSelectionChanged(int Index);
    void ComboEditChanged();
    void ComboWheelStepped(TGridCombo* Combo);
    enum TEditorClipboard { ClipboardCopy, ClipboardCut, ClipboardPaste };
    bool AllowEditorClipboard(TExtInplaceEdit* Editor, TEditorClipboard Operation);
    bool BeforeEditorPaste(QString& Value);
    void AddLookupHistory(const QString& S);
    void RaiseDblClickCell(int ARow, int ACol);
    // Left at the start or Right at the end of the text (CursorWalkEditor).
    void WalkFromEditor(bool Forward);
    // SizeWhileTyping: the column (row) grows with the typed text (lines).
    void FitColumnToEditor(const QString& S);
    void FitRowToEditor(const QString& S);

    void HideEditor() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    bool SelectCell(int ACol, int ARow) override;
    void UpdateEditor() override;
    // The text an editor opens with: the real column's, its mini-HTML tags
    // taken off unless EditWithTags.
    QString GetEditText(int ACol, int ARow) override;

private:
    TEditorType editorType_ = edNormal;
    bool editorShown_ = false;
    bool cellEditing_ = false;
    bool validating_ = false;
    TPoint editCell_{-1, -1};
    QString editCellText_;
    QString selectedCellText_;
    int comboDefaultIndex_ = -1;
    void CreateInplaceEditors();
    std::vector<QWidget*> SpecialEditors() const;
    QWidget* EditorControl(TEditorType Kind) const;
    bool SpecialEditorShown() const;
    void HideSpecialEditors();
    bool HasCellControl(int ACol, int ARow);
    void AskCanEditCell(int ACol, int ARow);
    // The floating footer's rule for choosing a row: scrolls a row from under
    // it, refuses its own last row.
    bool FooterAllowsRow(int ACol, int ARow);
    // The fixed cells that mark the current row and column repaint.
    void RepaintHeadersOfMove(int OldCol, int OldRow, int NewCol, int NewRow);
    void SetEditorColor(QWidget* Editor, TColor Color);
    void ShowCustomEditor(int ACol, int ARow, const TRect& R, TColor Color, const QString& Text);

    TExtInplaceEdit* textEditor_ = nullptr;
    TGridSpin* spinEditor_ = nullptr;
    TGridCombo* comboEditor_ = nullptr;
    TGridEditBtn* editBtnEditor_ = nullptr;
    TGridUnitEditBtn* unitEditor_ = nullptr;
    TGridCheckBox* checkEditor_ = nullptr;
    TGridDatePicker* dateEditor_ = nullptr;
    TGridButton* buttonEditor_ = nullptr;
    TControlEdit* controlEdit_ = nullptr;
    TControlCombo* controlCombo_ = nullptr;
    TEditLink* editLink_ = nullptr;
    // The in-place rich edit made with the editors while the grid has none.
    TExtRichEdit* richEditor_ = nullptr;
    // The borderless window of a pop-up edit link.
    std::unique_ptr<QWidget> linkPopup_;
    // Ends the edit when the link's control loses the focus.
    std::unique_ptr<QObject> linkWatch_;
    // The first character typed on the grid, for the editor it opens.
    char pendingChar_ = 0;
    // Where the current cell lay when its special editor was placed.
    TRect editorCellRect_;
    // Editing started by a click at this point of the grid's area.
    bool editClickPending_ = false;
    QPoint editClickAt_;
    // A cell OnCanEditCell refused switched goEditing off; the next editable
    // cell switches it on again.
    bool tempEditPermission_ = false;
    int endingEdit_ = 0;
    // Set by AdvanceCell while it moves the cursor: SelectCell then leaves
    // OnCellChanging to it.
    bool advancing_ = false;

public:
    // =====================================================================
    // Rows, columns, nodes, selection and navigation
    // =====================================================================
    int RealColIndex(int ACol) const;
    int DisplayColIndex(int ACol) const;
    int HiddenColCount() const { return hiddenColCount_; }
    // No window hides columns; tests set a column's visible flag here to
    // check the mapping and the paths that count hidden columns.
    void SetColumnVisibleFlag(int ACol, bool Visible);
    void HideRows(int FromRow, int ToRow);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    bool IsHiddenRow(int ARow) const;
    int RealRowIndex(int ARow) const;
    int DisplayRowIndex(int ARow) const;
    bool IsNode(int ARow);
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    virtual bool ToggleCellCheck(int ACol, int ARow, bool Ask);
    bool GetCheckBoxState(int ACol, int ARow);
    void SetCheckBoxState(int ACol, int ARow, bool Value);
    void AdvanceCell(int ACol, int ARow, bool Forward, bool ShowEditor, bool Forced);
    virtual void RecalcFooter(int ACol);
    void ScrollInView(int ACol, int ARow);
    virtual bool RowMatchesFilter(int ARow);
    void ApplyFilter();
    // Footer of one column, and of all columns.
    virtual void CalcFooterColumn(int ACol);
    virtual void CalcFooterColumns();
    // The footer row's calculation kinds by column, taken off the last row,
    // and put on the last row again once an import has resized the grid.
    std::vector<std::uint8_t> TakeFooterKinds();
    void PutFooterKinds(const std::vector<std::uint8_t>& Kinds);
    // The two column-size hooks; both raise OnUpdateColumnSize.
    virtual void UpdateColSize(int ACol, int& AWidth);
    virtual void UpdateAutoColSize(int ACol, int& AWidth);
    // The nine row/column operations.
    virtual void InsertRows(int ARow, int ARowCount);
    virtual void RemoveRows(int ARow, int ARowCount);
    virtual void InsertCols(int ACol, int AColCount);
    virtual void RemoveCols(int ACol, int AColCount);
    virtual void ExchangeRows(int ARow1, int ARow2);
    virtual void SortRows();
    virtual void SortRowsIndexed();
    // Moves go by display column (mapped through the hidden columns) and
    // display row; a mouse move of the string grid comes here too. The cells
    // always travel whole (text and objects), with their hidden flags and
    // column values; widths (heights) travel only with EnhRowColMove. A
    // range of Count moves in one pass, landing with its first at ToIndex
    // (the hidden columns among the moved ones go with them); what follows
    // the rows is updated for the rows the move shifts only.
    void MoveColumn(int FromIndex, int ToIndex) override;
    void MoveRow(int FromIndex, int ToIndex) override;
    void MoveCols(int FromIndex, int Count, int ToIndex);
    void MoveRows(int FromIndex, int Count, int ToIndex);
    // Empties the cells of ACount columns at ACol over all rows.
    void ClearCols(int ACol, int ACount);
    // Removes ACount rows at ARow with their cell objects and selection
    // flags, keeping the current and top row where they still exist.
    void RemoveRowsAt(int ARow, int ACount);
    // Removes every selected row between the fixed rows and the footer.
    void RemoveSelectedRows();
    // Empties the cells of ACount rows at ARow, hidden columns included.
    void ClearRows(int ARow, int ACount);
    // A value of the application's kept per column; it moves with its
    // column (up to column 512; 0 elsewhere).
    std::uint16_t ColumnValue(int ACol) const;
    void SetColumnValue(int ACol, std::uint16_t Value);
    // The height of a row of Lines lines of the grid's font: a line is the
    // height of "gh" and a quarter more; Extra added, then kept within
    // MinHeight and MaxHeight (0: no upper bound).
    int RowHeightOfLines(int Lines, int Extra, int MinHeight, int MaxHeight) const;
    // The most lines a cell of the row holds (1 without Multilinecells).
    int RowLineCount(int ARow) const;
    static int TextLineCount(const QString& Text);
    // The first data row whose text in the sort column (SortSettings'
    // column when shown, else column 1) begins with UpperText, compared
    // with the cell's prefix upper-cased by the locale; -1 when none.
    int IncrementalLookup(const QString& UpperText) const;
    // The brush colour a cell's properties hold; clNone when it has none.
    TColor CellColor(int ACol, int ARow) const;
    int NumHiddenRows() const { return hiddenRows_.Count(); }
    // 0 for a node row, 1 for a row that ends its node's tree line, 2 for
    // one it passes (0 with no node above).
    int NodeTreePosition(int ARow);
    // Row-selection flags; a row outside the grid raises "Invalid Row
    // accessed".
    bool RowSelect(int ARow) const;
    void SetRowSelect(int ARow, bool Value);
    void ClearRowSelect();
    void SelectRowsFromSelection(bool All);
    // The scattered cell selection, column and row kept whole.
    bool CellSelected(int ACol, int ARow) const;
    void SetCellSelected(int ACol, int ARow, bool Value);
    void ClearCellSelect();
    // Cell controls and what a cell holds (the base cell of a merged one
    // where said).
    bool NextRadioOption(int ACol, int ARow, bool Ask);
    bool IsCheckCell(int ACol, int ARow);
    bool IsCellControl(int ACol, int ARow);
    bool IsRadioCell(int ACol, int ARow);
    bool GetRadioIndex(int ACol, int ARow, int& Index);
    QStringList GetRadioOptions(int ACol, int ARow);
    bool HasCellButton(int ACol, int ARow);
    TRect GetCellButtonRect(int ACol, int ARow);
    bool GetCellComment(int ACol, int ARow, QString& Comment);
    void GetCellError(int ACol, int ARow, int& ErrFrom, int& ErrLen);
    bool GetCellAngle(int ACol, int ARow, int& Angle);
    // The bitmap or icon object (as a number), or the image index; -1.
    std::intptr_t GetCellImageInfo(int ACol, int ARow);
    TIntList* GetCellImageList(int ACol, int ARow);
    // The selection shown as nothing, and back.
    void HideSelection();
    void UnHideSelection();
    // The bounds of the normal cells; all cells while AllCells is on (it is
    // from creation).
    bool AllCells = true;
    int FirstNormalCol() const;
    int FirstNormalRow() const;
    int LastNormalCol() const;
    int LastNormalRow() const;
    // The text typed so far to find a row of the sorted column; navigation
    // keys clear it.
    void ClearSortedFindText() { sortedFindText_.clear(); }

protected:
    // The user sized a column or row: all others in proportion with
    // AllColumnSize / AllRowSize, then the end-of-sizing events.
    void ColumnSized(int ACol, int OldWidth) override;
    void RowSized(int ARow, int OldHeight) override;
    // With ScrollProportional the bars run from 0 to 127 with a page as
    // large as the share of the grid in view; the thumbs are set from the
    // top-left cell and read back into it here.
    void UpdateScrollBars() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Hides the real rows Rows (ascending) in one pass; shows hidden ones
    // again, each at its place.
    void HideRealRows(const std::vector<int>& Rows);
    void PutBackRows(std::vector<THiddenRows::Row>&& Rows);
    TCellGraphic* NodeGraphic(int ARow);
    // The last real row under the node at display row ARow.
    int LastNodeRow(int ARow, int RowCountOfNode);
    // The nearest node row above ARow (-1: none), and what the last such
    // question of a paint found.
    int NodeAbove(int ARow);
    struct TNodeAbove {
        std::int32_t Paint = 0;
        std::uint64_t Version = 0;
        int Rows = -1;
        int Row = -1;
        int Node = -1;
    } nodeAbove_;
    // What HasNodes found in a paint.
    struct TNodesAsked {
        std::int32_t Paint = 0;
        std::uint64_t Version = 0;
        int Rows = -1;
        bool Found = false;
    } nodesAsked_;
    void CheckRowIndex(int ARow) const;
    // The row's selection flag; rows never flagged read as not selected.
    bool RowFlagged(int ARow) const { return rowState_.Flagged(ARow); }
    TCellGraphic* GraphicOfType(int ACol, int ARow, std::initializer_list<TCellType> Types);
    QStringList RadioItemsOf(const TCellGraphic& Radio) const;
    QString CheckText(int ACol, int ARow, bool Checked);
    bool MayEnterCell(int ACol, int ARow);
    TPoint NextAdvanceCell(TPoint From, bool Forward, bool& MayInsert);
    void OperateControlAtCorner(int ACol, int ARow);
    void GotoSortedText(char Key);
    bool HookScrollHints();
    void ScrollBarMoved(Qt::Orientation Bar, int Position);
    void HideScrollHint();
    // Proportional thumbs: the page of each bar, how far a thumb reaches on
    // the 0..127 scale, and the thumb of a first scrolled row (column) and
    // back.
    int ThumbPage(Qt::Orientation Bar) const;
    int ThumbReach(Qt::Orientation Bar) const;
    int ThumbOf(Qt::Orientation Bar, int First) const;
    int FirstOfThumb(Qt::Orientation Bar, int Position) const;
    // Moves the top row (left column) to where the thumb stands.
    void ScrollToThumb(Qt::Orientation Bar, int Position);
    // An arrow or page step of a proportional bar moves one row (column)
    // or one page, not one step of the thumb's scale.
    void StepThumb(QScrollBar* Bar, int Action);

    // The row flags, cell selection and row order, following the rows.
    TRowState rowState_;
    TGridRect savedHiddenSelection_;
    bool selectionHidden_ = false;
    // FixedRows when the filter came on, while it hid every normal row.
    int filterFixedRows_ = -1;
    QString sortedFindText_;
    // Above 0 while the grid sets its proportional thumbs itself.
    int thumbsUpdating_ = 0;
    bool scrollHintsHooked_ = HookScrollHints();

    // ---- inserting, removing and moving rows and columns
    // A merged block by its base cell and spans.
    struct TMergedBlock {
        int Col, Row, SpanX, SpanY;
    };
    // Where a column (row) index goes through a change; -1 when it goes
    // away.
    using TIndexMap = std::function<int(int)>;
    // A change of the rows: Count rows inserted or removed at At, or moved
    // from At to land with the first at To. Map gives where a row goes (-1 when it goes away),
    // Touched the rows (before the change) a block it breaks must reach
    // into, Shifted the rows (after it) whose index it changed.
    struct TRowChange {
        enum Kind { Insert, Remove, Move } What;
        int At, Count, To;
        int Map(int ARow) const;
        std::pair<int, int> Touched() const;
        std::pair<int, int> Shifted() const;
    };
    // Every merged block, and those reaching into the rows Rows.
    std::vector<TMergedBlock> MergedBlocks() const;
    std::vector<TMergedBlock> MergedBlocksInRows(const std::vector<int>& Rows) const;
    // Before a change of columns (Columns) or rows: the blocks of Blocks the
    // change does not carry whole are made plain cells and returned.
    std::vector<TMergedBlock> UnmergeBrokenBlocks(bool Columns, const TIndexMap& Map,
                                                  const std::vector<TMergedBlock>& Blocks);
    // After it: a broken block is merged again over what is left of it
    // (grown over inserted lines); a moved block that came apart stays
    // plain.
    void RemergeBlocks(const std::vector<TMergedBlock>& Blocks, bool Columns, const TIndexMap& Map, bool Moving);
    // Runs a change of the columns whose index map is Map, keeping the
    // merged blocks whole where they can be.
    void ChangeColumns(const TIndexMap& Map, bool Moving, const std::function<void()>& Change);
    // Runs a change of the rows (Store changes the cells), keeping the
    // merged blocks whole where they can be; the properties and the row
    // state follow.
    void ChangeRows(const TRowChange& Change, const std::function<void()>& Store);
    // Every properties object in rows First..Last (one cell) learns its
    // cell again; rows holding no object are passed over.
    void ReownProperties(int First, int Last);
    void ReownCell(int ACol, int ARow);
    // After rows were removed: the current and top row stay where they
    // were (Current, Top) while such rows remain, else on the last normal
    // row.
    void KeepRowsAfterRemoval(int Current, int Top);
    // The hidden flags and column values follow a change of the columns.
    void MoveColumnData(const std::function<void(std::vector<std::uint8_t>&)>& Flags,
                        const std::function<void(std::vector<std::uint16_t>&)>& Values);
    std::vector<std::uint16_t> colValues_ = std::vector<std::uint16_t>(513, 0);

public:
    // =====================================================================
    // Stream and clipboard
    // =====================================================================
    // Writes one pasted value at a display column.
    virtual void SetCellForPaste(int ACol, int ARow, const QString& Value);
    // After a paste: the source origin (-1, -1 for text), the range pasted.
    virtual void ClipboardPasted(int SourceCol, int SourceRow, const TRect& Pasted, bool Copied);
    // After any bulk change of cells: OnCellsChanged, the linked grids, the
    // footer.
    virtual void CellsChanged(const TRect& R);
    // Objects told of changed cell ranges.
    std::vector<std::function<void(const TRect& R)>>& LinkedGrids() { return linkedGrids_; }
    // The cell stream (grid/cellstream.h). Saving writes the range, cut to
    // the grid, at the stream's position; loading reads from the stream's
    // position to its end and places the cells relative to (ACol, ARow),
    // dropping those that would fall outside the grid. A stream that does not
    // follow the layout raises EReadError; the cells read before it stay.
    void SaveCellsToStream(int ALeft, int ATop, int ARight, int ABottom, QBuffer& Stream);
    void LoadCellsFromStream(int ACol, int ARow, QBuffer& Stream);
    // The number that tells this grid's streams from every other grid's (the
    // stream's ID).
    std::int32_t StreamID() const { return streamID_; }

    // The clipboard. A copy puts the selection on the clipboard as plain
    // text (values joined by tabs, rows ended by CR LF when there is more
    // than one), as rich text when the top-left cell is rich text
    // (AllowRTFClipboard) and as the cell stream (AllowFmtClipboard). In
    // disjunct-row mode the data area's selected rows are copied instead.
    void CopySelection();
    // Copies, then empties the copied cells that a paste could write (all of
    // them with AllowClipboardAlways), their graphics too.
    void CutSelection();
    // Pastes the first format found (cells, rich text, plain text) at
    // (ACol, ARow); the number of cells a text paste visited, else 0.
    int PasteFromClipboard(int ACol, int ARow);
    // Pastes tab-separated lines at (ACol, ARow), growing the grid as
    // Navigation allows; the number of values visited. A paste that would
    // grow the grid beyond kMaxGridCells raises EExtGridError and changes
    // nothing.
    int PasteText(int ACol, int ARow, const QString& Text);
    // Pastes at the selection's top-left cell, then (AllowSmartClipboard)
    // fills the selection with the value or continues the pasted series.
    void PasteIntoSelection();
    // The keyboard's copy, cut and paste: OnClipboardCopy, OnClipboardCut or
    // OnClipboardPaste may refuse; the paste is PasteIntoSelection.
    void CopyCommand();
    void CutCommand();
    void PasteCommand();
    // Whether a paste may write the cell (display column).
    bool CellWritableByPaste(int ACol, int ARow);
    // The top-left cell of the last copied range, and whether the last
    // clipboard command was a copy (not a cut).
    TPoint CopyOrigin() const { return copyOrigin_; }
    bool LastCopyWasCopy() const { return lastCopyWasCopy_; }
    // Multi-line cells travel between double quotes, without CRs.
    bool QuotedMultilineClipboard = false;
    // The clipboard's name of the cell format.
    static QString CellsMimeType();
    // The most cells a paste may grow the grid to.

private:
    static std::int32_t NextStreamID();
    std::int32_t streamID_ = NextStreamID();
    // The range a copy takes, and its text. A copy to the clipboard gives
    // empty check boxes their check texts, strips mini-HTML without
    // CopyHTMLTagsToClipboard and ends every row of a many-row range; the
    // text of a drag only separates its rows.
    enum class TCopyText { Clipboard, Drag };
    TGridRect CopyRange();
    bool CopiesRow(int ARow, bool Disjunct) const;
    void AppendCellCopyText(QString& Out, int ACol, int ARow, TCopyText Kind);
    // Appends a row of plain cells (stored text, no object, nothing to
    // convert) joined by tabs; false, with Out unchanged, for any other row.
    bool AppendPlainRow(QString& Out, int ARow, int ALeft, int ARight);
    QString SelectionText(const TGridRect& Range, bool Disjunct, TCopyText Kind = TCopyText::Clipboard);
    // How a text paste writes. The clipboard's paste: the writable-by-paste
    // rule on display columns, the grid grown once before any value, the
    // last copy's flag passed to ClipboardPasted. A drop: the real column
    // asked to OnCanEditCell and OnIsFixedCell only (whole rows land in the
    // fixed columns too), the grid grown line by line as the text reaches
    // past it, reported as a copy whatever the clipboard did last.
    struct TPasteRules {
        bool DropWritable = false;
        bool GrowLineByLine = false;
        bool ReportAsCopy = false;
    };
    struct TPasteResult {
        int Visited = 0;
        // The cells written (empty: none).
        TGridRect Written{-1, -1, -2, -2};
    };
    TPasteResult PasteTextWith(int ACol, int ARow, const QString& Text, const TPasteRules& Rules);
    void ClearCutCells(const TGridRect& Range, bool Disjunct);
    bool PasteCellStream(int ACol, int ARow, const QByteArray& Bytes);
    bool EditingAllowed() const;
    // The smart fill after a paste that visited Visited cells.
    void SmartFill(const TGridRect& Sel, int Visited);
    bool FillDateSeries(const TGridRect& Sel, const QString& First, const QString& Second);
    bool FillNumberSeries(const TGridRect& Sel, const QString& First, const QString& Second);
    void FillTextSeries(const TGridRect& Sel, int Visited);
    TPoint copyOrigin_{-1, -1};
    bool lastCopyWasCopy_ = false;

public:
    // =====================================================================
    // Sorting
    // =====================================================================
    TSortIndexList& SortIndexes() { return sortIndexes_; }
    // -1, 0 or 1: the two rows' cells of a column compared by the column's
    // sort style (OnGetFormat), with the blanks placed by IgnoreBlanks and
    // BlankPos.
    virtual int CompareCells(int ACol, int ARow1, int ARow2);
    // CompareCells; equal cells compare on the following columns when
    // SortSettings.Full.
    int CompareRows(int ACol, int ARow1, int ARow2);
    // CompareCells on the column of sort index AIndex (negated for a
    // descending one); ties go to the next index when SortSettings.Full.
    int CompareRowsIndexed(int AIndex, int ARow1, int ARow2);
    // Sorts the rows under each node separately.
    void SortRowGroups();
    // A click on the sort row's header cell of display column ACol, the
    // mouse checks done: toggles or sets the sort column (or the sort
    // indexes in indexed mode, Shift adding a key), sorts, times the sort
    // and raises OnClickSort. False when nothing was sorted.
    bool HeaderClickSort(int ACol, bool Shift);
    // How long the last header-click sort took, in milliseconds.
    std::int64_t SortTime() const { return sortTime_; }
    // Rows exchanged by sorting since the grid was made.
    int SortSwapCount() const { return sortSwaps_; }
    // The rows' first positions, following every exchange of rows; filled
    // with 0 .. RowCount - 1 by InitSortRowOrder.
    const TIntList& SortRowOrder() const { return rowState_.Order(); }
    void InitSortRowOrder();
    // The columns whose runs of equal cells merge; the first is the first
    // level.
    std::vector<int>& MergeColumns() { return mergeColumns_; }
    void MergeEqualCells();
    void SplitMergedCells();

private:
    // How a sort walks the rows: by one column, by the index list, or
    // within node groups.
    enum class SortKind { Column, Indexed, Groups };
    class SortFrame;
    class SortColumn;
    class SortOrder;
    void RunSort(SortKind Kind);
    // Partitions of the rows Lo..Hi before merging takes over.
    static int SortDepthLimit(int Lo, int Hi);
    // Reads a numeric cell by the numeric rule; false when it is no number.
    bool SortNumber(QString Text, TSortStyle Style, const QString& Prefix, const QString& Suffix,
                    double& Value) const;
    bool SortCheckState(int ACol, int ARow);
    std::vector<int> mergeColumns_;
    std::int64_t sortTime_ = 0;
    int sortSwaps_ = 0;
    // While sorting: the remembered current row.
    int sortCurrentRow_ = -1;

public:
    // =====================================================================
    // Import
    // =====================================================================
    // The value separator of delimited files; the null character detects it
    // from each file's first two lines.
    QChar ValueSeparator;
    // Inside an imported value "~" stands for a line break (else a line
    // feed does).
    bool TildeLineBreaks = false;
    // Imported files include the fixed columns and rows (data from cell
    // 0, 0); when off, the data starts after them.
    bool IncludeFixedCells = true;
    // Replaces the grid's data with a delimited text file's lines (OemConvert
    // reads it in the DOS code page); throws EExtGridError "Cannot open file
    // <name>" and leaves the grid unchanged when it cannot be opened.
    void LoadFromCSV(const QString& FileName);
    // Replaces the grid's data with the used range of a workbook's active
    // sheet, read through the spreadsheet server; throws EExtGridError
    // "Excel OLE server not found" without one; the server's own errors
    // (a file it cannot read) pass through as ESpreadsheetError.
    void LoadFromXLS(const QString& FileName);

private:
    // Empties the cells from (FirstCol, FirstRow) to the grid's end.
    void ClearImportCells(int FirstCol, int FirstRow);
    // Runs an import's Read without repaints. With the floating footer
    // shown, its calculations go with the footer row to the grid's new last
    // row (back to the old one when Read fails), and that row's texts are
    // emptied for the calculations to fill again.
    void ReadKeepingFooter(const std::function<void()>& Read);

public:
    // =====================================================================
    // Drag and drop
    // =====================================================================
    // Registers (True) or revokes the grid's drop target (DragDropSettings'
    // OleDropTarget).
    void RegisterDropTarget(bool Register) override;
    bool DropTargetRegistered() const { return dropTargetRegistered_; }
    // Gives the drop target the formats DragDropSettings accepts (text,
    // files, columns); registering does it too.
    void ApplyDropFormats();
    TGridDropTarget* DropTarget() const { return dropTarget_.get(); }
    // Whether the mouse moved far enough from a press to start a drag.
    static bool DragDistanceReached(QPoint Press, QPoint Now);
    // The start step of a drag from a left press at Press (client point of
    // the cell area) on a selected cell, once the mouse moved far enough:
    // a column drag from a header with OleColumnDragDrop, else a text drag
    // of the selection. False when no drag ran (OleDropSource off, no cell,
    // OnOleDrag refused): the mouse then goes on selecting.
    bool StartOleDrag(QPoint Press);
    // The text a drag of the selection carries.
    QString SelectionDragText();
    // The button that follows the mouse during a column drag.
    TPopupButton* HeaderButton() const { return headerButton_; }
    // What the drop target does on the grid; a drop returns false when it
    // was refused or left the grid as it was.
    void OleDragOver(QPoint Point, bool& Accept, int Formats);
    bool OleDropText(QPoint Point, const QString& Text);
    bool OleDropRTF(QPoint Point, const QString& Text);
    bool OleDropFiles(const QStringList& Files);
    void OleDropColumn(QPoint Point, int Column);
    void HideDropArrows();
    // The header button's place while a column drag runs.
    void FollowColumnDrag(QPoint ScreenPoint);

private:
    // The arrows: up and down for a column drop, the row arrow for text.
    enum { ArrowUp = 0, ArrowDown = 1, ArrowRow = 2 };
    // Where the source cells of this grid's text drag now are: their rows
    // (ascending) and the columns of the dragged rectangle.
    struct TDraggedCells {
        std::vector<int> Rows;
        int Left = 0;
        int Right = 0;
        // The block the drop wrote into this grid (empty: none).
        TGridRect Dropped{-1, -1, -2, -2};
        bool DroppedHere = false;
    };
    void StartColumnDrag(int ACol, QPoint Press);
    void StartTextDrag(int ACol, int ARow);
    void RemoveDraggedCells(const TDraggedCells& Cells);
    std::vector<int> SelectedDragRows() const;
    // Whether a drop may write the cell (real column).
    bool CellWritableByDrop(int ACol, int ARow);
    void ShowArrow(int Direction, QPoint ClientPoint);

    std::unique_ptr<TGridDropTarget> dropTarget_;
    bool dropTargetRegistered_ = false;
    // The source cells while this grid's text drag runs.
    std::unique_ptr<TDraggedCells> dragged_;
    // A column drag runs from this grid.
    bool columnDragging_ = false;
    TPopupButton* headerButton_ = nullptr;

public:
    // =====================================================================
    // Mouse
    // =====================================================================
    // The grid's own pointer states under the mouse: whole columns from
    // the fixed row, whole rows from the fixed column, every cell from the
    // fixed top-left cell, and the fill handle at the selection's corner.
    enum TPointerState { psNone = 0, psColSelect = 1, psRowSelect = 2, psAllSelect = 3, psFillHandle = 5 };
    TPointerState PointerState() const { return pointerState_; }
    void ClearPointerState();
    // The cursor resource of a pointer state's cursor (8010 to 8012).
    static QCursor GridCursor(int ResourceId);
    void MouseMove(TShiftState Shift, int X, int Y) override;
    // Whether the mouse at (X, Y) sizes a column or a row: the string
    // grid's answer, the fixed column's right edge with SizeFixedCol, and
    // OnColumnSize / OnRowSize may refuse.
    void CalcSizingState(int X, int Y, TGridState& State, int& Index) override;
    // Sizes one row to its highest cell; all rows (from the first normal
    // one unless DoFixedRows), each with Padding added.
    void AutoSizeRow(int ARow);
    void AutoSizeRows(bool DoFixedRows, int Padding);

protected:
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    bool BeginColumnDrag(int Origin, QPoint MousePt) override;
    bool BeginRowDrag(int Origin, QPoint MousePt) override;
    // A click remembers the current cell's text for the edit commit.
    void Click() override;

private:
    TPointerState PointerStateAt(int X, int Y);
    bool FillHandleAt(QPoint P) const;
    bool TakeLeftPress(QMouseEvent* Event);
    // A press on a node's button opens or closes the node; on a cell
    // button, holds it down until the release. True when taken.
    bool PressNodeButton(TPoint At, QPoint P);
    bool PressCellButton(TPoint At, QPoint P);
    // The release of a held cell button: OnButtonClick when over it still.
    void ReleaseCellButton(QPoint P);
    TPoint heldCellButton_{-1, -1};
    void ExtendPointerSelection(QPoint P);
    void FillFromHandle();
    // Check boxes and radio buttons in cells are operated, by mouse or
    // Space, only where the grid could be edited.
    bool CellControlsOperable() const;
    void ClickCellControl(TPoint At, QPoint P);
    int RadioItemAt(int ACol, int ARow, QPoint P);
    void RightClickCell(TPoint At);
    void ShowMoveMarks(QPoint P);
    void HideMoveMarks();
    void ShowSizingHint(QPoint P);
    void ApplyPointerCursor();
    bool HeaderEdgeColumn(QPoint P, int& ACol);
    bool SortsOnRelease(QPoint P, TPoint At);
    void ReleaseDisjunctCell(TPoint At, bool Ctrl);
    int RowContentHeight(int ARow);

    TPointerState pointerState_ = psNone;
    TPointerState pressState_ = psNone;
    // The left press: where, on which cell, and whether its button is held.
    QPoint pressPoint_;
    TPoint pressCell_{-1, -1};
    bool leftHeld_ = false;
    // The selection when the fill handle was pressed.
    TGridRect fillOrigin_;
    // A press on the selection armed a drag; Held: the press left the
    // selection as it was.
    bool dragArmed_ = false;
    bool dragHeldSelection_ = false;
    // Where the mouse took the moved header cell.
    QPoint moveOffset_;
    bool sizingHintShown_ = false;
    bool pointerCursorShown_ = false;

public:
    // =====================================================================
    // Keyboard and focus
    // =====================================================================
    // The grid's keys: Space on cell controls, Home and End by row, Tab over
    // merged cells and past the fixed right columns, the clipboard keys,
    // Insert and Delete of rows, disjunct row keys and Ctrl+A around the
    // string grid's own navigation. OnKeyDown sees every key first.
    void KeyDown(int& Key, TShiftState Shift) override;
    // Typed characters: Enter advancing, typing that opens the editor,
    // characters swallowed on cell controls, the sorted-column lookup.
    void KeyPress(char& Key) override;
    // Navigation keys end the sorted-column lookup; with AlwaysEdit the
    // editor opens again on the cell reached.
    void KeyUp(int& Key, TShiftState Shift) override;
    // Entering the grid selects the current cell again and remembers its text.
    void DoEnter() override;
    bool FilterKeyPress(QKeyEvent* event) override;

protected:
    void focusInEvent(QFocusEvent* Event) override;

private:
    // What KeyDown keeps from before the string grid moved the cursor.
    struct TKeyStart {
        int Key;
        int Col;
        int LeftCol;
        TGridRect Selection;
    };
    bool KeyReplacesGrid(int& Key, TShiftState Shift);
    void KeyAfterGrid(int& Key, TShiftState Shift, const TKeyStart& Start);
    bool SpaceOnCellControl(int& Key);
    void GoToFirstOrLastRow(bool Last, TShiftState Shift);
    void TabToCell(bool Back, TShiftState Shift);
    bool ClipboardShortCut(int Key, TShiftState Shift);
    void InsertRowAtKey();
    void DeleteRowAtKey();
    void DisjunctRowKey(int& Key, int Original, TShiftState Shift);
    void SelectAllDataCells();
    void SelectionChanged(const TGridRect& Old);
    // Repaints the span of the old and the current selection when they differ.
    void RepaintSelectionSpan(const TGridRect& Old);
    // A character typed on a cell of a range-select-and-edit grid starts
    // editing it; true when the editor opened.
    bool StartRangeEdit(char& Key);
    // A plain character stays the grid's: no shortcut of the window takes
    // it; Alt and a letter still reach the window's accelerators.
    bool DialogChar(QKeyEvent* Event);
    // An editor of the grid's own shows over the cells.
    bool OwnEditorShowing() const;

public:
    // =====================================================================
    // Window procedure
    // =====================================================================
    // The grid's message handling ahead of the string grid's; true when it
    // took the event.
    virtual bool WndProc(QEvent* Message);
    // Timer 111's tick: hover, blinking, footer.
    virtual void TimerTick();
    // The owner form was resized (the form's own handler runs first).
    virtual void FormResize();
    // Zooms by Step: the cell fonts' size offset (ZoomFactor) stays within
    // -10 .. +10, a step that would leave it is ignored; every column width
    // and row height changes by Step where it stays positive.
    void Zoom(int Step);
    // Middle-button panning: whether it runs, where it started (cell-area
    // coordinates), the resource number of the direction cursor shown, and
    // the Qt id of its 10 ms timer (0 while it does not run).
    bool Panning() const { return panning_; }
    QPoint PanOrigin() const { return panOrigin_; }
    int PanCursor() const { return panCursor_; }
    int PanTimer() const { return panTimerId_; }
    static constexpr int kPanTimerInterval = 10;
    // The Qt id of the 500 ms housekeeping timer (0 while it does not run).
    int HousekeepingTimer() const { return timerId_; }
    // Whether blinking text shows now: it alternates with each tick while
    // EnableBlink is on, and stays shown while it is off.
    bool BlinkShown() const { return !EnableBlink || blinkPhase_; }

private:
    // Middle-button panning: starts, steps and ends it; true when the event
    // was taken.
    bool PanningEvent(QEvent* Event);
    // A left press on a mini-HTML cell: anchors and embedded controls; true
    // when the press was taken.
    bool HTMLMouseDown(TShiftState Shift, int X, int Y);
    // The mouse over URL cells and anchors (hand cursor, anchor enter and
    // exit) and the cell hint cancelled on entering another cell.
    void AnchorMouseMove(TShiftState Shift, int X, int Y);
    // The tool-tip request: the cell hint in the HTML hint window.
    bool CellHintEvent(QHelpEvent* Event);

    // ---------------------------------------------------------------------
    // Mini-HTML cells under the mouse, links and cell hints
    // (grid/extgrid_html.cpp, grid/extgrid_hints.cpp)
    // ---------------------------------------------------------------------
    // Releases a pressed form button (mouse release, focus lost) and hides
    // the hint when the mouse leaves or a key or button is pressed; never
    // takes the event.
    void HTMLWindowEvent(QEvent* Message);
    // Where a painted mini-HTML cell put its text, and in which font: the
    // mouse hit-tests the cell as it was drawn. Kept per cell (real column,
    // row) for the cells in view.
    struct THTMLCellLayout {
        TRect CellRect;
        TRect TextRect;
        TFont Font;
        bool Selected = false;
    };
    void RememberHTMLLayout(int ADisplayCol, int ACol, int ARow, const TRect& TextRect, const TFont& Font,
                            bool Selected);
    // What lies under client point (X, Y) of a mini-HTML cell: false when
    // no such cell is there or nothing of its markup is under the point.
    // ACol is the real column of the cell's base.
    bool HTMLHitTest(int X, int Y, int& ACol, int& ARow, THTMLDrawOutput& Out);
    // The cell (real column) whose text is a URL shown as a link, under
    // client point (X, Y).
    bool URLCellAt(int X, int Y, int& ACol, int& ARow);
    void AnchorClick(int ACol, int ARow, const QString& Anchor);
    void MoveToCellAnchor(const QString& Anchor);
    void ControlClick(int ACol, int ARow, const THTMLDrawOutput& Hit, QPoint At);
    // The form's edit or combo placed over a control of a cell, and its
    // end: the value written back into the cell's control.
    void StartControlEdit(int ACol, int ARow, const THTMLDrawOutput& Hit);
    void EndControlEdit();
    void ReleaseHTMLButton();
    // The anchor under the mouse changed: exit the old one, enter the new.
    void ChangeHoverAnchor(int ACol, int ARow, const QString& Anchor, int Link = -1);
    void ShowLinkCursor(bool Show);
    void CancelCellHint();
    // A cell's text as its hint shows it (plain text escaped for the
    // mini-HTML hint window), and whether it is wider than the cell.
    QString CellHintText(int ACol, int ARow);
    bool TextWiderThanCell(int ACol, int ARow, const TRect& CellBounds);

    std::map<std::pair<int, int>, THTMLCellLayout> htmlLayouts_;
    // The form button shown pressed: its cell (real column) and the client
    // point it was pressed at; column -1 when none.
    TPoint htmlPressedCell_{-1, -1};
    QPoint htmlPressedAt_;
    // The control whose edit or combo is open (column -1: none).
    struct THTMLControlEdit {
        int Col = -1;
        int Row = -1;
        QString ID;
        QString Type;
    } htmlControlEdit_;
    // The anchor under the mouse, with its cell; whether the grid shows
    // the link cursor; the cell the shown hint belongs to.
    QString hoverAnchor_;
    TPoint hoverAnchorCell_{-1, -1};
    int hoverLink_ = -1; // its number in the cell's markup, from 1
    bool linkCursorShown_ = false;
    TPoint hintCell_{-1, -1};
    // Panning, the wheel and the housekeeping timer.
    void StartPanning(QPoint At);
    void EndPanning();
    void PanStep();
    void DrawPanMark();
    QRect PanMarkRect() const;
    bool WheelStep(QWheelEvent* Event);
    void WheelRows(int Lines);
    void HoverStep();
    void BlinkStep();
    // The cells panning and the wheel keep the current cell in: the data
    // cells between the fixed columns (rows) and the right fixed columns
    // (footer rows).
    int FirstDataCol() const { return FixedCols(); }
    int LastDataCol() const { return ColCount() - FixedRightCols() - 1; }
    int FirstDataRow() const { return FixedRows(); }
    int LastDataRow() const { return RowCount() - FixedFooters() - 1; }
    bool panning_ = false;
    QPoint panOrigin_;
    int panTimerId_ = 0;
    int panCursor_ = 0;
    // The cell area's cursor before panning, and whether it had one of its
    // own.
    QCursor panSavedCursor_;
    bool panSavedOwnCursor_ = false;
    // The release of a press or key that started or ended panning goes
    // nowhere.
    bool panSwallowRelease_ = false;
    int panSwallowedKey_ = 0;
    // The mouse buttons held on the grid since the last press or release.
    Qt::MouseButtons heldButtons_;
    // Wheel turns smaller than a notch, kept until they make one.
    int wheelRemainder_ = 0;
    bool blinkPhase_ = true;
    // The client width before the last resize (SynchWithGrid).
    int prevClientWidth_ = 0;

private:
    // Declared last, so that rows still hidden let go of their cell
    // objects while the rest of the grid is still there.
    THiddenRows hiddenRows_{[this](TStringGrid::TTakenRow& Row) { DropRow(Row); }};
};
