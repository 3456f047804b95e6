// The rules of the terminal-keys window over its work record: the check of
// the shown keys, the storing of one terminal's record, the defaults, the
// terminals offered and the lists of the grid's cells.
#include "image/teclasti.h"
#include "modules/modulo.h"
#include "modules/teclasnti.h"
#include "tests/modules/imagemteste.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

class TeclasNTI : public ::testing::Test {
protected:
    TeclasNTI() : imagem(ImagemDeTeste()) { ImagemAtual = imagem.data(); }
    void Posicao(int p, const char* numero)
    {
        GravaU16(imagem.data() + OffsetPalavraRamal(p), TextoParaPalavraRamal(numero));
    }
    std::vector<std::uint8_t> imagem;
};

// Records that together hold every byte 0..255 once.
std::vector<RegistroTeclas> TodosOsBytes()
{
    std::vector<RegistroTeclas> registros;
    for (int inicio = 0; inicio <= 255; inicio += kTeclasTerminal) {
        RegistroTeclas registro;
        for (int t = 0; t < kTeclasTerminal; ++t)
            registro[t] = static_cast<std::uint8_t>((inicio + t) % 256);
        registros.push_back(registro);
    }
    return registros;
}

TEST_F(TeclasNTI, TeclasMostradasSemMudancaVoltamAoMesmoByteQualquerQueSejaOCodigo)
{
    // Position 9 repeats the number of position 6, position 3 has none:
    // their keys still come back as they were.
    Posicao(9, "25");
    GravaU16(imagem.data() + OffsetPalavraRamal(3), kPalavraSemNumero);
    for (RegistroTeclas registro : TodosOsBytes()) {
        const RegistroTeclas antes = registro;
        EXPECT_EQ(ValidaTeclasTerminal(TeclasParaLinhas(registro), registro), std::nullopt);
        EXPECT_EQ(registro, antes);
    }
}

TEST_F(TeclasNTI, TeclasMudadasTomamOCodigoDoTipoENumero)
{
    RegistroTeclas registro = TeclasPadrao();
    LinhasTeclas linhas = TeclasParaLinhas(registro);
    linhas[0] = {"Rota", "0"};
    linhas[1] = {"Linha", "2"};               // "02" before: the same key
    linhas[4] = {"Grupo de ramal", "3"};
    linhas[5] = {"Ramal", "31"};
    linhas[20] = {"Correio de voz", ""};
    linhas[24] = {"Sem função", ""};
    RegistroTeclas esperado = registro;
    esperado[0] = 170;
    esperado[4] = 112;
    esperado[5] = 11;
    esperado[20] = 121;
    esperado[24] = 255;
    EXPECT_EQ(ValidaTeclasTerminal(linhas, registro), std::nullopt);
    EXPECT_EQ(registro, esperado);
}

struct CasoFalha {
    const char* caso;
    std::vector<std::pair<int, LinhaTecla>> linhas; // key 1..25 and what it shows
    FalhaTecla falha;
};

