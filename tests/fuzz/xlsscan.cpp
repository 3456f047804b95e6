// Workbook file bytes as the workbook reader's record scan reads them:
// which sheet is active, its used range and its boolean and error cells.
// Any bytes scan or fail without reading outside them; a scanned sheet's
// range lies within a workbook's extent and its marked cells inside the
// range, in order.
#include "tests/fuzz/support/fuzz.h"

#include "platform/xlsreader/biffscan.h"
#include "tests/support/xlsfixtures.h"

#include <QDir>

#include <string_view>

std::vector<std::string> FuzzSeeds()
{
    FuzzInit();
    std::vector<std::string> seeds;
    const QString path = QDir(FuzzScratchDir()).filePath(QStringLiteral("seed.xls"));
    for (const char* body : {xlsfixtures::kTypes, xlsfixtures::kActiveSecond, xlsfixtures::kCornerCell,
                             xlsfixtures::kEmptySheet, xlsfixtures::kDates}) {
        xlsfixtures::WriteXls(path, body);
        seeds.push_back(FuzzReadFile(path).toStdString());
    }
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    biffscan::TActiveSheet sheet;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    if (biffscan::ScanActiveSheet(file, sheet) != biffscan::TScan::Ok)
        return 0;
    FuzzCheck(sheet.WorksheetIndex >= 0, "a worksheet's place");
    if (!sheet.Used) {
        FuzzCheck(sheet.Marks.empty(), "no marked cell on an unused sheet");
        return 0;
    }
    FuzzCheck(sheet.FirstRow <= sheet.LastRow && sheet.LastRow < 65536, "rows within a workbook");
    FuzzCheck(sheet.FirstCol <= sheet.LastCol && sheet.LastCol < 256, "columns within a workbook");
    for (std::size_t i = 0; i < sheet.Marks.size(); ++i) {
        const biffscan::TCellMark& m = sheet.Marks[i];
        FuzzCheck(m.Row >= sheet.FirstRow && m.Row <= sheet.LastRow && m.Col >= sheet.FirstCol
                      && m.Col <= sheet.LastCol,
                  "a marked cell inside the used range");
        FuzzCheck(m.Kind != biffscan::TCellMark::Boolean || m.Value <= 1, "a boolean is 0 or 1");
        if (i > 0) {
            const biffscan::TCellMark& p = sheet.Marks[i - 1];
            FuzzCheck(p.Row < m.Row || (p.Row == m.Row && p.Col < m.Col), "marks in order, one a cell");
        }
    }
    return 0;
}
