#pragma once
// Every entry of the library by the name it is exported under.
#include "modules/entradas.h"
#include "shell/biblioteca.h"

#include <iterator>
#include <ostream>

struct EntradaNomeada {
    const char* nome;
    TEntradaModulo abre;
};

inline constexpr EntradaNomeada kEntradasDaBiblioteca[] = {
    {"Temporizacoes", &Temporizacoes},
    {"ProgramacoesDiversas", &ProgramacoesDiversas},
    {"Calendario", &Calendario},
    {"PlanoDeNumeracao", &PlanoDeNumeracao},
    {"SenhaGeral", &SenhaGeral},
    {"ControleAtendedorDigital", &ControleAtendedorDigital},
    {"RamaisEconomicos", &RamaisEconomicos},
    {"HorariosOperadoras", &HorariosOperadoras},
    {"AtendedoresDePorteiros", &AtendedoresDePorteiros},
    {"ConfiguracaoDasVias", &ConfiguracaoDasVias},
    {"BloqueioDePrefixos", &BloqueioDePrefixos},
    {"EmergenciaExterna", &EmergenciaExterna},
    {"GruposDeRamais", &GruposDeRamais},
    {"GruposChefeSecretaria", &GruposChefeSecretaria},
    {"CodigosParticulares", &CodigosParticulares},
    {"AgendaColetiva", &AgendaColetiva},
    {"AgendasIndividuais", &AgendasIndividuais},
    {"CategoriaDosRamais", &CategoriaDosRamais},
    {"ProgramacaoIndividual", &ProgramacaoIndividual},
    {"NoturnoAutomatico", &NoturnoAutomatico},
    {"AtuacaoExterna", &AtuacaoExterna},
    {"Feriados", &Feriados},
    {"CfgDoDespertador", &CfgDoDespertador},
    {"TeclasTerminais", &TeclasTerminais},
};
inline void PrintTo(const EntradaNomeada& entrada, std::ostream* os)
{
    *os << entrada.nome;
}

static_assert(std::size(kEntradasDaBiblioteca) == kTotalEntradas, "one row per entry the program resolves");
