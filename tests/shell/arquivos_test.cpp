#include "shell/arquivos.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "state/registro.h"
#include "tests/support/dialogs_script.h"
#include "tests/support/filemode.h"
#include "tests/support/scripted.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QElapsedTimer>
#include <QApplication>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kNaoEncontrado = QStringLiteral("Arquivo não encontrado.");
const QString kNaoPrograma = QStringLiteral("Este não é um arquivo de programação do PABX");
const QString kSemPadrao = QStringLiteral("Não foi possível abrir arquivo de programações padrão.");
const QString kSobrescrever = QStringLiteral("Arquivo já existe. Sobrescrever ?");
const QString kDesejaSalvar = QStringLiteral("Deseja salvar as programações ?");
const QString kPadraoProtegido = QStringLiteral("Arquivo padrão não pode ser alterado");
const QString kCurto = QStringLiteral(
    "O arquivo tem menos bytes que uma programação completa; o restante foi preenchido com a programação padrão.");

const QByteArray kAssinatura("\x09SORVADINE", 10);

struct Mensagem {
    QString texto;
    const char* legenda;
    int flags;
};

// The boxes of the file commands, each with its caption, buttons and icon.
const Mensagem kMensagens[] = {
    {kNaoEncontrado, "Informação", MB_OK | MB_ICONEXCLAMATION},
    {kNaoPrograma, "Erro", MB_OK | MB_ICONERROR},
    {kSemPadrao, "Erro", MB_OK | MB_ICONERROR},
    {kSobrescrever, "Confirmação", MB_YESNO | MB_ICONQUESTION},
    {kDesejaSalvar, "Confirmação", MB_YESNOCANCEL | MB_ICONQUESTION},
    {kPadraoProtegido, "Informação", MB_OK | MB_ICONEXCLAMATION},
    {kCurto, "Atenção", MB_OK | MB_ICONEXCLAMATION},
};

// Every box shown carries the caption and flags its text goes with.
void EsperaLegendasEIcones(const ScriptedBoxes& boxes)
{
    for (const MessageBoxCall& call : boxes.calls)
        for (const Mensagem& m : kMensagens)
            if (call.text == m.texto) {
                EXPECT_EQ(call.caption, QString::fromUtf8(m.legenda)) << call.text.toStdString();
                EXPECT_EQ(call.flags, m.flags) << call.text.toStdString();
            }
}

TFlagsItens Todos(std::uint8_t valor)
{
    TFlagsItens flags;
    flags.fill(valor);
    return flags;
}

TFlagsItens Com(TFlagsItens flags, int item, std::uint8_t valor)
{
    flags[item - 1] = valor;
    return flags;
}

// A programming of the given length whose bytes tell it apart from others,
// signed unless told otherwise.
QByteArray Programacao(int semente, int tamanho = kTamanhoImagem, bool assinada = true)
{
    QByteArray bytes(tamanho, '\0');
    for (int i = 0; i < tamanho; ++i)
        bytes[i] = static_cast<char>((semente + i * 7) & 0xFF);
    if (assinada && tamanho >= 11)
        bytes.replace(1, 10, kAssinatura);
    return bytes;
}

