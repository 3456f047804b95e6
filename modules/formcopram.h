#pragma once
// Picker of the individual extension programming window: the positions to
// copy the current one's settings to.
#include "modules/copiaramais.h"

class TFormCopRam : public TFormCopiaRamais {
    Q_OBJECT
public:
    explicit TFormCopRam(QWidget* owner);
};

extern TFormCopRam* FormCopRam;
