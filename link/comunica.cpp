#include "link/comunica.h"

#include "link/serialportdriver.h"
#include "platform/files.h"
#include "state/registro.h"

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
// The acknowledgement of a write: FF 03 00, a command byte, FF 06, FCS.
constexpr std::uint16_t kTamanhoConfirmacao = 8;
constexpr std::uint8_t kConfirmacaoAceita = 0x06;
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

// Ticks counted since the start, free-running: the drain measures the
// line's quiet time with them.
std::uint32_t ticksDecorridos = 0;
// Received bytes already written to the trace file.
std::uint16_t recepcaoRegistrada = 0;

bool PortaAberta()
{
    return PortaComunicacao && PortaComunicacao->IsOpen();
}

// Waits until count bytes arrived, the time-out ran out or the user aborted.
bool EsperaRecepcao(std::uint16_t quantidade)
{
    ContadorEspera = kTicksEspera;
    while (ContagemRecepcao < quantidade && ContadorEspera > 0 && !ComunicacaoAbortada && PortaAberta())
        AguardaEvento();
    return ContagemRecepcao >= quantidade;
}

// Waits for a frame that `procura` finds in the received bytes. Once the
// bytes of a whole frame have arrived without one, the wait goes on only
// while a matching header still waits for the rest of its frame.
template <typename Procura>
BuscaQuadro EsperaQuadro(std::uint16_t tamanhoQuadro, Procura procura)
{
    ContadorEspera = kTicksEspera;
    for (;;) {
        const BuscaQuadro busca = procura(BufferRecepcao, ContagemRecepcao);
        if (busca.achado || (ContagemRecepcao >= tamanhoQuadro && !busca.incompleto) || ContadorEspera == 0
            || ComunicacaoAbortada || !PortaAberta())
            return busca;
        AguardaEvento();
    }
}

// Writes the bytes received since the last trace record as a record of their
// own, so that discarded bytes are traced too.
void RegistraRecepcaoPendente()
{
    if (ContagemRecepcao <= recepcaoRegistrada)
        return;
    const std::uint16_t novos = ContagemRecepcao - recepcaoRegistrada;
    std::memmove(BufferRecepcao, BufferRecepcao + recepcaoRegistrada, novos);
    ContagemRecepcao = novos;
    GravaLogComunicacao(false, novos);
}

void RegistraRecepcao()
{
    GravaLogComunicacao(false, ContagemRecepcao);
    recepcaoRegistrada = ContagemRecepcao;
}

// Empties the receive buffer and the port's input: what arrived is traced
// and thrown away.
void EsvaziaRecepcao()
{
    if (PortaAberta())
        PortaComunicacao->DeliverPendingInput();
    RegistraRecepcaoPendente();
    std::memset(BufferRecepcao, 0, sizeof BufferRecepcao);
    ContagemRecepcao = 0;
    recepcaoRegistrada = 0;
}

// Throws away what arrives until the line has been quiet for kTicksSilencio
// ticks: the rest of a spoiled reply, a late reply, a second answer to a
// repeated frame. A line that never falls quiet is left after one time-out;
// the next request empties it again. The user's abort ends it at once.
void DrenaLinha()
{
    EsvaziaRecepcao();
    const std::uint32_t inicio = ticksDecorridos;
    std::uint32_t ultimoByte = inicio;
    while (!ComunicacaoAbortada && PortaAberta() && ticksDecorridos - ultimoByte < kTicksSilencio
           && ticksDecorridos - inicio < kTicksEspera) {
        AguardaEvento();
        if (ContagemRecepcao > 0) {
            EsvaziaRecepcao();
            ultimoByte = ticksDecorridos;
        }
    }
}

// What the frame sought looks like: its length, its command (-1: any), the
// byte at offset 4, and for the acknowledgement the byte at offset 5.
struct ModeloQuadro {
    std::uint16_t tamanho;
    int comando;
    std::uint8_t byte4;
    int byte5;
    std::uint16_t cabecalho; // bytes of the fixed head that are compared
};

bool CabecalhoConfere(const std::uint8_t* p, std::uint16_t disponiveis, const ModeloQuadro& modelo)
{
    const std::uint16_t comprimento = modelo.tamanho - 5;
    const int esperado[] = {kInicioQuadro, comprimento & 0xFF, comprimento >> 8, modelo.comando, modelo.byte4,
                            modelo.byte5};
    for (std::uint16_t i = 0; i < std::min(disponiveis, modelo.cabecalho); ++i)
        if (esperado[i] >= 0 && p[i] != esperado[i])
            return false;
    return true;
}

