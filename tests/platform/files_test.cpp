#include "platform/files.h"

#include "tests/support/filemode.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

QByteArray Conteudo(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every kind of refusal reads the same, whichever call met it.
TEST(FileFaults, EachSystemErrorHasOneWording)
{
    struct Row {
        int error;
        const char* text;
    };
    const Row rows[] = {
        {EACCES, "acesso negado"},
        {EPERM, "acesso negado"},
        {EROFS, "acesso negado"},
        {ENOSPC, "disco cheio"},
        {EDQUOT, "disco cheio"},
        {EFBIG, "arquivo grande demais"},
        {ENOENT, "arquivo ou pasta não encontrado"},
        {ENOTDIR, "arquivo ou pasta não encontrado"},
        {EISDIR, "não é um arquivo"},
        {EIO, "erro de leitura ou gravação no disco"},
        {EBADF, "erro do sistema"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FileFaultText(FileFaultFromErrno(row.error)), QString::fromUtf8(row.text)) << row.error;
}

class Files : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }

    QTemporaryDir dir;
    UsualUmask umask;
};

TEST_F(Files, ANewFileGetsTheAccessAskedAndAnOldOneKeepsItsMode)
{
    FileFault fault;
    ASSERT_TRUE(ReplaceFile(Path("privado"), "abc", NewFileAccess::OwnerOnly, fault));
    ASSERT_TRUE(ReplaceFile(Path("comum"), "abc", NewFileAccess::Everyone, fault));
    ASSERT_TRUE(AppendToFile(Path("registro"), "abc", NewFileAccess::OwnerOnly, fault));
    EXPECT_EQ(FileMode(Path("privado")), 0600);
    EXPECT_EQ(FileMode(Path("comum")), 0644);
    EXPECT_EQ(FileMode(Path("registro")), 0600);

    for (const int mode : {0640, 0664}) {
        SetFileMode(Path("privado"), mode);
        SetFileMode(Path("registro"), mode);
        ASSERT_TRUE(ReplaceFile(Path("privado"), "defg", NewFileAccess::OwnerOnly, fault));
        ASSERT_TRUE(AppendToFile(Path("registro"), "d", NewFileAccess::OwnerOnly, fault));
        EXPECT_EQ(FileMode(Path("privado")), mode);
        EXPECT_EQ(FileMode(Path("registro")), mode);
    }
    EXPECT_EQ(Conteudo(Path("privado")), "defg");
    EXPECT_EQ(Conteudo(Path("registro")), "abcdd");
    EXPECT_EQ(Entries(), (QStringList{"comum", "privado", "registro"})) << "no temporary file left";
}

TEST_F(Files, AReplacementThatCannotHappenLeavesTheOldFile)
{
    FileFault fault;
    ASSERT_TRUE(ReplaceFile(Path("velho"), "antigo", NewFileAccess::OwnerOnly, fault));
    ASSERT_TRUE(QDir(dir.path()).mkdir("pasta"));
    EXPECT_FALSE(ReplaceFile(Path("pasta"), "x", NewFileAccess::OwnerOnly, fault));
    EXPECT_EQ(fault, FileFault::NotAFile);
    EXPECT_FALSE(ReplaceFile(Path("falta/velho"), "x", NewFileAccess::OwnerOnly, fault));
    EXPECT_EQ(fault, FileFault::NotFound);
    EXPECT_EQ(Conteudo(Path("velho")), "antigo");
    EXPECT_EQ(Entries(), (QStringList{"pasta", "velho"}));
}

TEST_F(Files, ReadingTakesAtMostTheBytesAsked)
{
    FileFault fault;
    ASSERT_TRUE(ReplaceFile(Path("dados"), "0123456789", NewFileAccess::OwnerOnly, fault));
    QByteArray read;
    ASSERT_TRUE(ReadFileStart(Path("dados"), 4, read, fault));
    EXPECT_EQ(read, "0123");
    ASSERT_TRUE(ReadFileStart(Path("dados"), 100, read, fault));
    EXPECT_EQ(read, "0123456789");
    EXPECT_FALSE(ReadFileStart(Path("nada"), 4, read, fault));
    EXPECT_EQ(fault, FileFault::NotFound);
    EXPECT_FALSE(ReadFileStart(dir.path(), 4, read, fault));
    EXPECT_EQ(fault, FileFault::NotAFile);
}

} // namespace
