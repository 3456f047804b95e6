#pragma once
// Refusing a value the user typed: the reason in the "Erro" box, then the
// user is put back where the value is, and the window stays open with
// nothing of the value written.
//
//   if (!LeData(data)) { Recusa(QStringLiteral("Data inválida."), Edit1); return; }
//   RecusaCelula(QStringLiteral("Horário está incorreto."), StringGrid1, 1, linha,
//                TVoltaCursor::PorOutraLinha);
//
// Shared by the editing windows and the users editor.
#include "platform/application.h"

#include <QString>

class TControl;
class TStringGrid;

// The flags of the refusal box: error icon, Ok button.
constexpr int kCaixaErro = MB_OK | MB_ICONERROR; // 16

// The refusal box alone, caption "Erro", for a refusal that leaves the focus
// where it is (a key filtered out while typing).
void MostraErro(const QString& texto);

// The box, then the focus back on the control that holds the value.
void Recusa(const QString& texto, TControl* controle);

// How the grid cursor goes back to the failing cell: straight there, or
// first to another row and then back, so that the grid's select handler runs
// for the row even when it is the current one.
enum class TVoltaCursor { Direto, PorOutraLinha };

// The box, then the grid cursor on the failing cell and the focus on the grid.
void RecusaCelula(const QString& texto, TStringGrid* grade, int coluna, int linha,
                  TVoltaCursor volta = TVoltaCursor::Direto);
