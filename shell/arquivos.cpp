#include "shell/arquivos.h"

#include "image/assinatura.h"
#include "image/layout.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "shell/registro.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

enum class TResultadoLeitura { Valido, SemAssinatura, NaoAberto, ErroLeitura };

QString Texto(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

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

// Opens an existing file for reading and writing, the access the writer
// asks for.
bool AbreLeituraEscrita(QFile& arquivo)
{
    const QFileInfo info(arquivo.fileName());
    return info.isFile() && !SomenteLeitura(info) && arquivo.open(QIODevice::ReadWrite);
}

// Opens an existing file for reading only, so that a write-protected
// programming or template can still be read.
bool AbreLeitura(QFile& arquivo)
{
    return QFileInfo(arquivo.fileName()).isFile() && arquivo.open(QIODevice::ReadOnly);
}

void ReportaErroLeitura(const QString& nome, const QString& motivo)
{
    Application->ShowException(QStringLiteral("Erro ao ler o arquivo %1 (%2).").arg(nome, motivo));
}

void ReportaErroGravacao(const QString& nome, const QString& motivo, bool existia)
{
    const QString resto = existia ? QStringLiteral("O arquivo não foi alterado.") : QStringLiteral("O arquivo não foi criado.");
    Application->ShowException(QStringLiteral("Erro ao gravar o arquivo %1 (%2). %3").arg(nome, motivo, resto));
}

// True when the file's own bytes carry the signature; whatever the image
// held before plays no part.
bool DadosAssinados(const QByteArray& dados)
{
    std::vector<std::uint8_t> proprios(kTamanhoImagem, 0);
    std::memcpy(proprios.data(), dados.constData(), static_cast<size_t>(dados.size()));
    return AssinaturaValida(proprios.data());
}

// Reads up to one image of bytes and takes them into the image only when
// they are a programming; a shorter file fills only its own length. A file
// that is refused, or a read that fails, leaves the image as it was.
TResultadoLeitura LeArquivo(const QString& nome)
{
    QFile arquivo(nome);
    if (!Imagem || !AbreLeitura(arquivo)) {
        Informa("Arquivo não encontrado.");
        return TResultadoLeitura::NaoAberto;
    }
    const QByteArray dados = arquivo.read(kTamanhoImagem);
    if (arquivo.error() != QFileDevice::NoError) {
        ReportaErroLeitura(nome, arquivo.errorString());
        return TResultadoLeitura::ErroLeitura;
    }
    if (!DadosAssinados(dados))
        return TResultadoLeitura::SemAssinatura;
    std::memcpy(Imagem, dados.constData(), static_cast<size_t>(dados.size()));
    ImagemAlterada = false;
    return TResultadoLeitura::Valido;
}

// The bytes an existing file holds after the image; a save keeps them.
bool LeCauda(QFile& arquivo, QByteArray& cauda)
{
    if (arquivo.size() <= kTamanhoImagem)
        return true;
    if (!arquivo.seek(kTamanhoImagem))
        return false;
    cauda = arquivo.readAll();
    return arquivo.error() == QFileDevice::NoError;
}

// The new contents go to a temporary file beside the target, which replaces
// the target only once every byte is on disk: a failed write leaves the old
// file as it was and no half-written file behind.
bool SubstituiArquivo(const QString& nome, const QByteArray& cauda, QString& motivo)
{
    // Unbuffered, so that a short write (a full disk) shows in its count
    // rather than being lost in a later flush.
    QSaveFile saida(nome);
    const bool gravado = saida.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                         && saida.write(reinterpret_cast<const char*>(Imagem), kTamanhoImagem) == kTamanhoImagem
                         && saida.write(cauda) == cauda.size() && saida.commit();
    if (!gravado)
        motivo = saida.error() == QFileDevice::NoError ? QStringLiteral("gravação incompleta") : saida.errorString();
    return gravado;
}

TResultadoGravacao GravaArquivo(const QString& nome, bool sobrescrever)
{
    if (!Imagem)
        return TResultadoGravacao::Falhou;
    QFile existente(nome);
    const bool existia = QFileInfo::exists(nome);
    QByteArray cauda;
    if (AbreLeituraEscrita(existente)) {
        if (!sobrescrever)
            sobrescrever = Application->MessageBox(Texto("Arquivo já existe. Sobrescrever ?"), Texto(kCaptionConfirmacao),
                                                   MB_YESNO | MB_ICONQUESTION)
                           == IDYES;
        if (!sobrescrever)
            return TResultadoGravacao::NaoGravado;
        if (!LeCauda(existente, cauda)) {
            ReportaErroLeitura(nome, existente.errorString());
            return TResultadoGravacao::Falhou;
        }
        existente.close();
    } else if (existia) {
        // A read-only file, or something that is not a file, under that name.
        ReportaErroGravacao(nome, QStringLiteral("acesso negado"), true);
        return TResultadoGravacao::Falhou;
    }

    GravaAssinatura(Imagem);
    QString motivo;
    if (!SubstituiArquivo(nome, cauda, motivo)) {
        ReportaErroGravacao(nome, motivo, existia);
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
    if (nome.trimmed().isEmpty())
        return SalvaArquivoComo() == TResultadoGravacao::Falhou ? IDCANCEL : IDYES;
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
    const QString padrao = DiretorioPrograma + QLatin1Char('/') + QLatin1String(kNomePadrao);
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
