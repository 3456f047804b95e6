#pragma once
// The shape the two "copy to other extensions" pickers share: a group of 12
// cells, one per numbering-plan position in the order of their numbers, that
// a mouse press toggles, a button that inverts every cell, and Ok, which
// hands the caller the chosen positions.
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/lugar.h"

#include <array>
#include <cstdint>

// How a picker lays out and marks its cells.
struct FormatoCopiaRamais {
    Lugar grupo;        // "Selecione os ramais"
    Lugar primeiraCelula;
    int passoX;         // cells are 3 to a row, 4 rows
    int passoY;
    // Extension words whose cell is "*****", disabled and never chosen: their
    // high byte lies in one of these ranges.
    std::uint8_t especialDe1, especialAte1;
    std::uint8_t especialDe2, especialAte2;
    const char* legendaInverte; // the caption of SelButton
};

class TFormCopiaRamais : public TForm {
    Q_OBJECT
public:
    TFormCopiaRamais(QWidget* owner, const FormatoCopiaRamais& formato);

    TGroupBox* GroupBox1;
    TPanel* Panel1; // the first cell; the other 11 follow its look
    TButton* OkButton;
    TButton* CancButton;
    TButton* SelButton;

    // After Ok: 1 for each numbering-plan position (index 0..11) to copy to.
    std::array<std::uint8_t, 12> Selecao{};

    // The cell that shows position p (1..12) since the last showing.
    TPanel* CelulaDaPosicao(int posicao) const;

protected:
    void FormShow() override;

private:
    void CelulaMouseDown(TPanel* celula);
    void SelButtonClick();
    void OkButtonClick();
    void Marca(TPanel* celula, bool escolhida);

    FormatoCopiaRamais formato_;
    std::array<TPanel*, 12> celulas_{};
    std::array<int, 12> posicoes_{}; // the position each cell shows, 1..12
    std::array<bool, 12> escolhidas_{};
};
