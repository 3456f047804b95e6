#include "image/padrao.h"

#include "image/assinatura.h"
#include "image/emergencia.h"
#include "image/layout.h"
#include "image/prefixos.h"
#include "image/registro.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace {

constexpr std::uint8_t R = kSemReferencia;
constexpr std::uint8_t H = kSemHorario;

// A dial record with no number, route 0.
constexpr int kNumeroVazio = kTamanhoNumero;

std::vector<std::uint8_t> Concatena(std::initializer_list<std::vector<std::uint8_t>> partes)
{
    std::vector<std::uint8_t> saida;
    for (const auto& parte : partes)
        saida.insert(saida.end(), parte.begin(), parte.end());
    return saida;
}

std::vector<std::uint8_t> Zeros(int n) { return std::vector<std::uint8_t>(n, 0); }

// Terminal keys: lines 1..4, no function, the twelve extensions in plan
// order, three without function, general ring, lock, monitor, door phone 1,
// external actuation 1.
std::vector<std::uint8_t> TeclasPadrao()
{
    std::vector<std::uint8_t> teclas = {129, 130, 131, 132, 255};
    for (std::uint8_t indice = 0; indice < kPosicoesRamal; ++indice)
        teclas.push_back(indice);
    teclas.insert(teclas.end(), {255, 255, 255, 109, 108, 106, 100, 102});
    return teclas;
}

// The prefix tree of the default list, as the table builder stores it.
std::vector<std::uint8_t> PrefixosPadrao(const AreaImagem& area)
{
    const auto arvore = MontaArvorePrefixos(ListaPrefixosPadrao());
    if (!arvore)
        throw std::logic_error("the default prefix list does not fit the prefix tree");
    std::vector<std::uint8_t> imagem(kTamanhoImagem, 0);
    GravaArvorePrefixos(imagem.data(), *arvore);
    return {imagem.begin() + area.inicio, imagem.begin() + area.fim()};
}

} // namespace

// "00" international, "01".."09" long-distance, "1".."9" local, none with
// a carrier. The fixed prefixes then lead through the reserved nodes and "90",
// "0800" and "000" carry the mark.
const std::vector<std::string>& ListaPrefixosPadrao()
{
    static const std::vector<std::string> lista = [] {
        std::vector<std::string> entradas = {"00-3-0"};
        for (char d = '1'; d <= '9'; ++d)
            entradas.push_back(std::string{'0', d} + "-2-0");
        for (char d = '1'; d <= '9'; ++d)
            entradas.push_back(std::string{d} + "-0-0");
        return entradas;
    }();
    return lista;
}

