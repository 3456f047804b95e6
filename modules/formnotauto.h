#pragma once
// Night service: the times at which the exchange goes into and out of night
// service by itself, and on which days it does so.
#include "modules/ativacao.h"
#include "modules/modulo.h"
#include "platform/grids.h"

#include <array>
#include <cstdint>

class TFormNotAuto : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormNotAuto(QWidget* owner);

    TStringGrid* StringGrid1;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TRadioButton* RadioButton3;
    TButton* HelpBitBtn;
    TButton* OkButton;
    TButton* CancButton;

protected:
    void FormActivate() override;

private:
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    void StringGrid1DrawCell(int ACol, int ARow);
    void OkButtonClick() override;

    // Fills the grid from the schedule; with carregando, takes the schedule
    // from the image first.
    void MontaNoturnoAutomatico(bool carregando);
    BotoesAtivacao Ativacao() const { return {RadioButton1, RadioButton2, RadioButton3}; }

    // The 12 records of the schedule while the window is open.
    std::array<std::uint8_t, Area("HorariosNoturno").tamanho> copia_{};
};

extern TFormNotAuto* FormNotAuto;
