#pragma once
// The program's users file TRIVANTO.DAD: one 422-byte record with up to ten
// users (name, password, rights), names and passwords enciphered on disk
// with the program's own block cipher, and a 16-bit checksum of the plain
// record. The record in memory is always the plain one.
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr int kMaxUsuarios = 10;
constexpr std::size_t kTamanhoNomeUsuario = 30;  // characters of a name
constexpr std::size_t kTamanhoSenhaUsuario = 8;  // characters of a password
constexpr std::size_t kTamanhoRegistroUsuarios = 422;

// Rights of a program user; all bits set means every right.
using TPermissoesAcesso = std::uint16_t;
enum : TPermissoesAcesso {
    paBasicas = 1,
    paRamal = 2,
    paGerais = 4,
    paUsuarios = 8,
};
constexpr TPermissoesAcesso kTodosDireitos = 0xFFFF;

// One field of the record: `quantidade` slots of `tamanho` bytes from
// `inicio`. Strings are a length byte followed by their characters.
struct CampoUsuarios {
    std::string_view nome;
    std::size_t inicio;
    std::size_t tamanho;
    std::size_t quantidade;

    constexpr std::size_t Fim() const { return inicio + tamanho * quantidade; }
    constexpr std::size_t Slot(int usuario) const { return inicio + tamanho * static_cast<std::size_t>(usuario - 1); }
};

inline constexpr CampoUsuarios kCampoNomes{"nomes", 0, 1 + kTamanhoNomeUsuario, kMaxUsuarios};
inline constexpr CampoUsuarios kCampoSenhas{"senhas", 310, 1 + kTamanhoSenhaUsuario, kMaxUsuarios};
inline constexpr CampoUsuarios kCampoDireitos{"direitos", 400, 2, kMaxUsuarios};
inline constexpr CampoUsuarios kCampoChecksum{"checksum", 420, 2, 1};

inline constexpr CampoUsuarios kCamposUsuarios[] = {kCampoNomes, kCampoSenhas, kCampoDireitos, kCampoChecksum};

constexpr bool CamposCobremRegistro()
{
    std::size_t proximo = 0;
    for (const CampoUsuarios& campo : kCamposUsuarios) {
        if (campo.inicio != proximo)
            return false;
        proximo = campo.Fim();
    }
    return proximo == kTamanhoRegistroUsuarios;
}
static_assert(CamposCobremRegistro(), "the users record's fields must tile its 422 bytes");

using TRegistroUsuarios = std::array<std::uint8_t, kTamanhoRegistroUsuarios>;

// The users record in memory, plain text; all zeros at program start.
extern TRegistroUsuarios RegistroUsuarios;

// Fields of user k (1..10). Texts are code page 1252 bytes. Setting a text
// cuts it to the field's size and clears the bytes after it.
std::string NomeUsuario(const TRegistroUsuarios& registro, int usuario);
std::string SenhaUsuario(const TRegistroUsuarios& registro, int usuario);
TPermissoesAcesso DireitosDoUsuario(const TRegistroUsuarios& registro, int usuario);
void PoeNomeUsuario(TRegistroUsuarios& registro, int usuario, std::string_view nome);
void PoeSenhaUsuario(TRegistroUsuarios& registro, int usuario, std::string_view senha);
void PoeDireitosDoUsuario(TRegistroUsuarios& registro, int usuario, TPermissoesAcesso direitos);

// A stored text (code page 1252) as the windows show it, and back. Only
// characters the code page holds with codes 32 and above are kept, so that
// every name and password comes back from the file as it was typed; any
// other character gives nullopt.
QString TextoGuardado(std::string_view bytes);
std::optional<std::string> TextoParaGuardar(const QString& texto);
bool CaractereAceito(QChar caractere);

// Sum of bytes 0..419, modulo 65536, and the checksum the record holds.
std::uint16_t SomaRegistroUsuarios(const TRegistroUsuarios& registro);
std::uint16_t ChecksumRegistroUsuarios(const TRegistroUsuarios& registro);

// The cipher keys: 4 x 4 matrices, the read key the inverse of the write key
// modulo 236.
using TChaveCifra = std::array<std::array<std::int32_t, 4>, 4>;
extern const TChaveCifra ChaveGravacao;
extern const TChaveCifra ChaveLeitura;

constexpr int kCifra = 0;
constexpr int kDecifra = 1;
using TBlocoCifra = std::array<std::uint8_t, 4>;

// Multiplies a block by the write key (mode 0) or the read key (mode 1).
TBlocoCifra CifraBloco(int modo, const TBlocoCifra& bloco);
// Enciphers (mode 0) or deciphers (mode 1) a text; same length as the input.
std::string CifraTexto(int modo, std::string_view texto);

// The record as it goes to disk: every byte after a string's length
// cleared, the checksum of that plain record set, then names and passwords
// enciphered. `plano` gets the cleared tails and the checksum too.
TRegistroUsuarios RegistroParaArquivo(TRegistroUsuarios& plano);
// A record read from disk, deciphered; lengths above a field's size are
// taken as its size and a short input reads as zeros beyond its end.
// Returns 0 when the checksum is right, 1 when it is not (or the input is
// short).
int RegistroDoArquivo(const std::uint8_t* dados, std::size_t tamanho, TRegistroUsuarios& plano);

// DiretorioPrograma + "/TRIVANTO.DAD".
QString CaminhoArquivoUsuarios();

// Reads the users file into RegistroUsuarios: 0 read and checksum good,
// 1 checksum wrong (or file short), 2 the file cannot be opened (the record
// in memory is left as it was).
int LeArquivoUsuarios();

// Writes RegistroUsuarios to the users file, replacing the old file only
// once the new one is complete. A failure shows an "Erro" box, leaves the
// old file as it was and returns false.
bool GravaRegistroUsuarios();
