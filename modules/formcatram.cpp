#include "modules/formcatram.h"

#include "image/conversao.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/caixasbit.h"
#include "modules/formcopcat.h"
#include "modules/seletores.h"

#include <cstring>

TFormCatRam* FormCatRam = nullptr;

namespace {

constexpr int kContextoAjuda = 200;

// The nine category arrays, numbered as the boxes' tags number them.
enum Arranjo : int {
    kAcessoDiurno,
    kAcessoNoturno,
    kRotasDiurnas,
    kRotasNoturnas,
    kFacilidadesDiurnas,
    kFacilidadesNoturnas,
    kSubRotaDiurna,
    kSubRotaNoturna,
    kFlagsRamal,
    kArranjos,
};
constexpr const AreaImagem* kAreasArranjos[kArranjos] = {
    &Area("AcessoDiurno"),       &Area("AcessoNoturno"),       &Area("RotasDiurnas"),
    &Area("RotasNoturnas"),      &Area("FacilidadesDiurnas"),  &Area("FacilidadesNoturnas"),
    &Area("SubRotaDiurna"),      &Area("SubRotaNoturna"),      &Area("FlagsRamal"),
};

// The work copy of the nine arrays (13 entries each; the 13th belongs to no
// position and is carried unchanged).
constexpr int kInicioCopia = ofsAcessoDiurno;
constexpr int kTamanhoCopia = Area("FlagsRamal").fim() - kInicioCopia;
static_assert(kTamanhoCopia == 117);
std::uint8_t CopiaCategorias[kTamanhoCopia];

std::uint8_t& Categoria(int arranjo, int posicao)
{
    return CopiaCategorias[OffsetCategoria(*kAreasArranjos[arranjo], posicao) - kInicioCopia];
}

// A box's Tag: bit number x 16 + array number; "Acesso a agenda" is 88 and
// stands for bit 6 of both access arrays.
constexpr int kTagAgenda = 88;
constexpr std::uint8_t kBitAgenda = 0x40;
int ArranjoDaTag(int tag) { return tag & 15; }
int BitDaTag(int tag) { return 1 << (tag >> 4); }
// A route box with bit value 1 is "Rota 0", kept in the sub-route byte.
constexpr int kValorRota0 = 1;
bool TagRota0(int tag)
{
    return (ArranjoDaTag(tag) == kRotasDiurnas || ArranjoDaTag(tag) == kRotasNoturnas) && BitDaTag(tag) == kValorRota0;
}
// The sub-route array of a route array's period.
int SubRotaDe(int arranjoRotas) { return arranjoRotas + (kSubRotaDiurna - kRotasDiurnas); }

// What a box shows: "Acesso a agenda" the day access byte's bit 6, "Rota 0"
// a sub-route byte of 0, any other box its bit.
BitsDaCaixa BitsDaCategoria(int tag)
{
    if (tag == kTagAgenda)
        return {kAcessoDiurno, kBitAgenda, static_cast<std::uint8_t>(~kBitAgenda)};
    if (TagRota0(tag))
        return {SubRotaDe(ArranjoDaTag(tag)), kSubRotaRota0, 0};
    return BitsDaTagBitCampo(tag);
}

// Numbers the window steps over: they are no extension to categorise.
const QStringList kPulados = {QStringLiteral("81"), QStringLiteral("83"), QStringLiteral("68")};

// "Ramal internet" exists only on the first two positions.
constexpr int kUltimaPosicaoInternet = 2;

constexpr int kPaginaDiurno = 0;
constexpr int kPaginaNoturno = 1;

const char* const kGruposPeriodo[] = {"Acesso 1", "Acesso 2", "Facilidades"};
const Lugar kLugaresGruposPeriodo[] = {{8, 8, 172, 164}, {188, 8, 120, 140}, {316, 8, 228, 140}};

// The boxes of the two pages: same caption, the night box's tag one above
// the day box's (the night array follows the day array).
struct CaixaPeriodo {
    TCheckBox* TFormCatRam::*dia;
    TCheckBox* TFormCatRam::*noite;
    const char* nomeDia;
    const char* nomeNoite;
    int grupo;
    int linha;
    const char* legenda;
    int tagDia;
};

const CaixaPeriodo kCaixasPeriodo[] = {
    {&TFormCatRam::CheckBox1, &TFormCatRam::CheckBox7, "CheckBox1", "CheckBox7", 0, 0, "Recebe externa", 0},
    {&TFormCatRam::CheckBox2, &TFormCatRam::CheckBox8, "CheckBox2", "CheckBox8", 0, 1, "Acesso local", 16},
    {&TFormCatRam::CheckBox3, &TFormCatRam::CheckBox9, "CheckBox3", "CheckBox9", 0, 2, "Acesso DDD", 32},
    {&TFormCatRam::CheckBox4, &TFormCatRam::CheckBox10, "CheckBox4", "CheckBox10", 0, 3, "Acesso DDI", 48},
    {&TFormCatRam::CheckBox5, &TFormCatRam::CheckBox11, "CheckBox5", "CheckBox11", 0, 4, "Acesso Regional", 64},
    {&TFormCatRam::CheckBox6, &TFormCatRam::CheckBox12, "CheckBox6", "CheckBox12", 0, 5, "Acesso Interno", 80},
    {&TFormCatRam::CheckBox13, &TFormCatRam::CheckBox21, "CheckBox13", "CheckBox21", 1, 0, "Rota 0", 2},
    {&TFormCatRam::CheckBox14, &TFormCatRam::CheckBox22, "CheckBox14", "CheckBox22", 1, 1, "Rota 1", 18},
    {&TFormCatRam::CheckBox15, &TFormCatRam::CheckBox23, "CheckBox15", "CheckBox23", 1, 2, "Rota 2", 34},
    {&TFormCatRam::CheckBox16, &TFormCatRam::CheckBox24, "CheckBox16", "CheckBox24", 1, 3, "Rota 3", 50},
    {&TFormCatRam::CheckBox17, &TFormCatRam::CheckBox25, "CheckBox17", "CheckBox25", 1, 4, "Rota 4", 66},
    {&TFormCatRam::CheckBox29, &TFormCatRam::CheckBox36, "CheckBox29", "CheckBox36", 2, 0, "Identificação de assinante", 4},
    {&TFormCatRam::CheckBox30, &TFormCatRam::CheckBox37, "CheckBox30", "CheckBox37", 2, 1, "Atuação externa 1", 36},
    {&TFormCatRam::CheckBox31, &TFormCatRam::CheckBox38, "CheckBox31", "CheckBox38", 2, 2, "Proteção para intercalação", 52},
    {&TFormCatRam::CheckBox32, &TFormCatRam::CheckBox39, "CheckBox32", "CheckBox39", 2, 3, "Gera intercalação", 68},
    {&TFormCatRam::CheckBox34, &TFormCatRam::CheckBox41, "CheckBox34", "CheckBox41", 2, 4, "Acesso porteiro 1", 116},
};

Lugar LugarCaixaPeriodo(int grupo, int linha)
{
    return {10, 20 + 23 * linha, kLugaresGruposPeriodo[grupo].largura - 20, 20};
}

const Lugar kLugarRotuloSubRota{188, 160, 92, 20};
const Lugar kLugarSubRota{284, 156, 60, 24};

struct CaixaGeral {
    TCheckBox* TFormCatRam::*membro;
    const char* nome;
    const char* legenda;
    int tag;
    Lugar lugar;
};

const CaixaGeral kCaixasGerais[] = {
    {&TFormCatRam::CheckBox43, "CheckBox43", "Acesso a agenda", kTagAgenda, {12, 10, 260, 20}},
    {&TFormCatRam::CheckBox44, "CheckBox44", "Ramal com proteção", 56, {12, 38, 260, 20}},
    {&TFormCatRam::CheckBox45, "CheckBox45", "Acesso a secretária", 104, {290, 10, 260, 20}},
    {&TFormCatRam::CheckBox20, "CheckBox20", "Ramal internet", 120, {290, 38, 260, 20}},
};

const Lugar kLugarRotulo{8, 12, 110, 20};
const Lugar kLugarEdit{120, 8, 64, 24};
const Lugar kLugarNotebook{8, 40, 560, 236};
const Lugar kLugarPanel{8, 284, 560, 68};

const BotaoModulo<TFormCatRam> kBotoes[] = {
    {&TFormCatRam::BitBtn1, TPapelBotao::Ajuda, "BitBtn1", {8, 364}},
    {&TFormCatRam::ButtonCat, TPapelBotao::Outro, "ButtonCat", {100, 364}, "&Noturno"},
    {&TFormCatRam::PadButton, TPapelBotao::Padrao, "PadButton", {192, 364}},
    {&TFormCatRam::CopButton, TPapelBotao::Copia, "CopButton", {296, 364}},
    {&TFormCatRam::ButtonOk, TPapelBotao::Ok, "ButtonOk", {396, 364}},
    {&TFormCatRam::BtnCancela, TPapelBotao::Cancela, "BtnCancela", {488, 364}},
};

// The parts the picker copies: its check box, and the array it stands for.
struct ParteCopia {
    TCheckBox* TFormCopCat::*caixa;
    int arranjo;
};

const ParteCopia kPartesCopia[] = {
    {&TFormCopCat::CheckBox1, kAcessoDiurno},       {&TFormCopCat::CheckBox2, kRotasDiurnas},
    {&TFormCopCat::CheckBox3, kFacilidadesDiurnas}, {&TFormCopCat::CheckBox4, kSubRotaDiurna},
    {&TFormCopCat::CheckBox5, kAcessoNoturno},      {&TFormCopCat::CheckBox6, kRotasNoturnas},
    {&TFormCopCat::CheckBox7, kFacilidadesNoturnas}, {&TFormCopCat::CheckBox8, kSubRotaNoturna},
    {&TFormCopCat::CheckBox9, kFlagsRamal},
};

// Bits of the route bytes that no box shows keep their value under
// "Padrão".
constexpr std::uint8_t kRotasMantidas = 0x01;

// The period of an array: day arrays are even, night arrays odd.
bool DoDia(int arranjo) { return arranjo % 2 == 0; }

} // namespace

