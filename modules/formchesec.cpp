#include "modules/formchesec.h"

#include "image/grupos.h"
#include "image/registro.h"
#include "modules/copiatrabalho.h"
#include "modules/seletores.h"

#include <QScopedValueRollback>

TFormCheSec* FormCheSec = nullptr;

namespace {

constexpr int kContextoAjuda = 900;

// The work copy: the bosses of the four groups, then their secretaries.
TCopiaTrabalho<ofsFatiaChefeSecretaria, kTamanhoFatiaChefeSecretaria> CopiaChefeSecretaria;

// A combo's place: its Tag (1..4), its caption, the box it stands in (0
// bosses, 1 secretaries) and its row there.
struct LugarChefeSecretaria {
    TComboBox* TFormCheSec::*membro;
    const char* nome;
    int tag;
    const char* rotulo;
    int caixa;
    int linha;
};

const LugarChefeSecretaria kLugares[] = {
    {&TFormCheSec::ComboBox1, "ComboBox1", 1, "Chefe 1", 0, 0},
    {&TFormCheSec::ComboBox2, "ComboBox2", 2, "Chefe 2", 0, 1},
    {&TFormCheSec::ComboBox3, "ComboBox3", 3, "Secretária 1", 1, 0},
    {&TFormCheSec::ComboBox4, "ComboBox4", 4, "Secretária 2", 1, 1},
};

// The image offset of place 1..4 of group g.
int OffsetLugar(int grupo, int lugar)
{
    return lugar <= kChefesPorGrupo ? OffsetChefe(grupo, lugar) : OffsetSecretaria(grupo, lugar - kChefesPorGrupo);
}

constexpr int kLugaresPorGrupo = 2 * kChefesPorGrupo;

// The reference is a boss or a secretary of some group.
bool ReferenciaEmUso(std::uint8_t referencia)
{
    for (int g = 1; g <= kGrupos; ++g)
        for (int lugar = 1; lugar <= kLugaresPorGrupo; ++lugar)
            if (CopiaChefeSecretaria[OffsetLugar(g, lugar)] == referencia)
                return true;
    return false;
}

// The reference a checked text names; blanks alone name none.
std::uint8_t ReferenciaDoTexto(const QString& texto)
{
    const QString limpo = texto.trimmed();
    if (limpo.isEmpty())
        return kSemReferencia;
    bool encontrado = false;
    return TextoParaReferencia(ImagemAtual, limpo.toStdString(), encontrado);
}

const Lugar kLugarRotuloGrupo{8, 12, 100, 20};
const Lugar kLugarEdit1{112, 8, 28, 24};
constexpr int kXBotoesGrupo = 152;
constexpr int kYBotoesGrupo = 8;
const Lugar kLugarCaixas[] = {{8, 40, 156, 96}, {172, 40, 156, 96}};
const char* const kLegendasCaixas[] = {" C&hefes ", " S&ecretárias "};
const char* const kNomesCaixas[] = {"GroupBox1", "GroupBox2"};
Lugar LugarRotulo(int linha) { return {8, 26 + 36 * linha, 80, 20}; }
Lugar LugarCombo(int linha) { return {88, 22 + 36 * linha, 60, 24}; }

const BotaoModulo<TFormCheSec> kBotoes[] = {
    {&TFormCheSec::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 148}},
    {&TFormCheSec::CancButton, TPapelBotao::Cancela, "CancButton", {160, 148}},
    {&TFormCheSec::OkButton, TPapelBotao::OkModal, "OkButton", {248, 148}},
};

} // namespace

