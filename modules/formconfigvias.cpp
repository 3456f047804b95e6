#include "modules/formconfigvias.h"

#include "image/conversao.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "image/vias.h"
#include "modules/formcopiavia.h"
#include "modules/seletores.h"

#include <array>
#include <cstring>

TFormConfigVias* FormConfigVias = nullptr;

// The check boxes that show bits: bit number x 16 + field in the Tag.
struct CaixaVia {
    TCheckBox* TFormConfigVias::*membro;
    const char* nome;
    const char* legenda;
    int tag;
    Lugar lugar;
};

namespace {

constexpr int kContextoAjuda = 300;

// The work copy of the trunk slice.
std::array<std::uint8_t, kTamanhoFatiaVias> CopiaVias;

// The fields the controls store, numbered as their Tags name them: bytes 0
// and 7 of the record (bit boxes), the three attendants, the three timings
// and the mode byte (8 and 9 both).
constexpr int kCampoCifras = 0;
constexpr int kCampoAtendente = 1;
constexpr int kCampoTransbordo = 2;
constexpr int kCampoNoturno = 3;
constexpr int kCampoTempoTransbordo = 4;
constexpr int kCampoInicioBilhetagem = 5;
constexpr int kCampoTomDisco = 6;
constexpr int kCampoSinalizacao = 7;
constexpr int kCampoModo = 9;

// The record byte of each field 0..7.
constexpr int kByteDoCampo[] = {kViaCifras,           kViaAtendente,        kViaTransbordo,
                                kViaNoturno,          kViaTempoTransbordo,  kViaInicioBilhetagem,
                                kViaTomDisco,         kViaSinalizacao};

// Local digits: item i of the radio group is the value 1 << i.
constexpr std::uint8_t kCifrasDoItem[] = {1, 2, 4};
// Billing starts at once with polarity reversal, else after 7 s.
constexpr int kBilhetagemInversao = 0;
constexpr int kBilhetagemSemInversao = 7;

const QString kMascaraVia = QStringLiteral("99;1;_");

const char* const kMensagemFaixa = "Valor fora da faixa permitida.";
const char* const kMensagemRamalLongo = "O ramal deve possuir no máximo 4 dígitos";
const char* const kMensagemEnlace = "Quando via for enlace a mesma deverá ser decádica";


// "Identificador de Chamada", beside the caller-ID buttons it enables.
const CaixaVia kCaixaIdentificador{&TFormConfigVias::CheckBox8, "CheckBox8", "Identificador de Chamada",
                                   TagBitCampo(5, kCampoSinalizacao), {12, 284, 220, 20}};

// The options column.
const CaixaVia kCaixas[] = {
    {&TFormConfigVias::CheckBox2, "CheckBox2", "Limite de cifras", TagBitCampo(3, kCampoCifras), {482, 40, 210, 20}},
    {&TFormConfigVias::CheckBox3, "CheckBox3", "Acessa tabela IU", TagBitCampo(4, kCampoCifras), {482, 62, 210, 20}},
    {&TFormConfigVias::CheckBox4, "CheckBox4", "Bloqueia DDC noturno", TagBitCampo(5, kCampoCifras), {482, 84, 210, 20}},
    {&TFormConfigVias::CheckBox5, "CheckBox5", "Bloqueia DDC diurno", TagBitCampo(6, kCampoCifras), {482, 106, 210, 20}},
    {&TFormConfigVias::CheckBox6, "CheckBox6", "Atendedor digital instalado", TagBitCampo(7, kCampoCifras), {482, 128, 210, 20}},
    {&TFormConfigVias::CheckBox7, "CheckBox7", "Desliga ligação após TTD", TagBitCampo(3, kCampoSinalizacao), {482, 150, 210, 20}},
    {&TFormConfigVias::CheckBox11, "CheckBox11", "Derruba após atendimento", TagBitCampo(4, kCampoSinalizacao), {482, 172, 210, 20}},
    {&TFormConfigVias::CheckBox10, "CheckBox10", "Possui transborno noturno", TagBitCampo(7, kCampoSinalizacao), {482, 212, 210, 20}},
    {&TFormConfigVias::CheckBox12, "CheckBox12", "Via de saída", TagBitCampo(5, kCampoModo), {482, 244, 210, 20}},
    {&TFormConfigVias::CheckBox13, "CheckBox13", "Via de entrada", TagBitCampo(6, kCampoModo), {482, 266, 210, 20}},
    {&TFormConfigVias::CheckBox14, "CheckBox14", "Via bloqueada", TagBitCampo(7, kCampoModo), {482, 288, 210, 20}},
};

// The combos: attendants list destinations, the others numbers.
struct ComboVia {
    TComboBox* TFormConfigVias::*membro;
    const char* nome;
    const char* rotulo;
    int campo;
    bool atendente;
    bool com9OuZero; // "9" in an attendant list, "00" before the numbers
    bool com60;
    int menor;
    int maior;
    const char* formato;
};

const ComboVia kCombos[] = {
    {&TFormConfigVias::ComboBox1, "ComboBox1", "Ramal at&endedor principal", kCampoAtendente, true, true, false},
    {&TFormConfigVias::ComboBox2, "ComboBox2", "Ramal de &transbordo", kCampoTransbordo, true, false, true},
    {&TFormConfigVias::ComboBox3, "ComboBox3", "Ramal atendedor &noturno", kCampoNoturno, true, false, false},
    {&TFormConfigVias::ComboBox4, "ComboBox4", "Te&mpo para transbordo (seg.)", kCampoTempoTransbordo, false, true, false, 5, 80, "00"},
    {&TFormConfigVias::ComboBox5, "ComboBox5", "Tempo de tom de &disco (x5 seg.)", kCampoTomDisco, false, false, false, 6, 90, "00"},
    {&TFormConfigVias::ComboBox6, "ComboBox6", "Tempo início de &bilhetagem (seg.)", kCampoInicioBilhetagem, false, true, false, 5, 45, "00"},
    {&TFormConfigVias::ComboBox7, "ComboBox7", "Número de toques para atender", kCampoSinalizacao, false, false, false, 0, 1, "0"},
};
Lugar LugarRotuloCombo(int linha) { return {12, 48 + 28 * linha, 220, 20}; }
Lugar LugarCombo(int linha) { return {236, 44 + 28 * linha, 72, 24}; }

struct GrupoRadio {
    TRadioGroup* TFormConfigVias::*membro;
    const char* nome;
    const char* legenda;
    std::vector<const char*> itens;
    Lugar lugar;
};

const GrupoRadio kGruposRadio[] = {
    {&TFormConfigVias::RadioGroup2, "RadioGroup2", "Cifras", {"7 cifras locais", "8 cifras locais", "9 cifras locais"}, {320, 40, 150, 86}},
    {&TFormConfigVias::RadioGroup1, "RadioGroup1", "Sinalização", {"Decádica", "Multi-Frequencial"}, {320, 132, 150, 64}},
    {&TFormConfigVias::RadioGroup3, "RadioGroup3", "Rota", {"Rota 0", "Rota 1", "Rota 2", "Rota 3", "Rota 4"}, {320, 202, 150, 128}},
};

const Lugar kLugarRotuloVia{12, 14, 96, 20};
const Lugar kLugarEdit1{112, 10, 36, 24};
// The stepping buttons: where the first stands, their width and step.
constexpr int kXSetas = 156;
constexpr int kYSetas = 10;
constexpr int kLarguraSeta = 24;
constexpr int kPassoSetas = 26;

const Lugar kLugarCheckBox1{12, 240, 220, 20};
const Lugar kLugarLabel3{30, 260, 200, 18};
const Lugar kLugarPanel1{28, 306, 220, 26};
const Lugar kLugarRadioButton1{4, 3, 110, 20};
const Lugar kLugarRadioButton2{120, 3, 90, 20};
const Lugar kLugarLabel4{500, 192, 190, 18};
const Lugar kLugarCheckBox15{482, 310, 210, 20};

const BotaoModulo<TFormConfigVias> kBotoes[] = {
    {&TFormConfigVias::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 350}},
    {&TFormConfigVias::CopiaButton, TPapelBotao::Copia, "CopiaButton", {100, 350}},
    {&TFormConfigVias::DefButton, TPapelBotao::Padrao, "DefButton", {192, 350}},
    {&TFormConfigVias::OkButton, TPapelBotao::Ok, "OkButton", {516, 350}},
    {&TFormConfigVias::BtnCancela, TPapelBotao::Cancela, "BtnCancela", {608, 350}},
};