TFormCatRam::TFormCatRam(QWidget* owner)
    : TFormModulo(owner),
      caixas_(BitsDaCategoria, [this](int arranjo) -> std::uint8_t& { return Categoria(arranjo, Posicao()); })
{
    SetCaption(QStringLiteral("Categoria dos ramais"));
    SetClientSize(576, 400);
    HelpContext = kContextoAjuda;

    MaskEdit1 = Posiciona(new TMaskEdit(this), "MaskEdit1", kLugarEdit);
    Label1 = Posiciona(new TLabel(QStringLiteral("Número do &Ramal"), this), "Label1", kLugarRotulo);
    Label1->SetFocusControl(MaskEdit1);
    const auto navegacao = CriaBotoesNavegacao(this, 196, 8);
    SpeedButton1 = navegacao[0];
    SpeedButton2 = navegacao[1];
    SpeedButton3 = navegacao[2];
    SpeedButton4 = navegacao[3];

    TabbedNotebook1 = Posiciona(new TTabbedNotebook(this), "TabbedNotebook1", kLugarNotebook);
    for (int pagina : {kPaginaDiurno, kPaginaNoturno}) {
        QWidget* folha = TabbedNotebook1->AddPage(pagina == kPaginaDiurno ? QStringLiteral("Diurno")
                                                                          : QStringLiteral("Noturno"));
        TGroupBox* grupos[3];
        for (int g = 0; g < 3; ++g) {
            const QByteArray nome = "GroupBox" + QByteArray::number(3 * pagina + g + 1);
            grupos[g] = Posiciona(new TGroupBox(QString::fromUtf8(kGruposPeriodo[g]), folha), nome.constData(),
                                  kLugaresGruposPeriodo[g]);
        }
        for (const CaixaPeriodo& dados : kCaixasPeriodo) {
            auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), grupos[dados.grupo]),
                                    pagina == kPaginaDiurno ? dados.nomeDia : dados.nomeNoite,
                                    LugarCaixaPeriodo(dados.grupo, dados.linha));
            caixas_.Liga(caixa, dados.tagDia + pagina, [this](TCheckBox* c) { CheckBox1Click(c); });
            this->*(pagina == kPaginaDiurno ? dados.dia : dados.noite) = caixa;
        }
        auto* combo = Posiciona(new TComboBox(folha), pagina == kPaginaDiurno ? "ComboBox1" : "ComboBox2",
                                kLugarSubRota);
        combo->Tag = pagina == kPaginaDiurno ? kSubRotaDiurna : kSubRotaNoturna;
        combo->Items().Add(QString());
        for (int s = 1; s <= 6; ++s)
            combo->Items().Add(QString::number(s));
        combo->OnChange = [this, combo] { ComboBox1Change(combo); };
        (pagina == kPaginaDiurno ? ComboBox1 : ComboBox2) = combo;
        Posiciona(new TLabel(QStringLiteral("Nº da &Sub-rota"), folha),
                  pagina == kPaginaDiurno ? "Label2" : "Label3", kLugarRotuloSubRota)
            ->SetFocusControl(combo);
    }

    Panel1 = Posiciona(new TPanel(this), "Panel1", kLugarPanel);
    for (const CaixaGeral& dados : kCaixasGerais) {
        auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), Panel1), dados.nome, dados.lugar);
        caixas_.Liga(caixa, dados.tag, [this](TCheckBox* c) { CheckBox1Click(c); });
        this->*dados.membro = caixa;
    }
    // A box's click stores it only while the user is in a box or a
    // sub-route combo: showing a position sets them by program.
    std::vector<TControl*> editaveis(caixas_.Caixas().begin(), caixas_.Caixas().end());
    editaveis.insert(editaveis.end(), {ComboBox1, ComboBox2});
    for (TControl* controle : editaveis)
        caixas_.EditaComFoco({controle});

    CriaBotoes(kBotoes);
    for (QWidget* filho : findChildren<QWidget*>())
        if (TControl* controle = TControl::Of(filho))
            controle->HelpContext = kContextoAjuda;

    navegacao_ = std::make_unique<TNavegacaoRamal>(MaskEdit1, kPulados, [this](int p) { MostraCfgRamal(p); });
    MaskEdit1->OnChange = [this] { navegacao_->EditChange(); };
    SpeedButton1->OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2->OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3->OnClick = [this] { SpeedButton3Click(); };
    SpeedButton4->OnClick = [this] { SpeedButton4Click(); };
    TabbedNotebook1->OnChange = [this](int NewTab, bool& AllowChange) { TabbedNotebook1Change(NewTab, AllowChange); };
    ButtonCat->OnClick = [this] { ButtonCatClick(); };
    CopButton->OnClick = [this] { CopButtonClick(); };
}

