#include "grid/esgdd.h"

#include "tests/support/input.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A drop target that records what reached it; its grid has 5 columns.
class RecordingTarget : public TESGDropTarget {
public:
    using TESGDropTarget::TESGDropTarget;
    std::vector<std::string> calls;
    bool refuseMove = false;

    void DropText(QPoint, const QString& Text) override { calls.push_back("text:" + Text.toStdString()); }
    void DropCol(QPoint, int Column) override { calls.push_back("col:" + std::to_string(Column)); }
    void DropRTF(QPoint, const QString& Text) override { calls.push_back("rtf:" + Text.toStdString()); }
    void DropFiles(QPoint, const QStringList& Files) override { calls.push_back("files:" + Files.join(',').toStdString()); }
    void DragMouseMove(QPoint, bool& Allow, int) override { Allow = !refuseMove; }
    void DragMouseEnter() override { calls.push_back("enter"); }
    void DragMouseLeave() override { calls.push_back("leave"); }
    bool IsValidColumn(int Column) override { return Column >= 0 && Column < 5; }
};

enum Present { pText = 1, pFiles = 2, pCol = 4, pRtf = 8 };

std::unique_ptr<QMimeData> Data(int present, const QByteArray& column = EncodeGridColumn(3))
{
    auto data = std::make_unique<QMimeData>();
    if (present & pText)
        data->setText("abc");
    if (present & pFiles)
        data->setUrls({QUrl::fromLocalFile("/tmp/a.csv"), QUrl::fromLocalFile("/tmp/b.xls")});
    if (present & pCol)
        data->setData(kMimeGridColumn, column);
    if (present & pRtf)
        data->setData(kMimeRichText, QByteArray("{\\rtf1 caf\xe9}"));
    return data;
}

// Sends Qt's drag events to the widget as a drag passing over it would.
struct DragEvents {
    QWidget* widget;

