// The file commands as the user runs them from the main window's menu and
// tool bar: flags, current name, status bar, bytes on disk and the enabled
// state of every command afterwards.
#include "image/layout.h"
#include "shell/arquivos.h"
#include "tests/shell/principal_fixture.h"
#include "tests/support/dialogs_script.h"
#include "tests/support/scripted.h"

#include <QCoreApplication>
#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kDesejaSalvar = QStringLiteral("Deseja salvar as programações ?");
const QString kNaoEncontrado = QStringLiteral("Arquivo não encontrado.");
const QString kNaoPrograma = QStringLiteral("Este não é um arquivo de programação do PABX");
const QString kSobrescrever = QStringLiteral("Arquivo já existe. Sobrescrever ?");
const QString kPadraoProtegido = QStringLiteral("Arquivo padrão não pode ser alterado");
const QString kCurto = QStringLiteral(
    "O arquivo tem menos bytes que uma programação completa; o restante foi preenchido com a programação padrão.");
const QString kTituloSalvar = QStringLiteral("Salvar arquivo de programações");
const QString kTituloLer = QStringLiteral("Ler arquivo de programações");
const QByteArray kAssinatura("\x09SORVADINE", 10);

// Commands enabled whatever the flags say, as "menu > entry" or "tool bar > button".
const QStringList kSempreHabilitados = {
    "&Arquivo > &Ler arquivo", "&Arquivo > &Novo arquivo", "&Arquivo > Salvar arquivo &como",
    "&Arquivo > &Usuários do programa", "&Arquivo > Sai&r do programa", "&Comunicação > &Configuração",
    "&Comunicação > R&eceber programações", "&Comunicação > &Transmitir programações", "A&juda > &Conteúdo",
    "A&juda > &Sobre", "tool bar > Sair", "tool bar > Novo", "tool bar > Abrir", "tool bar > Configurar",
    "tool bar > Receber", "tool bar > Transmitir", "tool bar > Usuários",
};
const QStringList kSalvar = {"&Arquivo > &Salvar arquivo", "tool bar > Salvar"};

void Junta(QMenu* menu, const QString& caminho, QMap<QString, bool>& estados)
{
    for (QAction* acao : menu->actions()) {
        if (acao->isSeparator())
            continue;
        const QString nome = caminho.isEmpty() ? acao->text() : caminho + " > " + acao->text();
        if (acao->menu())
            Junta(acao->menu(), nome, estados);
        else
            estados[nome] = acao->isEnabled();
    }
}

// Every command of the main menu, the popup menu and the tool bar, with
// whether it is enabled.
QMap<QString, bool> EstadoComandos(TFormPrinc& j)
{
    QMap<QString, bool> estados;
    for (QAction* cabecalho : j.MainMenu1->actions()) {
        if (cabecalho->menu())
            Junta(cabecalho->menu(), cabecalho->text(), estados);
        else
            estados[cabecalho->text()] = cabecalho->isEnabled();
    }
    Junta(j.PopupMenu1, "popup", estados);
    for (QAction* botao : j.ToolBar1->actions())
        if (!botao->isSeparator() && !botao->text().isEmpty())
            estados["tool bar > " + botao->text()] = botao->isEnabled();
    return estados;
}

// The state expected: every command, only the ones that ignore the flags,
// and "&Salvar arquivo" on or off.
QMap<QString, bool> Esperado(TFormPrinc& j, bool tudoDisponivel, bool salvar)
{
    QMap<QString, bool> estados = EstadoComandos(j);
    for (auto it = estados.begin(); it != estados.end(); ++it)
        it.value() = tudoDisponivel || kSempreHabilitados.contains(it.key());
    for (const QString& nome : kSalvar)
        estados[nome] = salvar;
    return estados;
}

QByteArray Programacao(int semente, int tamanho = kTamanhoImagem, bool assinada = true)
{
    QByteArray bytes(tamanho, '\0');
    for (int i = 0; i < tamanho; ++i)
        bytes[i] = static_cast<char>((semente + i * 5) & 0xFF);
    if (assinada && tamanho >= 11)
        bytes.replace(1, 10, kAssinatura);
    return bytes;
}

