#include "tests/support/casenames.h"
#include "tests/support/scripted.h"
#include "tests/users/pastausuarios.h"
#include "users/acesso.h"
#include "users/senhausdlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>

namespace {

// Types a text in the login dialog and presses "&Ok".
std::function<void(QWidget*)> Digita(const QString& texto)
{
    return [texto](QWidget* w) {
        auto* senha = Find<QLineEdit>(w, "Password");
        ASSERT_NE(senha, nullptr);
        EXPECT_TRUE(senha->text().isEmpty()) << "the dialog opens empty";
        senha->setText(texto);
        Click(w, "Button2");
    };
}

class Login : public PastaUsuarios {
protected:
    void SetUp() override
    {
        PastaUsuarios::SetUp();
        GravaUsuarios({
            {1, "Ana", "abc", paBasicas},
            {2, "Bia", "XyZ", paRamal},
            {3, "Cid", "abc", paGerais},
            {4, "Dan", "\xE7\xE3o1", paUsuarios}, // "ção1"
            {5, "Eva", "", paGerais | paRamal},
        });
    }
};

// The typed password shows as "*", whatever the style's own character.
TEST_F(Login, TypedPasswordShowsAsStars)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/login_senha.png");
    ScriptedBoxes boxes;
    ModalScript modal;
    modal.Then([&](QWidget* w) {
        auto* senha = Find<QLineEdit>(w, "Password");
        ASSERT_NE(senha, nullptr);
        input::Type(QStringLiteral("abc"), senha);
        EXPECT_EQ(senha->displayText(), "***");
        EXPECT_TRUE(w->grab().save(arquivo)) << arquivo.toStdString();
        Click(w, "Button2");
    });
    EXPECT_TRUE(ValidaSenhaUsuario());
    EXPECT_TRUE(boxes.calls.empty());
}

struct CasoSenha {
    const char* digitada; // UTF-8
    bool aceita;
    TPermissoesAcesso direitos;
};

void PrintTo(const CasoSenha& caso, std::ostream* os)
{
    *os << '"' << caso.digitada << "\" " << (caso.aceita ? "accepted" : "refused");
}

class LoginSenha : public Login, public ::testing::WithParamInterface<CasoSenha> {};

