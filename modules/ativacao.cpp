#include "modules/ativacao.h"

#include "platform/controls.h"

namespace {

constexpr int kAlturaTitulo = 22;
constexpr int kAlturaBotao = 24;
constexpr int kMargem = 8;

} // namespace

BotoesAtivacao CriaAtivacao(QWidget* janela, Lugar lugar, int contextoAjuda)
{
    auto* titulo = Posiciona(new TPanel(janela), "Panel1", {lugar.x, lugar.y, lugar.largura, kAlturaTitulo});
    titulo->SetCaption(QStringLiteral("ATIVAÇÃO"));
    titulo->SetBevelOuter(bvRaised);
    auto* grupo = Posiciona(new TGroupBox(QString(), janela), "GroupBox1",
                            {lugar.x, lugar.y + kAlturaTitulo, lugar.largura, lugar.altura - kAlturaTitulo});
    grupo->HelpContext = contextoAjuda;
    const char* const legendas[] = {"Não ativa", "Ativa nos dias úteis", "Ativa todos os dias"};
    TRadioButton* botoes[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QString nome = QStringLiteral("RadioButton%1").arg(i + 1);
        botoes[i] = Posiciona(new TRadioButton(QString::fromUtf8(legendas[i]), grupo), nome.toLatin1().constData(),
                              {kMargem, kMargem + i * (kAlturaBotao + 4), lugar.largura - 2 * kMargem, kAlturaBotao});
        botoes[i]->HelpContext = contextoAjuda;
    }
    return {botoes[0], botoes[1], botoes[2]};
}

void MostraAtivacao(const BotoesAtivacao& botoes, std::uint8_t byte, const AtivacaoServico& servico)
{
    botoes.naoAtiva->SetChecked((byte & servico.bits) == 0);
    // Every day is told by its own bit, working days by the bit that only
    // their value has.
    botoes.todosOsDias->SetChecked((byte & servico.todosOsDias) != 0);
    botoes.diasUteis->SetChecked((byte & servico.diasUteis & ~servico.todosOsDias) != 0);
}

void GravaAtivacao(const BotoesAtivacao& botoes, std::uint8_t& byte, const AtivacaoServico& servico)
{
    DesativaServico(byte, servico);
    if (botoes.diasUteis->Checked())
        byte |= servico.diasUteis;
    if (botoes.todosOsDias->Checked())
        byte |= servico.todosOsDias;
}

void DesativaServico(std::uint8_t& byte, const AtivacaoServico& servico)
{
    byte = static_cast<std::uint8_t>(byte & ~servico.bits);
}
