// The link layer against the simulated exchange: frames, FCS, block sizes,
// reads and writes of every block, attempts, faults, abort, trace file.
#include "link/codecblocos.h"
#include "link/comunica.h"
#include "state/registro.h"
#include "tests/link/centralsimulada.h"
#include "tests/link/linhateste.h"
#include "tests/support/casenames.h"
#include "tests/support/filemode.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ctime>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Falha = CentralSimulada::Falha;

std::vector<std::uint8_t> Bytes(const std::uint8_t* p, std::size_t n)
{
    return std::vector<std::uint8_t>(p, p + n);
}

double CpuDaThread()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The trace file of today in the current directory.
QString NomeDoLog()
{
    return QStringLiteral("C%1.TXT").arg(QDate::currentDate().toString(QStringLiteral("ddMMyy")));
}

// One trace record as a reader of the file sees it: a blank line before a
// transmission, 20 bytes a line, continuation lines indented by 12 blanks.
std::string RegistroEsperado(bool tx, const std::vector<std::uint8_t>& bytes)
{
    std::string s = tx ? "\r\n\r\nTX (" : "\r\nRX (";
    char numero[8];
    std::snprintf(numero, sizeof numero, "%03zu", bytes.size());
    s += numero;
    s += ")-> ";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % 20 == 0)
            s += "\r\n" + std::string(12, ' ');
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", bytes[i]);
        s += hex;
    }
    return s;
}

std::string LeArquivo(const QString& nome)
{
    QFile f(nome);
    if (!f.open(QIODevice::ReadOnly))
        return "<no file>";
    return f.readAll().toStdString();
}

} // namespace

TEST(Quadro, ReadRequestOfBlock36AndTheResidue)
{
    PortaComunicacao = nullptr;
    EnviaPedidoLeitura(36);
    const std::vector<std::uint8_t> esperado = {0xFF, 0x02, 0x00, 0x08, 0x24, 0xBD, 0xAA};
    EXPECT_EQ(Bytes(BufferQuadro, 7), esperado);
    EXPECT_EQ(VerificacaoQuadro, 0xAABD);

    std::uint16_t residuo = 0;
    CalculaCrc16(esperado.data(), residuo, false, 1, 7);
    EXPECT_EQ(residuo, kResiduoCrcBom);
}

TEST(Quadro, FcsAgreesWithTheCatalogueAndTheExchange)
{
    const std::uint8_t verificacao[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    std::uint16_t fcs = 0;
    CalculaCrc16(verificacao, fcs, true, 1, 9);
    EXPECT_EQ(fcs, 0x906E); // CRC-16/X-25 check value
    EXPECT_EQ(CentralSimulada::Fcs(verificacao, 9), 0x906E);

    CalculaCrc16(verificacao, fcs, true, 5, 4); // empty range
    EXPECT_EQ(fcs, 0x0000);

    std::mt19937 gerador(3);
    for (int tamanho : {1, 2, 7, 100, 1437}) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(tamanho));
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(gerador());
        CalculaCrc16(bytes.data(), fcs, true, 1, static_cast<std::uint16_t>(tamanho));
        EXPECT_EQ(fcs, CentralSimulada::Fcs(bytes.data(), bytes.size())) << tamanho;
    }
}

TEST(Quadro, EveryBlockSize)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(TamanhoBloco(static_cast<std::uint8_t>(b)), CentralSimulada::Tamanho(b)) << "block " << b;
}

TEST(Quadro, ReceivedBytesBeyondTheBufferAreDropped)
{
    std::vector<std::uint8_t> muitos(3000, 0x5A);
    ContagemRecepcao = 0;
    AcrescentaRecepcao(muitos.data(), 2000);
    AcrescentaRecepcao(muitos.data(), 1000);
    EXPECT_EQ(ContagemRecepcao, kTamanhoBuffer);
    AcrescentaRecepcao(muitos.data(), 1);
    EXPECT_EQ(ContagemRecepcao, kTamanhoBuffer);
    ContagemRecepcao = 0;
}

