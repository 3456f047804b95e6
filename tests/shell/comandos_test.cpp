// The main window's commands: each editing command calls its library entry
// with the image and marks its item, behind its access check; the buttons
// pass their captions; the flags decide what is enabled.
#include "image/layout.h"
#include "modules/modulo.h"
#include "platform/help.h"
#include "tests/shell/principal_fixture.h"
#include "tests/support/scripted.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <type_traits>

// Both deliverables must agree on the form of an entry.
static_assert(std::is_same_v<TEntradaModulo, ::TEntradaModulo>);

namespace {

const QString kBasicas = QString::fromUtf8("Programações &básicas do PABX");
const QString kRamal = QString::fromUtf8("Programações de &ramal");
const QString kGerais = QString::fromUtf8("Programações gerais do &PABX");

struct Comando {
    const QString& submenu;
    const char* legenda;
    const char* popup; // null: not in the popup menu
    int ajuda;
    int nivel;
    const char* entrada;
    int item;
};

const Comando kComandos[] = {
    {kBasicas, "&Senhas", "&Senhas", 1500, 1, "SenhaGeral", 7},
    {kBasicas, "Configuração das &vias", nullptr, 300, 1, "ConfiguracaoDasVias", 4},
    {kBasicas, "&Plano de numeração", nullptr, 500, 1, "PlanoDeNumeracao", 3},
    {kBasicas, "Categoria dos &ramais", nullptr, 200, 1, "CategoriaDosRamais", 2},
    {kRamal, "Código &particular", nullptr, 0, 0, "CodigosParticulares", 19},
    {kRamal, "&Grupos de ramais", nullptr, 800, 2, "GruposDeRamais", 8},
    {kRamal, "Grupo c&hefe-secretária", nullptr, 900, 2, "GruposChefeSecretaria", 9},
    {kRamal, "&Ramais com agenda individual", nullptr, 0, 0, "AgendasIndividuais", 24},
    {kRamal, "Programação de &despertador", nullptr, 2300, 2, "CfgDoDespertador", 21},
    {kRamal, "Ramais &econômicos", nullptr, 0, 2, "RamaisEconomicos", 27},
    {kRamal, "Programações &individuais de ramal", nullptr, 0, 0, "ProgramacaoIndividual", 23},
    {kRamal, "Teclas dos terminais &inteligentes", nullptr, 0, 2, "TeclasTerminais", 29},
    {kGerais, "&Calendário", "&Calendário", 100, 0, "Calendario", 1},
    {kGerais, "A&genda geral", "A&genda geral", 700, 3, "AgendaColetiva", 5},
    {kGerais, "Te&mporizações", "Te&mporizações", 1000, 3, "Temporizacoes", 10},
    {kGerais, "&Emergência externa", "Emergência externa", 1600, 3, "EmergenciaExterna", 11},
    {kGerais, "Atendedores dos &porteiros", "Atendedores dos &porteiros", 1100, 3, "AtendedoresDePorteiros", 12},
    {kGerais, "Pr&ogramações diversas", "Pr&ogramações diversas", 1200, 3, "ProgramacoesDiversas", 13},
    {kGerais, "&Bloqueio de prefixos", "&Bloqueio de prefixos", 1400, 3, "BloqueioDePrefixos", 14},
    {kGerais, "&Noturno automático", "&Noturno automático", 1900, 3, "NoturnoAutomatico", 16},
    {kGerais, "&Feriados", "&Feriados", 2000, 3, "Feriados", 15},
    {kGerais, "&Atuação externa", "&Atuação externa", 2100, 3, "AtuacaoExterna", 16},
    {kGerais, "Con&trole atendedor digital", "Con&trole atendedor digital", 600, 2, "ControleAtendedorDigital", 6},
    {kGerais, "&Horários para operadoras telefônica", "&Horários para operadoras telefônica", 0, 3,
     "HorariosOperadoras", 28},
};

constexpr std::uint16_t kDireitoDoNivel[] = {0, 1, 2, 4, 8};

QAction* AcaoMenuDe(TFormPrinc& j, const Comando& c)
{
    return AcaoMenu(j, {QString::fromUtf8("&Programações"), c.submenu, QString::fromUtf8(c.legenda)});
}

class ComandosTest : public JanelaPrincipalTest {
protected:
    TFormPrinc& AbreComTudoDisponivel()
    {
        TFormPrinc& j = Abre();
        UsaEntradasFalsas();
        ItensDisponiveis.fill(1);
        j.AtualizaMenus();
        return j;
    }
    void LimpaMarcas()
    {
        ItensAlterados.fill(0);
        ItensEditados.fill(0);
        ImagemAlterada = false;
        ChamadasFalsas().clear();
    }
};

} // namespace

