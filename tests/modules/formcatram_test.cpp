// Extension categories: each box writes its bit of the position shown, the
// sub-route and "Rota 0" rules, Ok's check of sub-routes against routes, the
// defaults, the copy to other extensions, and stepping over special numbers.
#include "modules/entradas.h"
#include "tests/modules/janelas.h"
#include "tests/modules/ramaisteste.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Imagem = std::vector<std::uint8_t>;

int Cat(const char* area, int posicao)
{
    return OffsetCategoria(Area(area), posicao);
}

// The test image with every sub-route "none", so that Ok passes unless a
// case says otherwise.
Imagem ImagemCategorias()
{
    Imagem imagem = ImagemDeTeste();
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        imagem[Cat("SubRotaDiurna", p)] = 0xEE;
        imagem[Cat("SubRotaNoturna", p)] = 0xEE;
    }
    return imagem;
}

void Inverte(Imagem& i, const char* area, int posicao, int bit)
{
    i[Cat(area, posicao)] ^= static_cast<std::uint8_t>(1 << bit);
}

struct CasoEdicao {
    const char* caso;
    const char* inicio; // start text, or null
    std::function<void(Imagem&)> prepara;
    Atos atos; // before Ok
    std::function<void(Imagem&)> espera;
};

void PrintTo(const CasoEdicao& caso, std::ostream* os)
{
    *os << caso.caso;
}

void Nada(Imagem&) {}

class CategoriaEdicao : public ::testing::TestWithParam<CasoEdicao> {};

