#pragma once
// Private codes: the owning extension and the name of each of the 40 codes.
#include "modules/modulo.h"
#include "platform/grids.h"

#include <array>

class TFormCodPart : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormCodPart(QWidget* owner);

    TStringGrid* StringGrid1;
    TButton* CancButton;
    TButton* OkButton;
    TButton* HelpBitBtn;

protected:
    void FormShow() override;

private:
    void MostraCodigos();
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    void OkButtonClick() override;
    // Reads row `linha` into the work owner and name; false after telling
    // the user what is wrong.
    bool LeLinha(int linha);

    std::array<std::uint8_t, 40> donos_{};
    std::array<QString, 40> nomes_;
    // Each code's owner as shown, so that an owner left untouched goes back
    // as stored.
    std::array<QString, 40> donosMostrados_;
};

extern TFormCodPart* FormCodPart;
