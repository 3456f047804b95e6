#pragma once
// Workbooks for the spreadsheet import tests, written at test time by the
// system's Python with xlwt (Debian's python3-xlwt), so that no binary
// workbook is kept in the tree. Each fixture is a short Python body that
// fills the workbook `wb` (xlwt imported, `datetime` too).
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace xlsfixtures {

// Sheet "Dados": a header row, texts with accents, an integer, a fraction,
// a date and a date with time, an empty cell, a formula without a value and
// an error cell; then a second sheet "Outra".
inline const char* const kTypes = R"(
s = wb.add_sheet('Dados')
for c, t in enumerate(['Ramal', 'Valor', 'Data']):
    s.write(0, c, t)
s.write(1, 0, 'Açúcar')
s.write(1, 1, 42)
s.write(1, 2, datetime.date(2024, 3, 1), xlwt.easyxf(num_format_str='DD/MM/YYYY'))
s.write(2, 0, 'x')
s.write(2, 1, 2.5)
s.write(2, 2, datetime.datetime(2024, 3, 1, 10, 30), xlwt.easyxf(num_format_str='DD/MM/YYYY HH:MM'))
s.write(3, 1, xlwt.Formula('1/0'))
s.row(3).set_cell_error(2, '#DIV/0!')
s.write(4, 0, 'fim')
wb.add_sheet('Outra').write(0, 0, 'segunda')
)";

// One used cell, A1.
inline const char* const kSingleCell = R"(
wb.add_sheet('Um').write(0, 0, 'só')
)";

// One used cell, C3.
inline const char* const kCornerCell = R"(
wb.add_sheet('Canto').write(2, 2, 'canto')
)";

// Three sheets, the second one active, its used range C3:D4: two
// booleans, a date and an error value.
inline const char* const kActiveSecond = R"(
wb.add_sheet('Capa').write(0, 0, 'capa')
s = wb.add_sheet('Dados')
s.write(2, 2, True)
s.write(2, 3, False)
s.write(3, 2, datetime.date(2024, 12, 25), xlwt.easyxf(num_format_str='DD/MM/YYYY'))
s.row(3).set_cell_error(3, '#VALUE!')
wb.add_sheet('Fim').write(0, 0, 'fim')
wb.set_active_sheet(1)
)";

// A date, a date with its time of day, a bare time of day, in B2:D2.
inline const char* const kDates = R"(
s = wb.add_sheet('Datas')
s.write(1, 1, datetime.date(2024, 12, 25), xlwt.easyxf(num_format_str='DD/MM/YYYY'))
s.write(1, 2, datetime.datetime(2024, 12, 25, 9, 5, 7), xlwt.easyxf(num_format_str='DD/MM/YYYY HH:MM:SS'))
s.write(1, 3, datetime.time(10, 30), xlwt.easyxf(num_format_str='HH:MM'))
)";

// A sheet with nothing in it.
inline const char* const kEmptySheet = R"(
wb.add_sheet('Vazia')
)";

// A wide and long sheet: row r, column c holds r * 100 + c.
inline const char* const kWide = R"(
s = wb.add_sheet('Larga')
for r in range(40):
    for c in range(30):
        s.write(r, c, r * 100 + c)
)";

// Writes the workbook of Body to Path; throws when Python cannot.
inline void WriteXls(const QString& Path, const char* Body)
{
    const QString script = QStringLiteral("import sys, datetime, xlwt\nwb = xlwt.Workbook()\n")
                           + QString::fromUtf8(Body) + QStringLiteral("\nwb.save(sys.argv[1])\n");
    QProcess python;
    // The system's Python, where Debian installs xlwt.
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, Path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0 || !QFile::exists(Path))
        throw std::runtime_error("python3-xlwt could not write " + Path.toStdString() + ": "
                                 + python.readAllStandardError().toStdString());
}

} // namespace xlsfixtures
