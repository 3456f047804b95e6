// The streaming record form: exact bytes of what the writer makes, the
// reader taking every integer width and string kind, and the reader refusing
// short or inconsistent bytes without reading past them.
#include "platform/streamform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

QByteArray B(const char* bytes, std::size_t size)
{
    return QByteArray(bytes, static_cast<qsizetype>(size));
}
#define BYTES(literal) B(literal, sizeof(literal) - 1)

TEST(StreamForm, RecordWithEveryValueKindHasTheseBytes)
{
    QByteArray out;
    TStreamWriter writer(out);
    writer.BeginRecord("TBag");
    writer.WriteInteger("A", 5);
    writer.WriteInteger("B", -200);
    writer.WriteInteger("C", 40000);
    writer.WriteBoolean("D", true);
    writer.WriteBoolean("E", false);
    writer.WriteString("S", QStringLiteral("ação"));
    writer.WriteIdent("K", "ctBitmap");
    writer.BeginObject("Font");
    writer.WriteSet("Style", {"fsBold", "fsItalic"});
    writer.EndObject();
    writer.WriteFloat("F", 1.5);
    writer.WriteBinary("Data", QByteArray("\x01\x02", 2));
    writer.WriteStringList("Strings", {"a", ""});
    writer.EndRecord();

    const QByteArray golden = BYTES("TPF0" "\x04" "TBag" "\x00"
                                    "\x01" "A" "\x02\x05"
                                    "\x01" "B" "\x03\x38\xff"
                                    "\x01" "C" "\x04\x40\x9c\x00\x00"
                                    "\x01" "D" "\x09"
                                    "\x01" "E" "\x08"
                                    "\x01" "S" "\x06\x04" "a\xe7\xe3o"
                                    "\x01" "K" "\x07\x08" "ctBitmap"
                                    "\x0a" "Font.Style" "\x0b\x06" "fsBold" "\x08" "fsItalic" "\x00"
                                    "\x01" "F" "\x05" "\x00\x00\x00\x00\x00\x00\x00\xc0\xff\x3f"
                                    "\x04" "Data" "\x0a\x02\x00\x00\x00\x01\x02"
                                    "\x07" "Strings" "\x01" "\x06\x01" "a" "\x06\x00" "\x00"
                                    "\x00\x00");
    EXPECT_EQ(out.toHex(' '), golden.toHex(' '));

    TStreamReader reader(out);
    const TStreamRecord record = reader.ReadRecord();
    EXPECT_EQ(reader.Remaining(), 0);
    EXPECT_EQ(record.ClassName, "TBag");
    ASSERT_EQ(record.Properties.size(), 11u);
    EXPECT_EQ(record.Find("a")->Value.AsInteger(), 5);
    EXPECT_EQ(record.Find("B")->Value.AsInteger(), -200);
    EXPECT_EQ(record.Find("C")->Value.AsInteger(), 40000);
    EXPECT_TRUE(record.Find("D")->Value.AsBoolean());
    EXPECT_FALSE(record.Find("E")->Value.AsBoolean());
    EXPECT_EQ(record.Find("S")->Value.AsString(), QStringLiteral("ação"));
    EXPECT_EQ(record.Find("K")->Value.AsIdent(), "ctBitmap");
    EXPECT_EQ(record.Find("Font.Style")->Value.AsSet(), QStringList({"fsBold", "fsItalic"}));
    EXPECT_EQ(record.Find("F")->Value.AsFloat(), 1.5);
    EXPECT_EQ(record.Find("Data")->Value.AsBinary(), QByteArray("\x01\x02", 2));
    EXPECT_EQ(record.Find("Strings")->Value.AsStringList(), QStringList({"a", ""}));
    EXPECT_EQ(record.Find("Missing"), nullptr);
}

TEST(StreamForm, NestedObjectsJoinTheirNames)
{
    QByteArray out;
    TStreamWriter writer(out);
    writer.BeginRecord("T");
    writer.BeginObject("Outer");
    writer.BeginObject("Inner");
    writer.WriteInteger("X", 0);
    writer.EndObject();
    writer.WriteInteger("Y", 1);
    writer.EndObject();
    writer.WriteInteger("Z", 2);
    writer.EndRecord();
    EXPECT_EQ(out, BYTES("TPF0\x01T\x00"
                         "\x0dOuter.Inner.X\x02\x00"
                         "\x07Outer.Y\x02\x01"
                         "\x01Z\x02\x02"
                         "\x00\x00"));
}

// The writer picks the narrowest width; the reader takes each one.
struct IntegerCase {
    std::int64_t value;
    const char* bytes;
    std::size_t size;
};
class StreamFormIntegers : public testing::TestWithParam<IntegerCase> {};

