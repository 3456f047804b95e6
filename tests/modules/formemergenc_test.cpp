// External emergency: what each stored code shows, what Ok rebuilds from
// the fields (the route only with digits, the external number before the
// internal destination, nothing of the emergency extension's own when there
// is none), and every destination or number Ok refuses before writing.
#include "modules/entradas.h"
#include "platform/controls.h"
#include "platform/maskedit.h"
#include "tests/modules/campos.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace {

constexpr int kInicioArea = 3403;
constexpr std::uint8_t BB = 0xBB;
constexpr std::uint8_t BF = 0xBF;

// A dial record packed by hand: flags 0, digit count with the route in bits
// 5..7, two digits a byte, 0 stored as 10.
std::array<std::uint8_t, 12> Registro(const char* digitos, int rota)
{
    std::array<std::uint8_t, 12> registro{};
    int n = 0;
    for (const char* c = digitos; *c; ++c, ++n) {
        const std::uint8_t valor = *c == '0' ? 10 : static_cast<std::uint8_t>(*c - '0');
        registro[2 + n / 2] |= n % 2 == 0 ? static_cast<std::uint8_t>(valor << 4) : valor;
    }
    registro[1] = static_cast<std::uint8_t>(n | rota << 5);
    return registro;
}

// The 40 bytes of the area.
struct Area {
    std::uint8_t ramal = BB;        // 3403
    std::uint8_t internoRamal = BF; // 3404
    const char* numeroRamal = "";   // 3405..3416
    int rotaRamal = 0;
    std::uint8_t interno = BB;      // 3417
    const char* numero = "";        // 3418..3429
    int rota = 0;
    std::uint8_t reserva = 0;       // 3430..3442

    std::array<std::uint8_t, 40> Bytes() const
    {
        std::array<std::uint8_t, 40> bytes{};
        bytes[0] = ramal;
        bytes[1] = internoRamal;
        const auto externoRamal = Registro(numeroRamal, rotaRamal);
        std::copy(externoRamal.begin(), externoRamal.end(), bytes.begin() + 2);
        bytes[14] = interno;
        const auto externo = Registro(numero, rota);
        std::copy(externo.begin(), externo.end(), bytes.begin() + 15);
        std::fill(bytes.begin() + 27, bytes.end(), reserva);
        return bytes;
    }
};

// The test image: the plan 20..31 (position 5 holding "81" where a case asks
// for it), group 1 programmed and the others not, a trunk on route 0 or
// none, and the emergency area given.
std::vector<std::uint8_t> ImagemEmergencia(const Area& area, bool comRota0 = true, bool com81 = false)
{
    auto imagem = ImagemDeTeste();
    for (int t = 1; t <= 4; ++t)
        imagem[393 + t] = comRota0 && t == 2 ? 0x68 : 0x69;
    imagem[3348] = 0x00;
    for (int g = 2; g <= 4; ++g)
        imagem[3340 + 8 * g] = 0x40;
    if (com81)
        GravaU16(imagem.data() + OffsetPalavraRamal(5), 0xF1FF);
    const auto bytes = area.Bytes();
    std::copy(bytes.begin(), bytes.end(), imagem.begin() + kInicioArea);
    return imagem;
}

std::array<std::uint8_t, 40> AreaDe(const std::vector<std::uint8_t>& imagem)
{
    std::array<std::uint8_t, 40> bytes{};
    std::copy(imagem.begin() + kInicioArea, imagem.begin() + kInicioArea + 40, bytes.begin());
    return bytes;
}

// A field typed, or a route picked (the focus reaching the route from its
// number with Tab).
struct Acao {
    const char* campo;
    const char* texto;
};

bool EhRota(const char* campo)
{
    return QByteArray(campo) == "ComboBox6" || QByteArray(campo) == "ComboBox7";
}

