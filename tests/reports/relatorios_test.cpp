// The reports as printed on the recording surface: the header, the pages of
// each report, every report over the template and over a filled image, and
// the values the reports print for what the editing windows store.
#include "image/grupos.h"
#include "image/layout.h"
#include "image/registro.h"
#include "image/vias.h"
#include "modules/entradas.h"
#include "platform/controls.h"
#include "reports/pagina.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/reports/impressao.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

const QString kLinhaPrograma =
    QStringLiteral("Trivanto I e Ferinox - Programação de PABX") + QString(18, QLatin1Char(' ')) + "Data: 07/03/26";

TEST(Cabecalho, ProgramLineTitleWithFileAndRuleEachBelowTheOneBefore)
{
    const auto imagem = ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {8});
    const auto textos = log.TextsOnPage(1);
    ASSERT_GE(textos.size(), 2u);
    EXPECT_EQ(textos[0].text, kLinhaPrograma);
    EXPECT_EQ(textos[0].x, 1);
    EXPECT_EQ(textos[0].y, 1);
    EXPECT_EQ(textos[0].fontSize, 16);
    // The title starts below the 16-point line's descenders, at least two
    // lines down.
    EXPECT_EQ(textos[1].text, QStringLiteral("TEMPORIZAÇÕES   /dados/clientes/loja.pbx"));
    EXPECT_EQ(textos[1].x, 1);
    EXPECT_GE(textos[1].y, textos[0].y + textos[0].height);
    EXPECT_GE(textos[1].y, 1 + 2 * kLu);
    EXPECT_EQ(textos[1].fontSize, 10);
    EXPECT_EQ(textos[1].fontName, "Ms San Serif");
    const auto linhas = log.Lines();
    ASSERT_FALSE(linhas.empty());
    EXPECT_EQ(linhas[0].x, 1);
    EXPECT_GE(linhas[0].y, textos[1].y + textos[1].height + linhas[0].penWidth / 2);
    EXPECT_GE(linhas[0].y, textos[1].y + 2 * kLu);
    EXPECT_EQ(linhas[0].x2, kLarguraTeste - 2 * kCu);
    EXPECT_EQ(linhas[0].y2, linhas[0].y);
    EXPECT_EQ(linhas[0].penWidth, 4);
}

TEST(Cabecalho, AFilePathTooLongForTheLineKeepsItsEndOnThePage)
{
    const auto imagem = ImagemDoModelo();
    const QString arquivo = QStringLiteral("/dados") + QString(300, QLatin1Char('W')) + QStringLiteral("/loja.pbx");
    PrintLog log;
    TRecordingPrinter impressora(log, kLarguraTeste, kAlturaTeste);
    ImprimeRelatorios(impressora, imagem.data(), arquivo, Selecao({8}), kDataTeste);
    const PrintedItem titulo = log.TextsOnPage(1).at(1);
    EXPECT_TRUE(titulo.text.startsWith(QString::fromUtf8("TEMPORIZAÇÕES   ..."))) << titulo.text.toStdString();
    EXPECT_TRUE(titulo.text.endsWith(QStringLiteral("W/loja.pbx")));
    EXPECT_LE(titulo.x + titulo.width, kLarguraTeste - 2 * kCu);
}

TEST(Cabecalho, NoFileLeavesTheTitleWithItsBlanks)
{
    const auto imagem = ImagemDoModelo();
    PrintLog log;
    TRecordingPrinter impressora(log, kLarguraTeste, kAlturaTeste);
    ImprimeRelatorios(impressora, imagem.data(), QString(), Selecao({2}), kDataTeste);
    EXPECT_EQ(log.TextsOnPage(1).at(1).text, QString::fromUtf8("PLANO DE NUMERAÇÃO   "));
}

// Pages of each report printed alone over the template: the title line of
// each page.
struct CasoPaginas {
    int relatorio;
    std::vector<const char*> titulos;
};

void PrintTo(const CasoPaginas& caso, std::ostream* os)
{
    *os << "report " << caso.relatorio;
}

class Paginas : public ::testing::TestWithParam<CasoPaginas> {};

