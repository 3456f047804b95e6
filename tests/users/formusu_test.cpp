#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/help.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"
#include "tests/users/pastausuarios.h"
#include "users/acesso.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <ostream>

namespace {

TStringGrid* Grade(QWidget* w)
{
    return Find<TStringGrid>(w, "StringGrid1");
}

TEdit* Senha(QWidget* w)
{
    return Find<TEdit>(w, "Edit1");
}

TCheckBox* Caixa(QWidget* w, int i)
{
    return Find<TCheckBox>(w, QStringLiteral("CheckBox%1").arg(i).toLatin1().constData());
}

// Moves to a row of the grid as a click on its name does.
void VaiParaLinha(QWidget* w, int linha)
{
    Grade(w)->SetFocus();
    Grade(w)->FocusCell(1, linha);
}

// Types a password for the current row in Edit1 and leaves it for the grid.
void DigitaSenha(QWidget* w, const QString& senha)
{
    Senha(w)->SetFocus();
    Senha(w)->SetText(senha);
    Grade(w)->SetFocus();
}


class EditorUsuarios : public PastaUsuarios {
protected:
    void SetUp() override
    {
        PastaUsuarios::SetUp();
        GravaUsuarios({
            {1, "ADMIN", "SEGREDO9", paBasicas | paUsuarios},
            {2, "Bia", "outra123", paRamal},
        });
        original = Arquivo();
        DireitosUsuario = kTodosDireitos;
    }

    // Opens the editor through the users command and acts in it.
    void Edita(std::function<void(QWidget*)> acao)
    {
        ModalScript modal;
        modal.Then([acao = std::move(acao)](QWidget* w) {
            ASSERT_TRUE(input::Activate(w));
            acao(w);
            QCoreApplication::processEvents();
            if (w->isVisible()) {
                ADD_FAILURE() << "the editor stayed open";
                Click(w, "CancButton");
            }
        });
        EditaUsuarios();
        ASSERT_EQ(modal.shown, std::vector<QString>{"Usuários do programa"});
    }

