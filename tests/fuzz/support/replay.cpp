// The replay driver of the ordinary build: feeds a fuzz target every file of
// the folders (or the files) named on the command line, in name order, and
// with --write-seeds DIR writes the target's seed inputs into DIR instead.
#include "tests/fuzz/support/fuzz.h"
#include "tests/support/ownfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

int Replay(const QString& path)
{
    const QFileInfo info(path);
    QStringList files;
    if (info.isDir()) {
        for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files, QDir::Name))
            files << entry.filePath();
    } else if (info.isFile()) {
        files << path;
    } else {
        std::fprintf(stderr, "%s: no such file or folder\n", qUtf8Printable(path));
        return -1;
    }
    for (const QString& file : files) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(file));
        const QByteArray input = FuzzReadFile(file);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                               static_cast<std::size_t>(input.size()));
    }
    return static_cast<int>(files.size());
}

// Old seeds go first, so that regenerating never leaves a stale one; other
// files (findings) stay.
int WriteSeeds(const QString& folder)
{
    if (!FuzzSeeds)
        return 0;
    QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    for (const QString& old : dir.entryList({QStringLiteral("seed-*")}, QDir::Files))
        dir.remove(old);
    const std::vector<std::string> seeds = FuzzSeeds();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const QString name = dir.filePath(QStringLiteral("seed-%1").arg(i, 3, 10, QLatin1Char('0')));
        FuzzWriteFile(name, seeds[i].data(), seeds[i].size());
    }
    std::printf("%zu seeds in %s\n", seeds.size(), qUtf8Printable(folder));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Static, so that it outlives the application object the targets make.
    static OwnFolders folders;
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--write-seeds"))
        return WriteSeeds(QString::fromLocal8Bit(argv[2]));
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER-OR-FILE... | --write-seeds FOLDER\n", argv[0]);
        return 2;
    }
    int total = 0;
    for (int i = 1; i < argc; ++i) {
        const int n = Replay(QString::fromLocal8Bit(argv[i]));
        if (n < 0)
            return 1;
        total += n;
    }
    std::printf("%d inputs replayed\n", total);
    // A target with no input at all is a missing corpus, not a pass.
    return total > 0 ? 0 : 1;
}
