#include "users/arquivousuarios.h"

#include "image/cp1252.h"
#include "image/layout.h"
#include "platform/application.h"
#include "platform/files.h"
#include "state/registro.h"

#include <QDir>
#include <QFile>

#include <algorithm>

TRegistroUsuarios RegistroUsuarios{};

// The keys were chosen once: 4 x 4 matrices with entries drawn from 1..99
// until the determinant (4313535) was prime to 236, i.e. odd and not a
// multiple of 59; the read key is the adjugate times the inverse of the
// determinant, modulo 236. With every entry of the write key non-negative
// the sums of a block are never negative, so the shifted codes 1..236 of
// the characters 20..255 come back unchanged.
const TChaveCifra ChaveGravacao = {{
    {35, 40, 62, 84},
    {31, 7, 51, 53},
    {78, 79, 89, 44},
    {67, 68, 41, 28},
}};
const TChaveCifra ChaveLeitura = {{
    {93, 224, 104, 86},
    {131, 108, 47, 3},
    {153, 164, 140, 199},
    {213, 209, 199, 212},
}};

namespace {

constexpr int kModulo = 236;
constexpr std::uint8_t kDeslocamento = 19;
constexpr std::size_t kBytesSomados = kCampoChecksum.inicio;

// The string fields: a length byte, then up to `tamanho - 1` characters.
const CampoUsuarios* const kCamposTexto[] = {&kCampoNomes, &kCampoSenhas};

constexpr std::size_t MaximoDe(const CampoUsuarios& campo)
{
    return campo.tamanho - 1;
}

bool UsuarioValido(int usuario)
{
    return usuario >= 1 && usuario <= kMaxUsuarios;
}

std::string LeTexto(const TRegistroUsuarios& registro, const CampoUsuarios& campo, int usuario)
{
    if (!UsuarioValido(usuario))
        return {};
    const std::size_t slot = campo.Slot(usuario);
    const std::size_t tamanho = std::min<std::size_t>(registro[slot], MaximoDe(campo));
    return std::string(reinterpret_cast<const char*>(&registro[slot + 1]), tamanho);
}

void PoeTexto(TRegistroUsuarios& registro, const CampoUsuarios& campo, int usuario, std::string_view texto)
{
    if (!UsuarioValido(usuario))
        return;
    const std::size_t slot = campo.Slot(usuario);
    const std::size_t tamanho = std::min(texto.size(), MaximoDe(campo));
    std::fill_n(registro.begin() + static_cast<std::ptrdiff_t>(slot), campo.tamanho, std::uint8_t{0});
    registro[slot] = static_cast<std::uint8_t>(tamanho);
    std::copy_n(texto.begin(), tamanho, registro.begin() + static_cast<std::ptrdiff_t>(slot + 1));
}

// The record's words are little-endian, as the image's.
std::uint16_t LePalavra(const TRegistroUsuarios& registro, std::size_t offset)
{
    return LeU16(registro.data() + offset);
}

void GravaPalavra(TRegistroUsuarios& registro, std::size_t offset, std::uint16_t valor)
{
    GravaU16(registro.data() + offset, valor);
}

// Sets every name and password of the record again through `muda`; setting
// bounds the length and clears the bytes after the text.
template <typename Muda>
void RefazTextos(TRegistroUsuarios& registro, Muda muda)
{
    for (const CampoUsuarios* campo : kCamposTexto)
        for (int k = 1; k <= kMaxUsuarios; ++k)
            PoeTexto(registro, *campo, k, muda(LeTexto(registro, *campo, k)));
}

} // namespace

std::string NomeUsuario(const TRegistroUsuarios& registro, int usuario)
{
    return LeTexto(registro, kCampoNomes, usuario);
}

std::string SenhaUsuario(const TRegistroUsuarios& registro, int usuario)
{
    return LeTexto(registro, kCampoSenhas, usuario);
}

TPermissoesAcesso DireitosDoUsuario(const TRegistroUsuarios& registro, int usuario)
{
    return UsuarioValido(usuario) ? LePalavra(registro, kCampoDireitos.Slot(usuario)) : 0;
}

void PoeNomeUsuario(TRegistroUsuarios& registro, int usuario, std::string_view nome)
{
    PoeTexto(registro, kCampoNomes, usuario, nome);
}

void PoeSenhaUsuario(TRegistroUsuarios& registro, int usuario, std::string_view senha)
{
    PoeTexto(registro, kCampoSenhas, usuario, senha);
}

void PoeDireitosDoUsuario(TRegistroUsuarios& registro, int usuario, TPermissoesAcesso direitos)
{
    if (UsuarioValido(usuario))
        GravaPalavra(registro, kCampoDireitos.Slot(usuario), direitos);
}

QString TextoGuardado(std::string_view bytes)
{
    return QString::fromStdString(Cp1252ParaUtf8(bytes));
}

bool CaractereAceito(QChar caractere)
{
    const std::optional<std::uint8_t> codigo = UnicodeParaCp1252(caractere.unicode());
    return !caractere.isSurrogate() && codigo && *codigo >= 32;
}

std::optional<std::string> TextoParaGuardar(const QString& texto)
{
    std::string bytes;
    for (QChar c : texto) {
        if (!CaractereAceito(c))
            return std::nullopt;
        bytes.push_back(static_cast<char>(*UnicodeParaCp1252(c.unicode())));
    }
    return bytes;
}

