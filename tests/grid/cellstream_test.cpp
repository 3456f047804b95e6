// The cell stream: exact bytes of small ranges record by record, write-read
// round trips of cells with properties and every kind of graphic, whole-grid
// and partial loads, places beyond row 32767, and streams that do not follow
// the layout.
#include "grid/cellstream.h"

#include "grid/picturecontainer.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray B(const char* bytes, std::size_t size)
{
    return QByteArray(bytes, static_cast<qsizetype>(size));
}
#define BYTES(literal) B(literal, sizeof(literal) - 1)

class NumberedTarget : public TCellStreamTarget {
public:
    NumberedTarget(TBaseGrid& grid, std::int32_t id) : TCellStreamTarget(grid), id_(id) {}
    std::int32_t StreamID() const override { return id_; }

private:
    std::int32_t id_;
};

// A grid with its stream side; frees the graphics it holds when it goes.
struct Grid {
    explicit Grid(int cols, int rows, std::int32_t id = 1) : target(grid, id)
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
    QByteArray Save(int left, int top, int right, int bottom)
    {
        QByteArray stream;
        WriteCellStream(target, left, top, right, bottom, stream);
        return stream;
    }
    TGridPropIO Load(int col, int row, const QByteArray& stream) { return ReadCellStream(target, col, row, stream); }
    TCellGraphic* Graphic(int col, int row) { return dynamic_cast<TCellGraphic*>(grid.GetCellGraphic(col, row)); }

    TBaseGrid grid;
    NumberedTarget target;
};

const QByteArray kPropRecordStart = BYTES("TPF0" "\x0b" "TGridPropIO" "\x00");
const QByteArray kCellRecordStart = BYTES("TPF0" "\x0b" "TGridCellIO" "\x00");
const QByteArray kEnd = BYTES("\x00\x00");

TEST(CellStream, SmallRangeHasTheseBytes)
{
    Grid g(3, 3, 7);
    g.grid.SetColWidths(1, 50);
    g.grid.SetRowHeights(0, 20);
    g.grid.SetRowHeights(1, 300);
    g.grid.SetCells(1, 0, "a");
    g.grid.SetCells(1, 1, QStringLiteral("é"));
    g.grid.SetCells(0, 0, "outside");
    const QByteArray stream = g.Save(1, 0, 1, 1);

    const QByteArray golden = kPropRecordStart
        + BYTES("\x08" "ColCount" "\x02\x01"
                "\x08" "RowCount" "\x02\x02"
                "\x09" "ColWidths" "\x06\x02" "50"
                "\x0a" "RowHeights" "\x06\x06" "20,300"
                "\x08" "FullGrid" "\x08"
                "\x02" "ID" "\x02\x07")
        + kEnd
        + kCellRecordStart
        + BYTES("\x03" "Col" "\x02\x01" "\x03" "Row" "\x02\x00" "\x04" "Cell" "\x06\x01" "a" "\x07" "HasProp" "\x08")
        + kEnd
        + kCellRecordStart
        + BYTES("\x03" "Col" "\x02\x01" "\x03" "Row" "\x02\x01" "\x04" "Cell" "\x06\x01" "\xe9" "\x07" "HasProp" "\x08")
        + kEnd;
    EXPECT_EQ(stream.toHex(' '), golden.toHex(' '));
}

TEST(CellStream, WholeGridAndWideTextsHaveTheseBytes)
{
    Grid g(1, 1, 70000);
    g.grid.SetColWidths(0, 64);
    g.grid.SetRowHeights(0, 24);
    g.grid.SetCells(0, 0, QStringLiteral("Ω"));
    const QByteArray golden = kPropRecordStart
        + BYTES("\x08" "ColCount" "\x02\x01"
                "\x08" "RowCount" "\x02\x01"
                "\x09" "ColWidths" "\x06\x02" "64"
                "\x0a" "RowHeights" "\x06\x02" "24"
                "\x08" "FullGrid" "\x09"
                "\x02" "ID" "\x04\x70\x11\x01\x00")
        + kEnd
        + kCellRecordStart
        + BYTES("\x03" "Col" "\x02\x00" "\x03" "Row" "\x02\x00" "\x04" "Cell" "\x12\x01\x00\x00\x00\xa9\x03"
                "\x07" "HasProp" "\x08")
        + kEnd;
    EXPECT_EQ(g.Save(0, 0, 0, 0).toHex(' '), golden.toHex(' '));
}

