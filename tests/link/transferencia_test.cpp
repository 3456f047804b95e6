// The transfer window against a simulated exchange on a pseudo-terminal:
// the real window opened as the main window opens it, its boxes ticked and
// its buttons clicked, the message boxes answered, then the image, the item
// flags and what the exchange saw are checked.
#include "image/layout.h"
#include "link/codecblocos.h"
#include "link/comunica.h"
#include "link/formcomun.h"
#include "link/serialportdriver.h"
#include "platform/help.h"
#include "platform/inifiles.h"
#include "shell/arquivos.h"
#include "state/registro.h"
#include "tests/link/centralsimulada.h"
#include "tests/support/casenames.h"
#include "tests/support/dialogs_script.h"
#include "tests/support/scripted.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <tuple>
#include <set>
#include <vector>

namespace {

using ImagemCentral = std::array<std::uint8_t, CentralSimulada::kTamanhoImagem>;

constexpr std::uint8_t kReceber = 0;
constexpr std::uint8_t kTransmitir = 1;
const std::vector<int> kTodosItens = {};

// A message box as the window showed it, with the status labels that were
// not blank at that moment ("1:Ok 3:Er").
struct Mensagem {
    QString texto;
    QString legenda;
    int flags = 0;
    QString estados;
    int progresso = 0;
    int maximo = 0;
};

QString EstadosVisiveis(QWidget* janela)
{
    QStringList estados;
    for (int item = kPrimeiroItem; item <= kUltimoItem; ++item)
        if (auto* rotulo = janela->findChild<QLabel*>(QStringLiteral("LP%1").arg(item)))
            if (!rotulo->text().trimmed().isEmpty())
                estados << QStringLiteral("%1:%2").arg(item).arg(rotulo->text());
    return estados.join(' ');
}

// Records every box with the window's labels and answers it with OK.
class Mensagens {
public:
    Mensagens()
    {
        atual_ = this;
        SetMessageBoxHook(&Responde);
    }
    ~Mensagens()
    {
        SetMessageBoxHook(nullptr);
        atual_ = nullptr;
    }
    std::vector<Mensagem> lista;

private:
    static int Responde(const MessageBoxCall& call)
    {
        Mensagem m{call.text, call.caption, call.flags, {}, 0, 0};
        if (TFormComun* janela = FormComun) {
            m.estados = EstadosVisiveis(janela);
            m.progresso = janela->GaugeTXRX->value();
            m.maximo = janela->GaugeTXRX->maximum();
        }
        atual_->lista.push_back(m);
        return IDOK;
    }
    static inline Mensagens* atual_ = nullptr;
};

struct Resultado {
    int modal = mrNone;
    bool ficouAberta = false;
    // The window after OK returned: its labels, gauge and OK button.
    QString estadosDepois;
    int progressoDepois = -1;
    bool okHabilitado = false;
    std::vector<Mensagem> mensagens;
    QString UltimaMensagem() const { return mensagens.empty() ? QString() : mensagens.back().texto; }
    QStringList Textos() const
    {
        QStringList textos;
        for (const Mensagem& m : mensagens)
            textos << m.texto;
        return textos;
    }
    QString EstadosNaMensagem() const { return mensagens.empty() ? QString() : mensagens.back().estados; }
};

bool Disponivel(int item)
{
    return ItemMarcado(ItensDisponiveis, item);
}

std::set<int> BlocosLidos(const CentralSimulada& central)
{
    std::set<int> blocos;
    for (int b = 0; b < 256; ++b)
        if (central.PedidosLeitura(b) > 0)
            blocos.insert(b);
    return blocos;
}

std::set<int> BlocosEscritos(const CentralSimulada& central)
{
    std::set<int> blocos;
    for (int b = 0; b < 256; ++b)
        if (central.Escritas(b) > 0)
            blocos.insert(b);
    return blocos;
}

std::set<int> Faixa(int primeiro, int ultimo)
{
    std::set<int> blocos;
    for (int b = primeiro; b <= ultimo; ++b)
        blocos.insert(b);
    return blocos;
}

std::set<int> Une(std::set<int> a, const std::set<int>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

std::set<int> CaixasMarcadas(QWidget* janela)
{
    std::set<int> itens;
    for (const LegendaItem& legenda : kLegendasItens)
        if (Find<QCheckBox>(janela, QStringLiteral("CB%1").arg(legenda.item).toLatin1().constData())->isChecked())
            itens.insert(legenda.item);
    return itens;
}

bool EmAlgumaArea(int ofs, std::initializer_list<const char*> nomes)
{
    for (const char* nome : nomes)
        if (ofs >= Area(nome).inicio && ofs < Area(nome).fim())
            return true;
    return false;
}

// Image bytes that some block carries.
bool Viaja(int ofs)
{
    const AreaImagem* area = AreaDoByte(ofs);
    return area && area->bloco >= 0;
}

// Wake-up entries the exchange holds as relative times: the codec sends
// them shifted by the start time, on purpose.
bool DespertadorRelativo(const ImagemCentral& central, int ofs)
{
    if (!EmAlgumaArea(ofs, {"Despertadores"}))
        return false;
    const int entrada = ofsDespertadores + (ofs - ofsDespertadores) / 4 * 4;
    return (central[static_cast<std::size_t>(entrada + 1)] & 0xC0) == 0xC0;
}

class Transferencia : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        DiretorioPrograma = pasta.path();
        GravaPorta(2);
        imagem.fill(0);
        Imagem = imagem.data();
        ItensDisponiveis = {};
        ItensAlterados = {};
        ItensEditados = {};
        SemProgramacao = true;
        ImagemAlterada = false;
        CfgIsolados = false;
        CfgTentativas = 3;
        CfgGravar = false;
        ByteEstado = 9;
        NovaJanela();
        Conecta(central);
    }

