#include "reports/pagina.h"

#include "platform/formatting.h"

#include <algorithm>

const char* const kTitulosRelatorios[kTotalTitulos + 1] = {
    "",
    "CATEGORIA DOS RAMAIS",
    "PLANO DE NUMERAÇÃO",
    "CONFIGURAÇÃO DAS VIAS",
    "AGENDA GERAL",
    "PROGRAMAÇÕES DE RAMAL",
    "GRUPOS DE RAMAIS",
    "GRUPOS CHEFE-SECRETÁRIA",
    "TEMPORIZAÇÕES",
    "EMERGENCIA EXTERNA",
    "ATENDEDOR DE PORTEIRO",
    "PROGRAMAÇÕES DIVERSAS",
    "BLOQUEIO DE PREFIXOS",
    "FERIADOS",
    "NOTURNO AUTOMÁTICO",
    "ATUAÇÃO EXTERNA",
    "CODIGOS PARTICULARES",
    "AGENDA INDIVIDUAL",
};

const char* const kSubtitulosRelatorios[kTotalSubtitulos] = {
    "", "  (DIURNO)", "  (NOTURNO)", " (Pag. 1)", " (Pag. 2)",
};

namespace {

constexpr int kFonteCabecalho = 16;
constexpr int kFonteTitulo = 10;
const char* const kFonteRelatorios = "Ms San Serif";
const char* const kLinhaPrograma = "Trivanto I e Ferinox - Programação de PABX";

} // namespace

TPagina::TPagina(TPrinter& impressora, const std::uint8_t* imagem, const QString& arquivo, const QDate& data)
    : Impressora(impressora), Imagem(imagem), Arquivo(arquivo), Data(data)
{
}

void TPagina::LeTamanhoPagina()
{
    W = Impressora.PageWidth();
    H = Impressora.PageHeight();
    LU = H / 100;
    CU = W / 100;
    MeiaPagina = W / 2;
}

void TPagina::Fonte(int tamanho, bool negrito)
{
    Impressora.Font.Size = tamanho;
    Impressora.Font.Style = negrito ? fsBold : 0u;
}

void TPagina::Caneta(int largura)
{
    Impressora.Pen.Width = largura;
}

void TPagina::Texto(int x, int y, const QString& texto)
{
    Impressora.TextOut(x, y, texto);
}

void TPagina::Linha(int x1, int y1, int x2, int y2)
{
    Impressora.MoveTo(x1, y1);
    Impressora.LineTo(x2, y2);
}

namespace {

// Shrinks the font until the text is at most `largura` wide and `altura`
// high (no limit for altura < 0); the size it had before.
int EncolheFonte(TPagina& p, const QString& texto, int largura, int altura)
{
    const int tamanho = p.Impressora.Font.Size;
    while (p.Impressora.Font.Size > kFonteMinima
           && (p.LarguraTexto(texto) > largura || (altura >= 0 && p.AlturaTexto() > altura)))
        --p.Impressora.Font.Size;
    return tamanho;
}

} // namespace

void TextoAte(TPagina& p, int x, int y, int direita, const QString& texto)
{
    const int tamanho = EncolheFonte(p, texto, direita - x - kFolgaRegua, -1);
    p.Texto(x, y, texto);
    p.Impressora.Font.Size = tamanho;
}

void TextoNaCelula(TPagina& p, int x, int topo, int altura, int direita, const QString& texto)
{
    const int tamanho = EncolheFonte(p, texto, direita - x - kFolgaRegua, altura - 2 * kFolgaRegua);
    p.Texto(x, topo + (altura - p.AlturaTexto()) / 2, texto);
    p.Impressora.Font.Size = tamanho;
}

void AvancaTexto(TPagina& p, double k)
{
    p.Y += std::max(p.Lu(k), p.AlturaTexto() + p.Lu(0.25));
}

void AvancaLinhas(TPagina& p, double k)
{
    p.Y += p.Lu(k);
}

void TracaLinhaHorizontal(TPagina& p, int largura)
{
    p.Caneta(largura);
    p.Linha(p.X, p.Y, p.W - 2 * p.CU, p.Y);
}

QString MarcaX(bool marcado)
{
    return marcado ? QStringLiteral("X") : QStringLiteral(" ");
}

void ImprimeCabecalho(TPagina& p, int relatorio, int subtitulo)
{
    const int direita = p.W - 2 * p.CU;
    p.Fonte(kFonteCabecalho);
    p.X = 1;
    p.Y = 1;
    TextoAte(p, p.X, p.Y, direita,
             QString::fromUtf8(kLinhaPrograma) + QString(18, QLatin1Char(' ')) + QStringLiteral("Data: ")
                 + DateToStr(p.Data));
    AvancaTexto(p, 2);
    p.Fonte(kFonteTitulo);
    p.Impressora.Font.Name = QString::fromLatin1(kFonteRelatorios);
    const QString titulo = relatorio >= 1 && relatorio <= kTotalTitulos
                               ? QString::fromUtf8(kTitulosRelatorios[relatorio]) : QString();
    const QString sub = subtitulo >= 0 && subtitulo < kTotalSubtitulos
                            ? QString::fromUtf8(kSubtitulosRelatorios[subtitulo]) : QString();
    // A path too long for the line even in the smallest font keeps its end.
    QString arquivo = p.Arquivo;
    auto linha = [&] { return titulo + sub + QStringLiteral("   ") + arquivo; };
    p.Impressora.Font.Size = kFonteMinima;
    while (arquivo.size() > 1 && p.LarguraTexto(linha()) > direita - p.X - kFolgaRegua)
        arquivo = QStringLiteral("...") + arquivo.mid(4);
    p.Fonte(kFonteTitulo);
    TextoAte(p, p.X, p.Y, direita, linha());
    AvancaTexto(p, 2);
    TracaLinhaHorizontal(p, 4);
}
