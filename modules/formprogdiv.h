#pragma once
// Miscellaneous programmings: billing options, facilities and the number of
// digits of the extension passwords.
#include "modules/caixasbit.h"
#include "modules/modulo.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

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
    void MostraOpcoes(std::uint8_t (*byteDe)(int ofs));

    // The two option bytes as the boxes show them: billing, facilities.
    std::array<std::uint8_t, 2> bytes_{};
    // The boxes that show a bit the user may change.
    TCaixasBit caixas_;
};

extern TFormProgDiv* FormProgDiv;
