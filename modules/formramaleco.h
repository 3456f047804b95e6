#pragma once
// Economy extensions: per extension, the minutes after which an outgoing and
// an incoming call are cut (0: never).
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/grids.h"

#include <vector>

class TFormRamalEco : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormRamalEco(QWidget* owner);

    TStringGrid* StringGrid1;
    TPanel* Panel1; // the legend of the limits
    TButton* Button1; // "&Padrão"
    TButton* OkButton;
    TButton* CancelButton;
    TButton* BitBtnAjuda;

protected:
    void PreparaModulo() override;

private:
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    // Button1's click.
    void PadButtonClick() override;
    void OkButtonClick() override;

    void PadraoDaLinha(int linha);

    // The numbering-plan position (1..12) of each grid row; row 0 is the
    // header.
    std::vector<int> posicoes_;
};

extern TFormRamalEco* FormRamalEco;
