#pragma once
// Wake-up calls: a time and a repeat mode for each listed extension.
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/grids.h"

#include <cstdint>
#include <vector>

class TFormDesperta : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormDesperta(QWidget* owner);

    TStringGrid* StringGrid1;
    TRadioGroup* RadioGroup1;
    TButton* OkButton;
    TButton* CancelButton;
    TButton* BitBtnAjuda;

protected:
    void FormShow() override;

private:
    // A listed extension: its numbering-plan position and the mode chosen
    // for its row (kSemModo: none).
    struct LinhaDespertador {
        int numero;
        int posicao;
        int modo;
    };

    void CarregaDespertadores();
    void StringGrid1SelectCell(int ARow);
    void RadioGroup1Exit();
    void StringGrid1DrawCell(int ACol, int ARow);
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    void OkButtonClick() override;

    std::vector<LinhaDespertador> linhas_; // row k is linhas_[k - 1]
};

extern TFormDesperta* FormDesperta;
