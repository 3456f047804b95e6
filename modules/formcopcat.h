#pragma once
// Picker of the extension categories window: the positions to copy the
// current one's categories to, and which parts of them.
#include "modules/copiaramais.h"

class TFormCopCat : public TFormCopiaRamais {
    Q_OBJECT
public:
    explicit TFormCopCat(QWidget* owner);

    TGroupBox* GroupBox2;
    TLabel* Label1; // "&Diurno"
    TLabel* Label2; // "&Noturno"
    TCheckBox* CheckBox1; // day: "Acesso 1", "Acesso 2", "Facilidades", "Sub-Rota"
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox4;
    TCheckBox* CheckBox5; // night: the same four
    TCheckBox* CheckBox6;
    TCheckBox* CheckBox7;
    TCheckBox* CheckBox8;
    TCheckBox* CheckBox9; // "Características gerais"
};

extern TFormCopCat* FormCopCat;