// Places beyond the 16-bit range keep their value: the 32-bit integer.
TEST(CellStream, PlacesBeyondRow32767AreWrittenWhole)
{
    Grid g(2, 40010);
    g.grid.SetCells(1, 40000, "far");
    const QByteArray stream = g.Save(1, 40000, 1, 40000);
    const QByteArray cell = kCellRecordStart
        + BYTES("\x03" "Col" "\x02\x01" "\x03" "Row" "\x04\x40\x9c\x00\x00" "\x04" "Cell" "\x06\x03" "far"
                "\x07" "HasProp" "\x08")
        + kEnd;
    EXPECT_TRUE(stream.endsWith(cell)) << stream.toHex(' ').toStdString();

    // A range across the old limit lands on the right rows.
    for (int r = 32760; r < 32780; ++r)
        g.grid.SetCells(0, r, QString::number(r));
    Grid target(2, 40010);
    target.Load(0, 39980, g.Save(0, 32760, 0, 32779));
    for (int r = 0; r < 20; ++r)
        EXPECT_EQ(target.grid.Cells(0, 39980 + r), QString::number(32760 + r));
    EXPECT_EQ(target.grid.Cells(0, 39979), "");
}

TEST(CellStream, CellPropertiesRecordHasTheseBytes)
{
    Grid g(2, 2, 1);
    g.grid.SetColWidths(0, 64);
    g.grid.SetRowHeights(0, 24);
    TCellProperties* props = g.grid.GetCellProperties(0, 0);
    props->SetBrushColor(clRed);
    props->FontStyle = fsBold | fsUnderline;
    props->FontColor = 0x123456;
    props->Editor = edFloat;
    const QByteArray stream = g.Save(0, 0, 0, 0);
    const QByteArray golden = BYTES("TPF0" "\x0f" "TGridCellPropIO" "\x00"
                                    "\x17" "CellProperties.OwnerCol" "\x02\x00"
                                    "\x17" "CellProperties.OwnerRow" "\x02\x00"
                                    "\x19" "CellProperties.BrushStyle" "\x07\x07" "bsSolid"
                                    "\x19" "CellProperties.BrushColor" "\x07\x05" "clRed"
                                    "\x17" "CellProperties.FontSize" "\x02\x00"
                                    "\x18" "CellProperties.FontColor" "\x04\x56\x34\x12\x00"
                                    "\x18" "CellProperties.FontStyle" "\x0b\x06" "fsBold" "\x0b" "fsUnderline" "\x00"
                                    "\x18" "CellProperties.CellSpanY" "\x02\xff"
                                    "\x18" "CellProperties.CellSpanX" "\x02\xff"
                                    "\x1a" "CellProperties.BorderWidth" "\x02\x00"
                                    "\x1a" "CellProperties.BorderColor" "\x07\x07" "clBlack"
                                    "\x18" "CellProperties.Alignment" "\x07\x0d" "taLeftJustify"
                                    "\x19" "CellProperties.VAlignment" "\x07\x06" "vtaTop"
                                    "\x17" "CellProperties.WordWrap" "\x08"
                                    "\x19" "CellProperties.IsBaseCell" "\x09"
                                    "\x18" "CellProperties.NodeLevel" "\x02\x00"
                                    "\x15" "CellProperties.Editor" "\x07\x07" "edFloat"
                                    "\x17" "CellProperties.FontName" "\x06\x00"
                                    "\x17" "CellProperties.ReadOnly" "\x08"
                                    "\x0a" "HasGraphic" "\x08"
                                    "\x00\x00");
    const QByteArray cell = kCellRecordStart
        + BYTES("\x03" "Col" "\x02\x00" "\x03" "Row" "\x02\x00" "\x04" "Cell" "\x06\x00" "\x07" "HasProp" "\x09")
        + kEnd;
    EXPECT_TRUE(stream.endsWith(cell + golden)) << stream.toHex(' ').toStdString();
}

