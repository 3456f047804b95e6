// Sorting the grid control's rows: the comparison of two cells by the
// column's sort style, the quicksort over rows with its scratch rows, the
// indexed and node-group sorts, the header-click step and the merging of
// equal cells around a sort.
//
// The quicksort is the grid's own: rows that compare equal are never
// exchanged, so the order of equal keys after a sort is part of what the
// user sees and stays the same from one version to the next.
#include "grid/extgrid.h"

#include "grid/esghtmle.h"
#include "grid/extutil.h"
#include "platform/localesettings.h"

#include <QElapsedTimer>

#include <typeinfo>

#include <algorithm>
#include <deque>
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

} // namespace

// ---- the key cache of a sort

namespace {

// Whether two texts share one buffer: then neither can have changed.
bool SameBuffer(const QString& A, const QString& B)
{
    return A.data_ptr().isSharedWith(B.data_ptr()) && A.constData() == B.constData() && A.size() == B.size();
}

// Equal texts, told without a call when both are one buffer (as the empty
// prefixes and the kept copy of the date format mostly are).
bool SameText(const QString& A, const QString& B)
{
    return A.size() == B.size() && (A.constData() == B.constData() || A == B);
}

// The locale's order of two texts. The same characters are equal under
// any collation, so they are told without asking the locale (sorted rows
// hold many repeated keys).
int LocaleCompare(const QString& A, const QString& B)
{
    return SameText(A, B) ? 0 : Sign(QString::localeAwareCompare(A, B));
}

// A text over memory it does not own (its buffer could change under it).
bool Borrowed(const QString& Text)
{
    return !Text.data_ptr().isMutable() && !Text.isEmpty();
}

} // namespace

// A sort compares each row many times. The cells' texts and the numbers,
// dates and folded texts its comparisons read are taken once and kept by
// row, moving with the rows:
// - a converted key serves only while its cell still holds the very text it
//   came from, and the format (style, prefix, suffix, separators) is the one
//   it was converted with;
// - a plain cell's text (no object, no display hook) serves without reading
//   the cell while no cell of the grid has been written since it was taken
//   (the platform grid's cells version); the sort's own exchanges and pivot
//   copies are mirrored here and do not count.
// So every comparison sees what reading and converting anew would give.
struct TExtStringGrid::SortKeyCache {
    struct Key {
        QString text;
        QString folded;
        double number = 0;
        bool ok = false;
        bool converted = false; // number or folded made from text
        bool plain = false;     // text is the cell's text as the cells version stands

        // Exchanged member by member, with no key made in between.
        friend void swap(Key& A, Key& B) noexcept
        {
            A.text.swap(B.text);
            A.folded.swap(B.folded);
            std::swap(A.number, B.number);
            std::swap(A.ok, B.ok);
            std::swap(A.converted, B.converted);
            std::swap(A.plain, B.plain);
        }
    };
    struct Table {
        int col = 0;
        TSortStyle style = ssAlphabetic;
        QString prefix;
        QString suffix;
        TLocaleSettings locale;
        std::vector<Key> rows;

        bool Fits(int ACol, TSortStyle AStyle, const QString& APrefix, const QString& ASuffix,
                  const TLocaleSettings& Locale) const
        {
            return col == ACol && style == AStyle && SameText(prefix, APrefix) && SameText(suffix, ASuffix)
                   && locale.DecimalSeparator == Locale.DecimalSeparator
                   && locale.ThousandSeparator == Locale.ThousandSeparator
                   && locale.DateSeparator == Locale.DateSeparator
                   && SameText(locale.ShortDateFormat, Locale.ShortDateFormat);
        }

        Key* Row(int ARow)
        {
            return ARow >= 0 && static_cast<size_t>(ARow) < rows.size() ? &rows[static_cast<size_t>(ARow)] : nullptr;
        }

        // The converted key kept for ARow when it was made from Text, else null.
        const Key* Find(int ARow, const QString& Text)
        {
            const Key* key = Row(ARow);
            if (!key || !key->converted)
                return nullptr;
            return SameBuffer(key->text, Text) || key->text == Text ? key : nullptr;
        }

