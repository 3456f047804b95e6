// Boss-secretary groups: the sixteen places written back unchanged on Ok
// (no compaction), an extension held in one place only, and texts refused
// before they reach the work copy, when leaving the combo and again on Ok
// however pressed.
#include "modules/entradas.h"
#include "tests/modules/campos.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/modules/passos.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace {

constexpr int kInicioFatia = 3380;
constexpr std::uint8_t BB = 0xBB;

// Image bytes 3380..3395: bosses 1 and 2 of groups 1..4, then their
// secretaries 1 and 2.
using Fatia = std::array<std::uint8_t, 16>;

void Lugares(Fatia& f, int g, std::array<std::uint8_t, 4> chefesESecretarias)
{
    f[static_cast<size_t>(2 * g - 2)] = chefesESecretarias[0];
    f[static_cast<size_t>(2 * g - 1)] = chefesESecretarias[1];
    f[static_cast<size_t>(2 * g + 6)] = chefesESecretarias[2];
    f[static_cast<size_t>(2 * g + 7)] = chefesESecretarias[3];
}

// Group 1: boss "20", secretary 2 "22"; group 2: boss "23"; group 3 empty;
// group 4: boss 2 "31".
Fatia FatiaInicial()
{
    Fatia f{};
    Lugares(f, 1, {0, BB, BB, 2});
    Lugares(f, 2, {3, BB, BB, BB});
    Lugares(f, 3, {BB, BB, BB, BB});
    Lugares(f, 4, {BB, 11, BB, BB});
    return f;
}

std::vector<std::uint8_t> ImagemChefes()
{
    auto imagem = ImagemDeTeste();
    const Fatia f = FatiaInicial();
    std::copy(f.begin(), f.end(), imagem.begin() + kInicioFatia);
    return imagem;
}


// ------------------------------------------------------------------ Ok

struct CasoOk {
    const char* caso;
    std::vector<const char*> passos;
    void (*muda)(Fatia&);
    std::vector<const char*> mensagens = {};
};

void PrintTo(const CasoOk& caso, std::ostream* os)
{
    *os << caso.caso;
}

class ChefesOk : public ::testing::TestWithParam<CasoOk> {};

