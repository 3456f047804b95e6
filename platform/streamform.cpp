#include "platform/streamform.h"

#include "image/cp1252.h"

#include <QStringDecoder>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

constexpr char kSignature[] = "TPF0";

// The cp1252 bytes of a text, or an empty optional when a character does not
// fit.
std::optional<QByteArray> ToCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const auto code = UnicodeParaCp1252(c.unicode());
        if (!code || c.isSurrogate())
            return std::nullopt;
        bytes.append(static_cast<char>(*code));
    }
    return bytes;
}

QString FromCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes)
        text.append(QChar(static_cast<char16_t>(Cp1252ParaUnicode(static_cast<std::uint8_t>(b)))));
    return text;
}

void AppendLittleEndian(QByteArray& out, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendTag(QByteArray& out, TValueType type)
{
    out.append(static_cast<char>(type));
}

[[noreturn]] void WrongKind(const char* wanted, TValueType got)
{
    throw EReadError(std::string("expected a value of kind ") + wanted + ", found tag "
                     + std::to_string(static_cast<int>(got)));
}

} // namespace

// ---- 80-bit extended ----

QByteArray DoubleToExtended(double Value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &Value, sizeof bits);
    const bool negative = bits >> 63;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t(1) << 52) - 1);
    std::uint64_t mantissa = 0;
    int biased = 0;
    if (exponent == 0x7FF) {
        biased = 0x7FFF;
        mantissa = fraction == 0 ? std::uint64_t(1) << 63 : (std::uint64_t(3) << 62) | (fraction << 11);
    } else if (exponent != 0 || fraction != 0) {
        int unbiased = exponent == 0 ? -1022 : exponent - 1023;
        mantissa = (exponent == 0 ? 0 : std::uint64_t(1) << 63) | (fraction << 11);
        while (!(mantissa >> 63)) { // a subnormal double is normal here
            mantissa <<= 1;
            --unbiased;
        }
        biased = unbiased + 16383;
    }
    QByteArray out;
    AppendLittleEndian(out, mantissa, 8);
    AppendLittleEndian(out, static_cast<std::uint64_t>(biased | (negative ? 0x8000 : 0)), 2);
    return out;
}

double ExtendedToDouble(const QByteArray& TenBytes)
{
    if (TenBytes.size() != 10)
        throw EReadError("an extended value has 10 bytes");
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | static_cast<std::uint8_t>(TenBytes[i]);
    const unsigned top = static_cast<std::uint8_t>(TenBytes[8]) | (static_cast<std::uint8_t>(TenBytes[9]) << 8);
    const bool negative = top & 0x8000;
    const int biased = static_cast<int>(top & 0x7FFF);
    double value = 0;
    if (biased == 0x7FFF)
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    else if (mantissa != 0)
        value = std::ldexp(static_cast<double>(mantissa), biased - 16383 - 63);
    return negative ? -value : value;
}

// ---- values ----

std::int64_t TStreamValue::AsInt64() const
{
    switch (Type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        return Integer;
    default:
        WrongKind("integer", Type);
    }
}

std::int32_t TStreamValue::AsInteger() const
{
    const std::int64_t value = AsInt64();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw EReadError("an integer value does not fit in 32 bits");
    return static_cast<std::int32_t>(value);
}

bool TStreamValue::AsBoolean() const
{
    if (Type == TValueType::vaTrue)
        return true;
    if (Type == TValueType::vaFalse)
        return false;
    WrongKind("boolean", Type);
}

double TStreamValue::AsFloat() const
{
    switch (Type) {
    case TValueType::vaExtended:
    case TValueType::vaSingle:
    case TValueType::vaDouble:
    case TValueType::vaDate:
    case TValueType::vaCurrency:
        return Float;
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        return static_cast<double>(Integer);
    default:
        WrongKind("float", Type);
    }
}

QString TStreamValue::AsString() const
{
    switch (Type) {
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        return Text;
    default:
        WrongKind("string", Type);
    }
}

QString TStreamValue::AsIdent() const
{
    switch (Type) {
    case TValueType::vaIdent:
        return Text;
    case TValueType::vaFalse:
        return QStringLiteral("False");
    case TValueType::vaTrue:
        return QStringLiteral("True");
    case TValueType::vaNil:
        return QStringLiteral("nil");
    default:
        WrongKind("identifier", Type);
    }
}

QStringList TStreamValue::AsSet() const
{
    if (Type != TValueType::vaSet)
        WrongKind("set", Type);
    return Names;
}

QByteArray TStreamValue::AsBinary() const
{
    if (Type != TValueType::vaBinary)
        WrongKind("binary", Type);
    return Binary;
}

QStringList TStreamValue::AsStringList() const
{
    if (Type != TValueType::vaList)
        WrongKind("list", Type);
    QStringList values;
    for (const TStreamValue& item : Items)
        values.append(item.AsString());
    return values;
}

