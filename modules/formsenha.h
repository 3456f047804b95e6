#pragma once
// The exchange's general password: typed anew (three digits) or left empty
// to keep the stored one; the stored password is never shown.
#include "modules/modulo.h"
#include "platform/controls.h"

class TFormSenha : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormSenha(QWidget* owner);

    TGroupBox* GroupBox1;
    TLabel* Label1;
    TEdit* Senha;
    TButton* HelpBitBtn;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormShow() override;
    void OkButtonClick() override;

private:
    void SenhaKeyPress(char& Key);
    void SenhaChange();
};

extern TFormSenha* FormSenha;
