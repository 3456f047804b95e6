// Calendar: the typed date and time are checked and stored with the weekday
// of the date.
#include "modules/entradas.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"

#include <QDate>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CasoCalendario {
    const char* data;
    const char* hora;
    const char* mensagem; // null: accepted
    const char* focado;
    std::vector<std::uint8_t> bytes; // 11..17 when accepted
};

void PrintTo(const CasoCalendario& caso, std::ostream* os)
{
    *os << caso.data << ' ' << caso.hora;
}

class Calendario : public ::testing::TestWithParam<CasoCalendario> {};

TEST_P(Calendario, OkConfereDataEHora)
{
    const CasoCalendario& caso = GetParam();
    auto imagem = ImagemDeTeste();
    auto esperado = imagem;
    if (!caso.mensagem)
        std::copy(caso.bytes.begin(), caso.bytes.end(), esperado.begin() + 11);
    ScriptedBoxes boxes;
    AbreEntrada(&::Calendario, imagem, [&](TForm* w) {
        Find<TMaskEdit>(w, "Edit1")->SetText(caso.data);
        Find<TMaskEdit>(w, "Edit2")->SetText(caso.hora);
        Find<TRadioGroup>(w, "RadioGroup1")->SetItemIndex(5); // picked by hand: not stored
        Click(w, "OkButton");
        if (caso.mensagem) {
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(Focado(w), caso.focado);
        }
    });
    if (caso.mensagem) {
        ConfereUmErro(boxes, QString::fromUtf8(caso.mensagem));
    } else {
        EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    }
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, Calendario, ::testing::Values(
    CasoCalendario{"29/02/04", "10:20:30", nullptr, "", {1, 29, 2, 4, 10, 20, 30}},   // a Sunday
    CasoCalendario{"29/02/00", "23:59:59", nullptr, "", {3, 29, 2, 0, 23, 59, 59}},   // 2000 was leap
    CasoCalendario{"01/01/85", "__:__:__", nullptr, "", {3, 1, 1, 85, 0, 0, 0}},      // 1985; empty time is midnight
    CasoCalendario{"31/12/79", "00:00:00", nullptr, "", {1, 31, 12, 79, 0, 0, 0}},    // 2079
    CasoCalendario{"29/02/01", "10:00:00", "Data inválida.", "Edit1", {}},
    CasoCalendario{"30/02/04", "10:00:00", "Data inválida.", "Edit1", {}},
    CasoCalendario{"31/04/03", "10:00:00", "Data inválida.", "Edit1", {}},
    CasoCalendario{"00/01/03", "10:00:00", "Data inválida.", "Edit1", {}},
    CasoCalendario{"15/13/03", "10:00:00", "Data inválida.", "Edit1", {}},
    CasoCalendario{"__/__/__", "10:00:00", "Data inválida.", "Edit1", {}},
    CasoCalendario{"12/3_/04", "10:00:00", "Data inválida.", "Edit1", {}},   // partly typed
    CasoCalendario{"12/03/_4", "10:00:00", "Data inválida.", "Edit1", {}},
    CasoCalendario{"30/02/04", "25:10:10", "Data inválida.", "Edit1", {}},   // one refusal, one box
    CasoCalendario{"12/03/04", "25:10:10", "Hora inválida.", "Edit2", {}},
    CasoCalendario{"12/03/04", "10:60:00", "Hora inválida.", "Edit2", {}},
    CasoCalendario{"12/03/04", "10:10:60", "Hora inválida.", "Edit2", {}},
    CasoCalendario{"12/03/04", "1_:00:00", "Hora inválida.", "Edit2", {}},   // partly typed
    CasoCalendario{"12/03/04", "10:00:0_", "Hora inválida.", "Edit2", {}}), PrintedName{});

TEST(CalendarioCarga, MostraORelogioGuardadoEODiaDaSemana)
{
    const struct {
        std::uint8_t relogio[7];
        const char* data;
        const char* hora;
        int dia;
    } kCasos[] = {
        {{4, 7, 9, 26, 8, 5, 3}, "07/09/26", "08:05:03", 3},
        {{1, 15, 3, 150, 23, 59, 0}, "15/03/50", "23:59:00", 0}, // the year 2150
    };
    for (const auto& caso : kCasos) {
        auto imagem = ImagemDeTeste();
        std::copy(std::begin(caso.relogio), std::end(caso.relogio), imagem.begin() + 11);
        AbreEntrada(&::Calendario, imagem, [&](TForm* w) {
            EXPECT_EQ(Find<TMaskEdit>(w, "Edit1")->Text(), caso.data);
            EXPECT_EQ(Find<TMaskEdit>(w, "Edit2")->Text(), caso.hora);
            EXPECT_EQ(Find<TRadioGroup>(w, "RadioGroup1")->ItemIndex(), caso.dia);
            EXPECT_EQ(Focado(w), "Edit1");
        });
    }
}

// A clock the exchange never set shows blanks where its bytes are no
// two-digit number, and Ok asks for a date.
TEST(CalendarioCarga, RelogioInvalidoApareceEmBrancoENaoPassaNoOk)
{
    auto imagem = ImagemDeTeste();
    const std::uint8_t relogio[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(relogio), std::end(relogio), imagem.begin() + 11);
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&::Calendario, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TMaskEdit>(w, "Edit1")->EditText(), "__/__/__");
        EXPECT_EQ(Find<TRadioGroup>(w, "RadioGroup1")->ItemIndex(), -1);
        Click(w, "OkButton");
    });
    EXPECT_EQ(boxes.Texts(), QStringList{"Data inválida."});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

TEST(CalendarioDiaDaSemana, EntrarNaHoraMostraODiaDaData)
{
    auto imagem = ImagemDeTeste();
    ScriptedBoxes boxes;
    AbreEntrada(&::Calendario, imagem, [&](TForm* w) {
        auto* edit1 = Find<TMaskEdit>(w, "Edit1");
        auto* edit2 = Find<TMaskEdit>(w, "Edit2");
        auto* dias = Find<TRadioGroup>(w, "RadioGroup1");
        edit1->SetText("29/02/04");
        edit2->SetFocus();
        EXPECT_EQ(dias->ItemIndex(), 0); // Sunday
        EXPECT_TRUE(boxes.calls.empty());
        edit1->SetFocus();
        edit1->SetText("31/02/04");
        edit2->SetFocus();
        EXPECT_EQ(dias->ItemIndex(), 0);
        EXPECT_EQ(Focado(w), "Edit1");
    });
    EXPECT_EQ(boxes.Texts(), QStringList{"Data inválida."});
}

TEST(CalendarioSistema, PoeORelogioDoComputadorSemGravar)
{
    auto imagem = ImagemDeTeste();
    const auto antes = imagem;
    AbreEntrada(&::Calendario, imagem, [&](TForm* w) {
        Click(w, "CompButton");
        const QDate hoje = QDate::currentDate();
        EXPECT_EQ(Find<TMaskEdit>(w, "Edit1")->Text(), hoje.toString("dd/MM/yy"));
        EXPECT_EQ(Find<TRadioGroup>(w, "RadioGroup1")->ItemIndex(), hoje.dayOfWeek() % 7);
        Click(w, "CancButton");
    });
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

} // namespace
