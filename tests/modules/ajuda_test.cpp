// Help: a request is recorded, shown by a viewer when there is one, and
// otherwise the user is told plainly that help is not available.
#include "modules/modulo.h"
#include "platform/help.h"
#include "tests/support/scripted.h"

#include <gtest/gtest.h>

namespace {

std::vector<HelpRequest> vistos;

bool VisualizadorDeTeste(const HelpRequest& pedido)
{
    vistos.push_back(pedido);
    return true;
}

TEST(Ajuda, SemVisualizadorAvisaQueAAjudaNaoEstaDisponivel)
{
    ClearHelpRequests();
    ScriptedBoxes boxes;
    Application->HelpFile.clear();
    AbreAjuda(1000);
    ASSERT_EQ(HelpRequests().size(), 1u);
    EXPECT_EQ(HelpRequests()[0].file, "TRIVANTO.HLP");
    EXPECT_EQ(HelpRequests()[0].context, 1000);
    EXPECT_EQ(Application->HelpFile, "TRIVANTO.HLP");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Informação");
    EXPECT_EQ(boxes.calls[0].flags, kCaixaInformacao);
    EXPECT_TRUE(boxes.calls[0].text.startsWith("A ajuda não está disponível"));
    EXPECT_TRUE(boxes.calls[0].text.contains("TRIVANTO.HLP"));
}

TEST(Ajuda, UmVisualizadorInstaladoAbreOTopicoSemAviso)
{
    ClearHelpRequests();
    vistos.clear();
    ScriptedBoxes boxes;
    SetHelpViewer(&VisualizadorDeTeste);
    AbreAjuda(1400, kArquivoAjudaDigital);
    SetHelpViewer(nullptr);
    EXPECT_TRUE(boxes.calls.empty());
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].file, "DIGITAL.HLP");
    EXPECT_EQ(vistos[0].context, 1400);
    EXPECT_EQ(HelpRequests().size(), 1u);
}

} // namespace