    void TearDown() override
    {
        FormComun = nullptr;
        janela.reset();
        Imagem = nullptr;
        for (int porta = 1; porta <= 4; ++porta)
            qunsetenv(QStringLiteral("TRIVANTO_COM%1").arg(porta).toLatin1().constData());
    }

    // A window as the program creates it at start-up; its port is polled
    // faster than the 50 ms of the program so that the tests run quickly.
    // Unless `propria`, its timer ticks at the pace of the exchange in use.
    void NovaJanela(bool propria = false)
    {
        FormComun = nullptr;
        janela = std::make_unique<TFormComun>();
        janela->Com->SetPollingDelay(5);
        FormComun = janela.get();
        if (!propria && ligada)
            Conecta(*ligada);
    }

    // Port 2 is this exchange, and the exchange counts its time in the
    // ticks of the window's TimerAtraso: a tick every millisecond, held back
    // while the exchange has something to do at the present one, so that
    // where a reply falls against the window's time-out does not depend on
    // how busy the machine is.
    void Conecta(CentralSimulada& central_)
    {
        ligada = &central_;
        ApontaPorta(2, central_.CaminhoPorta());
        central_.UsaTicks(true);
        QTimer* timer = janela->TimerAtraso;
        timer->setInterval(1);
        QObject::disconnect(timer, &QTimer::timeout, janela.get(), nullptr);
        // What the window's port moved before this exchange was on the line.
        const std::uint64_t enviados = janela->Com->BytesSent();
        const std::uint64_t recebidos = janela->Com->BytesReceived();
        QObject::connect(timer, &QTimer::timeout, janela.get(), [this, &central_, enviados, recebidos] {
            if (central_.Ocupada(janela->Com->BytesSent() - enviados, janela->Com->BytesReceived() - recebidos))
                return;
            central_.AvancaTick();
            janela->TimerAtrasoTimer();
        });
    }

    void GravaPorta(int porta)
    {
        TIniFile(DiretorioPrograma + "/TRIVANTO.INI").WriteInteger("Serial", "Port", porta);
    }

    static void ApontaPorta(int porta, const std::string& caminho)
    {
        qputenv(QStringLiteral("TRIVANTO_COM%1").arg(porta).toLatin1().constData(), caminho.c_str());
    }

    // One attempt a block: an unanswered read costs one time-out.
    void AceleraEspera()
    {
        CfgTentativas = 1;
    }

    // As the main window's receive and transmit commands open it.
    int Abre(std::uint8_t direcao)
    {
        DirecaoTransferencia = direcao;
        return janela->ShowModal();
    }

    // Opens the window for one direction, ticks exactly `itens` (every box
    // when empty), clicks OK and, when the window stays open, Cancel.
    Resultado Transfere(std::uint8_t direcao, const std::vector<int>& itens,
                        const std::function<void(TFormComun*)>& antes = {})
    {
        Resultado resultado;
        Mensagens mensagens;
        ModalScript modal;
        modal.Then([&](QWidget* w) {
            auto* form = static_cast<TFormComun*>(w);
            Click(w, itens.empty() ? "ButtonTudo" : "ButtonNada");
            for (int item : itens)
                Find<QCheckBox>(w, QStringLiteral("CB%1").arg(item).toLatin1().constData())->setChecked(true);
            if (antes)
                antes(form);
            Click(w, "Button1");
            QCoreApplication::processEvents();
            resultado.ficouAberta = w->isVisible();
            resultado.estadosDepois = EstadosVisiveis(w);
            resultado.progressoDepois = form->GaugeTXRX->value();
            resultado.okHabilitado = Find<QWidget>(w, "Button1")->isEnabled();
            if (resultado.ficouAberta)
                Click(w, "Button2");
        });
        resultado.modal = Abre(direcao);
        central.AguardaOcioso();
        resultado.mensagens = mensagens.lista;
        return resultado;
    }

    QTemporaryDir pasta;
    std::array<std::uint8_t, kTamanhoImagem> imagem{};
    CentralSimulada central;
    std::unique_ptr<TFormComun> janela;
    CentralSimulada* ligada = nullptr;
};

// ---- The selection and the blocks it moves ----