        // The key to convert for ARow from Text (Local for a row beyond them).
        Key& Store(int ARow, const QString& Text, Key& Local)
        {
            Key* kept = Row(ARow);
            Key& key = kept ? *kept : Local;
            if (!SameBuffer(key.text, Text)) {
                key.plain = false;
                // A text over memory it does not own is kept as a copy of its own.
                key.text = Borrowed(Text) ? QString(Text.constData(), Text.size()) : Text;
            }
            key.converted = true;
            return key;
        }
    };

    SortKeyCache(int Rows, bool PlainTexts, bool NoObjects, std::uint64_t Version)
        : plainTexts(PlainTexts), version_(Version), rows_(Rows), noObjects_(NoObjects), lastTable_(64, nullptr)
    {
    }

    // No cell held an object when the sort began, and none was written
    // since but by the sort itself (whose pivot copies come from rows with
    // objects only).
    bool NoObjects(std::uint64_t Now) const { return noObjects_ && Now == version_; }

    // Whether a cell without an object reads its stored text as it is
    // (no derived class reads cells its own way).
    const bool plainTexts;

    Table& TableFor(int ACol, TSortStyle Style, const QString& Prefix, const QString& Suffix)
    {
        const TLocaleSettings& locale = LocaleSettings();
        const auto slot = static_cast<size_t>(ACol) % lastTable_.size();
        if (Table* last = lastTable_[slot]; last && last->Fits(ACol, Style, Prefix, Suffix, locale))
            return *last;
        for (Table& table : tables_)
            if (table.Fits(ACol, Style, Prefix, Suffix, locale))
                return *(lastTable_[slot] = &table);
        Table& table = tables_.emplace_back();
        table.col = ACol;
        table.style = Style;
        table.prefix = Prefix;
        table.suffix = Suffix;
        table.locale = locale;
        table.rows.resize(static_cast<size_t>(rows_));
        return *(lastTable_[slot] = &table);
    }

    // Whether plain texts may be used now. When cells were written since
    // they were taken, they are forgotten; a sort that keeps writing cells
    // stops using them.
    bool PlainUsable(std::uint64_t Now)
    {
        if (Now == version_)
            return !plainOff_;
        version_ = Now;
        noObjects_ = false;
        for (Table& table : tables_)
            for (Key& key : table.rows)
                key.plain = false;
        if (++changes_ > 4)
            plainOff_ = true;
        return !plainOff_;
    }
    // Around the sort's own writes, mirrored here: Synced before, Resync after.
    bool Synced(std::uint64_t Now) const { return Now == version_; }
    void Resync(bool WasSynced, std::uint64_t Now)
    {
        if (WasSynced)
            version_ = Now;
    }

    // The keys follow their rows: all of them, or those of one column.
    void Exchange(int ARow1, int ARow2, int OnlyCol)
    {
        for (Table& table : tables_)
            if ((OnlyCol < 0 || table.col == OnlyCol) && std::max(ARow1, ARow2) < rows_)
                swap(table.rows[static_cast<size_t>(ARow1)], table.rows[static_cast<size_t>(ARow2)]);
    }