void PrintTo(const CasoFalha& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclasNTIFalha : public TeclasNTI, public ::testing::WithParamInterface<CasoFalha> {};

TEST_P(TeclasNTIFalha, PrimeiraTeclaQueFaltaERegistroComoEstava)
{
    const CasoFalha& caso = GetParam();
    RegistroTeclas registro = TeclasPadrao();
    LinhasTeclas linhas = TeclasParaLinhas(registro);
    for (const auto& [tecla, linha] : caso.linhas)
        linhas[tecla - 1] = linha;
    const RegistroTeclas antes = registro;
    EXPECT_EQ(ValidaTeclasTerminal(linhas, registro), caso.falha);
    EXPECT_EQ(registro, antes);
}

INSTANTIATE_TEST_SUITE_P(Casos, TeclasNTIFalha, ::testing::Values(
    CasoFalha{"TipoMudadoSemNumero", {{7, {"Linha", ""}}}, {7, kColunaNumeroTecla}},
    CasoFalha{"TipoApagado", {{25, {"", ""}}}, {25, kColunaTipoTecla}},
    CasoFalha{"RamalForaDoPlano", {{3, {"Ramal", "45"}}}, {3, kColunaNumeroTecla}},
    // The first key that fails is told; a good change before it is not kept.
    CasoFalha{"AsTeclasSaoVistasEmOrdem",
              {{2, {"Rota", "3"}}, {9, {"", ""}}, {4, {"Porteiro", ""}}, {20, {"Grupo de ramal", ""}}},
              {4, kColunaNumeroTecla}}),
    PrintedName{});

TEST_F(TeclasNTI, GuardaSomenteOsBytesDoTerminal)
{
    RegistroTeclas registro;
    for (int t = 0; t < kTeclasTerminal; ++t)
        registro[t] = static_cast<std::uint8_t>(t + 100);
    for (int k = 1; k <= kTerminaisTI; ++k) {
        auto antes = imagem;
        EXPECT_TRUE(GuardaTeclasTerminal(k, registro));
        std::vector<int> esperadas;
        for (int t = 1; t <= kTeclasTerminal; ++t)
            if (antes[OffsetTecla(k, t)] != registro[t - 1])
                esperadas.push_back(OffsetTecla(k, t));
        EXPECT_EQ(Diferencas(antes, imagem), esperadas) << k;
        EXPECT_EQ(LeTeclasTerminal(k), registro);
    }
}

TEST_F(TeclasNTI, SemTerminalNadaEGuardado)
{
    const auto antes = imagem;
    for (int k : {-1, 0, 5})
        EXPECT_FALSE(GuardaTeclasTerminal(k, TeclasPadrao())) << k;
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

TEST_F(TeclasNTI, PadraoSaoAsTeclasDeFabrica)
{
    const RegistroTeclas esperado = {129, 130, 131, 132, 255, 0, 1, 2, 3, 4, 5, 6, 7,
                                     8,   9,   10,  11,  255, 255, 255, 109, 108, 106, 100, 102};
    EXPECT_EQ(TeclasPadrao(), esperado);
    const LinhasTeclas linhas = TeclasParaLinhas(esperado);
    EXPECT_EQ(linhas[0], (LinhaTecla{"Linha", "01"}));
    EXPECT_EQ(linhas[4], (LinhaTecla{"Sem função", ""}));
    EXPECT_EQ(linhas[5], (LinhaTecla{"Ramal", "20"}));
    EXPECT_EQ(linhas[16], (LinhaTecla{"Ramal", "31"}));
    EXPECT_EQ(linhas[23], (LinhaTecla{"Porteiro", "1"}));
    EXPECT_EQ(linhas[24], (LinhaTecla{"Atuação externa", "1"}));
}

TEST_F(TeclasNTI, TerminaisOferecidosEmOrdem)
{
    Posicao(2, "81");
    const std::uint8_t referencias[] = {1, kSemReferencia, 11, 4};
    for (int k = 1; k <= kTerminaisTI; ++k)
        imagem[OffsetRamalTerminal(k)] = referencias[k - 1];
    EXPECT_EQ(TerminaisOferecidos(), (std::vector<TerminalOferecido>{{3, "31"}, {4, "24"}}));
    for (int k = 1; k <= kTerminaisTI; ++k)
        imagem[OffsetRamalTerminal(k)] = kSemReferencia;
    EXPECT_TRUE(TerminaisOferecidos().empty());
}

TEST_F(TeclasNTI, NumeroEditavelSoNosTiposComNumero)
{
    const QStringList comNumero = {"Ramal", "Linha", "Rota", "Grupo de ramal", "Chefe secretária", "Porteiro",
                                   "Atuação externa", "Viva voz Ch-Secr"};
    for (const QString& tipo : ListaTiposTecla())
        EXPECT_EQ(NumeroEditavel(tipo), comNumero.contains(tipo)) << tipo.toStdString();
    EXPECT_FALSE(NumeroEditavel(QString()));
    EXPECT_FALSE(NumeroEditavel("Teclado"));
}

struct CasoLista {
    const char* caso;
    int coluna;
    const char* tipo;
    const char* texto;
    std::vector<const char*> itens; // of the number column; the type column offers the 15 types
    int indice;
};

void PrintTo(const CasoLista& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclasNTILista : public TeclasNTI, public ::testing::WithParamInterface<CasoLista> {};

TEST_P(TeclasNTILista, ItemDoTextoOuOTextoGuardado)
{
    const CasoLista& caso = GetParam();
    Posicao(3, "81");
    Posicao(5, "4");
    QStringList itens = caso.coluna == kColunaTipoTecla ? ListaTiposTecla() : QStringList();
    for (const char* item : caso.itens)
        itens << QString::fromUtf8(item);
    const ListaCelula lista = ListaDaCelula(caso.coluna, QString::fromUtf8(caso.tipo), QString::fromUtf8(caso.texto));
    EXPECT_EQ(lista.itens, itens);
    EXPECT_EQ(lista.indice, caso.indice);
}

constexpr int kTipo = kColunaTipoTecla;
constexpr int kNumero = kColunaNumeroTecla;

INSTANTIATE_TEST_SUITE_P(Casos, TeclasNTILista, ::testing::Values(
    CasoLista{"TipoDaLista", kTipo, "Rota", "Rota", {}, 2},
    CasoLista{"SemFuncao", kTipo, "Sem função", "Sem função", {}, 14},
    CasoLista{"TipoVazioGuardado", kTipo, "", "", {""}, 15},
    CasoLista{"RamaisValidosEmOrdem", kNumero, "Ramal", "27",
              {"20", "21", "23", "25", "26", "27", "28", "29", "30", "31"}, 5},
    CasoLista{"RamalEspecialGuardado", kNumero, "Ramal", "81",
              {"20", "21", "23", "25", "26", "27", "28", "29", "30", "31", "81"}, 10},
    CasoLista{"LinhaPeloValor", kNumero, "Linha", "03", {"1", "2", "3", "4"}, 2},
    CasoLista{"LinhaVazia", kNumero, "Linha", "", {"1", "2", "3", "4", ""}, 4},
    CasoLista{"Rota0", kNumero, "Rota", "0", {"0", "1", "2", "3", "4"}, 0},
    CasoLista{"Rota6Guardada", kNumero, "Rota", "6", {"0", "1", "2", "3", "4", "6"}, 5},
    CasoLista{"Grupo5Guardado", kNumero, "Grupo de ramal", "5", {"1", "2", "3", "4", "5"}, 4},
    CasoLista{"Grupo4", kNumero, "Grupo de ramal", "4", {"1", "2", "3", "4"}, 3},
    CasoLista{"Porteiro2Guardado", kNumero, "Porteiro", "2", {"1", "2"}, 1},
    CasoLista{"AtuacaoExterna1", kNumero, "Atuação externa", "1", {"1"}, 0},
    CasoLista{"ChefeSecretaria2Guardado", kNumero, "Chefe secretária", "2", {"1", "2"}, 1},
    CasoLista{"VivaVoz1", kNumero, "Viva voz Ch-Secr", "1", {"1"}, 0}),
    PrintedName{});

} // namespace
