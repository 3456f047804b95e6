#pragma once
// Door-phone answering: the extension or group that answers the door phone,
// the external number it may call (with its route), the command time and the
// wait for an answer.
#include "modules/modulo.h"
#include "modules/mostrado.h"
#include "platform/controls.h"
#include "platform/maskedit.h"

#include <cstdint>

class TFormAtdPort : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormAtdPort(QWidget* owner);

    TGroupBox* GroupBox1;
    TComboBox* ComboBox1; // answering extension or group
    TComboBox* ComboBox2; // command time
    TComboBox* ComboBox3; // wait for an answer
    TMaskEdit* MaskEdit1; // external number
    TComboBox* ComboBox4; // route of the external number
    TButton* HelpBitBtn;
    TButton* PadButton;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormActivate() override;

private:
    void ComboBox1Exit();
    void PadButtonClick() override;
    void OkButtonClick() override;

    // Shows the fields of the door-phone area of `imagem`.
    void MostraCampos(const std::uint8_t* imagem);
    // The reference the answering combo names; false after refusing it.
    bool LeAtendedor(std::uint8_t& referencia);
    // Whether the combo still shows the stored value it was given.
    bool Intocado(const TComboBox* combo) const;

    // The answering reference, the two times and the route as shown, each
    // with the byte it came from (the count byte for the route).
    TValoresMostrados mostrados_;
};

extern TFormAtdPort* FormAtdPort;
