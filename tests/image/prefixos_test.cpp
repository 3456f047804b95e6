// Prefix blocking: the list of prefixes built into the image's digit tree,
// read back, and the local area code.
#include "image/conversao.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "image/prefixos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using Lista = std::vector<std::string>;

// The ten entries one digit longer than `prefixo`, all with the same
// category and carrier.
Lista Filhos(const std::string& prefixo, const std::string& decisao)
{
    Lista filhos;
    for (char d = '0'; d <= '9'; ++d)
        filhos.push_back(prefixo + d + "-" + decisao);
    return filhos;
}

// The list with the entry for `prefixo` replaced by its ten children (same
// decision), and then each child named in `mudancas` given its own decision.
Lista Divide(Lista lista, const std::string& prefixo, const std::map<std::string, std::string>& mudancas = {})
{
    const auto it = std::find_if(lista.begin(), lista.end(),
                                 [&](const std::string& e) { return PrefixoDaEntrada(e) == prefixo; });
    EXPECT_NE(it, lista.end()) << prefixo << " is not listed";
    if (it == lista.end())
        return lista;
    const std::string decisao = it->substr(it->find('-') + 1);
    lista.erase(it);
    for (std::string& filho : Filhos(prefixo, decisao)) {
        const auto mudanca = mudancas.find(std::string(PrefixoDaEntrada(filho)));
        if (mudanca != mudancas.end())
            filho = std::string(PrefixoDaEntrada(filho)) + "-" + mudanca->second;
        lista.push_back(filho);
    }
    std::sort(lista.begin(), lista.end());
    return lista;
}

Lista Ordenada(Lista lista)
{
    std::sort(lista.begin(), lista.end());
    return lista;
}

// The decision bits of an entry, as the exchange should find them.
std::uint8_t Valor(const std::string& entrada)
{
    static const std::uint8_t bits[] = {0x00, 0x08, 0x10, 0x20, 0x40};
    return static_cast<std::uint8_t>(bits[CategoriaDaEntrada(entrada) - '0'] +
                                     std::stoi(std::string(OperadoraDaEntrada(entrada))));
}

// The tree, walked as the exchange walks it for every number beginning with
// `digitos`: true when each leaf reached (mark ignored) holds `valor`.
bool ArvoreDecide(const ArvorePrefixos& arvore, const std::string& digitos, std::uint8_t valor);

bool FolhasIguais(const ArvorePrefixos& arvore, std::uint8_t entrada, std::uint8_t valor, int profundidade)
{
    if (!EhReferenciaNo(entrada))
        return (entrada & ~kMarcaPrefixo) == valor;
    const int no = NoDaReferencia(entrada);
    if (no < 0 || profundidade > kDigitosPrefixoMaximo)
        return false;
    for (int d = 0; d < kEntradasNoPrefixo; ++d)
        if (!FolhasIguais(arvore, arvore.nos[10 * no + d], valor, profundidade + 1))
            return false;
    return true;
}

bool ArvoreDecide(const ArvorePrefixos& arvore, const std::string& digitos, std::uint8_t valor)
{
    if (digitos.size() == 1) {
        for (char d = '0'; d <= '9'; ++d)
            if (!ArvoreDecide(arvore, digitos + d, valor))
                return false;
        return true;
    }
    std::uint8_t entrada = arvore.raiz[10 * (digitos[0] - '0') + (digitos[1] - '0')];
    for (size_t i = 2; i < digitos.size() && EhReferenciaNo(entrada); ++i) {
        const int no = NoDaReferencia(entrada);
        if (no < 0)
            return false;
        entrada = arvore.nos[10 * no + (digitos[i] - '0')];
    }
    return FolhasIguais(arvore, entrada, valor, static_cast<int>(digitos.size()));
}

