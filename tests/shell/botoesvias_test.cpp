// The main window's trunk buttons and trunk command open the trunk window of
// the loaded library at their trunk.
#include "image/vias.h"
#include "tests/support/input.h"
#include "tests/shell/principal_fixture.h"
#include "tests/support/scripted.h"

#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class BotoesViasTest : public JanelaPrincipalTest {
protected:
    // Runs `abre` with the trunk window's acts queued: the trunk it shows is
    // recorded, "Limite de cifras" clicked and the window confirmed.
    QString AbreEConfirma(const std::function<void()>& abre)
    {
        QString mostrada;
        ModalScript modal;
        modal.Then([&](QWidget* form) {
            mostrada = Find<QLineEdit>(form, "Edit1")->text();
            Click(form, "CheckBox2");
            Click(form, "OkButton");
            QTimer::singleShot(0, form, [form] {
                if (form->isVisible())
                    static_cast<QDialog*>(form)->done(2);
            });
        });
        abre();
        EXPECT_EQ(modal.shown, std::vector<QString>{QString::fromUtf8("Configuração das vias ")});
        return mostrada;
    }
};

TEST_F(BotoesViasTest, CadaBotaoAbreSuaVia)
{
    TFormPrinc& j = Abre();
    ItensDisponiveis[ipConfiguracaoVias - 1] = 1;
    j.AtualizaMenus();
    for (int via = 1; via <= kVias; ++via) {
        SCOPED_TRACE(via);
        QToolButton* botao = j.BotoesVias[static_cast<size_t>(via - 1)];
        ASSERT_TRUE(botao->isEnabled());
        const std::uint8_t antes = Imagem[OffsetVia(via)];
        const QString mostrada = AbreEConfirma([&] { input::Click(botao); });
        EXPECT_EQ(mostrada, botao->text());
        EXPECT_EQ(Imagem[OffsetVia(via)], antes ^ 0x08);
        EXPECT_EQ(ItensAlterados[ipConfiguracaoVias - 1], 1);
    }
}

TEST_F(BotoesViasTest, ComandoDoMenuAbreAViaUm)
{
    TFormPrinc& j = Abre();
    ItensDisponiveis[ipConfiguracaoVias - 1] = 1;
    j.AtualizaMenus();
    QAction* comando = AcaoMenu(j, {QString::fromUtf8("&Programações"), QString::fromUtf8("Programações &básicas do PABX"),
                                    QString::fromUtf8("Configuração das &vias")});
    ASSERT_NE(comando, nullptr);
    ASSERT_TRUE(comando->isEnabled());
    const std::uint8_t antes = Imagem[OffsetVia(1)];
    EXPECT_EQ(AbreEConfirma([&] { comando->trigger(); }), "01");
    EXPECT_EQ(Imagem[OffsetVia(1)], antes ^ 0x08);
}

} // namespace
