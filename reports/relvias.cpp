// The trunk configuration report: the trunks' route and direction, then
// their attendants, timings and options, each table with its legend.
#include "image/layout.h"
#include "image/registro.h"
#include "image/vias.h"
#include "platform/formatting.h"
#include "reports/conteudo.h"

#include <iterator>

namespace {

// Route and direction columns.
constexpr const char* kCabecasModo[] = {"0", "81", "82", "83", "84", "L", "S", "E", "B", "M", "D"};
constexpr TLegenda kLegendaModo[] = {
    {"0", "Rota 0"}, {"81-87", "Rotas 81 a 84"}, {"L", "Enlace"},   {"S", "Sainte"},
    {"E", "Entrante"}, {"B", "Bloqueio"},        {"M", "Multi-frequencial"}, {"D", "Decádica"},
};

// The mode byte's marks, column by column, as the trunk window stores them:
// the route in bits 0..2 (0..4, other routes have no column), outgoing bit 5,
// incoming bit 6, blocked bit 7, multi-frequency bit 3; a link trunk is one
// with none of bits 5..7 set.
bool MarcaModo(std::uint8_t modo, int coluna)
{
    const int rota = modo & 7;
    if (coluna <= 4)
        return rota == coluna;
    switch (coluna) {
    case 5: return (modo & 0xE0) == 0;
    case 6: return modo & 0x20;
    case 7: return modo & 0x40;
    case 8: return modo & 0x80;
    case 9: return modo & 0x08;
    default: return !(modo & 0x08);
    }
}

// The configuration columns: head, width in CU, legend.
struct TColunaVia {
    const char* cabeca;
    int largura;
    const char* descricao;
};

constexpr TColunaVia kColunasVia[] = {
    {"ATEND", 7, "Ramal ou grupo atendedor"},
    {"TRANS", 7, "Ramal ou grupo de transbordo"},
    {"NOTUR", 7, "Ramal ou grupo noturno"},
    {"TTB", 5, "Tempo de transbordo"},
    {"TTD", 5, "Tempo de tom de disco"},
    {"TIB", 5, "Tempo de início de bilhetagem"},
    {"AD", 4, "Atendedor digital"},
    {"BD", 4, "Bloqueio DDC fora do noturno"},
    {"BN", 4, "Bloqueio DDC durante o noturno"},
    {"IU", 4, "Acessa tabela IU"},
    {"LC", 4, "Limite de cifras"},
    {"NC", 4, "Número de cifras local"},
    {"DL", 4, "Desliga ligação após TTD"},
    {"IA", 4, "Com identificador de assinante"},
    {"SL", 7, "Sinalização de linha"},
    {"TA", 4, "Número de toques para atender"},
    {"TN", 4, "Possui transbordo noturno"},
    {"DA", 4, "Desliga após atend. sem discagem"},
};
static_assert(std::size(kColunasVia) == 18);

// An attendant byte of a trunk record as the trunk window shows it.
QString TextoAtendedor(const std::uint8_t* imagem, std::uint8_t referencia)
{
    return QString::fromStdString(AtendenteViaParaTexto(imagem, referencia)).trimmed();
}

QString Bit(std::uint8_t byte, int bit)
{
    return MarcaX((byte >> bit) & 1);
}

// The text of column c for the trunk record r.
QString ValorVia(const std::uint8_t* imagem, const std::uint8_t* r, int coluna)
{
    switch (coluna) {
    case 0: return TextoAtendedor(imagem, r[kViaAtendente]);
    case 1: return TextoAtendedor(imagem, r[kViaTransbordo]);
    case 2: return TextoAtendedor(imagem, r[kViaNoturno]);
    case 3: return QString::number(r[kViaTempoTransbordo]); // timings are plain numbers
    case 4: return QString::number(r[kViaTomDisco]);
    case 5: return QString::number(r[kViaInicioBilhetagem]);
    case 6: return Bit(r[kViaCifras], 7);
    case 7: return Bit(r[kViaCifras], 6);
    case 8: return Bit(r[kViaCifras], 5);
    case 9: return Bit(r[kViaCifras], 4);
    case 10: return Bit(r[kViaCifras], 3);
    case 11: return (r[kViaCifras] & 1) ? QStringLiteral("7") : (r[kViaCifras] & 2) ? QStringLiteral("8") : QStringLiteral("9");
    case 12: return Bit(r[kViaSinalizacao], 3);
    case 13: return Bit(r[kViaSinalizacao], 5);
    case 14: return (r[kViaSinalizacao] & 1) ? QStringLiteral("FSK") : QStringLiteral("DTMF");
    case 15: return QString::number((r[kViaSinalizacao] >> 1) & 1); // rings to answer: 0 or 1
    case 16: return Bit(r[kViaSinalizacao], 7);
    default: return Bit(r[kViaSinalizacao], 4);
    }
}

void ImprimeTabelaModo(TPagina& p)
{
    const int alturaLinha = p.Lu(2.2);
    const int topo = p.Y;
    std::vector<int> colunas = {20 * p.CU};
    for (int k = 0; k <= static_cast<int>(std::size(kCabecasModo)); ++k)
        colunas.push_back(25 * p.CU + 4 * k * p.CU);
    p.Fonte(12);
    TextoNaCelula(p, 20 * p.CU + p.Cu(0.5), topo, alturaLinha, colunas[1], "VIA");
    p.Fonte(10);
    for (size_t k = 0; k < std::size(kCabecasModo); ++k)
        TextoNaCelula(p, 26 * p.CU + 4 * static_cast<int>(k) * p.CU, topo, alturaLinha, colunas[k + 2],
                      kCabecasModo[k]);
    for (int via = 1; via <= kVias; ++via) {
        const int y = topo + alturaLinha * via;
        const std::uint8_t modo = p.Imagem[OffsetModoVia(via)];
        p.Fonte(12);
        TextoNaCelula(p, 21 * p.CU, y, alturaLinha, colunas[1], DoisDigitos(via));
        p.Fonte(10);
        for (int k = 1; k <= static_cast<int>(std::size(kCabecasModo)); ++k)
            if (MarcaModo(modo, k - 1))
                TextoNaCelula(p, p.Cu(22) + 4 * k * p.CU, y, alturaLinha, colunas[static_cast<size_t>(k) + 1], "X");
    }
    TracaGrade(p, colunas, topo, alturaLinha, kVias + 1);
    p.Y = topo + alturaLinha * (kVias + 1) + p.LU;
    p.Texto(20 * p.CU, p.Y, "Em que:");
    for (const TLegenda& legenda : kLegendaModo) {
        ImprimeLegenda(p, 29 * p.CU, 38 * p.CU, legenda);
        AvancaTexto(p, 1.8);
    }
}

void ImprimeTabelaConfiguracao(TPagina& p)
{
    const int alturaLinha = p.Lu(2.2);
    const int topo = p.Y;
    std::vector<int> xs; // left of each column's text
    int x = p.Cu(11.5);
    for (const TColunaVia& coluna : kColunasVia) {
        xs.push_back(x);
        x += coluna.largura * p.CU;
    }
    std::vector<int> bordas = {4 * p.CU};
    for (int borda : xs)
        bordas.push_back(borda - p.Cu(0.5));
    bordas.push_back(x - p.Cu(0.5));
    // Font 8: the narrow columns hold five letters.
    p.Fonte(8);
    TextoNaCelula(p, 5 * p.CU, topo, alturaLinha, bordas[1], "VIA");
    for (size_t c = 0; c < xs.size(); ++c)
        TextoNaCelula(p, xs[c], topo, alturaLinha, bordas[c + 2], kColunasVia[c].cabeca);
    for (int via = 1; via <= kVias; ++via) {
        const int y = topo + alturaLinha * via;
        const std::uint8_t* registro = p.Imagem + OffsetVia(via);
        TextoNaCelula(p, 5 * p.CU, y, alturaLinha, bordas[1], DoisDigitos(via));
        for (size_t c = 0; c < xs.size(); ++c)
            TextoNaCelula(p, xs[c], y, alturaLinha, bordas[c + 2], ValorVia(p.Imagem, registro, static_cast<int>(c)));
    }
    TracaGrade(p, bordas, topo, alturaLinha, kVias + 1);
    p.Y = topo + alturaLinha * (kVias + 1) + p.LU;
    p.Fonte(10);
    p.Texto(5 * p.CU, p.Y, "Em que:");
    AvancaTexto(p, 1.8);
    constexpr int kMetade = static_cast<int>(std::size(kColunasVia)) / 2;
    for (int i = 0; i < kMetade; ++i) {
        ImprimeLegenda(p, 12 * p.CU, 19 * p.CU, {kColunasVia[i].cabeca, kColunasVia[i].descricao});
        ImprimeLegenda(p, 52 * p.CU, 59 * p.CU, {kColunasVia[i + kMetade].cabeca, kColunasVia[i + kMetade].descricao});
        AvancaTexto(p, 1.8);
    }
}

} // namespace

void ImprimeConfiguracaoVias(TPagina& p)
{
    IniciaRelatorio(p, 3, stNenhum, 2);
    ImprimeTabelaModo(p);
    AvancaLinhas(p, 2);
    ImprimeTabelaConfiguracao(p);
}
