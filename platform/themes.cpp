#include "platform/themes.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <strings.h>

struct ThemeData {
    QStyle* style;
    QString classList;
};

namespace {

bool themesActive = true;
constexpr ThemeLibraryHandle kLibraryHandle = 0x5A5A;

HTHEME OpenTheme(QWidget* window, const char* classList)
{
    QStyle* style = window ? window->style() : QApplication::style();
    if (!style || !classList)
        return nullptr;
    return new ThemeData{style, QString::fromLatin1(classList).toLower()};
}

HRESULT CloseTheme(HTHEME theme)
{
    delete theme;
    return S_OK;
}

bool ThemeActive()
{
    return themesActive;
}

// The four states of a button-like part (normal, hot, pressed, disabled) as
// the style's state flags.
QStyle::State ButtonState(int state)
{
    QStyle::State flags = QStyle::State_Raised;
    if (state != 4)
        flags |= QStyle::State_Enabled;
    if (state == 2)
        flags |= QStyle::State_MouseOver;
    if (state == 3)
        flags |= QStyle::State_Sunken;
    return flags;
}

// A bevelled button with an arrow in it.
void DrawArrowButton(QStyle* style, QPainter* painter, const QRect& rect, int state, QStyle::PrimitiveElement arrow)
{
    QStyleOption option;
    option.rect = rect;
    option.state = ButtonState(state);
    option.palette = QApplication::palette();
    style->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, painter);
    option.rect = rect.adjusted(2, 2, -2, -2);
    style->drawPrimitive(arrow, &option, painter);
}

HRESULT DrawThemeBackgroundOnStyle(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& rect,
                                   const TRect* clip)
{
    QPainter* painter = canvas.Painter();
    if (!theme || !painter)
        return E_FAIL;
    painter->save();
    if (clip)
        painter->setClipRect(clip->ToQRect(), Qt::IntersectClip);
    QStyle* style = theme->style;
    const QRect area = rect.ToQRect();
    HRESULT result = S_OK;
    if (theme->classList == "button" && (part == BP_CHECKBOX || part == BP_RADIOBUTTON)) {
        QStyleOptionButton option;
        option.rect = area;
        option.palette = QApplication::palette();
        const int base = (state - 1) % 4 + 1;
        option.state = ButtonState(base) & ~QStyle::State_Raised;
        option.state |= state >= 9 ? QStyle::State_NoChange : state >= 5 ? QStyle::State_On : QStyle::State_Off;
        style->drawPrimitive(part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                             &option, painter);
    } else if (theme->classList == "button" && part == BP_PUSHBUTTON) {
        QStyleOptionButton option;
        option.rect = area;
        option.palette = QApplication::palette();
        option.state = ButtonState(state == PBS_DEFAULTED ? PBS_NORMAL : state);
        if (state == PBS_DEFAULTED)
            option.features |= QStyleOptionButton::DefaultButton;
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, painter);
    } else if (theme->classList == "combobox" && part == CP_DROPDOWNBUTTON) {
        DrawArrowButton(style, painter, area, state, QStyle::PE_IndicatorArrowDown);
    } else if (theme->classList == "spin" && part >= SPNP_UP && part <= SPNP_DOWNHORZ) {
        static const QStyle::PrimitiveElement arrows[] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                                                          QStyle::PE_IndicatorArrowRight,
                                                          QStyle::PE_IndicatorArrowLeft};
        DrawArrowButton(style, painter, area, state, arrows[part - 1]);
    } else {
        result = E_FAIL;
    }
    painter->restore();
    return result;
}

struct Entry {
    const char* name;
    void* address;
};

const Entry kEntries[] = {
    {"OpenThemeData", reinterpret_cast<void*>(static_cast<OpenThemeDataProc>(OpenTheme))},
    {"CloseThemeData", reinterpret_cast<void*>(static_cast<CloseThemeDataProc>(CloseTheme))},
    {"DrawThemeBackground", reinterpret_cast<void*>(static_cast<DrawThemeBackgroundProc>(DrawThemeBackgroundOnStyle))},
    {"IsThemeActive", reinterpret_cast<void*>(static_cast<IsThemeActiveProc>(ThemeActive))},
};

void Line(QPainter* painter, TColor color, int x1, int y1, int x2, int y2)
{
    painter->setPen(ToQColor(color));
    painter->drawLine(x1, y1, x2, y2);
}

