#pragma once
// The spreadsheet server the grid imports workbooks through, on the calls a
// workbook import needs: the application object, its workbooks, opening one,
// its active sheet, the used range and its address, the values of a range,
// closing without saving and quitting.
//
// This platform has no spreadsheet application to automate: the server reads
// the workbook file itself with FreeXL. Its limits: only the binary .xls
// format; the first worksheet stands for the active one (the file does not
// say which sheet was active); the used range always starts at A1; date and
// time cells come as FreeXL writes them ("2024-03-01", "2024-03-01 10:30:00",
// "10:30:00"). Errors of the server (a file it cannot read, say) are raised as
// ESpreadsheetError naming the file.
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class ESpreadsheetError : public std::runtime_error {
public:
    explicit ESpreadsheetError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// One element of a range's values.
struct TSpreadsheetValue {
    enum TKind { Empty, Number, Text, Error, Object };
    TKind Kind = Empty;
    double Number_ = 0;
    QString Text_;

    // The value as text: numbers with up to 15 significant digits and the
    // locale's decimal separator; texts and dates as they are; nothing for
    // the other kinds.
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
    TSpreadsheetWorkbook(const QString& FileName, const void* Handle);
    ~TSpreadsheetWorkbook();
    TSpreadsheetWorkbook(const TSpreadsheetWorkbook&) = delete;
    TSpreadsheetWorkbook& operator=(const TSpreadsheetWorkbook&) = delete;

    const TSpreadsheetSheet* ActiveSheet() const;
    // The server reads only: closing with SaveChanges raises ESpreadsheetError.
    void Close(bool SaveChanges);
    bool Closed() const { return handle_ == nullptr; }

    // For the ranges: the sheet's extent and one cell (1-based).
    int UsedRows() const { return usedRows_; }
    int UsedCols() const { return usedCols_; }
    TSpreadsheetValue CellValue(int Row, int Col) const;
    const QString& FileName() const { return fileName_; }

private:
    QString fileName_;
    const void* handle_;
    int usedRows_ = 0;
    int usedCols_ = 0;
    TSpreadsheetSheet sheet_{this};
};

class TSpreadsheetWorkbooks {
public:
    // Opens a workbook file; raises ESpreadsheetError naming a file the
    // server cannot read. The workbook stays the collection's until closed.
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
// null when no such server exists.
std::unique_ptr<TSpreadsheetApplication> CreateSpreadsheetServer(const QString& ClassName);

// Test seams: a missing server, the application objects alive and the
// workbooks open right now (so a test sees that a caller closed and released
// everything), and a failure of the next reading of values.
struct TSpreadsheetServerHooks {
    bool Missing = false;
    bool FailNextValue = false;
    // Runs when a workbook opened, with the caller still inside the call.
    std::function<void(const QString& FileName)> Opened;
};
TSpreadsheetServerHooks& SpreadsheetServerHooks();
int LiveSpreadsheetServers();
int OpenSpreadsheetWorkbooks();

// Column letters of the sheet notation: 1 "A", 26 "Z", 27 "AA", 256 "IV".
QString SpreadsheetColumnLetters(int Col);
