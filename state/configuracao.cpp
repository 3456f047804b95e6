#include "state/configuracao.h"

#include "platform/inifiles.h"
#include "state/registro.h"

namespace {

const char* const kNomeArquivo = "TRIVANTO.INI";
constexpr int kPortaPadrao = 2;
constexpr int kTentativasPadrao = 3;

// The settings are bytes: only the low 8 bits of a stored number count.
int Byte(int valor)
{
    return valor & 0xFF;
}

TIniFile Configuracao()
{
    return TIniFile(ArquivoConfiguracao());
}

} // namespace

QString ArquivoConfiguracao()
{
    return DiretorioPrograma + QLatin1Char('/') + QLatin1String(kNomeArquivo);
}

int LePortaSerial()
{
    return Byte(Configuracao().ReadInteger(QStringLiteral("Serial"), QStringLiteral("Port"), kPortaPadrao));
}

void GravaPortaSerial(int porta)
{
    Configuracao().WriteInteger(QStringLiteral("Serial"), QStringLiteral("Port"), porta);
}

void LeConfiguracaoTransferencia()
{
    const TIniFile ini = Configuracao();
    CfgGravar = ini.ReadBool(QStringLiteral("Comunica"), QStringLiteral("Gravar"), false);
    CfgIsolados = ini.ReadBool(QStringLiteral("Blocos"), QStringLiteral("Isolados"), false);
    CfgTentativas = static_cast<std::uint8_t>(
        Byte(ini.ReadInteger(QStringLiteral("Blocos"), QStringLiteral("Tentativas"), kTentativasPadrao)));
}
