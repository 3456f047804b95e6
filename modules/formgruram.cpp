#include "modules/formgruram.h"

#include "image/grupos.h"
#include "image/registro.h"
#include "modules/copiatrabalho.h"
#include "modules/seletores.h"

#include <QScopedValueRollback>

#include <vector>

TFormGruRam* FormGruRam = nullptr;

namespace {

constexpr int kContextoAjuda = 800;

// The work copy: the four ring counts and the four group records.
TCopiaTrabalho<ofsFatiaGrupos, kTamanhoFatiaGrupos> CopiaGrupos;

// The items of the type radio group, in order, and the byte each stores.
enum TItemTipo { kHierarquico, kDistribuidor, kMultiplo, kDesativado };
const char* const kTipos[] = {"&Hierárquico", "&Distribuidor", "&Múltiplo", "De&sativado"};

std::uint8_t ByteDoTipo(int item, int grupo)
{
    switch (item) {
    case kDistribuidor: return static_cast<std::uint8_t>(grupo);
    case kMultiplo: return kGrupoMultiplo;
    case kDesativado: return kGrupoDesativado;
    default: return kGrupoHierarquico;
    }
}

// The item a stored type byte shows; a byte of no known type shows as
// hierarchical.
int TipoGrupo(std::uint8_t tipo)
{
    if (tipo >= 1 && tipo <= 15)
        return kDistribuidor;
    if (tipo == kGrupoMultiplo)
        return kMultiplo;
    if (tipo == kGrupoDesativado)
        return kDesativado;
    return kHierarquico;
}

constexpr std::uint8_t kToquesSemEscolha = 3;

const Lugar kLugarRotuloGrupo{8, 12, 48, 20};
const Lugar kLugarEdit1{60, 8, 28, 24};
constexpr int kXBotoesGrupo = 100;
constexpr int kYBotoesGrupo = 8;
const Lugar kLugarGroupBox1{8, 40, 456, 64};
Lugar LugarMembro(int k) { return {8 + 63 * k, 26, 58, 24}; }
const Lugar kLugarGroupBox2{8, 112, 456, 52};
const Lugar kLugarRotuloToques{12, 24, 320, 20};
const Lugar kLugarComboBox1{384, 20, 56, 24};
const Lugar kLugarRadioGroup1{8, 172, 456, 52};

const BotaoModulo<TFormGruRam> kBotoes[] = {
    {&TFormGruRam::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 236}},
    {&TFormGruRam::CancButton, TPapelBotao::Cancela, "CancButton", {296, 236}},
    {&TFormGruRam::OkButton, TPapelBotao::OkModal, "OkButton", {384, 236}},
};

// The combo's text without its blanks.
QString SemBrancos(const QString& texto)
{
    QString saida = texto;
    saida.remove(QLatin1Char(' '));
    return saida;
}

// The position's index (0..11) is a member of some group.
bool MembroDeAlgumGrupo(int indice)
{
    for (int g = 1; g <= kGrupos; ++g)
        for (int k = 1; k <= kMembrosGrupo; ++k)
            if (CopiaGrupos[OffsetMembroGrupo(g, k)] == indice)
                return true;
    return false;
}

// Members moved to the front in their order, the rest empty; a deactivated
// group keeps none.
void CompactaGrupo(int grupo)
{
    std::vector<std::uint8_t> membros;
    if (CopiaGrupos[OffsetTipoGrupo(grupo)] != kGrupoDesativado)
        for (int k = 1; k <= kMembrosGrupo; ++k)
            if (CopiaGrupos[OffsetMembroGrupo(grupo, k)] != kSemReferencia)
                membros.push_back(CopiaGrupos[OffsetMembroGrupo(grupo, k)]);
    for (int k = 1; k <= kMembrosGrupo; ++k)
        CopiaGrupos[OffsetMembroGrupo(grupo, k)] =
            k <= static_cast<int>(membros.size()) ? membros[static_cast<size_t>(k - 1)] : kSemReferencia;
}

} // namespace