const std::vector<PadraoArea>& PadroesImagem()
{
    static const std::vector<PadraoArea> padroes = {
        // The status byte a new programming starts with, as at start-up.
        {"EstadoCentral", {9}},
        {"Assinatura", {kAssinatura.begin(), kAssinatura.end()}},
        // Saturday 01/01/00 00:00:00; the calendar window sets the real clock.
        {"DataHoraCentral", {7, 1, 1, 0, 0, 0, 0}},
        // Extensions receive external calls and have local, long-distance,
        // regional and internal access, by day and by night; routes 1..4
        // off (bit 0, which no window shows, set); "Rota 0" as sub-route;
        // no facilities, no general flags.
        {"AcessoDiurno", {0xB7}},
        {"AcessoNoturno", {0xB7}},
        {"RotasDiurnas", {0x01}},
        {"RotasNoturnas", {0x01}},
        {"FacilidadesDiurnas", {0}},
        {"FacilidadesNoturnas", {0}},
        {"SubRotaDiurna", {0}},
        {"SubRotaNoturna", {0}},
        {"FlagsRamal", {0}},
        // Trunks: 8 local digits, digit limit, IU table; attendant position 1,
        // overflow and night attendant position 2; overflow 35 s, dial tone
        // 7 x 5 s, billing from 7 s; night overflow on. Mode: route 0,
        // multi-frequency, outgoing and incoming.
        {"ConfiguracaoVias", {0x1A, 0x00, 0x01, 0x01, 0x23, 0x07, 0x07, 0x80}},
        {"ModoVias", {0x68}},
        // No number in the 13th word of the plan.
        {"RamalPosicaoExtra", {0xBB, 0x00}},
        // Groups not programmed (type bit 6) and without members; 3 rings
        // before diversion, as the groups window stores when none is chosen.
        {"ToquesDesvioGrupo", {3}},
        {"GruposRamais", {0x40, R, R, R, R, R, R, R}},
        {"ChefesGrupo", {R}},
        {"SecretariasGrupo", {R}},
        // Flash 2 x 100 ms, 5 wake-up rings, 3 recall rings, actuation 4 s,
        // 9 external recall attempts 1 min apart.
        {"ValoresTemporizacao", {2, 5, 3, 4, 0, 9, 1}},
        // No emergency extension, no internal or external destination.
        {"DestinosEmergencia", Concatena({{R, kEmergenciaSemInterno}, Zeros(kNumeroVazio), {R}, Zeros(kNumeroVazio),
                                          Zeros(13)})},
        // No answering extension or number; command 1 s (x 50), wait 30 s.
        {"AtendedorPorteiro", Concatena({{R}, Zeros(kNumeroVazio), {50, 30}, Zeros(15)})},
        // Billing of originated calls; transferred-call return, conference,
        // music on hold; extension passwords of 2 digits.
        {"BilhetagemDiversas", {0x40}},
        {"FacilidadesDiversas", {0x32}},
        {"DigitosSenhaRamal", {2}},
        {"CodigoDdd", {0xFF, 0xFF}},
        {"PrefixosRaiz", PrefixosPadrao(Area("PrefixosRaiz"))},
        {"PrefixosNos", PrefixosPadrao(Area("PrefixosNos"))},
        {"HorariosAtuacao", {H}},
        {"HorariosNoturno", {H}},
        {"DonosCodigoParticular", {R}},
        {"Despertadores", {H, H, H, H}},
        // Per extension: no hot line, no diversions, password cleared,
        // 3 rings before diversion, flash 4, hold return 15, recall 3 s on
        // trunks and none on extensions, no lock, no facilities.
        {"LinhaDireta", {0xFF}},
        {"DesvioNaoAtende", {R}},
        {"DesvioOcupado", {R}},
        {"SigaMe", {R}},
        {"SenhasRamais", {0xED, 0xED}},
        {"ToquesDesvioRamal", {3}},
        {"TempoFlash", {4}},
        {"TempoRetornoEspera", {15}},
        {"TemposRechamada", {0x37}},
        {"CadeadoRamal", {0xFF}},
        {"FacilidadesRamal", {0}},
        {"SenhasCodigoParticular", {0xED, 0xED}},
        {"RamaisTerminaisTI", {R}},
        {"TeclasTI", TeclasPadrao()},
        {"OperadorasTabela1", {0xAA}},
        {"OperadorasTabela2", {0xAA}},
    };
    return padroes;
}

void PreencheImagemPadrao(std::uint8_t* imagem)
{
    std::fill(imagem, imagem + kTamanhoImagem, std::uint8_t{0});
    for (const PadraoArea& padrao : PadroesImagem()) {
        const AreaImagem& area = Area(padrao.area);
        const int n = static_cast<int>(padrao.padrao.size());
        if (n == 0 || area.tamanho % n != 0)
            throw std::logic_error("default of " + std::string(padrao.area) + " does not fit its area");
        for (int k = 0; k < area.tamanho; ++k)
            imagem[area.inicio + k] = padrao.padrao[k % n];
    }
    // The factory numbering plan: positions 1..12 are 20..31, names empty.
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        GravaU16(imagem + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(NumeroRamalPadrao(p))));
        imagem[OffsetNomeRamal(p)] = 0;
    }
    GravaAssinatura(imagem);
}

const std::uint8_t* ImagemPadrao()
{
    static const std::array<std::uint8_t, kTamanhoImagem> padrao = [] {
        std::array<std::uint8_t, kTamanhoImagem> imagem{};
        PreencheImagemPadrao(imagem.data());
        return imagem;
    }();
    return padrao.data();
}

std::uint8_t BytePadrao(int ofs)
{
    if (ofs < 0 || ofs >= kTamanhoImagem)
        throw std::out_of_range("offset outside the image");
    return ImagemPadrao()[ofs];
}
