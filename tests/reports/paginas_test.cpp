// Every report of the template and of the widest programming printed to PDF
// and drawn as pictures in the build folder (screenshots/relatorios), for a
// person to look at the pages.
#include "platform/printer.h"
#include "reports/relatorios.h"
#include "tests/reports/impressao.h"
#include "tests/reports/maislarga.h"
#include "tests/support/casenames.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

TSelecaoRelatorios Todos()
{
    TSelecaoRelatorios selecao{};
    for (int n : kNumerosRelatorios)
        selecao[static_cast<size_t>(n)] = true;
    return selecao;
}

// Draws every page of the PDF as <prefixo>-NN.png; the number of pages drawn.
int DesenhaPaginas(const QString& pdf, const QString& prefixo)
{
    const QFileInfo info(prefixo);
    QDir pasta(info.path());
    pasta.mkpath(QStringLiteral("."));
    for (const QString& velho : pasta.entryList({info.fileName() + "-*.png"}))
        pasta.remove(velho);
    QProcess processo;
    processo.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"), pdf,
                                                prefixo});
    if (!processo.waitForFinished(-1) || processo.exitCode() != 0)
        return 0;
    return static_cast<int>(pasta.entryList({info.fileName() + "-*.png"}).size());
}

struct CasoDesenho {
    const char* nome;
    std::vector<std::uint8_t> (*imagem)();
};

void PrintTo(const CasoDesenho& caso, std::ostream* os)
{
    *os << caso.nome;
}

class PaginasDesenhadas : public ::testing::TestWithParam<CasoDesenho> {};

TEST_P(PaginasDesenhadas, EveryReportGoesToThePdfAndIsDrawn)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString pdf = pasta.filePath(QStringLiteral("relatorios.pdf"));
    const auto imagem = GetParam().imagem();
    {
        auto impressora = CreatePdfPrinter(pdf);
        ImprimeRelatorios(*impressora, imagem.data(), kArquivoTeste, Todos(), kDataTeste);
    }
    const QString prefixo = QStringLiteral(TRIVANTO_TEST_OUT "/relatorios/") + GetParam().nome;
    EXPECT_GE(DesenhaPaginas(pdf, prefixo), 16);
}

INSTANTIATE_TEST_SUITE_P(Relatorios, PaginasDesenhadas,
                         ::testing::Values(CasoDesenho{"modelo", ImagemDoModelo}, CasoDesenho{"largo", ImagemMaisLarga}),
                         PrintedName{});

} // namespace
