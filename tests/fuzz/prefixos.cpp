// Fuzz target: the prefix-blocking area of an image (area code, root table,
// nodes: image bytes 3478..3829) read back into the prefix list, and that
// list built again; the printed report's walk of the same bytes too. Whatever the bytes, the read must end, list only
// well-formed entries that do not overlap, and a list that covers every
// number and fits must build into a tree that decides the same way.
#include "image/layout.h"
#include "image/prefixos.h"
#include "reports/prefixos.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Exige(bool condicao)
{
    if (!condicao)
        std::abort();
}

bool Comeca(std::string_view texto, std::string_view inicio) { return texto.substr(0, inicio.size()) == inicio; }

bool Sobrepoem(std::string_view a, std::string_view b) { return Comeca(a, b) || Comeca(b, a); }

void VerificaEntradas(const std::vector<std::string>& lista)
{
    Exige(lista.size() <= static_cast<size_t>(kEntradasRaizPrefixo + kNosPrefixo * kEntradasNoPrefixo));
    for (size_t i = 0; i < lista.size(); ++i) {
        const std::string_view prefixo = PrefixoDaEntrada(lista[i]);
        Exige(!prefixo.empty() && prefixo.size() <= static_cast<size_t>(kDigitosPrefixoMaximo));
        Exige(std::all_of(prefixo.begin(), prefixo.end(), [](char c) { return c >= '0' && c <= '9'; }));
        Exige(CategoriaDaEntrada(lista[i]) >= '0' && CategoriaDaEntrada(lista[i]) <= '4');
        const std::string_view operadora = OperadoraDaEntrada(lista[i]);
        Exige(operadora == "0" || operadora == "2" || operadora == "4" || operadora == "6");
        if (i > 0) {
            Exige(lista[i - 1] < lista[i]);
            Exige(!Sobrepoem(PrefixoDaEntrada(lista[i - 1]), prefixo));
        }
    }
}

// The report's walk: two to four digits each, a category or, on four digits
// only, none; no prefix begins another.
void VerificaRelatorio(const std::vector<TPrefixoImpresso>& impressos)
{
    for (size_t i = 0; i < impressos.size(); ++i) {
        const std::string& digitos = impressos[i].digitos;
        Exige(digitos.size() >= 2 && digitos.size() <= 4);
        Exige(std::all_of(digitos.begin(), digitos.end(), [](char c) { return c >= '0' && c <= '9'; }));
        const int categoria = impressos[i].categoria;
        Exige((categoria >= 0 && categoria <= 4) || (categoria == kCategoriaMaisFundo && digitos.size() == 4));
        if (i > 0) {
            Exige(impressos[i - 1].digitos < digitos);
            Exige(!Sobrepoem(impressos[i - 1].digitos, digitos));
        }
    }
}

// Prefixes that cover every number exactly once (they do not overlap).
bool CobreTudo(const std::vector<std::string>& lista)
{
    long long cobertos = 0;
    for (const std::string& entrada : lista) {
        long long parte = 1;
        for (size_t i = PrefixoDaEntrada(entrada).size(); i < static_cast<size_t>(kDigitosPrefixoMaximo); ++i)
            parte *= 10;
        cobertos += parte;
    }
    return cobertos == 10'000'000;
}

// Every pair of overlapping prefixes of the two lists carries the same
// category and carrier.
void MesmasDecisoes(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    for (const std::string& x : a)
        for (const std::string& y : b)
            if (Sobrepoem(PrefixoDaEntrada(x), PrefixoDaEntrada(y)))
                Exige(x.substr(x.find('-')) == y.substr(y.find('-')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> imagem(kTamanhoImagem, 0);
    const std::size_t area = ofsPrefixosNos + kNosPrefixo * kEntradasNoPrefixo - ofsCodigoDdd;
    std::copy_n(data, std::min(size, area), imagem.begin() + ofsCodigoDdd);

    const std::string codigo = CodigoDddParaTexto(LeU16(imagem.data() + ofsCodigoDdd));
    Exige(codigo.size() <= 4);
    const std::vector<std::string> lida = CarregaArvorePrefixos(imagem.data());
    VerificaEntradas(lida);
    VerificaRelatorio(PrefixosDaTabela(imagem.data()));

    const auto arvore = MontaArvorePrefixos(lida);
    if (!arvore || !CobreTudo(lida))
        return 0;
    const std::vector<std::string> relida = ListaDaArvore(*arvore);
    VerificaEntradas(relida);
    Exige(CobreTudo(relida));
    MesmasDecisoes(lida, relida);
    Exige(MontaArvorePrefixos(relida) == arvore);
    return 0;
}
