#pragma once
// The spreadsheet server the grid imports workbooks through, on the calls a
// workbook import needs: the application object, its workbooks, opening one,
// its active sheet, the used range and its address, the values of a range,
// closing without saving and quitting.
//
// This platform has no spreadsheet application to automate: opening a
// workbook runs the workbook reader (platform/xlsreader), a program of its
// own beside this one, which reads the binary .xls file and hands back the
// active sheet's used range and values over a pipe. A damaged workbook can
// crash or hang only the reader: a reader that crashes, does not answer
// within its time limit or answers anything but a well-formed reply raises
// ESpreadsheetReaderError. A workbook the reader refuses (not an .xls file,
// say) raises ESpreadsheetError naming the file.
#include "platform/xlsreader/workbookreply.h"

#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class ESpreadsheetError : public std::runtime_error {
public:
    explicit ESpreadsheetError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// The reader crashed, hung or gave an answer that is not a reply.
class ESpreadsheetReaderError : public ESpreadsheetError {
public:
    using ESpreadsheetError::ESpreadsheetError;
};

// One element of a range's values.
struct TSpreadsheetValue {
    enum TKind { Empty, Number, Text, Boolean, Date, Error, Object };
    TKind Kind = Empty;
    // A number, a boolean (0 or 1) or a date (days since 30 December 1899,
    // the time of day as the fraction).
    double Number_ = 0;
    QString Text_;

    // The value as text: numbers with up to 15 significant digits and the
    // locale's decimal separator; texts as they are; "True" or "False"; a
    // date in the locale's short date form, followed by the time of day
    // (hours, minutes and seconds with the locale's time separator) unless it
    // is midnight, a bare time of day alone; nothing for the other kinds.
    QString AsText() const;
};

// The values of a range, 1-based in both directions.
class TSpreadsheetValues {
public:
    TSpreadsheetValues(int Rows, int Cols);
    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    const TSpreadsheetValue& At(int Row, int Col) const;
    TSpreadsheetValue& At(int Row, int Col);

private:
    int rows_;
    int cols_;
    std::vector<TSpreadsheetValue> values_;
};

class TSpreadsheetWorkbook;

class TSpreadsheetRange {
public:
    TSpreadsheetRange(const TSpreadsheetWorkbook* Book, int FirstRow, int FirstCol, int LastRow, int LastCol);
    // "$A$1:$C$4", or "$A$1" for a single cell.
    QString Address() const;
    TSpreadsheetValues Value() const;

private:
    const TSpreadsheetWorkbook* book_;
    int firstRow_, firstCol_, lastRow_, lastCol_;
};

class TSpreadsheetSheet {
public:
    explicit TSpreadsheetSheet(const TSpreadsheetWorkbook* Book) : book_(Book) {}
    TSpreadsheetRange UsedRange() const;
    // A range in letter notation ("A1:C4", "$B$2", "B2:B2"); raises
    // ESpreadsheetError on an address it cannot read.
    TSpreadsheetRange Range(const QString& Address) const;

private:
    const TSpreadsheetWorkbook* book_;
};

class TSpreadsheetWorkbook {
public:
    // The workbook as the reader answered it.
    TSpreadsheetWorkbook(const QString& FileName, TWorkbookReply Reply);
    ~TSpreadsheetWorkbook();
    TSpreadsheetWorkbook(const TSpreadsheetWorkbook&) = delete;
    TSpreadsheetWorkbook& operator=(const TSpreadsheetWorkbook&) = delete;

    const TSpreadsheetSheet* ActiveSheet() const;
    // The server reads only: closing with SaveChanges raises ESpreadsheetError.
    void Close(bool SaveChanges);
    bool Closed() const { return closed_; }

    // For the ranges: the used range (A1 alone when no cell is used) and one
    // cell (1-based).
    int FirstRow() const;
    int FirstCol() const;
    int LastRow() const;
    int LastCol() const;
    TSpreadsheetValue CellValue(int Row, int Col) const;
    const QString& FileName() const { return fileName_; }

private:
    QString fileName_;
    TWorkbookReply reply_;
    bool closed_ = false;
    TSpreadsheetSheet sheet_{this};
};

class TSpreadsheetWorkbooks {
public:
    // Opens a workbook file through the reader; raises ESpreadsheetError
    // naming a file the reader refuses, ESpreadsheetReaderError when the
    // reader fails. The workbook stays the collection's until closed.
    TSpreadsheetWorkbook* Open(const QString& FileName);
    void CloseAll();

private:
    std::vector<std::unique_ptr<TSpreadsheetWorkbook>> books_;
};

class TSpreadsheetApplication {
public:
    TSpreadsheetApplication();
    // Releasing the application quits it.
    ~TSpreadsheetApplication();
    TSpreadsheetApplication(const TSpreadsheetApplication&) = delete;
    TSpreadsheetApplication& operator=(const TSpreadsheetApplication&) = delete;

    TSpreadsheetWorkbooks& WorkBooks() { return books_; }
    // Closes every workbook still open, without saving.
    void Quit();

private:
    TSpreadsheetWorkbooks books_;
};

// Creates the automation object of the class named ("excel.application");
// null when no such server exists (or its reader is not installed).
std::unique_ptr<TSpreadsheetApplication> CreateSpreadsheetServer(const QString& ClassName);

// Test seams: a missing server, the application objects alive and the
// workbooks open right now (so a test sees that a caller closed and released
// everything), a failure of the next reading of values, and another reader
// or time limit.
struct TSpreadsheetServerHooks {
    bool Missing = false;
    bool FailNextValue = false;
    // Empty: the installed reader.
    QString ReaderPath;
    // 0: the reader's usual time limit, and the usual bound of its reply.
    int ReaderTimeLimitMs = 0;
    qsizetype ReaderReplyLimitBytes = 0;
    // Runs when a workbook opened, with the caller still inside the call.
    std::function<void(const QString& FileName)> Opened;
};
TSpreadsheetServerHooks& SpreadsheetServerHooks();
int LiveSpreadsheetServers();
int OpenSpreadsheetWorkbooks();

// The installed workbook reader, "xlsreader" beside the library that holds
// this code, beside the program, or in the build's program directory; empty
// when there is none.
QString InstalledWorkbookReader();

// Column letters of the sheet notation: 1 "A", 26 "Z", 27 "AA", 256 "IV".
QString SpreadsheetColumnLetters(int Col);
