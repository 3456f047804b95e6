// Terminal keys: the keys of the terminal chosen by its extension, edited in
// the grid with a drop-down list per cell, stored into the terminals' 25
// bytes only by Ok, never anywhere else.
#include "grid/extgrid.h"
#include "image/teclasti.h"
#include "modules/entradas.h"
#include "tests/modules/campos.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"
#include "tests/support/usuario.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <ostream>

namespace {

struct Tecla {
    std::uint8_t codigo;
    const char* tipo;
    const char* numero;
};

// Terminal 1's keys: every type, numbers in and out of the lists the cells
// offer, and a code of no type (key 21).
const Tecla kTeclas1[kTeclasTerminal] = {
    {129, "Linha", "01"},
    {132, "Linha", "04"},
    {170, "Rota", "0"},
    {167, "Rota", "7"},
    {113, "Grupo de ramal", "4"},
    {115, "Grupo de ramal", "6"},
    {100, "Porteiro", "1"},
    {101, "Porteiro", "2"},
    {103, "Atuação externa", "2"},
    {105, "Chefe secretária", "2"},
    {120, "Viva voz Ch-Secr", "2"},
    {106, "Monitora", ""},
    {107, "Não perturbe", ""},
    {108, "Cadeado", ""},
    {109, "Toque geral", ""},
    {118, "Busca pessoa", ""},
    {121, "Correio de voz", ""},
    {255, "Sem função", ""},
    {0, "Ramal", "20"},
    {11, "Ramal", "31"},
    {150, "", ""},
    {104, "Chefe secretária", "1"},
    {119, "Viva voz Ch-Secr", "1"},
    {161, "Rota", "1"},
    {110, "Grupo de ramal", "1"},
};

const std::array<std::uint8_t, kTeclasTerminal> kPadrao = {129, 130, 131, 132, 255, 0,   1,   2,   3,
                                                          4,   5,   6,   7,   8,   9,   10,  11,  255,
                                                          255, 255, 109, 108, 106, 100, 102};

// Terminals 1, 3 and 4 on the extensions 20, 25 and 22; terminal 2 on none.
// Terminal 1 holds kTeclas1, terminal 3 every key "Sem função", terminal 4
// what the test image holds.
std::vector<std::uint8_t> ImagemTerminais()
{
    auto imagem = ImagemDeTeste();
    const std::uint8_t ramais[] = {0, kSemReferencia, 5, 2};
    for (int k = 1; k <= kTerminaisTI; ++k)
        imagem[OffsetRamalTerminal(k)] = ramais[k - 1];
    for (int t = 1; t <= kTeclasTerminal; ++t) {
        imagem[OffsetTecla(1, t)] = kTeclas1[t - 1].codigo;
        imagem[OffsetTecla(3, t)] = kTeclaSemFuncao;
    }
    return imagem;
}

// The image with terminal k's keys replaced.
std::vector<std::uint8_t> ComTeclas(std::vector<std::uint8_t> imagem, int k,
                                    const std::array<std::uint8_t, kTeclasTerminal>& teclas)
{
    for (int t = 1; t <= kTeclasTerminal; ++t)
        imagem[OffsetTecla(k, t)] = teclas[t - 1];
    return imagem;
}

TExtStringGrid* Grade(TForm* w)
{
    return Find<TExtStringGrid>(w, "ExtGrid1");
}

// The keys as the grid shows them: type, then number, key by key.
std::vector<QString> Mostradas(TForm* w)
{
    std::vector<QString> celulas;
    for (int t = 1; t <= kTeclasTerminal; ++t) {
        celulas.push_back(Grade(w)->Cells(1, t));
        celulas.push_back(Grade(w)->Cells(2, t));
    }
    return celulas;
}

std::vector<QString> Esperadas(const Tecla (&teclas)[kTeclasTerminal])
{
    std::vector<QString> celulas;
    for (const Tecla& tecla : teclas) {
        celulas.push_back(QString::fromUtf8(tecla.tipo));
        celulas.push_back(QString::fromUtf8(tecla.numero));
    }
    return celulas;
}

// The list editor that one click on the cell opened; null when none opened.
QComboBox* AbreCelula(TForm* w, int coluna, int tecla)
{
    ClicaCelula(Grade(w), coluna, tecla);
    return qobject_cast<QComboBox*>(QApplication::focusWidget());
}

// Enter on the grid opens the current cell's list editor; null when none
// opened.
QComboBox* AbreComEnter()
{
    input::Key(Qt::Key_Return);
    return qobject_cast<QComboBox*>(QApplication::focusWidget());
}

// Chooses the item in the open list editor with the arrow keys, then Enter.
void EscolheComSetas(QComboBox* combo, const QString& item)
{
    ASSERT_NE(combo, nullptr) << "no list editor open";
    const int alvo = combo->findText(item, Qt::MatchExactly);
    ASSERT_GE(alvo, 0) << item.toStdString() << " is not in the list";
    for (int i = combo->currentIndex(); i < alvo; ++i)
        input::Key(Qt::Key_Down);
    for (int i = combo->currentIndex(); i > alvo; --i)
        input::Key(Qt::Key_Up);
    input::Key(Qt::Key_Return);
}

// Clicks the cell and chooses the item in its list.
void Escolhe(TForm* w, int coluna, int tecla, const char* item)
{
    EscolheComSetas(AbreCelula(w, coluna, tecla), QString::fromUtf8(item));
}

QStringList ItensDe(QComboBox* combo)
{
    QStringList itens;
    for (int i = 0; combo && i < combo->count(); ++i)
        itens << combo->itemText(i);
    return itens;
}

// Picks the terminal of that extension with the keys: the label's
// accelerator reaches the list, the arrows step to the item (each step
// shows its terminal, as for a person).
void EscolheTerminal(TForm* w, const char* ramal)
{
    auto* combo = Find<TComboBox>(w, "ComboBox1");
    input::Accelerator('r');
    const int alvo = combo->findText(QString::fromLatin1(ramal));
    ASSERT_GE(alvo, 0) << ramal;
    for (int i = combo->currentIndex(); i < alvo; ++i)
        input::Key(Qt::Key_Down);
    for (int i = combo->currentIndex(); i > alvo; --i)
        input::Key(Qt::Key_Up);
    input::Settle();
}

TEST(TeclasTerminais, MostraAsTeclasDoPrimeiroTerminalOferecido)
{
    auto imagem = ImagemTerminais();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        auto* combo = Find<TComboBox>(w, "ComboBox1");
        EXPECT_EQ(combo->Items().ToStringList(), (QStringList{"20", "25", "22"}));
        EXPECT_EQ(combo->Text(), "20");
        TExtStringGrid* grade = Grade(w);
        EXPECT_EQ(grade->ColCount(), 3);
        EXPECT_EQ(grade->RowCount(), 26);
        EXPECT_EQ(grade->Cells(1, 0), "    Tipo de função");
        EXPECT_EQ(grade->Cells(2, 0), "Config.");
        EXPECT_EQ(grade->Cells(0, 1), "    A");
        EXPECT_EQ(grade->Cells(0, 9), "     I");
        EXPECT_EQ(grade->Cells(0, 22), "  V/W");
        EXPECT_EQ(grade->Cells(0, 25), "    Z");
        EXPECT_EQ(Mostradas(w), Esperadas(kTeclas1));
        Click(w, "Button4");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// "&Padrão" replaces the shown keys without asking; only Ok stores them,
// into the current terminal's record alone.
struct CasoPadrao {
    const char* caso;
    bool ok;
    void (*fecha)(TForm* w);
};

void PrintTo(const CasoPadrao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclasTerminaisPadrao : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(TeclasTerminaisPadrao, OkGravaOTerminalAtualCancelaNada)
{
    const CasoPadrao& caso = GetParam();
    auto imagem = ImagemTerminais();
    const auto esperado = caso.ok ? ComTeclas(imagem, 1, kPadrao) : imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Click(w, "Button30");
        EXPECT_EQ(Grade(w)->Cells(1, 1), "Linha");
        EXPECT_EQ(Grade(w)->Cells(2, 1), "01");
        EXPECT_EQ(Grade(w)->Cells(1, 6), "Ramal");
        EXPECT_EQ(Grade(w)->Cells(2, 6), "20");
        EXPECT_EQ(Grade(w)->Cells(1, 25), "Atuação externa");
        caso.fecha(w);
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, TeclasTerminaisPadrao, ::testing::Values(
    CasoPadrao{"Ok", true, [](TForm* w) { Click(w, "Button1"); }},
    CasoPadrao{"OkPeloAtalho", true, [](TForm*) { input::Accelerator('k'); }},
    CasoPadrao{"Cancela", false, [](TForm* w) { Click(w, "Button4"); }},
    CasoPadrao{"Esc", false, [](TForm*) { input::Key(Qt::Key_Escape); }}),
    PrintedName{});

// Another terminal keeps the edits of the one left in the window: coming
// back shows them, Ok stores every terminal's edits, Cancel or Esc none,
// however many terminals were switched.
class TeclasTerminaisTroca : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(TeclasTerminaisTroca, EdicoesDeCadaTerminalSoNoOk)
{
    const CasoPadrao& caso = GetParam();
    auto imagem = ImagemTerminais();
    const auto antes = imagem;
    const auto esperado = caso.ok ? ComTeclas(ComTeclas(imagem, 1, kPadrao), 3, kPadrao) : imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Click(w, "Button30");
        EscolheTerminal(w, "25");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Text(), "25");
        EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
        for (int t = 1; t <= kTeclasTerminal; ++t)
            EXPECT_EQ(Grade(w)->Cells(1, t), "Sem função") << t;
        Click(w, "Button30");
        // Back on the first terminal it shows its edits.
        EscolheTerminal(w, "20");
        EXPECT_EQ(Grade(w)->Cells(1, 5), "Sem função");
        EXPECT_EQ(Grade(w)->Cells(2, 6), "20");
        EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
        caso.fecha(w);
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, TeclasTerminaisTroca, ::testing::Values(
    CasoPadrao{"Ok", true, [](TForm* w) { Click(w, "Button1"); }},
    CasoPadrao{"OkPeloAtalho", true, [](TForm*) { input::Accelerator('k'); }},
    CasoPadrao{"Cancela", false, [](TForm* w) { Click(w, "Button4"); }},
    CasoPadrao{"Esc", false, [](TForm*) { input::Key(Qt::Key_Escape); }}),
    PrintedName{});

// Which terminals are offered: connected to an extension beginning with 2
// or 3. With none, nothing can be edited and Ok stores nothing.
struct CasoOferta {
    const char* caso;
    std::array<std::uint8_t, kTerminaisTI> ramais;
    const char* itens;
};

void PrintTo(const CasoOferta& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclasTerminaisOferta : public ::testing::TestWithParam<CasoOferta> {};

TEST_P(TeclasTerminaisOferta, SoTerminaisEmRamaisQueComecamCom2Ou3)
{
    const CasoOferta& caso = GetParam();
    auto imagem = ImagemTerminais();
    GravaU16(imagem.data() + OffsetPalavraRamal(4), TextoParaPalavraRamal("81"));
    GravaU16(imagem.data() + OffsetPalavraRamal(7), TextoParaPalavraRamal("4"));
    for (int k = 1; k <= kTerminaisTI; ++k)
        imagem[OffsetRamalTerminal(k)] = caso.ramais[k - 1];
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Items().ToStringList().join(' '), QString::fromLatin1(caso.itens));
        Click(w, "Button30");
        PressionaOk(w, TComoOk::Mouse, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    // With a terminal offered the first one got the defaults; else nothing.
    std::vector<int> esperadas;
    for (int k = 1; k <= kTerminaisTI && *caso.itens; ++k) {
        if (RamalDoTerminal(antes.data(), k).empty())
            continue;
        for (int t = 1; t <= kTeclasTerminal; ++t)
            if (antes[OffsetTecla(k, t)] != kPadrao[t - 1])
                esperadas.push_back(OffsetTecla(k, t));
        break;
    }
    EXPECT_EQ(Diferencas(antes, imagem), esperadas);
}

constexpr std::uint8_t R = kSemReferencia;

INSTANTIATE_TEST_SUITE_P(Casos, TeclasTerminaisOferta, ::testing::Values(
    CasoOferta{"Todos", {0, 1, 2, 11}, "20 21 22 31"},
    CasoOferta{"SemReferencia", {R, 1, R, 11}, "21 31"},
    CasoOferta{"RamalEspecialERamalCom0", {3, 6, 9, R}, "29"},
    CasoOferta{"Grupo", {0x71, 10, R, R}, "30"},
    CasoOferta{"NenhumTerminal", {R, R, R, R}, ""},
    CasoOferta{"NenhumComRamalValido", {3, 6, 0xBC, 0x72}, ""}),
    PrintedName{});

TEST(TeclasTerminais, SemTerminalNadaSeEdita)
{
    auto imagem = ImagemTerminais();
    for (int k = 1; k <= kTerminaisTI; ++k)
        imagem[OffsetRamalTerminal(k)] = kSemReferencia;
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        for (int t = 1; t <= kTeclasTerminal; ++t) {
            EXPECT_EQ(Grade(w)->Cells(1, t), "") << t;
            EXPECT_EQ(Grade(w)->Cells(2, t), "") << t;
        }
        EXPECT_EQ(AbreCelula(w, 1, 3), nullptr);
        input::Accelerator('k');
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// ---------------------------------------------------------------------------
// Editing the keys in the grid's list editors.

struct CasoTipo {
    const char* caso;
    int tecla;
    const char* tipo;   // chosen in the type column
    const char* numero; // then chosen in the number column; null: none taken
    std::uint8_t codigo;
    const char* mostrado = nullptr; // the number shown back, when not as chosen
};

void PrintTo(const CasoTipo& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclasTerminaisTipo : public ::testing::TestWithParam<CasoTipo> {};

TEST_P(TeclasTerminaisTipo, GravadoEMostradoDeNovo)
{
    const CasoTipo& caso = GetParam();
    auto imagem = ImagemTerminais();
    auto esperado = imagem;
    esperado[OffsetTecla(1, caso.tecla)] = caso.codigo;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Escolhe(w, 1, caso.tecla, caso.tipo);
        // A new type clears the number.
        EXPECT_EQ(Grade(w)->Cells(2, caso.tecla), "");
        if (caso.numero)
            Escolhe(w, 2, caso.tecla, caso.numero);
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
    // Opened again, the key shows what was chosen.
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        EXPECT_EQ(Grade(w)->Cells(1, caso.tecla), QString::fromUtf8(caso.tipo));
        const char* numero = caso.mostrado ? caso.mostrado : caso.numero;
        EXPECT_EQ(Grade(w)->Cells(2, caso.tecla), numero ? QString::fromUtf8(numero) : QString());
    });
}

INSTANTIATE_TEST_SUITE_P(Casos, TeclasTerminaisTipo, ::testing::Values(
    CasoTipo{"Ramal", 12, "Ramal", "27", 7},
    CasoTipo{"Linha", 12, "Linha", "3", 131, "03"},
    CasoTipo{"Rota0", 12, "Rota", "0", 170},
    CasoTipo{"Rota4", 12, "Rota", "4", 164},
    CasoTipo{"GrupoDeRamal", 12, "Grupo de ramal", "2", 111},
    CasoTipo{"ChefeSecretaria", 12, "Chefe secretária", "1", 104},
    CasoTipo{"Porteiro", 12, "Porteiro", "1", 100},
    CasoTipo{"AtuacaoExterna", 12, "Atuação externa", "1", 102},
    CasoTipo{"VivaVoz", 12, "Viva voz Ch-Secr", "1", 119},
    CasoTipo{"Monitora", 1, "Monitora", nullptr, 106},
    CasoTipo{"NaoPerturbe", 1, "Não perturbe", nullptr, 107},
    CasoTipo{"Cadeado", 1, "Cadeado", nullptr, 108},
    CasoTipo{"ToqueGeral", 1, "Toque geral", nullptr, 109},
    CasoTipo{"BuscaPessoa", 1, "Busca pessoa", nullptr, 118},
    CasoTipo{"CorreioDeVoz", 1, "Correio de voz", nullptr, 121},
    CasoTipo{"SemFuncao", 1, "Sem função", nullptr, 255},
    CasoTipo{"TipoParaTeclaSemTipo", 21, "Cadeado", nullptr, 108}),
    PrintedName{});

TEST(TeclasTerminais, NumeroSoSeEditaNosTiposQueOTem)
{
    auto imagem = ImagemTerminais();
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        EXPECT_EQ(AbreCelula(w, 2, 12), nullptr); // "Monitora"
        EXPECT_EQ(AbreCelula(w, 2, 18), nullptr); // "Sem função"
        EXPECT_EQ(AbreCelula(w, 2, 21), nullptr); // no type
        EXPECT_NE(AbreCelula(w, 2, 1), nullptr);  // "Linha"
    });
}

// Each cell's list is prepared when its editor opens, by a click or by the
// keys: a number cell reached with the arrows after a click on a type offers
// the numbers of its own type.
TEST(TeclasTerminais, CelulaAlcancadaPeloTecladoTemSuaPropriaLista)
{
    auto imagem = ImagemTerminais();
    auto esperado = imagem;
    esperado[OffsetTecla(1, 2)] = 131; // "Linha" "3"
    esperado[OffsetTecla(1, 20)] = 2;  // "Ramal" "22"
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        QComboBox* tipo = AbreCelula(w, 1, 2);
        ASSERT_NE(tipo, nullptr);
        EXPECT_EQ(ItensDe(tipo).size(), 15);
        input::Key(Qt::Key_Escape);
        input::Key(Qt::Key_Right);
        input::Key(Qt::Key_F2);
        auto* numero = qobject_cast<QComboBox*>(QApplication::focusWidget());
        EXPECT_EQ(ItensDe(numero), (QStringList{"1", "2", "3", "4"}));
        EscolheComSetas(numero, QStringLiteral("3"));
        // From a "Rota" number down to a "Ramal" number.
        ClicaCelula(Grade(w), 2, 19);
        input::Key(Qt::Key_Escape);
        input::Key(Qt::Key_Down);
        input::Key(Qt::Key_F2);
        numero = qobject_cast<QComboBox*>(QApplication::focusWidget());
        EXPECT_EQ(ItensDe(numero).first(), "20");
        EscolheComSetas(numero, QStringLiteral("22"));
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

// Opening and leaving every cell without choosing leaves every key as it
// was: numbers are matched to the list by value ("04" is "4"), and a value
// that no list holds ("Grupo de ramal" 6, "Porteiro" 2, a code of no type)
// is kept.
TEST(TeclasTerminais, AbrirESairDeCadaCelulaNaoMudaNenhumaTecla)
{
    auto imagem = ImagemTerminais();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        for (int t = 1; t <= kTeclasTerminal; ++t) {
            for (int c = 1; c <= 2; ++c) {
                QComboBox* combo = AbreCelula(w, c, t);
                if (combo)
                    input::Key(Qt::Key_Return);
            }
        }
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// One click opens the list, closed: the item is chosen with the keys.
TEST(TeclasTerminais, UmCliqueAbreAListaDaCelula)
{
    auto imagem = ImagemTerminais();
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        for (const auto& [coluna, tecla, atual] : {std::tuple{1, 5, "Grupo de ramal"}, std::tuple{2, 5, "4"},
                                                    std::tuple{1, 19, "Ramal"}, std::tuple{2, 19, "20"}}) {
            QComboBox* combo = AbreCelula(w, coluna, tecla);
            ASSERT_NE(combo, nullptr) << coluna << "," << tecla;
            EXPECT_EQ(combo->currentText(), QString::fromUtf8(atual));
            EXPECT_FALSE(combo->view()->isVisible());
            input::Key(Qt::Key_Escape);
        }
        Click(w, "Button4");
    });
}

// Enter after a choice goes on to the next cell that may be edited: the
// number of the key, then the type of the next key; a type without a number
// goes straight to the next key.
struct CasoEnter {
    const char* caso;
    int coluna, tecla;
    const char* item;
    int colunaDepois, teclaDepois;
};

void PrintTo(const CasoEnter& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclasTerminaisEnter : public ::testing::TestWithParam<CasoEnter> {};

TEST_P(TeclasTerminaisEnter, SegueParaAProximaCelula)
{
    const CasoEnter& caso = GetParam();
    auto imagem = ImagemTerminais();
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Escolhe(w, caso.coluna, caso.tecla, caso.item);
        EXPECT_EQ(Grade(w)->Col(), caso.colunaDepois);
        EXPECT_EQ(Grade(w)->Row(), caso.teclaDepois);
        EXPECT_TRUE(FocoNaGrade(Grade(w)));
        EXPECT_FALSE(Grade(w)->EditorShown());
        input::Key(Qt::Key_Escape);
    });
}