TEST(Linha, ReadsEveryBlock)
{
    LinhaDeTeste linha;
    ASSERT_TRUE(linha.aberta);
    linha.central.PreencheAleatorio(11);
    std::vector<int> blocos = CentralSimulada::BlocosConhecidos();
    blocos.push_back(250); // a number of size 0: only the echoed number
    for (int b : blocos) {
        ASSERT_TRUE(LeBloco(static_cast<std::uint8_t>(b))) << "block " << b;
        const std::size_t n = CentralSimulada::Tamanho(b);
        EXPECT_EQ(BufferDados[0], b);
        EXPECT_EQ(Bytes(BufferDados + 1, n), linha.central.Bloco(b)) << "block " << b;
        EXPECT_EQ(BufferDados[n + 1], 0) << "block " << b;
        EXPECT_EQ(linha.central.PedidosLeitura(b), 1) << "block " << b;
    }
}

TEST(Linha, WritesEveryBlock)
{
    LinhaDeTeste linha;
    ASSERT_TRUE(linha.aberta);
    std::mt19937 gerador(5);
    std::vector<int> blocos = CentralSimulada::BlocosConhecidos();
    blocos.push_back(250);
    for (int b : blocos) {
        const std::size_t n = CentralSimulada::Tamanho(b);
        for (std::size_t i = 0; i < n; ++i)
            BufferDados[i] = static_cast<std::uint8_t>(gerador());
        ASSERT_TRUE(EscreveBloco(static_cast<std::uint8_t>(b))) << "block " << b;
        EXPECT_EQ(linha.central.Bloco(b), Bytes(BufferDados, n)) << "block " << b;
        const std::vector<std::uint8_t> quadro = linha.central.UltimoQuadro();
        ASSERT_EQ(quadro.size(), n + 7);
        const std::vector<std::uint8_t> cabecalho = {0xFF, static_cast<std::uint8_t>((n + 2) & 0xFF),
                                                     static_cast<std::uint8_t>((n + 2) >> 8), 0x09,
                                                     static_cast<std::uint8_t>(b)};
        EXPECT_EQ(Bytes(quadro.data(), 5), cabecalho) << "block " << b;
    }
}

TEST(Linha, TheProbeOfBlock36CanGoUnanswered)
{
    LinhaDeTeste linha;
    linha.central.IgnoraBloco36(true);
    EXPECT_FALSE(LeBloco(36));
    EXPECT_TRUE(LeBloco(33));
    linha.central.AguardaOcioso();
    EXPECT_EQ(linha.central.PedidosLeitura(36), 3);
}

// A time-out is 100 ticks of the window's timer, whatever their period.
TEST(Linha, AWaitEndsAfter100TicksAndSleepsMeanwhile)
{
    LinhaDeTeste linha;
    linha.central.InjetaFalha(Falha::SemResposta);
    CfgTentativas = 1;
    const int antes = linha.ticks;
    const double cpuAntes = CpuDaThread();
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_FALSE(LeBloco(1));
    const double cpu = CpuDaThread() - cpuAntes;
    const double parede = relogio.elapsed() / 1000.0;
    EXPECT_EQ(ContadorEspera, 0);
    EXPECT_GE(linha.ticks - antes, 100);
    EXPECT_LE(linha.ticks - antes, 102);
    // A spinning wait would burn the whole wall time on the processor.
    EXPECT_LT(cpu, 0.5 * parede) << "cpu " << cpu << " s of " << parede << " s";
}

struct CasoTentativas {
    int configuradas;
    int feitas;
    bool escrita;
};

void PrintTo(const CasoTentativas& caso, std::ostream* os)
{
    *os << (caso.escrita ? "write" : "read") << " configured " << caso.configuradas << " made "
        << caso.feitas;
}

class Tentativas : public ::testing::TestWithParam<CasoTentativas> {};

TEST_P(Tentativas, UnansweredBlockCostsItsAttempts)
{
    const CasoTentativas caso = GetParam();
    LinhaDeTeste linha;
    linha.central.InjetaFalha(Falha::SemResposta);
    CfgTentativas = static_cast<std::uint8_t>(caso.configuradas);
    EXPECT_FALSE(caso.escrita ? EscreveBloco(5) : LeBloco(5));
    linha.central.AguardaOcioso();
    EXPECT_EQ(caso.escrita ? linha.central.Escritas(5) : linha.central.PedidosLeitura(5), caso.feitas);
}

