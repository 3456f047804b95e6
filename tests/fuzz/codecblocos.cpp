// The block codec both ways: a received block (any data) stored into an
// image, then the same block built for sending from that image. The store
// reads only the block's own data and changes only the image; the build
// writes only the block's data and leaves the image as it was, but for the
// clock it sends and the activation bits two blocks share. Nothing is
// written outside the image or the data buffer (the sanitizers watch).
// Input: byte 0 the block, byte 1 the clock rule and the calendar's flags
// (bits 0 to 2) and the start hour (bits 3 to 7), then the data, which also
// varies the image (the template, each byte xor the data).
#include "tests/fuzz/support/fuzz.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "link/codecblocos.h"
#include "link/comunica.h"
#include "state/registro.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes CopiaImagem()
{
    return Bytes(Imagem, Imagem + kTamanhoImagem);
}

Bytes CopiaDados()
{
    return Bytes(BufferDados, BufferDados + kTamanhoBuffer);
}

// The received block: number, then the data, the rest of the buffer zero.
void PoeRecebido(std::uint8_t bloco, const std::uint8_t* dados, std::size_t n)
{
    std::memset(BufferDados, 0, kTamanhoBuffer);
    BufferDados[0] = bloco;
    std::memcpy(BufferDados + 1, dados, std::min<std::size_t>(n, kTamanhoBuffer - 1));
}

// Bytes of the image that differ, but for those listed.
bool SoMudaram(const Bytes& antes, std::initializer_list<int> permitidos)
{
    for (int i = 0; i < kTamanhoImagem; ++i)
        if (Imagem[i] != antes[static_cast<std::size_t>(i)]
            && std::find(permitidos.begin(), permitidos.end(), i) == permitidos.end())
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    FuzzInit();
    static const auto imagem = std::make_unique<std::uint8_t[]>(kTamanhoImagem);
    static const Bytes padrao = [] {
        Bytes b(kTamanhoImagem);
        PreencheImagemPadrao(b.data());
        return b;
    }();
    const std::uint8_t bloco = data[0];
    const std::uint8_t modo = data[1];
    const std::uint8_t* dados = data + 2;
    const std::size_t n = size - 2;
    const std::size_t tamanho = TamanhoBloco(bloco);
    const bool regraRelogio = modo & 1;
    ItensDisponiveis.fill(0);
    ItensEditados.fill(0);
    ItensDisponiveis[ipCalendario - 1] = (modo >> 1) & 1;
    ItensEditados[ipCalendario - 1] = (modo >> 2) & 1;
    DataInicioTransmissao = QDate(2026, 12, 31);
    HoraInicioTransmissao = QTime((modo >> 3) % 24, n > 0 ? dados[0] % 60 : 59, 30);

    Imagem = imagem.get();
    for (std::size_t i = 0; i < kTamanhoImagem; ++i)
        Imagem[i] = static_cast<std::uint8_t>(padrao[i] ^ (n > 0 ? dados[i % n] : 0));
    const Bytes original = CopiaImagem();

    // Storing: the buffer is only read, and only the block's own data count
    // (the clock falls back on the PC's clock for a bad date, so block 0 is
    // compared only for what it reads).
    PoeRecebido(bloco, dados, n);
    const Bytes recebido = CopiaDados();
    GuardaBlocoRecebido(bloco);
    FuzzCheck(CopiaDados() == recebido, "storing a block leaves the data buffer");
    if (bloco != 0) {
        const Bytes guardado = CopiaImagem();
        std::memcpy(Imagem, original.data(), kTamanhoImagem);
        std::fill(BufferDados + 1 + tamanho, BufferDados + kTamanhoBuffer, 0xA5);
        GuardaBlocoRecebido(bloco);
        FuzzCheck(CopiaImagem() == guardado, "storing reads nothing past the block's data");
    }

    // Building: only the block's data bytes, and the image kept.
    const Bytes antes = CopiaImagem();
    std::memset(BufferDados, 0x5A, kTamanhoBuffer);
    MontaBlocoEnvio(bloco, regraRelogio);
    FuzzCheck(std::all_of(BufferDados + tamanho, BufferDados + kTamanhoBuffer, [](std::uint8_t b) { return b == 0; }),
              "nothing past the block's data");
    if (bloco == 18)
        FuzzCheck(SoMudaram(antes, {ofsAtivacaoNoturno}), "the night block takes only its activation bits");
    else if (bloco == 20)
        FuzzCheck(SoMudaram(antes, {ofsAtivacaoAtuacao}), "the actuation block takes only its activation bits");
    else if (bloco != 0 || !regraRelogio)
        FuzzCheck(CopiaImagem() == antes, "building a block leaves the image");
    return 0;
}

// Every block the exchange knows, then an unknown one; the clock block
// under each rule, with a bad date and time, and the blocks with their own
// rules given data that takes them (relative wake-up times, empty owners,
// speed-dial entries that differ).
std::vector<std::string> FuzzSeeds()
{
    std::vector<std::string> seeds;
    for (const TamanhoDeBloco& t : kTamanhosBlocos) {
        std::string s = {static_cast<char>(t.bloco), '\x00'};
        for (std::uint16_t i = 0; i < t.tamanho; ++i)
            s += static_cast<char>(i * 7 + t.bloco);
        seeds.push_back(s);
    }
    seeds.push_back(std::string("\x09\x00", 2) + "abc");
    seeds.push_back(std::string("\x00\x01\x01\x30\x59\x23\x31\x12\x26\x04", 10));
    seeds.push_back(std::string("\x00\x07\x99\x99\x99\x99\x32\x13\xA0\x09", 10));
    seeds.push_back(std::string("\x00\xFB\x00\x00\x00\x00\x00\x00\x00\x00", 10));
    std::string despertadores = {'\x1B', '\x58'};
    for (int k = 0; k < 12; ++k)
        despertadores += std::string{static_cast<char>(k * 5), static_cast<char>(0xC0 | (k * 2)), '\x61', '\x62'};
    seeds.push_back(despertadores);
    seeds.push_back(std::string("\x11\x00", 2) + std::string(40, '\x0C'));
    seeds.push_back(std::string("\x06\x00", 2) + std::string(960, '\x00'));
    return seeds;
}
