#pragma once
// Timings: flash time, actuation command time, call-back retry time, and the
// ring and retry counts (six of the seven timing bytes).
#include "modules/modulo.h"
#include "platform/controls.h"

#include <array>

class TFormTempor : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormTempor(QWidget* owner);

    TGroupBox* GroupBox1;
    TGroupBox* GroupBox2;
    TComboBox* ComboBox1;
    TComboBox* ComboBox2;
    TComboBox* ComboBox4;
    TComboBox* ComboBox5;
    TComboBox* ComboBox6;
    TComboBox* ComboBox7;
    TButton* HelpBitBtn;
    TButton* PadButton;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormShow() override;

private:
    void PadButtonClick() override;
    void OkButtonClick() override;

    // The six combos in the order of the fields' table.
    std::array<TComboBox*, 6> combos_{};
};

extern TFormTempor* FormTempor;
