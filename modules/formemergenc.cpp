#include "modules/formemergenc.h"

#include "image/emergencia.h"
#include "image/grupos.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/copiatrabalho.h"
#include "modules/seletores.h"

TFormEmergenc* FormEmergenc = nullptr;

namespace {

constexpr int kContextoAjuda = 1600;

const QString kMascaraNumero = QStringLiteral("99999999999999999999;1;_");
constexpr int kDigitosNumero = 20;
constexpr int kCaracteresRamal = 5;
constexpr int kRotas = 5; // routes 0..4

// The whole area, built from zeros by Ok.
using TRegistroEmergencia = TCopiaTrabalho<ofsDestinosEmergencia, Area("DestinosEmergencia").tamanho>;

// Where a control stands: its group (0 "Emergência", 1 "Ramal Emergência")
// and its row there, with its label.
struct LinhaCampo {
    const char* nome;
    int caixa;
    int linha;
    const char* rotulo;
};

const LinhaCampo kComboBox1{"ComboBox1", 0, 0, "Número interno"};
const LinhaCampo kMaskEdit1{"MaskEdit1", 0, 1, "Número externo "};
const LinhaCampo kComboBox6{"ComboBox6", 0, 2, "Rota"};
const LinhaCampo kComboBox3{"ComboBox3", 1, 0, "Ramal emergência"};
const LinhaCampo kComboBox4{"ComboBox4", 1, 1, "Número interno"};
const LinhaCampo kMaskEdit3{"MaskEdit3", 1, 2, "Número externo "};
const LinhaCampo kComboBox7{"ComboBox7", 1, 3, "Rota"};

const GrupoModulo<TFormEmergenc> kCaixas[] = {
    {&TFormEmergenc::GroupBox1, "GroupBox1", "Emergência", {8, 8, 376, 112}},
    {&TFormEmergenc::GroupBox2, "GroupBox2", "Ramal Emergência", {8, 128, 376, 140}},
};

Lugar LugarRotulo(int linha) { return {12, 26 + 28 * linha, 120, 20}; }
Lugar LugarCampo(int linha, int largura) { return {136, 22 + 28 * linha, largura, 24}; }
constexpr int kLarguraCombo = 72;
constexpr int kLarguraNumero = 220;
constexpr int kLarguraRota = 56;

const BotaoModulo<TFormEmergenc> kBotoes[] = {
    {&TFormEmergenc::BitBtn1, TPapelBotao::Ajuda, "BitBtn1", {8, 280}},
    {&TFormEmergenc::BtnPadrao, TPapelBotao::Outro, "BtnPadrao", {96, 280}, "P&adrão"},
    {&TFormEmergenc::CancButton, TPapelBotao::Cancela, "CancButton", {216, 280}},
    {&TFormEmergenc::OkButton, TPapelBotao::Ok, "OkButton", {304, 280}},
};

template <typename T>
T* CriaCampo(T* controle, const LinhaCampo& linha, int largura)
{
    Posiciona(controle, linha.nome, LugarCampo(linha.linha, largura));
    controle->HelpContext = kContextoAjuda;
    Posiciona(new TLabel(QString::fromUtf8(linha.rotulo), controle->parentWidget()), "", LugarRotulo(linha.linha))
        ->SetFocusControl(controle);
    return controle;
}

// The number's digits as Ok reads them: the first 20 characters of the
// trimmed text.
std::string TextoNumero(const TMaskEdit* numero)
{
    return numero->Text().trimmed().left(kDigitosNumero).toStdString();
}

// A dial record from the number and its route; the route is kept only when
// the number has digits.
void GravaNumero(std::uint8_t* registro12, const TMaskEdit* numero, const TComboBox* rota)
{
    CompactaNumero(TextoNumero(numero), registro12);
    std::uint8_t& contagem = registro12[kContagemNumero];
    if (DigitosDoNumero(contagem) != 0)
        contagem = static_cast<std::uint8_t>(contagem | TextoParaRota(rota->Text().toStdString()));
}

// The rule a destination text breaks, 0 when it names nothing, a position of
// the numbering plan (whatever its number begins with) or a programmed
// group.
int RegraDestino(const QString& digitado, const QStringList& itens)
{
    const QString texto = digitado.trimmed();
    if (texto.isEmpty())
        return 0;
    if (texto.size() <= 4 && ApenasNumeros(texto) && !texto.startsWith(QLatin1Char('6'))) {
        bool encontrado = false;
        TextoParaReferencia(ImagemAtual, texto.toStdString(), encontrado);
        if (encontrado)
            return 0;
    }
    QStringList comGrupos = itens;
    for (int g = 1; g <= kGrupos; ++g)
        if (GrupoProgramado(g))
            comGrupos << QString::fromStdString(GrupoParaTexto(g));
    return RegraRamalDigitado(false, texto, comGrupos);
}

} // namespace

