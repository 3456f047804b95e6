#pragma once
// The page of the printed reports: everything is placed in hundredths of the
// printable page (CU across, LU down), so the reports scale to any printer.
// One TPagina lives for one print document and carries the current
// position from one call to the next.
#include "platform/printer.h"

#include <QDate>
#include <QString>

#include <cstdint>

// Report titles by report number (1..17) and subtitles by index (0..4).
constexpr int kTotalTitulos = 17;
extern const char* const kTitulosRelatorios[kTotalTitulos + 1];
constexpr int kTotalSubtitulos = 5;
extern const char* const kSubtitulosRelatorios[kTotalSubtitulos];

enum TSubtitulo { stNenhum = 0, stDiurno = 1, stNoturno = 2, stPagina1 = 3, stPagina2 = 4 };

struct TPagina {
    TPagina(TPrinter& impressora, const std::uint8_t* imagem, const QString& arquivo, const QDate& data);

    TPrinter& Impressora;
    const std::uint8_t* Imagem; // the programming image being printed
    QString Arquivo;            // full path of the programming file, "" for none
    QDate Data;                 // the date the header shows

    int W = 0;  // page width in printer pixels
    int H = 0;  // page height
    int LU = 0; // one hundredth of the height
    int CU = 0; // one hundredth of the width
    int X = 0;  // current left position
    int Y = 0;  // current top position
    int MeiaPagina = 0;

    // Reads the page size once the document has started.
    void LeTamanhoPagina();

    // trunc(CU * fator) and trunc(LU * fator).
    int Cu(double fator) const { return static_cast<int>(CU * fator); }
    int Lu(double fator) const { return static_cast<int>(LU * fator); }

    // The font of the next texts: size in points, bold or not; the name
    // stays as last set.
    void Fonte(int tamanho, bool negrito = false);
    void Caneta(int largura);
    // Text at (x, y) in printer pixels, the current position unchanged.
    void Texto(int x, int y, const QString& texto);
    void Texto(int x, int y, const char* texto) { Texto(x, y, QString::fromUtf8(texto)); }
    void Linha(int x1, int y1, int x2, int y2);

    // Measured in the current font, in printer pixels.
    int LarguraTexto(const QString& texto) const { return Impressora.TextWidth(texto); }
    int AlturaTexto() const { return Impressora.TextHeight(); }
};

// The smallest font a text is shrunk to, and the room kept between a text
// and a rule of pen width 4.
constexpr int kFonteMinima = 5;
constexpr int kFolgaRegua = 3;

// Text from (x, y) that ends before `direita`: the font shrinks while the
// text is wider, and returns to its size afterwards.
void TextoAte(TPagina& p, int x, int y, int direita, const QString& texto);
// Text in a cell of a ruled table, from x to the cell's right border
// `direita`, centred between the row's rules at topo and topo + altura; the
// font shrinks while the text is wider or taller than the cell.
void TextoNaCelula(TPagina& p, int x, int topo, int altura, int direita, const QString& texto);
inline void TextoNaCelula(TPagina& p, int x, int topo, int altura, int direita, const char* texto)
{
    TextoNaCelula(p, x, topo, altura, direita, QString::fromUtf8(texto));
}
// Moves down past a line of text of the current font: at least k lines.
void AvancaTexto(TPagina& p, double k);

// Moves k lines down (trunc(LU * k)).
void AvancaLinhas(TPagina& p, double k);
// A line of pen width w from the current position to 2 CU before the right
// edge.
void TracaLinhaHorizontal(TPagina& p, int largura);
// "X" for a set flag, a blank otherwise.
QString MarcaX(bool marcado);
// The head of every report page: the program line with today's date, the
// report's title and subtitle with the programming file, and a rule.
void ImprimeCabecalho(TPagina& p, int relatorio, int subtitulo);
