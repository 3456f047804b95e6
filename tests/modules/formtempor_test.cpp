// Timings: typed values are stored as typed, and a value that is not a
// number is refused before any byte is written.
#include "modules/entradas.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

namespace {

TEST(Temporizacoes, MostraOsBytesEGravaOQueFoiDigitadoModulo256)
{
    auto imagem = ImagemDeTeste();
    imagem[3396] = 7;
    imagem[3401] = 0;
    auto esperado = imagem;
    esperado[3396] = 0;   // "0" is outside the list but stored as typed
    esperado[3399] = 44;  // 300 modulo 256
    AbreEntrada(&Temporizacoes, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Text(), "7");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox7")->Text(), "0");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox5")->Items().ToStringList(), (QStringList{"3", "4", "5", "6", "7"}));
        Find<TComboBox>(w, "ComboBox1")->SetText("0");
        Find<TComboBox>(w, "ComboBox2")->SetMaxLength(3);
        Find<TComboBox>(w, "ComboBox2")->SetText("300");
        Click(w, "OkButton");
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

TEST(Temporizacoes, TextoQueNaoENumeroERecusadoSemGravarNada)
{
    for (const char* campo : {"ComboBox1", "ComboBox6", "ComboBox7"}) {
        auto imagem = ImagemDeTeste();
        const auto antes = imagem;
        ScriptedBoxes boxes;
        AbreEntrada(&Temporizacoes, imagem, [&](TForm* w) {
            Find<TComboBox>(w, "ComboBox2")->SetText("12");
            Find<TComboBox>(w, campo)->SetText("x");
            Click(w, "OkButton");
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(Focado(w), campo);
        });
        ASSERT_EQ(boxes.calls.size(), 1u) << campo;
        EXPECT_EQ(boxes.calls[0].text, "'x' is not a valid integer value");
        EXPECT_EQ(boxes.calls[0].caption, "Erro");
        EXPECT_EQ(boxes.calls[0].flags, 16);
        EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{}) << campo;
    }
}

// Stored values longer than their fields' typing limits (two digits in a
// one-digit field, three in a two-digit one) show whole and are kept by Ok.
TEST(Temporizacoes, ValorGuardadoMaiorQueOCampoEMantido)
{
    auto imagem = ImagemDeTeste();
    imagem[3398] = 43;
    imagem[3399] = 200;
    const auto antes = imagem;
    AbreEntrada(&Temporizacoes, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox6")->Text(), "43");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox2")->Text(), "200");
        Click(w, "OkButton");
    });
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

} // namespace