TEST(CellStream, GraphicRecordHasTheseBytes)
{
    Grid g(1, 1);
    auto* graphic = g.target.CreateCellGraphic(0, 0);
    graphic->CellType = ctCheckBox;
    graphic->CellBoolean = true;
    graphic->CellValue = 1.5;
    graphic->CellErrLen = 300;
    const QByteArray golden = BYTES("TPF0" "\x0e" "TGridGraphicIO" "\x00"
                                    "\x14" "CellGraphic.CellType" "\x07\x0a" "ctCheckBox"
                                    "\x16" "CellGraphic.CellVAlign" "\x07\x05" "vaTop"
                                    "\x16" "CellGraphic.CellHAlign" "\x07\x06" "haLeft"
                                    "\x15" "CellGraphic.CellIndex" "\x02\x00"
                                    "\x1b" "CellGraphic.CellTransparent" "\x08"
                                    "\x17" "CellGraphic.CellCreated" "\x08"
                                    "\x17" "CellGraphic.CellBoolean" "\x09"
                                    "\x15" "CellGraphic.CellAngle" "\x02\x00"
                                    "\x15" "CellGraphic.CellValue" "\x05" "\x00\x00\x00\x00\x00\x00\x00\xc0\xff\x3f"
                                    "\x17" "CellGraphic.CellErrFrom" "\x02\x00"
                                    "\x16" "CellGraphic.CellErrLen" "\x03\x2c\x01"
                                    "\x14" "CellGraphic.CellText" "\x06\x00"
                                    "\x00\x00");
    EXPECT_TRUE(g.Save(0, 0, 0, 0).endsWith(golden));
}

// ---- round trips

QImage Pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x * 20, y * 30, (x + y) * 5, 255));
    return image;
}

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Fills one cell per graphic kind and some plain and styled cells.
void FillSample(Grid& g, const QString& pictureFile)
{
    auto add = [&](int col, int row, TCellType type) {
        g.grid.SetCells(col, row, QStringLiteral("c%1r%2").arg(col).arg(row));
        TCellGraphic* graphic = g.target.CreateCellGraphic(col, row);
        graphic->CellType = type;
        graphic->CellCreated = true;
        graphic->CellIndex = col * 10 + row;
        graphic->CellHAlign = haCenter;
        graphic->CellVAlign = vaFull;
        graphic->CellAngle = 45;
        graphic->CellValue = -2.75;
        graphic->CellErrFrom = 2;
        graphic->CellErrLen = 3;
        graphic->CellText = QStringLiteral("comentário");
        return graphic;
    };
    auto* bitmap = new TBitmap;
    bitmap->Image = Pattern(5, 4);
    add(0, 0, ctBitmap)->CellBitmap = bitmap;
    auto* button = new TBitmap;
    button->Image = Pattern(3, 3);
    add(0, 1, ctBitButton)->CellBitmap = button;
    auto* icon = new TIcon;
    icon->Icon = QIcon(QPixmap::fromImage(Pattern(16, 16)));
    icon->Size = 16;
    add(0, 2, ctIcon)->CellIcon = icon;
    auto* radio = new TCellRadioList;
    radio->Items = {"um", "dois", QStringLiteral("três")};
    add(1, 0, ctRadio)->CellBitmap = radio;
    auto* images = new TIntList(1, 1);
    images->SetCommaText("3,1,4");
    add(1, 1, ctImages)->CellBitmap = images;
    auto* picture = new THTMLPicture;
    picture->LoadFromData(Png(Pattern(6, 2)));
    add(1, 2, ctPicture)->CellBitmap = picture;
    auto* filePicture = new TFilePicture;
    filePicture->SetFilename(pictureFile);
    add(2, 0, ctFilePicture)->CellBitmap = filePicture;
    auto* pictureBitmap = new TBitmap;
    pictureBitmap->Image = Pattern(2, 7);
    add(2, 1, ctPicture)->CellBitmap = pictureBitmap;
    add(2, 2, ctCheckBox)->CellBoolean = true;
    add(3, 0, ctComment);
    g.grid.SetCells(3, 1, "plain");
    TCellProperties* props = g.grid.GetCellProperties(3, 2);
    props->SetBrushColor(0x00ABCDEF);
    props->FontName = "Courier";
    props->FontSize = 14;
    props->FontStyle = fsItalic | fsStrikeOut;
    props->Alignment = taCenter;
    props->SetVAlignment(vtaBottom);
    props->SetWordWrap(true);
    props->ReadOnly = true;
    props->NodeLevel = 2;
    props->BorderWidth = 3;
    props->BorderColor = clSystemColor | 5;
}