QString Limpo(const TComboBox* combo)
{
    return combo->Text().trimmed();
}

// The trunk a text names, 0 when it names none of the four.
int ViaDoTexto(const QString& texto)
{
    const QString limpo = texto.trimmed();
    if (limpo.isEmpty() || !ApenasNumeros(limpo) || limpo.size() > 2)
        return 0;
    const int via = limpo.toInt();
    return via >= 1 && via <= kVias ? via : 0;
}

QString TextoVia(int via)
{
    return QString::fromStdString(FormatInt("00", via));
}

} // namespace

TFormConfigVias::TFormConfigVias(QWidget* owner)
    : TFormModulo(owner),
      caixas_(BitsDaTagBitCampo, [this](int campo) -> std::uint8_t& { return ByteDoCampo(campo, viaAtual_); })
{
    SetCaption(QStringLiteral("Configuração das vias "));
    SetClientSize(700, 388);
    HelpContext = kContextoAjuda;
    CriaControles();
    CriaBotoes(kBotoes);
    LigaEventos();
}

// The controls in their tab order.
void TFormConfigVias::CriaControles()
{
    Label1 = Posiciona(new TLabel(QStringLiteral("Número da &via"), this), "Label1", kLugarRotuloVia);
    Edit1 = Posiciona(new TMaskEdit(this), "Edit1", kLugarEdit1);
    Edit1->SetEditMask(kMascaraVia);
    Label1->SetFocusControl(Edit1);
    const auto setas = CriaBotoesNavegacao(this, kXSetas, kYSetas, kLarguraSeta, kPassoSetas);
    SpeedButton1 = setas[0];
    SpeedButton2 = setas[1];
    SpeedButton3 = setas[2];
    SpeedButton4 = setas[3];

    for (int linha = 0; linha < static_cast<int>(std::size(kCombos)); ++linha) {
        const ComboVia& dados = kCombos[linha];
        auto* combo = Posiciona(new TComboBox(this, csDropDown), dados.nome, LugarCombo(linha));
        combo->Tag = dados.campo;
        Posiciona(new TLabel(QString::fromUtf8(dados.rotulo), this), "", LugarRotuloCombo(linha))->SetFocusControl(combo);
        this->*dados.membro = combo;
    }

    CheckBox1 = Posiciona(new TCheckBox(QStringLiteral("Atendimento por inversão"), this), "CheckBox1", kLugarCheckBox1);
    Label3 = Posiciona(new TLabel(QStringLiteral("de polaridade"), this), "Label3", kLugarLabel3);

    CriaCaixa(kCaixaIdentificador);
    Panel1 = Posiciona(new TPanel(this), "Panel1", kLugarPanel1);
    Panel1->SetBevelOuter(bvNone);
    RadioButton1 = Posiciona(new TRadioButton(QStringLiteral("DTMF/MFP"), Panel1), "RadioButton1", kLugarRadioButton1);
    RadioButton2 = Posiciona(new TRadioButton(QStringLiteral("FSK"), Panel1), "RadioButton2", kLugarRadioButton2);

    for (const GrupoRadio& grupo : kGruposRadio) {
        auto* radio = Posiciona(new TRadioGroup(QString::fromUtf8(grupo.legenda), this), grupo.nome, grupo.lugar);
        for (const char* item : grupo.itens)
            radio->Items().Add(QString::fromUtf8(item));
        this->*grupo.membro = radio;
    }

    for (const CaixaVia& dados : kCaixas)
        CriaCaixa(dados);
    Label4 = Posiciona(new TLabel(QStringLiteral("automático sem discagem"), this), "Label4", kLugarLabel4);
    CheckBox15 = Posiciona(new TCheckBox(QStringLiteral("Enlace"), this), "CheckBox15", kLugarCheckBox15);
    CheckBox15->SetEnabled(false);

    for (QWidget* filho : findChildren<QWidget*>())
        if (TControl* controle = TControl::Of(filho))
            controle->HelpContext = kContextoAjuda;
}

