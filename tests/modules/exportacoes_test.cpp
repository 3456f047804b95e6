// The library shows the main program its entries and nothing else.
#include "modules/modulo.h"
#include "tests/modules/imagemteste.h"
#include "tests/support/scripted.h"

#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// Names of the symbols the shared object defines in its dynamic table.
std::set<std::string> SimbolosDefinidos(const std::string& caminho)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    const std::vector<char> elf((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
    std::set<std::string> nomes;
    if (elf.size() < sizeof(Elf64_Ehdr) || std::memcmp(elf.data(), ELFMAG, SELFMAG) != 0)
        return nomes;
    auto cabecalho = reinterpret_cast<const Elf64_Ehdr*>(elf.data());
    const size_t fimSecoes = cabecalho->e_shoff + size_t(cabecalho->e_shnum) * sizeof(Elf64_Shdr);
    if (cabecalho->e_ident[EI_CLASS] != ELFCLASS64 || fimSecoes > elf.size())
        return nomes;
    auto secoes = reinterpret_cast<const Elf64_Shdr*>(elf.data() + cabecalho->e_shoff);
    for (int s = 0; s < cabecalho->e_shnum; ++s) {
        const Elf64_Shdr& tabela = secoes[s];
        if (tabela.sh_type != SHT_DYNSYM || tabela.sh_link >= cabecalho->e_shnum)
            continue;
        const Elf64_Shdr& textos = secoes[tabela.sh_link];
        if (tabela.sh_offset + tabela.sh_size > elf.size() || textos.sh_offset + textos.sh_size > elf.size())
            continue;
        auto simbolos = reinterpret_cast<const Elf64_Sym*>(elf.data() + tabela.sh_offset);
        for (size_t i = 0; i < tabela.sh_size / sizeof(Elf64_Sym); ++i) {
            const Elf64_Sym& simbolo = simbolos[i];
            if (simbolo.st_shndx == SHN_UNDEF || simbolo.st_name >= textos.sh_size)
                continue;
            const int tipo = ELF64_ST_TYPE(simbolo.st_info);
            if (tipo == STT_SECTION || tipo == STT_FILE)
                continue;
            const char* nome = elf.data() + textos.sh_offset + simbolo.st_name;
            nomes.insert(std::string(nome, strnlen(nome, textos.sh_size - simbolo.st_name)));
        }
    }
    return nomes;
}

TEST(Exportacoes, ABibliotecaExportaSomenteAsEntradasDasJanelas)
{
    const std::set<std::string> esperadas = {
        "AgendaColetiva", "AgendasIndividuais", "AtendedoresDePorteiros", "AtuacaoExterna",
        "BloqueioDePrefixos", "Calendario", "CategoriaDosRamais", "CfgDoDespertador", "CodigosParticulares",
        "ConfiguracaoDasVias", "ControleAtendedorDigital", "EmergenciaExterna", "Feriados",
        "GruposChefeSecretaria", "GruposDeRamais", "HorariosOperadoras", "NoturnoAutomatico",
        "PlanoDeNumeracao", "ProgramacaoIndividual", "ProgramacoesDiversas", "RamaisEconomicos", "SenhaGeral",
        "TeclasTerminais", "Temporizacoes",
    };
    EXPECT_EQ(SimbolosDefinidos(TRIVANTO_BIN_DIR "/libprtrivan.so"), esperadas);
}

// Opens the timings window through the loaded library, applies its
// defaults and confirms; true when the caller's image got exactly them.
bool TemporizacoesPelaBiblioteca()
{
    void* biblioteca = dlopen(TRIVANTO_BIN_DIR "/libprtrivan.so", RTLD_NOW | RTLD_LOCAL);
    auto entrada = biblioteca ? reinterpret_cast<TEntradaModulo>(dlsym(biblioteca, "Temporizacoes")) : nullptr;
    if (!entrada)
        return false;
    auto imagem = ImagemDeTeste();
    auto esperado = imagem;
    const std::uint8_t padrao[] = {2, 5, 3, 4, imagem[3400], 9, 1};
    std::copy(std::begin(padrao), std::end(padrao), esperado.begin() + 3396);
    ScriptedBoxes boxes({IDYES});
    ModalScript modal;
    modal.Then([](QWidget* w) {
        Click(w, "PadButton");
        Click(w, "OkButton");
    });
    entrada(imagem.data(), nullptr);
    return modal.shown == std::vector<QString>{"Temporizações"}
        && boxes.Texts() == QStringList{"Deseja mesmo aplicar o padrão ?"} && imagem == esperado;
}

// The library as the program loads it, with its own copy of the platform
// layer and its own application object. It runs in a process of its own:
// a loaded library stays for the life of the process.
TEST(ExportacoesDeathTest, UmaEntradaCarregadaPeloNomeEditaAImagemDoChamador)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(TemporizacoesPelaBiblioteca() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

} // namespace
