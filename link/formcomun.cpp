#include "link/formcomun.h"

#include "link/codecblocos.h"
#include "link/comunica.h"
#include "link/serialportdriver.h"
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/formatting.h"
#include "platform/help.h"
#include "platform/lugar.h"
#include "state/configuracao.h"
#include "state/registro.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <iterator>

TFormComun* FormComun = nullptr;

namespace {

// Layout of the window: client size, groups, rows of boxes, buttons.
constexpr int kLarguraCliente = 561;
constexpr int kAlturaCliente = 362;
constexpr int kAjudaPadrao = 4400;

constexpr Lugar kGrupoSelecao{8, 4, 545, 256};
constexpr Lugar kGrupoProgresso{8, 266, 321, 56};
constexpr Lugar kGauge{8, 22, 305, 24};
constexpr int kMaximoGaugeInicial = 100;
constexpr int kLinhasPorColuna = 12;
constexpr int kColunaX[] = {12, 280};
constexpr int kPrimeiraLinhaY = 22;
constexpr int kAlturaLinha = 19;
constexpr int kDeslocamentoCaixa = 22;
// Status label (white, left of its box) and check box sizes.
constexpr int kLarguraEstado = 17;
constexpr int kAlturaEstado = 16;
constexpr int kLarguraCaixa = 240;
constexpr int kAlturaCaixa = 17;

constexpr DadosBotao kBotaoTudo{"ButtonTudo", "Seleciona &todos os ítens", {340, 270, 213, 25}};
constexpr DadosBotao kBotaoNada{"ButtonNada", "&Limpa ítens selecionados", {340, 298, 213, 25}};
constexpr DadosBotao kBotaoAjuda{"BitBtn1", "&Ajuda", {8, 330, 100, 25}};
constexpr DadosBotao kBotaoCancela{"Button2", "&Cancela", {345, 330, 100, 25}};
constexpr DadosBotao kBotaoOk{"Button1", "O&k", {453, 330, 100, 25}};

constexpr int kBlocoSonda = 36;
// Blocks that only an exchange answering the probe knows.
constexpr int kPrimeiroBlocoSondado = 32;
constexpr int kUltimoBlocoSondado = 34;
// The gauge counts the data of blocks 0..202.
constexpr int kUltimoBlocoProgresso = 202;

// Items whose selection pulls in the numbering plan (and, on a receive,
// the calendar).
constexpr TItemProgramacao kItensComPlano[] = {
    ipCategoriaRamais, ipConfiguracaoVias, ipAgendaGeral, ipGruposRamais,
    ipChefeSecretaria, ipEmergenciaExterna, ipAtendedoresPorteiros,
    ipProgramacoesDiversas, ipCodigoParticular, ipDespertador,
    ipProgramacoesIndividuais, ipAgendaIndividual, ipRamalEconomico,
    ipTeclasTerminais,
};

const QString kSemEstado = QStringLiteral("  ");
const QString kCaptionInformacao = QStringLiteral("Informação");

struct MensagensDirecao {
    const char* legenda; // the window's caption
    int ajuda;           // help context of the window and its BitBtn1, Button1, Button2
    const char* sucesso;
    const char* falha;
    const char* andamento;
};
// Caption, help, closing messages and status while running, receive first.
constexpr MensagensDirecao kMensagens[] = {
    {"Recepção de programações", 4400, "Programações recebidas.", "Não foi possível receber as programações.", "Rx"},
    {"Transmissão de programações", 4700, "Programações transmitidas.", "Não foi possível transmitir as programações.", "Tx"},
};

void ProcessaMensagens()
{
    QCoreApplication::processEvents();
}

std::size_t Posicao(int item)
{
    return static_cast<std::size_t>(item);
}

void DefineAjuda(TControl* controle, int contexto)
{
    controle->HelpContext = contexto;
    controle->Widget()->setProperty("HelpContext", contexto);
}

const MensagensDirecao& MensagensDa(bool transmitindo)
{
    return kMensagens[transmitindo ? 1 : 0];
}

// The buttons whose help context follows the direction.
constexpr const char* kBotoesDirecao[] = {"BitBtn1", "Button1", "Button2"};

} // namespace