INSTANTIATE_TEST_SUITE_P(Casos, TeclasTerminaisEnter, ::testing::Values(
    CasoEnter{"TipoParaONumero", 1, 3, "Linha", 2, 3},
    CasoEnter{"NumeroParaATeclaSeguinte", 2, 3, "4", 1, 4},
    CasoEnter{"TipoSemNumeroParaATeclaSeguinte", 1, 3, "Monitora", 1, 4},
    CasoEnter{"MesmoTipoParaONumero", 1, 5, "Grupo de ramal", 2, 5},
    CasoEnter{"UltimaTeclaParaAPrimeira", 2, 25, "1", 1, 1}),
    PrintedName{});

// A whole run made with the keys after one click: Enter opens each list,
// the arrows choose, Enter takes the item and goes on; Ok stores exactly
// the keys chosen.
TEST(TeclasTerminais, EscolhasSoComEnterGravamAsTeclas)
{
    auto imagem = ImagemTerminais();
    auto esperado = imagem;
    const std::uint8_t codigos[] = {170, 106, 7, 164, 111};
    for (int t = 1; t <= 5; ++t)
        esperado[OffsetTecla(1, t)] = codigos[t - 1];
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        EscolheComSetas(AbreCelula(w, 1, 1), QStringLiteral("Rota"));
        EscolheComSetas(AbreComEnter(), QStringLiteral("0"));
        EscolheComSetas(AbreComEnter(), QStringLiteral("Monitora"));
        EscolheComSetas(AbreComEnter(), QStringLiteral("Ramal"));
        EscolheComSetas(AbreComEnter(), QStringLiteral("27"));
        EscolheComSetas(AbreComEnter(), QStringLiteral("Rota"));
        EscolheComSetas(AbreComEnter(), QStringLiteral("4"));
        // Key 5 keeps its type: the list opens on it and Enter takes it.
        QComboBox* tipo = AbreComEnter();
        ASSERT_NE(tipo, nullptr);
        EXPECT_EQ(tipo->currentText(), "Grupo de ramal");
        input::Key(Qt::Key_Return);
        EXPECT_EQ(Grade(w)->Cells(2, 5), "4");
        EscolheComSetas(AbreComEnter(), QStringLiteral("2"));
        EXPECT_EQ(Grade(w)->Col(), 1);
        EXPECT_EQ(Grade(w)->Row(), 6);
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

// Typing the first letters of an item in an open list and Enter take it and
// leave the keyboard on the grid at the next cell: what the user types next
// reaches the grid, whatever list was used. Each list searches only what
// was typed into it, however quickly the keys follow one another.
TEST(TeclasTerminais, DigitarNaListaEEnterDeixaOTecladoNaGrade)
{
    auto imagem = ImagemTerminais();
    auto esperado = imagem;
    esperado[OffsetTecla(1, 1)] = 163; // "Rota" "3"
    esperado[OffsetTecla(1, 2)] = 108; // "Cadeado"
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        ASSERT_NE(AbreCelula(w, 1, 1), nullptr);
        input::Type(QStringLiteral("Ro"));
        input::Key(Qt::Key_Return);
        input::Settle();
        EXPECT_EQ(Grade(w)->Cells(1, 1), "Rota");
        ASSERT_TRUE(FocoNaGrade(Grade(w))) << "the keyboard went nowhere";
        EXPECT_EQ(Grade(w)->Col(), 2);
        EXPECT_EQ(Grade(w)->Row(), 1);
        ASSERT_NE(AbreComEnter(), nullptr);
        input::Type(QStringLiteral("3"));
        input::Key(Qt::Key_Return);
        input::Settle();
        EXPECT_EQ(Grade(w)->Cells(2, 1), "3");
        ASSERT_TRUE(FocoNaGrade(Grade(w)));
        EXPECT_EQ(Grade(w)->Row(), 2);
        ASSERT_NE(AbreComEnter(), nullptr);
        input::Type(QStringLiteral("Ca"));
        input::Key(Qt::Key_Return);
        input::Settle();
        EXPECT_EQ(Grade(w)->Cells(1, 2), "Cadeado");
        ASSERT_TRUE(FocoNaGrade(Grade(w)));
        input::Accelerator('k');
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

// However a list is closed, the keyboard stays on the grid: a type typed
// into key A's list, the list closed by Enter, a click on the number's cell
// or Esc, then the number (after Esc, the type again) typed at the cell the
// close left the cursor on.
struct CasoFecho {
    const char* caso;
    std::function<void(TForm*)> fecha;
    const char* depois; // typed next, at the cell the cursor is on
};

class TeclasTerminaisFecho : public ::testing::TestWithParam<CasoFecho> {};

TEST_P(TeclasTerminaisFecho, OTecladoFicaNaGrade)
{
    auto imagem = ImagemTerminais();
    auto esperado = imagem;
    esperado[OffsetTecla(1, 1)] = 163; // "Rota" "3"
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        ASSERT_NE(AbreCelula(w, 1, 1), nullptr);
        input::Type(QStringLiteral("Ro"));
        GetParam().fecha(w);
        input::Settle();
        ASSERT_TRUE(Grade(w)->isAncestorOf(QApplication::focusWidget()) || FocoNaGrade(Grade(w)))
            << "the keyboard went nowhere";
        input::Type(QString::fromLatin1(GetParam().depois));
        input::Settle();
        EXPECT_EQ(Grade(w)->Cells(1, 1), "Rota");
        EXPECT_EQ(Grade(w)->Cells(2, 1), "3");
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(
    Fechos, TeclasTerminaisFecho,
    ::testing::Values(CasoFecho{"Enter", [](TForm*) { input::Key(Qt::Key_Return); }, "3\r"},
                      CasoFecho{"CliqueNoNumero", [](TForm* w) { ClicaCelula(Grade(w), 2, 1); }, "3\r"},
                      CasoFecho{"Esc", [](TForm*) { input::Key(Qt::Key_Escape); }, "Ro\r3\r"}),
    [](const auto& param) { return std::string(param.param.caso); });

// A key left without its number stops Ok, by the mouse or by Alt+K: the
// message, the cursor on the number, the window open and nothing written.
class TeclasTerminaisFalha : public ::testing::TestWithParam<TComoOk> {};

TEST_P(TeclasTerminaisFalha, MensagemCursorNaCelulaENadaGravado)
{
    auto imagem = ImagemTerminais();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Escolhe(w, 1, 7, "Linha");
        PressionaOk(w, GetParam(), "Button1");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Grade(w)->Col(), 2);
        EXPECT_EQ(Grade(w)->Row(), 7);
        EXPECT_TRUE(FocoNaGrade(Grade(w)) || QApplication::focusWidget()->parentWidget() == Grade(w));
        EXPECT_EQ(Grade(w)->Cells(1, 7), "Linha");
        input::Key(Qt::Key_Escape);
    });
    ASSERT_EQ(boxes.calls.size(), 1u) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(boxes.calls[0].text, "Campo deve ser preenchido");
    EXPECT_EQ(boxes.calls[0].caption, "Informação");
    EXPECT_EQ(boxes.calls[0].flags, MB_ICONINFORMATION);
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, TeclasTerminaisFalha, ::testing::Values(TComoOk::Mouse, TComoOk::Atalho),
                         [](const ::testing::TestParamInfo<TComoOk>& linha) {
                             return std::string(NomeComoOk(linha.param));
                         });

