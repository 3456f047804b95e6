#include "modules/formprogdiv.h"

#include "image/layout.h"

TFormProgDiv* FormProgDiv = nullptr;

namespace {

constexpr int kContextoAjuda = 1200;
constexpr int kSemByte = -1;
constexpr int kDigitosMinimos = 2; // item 0 of the combo is "2"

// One check box: its group (0 billing, 1 others), caption, the byte and bit
// it shows, its factory state, and whether it is fixed (always ticked and
// disabled; a fixed box with a bit always sets it).
struct CaixaBit {
    TCheckBox* TFormProgDiv::*membro;
    const char* nome;
    int grupo;
    const char* legenda;
    int ofs;
    int bit;
    bool padrao;
    bool fixa;
};

const CaixaBit kCaixas[] = {
    {&TFormProgDiv::CheckBox5, "CheckBox5", 0, "Habilita bilhetagem de ligações originadas", ofsBilhetagemDiversas, 6, true, false},
    {&TFormProgDiv::CheckBox7, "CheckBox7", 0, "Habilita bilhetagem de ligações recebidas", ofsBilhetagemDiversas, 0, false, false},
    {&TFormProgDiv::CheckBox9, "CheckBox9", 0, "Habilita bilhetagem de ligação recebida não atendida", ofsBilhetagemDiversas, 5, false, false},
    {&TFormProgDiv::CheckBox6, "CheckBox6", 0, "Habilita bilhetagem de ligação antes do atendimento", ofsBilhetagemDiversas, 4, false, false},
    {&TFormProgDiv::CheckBox8, "CheckBox8", 0, "Bloqueio de chamadas por alarme de tarifação", ofsBilhetagemDiversas, 2, false, false},
    {&TFormProgDiv::CheckBox12, "CheckBox12", 0, "Apresenta categoria do assinante chamador", ofsFacilidadesDiversas, 2, false, false},
    {&TFormProgDiv::CheckBox10, "CheckBox10", 0, "Impressora serial", kSemByte, 0, true, true},
    {&TFormProgDiv::CheckBox3, "CheckBox3", 1, "Habilita facilidades CPA", ofsFacilidadesDiversas, 6, false, false},
    {&TFormProgDiv::CheckBox2, "CheckBox2", 1, "Habilita retorno de chamada transferida", ofsFacilidadesDiversas, 5, true, false},
    {&TFormProgDiv::CheckBox1, "CheckBox1", 1, "Habilita conferência", ofsFacilidadesDiversas, 4, true, false},
    {&TFormProgDiv::CheckBox4, "CheckBox4", 1, "Habilita TI a capturar chamada recebida não atendida", ofsFacilidadesDiversas, 3, false, false},
    {&TFormProgDiv::CheckBox13, "CheckBox13", 1, "Música para espera", ofsFacilidadesDiversas, 1, true, true},
    {&TFormProgDiv::CheckBox11, "CheckBox11", 1, "Chamada interna sem fila", ofsFacilidadesDiversas, 0, false, false},
};

// Bit 7 of both option bytes is cleared by every Ok.
constexpr int kBitSempreLimpo = 7;

const GrupoModulo<TFormProgDiv> kGrupos[] = {
    {&TFormProgDiv::GroupBox1, "GroupBox1", "&Bilhetagem", {8, 8, 372, 200}},
    {&TFormProgDiv::GroupBox2, "GroupBox2", "&Outros", {388, 8, 372, 200}},
};
Lugar LugarCaixa(int linha) { return {10, 20 + 25 * linha, 354, 22}; }

const Lugar kLugarRotuloDigitos{16, 222, 260, 20};
const Lugar kLugarComboDigitos{280, 218, 60, 24};

const BotaoModulo<TFormProgDiv> kBotoes[] = {
    {&TFormProgDiv::OkButton, TPapelBotao::Ok, {"OkButton", "O&k", {672, 256, 88, 28}}},
    {&TFormProgDiv::CancButton, TPapelBotao::Cancela, {"CancButton", "&Cancela", {576, 256, 88, 28}}},
    {&TFormProgDiv::PadButton, TPapelBotao::Padrao, {"PadButton", "&Padrão", {480, 256, 88, 28}}},
    {&TFormProgDiv::HelpBitBtn, TPapelBotao::Ajuda, {"HelpBitBtn", "&Ajuda", {8, 256, 88, 28}}},
};

const std::uint8_t kPotencias[] = {1, 2, 4, 8, 16, 32, 64, 128};

} // namespace

