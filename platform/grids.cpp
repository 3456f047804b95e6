#include "platform/grids.h"

#include "platform/application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

// How close to a line the mouse must be to size a column or row.
const int kSizingMargin = 3;

// The size of a column or row, checked.
template <typename Sizes>
auto& SizeAt(Sizes& sizes, int index)
{
    if (index < 0 || index >= static_cast<int>(sizes.size()))
        throw EInvalidGridOperation();
    return sizes[static_cast<size_t>(index)];
}

// Moves the items from..from+count-1 of a list of columns' or rows' things
// so that the first of them ends at index to: one rotation of the stretch
// between, whatever the count.
template <typename T>
void MoveRange(std::vector<T>& items, int from, int count, int to)
{
    const auto first = items.begin();
    if (to < from)
        std::rotate(first + to, first + from, first + from + count);
    else
        std::rotate(first + from, first + from + count, first + to + count);
}

// Where an index ends up when the items from..from+count-1 move to to.
void FollowMove(int& index, int from, int count, int to)
{
    if (index >= from && index < from + count)
        index += to - from;
    else if (from < to && index >= from + count && index < to + count)
        index -= count;
    else if (to < from && index >= to && index < from)
        index += count;
}

// Where an index ends up when count items are inserted at at.
void FollowInsert(int& index, int at, int count)
{
    if (index >= at)
        index += count;
}

// Where an index ends up when the items at..at+count-1 are deleted: those
// after move up, those deleted go to the first one after.
void FollowDelete(int& index, int at, int count)
{
    if (index >= at + count)
        index -= count;
    else if (index >= at)
        index = at;
}

} // namespace

// ---------------------------------------------------------------- TInplaceEdit

TInplaceEdit::TInplaceEdit(TStringGrid* grid) : TMaskEdit(grid->viewport()), grid_(grid)
{
    setObjectName(QStringLiteral("InplaceEdit"));
    setFrame(false);
    hide();
}

void TInplaceEdit::UpdateContents()
{
    ++updating_;
    const int col = grid_->Col();
    const int row = grid_->Row();
    SetEditMask(QString());
    setText(QString());
    SetEditMask(grid_->GetEditMask(col, row));
    SetText(grid_->GetEditText(col, row));
    --updating_;
}

void TInplaceEdit::Change()
{
    TMaskEdit::Change();
    if (!updating_)
        grid_->UpdateText();
}

void TInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    const bool forward = grid_->Options() & goAlwaysShowEditor;
    const bool ctrl = Shift & ssCtrl;
    const int length = static_cast<int>(text().size());
    const bool all = SelLength() > 0 && SelLength() == length;
    const int firstTyped = IsMasked() ? std::min(Mask().FirstEditable(), length) : 0;
    const bool leftSide = all || (SelLength() == 0 && SelStart() <= firstTyped);
    const bool rightSide = all || (SelLength() == 0 && SelStart() >= length);
    auto sendToGrid = [&] {
        grid_->KeyDown(Key, Shift);
        Key = 0;
    };
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: sendToGrid(); return;
    case VK_ESCAPE:
        // The grid cancels the edit; otherwise Esc belongs to the window.
        grid_->KeyDown(Key, Shift);
        return;
    case VK_INSERT:
        if (Shift == 0)
            sendToGrid();
        return;
    case VK_LEFT:
    case VK_HOME:
        if (forward && (ctrl || leftSide)) {
            sendToGrid();
            return;
        }
        break;
    case VK_RIGHT:
    case VK_END:
        if (forward && (ctrl || rightSide)) {
            sendToGrid();
            return;
        }
        break;
    case VK_F2:
        grid_->TControl::KeyDown(Key, Shift);
        if (Key == VK_F2) {
            SetSel(length, 0);
            Key = 0;
        }
        return;
    case VK_TAB:
        if ((grid_->Options() & goTabs) && !(Shift & ssAlt))
            sendToGrid();
        return;
    case VK_DELETE:
        if (ctrl) {
            sendToGrid();
            return;
        }
        break;
    default: break;
    }
    // Other keys: the grid's handler sees them, then the editor's.
    grid_->TControl::KeyDown(Key, Shift);
    if (Key != 0)
        TMaskEdit::KeyDown(Key, Shift);
}

bool TInplaceEdit::WantsTabs() const
{
    return grid_->WantsTabs();
}

bool TInplaceEdit::WantsEscape() const
{
    // Esc first gives the cell back the text it had when the editor opened.
    return grid_->ShowsEditor() && !(grid_->Options() & goAlwaysShowEditor);
}

void TInplaceEdit::KeyPress(char& Key)
{
    const TGridCoord cell = grid_->editorCell_;
    grid_->KeyPress(Key);
    // A key the grid's handler used to move to another cell is spent.
    if (!(grid_->editorCell_ == cell))
        Key = 0;
    switch (Key) {
    case '\t': Key = 0; break;
    case 27:
        // Not the editor's: the window's Cancel button answers it.
        return;
    case '\r':
        // Enter with the editor kept open: toggles between all and none
        // of the text selected.
        if (SelLength() > 0 && SelLength() == text().size())
            SetSel(static_cast<int>(text().size()), 0);
        else
            SelectAll();
        Key = 0;
        break;
    default: break;
    }
    if (Key != 0)
        TMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(int& Key, TShiftState Shift)
{
    grid_->KeyUp(Key, Shift);
    if (Key != 0)
        TMaskEdit::KeyUp(Key, Shift);
}

// ---------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent), TControl(this)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
    viewport()->setMouseTracking(true);
    setFrameShape(QFrame::StyledPanel);
    Resize(5, 5);
    UpdateScrollBars();
}

TStringGrid::~TStringGrid() = default;

// ---- cells

void TStringGrid::CheckCell(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        throw EInvalidGridOperation();
}

TStringGrid::Cell& TStringGrid::At(int ACol, int ARow)
{
    CheckCell(ACol, ARow);
    return cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)];
}