class ArquivosJanela : public JanelaPrincipalTest {
protected:
    void SetUp() override
    {
        JanelaPrincipalTest::SetUp();
        transferencia = std::make_unique<TForm>();
        FormTransferencia = transferencia.get();
        MostraRelatorios = [] {};
        UsaEntradasFalsas();
    }

    TFormPrinc& AbreJanela()
    {
        TFormPrinc& j = Abre();
        modelo = Le("PADRAO.PBX");
        return j;
    }

    QString Caminho(const QString& nome) const { return pasta.filePath(nome); }

    void Grava(const QString& nome, const QByteArray& bytes)
    {
        QFile arquivo(Caminho(nome));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        arquivo.write(bytes);
    }

    QByteArray Le(const QString& nome) const
    {
        QFile arquivo(Caminho(nome));
        return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
    }

    QByteArray ImagemAtual() const { return QByteArray(reinterpret_cast<const char*>(Imagem), kTamanhoImagem); }

    // Opens a file through the tool bar's "Abrir".
    void Abrir(TFormPrinc& j, const QString& nome, std::deque<int> respostas = {})
    {
        ScriptedBoxes boxes(std::move(respostas));
        ScriptedFileDialogs files({Caminho(nome)});
        BotaoFerramenta(j, "Abrir")->trigger();
        mensagens = boxes.Texts();
    }

    // An edit through the "&Feriados" menu entry (a recording fake entry).
    void EditaFeriados(TFormPrinc& j)
    {
        AcaoMenu(j, {"&Programações", "Programações gerais do &PABX", "&Feriados"})->trigger();
    }

    // The tool-bar button with that caption, clicked with the mouse.
    void ClicaBotao(TFormPrinc& j, const char* legenda)
    {
        QWidget* botao = j.ToolBar1->widgetForAction(BotaoFerramenta(j, QString::fromUtf8(legenda)));
        ASSERT_NE(botao, nullptr) << legenda;
        input::Click(botao);
        input::Settle();
    }

    // "Receber" with the transfer window standing in for the exchange: the
    // whole programming arrives, and with it no current file.
    QByteArray Recebe(TFormPrinc& j)
    {
        const QByteArray recebida = Programacao(0x61, kTamanhoImagem, false);
        ModalScript modal;
        modal.Then([&](QWidget* w) {
            std::copy(recebida.begin(), recebida.end(), Imagem);
            for (int item = kPrimeiroItem; item <= kUltimoItem; ++item) {
                MarcaItem(ItensDisponiveis, item);
                MarcaItem(ItensAlterados, item);
            }
            ImagemAlterada = true;
            SemProgramacao = false;
            static_cast<TForm*>(w)->SetModalResult(mrOk);
        });
        ClicaBotao(j, "Receber");
        EXPECT_EQ(modal.shown.size(), 1u);
        return recebida;
    }

    std::unique_ptr<TForm> transferencia;
    QByteArray modelo;
    QStringList mensagens;
};

TEST_F(ArquivosJanela, OpenAGoodFileFromTheToolBar)
{
    TFormPrinc& j = AbreJanela();
    Grava("cliente.PBX", Programacao(3));
    Abrir(j, "cliente.PBX");

    EXPECT_TRUE(mensagens.isEmpty());
    EXPECT_EQ(ImagemAtual(), Programacao(3));
    EXPECT_EQ(ArquivoAtual, Caminho("cliente.PBX"));
    EXPECT_EQ(j.PainelArquivo->text(), Caminho("cliente.PBX"));
    EXPECT_FALSE(SemProgramacao);
    EXPECT_FALSE(ImagemAlterada);
    EXPECT_EQ(ByteEstado, Programacao(3)[0]);
    EXPECT_EQ(ItensAlterados[0], 1);
    EXPECT_EQ(EstadoComandos(j), Esperado(j, true, true)) << "item 1 changed enables the save";
}