TFormGruRam::TFormGruRam(QWidget* owner)
    : TFormModulo(owner),
      conferidos_(false,
                  [this](TComboBox* combo) {
                      return CfgGrupo(navegacao_.GrupoAtual, combo->Tag + 1, SemBrancos(combo->Text()));
                  }),
      navegacao_(
          "São permitidos grupos de 1 a 4",
          [this](int grupo) {
              MostraCfgGRamais(grupo);
              Atualiza();
          },
          [this] { return conferidos_.ConfereAlterados(); })
{
    SetCaption(QStringLiteral("Grupo de ramais"));
    SetClientSize(472, 272);
    HelpContext = kContextoAjuda;

    Edit1 = Posiciona(new TEdit(this), "Edit1", kLugarEdit1);
    Posiciona(new TLabel(QStringLiteral("&Grupo"), this), "Label1", kLugarRotuloGrupo)->SetFocusControl(Edit1);
    navegacao_.LigaEdit(Edit1);
    const auto botoes = navegacao_.CriaBotoes(this, kXBotoesGrupo, kYBotoesGrupo);
    SpeedButton1 = botoes[0];
    SpeedButton2 = botoes[1];
    SpeedButton3 = botoes[2];
    SpeedButton4 = botoes[3];

    GroupBox1 = Posiciona(new TGroupBox(QStringLiteral(" &Ramais do grupo "), this), "GroupBox1", kLugarGroupBox1);
    for (int k = 0; k < kMembrosGrupo; ++k) {
        const QByteArray nome = "ComboBox" + QByteArray::number(k + 2);
        auto* combo = Posiciona(new TComboBox(GroupBox1, csDropDown), nome.constData(), LugarMembro(k));
        combo->SetSorted(true);
        combo->SetMaxLength(5);
        combo->Tag = k;
        combo->OnChange = [this, combo] { ComboBox2Change(combo); };
        combo->OnExit = [this, combo] { ComboBox2Exit(combo); };
        ComboBoxMembro[static_cast<size_t>(k)] = combo;
    }
    conferidos_.Liga({ComboBoxMembro.begin(), ComboBoxMembro.end()});

    GroupBox2 = Posiciona(new TGroupBox(QString(), this), "GroupBox2", kLugarGroupBox2);
    ComboBox1 = Posiciona(new TComboBox(GroupBox2, csDropDownList), "ComboBox1", kLugarComboBox1);
    Posiciona(new TLabel(QString::fromUtf8("&Número de toques de desvio se não atende"), GroupBox2), "Label2",
              kLugarRotuloToques)
        ->SetFocusControl(ComboBox1);
    ComboBox1->OnChange = [this] { ComboBox1Change(); };

    RadioGroup1 = Posiciona(new TRadioGroup(QStringLiteral(" Tipo do grupo "), this), "RadioGroup1", kLugarRadioGroup1);
    RadioGroup1->SetColumns(4);
    for (const char* tipo : kTipos)
        RadioGroup1->Items().Add(QString::fromUtf8(tipo));
    RadioGroup1->OnClick = [this] { RadioGroup1Click(); };

    CriaBotoes(kBotoes);
    for (TControl* controle : std::initializer_list<TControl*>{Edit1, GroupBox1, GroupBox2, ComboBox1, RadioGroup1})
        controle->HelpContext = kContextoAjuda;
    for (TComboBox* combo : ComboBoxMembro)
        combo->HelpContext = kContextoAjuda;
}

void TFormGruRam::PreparaModulo()
{
    CopiaGrupos.Toma(ImagemAtual);
}

void TFormGruRam::ConfirmaModulo()
{
    for (int g = 1; g <= kGrupos; ++g)
        CompactaGrupo(g);
    CopiaGrupos.Devolve(ImagemAtual);
}

void TFormGruRam::FormActivate()
{
    CarregaComboNumeros(false, ComboBox1, 3, QStringLiteral("0"), 7);
    navegacao_.GrupoAtual = 1;
    navegacao_.PoeGrupo(1);
}

void TFormGruRam::MostraCfgGRamais(int grupo)
{
    QScopedValueRollback<bool> atualizando(AtualizandoGrupo, true);
    conferidos_.LimpaAlterados();
    const QString toques = QString::number(CopiaGrupos[OffsetToquesDesvioGrupo(grupo)]);
    ComboBox1->SetItemIndex(ComboBox1->Items().IndexOf(toques));
    for (int k = 1; k <= kMembrosGrupo; ++k)
        ComboBoxMembro[static_cast<size_t>(k - 1)]->SetText(
            QString::fromStdString(ReferenciaParaTexto(ImagemAtual, CopiaGrupos[OffsetMembroGrupo(grupo, k)])));
    RadioGroup1->SetItemIndex(TipoGrupo(CopiaGrupos[OffsetTipoGrupo(grupo)]));
}

