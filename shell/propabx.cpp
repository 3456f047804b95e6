#include "shell/propabx.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "link/formcomun.h"
#include "platform/application.h"
#include "platform/formatting.h"
#include "platform/help.h"
#include "shell/aboutbox.h"
#include "shell/arquivos.h"
#include "shell/biblioteca.h"
#include "shell/formconfsys.h"
#include "shell/instancia.h"
#include "state/configuracao.h"
#include "state/registro.h"
#include "users/acesso.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>
#include <memory>

TFormPrinc* FormPrinc = nullptr;
TForm* FormTransferencia = nullptr;
void (*MostraRelatorios)() = nullptr;

enum TSubmenu { smBasicas, smRamal, smGerais };

// An editing command: its captions, where it lies, its help context, the
// access level it asks (0 none), the library entry it calls and the item
// that enables it and that it marks.
struct TComandoEdicao {
    const char* legenda;
    TSubmenu submenu;
    const char* legendaPopup; // null: not in the popup menu
    int ajuda;
    int nivel;
    TEntradaBiblioteca entrada;
    TItemProgramacao item;
    int itemAlternativo = 0; // another item that also enables the command
    bool exigeItem = false;  // runs only while its own item is available
};

namespace {

const char* const kLegendaJanela = "Programador Trivanto I e Ferinox 1.6 (Out/02)";
constexpr int kAjudaMenu = 4100;
constexpr int kAjudaSubmenu = 4500;

const TComandoEdicao kComandosEdicao[] = {
    {"&Senhas", smBasicas, "&Senhas", 1500, 1, ebSenhaGeral, ipSenhaGeral, ipItem22, true},
    {"Configuração das &vias", smBasicas, nullptr, 300, 1, ebConfiguracaoDasVias, ipConfiguracaoVias},
    {"&Plano de numeração", smBasicas, nullptr, 500, 1, ebPlanoDeNumeracao, ipPlanoNumeracao},
    {"Categoria dos &ramais", smBasicas, nullptr, 200, 1, ebCategoriaDosRamais, ipCategoriaRamais},
    {"Código &particular", smRamal, nullptr, 0, 0, ebCodigosParticulares, ipCodigoParticular},
    {"&Grupos de ramais", smRamal, nullptr, 800, 2, ebGruposDeRamais, ipGruposRamais},
    {"Grupo c&hefe-secretária", smRamal, nullptr, 900, 2, ebGruposChefeSecretaria, ipChefeSecretaria},
    {"&Ramais com agenda individual", smRamal, nullptr, 0, 0, ebAgendasIndividuais, ipAgendaIndividual},
    {"Programação de &despertador", smRamal, nullptr, 2300, 2, ebCfgDoDespertador, ipDespertador},
    {"Ramais &econômicos", smRamal, nullptr, 0, 2, ebRamaisEconomicos, ipRamalEconomico},
    {"Programações &individuais de ramal", smRamal, nullptr, 0, 0, ebProgramacaoIndividual,
     ipProgramacoesIndividuais},
    {"Teclas dos terminais &inteligentes", smRamal, nullptr, 0, 2, ebTeclasTerminais, ipTeclasTerminais},
    {"&Calendário", smGerais, "&Calendário", 100, 0, ebCalendario, ipCalendario, 0, true},
    {"A&genda geral", smGerais, "A&genda geral", 700, 3, ebAgendaColetiva, ipAgendaGeral},
    {"Te&mporizações", smGerais, "Te&mporizações", 1000, 3, ebTemporizacoes, ipTemporizacoes},
    {"&Emergência externa", smGerais, "Emergência externa", 1600, 3, ebEmergenciaExterna, ipEmergenciaExterna},
    {"Atendedores dos &porteiros", smGerais, "Atendedores dos &porteiros", 1100, 3, ebAtendedoresDePorteiros,
     ipAtendedoresPorteiros},
    {"Pr&ogramações diversas", smGerais, "Pr&ogramações diversas", 1200, 3, ebProgramacoesDiversas,
     ipProgramacoesDiversas},
    {"&Bloqueio de prefixos", smGerais, "&Bloqueio de prefixos", 1400, 3, ebBloqueioDePrefixos, ipBloqueioPrefixos},
    {"&Noturno automático", smGerais, "&Noturno automático", 1900, 3, ebNoturnoAutomatico, ipServicosAutomaticos},
    {"&Feriados", smGerais, "&Feriados", 2000, 3, ebFeriados, ipFeriados},
    {"&Atuação externa", smGerais, "&Atuação externa", 2100, 3, ebAtuacaoExterna, ipServicosAutomaticos},
    {"Con&trole atendedor digital", smGerais, "Con&trole atendedor digital", 600, 2, ebControleAtendedorDigital,
     ipAtendedorDigital},
    {"&Horários para operadoras telefônica", smGerais, "&Horários para operadoras telefônica", 0, 3,
     ebHorariosOperadoras, ipHorariosOperadoras},
};

struct TLegendaSubmenu {
    TSubmenu submenu;
    const char* legenda;
};

const TLegendaSubmenu kSubmenus[] = {
    {smBasicas, "Programações &básicas do PABX"},
    {smRamal, "Programações de &ramal"},
    {smGerais, "Programações gerais do &PABX"},
};

// A command of the menus other than the editing ones; a null caption is a
// separator line.
struct TItemMenu {
    const char* legenda;
    int ajuda;
    void (TFormPrinc::*acao)();
    QAction* TFormPrinc::*membro;
};

const TItemMenu kMenuArquivo[] = {
    {"&Ler arquivo", 4100, &TFormPrinc::LerArquivo1Click, &TFormPrinc::LerArquivo1},
    {"&Novo arquivo", 0, &TFormPrinc::NovoArquivo1Click, &TFormPrinc::NovoArquivo1},
    {"&Salvar arquivo", 4600, &TFormPrinc::SalvarArquivo1Click, &TFormPrinc::SalvarArquivo1},
    {"Salvar arquivo &como", 0, &TFormPrinc::SalvarArquivoComo1Click, &TFormPrinc::SalvarArquivoComo1},
    {"&Usuários do programa", 4900, &TFormPrinc::UsuariosPrograma1Click, &TFormPrinc::UsuariosPrograma1},
    {nullptr, 0, nullptr, nullptr},
    {"Sai&r do programa", 4100, &TFormPrinc::SairPrograma1Click, &TFormPrinc::SairPrograma1},
};

const TItemMenu kMenuComunicacao[] = {
    {"&Configuração", 4200, &TFormPrinc::Configuracao1Click, &TFormPrinc::Configuracao1},
    {nullptr, 0, nullptr, nullptr},
    {"R&eceber programações", 4400, &TFormPrinc::ReceberProgramacoes1Click, &TFormPrinc::ReceberProgramacoes1},
    {"&Transmitir programações", 4700, &TFormPrinc::TransmitirProgramacoes1Click,
     &TFormPrinc::TransmitirProgramacoes1},
};

const TItemMenu kMenuAjuda[] = {
    {"&Conteúdo", 4100, &TFormPrinc::Conteudo1Click, &TFormPrinc::Conteudo1},
    {"&Sobre", 4100, &TFormPrinc::Sobre1Click, &TFormPrinc::Sobre1},
};

// The tool bar's buttons, in order, with their hints.
struct TBotaoFerramenta {
    const char* legenda;
    const char* dica;
    void (TFormPrinc::*acao)();
    QAction* TFormPrinc::*membro;
};

const TBotaoFerramenta kBarraFerramentas[] = {
    {"Sair", "Sair do programador", &TFormPrinc::SairPrograma1Click, &TFormPrinc::BotaoSair},
    {"Novo", "Novo arquivo de programações", &TFormPrinc::NovoArquivo1Click, &TFormPrinc::BotaoNovo},
    {"Abrir", "Ler programações de arquivo", &TFormPrinc::LerArquivo1Click, &TFormPrinc::BotaoAbrir},
    {"Salvar", "Salvar arquivo de programações", &TFormPrinc::SalvarArquivo1Click, &TFormPrinc::BotaoSalvar},
    {"Configurar", "Configuração da comunicação", &TFormPrinc::Configuracao1Click, &TFormPrinc::BotaoConfigurar},
    {"Receber", "Receber programações", &TFormPrinc::ReceberProgramacoes1Click, &TFormPrinc::BotaoReceber},
    {"Transmitir", "Transmitir programções", &TFormPrinc::TransmitirProgramacoes1Click,
     &TFormPrinc::BotaoTransmitir},
    {"Usuários", "Cadastro de usuários", &TFormPrinc::UsuariosPrograma1Click, &TFormPrinc::BotaoUsuarios},
};

void DefineAjuda(QObject* objeto, int contexto)
{
    objeto->setProperty("HelpContext", contexto);
}

bool Disponivel(int item)
{
    return ItemMarcado(ItensDisponiveis, item);
}

bool ComandoHabilitado(const TComandoEdicao& comando)
{
    const bool porItem = Disponivel(comando.item) || (comando.itemAlternativo && Disponivel(comando.itemAlternativo));
    return porItem && EntradaDisponivel(comando.entrada);
}

} // namespace