TEST_P(Paginas, EachPageHasItsOwnHeaderAndTheDocumentItsBreaks)
{
    const auto imagem = ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {GetParam().relatorio});
    const auto& titulos = GetParam().titulos;
    EXPECT_EQ(log.begun, 1);
    EXPECT_EQ(log.ended, 1);
    ASSERT_EQ(log.pages, static_cast<int>(titulos.size()));
    int quebras = 0;
    for (const PrintedItem& item : log.items)
        quebras += item.kind == PrintedItem::PageBreak;
    EXPECT_EQ(quebras, log.pages - 1);
    for (int pagina = 1; pagina <= log.pages; ++pagina) {
        const auto textos = log.TextsOnPage(pagina);
        ASSERT_GE(textos.size(), 2u) << pagina;
        EXPECT_EQ(textos[0].text, kLinhaPrograma) << pagina;
        EXPECT_EQ(textos[1].text, QString::fromUtf8(titulos[static_cast<size_t>(pagina - 1)]) + "   " + kArquivoTeste)
            << pagina;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Relatorios, Paginas,
    ::testing::Values(CasoPaginas{1, {"CATEGORIA DOS RAMAIS"}}, CasoPaginas{2, {"PLANO DE NUMERAÇÃO"}},
                      CasoPaginas{3, {"CONFIGURAÇÃO DAS VIAS"}},
                      CasoPaginas{4, {"AGENDA GERAL (Pag. 1)", "AGENDA GERAL (Pag. 2)"}},
                      CasoPaginas{6, {"GRUPOS DE RAMAIS"}}, CasoPaginas{7, {"GRUPOS CHEFE-SECRETÁRIA"}},
                      CasoPaginas{8, {"TEMPORIZAÇÕES"}}, CasoPaginas{9, {"EMERGENCIA EXTERNA"}},
                      CasoPaginas{10, {"ATENDEDOR DE PORTEIRO"}}, CasoPaginas{11, {"PROGRAMAÇÕES DIVERSAS"}},
                      CasoPaginas{12, {"BLOQUEIO DE PREFIXOS"}},
                      CasoPaginas{14, {"NOTURNO AUTOMÁTICO", "ATUAÇÃO EXTERNA"}},
                      CasoPaginas{15, {"CODIGOS PARTICULARES"}}, CasoPaginas{17, {"AGENDA INDIVIDUAL"}}),
    PrintedName{});

TEST(Relatorios, AllFourteenPrintOneDocumentInOrderEachOnANewPage)
{
    const auto imagem = ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 14, 15, 17});
    EXPECT_EQ(log.begun, 1);
    EXPECT_EQ(log.ended, 1);
    QStringList titulos;
    for (int pagina = 1; pagina <= log.pages; ++pagina)
        titulos << log.TextsOnPage(pagina).at(1).text.section(QStringLiteral("   "), 0, 0);
    EXPECT_EQ(titulos, (QStringList{"CATEGORIA DOS RAMAIS", "PLANO DE NUMERAÇÃO", "CONFIGURAÇÃO DAS VIAS",
                                    "AGENDA GERAL (Pag. 1)", "AGENDA GERAL (Pag. 2)", "GRUPOS DE RAMAIS",
                                    "GRUPOS CHEFE-SECRETÁRIA", "TEMPORIZAÇÕES", "EMERGENCIA EXTERNA",
                                    "ATENDEDOR DE PORTEIRO", "PROGRAMAÇÕES DIVERSAS", "BLOQUEIO DE PREFIXOS",
                                    "NOTURNO AUTOMÁTICO", "ATUAÇÃO EXTERNA", "CODIGOS PARTICULARES",
                                    "AGENDA INDIVIDUAL"}));
}

TEST(Relatorios, NothingSelectedStillMakesAnEmptyDocumentOnlyWhenAsked)
{
    // The dialog never calls with nothing selected; the numbers that have no
    // report print nothing.
    const auto imagem = ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {5, 13, 16, 18, 19, 20});
    EXPECT_EQ(log.pages, 1);
    EXPECT_TRUE(log.items.empty());
}

// Every report over the template and over an image whose every byte is
// set: everything lands on the page, and nothing is read outside the image
// (the sanitizer build checks the reads).
struct CasoImagem {
    int relatorio;
    bool preenchida;
};

void PrintTo(const CasoImagem& caso, std::ostream* os)
{
    *os << "report " << caso.relatorio << (caso.preenchida ? " filled image" : " template");
}

class SobreImagens : public ::testing::TestWithParam<CasoImagem> {};

