#include "image/padrao.h"

#include "image/assinatura.h"
#include "image/layout.h"
#include "image/registro.h"

#include <algorithm>
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

// Prefix blocking as the window's default list leaves it: "00" international,
// "01".."09" long-distance, "1".."9" local, no carrier. The fixed prefixes
// lead through the reserved nodes ("08" through node 0, "080" through node 1,
// "00" through node 2) and carry the mark in bit 0, as "90" does.
constexpr std::uint8_t kPrefixoLocal = 0x00;
constexpr std::uint8_t kPrefixoDdd = 0x10;
constexpr std::uint8_t kPrefixoDdi = 0x20;
constexpr std::uint8_t kMarcaPrefixo = 0x01;
constexpr std::uint8_t kReferenciaNo = 0x80; // + node number

std::vector<std::uint8_t> PrefixosRaizPadrao()
{
    std::vector<std::uint8_t> raiz(Area("PrefixosRaiz").tamanho, kPrefixoLocal);
    for (int d = 1; d <= 9; ++d)
        raiz[d] = kPrefixoDdd;
    raiz[0] = kReferenciaNo + 2;
    raiz[8] = kReferenciaNo + 0;
    raiz[90] |= kMarcaPrefixo;
    return raiz;
}

std::vector<std::uint8_t> PrefixosNosPadrao()
{
    std::vector<std::uint8_t> nos(Area("PrefixosNos").tamanho, 0);
    const auto no = [&nos](int n, std::uint8_t valor, std::uint8_t entrada0) {
        std::fill(nos.begin() + 10 * n, nos.begin() + 10 * n + 10, valor);
        nos[10 * n] = entrada0;
    };
    no(0, kPrefixoDdd, kReferenciaNo + 1);
    no(1, kPrefixoDdd, kPrefixoDdd | kMarcaPrefixo);
    no(2, kPrefixoDdi, kPrefixoDdi | kMarcaPrefixo);
    return nos;
}

} // namespace

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
        // Groups not programmed (type bit 6) and without members.
        {"ToquesDesvioGrupo", {0}},
        {"GruposRamais", {0x40, R, R, R, R, R, R, R}},
        {"ChefesGrupo", {R}},
        {"SecretariasGrupo", {R}},
        // Flash 2 x 100 ms, 5 wake-up rings, 3 recall rings, actuation 4 s,
        // 9 external recall attempts 1 min apart.
        {"ValoresTemporizacao", {2, 5, 3, 4, 0, 9, 1}},
        // No emergency extension, no internal or external destination.
        {"DestinosEmergencia", Concatena({{R, 0xBF}, Zeros(kNumeroVazio), {R}, Zeros(kNumeroVazio),
                                          Zeros(13)})},
        // No answering extension or number; command 1 s (x 50), wait 30 s.
        {"AtendedorPorteiro", Concatena({{R}, Zeros(kNumeroVazio), {50, 30}, Zeros(15)})},
        // Billing of originated calls; transferred-call return, conference,
        // music on hold; extension passwords of 2 digits.
        {"BilhetagemDiversas", {0x40}},
        {"FacilidadesDiversas", {0x32}},
        {"DigitosSenhaRamal", {2}},
        {"CodigoDdd", {0xFF, 0xFF}},
        {"PrefixosRaiz", PrefixosRaizPadrao()},
        {"PrefixosNos", PrefixosNosPadrao()},
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
        GravaU16(imagem + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(p + 19)));
        imagem[OffsetNomeRamal(p)] = 0;
    }
    GravaAssinatura(imagem);
}