TFormPrinc::TFormPrinc(QWidget* owner) : TForm(owner)
{
    setObjectName(QStringLiteral("FormPrinc"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    SetCaption(Texto(kLegendaJanela));
    SetClientSize(648, 460);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CriaMenus();
    layout->setMenuBar(MainMenu1);
    CriaBarraFerramentas();
    layout->addWidget(ToolBar1);
    CriaPainelBotoes();
    layout->addWidget(Panel1);
    layout->addStretch(1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    PainelArquivo = new QLabel(StatusBar1);
    PainelArquivo->setObjectName(QStringLiteral("PainelArquivo"));
    StatusBar1->addWidget(PainelArquivo, 1);
    layout->addWidget(StatusBar1);

    FormPrinc = this;
    JanelaArquivos.AtualizaMenus = [this] { AtualizaMenus(); };
    JanelaArquivos.MostraArquivo = [this](const QString& nome) { MostraArquivo(nome); };
    FormCreate();
}

TFormPrinc::~TFormPrinc()
{
    if (FormPrinc == this) {
        FormPrinc = nullptr;
        JanelaArquivos = {};
        // A window destroyed without being closed still frees the image.
        delete[] Imagem;
        Imagem = nullptr;
    }
}

void TFormPrinc::CriaMenus()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->installEventFilter(this);

    auto adicionaMenu = [this](QMenu* menu, const auto& itens) {
        for (const TItemMenu& item : itens) {
            if (!item.legenda) {
                menu->addSeparator();
                continue;
            }
            QAction* acao = CriaAcao(item.legenda, item.ajuda, item.acao);
            menu->addAction(acao);
            this->*item.membro = acao;
        }
    };
    auto cabecalho = [this](const char* legenda) {
        QMenu* menu = MainMenu1->addMenu(Texto(legenda));
        DefineAjuda(menu->menuAction(), kAjudaMenu);
        menu->installEventFilter(this);
        return menu;
    };

    adicionaMenu(cabecalho("&Arquivo"), kMenuArquivo);
    adicionaMenu(cabecalho("&Comunicação"), kMenuComunicacao);

    QMenu* programacoes = cabecalho("&Programações");
    std::array<QMenu*, 3> submenus{};
    for (const TLegendaSubmenu& sub : kSubmenus) {
        if (sub.submenu != smBasicas)
            programacoes->addSeparator();
        QMenu* submenu = programacoes->addMenu(Texto(sub.legenda));
        DefineAjuda(submenu->menuAction(), kAjudaSubmenu);
        submenu->installEventFilter(this);
        submenus[sub.submenu] = submenu;
    }
    for (const TComandoEdicao& comando : kComandosEdicao) {
        AcaoEdicao acao{&comando, nullptr, nullptr};
        auto cria = [this, &comando](const char* legenda) {
            auto* a = new QAction(Texto(legenda), this);
            DefineAjuda(a, comando.ajuda);
            connect(a, &QAction::triggered, this,
                    [this, &comando] { Application->Guard([&] { ComandoEdicaoClick(comando); }); });
            return a;
        };
        acao.menu = cria(comando.legenda);
        submenus[comando.submenu]->addAction(acao.menu);
        if (comando.legendaPopup) {
            acao.popup = cria(comando.legendaPopup);
            PopupMenu1->addAction(acao.popup);
        }
        acoesEdicao_.push_back(acao);
    }

    Relatorios1 = CriaAcao(" &Relatórios", kAjudaMenu, &TFormPrinc::Relatorios1Click);
    MainMenu1->addAction(Relatorios1);
    adicionaMenu(cabecalho("A&juda"), kMenuAjuda);
}

QAction* TFormPrinc::CriaAcao(const char* legenda, int ajuda, void (TFormPrinc::*acao)())
{
    auto* a = new QAction(Texto(legenda), this);
    DefineAjuda(a, ajuda);
    connect(a, &QAction::triggered, this, [this, acao] { Application->Guard([&] { (this->*acao)(); }); });
    return a;
}

void TFormPrinc::CriaBarraFerramentas()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolBar1->setMovable(false);
    for (const TBotaoFerramenta& botao : kBarraFerramentas) {
        QAction* acao = CriaAcao(botao.legenda, 0, botao.acao);
        acao->setToolTip(Texto(botao.dica));
        ToolBar1->addAction(acao);
        this->*botao.membro = acao;
    }
}

void TFormPrinc::CriaPainelBotoes()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* linha = new QHBoxLayout(Panel1);
    linha->setContentsMargins(4, 4, 4, 4);
    linha->setSpacing(2);
    auto criaBotao = [this, linha](const QString& nome, const QString& legenda) {
        auto* botao = new QToolButton(Panel1);
        botao->setObjectName(nome);
        botao->setText(legenda);
        botao->setFixedSize(34, 28);
        linha->addWidget(botao);
        return botao;
    };
    for (int via = 1; via <= 4; ++via) {
        QToolButton* botao = criaBotao(QStringLiteral("BotaoVia%1").arg(via), QStringLiteral("%1").arg(via, 2, 10, QLatin1Char('0')));
        connect(botao, &QToolButton::clicked, this, [this, via] { Application->Guard([&] { BotaoViaClick(via); }); });
        BotoesVias[static_cast<size_t>(via - 1)] = botao;
    }
    auto* separador = new QFrame(Panel1);
    separador->setFrameShape(QFrame::VLine);
    separador->setFrameShadow(QFrame::Sunken);
    linha->addSpacing(8);
    linha->addWidget(separador);
    linha->addSpacing(8);
    for (int posicao = 1; posicao <= kPosicoesRamal; ++posicao) {
        QToolButton* botao = criaBotao(QStringLiteral("BotaoRamal%1").arg(posicao),
                                       QString::number(NumeroRamalPadrao(posicao)));
        connect(botao, &QToolButton::clicked, this,
                [this, posicao] { Application->Guard([&] { BotaoRamalClick(posicao); }); });
        BotoesRamais[static_cast<size_t>(posicao - 1)] = botao;
    }
    linha->addStretch(1);
}

