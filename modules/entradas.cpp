// The library's entries: one per programming area, each opening its window
// over the caller's image. Every entry has the TEntradaModulo form; those
// that take no start text ignore it.
#include "modules/entradas.h"

#include "modules/formcalendar.h"
#include "modules/formcancprog.h"
#include "modules/formplanonum.h"
#include "modules/formprogdiv.h"
#include "modules/formsenha.h"
#include "modules/formtempor.h"

// The timings window is reached by one name (entries have no numbers here).
ENTRADA_MODULO void Temporizacoes(std::uint8_t* imagem, const char*)
{
    ExecutaModulo(FormTempor, imagem);
}

ENTRADA_MODULO void ProgramacoesDiversas(std::uint8_t* imagem, const char*)
{
    ExecutaModulo(FormProgDiv, imagem);
}

ENTRADA_MODULO void Calendario(std::uint8_t* imagem, const char*)
{
    ExecutaModulo(FormCalendar, imagem);
}

ENTRADA_MODULO void PlanoDeNumeracao(std::uint8_t* imagem, const char*)
{
    ExecutaModulo(FormPlanoNum, imagem);
}

ENTRADA_MODULO void SenhaGeral(std::uint8_t* imagem, const char*)
{
    ExecutaModulo(FormSenha, imagem);
}

ENTRADA_MODULO void ControleAtendedorDigital(std::uint8_t* imagem, const char*)
{
    ExecutaModulo(FormCancProg, imagem);
}
