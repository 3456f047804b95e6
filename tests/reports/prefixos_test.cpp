// The prefix-blocking report: the walk of the 100 root entries down to four
// digits, with their categories, flowing down columns and across pages that
// repeat the frame; trees that loop or point outside the node pool print a
// finite list.
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
// each ("" for none), in printing order.
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
        impresso.categorias << (i + 1 < textos.size() && !textos[i + 1].bold ? textos[i + 1].text : QString());
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

QStringList Ramos(const QString& base, int de, int ate)
{
    QStringList ramos;
    for (int d = de; d <= ate; ++d)
        ramos << base + QString::number(d);
    return ramos;
}

QStringList Vezes(int n, const char* texto)
{
    QStringList lista;
    for (int i = 0; i < n; ++i)
        lista << texto;
    return lista;
}

TEST(BloqueioPrefixos, TemplatePrintsEveryRootEntryWalkedToFourDigits)
{
    const auto imagem = ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {12});
    const Impresso impresso = LePrefixos(log);
    QStringList prefixos = Ramos("00", 0, 9) + Ramos("0", 1, 7) + Ramos("080", 0, 9) + Ramos("08", 1, 9)
                           + QStringList{"09"};
    for (int r = 10; r <= 99; ++r)
        prefixos << QString::number(r);
    EXPECT_EQ(impresso.prefixos.size(), 127);
    EXPECT_EQ(impresso.prefixos, prefixos);
    EXPECT_EQ(impresso.categorias, Vezes(10, "DDI") + Vezes(7 + 10 + 9 + 1, "DDD") + Vezes(90, "LOC"));
    EXPECT_EQ(log.pages, 1);
}

// A table built from a list that splits 12 down to seven digits: 1234 has
// decisions on its fifth digit, so it is listed without a category.
TEST(BloqueioPrefixos, PrefixesOfFiveToSevenDigitsListAsTheirFourDigitPrefix)
{
    std::vector<std::string> lista = {"0-0-0", "11-0-0", "13-0-0", "14-0-0", "15-0-0", "16-0-0", "17-0-0",
                                      "18-0-0", "19-0-0", "2-0-0", "3-0-0", "4-0-0", "5-0-0", "6-0-0",
                                      "7-0-0", "8-0-0", "9-0-0", "10-0-0"};
    for (int d = 0; d <= 9; ++d) {
        if (d != 3)
            lista.push_back("12" + std::to_string(d) + "-1-0");
        if (d != 4)
            lista.push_back("123" + std::to_string(d) + "-2-0");
        if (d != 5)
            lista.push_back("1234" + std::to_string(d) + "-3-0");
        if (d != 6)
            lista.push_back("12345" + std::to_string(d) + "-4-0");
        lista.push_back("123456" + std::to_string(d) + (d % 2 ? "-1-0" : "-3-0"));
    }
    const auto arvore = MontaArvorePrefixos(lista);
    ASSERT_TRUE(arvore.has_value());
    auto imagem = ImagemDoModelo();
    GravaArvorePrefixos(imagem.data(), *arvore);
    const Impresso impresso = LePrefixos(Imprime(imagem.data(), {12}));
    QStringList sob12;
    QStringList categorias;
    for (qsizetype i = 0; i < impresso.prefixos.size(); ++i)
        if (impresso.prefixos[i].startsWith("12")) {
            sob12 << impresso.prefixos[i];
            categorias << impresso.categorias[i];
        }
    EXPECT_EQ(sob12, Ramos("12", 0, 2) + Ramos("123", 0, 9) + Ramos("12", 4, 9));
    EXPECT_EQ(categorias, Vezes(3, "REG") + Vezes(4, "DDD") + QStringList{""} + Vezes(5, "DDD") + Vezes(6, "REG"));
    for (const QString& prefixo : impresso.prefixos)
        EXPECT_LE(prefixo.size(), 4) << prefixo.toStdString();
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

TEST_P(ArvoresEstranhas, PrintAFiniteListWithinFourDigits)
{
    auto imagem = ImagemDoModelo();
    imagem[ofsPrefixosRaiz + 12] = 0x08;
    GetParam().monta(imagem.data());
    const PrintLog log = Imprime(imagem.data(), {12});
    QStringList sob12;
    for (const QString& prefixo : LePrefixos(log).prefixos) {
        EXPECT_LE(prefixo.size(), 4);
        if (prefixo.startsWith("12"))
            sob12 << prefixo;
    }
    EXPECT_EQ(sob12, GetParam().esperados);
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
     Ramos("12", 0, 4) + Ramos("125", 0, 9) + Ramos("12", 6, 9)},
    {"SevenDigitChainStopsAtFour",
     [](std::uint8_t* img) {
         img[ofsPrefixosRaiz + 12] = 131;
         for (int n = 3; n <= 7; ++n) {
             for (int d = 0; d < 10; ++d)
                 img[OffsetPrefixoNo(n) + d] = n % 2 ? 0x10 : 0x40;
             img[OffsetPrefixoNo(n) + n] = n < 7 ? static_cast<std::uint8_t>(128 + n + 1) : 0x20;
         }
     },
     // Entry n of node n leads one digit deeper; the walk lists 1234 and
     // goes no further.
     Ramos("12", 0, 2) + Ramos("123", 0, 9) + Ramos("12", 4, 9)},
};

INSTANTIATE_TEST_SUITE_P(BloqueioPrefixos, ArvoresEstranhas, ::testing::ValuesIn(kArvores), PrintedName{});

} // namespace
