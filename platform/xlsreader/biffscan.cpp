#include "platform/xlsreader/biffscan.h"

#include "image/cp1252.h"
#include "platform/xlsreader/bytes.h"

#include <algorithm>
#include <optional>

using xlsbytes::TBlock;

namespace biffscan {
namespace {

// ---------------------------------------------------------------- compound document

constexpr std::string_view kSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::size_t kHeaderFatIds = 109;
constexpr std::size_t kDirEntrySize = 128;
constexpr std::uint32_t kMiniSectorSize = 64;

struct TDirEntry {
    std::uint8_t Type = 0; // 2 stream, 5 root
    std::uint32_t Start = 0;
    std::uint32_t Size = 0;
    bool Named(std::string_view Ascii) const;
    std::u16string Name;
};

bool TDirEntry::Named(std::string_view Ascii) const
{
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    return Name.size() == Ascii.size()
           && std::equal(Name.begin(), Name.end(), Ascii.begin(),
                         [&](char16_t a, char b) { return lower(a) == lower(static_cast<char16_t>(b)); });
}

class TCompound {
public:
    explicit TCompound(std::string_view File) : file_(File) {}
    // Reads the header, the allocation table and the directory; false when
    // the file is no compound document (Damaged tells why not).
    bool Open();
    bool Damaged() const { return damaged_; }
    // The stream named (any case) among the directory's streams.
    std::optional<std::string> Stream(std::string_view Name);

private:
    std::string_view SectorBytes(std::uint32_t n) const
    {
        return file_.Part((static_cast<std::size_t>(n) + 1) * sectorSize_, sectorSize_);
    }
    // The sectors of a chain through Table, each below Limit, at most Limit
    // of them; false for a chain that leaves the table or never ends.
    static bool Chain(std::uint32_t Start, const std::vector<std::uint32_t>& Table, std::size_t Limit,
                      std::vector<std::uint32_t>& Sectors);
    // The bytes of a chain of whole sectors; nullopt for a broken chain.
    std::optional<std::string> ChainBytes(std::uint32_t Start) const;
    bool ReadFat();
    bool ReadDirectory();
    std::optional<std::string> MiniStreamBytes(const TDirEntry& Entry);
    static void AppendTable(std::string_view Bytes, std::vector<std::uint32_t>& Table);