struct CasoSelecao {
    const char* nome;
    std::uint8_t direcao;
    bool isolados;
    std::vector<int> marcados;
    std::set<int> blocos;         // read (receive) or written (transmit)
    std::set<int> caixasDepois;   // boxes ticked after OK
};

const std::set<int> kIndividuais = Faixa(128, 139);

const CasoSelecao kCasosSelecao[] = {
    {"feriados recebe", kReceber, false, {ipFeriados}, {0, 19}, {ipFeriados}},
    {"feriados transmite", kTransmitir, false, {ipFeriados}, {19}, {ipFeriados}},
    {"agenda geral recebe", kReceber, false, {ipAgendaGeral}, {0, 4, 6},
     {ipCalendario, ipPlanoNumeracao, ipAgendaGeral}},
    {"agenda geral transmite", kTransmitir, false, {ipAgendaGeral}, {4, 6},
     {ipPlanoNumeracao, ipAgendaGeral}},
    {"codigo particular recebe", kReceber, false, {ipCodigoParticular}, Une({0, 4, 17}, kIndividuais),
     {ipCalendario, ipPlanoNumeracao, ipCodigoParticular, ipProgramacoesIndividuais}},
    {"individuais transmite", kTransmitir, false, {ipProgramacoesIndividuais}, Une({4, 17}, kIndividuais),
     {ipPlanoNumeracao, ipCodigoParticular, ipProgramacoesIndividuais}},
    {"isolados codigo particular", kReceber, true, {ipCodigoParticular}, {0, 17}, {ipCodigoParticular}},
    {"isolados agenda geral", kTransmitir, true, {ipAgendaGeral}, {6}, {ipAgendaGeral}},
    {"isolados individuais", kTransmitir, true, {ipProgramacoesIndividuais}, kIndividuais,
     {ipProgramacoesIndividuais}},
};

TEST_F(Transferencia, SelecaoPuxaDependentesEMoveSoOsBlocosDosItens)
{
    for (const CasoSelecao& caso : kCasosSelecao) {
        SCOPED_TRACE(caso.nome);
        CentralSimulada outra;
        Conecta(outra);
        CfgIsolados = caso.isolados;
        SemProgramacao = true;
        const Resultado r = Transfere(caso.direcao, caso.marcados);
        EXPECT_FALSE(SemProgramacao);
        EXPECT_FALSE(r.ficouAberta);
        outra.AguardaOcioso();
        EXPECT_EQ(r.UltimaMensagem(), caso.direcao == kReceber ? "Programações recebidas." : "Programações transmitidas.");
        EXPECT_EQ(CaixasMarcadas(janela.get()), caso.caixasDepois);
        // Progress counts the data bytes of the blocks moved.
        int dados = 0;
        for (int b : caso.blocos)
            dados += CentralSimulada::Tamanho(b);
        ASSERT_FALSE(r.mensagens.empty());
        EXPECT_EQ(r.mensagens.back().progresso, dados);
        // The probe of block 36 comes first, once, in both directions.
        EXPECT_EQ(outra.PedidosLeitura(36), 1);
        if (caso.direcao == kReceber) {
            EXPECT_EQ(BlocosLidos(outra), Une(caso.blocos, {36}));
            EXPECT_TRUE(BlocosEscritos(outra).empty());
        } else {
            EXPECT_EQ(BlocosEscritos(outra), caso.blocos);
            EXPECT_EQ(BlocosLidos(outra), std::set<int>{36});
        }
    }
}

TEST_F(Transferencia, NenhumItemMarcadoAvisaENaoAbreAPorta)
{
    const Resultado r = Transfere(kReceber, kTodosItens, [](TFormComun* form) { Click(form, "ButtonNada"); });
    ASSERT_EQ(r.mensagens.size(), 1u);
    EXPECT_EQ(r.mensagens[0].texto, "Pelo menos um ítem de programação deve ser selecionado.");
    EXPECT_EQ(r.mensagens[0].legenda, "Informação");
    EXPECT_EQ(r.mensagens[0].flags, MB_OK | MB_ICONINFORMATION);
    EXPECT_TRUE(r.ficouAberta);
    EXPECT_TRUE(BlocosLidos(central).empty());
    EXPECT_FALSE(ItemMarcado(ItensAlterados, ipCalendario));
}

// ---- The port ----

TEST_F(Transferencia, PortaForaDe1a4MantemAPortaAnterior)
{
    // COM3 is the exchange: a first transfer selects it.
    ApontaPorta(2, "/nonexistent/tty-com2");
    ApontaPorta(3, central.CaminhoPorta());
    GravaPorta(3);
    EXPECT_EQ(Transfere(kTransmitir, {ipFeriados}).UltimaMensagem(), "Programações transmitidas.");
    GravaPorta(7);
    EXPECT_EQ(Transfere(kTransmitir, {ipFeriados}).UltimaMensagem(), "Programações transmitidas.");
    EXPECT_EQ(central.Escritas(19), 2);
}

