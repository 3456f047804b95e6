#pragma once
// Mini-HTML: the markup of grid cells, hints and the floating footer. One
// routine draws, measures and hit-tests it inside a rectangle of a canvas;
// beside it the plain text of a markup, the rewrite of an inline control's
// value and the colour readers.
#include "platform/canvas.h"
#include "platform/graphics.h"
#include "platform/types.h"

#include <QString>

class QWidget;
class THTMLPictureCache;
class TPictureContainer;

struct THTMLDrawInput {
    QString Markup;
    TRect Rect;
    TImageList* Images = nullptr;
    // The pointer, for hit-testing.
    int X = -1;
    int Y = -1;
    int FocusLink = -1;  // from 0; -1 none
    int HoverLink = -1;  // from 1; -1 none
    int ShadowOffset = 1;
    bool CheckOnly = false;     // measure only
    bool CheckHotSpot = false;  // hit-test: the drawing pass only measures
    bool IsPrinting = false;
    bool Selected = false;
    bool Blink = false;         // blink phase: false hides blinking text
    bool HoverStyle = false;
    bool WordWrap = false;
    bool Down = false;          // mouse button down
    double ResFactor = 1.0;
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clNone;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* Pictures = nullptr;
    QWidget* Window = nullptr;  // theme data is opened on it
};

struct THTMLDrawOutput {
    QString Anchor;         // under the pointer; "ctrl" over an inline control
    QString StrippedText;   // tags removed, a carriage return for each BR
    QString FocusAnchor;
    int XSize = 0;          // widest line
    int YSize = 0;          // total height
    int HyperLinks = 0;
    int MouseLink = -1;     // from 1
    TRect HoverRect;
    TRect ControlRect;
    QString ControlID;
    QString ControlValue;
    QString ControlType;
    int CharsLeftOfPointer = 0;
};

// Draws (or only measures, or hit-tests) the markup; True when the pointer
// lies on an anchor's text, on an inline control or on a picture in an anchor.
bool HTMLDraw(TCanvas& Canvas, const THTMLDrawInput& In, THTMLDrawOutput& Out);

// The text without tags; BR and HR become a carriage return and line feed.
QString HTMLStrip(const QString& Text);
// Rewrites the VALUE of the CONTROL tag whose ID is ID; False when none.
bool SetControlValue(QString& Text, const QString& ID, const QString& Value);

TColor HTMLColorByName(const QString& Name);
// "#RRGGBB" as a colour (0x00BBGGRR).
TColor HTMLHexColor(const QString& Value);
// Two hexadecimal digits (digits and capitals); 0 for anything else.
int HTMLHexByte(const QString& Pair);