    TBlock file_;
    std::uint32_t sectorSize_ = 512;
    std::uint32_t sectorCount_ = 0;
    std::uint32_t miniCutoff_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::vector<TDirEntry> entries_;
    bool damaged_ = false;
};

bool TCompound::Chain(std::uint32_t Start, const std::vector<std::uint32_t>& Table, std::size_t Limit,
                      std::vector<std::uint32_t>& Sectors)
{
    Sectors.clear();
    for (std::uint32_t at = Start; at != kEndOfChain; at = Table[at]) {
        if (at >= Table.size() || at >= Limit || Sectors.size() >= Limit)
            return false;
        Sectors.push_back(at);
    }
    return true;
}

std::optional<std::string> TCompound::ChainBytes(std::uint32_t Start) const
{
    std::vector<std::uint32_t> sectors;
    if (!Chain(Start, fat_, sectorCount_, sectors))
        return std::nullopt;
    std::string bytes;
    for (const std::uint32_t n : sectors) {
        const std::string_view part = SectorBytes(n);
        bytes += part;
        // Only the file's last sector may stop short.
        if (part.size() < sectorSize_ && n + 1 != sectorCount_)
            return std::nullopt;
    }
    return bytes;
}

void TCompound::AppendTable(std::string_view Bytes, std::vector<std::uint32_t>& Table)
{
    const TBlock block(Bytes);
    for (std::size_t at = 0; at + 4 <= block.Size(); at += 4)
        Table.push_back(block.U32(at));
}

bool TCompound::Open()
{
    if (file_.Size() < 512 || file_.Part(0, kSignature.size()) != kSignature)
        return false;
    damaged_ = true;
    const std::uint16_t shift = file_.U16(0x1E);
    if ((shift != 9 && shift != 12) || file_.U16(0x20) != 6)
        return false;
    sectorSize_ = 1u << shift;
    sectorCount_ = file_.Size() > sectorSize_
                       ? static_cast<std::uint32_t>((file_.Size() - 1) / sectorSize_)
                       : 0;
    miniCutoff_ = file_.U32(0x38);
    if (!ReadFat() || !ReadDirectory())
        return false;
    damaged_ = false;
    return true;
}

bool TCompound::ReadFat()
{
    const std::uint32_t fatSectors = file_.U32(0x2C);
    if (fatSectors > sectorCount_)
        return false;
    // The first 109 table sectors are named in the header, the rest in a
    // chain of sectors that each end with the next one's number.
    std::vector<std::uint32_t> ids;
    for (std::size_t i = 0; i < kHeaderFatIds && ids.size() < fatSectors; ++i)
        ids.push_back(file_.U32(0x4C + 4 * i));
    std::uint32_t next = file_.U32(0x44);
    const std::size_t perSector = sectorSize_ / 4 - 1;
    for (std::size_t hops = 0; ids.size() < fatSectors && next != kEndOfChain && next != kFreeSector; ++hops) {
        if (next >= sectorCount_ || hops > sectorCount_)
            return false;
        const TBlock block(SectorBytes(next));
        for (std::size_t i = 0; i < perSector && ids.size() < fatSectors; ++i)
            ids.push_back(block.U32(4 * i));
        next = block.U32(4 * perSector);
    }
    if (ids.size() < fatSectors)
        return false;
    for (const std::uint32_t id : ids) {
        if (id >= sectorCount_ || SectorBytes(id).size() < sectorSize_)
            return false;
        AppendTable(SectorBytes(id), fat_);
    }
    return true;
}

bool TCompound::ReadDirectory()
{
    const std::optional<std::string> bytes = ChainBytes(file_.U32(0x30));
    if (!bytes)
        return false;
    const TBlock dir(*bytes);
    for (std::size_t at = 0; at + kDirEntrySize <= dir.Size(); at += kDirEntrySize) {
        TDirEntry entry;
        // The name's length in bytes, its closing zero included.
        const std::size_t chars = std::min<std::size_t>(dir.U16(at + 64) / 2, 32);
        for (std::size_t i = 0; i + 1 < chars; ++i)
            entry.Name.push_back(static_cast<char16_t>(dir.U16(at + 2 * i)));
        entry.Type = dir.U8(at + 66);
        entry.Start = dir.U32(at + 116);
        entry.Size = dir.U32(at + 120);
        entries_.push_back(std::move(entry));
    }
    return !entries_.empty() && entries_[0].Type == 5;
}

std::optional<std::string> TCompound::MiniStreamBytes(const TDirEntry& Entry)
{
    // Small streams live in 64-byte pieces of the root's own stream, chained
    // through the mini allocation table.
    std::optional<std::string> container = ChainBytes(entries_[0].Start);
    std::optional<std::string> tableBytes = ChainBytes(file_.U32(0x3C));
    if (!container || !tableBytes || container->size() < entries_[0].Size)
        return std::nullopt;
    container->resize(entries_[0].Size);
    std::vector<std::uint32_t> table;
    AppendTable(*tableBytes, table);
    std::vector<std::uint32_t> pieces;
    if (!Chain(Entry.Start, table, container->size() / kMiniSectorSize, pieces))
        return std::nullopt;
    std::string bytes;
    for (const std::uint32_t n : pieces)
        bytes += std::string_view(*container).substr(static_cast<std::size_t>(n) * kMiniSectorSize, kMiniSectorSize);
    return bytes;
}

std::optional<std::string> TCompound::Stream(std::string_view Name)
{
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const TDirEntry& e) { return e.Type == 2 && e.Named(Name); });
    if (entry == entries_.end())
        return std::nullopt;
    if (entry->Size > file_.Size()) {
        damaged_ = true;
        return std::nullopt;
    }
    std::optional<std::string> bytes = entry->Size < miniCutoff_ ? MiniStreamBytes(*entry) : ChainBytes(entry->Start);
    if (!bytes || bytes->size() < entry->Size) {
        damaged_ = true;
        return std::nullopt;
    }
    bytes->resize(entry->Size);
    return bytes;
}

// ---------------------------------------------------------------- records

enum : std::uint16_t {
    recFormula = 0x0006,
    recEof = 0x000A,
    recFilePass = 0x002F,
    recWindow1 = 0x003D,
    recBoundSheet = 0x0085,
    recMulRk = 0x00BD,
    recMulBlank = 0x00BE,
    recRString = 0x00D6,
    recLabelSst = 0x00FD,
    recDimensions = 0x0200,
    recBlank = 0x0201,
    recNumber = 0x0203,
    recLabel = 0x0204,
    recBoolErr = 0x0205,
    recRk = 0x027E,
    recBof = 0x0809,
};

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint8_t kWorksheetType = 0;

// Walks the records from At: each one's type and data, until Visit says
// stop or a record runs past the stream.
template <typename F>
void WalkRecords(const TBlock& Stream, std::size_t At, F Visit)
{
    while (Stream.Holds(At, 4)) {
        const std::uint16_t type = Stream.U16(At);
        const std::uint16_t length = Stream.U16(At + 2);
        if (!Stream.Holds(At + 4, length))
            return;
        if (!Visit(type, TBlock(Stream.Part(At + 4, length))))
            return;
        At += 4 + static_cast<std::size_t>(length);
    }
}

