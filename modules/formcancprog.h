#pragma once
// Digital attendant control: factory message, DISA, menu mode and the
// recorded field message, edited on a copy of the two control bytes that is
// written back only on Ok.
#include "modules/caixasbit.h"
#include "modules/modulo.h"
#include "platform/controls.h"


class TFormCancProg : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormCancProg(QWidget* owner);

    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox10;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox8;
    TCheckBox* CheckBox11;
    TCheckBox* CheckBox5;
    TCheckBox* CheckBox6;
    TCheckBox* CheckBox4;
    TCheckBox* CheckBox7;
    TButton* HelpBitBtn;
    TButton* CancButton; // "&Padrão"
    TButton* OKButton;
    TButton* BtnCancela;

protected:
    void FormActivate() override;
    void PreparaModulo() override;
    void ConfirmaModulo() override;

public:
    // The click rules of the boxes; each ends by storing its box.
    void CheckBox1Click(TCheckBox* Sender);
    void CheckBox2Click(TCheckBox* Sender);
    void CheckBox3Click(TCheckBox* Sender);
    void CheckBox8Click(TCheckBox* Sender);
    void CheckBox5Click(TCheckBox* Sender);
    void CheckBox6Click(TCheckBox* Sender);
    void CheckBox4Click(TCheckBox* Sender);

private:
    void TodoDiaClicado(TCheckBox* todoDia, TCheckBox* dia, TCheckBox* noite);
    void DiaOuNoiteClicado(TCheckBox* todoDia, TCheckBox* dia, TCheckBox* noite);
    // The "&Padrão" button, named CancButton in this window.
    void PadButtonClick() override;

    // The boxes in loading order; each stores its bits into the work copy.
    TCaixasBit caixas_;
};

extern TFormCancProg* FormCancProg;
