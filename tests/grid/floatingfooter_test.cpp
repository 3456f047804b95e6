#include "grid/aggregates.h"
#include "grid/extgrid.h"
#include "grid/floatingfooter.h"
#include "grid/sortsettings.h"
#include "platform/forms.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"
#include "tests/support/xlsfixtures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace {

struct TemplateCase {
    const char* name;
    QString templ;
    QString expected;
};

class FooterTemplate : public testing::TestWithParam<TemplateCase> {};

TEST_P(FooterTemplate, FieldsTakeTheCurrentRowsTexts)
{
    // A row of four columns; columns outside it give nothing.
    const QStringList row{"Ramal", "21", "Recepção", "3,50"};
    std::vector<int> asked;
    const QString text = ExpandFooterTemplate(GetParam().templ, [&](int col) {
        asked.push_back(col);
        return col >= 0 && col < row.size() ? row[col] : QString();
    });
    EXPECT_EQ(text, GetParam().expected);
}

const TemplateCase kTemplates[] = {
    {"OneField", "<#2>", "Recepção"},
    {"FieldInText", "Ramal <#1>: <#2>", "Ramal 21: Recepção"},
    {"SameFieldTwice", "<#1>/<#1>", "21/21"},
    {"HtmlAround", "<b><#3></b> <i>total</i>", "<b>3,50</b> <i>total</i>"},
    {"SpacesInField", "<# 0 >", "Ramal"},
    {"NotANumberDropped", "a<#x>b<#1>", "ab21"},
    {"EmptyFieldDropped", "a<#>b", "ab"},
    {"ColumnOutsideTheGrid", "[<#9>]", "[]"},
    {"NegativeColumn", "[<#-1>]", "[]"},
    {"UnclosedFieldStays", "x <#1", "x <#1"},
    {"NoFields", "Total geral", "Total geral"},
    {"Empty", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Templates, FooterTemplate, testing::ValuesIn(kTemplates),
                         [](const auto& row) { return std::string(row.param.name); });

// A shown grid of extensions with a totals row at the bottom.
class FooterOnGrid : public testing::Test {
protected:
    void SetUp() override
    {
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 400, 180);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        const QStringList rows[] = {
            {"", "Ramal", "Nome", "Minutos"},
            {"1", "21", "Recepção", "12"},
            {"2", "22", "Vendas", "8"},
            {"3", "23", "<b>Diretoria</b>", "30"},
            {"4", "24", "Oficina", "2"},
            {"", "", "Total", "52"},
        };
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 4; ++c)
                grid->SetCells(c, r, rows[r][c]);
        grid->SetColWidths(0, 24);
        grid->SetColWidths(1, 60);
        grid->SetColWidths(2, 120);
        grid->SetColWidths(3, 70);
        ASSERT_TRUE(input::Activate(&window));
        grid->FocusCell(2, 3);
    }

    TFooterPanel* Panel() const { return grid->FooterPanel(); }

    // Runs the queued repaints, and those they queue in turn.
    static void Settle()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }

    // The panel as drawn now; kept in the screenshots folder.
    QImage Shot(const QString& name)
    {
        QCoreApplication::processEvents();
        const QImage image = Panel()->grab().toImage();
        QDir().mkpath(TRIVANTO_TEST_OUT);
        grid->grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/footer_%1.png").arg(name));
        return image;
    }

    // The columns' strip ends where the last visible column ends.
    int StripRight() const { return Panel()->ShownColumns().back().Right; }

    TForm window;
    TExtStringGrid* grid = nullptr;
};

