#include "modules/colunanome.h"

#include "image/cp1252.h"
#include "image/layout.h"
#include "modules/recusa.h"
#include "platform/grids.h"

QString MascaraNome()
{
    return QStringLiteral(" ") + QString(kMaximoNome, QLatin1Char('c'));
}

bool LeNomeDaCelula(TStringGrid* grade, int coluna, int linha, QString& nome)
{
    nome = grade->Cells(coluna, linha).trimmed().left(kMaximoNome);
    if (Utf8ParaCp1252(nome.toStdString()))
        return true;
    RecusaCelula(QStringLiteral("O nome ") + nome + QStringLiteral(" contém caracteres que não podem ser gravados"),
                 grade, coluna, linha);
    return false;
}
