#include "image/prefixos.h"

#include "image/conversao.h"
#include "image/layout.h"

#include <algorithm>

namespace {

static_assert(Area("PrefixosRaiz").tamanho == kEntradasRaizPrefixo);
static_assert(Area("PrefixosNos").tamanho == kNosPrefixo * kEntradasNoPrefixo);
static_assert(Area("PrefixosNos").tamanhoRegistro == kEntradasNoPrefixo);
static_assert(Area("CodigoDdd").tamanho == 2);

// Reserved nodes: the fixed prefixes always lead through them.
constexpr int kNo080 = 0;  // below "08"
constexpr int kNo0800 = 1; // below "080"
constexpr int kNo00 = 2;   // below "00"
constexpr int kPrimeiroNoLivre = 3;

constexpr std::uint8_t Referencia(int no) { return static_cast<std::uint8_t>(kReferenciaNoPrefixo + no); }

// The root entry every number not listed falls into: local, carrier table 1.
constexpr std::uint8_t kRaizInicial = 0x02;

// Category digits and their bits, in the order they are tested when read.
struct Categoria {
    char digito;
    std::uint8_t bits;
};
constexpr Categoria kCategorias[] = {
    {'1', kCategoriaRegional},
    {'2', kCategoriaDdd},
    {'3', kCategoriaDdi},
    {'4', kPrefixoBloqueado},
};

std::uint8_t BitsDaCategoria(char digito)
{
    for (const Categoria& categoria : kCategorias)
        if (categoria.digito == digito)
            return categoria.bits;
    return kCategoriaLocal;
}

// The carrier digits are the decimal value of bits 1..2; anything else
// counts only for those bits.
std::uint8_t BitsDaOperadora(std::string_view digitos)
{
    int valor = 0;
    for (char c : digitos) {
        if (!IsDigit(c))
            return 0;
        valor = (valor * 10 + (c - '0')) & 0xFF;
    }
    return static_cast<std::uint8_t>(valor & kBitsOperadora);
}

int Digito(char c) { return c - '0'; }

// One build: the working copies, which root entries it has stored, and the
// shared node count.
class Construcao {
public:
    Construcao()
    {
        arvore_.raiz.fill(kRaizInicial);
        escrita_.fill(false);
    }

    void InserePrefixo(std::string_view digitos, std::uint8_t valor);
    void MarcaPrefixosEspeciais();

    bool excesso() const { return excesso_; }
    const ArvorePrefixos& arvore() const { return arvore_; }

private:
    std::uint8_t* No(int no) { return arvore_.nos.data() + kEntradasNoPrefixo * no; }
    void EscreveRaiz(int indice, std::uint8_t valor)
    {
        arvore_.raiz[indice] = valor;
        escrita_[indice] = true;
    }
    void InsereDigitosPrefixo(std::string_view resto, std::uint8_t referencia, std::uint8_t valor);
    // A new node filled with `valor`, or nothing (overflow set) when the
    // pool is used up.
    std::optional<std::uint8_t> AlocaNoPrefixo(std::uint8_t valor);
    void PreencheNo(int no, std::uint8_t valor) { std::fill_n(No(no), kEntradasNoPrefixo, valor); }
    void CopiaNo(int origem, int destino) { std::copy_n(No(origem), kEntradasNoPrefixo, No(destino)); }
    void RemoveNoPrefixo(std::uint8_t referencia);
    // Moves the node `referencia` into the reserved node and returns the
    // reserved node's reference.
    std::uint8_t MoveParaNoReservado(std::uint8_t referencia, int reservado);
    void MarcaEntrada(std::uint8_t& entrada);

