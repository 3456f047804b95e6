#pragma once
// The editing library: loaded from the program directory at start, its 24
// entries resolved by name into one table. Every editing command reaches the
// library only through this table; an entry the library does not export
// stays null and its command stays disabled.
#include <QString>

#include <cstdint>

// The form of every entry: the image (valid for the one call) and a start
// text owned by the caller, or null.
using TEntradaModulo = void (*)(std::uint8_t* imagem, const char* textoInicial);

enum TEntradaBiblioteca : int {
    ebAgendaColetiva,
    ebAgendasIndividuais,
    ebAtendedoresDePorteiros,
    ebAtuacaoExterna,
    ebBloqueioDePrefixos,
    ebCalendario,
    ebCategoriaDosRamais,
    ebCfgDoDespertador,
    ebCodigosParticulares,
    ebConfiguracaoDasVias,
    ebControleAtendedorDigital,
    ebEmergenciaExterna,
    ebFeriados,
    ebGruposChefeSecretaria,
    ebGruposDeRamais,
    ebHorariosOperadoras,
    ebNoturnoAutomatico,
    ebPlanoDeNumeracao,
    ebProgramacaoIndividual,
    ebProgramacoesDiversas,
    ebRamaisEconomicos,
    ebSenhaGeral,
    ebTeclasTerminais,
    ebTemporizacoes,
    kTotalEntradas,
};

// The exported name of each entry, in the order above.
extern const char* const kNomesEntradas[kTotalEntradas];

// The resolved entries; null where the library lacks one.
extern TEntradaModulo EntradasBiblioteca[kTotalEntradas];

// Loads the library file and resolves every entry, once per run: a later
// call after a successful load changes nothing. A library that cannot be
// loaded, and each entry it lacks, is reported once on standard error.
// Returns true when the library is loaded.
bool CarregaBiblioteca(const QString& arquivo);

// The library's file in the program directory.
QString ArquivoBiblioteca();

inline bool EntradaDisponivel(TEntradaBiblioteca entrada)
{
    return EntradasBiblioteca[entrada] != nullptr;
}

// Calls an entry with the image and an optional start text; false (and no
// call) when the entry is missing or there is no image.
bool ChamaEntrada(TEntradaBiblioteca entrada, std::uint8_t* imagem, const char* textoInicial = nullptr);