// A refused file leaves the window showing the programming it had.
TEST_F(ArquivosJanela, OpenAShortUnsignedOrReadOnlyFile)
{
    struct Caso {
        const char* caso;
        QByteArray conteudo;
        bool somenteLeitura;
        QStringList mensagens;
        bool aceito;
    };
    const Caso casos[] = {
        {"100-byte signed", Programacao(7, 100), false, {kCurto}, true},
        {"unsigned", Programacao(8, kTamanhoImagem, false), false, {kNaoPrograma}, false},
        {"empty", QByteArray(""), false, {kNaoPrograma}, false},
        {"read-only", Programacao(9), true, {}, true},
    };
    TFormPrinc& j = AbreJanela();
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        // Start from a good programming each time.
        Grava("bom.pbx", Programacao(1));
        Abrir(j, "bom.pbx");
        const QByteArray antes = ImagemAtual();
        const QMap<QString, bool> comandosAntes = EstadoComandos(j);
        const QString nome = QStringLiteral("caso.pbx");
        QFile::remove(Caminho(nome));
        Grava(nome, caso.conteudo);
        if (caso.somenteLeitura)
            QFile::setPermissions(Caminho(nome), QFile::ReadOwner);

        Abrir(j, nome);

        EXPECT_EQ(mensagens, caso.mensagens);
        EXPECT_EQ(j.PainelArquivo->text(), Caminho(caso.aceito ? nome : "bom.pbx"));
        EXPECT_EQ(ArquivoAtual, Caminho(caso.aceito ? nome : "bom.pbx"));
        EXPECT_FALSE(SemProgramacao);
        EXPECT_EQ(ItensDisponiveis[1], 1);
        if (caso.aceito) {
            // A short file is completed from the template, not from the
            // programming it replaced.
            EXPECT_EQ(ImagemAtual(), caso.conteudo + modelo.mid(caso.conteudo.size()));
            EXPECT_EQ(EstadoComandos(j), Esperado(j, true, true));
        } else {
            EXPECT_EQ(ImagemAtual(), antes);
            EXPECT_EQ(EstadoComandos(j), comandosAntes);
        }
        QFile::setPermissions(Caminho(nome), QFile::ReadOwner | QFile::WriteOwner);
    }
}

TEST_F(ArquivosJanela, NewThenSaveIsRefusedAndSaveAsWritesANewFile)
{
    TFormPrinc& j = AbreJanela();
    {
        ScriptedBoxes boxes;
        BotaoFerramenta(j, "Novo")->trigger();
        EXPECT_TRUE(boxes.calls.empty());
    }
    EXPECT_EQ(ArquivoAtual, Caminho("PADRAO.PBX"));
    EXPECT_EQ(j.PainelArquivo->text(), Caminho("PADRAO.PBX"));
    EXPECT_EQ(ImagemAtual(), modelo) << "the template's numbering plan and names as they are";
    EXPECT_EQ(EstadoComandos(j), Esperado(j, true, false));

    EditaFeriados(j);
    {
        ScriptedBoxes boxes;
        BotaoFerramenta(j, "Salvar")->trigger();
        EXPECT_EQ(boxes.Texts(), QStringList{kPadraoProtegido});
    }
    EXPECT_EQ(Le("PADRAO.PBX"), modelo);
    EXPECT_TRUE(ImagemAlterada);

    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("padrao.pbx"), Caminho("cliente")});
    AcaoMenu(j, {"&Arquivo", "Salvar arquivo &como"})->trigger();
    EXPECT_EQ(boxes.Texts(), QStringList{kPadraoProtegido});
    EXPECT_EQ(files.calls.size(), 2u);
    EXPECT_EQ(Le("cliente.PBX"), ImagemAtual());
    EXPECT_EQ(Le("cliente.PBX").size(), kTamanhoImagem);
    EXPECT_EQ(ImagemAtual().mid(1, 10), kAssinatura);
    EXPECT_EQ(ArquivoAtual, Caminho("cliente.PBX"));
    EXPECT_EQ(j.PainelArquivo->text(), Caminho("cliente.PBX"));
    EXPECT_FALSE(ImagemAlterada);
    EXPECT_EQ(EstadoComandos(j), Esperado(j, true, false));
}

