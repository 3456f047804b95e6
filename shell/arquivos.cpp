#include "shell/arquivos.h"

#include "image/assinatura.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/formatting.h"
#include "state/registro.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

TJanelaArquivos JanelaArquivos;

namespace {

const char* const kNomePadrao = "PADRAO.PBX";
const char* const kFiltro = "Programações (*.PBX)|*.PBX";
const char* const kExtensao = "PBX";
const char* const kTituloLer = "Ler arquivo de programações";
const char* const kTituloSalvar = "Salvar arquivo de programações";
constexpr int kAjudaLer = 4300;
constexpr int kAjudaSalvar = 4600;

const char* const kCaptionInformacao = "Informação";
const char* const kCaptionErro = "Erro";
const char* const kCaptionConfirmacao = "Confirmação";
const char* const kCaptionAtencao = "Atenção";

enum class TResultadoLeitura { Valido, SemAssinatura, NaoAberto, ErroLeitura };

void Informa(const char* texto)
{
    Application->MessageBox(Texto(texto), Texto(kCaptionInformacao), MB_OK | MB_ICONEXCLAMATION);
}

void InformaErro(const char* texto)
{
    Application->MessageBox(Texto(texto), Texto(kCaptionErro), MB_OK | MB_ICONERROR);
}

void AtualizaMenus()
{
    if (JanelaArquivos.AtualizaMenus)
        JanelaArquivos.AtualizaMenus();
}

void MostraArquivo(const QString& nome)
{
    if (JanelaArquivos.MostraArquivo)
        JanelaArquivos.MostraArquivo(nome);
}

// A file marked read-only (no write permission for anyone) is refused for
// reading and for writing alike, whoever runs the program.
bool SomenteLeitura(const QFileInfo& info)
{
    return !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

void ReportaErroLeitura(const QString& nome, FileFault falha)
{
    Application->ShowException(QStringLiteral("Erro ao ler o arquivo %1 (%2).").arg(nome, FileFaultText(falha)));
}

void ReportaErroGravacao(const QString& nome, FileFault falha, bool existia)
{
    const QString resto = existia ? QStringLiteral("O arquivo não foi alterado.") : QStringLiteral("O arquivo não foi criado.");
    Application->ShowException(
        QStringLiteral("Erro ao gravar o arquivo %1 (%2). %3").arg(nome, FileFaultText(falha), resto));
}

// True when the file's own bytes carry the signature; whatever the image
// held before plays no part.
bool DadosAssinados(const QByteArray& dados)
{
    std::vector<std::uint8_t> proprios(kTamanhoImagem, 0);
    std::memcpy(proprios.data(), dados.constData(), static_cast<size_t>(dados.size()));
    return AssinaturaValida(proprios.data());
}

QString CaminhoPadrao()
{
    return DiretorioPrograma + QLatin1Char('/') + QLatin1String(kNomePadrao);
}

// What a new programming holds: the template as it is on disk, and past
// the end of a short or unusable template the factory programming.
std::vector<std::uint8_t> ProgramacaoPadrao()
{
    std::vector<std::uint8_t> padrao(ImagemPadrao(), ImagemPadrao() + kTamanhoImagem);
    QByteArray modelo;
    FileFault falha;
    if (ReadFileStart(CaminhoPadrao(), kTamanhoImagem, modelo, falha) && DadosAssinados(modelo))
        std::memcpy(padrao.data(), modelo.constData(), static_cast<size_t>(modelo.size()));
    return padrao;
}

// Reads up to one image of bytes and takes them into the image only when
// they are a programming. A short file fills its own length and the rest
// comes from the template, never from the programming it replaces; the user
// is told. A file that is refused, or a read that fails, leaves the image as
// it was.
TResultadoLeitura LeArquivo(const QString& nome)
{
    QByteArray dados;
    FileFault falha = FileFault::None;
    const bool lido = Imagem && QFileInfo(nome).isFile() && ReadFileStart(nome, kTamanhoImagem, dados, falha);
    if (!lido && falha != FileFault::IoError && falha != FileFault::Other) {
        Informa("Arquivo não encontrado.");
        return TResultadoLeitura::NaoAberto;
    }
    if (!lido) {
        ReportaErroLeitura(nome, falha);
        return TResultadoLeitura::ErroLeitura;
    }
    if (!DadosAssinados(dados))
        return TResultadoLeitura::SemAssinatura;
    const bool curto = dados.size() < kTamanhoImagem;
    if (curto) {
        const std::vector<std::uint8_t> padrao = ProgramacaoPadrao();
        std::memcpy(Imagem, padrao.data(), padrao.size());
    }
    std::copy(dados.cbegin(), dados.cend(), Imagem);
    ImagemAlterada = false;
    if (curto)
        Application->MessageBox(Texto("O arquivo tem menos bytes que uma programação completa; o restante foi "
                                      "preenchido com a programação padrão."),
                                Texto(kCaptionAtencao), MB_OK | MB_ICONEXCLAMATION);
    return TResultadoLeitura::Valido;
}

// The bytes an existing file holds after the image; a save keeps them.
bool LeCauda(const QString& nome, QByteArray& cauda, FileFault& falha)
{
    QByteArray tudo;
    if (QFileInfo(nome).size() <= kTamanhoImagem)
        return true;
    if (!ReadFileStart(nome, QFileInfo(nome).size(), tudo, falha))
        return false;
    cauda = tudo.mid(kTamanhoImagem);
    return true;
}

TResultadoGravacao GravaArquivo(const QString& nome, bool sobrescrever)
{
    if (!Imagem)
        return TResultadoGravacao::Falhou;
    const QFileInfo info(nome);
    const bool existia = info.exists();
    QByteArray cauda;
    FileFault falha = FileFault::None;
    if (existia) {
        // A read-only file, one this user may not write, or something that
        // is not a file, under that name.
        if (!info.isFile() || SomenteLeitura(info) || !info.isWritable()) {
            ReportaErroGravacao(nome, info.isFile() ? FileFault::AccessDenied : FileFault::NotAFile, true);
            return TResultadoGravacao::Falhou;
        }
        if (!sobrescrever)
            sobrescrever = Application->MessageBox(Texto("Arquivo já existe. Sobrescrever ?"), Texto(kCaptionConfirmacao),
                                                   MB_YESNO | MB_ICONQUESTION)
                           == IDYES;
        if (!sobrescrever)
            return TResultadoGravacao::NaoGravado;
        if (!LeCauda(nome, cauda, falha)) {
            ReportaErroLeitura(nome, falha);
            return TResultadoGravacao::Falhou;
        }
    }

    GravaAssinatura(Imagem);
    // A programming may hold the exchange's passwords: a new file is the
    // owner's alone.
    const QByteArray conteudo = QByteArray(reinterpret_cast<const char*>(Imagem), kTamanhoImagem) + cauda;
    if (!ReplaceFile(nome, conteudo, NewFileAccess::OwnerOnly, falha)) {
        ReportaErroGravacao(nome, falha, existia);
        return TResultadoGravacao::Falhou;
    }
    ImagemAlterada = false;
    return TResultadoGravacao::Gravado;
}

void Limpa(TFlagsItens& flags)
{
    flags.fill(0);
}

void Marca(TFlagsItens& flags)
{
    flags.fill(1);
}

void ItemCalendario(TFlagsItens& flags, std::uint8_t valor)
{
    flags[ipCalendario - 1] = valor;
}

// A good open or new: the whole programming is there and edited.
void ProgramacaoCarregada()
{
    SemProgramacao = false;
    ByteEstado = Imagem[ofsEstadoCentral];
    Marca(ItensDisponiveis);
    Marca(ItensEditados);
}

void PreparaDialogo(TFileDialogBase& dialogo, const char* titulo, int ajuda)
{
    dialogo.Title = Texto(titulo);
    dialogo.Filter = Texto(kFiltro);
    dialogo.DefaultExt = Texto(kExtensao);
    dialogo.FileName = QStringLiteral("*.PBX");
    dialogo.Options = ofHideReadOnly | ofShowHelp;
    dialogo.HelpContext = ajuda;
}

// Before the image is replaced: true when the action may go on.
bool PodeSubstituirImagem()
{
    return !ImagemAlterada || ConfirmaGravacao(ArquivoAtual) != IDCANCEL;
}

} // namespace

bool EArquivoPadrao(const QString& nome)
{
    return QFileInfo(nome).fileName().toUpper() == QLatin1String(kNomePadrao);
}

bool LeArquivoProgramacao(const QString& nome)
{
    return LeArquivo(nome) == TResultadoLeitura::Valido;
}

bool GravaArquivoProgramacao(const QString& nome, bool sobrescrever)
{
    return GravaArquivo(nome, sobrescrever) == TResultadoGravacao::Gravado;
}

int ConfirmaGravacao(const QString& nome)
{
    const int resposta = Application->MessageBox(Texto("Deseja salvar as programações ?"), Texto(kCaptionConfirmacao),
                                                 MB_YESNOCANCEL | MB_ICONQUESTION);
    if (resposta != IDYES)
        return resposta;
    if (EArquivoPadrao(nome)) {
        Informa("Arquivo padrão não pode ser alterado");
        return IDCANCEL;
    }
    // Whenever the user asked to save and nothing was saved (the dialog
    // cancelled, the replacement declined, the write failed), the pending
    // action stops and the programming stays in memory.
    if (nome.trimmed().isEmpty())
        return SalvaArquivoComo() == TResultadoGravacao::Gravado ? IDYES : IDCANCEL;
    if (!GravaArquivoProgramacao(nome, true))
        return IDCANCEL;
    Limpa(ItensAlterados);
    ImagemAlterada = false;
    return IDYES;
}

TResultadoGravacao SalvaArquivoComo()
{
    TSaveDialog dialogo;
    PreparaDialogo(dialogo, kTituloSalvar, kAjudaSalvar);
    // The current file's name, or the pattern when the programming has none.
    if (!ArquivoAtual.trimmed().isEmpty())
        dialogo.FileName = ArquivoAtual;
    TResultadoGravacao resultado = TResultadoGravacao::NaoGravado;
    while (dialogo.Execute()) {
        if (EArquivoPadrao(dialogo.FileName)) {
            Informa("Arquivo padrão não pode ser alterado");
            continue;
        }
        resultado = GravaArquivo(dialogo.FileName, false);
        if (resultado == TResultadoGravacao::Gravado) {
            MostraArquivo(dialogo.FileName);
            ArquivoAtual = dialogo.FileName;
            Limpa(ItensAlterados);
            ImagemAlterada = false;
        }
        break;
    }
    AtualizaMenus();
    return resultado;
}

void ComandoLerArquivo()
{
    if (!PodeSubstituirImagem())
        return;
    TOpenDialog dialogo;
    PreparaDialogo(dialogo, kTituloLer, kAjudaLer);
    if (!dialogo.Execute())
        return;
    const QString nome = dialogo.FileName;
    const TResultadoLeitura leitura = LeArquivo(nome);
    if (leitura == TResultadoLeitura::Valido) {
        MostraArquivo(nome);
        Limpa(ItensAlterados);
        ArquivoAtual = nome;
        ProgramacaoCarregada();
        ItemCalendario(ItensAlterados, 1);
        ItemCalendario(ItensEditados, 0);
    } else if (leitura != TResultadoLeitura::ErroLeitura) {
        // The programming in memory, its flags and its file stay as they were.
        InformaErro("Este não é um arquivo de programação do PABX");
    }
    AtualizaMenus();
}

void ComandoNovoArquivo()
{
    if (!PodeSubstituirImagem())
        return;
    const QString padrao = CaminhoPadrao();
    const TResultadoLeitura leitura = LeArquivo(padrao);
    if (leitura == TResultadoLeitura::Valido) {
        ArquivoAtual = padrao;
        MostraArquivo(ArquivoAtual);
        ProgramacaoCarregada();
        Limpa(ItensAlterados);
        ItemCalendario(ItensEditados, 0);
        AtualizaMenus();
    } else if (leitura != TResultadoLeitura::ErroLeitura) {
        InformaErro("Não foi possível abrir arquivo de programações padrão.");
    }
}

void ComandoSalvarArquivo()
{
    if (EArquivoPadrao(ArquivoAtual)) {
        Informa("Arquivo padrão não pode ser alterado");
        return;
    }
    if (ArquivoAtual.trimmed().isEmpty()) {
        SalvaArquivoComo();
        return;
    }
    if (GravaArquivoProgramacao(ArquivoAtual, true)) {
        Limpa(ItensAlterados);
        ImagemAlterada = false;
    }
}

bool PodeFecharPrograma()
{
    return PodeSubstituirImagem();
}
