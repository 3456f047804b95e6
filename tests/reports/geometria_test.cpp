// Every page of every report, over the template and over the widest
// programming, is readable: no text's box (the advance and line height of
// the font it is drawn in) runs into another text's box or a rule, and every
// box lies inside the printable page.
#include "tests/reports/impressao.h"
#include "tests/reports/maislarga.h"
#include "tests/support/casenames.h"

#include <QRect>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Half-open boxes: touching is not running into.
bool Sobrepoe(const QRect& a, const QRect& b)
{
    return a.x() < b.x() + b.width() && b.x() < a.x() + a.width() && a.y() < b.y() + b.height()
           && b.y() < a.y() + a.height();
}

QRect CaixaTexto(const PrintedItem& texto)
{
    return QRect(texto.x, texto.y, texto.width, texto.height);
}

// The band a rule's pen covers.
QRect CaixaRegua(const PrintedItem& linha)
{
    const int meia = linha.penWidth / 2;
    const int x = std::min(linha.x, linha.x2);
    const int y = std::min(linha.y, linha.y2);
    const int largura = std::abs(linha.x2 - linha.x);
    const int altura = std::abs(linha.y2 - linha.y);
    if (altura == 0)
        return QRect(x, y - meia, largura, linha.penWidth);
    return QRect(x - meia, y, linha.penWidth, altura);
}

QString Descreve(const PrintedItem& item)
{
    if (item.kind == PrintedItem::Line)
        return QStringLiteral("rule (%1,%2)-(%3,%4)").arg(item.x).arg(item.y).arg(item.x2).arg(item.y2);
    return QStringLiteral("\"%1\" at (%2,%3) size %4").arg(item.text).arg(item.x).arg(item.y).arg(item.fontSize);
}

// What breaks the page rule, one line per fault.
QStringList Colisoes(const PrintLog& log)
{
    const QRect pagina(0, 0, kLarguraTeste, kAlturaTeste);
    QStringList faltas;
    for (int numero = 1; numero <= log.pages; ++numero) {
        std::vector<PrintedItem> textos;
        std::vector<PrintedItem> reguas;
        for (const PrintedItem& item : log.items) {
            if (item.page != numero)
                continue;
            if (item.kind == PrintedItem::Text && !item.text.trimmed().isEmpty())
                textos.push_back(item);
            else if (item.kind == PrintedItem::Line)
                reguas.push_back(item);
        }
        for (size_t i = 0; i < textos.size(); ++i) {
            const QRect caixa = CaixaTexto(textos[i]);
            const QString onde = QStringLiteral("page %1: ").arg(numero) + Descreve(textos[i]);
            if (!pagina.contains(caixa))
                faltas << onde + " leaves the page";
            for (size_t j = i + 1; j < textos.size(); ++j)
                if (Sobrepoe(caixa, CaixaTexto(textos[j])))
                    faltas << onde + " runs into " + Descreve(textos[j]);
            for (const PrintedItem& regua : reguas)
                if (Sobrepoe(caixa, CaixaRegua(regua)))
                    faltas << onde + " is struck by " + Descreve(regua);
        }
    }
    return faltas;
}

struct CasoGeometria {
    int relatorio;
    bool maisLarga;
};

void PrintTo(const CasoGeometria& caso, std::ostream* os)
{
    *os << "report " << caso.relatorio << (caso.maisLarga ? " widest" : " template");
}

class PaginaLegivel : public ::testing::TestWithParam<CasoGeometria> {};

TEST_P(PaginaLegivel, NoTextRunsIntoAnotherOrARuleAndAllStayOnThePage)
{
    const auto imagem = GetParam().maisLarga ? ImagemMaisLarga() : ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {GetParam().relatorio});
    ASSERT_GT(log.Texts().size(), 2u);
    const QStringList faltas = Colisoes(log);
    EXPECT_TRUE(faltas.isEmpty()) << faltas.size() << " faults:\n" << faltas.mid(0, 20).join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Relatorios, PaginaLegivel, ::testing::ValuesIn(CasosDosRelatorios<CasoGeometria>()),
                         PrintedName{});

// The check itself: two texts on one spot, a text on a rule and a text past
// the page's edge are each reported, naming the texts.
TEST(PaginaLegivel, TheCheckNamesWhatCollides)
{
    PrintLog log;
    TRecordingPrinter impressora(log, kLarguraTeste, kAlturaTeste);
    impressora.BeginDoc();
    impressora.Font.Size = 10;
    impressora.TextOut(100, 100, QStringLiteral("RAMAL"));
    impressora.TextOut(120, 110, QStringLiteral("NOME"));
    impressora.TextOut(1000, 1000, QStringLiteral("sozinho"));
    impressora.Pen.Width = 4;
    impressora.MoveTo(900, 1020);
    impressora.LineTo(2000, 1020);
    impressora.TextOut(kLarguraTeste - 10, 3000, QStringLiteral("fora"));
    impressora.TextOut(100, 4000, QStringLiteral(" "));
    impressora.TextOut(100, 4000, QStringLiteral("sob o branco"));
    impressora.EndDoc();
    const QStringList faltas = Colisoes(log);
    ASSERT_EQ(faltas.size(), 3) << faltas.join('\n').toStdString();
    EXPECT_TRUE(faltas[0].contains("\"RAMAL\"") && faltas[0].contains("\"NOME\"")) << faltas[0].toStdString();
    EXPECT_TRUE(faltas[1].contains("\"sozinho\"") && faltas[1].contains("rule")) << faltas[1].toStdString();
    EXPECT_TRUE(faltas[2].contains("\"fora\"") && faltas[2].contains("leaves the page")) << faltas[2].toStdString();
}

} // namespace
