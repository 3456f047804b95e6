#pragma once
// External emergency: where an emergency is sent (an internal destination or
// an external number with its route), and the emergency extension with
// destinations of its own. Ok rewrites the whole area.
#include "modules/modulo.h"
#include "modules/mostrado.h"
#include "platform/controls.h"
#include "platform/maskedit.h"

#include <cstdint>

class TFormEmergenc : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormEmergenc(QWidget* owner);

    TGroupBox* GroupBox1; // "Emergência"
    TComboBox* ComboBox1; // first internal destination
    TMaskEdit* MaskEdit1; // first external destination
    TComboBox* ComboBox6; // its route
    TGroupBox* GroupBox2; // "Ramal Emergência"
    TComboBox* ComboBox3; // the emergency extension
    TComboBox* ComboBox4; // its internal destination
    TMaskEdit* MaskEdit3; // its external destination
    TComboBox* ComboBox7; // its route
    TButton* BitBtn1;     // "&Ajuda"
    TButton* BtnPadrao;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormActivate() override;
    void OkButtonClick() override;

private:
    void CarregaCampos(const std::uint8_t* origem);
    void CarregaCombos();
    bool ConfereDestino(TComboBox* combo);
    bool ConfereNumero(TMaskEdit* numero);

    // The references and numbers as shown, each with its stored byte (the
    // count byte for a number).
    TValoresMostrados mostrados_;
    void MaskEditExit(TMaskEdit* numero, TComboBox* interno);
    void BtnPadraoClick();
};

extern TFormEmergenc* FormEmergenc;
