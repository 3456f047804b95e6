#pragma once
// Digital attendant control: factory message, DISA, menu mode and the
// recorded field message, edited on a copy of the two control bytes that is
// written back only on Ok.
#include "modules/modulo.h"
#include "platform/controls.h"

#include <vector>

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

private:
    void CheckBox1Click();
    void CheckBox2Click(TCheckBox* Sender);
    void CheckBox3Click();
    void CheckBox8Click(TCheckBox* Sender);
    void CheckBox5Click();
    void CheckBox6Click();
    void CheckBox4Click(TCheckBox* Sender);
    // The "&Padrão" button, named CancButton in this window.
    void PadButtonClick() override;

    // Stores one box's bits, from its Tag, into the work copy.
    void GravaCaixa(TCheckBox* caixa);

    bool carregando_ = false;
    std::vector<TCheckBox*> caixas_; // in loading order
};

extern TFormCancProg* FormCancProg;
