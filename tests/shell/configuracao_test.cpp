// The settings file and the link settings dialog.
#include "platform/help.h"
#include "platform/inifiles.h"
#include "shell/formconfsys.h"
#include "state/configuracao.h"
#include "state/registro.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

class Configuracao : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        DiretorioPrograma = dir.path();
        CfgGravar = true;
        CfgIsolados = true;
        CfgTentativas = 0;
    }

    void Grava(const QByteArray& bytes)
    {
        QFile arquivo(ArquivoConfiguracao());
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        arquivo.write(bytes);
    }

    QByteArray Le() const
    {
        QFile arquivo(ArquivoConfiguracao());
        return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
    }

    // Shows the dialog; inside it records which port is selected, then
    // selects `escolhe` (0: leaves it) and presses the button.
    std::optional<int> Mostra(TFormConfSys& dialogo, int escolhe, const char* botao)
    {
        std::optional<int> selecionada;
        ModalScript modal;
        modal.Then([&](QWidget* w) {
            for (int p = 1; p <= 4; ++p)
                if (Find<QRadioButton>(w, QStringLiteral("RadioButton%1").arg(p).toLatin1().constData())->isChecked())
                    selecionada = p;
            if (escolhe) {
                auto* radio = Find<QRadioButton>(w, QStringLiteral("RadioButton%1").arg(escolhe).toLatin1().constData());
                input::Click(radio, QPoint(6, radio->height() / 2)); // on its round box
            }
            Click(w, botao);
        });
        dialogo.ShowModal();
        return selecionada;
    }

    QTemporaryDir dir;
};

TEST_F(Configuracao, WithoutAFileTheDefaultsHoldAndOkCreatesIt)
{
    TFormConfSys dialogo;
    EXPECT_EQ(dialogo.Caption(), QStringLiteral("Configuração do sistema"));
    EXPECT_EQ(dialogo.HelpContext, 4200);
    EXPECT_EQ(Mostra(dialogo, 0, "OkButton"), 2);
    EXPECT_FALSE(CfgGravar);
    EXPECT_FALSE(CfgIsolados);
    EXPECT_EQ(CfgTentativas, 3);
    EXPECT_EQ(Le(), QByteArray("[Serial]\r\nPort=2\r\n"));
}

struct Leitura {
    const char* caso;
    QByteArray arquivo;
    std::optional<int> porta; // radio button selected, none for nullopt
    bool gravar;
    bool isolados;
    int tentativas;
};

void PrintTo(const Leitura& caso, std::ostream* os)
{
    *os << caso.caso;
}

class Leituras : public Configuracao, public ::testing::WithParamInterface<Leitura> {};

