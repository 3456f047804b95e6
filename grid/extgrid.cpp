// The grid control: creation, properties and their change effects, the
// cell-value helpers, stored column widths, stretching and the grid's
// geometry helpers.
#include "grid/extgrid.h"

#include "grid/columnwidths.h"
#include "grid/esgcheck.h"
#include "grid/extutil.h"
#include "grid/picturecontainer.h"
#include "platform/application.h"
#include "platform/flatscrollbar.h"
#include "platform/formatting.h"
#include "platform/localesettings.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// A float written with the grid's FloatFormat, as the class library's
// Format writes one: text around one %f, %n, %e or %g conversion (with an
// optional "-", width and precision) and "%%"; the locale's separators. A
// format with any other conversion, or none, is refused rather than handed
// to a C formatter with an argument it does not expect.
QString FormatFloatValue(const QString& Format, double Value)
{
    const TLocaleSettings& locale = LocaleSettings();
    const auto invalid = [&] {
        return EExtGridError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Format));
    };
    QString out;
    bool converted = false;
    for (int i = 0; i < Format.size(); ++i) {
        if (Format[i] != QLatin1Char('%')) {
            out += Format[i];
            continue;
        }
        if (++i >= Format.size())
            throw invalid();
        if (Format[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            continue;
        }
        const bool left = Format[i] == QLatin1Char('-');
        if (left)
            ++i;
        int width = 0;
        for (; i < Format.size() && Format[i].isDigit(); ++i)
            width = std::min(width * 10 + Format[i].digitValue(), 1000);
        int precision = -1;
        if (i < Format.size() && Format[i] == QLatin1Char('.')) {
            precision = 0;
            for (++i; i < Format.size() && Format[i].isDigit(); ++i)
                precision = std::min(precision * 10 + Format[i].digitValue(), 100);
        }
        if (i >= Format.size() || converted)
            throw invalid();
        const char kind = Format[i].toLower().toLatin1();
        QString number;
        switch (kind) {
        case 'f':
        case 'n': {
            number = QString::number(Value, 'f', precision < 0 ? 2 : precision);
            const int dot = number.indexOf(QLatin1Char('.'));
            if (kind == 'n') {
                int digitsEnd = dot < 0 ? number.size() : dot;
                const int first = number.startsWith(QLatin1Char('-')) ? 1 : 0;
                for (int pos = digitsEnd - 3; pos > first; pos -= 3)
                    number.insert(pos, QChar(0xE000)); // placeholder, replaced below
            }
            break;
        }
        case 'e': {
            // d.ddd...E+ddd: precision digits in all (15 by default).
            const int digits = precision < 0 ? 15 : std::max(precision, 1);
            number = QString::number(Value, 'E', digits - 1);
            const int e = number.indexOf(QLatin1Char('E'));
            QString exponent = number.mid(e + 2);
            number = number.left(e + 2) + exponent.rightJustified(3, QLatin1Char('0'));
            break;
        }
        case 'g':
            number = QString::number(Value, 'G', precision < 0 ? 15 : std::max(precision, 1));
            break;
        default:
            throw invalid();
        }
        number.replace(QLatin1Char('.'), locale.DecimalSeparator);
        number.replace(QChar(0xE000), locale.ThousandSeparator);
        if (number.size() < width)
            number = left ? number.leftJustified(width) : number.rightJustified(width);
        out += number;
        converted = true;
    }
    if (!converted)
        throw invalid();
    return out;
}

// A date (days since 30 December 1899) in the locale's short date form.
QString ShortDateText(TDateTime Value)
{
    return LocaleDateText(QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(Value))));
}

} // namespace

// ---- creation