    ArvorePrefixos arvore_;
    std::array<bool, kEntradasRaizPrefixo> escrita_{};
    std::uint8_t ultimaReferencia_ = Referencia(kPrimeiroNoLivre - 1);
    bool excesso_ = false;
};

void Construcao::InserePrefixo(std::string_view digitos, std::uint8_t valor)
{
    const int d1 = Digito(digitos[0]);
    if (digitos.size() == 1) {
        for (int d2 = 0; d2 < kEntradasNoPrefixo; ++d2)
            EscreveRaiz(10 * d1 + d2, valor);
        return;
    }
    const int r = 10 * d1 + Digito(digitos[1]);
    if (digitos.size() == 2) {
        EscreveRaiz(r, valor);
        return;
    }
    // The first longer prefix under two digits no entry has stored yet
    // widens to the whole two-digit range; later ones refine it. It is
    // stored even when it equals the initial value, or a later prefix under
    // the same digits would widen over it.
    if (!escrita_[r]) {
        EscreveRaiz(r, valor);
        return;
    }
    const std::uint8_t x = arvore_.raiz[r];
    if (x == valor)
        return;
    if (!EhReferenciaNo(x)) {
        const auto novo = AlocaNoPrefixo(x);
        if (!novo)
            return;
        arvore_.raiz[r] = *novo;
    }
    InsereDigitosPrefixo(digitos.substr(2), arvore_.raiz[r], valor);
}

void Construcao::InsereDigitosPrefixo(std::string_view resto, std::uint8_t referencia, std::uint8_t valor)
{
    std::uint8_t& entrada = No(referencia - kReferenciaNoPrefixo)[Digito(resto[0])];
    if (resto.size() == 1) {
        entrada = valor;
        return;
    }
    if (entrada == valor)
        return;
    if (!EhReferenciaNo(entrada)) {
        const auto novo = AlocaNoPrefixo(entrada);
        if (!novo)
            return;
        entrada = *novo;
    }
    InsereDigitosPrefixo(resto.substr(1), entrada, valor);
}

std::optional<std::uint8_t> Construcao::AlocaNoPrefixo(std::uint8_t valor)
{
    if (ultimaReferencia_ >= Referencia(kNosPrefixo - 1)) {
        excesso_ = true;
        return std::nullopt;
    }
    ++ultimaReferencia_;
    PreencheNo(ultimaReferencia_ - kReferenciaNoPrefixo, valor);
    return ultimaReferencia_;
}

// Closes the gap a node leaves: the nodes above it move down one place and
// every reference above it, in the root and in every node, follows.
void Construcao::RemoveNoPrefixo(std::uint8_t referencia)
{
    const int no = referencia - kReferenciaNoPrefixo;
    for (int n = no; n + 1 < kNosPrefixo; ++n)
        CopiaNo(n + 1, n);
    PreencheNo(kNosPrefixo - 1, 0);
    const auto renumera = [referencia](std::uint8_t& entrada) {
        if (entrada > referencia)
            --entrada;
    };
    std::for_each(arvore_.raiz.begin(), arvore_.raiz.end(), renumera);
    std::for_each(arvore_.nos.begin(), arvore_.nos.end(), renumera);
}

std::uint8_t Construcao::MoveParaNoReservado(std::uint8_t referencia, int reservado)
{
    if (referencia != Referencia(reservado)) {
        CopiaNo(referencia - kReferenciaNoPrefixo, reservado);
        RemoveNoPrefixo(referencia);
    }
    return Referencia(reservado);
}

// The mark goes on a leaf; below a reference it goes on the leaves of the
// node referred to, and a reference itself is never altered.
void Construcao::MarcaEntrada(std::uint8_t& entrada)
{
    if (!EhReferenciaNo(entrada)) {
        entrada |= kMarcaPrefixo;
        return;
    }
    std::uint8_t* no = No(entrada - kReferenciaNoPrefixo);
    for (int d = 0; d < kEntradasNoPrefixo; ++d)
        if (!EhReferenciaNo(no[d]))
            no[d] |= kMarcaPrefixo;
}

void Construcao::MarcaPrefixosEspeciais()
{
    // "90": its leaves, one level of nodes deep.
    std::uint8_t& raiz90 = arvore_.raiz[90];
    if (EhReferenciaNo(raiz90)) {
        std::uint8_t* no = No(raiz90 - kReferenciaNoPrefixo);
        for (int d = 0; d < kEntradasNoPrefixo; ++d)
            MarcaEntrada(no[d]);
    } else {
        raiz90 |= kMarcaPrefixo;
    }

    // "08" leads through node 0 and "080" through node 1; "0800" is marked.
    std::uint8_t& raiz08 = arvore_.raiz[8];
    if (EhReferenciaNo(raiz08)) {
        raiz08 = MoveParaNoReservado(raiz08, kNo080);
        std::uint8_t& entrada080 = No(kNo080)[0];
        if (EhReferenciaNo(entrada080)) {
            entrada080 = MoveParaNoReservado(entrada080, kNo0800);
        } else {
            PreencheNo(kNo0800, entrada080);
            entrada080 = Referencia(kNo0800);
        }
    } else {
        PreencheNo(kNo080, raiz08);
        PreencheNo(kNo0800, raiz08);
        No(kNo080)[0] = Referencia(kNo0800);
        raiz08 = Referencia(kNo080);
    }
    MarcaEntrada(No(kNo0800)[0]);

    // "00" leads through node 2; a split "00" marks all its entries, a
    // whole one only "000".
    std::uint8_t& raiz00 = arvore_.raiz[0];
    if (EhReferenciaNo(raiz00)) {
        raiz00 = MoveParaNoReservado(raiz00, kNo00);
        std::uint8_t* no = No(kNo00);
        for (int d = 0; d < kEntradasNoPrefixo; ++d)
            MarcaEntrada(no[d]);
    } else {
        PreencheNo(kNo00, raiz00);
        No(kNo00)[0] |= kMarcaPrefixo;
        raiz00 = Referencia(kNo00);
    }
}

// Reading the tree back: a working copy with the reserved nodes folded, and
// the walk that lists its leaves.
class Leitura {
public:
    explicit Leitura(const ArvorePrefixos& arvore) : arvore_(arvore) {}

