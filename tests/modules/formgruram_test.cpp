// Extension groups: the work copy written back on Ok with each group's
// members moved to the front (none for a deactivated group), the type and
// rings of the group shown, and member texts that are refused before they
// reach the work copy, when leaving the combo and again on Ok however
// pressed.
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

constexpr int kInicioFatia = 3344;
constexpr std::uint8_t BB = 0xBB;

// Image bytes 3344..3379: the rings of groups 1..4, then each group's type
// and seven members.
using Fatia = std::array<std::uint8_t, 36>;

void Toques(Fatia& f, int g, std::uint8_t toques) { f[static_cast<size_t>(g - 1)] = toques; }
void Tipo(Fatia& f, int g, std::uint8_t tipo) { f[static_cast<size_t>(8 * g - 4)] = tipo; }
void Membros(Fatia& f, int g, std::array<std::uint8_t, 7> membros)
{
    std::copy(membros.begin(), membros.end(), f.begin() + 8 * g - 3);
}

// Group 1 hierarchical with "20" and "21"; group 2 multiple with "24" in
// slot 2 and "26" in slot 7; group 3 distributing with no member; group 4
// deactivated with a "29" left in it.
Fatia FatiaInicial()
{
    Fatia f{};
    for (int g = 1; g <= 4; ++g)
        Toques(f, g, static_cast<std::uint8_t>(g + 2));
    Tipo(f, 1, 0);
    Membros(f, 1, {0, 1, BB, BB, BB, BB, BB});
    Tipo(f, 2, 16);
    Membros(f, 2, {BB, 4, BB, BB, BB, BB, 6});
    Tipo(f, 3, 3);
    Membros(f, 3, {BB, BB, BB, BB, BB, BB, BB});
    Tipo(f, 4, 64);
    Membros(f, 4, {9, BB, BB, BB, BB, BB, BB});
    return f;
}

// What Ok makes of the initial groups when nothing is changed.
Fatia FatiaCompactada()
{
    Fatia f = FatiaInicial();
    Membros(f, 2, {4, 6, BB, BB, BB, BB, BB});
    Membros(f, 4, {BB, BB, BB, BB, BB, BB, BB});
    return f;
}

std::vector<std::uint8_t> ImagemGrupos()
{
    auto imagem = ImagemDeTeste();
    const Fatia f = FatiaInicial();
    std::copy(f.begin(), f.end(), imagem.begin() + kInicioFatia);
    return imagem;
}

void PoeFatia(std::vector<std::uint8_t>& imagem, const Fatia& f)
{
    std::copy(f.begin(), f.end(), imagem.begin() + kInicioFatia);
}

// The rings pick list is reached with Tab from the last member.
const std::vector<AntesDaLista> kListas = {{"ComboBox1", "ComboBox8"}};

// ------------------------------------------------------------------ Ok

struct CasoOk {
    const char* caso;
    std::vector<const char*> passos;
    void (*muda)(Fatia&); // from the compacted initial groups
    std::vector<const char*> mensagens = {};
};

void PrintTo(const CasoOk& caso, std::ostream* os)
{
    *os << caso.caso;
}

class GruposOk : public ::testing::TestWithParam<CasoOk> {};

