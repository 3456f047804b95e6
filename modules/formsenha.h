#pragma once
// The exchange's general password: typed anew (three digits) or left empty
// to keep the stored one; the stored password is never shown.
#include "modules/modulo.h"
#include "platform/controls.h"

class TFormSenha : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormSenha(QWidget* owner);

    void MostraModulo(std::uint8_t* imagem);

    TGroupBox* GroupBox1;
    TLabel* Label1;
    TEdit* Senha;
    TButton* HelpBitBtn;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormShow() override;

private:
    void SenhaKeyPress(char& Key);
    void SenhaChange();
    void OkButtonClick();
    void CancButtonClick();
    void HelpBitBtnClick();
};

extern TFormSenha* FormSenha;