TFormEmergenc::TFormEmergenc(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QString::fromUtf8("Emergência externa"));
    SetClientSize(392, 316);
    HelpContext = kContextoAjuda;

    CriaGrupos(kCaixas);
    ComboBox1 = CriaCampo(new TComboBox(GroupBox1, csDropDown), kComboBox1, kLarguraCombo);
    MaskEdit1 = CriaCampo(new TMaskEdit(GroupBox1), kMaskEdit1, kLarguraNumero);
    ComboBox6 = CriaCampo(new TComboBox(GroupBox1, csDropDownList), kComboBox6, kLarguraRota);
    ComboBox3 = CriaCampo(new TComboBox(GroupBox2, csDropDown), kComboBox3, kLarguraCombo);
    ComboBox4 = CriaCampo(new TComboBox(GroupBox2, csDropDown), kComboBox4, kLarguraCombo);
    MaskEdit3 = CriaCampo(new TMaskEdit(GroupBox2), kMaskEdit3, kLarguraNumero);
    ComboBox7 = CriaCampo(new TComboBox(GroupBox2, csDropDownList), kComboBox7, kLarguraRota);

    for (TComboBox* ramal : {ComboBox1, ComboBox3, ComboBox4}) {
        ramal->SetMaxLength(kCaracteresRamal);
        // The lists leave out what the other combos hold.
        ramal->OnExit = [this] { CarregaCombos(); };
    }
    for (TMaskEdit* numero : {MaskEdit1, MaskEdit3})
        numero->SetEditMask(kMascaraNumero);
    for (TComboBox* rota : {ComboBox6, ComboBox7}) {
        rota->Items().Add(QString());
        for (int r = 0; r < kRotas; ++r)
            rota->Items().Add(QString::number(r));
    }
    MaskEdit1->OnExit = [this] { MaskEditExit(MaskEdit1, ComboBox1); };
    MaskEdit3->OnExit = [this] { MaskEditExit(MaskEdit3, ComboBox4); };

    CriaBotoes(kBotoes);
    BtnPadrao->OnClick = [this] { BtnPadraoClick(); };
}

void TFormEmergenc::FormActivate()
{
    CarregaCampos(ImagemAtual);
    CarregaCombos();
    ComboBox1->SetFocus();
}

void TFormEmergenc::CarregaCampos(const std::uint8_t* origem)
{
    const auto referencia = [&](TComboBox* combo, int ofs, bool bfSemReferencia) {
        const std::string texto = ReferenciaEmergenciaParaTexto(ImagemAtual, origem[ofs], bfSemReferencia);
        mostrados_.Mostra(combo, QString::fromStdString(texto), origem[ofs]);
    };
    const auto numero = [&](TMaskEdit* edit, int ofs) {
        mostrados_.Mostra(edit, QString::fromStdString(DescompactaNumero(origem + ofs)), origem[ofs + kContagemNumero]);
    };
    referencia(ComboBox1, ofsInternoEmergencia, false);
    numero(MaskEdit1, ofsExternoEmergencia);
    ComboBox6->SetText(QString::fromStdString(RotaParaTexto(origem[ofsExternoEmergencia + kContagemNumero])));
    referencia(ComboBox3, ofsRamalEmergencia, false);
    referencia(ComboBox4, ofsInternoRamalEmergencia, true);
    numero(MaskEdit3, ofsExternoRamalEmergencia);
    ComboBox7->SetText(QString::fromStdString(RotaParaTexto(origem[ofsExternoRamalEmergencia + kContagemNumero])));
}

