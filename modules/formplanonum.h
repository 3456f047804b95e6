#pragma once
// Numbering plan: the extension number and name of each of the 12 positions,
// with the reserved numbers of the paging and door-phone services.
#include "modules/modulo.h"
#include "platform/grids.h"

#include <array>

class TFormPlanoNum : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormPlanoNum(QWidget* owner);

    TStringGrid* StringGrid1;
    TButton* OkButton;
    TButton* CancButton;
    TButton* PadButton;
    TButton* BitBtn1;

protected:
    void FormShow() override;

private:
    void StringGrid1GetEditMask(int ACol, int ARow, QString& Value);
    void OkButtonClick() override;
    void PadButtonClick() override;

    // Checks row `linha` and fills its work word and name; false after
    // telling the user what is wrong.
    bool ConfereLinha(int linha, bool& porteiroVisto);
    // True when the 12 work words are distinct; else the row of the first
    // repetition and the repeated number.
    bool ProcuraRamalRepetido(int& linha, QString& numero) const;
    void Recusa(const QString& mensagem, int linha, int coluna = 1);
    void PadraoDaLinha(int linha);

    std::array<std::uint16_t, 12> palavras_{};
    std::array<QString, 12> nomes_;
};

extern TFormPlanoNum* FormPlanoNum;
