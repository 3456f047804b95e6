#pragma once
// Flat scroll bars: the five calls the grid makes on the common-controls
// library, carried out on a scroll area's own QScrollBars. A flat bar is a
// plain QScrollBar styled by a style sheet; its background colour, width
// and page follow the calls.
#include "platform/types.h"

class QAbstractScrollArea;
class QScrollBar;

enum : int { SB_HORZ = 0, SB_VERT = 1, SB_BOTH = 3 };

// Properties set by FlatSB_SetScrollProp.
enum : int {
    WSB_PROP_CYVSCROLL = 0x1,
    WSB_PROP_CXHSCROLL = 0x2,
    WSB_PROP_CYHSCROLL = 0x4,
    WSB_PROP_CXVSCROLL = 0x8,
    WSB_PROP_VSTYLE = 0x100,
    WSB_PROP_HSTYLE = 0x200,
    WSB_PROP_VBKGCOLOR = 0x400,
    WSB_PROP_HBKGCOLOR = 0x800,
};

// Bar styles.
enum : int { FSB_REGULAR_MODE = 0, FSB_ENCARTA_MODE = 1, FSB_FLAT_MODE = 2 };

// Which fields of a TScrollInfo a call sets.
enum : unsigned { SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_ALL = 0x7 };

struct TScrollInfo {
    unsigned fMask = 0;
    int nMin = 0;
    int nMax = 0;
    // The part of the range one page shows; the thumb's size.
    unsigned nPage = 0;
    int nPos = 0;
};

// Marks the area's bars as flat (regular style until set); true on success.
bool InitializeFlatSB(QAbstractScrollArea* Area);
// Back to the standard bars: style sheet, colour and size reset.
void UninitializeFlatSB(QAbstractScrollArea* Area);
bool FlatSB_IsInitialized(QAbstractScrollArea* Area);
// Style (a FSB_ mode), background colour (a TColor) or size in pixels of the
// vertical (SB_VERT) and horizontal bar; false on a bar not initialised.
bool FlatSB_SetScrollProp(QAbstractScrollArea* Area, int Index, int NewValue);
// Range, page and position as the platform gives them: nMax is the last
// value the range covers, so a page of p leaves positions nMin..nMax-p+1.
// Returns the position.
int FlatSB_SetScrollInfo(QAbstractScrollArea* Area, int Bar, const TScrollInfo& Info, bool Redraw);
// Shows or hides the bar (SB_HORZ, SB_VERT or SB_BOTH).
bool FlatSB_ShowScrollBar(QAbstractScrollArea* Area, int Bar, bool Show);

// The style a bar was given (FSB_REGULAR_MODE when none).
int FlatSB_Style(QAbstractScrollArea* Area, int Bar);