    void RecolheNo00();
    std::vector<std::string> Lista();

private:
    std::uint8_t* No(int no) { return arvore_.nos.data() + kEntradasNoPrefixo * no; }
    // The leaf value `no` holds in all ten entries (mark of entry 0
    // ignored), if it does.
    std::optional<std::uint8_t> ValorUnico(int no);
    void ExpandeNoPrefixo(std::uint8_t referencia, const std::string& prefixo);
    void AdicionaFolha(std::uint8_t valor, const std::string& prefixo);

    ArvorePrefixos arvore_;
    // The nodes on the way from the root to the one being walked.
    std::array<bool, kNosPrefixo> noCaminho_{};
    std::vector<std::string> lista_;
};

// More leaves than any table can hold, so that a list cut here is refused by
// the table builder rather than written back short.
constexpr std::size_t kFolhasLidasMaximas = 10000;

std::optional<std::uint8_t> Leitura::ValorUnico(int no)
{
    const std::uint8_t* entradas = No(no);
    if (EhReferenciaNo(entradas[0]))
        return std::nullopt;
    const std::uint8_t valor = entradas[0] & ~kMarcaPrefixo;
    for (int d = 1; d < kEntradasNoPrefixo; ++d)
        if (entradas[d] != valor)
            return std::nullopt;
    return valor;
}

// A reserved node that holds one decision folds back into the entry that
// leads to it, so "08", "080" and "00" list as one prefix again. Only an
// entry that does lead to the reserved node is replaced: a leaf stored there
// is the decision.
void Leitura::RecolheNo00()
{
    std::uint8_t& entrada080 = No(kNo080)[0];
    if (entrada080 == Referencia(kNo0800)) {
        if (const auto valor = ValorUnico(kNo0800)) {
            entrada080 = *valor;
            if (arvore_.raiz[8] == Referencia(kNo080) && ValorUnico(kNo080) == *valor)
                arvore_.raiz[8] = *valor;
        }
    }
    if (arvore_.raiz[0] == Referencia(kNo00))
        if (const auto valor = ValorUnico(kNo00))
            arvore_.raiz[0] = *valor;
}

std::vector<std::string> Leitura::Lista()
{
    for (int d1 = 0; d1 < 10; ++d1) {
        const std::uint8_t* linha = arvore_.raiz.data() + 10 * d1;
        const std::uint8_t f = linha[0];
        const bool umDigito = !EhReferenciaNo(f) && std::all_of(linha + 1, linha + 10, [f](std::uint8_t e) {
            return e == (f & ~kMarcaPrefixo);
        });
        if (umDigito) {
            AdicionaFolha(f, std::string(1, static_cast<char>('0' + d1)));
            continue;
        }
        for (int d2 = 0; d2 < 10; ++d2) {
            const std::string prefixo{static_cast<char>('0' + d1), static_cast<char>('0' + d2)};
            if (EhReferenciaNo(linha[d2]))
                ExpandeNoPrefixo(linha[d2], prefixo);
            else
                AdicionaFolha(linha[d2], prefixo);
        }
    }
    return std::move(lista_);
}

// A node reached from several entries is a node shared, which is legal: it
// is walked under every prefix that reaches it. A stored tree with a
// reference back up its own way (a cycle) or a chain deeper than the seventh
// digit lists nothing more from there instead of walking without end.
void Leitura::ExpandeNoPrefixo(std::uint8_t referencia, const std::string& prefixo)
{
    const int no = NoDaReferencia(referencia);
    if (no < 0 || noCaminho_[no] || prefixo.size() >= static_cast<size_t>(kDigitosPrefixoMaximo))
        return;
    noCaminho_[no] = true;
    const std::uint8_t* entradas = No(no);
    for (int d = 0; d < kEntradasNoPrefixo; ++d) {
        const std::string maior = prefixo + static_cast<char>('0' + d);
        if (EhReferenciaNo(entradas[d]))
            ExpandeNoPrefixo(entradas[d], maior);
        else
            AdicionaFolha(entradas[d], maior);
    }
    noCaminho_[no] = false;
}

void Leitura::AdicionaFolha(std::uint8_t valor, const std::string& prefixo)
{
    if (lista_.size() >= kFolhasLidasMaximas)
        return;
    const char operadora[] = {static_cast<char>('0' + (valor & kBitsOperadora)), '\0'};
    lista_.push_back(MontaEntradaPrefixo(prefixo, CategoriaDoValor(valor), operadora));
}

// Area-code nibbles: digit 0 is 10, 15 is no digit.
constexpr int kNibbleZero = 10;
constexpr int kNibbleVazio = 15;

std::string NibbleParaTexto(int nibble)
{
    if (nibble == kNibbleZero)
        return "0";
    if (nibble >= 1 && nibble <= 9)
        return std::string(1, static_cast<char>('0' + nibble));
    return {};
}

// One character of the code edit; a blank is no number.
int DigitoParaNibble(std::string_view digito)
{
    if (digito.empty())
        return kNibbleVazio;
    const int valor = StrToInt(digito);
    return valor == 0 ? kNibbleZero : valor;
}

} // namespace

