#include "tests/fuzz/support/fuzz.h"

#include "platform/testhooks.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

int AnyMessageBox(const MessageBoxCall& call)
{
    std::fprintf(stderr, "message box \"%s\" (%s)\n", qUtf8Printable(call.text), qUtf8Printable(call.caption));
    FuzzFail("a message box was shown");
}

} // namespace

void FuzzInit()
{
    // Never destroyed: at exit Qt's own globals go first.
    static QApplication* app = nullptr;
    if (app)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    SetMessageBoxHook(AnyMessageBox);
}

QString FuzzScratchDir()
{
    // In memory where the system offers it: every save syncs its file to
    // disk, which would make the run a test of the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/trivanto-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/trivanto-fuzz-XXXXXX"));
    if (!dir.isValid())
        FuzzFail("no scratch folder");
    return dir.path();
}

void FuzzFail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

void FuzzWriteFile(const QString& path, const void* data, std::size_t size)
{
    QFile file(path);
    const qint64 n = static_cast<qint64>(size);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(static_cast<const char*>(data), n) != n)
        FuzzFail("cannot write a scratch file");
}

QByteArray FuzzReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        FuzzFail("cannot read a scratch file");
    return file.readAll();
}
