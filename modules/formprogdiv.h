#pragma once
// Miscellaneous programmings: billing options, facilities and the number of
// digits of the extension passwords.
#include "modules/modulo.h"
#include "platform/controls.h"

#include <vector>

class TFormProgDiv : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormProgDiv(QWidget* owner);

    TGroupBox* GroupBox1;
    TGroupBox* GroupBox2;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox4;
    TCheckBox* CheckBox5;
    TCheckBox* CheckBox6;
    TCheckBox* CheckBox7;
    TCheckBox* CheckBox8;
    TCheckBox* CheckBox9;
    TCheckBox* CheckBox10;
    TCheckBox* CheckBox11;
    TCheckBox* CheckBox12;
    TCheckBox* CheckBox13;
    TComboBox* ComboBox1;
    TButton* OkButton;
    TButton* CancButton;
    TButton* PadButton;
    TButton* HelpBitBtn;

protected:
    void FormShow() override;

private:
    void PadButtonClick() override;
    void OkButtonClick() override;

    // The check boxes in the order of the table of bits.
    std::vector<TCheckBox*> caixas_;
};

// Sets or clears bit `bit` (0..7) of a byte.
void AjustaBit(std::uint8_t& valor, int bit, bool ligado);

extern TFormProgDiv* FormProgDiv;