TEST_P(SobreImagens, EverythingPrintedLiesOnThePage)
{
    const auto imagem = GetParam().preenchida ? ImagemDeTeste() : ImagemDoModelo();
    const PrintLog log = Imprime(imagem.data(), {GetParam().relatorio});
    ASSERT_GT(log.Texts().size(), 2u);
    for (const PrintedItem& item : log.Texts()) {
        EXPECT_GE(item.x, 0) << item.text.toStdString();
        EXPECT_LT(item.x, kLarguraTeste - 2 * kCu) << item.text.toStdString();
        EXPECT_GE(item.y, 0) << item.text.toStdString();
        EXPECT_LE(item.y + kLu, kAlturaTeste) << item.text.toStdString();
    }
    for (const PrintedItem& item : log.Lines()) {
        EXPECT_GE(std::min(item.x, item.x2), 0);
        EXPECT_LE(std::max(item.x, item.x2), kLarguraTeste);
        EXPECT_GE(std::min(item.y, item.y2), 0);
        EXPECT_LE(std::max(item.y, item.y2), kAlturaTeste);
    }
}

INSTANTIATE_TEST_SUITE_P(Relatorios, SobreImagens, ::testing::ValuesIn(CasosDosRelatorios<CasoImagem>()),
                         PrintedName{});

// What a report prints for bytes as the editing windows store them.
struct CasoValor {
    const char* nome;
    int relatorio;
    std::function<void(std::uint8_t*)> grava;
    std::function<QString(const PrintLog&)> le;
    QString esperado;
};

void PrintTo(const CasoValor& caso, std::ostream* os)
{
    *os << caso.nome;
}

class Valores : public ::testing::TestWithParam<CasoValor> {};

TEST_P(Valores, PrintsWhatTheWindowStored)
{
    auto imagem = ImagemDeTeste();
    GetParam().grava(imagem.data());
    const PrintLog log = Imprime(imagem.data(), {GetParam().relatorio});
    EXPECT_EQ(GetParam().le(log), GetParam().esperado);
}

// Readers of one cell.
std::function<QString(const PrintLog&)> Linha(const char* rotulo)
{
    return [rotulo](const PrintLog& log) { return ValorDe(log, QString::fromUtf8(rotulo)); };
}

// The cell under `cabeca` on the row whose label `linha` is printed at
// x = xLinha CU (the n-th such label, from 0).
std::function<QString(const PrintLog&)> Celula(const char* ancora, const char* cabeca, const char* linha, double xLinha,
                                               int n = 0)
{
    return [=](const PrintLog& log) {
        int vistos = 0;
        for (const PrintedItem& item : Todos(log, QString::fromUtf8(linha)))
            if (item.x == static_cast<int>(kCu * xLinha) && vistos++ == n)
                return SobCabeca(log, QString::fromUtf8(ancora), QString::fromUtf8(cabeca), item);
        return QStringLiteral("(no row)");
    };
}

// The value of a labelled line on a page.
std::function<QString(const PrintLog&)> LinhaNaPagina(const char* rotulo, int pagina)
{
    return [=](const PrintLog& log) {
        for (const PrintedItem& item : log.TextsOnPage(pagina))
            if (item.text == QString::fromUtf8(rotulo)) {
                const auto resto = NaMesmaLinha(log, item);
                return resto.empty() ? QStringLiteral("(none)") : resto.front().text;
            }
        return QStringLiteral("(no label)");
    };
}

void Via(std::uint8_t* img, int via, std::initializer_list<std::pair<int, std::uint8_t>> bytes)
{
    for (auto [i, v] : bytes)
        img[OffsetVia(via) + i] = v;
}

// The mode byte of trunk 4, and the marks printed for it.
std::function<void(std::uint8_t*)> Modo(std::uint8_t modo)
{
    return [modo](std::uint8_t* img) { img[OffsetModoVia(4)] = modo; };
}

QString MarcasDaVia4(const PrintLog& log)
{
    QString marcas;
    for (const char* c : {"L", "S", "E", "B", "M", "D"})
        marcas += Celula("VIA", c, "04", 21)(log).isEmpty() ? "." : "X";
    return marcas;
}