TEST_F(Transferencia, PortaQueNaoAbreDizOValorDoArquivo)
{
    ApontaPorta(2, "/nonexistent/tty-com2");
    GravaPorta(7);
    const Resultado r = Transfere(kReceber, {ipFeriados});
    ASSERT_EQ(r.mensagens.size(), 1u);
    EXPECT_EQ(r.mensagens[0].texto, "Não foi possível iniciar a porta de comunicação serial COM7");
    EXPECT_EQ(r.mensagens[0].legenda, "Informação");
    EXPECT_EQ(r.mensagens[0].flags, MB_OK);
    EXPECT_TRUE(r.ficouAberta);
    EXPECT_FALSE(ItemMarcado(ItensAlterados, ipCalendario));
    EXPECT_TRUE(Find<QAbstractButton>(janela.get(), "Button1")->isEnabled());
}

// ---- The probe of block 36 ----

TEST_F(Transferencia, CentralSemBloco36DaItem28ComoFeitoSemMoverNada)
{
    central.PreencheAleatorio(7);
    central.IgnoraBloco36(true);
    for (std::uint8_t direcao : {kReceber, kTransmitir}) {
        SCOPED_TRACE(direcao);
        AceleraEspera();
        const Resultado r = Transfere(direcao, {ipHorariosOperadoras});
        EXPECT_EQ(r.EstadosNaMensagem(), direcao == kReceber ? "1:Ok 28:Ok" : "28:Ok");
        EXPECT_EQ(r.UltimaMensagem(), direcao == kReceber ? "Programações recebidas." : "Programações transmitidas.");
        EXPECT_EQ(central.PedidosLeitura(33), 0);
        EXPECT_EQ(central.Escritas(33), 0);
        EXPECT_TRUE(Disponivel(ipHorariosOperadoras));
    }
    EXPECT_TRUE(std::all_of(imagem.begin() + ofsOperadorasTabela1, imagem.begin() + ofsOperadorasTabela1 + 48,
                            [](std::uint8_t byte) { return byte == 0; }));
}

// ---- Failures and interruption ----

struct CasoFalha {
    const char* nome;
    int bloco;              // block whose every reply is garbled
    int itemFalho;          // item labelled "Er"
    QString estados;        // labels when the failure message shows
};

const CasoFalha kCasosFalha[] = {
    {"relogio", 0, ipCalendario, "1:Er"},
    {"operadoras", 33, ipHorariosOperadoras, "1:Ok 2:Ok 3:Ok 4:Ok 5:Ok 6:Ok 7:Ok 8:Ok 9:Ok 10:Ok 11:Ok "
                                             "12:Ok 13:Ok 14:Ok 15:Ok 16:Ok 19:Ok 21:Ok 23:Ok 24:Ok 27:Ok 28:Er"},
    {"agenda geral", 6, ipAgendaGeral, "1:Ok 2:Ok 3:Ok 4:Ok 5:Er"},
};

TEST_F(Transferencia, BlocoCorrompidoFalhaOItemEParaASequencia)
{
    for (const CasoFalha& caso : kCasosFalha) {
        SCOPED_TRACE(caso.nome);
        CentralSimulada outra;
        outra.PreencheAleatorio(11);
        outra.InjetaFalha(CentralSimulada::Falha::BitInvertido, -1, caso.bloco);
        Conecta(outra);
        imagem.fill(0);
        ItensDisponiveis = {};
        ItensAlterados = {};
        ImagemAlterada = false;
        const Resultado r = Transfere(kReceber, kTodosItens);
        outra.AguardaOcioso();
        EXPECT_EQ(r.UltimaMensagem(), "Não foi possível receber as programações.");
        EXPECT_FALSE(r.Textos().contains("Programações recebidas."));
        EXPECT_EQ(r.EstadosNaMensagem(), caso.estados);
        // Ready for another try: labels blank, gauge empty, OK enabled.
        EXPECT_TRUE(r.ficouAberta);
        EXPECT_EQ(r.estadosDepois, "");
        EXPECT_EQ(r.progressoDepois, 0);
        EXPECT_TRUE(r.okHabilitado);
        EXPECT_EQ(outra.PedidosLeitura(caso.bloco), 3);
        EXPECT_FALSE(Disponivel(caso.itemFalho));
        if (caso.itemFalho != ipCalendario) {
            EXPECT_FALSE(ItemMarcado(ItensAlterados, caso.itemFalho));
        }
        // No later item was started; the earlier ones kept data and flags.
        for (int item = caso.itemFalho + 1; item <= kUltimoItem; ++item)
            EXPECT_FALSE(Disponivel(item)) << item;
        const ImagemCentral dela = outra.Imagem();
        for (int item = kPrimeiroItem; item < caso.itemFalho; ++item) {
            if (!BlocosDoItem(item).any())
                continue;
            EXPECT_TRUE(Disponivel(item)) << item;
            EXPECT_TRUE(ItemMarcado(ItensAlterados, item)) << item;
        }
        if (caso.itemFalho > ipPlanoNumeracao) {
            EXPECT_TRUE(std::equal(imagem.begin() + ofsPlanoNumeracao, imagem.begin() + ofsPlanoNumeracao + 24,
                                   dela.begin() + ofsPlanoNumeracao));
        }
        // Whatever the outcome, the clock counts as changed and the program
        // asks to save before closing.
        EXPECT_TRUE(ItemMarcado(ItensAlterados, ipCalendario));
        EXPECT_TRUE(ImagemAlterada);
        EXPECT_TRUE(SemProgramacao);
    }
}