INSTANTIATE_TEST_SUITE_P(Linha, Tentativas,
                         ::testing::Values(CasoTentativas{0, 1, false}, CasoTentativas{1, 1, false},
                                           CasoTentativas{3, 3, false}, CasoTentativas{0, 1, true},
                                           CasoTentativas{2, 2, true}), PrintedName{});

// Answer latencies of the exchange, in the link's ticks (50 ms each in the
// program): at once, about 100 ms, about 1 s.
constexpr int kLatencias[] = {0, 2, 20};
// A late reply leaves this many ticks after its request: just past the
// time-out.
constexpr int kAtrasoPassado = kTicksEspera + 10;

struct CasoFalha {
    const char* nome;
    Falha falha;
    int vezes; // replies spoiled, -1 all
    bool escrita;
    bool sucesso;
    int tentativas;
    bool gravadoNaCentral = false; // a write stored although its answer was spoiled
};

void PrintTo(const CasoFalha& caso, std::ostream* os)
{
    *os << caso.nome;
}

class Falhas : public ::testing::TestWithParam<std::tuple<CasoFalha, int>> {};

// Each fault costs the attempts it should, and a block that fails is never
// stored: neither in the image (read) nor in the exchange (write); a block
// taken is the exchange's own.
TEST_P(Falhas, CostAttemptsAndStoreNothingBad)
{
    const auto [caso, latencia] = GetParam();
    constexpr std::uint8_t kBloco = 1; // 117 bytes, straight to the image
    LinhaDeTeste linha;
    linha.central.PreencheAleatorio(21);
    linha.central.LatenciaResposta(latencia);
    linha.central.AtrasoResposta(kAtrasoPassado);
    const std::vector<std::uint8_t> original = linha.central.Bloco(kBloco);
    linha.central.InjetaFalha(caso.falha, caso.vezes);

    std::array<std::uint8_t, 6610> imagem{};
    Imagem = imagem.data();
    bool ok = false;
    std::vector<std::uint8_t> enviados(TamanhoBloco(kBloco), 0x33);
    if (caso.escrita) {
        std::memcpy(BufferDados, enviados.data(), enviados.size());
        ok = EscreveBloco(kBloco);
    } else if ((ok = LeBloco(kBloco))) {
        GuardaBlocoRecebido(kBloco);
    }
    Imagem = nullptr;
    linha.central.AguardaOcioso();

    EXPECT_EQ(ok, caso.sucesso);
    EXPECT_EQ(caso.escrita ? linha.central.Escritas(kBloco) : linha.central.PedidosLeitura(kBloco),
              caso.tentativas);
    if (caso.escrita) {
        EXPECT_EQ(linha.central.Bloco(kBloco), caso.sucesso || caso.gravadoNaCentral ? enviados : original);
    } else {
        const std::vector<std::uint8_t> guardado(imagem.begin() + 18, imagem.begin() + 18 + 117);
        EXPECT_EQ(guardado, caso.sucesso ? original : std::vector<std::uint8_t>(117, 0));
    }
}

