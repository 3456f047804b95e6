#pragma once
// Prefix blocking: the digit tree the exchange reads to decide, from the
// first digits dialled, which extensions may call and whether a carrier
// table applies, and the flat list of prefix entries the prefix window edits.
//
// The tree: a root table of 100 entries for the first two digits (index
// 10*d1 + d2) and a pool of 25 nodes of 10 entries for each further digit.
// Every entry is one byte (a "ValorPrefixo"): with bit 7 set it refers to node
// (byte - 128); otherwise it is a leaf, the decision for every number that
// begins with its digits: category in bits 3..6, carrier table in bits 1..2,
// and in bit 0 a mark the builder puts on the fixed prefixes (90, 0800, 00).
//
// A list entry is the text "<prefix>-<category>-<carrier>", e.g. "0800-4-0":
// 1..7 prefix digits, category "0" local .. "4" blocked, carrier "0", "2",
// "4" or "6". A list is a partition of all numbers: each number begins with
// exactly one listed prefix.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kEntradasRaizPrefixo = 100;
constexpr int kNosPrefixo = 25;
constexpr int kEntradasNoPrefixo = 10;
constexpr int kDigitosPrefixoMaximo = 7;

// Leaf fields of a ValorPrefixo.
constexpr std::uint8_t kCategoriaLocal = 0x00;
constexpr std::uint8_t kCategoriaRegional = 0x08;
constexpr std::uint8_t kCategoriaDdd = 0x10;
constexpr std::uint8_t kCategoriaDdi = 0x20;
constexpr std::uint8_t kPrefixoBloqueado = 0x40;
constexpr std::uint8_t kBitsOperadora = 0x06; // 2 table 1, 4 table 2, 6 both
constexpr std::uint8_t kMarcaPrefixo = 0x01;
// A node reference is this plus the node number.
constexpr std::uint8_t kReferenciaNoPrefixo = 0x80;

constexpr bool EhReferenciaNo(std::uint8_t valor) { return (valor & kReferenciaNoPrefixo) != 0; }

// The node a byte refers to, or -1 for a leaf or a node number outside the
// pool (anything read from an image must go through this).
constexpr int NoDaReferencia(std::uint8_t valor)
{
    if (!EhReferenciaNo(valor))
        return -1;
    const int no = valor - kReferenciaNoPrefixo;
    return no < kNosPrefixo ? no : -1;
}

// The category digit '0'..'4' of a leaf; of several category bits the
// highest wins.
char CategoriaDoValor(std::uint8_t valor);

// The tree as it lies in the image: PrefixosRaiz, then PrefixosNos (node n
// at nos[10 * n]).
struct ArvorePrefixos {
    std::array<std::uint8_t, kEntradasRaizPrefixo> raiz{};
    std::array<std::uint8_t, kNosPrefixo * kEntradasNoPrefixo> nos{};

    bool operator==(const ArvorePrefixos&) const = default;
};

ArvorePrefixos LeArvorePrefixos(const std::uint8_t* imagem);
void GravaArvorePrefixos(std::uint8_t* imagem, const ArvorePrefixos& arvore);

// List entries and their parts. The parts of a malformed text are empty.
std::string MontaEntradaPrefixo(std::string_view prefixo, char categoria, std::string_view operadora);
std::string_view PrefixoDaEntrada(std::string_view entrada);   // before the first "-"
char CategoriaDaEntrada(std::string_view entrada);             // after the first "-", or 0
std::string_view OperadoraDaEntrada(std::string_view entrada); // after the second "-"

// The tree of a list, fixed prefixes included; nothing when the list needs
// more nodes than the pool has free (22 besides the three reserved ones).
// Entries whose prefix is not 1..7 digits are left out.
std::optional<ArvorePrefixos> MontaArvorePrefixos(const std::vector<std::string>& lista);

// The list a tree reads as, in ascending prefix order. A reference to a node
// outside the pool, to a node already walked (a cycle or a shared node) or
// below the seventh digit contributes nothing.
std::vector<std::string> ListaDaArvore(const ArvorePrefixos& arvore);
std::vector<std::string> CarregaArvorePrefixos(const std::uint8_t* imagem);

// Local area code: the CodigoDdd word (low byte at 3478, high byte at 3479)
// as the digits shown after the fixed "0" (0 to 4 digits), and the text of
// the code edit (" 0" and up to three digits) as that word. A code of one
// digit is no code; nothing (" 0" alone) is 0xFFFF. A blank between the
// digits raises EConvertError.
std::string CodigoDddParaTexto(std::uint16_t palavra);
std::optional<std::uint16_t> LeCodigoDdd(std::string_view texto);
constexpr std::uint16_t kSemCodigoDdd = 0xFFFF;

// Everything the prefix window's Ok writes: the tree of the list and the
// area code of the edit text, checked in that order. The image is written
// only when both pass.
enum class TResultadoPrefixos { Gravado, ExcessoDePrefixos, CodigoDddIncorreto };
TResultadoPrefixos ConstroiArvorePrefixos(const std::vector<std::string>& lista, std::string_view textoDdd,
                                          std::uint8_t* imagem);