void TFormCatRam::MostraModulo(std::uint8_t* imagem, const char* textoInicial)
{
    textoInicial_ = textoInicial ? QString::fromLatin1(textoInicial) : QString();
    TFormModulo::MostraModulo(imagem);
}

// The window edits a copy of the nine arrays; its own Ok writes it back.
void TFormCatRam::PreparaModulo()
{
    std::memcpy(CopiaCategorias, ImagemAtual + kInicioCopia, sizeof CopiaCategorias);
    mostrada_ = false;
    MaskEdit1->SetText(textoInicial_.isNull() ? TextoDaPosicao(1) : textoInicial_);
    // A start text the edit cannot hold shows the first position.
    if (!mostrada_)
        MostraCfgRamal(1);
}

void TFormCatRam::FormShow()
{
    MostraPagina(kPaginaDiurno);
    MaskEdit1->SetFocus();
}

void TFormCatRam::FormActivate()
{
    navegacao_->posicao = PosicaoDoTexto(MaskEdit1->Text());
}

void TFormCatRam::MostraCfgRamal(int posicao)
{
    navegacao_->posicao = std::clamp(posicao, 1, kPosicoesRamal);
    mostrada_ = true;
    caixas_.Mostra();
    for (int periodo : {kPaginaDiurno, kPaginaNoturno}) {
        const std::uint8_t subRota = Categoria(kSubRotaDiurna + periodo, Posicao());
        TComboBox* combo = ComboSubRota(periodo);
        combo->SetItemIndex(subRota >= 1 && subRota <= kMaiorSubRota ? combo->Items().IndexOf(QString::number(subRota))
                                                                     : -1);
        CaixaRota0(periodo)->SetEnabled(subRota == kSubRotaRota0 || subRota == kSemSubRota);
    }
    CheckBox20->SetEnabled(Posicao() <= kUltimaPosicaoInternet);
}

