#include "grid/cellstream.h"
#include "platform/grids.h"

#include "grid/picturecontainer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>
#include <utility>

namespace {

// ---- property tables ----

// One published property of a bag: its name in the stream, how it is
// written and how a read value is stored.
template <class Bag>
struct Field {
    const char* name;
    void (*write)(TStreamWriter& writer, const QString& name, const Bag& bag);
    void (*read)(const TStreamValue& value, Bag& bag);
};

template <class Bag, std::size_t N>
void WriteFields(TStreamWriter& writer, const char* className, const std::array<Field<Bag>, N>& fields, const Bag& bag)
{
    writer.BeginRecord(className);
    for (const Field<Bag>& field : fields)
        field.write(writer, field.name, bag);
    writer.EndRecord();
}

template <class Bag, std::size_t N>
void ReadFields(const TStreamRecord& record, const char* className, const std::array<Field<Bag>, N>& fields, Bag& bag)
{
    if (record.ClassName.compare(className, Qt::CaseInsensitive) != 0)
        throw EReadError("expected a " + std::string(className) + " record, found " + record.ClassName.toStdString());
    for (const TStreamProperty& property : record.Properties) {
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const Field<Bag>& f) {
            return property.Name.compare(f.name, Qt::CaseInsensitive) == 0;
        });
        if (field == fields.end())
            throw EReadError("the record " + std::string(className) + " has no property "
                             + property.Name.toStdString());
        field->read(property.Value, bag);
    }
}

// Enumerations are written as the names of their values.
template <class Enum, std::size_t N>
QString EnumName(const std::array<const char*, N>& names, Enum value)
{
    const auto index = static_cast<std::size_t>(value);
    return index < N ? QString::fromLatin1(names[index]) : QString::number(index);
}