const CasoFalha kCasosFalha[] = {
    {"NoAnswerOnce", Falha::SemResposta, 1, false, true, 2},
    {"NoAnswer", Falha::SemResposta, -1, false, false, 3},
    // The late reply comes while the line is drained after the time-out.
    {"LateOnce", Falha::RespostaAtrasada, 1, false, true, 2},
    {"LateEveryTime", Falha::RespostaAtrasada, -1, false, false, 3},
    {"FlippedBitTwice", Falha::BitInvertido, 2, false, true, 3},
    {"FlippedBit", Falha::BitInvertido, -1, false, false, 3},
    {"BadFcs", Falha::FcsErrada, -1, false, false, 3},
    {"DroppedByte", Falha::ByteOmitido, -1, false, false, 3},
    // Bytes after a good frame do not spoil it.
    {"ExtraBytes", Falha::BytesExtras, -1, false, true, 1},
    {"Duplicate", Falha::RespostaDuplicada, -1, false, true, 1},
    {"OtherBlockOnce", Falha::OutroBloco, 1, false, true, 2},
    {"OtherBlock", Falha::OutroBloco, -1, false, false, 3},
    {"WriteNoAnswer", Falha::SemResposta, -1, true, false, 3},
    {"WriteLateAckOnce", Falha::RespostaAtrasada, 1, true, true, 2},
    // Stored by the exchange, but never acknowledged in time: a failure.
    {"WriteLateAck", Falha::RespostaAtrasada, -1, true, false, 3, true},
    {"WriteRefusedOnce", Falha::ConfirmacaoErrada, 1, true, true, 2},
    {"WriteRefused", Falha::ConfirmacaoErrada, -1, true, false, 3},
    {"WriteAckFlippedBit", Falha::BitInvertido, -1, true, false, 3, true},
    {"WriteAckBadFcs", Falha::FcsErrada, -1, true, false, 3, true},
    {"WriteAckDroppedByte", Falha::ByteOmitido, -1, true, false, 3, true},
    {"WriteAckExtraBytes", Falha::BytesExtras, -1, true, true, 1},
    {"WriteAckDuplicate", Falha::RespostaDuplicada, -1, true, true, 1},
};

INSTANTIATE_TEST_SUITE_P(Linha, Falhas, ::testing::Combine(::testing::ValuesIn(kCasosFalha), ::testing::ValuesIn(kLatencias)),
                         [](const ::testing::TestParamInfo<std::tuple<CasoFalha, int>>& caso) {
                             return std::string(std::get<0>(caso.param).nome) + "_latency"
                                    + std::to_string(std::get<1>(caso.param));
                         });

// A reply inside the time-out is taken; one due after it fails the only
// attempt. On the last tick itself the reply and the end of the wait meet in
// one pass of the event loop, and which comes first is the machine's choice,
// so the cases keep ten ticks away from it.
TEST(Linha, AReplyCountsOnlyWithinTheTimeOut)
{
    struct Caso {
        int atraso;
        bool lido;
    };
    for (const Caso caso : {Caso{kTicksEspera / 2, true}, Caso{kTicksEspera - 10, true}, Caso{kTicksEspera + 10, false},
                            Caso{2 * kTicksEspera, false}}) {
        SCOPED_TRACE(caso.atraso);
        LinhaDeTeste linha;
        linha.central.AtrasoResposta(caso.atraso);
        linha.central.InjetaFalha(Falha::RespostaAtrasada);
        CfgTentativas = 1;
        EXPECT_EQ(LeBloco(2), caso.lido);
        linha.central.AguardaOcioso();
        EXPECT_EQ(linha.central.PedidosLeitura(2), 1);
    }
}

// What the exchange answers late, or twice, for one block never counts for
// the next: a late first answer to block 128 (by just past the time-out, or
// so late that it comes after the repeated request), then block 129 refused
// or lost. Reads of 128 and 129 bring each block's own data.
struct CasoSequencia {
    int atraso;
    int latencia;
    Falha falhaSeguinte;
};

void PrintTo(const CasoSequencia& caso, std::ostream* os)
{
    *os << "late " << caso.atraso << " latency " << caso.latencia << " next "
        << (caso.falhaSeguinte == Falha::SemResposta ? "lost" : "refused");
}

class Sequencia : public ::testing::TestWithParam<CasoSequencia> {};

TEST_P(Sequencia, ALateOrRepeatedAnswerNeverCountsForTheNextBlock)
{
    const CasoSequencia caso = GetParam();
    LinhaDeTeste linha;
    linha.central.PreencheAleatorio(8);
    linha.central.LatenciaResposta(caso.latencia);
    linha.central.AtrasoResposta(caso.atraso);
    linha.central.InjetaFalha(Falha::RespostaAtrasada, 1, 128);
    for (std::uint8_t bloco : {128, 129}) {
        ASSERT_TRUE(LeBloco(bloco)) << int(bloco);
        EXPECT_EQ(BufferDados[0], bloco);
        EXPECT_EQ(Bytes(BufferDados + 1, 12), linha.central.Bloco(bloco)) << int(bloco);
    }

    linha.central.InjetaFalha(Falha::RespostaAtrasada, 1, 128);
    linha.central.InjetaFalha(caso.falhaSeguinte, -1, 129);
    const std::vector<std::uint8_t> antes = linha.central.Bloco(129);
    std::memset(BufferDados, 0x5A, 12);
    EXPECT_TRUE(EscreveBloco(128));
    EXPECT_FALSE(EscreveBloco(129));
    linha.central.AguardaOcioso();
    EXPECT_EQ(linha.central.Bloco(129), antes);
    EXPECT_EQ(linha.central.Escritas(129), 3);
}

