// The workbook reader: reads one .xls file and writes the active sheet's
// used range and values to its standard output (workbookreply.h), then
// ends. It runs as a process of its own so that a workbook that makes
// FreeXL crash or hang ends this process, never the program that asked.
//
//   xlsreader <workbook.xls>
//
// FreeXL gives the cells' numbers, texts and dates; the workbook's own
// records (biffscan.h) say which sheet is active, where its used range lies
// and which cells hold a boolean or an error.
#include "platform/xlsreader/biffscan.h"
#include "platform/xlsreader/workbookreply.h"

#include <freexl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// Workbooks larger than this are not read.
constexpr std::streamoff kMaxFileBytes = 256 * 1024 * 1024;

// FreeXL's error codes, in words.
const char* FreeXLReason(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return "file not found";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "not enough memory";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return "not an .xls workbook";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return "no workbook inside";
    case FREEXL_BIFF_ILLEGAL_SHEET_INDEX:
        return "no worksheet";
    case FREEXL_UNSUPPORTED_CHARSET:
        return "unsupported character set";
    default:
        return "corrupt file";
    }
}

// Writes the reply whole and ends without running exit handlers: whatever
// FreeXL kept on a damaged file goes with the process.
[[noreturn]] void Answer(const TWorkbookReply& reply)
{
    const std::string bytes = EncodeWorkbookReply(reply);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            _exit(1);
        done += static_cast<std::size_t>(n);
    }
    _exit(0);
}

[[noreturn]] void Refuse(const char* reason)
{
    TWorkbookReply reply;
    reply.Refused = true;
    reply.Reason = reason;
    Answer(reply);
}

bool ReadWholeFile(const char* path, std::string& bytes, const char*& failure)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        failure = "file not found";
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileBytes) {
        failure = size < 0 ? "file cannot be read" : "workbook too large";
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(bytes.data(), size)) {
        failure = "file cannot be read";
        return false;
    }
    return true;
}

// Days since 30 December 1899 of a civil date.
double Serial(int y, int m, int d)
{
    // Days from 1 March of year 0, in the proleptic Gregorian calendar.
    const auto days = [](int year, int month, int day) {
        year -= month <= 2;
        const int era = (year >= 0 ? year : year - 399) / 400;
        const int yoe = year - era * 400;
        const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
        const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe;
    };
    return days(y, m, d) - days(1899, 12, 30);
}

// FreeXL's date texts ("YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS", "HH:MM:SS") as
// a date serial; false for a text of another shape.
bool DateSerial(int type, const char* text, double& serial)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    int used = 0;
    bool ok = false;
    if (type == FREEXL_CELL_DATE)
        ok = std::sscanf(text, "%4d-%2d-%2d%n", &y, &mo, &d, &used) == 3;
    else if (type == FREEXL_CELL_DATETIME)
        ok = std::sscanf(text, "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) == 6;
    else
        ok = std::sscanf(text, "%2d:%2d:%2d%n", &h, &mi, &s, &used) == 3;
    ok = ok && text[used] == '\0' && h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 60;
    if (type != FREEXL_CELL_TIME)
        ok = ok && y >= 100 && mo >= 1 && mo <= 12 && d >= 1 && d <= 31;
    if (!ok)
        return false;
    serial = (type == FREEXL_CELL_TIME ? 0 : Serial(y, mo, d)) + (h * 3600 + mi * 60 + s) / 86400.0;
    return true;
}

// One cell as FreeXL reads it; false for an empty cell.
bool FreeXLCell(const void* handle, unsigned row, unsigned short col, TReplyCell& cell)
{
    FreeXL_CellValue value;
    if (freexl_get_cell_value(handle, row, col, &value) != FREEXL_OK)
        return false;
    switch (value.type) {
    case FREEXL_CELL_INT:
        cell.Kind = TReplyKind::Number;
        cell.Number = value.value.int_value;
        return true;
    case FREEXL_CELL_DOUBLE:
        cell.Kind = TReplyKind::Number;
        cell.Number = value.value.double_value;
        return std::isfinite(cell.Number);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        cell.Kind = TReplyKind::Text;
        cell.Text = value.value.text_value ? value.value.text_value : "";
        return !cell.Text.empty();
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        if (!value.value.text_value)
            return false;
        if (DateSerial(value.type, value.value.text_value, cell.Number)) {
            cell.Kind = TReplyKind::Date;
        } else {
            cell.Kind = TReplyKind::Text;
            cell.Text = value.value.text_value;
        }
        return true;
    default:
        return false;
    }
}

// FreeXL's index of the active sheet: the worksheet of the same name, else
// the same place among the worksheets.
unsigned short FreeXLSheet(const void* handle, const biffscan::TActiveSheet& sheet)
{
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return 0;
    for (unsigned short i = 0; i < count && !sheet.Name.empty(); ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, i, &name) == FREEXL_OK && name && sheet.Name == name)
            return i;
    }
    return static_cast<unsigned>(sheet.WorksheetIndex) < count ? static_cast<unsigned short>(sheet.WorksheetIndex) : 0;
}

// The reply's cell for a marked cell (a boolean or an error); false for a
// mark that empties its cell.
bool MarkedCell(const biffscan::TCellMark& mark, TReplyCell& cell)
{
    cell.Kind = mark.Kind == biffscan::TCellMark::Boolean ? TReplyKind::Boolean : TReplyKind::Error;
    cell.Code = mark.Value;
    cell.Text.clear();
    return mark.Kind != biffscan::TCellMark::Blank;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        Refuse("no workbook named");
    std::string file;
    const char* failure = nullptr;
    if (!ReadWholeFile(argv[1], file, failure))
        Refuse(failure);
    biffscan::TActiveSheet sheet;
    const biffscan::TScan scan = biffscan::ScanActiveSheet(file, sheet);
    if (scan != biffscan::TScan::Ok)
        Refuse(biffscan::ScanFailure(scan));
    file = std::string();

    const void* handle = nullptr;
    const int opened = freexl_open(argv[1], &handle);
    if (opened != FREEXL_OK || !handle)
        Refuse(FreeXLReason(opened != FREEXL_OK ? opened : FREEXL_CRAFTED_FILE));
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(handle, FreeXLSheet(handle, sheet)) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK)
        Refuse("corrupt file");

    TWorkbookReply reply;
    if (sheet.Used) {
        reply.FirstRow = sheet.FirstRow + 1;
        reply.LastRow = sheet.LastRow + 1;
        reply.FirstCol = static_cast<std::uint16_t>(sheet.FirstCol + 1);
        reply.LastCol = static_cast<std::uint16_t>(sheet.LastCol + 1);
    }
    auto mark = sheet.Marks.begin();
    for (std::uint32_t r = reply.FirstRow; sheet.Used && r <= reply.LastRow; ++r)
        for (std::uint32_t c = reply.FirstCol; c <= reply.LastCol; ++c) {
            while (mark != sheet.Marks.end() && (mark->Row + 1u < r || (mark->Row + 1u == r && mark->Col + 1u < c)))
                ++mark;
            TReplyCell cell;
            cell.Row = r;
            cell.Col = static_cast<std::uint16_t>(c);
            const bool marked = mark != sheet.Marks.end() && mark->Row + 1u == r && mark->Col + 1u == c;
            const bool value = marked ? MarkedCell(*mark, cell)
                                      : r <= rows && c <= cols
                                            && FreeXLCell(handle, r - 1, static_cast<unsigned short>(c - 1), cell);
            if (value)
                reply.Cells.push_back(std::move(cell));
        }
    freexl_close(handle);
    Answer(reply);
}