TEST_P(ChefesOk, OkGravaOsLugares)
{
    const CasoOk& caso = GetParam();
    auto imagem = ImagemChefes();
    auto esperado = imagem;
    Fatia f = FatiaInicial();
    caso.muda(f);
    std::copy(f.begin(), f.end(), esperado.begin() + kInicioFatia);
    ScriptedBoxes boxes;
    bool fechou = false;
    AbreEntrada(&GruposChefeSecretaria, imagem, [&](TForm* w) {
        DaPassos(w, caso.passos);
        PressionaOk(w, TComoOk::Mouse);
        fechou = !w->isVisible();
    });
    EXPECT_TRUE(fechou);
    EXPECT_EQ(boxes.Texts(), TextosDe(caso.mensagens));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, ChefesOk, ::testing::Values(
    CasoOk{"SemMudancasNadaMuda", {}, [](Fatia&) {}},
    CasoOk{"Chefe2SemChefe1FicaNoSeuLugar", {"Edit1=3", "ComboBox2=25"}, [](Fatia& f) { Lugares(f, 3, {BB, 5, BB, BB}); }},
    CasoOk{"SecretariasDoGrupo4", {"SpeedButton4", "ComboBox3=27", "ComboBox4=28"},
           [](Fatia& f) { Lugares(f, 4, {BB, 11, 7, 8}); }},
    CasoOk{"LimparGuardaBB", {"ComboBox1="}, [](Fatia& f) { Lugares(f, 1, {BB, BB, BB, 2}); }},
    CasoOk{"LugarLiberadoPodeSerUsado", {"ComboBox1=", "SpeedButton3", "ComboBox2=20"},
           [](Fatia& f) { Lugares(f, 1, {BB, BB, BB, 2}); Lugares(f, 2, {3, 0, BB, BB}); }},
    CasoOk{"TrocaDeRamal", {"ComboBox4=29"}, [](Fatia& f) { Lugares(f, 1, {0, BB, BB, 9}); }},
    // A refused text leaves the place as it was.
    CasoOk{"GrupoRecusadoMantemOLugar", {"ComboBox2=61", "Tab"}, [](Fatia&) {},
           {"O ramal não pode ser iniciado por '6' ."}},
    CasoOk{"RamalDesconhecidoMantemOLugar", {"ComboBox1=35", "Tab"}, [](Fatia&) {},
           {"Este ramal não é um ramal válido"}},
    CasoOk{"UmDigitoMantemOLugar", {"ComboBox1=2", "Tab"}, [](Fatia&) {}, {"O ramal deve ter no mínimo 2 dígitos"}},
    CasoOk{"EmUsoMantemOLugar", {"Edit1=3", "ComboBox4=20", "Tab"}, [](Fatia&) {},
           {"Ramal já está sendo utilizado em Chefe-Secretária"}},
    CasoOk{"RedigitarOQueOLugarTemERecusado", {"ComboBox1=20", "Tab"}, [](Fatia&) {},
           {"Ramal já está sendo utilizado em Chefe-Secretária"}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// ------------------------------------------------------------------ refusals on Ok

struct CasoRecusa {
    const char* caso;
    const char* texto; // typed as secretary 1 of group 1
    std::vector<const char*> mensagens;
};

using LinhaRecusa = CasoPorOk<CasoRecusa>;

class ChefesRecusa : public ::testing::TestWithParam<LinhaRecusa> {};

// Ok right after typing, by mouse (the combo's exit check) or by Alt+K (Ok
// checks again): the message, the focus on the place, nothing written.
TEST_P(ChefesRecusa, MensagemFocoENadaGravado)
{
    const auto& [caso, como] = GetParam();
    auto imagem = ImagemChefes();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&GruposChefeSecretaria, imagem, [&](TForm* w) {
        Digita(w, "ComboBox3", QString::fromUtf8(caso.texto));
        PressionaOk(w, como);
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "ComboBox3");
    });
    ConfereErros(boxes, caso.mensagens);
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

const CasoRecusa kRecusas[] = {
    {"UmDigito", "2", {"O ramal deve ter no mínimo 2 dígitos"}},
    {"RamalForaDoPlano", "35", {"Este ramal não é um ramal válido"}},
    {"Grupo", "61", {"O ramal não pode ser iniciado por '6' ."}},
    {"SeisSozinho", "6", {"O ramal não pode ser iniciado por '6' ."}},
    {"Letra", "2b", {"Apenas números podem ser digitados para ramais"}},
    {"CincoDigitos", "23456", {"O ramal deve ter no máximo 4 dígitos"}},
};

INSTANTIATE_TEST_SUITE_P(Casos, ChefesRecusa, ::testing::ValuesIn(CasosPorOk(kRecusas)), PrintedName{});

// An extension that holds a place, typed into another group's place and
// confirmed by Ok's key, is refused and nothing is written.
TEST(Chefes, EmUsoRecusadoNoOkPeloAtalho)
{
    auto imagem = ImagemChefes();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&GruposChefeSecretaria, imagem, [&](TForm* w) {
        DaPassos(w, {"Edit1=3", "ComboBox4=20"});
        PressionaOk(w, TComoOk::Atalho);
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "ComboBox4");
    });
    EXPECT_EQ(boxes.Texts(), TextosDe({"Ramal já está sendo utilizado em Chefe-Secretária"}));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// ------------------------------------------------------------------ showing

// Each list offers the valid extensions that hold no place; an extension
// given a place leaves every list.
TEST(Chefes, MostraOGrupoEListaSoRamaisLivres)
{
    auto imagem = ImagemChefes();
    GravaU16(imagem.data() + OffsetPalavraRamal(8), 0xF1FF); // "81" at position 8: no extension
    ScriptedBoxes boxes;
    AbreEntrada(&GruposChefeSecretaria, imagem, [&](TForm* w) {
        const auto texto = [&](const char* nome) { return Find<TComboBox>(w, nome)->Text().trimmed(); };
        EXPECT_EQ(Find<TEdit>(w, "Edit1")->Text(), "1");
        EXPECT_EQ(texto("ComboBox1"), "20");
        EXPECT_EQ(texto("ComboBox2"), "");
        EXPECT_EQ(texto("ComboBox3"), "");
        EXPECT_EQ(texto("ComboBox4"), "22");
        const QStringList livres = {"     ", "21", "24", "25", "26", "28", "29", "30"};
        for (const char* nome : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"})
            EXPECT_EQ(Find<TComboBox>(w, nome)->Items().ToStringList(), livres) << nome;

        DaPassos(w, {"ComboBox2=25", "Tab"});
        QStringList sem25 = livres;
        sem25.removeAll("25");
        DaUmPasso(w, "SpeedButton4");
        EXPECT_EQ(texto("ComboBox2"), "31");
        for (const char* nome : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"})
            EXPECT_EQ(Find<TComboBox>(w, nome)->Items().ToStringList(), sem25) << nome;
    });
    EXPECT_TRUE(boxes.calls.empty());
}

// Whatever was changed, Cancel writes nothing.
TEST(Chefes, CancelaNaoGrava)
{
    auto imagem = ImagemChefes();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&GruposChefeSecretaria, imagem, [&](TForm* w) {
        DaPassos(w, {"ComboBox1=", "ComboBox2=25", "SpeedButton3", "ComboBox3=27"});
        Click(w, "CancButton");
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// Stored places the user never touches go back through Ok as they are,
// however Ok is pressed and even after the focus passed through them: a boss
// at a position numbered "81", a group as a secretary.
class ChefesGuardados : public ::testing::TestWithParam<TComoOk> {};

TEST_P(ChefesGuardados, LugaresIntocadosPassamPeloOk)
{
    auto imagem = ImagemChefes();
    GravaU16(imagem.data() + OffsetPalavraRamal(8), 0xF1FF); // "81" at position 8
    Fatia f = FatiaInicial();
    Lugares(f, 1, {7, BB, 0x71, 2});
    std::copy(f.begin(), f.end(), imagem.begin() + kInicioFatia);
    const auto antes = imagem;
    ConfirmaIntocado(&GruposChefeSecretaria, imagem, "ComboBox1", 3, GetParam(), [](TForm* w) {
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Text().trimmed(), "81");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox3")->Text().trimmed(), "61");
    });
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, ChefesGuardados, CadaComoOk(), NomeDoComoOk{});

} // namespace