TEST_P(Leituras, TheDialogShowsWhatTheFileHolds)
{
    const Leitura& caso = GetParam();
    Grava(caso.arquivo);
    TFormConfSys dialogo;
    EXPECT_EQ(Mostra(dialogo, 0, "OkButton"), caso.porta);
    EXPECT_EQ(CfgGravar, caso.gravar);
    EXPECT_EQ(CfgIsolados, caso.isolados);
    EXPECT_EQ(CfgTentativas, caso.tentativas);
    if (!caso.porta) {
        EXPECT_EQ(Le(), caso.arquivo) << "Ok with no port selected writes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Configuracao, Leituras,
    ::testing::Values(
        Leitura{"Port5", "[Serial]\r\nPort=5\r\n", std::nullopt, false, false, 3},
        Leitura{"Port258", "[Serial]\r\nPort=258\r\n", 2, false, false, 3},
        Leitura{"Tentativas259", "[Blocos]\r\nTentativas=259\r\n", 2, false, false, 3},
        Leitura{"AllSet", "[serial]\nport = 4\n[COMUNICA]\nGRAVAR=1\n[Blocos]\nIsolados=-7\nTentativas=5\n", 4, true,
                true, 5},
        Leitura{"BadValuesGiveDefaults", "[Serial]\nPort=3x\n[Comunica]\nGravar=sim\n[Blocos]\nTentativas=\n", 2,
                false, false, 3},
        Leitura{"CommentedKeyIsNoKey", "[Serial]\n;Port=4\n", 2, false, false, 3},
        Leitura{"KeyOfAnotherSection", "[Outra]\nPort=4\n[Serial]\n", 2, false, false, 3}),
    [](const auto& row) { return std::string(row.param.caso); });

TEST_F(Configuracao, HelpOpensTheDialogsTopic)
{
    ClearHelpRequests();
    ScriptedBoxes boxes;
    TFormConfSys dialogo;
    ModalScript modal;
    modal.Then([](QWidget* w) {
        Click(w, "HelpBitBtn");
        Click(w, "CancButton");
    });
    dialogo.ShowModal();
    ASSERT_EQ(HelpRequests().size(), 1u);
    EXPECT_EQ(HelpRequests()[0].context, 4200);
    EXPECT_EQ(HelpRequests()[0].file, Application->HelpFile);
}

TEST_F(Configuracao, CancelLeavesTheFileAndTheNextShowingRereadsIt)
{
    Grava("[Serial]\r\nPort=3\r\n");
    TFormConfSys dialogo;
    EXPECT_EQ(Mostra(dialogo, 1, "CancButton"), 3);
    EXPECT_EQ(Le(), QByteArray("[Serial]\r\nPort=3\r\n"));
    EXPECT_EQ(Mostra(dialogo, 0, "CancButton"), 3);
}

TEST_F(Configuracao, OkKeepsEveryOtherByteOfTheFile)
{
    struct Caso {
        const char* caso;
        QByteArray antes;
        QByteArray depois;
    };
    const Caso casos[] = {
        {"key replaced",
         "; Trivanto\r\n[Comunica]\r\nGravar=1\r\n\r\n[serial]\r\n  PORT = 1  \r\nBaud=9600\r\n[Blocos]\r\nTentativas=4",
         "; Trivanto\r\n[Comunica]\r\nGravar=1\r\n\r\n[serial]\r\nPORT=4\r\nBaud=9600\r\n[Blocos]\r\nTentativas=4"},
        {"key added to its section", "[Serial]\nBaud=9600\n\n; outros\n[Blocos]\nIsolados=0\n",
         "[Serial]\nBaud=9600\nPort=4\n\n; outros\n[Blocos]\nIsolados=0\n"},
        {"section added", "[Blocos]\r\nIsolados=0", "[Blocos]\r\nIsolados=0\r\n[Serial]\r\nPort=4\r\n"},
        {"key added before a last line without ending", "[Serial]\nBaud=9600\n[Blocos]\nIsolados=0",
         "[Serial]\nBaud=9600\nPort=4\n[Blocos]\nIsolados=0"},
        {"only the first of two keys", "[Serial]\nPort=1\nPort=3\n", "[Serial]\nPort=4\nPort=3\n"},
        {"key added in a file of mixed line endings", "; x\r[Serial]\rBaud=9600\n\n[Blocos]\r",
         "; x\r[Serial]\rBaud=9600\nPort=4\n\n[Blocos]\r"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Grava(caso.antes);
        TFormConfSys dialogo;
        Mostra(dialogo, 4, "OkButton");
        EXPECT_EQ(Le(), caso.depois);
        EXPECT_EQ(LePortaSerial(), 4);
    }
}

TEST_F(Configuracao, AFailedWriteKeepsTheDialogOpenWithAnError)
{
    // A folder in place of the settings file cannot be replaced.
    QDir(dir.path()).mkdir("TRIVANTO.INI");
    TFormConfSys dialogo;
    ScriptedBoxes boxes;
    ModalScript modal;
    bool abertoDepois = false;
    modal.Then([&](QWidget* w) {
        Click(w, "OkButton");
        QCoreApplication::processEvents();
        abertoDepois = w->isVisible();
        Click(w, "CancButton");
    });
    EXPECT_EQ(dialogo.ShowModal(), mrCancel);
    EXPECT_TRUE(abertoDepois);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_TRUE(boxes.calls[0].text.contains("TRIVANTO.INI"));
}

TEST(IniFile, ReadsStringsWithoutRegardToCaseAndQuotes)
{
    QTemporaryDir dir;
    const QString nome = dir.filePath("x.ini");
    QFile arquivo(nome);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("[Geral]\r\nNome = \"Central 1\" \r\nVazio=\r\n");
    arquivo.close();
    const TIniFile ini(nome);
    EXPECT_EQ(ini.ReadString("GERAL", "nome", "?"), "Central 1");
    EXPECT_EQ(ini.ReadString("Geral", "Vazio", "?"), "");
    EXPECT_EQ(ini.ReadString("Geral", "Falta", "?"), "?");
    EXPECT_EQ(TIniFile(dir.filePath("nenhum.ini")).ReadInteger("Geral", "Nome", 7), 7);
}

} // namespace
