#pragma once
// What the workbook reader learns from the workbook's own records, where
// FreeXL does not say: which sheet is the active one (the window record's
// current tab), where its used range starts and ends, and which of its cells
// hold a boolean or an error (a boolean-or-error cell, or a formula whose
// saved result is one of them).
//
// The file is a compound document holding the "Workbook" (or "Book") stream
// of records. Every offset, count and chain read from the file is checked
// against the file before it is followed; a chain may not run longer than
// the file has sectors.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace biffscan {

// A cell whose value the records fix: a boolean, an error, or (for a
// formula that saved an empty text) nothing.
struct TCellMark {
    enum TKind : std::uint8_t { Boolean, Error, Blank };
    std::uint16_t Row = 0; // 0-based
    std::uint8_t Col = 0;  // 0-based
    TKind Kind = Boolean;
    std::uint8_t Value = 0; // the boolean (0 or 1), or the error code
};

struct TActiveSheet {
    // The sheet's name in UTF-8 as the records write it (empty for an older
    // workbook whose names are in its own code page).
    std::string Name;
    // The sheet's place among the workbook's worksheets (0-based).
    int WorksheetIndex = 0;
    // The used range, 0-based and inclusive, when the sheet uses any cell:
    // the sheet's stated dimensions widened to every cell it holds.
    bool Used = false;
    std::uint32_t FirstRow = 0, LastRow = 0;
    std::uint16_t FirstCol = 0, LastCol = 0;
    // Row-major, one per cell.
    std::vector<TCellMark> Marks;
};

enum class TScan { Ok, NotCompound, NoWorkbook, Damaged, Encrypted, NoWorksheet };

// Reads the active sheet of the workbook file's bytes.
TScan ScanActiveSheet(std::string_view File, TActiveSheet& Sheet);
// The reason for a failed scan, in words.
const char* ScanFailure(TScan Result);

} // namespace biffscan