// Each list holds the numbering plan's extensions, leaving out the text of
// the combo it must not repeat: the first destination and the emergency
// extension differ, and so do the emergency extension and its own internal
// destination. A position with no number is always listed.
void TFormEmergenc::CarregaCombos()
{
    const auto atual = [](const TComboBox* combo) { return combo->Text().trimmed().left(4); };
    const QString texto1 = atual(ComboBox1);
    const QString texto3 = atual(ComboBox3);
    const QString texto4 = atual(ComboBox4);
    QStringList lista1, lista3, lista4;
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        const std::uint16_t palavra = LeU16(ImagemAtual + OffsetPalavraRamal(p));
        const QString ramal = palavra == 0xFFFF ? QString() : QString::fromStdString(PalavraRamalParaTexto(palavra));
        const bool sempre = ramal.isEmpty();
        if (sempre || ramal != texto3)
            lista1 << ramal;
        if (sempre || (ramal != texto1 && ramal != texto4))
            lista3 << ramal;
        if (sempre || ramal != texto3)
            lista4 << ramal;
    }
    TrocaItensCombo(ComboBox1, lista1);
    TrocaItensCombo(ComboBox3, lista3);
    TrocaItensCombo(ComboBox4, lista4);
}

// An external number the user typed needs a trunk on route 0.
bool TFormEmergenc::ConfereNumero(TMaskEdit* numero)
{
    if (mostrados_.Intocado(numero) || numero->Text().trimmed().isEmpty() || ExisteRota0(ImagemAtual))
        return true;
    Recusa(QString::fromUtf8("Não existe Rota 0 programada, não será possível programar número externo."), numero);
    return false;
}

// A number typed leaves the internal destination of its group empty.
void TFormEmergenc::MaskEditExit(TMaskEdit* numero, TComboBox* interno)
{
    if (ConfereNumero(numero) && !numero->Text().trimmed().isEmpty())
        interno->SetText(QString());
}

// A typed or chosen destination must name what Ok can store: an extension
// of the numbering plan, a programmed group, or nothing; anything else is
// refused with the reason the extension checks give.
bool TFormEmergenc::ConfereDestino(TComboBox* combo)
{
    if (mostrados_.Intocado(combo))
        return true;
    const int regra = RegraDestino(combo->Text(), combo->Items().ToStringList());
    if (regra == 0)
        return true;
    Recusa(MensagemRegraRamal(regra, combo->Text()), combo);
    return false;
}

void TFormEmergenc::BtnPadraoClick()
{
    if (ConfirmaPadrao(TPadrao::Emergenc) != IDYES)
        return;
    CarregaCampos(ImagemPadrao());
    CarregaCombos();
}

// Ok, by mouse or by its key, checks the fields in their order, the first
// refused keeping the window open with nothing written; then the area is
// rebuilt from zeros.
void TFormEmergenc::OkButtonClick()
{
    if (!ConfereDestino(ComboBox1) || !ConfereNumero(MaskEdit1) || !ConfereDestino(ComboBox3)
        || !ConfereDestino(ComboBox4) || !ConfereNumero(MaskEdit3))
        return;

    TRegistroEmergencia area;
    bool encontrado = false;
    // A destination shown as blanks stands for none, whatever byte it came
    // from; any other one left untouched keeps its stored byte.
    const auto referencia = [&](const TComboBox* combo) {
        if (mostrados_.Intocado(combo) && !combo->Text().trimmed().isEmpty())
            return mostrados_.Guardado(combo);
        return TextoParaReferencia(ImagemAtual, combo->Text().toStdString(), encontrado);
    };

    // An emergency goes to the external number when it has digits.
    area[ofsInternoEmergencia] = referencia(ComboBox1);
    GravaNumero(&area[ofsExternoEmergencia], MaskEdit1, ComboBox6);
    if (DigitosDoNumero(area[ofsExternoEmergencia + kContagemNumero]) != 0)
        area[ofsInternoEmergencia] = kEmergenciaNumeroExterno;

    // The emergency extension's own destinations: its number when it has
    // digits, else its internal destination; with no emergency extension,
    // neither.
    area[ofsRamalEmergencia] = referencia(ComboBox3);
    area[ofsInternoRamalEmergencia] = referencia(ComboBox4);
    if (area[ofsInternoRamalEmergencia] == kSemReferencia)
        area[ofsInternoRamalEmergencia] = kEmergenciaSemInterno;
    GravaNumero(&area[ofsExternoRamalEmergencia], MaskEdit3, ComboBox7);
    if (area[ofsRamalEmergencia] == kSemReferencia) {
        CompactaNumero("", &area[ofsExternoRamalEmergencia]);
        area[ofsInternoRamalEmergencia] = kEmergenciaSemInterno;
    } else if (DigitosDoNumero(area[ofsExternoRamalEmergencia + kContagemNumero]) != 0) {
        area[ofsInternoRamalEmergencia] = kEmergenciaSemInterno;
    }

    area.Devolve(ImagemAtual);
    SetModalResult(mrOk);
}
