// F1 opens the help topic of the window it is pressed in, in the windows of
// the program that have one.
#include "link/formcomun.h"
#include "platform/help.h"
#include "shell/aboutbox.h"
#include "tests/support/casenames.h"
#include "tests/support/scripted.h"
#include "users/formusu.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace {

struct JanelaComAjuda {
    const char* nome;
    std::function<std::unique_ptr<TForm>()> cria;
    int contexto;
};

void PrintTo(const JanelaComAjuda& janela, std::ostream* os)
{
    *os << janela.nome;
}

class TeclaF1 : public ::testing::TestWithParam<JanelaComAjuda> {};

TEST_P(TeclaF1, AbreOTopicoDaJanela)
{
    std::unique_ptr<TForm> janela = GetParam().cria();
    ClearHelpRequests();
    ScriptedBoxes boxes; // no viewer here: the help box says so
    ModalScript modal;
    modal.Then([](QWidget* w) {
        input::Key(Qt::Key_F1);
        input::Settle();
        auto* form = static_cast<TForm*>(w);
        if (!form->ClickCancelButton())
            form->Close();
    });
    janela->ShowModal();
    ASSERT_EQ(HelpRequests().size(), 1u);
    EXPECT_EQ(HelpRequests()[0].context, GetParam().contexto);
    EXPECT_EQ(boxes.calls.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Janelas, TeclaF1, ::testing::Values(
    JanelaComAjuda{"Sobre", [] { return std::make_unique<TAboutBox>(); }, 1},
    JanelaComAjuda{"Comunicacao", [] { return std::make_unique<TFormComun>(); }, 4400},
    JanelaComAjuda{"Usuarios", [] { return std::make_unique<TFormUsu>(); }, 4900}),
    PrintedName{});

} // namespace
