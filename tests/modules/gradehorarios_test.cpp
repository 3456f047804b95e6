#include "modules/gradehorarios.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// A schedule window as the night-service one is: six rows of an exit and an
// entry time, Enter moving on, and an Ok that reads, sorts and stores.
class JanelaHorarios : public TForm {
public:
    explicit JanelaHorarios(int margem = kMargemHorario) : margem_(margem)
    {
        StringGrid1 = new TStringGrid(this);
        StringGrid1->setObjectName("StringGrid1");
        StringGrid1->setGeometry(5, 5, 260, 170);
        StringGrid1->SetColCount(3);
        StringGrid1->SetRowCount(7);
        StringGrid1->SetDefaultRowHeight(22);
        StringGrid1->SetOptions(kDefaultGridOptions | goEditing | goAlwaysShowEditor | goEnterAdvance);
        for (int r = 1; r < 7; ++r)
            for (int c = 1; c < 3; ++c)
                StringGrid1->SetCells(c, r, TextoCelulaHorario(Horario{}, margem_));
        StringGrid1->OnGetEditMask = [this](int c, int, QString& value) {
            if (c >= 1)
                value = MascaraHorario(margem_);
        };
        StringGrid1->OnDrawCell = [this](int c, int r, const TRect&, TGridDrawState) {
            if (c >= 1 && r >= 1)
                RestauraHorarioApagado(StringGrid1, c, r, margem_);
        };
        StringGrid1->OnSelectCell = [this](int, int r, bool&) { linhasEscolhidas.push_back(r); };
        Edit1 = new TEdit(this);
        Edit1->setObjectName("Edit1");
        Edit1->SetBounds(5, 180, 100, 22);
        OkButton = new TButton("O&k", this);
        OkButton->setObjectName("OkButton");
        OkButton->setGeometry(110, 180, 80, 25);
        OkButton->OnClick = [this] { OkButtonClick(); };
        SetClientSize(280, 215);
    }

    void OkButtonClick()
    {
        std::vector<TGridCoord> celulas;
        for (int r = 1; r <= 6; ++r)
            celulas.insert(celulas.end(), {{1, r}, {2, r}});
        std::vector<Horario> lidos;
        const bool ok = LeHorarios(StringGrid1, celulas, lidos, [](TGridCoord celula) {
            return celula.X == 1 ? QStringLiteral("Horário de saída está incorreto.")
                                 : QStringLiteral("Horário de entrada está incorreto.");
        });
        if (!ok)
            return;
        std::array<Horario, 6> saidas;
        std::array<Horario, 6> entradas;
        for (int r = 0; r < 6; ++r) {
            saidas[r] = lidos[2 * r];
            entradas[r] = lidos[2 * r + 1];
        }
        OrdenaHorarios(saidas);
        OrdenaHorarios(entradas);
        for (int r = 0; r < 6; ++r) {
            saidas[r].Grava(&gravado[4 * r]);
            entradas[r].Grava(&gravado[4 * r + 2]);
        }
        gravou = true;
    }

    TStringGrid* StringGrid1;
    TEdit* Edit1;
    TButton* OkButton;
    std::vector<int> linhasEscolhidas;
    std::array<std::uint8_t, 24> gravado{};
    bool gravou = false;

private:
    int margem_;
};

class GradeHorarios : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(input::Activate(&janela));
        grade()->SetFocus();
        grade()->FocusCell(1, 1);
    }
    TStringGrid* grade() { return janela.StringGrid1; }
    // The cells are drawn, as on the screen.
    void Desenha() { (void)grade()->viewport()->grab(); }

    JanelaHorarios janela;
};

struct CasoCelula {
    const char* nome;
    QString texto;
    std::optional<Horario> lido;
};

class LeituraCelula : public ::testing::TestWithParam<CasoCelula> {};

const Horario kSem{};

INSTANTIATE_TEST_SUITE_P(
    Textos, LeituraCelula,
    ::testing::Values(CasoCelula{"Hora", "  07:30", Horario{7, 30}}, CasoCelula{"UltimoMinuto", "  23:59", Horario{23, 59}},
                      CasoCelula{"Meianoite", "  00:00", Horario{0, 0}}, CasoCelula{"Vazia", "  __:__", kSem},
                      CasoCelula{"Apagada", "    :  ", kSem}, CasoCelula{"SemTexto", "", kSem},
                      CasoCelula{"HoraDe24", "  24:00", std::nullopt},
                      CasoCelula{"MinutoDe60", "  12:60", std::nullopt},
                      CasoCelula{"QuatroCaracteres", "  7:30", std::nullopt},
                      CasoCelula{"MinutoIncompleto", "  07:3 ", std::nullopt},
                      CasoCelula{"SoAHora", "  07:  ", std::nullopt},
                      CasoCelula{"TresBrancosNaFrente", "   18:05", Horario{18, 5}}),
    [](const auto& caso) { return std::string(caso.param.nome); });

TEST_P(LeituraCelula, DaHoraEMinutoOuNenhumHorarioOuRecusa)
{
    EXPECT_EQ(LeCelulaHorario(GetParam().texto), GetParam().lido);
}