    QByteArray original;
};

TEST_F(EditorUsuarios, ShowsTheUsersWithRowOneSelected)
{
    ScriptedBoxes boxes; // help is not available here
    Edita([](QWidget* w) {
        TStringGrid* grade = Grade(w);
        EXPECT_EQ(grade->Cells(0, 0), " CÓDIGO");
        EXPECT_EQ(grade->Cells(1, 0), " NOME DO USUÁRIO");
        EXPECT_EQ(grade->Cells(0, 1), "      01");
        EXPECT_EQ(grade->Cells(0, 10), "      10");
        EXPECT_EQ(grade->Cells(1, 2), "Bia");
        EXPECT_EQ(grade->Cells(1, 3), "");
        EXPECT_EQ(grade->Row(), 1);
        EXPECT_EQ(grade->Col(), 1);
        EXPECT_EQ(grade->ColWidths(1), 228);
        EXPECT_EQ(Senha(w)->Text(), "********");
        EXPECT_TRUE(Caixa(w, 1)->Checked());
        EXPECT_FALSE(Caixa(w, 2)->Checked());
        EXPECT_TRUE(Caixa(w, 4)->Checked());
        VaiParaLinha(w, 3);
        EXPECT_EQ(Senha(w)->Text(), "");
        Senha(w)->SetFocus();
        VaiParaLinha(w, 2);
        Senha(w)->SetFocus();
        EXPECT_EQ(Senha(w)->Text(), "outra123") << "shown in plain text while edited";
        ClearHelpRequests();
        Click(w, "HelpBitBtn");
        ASSERT_EQ(HelpRequests().size(), 1u);
        EXPECT_EQ(HelpRequests()[0].context, 4900);
        Click(w, "CancButton");
    });
    EXPECT_EQ(Arquivo(), original);
}

TEST_F(EditorUsuarios, RefusedWithoutTheRightToTheUsersList)
{
    DireitosUsuario = paBasicas | paRamal | paGerais;
    ScriptedBoxes boxes;
    ModalScript modal;
    EditaUsuarios();
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_EQ(boxes.Texts(), QStringList{"Acesso negado"});
}

struct CasoRecusa {
    const char* nome;
    std::function<void(QWidget*)> muda;
    const char* mensagem;
    int linha;
};

void PrintTo(const CasoRecusa& caso, std::ostream* os)
{
    *os << caso.nome;
}

class RecusaEditor : public EditorUsuarios, public ::testing::WithParamInterface<CasoRecusa> {};

// A refused Ok keeps the window open with the edits, pressed by the mouse and
// then by its accelerator: each press gives one box.
TEST_P(RecusaEditor, OkShowsTheMessageSelectsTheRowAndWritesNothing)
{
    ScriptedBoxes boxes;
    Edita([this](QWidget* w) {
        GetParam().muda(w);
        const std::function<void()> pressOk[] = {[w] { Click(w, "OkButton"); }, [] { input::Accelerator('k'); }};
        for (const auto& press : pressOk) {
            press();
            input::Settle();
            ASSERT_TRUE(w->isVisible());
            EXPECT_EQ(Grade(w)->Row(), GetParam().linha);
            EXPECT_EQ(Grade(w)->Col(), 1);
            EXPECT_TRUE(Grade(w)->hasFocus() || Grade(w)->isAncestorOf(QApplication::focusWidget()));
        }
        Click(w, "CancButton");
    });
    ASSERT_EQ(boxes.calls.size(), 2u);
    for (const MessageBoxCall& call : boxes.calls) {
        EXPECT_EQ(call.text, QString::fromUtf8(GetParam().mensagem));
        EXPECT_EQ(call.caption, "Erro");
        EXPECT_EQ(call.flags, MB_ICONSTOP);
    }
    EXPECT_EQ(Arquivo(), original);
}

const char* const kSemSenha = "Usuário deve ter uma senha definida";
const char* const kSemGerente = "Pelo menos um usuário deve acessar \"Este cadastro de usuários\"";

INSTANTIATE_TEST_SUITE_P(Validation, RecusaEditor, ::testing::Values(
    CasoRecusa{"NewNameWithoutPassword", [](QWidget* w) { Grade(w)->SetCells(1, 4, "Carlos"); }, kSemSenha, 4},
    CasoRecusa{"PasswordOfBlanks",
               [](QWidget* w) { VaiParaLinha(w, 2); DigitaSenha(w, "   "); }, kSemSenha, 2},
    CasoRecusa{"OnlyManagerLosesTheRight",
               [](QWidget* w) { input::Click(Caixa(w, 4)); VaiParaLinha(w, 2); }, kSemGerente, 1},
    CasoRecusa{"ManagerRemovedByName",
               [](QWidget* w) { Grade(w)->SetCells(1, 1, "  "); VaiParaLinha(w, 2); }, kSemGerente, 1}),
    [](const auto& caso) { return std::string(caso.param.nome); });

struct CasoAviso {
    const char* nome;
    std::function<void(QWidget*)> muda;
    bool avisa;
};

void PrintTo(const CasoAviso& caso, std::ostream* os)
{
    *os << caso.nome;
}

class AvisoReinicio : public EditorUsuarios, public ::testing::WithParamInterface<CasoAviso> {};

TEST_P(AvisoReinicio, OnlyAChangedRightAsksForARestart)
{
    ScriptedBoxes boxes;
    Edita([this](QWidget* w) {
        GetParam().muda(w);
        Click(w, "OkButton");
    });
    EXPECT_NE(Arquivo(), QByteArray());
    EXPECT_EQ(LeArquivoUsuarios(), 0);
    if (GetParam().avisa) {
        ASSERT_EQ(boxes.calls.size(), 1u);
        EXPECT_EQ(boxes.calls[0].text,
                  "Para que alterações de acesso tenham efeito é necessário reiniciar o programa.");
        EXPECT_EQ(boxes.calls[0].caption, "Informação");
        EXPECT_EQ(boxes.calls[0].flags, MB_ICONINFORMATION);
    } else {
        EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join("|").toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Changes, AvisoReinicio, ::testing::Values(
    CasoAviso{"Nothing", [](QWidget*) {}, false},
    CasoAviso{"Name", [](QWidget* w) { Grade(w)->SetCells(1, 2, "Beatriz"); }, false},
    CasoAviso{"Password", [](QWidget* w) { VaiParaLinha(w, 2); DigitaSenha(w, "nova"); }, false},
    CasoAviso{"RightOfTheCurrentRow", [](QWidget* w) { input::Click(Caixa(w, 3)); }, true},
    CasoAviso{"RightLeftByMovingOn",
              [](QWidget* w) {
                  VaiParaLinha(w, 2);
                  input::Click(Caixa(w, 1));
                  VaiParaLinha(w, 1);
              },
              true},
    CasoAviso{"UserRemovedAndRevisited",
              [](QWidget* w) {
                  Grade(w)->SetCells(1, 2, "");
                  VaiParaLinha(w, 3);
                  VaiParaLinha(w, 2);
                  EXPECT_EQ(Senha(w)->Text(), "");
                  EXPECT_FALSE(Caixa(w, 2)->Checked());
              },
              true}),
    [](const auto& caso) { return std::string(caso.param.nome); });

TEST_F(EditorUsuarios, OkWritesWhatTheWindowShows)
{
    ScriptedBoxes boxes;
    Edita([](QWidget* w) {
        Grade(w)->SetCells(1, 3, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"); // 36 characters
        VaiParaLinha(w, 3);
        DigitaSenha(w, "Três€");
        Caixa(w, 2)->SetChecked(true);
        Click(w, "OkButton");
    });
    EXPECT_EQ(LeArquivoUsuarios(), 0);
    EXPECT_EQ(NomeUsuario(RegistroUsuarios, 3), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
    EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 3), "Tr\xEAs\x80");
    EXPECT_EQ(DireitosDoUsuario(RegistroUsuarios, 3), paRamal);
    EXPECT_EQ(NomeUsuario(RegistroUsuarios, 1), "ADMIN");
    EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 1), "SEGREDO9");
}