TEST_P(LoginSenha, OneTry)
{
    ScriptedBoxes boxes;
    ModalScript modal;
    modal.Then(Digita(QString::fromUtf8(GetParam().digitada)));
    EXPECT_EQ(ValidaSenhaUsuario(), GetParam().aceita);
    if (GetParam().aceita) {
        EXPECT_EQ(DireitosUsuario, GetParam().direitos);
        EXPECT_TRUE(boxes.calls.empty());
    } else {
        // The second try is cancelled by the script: the program ends silently.
        EXPECT_EQ(boxes.Texts(), QStringList{"Acesso não autorizado."});
        EXPECT_EQ(modal.shown.size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(Typed, LoginSenha, ::testing::Values(
    CasoSenha{"ABC", true, paBasicas},        // the first of two users with it
    CasoSenha{"aBc", true, paBasicas},
    CasoSenha{"xyz", true, paRamal},
    CasoSenha{"quintalvo", true, kTodosDireitos},
    CasoSenha{"QUINTALVO", true, kTodosDireitos},
    CasoSenha{"ção1", true, paUsuarios},
    CasoSenha{"çãO1", true, paUsuarios},
    CasoSenha{"ÇÃO1", false, 0},               // only a..z become capitals
    CasoSenha{" abc", false, 0},               // nothing is trimmed
    CasoSenha{"abcabcabc", false, 0},
    CasoSenha{"", false, 0}), PrintedName{});                 // an empty password is no user's

TEST_F(Login, ThreeWrongTriesEndTheProgram)
{
    ScriptedBoxes boxes;
    ModalScript modal;
    modal.Then(Digita("x")).Then(Digita("y")).Then(Digita("z"));
    EXPECT_FALSE(ValidaSenhaUsuario());
    ASSERT_EQ(boxes.calls.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes.calls[i].text, "Acesso não autorizado.");
        EXPECT_EQ(boxes.calls[i].caption, "Erro");
        EXPECT_EQ(boxes.calls[i].flags, MB_ICONSTOP);
    }
    EXPECT_EQ(boxes.calls[3].text, "Programa será finalizado.");
    EXPECT_EQ(boxes.calls[3].caption, "Informação");
    EXPECT_EQ(boxes.calls[3].flags, MB_ICONINFORMATION);
    EXPECT_EQ(modal.shown, (std::vector<QString>(3, "Senha do usuário")));
}

TEST_F(Login, TheThirdTryMayStillSucceed)
{
    ScriptedBoxes boxes;
    ModalScript modal;
    modal.Then(Digita("x")).Then(Digita("y")).Then(Digita("xYz"));
    EXPECT_TRUE(ValidaSenhaUsuario());
    EXPECT_EQ(DireitosUsuario, paRamal);
    EXPECT_EQ(boxes.calls.size(), 2u);
}

TEST_F(Login, CancelEndsSilentlyAndEnterClosesNothing)
{
    ScriptedBoxes boxes;
    ModalScript modal;
    modal.Then([](QWidget* w) {
        auto* senha = Find<QLineEdit>(w, "Password");
        senha->setText("abc");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(senha, &enter);
        QCoreApplication::processEvents();
        EXPECT_TRUE(w->isVisible());
        Click(w, "Button1");
    });
    EXPECT_FALSE(ValidaSenhaUsuario());
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(modal.shown.size(), 1u);
}

int DialogosDeSenha()
{
    int quantos = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        quantos += qobject_cast<TSenhaUsDlg*>(w) != nullptr;
    return quantos;
}

// The login shows the dialog made at start-up and keeps it; without one it
// makes its own and frees it afterwards.
TEST_F(Login, KeepsTheStartUpDialogAndFreesOnlyItsOwn)
{
    for (const bool comInicial : {true, false}) {
        std::unique_ptr<TSenhaUsDlg> inicial;
        if (comInicial)
            inicial = std::make_unique<TSenhaUsDlg>();
        SenhaUsDlg = inicial.get();
        QWidget* mostrado = nullptr;
        ModalScript modal;
        modal.Then([&mostrado](QWidget* w) {
            mostrado = w;
            Digita("abc")(w);
        });
        EXPECT_TRUE(ValidaSenhaUsuario());
        EXPECT_EQ(SenhaUsDlg, inicial.get());
        if (comInicial) {
            EXPECT_EQ(mostrado, inicial.get());
        }
        EXPECT_EQ(DialogosDeSenha(), comInicial ? 1 : 0);
        SenhaUsDlg = nullptr;
    }
}

struct CasoSemPergunta {
    const char* nome;
    std::vector<UsuarioTeste> usuarios; // empty: no users file at all
};

void PrintTo(const CasoSemPergunta& caso, std::ostream* os)
{
    *os << caso.nome;
}

class LoginSemPergunta : public PastaUsuarios, public ::testing::WithParamInterface<CasoSemPergunta> {};

TEST_P(LoginSemPergunta, GrantsEveryRightWithoutTheDialog)
{
    if (!GetParam().usuarios.empty())
        GravaUsuarios(GetParam().usuarios);
    ScriptedBoxes boxes;
    ModalScript modal;
    EXPECT_TRUE(ValidaSenhaUsuario());
    EXPECT_EQ(DireitosUsuario, kTodosDireitos);
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_TRUE(boxes.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, LoginSemPergunta, ::testing::Values(
    CasoSemPergunta{"NoFile", {}},
    CasoSemPergunta{"NoPasswords", {{1, "Ana", "", paBasicas}, {2, "Bia", "", 0}}}),
    [](const auto& caso) { return std::string(caso.param.nome); });

struct CasoAcesso {
    TPermissoesAcesso direitos;
    int nivel;
    bool permitido;
};

void PrintTo(const CasoAcesso& caso, std::ostream* os)
{
    *os << "rights 0x" << std::hex << caso.direitos << std::dec << " level "
        << (caso.nivel < 0 ? "minus" : "") << std::abs(caso.nivel);
}

class Acesso : public ::testing::TestWithParam<CasoAcesso> {};

TEST_P(Acesso, ChecksTheLevelsRightOrRefusesWithStop)
{
    DireitosUsuario = GetParam().direitos;
    ScriptedBoxes boxes;
    EXPECT_EQ(TemAcesso(GetParam().nivel), GetParam().permitido);
    if (GetParam().permitido) {
        EXPECT_TRUE(boxes.calls.empty());
    } else {
        ASSERT_EQ(boxes.calls.size(), 1u);
        EXPECT_EQ(boxes.calls[0].text, "Acesso negado");
        EXPECT_EQ(boxes.calls[0].caption, "PARE");
        EXPECT_EQ(boxes.calls[0].flags, MB_ICONSTOP);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, Acesso, ::testing::Values(
    CasoAcesso{kTodosDireitos, 0, false},
    CasoAcesso{kTodosDireitos, 5, false},
    CasoAcesso{kTodosDireitos, -1, false},
    CasoAcesso{kTodosDireitos, 1, true},
    CasoAcesso{kTodosDireitos, 4, true},
    CasoAcesso{paBasicas, 1, true},
    CasoAcesso{paBasicas, 2, false},
    CasoAcesso{paRamal, 2, true},
    CasoAcesso{paGerais, 3, true},
    CasoAcesso{paGerais, 4, false},
    CasoAcesso{paUsuarios, 4, true},
    CasoAcesso{paUsuarios, 1, false},
    CasoAcesso{0, 1, false}), PrintedName{});

} // namespace
