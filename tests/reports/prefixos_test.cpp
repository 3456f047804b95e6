// The prefix-blocking report: the prefixes the table reads as, with their
// categories, flowing down columns and across pages that repeat the frame;
// trees that loop or point outside the node pool print a finite list.
#include "image/layout.h"
#include "image/prefixos.h"
#include "tests/modules/imagemteste.h"
#include "tests/reports/impressao.h"
#include "tests/support/casenames.h"

#include <QSet>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// The prefixes printed (bold, font 12) and the category printed beside
// each, in printing order.
struct Impresso {
    QStringList prefixos;
    QStringList categorias;
};

Impresso LePrefixos(const PrintLog& log)
{
    Impresso impresso;
    const auto textos = log.Texts();
    for (size_t i = 0; i < textos.size(); ++i) {
        if (!textos[i].bold)
            continue;
        impresso.prefixos << textos[i].text;
        impresso.categorias << (i + 1 < textos.size() ? textos[i + 1].text : QString());
    }
    return impresso;
}

// A tree with every root entry a leaf whose category steps through the five,
// and root entries 11..32 each pointing to one of the 22 free nodes whose
// entries step through them too: 78 + 220 prefixes, none folding into
// another.
std::vector<std::uint8_t> ImagemComMuitosPrefixos()
{
    auto imagem = ImagemDoModelo();
    const std::uint8_t categorias[] = {kCategoriaLocal, kCategoriaRegional, kCategoriaDdd, kCategoriaDdi,
                                       kPrefixoBloqueado};
    for (int r = 0; r < 100; ++r)
        imagem[ofsPrefixosRaiz + r] = categorias[r % 5];
    std::fill_n(imagem.begin() + ofsPrefixosNos, 250, 0);
    for (int n = 3; n < 25; ++n) {
        imagem[ofsPrefixosRaiz + 8 + n] = static_cast<std::uint8_t>(kReferenciaNoPrefixo + n);
        for (int d = 0; d < 10; ++d)
            imagem[OffsetPrefixoNo(n) + d] = categorias[(d + n) % 5];
    }
    return imagem;
}

TEST(BloqueioPrefixos, TemplatePrintsTheListTheReaderGivesWithCategories)
{
    const auto imagem = ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {12});
    const Impresso impresso = LePrefixos(log);
    QStringList esperados;
    QStringList categorias;
    const char* const kCodigos[] = {"LOC", "REG", "DDD", "DDI", "BLO"};
    for (const std::string& entrada : CarregaArvorePrefixos(imagem.data())) {
        esperados << QString::fromStdString(std::string(PrefixoDaEntrada(entrada)));
        categorias << kCodigos[CategoriaDaEntrada(entrada) - '0'];
    }
    ASSERT_FALSE(esperados.isEmpty());
    EXPECT_EQ(impresso.prefixos, esperados);
    EXPECT_EQ(impresso.categorias, categorias);
    EXPECT_EQ(log.pages, 1);
}

TEST(BloqueioPrefixos, ManyPrefixesFlowIntoColumnsAndPagesRepeatingTheFrame)
{
    const auto imagem = ImagemComMuitosPrefixos();
    const PrintLog log = Imprime(imagem.data(), {12});
    const Impresso impresso = LePrefixos(log);
    EXPECT_EQ(impresso.prefixos.size(), 78 + 220);
    EXPECT_EQ(log.pages, 2);
    for (int pagina = 1; pagina <= log.pages; ++pagina) {
        const auto textos = log.TextsOnPage(pagina);
        auto tem = [&](const QString& texto) {
            return std::any_of(textos.begin(), textos.end(), [&](const PrintedItem& i) { return i.text == texto; });
        };
        EXPECT_TRUE(tem("BLOQUEIO DE PREFIXOS")) << pagina;
        EXPECT_TRUE(tem("Em que: ")) << pagina;
        EXPECT_TRUE(tem("Bloqueio total do prefixo")) << pagina;
        QSet<int> colunas;
        for (const PrintedItem& item : textos) {
            if (!item.bold)
                continue;
            colunas.insert(item.x);
            EXPECT_LE(item.y + 2 * kLu, 91 * kLu) << "clear of the foot rule: " << item.text.toStdString();
            EXPECT_LE(item.x, 88 * kCu) << item.text.toStdString();
        }
        if (pagina == 1) {
            EXPECT_EQ(colunas.size(), 8);
        }
    }
}

struct CasoArvore {
    const char* nome;
    std::function<void(std::uint8_t*)> monta;
    QStringList esperados; // prefixes under root "12"
};

void PrintTo(const CasoArvore& caso, std::ostream* os)
{
    *os << caso.nome;
}

class ArvoresEstranhas : public ::testing::TestWithParam<CasoArvore> {};

TEST_P(ArvoresEstranhas, PrintAFiniteListWithinSevenDigits)
{
    auto imagem = ImagemDoModelo();
    imagem[ofsPrefixosRaiz + 12] = 0x08;
    GetParam().monta(imagem.data());
    const PrintLog log = Imprime(imagem.data(), {12});
    QStringList sob12;
    for (const QString& prefixo : LePrefixos(log).prefixos) {
        EXPECT_LE(prefixo.size(), 7);
        if (prefixo.startsWith("12"))
            sob12 << prefixo;
    }
    EXPECT_EQ(sob12, GetParam().esperados);
}

QStringList Ramos(const QString& base, int de, int ate)
{
    QStringList ramos;
    for (int d = de; d <= ate; ++d)
        ramos << base + QString::number(d);
    return ramos;
}

const CasoArvore kArvores[] = {
    {"NodeNumberOutsideThePool", [](std::uint8_t* img) { img[ofsPrefixosRaiz + 12] = 0xFF; }, {}},
    {"NodeThatPointsToItself",
     [](std::uint8_t* img) {
         img[ofsPrefixosRaiz + 12] = 131;
         for (int d = 0; d < 10; ++d)
             img[OffsetPrefixoNo(3) + d] = 0x10;
         img[OffsetPrefixoNo(3) + 5] = 131;
     },
     Ramos("12", 0, 4) + Ramos("12", 6, 9)},
    {"SevenDigitChain",
     [](std::uint8_t* img) {
         img[ofsPrefixosRaiz + 12] = 131;
         for (int n = 3; n <= 7; ++n) {
             for (int d = 0; d < 10; ++d)
                 img[OffsetPrefixoNo(n) + d] = n % 2 ? 0x10 : 0x40;
             img[OffsetPrefixoNo(n) + n] = n < 7 ? static_cast<std::uint8_t>(128 + n + 1) : 0x20;
         }
     },
     [] {
         // Entry n of node n leads one digit deeper, down to the seventh.
         QStringList todos;
         std::function<void(const QString&, int)> nivel = [&](const QString& base, int n) {
             for (int d = 0; d < 10; ++d) {
                 const QString prefixo = base + QString::number(d);
                 if (d == n && n < 7)
                     nivel(prefixo, n + 1);
                 else
                     todos << prefixo;
             }
         };
         nivel("12", 3);
         return todos;
     }()},
};

INSTANTIATE_TEST_SUITE_P(BloqueioPrefixos, ArvoresEstranhas, ::testing::ValuesIn(kArvores), PrintedName{});

} // namespace
