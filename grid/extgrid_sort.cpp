// Sorting the grid control's rows: the comparison of two cells by the
// column's sort style, the keys a sort reads once per cell, the quicksort
// that finds the rows' new order, the indexed and node-group sorts, the
// header-click step and the merging of equal cells around a sort.
//
// The quicksort is the grid's own: rows that compare equal are never
// exchanged, so the order of equal keys after a sort is part of what the
// user sees and stays the same from one version to the next. It runs on
// the rows' numbers: the cells stay where they are while the order is
// found, and then move once.
#include "grid/extgrid.h"

#include "grid/esghtmle.h"
#include "grid/extutil.h"
#include "platform/localesettings.h"

#include <QElapsedTimer>

#include <algorithm>
#include <memory>
#include <numeric>
#include <utility>

namespace {

int Sign(int Value)
{
    return (Value > 0) - (Value < 0);
}

template <typename T>
int CompareValues(const T& A, const T& B)
{
    return (A > B) - (A < B);
}

// A date that cannot be read counts as day 0 of the date-time numbers.
qint64 DateNumber(const QDate& Date)
{
    static const qint64 zero = QDate(1899, 12, 30).toJulianDay();
    return Date.isValid() ? Date.toJulianDay() : zero;
}

bool IsCheckType(TCellType Type)
{
    return Type == ctCheckBox || Type == ctDataCheckBox || Type == ctVirtCheckBox;
}

// "12/05/2002", "1/5/02": a "/" at the second or third place, not last,
// with a digit on both sides.
bool LooksLikeDate(const QString& Text)
{
    for (int at : {1, 2})
        if (at < Text.size() - 1 && Text[at] == '/' && Text[at - 1].isDigit() && Text[at + 1].isDigit())
            return true;
    return false;
}

void RemoveFirst(QString& Text, const QString& Part)
{
    if (Part.isEmpty())
        return;
    const int at = static_cast<int>(Text.indexOf(Part));
    if (at >= 0)
        Text.remove(at, Part.size());
}

// The locale's order of two texts. The same characters are equal under
// any collation, so they are told without asking the locale (sorted rows
// hold many repeated keys).
int LocaleCompare(const QString& A, const QString& B)
{
    if (A.size() == B.size() && (A.constData() == B.constData() || A == B))
        return 0;
    return Sign(QString::localeAwareCompare(A, B));
}

// Two rows by the sort column, and while they tie in a full sort by the
// columns after it; CompareCol compares the rows' cells of one column.
template <typename CompareCol>
int CompareFromColumn(int ACol, int Cols, bool Full, CompareCol&& Compare)
{
    int result = Compare(ACol);
    while (result == 0 && Full && ACol + 1 < Cols)
        result = Compare(++ACol);
    return result;
}

// The same by the index list's entries from From on, each in its own
// direction.
template <typename CompareCol>
int CompareByIndexes(const TSortIndexList& Indexes, int From, bool Full, CompareCol&& Compare)
{
    int result = 0;
    for (int k = From; k < Indexes.Count(); ++k) {
        const int entry = Indexes.Items(k);
        result = Compare(TSortIndexList::Column(entry));
        if (TSortIndexList::Descending(entry))
            result = -result;
        if (result != 0 || !Full)
            break;
    }
    return result;
}

} // namespace

// ---- the keys of one column

// What comparisons read of one column: its format, asked once, and each
// cell's text, number, date, folded text, image or check state, each
// taken once, when a comparison first needs it. Slot s stands for the
// cell of row RowOf(s); the rows do not move while the keys serve.
class TExtStringGrid::SortColumn {
public:
    SortColumn(TExtStringGrid& Grid, int ACol, int Slots, std::vector<int> Rows = {})
        : grid_(Grid), col_(ACol), rows_(std::move(Rows)), cells_(static_cast<size_t>(Slots))
    {
        const TSortSettings& sort = *Grid.SortSettings();
        style_ = sort.AutoFormat() ? ssAutomatic : ssAlphabetic;
        Grid.GetColFormat(ACol, style_, prefix_, suffix_);
        ignoreBlanks_ = sort.IgnoreBlanks();
        blanksToEnd_ = (sort.BlankPos() == blLast ? 1 : -1) * (sort.Direction() == sdAscending ? 1 : -1);
    }

