// The streaming record reader: any bytes read as records or fail with the
// reading error, never reading past the end; every record read, written
// again with the writer, reads back to the same names and values.
#include "tests/fuzz/support/fuzz.h"

#include "platform/streamform.h"

#include <cmath>
#include <cstring>

namespace {

// Writes a value read back with the writer; false for the kinds the writer
// has no call for (they are only read).
bool Rewrite(TStreamWriter& writer, const TStreamProperty& property)
{
    const TStreamValue& v = property.Value;
    switch (v.Type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        writer.WriteInteger(property.Name, v.Integer);
        return true;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
        writer.WriteBoolean(property.Name, v.AsBoolean());
        return true;
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        writer.WriteString(property.Name, v.Text);
        return true;
    case TValueType::vaIdent:
        writer.WriteIdent(property.Name, v.Text);
        return true;
    case TValueType::vaSet:
        writer.WriteSet(property.Name, v.Names);
        return true;
    case TValueType::vaExtended:
        writer.WriteFloat(property.Name, v.Float);
        return true;
    case TValueType::vaBinary:
        writer.WriteBinary(property.Name, v.Binary);
        return true;
    default:
        return false;
    }
}

bool SameValue(const TStreamValue& a, const TStreamValue& b)
{
    if (a.Type == TValueType::vaExtended)
        return std::isnan(a.Float) ? std::isnan(b.Float) : std::memcmp(&a.Float, &b.Float, sizeof a.Float) == 0;
    if (a.Type == TValueType::vaInt8 || a.Type == TValueType::vaInt16 || a.Type == TValueType::vaInt32
        || a.Type == TValueType::vaInt64)
        return b.AsInt64() == a.Integer;
    return a.Text == b.Text && a.Names == b.Names && a.Binary == b.Binary && (a.Type == TValueType::vaTrue) == (b.Type == TValueType::vaTrue);
}

void CheckRewrite(const TStreamRecord& record)
{
    QByteArray out;
    TStreamWriter writer(out);
    try {
        writer.BeginRecord(record.ClassName);
        for (const TStreamProperty& property : record.Properties)
            if (!Rewrite(writer, property))
                return;
    } catch (const std::invalid_argument&) {
        return; // a name or identifier the writer cannot give in cp1252
    }
    writer.EndRecord();
    TStreamReader reader(out);
    const TStreamRecord again = reader.ReadRecord();
    FuzzCheck(reader.Remaining() == 0, "a rewritten record reads to its end");
    FuzzCheck(again.ClassName == record.ClassName, "the class name survives");
    FuzzCheck(again.Properties.size() == record.Properties.size(), "every property survives");
    for (std::size_t i = 0; i < record.Properties.size(); ++i) {
        FuzzCheck(again.Properties[i].Name == record.Properties[i].Name, "names survive");
        FuzzCheck(SameValue(record.Properties[i].Value, again.Properties[i].Value), "values survive");
    }
}

} // namespace

std::vector<std::string> FuzzSeeds()
{
    std::vector<std::string> seeds;
    QByteArray out;
    TStreamWriter writer(out);
    writer.BeginRecord("TGridPropIO");
    writer.WriteInteger("ColCount", 2);
    writer.WriteInteger("RowCount", 40000);
    writer.WriteString("ColWidths", "64,64");
    writer.WriteString("RowHeights", QStringLiteral("ação Ω"));
    writer.WriteBoolean("FullGrid", false);
    writer.WriteInteger("ID", -5);
    writer.EndRecord();
    seeds.push_back(out.toStdString());
    out.clear();
    writer.BeginRecord("TBag");
    writer.BeginObject("Font");
    writer.WriteSet("Style", {"fsBold"});
    writer.WriteFloat("Size", 1.25);
    writer.EndObject();
    writer.WriteIdent("Kind", "ctBitmap");
    writer.WriteBinary("Data", QByteArray(20, '\x7f'));
    writer.WriteStringList("Strings", {"a", QString(300, 'b'), QStringLiteral("€")});
    writer.WriteInteger("Big", 1LL << 40);
    writer.EndRecord();
    writer.BeginRecord("TSecond");
    writer.EndRecord();
    seeds.push_back(out.toStdString());
    seeds.push_back(std::string("TPF0\x01T\x00\x05Items\x0e\x01\x01N\x02\x03\x00\x02\x07\x01\x00\x00\x00\x00", 27));
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TStreamReader reader(input);
    while (reader.Remaining() > 0) {
        const qsizetype before = reader.Position();
        try {
            const TStreamRecord record = reader.ReadRecord();
            FuzzCheck(reader.Position() > before, "a record read moves on");
            CheckRewrite(record);
        } catch (const EReadError&) {
            FuzzCheck(reader.Position() <= input.size(), "the reader stops inside the bytes");
            break;
        }
    }
    return 0;
}
