// The single-instance guard: a second copy of the program brings the first
// one forward and stops without touching any file.
#include "shell/biblioteca.h"
#include "shell/formconfsys.h"
#include "shell/inicio.h"
#include "shell/instancia.h"
#include "shell/propabx.h"
#include "state/registro.h"
#include "tests/shell/principal_fixture.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Names, sizes and modification times of a folder's files.
QStringList Retrato(const QString& pasta)
{
    QStringList retrato;
    for (const QFileInfo& info : QDir(pasta).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        retrato << QStringLiteral("%1 %2 %3")
                       .arg(info.fileName())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    return retrato;
}

// Reads the process's standard error until it holds the text.
bool EsperaSaida(QProcess& processo, QByteArray& lido, const QByteArray& texto, int milissegundos)
{
    QElapsedTimer tempo;
    tempo.start();
    while (!lido.contains(texto) && tempo.elapsed() < milissegundos) {
        processo.waitForReadyRead(100);
        lido += processo.readAllStandardError();
        if (processo.state() == QProcess::NotRunning)
            break;
    }
    lido += processo.readAllStandardError();
    return lido.contains(texto);
}

// A program folder of its own: the program, the library and the template.
bool CopiaPrograma(const QString& destino)
{
    for (const char* nome : {"trivanto", "libprtrivan.so", "PADRAO.PBX"}) {
        const QString origem = QStringLiteral(TRIVANTO_BIN_DIR "/") + QString::fromLatin1(nome);
        const QString copia = destino + QLatin1Char('/') + QString::fromLatin1(nome);
        if (!QFile::copy(origem, copia) || !QFile::setPermissions(copia, QFile::permissions(origem)))
            return false;
    }
    return true;
}

bool ComOutraInstancia(const QString&, QWidget*)
{
    return true;
}

} // namespace

TEST(Instancia, SecondProgramBringsTheFirstForwardAndStopsWithoutTouchingFiles)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    ASSERT_TRUE(CopiaPrograma(pasta.path()));
    // A copy the user runs holds the program's own instance name; the test's
    // copies use a name of their own and neither sees the other.
    qunsetenv("TRIVANTO_INSTANCIA");
    QLockFile usuario(QDir::tempPath() + QLatin1Char('/') + NomeInstancia(QStringLiteral("Programador Trivanto I e Ferinox 1.6 (Out/02)"))
                      + QStringLiteral(".lock"));
    const bool usuarioAtivo = usuario.tryLock(0);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("TRIVANTO_INSTANCIA"), pasta.path());
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    ambiente.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("trivanto.instancia.info=true"));
    const QString programa = pasta.filePath(QStringLiteral("trivanto"));

    QProcess primeiro;
    primeiro.setProcessEnvironment(ambiente);
    primeiro.setWorkingDirectory(pasta.path());
    primeiro.start(programa, {});
    QByteArray saidaPrimeiro;
    ASSERT_TRUE(EsperaSaida(primeiro, saidaPrimeiro, "escutando em", 10000)) << saidaPrimeiro.toStdString();
    const QStringList antes = Retrato(pasta.path());

    QProcess segundo;
    segundo.setProcessEnvironment(ambiente);
    segundo.setWorkingDirectory(pasta.path());
    segundo.start(programa, {});
    ASSERT_TRUE(segundo.waitForFinished(10000));
    EXPECT_EQ(segundo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(segundo.exitCode(), 0);
    const QByteArray saidaSegundo = segundo.readAllStandardError();
    EXPECT_FALSE(saidaSegundo.contains("escutando")) << saidaSegundo.toStdString();
    EXPECT_FALSE(saidaSegundo.contains("libprtrivan")) << saidaSegundo.toStdString(); // stopped before loading
    EXPECT_EQ(Retrato(pasta.path()), antes);

    EXPECT_TRUE(EsperaSaida(primeiro, saidaPrimeiro, "trazida para a frente", 5000)) << saidaPrimeiro.toStdString();
    EXPECT_EQ(primeiro.state(), QProcess::Running);
    // Each entry the library lacks is reported once.
    const std::array<TEntradaModulo, kTotalEntradas>& reais = EntradasReais();
    for (int e = 0; e < kTotalEntradas; ++e) {
        const QByteArray aviso = QByteArray("a entrada ") + kNomesEntradas[e] + " não existe";
        EXPECT_EQ(saidaPrimeiro.count(aviso), reais[static_cast<size_t>(e)] ? 0 : 1) << kNomesEntradas[e];
    }
    primeiro.kill();
    primeiro.waitForFinished(5000);
    if (usuarioAtivo) {
        EXPECT_TRUE(usuario.isLocked()); // the user's copy was left alone
    }
}

TEST(Instancia, AnotherInstanceStopsTheStartBeforeAnythingElse)
{
    GuardaInstancia = &ComOutraInstancia;
    DiretorioPrograma = QStringLiteral("/antes");
    {
        TJanelasPrograma janelas;
        EXPECT_FALSE(CriaJanelasPrograma(janelas));
        EXPECT_TRUE(janelas.principal->OutraInstancia());
        EXPECT_EQ(janelas.transferencia, nullptr);
        EXPECT_EQ(janelas.configuracao, nullptr);
        EXPECT_EQ(janelas.senha, nullptr);
        EXPECT_EQ(DiretorioPrograma, "/antes");
        EXPECT_EQ(Imagem, nullptr);
    }
    GuardaInstancia = &OutraInstanciaAtiva;
}