INSTANTIATE_TEST_SUITE_P(Linha, Sequencia,
                         ::testing::Values(CasoSequencia{kTicksEspera + 1, 0, Falha::ConfirmacaoErrada},
                                           CasoSequencia{kTicksEspera + 19, 2, Falha::SemResposta},
                                           CasoSequencia{kTicksEspera + kTicksSilencio + 5, 0, Falha::SemResposta},
                                           CasoSequencia{kTicksEspera + kTicksSilencio + 5, 20, Falha::ConfirmacaoErrada},
                                           CasoSequencia{2 * kTicksEspera - 10, 20, Falha::SemResposta}),
                         PrintedName{});

// The frame sought among the bytes received: a table of what may arrive.
struct CasoBusca {
    const char* nome;
    std::vector<std::uint8_t> bytes;
    bool achado;
    bool incompleto;
    std::uint16_t inicio;
};

std::vector<std::uint8_t> QuadroCentral(std::uint8_t comando, std::uint8_t bloco, std::vector<std::uint8_t> dados)
{
    const std::size_t comprimento = dados.size() + 2;
    std::vector<std::uint8_t> q = {0xFF, static_cast<std::uint8_t>(comprimento & 0xFF),
                                   static_cast<std::uint8_t>(comprimento >> 8), comando, bloco};
    q.insert(q.end(), dados.begin(), dados.end());
    const std::uint16_t fcs = CentralSimulada::Fcs(q.data(), q.size());
    q.push_back(static_cast<std::uint8_t>(fcs & 0xFF));
    q.push_back(static_cast<std::uint8_t>(fcs >> 8));
    return q;
}

std::vector<std::uint8_t> Junta(std::initializer_list<std::vector<std::uint8_t>> partes)
{
    std::vector<std::uint8_t> tudo;
    for (const auto& p : partes)
        tudo.insert(tudo.end(), p.begin(), p.end());
    return tudo;
}

std::vector<std::uint8_t> Altera(std::vector<std::uint8_t> q, std::size_t i, std::uint8_t mascara)
{
    q[i] ^= mascara;
    return q;
}

std::vector<std::uint8_t> Corta(std::vector<std::uint8_t> q, std::size_t n)
{
    q.resize(n);
    return q;
}

void PrintTo(const CasoBusca& caso, std::ostream* os)
{
    *os << caso.nome;
}

// Block 36 (2 data bytes) as the exchange answers it.
const std::vector<std::uint8_t> kResposta36 = QuadroCentral(8, 36, {0x12, 0x34});
const std::vector<std::uint8_t> kRespostaOutro = QuadroCentral(8, 37, {0x12, 0x34});
const std::vector<std::uint8_t> kPedido36 = {0xFF, 0x02, 0x00, 0x08, 0x24, 0xBD, 0xAA};

class BuscaResposta : public ::testing::TestWithParam<CasoBusca> {};

