#include "modules/formcancprog.h"

#include "image/layout.h"

#include <cstring>

TFormCancProg* FormCancProg = nullptr;

namespace {

constexpr int kContextoAjuda = 600;

// The work copy of the two control bytes: [0] option bits (image 702),
// [1] recorded-message flag (image 703).
std::uint8_t CopiaControle[2];

// A box's Tag: the high byte is the mask that sets its bits in the option
// byte, the low byte the mask that clears them; a low byte of 0xFF means the
// recorded-message flag instead.
constexpr int kTagMensagemGravada = 0xFF;
constexpr std::uint8_t kMensagemGravada = 0x80;

int MascaraLiga(int tag) { return tag >> 8; }
int MascaraDesliga(int tag) { return tag & 0xFF; }

// The boxes in the order the window loads them.
struct CaixaControle {
    TCheckBox* TFormCancProg::*membro;
    const char* nome;
    const char* legenda;
    int tag;
    Lugar lugar;
};

const CaixaControle kCaixas[] = {
    {&TFormCancProg::CheckBox6, "CheckBox6", "Mensagem campo gravada", 33023, {16, 196, 240, 22}},
    {&TFormCancProg::CheckBox1, "CheckBox1", "Mensagem fábrica todo dia", 4335, {16, 12, 240, 22}},
    {&TFormCancProg::CheckBox2, "CheckBox2", "Mensagem de fabrica dia", 510, {40, 36, 216, 22}},
    {&TFormCancProg::CheckBox10, "CheckBox10", "Mensagem de fabrica noite", 765, {40, 60, 216, 22}},
    {&TFormCancProg::CheckBox3, "CheckBox3", "DISA todo dia", 3315, {16, 92, 240, 22}},
    {&TFormCancProg::CheckBox8, "CheckBox8", "DISA dia", 1275, {40, 116, 216, 22}},
    {&TFormCancProg::CheckBox11, "CheckBox11", "DISA noite", 2295, {40, 140, 216, 22}},
    {&TFormCancProg::CheckBox5, "CheckBox5", "Atendedor no modo menu", 8415, {16, 168, 240, 22}},
    {&TFormCancProg::CheckBox4, "CheckBox4", "Ativa mensagem campo dia", 32895, {40, 220, 216, 22}},
    {&TFormCancProg::CheckBox7, "CheckBox7", "Ativa mensagem campo noite", 16575, {40, 244, 216, 22}},
};

// A box shows checked when all its bits are set (the recorded-message box
// when the flag byte is exactly 0x80).
bool MarcadaNaCopia(int tag)
{
    if (MascaraDesliga(tag) == kTagMensagemGravada)
        return CopiaControle[1] == kMensagemGravada;
    return (CopiaControle[0] & MascaraLiga(tag)) == MascaraLiga(tag);
}

const BotaoModulo<TFormCancProg> kBotoes[] = {
    {&TFormCancProg::HelpBitBtn, TPapelBotao::Ajuda, {"HelpBitBtn", "&Ajuda", {8, 280, 80, 28}}},
    {&TFormCancProg::CancButton, TPapelBotao::Padrao, {"CancButton", "&Padrão", {96, 280, 80, 28}}},
    {&TFormCancProg::OKButton, TPapelBotao::Ok, {"OKButton", "O&k", {184, 280, 80, 28}, mrOk}},
    {&TFormCancProg::BtnCancela, TPapelBotao::Cancela, {"BtnCancela", "&Cancela", {272, 280, 80, 28}}},
};

} // namespace

