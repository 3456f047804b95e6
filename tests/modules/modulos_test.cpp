// What every window of the library shares: its entry opens it over the
// caller's image, Cancel and Esc leave the image as it was, help names the
// help file, the buttons keep their tab order, and the window is gone when
// the entry returns.
#include "modules/entradas.h"
#include "modules/formatuaauto.h"
#include "modules/formcalendar.h"
#include "modules/formatdport.h"
#include "modules/formcancprog.h"
#include "modules/formhoraoper.h"
#include "modules/formconfigvias.h"
#include "modules/formchesec.h"
#include "modules/formemergenc.h"
#include "modules/formgruram.h"
#include "modules/formdesperta.h"
#include "modules/formferia.h"
#include "modules/formnotauto.h"
#include "modules/formplanonum.h"
#include "modules/formprogdiv.h"
#include "modules/formramaleco.h"
#include "modules/formpref.h"
#include "modules/formcatram.h"
#include "modules/formplanonum.h"
#include "modules/formprogdiv.h"
#include "modules/formprogind.h"
#include "modules/formsenha.h"
#include "modules/formtempor.h"
#include "platform/help.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Janela {
    const char* entrada;
    TEntradaModulo abre;
    TForm* (*variavel)(); // the window's global variable
    const char* legenda;
    int contextoAjuda;
    const char* botaoAjuda;
    const char* botaoCancela;
    const char* botaoPadrao; // null: the window has none
    const char* botoes;      // the buttons in their tab order
    const char* arquivoAjuda = "TRIVANTO.HLP";
};

void PrintTo(const Janela& caso, std::ostream* os)
{
    *os << caso.entrada;
}

const Janela kJanelas[] = {
    {"Temporizacoes", &Temporizacoes, []() -> TForm* { return FormTempor; }, "Temporizações", 1000, "HelpBitBtn",
     "CancButton", "PadButton", "HelpBitBtn PadButton CancButton OkButton"},
    {"ProgramacoesDiversas", &ProgramacoesDiversas, []() -> TForm* { return FormProgDiv; },
     "Programações diversas", 1200, "HelpBitBtn", "CancButton", "PadButton",
     "OkButton CancButton PadButton HelpBitBtn"},
    {"Calendario", &Calendario, []() -> TForm* { return FormCalendar; }, "Calendário ", 100, "HelpBitBtn",
     "CancButton", "CompButton", "HelpBitBtn CompButton CancButton OkButton"},
    {"PlanoDeNumeracao", &PlanoDeNumeracao, []() -> TForm* { return FormPlanoNum; }, "Plano de numeração", 500,
     "BitBtn1", "CancButton", "PadButton", "OkButton CancButton PadButton BitBtn1"},
    {"SenhaGeral", &SenhaGeral, []() -> TForm* { return FormSenha; }, "Senhas", 1500, "HelpBitBtn", "CancButton",
     nullptr, "HelpBitBtn CancButton OkButton"},
    {"ControleAtendedorDigital", &ControleAtendedorDigital, []() -> TForm* { return FormCancProg; },
     "Controle de atendedor digital", 600, "HelpBitBtn", "BtnCancela", "CancButton",
     "HelpBitBtn CancButton OKButton BtnCancela"},
    {"RamaisEconomicos", &RamaisEconomicos, []() -> TForm* { return FormRamalEco; },
     "Temporizações dos ramais econômicos", 3400, "BitBtnAjuda", "CancelButton", "Button1",
     "Button1 OkButton CancelButton BitBtnAjuda"},
    {"HorariosOperadoras", &HorariosOperadoras, []() -> TForm* { return FormHoraOper; },
     "Horários para operadoras telefônicas", 3300, "BitBtnAjuda", "CancelButton", "Button1",
     "Button1 OkButton CancelButton BitBtnAjuda"},
    {"AtendedoresDePorteiros", &AtendedoresDePorteiros, []() -> TForm* { return FormAtdPort; },
     "Atendedores dos Porteiros", 1100, "HelpBitBtn", "CancButton", "PadButton",
     "HelpBitBtn PadButton CancButton OkButton"},
    {"ConfiguracaoDasVias", &ConfiguracaoDasVias, []() -> TForm* { return FormConfigVias; },
     "Configuração das vias ", 300, "HelpBitBtn", "BtnCancela", "DefButton",
     "HelpBitBtn CopiaButton DefButton OkButton BtnCancela"},
    {"BloqueioDePrefixos", &BloqueioDePrefixos, []() -> TForm* { return FormPref; }, "Bloqueio de prefixos", 1400,
     "HelpBitBtn", "CancButton", "Button2", "HelpBitBtn Button1 CancButton OkButton Button2", "DIGITAL.HLP"},
    {"EmergenciaExterna", &EmergenciaExterna, []() -> TForm* { return FormEmergenc; }, "Emergência externa", 1600,
     "BitBtn1", "CancButton", "BtnPadrao", "BitBtn1 BtnPadrao CancButton OkButton"},
    {"GruposDeRamais", &GruposDeRamais, []() -> TForm* { return FormGruRam; }, "Grupo de ramais", 800,
     "HelpBitBtn", "CancButton", nullptr, "HelpBitBtn CancButton OkButton"},
    {"GruposChefeSecretaria", &GruposChefeSecretaria, []() -> TForm* { return FormCheSec; },
     "Grupos chefe-secretária", 900, "HelpBitBtn", "CancButton", nullptr, "HelpBitBtn CancButton OkButton"},
    {"CategoriaDosRamais", &CategoriaDosRamais, []() -> TForm* { return FormCatRam; }, "Categoria dos ramais", 200,
     "BitBtn1", "BtnCancela", "PadButton", "BitBtn1 ButtonCat PadButton CopButton ButtonOk BtnCancela"},
    {"ProgramacaoIndividual", &ProgramacaoIndividual, []() -> TForm* { return FormProgInd; },
     "Programações individuais", 2600, "HelpBitBtn", "Button3", "Button1",
     "HelpBitBtn Button1 Button2 OKButton Button3"},
    {"NoturnoAutomatico", &NoturnoAutomatico, []() -> TForm* { return FormNotAuto; }, "Noturno automático", 1900,
     "HelpBitBtn", "CancButton", nullptr, "HelpBitBtn OkButton CancButton"},
    {"AtuacaoExterna", &AtuacaoExterna, []() -> TForm* { return FormAtuaAuto; }, "Atuação externa", 2100,
     "HelpBitBtn", "CancButton", nullptr, "HelpBitBtn CancButton OkButton"},
    {"Feriados", &Feriados, []() -> TForm* { return FormFeria; }, "Feriados", 2000, "HelpBitBtn", "CancButton",
     nullptr, "HelpBitBtn CancButton OkButton"},
    {"CfgDoDespertador", &CfgDoDespertador, []() -> TForm* { return FormDesperta; }, "Programação de despertador",
     2300, "BitBtnAjuda", "CancelButton", nullptr, "OkButton CancelButton BitBtnAjuda"},
};

