#include "modules/formagindiv.h"

#include "image/conversao.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/grade.h"
#include "modules/recusa.h"
#include "modules/seletores.h"

#include <algorithm>

TFormAgIndiv* FormAgIndiv = nullptr;

namespace {

constexpr int kContextoAjuda = 2500;
constexpr int kLinhas = kEntradasAgendaIndividual;
constexpr int kColunaRota = 1;
constexpr int kColunaTelefone = 2;
constexpr int kPrimeiroCodigo = 10;
constexpr int kMaiorRotaImediata = 4; // routes 0..4 are taken at once

const QString kBrancosRota = QStringLiteral("    ");
const QString kMascaraTelefone = QStringLiteral(" 99999999999999999999;0");

// Enter goes from the route to the number, and from the number to the next
// row's route (from the last row back to the first).
const DadosGrade kGrade{"StringGrid1", {8, 40, 300, 240}, 3, 1 + kLinhas,
                        kDefaultGridOptions | goEditing | goEnterAdvance, ssVertical, {0, 48, 178},
                        {" Agenda", " Rota", " Telefone"}, 1, 1, 0, 20};
const Lugar kLugarRotulo{8, 12, 172, 16};
const Lugar kLugarCombo{184, 8, 80, 24};
const BotaoModulo<TFormAgIndiv> kBotoes[] = {
    {&TFormAgIndiv::Button1, TPapelBotao::Ok, "Button1", {228, 292}},
    {&TFormAgIndiv::Button2, TPapelBotao::Padrao, "Button2", {132, 292}},
    {&TFormAgIndiv::BitBtn1, TPapelBotao::Ajuda, "BitBtn1", {8, 292}},
};

// Row r shows code 10 + r - 1; the code's last digit d dials entry d (1..10,
// digit 0 counting as 10), so row 1 holds the tenth entry.
int EntradaDaLinha(int linha)
{
    const int digito = (kPrimeiroCodigo + linha - 1) % 10;
    return digito == 0 ? kEntradasAgendaIndividual : digito;
}

} // namespace

TFormAgIndiv::TFormAgIndiv(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Agenda individual de ramal"));
    SetClientSize(316, 328);
    HelpContext = kContextoAjuda;

    ComboBox1 = Posiciona(new TComboBox(this, csDropDown), "ComboBox1", kLugarCombo);
    ComboBox1->SetSorted(true);
    ComboBox1->HelpContext = kContextoAjuda;
    ComboBox1->OnChange = [this] { ComboBox1Change(); };
    Label1 = Posiciona(new TLabel(QStringLiteral("Agenda individual do &ramal"), this), "Label1", kLugarRotulo);
    Label1->SetFocusControl(ComboBox1);

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) { StringGrid1GetEditMask(ACol, ARow, Value); };
    StringGrid1->OnKeyPress = [this](char& Key) { StringGrid1KeyPress(Key); };
    StringGrid1->OnExit = [this] { GravaAgenda(); };

    CriaBotoes(kBotoes);
}

void TFormAgIndiv::FormShow()
{
    for (int linha = 1; linha <= kLinhas; ++linha)
        StringGrid1->SetCells(0, linha, QStringLiteral("     %1").arg(kPrimeiroCodigo + linha - 1));
    ComboBox1->Clear();
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (RamalValido(p))
            ComboBox1->Items().Add(QString::fromStdString(PalavraRamalParaTexto(LeU16(ImagemAtual + OffsetPalavraRamal(p)))));
    StringGrid1->FocusCell(kColunaRota, 1);
    posicao_ = 0;
    ComboBox1->SetItemIndex(0);
    ComboBox1Change();
    StringGrid1->SetFocus();
}

// The combo is a pick list: a text that is none of its items names no
// extension, and the grid then shows no list and writes none.
void TFormAgIndiv::ComboBox1Change()
{
    GravaAgenda();
    const QString texto = ComboBox1->Text().trimmed();
    posicao_ = ComboBox1->Items().IndexOf(texto) >= 0 ? PosicaoDoRamal(texto) : 0;
    CarregaAgenda();
}

void TFormAgIndiv::CarregaAgenda()
{
    for (int linha = 1; linha <= kLinhas; ++linha) {
        QString rota;
        QString telefone;
        if (posicao_ != 0) {
            const std::uint8_t* entrada = ImagemAtual + OffsetEntradaAgendaIndividual(posicao_, EntradaDaLinha(linha));
            rota = QString::fromStdString(RotaParaTexto(entrada[0]));
            telefone = QStringLiteral(" ") + QString::fromStdString(DescompactaNumeroCurto(entrada));
        }
        StringGrid1->SetCells(kColunaRota, linha, kBrancosRota + rota);
        StringGrid1->SetCells(kColunaTelefone, linha, telefone);
    }
}

void TFormAgIndiv::GravaAgenda()
{
    if (posicao_ == 0)
        return;
    for (int linha = 1; linha <= kLinhas; ++linha) {
        const QString rota = CelulaSemBrancos(StringGrid1, kColunaRota, linha);
        const NumeroDiscagemCurto numero =
            CompactaNumeroCurto(CelulaSemBrancos(StringGrid1, kColunaTelefone, linha).toStdString());
        std::uint8_t* entrada = ImagemAtual + OffsetEntradaAgendaIndividual(posicao_, EntradaDaLinha(linha));
        std::copy(numero.begin(), numero.end(), entrada);
        entrada[0] = static_cast<std::uint8_t>(numero[0] | TextoParaRota(rota.isEmpty() ? "0" : rota.toStdString()));
    }
}

// The route cell holds the digit last typed there.
void TFormAgIndiv::StringGrid1GetEditMask(int ACol, int ARow, QString& Value)
{
    if (ACol == kColunaRota)
        Value = kBrancosRota + CelulaSemBrancos(StringGrid1, ACol, ARow);
    else if (ACol == kColunaTelefone)
        Value = kMascaraTelefone;
}

// A route 0..4 is taken at once and the cursor goes on to the number; 5 and
// 6 stay in the cell; 7..9 are refused. Nothing else is typed there.
void TFormAgIndiv::StringGrid1KeyPress(char& Key)
{
    if (StringGrid1->Col() != kColunaRota || static_cast<unsigned char>(Key) < ' ')
        return;
    const char digito = Key;
    Key = 0;
    if (!IsDigit(digito))
        return;
    if (digito >= '7') {
        MostraErro(QStringLiteral("Número de rota é inválido"));
        return;
    }
    const int linha = StringGrid1->Row();
    StringGrid1->SetCells(kColunaRota, linha, kBrancosRota + QLatin1Char(digito));
    if (digito - '0' <= kMaiorRotaImediata)
        StringGrid1->SetCol(kColunaTelefone);
}

// Ok only closes; the list is written first, also when Ok was reached by its
// accelerator and the grid kept the focus.
void TFormAgIndiv::OkButtonClick()
{
    GravaAgenda();
    SetModalResult(mrOk);
}

// The chosen extension's list back to the factory list (all entries empty),
// without asking.
void TFormAgIndiv::PadButtonClick()
{
    if (posicao_ == 0)
        return;
    const int inicio = OffsetAgendaIndividual(posicao_);
    const int tamanho = Area("ListasAgendaIndividual").tamanhoRegistro;
    std::copy(ImagemPadrao() + inicio, ImagemPadrao() + inicio + tamanho, ImagemAtual + inicio);
    CarregaAgenda();
}
