// The grid's import of delimited text files and of spreadsheet workbooks.
// Both replace the grid's data: the data cells are emptied once the file is
// open and its size is known to fit the grid (a file that cannot be opened,
// or that the grid cannot hold, leaves the grid as it was), the values
// are stored without per-cell events, and one CellsChanged follows.
#include "grid/csvimport.h"
#include "grid/extgrid.h"
#include "grid/floatingfooter.h"
#include "platform/spreadsheet.h"

#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <utility>

namespace {

// The hourglass while a workbook is read; the default cursor comes back on
// every way out.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// The workbook is closed without saving and the server quit on every way
// out, an error of the server included.
class TServerSession {
public:
    explicit TServerSession(TSpreadsheetApplication& Server) : server_(Server) {}
    ~TServerSession() { End(); }
    TServerSession(const TServerSession&) = delete;
    TServerSession& operator=(const TServerSession&) = delete;

    TSpreadsheetWorkbook* Book = nullptr;
    void End()
    {
        if (std::exchange(ended_, true))
            return;
        if (Book)
            std::exchange(Book, nullptr)->Close(false);
        server_.Quit();
    }

private:
    TSpreadsheetApplication& server_;
    bool ended_ = false;
};

// The cells a used-range address spans, 1-based.
struct TSheetRange {
    int FirstCol = 0;
    int FirstRow = 0;
    int LastCol = 0;
    int LastRow = 0;
};

// A column in letter notation: one letter its place in the alphabet (A = 1),
// two letters the first's times 26 plus the second's.
int ColumnFromLetters(QStringView Letters)
{
    const auto place = [](QChar c) {
        const char16_t u = c.toUpper().unicode();
        return u >= u'A' && u <= u'Z' ? u - u'A' + 1 : 0;
    };
    if (Letters.size() == 1)
        return place(Letters[0]);
    if (Letters.size() == 2 && place(Letters[0]) && place(Letters[1]))
        return place(Letters[0]) * 26 + place(Letters[1]);
    return 0;
}

// One end of the address ("$C$12", or "$12" for a whole row): its column
// and row; false when it cannot be read.
bool ReadReference(QStringView Ref, int& Col, int& Row, int& LastCol)
{
    if (Ref.startsWith(QChar('$')))
        Ref = Ref.mid(1);
    const qsizetype dollar = Ref.indexOf(QChar('$'));
    bool ok = false;
    if (dollar < 0) {
        Row = Ref.toInt(&ok);
        Col = 1;
        LastCol = 256;
        return ok && Row >= 1;
    }
    Row = Ref.mid(dollar + 1).toInt(&ok);
    Col = LastCol = ColumnFromLetters(Ref.left(dollar));
    return ok && Row >= 1 && Col >= 1;
}

// "$A$1:$C$4" (or "$1:$4") into its range; false for an address without
// ":" (a single cell) or one that cannot be read.
bool ReadUsedRange(const QString& Address, TSheetRange& Range)
{
    const qsizetype colon = Address.indexOf(QChar(':'));
    if (colon < 0)
        return false;
    int unused = 0;
    return ReadReference(QStringView(Address).left(colon), Range.FirstCol, Range.FirstRow, unused)
           && ReadReference(QStringView(Address).mid(colon + 1), unused, Range.LastRow, Range.LastCol)
           && Range.FirstCol <= Range.LastCol && Range.FirstRow <= Range.LastRow;
}

// Whether a value of the sheet goes into its cell: anything but nothing, an
// object reference or an error value.
bool HoldsText(const TSpreadsheetValue& Value)
{
    switch (Value.Kind) {
    case TSpreadsheetValue::Empty:
    case TSpreadsheetValue::Object:
    case TSpreadsheetValue::Error:
        return false;
    default:
        return true;
    }
}

// The workbook as the server opens it. A reader that the workbook crashed,
// hung or confused makes the workbook one the grid cannot import.
TSpreadsheetWorkbook* OpenWorkbook(TSpreadsheetApplication& Server, const QString& FileName)
{
    try {
        return Server.WorkBooks().Open(FileName);
    } catch (const ESpreadsheetReaderError&) {
        throw EExtGridError(FileName + QStringLiteral(" is not a valid workbook"));
    }
}

QString RangeAddress(const TSheetRange& R)
{
    return SpreadsheetColumnLetters(R.FirstCol) + QString::number(R.FirstRow) + ':'
           + SpreadsheetColumnLetters(R.LastCol) + QString::number(R.LastRow);
}

} // namespace