TEST_F(ComandosTest, EachEditingCommandCallsItsEntryWithTheImageAndMarksItsItem)
{
    TFormPrinc& j = AbreComTudoDisponivel();
    for (const Comando& c : kComandos) {
        SCOPED_TRACE(c.legenda);
        QAction* menu = AcaoMenuDe(j, c);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->property("HelpContext").toInt(), c.ajuda);
        QAction* popup = AcaoDe(j.PopupMenu1, c.popup ? QString::fromUtf8(c.popup) : QString());
        EXPECT_EQ(popup != nullptr, c.popup != nullptr);

        for (QAction* acao : {menu, popup}) {
            if (!acao)
                continue;
            LimpaMarcas();
            ScriptedBoxes boxes;
            acao->trigger();
            ASSERT_EQ(ChamadasFalsas().size(), 1u);
            EXPECT_EQ(ChamadasFalsas()[0].entrada, IndiceEntrada(c.entrada));
            EXPECT_EQ(ChamadasFalsas()[0].imagem, Imagem);
            EXPECT_FALSE(ChamadasFalsas()[0].comTexto);
            EXPECT_TRUE(ImagemAlterada);
            for (int item = 1; item <= 29; ++item) {
                EXPECT_EQ(ItensAlterados[item - 1], item == c.item ? 1 : 0) << item;
                EXPECT_EQ(ItensEditados[item - 1], item == c.item ? 1 : 0) << item;
            }
            EXPECT_TRUE(boxes.calls.empty());
        }
    }
}

TEST_F(ComandosTest, RefusedAccessCallsNothingAndMarksNothing)
{
    TFormPrinc& j = AbreComTudoDisponivel();
    for (const Comando& c : kComandos) {
        if (c.nivel == 0)
            continue;
        SCOPED_TRACE(c.legenda);
        LimpaMarcas();
        DireitosUsuario = static_cast<std::uint16_t>(0xFFFF & ~kDireitoDoNivel[c.nivel]);
        ScriptedBoxes boxes;
        AcaoMenuDe(j, c)->trigger();
        EXPECT_TRUE(ChamadasFalsas().empty());
        EXPECT_FALSE(ImagemAlterada);
        EXPECT_FALSE(AlgumItemMarcado(ItensAlterados));
        ASSERT_EQ(boxes.calls.size(), 1u);
        EXPECT_EQ(boxes.calls[0].text, "Acesso negado");
        EXPECT_EQ(boxes.calls[0].caption, "PARE");
    }
}

TEST_F(ComandosTest, EachItemEnablesExactlyItsOwnCommands)
{
    TFormPrinc& j = Abre();
    UsaEntradasFalsas();
    for (int item = 1; item <= 29; ++item) {
        SCOPED_TRACE(item);
        ItensDisponiveis.fill(0);
        ItensDisponiveis[item - 1] = 1;
        j.AtualizaMenus();
        for (const Comando& c : kComandos) {
            // "&Senhas" is also enabled by item 22.
            const bool esperado = c.item == item || (c.item == 7 && item == 22);
            EXPECT_EQ(AcaoMenuDe(j, c)->isEnabled(), esperado) << c.legenda;
            if (c.popup) {
                EXPECT_EQ(AcaoDe(j.PopupMenu1, QString::fromUtf8(c.popup))->isEnabled(), esperado) << c.legenda;
            }
        }
    }
}

TEST_F(ComandosTest, SaveFollowsItems1To26OnlyAndReportsFollowTheAvailableItems)
{
    MostraRelatorios = [] {};
    TFormPrinc& j = Abre();
    QAction* salvar = AcaoMenu(j, {"&Arquivo", "&Salvar arquivo"});
    QAction* relatorios = AcaoMenu(j, {QString::fromUtf8(" &Relatórios")});
    for (int item = 1; item <= 29; ++item) {
        ItensAlterados.fill(0);
        ItensAlterados[item - 1] = 1;
        ItensDisponiveis.fill(0);
        ItensDisponiveis[item - 1] = 1;
        j.AtualizaMenus();
        EXPECT_EQ(salvar->isEnabled(), item <= 26) << item;
        EXPECT_EQ(BotaoFerramenta(j, "Salvar")->isEnabled(), item <= 26) << item;
        EXPECT_EQ(relatorios->isEnabled(), item <= 26) << item;
    }
}

