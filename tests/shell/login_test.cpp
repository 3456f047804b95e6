// The login at the main window's first activation: a cancelled login ends
// the program, and the login runs only once.
#include "tests/shell/principal_fixture.h"
#include "tests/support/scripted.h"
#include "users/arquivousuarios.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

class LoginTest : public JanelaPrincipalTest {
protected:
    void SetUp() override
    {
        JanelaPrincipalTest::SetUp();
        DiretorioPrograma = pasta.path();
        RegistroUsuarios.fill(0);
        PoeSenhaUsuario(RegistroUsuarios, 1, "ABC");
        PoeDireitosDoUsuario(RegistroUsuarios, 1, 0xFFFF);
        ASSERT_TRUE(GravaRegistroUsuarios());
        RegistroUsuarios.fill(0);
    }
    void TearDown() override
    {
        RegistroUsuarios.fill(0);
        JanelaPrincipalTest::TearDown();
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