class Arquivos : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        imagem.assign(kTamanhoImagem, 0xEE);
        Imagem = imagem.data();
        DiretorioPrograma = dir.path();
        Grava("PADRAO.PBX", Programacao(0x10));
        ArquivoAtual.clear();
        ImagemAlterada = false;
        SemProgramacao = true;
        ByteEstado = 6;
        ItensAlterados.fill(0);
        ItensEditados.fill(0);
        ItensDisponiveis.fill(0);
        JanelaArquivos.AtualizaMenus = [this] { ++menus; };
        JanelaArquivos.MostraArquivo = [this](const QString& nome) { status = nome; };
    }

    void TearDown() override
    {
        Imagem = nullptr;
        JanelaArquivos = {};
    }

    QString Caminho(const QString& nome) const { return dir.filePath(nome); }

    void Grava(const QString& nome, const QByteArray& bytes)
    {
        QFile arquivo(Caminho(nome));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(arquivo.write(bytes), bytes.size());
    }

    QByteArray Le(const QString& nome) const
    {
        QFile arquivo(Caminho(nome));
        return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
    }

    QByteArray ImagemAtual() const { return QByteArray(reinterpret_cast<const char*>(Imagem), kTamanhoImagem); }

    void PoeImagem(const QByteArray& bytes) { std::copy(bytes.begin(), bytes.end(), imagem.begin()); }

    // A programming open and modified since: what every save starts from.
    void ProgramacaoAlterada(const QString& arquivo)
    {
        PoeImagem(Programacao(0x55, kTamanhoImagem, false));
        ArquivoAtual = arquivo.isEmpty() ? QString() : Caminho(arquivo);
        SemProgramacao = false;
        ItensDisponiveis = Todos(1);
        ItensEditados = Com(Todos(1), ipCalendario, 0);
        ItensAlterados = Com(Todos(0), ipFeriados, 1);
        ImagemAlterada = true;
    }

    // The image as a save writes it: with its signature.
    QByteArray ImagemAssinada() const { return Programacao(0x55, kTamanhoImagem, false).replace(1, 10, kAssinatura); }

    void EsperaCarregada()
    {
        EXPECT_FALSE(SemProgramacao);
        EXPECT_FALSE(ImagemAlterada);
        EXPECT_EQ(ByteEstado, Imagem[0]);
        EXPECT_EQ(ItensDisponiveis, Todos(1));
        EXPECT_EQ(ItensEditados, Com(Todos(1), ipCalendario, 0));
    }

    void EsperaSalva(const QString& arquivo)
    {
        EXPECT_EQ(Le(arquivo).left(kTamanhoImagem), ImagemAssinada());
        EXPECT_EQ(ImagemAtual(), ImagemAssinada());
        EXPECT_EQ(ItensAlterados, Todos(0));
        EXPECT_FALSE(ImagemAlterada);
    }

    void EsperaNaoSalva()
    {
        EXPECT_EQ(ItensAlterados, Com(Todos(0), ipFeriados, 1));
        EXPECT_TRUE(ImagemAlterada);
    }

    QStringList ArquivosNaPasta() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir dir;
    std::vector<std::uint8_t> imagem;
    int menus = 0;
    QString status;
};

TEST_F(Arquivos, OpeningAGoodFileLoadsItAndMakesEveryItemAvailable)
{
    const QByteArray bytes = Programacao(0x21);
    Grava("central.pbx", bytes);
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("central.pbx")});

    ComandoLerArquivo();

    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    ASSERT_EQ(files.calls.size(), 1u);
    const FileDialogCall& call = files.calls[0];
    EXPECT_EQ(call.kind, TFileDialogKind::Open);
    EXPECT_EQ(call.title, "Ler arquivo de programações");
    EXPECT_EQ(call.filter, "Programações (*.PBX)|*.PBX");
    EXPECT_EQ(call.defaultExt, "PBX");
    EXPECT_EQ(call.fileName, "*.PBX");
    EXPECT_EQ(call.helpContext, 4300);
    EXPECT_EQ(call.options, ofHideReadOnly | ofShowHelp);
    EXPECT_EQ(ImagemAtual(), bytes);
    EXPECT_EQ(ArquivoAtual, Caminho("central.pbx"));
    EXPECT_EQ(status, Caminho("central.pbx"));
    EsperaCarregada();
    EXPECT_EQ(ItensAlterados, Com(Todos(0), ipCalendario, 1));
    EXPECT_EQ(menus, 1);
}

// A short signed file fills its own length; the rest is what a new
// programming holds (the template, and past a short template the factory
// programming), never the programming it replaces, and the user is told.
TEST_F(Arquivos, AShortSignedFileIsCompletedFromTheTemplate)
{
    const QByteArray fabrica(reinterpret_cast<const char*>(ImagemPadrao()), kTamanhoImagem);
    struct Caso {
        const char* caso;
        QByteArray modelo; // null: no template
        QByteArray restoEsperado; // image bytes 100.. after the open
    };
    const Caso casos[] = {
        {"template", Programacao(0x10), Programacao(0x10).mid(100)},
        {"short template", Programacao(0x10, 3000), Programacao(0x10, 3000).mid(100) + fabrica.mid(3000)},
        {"unsigned template", Programacao(0x10, kTamanhoImagem, false), fabrica.mid(100)},
        {"no template", QByteArray(), fabrica.mid(100)},
    };
    Grava("curto.pbx", Programacao(0x33, 100));
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        QFile::remove(Caminho("PADRAO.PBX"));
        if (!caso.modelo.isNull())
            Grava("PADRAO.PBX", caso.modelo);
        PoeImagem(Programacao(0x77));
        ScriptedBoxes boxes;
        ScriptedFileDialogs files({Caminho("curto.pbx")});

        ComandoLerArquivo();

        EXPECT_EQ(boxes.Texts(), QStringList{kCurto});
        EsperaLegendasEIcones(boxes);
        EXPECT_EQ(ImagemAtual().left(100), Programacao(0x33, 100));
        EXPECT_EQ(ImagemAtual().mid(100), caso.restoEsperado);
        EXPECT_EQ(ArquivoAtual, Caminho("curto.pbx"));
        EsperaCarregada();
    }
}

