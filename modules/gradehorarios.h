#pragma once
// Lists of times edited in a string grid, as the night-service, external
// actuation and wake-up windows have them (and the holidays window's sort).
//
// A window uses the pieces in its own handlers:
//   - filling a cell:      grade->SetCells(c, r, TextoCelulaHorario(bytes));
//   - StringGrid1GetEditMask: Value = MascaraHorario() for its time columns;
//   - StringGrid1DrawCell: RestauraHorarioApagado(grade, c, r) for a time cell;
//   - OkButtonClick:       LeHorarios(grade, celulas, lidos, mensagem) stops
//     the Ok at the first bad time (message shown, cursor on the cell, grid
//     focused); then OrdenaHorarios over the times that are sorted together
//     and Horario::Grava into the image.
// The margin is the number of blanks before the time in a cell: two in most
// windows, three in the wake-up window.
#include "image/registro.h"
#include "platform/grids.h"

#include <QString>

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

inline constexpr int kMargemHorario = 2;

// A time of a list: hour and minute, or no time (0x60 in both). Ordered by
// hour, then minute, so no time (hour 0x60) comes after every real time.
struct Horario {
    std::uint8_t hora = kSemHorario;
    std::uint8_t minuto = kSemHorario;

    bool Vazio() const { return hora == kSemHorario || minuto == kSemHorario; }
    // [hour, minute] as the image keeps them.
    static Horario De(const std::uint8_t* horaMinuto) { return {horaMinuto[0], horaMinuto[1]}; }
    void Grava(std::uint8_t* horaMinuto) const
    {
        horaMinuto[0] = hora;
        horaMinuto[1] = minuto;
    }
    auto operator<=>(const Horario&) const = default;
};

// The edit mask of a time cell: the margin's blanks, then "99:99;1;_".
QString MascaraHorario(int margem = kMargemHorario);

// A time cell's text: the margin's blanks, then hh:mm, or "__:__" when the
// hour or the minute is no time.
QString TextoCelulaHorario(Horario horario, int margem = kMargemHorario);
inline QString TextoCelulaHorario(const std::uint8_t* horaMinuto, int margem = kMargemHorario)
{
    return TextoCelulaHorario(Horario::De(horaMinuto), margem);
}

// Reads a time cell: trimmed "__:__", ":" or nothing is no time (valid); a
// text shorter than hh:mm, an hour from 24 or a minute from 60 is refused
// (nullopt), and so is a part that is not a number.
std::optional<Horario> LeCelulaHorario(const QString& texto);

// A cell the user cleared (its trimmed text is ":") shows "__:__" again, with
// the margin. True when the cell was reset.
bool RestauraHorarioApagado(TStringGrid* grade, int coluna, int linha, int margem = kMargemHorario);

// Reads the cells in the order given into lidos (one time per cell). At the
// first bad time: the error box with mensagem(cell), the grid cursor on that
// cell (the row is first changed to another row, then back, so the window's
// row handlers run) and the focus on the grid; lidos then holds the times
// read before it, and the result is false.
bool LeHorarios(TStringGrid* grade, std::span<const TGridCoord> celulas, std::vector<Horario>& lidos,
                const std::function<QString(TGridCoord)>& mensagem);

// Exchange sort, ascending by menor: for i, for j after i, swap when j's
// element is less than i's. The windows store their lists in this order.
template <typename T, typename Menor = std::less<T>>
void OrdenaPorTroca(std::span<T> itens, Menor menor = {})
{
    for (std::size_t i = 0; i + 1 < itens.size(); ++i)
        for (std::size_t j = i + 1; j < itens.size(); ++j)
            if (menor(itens[j], itens[i]))
                std::swap(itens[i], itens[j]);
}

// Times ascending by (hour, minute), no time last.
inline void OrdenaHorarios(std::span<Horario> horarios)
{
    OrdenaPorTroca(horarios);
}