template <class Enum, std::size_t N>
Enum EnumValue(const std::array<const char*, N>& names, const TStreamValue& value)
{
    const QString ident = value.AsIdent();
    for (std::size_t i = 0; i < N; ++i)
        if (ident.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return static_cast<Enum>(i);
    throw EReadError("unknown value " + ident.toStdString());
}

constexpr std::array<const char*, 20> kCellTypes = {
    "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated",
    "ctDataImage", "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture",
    "ctValue", "ctProgress", "ctComment", "ctButton", "ctBitButton", "ctVirtCheckBox"};
constexpr std::array<const char*, 6> kVAligns = {"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
constexpr std::array<const char*, 6> kHAligns = {"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
constexpr std::array<const char*, 2> kBrushStyles = {"bsSolid", "bsClear"};
constexpr std::array<const char*, 3> kAlignments = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array<const char*, 3> kVAlignments = {"vtaTop", "vtaCenter", "vtaBottom"};
constexpr std::array<const char*, 27> kEditors = {
    "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox", "edDateEdit",
    "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric", "edPositiveNumeric",
    "edFloat", "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn", "edLowerCase", "edUpperCase",
    "edFloatSpinEdit", "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn", "edFloatEditBtn", "edCustom",
    "edRichEdit"};
static_assert(kEditors.size() == edRichEdit + 1);
static_assert(kCellTypes.size() == ctVirtCheckBox + 1);

// Font styles, a set: bit i is the member named here.
constexpr std::array<const char*, 4> kFontStyles = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

QStringList FontStyleNames(TFontStyles styles)
{
    QStringList names;
    for (std::size_t i = 0; i < kFontStyles.size(); ++i)
        if (styles & (1u << i))
            names << QString::fromLatin1(kFontStyles[i]);
    return names;
}

TFontStyles FontStyleValue(const TStreamValue& value)
{
    TFontStyles styles = 0;
    for (const QString& name : value.AsSet()) {
        std::size_t i = 0;
        while (i < kFontStyles.size() && name.compare(QLatin1String(kFontStyles[i]), Qt::CaseInsensitive) != 0)
            ++i;
        if (i == kFontStyles.size())
            throw EReadError("unknown font style " + name.toStdString());
        styles |= 1u << i;
    }
    return styles;
}

// Colours with a name are written by name, the others as numbers.
struct NamedColor {
    TColor color;
    const char* name;
};
constexpr NamedColor kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clNone, "clNone"}, {clWindow, "clWindow"}, {clWindowText, "clWindowText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clBtnHighlight, "clBtnHighlight"},
};

void WriteColor(TStreamWriter& writer, const QString& name, TColor color)
{
    for (const NamedColor& named : kColorNames)
        if (named.color == color) {
            writer.WriteIdent(name, QString::fromLatin1(named.name));
            return;
        }
    writer.WriteInteger(name, color);
}

TColor ColorValue(const TStreamValue& value)
{
    if (value.Type != TValueType::vaIdent)
        return value.AsInteger();
    for (const NamedColor& named : kColorNames)
        if (value.Text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.color;
    throw EReadError("unknown colour " + value.Text.toStdString());
}

short SmallintValue(const TStreamValue& value)
{
    const std::int32_t v = value.AsInteger();
    if (v < std::numeric_limits<short>::min() || v > std::numeric_limits<short>::max())
        throw EReadError("a 16-bit value out of range");
    return static_cast<short>(v);
}

// ---- pictures ----

// Decodes an image, refusing one whose size its bytes cannot account for
// (no compression packs more than about a thousand pixels into a byte), so a
// forged header cannot make it allocate gigabytes.
bool SizeFitsBytes(QSize size, qsizetype bytes)
{
    const std::int64_t pixels = std::int64_t(std::max(size.width(), 0)) * std::max(size.height(), 0);
    return pixels <= 1032 * std::int64_t(bytes) + 4096;
}

QImage DecodeImage(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || !SizeFitsBytes(size, bytes.size()))
        throw EReadError(std::string("picture data that is no ") + format + " image of its size");
    const QImage image = reader.read();
    if (image.isNull())
        throw EReadError(std::string("picture data that is no ") + format + " image");
    return image;
}

QByteArray EncodeImage(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

std::int32_t LeInt32(const QByteArray& bytes, qsizetype at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return static_cast<std::int32_t>(value);
}

// A bitmap's data: its size, then a bitmap file (nothing for an empty one).
QByteArray BitmapData(const TBitmap& bitmap)
{
    const QByteArray file = bitmap.GetEmpty() ? QByteArray() : EncodeImage(bitmap.Image, "BMP");
    QByteArray data;
    TStreamWriter::AppendInt32(data, static_cast<std::int32_t>(file.size()));
    return data + file;
}

void ReadBitmapData(const QByteArray& data, TBitmap& bitmap)
{
    if (data.size() < 4 || LeInt32(data, 0) != data.size() - 4)
        throw EReadError("bitmap data whose size does not match");
    bitmap.Image = data.size() == 4 ? QImage() : DecodeImage(data.mid(4), "BMP");
}

// An icon's data: the size it is drawn at, then a PNG of it (nothing for an
// empty one).
QByteArray IconData(const TIcon& icon)
{
    QByteArray data;
    TStreamWriter::AppendInt32(data, icon.Size);
    if (!icon.GetEmpty())
        data += EncodeImage(icon.Icon.pixmap(icon.Size).toImage(), "PNG");
    return data;
}

void ReadIconData(const QByteArray& data, TIcon& icon)
{
    if (data.size() < 4)
        throw EReadError("icon data without its size");
    const std::int32_t size = LeInt32(data, 0);
    if (size < 0 || size > 4096)
        throw EReadError("an icon size out of range");
    icon.Size = size;
    icon.Icon = data.size() == 4 ? QIcon() : QIcon(QPixmap::fromImage(DecodeImage(data.mid(4), "PNG")));
}

// A picture's data: the class name of its graphic, then the graphic's own.
QByteArray PictureData(const TGraphic& graphic)
{
    QByteArray data;
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&graphic)) {
        TStreamWriter::AppendShortString(data, "TBitmap");
        data += BitmapData(*bitmap);
    } else if (const auto* icon = dynamic_cast<const TIcon*>(&graphic)) {
        TStreamWriter::AppendShortString(data, "TIcon");
        data += IconData(*icon);
    } else if (const auto* picture = dynamic_cast<const THTMLPicture*>(&graphic)) {
        TStreamWriter::AppendShortString(data, "THTMLPicture");
        data += picture->Data();
    }
    return data;
}

std::unique_ptr<TGraphic> ReadPictureData(const QByteArray& data)
{
    if (data.isEmpty() || data.size() < 1 + static_cast<std::uint8_t>(data[0]))
        throw EReadError("picture data without its class name");
    const int nameLength = static_cast<std::uint8_t>(data[0]);
    const QString className = QString::fromLatin1(data.mid(1, nameLength));
    const QByteArray rest = data.mid(1 + nameLength);
    if (className == QLatin1String("TBitmap")) {
        auto bitmap = std::make_unique<TBitmap>();
        ReadBitmapData(rest, *bitmap);
        return bitmap;
    }
    if (className == QLatin1String("TIcon")) {
        auto icon = std::make_unique<TIcon>();
        ReadIconData(rest, *icon);
        return icon;
    }
    if (className == QLatin1String("THTMLPicture")) {
        // The same guard for an image file of any kind, when its kind tells
        // its size.
        QBuffer buffer;
        buffer.setData(rest);
        buffer.open(QIODevice::ReadOnly);
        if (!SizeFitsBytes(QImageReader(&buffer).size(), rest.size()))
            throw EReadError("picture data larger than its bytes can hold");
        auto picture = std::make_unique<THTMLPicture>();
        try {
            picture->LoadFromData(rest);
        } catch (const EPictureError& e) {
            throw EReadError(e.what());
        }
        return picture;
    }
    throw EReadError("a picture of unknown kind " + className.toStdString());
}

// ---- the bags' properties ----

std::vector<int> SizeList(const QString& text, std::int32_t count, const char* what)
{
    // An empty list for no entries; each entry needs at least a digit, so a
    // count larger than the text is refused before anything is kept.
    if (count < 0 || count > text.size())
        throw EReadError(std::string("the ") + what + " list does not match the count");
    std::vector<int> sizes;
    if (count == 0) {
        if (!text.isEmpty())
            throw EReadError(std::string("the ") + what + " list does not match the count");
        return sizes;
    }
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        throw EReadError(std::string("the ") + what + " list does not match the count");
    sizes.reserve(static_cast<std::size_t>(count));
    for (const QString& part : parts) {
        bool ok = false;
        const int size = part.toInt(&ok);
        if (!ok || size < 0)
            throw EReadError(std::string("a bad entry in the ") + what + " list");
        sizes.push_back(size);
    }
    return sizes;
}

const std::array<Field<TGridPropIO>, 6> kPropFields = {{
    {"ColCount", [](TStreamWriter& w, const QString& n, const TGridPropIO& b) { w.WriteInteger(n, b.ColCount); },
     [](const TStreamValue& v, TGridPropIO& b) { b.ColCount = v.AsInteger(); }},
    {"RowCount", [](TStreamWriter& w, const QString& n, const TGridPropIO& b) { w.WriteInteger(n, b.RowCount); },
     [](const TStreamValue& v, TGridPropIO& b) { b.RowCount = v.AsInteger(); }},
    {"ColWidths", [](TStreamWriter& w, const QString& n, const TGridPropIO& b) { w.WriteString(n, b.ColWidths); },
     [](const TStreamValue& v, TGridPropIO& b) { b.ColWidths = v.AsString(); }},
    {"RowHeights", [](TStreamWriter& w, const QString& n, const TGridPropIO& b) { w.WriteString(n, b.RowHeights); },
     [](const TStreamValue& v, TGridPropIO& b) { b.RowHeights = v.AsString(); }},
    {"FullGrid", [](TStreamWriter& w, const QString& n, const TGridPropIO& b) { w.WriteBoolean(n, b.FullGrid); },
     [](const TStreamValue& v, TGridPropIO& b) { b.FullGrid = v.AsBoolean(); }},
    {"ID", [](TStreamWriter& w, const QString& n, const TGridPropIO& b) { w.WriteInteger(n, b.ID); },
     [](const TStreamValue& v, TGridPropIO& b) { b.ID = v.AsInteger(); }},
}};

const std::array<Field<TGridCellIO>, 4> kCellFields = {{
    {"Col", [](TStreamWriter& w, const QString& n, const TGridCellIO& b) { w.WriteInteger(n, b.Col); },
     [](const TStreamValue& v, TGridCellIO& b) { b.Col = v.AsInteger(); }},
    {"Row", [](TStreamWriter& w, const QString& n, const TGridCellIO& b) { w.WriteInteger(n, b.Row); },
     [](const TStreamValue& v, TGridCellIO& b) { b.Row = v.AsInteger(); }},
    {"Cell", [](TStreamWriter& w, const QString& n, const TGridCellIO& b) { w.WriteString(n, b.Cell); },
     [](const TStreamValue& v, TGridCellIO& b) { b.Cell = v.AsString(); }},
    {"HasProp", [](TStreamWriter& w, const QString& n, const TGridCellIO& b) { w.WriteBoolean(n, b.HasProp); },
     [](const TStreamValue& v, TGridCellIO& b) { b.HasProp = v.AsBoolean(); }},
}};

using PropBag = TGridCellPropIO;
#define PROP(expr) (*b.CellProperties).expr
const std::array<Field<PropBag>, 20> kCellPropFields = {{
    {"CellProperties.OwnerCol", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteInteger(n, PROP(OwnerCol)); },
     [](const TStreamValue& v, PropBag& b) { PROP(OwnerCol) = v.AsInteger(); }},
    {"CellProperties.OwnerRow", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteInteger(n, PROP(OwnerRow)); },
     [](const TStreamValue& v, PropBag& b) { PROP(OwnerRow) = v.AsInteger(); }},
    {"CellProperties.BrushStyle",
     [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteIdent(n, EnumName(kBrushStyles, PROP(BrushStyle))); },
     [](const TStreamValue& v, PropBag& b) { PROP(BrushStyle) = EnumValue<TBrushStyle>(kBrushStyles, v); }},
    {"CellProperties.BrushColor", [](TStreamWriter& w, const QString& n, const PropBag& b) { WriteColor(w, n, PROP(BrushColor())); },
     [](const TStreamValue& v, PropBag& b) { PROP(SetBrushColor(ColorValue(v))); }},
    {"CellProperties.FontSize", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteInteger(n, PROP(FontSize)); },
     [](const TStreamValue& v, PropBag& b) { PROP(FontSize) = v.AsInteger(); }},
    {"CellProperties.FontColor", [](TStreamWriter& w, const QString& n, const PropBag& b) { WriteColor(w, n, PROP(FontColor)); },
     [](const TStreamValue& v, PropBag& b) { PROP(FontColor) = ColorValue(v); }},
    {"CellProperties.FontStyle",
     [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteSet(n, FontStyleNames(PROP(FontStyle))); },
     [](const TStreamValue& v, PropBag& b) { PROP(FontStyle) = FontStyleValue(v); }},
    {"CellProperties.CellSpanY", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteInteger(n, PROP(CellSpanY)); },
     [](const TStreamValue& v, PropBag& b) { PROP(CellSpanY) = v.AsInteger(); }},
    {"CellProperties.CellSpanX", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteInteger(n, PROP(CellSpanX)); },
     [](const TStreamValue& v, PropBag& b) { PROP(CellSpanX) = v.AsInteger(); }},
    {"CellProperties.BorderWidth", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteInteger(n, PROP(BorderWidth)); },
     [](const TStreamValue& v, PropBag& b) { PROP(BorderWidth) = v.AsInteger(); }},
    {"CellProperties.BorderColor", [](TStreamWriter& w, const QString& n, const PropBag& b) { WriteColor(w, n, PROP(BorderColor)); },
     [](const TStreamValue& v, PropBag& b) { PROP(BorderColor) = ColorValue(v); }},
    {"CellProperties.Alignment",
     [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteIdent(n, EnumName(kAlignments, PROP(Alignment))); },
     [](const TStreamValue& v, PropBag& b) { PROP(Alignment) = EnumValue<TAlignment>(kAlignments, v); }},
    {"CellProperties.VAlignment",
     [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteIdent(n, EnumName(kVAlignments, PROP(VAlignment()))); },
     [](const TStreamValue& v, PropBag& b) { PROP(SetVAlignment(EnumValue<TVAlignment>(kVAlignments, v))); }},
    {"CellProperties.WordWrap", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteBoolean(n, PROP(WordWrap())); },
     [](const TStreamValue& v, PropBag& b) { PROP(SetWordWrap(v.AsBoolean())); }},
    {"CellProperties.IsBaseCell", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteBoolean(n, PROP(IsBaseCell)); },
     [](const TStreamValue& v, PropBag& b) { PROP(IsBaseCell) = v.AsBoolean(); }},
    {"CellProperties.NodeLevel", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteInteger(n, PROP(NodeLevel)); },
     [](const TStreamValue& v, PropBag& b) { PROP(NodeLevel) = v.AsInteger(); }},
    {"CellProperties.Editor",
     [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteIdent(n, EnumName(kEditors, PROP(Editor))); },
     [](const TStreamValue& v, PropBag& b) { PROP(Editor) = EnumValue<TEditorType>(kEditors, v); }},
    {"CellProperties.FontName", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteString(n, PROP(FontName)); },
     [](const TStreamValue& v, PropBag& b) { PROP(FontName) = v.AsString(); }},
    {"CellProperties.ReadOnly", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteBoolean(n, PROP(ReadOnly)); },
     [](const TStreamValue& v, PropBag& b) { PROP(ReadOnly) = v.AsBoolean(); }},
    {"HasGraphic", [](TStreamWriter& w, const QString& n, const PropBag& b) { w.WriteBoolean(n, b.HasGraphic); },
     [](const TStreamValue& v, PropBag& b) { b.HasGraphic = v.AsBoolean(); }},
}};
#undef PROP