TEST_F(EditorUsuarios, OkByItsAcceleratorTakesTheTextBeingEdited)
{
    Edita([](QWidget* w) {
        VaiParaLinha(w, 2);
        Senha(w)->SetFocus();
        Senha(w)->SetText("tecla");
        input::Accelerator('k');
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(LeArquivoUsuarios(), 0);
    EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 2), "tecla");
}

TEST_F(EditorUsuarios, EditsKeepOnlyCharactersTheFileCanHold)
{
    Edita([](QWidget* w) {
        VaiParaLinha(w, 2);
        Senha(w)->SetFocus();
        Senha(w)->SetText("");
        input::Type(QString::fromUtf8("añ\u0142\u20AC\x01z"));
        EXPECT_EQ(Senha(w)->Text(), QString::fromUtf8("añ€z"));
        Grade(w)->SetFocus();
        Grade(w)->FocusCell(1, 2);
        Grade(w)->ShowEditor();
        ASSERT_NE(Grade(w)->InplaceEditor(), nullptr);
        Grade(w)->InplaceEditor()->SelectAll();
        input::Type(QString::fromUtf8("Zoë\u0142\u4E2Dx"));
        EXPECT_EQ(Grade(w)->Cells(1, 2), QString::fromUtf8("Zoëx"));
        input::Accelerator('k'); // the focus stays in the grid's editor
        input::Settle();
    });
    EXPECT_EQ(LeArquivoUsuarios(), 0);
    EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 2), "a\xF1\x80z");
    EXPECT_EQ(NomeUsuario(RegistroUsuarios, 2), "Zo\xEBx");
}

TEST_F(EditorUsuarios, NoPlainPasswordReachesTheDiskAfterShorteningOrRemoving)
{
    Edita([](QWidget* w) {
        DigitaSenha(w, "AB");                // user 1's "SEGREDO9"
        Grade(w)->SetCells(1, 2, "");        // user 2, "outra123"
        Click(w, "OkButton");
    });
    const QByteArray gravado = Arquivo();
    ASSERT_EQ(gravado.size(), 422);
    for (const char* trecho : {"GREDO9", "EGRED", "outra", "tra123"})
        EXPECT_FALSE(gravado.contains(trecho)) << trecho;
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        const auto nome = static_cast<qsizetype>(kCampoNomes.Slot(k));
        const auto senha = static_cast<qsizetype>(kCampoSenhas.Slot(k));
        EXPECT_EQ(gravado.mid(nome + 1 + gravado[nome], 30 - gravado[nome]), QByteArray(30 - gravado[nome], '\0'));
        EXPECT_EQ(gravado.mid(senha + 1 + gravado[senha], 8 - gravado[senha]), QByteArray(8 - gravado[senha], '\0'));
    }
    EXPECT_EQ(LeArquivoUsuarios(), 0);
    EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 1), "AB");
    EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 2), "");
}

TEST_F(EditorUsuarios, RemovingEveryUserIsAcceptedAndTheNextLoginAsksNothing)
{
    ScriptedBoxes boxes;
    Edita([](QWidget* w) {
        Grade(w)->SetCells(1, 1, "");
        Grade(w)->SetCells(1, 2, " ");
        Click(w, "OkButton");
    });
    EXPECT_EQ(LeArquivoUsuarios(), 0);
    EXPECT_EQ(NomeUsuario(RegistroUsuarios, 2), " ") << "names are kept as typed";
    for (int k = 1; k <= kMaxUsuarios; ++k)
        EXPECT_EQ(SenhaUsuario(RegistroUsuarios, k), "");
    ModalScript modal;
    EXPECT_TRUE(ValidaSenhaUsuario());
    EXPECT_TRUE(modal.shown.empty());
}

TEST_F(EditorUsuarios, CancelAfterChangesWritesNothingAndTheNextOpeningReadsTheFile)
{
    Edita([](QWidget* w) {
        Grade(w)->SetCells(1, 2, "Outro");
        DigitaSenha(w, "x");
        Caixa(w, 2)->SetChecked(true);
        Click(w, "CancButton");
    });
    EXPECT_EQ(Arquivo(), original);
    Edita([](QWidget* w) {
        EXPECT_EQ(Grade(w)->Cells(1, 2), "Bia");
        EXPECT_FALSE(Caixa(w, 2)->Checked());
        Click(w, "CancButton");
    });
}

} // namespace
