#include "link/comunica.h"

#include "link/serialportdriver.h"
#include "shell/registro.h"

#include <QCoreApplication>
#include <QDate>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

std::uint8_t BufferDados[kTamanhoBuffer];
std::uint8_t BufferRecepcao[kTamanhoBuffer];
std::uint16_t ContagemRecepcao = 0;
std::uint8_t BufferQuadro[kTamanhoBuffer];
std::uint16_t ContadorEspera = kTicksEspera;
bool ComunicacaoAbortada = false;
std::uint16_t VerificacaoQuadro = 0;
TSerialPortDriver* PortaComunicacao = nullptr;

namespace {

constexpr std::uint16_t kTamanhoBlocoTransmissao = 1500;
constexpr std::uint16_t kPolinomioX25 = 0x8408; // reflected 0x1021
constexpr std::uint16_t kCabecalhoQuadro = 5;    // FF, length (2), command, block
// The trace file is a text file of the PC: lines end in CR LF.
constexpr char kQuebraLinha[] = "\r\n";
constexpr int kBytesPorLinhaLog = 20;
constexpr char kRecuoLog[] = "            "; // 12 blanks

// One pass of the event loop that does not wait: what is pending runs.
void ProcessaMensagens()
{
    QCoreApplication::processEvents();
}

// One pass of the event loop that sleeps until something happens (a byte
// from the port, a timer tick, a click), so a wait costs no processor time.
void AguardaEvento()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Waits until count bytes arrived, the time-out ran out or the user aborted.
bool EsperaRecepcao(std::uint16_t quantidade)
{
    ContadorEspera = kTicksEspera;
    while (ContagemRecepcao < quantidade && ContadorEspera > 0 && !ComunicacaoAbortada)
        AguardaEvento();
    return ContagemRecepcao >= quantidade;
}

// Header and FCS around n data bytes already at BufferQuadro[5..]; returns
// the frame's length.
std::uint16_t MontaQuadro(std::uint8_t comando, std::uint8_t bloco, std::uint16_t n)
{
    const std::uint16_t comprimento = n + 2;
    BufferQuadro[0] = kInicioQuadro;
    BufferQuadro[1] = static_cast<std::uint8_t>(comprimento & 0xFF);
    BufferQuadro[2] = static_cast<std::uint8_t>(comprimento >> 8);
    BufferQuadro[3] = comando;
    BufferQuadro[4] = bloco;
    const std::uint16_t fim = kCabecalhoQuadro + n; // 0-based index of the FCS
    CalculaCrc16(BufferQuadro, VerificacaoQuadro, true, 1, fim);
    BufferQuadro[fim] = static_cast<std::uint8_t>(VerificacaoQuadro & 0xFF);
    BufferQuadro[fim + 1] = static_cast<std::uint8_t>(VerificacaoQuadro >> 8);
    return fim + 2;
}

bool AtingiuTentativas(int feitas)
{
    return feitas >= static_cast<int>(CfgTentativas) || ComunicacaoAbortada;
}

std::string NomeArquivoLog()
{
    return "C" + QDate::currentDate().toString(QStringLiteral("ddMMyy")).toStdString() + ".TXT";
}

std::string TextoRegistroLog(bool transmitido, std::uint16_t quantidade)
{
    const std::uint8_t* bytes = transmitido ? BufferQuadro : BufferRecepcao;
    const int total = std::min<int>(quantidade, kTamanhoBuffer);
    std::string texto = kQuebraLinha;
    if (transmitido)
        texto += kQuebraLinha;
    char campo[16];
    std::snprintf(campo, sizeof campo, "%03u", static_cast<unsigned>(quantidade));
    texto += transmitido ? "TX (" : "RX (";
    texto += campo;
    texto += ")-> ";
    for (int i = 1; i <= total; ++i) {
        if (i > 1 && (i - 1) % kBytesPorLinhaLog == 0) {
            texto += kQuebraLinha;
            texto += kRecuoLog;
        }
        std::snprintf(campo, sizeof campo, "%02X ", bytes[i - 1]);
        texto += campo;
    }
    return texto;
}

} // namespace

std::uint16_t AtualizaCrc16(std::uint16_t registro, std::uint8_t byte)
{
    for (int passo = 0; passo < 8; ++passo) {
        if ((registro ^ byte) & 1)
            registro = static_cast<std::uint16_t>((registro >> 1) ^ kPolinomioX25);
        else
            registro = static_cast<std::uint16_t>(registro >> 1);
        byte = static_cast<std::uint8_t>(byte >> 1);
    }
    return registro;
}