// A bit box: its Tag and the one click handler of the bit boxes.
void TFormConfigVias::CriaCaixa(const CaixaVia& dados)
{
    auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), this), dados.nome, dados.lugar);
    caixas_.Liga(caixa, dados.tag, [this](TCheckBox* Sender) { CheckBox3Click(Sender); });
    this->*dados.membro = caixa;
}

void TFormConfigVias::LigaEventos()
{
    Edit1->OnChange = [this] { Edit1Change(); };
    Edit1->OnExit = [this] { Edit1Exit(); };
    SpeedButton1->OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2->OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3->OnClick = [this] { SpeedButton3Click(); };
    SpeedButton4->OnClick = [this] { SpeedButton4Click(); };
    CopiaButton->OnClick = [this] { CopiaButtonClick(); };

    // The handlers store only while the user is in one of these controls.
    caixas_.EditaComFoco({CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8,
                          CheckBox10, CheckBox11, CheckBox12, CheckBox13, CheckBox14, RadioGroup1, RadioGroup2,
                          RadioGroup3, ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6, ComboBox7});
    // A combo is left only with a value it accepts; until then the window
    // stays editing it.
    for (TComboBox* combo : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6, ComboBox7}) {
        combo->OnExit = [this, combo, sai = combo->OnExit] {
            if (SaidaCombo(combo))
                sai();
        };
    }
    RadioGroup1->OnEnter = [this, entra = RadioGroup1->OnEnter] {
        naSinalizacao_ = true;
        entra();
    };
    RadioGroup1->OnExit = [this, sai = RadioGroup1->OnExit] {
        naSinalizacao_ = false;
        sai();
    };

    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    Label3->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { Label3Click(); };
    Label4->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { Label4Click(); };
    for (TComboBox* combo : {ComboBox1, ComboBox2, ComboBox3})
        combo->OnChange = [this, combo] { ComboBox4Change(combo); };
    for (TComboBox* combo : {ComboBox4, ComboBox5, ComboBox6})
        combo->OnChange = [this, combo] { ComboBox6Change(combo); };
    ComboBox7->OnChange = [this] { ComboBox7Change(); };
    RadioGroup1->OnClick = [this] { RadioGroup1Click(); };
    RadioGroup2->OnClick = [this] { RadioGroup2Click(); };
    RadioGroup3->OnClick = [this] { RadioGroup3Click(); };
    RadioButton1->OnClick = [this] { RadioButton1Click(); };
    RadioButton2->OnClick = [this] { RadioButton1Click(); };
}

