#include "grid/esgcheck.h"
#include "grid/extobj.h"

#include "image/conversao.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(ArrowWindow, EachDirectionIsItsArrowShapedAndLime)
{
    struct Case {
        int direction;
        QPoint inside;   // on the shaft
        QPoint tip;      // the sharp end
        QPoint outside;  // beside the shaft
    };
    const std::vector<Case> cases = {
        {0, {5, 7}, {5, 1}, {1, 8}},
        {1, {5, 2}, {5, 7}, {1, 1}},
        {2, {2, 5}, {7, 5}, {1, 1}},
        {3, {6, 5}, {1, 5}, {7, 1}},
    };
    QWidget grid;
    QImage sheet(4 * 14, 14, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.direction);
        TArrowWindow arrow(&grid, k.direction);
        EXPECT_FALSE(arrow.isVisible());
        EXPECT_EQ(arrow.Color(), clLime);
        EXPECT_TRUE(arrow.isWindow());
        const QRegion mask = arrow.mask();
        EXPECT_EQ(TArrowWindow::ArrowPolygon(k.direction).size(), 7);
        EXPECT_TRUE(mask.contains(k.inside));
        EXPECT_TRUE(mask.contains(k.tip));
        EXPECT_FALSE(mask.contains(k.outside));
        EXPECT_LE(mask.boundingRect().width(), 11);
        EXPECT_LE(mask.boundingRect().height(), 11);
        // The sheet of arrows for the screenshots: each drawn through its mask.
        painter.setClipRegion(mask.translated(2 + 14 * k.direction, 2));
        painter.fillRect(sheet.rect(), Qt::green);
    }
    painter.end();
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    EXPECT_TRUE(sheet.scaled(sheet.size() * 4).save(QStringLiteral(TRIVANTO_TEST_OUT "/setas.png")));
}

TEST(PopupButton, RaisedFrameUnlessFlatAndTheCaptionCentred)
{
    TPopupButton button;
    button.SetCaption("Coluna 3");
    button.resize(80, 20);
    EXPECT_TRUE(button.windowFlags() & Qt::WindowStaysOnTopHint);
    const QImage raised = button.grab().toImage();
    // The window's border goes round either look.
    EXPECT_EQ(raised.pixel(0, 0), ToQColor(clBlack).rgb());
    EXPECT_EQ(raised.pixel(79, 19), ToQColor(clBlack).rgb());
    EXPECT_EQ(raised.pixel(1, 1), QColor(Qt::white).rgb());
    EXPECT_EQ(raised.pixel(78, 18), ToQColor(clGray).rgb());
    button.SetFlat(true);
    const QImage flat = button.grab().toImage();
    EXPECT_EQ(flat.pixel(0, 0), ToQColor(clBlack).rgb());
    EXPECT_EQ(flat.pixel(1, 1), ToQColor(clBtnFace).rgb());
    // Text in the middle, none at the sides.
    bool textInMiddle = false;
    for (int x = 20; x < 60; ++x)
        textInMiddle |= flat.pixel(x, 10) != ToQColor(clBtnFace).rgb();
    EXPECT_TRUE(textInMiddle);
    EXPECT_EQ(flat.pixel(3, 10), ToQColor(clBtnFace).rgb());
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    EXPECT_TRUE(raised.save(QStringLiteral(TRIVANTO_TEST_OUT "/botao_popup.png")));
}

TEST(IntList, ChangesAreReportedWithTheCellAndCommaText)
{
    TIntList list(3, 7);
    std::vector<std::tuple<int, int, int>> changes; // col, row, count after
    list.OnChange = [&](TIntList* sender, int c, int r) { changes.emplace_back(c, r, sender->Count()); };
    list.Add(1);
    list.Add(20);
    list.Add(300);
    EXPECT_EQ(list.CommaText(), "1,20,300");
    list.SetItems(1, -5);
    list.Delete(0);
    EXPECT_EQ(list.CommaText(), "-5,300");
    EXPECT_EQ(changes, (std::vector<std::tuple<int, int, int>>{{3, 7, 1}, {3, 7, 2}, {3, 7, 3}, {3, 7, 3}, {3, 7, 2}}));
    EXPECT_THROW(list.Delete(5), std::out_of_range);

    list.SetCommaText("4,5,6");
    EXPECT_EQ(list.CommaText(), "4,5,6");
    EXPECT_THROW(list.SetCommaText("7,x,9"), EConvertError);
    EXPECT_EQ(list.CommaText(), "7");
    list.SetCommaText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(SortIndexList, DescendingColumnsCarryTheTopBit)
{
    TSortIndexList list;
    list.AddIndex(1, true);
    list.AddIndex(3, false);
    EXPECT_EQ(static_cast<unsigned>(list.Items(1)), 0x80000003u);
    EXPECT_EQ(list.FindIndex(3), 1);
    EXPECT_EQ(list.FindIndex(1), 0);
    EXPECT_EQ(list.FindIndex(2), -1);
    list.ToggleIndex(3);
    EXPECT_EQ(list.Items(1), 3);
    list.ToggleIndex(1);
    EXPECT_TRUE(TSortIndexList::Descending(list.Items(0)));
    EXPECT_EQ(TSortIndexList::Column(list.Items(0)), 1);
    list.ToggleIndex(9); // absent: nothing
    EXPECT_EQ(list.Count(), 2);
}

TEST(FilePicture, SizeFromTheFileAndDrawnStretched)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("p.png");
    QImage source(4, 2, QImage::Format_RGB32);
    source.fill(Qt::red);
    ASSERT_TRUE(source.save(file));

    TFilePicture picture;
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    TCanvas canvas(&painter);
    picture.Draw(canvas, {0, 0, 20, 20}); // no file: nothing
    picture.SetFilename(file);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 2);
    picture.Draw(canvas, {2, 2, 18, 10});
    painter.end();
    EXPECT_EQ(target.pixel(1, 1), QColor(Qt::white).rgb());
    EXPECT_EQ(target.pixel(17, 9), QColor(Qt::red).rgb());
    EXPECT_EQ(target.pixel(10, 12), QColor(Qt::white).rgb());

    TFilePicture copy;
    copy.Assign(picture);
    EXPECT_EQ(copy.Filename(), file);
    EXPECT_EQ(copy.Width(), 4);
    copy.SetFilename(dir.filePath("missing.png"));
    EXPECT_EQ(copy.Width(), 0);
}

TEST(CellChecker, TheBaseCheckerIsNeutral)
{
    TExtStringGridCheck check;
    EXPECT_FALSE(check.AutoCorrect || check.AutoMarkError || check.GotoCell || check.UseCorrect || check.UseMarkError);
    EXPECT_EQ(check.CorrectCellText(1, 2, "abc "), "abc ");
    EXPECT_EQ(check.MarkCellError(1, 2, "x"), "x");
    check.BeginCellCheck();
    check.EndCellCheck();

    struct Upper : TExtStringGridCheck {
        QString CorrectCellText(int, int, const QString& v) override { return v.toUpper(); }
    } upper;
    TExtStringGridCheck& asBase = upper;
    EXPECT_EQ(asBase.CorrectCellText(0, 0, "ab"), "AB");
}

} // namespace
