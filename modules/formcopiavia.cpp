#include "modules/formcopiavia.h"

#include "image/conversao.h"
#include "platform/lugar.h"

TFormCopiaVia* FormCopiaVia = nullptr;

namespace {

const Lugar kLugarGrupo{8, 8, 248, 72};
// The first cell inside the group; the next ones stand 56 pixels apart.
const Lugar kLugarCelula1{16, 26, 48, 32};
constexpr int kDistanciaCelulas = 56;

constexpr TColor kCorSelecionada = clTeal;

const DadosBotao kBotaoOk{"OkButton", "O&k", {40, 92, 80, 28}, mrOk};
const DadosBotao kBotaoCancela{"CancelButton", "&Cancela", {144, 92, 80, 28}, mrCancel, true};

} // namespace

TFormCopiaVia::TFormCopiaVia(QWidget* owner) : TForm(owner)
{
    BordaDeDialogo(this);
    SetCaption(QStringLiteral("Copia via atual"));
    SetClientSize(264, 132);

    GroupBox1 = Posiciona(new TGroupBox(QStringLiteral("Selecione as vias"), this), "GroupBox1", kLugarGrupo);
    for (int via = 1; via <= static_cast<int>(Celulas.size()); ++via)
        Celulas[static_cast<size_t>(via - 1)] = CriaCelula(via);
    Panel1 = Celulas[0];

    OkButton = CriaBotao(this, kBotaoOk);
    CancelButton = CriaBotao(this, kBotaoCancela);
}

// A cell: the first cell's size, bevels and mouse handler, its trunk number
// as caption and in its Tag.
TPanel* TFormCopiaVia::CriaCelula(int via)
{
    const std::string nome = "Panel" + std::to_string(via);
    Lugar lugar = kLugarCelula1;
    lugar.x += kDistanciaCelulas * (via - 1);
    auto* celula = Posiciona(new TPanel(GroupBox1), nome.c_str(), lugar);
    celula->SetCaption(QString::fromStdString(FormatInt("00", via)));
    celula->SetBevelWidth(2);
    celula->Tag = via;
    celula->OnMouseDown = [this, celula](TMouseButton, TShiftState, int, int) { Panel1MouseDown(celula); };
    return celula;
}

// Every showing starts with no trunk chosen.
void TFormCopiaVia::FormShow()
{
    Selecao.fill(0);
    for (size_t i = 0; i < Celulas.size(); ++i)
        MostraCelula(static_cast<int>(i));
}

void TFormCopiaVia::Panel1MouseDown(TPanel* Sender)
{
    const auto indice = static_cast<size_t>(Sender->Tag - 1);
    Selecao[indice] = Selecao[indice] ? 0 : 1;
    MostraCelula(static_cast<int>(indice));
}

// A chosen cell looks pressed in and coloured; the others raised.
void TFormCopiaVia::MostraCelula(int indice)
{
    TPanel* celula = Celulas[static_cast<size_t>(indice)];
    const bool selecionada = Selecao[static_cast<size_t>(indice)] != 0;
    celula->SetBevelOuter(selecionada ? bvLowered : bvRaised);
    celula->SetColor(selecionada ? kCorSelecionada : clBtnFace);
}