TEST_P(StreamFormIntegers, WrittenNarrowestAndReadBack)
{
    const IntegerCase c = GetParam();
    QByteArray out;
    TStreamWriter writer(out);
    writer.BeginRecord("T");
    writer.WriteInteger("I", c.value);
    writer.EndRecord();
    const QByteArray expected = BYTES("TPF0\x01T\x00\x01I") + B(c.bytes, c.size) + BYTES("\x00\x00");
    EXPECT_EQ(out.toHex(' '), expected.toHex(' '));
    TStreamReader reader(out);
    EXPECT_EQ(reader.ReadRecord().Find("I")->Value.AsInt64(), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, StreamFormIntegers,
    testing::Values(IntegerCase{0, "\x02\x00", 2}, IntegerCase{127, "\x02\x7f", 2}, IntegerCase{-128, "\x02\x80", 2},
                    IntegerCase{128, "\x03\x80\x00", 3}, IntegerCase{-32768, "\x03\x00\x80", 3},
                    IntegerCase{32767, "\x03\xff\x7f", 3}, IntegerCase{32768, "\x04\x00\x80\x00\x00", 5},
                    IntegerCase{-32769, "\x04\xff\x7f\xff\xff", 5},
                    IntegerCase{2147483647, "\x04\xff\xff\xff\x7f", 5},
                    IntegerCase{2147483648LL, "\x13\x00\x00\x00\x80\x00\x00\x00\x00", 9},
                    IntegerCase{-2147483649LL, "\x13\xff\xff\xff\x7f\xff\xff\xff\xff", 9}));

TEST(StreamForm, AnIntegerWiderThan32BitsIsRefusedWhereOneIsWanted)
{
    TStreamValue value;
    value.Type = TValueType::vaInt64;
    value.Integer = 1LL << 40;
    EXPECT_THROW(value.AsInteger(), EReadError);
    value.Type = TValueType::vaString;
    EXPECT_THROW(value.AsInt64(), EReadError);
}

// Strings: cp1252 bytes when every character fits (short or long form), the
// wide string otherwise; the reader also takes UTF-8 strings.
TEST(StreamForm, StringKinds)
{
    struct Case {
        QString text;
        QByteArray value;
    };
    const QString long300(300, QLatin1Char('x'));
    const Case cases[] = {
        {"", BYTES("\x06\x00")},
        {QStringLiteral("€ é"), BYTES("\x06\x03\x80\x20\xe9")},
        {long300, BYTES("\x0c\x2c\x01\x00\x00") + long300.toLatin1()},
        {QStringLiteral("Ω1"), BYTES("\x12\x02\x00\x00\x00\xa9\x03\x31\x00")},
        {QString::fromUtf8("\xf0\x9f\x98\x80"), BYTES("\x12\x02\x00\x00\x00\x3d\xd8\x00\xde")},
    };
    for (const Case& c : cases) {
        QByteArray out;
        TStreamWriter writer(out);
        writer.BeginRecord("T");
        writer.WriteString("S", c.text);
        writer.EndRecord();
        EXPECT_EQ(out, BYTES("TPF0\x01T\x00\x01S") + c.value + BYTES("\x00\x00")) << c.text.left(10).toStdString();
        TStreamReader reader(out);
        EXPECT_EQ(reader.ReadRecord().Find("S")->Value.AsString(), c.text);
    }
    TStreamReader utf8(BYTES("TPF0\x01T\x00\x01S\x14\x03\x00\x00\x00\xce\xa9z\x00\x00"));
    EXPECT_EQ(utf8.ReadRecord().Find("S")->Value.AsString(), QStringLiteral("Ωz"));
}

TEST(StreamForm, FloatKinds)
{
    const double values[] = {0.0, -0.0, 1.0, -2.5, 1e300, 1e-310, std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity()};
    for (const double v : values) {
        const double back = ExtendedToDouble(DoubleToExtended(v));
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
    // Beyond the double range an extended reads as infinity.
    EXPECT_TRUE(std::isinf(ExtendedToDouble(BYTES("\x00\x00\x00\x00\x00\x00\x00\x80\xfe\x7f"))));
    // Single, double and currency values are taken too.
    TStreamReader reader(BYTES("TPF0\x01T\x00"
                               "\x01" "a\x0f\x00\x00\xc0\x3f"
                               "\x01" "b\x15\x00\x00\x00\x00\x00\x00\x04\x40"
                               "\x01" "c\x10\x10\x27\x00\x00\x00\x00\x00\x00"
                               "\x00\x00"));
    const TStreamRecord record = reader.ReadRecord();
    EXPECT_EQ(record.Find("a")->Value.AsFloat(), 1.5);
    EXPECT_EQ(record.Find("b")->Value.AsFloat(), 2.5);
    EXPECT_EQ(record.Find("c")->Value.AsFloat(), 1.0);
}

TEST(StreamForm, CollectionsAreRead)
{
    TStreamReader reader(BYTES("TPF0\x01T\x00"
                               "\x05Items\x0e"
                               "\x01\x04Name\x06\x01x\x00"
                               "\x02\x07\x01\x01N\x02\x03\x00"
                               "\x00"
                               "\x00\x00"));
    const TStreamRecord record = reader.ReadRecord();
    const TStreamValue& items = record.Find("Items")->Value;
    ASSERT_EQ(items.Collection.size(), 2u);
    EXPECT_FALSE(items.Collection[0].HasIndex);
    EXPECT_EQ(items.Collection[0].Properties[0].Value.AsString(), "x");
    EXPECT_TRUE(items.Collection[1].HasIndex);
    EXPECT_EQ(items.Collection[1].Index, 7);
    EXPECT_EQ(items.Collection[1].Properties[0].Value.AsInteger(), 3);
}

TEST(StreamForm, RecordsFollowOneAnother)
{
    QByteArray out;
    TStreamWriter writer(out);
    for (int i = 0; i < 3; ++i) {
        writer.BeginRecord("R");
        writer.WriteInteger("I", i);
        writer.EndRecord();
    }
    TStreamReader reader(out);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reader.ReadRecord().Find("I")->Value.AsInteger(), i);
    EXPECT_EQ(reader.Remaining(), 0);
}

// Every cut of a valid record is a reading error, found without reading
// past the cut.
TEST(StreamForm, EveryTruncationIsAReadingError)
{
    QByteArray out;
    TStreamWriter writer(out);
    writer.BeginRecord("TBag");
    writer.WriteInteger("C", 40000);
    writer.WriteString("S", QStringLiteral("Ω"));
    writer.WriteString("L", QString(300, 'y'));
    writer.WriteSet("Set", {"a"});
    writer.WriteFloat("F", 2);
    writer.WriteBinary("Data", "xyz");
    writer.WriteStringList("Strings", {"a"});
    writer.EndRecord();
    for (qsizetype cut = 0; cut < out.size(); ++cut) {
        const QByteArray part = out.left(cut);
        TStreamReader reader(part);
        EXPECT_THROW(reader.ReadRecord(), EReadError) << "cut at " << cut;
        EXPECT_LE(reader.Position(), cut);
    }
}

TEST(StreamForm, MalformedRecordsAreReadingErrors)
{
    const QByteArray cases[] = {
        BYTES("TPF1\x01T\x00\x00\x00"),                        // signature
        BYTES("TPF0\x00\x00\x00\x00"),                         // no class name
        BYTES("TPF0\xf1\x01T\x00\x00\x00"),                    // inherited-record flags
        BYTES("TPF0\x01T\x00\x00\x01"),                        // a child component
        BYTES("TPF0\x01T\x00\x01X\x16\x00\x00"),               // unknown value type
        BYTES("TPF0\x01T\x00\x01X\x00\x00\x00"),               // end mark as a value
        BYTES("TPF0\x01T\x00\x01X\x0c\xff\xff\xff\x7f" "ab\x00\x00"),  // long string longer than the rest
        BYTES("TPF0\x01T\x00\x01X\x0c\xff\xff\xff\xff\x00\x00"),    // negative length
        BYTES("TPF0\x01T\x00\x01X\x12\x00\x00\x00\x40\x00\x00"),    // wide string count
        BYTES("TPF0\x01T\x00\x01X\x0a\x10\x00\x00\x00\x01\x00\x00"), // binary longer than the rest
        BYTES("TPF0\x01T\x00\x01X\x14\x02\x00\x00\x00\xff\xfe\x00\x00"), // bad UTF-8
        BYTES("TPF0\x01T\x00\x01X\x0e\x03\x00\x00\x00"),       // collection item without its list mark
    };
    for (const QByteArray& bytes : cases) {
        TStreamReader reader(bytes);
        EXPECT_THROW(reader.ReadRecord(), EReadError) << bytes.toHex(' ').toStdString();
    }
    QByteArray deep = BYTES("TPF0\x01T\x00\x01X");
    deep += QByteArray(TStreamReader::kMaxDepth + 2, '\x01');
    deep += QByteArray(TStreamReader::kMaxDepth + 2, '\x00');
    deep += BYTES("\x00\x00");
    TStreamReader reader(deep);
    EXPECT_THROW(reader.ReadRecord(), EReadError);
}

TEST(StreamForm, ValuesOfTheWrongKindAreReadingErrors)
{
    TStreamReader reader(BYTES("TPF0\x01T\x00\x01X\x06\x01" "5\x00\x00"));
    const TStreamValue value = reader.ReadRecord().Find("X")->Value;
    EXPECT_THROW(value.AsInteger(), EReadError);
    EXPECT_THROW(value.AsBoolean(), EReadError);
    EXPECT_THROW(value.AsFloat(), EReadError);
    EXPECT_THROW(value.AsIdent(), EReadError);
    EXPECT_THROW(value.AsSet(), EReadError);
    EXPECT_THROW(value.AsBinary(), EReadError);
    EXPECT_THROW(value.AsStringList(), EReadError);
    EXPECT_EQ(value.AsString(), "5");
}

TEST(StreamForm, WriterRefusesNamesTheFormCannotHold)
{
    QByteArray out;
    TStreamWriter writer(out);
    EXPECT_THROW(writer.BeginRecord(QString(256, 'T')), std::invalid_argument);
    EXPECT_THROW(writer.WriteInteger(QStringLiteral("Ω"), 1), std::invalid_argument);
}

} // namespace
