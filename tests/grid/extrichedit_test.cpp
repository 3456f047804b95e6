#include "grid/extrichedit.h"
#include "tests/support/input.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace {

// Stands in for the grid: a focusable widget that records what its
// rich-text editor asks of it.
class GridStandIn : public QWidget, public TGridSettingsOwner {
public:
    GridStandIn()
    {
        setFocusPolicy(Qt::StrongFocus);
        resize(300, 200);
    }
    void Invalidate() override {}
    void StretchColumn(int) override {}
    bool InInternalOperation() const override { return internal; }
    void HideInplaceEdit() override { ++hides; }
    bool SizeRowWhileTyping() const override { return sizeWhileTyping; }
    int CurrentRowHeight() const override { return rowHeight; }
    void SetCurrentRowHeight(int Height) override { rowHeight = Height; }
    bool CellsHaveLines() const override { return lines; }
    void EditorKeyDown(int& Key, TShiftState) override
    {
        keys.push_back(Key);
        focusedAtKey = hasFocus();
    }

    bool internal = false;
    bool sizeWhileTyping = false;
    bool lines = false;
    int rowHeight = 30;
    int hides = 0;
    std::vector<int> keys;
    bool focusedAtKey = false;
};

// A window with the grid, its in-place rich editor on the first row, and a
// field beside the grid.
struct Window {
    Window()
    {
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(grid);
        layout->addWidget(other);
        form.resize(320, 260);
        editor = new TExtRichEdit(grid, grid, reInplace);
        editor->setGeometry(10, 10, 120, grid->rowHeight - 1);
        EXPECT_TRUE(input::Activate(&form));
        editor->show();
        editor->setFocus();
        QCoreApplication::processEvents();
    }

    QWidget form;
    GridStandIn* grid = new GridStandIn;
    QLineEdit* other = new QLineEdit;
    TExtRichEdit* editor = nullptr;
};

TEST(ExtRichEdit, LosingTheFocusToItsGridEndsTheEdit)
{
    Window w;
    ASSERT_TRUE(w.editor->hasFocus());
    input::Click(w.other);
    EXPECT_EQ(w.grid->hides, 0) << "focus to another control keeps the edit";

    w.editor->setFocus();
    input::Click(w.grid, QPoint(250, 150));
    EXPECT_TRUE(w.grid->hasFocus());
    EXPECT_EQ(w.grid->hides, 1);

    // Not while the grid moves the focus itself.
    w.grid->internal = true;
    w.editor->setFocus();
    input::Click(w.grid, QPoint(250, 150));
    EXPECT_EQ(w.grid->hides, 1);
}

TEST(ExtRichEdit, UpAndDownGoBackToTheGridInSingleLineCells)
{
    Window w;
    input::Type("abc");
    input::Key(Qt::Key_Down);
    EXPECT_TRUE(w.grid->hasFocus());
    EXPECT_TRUE(w.grid->focusedAtKey);
    EXPECT_EQ(w.grid->keys, (std::vector<int>{VK_DOWN}));
    EXPECT_EQ(w.grid->hides, 1);

    w.editor->setFocus();
    input::Key(Qt::Key_Up);
    EXPECT_EQ(w.grid->keys, (std::vector<int>{VK_DOWN, VK_UP}));
    EXPECT_EQ(w.editor->Text(), "abc");
}

TEST(ExtRichEdit, UpAndDownMoveInsideTheTextOfMultiLineCells)
{
    Window w;
    w.grid->lines = true;
    input::Type("um\rdois");
    ASSERT_EQ(w.editor->textCursor().blockNumber(), 1);
    input::Key(Qt::Key_Up);
    EXPECT_TRUE(w.editor->hasFocus());
    EXPECT_EQ(w.editor->textCursor().blockNumber(), 0);
    EXPECT_TRUE(w.grid->keys.empty());
    EXPECT_EQ(w.grid->hides, 0);
}

TEST(ExtRichEdit, TypedLinesGrowTheRowWhileTheEditorFitsInTheGrid)
{
    Window w;
    w.grid->sizeWhileTyping = true;
    input::Type("um");
    EXPECT_EQ(w.grid->rowHeight, 30) << "one line fits the row";
    input::Type("\rdois\rtres");
    const int requested = w.editor->RequestedHeight();
    EXPECT_GT(requested, 30);
    EXPECT_EQ(w.grid->rowHeight, requested);
    EXPECT_EQ(w.editor->height(), requested - 1);

    // Past the grid's bottom the row stays as it was.
    w.editor->move(10, w.grid->height() - w.editor->height());
    const int before = w.grid->rowHeight;
    input::Type("\rquatro");
    EXPECT_GT(w.editor->RequestedHeight(), before);
    EXPECT_EQ(w.grid->rowHeight, before);
}

TEST(ExtRichEdit, WithoutSizeWhileTypingTheRowKeepsItsHeight)
{
    Window w;
    input::Type("um\rdois\rtres");
    EXPECT_GT(w.editor->RequestedHeight(), 30);
    EXPECT_EQ(w.grid->rowHeight, 30);
    EXPECT_EQ(w.editor->height(), 29);
}

TEST(ExtRichEdit, TheMeasuringEditorOnlyKeepsTheRequestedSize)
{
    GridStandIn grid;
    grid.sizeWhileTyping = true;
    TExtRichEdit measure(&grid, &grid, reMeasure);
    measure.SetText("curto");
    const int shortWidth = measure.RequestedWidth();
    const int oneLine = measure.RequestedHeight();
    measure.SetText("um texto bem mais comprido");
    EXPECT_GT(measure.RequestedWidth(), shortWidth);
    measure.SetText("um\ndois\ntres");
    EXPECT_GT(measure.RequestedHeight(), 2 * oneLine - 10);
    EXPECT_EQ(grid.rowHeight, 30);
}

} // namespace
