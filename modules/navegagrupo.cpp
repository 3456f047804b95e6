#include "modules/navegagrupo.h"

#include "image/grupos.h"
#include "modules/recusa.h"
#include "platform/controls.h"
#include "platform/lugar.h"

namespace {

enum { kPrimeiro, kAnterior, kProximo, kUltimo };

struct BotaoNavegacao {
    const char* nome;
    const char* legenda;
    void (TNavegacaoGrupo::*clique)();
};

const BotaoNavegacao kBotoes[] = {
    {"SpeedButton1", "|<", &TNavegacaoGrupo::Primeiro},
    {"SpeedButton2", "<", &TNavegacaoGrupo::Anterior},
    {"SpeedButton3", ">", &TNavegacaoGrupo::Proximo},
    {"SpeedButton4", ">|", &TNavegacaoGrupo::Ultimo},
};

constexpr int kLarguraBotao = 28;
constexpr int kAlturaBotao = 24;
constexpr int kPasso = 30;

} // namespace

TNavegacaoGrupo::TNavegacaoGrupo(const char* foraDaFaixa, std::function<void(int)> mostra,
                                 std::function<bool()> podeMudar)
    : foraDaFaixa_(QString::fromUtf8(foraDaFaixa)), mostra_(std::move(mostra)), podeMudar_(std::move(podeMudar))
{
}

std::array<TSpeedButton*, 4> TNavegacaoGrupo::CriaBotoes(QWidget* pai, int x, int y)
{
    for (size_t k = 0; k < std::size(kBotoes); ++k) {
        const BotaoNavegacao& dados = kBotoes[k];
        auto* botao = Posiciona(new TSpeedButton(QString::fromLatin1(dados.legenda), pai), dados.nome,
                                {x + kPasso * static_cast<int>(k), y, kLarguraBotao, kAlturaBotao});
        botao->OnClick = [this, clique = dados.clique] {
            if (podeMudar_())
                (this->*clique)();
        };
        botoes_[k] = botao;
    }
    return botoes_;
}

void TNavegacaoGrupo::LigaEdit(TEdit* edit)
{
    edit_ = edit;
    edit_->SetMaxLength(1);
    edit_->OnChange = [this] { EditChange(); };
}

void TNavegacaoGrupo::EditChange()
{
    const QString texto = edit_->Text().trimmed();
    if (texto.isEmpty())
        return;
    bool numero = false;
    const int grupo = texto.toInt(&numero);
    if (!numero || grupo < 1 || grupo > kGrupos) {
        MostraErro(foraDaFaixa_);
        edit_->SetText(QStringLiteral("1"));
        return;
    }
    GrupoAtual = grupo;
    mostra_(grupo);
}

void TNavegacaoGrupo::Primeiro()
{
    botoes_[kAnterior]->SetEnabled(false);
    botoes_[kProximo]->SetEnabled(true);
    PoeGrupo(1);
}

void TNavegacaoGrupo::Ultimo()
{
    botoes_[kProximo]->SetEnabled(false);
    botoes_[kAnterior]->SetEnabled(true);
    PoeGrupo(kGrupos);
}

void TNavegacaoGrupo::Anterior()
{
    int grupo = GrupoAtual - 1;
    if (grupo < 1) {
        grupo = 1;
        botoes_[kAnterior]->SetEnabled(false);
    }
    botoes_[kProximo]->SetEnabled(true);
    PoeGrupo(grupo);
}

void TNavegacaoGrupo::Proximo()
{
    int grupo = GrupoAtual + 1;
    if (grupo > kGrupos) {
        grupo = kGrupos;
        botoes_[kProximo]->SetEnabled(false);
    }
    botoes_[kAnterior]->SetEnabled(true);
    PoeGrupo(grupo);
}

// The edit shows the group through its change; when it already holds that
// number the group is shown again all the same.
void TNavegacaoGrupo::PoeGrupo(int grupo)
{
    const QString texto = QString::number(grupo);
    if (edit_->Text() != texto) {
        edit_->SetText(texto);
        return;
    }
    GrupoAtual = grupo;
    mostra_(grupo);
}