// ------------------------------------------------------------ entry and copy

void TFormConfigVias::MostraModulo(std::uint8_t* imagem, const char* textoInicial)
{
    textoInicial_ = textoInicial ? QString::fromLatin1(textoInicial) : QString();
    TFormModulo::MostraModulo(imagem);
}

// The work copy, and the trunk the start text names. A text naming no
// trunk of the four opens trunk 1.
void TFormConfigVias::PreparaModulo()
{
    std::memcpy(CopiaVias.data(), ImagemAtual + ofsFatiaVias, CopiaVias.size());
    viaAtual_ = 1;
    const int via = ViaDoTexto(textoInicial_);
    Edit1->SetText(via ? TextoVia(via) : TextoVia(1));
    MostraCfgVias(via ? via : 1);
}

void TFormConfigVias::ConfirmaModulo()
{
    std::memcpy(ImagemAtual + ofsFatiaVias, CopiaVias.data(), CopiaVias.size());
}

// Byte `campo` of trunk `via` in the work copy.
std::uint8_t& TFormConfigVias::ByteDoCampo(int campo, int via)
{
    if (campo >= 0 && campo < static_cast<int>(std::size(kByteDoCampo)))
        return CopiaVias[static_cast<size_t>(PosicaoViaNaFatia(via) + kByteDoCampo[campo])];
    return CopiaVias[static_cast<size_t>(PosicaoModoNaFatia(via))];
}