const CasoValor kValores[] = {
    // Trunk route and direction: the mode byte as the trunk window stores it.
    {"TrunkRoute4MarkedUnder84", 3, [](std::uint8_t* img) { img[OffsetModoVia(2)] = 0x64; },
     Celula("VIA", "84", "02", 21), "X"},
    {"TrunkRoute4NotUnder83", 3, [](std::uint8_t* img) { img[OffsetModoVia(2)] = 0x64; },
     Celula("VIA", "83", "02", 21), ""},
    {"TrunkRoute0MarkedUnder0", 3, [](std::uint8_t* img) { img[OffsetModoVia(1)] = 0x68; },
     Celula("VIA", "0", "01", 21), "X"},
    {"TrunkRoute5HasNoColumn", 3, [](std::uint8_t* img) { img[OffsetModoVia(3)] = 0x65; },
     [](const PrintLog& log) {
         QString marcas;
         for (const char* c : {"0", "81", "82", "83", "84"})
             marcas += Celula("VIA", c, "03", 21)(log);
         return marcas;
     },
     ""},
    // "L" only when none of bits 5..7 is set; the marks L, S, E, B, M, D.
    {"Mode00IsALink", 3, Modo(0x00), MarcasDaVia4, "X....X"},
    {"Mode20IsOutgoing", 3, Modo(0x20), MarcasDaVia4, ".X...X"},
    {"Mode40IsIncoming", 3, Modo(0x40), MarcasDaVia4, "..X..X"},
    {"Mode60IsOutgoingAndIncoming", 3, Modo(0x60), MarcasDaVia4, ".XX..X"},
    {"Mode80IsBlockedAndNoLink", 3, Modo(0x80), MarcasDaVia4, "...X.X"},
    {"ModeE0IsEverythingButALink", 3, Modo(0xE0), MarcasDaVia4, ".XXX.X"},
    {"OutgoingMultiFrequencyTrunk", 3, [](std::uint8_t* img) { img[OffsetModoVia(1)] = 0x28; },
     [](const PrintLog& log) {
         QString marcas;
         for (const char* c : {"L", "S", "E", "B", "M", "D"})
             marcas += Celula("VIA", c, "01", 21)(log).isEmpty() ? "." : "X";
         return marcas;
     },
     ".X..X."},
    // Trunk configuration: timings are plain numbers.
    {"OverflowTimeIsAPlainNumber", 3, [](std::uint8_t* img) { Via(img, 1, {{4, 35}}); },
     Celula("VIA", "TTB", "01", 5), "35"},
    {"DialToneTimeIsAPlainNumber", 3, [](std::uint8_t* img) { Via(img, 1, {{5, 0x23}}); },
     Celula("VIA", "TTD", "01", 5), "35"},
    {"BillingStartTimeIsAPlainNumber", 3, [](std::uint8_t* img) { Via(img, 2, {{6, 0x10}}); },
     Celula("VIA", "TIB", "02", 5), "16"},
    {"AttendantDDPrintsNine", 3, [](std::uint8_t* img) { Via(img, 1, {{1, 0xDD}}); },
     Celula("VIA", "ATEND", "01", 5), "9"},
    {"AttendantExtension", 3, [](std::uint8_t* img) { Via(img, 1, {{1, 2}}); }, Celula("VIA", "ATEND", "01", 5),
     "22"},
    {"AttendantNone", 3, [](std::uint8_t* img) { Via(img, 1, {{3, kSemReferencia}}); },
     Celula("VIA", "NOTUR", "01", 5), ""},
    {"AttendantGroupSwitchedOffPrintsNothing", 3,
     [](std::uint8_t* img) {
         Via(img, 1, {{2, 0x72}});
         img[OffsetGrupo(2)] = 0x40;
     },
     Celula("VIA", "TRANS", "01", 5), ""},
    {"AttendantGroupInUse", 3,
     [](std::uint8_t* img) {
         Via(img, 1, {{2, 0x73}});
         img[OffsetGrupo(3)] = 0;
     },
     Celula("VIA", "TRANS", "01", 5), "63"},
    {"AttendantGroupOutsideTheFourIsNotLookedUp", 3, [](std::uint8_t* img) { Via(img, 2, {{1, 0x77}}); },
     Celula("VIA", "ATEND", "02", 5), "67"},
    {"AttendantGroup60", 3, [](std::uint8_t* img) { Via(img, 2, {{1, 0x70}}); }, Celula("VIA", "ATEND", "02", 5),
     "60"},
    {"OneRingToAnswer", 3, [](std::uint8_t* img) { Via(img, 1, {{7, 0x02}}); }, Celula("VIA", "TA", "01", 5), "1"},
    {"NoRingToAnswer", 3, [](std::uint8_t* img) { Via(img, 1, {{7, 0xFD}}); }, Celula("VIA", "TA", "01", 5), "0"},
    {"CallerIdentification", 3, [](std::uint8_t* img) { Via(img, 1, {{7, 0x20}}); }, Celula("VIA", "IA", "01", 5),
     "X"},
    {"FskSignalling", 3, [](std::uint8_t* img) { Via(img, 1, {{7, 0x01}}); }, Celula("VIA", "SL", "01", 5), "FSK"},
    {"LocalDigits8", 3, [](std::uint8_t* img) { Via(img, 1, {{0, 0x02}}); }, Celula("VIA", "NC", "01", 5), "8"},
    {"DigitalAttendant", 3, [](std::uint8_t* img) { Via(img, 1, {{0, 0x80}}); }, Celula("VIA", "AD", "01", 5), "X"},
    // Categories: "Rota 0" is the sub-route byte 0, "Acesso a agenda" the
    // access bit 6.
    {"RouteZeroReadsTheSubRoute", 1,
     [](std::uint8_t* img) {
         img[ofsSubRotaDiurna] = 0;
         img[ofsRotasDiurnas] = 0x1E;
     },
     Celula("RAMAL", "0", "20", 10), "X"},
    {"SubRouteThreeIsNotRouteZero", 1,
     [](std::uint8_t* img) {
         img[ofsSubRotaDiurna] = 3;
         img[ofsRotasDiurnas] = 0;
     },
     Celula("RAMAL", "0", "20", 10), ""},
    {"NightRouteZeroReadsTheNightSubRoute", 1,
     [](std::uint8_t* img) {
         img[ofsSubRotaNoturna + 1] = 0;
         img[ofsSubRotaDiurna + 1] = 0xEE;
     },
     Celula("RAMAL", "0", "21", 10, 1), "X"},
    {"AgendaAccessIsAccessBit6", 1,
     [](std::uint8_t* img) {
         img[ofsAcessoDiurno] = 0x40;
         img[ofsFlagsRamal] = 0;
     },
     Celula("RAMAL", "AA", "20", 10), "X"},
    {"FlagsBit5IsNoAgendaAccess", 1,
     [](std::uint8_t* img) {
         img[ofsAcessoDiurno] = 0;
         img[ofsFlagsRamal] = 0x20;
     },
     Celula("RAMAL", "AA", "20", 10), ""},
    {"InternationalAccess", 1, [](std::uint8_t* img) { img[ofsAcessoNoturno + 2] = 0x08; },
     Celula("RAMAL", "I", "22", 10, 1), "X"},
    {"Route83", 1, [](std::uint8_t* img) { img[ofsRotasDiurnas + 3] = 0x08; }, Celula("RAMAL", "83", "23", 10), "X"},
    {"ProtectedExtension", 1, [](std::uint8_t* img) { img[ofsFlagsRamal + 4] = 0x08; },
     Celula("RAMAL", "PT", "24", 10), "X"},
    // Groups: the type byte as the groups window stores it.
    {"GroupType0IsHierarchical", 6, [](std::uint8_t* img) { img[OffsetGrupo(1)] = 0; },
     Celula("GRUPO", "H", "1", 6), "X"},
    {"GroupOwnNumberIsDistributing", 6, [](std::uint8_t* img) { img[OffsetGrupo(3)] = 3; },
     Celula("GRUPO", "D", "3", 6), "X"},
    {"GroupType16IsMultiple", 6, [](std::uint8_t* img) { img[OffsetGrupo(2)] = 16; },
     Celula("GRUPO", "M", "2", 6), "X"},
    {"SwitchedOffGroupHasNoType", 6, [](std::uint8_t* img) { img[OffsetGrupo(4)] = 64; },
     [](const PrintLog& log) {
         return Celula("GRUPO", "D", "4", 6)(log) + Celula("GRUPO", "H", "4", 6)(log)
                + Celula("GRUPO", "M", "4", 6)(log);
     },
     ""},
    {"GroupRings", 6, [](std::uint8_t* img) { img[OffsetToquesDesvioGrupo(2)] = 5; }, Celula("GRUPO", "NT", "2", 6),
     "5"},
    {"GroupFirstMember", 6, [](std::uint8_t* img) { img[OffsetGrupo(1) + 1] = 4; },
     Celula("GRUPO", "RAMAL", "1", 6), "24"},
    {"GroupEmptyMember", 6, [](std::uint8_t* img) { img[OffsetGrupo(1) + 1] = kSemReferencia; },
     Celula("GRUPO", "RAMAL", "1", 6), ""},
    // Boss-secretary groups.
    {"SecondSecretary", 7, [](std::uint8_t* img) { img[OffsetSecretariaGrupo(3) + 1] = 11; },
     Celula("GRUPO", "SECR. 2", "3", 16), "31"},
    // Emergency and door-phone references: every code the window shows blank
    // prints "----".
    {"EmergencyInternal7A", 9, [](std::uint8_t* img) { img[3417] = 0x7A; }, Linha("Número interno emergencia 1"),
     "----"},
    {"EmergencyInternal7B", 9, [](std::uint8_t* img) { img[3417] = 0x7B; }, Linha("Número interno emergencia 1"),
     "----"},
    {"EmergencyInternalFF", 9, [](std::uint8_t* img) { img[3417] = 0xFF; }, Linha("Número interno emergencia 1"),
     "----"},
    {"EmergencyInternalNone", 9, [](std::uint8_t* img) { img[3417] = 0xBB; },
     Linha("Número interno emergencia 1"), "----"},
    {"EmergencyInternalExtension", 9, [](std::uint8_t* img) { img[3417] = 3; },
     Linha("Número interno emergencia 1"), "23"},
    {"EmergencyExtensionFF", 9, [](std::uint8_t* img) { img[3403] = 0xFF; }, Linha("Ramal de emergencia"), "----"},
    {"EmergencyExtensionGroup", 9, [](std::uint8_t* img) { img[3403] = 0x71; }, Linha("Ramal de emergencia"), "61"},
    {"EmergencyExtensionInternalBF", 9, [](std::uint8_t* img) { img[3404] = 0xBF; },
     Linha("Número interno emergencia (ramal)"), "----"},
    {"EmergencyExtensionInternal7A", 9, [](std::uint8_t* img) { img[3404] = 0x7A; },
     Linha("Número interno emergencia (ramal)"), "----"},
    {"EmergencyExternalNumber", 9,
     [](std::uint8_t* img) { CompactaNumero("0800123", img + 3418); },
     Linha("Número externo emergencia 1"), "0800123"},
    {"DoorPhoneAnswering79", 10, [](std::uint8_t* img) { img[3443] = 0x79; }, Linha("Ramal atendedor porteiro"),
     "----"},
    {"DoorPhoneAnswering7A", 10, [](std::uint8_t* img) { img[3443] = 0x7A; }, Linha("Ramal atendedor porteiro"),
     "----"},
    {"DoorPhoneAnsweringBF", 10, [](std::uint8_t* img) { img[3443] = 0xBF; }, Linha("Ramal atendedor porteiro"),
     "----"},
    // 0xFF is no "none" code of the door-phone area: the window shows the
    // group number the byte reads as.
    {"DoorPhoneAnsweringFF", 10, [](std::uint8_t* img) { img[3443] = 0xFF; }, Linha("Ramal atendedor porteiro"),
     "75"},
    {"DoorPhoneAnsweringNone", 10, [](std::uint8_t* img) { img[3443] = 0xBB; }, Linha("Ramal atendedor porteiro"),
     "----"},
    {"DoorPhoneAnsweringGroup", 10, [](std::uint8_t* img) { img[3443] = 0x72; }, Linha("Ramal atendedor porteiro"),
     "62"},
    {"DoorPhoneCommandTimeInSeconds", 10, [](std::uint8_t* img) { img[3456] = 150; },
     Linha("Tempo de comando do porteiro (seg.)"), "3"},
    // Night service: the activation the night window writes.
    {"NightOnWorkingDays", 14,
     [](std::uint8_t* img) {
         img[ofsAtivacaoNoturno] = 0x30;
         img[ofsAtivacaoAtuacao] = 0x00;
     },
     [](const PrintLog& log) {
         return LinhaNaPagina("Ativa noturno automático", 1)(log) + LinhaNaPagina("Ativa nos dias úteis", 1)(log)
                + LinhaNaPagina("Ativa todos os dias", 1)(log);
     },
     "SimSimNão"},
    {"NightEveryDay", 14,
     [](std::uint8_t* img) {
         img[ofsAtivacaoNoturno] = 0x20;
         img[ofsAtivacaoAtuacao] = 0x30;
     },
     [](const PrintLog& log) {
         return LinhaNaPagina("Ativa noturno automático", 1)(log) + LinhaNaPagina("Ativa nos dias úteis", 1)(log)
                + LinhaNaPagina("Ativa todos os dias", 1)(log);
     },
     "SimNãoSim"},
    {"NightOffWhateverTheActuationByteHolds", 14,
     [](std::uint8_t* img) {
         img[ofsAtivacaoNoturno] = 0x0C;
         img[ofsAtivacaoAtuacao] = 0x30;
     },
     LinhaNaPagina("Ativa noturno automático", 1), "Não"},
    {"ActuationOnWorkingDays", 14, [](std::uint8_t* img) { img[ofsAtivacaoAtuacao] = 0x0C; },
     [](const PrintLog& log) {
         return LinhaNaPagina("Ativa atuação", 2)(log) + LinhaNaPagina("Ativa nos dias úteis", 2)(log)
                + LinhaNaPagina("Ativa todos os dias", 2)(log);
     },
     "SimSimNão"},
    {"NightEntryTimesOnTheLeft", 14,
     [](std::uint8_t* img) {
         const std::uint8_t registro[] = {7, 30, 18, 5};
         std::copy(std::begin(registro), std::end(registro), img + OffsetHorarioNoturno(1));
     },
     Celula("NUM", "HORA", "01", 16), "18:05"},
    {"EmptyActuationTime", 14,
     [](std::uint8_t* img) {
         img[OffsetHorarioAtuacao(2)] = 0x60;
         img[OffsetHorarioAtuacao(2) + 1] = 0x60;
     },
     [](const PrintLog& log) {
         for (const PrintedItem& item : log.TextsOnPage(2))
             if (item.text == "02")
                 return SobCabeca(log, "NUM", "HORA", item);
         return QStringLiteral("(no row)");
     },
     "__:__"},
    // Speed-dial lists.
    {"Code710IsTheListsLastEntry", 17,
     [](std::uint8_t* img) {
         CompactaNumeroCurto("555", img + OffsetEntradaAgendaIndividual(1, 10));
         CompactaNumeroCurto("111", img + OffsetEntradaAgendaIndividual(1, 1));
     },
     Celula(" Ag.", "Número", "710", 2.5), "555"},
    {"Code711IsTheListsFirstEntry", 17,
     [](std::uint8_t* img) { CompactaNumeroCurto("111", img + OffsetEntradaAgendaIndividual(1, 1)); },
     Celula(" Ag.", "Número", "711", 2.5), "111"},
    {"SpeedDialRouteWithDigits", 17,
     [](std::uint8_t* img) {
         CompactaNumeroCurto("111", img + OffsetEntradaAgendaIndividual(1, 1));
         img[OffsetEntradaAgendaIndividual(1, 1)] |= 2 << 5;
     },
     Celula(" Ag.", "RT", "711", 2.5), "2"},
    {"SpeedDialRouteWithoutDigits", 17,
     [](std::uint8_t* img) {
         CompactaNumeroCurto("", img + OffsetEntradaAgendaIndividual(1, 1));
         img[OffsetEntradaAgendaIndividual(1, 1)] = 2 << 5;
     },
     Celula(" Ag.", "RT", "711", 2.5), ""},
    {"GeneralSpeedDialCategory", 4, [](std::uint8_t* img) { img[OffsetAgendaGeral(1)] = 0x80; },
     Celula("Agenda", "CAT.", "720", 6), "Sim"},
    {"GeneralSpeedDialNumberAndRoute", 4,
     [](std::uint8_t* img) {
         CompactaNumero("12345", img + OffsetAgendaGeral(2));
         img[OffsetAgendaGeral(2) + 1] |= 3 << 5;
     },
     [](const PrintLog& log) {
         return Celula("Agenda", "ROTA", "721", 6)(log) + " " + Celula("Agenda", "NÚMERO", "721", 6)(log);
     },
     "3 12345"},
    // Private codes, numbering plan, timings, miscellaneous.
    {"PrivateCodeWithoutOwner", 15, [](std::uint8_t* img) { img[OffsetDonoCodigo(1)] = kSemReferencia; },
     Celula("COD.", "RAMAL", "00", 25.5), ""},
    {"PrivateCodeOwner", 15, [](std::uint8_t* img) { img[OffsetDonoCodigo(40)] = 2; },
     Celula("COD.", "RAMAL", "39", 25.5), "22"},
    {"NumberingPlanName", 2, [](std::uint8_t*) {}, Celula("POS.", "NOME", "03", 26), "Sala 4"},
    {"FlashTime", 8, [](std::uint8_t* img) { img[3396] = 7; }, Linha("Tempo de geração de flash (x 100 ms)"), "7"},
    {"ParallelPrinter", 11, [](std::uint8_t* img) { img[3473] = 0x80; }, Linha("Tipo de impressora"), "Paralela"},
    {"MusicOnHold", 11, [](std::uint8_t* img) { img[3475] = 0x02; }, Linha("Música para espera"), "Sim"},
    {"PasswordDigits", 11, [](std::uint8_t* img) { img[3476] = 3; }, Linha("Número de dígitos da senha de ramal"),
     "3"},
};

