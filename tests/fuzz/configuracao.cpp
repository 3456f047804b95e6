// The settings file: any bytes read as TRIVANTO.INI, then the serial port
// written as the settings dialog writes it. Every read gives a value (its
// default when the file has none); the write reads back, leaves the other
// settings as they were and changes only its own line: one key line
// rewritten, or one line added (with the [Serial] header when the file had
// no such section), and at most the line ending of the file's last line.
// Input: byte 0 the port written (as a signed byte), then the file.
#include "tests/fuzz/support/fuzz.h"

#include "platform/inifiles.h"
#include "state/configuracao.h"
#include "state/registro.h"

#include <vector>

namespace {

struct Linha {
    QByteArray texto;
    QByteArray fim;
    bool operator==(const Linha&) const = default;
};

// Lines as a text editor sees them: ended by CR LF, CR or LF.
std::vector<Linha> Linhas(const QByteArray& conteudo)
{
    std::vector<Linha> linhas;
    qsizetype i = 0;
    while (i < conteudo.size()) {
        qsizetype fim = i;
        while (fim < conteudo.size() && conteudo[fim] != '\r' && conteudo[fim] != '\n')
            ++fim;
        qsizetype proxima = fim;
        if (proxima < conteudo.size())
            proxima += conteudo.mid(fim, 2) == "\r\n" ? 2 : 1;
        linhas.push_back({conteudo.mid(i, fim - i), conteudo.mid(fim, proxima - fim)});
        i = proxima;
    }
    return linhas;
}

bool ChavePorta(const QByteArray& texto, QByteArray* chave = nullptr)
{
    const qsizetype igual = texto.indexOf('=');
    if (igual <= 0)
        return false;
    const QByteArray nome = texto.left(igual).trimmed();
    if (chave)
        *chave = nome;
    return nome.toLower() == "port";
}

// The old line that ended the file without a line break, and the same line
// now ended: the only change allowed outside the port's own lines.
bool FimAcrescentado(const Linha& antes, const Linha& depois)
{
    return antes.fim.isEmpty() && !depois.fim.isEmpty() && antes.texto == depois.texto;
}

// The lines that differ between the old and the new file are the port's.
void ConfereSoALinhaDaPorta(const QByteArray& antes, const QByteArray& depois, int porta)
{
    const std::vector<Linha> a = Linhas(antes);
    const std::vector<Linha> d = Linhas(depois);
    std::size_t p = 0;
    while (p < a.size() && p < d.size() && a[p] == d[p])
        ++p;
    std::size_t s = 0;
    while (s < a.size() - p && s < d.size() - p && a[a.size() - 1 - s] == d[d.size() - 1 - s])
        ++s;
    const std::vector<Linha> velhas(a.begin() + static_cast<std::ptrdiff_t>(p), a.end() - static_cast<std::ptrdiff_t>(s));
    std::vector<Linha> novas(d.begin() + static_cast<std::ptrdiff_t>(p), d.end() - static_cast<std::ptrdiff_t>(s));
    const QByteArray valor = "=" + QByteArray::number(porta);
    if (velhas.empty() && novas.empty())
        return; // the port's line held that value already
    if (velhas.size() == 1 && novas.size() == 1 && ChavePorta(velhas[0].texto)) {
        QByteArray chave;
        ChavePorta(velhas[0].texto, &chave);
        FuzzCheck(novas[0].texto == chave + valor && novas[0].fim == velhas[0].fim, "the port's line rewritten");
        return;
    }
    std::size_t n = 0;
    if (velhas.size() == 1) {
        FuzzCheck(!novas.empty() && FimAcrescentado(velhas[0], novas[0]), "only the port's line changes");
        n = 1;
    } else {
        FuzzCheck(velhas.empty(), "only the port's line changes");
    }
    if (novas.size() == n + 2) {
        FuzzCheck(novas[n].texto == "[Serial]" && !novas[n].fim.isEmpty(), "the section added");
        ++n;
    }
    FuzzCheck(novas.size() == n + 1 && novas[n].texto == "Port" + valor && !novas[n].fim.isEmpty(),
              "the port's line added");
}

struct Leitura {
    bool gravar;
    bool isolados;
    std::uint8_t tentativas;
    QString outra;
    bool operator==(const Leitura&) const = default;
};

Leitura LeOutras(const TIniFile& ini)
{
    LeConfiguracaoTransferencia();
    return {CfgGravar, CfgIsolados, CfgTentativas,
            ini.ReadString(QStringLiteral("Serial"), QStringLiteral("Baud"), QStringLiteral("-"))};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    FuzzInit();
    DiretorioPrograma = FuzzScratchDir();
    const int porta = static_cast<std::int8_t>(data[0]);
    const QByteArray antes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    FuzzWriteFile(ArquivoConfiguracao(), antes.constData(), static_cast<std::size_t>(antes.size()));

    const TIniFile ini(ArquivoConfiguracao());
    const int lida = LePortaSerial();
    FuzzCheck(lida >= 0 && lida <= 255, "the port is a byte");
    const Leitura outras = LeOutras(ini);

    GravaPortaSerial(porta);
    FuzzCheck(ini.ReadInteger(QStringLiteral("Serial"), QStringLiteral("Port"), 1000) == porta, "the port reads back");
    FuzzCheck(LePortaSerial() == (porta & 0xFF), "the port reads back as a byte");
    FuzzCheck(LeOutras(ini) == outras, "the other settings stay");
    ConfereSoALinhaDaPorta(antes, FuzzReadFile(ArquivoConfiguracao()), porta);
    return 0;
}

// Files as the program writes them, edited by hand: other line endings,
// comments, letter case, spaces, quotes, missing sections and keys.
std::vector<std::string> FuzzSeeds()
{
    const std::string completo =
        "[Serial]\r\nPort=2\r\n[Comunica]\r\nGravar=1\r\n[Blocos]\r\nIsolados=0\r\nTentativas=3\r\n";
    return {
        "\x03" + completo,
        "\x01" "; settings\n[serial]\nport = 7\nBaud=9600\n\n[blocos]\ntentativas=5",
        "\x05" "[Comunica]\rGravar=\"1\"\r[Serial]\rBaud=9600\r",
        "\x0A" "[Blocos]\r\nIsolados=1",
        "\xFF" "[Serial]",
        "\x10" "Port=9\r\n[Serial] ; porta\r\n\r\n; Port=4\r\nPORT='12'\r\nPort=8\r\n[Serial]\r\nPort=1\r\n",
        "\x02",
    };
}
