// The main window at start: its captions, menus, buttons and image, the
// program entry's order, the missing template, the login at its first
// activation, the screenshot.
#include "image/layout.h"
#include "image/registro.h"
#include "link/formcomun.h"
#include "platform/application.h"
#include "shell/formconfsys.h"
#include "shell/inicio.h"
#include "tests/shell/principal_fixture.h"
#include "tests/support/scripted.h"
#include "users/arquivousuarios.h"
#include "users/senhausdlg.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct EntradaEsperada {
    const char* legenda; // "-" is a separator line
    int ajuda;
};

void EsperaMenu(QMenu* menu, const std::vector<EntradaEsperada>& esperado)
{
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> acoes = menu->actions();
    ASSERT_EQ(acoes.size(), static_cast<qsizetype>(esperado.size())) << menu->title().toStdString();
    for (size_t k = 0; k < esperado.size(); ++k) {
        QAction* acao = acoes[static_cast<qsizetype>(k)];
        if (std::string(esperado[k].legenda) == "-") {
            EXPECT_TRUE(acao->isSeparator()) << k;
            continue;
        }
        EXPECT_EQ(acao->text(), QString::fromUtf8(esperado[k].legenda));
        EXPECT_EQ(acao->property("HelpContext").toInt(), esperado[k].ajuda) << esperado[k].legenda;
    }
}

// Captions of the commands that do not depend on the item flags.
const char* const kSempreHabilitados[][2] = {
    {"&Arquivo", "&Ler arquivo"},
    {"&Arquivo", "&Novo arquivo"},
    {"&Arquivo", "Salvar arquivo &como"},
    {"&Arquivo", "&Usuários do programa"},
    {"&Arquivo", "Sai&r do programa"},
    {"&Comunicação", "&Configuração"},
    {"&Comunicação", "R&eceber programações"},
    {"&Comunicação", "&Transmitir programações"},
    {"A&juda", "&Conteúdo"},
    {"A&juda", "&Sobre"},
};

} // namespace

TEST_F(JanelaPrincipalTest, ProgramEntrySetsTitleAndHelpFileAfterCreatingItsWindows)
{
    TJanelasPrograma janelas;
    ASSERT_TRUE(CriaJanelasPrograma(janelas));
    EXPECT_EQ(Application->Title, QString::fromUtf8("Sorvadine S/A - Programação de micro PABX Trivanto I"));
    EXPECT_EQ(Application->HelpFile, "Trivanto.hlp");
    EXPECT_EQ(FormConfSys, janelas.configuracao.get());
    EXPECT_EQ(SenhaUsDlg, janelas.senha.get());
    EXPECT_EQ(FormPrinc, janelas.principal.get());
    EXPECT_EQ(FormComun, janelas.transferencia.get());
    EXPECT_EQ(FormTransferencia, FormComun);
    DiretorioPrograma = pasta.path();
    janelas.principal->Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Application->HelpFile, "TRIVANTO.HLP");
}

TEST_F(JanelaPrincipalTest, StartsWithTheTemplateAndEveryFlagDependentCommandDisabled)
{
    UsaEntradasFalsas(); // every entry present: only the flags decide
    TFormPrinc& j = Abre();

    EXPECT_EQ(j.Caption(), "Programador Trivanto I e Ferinox 1.6 (Out/02)");
    EXPECT_EQ(j.size(), QSize(648, 460));
    EXPECT_TRUE(j.isVisible());
    for (int p = 1; p <= 12; ++p) {
        QToolButton* botao = j.findChild<QToolButton*>(QStringLiteral("BotaoRamal%1").arg(p));
        ASSERT_NE(botao, nullptr);
        EXPECT_EQ(botao->text(), QString::number(p + 19));
        EXPECT_FALSE(botao->isEnabled()) << p;
        EXPECT_EQ(LeU16(Imagem + OffsetPalavraRamal(p)), TextoParaPalavraRamal(std::to_string(p + 19)));
        EXPECT_EQ(Imagem[OffsetNomeRamal(p)], 0);
    }
    for (int v = 1; v <= 4; ++v) {
        QToolButton* botao = j.findChild<QToolButton*>(QStringLiteral("BotaoVia%1").arg(v));
        ASSERT_NE(botao, nullptr);
        EXPECT_EQ(botao->text(), QStringLiteral("0%1").arg(v));
        EXPECT_FALSE(botao->isEnabled());
    }
    EXPECT_FALSE(ImagemAlterada);
    EXPECT_TRUE(SemProgramacao);
    EXPECT_EQ(ByteEstado, 6);
    EXPECT_TRUE(ArquivoAtual.isEmpty());
    EXPECT_TRUE(j.PainelArquivo->text().isEmpty());

    EXPECT_FALSE(AcaoMenu(j, {"&Arquivo", "&Salvar arquivo"})->isEnabled());
    EXPECT_FALSE(BotaoFerramenta(j, "Salvar")->isEnabled());
    EXPECT_FALSE(AcaoMenu(j, {" &Relatórios"})->isEnabled());
    for (const auto& [cabecalho, legenda] : kSempreHabilitados)
        EXPECT_TRUE(AcaoMenu(j, {QString::fromUtf8(cabecalho), QString::fromUtf8(legenda)})->isEnabled()) << legenda;
    for (QAction* sub : AcaoMenu(j, {QString::fromUtf8("&Programações")})->menu()->actions()) {
        if (!sub->menu())
            continue;
        for (QAction* acao : sub->menu()->actions())
            EXPECT_FALSE(acao->isEnabled()) << acao->text().toStdString();
    }
    for (QAction* acao : j.PopupMenu1->actions())
        EXPECT_FALSE(acao->isEnabled()) << acao->text().toStdString();
}