const TStringGrid::Cell& TStringGrid::At(int ACol, int ARow) const
{
    CheckCell(ACol, ARow);
    return cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)];
}

QString TStringGrid::GetCells(int ACol, int ARow) const
{
    return At(ACol, ARow).text;
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& value)
{
    Cell& cell = At(ACol, ARow);
    if (cell.text == value)
        return;
    cell.text = value;
    InvalidateCell(ACol, ARow);
    RefreshEditorAt(ACol, ARow);
}

const QString& TStringGrid::StoredText(int ACol, int ARow) const
{
    return At(ACol, ARow).text;
}

void TStringGrid::StoreText(int ACol, int ARow, const QString& value)
{
    At(ACol, ARow).text = value;
}

TObject* TStringGrid::Objects(int ACol, int ARow) const
{
    return At(ACol, ARow).object;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* object)
{
    At(ACol, ARow).object = object;
}

QStringList TStringGrid::Rows(int ARow) const
{
    QStringList values;
    for (int c = 0; c < ColCount(); ++c)
        values << Cells(c, ARow);
    return values;
}

void TStringGrid::SetRows(int ARow, const QStringList& values)
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, ARow, values.value(c));
}

QStringList TStringGrid::Cols(int ACol) const
{
    QStringList values;
    for (int r = 0; r < RowCount(); ++r)
        values << Cells(ACol, r);
    return values;
}

void TStringGrid::SetCols(int ACol, const QStringList& values)
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(ACol, r, values.value(r));
}

void TStringGrid::RefreshEditorAt(int ACol, int ARow)
{
    // The program wrote the cell being edited: the editor shows it anew.
    if (settingEditText_ || !editor_ || editorCell_ != TGridCoord{ACol, ARow})
        return;
    editor_->UpdateContents();
    editor_->SelectAll();
}

// ---- size