const TStreamProperty* TStreamRecord::Find(const QString& Name) const
{
    for (const TStreamProperty& property : Properties)
        if (property.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &property;
    return nullptr;
}

// ---- writer ----

void TStreamWriter::AppendShortString(QByteArray& Out, const QString& Text)
{
    const std::optional<QByteArray> bytes = ToCp1252(Text);
    if (!bytes || bytes->size() > 255)
        throw std::invalid_argument("a name must be at most 255 cp1252 characters");
    Out.append(static_cast<char>(bytes->size()));
    Out.append(*bytes);
}

void TStreamWriter::AppendInt32(QByteArray& Out, std::int32_t Value)
{
    AppendLittleEndian(Out, static_cast<std::uint32_t>(Value), 4);
}

void TStreamWriter::BeginRecord(const QString& ClassName)
{
    out_.append(kSignature, 4);
    AppendShortString(out_, ClassName);
    AppendShortString(out_, QString());
    path_.clear();
}

void TStreamWriter::EndRecord()
{
    AppendTag(out_, TValueType::vaNull); // end of the properties
    AppendTag(out_, TValueType::vaNull); // no child components
}

void TStreamWriter::BeginObject(const QString& Name)
{
    path_.append(Name);
}

void TStreamWriter::EndObject()
{
    if (!path_.isEmpty())
        path_.removeLast();
}

void TStreamWriter::PropertyName(const QString& Name)
{
    QString full;
    for (const QString& part : path_)
        full += part + QLatin1Char('.');
    AppendShortString(out_, full + Name);
}

void TStreamWriter::StringValue(const QString& Value)
{
    if (const std::optional<QByteArray> bytes = ToCp1252(Value)) {
        if (bytes->size() <= 255) {
            AppendTag(out_, TValueType::vaString);
            out_.append(static_cast<char>(bytes->size()));
        } else {
            AppendTag(out_, TValueType::vaLString);
            AppendInt32(out_, static_cast<std::int32_t>(bytes->size()));
        }
        out_.append(*bytes);
        return;
    }
    AppendTag(out_, TValueType::vaWString);
    AppendInt32(out_, static_cast<std::int32_t>(Value.size()));
    for (const QChar c : Value)
        AppendLittleEndian(out_, c.unicode(), 2);
}

void TStreamWriter::WriteInteger(const QString& Name, std::int64_t Value)
{
    PropertyName(Name);
    if (Value >= -128 && Value <= 127) {
        AppendTag(out_, TValueType::vaInt8);
        AppendLittleEndian(out_, static_cast<std::uint64_t>(Value), 1);
    } else if (Value >= -32768 && Value <= 32767) {
        AppendTag(out_, TValueType::vaInt16);
        AppendLittleEndian(out_, static_cast<std::uint64_t>(Value), 2);
    } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
        AppendTag(out_, TValueType::vaInt32);
        AppendLittleEndian(out_, static_cast<std::uint64_t>(Value), 4);
    } else {
        AppendTag(out_, TValueType::vaInt64);
        AppendLittleEndian(out_, static_cast<std::uint64_t>(Value), 8);
    }
}

