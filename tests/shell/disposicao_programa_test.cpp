// Every text fits its control and no two controls overlap, in the program's
// windows as the user reaches them: the main window over a programming file,
// each dialog opened from its menu or tool bar and checked as it is shown,
// and the password dialog of the login.
#include "tests/shell/principal_fixture.h"
#include "tests/support/casenames.h"
#include "tests/support/layoutcheck.h"
#include "tests/support/scripted.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// A click on the tool-bar button of that caption.
void ClicaNaFerramenta(TFormPrinc& j, const char* legenda)
{
    QAction* acao = BotaoFerramenta(j, QString::fromUtf8(legenda));
    ASSERT_NE(acao, nullptr) << legenda;
    QTest::mouseClick(j.ToolBar1->widgetForAction(acao), Qt::LeftButton);
}

// A click on the menu bar's entry of that caption and, when it opens a
// menu, on the item of that caption.
void ClicaNoMenu(TFormPrinc& j, const char* menu, const char* item = nullptr)
{
    QAction* entrada = AcaoMenu(j, {QString::fromUtf8(menu)});
    ASSERT_NE(entrada, nullptr) << menu;
    QTest::mouseClick(j.MainMenu1, Qt::LeftButton, {}, j.MainMenu1->actionGeometry(entrada).center());
    if (!item)
        return;
    QMenu* lista = entrada->menu();
    ASSERT_TRUE(lista && lista->isVisible()) << menu;
    QAction* acao = AcaoDe(lista, QString::fromUtf8(item));
    ASSERT_NE(acao, nullptr) << item;
    QTest::mouseClick(lista, Qt::LeftButton, {}, lista->actionGeometry(acao).center());
}

// Checks the dialog as it is shown, then leaves it by its Cancel button
// (or closes it, where it has none).
std::function<void(QWidget*)> Confere(const QString& nome, QStringList& falhas)
{
    return [nome, &falhas](QWidget* w) {
        falhas << LayoutFaults(nome, w);
        auto* form = qobject_cast<TForm*>(w);
        ASSERT_NE(form, nullptr);
        if (!form->ClickCancelButton())
            form->Close();
    };
}

struct Dialogo {
    const char* nome;
    std::function<void(TFormPrinc&)> abre;
};

void PrintTo(const Dialogo& dialogo, std::ostream* os)
{
    *os << dialogo.nome;
}

class DisposicaoDoPrograma : public JanelaPrincipalTest, public ::testing::WithParamInterface<Dialogo> {
protected:
    TJanelasPrograma janelas;
};

TEST_F(DisposicaoDoPrograma, JanelaPrincipal)
{
    ASSERT_NO_FATAL_FAILURE(IniciaPrograma(janelas, pasta.filePath("PADRAO.PBX")));
    const QStringList falhas = LayoutFaults(QStringLiteral("main window"), janelas.principal.get());
    EXPECT_TRUE(falhas.isEmpty()) << falhas.join(QLatin1Char('\n')).toStdString();
}

TEST_P(DisposicaoDoPrograma, TextosCabemENadaSeSobrepoe)
{
    ASSERT_NO_FATAL_FAILURE(IniciaPrograma(janelas, pasta.filePath("PADRAO.PBX")));
    QStringList falhas;
    ModalScript modal;
    modal.Then(Confere(QString::fromLatin1(GetParam().nome), falhas));
    GetParam().abre(*janelas.principal);
    QCoreApplication::processEvents();
    ASSERT_EQ(modal.shown.size(), 1u) << "the dialog did not open";
    EXPECT_TRUE(falhas.isEmpty()) << falhas.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Dialogos, DisposicaoDoPrograma, ::testing::Values(
    Dialogo{"Configuracao", [](TFormPrinc& j) { ClicaNaFerramenta(j, "Configurar"); }},
    Dialogo{"Recepcao", [](TFormPrinc& j) { ClicaNaFerramenta(j, "Receber"); }},
    Dialogo{"Transmissao", [](TFormPrinc& j) { ClicaNaFerramenta(j, "Transmitir"); }},
    Dialogo{"Relatorios", [](TFormPrinc& j) { ClicaNoMenu(j, " &Relatórios"); }},
    Dialogo{"Usuarios", [](TFormPrinc& j) { ClicaNaFerramenta(j, "Usuários"); }},
    Dialogo{"Sobre", [](TFormPrinc& j) { ClicaNoMenu(j, "A&juda", "&Sobre"); }}),
    PrintedName{});

// With a user registered the program asks for the password first.
TEST_F(JanelaPrincipalTest, DisposicaoDaSenhaDoUsuario)
{
    ASSERT_NO_FATAL_FAILURE(RegistraUmUsuario());
    QStringList falhas;
    ModalScript modal;
    modal.Then(Confere(QStringLiteral("password"), falhas));
    Abre();
    QCoreApplication::processEvents();
    ASSERT_EQ(modal.shown, std::vector<QString>{QString::fromUtf8("Senha do usuário")});
    EXPECT_TRUE(falhas.isEmpty()) << falhas.join(QLatin1Char('\n')).toStdString();
}

} // namespace