void TStringGrid::Resize(int cols, int rows)
{
    const int oldCols = static_cast<int>(colWidths_.size());
    const int oldRows = static_cast<int>(rowHeights_.size());
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    colWidths_.resize(static_cast<size_t>(cols), defaultColWidth_);
    tabStops_.resize(static_cast<size_t>(cols), true);
    rowHeights_.resize(static_cast<size_t>(rows), defaultRowHeight_);
    cells_.resize(static_cast<size_t>(rows));
    for (auto& row : cells_)
        row.resize(static_cast<size_t>(cols));
    fixedCols_ = std::min(fixedCols_, cols - 1);
    fixedRows_ = std::min(fixedRows_, rows - 1);
    auto clampCoord = [&](TGridCoord& p) {
        p.X = std::clamp(p.X, fixedCols_, cols - 1);
        p.Y = std::clamp(p.Y, fixedRows_, rows - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    clampCoord(topLeft_);
    if (oldCols != cols || oldRows != rows) {
        if (editorCell_.X >= cols || editorCell_.Y >= rows)
            editorCell_ = {-1, -1};
        Relayout();
        SizeChanged(oldCols, oldRows);
    }
}

void TStringGrid::SetColCount(int count)
{
    count = std::max(count, 1);
    if (count <= fixedCols_)
        fixedCols_ = count - 1;
    Resize(count, RowCount());
}

void TStringGrid::SetRowCount(int count)
{
    count = std::max(count, 1);
    if (count <= fixedRows_)
        fixedRows_ = count - 1;
    Resize(ColCount(), count);
}

void TStringGrid::SetFixedCols(int count)
{
    if (count < 0 || count >= ColCount())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    fixedCols_ = count;
    // As after any change of the fixed area: the first cell after it.
    topLeft_.X = current_.X = anchor_.X = fixedCols_;
    if (options_ & goRowSelect)
        anchor_.X = ColCount() - 1;
    Relayout();
}

void TStringGrid::SetFixedRows(int count)
{
    if (count < 0 || count >= RowCount())
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    fixedRows_ = count;
    topLeft_.Y = current_.Y = anchor_.Y = fixedRows_;
    Relayout();
}

void TStringGrid::SetDefaultColWidth(int width)
{
    defaultColWidth_ = std::max(width, 0);
    std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
    Relayout();
}

void TStringGrid::SetDefaultRowHeight(int height)
{
    defaultRowHeight_ = std::max(height, 0);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    Relayout();
}

int TStringGrid::ColWidths(int ACol) const
{
    return SizeAt(colWidths_, ACol);
}

void TStringGrid::SetColWidths(int ACol, int width)
{
    SizeAt(colWidths_, ACol) = std::max(width, 0);
    Relayout();
}

int TStringGrid::RowHeights(int ARow) const
{
    return SizeAt(rowHeights_, ARow);
}

void TStringGrid::SetRowHeights(int ARow, int height)
{
    SizeAt(rowHeights_, ARow) = std::max(height, 0);
    Relayout();
}

void TStringGrid::SetGridLineWidth(int width)
{
    gridLineWidth_ = std::max(width, 0);
    Relayout();
}

void TStringGrid::SetOptions(TGridOptions options)
{
    if (options & goRowSelect)
        options &= ~goAlwaysShowEditor;
    options_ = options;
    if (options_ & goRowSelect) {
        anchor_.X = ColCount() - 1;
        current_.X = fixedCols_;
    }
    const bool always = (options_ & goEditing) && (options_ & goAlwaysShowEditor);
    if (always)
        editorMode_ = true;
    else if (!(options_ & goEditing))
        editorMode_ = false;
    verticalScrollBar()->setTracking(options_ & goThumbTracking);
    horizontalScrollBar()->setTracking(options_ & goThumbTracking);
    Relayout();
}

void TStringGrid::SetScrollBars(TScrollStyle style)
{
    scrollBars_ = style;
    const bool vertical = style == ssVertical || style == ssBoth;
    const bool horizontal = style == ssHorizontal || style == ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
}

void TStringGrid::SetDefaultDrawing(bool on)
{
    defaultDrawing_ = on;
    viewport()->update();
}

void TStringGrid::SetColor(TColor color)
{
    color_ = color;
    viewport()->update();
}

void TStringGrid::SetFixedColor(TColor color)
{
    fixedColor_ = color;
    viewport()->update();
}

bool TStringGrid::TabStops(int ACol) const
{
    return ACol >= 0 && ACol < ColCount() && tabStops_[static_cast<size_t>(ACol)];
}

void TStringGrid::SetTabStops(int ACol, bool stop)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EInvalidGridOperation();
    tabStops_[static_cast<size_t>(ACol)] = stop;
}

// ---- geometry

int TStringGrid::ColLine() const
{
    return (options_ & (goFixedVertLine | goVertLine)) ? gridLineWidth_ : 0;
}

int TStringGrid::RowLine() const
{
    return (options_ & (goFixedHorzLine | goHorzLine)) ? gridLineWidth_ : 0;
}

TStringGrid::Axis TStringGrid::ColAxis() const
{
    return {colWidths_, fixedCols_, topLeft_.X, ColLine(), viewport()->width()};
}

TStringGrid::Axis TStringGrid::RowAxis() const
{
    return {rowHeights_, fixedRows_, topLeft_.Y, RowLine(), viewport()->height()};
}

int TStringGrid::FixedWidth() const
{
    const Axis cols = ColAxis();
    return cols.Extent(0, cols.fixed);
}

int TStringGrid::FixedHeight() const
{
    const Axis rows = RowAxis();
    return rows.Extent(0, rows.fixed);
}

int TStringGrid::ColLeft(int ACol) const
{
    return ColAxis().Start(ACol);
}

int TStringGrid::RowTop(int ARow) const
{
    return RowAxis().Start(ARow);
}

void TStringGrid::Relayout()
{
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

int TStringGrid::Axis::Extent(int from, int to) const
{
    int extent = 0;
    for (int i = from; i < to; ++i)
        extent += Size(i) + line;
    return extent;
}

int TStringGrid::Axis::Start(int index) const
{
    if (index < fixed)
        return Extent(0, index);
    if (index < first)
        return -1;
    return Extent(0, fixed) + Extent(first, index);
}

int TStringGrid::Axis::IndexAt(int pos) const
{
    int edge = 0;
    for (int i = 0; i < Count() && edge < space; ++i) {
        if (i >= fixed && i < first)
            continue;
        const int next = edge + Size(i) + line;
        if (pos >= edge && pos < next)
            return i;
        edge = next;
    }
    return -1;
}

int TStringGrid::Axis::VisibleCount() const
{
    int end = Extent(0, fixed);
    int count = 0;
    for (int i = first; i < Count(); ++i) {
        end += Size(i);
        if (end > space)
            break;
        end += line;
        ++count;
    }
    return std::max(count, Count() > fixed ? 1 : 0);
}

int TStringGrid::Axis::MaxFirst() const
{
    const int room = space - Extent(0, fixed);
    int used = 0;
    int last = Count() - 1;
    for (int i = Count() - 1; i >= fixed; --i) {
        used += Size(i) + (i == Count() - 1 ? 0 : line);
        if (used > room)
            break;
        last = i;
    }
    return std::max(last, fixed);
}

int TStringGrid::Axis::HitEdge(int pos, int margin) const
{
    for (int i = 0; i < Count(); ++i) {
        const int start = Start(i);
        if (start < 0)
            continue;
        if (std::abs(pos - (start + Size(i))) <= margin)
            return i;
        if (start > space)
            break;
    }
    return -1;
}

int TStringGrid::Axis::FirstShowing(int index) const
{
    if (index < first)
        return index;
    for (int top = first; top < index; ++top)
        if (Extent(0, fixed) + Extent(top, index) + Size(index) <= space)
            return top;
    return index;
}

TRect TStringGrid::CellRect(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return {};
    const int left = ColLeft(ACol);
    const int top = RowTop(ARow);
    if (left < 0 || top < 0 || left >= viewport()->width() || top >= viewport()->height())
        return {};
    return {left, top, left + colWidths_[static_cast<size_t>(ACol)], top + rowHeights_[static_cast<size_t>(ARow)]};
}

bool TStringGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
    return ACol >= 0 && ARow >= 0;
}

TGridCoord TStringGrid::MouseCoord(int X, int Y) const
{
    if (X < 0 || Y < 0)
        return {-1, -1};
    const TGridCoord cell{ColAxis().IndexAt(X), RowAxis().IndexAt(Y)};
    if (cell.X < 0 || cell.Y < 0)
        return {-1, -1};
    return cell;
}

int TStringGrid::VisibleColCount() const
{
    return ColAxis().VisibleCount();
}

int TStringGrid::VisibleRowCount() const
{
    return RowAxis().VisibleCount();
}

int TStringGrid::MaxTopRow() const
{
    return RowAxis().MaxFirst();
}

int TStringGrid::MaxLeftCol() const
{
    return ColAxis().MaxFirst();
}

// ---- current cell, selection, scrolling

void TStringGrid::SetCol(int ACol)
{
    if (ACol != current_.X)
        FocusCell(ACol, current_.Y, true);
}

void TStringGrid::SetRow(int ARow)
{
    if (ARow != current_.Y)
        FocusCell(current_.X, ARow, true);
}

void TStringGrid::FocusCell(int ACol, int ARow, bool moveAnchor)
{
    MoveCurrent(ACol, ARow, moveAnchor, true);
    UpdateEditor();
    Click();
}

void TStringGrid::MoveCurrent(int ACol, int ARow, bool moveAnchor, bool show)
{
    CheckCell(ACol, ARow);
    if (!SelectCell(ACol, ARow))
        return;
    current_ = {ACol, ARow};
    if (!(options_ & goAlwaysShowEditor))
        HideEditor();
    if (moveAnchor || !(options_ & goRangeSelect)) {
        anchor_ = current_;
        if (options_ & goRowSelect)
            anchor_.X = ColCount() - 1;
    }
    if (options_ & goRowSelect)
        current_.X = fixedCols_;
    if (show)
        ClampInView();
    viewport()->update();
}

TGridRect TStringGrid::Selection() const
{
    TGridRect sel{std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y), std::max(anchor_.X, current_.X),
                  std::max(anchor_.Y, current_.Y)};
    if (options_ & goRowSelect) {
        sel.Left = fixedCols_;
        sel.Right = ColCount() - 1;
    }
    return sel;
}

