#pragma once
// The drag-and-drop service the grid's drop target and drop source run on.
// A drag carries a QMimeData: plain text as text/plain, rich text as
// text/rtf, a grid column as a 4-byte little-endian index under a MIME name
// that keeps the format's name, files as URLs. The drag loop itself sits
// behind TDragLoop: QDragLoop runs Qt's, a test installs a scripted one.
#include "platform/themes.h"

#include <QByteArray>
#include <QString>

class QMimeData;
class QWidget;

// Effects of a drop and the answers of the drag loop and of a drop source.
enum : int { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4 };
enum : HRESULT {
    DRAGDROP_S_DROP = 0x00040100L,
    DRAGDROP_S_CANCEL = 0x00040101L,
    DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102L,
};
// Key state bits the loop reports while it runs.
enum : unsigned { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8 };

// MIME names of the drag formats.
extern const char* const kMimePlainText;
extern const char* const kMimeRichText;
extern const char* const kMimeGridColumn;

// What a drag loop asks of the side that started the drag.
class TDragSourceCallbacks {
public:
    virtual ~TDragSourceCallbacks() = default;
    // S_OK to go on, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL.
    virtual HRESULT QueryContinueDrag(bool EscapePressed, unsigned KeyState) = 0;
    virtual HRESULT GiveFeedback(int Effect) = 0;
};

class TDragLoop {
public:
    virtual ~TDragLoop() = default;
    // Runs the drag of data from source until it drops or is cancelled;
    // returns DRAGDROP_S_DROP or DRAGDROP_S_CANCEL and the effect.
    virtual HRESULT DoDragDrop(QWidget* source, QMimeData* data, TDragSourceCallbacks& callbacks, int okEffects,
                               int& effect) = 0;
};

// Qt's own drag loop (QDrag::exec): Escape and the mouse are its business;
// each change of the proposed action is reported as feedback.
class QDragLoop : public TDragLoop {
public:
    HRESULT DoDragDrop(QWidget* source, QMimeData* data, TDragSourceCallbacks& callbacks, int okEffects,
                       int& effect) override;
};

// The loop drags run in (Qt's unless a test installed another; null puts
// Qt's back).
TDragLoop& CurrentDragLoop();
void SetDragLoop(TDragLoop* loop);

// The column a "Grid Column" payload names: exactly 4 bytes, little-endian,
// not negative; anything else is no column (-1).
int DecodeGridColumn(const QByteArray& payload);
QByteArray EncodeGridColumn(int column);
