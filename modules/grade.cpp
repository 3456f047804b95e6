#include "modules/grade.h"

TStringGrid* CriaGrade(QWidget* pai, const DadosGrade& dados, int contextoAjuda)
{
    auto* grade = Posiciona(new TStringGrid(pai), dados.nome, dados.lugar);
    grade->SetColCount(dados.colunas);
    grade->SetRowCount(dados.linhas);
    grade->SetFixedCols(dados.colunasFixas);
    grade->SetFixedRows(dados.linhasFixas);
    if (dados.larguraPadrao > 0)
        grade->SetDefaultColWidth(dados.larguraPadrao);
    if (dados.alturaPadrao > 0)
        grade->SetDefaultRowHeight(dados.alturaPadrao);
    grade->SetOptions(dados.opcoes);
    grade->SetScrollBars(dados.barras);
    for (int c = 0; c < static_cast<int>(dados.larguras.size()) && c < dados.colunas; ++c)
        if (dados.larguras[static_cast<size_t>(c)] > 0)
            grade->SetColWidths(c, dados.larguras[static_cast<size_t>(c)]);
    for (int c = 0; c < static_cast<int>(dados.cabecalhos.size()) && c < dados.colunas; ++c)
        grade->SetCells(c, 0, QString::fromUtf8(dados.cabecalhos[static_cast<size_t>(c)]));
    grade->HelpContext = contextoAjuda;
    return grade;
}
