#pragma once
// Reading and writing whole files with the system's errors mapped to one
// small set, each with one Portuguese wording, so that the same fault reads
// the same wherever it happens.
#include <QByteArray>
#include <QString>

enum class FileFault {
    None,
    AccessDenied, // no permission, read-only file, folder or medium
    NoSpace,      // the disk or the user's quota is full
    TooLarge,     // larger than the system lets this process write
    NotFound,     // no such file or folder
    NotAFile,     // a folder or a device under that name
    IoError,      // the medium failed
    Other,
};

// What the system's error number means here.
FileFault FileFaultFromErrno(int error);
// The wording shown to the user, e.g. "acesso negado".
QString FileFaultText(FileFault fault);

// Who may read and write a file that is created new.
enum class NewFileAccess {
    OwnerOnly, // mode 0600: files that hold passwords or what is typed
    Everyone,  // mode 0666 less the process's umask
};

// Reads up to maxBytes from the start of a regular file.
bool ReadFileStart(const QString& fileName, qint64 maxBytes, QByteArray& contents, FileFault& fault);

// Replaces a file whole: the contents go to a temporary file beside it,
// which takes its place only once every byte is on disk, so a failed write
// leaves the old file as it was and nothing half-written behind. A file that
// existed keeps its mode; a new one gets the given access.
bool ReplaceFile(const QString& fileName, const QByteArray& contents, NewFileAccess access, FileFault& fault);

// Adds the bytes at the end of a file, creating it with the given access.
bool AppendToFile(const QString& fileName, const QByteArray& bytes, NewFileAccess access, FileFault& fault);
