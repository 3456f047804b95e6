#include "modules/formnotauto.h"

#include "image/layout.h"
#include "modules/grade.h"
#include "modules/gradehorarios.h"

#include <algorithm>
#include <vector>

TFormNotAuto* FormNotAuto = nullptr;

namespace {

constexpr int kContextoAjuda = 1900;
constexpr int kColunaSaida = 1;
constexpr int kColunaEntrada = 2;
// The grid shows the first six records; Ok leaves the others empty.
constexpr int kLinhas = 6;

const DadosGrade kGrade{"StringGrid1", {8, 8, 216, 164}, 3, 1 + kLinhas,
                        kDefaultGridOptions | goEditing | goAlwaysShowEditor | goEnterAdvance, ssVertical,
                        {48, 72, 72}, {"  Num.", "  Saída", " Entrada"}, 1, 1, 0, 22};
const Lugar kLugarAtivacao{236, 8, 200, 116};
const BotaoModulo<TFormNotAuto> kBotoes[] = {
    {&TFormNotAuto::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 184}},
    {&TFormNotAuto::OkButton, TPapelBotao::Ok, "OkButton", {260, 184}},
    {&TFormNotAuto::CancButton, TPapelBotao::Cancela, "CancButton", {356, 184}},
};

// Offsets of a record's exit and entry times inside the schedule.
int Saida(int r)
{
    return OffsetSaidaNoturno(r) - ofsHorariosNoturno;
}
int Entrada(int r)
{
    return OffsetEntradaNoturno(r) - ofsHorariosNoturno;
}

} // namespace

TFormNotAuto::TFormNotAuto(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Noturno automático"));
    SetClientSize(444, 220);
    HelpContext = kContextoAjuda;

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) { StringGrid1GetEditMask(ACol, ARow, Value); };
    StringGrid1->OnDrawCell = [this](int ACol, int ARow, const TRect&, TGridDrawState) { StringGrid1DrawCell(ACol, ARow); };
    const BotoesAtivacao ativacao = CriaAtivacao(this, kLugarAtivacao, kContextoAjuda);
    RadioButton1 = ativacao.naoAtiva;
    RadioButton2 = ativacao.diasUteis;
    RadioButton3 = ativacao.todosOsDias;

    CriaBotoes(kBotoes);
}

void TFormNotAuto::FormActivate()
{
    MostraAtivacao(Ativacao(), ImagemAtual[ofsAtivacaoNoturno], kAtivacaoNoturno);
    MontaNoturnoAutomatico(true);
    StringGrid1->FocusCell(kColunaSaida, 1);
    StringGrid1->SetFocus();
}

void TFormNotAuto::MontaNoturnoAutomatico(bool carregando)
{
    if (carregando)
        std::copy_n(ImagemAtual + ofsHorariosNoturno, copia_.size(), copia_.begin());
    for (int r = 1; r <= kLinhas; ++r) {
        StringGrid1->SetCells(0, r, QStringLiteral("   %1").arg(r, 2, 10, QLatin1Char('0')));
        StringGrid1->SetCells(kColunaSaida, r, TextoCelulaHorario(&copia_[Saida(r)]));
        StringGrid1->SetCells(kColunaEntrada, r, TextoCelulaHorario(&copia_[Entrada(r)]));
    }
}

void TFormNotAuto::StringGrid1GetEditMask(int ACol, int, QString& Value)
{
    if (ACol == kColunaSaida || ACol == kColunaEntrada)
        Value = MascaraHorario();
}

void TFormNotAuto::StringGrid1DrawCell(int ACol, int ARow)
{
    if ((ACol == kColunaSaida || ACol == kColunaEntrada) && ARow >= 1)
        RestauraHorarioApagado(StringGrid1, ACol, ARow);
}

void TFormNotAuto::OkButtonClick()
{
    std::vector<TGridCoord> celulas;
    for (int r = 1; r <= kLinhas; ++r)
        celulas.insert(celulas.end(), {{kColunaSaida, r}, {kColunaEntrada, r}});
    std::vector<Horario> lidos;
    const bool validos = LeHorarios(StringGrid1, celulas, lidos, [](TGridCoord celula) {
        return celula.X == kColunaSaida ? QStringLiteral("Horário de saída está incorreto.")
                                        : QStringLiteral("Horário de entrada está incorreto.");
    });
    if (!validos)
        return;

    // Exit and entry times are sorted each on their own.
    std::array<Horario, kLinhas> saidas;
    std::array<Horario, kLinhas> entradas;
    for (int i = 0; i < kLinhas; ++i) {
        saidas[i] = lidos[2 * i];
        entradas[i] = lidos[2 * i + 1];
    }
    OrdenaHorarios(saidas);
    OrdenaHorarios(entradas);
    copia_.fill(kSemHorario);
    for (int r = 1; r <= kLinhas; ++r) {
        saidas[r - 1].Grava(&copia_[Saida(r)]);
        entradas[r - 1].Grava(&copia_[Entrada(r)]);
    }
    MontaNoturnoAutomatico(false);

    std::uint8_t& ativacao = ImagemAtual[ofsAtivacaoNoturno];
    GravaAtivacao(Ativacao(), ativacao, kAtivacaoNoturno);
    // With no exit time at all there is nothing to activate.
    if (Horario::De(&copia_[Saida(1)]).Vazio())
        DesativaServico(ativacao, kAtivacaoNoturno);
    std::copy(copia_.begin(), copia_.end(), ImagemAtual + ofsHorariosNoturno);
    SetModalResult(mrOk);
}
