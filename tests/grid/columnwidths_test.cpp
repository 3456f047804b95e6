#include "grid/columnwidths.h"
#include "tests/grid/widthstore.h"

#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ColumnWidths : public TemporaryWidthStore {};

TEST_F(ColumnWidths, BothLocationsGiveBackWhatWasSaved)
{
    for (const auto location : {clIniFile, clRegistry}) {
        TColumnSize size(nullptr);
        Place(size, location);
        SaveColumnWidths(size, {30, 120, 64});
        EXPECT_EQ(LoadColumnWidths(size, 3, 64), (std::vector<int>{30, 120, 64})) << location;
    }
    EXPECT_TRUE(QFile::exists(dir.filePath("grid.ini")));
    EXPECT_TRUE(QFile::exists(dir.filePath("config/Software/Trivanto/Teclas.ini")));
}

TEST_F(ColumnWidths, ValuesAreNamedColAndTheColumnNumber)
{
    TColumnSize size(nullptr);
    Place(size, clIniFile);
    SaveColumnWidths(size, {10, 20, 30});
    QFile file(dir.filePath("grid.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    for (const char* line : {"[Larguras]", "Col0=10", "Col1=20", "Col2=30"})
        EXPECT_TRUE(text.contains(line)) << line << " in " << text.toStdString();
}

TEST_F(ColumnWidths, MissingOrBadValuesLoadAsTheDefaultWidth)
{
    TColumnSize size(nullptr);
    Place(size, clIniFile);
    QFile file(dir.filePath("grid.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Larguras]\r\nCol0=40\r\nCol1=largo\r\nCol2=-15\r\nCol3=0\r\nCol4=\r\n");
    file.close();
    // Col5 is missing altogether.
    EXPECT_EQ(LoadColumnWidths(size, 6, 64), (std::vector<int>{40, 64, 64, 0, 64, 64}));
}

TEST_F(ColumnWidths, NothingIsKeptWithoutAKeyOrASection)
{
    for (const auto location : {clIniFile, clRegistry}) {
        TColumnSize noKey(nullptr);
        Place(noKey, location);
        noKey.Key.clear();
        TColumnSize noSection(nullptr);
        Place(noSection, location);
        noSection.Section.clear();
        for (const TColumnSize* size : {&noKey, &noSection}) {
            EXPECT_TRUE(ColumnWidthsFile(*size).isEmpty());
            SaveColumnWidths(*size, {10});
            EXPECT_TRUE(LoadColumnWidths(*size, 1, 64).empty());
        }
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("config")));
}

} // namespace