struct ArquivoRecusado {
    const char* caso;
    QByteArray conteudo; // null: no such file
    QStringList mensagens;
};

void PrintTo(const ArquivoRecusado& caso, std::ostream* os)
{
    *os << caso.caso;
}

class ArquivosRecusados : public Arquivos, public ::testing::WithParamInterface<ArquivoRecusado> {};

// A refused file leaves the programming in memory (signed, maybe unsaved),
// its flags, its file name and the status bar exactly as they were, and
// the refused file untouched.
TEST_P(ArquivosRecusados, LeaveTheProgrammingInMemoryAsItWas)
{
    const ArquivoRecusado& caso = GetParam();
    const QString nome = Caminho("outro.PBX");
    if (!caso.conteudo.isNull())
        Grava("outro.PBX", caso.conteudo);
    ProgramacaoAlterada("anterior.pbx");
    PoeImagem(Programacao(0x55));
    status = Caminho("anterior.pbx");
    ByteEstado = 3;
    const QByteArray antes = ImagemAtual();
    const auto disponiveis = ItensDisponiveis;
    const auto editados = ItensEditados;
    const auto alterados = ItensAlterados;
    ScriptedBoxes boxes({IDNO}); // not saved first: nothing but memory holds it
    ScriptedFileDialogs files({nome});

    ComandoLerArquivo();

    EXPECT_EQ(boxes.Texts(), QStringList{kDesejaSalvar} + caso.mensagens);
    EsperaLegendasEIcones(boxes);
    EXPECT_EQ(ImagemAtual(), antes);
    EXPECT_TRUE(ImagemAlterada);
    EXPECT_EQ(ArquivoAtual, Caminho("anterior.pbx"));
    EXPECT_EQ(status, Caminho("anterior.pbx"));
    EXPECT_FALSE(SemProgramacao);
    EXPECT_EQ(ByteEstado, 3);
    EXPECT_EQ(ItensDisponiveis, disponiveis);
    EXPECT_EQ(ItensEditados, editados);
    EXPECT_EQ(ItensAlterados, alterados);
    if (!caso.conteudo.isNull()) {
        EXPECT_EQ(Le("outro.PBX"), caso.conteudo);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, ArquivosRecusados,
    ::testing::Values(
        ArquivoRecusado{"OtherLetters", Programacao(1).replace(2, 1, "X"), {kNaoPrograma}},
        ArquivoRecusado{"LengthByteNot9", Programacao(2).replace(1, 1, "\x08"), {kNaoPrograma}},
        ArquivoRecusado{"Empty", QByteArray(""), {kNaoPrograma}},
        ArquivoRecusado{"ShorterThanTheSignature", Programacao(3, 6), {kNaoPrograma}},
        ArquivoRecusado{"SignatureCutShort", Programacao(3, 8), {kNaoPrograma}},
        ArquivoRecusado{"Missing", QByteArray(), {kNaoEncontrado, kNaoPrograma}}),
    [](const auto& row) { return std::string(row.param.caso); });

TEST_F(Arquivos, AReadOnlyProgrammingOpens)
{
    Grava("protegido.pbx", Programacao(4));
    QFile::setPermissions(Caminho("protegido.pbx"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ProgramacaoAlterada("anterior.pbx");
    ImagemAlterada = false;
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("protegido.pbx")});
    ComandoLerArquivo();
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(' ').toStdString();
    EXPECT_EQ(ImagemAtual(), Programacao(4));
    EXPECT_EQ(ArquivoAtual, Caminho("protegido.pbx"));
}

TEST_F(Arquivos, ASavedShortFileIsAWholeProgrammingAgain)
{
    Grava("curto.pbx", Programacao(3, 100));
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("curto.pbx")});
    ComandoLerArquivo();
    ComandoSalvarArquivo();
    EXPECT_EQ(boxes.Texts(), QStringList{kCurto});
    EXPECT_EQ(Le("curto.pbx"), Programacao(3, 100) + Programacao(0x10).mid(100));
}