void ExpectSameImage(const QImage& a, const QImage& b)
{
    EXPECT_EQ(a.convertToFormat(QImage::Format_ARGB32), b.convertToFormat(QImage::Format_ARGB32));
}

void ExpectSameGraphic(TCellGraphic* a, TCellGraphic* b)
{
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->CellType, b->CellType);
    EXPECT_EQ(a->CellVAlign, b->CellVAlign);
    EXPECT_EQ(a->CellHAlign, b->CellHAlign);
    EXPECT_EQ(a->CellIndex, b->CellIndex);
    EXPECT_EQ(a->CellAngle, b->CellAngle);
    EXPECT_EQ(a->CellBoolean, b->CellBoolean);
    EXPECT_EQ(a->CellCreated, b->CellCreated);
    EXPECT_EQ(a->CellValue, b->CellValue);
    EXPECT_EQ(a->CellErrFrom, b->CellErrFrom);
    EXPECT_EQ(a->CellErrLen, b->CellErrLen);
    EXPECT_EQ(a->CellText, b->CellText);
    switch (a->CellType) {
    case ctBitmap:
    case ctBitButton:
        ExpectSameImage(dynamic_cast<TBitmap*>(a->CellBitmap)->Image, dynamic_cast<TBitmap*>(b->CellBitmap)->Image);
        break;
    case ctIcon:
        ExpectSameImage(dynamic_cast<TIcon*>(a->CellIcon)->Icon.pixmap(16).toImage(),
                        dynamic_cast<TIcon*>(b->CellIcon)->Icon.pixmap(16).toImage());
        break;
    case ctRadio:
        EXPECT_EQ(dynamic_cast<TCellRadioList*>(a->CellBitmap)->Items, dynamic_cast<TCellRadioList*>(b->CellBitmap)->Items);
        break;
    case ctImages:
        EXPECT_EQ(dynamic_cast<TIntList*>(a->CellBitmap)->CommaText(), dynamic_cast<TIntList*>(b->CellBitmap)->CommaText());
        break;
    case ctPicture:
        if (auto* html = dynamic_cast<THTMLPicture*>(a->CellBitmap)) {
            ASSERT_NE(dynamic_cast<THTMLPicture*>(b->CellBitmap), nullptr);
            EXPECT_EQ(html->Data(), dynamic_cast<THTMLPicture*>(b->CellBitmap)->Data());
        } else {
            ExpectSameImage(dynamic_cast<TBitmap*>(a->CellBitmap)->Image, dynamic_cast<TBitmap*>(b->CellBitmap)->Image);
        }
        break;
    case ctFilePicture: {
        auto* pa = dynamic_cast<TFilePicture*>(a->CellBitmap);
        auto* pb = dynamic_cast<TFilePicture*>(b->CellBitmap);
        EXPECT_EQ(pa->Filename(), pb->Filename());
        EXPECT_EQ(pa->Width(), pb->Width());
        EXPECT_EQ(pa->Height(), pb->Height());
        break;
    }
    default:
        break;
    }
}

void ExpectSameProps(TCellProperties* a, TCellProperties* b)
{
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->BrushColor(), b->BrushColor());
    EXPECT_EQ(a->BrushStyle, b->BrushStyle);
    EXPECT_EQ(a->FontName, b->FontName);
    EXPECT_EQ(a->FontSize, b->FontSize);
    EXPECT_EQ(a->FontColor, b->FontColor);
    EXPECT_EQ(a->FontStyle, b->FontStyle);
    EXPECT_EQ(a->Alignment, b->Alignment);
    EXPECT_EQ(a->VAlignment(), b->VAlignment());
    EXPECT_EQ(a->WordWrap(), b->WordWrap());
    EXPECT_EQ(a->ReadOnly, b->ReadOnly);
    EXPECT_EQ(a->NodeLevel, b->NodeLevel);
    EXPECT_EQ(a->BorderWidth, b->BorderWidth);
    EXPECT_EQ(a->BorderColor, b->BorderColor);
    EXPECT_EQ(a->Editor, b->Editor);
    EXPECT_EQ(a->IsBaseCell, b->IsBaseCell);
    EXPECT_EQ(a->CellSpanX, b->CellSpanX);
    EXPECT_EQ(a->CellSpanY, b->CellSpanY);
}

