#include "reports/prefixos.h"

std::vector<TPrefixoImpresso> PrefixosDaTabela(const std::uint8_t* imagem)
{
    (void)imagem;
    return {};
}
