#include "modules/recusa.h"

#include "platform/control.h"
#include "platform/grids.h"

void MostraErro(const QString& texto)
{
    Application->MessageBox(texto, QStringLiteral("Erro"), kCaixaErro);
}

void Recusa(const QString& texto, TControl* controle)
{
    MostraErro(texto);
    controle->SetFocus();
}

namespace {

// A row other than `linha` among the grid's movable rows, or `linha` itself
// when it is the only one.
int OutraLinha(const TStringGrid* grade, int linha)
{
    if (linha != grade->FixedRows())
        return grade->FixedRows();
    return linha + 1 < grade->RowCount() ? linha + 1 : linha;
}

} // namespace

void RecusaCelula(const QString& texto, TStringGrid* grade, int coluna, int linha, TVoltaCursor volta)
{
    MostraErro(texto);
    if (volta == TVoltaCursor::PorOutraLinha)
        grade->FocusCell(coluna, OutraLinha(grade, linha));
    grade->FocusCell(coluna, linha);
    grade->SetFocus();
}
