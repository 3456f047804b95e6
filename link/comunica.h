#pragma once
// The link layer: moves one numbered block at a time between the PC and the
// exchange. Frames (FF, length, command, block, data, FCS), the CRC-16/X-25
// check, read and write with attempts, the reply time-out counted in ticks
// of the transfer window's 50 ms timer, the user's abort and the daily trace
// file. Plain routines over the buffers and flags below; the transfer window
// owns the port, feeds received bytes in and ticks the time-out down.
#include <cstdint>

class TSerialPortDriver;

constexpr std::uint16_t kTamanhoBuffer = 2048;
constexpr std::uint16_t kTamanhoMaximoQuadro = 1437; // largest block + 7
constexpr std::uint16_t kTicksEspera = 100;          // about 5 s of 50 ms ticks
// Ticks without a byte that end the draining of the line after a failed
// attempt or a retry (about 2 s): twice the longest answer time that an
// exchange may take without stretching a transfer, so that the answer to a
// repeated frame, which comes one answer time after that frame, and a reply
// late by less than that past the time-out are discarded, not taken for the
// next frame.
constexpr std::uint16_t kTicksSilencio = 40;
constexpr std::uint16_t kResiduoCrcBom = 0xF0B8;

enum : std::uint8_t {
    kInicioQuadro = 0xFF,
    kComandoLeitura = 8,
    kComandoEscrita = 9,
};

// Block data shared with the block codec. Before a write: bytes 0..n-1 are
// the data to send. After a read: byte 0 is the echoed block number, bytes
// 1..n the data.
extern std::uint8_t BufferDados[kTamanhoBuffer];
// Bytes received from the port, in arrival order, and their count.
extern std::uint8_t BufferRecepcao[kTamanhoBuffer];
extern std::uint16_t ContagemRecepcao;
// The frame being sent; after a read, a copy of the bytes received.
extern std::uint8_t BufferQuadro[kTamanhoBuffer];
// Ticks left of the running wait.
extern std::uint16_t ContadorEspera;
extern bool ComunicacaoAbortada;
// The FCS last computed for a frame being sent.
extern std::uint16_t VerificacaoQuadro;
// The port the layer talks through: the transfer window's.
extern TSerialPortDriver* PortaComunicacao;

std::uint16_t AtualizaCrc16(std::uint16_t registro, std::uint8_t byte);
// FCS over the bytes at 1-based positions first..last of the frame (none
// when last < first; positions beyond the 2048-byte buffer are not read),
// complemented when asked.
void CalculaCrc16(const std::uint8_t* quadro, std::uint16_t& resultado, bool complemento,
                  std::uint16_t primeiro, std::uint16_t ultimo);

struct TamanhoDeBloco {
    std::uint8_t bloco;
    std::uint16_t tamanho; // data bytes
};

// The blocks the exchange knows and their data sizes.
inline constexpr TamanhoDeBloco kTamanhosBlocos[] = {
    {0, 8},     {1, 117},   {2, 4},     {3, 32},    {4, 26},    {5, 2},
    {6, 960},   {7, 36},    {8, 16},    {10, 7},    {11, 10},   {12, 30},
    {13, 2},    {14, 350},  {15, 2},    {16, 1430}, {17, 40},   {18, 49},
    {19, 34},   {20, 25},   {21, 25},   {22, 1},    {23, 15},   {24, 2},
    {25, 2},    {26, 40},   {27, 53},   {28, 3},    {29, 66},   {30, 24},
    {32, 5},    {33, 48},   {34, 128},  {36, 2},    {128, 12},  {129, 12},
    {130, 12},  {131, 12},  {132, 26},  {133, 12},  {134, 12},  {135, 12},
    {136, 12},  {137, 12},  {138, 12},  {139, 80},  {141, 120}, {200, 320},
    {201, 2},   {202, 17},  {203, 47},  {204, 5},
};

// Data bytes of a block number; 0 for a number the exchange does not know.
constexpr std::uint16_t TamanhoBloco(std::uint8_t bloco)
{
    for (const TamanhoDeBloco& t : kTamanhosBlocos)
        if (t.bloco == bloco)
            return t.tamanho;
    return 0;
}
static_assert(TamanhoBloco(16) + 7 == kTamanhoMaximoQuadro);

// Where a frame stands in received bytes. `achado`: a whole frame that
// answers the request starts at `inicio`. `incompleto`: no such frame yet,
// but a header that matches it has arrived and the rest of its frame has
// not, so more bytes may still complete it.
struct BuscaQuadro {
    bool achado = false;
    bool incompleto = false;
    std::uint16_t inicio = 0;
};
// The reply to a read of `bloco`: start byte, the length of a frame of
// `tamanhoQuadro` bytes, command 8, the echoed block number, and its own
// FCS good at the end its length gives. Bytes before or after it do not
// make it good or bad.
BuscaQuadro ProcuraResposta(const std::uint8_t* bytes, std::uint16_t quantidade, std::uint8_t bloco,
                            std::uint16_t tamanhoQuadro);
// The acknowledgement of a write: the 8-byte frame with length 3, bytes 4
// and 5 FF 06 and its own FCS good.
BuscaQuadro ProcuraConfirmacao(const std::uint8_t* bytes, std::uint16_t quantidade);

// The waits below keep the event loop running, blocked until the next event
// (a received byte, a timer tick, a click); the transfer window's timer must
// run while they wait, as it counts the time-out.
bool EnviaQuadro(std::uint16_t tamanho);
bool AguardaBytes(std::uint16_t quantidade);
void EnviaPedidoLeitura(std::uint8_t bloco);
// Waits for the frame that answers the read of `bloco` (`esperados` bytes
// long) and, when it came, copies its echoed number and data to BufferDados.
bool RecebeRespostaBloco(std::uint8_t bloco, std::uint16_t esperados);
// Reads a block into BufferDados (byte 0 the echoed number, then the data).
// Before every request the receive buffer and the port's input are emptied;
// after a failed attempt, and after a read that took more than one attempt
// or brought bytes beyond its frame, the line is drained until it has been
// quiet for kTicksSilencio ticks, so that nothing of an earlier request
// counts for a later one. The same holds for EscreveBloco.
bool LeBloco(std::uint8_t bloco);
// Writes the TamanhoBloco(bloco) bytes of BufferDados as the block.
bool EscreveBloco(std::uint8_t bloco);
bool AbortaComunicacao();
bool AbrePorta();
void FechaPorta();
void GravaLogComunicacao(bool transmitido, std::uint16_t quantidade);

// For the transfer window's handlers: ComReceiveData appends what the port
// delivered (bytes beyond the buffer's 2048 are dropped), TimerAtrasoTimer
// counts the running wait down by one tick (and the line's quiet time up).
void AcrescentaRecepcao(const void* dados, std::uint32_t tamanho);
void ContaTickEspera();
