// The link layer against the simulated exchange: frames, FCS, block sizes,
// reads and writes of every block, attempts, faults, abort, trace file.
#include "link/codecblocos.h"
#include "link/comunica.h"
#include "shell/registro.h"
#include "tests/link/centralsimulada.h"
#include "tests/link/linhateste.h"
#include "tests/support/casenames.h"

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

class Falhas : public ::testing::TestWithParam<CasoFalha> {};

// Each fault costs the attempts it should, and a block that fails is never
// stored: neither in the image (read) nor in the exchange (write).
TEST_P(Falhas, CostAttemptsAndStoreNothingBad)
{
    const CasoFalha caso = GetParam();
    constexpr std::uint8_t kBloco = 1; // 117 bytes, straight to the image
    LinhaDeTeste linha(3); // a time-out of about 300 ms
    linha.central.PreencheAleatorio(21);
    linha.central.AtrasoResposta(std::chrono::milliseconds(450));
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

INSTANTIATE_TEST_SUITE_P(
    Linha, Falhas,
    ::testing::Values(
        CasoFalha{"NoAnswerOnce", Falha::SemResposta, 1, false, true, 2},
        CasoFalha{"NoAnswer", Falha::SemResposta, -1, false, false, 3},
        CasoFalha{"LateOnce", Falha::RespostaAtrasada, 1, false, true, 2},
        CasoFalha{"FlippedBitTwice", Falha::BitInvertido, 2, false, true, 3},
        CasoFalha{"FlippedBit", Falha::BitInvertido, -1, false, false, 3},
        CasoFalha{"DroppedByte", Falha::ByteOmitido, -1, false, false, 3},
        CasoFalha{"ExtraBytesOnce", Falha::BytesExtras, 1, false, true, 2},
        CasoFalha{"ExtraBytes", Falha::BytesExtras, -1, false, false, 3},
        // A reply that arrives after the next request counts for that one.
        CasoFalha{"LateEveryTime", Falha::RespostaAtrasada, -1, false, true, 2},
        CasoFalha{"WriteNoAnswer", Falha::SemResposta, -1, true, false, 3},
        // The first attempt's acknowledgement arrives during the second.
        CasoFalha{"WriteLateAck", Falha::RespostaAtrasada, -1, true, true, 2},
        CasoFalha{"WriteRefusedOnce", Falha::ConfirmacaoErrada, 1, true, true, 2},
        CasoFalha{"WriteRefused", Falha::ConfirmacaoErrada, -1, true, false, 3},
        CasoFalha{"WriteAckFlippedBit", Falha::BitInvertido, -1, true, false, 3, true},
        CasoFalha{"WriteAckDroppedByte", Falha::ByteOmitido, -1, true, false, 3, true},
        CasoFalha{"WriteAckExtraBytes", Falha::BytesExtras, -1, true, true, 1}),
    [](const ::testing::TestParamInfo<CasoFalha>& caso) { return std::string(caso.param.nome); });

TEST(Linha, ALateReplyFailsItsOnlyAttempt)
{
    LinhaDeTeste linha;
    linha.central.AtrasoResposta(std::chrono::milliseconds(400));
    linha.central.InjetaFalha(Falha::RespostaAtrasada);
    CfgTentativas = 1;
    EXPECT_FALSE(LeBloco(2));
    linha.central.AguardaOcioso();
    EXPECT_EQ(linha.central.PedidosLeitura(2), 1);
}

class Aborto : public ::testing::TestWithParam<bool> {};

// The abort, given during a wait, ends it in the same pass of the event
// loop (no further tick is counted) and starts no new attempt.
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
    EXPECT_EQ(ContadorEspera, 97);
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

TEST_F(Log, AFileThatCannotBeOpenedIsSkipped)
{
    ASSERT_TRUE(QDir().mkdir(NomeDoLog())); // a directory where the file would be
    LinhaDeTeste linha;
    CfgGravar = true;
    EXPECT_TRUE(LeBloco(4));
}