    void CopyRow(int From, int To)
    {
        for (Table& table : tables_)
            if (std::max(From, To) < rows_)
                table.rows[static_cast<size_t>(To)] = table.rows[static_cast<size_t>(From)];
    }

private:
    std::uint64_t version_;
    int rows_;
    bool noObjects_;
    bool plainOff_ = false;
    int changes_ = 0;
    std::deque<Table> tables_;
    std::vector<Table*> lastTable_;
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

const QString& TExtStringGrid::SortText(int ACol, int ARow, QString& Held) const
{
    // Without an object the cell is no part of a merge; rows from
    // DisplRowCount on show their text as stored.
    if (sortKeys_ && sortKeys_->plainTexts && ARow >= DisplRowCount && !TStringGrid::Objects(ACol, ARow))
        return StoredText(ACol, ARow);
    Held = Cells(ACol, ARow);
    return Held;
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
    TSortSettings& sort = *SortSettings();
    TSortStyle style = sort.AutoFormat() ? ssAutomatic : ssAlphabetic;
    QString prefix, suffix;
    GetColFormat(ACol, style, prefix, suffix);

    // The pivot against the row it was copied from: the same texts and
    // graphics, equal under every comparison of the grid's own (ties on
    // the further columns need no conversion then).
    if (style != ssCustom && style != ssRaw && sortPivotSource_ >= 0
        && ((ARow1 == sortPivotRow_ && ARow2 == sortPivotSource_)
            || (ARow2 == sortPivotRow_ && ARow1 == sortPivotSource_)))
        return 0;

    // The styles that ask the application or read graphics work on copies
    // of the texts; the others read a plain cell's text where it lies.
    const bool callsOut = style == ssCustom || style == ssRaw || style == ssImages || style == ssCheckBox
                          || (style == ssAutomatic && HasCellProperties(ACol, ARow1));
    QString held1, held2;
    SortKeyCache::Table* texts = nullptr;
    if (!callsOut && sortKeys_ && sortKeys_->plainTexts && !OnGetDisplText && sortKeys_->PlainUsable(CellsVersion()))
        texts = &sortKeys_->TableFor(ACol, style, prefix, suffix);
    // A plain cell's text is taken into the kept texts once.
    auto keptText = [&](int ARow, QString& Held) -> const QString& {
        SortKeyCache::Key* key = texts->Row(ARow);
        if (key && key->plain)
            return key->text;
        if (key && ARow >= DisplRowCount && !TStringGrid::Objects(ACol, ARow)) {
            const QString& stored = StoredText(ACol, ARow);
            if (!Borrowed(stored)) {
                if (!SameBuffer(key->text, stored)) {
                    key->text = stored;
                    key->converted = false;
                }
                key->plain = true;
                return key->text;
            }
        }
        return SortText(ACol, ARow, Held);
    };
    const QString& s1 = callsOut ? held1 = Cells(ACol, ARow1)
                        : texts  ? keptText(ARow1, held1)
                                 : SortText(ACol, ARow1, held1);
    const QString& s2 = callsOut ? held2 = Cells(ACol, ARow2)
                        : texts  ? keptText(ARow2, held2)
                                 : SortText(ACol, ARow2, held2);

    // Each cell's converted key, kept for the rest of the sort when one
    // runs (else converted into Local). Convert fills the key from the text.
    auto keyOf = [&](TSortStyle Style, const QString& Prefix, const QString& Suffix, int ARow, const QString& Text,
                     SortKeyCache::Key& Local, auto Convert) -> const SortKeyCache::Key& {
        if (!sortKeys_) {
            Convert(Text, Local);
            return Local;
        }
        // The texts' table when asked for with the very same format.
        SortKeyCache::Table& table = texts && Style == texts->style && &Prefix == &prefix && &Suffix == &suffix
                                         ? *texts
                                         : sortKeys_->TableFor(ACol, Style, Prefix, Suffix);
        if (const SortKeyCache::Key* kept = table.Find(ARow, Text))
            return *kept;
        SortKeyCache::Key& key = table.Store(ARow, Text, Local);
        Convert(Text, key);
        return key;
    };
    // A number and whether the text read as one.
    auto numberOf = [&](TSortStyle Style, const QString& Prefix, const QString& Suffix, int ARow,
                        const QString& Text) -> std::pair<double, bool> {
        SortKeyCache::Key local;
        const SortKeyCache::Key& key =
            keyOf(Style, Prefix, Suffix, ARow, Text, local, [&](const QString& T, SortKeyCache::Key& Key) {
                Key.ok = SortNumber(T, Style, Prefix, Suffix, Key.number);
            });
        return {key.number, key.ok};
    };
    auto dateOf = [&](int ARow, const QString& Text) {
        SortKeyCache::Key local;
        return keyOf(style, prefix, suffix, ARow, Text, local, [&](const QString& T, SortKeyCache::Key& Key) {
            QDate date;
            if (style == ssDate)
                LocaleStrToDate(T, date);
            else
                date = style == ssShortDateEU ? StrToDateDMY(T) : StrToDateMDY(T);
            Key.number = static_cast<double>(DateNumber(date));
        }).number;
    };
    auto foldedOf = [&](int ARow, const QString& Text) {
        SortKeyCache::Key local;
        return keyOf(style, prefix, suffix, ARow, Text, local, [&](const QString& T, SortKeyCache::Key& Key) {
            Key.folded = style == ssAlphaNoCase ? T.toUpper() : style == ssAnsiAlphaNoCase ? T.toLower() : HTMLStrip(T);
        }).folded;
    };

    if (style == ssAutomatic) {
        // The first row's cell decides.
        if (IsCheckType(GetCellType(ACol, ARow1)))
            style = ssCheckBox;
        else if (!s1.isEmpty() && numberOf(ssNumeric, QString(), QString(), ARow1, s1).second)
            style = ssNumeric;
        else if (LooksLikeDate(s1))
            style = ssDate;
        else
            style = ssAlphabetic;
    }

    int result = 0;
    switch (style) {
    case ssNumeric:
    case ssFinancial: {
        const auto [n1, ok1] = numberOf(style, prefix, suffix, ARow1, s1);
        const auto [n2, ok2] = numberOf(style, prefix, suffix, ARow2, s2);
        result = ok1 || ok2 ? CompareValues(n1, n2) : 0;
        break;
    }
    case ssDate:
    case ssShortDateEU:
    case ssShortDateUS:
        result = CompareValues(dateOf(ARow1, s1), dateOf(ARow2, s2));
        break;
    case ssAlphaNoCase:
    case ssHTML:
        result = Sign(foldedOf(ARow1, s1).compare(foldedOf(ARow2, s2)));
        break;
    case ssAnsiAlphaNoCase:
        result = LocaleCompare(foldedOf(ARow1, s1), foldedOf(ARow2, s2));
        break;
    case ssCustom:
        if (OnCustomCompare)
            OnCustomCompare(this, s1, s2, result);
        break;
    case ssAnsiAlphaCase:
        result = LocaleCompare(s1, s2);
        break;
    case ssRaw:
        if (OnRawCompare)
            OnRawCompare(this, ACol, ARow1, ARow2, result);
        break;
    case ssImages: {
        // A cell without an image comes before every image.
        auto index = [this, ACol](int ARow) {
            const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow);
            return graphic ? graphic->CellIndex : -1;
        };
        result = CompareValues(index(ARow1), index(ARow2));
        break;
    }
    case ssCheckBox:
        result = CompareValues(SortCheckState(ACol, ARow1), SortCheckState(ACol, ARow2));
        break;
    default:
        result = Sign(s1.compare(s2));
        break;
    }
    result = Sign(result);