class CellStreamRoundTrip : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        pictureFile = dir.filePath("p.png");
        ASSERT_TRUE(Pattern(9, 5).save(pictureFile));
        FillSample(source, pictureFile);
    }
    QTemporaryDir dir;
    QString pictureFile;
    Grid source{4, 3, 11};
};

TEST_F(CellStreamRoundTrip, EveryGraphicKindAndPropertiesComeBackAtTheTarget)
{
    Grid target(8, 8, 12);
    target.grid.SetCells(7, 7, "kept");
    const TGridPropIO range = target.Load(0, 0, source.Save(0, 0, 3, 2));
    EXPECT_EQ(range.ID, 11);
    EXPECT_EQ(range.ColCount, 4);
    EXPECT_EQ(range.RowCount, 3);
    EXPECT_TRUE(range.FullGrid);
    EXPECT_EQ(target.grid.ColCount(), 4);
    EXPECT_EQ(target.grid.RowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << c << "," << r);
            EXPECT_EQ(target.grid.Cells(c, r), source.grid.Cells(c, r));
            EXPECT_EQ(target.grid.HasCellProperties(c, r), source.grid.HasCellProperties(c, r));
            if (source.grid.HasCellProperties(c, r)) {
                ExpectSameProps(source.grid.GetCellProperties(c, r), target.grid.GetCellProperties(c, r));
                EXPECT_EQ(target.grid.GetCellProperties(c, r)->OwnerCol, c);
            }
            if (source.Graphic(c, r))
                ExpectSameGraphic(source.Graphic(c, r), target.Graphic(c, r));
        }
}

TEST_F(CellStreamRoundTrip, APartialRangeLandsAtTheTargetAndKeepsItsSizes)
{
    Grid target(8, 8, 12);
    target.grid.SetColWidths(3, 99);
    target.grid.SetRowHeights(4, 77);
    target.grid.SetCells(7, 7, "kept");
    // Columns 1..2, rows 0..2: the first cell, (1,0), goes to the target.
    const TGridPropIO range = target.Load(3, 4, source.Save(1, 0, 2, 2));
    EXPECT_FALSE(range.FullGrid);
    EXPECT_EQ(target.grid.ColCount(), 8);
    EXPECT_EQ(target.grid.ColWidths(3), 99);
    EXPECT_EQ(target.grid.RowHeights(4), 77);
    EXPECT_EQ(target.grid.Cells(7, 7), "kept");
    for (int r = 0; r < 3; ++r)
        for (int c = 1; c < 3; ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << c << "," << r);
            EXPECT_EQ(target.grid.Cells(c + 2, r + 4), source.grid.Cells(c, r));
            ExpectSameGraphic(source.Graphic(c, r), target.Graphic(c + 2, r + 4));
            EXPECT_EQ(target.grid.GetCellProperties(c + 2, r + 4)->OwnerRow, r + 4);
        }
    // Written again from the target, the block gives the same cell records.
    const QByteArray again = target.Save(3, 4, 4, 6);
    Grid third(8, 8);
    third.Load(3, 4, again);
    EXPECT_EQ(third.Save(3, 4, 4, 6).mid(again.indexOf("TGridCellIO")), again.mid(again.indexOf("TGridCellIO")));
}

