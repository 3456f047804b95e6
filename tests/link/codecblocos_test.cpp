// The block codec: which image bytes each block carries, round trips, the
// clock, names, shared bits, area code, wake-up times and the item blocks.
#include "link/codecblocos.h"

#include "image/itens.h"
#include "image/layout.h"
#include "image/registro.h"
#include "link/comunica.h"
#include "state/registro.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ostream>
#include <random>
#include <set>
#include <vector>

namespace {

using ImagemTeste = std::array<std::uint8_t, kTamanhoImagem>;

constexpr int kUltimaTecla = 6534; // in the terminal-keys area, but in no block

// The image bytes a block carries, according to the image layout.
std::set<int> BytesDoBloco(int bloco)
{
    std::set<int> bytes;
    for (const AreaImagem& area : kAreasImagem)
        if (area.bloco == bloco)
            for (int i = area.inicio; i < area.fim(); ++i)
                bytes.insert(i);
    bytes.erase(kUltimaTecla);
    return bytes;
}

class Codec : public ::testing::Test {
protected:
    void SetUp() override
    {
        imagem.fill(0);
        Imagem = imagem.data();
        ItensDisponiveis.fill(0);
        ItensEditados.fill(0);
        DataInicioTransmissao = QDate(2026, 12, 8); // a Tuesday
        HoraInicioTransmissao = QTime(9, 5, 7);
    }
    void TearDown() override { Imagem = nullptr; }

    // The data bytes of a block just built, as a read would leave them.
    void SimulaLeitura(std::uint8_t bloco)
    {
        std::memmove(BufferDados + 1, BufferDados, kTamanhoBuffer - 1);
        BufferDados[0] = bloco;
    }
    void Recebe(std::uint8_t bloco, const std::vector<std::uint8_t>& dados)
    {
        std::memset(BufferDados, 0, sizeof BufferDados);
        BufferDados[0] = bloco;
        std::memcpy(BufferDados + 1, dados.data(), dados.size());
        GuardaBlocoRecebido(bloco);
    }
    std::vector<std::uint8_t> Envia(std::uint8_t bloco, bool regraRelogio = false)
    {
        MontaBlocoEnvio(bloco, regraRelogio);
        return std::vector<std::uint8_t>(BufferDados, BufferDados + TamanhoBloco(bloco));
    }

    ImagemTeste imagem;
};

} // namespace

// Received data reach exactly the bytes the layout gives the block; sent
// data come from them, and every other data byte goes out as 0.
TEST_F(Codec, EachBlockCarriesItsLayoutBytes)
{
    for (const TamanhoDeBloco& t : kTamanhosBlocos) {
        if (t.bloco == 0)
            continue; // the clock block has rules of its own
        imagem.fill(0);
        Recebe(t.bloco, std::vector<std::uint8_t>(t.tamanho, 0xA5));
        std::set<int> mudados;
        for (int i = 0; i < kTamanhoImagem; ++i)
            if (imagem[static_cast<std::size_t>(i)] != 0)
                mudados.insert(i);
        const std::set<int> esperados = BytesDoBloco(t.bloco);
        EXPECT_EQ(mudados, esperados) << "block " << int(t.bloco);

        imagem.fill(0xA5);
        const std::vector<std::uint8_t> dados = Envia(t.bloco);
        const auto naoNulos = static_cast<std::size_t>(std::count(dados.begin(), dados.end(), 0xA5));
        EXPECT_EQ(naoNulos, esperados.size()) << "block " << int(t.bloco);
        EXPECT_EQ(naoNulos + static_cast<std::size_t>(std::count(dados.begin(), dados.end(), 0)), dados.size())
            << "block " << int(t.bloco);
    }
}

