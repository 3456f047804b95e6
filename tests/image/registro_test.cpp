// The field codecs: one row per rule and edge case, round trips over every
// extension number the exchange accepts, and no byte read or written outside
// the record or the image.
#include "image/conversao.h"
#include "image/layout.h"
#include "image/registro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// An image whose numbering plan holds the given texts in positions 1.., with
// every other byte set to a pattern that would show if read by mistake.
std::vector<std::uint8_t> ImagemComPlano(std::vector<std::string> plano)
{
    std::vector<std::uint8_t> imagem(kTamanhoImagem, 0x99);
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        const std::uint16_t palavra = p <= static_cast<int>(plano.size())
            ? TextoParaPalavraRamal(plano[p - 1]) : kPalavraSemNumero;
        GravaU16(imagem.data() + OffsetPalavraRamal(p), palavra);
    }
    return imagem;
}

std::vector<std::string> PlanoPadrao()
{
    std::vector<std::string> plano;
    for (int n = 20; n <= 31; ++n)
        plano.push_back(std::to_string(n));
    return plano;
}

} // namespace

TEST(Registro, NibbleParaDigito)
{
    const char esperado[16] = {' ', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', ';', '<', '=', '>', '?'};
    for (int v = 0; v < 16; ++v)
        EXPECT_EQ(NibbleParaDigito(v), esperado[v]) << v;
}

TEST(Registro, PalavraRamalParaTexto)
{
    struct Caso { std::uint16_t palavra; const char* texto; int numero; };
    const Caso casos[] = {
        {0x002A, "20", 20}, {0x0020, "02", 2}, {0x1023, "231", 231}, {0xAA2A, "2000", 2000},
        {0xF1FF, "81", 81}, {0xF2FF, "82", 82}, {0xF3FF, "83", 83}, {0xF4FF, "84", 84},
        {0xFAFF, "68", 68}, {0xFCFF, "87", 87}, {0xFDFF, "87", 87}, {0xFEFF, "87", 87},
        {0xFFFF, "87", 87}, {0x0083, "83", 83}, {0x0000, "00", 0}, {0x00BB, "", 0},
        {0x0071, "31", 71}, {0x0078, "30", 78}, {0x0005, "05", 5},
        {0x230A, "23", 23}, {0x23A1, "123", 123}, // a leading stored 0 is lost: "0123" shows "123"
        {0x0C2B, "02", 2}, {0x00B2, "00", 0},       // reading stops at a nibble that is no digit
        {0x0200, "02", 2},                           // blanks inside are dropped
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(PalavraRamalParaTexto(c.palavra), c.texto) << std::hex << c.palavra;
        EXPECT_EQ(PalavraRamalParaNumero(c.palavra), c.numero) << std::hex << c.palavra;
    }
    EXPECT_EQ(PalavraRamalParaTexto(TextoParaPalavraRamal("0123")), "123");
}

TEST(Registro, TextoParaPalavraRamal)
{
    struct Caso { const char* texto; std::uint16_t palavra; };
    const Caso casos[] = {
        {"20", 0x002A}, {"2", 0x0020}, {"231", 0x1023}, {"3099", 0x993A},
        {"87", 0xFCFF}, {"81", 0xF1FF}, {"82", 0xF2FF}, {"68", 0xFAFF},
        {"83", 0x0083}, {"84", 0x0084},
        {"", 0x0000}, {" 87", 0x7008}, {"2a3", 0x3020}, {"23456", 0x4523},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(TextoParaPalavraRamal(c.texto), c.palavra) << "'" << c.texto << "'";
}

TEST(Registro, EveryAcceptedExtensionNumberRoundTrips)
{
    // Extensions are 2 to 4 digits beginning with 2 or 3, plus the reserved
    // numbers of the plan.
    std::vector<std::string> numeros = {"68", "81", "82", "83", "84", "87"};
    for (int n = 20; n <= 3999; ++n) {
        const std::string texto = std::to_string(n);
        if (texto[0] == '2' || texto[0] == '3')
            numeros.push_back(texto);
    }
    for (const std::string& texto : numeros)
        ASSERT_EQ(PalavraRamalParaTexto(TextoParaPalavraRamal(texto)), texto);
}

TEST(Registro, GruposEReferencias)
{
    EXPECT_EQ(GrupoParaTexto(1), "61");
    EXPECT_EQ(GrupoParaTexto(0), "60");
    EXPECT_EQ(GrupoParaTexto(15), "67");

    const auto imagem = ImagemComPlano(PlanoPadrao());
    struct Caso { std::uint8_t referencia; const char* texto; };
    const Caso casos[] = {
        {0x00, "20"}, {0x0B, "31"}, {0x71, "61"}, {0x70, "60"}, {0x74, "64"}, {0x7F, "75"},
        {0xF3, "63"}, {0xBB, "     "}, {0xBC, "     "},
        // bytes that name no position show as no reference
        {0x0C, "     "}, {0x50, "     "}, {0x8B, "     "}, {0xDD, "     "}, {0xEF, "     "},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ReferenciaParaTexto(imagem.data(), c.referencia), c.texto) << std::hex << int(c.referencia);
}

TEST(Registro, TextoParaReferencia)
{
    auto imagem = ImagemComPlano(PlanoPadrao());
    GravaU16(imagem.data() + OffsetPalavraRamal(5), TextoParaPalavraRamal("231"));
    struct Caso { const char* texto; std::uint8_t referencia; bool encontrado; };
    const Caso casos[] = {
        {"20", 0, true}, {" 31 ", 11, true}, {"231", 4, true}, {"24", 0, false}, {"32", 0, false},
        {"61", 0x71, true}, {"60", 0x70, true}, {"69", 0x79, true},
        {"6", 0, true}, {"612", 0, true}, {"", 0xBB, true}, {"     ", 0xBB, true},
    };
    for (const Caso& c : casos) {
        bool encontrado = !c.encontrado;
        EXPECT_EQ(TextoParaReferencia(imagem.data(), c.texto, encontrado), c.referencia) << c.texto;
        EXPECT_EQ(encontrado, c.encontrado) << c.texto;
    }
    bool encontrado = false;
    EXPECT_THROW(TextoParaReferencia(imagem.data(), "6a", encontrado), EConvertError);

    struct CasoBranco { const char* texto; std::uint8_t referencia; };
    const CasoBranco brancos[] = {{"", 0xBB}, {"    ", 0xBB}, {"  21 ", 1}, {"99", 0}, {"62", 0x72}};
    for (const CasoBranco& c : brancos)
        EXPECT_EQ(TextoParaReferenciaOuBranco(imagem.data(), c.texto), c.referencia) << c.texto;
}

TEST(Registro, CompactaNumero)
{
    struct Caso { const char* texto; NumeroDiscagem registro; };
    const Caso casos[] = {
        {"(011) 234-5678", {0, 10, 0xA1, 0x12, 0x34, 0x56, 0x78, 0, 0, 0, 0, 0}},
        {"1234567890123456789012345", {0, 20, 0x12, 0x34, 0x56, 0x78, 0x9A, 0x12, 0x34, 0x56, 0x78, 0x9A}},
        {"", {}},
        {"abc", {}},
        {"7", {0, 1, 0x70, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"0", {0, 1, 0xA0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(CompactaNumero(c.texto), c.registro) << c.texto;
        NumeroDiscagemCurto curto{};
        std::copy(c.registro.begin() + 1, c.registro.end(), curto.begin());
        EXPECT_EQ(CompactaNumeroCurto(c.texto), curto) << c.texto;
    }
}

TEST(Registro, DescompactaNumero)
{
    struct Caso { NumeroDiscagem registro; const char* texto; };
    const Caso casos[] = {
        {{0, 10, 0xA1, 0x12, 0x34, 0x56, 0x78, 0, 0, 0, 0, 0}, "0112345678"},
        {{0, 3, 0x12, 0x34, 0x50, 0, 0, 0, 0, 0, 0, 0}, "123"},          // count 3, 5 digits held
        {{0x80, 0x62, 0x12, 0x34, 0, 0, 0, 0, 0, 0, 0, 0}, "12"},        // route 3 in bits 5..7
        {{0, 0xFF, 0x10, 0x02, 0, 0, 0, 0, 0, 0, 0, 0x0A}, "120"},       // count 31: all, gaps skipped
        {{0, 20, 0x9A, 0x9A, 0x9A, 0x9A, 0x9A, 0x9A, 0x9A, 0x9A, 0x9A, 0x9A}, "90909090909090909090"},
        {{}, ""},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(DescompactaNumero(c.registro.data()), c.texto);
        EXPECT_EQ(DescompactaNumeroCurto(c.registro.data() + 1), c.texto);
    }
}

TEST(Registro, DialRecordsStayInsideTheirRecord)
{
    std::vector<std::uint8_t> memoria(14, 0xEE);
    CompactaNumero(std::string(40, '5'), memoria.data() + 1);
    EXPECT_EQ(memoria.front(), 0xEE);
    EXPECT_EQ(memoria[13], 0xEE);
    std::fill(memoria.begin(), memoria.end(), 0xEE);
    CompactaNumeroCurto(std::string(40, '5'), memoria.data() + 1);
    EXPECT_EQ(memoria.front(), 0xEE);
    EXPECT_EQ(memoria[12], 0xEE);
    EXPECT_EQ(memoria[13], 0xEE);
}

TEST(Registro, TextoParaRota)
{
    struct Caso { const char* texto; int valor; };
    const Caso casos[] = {{"", 0}, {"   ", 0}, {"0", 0}, {" 3 ", 96}, {"7", 224}};
    for (const Caso& c : casos)
        EXPECT_EQ(TextoParaRota(c.texto), c.valor) << c.texto;
    EXPECT_THROW(TextoParaRota("a"), EConvertError);
}

// A route shows only for a number with digits; the digit count plays no
// other part.
TEST(Registro, RotaParaTexto)
{
    struct Caso { std::uint8_t contagem; const char* texto; };
    const Caso casos[] = {{0x00, ""}, {0xE0, ""}, {0x01, "0"}, {0x63, "3"}, {0xF4, "7"}, {0x1F, "0"}};
    for (const Caso& c : casos)
        EXPECT_EQ(RotaParaTexto(c.contagem), c.texto) << int(c.contagem);
}

TEST(Registro, TextoParaHoraMinuto)
{
    struct Caso { const char* texto; bool aceito; std::uint8_t hora; std::uint8_t minuto; };
    const Caso casos[] = {
        {"07:30", true, 7, 30}, {"  07:30", true, 7, 30}, {"23:59", true, 23, 59},
        {"  __:__", true, 0x60, 0x60}, {":", true, 0x60, 0x60},
        {"24:00", false, 24, 0}, {"12:60", false, 12, 60},
        {"-1:00", false, 0xFF, 0},              // a signed part is no time
        {" 7:30", false, 0xEE, 0xEE},           // 4 characters once the blank is gone
        {"", false, 0xEE, 0xEE},
        {"07:30:15", true, 7, 30},
    };
    for (const Caso& c : casos) {
        std::uint8_t bytes[3] = {0xEE, 0xEE, 0xEE};
        EXPECT_EQ(TextoParaHoraMinuto(c.texto, bytes), c.aceito) << c.texto;
        EXPECT_EQ(bytes[0], c.hora) << c.texto;
        EXPECT_EQ(bytes[1], c.minuto) << c.texto;
        EXPECT_EQ(bytes[2], 0xEE) << c.texto;
    }
    const char* naoNumeros[] = {"ab:cd", "07:3_", "__:30"};
    for (const char* texto : naoNumeros) {
        std::uint8_t bytes[2] = {1, 2};
        EXPECT_THROW(TextoParaHoraMinuto(texto, bytes), EConvertError) << texto;
        EXPECT_EQ(bytes[0], 1) << texto;
        EXPECT_EQ(bytes[1], 2) << texto;
    }
}

// The plain two-digit texts, and the time of a list, where a 0x60 in either
// byte is no time.
TEST(Registro, HorasEDatasComoTexto)
{
    struct Caso { std::uint8_t a; std::uint8_t b; const char* hora; const char* data; const char* horario; };
    const Caso casos[] = {
        {7, 5, "07:05", "07/05", "07:05"},     {25, 12, "25:12", "25/12", "25:12"},
        {0, 0, "00:00", "00/00", "00:00"},     {0x60, 0x60, "96:96", "96/96", "__:__"},
        {0x60, 30, "96:30", "96/30", "__:__"}, {7, 0x60, "07:96", "07/96", "__:__"},
        {100, 255, "10:25", "10/25", "10:25"}, {0x5F, 0x61, "95:97", "95/97", "95:97"},
    };
    for (const Caso& c : casos) {
        const std::uint8_t bytes[2] = {c.a, c.b};
        EXPECT_EQ(HoraMinutoParaTexto(bytes), c.hora);
        EXPECT_EQ(DiaMesParaTexto(bytes), c.data);
        EXPECT_EQ(HorarioParaTexto(bytes), c.horario) << int(c.a) << ' ' << int(c.b);
    }
}

TEST(Registro, DatasEHorasEmBytes)
{
    using namespace std::chrono;
    std::uint8_t bytes[3] = {};
    DataParaBytes(bytes, year{2002} / October / 31);
    EXPECT_EQ(bytes[0], 31);
    EXPECT_EQ(bytes[1], 10);
    EXPECT_EQ(bytes[2], 2);
    DataParaBytes(bytes, year{1999} / December / 1);
    EXPECT_EQ(bytes[2], 99);
    HoraParaBytes(bytes, hours{23} + minutes{59} + seconds{58} + milliseconds{999});
    EXPECT_EQ(bytes[0], 23);
    EXPECT_EQ(bytes[1], 59);
    EXPECT_EQ(bytes[2], 58);
}

TEST(Registro, BcdParaByte)
{
    struct Caso { std::uint8_t bcd; std::uint8_t valor; };
    const Caso casos[] = {{0x00, 0}, {0x09, 9}, {0x10, 10}, {0x59, 59}, {0x99, 99}, {0xFF, 165}};
    for (const Caso& c : casos)
        EXPECT_EQ(BcdParaByte(c.bcd), c.valor) << std::hex << int(c.bcd);
}

TEST(Registro, ExisteRota0)
{
    std::vector<std::uint8_t> imagem(kTamanhoImagem, 0);
    for (int t = 1; t <= 4; ++t)
        imagem[OffsetModoVia(t)] = static_cast<std::uint8_t>(0x68 | t);
    EXPECT_FALSE(ExisteRota0(imagem.data()));
    imagem[OffsetModoVia(4)] = 0xF8; // flags set, route 0
    EXPECT_TRUE(ExisteRota0(imagem.data()));
    imagem[OffsetModoVia(4)] = 0x01;
    imagem[397 + 1] = 0x00; // the reserve after the four trunks does not count
    EXPECT_FALSE(ExisteRota0(imagem.data()));
}

TEST(Registro, AnyStoredWordOrReferenceDecodesWithinThePlan)
{
    // Only plan words, groups or no reference come out: a read past the plan
    // would show the filler bytes around it.
    const auto imagem = ImagemComPlano(PlanoPadrao());
    for (int b = 0; b <= 0xFF; ++b) {
        const std::string texto = ReferenciaParaTexto(imagem.data(), static_cast<std::uint8_t>(b));
        const int n = texto == "     " ? -1 : std::stoi(texto);
        EXPECT_TRUE(n == -1 || (b < 12 && n == 20 + b) || (n >= 60 && n <= 75)) << b << " '" << texto << "'";
    }
    for (int palavra = 0; palavra <= 0xFFFF; ++palavra) {
        const std::string texto = PalavraRamalParaTexto(static_cast<std::uint16_t>(palavra));
        ASSERT_LE(texto.size(), 4u) << palavra;
        ASSERT_TRUE(std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; }))
            << palavra;
    }
}

TEST(Registro, GravaSenhaCentral)
{
    struct Caso {
        const char* texto;
        bool aceito;
        std::uint8_t primeiro, segundo; // 0xEE 0xEE: left as they were
    };
    const Caso casos[] = {
        {"123", true, 0x21, 0x23}, {"000", true, 0x2A, 0xAA}, {"907", true, 0x29, 0xA7},
        {"12", false, 0xEE, 0xEE}, {"", false, 0xEE, 0xEE},   {"1a3", false, 0xEE, 0xEE},
        {"1234", false, 0xEE, 0xEE},
    };
    for (const Caso& c : casos) {
        std::uint8_t bytes[3] = {0xEE, 0xEE, 0x55};
        EXPECT_EQ(GravaSenhaCentral(bytes, c.texto), c.aceito) << c.texto;
        EXPECT_EQ(bytes[0], c.primeiro) << c.texto;
        EXPECT_EQ(bytes[1], c.segundo) << c.texto;
        EXPECT_EQ(bytes[2], 0x55) << c.texto;
    }
}

TEST(Registro, BitsDeUmByte)
{
    struct Caso {
        std::uint8_t antes;
        int bit;
        bool ligado;
        std::uint8_t depois;
    };
    const Caso casos[] = {
        {0x00, 0, true, 0x01}, {0xFF, 7, false, 0x7F}, {0x40, 6, true, 0x40},
        {0x40, 5, false, 0x40}, {0x12, 8, true, 0x12}, {0x12, -1, false, 0x12},
    };
    for (const Caso& c : casos) {
        std::uint8_t valor = c.antes;
        AjustaBit(valor, c.bit, c.ligado);
        EXPECT_EQ(valor, c.depois) << int(c.antes) << " bit " << c.bit;
        EXPECT_EQ(BitLigado(valor, c.bit), c.bit >= 0 && c.bit <= 7 && c.ligado) << int(c.antes) << " bit " << c.bit;
    }
}

TEST(Registro, CodigosDeOperadora)
{
    struct Caso { const char* texto; bool aceito; std::uint8_t codigo; };
    const Caso casos[] = {
        {"", true, 0xAA},     {"      ", true, 0xAA}, {"5", true, 0xA5},  {"    5 ", true, 0xA5},
        {"50", true, 0x5A},   {"    21", true, 0x21}, {"09", true, 0xA9}, {"99", true, 0x99},
        {"00", false, 0x33},  {"0", false, 0x33},     {"    0 ", false, 0x33}, {"123", false, 0x33},
        {"5a", false, 0x33},  {"1 2", false, 0x33},   {"-1", false, 0x33},
    };
    for (const Caso& c : casos) {
        std::uint8_t codigo = 0x33;
        EXPECT_EQ(TextoParaOperadora(c.texto, codigo), c.aceito) << '"' << c.texto << '"';
        EXPECT_EQ(codigo, c.codigo) << '"' << c.texto << '"';
    }
}

TEST(Registro, OperadoraParaTexto)
{
    struct Caso { std::uint8_t codigo; const char* texto; };
    const Caso casos[] = {{0xAA, ""}, {0xA5, "05"}, {0x5A, "50"}, {0x21, "21"}, {0x05, "05"}, {0xBC, "1112"}};
    for (const Caso& c : casos)
        EXPECT_EQ(OperadoraParaTexto(c.codigo), c.texto) << int(c.codigo);
    // Every code a user can type reads back as typed.
    for (int d1 = 0; d1 <= 9; ++d1)
        for (int d2 = 0; d2 <= 9; ++d2) {
            const std::string texto{char('0' + d1), char('0' + d2)};
            std::uint8_t codigo = 0;
            if (TextoParaOperadora(texto, codigo))
                EXPECT_EQ(OperadoraParaTexto(codigo), texto);
            else
                EXPECT_EQ(texto, "00");
        }
}