// A partition: no prefix begins another, and together they cover every
// seven-digit number exactly once.
::testing::AssertionResult EhParticao(const Lista& lista)
{
    long long cobertos = 0;
    for (const std::string& entrada : lista) {
        const std::string_view prefixo = PrefixoDaEntrada(entrada);
        if (prefixo.empty() || prefixo.size() > 7)
            return ::testing::AssertionFailure() << "bad prefix in " << entrada;
        long long parte = 1;
        for (size_t i = prefixo.size(); i < 7; ++i)
            parte *= 10;
        cobertos += parte;
    }
    Lista ordenada = Ordenada(lista);
    for (size_t i = 1; i < ordenada.size(); ++i) {
        const std::string_view anterior = PrefixoDaEntrada(ordenada[i - 1]);
        if (PrefixoDaEntrada(ordenada[i]).substr(0, anterior.size()) == anterior)
            return ::testing::AssertionFailure() << ordenada[i - 1] << " overlaps " << ordenada[i];
    }
    if (cobertos != 10'000'000)
        return ::testing::AssertionFailure() << "the prefixes cover " << cobertos << " of 10000000 numbers";
    return ::testing::AssertionSuccess();
}

// Everything a build must keep for a list that fits: each listed prefix
// decides as listed, "08", "080" and "00" lead through the reserved nodes,
// the tree reads back as a partition with the same decisions, and building
// that again gives the same bytes.
void VerificaConstrucao(const Lista& lista)
{
    ASSERT_TRUE(EhParticao(lista));
    const auto arvore = MontaArvorePrefixos(lista);
    ASSERT_TRUE(arvore.has_value()) << "the list did not fit";
    for (const std::string& entrada : lista)
        EXPECT_TRUE(ArvoreDecide(*arvore, std::string(PrefixoDaEntrada(entrada)), Valor(entrada))) << entrada;
    EXPECT_EQ(arvore->raiz[8], 128);
    EXPECT_EQ(arvore->nos[0], 129);
    EXPECT_EQ(arvore->raiz[0], 130);

    const Lista lida = ListaDaArvore(*arvore);
    EXPECT_EQ(lida, Ordenada(lida));
    ASSERT_TRUE(EhParticao(lida));
    for (const std::string& entrada : lida)
        EXPECT_TRUE(ArvoreDecide(*arvore, std::string(PrefixoDaEntrada(entrada)), Valor(entrada))) << entrada;
    EXPECT_EQ(MontaArvorePrefixos(lida), arvore);
}

ArvorePrefixos ArvorePadrao()
{
    const auto arvore = MontaArvorePrefixos(ListaPrefixosPadrao());
    EXPECT_TRUE(arvore.has_value());
    return arvore.value_or(ArvorePrefixos{});
}

std::uint8_t* No(ArvorePrefixos& arvore, int no) { return arvore.nos.data() + 10 * no; }

// The default list with "1" split into "10".."19", so that the two-digit
// prefixes under 1 can be refined.
Lista PadraoCom1Dividido() { return Divide(ListaPrefixosPadrao(), "1"); }

} // namespace