TFormCancProg::TFormCancProg(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Controle de atendedor digital"));
    SetClientSize(360, 316);
    HelpContext = kContextoAjuda;

    for (const CaixaControle& dados : kCaixas) {
        auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), this), dados.nome, dados.lugar);
        caixa->Tag = dados.tag;
        caixa->HelpContext = kContextoAjuda;
        this->*dados.membro = caixa;
        caixas_.push_back(caixa);
    }
    // The recorded message is known only from the exchange; its field boxes
    // follow it.
    CheckBox6->SetEnabled(false);
    CheckBox4->SetEnabled(false);
    CheckBox7->SetEnabled(false);

    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    CheckBox2->OnClick = [this] { CheckBox2Click(CheckBox2); };
    CheckBox10->OnClick = [this] { CheckBox2Click(CheckBox10); };
    CheckBox3->OnClick = [this] { CheckBox3Click(); };
    CheckBox8->OnClick = [this] { CheckBox8Click(CheckBox8); };
    CheckBox11->OnClick = [this] { CheckBox8Click(CheckBox11); };
    CheckBox5->OnClick = [this] { CheckBox5Click(); };
    CheckBox6->OnClick = [this] { CheckBox6Click(); };
    CheckBox4->OnClick = [this] { CheckBox4Click(CheckBox4); };
    CheckBox7->OnClick = [this] { CheckBox4Click(CheckBox7); };

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

void TFormCancProg::FormActivate()
{
    carregando_ = true;
    for (TCheckBox* caixa : caixas_)
        caixa->SetChecked(MarcadaNaCopia(caixa->Tag));
    carregando_ = false;
}

void TFormCancProg::GravaCaixa(TCheckBox* caixa)
{
    if (carregando_)
        return;
    if (MascaraDesliga(caixa->Tag) == kTagMensagemGravada) {
        CopiaControle[1] = caixa->Checked() ? kMensagemGravada : 0;
        return;
    }
    if (caixa->Checked())
        CopiaControle[0] |= static_cast<std::uint8_t>(MascaraLiga(caixa->Tag));
    else
        CopiaControle[0] &= static_cast<std::uint8_t>(MascaraDesliga(caixa->Tag));
}

void TFormCancProg::CheckBox1Click()
{
    if (CheckBox6->Checked())
        CheckBox6->SetChecked(false);
    const bool todoDia = CheckBox1->Checked();
    CheckBox2->SetEnabled(!todoDia);
    CheckBox10->SetEnabled(!todoDia);
    CheckBox2->SetChecked(todoDia);
    CheckBox10->SetChecked(todoDia);
    GravaCaixa(CheckBox1);
}

void TFormCancProg::CheckBox2Click(TCheckBox* Sender)
{
    if (!CheckBox1->Checked() && CheckBox2->Checked() && CheckBox10->Checked())
        CheckBox1->SetChecked(true);
    GravaCaixa(Sender);
}

void TFormCancProg::CheckBox3Click()
{
    const bool todoDia = CheckBox3->Checked();
    CheckBox8->SetEnabled(!todoDia);
    CheckBox11->SetEnabled(!todoDia);
    CheckBox8->SetChecked(todoDia);
    CheckBox11->SetChecked(todoDia);
    GravaCaixa(CheckBox3);
}

void TFormCancProg::CheckBox8Click(TCheckBox* Sender)
{
    if (!CheckBox3->Checked() && CheckBox8->Checked() && CheckBox11->Checked())
        CheckBox3->SetChecked(true);
    GravaCaixa(Sender);
}

void TFormCancProg::CheckBox5Click()
{
    GravaCaixa(CheckBox5);
}

void TFormCancProg::CheckBox6Click()
{
    const bool gravada = CheckBox6->Checked();
    CheckBox4->SetEnabled(gravada);
    CheckBox7->SetEnabled(gravada);
    CheckBox4->SetChecked(false);
    CheckBox7->SetChecked(false);
    GravaCaixa(CheckBox6);
}

void TFormCancProg::CheckBox4Click(TCheckBox* Sender)
{
    GravaCaixa(Sender);
}

void TFormCancProg::PadButtonClick()
{
    if (ConfirmaPadrao(TPadrao::CancProg) == IDYES) {
        CopiaControle[0] = 0;
        CopiaControle[1] = 0;
    }
    FormActivate();
}