    // -1, 0 or 1: the cell of slot A against the cell of slot B.
    int Compare(int A, int B)
    {
        TSortStyle style = style_;
        if (style == ssAutomatic)
            style = Detected(A); // the first row's cell decides
        int result = 0;
        switch (style) {
        case ssNumeric:
        case ssFinancial: {
            const Cell& a = Number(A);
            const Cell& b = Number(B);
            result = a.numberOk || b.numberOk ? CompareValues(a.number, b.number) : 0;
            break;
        }
        case ssDate:
        case ssShortDateEU:
        case ssShortDateUS:
            result = CompareValues(Date(A, style), Date(B, style));
            break;
        case ssAlphaNoCase:
        case ssHTML:
            result = Sign(Folded(A).compare(Folded(B)));
            break;
        case ssAnsiAlphaNoCase:
            result = LocaleCompare(Folded(A), Folded(B));
            break;
        case ssCustom:
            if (grid_.OnCustomCompare)
                grid_.OnCustomCompare(&grid_, Text(A), Text(B), result);
            break;
        case ssAnsiAlphaCase:
            result = LocaleCompare(Text(A), Text(B));
            break;
        case ssRaw:
            if (grid_.OnRawCompare)
                grid_.OnRawCompare(&grid_, col_, RowOf(A), RowOf(B), result);
            break;
        case ssImages:
            result = CompareValues(Image(A), Image(B));
            break;
        case ssCheckBox:
            result = CompareValues(Checked(A), Checked(B));
            break;
        default:
            result = Sign(Text(A).compare(Text(B)));
            break;
        }
        result = Sign(result);

        // Blanks keep to their side whatever the direction.
        if (ignoreBlanks_) {
            const bool blank = Text(A).isEmpty();
            if (blank != Text(B).isEmpty())
                result = blank ? blanksToEnd_ : -blanksToEnd_;
        }
        return result;
    }

    // Takes the keys of the slots First..Last in turn (the sort column's,
    // before the comparisons ask for them in scattered order).
    void TakeAll(int First, int Last)
    {
        for (int s = First; s <= Last; ++s)
            switch (style_) {
            case ssAutomatic: {
                const TSortStyle detected = Detected(s);
                if (detected == ssNumeric)
                    Number(s);
                else if (detected == ssDate)
                    Date(s, ssDate);
                break;
            }
            case ssNumeric:
            case ssFinancial:
                Number(s);
                break;
            case ssDate:
            case ssShortDateEU:
            case ssShortDateUS:
                Date(s, style_);
                break;
            case ssAlphaNoCase:
            case ssHTML:
            case ssAnsiAlphaNoCase:
                Folded(s);
                break;
            case ssRaw:
            case ssImages:
            case ssCheckBox:
                break;
            default:
                Text(s);
                break;
            }
    }

private:
    struct Cell {
        QString text;
        QString folded;
        double number = 0; // by the numeric rule, or the date's day
        int image = -1;
        std::uint8_t taken = 0;
        bool numberOk = false;
        bool checked = false;
        TSortStyle detected = ssAlphabetic;
    };
    enum : std::uint8_t { kText = 1, kNumber = 2, kDate = 4, kFolded = 8, kImage = 16, kChecked = 32, kDetected = 64 };

    int RowOf(int Slot) const { return rows_.empty() ? Slot : rows_[static_cast<size_t>(Slot)]; }

    // The cell of Slot with the key What taken (Take fills it the first time).
    template <typename F>
    Cell& Taken(int Slot, std::uint8_t What, F&& Take)
    {
        Cell& cell = cells_[static_cast<size_t>(Slot)];
        if (!(cell.taken & What)) {
            Take(cell);
            cell.taken |= What;
        }
        return cell;
    }