using GraphicBag = TGridGraphicIO;
#define GR(expr) (*b.CellGraphic).expr
const std::array<Field<GraphicBag>, 12> kGraphicFields = {{
    {"CellGraphic.CellType", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteIdent(n, EnumName(kCellTypes, GR(CellType))); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellType) = EnumValue<TCellType>(kCellTypes, v); }},
    {"CellGraphic.CellVAlign", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteIdent(n, EnumName(kVAligns, GR(CellVAlign))); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellVAlign) = EnumValue<TCellVAlign>(kVAligns, v); }},
    {"CellGraphic.CellHAlign", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteIdent(n, EnumName(kHAligns, GR(CellHAlign))); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellHAlign) = EnumValue<TCellHAlign>(kHAligns, v); }},
    {"CellGraphic.CellIndex", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteInteger(n, GR(CellIndex)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellIndex) = v.AsInteger(); }},
    {"CellGraphic.CellTransparent", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteBoolean(n, GR(CellTransparent)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellTransparent) = v.AsBoolean(); }},
    {"CellGraphic.CellCreated", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteBoolean(n, GR(CellCreated)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellCreated) = v.AsBoolean(); }},
    {"CellGraphic.CellBoolean", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteBoolean(n, GR(CellBoolean)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellBoolean) = v.AsBoolean(); }},
    {"CellGraphic.CellAngle", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteInteger(n, GR(CellAngle)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellAngle) = v.AsInteger(); }},
    {"CellGraphic.CellValue", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteFloat(n, GR(CellValue)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellValue) = v.AsFloat(); }},
    {"CellGraphic.CellErrFrom", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteInteger(n, GR(CellErrFrom)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellErrFrom) = SmallintValue(v); }},
    {"CellGraphic.CellErrLen", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteInteger(n, GR(CellErrLen)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellErrLen) = SmallintValue(v); }},
    {"CellGraphic.CellText", [](TStreamWriter& w, const QString& n, const GraphicBag& b) { w.WriteString(n, GR(CellText)); },
     [](const TStreamValue& v, GraphicBag& b) { GR(CellText) = v.AsString(); }},
}};
#undef GR