TEST(PrefixosConstrucao, DefaultListUsesOnlyTheReservedNodesAndReadsBackWhole)
{
    const ArvorePrefixos arvore = ArvorePadrao();
    std::array<std::uint8_t, 100> raiz{};
    raiz.fill(0x00);
    raiz[0] = 130;
    for (int d = 1; d <= 9; ++d)
        raiz[d] = 0x10;
    raiz[8] = 128;
    raiz[90] = 0x01;
    EXPECT_EQ(arvore.raiz, raiz);
    const std::uint8_t no0[] = {129, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10};
    const std::uint8_t no1[] = {0x11, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10};
    const std::uint8_t no2[] = {0x21, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
    EXPECT_TRUE(std::equal(std::begin(no0), std::end(no0), arvore.nos.begin()));
    EXPECT_TRUE(std::equal(std::begin(no1), std::end(no1), arvore.nos.begin() + 10));
    EXPECT_TRUE(std::equal(std::begin(no2), std::end(no2), arvore.nos.begin() + 20));
    EXPECT_TRUE(std::all_of(arvore.nos.begin() + 30, arvore.nos.end(), [](std::uint8_t b) { return b == 0; }));

    EXPECT_EQ(ListaDaArvore(arvore), Ordenada(ListaPrefixosPadrao()));
    EXPECT_EQ(ListaDaArvore(arvore).size(), 19u);
}

// The first entry under a two-digit prefix fills the node it needs.
TEST(PrefixosConstrucao, SplitTwoDigitPrefixNeedsOneNodeFilledByTheFirstEntry)
{
    const Lista lista = Divide(PadraoCom1Dividido(), "12", {{"120", "1-0"}});
    const auto arvore = MontaArvorePrefixos(lista);
    ASSERT_TRUE(arvore);
    EXPECT_EQ(arvore->raiz[12], 131);
    ArvorePrefixos esperada = ArvorePadrao();
    esperada.raiz[12] = 131;
    No(esperada, 3)[0] = 0x08;
    EXPECT_EQ(*arvore, esperada);
    EXPECT_EQ(ListaDaArvore(*arvore), lista);
}

TEST(PrefixosConstrucao, TwoFourDigitPrefixesNeedThreeNodesEachWithItsReference)
{
    Lista lista = Divide(PadraoCom1Dividido(), "12");
    lista = Divide(lista, "123", {{"1234", "1-0"}});
    lista = Divide(lista, "124", {{"1245", "2-0"}});
    const auto arvore = MontaArvorePrefixos(lista);
    ASSERT_TRUE(arvore);
    ArvorePrefixos esperada = ArvorePadrao();
    esperada.raiz[12] = 131;
    No(esperada, 3)[3] = 132;
    No(esperada, 3)[4] = 133;
    No(esperada, 4)[4] = 0x08;
    No(esperada, 5)[5] = 0x10;
    EXPECT_EQ(*arvore, esperada);
    EXPECT_EQ(ListaDaArvore(*arvore), lista);
}

// Lists whose trees carry the faults a careless build makes; each must
// decide as listed and read back the same.
struct CasoLista {
    const char* caso;
    Lista lista;
};

void PrintTo(const CasoLista& caso, std::ostream* os) { *os << caso.caso; }

class PrefixosListas : public ::testing::TestWithParam<CasoLista> {};

TEST_P(PrefixosListas, DecidesAsListedAndReadsBack)
{
    VerificaConstrucao(GetParam().lista);
}

INSTANTIATE_TEST_SUITE_P(Casos, PrefixosListas, ::testing::Values(
    CasoLista{"Padrao", ListaPrefixosPadrao()},
    CasoLista{"UmDigitoCada", {"0-4-0", "1-0-0", "2-1-2", "3-2-4", "4-3-6", "5-4-0", "6-0-0", "7-0-0", "8-0-0", "9-0-0"}},
    // The first entry under two digits equals the initial root value: the
    // next one must not widen over it.
    CasoLista{"PrimeiroIgualAoValorInicial", Divide(PadraoCom1Dividido(), "12", {{"120", "0-2"}})},
    CasoLista{"UltimoDiferente", Divide(PadraoCom1Dividido(), "12", {{"129", "4-0"}})},
    // Below "0800" a node, its reference even (one node allocated under
    // "07" first): the mark must not turn it into another reference.
    CasoLista{"AbaixoDe0800", Divide(Divide(Divide(Divide(ListaPrefixosPadrao(), "07", {{"071", "4-0"}}), "08"), "080"),
                                     "0800", {{"08005", "4-0"}})},
    CasoLista{"080Dividido", Divide(Divide(ListaPrefixosPadrao(), "08"), "080", {{"0803", "0-2"}})},
    CasoLista{"08Dividido", Divide(ListaPrefixosPadrao(), "08", {{"081", "4-0"}})},
    CasoLista{"08SemDivisao", {"0-2-0", "1-0-0", "2-0-0", "3-0-0", "4-0-0", "5-0-0", "6-0-0", "7-0-0", "8-0-0", "9-4-6"}},
    CasoLista{"00Dividido", Divide(ListaPrefixosPadrao(), "00", {{"000", "4-0"}})},
    CasoLista{"00DivididoIgual", Divide(ListaPrefixosPadrao(), "00")},
    CasoLista{"AbaixoDe000", Divide(Divide(ListaPrefixosPadrao(), "00", {{"001", "4-0"}}), "000", {{"0007", "1-0"}})},
    CasoLista{"90Dividido", Divide(Divide(ListaPrefixosPadrao(), "9"), "90", {{"905", "4-0"}})},
    CasoLista{"AbaixoDe90", Divide(Divide(Divide(ListaPrefixosPadrao(), "9"), "90", {{"901", "4-0"}}), "900",
                                   {{"9003", "3-0"}})},
    CasoLista{"SeteDigitos",
              Divide(Divide(Divide(Divide(Divide(PadraoCom1Dividido(), "12"), "123"), "1234"), "12345"), "123456",
                     {{"1234567", "4-0"}})}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// A list needing one node more than the pool's 22: every entry is still
// tried, nothing is built.
TEST(PrefixosConstrucao, TheTwentyThirdNodeOverflows)
{
    const auto precisando = [](int nos) {
        Lista lista = Divide(Divide(Divide(ListaPrefixosPadrao(), "1"), "2"), "3");
        for (int i = 0; i < nos; ++i)
            lista = Divide(lista, std::to_string(10 + i), {{std::to_string(10 + i) + "5", "4-0"}});
        return lista;
    };
    EXPECT_TRUE(MontaArvorePrefixos(precisando(22)).has_value());
    EXPECT_FALSE(MontaArvorePrefixos(precisando(23)).has_value());
}

// Random partitions from a fixed seed: split prefixes at random depths with
// decisions from a small set, so that equal siblings (which read back as
// one shorter prefix) are common.
TEST(PrefixosConstrucao, RandomListsKeepTheirDecisionsThroughBuildAndReadBack)
{
    std::mt19937 gerador(20261210);
    int construidas = 0;
    for (int rodada = 0; rodada < 400; ++rodada) {
        const std::string decisoes[] = {"0-0", "4-0", "1-2", "2-4", "3-6", "0-2"};
        const int variedade = 2 + rodada % 5;
        const auto decisao = [&] {
            return decisoes[std::uniform_int_distribution<int>(0, variedade - 1)(gerador)];
        };
        Lista lista;
        for (char d = '0'; d <= '9'; ++d)
            lista.push_back(std::string(1, d) + "-" + decisao());
        const int divisoes = std::uniform_int_distribution<int>(0, 30)(gerador);
        for (int i = 0; i < divisoes; ++i) {
            const std::string& alvo = lista[std::uniform_int_distribution<size_t>(0, lista.size() - 1)(gerador)];
            const std::string prefixo(PrefixoDaEntrada(alvo));
            if (prefixo.size() >= 7)
                continue;
            std::map<std::string, std::string> mudancas;
            for (char d = '0'; d <= '9'; ++d)
                if (gerador() % 3 == 0)
                    mudancas[prefixo + d] = decisao();
            lista = Divide(lista, prefixo, mudancas);
        }
        SCOPED_TRACE("round " + std::to_string(rodada));
        if (!MontaArvorePrefixos(lista))
            continue;
        ++construidas;
        VerificaConstrucao(lista);
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_GT(construidas, 200);
}

// Trees as an image may hold them, against what they read back as.
struct CasoLeitura {
    const char* caso;
    void (*altera)(ArvorePrefixos&);
    std::vector<std::string> contem;
    std::vector<std::string> naoContem;
};

void PrintTo(const CasoLeitura& caso, std::ostream* os) { *os << caso.caso; }

class PrefixosLeitura : public ::testing::TestWithParam<CasoLeitura> {};

TEST_P(PrefixosLeitura, ReadsBack)
{
    ArvorePrefixos arvore = ArvorePadrao();
    GetParam().altera(arvore);
    const Lista lida = ListaDaArvore(arvore);
    for (const std::string& entrada : GetParam().contem)
        EXPECT_NE(std::find(lida.begin(), lida.end(), entrada), lida.end()) << entrada;
    for (const std::string& prefixo : GetParam().naoContem)
        EXPECT_TRUE(std::none_of(lida.begin(), lida.end(),
                                 [&](const std::string& e) { return PrefixoDaEntrada(e) == prefixo; }))
            << prefixo;
}

INSTANTIATE_TEST_SUITE_P(Casos, PrefixosLeitura, ::testing::Values(
    CasoLeitura{"Padrao", [](ArvorePrefixos&) {}, {"00-3-0", "08-2-0", "09-2-0", "1-0-0", "9-0-0"},
                {"080", "0800", "000", "90"}},
    // Node 1 holds one decision, node 0 does not: one entry for 080.
    CasoLeitura{"So080", [](ArvorePrefixos& a) { No(a, 0)[5] = 0x40; }, {"080-2-0", "085-4-0", "089-2-0"},
                {"08", "0800"}},
    CasoLeitura{"0800Dividido", [](ArvorePrefixos& a) { No(a, 1)[3] = 0x40; },
                {"0800-2-0", "0803-4-0", "081-2-0"}, {"08", "080"}},
    // Entries 1..9 of node 1 with the mark: not one decision.
    CasoLeitura{"0800ComMarcaEmTodas", [](ArvorePrefixos& a) { std::fill_n(No(a, 1), 10, 0x11); },
                {"0800-2-0", "0809-2-0"}, {"08", "080"}},
    CasoLeitura{"00DivididoComMarcas", [](ArvorePrefixos& a) { std::fill_n(No(a, 2), 10, 0x21); },
                {"000-3-0", "005-3-0", "009-3-0"}, {"00"}},
    CasoLeitura{"00DivididoSemMarcas", [](ArvorePrefixos& a) { std::fill_n(No(a, 2), 10, 0x20); }, {"00-3-0"},
                {"000"}},
    CasoLeitura{"Operadoras", [](ArvorePrefixos& a) { a.raiz[35] = 0x16; a.raiz[36] = 0x7F; a.raiz[37] = 0x28; },
                {"35-2-6", "36-4-6", "37-3-0"}, {"3"}},
    // A leaf where a reserved node would be is the decision.
    CasoLeitura{"08Folha", [](ArvorePrefixos& a) { a.raiz[8] = 0x40; }, {"08-4-0"}, {"080", "0800"}},
    CasoLeitura{"080Folha", [](ArvorePrefixos& a) { No(a, 0)[0] = 0x48; }, {"080-4-0", "081-2-0"}, {"08", "0800"}},
    CasoLeitura{"00Folha", [](ArvorePrefixos& a) { a.raiz[0] = 0x40; }, {"00-4-0"}, {"000"}},
    // A reference in entry 0 of node 1 is no leaf to fold.
    CasoLeitura{"0800Referencia",
                [](ArvorePrefixos& a) {
                    No(a, 1)[0] = 131;
                    std::fill_n(No(a, 1) + 1, 9, 0x02);
                    std::fill_n(No(a, 3), 10, 0x40);
                },
                {"08000-4-0", "08009-4-0", "0801-0-2"}, {"0800", "080", "08"}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// Trees no build writes: the walk ends and lists only well-formed entries,
// each prefix once, none nested in another, never more than any table could
// hold back.
struct CasoArvoreRuim {
    const char* caso;
    void (*altera)(ArvorePrefixos&);
    std::vector<std::string> naoContem;
};

void PrintTo(const CasoArvoreRuim& caso, std::ostream* os) { *os << caso.caso; }

class PrefixosArvoreRuim : public ::testing::TestWithParam<CasoArvoreRuim> {};

TEST_P(PrefixosArvoreRuim, WalkStops)
{
    ArvorePrefixos arvore = ArvorePadrao();
    GetParam().altera(arvore);
    const Lista lida = ListaDaArvore(arvore);
    EXPECT_LE(lida.size(), 10000u);
    for (const std::string& entrada : lida) {
        const std::string_view prefixo = PrefixoDaEntrada(entrada);
        EXPECT_TRUE(prefixo.size() >= 1 && prefixo.size() <= 7) << entrada;
        EXPECT_TRUE(CategoriaDaEntrada(entrada) >= '0' && CategoriaDaEntrada(entrada) <= '4') << entrada;
        const std::string_view operadora = OperadoraDaEntrada(entrada);
        EXPECT_TRUE(operadora == "0" || operadora == "2" || operadora == "4" || operadora == "6") << entrada;
        for (const std::string& prefixoRuim : GetParam().naoContem)
            EXPECT_NE(prefixo.substr(0, prefixoRuim.size()), prefixoRuim) << entrada;
    }
    for (size_t i = 1; i < lida.size(); ++i) {
        const std::string_view anterior = PrefixoDaEntrada(lida[i - 1]);
        EXPECT_NE(PrefixoDaEntrada(lida[i]).substr(0, anterior.size()), anterior) << lida[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, PrefixosArvoreRuim, ::testing::Values(
    CasoArvoreRuim{"NoApontaParaSi", [](ArvorePrefixos& a) { a.raiz[55] = 131; std::fill_n(No(a, 3), 10, 131); },
                   {"55"}},
    CasoArvoreRuim{"CicloDeDoisNos",
                   [](ArvorePrefixos& a) {
                       a.raiz[55] = 131;
                       std::fill_n(No(a, 3), 10, 132);
                       std::fill_n(No(a, 4), 10, 131);
                   },
                   {"55"}},
    CasoArvoreRuim{"ReferenciaForaDosNos", [](ArvorePrefixos& a) { a.raiz[55] = 153; a.raiz[56] = 0xFF; },
                   {"55", "56"}},
    CasoArvoreRuim{"ReferenciaForaDentroDoNo", [](ArvorePrefixos& a) { No(a, 2)[4] = 0xC0; }, {"004"}},
    CasoArvoreRuim{"CadeiaAlemDeSeteDigitos",
                   [](ArvorePrefixos& a) {
                       a.raiz[55] = 131;
                       for (int no = 3; no < 24; ++no)
                           std::fill_n(No(a, no), 10, static_cast<std::uint8_t>(129 + no));
                   },
                   {"5500000"}},
    CasoArvoreRuim{"NoCompartilhadoPorTodos",
                   [](ArvorePrefixos& a) {
                       a.raiz.fill(131);
                       std::fill_n(No(a, 3), 10, 132);
                       std::fill_n(No(a, 4), 10, 0x40);
                   },
                   {}},
    CasoArvoreRuim{"CadeiasCompartilhadasAteOSetimoDigito",
                   [](ArvorePrefixos& a) {
                       a.raiz.fill(131);
                       for (int no = 3; no < 9; ++no)
                           std::fill_n(No(a, no), 10, static_cast<std::uint8_t>(129 + no));
                   },
                   {}},
    CasoArvoreRuim{"TudoReferencia", [](ArvorePrefixos& a) { a.raiz.fill(0x80); a.nos.fill(0x80); }, {}},
    CasoArvoreRuim{"TudoFF", [](ArvorePrefixos& a) { a.raiz.fill(0xFF); a.nos.fill(0xFF); }, {"0", "5"}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// A node reached from two entries is legal: both prefixes list all its
// decisions, one under each, the second as the first.
TEST(PrefixosLeitura, SharedNodeListsUnderEveryPrefix)
{
    ArvorePrefixos arvore = ArvorePadrao();
    arvore.raiz[55] = 131;
    arvore.raiz[57] = 131;
    std::fill_n(No(arvore, 3), 10, static_cast<std::uint8_t>(0x02));
    No(arvore, 3)[4] = 0x43;
    const Lista lida = ListaDaArvore(arvore);
    std::map<std::string, std::vector<std::string>> sob;
    for (const std::string& entrada : lida)
        for (const char* prefixo : {"55", "56", "57"})
            if (entrada.rfind(prefixo, 0) == 0)
                sob[prefixo].push_back(entrada.substr(2));
    ASSERT_EQ(sob["55"].size(), 10u);
    EXPECT_EQ(sob["57"], sob["55"]);
    EXPECT_NE(sob["55"][4], sob["55"][3]);
    EXPECT_EQ(sob["56"].size(), 1u) << "56 stays one prefix";
}

TEST(PrefixosLeitura, ReadsTheImageAreas)
{
    std::vector<std::uint8_t> imagem(kTamanhoImagem, 0xEE);
    const ArvorePrefixos arvore = ArvorePadrao();
    GravaArvorePrefixos(imagem.data(), arvore);
    EXPECT_EQ(imagem[3479], 0xEE);
    EXPECT_EQ(imagem[3480], 130);
    EXPECT_EQ(imagem[3580], 129);
    EXPECT_EQ(imagem[3829], 0);
    EXPECT_EQ(imagem[3830], 0xEE);
    EXPECT_EQ(LeArvorePrefixos(imagem.data()), arvore);
    EXPECT_EQ(CarregaArvorePrefixos(imagem.data()), Ordenada(ListaPrefixosPadrao()));
}

// The area code: the edit's text to the stored word and back.
struct CasoDdd {
    const char* texto;
    bool valido;
    std::uint16_t palavra; // byte 3479 high, 3478 low
    const char* digitos;   // shown after the fixed "0"
};

class PrefixosDdd : public ::testing::TestWithParam<CasoDdd> {};

TEST_P(PrefixosDdd, EditTextToWordAndBack)
{
    const CasoDdd& caso = GetParam();
    const auto palavra = LeCodigoDdd(caso.texto);
    ASSERT_EQ(palavra.has_value(), caso.valido);
    if (!caso.valido)
        return;
    EXPECT_EQ(*palavra, caso.palavra);
    EXPECT_EQ(CodigoDddParaTexto(*palavra), caso.digitos);
}

INSTANTIATE_TEST_SUITE_P(Casos, PrefixosDdd, ::testing::Values(
    CasoDdd{" 0", true, 0xFFFF, ""},
    CasoDdd{" 0   ", true, 0xFFFF, ""},
    CasoDdd{"", true, 0xFFFF, ""},
    CasoDdd{" 011", true, 0x11FF, "11"},
    CasoDdd{" 0123", true, 0x123F, "123"},
    CasoDdd{" 010", true, 0x1AFF, "10"},
    CasoDdd{" 0100", true, 0x1AAF, "100"},
    CasoDdd{" 01  ", false, 0, ""},
    CasoDdd{" 09", false, 0, ""}));

TEST(PrefixosDdd, StoredWordsShowTheirDigits)
{
    const std::pair<std::uint16_t, const char*> casos[] = {
        {0x1234, "1234"}, {0xF123, ""}, {0x1F23, "1"}, {0x10FF, "1"}, {0xAAFF, "00"}, {0x0000, ""}, {0xB1FF, "1"},
    };
    for (const auto& [palavra, digitos] : casos)
        EXPECT_EQ(CodigoDddParaTexto(palavra), digitos) << std::hex << palavra;
}

TEST(PrefixosDdd, BlankBetweenDigitsIsNoNumber)
{
    EXPECT_THROW(LeCodigoDdd(" 01 3"), EConvertError);
    EXPECT_THROW(LeCodigoDdd(" 0 3"), EConvertError);
}

// What Ok writes: both checks passed, or nothing at all.
TEST(PrefixosGravacao, WritesTheTreeAndTheCodeOnlyWhenBothPass)
{
    std::vector<std::uint8_t> original(kTamanhoImagem);
    for (int i = 0; i < kTamanhoImagem; ++i)
        original[i] = static_cast<std::uint8_t>(i * 7 + 3);
    Lista cheia = Divide(Divide(Divide(ListaPrefixosPadrao(), "1"), "2"), "3");
    for (int i = 10; i < 33; ++i)
        cheia = Divide(cheia, std::to_string(i), {{std::to_string(i) + "5", "4-0"}});

    auto imagem = original;
    EXPECT_EQ(ConstroiArvorePrefixos(cheia, " 011", imagem.data()), TResultadoPrefixos::ExcessoDePrefixos);
    EXPECT_EQ(imagem, original);
    EXPECT_EQ(ConstroiArvorePrefixos(ListaPrefixosPadrao(), " 01", imagem.data()),
              TResultadoPrefixos::CodigoDddIncorreto);
    EXPECT_EQ(imagem, original);
    EXPECT_THROW(ConstroiArvorePrefixos(ListaPrefixosPadrao(), " 01 3", imagem.data()), EConvertError);
    EXPECT_EQ(imagem, original);

    EXPECT_EQ(ConstroiArvorePrefixos(ListaPrefixosPadrao(), " 0123", imagem.data()), TResultadoPrefixos::Gravado);
    auto esperada = original;
    esperada[3478] = 0x3F;
    esperada[3479] = 0x12;
    GravaArvorePrefixos(esperada.data(), ArvorePadrao());
    EXPECT_EQ(imagem, esperada);
}

// The seed inputs of the read-back fuzz target (tests/fuzz/prefixos.cpp):
// image bytes 3478..3829 of a few trees. The committed files must be what
// this writes; TRIVANTO_ESCREVE_CORPUS=1 writes them again.
TEST(PrefixosCorpus, SeedFilesAreTheseTrees)
{
    const auto area = [](const Lista& lista, const char* ddd, void (*altera)(ArvorePrefixos&)) {
        std::vector<std::uint8_t> imagem(kTamanhoImagem, 0);
        EXPECT_EQ(ConstroiArvorePrefixos(lista, ddd, imagem.data()), TResultadoPrefixos::Gravado);
        ArvorePrefixos arvore = LeArvorePrefixos(imagem.data());
        altera(arvore);
        GravaArvorePrefixos(imagem.data(), arvore);
        return std::vector<std::uint8_t>(imagem.begin() + ofsCodigoDdd, imagem.begin() + ofsPrefixosNos + 250);
    };
    const auto nada = [](ArvorePrefixos&) {};
    Lista cheia = Divide(Divide(Divide(ListaPrefixosPadrao(), "1"), "2"), "3");
    for (int i = 10; i < 32; ++i)
        cheia = Divide(cheia, std::to_string(i), {{std::to_string(i) + "5", "4-0"}});
    Lista quatro = Divide(Divide(PadraoCom1Dividido(), "12"), "123", {{"1234", "1-2"}});
    quatro = Divide(quatro, "124", {{"1245", "2-4"}});
    const std::pair<const char*, std::vector<std::uint8_t>> sementes[] = {
        {"padrao", area(ListaPrefixosPadrao(), " 0", nada)},
        {"quatro_digitos", area(quatro, " 0123", nada)},
        {"abaixo_de_0800", area(Divide(Divide(Divide(ListaPrefixosPadrao(), "08"), "080"), "0800",
                                       {{"08005", "4-0"}}), " 011", nada)},
        {"nos_esgotados", area(cheia, " 010", nada)},
        {"ciclo", area(ListaPrefixosPadrao(), " 0", [](ArvorePrefixos& a) {
             a.raiz[55] = 131;
             std::fill_n(No(a, 3), 10, 131);
         })},
        {"cadeia_longa", area(ListaPrefixosPadrao(), " 0", [](ArvorePrefixos& a) {
             a.raiz[55] = 131;
             for (int no = 3; no < 24; ++no)
                 std::fill_n(No(a, no), 10, static_cast<std::uint8_t>(129 + no));
         })},
    };
    const std::string pasta = TRIVANTO_SOURCE_DIR "/tests/fuzz/corpus/prefixos/";
    const bool escreve = std::getenv("TRIVANTO_ESCREVE_CORPUS") != nullptr;
    for (const auto& [nome, bytes] : sementes) {
        if (escreve)
            std::ofstream(pasta + nome, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                                 static_cast<std::streamsize>(bytes.size()));
        std::ifstream arquivo(pasta + nome, std::ios::binary);
        const std::vector<std::uint8_t> lido{std::istreambuf_iterator<char>(arquivo), {}};
        EXPECT_EQ(lido, bytes) << nome;
    }
}
