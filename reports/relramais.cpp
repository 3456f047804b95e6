// The extension reports: categories, numbering plan, extension groups,
// boss-secretary groups, private codes and the individual speed-dial lists.
#include "image/layout.h"
#include "reports/conteudo.h"

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
    AvancaLinhas(p, 1);
    const int topo = p.Y;
    p.Texto(8 * p.CU, topo + p.Lu(0.5), "RAMAL");
    for (size_t j = 0; j < std::size(kColunasCategoria); ++j)
        p.Texto(15 * p.CU + 4 * static_cast<int>(j) * p.CU, topo + p.Lu(0.5), kColunasCategoria[j].cabeca);
    for (int posicao = 1; posicao <= kPosicoesRamal; ++posicao) {
        const int y = topo + alturaLinha * posicao + p.Lu(0.5);
        p.Texto(10 * p.CU, y, TextoRamal(p.Imagem, posicao));
        for (size_t j = 0; j < std::size(kColunasCategoria); ++j) {
            const int x = p.Cu(11.5) + 4 * static_cast<int>(j + 1) * p.CU;
            p.Texto(x, y, MarcaX(MarcaCategoria(p.Imagem, periodo, posicao, kColunasCategoria[j])));
        }
    }
    std::vector<int> colunas = {7 * p.CU};
    for (int j = 0; j <= 19; ++j)
        colunas.push_back(14 * p.CU + 4 * j * p.CU);
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
        p.Texto(13 * p.CU, p.Y, kLegendaCategorias[i].sigla);
        p.Texto(20 * p.CU, p.Y, kLegendaCategorias[i].descricao);
        p.Texto(53 * p.CU, p.Y, kLegendaCategorias[i + 1].sigla);
        p.Texto(60 * p.CU, p.Y, kLegendaCategorias[i + 1].descricao);
        AvancaLinhas(p, 2);
    }
}

void ImprimePlanoNumeracao(TPagina& p)
{
    IniciaRelatorio(p, 2, stNenhum, 2);
    const int alturaLinha = p.Lu(1.8);
    const int topo = p.Y;
    p.Fonte(12);
    p.Texto(25 * p.CU, topo + p.Lu(0.5), "POS.");
    p.Texto(31 * p.CU, topo + p.Lu(0.5), "RAMAL");
    p.Texto(41 * p.CU, topo + p.Lu(0.5), "NOME");
    p.Fonte(10);
    for (int posicao = 1; posicao <= kLinhasPlano; ++posicao) {
        const int y = topo + alturaLinha * posicao + p.Lu(0.5);
        p.Texto(26 * p.CU, y, DoisDigitos(posicao - 1));
        p.Texto(31 * p.CU, y, TextoRamal(p.Imagem, posicao));
        p.Texto(41 * p.CU, y, TextoNome(p.Imagem + OffsetNomeRamal(posicao)));
    }
    TracaGradeCu(p, {24.5, 30, 40, 65}, topo, alturaLinha, kLinhasPlano + 1);
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

constexpr int kGrupos = 4;
constexpr int kMembros = 7;
constexpr double kColunasGrupo[] = {5, 15, 21, 27, 33}; // GRUPO, NT, D, H, M
constexpr double kColunasMembro[] = {40, 52, 64, 76};

} // namespace