const std::array<Field<TGridBMPIO>, 1> kBMPFields = {{
    {"Bitmap.Data", [](TStreamWriter& w, const QString& n, const TGridBMPIO& b) { w.WriteBinary(n, BitmapData(*b.Bitmap)); },
     [](const TStreamValue& v, TGridBMPIO& b) { ReadBitmapData(v.AsBinary(), *b.Bitmap); }},
}};

const std::array<Field<TGridIconIO>, 1> kIconFields = {{
    {"Icon.Data", [](TStreamWriter& w, const QString& n, const TGridIconIO& b) { w.WriteBinary(n, IconData(*b.Icon)); },
     [](const TStreamValue& v, TGridIconIO& b) { ReadIconData(v.AsBinary(), *b.Icon); }},
}};

// An empty picture, or one of a kind the stream does not know, writes no
// data at all.
void WritePicture(TStreamWriter& writer, const QString& name, const TGraphic* picture)
{
    if (!picture)
        return;
    const QByteArray data = PictureData(*picture);
    if (!data.isEmpty())
        writer.WriteBinary(name, data);
}

const std::array<Field<TGridPicIO>, 1> kPicFields = {{
    {"Picture.Data", [](TStreamWriter& w, const QString& n, const TGridPicIO& b) { WritePicture(w, n, b.Picture.get()); },
     [](const TStreamValue& v, TGridPicIO& b) { b.Picture = ReadPictureData(v.AsBinary()); }},
}};