TEST_F(Arquivos, CancellingTheOpenDialogChangesNothing)
{
    ProgramacaoAlterada("atual.pbx");
    ImagemAlterada = false;
    const QByteArray antes = ImagemAtual();
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({std::nullopt});
    ComandoLerArquivo();
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(files.calls.size(), 1u);
    EXPECT_EQ(ImagemAtual(), antes);
    EXPECT_EQ(ArquivoAtual, Caminho("atual.pbx"));
    EXPECT_EQ(ItensAlterados, Com(Todos(0), ipFeriados, 1));
    EXPECT_EQ(menus, 0);
}

TEST_F(Arquivos, NewLoadsTheTemplateAndNamesIt)
{
    ProgramacaoAlterada("atual.pbx");
    ScriptedBoxes boxes({IDNO});

    ComandoNovoArquivo();

    EXPECT_EQ(boxes.Texts(), QStringList{kDesejaSalvar});
    EXPECT_EQ(ImagemAtual(), Programacao(0x10));
    EXPECT_EQ(ArquivoAtual, Caminho("PADRAO.PBX"));
    EXPECT_EQ(status, Caminho("PADRAO.PBX"));
    EsperaCarregada();
    EXPECT_EQ(ItensAlterados, Todos(0));
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(Le("atual.pbx"), QByteArray()) << "answering No saves nothing";
}