void Executa(TForm* w, const std::vector<Acao>& acoes)
{
    for (const Acao& acao : acoes) {
        if (EhRota(acao.campo)) {
            input::Click(Find(w, QByteArray(acao.campo) == "ComboBox6" ? "MaskEdit1" : "MaskEdit3"));
            EscolhePorTab(QString::fromUtf8(acao.texto));
        } else {
            Digita(w, acao.campo, QString::fromUtf8(acao.texto));
        }
    }
}

// ------------------------------------------------------------------ Ok

struct CasoOk {
    const char* caso;
    Area antes;
    std::vector<Acao> acoes;
    Area depois;
    bool com81 = false;
};

void PrintTo(const CasoOk& caso, std::ostream* os)
{
    *os << caso.caso;
}

class EmergenciaOk : public ::testing::TestWithParam<CasoOk> {};

TEST_P(EmergenciaOk, OkReconstroiAArea)
{
    const CasoOk& caso = GetParam();
    auto imagem = ImagemEmergencia(caso.antes, true, caso.com81);
    auto esperado = imagem;
    const auto area = caso.depois.Bytes();
    std::copy(area.begin(), area.end(), esperado.begin() + kInicioArea);
    ScriptedBoxes boxes;
    bool fechou = false;
    AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
        Executa(w, caso.acoes);
        PressionaOk(w, TComoOk::Mouse);
        fechou = !w->isVisible();
    });
    EXPECT_TRUE(fechou);
    EXPECT_EQ(boxes.Texts(), QStringList{});
    EXPECT_EQ(AreaDe(imagem), AreaDe(esperado));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, EmergenciaOk, ::testing::Values(
    CasoOk{"SemMudancasGravaOsMesmosDestinosEZeraAReserva",
           {.ramal = 2, .internoRamal = 5, .interno = 0x7A, .numero = "0800123", .rota = 2, .reserva = 0x5A}, {},
           {.ramal = 2, .internoRamal = 5, .interno = 0x7A, .numero = "0800123", .rota = 2}},
    CasoOk{"NumeroDoRamalSemMudancas", {.ramal = 3, .numeroRamal = "190", .rotaRamal = 1}, {},
           {.ramal = 3, .numeroRamal = "190", .rotaRamal = 1}},
    CasoOk{"NumeroComRotaVaziaUsaONumero", {.interno = 4}, {{"MaskEdit1", "190"}, {"ComboBox6", ""}},
           {.interno = 0x7A, .numero = "190"}},
    CasoOk{"NumeroComRota0", {}, {{"MaskEdit1", "190"}, {"ComboBox6", "0"}}, {.interno = 0x7A, .numero = "190"}},
    CasoOk{"NumeroComRota3", {}, {{"MaskEdit1", "0800123"}, {"ComboBox6", "3"}},
           {.interno = 0x7A, .numero = "0800123", .rota = 3}},
    CasoOk{"VinteDigitos", {}, {{"MaskEdit1", "12345678901234567890"}},
           {.interno = 0x7A, .numero = "12345678901234567890"}},
    CasoOk{"RotaSemDigitosNaoGravaARotaNemApagaOInterno", {}, {{"ComboBox1", "23"}, {"ComboBox6", "3"}},
           {.interno = 3}},
    CasoOk{"RotaSemDigitosNoRamalMantemSeuInterno", {},
           {{"ComboBox3", "21"}, {"ComboBox4", "24"}, {"ComboBox7", "4"}}, {.ramal = 1, .internoRamal = 4}},
    CasoOk{"NumeroDoRamalVenceSeuInterno", {.ramal = 1, .internoRamal = 4},
           {{"MaskEdit3", "555"}, {"ComboBox7", "1"}}, {.ramal = 1, .numeroRamal = "555", .rotaRamal = 1}},
    CasoOk{"SemRamalDeEmergenciaApagaSeuNumero", {.ramal = 1, .numeroRamal = "555", .rotaRamal = 1},
           {{"ComboBox3", ""}}, {}},
    CasoOk{"SemRamalDeEmergenciaApagaSeuInterno", {}, {{"ComboBox4", "24"}}, {}},
    CasoOk{"RamalSemInternoGuardaBF", {.ramal = 1, .internoRamal = 4}, {{"ComboBox4", ""}}, {.ramal = 1}},
    CasoOk{"GrupoProgramadoComoDestino", {}, {{"ComboBox1", "61"}}, {.interno = 0x71}},
    CasoOk{"RamalDoPlanoQueNaoComecaCom2Ou3", {}, {{"ComboBox3", "21"}, {"ComboBox4", "81"}},
           {.ramal = 1, .internoRamal = 4}, true},
    CasoOk{"CodigosSemReferenciaDaAreaVoltamComoNenhum", {.ramal = 0xFF, .internoRamal = 0x7B, .interno = 0x7B}, {},
           {}},
    CasoOk{"7ASemNumeroVoltaComoNenhum", {.interno = 0x7A}, {}, {}},
    // Stored destinations the user never touches go back as they are, even
    // those a typed text could not name: "60", groups not programmed.
    CasoOk{"SessentaGuardadoVoltaIgual", {.interno = 0x70}, {}, {.interno = 0x70}},
    CasoOk{"GruposNaoProgramadosGuardadosVoltamIguais", {.ramal = 0x73, .internoRamal = 0x72, .interno = 0x74}, {},
           {.ramal = 0x73, .internoRamal = 0x72, .interno = 0x74}},
    CasoOk{"OutroCampoDigitadoNaoMudaOGuardado", {.ramal = 0x73, .interno = 0x70}, {{"ComboBox4", "24"}},
           {.ramal = 0x73, .internoRamal = 4, .interno = 0x70}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// ------------------------------------------------------------------ refusals

struct CasoRecusa {
    const char* caso;
    std::vector<Acao> acoes;
    const char* mensagem;
    const char* foco;
    bool comRota0 = true;
};

using LinhaRecusa = CasoPorOk<CasoRecusa>;

class EmergenciaRecusa : public ::testing::TestWithParam<LinhaRecusa> {};

// Ok, however pressed, refuses the first field in order that fails, with
// its message and the focus on it; the window stays and nothing is written.
TEST_P(EmergenciaRecusa, MensagemFocoENadaGravado)
{
    const auto& [caso, como] = GetParam();
    auto imagem = ImagemEmergencia({.ramal = 2, .internoRamal = 5, .interno = 6}, caso.comRota0);
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
        Executa(w, caso.acoes);
        PressionaOk(w, como);
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), caso.foco);
    });
    ConfereUmErro(boxes, QString::fromUtf8(caso.mensagem));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