TEST_F(ArquivosJanela, SaveWritesTheCurrentFile)
{
    TFormPrinc& j = AbreJanela();
    Grava("cliente.pbx", Programacao(2));
    Abrir(j, "cliente.pbx");
    EditaFeriados(j);
    Imagem[ofsDatasFeriados] = 25;
    ScriptedBoxes boxes;
    AcaoMenu(j, {"&Arquivo", "&Salvar arquivo"})->trigger();
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Le("cliente.pbx"), ImagemAtual());
    EXPECT_EQ(Le("cliente.pbx")[ofsDatasFeriados], 25);
    EXPECT_FALSE(ImagemAlterada);
    EXPECT_EQ(ItensAlterados, TFlagsItens{});
    EXPECT_EQ(ArquivoAtual, Caminho("cliente.pbx"));
}

TEST_F(ArquivosJanela, SaveAsOntoAnExistingFileYesAndNo)
{
    TFormPrinc& j = AbreJanela();
    Grava("cliente.pbx", Programacao(2));
    Abrir(j, "cliente.pbx");
    for (const int resposta : {IDNO, IDYES}) {
        SCOPED_TRACE(resposta == IDYES ? "Yes" : "No");
        const QByteArray antigo = Programacao(4) + "tail";
        Grava("outro.pbx", antigo);
        EditaFeriados(j);
        ScriptedBoxes boxes({resposta});
        ScriptedFileDialogs files({Caminho("outro.pbx")});
        AcaoMenu(j, {"&Arquivo", "Salvar arquivo &como"})->trigger();
        EXPECT_EQ(boxes.Texts(), QStringList{kSobrescrever});
        const bool sim = resposta == IDYES;
        EXPECT_EQ(Le("outro.pbx"), sim ? ImagemAtual() + "tail" : antigo);
        EXPECT_EQ(ArquivoAtual, Caminho(sim ? "outro.pbx" : "cliente.pbx"));
        EXPECT_EQ(j.PainelArquivo->text(), ArquivoAtual);
        EXPECT_EQ(ImagemAlterada, !sim);
        EXPECT_EQ(EstadoComandos(j), Esperado(j, true, !sim));
    }
}