// A file picture is kept as its file's name; the file is read for its size
// only when it is a plain file (never a device or a folder).
const std::array<Field<TGridFilePicIO>, 1> kFilePicFields = {{
    {"Picture.Filename",
     [](TStreamWriter& w, const QString& n, const TGridFilePicIO& b) { w.WriteString(n, b.Picture->Filename()); },
     [](const TStreamValue& v, TGridFilePicIO& b) {
         const QString name = v.AsString();
         b.Picture = std::make_unique<TFilePicture>();
         if (QFileInfo(name).isFile())
             b.Picture->SetFilename(name);
     }},
}};

const std::array<Field<TGridSLIO>, 1> kSLFields = {{
    {"Strings.Strings", [](TStreamWriter& w, const QString& n, const TGridSLIO& b) { w.WriteStringList(n, b.Strings); },
     [](const TStreamValue& v, TGridSLIO& b) { b.Strings = v.AsStringList(); }},
}};

} // namespace

void TGridPropIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridPropIO", kPropFields, *this); }
void TGridPropIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridPropIO", kPropFields, *this); }
std::vector<int> TGridPropIO::Widths() const { return SizeList(ColWidths, ColCount, "column width"); }
std::vector<int> TGridPropIO::Heights() const { return SizeList(RowHeights, RowCount, "row height"); }
void TGridCellIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridCellIO", kCellFields, *this); }
void TGridCellIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridCellIO", kCellFields, *this); }
void TGridCellPropIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridCellPropIO", kCellPropFields, *this); }
void TGridCellPropIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridCellPropIO", kCellPropFields, *this); }
void TGridGraphicIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridGraphicIO", kGraphicFields, *this); }
void TGridGraphicIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridGraphicIO", kGraphicFields, *this); }
void TGridBMPIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridBMPIO", kBMPFields, *this); }
void TGridBMPIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridBMPIO", kBMPFields, *this); }
void TGridIconIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridIconIO", kIconFields, *this); }
void TGridIconIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridIconIO", kIconFields, *this); }
void TGridPicIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridPicIO", kPicFields, *this); }
void TGridPicIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridPicIO", kPicFields, *this); }
void TGridFilePicIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridFilePicIO", kFilePicFields, *this); }
void TGridFilePicIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridFilePicIO", kFilePicFields, *this); }
void TGridSLIO::Write(TStreamWriter& Writer) const { WriteFields(Writer, "TGridSLIO", kSLFields, *this); }
void TGridSLIO::Read(const TStreamRecord& Record) { ReadFields(Record, "TGridSLIO", kSLFields, *this); }

// ---- the grid's side ----

TCellGraphic* TCellStreamTarget::CreateCellGraphic(int ACol, int ARow)
{
    RemoveCellGraphic(ACol, ARow);
    auto* graphic = new TCellGraphic;
    grid_.SetCellGraphic(ACol, ARow, graphic);
    return graphic;
}

void TCellStreamTarget::RemoveCellGraphic(int ACol, int ARow)
{
    if (TObject* old = grid_.GetCellGraphic(ACol, ARow)) {
        grid_.GetCellProperties(ACol, ARow)->CellGraphic = nullptr;
        const auto* graphic = dynamic_cast<TCellGraphic*>(old);
        // The virtual check box graphic is shared by every cell that shows it.
        if (!graphic || graphic->CellType != ctVirtCheckBox)
            delete old;
    }
}

