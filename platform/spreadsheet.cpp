// The spreadsheet server over the workbook reader: opening a workbook runs
// the reader on the file and keeps its answer, the active sheet's used range
// and values; the ranges read from that answer.
#include "platform/spreadsheet.h"

#include "platform/localesettings.h"

#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTime>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

int liveServers = 0;
int openWorkbooks = 0;

// A reader that has not answered by then is stopped; a reply larger than
// the largest workbook's values is refused.
constexpr int kReaderTimeLimitMs = 30000;
constexpr qsizetype kMaxReplyBytes = qsizetype(256) * 1024 * 1024;

[[noreturn]] void Fail(const QString& fileName, const QString& reason)
{
    throw ESpreadsheetError(QStringLiteral("Cannot open workbook \"%1\": %2").arg(fileName, reason));
}

[[noreturn]] void ReaderFailed(const QString& fileName, const QString& how)
{
    throw ESpreadsheetReaderError(QStringLiteral("The workbook reader %1 on \"%2\"").arg(how, fileName));
}

QString ReaderPath()
{
    const QString& hooked = SpreadsheetServerHooks().ReaderPath;
    return hooked.isEmpty() ? InstalledWorkbookReader() : hooked;
}

// Runs the reader on the file and gives its reply's bytes; raises
// ESpreadsheetReaderError when it cannot start, crashes, ends with a failure,
// answers too much or not within the time limit.
QByteArray RunReader(const QString& fileName)
{
    const TSpreadsheetServerHooks& hooks = SpreadsheetServerHooks();
    const int limit = hooks.ReaderTimeLimitMs > 0 ? hooks.ReaderTimeLimitMs : kReaderTimeLimitMs;
    const qsizetype maxReply = hooks.ReaderReplyLimitBytes > 0 ? hooks.ReaderReplyLimitBytes : kMaxReplyBytes;
    QProcess reader;
    reader.setStandardInputFile(QProcess::nullDevice());
    // What the reader says on its error output (a library's complaint, a
    // sanitizer's report) goes where this program's own goes.
    reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    reader.start(ReaderPath(), {fileName});
    const QDeadlineTimer deadline(limit);
    if (!reader.waitForStarted(limit))
        ReaderFailed(fileName, QStringLiteral("could not be started"));
    QByteArray reply;
    const auto stop = [&](const QString& how) {
        reader.kill();
        reader.waitForFinished(limit);
        ReaderFailed(fileName, how);
    };
    for (;;) {
        reply += reader.readAllStandardOutput();
        if (reply.size() > maxReply)
            stop(QStringLiteral("answered too much"));
        if (reader.state() == QProcess::NotRunning)
            break;
        if (deadline.hasExpired())
            stop(QStringLiteral("did not answer in time"));
        // A reader that closed its output and goes on is waited for, not
        // polled.
        const int left = static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1));
        if (!reader.waitForReadyRead(left) && reader.state() != QProcess::NotRunning)
            reader.waitForFinished(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
    }
    reply += reader.readAllStandardOutput();
    if (reader.exitStatus() != QProcess::NormalExit)
        ReaderFailed(fileName, QStringLiteral("crashed"));
    if (reader.exitCode() != 0)
        ReaderFailed(fileName, QStringLiteral("failed (exit code %1)").arg(reader.exitCode()));
    if (reply.size() > maxReply)
        ReaderFailed(fileName, QStringLiteral("answered too much"));
    return reply;
}

// The reader's answer on the file: its values, or its refusal raised.
TWorkbookReply ReadWorkbook(const QString& fileName)
{
    const QByteArray bytes = RunReader(fileName);
    TWorkbookReply reply;
    std::string why;
    if (!DecodeWorkbookReply(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), reply, why))
        ReaderFailed(fileName, QStringLiteral("gave no valid reply (%1)").arg(QString::fromStdString(why)));
    if (reply.Refused)
        Fail(fileName, QString::fromStdString(reply.Reason));
    return reply;
}

