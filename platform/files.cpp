#include "platform/files.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FaultText {
    FileFault fault;
    const char* text;
};

const FaultText kFaultTexts[] = {
    {FileFault::None, ""},
    {FileFault::AccessDenied, "acesso negado"},
    {FileFault::NoSpace, "disco cheio"},
    {FileFault::TooLarge, "arquivo grande demais"},
    {FileFault::NotFound, "arquivo ou pasta não encontrado"},
    {FileFault::NotAFile, "não é um arquivo"},
    {FileFault::IoError, "erro de leitura ou gravação no disco"},
    {FileFault::Other, "erro do sistema"},
};

struct ErrnoFault {
    int error;
    FileFault fault;
};

const ErrnoFault kErrnoFaults[] = {
    {EACCES, FileFault::AccessDenied}, {EPERM, FileFault::AccessDenied},  {EROFS, FileFault::AccessDenied},
    {ETXTBSY, FileFault::AccessDenied}, {ENOSPC, FileFault::NoSpace},     {EDQUOT, FileFault::NoSpace},
    {EFBIG, FileFault::TooLarge},       {ENOENT, FileFault::NotFound},    {ENOTDIR, FileFault::NotFound},
    {EISDIR, FileFault::NotAFile},      {EIO, FileFault::IoError},
};

QByteArray Native(const QString& fileName)
{
    return QFile::encodeName(fileName);
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting whether the last bytes reached the file.
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool Fail(FileFault& fault)
{
    fault = FileFaultFromErrno(errno);
    return false;
}

bool WriteAll(int fd, const QByteArray& bytes, FileFault& fault)
{
    const char* next = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(fault);
        }
        next += written;
        left -= written;
    }
    return true;
}

mode_t NewFileMode(NewFileAccess access)
{
    if (access == NewFileAccess::OwnerOnly)
        return S_IRUSR | S_IWUSR;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileFault FileFaultFromErrno(int error)
{
    if (error == 0)
        return FileFault::None;
    for (const ErrnoFault& entry : kErrnoFaults)
        if (entry.error == error)
            return entry.fault;
    return FileFault::Other;
}

QString FileFaultText(FileFault fault)
{
    for (const FaultText& entry : kFaultTexts)
        if (entry.fault == fault)
            return QString::fromUtf8(entry.text);
    return QString::fromUtf8("erro do sistema");
}

bool ReadFileStart(const QString& fileName, qint64 maxBytes, QByteArray& contents, FileFault& fault)
{
    fault = FileFault::None;
    Descriptor file(::open(Native(fileName).constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return Fail(fault);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return Fail(fault);
    if (!S_ISREG(info.st_mode)) {
        fault = FileFault::NotAFile;
        return false;
    }
    QByteArray read(maxBytes, Qt::Uninitialized);
    qint64 total = 0;
    while (total < maxBytes) {
        const ssize_t n = ::read(file.get(), read.data() + total, static_cast<size_t>(maxBytes - total));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(fault);
        }
        if (n == 0)
            break;
        total += n;
    }
    read.truncate(total);
    contents = read;
    return true;
}

bool ReplaceFile(const QString& fileName, const QByteArray& contents, NewFileAccess access, FileFault& fault)
{
    fault = FileFault::None;
    const QByteArray target = Native(fileName);
    struct stat existing {};
    const bool existed = ::stat(target.constData(), &existing) == 0;
    if (existed && !S_ISREG(existing.st_mode)) {
        fault = FileFault::NotAFile;
        return false;
    }
    // mkstemp creates the temporary file readable and writable by its owner
    // only, so no other user sees the new contents at any moment.
    QByteArray temporary = target + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        return Fail(fault);
    const mode_t mode = existed ? (existing.st_mode & 07777) : NewFileMode(access);
    const bool written = WriteAll(file.get(), contents, fault) && (::fchmod(file.get(), mode) == 0 || Fail(fault))
                         && (::fsync(file.get()) == 0 || Fail(fault)) && (file.Close() || Fail(fault))
                         && (::rename(temporary.constData(), target.constData()) == 0 || Fail(fault));
    if (!written)
        ::unlink(temporary.constData());
    return written;
}

bool AppendToFile(const QString& fileName, const QByteArray& bytes, NewFileAccess access, FileFault& fault)
{
    fault = FileFault::None;
    Descriptor file(::open(Native(fileName).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, NewFileMode(access)));
    if (file.get() < 0)
        return Fail(fault);
    return WriteAll(file.get(), bytes, fault) && (file.Close() || Fail(fault));
}