// Ok by its accelerator while a list is open takes the item it shows.
TEST(TeclasTerminais, OkPeloAtalhoComAListaAbertaTomaOItemMostrado)
{
    auto imagem = ImagemTerminais();
    auto esperado = imagem;
    esperado[OffsetTecla(1, 12)] = 108; // "Monitora" to "Cadeado", the item above it
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        QComboBox* combo = AbreCelula(w, 1, 12);
        ASSERT_NE(combo, nullptr);
        input::Key(Qt::Key_Up);
        EXPECT_EQ(combo->currentText(), "Cadeado");
        input::Accelerator('k');
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

// A key left without its number keeps the user in the grid: the list of
// terminals is not reached, nothing is stored.
TEST(TeclasTerminais, FalhaNaoDeixaTrocarDeTerminal)
{
    auto imagem = ImagemTerminais();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Escolhe(w, 1, 1, "Rota");
        input::Click(Find<QWidget>(w, "ComboBox1"));
        input::Settle();
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Text(), "20");
        EXPECT_EQ(Grade(w)->Cells(1, 1), "Rota");
        EXPECT_EQ(Grade(w)->Col(), 2);
        EXPECT_EQ(Grade(w)->Row(), 1);
    });
    EXPECT_EQ(boxes.Texts(), QStringList{"Campo deve ser preenchido"});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// The arrows and Tab as a person uses them. In an open list the up and down
