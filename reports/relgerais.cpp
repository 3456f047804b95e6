// The exchange-wide reports: general speed-dial list, timings, external
// emergency, door-phone answering, miscellaneous programmings, and the night
// service and external actuation schedules.
#include "image/emergencia.h"
#include "image/layout.h"
#include "image/porteiro.h"
#include "image/registro.h"
#include "platform/formatting.h"
#include "reports/conteudo.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kEntradasPorPagina = 40;
// Agenda, CAT., ROTA, NÚMERO, NOME: where each column's text starts and the
// borders between them; the name column holds 20 wide letters.
constexpr double kColunasAgenda[] = {5, 15, 23, 31, 55};
constexpr double kBordasAgenda[] = {4, 14, 22, 30, 54, 90};
constexpr const char* kCabecasAgenda[] = {"Agenda", "CAT.", "ROTA", "NÚMERO", "NOME"};

// A label and its value on one line; the value ends before the page's right
// margin, centred on the label's line when it has to shrink.
void LinhaRotulada(TPagina& p, int xRotulo, int xValor, const char* rotulo, const QString& valor)
{
    p.Texto(xRotulo, p.Y, rotulo);
    TextoNaCelula(p, xValor, p.Y - kFolgaRegua, p.AlturaTexto() + 2 * kFolgaRegua, p.W - 2 * p.CU, valor);
}

// Where the values of labelled lines start: at x, or one column unit past
// the widest label when a label reaches further.
template <typename Linhas, typename Rotulo>
int ColunaDosValores(const TPagina& p, int xRotulo, int x, const Linhas& linhas, Rotulo rotulo)
{
    for (const auto& linha : linhas)
        x = std::max(x, xRotulo + p.LarguraTexto(QString::fromUtf8(rotulo(linha))) + p.CU);
    return x;
}

} // namespace

void ImprimeAgendaGeral(TPagina& p, int pagina)
{
    IniciaRelatorio(p, 4, pagina == 1 ? stPagina1 : stPagina2, 1);
    const int alturaLinha = p.Lu(2.2);
    const int topo = p.Y;
    auto celula = [&](int c, int dx, int y, const QString& texto) {
        TextoNaCelula(p, p.Cu(kColunasAgenda[c]) + dx, y, alturaLinha, p.Cu(kBordasAgenda[c + 1]), texto);
    };
    p.Fonte(12);
    for (size_t c = 0; c < std::size(kCabecasAgenda); ++c)
        celula(static_cast<int>(c), 0, topo, QString::fromUtf8(kCabecasAgenda[c]));
    p.Fonte(10);
    const int primeira = (pagina - 1) * kEntradasPorPagina + 1;
    for (int linha = 1; linha <= kEntradasPorPagina; ++linha) {
        const int entrada = primeira + linha - 1;
        const std::uint8_t* registro = p.Imagem + OffsetAgendaGeral(entrada);
        const int y = topo + alturaLinha * linha;
        celula(0, p.CU, y, QString::number(719 + entrada));
        celula(1, 0, y, SimNao(registro[0] & 0x80));
        celula(2, p.CU, y, QString::fromStdString(RotaParaTexto(registro[1])));
        celula(3, 0, y, TextoNumero(registro));
        celula(4, 0, y, TextoNome(p.Imagem + OffsetNomeAgendaGeral(entrada)));
    }
    std::vector<int> bordas;
    for (double x : kBordasAgenda)
        bordas.push_back(p.Cu(x));
    TracaGrade(p, bordas, topo, alturaLinha, kEntradasPorPagina + 1);
    p.Y = topo + alturaLinha * (kEntradasPorPagina + 1);
}

namespace {

struct TLinhaTemporizacao {
    const char* rotulo;
    int offset;
};

constexpr TLinhaTemporizacao kTemporizacoes[] = {
    {"Tempo de geração de flash (x 100 ms)", ofsValoresTemporizacao + 0},
    {"Tempo comando atuação 1 (seg.)", ofsValoresTemporizacao + 3},
    {"Tempo entre tentativas rechamada (min.)", ofsValoresTemporizacao + 6},
    {"Número de toques do despertador", ofsValoresTemporizacao + 1},
    {"Número de toques de rechamada", ofsValoresTemporizacao + 2},
    {"Número de tentativas rechamada externa", ofsValoresTemporizacao + 5},
};

} // namespace

void ImprimeTemporizacoes(TPagina& p)
{
    IniciaRelatorio(p, 8, stNenhum, 3);
    p.Fonte(14);
    const int x = 10 * p.CU;
    const int xValor =
        ColunaDosValores(p, x, x + 50 * p.CU, kTemporizacoes, [](const TLinhaTemporizacao& l) { return l.rotulo; });
    for (const TLinhaTemporizacao& linha : kTemporizacoes) {
        LinhaRotulada(p, x, xValor, linha.rotulo, QString::number(p.Imagem[linha.offset]));
        AvancaLinhas(p, 4);
    }
}