TEST_F(FooterOnGrid, VisibleShowsThePanelUnderTheCellsAndGivesOneFooterRow)
{
    ASSERT_NE(Panel(), nullptr);
    EXPECT_FALSE(Panel()->isVisible());
    grid->FloatingFooter()->SetVisible(true);
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_EQ(grid->FixedFooters(), 1);
    EXPECT_EQ(TRect::FromQRect(Panel()->geometry()), grid->FooterPanelRect());
    EXPECT_EQ(Panel()->height(), grid->FooterHeight() - 1);

    // The columns line up with the grid's own.
    const std::vector<TFooterColumn> columns = Panel()->ShownColumns();
    ASSERT_EQ(columns.size(), 4u);
    for (const TFooterColumn& column : columns) {
        const TRect cell = grid->CellRect(column.Col, 0);
        EXPECT_EQ(column.Left, cell.Left) << column.Col;
        EXPECT_EQ(column.Right, cell.Right) << column.Col;
    }

    grid->FloatingFooter()->SetVisible(false);
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ(grid->FixedFooters(), 0);
}

TEST_F(FooterOnGrid, FixedLastRowDrawsTheGridsLastRowInThePanel)
{
    grid->FloatingFooter()->SetVisible(true);
    const QImage shown = Shot("fixedlastrow");
    const QRgb fixed = ToQColor(grid->FixedColor()).rgb();
    const QRgb normal = ToQColor(grid->Color()).rgb();
    const int mid = shown.height() / 2;
    // Beyond the last column, the grid's colour.
    EXPECT_EQ(shown.pixel(shown.width() - 2, mid), normal);
    EXPECT_EQ(shown.pixel(3, mid), fixed);

    // The last row's texts are what the panel shows.
    const QImage before = shown;
    grid->SetCells(3, 5, QString());
    grid->SetCells(2, 5, QString());
    const QImage after = Shot("fixedlastrow_empty");
    EXPECT_NE(before, after);
}

TEST_F(FooterOnGrid, ColumnPreviewShowsTheCurrentRowsCellOnTheFooterColour)
{
    grid->FloatingFooter()->SetColor(clYellow);
    grid->FloatingFooter()->SetColumn(2);
    grid->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    grid->FloatingFooter()->SetVisible(true);
    const QImage diretoria = Shot("columnpreview");
    const int right = StripRight();
    const int h = diretoria.height();
    EXPECT_EQ(diretoria.pixel(right - 3, h / 2), QColor(Qt::yellow).rgb());
    EXPECT_EQ(diretoria.pixel(right + 3, h / 2), ToQColor(grid->Color()).rgb());
    // Framed raised: white top and left, dark grey bottom and right.
    EXPECT_EQ(diretoria.pixel(0, h / 2), QColor(Qt::white).rgb());
    EXPECT_EQ(diretoria.pixel(right / 2, 0), QColor(Qt::white).rgb());
    EXPECT_EQ(diretoria.pixel(right - 1, h / 2), qRgb(128, 128, 128));
    EXPECT_EQ(diretoria.pixel(right / 2, h - 1), qRgb(128, 128, 128));

    // Another row, another text; the selection's colours never show.
    grid->FocusCell(2, 1);
    const QImage recepcao = Shot("columnpreview_row1");
    EXPECT_NE(recepcao, diretoria);
    const QRgb selection = ToQColor(grid->SelectionColor()).rgb();
    for (int x = 2; x < right - 2; ++x)
        EXPECT_NE(recepcao.pixel(x, h / 2), selection) << x;
}

TEST_F(FooterOnGrid, CustomPreviewFillsTheTemplateFromTheCurrentRow)
{
    grid->FloatingFooter()->SetColor(clYellow);
    grid->FloatingFooter()->SetCustomTemplate("Ramal <#1>: <#2> <#x>(<#3> min)");
    grid->FloatingFooter()->SetFooterStyle(fsCustomPreview);
    grid->FloatingFooter()->SetVisible(true);
    EXPECT_EQ(Panel()->CustomText(), "Ramal 23: <b>Diretoria</b> (30 min)");
    const QImage shot = Shot("custompreview");
    int inked = 0;
    for (int x = 2; x < StripRight() - 2; ++x)
        for (int y = 2; y < shot.height() - 2; ++y)
            inked += shot.pixel(x, y) != QColor(Qt::yellow).rgb();
    EXPECT_GT(inked, 30);

    grid->FocusCell(1, 2);
    EXPECT_EQ(Panel()->CustomText(), "Ramal 22: Vendas (8 min)");
}