    Qt::DropAction Enter(const QMimeData* data, bool ctrl)
    {
        QDragEnterEvent e(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                          ctrl ? Qt::KeyboardModifiers(Qt::ControlModifier) : Qt::KeyboardModifiers());
        QApplication::sendEvent(widget, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    Qt::DropAction Move(const QMimeData* data, bool ctrl)
    {
        QDragMoveEvent e(QPoint(12, 12), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                         ctrl ? Qt::KeyboardModifiers(Qt::ControlModifier) : Qt::KeyboardModifiers());
        QApplication::sendEvent(widget, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    void Leave()
    {
        QDragLeaveEvent e;
        QApplication::sendEvent(widget, &e);
    }
    Qt::DropAction Drop(const QMimeData* data, bool ctrl)
    {
        QDropEvent e(QPointF(12, 12), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                     ctrl ? Qt::KeyboardModifiers(Qt::ControlModifier) : Qt::KeyboardModifiers());
        QApplication::sendEvent(widget, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
};

struct EffectCase {
    int present;
    bool acceptText, acceptFiles, acceptCols, richText;
    bool allowed;
};

class DropEffects : public ::testing::TestWithParam<EffectCase> {};

TEST_P(DropEffects, EnterOverAndDropFollowTheAcceptFlagsAndCtrl)
{
    const EffectCase& k = GetParam();
    RichTextAllowed = k.richText;
    QWidget widget;
    RecordingTarget target(&widget);
    target.AcceptText = k.acceptText;
    target.AcceptFiles = k.acceptFiles;
    target.AcceptCols = k.acceptCols;
    DragEvents drag{&widget};
    const auto data = Data(k.present);
    for (const bool ctrl : {false, true}) {
        const Qt::DropAction expected = !k.allowed ? Qt::IgnoreAction : ctrl ? Qt::CopyAction : Qt::MoveAction;
        EXPECT_EQ(drag.Enter(data.get(), ctrl), expected) << "ctrl " << ctrl;
        EXPECT_EQ(drag.Move(data.get(), ctrl), expected);
        EXPECT_EQ(drag.Move(data.get(), !ctrl), !k.allowed ? Qt::IgnoreAction : ctrl ? Qt::MoveAction : Qt::CopyAction);
        EXPECT_EQ(drag.Drop(data.get(), ctrl), expected);
    }
    RichTextAllowed = false;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DropEffects,
    ::testing::Values(
        EffectCase{pText, true, true, false, false, true},
        EffectCase{pText, false, true, true, false, false}, // text over a grid that takes no text: no drop
        EffectCase{pFiles, false, true, false, false, true},
        EffectCase{pFiles, true, false, true, false, false},
        EffectCase{pCol, true, true, false, false, false},
        EffectCase{pCol, false, false, true, false, true},
        EffectCase{pRtf, true, false, false, false, false},
        EffectCase{pRtf, true, false, false, true, true},
        EffectCase{pRtf, false, false, false, true, false},
        EffectCase{pText | pCol, false, false, true, false, true},
        EffectCase{0, true, true, true, true, false}));

TEST(DropTarget, WhatADropDelivers)
{
    struct Case {
        const char* what;
        std::unique_ptr<QMimeData> data;
        bool richText;
        std::vector<std::string> calls;
    };
    std::vector<Case> cases;
    cases.push_back({"column and text: only the column", Data(pCol | pText), false, {"enter", "col:3"}});
    cases.push_back({"rich text allowed", Data(pRtf | pText), true, {"enter", "rtf:{\\rtf1 café}"}});
    cases.push_back({"rich text not allowed", Data(pRtf | pText), false, {"enter", "text:abc"}});
    cases.push_back({"text and files", Data(pText | pFiles), false, {"enter", "text:abc", "files:/tmp/a.csv,/tmp/b.xls"}});
    cases.push_back({"column of 3 bytes", Data(pCol | pText, QByteArray(3, '\1')), false, {"enter", "text:abc"}});
    cases.push_back({"column of 5 bytes", Data(pCol | pText, QByteArray(5, '\0')), false, {"enter", "text:abc"}});
    cases.push_back({"column outside the grid", Data(pCol | pText, EncodeGridColumn(5)), false, {"enter", "text:abc"}});
    cases.push_back({"negative column", Data(pCol | pText, QByteArray(4, '\xff')), false, {"enter", "text:abc"}});
    cases.push_back({"bad column alone", Data(pCol, EncodeGridColumn(99)), false, {"enter"}});
    for (Case& k : cases) {
        SCOPED_TRACE(k.what);
        RichTextAllowed = k.richText;
        QWidget widget;
        RecordingTarget target(&widget);
        target.AcceptCols = true;
        DragEvents drag{&widget};
        drag.Enter(k.data.get(), false);
        drag.Drop(k.data.get(), false);
        EXPECT_EQ(target.calls, k.calls);
    }
    RichTextAllowed = false;
}

TEST(DropTarget, MoveMayRefuseAndLeaveIsReported)
{
    QWidget widget;
    RecordingTarget target(&widget);
    DragEvents drag{&widget};
    const auto data = Data(pText);
    EXPECT_EQ(drag.Enter(data.get(), false), Qt::MoveAction);
    target.refuseMove = true;
    EXPECT_EQ(drag.Move(data.get(), false), Qt::IgnoreAction);
    drag.Leave();
    EXPECT_EQ(target.calls, (std::vector<std::string>{"enter", "leave"}));
}

// ---- the drag loop, scripted: each step is what the mouse and keys do
// while the drag passes over a widget.

struct Step {
    QWidget* over;
    unsigned keys;
    bool escape = false;
};

class ScriptedDragLoop : public TDragLoop {
public:
    std::vector<Step> steps;
    std::vector<int> feedback;

    HRESULT DoDragDrop(QWidget*, QMimeData* data, TDragSourceCallbacks& callbacks, int, int& effect) override
    {
        std::unique_ptr<QMimeData> owned(data);
        QWidget* current = nullptr;
        effect = DROPEFFECT_NONE;
        for (const Step& s : steps) {
            const HRESULT answer = callbacks.QueryContinueDrag(s.escape, s.keys);
            const bool ctrl = s.keys & MK_CONTROL;
            if (answer == DRAGDROP_S_CANCEL) {
                if (current)
                    DragEvents{current}.Leave();
                effect = DROPEFFECT_NONE;
                return DRAGDROP_S_CANCEL;
            }
            if (answer == DRAGDROP_S_DROP) {
                const Qt::DropAction a = current ? DragEvents{current}.Drop(data, ctrl) : Qt::IgnoreAction;
                effect = a == Qt::CopyAction ? DROPEFFECT_COPY : a == Qt::MoveAction ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
                return effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
            }
            Qt::DropAction a = Qt::IgnoreAction;
            if (s.over != current) {
                if (current)
                    DragEvents{current}.Leave();
                current = s.over;
                if (current)
                    a = DragEvents{current}.Enter(data, ctrl);
            } else if (current) {
                a = DragEvents{current}.Move(data, ctrl);
            }
            const int e = a == Qt::CopyAction ? DROPEFFECT_COPY : a == Qt::MoveAction ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
            feedback.push_back(e);
            callbacks.GiveFeedback(e);
        }
        return DRAGDROP_S_CANCEL;
    }
};

class DragSource : public ::testing::Test {
protected:
    void SetUp() override { SetDragLoop(&loop); }
    void TearDown() override { SetDragLoop(nullptr); }
    ScriptedDragLoop loop;
    QWidget source;
    QWidget grid;
    QWidget refusing;
};

TEST_F(DragSource, TextDraggedOntoATargetAndDropped)
{
    RecordingTarget target(&grid);
    TESGDropSource drag(&source);
    struct Case {
        unsigned lastKeys;
        int effect;
    };
    for (const Case k : {Case{0, DROPEFFECT_MOVE}, Case{MK_CONTROL, DROPEFFECT_COPY}}) {
        target.calls.clear();
        loop.steps = {{&grid, MK_LBUTTON}, {&grid, MK_LBUTTON | k.lastKeys}, {&grid, k.lastKeys}};
        int effect = -1;
        EXPECT_EQ(drag.StartTextDrag("dragged", "", effect, DROPEFFECT_COPY | DROPEFFECT_MOVE), DRAGDROP_S_DROP);
        EXPECT_EQ(effect, k.effect);
        EXPECT_EQ(target.calls, (std::vector<std::string>{"enter", "text:dragged"}));
    }
}

TEST_F(DragSource, EscapeCancels)
{
    RecordingTarget target(&grid);
    target.AcceptCols = true;
    TESGDropSource drag(&source);
    loop.steps = {{&grid, MK_LBUTTON}, {&grid, MK_LBUTTON, true}, {&grid, 0}};
    int effect = -1;
    EXPECT_EQ(drag.StartColumnDrag(2, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(DragSource, EscapeByTheKeyboardThroughQtsDragEventsToo)
{
    // The loop asks the source with what the keyboard says: a real Escape
    // key pressed on the source during the drag.
    struct KeyLoop : TDragLoop {
        HRESULT DoDragDrop(QWidget* src, QMimeData* data, TDragSourceCallbacks& callbacks, int, int& effect) override
        {
            std::unique_ptr<QMimeData> owned(data);
            bool escape = false;
            struct Watch : QObject {
                bool* seen;
                bool eventFilter(QObject*, QEvent* e) override
                {
                    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
                        *seen = true;
                    return false;
                }
            } watch;
            watch.seen = &escape;
            src->installEventFilter(&watch);
            QTest::keyClick(src, Qt::Key_Escape);
            src->removeEventFilter(&watch);
            effect = DROPEFFECT_NONE;
            return callbacks.QueryContinueDrag(escape, MK_LBUTTON);
        }
    } keyLoop;
    SetDragLoop(&keyLoop);
    TESGDropSource drag(&source);
    int effect = -1;
    EXPECT_EQ(drag.StartTextDrag("x", "", effect, DROPEFFECT_MOVE), DRAGDROP_S_CANCEL);
}

TEST_F(DragSource, ReleasedWhereNothingTakesItIsTheCancelResult)
{
    RecordingTarget target(&refusing);
    target.AcceptText = false;
    target.AcceptFiles = false;
    TESGDropSource drag(&source);
    loop.steps = {{&refusing, MK_LBUTTON}, {&refusing, 0}};
    int effect = -1;
    EXPECT_EQ(drag.StartTextDrag("x", "", effect, DROPEFFECT_MOVE), DRAGDROP_S_CANCEL);
    EXPECT_EQ(loop.feedback, (std::vector<int>{DROPEFFECT_NONE}));
}

TEST_F(DragSource, ColumnDragReachesAColumnTarget)
{
    RecordingTarget target(&grid);
    target.AcceptCols = true;
    TESGDropSource drag(&source);
    loop.steps = {{&grid, MK_LBUTTON}, {&grid, 0}};
    int effect = -1;
    EXPECT_EQ(drag.StartColumnDrag(4, DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"enter", "col:4"}));
}

// ---- the data object and its formats

TEST(SourceDataObject, FormatsAndTheirBytes)
{
    RichTextAllowed = true;
    TSourceDataObject data(QString::fromUtf8("aé€"), "{\\rtf1 x}", 7);
    QByteArray medium;
    ASSERT_EQ(data.GetData({CF_TEXT}, medium), S_OK);
    EXPECT_EQ(medium, QByteArray("a\xe9\x80", 3) + QByteArray(1, '\0'));
    ASSERT_EQ(data.GetData({CF_UNICODETEXT}, medium), S_OK);
    EXPECT_EQ(medium.size(), 2 * 3 + 2);
    EXPECT_EQ(static_cast<unsigned char>(medium[4]), 0xAC); // U+20AC, low byte first
    ASSERT_EQ(data.GetData({CF_RTF}, medium), S_OK);
    EXPECT_EQ(medium, QByteArray("{\\rtf1 x}") + QByteArray(1, '\0'));
    ASSERT_EQ(data.GetData({CF_GRIDCOLUMN}, medium), S_OK);
    EXPECT_EQ(medium, QByteArray("\x07\0\0\0", 4));
    EXPECT_EQ(data.GetData({CF_TEXT, DVASPECT_ICON}, medium), DV_E_FORMATETC);
    EXPECT_EQ(data.GetData({CF_TEXT, DVASPECT_CONTENT, -1, TYMED_FILE}, medium), DV_E_FORMATETC);
    EXPECT_EQ(data.GetData({CF_HDROP}, medium), DV_E_FORMATETC);
    EXPECT_EQ(data.GetDataHere({CF_TEXT}, medium), DV_E_FORMATETC);
    EXPECT_EQ(data.SetData({CF_TEXT}, medium), DV_E_FORMATETC);
    TFormatEtc out;
    EXPECT_EQ(data.GetCanonicalFormatEtc({CF_TEXT}, out), E_NOTIMPL);
    EXPECT_EQ(data.DAdvise(), OLE_E_ADVISENOTSUPPORTED);
    RichTextAllowed = false;
    EXPECT_EQ(data.QueryGetData({CF_RTF}), DV_E_FORMATETC);
    TSourceDataObject column(QString(), QString(), 2);
    EXPECT_EQ(column.QueryGetData({CF_TEXT}), DV_E_FORMATETC);
    EXPECT_EQ(column.QueryGetData({CF_GRIDCOLUMN}), S_OK);
}

TEST(SourceDataObject, EnumeratorNextSkipResetClone)
{
    TSourceDataObject data("t", "", 1);
    std::unique_ptr<TSourceEnumFormatEtc> e(data.EnumFormatEtc(true));
    ASSERT_TRUE(e);
    EXPECT_EQ(data.EnumFormatEtc(false), nullptr);
    std::vector<TFormatEtc> got;
    EXPECT_EQ(e->Next(2, got), S_OK);
    EXPECT_EQ(got, (std::vector<TFormatEtc>{{CF_TEXT}, {CF_UNICODETEXT}}));
    EXPECT_EQ(e->Next(5, got), S_FALSE); // only two remained
    EXPECT_EQ(got, (std::vector<TFormatEtc>{{CF_RTF}, {CF_GRIDCOLUMN}}));
    e->Reset();
    e->Skip(10);
    EXPECT_EQ(e->Next(1, got), S_FALSE);
    EXPECT_TRUE(got.empty());
    std::unique_ptr<TSourceEnumFormatEtc> clone(e->Clone());
    EXPECT_EQ(clone->Next(9, got), S_FALSE);
    EXPECT_EQ(got.size(), 3u); // no column format
}

} // namespace
