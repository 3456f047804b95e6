#include "modules/formcancprog.h"

#include "image/layout.h"
#include "image/padrao.h"

#include <cstring>

TFormCancProg* FormCancProg = nullptr;

namespace {

constexpr int kContextoAjuda = 600;

// The work copy of the two control bytes: [0] option bits (image 702),
// [1] recorded-message flag (image 703).
std::uint8_t CopiaControle[2];

// A box's Tag: the high byte is the mask that sets its bits in the option
// byte, the low byte the mask that keeps the others when it is cleared; a
// low byte of 0xFF means the recorded-message flag instead, which a ticked
// box sets to exactly 0x80 and an unticked one to 0.
constexpr int kMascaraMensagemGravada = 0xFF;
constexpr std::uint8_t kMensagemGravada = 0x80;

BitsDaCaixa BitsDaTag(int tag)
{
    if ((tag & 0xFF) == kMascaraMensagemGravada)
        return {1, kMensagemGravada, 0x00};
    return BitsDaTagLigaMantem(tag);
}

// The boxes in the order the window loads them.
struct CaixaControle {
    TCheckBox* TFormCancProg::*membro;
    const char* nome;
    const char* legenda;
    int tag;
    Lugar lugar;
    void (TFormCancProg::*clique)(TCheckBox*);
};

const CaixaControle kCaixas[] = {
    {&TFormCancProg::CheckBox6, "CheckBox6", "Mensagem campo gravada", TagLigaMantem(0x80, kMascaraMensagemGravada), {16, 196, 240, 22},
     &TFormCancProg::CheckBox6Click},
    {&TFormCancProg::CheckBox1, "CheckBox1", "Mensagem fábrica todo dia", TagLigaMantem(0x10, 0xEF), {16, 12, 240, 22},
     &TFormCancProg::CheckBox1Click},
    {&TFormCancProg::CheckBox2, "CheckBox2", "Mensagem de fabrica dia", TagLigaMantem(0x01, 0xFE), {40, 36, 216, 22},
     &TFormCancProg::CheckBox2Click},
    {&TFormCancProg::CheckBox10, "CheckBox10", "Mensagem de fabrica noite", TagLigaMantem(0x02, 0xFD), {40, 60, 216, 22},
     &TFormCancProg::CheckBox2Click},
    {&TFormCancProg::CheckBox3, "CheckBox3", "DISA todo dia", TagLigaMantem(0x0C, 0xF3), {16, 92, 240, 22},
     &TFormCancProg::CheckBox3Click},
    {&TFormCancProg::CheckBox8, "CheckBox8", "DISA dia", TagLigaMantem(0x04, 0xFB), {40, 116, 216, 22},
     &TFormCancProg::CheckBox8Click},
    {&TFormCancProg::CheckBox11, "CheckBox11", "DISA noite", TagLigaMantem(0x08, 0xF7), {40, 140, 216, 22},
     &TFormCancProg::CheckBox8Click},
    {&TFormCancProg::CheckBox5, "CheckBox5", "Atendedor no modo menu", TagLigaMantem(0x20, 0xDF), {16, 168, 240, 22},
     &TFormCancProg::CheckBox5Click},
    {&TFormCancProg::CheckBox4, "CheckBox4", "Ativa mensagem campo dia", TagLigaMantem(0x80, 0x7F), {40, 220, 216, 22},
     &TFormCancProg::CheckBox4Click},
    {&TFormCancProg::CheckBox7, "CheckBox7", "Ativa mensagem campo noite", TagLigaMantem(0x40, 0xBF), {40, 244, 216, 22},
     &TFormCancProg::CheckBox4Click},
};

const BotaoModulo<TFormCancProg> kBotoes[] = {
    {&TFormCancProg::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 280}},
    {&TFormCancProg::CancButton, TPapelBotao::Padrao, "CancButton", {96, 280}},
    {&TFormCancProg::OKButton, TPapelBotao::OkModal, "OKButton", {184, 280}},
    {&TFormCancProg::BtnCancela, TPapelBotao::Cancela, "BtnCancela", {272, 280}},
};

} // namespace