// A template that is no programming leaves the one in memory, its flags
// and its file name as they were.
TEST_F(Arquivos, NewWithoutAGoodTemplateSaysSoAndChangesNothing)
{
    struct Caso {
        const char* caso;
        QByteArray modelo; // null: no template
        QStringList mensagens;
    };
    const Caso casos[] = {
        {"missing", QByteArray(), {kNaoEncontrado, kSemPadrao}},
        {"unsigned", Programacao(0x10, kTamanhoImagem, false), {kSemPadrao}},
        {"empty", QByteArray(""), {kSemPadrao}},
        {"shorter than the signature", Programacao(0x10, 8), {kSemPadrao}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        QFile::remove(Caminho("PADRAO.PBX"));
        if (!caso.modelo.isNull())
            Grava("PADRAO.PBX", caso.modelo);
        ProgramacaoAlterada("atual.pbx");
        PoeImagem(Programacao(0x33));
        status = Caminho("atual.pbx");
        ImagemAlterada = false;
        menus = 0;
        ScriptedBoxes boxes;
        ComandoNovoArquivo();
        EXPECT_EQ(boxes.Texts(), caso.mensagens);
        EsperaLegendasEIcones(boxes);
        EXPECT_EQ(ImagemAtual(), Programacao(0x33));
        EXPECT_EQ(ArquivoAtual, Caminho("atual.pbx"));
        EXPECT_EQ(status, Caminho("atual.pbx"));
        EXPECT_FALSE(SemProgramacao);
        EXPECT_EQ(ItensDisponiveis, Todos(1));
        EXPECT_EQ(ItensAlterados, Com(Todos(0), ipFeriados, 1));
        EXPECT_EQ(menus, 0);
    }
}

TEST_F(Arquivos, NewUsesAReadOnlyTemplate)
{
    QFile::setPermissions(Caminho("PADRAO.PBX"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ProgramacaoAlterada("atual.pbx");
    ImagemAlterada = false;
    ScriptedBoxes boxes;
    ComandoNovoArquivo();
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(' ').toStdString();
    EXPECT_EQ(ImagemAtual(), Programacao(0x10));
    EXPECT_EQ(ArquivoAtual, Caminho("PADRAO.PBX"));
}

TEST_F(Arquivos, SaveWritesTheSignedImageAndKeepsALongerFilesTail)
{
    const QByteArray cauda("tail after the image");
    Grava("atual.pbx", Programacao(0x01) + cauda);
    ProgramacaoAlterada("atual.pbx");
    ScriptedBoxes boxes;

    ComandoSalvarArquivo();

    EXPECT_TRUE(boxes.calls.empty());
    EsperaSalva("atual.pbx");
    EXPECT_EQ(Le("atual.pbx").mid(kTamanhoImagem), cauda);
    EXPECT_EQ(ArquivosNaPasta(), (QStringList{"PADRAO.PBX", "atual.pbx"})) << "no temporary file left";
}

TEST_F(Arquivos, SaveRefusesTheTemplateNameInAnyFolderAndCase)
{
    QDir(dir.path()).mkdir("outra");
    for (const char* nome : {"PADRAO.PBX", "outra/padrao.pbx", "outra/Padrao.Pbx"}) {
        SCOPED_TRACE(nome);
        const QByteArray antes = Le(nome);
        ProgramacaoAlterada(nome);
        ScriptedBoxes boxes;
        ComandoSalvarArquivo();
        ASSERT_EQ(boxes.Texts(), QStringList{kPadraoProtegido});
        EsperaLegendasEIcones(boxes);
        EXPECT_EQ(Le(nome), antes);
        EsperaNaoSalva();
    }
}

TEST_F(Arquivos, SaveWithoutACurrentFileRunsSaveAs)
{
    ProgramacaoAlterada("");
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("novo")});

    ComandoSalvarArquivo();

    ASSERT_EQ(files.calls.size(), 1u);
    EXPECT_EQ(files.calls[0].kind, TFileDialogKind::Save);
    EXPECT_EQ(files.calls[0].title, "Salvar arquivo de programações");
    EXPECT_EQ(files.calls[0].helpContext, 4600);
    EXPECT_EQ(files.calls[0].filter, "Programações (*.PBX)|*.PBX");
    EXPECT_EQ(files.calls[0].defaultExt, "PBX");
    EXPECT_EQ(files.calls[0].options, ofHideReadOnly | ofShowHelp);
    EXPECT_EQ(files.calls[0].fileName, "*.PBX");
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(ArquivoAtual, Caminho("novo.PBX")) << "the default extension is added";
    EXPECT_EQ(status, Caminho("novo.PBX"));
    EsperaSalva("novo.PBX");
    EXPECT_EQ(Le("novo.PBX").size(), kTamanhoImagem);
    EXPECT_EQ(menus, 1);
}

TEST_F(Arquivos, SaveAsOntoAnExistingFileAsksFirst)
{
    const QByteArray antigo = Programacao(0x01) + QByteArray("tail");
    for (const int resposta : {IDYES, IDNO}) {
        SCOPED_TRACE(resposta == IDYES ? "Yes" : "No");
        Grava("existe.pbx", antigo);
        ProgramacaoAlterada("atual.pbx");
        status.clear();
        ScriptedBoxes boxes({resposta});
        ScriptedFileDialogs files({Caminho("existe.pbx")});

        SalvaArquivoComo();

        EXPECT_EQ(files.calls[0].fileName, Caminho("atual.pbx"));
        ASSERT_EQ(boxes.Texts(), QStringList{kSobrescrever});
        EsperaLegendasEIcones(boxes);
        if (resposta == IDYES) {
            EsperaSalva("existe.pbx");
            EXPECT_EQ(Le("existe.pbx").mid(kTamanhoImagem), "tail");
            EXPECT_EQ(ArquivoAtual, Caminho("existe.pbx"));
            EXPECT_EQ(status, Caminho("existe.pbx"));
        } else {
            EXPECT_EQ(Le("existe.pbx"), antigo);
            EXPECT_EQ(ArquivoAtual, Caminho("atual.pbx"));
            EXPECT_EQ(status, "");
            EsperaNaoSalva();
        }
    }
}

TEST_F(Arquivos, SaveAsRefusesTheTemplateAndShowsTheDialogAgain)
{
    QDir(dir.path()).mkdir("outra");
    ProgramacaoAlterada("atual.pbx");
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("outra/padrao.pbx"), std::nullopt});

    EXPECT_EQ(SalvaArquivoComo(), TResultadoGravacao::NaoGravado);

    EXPECT_EQ(boxes.Texts(), QStringList{kPadraoProtegido});
    EsperaLegendasEIcones(boxes);
    EXPECT_EQ(files.calls.size(), 2u);
    EXPECT_FALSE(QFile::exists(Caminho("outra/padrao.pbx")));
    EsperaNaoSalva();
    EXPECT_EQ(menus, 1);
}

struct Fechamento {
    const char* caso;
    const char* arquivo; // current file, "" none
    std::deque<int> respostas;
    std::deque<std::optional<QString>> dialogos;
    bool fecha;
    bool salva;
    QStringList mensagens;
};

void PrintTo(const Fechamento& caso, std::ostream* os)
{
    *os << caso.caso;
}

class Fechamentos : public Arquivos, public ::testing::WithParamInterface<Fechamento> {};

