#pragma once
// Individual speed-dial lists: the ten entries (codes 10..19) of the
// extension chosen in the combo. The grid is written into that extension's
// list whenever it loses the focus; Ok only closes.
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/grids.h"

class TFormAgIndiv : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormAgIndiv(QWidget* owner);

    TLabel* Label1;
    TComboBox* ComboBox1;
    TStringGrid* StringGrid1;
    TButton* Button1;
    TButton* Button2;
    TButton* BitBtn1;

protected:
    void FormShow() override;

private:
    void ComboBox1Change();
    void GravaAgenda();
    void CarregaAgenda();
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    void StringGrid1KeyPress(char& Key);
    void OkButtonClick() override;
    void PadButtonClick() override;

    // The position (1..12) whose list the grid shows; 0 while the combo
    // names no extension.
    int posicao_ = 0;
};

extern TFormAgIndiv* FormAgIndiv;