void AjustaBit(std::uint8_t& valor, int bit, bool ligado)
{
    if (bit < 0 || bit > 7)
        return;
    valor = ligado ? (valor | kPotencias[bit]) : (valor & ~kPotencias[bit]);
}

TFormProgDiv::TFormProgDiv(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Programações diversas"));
    SetClientSize(768, 294);
    HelpContext = kContextoAjuda;

    CriaGrupos(kGrupos);

    int linhas[2] = {0, 0};
    for (const CaixaBit& dados : kCaixas) {
        TGroupBox* grupo = this->*kGrupos[dados.grupo].membro;
        auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), grupo), dados.nome,
                                LugarCaixa(linhas[dados.grupo]++));
        caixa->HelpContext = kContextoAjuda;
        if (dados.fixa) {
            caixa->SetChecked(true);
            caixa->SetEnabled(false);
        }
        this->*dados.membro = caixa;
        caixas_.push_back(caixa);
    }

    ComboBox1 = Posiciona(new TComboBox(this, csDropDownList), "ComboBox1", kLugarComboDigitos);
    ComboBox1->Items().Assign({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    ComboBox1->HelpContext = kContextoAjuda;
    auto* rotulo = Posiciona(new TLabel(QStringLiteral("&Número de dígitos da senha de ramal"), this), "Label1",
                             kLugarRotuloDigitos);
    rotulo->SetFocusControl(ComboBox1);

    CriaBotoes(kBotoes);
}

void TFormProgDiv::FormShow()
{
    const int indice = ImagemAtual[ofsDigitosSenhaRamal] - kDigitosMinimos;
    ComboBox1->SetItemIndex(indice >= 0 && indice < ComboBox1->Items().Count() ? indice : -1);
    for (size_t i = 0; i < std::size(kCaixas); ++i)
        if (!kCaixas[i].fixa)
            caixas_[i]->SetChecked((ImagemAtual[kCaixas[i].ofs] & kPotencias[kCaixas[i].bit]) != 0);
}

void TFormProgDiv::PadButtonClick()
{
    if (ConfirmaPadrao(TPadrao::ProgDiv) != IDYES)
        return;
    for (size_t i = 0; i < std::size(kCaixas); ++i)
        caixas_[i]->SetChecked(kCaixas[i].padrao);
    ComboBox1->SetItemIndex(0);
}

// With no number of digits chosen (a stored value outside 2..4) the stored
// byte is kept, rather than written as a length the exchange does not know.
void TFormProgDiv::OkButtonClick()
{
    if (ComboBox1->ItemIndex() >= 0)
        ImagemAtual[ofsDigitosSenhaRamal] = static_cast<std::uint8_t>(ComboBox1->ItemIndex() + kDigitosMinimos);
    std::uint8_t bilhetagem = ImagemAtual[ofsBilhetagemDiversas];
    std::uint8_t facilidades = ImagemAtual[ofsFacilidadesDiversas];
    AjustaBit(bilhetagem, kBitSempreLimpo, false);
    AjustaBit(facilidades, kBitSempreLimpo, false);
    for (size_t i = 0; i < std::size(kCaixas); ++i) {
        const CaixaBit& dados = kCaixas[i];
        if (dados.ofs == kSemByte)
            continue;
        std::uint8_t& alvo = dados.ofs == ofsBilhetagemDiversas ? bilhetagem : facilidades;
        AjustaBit(alvo, dados.bit, caixas_[i]->Checked());
    }
    ImagemAtual[ofsBilhetagemDiversas] = bilhetagem;
    ImagemAtual[ofsFacilidadesDiversas] = facilidades;
    SetModalResult(mrOk);
}
