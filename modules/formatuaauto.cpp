#include "modules/formatuaauto.h"

#include "image/layout.h"
#include "modules/grade.h"
#include "modules/gradehorarios.h"
#include "platform/controls.h"

#include <array>
#include <vector>

TFormAtuaAuto* FormAtuaAuto = nullptr;

namespace {

constexpr int kContextoAjuda = 2100;
constexpr int kColunaHora = 1;
constexpr int kHorarios = Area("HorariosAtuacao").registros;

const Lugar kLugarTitulo{8, 8, 160, 22};
const DadosGrade kGrade{"StringGrid1", {8, 30, 160, 190}, 2, 1 + kHorarios,
                        kDefaultGridOptions | goEditing | goAlwaysShowEditor | goEnterAdvance, ssVertical,
                        {0, 72}, {}, 1, 1, 0, 22};
const Lugar kLugarAtivacao{184, 8, 200, 116};
const BotaoModulo<TFormAtuaAuto> kBotoes[] = {
    {&TFormAtuaAuto::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 232}},
    {&TFormAtuaAuto::CancButton, TPapelBotao::Cancela, "CancButton", {208, 232}},
    {&TFormAtuaAuto::OkButton, TPapelBotao::Ok, "OkButton", {304, 232}},
};

} // namespace

TFormAtuaAuto::TFormAtuaAuto(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Atuação externa"));
    SetClientSize(392, 268);
    HelpContext = kContextoAjuda;

    auto* titulo = Posiciona(new TPanel(this), "Panel2", kLugarTitulo);
    titulo->SetCaption(QStringLiteral("Horários atuação"));
    titulo->SetBevelOuter(bvRaised);
    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) { StringGrid1GetEditMask(ACol, ARow, Value); };
    StringGrid1->OnDrawCell = [this](int ACol, int ARow, const TRect&, TGridDrawState) { StringGrid1DrawCell(ACol, ARow); };
    const BotoesAtivacao ativacao = CriaAtivacao(this, kLugarAtivacao, kContextoAjuda);
    RadioButton1 = ativacao.naoAtiva;
    RadioButton2 = ativacao.diasUteis;
    RadioButton3 = ativacao.todosOsDias;

    CriaBotoes(kBotoes);
}

void TFormAtuaAuto::FormShow()
{
    StringGrid1->SetColWidths(0, 48);
    StringGrid1->SetCells(0, 0, QStringLiteral(" Num."));
    StringGrid1->SetCells(kColunaHora, 0, QStringLiteral("  Hora"));
    StringGrid1->FocusCell(kColunaHora, kHorarios);
    StringGrid1->FocusCell(kColunaHora, 1);
    StringGrid1->SetFocus();
    MostraAtivacao(Ativacao(), ImagemAtual[ofsAtivacaoAtuacao], kAtivacaoAtuacao);
    for (int r = 1; r <= kHorarios; ++r) {
        StringGrid1->SetCells(0, r, QStringLiteral("   %1").arg(r, 2, 10, QLatin1Char('0')));
        StringGrid1->SetCells(kColunaHora, r, TextoCelulaHorario(ImagemAtual + OffsetHorarioAtuacao(r)));
    }
}

void TFormAtuaAuto::StringGrid1GetEditMask(int ACol, int, QString& Value)
{
    if (ACol == kColunaHora)
        Value = MascaraHorario();
}

void TFormAtuaAuto::StringGrid1DrawCell(int ACol, int ARow)
{
    if (ACol == kColunaHora && ARow >= 1)
        RestauraHorarioApagado(StringGrid1, ACol, ARow);
}

void TFormAtuaAuto::OkButtonClick()
{
    std::vector<TGridCoord> celulas;
    for (int r = 1; r <= kHorarios; ++r)
        celulas.push_back({kColunaHora, r});
    std::vector<Horario> lidos;
    if (!LeHorarios(StringGrid1, celulas, lidos, [](TGridCoord) { return QStringLiteral("Horário está incorreto."); }))
        return;
    OrdenaHorarios(lidos);

    std::uint8_t& ativacao = ImagemAtual[ofsAtivacaoAtuacao];
    GravaAtivacao(Ativacao(), ativacao, kAtivacaoAtuacao);
    // With no time at all there is nothing to activate.
    if (lidos.front().Vazio())
        DesativaServico(ativacao, kAtivacaoAtuacao);
    for (int r = 1; r <= kHorarios; ++r)
        lidos[r - 1].Grava(ImagemAtual + OffsetHorarioAtuacao(r));
    SetModalResult(mrOk);
}