void CalculaCrc16(const std::uint8_t* quadro, std::uint16_t& resultado, bool complemento,
                  std::uint16_t primeiro, std::uint16_t ultimo)
{
    resultado = 0xFFFF;
    const std::uint16_t fim = std::min(ultimo, kTamanhoBuffer);
    for (std::uint16_t posicao = std::max<std::uint16_t>(primeiro, 1); posicao <= fim; ++posicao)
        resultado = AtualizaCrc16(resultado, quadro[posicao - 1]);
    if (complemento)
        resultado = static_cast<std::uint16_t>(~resultado);
}

bool EnviaQuadro(std::uint16_t tamanho)
{
    std::uint8_t transmissao[kTamanhoBlocoTransmissao];
    const std::uint16_t n = std::min(tamanho, kTamanhoBlocoTransmissao);
    std::memcpy(transmissao, BufferQuadro, n);
    // A shortfall after the output time-out shows as a missing reply.
    if (PortaComunicacao)
        PortaComunicacao->SendData(transmissao, n);
    GravaLogComunicacao(true, tamanho);
    return true;
}

bool AguardaBytes(std::uint16_t quantidade)
{
    return EsperaRecepcao(quantidade);
}

void EnviaPedidoLeitura(std::uint8_t bloco)
{
    std::memset(BufferRecepcao, 0, sizeof BufferRecepcao);
    const std::uint16_t tamanho = MontaQuadro(kComandoLeitura, bloco, 0);
    ContagemRecepcao = 0;
    EnviaQuadro(tamanho);
}

bool RecebeRespostaBloco(std::uint8_t bloco, std::uint16_t esperados)
{
    (void)bloco; // the reply is judged by its length and FCS only
    EsperaRecepcao(esperados);
    GravaLogComunicacao(false, ContagemRecepcao);
    if (ContagemRecepcao < esperados || esperados < 7)
        return false;
    std::memcpy(BufferQuadro, BufferRecepcao, ContagemRecepcao);
    // The echoed block number and the data: received bytes 4 .. expected-3.
    std::memcpy(BufferDados, BufferRecepcao + 4, esperados - 6);
    std::uint16_t residuo = 0;
    CalculaCrc16(BufferRecepcao, residuo, false, 1, ContagemRecepcao);
    return residuo == kResiduoCrcBom;
}

bool LeBloco(std::uint8_t bloco)
{
    std::memset(BufferDados, 0, sizeof BufferDados);
    const std::uint16_t esperados = TamanhoBloco(bloco) + 7;
    bool lido = false;
    int tentativas = 0;
    do {
        EnviaPedidoLeitura(bloco);
        lido = RecebeRespostaBloco(bloco, esperados);
        ProcessaMensagens();
        ++tentativas;
    } while (!lido && !AtingiuTentativas(tentativas));
    return lido;
}

bool EscreveBloco(std::uint8_t bloco)
{
    const std::uint16_t n = TamanhoBloco(bloco);
    std::memcpy(BufferQuadro + kCabecalhoQuadro, BufferDados, n);
    const std::uint16_t tamanho = MontaQuadro(kComandoEscrita, bloco, n);
    bool aceito = false;
    int tentativas = 0;
    do {
        // The receive buffer is not cleared here: a late acknowledgement of
        // the previous attempt counts for this one.
        ContagemRecepcao = 0;
        EnviaQuadro(tamanho);
        aceito = AguardaBytes(8) && BufferRecepcao[4] == 0xFF && BufferRecepcao[5] == 0x06;
        GravaLogComunicacao(false, ContagemRecepcao);
        ProcessaMensagens();
        ++tentativas;
    } while (!aceito && !AtingiuTentativas(tentativas));
    return aceito;
}

bool AbortaComunicacao()
{
    ComunicacaoAbortada = true;
    return true;
}

bool AbrePorta()
{
    return PortaComunicacao && PortaComunicacao->OpenPort();
}

void FechaPorta()
{
    if (PortaComunicacao)
        PortaComunicacao->ClosePort();
}

void GravaLogComunicacao(bool transmitido, std::uint16_t quantidade)
{
    if (!CfgGravar)
        return;
    const std::string nome = NomeArquivoLog();
    std::FILE* arquivo = std::fopen(nome.c_str(), "ab");
    if (!arquivo)
        arquivo = std::fopen(nome.c_str(), "wb");
    if (!arquivo)
        return;
    // A failed write (full disk, removed medium) loses the record only.
    const std::string texto = TextoRegistroLog(transmitido, quantidade);
    std::fwrite(texto.data(), 1, texto.size(), arquivo);
    std::fclose(arquivo);
}

void AcrescentaRecepcao(const void* dados, std::uint32_t tamanho)
{
    const std::uint32_t cabem = kTamanhoBuffer - ContagemRecepcao;
    const std::uint32_t n = std::min(tamanho, cabem);
    std::memcpy(BufferRecepcao + ContagemRecepcao, dados, n);
    ContagemRecepcao = static_cast<std::uint16_t>(ContagemRecepcao + n);
}

void ContaTickEspera()
{
    if (ContadorEspera > 0)
        --ContadorEspera;
}
