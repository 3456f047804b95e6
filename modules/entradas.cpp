// The library's entries: one per programming area, each opening its window
// over the caller's image. Every entry has the TEntradaModulo form; those
// that take no start text ignore it.
#include "modules/entradas.h"

#include "modules/formatuaauto.h"
#include "modules/formcalendar.h"
#include "modules/formcancprog.h"
#include "modules/formdesperta.h"
#include "modules/formferia.h"
#include "modules/formnotauto.h"
#include "modules/formplanonum.h"
#include "modules/formprogdiv.h"
#include "modules/formsenha.h"
#include "modules/formtempor.h"

// An entry that opens one window and ignores the start text.
#define ENTRADA_DE_JANELA(entrada, janela)                                  \
    ENTRADA_MODULO void entrada(std::uint8_t* imagem, const char*)          \
    {                                                                       \
        ExecutaModulo(janela, imagem);                                      \
    }

// The timings window is reached by one name (entries have no numbers here).
ENTRADA_DE_JANELA(Temporizacoes, FormTempor)
ENTRADA_DE_JANELA(ProgramacoesDiversas, FormProgDiv)
ENTRADA_DE_JANELA(Calendario, FormCalendar)
ENTRADA_DE_JANELA(PlanoDeNumeracao, FormPlanoNum)
ENTRADA_DE_JANELA(SenhaGeral, FormSenha)
ENTRADA_DE_JANELA(ControleAtendedorDigital, FormCancProg)
ENTRADA_DE_JANELA(NoturnoAutomatico, FormNotAuto)
ENTRADA_DE_JANELA(AtuacaoExterna, FormAtuaAuto)
ENTRADA_DE_JANELA(Feriados, FormFeria)
ENTRADA_DE_JANELA(CfgDoDespertador, FormDesperta)
