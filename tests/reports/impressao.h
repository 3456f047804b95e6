#pragma once
// Printing reports onto the recording surface and reading what was printed
// by what a reader of the page would look for: a label and the value on its
// line, a column head and the text under it on a row.
#include "platform/recordingprinter.h"
#include "reports/relatorios.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

// A page of 4800 x 6600 printer pixels: CU = 48, LU = 66.
constexpr int kLarguraTeste = 4800;
constexpr int kAlturaTeste = 6600;
constexpr int kCu = kLarguraTeste / 100;
constexpr int kLu = kAlturaTeste / 100;

inline const QString kArquivoTeste = QStringLiteral("/dados/clientes/loja.pbx");
inline const QDate kDataTeste(2026, 3, 7);

inline TSelecaoRelatorios Selecao(std::initializer_list<int> numeros)
{
    TSelecaoRelatorios selecao{};
    for (int n : numeros)
        selecao[static_cast<size_t>(n)] = true;
    return selecao;
}

inline PrintLog Imprime(const std::uint8_t* imagem, std::initializer_list<int> numeros)
{
    PrintLog log;
    TRecordingPrinter impressora(log, kLarguraTeste, kAlturaTeste);
    ImprimeRelatorios(impressora, imagem, kArquivoTeste, Selecao(numeros), kDataTeste);
    return log;
}

// A case per report and per one of two images, for tables over every
// report: Caso is built from {report number, second image}.
template <typename Caso>
std::vector<Caso> CasosDosRelatorios()
{
    std::vector<Caso> casos;
    for (int n : kNumerosRelatorios)
        for (bool segunda : {false, true})
            casos.push_back({n, segunda});
    return casos;
}

// The texts on the line of `texto` (same page, tops within half a line),
// left to right, after it.
inline std::vector<PrintedItem> NaMesmaLinha(const PrintLog& log, const PrintedItem& referencia)
{
    std::vector<PrintedItem> linha;
    for (const PrintedItem& item : log.Texts())
        if (item.page == referencia.page && std::abs(item.y - referencia.y) < kLu / 2 && item.x > referencia.x)
            linha.push_back(item);
    std::sort(linha.begin(), linha.end(), [](const PrintedItem& a, const PrintedItem& b) { return a.x < b.x; });
    return linha;
}

// The value printed on the line of the label, or "(none)".
inline QString ValorDe(const PrintLog& log, const QString& rotulo)
{
    const PrintedItem* item = log.FindText(rotulo);
    if (!item)
        return QStringLiteral("(no label)");
    const std::vector<PrintedItem> linha = NaMesmaLinha(log, *item);
    return linha.empty() ? QStringLiteral("(none)") : linha.front().text;
}

// Every text equal to `texto`, in printing order.
inline std::vector<PrintedItem> Todos(const PrintLog& log, const QString& texto)
{
    std::vector<PrintedItem> achados;
    for (const PrintedItem& item : log.Texts())
        if (item.text == texto)
            achados.push_back(item);
    return achados;
}

// The text on the row of `linha` under the column head `cabeca`, the head
// taken from the line of the nearest `ancora` (the table's first head)
// above the row; "" when the cell is empty. A text belongs to the column
// when its left edge lies within a column unit and a half of the head's.
inline QString SobCabeca(const PrintLog& log, const QString& ancora, const QString& cabeca, const PrintedItem& linha)
{
    const PrintedItem* topo = nullptr;
    for (const PrintedItem& item : log.items)
        if (item.kind == PrintedItem::Text && item.page == linha.page && item.text == ancora && item.y < linha.y
            && (!topo || item.y > topo->y))
            topo = &item;
    if (!topo)
        return QStringLiteral("(no anchor)");
    int x = topo->text == cabeca ? topo->x : -1;
    for (const PrintedItem& item : NaMesmaLinha(log, *topo))
        if (item.text == cabeca && x < 0)
            x = item.x;
    if (x < 0)
        return QStringLiteral("(no head)");
    for (const PrintedItem& item : log.Texts())
        if (item.page == linha.page && std::abs(item.y - linha.y) < kLu / 2 && std::abs(item.x - x) <= kCu * 3 / 2
            && !(item.x == linha.x && item.y == linha.y))
            return item.text.trimmed();
    return QString();
}

// The first text equal to `texto` at left edge x (in printer pixels) on a
// page, or null.
inline const PrintedItem* TextoEm(const PrintLog& log, const QString& texto, int x, int page = 0)
{
    for (const PrintedItem& item : log.items)
        if (item.kind == PrintedItem::Text && item.text == texto && item.x == x && (page == 0 || item.page == page))
            return &item;
    return nullptr;
}