std::uint16_t SomaRegistroUsuarios(const TRegistroUsuarios& registro)
{
    unsigned soma = 0;
    for (std::size_t i = 0; i < kBytesSomados; ++i)
        soma += registro[i];
    return static_cast<std::uint16_t>(soma & 0xFFFF);
}

std::uint16_t ChecksumRegistroUsuarios(const TRegistroUsuarios& registro)
{
    return LePalavra(registro, kCampoChecksum.inicio);
}

TBlocoCifra CifraBloco(int modo, const TBlocoCifra& bloco)
{
    const TChaveCifra& chave = modo == kCifra ? ChaveGravacao : ChaveLeitura;
    TBlocoCifra saida{};
    for (std::size_t i = 0; i < 4; ++i) {
        std::int64_t soma = 0;
        for (std::size_t j = 0; j < 4; ++j)
            soma += static_cast<std::int64_t>(chave[i][j]) * bloco[j];
        std::int64_t resto = soma % kModulo;
        // Deciphering takes the residue in 1..236, so that a shifted code of
        // 236 (character 255) comes back.
        if (modo != kCifra && resto <= 0)
            resto += kModulo;
        saida[i] = static_cast<std::uint8_t>(resto);
    }
    return saida;
}

std::string CifraTexto(int modo, std::string_view texto)
{
    std::string saida(texto);
    const auto desloca = [modo](char& c) {
        const int delta = modo == kCifra ? -kDeslocamento : kDeslocamento;
        c = static_cast<char>(static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) + delta));
    };
    for (std::size_t inicio = 0; inicio < saida.size(); inicio += 4) {
        const std::size_t tamanho = std::min<std::size_t>(4, saida.size() - inicio);
        char* pedaco = saida.data() + inicio;
        if (modo == kCifra)
            std::for_each(pedaco, pedaco + tamanho, desloca);
        if (tamanho == 4) {
            TBlocoCifra bloco{};
            std::copy_n(reinterpret_cast<const std::uint8_t*>(pedaco), 4, bloco.begin());
            bloco = CifraBloco(modo, bloco);
            std::copy_n(bloco.begin(), 4, reinterpret_cast<std::uint8_t*>(pedaco));
        }
        if (modo != kCifra)
            std::for_each(pedaco, pedaco + tamanho, desloca);
    }
    return saida;
}

TRegistroUsuarios RegistroParaArquivo(TRegistroUsuarios& plano)
{
    RefazTextos(plano, [](const std::string& texto) { return texto; });
    GravaPalavra(plano, kCampoChecksum.inicio, SomaRegistroUsuarios(plano));
    TRegistroUsuarios cifrado = plano;
    RefazTextos(cifrado, [](const std::string& texto) { return CifraTexto(kCifra, texto); });
    return cifrado;
}

int RegistroDoArquivo(const std::uint8_t* dados, std::size_t tamanho, TRegistroUsuarios& plano)
{
    TRegistroUsuarios lido{};
    const std::size_t copiados = std::min(tamanho, lido.size());
    if (dados && copiados > 0)
        std::copy_n(dados, copiados, lido.begin());
    // Lengths are bounded to the field before deciphering; the bytes after
    // them stay as read, so the checksum sees the record as it was written.
    for (const CampoUsuarios* campo : kCamposTexto)
        for (int k = 1; k <= kMaxUsuarios; ++k) {
            const std::size_t slot = campo->Slot(k);
            lido[slot] = static_cast<std::uint8_t>(std::min<std::size_t>(lido[slot], MaximoDe(*campo)));
            const std::string claro = CifraTexto(kDecifra, LeTexto(lido, *campo, k));
            std::copy(claro.begin(), claro.end(), lido.begin() + static_cast<std::ptrdiff_t>(slot + 1));
        }
    plano = lido;
    const bool inteiro = tamanho >= kTamanhoRegistroUsuarios;
    return inteiro && SomaRegistroUsuarios(lido) == ChecksumRegistroUsuarios(lido) ? 0 : 1;
}

QString CaminhoArquivoUsuarios()
{
    return DiretorioPrograma + QStringLiteral("/TRIVANTO.DAD");
}

int LeArquivoUsuarios()
{
    QFile arquivo(CaminhoArquivoUsuarios());
    if (!arquivo.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray dados = arquivo.read(static_cast<qint64>(kTamanhoRegistroUsuarios));
    return RegistroDoArquivo(reinterpret_cast<const std::uint8_t*>(dados.constData()),
                             static_cast<std::size_t>(dados.size()), RegistroUsuarios);
}

bool GravaRegistroUsuarios()
{
    const TRegistroUsuarios cifrado = RegistroParaArquivo(RegistroUsuarios);
    // The file holds the passwords: created new, it is the owner's alone.
    FileFault falha;
    const bool gravou = ReplaceFile(CaminhoArquivoUsuarios(),
                                    QByteArray(reinterpret_cast<const char*>(cifrado.data()),
                                               static_cast<qsizetype>(cifrado.size())),
                                    NewFileAccess::OwnerOnly, falha);
    if (!gravou)
        Application->MessageBox(QStringLiteral("Não foi possível gravar o arquivo de usuários %1 (%2).")
                                    .arg(QDir::toNativeSeparators(CaminhoArquivoUsuarios()), FileFaultText(falha)),
                                QStringLiteral("Erro"), MB_OK | MB_ICONSTOP);
    return gravou;
}
