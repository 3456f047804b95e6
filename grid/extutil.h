#pragma once
// Plain routines the grid, its editors, clipboard, import and filter use on
// cell texts: classifying a text, cleaning a typed number, reading dates,
// matching a filter condition, line and CSV helpers, name capitalisation and
// two small drawing helpers. Positions are 1-based; "not found" is 0.
// Locale-aware routines read LocaleSettings().
#include "platform/canvas.h"
#include "platform/types.h"

#include <QDate>
#include <QImage>
#include <QString>

// Classification and numbers.
// 0 plain, 1 markup, 2 rich text, 3 formula.
int TextType(const QString& S, bool HTMLEnabled);
// 0 integer, 1 number with separators, 2 anything else.
int IsType(const QString& S);
// The typed number ready for a locale-free conversion ("-1234.50").
QString CleanNumber(const QString& S);
bool IsURL(const QString& S);
void StripURLProtocol(QString& S);
// "R2C3" (any case) gives Cell = (column 3, row 2).
bool ParseCellRef(const QString& S, TPoint& Cell);

// Dates. A date that cannot be read is the null QDate.
bool LocaleStrToDate(const QString& S, QDate& Date);
QDate StrToDateMDY(const QString& S);
QDate StrToDateDMY(const QString& S);
QDate IncDateParts(int Years, int Months, int Days, int Step, const QDate& Date);

// Filter matching.
bool MatchCondition(const QString& Condition, const QString& Value, bool CaseSensitive);
bool MatchTerm(const QString& Term, const QString& Value);

// Lines and CSV.
void NextLine(QString& S, bool KeepRest, QString& Line);
int LineCount(const QString& S, bool Multi);
void LFToCRLF(QString& S);
void TildeToCRLF(QString& S);
QString BackslashNToCR(const QString& S);
void QuoteMultiLine(QString& S);
QString UndoubleChar(QChar C, const QString& S);
QString UndoubleChar(QChar C, QStringView S);
bool OddRunEnd(QChar C, const QString& S, int& Pos);
bool OddRunEnd(QChar C, QStringView S, int& Pos);
int CountOddRuns(QChar C, const QString& S);
int CountChar(QChar C, const QString& S);
int CharPos(QChar C, const QString& S);
void FillChars(QString& S, QChar C);
// Each character of S stands for a byte of the DOS code page (as read from a
// file byte by byte) and becomes the character that byte means.
void OemToAnsiStr(QString& S);
int PosUpper(const QString& Sub, const QString& S);

QString CapitalizeName(const QString& S);

// Other helpers.
int ClampToLimits(int Value, int Min, int Max);
int IntMax(int A, int B);
int IntMin(int A, int B);
bool PtInRectIncl(const TRect& R, const TPoint& P);
TColor DarkenColor(TColor Color);
void DrawTransparentBitmap(TCanvas& Canvas, const QImage& Bitmap, TColor Color, const TRect& R);
// The grid's own bitmaps, by name ("ESGCHK01"); a null image for an unknown one.
QImage BitmapResource(const QString& Name);
void DrawBitmapResource(TCanvas& Canvas, TColor Color, const TRect& R, const QString& Name);
// A red zigzag under Count characters of Text from character From (1-based),
// Text laid out as a single line Offset pixels in from the left of R.
void DrawErrorZigzag(TCanvas& Canvas, const QString& Text, int Count, int From, int Offset, const TRect& R);