void TStreamWriter::WriteBoolean(const QString& Name, bool Value)
{
    PropertyName(Name);
    AppendTag(out_, Value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TStreamWriter::WriteString(const QString& Name, const QString& Value)
{
    PropertyName(Name);
    StringValue(Value);
}

void TStreamWriter::WriteIdent(const QString& Name, const QString& Value)
{
    PropertyName(Name);
    AppendTag(out_, TValueType::vaIdent);
    AppendShortString(out_, Value);
}

void TStreamWriter::WriteSet(const QString& Name, const QStringList& Members)
{
    PropertyName(Name);
    AppendTag(out_, TValueType::vaSet);
    for (const QString& member : Members)
        AppendShortString(out_, member);
    AppendShortString(out_, QString());
}

void TStreamWriter::WriteFloat(const QString& Name, double Value)
{
    PropertyName(Name);
    AppendTag(out_, TValueType::vaExtended);
    out_.append(DoubleToExtended(Value));
}

void TStreamWriter::WriteBinary(const QString& Name, const QByteArray& Value)
{
    PropertyName(Name);
    AppendTag(out_, TValueType::vaBinary);
    AppendInt32(out_, static_cast<std::int32_t>(Value.size()));
    out_.append(Value);
}

void TStreamWriter::WriteStringList(const QString& Name, const QStringList& Values)
{
    PropertyName(Name);
    AppendTag(out_, TValueType::vaList);
    for (const QString& value : Values)
        StringValue(value);
    AppendTag(out_, TValueType::vaNull);
}

// ---- reader ----

void TStreamReader::Need(std::int64_t Count) const
{
    if (Count < 0 || Count > Remaining())
        throw EReadError("a length or count runs past the end of the stream");
}

std::uint8_t TStreamReader::Byte()
{
    Need(1);
    return static_cast<std::uint8_t>(data_[pos_++]);
}

QByteArray TStreamReader::Bytes(std::int64_t Count)
{
    Need(Count);
    QByteArray bytes = data_.mid(pos_, static_cast<qsizetype>(Count));
    pos_ += static_cast<qsizetype>(Count);
    return bytes;
}

std::int64_t TStreamReader::LittleEndian(int Size)
{
    Need(Size);
    std::uint64_t value = 0;
    for (int i = Size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(data_[pos_ + i]);
    pos_ += Size;
    // Sign-extend from Size bytes.
    const int shift = 64 - 8 * Size;
    return static_cast<std::int64_t>(value << shift) >> shift;
}

QString TStreamReader::ShortString()
{
    const std::uint8_t length = Byte();
    return FromCp1252(Bytes(length));
}

QString TStreamReader::LongString()
{
    return FromCp1252(Bytes(LittleEndian(4)));
}

TStreamValue TStreamReader::Value(int Depth)
{
    if (Depth > kMaxDepth)
        throw EReadError("lists nested too deeply");
    TStreamValue value;
    const std::uint8_t tag = Byte();
    if (tag > static_cast<std::uint8_t>(TValueType::vaDouble))
        throw EReadError("unknown value type " + std::to_string(tag));
    value.Type = static_cast<TValueType>(tag);
    switch (value.Type) {
    case TValueType::vaNull:
        throw EReadError("an end mark where a value was expected");
    case TValueType::vaList:
        while (true) {
            Need(1);
            if (data_[pos_] == 0) {
                ++pos_;
                break;
            }
            value.Items.push_back(Value(Depth + 1));
        }
        break;
    case TValueType::vaInt8:
        value.Integer = LittleEndian(1);
        break;
    case TValueType::vaInt16:
        value.Integer = LittleEndian(2);
        break;
    case TValueType::vaInt32:
        value.Integer = LittleEndian(4);
        break;
    case TValueType::vaInt64:
        value.Integer = LittleEndian(8);
        break;
    case TValueType::vaExtended:
        value.Float = ExtendedToDouble(Bytes(10));
        break;
    case TValueType::vaSingle: {
        const auto bits = static_cast<std::uint32_t>(LittleEndian(4));
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        value.Float = f;
        break;
    }
    case TValueType::vaDouble:
    case TValueType::vaDate: {
        const auto bits = static_cast<std::uint64_t>(LittleEndian(8));
        std::memcpy(&value.Float, &bits, sizeof value.Float);
        break;
    }
    case TValueType::vaCurrency:
        value.Integer = LittleEndian(8);
        value.Float = static_cast<double>(value.Integer) / 10000.0;
        break;
    case TValueType::vaString:
    case TValueType::vaIdent:
        value.Text = ShortString();
        break;
    case TValueType::vaLString:
        value.Text = LongString();
        break;
    case TValueType::vaWString: {
        const std::int64_t count = LittleEndian(4);
        Need(count < 0 ? -1 : count * 2);
        value.Text.resize(static_cast<qsizetype>(count));
        for (qsizetype i = 0; i < count; ++i)
            value.Text[i] = QChar(static_cast<char16_t>(LittleEndian(2)));
        break;
    }
    case TValueType::vaUTF8String: {
        const QByteArray bytes = Bytes(LittleEndian(4));
        QStringDecoder decoder(QStringDecoder::Utf8);
        value.Text = decoder.decode(bytes);
        if (decoder.hasError())
            throw EReadError("a UTF-8 string that is not UTF-8");
        break;
    }
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        break;
    case TValueType::vaBinary:
        value.Binary = Bytes(LittleEndian(4));
        break;
    case TValueType::vaSet:
        while (true) {
            const QString member = ShortString();
            if (member.isEmpty())
                break;
            value.Names.append(member);
        }
        break;
    case TValueType::vaCollection:
        while (true) {
            Need(1);
            if (data_[pos_] == 0) {
                ++pos_;
                break;
            }
            TStreamValue::Item item;
            const auto next = static_cast<TValueType>(data_[pos_]);
            if (next == TValueType::vaInt8 || next == TValueType::vaInt16 || next == TValueType::vaInt32) {
                item.HasIndex = true;
                item.Index = Value(Depth + 1).Integer;
            }
            if (Byte() != static_cast<std::uint8_t>(TValueType::vaList))
                throw EReadError("a collection item does not start with a list mark");
            item.Properties = Properties(Depth + 1);
            value.Collection.push_back(std::move(item));
        }
        break;
    }
    return value;
}

std::vector<TStreamProperty> TStreamReader::Properties(int Depth)
{
    std::vector<TStreamProperty> properties;
    while (true) {
        Need(1);
        if (data_[pos_] == 0) {
            ++pos_;
            return properties;
        }
        TStreamProperty property;
        property.Name = ShortString();
        property.Value = Value(Depth);
        properties.push_back(std::move(property));
    }
}

TStreamRecord TStreamReader::ReadRecord()
{
    if (Bytes(4) != QByteArray(kSignature, 4))
        throw EReadError("a record does not start with the signature TPF0");
    Need(1);
    if ((static_cast<std::uint8_t>(data_[pos_]) & 0xF0) == 0xF0)
        throw EReadError("inherited or inline records are not read");
    TStreamRecord record;
    record.ClassName = ShortString();
    if (record.ClassName.isEmpty())
        throw EReadError("a record without a class name");
    ShortString(); // the component name, which a bag does not have
    record.Properties = Properties(0);
    if (Byte() != 0)
        throw EReadError("a record with child components");
    return record;
}