    const QString& Text(int Slot)
    {
        return Taken(Slot, kText, [&](Cell& C) { C.text = grid_.Cells(col_, RowOf(Slot)); }).text;
    }
    const Cell& Number(int Slot)
    {
        const QString& text = Text(Slot);
        const TSortStyle rule = style_ == ssFinancial ? ssFinancial : ssNumeric;
        return Taken(Slot, kNumber, [&](Cell& C) { C.numberOk = grid_.SortNumber(text, rule, prefix_, suffix_, C.number); });
    }
    double Date(int Slot, TSortStyle Style)
    {
        const QString& text = Text(Slot);
        return Taken(Slot, kDate, [&](Cell& C) {
                   QDate date;
                   if (Style == ssDate)
                       LocaleStrToDate(text, date);
                   else
                       date = Style == ssShortDateEU ? StrToDateDMY(text) : StrToDateMDY(text);
                   C.number = static_cast<double>(DateNumber(date));
               })
            .number;
    }
    const QString& Folded(int Slot)
    {
        const QString& text = Text(Slot);
        return Taken(Slot, kFolded, [&](Cell& C) {
                   C.folded = style_ == ssAlphaNoCase       ? text.toUpper()
                              : style_ == ssAnsiAlphaNoCase ? text.toLower()
                                                            : HTMLStrip(text);
               })
            .folded;
    }
    int Image(int Slot)
    {
        return Taken(Slot, kImage, [&](Cell& C) {
                   const TCellGraphic* graphic = grid_.GetCellGraphicObject(col_, RowOf(Slot));
                   C.image = graphic ? graphic->CellIndex : -1; // no image comes before every image
               })
            .image;
    }
    bool Checked(int Slot)
    {
        return Taken(Slot, kChecked, [&](Cell& C) { C.checked = grid_.SortCheckState(col_, RowOf(Slot)); }).checked;
    }
    // The style a comparison of an automatic column takes from its first cell.
    TSortStyle Detected(int Slot)
    {
        return Taken(Slot, kDetected, [&](Cell& C) {
                   const QString& text = Text(Slot);
                   double number = 0;
                   if (IsCheckType(grid_.GetCellType(col_, RowOf(Slot))))
                       C.detected = ssCheckBox;
                   else if (!text.isEmpty() && grid_.SortNumber(text, ssNumeric, QString(), QString(), number))
                       C.detected = ssNumeric;
                   else if (LooksLikeDate(text))
                       C.detected = ssDate;
                   else
                       C.detected = ssAlphabetic;
               })
            .detected;
    }

    TExtStringGrid& grid_;
    const int col_;
    TSortStyle style_ = ssAutomatic;
    QString prefix_;
    QString suffix_;
    bool ignoreBlanks_ = false;
    int blanksToEnd_ = 1; // the result for a blank first cell against a filled one
    const std::vector<int> rows_;
    std::vector<Cell> cells_;
};

// ---- comparing cells and rows

bool TExtStringGrid::SortNumber(QString Text, TSortStyle Style, const QString& Prefix, const QString& Suffix,
                                double& Value) const
{
    RemoveFirst(Text, Prefix);
    RemoveFirst(Text, Suffix);
    const TLocaleSettings& locale = LocaleSettings();
    if (Style == ssFinancial)
        Text.remove(locale.ThousandSeparator);
    // (A point for a point would only copy the text.)
    if (locale.DecimalSeparator != QLatin1Char('.'))
        Text.replace(locale.DecimalSeparator, QLatin1Char('.'));
    Text = Text.trimmed();
    if (Text.isEmpty()) {
        Value = 0;
        return true;
    }
    bool ok = false;
    Value = Text.toDouble(&ok);
    if (!ok)
        Value = 0;
    return ok;
}

bool TExtStringGrid::SortCheckState(int ACol, int ARow)
{
    const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow);
    if (graphic && graphic->CellType == ctCheckBox)
        return graphic->CellBoolean;
    QString checked;
    GetCheckTrue(ACol, ARow, checked);
    return Cells(ACol, ARow) == checked;
}

int TExtStringGrid::CompareCells(int ACol, int ARow1, int ARow2)
{
    SortColumn column(*this, ACol, 2, {ARow1, ARow2});
    return column.Compare(0, 1);
}

int TExtStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
    return CompareFromColumn(ACol, ColCount(), SortSettings()->Full(),
                             [&](int Col) { return CompareCells(Col, ARow1, ARow2); });
}

int TExtStringGrid::CompareRowsIndexed(int AIndex, int ARow1, int ARow2)
{
    return CompareByIndexes(sortIndexes_, AIndex, SortSettings()->Full(),
                            [&](int Col) { return CompareCells(Col, ARow1, ARow2); });
}

