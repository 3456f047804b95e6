#pragma once
// An INI file with the behaviour of the desktop class library's INI class:
// each call reads (and a write rewrites) the file; sections and keys match
// without regard to letter case; a write changes only the line of its key,
// keeping every other section, key, comment and line ending of the file.
// Integers are decimal; Booleans are integers, 0 false and anything else true.
#include <QString>

#include <stdexcept>

// A settings file that could not be written.
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIniFile {
public:
    explicit TIniFile(const QString& fileName) : fileName_(fileName) {}

    QString FileName() const { return fileName_; }

    // A missing file, section or key, or a value that is not a decimal
    // integer, gives the default.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // Throws EIniFileException when the file cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);

private:
    QString fileName_;
};
