#include "modules/formatdport.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/porteiro.h"
#include "image/registro.h"
#include "modules/seletores.h"

#include <optional>

TFormAtdPort* FormAtdPort = nullptr;

namespace {

constexpr int kContextoAjuda = 1100;

constexpr int kDigitosNumero = 20;
constexpr int kBitsRota = 5; // the route stands in bits 5..7 of the count byte

const QString kMensagemRamalInexistente = QStringLiteral("Ramal não existe.");
// Group 0, which the list does not offer but the area may hold.
const QString kGrupoZero = QStringLiteral("60");

const GrupoModulo<TFormAtdPort> kGrupo[] = {
    {&TFormAtdPort::GroupBox1, "GroupBox1", "Porteiro", {8, 8, 384, 158}},
};

// A combo of the group with its label.
struct ComboPorteiro {
    TComboBox* TFormAtdPort::*membro;
    const char* nome;
    const char* rotulo;
    Lugar lugarRotulo;
    Lugar lugar;
    int caracteres;
};

const ComboPorteiro kCombos[] = {
    {&TFormAtdPort::ComboBox1, "ComboBox1", "Ramal atendedor", {12, 28, 260, 20}, {300, 24, 72, 24}, 5},
    {&TFormAtdPort::ComboBox2, "ComboBox2", "Tempo de comando (segundos)", {12, 58, 260, 20}, {300, 54, 72, 24}, 1},
    {&TFormAtdPort::ComboBox3, "ComboBox3", "Tempo espera atendimento (segundos)", {12, 88, 260, 20},
     {300, 84, 72, 24}, 2},
};
const ComboPorteiro kComboRota{&TFormAtdPort::ComboBox4, "ComboBox4", "Rota", {292, 126, 36, 20},
                               {328, 122, 44, 24}, 1};
const Lugar kLugarRotuloNumero{12, 126, 100, 20};
const Lugar kLugarNumero{112, 122, 172, 24};
const QString kMascaraNumero = QStringLiteral("99999999999999999999;1;_");

// The two times: their combo, the values it lists, the image byte and how
// many units of the byte make a second. Ok takes only a listed value, so a
// stored byte never wraps.
struct TempoPorteiro {
    TComboBox* TFormAtdPort::*membro;
    int menor;
    int maior;
    int ofs;
    int unidade;
    const char* mensagem; // %1 and %2: the lowest and highest value
};

const TempoPorteiro kTempos[] = {
    {&TFormAtdPort::ComboBox2, 1, 5, ofsTempoComandoPorteiro, kTiquesPorSegundo,
     "Tempo de comando deve ser de %1 a %2 segundos."},
    {&TFormAtdPort::ComboBox3, 15, 90, ofsTempoEsperaPorteiro, 1,
     "Tempo de espera deve ser de %1 a %2 segundos."},
};

constexpr int kRotaMaior = 4;
const char* const kMensagemRota = "Rota deve ser de 0 a %1.";

const BotaoModulo<TFormAtdPort> kBotoes[] = {
    {&TFormAtdPort::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 176}},
    {&TFormAtdPort::PadButton, TPapelBotao::Padrao, "PadButton", {112, 176}},
    {&TFormAtdPort::CancButton, TPapelBotao::Cancela, "CancButton", {216, 176}},
    {&TFormAtdPort::OkButton, TPapelBotao::Ok, "OkButton", {312, 176}},
};

// The value of a combo whose text must be one of its items, blanks around
// ignored; the blank item gives -1. Nothing when the text is no item.
std::optional<int> ValorListado(TComboBox* combo)
{
    const QString texto = combo->Text().trimmed();
    for (const QString& item : combo->Items().ToStringList())
        if (item.trimmed() == texto)
            return texto.isEmpty() ? -1 : texto.toInt();
    return std::nullopt;
}

} // namespace

TFormAtdPort::TFormAtdPort(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Atendedores dos Porteiros"));
    SetClientSize(400, 212);
    HelpContext = kContextoAjuda;

    CriaGrupos(kGrupo);

    const auto criaCombo = [this](const ComboPorteiro& dados) {
        auto* combo = Posiciona(new TComboBox(GroupBox1, csDropDown), dados.nome, dados.lugar);
        combo->SetMaxLength(dados.caracteres);
        combo->HelpContext = kContextoAjuda;
        Posiciona(new TLabel(QString::fromUtf8(dados.rotulo), GroupBox1), "", dados.lugarRotulo)
            ->SetFocusControl(combo);
        this->*dados.membro = combo;
    };
    for (const ComboPorteiro& dados : kCombos)
        criaCombo(dados);
    for (const TempoPorteiro& tempo : kTempos)
        CarregaComboNumeros(false, this->*tempo.membro, tempo.menor, QStringLiteral("0"), tempo.maior);
    ComboBox1->OnExit = [this] { ComboBox1Exit(); };

    MaskEdit1 = Posiciona(new TMaskEdit(GroupBox1), "MaskEdit1", kLugarNumero);
    MaskEdit1->SetEditMask(kMascaraNumero);
    MaskEdit1->HelpContext = kContextoAjuda;
    Posiciona(new TLabel(QStringLiteral("Número externo"), GroupBox1), "", kLugarRotuloNumero)
        ->SetFocusControl(MaskEdit1);

    criaCombo(kComboRota);
    ComboBox4->SetSorted(true);
    ComboBox4->Items().Add(QStringLiteral(" "));
    for (int rota = 0; rota <= kRotaMaior; ++rota)
        ComboBox4->Items().Add(QString::number(rota));

    CriaBotoes(kBotoes);
}

