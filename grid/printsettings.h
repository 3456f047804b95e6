#pragma once
// Page settings of a grid, kept with it and written with its cell stream;
// the program prints its grids through no routine of its own, so they are
// only stored.
#include "grid/gridsettings.h"
#include "platform/canvas.h"

#include <QString>
#include <QStringList>

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal,
    pbAround, pbAroundVertical, pbAroundHorizontal, pbCustom
};
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    int FooterSize = 0;
    int HeaderSize = 0;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    int TitleSpacing = 0;
    int PageNumberOffset = 0;
    int MaxPagesOffset = 0;
    int FixedWidth = 0;
    int FixedHeight = 0;
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    TPrintPosition PageNr = ppNone;
    TPrintPosition Title = ppNone;
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    QString TitleText;
    QString PagePrefix;
    QString PageSuffix;
    QString JobName;
    QString PageNumSep = QStringLiteral("/");
    QStringList TitleLines;
    // The cell font when painting for print, and the header and footer fonts.
    TFont Font;
    TFont HeaderFont;
    TFont FooterFont;
    TPrintBorders Borders = pbNoborder;
    TPenStyle BorderStyle = psSolid;
    bool Centered = false;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    bool UseFixedHeight = false;
    bool UseFixedWidth = false;
    bool NoAutoSize = false;
    bool NoAutoSizeRow = false;
    bool PrintGraphics = false;
    TPrinterOrientation Orientation = poPortrait;
    TFitToPage FitToPage = fpNever;

    // Copies every setting, lines and fonts included; the grid stays.
    void Assign(const TPrintSettings& Source) { *this = Source; }
};
