#include "reports/prefixos.h"

#include "image/layout.h"
#include "image/prefixos.h"

namespace {

constexpr int kDigitosListados = 4;

void Lista(const std::uint8_t* imagem, std::uint8_t valor, const std::string& digitos,
           std::vector<TPrefixoImpresso>& prefixos)
{
    if (!EhReferenciaNo(valor)) {
        prefixos.push_back({digitos, CategoriaDoValor(valor) - '0'});
        return;
    }
    const int no = NoDaReferencia(valor);
    if (no < 0)
        return;
    // Beyond four digits the report does not go: the prefix is listed, its
    // decisions lie on the digits after it.
    if (digitos.size() >= static_cast<size_t>(kDigitosListados)) {
        prefixos.push_back({digitos, kCategoriaMaisFundo});
        return;
    }
    const std::uint8_t* entradas = imagem + OffsetPrefixoNo(no);
    for (int d = 0; d < kEntradasNoPrefixo; ++d)
        Lista(imagem, entradas[d], digitos + static_cast<char>('0' + d), prefixos);
}

} // namespace

std::vector<TPrefixoImpresso> PrefixosDaTabela(const std::uint8_t* imagem)
{
    std::vector<TPrefixoImpresso> prefixos;
    for (int r = 0; r < kEntradasRaizPrefixo; ++r)
        Lista(imagem, imagem[ofsPrefixosRaiz + r], {static_cast<char>('0' + r / 10), static_cast<char>('0' + r % 10)},
              prefixos);
    return prefixos;
}