TEST_P(Fechamentos, CloseWithChangesAsksToSave)
{
    const Fechamento& caso = GetParam();
    const QByteArray existente = Programacao(0x01);
    Grava("existe.pbx", existente);
    ProgramacaoAlterada(caso.arquivo);
    ScriptedBoxes boxes(caso.respostas);
    std::deque<std::optional<QString>> dialogos;
    for (const auto& nome : caso.dialogos)
        dialogos.push_back(nome ? std::optional<QString>(Caminho(*nome)) : std::nullopt);
    ScriptedFileDialogs files(dialogos);

    EXPECT_EQ(PodeFecharPrograma(), caso.fecha);

    EXPECT_EQ(boxes.Texts(), caso.mensagens);
    EsperaLegendasEIcones(boxes);
    EXPECT_EQ(files.calls.size(), caso.dialogos.size());
    if (caso.salva) {
        EsperaSalva(QString::fromUtf8(*caso.arquivo ? caso.arquivo : "salvo.PBX"));
    } else {
        EsperaNaoSalva();
        EXPECT_EQ(ImagemAtual(), Programacao(0x55, kTamanhoImagem, false)) << "the programming stays in memory";
    }
    EXPECT_EQ(Le("existe.pbx"), existente);
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, Fechamentos,
    ::testing::Values(
        Fechamento{"Yes", "atual.pbx", {IDYES}, {}, true, true, {kDesejaSalvar}},
        Fechamento{"No", "atual.pbx", {IDNO}, {}, true, false, {kDesejaSalvar}},
        Fechamento{"Cancel", "atual.pbx", {IDCANCEL}, {}, false, false, {kDesejaSalvar}},
        Fechamento{"YesAfterNewRefusesTheTemplate", "PADRAO.PBX", {IDYES}, {}, false, false,
                   {kDesejaSalvar, kPadraoProtegido}},
        Fechamento{"YesWithoutAFileSavesAs", "", {IDYES}, {{"salvo.PBX"}}, true, true, {kDesejaSalvar}},
        Fechamento{"YesWithoutAFileThenCancelStaysOpen", "", {IDYES}, {std::nullopt}, false, false,
                   {kDesejaSalvar}},
        Fechamento{"YesWithoutAFileOntoAnExistingOneThenNoStaysOpen", "", {IDYES, IDNO}, {{"existe.pbx"}}, false,
                   false, {kDesejaSalvar, kSobrescrever}}),
    [](const auto& row) { return std::string(row.param.caso); });

TEST_F(Arquivos, AnUnmodifiedImageClosesAndOpensWithoutAsking)
{
    ProgramacaoAlterada("atual.pbx");
    ImagemAlterada = false;
    ScriptedBoxes boxes;
    EXPECT_TRUE(PodeFecharPrograma());
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(Arquivos, OpenAfterChangesSavesFirstOrStopsOnCancel)
{
    Grava("outro.pbx", Programacao(0x44));
    {
        ProgramacaoAlterada("atual.pbx");
        ScriptedBoxes boxes({IDCANCEL});
        ScriptedFileDialogs files({Caminho("outro.pbx")});
        ComandoLerArquivo();
        EXPECT_TRUE(files.calls.empty()) << "Cancel stops before the dialog";
        EXPECT_EQ(ArquivoAtual, Caminho("atual.pbx"));
        EsperaNaoSalva();
    }
    {
        ScriptedBoxes boxes({IDYES});
        ScriptedFileDialogs files({Caminho("outro.pbx")});
        ComandoLerArquivo();
        EXPECT_EQ(Le("atual.pbx"), ImagemAssinada());
        EXPECT_EQ(ImagemAtual(), Programacao(0x44));
        EXPECT_EQ(ArquivoAtual, Caminho("outro.pbx"));
    }
}

// Yes to the save question with no current file, and then nothing saved:
// neither the open nor the new goes on, and the programming stays in memory.
TEST_F(Arquivos, OpenAndNewStopWhenTheAskedForSaveDidNotHappen)
{
    struct Caso {
        const char* caso;
        void (*comando)();
        std::deque<int> respostas;
        std::optional<QString> escolhido; // in the save dialog; none: cancelled
        QStringList mensagens;
    };
    const Caso casos[] = {
        {"open, save dialog cancelled", &ComandoLerArquivo, {IDYES}, std::nullopt, {kDesejaSalvar}},
        {"open, replacement declined", &ComandoLerArquivo, {IDYES, IDNO}, "existe.pbx", {kDesejaSalvar, kSobrescrever}},
        {"new, save dialog cancelled", &ComandoNovoArquivo, {IDYES}, std::nullopt, {kDesejaSalvar}},
        {"new, replacement declined", &ComandoNovoArquivo, {IDYES, IDNO}, "existe.pbx", {kDesejaSalvar, kSobrescrever}},
    };
    Grava("outro.pbx", Programacao(0x44));
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Grava("existe.pbx", Programacao(0x01));
        ProgramacaoAlterada("");
        ScriptedBoxes boxes(caso.respostas);
        ScriptedFileDialogs files({caso.escolhido ? std::optional<QString>(Caminho(*caso.escolhido)) : std::nullopt,
                                   Caminho("outro.pbx")});

        caso.comando();

        EXPECT_EQ(boxes.Texts(), caso.mensagens);
        ASSERT_EQ(files.calls.size(), 1u) << "no open dialog after the save dialog";
        EXPECT_EQ(files.calls[0].kind, TFileDialogKind::Save);
        EXPECT_EQ(ImagemAtual(), Programacao(0x55, kTamanhoImagem, false));
        EXPECT_EQ(ArquivoAtual, "");
        EXPECT_FALSE(SemProgramacao);
        EXPECT_EQ(Le("existe.pbx"), Programacao(0x01));
        EsperaNaoSalva();
    }
}

