// The link layer's receive path: a read of one block whose reply is the
// input, delivered as the exchange's bytes would arrive on an open port.
// Nothing outside the buffers is touched (the sanitizers watch), and a reply
// is taken only when a whole frame in the input answers this request: start
// byte, the length of the block's frame, command 8, the echoed block number
// and a good frame check. The codec then gets that frame's number and data
// and nothing more. Input: byte 0 the block asked for, then the bytes that
// arrive.
#include "tests/fuzz/support/fuzz.h"

#include "link/comunica.h"
#include "state/registro.h"

#include "link/serialportdriver.h"

#include <QObject>
#include <QTimer>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace {

// An open port for the link to send its request through: the slave side
// of a pseudo-terminal, whose master side nobody answers. Opened once.
struct Terminal {
    Terminal()
    {
        mestre = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (mestre < 0 || grantpt(mestre) != 0 || unlockpt(mestre) != 0)
            return;
        porta.SetPortName(QString::fromLocal8Bit(ptsname(mestre)));
        porta.SetPollingDelay(1000);
        aberta = porta.OpenPort();
    }
    // Throws away what the link sent, so the terminal never fills up.
    void Descarta() const
    {
        char lixo[4096];
        while (read(mestre, lixo, sizeof lixo) > 0) {
        }
    }
    int mestre = -1;
    TSerialPortDriver porta;
    bool aberta = false;
};

// In place of the exchange: the first pass of the event loop delivers the
// reply, each later one is a tick of the time-out, so that a missing or
// short reply ends the wait after its 100 ticks.
class CentralSubstituta : public QObject {
public:
    CentralSubstituta(const Terminal& terminal, const std::uint8_t* resposta, std::size_t tamanho)
        : terminal_(terminal), resposta_(resposta), tamanho_(tamanho)
    {
        QObject::connect(&relogio_, &QTimer::timeout, this, [this] { Passo(); });
        relogio_.start(0);
    }

private:
    void Passo()
    {
        terminal_.Descarta();
        if (entregue_) {
            ContaTickEspera();
            return;
        }
        AcrescentaRecepcao(resposta_, static_cast<std::uint32_t>(tamanho_));
        entregue_ = true;
    }

    const Terminal& terminal_;
    const std::uint8_t* resposta_;
    std::size_t tamanho_;
    bool entregue_ = false;
    QTimer relogio_;
};

bool ResiduoBom(const std::uint8_t* bytes, std::size_t n)
{
    std::uint16_t registro = 0xFFFF;
    for (std::size_t i = 0; i < n; ++i)
        registro = AtualizaCrc16(registro, bytes[i]);
    return registro == kResiduoCrcBom;
}

// Whether a whole frame answering the read of `bloco` starts at byte k.
bool RespondeEm(const std::uint8_t* bytes, std::size_t quantidade, std::size_t k, std::uint8_t bloco)
{
    const std::size_t n = TamanhoBloco(bloco);
    const std::size_t comprimento = n + 2;
    return k + n + 7 <= quantidade && bytes[k] == 0xFF && bytes[k + 1] == (comprimento & 0xFF)
           && bytes[k + 2] == (comprimento >> 8) && bytes[k + 3] == 0x08 && bytes[k + 4] == bloco
           && ResiduoBom(bytes + k, n + 7);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    FuzzInit();
    const std::uint8_t bloco = data[0];
    const std::uint8_t* resposta = data + 1;
    const std::size_t chegaram = std::min<std::size_t>(size - 1, kTamanhoBuffer);
    static Terminal terminal;
    FuzzCheck(terminal.aberta, "the pseudo-terminal opens as a port");
    PortaComunicacao = &terminal.porta;
    CfgGravar = false;
    CfgTentativas = 1;
    ComunicacaoAbortada = false;

    CentralSubstituta central(terminal, resposta, size - 1);
    const bool lido = LeBloco(bloco);

    if (lido) {
        const std::size_t n = TamanhoBloco(bloco);
        std::size_t k = 0;
        while (k < chegaram && !RespondeEm(resposta, chegaram, k, bloco))
            ++k;
        FuzzCheck(k < chegaram, "only a whole frame answering this read is taken");
        FuzzCheck(std::memcmp(BufferDados, resposta + k + 4, n + 1) == 0, "the codec gets the frame's number and data");
        FuzzCheck(std::all_of(BufferDados + n + 1, BufferDados + kTamanhoBuffer, [](std::uint8_t b) { return b == 0; }),
                  "nothing past the block's data");
    }
    return 0;
}

namespace {

// The reply the exchange gives to a read of the block, with its data.
std::string Resposta(std::uint8_t bloco, std::uint8_t enchimento)
{
    const std::uint16_t n = TamanhoBloco(bloco);
    std::string quadro = {'\xFF', static_cast<char>((n + 2) & 0xFF), static_cast<char>((n + 2) >> 8), '\x08',
                          static_cast<char>(bloco)};
    for (std::uint16_t i = 0; i < n; ++i)
        quadro += static_cast<char>(enchimento + i);
    std::uint16_t fcs = 0xFFFF;
    for (char c : quadro)
        fcs = AtualizaCrc16(fcs, static_cast<std::uint8_t>(c));
    fcs = static_cast<std::uint16_t>(~fcs);
    quadro += static_cast<char>(fcs & 0xFF);
    quadro += static_cast<char>(fcs >> 8);
    return quadro;
}

} // namespace

// Good replies to small, large and unknown blocks; a flipped bit, a short
// reply, a reply with extra bytes, noise before a reply, the reply to
// another block, silence.
std::vector<std::string> FuzzSeeds()
{
    const auto pedido = [](std::uint8_t bloco, const std::string& resposta) {
        return std::string(1, static_cast<char>(bloco)) + resposta;
    };
    std::string virado = Resposta(7, 1);
    virado[9] ^= 0x10;
    return {
        pedido(36, Resposta(36, 0)),
        pedido(0, Resposta(0, 0x12)),
        pedido(16, Resposta(16, 3)),
        pedido(129, Resposta(129, 5)),
        pedido(9, Resposta(9, 0)),
        pedido(7, virado),
        pedido(7, Resposta(7, 1).substr(0, 20)),
        pedido(2, Resposta(2, 1) + "\x06"),
        pedido(36, ""),
        pedido(129, "\x55\xFF" + Resposta(129, 5)),
        pedido(128, Resposta(129, 5)),
    };
}
