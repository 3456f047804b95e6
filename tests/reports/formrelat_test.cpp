// The report dialog as the user works it: boxes ticked with the mouse,
// buttons clicked or reached by their accelerators, the hourglass while
// printing, and the "Erro" box, really shown and answered, when nothing can
// be printed.
#include "platform/help.h"
#include "platform/printer.h"
#include "platform/recordingprinter.h"
#include "reports/formrelat.h"
#include "state/registro.h"
#include "tests/modules/imagemteste.h"
#include "tests/reports/impressao.h"
#include "tests/support/casenames.h"
#include "tests/support/scripted.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>

namespace {

struct Caixa {
    const char* nome;
    const char* legenda;
};

const Caixa kCaixas[] = {
    {"CB1", "Categoria dos ramais"},      {"CB2", "Plano de numeração"},
    {"CB3", "Configuração das vias"},     {"CB4", "Agenda geral"},
    {"CB6", "Grupos de ramais"},          {"CB7", "Grupos chefe-secretária"},
    {"CB8", "Temporizações"},             {"CB9", "Emergência externa"},
    {"CB10", "Atendedores dos porteiros"}, {"CB11", "Programações diversas"},
    {"CB12", "Bloqueio de prefixos"},     {"CB14", "Serviços automáticos"},
    {"CB15", "Código particular"},        {"CB17", "Agenda individual dos ramais"},
};

// Answers the next message box as a person does: once it is on the screen,
// reads it and clicks its button. Checks again at every turn of the box's
// own event loop.
class RespondeCaixa {
public:
    RespondeCaixa()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caixa || !caixa->isVisible())
                return;
            timer_.stop();
            texto = caixa->text();
            titulo = caixa->windowTitle();
            icone = caixa->icon();
            QAbstractButton* botao = caixa->buttons().value(0);
            QTest::mouseClick(botao, Qt::LeftButton);
        });
        timer_.start(5);
    }

    QString texto;
    QString titulo;
    std::optional<QMessageBox::Icon> icone;

private:
    QTimer timer_;
};

class DialogoRelatorios : public ::testing::Test {
protected:
    void SetUp() override
    {
        imagem = ImagemDoModelo();
        Imagem = imagem.data();
        ArquivoAtual = QStringLiteral("/dados/loja.pbx");
        qunsetenv("TRIVANTO_IMPRESSORA");
        SetPrinterFactory([this] {
            cursorAoImprimir = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                               : Qt::ArrowCursor;
            return std::make_unique<TRecordingPrinter>(log, kLarguraTeste, kAlturaTeste);
        });
    }

    void TearDown() override
    {
        SetPrinterFactory({});
        SetDefaultPrinterLookup(nullptr);
        Imagem = nullptr;
        ArquivoAtual.clear();
    }

    // Opens the dialog through the command's entry and acts in it as the
    // active window. A dialog the acts leave open is cancelled afterwards
    // (and counted as not closed), so that a test never hangs.
    void Abre(std::function<void(QWidget*)> acao)
    {
        ModalScript modal;
        fechou = false;
        modal.Then([&](QWidget* w) {
            w->activateWindow();
            QCoreApplication::processEvents();
            acao(w);
            QCoreApplication::processEvents();
            fechou = !w->isVisible();
            if (!fechou)
                static_cast<QDialog*>(w)->done(mrCancel);
        });
        MostraFormRelat();
    }

    static void Clica(QWidget* w, const char* nome)
    {
        QWidget* controle = Find<QWidget>(w, nome);
        ASSERT_NE(controle, nullptr) << nome;
        QTest::mouseClick(controle, Qt::LeftButton, {}, QPoint(8, controle->height() / 2));
    }

    QStringList TitulosImpressos() const
    {
        QStringList titulos;
        for (int pagina = 1; pagina <= log.pages && log.begun; ++pagina)
            titulos << log.TextsOnPage(pagina).at(1).text.section(QStringLiteral("   "), 0, 0);
        return titulos;
    }

