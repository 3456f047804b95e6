// The grid control: creation, properties and their change effects, the
// cell-value helpers, stored column widths, stretching and the grid's
// geometry helpers.
#include "grid/extgrid.h"

#include "grid/columnwidths.h"
#include "grid/extutil.h"
#include "grid/picturecontainer.h"
#include "platform/formatting.h"
#include "platform/localesettings.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

// ---- creation

TExtStringGrid::TExtStringGrid(QWidget* AOwner) : TBaseGrid(AOwner)
{
    // The owned objects, in the order the grid has always made them.
    printSettings_ = std::make_unique<TPrintSettings>(this);
    htmlSettings_ = std::make_unique<THTMLSettings>(this);
    navigation_ = std::make_unique<TNavigation>(this);
    columnSize_ = std::make_unique<TColumnSize>(this);
    cellNode_ = std::make_unique<TCellNode>(this);
    sizeWhileTyping_ = std::make_unique<TSizeWhileTyping>(this);
    mouseActions_ = std::make_unique<TMouseActions>(this);
    pictureCache_ = std::make_unique<THTMLPictureCache>();
    virtCheckBox_ = std::make_unique<TCellGraphic>();
    virtCheckBox_->CellType = ctVirtCheckBox;

    fixedFont_ = TFont::FromQFont(font());
    fixedFont_.Name = QStringLiteral("Tahoma");
    fixedFont_.Color = clWindowText;
    TFont gridFont = TFont::FromQFont(font());
    gridFont.Name = QStringLiteral("Tahoma");
    SetFont(gridFont);
    activeCellFont_ = TFont::FromQFont(font());
    activeCellFont_.Style = fsBold;

    ReadPlatformSettings();
    TBaseGrid::SetDefaultRowHeight(21);
    fixedRowHeight_ = 21;
    scrollWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent);

    if (AOwner)
        HookOwnerForm();
}

TExtStringGrid::~TExtStringGrid()
{
    UnhookOwnerForm();
    if (columnSize_->Save)
        SaveColumnSizes();
    if (timerId_)
        killTimer(timerId_);
    timerId_ = 0;
    HoverCell = {-1, -1};
    // Graphics live beside the cells' properties, which the base grid frees
    // after this destructor: free them first.
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            RemoveCellGraphic(c, r);
}

// ---- re-declared sizes

void TExtStringGrid::SetCursor(TCursor Value)
{
    cursor_ = Value;
    if (Value >= 0 && Value <= Qt::LastCursor)
        setCursor(static_cast<Qt::CursorShape>(Value));
    else if (Value == crHandPoint)
        setCursor(Qt::PointingHandCursor);
}

void TExtStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (Value > 1 && FixedColAlways)
        TBaseGrid::SetFixedCols(1);
    RepaintFooter();
    SetBounds(x(), y(), width(), height());
}

void TExtStringGrid::SetRowCount(int Value)
{
    // Back from only the fixed rows: the selection kept for that case
    // returns first.
    if (TBaseGrid::RowCount() <= TBaseGrid::FixedRows() && FixedRowAlways && selectionSaved_) {
        selectionSaved_ = false;
        TBaseGrid::SetRowCount(Value);
        if (savedSelection_.Bottom < Value && savedSelection_.Right < ColCount())
            SetSelection(savedSelection_);
    } else {
        TBaseGrid::SetRowCount(Value);
    }
    if (Value > 1 && FixedRowAlways)
        TBaseGrid::SetFixedRows(1);
    RepaintFooter();
}

int TExtStringGrid::FixedRows() const
{
    const int stored = TBaseGrid::FixedRows();
    return stored == 0 && FixedRowAlways ? 1 : stored;
}

void TExtStringGrid::SetFixedRows(int Value)
{
    TBaseGrid::SetFixedRows(Value);
}

int TExtStringGrid::FixedCols() const
{
    const int stored = TBaseGrid::FixedCols();
    return stored == 0 && FixedColAlways ? 1 : stored;
}

void TExtStringGrid::SetFixedCols(int Value)
{
    TBaseGrid::SetFixedCols(Value);
}

void TExtStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    RepaintFooter();
}

TFont TExtStringGrid::Font() const
{
    return TFont::FromQFont(font());
}

void TExtStringGrid::SetFont(const TFont& Value)
{
    setFont(Value.ToQFont(font()));
    Invalidate();
}

// ---- properties

void TExtStringGrid::SetActiveCellShow(bool Value)
{
    activeCellShow_ = Value;
    Invalidate();
}

void TExtStringGrid::SetActiveCellFont(const TFont& Value)
{
    activeCellFont_ = Value;
    Invalidate();
}

void TExtStringGrid::SetActiveCellColor(TColor Value)
{
    activeCellColor_ = Value;
    Invalidate();
}