// A sheet name of the newer records: a count of characters, a flag byte
// (bit 0: two bytes a character), the characters.
std::string SheetName(const TBlock& Data, std::size_t At)
{
    const std::size_t count = Data.U8(At);
    const bool wide = Data.U8(At + 1) & 1;
    std::string name;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t code = wide ? Data.U16(At + 2 + 2 * i) : Data.U8(At + 2 + i);
        if (wide && code >= 0xD800 && code <= 0xDBFF && i + 1 < count) {
            const std::uint32_t low = Data.U16(At + 4 + 2 * i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;
        AcrescentaUtf8(name, code);
    }
    return name;
}

struct TSheetEntry {
    std::uint32_t Offset = 0;
    std::uint8_t Type = 0;
    std::string Name;
};

struct TGlobals {
    bool Biff8 = false;
    bool Encrypted = false;
    std::uint16_t ActiveTab = 0;
    std::vector<TSheetEntry> Sheets;
};

bool ReadGlobals(const TBlock& stream, TGlobals& g)
{
    if (stream.U16(0) != recBof || stream.U16(2) < 4)
        return false;
    g.Biff8 = stream.U16(4) == kBiff8;
    bool windowSeen = false;
    WalkRecords(stream, 4 + stream.U16(2), [&](std::uint16_t type, const TBlock& d) {
        switch (type) {
        case recFilePass:
            g.Encrypted = true;
            return false;
        case recBoundSheet:
            if (d.Size() >= 7)
                g.Sheets.push_back({d.U32(0), d.U8(5), g.Biff8 ? SheetName(d, 6) : std::string()});
            break;
        case recWindow1:
            if (!windowSeen && d.Size() >= 12)
                g.ActiveTab = d.U16(10);
            windowSeen = true;
            break;
        default:
            break;
        }
        return type != recEof;
    });
    return true;
}

class TSheetReader {
public:
    TSheetReader(TActiveSheet& Sheet, bool Biff8) : sheet_(Sheet), biff8_(Biff8) {}
    void Record(std::uint16_t Type, const TBlock& D);
    void Finish();

private:
    void Widen(std::uint32_t Row, std::uint32_t FirstCol, std::uint32_t LastCol);
    void Mark(const TBlock& D, TCellMark::TKind Kind, std::uint8_t Value);

    TActiveSheet& sheet_;
    bool biff8_;
};

void TSheetReader::Widen(std::uint32_t Row, std::uint32_t FirstCol, std::uint32_t LastCol)
{
    if (Row >= 65536 || FirstCol > LastCol || LastCol >= 256)
        return;
    const auto lastCol = static_cast<std::uint16_t>(LastCol);
    const auto firstCol = static_cast<std::uint16_t>(FirstCol);
    if (!sheet_.Used) {
        sheet_.Used = true;
        sheet_.FirstRow = sheet_.LastRow = Row;
        sheet_.FirstCol = firstCol;
        sheet_.LastCol = lastCol;
        return;
    }
    sheet_.FirstRow = std::min(sheet_.FirstRow, Row);
    sheet_.LastRow = std::max(sheet_.LastRow, Row);
    sheet_.FirstCol = std::min(sheet_.FirstCol, firstCol);
    sheet_.LastCol = std::max(sheet_.LastCol, lastCol);
}

void TSheetReader::Mark(const TBlock& D, TCellMark::TKind Kind, std::uint8_t Value)
{
    if (D.U16(2) < 256)
        sheet_.Marks.push_back({D.U16(0), static_cast<std::uint8_t>(D.U16(2)), Kind, Value});
}

void TSheetReader::Record(std::uint16_t Type, const TBlock& D)
{
    switch (Type) {
    case recDimensions: {
        // First row, last row + 1, first column, last column + 1 (the rows
        // 32 bits wide in the newer records).
        const std::uint32_t firstRow = biff8_ ? D.U32(0) : D.U16(0);
        const std::uint32_t rowEnd = biff8_ ? D.U32(4) : D.U16(2);
        const std::size_t cols = biff8_ ? 8 : 4;
        const std::uint32_t firstCol = D.U16(cols);
        const std::uint32_t colEnd = D.U16(cols + 2);
        if (D.Size() >= cols + 4 && firstRow < rowEnd && firstCol < colEnd) {
            Widen(firstRow, firstCol, colEnd - 1);
            Widen(rowEnd - 1, firstCol, colEnd - 1);
        }
        break;
    }
    case recBlank:
    case recNumber:
    case recLabel:
    case recRk:
    case recLabelSst:
    case recRString:
        if (D.Size() >= 6)
            Widen(D.U16(0), D.U16(2), D.U16(2));
        break;
    case recMulRk:
    case recMulBlank:
        // Row, first column, the cells, last column.
        if (D.Size() >= 6)
            Widen(D.U16(0), D.U16(2), D.U16(D.Size() - 2));
        break;
    case recBoolErr:
        // Row, column, format, the value, and whether it is an error code.
        if (D.Size() >= 8) {
            Widen(D.U16(0), D.U16(2), D.U16(2));
            const bool error = D.U8(7) != 0;
            Mark(D, error ? TCellMark::Error : TCellMark::Boolean,
                 error ? D.U8(6) : static_cast<std::uint8_t>(D.U8(6) != 0));
        }
        break;
    case recFormula:
        // The saved result: a number, or (its last two bytes all ones) a
        // kind in its first byte: 0 text, 1 boolean, 2 error, 3 empty text.
        if (D.Size() >= 14) {
            Widen(D.U16(0), D.U16(2), D.U16(2));
            if (D.U16(12) == 0xFFFF) {
                const std::uint8_t kind = D.U8(6);
                const std::uint8_t value = D.U8(8);
                if (kind == 1)
                    Mark(D, TCellMark::Boolean, value != 0);
                else if (kind == 2)
                    Mark(D, TCellMark::Error, value);
                else if (kind == 3)
                    Mark(D, TCellMark::Blank, 0);
            }
        }
        break;
    default:
        break;
    }
}

void TSheetReader::Finish()
{
    auto& marks = sheet_.Marks;
    const auto before = [](const TCellMark& a, const TCellMark& b) {
        return a.Row < b.Row || (a.Row == b.Row && a.Col < b.Col);
    };
    std::stable_sort(marks.begin(), marks.end(), before);
    // A cell written twice keeps its last record.
    std::vector<TCellMark> kept;
    for (const TCellMark& m : marks) {
        if (!kept.empty() && !before(kept.back(), m))
            kept.back() = m;
        else
            kept.push_back(m);
    }
    marks = std::move(kept);
}

// The sheet's records, from its beginning-of-file record to the matching
// end; the records of an embedded chart (a nested pair) are passed over.
bool ReadSheet(const TBlock& stream, std::uint32_t offset, bool biff8, TActiveSheet& sheet)
{
    if (!stream.Holds(offset, 4) || stream.U16(offset) != recBof)
        return false;
    TSheetReader reader(sheet, biff8);
    int depth = 0;
    WalkRecords(stream, offset, [&](std::uint16_t type, const TBlock& d) {
        if (type == recBof)
            ++depth;
        else if (type == recEof)
            --depth;
        else if (depth == 1)
            reader.Record(type, d);
        return depth > 0;
    });
    reader.Finish();
    return true;
}

} // namespace

