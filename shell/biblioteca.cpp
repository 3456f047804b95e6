#include "shell/biblioteca.h"

#include "state/registro.h"

#include <dlfcn.h>

#include <cstdio>

const char* const kNomesEntradas[kTotalEntradas] = {
    "AgendaColetiva",
    "AgendasIndividuais",
    "AtendedoresDePorteiros",
    "AtuacaoExterna",
    "BloqueioDePrefixos",
    "Calendario",
    "CategoriaDosRamais",
    "CfgDoDespertador",
    "CodigosParticulares",
    "ConfiguracaoDasVias",
    "ControleAtendedorDigital",
    "EmergenciaExterna",
    "Feriados",
    "GruposChefeSecretaria",
    "GruposDeRamais",
    "HorariosOperadoras",
    "NoturnoAutomatico",
    "PlanoDeNumeracao",
    "ProgramacaoIndividual",
    "ProgramacoesDiversas",
    "RamaisEconomicos",
    "SenhaGeral",
    "TeclasTerminais",
    "Temporizacoes",
};

TEntradaModulo EntradasBiblioteca[kTotalEntradas] = {};

namespace {

// The library stays loaded for the whole run: its entries are called until
// the program ends.
void* bibliotecaCarregada = nullptr;
bool falhaRelatada = false;

void ResolveEntradas(void* biblioteca, const QByteArray& arquivo)
{
    for (int e = 0; e < kTotalEntradas; ++e) {
        EntradasBiblioteca[e] = reinterpret_cast<TEntradaModulo>(dlsym(biblioteca, kNomesEntradas[e]));
        if (!EntradasBiblioteca[e])
            std::fprintf(stderr, "trivanto: a entrada %s não existe em %s; o comando fica desabilitado.\n",
                         kNomesEntradas[e], arquivo.constData());
    }
}

} // namespace

bool CarregaBiblioteca(const QString& arquivo)
{
    if (bibliotecaCarregada)
        return true;
    const QByteArray nome = arquivo.toLocal8Bit();
    void* biblioteca = dlopen(nome.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!biblioteca) {
        const char* erro = dlerror();
        if (!falhaRelatada)
            std::fprintf(stderr, "trivanto: não foi possível carregar %s: %s\n", nome.constData(),
                         erro ? erro : "erro desconhecido");
        falhaRelatada = true;
        return false;
    }
    bibliotecaCarregada = biblioteca;
    ResolveEntradas(biblioteca, nome);
    return true;
}

QString ArquivoBiblioteca()
{
    return DiretorioPrograma + QStringLiteral("/libprtrivan.so");
}

bool ChamaEntrada(TEntradaBiblioteca entrada, std::uint8_t* imagem, const char* textoInicial)
{
    if (entrada < 0 || entrada >= kTotalEntradas || !EntradasBiblioteca[entrada] || !imagem)
        return false;
    EntradasBiblioteca[entrada](imagem, textoInicial);
    return true;
}
