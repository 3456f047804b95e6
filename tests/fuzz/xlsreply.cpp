// Bytes as the program reads a workbook reader's reply. Any bytes decode or
// are refused; a reply that decodes keeps the reply's rules and is exactly
// what encoding it gives back.
#include "tests/fuzz/support/fuzz.h"

#include "platform/xlsreader/workbookreply.h"

#include <string_view>

std::vector<std::string> FuzzSeeds()
{
    TWorkbookReply values;
    values.FirstRow = 2;
    values.LastRow = 3;
    values.FirstCol = 1;
    values.LastCol = 2;
    values.Cells.resize(4);
    const TReplyKind kinds[] = {TReplyKind::Text, TReplyKind::Boolean, TReplyKind::Date, TReplyKind::Error};
    for (std::size_t i = 0; i < values.Cells.size(); ++i) {
        values.Cells[i].Row = static_cast<std::uint32_t>(2 + i / 2);
        values.Cells[i].Col = static_cast<std::uint16_t>(1 + i % 2);
        values.Cells[i].Kind = kinds[i];
    }
    values.Cells[0].Text = "Recepção";
    values.Cells[1].Code = 1;
    values.Cells[2].Number = 45651.25;
    values.Cells[3].Code = 7;
    TWorkbookReply refused;
    refused.Refused = true;
    refused.Reason = "corrupt file";
    return {EncodeWorkbookReply(values), EncodeWorkbookReply(refused), EncodeWorkbookReply(TWorkbookReply())};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TWorkbookReply reply;
    std::string why;
    if (!DecodeWorkbookReply(bytes, reply, why))
        return 0;
    FuzzCheck(EncodeWorkbookReply(reply) == bytes, "a decoded reply encodes to its own bytes");
    for (const TReplyCell& cell : reply.Cells)
        FuzzCheck(cell.Row >= reply.FirstRow && cell.Row <= reply.LastRow && cell.Col >= reply.FirstCol
                      && cell.Col <= reply.LastCol && reply.LastRow <= kWorkbookRows && reply.LastCol <= kWorkbookCols,
                  "cells inside the used range, within a workbook");
    return 0;
}
