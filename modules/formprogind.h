#pragma once
// Individual extension programming: hot line, diversions, follow-me, rings
// and timings, call lock, facilities and passwords of each of the 12
// extensions, edited on a copy of their areas that Ok writes back.
#include "modules/caixasbit.h"
#include "modules/modulo.h"
#include "modules/seletores.h"
#include "platform/controls.h"

#include <cstdint>
#include <memory>
#include <vector>

class TFormProgInd : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormProgInd(QWidget* owner);

    TLabel* Label1;
    TMaskEdit* Edit1;
    TSpeedButton* SpeedButton1; // first
    TSpeedButton* SpeedButton2; // previous
    TSpeedButton* SpeedButton3; // next
    TSpeedButton* SpeedButton4; // last
    // hot line
    TCheckBox* CheckBox11;
    TGroupBox* GroupBox1;
    TRadioButton* RadioButton5; // "Externa"
    TRadioButton* RadioButton6; // "Interna"
    TLabel* Label2;             // "Ramal" or "Rota"
    TComboBox* ComboBox2;
    TCheckBox* CheckBox3; // "Emergência"
    TCheckBox* CheckBox9; // "Imediato"
    // diversions and follow-me
    TGroupBox* GroupBox2;
    TComboBox* ComboBox8;
    TComboBox* ComboBox9;
    TLabel* Label10;
    TEdit* ESiga;
    // passwords
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox8;
    // rings and times
    TComboBox* ComboBox3;
    TComboBox* ComboBox4;
    TComboBox* ComboBox6;
    TComboBox* ComboBox5; // recall, trunk
    TComboBox* ComboBox1; // recall, extension
    // lock
    TCheckBox* CheckBox10;
    TGroupBox* GroupBox3;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TRadioButton* RadioButton3;
    TRadioButton* RadioButton4;
    // facilities
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox7;
    TLabel* Label12; // "direta"
    TCheckBox* CheckBox6;
    TCheckBox* CheckBox5;
    TCheckBox* CheckBox4;
    TButton* HelpBitBtn;
    TButton* Button1; // "&Padrão"
    TButton* Button2; // "C&opia"
    TButton* OKButton;
    TButton* Button3; // "&Cancela"

protected:
    void PreparaModulo() override;
    void ConfirmaModulo() override;
    void FormActivate() override;

private:
    void MostraProgRamal(int posicao);
    void MostraCampos(int posicao);
    void ComboBox2Change();
    void RadioButton5Click(TRadioButton* Sender);
    void CheckBox3Click();
    void CheckBox11Click();
    void ComboBox7Change(TComboBox* Sender);
    void CheckBox6Click(TCheckBox* Sender);
    void Label12Click();
    void CheckBox10Click();
    void RadioButton4Click(TRadioButton* Sender);
    void CheckBox1Click();
    void CheckBox8Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void PadButtonClick() override;
    void Button2Click();

    // The hot-line byte the controls show: 0xFF until a destination is
    // chosen, then the destination with exactly the options ticked.
    std::uint8_t LinhaDiretaMostrada() const;
    // Every change of a hot-line control stores what the controls show.
    void GravaLinhaDireta();
    // Enables or disables the hot-line options as the destination allows.
    void RegraDestino();
    void PadraoDaPosicao(int posicao);
    int Posicao() const { return navegacao_->posicao; }

    // The reference byte behind each item of the diversion combos.
    std::vector<std::uint8_t> referenciasDesvio_;
    // The facility boxes; their flag also keeps every other handler from
    // storing while the window fills its controls.
    TCaixasBit caixas_;
    std::vector<TRadioButton*> cadeados_;
    std::unique_ptr<TNavegacaoRamal> navegacao_; // the position shown
};

extern TFormProgInd* FormProgInd;