// ---- exchanging rows

void TExtStringGrid::ExchangeRows(int ARow1, int ARow2)
{
    ++sortSwaps_;
    const bool whole = !SortSettings()->SingleColumn();
    rowState_.Exchange(ARow1, ARow2, whole && MouseActions()->DisjunctRowSelect && Navigation()->MoveRowOnSort);
    // Texts and objects change places as they are: no object is copied,
    // freed or left behind; the properties learn their new row.
    if (!whole) {
        const int column = SortSettings()->Column();
        ExchangeStoredCells(column, ARow1, ARow2);
        for (int r : {ARow1, ARow2})
            ReownCell(column, r);
    } else {
        ExchangeStoredRows(ARow1, ARow2);
        ReownProperties(ARow1, ARow1);
        ReownProperties(ARow2, ARow2);
        const int height1 = RowHeights(ARow1);
        const int height2 = RowHeights(ARow2);
        if (height1 != height2) {
            SetRowHeights(ARow1, height2);
            SetRowHeights(ARow2, height1);
        }
    }
    if (sortCurrentRow_ == ARow1)
        sortCurrentRow_ = ARow2;
    else if (sortCurrentRow_ == ARow2)
        sortCurrentRow_ = ARow1;
}

void TExtStringGrid::InitSortRowOrder()
{
    TIntList& order = rowState_.Order();
    order.Clear();
    for (int r = 0; r < RowCount(); ++r)
        order.Add(r);
}

// ---- the rows' new order

// The order a sort gives the rows, found on their numbers: place p holds
// the row first at Source(p). Each exchange of the quicksort is one of two
// numbers (and of the row-state entries that follow exchanges); the cells
// move once, by Apply, also after a comparison handler threw.
class TExtStringGrid::SortOrder {
public:
    SortOrder(TExtStringGrid& Grid, bool Indexed)
        : grid_(Grid), indexed_(Indexed), sign_(Indexed || Grid.SortSettings()->Direction() == sdAscending ? 1 : -1),
          column_(Grid.SortSettings()->Column()), full_(Grid.SortSettings()->Full()),
          single_(Grid.SortSettings()->SingleColumn()), cols_(Grid.ColCount()),
          withFlags_(!single_ && Grid.MouseActions()->DisjunctRowSelect && Grid.Navigation()->MoveRowOnSort),
          sources_(static_cast<size_t>(Grid.RowCount())), columns_(static_cast<size_t>(cols_))
    {
        std::iota(sources_.begin(), sources_.end(), 0);
    }

    // Sorts the rows Lo..Hi.
    void Sort(int Lo, int Hi)
    {
        if (Lo >= Hi)
            return;
        if (!indexed_ && column_ >= 0 && column_ < cols_)
            Column(column_).TakeAll(Lo, Hi);
        QuickSort(Lo, Hi, SortDepthLimit(Lo, Hi));
    }

    // The rows go to their new places; the current row follows its row.
    void Apply()
    {
        auto moved = [this](int p) { return sources_[static_cast<size_t>(p)] != p; };
        int first = 0;
        int last = static_cast<int>(sources_.size()) - 1;
        while (first <= last && !moved(first))
            ++first;
        while (last >= first && !moved(last))
            --last;
        if (first > last)
            return;
        const std::vector<int> sources(sources_.begin() + first, sources_.begin() + last + 1);
        if (single_)
            grid_.PermuteStoredCells(column_, first, sources);
        else
            grid_.PermuteStoredRows(first, sources, true);
        for (int p = first; p <= last; ++p) {
            const int source = sources_[static_cast<size_t>(p)];
            if (source == grid_.sortCurrentRow_ && source != p) {
                grid_.sortCurrentRow_ = p;
                break;
            }
        }
        if (grid_.MayHoldObjects())
            for (int p = first; p <= last; ++p) {
                if (!moved(p))
                    continue;
                if (single_)
                    grid_.ReownCell(column_, p);
                else
                    grid_.ReownProperties(p, p);
            }
        std::iota(sources_.begin() + first, sources_.begin() + last + 1, first);
    }

private:
    // What a comparison reads at a place: the sort column's cell that moved
    // there, and (when only the sort column moves) the other columns'
    // cells of the place itself.
    struct Item {
        int moving;
        int fixed;
    };
    Item At(int Place) const
    {
        const int source = sources_[static_cast<size_t>(Place)];
        return {source, single_ ? Place : source};
    }

