// The four windows of times and dates write only on Ok: whatever was typed
// or chosen, Cancel leaves the image as it was.
#include "modules/entradas.h"
#include "platform/controls.h"
#include "platform/maskedit.h"
#include "tests/modules/horariosteste.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

struct Edicao {
    const char* entrada;
    TEntradaModulo abre;
    const char* cancela;
    std::function<void(TForm*)> edita;
};

void PrintTo(const Edicao& caso, std::ostream* os)
{
    *os << caso.entrada;
}

void DigitaNoCampo(TForm* w, const char* campo, const char* teclas)
{
    input::Click(Find<QWidget>(w, campo));
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Type(QString::fromLatin1(teclas));
}

const Edicao kEdicoes[] = {
    {"NoturnoAutomatico", &NoturnoAutomatico, "CancButton",
     [](TForm* w) {
         auto* grade = Find<TStringGrid>(w, "StringGrid1");
         DigitaHorario(grade, 1, 1, "0500");
         ApagaHorario(grade, 2, 3);
         Click(w, "RadioButton3");
     }},
    {"AtuacaoExterna", &AtuacaoExterna, "CancButton",
     [](TForm* w) {
         DigitaHorario(Find<TStringGrid>(w, "StringGrid1"), 1, 2, "0600");
         Click(w, "RadioButton2");
     }},
    {"Feriados", &Feriados, "CancButton",
     [](TForm* w) {
         DigitaNoCampo(w, "MaskEdit1", "0102");
         DigitaNoCampo(w, "MaskEdit17", "1000");
     }},
    {"CfgDoDespertador", &CfgDoDespertador, "CancelButton",
     [](TForm* w) {
         DigitaHorario(Find<TStringGrid>(w, "StringGrid1"), 1, 1, "0700");
         input::Click(Find<TRadioGroup>(w, "RadioGroup1")->Button(3));
     }},
};

class HorariosCancela : public ::testing::TestWithParam<Edicao> {};

TEST_P(HorariosCancela, CancelaDepoisDeEditarNaoGravaNada)
{
    const Edicao& caso = GetParam();
    auto imagem = ImagemDeTeste();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(caso.abre, imagem, [&](TForm* w) {
        caso.edita(w);
        Click(w, caso.cancela);
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Janelas, HorariosCancela, ::testing::ValuesIn(kEdicoes),
                         [](const auto& linha) { return std::string(linha.param.entrada); });

} // namespace