void TFormCatRam::TrocaCfgRamal(int arranjo, int valor, bool marcado, int posicao)
{
    if (posicao == 0)
        posicao = 1;
    switch (arranjo) {
    case kAcessoDiurno:
    case kAcessoNoturno:
    case kFacilidadesDiurnas:
    case kFacilidadesNoturnas:
    case kFlagsRamal:
        GravaBits(Categoria(arranjo, posicao), {arranjo, static_cast<std::uint8_t>(valor), static_cast<std::uint8_t>(~valor)}, marcado);
        break;
    case kRotasDiurnas:
    case kRotasNoturnas: {
        const int periodo = arranjo - kRotasDiurnas;
        if (valor == kValorRota0) {
            Categoria(kSubRotaDiurna + periodo, posicao) = marcado ? kSubRotaRota0 : kSemSubRota;
            if (marcado)
                ComboSubRota(periodo)->SetItemIndex(-1);
        } else if (valor >= 2 && valor <= 16) {
            GravaBits(Categoria(arranjo, posicao), {arranjo, static_cast<std::uint8_t>(valor), static_cast<std::uint8_t>(~valor)}, marcado);
        }
        break;
    }
    case kSubRotaDiurna:
    case kSubRotaNoturna:
        Categoria(arranjo, posicao) = static_cast<std::uint8_t>(valor);
        break;
    default:
        break;
    }
}

