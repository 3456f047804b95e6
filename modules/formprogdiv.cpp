#include "modules/formprogdiv.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"

TFormProgDiv* FormProgDiv = nullptr;

namespace {

constexpr int kContextoAjuda = 1200;
constexpr int kDigitosMinimos = 2; // item 0 of the combo is "2"

// The option bytes, numbered as the boxes' tags name them.
constexpr int kBilhetagem = 0;
constexpr int kFacilidades = 1;
constexpr int kSemByte = -1;
constexpr int kOfsOpcoes[] = {ofsBilhetagemDiversas, ofsFacilidadesDiversas};

// One check box: its group (0 billing, 1 others), caption, the byte and bit
// it shows, and whether it is fixed (always ticked and disabled; a fixed box
// with a bit always sets it).
struct CaixaBit {
    TCheckBox* TFormProgDiv::*membro;
    const char* nome;
    int grupo;
    const char* legenda;
    int byte;
    int bit;
    bool fixa;
};

const CaixaBit kCaixas[] = {
    {&TFormProgDiv::CheckBox5, "CheckBox5", 0, "Habilita bilhetagem de ligações originadas", kBilhetagem, 6, false},
    {&TFormProgDiv::CheckBox7, "CheckBox7", 0, "Habilita bilhetagem de ligações recebidas", kBilhetagem, 0, false},
    {&TFormProgDiv::CheckBox9, "CheckBox9", 0, "Habilita bilhetagem de ligação recebida não atendida", kBilhetagem, 5, false},
    {&TFormProgDiv::CheckBox6, "CheckBox6", 0, "Habilita bilhetagem de ligação antes do atendimento", kBilhetagem, 4, false},
    {&TFormProgDiv::CheckBox8, "CheckBox8", 0, "Bloqueio de chamadas por alarme de tarifação", kBilhetagem, 2, false},
    {&TFormProgDiv::CheckBox12, "CheckBox12", 0, "Apresenta categoria do assinante chamador", kFacilidades, 2, false},
    {&TFormProgDiv::CheckBox10, "CheckBox10", 0, "Impressora serial", kSemByte, 0, true},
    {&TFormProgDiv::CheckBox3, "CheckBox3", 1, "Habilita facilidades CPA", kFacilidades, 6, false},
    {&TFormProgDiv::CheckBox2, "CheckBox2", 1, "Habilita retorno de chamada transferida", kFacilidades, 5, false},
    {&TFormProgDiv::CheckBox1, "CheckBox1", 1, "Habilita conferência", kFacilidades, 4, false},
    {&TFormProgDiv::CheckBox4, "CheckBox4", 1, "Habilita TI a capturar chamada recebida não atendida", kFacilidades, 3, false},
    {&TFormProgDiv::CheckBox13, "CheckBox13", 1, "Música para espera", kFacilidades, 1, true},
    {&TFormProgDiv::CheckBox11, "CheckBox11", 1, "Chamada interna sem fila", kFacilidades, 0, false},
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
    {&TFormProgDiv::OkButton, TPapelBotao::Ok, "OkButton", {680, 256}},
    {&TFormProgDiv::CancButton, TPapelBotao::Cancela, "CancButton", {584, 256}},
    {&TFormProgDiv::PadButton, TPapelBotao::Padrao, "PadButton", {488, 256}},
    {&TFormProgDiv::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 256}},
};

} // namespace

TFormProgDiv::TFormProgDiv(QWidget* owner)
    : TFormModulo(owner), caixas_(BitsDaTagBitCampo, [this](int campo) -> std::uint8_t& { return bytes_[campo]; })
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
        } else {
            caixas_.Liga(caixa, TagBitCampo(dados.bit, dados.byte));
        }
        this->*dados.membro = caixa;
    }

    ComboBox1 = Posiciona(new TComboBox(this, csDropDownList), "ComboBox1", kLugarComboDigitos);
    ComboBox1->Items().Assign({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    ComboBox1->HelpContext = kContextoAjuda;
    auto* rotulo = Posiciona(new TLabel(QStringLiteral("&Número de dígitos da senha de ramal"), this), "Label1",
                             kLugarRotuloDigitos);
    rotulo->SetFocusControl(ComboBox1);

    CriaBotoes(kBotoes);
}

// Shows the option bytes and the password length of an image (the one under
// edit, or the factory one for "Padrão").
void TFormProgDiv::MostraOpcoes(std::uint8_t (*byteDe)(int ofs))
{
    for (int campo : {kBilhetagem, kFacilidades})
        bytes_[static_cast<size_t>(campo)] = byteDe(kOfsOpcoes[campo]);
    caixas_.Mostra();
    const int indice = byteDe(ofsDigitosSenhaRamal) - kDigitosMinimos;
    ComboBox1->SetItemIndex(indice >= 0 && indice < ComboBox1->Items().Count() ? indice : -1);
}

void TFormProgDiv::FormShow()
{
    MostraOpcoes([](int ofs) { return ImagemAtual[ofs]; });
}

void TFormProgDiv::PadButtonClick()
{
    if (ConfirmaPadrao(TPadrao::ProgDiv) == IDYES)
        MostraOpcoes(BytePadrao);
}

// With no number of digits chosen (a stored value outside 2..4) the stored
// byte is kept, rather than written as a length the exchange does not know.
void TFormProgDiv::OkButtonClick()
{
    if (ComboBox1->ItemIndex() >= 0)
        ImagemAtual[ofsDigitosSenhaRamal] = static_cast<std::uint8_t>(ComboBox1->ItemIndex() + kDigitosMinimos);
    for (int campo : {kBilhetagem, kFacilidades}) {
        std::uint8_t& byte = bytes_[static_cast<size_t>(campo)];
        byte = ImagemAtual[kOfsOpcoes[campo]];
        AjustaBit(byte, kBitSempreLimpo, false);
    }
    for (const CaixaBit& dados : kCaixas)
        if (dados.fixa && dados.byte != kSemByte)
            AjustaBit(bytes_[static_cast<size_t>(dados.byte)], dados.bit, true);
    for (TCheckBox* caixa : caixas_.Caixas())
        caixas_.Grava(caixa);
    for (int campo : {kBilhetagem, kFacilidades})
        ImagemAtual[kOfsOpcoes[campo]] = bytes_[static_cast<size_t>(campo)];
    SetModalResult(mrOk);
}
