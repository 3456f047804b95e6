#include "reports/formrelat.h"

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/formatting.h"
#include "platform/help.h"
#include "platform/lugar.h"
#include "platform/printer.h"
#include "state/registro.h"

#include <QApplication>
#include <QGroupBox>

namespace {

constexpr int kAjuda = 4800;
constexpr int kLargura = 449;
constexpr int kAltura = 257;

struct DadosCaixa {
    TCheckBox* TFormRelat::*membro;
    const char* nome;
    const char* legenda;
    int relatorio;
    Lugar lugar;
};

// The check boxes inside "&Programações", two columns of seven.
const DadosCaixa kCaixas[] = {
    {&TFormRelat::CB1, "CB1", "Categoria dos ramais", 1, {16, 24, 180, 17}},
    {&TFormRelat::CB2, "CB2", "Plano de numeração", 2, {16, 48, 180, 17}},
    {&TFormRelat::CB3, "CB3", "Configuração das vias", 3, {16, 72, 180, 17}},
    {&TFormRelat::CB4, "CB4", "Agenda geral", 4, {16, 96, 180, 17}},
    {&TFormRelat::CB6, "CB6", "Grupos de ramais", 6, {16, 120, 180, 17}},
    {&TFormRelat::CB7, "CB7", "Grupos chefe-secretária", 7, {16, 144, 180, 17}},
    {&TFormRelat::CB8, "CB8", "Temporizações", 8, {16, 168, 180, 17}},
    {&TFormRelat::CB9, "CB9", "Emergência externa", 9, {224, 24, 200, 17}},
    {&TFormRelat::CB10, "CB10", "Atendedores dos porteiros", 10, {224, 48, 200, 17}},
    {&TFormRelat::CB11, "CB11", "Programações diversas", 11, {224, 72, 200, 17}},
    {&TFormRelat::CB12, "CB12", "Bloqueio de prefixos", 12, {224, 96, 200, 17}},
    {&TFormRelat::CB14, "CB14", "Serviços automáticos", 14, {224, 120, 200, 17}},
    {&TFormRelat::CB15, "CB15", "Código particular", 15, {224, 144, 200, 17}},
    {&TFormRelat::CB17, "CB17", "Agenda individual dos ramais", 17, {224, 168, 200, 17}},
};
static_assert(std::size(kCaixas) == std::size(kNumerosRelatorios));

constexpr Lugar kGrupo = {8, 8, 433, 200};
constexpr DadosBotao kOk = {"OkButton", "O&k", {8, 220, 100, 27}, mrOk};
constexpr DadosBotao kCancela = {"CancButton", "&Cancela", {116, 220, 100, 27}, mrCancel, true};
constexpr DadosBotao kInverte = {"ApButton", "&Inverte seleção", {224, 220, 110, 27}};
constexpr DadosBotao kAjudaBotao = {"HelpBitBtn", "&Ajuda", {342, 220, 99, 27}};

// The hourglass while the reports print; the default cursor comes back
// however the printing ends.
class Ampulheta {
public:
    Ampulheta() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Ampulheta() { QApplication::restoreOverrideCursor(); }
    Ampulheta(const Ampulheta&) = delete;
    Ampulheta& operator=(const Ampulheta&) = delete;
};

} // namespace

TFormRelat::TFormRelat(QWidget* owner) : TForm(owner)
{
    setObjectName(QStringLiteral("FormRelat"));
    SetCaption(QString::fromUtf8("Relatório das programações"));
    BordaDeDialogo(this);
    HelpContext = kAjuda;
    SetClientSize(kLargura, kAltura);

    GroupBox1 = Posiciona(new QGroupBox(QString::fromUtf8("&Programações"), this), "GroupBox1", kGrupo);
    for (const DadosCaixa& dados : kCaixas) {
        auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), GroupBox1), dados.nome, dados.lugar);
        caixa->HelpContext = kAjuda;
        caixa->SetChecked(true);
        this->*dados.membro = caixa;
    }

    OkButton = CriaBotao(this, kOk, kAjuda);
    OkButton->Default = true;
    OkButton->OnClick = [this] { OkButtonClick(); };
    CancButton = CriaBotao(this, kCancela, kAjuda);
    CancButton->OnClick = [this] { CancButtonClick(); };
    ApButton = CriaBotao(this, kInverte, kAjuda);
    ApButton->OnClick = [this] { ApButtonClick(); };
    HelpBitBtn = CriaBotao(this, kAjudaBotao, kAjuda);
    HelpBitBtn->OnClick = [this] { HelpBitBtnClick(); };
}

std::array<TCheckBox*, std::size(kNumerosRelatorios)> TFormRelat::Caixas() const
{
    std::array<TCheckBox*, std::size(kNumerosRelatorios)> caixas{};
    for (size_t i = 0; i < caixas.size(); ++i)
        caixas[i] = this->*kCaixas[i].membro;
    return caixas;
}

void TFormRelat::FormShow()
{
    Selecao.fill(true);
    Selecao[0] = false;
}

void TFormRelat::ApButtonClick()
{
    for (TCheckBox* caixa : Caixas())
        caixa->SetChecked(!caixa->Checked());
}

void TFormRelat::OkButtonClick()
{
    Selecao.fill(false);
    bool algum = false;
    for (const DadosCaixa& dados : kCaixas) {
        const bool marcado = (this->*dados.membro)->Checked();
        Selecao[static_cast<size_t>(dados.relatorio)] = marcado;
        algum = algum || marcado;
    }
    if (!algum)
        return;
    try {
        Ampulheta ampulheta;
        std::unique_ptr<TPrinter> impressora = OpenPrinter();
        ImprimeRelatorios(*impressora, Imagem, ArquivoAtual, Selecao, Date());
    } catch (const EPrinterError& erro) {
        // The dialog stays open with the user's choice, after saying why
        // nothing was printed.
        SetModalResult(mrNone);
        Application->MessageBox(QString::fromStdString(erro.what()), QStringLiteral("Erro"), MB_OK | MB_ICONERROR);
    }
}

void TFormRelat::CancButtonClick()
{
    // Closing is all.
}

void TFormRelat::HelpBitBtnClick()
{
    ShowHelp(HelpContext);
}

void TFormRelat::ShowHelp(int context)
{
    ShowHelpContext(Application->HelpFile, context);
}

void MostraFormRelat()
{
    TFormRelat dialogo;
    dialogo.ShowModal();
}