TFormCancProg::TFormCancProg(QWidget* owner)
    : TFormModulo(owner), caixas_(BitsDaTag, [](int campo) -> std::uint8_t& { return CopiaControle[campo]; })
{
    SetCaption(QStringLiteral("Controle de atendedor digital"));
    SetClientSize(360, 316);
    HelpContext = kContextoAjuda;

    for (const CaixaControle& dados : kCaixas) {
        auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), this), dados.nome, dados.lugar);
        caixa->HelpContext = kContextoAjuda;
        caixas_.Liga(caixa, dados.tag, [this, clique = dados.clique](TCheckBox* Sender) { (this->*clique)(Sender); });
        this->*dados.membro = caixa;
    }
    // The recorded message is known only from the exchange; its field boxes
    // follow it.
    CheckBox6->SetEnabled(false);
    CheckBox4->SetEnabled(false);
    CheckBox7->SetEnabled(false);

    CriaBotoes(kBotoes);
}

// The window edits a work copy of the two bytes, written back only on Ok.
void TFormCancProg::PreparaModulo()
{
    std::memcpy(CopiaControle, ImagemAtual + ofsControleAtendedor, sizeof CopiaControle);
}

void TFormCancProg::ConfirmaModulo()
{
    std::memcpy(ImagemAtual + ofsControleAtendedor, CopiaControle, sizeof CopiaControle);
}

// Filling the boxes runs their click rules, which store nothing meanwhile.
void TFormCancProg::FormActivate()
{
    caixas_.Mostra();
}

void TFormCancProg::CheckBox1Click(TCheckBox* Sender)
{
    if (CheckBox6->Checked())
        CheckBox6->SetChecked(false);
    TodoDiaClicado(CheckBox1, CheckBox2, CheckBox10);
    caixas_.Grava(Sender);
}

void TFormCancProg::CheckBox2Click(TCheckBox* Sender)
{
    DiaOuNoiteClicado(CheckBox1, CheckBox2, CheckBox10);
    caixas_.Grava(Sender);
}

void TFormCancProg::CheckBox3Click(TCheckBox* Sender)
{
    TodoDiaClicado(CheckBox3, CheckBox8, CheckBox11);
    caixas_.Grava(Sender);
}

void TFormCancProg::CheckBox8Click(TCheckBox* Sender)
{
    DiaOuNoiteClicado(CheckBox3, CheckBox8, CheckBox11);
    caixas_.Grava(Sender);
}

// A "todo dia" box enables its day and night boxes only while it is
// unticked, and gives both its own mark.
void TFormCancProg::TodoDiaClicado(TCheckBox* todoDia, TCheckBox* dia, TCheckBox* noite)
{
    const bool marcada = todoDia->Checked();
    for (TCheckBox* caixa : {dia, noite}) {
        caixa->SetEnabled(!marcada);
        caixa->SetChecked(marcada);
    }
}

// Day and night both ticked tick their "todo dia" box.
void TFormCancProg::DiaOuNoiteClicado(TCheckBox* todoDia, TCheckBox* dia, TCheckBox* noite)
{
    if (!todoDia->Checked() && dia->Checked() && noite->Checked())
        todoDia->SetChecked(true);
}

void TFormCancProg::CheckBox5Click(TCheckBox* Sender)
{
    caixas_.Grava(Sender);
}

void TFormCancProg::CheckBox6Click(TCheckBox* Sender)
{
    const bool gravada = CheckBox6->Checked();
    CheckBox4->SetEnabled(gravada);
    CheckBox7->SetEnabled(gravada);
    CheckBox4->SetChecked(false);
    CheckBox7->SetChecked(false);
    caixas_.Grava(Sender);
}

void TFormCancProg::CheckBox4Click(TCheckBox* Sender)
{
    caixas_.Grava(Sender);
}

void TFormCancProg::PadButtonClick()
{
    if (ConfirmaPadrao(TPadrao::CancProg) == IDYES)
        std::memcpy(CopiaControle, ImagemPadrao() + ofsControleAtendedor, sizeof CopiaControle);
    FormActivate();
}