TEST_P(BuscaResposta, TakesOnlyTheFrameThatAnswersTheRequest)
{
    const CasoBusca& caso = GetParam();
    const BuscaQuadro b = ProcuraResposta(caso.bytes.data(), static_cast<std::uint16_t>(caso.bytes.size()), 36, 9);
    EXPECT_EQ(b.achado, caso.achado);
    EXPECT_EQ(b.incompleto, caso.incompleto);
    if (caso.achado) {
        EXPECT_EQ(b.inicio, caso.inicio);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Quadro, BuscaResposta,
    ::testing::Values(CasoBusca{"Whole", kResposta36, true, false, 0},
                      CasoBusca{"BytesAfter", Junta({kResposta36, {0x00, 0x55, 0xAA}}), true, false, 0},
                      CasoBusca{"BytesBefore", Junta({{0x00, 0x55}, kResposta36}), true, false, 2},
                      CasoBusca{"AfterAStaleReply", Junta({kRespostaOutro, kResposta36}), true, false, 9},
                      CasoBusca{"Twice", Junta({kResposta36, kResposta36}), true, false, 0},
                      CasoBusca{"OtherBlock", kRespostaOutro, false, false, 0},
                      CasoBusca{"StartByte", Altera(kResposta36, 0, 0x01), false, false, 0},
                      CasoBusca{"Length", Altera(kResposta36, 1, 0x01), false, false, 0},
                      CasoBusca{"LengthHigh", Altera(kResposta36, 2, 0x01), false, false, 0},
                      CasoBusca{"Command", Altera(kResposta36, 3, 0x01), false, false, 0},
                      CasoBusca{"Data", Altera(kResposta36, 5, 0x80), false, false, 0},
                      CasoBusca{"Fcs", Altera(kResposta36, 8, 0x01), false, false, 0},
                      CasoBusca{"OwnRequestEcho", kPedido36, false, false, 0},
                      CasoBusca{"HeaderOnly", Corta(kResposta36, 5), false, true, 0},
                      CasoBusca{"CutShort", Corta(kResposta36, 8), false, true, 0},
                      CasoBusca{"NoiseThenCutShort", Junta({{0x00, 0x55, 0xAA}, Corta(kResposta36, 6)}), false, true, 0},
                      CasoBusca{"Nothing", {}, false, false, 0}),
    PrintedName{});

const std::vector<std::uint8_t> kAck = QuadroCentral(9, 0xFF, {0x06});

class BuscaConfirmacao : public ::testing::TestWithParam<CasoBusca> {};

TEST_P(BuscaConfirmacao, TakesOnlyAWholeAcknowledgement)
{
    const CasoBusca& caso = GetParam();
    const BuscaQuadro b = ProcuraConfirmacao(caso.bytes.data(), static_cast<std::uint16_t>(caso.bytes.size()));
    EXPECT_EQ(b.achado, caso.achado);
    EXPECT_EQ(b.incompleto, caso.incompleto);
    if (caso.achado) {
        EXPECT_EQ(b.inicio, caso.inicio);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Quadro, BuscaConfirmacao,
    ::testing::Values(CasoBusca{"Ack", kAck, true, false, 0},
                      // The command byte is not part of what the line fixes.
                      CasoBusca{"AckWithCommand8", QuadroCentral(8, 0xFF, {0x06}), true, false, 0},
                      CasoBusca{"BytesBefore", Junta({{0x13}, kAck}), true, false, 1},
                      CasoBusca{"BytesAfter", Junta({kAck, {0x00}}), true, false, 0},
                      CasoBusca{"Nak", QuadroCentral(9, 0xFF, {0x15}), false, false, 0},
                      CasoBusca{"Byte4", QuadroCentral(9, 0xFE, {0x06}), false, false, 0},
                      CasoBusca{"Fcs", Altera(kAck, 7, 0x01), false, false, 0},
                      CasoBusca{"Length", Altera(kAck, 1, 0x04), false, false, 0},
                      // Only bytes 4 and 5 right, as a bare test would take it.
                      CasoBusca{"Bytes4And5Only", {0, 0, 0, 0, 0xFF, 0x06, 0, 0}, false, false, 0},
                      CasoBusca{"AReadReply", kResposta36, false, false, 0},
                      CasoBusca{"CutShort", Corta(kAck, 7), false, true, 0}),
    PrintedName{});

class Aborto : public ::testing::TestWithParam<bool> {};

// The abort, given during a wait, ends it in the same pass of the event
// loop and starts no new attempt: no further tick is counted but in the one
// pass the routine makes after an attempt.
TEST_P(Aborto, EndsTheWaitWithinOnePass)
{
    const bool escrita = GetParam();
    LinhaDeTeste linha;
    linha.central.InjetaFalha(Falha::SemResposta);
    linha.aCadaTick = [] {
        if (ContadorEspera == 97)
            AbortaComunicacao();
    };
    EXPECT_FALSE(escrita ? EscreveBloco(7) : LeBloco(7));
    EXPECT_LE(ContadorEspera, 97);
    EXPECT_GE(ContadorEspera, 96);
    linha.central.AguardaOcioso();
    EXPECT_EQ(escrita ? linha.central.Escritas(7) : linha.central.PedidosLeitura(7), 1);
}

INSTANTIATE_TEST_SUITE_P(Linha, Aborto, ::testing::Bool(),
                         [](const auto& caso) { return std::string(caso.param ? "Write" : "Read"); });

class Log : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        anterior = QDir::currentPath();
        QDir::setCurrent(pasta.path());
    }
    void TearDown() override { QDir::setCurrent(anterior); }

    QTemporaryDir pasta;
    QString anterior;
};