const CasoRecusa kRecusas[] = {
    {"RamalForaDoPlano", {{"ComboBox1", "35"}}, "Este ramal não é um ramal válido", "ComboBox1"},
    {"UmDigito", {{"ComboBox3", "2"}}, "O ramal deve ter no mínimo 2 dígitos", "ComboBox3"},
    {"CincoDigitos", {{"ComboBox3", "23456"}}, "O ramal deve ter no máximo 4 dígitos", "ComboBox3"},
    {"Letra", {{"ComboBox4", "2a"}}, "Apenas números podem ser digitados para ramais", "ComboBox4"},
    {"NaoComecaCom2Ou3", {{"ComboBox4", "9"}}, "O ramal não pode ser iniciado por '9' .", "ComboBox4"},
    {"GrupoNaoProgramado", {{"ComboBox1", "62"}}, "O grupo deve estar programado", "ComboBox1"},
    {"GrupoDeUmDigito", {{"ComboBox1", "6"}}, "O grupo deve ter 2 dígitos", "ComboBox1"},
    {"GrupoDeTresDigitos", {{"ComboBox3", "612"}}, "O grupo deve ter 2 dígitos", "ComboBox3"},
    {"PrimeiroNaOrdemDosCampos", {{"ComboBox4", "9"}, {"ComboBox1", "35"}}, "Este ramal não é um ramal válido",
     "ComboBox1"},
    {"SemRota0ONumero", {{"MaskEdit1", "190"}},
     "Não existe Rota 0 programada, não será possível programar número externo.", "MaskEdit1", false},
    {"SemRota0ONumeroDoRamal", {{"MaskEdit3", "555"}},
     "Não existe Rota 0 programada, não será possível programar número externo.", "MaskEdit3", false},
};