void TStringGrid::SetSelection(const TGridRect& selection)
{
    CheckCell(selection.Left, selection.Top);
    CheckCell(selection.Right, selection.Bottom);
    anchor_ = {selection.Left, selection.Top};
    current_ = {selection.Right, selection.Bottom};
    ClampInView();
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::SetTopRow(int ARow)
{
    MoveTopLeft(topLeft_.X, ARow);
}

void TStringGrid::SetLeftCol(int ACol)
{
    MoveTopLeft(ACol, topLeft_.Y);
}

void TStringGrid::MoveTopLeft(int ACol, int ARow)
{
    const TGridCoord next{std::clamp(ACol, fixedCols_, std::max(fixedCols_, ColCount() - 1)),
                          std::clamp(ARow, fixedRows_, std::max(fixedRows_, RowCount() - 1))};
    if (next == topLeft_)
        return;
    topLeft_ = next;
    Relayout();
    TopLeftChanged();
}

void TStringGrid::ClampInView()
{
    TGridCoord top = topLeft_;
    if (current_.Y >= fixedRows_)
        top.Y = RowAxis().FirstShowing(current_.Y);
    if (current_.X >= fixedCols_ && !(options_ & goRowSelect))
        top.X = ColAxis().FirstShowing(current_.X);
    MoveTopLeft(top.X, top.Y);
}

void TStringGrid::UpdateScrollBars()
{
    ++scrolling_;
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, MaxTopRow() - fixedRows_);
    v->setPageStep(std::max(VisibleRowCount(), 1));
    v->setValue(topLeft_.Y - fixedRows_);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, MaxLeftCol() - fixedCols_);
    h->setPageStep(std::max(VisibleColCount(), 1));
    h->setValue(topLeft_.X - fixedCols_);
    --scrolling_;
}

void TStringGrid::scrollContentsBy(int dx, int dy)
{
    (void)dx;
    (void)dy;
    if (scrolling_)
        return;
    MoveTopLeft(horizontalScrollBar()->value() + fixedCols_, verticalScrollBar()->value() + fixedRows_);
}

// ---- editor

bool TStringGrid::ShowsEditor() const
{
    return editor_ && editor_->isVisible();
}

bool TStringGrid::HasFocusWithin() const
{
    return hasFocus() || (editor_ && editor_->hasFocus());
}

bool TStringGrid::CanEditShow()
{
    return (options_ & (goRowSelect | goEditing)) == goEditing && editorMode_;
}

void TStringGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else if (!(options_ & goAlwaysShowEditor))
        HideEditor();
}

void TStringGrid::ShowEditor()
{
    if (!(options_ & goEditing) || (options_ & goRowSelect))
        return;
    editorMode_ = true;
    UpdateEditor();
}

void TStringGrid::HideEditor()
{
    editorMode_ = false;
    UpdateEditor();
}

void TStringGrid::UpdateEditor()
{
    // A grid not yet shown opens its editor when it shows, once the window
    // has set up its handlers and cells.
    if (!editorMode_ || !CanEditShow() || !isVisible()) {
        HideEditorWidget();
        editorCell_ = {-1, -1};
        return;
    }
    if (!editor_)
        editor_ = CreateEditor();
    if (!(editorCell_ == current_)) {
        editorCell_ = current_;
        editor_->UpdateContents();
        editor_->SelectAll();
        editOriginal_ = Cells(current_.X, current_.Y);
    }
    const TRect rect = CellRect(current_.X, current_.Y);
    if (rect.IsEmpty()) {
        HideEditorWidget();
        return;
    }
    editor_->setGeometry(rect.ToQRect());
    const bool focusInside = hasFocus();
    editor_->show();
    if (focusInside)
        editor_->setFocus(Qt::OtherFocusReason);
}

void TStringGrid::HideEditorWidget()
{
    if (!editor_ || !editor_->isVisible())
        return;
    // The focus goes back to the grid before the editor hides, so that it
    // does not move on to the next control.
    if (editor_->hasFocus()) {
        takingFocusBack_ = true;
        setFocus(Qt::OtherFocusReason);
        takingFocusBack_ = false;
    }
    editor_->hide();
}

void TStringGrid::UpdateText()
{
    if (!editor_ || editorCell_.X < 0)
        return;
    ++settingEditText_;
    Application->Guard([&] { SetEditText(editorCell_.X, editorCell_.Y, editor_->Text()); });
    --settingEditText_;
}

bool TStringGrid::ShowEditorChar(char c)
{
    ShowEditor();
    if (!ShowsEditor())
        return false;
    editor_->setFocus(Qt::OtherFocusReason);
    // The key reaches the editor as if typed there: its key handlers first.
    char key = c;
    editor_->KeyPress(key);
    if (key != 0 && ShowsEditor())
        editor_->TypeKey(CharToQChar(key));
    return true;
}

void TStringGrid::SendCancelEdit()
{
    // Esc: the cell gets back the text it had when the editor opened.
    const QString original = editOriginal_;
    ++settingEditText_;
    Application->Guard([&] { SetEditText(current_.X, current_.Y, original); });
    --settingEditText_;
    HideEditor();
}

TInplaceEdit* TStringGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    QString value = Cells(ACol, ARow);
    if (OnGetEditText)
        Application->Guard([&] { OnGetEditText(ACol, ARow, value); });
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    CheckCell(ACol, ARow);
    ++settingEditText_; // the editor already shows the text
    SetCells(ACol, ARow, Value);
    --settingEditText_;
    if (OnSetEditText)
        OnSetEditText(ACol, ARow, Value);
}