TEST_F(Transferencia, SondaCorrompidaNaoDaItem28SemDados)
{
    // The exchange answers the probe, garbled: it knows block 36, so block
    // 33 is read and item 28 gets the exchange's tables, not a bare "Ok".
    central.PreencheAleatorio(5);
    central.InjetaFalha(CentralSimulada::Falha::BitInvertido, -1, 36);
    const Resultado r = Transfere(kReceber, {ipHorariosOperadoras});
    EXPECT_EQ(central.PedidosLeitura(33), 1);
    EXPECT_EQ(r.EstadosNaMensagem(), "1:Ok 28:Ok");
    const ImagemCentral dela = central.Imagem();
    EXPECT_TRUE(std::equal(imagem.begin() + ofsOperadorasTabela1, imagem.begin() + ofsOperadorasTabela1 + 48,
                           dela.begin() + ofsOperadorasTabela1));
}

TEST_F(Transferencia, CancelaEntreDoisBlocosDoItem23)
{
    // Cancel by a click on the button and by the Esc key.
    const std::function<void(TFormComun*)> formasDeCancelar[] = {
        [](TFormComun* form) { Click(form, "Button2"); },
        [](TFormComun* form) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(form, &esc);
        },
    };
    for (const auto& cancela : formasDeCancelar) {
        CentralSimulada outra;
        outra.PreencheAleatorio(3);
        Conecta(outra);
        ItensDisponiveis = {};
        Qt::CursorShape cursorJanela = Qt::ArrowCursor;
        Qt::CursorShape cursorCancela = Qt::WaitCursor;
        bool fechou = true;
        bool cancelou = false;
        QMetaObject::Connection observador;
        const Resultado r = Transfere(kReceber, kTodosItens, [&](TFormComun* form) {
            observador = QObject::connect(form->GaugeTXRX, &QProgressBar::valueChanged, form, [&, form] {
                // Block 128 has just arrived; 129 is next.
                if (cancelou || EstadosVisiveis(form).indexOf("23:Rx") < 0)
                    return;
                cancelou = true;
                cursorJanela = form->cursor().shape();
                cursorCancela = Find<QWidget>(form, "Button2")->cursor().shape();
                // Closing the window is refused while the transfer runs.
                form->close();
                fechou = !form->isVisible();
                cancela(form);
            });
        });
        QObject::disconnect(observador);
        outra.AguardaOcioso();
        ASSERT_TRUE(cancelou);
        EXPECT_FALSE(fechou);
        EXPECT_EQ(cursorJanela, Qt::WaitCursor);
        EXPECT_EQ(cursorCancela, Qt::ArrowCursor);
        EXPECT_EQ(janela->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(r.UltimaMensagem(), "Comunicação interrompida pelo usuário.");
        EXPECT_TRUE(r.EstadosNaMensagem().endsWith("19:Ok 21:Ok 23:Er")) << r.EstadosNaMensagem().toStdString();
        EXPECT_TRUE(r.ficouAberta);
        EXPECT_EQ(outra.PedidosLeitura(128), 1);
        EXPECT_EQ(outra.PedidosLeitura(129), 0);
        EXPECT_TRUE(Disponivel(ipDespertador));
        EXPECT_FALSE(Disponivel(ipProgramacoesIndividuais));
        EXPECT_FALSE(Disponivel(ipAgendaIndividual));
        EXPECT_TRUE(SemProgramacao);
    }
}

// ---- Opening, closing, help ----

TEST_F(Transferencia, AtivacaoAjudaECancelaEmRepouso)
{
    struct Caso {
        bool semProgramacao;
        int ajuda;
        std::uint8_t byteEstado;
    };
    // The status byte of a programming not yet loaded is cleared.
    const Caso casos[] = {{true, 4400, 0}, {false, 4700, 9}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.ajuda);
        SemProgramacao = caso.semProgramacao;
        ByteEstado = 9;
        janela->HelpContext = caso.ajuda;
        ClearHelpRequests();
        Mensagens mensagens;
        ModalScript modal;
        modal.Then([&](QWidget* w) {
            // An idle gauge is empty, not a busy bar.
            const auto* gauge = static_cast<TFormComun*>(w)->GaugeTXRX;
            EXPECT_EQ(gauge->value(), 0);
            EXPECT_GT(gauge->maximum(), gauge->minimum());
            Click(w, "BitBtn1");
            Click(w, "Button2");
        });
        EXPECT_EQ(Abre(kReceber), mrCancel);
        EXPECT_EQ(ByteEstado, caso.byteEstado);
        ASSERT_EQ(HelpRequests().size(), 1u);
        EXPECT_EQ(HelpRequests()[0].context, caso.ajuda);
        EXPECT_TRUE(BlocosLidos(central).empty());
    }
}

