// The library's entries: one per programming area, each opening its window
// over the caller's image. Every entry has the TEntradaModulo form; those
// that take no start text ignore it.
#include "modules/entradas.h"

#include "modules/formagcolet.h"
#include "modules/formagindiv.h"
#include "modules/formatdport.h"
#include "modules/formatuaauto.h"
#include "modules/formcalendar.h"
#include "modules/formcancprog.h"
#include "modules/formcatram.h"
#include "modules/formchesec.h"
#include "modules/formcodpart.h"
#include "modules/formconfigvias.h"
#include "modules/formcopcat.h"
#include "modules/formcopiavia.h"
#include "modules/formcopram.h"
#include "modules/formdesperta.h"
#include "modules/formemergenc.h"
#include "modules/formferia.h"
#include "modules/formgruram.h"
#include "modules/formhoraoper.h"
#include "modules/formnotauto.h"
#include "modules/formnti.h"
#include "modules/formplanonum.h"
#include "modules/formpref.h"
#include "modules/formprogdiv.h"
#include "modules/formprogind.h"
#include "modules/formramaleco.h"
#include "modules/formsenha.h"
#include "modules/formtempor.h"
#include "modules/formtodpref.h"

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
ENTRADA_DE_JANELA(RamaisEconomicos, FormRamalEco)
ENTRADA_DE_JANELA(HorariosOperadoras, FormHoraOper)
ENTRADA_DE_JANELA(AtendedoresDePorteiros, FormAtdPort)
ENTRADA_DE_JANELA(EmergenciaExterna, FormEmergenc)
ENTRADA_DE_JANELA(GruposDeRamais, FormGruRam)
ENTRADA_DE_JANELA(GruposChefeSecretaria, FormCheSec)
ENTRADA_DE_JANELA(CodigosParticulares, FormCodPart)
ENTRADA_DE_JANELA(AgendaColetiva, FormAgColet)
ENTRADA_DE_JANELA(AgendasIndividuais, FormAgIndiv)
ENTRADA_DE_JANELA(NoturnoAutomatico, FormNotAuto)
ENTRADA_DE_JANELA(AtuacaoExterna, FormAtuaAuto)
ENTRADA_DE_JANELA(Feriados, FormFeria)
ENTRADA_DE_JANELA(CfgDoDespertador, FormDesperta)
ENTRADA_DE_JANELA(TeclasTerminais, FormNTI)

// The trunk window opens at the trunk the start text names; its picker is
// created first and freed last.
ENTRADA_MODULO void ConfiguracaoDasVias(std::uint8_t* imagem, const char* textoInicial)
{
    ExecutaModuloComCompanheira(FormConfigVias, FormCopiaVia, TOrdem::CompanheiraPrimeiro, TOrdem::PrincipalPrimeiro,
                                imagem, textoInicial);
}

// The prefix window and the dialog it opens for "Todos": created and freed
// in that order.
ENTRADA_MODULO void BloqueioDePrefixos(std::uint8_t* imagem, const char*)
{
    ExecutaModuloComCompanheira(FormPref, FormTodPref, TOrdem::PrincipalPrimeiro, TOrdem::PrincipalPrimeiro, imagem);
}

// The categories window opens on the extension the caller names.
ENTRADA_MODULO void CategoriaDosRamais(std::uint8_t* imagem, const char* textoInicial)
{
    ExecutaModuloComCompanheira(FormCatRam, FormCopCat, TOrdem::PrincipalPrimeiro, TOrdem::CompanheiraPrimeiro,
                                imagem, textoInicial);
}

ENTRADA_MODULO void ProgramacaoIndividual(std::uint8_t* imagem, const char*)
{
    ExecutaModuloComCompanheira(FormProgInd, FormCopRam, TOrdem::CompanheiraPrimeiro, TOrdem::PrincipalPrimeiro,
                                imagem);
}
