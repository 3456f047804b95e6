#pragma once
// The grid's cell stream: a range of cells with their properties and
// graphics as a run of records in the streaming record form, each the image
// of one small property bag. The private clipboard format holds exactly this
// stream.
//
//   TGridPropIO        the range: its size, column widths, row heights,
//                      whether it is the whole grid, and the writing grid
//   then, column by column and within a column row by row, for each cell
//   with text or a properties object:
//   TGridCellIO        its place and text, and whether properties follow
//   TGridCellPropIO    its properties, and whether a graphic follows
//   TGridGraphicIO     its graphic, then by the graphic's kind one of
//   TGridBMPIO, TGridIconIO, TGridPicIO, TGridFilePicIO, TGridSLIO
//
// A graphic whose picture belongs to the application (CellCreated false) is
// not streamed: its cell is written without a graphic.
#include "grid/basegrid.h"
#include "grid/cellgraphic.h"
#include "grid/extobj.h"
#include "platform/graphics.h"
#include "platform/streamform.h"

#include <QStringList>

#include <cstdint>
#include <memory>

// The radio-button texts a ctRadio graphic refers to.
class TCellRadioList : public TObject {
public:
    QStringList Items;
};

// Each bag writes itself as one record and reads itself from one; Read
// raises EReadError for a record of another class, an unknown property or a
// value of the wrong kind. Properties a record leaves out keep their values.
struct TGridPropIO {
    std::int32_t ColCount = 0;
    std::int32_t RowCount = 0;
    QString ColWidths;
    QString RowHeights;
    bool FullGrid = false;
    std::int32_t ID = 0;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
    // The sizes, ColCount (RowCount) of them, each a width (height) of 0 or
    // more; EReadError when the list does not hold that many.
    std::vector<int> Widths() const;
    std::vector<int> Heights() const;
};

struct TGridCellIO {
    // Written with the narrowest integer that holds them, so places beyond
    // row 32767 keep their value.
    std::int32_t Col = 0;
    std::int32_t Row = 0;
    QString Cell;
    bool HasProp = false;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

struct TGridCellPropIO {
    TGridCellPropIO() : CellProperties(std::make_unique<TCellProperties>(nullptr, 0, 0)) {}
    std::unique_ptr<TCellProperties> CellProperties;
    bool HasGraphic = false;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

struct TGridGraphicIO {
    TGridGraphicIO() : CellGraphic(std::make_unique<TCellGraphic>()) {}
    std::unique_ptr<TCellGraphic> CellGraphic;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

struct TGridBMPIO {
    TGridBMPIO() : Bitmap(std::make_unique<TBitmap>()) {}
    std::unique_ptr<TBitmap> Bitmap;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

struct TGridIconIO {
    TGridIconIO() : Icon(std::make_unique<TIcon>()) {}
    std::unique_ptr<TIcon> Icon;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

// A picture of any kind the grid draws: a bitmap, an icon or an image
// file's bytes (THTMLPicture); none when the record holds an empty picture.
struct TGridPicIO {
    std::unique_ptr<TGraphic> Picture;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

struct TGridFilePicIO {
    TGridFilePicIO() : Picture(std::make_unique<TFilePicture>()) {}
    std::unique_ptr<TFilePicture> Picture;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

struct TGridSLIO {
    QStringList Strings;

    void Write(TStreamWriter& Writer) const;
    void Read(const TStreamRecord& Record);
};

// What a cell stream is read into and written from. The grid control gives
// its own graphic creation and its number.
class TCellStreamTarget {
public:
    explicit TCellStreamTarget(TBaseGrid& Grid) : grid_(Grid) {}
    virtual ~TCellStreamTarget() = default;
    TBaseGrid& Grid() const { return grid_; }
    // The number that tells this grid's streams from another's.
    virtual std::int32_t StreamID() const { return 0; }
    // Frees the cell's old graphic and stores a new one.
    virtual TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    // Frees the cell's graphic, if any (not the shared virtual check box).
    virtual void RemoveCellGraphic(int ACol, int ARow);
    // Sets the grid's size for a whole-grid stream.
    virtual void SetGridSize(int ColCount, int RowCount)
    {
        grid_.SetRowCount(RowCount);
        grid_.SetColCount(ColCount);
    }
    // Shows the grid's shared virtual check box in the cell; a grid without
    // one shows nothing.
    virtual void PlaceVirtCheckBox(int /*ACol*/, int /*ARow*/) {}

private:
    TBaseGrid& grid_;
};

// Appends the range from (Left, Top) to (Right, Bottom), cut to the grid,
// to Stream.
void WriteCellStream(TCellStreamTarget& Target, int Left, int Top, int Right, int Bottom, QByteArray& Stream);

// Reads a cell stream from Stream at Position and places its cells relative
// to (ACol, ARow). A whole-grid stream replaces the grid, which is sized to
// hold the block at (ACol, ARow); of a partial one the cells that would fall
// outside the grid are read and dropped. A merged block cut by the copied
// range or by the grid's edge arrives cut to the cells that arrived. Returns
// the range record. Raises EReadError on a stream that does
// not follow the layout; the cells read before the fault stay.
TGridPropIO ReadCellStream(TCellStreamTarget& Target, int ACol, int ARow, const QByteArray& Stream,
                           qsizetype Position = 0);
