#include "tests/shell/principal_fixture.h"

#include "shell/arquivos.h"
#include "tests/support/dialogs_script.h"
#include "users/arquivousuarios.h"

#include <QCoreApplication>
#include <QTest>

#include <cstring>
#include <utility>

namespace {

template <int E>
void EntradaFalsa(std::uint8_t* imagem, const char* texto)
{
    ChamadasFalsas().push_back({E, imagem, texto != nullptr, texto ? std::string(texto) : std::string()});
}

template <size_t... E>
std::array<TEntradaModulo, kTotalEntradas> CriaFalsas(std::index_sequence<E...>)
{
    return {&EntradaFalsa<static_cast<int>(E)>...};
}

bool SemOutraInstancia(const QString&, QWidget*)
{
    return false;
}

} // namespace

std::vector<ChamadaEntrada>& ChamadasFalsas()
{
    static std::vector<ChamadaEntrada> chamadas;
    return chamadas;
}

std::array<TEntradaModulo, kTotalEntradas> EntradasFalsas()
{
    return CriaFalsas(std::make_index_sequence<kTotalEntradas>{});
}

int IndiceEntrada(const char* nome)
{
    for (int e = 0; e < kTotalEntradas; ++e)
        if (std::strcmp(kNomesEntradas[e], nome) == 0)
            return e;
    return -1;
}

const std::array<TEntradaModulo, kTotalEntradas>& EntradasReais()
{
    static const std::array<TEntradaModulo, kTotalEntradas> reais = [] {
        CarregaBiblioteca(QStringLiteral(TRIVANTO_BIN_DIR "/libprtrivan.so"));
        std::array<TEntradaModulo, kTotalEntradas> tabela{};
        std::copy(std::begin(EntradasBiblioteca), std::end(EntradasBiblioteca), tabela.begin());
        return tabela;
    }();
    return reais;
}

void JanelaPrincipalTest::SetUp()
{
    EntradasReais();
    GuardaInstancia = &SemOutraInstancia;
    ChamadasFalsas().clear();
    DireitosUsuario = 0xFFFF;
    ASSERT_TRUE(pasta.isValid());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TRIVANTO_BIN_DIR "/PADRAO.PBX"), pasta.filePath("PADRAO.PBX")));
}

void JanelaPrincipalTest::TearDown()
{
    janela.reset();
    std::copy(EntradasReais().begin(), EntradasReais().end(), std::begin(EntradasBiblioteca));
    GuardaInstancia = &OutraInstanciaAtiva;
    FormTransferencia = nullptr;
    MostraRelatorios = nullptr;
    ImagemAlterada = false;
    RegistroUsuarios.fill(0);
}

TFormPrinc& JanelaPrincipalTest::Abre()
{
    janela = std::make_unique<TFormPrinc>();
    DiretorioPrograma = pasta.path();
    janela->Show();
    QCoreApplication::processEvents();
    return *janela;
}

void JanelaPrincipalTest::IniciaPrograma(TJanelasPrograma& janelas, const QString& arquivo)
{
    ASSERT_TRUE(CriaJanelasPrograma(janelas));
    DiretorioPrograma = pasta.path();
    TFormPrinc& j = *janelas.principal;
    j.Show();
    j.activateWindow();
    QCoreApplication::processEvents();
    if (arquivo.isEmpty())
        return;
    ScriptedFileDialogs arquivos({arquivo});
    QTest::mouseClick(j.ToolBar1->widgetForAction(BotaoFerramenta(j, "Abrir")), Qt::LeftButton);
    ASSERT_EQ(ArquivoAtual, arquivo);
}

void JanelaPrincipalTest::RegistraUmUsuario()
{
    DiretorioPrograma = pasta.path();
    RegistroUsuarios.fill(0);
    PoeSenhaUsuario(RegistroUsuarios, 1, "ABC");
    PoeDireitosDoUsuario(RegistroUsuarios, 1, 0xFFFF);
    ASSERT_TRUE(GravaRegistroUsuarios());
    RegistroUsuarios.fill(0);
}

void JanelaPrincipalTest::UsaEntradasFalsas()
{
    const auto falsas = EntradasFalsas();
    std::copy(falsas.begin(), falsas.end(), std::begin(EntradasBiblioteca));
    if (janela)
        janela->AtualizaMenus();
}

QAction* AcaoDe(QMenu* menu, const QString& legenda)
{
    if (!menu)
        return nullptr;
    for (QAction* acao : menu->actions())
        if (acao->text() == legenda)
            return acao;
    return nullptr;
}

QAction* AcaoMenu(TFormPrinc& janela, const std::vector<QString>& caminho)
{
    QAction* atual = nullptr;
    for (QAction* acao : janela.MainMenu1->actions())
        if (acao->text() == caminho.front())
            atual = acao;
    for (size_t k = 1; atual && k < caminho.size(); ++k)
        atual = AcaoDe(atual->menu(), caminho[k]);
    return atual;
}

QAction* BotaoFerramenta(TFormPrinc& janela, const QString& legenda)
{
    for (QAction* acao : janela.ToolBar1->actions())
        if (acao->text() == legenda)
            return acao;
    return nullptr;
}