TFormCheSec::TFormCheSec(QWidget* owner)
    : TFormModulo(owner),
      conferidos_(true,
                  [this](TComboBox* combo) { return CfgChefeSecr(combo->Tag, navegacao_.GrupoAtual, combo->Text()); }),
      navegacao_(
          "Os grupos vão de 1 a 4",
          [this](int grupo) {
              MostraCfgCSecr(grupo);
              Atualiza();
          },
          [this] { return conferidos_.ConfereAlterados(); })
{
    SetCaption(QString::fromUtf8("Grupos chefe-secretária"));
    SetClientSize(336, 184);
    HelpContext = kContextoAjuda;

    Edit1 = Posiciona(new TEdit(this), "Edit1", kLugarEdit1);
    Edit1->SetText(QStringLiteral("1"));
    Posiciona(new TLabel(QString::fromUtf8("Chefe-&secretária"), this), "Label1", kLugarRotuloGrupo)
        ->SetFocusControl(Edit1);
    navegacao_.LigaEdit(Edit1);
    const auto botoes = navegacao_.CriaBotoes(this, kXBotoesGrupo, kYBotoesGrupo);
    SpeedButton1 = botoes[0];
    SpeedButton2 = botoes[1];
    SpeedButton3 = botoes[2];
    SpeedButton4 = botoes[3];

    TGroupBox* caixas[2] = {};
    for (int c = 0; c < 2; ++c) {
        caixas[c] = Posiciona(new TGroupBox(QString::fromUtf8(kLegendasCaixas[c]), this), kNomesCaixas[c],
                              kLugarCaixas[c]);
        caixas[c]->HelpContext = kContextoAjuda;
    }
    GroupBox1 = caixas[0];
    GroupBox2 = caixas[1];
    for (const LugarChefeSecretaria& dados : kLugares) {
        TGroupBox* caixa = caixas[dados.caixa];
        auto* combo = Posiciona(new TComboBox(caixa, csDropDown), dados.nome, LugarCombo(dados.linha));
        Posiciona(new TLabel(QString::fromUtf8(dados.rotulo), caixa), "", LugarRotulo(dados.linha))
            ->SetFocusControl(combo);
        combo->SetSorted(true);
        combo->SetMaxLength(5);
        combo->Tag = dados.tag;
        combo->HelpContext = kContextoAjuda;
        combo->OnChange = [this, combo] { ComboBox1Change(combo); };
        combo->OnExit = [this, combo] { ComboBox1Exit(combo); };
        this->*dados.membro = combo;
        lugares_[static_cast<size_t>(dados.tag - 1)] = combo;
    }
    conferidos_.Liga({lugares_.begin(), lugares_.end()});

    CriaBotoes(kBotoes);
    Edit1->HelpContext = kContextoAjuda;
}

void TFormCheSec::PreparaModulo()
{
    CopiaChefeSecretaria.Toma(ImagemAtual);
}

void TFormCheSec::ConfirmaModulo()
{
    CopiaChefeSecretaria.Devolve(ImagemAtual);
}

void TFormCheSec::FormActivate()
{
    navegacao_.PoeGrupo(1);
}

void TFormCheSec::MostraCfgCSecr(int grupo)
{
    QScopedValueRollback<bool> atualizando(atualizando_, true);
    conferidos_.LimpaAlterados();
    for (TComboBox* combo : lugares_)
        combo->SetText(
            QString::fromStdString(ReferenciaParaTexto(ImagemAtual, CopiaChefeSecretaria[OffsetLugar(grupo, combo->Tag)])));
}

// Every list offers the valid extensions that hold no place yet.
void TFormCheSec::Atualiza()
{
    QStringList itens{kEntradaEmBranco};
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (RamalValido(p) && !ReferenciaEmUso(static_cast<std::uint8_t>(p - 1)))
            itens << QString::fromStdString(PalavraRamalParaTexto(LeU16(ImagemAtual + OffsetPalavraRamal(p))));
    QScopedValueRollback<bool> atualizando(atualizando_, true);
    for (TComboBox* combo : lugares_)
        TrocaItensCombo(combo, itens);
}

// Stores a checked text into place 1..4 of the group; an extension that
// already holds a place, this one included (typed again), is refused.
bool TFormCheSec::CfgChefeSecr(int lugar, int grupo, const QString& texto)
{
    const std::uint8_t referencia = ReferenciaDoTexto(texto);
    if (referencia != kSemReferencia && ReferenciaEmUso(referencia)) {
        MostraErro(QString::fromUtf8("Ramal já está sendo utilizado em Chefe-Secretária"));
        return false;
    }
    CopiaChefeSecretaria[OffsetLugar(grupo, lugar)] = referencia;
    return true;
}

// Typing marks the place changed; it is stored when it passes the check of
// leaving the combo, so that a text on its way to a number ("2") or one that
// names no extension or names a group never reaches the work copy.
void TFormCheSec::ComboBox1Change(TComboBox* Sender)
{
    if (!atualizando_)
        conferidos_.MarcaAlterado(Sender);
}

// The check of leaving a place; a changed place that passes is stored (or
// refused as taken). A refused place keeps what it held.
void TFormCheSec::ComboBox1Exit(TComboBox* Sender)
{
    if (!conferidos_.Confere(Sender))
        Sender->SetFocus();
    Atualiza();
    MostraCfgCSecr(navegacao_.GrupoAtual);
}

// Ok, by mouse or by its key, checks the places typed or chosen in order, as
// leaving each would; the first refused keeps the window open and commits
// nothing. What the user left untouched is committed as stored.
void TFormCheSec::OkButtonClick()
{
    if (!conferidos_.ConfereAlterados())
        SetModalResult(mrNone);
}