void ImprimeGruposRamais(TPagina& p)
{
    IniciaRelatorio(p, 6, stNenhum, 2);
    const int alturaLinha = p.Lu(2.2);
    const int topo = p.Y;
    const int yCabeca = topo + p.Lu(0.5);
    p.Fonte(12);
    p.Texto(p.Cu(kColunasGrupo[0]), yCabeca, "GRUPO");
    for (int t = 0; t < 4; ++t)
        p.Texto(p.Cu(kColunasGrupo[t + 1]), yCabeca, kLegendaGrupos[t].sigla);
    for (double x : kColunasMembro)
        p.Texto(p.Cu(x), yCabeca, "RAMAL");
    for (int g = 1; g <= kGrupos; ++g) {
        const std::uint8_t* grupo = p.Imagem + OffsetGrupo(g);
        const int y = topo + alturaLinha * (2 * g - 1) + p.Lu(0.5);
        p.Texto(p.Cu(kColunasGrupo[0]) + p.CU, y, QString::number(g));
        p.Texto(p.Cu(kColunasGrupo[1]), y, QString::number(p.Imagem[OffsetToquesDesvioGrupo(g)]));
        const TColunaTipo coluna = ColunaDoTipo(grupo[0]);
        if (coluna != ctNenhuma)
            p.Texto(p.Cu(kColunasGrupo[2 + coluna]) + p.CU, y, "X");
        for (int m = 0; m < kMembros; ++m) {
            const int linha = m < 4 ? 0 : 1;
            p.Texto(p.Cu(kColunasMembro[m % 4]), y + alturaLinha * linha, TextoReferencia(p.Imagem, grupo[1 + m]));
        }
    }
    p.Caneta(4);
    const int esquerda = p.Cu(4);
    const int direita = 88 * p.CU;
    const int base = topo + alturaLinha * (2 * kGrupos + 1);
    for (int g = 0; g <= kGrupos; ++g) {
        const int y = g == 0 ? topo : topo + alturaLinha * (2 * g - 1);
        p.Linha(esquerda, y, direita, y);
    }
    p.Linha(esquerda, base, direita, base);
    for (int x : {esquerda, 14 * p.CU, 20 * p.CU, 26 * p.CU, 32 * p.CU, 38 * p.CU, direita})
        p.Linha(x, topo, x, base);
    p.Y = base + p.Lu(2);
    p.Fonte(10);
    p.Texto(5 * p.CU, p.Y, "Em que: ");
    for (const TLegenda& legenda : kLegendaGrupos) {
        p.Texto(14 * p.CU, p.Y, legenda.sigla);
        p.Texto(21 * p.CU, p.Y, legenda.descricao);
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
    p.Fonte(12);
    for (int c = 0; c < 5; ++c)
        p.Texto(colunas[c] * p.CU, topo + p.Lu(0.5), kCabecas[c]);
    for (int g = 1; g <= kGrupos; ++g) {
        const int y = topo + alturaLinha * g + p.Lu(0.5);
        const std::uint8_t* chefes = p.Imagem + OffsetChefeGrupo(g);
        const std::uint8_t* secretarias = p.Imagem + OffsetSecretariaGrupo(g);
        const std::uint8_t lugares[] = {chefes[0], chefes[1], secretarias[0], secretarias[1]};
        p.Texto(colunas[0] * p.CU + p.CU, y, QString::number(g));
        for (int c = 0; c < 4; ++c)
            p.Texto(colunas[c + 1] * p.CU, y, TextoReferencia(p.Imagem, lugares[c]));
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
    p.Fonte(12);
    p.Texto(25 * p.CU, topo + p.Lu(0.5), "COD.");
    p.Texto(32 * p.CU, topo + p.Lu(0.5), "RAMAL");
    p.Texto(39 * p.CU, topo + p.Lu(0.5), "NOME");
    p.Fonte(10);
    for (int j = 1; j <= kCodigosParticulares; ++j) {
        const int y = topo + alturaLinha * j + p.Lu(0.5);
        p.Texto(25 * p.CU + p.Cu(0.5), y, DoisDigitos(j - 1));
        p.Texto(32 * p.CU, y, TextoReferencia(p.Imagem, p.Imagem[OffsetDonoCodigo(j)]));
        p.Texto(39 * p.CU, y, TextoNome(p.Imagem + OffsetNomeCodigo(j)));
    }
    TracaGradeCu(p, {24.5, 31, 38, 65}, topo, alturaLinha, kCodigosParticulares + 1);
    p.Y = topo + alturaLinha * (kCodigosParticulares + 1);
}

namespace {

constexpr int kLinhasCaixa = 12; // caption, heads and ten entries

// The box of the speed-dial list of one position, its top-left at (x, y).
void ImprimeCaixaAgenda(TPagina& p, int posicao, int x, int y)
{
    const int alturaLinha = p.Lu(1.8);
    const int largura = 29 * p.CU;
    p.Fonte(10);
    p.Texto(x + p.Cu(0.5), y + p.Lu(0.5), QStringLiteral("Agenda do ramal  ") + TextoRamal(p.Imagem, posicao));
    const int yCabeca = y + alturaLinha + p.Lu(0.5);
    p.Texto(x, yCabeca, " Ag.");
    p.Texto(x + 6 * p.CU, yCabeca, "RT");
    p.Texto(x + 10 * p.CU, yCabeca, QString::fromUtf8("Número"));
    p.Fonte(8);
    for (int linha = 0; linha < 10; ++linha) {
        // Code 710 dials the list's last entry; 711..719 the entries 1..9.
        const int entrada = linha == 0 ? 10 : linha;
        const std::uint8_t* registro = p.Imagem + OffsetEntradaAgendaIndividual(posicao, entrada);
        const int yLinha = y + alturaLinha * (linha + 2) + p.Lu(0.5);
        p.Texto(x + p.Cu(0.5), yLinha, QString::number(710 + linha));
        p.Texto(x + 6 * p.CU, yLinha, TextoRota(registro[0]));
        p.Texto(x + 10 * p.CU, yLinha, TextoNumeroCurto(registro));
    }
    p.Caneta(2);
    for (int r = 0; r <= kLinhasCaixa; ++r)
        p.Linha(x, y + alturaLinha * r, x + largura, y + alturaLinha * r);
    const int base = y + alturaLinha * kLinhasCaixa;
    p.Linha(x, y, x, base);
    p.Linha(x + largura, y, x + largura, base);
    for (int coluna : {5, 9})
        p.Linha(x + coluna * p.CU, y + alturaLinha, x + coluna * p.CU, base);
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