    // Blanks keep to their side whatever the direction.
    if (sort.IgnoreBlanks() && s1.isEmpty() != s2.isEmpty()) {
        const int toEnd = sort.BlankPos() == blLast ? 1 : -1;
        const int direction = sort.Direction() == sdAscending ? 1 : -1;
        result = (s1.isEmpty() ? toEnd : -toEnd) * direction;
    }
    return result;
}

int TExtStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
    int result = CompareCells(ACol, ARow1, ARow2);
    while (result == 0 && SortSettings()->Full() && ACol + 1 < ColCount())
        result = CompareCells(++ACol, ARow1, ARow2);
    return result;
}

int TExtStringGrid::CompareRowsIndexed(int AIndex, int ARow1, int ARow2)
{
    int result = 0;
    for (; AIndex < sortIndexes_.Count(); ++AIndex) {
        const int entry = sortIndexes_.Items(AIndex);
        result = CompareCells(TSortIndexList::Column(entry), ARow1, ARow2);
        if (TSortIndexList::Descending(entry))
            result = -result;
        if (result != 0 || !SortSettings()->Full())
            break;
    }
    return result;
}

// ---- exchanging rows

void TExtStringGrid::ExchangeRows(int ARow1, int ARow2)
{
    ++sortSwaps_;
    const bool whole = !SortSettings()->SingleColumn();
    rowState_.Exchange(ARow1, ARow2,
                       whole && MouseActions()->DisjunctRowSelect && Navigation()->MoveRowOnSort);

    // Texts and objects change places as they are: no object is copied,
    // freed or left behind; the properties learn their new row.
    const bool noObjects = sortKeys_ && sortKeys_->NoObjects(CellsVersion());
    auto ownerRows = [this, noObjects](int ARow) {
        if (!noObjects)
            ReownProperties(ARow, ARow);
    };
    const bool synced = sortKeys_ && sortKeys_->Synced(CellsVersion());
    if (sortKeys_)
        sortKeys_->Exchange(ARow1, ARow2, SortSettings()->SingleColumn() ? SortSettings()->Column() : -1);
    if (SortSettings()->SingleColumn()) {
        const int column = SortSettings()->Column();
        ExchangeStoredCells(column, ARow1, ARow2);
        if (sortKeys_)
            sortKeys_->Resync(synced, CellsVersion());
        for (int r : {ARow1, ARow2})
            ReownCell(column, r);
    } else {
        ExchangeStoredRows(ARow1, ARow2);
        if (sortKeys_)
            sortKeys_->Resync(synced, CellsVersion());
        ownerRows(ARow1);
        ownerRows(ARow2);
        const int height1 = RowHeights(ARow1);
        const int height2 = RowHeights(ARow2);
        if (height1 != height2) {
            SetRowHeights(ARow1, height2);
            SetRowHeights(ARow2, height1);
        }
    }
    for (int* followed : {&sortCurrentRow_, &sortPivotSource_}) {
        if (*followed == ARow1)
            *followed = ARow2;
        else if (*followed == ARow2)
            *followed = ARow1;
    }
}