void TFormPrinc::FormCreate()
{
    if (GuardaInstancia && GuardaInstancia(Caption(), this)) {
        outraInstancia_ = true;
        return;
    }
    DiretorioPrograma = DiretorioSemSeparadorFinal(QCoreApplication::applicationDirPath());
    ArquivoAtual.clear();
    CarregaBiblioteca(ArquivoBiblioteca());
}

void TFormPrinc::FormShow()
{
    ItensDisponiveis.fill(0);
    ItensAlterados.fill(0);
    ItensEditados.fill(0);
    ByteEstado = 9;
    // The image starts zeroed, so that a missing template leaves it defined.
    delete[] Imagem;
    Imagem = new std::uint8_t[kTamanhoImagem]();
    LeArquivoProgramacao(DiretorioPrograma + QStringLiteral("/PADRAO.PBX"));
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        GravaU16(Imagem + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(NumeroRamalPadrao(p))));
        Imagem[OffsetNomeRamal(p)] = 0;
    }
    ImagemAlterada = false;
    if (FormConfSys)
        FormConfSys->LeConfiguracao();
    else
        LeConfiguracaoTransferencia();
    ArquivoAtual.clear();
    Application->HelpFile = QStringLiteral("TRIVANTO.HLP");
    AtualizaMenus();
}