TExtStringGrid::TExtStringGrid(QWidget* AOwner) : TBaseGrid(AOwner)
{
    // The owned objects, in the order the grid has always made them.
    footerPanel_ = new TFooterPanel(this);
    floatingFooter_ = std::make_unique<TFloatingFooter>(this);
    printSettings_ = std::make_unique<TPrintSettings>(this);
    htmlSettings_ = std::make_unique<THTMLSettings>(this);
    sortSettings_ = std::make_unique<TSortSettings>(this);
    dragDropSettings_ = std::make_unique<TDragDropSettings>(this);
    controlLook_ = std::make_unique<TControlLook>(this);
    navigation_ = std::make_unique<TNavigation>(this);
    columnSize_ = std::make_unique<TColumnSize>(this);
    cellNode_ = std::make_unique<TCellNode>(this);
    bands_ = std::make_unique<TBands>(this);
    sizeWhileTyping_ = std::make_unique<TSizeWhileTyping>(this);
    mouseActions_ = std::make_unique<TMouseActions>(this);
    pictureCache_ = std::make_unique<THTMLPictureCache>();
    backGround_ = std::make_unique<TBackGround>(this);
    hintWindow_ = std::make_unique<THTMLHintWindow>(this);
    hintWindow_->hide();
    filter_ = std::make_unique<TFilter>(this);
    // The hidden control that measures and paints rich-text cells, and the
    // rich-text in-place editor, hidden and disabled until an edit.
    hiddenRichEdit_ = std::make_unique<TExtRichEdit>(this, this, reMeasure);
    hiddenRichEdit_->hide();
    inplaceRichEdit_ = std::make_unique<TExtRichEdit>(this, this, reInplace);
    inplaceRichEdit_->hide();
    inplaceRichEdit_->setEnabled(false);
    connect(inplaceRichEdit_.get(), &QTextEdit::selectionChanged, this, [this] {
        if (OnRichEditSelectionChange)
            OnRichEditSelectionChange();
    });
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

    // The marks shown while a column or row is moved.
    for (int direction = 0; direction < 4; ++direction)
        arrows_[direction] = new TArrowWindow(this, direction);
    // The in-place editors live as long as the grid, hidden until an edit.
    CreateInplaceEditors();

    if (AOwner)
        HookOwnerForm();
}

TExtStringGrid::~TExtStringGrid()
{
    UnhookOwnerForm();
    if (columnSize_->Save) {
        // A destructor cannot report a store that cannot be written: the
        // widths are simply not kept.
        try {
            SaveColumnSizes();
        } catch (const std::exception&) {
        }
    }
    HoverCell = {-1, -1};
    hintWindow_->hide();
    SetCursor(designCursor_);
    if (windowCreated_)
        DestroyWnd();
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
    // The application's cursor ends the grid's own pointer state.
    ClearPointerState();
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
    // Down to only the fixed rows: the selection is kept for when rows come
    // back.
    if (FixedRowAlways && Value <= FixedRows() && RowCount() > Value && !selectionSaved_) {
        savedSelection_ = Selection();
        selectionSaved_ = true;
    }
    const bool onlyFixed = RowCount() <= FixedRows();
    TBaseGrid::SetRowCount(Value);
    if (Value > 1 && FixedRowAlways)
        TBaseGrid::SetFixedRows(1);
    if (onlyFixed && FixedRowAlways && selectionSaved_ && Value > FixedRows()) {
        selectionSaved_ = false;
        if (savedSelection_.Bottom < Value && savedSelection_.Right < ColCount())
            SetSelection(savedSelection_);
    }
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
    footerHeight_ = Value;
    if (floatingFooter_->Visible())
        ShowFooterPanel(true);
    if (DesignMode())
        fixedRowHeight_ = Value;
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
    if (Value)
        AutoSizeColumns(false, 10);
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
    if (TInplaceEdit* editor = InplaceEditor())
        editor->SetMaxLength(Value);
}

void TExtStringGrid::SetGridImages(TImageList* Value)
{
    componentLinks_.Unlink(gridImages_);
    gridImages_ = Value;
    componentLinks_.Link(Value);
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
    componentLinks_.Unlink(pictureContainer_);
    pictureContainer_ = Value;
    componentLinks_.Link(Value);
    Invalidate();
}