void TExtStringGrid::LoadFromCSV(const QString& FileName)
{
    const int firstCol = IncludeFixedCells ? 0 : FixedCols();
    const int firstRow = IncludeFixedCells ? 0 : FixedRows();
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EExtGridError(QStringLiteral("Cannot open file ") + FileName);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EExtGridError(QStringLiteral("Cannot read file ") + FileName);
    file.close();

    // The grid as the reader's table: values stored as they are, without
    // per-cell events or repaints.
    class TGridSink : public TCsvSink {
    public:
        TGridSink(TExtStringGrid& Grid, int FirstCol, int FirstRow) : grid_(Grid), firstCol_(FirstCol), firstRow_(FirstRow) {}
        // A file the grid cannot hold is refused while the grid is as it was.
        void Begin(int ColCount, int RowCount) override
        {
            CheckGridSize(ColCount, RowCount);
            grid_.ClearImportCells(firstCol_, firstRow_);
        }
        int RowCount() const override { return grid_.RowCount(); }
        void SetRowCount(int Count) override { grid_.SetRowCount(Count); }
        int ColCount() const override { return grid_.ColCount(); }
        void SetColCount(int Count) override { grid_.SetColCount(Count); }
        void SetCell(int ACol, int ARow, const QString& Value) override { grid_.StoreText(ACol, ARow, Value); }
        void Progress(int Percent) override { grid_.OnFileProgress(&grid_, static_cast<short>(Percent)); }

    private:
        TExtStringGrid& grid_;
        int firstCol_;
        int firstRow_;
    };

    TCsvOptions options;
    options.ValueSeparator = ValueSeparator;
    options.TildeLineBreaks = TildeLineBreaks;
    options.FirstCol = firstCol;
    options.FirstRow = firstRow;
    options.FixedFooters = FixedFooters();
    options.ReportProgress = static_cast<bool>(OnFileProgress);

    ReadKeepingFooter([&] {
        TGridSink sink(*this, firstCol, firstRow);
        ReadCsv(DecodeCsvText(bytes, OemConvert), options, sink);
    });
    // CellsChanged recalculates the floating footer too.
    CellsChanged(TRect{0, 0, ColCount(), RowCount()});
}

void TExtStringGrid::LoadFromXLS(const QString& FileName)
{
    {
        TWaitCursor wait;
        std::unique_ptr<TSpreadsheetApplication> server = CreateSpreadsheetServer(QStringLiteral("excel.application"));
        if (!server)
            throw EExtGridError(QStringLiteral("Excel OLE server not found"));
        TServerSession session(*server);
        session.Book = OpenWorkbook(*server, FileName);
        const TSpreadsheetSheet* sheet = session.Book->ActiveSheet();
        const TSpreadsheetRange used = sheet->UsedRange();

        TSheetRange range;
        const bool determined = ReadUsedRange(used.Address(), range);
        // A single used cell (or an address that cannot be read) keeps the
        // grid's size and goes into the first data cell.
        const TSpreadsheetValues values = determined ? sheet->Range(RangeAddress(range)).Value() : used.Value();
        const int fixedCols = IncludeFixedCells ? 0 : FixedCols();
        const int fixedRows = IncludeFixedCells ? 0 : FixedRows();
        const int rows = determined ? values.Rows() : std::min(values.Rows(), 1);
        const int cols = determined ? values.Cols() : std::min(values.Cols(), 1);

        // The footer rows stay below the sheet's rows.
        const int footers = FixedFooters();

        ReadKeepingFooter([&] {
            ClearImportCells(fixedCols, fixedRows);
            if (determined) {
                // Both counts at once, so that a fixed column or row is never
                // lost to a count too small for it on the way.
                SetColCount(range.LastCol - range.FirstCol + 1 + fixedCols);
                SetRowCount(range.LastRow - range.FirstRow + 1 + fixedRows + footers);
            } else {
                // The grid keeps its size unless it has no data cell for the
                // single value.
                SetColCount(std::max(ColCount(), fixedCols + cols));
                SetRowCount(std::max(RowCount(), fixedRows + rows + footers));
            }
            for (int i = 1; i <= rows && fixedRows + i - 1 < RowCount() - footers; ++i)
                for (int j = 1; j <= cols && fixedCols + j - 1 < ColCount(); ++j) {
                    const TSpreadsheetValue& value = values.At(i, j);
                    if (HoldsText(value))
                        StoreText(fixedCols + j - 1, fixedRows + i - 1, value.AsText());
                }
        });
        session.End();
    } // the server object is released here
    CellsChanged(TRect{0, 0, ColCount(), RowCount()});
}

void TExtStringGrid::ClearImportCells(int FirstCol, int FirstRow)
{
    for (int r = FirstRow; r < RowCount(); ++r)
        for (int c = FirstCol; c < ColCount(); ++c)
            if (!StoredText(c, r).isEmpty())
                StoreText(c, r, QString());
}

void TExtStringGrid::ReadKeepingFooter(const std::function<void()>& Read)
{
    const bool footerRow = FloatingFooter()->Visible();
    BeginUpdate();
    const std::vector<std::uint8_t> footerKinds = footerRow ? TakeFooterKinds() : std::vector<std::uint8_t>();
    try {
        Read();
        if (footerRow && RowCount() > 0)
            ClearImportCells(0, RowCount() - 1);
    } catch (...) {
        PutFooterKinds(footerKinds);
        EndUpdate();
        throw;
    }
    PutFooterKinds(footerKinds);
    EndUpdate();
}
