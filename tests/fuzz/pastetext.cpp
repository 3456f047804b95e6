// Pasting into small grids. The first byte chooses the grid (1 to 4 columns
// and rows), growth of columns and rows, quoted multi-line values and the
// kind of paste; the second byte the target cell (-1 to 4 each way).
// - Text paste (bit 7 clear): the rest is UTF-8 text given to PasteText,
//   then pasted again into a selection of a second grid with the smart fill.
//   The count of visited cells is the count of values, the grid never
//   shrinks, and grows only where growth is on.
// - Private paste (bit 7 set): the rest is the clipboard block of the cell
//   format, raw, or (when it starts with a zero byte) a valid block of a
//   sample grid overwritten by the triples that follow (two bytes of
//   position, one of value). It loads or raises the reading error, and
//   every cell of the grid reads afterwards.
#include "tests/fuzz/support/fuzz.h"

#include "grid/cellstream.h"
#include "grid/extgrid.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Texts longer than this say nothing new and only make big grids.
constexpr std::size_t kMaxText = 512;

struct Settings {
    int cols, rows;
    bool colGrow, rowGrow, quoted, cells;
    int col, row;
};

Settings Decode(std::uint8_t mode, std::uint8_t target)
{
    return {1 + (mode & 3),      1 + ((mode >> 2) & 3), bool(mode & 0x10),       bool(mode & 0x20),
            bool(mode & 0x40),   bool(mode & 0x80),     (target & 15) % 6 - 1, (target >> 4) % 6 - 1};
}

void Prepare(TExtStringGrid& grid, const Settings& s)
{
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetColCount(s.cols);
    grid.SetRowCount(s.rows);
    grid.SetOptions(grid.Options() | goEditing);
    grid.QuotedMultilineClipboard = s.quoted;
    grid.Multilinecells = s.quoted;
    TNavigation& nav = *grid.Navigation();
    nav.AllowClipboardColGrow = s.colGrow;
    nav.AllowClipboardRowGrow = s.rowGrow;
    nav.AllowFmtClipboard = true;
    nav.AllowRTFClipboard = true;
    nav.AllowSmartClipboard = true;
}

void CheckEveryCellReads(TExtStringGrid& grid)
{
    FuzzCheck(std::int64_t(grid.ColCount()) * grid.RowCount() <= kMaxGridCells,
              "the grid stays within its size limit");
    if (std::int64_t(grid.ColCount()) * grid.RowCount() > 100000)
        return;
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            try {
                grid.Cells(c, r);
                grid.MergedCellRect(c, r);
            } catch (const EInvalidGridOperation&) {
                FuzzFail("a pasted cell refers outside the grid");
            }
}

// Tabs plus line ends plus one: a CR with its optional LF ends a line.
int CountValues(const QString& text)
{
    int values = 1;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\t') || text[i] == QLatin1Char('\r'))
            ++values;
    return values;
}

void PasteTextCase(const Settings& s, const QString& text)
{
    TExtStringGrid grid;
    Prepare(grid, s);
    const int visited = grid.PasteText(s.col, s.row, text);
    const bool inside = s.col >= 0 && s.row >= 0;
    FuzzCheck(visited == (inside ? CountValues(text) : 0), "every value is counted once");
    FuzzCheck(grid.ColCount() >= s.cols && grid.RowCount() >= s.rows, "a paste never shrinks the grid");
    FuzzCheck(s.colGrow || grid.ColCount() == s.cols, "no columns added with column growth off");
    FuzzCheck(s.rowGrow || grid.RowCount() == s.rows, "no rows added with row growth off");
    CheckEveryCellReads(grid);

    // Through the clipboard into a selection, with the smart fill.
    QGuiApplication::clipboard()->setText(text);
    TExtStringGrid second;
    Prepare(second, s);
    second.SetSelection({0, 0, s.cols - 1, s.rows - 1});
    second.PasteIntoSelection();
    CheckEveryCellReads(second);
}

QByteArray SampleBlock()
{
    TExtStringGrid grid;
    Settings s = Decode(0x0f, 0);
    Prepare(grid, s);
    grid.SetCells(0, 0, "a");
    grid.SetCells(2, 3, QStringLiteral("Ω"));
    grid.GetCellProperties(1, 1)->SetBrushColor(clYellow);
    grid.CreateCellGraphic(3, 0)->CellType = ctCheckBox;
    grid.SetSelection({0, 0, 3, 2});
    grid.CopySelection();
    return QGuiApplication::clipboard()->mimeData()->data(TExtStringGrid::CellsMimeType());
}

QByteArray Block(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || data[0] != 0)
        return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static const QByteArray sample = SampleBlock();
    QByteArray block = sample;
    for (std::size_t i = 1; i + 3 <= size; i += 3) {
        const std::size_t at = (data[i] | (data[i + 1] << 8)) % static_cast<std::size_t>(block.size());
        block[static_cast<qsizetype>(at)] = static_cast<char>(data[i + 2]);
    }
    return block;
}

void PasteCellsCase(const Settings& s, const QByteArray& block)
{
    TExtStringGrid grid;
    Prepare(grid, s);
    auto* mime = new QMimeData;
    mime->setData(TExtStringGrid::CellsMimeType(), block);
    QGuiApplication::clipboard()->setMimeData(mime);
    try {
        FuzzCheck(grid.PasteFromClipboard(std::max(s.col, 0), std::max(s.row, 0)) == 0,
                  "a cell-format paste counts no cells");
    } catch (const EReadError&) {
        // The cells read before the fault stay.
    }
    CheckEveryCellReads(grid);
}

} // namespace

std::vector<std::string> FuzzSeeds()
{
    return {
        std::string("\x30\x00" "a\tb\r\n", 7),
        std::string("\x00\x11" "1\r\n3\r\n", 8),
        std::string("\x7f\x00" "\"l1\nl2\"\tx\ry", 13),
        std::string("\x35\x00" "12/30/2024\r\n12/31/2024\r\n", 26),
        std::string("\x33\x00" "10:00\r\n10:30\r\n", 16),
        std::string("\x80\x11\x00", 3),
        std::string("\x83\x00\x00\x05\x00\x7f\x20\x00\xff", 9),
        std::string("\x80\x00TPF0", 6),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 2)
        return 0;
    const Settings s = Decode(data[0], data[1]);
    const std::size_t rest = std::min(size - 2, kMaxText);
    if (s.cells)
        PasteCellsCase(s, Block(data + 2, rest));
    else
        PasteTextCase(s, QString::fromUtf8(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(rest)));
    return 0;
}