TEST_F(CellStreamRoundTrip, WholeGridRestoresSizesAndEmptiesTheRest)
{
    source.grid.SetColWidths(2, 123);
    source.grid.SetRowHeights(1, 45);
    Grid target(9, 9);
    target.grid.SetCells(8, 8, "gone");
    target.target.CreateCellGraphic(5, 5)->CellType = ctCheckBox;
    target.Load(0, 0, source.Save(0, 0, 3, 2));
    EXPECT_EQ(target.grid.ColCount(), 4);
    EXPECT_EQ(target.grid.RowCount(), 3);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(target.grid.ColWidths(c), source.grid.ColWidths(c));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(target.grid.RowHeights(r), source.grid.RowHeights(r));
    EXPECT_EQ(target.grid.ColWidths(2), 123);
}

TEST(CellStream, FirstNonEmptyCellGoesToTheTarget)
{
    Grid g(4, 4);
    g.grid.SetCells(2, 1, "x");
    g.grid.SetCells(3, 3, "y");
    Grid target(6, 6);
    target.Load(0, 0, g.Save(1, 0, 3, 3));
    EXPECT_EQ(target.grid.Cells(0, 0), "x");
    EXPECT_EQ(target.grid.Cells(1, 2), "y");
}

// Only cells inside the grid are placed; the records of the others are read
// past, so later cells still land.
TEST(CellStream, CellsOutsideTheGridAreDropped)
{
    Grid g(3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            g.grid.SetCells(c, r, QStringLiteral("%1%2").arg(c).arg(r));
            g.target.CreateCellGraphic(c, r)->CellType = ctCheckBox;
        }
    Grid target(2, 2);
    target.Load(1, 1, g.Save(0, 0, 2, 2).replace("FullGrid\x09", "FullGrid\x08"));
    EXPECT_EQ(target.grid.Cells(1, 1), "00");
    EXPECT_EQ(target.grid.Cells(0, 0), "");
    EXPECT_EQ(target.grid.ColCount(), 2);
    ASSERT_NE(target.Graphic(1, 1), nullptr);
    EXPECT_EQ(target.Graphic(0, 1), nullptr);

    // A negative target places nothing before the grid.
    Grid other(2, 2);
    other.Load(-1, -1, g.Save(0, 0, 2, 2).replace("FullGrid\x09", "FullGrid\x08"));
    EXPECT_EQ(other.grid.Cells(0, 0), "11");
    EXPECT_EQ(other.grid.Cells(1, 1), "22");
}

// A range that cuts a merged block, or a block that would reach past the
// grid's edge, never leaves a cell pointing outside the grid.
TEST(CellStream, MergedBlocksStayInsideTheGrid)
{
    Grid g(4, 4);
    g.grid.MergeCells(1, 1, 3, 3);
    g.grid.SetCells(1, 1, "block");
    Grid target(3, 3);
    // The covered cell (3, 3) alone: its base lies outside the copy.
    target.Load(0, 0, g.Save(3, 3, 3, 3));
    EXPECT_TRUE(target.grid.GetCellProperties(0, 0)->IsBaseCell);
    EXPECT_EQ(target.grid.GetCellProperties(0, 0)->CellSpanX, -1);
    EXPECT_EQ(target.grid.Cells(0, 0), "");
    // The base cell at the last cell of the target: its block is cut there.
    target.Load(2, 2, g.Save(1, 1, 1, 1));
    EXPECT_FALSE(target.grid.IsMergedCell(2, 2));
    EXPECT_EQ(target.grid.Cells(2, 2), "block");
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NO_THROW(target.grid.Cells(c, r));
    // The whole block copied keeps its shape.
    Grid big(6, 6);
    big.Load(2, 2, g.Save(1, 1, 3, 3));
    EXPECT_EQ(big.grid.CellSpan(2, 2).X, 2);
    EXPECT_EQ(big.grid.Cells(4, 4), "block");
}