    SortColumn& Column(int ACol)
    {
        auto& column = columns_[static_cast<size_t>(ACol)];
        if (!column)
            column = std::make_unique<SortColumn>(grid_, ACol, static_cast<int>(sources_.size()));
        return *column;
    }
    int CompareCells(int ACol, const Item& A, const Item& B)
    {
        const bool moves = !single_ || ACol == column_;
        return Column(ACol).Compare(moves ? A.moving : A.fixed, moves ? B.moving : B.fixed);
    }
    // As CompareRows and CompareRowsIndexed. The pivot against the row it
    // was taken from is equal without reading a key.
    int Compare(const Item& A, const Item& B)
    {
        if (A.moving == B.moving && A.fixed == B.fixed)
            return 0;
        const auto compare = [&](int Col) { return CompareCells(Col, A, B); };
        return indexed_ ? CompareByIndexes(grid_.sortIndexes_, 0, full_, compare)
                        : CompareFromColumn(column_, cols_, full_, compare);
    }

    void Exchange(int Place1, int Place2)
    {
        ++grid_.sortSwaps_;
        grid_.rowState_.Exchange(Place1, Place2, withFlags_);
        std::swap(sources_[static_cast<size_t>(Place1)], sources_[static_cast<size_t>(Place2)]);
    }

    // The smaller part is sorted by a call, the larger by the loop, so the
    // depth of calls stays below log2 of the row count. A column whose
    // middle rows keep splitting it badly (rising, then falling) would
    // take time growing with the square of its rows: past the depth limit
    // the rest is sorted by merging.
    void QuickSort(int Lo, int Hi, int Depth)
    {
        while (Lo < Hi) {
            if (Depth-- == 0) {
                MergeSort(Lo, Hi);
                return;
            }
            // The middle row's keys, as they were when the step began.
            const Item pivot = At((Lo + Hi) / 2);
            int i = Lo;
            int j = Hi;
            do {
                while (Compare(pivot, At(i)) == sign_ && i < Hi)
                    ++i;
                while (Compare(At(j), pivot) == sign_ && Lo < j)
                    --j;
                if (j >= i) {
                    if (i != j && (indexed_ || Compare(At(i), At(j)) != 0))
                        Exchange(i, j);
                    --j;
                    ++i;
                }
            } while (j >= i);
            if (j - Lo < Hi - i) {
                if (Lo < j)
                    QuickSort(Lo, j, Depth);
                Lo = i;
            } else {
                if (i < Hi)
                    QuickSort(i, Hi, Depth);
                Hi = j;
            }
        }
    }

    void MergeSort(int Lo, int Hi)
    {
        // Whether the row at place A belongs before the row at place B.
        auto before = [&](int A, int B) { return Compare(At(A), At(B)) == -sign_; };
        const auto count = static_cast<size_t>(Hi - Lo + 1);
        std::vector<int> order(count);
        std::vector<int> merged(count);
        std::iota(order.begin(), order.end(), Lo);
        // Runs of 1, 2, 4 ... places merged pairwise; of equal rows the
        // earlier one comes first.
        for (size_t width = 1; width < count; width *= 2) {
            for (size_t left = 0; left < count; left += 2 * width) {
                const size_t middle = std::min(left + width, count);
                const size_t right = std::min(left + 2 * width, count);
                size_t i = left;
                size_t j = middle;
                size_t k = left;
                while (i < middle && j < right)
                    merged[k++] = before(order[j], order[i]) ? order[j++] : order[i++];
                while (i < middle)
                    merged[k++] = order[i++];
                while (j < right)
                    merged[k++] = order[j++];
            }
            order.swap(merged);
        }
        // Each row goes to its place by one exchange at most: at[p] is the
        // row (by its first place) now at place p, where[r] the place of row r.
        std::vector<int> at(count);
        std::iota(at.begin(), at.end(), 0);
        std::vector<int> where = at;
        for (size_t k = 0; k < count; ++k) {
            const int wanted = order[k] - Lo;
            const int p = where[static_cast<size_t>(wanted)];
            if (p == static_cast<int>(k))
                continue;
            Exchange(Lo + static_cast<int>(k), Lo + p);
            const int displaced = at[k];
            at[static_cast<size_t>(p)] = displaced;
            where[static_cast<size_t>(displaced)] = p;
            at[k] = wanted;
            where[static_cast<size_t>(wanted)] = static_cast<int>(k);
        }
    }

