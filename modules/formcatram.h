#pragma once
// Extension categories: what each of the 12 extensions may dial by day and by
// night, its routes and sub-route, its facilities and general flags. Edited
// on a copy of the nine category arrays that Ok checks and writes back.
#include "modules/caixasbit.h"
#include "modules/modulo.h"
#include "modules/seletores.h"
#include "platform/controls.h"

#include <memory>
#include <vector>

class TFormCatRam : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormCatRam(QWidget* owner);

    // The entry method: opens on the extension named by textoInicial, or on
    // the first position of the numbering plan when it is null.
    void MostraModulo(std::uint8_t* imagem, const char* textoInicial);

    TLabel* Label1;
    TMaskEdit* MaskEdit1;
    TSpeedButton* SpeedButton1; // first
    TSpeedButton* SpeedButton2; // previous
    TSpeedButton* SpeedButton3; // next
    TSpeedButton* SpeedButton4; // last
    TTabbedNotebook* TabbedNotebook1;
    // "Diurno" page
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox4;
    TCheckBox* CheckBox5;
    TCheckBox* CheckBox6;
    TCheckBox* CheckBox13;
    TCheckBox* CheckBox14;
    TCheckBox* CheckBox15;
    TCheckBox* CheckBox16;
    TCheckBox* CheckBox17;
    TCheckBox* CheckBox29;
    TCheckBox* CheckBox30;
    TCheckBox* CheckBox31;
    TCheckBox* CheckBox32;
    TCheckBox* CheckBox34;
    TComboBox* ComboBox1;
    // "Noturno" page
    TCheckBox* CheckBox7;
    TCheckBox* CheckBox8;
    TCheckBox* CheckBox9;
    TCheckBox* CheckBox10;
    TCheckBox* CheckBox11;
    TCheckBox* CheckBox12;
    TCheckBox* CheckBox21;
    TCheckBox* CheckBox22;
    TCheckBox* CheckBox23;
    TCheckBox* CheckBox24;
    TCheckBox* CheckBox25;
    TCheckBox* CheckBox36;
    TCheckBox* CheckBox37;
    TCheckBox* CheckBox38;
    TCheckBox* CheckBox39;
    TCheckBox* CheckBox41;
    TComboBox* ComboBox2;
    // general
    TPanel* Panel1;
    TCheckBox* CheckBox43;
    TCheckBox* CheckBox44;
    TCheckBox* CheckBox45;
    TCheckBox* CheckBox20;
    TButton* BitBtn1;
    TButton* ButtonCat;
    TButton* PadButton;
    TButton* CopButton;
    TButton* ButtonOk;
    TButton* BtnCancela;

protected:
    void PreparaModulo() override;
    void FormShow() override;
    void FormActivate() override;

private:
    void MostraCfgRamal(int posicao);
    void TrocaCfgRamal(int arranjo, int valor, bool marcado, int posicao);
    void CheckBox1Click(TCheckBox* Sender);
    void ComboBox1Change(TComboBox* Sender);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void ButtonCatClick();
    void TabbedNotebook1Change(int NewTab, bool& AllowChange);
    void PadButtonClick() override;
    void CopButtonClick();
    void OkButtonClick() override;

    // The stepping buttons first focus the edit.
    void Navega(int inicio, bool paraCima);
    void MostraPagina(int pagina);
    void PadraoDaPosicao(int posicao);
    // The sub-route combo and "Rota 0" box of a period (0 day, 1 night).
    TComboBox* ComboSubRota(int periodo) const;
    TCheckBox* CaixaRota0(int periodo) const;
    int Posicao() const { return navegacao_->posicao; }

    QString textoInicial_;
    TCaixasBit caixas_;
    std::unique_ptr<TNavegacaoRamal> navegacao_; // the position shown
    bool mostrada_ = false;
};

extern TFormCatRam* FormCatRam;
