// Test main: one Qt application object for the whole run, on the offscreen
// platform unless a display is asked for, with HOME, the XDG folders and the
// temporary folder of its own.
#include "tests/support/ownfolders.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    OwnFolders folders;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