TEST_F(ComandosTest, MissingEntryLeavesItsCommandDisabled)
{
    TFormPrinc& j = AbreComTudoDisponivel();
    EntradasBiblioteca[ebFeriados] = nullptr;
    EntradasBiblioteca[ebCategoriaDosRamais] = nullptr;
    j.AtualizaMenus();
    EXPECT_FALSE(AcaoMenuDe(j, kComandos[20])->isEnabled());
    EXPECT_FALSE(AcaoDe(j.PopupMenu1, "&Feriados")->isEnabled());
    EXPECT_FALSE(AcaoMenuDe(j, kComandos[3])->isEnabled());
    EXPECT_FALSE(j.BotoesRamais[0]->isEnabled());
    EXPECT_TRUE(AcaoMenuDe(j, kComandos[19])->isEnabled());
}

TEST_F(ComandosTest, PasswordsEnabledOnlyThroughItem22DoNothing)
{
    TFormPrinc& j = Abre();
    UsaEntradasFalsas();
    ItensDisponiveis[ipItem22 - 1] = 1;
    j.AtualizaMenus();
    QAction* senhas = AcaoMenuDe(j, kComandos[0]);
    ASSERT_TRUE(senhas->isEnabled());
    senhas->trigger();
    EXPECT_TRUE(ChamadasFalsas().empty());
    EXPECT_FALSE(ImagemAlterada);
}

TEST_F(ComandosTest, TrunkAndExtensionButtonsPassTheirCaptions)
{
    TFormPrinc& j = AbreComTudoDisponivel();
    GravaU16(Imagem + OffsetPalavraRamal(2), 0x1023); // "231"
    j.AtualizaMenus();
    struct Linha {
        QToolButton* botao;
        const char* entrada;
        const char* texto;
        int item;
    };
    const Linha kLinhas[] = {
        {j.BotoesVias[0], "ConfiguracaoDasVias", "01", 4},
        {j.BotoesVias[3], "ConfiguracaoDasVias", "04", 4},
        {j.BotoesRamais[0], "CategoriaDosRamais", "20", 2},
        {j.BotoesRamais[1], "CategoriaDosRamais", "231", 2},
        {j.BotoesRamais[11], "CategoriaDosRamais", "31", 2},
    };
    for (const Linha& l : kLinhas) {
        SCOPED_TRACE(l.texto);
        LimpaMarcas();
        input::Click(l.botao);
        ASSERT_EQ(ChamadasFalsas().size(), 1u);
        EXPECT_EQ(ChamadasFalsas()[0].entrada, IndiceEntrada(l.entrada));
        EXPECT_EQ(ChamadasFalsas()[0].imagem, Imagem);
        EXPECT_TRUE(ChamadasFalsas()[0].comTexto);
        EXPECT_EQ(ChamadasFalsas()[0].texto, l.texto);
        EXPECT_EQ(ItensAlterados[l.item - 1], 1);
        EXPECT_TRUE(ImagemAlterada);
    }
    EXPECT_EQ(ViaSelecionada, "04");
    EXPECT_EQ(RamalSelecionado, "31");

    LimpaMarcas();
    DireitosUsuario = static_cast<std::uint16_t>(0xFFFF & ~1);
    ScriptedBoxes boxes;
    input::Click(j.BotoesVias[1]);
    input::Click(j.BotoesRamais[1]);
    EXPECT_TRUE(ChamadasFalsas().empty());
    EXPECT_FALSE(ImagemAlterada);
    EXPECT_EQ(boxes.Texts(), (QStringList{"Acesso negado", "Acesso negado"}));
}