TEST_F(Codec, EveryBlockRoundTrips)
{
    std::mt19937 gerador(9);
    ImagemTeste origem;
    for (auto& b : origem)
        b = static_cast<std::uint8_t>(gerador());
    const std::uint8_t relogio[] = {3, 24, 12, 26, 23, 59, 58}; // weekday .. second
    std::memcpy(origem.data() + ofsDataHoraCentral, relogio, sizeof relogio);
    for (int k = 0; k < 12; ++k) {
        std::uint8_t* despertador = origem.data() + ofsDespertadores + 4 * k;
        if (k % 2) { // relative, as the wake-up window stores it
            despertador[1] |= 0xC0;
            despertador[2] = despertador[3] = 0x60;
        } else {
            despertador[1] &= 0x3F;
        }
    }
    origem[ofsAtivacaoAtuacao] = static_cast<std::uint8_t>((origem[ofsAtivacaoAtuacao] & ~0x3C) |
                                                           (origem[ofsAtivacaoNoturno] & 0x3C));
    ByteEstado = origem[ofsEstadoCentral];

    for (const TamanhoDeBloco& t : kTamanhosBlocos) {
        imagem = origem;
        MontaBlocoEnvio(t.bloco, false);
        SimulaLeitura(t.bloco);
        for (auto& b : imagem)
            b = static_cast<std::uint8_t>(gerador());
        GuardaBlocoRecebido(t.bloco);
        for (int i : BytesDoBloco(t.bloco))
            EXPECT_EQ(imagem[static_cast<std::size_t>(i)], origem[static_cast<std::size_t>(i)])
                << "block " << int(t.bloco) << " byte " << i;
    }
}

struct CasoRelogio {
    const char* nome;
    std::array<std::uint8_t, 8> dados; // status, s, m, h, day, month, year, weekday
    bool dataValida;
    bool horaValida;
};

void PrintTo(const CasoRelogio& caso, std::ostream* os)
{
    *os << caso.nome;
}

class Relogio : public Codec, public ::testing::WithParamInterface<CasoRelogio> {};

