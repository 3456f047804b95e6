#pragma once
// Carrier time bands: for each hour of the day, the long-distance carrier of
// carrier tables 1 and 2.
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/grids.h"

class TFormHoraOper : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormHoraOper(QWidget* owner);

    TPanel* Panel1; // "HORÁRIOS"
    TPanel* Panel2; // "Operadoras"
    TPanel* Panel3; // "Tabela 1"
    TPanel* Panel4; // "Tabela 2"
    TStringGrid* StringGrid1;
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

    void PadraoDaLinha(int hora);
};

extern TFormHoraOper* FormHoraOper;