TEST_F(Log, UnansweredProbeWithThreeAttempts)
{
    LinhaDeTeste linha;
    linha.central.IgnoraBloco36(true);
    CfgGravar = true;
    EXPECT_FALSE(LeBloco(36));
    const std::string tentativa = "\r\n\r\nTX (007)-> FF 02 00 08 24 BD AA \r\nRX (000)-> ";
    EXPECT_EQ(LeArquivo(NomeDoLog()), tentativa + tentativa + tentativa);
}

TEST_F(Log, LargestFrameAndItsAcknowledgement)
{
    LinhaDeTeste linha;
    CfgGravar = true;
    for (int i = 0; i < 1430; ++i)
        BufferDados[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_TRUE(EscreveBloco(16));
    const std::vector<std::uint8_t> quadro = Bytes(BufferQuadro, 1437);
    const std::vector<std::uint8_t> ack = Bytes(BufferRecepcao, 8);
    EXPECT_EQ(ack[5], 0x06);
    const std::string arquivo = LeArquivo(NomeDoLog());
    EXPECT_EQ(arquivo, RegistroEsperado(true, quadro) + RegistroEsperado(false, ack));
    EXPECT_NE(arquivo.find("TX (1437)-> FF 98 05 09 10 "), std::string::npos);
}

// A reply that comes after the time-out is thrown away while the line is
// drained, and still traced as received bytes before the next request.
TEST_F(Log, DiscardedBytesAreTracedToo)
{
    LinhaDeTeste linha;
    CfgGravar = true;
    CfgTentativas = 2;
    linha.central.PreencheAleatorio(9);
    linha.central.AtrasoResposta(kTicksEspera + 10);
    linha.central.InjetaFalha(Falha::RespostaAtrasada, 1);
    ASSERT_TRUE(LeBloco(2));
    const std::vector<std::uint8_t> pedido = QuadroCentral(8, 2, {});
    const std::vector<std::uint8_t> resposta = QuadroCentral(8, 2, linha.central.Bloco(2));
    EXPECT_EQ(LeArquivo(NomeDoLog()), RegistroEsperado(true, pedido) + RegistroEsperado(false, {})
                                          + RegistroEsperado(false, resposta) + RegistroEsperado(true, pedido)
                                          + RegistroEsperado(false, resposta));
}

// The frames carry the exchange's passwords: a new trace file is the
// owner's alone, and one that exists keeps the mode it has.
TEST_F(Log, ANewTraceFileIsTheOwnersAlone)
{
    UsualUmask umask;
    LinhaDeTeste linha;
    CfgGravar = true;
    ASSERT_TRUE(LeBloco(4));
    EXPECT_EQ(FileMode(NomeDoLog()), 0600);
    SetFileMode(NomeDoLog(), 0640);
    ASSERT_TRUE(LeBloco(4));
    EXPECT_EQ(FileMode(NomeDoLog()), 0640);
}

TEST_F(Log, AFileThatCannotBeOpenedIsSkipped)
{
    ASSERT_TRUE(QDir().mkdir(NomeDoLog())); // a directory where the file would be
    LinhaDeTeste linha;
    CfgGravar = true;
    EXPECT_TRUE(LeBloco(4));
}