// One ring of a classic edge: top-left in one colour, bottom-right in another.
void Ring(QPainter* painter, const TRect& r, TColor topLeft, TColor bottomRight, unsigned sides)
{
    if (sides & BF_LEFT)
        Line(painter, topLeft, r.Left, r.Top, r.Left, r.Bottom - 1);
    if (sides & BF_TOP)
        Line(painter, topLeft, r.Left, r.Top, r.Right - 1, r.Top);
    if (sides & BF_RIGHT)
        Line(painter, bottomRight, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
    if (sides & BF_BOTTOM)
        Line(painter, bottomRight, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
}

TRect Shrunk(const TRect& r, int by)
{
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

void DrawCheckMark(QPainter* painter, const TRect& box, TColor color)
{
    QPen pen(ToQColor(color));
    pen.setWidth(2);
    painter->setPen(pen);
    const int x = box.Left + box.Width() / 4;
    const int y = box.Top + box.Height() / 2;
    painter->drawLine(x, y, x + box.Width() / 6, y + box.Height() / 5);
    painter->drawLine(x + box.Width() / 6, y + box.Height() / 5, box.Right - box.Width() / 4, box.Top + box.Height() / 4);
}

void DrawArrow(QPainter* painter, const TRect& r, unsigned direction, TColor color)
{
    const int cx = r.Left + r.Width() / 2;
    const int cy = r.Top + r.Height() / 2;
    const int s = std::max(2, std::min(r.Width(), r.Height()) / 4);
    QPolygon arrow;
    switch (direction) {
    case DFCS_SCROLLUP: arrow << QPoint(cx - s, cy + s / 2) << QPoint(cx + s, cy + s / 2) << QPoint(cx, cy - s / 2 - 1); break;
    case DFCS_SCROLLLEFT: arrow << QPoint(cx + s / 2, cy - s) << QPoint(cx + s / 2, cy + s) << QPoint(cx - s / 2 - 1, cy); break;
    case DFCS_SCROLLRIGHT: arrow << QPoint(cx - s / 2, cy - s) << QPoint(cx - s / 2, cy + s) << QPoint(cx + s / 2 + 1, cy); break;
    default: arrow << QPoint(cx - s, cy - s / 2) << QPoint(cx + s, cy - s / 2) << QPoint(cx, cy + s / 2 + 1); break;
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(ToQColor(color));
    painter->drawPolygon(arrow);
}

} // namespace

ThemeLibraryHandle LoadThemeLibrary(const char* fileName)
{
    return fileName && strcasecmp(fileName, "UXTHEME.DLL") == 0 ? kLibraryHandle : 0;
}

void* ThemeLibraryEntry(ThemeLibraryHandle library, const char* entryName)
{
    if (library != kLibraryHandle || !entryName)
        return nullptr;
    for (const Entry& entry : kEntries)
        if (std::strcmp(entry.name, entryName) == 0)
            return entry.address;
    return nullptr;
}

void FreeThemeLibrary(ThemeLibraryHandle) {}

void SetThemesActive(bool active)
{
    themesActive = active;
}

bool PlatformVersionAtLeast(int major, int minor)
{
    return major < 5 || (major == 5 && minor <= 1);
}

void DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags)
{
    QPainter* painter = canvas.Painter();
    const unsigned sides = flags & BF_RECT;
    int rings = 0;
    if (painter) {
        painter->save();
        const bool flat = flags & (BF_FLAT | BF_MONO);
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
            if (flat)
                Ring(painter, rect, clBtnShadow, clBtnShadow, sides);
            else if (edge & BDR_RAISEDOUTER)
                Ring(painter, rect, cl3DLight, cl3DDkShadow, sides);
            else
                Ring(painter, rect, clBtnShadow, clBtnHighlight, sides);
        }
        const TRect inner = Shrunk(rect, 1);
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            if (flat)
                Ring(painter, inner, clBtnFace, clBtnFace, sides);
            else if (edge & BDR_RAISEDINNER)
                Ring(painter, inner, clBtnHighlight, clBtnShadow, sides);
            else
                Ring(painter, inner, cl3DDkShadow, cl3DLight, sides);
        }
        painter->restore();
    }
    rings = ((edge & 3) ? 1 : 0) + ((edge & 12) ? 1 : 0);
    if (flags & BF_MIDDLE && painter)
        painter->fillRect(Shrunk(rect, rings).ToQRect(), ToQColor(clBtnFace));
    if (flags & BF_ADJUST) {
        rect.Left += (sides & BF_LEFT) ? rings : 0;
        rect.Top += (sides & BF_TOP) ? rings : 0;
        rect.Right -= (sides & BF_RIGHT) ? rings : 0;
        rect.Bottom -= (sides & BF_BOTTOM) ? rings : 0;
    }
}

void DrawFrameControl(TCanvas& canvas, const TRect& rect, unsigned type, unsigned state)
{
    QPainter* painter = canvas.Painter();
    if (!painter)
        return;
    painter->save();
    const bool flat = state & (DFCS_FLAT | DFCS_MONO);
    const bool inactive = state & DFCS_INACTIVE;
    const TColor mark = inactive ? clBtnShadow : clWindowText;
    TRect r = rect;
    if (type == DFC_BUTTON && (state & 0xF) == DFCS_BUTTONRADIO) {
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF circle = QRectF(rect.ToQRect()).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->setPen(ToQColor(flat ? clBtnShadow : clBtnShadow));
        painter->setBrush(ToQColor(inactive ? clBtnFace : clWindow));
        painter->drawEllipse(circle);
        if (state & DFCS_CHECKED) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(ToQColor(mark));
            painter->drawEllipse(circle.center(), circle.width() / 5, circle.height() / 5);
        }
    } else if (type == DFC_BUTTON && (state & 0xF) == DFCS_BUTTONCHECK && !(state & DFCS_BUTTONPUSH)) {
        if (flat)
            Ring(painter, r, clBtnShadow, clBtnShadow, BF_RECT);
        else
            DrawEdge(canvas, r, EDGE_SUNKEN, BF_RECT);
        painter->fillRect(Shrunk(rect, flat ? 1 : 2).ToQRect(), ToQColor(inactive ? clBtnFace : clWindow));
        if (state & DFCS_CHECKED)
            DrawCheckMark(painter, rect, mark);
    } else {
        // Push buttons and scroll (arrow) buttons share the face.
        const bool pushed = state & DFCS_PUSHED;
        painter->fillRect(rect.ToQRect(), ToQColor(clBtnFace));
        if (flat)
            Ring(painter, r, clBtnShadow, clBtnShadow, BF_RECT);
        else
            DrawEdge(canvas, r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        if (type == DFC_SCROLL) {
            const unsigned direction = (state & 0xF) == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : state & 0xF;
            TRect inner = Shrunk(rect, 2);
            if (pushed)
                inner = {inner.Left + 1, inner.Top + 1, inner.Right + 1, inner.Bottom + 1};
            DrawArrow(painter, inner, direction, mark);
        }
    }
    painter->restore();
}
