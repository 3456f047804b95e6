#pragma once
// The round trip of the grid's cell stream and private clipboard: a grid
// filled at random (texts, merged blocks, properties, graphics on any cell,
// covered ones included), a range of it saved and loaded back at a target,
// and what every cell of the target must then hold. Shared by the grid's
// tests and the fuzz target that checks the same property on its inputs.
#include "grid/extgrid.h"

#include <QBuffer>
#include <QString>

#include <algorithm>
#include <functional>
#include <string>

namespace roundtrip {

// What a cell holds as the stream keeps it.
struct CellState {
    QString stored; // the cell's own text
    QString shown;  // its text read through the block it lies in
    TPoint base;    // its block's base cell less the cell; (0, 0) outside a block
    TPoint span;    // its block's size less one; (0, 0) outside a block
    TColor brush = clNone;
    int type = ctEmpty;
    bool flag = false;
    int index = 0;
    int angle = 0;
    QString note;

    bool operator==(const CellState& other) const
    {
        return stored == other.stored && shown == other.shown && base == other.base && span == other.span
               && brush == other.brush && type == other.type && flag == other.flag && index == other.index
               && angle == other.angle && note == other.note;
    }
};

inline std::string Describe(const CellState& s)
{
    return "[" + s.stored.toStdString() + "|" + s.shown.toStdString() + " base " + std::to_string(s.base.X) + ","
           + std::to_string(s.base.Y) + " span " + std::to_string(s.span.X) + "," + std::to_string(s.span.Y)
           + " brush " + std::to_string(s.brush) + " type " + std::to_string(s.type) + "]";
}

// A grid without fixed cells whose stored texts can be read.
class ProbeGrid : public TExtStringGrid {
public:
    ProbeGrid(int cols, int rows)
    {
        SetFixedCols(0);
        SetFixedRows(0);
        SetColCount(cols);
        SetRowCount(rows);
        Navigation()->AllowFmtClipboard = true;
    }
    using TStringGrid::StoredText;