// Makes every write of this process fail past a few bytes, as a full disk does.
class LimiteGravacao {
public:
    explicit LimiteGravacao(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~LimiteGravacao()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST_F(Arquivos, AWriteThatFailsPartWaySaysSoAndKeepsTheOldFile)
{
    const QByteArray antigo = Programacao(0x01) + QByteArray(5000, 'T');
    for (const bool existe : {true, false}) {
        SCOPED_TRACE(existe ? "existing file" : "new file");
        QFile::remove(Caminho("atual.pbx"));
        if (existe)
            Grava("atual.pbx", antigo);
        ProgramacaoAlterada("atual.pbx");
        ScriptedBoxes boxes;
        bool fecha = true;
        {
            LimiteGravacao limite(4096);
            ComandoSalvarArquivo();
            fecha = PodeFecharPrograma();
        }
        ASSERT_EQ(boxes.calls.size(), 3u) << boxes.Texts().join(" | ").toStdString();
        EXPECT_TRUE(boxes.calls[0].text.startsWith("Erro ao gravar o arquivo")) << boxes.calls[0].text.toStdString();
        EXPECT_EQ(boxes.calls[0].flags & MB_ICONERROR, MB_ICONERROR);
        EXPECT_EQ(boxes.calls[1].text, kDesejaSalvar);
        EXPECT_FALSE(fecha) << "a close whose save failed does not go on";
        EXPECT_EQ(Le("atual.pbx"), existe ? antigo : QByteArray());
        EXPECT_EQ(QFile::exists(Caminho("atual.pbx")), existe);
        EXPECT_EQ(ArquivosNaPasta().size(), existe ? 2 : 1) << ArquivosNaPasta().join(' ').toStdString();
        EsperaNaoSalva();
    }
}

TEST_F(Arquivos, SaveAsOntoAReadOnlyFileFailsAndKeepsIt)
{
    const QByteArray antigo = Programacao(0x01);
    Grava("protegido.pbx", antigo);
    QFile::setPermissions(Caminho("protegido.pbx"), QFile::ReadOwner | QFile::ReadGroup);
    ProgramacaoAlterada("atual.pbx");
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("protegido.pbx")});

    EXPECT_EQ(SalvaArquivoComo(), TResultadoGravacao::Falhou);

    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_TRUE(boxes.calls[0].text.startsWith("Erro ao gravar o arquivo"));
    EXPECT_EQ(Le("protegido.pbx"), antigo);
    EXPECT_EQ(ArquivoAtual, Caminho("atual.pbx"));
    EsperaNaoSalva();
}

// A programming may hold the exchange's passwords: a new file is the
// owner's alone; a file that exists keeps the mode its owner gave it.
TEST_F(Arquivos, ANewProgrammingFileIsTheOwnersAlone)
{
    UsualUmask umask;
    ProgramacaoAlterada("");
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({Caminho("nova.pbx")});
    ComandoSalvarArquivo();
    EXPECT_EQ(FileMode(Caminho("nova.pbx")), 0600);
    for (const int modo : {0644, 0640}) {
        SetFileMode(Caminho("nova.pbx"), modo);
        ProgramacaoAlterada("nova.pbx");
        ComandoSalvarArquivo();
        EXPECT_EQ(FileMode(Caminho("nova.pbx")), modo);
        EsperaSalva("nova.pbx");
    }
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
}

