#pragma once
// A list of strings as the controls expose their items (combo and list
// boxes, radio groups): indexed access, add, insert, delete, search.
#include <QString>
#include <QStringList>

class TStrings {
public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString& value) = 0;
    virtual void Insert(int index, const QString& value) = 0;
    // Returns the index the string ended at (sorted lists place it).
    virtual int Add(const QString& value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    QString operator[](int index) const { return Get(index); }
    // Case-insensitive, as list searches are; -1 when absent.
    int IndexOf(const QString& value) const;
    void AddStrings(const QStringList& values);
    void Assign(const QStringList& values);
    QStringList ToStringList() const;
    // The strings joined by CR LF.
    QString Text() const;
};