// ---- The main road ----

// Offsets where the exchange's copy and the program's may differ on
// purpose: the clock, relative wake-up times (shifted by the start time),
// and the last key byte of the fourth terminal, which no block carries.
bool ComparaNaIda(const ImagemCentral& primeira, int ofs)
{
    return Viaja(ofs) && !EmAlgumaArea(ofs, {"DataHoraCentral"}) && ofs != Area("TeclasTI").fim() - 1
           && !DespertadorRelativo(primeira, ofs);
}

// Bits that the night service and the external actuation share: each send
// takes them from the other area's byte.
std::uint8_t BitsProprios(int ofs)
{
    if (ofs == ofsAtivacaoNoturno)
        return static_cast<std::uint8_t>(~0x0C);
    if (ofs == ofsAtivacaoAtuacao)
        return static_cast<std::uint8_t>(~0x30);
    return 0xFF;
}

QString Diferencas(const std::vector<int>& offsets)
{
    QStringList texto;
    for (std::size_t i = 0; i < offsets.size() && i < 20; ++i)
        texto << QString::number(offsets[i]);
    return texto.join(' ');
}

TEST_F(Transferencia, RecebeSalvaReabreETransmiteParaOutraCentral)
{
    central.PreencheAleatorio(2024);
    const ImagemCentral primeira = central.Imagem();
    const Resultado rx = Transfere(kReceber, kTodosItens);
    EXPECT_EQ(rx.UltimaMensagem(), "Programações recebidas.");
    EXPECT_EQ(rx.modal, mrOk);
    EXPECT_FALSE(rx.ficouAberta);
    EXPECT_FALSE(SemProgramacao);
    EXPECT_TRUE(ImagemAlterada);
    ASSERT_FALSE(rx.mensagens.empty());
    EXPECT_GT(rx.mensagens.back().maximo, 0);
    EXPECT_EQ(rx.mensagens.back().progresso, rx.mensagens.back().maximo);
    for (const LegendaItem& legenda : kLegendasItens) {
        EXPECT_TRUE(Disponivel(legenda.item)) << legenda.item;
        EXPECT_TRUE(ItemMarcado(ItensAlterados, legenda.item)) << legenda.item;
    }

    const QString arquivo = pasta.filePath(QStringLiteral("CENTRAL.PBX"));
    {
        Mensagens semPerguntas;
        ScriptedFileDialogs salvar({arquivo});
        ASSERT_EQ(SalvaArquivoComo(), TResultadoGravacao::Gravado);
    }
    QFile lido(arquivo);
    ASSERT_TRUE(lido.open(QIODevice::ReadOnly));
    const QByteArray gravado = lido.readAll();
    ASSERT_EQ(gravado.size(), kTamanhoImagem);

    // A fresh program opens the file and transmits it to another exchange.
    imagem.fill(0x5A);
    ItensDisponiveis = {};
    ItensAlterados = {};
    ItensEditados = {};
    SemProgramacao = true;
    ImagemAlterada = false;
    ByteEstado = 9;
    NovaJanela();
    {
        Mensagens semPerguntas;
        ScriptedFileDialogs abrir({arquivo});
        ComandoLerArquivo();
        ASSERT_TRUE(semPerguntas.lista.empty());
    }
    ASSERT_FALSE(SemProgramacao);
    CentralSimulada segunda;
    segunda.PreencheAleatorio(99);
    Conecta(segunda);
    const TFlagsItens disponiveis = ItensDisponiveis;
    const TFlagsItens alterados = ItensAlterados;
    const Resultado tx = Transfere(kTransmitir, kTodosItens);
    segunda.AguardaOcioso();
    EXPECT_EQ(tx.UltimaMensagem(), "Programações transmitidas.");
    EXPECT_EQ(tx.modal, mrOk);
    EXPECT_EQ(ItensDisponiveis, disponiveis);
    EXPECT_EQ(ItensAlterados, alterados);

    const ImagemCentral recebida = segunda.Imagem();
    std::vector<int> difereCentral;
    std::vector<int> difereArquivo;
    for (int ofs = 0; ofs < kTamanhoImagem; ++ofs) {
        if (!ComparaNaIda(primeira, ofs))
            continue;
        const auto i = static_cast<std::size_t>(ofs);
        if ((recebida[i] & BitsProprios(ofs)) != (primeira[i] & BitsProprios(ofs)))
            difereCentral.push_back(ofs);
        if (static_cast<std::uint8_t>(gravado[ofs]) != primeira[i])
            difereArquivo.push_back(ofs);
    }
    EXPECT_TRUE(difereCentral.empty()) << Diferencas(difereCentral).toStdString();
    EXPECT_TRUE(difereArquivo.empty()) << Diferencas(difereArquivo).toStdString();
}