TEST(CellStream, ApplicationOwnedGraphicIsCopiedWithoutIt)
{
    Grid g(2, 1);
    TBitmap appBitmap;
    appBitmap.Image = Pattern(2, 2);
    g.grid.SetCells(0, 0, "pic");
    TCellGraphic* graphic = g.target.CreateCellGraphic(0, 0);
    graphic->CellType = ctBitmap;
    graphic->CellCreated = false;
    graphic->CellBitmap = &appBitmap;
    const QByteArray stream = g.Save(0, 0, 0, 0);
    EXPECT_EQ(stream.indexOf("TGridGraphicIO"), -1);
    EXPECT_NE(stream.indexOf(BYTES("\x0a" "HasGraphic" "\x08")), -1);

    Grid target(3, 3);
    target.Load(1, 1, stream);
    EXPECT_EQ(target.grid.Cells(1, 1), "pic");
    EXPECT_TRUE(target.grid.HasCellProperties(1, 1));
    EXPECT_EQ(target.Graphic(1, 1), nullptr);
    // The copy reads back cleanly.
    Grid third(3, 3);
    third.Load(0, 0, target.Save(1, 1, 1, 1));
    EXPECT_EQ(third.grid.Cells(0, 0), "pic");
}

TEST(CellStream, EmptyGraphicIsNotStreamed)
{
    Grid g(1, 1);
    g.target.CreateCellGraphic(0, 0)->CellType = ctEmpty;
    EXPECT_EQ(g.Save(0, 0, 0, 0).indexOf("TGridGraphicIO"), -1);
}

// ---- streams that do not follow the layout

TEST(CellStream, EveryTruncationIsAReadingErrorAndCellsBeforeItStay)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("p.png");
    Pattern(3, 3).save(file);
    Grid source(4, 3);
    FillSample(source, file);
    source.grid.SetCells(0, 0, "first");
    const QByteArray stream = source.Save(0, 0, 3, 2).replace("FullGrid\x09", "FullGrid\x08");
    const qsizetype firstCellEnd = stream.indexOf("TGridCellPropIO");
    for (qsizetype cut = 0; cut < stream.size() - 1; ++cut) {
        // A cut just before a cell record, or one byte into it, ends the
        // stream cleanly.
        const bool clean = stream.mid(cut).startsWith(kCellRecordStart)
            || (cut > 0 && stream.mid(cut - 1).startsWith(kCellRecordStart));
        Grid target(5, 5);
        if (clean) {
            EXPECT_NO_THROW(target.Load(1, 1, stream.left(cut))) << cut;
        } else {
            EXPECT_THROW(target.Load(1, 1, stream.left(cut)), EReadError) << cut;
        }
        if (cut > firstCellEnd) {
            EXPECT_EQ(target.grid.Cells(1, 1), "first") << cut;
        }
    }
}

TEST(CellStream, InconsistentRecordsAreReadingErrorsBeforeTheGridChanges)
{
    auto propRecord = [](const char* body, std::size_t size) {
        return kPropRecordStart + B(body, size) + kEnd;
    };
#define PROP_RECORD(literal) propRecord(literal, sizeof(literal) - 1)
    const QByteArray cases[] = {
        // Two widths for three columns.
        PROP_RECORD("\x08" "ColCount" "\x02\x03" "\x08" "RowCount" "\x02\x01" "\x09" "ColWidths" "\x06\x05" "10,20"
                    "\x0a" "RowHeights" "\x06\x01" "5" "\x08" "FullGrid" "\x09"),
        // A row count the heights list cannot hold.
        PROP_RECORD("\x08" "ColCount" "\x02\x01" "\x08" "RowCount" "\x04\x00\x00\x00\x40" "\x09" "ColWidths" "\x06\x01"
                    "1" "\x0a" "RowHeights" "\x06\x03" "1,1" "\x08" "FullGrid" "\x09"),
        // A negative height.
        PROP_RECORD("\x08" "ColCount" "\x02\x01" "\x08" "RowCount" "\x02\x01" "\x09" "ColWidths" "\x06\x01" "1"
                    "\x0a" "RowHeights" "\x06\x02" "-1" "\x08" "FullGrid" "\x09"),
        // An unknown property.
        PROP_RECORD("\x05" "Bogus" "\x02\x01"),
        // A value of the wrong kind.
        PROP_RECORD("\x08" "FullGrid" "\x02\x01"),
        // A cell record where the range record belongs.
        kCellRecordStart + kEnd,
    };
    for (const QByteArray& stream : cases) {
        Grid target(3, 3);
        target.grid.SetCells(2, 2, "kept");
        target.grid.SetColWidths(0, 33);
        EXPECT_THROW(target.Load(0, 0, stream), EReadError) << stream.toHex(' ').toStdString();
        EXPECT_EQ(target.grid.ColCount(), 3);
        EXPECT_EQ(target.grid.RowCount(), 3);
        EXPECT_EQ(target.grid.ColWidths(0), 33);
        EXPECT_EQ(target.grid.Cells(2, 2), "kept");
    }
}

