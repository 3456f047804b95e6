#include "modules/navegagrupo.h"

#include "image/grupos.h"
#include "modules/recusa.h"
#include "modules/seletores.h"
#include "platform/controls.h"
#include "platform/lugar.h"

namespace {

enum { kPrimeiro, kAnterior, kProximo, kUltimo };

// The click of each stepping button, in the buttons' order.
void (TNavegacaoGrupo::*const kCliques[])() = {
    &TNavegacaoGrupo::Primeiro,
    &TNavegacaoGrupo::Anterior,
    &TNavegacaoGrupo::Proximo,
    &TNavegacaoGrupo::Ultimo,
};

} // namespace

TNavegacaoGrupo::TNavegacaoGrupo(const char* foraDaFaixa, std::function<void(int)> mostra,
                                 std::function<bool()> podeMudar)
    : foraDaFaixa_(QString::fromUtf8(foraDaFaixa)), mostra_(std::move(mostra)), podeMudar_(std::move(podeMudar))
{
}

std::array<TSpeedButton*, 4> TNavegacaoGrupo::CriaBotoes(QWidget* pai, int x, int y)
{
    botoes_ = CriaBotoesNavegacao(pai, x, y);
    for (size_t k = 0; k < botoes_.size(); ++k)
        botoes_[k]->OnClick = [this, clique = kCliques[k]] {
            if (podeMudar_())
                (this->*clique)();
        };
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