TEST_F(JanelaPrincipalTest, MenusAndToolBarCarryTheirCaptionsHintsAndHelpContexts)
{
    TFormPrinc& j = Abre();
    std::vector<QString> cabecalhos;
    for (QAction* acao : j.MainMenu1->actions()) {
        cabecalhos.push_back(acao->text());
        EXPECT_EQ(acao->property("HelpContext").toInt(), 4100);
    }
    EXPECT_EQ(cabecalhos, (std::vector<QString>{"&Arquivo", QString::fromUtf8("&Comunicação"),
                                                 QString::fromUtf8("&Programações"),
                                                 QString::fromUtf8(" &Relatórios"), "A&juda"}));
    EXPECT_EQ(AcaoMenu(j, {" &Relatórios"})->menu(), nullptr); // a command of the menu bar itself

    EsperaMenu(AcaoMenu(j, {"&Arquivo"})->menu(), {{"&Ler arquivo", 4100},
                                                   {"&Novo arquivo", 0},
                                                   {"&Salvar arquivo", 4600},
                                                   {"Salvar arquivo &como", 0},
                                                   {"&Usuários do programa", 4900},
                                                   {"-", 0},
                                                   {"Sai&r do programa", 4100}});
    EsperaMenu(AcaoMenu(j, {"&Comunicação"})->menu(), {{"&Configuração", 4200},
                                                       {"-", 0},
                                                       {"R&eceber programações", 4400},
                                                       {"&Transmitir programações", 4700}});
    EsperaMenu(AcaoMenu(j, {"&Programações"})->menu(), {{"Programações &básicas do PABX", 4500},
                                                        {"-", 0},
                                                        {"Programações de &ramal", 4500},
                                                        {"-", 0},
                                                        {"Programações gerais do &PABX", 4500}});
    EsperaMenu(AcaoMenu(j, {"A&juda"})->menu(), {{"&Conteúdo", 4100}, {"&Sobre", 4100}});

    const std::pair<const char*, const char*> kBotoes[] = {
        {"Sair", "Sair do programador"},
        {"Novo", "Novo arquivo de programações"},
        {"Abrir", "Ler programações de arquivo"},
        {"Salvar", "Salvar arquivo de programações"},
        {"Configurar", "Configuração da comunicação"},
        {"Receber", "Receber programações"},
        {"Transmitir", "Transmitir programções"},
        {"Usuários", "Cadastro de usuários"},
    };
    const QList<QAction*> botoes = j.ToolBar1->actions();
    ASSERT_EQ(botoes.size(), static_cast<qsizetype>(std::size(kBotoes)));
    for (size_t k = 0; k < std::size(kBotoes); ++k) {
        EXPECT_EQ(botoes[static_cast<qsizetype>(k)]->text(), QString::fromUtf8(kBotoes[k].first));
        EXPECT_EQ(botoes[static_cast<qsizetype>(k)]->toolTip(), QString::fromUtf8(kBotoes[k].second));
    }
}

TEST_F(JanelaPrincipalTest, MissingTemplateIsReportedAndStartGoesOn)
{
    QFile::remove(pasta.filePath("PADRAO.PBX"));
    ScriptedBoxes boxes;
    TFormPrinc& j = Abre();
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, QString::fromUtf8("Arquivo não encontrado."));
    EXPECT_EQ(boxes.calls[0].caption, QString::fromUtf8("Informação"));
    EXPECT_TRUE(j.isVisible());
    ASSERT_NE(Imagem, nullptr);
    EXPECT_EQ(j.BotoesRamais[0]->text(), "20");
    EXPECT_EQ(j.BotoesRamais[11]->text(), "31");
    // Without a template the image is still defined: zeros, but for the plan.
    EXPECT_TRUE(std::all_of(Imagem, Imagem + OffsetPalavraRamal(1), [](std::uint8_t b) { return b == 0; }));
    EXPECT_FALSE(ImagemAlterada);
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files), QStringList{}); // nothing written
}