TScan ScanActiveSheet(std::string_view File, TActiveSheet& Sheet)
{
    Sheet = TActiveSheet();
    TCompound compound(File);
    if (!compound.Open())
        return compound.Damaged() ? TScan::Damaged : TScan::NotCompound;
    std::optional<std::string> stream = compound.Stream("Workbook");
    if (!stream && !compound.Damaged())
        stream = compound.Stream("Book");
    if (!stream)
        return compound.Damaged() ? TScan::Damaged : TScan::NoWorkbook;

    const TBlock records(*stream);
    TGlobals globals;
    if (!ReadGlobals(records, globals))
        return TScan::Damaged;
    if (globals.Encrypted)
        return TScan::Encrypted;
    // The window record's current tab, when it is a worksheet; else the
    // first worksheet.
    const auto& sheets = globals.Sheets;
    std::size_t chosen = globals.ActiveTab;
    if (chosen >= sheets.size() || sheets[chosen].Type != kWorksheetType) {
        const auto first = std::find_if(sheets.begin(), sheets.end(),
                                        [](const TSheetEntry& s) { return s.Type == kWorksheetType; });
        if (first == sheets.end())
            return TScan::NoWorksheet;
        chosen = static_cast<std::size_t>(first - sheets.begin());
    }
    Sheet.Name = sheets[chosen].Name;
    Sheet.WorksheetIndex = static_cast<int>(std::count_if(sheets.begin(), sheets.begin() + static_cast<std::ptrdiff_t>(chosen),
                                                          [](const TSheetEntry& s) { return s.Type == kWorksheetType; }));
    if (!ReadSheet(records, sheets[chosen].Offset, globals.Biff8, Sheet))
        return TScan::Damaged;
    return TScan::Ok;
}

const char* ScanFailure(TScan Result)
{
    switch (Result) {
    case TScan::Ok:
        return "read";
    case TScan::NotCompound:
        return "not an .xls workbook";
    case TScan::NoWorkbook:
        return "no workbook inside";
    case TScan::Damaged:
        return "corrupt file";
    case TScan::Encrypted:
        return "password-protected workbook";
    case TScan::NoWorksheet:
        return "no worksheet";
    }
    return "corrupt file";
}

} // namespace biffscan