char CategoriaDoValor(std::uint8_t valor)
{
    char digito = '0';
    for (const Categoria& categoria : kCategorias)
        if (valor & categoria.bits)
            digito = categoria.digito;
    return digito;
}

ArvorePrefixos LeArvorePrefixos(const std::uint8_t* imagem)
{
    ArvorePrefixos arvore;
    std::copy_n(imagem + ofsPrefixosRaiz, arvore.raiz.size(), arvore.raiz.begin());
    std::copy_n(imagem + ofsPrefixosNos, arvore.nos.size(), arvore.nos.begin());
    return arvore;
}

void GravaArvorePrefixos(std::uint8_t* imagem, const ArvorePrefixos& arvore)
{
    std::copy(arvore.raiz.begin(), arvore.raiz.end(), imagem + ofsPrefixosRaiz);
    std::copy(arvore.nos.begin(), arvore.nos.end(), imagem + ofsPrefixosNos);
}

std::string MontaEntradaPrefixo(std::string_view prefixo, char categoria, std::string_view operadora)
{
    std::string entrada(prefixo);
    entrada += '-';
    entrada += categoria;
    entrada += '-';
    entrada += operadora;
    return entrada;
}

std::string_view PrefixoDaEntrada(std::string_view entrada)
{
    return entrada.substr(0, entrada.find('-'));
}