void TExtStringGrid::InitSortRowOrder()
{
    TIntList& order = rowState_.Order();
    order.Clear();
    for (int r = 0; r < RowCount(); ++r)
        order.Add(r);
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
        grid_.sortPivotRow_ = rows_ + 1;
        grid_.sortKeys_ = std::make_shared<SortKeyCache>(grid_.RowCount(), typeid(grid_) == typeid(TExtStringGrid),
                                                          !grid_.HasObjects(), grid_.CellsVersion());
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
    int ParkingRow() const { return rows_; }

    void Finish()
    {
        if (finished_)
            return;
        finished_ = true;
        const bool follow = grid_.Navigation()->MoveRowOnSort;
        const int current = follow ? grid_.sortCurrentRow_ : currentRow_;
        // The pivot's copies go with its row; the scratch rows hold no
        // object of the grid's rows.
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
        grid_.sortKeys_.reset();
        grid_.sortPivotRow_ = -1;
        grid_.sortPivotSource_ = -1;
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
    try {
        frame.Park();
        if (Kind == SortKind::Groups)
            SortGroups(frame.LastRow());
        else
            QuickSortRows(FixedRows(), frame.LastRow(), Kind == SortKind::Indexed);
    } catch (...) {
        frame.Finish();
        throw;
    }
    frame.Finish();
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

void TExtStringGrid::SortGroups(int LastRow)
{
    // Each node starts a group that ends before the next node; the rows
    // under a node are sorted among themselves.
    int node = -1;
    for (int r = FixedRows(); r <= LastRow + 1; ++r) {
        if (r <= LastRow && !IsNode(r))
            continue;
        if (node >= 0 && r - 1 > node + 1)
            QuickSortRows(node + 1, r - 1, false);
        node = r;
    }
}

// ---- the quicksort

void TExtStringGrid::CopyPivotRow(int ARow)
{
    const int pivot = sortPivotRow_;
    sortPivotSource_ = SortSettings()->SingleColumn() ? -1 : ARow;
    // The keys go with the copy; with no display hook no application code
    // runs while the row is copied.
    const bool synced = sortKeys_ && sortKeys_->Synced(CellsVersion()) && !OnGetDisplText;
    if (sortKeys_)
        sortKeys_->CopyRow(ARow, pivot);
    // A cell without an object on a row shown as stored is copied from
    // where its text lies (what reading the cell would give, unconverted).
    const bool plainRow = sortKeys_ && sortKeys_->plainTexts && ARow >= DisplRowCount;
    for (int c = 0; c < ColCount(); ++c) {
        bool mayHaveProperties = true;
        if (plainRow && !TStringGrid::Objects(c, ARow)) {
            StoreText(c, pivot, StoredText(c, ARow));
            mayHaveProperties = false;
        } else {
            StoreText(c, pivot, Cells(c, ARow));
        }
        // The pivot gets copies of what the comparisons read (properties,
        // check and image states, the application's object); the row's own
        // objects stay where they are, so nothing is ever freed twice.
        TCellProperties* copy = nullptr;
        if (mayHaveProperties && HasCellProperties(c, ARow)) {
            const TCellProperties* source = GetCellProperties(c, ARow);
            copy = new TCellProperties(this, c, pivot);
            copy->Assign(*source);
            copy->OwnerCol = c;
            copy->OwnerRow = pivot;
            copy->IsBaseCell = true;
            copy->CellSpanX = -1;
            copy->CellSpanY = -1;
            copy->CellObject = source->CellObject;
            if (const auto* graphic = dynamic_cast<const TCellGraphic*>(source->CellGraphic)) {
                auto* graphicCopy = new TCellGraphic;
                graphicCopy->Assign(*graphic);
                graphicCopy->CellCreated = false;
                copy->CellGraphic = graphicCopy;
            }
        }
        SetCellProperties(c, pivot, copy);
    }
    if (sortKeys_)
        sortKeys_->Resync(synced, CellsVersion());
}

int TExtStringGrid::SortDepthLimit(int Lo, int Hi)
{
    // Twice the depth of an even split, and some room: ordinary columns
    // never reach it.
    int depth = 4;
    for (int n = Hi - Lo + 1; n > 1; n /= 2)
        depth += 2;
    return depth;
}

void TExtStringGrid::QuickSortRows(int Lo, int Hi, bool Indexed, int Depth)
{
    const int sign = Indexed || SortSettings()->Direction() == sdAscending ? 1 : -1;
    const int column = SortSettings()->Column();
    auto compare = [&](int Row1, int Row2) {
        return Indexed ? CompareRowsIndexed(0, Row1, Row2) : CompareRows(column, Row1, Row2);
    };
    if (Depth < 0)
        Depth = SortDepthLimit(Lo, Hi);
    // The smaller part is sorted by a call, the larger by the loop, so the
    // depth of calls stays below log2 of the row count. A column whose
    // middle rows keep splitting it badly (rising, then falling) would
    // take time growing with the square of its rows: past the depth limit
    // the rest is sorted by merging.
    while (Lo < Hi) {
        if (Depth-- == 0) {
            MergeSortRows(Lo, Hi, Indexed);
            return;
        }
        const int pivot = sortPivotRow_;
        CopyPivotRow((Lo + Hi) / 2);
        int i = Lo;
        int j = Hi;
        do {
            while (compare(pivot, i) == sign && i < Hi)
                ++i;
            while (compare(j, pivot) == sign && Lo < j)
                --j;
            if (j >= i) {
                if (i != j && (Indexed || compare(i, j) != 0))
                    ExchangeRows(i, j);
                --j;
                ++i;
            }
        } while (j >= i);
        if (j - Lo < Hi - i) {
            if (Lo < j)
                QuickSortRows(Lo, j, Indexed, Depth);
            Lo = i;
        } else {
            if (i < Hi)
                QuickSortRows(i, Hi, Indexed, Depth);
            Hi = j;
        }
    }
}

void TExtStringGrid::MergeSortRows(int Lo, int Hi, bool Indexed)
{
    const int sign = Indexed || SortSettings()->Direction() == sdAscending ? 1 : -1;
    const int column = SortSettings()->Column();
    // Whether row A belongs before row B. The rows stay where they are
    // while their order is found, so each is compared where it stands.
    auto before = [&](int A, int B) {
        return (Indexed ? CompareRowsIndexed(0, A, B) : CompareRows(column, A, B)) == -sign;
    };
    const auto count = static_cast<size_t>(Hi - Lo + 1);
    std::vector<int> order(count);
    std::vector<int> merged(count);
    std::iota(order.begin(), order.end(), Lo);
    // Runs of 1, 2, 4 ... rows merged pairwise; of equal rows the earlier
    // one comes first.
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
    // Each row goes to its place by one exchange at most: at[p] is the row
    // (by its first place) now at place p, where[r] the place of row r.
    std::vector<int> at(count);
    std::iota(at.begin(), at.end(), 0);
    std::vector<int> where = at;
    for (size_t k = 0; k < count; ++k) {
        const int wanted = order[k] - Lo;
        const int p = where[static_cast<size_t>(wanted)];
        if (p == static_cast<int>(k))
            continue;
        ExchangeRows(Lo + static_cast<int>(k), Lo + p);
        const int displaced = at[k];
        at[static_cast<size_t>(p)] = displaced;
        where[static_cast<size_t>(displaced)] = p;
        at[k] = wanted;
        where[static_cast<size_t>(wanted)] = static_cast<int>(k);
    }
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
