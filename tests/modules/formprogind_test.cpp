// Individual extension programming: each control writes its field of the
// position shown and nothing else, showing a position never changes it, the
// hot line holds exactly what the window shows, passwords can only be
// cleared, and the defaults, the copy and stepping over special numbers.
#include "modules/entradas.h"
#include "tests/modules/ramaisteste.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Imagem = std::vector<std::uint8_t>;

// The test image with no private code owned and groups 1 and 3 programmed.
Imagem ImagemIndividual()
{
    Imagem imagem = ImagemDeTeste();
    for (int j = 1; j <= 40; ++j)
        imagem[OffsetDonoCodigo(j)] = kSemReferencia;
    for (int g = 1; g <= 4; ++g)
        imagem[OffsetGrupo(g)] = g % 2 ? 0x00 : 0x40;
    return imagem;
}

void Senha(Imagem& i, int ofs, std::uint8_t a, std::uint8_t b)
{
    i[ofs] = a;
    i[ofs + 1] = b;
}

// Position p owns private code j.
void Dono(Imagem& i, int codigo, int posicao)
{
    i[OffsetDonoCodigo(codigo)] = static_cast<std::uint8_t>(posicao - 1);
}

struct CasoEdicao {
    const char* caso;
    std::function<void(Imagem&)> prepara;
    Atos atos; // in the window, before Ok
    std::function<void(Imagem&)> espera;
};

void PrintTo(const CasoEdicao& caso, std::ostream* os)
{
    *os << caso.caso;
}

void Nada(Imagem&) {}

// Goes from the first position to position p (1..12) with "next".
void VaiPara(QWidget* w, int posicao)
{
    for (int p = 1; p < posicao; ++p)
        Clica(w, "SpeedButton3");
}

class IndividualEdicao : public ::testing::TestWithParam<CasoEdicao> {};

