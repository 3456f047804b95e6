// The spreadsheet server over FreeXL: a workbook is the .xls file opened
// with freexl_open, its active sheet the first worksheet, its used range
// A1 to the sheet's last row and column.
#include "platform/spreadsheet.h"

#include "platform/localesettings.h"

#include <QFile>

#include <freexl.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

int liveServers = 0;
int openWorkbooks = 0;

// FreeXL's error codes, in words.
QString FreeXLReason(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("file not found");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("not enough memory");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return QStringLiteral("not an .xls workbook");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("no workbook inside");
    case FREEXL_BIFF_ILLEGAL_SHEET_INDEX:
        return QStringLiteral("no worksheet");
    case FREEXL_UNSUPPORTED_CHARSET:
        return QStringLiteral("unsupported character set");
    case FREEXL_CRAFTED_FILE:
        return QStringLiteral("corrupt file");
    default:
        return QStringLiteral("unreadable workbook (FreeXL error %1)").arg(code);
    }
}

[[noreturn]] void Fail(const QString& fileName, const QString& reason)
{
    throw ESpreadsheetError(QStringLiteral("Cannot open workbook \"%1\": %2").arg(fileName, reason));
}

// "AB12" (after any "$") into row and column; false when it is no cell.
bool ParseCell(QString text, int& row, int& col)
{
    text.remove('$');
    int i = 0;
    col = 0;
    while (i < text.size() && text[i].isLetter() && text[i].unicode() < 128) {
        col = col * 26 + (text[i].toUpper().unicode() - 'A' + 1);
        if (++i > 3)
            return false;
    }
    bool ok = false;
    row = text.mid(i).toInt(&ok);
    return i > 0 && i < text.size() && text[i].isDigit() && ok && row >= 1 && row <= 65536 && col >= 1
           && col <= 256;
}

} // namespace

// ---------------------------------------------------------------- values

QString TSpreadsheetValue::AsText() const
{
    switch (Kind) {
    case Number: {
        QString text = QString::number(Number_, 'g', 15);
        return text.replace('.', LocaleSettings().DecimalSeparator);
    }
    case Text:
        return Text_;
    default:
        return QString();
    }
}

TSpreadsheetValues::TSpreadsheetValues(int Rows, int Cols)
    : rows_(std::max(Rows, 0)), cols_(std::max(Cols, 0)),
      values_(static_cast<size_t>(rows_) * static_cast<size_t>(cols_))
{
}

const TSpreadsheetValue& TSpreadsheetValues::At(int Row, int Col) const
{
    return values_.at(static_cast<size_t>(Row - 1) * static_cast<size_t>(cols_) + static_cast<size_t>(Col - 1));
}

TSpreadsheetValue& TSpreadsheetValues::At(int Row, int Col)
{
    return values_.at(static_cast<size_t>(Row - 1) * static_cast<size_t>(cols_) + static_cast<size_t>(Col - 1));
}

// ---------------------------------------------------------------- ranges

TSpreadsheetRange::TSpreadsheetRange(const TSpreadsheetWorkbook* Book, int FirstRow, int FirstCol, int LastRow,
                                     int LastCol)
    : book_(Book), firstRow_(FirstRow), firstCol_(FirstCol), lastRow_(LastRow), lastCol_(LastCol)
{
}

QString TSpreadsheetRange::Address() const
{
    const auto ref = [](int col, int row) {
        return QStringLiteral("$%1$%2").arg(SpreadsheetColumnLetters(col)).arg(row);
    };
    if (firstRow_ == lastRow_ && firstCol_ == lastCol_)
        return ref(firstCol_, firstRow_);
    return ref(firstCol_, firstRow_) + ':' + ref(lastCol_, lastRow_);
}

TSpreadsheetValues TSpreadsheetRange::Value() const
{
    if (book_->Closed())
        throw ESpreadsheetError(QStringLiteral("The workbook \"%1\" is closed").arg(book_->FileName()));
    if (std::exchange(SpreadsheetServerHooks().FailNextValue, false))
        throw ESpreadsheetError(QStringLiteral("Cannot read the values of \"%1\"").arg(book_->FileName()));
    TSpreadsheetValues values(lastRow_ - firstRow_ + 1, lastCol_ - firstCol_ + 1);
    for (int i = 1; i <= values.Rows(); ++i)
        for (int j = 1; j <= values.Cols(); ++j)
            values.At(i, j) = book_->CellValue(firstRow_ + i - 1, firstCol_ + j - 1);
    return values;
}

TSpreadsheetRange TSpreadsheetSheet::UsedRange() const
{
    return TSpreadsheetRange(book_, 1, 1, std::max(book_->UsedRows(), 1), std::max(book_->UsedCols(), 1));
}