// A save that the system refuses says why in one wording, whatever the
// refusal came from.
TEST_F(Arquivos, ARefusedSaveNamesItsCauseInOneWording)
{
    struct Caso {
        const char* caso;
        const char* arquivo;
        const char* motivo;
        bool soSemRoot; // the system lets root write anyway
    };
    const Caso casos[] = {
        {"read-only file", "protegido.pbx", "(acesso negado)", false},
        {"folder without write permission", "fechada/nova.pbx", "(acesso negado)", true},
        {"missing folder", "falta/nova.pbx", "(arquivo ou pasta não encontrado)", false},
        {"a folder under that name", "pasta.pbx", "(não é um arquivo)", false},
    };
    Grava("protegido.pbx", Programacao(0x01));
    SetFileMode(Caminho("protegido.pbx"), 0444);
    QDir(dir.path()).mkdir("fechada");
    SetFileMode(Caminho("fechada"), 0555);
    QDir(dir.path()).mkdir("pasta.pbx");
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        if (caso.soSemRoot && geteuid() == 0)
            continue;
        ProgramacaoAlterada("");
        ScriptedBoxes boxes;
        ScriptedFileDialogs files({Caminho(caso.arquivo)});
        ComandoSalvarArquivo();
        ASSERT_EQ(boxes.calls.size(), 1u);
        EXPECT_TRUE(boxes.calls[0].text.startsWith("Erro ao gravar o arquivo " + Caminho(caso.arquivo)));
        EXPECT_TRUE(boxes.calls[0].text.contains(QString::fromUtf8(caso.motivo))) << boxes.calls[0].text.toStdString();
        EsperaNaoSalva();
    }
    SetFileMode(Caminho("fechada"), 0755);
}

TEST_F(Arquivos, AReadErrorAfterOpeningIsReportedAndChangesNothing)
{
    // Reading the first bytes of this process's memory file fails although
    // it opens.
    const QString arquivo = Caminho("ruim.PBX");
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), arquivo));
    ProgramacaoAlterada("atual.pbx");
    ImagemAlterada = false;
    const QByteArray antes = ImagemAtual();
    ScriptedBoxes boxes;
    ScriptedFileDialogs files({arquivo});

    ComandoLerArquivo();

    ASSERT_EQ(boxes.calls.size(), 1u) << boxes.Texts().join(" | ").toStdString();
    EXPECT_TRUE(boxes.calls[0].text.startsWith("Erro ao ler o arquivo")) << boxes.calls[0].text.toStdString();
    EXPECT_EQ(ImagemAtual(), antes);
    EXPECT_EQ(ArquivoAtual, Caminho("atual.pbx"));
    EXPECT_FALSE(SemProgramacao);
    EXPECT_EQ(ItensDisponiveis, Todos(1));
    EXPECT_EQ(ItensAlterados, Com(Todos(0), ipFeriados, 1));
    EXPECT_EQ(status, "");
}

// The open dialog itself, shown for real: *.PBX lists files of either case.
TEST_F(Arquivos, TheOpenDialogListsPbxFilesOfAnyLetterCase)
{
    for (const char* nome : {"a.PBX", "b.pbx", "c.Pbx", "d.txt"})
        Grava(nome, "x");
    QStringList listados;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        QElapsedTimer tempo;
        tempo.start();
        const QModelIndex pasta = model->index(dir.path());
        while (tempo.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            listados.clear();
            for (int row = 0; row < model->rowCount(pasta); ++row)
                listados << model->index(row, 0, pasta).data().toString();
            if (listados.size() >= 4)
                break;
        }
        dialog->reject();
    });
    TOpenDialog dialogo;
    dialogo.Filter = "Programações (*.PBX)|*.PBX";
    dialogo.FileName = Caminho("a.PBX");
    EXPECT_FALSE(dialogo.Execute());
    listados.sort();
    EXPECT_EQ(listados, (QStringList{"PADRAO.PBX", "a.PBX", "b.pbx", "c.Pbx"}));
    EXPECT_EQ(QtNameFilters("Programações (*.PBX)|*.PBX|Todos|*.A;*.B"),
              (QStringList{"Programações (*.PBX)", "Todos (*.A *.B)"}));
}

} // namespace
