#pragma once
// A string grid built from data, as the windows lay out their other
// controls: name, place, size in cells, options, column widths and header.
//
//   const DadosGrade kGrade{"StringGrid1", {8, 8, 420, 340}, 3, 13,
//                           kDefaultGridOptions | goEditing, ssVertical, {0, 70, 260},
//                           {"   POS", " RAMAL", " NOME"}};
//   StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
//
// The window then ties the grid's events to its own handlers. Shared by the
// editing windows and the users editor.
#include "platform/grids.h"
#include "platform/lugar.h"

#include <vector>

struct DadosGrade {
    const char* nome;
    Lugar lugar;
    int colunas;
    int linhas;                          // the fixed ones included
    TGridOptions opcoes;
    TScrollStyle barras;
    std::vector<int> larguras;           // of columns 0, 1, ...; 0 keeps the default width
    std::vector<const char*> cabecalhos; // row 0, UTF-8; none: the window writes it
    int colunasFixas = 1;
    int linhasFixas = 1;
    int larguraPadrao = 0;               // 0: the grid's own defaults
    int alturaPadrao = 0;
};

TStringGrid* CriaGrade(QWidget* pai, const DadosGrade& dados, int contextoAjuda);