namespace {

// The seven kinds of graphic that carry an object record.
bool CarriesObject(TCellType type)
{
    switch (type) {
    case ctBitmap:
    case ctBitButton:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
        return true;
    default:
        return false;
    }
}

// The graphic a cell's record is followed by, or nullptr: an empty graphic
// and one whose object belongs to the application are not streamed.
const TCellGraphic* StreamedGraphic(const TCellProperties& props)
{
    const auto* graphic = dynamic_cast<const TCellGraphic*>(props.CellGraphic);
    if (!graphic || graphic->CellType == ctEmpty)
        return nullptr;
    if (CarriesObject(graphic->CellType) && !graphic->CellCreated)
        return nullptr;
    return graphic;
}

void WriteGraphicObject(TStreamWriter& writer, const TCellGraphic& graphic)
{
    switch (graphic.CellType) {
    case ctBitmap:
    case ctBitButton: {
        TGridBMPIO bag;
        if (const auto* bitmap = dynamic_cast<const TBitmap*>(graphic.CellBitmap))
            bag.Bitmap->Image = bitmap->Image;
        bag.Write(writer);
        break;
    }
    case ctIcon: {
        TGridIconIO bag;
        if (const auto* icon = dynamic_cast<const TIcon*>(graphic.CellIcon)) {
            bag.Icon->Icon = icon->Icon;
            bag.Icon->Size = icon->Size;
        }
        bag.Write(writer);
        break;
    }
    case ctRadio: {
        TGridSLIO bag;
        if (const auto* list = dynamic_cast<const TCellRadioList*>(graphic.CellBitmap))
            bag.Strings = list->Items;
        bag.Write(writer);
        break;
    }
    case ctImages: {
        TGridSLIO bag;
        if (const auto* list = dynamic_cast<const TIntList*>(graphic.CellBitmap))
            bag.Strings = QStringList{list->CommaText()};
        bag.Write(writer);
        break;
    }
    case ctPicture:
        // The cell keeps its picture: the record is written from it directly.
        writer.BeginRecord("TGridPicIO");
        WritePicture(writer, kPicFields[0].name, dynamic_cast<const TGraphic*>(graphic.CellBitmap));
        writer.EndRecord();
        break;
    case ctFilePicture: {
        TGridFilePicIO bag;
        if (const auto* picture = dynamic_cast<const TFilePicture*>(graphic.CellBitmap))
            bag.Picture->Assign(*picture);
        bag.Write(writer);
        break;
    }
    default:
        break;
    }
}

// Reads the object record that follows a graphic of its kind and hands the
// new object to the graphic (which then owns it).
void ReadGraphicObject(TStreamReader& reader, TCellGraphic& graphic, int col, int row)
{
    if (!CarriesObject(graphic.CellType))
        return;
    const TStreamRecord record = reader.ReadRecord();
    switch (graphic.CellType) {
    case ctBitmap:
    case ctBitButton: {
        TGridBMPIO bag;
        bag.Read(record);
        graphic.CellBitmap = bag.Bitmap.release();
        break;
    }
    case ctIcon: {
        TGridIconIO bag;
        bag.Read(record);
        graphic.CellIcon = bag.Icon.release();
        break;
    }
    case ctRadio: {
        TGridSLIO bag;
        bag.Read(record);
        auto list = std::make_unique<TCellRadioList>();
        list->Items = bag.Strings;
        graphic.CellBitmap = list.release();
        break;
    }
    case ctImages: {
        TGridSLIO bag;
        bag.Read(record);
        auto list = std::make_unique<TIntList>(col, row);
        try {
            list->SetCommaText(bag.Strings.join(QStringLiteral("\r\n")));
        } catch (const std::exception& e) {
            throw EReadError(std::string("an image index list that is not numbers: ") + e.what());
        }
        graphic.CellBitmap = list.release();
        break;
    }
    case ctPicture: {
        TGridPicIO bag;
        bag.Read(record);
        graphic.CellBitmap = bag.Picture.release();
        break;
    }
    case ctFilePicture: {
        TGridFilePicIO bag;
        bag.Read(record);
        graphic.CellBitmap = bag.Picture.release();
        break;
    }
    default:
        break;
    }
    // A graphic read from a stream owns what it refers to.
    graphic.CellCreated = true;
}

// The text a cell stores, without the merge mapping or display hook that
// reading through the grid applies.
struct StoredTextReader : TStringGrid {
    static QString Read(const TStringGrid& grid, int col, int row)
    {
        return (grid.*(&StoredTextReader::StoredText))(col, row);
    }
};

QString JoinSizes(int from, int to, int (TStringGrid::*size)(int) const, const TStringGrid& grid)
{
    QStringList parts;
    for (int i = from; i <= to; ++i)
        parts << QString::number((grid.*size)(i));
    return parts.join(QLatin1Char(','));
}

// Empties every cell of the grid: texts, graphics and properties.
void ClearGrid(TCellStreamTarget& target)
{
    TBaseGrid& grid = target.Grid();
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (grid.HasCellProperties(c, r))
                target.RemoveCellGraphic(c, r);
            TBaseGrid::SetRawCell(&grid, c, r, QString());
        }
    grid.ClearCellProperties(0, 0, grid.ColCount() - 1, grid.RowCount() - 1);
}

// A full-grid stream replaces the grid. Loaded at a target other than
// (0, 0) the grid is made large enough to hold the block there, so that no
// cell of it is lost past the edge; a size beyond the grid's limit is
// refused before the grid changes: the grid would spend gigabytes on rows
// that the stream's few bytes fill.
void ApplyFullGrid(TCellStreamTarget& target, const TGridPropIO& range, int col, int row)
{
    // A block whose corner lies before the grid's start loses what falls
    // there, as any stream does.
    const std::int64_t cols = std::int64_t(std::max(col, 0)) + range.ColCount;
    const std::int64_t rows = std::int64_t(std::max(row, 0)) + range.RowCount;
    if (range.ColCount < 1 || range.RowCount < 1 || cols > kMaxGridCols || rows > kMaxGridRows
        || cols * rows > kMaxGridCells)
        throw EReadError("a whole-grid stream of a size the grid cannot take");
    // Both lists are checked against the counts before the grid changes.
    const std::vector<int> widths = range.Widths();
    const std::vector<int> heights = range.Heights();
    TBaseGrid& grid = target.Grid();
    ClearGrid(target);
    target.SetGridSize(static_cast<int>(cols), static_cast<int>(rows));
    for (int c = std::max(-col, 0); c < range.ColCount; ++c)
        grid.SetColWidths(col + c, widths[static_cast<std::size_t>(c)]);
    for (int r = std::max(-row, 0); r < range.RowCount; ++r)
        grid.SetRowHeights(row + r, heights[static_cast<std::size_t>(r)]);
}

