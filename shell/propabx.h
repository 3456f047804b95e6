#pragma once
// The main window: owns the programming image for the whole run, runs the
// login, and offers every command through its menus, tool bar and the trunk
// and extension buttons.
#include "platform/forms.h"

#include <array>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QToolButton;
struct TComandoEdicao;

class TFormPrinc : public TForm {
    Q_OBJECT
public:
    explicit TFormPrinc(QWidget* owner = nullptr);
    ~TFormPrinc() override;

    // True when the single-instance guard found another copy running: the
    // program must stop without creating or reading anything else.
    bool OutraInstancia() const { return outraInstancia_; }

    // Recomputes the enabled state of every command and the buttons from the
    // item flags.
    void AtualizaMenus();
    // Captions and enabling of the twelve extension buttons.
    void AtualizaBotoesRamais();
    // The status bar's single panel: the current file name.
    void MostraArquivo(const QString& nome);

    QMenuBar* MainMenu1;
    QMenu* PopupMenu1;
    QToolBar* ToolBar1;
    QWidget* Panel1;
    QStatusBar* StatusBar1;
    QLabel* PainelArquivo;
    std::array<QToolButton*, 4> BotoesVias{};
    std::array<QToolButton*, 12> BotoesRamais{};

    // Commands of the menus.
    QAction* LerArquivo1 = nullptr;
    QAction* NovoArquivo1 = nullptr;
    QAction* SalvarArquivo1 = nullptr;
    QAction* SalvarArquivoComo1 = nullptr;
    QAction* UsuariosPrograma1 = nullptr;
    QAction* SairPrograma1 = nullptr;
    QAction* Configuracao1 = nullptr;
    QAction* ReceberProgramacoes1 = nullptr;
    QAction* TransmitirProgramacoes1 = nullptr;
    QAction* Relatorios1 = nullptr;
    QAction* Conteudo1 = nullptr;
    QAction* Sobre1 = nullptr;
    // Buttons of the tool bar.
    QAction* BotaoSair = nullptr;
    QAction* BotaoNovo = nullptr;
    QAction* BotaoAbrir = nullptr;
    QAction* BotaoSalvar = nullptr;
    QAction* BotaoConfigurar = nullptr;
    QAction* BotaoReceber = nullptr;
    QAction* BotaoTransmitir = nullptr;
    QAction* BotaoUsuarios = nullptr;

    // The handlers of the commands.
    void LerArquivo1Click();
    void NovoArquivo1Click();
    void SalvarArquivo1Click();
    void SalvarArquivoComo1Click();
    void UsuariosPrograma1Click();
    void SairPrograma1Click();
    void Configuracao1Click();
    void ReceberProgramacoes1Click();
    void TransmitirProgramacoes1Click();
    void Relatorios1Click();
    void Conteudo1Click();
    void Sobre1Click();
    void BotaoViaClick(int via);       // trunk button 1..4
    void BotaoRamalClick(int posicao); // extension button 1..12
    void ComandoEdicaoClick(const TComandoEdicao& comando);

protected:
    void FormShow() override;
    void FormActivate() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose() override;
    void ShowHelp(int context) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // An editing command with its entries in the main menu and the popup menu.
    struct AcaoEdicao {
        const TComandoEdicao* comando;
        QAction* menu;
        QAction* popup;
    };

    void FormCreate();
    void CriaMenus();
    void CriaBarraFerramentas();
    void CriaPainelBotoes();
    QAction* CriaAcao(const char* legenda, int ajuda, void (TFormPrinc::*acao)());
    void ChamaComBotao(int entrada, int item, const QString& legenda);

    std::vector<AcaoEdicao> acoesEdicao_;
    bool outraInstancia_ = false;
    bool loginFeito_ = false;
};

// The main window while it exists.
extern TFormPrinc* FormPrinc;

// The transfer window, created at start and kept for the whole run; the
// receive and transmit commands show it through MostraFormComun (they do
// nothing while it is null).
extern TForm* FormTransferencia;

// Opens the reports dialog; null until the reports are built: " &Relatórios"
// is then disabled.
extern void (*MostraRelatorios)();