void TExtStringGrid::SetCellChecker(TExtStringGridCheck* Value)
{
    componentLinks_.Unlink(cellChecker_);
    cellChecker_ = Value;
    componentLinks_.Link(Value);
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
    UpdateScrollBars();
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
    SetBounds(x(), y(), width(), height());
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

// ---- sub-objects

void TExtStringGrid::SetDragDropSettings(const TDragDropSettings& Value)
{
    dragDropSettings_->Assign(Value);
}

void TExtStringGrid::SetSortSettings(const TSortSettings& Value)
{
    sortSettings_->Assign(Value);
}

void TExtStringGrid::SetFloatingFooter(const TFloatingFooter& Value)
{
    floatingFooter_->Assign(Value);
}

void TExtStringGrid::SetControlLook(const TControlLook& Value)
{
    controlLook_->Assign(Value);
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
    bands_->Assign(Value);
}

void TExtStringGrid::SetBackGround(const TBackGround& Value)
{
    backGround_->Assign(Value);
    Invalidate();
}

void TExtStringGrid::SetFilter(const TFilter& Value)
{
    filter_->Assign(Value);
}

void TExtStringGrid::SetRowIndicator(const TBitmap& Value)
{
    rowIndicator_.Image = Value.Image;
    RepaintCell(0, Row());
}

void TExtStringGrid::SetColumnHeaders(const QStringList& Value)
{
    columnHeaders_ = Value;
    if (FixedRows() > 0)
        for (int c = 0; c < ColCount(); ++c)
            SetCells(c, 0, QString());
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

void TExtStringGrid::RepaintFooter()
{
    if (!footerShown_)
        return;
    ++footerRepaints_;
    viewport()->update(FooterPanelRect().ToQRect());
    if (footerPanel_)
        footerPanel_->update();
}

void TExtStringGrid::SetLastRowFooter(bool Value)
{
    FooterRowShown = Value;
    Invalidate();
}

void TExtStringGrid::ShowFooterPanel(bool Show)
{
    footerShown_ = Show;
    AlignFooterPanel();
    Invalidate();
}

TRect TExtStringGrid::FooterPanelRect() const
{
    // Along the bottom of the client area, a row high less one.
    if (!footerShown_)
        return {};
    const int h = std::max(footerHeight_ - 1, 0);
    return Rect(0, viewport()->height() - h, viewport()->width(), viewport()->height());
}

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
    QString text = Cells(ACol, ARow);
    if (text.isEmpty())
        text = QStringLiteral("0");
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        throw EExtGridError(QStringLiteral("Cell does not contain integer value"));
    }
}

void TExtStringGrid::SetCellInteger(int ACol, int ARow, int Value)
{
    SetCells(ACol, ARow, QString::number(Value));
}

bool TExtStringGrid::ReadCellFloat(int ACol, int ARow, double& Value) const
{
    const QString text = Cells(ACol, ARow).trimmed();
    // An empty cell reads 0; a text the clean-up leaves nothing of is no
    // number.
    const QString number = text.isEmpty() ? QStringLiteral("0") : CleanNumber(text);
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    Value = value;
    return true;
}

double TExtStringGrid::GetCellFloat(int ACol, int ARow) const
{
    double value = 0;
    if (!ReadCellFloat(ACol, ARow, value))
        throw EExtGridError(QStringLiteral("Cell does not contain a float value"));
    return value;
}

void TExtStringGrid::SetCellFloat(int ACol, int ARow, double Value)
{
    SetCells(ACol, ARow, FormatFloatValue(FloatFormat, Value));
}

void TExtStringGrid::SetCellDate(int ACol, int ARow, TDateTime Value)
{
    if (Value <= 0 && !ShowNullDates) {
        SetCells(ACol, ARow, QString());
        return;
    }
    SetCells(ACol, ARow, ShortDateText(Value));
}