// Every member list offers the valid extensions that are in no group yet.
void TFormGruRam::Atualiza()
{
    QStringList itens{kEntradaEmBranco};
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (RamalValido(p) && !MembroDeAlgumGrupo(p - 1))
            itens << QString::fromStdString(PalavraRamalParaTexto(LeU16(ImagemAtual + OffsetPalavraRamal(p))));
    QScopedValueRollback<bool> atualizando(AtualizandoGrupo, true);
    for (TComboBox* combo : ComboBoxMembro)
        TrocaItensCombo(combo, itens);
}

// Stores a checked member text into slot 1..7 of the group; an extension
// the group already holds, in any slot (this one included: typed again), is
// refused.
bool TFormGruRam::CfgGrupo(int grupo, int slot, const QString& texto)
{
    std::uint8_t referencia = kSemReferencia;
    if (!texto.isEmpty()) {
        bool encontrado = false;
        referencia = TextoParaReferencia(ImagemAtual, texto.toStdString(), encontrado);
        for (int k = 1; k <= kMembrosGrupo; ++k)
            if (CopiaGrupos[OffsetMembroGrupo(grupo, k)] == referencia) {
                MostraErro(QStringLiteral("Um grupo não pode conter ramais iguais"));
                return false;
            }
    }
    CopiaGrupos[OffsetMembroGrupo(grupo, slot)] = referencia;
    // A member given to a deactivated group turns it on again.
    if (referencia != kSemReferencia && CopiaGrupos[OffsetTipoGrupo(grupo)] == kGrupoDesativado)
        RadioGroup1->SetItemIndex(kHierarquico);
    return true;
}

// Typing marks the member changed; it is stored when it passes the check of
// leaving the combo, so that a text on its way to a number ("2", "6") or one
// that names no extension never reaches the work copy.
void TFormGruRam::ComboBox2Change(TComboBox* Sender)
{
    if (AtualizandoGrupo)
        return;
    conferidos_.MarcaAlterado(Sender);
    const QString texto = SemBrancos(Sender->Text());
    if (texto.size() >= 5) {
        MostraErro(QString::fromUtf8("O ramal deve possuir no máximo 4 dígitos"));
        return;
    }
    // A deactivated group shows the type it takes with its first member as
    // soon as the text names an extension.
    const bool nomeiaRamal = !texto.isEmpty() && (texto.front() == QLatin1Char('2') || texto.front() == QLatin1Char('3'))
                             && RegraRamalDigitado(false, texto, Sender->Items().ToStringList()) == 0;
    if (nomeiaRamal && RadioGroup1->ItemIndex() == kDesativado)
        RadioGroup1->SetItemIndex(kHierarquico);
}

// The check of leaving a member; a changed member that passes is stored (or
// refused as repeated). A refused member leaves its slot as it was.
void TFormGruRam::ComboBox2Exit(TComboBox* Sender)
{
    if (!conferidos_.Confere(Sender))
        Sender->SetFocus();
    Atualiza();
    MostraCfgGRamais(navegacao_.GrupoAtual);
}

// Ok, by mouse or by its key, checks the members typed or chosen in order,
// as leaving each would; the first refused keeps the window open and commits
// nothing. What the user left untouched is committed as stored.
void TFormGruRam::OkButtonClick()
{
    if (!conferidos_.ConfereAlterados())
        SetModalResult(mrNone);
}

void TFormGruRam::ComboBox1Change()
{
    if (AtualizandoGrupo)
        return;
    const QString toques = ComboBox1->Text();
    CopiaGrupos[OffsetToquesDesvioGrupo(navegacao_.GrupoAtual)] =
        toques.isEmpty() ? kToquesSemEscolha : static_cast<std::uint8_t>(toques.toInt());
}

void TFormGruRam::RadioGroup1Click()
{
    if (AtualizandoGrupo)
        return;
    const int grupo = navegacao_.GrupoAtual;
    CopiaGrupos[OffsetTipoGrupo(grupo)] = ByteDoTipo(RadioGroup1->ItemIndex(), grupo);
}
