#include "image/registro.h"

#include "image/conversao.h"
#include "image/layout.h"

#include <algorithm>

namespace {

struct PalavraEspecial {
    std::uint16_t palavra;
    std::string_view texto;
};

// Words of the reserved numbers, as the exchange stores them.
constexpr PalavraEspecial kPalavrasLidas[] = {
    {kPalavraPorteiro1, "81"}, {kPalavraPorteiro2, "82"}, {kPalavraPorteiroPI, "83"}, {kPalavraPorteiro4, "84"},
    {kPalavraBuscaPessoa, "68"}, {kPalavraReservada87, "87"}, {0xFDFF, "87"}, {0xFEFF, "87"}, {0xFFFF, "87"},
};

// The reserved numbers typed in; 83 and 84 are stored as plain digits.
constexpr PalavraEspecial kPalavrasGravadas[] = {
    {kPalavraReservada87, "87"}, {kPalavraPorteiro1, "81"}, {kPalavraPorteiro2, "82"}, {kPalavraBuscaPessoa, "68"},
};

constexpr std::uint8_t kMarcaSenhaCentral = 0x20; // always set in the first byte

const std::string_view* TextoEspecial(std::uint16_t palavra)
{
    for (const PalavraEspecial& e : kPalavrasLidas)
        if (e.palavra == palavra)
            return &e.texto;
    return nullptr;
}

// Digits value of a typed character: '0' is 10, others not a digit are 0.
std::uint8_t ValorDigito(char c)
{
    if (c == '0')
        return 10;
    if (c >= '1' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    return 0;
}

// A stored byte in a two-digit field: a "0" in front below 10, and only the
// first two characters of a larger number (123 gives "12").
std::string DoisDigitosCortados(std::uint8_t valor)
{
    std::string texto = valor < 10 ? "0" + std::to_string(valor) : std::to_string(valor);
    return texto.substr(0, 2);
}

void Compacta(std::string_view texto, std::uint8_t* contagem, std::uint8_t* digitos)
{
    std::fill(contagem, digitos + 10, std::uint8_t{0});
    int n = 0;
    for (char c : texto) {
        if (!IsDigit(c))
            continue;
        if (n == 20)
            break;
        const std::uint8_t v = ValorDigito(c);
        digitos[n / 2] |= (n % 2 == 0) ? static_cast<std::uint8_t>(v << 4) : v;
        ++n;
    }
    *contagem = static_cast<std::uint8_t>(n);
}

std::string Descompacta(std::uint8_t contagem, const std::uint8_t* digitos)
{
    std::string texto;
    for (int k = 0; k < 20; ++k) {
        const int nibble = (k % 2 == 0) ? digitos[k / 2] >> 4 : digitos[k / 2] & 0x0F;
        if (nibble != 0)
            texto += NibbleParaDigito(nibble);
    }
    return texto.substr(0, std::min<std::size_t>(texto.size(), contagem & 31));
}

std::string SemBrancos(std::string_view texto)
{
    std::string saida;
    for (char c : texto)
        if (c != ' ')
            saida += c;
    return saida;
}

} // namespace

char NibbleParaDigito(int nibble)
{
    nibble &= 0x0F;
    if (nibble == 10)
        return '0';
    if (nibble == 0)
        return ' ';
    return static_cast<char>(nibble + 48);
}

int PalavraRamalParaNumero(std::uint16_t palavra)
{
    if (const std::string_view* especial = TextoEspecial(palavra))
        return StrToInt(*especial);
    const int nibbles[4] = {(palavra >> 4) & 0x0F, palavra & 0x0F, (palavra >> 12) & 0x0F,
                            (palavra >> 8) & 0x0F};
    int numero = 0;
    for (int nibble : nibbles) {
        const char c = NibbleParaDigito(nibble);
        if (c == ' ')
            continue;
        if (!IsDigit(c))
            break;
        numero = numero * 10 + (c - '0');
    }
    return numero;
}

std::string PalavraRamalParaTexto(std::uint16_t palavra)
{
    if (const std::string_view* especial = TextoEspecial(palavra))
        return std::string(*especial);
    if (palavra == kPalavraSemNumero)
        return "";
    if (palavra == 0x0071 || palavra == 0x0078)
        return FormatInt("00", (palavra & 7) + 30);
    return FormatInt("#00", PalavraRamalParaNumero(palavra));
}

std::uint16_t TextoParaPalavraRamal(std::string_view texto)
{
    for (const PalavraEspecial& e : kPalavrasGravadas)
        if (e.texto == texto)
            return e.palavra;
    std::uint8_t d[4] = {0, 0, 0, 0};
    for (std::size_t k = 0; k < 4 && k < texto.size(); ++k)
        d[k] = ValorDigito(texto[k]);
    const auto primeiro = static_cast<std::uint16_t>((d[0] << 4) | d[1]);
    const auto segundo = static_cast<std::uint16_t>((d[2] << 4) | d[3]);
    return static_cast<std::uint16_t>(primeiro | (segundo << 8));
}

std::string GrupoParaTexto(int grupo)
{
    return FormatInt("00", (grupo & 7) + 60);
}

std::uint8_t TextoParaReferencia(const std::uint8_t* imagem, std::string_view texto, bool& encontrado)
{
    encontrado = true;
    const std::string_view limpo = Trim(texto);
    if (!limpo.empty() && limpo.front() == '6') {
        if (limpo.size() != 2)
            return 0;
        return static_cast<std::uint8_t>(kReferenciaGrupo + StrToInt(limpo.substr(1, 1)));
    }
    if (limpo.empty())
        return kSemReferencia;
    const std::uint16_t palavra = TextoParaPalavraRamal(limpo);
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (LeU16(imagem + OffsetPalavraRamal(p)) == palavra)
            return static_cast<std::uint8_t>(p - 1);
    encontrado = false;
    return 0;
}

std::uint8_t TextoParaReferenciaOuBranco(const std::uint8_t* imagem, std::string_view texto)
{
    if (texto.empty() || texto == "    ")
        return kSemReferencia;
    bool encontrado = false;
    return TextoParaReferencia(imagem, texto, encontrado);
}

std::string ReferenciaParaTexto(const std::uint8_t* imagem, std::uint8_t referencia)
{
    const std::string brancos(5, ' ');
    if (referencia == kSemReferencia || referencia == kSemReferenciaAlternativa)
        return brancos;
    if ((referencia & 0x70) != 0x70) {
        // A byte beyond the twelve positions names nothing; reading on would
        // show bytes of the areas after the numbering plan as a number.
        if (referencia >= kPosicoesRamal)
            return brancos;
        return PalavraRamalParaTexto(LeU16(imagem + OffsetPalavraRamal(referencia + 1)));
    }
    return FormatInt("00", (referencia & 15) + 60);
}

NumeroDiscagem CompactaNumero(std::string_view texto)
{
    NumeroDiscagem registro{};
    CompactaNumero(texto, registro.data());
    return registro;
}

void CompactaNumero(std::string_view texto, std::uint8_t* registro12)
{
    registro12[0] = 0;
    Compacta(texto, registro12 + 1, registro12 + 2);
}

NumeroDiscagemCurto CompactaNumeroCurto(std::string_view texto)
{
    NumeroDiscagemCurto registro{};
    CompactaNumeroCurto(texto, registro.data());
    return registro;
}

void CompactaNumeroCurto(std::string_view texto, std::uint8_t* registro11)
{
    Compacta(texto, registro11, registro11 + 1);
}

std::string DescompactaNumero(const std::uint8_t* registro12)
{
    return Descompacta(registro12[1], registro12 + 2);
}

std::string DescompactaNumeroCurto(const std::uint8_t* registro11)
{
    return Descompacta(registro11[0], registro11 + 1);
}

std::string RotaParaTexto(std::uint8_t contagem)
{
    return DigitosDoNumero(contagem) != 0 ? std::to_string(RotaDoNumero(contagem)) : std::string();
}

int TextoParaRota(std::string_view texto)
{
    const std::string_view limpo = Trim(texto);
    if (limpo.empty())
        return 0;
    return static_cast<int>(static_cast<unsigned>(StrToInt(limpo)) << 5);
}

bool TextoParaHoraMinuto(std::string_view texto, std::uint8_t* bytes2)
{
    const std::string limpo = SemBrancos(texto);
    if (limpo == kTextoSemHorario || limpo == ":") {
        bytes2[0] = kSemHorario;
        bytes2[1] = kSemHorario;
        return true;
    }
    if (limpo.size() < 5)
        return false;
    const int hora = StrToInt(std::string_view(limpo).substr(0, 2));
    const int minuto = StrToInt(std::string_view(limpo).substr(3, 2));
    bytes2[0] = static_cast<std::uint8_t>(hora);
    bytes2[1] = static_cast<std::uint8_t>(minuto);
    // A signed part ("-1") is no time either, though it is below 24.
    return hora >= 0 && hora < 24 && minuto >= 0 && minuto < 60;
}

std::string HoraMinutoParaTexto(std::uint8_t primeiro, std::uint8_t segundo)
{
    return DoisDigitosCortados(primeiro) + ":" + DoisDigitosCortados(segundo);
}

std::string HoraMinutoParaTexto(const std::uint8_t* bytes2)
{
    return HoraMinutoParaTexto(bytes2[0], bytes2[1]);
}

std::string HorarioParaTexto(const std::uint8_t* horaMinuto)
{
    if (horaMinuto[0] == kSemHorario || horaMinuto[1] == kSemHorario)
        return std::string(kTextoSemHorario);
    return HoraMinutoParaTexto(horaMinuto);
}

std::string DiaMesParaTexto(std::uint8_t primeiro, std::uint8_t segundo)
{
    return DoisDigitosCortados(primeiro) + "/" + DoisDigitosCortados(segundo);
}

std::string DiaMesParaTexto(const std::uint8_t* bytes2)
{
    return DiaMesParaTexto(bytes2[0], bytes2[1]);
}

void DataParaBytes(std::uint8_t* bytes3, std::chrono::year_month_day data)
{
    const int ano = static_cast<int>(data.year());
    bytes3[0] = static_cast<std::uint8_t>(static_cast<unsigned>(data.day()));
    bytes3[1] = static_cast<std::uint8_t>(static_cast<unsigned>(data.month()));
    bytes3[2] = static_cast<std::uint8_t>((ano % 100 + 100) % 100);
}

void HoraParaBytes(std::uint8_t* bytes3, std::chrono::milliseconds horaDoDia)
{
    const std::chrono::hh_mm_ss<std::chrono::milliseconds> partes(horaDoDia);
    bytes3[0] = static_cast<std::uint8_t>(partes.hours().count());
    bytes3[1] = static_cast<std::uint8_t>(partes.minutes().count());
    bytes3[2] = static_cast<std::uint8_t>(partes.seconds().count());
}

std::string OperadoraParaTexto(std::uint8_t codigo)
{
    if (codigo == kSemOperadora)
        return {};
    std::string texto;
    for (int nibble : {codigo >> 4, codigo & 0x0F})
        texto += nibble == 10 ? std::string("0") : std::to_string(nibble);
    return texto;
}

bool TextoParaOperadora(std::string_view texto, std::uint8_t& codigo)
{
    const auto inicio = texto.find_first_not_of(' ');
    if (inicio == std::string_view::npos) {
        codigo = kSemOperadora;
        return true;
    }
    std::string digitos(texto.substr(inicio, texto.find_last_not_of(' ') + 1 - inicio));
    if (digitos.size() == 1)
        digitos.insert(digitos.begin(), '0');
    if (digitos.size() != 2 || digitos == "00" || !SoDigitos(digitos))
        return false;
    codigo = static_cast<std::uint8_t>(ValorDigito(digitos[0]) << 4 | ValorDigito(digitos[1]));
    return true;
}

std::uint8_t BcdParaByte(std::uint8_t bcd)
{
    return static_cast<std::uint8_t>((bcd >> 4) * 10 + (bcd & 0x0F));
}

bool ExisteRota0(const std::uint8_t* imagem)
{
    for (int t = 1; t <= Area("ModoVias").registros; ++t)
        if ((imagem[OffsetModoVia(t)] & 0x07) == 0)
            return true;
    return false;
}

bool GravaSenhaCentral(std::uint8_t* bytes2, std::string_view tresDigitos)
{
    if (tresDigitos.size() != 3 || !SoDigitos(tresDigitos))
        return false;
    bytes2[0] = static_cast<std::uint8_t>(kMarcaSenhaCentral | ValorDigito(tresDigitos[0]));
    bytes2[1] = static_cast<std::uint8_t>(ValorDigito(tresDigitos[1]) << 4 | ValorDigito(tresDigitos[2]));
    return true;
}

bool BitLigado(std::uint8_t valor, int bit)
{
    return bit >= 0 && bit <= 7 && (valor >> bit & 1) != 0;
}

void AjustaBit(std::uint8_t& valor, int bit, bool ligado)
{
    if (bit < 0 || bit > 7)
        return;
    const auto mascara = static_cast<std::uint8_t>(1u << bit);
    valor = ligado ? static_cast<std::uint8_t>(valor | mascara) : static_cast<std::uint8_t>(valor & ~mascara);
}

int RechamadaTronco(std::uint8_t tempos)
{
    return tempos >> 4;
}

int RechamadaRamal(std::uint8_t tempos)
{
    return tempos & 0x0F;
}

void GravaRechamada(std::uint8_t& tempos, bool tronco, int segundos)
{
    const auto nibble = static_cast<std::uint8_t>(segundos & 0x0F);
    tempos = static_cast<std::uint8_t>(tronco ? (tempos & 0x0F) | (nibble << 4) : (tempos & 0xF0) | nibble);
}

bool SenhaProgramada(const std::uint8_t* senha2)
{
    return (senha2[0] & kSenhaApagada) != kSenhaApagada && (senha2[1] & kSenhaApagada) != kSenhaApagada;
}

void ApagaSenha(std::uint8_t* senha2)
{
    senha2[0] = kSenhaApagada;
    senha2[1] = kSenhaApagada;
}

int CodigoParticularDoRamal(const std::uint8_t* imagem, int posicao)
{
    const AreaImagem& donos = Area("DonosCodigoParticular");
    for (int j = 1; j <= donos.registros; ++j)
        if (imagem[OffsetDonoCodigo(j)] == posicao - 1)
            return j;
    return 0;
}
