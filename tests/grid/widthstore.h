#pragma once
// A column-width store in a temporary folder: the per-user configuration
// folder is moved there for the test, and a settings group is pointed at
// either location.
#include "grid/gridsettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class TemporaryWidthStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());
    }
    void TearDown() override
    {
        if (savedConfigHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfigHome);
    }

    void Place(TColumnSize& size, TColumnSizeLocation location)
    {
        size.Location = location;
        size.Key = location == clIniFile ? dir.filePath("grid.ini") : QStringLiteral("Software\\Trivanto\\Teclas");
        size.Section = "Larguras";
    }

    // The file the store of that location writes.
    QString StoreFile(TColumnSizeLocation location) const
    {
        return location == clIniFile ? dir.filePath("grid.ini") : dir.filePath("config/Software/Trivanto/Teclas.ini");
    }

    QTemporaryDir dir;
    QByteArray savedConfigHome;
};