void TFormPrinc::FormActivate()
{
    // The login runs once, at the first activation only.
    if (loginFeito_)
        return;
    loginFeito_ = true;
    SemProgramacao = true;
    ByteEstado = 6;
    if (!ValidaSenhaUsuario())
        QTimer::singleShot(0, this, [this] { Close(); });
}

void TFormPrinc::FormCloseQuery(bool& canClose)
{
    canClose = PodeFecharPrograma();
}

void TFormPrinc::FormClose()
{
    delete[] Imagem;
    Imagem = nullptr;
}

void TFormPrinc::ShowHelp(int context)
{
    ShowHelpContext(Application->HelpFile, context);
}

void TFormPrinc::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

bool TFormPrinc::eventFilter(QObject* objeto, QEvent* evento)
{
    // F1 over a highlighted menu entry opens that entry's topic.
    if (evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(objeto); menu && menu->activeAction()) {
            const int contexto = menu->activeAction()->property("HelpContext").toInt();
            menu->close();
            ShowHelp(contexto);
            return true;
        }
    }
    return TForm::eventFilter(objeto, evento);
}

void TFormPrinc::AtualizaBotoesRamais()
{
    if (!Imagem)
        return;
    const bool categorias = Disponivel(ipCategoriaRamais) && EntradaDisponivel(ebCategoriaDosRamais);
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        QToolButton* botao = BotoesRamais[static_cast<size_t>(p - 1)];
        const QString legenda = QString::fromStdString(PalavraRamalParaTexto(LeU16(Imagem + OffsetPalavraRamal(p))));
        botao->setText(legenda);
        botao->setEnabled(categorias && (legenda.startsWith(QLatin1Char('2')) || legenda.startsWith(QLatin1Char('3'))));
    }
}

