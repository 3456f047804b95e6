#include "image/emergencia.h"

#include "image/registro.h"

std::string ReferenciaEmergenciaParaTexto(const std::uint8_t* imagem, std::uint8_t referencia, bool semInterno)
{
    switch (referencia) {
    case kEmergenciaNumeroExterno:
    case kEmergenciaSemReferencia7B:
    case kSemReferencia:
    case kEmergenciaSemReferenciaFF:
        return std::string(4, ' ');
    case kEmergenciaSemInterno:
        if (semInterno)
            return std::string(4, ' ');
        break;
    default:
        break;
    }
    return ReferenciaParaTexto(imagem, referencia);
}
