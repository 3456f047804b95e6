// The prefix-blocking report: every prefix of the blocking table with its
// access category, in columns that flow across as many pages as needed.
#include "image/layout.h"
#include "reports/conteudo.h"
#include "reports/prefixos.h"

#include <iterator>

namespace {

constexpr const char* kCategorias[] = {"LOC", "REG", "DDD", "DDI", "BLO"};
constexpr const char* kDescricoes[] = {
    "Liberado para ramais com categoria Local",
    "Liberado para ramais com categoria Regional",
    "Liberado para ramais com categoria DDD",
    "Liberado para ramais com categoria DDI",
    "Bloqueio total do prefixo",
};

constexpr int kLinhaRodape = 91;
constexpr int kLinhaLegenda = 92;
// A column ends at line 90; an entry starting below line 88 would run into
// the foot rule at line 91.
constexpr int kLinhaFimColuna = 88;
constexpr int kColunaInicial = 2;
constexpr int kColunaFinal = 88;
constexpr int kLarguraColuna = 12;

// The header, the report's own title with its rule, and the legend at the
// foot; the body starts below the rule.
void ImprimeMoldura(TPagina& p)
{
    ImprimeCabecalho(p, 12, stNenhum);
    p.Fonte(15);
    AvancaLinhas(p, 1);
    p.Texto(30 * p.CU, p.Y, "BLOQUEIO DE PREFIXOS");
    AvancaTexto(p, 2.5);
    p.Caneta(4);
    p.Linha(p.CU, p.Y, 98 * p.CU, p.Y);
    p.Linha(p.CU, kLinhaRodape * p.LU, 98 * p.CU, kLinhaRodape * p.LU);
    AvancaLinhas(p, 1);
    // The five lines of the legend share the space below the foot rule.
    p.Fonte(8);
    const int yLegenda = kLinhaLegenda * p.LU;
    p.Texto(p.CU, yLegenda, "Em que: ");
    for (size_t i = 0; i < std::size(kCategorias); ++i) {
        const int y = yLegenda + p.Lu(1.5 * static_cast<double>(i));
        p.Texto(10 * p.CU, y, kCategorias[i]);
        p.Texto(15 * p.CU, y, kDescricoes[i]);
    }
}

} // namespace

void ImprimeBloqueioPrefixos(TPagina& p)
{
    ImprimeMoldura(p);
    const int topo = p.Y;
    int x = kColunaInicial * p.CU;
    for (const TPrefixoImpresso& prefixo : PrefixosDaTabela(p.Imagem)) {
        if (p.Y > kLinhaFimColuna * p.LU) {
            p.Y = topo;
            x += kLarguraColuna * p.CU;
            if (x > kColunaFinal * p.CU) {
                p.Impressora.NewPage();
                ImprimeMoldura(p);
                x = kColunaInicial * p.CU;
            }
        }
        // Four digits in bold fill six column units; the category follows
        // half a unit after.
        const int xCategoria = x + p.Cu(6.5);
        p.Fonte(12, true);
        TextoAte(p, x, p.Y, x + 6 * p.CU, QString::fromStdString(prefixo.digitos));
        p.Fonte(8);
        if (prefixo.categoria != kCategoriaMaisFundo)
            TextoAte(p, xCategoria, p.Y + p.Lu(0.5), x + kLarguraColuna * p.CU, kCategorias[prefixo.categoria]);
        AvancaLinhas(p, 3);
    }
}
