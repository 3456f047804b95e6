#include "modules/formtempor.h"

#include "image/conversao.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "modules/seletores.h"

TFormTempor* FormTempor = nullptr;

namespace {

constexpr int kContextoAjuda = 1000;

// One timing: its combo, the group it stands in (0 "Temporizações", 1
// "Outros"), its label, the values listed, the characters it takes and its
// image byte (whose factory value "Padrão" shows). Ok stores them in this
// order.
struct CampoTemporizacao {
    const char* nome;
    int grupo;
    int linha;
    const char* rotulo;
    int menor;
    int maior;
    int caracteres;
    int ofs;
};

const CampoTemporizacao kCampos[] = {
    {"ComboBox1", 0, 0, "Tempo de geração de flash (x 100 ms)", 1, 9, 1, ofsTempoGeracaoFlash},
    {"ComboBox2", 0, 1, "Tempo comando atuação 1 (seg.)", 0, 20, 2, ofsTempoAtuacao},
    {"ComboBox4", 0, 2, "Tempo entre tentativas rechamada (min.)", 1, 9, 1, ofsIntervaloRechamada},
    {"ComboBox5", 1, 0, "Número de toques do despertador", 3, 7, 1, ofsToquesDespertador},
    {"ComboBox6", 1, 1, "Número de toques de rechamada", 3, 7, 1, ofsToquesRechamada},
    {"ComboBox7", 1, 2, "Número de tentativas rechamada externa", 1, 9, 1, ofsTentativasRechamada},
};

const GrupoModulo<TFormTempor> kGrupos[] = {
    {&TFormTempor::GroupBox1, "GroupBox1", "Temporizações", {8, 8, 384, 112}},
    {&TFormTempor::GroupBox2, "GroupBox2", "Outros", {8, 128, 384, 112}},
};

Lugar LugarRotulo(int linha) { return {12, 26 + 28 * linha, 290, 20}; }
Lugar LugarCombo(int linha) { return {304, 22 + 28 * linha, 64, 24}; }

const BotaoModulo<TFormTempor> kBotoes[] = {
    {&TFormTempor::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 252}},
    {&TFormTempor::PadButton, TPapelBotao::Padrao, "PadButton", {104, 252}},
    {&TFormTempor::CancButton, TPapelBotao::Cancela, "CancButton", {208, 252}},
    {&TFormTempor::OkButton, TPapelBotao::Ok, "OkButton", {312, 252}},
};

} // namespace

TFormTempor::TFormTempor(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Temporizações"));
    SetClientSize(400, 290);
    HelpContext = kContextoAjuda;

    CriaGrupos(kGrupos);

    for (size_t i = 0; i < std::size(kCampos); ++i) {
        const CampoTemporizacao& campo = kCampos[i];
        TGroupBox* grupo = this->*kGrupos[campo.grupo].membro;
        auto* combo = Posiciona(new TComboBox(grupo, csDropDown), campo.nome, LugarCombo(campo.linha));
        combo->SetMaxLength(campo.caracteres);
        combo->HelpContext = kContextoAjuda;
        CarregaComboNumeros(false, combo, campo.menor, QStringLiteral("0"), campo.maior);
        auto* rotulo = Posiciona(new TLabel(QString::fromUtf8(campo.rotulo), grupo), "", LugarRotulo(campo.linha));
        rotulo->SetFocusControl(combo);
        combos_[i] = combo;
    }
    ComboBox1 = combos_[0];
    ComboBox2 = combos_[1];
    ComboBox4 = combos_[2];
    ComboBox5 = combos_[3];
    ComboBox6 = combos_[4];
    ComboBox7 = combos_[5];

    CriaBotoes(kBotoes);
}

void TFormTempor::FormShow()
{
    for (size_t i = 0; i < std::size(kCampos); ++i)
        combos_[i]->SetText(QString::number(ImagemAtual[kCampos[i].ofs]));
    ComboBox1->SetFocus();
}

void TFormTempor::PadButtonClick()
{
    if (ConfirmaPadrao(TPadrao::Tempor) != IDYES)
        return;
    for (size_t i = 0; i < std::size(kCampos); ++i)
        combos_[i]->SetText(QString::number(BytePadrao(kCampos[i].ofs)));
}

// Every value is read and checked before any byte is written, so a text
// that is not a number leaves the whole area as it was.
void TFormTempor::OkButtonClick()
{
    std::array<std::uint8_t, std::size(kCampos)> valores{};
    for (size_t i = 0; i < std::size(kCampos); ++i) {
        try {
            valores[i] = static_cast<std::uint8_t>(StrToInt(combos_[i]->Text().toStdString()));
        } catch (const EConvertError& erro) {
            Recusa(QString::fromStdString(erro.what()), combos_[i]);
            return;
        }
    }
    for (size_t i = 0; i < std::size(kCampos); ++i)
        ImagemAtual[kCampos[i].ofs] = valores[i];
    SetModalResult(mrOk);
}