TEST_P(GruposOk, OkGravaOsGruposCompactados)
{
    const CasoOk& caso = GetParam();
    auto imagem = ImagemGrupos();
    auto esperado = imagem;
    Fatia f = FatiaCompactada();
    caso.muda(f);
    PoeFatia(esperado, f);
    ScriptedBoxes boxes;
    bool fechou = false;
    AbreEntrada(&GruposDeRamais, imagem, [&](TForm* w) {
        DaPassos(w, caso.passos, kListas);
        PressionaOk(w, TComoOk::Mouse);
        fechou = !w->isVisible();
    });
    EXPECT_TRUE(fechou);
    EXPECT_EQ(boxes.Texts(), TextosDe(caso.mensagens));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, GruposOk, ::testing::Values(
    CasoOk{"SemMudancasMembrosNaFrenteEDesativadoSemMembros", {}, [](Fatia&) {}},
    CasoOk{"MembrosNosSlots2E5FicamNos1E2", {"Edit1=3", "ComboBox3=25", "ComboBox6=28"},
           [](Fatia& f) { Membros(f, 3, {5, 8, BB, BB, BB, BB, BB}); }},
    CasoOk{"DesativadoGravaSemMembros", {"ComboBox4=27", "Tipo=3"},
           [](Fatia& f) { Tipo(f, 1, 64); Membros(f, 1, {BB, BB, BB, BB, BB, BB, BB}); }},
    CasoOk{"DistribuidorNoGrupo3GuardaO3", {"Edit1=3", "Tipo=0", "Tipo=1"}, [](Fatia& f) { Tipo(f, 3, 3); }},
    CasoOk{"DistribuidorNoGrupo2GuardaO2", {"SpeedButton3", "Tipo=1"}, [](Fatia& f) { Tipo(f, 2, 2); }},
    CasoOk{"MultiploGuarda16", {"Tipo=2"}, [](Fatia& f) { Tipo(f, 1, 16); }},
    CasoOk{"HierarquicoGuarda0", {"SpeedButton4", "SpeedButton2", "SpeedButton2", "Tipo=0"},
           [](Fatia& f) { Tipo(f, 2, 0); }},
    CasoOk{"MembroNumGrupoDesativadoOReativa", {"SpeedButton4", "ComboBox3=27"},
           [](Fatia& f) { Tipo(f, 4, 0); Membros(f, 4, {9, 7, BB, BB, BB, BB, BB}); }},
    CasoOk{"MembroLimpoGuardaBB", {"ComboBox2="}, [](Fatia& f) { Membros(f, 1, {1, BB, BB, BB, BB, BB, BB}); }},
    CasoOk{"RamalDeOutroGrupoPodeSerDigitado", {"Edit1=3", "ComboBox8=20"},
           [](Fatia& f) { Membros(f, 3, {0, BB, BB, BB, BB, BB, BB}); }},
    CasoOk{"ToquesEscolhidos", {"Edit1=2", "ComboBox1<7"}, [](Fatia& f) { Toques(f, 2, 7); }},
    CasoOk{"MembroTrocado", {"ComboBox2=31"}, [](Fatia& f) { Membros(f, 1, {11, 1, BB, BB, BB, BB, BB}); }},
    // A refused text leaves the slot as it was.
    CasoOk{"SeisRecusadoMantemOSlot", {"ComboBox2=6", "Tab"}, [](Fatia&) {}, {"O grupo deve ter 2 dígitos"}},
    CasoOk{"GrupoRecusadoMantemOSlot", {"ComboBox4=61", "Tab"}, [](Fatia&) {}, {"O grupo deve estar programado"}},
    CasoOk{"RamalDesconhecidoMantemOSlot", {"ComboBox2=35", "Tab"}, [](Fatia&) {},
           {"Este ramal não é um ramal válido"}},
    CasoOk{"RepetidoMantemOSlot", {"ComboBox3=20", "Tab"}, [](Fatia&) {},
           {"Um grupo não pode conter ramais iguais"}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// ------------------------------------------------------------------ refusals on Ok

struct CasoRecusa {
    const char* caso;
    const char* texto; // typed into the third member of group 1
    std::vector<const char*> mensagens;
};

using LinhaRecusa = CasoPorOk<CasoRecusa>;

class GruposRecusa : public ::testing::TestWithParam<LinhaRecusa> {};

// Ok right after typing, by mouse (the combo's exit check) or by Alt+K (Ok
// checks again): the message, the focus on the member, nothing written.
TEST_P(GruposRecusa, MensagemFocoENadaGravado)
{
    const auto& [caso, como] = GetParam();
    auto imagem = ImagemGrupos();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&GruposDeRamais, imagem, [&](TForm* w) {
        Digita(w, "ComboBox4", QString::fromUtf8(caso.texto));
        PressionaOk(w, como);
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "ComboBox4");
    });
    ConfereErros(boxes, caso.mensagens);
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

const CasoRecusa kRecusas[] = {
    {"UmDigito", "2", {"O ramal deve ter no mínimo 2 dígitos"}},
    {"RamalForaDoPlano", "35", {"Este ramal não é um ramal válido"}},
    {"GrupoComoMembro", "61", {"O grupo deve estar programado"}},
    {"SeisSozinho", "6", {"O grupo deve ter 2 dígitos"}},
    {"GrupoDeTresDigitos", "612", {"O grupo deve ter 2 dígitos"}},
    {"NaoComecaCom2Ou3", "7", {"O ramal não pode ser iniciado por '7' ."}},
    {"Letra", "2b", {"Apenas números podem ser digitados para ramais"}},
    {"CincoDigitos", "23456", {"O ramal deve possuir no máximo 4 dígitos", "O ramal deve ter no máximo 4 dígitos"}},
};

INSTANTIATE_TEST_SUITE_P(Casos, GruposRecusa, ::testing::ValuesIn(CasosPorOk(kRecusas)), PrintedName{});

// A member the group already holds, typed and confirmed by Ok's key, is
// refused and nothing is written.
TEST(Grupos, RepetidoRecusadoNoOkPeloAtalho)
{
    auto imagem = ImagemGrupos();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&GruposDeRamais, imagem, [&](TForm* w) {
        Digita(w, "ComboBox4", "21");
        PressionaOk(w, TComoOk::Atalho);
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "ComboBox4");
    });
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("Um grupo não pode conter ramais iguais")});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// ------------------------------------------------------------------ showing

