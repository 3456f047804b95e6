#pragma once
// The printer the reports draw on, with the few calls of the desktop class
// library's printer object: begin and end of a document, new page, page size
// in printer pixels, text at a top-left corner and lines, with a font and a
// pen set before each call. Three surfaces stand behind it: the system's
// default printer, a PDF file, and a recording surface for the tests
// (recordingprinter.h).
#include "platform/canvas.h"

#include <QFont>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

// A document that could not start or failed; what() is the reason, written
// for the user.
class EPrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TPrinter {
public:
    TPrinter() = default;
    virtual ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    TFont Font{QStringLiteral("Arial"), 10}; // the font of the next TextOut (size in points)
    TPen Pen;   // the pen of the next LineTo (width in printer pixels)

    // Starts the document on its first page; the page size is known from
    // then on. Throws EPrinterError.
    virtual void BeginDoc() = 0;
    // Throws EPrinterError when the page cannot be added.
    virtual void NewPage() = 0;
    // Ends the document and hands it on; throws EPrinterError when it failed.
    virtual void EndDoc() = 0;
    // Drops a document that failed halfway; nothing is handed on.
    virtual void Abort() = 0;

    // The printable page in printer pixels.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    // Text with its top-left corner at (x, y).
    void TextOut(int x, int y, const QString& text) { DrawText(x, y, text); }
    // The advance of a text and the height of a line (ascent plus descent)
    // in the current font, in printer pixels: the box TextOut fills.
    int TextWidth(const QString& text) const;
    int TextHeight() const;
    void MoveTo(int x, int y);
    // A line from the pen position to (x, y), which becomes the pen position.
    void LineTo(int x, int y);

protected:
    virtual void DrawText(int x, int y, const QString& text) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    // The device whose resolution the fonts are measured at.
    virtual QPaintDevice* MetricsDevice() const = 0;

private:
    int penX_ = 0;
    int penY_ = 0;
};

// The face a report font is drawn in: the report faces the desktop the
// program came from used, or the nearest narrow sans-serif face installed.
QFont ReportFont(const TFont& font);

// The printer the user prints on: the PDF file named by the environment
// variable TRIVANTO_IMPRESSORA when it ends in ".pdf", otherwise the system's
// default printer. Nothing is opened until BeginDoc.
std::unique_ptr<TPrinter> OpenPrinter();

// The two real surfaces.
std::unique_ptr<TPrinter> CreateDefaultPrinter();
std::unique_ptr<TPrinter> CreatePdfPrinter(const QString& fileName);

// Tests put another surface in place of OpenPrinter's choice; an empty
// function restores it.
using PrinterFactory = std::function<std::unique_ptr<TPrinter>()>;
void SetPrinterFactory(PrinterFactory factory);

// The name of the system's default printer, empty when there is none. Tests
// replace the lookup so that nothing reaches a real printer.
using DefaultPrinterLookup = QString (*)();
void SetDefaultPrinterLookup(DefaultPrinterLookup lookup);