TSpreadsheetRange TSpreadsheetSheet::Range(const QString& Address) const
{
    const QStringList refs = Address.split(':');
    int firstRow = 0, firstCol = 0, lastRow = 0, lastCol = 0;
    const bool ok = refs.size() <= 2 && ParseCell(refs.first(), firstRow, firstCol)
                    && ParseCell(refs.last(), lastRow, lastCol) && firstRow <= lastRow && firstCol <= lastCol;
    if (!ok)
        throw ESpreadsheetError(QStringLiteral("Bad range address \"%1\"").arg(Address));
    return TSpreadsheetRange(book_, firstRow, firstCol, lastRow, lastCol);
}

// ---------------------------------------------------------------- workbooks

TSpreadsheetWorkbook::TSpreadsheetWorkbook(const QString& FileName, const void* Handle)
    : fileName_(FileName), handle_(Handle)
{
    ++openWorkbooks;
    unsigned int rows = 0;
    unsigned short cols = 0;
    int result = freexl_select_active_worksheet(handle_, 0);
    if (result == FREEXL_OK)
        result = freexl_worksheet_dimensions(handle_, &rows, &cols);
    if (result != FREEXL_OK) {
        Close(false);
        Fail(FileName, FreeXLReason(result));
    }
    // A binary workbook holds at most 65536 rows and 256 columns.
    usedRows_ = static_cast<int>(std::min(rows, 65536u));
    usedCols_ = std::min<int>(cols, 256);
}

TSpreadsheetWorkbook::~TSpreadsheetWorkbook()
{
    Close(false);
}

const TSpreadsheetSheet* TSpreadsheetWorkbook::ActiveSheet() const
{
    return &sheet_;
}

void TSpreadsheetWorkbook::Close(bool SaveChanges)
{
    if (SaveChanges)
        throw ESpreadsheetError(QStringLiteral("The workbook \"%1\" cannot be saved").arg(fileName_));
    if (!handle_)
        return;
    freexl_close(handle_);
    handle_ = nullptr;
    --openWorkbooks;
}

TSpreadsheetValue TSpreadsheetWorkbook::CellValue(int Row, int Col) const
{
    TSpreadsheetValue value;
    if (!handle_ || Row > usedRows_ || Col > usedCols_)
        return value;
    FreeXL_CellValue cell;
    const int result = freexl_get_cell_value(handle_, static_cast<unsigned>(Row - 1),
                                             static_cast<unsigned short>(Col - 1), &cell);
    if (result != FREEXL_OK) {
        value.Kind = TSpreadsheetValue::Error;
        return value;
    }
    switch (cell.type) {
    case FREEXL_CELL_INT:
        value.Kind = TSpreadsheetValue::Number;
        value.Number_ = cell.value.int_value;
        break;
    case FREEXL_CELL_DOUBLE:
        value.Kind = std::isfinite(cell.value.double_value) ? TSpreadsheetValue::Number : TSpreadsheetValue::Error;
        value.Number_ = cell.value.double_value;
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        value.Kind = TSpreadsheetValue::Text;
        value.Text_ = cell.value.text_value ? QString::fromUtf8(cell.value.text_value) : QString();
        break;
    default:
        break;
    }
    return value;
}

TSpreadsheetWorkbook* TSpreadsheetWorkbooks::Open(const QString& FileName)
{
    const void* handle = nullptr;
    const int result = freexl_open(QFile::encodeName(FileName).constData(), &handle);
    if (result != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        Fail(FileName, FreeXLReason(result));
    }
    // FreeXL may report success on a damaged file and give no workbook.
    if (!handle)
        Fail(FileName, FreeXLReason(FREEXL_CRAFTED_FILE));
    books_.push_back(std::make_unique<TSpreadsheetWorkbook>(FileName, handle));
    if (SpreadsheetServerHooks().Opened)
        SpreadsheetServerHooks().Opened(FileName);
    return books_.back().get();
}

void TSpreadsheetWorkbooks::CloseAll()
{
    for (auto& book : books_)
        book->Close(false);
    books_.clear();
}

// ---------------------------------------------------------------- application

TSpreadsheetApplication::TSpreadsheetApplication()
{
    ++liveServers;
}

TSpreadsheetApplication::~TSpreadsheetApplication()
{
    Quit();
    --liveServers;
}

void TSpreadsheetApplication::Quit()
{
    books_.CloseAll();
}

std::unique_ptr<TSpreadsheetApplication> CreateSpreadsheetServer(const QString& ClassName)
{
    if (SpreadsheetServerHooks().Missing || ClassName.compare(QLatin1String("excel.application"), Qt::CaseInsensitive))
        return nullptr;
    return std::make_unique<TSpreadsheetApplication>();
}

TSpreadsheetServerHooks& SpreadsheetServerHooks()
{
    static TSpreadsheetServerHooks hooks;
    return hooks;
}

int LiveSpreadsheetServers()
{
    return liveServers;
}

int OpenSpreadsheetWorkbooks()
{
    return openWorkbooks;
}

QString SpreadsheetColumnLetters(int Col)
{
    QString letters;
    for (int n = Col; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar('A' + (n - 1) % 26));
    return letters;
}