TFormComun::TFormComun(QWidget* owner) : TForm(owner)
{
    BordaDeDialogo(this);
    SetCaption(QStringLiteral("Comunicação com PABX"));
    SetClientSize(kLarguraCliente, kAlturaCliente);
    HelpContext = kAjudaPadrao;
    CriaControles();

    TimerAtraso = new QTimer(this);
    TimerAtraso->setObjectName(QStringLiteral("TimerAtraso"));
    TimerAtraso->setInterval(50);
    connect(TimerAtraso, &QTimer::timeout, this, [this] { TimerAtrasoTimer(); });

    Com = new TSerialPortDriver(this);
    Com->setObjectName(QStringLiteral("Com"));
    Com->SetPortName(QStringLiteral("\\\\.\\COM2"));
    Com->OnReceiveData = [this](QObject* sender, const void* dataPtr, std::uint32_t dataSize) {
        ComReceiveData(sender, dataPtr, dataSize);
    };
}

TFormComun::~TFormComun()
{
    if (PortaComunicacao == Com)
        PortaComunicacao = nullptr;
}

void TFormComun::CriaControles()
{
    GroupBox1 = new TGroupBox(QStringLiteral("Selecione as programações desejadas"), this);
    Posiciona(GroupBox1, "GroupBox1", kGrupoSelecao);
    DefineAjuda(GroupBox1, kAjudaPadrao);
    int linha = 0;
    for (const LegendaItem& legenda : kLegendasItens) {
        const int x = kColunaX[linha / kLinhasPorColuna];
        const int y = kPrimeiraLinhaY + (linha % kLinhasPorColuna) * kAlturaLinha;
        const int item = legenda.item;
        auto* estado = new TLabel(QString(), GroupBox1);
        estado->setObjectName(QStringLiteral("LP%1").arg(item));
        estado->AutoSize = false;
        estado->SetCaption(kSemEstado);
        estado->setGeometry(x, y, kLarguraEstado, kAlturaEstado);
        estado->setAutoFillBackground(true);
        QPalette branco = estado->palette();
        branco.setColor(QPalette::Window, Qt::white);
        estado->setPalette(branco);
        auto* caixa = new TCheckBox(QString::fromUtf8(legenda.legenda.data(), static_cast<qsizetype>(legenda.legenda.size())),
                                    GroupBox1);
        caixa->setObjectName(QStringLiteral("CB%1").arg(item));
        caixa->setGeometry(x + kDeslocamentoCaixa, y, kLarguraCaixa, kAlturaCaixa);
        caixa->SetChecked(true);
        DefineAjuda(caixa, kAjudaPadrao);
        LP[Posicao(item)] = estado;
        CB[Posicao(item)] = caixa;
        ++linha;
    }

    GroupBox2 = new TGroupBox(QStringLiteral("Progresso da comunicação"), this);
    Posiciona(GroupBox2, "GroupBox2", kGrupoProgresso);
    DefineAjuda(GroupBox2, kAjudaPadrao);
    GaugeTXRX = new QProgressBar(GroupBox2);
    Posiciona(GaugeTXRX, "GaugeTXRX", kGauge);
    GaugeTXRX->setTextVisible(false);
    QPalette azul = GaugeTXRX->palette();
    azul.setColor(QPalette::Highlight, Qt::blue);
    GaugeTXRX->setPalette(azul);
    // Empty until a transfer sets its own maximum; a range of 0..0 would
    // show a busy bar while nothing runs.
    GaugeTXRX->setRange(0, kMaximoGaugeInicial);
    GaugeTXRX->setValue(0);

    ButtonTudo = CriaBotao(this, kBotaoTudo);
    ButtonTudo->OnClick = [this] { ButtonTudoClick(); };
    ButtonNada = CriaBotao(this, kBotaoNada);
    ButtonNada->OnClick = [this] { ButtonNadaClick(); };
    BitBtn1 = CriaBotao(this, kBotaoAjuda);
    BitBtn1->OnClick = [this] { BitBtn1Click(); };
    Button2 = CriaBotao(this, kBotaoCancela);
    Button2->Cancel = true;
    Button2->OnClick = [this] { Button2Click(); };
    // Over the Cancel button the pointer stays normal while the rest of the
    // window shows the hourglass during a transfer.
    Button2->setCursor(Qt::ArrowCursor);
    Button1 = CriaBotao(this, kBotaoOk);
    Button1->OnClick = [this] { Button1Click(); };
    for (TButton* botao : {ButtonTudo, ButtonNada, BitBtn1, Button2, Button1}) {
        botao->HelpContext = kAjudaPadrao;
        botao->setProperty("HelpContext", kAjudaPadrao);
    }
}

