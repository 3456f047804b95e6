#include "image/porteiro.h"

#include "image/grupos.h"
#include "image/registro.h"

std::string ReferenciaAtendedorParaTexto(const std::uint8_t* imagem, std::uint8_t referencia)
{
    const std::string branco(4, ' ');
    if (referencia == kSemReferencia || referencia == kPorteiroSemAtendedor79 || referencia == kPorteiroSemAtendedor7A)
        return branco;
    if (GrupoDesativado(imagem, referencia - kReferenciaGrupo))
        return branco;
    return ReferenciaParaTexto(imagem, referencia);
}
