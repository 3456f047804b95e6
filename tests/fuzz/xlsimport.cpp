// Workbook bytes as the grid's LoadFromXLS reads them through the
// spreadsheet server and its workbook reader, the first byte choosing
// whether fixed cells are included. Any bytes load, or raise the server's
// error or the grid's "not a valid workbook" (a reader that crashed or hung
// on them) with the grid as it was; afterwards no workbook is open, no
// server alive, the cursor is back, and the grid stays within what a binary
// workbook can hold. The reader runs as a process of its own, so only a
// fault on the program's side is a finding here; the reader's own record
// scan has its target (xlsscan).
#include "tests/fuzz/support/fuzz.h"

#include "grid/extgrid.h"
#include "platform/spreadsheet.h"
#include "tests/support/xlsfixtures.h"

#include <QDir>
#include <QGuiApplication>

std::vector<std::string> FuzzSeeds()
{
    FuzzInit();
    const std::pair<char, const char*> books[] = {
        {0, xlsfixtures::kTypes},      {1, xlsfixtures::kTypes},     {0, xlsfixtures::kSingleCell},
        {1, xlsfixtures::kCornerCell}, {0, xlsfixtures::kEmptySheet}, {0, xlsfixtures::kWide},
        {0, xlsfixtures::kActiveSecond}, {1, xlsfixtures::kDates},
    };
    std::vector<std::string> seeds;
    const QString path = QDir(FuzzScratchDir()).filePath(QStringLiteral("seed.xls"));
    for (const auto& [flags, body] : books) {
        xlsfixtures::WriteXls(path, body);
        seeds.push_back(std::string(1, flags) + FuzzReadFile(path).toStdString());
    }
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 1)
        return 0;
    const QString path = QDir(FuzzScratchDir()).filePath(QStringLiteral("fuzz.xls"));
    FuzzWriteFile(path, data + 1, size - 1);

    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.IncludeFixedCells = !(data[0] & 1);
    grid.SetCells(1, 1, "old");
    const auto unchanged = [&] { return grid.ColCount() == 3 && grid.RowCount() == 3 && grid.Cells(1, 1) == "old"; };
    try {
        grid.LoadFromXLS(path);
    } catch (const ESpreadsheetError&) {
        FuzzCheck(unchanged(), "a refused workbook leaves the grid");
    } catch (const EExtGridError& e) {
        FuzzCheck(QString::fromUtf8(e.what()) == path + " is not a valid workbook", "the grid's error is the import's");
        FuzzCheck(unchanged(), "a workbook the reader failed on leaves the grid");
    }
    FuzzCheck(OpenSpreadsheetWorkbooks() == 0, "the workbook is closed");
    FuzzCheck(LiveSpreadsheetServers() == 0, "the server is released");
    FuzzCheck(QGuiApplication::overrideCursor() == nullptr, "the cursor is back");
    FuzzCheck(grid.ColCount() <= 256 + 1 && grid.RowCount() <= 65536 + 1, "within a workbook's extent");
    return 0;
}
