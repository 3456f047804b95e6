// The users file: any bytes read as TRIVANTO.DAD, then written again and
// read back. The read never reaches outside the 422-byte record; its result
// is 0 exactly when the file is whole and its checksum is that of the
// deciphered record; the cipher gives back every text it enciphered; a
// re-save reads back with a good checksum and the same record.
#include "tests/fuzz/support/fuzz.h"

#include "state/registro.h"
#include "users/arquivousuarios.h"

#include <QFile>

#include <cstring>
#include <string_view>

namespace {

// The deciphered text of a full piece of four characters has codes 20..255
// (residues 1..236 shifted by 19); a shorter last piece is only shifted.
// Those are the texts that come back from enciphering unchanged.
bool TextoDecifravel(std::string_view texto)
{
    const std::size_t inteiros = texto.size() / 4 * 4;
    for (std::size_t i = 0; i < inteiros; ++i)
        if (static_cast<std::uint8_t>(texto[i]) < 20)
            return false;
    return true;
}

void ConfereCifra(std::string_view texto)
{
    const std::string cifrado = CifraTexto(kCifra, texto);
    FuzzCheck(cifrado.size() == texto.size(), "the cipher keeps the length");
    const std::string decifrado = CifraTexto(kDecifra, cifrado);
    FuzzCheck(!TextoDecifravel(texto) || decifrado == texto, "deciphering gives back the text");
    FuzzCheck(TextoDecifravel(CifraTexto(kDecifra, texto)), "a deciphered text enciphers back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    DiretorioPrograma = FuzzScratchDir();
    ConfereCifra(std::string_view(reinterpret_cast<const char*>(data), size));

    TRegistroUsuarios plano{};
    const int resultado = RegistroDoArquivo(data, size, plano);
    FuzzCheck(resultado == 0 || resultado == 1, "the result of a read");
    const bool somaCerta = SomaRegistroUsuarios(plano) == ChecksumRegistroUsuarios(plano);
    FuzzCheck((resultado == 0) == (size >= kTamanhoRegistroUsuarios && somaCerta), "the checksum's verdict");
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        FuzzCheck(plano[kCampoNomes.Slot(k)] <= kTamanhoNomeUsuario, "a name's length within its field");
        FuzzCheck(plano[kCampoSenhas.Slot(k)] <= kTamanhoSenhaUsuario, "a password's length within its field");
    }

    // The same bytes through the file.
    FuzzWriteFile(CaminhoArquivoUsuarios(), data, size);
    RegistroUsuarios.fill(0xAA);
    FuzzCheck(LeArquivoUsuarios() == resultado, "the file reads as the bytes do");
    FuzzCheck(RegistroUsuarios == plano, "the record read from the file");

    // A re-save: the written record reads back good and unchanged, names and
    // passwords as they were.
    FuzzCheck(GravaRegistroUsuarios(), "the users file is written");
    const TRegistroUsuarios gravado = RegistroUsuarios;
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        FuzzCheck(NomeUsuario(gravado, k) == NomeUsuario(plano, k), "a re-save keeps the name");
        FuzzCheck(SenhaUsuario(gravado, k) == SenhaUsuario(plano, k), "a re-save keeps the password");
        FuzzCheck(DireitosDoUsuario(gravado, k) == DireitosDoUsuario(plano, k), "a re-save keeps the rights");
    }
    RegistroUsuarios.fill(0x55);
    FuzzCheck(LeArquivoUsuarios() == 0, "a re-saved file has a good checksum");
    FuzzCheck(RegistroUsuarios == gravado, "a re-saved file reads back as written");
    return 0;
}

namespace {

std::string Arquivo(TRegistroUsuarios plano)
{
    const TRegistroUsuarios cifrado = RegistroParaArquivo(plano);
    return std::string(reinterpret_cast<const char*>(cifrado.data()), cifrado.size());
}

} // namespace

// No users, one user, a full file with odd lengths, a broken checksum, a
// short file and an over-long one.
std::vector<std::string> FuzzSeeds()
{
    TRegistroUsuarios um{};
    PoeNomeUsuario(um, 1, "Administrador");
    PoeSenhaUsuario(um, 1, "12345");
    PoeDireitosDoUsuario(um, 1, kTodosDireitos);
    TRegistroUsuarios dez{};
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        PoeNomeUsuario(dez, k, std::string(static_cast<std::size_t>(k * 3), static_cast<char>('A' + k)));
        PoeSenhaUsuario(dez, k, std::string(static_cast<std::size_t>(k % 9), static_cast<char>('0' + k)));
        PoeDireitosDoUsuario(dez, k, static_cast<TPermissoesAcesso>(k));
    }
    std::string somaErrada = Arquivo(um);
    somaErrada[420] ^= 1;
    std::string longos = Arquivo(dez);
    longos[0] = static_cast<char>(200);
    longos[310] = static_cast<char>(9);
    return {Arquivo({}), Arquivo(um), Arquivo(dez), somaErrada, longos, Arquivo(um).substr(0, 100), Arquivo(dez) + "resto"};
}
