#pragma once
// Themed and classic drawing of small controls (push buttons, check boxes,
// radio buttons, drop-down and spin buttons) for code written against a
// visual-styles library loaded at run time.
//
// The "library" here is the application's QStyle: LoadThemeLibrary hands out
// a handle whose entry points open theme data on a widget's style and draw a
// part in a state with it. Only the four entries the grid draws with exist;
// every other name resolves to null. Whether themes are active is a switch
// of this layer (on unless a test turns it off to check the classic look).
#include "platform/canvas.h"

#include <cstdint>

class QWidget;

using HTHEME = struct ThemeData*;
using HRESULT = long;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005L);

// Class names, part and state numbers the drawing calls take.
enum : int {
    // "button"
    BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3,
    PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5,
    RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3, RBS_UNCHECKEDDISABLED = 4,
    RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6, RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8,
    CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3, CBS_UNCHECKEDDISABLED = 4,
    CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6, CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8,
    CBS_MIXEDNORMAL = 9, CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12,
    // "combobox"
    CP_DROPDOWNBUTTON = 1,
    CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4,
    // "spin"
    SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4,
    UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4,
};

// The run-time library. A handle below 32 means the library was not found.
using ThemeLibraryHandle = std::intptr_t;
ThemeLibraryHandle LoadThemeLibrary(const char* fileName);
void* ThemeLibraryEntry(ThemeLibraryHandle library, const char* entryName);
void FreeThemeLibrary(ThemeLibraryHandle library);

// The switch behind IsThemeActive.
void SetThemesActive(bool active);
// The platform version test the themed paths make; this platform counts as
// recent enough for themes.
bool PlatformVersionAtLeast(int major, int minor);

// Signatures of the four entry points.
using OpenThemeDataProc = HTHEME (*)(QWidget* window, const char* classList);
using CloseThemeDataProc = HRESULT (*)(HTHEME theme);
using DrawThemeBackgroundProc = HRESULT (*)(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& rect,
                                            const TRect* clip);
using IsThemeActiveProc = bool (*)();

// Classic frame controls and edges.
enum : unsigned {
    DFC_SCROLL = 3, DFC_BUTTON = 4,
    DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIO = 0x0004, DFCS_BUTTONPUSH = 0x0010,
    DFCS_SCROLLUP = 0x0000, DFCS_SCROLLDOWN = 0x0001, DFCS_SCROLLLEFT = 0x0002, DFCS_SCROLLRIGHT = 0x0003,
    DFCS_SCROLLCOMBOBOX = 0x0005,
    DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400, DFCS_HOT = 0x1000,
    DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000,

    BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
    BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_RECT = 0xF,
    BF_MIDDLE = 0x800, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000,
};
void DrawFrameControl(TCanvas& canvas, const TRect& rect, unsigned type, unsigned state);
// Draws the edges asked for; with BF_ADJUST the rectangle shrinks past them.
void DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags);