// With the real library, an extension button opens the categories window
// on its own extension, and what is confirmed there reaches the program's
// image.
TEST_F(ComandosTest, ExtensionButtonOpensTheCategoriesOfItsExtension)
{
    TFormPrinc& j = Abre();
    ItensDisponiveis.fill(1);
    j.AtualizaMenus();
    ASSERT_TRUE(j.BotoesRamais[3]->isEnabled());
    const int recebeExterna = OffsetCategoria(Area("AcessoDiurno"), 4);
    const std::vector<std::uint8_t> antes(Imagem, Imagem + kTamanhoImagem);
    QString mostrado;
    ModalScript modal;
    modal.Then([&](QWidget* w) {
        mostrado = w->findChild<QLineEdit*>("MaskEdit1")->text().trimmed();
        Click(w, "CheckBox1");
        Click(w, "ButtonOk");
    });
    LimpaMarcas();
    input::Click(j.BotoesRamais[3]);
    EXPECT_EQ(modal.shown, std::vector<QString>{"Categoria dos ramais"});
    EXPECT_EQ(mostrado, "23");
    std::vector<std::uint8_t> esperado = antes;
    esperado[static_cast<size_t>(recebeExterna)] ^= 1;
    EXPECT_TRUE(std::equal(esperado.begin(), esperado.end(), Imagem));
    EXPECT_EQ(ItensAlterados[ipCategoriaRamais - 1], 1);
}

TEST_F(ComandosTest, CancellingARealEditingWindowStillMarksItsItem)
{
    TFormPrinc& j = Abre();
    ItensDisponiveis.fill(1);
    j.AtualizaMenus();
    int executados = 0;
    ScriptedBoxes boxesDaJanela;
    for (const Comando& c : kComandos) {
        if (!EntradasReais()[static_cast<size_t>(IndiceEntrada(c.entrada))])
            continue;
        SCOPED_TRACE(c.legenda);
        LimpaMarcas();
        const std::vector<std::uint8_t> antes(Imagem, Imagem + kTamanhoImagem);
        ModalScript modal; // no action queued: the window is cancelled
        ScriptedBoxes boxes;
        AcaoMenuDe(j, c)->trigger();
        EXPECT_EQ(modal.shown.size(), 1u);
        EXPECT_TRUE(ImagemAlterada);
        EXPECT_EQ(ItensAlterados[c.item - 1], 1);
        EXPECT_EQ(ItensEditados[c.item - 1], 1);
        // Only two windows change the image before Ok: they clear the names
        // of entries without owner or number when shown.
        const std::string entrada = c.entrada;
        if (entrada != "CodigosParticulares" && entrada != "AgendaColetiva") {
            EXPECT_TRUE(std::equal(antes.begin(), antes.end(), Imagem));
        }
        ++executados;
    }
    if (executados == 0)
        GTEST_SKIP() << "the library exports no editing window yet";
}

TEST_F(ComandosTest, Items27To29AloneLeaveSaveDisabledButClosingAsks)
{
    TFormPrinc& j = AbreComTudoDisponivel();
    for (const Comando& c : {kComandos[9], kComandos[23], kComandos[11]})
        AcaoMenuDe(j, c)->trigger();
    EXPECT_TRUE(ImagemAlterada);
    EXPECT_FALSE(AcaoMenu(j, {"&Arquivo", "&Salvar arquivo"})->isEnabled());
    EXPECT_FALSE(BotaoFerramenta(j, "Salvar")->isEnabled());
    {
        ScriptedBoxes boxes({IDCANCEL});
        BotaoFerramenta(j, "Sair")->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("Deseja salvar as programações ?")});
        EXPECT_TRUE(j.isVisible());
        EXPECT_NE(Imagem, nullptr);
    }
    ScriptedBoxes boxes({IDNO});
    AcaoMenu(j, {"&Arquivo", "Sai&r do programa"})->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.calls.size(), 1u);
    EXPECT_FALSE(j.isVisible());
    EXPECT_EQ(Imagem, nullptr); // freed when the window closed
}

TEST_F(ComandosTest, TransferCommandsSetCaptionHelpContextsAndDirection)
{
    TForm transferencia;
    for (const char* nome : {"BitBtn1", "Button1", "Button2"})
        (new TButton(QString::fromLatin1(nome), &transferencia))->setObjectName(QString::fromLatin1(nome));
    FormTransferencia = &transferencia;
    TFormPrinc& j = Abre();
    struct Linha {
        QAction* acao;
        const char* legenda;
        int ajuda;
        int direcao;
    };
    const Linha kLinhas[] = {
        {AcaoMenu(j, {QString::fromUtf8("&Comunicação"), QString::fromUtf8("R&eceber programações")}),
         "Recepção de programações", 4400, 0},
        {BotaoFerramenta(j, "Transmitir"), "Transmissão de programações", 4700, 1},
        {BotaoFerramenta(j, "Receber"), "Recepção de programações", 4400, 0},
    };
    for (const Linha& l : kLinhas) {
        ASSERT_TRUE(l.acao->isEnabled());
        ModalScript modal;
        modal.Then([&](QWidget* w) {
            auto* form = static_cast<TForm*>(w);
            EXPECT_EQ(form->HelpContext, l.ajuda);
            for (TButton* botao : form->findChildren<TButton*>()) {
                EXPECT_EQ(botao->HelpContext, l.ajuda);
                EXPECT_EQ(botao->property("HelpContext").toInt(), l.ajuda);
            }
            EXPECT_EQ(DirecaoTransferencia, l.direcao);
            form->SetModalResult(mrCancel);
        });
        l.acao->trigger();
        EXPECT_EQ(modal.shown, std::vector<QString>{QString::fromUtf8(l.legenda)});
    }
}

