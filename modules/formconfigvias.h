#pragma once
// Trunk configuration: attendants, timings, signalling, route, direction and
// options of the four trunks, edited on a work copy of the trunk slice
// (reserved bytes included) that is written back only on Ok; the current
// trunk can be copied to others through the trunk picker.
#include "modules/caixasbit.h"
#include "modules/modulo.h"
#include "platform/controls.h"

#include <QString>

#include <cstdint>

struct CaixaVia;

class TFormConfigVias : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormConfigVias(QWidget* owner);

    // The entry method: the trunk named by the start text ("01".."04"), or
    // trunk 1 without one or for any other text.
    void MostraModulo(std::uint8_t* imagem, const char* textoInicial);

    // The trunk shown and edited, 1..4.
    int ViaAtual() const { return viaAtual_; }

    TLabel* Label1;
    TMaskEdit* Edit1;
    TSpeedButton* SpeedButton1; // first
    TSpeedButton* SpeedButton2; // previous
    TSpeedButton* SpeedButton3; // next
    TSpeedButton* SpeedButton4; // last
    TComboBox* ComboBox1;       // main attendant
    TComboBox* ComboBox2;       // overflow extension
    TComboBox* ComboBox3;       // night attendant
    TComboBox* ComboBox4;       // overflow time
    TComboBox* ComboBox5;       // dial-tone time
    TComboBox* ComboBox6;       // billing start time
    TComboBox* ComboBox7;       // rings to answer
    TCheckBox* CheckBox1;       // answer by polarity reversal
    TLabel* Label3;             // "de polaridade"
    TCheckBox* CheckBox8;       // caller identification
    TPanel* Panel1;             // holds the two caller-ID buttons
    TRadioButton* RadioButton1; // DTMF/MFP
    TRadioButton* RadioButton2; // FSK
    TRadioGroup* RadioGroup2;   // local digits
    TRadioGroup* RadioGroup1;   // signalling
    TRadioGroup* RadioGroup3;   // route
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox4;
    TCheckBox* CheckBox5;
    TCheckBox* CheckBox6;
    TCheckBox* CheckBox7;
    TCheckBox* CheckBox11;      // drops after automatic answer without dialling
    TLabel* Label4;             // "automático sem discagem"
    TCheckBox* CheckBox10;
    TCheckBox* CheckBox12;      // outgoing
    TCheckBox* CheckBox13;      // incoming
    TCheckBox* CheckBox14;      // blocked
    TCheckBox* CheckBox15;      // link (shown only)
    TButton* HelpBitBtn;
    TButton* CopiaButton;
    TButton* DefButton;
    TButton* OkButton;
    TButton* BtnCancela;

protected:
    void FormActivate() override;
    void PreparaModulo() override;
    void ConfirmaModulo() override;
    void OkButtonClick() override;
    void PadButtonClick() override;

private:
    void CriaControles();
    void CriaCaixa(const CaixaVia& dados);
    void LigaEventos();

    void Edit1Change();
    void Edit1Exit();
    void MostraCfgVias(int via);
    void TrocaCfgVia(int campo, std::uint8_t mantem, int via, std::uint8_t liga);

    void CheckBox3Click(TCheckBox* Sender);
    void CheckBox1Click();
    void Label3Click();
    void Label4Click();
    void ComboBox6Change(TComboBox* Sender);
    void ComboBox7Change();
    void ComboBox4Change(TComboBox* Sender);
    void RadioGroup3Click();
    void RadioGroup2Click();
    void RadioGroup1Click();
    void RadioButton1Click();
    bool ComboBox1Exit();
    bool ComboBox2Exit(TComboBox* Sender);
    bool ComboBox4Exit(TComboBox* Sender);
    bool SaidaCombo(TComboBox* Sender);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void CopiaButtonClick();

    bool PoeViaNoEdit(int via);
    bool ConfereCombos();
    bool AtendenteAceito(TComboBox* combo);
    bool ValorNaLista(TComboBox* combo, int valor);
    bool Alterado(TComboBox* combo);
    void ContinuaCaixa(TCheckBox* caixa);
    std::uint8_t& ByteDoCampo(int campo, int via);
    bool EhAtendente(const TComboBox* combo) const;

    QString textoInicial_;
    int viaAtual_ = 1;
    // The user is in the signalling group.
    bool naSinalizacao_ = false;
    // The bit boxes, and the editing flag that the other handlers share.
    TCaixasBit caixas_;
};

extern TFormConfigVias* FormConfigVias;