TEST_F(FooterOnGrid, ThePreviewFollowsTheCurrentRowAndTheFooterTheScroll)
{
    grid->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    grid->FloatingFooter()->SetColumn(2);
    grid->FloatingFooter()->SetVisible(true);
    Settle();
    EXPECT_EQ(Panel()->PaintedRow(), 3);
    input::Key(Qt::Key_Up, Qt::NoModifier, QString(), grid);
    ASSERT_EQ(grid->Row(), 2);
    Settle();
    EXPECT_EQ(Panel()->PaintedRow(), 2);

    // Columns scrolled out of view leave the footer too.
    grid->FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    grid->SetColWidths(2, 300);
    grid->SetLeftCol(2);
    Settle();
    const std::vector<TFooterColumn> columns = Panel()->ShownColumns();
    ASSERT_GE(columns.size(), 2u);
    EXPECT_EQ(columns[0].Col, 0);
    EXPECT_EQ(columns[1].Col, 2);
    // Above the horizontal scroll bar that came.
    EXPECT_EQ(Panel()->geometry().bottom() + 1, grid->viewport()->height());
    Shot("fixedlastrow_scrolled");
}

// The aggregates over a grid column, read as the grid reads a float.
TEST_F(FooterOnGrid, AggregatesOfAColumnOverTheDataRows)
{
    const TCellFloatReader cell = [this](int c, int r) { return grid->GetCellFloat(c, r); };
    struct Row {
        const char* name;
        double (*aggregate)(const TCellFloatReader&, int, int, int);
        double expected;
    };
    const Row table[] = {
        {"sum", ColumnSum, 52.0}, {"average", ColumnAvg, 13.0}, {"minimum", ColumnMin, 2.0}, {"maximum", ColumnMax, 30.0}};
    for (const Row& row : table) {
        EXPECT_DOUBLE_EQ(row.aggregate(cell, 3, 1, 4), row.expected) << row.name;
        // No data rows: 0, the average included.
        EXPECT_DOUBLE_EQ(row.aggregate(cell, 3, 5, 4), 0.0) << row.name;
    }
    // A text that is no number stops it with the grid's error.
    EXPECT_THROW(ColumnSum(cell, 2, 1, 4), EExtGridError);
}


// Every way the cells change leaves the footer's calculated cells right:
// column 3 sums its minutes, column 1 averages its extensions.
struct FooterOperation {
    const char* name;
    std::function<void(TExtStringGrid&)> run;
    QString sum;
};

void WriteImportFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void Import(TExtStringGrid& grid, QChar separator, const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ramais.csv");
    WriteImportFile(path, bytes);
    grid.ValueSeparator = separator;
    grid.LoadFromCSV(path);
}

// A workbook of the grid's columns: the header and three extensions.
void ImportWorkbook(TExtStringGrid& grid)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ramais.xls");
    xlsfixtures::WriteXls(path, R"(
s = wb.add_sheet('Ramais')
for c, t in enumerate(['', 'Ramal', 'Nome', 'Minutos']):
    s.write(0, c, t)
for r, (ramal, nome, minutos) in enumerate([(30, 'A', 4), (31, 'B', 5), (33, 'C', 6)]):
    s.write(r + 1, 0, r + 1)
    s.write(r + 1, 1, ramal)
    s.write(r + 1, 2, nome)
    s.write(r + 1, 3, minutos)
)");
    grid.LoadFromXLS(path);
}