void TFormAtdPort::FormActivate()
{
    ComboBox1->Items().Clear();
    CarregaListaDestinos(false, false, ComboBox1->Items());
    MostraCampos(ImagemAtual);
    ComboBox1->SetFocus();
}

void TFormAtdPort::MostraCampos(const std::uint8_t* imagem)
{
    const std::uint8_t atendedor = imagem[ofsAtendentePorteiro];
    mostrados_.Mostra(ComboBox1, QString::fromStdString(ReferenciaAtendedorParaTexto(imagem, atendedor)), atendedor);
    for (const TempoPorteiro& tempo : kTempos) {
        TComboBox* combo = this->*tempo.membro;
        mostrados_.Mostra(combo, QString::number(imagem[tempo.ofs] / tempo.unidade), imagem[tempo.ofs]);
    }
    const std::uint8_t* numero = imagem + ofsNumeroExternoPorteiro;
    MaskEdit1->SetText(QString::fromStdString(DescompactaNumero(numero)));
    // The route shows only with a number to dial.
    const std::uint8_t contagem = numero[1];
    const bool temDigitos = (contagem & 0x1F) != 0;
    mostrados_.Mostra(ComboBox4, temDigitos ? QString::number(contagem >> kBitsRota) : QString(), contagem);
}

// A value shown as blanks stands for none, whatever byte it came from.
bool TFormAtdPort::Intocado(const TComboBox* combo) const
{
    return mostrados_.Intocado(combo) && !combo->Text().trimmed().isEmpty();
}

// Leaving the answering combo: an extension number must be one of the plan;
// a group ("6" first) and nothing typed pass here and are checked by Ok.
void TFormAtdPort::ComboBox1Exit()
{
    const QString texto = ComboBox1->Text().trimmed();
    if (Intocado(ComboBox1) || texto.isEmpty() || texto.startsWith(QLatin1Char('6')))
        return;
    bool encontrado = false;
    TextoParaReferencia(ImagemAtual, texto.toStdString(), encontrado);
    if (!encontrado)
        Recusa(kMensagemRamalInexistente, ComboBox1);
}

// The answering extension or group passes the shared extension check (group
// 0 too, which the area defines though the list leaves it out), so a number
// outside the plan is never stored as the first position.
bool TFormAtdPort::LeAtendedor(std::uint8_t& referencia)
{
    if (Intocado(ComboBox1)) {
        referencia = mostrados_.Guardado(ComboBox1);
        return true;
    }
    const QString texto = ComboBox1->Text().trimmed();
    if (texto != kGrupoZero && !ValidaComboRamal(false, ComboBox1)) {
        ComboBox1->SetFocus();
        return false;
    }
    bool encontrado = false;
    referencia = TextoParaReferencia(ImagemAtual, texto.toStdString(), encontrado);
    return true;
}

void TFormAtdPort::PadButtonClick()
{
    if (ConfirmaPadrao(TPadrao::AtdPort) == IDYES)
        MostraCampos(ImagemPadrao());
}

// Every field the user typed or chose is read and checked before any byte
// is written; the ones left untouched keep their stored bytes.
void TFormAtdPort::OkButtonClick()
{
    std::uint8_t referencia = kSemReferencia;
    if (!LeAtendedor(referencia))
        return;
    std::uint8_t tempos[std::size(kTempos)] = {};
    for (size_t i = 0; i < std::size(kTempos); ++i) {
        const TempoPorteiro& tempo = kTempos[i];
        TComboBox* combo = this->*tempo.membro;
        if (Intocado(combo)) {
            tempos[i] = mostrados_.Guardado(combo);
            continue;
        }
        const std::optional<int> valor = ValorListado(combo);
        if (!valor || *valor < 0) {
            Recusa(QString::fromUtf8(tempo.mensagem).arg(tempo.menor).arg(tempo.maior), combo);
            return;
        }
        tempos[i] = static_cast<std::uint8_t>(*valor * tempo.unidade);
    }
    const bool rotaGuardada = Intocado(ComboBox4);
    const std::optional<int> rota =
        rotaGuardada ? std::optional<int>(mostrados_.Guardado(ComboBox4) >> kBitsRota) : ValorListado(ComboBox4);
    if (!rota) {
        Recusa(QString::fromUtf8(kMensagemRota).arg(kRotaMaior), ComboBox4);
        return;
    }

    ImagemAtual[ofsAtendentePorteiro] = referencia;
    for (size_t i = 0; i < std::size(kTempos); ++i)
        ImagemAtual[kTempos[i].ofs] = tempos[i];
    NumeroDiscagem numero = CompactaNumero(MaskEdit1->Text().trimmed().left(kDigitosNumero).toStdString());
    if (*rota > 0)
        numero[1] = static_cast<std::uint8_t>(numero[1] | *rota << kBitsRota);
    std::copy(numero.begin(), numero.end(), ImagemAtual + ofsNumeroExternoPorteiro);
    SetModalResult(mrOk);
}
