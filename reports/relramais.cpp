// The extension reports: categories, numbering plan, extension groups,
// boss-secretary groups, private codes and the individual speed-dial lists.
#include "image/grupos.h"
#include "image/layout.h"
#include "image/registro.h"
#include "platform/formatting.h"
#include "reports/conteudo.h"

#include <algorithm>
#include <iterator>

namespace {

// The columns of the categories tables: head, and the byte and bit whose
// mark it shows (the categories window's storing rules).
enum TByteCategoria { bcAcesso, bcRotas, bcFacilidades, bcFlags, bcSubRota };

struct TColunaCategoria {
    const char* cabeca;
    TByteCategoria byte;
    int bit; // -1: the sub-route byte holds "Rota 0" (0)
};

constexpr TColunaCategoria kColunasCategoria[] = {
    {"X", bcAcesso, 0},       {"I", bcAcesso, 3},       {"D", bcAcesso, 2},       {"R", bcAcesso, 4},
    {"L", bcAcesso, 1},       {"E", bcAcesso, 5},       {"0", bcSubRota, -1},     {"PR", bcFacilidades, 7},
    {"G", bcFacilidades, 4},  {"K", bcFacilidades, 3},  {"AE", bcFacilidades, 2}, {"81", bcRotas, 1},
    {"82", bcRotas, 2},       {"83", bcRotas, 3},       {"84", bcRotas, 4},       {"AA", bcAcesso, 6},
    {"PT", bcFlags, 3},       {"AS", bcFlags, 6},       {"RI", bcFlags, 7},
};
static_assert(std::size(kColunasCategoria) == 19);

constexpr TLegenda kLegendaCategorias[] = {
    {"X", "Recebe externa"},        {"I", "Acesso internacional (DDI)"},
    {"D", "Acesso nacional (DDD)"}, {"R", "Acesso Regional"},
    {"L", "Acesso local"},          {"E", "Acesso interno"},
    {"0", "Acesso a rota 0"},       {"PR", "Acesso ao porteiro"},
    {"G", "Gera intercalação"},     {"K", "Não intercalável"},
    {"AE", "Atuação externa"},      {"81 a 84", "Acesso as rotas especiais"},
    {"AA", "Acesso a agenda"},      {"PT", "Proteção transmissão"},
    {"AS", "Acesso a secretária"},  {"RI", "Ramal internet"},
};
static_assert(std::size(kLegendaCategorias) == 16);

// The arrays of one period's table.
struct TPeriodo {
    const char* nome;
    int acesso, rotas, facilidades, subRota;
};

const TPeriodo kPeriodos[] = {
    {"DIURNO", ofsAcessoDiurno, ofsRotasDiurnas, ofsFacilidadesDiurnas, ofsSubRotaDiurna},
    {"NOTURNO", ofsAcessoNoturno, ofsRotasNoturnas, ofsFacilidadesNoturnas, ofsSubRotaNoturna},
};

bool MarcaCategoria(const std::uint8_t* imagem, const TPeriodo& periodo, int posicao, const TColunaCategoria& coluna)
{
    const int i = posicao - 1;
    switch (coluna.byte) {
    case bcSubRota: return imagem[periodo.subRota + i] == 0;
    case bcAcesso: return (imagem[periodo.acesso + i] >> coluna.bit) & 1;
    case bcRotas: return (imagem[periodo.rotas + i] >> coluna.bit) & 1;
    case bcFacilidades: return (imagem[periodo.facilidades + i] >> coluna.bit) & 1;
    case bcFlags: return (imagem[ofsFlagsRamal + i] >> coluna.bit) & 1;
    }
    return false;
}

void ImprimeTabelaCategorias(TPagina& p, const TPeriodo& periodo)
{
    const int alturaLinha = p.Lu(2.2);
    p.Fonte(8);
    p.Texto(8 * p.CU, p.Y, periodo.nome);
    AvancaTexto(p, 1);
    const int topo = p.Y;
    // Column j (0..18) of the marks lies between these borders.
    auto esquerda = [&](int j) { return 14 * p.CU + 4 * j * p.CU; };
    TextoNaCelula(p, 8 * p.CU, topo, alturaLinha, esquerda(0), "RAMAL");
    for (size_t j = 0; j < std::size(kColunasCategoria); ++j) {
        const int c = static_cast<int>(j);
        TextoNaCelula(p, 15 * p.CU + 4 * c * p.CU, topo, alturaLinha, esquerda(c + 1), kColunasCategoria[j].cabeca);
    }
    for (int posicao = 1; posicao <= kPosicoesRamal; ++posicao) {
        const int y = topo + alturaLinha * posicao;
        TextoNaCelula(p, 10 * p.CU, y, alturaLinha, esquerda(0), TextoRamal(p.Imagem, posicao));
        for (size_t j = 0; j < std::size(kColunasCategoria); ++j) {
            const int c = static_cast<int>(j);
            TextoNaCelula(p, p.Cu(11.5) + 4 * (c + 1) * p.CU, y, alturaLinha, esquerda(c + 1),
                          MarcaX(MarcaCategoria(p.Imagem, periodo, posicao, kColunasCategoria[j])));
        }
    }
    std::vector<int> colunas = {7 * p.CU};
    for (int j = 0; j <= 19; ++j)
        colunas.push_back(esquerda(j));
    TracaGrade(p, colunas, topo, alturaLinha, kPosicoesRamal + 1);
    p.Y = topo + alturaLinha * (kPosicoesRamal + 1);
}

constexpr int kLinhasPlano = 12;

} // namespace