TEST_P(IndividualEdicao, OkGravaSomenteOQueFoiMudado)
{
    const CasoEdicao& caso = GetParam();
    Imagem imagem = ImagemIndividual();
    caso.prepara(imagem);
    Imagem esperado = imagem;
    caso.espera(esperado);
    ScriptedBoxes boxes;
    AbreRamais(&ProgramacaoIndividual, imagem, nullptr, [&](QWidget* w) {
        caso.atos(w);
        Clica(w, "OKButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(boxes.Texts(), QStringList{});
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

const CasoEdicao kEdicoes[] = {
    // Bytes that the controls cannot show as they are: a route beyond the
    // list, options without a destination, a follow-me destination without
    // the follow-me facility, a lock level no radio has, recall times no
    // item has, a password the window would clear.
    {"MostrarTodasNaoMudaNada",
     [](Imagem& i) {
         i[OffsetLinhaDireta(1)] = 0x5F;
         i[OffsetLinhaDireta(2)] = 0xE3;
         i[OffsetLinhaDireta(3)] = 0x1E;
         i[OffsetSigaMe(2)] = 4;
         i[OffsetFacilidadesRamal(2)] = 0x00;
         i[OffsetCadeadoRamal(3)] = 0x12;
         i[OffsetTemposRechamada(4)] = 0x92;
         i[OffsetDesvioNaoAtende(5)] = 0x77;
         Senha(i, OffsetSenhaRamal(6), 0xED, 0x12);
     },
     [](QWidget* w) {
         VaiPara(w, 12);
         Clica(w, "SpeedButton1");
         Digita(w, "Edit1", "27");
     },
     Nada},
    {"LinhaDiretaInternaSemOpcoes", [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0xFF; },
     [](QWidget* w) {
         Clica(w, "CheckBox11");
         Clica(w, "RadioButton6");
         Escolhe(w, "ComboBox2", "23");
     },
     [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0x03; }},
    {"LinhaDiretaExternaImediata", [](Imagem& i) { i[OffsetLinhaDireta(2)] = 0xFF; },
     [](QWidget* w) {
         VaiPara(w, 2);
         Clica(w, "CheckBox11");
         Clica(w, "RadioButton5");
         Escolhe(w, "ComboBox2", "2");
         EXPECT_FALSE(Habilitada(w, "CheckBox3"));
         Clica(w, "CheckBox9");
     },
     [](Imagem& i) { i[OffsetLinhaDireta(2)] = 0xC2; }},
    {"LinhaDiretaEmergencia", [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0x05; },
     [](QWidget* w) { Clica(w, "CheckBox3"); },
     [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0x25; }},
    {"LinhaDiretaDesligada", [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0xC3; },
     [](QWidget* w) { Clica(w, "CheckBox11"); },
     [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0xFF; }},
    // A position without a hot line shows the whole group disabled from the
    // first showing on; a click there changes nothing.
    {"SemLinhaDiretaOGrupoFicaDesabilitado",
     [](Imagem& i) {
         i[OffsetLinhaDireta(1)] = 0xFF;
         i[OffsetLinhaDireta(2)] = 0x43;
     },
     [](QWidget* w) {
         for (const char* nome : {"RadioButton5", "RadioButton6", "ComboBox2", "CheckBox3", "CheckBox9"})
             EXPECT_FALSE(Habilitada(w, nome)) << nome;
         input::Click(Find<QWidget>(w, "RadioButton6"));
         EXPECT_FALSE(Marcada(w, "RadioButton6"));
         VaiPara(w, 2);
         EXPECT_TRUE(Habilitada(w, "RadioButton6"));
         Clica(w, "SpeedButton1");
         EXPECT_FALSE(Habilitada(w, "RadioButton5"));
     },
     Nada},
    {"OpcoesSemDestinoNaoLigamALinha", [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0xFF; },
     [](QWidget* w) {
         Clica(w, "CheckBox11");
         Clica(w, "RadioButton5");
         Clica(w, "CheckBox9");
         Clica(w, "CheckBox9");
         Clica(w, "CheckBox9");
     },
     Nada},
    {"TrocarDeInternaParaExternaEscolheDeNovo", [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0x24; },
     [](QWidget* w) {
         Clica(w, "RadioButton5");
         EXPECT_EQ(Texto(w, "ComboBox2"), "");
         Escolhe(w, "ComboBox2", "6");
     },
     // "Emergência" stays ticked (and disabled) as the window shows it.
     [](Imagem& i) { i[OffsetLinhaDireta(1)] = 0x66; }},
    {"DesviosParaRamalEGrupo", Nada,
     [](QWidget* w) {
         Escolhe(w, "ComboBox8", "25");
         Escolhe(w, "ComboBox9", "63");
     },
     [](Imagem& i) {
         i[OffsetDesvioNaoAtende(1)] = 5;
         i[OffsetDesvioOcupado(1)] = 0x73;
     }},
    {"DesvioPara87", [](Imagem& i) { Numera(i, 12, 0xFCFF); },
     [](QWidget* w) { Escolhe(w, "ComboBox8", "87"); },
     [](Imagem& i) { i[OffsetDesvioNaoAtende(1)] = 0x6A; }},
    {"DesvioApagado", [](Imagem& i) { i[OffsetDesvioOcupado(1)] = 3; },
     [](QWidget* w) { Escolhe(w, "ComboBox9", "     "); },
     [](Imagem& i) { i[OffsetDesvioOcupado(1)] = kSemReferencia; }},
    {"ToquesFlashRetorno", Nada,
     [](QWidget* w) {
         Escolhe(w, "ComboBox3", "5");
         Escolhe(w, "ComboBox4", "9");
         Escolhe(w, "ComboBox6", "45");
     },
     [](Imagem& i) {
         i[OffsetToquesDesvioRamal(1)] = 5;
         i[OffsetTempoFlash(1)] = 9;
         i[OffsetTempoRetornoEspera(1)] = 45;
     }},
    {"RechamadaNenhumaEQuatro", [](Imagem& i) { i[OffsetTemposRechamada(3)] = 0x37; },
     [](QWidget* w) {
         VaiPara(w, 3);
         Escolhe(w, "ComboBox5", " ");
         Escolhe(w, "ComboBox1", "4");
     },
     [](Imagem& i) { i[OffsetTemposRechamada(3)] = 0x74; }},
    {"CadeadoDdiDddRegional", [](Imagem& i) { i[OffsetCadeadoRamal(1)] = 0xFF; },
     [](QWidget* w) {
         EXPECT_FALSE(Habilitada(w, "RadioButton3"));
         Clica(w, "CheckBox10");
         Clica(w, "RadioButton3");
     },
     [](Imagem& i) { i[OffsetCadeadoRamal(1)] = 227; }},
    {"CadeadoDesligado", [](Imagem& i) { i[OffsetCadeadoRamal(1)] = 247; },
     [](QWidget* w) {
         EXPECT_TRUE(Marcada(w, "RadioButton2"));
         Clica(w, "CheckBox10");
         EXPECT_FALSE(Marcada(w, "RadioButton2"));
     },
     [](Imagem& i) { i[OffsetCadeadoRamal(1)] = 0xFF; }},
    {"FacilidadesEORotuloDireta", [](Imagem& i) { i[OffsetFacilidadesRamal(1)] = 0x62; },
     [](QWidget* w) {
         Clica(w, "CheckBox2");
         Clica(w, "CheckBox6");
         Clica(w, "Label12");
         EXPECT_TRUE(Marcada(w, "CheckBox7"));
     },
     [](Imagem& i) { i[OffsetFacilidadesRamal(1)] = 0x6F; }},
    {"SigaMeSoSeDesliga", [](Imagem& i) { i[OffsetFacilidadesRamal(1)] = 0x90; i[OffsetSigaMe(1)] = 3; },
     [](QWidget* w) {
         EXPECT_EQ(Texto(w, "ESiga"), "23");
         Clica(w, "CheckBox5");
         EXPECT_FALSE(Habilitada(w, "CheckBox5"));
         EXPECT_FALSE(Habilitada(w, "ESiga"));
         EXPECT_EQ(Texto(w, "ESiga"), "");
         Clica(w, "CheckBox4");
         EXPECT_FALSE(Habilitada(w, "CheckBox4"));
     },
     [](Imagem& i) { i[OffsetFacilidadesRamal(1)] = 0x00; i[OffsetSigaMe(1)] = kSemReferencia; }},
    {"SenhaDoRamalSoSeApaga", [](Imagem& i) { Senha(i, OffsetSenhaRamal(1), 0x12, 0x30); },
     [](QWidget* w) {
         Clica(w, "CheckBox1");
         EXPECT_FALSE(Habilitada(w, "CheckBox1"));
     },
     [](Imagem& i) { Senha(i, OffsetSenhaRamal(1), 0xED, 0xED); }},
    {"SenhaDoCodigoDaPosicao",
     [](Imagem& i) {
         Dono(i, 9, 3);
         Dono(i, 7, 3); // the first code owned is 7
         Senha(i, OffsetSenhaCodigo(7), 0x12, 0x34);
         Senha(i, OffsetSenhaCodigo(9), 0x56, 0x12);
     },
     [](QWidget* w) {
         VaiPara(w, 3);
         Clica(w, "CheckBox8");
     },
     [](Imagem& i) { Senha(i, OffsetSenhaCodigo(7), 0xED, 0xED); }},
    {"GrupoDigitadoMostraAPrimeira", [](Imagem& i) { i[OffsetFacilidadesRamal(1)] = 0; },
     [](QWidget* w) {
         Digita(w, "Edit1", "61");
         Clica(w, "CheckBox2");
     },
     [](Imagem& i) { i[OffsetFacilidadesRamal(1)] = 0x01; }},
};

INSTANTIATE_TEST_SUITE_P(Casos, IndividualEdicao, ::testing::ValuesIn(kEdicoes), PrintedName{});

TEST(IndividualMostrar, CaixasDeSenhaECodigo)
{
    Imagem imagem = ImagemIndividual();
    Senha(imagem, OffsetSenhaRamal(1), 0x12, 0x34);
    Senha(imagem, OffsetSenhaRamal(2), 0xED, 0x34); // one byte cleared: none
    Senha(imagem, OffsetSenhaRamal(3), 0xED, 0xED);
    Dono(imagem, 4, 2);
    Senha(imagem, OffsetSenhaCodigo(4), 0x21, 0x43);
    std::vector<std::vector<bool>> vistas;
    AbreRamais(&ProgramacaoIndividual, imagem, nullptr, [&](QWidget* w) {
        for (int p = 1; p <= 3; ++p) {
            vistas.push_back({Marcada(w, "CheckBox1"), Habilitada(w, "CheckBox1"), Marcada(w, "CheckBox8"),
                              Habilitada(w, "CheckBox8")});
            Clica(w, "SpeedButton3");
        }
    });
    EXPECT_EQ(vistas, (std::vector<std::vector<bool>>{
                          {true, true, false, false}, {false, false, true, true}, {false, false, false, false}}));
}

struct CasoPadrao {
    const char* caso;
    int resposta;
    std::vector<int> posicoes; // that get the defaults
};

void PrintTo(const CasoPadrao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class IndividualPadrao : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(IndividualPadrao, SimTodasNaoAAtualCancelaNenhuma)
{
    Imagem imagem = ImagemIndividual();
    Dono(imagem, 2, 3);
    Dono(imagem, 30, 12);
    Imagem esperado = imagem;
    for (int p : GetParam().posicoes) {
        esperado[OffsetLinhaDireta(p)] = 0xFF;
        esperado[OffsetDesvioNaoAtende(p)] = kSemReferencia;
        esperado[OffsetDesvioOcupado(p)] = kSemReferencia;
        esperado[OffsetSigaMe(p)] = kSemReferencia;
        Senha(esperado, OffsetSenhaRamal(p), 0xED, 0xED);
        esperado[OffsetToquesDesvioRamal(p)] = 3;
        esperado[OffsetTempoFlash(p)] = 4;
        esperado[OffsetTempoRetornoEspera(p)] = 15;
        esperado[OffsetTemposRechamada(p)] = 0x37;
        esperado[OffsetCadeadoRamal(p)] = 0xFF;
        esperado[OffsetFacilidadesRamal(p)] = 0;
        if (p == 3)
            Senha(esperado, OffsetSenhaCodigo(2), 0xED, 0xED);
        if (p == 12)
            Senha(esperado, OffsetSenhaCodigo(30), 0xED, 0xED);
    }
    ScriptedBoxes boxes({GetParam().resposta});
    AbreRamais(&ProgramacaoIndividual, imagem, nullptr, [&](QWidget* w) {
        VaiPara(w, 3);
        Clica(w, "Button1");
        EXPECT_EQ(Texto(w, "Edit1"), "22");
        Clica(w, "OKButton");
    });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Usar padrão para todos os ramais ?");
    EXPECT_EQ(boxes.calls[0].caption, "Confirma");
    EXPECT_EQ(boxes.calls[0].flags, 35);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Respostas, IndividualPadrao, ::testing::Values(
    CasoPadrao{"Sim", IDYES, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    CasoPadrao{"Nao", IDNO, {3}},
    CasoPadrao{"Cancela", IDCANCEL, {}}), PrintedName{});

struct CasoCopia {
    const char* caso;
    int codigoOrigem; // owned by position 2, 0 none
};

void PrintTo(const CasoCopia& caso, std::ostream* os)
{
    *os << caso.caso;
}

class IndividualCopia : public ::testing::TestWithParam<CasoCopia> {};

// Position 2 ("21") is copied to "23" (owner of code 9) and "25" (no code).
TEST_P(IndividualCopia, CopiaOsCamposEASenhaDoCodigoEntreDonos)
{
    Imagem imagem = ImagemIndividual();
    if (GetParam().codigoOrigem)
        Dono(imagem, GetParam().codigoOrigem, 2);
    Dono(imagem, 9, 4);
    Senha(imagem, OffsetSenhaCodigo(9), 0x99, 0x99);
    Imagem esperado = imagem;
    for (int destino : {4, 6}) {
        for (auto campo : {OffsetLinhaDireta, OffsetDesvioNaoAtende, OffsetDesvioOcupado, OffsetSigaMe,
                           OffsetToquesDesvioRamal, OffsetTempoFlash, OffsetTempoRetornoEspera,
                           OffsetTemposRechamada, OffsetCadeadoRamal, OffsetFacilidadesRamal})
            esperado[campo(destino)] = imagem[campo(2)];
        Senha(esperado, OffsetSenhaRamal(destino), imagem[OffsetSenhaRamal(2)], imagem[OffsetSenhaRamal(2) + 1]);
    }
    if (GetParam().codigoOrigem) {
        const int origem = OffsetSenhaCodigo(GetParam().codigoOrigem);
        Senha(esperado, OffsetSenhaCodigo(9), imagem[origem], imagem[origem + 1]);
    }
    ScriptedBoxes boxes;
    AbreRamais(
        &ProgramacaoIndividual, imagem, nullptr,
        [&](QWidget* w) {
            VaiPara(w, 2);
            Clica(w, "Button2");
            // Back from the picker the window starts again at the first.
            EXPECT_EQ(Texto(w, "Edit1"), "20");
            Clica(w, "OKButton");
        },
        {[](QWidget* seletor) {
            Clica(seletor, "Panel4");
            Clica(seletor, "Panel6");
            Clica(seletor, "OkButton");
        }});
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, IndividualCopia, ::testing::Values(
    CasoCopia{"OrigemComCodigo", 5},
    CasoCopia{"OrigemSemCodigo", 0}), PrintedName{});

// Cancel drops every edit, default and copy made in the window.
TEST(IndividualCancela, NadaChegaAImagem)
{
    Imagem imagem = ImagemIndividual();
    const Imagem antes = imagem;
    ScriptedBoxes boxes({IDYES});
    AbreRamais(
        &ProgramacaoIndividual, imagem, nullptr,
        [&](QWidget* w) {
            Clica(w, "CheckBox2");
            Clica(w, "Button2");
            Clica(w, "Button1");
            Clica(w, "Button3");
            EXPECT_FALSE(w->isVisible());
        },
        {[](QWidget* seletor) {
            Clica(seletor, "SelButton");
            Clica(seletor, "OkButton");
        }});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

struct CasoNavegacao {
    const char* caso;
    std::vector<std::pair<int, std::uint16_t>> plano; // positions renumbered
    std::vector<const char*> passos;                  // buttons clicked, or "=nn" typed
    const char* mostrado;
    bool anterior; // SpeedButton2 enabled afterwards
    bool proximo;  // SpeedButton3 enabled afterwards
};

void PrintTo(const CasoNavegacao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class IndividualNavegacao : public ::testing::TestWithParam<CasoNavegacao> {};

TEST_P(IndividualNavegacao, PulaOsNumerosEspeciaisEParaSempre)
{
    const CasoNavegacao& caso = GetParam();
    Imagem imagem = ImagemIndividual();
    for (const auto& [posicao, palavra] : caso.plano)
        Numera(imagem, posicao, palavra);
    AbreRamais(&ProgramacaoIndividual, imagem, nullptr, [&](QWidget* w) {
        for (const char* passo : caso.passos) {
            if (passo[0] == '=')
                Digita(w, "Edit1", QString::fromLatin1(passo + 1));
            else
                Clica(w, passo);
        }
        EXPECT_EQ(Texto(w, "Edit1"), caso.mostrado);
        EXPECT_EQ(Habilitada(w, "SpeedButton2"), caso.anterior);
        EXPECT_EQ(Habilitada(w, "SpeedButton3"), caso.proximo);
    });
}

constexpr std::uint16_t k87 = 0xFCFF, k81 = 0xF1FF, k82 = 0xF2FF, k68 = 0xFAFF;

INSTANTIATE_TEST_SUITE_P(Casos, IndividualNavegacao, ::testing::Values(
    CasoNavegacao{"ProximoPula87", {{2, k87}}, {"SpeedButton3"}, "22", true, true},
    CasoNavegacao{"UltimoVoltaDo81E82", {{11, k81}, {12, k82}}, {"SpeedButton4"}, "29", true, false},
    CasoNavegacao{"PrimeiroPassaDo68", {{1, k68}}, {"SpeedButton4", "SpeedButton1"}, "21", false, true},
    CasoNavegacao{"AnteriorPula69", {{5, TextoParaPalavraRamal("69")}}, {"=25", "SpeedButton2"}, "23", true, true},
    CasoNavegacao{"PrimeiraPosicaoEspecialAoAbrir", {{1, k82}}, {}, "21", true, true},
    CasoNavegacao{"TudoEspecial",
                  {{1, k87}, {2, k87}, {3, k87}, {4, k87}, {5, k87}, {6, k87}, {7, k87}, {8, k87}, {9, k87},
                   {10, k87}, {11, k87}, {12, k87}},
                  {"SpeedButton4", "SpeedButton1", "SpeedButton3"}, "87", true, true}), PrintedName{});

} // namespace

namespace {

// The individual programming's picker: "81", "82" and "87" are "*****",
// never chosen by a click; "83" and "84" are extensions there; cells are
// ordered by number.
TEST(IndividualSeletor, CelulasPelaOrdemDosNumerosSemOsEspeciais)
{
    Imagem imagem = ImagemIndividual();
    Numera(imagem, 2, 0xF2FF); // "82"
    Numera(imagem, 3, 0xF4FF); // "84"
    Numera(imagem, 12, 0xFFFF); // "87"
    Numera(imagem, 1, "300");
    std::vector<std::string> legendas;
    std::vector<bool> habilitadas;
    Imagem esperado = imagem;
    for (int p : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11})
        esperado[OffsetFacilidadesRamal(p)] = imagem[OffsetFacilidadesRamal(4)];
    AbreRamais(
        &ProgramacaoIndividual, imagem, nullptr,
        [&](QWidget* w) {
            Digita(w, "Edit1", "23");
            Clica(w, "Button2");
            Clica(w, "OKButton");
        },
        {[&](QWidget* s) {
            EXPECT_EQ(Find<QAbstractButton>(s, "SelButton")->text(), QString::fromUtf8("&Inverte seleção"));
            for (int k = 1; k <= 12; ++k) {
                auto* celula = Find<TPanel>(s, ("Panel" + std::to_string(k)).c_str());
                legendas.push_back(celula->Caption().toStdString());
                habilitadas.push_back(celula->isEnabled());
            }
            ConfereCelulaEspecial(s, "Panel9", "Panel1");
            Clica(s, "SelButton");
            Clica(s, "OkButton");
        }});
    // In the order of the numbers, the special ones included.
    EXPECT_EQ(legendas, (std::vector<std::string>{"23", "24", "25", "26", "27", "28", "29", "30", "*****", "84",
                                                  "*****", "300"}));
    EXPECT_EQ(habilitadas,
              (std::vector<bool>{true, true, true, true, true, true, true, true, false, true, false, true}));
    // The settings went to every position but the special ones; the
    // facilities byte stands for all of them here.
    for (int p = 1; p <= kPosicoesRamal; ++p)
        EXPECT_EQ(imagem[OffsetFacilidadesRamal(p)], esperado[OffsetFacilidadesRamal(p)]) << p;
}

} // namespace