// ---- Faults of the line against the window's time-out ----

using Falha = CentralSimulada::Falha;

struct FalhaInjetada {
    Falha falha;
    int vezes;
    int bloco;
};

struct CasoLinha {
    const char* nome;
    std::uint8_t direcao;
    std::vector<FalhaInjetada> falhas;
    int atraso; // ticks from a request to its late reply
    bool sucesso;
};

void PrintTo(const CasoLinha& caso, std::ostream* os)
{
    *os << caso.nome;
}

// Ticks of the window's timer (50 ms each): the time-out, and the lateness
// of a reply just past it (5.05, 5.5, 5.95 s) or past the quiet period that
// follows it (7.25 s).
constexpr int kPassado1 = kTicksEspera + 1;
constexpr int kPassado10 = kTicksEspera + 10;
constexpr int kPassado19 = kTicksEspera + 19;
constexpr int kAposSilencio = kTicksEspera + kTicksSilencio + 5;

const CasoLinha kCasosLinha[] = {
    {"rx clean", kReceber, {}, 0, true},
    {"rx 128 late 5.05", kReceber, {{Falha::RespostaAtrasada, 1, 128}}, kPassado1, true},
    {"rx 128 late 5.5", kReceber, {{Falha::RespostaAtrasada, 1, 128}}, kPassado10, true},
    {"rx 128 late 5.95", kReceber, {{Falha::RespostaAtrasada, 1, 128}}, kPassado19, true},
    {"rx 128 late after quiet", kReceber, {{Falha::RespostaAtrasada, 1, 128}}, kAposSilencio, true},
    {"rx 128 late, 130 garbled", kReceber, {{Falha::RespostaAtrasada, 1, 128}, {Falha::BitInvertido, -1, 130}},
     kPassado10, false},
    {"rx 128 answered as 129 once", kReceber, {{Falha::OutroBloco, 1, 128}}, 0, true},
    {"rx 128 answered as 129", kReceber, {{Falha::OutroBloco, -1, 128}}, 0, false},
    {"rx 128 answered twice", kReceber, {{Falha::RespostaDuplicada, 1, 128}}, 0, true},
    {"rx 128 extra bytes", kReceber, {{Falha::BytesExtras, 1, 128}}, 0, true},
    {"tx clean", kTransmitir, {}, 0, true},
    {"tx 128 ack late", kTransmitir, {{Falha::RespostaAtrasada, 1, 128}}, kPassado10, true},
    {"tx 128 ack late 5.05, 137 refused", kTransmitir,
     {{Falha::RespostaAtrasada, 1, 128}, {Falha::ConfirmacaoErrada, -1, 137}}, kPassado1, false},
    {"tx 128 ack late 5.95, 137 refused", kTransmitir,
     {{Falha::RespostaAtrasada, 1, 128}, {Falha::ConfirmacaoErrada, -1, 137}}, kPassado19, false},
    {"tx 128 ack late 5.5, 133 lost", kTransmitir,
     {{Falha::RespostaAtrasada, 1, 128}, {Falha::SemResposta, -1, 133}}, kPassado10, false},
    {"tx 128 ack late after quiet, 129 lost", kTransmitir,
     {{Falha::RespostaAtrasada, 1, 128}, {Falha::SemResposta, -1, 129}}, kAposSilencio, false},
    {"tx 128 acked twice, 129 lost", kTransmitir,
     {{Falha::RespostaDuplicada, 1, 128}, {Falha::SemResposta, -1, 129}}, 0, false},
    {"tx 130 refused once", kTransmitir, {{Falha::ConfirmacaoErrada, 1, 130}}, 0, true},
};

// Answer latencies of the exchange in ticks: at once, 100 ms, 1 s.
constexpr int kLatenciasLinha[] = {0, 2, 20};

std::set<int> ItensOk(const QString& estados)
{
    std::set<int> itens;
    for (const QString& estado : estados.split(' ', Qt::SkipEmptyParts))
        if (estado.endsWith(QStringLiteral(":Ok")))
            itens.insert(estado.section(':', 0, 0).toInt());
    return itens;
}

// Image bytes of the items given where the program and the exchange differ,
// among those that travel unchanged (not the clock, which the program keeps
// as plain numbers).
std::vector<int> DiferencasNosItens(const std::array<std::uint8_t, kTamanhoImagem>& pc,
                                    const ImagemCentral& dela, const std::set<int>& itens)
{
    std::vector<int> difere;
    for (int ofs = 0; ofs < kTamanhoImagem; ++ofs) {
        const AreaImagem* area = AreaDoByte(ofs);
        if (!area || area->bloco < 0 || !itens.count(area->item) || EmAlgumaArea(ofs, {"DataHoraCentral"}))
            continue;
        const auto i = static_cast<std::size_t>(ofs);
        if (pc[i] != dela[i])
            difere.push_back(ofs);
    }
    return difere;
}

class FalhasDaLinha : public Transferencia, public ::testing::WithParamInterface<std::tuple<CasoLinha, int>> {};