// arrows step through its items; left and right take the item shown and
// move the cursor; on the grid the arrows move the cursor and F2 opens the
// cell's own list. Tab takes the item shown and leaves the grid, whose check
// then runs.
struct CasoSetas {
    const char* caso;
    int coluna, tecla; // the cell clicked first (its list opens)
    std::vector<Qt::Key> teclas;
    int colunaDepois, teclaDepois;
    int teclaGravada; // the key whose byte changes, 0 for none
    std::uint8_t codigo;
};

void PrintTo(const CasoSetas& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclasTerminaisSetas : public ::testing::TestWithParam<CasoSetas> {};

TEST_P(TeclasTerminaisSetas, OItemMostradoEGravadoEOCursorSegue)
{
    const CasoSetas& caso = GetParam();
    auto imagem = ImagemTerminais();
    auto esperado = imagem;
    if (caso.teclaGravada)
        esperado[OffsetTecla(1, caso.teclaGravada)] = caso.codigo;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        ASSERT_NE(AbreCelula(w, caso.coluna, caso.tecla), nullptr);
        for (Qt::Key tecla : caso.teclas)
            input::Key(tecla);
        input::Settle();
        EXPECT_EQ(Grade(w)->Col(), caso.colunaDepois);
        EXPECT_EQ(Grade(w)->Row(), caso.teclaDepois);
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, TeclasTerminaisSetas, ::testing::Values(
    // "Monitora", the item above it "Cadeado", then right to the number.
    CasoSetas{"AcimaNaListaEDireita", 1, 12, {Qt::Key_Up, Qt::Key_Right}, 2, 12, 12, 108},
    CasoSetas{"DireitaSemEscolherNadaMuda", 1, 1, {Qt::Key_Right}, 2, 1, 0, 0},
    // "Rota" "0", the next item "1", then left to the type.
    CasoSetas{"AbaixoNaListaDoNumeroEEsquerda", 2, 3, {Qt::Key_Down, Qt::Key_Left}, 1, 3, 3, 161},
    // Key 4 is "Rota" "7", a route no list holds: down twice on the grid,
    // right, F2 opens its numbers on the "7" kept at their end, the item
    // above it is "4".
    CasoSetas{"SetasNaGradeEF2", 1, 2,
              {Qt::Key_Escape, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_F2, Qt::Key_Up, Qt::Key_Return},
              1, 5, 4, 164},
    CasoSetas{"TabLevaOItemMostrado", 1, 12, {Qt::Key_Up, Qt::Key_Tab}, 1, 12, 12, 108}),
    PrintedName{});

// Tab leaves the grid: the focus moves on, and a key left without its number
// brings the message and the cursor back to it; Esc then writes nothing.
TEST(TeclasTerminais, TabComTeclaSemNumeroMostraAMensagemENadaGrava)
{
    auto imagem = ImagemTerminais();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Escolhe(w, 1, 7, "Linha");
        EXPECT_EQ(Grade(w)->Col(), 2);
        input::Key(Qt::Key_Tab);
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Grade(w)->Col(), 2);
        EXPECT_EQ(Grade(w)->Row(), 7);
        EXPECT_TRUE(FocoNaGrade(Grade(w)));
        input::Key(Qt::Key_Escape);
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(boxes.Texts(), QStringList{"Campo deve ser preenchido"});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// Cancel by the mouse closes the window with a key left half done: no
// check, no message, nothing written.
TEST(TeclasTerminais, CancelarComTeclaIncompletaFechaSemMensagem)
{
    auto imagem = ImagemTerminais();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        Escolhe(w, 1, 7, "Linha");
        Click(w, "Button4");
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// Tab from a grid whose keys pass the check leaves it for the next control.
TEST(TeclasTerminais, TabSaiDaGradeParaOProximoControle)
{
    auto imagem = ImagemTerminais();
    ScriptedBoxes boxes;
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        ASSERT_NE(AbreCelula(w, 1, 3), nullptr);
        input::Key(Qt::Key_Escape);
        input::Key(Qt::Key_Tab);
        input::Settle();
        EXPECT_FALSE(FocoNaGrade(Grade(w)));
        EXPECT_TRUE(w->isVisible());
        Click(w, "Button4");
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
}

TEST(TeclasTerminais, CapturaComAListaDeUmNumeroAberta)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    auto imagem = ImagemDoModelo();
    imagem[OffsetRamalTerminal(1)] = 0;
    const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/modulo_TeclasTerminais_lista.png");
    AbreEntrada(&TeclasTerminais, imagem, [&](TForm* w) {
        QComboBox* combo = AbreCelula(w, 2, 6);
        ASSERT_NE(combo, nullptr);
        combo->showPopup();
        input::Settle();
        QPixmap quadro = w->grab();
        QWidget* lista = combo->view()->window();
        QPainter pintor(&quadro);
        pintor.drawPixmap(w->mapFromGlobal(lista->mapToGlobal(QPoint(0, 0))), lista->grab());
        pintor.end();
        EXPECT_TRUE(quadro.save(arquivo)) << arquivo.toStdString();
        combo->hidePopup();
    });
    EXPECT_TRUE(QFile::exists(arquivo));
}

} // namespace