// ---- Selection ----

bool TFormComun::Selecionado(int item) const
{
    return item >= kPrimeiroItem && item <= kUltimoItem && ItensSelecionados[Posicao(item)];
}

void TFormComun::MarcaSelecionado(int item)
{
    ItensSelecionados[Posicao(item)] = true;
    CB[Posicao(item)]->SetChecked(true);
}

void TFormComun::LeSelecao()
{
    ItensSelecionados.fill(false);
    for (const LegendaItem& legenda : kLegendasItens)
        ItensSelecionados[Posicao(legenda.item)] = CB[Posicao(legenda.item)]->Checked();
    if (CfgIsolados)
        return;
    if (std::any_of(std::begin(kItensComPlano), std::end(kItensComPlano),
                    [this](TItemProgramacao item) { return Selecionado(item); })) {
        MarcaSelecionado(ipPlanoNumeracao);
        if (DirecaoTransferencia != kDirecaoTransmissao)
            MarcaSelecionado(ipCalendario);
    }
    if (Selecionado(ipCodigoParticular) || Selecionado(ipProgramacoesIndividuais)) {
        MarcaSelecionado(ipCodigoParticular);
        MarcaSelecionado(ipProgramacoesIndividuais);
    }
}

void TFormComun::SelecionaBlocosItem(bool limpaAntes, int item)
{
    if (limpaAntes)
        ConjuntoTransferencia.reset();
    if (Selecionado(item))
        ConjuntoTransferencia |= BlocosDoItem(item);
}

void TFormComun::MontaConjuntoBlocos()
{
    for (int item = kPrimeiroItem; item <= kUltimoItem; ++item)
        SelecionaBlocosItem(item == kPrimeiroItem, item);
}

bool TFormComun::AlgumItemSelecionado() const
{
    for (int item = kPrimeiroItem; item <= kUltimoItem; ++item)
        if (Selecionado(item))
            return true;
    return false;
}

void TFormComun::MostraEstadoItem(const QString& texto, int item)
{
    if (item >= kPrimeiroItem && item <= kUltimoItem && LP[Posicao(item)])
        LP[Posicao(item)]->SetCaption(texto);
}

void TFormComun::LimpaEstadoItens()
{
    for (TLabel* estado : LP)
        if (estado)
            estado->SetCaption(kSemEstado);
}

void TFormComun::MarcaTodosItens(bool marca)
{
    for (TCheckBox* caixa : CB)
        if (caixa)
            caixa->SetChecked(marca);
}

// ---- Handlers ----

void TFormComun::FormActivate()
{
    GaugeTXRX->setValue(0);
    Button2->setEnabled(true);
    Transferindo = false;
    LimpaEstadoItens();
    if (SemProgramacao)
        ByteEstado = 0;
}

void TFormComun::FormCloseQuery(bool& canClose)
{
    // A running transfer ends only through Cancel.
    canClose = Button1->isEnabled();
}

void TFormComun::ButtonTudoClick()
{
    LimpaEstadoItens();
    MarcaTodosItens(true);
}

void TFormComun::ButtonNadaClick()
{
    LimpaEstadoItens();
    MarcaTodosItens(false);
}

void TFormComun::BitBtn1Click()
{
    ShowHelpContext(Application->HelpFile, HelpContext);
}