// Individual programmings (with the numbering plan, the private codes and,
// on a receive, the calendar) through the window, with faults on the line:
// a success, an "Ok" or an available item always holds the exchange's data.
TEST_P(FalhasDaLinha, NuncaDaSucessoComDadosErrados)
{
    const auto& [caso, latencia] = GetParam();
    const bool recebe = caso.direcao == kReceber;
    central.PreencheAleatorio(31);
    central.LatenciaResposta(latencia);
    central.AtrasoResposta(caso.atraso);
    std::mt19937 gerador(77);
    for (auto& byte : imagem)
        byte = recebe ? 0 : static_cast<std::uint8_t>(gerador());
    const ImagemCentral antes = central.Imagem();
    for (const FalhaInjetada& f : caso.falhas)
        central.InjetaFalha(f.falha, f.vezes, f.bloco);

    const Resultado r = Transfere(caso.direcao, {ipProgramacoesIndividuais});
    const ImagemCentral dela = central.Imagem();

    const std::set<int> selecionados = recebe ? std::set<int>{ipCalendario, ipPlanoNumeracao, ipCodigoParticular,
                                                               ipProgramacoesIndividuais}
                                              : std::set<int>{ipPlanoNumeracao, ipCodigoParticular,
                                                              ipProgramacoesIndividuais};
    const std::set<int> ok = ItensOk(r.EstadosNaMensagem());
    std::set<int> disponiveis;
    for (int item : selecionados)
        if (Disponivel(item))
            disponiveis.insert(item);
    EXPECT_EQ(r.UltimaMensagem(), caso.sucesso ? (recebe ? "Programações recebidas." : "Programações transmitidas.")
                                               : (recebe ? "Não foi possível receber as programações."
                                                         : "Não foi possível transmitir as programações."));
    if (caso.sucesso) {
        EXPECT_EQ(ok, selecionados);
    } else {
        EXPECT_NE(ok, selecionados);
    }
    // A receive flags exactly the items labelled "Ok"; a transmit none.
    EXPECT_EQ(disponiveis, recebe ? ok : std::set<int>{});
    const std::vector<int> difere = DiferencasNosItens(imagem, dela, ok);
    EXPECT_TRUE(difere.empty()) << Diferencas(difere).toStdString();
    if (recebe) {
        EXPECT_EQ(dela, antes); // a receive writes nothing
    }
    if (caso.falhas.empty()) {
        const std::set<int> blocos = recebe ? Une({0, 4, 17, 36}, kIndividuais) : Une({4, 17}, kIndividuais);
        for (int b : blocos)
            EXPECT_EQ(recebe || b == 36 ? central.PedidosLeitura(b) : central.Escritas(b), 1) << "block " << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Linha, FalhasDaLinha,
                         ::testing::Combine(::testing::ValuesIn(kCasosLinha), ::testing::ValuesIn(kLatenciasLinha)),
                         [](const ::testing::TestParamInfo<std::tuple<CasoLinha, int>>& caso) {
                             return TestNamePart(std::get<0>(caso.param).nome) + "_latency"
                                    + std::to_string(std::get<1>(caso.param));
                         });

// ---- Benchmark: set TRIVANTO_BENCHMARK=1 to run ----

double CpuDaThread()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

TEST_F(Transferencia, DesempenhoA9600BitsPorSegundo)
{
    if (qEnvironmentVariableIsEmpty("TRIVANTO_BENCHMARK"))
        GTEST_SKIP() << "set TRIVANTO_BENCHMARK=1 to run";
    NovaJanela(true);                 // the program's own 50 ms tick
    janela->Com->SetPollingDelay(50); // and polling
    central.PreencheAleatorio(1);
    central.VelocidadeLinha(true);
    for (std::uint8_t direcao : {kReceber, kTransmitir}) {
        const std::uint64_t bytesAntes = central.BytesRecebidos() + central.BytesEnviados();
        const double cpuAntes = CpuDaThread();
        const std::clock_t processoAntes = std::clock();
        const auto inicio = std::chrono::steady_clock::now();
        const Resultado r = Transfere(direcao, kTodosItens);
        const double parede = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        const double cpu = CpuDaThread() - cpuAntes;
        const double processo = static_cast<double>(std::clock() - processoAntes) / CLOCKS_PER_SEC;
        const std::uint64_t bytes = central.BytesRecebidos() + central.BytesEnviados() - bytesAntes;
        const double fio = static_cast<double>(bytes) * 10.0 / 9600.0;
        std::printf("%s: %llu bytes on the line, wire %.2f s, wall %.2f s (%.0f%%), "
                    "CPU %.3f s program thread, %.3f s process\n",
                    direcao == kReceber ? "receive" : "transmit", static_cast<unsigned long long>(bytes), fio,
                    parede, 100.0 * parede / fio, cpu, processo);
        EXPECT_EQ(r.UltimaMensagem(),
                  direcao == kReceber ? "Programações recebidas." : "Programações transmitidas.");
    }
}

} // namespace