TEST_F(ArquivosJanela, CloseWithChangesYesNoCancel)
{
    struct Caso {
        const char* caso;
        int resposta;
        bool fecha;
        bool salva;
    };
    const Caso casos[] = {
        {"Cancel", IDCANCEL, false, false},
        {"No", IDNO, true, false},
        {"Yes", IDYES, true, true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        TFormPrinc& j = AbreJanela();
        Grava("cliente.pbx", Programacao(2));
        Abrir(j, "cliente.pbx");
        EditaFeriados(j);
        Imagem[ofsDatasFeriados] = 25;
        const QByteArray editada = ImagemAtual();
        ScriptedBoxes boxes({caso.resposta});
        AcaoMenu(j, {"&Arquivo", "Sai&r do programa"})->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(boxes.Texts(), QStringList{kDesejaSalvar});
        EXPECT_EQ(j.isVisible(), !caso.fecha);
        EXPECT_EQ(Le("cliente.pbx"), caso.salva ? editada : Programacao(2));
        if (!caso.fecha) {
            EXPECT_TRUE(ImagemAlterada);
            EXPECT_EQ(ItensAlterados[ipFeriados - 1], 1);
        }
        janela.reset();
    }
}

// A received programming has no file yet: "Sim" to the save question
// that does not end in a file keeps the program open with the programming,
// whether the save dialog was cancelled or the replacement declined; a save
// that happens lets the close go on.
TEST_F(ArquivosJanela, ExitYesWithoutASaveKeepsTheReceivedProgramming)
{
    struct Caso {
        const char* caso;
        std::deque<int> respostas;
        std::optional<QString> escolhido; // typed into the save dialog; none: Escape
        QStringList mensagens;
        bool fecha;
    };
    const Caso casos[] = {
        {"save dialog cancelled", {IDYES}, std::nullopt, {kDesejaSalvar}, false},
        {"replacement declined", {IDYES, IDNO}, "existe.pbx", {kDesejaSalvar, kSobrescrever}, false},
        {"saved under a new name", {IDYES}, "recebida.pbx", {kDesejaSalvar}, true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        const QByteArray existente = Programacao(4);
        Grava("existe.pbx", existente);
        TFormPrinc& j = AbreJanela();
        const QByteArray recebida = Recebe(j);
        ASSERT_TRUE(ImagemAlterada);
        ASSERT_EQ(ArquivoAtual, "");

        ScriptedBoxes boxes(caso.respostas);
        ShownFileDialogs files({caso.escolhido ? std::optional<QString>(Caminho(*caso.escolhido)) : std::nullopt});
        ClicaBotao(j, "Sair");

        EXPECT_EQ(boxes.Texts(), caso.mensagens);
        EXPECT_EQ(files.titles, QStringList{kTituloSalvar});
        EXPECT_EQ(j.isVisible(), !caso.fecha);
        EXPECT_EQ(Le("existe.pbx"), existente);
        if (caso.fecha) {
            EXPECT_EQ(Le("recebida.pbx").mid(11), recebida.mid(11));
            EXPECT_EQ(Le("recebida.pbx").mid(1, 10), kAssinatura);
        } else {
            EXPECT_EQ(ImagemAtual(), recebida);
            EXPECT_TRUE(ImagemAlterada);
            EXPECT_EQ(ArquivoAtual, "");
            EXPECT_EQ(EstadoComandos(j), Esperado(j, true, true)) << "still unsaved";
        }
        janela.reset();
        QFile::remove(Caminho("recebida.pbx"));
    }
}

// "Abrir" and "Novo" after a receive: "Sim" and then no save stops the
// command before anything replaces the received programming.
TEST_F(ArquivosJanela, OpenAndNewWaitForTheAskedForSave)
{
    Grava("outro.pbx", Programacao(5));
    for (const char* botao : {"Abrir", "Novo"}) {
        SCOPED_TRACE(botao);
        TFormPrinc& j = AbreJanela();
        const QByteArray recebida = Recebe(j);
        ScriptedBoxes boxes({IDYES});
        ShownFileDialogs files({std::nullopt, Caminho("outro.pbx")});
        ClicaBotao(j, botao);
        EXPECT_EQ(boxes.Texts(), QStringList{kDesejaSalvar});
        EXPECT_EQ(files.titles, QStringList{kTituloSalvar}) << "no open dialog follows";
        EXPECT_EQ(ImagemAtual(), recebida);
        EXPECT_TRUE(ImagemAlterada);
        EXPECT_EQ(ArquivoAtual, "");
        EXPECT_EQ(j.PainelArquivo->text(), "");
        janela.reset();
    }
}

// A short signed file opened over another programming through the real
// open dialog: the rest comes from the template, the user is told, and
// "Salvar" writes a whole programming with nothing of the other one.
TEST_F(ArquivosJanela, AShortFileOverAnotherIsCompletedFromTheTemplate)
{
    TFormPrinc& j = AbreJanela();
    Grava("outra.pbx", Programacao(9));
    {
        ScriptedBoxes boxes;
        ShownFileDialogs files({Caminho("outra.pbx")});
        ClicaBotao(j, "Abrir");
        ASSERT_EQ(ImagemAtual(), Programacao(9));
    }
    Grava("curto.pbx", Programacao(7, 100));
    ScriptedBoxes boxes;
    ShownFileDialogs files({Caminho("curto.pbx")});
    ClicaBotao(j, "Abrir");
    EXPECT_EQ(files.titles, QStringList{kTituloLer});
    EXPECT_EQ(boxes.Texts(), QStringList{kCurto});
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, QString::fromUtf8("Atenção"));
    EXPECT_EQ(boxes.calls[0].flags, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(ImagemAtual(), Programacao(7, 100) + modelo.mid(100));
    EXPECT_EQ(j.PainelArquivo->text(), Caminho("curto.pbx"));

    ClicaBotao(j, "Salvar");
    EXPECT_EQ(Le("curto.pbx"), Programacao(7, 100) + modelo.mid(100));
    EXPECT_FALSE(ImagemAlterada);
}

} // namespace
