// The reports through the program as the user reaches them: a programming
// file opened from the tool bar, " &Relatórios" clicked on the menu bar, Ok
// in the report dialog, and every report in the PDF file that
// TRIVANTO_IMPRESSORA names. The pages are also drawn as pictures in the
// build folder for a person to look at.
#include "image/layout.h"
#include "platform/printer.h"
#include "shell/inicio.h"
#include "tests/modules/imagemteste.h"
#include "tests/shell/principal_fixture.h"
#include "tests/support/scripted.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The text of a PDF as pdftotext reads it back.
QString TextoDoPdf(const QString& pdf)
{
    QProcess processo;
    processo.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, "-"});
    if (!processo.waitForFinished(-1) || processo.exitCode() != 0)
        return QString();
    return QString::fromUtf8(processo.readAllStandardOutput());
}

// Draws every page as a PNG file <prefixo>-NN.png; the number of files.
int DesenhaPaginas(const QString& pdf, const QString& prefixo)
{
    QDir().mkpath(QFileInfo(prefixo).path());
    QProcess processo;
    processo.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), pdf,
                                                prefixo});
    if (!processo.waitForFinished(-1) || processo.exitCode() != 0)
        return 0;
    const QFileInfo info(prefixo);
    return QDir(info.path()).entryList({info.fileName() + "-*.png"}).size();
}

class RelatoriosDoPrograma : public JanelaPrincipalTest {
protected:
    void TearDown() override
    {
        qunsetenv("TRIVANTO_IMPRESSORA");
        JanelaPrincipalTest::TearDown();
    }
};

TEST_F(RelatoriosDoPrograma, AllFourteenReportsOfTheOpenFileGoToOnePdfInOrder)
{
    auto imagem = ImagemDeTeste();
    const char assinatura[] = "\x09SORVADINE";
    std::copy(assinatura, assinatura + 10, imagem.begin() + ofsAssinatura);
    const QString arquivo = pasta.filePath("cliente.pbx");
    {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(imagem.data()), static_cast<qint64>(imagem.size()));
    }
    const QString pdf = pasta.filePath("relatorios.pdf");
    qputenv("TRIVANTO_IMPRESSORA", pdf.toUtf8());

    TJanelasPrograma janelas;
    ASSERT_NO_FATAL_FAILURE(IniciaPrograma(janelas, arquivo));
    TFormPrinc& j = *janelas.principal;
    ASSERT_TRUE(j.Relatorios1->isEnabled());

    ModalScript modal;
    modal.Then([](QWidget* dialogo) {
        QWidget* ok = Find<QWidget>(dialogo, "OkButton");
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    const QRect lugar = j.MainMenu1->actionGeometry(j.Relatorios1);
    ASSERT_FALSE(lugar.isEmpty());
    QTest::mouseClick(j.MainMenu1, Qt::LeftButton, {}, lugar.center());
    ASSERT_EQ(modal.shown, std::vector<QString>{QString::fromUtf8("Relatório das programações")});

    const QString texto = TextoDoPdf(pdf);
    ASSERT_FALSE(texto.isEmpty()) << "no text read back from " << pdf.toStdString();
    const char* const titulos[] = {
        "CATEGORIA DOS RAMAIS", "PLANO DE NUMERAÇÃO", "CONFIGURAÇÃO DAS VIAS", "AGENDA GERAL (Pag. 1)",
        "AGENDA GERAL (Pag. 2)", "GRUPOS DE RAMAIS", "GRUPOS CHEFE-SECRETÁRIA", "TEMPORIZAÇÕES",
        "EMERGENCIA EXTERNA", "ATENDEDOR DE PORTEIRO", "PROGRAMAÇÕES DIVERSAS", "BLOQUEIO DE PREFIXOS",
        "NOTURNO AUTOMÁTICO", "ATUAÇÃO EXTERNA", "CODIGOS PARTICULARES", "AGENDA INDIVIDUAL",
    };
    qsizetype desde = 0;
    for (const char* titulo : titulos) {
        const qsizetype onde = texto.indexOf(QString::fromUtf8(titulo), desde);
        EXPECT_GE(onde, desde) << titulo;
        if (onde >= 0)
            desde = onde;
    }
    EXPECT_EQ(texto.count(arquivo), 16) << "each page's header names the file";
    EXPECT_TRUE(texto.contains("Sala 4")) << "the numbering plan's names";

    const int paginas = DesenhaPaginas(pdf, QStringLiteral(TRIVANTO_TEST_OUT "/relatorios/pagina"));
    EXPECT_GE(paginas, 16);
}

} // namespace