char CategoriaDaEntrada(std::string_view entrada)
{
    const size_t traco = entrada.find('-');
    return traco != std::string_view::npos && traco + 1 < entrada.size() ? entrada[traco + 1] : '\0';
}

std::string_view OperadoraDaEntrada(std::string_view entrada)
{
    const size_t traco = entrada.find('-');
    if (traco == std::string_view::npos)
        return {};
    const size_t segundo = entrada.find('-', traco + 1);
    return segundo == std::string_view::npos ? std::string_view{} : entrada.substr(segundo + 1);
}

std::optional<ArvorePrefixos> MontaArvorePrefixos(const std::vector<std::string>& lista)
{
    Construcao construcao;
    // Every entry is tried even after the pool ran out.
    for (const std::string& entrada : lista) {
        const std::string_view prefixo = PrefixoDaEntrada(entrada);
        if (prefixo.empty() || prefixo.size() > static_cast<size_t>(kDigitosPrefixoMaximo) || !SoDigitos(prefixo))
            continue;
        const std::uint8_t valor =
            BitsDaCategoria(CategoriaDaEntrada(entrada)) | BitsDaOperadora(OperadoraDaEntrada(entrada));
        construcao.InserePrefixo(prefixo, valor);
    }
    if (construcao.excesso())
        return std::nullopt;
    construcao.MarcaPrefixosEspeciais();
    return construcao.arvore();
}

std::vector<std::string> ListaDaArvore(const ArvorePrefixos& arvore)
{
    Leitura leitura(arvore);
    leitura.RecolheNo00();
    return leitura.Lista();
}

std::vector<std::string> CarregaArvorePrefixos(const std::uint8_t* imagem)
{
    return ListaDaArvore(LeArvorePrefixos(imagem));
}

std::string CodigoDddParaTexto(std::uint16_t palavra)
{
    const int nibbles[] = {palavra >> 12, (palavra >> 8) & 0xF, (palavra >> 4) & 0xF, palavra & 0xF};
    std::string texto;
    for (int nibble : nibbles) {
        if (nibble >= kNibbleVazio)
            break;
        texto += NibbleParaTexto(nibble);
    }
    return texto;
}

std::optional<std::uint16_t> LeCodigoDdd(std::string_view texto)
{
    const std::string_view t = Trim(texto);
    if (t.size() <= 1)
        return kSemCodigoDdd;
    if (t.size() == 2 || t.size() > 4)
        return std::nullopt;
    const auto nibble = [t](size_t i) { return DigitoParaNibble(t.substr(i, 1)); };
    const int alto = nibble(1) * 16 + nibble(2);
    const int baixo = t.size() == 4 ? nibble(3) * 16 + kNibbleVazio : 0xFF;
    return static_cast<std::uint16_t>(alto << 8 | baixo);
}

TResultadoPrefixos ConstroiArvorePrefixos(const std::vector<std::string>& lista, std::string_view textoDdd,
                                          std::uint8_t* imagem)
{
    const auto arvore = MontaArvorePrefixos(lista);
    if (!arvore)
        return TResultadoPrefixos::ExcessoDePrefixos;
    const auto codigo = LeCodigoDdd(textoDdd);
    if (!codigo)
        return TResultadoPrefixos::CodigoDddIncorreto;
    GravaU16(imagem + ofsCodigoDdd, *codigo);
    GravaArvorePrefixos(imagem, *arvore);
    return TResultadoPrefixos::Gravado;
}
