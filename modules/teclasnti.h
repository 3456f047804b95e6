#pragma once
// The rules of the terminal-keys window, apart from its widgets: which
// terminals it offers, the work record of the current terminal and how it is
// loaded, checked and stored, the defaults, and the lists its grid offers per
// cell. They read the image under edit through ImagemAtual.
//
// The window's grid shows one key per row: column 1 the type, column 2 the
// number. Cells are edited with drop-down lists, prepared each time a cell's
// editor opens (ListaDaCelula).
#include "image/teclasti.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The grid's columns of a key row.
constexpr int kColunaTipoTecla = 1;
constexpr int kColunaNumeroTecla = 2;

// The keys of one terminal as the window edits them.
using RegistroTeclas = std::array<std::uint8_t, kTeclasTerminal>;

// What a key row shows.
struct LinhaTecla {
    QString tipo;
    QString numero;
    bool operator==(const LinhaTecla&) const = default;
};
using LinhasTeclas = std::array<LinhaTecla, kTeclasTerminal>;

// A terminal the window offers: its number (1..4) and its extension.
struct TerminalOferecido {
    int terminal;
    QString ramal;
    bool operator==(const TerminalOferecido&) const = default;
};
// The terminals connected to an extension beginning with 2 or 3, in order.
std::vector<TerminalOferecido> TerminaisOferecidos();

// Terminal k's record (1..4) from the image.
RegistroTeclas LeTeclasTerminal(int terminal);
// Stores the record into terminal k's 25 bytes and nothing else; with no
// terminal (k outside 1..4) nothing is stored and the result is false.
bool GuardaTeclasTerminal(int terminal, const RegistroTeclas& registro);
// The factory keys of a terminal, as the template holds them.
RegistroTeclas TeclasPadrao();

// The rows of a record (CodigoTeclaParaTexto per key).
LinhaTecla CodigoTeclaParaLinha(std::uint8_t codigo);
LinhasTeclas TeclasParaLinhas(const RegistroTeclas& registro);

// The first row that fails the check: the key (1..25) and the grid column
// (kColunaTipoTecla or kColunaNumeroTecla) of its missing field.
struct FalhaTecla {
    int tecla;
    int coluna;
    bool operator==(const FalhaTecla&) const = default;
};
// Checks the 25 rows in order, stopping at the first that fails, which is
// returned with the record left as it was. When all pass they become the
// record. A row that still shows what its key holds keeps the key's byte, so
// a key the user did not change never changes, whatever its code.
std::optional<FalhaTecla> ValidaTeclasTerminal(const LinhasTeclas& linhas, RegistroTeclas& registro);

// The type names of the type column's list, in the order it offers them.
const QStringList& ListaTiposTecla();
// Whether the number column of a row with this type may be edited: only the
// types that take a number.
bool NumeroEditavel(const QString& tipo);

// The list of one cell's editor and the item that shows the cell's text.
struct ListaCelula {
    QStringList itens;
    int indice;
    bool operator==(const ListaCelula&) const = default;
};
// The type column offers the type names; the number column the numbers of
// the row's type ("Ramal": the valid extensions in position order). The
// item chosen is the one equal to the text, numbers compared by value
// ("01" is item "1"); a text that no item holds is added after the items and
// chosen, so that opening and leaving a cell leaves it as it was.
ListaCelula ListaDaCelula(int coluna, const QString& tipo, const QString& texto);