const FooterOperation kFooterOperations[] = {
    {"Paste",
     [](TExtStringGrid& grid) {
         QApplication::clipboard()->setText("100\r\n5");
         grid.FocusCell(3, 1);
         input::Key(Qt::Key_V, Qt::ControlModifier);
     },
     "137.00"},
    {"Cut",
     [](TExtStringGrid& grid) {
         grid.FocusCell(3, 1);
         grid.SetSelection({3, 1, 3, 2});
         input::Key(Qt::Key_X, Qt::ControlModifier);
     },
     "32.00"},
    {"ClearRows", [](TExtStringGrid& grid) { grid.ClearRows(3, 1); }, "22.00"},
    {"ClearCols", [](TExtStringGrid& grid) { grid.ClearCols(3, 1); }, "0.00"},
    {"TextImport", [](TExtStringGrid& grid) { Import(grid, '\t', "\tRamal\tNome\tMinutos\n1\t30\tA\t7\n2\t32\tB\t2\n"); },
     "9.00"},
    {"CsvImport",
     [](TExtStringGrid& grid) {
         Import(grid, ';', ";Ramal;Nome;Minutos\r\n1;21;A;1\r\n2;22;B;2\r\n3;23;C;3\r\n4;24;D;4\r\n5;25;E;5\r\n6;26;F;6\r\n");
     },
     "21.00"},
    {"XlsImport", ImportWorkbook, "15.00"},
    {"Sort",
     [](TExtStringGrid& grid) {
         grid.SortSettings()->SetColumn(3);
         grid.SortRows();
     },
     "52.00"},
    {"InsertRowByKey",
     [](TExtStringGrid& grid) {
         grid.Navigation()->AllowInsertRow = true;
         grid.FocusCell(3, 2);
         input::Key(Qt::Key_Insert);
     },
     "52.00"},
    {"InsertRows", [](TExtStringGrid& grid) { grid.InsertRows(1, 2); }, "52.00"},
    {"DeleteRowByKey",
     [](TExtStringGrid& grid) {
         grid.Navigation()->AllowDeleteRow = true;
         grid.FocusCell(3, 3);
         input::Key(Qt::Key_Delete);
     },
     "22.00"},
    {"RemoveRows", [](TExtStringGrid& grid) { grid.RemoveRows(1, 2); }, "32.00"},
    {"RemoveSelectedRows",
     [](TExtStringGrid& grid) {
         grid.SetRowSelect(1, true);
         grid.SetRowSelect(3, true);
         grid.RemoveSelectedRows();
     },
     "10.00"},
    {"CommittedEdit",
     [](TExtStringGrid& grid) {
         grid.FocusCell(3, 2);
         input::Key(Qt::Key_F2);
         input::Key(Qt::Key_A, Qt::ControlModifier);
         input::Type("100\r");
     },
     "144.00"},
    {"CommittedWordCountsAsZero",
     [](TExtStringGrid& grid) {
         grid.FocusCell(3, 2);
         input::Key(Qt::Key_F2);
         input::Key(Qt::Key_A, Qt::ControlModifier);
         input::Type("oito\r");
     },
     "44.00"},
};

class FooterFollows : public FooterOnGrid, public testing::WithParamInterface<FooterOperation> {};

INSTANTIATE_TEST_SUITE_P(Operations, FooterFollows, testing::ValuesIn(kFooterOperations),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(FooterFollows, TheFooterCalculatesTheColumnsAsTheyAreNow)
{
    const FooterOperation& op = GetParam();
    grid->SetOptions(grid->Options() | goEditing);
    grid->Navigation()->AllowClipboardShortCuts = true;
    grid->FloatingFooter()->SetVisible(true);
    grid->GetCellProperties(1, 5)->FooterCalc = 2;
    grid->GetCellProperties(3, 5)->FooterCalc = 1;
    grid->setFocus();
    input::Settle();
    {
        // None of these changes is an error the user must be told of.
        ScriptedBoxes boxes;
        op.run(*grid);
        input::Settle();
        EXPECT_EQ(boxes.Texts(), QStringList{});
    }

    const int last = grid->RowCount() - 1;
    EXPECT_EQ(grid->Cells(3, last), op.sum);
    // The average over the data rows as they are now, a word read as 0.
    double sum = 0;
    for (int r = grid->FixedRows(); r < last; ++r) {
        bool number = false;
        const double value = grid->Cells(1, r).toDouble(&number);
        sum += number ? value : 0;
    }
    const int rows = last - grid->FixedRows();
    EXPECT_EQ(grid->Cells(1, last), QString::number(rows > 0 ? sum / rows : 0, 'f', 2));
    if (std::string(op.name) == "Paste")
        Shot("follows_paste");
}

} // namespace