INSTANTIATE_TEST_SUITE_P(Casos, EmergenciaRecusa, ::testing::ValuesIn(CasosPorOk(kRecusas)), PrintedName{});

// A number stored while no trunk has route 0 goes back through Ok as it
// is, however Ok is pressed, when the user leaves it untouched, even after
// the focus passed through it; only a typed number is checked.
class EmergenciaNumeroGuardado : public ::testing::TestWithParam<TComoOk> {};

TEST_P(EmergenciaNumeroGuardado, SemRota0VoltaIgualSeIntocado)
{
    auto imagem = ImagemEmergencia({.interno = 0x7A, .numero = "190"}, false);
    const auto antes = imagem;
    ConfirmaIntocado(&EmergenciaExterna, imagem, "MaskEdit1", 1, GetParam());
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, EmergenciaNumeroGuardado, CadaComoOk(), NomeDoComoOk{});

// ------------------------------------------------------------------ showing

struct CasoMostra {
    const char* caso;
    Area area;
    std::array<const char*, 7> textos; // ComboBox1, MaskEdit1, ComboBox6, ComboBox3, ComboBox4, MaskEdit3, ComboBox7
};

void PrintTo(const CasoMostra& caso, std::ostream* os)
{
    *os << caso.caso;
}

class EmergenciaMostra : public ::testing::TestWithParam<CasoMostra> {};

QString TextoDoCampo(TForm* w, const char* nome)
{
    if (auto* mascara = Find<TMaskEdit>(w, nome))
        return mascara->Text().trimmed();
    return Find<TComboBox>(w, nome)->Text().trimmed();
}

TEST_P(EmergenciaMostra, CamposMostramAArea)
{
    const CasoMostra& caso = GetParam();
    auto imagem = ImagemEmergencia(caso.area);
    const char* const campos[] = {"ComboBox1", "MaskEdit1", "ComboBox6", "ComboBox3",
                                  "ComboBox4", "MaskEdit3", "ComboBox7"};
    AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
        for (size_t i = 0; i < std::size(campos); ++i)
            EXPECT_EQ(TextoDoCampo(w, campos[i]), QString::fromUtf8(caso.textos[i])) << campos[i];
        EXPECT_EQ(Focado(w), "ComboBox1");
    });
}

INSTANTIATE_TEST_SUITE_P(Casos, EmergenciaMostra, ::testing::Values(
    CasoMostra{"Nada", {}, {"", "", "", "", "", "", ""}},
    CasoMostra{"NumeroComRota", {.interno = 0x7A, .numero = "0800123", .rota = 2}, {"", "0800123", "2", "", "", "", ""}},
    CasoMostra{"RotaSemDigitosNaoAparece", {.interno = 3, .rota = 3}, {"23", "", "", "", "", "", ""}},
    CasoMostra{"RamalEDestinosDoRamal", {.ramal = 0, .internoRamal = 11, .numeroRamal = "555", .rotaRamal = 4},
               {"", "", "", "20", "31", "555", "4"}},
    CasoMostra{"Grupo", {.interno = 0x71}, {"61", "", "", "", "", "", ""}},
    CasoMostra{"CodigosSemReferencia", {.ramal = 0xFF, .internoRamal = 0x7B, .interno = 0x7B},
               {"", "", "", "", "", "", ""}},
    CasoMostra{"BFSoNoInternoDoRamal", {.ramal = BB, .internoRamal = BF, .interno = 0xBB},
               {"", "", "", "", "", "", ""}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// ------------------------------------------------------------------ rules of the fields

// Leaving a number with digits empties its group's internal destination.
TEST(Emergencia, SairDoNumeroApagaOInternoDoSeuGrupo)
{
    auto imagem = ImagemEmergencia({.ramal = 1, .internoRamal = 4, .interno = 3});
    ScriptedBoxes boxes;
    AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
        Digita(w, "MaskEdit1", "190");
        input::Key(Qt::Key_Tab);
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Text(), "");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox4")->Text().trimmed(), "24");
        Digita(w, "MaskEdit3", "555");
        input::Key(Qt::Key_Tab);
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox4")->Text(), "");
    });
    EXPECT_TRUE(boxes.calls.empty());
}

