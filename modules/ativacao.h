#pragma once
// The "ATIVAÇÃO" group of the night-service and external-actuation windows:
// three radio buttons ("Não ativa", "Ativa nos dias úteis", "Ativa todos os
// dias") over the bits of the service's activation byte.
//
//   const BotoesAtivacao botoes = CriaAtivacao(this, kLugarAtivacao, kContextoAjuda);
//   MostraAtivacao(botoes, ImagemAtual[ofsAtivacaoNoturno], kAtivacaoNoturno);   // on show
//   GravaAtivacao(botoes, ImagemAtual[ofsAtivacaoNoturno], kAtivacaoNoturno);    // on Ok
#include "image/layout.h"
#include "platform/lugar.h"

#include <cstdint>

class TRadioButton;
class QWidget;

struct BotoesAtivacao {
    TRadioButton* naoAtiva;    // RadioButton1
    TRadioButton* diasUteis;   // RadioButton2
    TRadioButton* todosOsDias; // RadioButton3
};

// The caption panel "ATIVAÇÃO" (Panel1) at the top of lugar and, under it,
// the group (GroupBox1) with the three buttons.
BotoesAtivacao CriaAtivacao(QWidget* janela, Lugar lugar, int contextoAjuda);

// Checks the buttons from the byte in this order: "Não ativa" when the
// service's bits are all clear, "Ativa todos os dias" when its every-day bit
// is set, "Ativa nos dias úteis" when its working-day bit is set; the last
// one checked stays (both bits set read as working days).
void MostraAtivacao(const BotoesAtivacao& botoes, std::uint8_t byte, const AtivacaoServico& servico);

// Stores the checked button in the service's bits; the byte's other bits stay.
void GravaAtivacao(const BotoesAtivacao& botoes, std::uint8_t& byte, const AtivacaoServico& servico);

// Clears the service's bits (not active).
void DesativaServico(std::uint8_t& byte, const AtivacaoServico& servico);
