// A delimited text file as the grid's LoadFromCSV reads it, the options
// taken from the first byte: separator (detected, or one of the five),
// "~" line breaks, fixed cells included, the DOS code page, progress and a
// footer row. Any bytes load or raise only the grid's size error; the grid
// stays within its limits, the fixed cells keep their text when not
// included, progress climbs to 100, and the separator is left as it was.
#include "tests/fuzz/support/fuzz.h"

#include "grid/csvimport.h"
#include "grid/extgrid.h"
#include "grid/floatingfooter.h"
#include "platform/grids.h"

#include <QDir>

std::vector<std::string> FuzzSeeds()
{
    return {
        std::string("\x00", 1) + "a;b;c\r\n1;2;3\r\n",
        std::string("\x00", 1) + "x,y\r\na;b;c\r\n",
        std::string("\x01", 1) + "\"a,b\",c\r\n\"x\"\"y\",z\r\n\"open,quote\r\n",
        std::string("\x08", 1) + "a~b;c\r\n\"line\nfeed\";d\r\n",
        std::string("\x10", 1) + "alpha\nbeta\ngamma\n",
        std::string("\x20", 1) + "\x80\x87;\x82\r\nRecep\xe7\xe3o;a\x80\r\n",
        std::string("\x40", 1) + "1|2|3\r\n4|5|6\r\n7|8|9\r\n",
        std::string("\x80", 1) + "a\tb\r\n\r\nc\td\r",
        std::string("\xff", 1) + "\xEF\xBB\xBF" "Ramal#Nome\r\n20#Recep\xc3\xa7\xc3\xa3o\r\n",
        std::string("\x03", 1) + ",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n\"\"\"\"\"\",\"\r\n",
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 1)
        return 0;
    const unsigned flags = data[0];
    const QString path = QDir(FuzzScratchDir()).filePath(QStringLiteral("fuzz.csv"));
    FuzzWriteFile(path, data + 1, size - 1);

    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.SetCells(0, 0, QStringLiteral("H"));
    const QChar separators[] = {QChar(), ',', ';', '#', '\t', '|', QChar(), QChar()};
    const QChar separator = separators[flags & 7];
    grid.ValueSeparator = separator;
    grid.TildeLineBreaks = flags & 8;
    grid.IncludeFixedCells = !(flags & 16);
    grid.OemConvert = flags & 32;
    std::vector<int> progress;
    if (flags & 64)
        grid.OnFileProgress = [&](QObject*, short p) { progress.push_back(p); };
    if (flags & 128)
        grid.FloatingFooter()->SetVisible(true);

    try {
        grid.LoadFromCSV(path);
    } catch (const EInvalidGridOperation&) {
        // A line with more values than the grid can hold.
        FuzzCheck(size > static_cast<std::size_t>(kMaxGridCols), "the size error only for a huge line");
        return 0;
    }
    FuzzCheck(grid.ColCount() <= kMaxGridCols, "columns within the grid's limit");
    FuzzCheck(grid.RowCount() <= static_cast<int>(size) + 2, "no more rows than lines");
    FuzzCheck(grid.ValueSeparator == separator, "the separator is left as it was");
    if (!grid.IncludeFixedCells)
        FuzzCheck(grid.Cells(0, 0) == QStringLiteral("H"), "fixed cells keep their text");
    for (std::size_t i = 1; i < progress.size(); ++i)
        FuzzCheck(progress[i] > progress[i - 1], "progress climbs");
    FuzzCheck(progress.empty() || (progress.back() == 100 && progress.front() >= 0), "progress ends at 100");
    if (grid.FloatingFooter()->Visible())
        for (int c = 0; c < grid.ColCount(); ++c)
            FuzzCheck(grid.Cells(c, grid.RowCount() - 1).isEmpty(), "the footer row is empty");
    return 0;
}
