#include "platform/flatscrollbar.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QVariant>

#include <algorithm>

namespace {

const char* const kFlat = "flatScrollBars";
const char* const kStyle = "flatScrollStyle";
const char* const kColor = "flatScrollColor";

QScrollBar* BarOf(QAbstractScrollArea* Area, int Bar)
{
    return Bar == SB_VERT ? Area->verticalScrollBar() : Area->horizontalScrollBar();
}

// The style sheet of a bar: flat bars have no bevels, the third mode shows
// a bordered handle; both take the background colour when one is set.
void Restyle(QScrollBar* bar)
{
    const int style = bar->property(kStyle).toInt();
    const QVariant colour = bar->property(kColor);
    QString sheet;
    if (style != FSB_REGULAR_MODE || colour.isValid()) {
        const QString back = colour.isValid() ? ToQColor(colour.toInt()).name() : QStringLiteral("palette(window)");
        const QString handle = style == FSB_ENCARTA_MODE ? QStringLiteral("border: 1px solid palette(dark);")
                                                         : QStringLiteral("border: none;");
        sheet = QStringLiteral("QScrollBar { background: %1; border: none; }"
                               " QScrollBar::handle { background: palette(button); %2 }")
                    .arg(back, handle);
    }
    bar->setStyleSheet(sheet);
}

} // namespace

bool InitializeFlatSB(QAbstractScrollArea* Area)
{
    if (!Area)
        return false;
    Area->setProperty(kFlat, true);
    return true;
}

void UninitializeFlatSB(QAbstractScrollArea* Area)
{
    if (!Area || !FlatSB_IsInitialized(Area))
        return;
    Area->setProperty(kFlat, QVariant());
    for (QScrollBar* bar : {Area->verticalScrollBar(), Area->horizontalScrollBar()}) {
        bar->setProperty(kStyle, QVariant());
        bar->setProperty(kColor, QVariant());
        bar->setStyleSheet(QString());
        bar->setMinimumSize(0, 0);
        bar->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

bool FlatSB_IsInitialized(QAbstractScrollArea* Area)
{
    return Area && Area->property(kFlat).toBool();
}

bool FlatSB_SetScrollProp(QAbstractScrollArea* Area, int Index, int NewValue)
{
    if (!FlatSB_IsInitialized(Area))
        return false;
    QScrollBar* vertical = Area->verticalScrollBar();
    QScrollBar* horizontal = Area->horizontalScrollBar();
    switch (Index) {
    case WSB_PROP_VSTYLE:
    case WSB_PROP_HSTYLE: {
        QScrollBar* bar = Index == WSB_PROP_VSTYLE ? vertical : horizontal;
        bar->setProperty(kStyle, NewValue);
        Restyle(bar);
        return true;
    }
    case WSB_PROP_VBKGCOLOR:
    case WSB_PROP_HBKGCOLOR: {
        QScrollBar* bar = Index == WSB_PROP_VBKGCOLOR ? vertical : horizontal;
        bar->setProperty(kColor, NewValue);
        Restyle(bar);
        return true;
    }
    case WSB_PROP_CXVSCROLL:
        vertical->setFixedWidth(NewValue);
        return true;
    case WSB_PROP_CYHSCROLL:
        horizontal->setFixedHeight(NewValue);
        return true;
    case WSB_PROP_CYVSCROLL:
    case WSB_PROP_CXHSCROLL:
        // The arrow buttons' length: the bars keep their style's.
        return true;
    default:
        return false;
    }
}

int FlatSB_SetScrollInfo(QAbstractScrollArea* Area, int Bar, const TScrollInfo& Info, bool Redraw)
{
    QScrollBar* bar = BarOf(Area, Bar);
    if (Info.fMask & SIF_PAGE)
        bar->setPageStep(static_cast<int>(Info.nPage));
    if (Info.fMask & (SIF_RANGE | SIF_PAGE)) {
        const int minimum = Info.fMask & SIF_RANGE ? Info.nMin : bar->minimum();
        const int last = Info.fMask & SIF_RANGE ? Info.nMax : bar->maximum() + std::max(bar->pageStep() - 1, 0);
        const int page = std::max(bar->pageStep(), 1);
        bar->setRange(minimum, std::max(minimum, last - page + 1));
    }
    if (Info.fMask & SIF_POS)
        bar->setValue(Info.nPos);
    if (Redraw)
        bar->update();
    return bar->value();
}

bool FlatSB_ShowScrollBar(QAbstractScrollArea* Area, int Bar, bool Show)
{
    if (!Area)
        return false;
    const Qt::ScrollBarPolicy policy = Show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (Bar == SB_VERT || Bar == SB_BOTH)
        Area->setVerticalScrollBarPolicy(policy);
    if (Bar == SB_HORZ || Bar == SB_BOTH)
        Area->setHorizontalScrollBarPolicy(policy);
    return true;
}

int FlatSB_Style(QAbstractScrollArea* Area, int Bar)
{
    return BarOf(Area, Bar)->property(kStyle).toInt();
}