TEST_P(CategoriaEdicao, OkGravaSomenteOQueFoiMudado)
{
    const CasoEdicao& caso = GetParam();
    Imagem imagem = ImagemCategorias();
    caso.prepara(imagem);
    Imagem esperado = imagem;
    caso.espera(esperado);
    ScriptedBoxes boxes;
    AbreRamais(&CategoriaDosRamais, imagem, caso.inicio, [&](QWidget* w) {
        caso.atos(w);
        Clica(w, "ButtonOk");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(boxes.Texts(), QStringList{});
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

const CasoEdicao kEdicoes[] = {
    {"NadaMudado", nullptr, Nada, [](QWidget*) {}, Nada},
    {"RecebeExternaDaPrimeiraPosicao", nullptr, Nada, [](QWidget* w) { Clica(w, "CheckBox1"); },
     [](Imagem& i) { Inverte(i, "AcessoDiurno", 1, 0); }},
    {"DdiNoturnoDoRamal21", "21", Nada,
     [](QWidget* w) {
         Clica(w, "ButtonCat");
         Clica(w, "CheckBox10");
     },
     [](Imagem& i) { Inverte(i, "AcessoNoturno", 2, 3); }},
    {"AgendaMudaOsDoisPeriodos", "23", [](Imagem& i) { i[Cat("AcessoDiurno", 4)] &= 0xBF; i[Cat("AcessoNoturno", 4)] |= 0x40; },
     [](QWidget* w) { Clica(w, "CheckBox43"); },
     [](Imagem& i) { i[Cat("AcessoDiurno", 4)] |= 0x40; }},
    {"Rota0GuardadaNaSubRota", "24", Nada, [](QWidget* w) { Clica(w, "CheckBox13"); },
     [](Imagem& i) { i[Cat("SubRotaDiurna", 5)] = 0; }},
    {"Rota0DesmarcadaFicaSemSubRota", "24", [](Imagem& i) { i[Cat("SubRotaNoturna", 5)] = 0; },
     [](QWidget* w) {
         Clica(w, "ButtonCat");
         Clica(w, "CheckBox21");
     },
     [](Imagem& i) { i[Cat("SubRotaNoturna", 5)] = 0xEE; }},
    {"Rota1a4", "25", [](Imagem& i) { i[Cat("RotasDiurnas", 6)] = 0xE1; },
     [](QWidget* w) {
         for (const char* caixa : {"CheckBox14", "CheckBox15", "CheckBox16", "CheckBox17"})
             Clica(w, caixa);
     },
     [](Imagem& i) { i[Cat("RotasDiurnas", 6)] = 0xFF; }},
    {"SubRota3ComRota3TiraARota0", "20", [](Imagem& i) { i[Cat("SubRotaDiurna", 1)] = 0; i[Cat("RotasDiurnas", 1)] = 0; },
     [](QWidget* w) {
         Clica(w, "CheckBox16");
         Escolhe(w, "ComboBox1", "3");
         EXPECT_FALSE(Marcada(w, "CheckBox13"));
         EXPECT_FALSE(Habilitada(w, "CheckBox13"));
     },
     [](Imagem& i) { i[Cat("SubRotaDiurna", 1)] = 3; i[Cat("RotasDiurnas", 1)] = 0x08; }},
    {"SubRotaDigitada", "20", [](Imagem& i) { i[Cat("RotasNoturnas", 1)] = 0x04; },
     [](QWidget* w) {
         Clica(w, "ButtonCat");
         Digita(w, "ComboBox2", "2");
     },
     [](Imagem& i) { i[Cat("SubRotaNoturna", 1)] = 2; }},
    {"SubRotaApagadaVoltaARota0", "20", [](Imagem& i) { i[Cat("SubRotaDiurna", 1)] = 0; i[Cat("RotasDiurnas", 1)] = 0x04; },
     [](QWidget* w) {
         Escolhe(w, "ComboBox1", "2");
         Escolhe(w, "ComboBox1", "");
         EXPECT_TRUE(Habilitada(w, "CheckBox13"));
         Clica(w, "CheckBox13");
     },
     [](Imagem& i) { i[Cat("SubRotaDiurna", 1)] = 0; }},
    {"SubRota5DaImagemPassa", "29", [](Imagem& i) { i[Cat("SubRotaNoturna", 10)] = 5; i[Cat("RotasNoturnas", 10)] = 0x20; },
     [](QWidget*) {}, Nada},
    {"FacilidadesDeDiaEDeNoite", "22",
     [](Imagem& i) { i[Cat("FacilidadesDiurnas", 3)] = 0; i[Cat("FacilidadesNoturnas", 3)] = 0; },
     [](QWidget* w) {
         for (const char* caixa : {"CheckBox29", "CheckBox30", "CheckBox31", "CheckBox32", "CheckBox34"})
             Clica(w, caixa);
         Clica(w, "ButtonCat");
         Clica(w, "CheckBox41");
     },
     [](Imagem& i) { i[Cat("FacilidadesDiurnas", 3)] = 0x9D; i[Cat("FacilidadesNoturnas", 3)] = 0x80; }},
    {"CaracteristicasGerais", "21", [](Imagem& i) { i[Cat("FlagsRamal", 2)] = 0x37; },
     [](QWidget* w) {
         for (const char* caixa : {"CheckBox44", "CheckBox45", "CheckBox20"})
             Clica(w, caixa);
     },
     [](Imagem& i) { i[Cat("FlagsRamal", 2)] = 0xFF; }},
    // A group number or an unknown number names no position: the first is
    // shown, and only it is written.
    {"Grupo61MostraAPrimeira", "61", Nada, [](QWidget* w) { Clica(w, "CheckBox2"); },
     [](Imagem& i) { Inverte(i, "AcessoDiurno", 1, 1); }},
    {"NumeroDesconhecidoMostraAPrimeira", "99", Nada, [](QWidget* w) { Clica(w, "CheckBox2"); },
     [](Imagem& i) { Inverte(i, "AcessoDiurno", 1, 1); }},
    {"GrupoDigitadoMostraAPrimeira", "25",
     Nada,
     [](QWidget* w) {
         Digita(w, "MaskEdit1", "64");
         Clica(w, "CheckBox3");
     },
     [](Imagem& i) { Inverte(i, "AcessoDiurno", 1, 2); }},
    {"UltimoPelaNavegacao", nullptr, Nada,
     [](QWidget* w) {
         Clica(w, "SpeedButton4");
         EXPECT_EQ(Texto(w, "MaskEdit1"), "31");
         Clica(w, "CheckBox1");
     },
     [](Imagem& i) { Inverte(i, "AcessoDiurno", 12, 0); }},
};

INSTANTIATE_TEST_SUITE_P(Casos, CategoriaEdicao, ::testing::ValuesIn(kEdicoes), PrintedName{});

// Showing positions writes nothing: every position is shown, by the
// buttons and by typing, over bytes that no box shows whole.
TEST(CategoriaMostrar, PercorrerTodasAsPosicoesNaoMudaNada)
{
    Imagem imagem = ImagemCategorias();
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        imagem[Cat("SubRotaDiurna", p)] = static_cast<std::uint8_t>(p % 3 == 0 ? 0 : p % 3 == 1 ? 0xEE : 7);
        imagem[Cat("RotasDiurnas", p)] |= 0x80;
        imagem[Cat("AcessoNoturno", p)] ^= 0x40; // "Acesso a agenda" differs by night
    }
    const Imagem antes = imagem;
    ScriptedBoxes boxes;
    AbreRamais(&CategoriaDosRamais, imagem, nullptr, [&](QWidget* w) {
        for (int p = 2; p <= kPosicoesRamal; ++p)
            Clica(w, "SpeedButton3");
        EXPECT_EQ(Texto(w, "MaskEdit1"), "31");
        Clica(w, "SpeedButton1");
        Digita(w, "MaskEdit1", "27");
        Clica(w, "ButtonOk");
    });
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// A sub-route that is not a number ends in the conversion error's box,
// captioned as every error box, and leaves the stored sub-route as it was.
TEST(CategoriaSubRota, TextoQueNaoENumeroNaoMudaASubRota)
{
    Imagem imagem = ImagemCategorias();
    imagem[Cat("SubRotaDiurna", 1)] = 0;
    const Imagem antes = imagem;
    ScriptedBoxes boxes;
    AbreRamais(&CategoriaDosRamais, imagem, nullptr, [&](QWidget* w) {
        Digita(w, "ComboBox1", "x");
        EXPECT_TRUE(Marcada(w, "CheckBox13"));
        Clica(w, "ButtonOk");
    });
    EXPECT_EQ(boxes.Texts(), QStringList{"'x' is not a valid integer value"});
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Erro");
    EXPECT_EQ(boxes.calls[0].flags, MB_ICONHAND);
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

struct CasoCarga {
    const char* caso;
    const char* inicio;
    std::uint8_t subRota; // of the position shown, by day
    const char* caixa;
    bool marcada;
    bool habilitada;
    const char* combo; // the day sub-route combo's text
};

void PrintTo(const CasoCarga& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CategoriaCarga : public ::testing::TestWithParam<CasoCarga> {};

TEST_P(CategoriaCarga, CaixasECombosMostramAPosicao)
{
    const CasoCarga& caso = GetParam();
    Imagem imagem = ImagemCategorias();
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        imagem[Cat("SubRotaDiurna", p)] = caso.subRota;
        imagem[Cat("FlagsRamal", p)] = 0;
    }
    AbreRamais(&CategoriaDosRamais, imagem, caso.inicio, [&](QWidget* w) {
        EXPECT_EQ(Marcada(w, caso.caixa), caso.marcada);
        EXPECT_EQ(Habilitada(w, caso.caixa), caso.habilitada);
        EXPECT_EQ(Texto(w, "ComboBox1"), caso.combo);
    });
}

INSTANTIATE_TEST_SUITE_P(Casos, CategoriaCarga, ::testing::Values(
    CasoCarga{"Rota0", "20", 0, "CheckBox13", true, true, ""},
    CasoCarga{"SemSubRota", "20", 0xEE, "CheckBox13", false, true, ""},
    CasoCarga{"SubRota3", "20", 3, "CheckBox13", false, false, "3"},
    CasoCarga{"SubRota7ForaDaLista", "20", 7, "CheckBox13", false, false, ""},
    CasoCarga{"RamalInternetNaPosicao2", "21", 0xEE, "CheckBox20", false, true, ""},
    CasoCarga{"RamalInternetNaoNaPosicao3", "22", 0xEE, "CheckBox20", false, false, ""},
    CasoCarga{"RamalInternetNaoNaPosicao12", "31", 0xEE, "CheckBox20", false, false, ""}), PrintedName{});

struct CasoRecusa {
    const char* caso;
    std::function<void(Imagem&)> prepara;
    Atos atos;
    const char* ramal; // shown afterwards
    const char* pagina;
};

void PrintTo(const CasoRecusa& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CategoriaRecusa : public ::testing::TestWithParam<CasoRecusa> {};

TEST_P(CategoriaRecusa, SubRotaSemRotaMostraAPosicaoEOPeriodo)
{
    const CasoRecusa& caso = GetParam();
    Imagem imagem = ImagemCategorias();
    caso.prepara(imagem);
    const Imagem antes = imagem;
    ScriptedBoxes boxes;
    AbreRamais(&CategoriaDosRamais, imagem, nullptr, [&](QWidget* w) {
        caso.atos(w);
        Clica(w, "ButtonOk");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Texto(w, "MaskEdit1"), caso.ramal);
        EXPECT_EQ(Find<TTabbedNotebook>(w, "TabbedNotebook1")->ActivePage(), caso.pagina);
        EXPECT_EQ(Find<QAbstractButton>(w, "ButtonCat")->text(),
                  QString::fromLatin1(caso.pagina) == "Diurno" ? "&Noturno" : "&Diurno");
    });
    ConfereUmErro(boxes, QString::fromUtf8("A rota deverá estar definida para permitir acesso a sub-rota"));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, CategoriaRecusa, ::testing::Values(
    CasoRecusa{"SubRota3EscolhidaSemRota3",
               [](Imagem& i) { i[Cat("RotasDiurnas", 1)] = 0; },
               [](QWidget* w) { Escolhe(w, "ComboBox1", "3"); }, "20", "Diurno"},
    CasoRecusa{"SubRota5QueNenhumaCaixaLiga",
               [](Imagem& i) { i[Cat("SubRotaNoturna", 5)] = 5; i[Cat("RotasNoturnas", 5)] = 0x1E; },
               [](QWidget*) {}, "24", "Noturno"},
    CasoRecusa{"PosicaoDozeComoAPrimeira",
               [](Imagem& i) { i[Cat("SubRotaDiurna", 12)] = 2; i[Cat("RotasDiurnas", 12)] = 0; },
               [](QWidget* w) { Clica(w, "ButtonCat"); }, "31", "Diurno"},
    CasoRecusa{"DiaAntesDaNoite",
               [](Imagem& i) {
                   i[Cat("SubRotaNoturna", 3)] = 1; i[Cat("RotasNoturnas", 3)] = 0;
                   i[Cat("SubRotaDiurna", 4)] = 1; i[Cat("RotasDiurnas", 4)] = 0;
               },
               [](QWidget*) {}, "22", "Noturno"},
    CasoRecusa{"PosicaoQueANavegacaoPula",
               [](Imagem& i) { Numera(i, 11, 0xF1FF); i[Cat("SubRotaDiurna", 11)] = 4; i[Cat("RotasDiurnas", 11)] = 0; },
               [](QWidget*) {}, "81", "Diurno"}), PrintedName{});

// Ok pressed by its accelerator leaves the focus in the box last clicked;
// showing the position at fault must still store nothing.
TEST(CategoriaRecusaPeloAtalho, MostrarAPosicaoComFocoNumaCaixaNaoMudaNada)
{
    Imagem imagem = ImagemCategorias();
    imagem[Cat("SubRotaNoturna", 5)] = 4;
    imagem[Cat("RotasNoturnas", 5)] = 0;
    imagem[Cat("AcessoNoturno", 5)] ^= 0x40; // "Acesso a agenda" differs by night
    ScriptedBoxes boxes;
    QString subRota;
    AbreRamais(&CategoriaDosRamais, imagem, nullptr, [&](QWidget* w) {
        Clica(w, "CheckBox43");
        input::Accelerator('k');
        input::Settle();
        EXPECT_EQ(Texto(w, "MaskEdit1"), "24");
        Clica(w, "SpeedButton3");
        Clica(w, "SpeedButton2");
        subRota = Texto(w, "ComboBox2");
        Clica(w, "CheckBox25"); // "Rota 4" by night: now Ok passes
        Clica(w, "ButtonOk");
    });
    EXPECT_EQ(boxes.Texts(), QStringList{"A rota deverá estar definida para permitir acesso a sub-rota"});
    EXPECT_EQ(subRota, "4");
    Imagem esperado = ImagemCategorias();
    esperado[Cat("SubRotaNoturna", 5)] = 4;
    esperado[Cat("RotasNoturnas", 5)] = 0x10;
    esperado[Cat("AcessoNoturno", 5)] ^= 0x40;
    esperado[Cat("AcessoDiurno", 1)] ^= 0x40; // the click at the first position
    esperado[Cat("AcessoNoturno", 1)] = static_cast<std::uint8_t>((esperado[Cat("AcessoNoturno", 1)] & ~0x40)
                                                                  | (esperado[Cat("AcessoDiurno", 1)] & 0x40));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
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

class CategoriaPadrao : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(CategoriaPadrao, SimTodasNaoAAtualCancelaNenhuma)
{
    Imagem imagem = ImagemCategorias();
    Numera(imagem, 8, 0xFAFF); // "68", "81" and "83" get them too
    Numera(imagem, 11, 0xF1FF);
    Numera(imagem, 12, 0xF3FF);
    Imagem esperado = imagem;
    for (int p : GetParam().posicoes) {
        esperado[Cat("AcessoDiurno", p)] = 0xB7;
        esperado[Cat("AcessoNoturno", p)] = 0xB7;
        esperado[Cat("RotasDiurnas", p)] &= 0x01;
        esperado[Cat("RotasNoturnas", p)] &= 0x01;
        for (const char* area : {"FacilidadesDiurnas", "FacilidadesNoturnas", "SubRotaDiurna", "SubRotaNoturna", "FlagsRamal"})
            esperado[Cat(area, p)] = 0;
    }
    ScriptedBoxes boxes({GetParam().resposta});
    AbreRamais(&CategoriaDosRamais, imagem, "22", [&](QWidget* w) {
        Clica(w, "PadButton");
        EXPECT_EQ(Marcada(w, "CheckBox1"), GetParam().resposta != IDCANCEL || (imagem[Cat("AcessoDiurno", 3)] & 1));
        Clica(w, "ButtonOk");
    });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Usar padrão para todos os ramais ?");
    EXPECT_EQ(boxes.calls[0].caption, "Confirma");
    EXPECT_EQ(boxes.calls[0].flags, 35);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Respostas, CategoriaPadrao, ::testing::Values(
    CasoPadrao{"Sim", IDYES, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    CasoPadrao{"Nao", IDNO, {3}},
    CasoPadrao{"Cancela", IDCANCEL, {}}), PrintedName{});

// Cancel drops every edit, default and copy made in the window.
TEST(CategoriaCancela, NadaChegaAImagem)
{
    Imagem imagem = ImagemCategorias();
    const Imagem antes = imagem;
    ScriptedBoxes boxes({IDYES});
    AbreRamais(
        &CategoriaDosRamais, imagem, "20",
        [&](QWidget* w) {
            Clica(w, "CheckBox1");
            Clica(w, "PadButton");
            Clica(w, "CopButton");
            Clica(w, "BtnCancela");
            EXPECT_FALSE(w->isVisible());
        },
        {[](QWidget* seletor) {
            Clica(seletor, "SelButton");
            Clica(seletor, "OkButton");
        }});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

struct CasoCopia {
    const char* caso;
    bool noturno;                 // the page shown when copying
    std::vector<const char*> partes; // picker boxes clicked (toggled)
    std::vector<const char*> areas;  // copied
};

void PrintTo(const CasoCopia& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CategoriaCopia : public ::testing::TestWithParam<CasoCopia> {};

// Position 2 ("21") is copied to the cells of "23" and "30".
TEST_P(CategoriaCopia, CopiaAsPartesEscolhidasParaOsRamaisEscolhidos)
{
    const CasoCopia& caso = GetParam();
    Imagem imagem = ImagemCategorias();
    Imagem esperado = imagem;
    for (int destino : {4, 11})
        for (const char* area : caso.areas)
            esperado[Cat(area, destino)] = imagem[Cat(area, 2)];
    ScriptedBoxes boxes;
    AbreRamais(
        &CategoriaDosRamais, imagem, "21",
        [&](QWidget* w) {
            if (caso.noturno)
                Clica(w, "ButtonCat");
            Clica(w, "CopButton");
            Clica(w, "ButtonOk");
        },
        {[&](QWidget* seletor) {
            for (const char* parte : caso.partes)
                Clica(seletor, parte);
            for (const char* celula : {"Panel4", "Panel11"})
                Clica(seletor, celula);
            Clica(seletor, "OkButton");
        }});
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, CategoriaCopia, ::testing::Values(
    CasoCopia{"DiaEGerais", false, {}, {"AcessoDiurno", "RotasDiurnas", "FacilidadesDiurnas", "SubRotaDiurna", "FlagsRamal"}},
    CasoCopia{"NoiteEGerais", true, {}, {"AcessoNoturno", "RotasNoturnas", "FacilidadesNoturnas", "SubRotaNoturna", "FlagsRamal"}},
    CasoCopia{"SoAcesso2DeNoite", false, {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox6", "CheckBox9"},
              {"RotasNoturnas"}},
    CasoCopia{"NadaEscolhido", false, {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox9"}, {}}),
    PrintedName{});

TEST(CategoriaCopia, SeletorPreparaAsPartesDaPaginaMostrada)
{
    Imagem imagem = ImagemCategorias();
    std::vector<bool> dia, noite;
    const auto le = [](QWidget* s, std::vector<bool>& marcadas) {
        for (const char* caixa : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6",
                                  "CheckBox7", "CheckBox8", "CheckBox9"})
            marcadas.push_back(Marcada(s, caixa));
    };
    AbreRamais(
        &CategoriaDosRamais, imagem, nullptr,
        [&](QWidget* w) {
            Clica(w, "CopButton");
            Clica(w, "ButtonCat");
            Clica(w, "CopButton");
        },
        {[&](QWidget* s) { le(s, dia); Clica(s, "CancButton"); }, [&](QWidget* s) { le(s, noite); Clica(s, "CancButton"); }});
    EXPECT_EQ(dia, (std::vector<bool>{true, true, true, true, false, false, false, false, true}));
    EXPECT_EQ(noite, (std::vector<bool>{false, false, false, false, true, true, true, true, true}));
}

struct CasoNavegacao {
    const char* caso;
    std::vector<std::pair<int, std::uint16_t>> plano; // positions renumbered
    const char* inicio;
    std::vector<const char*> passos; // buttons clicked, or "=nn" typed
    const char* mostrado;
};

void PrintTo(const CasoNavegacao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CategoriaNavegacao : public ::testing::TestWithParam<CasoNavegacao> {};

TEST_P(CategoriaNavegacao, PulaOsNumerosEspeciaisEParaSempre)
{
    const CasoNavegacao& caso = GetParam();
    Imagem imagem = ImagemCategorias();
    for (const auto& [posicao, palavra] : caso.plano)
        Numera(imagem, posicao, palavra);
    AbreRamais(&CategoriaDosRamais, imagem, caso.inicio, [&](QWidget* w) {
        for (const char* passo : caso.passos) {
            if (passo[0] == '=')
                Digita(w, "MaskEdit1", QString::fromLatin1(passo + 1));
            else
                Clica(w, passo);
        }
        EXPECT_EQ(Texto(w, "MaskEdit1"), caso.mostrado);
    });
}

constexpr std::uint16_t k68 = 0xFAFF, k81 = 0xF1FF, k83 = 0xF3FF;

INSTANTIATE_TEST_SUITE_P(Casos, CategoriaNavegacao, ::testing::Values(
    CasoNavegacao{"ProximoPulaOBuscaPessoa", {{8, k68}}, "26", {"SpeedButton3"}, "28"},
    CasoNavegacao{"AnteriorPulaOBuscaPessoa", {{8, k68}}, "28", {"SpeedButton2"}, "26"},
    CasoNavegacao{"UltimoVoltaDosPorteiros", {{11, k81}, {12, k83}}, nullptr, {"SpeedButton4"}, "29"},
    CasoNavegacao{"PrimeiroPassaDosEspeciais", {{1, k68}, {2, k81}}, "24", {"SpeedButton1"}, "22"},
    CasoNavegacao{"InicioNumEspecial", {{11, k81}}, "81", {}, "21"},
    // Typing "8" shows the first position (no extension is "8"); from there
    // "83" steps on forward.
    CasoNavegacao{"DigitadoEspecialSegueAoProximo", {{5, k83}}, "23", {"=83"}, "21"},
    CasoNavegacao{"TudoEspecialParaNaPrimeira",
                  {{1, k81}, {2, k81}, {3, k81}, {4, k81}, {5, k81}, {6, k81}, {7, k81}, {8, k81}, {9, k81},
                   {10, k81}, {11, k81}, {12, k81}},
                  nullptr, {"SpeedButton4", "SpeedButton1"}, "81"}), PrintedName{});

} // namespace

namespace {

struct CelulaVista {
    QString legenda;
    bool habilitada;
    bool operator==(const CelulaVista&) const = default;
};

void PrintTo(const CelulaVista& celula, std::ostream* os)
{
    *os << celula.legenda.toStdString() << (celula.habilitada ? "" : " (disabled)");
}

std::vector<CelulaVista> Celulas(QWidget* seletor)
{
    std::vector<CelulaVista> celulas;
    for (int k = 1; k <= 12; ++k) {
        auto* celula = Find<TPanel>(seletor, ("Panel" + std::to_string(k)).c_str());
        celulas.push_back({celula->Caption(), celula->isEnabled()});
    }
    return celulas;
}

// The cells follow the numbers' order; "81" to "84" and "87" are "*****",
// never chosen, not even by a click or by inverting; a pressed cell is teal
// and sunk.
TEST(CategoriaSeletor, CelulasPelaOrdemDosNumerosSemOsEspeciais)
{
    Imagem imagem = ImagemCategorias();
    Numera(imagem, 1, "35");
    Numera(imagem, 3, 0xF4FF); // "84"
    Numera(imagem, 5, 0xFCFF); // "87"
    Numera(imagem, 9, "210");
    Imagem esperado = imagem;
    for (int p : {1, 2, 4, 6, 7, 8, 9, 10, 11, 12})
        for (const char* area : {"AcessoDiurno", "RotasDiurnas", "FacilidadesDiurnas", "SubRotaDiurna", "FlagsRamal"})
            esperado[Cat(area, p)] = imagem[Cat(area, 2)];
    std::vector<CelulaVista> vistas;
    AbreRamais(
        &CategoriaDosRamais, imagem, "21",
        [&](QWidget* w) {
            Clica(w, "CopButton");
            Clica(w, "ButtonOk");
        },
        {[&](QWidget* s) {
            vistas = Celulas(s);
            ConfereCelulaEspecial(s, "Panel10", "Panel1");
            auto* celula = Find<TPanel>(s, "Panel2");
            Clica(s, "Panel2");
            EXPECT_EQ(celula->Color(), clTeal);
            EXPECT_EQ(celula->BevelOuter(), bvLowered);
            Clica(s, "Panel2");
            EXPECT_EQ(celula->Color(), clBtnFace);
            EXPECT_EQ(celula->BevelOuter(), bvRaised);
            Clica(s, "SelButton");
            Clica(s, "OkButton");
        }});
    EXPECT_EQ(vistas, (std::vector<CelulaVista>{{"21", true}, {"23", true}, {"25", true}, {"26", true},
                                                {"27", true}, {"29", true}, {"30", true}, {"31", true},
                                                {"35", true}, {"*****", false}, {"*****", false}, {"210", true}}));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

} // namespace
