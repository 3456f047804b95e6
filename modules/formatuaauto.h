#pragma once
// External actuation: the times of day at which the exchange operates its
// external output, and on which days it does so.
#include "modules/ativacao.h"
#include "modules/modulo.h"
#include "platform/grids.h"

class TFormAtuaAuto : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormAtuaAuto(QWidget* owner);

    TStringGrid* StringGrid1;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TRadioButton* RadioButton3;
    TButton* HelpBitBtn;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormShow() override;

private:
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    void StringGrid1DrawCell(int ACol, int ARow);
    void OkButtonClick() override;

    BotoesAtivacao Ativacao() const { return {RadioButton1, RadioButton2, RadioButton3}; }
};

extern TFormAtuaAuto* FormAtuaAuto;