void ImprimeCategoriaRamais(TPagina& p)
{
    IniciaRelatorio(p, 1, stNenhum, 1);
    for (const TPeriodo& periodo : kPeriodos) {
        ImprimeTabelaCategorias(p, periodo);
        AvancaLinhas(p, 1);
    }
    p.Fonte(10);
    // "Em que: " on a line of its own: at font 10 it is wider than the
    // 5 CU before the first abbreviation.
    p.Texto(8 * p.CU, p.Y, "Em que: ");
    AvancaLinhas(p, 2);
    for (size_t i = 0; i < std::size(kLegendaCategorias); i += 2) {
        ImprimeLegenda(p, 13 * p.CU, 20 * p.CU, kLegendaCategorias[i]);
        ImprimeLegenda(p, 53 * p.CU, 60 * p.CU, kLegendaCategorias[i + 1]);
        AvancaLinhas(p, 2);
    }
}

void ImprimePlanoNumeracao(TPagina& p)
{
    IniciaRelatorio(p, 2, stNenhum, 2);
    const int alturaLinha = p.Lu(1.8);
    const int topo = p.Y;
    // POS., RAMAL, NOME; the name column holds 20 wide letters.
    const int bordas[] = {p.Cu(24.5), 30 * p.CU, 40 * p.CU, 80 * p.CU};
    p.Fonte(12);
    TextoNaCelula(p, 25 * p.CU, topo, alturaLinha, bordas[1], "POS.");
    TextoNaCelula(p, 31 * p.CU, topo, alturaLinha, bordas[2], "RAMAL");
    TextoNaCelula(p, 41 * p.CU, topo, alturaLinha, bordas[3], "NOME");
    p.Fonte(10);
    for (int posicao = 1; posicao <= kLinhasPlano; ++posicao) {
        const int y = topo + alturaLinha * posicao;
        TextoNaCelula(p, 26 * p.CU, y, alturaLinha, bordas[1], DoisDigitos(posicao - 1));
        TextoNaCelula(p, 31 * p.CU, y, alturaLinha, bordas[2], TextoRamal(p.Imagem, posicao));
        TextoNaCelula(p, 41 * p.CU, y, alturaLinha, bordas[3], TextoNome(p.Imagem + OffsetNomeRamal(posicao)));
    }
    TracaGrade(p, {std::begin(bordas), std::end(bordas)}, topo, alturaLinha, kLinhasPlano + 1);
    p.Y = topo + alturaLinha * (kLinhasPlano + 1);
}

namespace {

// The group type columns: the byte the groups window stores for each type.
enum TColunaTipo { ctNenhuma = -1, ctDistribuidor = 0, ctHierarquico = 1, ctMultiplo = 2 };

TColunaTipo ColunaDoTipo(std::uint8_t tipo)
{
    if (tipo == 0)
        return ctHierarquico;
    if (tipo >= 1 && tipo <= 15)
        return ctDistribuidor;
    if (tipo == 16)
        return ctMultiplo;
    return ctNenhuma; // 64 (switched off) and bytes no window writes
}

constexpr TLegenda kLegendaGrupos[] = {
    {"NT", "Número de toques de desvio"},
    {"D", "Distribuidor"},
    {"H", "Hierárquico"},
    {"M", "Múltiplo"},
};

constexpr int kMembros = 7;
constexpr double kColunasGrupo[] = {5, 15, 21, 27, 33}; // GRUPO, NT, D, H, M
constexpr double kColunasMembro[] = {40, 52, 64, 76};

} // namespace