// The merged blocks a stream brings, mended once its cells are placed. A
// block cut by the copied range, or cut at the grid's edge, or spans from
// another program, must never point outside what was pasted: a base cell's
// block is cut to the covered cells of it that arrived, and a covered cell
// whose base did not arrive (or whose block no longer reaches it) becomes a
// plain cell.
class TPastedMerges {
public:
    explicit TPastedMerges(TBaseGrid& grid) : grid_(grid) {}

    // A cell placed from the stream, with the merge its properties say.
    void Placed(int col, int row, const TCellProperties& props)
    {
        // A base cell of no more than itself is no block.
        const bool plain = props.IsBaseCell && props.CellSpanX <= 0 && props.CellSpanY <= 0;
        if (plain)
            cells_.erase(Key(col, row));
        else
            cells_[Key(col, row)] = {props.IsBaseCell, false, props.CellSpanX, props.CellSpanY};
    }

    void Mend()
    {
        for (auto& [key, cell] : cells_)
            if (cell.base)
                CutBlock(key, cell);
        for (const auto& [key, cell] : cells_) {
            const int col = static_cast<int>(key & 0xFFFFFFFF);
            const int row = static_cast<int>(key >> 32);
            if (cell.cutAway || !InBlockOf(col, row, cell))
                MakePlain(col, row);
            else if (cell.base)
                SetSpans(col, row, cell.spanX, cell.spanY);
        }
    }

private:
    struct Merge {
        bool base;
        bool cutAway; // a base cell whose block was cut to itself
        int spanX;
        int spanY;
    };

    static std::int64_t Key(int col, int row) { return (std::int64_t(row) << 32) | std::uint32_t(col); }

    // Whether the cell at (col, row) arrived as a covered cell of the base.
    bool CoveredBy(std::int64_t col, std::int64_t row, int baseCol, int baseRow) const
    {
        if (col > std::numeric_limits<int>::max() || row > std::numeric_limits<int>::max())
            return false;
        const auto it = cells_.find(Key(static_cast<int>(col), static_cast<int>(row)));
        return it != cells_.end() && !it->second.base && col - it->second.spanX == baseCol
               && row - it->second.spanY == baseRow;
    }

    // The base's block shrinks to the rectangle of its covered cells that
    // arrived; 1 by 1 leaves a plain cell.
    void CutBlock(std::int64_t key, Merge& cell) const
    {
        const int col = static_cast<int>(key & 0xFFFFFFFF);
        const int row = static_cast<int>(key >> 32);
        int width = 1;
        while (width <= cell.spanX && CoveredBy(std::int64_t(col) + width, row, col, row))
            ++width;
        int height = 1;
        while (height <= cell.spanY && CoveredBy(col, std::int64_t(row) + height, col, row))
            ++height;
        for (int dx = 0; dx < width; ++dx)
            for (int dy = 0; dy < height; ++dy)
                if ((dx || dy) && !CoveredBy(std::int64_t(col) + dx, std::int64_t(row) + dy, col, row)) {
                    width = height = 1;
                    break;
                }
        if (width == 1 && height == 1) {
            cell.cutAway = true;
            return;
        }
        cell.spanX = width - 1;
        cell.spanY = height - 1;
    }

    bool InBlockOf(int col, int row, const Merge& cell) const
    {
        if (cell.base)
            return true;
        const std::int64_t baseCol = std::int64_t(col) - cell.spanX;
        const std::int64_t baseRow = std::int64_t(row) - cell.spanY;
        if (cell.spanX < 0 || cell.spanY < 0 || (cell.spanX == 0 && cell.spanY == 0) || baseCol < 0 || baseRow < 0)
            return false;
        const auto it = cells_.find(Key(static_cast<int>(baseCol), static_cast<int>(baseRow)));
        return it != cells_.end() && it->second.base && !it->second.cutAway && cell.spanX <= it->second.spanX
               && cell.spanY <= it->second.spanY;
    }

    void SetSpans(int col, int row, int spanX, int spanY)
    {
        TCellProperties* props = grid_.GetCellProperties(col, row);
        props->IsBaseCell = true;
        props->CellSpanX = spanX;
        props->CellSpanY = spanY;
    }

    void MakePlain(int col, int row) { SetSpans(col, row, -1, -1); }

    TBaseGrid& grid_;
    std::unordered_map<std::int64_t, Merge> cells_;
};

bool InsideGrid(const TBaseGrid& grid, std::int64_t col, std::int64_t row)
{
    return col >= 0 && row >= 0 && col < grid.ColCount() && row < grid.RowCount();
}

// Reads the cell records up to the end of the stream and places them.
void ReadCells(TCellStreamTarget& Target, TStreamReader& reader, bool fullGrid, int ACol, int ARow,
               TPastedMerges& merges);

} // namespace