    CellState State(int col, int row)
    {
        CellState s;
        s.stored = StoredText(col, row);
        s.shown = GetCells(col, row);
        const TPoint base = BaseCell(col, row);
        s.base = {base.X - col, base.Y - row};
        s.span = CellSpan(col, row);
        if (HasCellProperties(col, row))
            s.brush = GetCellProperties(col, row)->BrushColor();
        if (const TCellGraphic* g = GetCellGraphicObject(col, row)) {
            s.type = g->CellType;
            s.flag = g->CellBoolean;
            s.index = g->CellIndex;
            s.angle = g->CellAngle;
            s.note = g->CellText;
        }
        return s;
    }
};

// A number below n, from the test's generator or the fuzzer's bytes.
using Pick = std::function<int(int n)>;

// Texts, up to three merged blocks clear of each other, brush colours and
// graphics without objects, on any cell.
inline void FillAtRandom(ProbeGrid& grid, const Pick& pick)
{
    static const char* const kWords[] = {"um", "dois", "três", "€uro", "a\r\nb", " "};
    const int cols = grid.ColCount();
    const int rows = grid.RowCount();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (pick(3) == 0)
                grid.SetCells(c, r, QString::fromUtf8(kWords[pick(6)]) + QString::number(c * 10 + r));
    static const TColor kColours[] = {clRed, clAqua, clYellow};
    for (int n = pick(4); n > 0; --n)
        grid.GetCellProperties(pick(cols), pick(rows))->SetBrushColor(kColours[pick(3)]);
    // Graphics first, so that those on covered cells are there before
    // their block is merged over them.
    static const TCellType kTypes[] = {ctCheckBox, ctComment, ctProgress, ctRotated};
    for (int n = pick(6); n > 0; --n) {
        TCellGraphic* g = grid.CreateCellGraphic(pick(cols), pick(rows));
        g->CellType = kTypes[pick(4)];
        g->CellBoolean = pick(2);
        g->CellIndex = pick(50);
        g->CellAngle = pick(360);
        g->CellText = QStringLiteral("nota %1").arg(pick(9));
    }
    for (int blocks = pick(4); blocks > 0; --blocks) {
        const int w = 1 + pick(3), h = 1 + pick(3), x = pick(cols), y = pick(rows);
        if (w * h == 1 || x + w > cols || y + h > rows)
            continue;
        bool clear = true;
        for (int c = x; c < x + w; ++c)
            for (int r = y; r < y + h; ++r)
                clear = clear && !grid.IsMergedCell(c, r);
        if (clear)
            grid.MergeCells(x, y, w, h);
    }
}

enum class Path { Stream, Clipboard };

// Copies Range of Source to Target at (Col, Row) through the path.
inline void Copy(ProbeGrid& Source, const TGridRect& Range, ProbeGrid& Target, int Col, int Row, Path How)
{
    if (How == Path::Stream) {
        QBuffer stream;
        Source.SaveCellsToStream(Range.Left, Range.Top, Range.Right, Range.Bottom, stream);
        stream.seek(0);
        Target.LoadCellsFromStream(Col, Row, stream);
    } else {
        Source.SetSelection(Range);
        Source.CopySelection();
        Target.PasteFromClipboard(Col, Row);
    }
}

// What Target must hold after Range of Source was copied to (Col, Row):
// every cell of the range that landed in the grid as it was, except that a
// block cut by the range (or by the grid's edge) is cut to what arrived, or
// made plain cells when its base cell did not arrive; every other cell is
// empty (Target is expected fresh). The range's top-left cell must hold a
// text or properties, so that the copy lands at the target. Returns what
// differs, or nothing.
inline std::string Compare(ProbeGrid& Source, const TGridRect& Range, ProbeGrid& Target, int Col, int Row)
{
    const bool whole = Range.Left == 0 && Range.Top == 0 && Range.Right == Source.ColCount() - 1
                       && Range.Bottom == Source.RowCount() - 1;
    if (whole && (Target.ColCount() != Col + Source.ColCount() || Target.RowCount() != Row + Source.RowCount()))
        return "the whole grid does not fit the target exactly";
    // The part of the range that landed inside the target.
    const int right = std::min(Range.Right, Range.Left + Target.ColCount() - 1 - Col);
    const int bottom = std::min(Range.Bottom, Range.Top + Target.RowCount() - 1 - Row);
    const auto landed = [&](int c, int r) { return c >= Range.Left && c <= right && r >= Range.Top && r <= bottom; };
    for (int tr = 0; tr < Target.RowCount(); ++tr)
        for (int tc = 0; tc < Target.ColCount(); ++tc) {
            const int c = tc - Col + Range.Left;
            const int r = tr - Row + Range.Top;
            CellState want;
            if (landed(c, r)) {
                want = Source.State(c, r);
                const TPoint base{c + want.base.X, r + want.base.Y};
                const TPoint block = Source.CellSpan(base.X, base.Y);
                TPoint span{0, 0};
                if (landed(base.X, base.Y))
                    span = {std::min(base.X + block.X, right) - base.X, std::min(base.Y + block.Y, bottom) - base.Y};
                if (span == TPoint{0, 0}) {
                    want.base = {0, 0};
                    want.shown = want.stored;
                }
                want.span = span;
            }
            const CellState got = Target.State(tc, tr);
            if (!(got == want))
                return "cell " + std::to_string(tc) + "," + std::to_string(tr) + " holds " + Describe(got)
                       + ", not " + Describe(want);
        }
    return {};
}

// The range's top-left cell gets properties if it has neither text nor
// them, so that the copy's first cell is that one.
inline void MarkTopLeft(ProbeGrid& Source, const TGridRect& Range)
{
    if (Source.StoredText(Range.Left, Range.Top).isEmpty() && !Source.HasCellProperties(Range.Left, Range.Top))
        Source.GetCellProperties(Range.Left, Range.Top)->SetBrushColor(clLime);
}

} // namespace roundtrip