void ImprimeGruposRamais(TPagina& p)
{
    IniciaRelatorio(p, 6, stNenhum, 2);
    const int alturaLinha = p.Lu(2.2);
    const int topo = p.Y;
    const int esquerda = p.Cu(4);
    const int direita = 88 * p.CU;
    // Right border of the column a text at x (in CU) lies in.
    const int bordas[] = {14 * p.CU, 20 * p.CU, 26 * p.CU, 32 * p.CU, 38 * p.CU, direita};
    auto borda = [&](int x) {
        for (int b : bordas)
            if (b > x)
                return b;
        return direita;
    };
    auto celula = [&](int x, int y, const QString& texto) { TextoNaCelula(p, x, y, alturaLinha, borda(x), texto); };
    p.Fonte(12);
    celula(p.Cu(kColunasGrupo[0]), topo, QStringLiteral("GRUPO"));
    for (int t = 0; t < 4; ++t)
        celula(p.Cu(kColunasGrupo[t + 1]), topo, QString::fromUtf8(kLegendaGrupos[t].sigla));
    // The members share one column: each reaches the next one's start.
    auto membro = [&](int m, int y, const QString& texto) {
        const int cx = p.Cu(kColunasMembro[m % 4]);
        TextoNaCelula(p, cx, y, alturaLinha, std::min(cx + 12 * p.CU, direita), texto);
    };
    for (int m = 0; m < 4; ++m)
        membro(m, topo, QStringLiteral("RAMAL"));
    for (int g = 1; g <= kGrupos; ++g) {
        const std::uint8_t* grupo = p.Imagem + OffsetGrupo(g);
        const int y = topo + alturaLinha * (2 * g - 1);
        celula(p.Cu(kColunasGrupo[0]) + p.CU, y, QString::number(g));
        celula(p.Cu(kColunasGrupo[1]), y, QString::number(p.Imagem[OffsetToquesDesvioGrupo(g)]));
        const TColunaTipo coluna = ColunaDoTipo(grupo[0]);
        if (coluna != ctNenhuma)
            celula(p.Cu(kColunasGrupo[2 + coluna]) + p.CU, y, QStringLiteral("X"));
        for (int m = 0; m < kMembros; ++m) {
            const int linha = m < 4 ? 0 : 1;
            membro(m, y + alturaLinha * linha, TextoReferencia(p.Imagem, grupo[1 + m]));
        }
    }
    p.Caneta(4);
    const int base = topo + alturaLinha * (2 * kGrupos + 1);
    for (int g = 0; g <= kGrupos; ++g) {
        const int y = g == 0 ? topo : topo + alturaLinha * (2 * g - 1);
        p.Linha(esquerda, y, direita, y);
    }
    p.Linha(esquerda, base, direita, base);
    p.Linha(esquerda, topo, esquerda, base);
    for (int x : bordas)
        p.Linha(x, topo, x, base);
    p.Y = base + p.Lu(2);
    p.Fonte(10);
    p.Texto(5 * p.CU, p.Y, "Em que: ");
    for (const TLegenda& legenda : kLegendaGrupos) {
        ImprimeLegenda(p, 14 * p.CU, 21 * p.CU, legenda);
        AvancaLinhas(p, 2);
    }
}

void ImprimeChefeSecretaria(TPagina& p)
{
    IniciaRelatorio(p, 7, stNenhum, 2);
    static const char* const kCabecas[] = {"GRUPO", "CHEFE 1", "CHEFE 2", "SECR. 1", "SECR. 2"};
    const int colunas[] = {15, 30, 45, 60, 75};
    const int alturaLinha = p.Lu(2.2);
    const int topo = p.Y;
    auto celula = [&](int c, int dx, int y, const QString& texto) {
        TextoNaCelula(p, colunas[c] * p.CU + dx, y, alturaLinha, (colunas[c] + 14) * p.CU, texto);
    };
    p.Fonte(12);
    for (int c = 0; c < 5; ++c)
        celula(c, 0, topo, QString::fromUtf8(kCabecas[c]));
    for (int g = 1; g <= kGrupos; ++g) {
        const int y = topo + alturaLinha * g;
        const std::uint8_t* chefes = p.Imagem + OffsetChefeGrupo(g);
        const std::uint8_t* secretarias = p.Imagem + OffsetSecretariaGrupo(g);
        const std::uint8_t lugares[] = {chefes[0], chefes[1], secretarias[0], secretarias[1]};
        celula(0, p.CU, y, QString::number(g));
        for (int c = 0; c < 4; ++c)
            celula(c + 1, 0, y, TextoReferencia(p.Imagem, lugares[c]));
    }
    TracaGradeCu(p, {14, 29, 44, 59, 74, 89}, topo, alturaLinha, kGrupos + 1);
    p.Y = topo + alturaLinha * (kGrupos + 1);
}

namespace {
constexpr int kCodigosParticulares = 40;
}