INSTANTIATE_TEST_SUITE_P(Relatorios, Valores, ::testing::ValuesIn(kValores), PrintedName{});

// A reference byte prints as its editing window shows it: the report prints
// the combo's text, or `vazio` where the window shows blanks.
struct CasoComoJanela {
    const char* nome;
    std::function<void(std::uint8_t*)> grava;
    TEntradaModulo entrada;
    const char* combo;
    QString janela; // the combo's text, trimmed
    int relatorio;
    std::function<QString(const PrintLog&)> le;
    QString vazio;
};

void PrintTo(const CasoComoJanela& caso, std::ostream* os)
{
    *os << caso.nome;
}

class ComoJanela : public ::testing::TestWithParam<CasoComoJanela> {};

TEST_P(ComoJanela, PrintsTheReferenceAsItsWindowShowsIt)
{
    const CasoComoJanela& c = GetParam();
    auto imagem = ImagemDeTeste();
    imagem[OffsetTipoGrupo(1)] = kGrupoHierarquico;
    imagem[OffsetTipoGrupo(2)] = kGrupoDesativado;
    c.grava(imagem.data());
    QString mostrado = QStringLiteral("(window not shown)");
    auto copia = imagem;
    AbreEntrada(c.entrada, copia, [&](TForm* w) { mostrado = Find<TComboBox>(w, c.combo)->Text().trimmed(); });
    EXPECT_EQ(mostrado, c.janela);
    const PrintLog log = Imprime(imagem.data(), {c.relatorio});
    EXPECT_EQ(c.le(log), c.janela.isEmpty() ? c.vazio : c.janela);
}