void TFormCatRam::CheckBox1Click(TCheckBox* Sender)
{
    if (!caixas_.Editando())
        return;
    const bool marcado = Sender->Checked();
    if (Sender->Tag == kTagAgenda) {
        for (int arranjo : {kAcessoDiurno, kAcessoNoturno})
            GravaBits(Categoria(arranjo, Posicao()), {arranjo, kBitAgenda, static_cast<std::uint8_t>(~kBitAgenda)}, marcado);
        return;
    }
    TrocaCfgRamal(ArranjoDaTag(Sender->Tag), BitDaTag(Sender->Tag), marcado, Posicao());
}

// Any change of a sub-route combo stores it: 1..7 for themselves, anything
// else no sub-route. A sub-route takes "Rota 0" away; with none, "Rota 0"
// is free again and its box says what the byte holds.
void TFormCatRam::ComboBox1Change(TComboBox* Sender)
{
    const QString texto = Sender->Text().trimmed();
    int valor = texto.isEmpty() ? 0 : StrToInt(texto.toStdString());
    if (valor < 1 || valor > kMaiorSubRota)
        valor = 0;
    const int periodo = Sender->Tag - kSubRotaDiurna;
    TCheckBox* rota0 = CaixaRota0(periodo);
    if (valor == 0 && !rota0->Checked())
        valor = kSemSubRota;
    TrocaCfgRamal(Sender->Tag, valor, true, Posicao());
    if (valor != 0 && valor != kSemSubRota) {
        caixas_.Preenche([rota0] { rota0->SetChecked(false); });
        rota0->SetEnabled(false);
    } else {
        rota0->SetEnabled(true);
    }
}

TComboBox* TFormCatRam::ComboSubRota(int periodo) const
{
    return periodo == kPaginaDiurno ? ComboBox1 : ComboBox2;
}

TCheckBox* TFormCatRam::CaixaRota0(int periodo) const
{
    return periodo == kPaginaDiurno ? CheckBox13 : CheckBox21;
}