// Every activation, also after the trunk picker: the lists are built again
// from the numbering plan and the groups, the texts shown kept.
void TFormConfigVias::FormActivate()
{
    caixas_.Preenche([this] {
        for (const ComboVia& dados : kCombos) {
            TComboBox* combo = this->*dados.membro;
            const QString texto = combo->Text();
            if (dados.atendente) {
                combo->Items().Clear();
                CarregaListaDestinos(dados.com9OuZero, dados.com60, combo->Items());
            } else {
                CarregaComboNumeros(dados.com9OuZero, combo, dados.menor, QString::fromLatin1(dados.formato),
                                    dados.maior);
            }
            combo->SetText(texto);
        }
    });
    Edit1->SetFocus();
}

// ------------------------------------------------------------ trunk shown

void TFormConfigVias::Edit1Change()
{
    if (const int via = ViaDoTexto(Edit1->Text()))
        MostraCfgVias(via);
}

// A number that names no trunk is not taken: the edit shows the current
// trunk again.
void TFormConfigVias::Edit1Exit()
{
    if (ViaDoTexto(Edit1->Text()) != viaAtual_)
        Edit1->SetText(TextoVia(viaAtual_));
}

void TFormConfigVias::MostraCfgVias(int via)
{
    viaAtual_ = via;
    const std::uint8_t* registro = CopiaVias.data() + PosicaoViaNaFatia(via);
    const std::uint8_t modo = CopiaVias[static_cast<size_t>(PosicaoModoNaFatia(via))];
    caixas_.Preenche([&] {
        const int cifras = (registro[kViaCifras] & kCifrasLocais) >> 1;
        RadioGroup2->SetItemIndex(cifras < static_cast<int>(std::size(kCifrasDoItem)) ? cifras : -1);
        caixas_.Mostra();
        CheckBox1->SetChecked(registro[kViaInicioBilhetagem] == kBilhetagemInversao);
        CheckBox15->SetChecked(ViaEnlace(modo));
        for (const ComboVia& dados : kCombos) {
            TComboBox* combo = this->*dados.membro;
            const std::uint8_t valor = registro[kByteDoCampo[dados.campo]];
            if (dados.atendente)
                combo->SetText(QString::fromStdString(AtendenteViaParaTexto(ImagemAtual, valor)));
            else if (combo == ComboBox7)
                combo->SetText((valor & kUmToqueAtender) ? QStringLiteral("1") : QStringLiteral("0"));
            else
                combo->SetText(QString::fromStdString(FormatInt(dados.formato, valor)));
        }
        ((registro[kViaSinalizacao] & kIdentificacaoFsk) ? RadioButton2 : RadioButton1)->SetChecked(true);
        const int rota = modo & kModoRota;
        RadioGroup3->SetItemIndex(rota < RadioGroup3->Items().Count() ? rota : -1);
        RadioGroup1->SetItemIndex((modo & kModoMultiFrequencial) ? 1 : 0);
    });
    RadioButton1->SetEnabled(CheckBox8->Checked());
    RadioButton2->SetEnabled(CheckBox8->Checked());
}

// Stores into trunk `via`: the bits of byte 0, 7 or the mode byte, a timing
// value, or the attendant its combo shows.
void TFormConfigVias::TrocaCfgVia(int campo, std::uint8_t mantem, int via, std::uint8_t liga)
{
    std::uint8_t& byte = ByteDoCampo(campo, via);
    switch (campo) {
    case kCampoCifras:
    case kCampoSinalizacao:
    case kCampoModo - 1: // fields 8 and 9 both name the mode byte
    case kCampoModo:
        byte = static_cast<std::uint8_t>((byte & mantem) | liga);
        break;
    case kCampoAtendente:
    case kCampoTransbordo:
    case kCampoNoturno: {
        TComboBox* combo = campo == kCampoAtendente ? ComboBox1 : campo == kCampoTransbordo ? ComboBox2 : ComboBox3;
        byte = TextoParaAtendenteVia(ImagemAtual, combo->Text().toStdString());
        break;
    }
    case kCampoTempoTransbordo:
    case kCampoInicioBilhetagem:
    case kCampoTomDisco:
        byte = liga;
        break;
    default:
        break;
    }
}

// ------------------------------------------------------------ check boxes

