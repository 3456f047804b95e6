#pragma once
// File modes in tests: what a file's permission bits are, and the usual
// umask of a desktop session while a test runs, so that "readable by
// everyone" is what a new file would be unless the program says otherwise.
#include <QFile>
#include <QString>

#include <sys/stat.h>

// The permission bits of a file (0600, 0644, ...); -1 when it is missing.
inline int FileMode(const QString& path)
{
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

inline void SetFileMode(const QString& path, int mode)
{
    chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode));
}

// While alive, the process's umask is the given one (022 by default).
class UsualUmask {
public:
    explicit UsualUmask(mode_t mask = 022) : previous_(umask(mask)) {}
    ~UsualUmask() { umask(previous_); }
    UsualUmask(const UsualUmask&) = delete;
    UsualUmask& operator=(const UsualUmask&) = delete;

private:
    mode_t previous_;
};