TEST(CellStream, ObjectRecordsThatDoNotMatchAreReadingErrors)
{
    Grid g(1, 1);
    auto* bitmap = new TBitmap;
    bitmap->Image = Pattern(4, 4);
    TCellGraphic* graphic = g.target.CreateCellGraphic(0, 0);
    graphic->CellType = ctBitmap;
    graphic->CellCreated = true;
    graphic->CellBitmap = bitmap;
    const QByteArray good = g.Save(0, 0, 0, 0);
    const qsizetype data = good.indexOf("Bitmap.Data") + 11 + 1; // past the name and the tag
    QByteArray badSize = good;
    badSize[data + 4] = static_cast<char>(badSize[data + 4] + 1); // the inner size
    QByteArray notBmp = good;
    notBmp[data + 8] = 'X'; // the bitmap file's signature
    QByteArray wrongKind = good;
    wrongKind.replace("TGridBMPIO", "TGridSLIOx");
    for (const QByteArray& stream : {badSize, notBmp, wrongKind}) {
        Grid target(1, 1);
        EXPECT_THROW(target.Load(0, 0, stream), EReadError);
        EXPECT_EQ(target.Graphic(0, 0), nullptr);
    }
    Grid target(1, 1);
    target.Load(0, 0, good);
    ASSERT_NE(target.Graphic(0, 0), nullptr);
    ExpectSameImage(dynamic_cast<TBitmap*>(target.Graphic(0, 0)->CellBitmap)->Image, bitmap->Image);
}

TEST(CellStream, BitmapWhoseHeaderClaimsMorePixelsThanItsBytesIsRefused)
{
    // A bitmap header for 30000 x 30000 pixels with no pixel data.
    QByteArray bmp = BYTES("BM" "\x3a\x00\x00\x00" "\x00\x00\x00\x00" "\x36\x00\x00\x00"
                           "\x28\x00\x00\x00" "\x30\x75\x00\x00" "\x30\x75\x00\x00" "\x01\x00" "\x18\x00"
                           "\x00\x00\x00\x00" "\x00\x00\x00\x00" "\x13\x0b\x00\x00" "\x13\x0b\x00\x00"
                           "\x00\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00");
    QByteArray data;
    TStreamWriter::AppendInt32(data, static_cast<std::int32_t>(bmp.size()));
    data += bmp;
    QByteArray record;
    TStreamWriter writer(record);
    writer.BeginRecord("TGridBMPIO");
    writer.WriteBinary("Bitmap.Data", data);
    writer.EndRecord();
    TGridBMPIO bag;
    TStreamReader reader(record);
    EXPECT_THROW(bag.Read(reader.ReadRecord()), EReadError);
}

std::uint32_t Crc32(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char b : bytes) {
        crc ^= static_cast<std::uint8_t>(b);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray BigEndian32(std::uint32_t value)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

TEST(CellStream, PictureWhoseHeaderClaimsMorePixelsThanItsBytesIsRefused)
{
    // A PNG header for 60000 x 60000 pixels and nothing after it.
    const QByteArray ihdr = BYTES("IHDR") + BigEndian32(60000) + BigEndian32(60000) + BYTES("\x08\x02\x00\x00\x00");
    const QByteArray png = BYTES("\x89PNG\r\n\x1a\n") + BigEndian32(13) + ihdr + BigEndian32(Crc32(ihdr));
    QByteArray data;
    TStreamWriter::AppendShortString(data, "THTMLPicture");
    data += png;
    QByteArray record;
    TStreamWriter writer(record);
    writer.BeginRecord("TGridPicIO");
    writer.WriteBinary("Picture.Data", data);
    writer.EndRecord();
    TGridPicIO bag;
    TStreamReader reader(record);
    EXPECT_THROW(bag.Read(reader.ReadRecord()), EReadError);
    EXPECT_EQ(bag.Picture, nullptr);
}

} // namespace