QString TStringGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (OnGetEditMask)
        Application->Guard([&] { OnGetEditMask(ACol, ARow, value); });
    return value;
}

// ---- virtual operations

bool TStringGrid::SelectCell(int ACol, int ARow)
{
    bool canSelect = true;
    if (OnSelectCell)
        Application->Guard([&] { OnSelectCell(ACol, ARow, canSelect); });
    return canSelect;
}

void TStringGrid::TopLeftChanged()
{
    Run(OnTopLeftChanged);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    (void)OldColCount;
    (void)OldRowCount;
}

void TStringGrid::Click()
{
    Run(OnClick);
}

bool TStringGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    (void)Shift;
    (void)MousePos;
    if (current_.Y < RowCount() - 1)
        SetRow(current_.Y + 1);
    return true;
}

bool TStringGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    (void)Shift;
    (void)MousePos;
    if (current_.Y > fixedRows_)
        SetRow(current_.Y - 1);
    return true;
}

void TStringGrid::MoveColumn(int fromIndex, int toIndex)
{
    MoveCols(fromIndex, 1, toIndex);
}

void TStringGrid::MoveRow(int fromIndex, int toIndex)
{
    MoveRows(fromIndex, 1, toIndex);
}

void TStringGrid::MoveCols(int FromIndex, int Count, int ToIndex)
{
    CheckRange(FromIndex, Count, ColCount());
    CheckRange(ToIndex, Count, ColCount());
    if (FromIndex == ToIndex || Count == 0)
        return;
    MoveRange(colWidths_, FromIndex, Count, ToIndex);
    MoveRange(tabStops_, FromIndex, Count, ToIndex);
    for (auto& row : cells_)
        MoveRange(row, FromIndex, Count, ToIndex);
    FollowMove(current_.X, FromIndex, Count, ToIndex);
    FollowMove(anchor_.X, FromIndex, Count, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    editorCell_ = {-1, -1};
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::MoveRows(int FromIndex, int Count, int ToIndex)
{
    CheckRange(FromIndex, Count, RowCount());
    CheckRange(ToIndex, Count, RowCount());
    if (FromIndex == ToIndex || Count == 0)
        return;
    MoveRange(rowHeights_, FromIndex, Count, ToIndex);
    MoveRange(cells_, FromIndex, Count, ToIndex);
    FollowMove(current_.Y, FromIndex, Count, ToIndex);
    FollowMove(anchor_.Y, FromIndex, Count, ToIndex);
    RowMoved(FromIndex, ToIndex);
    editorCell_ = {-1, -1};
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::InsertCols(int Index, int Count)
{
    CheckRange(Index, 0, ColCount());
    if (Count <= 0)
        return;
    const int oldCols = ColCount();
    const auto at = static_cast<std::ptrdiff_t>(Index);
    colWidths_.insert(colWidths_.begin() + at, static_cast<size_t>(Count), defaultColWidth_);
    tabStops_.insert(tabStops_.begin() + at, static_cast<size_t>(Count), true);
    for (auto& row : cells_)
        row.insert(row.begin() + at, static_cast<size_t>(Count), Cell{});
    FollowInsert(current_.X, Index, Count);
    FollowInsert(anchor_.X, Index, Count);
    AfterRangeChange(oldCols, RowCount());
}

void TStringGrid::InsertRows(int Index, int Count)
{
    CheckRange(Index, 0, RowCount());
    if (Count <= 0)
        return;
    const int oldRows = RowCount();
    const auto at = static_cast<std::ptrdiff_t>(Index);
    rowHeights_.insert(rowHeights_.begin() + at, static_cast<size_t>(Count), defaultRowHeight_);
    cells_.insert(cells_.begin() + at, static_cast<size_t>(Count), std::vector<Cell>(static_cast<size_t>(ColCount())));
    FollowInsert(current_.Y, Index, Count);
    FollowInsert(anchor_.Y, Index, Count);
    AfterRangeChange(ColCount(), oldRows);
}

void TStringGrid::DeleteCols(int Index, int Count)
{
    CheckRange(Index, Count, ColCount());
    // One column always stays.
    Count = std::min(Count, ColCount() - 1);
    if (Count <= 0)
        return;
    const int oldCols = ColCount();
    const auto from = static_cast<std::ptrdiff_t>(Index);
    const auto to = from + Count;
    colWidths_.erase(colWidths_.begin() + from, colWidths_.begin() + to);
    tabStops_.erase(tabStops_.begin() + from, tabStops_.begin() + to);
    for (auto& row : cells_)
        row.erase(row.begin() + from, row.begin() + to);
    FollowDelete(current_.X, Index, Count);
    FollowDelete(anchor_.X, Index, Count);
    AfterRangeChange(oldCols, RowCount());
}

void TStringGrid::DeleteRows(int Index, int Count)
{
    CheckRange(Index, Count, RowCount());
    Count = std::min(Count, RowCount() - 1);
    if (Count <= 0)
        return;
    const int oldRows = RowCount();
    const auto from = static_cast<std::ptrdiff_t>(Index);
    const auto to = from + Count;
    rowHeights_.erase(rowHeights_.begin() + from, rowHeights_.begin() + to);
    cells_.erase(cells_.begin() + from, cells_.begin() + to);
    FollowDelete(current_.Y, Index, Count);
    FollowDelete(anchor_.Y, Index, Count);
    AfterRangeChange(ColCount(), oldRows);
}

void TStringGrid::DeleteColumn(int ACol)
{
    DeleteCols(ACol, 1);
}

void TStringGrid::DeleteRow(int ARow)
{
    DeleteRows(ARow, 1);
}

void TStringGrid::CheckRange(int index, int count, int size) const
{
    if (index < 0 || count < 0 || index + count > size)
        throw EInvalidGridOperation();
}

void TStringGrid::AfterRangeChange(int oldCols, int oldRows)
{
    // The counts changed in place: the fixed area, the current cell and the
    // top-left stay inside as after a resize, and the editor opens anew.
    const int cols = ColCount();
    const int rows = RowCount();
    fixedCols_ = std::min(fixedCols_, cols - 1);
    fixedRows_ = std::min(fixedRows_, rows - 1);
    auto clampCoord = [&](TGridCoord& p) {
        p.X = std::clamp(p.X, fixedCols_, cols - 1);
        p.Y = std::clamp(p.Y, fixedRows_, rows - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    clampCoord(topLeft_);
    editorCell_ = {-1, -1};
    Relayout();
    SizeChanged(oldCols, oldRows);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved)
        Application->Guard([&] { OnColumnMoved(FromIndex, ToIndex); });
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved)
        Application->Guard([&] { OnRowMoved(FromIndex, ToIndex); });
}

// ---- painting

void TStringGrid::InvalidateCell(int ACol, int ARow)
{
    const TRect rect = CellRect(ACol, ARow);
    if (!rect.IsEmpty())
        viewport()->update(rect.ToQRect().adjusted(0, 0, ColLine(), RowLine()));
}

void TStringGrid::InvalidateGrid()
{
    viewport()->update();
}

void TStringGrid::InvalidateRow(int ARow)
{
    const int top = ARow >= 0 && ARow < RowCount() ? RowTop(ARow) : -1;
    if (top >= 0 && top < viewport()->height())
        viewport()->update(QRect(0, top, viewport()->width(), RowHeights(ARow) + RowLine()));
}

void TStringGrid::InvalidateCol(int ACol)
{
    const int left = ACol >= 0 && ACol < ColCount() ? ColLeft(ACol) : -1;
    if (left >= 0 && left < viewport()->width())
        viewport()->update(QRect(left, 0, ColWidths(ACol) + ColLine(), viewport()->height()));
}

void TStringGrid::InvalidateEditor()
{
    // The editor asks the mask and text of its cell again.
    editorCell_ = {-1, -1};
    UpdateEditor();
}

void TStringGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    Canvas.SetPainter(&painter);
    paintArea_ = event->rect();
    Paint();
    Canvas.SetPainter(nullptr);
}

void TStringGrid::Paint()
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->fillRect(paintArea_, ToQColor(color_));
    DrawAllCells(paintArea_);
}

TGridDrawState TStringGrid::StateOf(int ACol, int ARow) const
{
    if (ACol < fixedCols_ || ARow < fixedRows_)
        return gdFixed;
    TGridDrawState state = 0;
    if (HasFocusWithin() && ACol == current_.X && ARow == current_.Y)
        state |= gdFocused;
    if (Selection().Contains(ACol, ARow))
        state |= gdSelected;
    return state;
}

void TStringGrid::DrawAllCells(const QRect& area)
{
    // Rows and columns in view: the fixed ones, then from the top-left on.
    std::vector<int> cols;
    std::vector<int> rows;
    for (int c = 0; c < fixedCols_; ++c)
        cols.push_back(c);
    for (int c = topLeft_.X; c < ColCount() && ColLeft(c) < viewport()->width(); ++c)
        cols.push_back(c);
    for (int r = 0; r < fixedRows_; ++r)
        rows.push_back(r);
    for (int r = topLeft_.Y; r < RowCount() && RowTop(r) < viewport()->height(); ++r)
        rows.push_back(r);

    QPainter* painter = Canvas.Painter();
    const TFont gridFont = TFont::FromQFont(font());
    for (int r : rows)
        for (int c : cols) {
            const int left = ColLeft(c);
            const int top = RowTop(r);
            const TRect where{left, top, left + colWidths_[static_cast<size_t>(c)],
                              top + rowHeights_[static_cast<size_t>(r)]};
            const QRect withLines = where.ToQRect().adjusted(0, 0, ColLine(), RowLine());
            if (!withLines.intersects(area))
                continue;
            const TGridDrawState state = StateOf(c, r);
            const bool fixed = state & gdFixed;
            const bool focused = state & gdFocused;
            // The lines after the cell: right and bottom, drawn also beside
            // the editor, which covers only the cell itself.
            const bool vertical = options_ & (fixed ? goFixedVertLine : goVertLine);
            const bool horizontal = options_ & (fixed ? goFixedHorzLine : goHorzLine);
            const QColor lineColor = ToQColor(fixed ? clGray : clSilver);
            if (vertical && ColLine() > 0)
                painter->fillRect(QRect(where.Right, where.Top, ColLine(), where.Height() + RowLine()), lineColor);
            if (horizontal && RowLine() > 0)
                painter->fillRect(QRect(where.Left, where.Bottom, where.Width() + ColLine(), RowLine()), lineColor);
            if (focused && ShowsEditor() && editorCell_ == TGridCoord{c, r})
                continue; // the editor covers it
            painter->save();
            if (defaultDrawing_) {
                Canvas.Font = gridFont;
                Canvas.Font.Color = fixed ? clBtnText : clWindowText;
                Canvas.Brush = {fixed ? fixedColor_ : color_, bsSolid};
                if ((state & gdSelected) && (!focused || (options_ & (goDrawFocusSelected | goRowSelect)))) {
                    Canvas.Brush.Color = clHighlight;
                    Canvas.Font.Color = clHighlightText;
                }
                Canvas.FillRect(where);
            }
            DrawCell(c, r, where, state);
            if (defaultDrawing_ && fixed) {
                // Raised edges of the header cells.
                painter->setPen(ToQColor(clBtnHighlight));
                painter->drawLine(where.Left, where.Top, where.Right - 1, where.Top);
                painter->drawLine(where.Left, where.Top, where.Left, where.Bottom - 1);
                painter->setPen(ToQColor(clBtnShadow));
                painter->drawLine(where.Left, where.Bottom - 1, where.Right - 1, where.Bottom - 1);
                painter->drawLine(where.Right - 1, where.Top, where.Right - 1, where.Bottom - 1);
            }
            if (defaultDrawing_ && focused && (options_ & (goEditing | goAlwaysShowEditor)) != (goEditing | goAlwaysShowEditor)
                && !(options_ & goRowSelect))
                Canvas.DrawFocusRect(where);
            painter->restore();
        }
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (defaultDrawing_)
        Canvas.TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    if (OnDrawCell)
        Application->Guard([&] { OnDrawCell(ACol, ARow, ARect, AState); });
}

void TStringGrid::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    UpdateScrollBars();
    UpdateEditor();
}

void TStringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    UpdateEditor();
}

// ---- keyboard

void TStringGrid::KeyDown(int& Key, TShiftState Shift)
{
    TControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    TGridCoord next = current_;
    TGridCoord top = topLeft_;
    const int pageHeight = std::max(VisibleRowCount(), 1);
    const int pageWidth = std::max(VisibleColCount(), 1);
    const bool rowSelect = options_ & goRowSelect;
    bool handled = true;
    if (Shift & ssCtrl) {
        switch (Key) {
        case VK_UP: --top.Y; break;
        case VK_DOWN: ++top.Y; break;
        case VK_LEFT:
            if (!rowSelect) {
                next.X -= pageWidth;
                top.X -= pageWidth;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                next.X += pageWidth;
                top.X += pageWidth;
            }
            break;
        case VK_PRIOR: next.Y = topLeft_.Y; break;
        case VK_NEXT: next.Y = topLeft_.Y + pageHeight - 1; break;
        case VK_HOME: next = {fixedCols_, fixedRows_}; break;
        case VK_END: next = {ColCount() - 1, RowCount() - 1}; break;
        default: handled = false; break;
        }
    } else {
        switch (Key) {
        case VK_UP: --next.Y; break;
        case VK_DOWN: ++next.Y; break;
        case VK_LEFT:
            if (rowSelect)
                --top.X;
            else
                --next.X;
            break;
        case VK_RIGHT:
            if (rowSelect)
                ++top.X;
            else
                ++next.X;
            break;
        case VK_NEXT:
            next.Y += pageHeight;
            top.Y += pageHeight;
            break;
        case VK_PRIOR:
            next.Y -= pageHeight;
            top.Y -= pageHeight;
            break;
        case VK_HOME:
            if (rowSelect)
                next.Y = fixedRows_;
            else
                next.X = fixedCols_;
            break;
        case VK_END:
            if (rowSelect)
                next.Y = RowCount() - 1;
            else
                next.X = ColCount() - 1;
            break;
        case VK_TAB:
            if (!(options_ & goTabs) || (Shift & ssAlt)) {
                handled = false;
                break;
            }
            // To the next (previous) column with a tab stop, row after row,
            // round to the first (last) cell.
            do {
                if (Shift & ssShift) {
                    if (--next.X < fixedCols_) {
                        next.X = ColCount() - 1;
                        if (--next.Y < fixedRows_)
                            next.Y = RowCount() - 1;
                    }
                } else if (++next.X >= ColCount()) {
                    next.X = fixedCols_;
                    if (++next.Y >= RowCount())
                        next.Y = fixedRows_;
                }
            } while (!TabStops(next.X) && next.X != current_.X);
            Shift &= ~ssShift;
            break;
        case VK_F2: ShowEditor(); break;
        case VK_ESCAPE:
            if (ShowsEditor() && !(options_ & goAlwaysShowEditor))
                SendCancelEdit();
            else
                handled = false;
            break;
        default: handled = false; break;
        }
    }
    if (!handled)
        return;
    top.X = std::clamp(top.X, fixedCols_, MaxLeftCol());
    top.Y = std::clamp(top.Y, fixedRows_, MaxTopRow());
    if (!(top == topLeft_))
        MoveTopLeft(top.X, top.Y);
    next.X = std::clamp(next.X, fixedCols_, ColCount() - 1);
    next.Y = std::clamp(next.Y, fixedRows_, RowCount() - 1);
    if (!(next == current_))
        FocusCell(next.X, next.Y, !(Shift & ssShift));
    Key = 0;
}