class Modulos : public ::testing::TestWithParam<Janela> {};

std::string Nome(const ::testing::TestParamInfo<Janela>& info) { return info.param.entrada; }

TEST_P(Modulos, AbreSobreAImagemESomeQuandoAEntradaVolta)
{
    const Janela& janela = GetParam();
    auto imagem = ImagemDeTeste();
    TForm* aberta = nullptr;
    AbreEntrada(janela.abre, imagem, [&](TForm* w) {
        aberta = w;
        EXPECT_EQ(w->Caption(), QString::fromUtf8(janela.legenda));
        EXPECT_EQ(janela.variavel(), w);
        EXPECT_EQ(ImagemAtual, imagem.data());
        EXPECT_EQ(w->parentWidget(), nullptr);
        Click(w, janela.botaoCancela);
    });
    EXPECT_NE(aberta, nullptr);
    EXPECT_EQ(janela.variavel(), nullptr);
}

// Whatever the defaults button did, leaving through Cancel or Esc writes
// nothing.
TEST_P(Modulos, CancelaOuEscNaoAlteramAImagem)
{
    const Janela& janela = GetParam();
    for (bool esc : {false, true}) {
        auto imagem = ImagemDeTeste();
        const auto antes = imagem;
        ScriptedBoxes boxes({IDYES});
        AbreEntrada(janela.abre, imagem, [&](TForm* w) {
            if (janela.botaoPadrao)
                Click(w, janela.botaoPadrao);
            if (esc) // typed where the cursor is, as the user does
                Tecla(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Escape, "\x1b");
            else
                Click(w, janela.botaoCancela);
            QCoreApplication::processEvents();
            EXPECT_FALSE(w->isVisible()) << (esc ? "Esc" : "Cancel") << " must close the window";
        });
        EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{}) << (esc ? "Esc" : "Cancel");
    }
}

TEST_P(Modulos, AjudaNomeiaOArquivoEAbreOTopicoDaJanela)
{
    const Janela& janela = GetParam();
    auto imagem = ImagemDeTeste();
    ScriptedBoxes boxes;
    ClearHelpRequests();
    Application->HelpFile = "OUTRO.HLP";
    AbreEntrada(janela.abre, imagem, [&](TForm* w) {
        Click(w, janela.botaoAjuda);
        Tecla(w, Qt::Key_F1);
    });
    ConfereAjudasDaJanela(janela.arquivoAjuda, janela.contextoAjuda, boxes);
}

TEST_P(Modulos, BotoesNaOrdemDeTabulacao)
{
    const Janela& janela = GetParam();
    auto imagem = ImagemDeTeste();
    QString ordem;
    AbreEntrada(janela.abre, imagem, [&](TForm* w) { ordem = OrdemDosBotoes(w); });
    EXPECT_EQ(ordem, QString::fromLatin1(janela.botoes));
}

INSTANTIATE_TEST_SUITE_P(Janelas, Modulos, ::testing::ValuesIn(kJanelas), Nome);

TEST(Entradas, SemImagemNenhumaJanelaAbre)
{
    ModalScript modal;
    Temporizacoes(nullptr, nullptr);
    EXPECT_TRUE(modal.shown.empty());
}

} // namespace