void TFormComun::ComReceiveData(QObject* sender, const void* dataPtr, std::uint32_t dataSize)
{
    (void)sender;
    AcrescentaRecepcao(dataPtr, dataSize);
}

void TFormComun::TimerAtrasoTimer()
{
    ContaTickEspera();
}

void TFormComun::SelecionaPorta(int porta)
{
    if (porta >= 1 && porta <= 4)
        Com->SetPort(static_cast<TPortNumber>(pnCOM1 + porta - 1));
}

void TFormComun::Button1Click()
{
    InterrompidoPeloUsuario = false;
    ComunicacaoAbortada = false;
    GaugeTXRX->setValue(0);
    Transferindo = false;
    const int porta = LePortaSerial();
    SelecionaPorta(porta);
    LimpaEstadoItens();
    LeSelecao();
    MontaConjuntoBlocos();
    if (!AlgumItemSelecionado()) {
        Application->MessageBox(QStringLiteral("Pelo menos um ítem de programação deve ser selecionado."),
                                kCaptionInformacao, MB_OK | MB_ICONINFORMATION);
        return;
    }
    PortaComunicacao = Com;
    if (!AbrePorta()) {
        Application->MessageBox(
            QStringLiteral("Não foi possível iniciar a porta de comunicação serial COM%1").arg(porta),
            kCaptionInformacao, MB_OK);
        return;
    }
    IniciaTransferencia();
    try {
        if (DirecaoTransferencia == kDirecaoTransmissao) {
            TransmiteProgramacoes();
        } else {
            RecebeProgramacoes();
            // After any receive, whatever its outcome, the calendar counts as
            // changed and the image as differing from its file, so closing
            // the program asks to save it.
            MarcaItem(ItensAlterados, ipCalendario);
            ImagemAlterada = true;
        }
    } catch (...) {
        TerminaTransferencia();
        VoltaAoRepouso();
        throw;
    }
    TerminaTransferencia();
    if (Transferindo && TransferenciaOk)
        SetModalResult(mrOk);
    else
        VoltaAoRepouso();
}

void TFormComun::Button2Click()
{
    if (Button1->isEnabled()) {
        SetModalResult(mrCancel);
        return;
    }
    Button2->setEnabled(false);
    InterrompidoPeloUsuario = true;
    AbortaComunicacao();
}

void TFormComun::IniciaTransferencia()
{
    Button1->setEnabled(false);
    BitBtn1->setEnabled(false);
    Transferindo = true;
    TimerAtraso->start();
    setCursor(Qt::WaitCursor);
}

void TFormComun::TerminaTransferencia()
{
    TimerAtraso->stop();
    unsetCursor();
    Button1->setEnabled(true);
    Button2->setEnabled(true);
    BitBtn1->setEnabled(true);
    FechaPorta();
}

void TFormComun::VoltaAoRepouso()
{
    Transferindo = false;
    GaugeTXRX->setValue(0);
    ConjuntoTransferencia.reset();
    LimpaEstadoItens();
    unsetCursor();
}

// ---- Sequences ----

bool TFormComun::SondaCentral()
{
    if (LeBloco(kBlocoSonda))
        return true;
    // A garbled answer still shows that the exchange knows the probe block;
    // only silence means that it lacks blocks 32 to 34.
    return ContagemRecepcao > 0;
}

void TFormComun::PreparaProgresso()
{
    int maximo = 0;
    for (int bloco = 0; bloco <= kUltimoBlocoProgresso; ++bloco)
        if (ConjuntoTransferencia.test(static_cast<std::size_t>(bloco)))
            maximo += TamanhoBloco(static_cast<std::uint8_t>(bloco));
    GaugeTXRX->setRange(0, maximo);
    GaugeTXRX->setValue(0);
}

void TFormComun::AvancaProgresso(int bloco)
{
    GaugeTXRX->setValue(GaugeTXRX->value() + TamanhoBloco(static_cast<std::uint8_t>(bloco)));
}

