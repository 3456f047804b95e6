#pragma once
// Plain value types shared by the controls and the grid: rectangles, points,
// colours in the 0x00BBGGRR form the windows store, shift states and the
// virtual key codes that key handlers compare with.
#include <QColor>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <stdexcept>

// A rectangle by its edges; Right and Bottom lie just outside it.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    bool operator==(const TRect&) const = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// The general error the controls raise where no more particular one fits.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Anything a control keeps a pointer to on the program's behalf (a grid
// cell's object slot); the control never owns it.
class TObject {
public:
    virtual ~TObject() = default;
};

// Colours: 0x00BBGGRR, or a system colour 0x80000000 + index, or clNone.
using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;

inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;

// The colour a TColor stands for (system colours from the current palette).
QColor ToQColor(TColor color);

// Shift state of a key or mouse event.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Virtual key codes as key-down handlers see them; letters and digits are
// their upper-case character codes ('A', '0'). Keys name the key pressed,
// not the character typed: '!' is the key '1' with Shift, '.' the key
// VK_OEM_PERIOD, so that no character reads as a navigation key (Page Up is
// 0x21, the code of '!').
enum : int {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_NUMPAD0 = 0x60,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F4 = 0x73,
    VK_F12 = 0x7B,
    VK_OEM_1 = 0xBA,      // ; :
    VK_OEM_PLUS = 0xBB,   // = +
    VK_OEM_COMMA = 0xBC,  // , <
    VK_OEM_MINUS = 0xBD,  // - _
    VK_OEM_PERIOD = 0xBE, // . >
    VK_OEM_2 = 0xBF,      // / ?
    VK_OEM_3 = 0xC0,      // ` ~
    VK_OEM_4 = 0xDB,      // [ {
    VK_OEM_5 = 0xDC,      // \ |
    VK_OEM_6 = 0xDD,      // ] }
    VK_OEM_7 = 0xDE,      // ' "
};