void WriteCellStream(TCellStreamTarget& Target, int Left, int Top, int Right, int Bottom, QByteArray& Stream)
{
    TBaseGrid& grid = Target.Grid();
    Left = std::max(Left, 0);
    Top = std::max(Top, 0);
    Right = std::min(Right, grid.ColCount() - 1);
    Bottom = std::min(Bottom, grid.RowCount() - 1);
    TStreamWriter writer(Stream);

    TGridPropIO range;
    range.ColCount = std::max(Right - Left + 1, 0);
    range.RowCount = std::max(Bottom - Top + 1, 0);
    range.FullGrid = range.ColCount == grid.ColCount() && range.RowCount == grid.RowCount();
    range.ID = Target.StreamID();
    range.ColWidths = JoinSizes(Left, Right, &TStringGrid::ColWidths, grid);
    range.RowHeights = JoinSizes(Top, Bottom, &TStringGrid::RowHeights, grid);
    range.Write(writer);

    for (int c = Left; c <= Right; ++c)
        for (int r = Top; r <= Bottom; ++r) {
            TGridCellIO cell;
            cell.Col = c;
            cell.Row = r;
            cell.Cell = StoredTextReader::Read(grid, c, r);
            cell.HasProp = grid.HasCellProperties(c, r);
            if (cell.Cell.isEmpty() && !cell.HasProp)
                continue;
            cell.Write(writer);
            if (!cell.HasProp)
                continue;
            const TCellProperties& props = *grid.GetCellProperties(c, r);
            TGridCellPropIO propBag;
            propBag.CellProperties->Assign(props);
            const TCellGraphic* graphic = StreamedGraphic(props);
            propBag.HasGraphic = graphic != nullptr;
            propBag.Write(writer);
            if (!graphic)
                continue;
            TGridGraphicIO graphicBag;
            graphicBag.CellGraphic->Assign(*graphic);
            graphicBag.Write(writer);
            WriteGraphicObject(writer, *graphic);
        }
}

TGridPropIO ReadCellStream(TCellStreamTarget& Target, int ACol, int ARow, const QByteArray& Stream,
                           qsizetype Position)
{
    TBaseGrid& grid = Target.Grid();
    TStreamReader reader(Stream, Position);
    TGridPropIO range;
    range.Read(reader.ReadRecord());
    // The size lists must match the counts whatever the stream is loaded as.
    range.Widths();
    range.Heights();
    if (range.FullGrid)
        ApplyFullGrid(Target, range, ACol, ARow);

    // The blocks are mended on every way out: the cells read before a
    // fault stay, and must read cleanly.
    TPastedMerges merges(grid);
    try {
        ReadCells(Target, reader, range.FullGrid, ACol, ARow, merges);
    } catch (...) {
        merges.Mend();
        throw;
    }
    merges.Mend();
    return range;
}

namespace {

void ReadCells(TCellStreamTarget& Target, TStreamReader& reader, bool fullGrid, int ACol, int ARow,
               TPastedMerges& merges)
{
    TBaseGrid& grid = Target.Grid();
    bool originKnown = fullGrid;
    std::int64_t originCol = 0;
    std::int64_t originRow = 0;
    while (reader.Remaining() >= 2) {
        TGridCellIO cell;
        cell.Read(reader.ReadRecord());
        if (!originKnown) {
            originCol = cell.Col;
            originRow = cell.Row;
            originKnown = true;
        }
        const std::int64_t col = cell.Col - originCol + ACol;
        const std::int64_t row = cell.Row - originRow + ARow;
        // A cell that would fall outside the grid is read and dropped.
        const bool inside = InsideGrid(grid, col, row);
        const int c = static_cast<int>(col);
        const int r = static_cast<int>(row);
        if (inside)
            TBaseGrid::SetRawCell(&grid, c, r, cell.Cell);
        if (!cell.HasProp)
            continue;

        TGridCellPropIO propBag;
        propBag.Read(reader.ReadRecord());
        if (inside) {
            // The properties now belong to the cell they are placed in.
            propBag.CellProperties->OwnerCol = c;
            propBag.CellProperties->OwnerRow = r;
            // A covered cell whose base lies outside the grid is plain at
            // once: assigning repaints the block it names.
            TCellProperties& read = *propBag.CellProperties;
            if (!read.IsBaseCell
                && (read.CellSpanX < 0 || read.CellSpanY < 0 || read.CellSpanX > c || read.CellSpanY > r)) {
                read.IsBaseCell = true;
                read.CellSpanX = read.CellSpanY = -1;
            }
            if (read.IsBaseCell && (read.CellSpanX > grid.ColCount() - 1 - c || read.CellSpanY > grid.RowCount() - 1 - r)) {
                read.CellSpanX = std::min(read.CellSpanX, grid.ColCount() - 1 - c);
                read.CellSpanY = std::min(read.CellSpanY, grid.RowCount() - 1 - r);
            }
            grid.GetCellProperties(c, r)->Assign(read);
            merges.Placed(c, r, read);
        }
        if (!propBag.HasGraphic)
            continue;

        TGridGraphicIO graphicBag;
        graphicBag.Read(reader.ReadRecord());
        TCellGraphic& read = *graphicBag.CellGraphic;
        if (CarriesObject(read.CellType))
            read.CellCreated = false; // nothing to free until its object is read
        ReadGraphicObject(reader, read, c, r);
        if (!inside)
            continue;
        if (read.CellType == ctVirtCheckBox) {
            // The grid's one shared graphic, never a copy nobody would free.
            Target.RemoveCellGraphic(c, r);
            Target.PlaceVirtCheckBox(c, r);
            continue;
        }
        TCellGraphic* graphic = Target.CreateCellGraphic(c, r);
        graphic->Assign(read);
        graphic->CellBitmap = std::exchange(read.CellBitmap, nullptr);
        graphic->CellIcon = std::exchange(read.CellIcon, nullptr);
    }
}

} // namespace