TEST_F(ComandosTest, AboutBoxShowsTheVersion)
{
    TFormPrinc& j = Abre();
    ModalScript modal;
    modal.Then([](QWidget* w) {
        EXPECT_EQ(static_cast<TForm*>(w)->HelpContext, 1);
        QStringList textos;
        for (const char* nome : {"ProductName", "Version", "Copyright", "Comments"})
            textos << Find<QLabel>(w, nome)->text();
        EXPECT_EQ(textos, (QStringList{QString::fromUtf8("Programação Trivanto I"),
                                       QString::fromUtf8("Versão 1.6 (14/10/02)"),
                                       "Programador das centrais de PABX", "Trivanto I e Ferinox"}));
        EXPECT_EQ(Find<QAbstractButton>(w, "OKButton")->text(), "O&k");
        Click(w, "OKButton");
    });
    AcaoMenu(j, {"A&juda", "&Sobre"})->trigger();
    EXPECT_EQ(modal.shown, std::vector<QString>{"Sobre "});
    EXPECT_TRUE(modal.actions.empty());
}

TEST_F(ComandosTest, PopupMenuOpensOnTheWindowAndTheToolBar)
{
    TFormPrinc& j = Abre();
    for (QWidget* alvo : {static_cast<QWidget*>(&j), static_cast<QWidget*>(j.ToolBar1)}) {
        QContextMenuEvent evento(QContextMenuEvent::Mouse, QPoint(5, 5), alvo->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(alvo, &evento);
        EXPECT_TRUE(j.PopupMenu1->isVisible()) << alvo->objectName().toStdString();
        j.PopupMenu1->hide();
    }
    QStringList legendas;
    for (QAction* acao : j.PopupMenu1->actions())
        legendas << acao->text();
    QStringList esperadas;
    for (const Comando& c : kComandos)
        if (c.popup)
            esperadas << QString::fromUtf8(c.popup);
    EXPECT_EQ(legendas, esperadas);
}

TEST_F(ComandosTest, OtherCommandsReachTheirWindows)
{
    TFormPrinc& j = Abre();
    {
        ModalScript modal;
        BotaoFerramenta(j, "Configurar")->trigger();
        EXPECT_EQ(modal.shown, std::vector<QString>{QString::fromUtf8("Configuração do sistema")});
    }
    {
        DireitosUsuario = static_cast<std::uint16_t>(0xFFFF & ~8);
        ScriptedBoxes boxes;
        BotaoFerramenta(j, QString::fromUtf8("Usuários"))->trigger();
        EXPECT_EQ(boxes.Texts(), QStringList{"Acesso negado"});
    }
    {
        ClearHelpRequests();
        ScriptedBoxes boxes;
        AcaoMenu(j, {"A&juda", QString::fromUtf8("&Conteúdo")})->trigger();
        ASSERT_EQ(HelpRequests().size(), 1u);
        EXPECT_EQ(HelpRequests()[0].file, "TRIVANTO.HLP");
    }
}

TEST_F(ComandosTest, F1OverAMenuEntryOpensItsTopic)
{
    TFormPrinc& j = Abre();
    QMenu* arquivo = AcaoMenu(j, {"&Arquivo"})->menu();
    arquivo->popup(j.mapToGlobal(QPoint(10, 10)));
    arquivo->setActiveAction(j.UsuariosPrograma1);
    ClearHelpRequests();
    ScriptedBoxes boxes;
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(arquivo, &f1);
    ASSERT_EQ(HelpRequests().size(), 1u);
    EXPECT_EQ(HelpRequests()[0].file, "TRIVANTO.HLP");
    EXPECT_EQ(HelpRequests()[0].context, 4900);
    EXPECT_FALSE(arquivo->isVisible());
}
