#include "modules/formramaleco.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/grade.h"
#include "modules/seletores.h"

#include <array>
#include <optional>

TFormRamalEco* FormRamalEco = nullptr;

namespace {

constexpr int kContextoAjuda = 3400;
constexpr int kColunaOriginada = 1;
constexpr int kColunaRecebida = 2;
constexpr int kLimiteMaximo = 59; // minutes; 0 never cuts the call

const QString kMascaraLimite = QStringLiteral("    99;1;_");
const QString kMensagemForaDaFaixa = QStringLiteral("Tempo limite está fora da faixa permitida (00-59).");

// Enter goes from the outgoing to the incoming limit, and on to the next
// row's outgoing limit (from the last row back to the first).
const DadosGrade kGrade{"StringGrid1", {8, 8, 206, 274}, 3, 1 + kPosicoesRamal,
                        kDefaultGridOptions | goEditing | goEnterAdvance, ssVertical, {0, 63, 63},
                        {"  Ramal", "Originada", "Recebida"}, 1, 1, 58, 20};

// The two limits of a row: its column and the image byte of a position.
struct ColunaLimite {
    int coluna;
    int (*ofs)(int posicao);
};
constexpr ColunaLimite kColunas[] = {
    {kColunaOriginada, [](int p) { return OffsetLimiteOriginadaEco(p); }},
    {kColunaRecebida, [](int p) { return OffsetLimiteRecebidaEco(p); }},
};

// The legend beside the grid.
struct TextoLegenda {
    const char* texto;
    Lugar lugar;
};
const TextoLegenda kLegenda[] = {
    {"Temporizações", {8, 8, 180, 20}},
    {"00", {12, 40, 28, 20}},
    {"Não desliga chamada", {48, 40, 144, 20}},
    {"01 - 59 (minutos)", {12, 72, 180, 20}},
    {"Duração limite para a", {24, 92, 168, 20}},
    {"chamada ser desligada", {24, 112, 168, 20}},
};
const Lugar kLugarLegenda{226, 8, 196, 140};

const BotaoModulo<TFormRamalEco> kBotoes[] = {
    {&TFormRamalEco::Button1, TPapelBotao::Padrao, "Button1", {8, 292}},
    {&TFormRamalEco::OkButton, TPapelBotao::Ok, "OkButton", {124, 292}},
    {&TFormRamalEco::CancelButton, TPapelBotao::Cancela, "CancelButton", {228, 292}},
    {&TFormRamalEco::BitBtnAjuda, TPapelBotao::Ajuda, "BitBtnAjuda", {332, 292}},
};

QString TextoLimite(std::uint8_t minutos)
{
    return QStringLiteral("    %1").arg(minutos, 2, 10, QLatin1Char('0'));
}

// The minutes of a cell: one or two digits up to the limit; nothing else
// (an emptied cell included) is a limit.
std::optional<std::uint8_t> LeLimite(const QString& celula)
{
    const QString texto = celula.trimmed();
    if (texto.isEmpty() || texto.size() > 2 || !ApenasNumeros(texto))
        return std::nullopt;
    const int minutos = texto.toInt();
    if (minutos > kLimiteMaximo)
        return std::nullopt;
    return static_cast<std::uint8_t>(minutos);
}

} // namespace

TFormRamalEco::TFormRamalEco(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Temporizações dos ramais econômicos"));
    SetClientSize(430, 328);
    HelpContext = kContextoAjuda;

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->setFrameShape(QFrame::NoFrame);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) {
        StringGrid1GetEditMask(ACol, ARow, Value);
    };

    Panel1 = Posiciona(new TPanel(this), "Panel1", kLugarLegenda);
    Panel1->SetBevelOuter(bvLowered);
    Panel1->HelpContext = kContextoAjuda;
    for (const TextoLegenda& linha : kLegenda)
        Posiciona(new TLabel(QString::fromUtf8(linha.texto), Panel1), "", linha.lugar);

    CriaBotoes(kBotoes);
}

// The grid is filled before the window shows: a row for each position whose
// extension begins with 2 or 3, in plan order.
void TFormRamalEco::PreparaModulo()
{
    posicoes_.assign(1, 0);
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        if (!RamalValido(p))
            continue;
        const int linha = static_cast<int>(posicoes_.size());
        posicoes_.push_back(p);
        StringGrid1->SetCells(0, linha, QStringLiteral("   ")
                                            + QString::fromStdString(PalavraRamalParaTexto(
                                                LeU16(ImagemAtual + OffsetPalavraRamal(p)))));
        for (const ColunaLimite& limite : kColunas)
            StringGrid1->SetCells(limite.coluna, linha, TextoLimite(ImagemAtual[limite.ofs(p)]));
    }
    StringGrid1->SetRowCount(static_cast<int>(posicoes_.size()));
}

void TFormRamalEco::StringGrid1GetEditMask(int ACol, int, QString& Value)
{
    if (ACol >= kColunaOriginada)
        Value = kMascaraLimite;
}

void TFormRamalEco::PadraoDaLinha(int linha)
{
    if (linha < 1 || linha >= static_cast<int>(posicoes_.size()))
        return;
    for (const ColunaLimite& limite : kColunas)
        StringGrid1->SetCells(limite.coluna, linha, TextoLimite(BytePadrao(limite.ofs(posicoes_[linha]))));
}

void TFormRamalEco::PadButtonClick()
{
    const int ultima = static_cast<int>(posicoes_.size()) - 1;
    const auto padrao = [this](int linha) { PadraoDaLinha(linha); };
    if (AplicaPadrao(TPadrao::RamalEco, 1, ultima, StringGrid1->Row(), padrao) == IDYES && ultima >= 1)
        StringGrid1->FocusCell(kColunaOriginada, 1);
    StringGrid1->SetFocus();
}

// Every row is read before anything is written; the positions the grid does
// not show get no limit.
void TFormRamalEco::OkButtonClick()
{
    std::array<std::array<std::uint8_t, kPosicoesRamal>, std::size(kColunas)> limites{};
    for (int linha = 1; linha < static_cast<int>(posicoes_.size()); ++linha) {
        for (size_t c = 0; c < std::size(kColunas); ++c) {
            const int coluna = kColunas[c].coluna;
            const std::optional<std::uint8_t> minutos = LeLimite(StringGrid1->Cells(coluna, linha));
            if (!minutos) {
                RecusaCelula(kMensagemForaDaFaixa, StringGrid1, coluna, linha, TVoltaCursor::PorOutraLinha);
                return;
            }
            limites[c][static_cast<size_t>(posicoes_[linha] - 1)] = *minutos;
        }
    }
    for (size_t c = 0; c < std::size(kColunas); ++c)
        for (int p = 1; p <= kPosicoesRamal; ++p)
            ImagemAtual[kColunas[c].ofs(p)] = limites[c][static_cast<size_t>(p - 1)];
    SetModalResult(mrOk);
}