void ImprimeCodigosParticulares(TPagina& p)
{
    IniciaRelatorio(p, 16, stNenhum, 1);
    const int alturaLinha = p.Lu(1.8);
    const int topo = p.Y;
    // COD., RAMAL, NOME; the name column holds 20 wide letters.
    const int bordas[] = {p.Cu(24.5), 31 * p.CU, 40 * p.CU, 80 * p.CU};
    p.Fonte(12);
    TextoNaCelula(p, 25 * p.CU, topo, alturaLinha, bordas[1], "COD.");
    TextoNaCelula(p, 32 * p.CU, topo, alturaLinha, bordas[2], "RAMAL");
    TextoNaCelula(p, 41 * p.CU, topo, alturaLinha, bordas[3], "NOME");
    p.Fonte(10);
    for (int j = 1; j <= kCodigosParticulares; ++j) {
        const int y = topo + alturaLinha * j;
        TextoNaCelula(p, 25 * p.CU + p.Cu(0.5), y, alturaLinha, bordas[1], DoisDigitos(j - 1));
        TextoNaCelula(p, 32 * p.CU, y, alturaLinha, bordas[2], TextoReferencia(p.Imagem, p.Imagem[OffsetDonoCodigo(j)]));
        TextoNaCelula(p, 41 * p.CU, y, alturaLinha, bordas[3], TextoNome(p.Imagem + OffsetNomeCodigo(j)));
    }
    TracaGrade(p, {std::begin(bordas), std::end(bordas)}, topo, alturaLinha, kCodigosParticulares + 1);
    p.Y = topo + alturaLinha * (kCodigosParticulares + 1);
}

namespace {

constexpr int kLinhasCaixa = 12; // caption, heads and ten entries

// The box of the speed-dial list of one position, its top-left at (x, y).
void ImprimeCaixaAgenda(TPagina& p, int posicao, int x, int y)
{
    const int alturaLinha = p.Lu(1.8);
    const int largura = 29 * p.CU;
    // Borders of the columns Ag., RT and Número.
    const int bordas[] = {x, x + 5 * p.CU, x + 9 * p.CU, x + largura};
    p.Fonte(10);
    TextoNaCelula(p, x + p.Cu(0.5), y, alturaLinha, bordas[3],
                  QStringLiteral("Agenda do ramal  ") + TextoRamal(p.Imagem, posicao));
    const int yCabeca = y + alturaLinha;
    TextoNaCelula(p, x + p.Cu(0.25), yCabeca, alturaLinha, bordas[1], " Ag.");
    TextoNaCelula(p, x + 6 * p.CU, yCabeca, alturaLinha, bordas[2], "RT");
    TextoNaCelula(p, x + 10 * p.CU, yCabeca, alturaLinha, bordas[3], QString::fromUtf8("Número"));
    p.Fonte(8);
    for (int linha = 0; linha < 10; ++linha) {
        // Code 710 dials the list's last entry; 711..719 the entries 1..9.
        const int entrada = linha == 0 ? 10 : linha;
        const std::uint8_t* registro = p.Imagem + OffsetEntradaAgendaIndividual(posicao, entrada);
        const int yLinha = y + alturaLinha * (linha + 2);
        TextoNaCelula(p, x + p.Cu(0.5), yLinha, alturaLinha, bordas[1], QString::number(710 + linha));
        const QString rota = QString::fromStdString(RotaParaTexto(registro[0]));
        TextoNaCelula(p, x + 6 * p.CU, yLinha, alturaLinha, bordas[2], rota);
        TextoNaCelula(p, x + 10 * p.CU, yLinha, alturaLinha, bordas[3], TextoNumeroCurto(registro));
    }
    p.Caneta(2);
    for (int r = 0; r <= kLinhasCaixa; ++r)
        p.Linha(x, y + alturaLinha * r, x + largura, y + alturaLinha * r);
    const int base = y + alturaLinha * kLinhasCaixa;
    p.Linha(x, y, x, base);
    p.Linha(x + largura, y, x + largura, base);
    for (int coluna : {1, 2})
        p.Linha(bordas[coluna], y + alturaLinha, bordas[coluna], base);
}

} // namespace

void ImprimeAgendaIndividual(TPagina& p)
{
    IniciaRelatorio(p, 17, stNenhum, 1);
    p.Caneta(2);
    int x = 2 * p.CU;
    for (int posicao = 1; posicao <= kPosicoesRamal; ++posicao) {
        ImprimeCaixaAgenda(p, posicao, x, p.Y);
        x += 32 * p.CU;
        if (x > 80 * p.CU) {
            x = 2 * p.CU;
            AvancaLinhas(p, 24);
        }
    }
}
