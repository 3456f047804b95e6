#include "reports/prefixos.h"

#include "image/prefixos.h"

std::vector<TPrefixoImpresso> PrefixosDaTabela(const std::uint8_t* imagem)
{
    // The same reading the prefix window makes of the tree, so the report
    // lists exactly the prefixes the user edits, at most seven digits deep.
    std::vector<TPrefixoImpresso> prefixos;
    for (const std::string& entrada : CarregaArvorePrefixos(imagem)) {
        const char categoria = CategoriaDaEntrada(entrada);
        const int indice = categoria >= '0' && categoria <= '4' ? categoria - '0' : 0;
        prefixos.push_back({std::string(PrefixoDaEntrada(entrada)), indice});
    }
    return prefixos;
}
