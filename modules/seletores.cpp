#include "modules/seletores.h"

#include "image/conversao.h"
#include "image/layout.h"
#include "image/registro.h"
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/lugar.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kGrupos = 4;
constexpr std::uint8_t kGrupoNaoProgramado = 0x40;

struct MensagemRegra {
    int regra;
    const char* texto;
};

const MensagemRegra kMensagensRegras[] = {
    {1, "O ramal não pode ser iniciado por '%1' ."},
    {2, "O ramal deve ter no mínimo 2 dígitos"},
    {3, "Este ramal não é um ramal válido"},
    {4, "Apenas números podem ser digitados para ramais"},
    {5, "O ramal deve ter no máximo 4 dígitos"},
    {6, "O grupo deve ter 2 dígitos"},
    {7, "O grupo deve estar programado"},
};

int RegraRamal(const QString& texto)
{
    if (texto.size() < 2)
        return 2;
    if (texto.size() > 4)
        return 5;
    bool encontrado = false;
    TextoParaReferencia(ImagemAtual, texto.toStdString(), encontrado);
    return encontrado ? 0 : 3;
}

int RegraGrupo(const QString& texto, const QStringList& itens)
{
    if (texto.size() != 2)
        return 6;
    return itens.contains(texto) ? 0 : 7;
}

} // namespace

QString TextoDaPosicao(int posicao)
{
    return QString::fromStdString(PalavraRamalParaTexto(LeU16(ImagemAtual + OffsetPalavraRamal(posicao))));
}

bool RamalValido(int posicao)
{
    const QString texto = TextoDaPosicao(posicao);
    return texto.startsWith(QLatin1Char('2')) || texto.startsWith(QLatin1Char('3'));
}

int PosicaoDoRamal(const QString& texto)
{
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (RamalValido(p) && TextoDaPosicao(p) == texto)
            return p;
    return 0;
}

bool GrupoProgramado(int grupo)
{
    return (ImagemAtual[OffsetGrupo(grupo)] & kGrupoNaoProgramado) == 0;
}

void CarregaListaDestinos(bool com9, bool com60, TStrings& lista)
{
    lista.Add(kEntradaEmBranco);
    if (com9)
        lista.Add(QStringLiteral("9"));
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (RamalValido(p))
            lista.Add(TextoDaPosicao(p).left(5));
    if (com60)
        lista.Add(QStringLiteral("60"));
    for (int g = 1; g <= kGrupos; ++g)
        if (GrupoProgramado(g))
            lista.Add(QStringLiteral("6%1").arg(g));
}

void CarregaComboRamais(TComboBox* combo)
{
    combo->Items().Clear();
    combo->Items().Add(kEntradaEmBranco);
    for (int p = 1; p <= kPosicoesRamal; ++p)
        combo->Items().Add(TextoDaPosicao(p));
}

void CarregaComboNumeros(bool comZero, TComboBox* combo, int menor, const QString& formato, int maior)
{
    // The values are bytes.
    menor = std::clamp(menor, 0, 255);
    maior = std::clamp(maior, 0, 255);
    const std::string mascara = formato.toStdString();
    combo->Items().Clear();
    if (comZero)
        combo->Items().Add(QString::fromStdString(FormatInt(mascara, 0)));
    for (int valor = menor; valor <= maior; ++valor)
        combo->Items().Add(QString::fromStdString(FormatInt(mascara, valor)));
}

// Items deleted and added one by one keep the combo's text, where clearing
// them would empty it.
void TrocaItensCombo(TComboBox* combo, const QStringList& itens)
{
    TStrings& lista = combo->Items();
    for (int i = lista.Count() - 1; i >= 0; --i)
        lista.Delete(i);
    for (const QString& item : itens)
        lista.Add(item);
}

bool ValidaComboRamal(bool recusaGrupos, TComboBox* combo)
{
    const QString texto = combo->Text();
    const int regra = RegraRamalDigitado(recusaGrupos, texto, combo->Items().ToStringList());
    if (regra == 0)
        return true;
    MostraErro(MensagemRegraRamal(regra, texto));
    return false;
}

