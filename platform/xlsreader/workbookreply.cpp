#include "platform/xlsreader/workbookreply.h"

#include "image/cp1252.h"
#include "platform/xlsreader/bytes.h"

#include <bit>
#include <cmath>

using namespace xlsbytes;

namespace {

constexpr std::string_view kMagic = "XLSR";
constexpr std::uint8_t kVersion = 1;
constexpr std::string_view kEnd = "END.";

void PutDouble(std::string& out, double value)
{
    PutU64(out, std::bit_cast<std::uint64_t>(value));
}

bool Fail(std::string& why, const char* what)
{
    why = what;
    return false;
}

bool PrintableAscii(std::string_view text)
{
    for (const char c : text)
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

// A used range is either all zero or within the extent, first before last.
bool ValidRange(const TWorkbookReply& r)
{
    if (!r.FirstRow && !r.FirstCol && !r.LastRow && !r.LastCol)
        return true;
    return r.FirstRow >= 1 && r.FirstRow <= r.LastRow && r.LastRow <= kWorkbookRows && r.FirstCol >= 1
           && r.FirstCol <= r.LastCol && r.LastCol <= kWorkbookCols;
}

bool Inside(const TWorkbookReply& r, const TReplyCell& c)
{
    return r.FirstRow && c.Row >= r.FirstRow && c.Row <= r.LastRow && c.Col >= r.FirstCol && c.Col <= r.LastCol;
}

bool Before(const TReplyCell& a, const TReplyCell& b)
{
    return a.Row < b.Row || (a.Row == b.Row && a.Col < b.Col);
}

// One cell's value by its kind; false for a kind or a value outside the rules.
bool ReadValue(TCursor& in, TReplyCell& cell, std::string& why)
{
    switch (cell.Kind) {
    case TReplyKind::Number:
    case TReplyKind::Date:
        cell.Number = std::bit_cast<double>(in.U64());
        if (!std::isfinite(cell.Number))
            return Fail(why, "a number that is not finite");
        if (cell.Kind == TReplyKind::Date && (cell.Number < kFirstDate || cell.Number >= kLastDate))
            return Fail(why, "a date outside the calendar");
        return true;
    case TReplyKind::Text: {
        const std::uint32_t length = in.U32();
        if (length > kMaxCellTextBytes || length > in.Left())
            return Fail(why, "a text longer than a cell holds or than the reply");
        cell.Text = std::string(in.Bytes(length));
        if (!IsUtf8(cell.Text))
            return Fail(why, "a text that is not UTF-8");
        return true;
    }
    case TReplyKind::Boolean:
        cell.Code = in.U8();
        return cell.Code <= 1 || Fail(why, "a boolean that is neither 0 nor 1");
    case TReplyKind::Error:
        cell.Code = in.U8();
        return true;
    }
    return Fail(why, "an unknown kind of value");
}

bool ReadValues(TCursor& in, TWorkbookReply& reply, std::string& why)
{
    reply.FirstRow = in.U32();
    reply.FirstCol = in.U16();
    reply.LastRow = in.U32();
    reply.LastCol = in.U16();
    if (!in.Ok() || !ValidRange(reply))
        return Fail(why, "a used range outside a workbook");
    const std::uint32_t count = in.U32();
    // Each cell takes at least 8 bytes: no count can ask for more cells
    // than the reply could hold.
    if (count > in.Left() / 8)
        return Fail(why, "more cells than the reply holds");
    reply.Cells.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        TReplyCell cell;
        cell.Row = in.U32();
        cell.Col = in.U16();
        cell.Kind = static_cast<TReplyKind>(in.U8());
        if (!in.Ok())
            return Fail(why, "a cut cell");
        if (!Inside(reply, cell))
            return Fail(why, "a cell outside the used range");
        if (!reply.Cells.empty() && !Before(reply.Cells.back(), cell))
            return Fail(why, "cells out of order or repeated");
        if (!ReadValue(in, cell, why))
            return false;
        if (!in.Ok())
            return Fail(why, "a cut value");
        reply.Cells.push_back(std::move(cell));
    }
    return true;
}

} // namespace

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();)
        if (!ProximoUtf8(text, i))
            return false;
    return true;
}

std::string EncodeWorkbookReply(const TWorkbookReply& Reply)
{
    std::string out(kMagic);
    PutU8(out, kVersion);
    if (Reply.Refused) {
        PutU8(out, 'R');
        PutU16(out, static_cast<std::uint16_t>(Reply.Reason.size()));
        out += Reply.Reason;
    } else {
        PutU8(out, 'V');
        PutU32(out, Reply.FirstRow);
        PutU16(out, Reply.FirstCol);
        PutU32(out, Reply.LastRow);
        PutU16(out, Reply.LastCol);
        PutU32(out, static_cast<std::uint32_t>(Reply.Cells.size()));
        for (const TReplyCell& cell : Reply.Cells) {
            PutU32(out, cell.Row);
            PutU16(out, cell.Col);
            PutU8(out, static_cast<std::uint8_t>(cell.Kind));
            switch (cell.Kind) {
            case TReplyKind::Number:
            case TReplyKind::Date:
                PutDouble(out, cell.Number);
                break;
            case TReplyKind::Text:
                PutU32(out, static_cast<std::uint32_t>(cell.Text.size()));
                out += cell.Text;
                break;
            case TReplyKind::Boolean:
            case TReplyKind::Error:
                PutU8(out, cell.Code);
                break;
            }
        }
    }
    out += kEnd;
    return out;
}

bool DecodeWorkbookReply(std::string_view Bytes, TWorkbookReply& Reply, std::string& Why)
{
    Reply = TWorkbookReply();
    TCursor in(Bytes);
    if (in.Bytes(kMagic.size()) != kMagic || in.U8() != kVersion)
        return Fail(Why, "not a reader's reply");
    const std::uint8_t status = in.U8();
    if (status == 'R') {
        Reply.Refused = true;
        const std::uint16_t length = in.U16();
        Reply.Reason = std::string(in.Bytes(length));
        if (!in.Ok() || length == 0 || length > kMaxReasonBytes || !PrintableAscii(Reply.Reason))
            return Fail(Why, "a reason that is not a short text");
    } else if (status == 'V') {
        if (!ReadValues(in, Reply, Why))
            return false;
    } else {
        return Fail(Why, "neither values nor a refusal");
    }
    if (in.Bytes(kEnd.size()) != kEnd || in.Left() != 0)
        return Fail(Why, "a reply that does not end where it should");
    return true;
}