void TFormCatRam::Navega(int inicio, bool paraCima)
{
    MaskEdit1->SetFocus();
    navegacao_->Navega(inicio, paraCima);
}

void TFormCatRam::SpeedButton1Click()
{
    Navega(1, false);
}

void TFormCatRam::SpeedButton2Click()
{
    Navega(Posicao(), false);
}

void TFormCatRam::SpeedButton3Click()
{
    Navega(Posicao(), true);
}

void TFormCatRam::SpeedButton4Click()
{
    Navega(kPosicoesRamal, true);
}

void TFormCatRam::MostraPagina(int pagina)
{
    TabbedNotebook1->SetPageIndex(pagina);
    ButtonCat->SetCaption(pagina == kPaginaDiurno ? QStringLiteral("&Noturno") : QStringLiteral("&Diurno"));
}

void TFormCatRam::ButtonCatClick()
{
    MostraPagina(TabbedNotebook1->PageIndex() == kPaginaDiurno ? kPaginaNoturno : kPaginaDiurno);
    MaskEdit1->SetFocus();
}

void TFormCatRam::TabbedNotebook1Change(int NewTab, bool&)
{
    ButtonCat->SetCaption(NewTab == kPaginaDiurno ? QStringLiteral("&Noturno") : QStringLiteral("&Diurno"));
}

void TFormCatRam::PadraoDaPosicao(int posicao)
{
    for (int arranjo = 0; arranjo < kArranjos; ++arranjo) {
        std::uint8_t& valor = Categoria(arranjo, posicao);
        const std::uint8_t mantidos = arranjo == kRotasDiurnas || arranjo == kRotasNoturnas ? kRotasMantidas : 0;
        const std::uint8_t fabrica = BytePadrao(OffsetCategoria(*kAreasArranjos[arranjo], posicao));
        valor = static_cast<std::uint8_t>((valor & mantidos) | (fabrica & ~mantidos));
    }
}

void TFormCatRam::PadButtonClick()
{
    const int resposta = AplicaPadrao(TPadrao::CatRam, 1, kPosicoesRamal, Posicao(),
                                      [this](int posicao) { PadraoDaPosicao(posicao); });
    if (resposta != IDYES && resposta != IDNO)
        return;
    MostraCfgRamal(PosicaoDoTexto(MaskEdit1->Text()));
}

void TFormCatRam::CopButtonClick()
{
    const bool dia = TabbedNotebook1->PageIndex() == kPaginaDiurno;
    for (const ParteCopia& parte : kPartesCopia)
        (FormCopCat->*parte.caixa)->SetChecked(parte.arranjo == kFlagsRamal || DoDia(parte.arranjo) == dia);
    if (FormCopCat->ShowModal() != mrOk)
        return;
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        if (!FormCopCat->Selecao[static_cast<size_t>(p - 1)])
            continue;
        for (const ParteCopia& parte : kPartesCopia)
            if ((FormCopCat->*parte.caixa)->Checked())
                Categoria(parte.arranjo, p) = Categoria(parte.arranjo, Posicao());
    }
}

// Ok refuses a sub-route whose route the period does not have, showing the
// first position and period at fault; otherwise it writes the work copy.
void TFormCatRam::OkButtonClick()
{
    for (int p = 1; p <= kPosicoesRamal; ++p)
        for (int periodo : {kPaginaDiurno, kPaginaNoturno}) {
            const std::uint8_t subRota = Categoria(kSubRotaDiurna + periodo, p);
            const std::uint8_t rotas = Categoria(kRotasDiurnas + periodo, p);
            if (subRota < 1 || subRota > kMaiorSubRota || (rotas & (1 << subRota)) != 0)
                continue;
            // The position at fault is shown even if it is one the edit
            // steps over.
            navegacao_->PoeNumero(p);
            MostraCfgRamal(p);
            MostraPagina(periodo);
            MostraErro(QStringLiteral("A rota deverá estar definida para permitir acesso a sub-rota"));
            return;
        }
    std::memcpy(ImagemAtual + kInicioCopia, CopiaCategorias, sizeof CopiaCategorias);
    SetModalResult(mrCancel);
}