bool TFormComun::MoveBloco(int bloco, bool transmitindo)
{
    if (!SondaOk && bloco >= kPrimeiroBlocoSondado && bloco <= kUltimoBlocoSondado) {
        AvancaProgresso(bloco);
        return true;
    }
    const auto numero = static_cast<std::uint8_t>(bloco);
    if (transmitindo) {
        MontaBlocoEnvio(numero, true);
        if (!EscreveBloco(numero))
            return false;
        AvancaProgresso(bloco);
        ProcessaMensagens();
        return true;
    }
    if (!LeBloco(numero))
        return false;
    AvancaProgresso(bloco);
    ProcessaMensagens();
    GuardaBlocoRecebido(numero);
    return true;
}

bool TFormComun::TransfereItem(int item, bool transmitindo)
{
    // The blocks of the item's set (now ConjuntoTransferencia) inside its
    // range, in the order they travel.
    const std::vector<std::uint8_t> blocos = BlocosDaTransferencia(item, transmitindo);
    for (std::size_t i = 0; i < blocos.size(); ++i) {
        ProcessaMensagens();
        if (!MoveBloco(blocos[i], transmitindo)) {
            TransferenciaOk = false;
            return false;
        }
        Transferindo = !InterrompidoPeloUsuario;
        ProcessaMensagens();
        if (!Transferindo)
            return i + 1 == blocos.size();
    }
    return true;
}

void TFormComun::ExecutaItens(bool transmitindo)
{
    const MensagensDirecao& mensagens = MensagensDa(transmitindo);
    for (int item = kPrimeiroItem; item <= kUltimoItem && TransferenciaOk && Transferindo; ++item) {
        if (!Selecionado(item))
            continue;
        SelecionaBlocosItem(true, item);
        MostraEstadoItem(Texto(mensagens.andamento), item);
        if (!TransfereItem(item, transmitindo)) {
            MostraEstadoItem(QStringLiteral("Er"), item);
            break;
        }
        MostraEstadoItem(QStringLiteral("Ok"), item);
        if (!transmitindo) {
            MarcaItem(ItensDisponiveis, item);
            MarcaItem(ItensAlterados, item);
        }
    }
}

void TFormComun::MostraMensagemFinal(bool transmitindo)
{
    const MensagensDirecao& mensagens = MensagensDa(transmitindo);
    ProcessaMensagens();
    QString texto;
    if (InterrompidoPeloUsuario) {
        texto = QStringLiteral("Comunicação interrompida pelo usuário.");
    } else if (!TransferenciaOk) {
        texto = Texto(mensagens.falha);
    } else {
        texto = Texto(mensagens.sucesso);
        SemProgramacao = false;
    }
    Application->MessageBox(texto, kCaptionInformacao, MB_OK | MB_ICONINFORMATION);
}

void TFormComun::RecebeProgramacoes()
{
    TransferenciaOk = true;
    SondaOk = SondaCentral();
    ItensSelecionados[Posicao(ipCalendario)] = true;
    MontaConjuntoBlocos();
    PreparaProgresso();
    ExecutaItens(false);
    MostraMensagemFinal(false);
}

void TFormComun::TransmiteProgramacoes()
{
    TransferenciaOk = true;
    SondaOk = SondaCentral();
    PreparaProgresso();
    const QDateTime agora = QDateTime::currentDateTime();
    DataInicioTransmissao = agora.date();
    HoraInicioTransmissao = agora.time();
    ExecutaItens(true);
    MostraMensagemFinal(true);
}

void MostraFormComun(TForm& janela, std::uint8_t direcao)
{
    const MensagensDirecao& mensagens = MensagensDa(direcao == kDirecaoTransmissao);
    janela.SetCaption(Texto(mensagens.legenda));
    janela.HelpContext = mensagens.ajuda;
    for (const char* nome : kBotoesDirecao)
        if (auto* botao = janela.findChild<TButton*>(QString::fromLatin1(nome)))
            DefineAjuda(botao, mensagens.ajuda);
    DirecaoTransferencia = direcao;
    janela.ShowModal();
}
