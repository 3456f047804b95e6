#include "reports/relatorios.h"

#include "image/layout.h"
#include "image/registro.h"
#include "reports/conteudo.h"

#include <vector>

namespace {

struct TRelatorio {
    int numero;
    void (*imprime)(TPagina&);
};

void ImprimeAgendaGeralDuasPaginas(TPagina& p)
{
    ImprimeAgendaGeral(p, 1);
    p.Impressora.NewPage();
    ImprimeAgendaGeral(p, 2);
}

void ImprimeServicosAutomaticos(TPagina& p)
{
    ImprimeNoturnoAutomatico(p);
    p.Impressora.NewPage();
    ImprimeAtuacaoExterna(p);
}

// The routine of each report number; the numbers not listed print nothing.
const TRelatorio kRelatorios[] = {
    {1, ImprimeCategoriaRamais},
    {2, ImprimePlanoNumeracao},
    {3, ImprimeConfiguracaoVias},
    {4, ImprimeAgendaGeralDuasPaginas},
    {6, ImprimeGruposRamais},
    {7, ImprimeChefeSecretaria},
    {8, ImprimeTemporizacoes},
    {9, ImprimeEmergenciaExterna},
    {10, ImprimeAtendedorPorteiro},
    {11, ImprimeProgramacoesDiversas},
    {12, ImprimeBloqueioPrefixos},
    {14, ImprimeServicosAutomaticos},
    {15, ImprimeCodigosParticulares},
    {17, ImprimeAgendaIndividual},
};

} // namespace

void ImprimeRelatorios(TPrinter& impressora, const std::uint8_t* imagem, const QString& arquivo,
                       const TSelecaoRelatorios& selecao, const QDate& data)
{
    TPagina pagina(impressora, imagem, arquivo, data);
    impressora.BeginDoc();
    try {
        pagina.LeTamanhoPagina();
        bool primeiro = true;
        for (const TRelatorio& relatorio : kRelatorios) {
            if (!selecao[static_cast<size_t>(relatorio.numero)])
                continue;
            if (!primeiro)
                impressora.NewPage();
            primeiro = false;
            relatorio.imprime(pagina);
        }
    } catch (...) {
        impressora.Abort();
        throw;
    }
    impressora.EndDoc();
}

QString TextoReferencia(const std::uint8_t* imagem, std::uint8_t referencia)
{
    return QString::fromStdString(ReferenciaParaTexto(imagem, referencia)).trimmed();
}

QString OuTracos(const std::string& texto)
{
    const QString limpo = QString::fromStdString(texto).trimmed();
    return limpo.isEmpty() ? QStringLiteral("----") : limpo;
}

QString TextoRamal(const std::uint8_t* imagem, int posicao)
{
    return QString::fromStdString(PalavraRamalParaTexto(LeU16(imagem + OffsetPalavraRamal(posicao))));
}

QString SimNao(bool valor)
{
    return valor ? QStringLiteral("Sim") : QString::fromUtf8("Não");
}

QString TextoNumero(const std::uint8_t* registro12)
{
    return QString::fromStdString(DescompactaNumero(registro12));
}

QString TextoNumeroCurto(const std::uint8_t* registro11)
{
    return QString::fromStdString(DescompactaNumeroCurto(registro11));
}

QString TextoNome(const std::uint8_t* slot)
{
    return QString::fromStdString(LeNome(slot));
}

void ImprimeLegenda(TPagina& p, int xSigla, int xDescricao, const TLegenda& legenda)
{
    TextoAte(p, xSigla, p.Y, xDescricao - p.Cu(0.5), QString::fromUtf8(legenda.sigla));
    p.Texto(xDescricao, p.Y, legenda.descricao);
}

void IniciaRelatorio(TPagina& p, int titulo, int subtitulo, double linhas)
{
    ImprimeCabecalho(p, titulo, subtitulo);
    p.Fonte(15);
    AvancaLinhas(p, linhas);
}

void TracaGrade(TPagina& p, const std::vector<int>& xs, int topo, int altura, int linhas, int caneta)
{
    if (xs.empty())
        return;
    p.Caneta(caneta);
    const int base = topo + altura * linhas;
    for (int i = 0; i <= linhas; ++i)
        p.Linha(xs.front(), topo + altura * i, xs.back(), topo + altura * i);
    for (int x : xs)
        p.Linha(x, topo, x, base);
}

void TracaGradeCu(TPagina& p, std::initializer_list<double> xsCu, int topo, int altura, int linhas, int caneta)
{
    std::vector<int> xs;
    for (double x : xsCu)
        xs.push_back(p.Cu(x));
    TracaGrade(p, xs, topo, altura, linhas, caneta);
}
