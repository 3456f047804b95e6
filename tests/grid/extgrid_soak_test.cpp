// A long run of random user input on one grid that holds every kind of
// cell: keys, clicks, double clicks, drags, right and middle buttons and
// wheel steps, from a fixed seed. It looks for crashes and memory faults
// (the sanitizer build runs it too) and checks after every step that the
// grid still stands where a user could go on working.
#include "grid/extgrid.h"

#include "grid/cellgraphic.h"
#include "grid/cellstream.h"
#include "grid/extobj.h"
#include "platform/application.h"
#include "platform/graphics.h"
#include "platform/testhooks.h"
#include "tests/support/input.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

// A small linear congruential generator: the same steps on every library.
class Steps {
public:
    explicit Steps(std::uint32_t seed) : state_(seed) {}
    int Below(int n)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
    }
    bool OneIn(int n) { return Below(n) == 0; }

private:
    std::uint32_t state_;
};

// Records the addresses the grid would open, so nothing leaves the test.
class UrlSink : public QObject {
    Q_OBJECT
public:
    int opened = 0;
public slots:
    void Open(const QUrl&) { ++opened; }
};

const TEditorType kEditors[] = {
    edNormal,    edSpinEdit,     edComboEdit,   edComboList,      edEditBtn,       edCheckBox,    edDateEdit,
    edDateEditUpDown, edTimeEdit, edButton,     edDataCheckBox,   edNumeric,       edPositiveNumeric, edFloat,
    edCapital,   edMixedCase,    edPassword,    edUnitEditBtn,    edLowerCase,     edUpperCase,   edFloatSpinEdit,
    edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn, edRichEdit,
};

const TCellType kGraphics[] = {
    ctBitmap, ctIcon, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctRadio,
    ctImages, ctProgress, ctComment, ctButton, ctVirtCheckBox,
};

const char* const kTexts[] = {
    "texto",
    "12",
    "3.5",
    "linha 1\nlinha 2",
    "<B>negrito</B> <A href=\"CELL://R2C3\">ir</A>",
    "<A href=\"http://example.com/\">web</A> <A href=\"file:///etc/passwd\">arquivo</A>",
    "<B>f</B> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\"> <CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"50\">",
    "<I>k</I> <CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"a\" WIDTH=\"60\"> <CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Ok\">",
    "http://example.com/",
    "<BLINK>pisca</BLINK>",
    "",
};

