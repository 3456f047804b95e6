// The economy-extensions, carrier time-band and door-phone commands of the
// main window reach the library's real windows once the programming is
// available.
#include "tests/shell/principal_fixture.h"
#include "tests/support/scripted.h"

#include <gtest/gtest.h>

namespace {

struct ComandoJanela {
    const char* submenu;
    const char* legenda;
    const char* janela; // caption of the window it opens
};

const ComandoJanela kComandos[] = {
    {"Programações de &ramal", "Ramais &econômicos", "Temporizações dos ramais econômicos"},
    {"Programações gerais do &PABX", "&Horários para operadoras telefônica", "Horários para operadoras telefônicas"},
    {"Programações gerais do &PABX", "Atendedores dos &porteiros", "Atendedores dos Porteiros"},
};

class ComandosEcoOperPorteiro : public JanelaPrincipalTest {};

TEST_F(ComandosEcoOperPorteiro, HabilitadosAbremASuaJanela)
{
    TFormPrinc& j = Abre();
    ItensDisponiveis.fill(1);
    j.AtualizaMenus();
    for (const ComandoJanela& c : kComandos) {
        SCOPED_TRACE(c.legenda);
        QAction* acao = AcaoMenu(j, {QString::fromUtf8("&Programações"), QString::fromUtf8(c.submenu),
                                     QString::fromUtf8(c.legenda)});
        ASSERT_NE(acao, nullptr);
        EXPECT_TRUE(acao->isEnabled());
        ModalScript modal; // no action queued: the window is cancelled
        acao->trigger();
        EXPECT_EQ(modal.shown, std::vector<QString>{QString::fromUtf8(c.janela)});
    }
}

} // namespace