TEST(Grupos, MostraOGrupoEListaSoRamaisForaDeGrupos)
{
    auto imagem = ImagemGrupos();
    GravaU16(imagem.data() + OffsetPalavraRamal(8), 0xF1FF); // "81" at position 8: no extension
    ScriptedBoxes boxes;
    AbreEntrada(&GruposDeRamais, imagem, [&](TForm* w) {
        const auto texto = [&](const char* nome) { return Find<TComboBox>(w, nome)->Text().trimmed(); };
        DaUmPasso(w, "SpeedButton3");
        EXPECT_EQ(Find<TEdit>(w, "Edit1")->Text(), "2");
        EXPECT_EQ(texto("ComboBox2"), "");
        EXPECT_EQ(texto("ComboBox3"), "24");
        EXPECT_EQ(texto("ComboBox8"), "26");
        EXPECT_EQ(texto("ComboBox1"), "4");
        EXPECT_EQ(Find<TRadioGroup>(w, "RadioGroup1")->ItemIndex(), 2);
        const QStringList livres = {"     ", "22", "23", "25", "28", "30", "31"};
        for (const char* nome : {"ComboBox2", "ComboBox5", "ComboBox8"})
            EXPECT_EQ(Find<TComboBox>(w, nome)->Items().ToStringList(), livres) << nome;

        DaPassos(w, {"ComboBox2=25", "Tab"});
        QStringList sem25 = livres;
        sem25.removeAll("25");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox7")->Items().ToStringList(), sem25);
    });
    EXPECT_TRUE(boxes.calls.empty());
}

// A type byte of no known kind shows as hierarchical; 1..15 as distributing;
// rings outside the list show none.
TEST(Grupos, TiposEToquesGuardados)
{
    struct Linha {
        std::uint8_t tipo;
        std::uint8_t toques;
        int item;
        const char* textoToques;
    };
    const Linha linhas[] = {{0, 3, 0, "3"}, {1, 7, 1, "7"}, {15, 5, 1, "5"}, {16, 4, 2, "4"},
                            {64, 6, 3, "6"}, {0x20, 0, 0, ""}, {0x41, 9, 0, ""}};
    for (const Linha& linha : linhas) {
        auto imagem = ImagemGrupos();
        imagem[3348] = linha.tipo;
        imagem[3344] = linha.toques;
        AbreEntrada(&GruposDeRamais, imagem, [&](TForm* w) {
            EXPECT_EQ(Find<TRadioGroup>(w, "RadioGroup1")->ItemIndex(), linha.item) << int(linha.tipo);
            EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Text(), linha.textoToques) << int(linha.toques);
        });
    }
}

// Whatever was changed, Cancel writes nothing.
TEST(Grupos, CancelaNaoGrava)
{
    auto imagem = ImagemGrupos();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&GruposDeRamais, imagem, [&](TForm* w) {
        DaPassos(w, {"ComboBox4=27", "Tipo=3", "SpeedButton3", "ComboBox1<7"}, kListas);
        Click(w, "CancButton");
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// Stored members the user never touches go back through Ok as they are,
// however Ok is pressed and even after the focus passed through them: one at
// a position numbered "81", and a group as a member.
class GruposGuardados : public ::testing::TestWithParam<TComoOk> {};

TEST_P(GruposGuardados, MembrosIntocadosPassamPeloOk)
{
    auto imagem = ImagemGrupos();
    GravaU16(imagem.data() + OffsetPalavraRamal(8), 0xF1FF); // "81" at position 8
    Fatia f = FatiaInicial();
    Membros(f, 1, {0, 7, 0x72, BB, BB, BB, BB});
    PoeFatia(imagem, f);
    auto esperado = imagem;
    Membros(f, 2, {4, 6, BB, BB, BB, BB, BB});
    Membros(f, 4, {BB, BB, BB, BB, BB, BB, BB});
    PoeFatia(esperado, f);
    ConfirmaIntocado(&GruposDeRamais, imagem, "ComboBox3", 2, GetParam(), [](TForm* w) {
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox3")->Text().trimmed(), "81");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox4")->Text().trimmed(), "62");
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, GruposGuardados, CadaComoOk(), NomeDoComoOk{});

// A member typed into a deactivated group shows the type it gets at once,
// before the combo is left; Ok by its key then stores that type.
TEST(Grupos, MembroNumGrupoDesativadoMostraOTipoLogo)
{
    auto imagem = ImagemGrupos();
    auto esperado = imagem;
    Fatia f = FatiaCompactada();
    Tipo(f, 4, 0);
    Membros(f, 4, {9, 7, BB, BB, BB, BB, BB});
    PoeFatia(esperado, f);
    ScriptedBoxes boxes;
    AbreEntrada(&GruposDeRamais, imagem, [&](TForm* w) {
        auto* tipo = Find<TRadioGroup>(w, "RadioGroup1");
        DaUmPasso(w, "SpeedButton4");
        EXPECT_EQ(tipo->ItemIndex(), 3);
        Digita(w, "ComboBox3", "2");
        EXPECT_EQ(tipo->ItemIndex(), 3) << "\"2\" names no extension yet";
        input::Type("7");
        EXPECT_EQ(tipo->ItemIndex(), 0);
        EXPECT_EQ(Focado(w), "ComboBox3");
        PressionaOk(w, TComoOk::Atalho);
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(boxes.Texts(), QStringList{});
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

} // namespace