// A date serial's text: the short date, the time of day after it unless it
// is midnight, a bare time of day alone.
QString DateText(double serial)
{
    const double day = std::floor(serial);
    // Rounded to the second, which may end the day.
    const auto seconds = static_cast<int>(std::llround((serial - day) * 86400.0));
    const qint64 days = static_cast<qint64>(day) + seconds / 86400;
    const QTime time = QTime(0, 0).addSecs(seconds % 86400);
    const TLocaleSettings& locale = LocaleSettings();
    const QString timeText = time.toString(QStringLiteral("hh%1mm%1ss").arg(locale.TimeSeparator));
    if (days == 0 && seconds % 86400)
        return timeText;
    const QString dateText = LocaleDateText(QDate(1899, 12, 30).addDays(days));
    return seconds % 86400 ? dateText + ' ' + timeText : dateText;
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
    case Boolean:
        return Number_ != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case Date:
        return DateText(Number_);
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
    return TSpreadsheetRange(book_, book_->FirstRow(), book_->FirstCol(), book_->LastRow(), book_->LastCol());
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

TSpreadsheetWorkbook::TSpreadsheetWorkbook(const QString& FileName, TWorkbookReply Reply)
    : fileName_(FileName), reply_(std::move(Reply))
{
    ++openWorkbooks;
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
    if (std::exchange(closed_, true))
        return;
    reply_ = TWorkbookReply();
    --openWorkbooks;
}

int TSpreadsheetWorkbook::FirstRow() const
{
    return std::max<int>(static_cast<int>(reply_.FirstRow), 1);
}

int TSpreadsheetWorkbook::FirstCol() const
{
    return std::max<int>(reply_.FirstCol, 1);
}

int TSpreadsheetWorkbook::LastRow() const
{
    return std::max<int>(static_cast<int>(reply_.LastRow), 1);
}

int TSpreadsheetWorkbook::LastCol() const
{
    return std::max<int>(reply_.LastCol, 1);
}

TSpreadsheetValue TSpreadsheetWorkbook::CellValue(int Row, int Col) const
{
    TSpreadsheetValue value;
    const auto cell = std::lower_bound(reply_.Cells.begin(), reply_.Cells.end(), std::pair(Row, Col),
                                       [](const TReplyCell& c, std::pair<int, int> at) {
                                           return std::pair<int, int>(static_cast<int>(c.Row), c.Col) < at;
                                       });
    if (cell == reply_.Cells.end() || static_cast<int>(cell->Row) != Row || cell->Col != Col)
        return value;
    switch (cell->Kind) {
    case TReplyKind::Number:
        value.Kind = TSpreadsheetValue::Number;
        value.Number_ = cell->Number;
        break;
    case TReplyKind::Date:
        value.Kind = TSpreadsheetValue::Date;
        value.Number_ = cell->Number;
        break;
    case TReplyKind::Text:
        value.Kind = TSpreadsheetValue::Text;
        value.Text_ = QString::fromStdString(cell->Text);
        break;
    case TReplyKind::Boolean:
        value.Kind = TSpreadsheetValue::Boolean;
        value.Number_ = cell->Code;
        break;
    case TReplyKind::Error:
        value.Kind = TSpreadsheetValue::Error;
        value.Number_ = cell->Code;
        break;
    }
    return value;
}

TSpreadsheetWorkbook* TSpreadsheetWorkbooks::Open(const QString& FileName)
{
    books_.push_back(std::make_unique<TSpreadsheetWorkbook>(FileName, ReadWorkbook(FileName)));
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
    const QFileInfo reader(ReaderPath());
    if (!reader.isFile() || !reader.isExecutable())
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

QString InstalledWorkbookReader()
{
    QStringList dirs;
    Dl_info module;
    if (dladdr(reinterpret_cast<const void*>(&InstalledWorkbookReader), &module) && module.dli_fname)
        dirs << QFileInfo(QFile::decodeName(module.dli_fname)).absolutePath();
    if (QCoreApplication::instance())
        dirs << QCoreApplication::applicationDirPath();
    dirs << QStringLiteral(TRIVANTO_PROGRAM_DIR);
    for (const QString& dir : dirs) {
        const QFileInfo reader(dir + QStringLiteral("/xlsreader"));
        if (reader.isFile() && reader.isExecutable())
            return reader.absoluteFilePath();
    }
    return QString();
}

QString SpreadsheetColumnLetters(int Col)
{
    QString letters;
    for (int n = Col; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar('A' + (n - 1) % 26));
    return letters;
}
