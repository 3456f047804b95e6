#include "image/assinatura.h"

#include "image/layout.h"

#include <algorithm>

static_assert(static_cast<int>(kAssinatura.size()) == Area("Assinatura").tamanho);

void GravaAssinatura(std::uint8_t* imagem)
{
    std::copy(kAssinatura.begin(), kAssinatura.end(), imagem + ofsAssinatura);
}

bool AssinaturaValida(const std::uint8_t* imagem)
{
    return std::equal(kAssinatura.begin(), kAssinatura.end(), imagem + ofsAssinatura);
}