void TExtStringGrid::SetAutoSize(bool Value)
{
    autoSize_ = Value;
}

void TExtStringGrid::SetVAlignment(TVAlignment Value)
{
    vAlignment_ = Value;
    Invalidate();
}

void TExtStringGrid::SetFlat(bool Value)
{
    flat_ = Value;
    if (!loading_)
        Invalidate();
}

void TExtStringGrid::SetLook(TGridLook Value)
{
    look_ = Value;
    Invalidate();
    RepaintFooter();
}

void TExtStringGrid::SetSelectionColor(TColor Value)
{
    selectionColor_ = Value;
    Invalidate();
}

void TExtStringGrid::SetSelectionTextColor(TColor Value)
{
    selectionTextColor_ = Value;
    Invalidate();
}

void TExtStringGrid::SetSelectionRectangle(bool Value)
{
    selectionRectangle_ = Value;
    Invalidate();
}

void TExtStringGrid::SetSelectionResizer(bool Value)
{
    selectionResizer_ = Value;
    Invalidate();
}

void TExtStringGrid::SetMaxEditLength(int Value)
{
    maxEditLength_ = Value;
}

void TExtStringGrid::SetGridImages(TImageList* Value)
{
    gridImages_ = Value;
    Invalidate();
}

void TExtStringGrid::SetURLColor(TColor Value)
{
    urlColor_ = Value;
    if (urlShow_)
        Invalidate();
}

void TExtStringGrid::SetURLShow(bool Value)
{
    urlShow_ = Value;
    Invalidate();
}

void TExtStringGrid::SetURLFull(bool Value)
{
    urlFull_ = Value;
    if (urlShow_)
        Invalidate();
}

void TExtStringGrid::SetPictureContainer(TPictureContainer* Value)
{
    pictureContainer_ = Value;
    Invalidate();
}

void TExtStringGrid::SetCellChecker(TExtStringGridCheck* Value)
{
    cellChecker_ = Value;
}

void TExtStringGrid::SetScrollType(TScrollType Value)
{
    scrollType_ = Value;
    ApplyScrollBars();
}

void TExtStringGrid::SetScrollColor(TColor Value)
{
    scrollColor_ = Value;
    ApplyScrollBars();
}

void TExtStringGrid::SetScrollWidth(int Value)
{
    scrollWidth_ = Value;
    ApplyScrollBars();
}

void TExtStringGrid::SetScrollProportional(bool Value)
{
    scrollProportional_ = Value;
    ApplyScrollBars();
}

void TExtStringGrid::SetFixedFooters(int Value)
{
    fixedFooters_ = Value;
    Invalidate();
}

void TExtStringGrid::SetFixedRightCols(int Value)
{
    fixedRightCols_ = Value;
    Invalidate();
}

int TExtStringGrid::FixedColWidth() const
{
    return ColWidths(0);
}

void TExtStringGrid::SetFixedColWidth(int Value)
{
    // Only the form designer sets it.
    if (!DesignMode() || Value == DefaultColWidth())
        return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c)
        SetColWidths(c, Value);
}

void TExtStringGrid::SetFixedRowHeight(int Value)
{
    fixedRowHeight_ = Value;
    if (!DesignMode())
        return;
    if (Value == DefaultRowHeight())
        TBaseGrid::SetDefaultRowHeight(Value);
    else
        for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
            SetRowHeights(r, Value);
}

void TExtStringGrid::SetIntegralHeight(bool Value)
{
    integralHeight_ = Value;
}

void TExtStringGrid::SetWordWrap(bool Value)
{
    wordWrap_ = Value;
    if (!loading_)
        Invalidate();
}

void TExtStringGrid::SetShowSelection(bool Value)
{
    showSelection_ = Value;
    Invalidate();
}

void TExtStringGrid::SetFilterActive(bool Value)
{
    filterActive_ = Value;
}

// ---- sub-objects

void TExtStringGrid::SetDragDropSettings(const TDragDropSettings& Value)
{
    (void)Value;
}

void TExtStringGrid::SetSortSettings(const TSortSettings& Value)
{
    (void)Value;
}

void TExtStringGrid::SetFloatingFooter(const TFloatingFooter& Value)
{
    (void)Value;
}

void TExtStringGrid::SetControlLook(const TControlLook& Value)
{
    (void)Value;
}

void TExtStringGrid::SetPrintSettings(const TPrintSettings& Value)
{
    printSettings_->Assign(Value);
}

void TExtStringGrid::SetHTMLSettings(const THTMLSettings& Value)
{
    htmlSettings_->Assign(Value);
}

void TExtStringGrid::SetNavigation(const TNavigation& Value)
{
    navigation_->Assign(Value);
}

