#pragma once
// The block codec: which image bytes each exchange block carries, the few
// blocks transformed on the way (clock, names, shared activation bits, area
// code, relative wake-up times) and the blocks of each programming item.
// Works on the link layer's BufferDados and on Imagem.
#include <QDate>
#include <QTime>

#include <bitset>
#include <cstdint>
#include <vector>

using TConjuntoBlocos = std::bitset<256>;

struct FaixaBlocos {
    std::uint8_t primeiro;
    std::uint8_t ultimo;
};

// Date and time at the start of a transmission, set by the transfer window
// before its first block: the clock sent when the calendar was not edited,
// and the base of the relative wake-up times.
extern QDate DataInicioTransmissao;
extern QTime HoraInicioTransmissao;

// Stores the block just read (BufferDados[0] the echoed number, data from
// BufferDados[1]) into the image. Blocks without image bytes are ignored.
void GuardaBlocoRecebido(std::uint8_t bloco);
// Fills BufferDados with zeros, then with the block's data from the image.
// The clock rule sends the PC's clock unless the calendar was edited.
void MontaBlocoEnvio(std::uint8_t bloco, bool regraRelogio);

// Two general speed-dial entries (12 bytes each) hold the same number.
bool MesmaEntradaAgenda(const std::uint8_t* a, const std::uint8_t* b);
std::uint8_t ByteParaBcd(std::uint8_t valor);
// A relative wake-up interval [minute, hour] becomes the time of day it
// falls on after the transmission start, with the relative mark 0xC0 in
// the hour byte.
void SomaHoraTransmissao(std::uint8_t* minutoHora);

// The item's block set and block range; an item moves the blocks of its set
// that lie in its range.
TConjuntoBlocos BlocosDoItem(int item);
FaixaBlocos FaixaDoItem(int item);
// The blocks a transfer of the item moves, in order (on transmit, item 4
// sends block 3 before block 2). Items without blocks give none.
std::vector<std::uint8_t> BlocosDaTransferencia(int item, bool transmitir);
