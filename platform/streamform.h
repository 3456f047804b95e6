#pragma once
// The byte form in which the class library streams an object's published
// properties: a record is the signature "TPF0", the class name, the
// component name (empty here), then each property as its name and a typed
// value, an end mark after the properties and one after the (absent) child
// components. A property of an owned object is written under the object's
// name and a dot ("Font.Name"). Names are short strings: one length byte and
// that many cp1252 characters.
//
// The writer picks the narrowest integer value and writes a text as cp1252
// bytes when every character fits, else as a wide string. The reader takes
// any integer width and any string kind of the form; it never reads past the
// end and refuses a length or count the bytes left cannot hold before it
// allocates anything for it.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

// The value tags of the form.
enum class TValueType : std::uint8_t {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary,
    vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String,
    vaDouble,
};

// Bytes that do not follow the form, or a value of the wrong kind.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value as read: the tag and what it carries.
struct TStreamValue {
    TValueType Type = TValueType::vaNull;
    std::int64_t Integer = 0;     // the integer kinds; currency in 1/10000
    double Float = 0;             // extended, single, double, date
    QString Text;                 // the string kinds and an identifier
    QStringList Names;            // the members of a set
    QByteArray Binary;            // binary data
    std::vector<TStreamValue> Items; // a list's values
    // A collection's items, each with its optional index (Integer) and
    // properties.
    struct Item;
    std::vector<Item> Collection;

    // Typed access; each raises EReadError on another kind of value.
    std::int64_t AsInt64() const;
    // An integer that must fit in 32 bits.
    std::int32_t AsInteger() const;
    bool AsBoolean() const;
    double AsFloat() const;
    QString AsString() const;
    QString AsIdent() const;
    QStringList AsSet() const;
    QByteArray AsBinary() const;
    // A list of strings.
    QStringList AsStringList() const;
};

struct TStreamProperty {
    QString Name;
    TStreamValue Value;
};

struct TStreamValue::Item {
    bool HasIndex = false;
    std::int64_t Index = 0;
    std::vector<TStreamProperty> Properties;
};

// One record as read.
struct TStreamRecord {
    QString ClassName;
    std::vector<TStreamProperty> Properties;

    // The property of that name (case-insensitive), or nullptr.
    const TStreamProperty* Find(const QString& Name) const;
};

// Appends records to a byte array.
class TStreamWriter {
public:
    explicit TStreamWriter(QByteArray& Out) : out_(Out) {}

    // Signature, class name and the empty component name.
    void BeginRecord(const QString& ClassName);
    // The end marks of the properties and of the child components.
    void EndRecord();

    // The properties written until EndObject belong to the owned object
    // Name; objects nest.
    void BeginObject(const QString& Name);
    void EndObject();

    void WriteInteger(const QString& Name, std::int64_t Value);
    void WriteBoolean(const QString& Name, bool Value);
    void WriteString(const QString& Name, const QString& Value);
    void WriteIdent(const QString& Name, const QString& Value);
    void WriteSet(const QString& Name, const QStringList& Members);
    // As the 80-bit extended value.
    void WriteFloat(const QString& Name, double Value);
    void WriteBinary(const QString& Name, const QByteArray& Value);
    void WriteStringList(const QString& Name, const QStringList& Values);

    // Pieces of values, for callers that build their own binary data.
    static void AppendShortString(QByteArray& Out, const QString& Text);
    static void AppendInt32(QByteArray& Out, std::int32_t Value);

private:
    void PropertyName(const QString& Name);
    void StringValue(const QString& Value);

    QByteArray& out_;
    QStringList path_;
};

// Reads records from bytes, starting at Position.
class TStreamReader {
public:
    // A position outside the bytes is taken as their end (or start).
    explicit TStreamReader(const QByteArray& Data, qsizetype Position = 0)
        : data_(Data), pos_(std::clamp<qsizetype>(Position, 0, Data.size()))
    {
    }

    // One whole record; raises EReadError, leaving Position where the fault
    // was found.
    TStreamRecord ReadRecord();

    qsizetype Position() const { return pos_; }
    qsizetype Remaining() const { return data_.size() - pos_; }

    // Deeper lists and collections are refused.
    static constexpr int kMaxDepth = 16;

private:
    std::uint8_t Byte();
    // Makes sure Count bytes are left; EReadError otherwise.
    void Need(std::int64_t Count) const;
    QByteArray Bytes(std::int64_t Count);
    std::int64_t LittleEndian(int Size);
    QString ShortString();
    QString LongString();
    TStreamValue Value(int Depth);
    std::vector<TStreamProperty> Properties(int Depth);

    QByteArray data_; // shared with the caller's, not copied
    qsizetype pos_;
};

// The 80-bit extended form of a double and back (exact one way, rounded
// the other; out of range gives infinity).
QByteArray DoubleToExtended(double Value);
double ExtendedToDouble(const QByteArray& TenBytes);