void TFormPrinc::AtualizaMenus()
{
    AtualizaBotoesRamais();
    const bool salvar = AlgumItemMarcado(ItensAlterados);
    SalvarArquivo1->setEnabled(salvar);
    BotaoSalvar->setEnabled(salvar);
    Relatorios1->setEnabled(AlgumItemMarcado(ItensDisponiveis) && MostraRelatorios);
    for (const AcaoEdicao& acao : acoesEdicao_) {
        const bool habilitado = ComandoHabilitado(*acao.comando);
        acao.menu->setEnabled(habilitado);
        if (acao.popup)
            acao.popup->setEnabled(habilitado);
    }
    const bool vias = Disponivel(ipConfiguracaoVias) && EntradaDisponivel(ebConfiguracaoDasVias);
    for (QToolButton* botao : BotoesVias)
        botao->setEnabled(vias);
}

void TFormPrinc::MostraArquivo(const QString& nome)
{
    PainelArquivo->setText(nome);
}

void TFormPrinc::ComandoEdicaoClick(const TComandoEdicao& comando)
{
    const bool permitido = comando.nivel == 0 || TemAcesso(comando.nivel);
    if (permitido && (!comando.exigeItem || Disponivel(comando.item))) {
        if (ChamaEntrada(comando.entrada, Imagem))
            MarcaItemAlterado(comando.item); // the entries return nothing: Ok or Cancel alike
    }
    AtualizaMenus();
}

void TFormPrinc::BotaoViaClick(int via)
{
    ViaSelecionada = BotoesVias[static_cast<size_t>(via - 1)]->text();
    ChamaComBotao(ebConfiguracaoDasVias, ipConfiguracaoVias, ViaSelecionada);
}

void TFormPrinc::BotaoRamalClick(int posicao)
{
    RamalSelecionado = BotoesRamais[static_cast<size_t>(posicao - 1)]->text();
    ChamaComBotao(ebCategoriaDosRamais, ipCategoriaRamais, RamalSelecionado);
}

void TFormPrinc::ChamaComBotao(int entrada, int item, const QString& legenda)
{
    if (TemAcesso(1)) {
        // The window shows first the trunk or extension named by the button:
        // at most 4 characters, zero-terminated.
        std::array<char, 5> textoInicial{};
        const QByteArray texto = legenda.toLatin1().left(4);
        std::memcpy(textoInicial.data(), texto.constData(), static_cast<size_t>(texto.size()));
        if (ChamaEntrada(static_cast<TEntradaBiblioteca>(entrada), Imagem, textoInicial.data()))
            MarcaItemAlterado(item);
    }
    AtualizaMenus();
}

void TFormPrinc::LerArquivo1Click()
{
    ComandoLerArquivo();
}

void TFormPrinc::NovoArquivo1Click()
{
    ComandoNovoArquivo();
}

void TFormPrinc::SalvarArquivo1Click()
{
    ComandoSalvarArquivo();
}

void TFormPrinc::SalvarArquivoComo1Click()
{
    SalvaArquivoComo();
}

void TFormPrinc::UsuariosPrograma1Click()
{
    EditaUsuarios();
}

void TFormPrinc::SairPrograma1Click()
{
    Close();
}

void TFormPrinc::Configuracao1Click()
{
    if (FormConfSys) {
        FormConfSys->ShowModal();
        return;
    }
    TFormConfSys dialogo;
    dialogo.ShowModal();
}

void TFormPrinc::ReceberProgramacoes1Click()
{
    if (FormTransferencia)
        MostraFormComun(*FormTransferencia, kDirecaoRecepcao);
    AtualizaMenus();
}

void TFormPrinc::TransmitirProgramacoes1Click()
{
    if (FormTransferencia)
        MostraFormComun(*FormTransferencia, kDirecaoTransmissao);
}

void TFormPrinc::Relatorios1Click()
{
    if (MostraRelatorios)
        MostraRelatorios();
}

void TFormPrinc::Conteudo1Click()
{
    ShowHelpContext(Application->HelpFile, 0);
}

void TFormPrinc::Sobre1Click()
{
    TAboutBox sobre;
    sobre.ShowModal();
}