// The bit boxes' click: the box's bit, then the caller-ID buttons follow
// "Identificador de Chamada", and a trunk neither outgoing nor incoming is a
// link, which only decadic signalling serves.
void TFormConfigVias::CheckBox3Click(TCheckBox* Sender)
{
    if (!caixas_.Editando())
        return;
    caixas_.Grava(Sender);
    if (Sender == CheckBox8) {
        const bool identifica = CheckBox8->Checked();
        RadioButton1->SetEnabled(identifica);
        RadioButton2->SetEnabled(identifica);
        if (identifica)
            RadioButton1->SetChecked(true);
    }
    const bool enlace = !CheckBox12->Checked() && !CheckBox13->Checked();
    CheckBox15->SetChecked(enlace);
    if (enlace) {
        RadioGroup1->SetItemIndex(0);
        TrocaCfgVia(kCampoModo, static_cast<std::uint8_t>(~kModoMultiFrequencial), viaAtual_, 0);
    }
}

// Polarity reversal starts billing at once; without it billing starts after
// 7 s. The billing combo shows the value.
void TFormConfigVias::CheckBox1Click()
{
    if (!caixas_.Editando())
        return;
    const int valor = CheckBox1->Checked() ? kBilhetagemInversao : kBilhetagemSemInversao;
    ComboBox6->SetText(QString::fromStdString(FormatInt("00", valor)));
    TrocaCfgVia(kCampoInicioBilhetagem, 0, viaAtual_, static_cast<std::uint8_t>(valor));
}

// The labels that continue a box's caption act as the box: a press on them
// goes into the box and ticks or unticks it.
void TFormConfigVias::ContinuaCaixa(TCheckBox* caixa)
{
    caixa->SetFocus();
    if (caixa->Focused())
        caixa->SetChecked(!caixa->Checked());
}

void TFormConfigVias::Label3Click()
{
    ContinuaCaixa(CheckBox1);
}

void TFormConfigVias::Label4Click()
{
    ContinuaCaixa(CheckBox11);
}

// ------------------------------------------------------------ combos

bool TFormConfigVias::EhAtendente(const TComboBox* combo) const
{
    return combo == ComboBox1 || combo == ComboBox2 || combo == ComboBox3;
}

// Whether the value, formatted as the combo's items are, is one of them.
bool TFormConfigVias::ValorNaLista(TComboBox* combo, int valor)
{
    const char* formato = combo == ComboBox7 ? "0" : "00";
    return combo->Items().IndexOf(QString::fromStdString(FormatInt(formato, valor))) >= 0;
}

// An attendant text the exit check accepts, checked without a message.
bool TFormConfigVias::AtendenteAceito(TComboBox* combo)
{
    const QString texto = Limpo(combo);
    if (combo == ComboBox1 && texto == QLatin1String("9"))
        return true;
    return RegraRamalDigitado(false, texto, combo->Items().ToStringList()) == 0;
}

// The attendants: a text is stored as soon as it is one the exit check
// accepts, so that a number half typed never reaches the trunk.
void TFormConfigVias::ComboBox4Change(TComboBox* Sender)
{
    if (!caixas_.Editando())
        return;
    if (Limpo(Sender).size() > 4) {
        MostraErro(QString::fromUtf8(kMensagemRamalLongo));
        return;
    }
    if (AtendenteAceito(Sender))
        TrocaCfgVia(Sender->Tag, 0, viaAtual_, 0);
}

// The timings: a number in the combo's range is stored; a text that is no
// number raises the conversion error.
void TFormConfigVias::ComboBox6Change(TComboBox* Sender)
{
    if (!caixas_.Editando())
        return;
    const QString texto = Limpo(Sender);
    if (texto.isEmpty())
        return;
    const int valor = StrToInt(texto.toStdString());
    if (!ValorNaLista(Sender, valor))
        return;
    TrocaCfgVia(Sender->Tag, 0, viaAtual_, static_cast<std::uint8_t>(valor));
    // The box shows whether billing starts at once; setting it stores nothing.
    if (Sender == ComboBox6)
        caixas_.Preenche([&] { CheckBox1->SetChecked(valor == kBilhetagemInversao); });
}

