#pragma once
// The trunk picker of the trunk window: four cells "01".."04" that a mouse
// press selects or unselects; Ok leaves the chosen trunks in Selecao.
#include "platform/controls.h"
#include "platform/forms.h"

#include <array>
#include <cstdint>

class TFormCopiaVia : public TForm {
    Q_OBJECT
public:
    explicit TFormCopiaVia(QWidget* owner);

    TGroupBox* GroupBox1;
    TPanel* Panel1; // the cell of trunk 1; the other cells copy it
    TButton* OkButton;
    TButton* CancelButton;

    // The cells of trunks 1..4, in order.
    std::array<TPanel*, 4> Celulas{};
    // 1 for each trunk chosen, by trunk (index 0: trunk 1).
    std::array<std::uint8_t, 4> Selecao{};

protected:
    void FormShow() override;

private:
    TPanel* CriaCelula(int via);
    void Panel1MouseDown(TPanel* Sender);
    void MostraCelula(int indice);
};

extern TFormCopiaVia* FormCopiaVia;