TEST_F(JanelaPrincipalTest, ExtensionButtonsFollowTheNumberingPlan)
{
    struct Linha {
        std::uint16_t palavra;
        const char* legenda;
        bool habilitado;
    };
    const Linha kLinhas[] = {
        {0x002A, "20", true}, {0x1023, "231", true}, {0x0071, "31", true},  {0xFAFF, "68", false},
        {0xFCFF, "87", false}, {0xF1FF, "81", false}, {0x00BB, "", false}, {0x0045, "45", false},
    };
    TFormPrinc& j = Abre();
    UsaEntradasFalsas();
    ItensDisponiveis[ipCategoriaRamais - 1] = 1;
    for (size_t k = 0; k < std::size(kLinhas); ++k)
        GravaU16(Imagem + OffsetPalavraRamal(static_cast<int>(k) + 1), kLinhas[k].palavra);
    j.AtualizaMenus();
    for (size_t k = 0; k < std::size(kLinhas); ++k) {
        EXPECT_EQ(j.BotoesRamais[k]->text(), kLinhas[k].legenda) << k;
        EXPECT_EQ(j.BotoesRamais[k]->isEnabled(), kLinhas[k].habilitado) << kLinhas[k].legenda;
    }
    for (QToolButton* via : j.BotoesVias)
        EXPECT_FALSE(via->isEnabled()); // item 4 not available

    ItensDisponiveis[ipCategoriaRamais - 1] = 0;
    ItensDisponiveis[ipConfiguracaoVias - 1] = 1;
    j.AtualizaMenus();
    EXPECT_FALSE(j.BotoesRamais[0]->isEnabled());
    for (QToolButton* via : j.BotoesVias)
        EXPECT_TRUE(via->isEnabled());
}

// A cancelled login ends the program, and the login runs only once.
class LoginTest : public JanelaPrincipalTest {
protected:
    void SetUp() override
    {
        JanelaPrincipalTest::SetUp();
        RegistraUmUsuario();
    }
};

TEST_F(LoginTest, CancelledLoginClosesTheProgramWithoutAsking)
{
    ModalScript modal; // the password dialog is cancelled
    ScriptedBoxes boxes;
    TFormPrinc& j = Abre();
    QCoreApplication::processEvents();
    EXPECT_EQ(modal.shown, std::vector<QString>{QString::fromUtf8("Senha do usuário")});
    EXPECT_FALSE(j.isVisible());
    EXPECT_EQ(Imagem, nullptr);
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(LoginTest, LoginRunsOnceThoughTheWindowIsActivatedAgain)
{
    ModalScript modal;
    modal.Then([](QWidget* w) {
        Find<QLineEdit>(w, "Password")->setText("abc");
        Click(w, "Button2");
    });
    modal.Then([](QWidget* w) { Click(w, "OKButton"); });
    TFormPrinc& j = Abre();
    AcaoMenu(j, {"A&juda", "&Sobre"})->trigger(); // closing it activates the main window again
    QCoreApplication::processEvents();
    EXPECT_EQ(modal.shown, (std::vector<QString>{QString::fromUtf8("Senha do usuário"), "Sobre "}));
    EXPECT_TRUE(j.isVisible());
}

TEST_F(JanelaPrincipalTest, ScreenshotOfTheMainWindow)
{
    TFormPrinc& j = Abre();
    j.MostraArquivo(QStringLiteral("/home/instalador/cliente.PBX"));
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(TRIVANTO_TEST_OUT)));
    const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/janela_principal.png");
    ASSERT_TRUE(j.grab().save(arquivo));
    EXPECT_GT(QFileInfo(arquivo).size(), 0);
}

TEST(DiretorioPrograma, LosesOneTrailingSeparatorOnly)
{
    const std::pair<const char*, const char*> kCasos[] = {
        {"/opt/trivanto", "/opt/trivanto"},
        {"/opt/trivanto/", "/opt/trivanto"},
        {"/opt/trivanto//", "/opt/trivanto/"},
        {"/", ""},
    };
    for (const auto& [diretorio, esperado] : kCasos)
        EXPECT_EQ(DiretorioSemSeparadorFinal(QString::fromLatin1(diretorio)), QString::fromLatin1(esperado));
}