namespace {

// A label and the value printed beside it.
struct TLinhaRotulada {
    const char* rotulo;
    QString valor;
};

// One labelled line every four line units, as the one-area reports print.
template <std::size_t N>
void ImprimeLinhasRotuladas(TPagina& p, int xRotulo, int x, const TLinhaRotulada (&linhas)[N])
{
    const int xValor = ColunaDosValores(p, xRotulo, x, linhas, [](const TLinhaRotulada& l) { return l.rotulo; });
    for (const TLinhaRotulada& linha : linhas) {
        LinhaRotulada(p, xRotulo, xValor, linha.rotulo, linha.valor);
        AvancaLinhas(p, 4);
    }
}

} // namespace

void ImprimeEmergenciaExterna(TPagina& p)
{
    IniciaRelatorio(p, 9, stNenhum, 3);
    p.Fonte(14);
    const std::uint8_t* img = p.Imagem;
    const TLinhaRotulada linhas[] = {
        {"Número interno emergencia 1",
         OuTracos(ReferenciaEmergenciaParaTexto(img, img[ofsInternoEmergencia], false))},
        {"Número externo emergencia 1", TextoNumero(img + ofsExternoEmergencia)},
        {"Ramal de emergencia", OuTracos(ReferenciaEmergenciaParaTexto(img, img[ofsRamalEmergencia], false))},
        {"Número interno emergencia (ramal)",
         OuTracos(ReferenciaEmergenciaParaTexto(img, img[ofsInternoRamalEmergencia], true))},
        {"Número externo emergencia (ramal)", TextoNumero(img + ofsExternoRamalEmergencia)},
    };
    ImprimeLinhasRotuladas(p, 20 * p.CU, 62 * p.CU, linhas);
}

void ImprimeAtendedorPorteiro(TPagina& p)
{
    IniciaRelatorio(p, 10, stNenhum, 3);
    p.Fonte(14);
    const std::uint8_t* img = p.Imagem;
    const TLinhaRotulada linhas[] = {
        {"Ramal atendedor porteiro", OuTracos(ReferenciaAtendedorParaTexto(img, img[ofsAtendentePorteiro]))},
        {"Tempo de comando do porteiro (seg.)", QString::number(img[ofsTempoComandoPorteiro] / 50)},
        {"Tempo espera atendimento porteiro (seg.)", QString::number(img[ofsTempoEsperaPorteiro])},
        {"Número externo para porteiro ", TextoNumero(img + ofsNumeroExternoPorteiro)},
    };
    ImprimeLinhasRotuladas(p, 20 * p.CU, 68 * p.CU, linhas);
}

namespace {

struct TLinhaDiversas {
    const char* rotulo;
    int offset;
    int bit;
};

constexpr int kBilhetagem = ofsBilhetagemDiversas;
constexpr int kFacilidades = ofsFacilidadesDiversas;

constexpr TLinhaDiversas kDiversas[] = {
    {"Bilhetagem de ligações originadas", kBilhetagem, 6},
    {"Bilhetagem de ligações recebidas", kBilhetagem, 0},
    {"Bilhetagem de ligações não atendidas", kBilhetagem, 5},
    {"Bilhetagem de ligações antes do atendimento", kBilhetagem, 4},
    {"Bloqueio de chamadas por alarme de tarifação", kBilhetagem, 2},
    {"Apresenta categoria do assinante chamador", kFacilidades, 2},
    {"Habilita conferencia", kFacilidades, 4},
    {"Habilita retorno de chamada transferida", kFacilidades, 5},
    {"Habilita facilidades CPA", kFacilidades, 6},
    {"Chamada interna sem fila", kFacilidades, 0},
    {"Habilita TI a capturar chamada não atendida", kFacilidades, 3},
    {"Música para espera", kFacilidades, 1},
};

} // namespace