void TFormConfigVias::ComboBox7Change()
{
    if (!caixas_.Editando())
        return;
    const QString texto = Limpo(ComboBox7);
    if (texto.isEmpty())
        return;
    const int toques = StrToInt(texto.toStdString());
    if (toques == 0 || toques == 1)
        TrocaCfgVia(kCampoSinalizacao, static_cast<std::uint8_t>(~kUmToqueAtender), viaAtual_,
                    toques ? kUmToqueAtender : 0);
}

// The main attendant may also be "9".
bool TFormConfigVias::ComboBox1Exit()
{
    if (Limpo(ComboBox1) == QLatin1String("9") || ValidaComboRamal(false, ComboBox1)) {
        TrocaCfgVia(kCampoAtendente, 0, viaAtual_, 0);
        return true;
    }
    ComboBox1->SetFocus();
    return false;
}

bool TFormConfigVias::ComboBox2Exit(TComboBox* Sender)
{
    if (ValidaComboRamal(false, Sender)) {
        TrocaCfgVia(Sender->Tag, 0, viaAtual_, 0);
        return true;
    }
    Sender->SetFocus();
    return false;
}

// A timing is accepted only as one of the combo's values.
bool TFormConfigVias::ComboBox4Exit(TComboBox* Sender)
{
    bool numero = false;
    const int valor = Limpo(Sender).toInt(&numero);
    if (!numero || !ValorNaLista(Sender, valor)) {
        Recusa(QString::fromUtf8(kMensagemFaixa), Sender);
        return false;
    }
    if (Sender == ComboBox7)
        TrocaCfgVia(kCampoSinalizacao, static_cast<std::uint8_t>(~kUmToqueAtender), viaAtual_,
                    valor ? kUmToqueAtender : 0);
    else
        TrocaCfgVia(Sender->Tag, 0, viaAtual_, static_cast<std::uint8_t>(valor));
    return true;
}

bool TFormConfigVias::SaidaCombo(TComboBox* Sender)
{
    if (Sender == ComboBox1)
        return ComboBox1Exit();
    if (EhAtendente(Sender))
        return ComboBox2Exit(Sender);
    return ComboBox4Exit(Sender);
}

// Whether the combo shows something else than the trunk holds: a text typed
// that no exit check has seen yet.
bool TFormConfigVias::Alterado(TComboBox* combo)
{
    const int campo = combo->Tag;
    const std::uint8_t valor = ByteDoCampo(campo, viaAtual_);
    if (EhAtendente(combo))
        return Limpo(combo) != QString::fromStdString(AtendenteViaParaTexto(ImagemAtual, valor)).trimmed();
    bool numero = false;
    const int lido = Limpo(combo).toInt(&numero);
    const int guardado = combo == ComboBox7 ? ((valor & kUmToqueAtender) ? 1 : 0) : valor;
    return !numero || lido != guardado;
}

// The combos' texts that have not been stored get the exit checks, with
// their messages, in tab order; the first refused one keeps the focus.
bool TFormConfigVias::ConfereCombos()
{
    for (const ComboVia& dados : kCombos) {
        TComboBox* combo = this->*dados.membro;
        if (Alterado(combo) && !SaidaCombo(combo))
            return false;
    }
    return true;
}

// ------------------------------------------------------------ radio groups

void TFormConfigVias::RadioGroup3Click()
{
    if (!caixas_.Editando() || RadioGroup3->ItemIndex() < 0)
        return;
    TrocaCfgVia(kCampoModo, static_cast<std::uint8_t>(~kModoRota), viaAtual_,
                static_cast<std::uint8_t>(RadioGroup3->ItemIndex()));
}

void TFormConfigVias::RadioGroup2Click()
{
    const int item = RadioGroup2->ItemIndex();
    if (!caixas_.Editando() || item < 0)
        return;
    TrocaCfgVia(kCampoCifras, static_cast<std::uint8_t>(~kCifrasLocais), viaAtual_,
                kCifrasDoItem[static_cast<size_t>(item)]);
}