std::function<void(std::uint8_t*)> Byte(int ofs, std::uint8_t valor)
{
    return [=](std::uint8_t* img) { img[ofs] = valor; };
}

constexpr int kAtendenteVia1 = OffsetVia(1) + kViaAtendente;
const QString kTracos = QStringLiteral("----");

// One case per window: the byte stored, what the window shows.
CasoComoJanela Emergencia(const char* nome, int ofs, std::uint8_t valor, const char* combo, const char* linha,
                          const char* janela)
{
    return {nome, Byte(ofs, valor), &EmergenciaExterna, combo, janela, 9, Linha(linha), kTracos};
}

CasoComoJanela Porteiro(const char* nome, std::uint8_t valor, const char* janela)
{
    return {nome, Byte(3443, valor), &AtendedoresDePorteiros, "ComboBox1", janela, 10,
            Linha("Ramal atendedor porteiro"), kTracos};
}

CasoComoJanela AtendenteVia(const char* nome, std::uint8_t valor, const char* janela)
{
    return {nome, Byte(kAtendenteVia1, valor), &ConfiguracaoDasVias, "ComboBox1", janela, 3,
            Celula("VIA", "ATEND", "01", 5), ""};
}

const CasoComoJanela kComoJanela[] = {
    // The emergency area's own "none" codes; any other byte names what it
    // holds, 0x79 too.
    Emergencia("EmergencyFirstInternal79", 3417, 0x79, "ComboBox1", "Número interno emergencia 1", "69"),
    Emergencia("EmergencyFirstInternal7B", 3417, 0x7B, "ComboBox1", "Número interno emergencia 1", ""),
    Emergencia("EmergencyFirstInternalBF", 3417, 0xBF, "ComboBox1", "Número interno emergencia 1", ""),
    Emergencia("EmergencyExtensionGroup", 3403, 0x71, "ComboBox3", "Ramal de emergencia", "61"),
    Emergencia("EmergencyExtensionInternalBF", 3404, 0xBF, "ComboBox4", "Número interno emergencia (ramal)", ""),
    Emergencia("EmergencyExtensionInternalExtension", 3404, 5, "ComboBox4", "Número interno emergencia (ramal)",
               "25"),
    // The door-phone answerer: its own codes and a switched-off group blank;
    // 0x7B and 0xFF name the groups "71" and "75" there.
    Porteiro("DoorPhoneSwitchedOffGroup", 0x72, ""),
    Porteiro("DoorPhoneProgrammedGroup", 0x71, "61"),
    Porteiro("DoorPhone79", 0x79, ""),
    Porteiro("DoorPhone7B", 0x7B, "71"),
    Porteiro("DoorPhoneFF", 0xFF, "75"),
    // A trunk's attendant: a group byte names the group of its low three
    // bits, nothing when that group is switched off.
    AtendenteVia("TrunkAttendantGroupByte79", 0x79, "61"),
    AtendenteVia("TrunkAttendantSwitchedOffGroup", 0x72, ""),
    AtendenteVia("TrunkAttendantNine", 0xDD, "9"),
    AtendenteVia("TrunkAttendantExtension", 11, "31"),
};

INSTANTIATE_TEST_SUITE_P(Relatorios, ComoJanela, ::testing::ValuesIn(kComoJanela), PrintedName{});

} // namespace
