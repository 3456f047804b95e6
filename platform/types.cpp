#include "platform/types.h"

#include <QApplication>
#include <QPalette>

namespace {

struct SystemColor {
    int index;
    QPalette::ColorRole role;
};

// System colour indexes and the palette roles that stand for them.
const SystemColor kSystemColors[] = {
    {5, QPalette::Base},         {8, QPalette::Text},           {13, QPalette::Highlight},
    {14, QPalette::HighlightedText}, {15, QPalette::Button},    {16, QPalette::Dark},
    {17, QPalette::PlaceholderText}, {18, QPalette::ButtonText}, {20, QPalette::Light},
    {21, QPalette::Shadow},          {22, QPalette::Midlight},  {23, QPalette::ToolTipText},
    {24, QPalette::ToolTipBase},
};

} // namespace

QColor ToQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color & clSystemColor) {
        const int index = color & 0xFF;
        const QPalette palette = QApplication::palette();
        for (const SystemColor& system : kSystemColors)
            if (system.index == index)
                return palette.color(system.role);
        return palette.color(QPalette::Window);
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