void TStringGrid::KeyPress(char& Key)
{
    TControl::KeyPress(Key);
    if (Key == '\r' && (options_ & goEnterAdvance)) {
        AdvanceOnEnter();
        Key = 0;
        return;
    }
    if (Key == '\r' && !(options_ & goAlwaysShowEditor)) {
        if (ShowsEditor())
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

void TStringGrid::AdvanceOnEnter()
{
    TGridCoord next{current_.X + 1, current_.Y};
    if (next.X >= ColCount()) {
        next.X = fixedCols_;
        if (++next.Y >= RowCount())
            next.Y = fixedRows_;
    }
    // Typing goes on in the next cell: an open editor opens there too.
    const bool editing = ShowsEditor();
    FocusCell(next.X, next.Y);
    if (editing)
        ShowEditor();
}

void TStringGrid::KeyUp(int& Key, TShiftState Shift)
{
    TControl::KeyUp(Key, Shift);
}

void TStringGrid::keyPressEvent(QKeyEvent* event)
{
    // Keys the grid did not take are the window's (Esc, F1, Enter for the
    // default button).
    event->ignore();
}

void TStringGrid::keyReleaseEvent(QKeyEvent* event)
{
    event->ignore();
}

bool TStringGrid::focusNextPrevChild(bool next)
{
    // Tab in the editor leaves the grid as it would from the grid itself.
    if (!editor_ || !editor_->hasFocus())
        return QAbstractScrollArea::focusNextPrevChild(next);
    auto takesTab = [this](QWidget* w) {
        return w->window() == window() && !isAncestorOf(w) && w->isVisibleTo(window()) && w->isEnabled()
               && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
    };
    QWidget* w = this;
    do
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
    while (w && w != this && !takesTab(w));
    if (!w || w == this)
        return false;
    w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// ---- mouse

void TStringGrid::mousePressEvent(QMouseEvent* event)
{
    if (PressRefused(this)) {
        drag_ = Drag::None;
        return;
    }
    const QPoint p = event->position().toPoint();
    MouseDown(event->button() == Qt::RightButton ? mbRight : mbLeft, ShiftStateOf(event->modifiers(), event->buttons()),
              p.x(), p.y());
    if (event->button() != Qt::LeftButton)
        return;
    if (!HasFocusWithin())
        setFocus(Qt::MouseFocusReason);
    const bool inFixedRows = p.y() < FixedHeight();
    const bool inFixedCols = p.x() < FixedWidth();
    if ((options_ & goColSizing) && inFixedRows) {
        const int edge = HitColumnEdge(p.x());
        if (edge >= 0) {
            drag_ = Drag::SizeCol;
            dragIndex_ = edge;
            dragStart_ = ColLeft(edge);
            return;
        }
    }
    if ((options_ & goRowSizing) && inFixedCols) {
        const int edge = HitRowEdge(p.y());
        if (edge >= 0) {
            drag_ = Drag::SizeRow;
            dragIndex_ = edge;
            dragStart_ = RowTop(edge);
            return;
        }
    }
    const TGridCoord cell = MouseCoord(p.x(), p.y());
    if (cell.X < 0)
        return;
    if ((options_ & goColMoving) && cell.Y < fixedRows_ && cell.X >= fixedCols_) {
        drag_ = Drag::MoveCol;
        dragIndex_ = dragOrigin_ = cell.X;
        return;
    }
    if ((options_ & goRowMoving) && cell.X < fixedCols_ && cell.Y >= fixedRows_) {
        drag_ = Drag::MoveRow;
        dragIndex_ = dragOrigin_ = cell.Y;
        return;
    }
    if (cell.X < fixedCols_ || cell.Y < fixedRows_)
        return;
    clickPending_ = true;
    drag_ = Drag::Select;
    if (cell == current_ && (options_ & goEditing) && !ShowsEditor()) {
        ShowEditor();
        return;
    }
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (options_ & goRangeSelect);
    Application->Guard([&] { MoveCurrent(cell.X, cell.Y, !extend, true); });
    UpdateEditor();
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
    switch (drag_) {
    case Drag::SizeCol: SetColWidths(dragIndex_, std::max(p.x() - dragStart_, 0)); return;
    case Drag::SizeRow: SetRowHeights(dragIndex_, std::max(p.y() - dragStart_, 0)); return;
    case Drag::Select: {
        if (!(options_ & goRangeSelect) || !(event->buttons() & Qt::LeftButton))
            return;
        const TGridCoord cell = MouseCoord(p.x(), p.y());
        if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && !(cell == current_))
            Application->Guard([&] { MoveCurrent(cell.X, cell.Y, false, true); });
        return;
    }
    case Drag::MoveCol:
    case Drag::MoveRow: {
        const TGridCoord cell = MouseCoord(p.x(), p.y());
        const int index = drag_ == Drag::MoveCol ? cell.X : cell.Y;
        const int fixed = drag_ == Drag::MoveCol ? fixedCols_ : fixedRows_;
        if (index >= fixed)
            dragIndex_ = index;
        return;
    }
    case Drag::None: {
        const bool sizeCol = (options_ & goColSizing) && p.y() < FixedHeight() && HitColumnEdge(p.x()) >= 0;
        const bool sizeRow = (options_ & goRowSizing) && p.x() < FixedWidth() && HitRowEdge(p.y()) >= 0;
        viewport()->setCursor(sizeCol ? Qt::SplitHCursor : sizeRow ? Qt::SplitVCursor : Qt::ArrowCursor);
        return;
    }
    }
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const Drag ended = drag_;
    drag_ = Drag::None;
    if (ended == Drag::MoveCol && dragIndex_ != dragOrigin_)
        MoveColumn(dragOrigin_, dragIndex_);
    if (ended == Drag::MoveRow && dragIndex_ != dragOrigin_)
        MoveRow(dragOrigin_, dragIndex_);
    MouseUp(event->button() == Qt::RightButton ? mbRight : mbLeft, ShiftStateOf(event->modifiers(), event->buttons()),
            p.x(), p.y());
    if (clickPending_ && event->button() == Qt::LeftButton) {
        clickPending_ = false;
        Click();
    }
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    (void)event;
    DblClick();
}

void TStringGrid::wheelEvent(QWheelEvent* event)
{
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    const QPoint pos = event->position().toPoint();
    if (event->angleDelta().y() < 0)
        DoMouseWheelDown(shift, pos);
    else if (event->angleDelta().y() > 0)
        DoMouseWheelUp(shift, pos);
    event->accept();
}

int TStringGrid::HitColumnEdge(int x) const
{
    return ColAxis().HitEdge(x, kSizingMargin);
}

int TStringGrid::HitRowEdge(int y) const
{
    return RowAxis().HitEdge(y, kSizingMargin);
}

// ---- focus

void TStringGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    if (takingFocusBack_)
        return;
    if (editorMode_)
        UpdateEditor();
    if (ShowsEditor())
        editor_->setFocus(Qt::OtherFocusReason);
}

void TStringGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TStringGrid::DoEnter()
{
    TControl::DoEnter();
    viewport()->update();
}

void TStringGrid::DoExit()
{
    TControl::DoExit();
    viewport()->update();
}

bool TStringGrid::FilterKeyPress(QKeyEvent* event)
{
    int key = VirtualKeyOf(event);
    const TShiftState shift = ShiftStateOf(event->modifiers());
    if (key == VK_TAB && !WantsTabs())
        return false; // the window moves the focus
    if (WindowTookKey(key))
        return true;
    if (key != 0) {
        KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    char c = CharOf(event);
    if (c == 0)
        return false;
    // A character typed on the grid opens the editor with it.
    const bool typing = c == '\b' || static_cast<unsigned char>(c) >= 32;
    if (typing && ShowEditorChar(c))
        return true;
    KeyPress(c);
    return c == 0 || c == '\r';
}
