#pragma once
// What the workbook reader hands back over its pipe: either a refusal with
// its reason, or the active sheet's used range and the values in it.
//
// The bytes, little-endian: "XLSR", version 1, then 'R', a 16-bit length and
// the reason (printable ASCII), or 'V', the used range (first row 32 bits,
// first column 16 bits, last row, last column; 1-based, all 0 when no cell
// is used), a 32-bit cell count and the cells in row-major order, each its
// row (32 bits), column (16 bits), kind (8 bits) and value: a number or a
// date (IEEE double; a date counts days from 30 December 1899), a text (a
// 32-bit length and UTF-8), a boolean (0 or 1) or an error code (8 bits).
// "END." closes the reply.
//
// The reader may have been damaged by the workbook it read, so the reply is
// outside bytes: DecodeWorkbookReply accepts only a reply that keeps every
// rule above and refuses anything else whole.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TReplyKind : std::uint8_t { Number = 1, Text = 2, Boolean = 3, Date = 4, Error = 5 };

struct TReplyCell {
    std::uint32_t Row = 0; // 1-based
    std::uint16_t Col = 0; // 1-based
    TReplyKind Kind = TReplyKind::Number;
    double Number = 0;       // Number, Date
    std::string Text;        // Text (UTF-8)
    std::uint8_t Code = 0;   // Boolean (0 or 1), Error
    bool operator==(const TReplyCell&) const = default;
};

struct TWorkbookReply {
    bool Refused = false;
    std::string Reason; // when refused
    // The used range, 1-based and inclusive; 0 when the sheet uses no cell.
    std::uint32_t FirstRow = 0, LastRow = 0;
    std::uint16_t FirstCol = 0, LastCol = 0;
    std::vector<TReplyCell> Cells; // row-major, inside the used range
    bool operator==(const TWorkbookReply&) const = default;
};

// A binary workbook's extent.
inline constexpr std::uint32_t kWorkbookRows = 65536;
inline constexpr std::uint16_t kWorkbookCols = 256;
// The longest text a cell holds (32767 characters), in UTF-8 bytes.
inline constexpr std::uint32_t kMaxCellTextBytes = 32767 * 3;
inline constexpr std::size_t kMaxReasonBytes = 200;
// Dates from 1 January 100 to 31 December 9999.
inline constexpr double kFirstDate = -657434;
inline constexpr double kLastDate = 2958466;

std::string EncodeWorkbookReply(const TWorkbookReply& Reply);
// False (and Why says what broke the rules) for anything that is not a
// whole, well-formed reply.
bool DecodeWorkbookReply(std::string_view Bytes, TWorkbookReply& Reply, std::string& Why);
// Whether Text is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view Text);
