#pragma once
// Whether every text of a window fits its control and no two controls
// overlap, on the window as it is shown: each label, check box, radio button
// and button at least as wide and as high as its caption in the font it is
// drawn with, the text of each fixed cell of a grid within its column, no
// control over a sibling, none over the caption of the frame it stands in.
// Every page of a notebook counts; a control hidden on purpose does not.
#include <QString>
#include <QStringList>

class QWidget;

// The faults found, one line each, beginning with `window`.
QStringList LayoutFaults(const QString& window, QWidget* root);