    TExtStringGrid& grid_;
    const bool indexed_;
    const int sign_;
    const int column_;
    const bool full_;
    const bool single_;
    const int cols_;
    const bool withFlags_;
    std::vector<int> sources_;
    std::vector<std::unique_ptr<SortColumn>> columns_;
};

int TExtStringGrid::SortDepthLimit(int Lo, int Hi)
{
    // Twice the depth of an even split, and some room: ordinary columns
    // never reach it.
    int depth = 4;
    for (int n = Hi - Lo + 1; n > 1; n /= 2)
        depth += 2;
    return depth;
}

// ---- the sort frame

// Around every sort: painting stops, three scratch rows and the hidden
// columns join the grid, and everything goes back afterwards, also when a
// comparison handler throws.
class TExtStringGrid::SortFrame {
public:
    explicit SortFrame(TExtStringGrid& Grid) : grid_(Grid)
    {
        grid_.BeginUpdate();
        keepColumn0_ = grid_.SortSettings()->NormalCellsOnly() && grid_.FixedCols() > 0;
        rows_ = grid_.RowCount();
        cols_ = grid_.ColCount();
        if (keepColumn0_)
            for (int r = 0; r < rows_; ++r)
                column0_.push_back({grid_.StoredText(0, r), grid_.TStringGrid::Objects(0, r)});
        lastWidth_ = grid_.ColWidths(cols_ - 1);
        grid_.sortCurrentRow_ = grid_.Row();
        currentRow_ = grid_.Row();
        grid_.TBaseGrid::SetRowCount(rows_ + 3);
        if (grid_.hiddenColCount_ > 0)
            grid_.TBaseGrid::SetColCount(cols_ + grid_.hiddenColCount_);
    }

    // With MoveRowOnSort the cursor waits on the parking row while rows
    // move (a row-change handler may throw: the caller finishes the frame).
    void Park()
    {
        if (grid_.Navigation()->MoveRowOnSort)
            grid_.SetRow(rows_);
    }

    // The last row sorted: the one before the footer rows.
    int LastRow() const { return rows_ - grid_.FixedFooters() - 1; }

    void Finish()
    {
        if (finished_)
            return;
        finished_ = true;
        const bool follow = grid_.Navigation()->MoveRowOnSort;
        const int current = follow ? grid_.sortCurrentRow_ : currentRow_;
        for (int r = rows_ + 1; r < rows_ + 3; ++r)
            for (int c = 0; c < grid_.ColCount(); ++c)
                grid_.StoreText(c, r, QString());
        if (grid_.ColCount() != cols_)
            grid_.TBaseGrid::SetColCount(cols_);
        grid_.TBaseGrid::SetRowCount(rows_);
        grid_.SetColWidths(cols_ - 1, lastWidth_);
        if (keepColumn0_)
            for (int r = 0; r < rows_; ++r) {
                grid_.StoreText(0, r, column0_[static_cast<size_t>(r)].first);
                grid_.TStringGrid::SetObjects(0, r, column0_[static_cast<size_t>(r)].second);
                grid_.ReownCell(0, r);
            }
        grid_.sortCurrentRow_ = -1;
        grid_.EndUpdate();
        if (current >= 0 && current < rows_ && grid_.Row() != current)
            grid_.SetRow(current);
    }

private:
    TExtStringGrid& grid_;
    bool keepColumn0_ = false;
    bool finished_ = false;
    int rows_ = 0;
    int cols_ = 0;
    int lastWidth_ = 0;
    int currentRow_ = 0;
    std::vector<std::pair<QString, TObject*>> column0_;
};