bool ApenasNumeros(const QString& texto)
{
    for (QChar c : texto)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

int RegraRamalDigitado(bool recusaGrupos, const QString& digitado, const QStringList& itens)
{
    const QString texto = digitado.trimmed();
    if (texto.isEmpty())
        return 0;
    if (!ApenasNumeros(texto))
        return 4;
    const QChar primeiro = texto.front();
    if (primeiro == QLatin1Char('2') || primeiro == QLatin1Char('3'))
        return RegraRamal(texto);
    if (primeiro == QLatin1Char('6') && !recusaGrupos)
        return RegraGrupo(texto, itens);
    return 1;
}

QString MensagemRegraRamal(int regra, const QString& digitado)
{
    for (const MensagemRegra& m : kMensagensRegras)
        if (m.regra == regra) {
            const QString texto = QString::fromUtf8(m.texto);
            return regra == 1 ? texto.arg(digitado.trimmed().left(1)) : texto;
        }
    return QString();
}

void NavegaRamal(int& posicao, bool paraCima)
{
    const int limite = paraCima ? kPosicoesRamal : 1;
    const int passo = paraCima ? 1 : -1;
    posicao = std::clamp(posicao, 1, kPosicoesRamal);
    do {
        const bool antesDoLimite = paraCima ? posicao < limite : posicao > limite;
        posicao = antesDoLimite ? posicao + passo : limite;
    } while (!RamalValido(posicao) && posicao != limite);
    if (posicao == limite && !RamalValido(posicao))
        posicao = limite - passo;
}

int PosicaoDoTexto(const QString& digitado)
{
    const QString texto = digitado.trimmed();
    // A group number names no position (and its reference is no index).
    if (texto.isEmpty() || texto.startsWith(QLatin1Char('6')))
        return 1;
    bool encontrado = false;
    const std::uint8_t referencia = TextoParaReferencia(ImagemAtual, texto.toStdString(), encontrado);
    return encontrado && referencia < kPosicoesRamal ? referencia + 1 : 1;
}

int PulaRamais(int posicao, bool paraCima, const QStringList& pulados)
{
    int atual = std::clamp(posicao, 1, kPosicoesRamal);
    for (int sentido = 0; sentido < 2; ++sentido, paraCima = !paraCima) {
        atual = std::clamp(posicao, 1, kPosicoesRamal);
        for (int passo = 0; passo < kPosicoesRamal; ++passo) {
            const int anterior = atual;
            NavegaRamal(atual, paraCima);
            if (!pulados.contains(TextoDaPosicao(atual)))
                return atual;
            if (atual == anterior) // the end of the plan sends it back: turn
                break;
        }
    }
    return atual;
}

std::array<TSpeedButton*, 4> CriaBotoesNavegacao(QWidget* pai, int x, int y, int largura, int passo)
{
    const char* const legendas[] = {"|<", "<", ">", ">|"};
    std::array<TSpeedButton*, 4> botoes{};
    for (int k = 0; k < 4; ++k) {
        const QByteArray nome = "SpeedButton" + QByteArray::number(k + 1);
        botoes[static_cast<size_t>(k)] = Posiciona(new TSpeedButton(QString::fromLatin1(legendas[k]), pai),
                                                   nome.constData(), {x + passo * k, y, largura, 24});
    }
    return botoes;
}

TNavegacaoRamal::TNavegacaoRamal(TMaskEdit* edit, QStringList pulados, std::function<void(int)> mostra)
    : edit_(edit), pulados_(std::move(pulados)), mostra_(std::move(mostra))
{
    // An extension number has up to 4 digits.
    edit_->SetEditMask(QStringLiteral("9999;0; "));
}

void TNavegacaoRamal::EditChange()
{
    if (silencio_)
        return;
    const QString texto = edit_->Text().trimmed();
    if (texto.isEmpty())
        return;
    if (!pulados_.contains(texto)) {
        mostra_(PosicaoDoTexto(texto));
        return;
    }
    const int destino = PulaRamais(posicao, paraCima, pulados_);
    // Every position reached is one to skip: show it rather than go round.
    if (pulados_.contains(TextoDaPosicao(destino)))
        mostra_(destino);
    else
        edit_->SetText(TextoDaPosicao(destino));
}

void TNavegacaoRamal::Navega(int inicio, bool paraCimaAgora)
{
    int destino = inicio;
    NavegaRamal(destino, paraCimaAgora);
    paraCima = paraCimaAgora;
    posicao = destino;
    edit_->SetText(TextoDaPosicao(destino));
}

void TNavegacaoRamal::PoeNumero(int p)
{
    ++silencio_;
    edit_->SetText(TextoDaPosicao(p));
    --silencio_;
}

TCombosConferidos::TCombosConferidos(bool recusaGrupos, std::function<bool(TComboBox*)> grava)
    : recusaGrupos_(recusaGrupos), grava_(std::move(grava))
{
}

void TCombosConferidos::Liga(std::vector<TComboBox*> combos)
{
    combos_ = std::move(combos);
    alterados_.assign(combos_.size(), false);
}

std::size_t TCombosConferidos::Indice(TComboBox* combo) const
{
    return static_cast<std::size_t>(std::find(combos_.begin(), combos_.end(), combo) - combos_.begin());
}

void TCombosConferidos::MarcaAlterado(TComboBox* combo)
{
    if (const std::size_t i = Indice(combo); i < alterados_.size())
        alterados_[i] = true;
}

void TCombosConferidos::LimpaAlterados()
{
    alterados_.assign(combos_.size(), false);
}

// A combo the user did not touch shows what is stored, which goes back as it
// is: only a typed or chosen text is checked.
bool TCombosConferidos::Confere(TComboBox* combo)
{
    const std::size_t i = Indice(combo);
    if (i >= alterados_.size() || !alterados_[i])
        return true;
    if (!ValidaComboRamal(recusaGrupos_, combo))
        return false;
    if (!grava_(combo))
        return false;
    alterados_[i] = false;
    return true;
}

bool TCombosConferidos::ConfereAlterados()
{
    for (std::size_t i = 0; i < combos_.size(); ++i)
        if (alterados_[i] && !Confere(combos_[i])) {
            combos_[i]->SetFocus();
            return false;
        }
    return true;
}