class GridSoak : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxHook([](const MessageBoxCall&) -> int { return IDOK; });
        SetBeepHook([] {});
        for (const char* scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::setUrlHandler(scheme, &urls, "Open");
        window.resize(700, 420);
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 680, 400);
        Fill();
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        input::Settle();
    }
    void TearDown() override
    {
        for (const char* scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
        SetMessageBoxHook(nullptr);
        SetBeepHook(nullptr);
    }

    void Fill()
    {
        grid->SetColCount(9);
        grid->SetRowCount(40);
        grid->SetDefaultColWidth(70);
        grid->SetOptions(grid->Options() | goEditing | goTabs | goRangeSelect | goColSizing | goRowSizing |
                         goColMoving | goRowMoving);
        grid->Navigation()->AllowInsertRow = true;
        grid->Navigation()->AllowDeleteRow = true;
        grid->Navigation()->AllowClipboardShortCuts = true;
        grid->MouseActions()->DirectEdit = true;
        grid->EnableBlink = true;
        grid->OnGetEditorType = [](QObject*, int ACol, int ARow, TEditorType& AEditor) {
            AEditor = kEditors[(ACol * 7 + ARow) % std::size(kEditors)];
        };
        grid->OnControlComboList = [](QObject*, int, int, const QString&, const QString&, const QString&,
                                      QStringList& Values, bool&, int&) { Values = {"a", "b", "c"}; };
        // Counts of what the input reached, to show it really ran.
        grid->OnEditingDone = [this](auto&&...) { ++reached["editing done"]; };
        grid->OnCheckBoxClick = [this](auto&&...) { ++reached["check box"]; };
        grid->OnAnchorClick = [this](auto&&...) { ++reached["anchor"]; };
        grid->OnControlClick = [this](auto&&...) { ++reached["form control"]; };
        grid->OnCanInsertRow = [this](auto&&...) { ++reached["row insert"]; };
        grid->OnRightClickCell = [this](auto&&...) { ++reached["right click"]; };
        grid->OnClipboardCopy = [this](auto&&...) { ++reached["copy"]; };
        grid->SetGridImages(&images);
        for (QColor c : {QColor(Qt::red), QColor(Qt::green)}) {
            QImage image(16, 16, QImage::Format_RGB32);
            image.fill(c);
            images.Add(image);
        }
        for (int r = 1; r < grid->RowCount(); ++r)
            for (int c = 1; c < grid->ColCount(); ++c)
                grid->SetCells(c, r, QString::fromUtf8(kTexts[(r * 3 + c) % std::size(kTexts)]));
        int g = 0;
        for (int r = 1; r < grid->RowCount(); r += 2)
            AddGraphic(2 + (r % 3), r, kGraphics[g++ % std::size(kGraphics)]);
        for (int r = 1; r < grid->RowCount(); ++r)
            AddGraphic(8, r, ctCheckBox);
        for (int r : {1, 12, 25}) {
            TCellGraphic* node = grid->CreateCellGraphic(0, r);
            node->CellType = ctNode;
            node->CellIndex = 4;
        }
        grid->MergeCells(5, 4, 2, 2);
        grid->MergeCells(1, 18, 3, 1);
        grid->ContractNode(12);
        grid->HideRows(30, 32);
    }

    void AddGraphic(int col, int row, TCellType type)
    {
        TCellGraphic* g = grid->CreateCellGraphic(col, row);
        g->CellType = type;
        switch (type) {
        case ctBitmap: {
            auto* bitmap = new TBitmap;
            bitmap->Image = QImage(12, 12, QImage::Format_RGB32);
            bitmap->Image.fill(Qt::darkCyan);
            g->CellBitmap = bitmap;
            g->CellCreated = true;
            break;
        }
        case ctIcon: {
            auto* icon = new TIcon;
            icon->Icon = QApplication::style()->standardIcon(QStyle::SP_DialogYesButton);
            g->CellIcon = icon;
            g->CellCreated = true;
            break;
        }
        case ctRadio: {
            auto* options = new TCellRadioList;
            options->Items = QStringList{"A", "B", "C"};
            g->CellBitmap = options;
            g->CellCreated = true;
            g->CellBoolean = true;
            g->CellIndex = -1;
            break;
        }
        case ctImages: {
            auto* indexes = new TIntList(col, row);
            indexes->Add(0), indexes->Add(1);
            g->CellBitmap = indexes;
            g->CellBoolean = true;
            break;
        }
        case ctButton: g->CellIndex = 40 | (18 << 16); break;
        case ctRotated: g->CellAngle = 45; break;
        default: break;
        }
    }

    // A point anywhere over the grid, sometimes just off a line or edge.
    QPoint AnyPoint()
    {
        const QWidget* v = grid->viewport();
        return {steps.Below(v->width()), steps.Below(v->height())};
    }

    static constexpr Qt::Key kKeys[] = {
        Qt::Key_Left,  Qt::Key_Right,    Qt::Key_Up,       Qt::Key_Down,   Qt::Key_Tab,    Qt::Key_Return,
        Qt::Key_Escape, Qt::Key_Space,   Qt::Key_Home,     Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown,
        Qt::Key_Insert, Qt::Key_Delete,  Qt::Key_F2,       Qt::Key_Backspace, Qt::Key_A,   Qt::Key_C,
        Qt::Key_X,     Qt::Key_V,        Qt::Key_1,        Qt::Key_Period,
    };

    Qt::KeyboardModifiers AnyModifiers()
    {
        switch (steps.Below(8)) {
        case 0: return Qt::ShiftModifier;
        case 1: return Qt::ControlModifier;
        default: return Qt::NoModifier;
        }
    }

    void PressKey()
    {
        const Qt::Key key = kKeys[steps.Below(std::size(kKeys))];
        const Qt::KeyboardModifiers mods = AnyModifiers();
        QString text;
        if (mods == Qt::NoModifier || mods == Qt::ShiftModifier) {
            if (key >= Qt::Key_A && key <= Qt::Key_Z)
                text = QChar(mods == Qt::ShiftModifier ? key : key + 32);
            else if (key == Qt::Key_1 || key == Qt::Key_Period || key == Qt::Key_Space)
                text = QChar(key);
        }
        input::Key(key, mods, text);
    }

    void Mouse()
    {
        QWidget* v = grid->viewport();
        const QPoint at = AnyPoint();
        const Qt::KeyboardModifiers mods = AnyModifiers();
        switch (steps.Below(6)) {
        case 0:
        case 1: QTest::mouseClick(v, Qt::LeftButton, mods, at); break;
        case 2: QTest::mouseDClick(v, Qt::LeftButton, mods, at); break;
        case 3: QTest::mouseClick(v, Qt::RightButton, mods, at); break;
        case 4: {
            // A drag: press, a few moves, release somewhere else.
            QTest::mousePress(v, Qt::LeftButton, mods, at);
            for (int i = 0; i < 3; ++i)
                MoveWithButton(AnyPoint(), Qt::LeftButton);
            QTest::mouseRelease(v, Qt::LeftButton, mods, AnyPoint());
            break;
        }
        default: {
            // The middle button, then a few moves and a press to end it.
            QTest::mousePress(v, Qt::MiddleButton, Qt::NoModifier, at);
            QTest::mouseRelease(v, Qt::MiddleButton, Qt::NoModifier, at);
            MoveWithButton(AnyPoint(), Qt::NoButton);
            QTest::mouseClick(v, Qt::LeftButton, Qt::NoModifier, AnyPoint());
            break;
        }
        }
    }

    void MoveWithButton(QPoint at, Qt::MouseButton button)
    {
        QWidget* v = grid->viewport();
        QMouseEvent move(QEvent::MouseMove, at, v->mapToGlobal(at), Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(v, &move);
    }

    void Wheel()
    {
        QWidget* v = grid->viewport();
        const QPoint at = AnyPoint();
        const int delta = steps.OneIn(2) ? 120 : -120;
        const Qt::KeyboardModifiers mods = steps.OneIn(3) ? Qt::ControlModifier : Qt::NoModifier;
        QWheelEvent wheel(at, v->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(v, &wheel);
    }

    // Something of the grid's own housekeeping now and then: the timer's
    // tick, a node, hidden rows, a sort.
    void Housekeeping()
    {
        switch (steps.Below(5)) {
        case 0: grid->TimerTick(); break;
        case 1: {
            const int row = steps.Below(grid->RowCount());
            if (grid->IsNode(row))
                steps.OneIn(2) ? grid->ExpandNode(row) : grid->ContractNode(row);
            break;
        }
        case 2: grid->UnHideRowsAll(); break;
        case 3: {
            // Popups left open (a combo's list) are closed, as a click
            // elsewhere would.
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            break;
        }
        default:
            grid->SortSettings()->SetColumn(1 + steps.Below(grid->ColCount() - 1));
            grid->SortRows();
            break;
        }
    }

    // What a user needs to go on: the current cell inside the grid, the
    // fixed rows and columns inside the counts, the grid still focusable.
    void ExpectSound(int step)
    {
        ASSERT_GE(grid->ColCount(), 1) << step;
        ASSERT_GE(grid->RowCount(), 1) << step;
        ASSERT_LE(grid->FixedRows(), grid->RowCount()) << step;
        ASSERT_LE(grid->FixedCols(), grid->ColCount()) << step;
        ASSERT_GE(grid->Col(), 0) << step;
        ASSERT_LT(grid->Col(), grid->ColCount()) << step;
        ASSERT_GE(grid->Row(), 0) << step;
        ASSERT_LT(grid->Row(), grid->RowCount()) << step;
    }

    QWidget window;
    TExtStringGrid* grid = nullptr;
    TImageList images{16, 16};
    UrlSink urls;
    Steps steps{20261210};
    std::map<std::string, int> reached;
};

TEST_F(GridSoak, RandomInputLeavesAWorkingGrid)
{
    const int kSteps = 1500;
    for (int step = 0; step < kSteps; ++step) {
        switch (steps.Below(10)) {
        case 0:
        case 1:
        case 2:
        case 3: PressKey(); break;
        case 4:
        case 5:
        case 6: Mouse(); break;
        case 7: Wheel(); break;
        default: Housekeeping(); break;
        }
        QCoreApplication::processEvents();
        ExpectSound(step);
        if (HasFatalFailure())
            return;
        // Keep the grid from dwindling to nothing or growing without end.
        if (grid->RowCount() < 6 || grid->RowCount() > 200 || grid->ColCount() < 4) {
            grid->HideInplaceEdit();
            grid->UnHideRowsAll();
            grid->SetColCount(9);
            grid->SetRowCount(40);
        }
    }
    for (const char* what :
         {"editing done", "check box", "anchor", "form control", "row insert", "right click", "copy"})
        EXPECT_GT(reached[what], 0) << what;
    // The grid is still usable: a cell takes a value typed into it.
    grid->HideInplaceEdit();
    grid->SetCells(1, 1, QStringLiteral("fim"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("fim"));
}

} // namespace

#include "extgrid_soak_test.moc"