void TExtStringGrid::RunSort(SortKind Kind)
{
    if (Kind == SortKind::Indexed && sortIndexes_.Count() == 0)
        throw EExtGridError(QStringLiteral("No indexes specified for indexed sort"));
    SortFrame frame(*this);
    SortOrder order(*this, Kind == SortKind::Indexed);
    try {
        frame.Park();
        if (Kind == SortKind::Groups) {
            // Each node starts a group that ends before the next node; the
            // rows under a node are sorted among themselves.
            int node = -1;
            for (int r = FixedRows(); r <= frame.LastRow() + 1; ++r) {
                if (r <= frame.LastRow() && !IsNode(r))
                    continue;
                if (node >= 0)
                    order.Sort(node + 1, r - 1);
                node = r;
            }
        } else {
            order.Sort(FixedRows(), frame.LastRow());
        }
    } catch (...) {
        // What was sorted when the handler threw stays sorted.
        order.Apply();
        frame.Finish();
        throw;
    }
    order.Apply();
    frame.Finish();
    // The rows moved: whatever follows the cells hears of it, the footer too.
    CellsChanged(TRect{0, FixedRows(), ColCount() - 1, LastDataRow()});
}

void TExtStringGrid::SortRows()
{
    RunSort(SortKind::Column);
}

void TExtStringGrid::SortRowsIndexed()
{
    RunSort(SortKind::Indexed);
}

void TExtStringGrid::SortRowGroups()
{
    RunSort(SortKind::Groups);
}

// ---- sorting by a header click

bool TExtStringGrid::HeaderClickSort(int ACol, bool Shift)
{
    TSortSettings& sort = *SortSettings();
    if (FixedRows() == 0 || !sort.Show() || RowCount() <= 2)
        return false;
    if (ACol < FixedCols() && !sort.FixedCols())
        return false;
    const int column = RealColIndex(ACol);
    bool doSort = true;
    if (OnCanSort)
        OnCanSort(this, column, doSort);
    if (!doSort)
        return false;

    if (sort.AutoColumnMerge())
        SplitMergedCells();
    QElapsedTimer timer;
    timer.start();
    if (sort.IndexShow()) {
        if (Shift) {
            if (sortIndexes_.FindIndex(column) < 0)
                sortIndexes_.AddIndex(column, true);
            else
                sortIndexes_.ToggleIndex(column);
        } else if (sortIndexes_.Count() == 1 && sortIndexes_.FindIndex(column) == 0) {
            sortIndexes_.ToggleIndex(column);
        } else {
            sortIndexes_.Clear();
            sortIndexes_.AddIndex(column, true);
        }
        SortRowsIndexed();
    } else {
        if (sort.Column() == column) {
            sort.SetDirection(sort.Direction() == sdAscending ? sdDescending : sdAscending);
        } else {
            sort.SetColumn(column);
            sort.SetDirection(sdAscending);
        }
        if (HasNodes())
            SortRowGroups();
        else
            SortRows();
    }
    sortTime_ = timer.elapsed();
    if (sort.AutoColumnMerge())
        MergeEqualCells();
    if (OnClickSort)
        OnClickSort(this, column);
    return true;
}

// ---- merging equal cells

void TExtStringGrid::MergeEqualCells()
{
    const int first = FixedRows();
    const int last = LastDataRow();
    int previous = -1;
    for (int col : mergeColumns_) {
        if (col < 0 || col >= ColCount())
            continue;
        auto sameRun = [&](int r) {
            if (StoredText(col, r) != StoredText(col, r - 1))
                return false;
            // Below the first level a run stays inside one block of the
            // column merged before.
            return previous < 0 || BaseCell(previous, r) == BaseCell(previous, r - 1);
        };
        int start = first;
        for (int r = first + 1; r <= last + 1; ++r) {
            if (r <= last && sameRun(r))
                continue;
            if (r - start > 1)
                MergeCells(col, start, 1, r - start);
            start = r;
        }
        previous = col;
    }
}

void TExtStringGrid::SplitMergedCells()
{
    const int first = FixedRows();
    const int last = LastDataRow();
    for (int col : mergeColumns_) {
        if (col < 0 || col >= ColCount())
            continue;
        for (int r = first; r <= last; ++r)
            if (IsYMergedCell(col, r))
                SplitCells(col, r);
    }
}