TEST(Horarios, TextoDaCelulaComAMargem)
{
    const std::uint8_t hora[2] = {7, 5};
    const std::uint8_t vazio[2] = {kSemHorario, kSemHorario};
    const std::uint8_t meioVazio[2] = {7, kSemHorario};
    EXPECT_EQ(TextoCelulaHorario(hora), "  07:05");
    EXPECT_EQ(TextoCelulaHorario(vazio), "  __:__");
    EXPECT_EQ(TextoCelulaHorario(meioVazio), "  __:__");
    EXPECT_EQ(TextoCelulaHorario(hora, 3), "   07:05");
    EXPECT_EQ(MascaraHorario(), "  99:99;1;_");
    EXPECT_EQ(MascaraHorario(3), "   99:99;1;_");
}

TEST(Horarios, OrdemCrescenteComOsVaziosNoFim)
{
    std::array<Horario, 6> horarios{Horario{}, Horario{18, 0}, Horario{7, 30}, Horario{}, Horario{7, 5}, Horario{0, 0}};
    OrdenaHorarios(horarios);
    EXPECT_EQ(horarios,
              (std::array<Horario, 6>{Horario{0, 0}, Horario{7, 5}, Horario{7, 30}, Horario{18, 0}, Horario{}, Horario{}}));
}

TEST_F(GradeHorarios, HorariosDigitadosForaDeOrdemSaoGravadosEmOrdemCadaColunaPorSi)
{
    // Exit and entry of a row are sorted apart, so a pair can end on two rows.
    input::Type("1800\r0700\r\r\r0730\r2200\r");
    EXPECT_EQ(grade()->Cells(1, 1), "  18:00");
    EXPECT_EQ(grade()->Cells(2, 1), "  07:00");
    EXPECT_EQ(grade()->Cells(1, 3), "  07:30");
    input::Click(janela.OkButton);
    ASSERT_TRUE(janela.gravou);
    const std::uint8_t s = kSemHorario;
    const std::array<std::uint8_t, 24> esperado{7, 30, 7, 0,  18, 0, 22, 0, s, s, s, s,
                                                s, s,  s, s,  s, s, s, s, s, s, s, s};
    EXPECT_EQ(janela.gravado, esperado);
}

TEST_F(GradeHorarios, UmaCelulaApagadaVoltaAMostrarOVazioENaoEHorarioRuim)
{
    grade()->SetCells(1, 2, "  09:15");
    grade()->FocusCell(1, 2);
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Key(Qt::Key_Delete);
    EXPECT_EQ(grade()->Cells(1, 2).trimmed(), ":");
    input::Type("\r");
    Desenha();
    EXPECT_EQ(grade()->Cells(1, 2), "  __:__");
    ScriptedBoxes caixas;
    input::Click(janela.OkButton);
    EXPECT_TRUE(caixas.calls.empty());
    EXPECT_TRUE(janela.gravou);
}

struct CasoRecusa {
    const char* nome;
    TGridCoord celula;
    const char* digitado;
    QString mensagem;
};

class PrimeiroHorarioRuim : public GradeHorarios, public ::testing::WithParamInterface<CasoRecusa> {};

INSTANTIATE_TEST_SUITE_P(
    Celulas, PrimeiroHorarioRuim,
    ::testing::Values(CasoRecusa{"SaidaDaTerceiraLinha", {1, 3}, "2500", "Horário de saída está incorreto."},
                      CasoRecusa{"EntradaDaPrimeiraLinha", {2, 1}, "0760", "Horário de entrada está incorreto."},
                      CasoRecusa{"HoraIncompleta", {2, 6}, "07", "Horário de entrada está incorreto."}),
    [](const auto& caso) { return std::string(caso.param.nome); });

TEST_P(PrimeiroHorarioRuim, OPrimeiroHorarioRuimParaOOkComOCursorNele)
{
    const CasoRecusa& caso = GetParam();
    if (caso.celula.Y < 6)
        grade()->SetCells(2, 6, "  99:99"); // a later bad time is not reached
    grade()->FocusCell(caso.celula.X, caso.celula.Y);
    input::Type(caso.digitado);
    grade()->FocusCell(1, 4);
    ScriptedBoxes caixas;
    janela.linhasEscolhidas.clear();
    input::Click(janela.OkButton);
    ASSERT_EQ(caixas.calls.size(), 1u);
    EXPECT_EQ(caixas.calls[0].text, caso.mensagem);
    EXPECT_EQ(caixas.calls[0].caption, "Erro");
    EXPECT_FALSE(janela.gravou);
    EXPECT_EQ(grade()->Col(), caso.celula.X);
    EXPECT_EQ(grade()->Row(), caso.celula.Y);
    EXPECT_TRUE(grade()->hasFocus() || grade()->InplaceEditor()->hasFocus());
    // The row changed to another one first, then to the failing one.
    ASSERT_GE(janela.linhasEscolhidas.size(), 2u);
    EXPECT_NE(janela.linhasEscolhidas.end()[-2], caso.celula.Y);
    EXPECT_EQ(janela.linhasEscolhidas.back(), caso.celula.Y);
}

TEST(Horarios, GradeDeTresBrancosLeOQueSeDigita)
{
    // The wake-up window's cells carry three blanks before the time.
    JanelaHorarios janela(3);
    ASSERT_TRUE(input::Activate(&janela));
    janela.StringGrid1->SetFocus();
    janela.StringGrid1->FocusCell(1, 1);
    input::Type("0645");
    EXPECT_EQ(janela.StringGrid1->Cells(1, 1), "   06:45");
    EXPECT_EQ(janela.StringGrid1->Cells(1, 2), "   __:__");
    input::Click(janela.OkButton);
    ASSERT_TRUE(janela.gravou);
    EXPECT_EQ(janela.gravado[0], 6);
    EXPECT_EQ(janela.gravado[1], 45);
}

} // namespace