void TExtStringGrid::SetColumnSize(const TColumnSize& Value)
{
    columnSize_->Assign(Value);
}

void TExtStringGrid::SetCellNode(const TCellNode& Value)
{
    cellNode_->Assign(Value);
}

void TExtStringGrid::SetSizeWhileTyping(const TSizeWhileTyping& Value)
{
    sizeWhileTyping_->Assign(Value);
}

void TExtStringGrid::SetMouseActions(const TMouseActions& Value)
{
    mouseActions_->Assign(Value);
}

void TExtStringGrid::SetBands(const TBands& Value)
{
    (void)Value;
}

void TExtStringGrid::SetBackGround(const TBackGround& Value)
{
    (void)Value;
    Invalidate();
}

void TExtStringGrid::SetFilter(const TFilter& Value)
{
    (void)Value;
}

void TExtStringGrid::SetRowIndicator(const TBitmap& Value)
{
    rowIndicator_.Image = Value.Image;
    RepaintCell(0, Row());
}

void TExtStringGrid::SetColumnHeaders(const QStringList& Value)
{
    columnHeaders_ = Value;
    ApplyColumnHeaders();
}

void TExtStringGrid::SetRowHeaders(const QStringList& Value)
{
    rowHeaders_ = Value;
    ApplyRowHeaders();
}

void TExtStringGrid::SetLookupItems(const QStringList& Value)
{
    lookupItems_ = Value;
}

void TExtStringGrid::SetFixedFont(const TFont& Value)
{
    fixedFont_ = Value;
    Invalidate();
}

TArrowWindow* TExtStringGrid::ArrowWindow(int Direction) const
{
    return Direction >= 0 && Direction < 4 ? arrows_[Direction].data() : nullptr;
}

void TExtStringGrid::ApplyColumnHeaders()
{
    ColumnHeadersChanged();
    if (FixedRows() < 1)
        return;
    for (int i = 0; i < columnHeaders_.size() && i < ColCount(); ++i)
        SetCells(i, 0, BackslashNToCR(columnHeaders_[i]));
}

void TExtStringGrid::ApplyRowHeaders()
{
    if (FixedCols() < 1)
        return;
    for (int i = 0; i < rowHeaders_.size() && i < RowCount(); ++i)
        SetCells(0, i, BackslashNToCR(rowHeaders_[i]));
}

void TExtStringGrid::ColumnHeadersChanged() {}

void TExtStringGrid::RepaintFooter() {}

void TExtStringGrid::BeginUpdate()
{
    ++updateCount_;
}

void TExtStringGrid::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Invalidate();
}

// ---- version

std::uint32_t TExtStringGrid::GetVersionNr()
{
    return (2u << 24) | (3u << 16) | (0u << 8) | 8u;
}

QString TExtStringGrid::GetVersionString()
{
    const std::uint32_t v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Sept, 2002")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

// ---- cell-value helpers

int TExtStringGrid::GetCellInteger(int ACol, int ARow) const
{
    (void)ACol, (void)ARow;
    return 0;
}

void TExtStringGrid::SetCellInteger(int ACol, int ARow, int Value)
{
    SetCells(ACol, ARow, QString::number(Value));
}

double TExtStringGrid::GetCellFloat(int ACol, int ARow) const
{
    (void)ACol, (void)ARow;
    return 0;
}

void TExtStringGrid::SetCellFloat(int ACol, int ARow, double Value)
{
    (void)ACol, (void)ARow, (void)Value;
}

void TExtStringGrid::SetCellDate(int ACol, int ARow, TDateTime Value)
{
    (void)ACol, (void)ARow, (void)Value;
}

// ---- column widths, stretching, geometry

void TExtStringGrid::SaveColumnSizes() {}

void TExtStringGrid::LoadColumnSizes() {}

void TExtStringGrid::StretchColumn(int ACol)
{
    (void)ACol;
}

void TExtStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TExtStringGrid::RepaintCell(int ACol, int ARow)
{
    TBaseGrid::RepaintCell(ACol, ARow);
}

void TExtStringGrid::RepaintRect(const TRect& R)
{
    (void)R;
    Invalidate();
}

void TExtStringGrid::CellAtScreenPoint(QPoint P, int& ACol, int& ARow) const
{
    const QPoint client = viewport()->mapFromGlobal(P);
    MouseToCell(client.x(), client.y(), ACol, ARow);
}

bool TExtStringGrid::IsOnGridLine(int X, int Y) const
{
    (void)X, (void)Y;
    return false;
}

void TExtStringGrid::Invalidate()
{
    if (skipRepaint_) {
        skipRepaint_ = false;
        return;
    }
    InvalidateGrid();
}

void TExtStringGrid::ApplyScrollBars() {}
