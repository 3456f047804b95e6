#pragma once
// A printer that draws nothing and keeps every text, line and page break with
// its coordinates, font and pen, so that a printed document can be compared
// item by item.
#include "platform/printer.h"

#include <QImage>
#include <QString>

#include <vector>

struct PrintedItem {
    enum Kind { Text, Line, PageBreak };
    Kind kind = Text;
    int page = 1;        // 1-based page the item is on
    int x = 0, y = 0;    // text corner or line start
    int x2 = 0, y2 = 0;  // line end
    int width = 0, height = 0; // text box: advance and line height in the font drawn
    QString text;
    QString fontName;
    int fontSize = 0;
    bool bold = false;
    int penWidth = 0;
};

// What one or more documents printed, in order.
struct PrintLog {
    std::vector<PrintedItem> items;
    int begun = 0;   // BeginDoc calls
    int ended = 0;   // EndDoc calls
    int aborted = 0; // Abort calls
    int pages = 0;   // pages of the documents begun

    std::vector<PrintedItem> Texts() const;
    std::vector<PrintedItem> Lines() const;
    // The texts on one page, in the order printed.
    std::vector<PrintedItem> TextsOnPage(int page) const;
    // The first text item equal to text, or null.
    const PrintedItem* FindText(const QString& text) const;
};

class TRecordingPrinter : public TPrinter {
public:
    // The page in printer pixels; fonts are measured at `dpi` dots per inch.
    explicit TRecordingPrinter(PrintLog& log, int pageWidth = 4800, int pageHeight = 6600, int dpi = 600);

    // Makes BeginDoc fail with that reason (empty: it succeeds).
    QString failBegin;

    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    int PageWidth() const override;
    int PageHeight() const override;

protected:
    void DrawText(int x, int y, const QString& text) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    QPaintDevice* MetricsDevice() const override;

private:
    PrintLog& log_;
    int width_;
    int height_;
    bool active_ = false;
    mutable QImage metrics_; // no pixels drawn: its resolution sizes the fonts
};