// With no trunk on route 0, leaving a number is refused and the focus stays.
TEST(Emergencia, SemRota0SairDoNumeroERecusado)
{
    auto imagem = ImagemEmergencia({.interno = 3}, false);
    ScriptedBoxes boxes;
    AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
        Digita(w, "MaskEdit1", "190");
        input::Key(Qt::Key_Tab);
        input::Settle();
        EXPECT_EQ(Focado(w), "MaskEdit1");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Text().trimmed(), "23");
    });
    EXPECT_EQ(boxes.Texts(),
              QStringList{QString::fromUtf8("Não existe Rota 0 programada, não será possível programar número externo.")});
}

// The lists hold the plan's numbers, each leaving out what the combo it must
// differ from holds; a position with no number is listed as an empty item.
TEST(Emergencia, ListasDeixamDeFóraOQueOutroCampoTem)
{
    auto imagem = ImagemEmergencia({.ramal = 2, .internoRamal = 5, .interno = 6});
    GravaU16(imagem.data() + OffsetPalavraRamal(12), 0xFFFF);
    AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
        const auto itens = [&](const char* nome) { return Find<TComboBox>(w, nome)->Items().ToStringList(); };
        const QStringList plano = {"20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", ""};
        QStringList semOuRamal = plano;
        semOuRamal.removeAll("22");
        QStringList semOsInternos = plano;
        semOsInternos.removeAll("26");
        semOsInternos.removeAll("25");
        EXPECT_EQ(itens("ComboBox1"), semOuRamal);
        EXPECT_EQ(itens("ComboBox3"), semOsInternos);
        EXPECT_EQ(itens("ComboBox4"), semOuRamal);

        Digita(w, "ComboBox3", "27");
        input::Key(Qt::Key_Tab);
        QStringList sem27 = plano;
        sem27.removeAll("27");
        EXPECT_EQ(itens("ComboBox1"), sem27);
        EXPECT_EQ(itens("ComboBox4"), sem27);
    });
}

// "Padrão" answered Yes empties every field (the factory area); No leaves them.
TEST(Emergencia, PadraoEsvaziaOsCamposSoComSim)
{
    for (int resposta : {IDNO, IDYES}) {
        auto imagem = ImagemEmergencia({.ramal = 2, .internoRamal = 5, .interno = 0x7A, .numero = "190", .rota = 1});
        auto esperado = imagem;
        if (resposta == IDYES) {
            const auto fabrica = Area{}.Bytes();
            std::copy(fabrica.begin(), fabrica.end(), esperado.begin() + kInicioArea);
        }
        ScriptedBoxes boxes({resposta});
        AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
            Click(w, "BtnPadrao");
            EXPECT_EQ(TextoDoCampo(w, "MaskEdit1"), resposta == IDYES ? "" : "190");
            EXPECT_EQ(TextoDoCampo(w, "ComboBox3"), resposta == IDYES ? "" : "22");
            Click(w, "OkButton");
        });
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("Deseja mesmo aplicar o padrão ?")});
        EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{}) << resposta;
    }
}

// Whatever was typed, Cancel writes nothing.
TEST(Emergencia, CancelaNaoGrava)
{
    auto imagem = ImagemEmergencia({.ramal = 2, .internoRamal = 5, .interno = 6});
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&EmergenciaExterna, imagem, [&](TForm* w) {
        Digita(w, "ComboBox1", "21");
        Digita(w, "MaskEdit3", "555");
        Click(w, "CancButton");
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

} // namespace
