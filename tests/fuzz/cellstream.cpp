// Loading a cell stream: raw bytes (first byte even) or a valid stream of
// a sample grid with bytes overwritten (first byte odd) load into a small
// grid or fail with the reading error; whatever was loaded writes, reads
// and writes again to the same bytes.
#include "tests/fuzz/support/fuzz.h"

#include "grid/cellstream.h"
#include "grid/picturecontainer.h"

#include <QBuffer>

namespace {

QByteArray SamplePng()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A grid that frees the graphics it holds when it goes.
struct Grid {
    Grid(int cols, int rows) : target(grid)
    {
        grid.SetColCount(cols);
        grid.SetRowCount(rows);
    }
    ~Grid()
    {
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.ColCount(); ++c)
                if (grid.HasCellProperties(c, r))
                    target.RemoveCellGraphic(c, r);
    }
    QByteArray SaveAll()
    {
        QByteArray stream;
        WriteCellStream(target, 0, 0, grid.ColCount() - 1, grid.RowCount() - 1, stream);
        return stream;
    }
    TBaseGrid grid;
    TCellStreamTarget target;
};

TCellGraphic* AddGraphic(Grid& g, int col, int row, TCellType type)
{
    TCellGraphic* graphic = g.target.CreateCellGraphic(col, row);
    graphic->CellType = type;
    graphic->CellCreated = true;
    graphic->CellText = QStringLiteral("nota €");
    return graphic;
}

// A valid partial stream with every kind of record.
QByteArray SampleStream()
{
    Grid g(4, 3);
    g.grid.SetCells(0, 0, "a");
    g.grid.SetCells(3, 2, QStringLiteral("Ω wide"));
    auto* bitmap = new TBitmap;
    bitmap->Image = QImage(2, 2, QImage::Format_RGB32);
    bitmap->Image.fill(Qt::red);
    AddGraphic(g, 0, 1, ctBitmap)->CellBitmap = bitmap;
    auto* icon = new TIcon;
    icon->Icon = QIcon(QPixmap::fromImage(bitmap->Image));
    AddGraphic(g, 0, 2, ctIcon)->CellIcon = icon;
    auto* radio = new TCellRadioList;
    radio->Items = {"x", "y"};
    AddGraphic(g, 1, 0, ctRadio)->CellBitmap = radio;
    auto* images = new TIntList(1, 1);
    images->SetCommaText("1,2");
    AddGraphic(g, 1, 1, ctImages)->CellBitmap = images;
    auto* picture = new THTMLPicture;
    picture->LoadFromData(SamplePng());
    AddGraphic(g, 1, 2, ctPicture)->CellBitmap = picture;
    AddGraphic(g, 2, 0, ctFilePicture)->CellBitmap = new TFilePicture;
    AddGraphic(g, 2, 1, ctCheckBox)->CellBoolean = true;
    TCellProperties* props = g.grid.GetCellProperties(2, 2);
    props->SetBrushColor(clYellow);
    props->FontStyle = 3;
    QByteArray stream;
    WriteCellStream(g.target, 0, 0, 3, 1, stream);
    return stream;
}

const QByteArray& Sample()
{
    static const QByteArray sample = SampleStream();
    return sample;
}

// Overwrites the sample with the input's triples: two bytes of position,
// one of value.
QByteArray Mutated(const std::uint8_t* data, std::size_t size)
{
    QByteArray stream = Sample();
    for (std::size_t i = 0; i + 3 <= size; i += 3) {
        const std::size_t at = (data[i] | (data[i + 1] << 8)) % static_cast<std::size_t>(stream.size());
        stream[static_cast<qsizetype>(at)] = static_cast<char>(data[i + 2]);
    }
    if (size % 3 == 1) // a lone byte left over cuts the stream there
        stream.truncate(data[size - 1] * stream.size() / 256);
    return stream;
}

} // namespace

std::vector<std::string> FuzzSeeds()
{
    FuzzInit();
    const std::string sample = Sample().toStdString();
    return {
        std::string(1, '\0') + sample,
        std::string(1, '\x06') + sample,
        std::string("\x01\x10\x00\x41\x90\x00\x00", 7),
        std::string("\x01\x80", 2),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0];
    const QByteArray stream = mode & 1 ? Mutated(data + 1, size - 1)
                                       : QByteArray(reinterpret_cast<const char*>(data) + 1,
                                                    static_cast<qsizetype>(size - 1));
    Grid first(4, 4);
    try {
        ReadCellStream(first.target, (mode >> 1) & 3, (mode >> 3) & 3, stream);
    } catch (const EReadError&) {
        // What was read before the fault stays, and must write cleanly.
    }
    FuzzCheck(std::int64_t(first.grid.ColCount()) * first.grid.RowCount() <= kMaxGridCells,
              "the grid stays within the stream's limit");

    // Every cell reads, merged or not: no span points outside the grid.
    if (std::int64_t(first.grid.ColCount()) * first.grid.RowCount() <= 10000)
        for (int r = 0; r < first.grid.RowCount(); ++r)
            for (int c = 0; c < first.grid.ColCount(); ++c)
                try {
                    first.grid.GetCells(c, r);
                    first.grid.MergedCellRect(c, r);
                } catch (const EInvalidGridOperation&) {
                    FuzzFail("a loaded cell refers outside the grid");
                }

    // Whatever the grid now holds goes through the stream and back; after
    // one pass the pictures are in the forms the stream writes.
    const QByteArray once = first.SaveAll();
    Grid second(1, 1);
    ReadCellStream(second.target, 0, 0, once);
    const QByteArray twice = second.SaveAll();
    Grid third(1, 1);
    ReadCellStream(third.target, 0, 0, twice);
    FuzzCheck(third.SaveAll() == twice, "a loaded grid writes the same stream again");
    return 0;
}
