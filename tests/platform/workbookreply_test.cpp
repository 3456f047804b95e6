// The workbook reader's reply: what the reader writes reads back the same,
// and anything that breaks the reply's rules is refused whole.
#include "platform/xlsreader/workbookreply.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

TReplyCell Cell(std::uint32_t row, std::uint16_t col, TReplyKind kind)
{
    TReplyCell cell;
    cell.Row = row;
    cell.Col = col;
    cell.Kind = kind;
    return cell;
}

// B2:D3 holding one value of each kind.
TWorkbookReply Values()
{
    TWorkbookReply reply;
    reply.FirstRow = 2;
    reply.LastRow = 3;
    reply.FirstCol = 2;
    reply.LastCol = 4;
    reply.Cells = {Cell(2, 2, TReplyKind::Number), Cell(2, 3, TReplyKind::Text), Cell(2, 4, TReplyKind::Boolean),
                   Cell(3, 2, TReplyKind::Date), Cell(3, 4, TReplyKind::Error)};
    reply.Cells[0].Number = -2.5;
    reply.Cells[1].Text = "Recepção €";
    reply.Cells[2].Code = 1;
    reply.Cells[3].Number = 45651.5;
    reply.Cells[4].Code = 42;
    return reply;
}

bool Decodes(const std::string& bytes, TWorkbookReply& reply)
{
    std::string why;
    return DecodeWorkbookReply(bytes, reply, why);
}

TEST(WorkbookReply, WhatIsWrittenReadsBack)
{
    TWorkbookReply refused;
    refused.Refused = true;
    refused.Reason = "not an .xls workbook";
    TWorkbookReply empty;
    for (const TWorkbookReply& sent : {Values(), refused, empty}) {
        TWorkbookReply got;
        ASSERT_TRUE(Decodes(EncodeWorkbookReply(sent), got));
        EXPECT_EQ(got, sent);
    }
}

TEST(WorkbookReply, EveryCutAndAnyTrailingByteIsRefused)
{
    const std::string bytes = EncodeWorkbookReply(Values());
    TWorkbookReply got;
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(Decodes(bytes.substr(0, n), got)) << n;
    EXPECT_FALSE(Decodes(bytes + '\0', got));
}

TEST(WorkbookReply, RepliesThatBreakTheRulesAreRefused)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::function<void(TWorkbookReply&)> spoil;
    };
    const Case cases[] = {
        {"first row after the last", [](TWorkbookReply& r) { r.FirstRow = 4; }},
        {"first column after the last", [](TWorkbookReply& r) { r.FirstCol = 5; }},
        {"row beyond a workbook", [](TWorkbookReply& r) { r.LastRow = kWorkbookRows + 1; }},
        {"column beyond a workbook", [](TWorkbookReply& r) { r.LastCol = kWorkbookCols + 1; }},
        {"row 0", [](TWorkbookReply& r) { r.FirstRow = 0; }},
        {"no used range but cells", [](TWorkbookReply& r) { r.FirstRow = r.LastRow = r.FirstCol = r.LastCol = 0; }},
        {"cell above the range", [](TWorkbookReply& r) { r.Cells[0].Row = 1; }},
        {"cell right of the range", [](TWorkbookReply& r) { r.Cells.back().Col = 5; }},
        {"cells out of order", [](TWorkbookReply& r) { std::swap(r.Cells[0], r.Cells[1]); }},
        {"cell repeated", [](TWorkbookReply& r) { r.Cells[1] = r.Cells[0]; }},
        {"unknown kind", [](TWorkbookReply& r) { r.Cells[2].Kind = static_cast<TReplyKind>(9); }},
        {"kind 0", [](TWorkbookReply& r) { r.Cells[2].Kind = static_cast<TReplyKind>(0); }},
        {"number not a number", [nan](TWorkbookReply& r) { r.Cells[0].Number = nan; }},
        {"number infinite", [inf](TWorkbookReply& r) { r.Cells[0].Number = -inf; }},
        {"date before the calendar", [](TWorkbookReply& r) { r.Cells[3].Number = kFirstDate - 1; }},
        {"date after the calendar", [](TWorkbookReply& r) { r.Cells[3].Number = kLastDate; }},
        {"boolean 2", [](TWorkbookReply& r) { r.Cells[2].Code = 2; }},
        {"overlong UTF-8", [](TWorkbookReply& r) { r.Cells[1].Text = "a\xC0\xAF"; }},
        {"UTF-8 surrogate", [](TWorkbookReply& r) { r.Cells[1].Text = "\xED\xA0\x80"; }},
        {"UTF-8 cut", [](TWorkbookReply& r) { r.Cells[1].Text = "\xE2\x82"; }},
        {"UTF-8 beyond U+10FFFF", [](TWorkbookReply& r) { r.Cells[1].Text = "\xF4\x90\x80\x80"; }},
        {"Latin-1 byte", [](TWorkbookReply& r) { r.Cells[1].Text = "Recep\xE7\xE3o"; }},
        {"text longer than a cell", [](TWorkbookReply& r) { r.Cells[1].Text.assign(kMaxCellTextBytes + 1, 'x'); }},
        {"refused without reason", [](TWorkbookReply& r) { r = {}, r.Refused = true; }},
        {"reason with a line break", [](TWorkbookReply& r) { r = {}, r.Refused = true, r.Reason = "a\nb"; }},
        {"reason too long", [](TWorkbookReply& r) { r = {}, r.Refused = true, r.Reason.assign(kMaxReasonBytes + 1, 'x'); }},
    };
    for (const Case& c : cases) {
        TWorkbookReply sent = Values();
        c.spoil(sent);
        TWorkbookReply got;
        EXPECT_FALSE(Decodes(EncodeWorkbookReply(sent), got)) << c.name;
    }
}

TEST(WorkbookReply, ByteLevelDamageIsRefused)
{
    const std::string good = EncodeWorkbookReply(Values());
    // Offsets: magic 0..3, version 4, status 5, range 6..17, count 18..21.
    struct Case {
        const char* name;
        std::size_t at;
        char byte;
    };
    const Case cases[] = {
        {"magic", 0, 'Y'},
        {"version", 4, 2},
        {"status", 5, 'Q'},
        {"more cells than sent", 18, 6},
        {"a count no reply could hold", 21, '\x7F'},
        {"end mark", good.size() - 1, '!'},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        bytes[c.at] = c.byte;
        TWorkbookReply got;
        EXPECT_FALSE(Decodes(bytes, got)) << c.name;
    }
}

} // namespace
