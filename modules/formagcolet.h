#pragma once
// General speed-dial list: the 80 entries dialled as 720..799, each with its
// category, route, number and name.
#include "image/registro.h"
#include "modules/modulo.h"
#include "platform/grids.h"

#include <array>

class TFormAgColet : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormAgColet(QWidget* owner);

    TStringGrid* StringGrid1;
    TButton* OkButton;
    TButton* CancButton;
    TButton* HelpBitBtn;

protected:
    void FormShow() override;

private:
    void MostraEntradas();
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    void StringGrid1KeyPress(char& Key);
    void StringGrid1KeyUp(int& Key, TShiftState Shift);
    void OkButtonClick() override;
    // Reads row `linha` into the work entry and name; false after telling
    // the user what is wrong.
    bool LeLinha(int linha);

    // The last character typed in the grid.
    char TeclaAgendaGeral = 0;
    std::array<NumeroDiscagem, 80> entradas_{};
    std::array<QString, 80> nomes_;
};

extern TFormAgColet* FormAgColet;