TEST_P(Relogio, ReceivedClockOrThePcs)
{
    const CasoRelogio caso = GetParam();
    const QDate hoje = QDate::currentDate();
    Recebe(0, {caso.dados.begin(), caso.dados.end()});
    const QTime agora = QTime::currentTime();
    EXPECT_EQ(imagem[0], caso.dados[0]);
    EXPECT_EQ(ByteEstado, caso.dados[0]);
    if (caso.dataValida) {
        EXPECT_EQ(imagem[12], BcdParaByte(caso.dados[4]));
        EXPECT_EQ(imagem[13], BcdParaByte(caso.dados[5]));
        EXPECT_EQ(imagem[14], BcdParaByte(caso.dados[6]));
        EXPECT_EQ(imagem[11], caso.dados[7]);
    } else {
        EXPECT_EQ(imagem[12], hoje.day());
        EXPECT_EQ(imagem[13], hoje.month());
        EXPECT_EQ(imagem[14], hoje.year() % 100);
        EXPECT_EQ(imagem[11], hoje.dayOfWeek() % 7 + 1);
    }
    if (caso.horaValida) {
        EXPECT_EQ(imagem[15], BcdParaByte(caso.dados[3]));
        EXPECT_EQ(imagem[16], BcdParaByte(caso.dados[2]));
        EXPECT_EQ(imagem[17], BcdParaByte(caso.dados[1]));
    } else {
        const QTime guardada(imagem[15], imagem[16], imagem[17]);
        ASSERT_TRUE(guardada.isValid());
        EXPECT_LE(std::abs(guardada.secsTo(agora)), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codec, Relogio,
    ::testing::Values(
        CasoRelogio{"Valid", {0x5A, 0x59, 0x30, 0x23, 0x31, 0x12, 0x99, 7}, true, true},
        CasoRelogio{"Day00", {0x01, 0x00, 0x00, 0x10, 0x00, 0x05, 0x26, 2}, false, true},
        CasoRelogio{"Month13", {0x02, 0x00, 0x00, 0x10, 0x15, 0x13, 0x26, 2}, false, true},
        CasoRelogio{"YearA0", {0x02, 0x00, 0x00, 0x10, 0x15, 0x05, 0xA0, 2}, false, true},
        CasoRelogio{"Weekday9", {0x03, 0x00, 0x00, 0x10, 0x01, 0x01, 0x00, 9}, true, true},
        CasoRelogio{"Hour24", {0x04, 0x00, 0x00, 0x24, 0x01, 0x01, 0x26, 5}, true, false},
        CasoRelogio{"Minute60", {0x04, 0x00, 0x60, 0x10, 0x01, 0x01, 0x26, 5}, true, false},
        CasoRelogio{"Second60", {0x04, 0x60, 0x00, 0x10, 0x01, 0x01, 0x26, 5}, true, false}),
    [](const ::testing::TestParamInfo<CasoRelogio>& caso) { return std::string(caso.param.nome); });

struct CasoEnvioRelogio {
    bool disponivel, editado, regra;
    bool relogioDoPc;
};

void PrintTo(const CasoEnvioRelogio& caso, std::ostream* os)
{
    *os << (caso.disponivel ? "available" : "absent") << (caso.editado ? " edited" : " unedited")
        << (caso.regra ? " rule" : " no rule");
}

class EnvioRelogio : public Codec, public ::testing::WithParamInterface<CasoEnvioRelogio> {};

// The exchange gets the calendar kept in the image only when it was edited;
// otherwise the PC's clock at the start of the transmission.
TEST_P(EnvioRelogio, CalendarOrTransmissionStart)
{
    const CasoEnvioRelogio caso = GetParam();
    const std::uint8_t calendario[] = {5, 25, 6, 30, 14, 45, 59};
    std::memcpy(imagem.data() + ofsDataHoraCentral, calendario, sizeof calendario);
    ItensDisponiveis[ipCalendario - 1] = caso.disponivel;
    ItensEditados[ipCalendario - 1] = caso.editado;
    ByteEstado = 0x42;
    const std::vector<std::uint8_t> doPc = {0x42, 0x07, 0x05, 0x09, 0x08, 0x12, 0x26, 3};
    const std::vector<std::uint8_t> daImagem = {0x42, 0x59, 0x45, 0x14, 0x25, 0x06, 0x30, 5};
    EXPECT_EQ(Envia(0, caso.regra), caso.relogioDoPc ? doPc : daImagem);
    const std::vector<std::uint8_t> guardado(imagem.begin() + 11, imagem.begin() + 18);
    const std::vector<std::uint8_t> inicio = {3, 8, 12, 26, 9, 5, 7};
    EXPECT_EQ(guardado, caso.relogioDoPc ? inicio : std::vector<std::uint8_t>(calendario, calendario + 7));
}

INSTANTIATE_TEST_SUITE_P(Codec, EnvioRelogio,
                         ::testing::Values(CasoEnvioRelogio{false, false, true, true},
                                           CasoEnvioRelogio{true, false, true, true},
                                           CasoEnvioRelogio{false, true, true, true},
                                           CasoEnvioRelogio{true, true, true, false},
                                           CasoEnvioRelogio{false, false, false, false}), PrintedName{});

TEST_F(Codec, RelativeWakeUpTimes)
{
    struct {
        std::uint8_t minuto, hora; // interval
        QTime inicio;
        std::uint8_t minutoFio, horaFio;
    } casos[] = {
        {50, 0, QTime(23, 30), 20, 0xC0},        // 00:20
        {45, 1, QTime(22, 30), 15, 0xC0},        // 00:15, carry and wrap
        {5, 2, QTime(10, 0, 59), 5, 0xC0 | 12},  // seconds do not count
    };
    for (const auto& caso : casos) {
        HoraInicioTransmissao = caso.inicio;
        const std::uint8_t relogio[] = {1, 2, 3, 4, 5, 6, 7};
        std::memcpy(imagem.data() + ofsDataHoraCentral, relogio, sizeof relogio);
        std::uint8_t* entrada = imagem.data() + ofsDespertadores;
        const std::uint8_t relativo[] = {caso.minuto, static_cast<std::uint8_t>(caso.hora | 0xC0), 0x60, 0x60};
        const std::uint8_t fixo[] = {30, 7, 0x60, 0x60};
        std::memcpy(entrada, relativo, 4);
        std::memcpy(entrada + 4, fixo, 4);
        imagem[ofsTotalDespertadores] = 2;

        const std::vector<std::uint8_t> dados = Envia(27);
        const std::vector<std::uint8_t> esperado = {caso.minutoFio, caso.horaFio, caso.minuto, caso.hora,
                                                    30, 7, 0x60, 0x60};
        EXPECT_EQ(std::vector<std::uint8_t>(dados.begin(), dados.begin() + 8), esperado);
        EXPECT_EQ(dados[52], 2);
        // The image keeps its own clock.
        EXPECT_EQ(std::vector<std::uint8_t>(imagem.begin() + 11, imagem.begin() + 18),
                  std::vector<std::uint8_t>(relogio, relogio + 7));

        std::memset(entrada, 0, 8);
        Recebe(27, dados);
        EXPECT_EQ(std::vector<std::uint8_t>(entrada, entrada + 4),
                  std::vector<std::uint8_t>(relativo, relativo + 4));
        EXPECT_EQ(std::vector<std::uint8_t>(entrada + 4, entrada + 8), std::vector<std::uint8_t>(fixo, fixo + 4));
    }
}

TEST_F(Codec, GeneralSpeedDialNameFollowsItsNumber)
{
    struct {
        int byte;          // byte of the received entry changed (-1 none)
        std::uint8_t valor;
        bool mantemNome;
    } casos[] = {
        {-1, 0, true}, {5, 0x99, false}, {1, 0x07, false}, {8, 0x99, false},
        {0, 0x80, true}, {9, 0x99, true}, {11, 0x99, true},
        {1, 0x00, false}, // an empty entry has no name
    };
    const std::uint8_t entrada[12] = {0, 6, 0x12, 0x34, 0x56, 0x78, 0x9A, 0x12, 0x34, 0, 0, 0};
    for (const auto& caso : casos) {
        std::memcpy(imagem.data() + OffsetAgendaGeral(3), entrada, 12);
        imagem[OffsetNomeAgendaGeral(3)] = 5;
        std::memcpy(imagem.data() + OffsetAgendaGeral(1), entrada, 12);
        imagem[OffsetNomeAgendaGeral(1)] = 4;
        std::vector<std::uint8_t> dados = Envia(6);
        if (caso.byte >= 0)
            dados[24 + static_cast<std::size_t>(caso.byte)] = caso.valor;
        Recebe(6, dados);
        EXPECT_EQ(imagem[OffsetNomeAgendaGeral(3)], caso.mantemNome ? 5 : 0) << "byte " << caso.byte;
        EXPECT_EQ(imagem[OffsetNomeAgendaGeral(1)], 4);
        EXPECT_EQ(imagem[OffsetAgendaGeral(3) + 1], dados[25]);
    }
}

TEST_F(Codec, PrivateCodeWithoutOwnerLosesItsName)
{
    std::vector<std::uint8_t> donos(40, 2);
    donos[6] = 0xBB;
    for (int k = 1; k <= 40; ++k)
        imagem[OffsetNomeCodigo(k)] = 9;
    Recebe(17, donos);
    for (int k = 1; k <= 40; ++k)
        EXPECT_EQ(imagem[OffsetNomeCodigo(k)], k == 7 ? 0 : 9) << k;
    EXPECT_EQ(imagem[OffsetDonoCodigo(7)], 0xBB);
}

TEST_F(Codec, NightAndActuationShareActivationBits)
{
    imagem[ofsAtivacaoNoturno] = 0xF3;
    imagem[ofsAtivacaoAtuacao] = 0x0C;
    EXPECT_EQ(Envia(18)[48], 0xFF);
    EXPECT_EQ(imagem[ofsAtivacaoNoturno], 0xFF);
    EXPECT_EQ(Envia(20)[24], 0x3C);
    EXPECT_EQ(imagem[ofsAtivacaoAtuacao], 0x3C);

    Recebe(18, std::vector<std::uint8_t>(49, 0x01));
    Recebe(20, std::vector<std::uint8_t>(25, 0x02));
    EXPECT_EQ(imagem[ofsAtivacaoNoturno], 0x01);
    EXPECT_EQ(imagem[ofsAtivacaoAtuacao], 0x02);
}

TEST_F(Codec, AreaCodeTravelsHighByteFirst)
{
    GravaU16(imagem.data() + ofsCodigoDdd, 0x1234);
    EXPECT_EQ(Envia(24), (std::vector<std::uint8_t>{0x12, 0x34}));
    Recebe(24, {0xAB, 0xCD});
    EXPECT_EQ(LeU16(imagem.data() + ofsCodigoDdd), 0xABCD);
}

TEST_F(Codec, TerminalKeysBlockClearsTheLastKey)
{
    imagem[kUltimaTecla] = 0x77;
    imagem.fill(0x77);
    EXPECT_EQ(Envia(141).size(), 120u);
    Recebe(141, std::vector<std::uint8_t>(120, 0x11));
    EXPECT_EQ(imagem[6533], 0x11);
    EXPECT_EQ(imagem[kUltimaTecla], 0);
    EXPECT_EQ(imagem[6535], 0x77);
}

TEST_F(Codec, PackedDecimal)
{
    const std::pair<int, int> casos[] = {{0, 0x00}, {9, 0x09}, {10, 0x10}, {59, 0x59}, {99, 0x99}};
    for (auto [valor, bcd] : casos) {
        EXPECT_EQ(ByteParaBcd(static_cast<std::uint8_t>(valor)), bcd);
        EXPECT_EQ(BcdParaByte(static_cast<std::uint8_t>(bcd)), valor);
    }
}

TEST(BlocosItens, EachItemMovesItsBlocksInOrder)
{
    using V = std::vector<std::uint8_t>;
    const struct {
        int item;
        V recepcao;
        V transmissao;
    } casos[] = {
        {ipCalendario, {0}, {0}},
        {ipCategoriaRamais, {1}, {1}},
        {ipPlanoNumeracao, {4}, {4}},
        {ipConfiguracaoVias, {2, 3}, {3, 2}},
        {ipAgendaGeral, {6}, {6}},
        {ipAtendedorDigital, {5}, {5}},
        {ipSenhaGeral, {15}, {15}},
        {ipGruposRamais, {7}, {7}},
        {ipChefeSecretaria, {8}, {8}},
        {ipTemporizacoes, {10}, {10}},
        {ipEmergenciaExterna, {26}, {26}},
        {ipAtendedoresPorteiros, {12}, {12}},
        {ipProgramacoesDiversas, {13, 22}, {13, 22}},
        {ipBloqueioPrefixos, {14, 24}, {14, 24}},
        {ipFeriados, {19}, {19}},
        {ipServicosAutomaticos, {18, 20}, {18, 20}},
        {ipItem17, {}, {}},
        {ipCodigoParticular, {17}, {17}},
        {ipDespertador, {27}, {27}},
        {ipProgramacoesIndividuais,
         {128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139},
         {128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139}},
        {ipAgendaIndividual, {16}, {16}},
        {ipItem25, {}, {}},
        {ipRamalEconomico, {30}, {30}},
        {ipHorariosOperadoras, {33}, {33}},
        {ipTeclasTerminais, {141}, {141}},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(BlocosDaTransferencia(caso.item, false), caso.recepcao) << "item " << caso.item;
        EXPECT_EQ(BlocosDaTransferencia(caso.item, true), caso.transmissao) << "item " << caso.item;
    }
    EXPECT_TRUE(BlocosDoItem(ipCodigoParticular).test(139));
    EXPECT_EQ(BlocosDoItem(ipCodigoParticular).count(), 2u);
    EXPECT_EQ(FaixaDoItem(ipBloqueioPrefixos).primeiro, 14);
    EXPECT_EQ(FaixaDoItem(ipBloqueioPrefixos).ultimo, 24);
}