// A link trunk is decadic: choosing multi-frequency there is refused, with
// a word when the user chose it in the group.
void TFormConfigVias::RadioGroup1Click()
{
    if (!caixas_.Editando())
        return;
    if (CheckBox15->Checked() && RadioGroup1->ItemIndex() == 1) {
        if (naSinalizacao_)
            Application->MessageBox(QString::fromUtf8(kMensagemEnlace), QStringLiteral("Informação"), kCaixaAviso);
        RadioGroup1->SetItemIndex(0);
    }
    TrocaCfgVia(kCampoModo, static_cast<std::uint8_t>(~kModoMultiFrequencial), viaAtual_,
                RadioGroup1->ItemIndex() == 1 ? kModoMultiFrequencial : 0);
}

// The caller-ID signalling is stored whenever a button is chosen.
void TFormConfigVias::RadioButton1Click()
{
    TrocaCfgVia(kCampoSinalizacao, static_cast<std::uint8_t>(~kIdentificacaoFsk), viaAtual_,
                RadioButton2->Checked() ? kIdentificacaoFsk : 0);
}

// ------------------------------------------------------------ buttons

// The navigation buttons go through the trunk number edit; a combo that
// refuses to be left keeps the trunk where it is.
bool TFormConfigVias::PoeViaNoEdit(int via)
{
    Edit1->SetFocus();
    if (!Edit1->Focused())
        return false;
    Edit1->SetText(TextoVia(via));
    return true;
}

void TFormConfigVias::SpeedButton1Click()
{
    if (!PoeViaNoEdit(1))
        return;
    SpeedButton2->SetEnabled(false);
    SpeedButton3->SetEnabled(true);
}

// Previous from the first trunk stays there and the button goes grey.
void TFormConfigVias::SpeedButton2Click()
{
    const bool primeira = viaAtual_ <= 1;
    if (!PoeViaNoEdit(primeira ? 1 : viaAtual_ - 1))
        return;
    if (primeira)
        SpeedButton2->SetEnabled(false);
    SpeedButton3->SetEnabled(true);
}

// Next from the last trunk stays there and the button goes grey.
void TFormConfigVias::SpeedButton3Click()
{
    const bool ultima = viaAtual_ >= kVias;
    if (!PoeViaNoEdit(ultima ? kVias : viaAtual_ + 1))
        return;
    if (ultima)
        SpeedButton3->SetEnabled(false);
    SpeedButton2->SetEnabled(true);
}

void TFormConfigVias::SpeedButton4Click()
{
    if (!PoeViaNoEdit(kVias))
        return;
    SpeedButton2->SetEnabled(true);
    SpeedButton3->SetEnabled(false);
}

// Yes: every trunk gets the factory configuration; No: the current one.
void TFormConfigVias::PadButtonClick()
{
    const int resposta = AplicaPadrao(TPadrao::ConfigVias, 1, kVias, viaAtual_, [this](int via) {
        std::memcpy(CopiaVias.data() + PosicaoViaNaFatia(via), ImagemPadrao() + OffsetVia(via),
                    Area("ConfiguracaoVias").tamanhoRegistro);
        CopiaVias[static_cast<size_t>(PosicaoModoNaFatia(via))] = BytePadrao(OffsetModoVia(via));
    });
    if (resposta != IDYES && resposta != IDNO)
        return;
    MostraCfgVias(viaAtual_);
}

// The current trunk, as shown, goes to every trunk chosen in the picker.
void TFormConfigVias::CopiaButtonClick()
{
    if (!ConfereCombos() || !FormCopiaVia || FormCopiaVia->ShowModal() != mrOk)
        return;
    const std::uint8_t* origem = CopiaVias.data() + PosicaoViaNaFatia(viaAtual_);
    const std::uint8_t modo = CopiaVias[static_cast<size_t>(PosicaoModoNaFatia(viaAtual_))];
    for (int via = 1; via <= kVias; ++via) {
        if (!FormCopiaVia->Selecao[static_cast<size_t>(via - 1)] || via == viaAtual_)
            continue;
        std::memcpy(CopiaVias.data() + PosicaoViaNaFatia(via), origem, Area("ConfiguracaoVias").tamanhoRegistro);
        CopiaVias[static_cast<size_t>(PosicaoModoNaFatia(via))] = modo;
    }
}

// Ok by mouse or by its key: the combos' texts not yet checked are checked
// and stored first.
void TFormConfigVias::OkButtonClick()
{
    if (ConfereCombos())
        SetModalResult(mrOk);
}