void ImprimeProgramacoesDiversas(TPagina& p)
{
    IniciaRelatorio(p, 11, stNenhum, 2);
    p.Fonte(12);
    const int x = 5 * p.CU;
    // The two lines after the flags, whose values are not "Sim"/"Não".
    const char* const kUltimas[] = {"Tipo de impressora", "Número de dígitos da senha de ramal"};
    const int xValor = ColunaDosValores(p, x, ColunaDosValores(p, x, x + 58 * p.CU, kDiversas,
                                                               [](const TLinhaDiversas& l) { return l.rotulo; }),
                                        kUltimas, [](const char* l) { return l; });
    for (const TLinhaDiversas& linha : kDiversas) {
        LinhaRotulada(p, x, xValor, linha.rotulo, SimNao((p.Imagem[linha.offset] >> linha.bit) & 1));
        AvancaLinhas(p, 4);
    }
    LinhaRotulada(p, x, xValor, kUltimas[0],
                  (p.Imagem[ofsBilhetagemDiversas] & 0x80) ? QStringLiteral("Paralela") : QStringLiteral("Serial"));
    AvancaLinhas(p, 4);
    LinhaRotulada(p, x, xValor, kUltimas[1],
                  QString::number(p.Imagem[ofsDigitosSenhaRamal]));
    AvancaLinhas(p, 4);
}

namespace {

constexpr int kHorarios = 12;

// A table of times: "NUM" and "HORA" at x, x + 9 CU; twelve rows three lines
// apart, each the row number and the time at `horarios` + passo * (row - 1).
void ImprimeTabelaHorarios(TPagina& p, int x, int topo, const std::uint8_t* horarios, int passo)
{
    const int alturaLinha = p.Lu(3);
    const int meio = x + 7 * p.CU;
    const int direita = x + 18 * p.CU;
    p.Fonte(12);
    TextoNaCelula(p, x, topo, alturaLinha, meio, "NUM");
    TextoNaCelula(p, x + 9 * p.CU, topo, alturaLinha, direita, "HORA");
    for (int r = 1; r <= kHorarios; ++r) {
        const int y = topo + alturaLinha * r;
        TextoNaCelula(p, x + p.CU, y, alturaLinha, meio, DoisDigitos(r));
        const std::string hora = HorarioParaTexto(horarios + passo * (r - 1));
        TextoNaCelula(p, x + 9 * p.CU, y, alturaLinha, direita, QString::fromStdString(hora));
    }
    TracaGrade(p, {x - p.CU, meio, direita}, topo, alturaLinha, kHorarios + 1);
}

struct TAtivacao {
    const char* rotulo;
    bool ativo;
};

void ImprimeAtivacao(TPagina& p, int xRotulo, int xValor, const TAtivacao (&linhas)[3])
{
    p.Fonte(12);
    for (const TAtivacao& linha : linhas) {
        LinhaRotulada(p, xRotulo, xValor, linha.rotulo, SimNao(linha.ativo));
        AvancaLinhas(p, 2.5);
    }
}

} // namespace

void ImprimeNoturnoAutomatico(TPagina& p)
{
    IniciaRelatorio(p, 14, stNenhum, 1);
    p.Fonte(16);
    p.Texto(19 * p.CU, p.Y, "ENTRADAS");
    p.Texto(65 * p.CU, p.Y, "SAÍDAS");
    AvancaTexto(p, 2.5);
    const std::uint8_t* registros = p.Imagem + ofsHorariosNoturno;
    ImprimeTabelaHorarios(p, 15 * p.CU, p.Y, registros + 2, 4);
    ImprimeTabelaHorarios(p, 61 * p.CU, p.Y, registros, 4);
    p.Y += p.Lu(3) * (kHorarios + 1) + p.Lu(2.5);
    // The night window keeps its activation in bits 4..5 of its own byte.
    const int ativacao = p.Imagem[ofsAtivacaoNoturno] & kAtivacaoNoturno.bits;
    ImprimeAtivacao(p, 30 * p.CU, 60 * p.CU,
                    {{"Ativa noturno automático", ativacao != 0},
                     {"Ativa nos dias úteis", ativacao == kAtivacaoNoturno.diasUteis},
                     {"Ativa todos os dias", ativacao == kAtivacaoNoturno.todosOsDias}});
}

void ImprimeAtuacaoExterna(TPagina& p)
{
    IniciaRelatorio(p, 15, stNenhum, 1);
    p.Fonte(16);
    p.Texto(19 * p.CU, p.Y, "ATUAÇÃO");
    AvancaTexto(p, 2.5);
    ImprimeTabelaHorarios(p, 15 * p.CU, p.Y, p.Imagem + ofsHorariosAtuacao, 2);
    p.Y += p.Lu(3) * (kHorarios + 1) + p.Lu(2.5);
    const int ativacao = p.Imagem[ofsAtivacaoAtuacao] & kAtivacaoAtuacao.bits;
    ImprimeAtivacao(p, 10 * p.CU, 40 * p.CU,
                    {{"Ativa atuação", ativacao != 0},
                     {"Ativa nos dias úteis", ativacao == kAtivacaoAtuacao.diasUteis},
                     {"Ativa todos os dias", ativacao == kAtivacaoAtuacao.todosOsDias}});
}
