#include "platform/recordingprinter.h"

std::vector<PrintedItem> PrintLog::Texts() const
{
    std::vector<PrintedItem> texts;
    for (const PrintedItem& item : items)
        if (item.kind == PrintedItem::Text)
            texts.push_back(item);
    return texts;
}

std::vector<PrintedItem> PrintLog::Lines() const
{
    std::vector<PrintedItem> lines;
    for (const PrintedItem& item : items)
        if (item.kind == PrintedItem::Line)
            lines.push_back(item);
    return lines;
}

std::vector<PrintedItem> PrintLog::TextsOnPage(int page) const
{
    std::vector<PrintedItem> texts;
    for (const PrintedItem& item : items)
        if (item.kind == PrintedItem::Text && item.page == page)
            texts.push_back(item);
    return texts;
}

const PrintedItem* PrintLog::FindText(const QString& text) const
{
    for (const PrintedItem& item : items)
        if (item.kind == PrintedItem::Text && item.text == text)
            return &item;
    return nullptr;
}

TRecordingPrinter::TRecordingPrinter(PrintLog& log, int pageWidth, int pageHeight, int dpi)
    : log_(log), width_(pageWidth), height_(pageHeight), metrics_(1, 1, QImage::Format_Mono)
{
    const int dotsPerMeter = qRound(dpi / 0.0254);
    metrics_.setDotsPerMeterX(dotsPerMeter);
    metrics_.setDotsPerMeterY(dotsPerMeter);
}

QPaintDevice* TRecordingPrinter::MetricsDevice() const
{
    return &metrics_;
}

void TRecordingPrinter::BeginDoc()
{
    if (!failBegin.isEmpty())
        throw EPrinterError(failBegin.toStdString());
    ++log_.begun;
    ++log_.pages;
    active_ = true;
}

void TRecordingPrinter::NewPage()
{
    if (!active_)
        throw EPrinterError("no document");
    PrintedItem item;
    item.kind = PrintedItem::PageBreak;
    item.page = log_.pages;
    log_.items.push_back(item);
    ++log_.pages;
}

void TRecordingPrinter::EndDoc()
{
    active_ = false;
    ++log_.ended;
}

void TRecordingPrinter::Abort()
{
    active_ = false;
    ++log_.aborted;
}

int TRecordingPrinter::PageWidth() const
{
    return width_;
}

int TRecordingPrinter::PageHeight() const
{
    return height_;
}

void TRecordingPrinter::DrawText(int x, int y, const QString& text)
{
    PrintedItem item;
    item.kind = PrintedItem::Text;
    item.page = log_.pages;
    item.x = x;
    item.y = y;
    item.text = text;
    item.width = TextWidth(text);
    item.height = TextHeight();
    item.fontName = Font.Name;
    item.fontSize = Font.Size;
    item.bold = (Font.Style & fsBold) != 0;
    log_.items.push_back(item);
}

void TRecordingPrinter::DrawLine(int x1, int y1, int x2, int y2)
{
    PrintedItem item;
    item.kind = PrintedItem::Line;
    item.page = log_.pages;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.penWidth = Pen.Width;
    log_.items.push_back(item);
}
