// The shared window kit used the way a window uses it: buttons built from
// their roles, refusals that put the user back on the value, a grid built
// from data, and bit boxes that store only what the user clicks.
#include "modules/caixasbit.h"
#include "modules/grade.h"
#include "modules/modulo.h"
#include "modules/recusa.h"
#include "platform/controls.h"
#include "tests/modules/janelas.h"

#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <utility>
#include <vector>

namespace {

// Runs the window modally with `atos` inside it, as the user; the window is
// cancelled afterwards if the acts left it open. Gives the modal result.
int Executa(TForm& janela, const std::function<void()>& atos)
{
    ModalScript modal;
    modal.Then([&](QWidget* w) {
        w->activateWindow();
        QCoreApplication::processEvents();
        atos();
        QTimer::singleShot(0, w, [w] {
            if (w->isVisible())
                static_cast<QDialog*>(w)->done(mrCancel);
        });
    });
    return janela.ShowModal();
}

// A left click on the control; on a check box, on its box.
void Clica(QWidget* controle)
{
    const QPoint ponto = qobject_cast<QCheckBox*>(controle) ? QPoint(8, controle->height() / 2)
                                                            : controle->rect().center();
    QTest::mouseClick(controle, Qt::LeftButton, Qt::NoModifier, ponto);
    QCoreApplication::processEvents();
}

// ---- buttons by role

class JanelaBotoes : public TFormModulo {
public:
    JanelaBotoes() : TFormModulo(nullptr)
    {
        HelpContext = 4321;
        static const BotaoModulo<JanelaBotoes> kBotoes[] = {
            {&JanelaBotoes::Ajuda, TPapelBotao::Ajuda, "Ajuda", {8, 100}},
            {&JanelaBotoes::Padrao, TPapelBotao::Padrao, "Padrao", {96, 100}},
            {&JanelaBotoes::Copia, TPapelBotao::Copia, "Copia", {184, 100}},
            {&JanelaBotoes::Sistema, TPapelBotao::Outro, "Sistema", {272, 100}, "&Sistema"},
            {&JanelaBotoes::Ok, TPapelBotao::Ok, "Ok", {8, 140}},
            {&JanelaBotoes::OkModal, TPapelBotao::OkModal, "OkModal", {96, 140}},
            {&JanelaBotoes::Cancela, TPapelBotao::Cancela, "Cancela", {184, 140}},
        };
        CriaBotoes(kBotoes);
        SetClientSize(360, 180);
    }
    TButton* Ajuda;
    TButton* Padrao;
    TButton* Copia;
    TButton* Sistema;
    TButton* Ok;
    TButton* OkModal;
    TButton* Cancela;
    std::vector<std::string> cliques;

protected:
    void OkButtonClick() override { cliques.push_back("Ok"); }
    void PadButtonClick() override { cliques.push_back("Padrao"); }
};

TEST(BotoesPorPapel, LegendaTamanhoLugarEContextoVemDoPapel)
{
    JanelaBotoes janela;
    const std::pair<const char*, const char*> esperados[] = {
        {"Ajuda", "&Ajuda"}, {"Padrao", "&Padrão"}, {"Copia", "C&opia"}, {"Sistema", "&Sistema"},
        {"Ok", "O&k"},       {"OkModal", "O&k"},    {"Cancela", "&Cancela"},
    };
    for (const auto& [nome, legenda] : esperados) {
        auto* botao = Find<TButton>(&janela, nome);
        ASSERT_NE(botao, nullptr) << nome;
        EXPECT_EQ(botao->text(), QString::fromUtf8(legenda)) << nome;
        EXPECT_EQ(botao->size(), QSize(kLarguraBotao, kAlturaBotao)) << nome;
        EXPECT_EQ(botao->HelpContext, 4321) << nome;
    }
    EXPECT_EQ(janela.Copia->pos(), QPoint(184, 100));
}

struct CasoBotao {
    const char* caso;
    const char* botao; // clicked with the mouse; null: Esc pressed
    int resultado;
    std::vector<std::string> cliques;
};

void PrintTo(const CasoBotao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class PapelDoBotao : public ::testing::TestWithParam<CasoBotao> {};

TEST_P(PapelDoBotao, CliqueFazOQueOPapelDiz)
{
    const CasoBotao& caso = GetParam();
    JanelaBotoes janela;
    const int resultado = Executa(janela, [&] {
        if (caso.botao)
            Clica(Find<TButton>(&janela, caso.botao));
        else
            QTest::keyClick(&janela, Qt::Key_Escape);
    });
    EXPECT_EQ(resultado, caso.resultado);
    EXPECT_EQ(janela.cliques, caso.cliques);
}

INSTANTIATE_TEST_SUITE_P(Papeis, PapelDoBotao, ::testing::Values(
    // Ok runs the window's check, which here keeps the window open.
    CasoBotao{"OkVerificaSemFechar", "Ok", mrCancel, {"Ok"}},
    CasoBotao{"OkModalFechaComOk", "OkModal", mrOk, {"Ok"}},
    CasoBotao{"CancelaFecha", "Cancela", mrCancel, {}},
    CasoBotao{"EscFecha", nullptr, mrCancel, {}},
    CasoBotao{"PadraoPergunta", "Padrao", mrCancel, {"Padrao"}},
    CasoBotao{"CopiaEDaJanela", "Copia", mrCancel, {}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// ---- refusals

class JanelaRecusa : public TForm {
public:
    JanelaRecusa()
    {
        Valor = Posiciona(new TEdit(this), "Valor", {8, 8, 100, 24});
        Outro = Posiciona(new TEdit(this), "Outro", {8, 40, 100, 24});
        Grade = CriaGrade(this, {"Grade", {120, 8, 260, 140}, 3, 5, kDefaultGridOptions | goEditing, ssNone,
                                 {0, 60, 60}, {" N", " A", " B"}},
                          77);
        Verifica = Posiciona(new TButton(QStringLiteral("&Verifica"), this), "Verifica", {8, 150, 80, 28});
        Grade->OnSelectCell = [this](int c, int r, bool&) { selecoes.emplace_back(c, r); };
        SetClientSize(400, 190);
    }
    TEdit* Valor;
    TEdit* Outro;
    TStringGrid* Grade;
    TButton* Verifica;
    std::vector<std::pair<int, int>> selecoes;
};

TEST(Recusa, CaixaDeErroEFocoDeVoltaNoControle)
{
    JanelaRecusa janela;
    janela.Verifica->OnClick = [&] { Recusa(QStringLiteral("Valor inválido."), janela.Valor); };
    ScriptedBoxes caixas;
    QString focoDepois;
    Executa(janela, [&] {
        Clica(janela.Outro);
        Clica(janela.Verifica);
        focoDepois = Focado(&janela);
    });
    ASSERT_EQ(caixas.calls.size(), 1u);
    EXPECT_EQ(caixas.calls[0].text, QStringLiteral("Valor inválido."));
    EXPECT_EQ(caixas.calls[0].caption, QStringLiteral("Erro"));
    EXPECT_EQ(caixas.calls[0].flags, 16);
    EXPECT_EQ(focoDepois, QStringLiteral("Valor"));
}

struct CasoCelula {
    const char* caso;
    int coluna, linha;
    TVoltaCursor volta;
    std::vector<std::pair<int, int>> selecoes; // the grid's select handler, in order
};

void PrintTo(const CasoCelula& caso, std::ostream* os)
{
    *os << caso.caso;
}

class RecusaNaGrade : public ::testing::TestWithParam<CasoCelula> {};

TEST_P(RecusaNaGrade, CursorNaCelulaQueFalhouEFocoNaGrade)
{
    const CasoCelula& caso = GetParam();
    JanelaRecusa janela;
    janela.Grade->FocusCell(caso.coluna, caso.linha); // the user stands on it already
    janela.Verifica->OnClick = [&] {
        janela.selecoes.clear();
        RecusaCelula(QStringLiteral("Horário está incorreto."), janela.Grade, caso.coluna, caso.linha, caso.volta);
    };
    ScriptedBoxes caixas;
    QString focoDepois;
    Executa(janela, [&] {
        Clica(janela.Verifica);
        focoDepois = Focado(&janela);
    });
    ASSERT_EQ(caixas.calls.size(), 1u);
    EXPECT_EQ(caixas.calls[0].flags, 16);
    EXPECT_EQ(janela.selecoes, caso.selecoes);
    EXPECT_EQ(focoDepois, QStringLiteral("Grade"));
    EXPECT_EQ(janela.Grade->Col(), caso.coluna);
    EXPECT_EQ(janela.Grade->Row(), caso.linha);
}

INSTANTIATE_TEST_SUITE_P(Casos, RecusaNaGrade, ::testing::Values(
    CasoCelula{"Direto", 2, 3, TVoltaCursor::Direto, {{2, 3}}},
    CasoCelula{"PorOutraLinha", 2, 3, TVoltaCursor::PorOutraLinha, {{2, 1}, {2, 3}}},
    CasoCelula{"PrimeiraLinhaPassaPelaSegunda", 1, 1, TVoltaCursor::PorOutraLinha, {{1, 2}, {1, 1}}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

TEST(Grade, ConstruidaDosDados)
{
    JanelaRecusa janela;
    TStringGrid* grade = janela.Grade;
    EXPECT_EQ(grade->objectName(), QStringLiteral("Grade"));
    EXPECT_EQ(grade->geometry(), QRect(120, 8, 260, 140));
    EXPECT_EQ(grade->ColCount(), 3);
    EXPECT_EQ(grade->RowCount(), 5);
    EXPECT_EQ(grade->FixedCols(), 1);
    EXPECT_EQ(grade->FixedRows(), 1);
    EXPECT_EQ(grade->Options(), kDefaultGridOptions | goEditing);
    EXPECT_EQ(grade->ColWidths(0), grade->DefaultColWidth()); // 0: the default kept
    EXPECT_EQ(grade->ColWidths(2), 60);
    EXPECT_EQ(grade->Rows(0), (QStringList{" N", " A", " B"}));
    EXPECT_EQ(grade->HelpContext, 77);
}

// ---- bit boxes

struct CasoTag {
    const char* caso;
    BitsDaCaixa (*decodifica)(int);
    int tag;
    BitsDaCaixa bits;
};

void PrintTo(const CasoTag& caso, std::ostream* os)
{
    *os << caso.caso;
}

class FormaDaTag : public ::testing::TestWithParam<CasoTag> {};

TEST_P(FormaDaTag, DizOByteEOsBits)
{
    const CasoTag& caso = GetParam();
    const BitsDaCaixa bits = caso.decodifica(caso.tag);
    EXPECT_EQ(bits.campo, caso.bits.campo);
    EXPECT_EQ(bits.liga, caso.bits.liga);
    EXPECT_EQ(bits.mantem, caso.bits.mantem);
}

INSTANTIATE_TEST_SUITE_P(Formas, FormaDaTag, ::testing::Values(
    CasoTag{"BitCampo", BitsDaTagBitCampo, TagBitCampo(3, 0), {0, 0x08, 0xF7}},
    CasoTag{"BitCampoOitavoByte", BitsDaTagBitCampo, 120, {8, 0x80, 0x7F}},
    CasoTag{"LigaMantem", BitsDaTagLigaMantem, 3315, {0, 0x0C, 0xF3}},
    CasoTag{"MantemLiga", BitsDaTagMantemLiga, 65025, {0, 0x01, 0xFE}},
    CasoTag{"MantemLigaBit7", BitsDaTagMantemLiga, TagMantemLiga(0x7F, 0x80), {0, 0x80, 0x7F}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

TEST(BitsDaCaixa, GravarEMostrar)
{
    struct Caso {
        BitsDaCaixa bits;
        std::uint8_t antes;
        bool marcada;
        std::uint8_t depois;
        bool mostraMarcada; // how `antes` shows
    };
    const Caso casos[] = {
        {{0, 0x0C, 0xF3}, 0x04, true, 0x0C, false}, // two bits: ticked only when both are set
        {{0, 0x0C, 0xF3}, 0xFF, false, 0xF3, true},
        {{0, 0x01, 0xFE}, 0xA0, true, 0xA1, false},
        // A flag byte that a ticked box sets to exactly 0x80.
        {{1, 0x80, 0x00}, 0x05, true, 0x80, false},
        {{1, 0x80, 0x00}, 0x80, false, 0x00, true},
        {{1, 0x80, 0x00}, 0x81, false, 0x00, false},
    };
    for (const Caso& c : casos) {
        std::uint8_t byte = c.antes;
        EXPECT_EQ(BitsMarcados(byte, c.bits), c.mostraMarcada) << int(c.antes);
        GravaBits(byte, c.bits, c.marcada);
        EXPECT_EQ(byte, c.depois) << int(c.antes);
    }
}

// A window whose boxes share one click handler; its two bytes are the work
// copy the boxes show.
class JanelaCaixas : public TForm {
public:
    explicit JanelaCaixas(bool comFoco)
        : caixas(BitsDaTagBitCampo, [this](int campo) -> std::uint8_t& { return bytes[campo]; })
    {
        const std::array<int, 3> tags = {TagBitCampo(0, 0), TagBitCampo(6, 0), TagBitCampo(2, 1)};
        for (int i = 0; i < 3; ++i) {
            auto* caixa = Posiciona(new TCheckBox(QStringLiteral("Caixa %1").arg(i), this),
                                    QStringLiteral("Caixa%1").arg(i).toLatin1().constData(), {8, 8 + 28 * i, 160, 22});
            caixas.Liga(caixa, tags[static_cast<size_t>(i)], [this](TCheckBox* c) { CaixaClick(c); });
        }
        Mostra = Posiciona(new TButton(QStringLiteral("&Mostra"), this), "Mostra", {8, 100, 80, 28});
        Mostra->OnClick = [this] { caixas.Mostra(); };
        // A rule that ticks box 2 by program when box 0 is clicked.
        Outro = Posiciona(new TEdit(this), "Outro", {8, 140, 80, 24});
        if (comFoco)
            caixas.EditaComFoco({caixas.Caixas()[0], caixas.Caixas()[1], caixas.Caixas()[2]});
        SetClientSize(200, 180);
    }
    void CaixaClick(TCheckBox* caixa)
    {
        if (caixa == caixas.Caixas()[0])
            caixas.Caixas()[2]->SetChecked(caixa->Checked());
        caixas.Grava(caixa);
    }
    std::array<std::uint8_t, 2> bytes{};
    TCaixasBit caixas;
    TButton* Mostra;
    TEdit* Outro;
};

TEST(CaixasBit, MostrarPeloProgramaNaoGravaNada)
{
    for (bool comFoco : {false, true}) {
        JanelaCaixas janela(comFoco);
        // Box 0's rule ticks box 2 on the way, which its byte then unticks.
        janela.bytes = {0x41, 0x00};
        Executa(janela, [&] { Clica(janela.Mostra); });
        EXPECT_TRUE(janela.caixas.Caixas()[0]->Checked());
        EXPECT_TRUE(janela.caixas.Caixas()[1]->Checked());
        EXPECT_FALSE(janela.caixas.Caixas()[2]->Checked());
        EXPECT_EQ(janela.bytes, (std::array<std::uint8_t, 2>{0x41, 0x00})) << comFoco;
    }
}

struct CasoCaixas {
    const char* caso;
    bool comFoco;
    std::array<std::uint8_t, 2> depois;
};

void PrintTo(const CasoCaixas& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CliqueNaCaixa : public ::testing::TestWithParam<CasoCaixas> {};

// The user clicks box 0, whose rule ticks box 2 by program: both store,
// with the focus flag too, since the user is in one of the boxes.
TEST_P(CliqueNaCaixa, GravaOQueOUsuarioClicou)
{
    const CasoCaixas& caso = GetParam();
    JanelaCaixas janela(caso.comFoco);
    Executa(janela, [&] {
        Clica(janela.Outro);
        Clica(janela.caixas.Caixas()[0]);
    });
    EXPECT_TRUE(janela.caixas.Caixas()[2]->Checked());
    EXPECT_EQ(janela.bytes, caso.depois);
}

INSTANTIATE_TEST_SUITE_P(Casos, CliqueNaCaixa, ::testing::Values(
    CasoCaixas{"SemFlagDeFoco", false, {0x01, 0x04}},
    CasoCaixas{"ComFlagDeFoco", true, {0x01, 0x04}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

class MarcadaPorOutroControle : public ::testing::TestWithParam<CasoCaixas> {};

// A rule of another control ticks box 1 while the user is in that control.
TEST_P(MarcadaPorOutroControle, SoGravaSemFlagDeFoco)
{
    const CasoCaixas& caso = GetParam();
    JanelaCaixas janela(caso.comFoco);
    janela.Outro->OnChange = [&] { janela.caixas.Caixas()[1]->SetChecked(true); };
    Executa(janela, [&] {
        Clica(janela.Outro);
        QTest::keyClicks(janela.Outro, QStringLiteral("x"));
    });
    EXPECT_TRUE(janela.caixas.Caixas()[1]->Checked());
    EXPECT_EQ(janela.bytes, caso.depois);
}

INSTANTIATE_TEST_SUITE_P(Casos, MarcadaPorOutroControle, ::testing::Values(
    CasoCaixas{"SemFlagDeFocoGrava", false, {0x40, 0x00}},
    CasoCaixas{"ComFlagDeFocoNaoGrava", true, {0x00, 0x00}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

} // namespace
