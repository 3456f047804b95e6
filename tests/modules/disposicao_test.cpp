// Every text fits its control and no two controls overlap, in every window
// of the library and in the dialogs its windows open, each checked as it is
// shown over the template image.
#include "tests/modules/entradasteste.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/modules/ramaisteste.h"
#include "tests/support/layoutcheck.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The windows that open a dialog of their own, and the button that opens it.
struct Companheiro {
    const char* entrada;
    const char* botao;
};
constexpr Companheiro kCompanheiros[] = {
    {"ConfiguracaoDasVias", "CopiaButton"},
    {"BloqueioDePrefixos", "Button1"},
    {"CategoriaDosRamais", "CopButton"},
    {"ProgramacaoIndividual", "Button2"},
};

const char* BotaoDoCompanheiro(const char* entrada)
{
    for (const Companheiro& companheiro : kCompanheiros)
        if (std::strcmp(companheiro.entrada, entrada) == 0)
            return companheiro.botao;
    return nullptr;
}

class Disposicao : public ::testing::TestWithParam<EntradaNomeada> {};

TEST_P(Disposicao, TextosCabemENadaSeSobrepoe)
{
    const EntradaNomeada& entrada = GetParam();
    const char* botao = BotaoDoCompanheiro(entrada.nome);
    auto imagem = ImagemDoModelo();
    QStringList falhas;
    bool companheiroAberto = false;
    std::vector<Atos> companheiros;
    if (botao)
        companheiros.push_back([&](QWidget* s) {
            companheiroAberto = true;
            falhas << LayoutFaults(QStringLiteral("%1's dialog").arg(QString::fromLatin1(entrada.nome)), s);
        });
    AbreRamais(
        entrada.abre, imagem, nullptr,
        [&](QWidget* w) {
            falhas << LayoutFaults(QString::fromLatin1(entrada.nome), w);
            if (botao)
                Clica(w, botao);
        },
        companheiros);
    EXPECT_EQ(companheiroAberto, botao != nullptr);
    EXPECT_TRUE(falhas.isEmpty()) << falhas.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Janelas, Disposicao, ::testing::ValuesIn(kEntradasDaBiblioteca),
                         [](const auto& linha) { return std::string(linha.param.nome); });

// A message box of the library, with its three Portuguese buttons.
TEST(DisposicaoDasCaixas, PerguntaDoPadrao)
{
    auto imagem = ImagemDoModelo();
    ScriptedBoxes boxes({IDCANCEL});
    QStringList falhas;
    boxes.look = [&](QWidget* caixa) { falhas << LayoutFaults(QStringLiteral("box"), caixa); };
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) { Click(w, "PadButton"); });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_TRUE(falhas.isEmpty()) << falhas.join(QLatin1Char('\n')).toStdString();
}

} // namespace
