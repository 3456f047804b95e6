#pragma once
// The name column of a grid (numbering plan, private codes, general
// speed-dial list): a blank, then up to 20 characters of the exchange's
// code page.
#include <QString>

class TStringGrid;

// The edit mask of a name cell: a leading blank and 20 free characters.
QString MascaraNome();

// Reads the name in cell (coluna, linha) as it is stored: without the blanks
// around it, at most 20 characters. A name that cp1252 cannot hold is
// refused at its cell (false): it would be stored altered.
bool LeNomeDaCelula(TStringGrid* grade, int coluna, int linha, QString& nome);