BuscaQuadro Procura(const std::uint8_t* bytes, std::uint16_t quantidade, const ModeloQuadro& modelo)
{
    BuscaQuadro busca;
    if (modelo.tamanho < 7)
        return busca;
    for (std::uint16_t inicio = 0; inicio < quantidade; ++inicio) {
        const std::uint16_t disponiveis = quantidade - inicio;
        if (disponiveis < modelo.cabecalho)
            break; // a header cut short is no frame yet
        if (!CabecalhoConfere(bytes + inicio, disponiveis, modelo))
            continue;
        if (disponiveis < modelo.tamanho) {
            busca.incompleto = true;
            continue;
        }
        std::uint16_t residuo = 0;
        CalculaCrc16(bytes + inicio, residuo, false, 1, modelo.tamanho);
        if (residuo == kResiduoCrcBom) {
            busca.achado = true;
            busca.inicio = inicio;
            return busca;
        }
    }
    return busca;
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
    EsvaziaRecepcao();
    const std::uint16_t tamanho = MontaQuadro(kComandoLeitura, bloco, 0);
    ContagemRecepcao = 0;
    EnviaQuadro(tamanho);
}

BuscaQuadro ProcuraResposta(const std::uint8_t* bytes, std::uint16_t quantidade, std::uint8_t bloco,
                            std::uint16_t tamanhoQuadro)
{
    return Procura(bytes, quantidade, {tamanhoQuadro, kComandoLeitura, bloco, -1, kCabecalhoQuadro});
}

BuscaQuadro ProcuraConfirmacao(const std::uint8_t* bytes, std::uint16_t quantidade)
{
    // The acknowledgement's command byte is not fixed by the line format.
    return Procura(bytes, quantidade, {kTamanhoConfirmacao, -1, 0xFF, kConfirmacaoAceita, kCabecalhoQuadro + 1});
}

bool RecebeRespostaBloco(std::uint8_t bloco, std::uint16_t esperados)
{
    const BuscaQuadro busca = EsperaQuadro(esperados, [bloco, esperados](const std::uint8_t* bytes, std::uint16_t n) {
        return ProcuraResposta(bytes, n, bloco, esperados);
    });
    RegistraRecepcao();
    if (!busca.achado)
        return false;
    std::memcpy(BufferQuadro, BufferRecepcao, ContagemRecepcao);
    // The echoed block number and the data: frame bytes 4 .. expected-3.
    std::memcpy(BufferDados, BufferRecepcao + busca.inicio + 4, esperados - 6);
    return true;
}

bool LeBloco(std::uint8_t bloco)
{
    std::memset(BufferDados, 0, sizeof BufferDados);
    const std::uint16_t esperados = TamanhoBloco(bloco) + 7;
    bool lido = false;
    int tentativas = 0;
    for (;;) {
        EnviaPedidoLeitura(bloco);
        lido = RecebeRespostaBloco(bloco, esperados);
        ProcessaMensagens();
        ++tentativas;
        if (lido || AtingiuTentativas(tentativas))
            break;
        DrenaLinha();
        if (ComunicacaoAbortada)
            break;
    }
    // A second answer to a repeated request, or whatever came with the
    // reply, must not reach the next block.
    if (lido && (tentativas > 1 || ContagemRecepcao != esperados))
        DrenaLinha();
    return lido;
}

bool EscreveBloco(std::uint8_t bloco)
{
    const std::uint16_t n = TamanhoBloco(bloco);
    std::memcpy(BufferQuadro + kCabecalhoQuadro, BufferDados, n);
    const std::uint16_t tamanho = MontaQuadro(kComandoEscrita, bloco, n);
    bool aceito = false;
    int tentativas = 0;
    for (;;) {
        // The acknowledgement carries no block number: only what arrives
        // after this frame went out may count for it.
        EsvaziaRecepcao();
        EnviaQuadro(tamanho);
        const BuscaQuadro busca = EsperaQuadro(kTamanhoConfirmacao, ProcuraConfirmacao);
        aceito = busca.achado;
        RegistraRecepcao();
        ProcessaMensagens();
        ++tentativas;
        if (aceito || AtingiuTentativas(tentativas))
            break;
        DrenaLinha();
        if (ComunicacaoAbortada)
            break;
    }
    if (aceito && (tentativas > 1 || ContagemRecepcao != kTamanhoConfirmacao))
        DrenaLinha();
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
    // The frames carry the passwords of the exchange: a new trace file is
    // the owner's alone. A failed write (full disk, removed medium) loses
    // the record only.
    const std::string texto = TextoRegistroLog(transmitido, quantidade);
    FileFault falha;
    AppendToFile(QString::fromStdString(NomeArquivoLog()), QByteArray::fromStdString(texto), NewFileAccess::OwnerOnly,
                 falha);
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
    ++ticksDecorridos;
    if (ContadorEspera > 0)
        --ContadorEspera;
}