    std::vector<std::uint8_t> imagem;
    PrintLog log;
    Qt::CursorShape cursorAoImprimir = Qt::ArrowCursor;
    bool fechou = false;
};

TEST_F(DialogoRelatorios, OpensWithEveryReportTicked)
{
    Abre([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Relatório das programações"));
        EXPECT_EQ(Find<QGroupBox>(w, "GroupBox1")->title(), QString::fromUtf8("&Programações"));
        for (const Caixa& caixa : kCaixas) {
            auto* box = Find<QCheckBox>(w, caixa.nome);
            ASSERT_NE(box, nullptr) << caixa.nome;
            EXPECT_EQ(box->text(), QString::fromUtf8(caixa.legenda));
            EXPECT_TRUE(box->isChecked()) << caixa.nome;
        }
        EXPECT_EQ(Find<QPushButton>(w, "OkButton")->text(), "O&k");
        EXPECT_EQ(Find<QPushButton>(w, "CancButton")->text(), "&Cancela");
        EXPECT_EQ(Find<QPushButton>(w, "ApButton")->text(), QString::fromUtf8("&Inverte seleção"));
        EXPECT_EQ(Find<QPushButton>(w, "HelpBitBtn")->text(), "&Ajuda");
        QDir().mkpath(TRIVANTO_TEST_OUT);
        EXPECT_TRUE(w->grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/formrelat.png")));
        Clica(w, "CancButton");
    });
    EXPECT_TRUE(fechou);
    EXPECT_EQ(log.begun, 0);
}

TEST_F(DialogoRelatorios, InvertThenOkPrintsNothingAndCloses)
{
    Abre([](QWidget* w) {
        Clica(w, "ApButton");
        for (const Caixa& caixa : kCaixas)
            EXPECT_FALSE(Find<QCheckBox>(w, caixa.nome)->isChecked()) << caixa.nome;
        Clica(w, "OkButton");
    });
    EXPECT_TRUE(fechou);
    EXPECT_EQ(log.begun, 0);
}

TEST_F(DialogoRelatorios, AcceleratorsInvertAndPrint)
{
    Abre([](QWidget* w) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
        EXPECT_FALSE(Find<QCheckBox>(w, "CB9")->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
        EXPECT_TRUE(Find<QCheckBox>(w, "CB9")->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::AltModifier);
    });
    EXPECT_TRUE(fechou);
    EXPECT_EQ(log.begun, 1);
    EXPECT_EQ(log.pages, 16);
}

TEST_F(DialogoRelatorios, OkPrintsTheTickedReportsInOneDocumentUnderTheHourglass)
{
    Abre([](QWidget* w) {
        Clica(w, "CB4");
        Clica(w, "CB12");
        EXPECT_FALSE(Find<QCheckBox>(w, "CB4")->isChecked());
        Clica(w, "OkButton");
    });
    EXPECT_TRUE(fechou);
    EXPECT_EQ(log.begun, 1);
    EXPECT_EQ(log.ended, 1);
    EXPECT_EQ(TitulosImpressos(),
              (QStringList{"CATEGORIA DOS RAMAIS", "PLANO DE NUMERAÇÃO", "CONFIGURAÇÃO DAS VIAS", "GRUPOS DE RAMAIS",
                           "GRUPOS CHEFE-SECRETÁRIA", "TEMPORIZAÇÕES", "EMERGENCIA EXTERNA", "ATENDEDOR DE PORTEIRO",
                           "PROGRAMAÇÕES DIVERSAS", "NOTURNO AUTOMÁTICO", "ATUAÇÃO EXTERNA", "CODIGOS PARTICULARES",
                           "AGENDA INDIVIDUAL"}));
    EXPECT_EQ(log.TextsOnPage(1).at(1).text, QString::fromUtf8("CATEGORIA DOS RAMAIS   /dados/loja.pbx"));
    EXPECT_EQ(cursorAoImprimir, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// One box ticked after inverting: the pages that report prints.
struct CasoSozinho {
    const char* caixa;
    QStringList titulos;
};

void PrintTo(const CasoSozinho& caso, std::ostream* os)
{
    *os << caso.caixa;
}

class Sozinho : public DialogoRelatorios, public ::testing::WithParamInterface<CasoSozinho> {};

TEST_P(Sozinho, PrintsOnlyThatReport)
{
    Abre([](QWidget* w) {
        Clica(w, "ApButton");
        Clica(w, GetParam().caixa);
        Clica(w, "OkButton");
    });
    EXPECT_EQ(TitulosImpressos(), GetParam().titulos);
}

INSTANTIATE_TEST_SUITE_P(
    Relatorios, Sozinho,
    ::testing::Values(CasoSozinho{"CB14", {"NOTURNO AUTOMÁTICO", "ATUAÇÃO EXTERNA"}},
                      CasoSozinho{"CB4", {"AGENDA GERAL (Pag. 1)", "AGENDA GERAL (Pag. 2)"}},
                      CasoSozinho{"CB15", {"CODIGOS PARTICULARES"}}, CasoSozinho{"CB17", {"AGENDA INDIVIDUAL"}}),
    PrintedName{});

TEST_F(DialogoRelatorios, CancelAndEscPrintNothing)
{
    for (bool esc : {false, true}) {
        Abre([esc](QWidget* w) {
            if (esc)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else
                Clica(w, "CancButton");
        });
        EXPECT_TRUE(fechou) << esc;
    }
    EXPECT_EQ(log.begun, 0);
}

TEST_F(DialogoRelatorios, HelpAsksForContext4800)
{
    ClearHelpRequests();
    RespondeCaixa caixa; // no help viewer here: the box says so
    Abre([](QWidget* w) {
        Clica(w, "HelpBitBtn");
        Clica(w, "CancButton");
    });
    ASSERT_FALSE(HelpRequests().empty());
    EXPECT_EQ(HelpRequests().back().context, 4800);
}

QString SemImpressora()
{
    return QString();
}

// A printer that cannot print: the "Erro" box says why, and the dialog stays
// open with the choice made.
struct CasoErro {
    const char* nome;
    std::function<void()> prepara;
    QString texto;
};

void PrintTo(const CasoErro& caso, std::ostream* os)
{
    *os << caso.nome;
}

class ErroImpressora : public DialogoRelatorios, public ::testing::WithParamInterface<CasoErro> {};

TEST_P(ErroImpressora, ErroBoxWithTheReasonAndTheDialogStaysOpen)
{
    SetPrinterFactory({});
    GetParam().prepara();
    RespondeCaixa caixa;
    bool abertaDepois = false;
    bool escolhaMantida = false;
    Abre([&](QWidget* w) {
        Clica(w, "CB1");
        Clica(w, "OkButton");
        QCoreApplication::processEvents();
        abertaDepois = w->isVisible();
        escolhaMantida = !Find<QCheckBox>(w, "CB1")->isChecked() && Find<QCheckBox>(w, "CB2")->isChecked();
        Clica(w, "CancButton");
    });
    EXPECT_EQ(caixa.titulo, "Erro");
    EXPECT_EQ(caixa.texto, GetParam().texto);
    EXPECT_EQ(caixa.icone, QMessageBox::Critical);
    EXPECT_TRUE(abertaDepois);
    EXPECT_TRUE(escolhaMantida);
    EXPECT_TRUE(fechou);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    qunsetenv("TRIVANTO_IMPRESSORA");
}

INSTANTIATE_TEST_SUITE_P(
    Relatorios, ErroImpressora,
    ::testing::Values(
        CasoErro{"NoDefaultPrinter", [] { SetDefaultPrinterLookup(&SemImpressora); },
                 QString::fromUtf8("Nenhuma impressora padrão está instalada.")},
        CasoErro{"PdfInAFolderThatDoesNotExist",
                 [] { qputenv("TRIVANTO_IMPRESSORA", "/nao/existe/relatorio.pdf"); },
                 QString::fromUtf8("Não foi possível gravar o arquivo \"/nao/existe/relatorio.pdf\".")}),
    PrintedName{});

} // namespace