// ---- column widths

void TExtStringGrid::SaveColumnSizes()
{
    if (DesignMode() || ColumnWidthsFile(*columnSize_).isEmpty())
        return;
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(ColCount()));
    for (int c = 0; c < ColCount(); ++c)
        widths.push_back(ColWidths(c));
    SaveColumnWidths(*columnSize_, widths);
}

void TExtStringGrid::LoadColumnSizes()
{
    if (DesignMode())
        return;
    const std::vector<int> widths = LoadColumnWidths(*columnSize_, ColCount(), DefaultColWidth());
    for (int c = 0; c < static_cast<int>(widths.size()) && c < ColCount(); ++c)
        if (widths[static_cast<std::size_t>(c)] != ColWidths(c))
            SetColWidths(c, widths[static_cast<std::size_t>(c)]);
}

// ---- stretching and auto-sizing

void TExtStringGrid::StretchColumn(int ACol)
{
    if (loading_)
        return;
    if (ACol == -1)
        ACol = ColCount() - 1;
    if (ACol < 0 || ACol >= ColCount())
        throw EExtGridError(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || !columnSize_->Stretch() || stretching_)
        return;
    {
        // A width handler that throws must not leave stretching off for good.
        const QScopedValueRollback<bool> guard(stretching_, true);
        const int client = viewport()->width();
        if (ColCount() == 1) {
            SetColWidths(ACol, client);
        } else {
            int others = 0;
            for (int c = 0; c < ColCount(); ++c)
                if (c != ACol)
                    others += ColWidths(c);
            SetColWidths(ACol, others < client ? client - others - 1 : DefaultColWidth());
        }
    }
    AlignFooterPanel();
}

void TExtStringGrid::StretchOnResize()
{
    if (!columnSize_->Stretch())
        return;
    Application->Guard([this] { StretchColumn(columnSize_->StretchColumn); });
}

int TExtStringGrid::CellContentExtent(int ACol, int ARow, Qt::Orientation Along)
{
    const bool wide = Along == Qt::Horizontal;
    int baseCol = ACol;
    int baseRow = ARow;
    if (!IsBaseCellAt(ACol, ARow, baseCol, baseRow) || (wide ? IsXMergedCell(ACol, ARow) : IsYMergedCell(ACol, ARow)))
        return 0;
    // The content measure holds the margin on both sides; the column (row)
    // adds it once.
    const QSize text = GetCellTextSize(ACol, ARow, !wide) - QSize(2 * XYOffsetX, 2 * XYOffsetY);
    const QSize graphic = GetCellGraphicSize(ACol, ARow);
    const TCellGraphic* g = GetCellGraphicObject(ACol, ARow);
    if (wide)
        return g && g->CellVAlign == vaFull ? graphic.width() : text.width() + graphic.width();
    return g && g->CellHAlign == haFull ? graphic.height() : text.height() + graphic.height();
}

int TExtStringGrid::ColumnContentWidth(int ACol, int FromRow)
{
    int widest = 0;
    for (int r = FromRow; r < RowCount(); ++r)
        widest = std::max(widest, CellContentExtent(ACol, r, Qt::Horizontal));
    return widest;
}

void TExtStringGrid::AutoSizeCol(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    int width = ColumnContentWidth(ACol, 0) + 2 * GridLineWidth() + XYOffsetX + 2;
    UpdateAutoColSize(ACol, width);
    if (width != ColWidths(ACol))
        SetColWidths(ACol, std::max(width, 0));
}

void TExtStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    for (int c = DoFixedCols ? 0 : FixedCols(); c < ColCount(); ++c) {
        int width = ColumnContentWidth(c, 0) + 2 * GridLineWidth() + XYOffsetX + 2 + Padding;
        UpdateAutoColSize(c, width);
        SetColWidths(c, std::max(width, 0));
    }
}

// ---- geometry

void TExtStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int rowHeight = DefaultRowHeight();
    if (integralHeight_ && updateCount_ == 0 && rowHeight > 0) {
        const int rest = AHeight % rowHeight;
        if (VisibleColCount() + FixedCols() < ColCount())
            AHeight -= rest + 1;
        else
            AHeight = AHeight + rowHeight - rest - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 1;
    }
    TControl::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, 0));
    if (parentWidget())
        Invalidate();
}

void TExtStringGrid::RepaintCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return;
    TBaseGrid::RepaintCell(ACol, ARow);
}

void TExtStringGrid::RepaintRect(const TRect& R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0)
        return;
    const TRect first = CellRect(R.Left, R.Top);
    const TRect last = CellRect(std::min(R.Right, ColCount() - 1), std::min(R.Bottom, RowCount() - 1));
    if (first.IsEmpty() || last.IsEmpty()) {
        Invalidate();
        return;
    }
    viewport()->update(first.ToQRect().united(last.ToQRect()));
}

void TExtStringGrid::CellAtScreenPoint(QPoint P, int& ACol, int& ARow) const
{
    const QPoint client = viewport()->mapFromGlobal(P);
    MouseToCell(client.x(), client.y(), ACol, ARow);
}

bool TExtStringGrid::IsOnGridLine(int X, int Y) const
{
    int col = -1;
    int row = -1;
    if (!MouseToCell(X, Y, col, row))
        return false;
    const TRect r = CellRect(col, row);
    if ((Options() & goColSizing) && row <= FixedRows() && (std::abs(X - r.Left) < 4 || std::abs(X - r.Right) < 4))
        return true;
    return (Options() & goRowSizing) && col <= FixedCols()
           && (std::abs(Y - r.Top) <= 3 || std::abs(Y - r.Bottom) <= 3);
}

void TExtStringGrid::Invalidate()
{
    if (skipRepaint_) {
        skipRepaint_ = false;
        return;
    }
    InvalidateGrid();
}

void TExtStringGrid::AlignFooterPanel()
{
    // The panel lies over the strip FooterPanelRect gives.
    if (footerPanel_) {
        footerPanel_->setGeometry(FooterPanelRect().ToQRect());
        footerPanel_->setVisible(footerShown_);
    }
    RepaintFooter();
}

void TExtStringGrid::ApplyScrollBars()
{
    if (scrollType_ == ssNormal && !scrollProportional_) {
        if (FlatSB_IsInitialized(this)) {
            UninitializeFlatSB(this);
            // The string grid's own rule for showing its bars returns.
            SetScrollBars(ScrollBars());
        }
        return;
    }
    InitializeFlatSB(this);
    const int mode = scrollType_ == ssFlat     ? FSB_FLAT_MODE
                     : scrollType_ == ssLumeno ? FSB_ENCARTA_MODE
                                               : FSB_REGULAR_MODE;
    FlatSB_SetScrollProp(this, WSB_PROP_VSTYLE, mode);
    FlatSB_SetScrollProp(this, WSB_PROP_HSTYLE, mode);
    if (scrollColor_ != clNone) {
        FlatSB_SetScrollProp(this, WSB_PROP_VBKGCOLOR, scrollColor_);
        FlatSB_SetScrollProp(this, WSB_PROP_HBKGCOLOR, scrollColor_);
    }
    FlatSB_SetScrollProp(this, WSB_PROP_CXVSCROLL, scrollWidth_);
    FlatSB_SetScrollProp(this, WSB_PROP_CYHSCROLL, scrollWidth_);
    // A bar shows only while not every row (column) fits.
    const TScrollStyle bars = ScrollBars();
    FlatSB_ShowScrollBar(this, SB_VERT,
                         (bars == ssVertical || bars == ssBoth) && VisibleRowCount() + FixedRows() < RowCount());
    FlatSB_ShowScrollBar(this, SB_HORZ,
                         (bars == ssHorizontal || bars == ssBoth) && VisibleColCount() + FixedCols() < ColCount());
}
