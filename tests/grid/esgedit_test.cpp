#include "grid/esgcombo.h"
#include "grid/esgedit.h"

#include "grid/extxpvs.h"
#include "platform/themes.h"
#include "tests/support/input.h"

#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class EditBtn : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit = new TEsgEditBtn(&window);
        edit->setGeometry(10, 10, 140, 24);
        other = new TEdit(&window);
        other->setGeometry(10, 50, 140, 24);
        window.resize(200, 100);
        ASSERT_TRUE(input::Activate(&window));
        edit->SetFocus();
    }
    QWidget window;
    TEsgEditBtn* edit;
    TEdit* other;
};

TEST_F(EditBtn, StartsWithZeroAndTheButtonInsideTheRightEdge)
{
    EXPECT_EQ(edit->Text(), "0");
    EXPECT_EQ(edit->ButtonWidth(), 18);
    EXPECT_EQ(edit->ButtonHolder()->geometry().right(), edit->width() - 3);
    EXPECT_EQ(edit->textMargins().right(), 18 + 3);
    edit->SetButtonWidth(30);
    EXPECT_EQ(edit->ButtonHolder()->width(), 30);
    EXPECT_EQ(edit->textMargins().right(), 30 + 3);
    edit->resize(140, 3);
    EXPECT_GE(edit->height(), edit->fontMetrics().height());
}

TEST_F(EditBtn, ButtonPressAndF4ClickAndTheFocusReturnsToTheEdit)
{
    int clicks = 0;
    edit->OnClickBtn = [&] { ++clicks; };
    other->SetFocus();
    input::Click(edit->ButtonHolder()->Button());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(edit->hasFocus());
    input::Key(Qt::Key_F4, Qt::NoModifier, QString(), edit);
    EXPECT_EQ(clicks, 2);
}

TEST_F(EditBtn, WithoutTheEditorTypingPasteAndCutChangeNothingButTheButtonWorks)
{
    int clicks = 0;
    edit->OnClickBtn = [&] { ++clicks; };
    edit->SetText("abc");
    edit->SetEditorEnabled(false);
    QApplication::clipboard()->setText("zz");
    edit->SelectAll();
    input::Type("xy", edit);
    input::Key(Qt::Key_V, Qt::ControlModifier, QString(), edit);
    input::Key(Qt::Key_X, Qt::ControlModifier, QString(), edit);
    input::Key(Qt::Key_Backspace, Qt::NoModifier, QString(), edit);
    EXPECT_EQ(edit->Text(), "abc");
    input::Click(edit->ButtonHolder()->Button());
    EXPECT_EQ(clicks, 1);
    edit->SetEditorEnabled(true);
    edit->SelectAll();
    input::Type("xy", edit);
    EXPECT_EQ(edit->Text(), "xy");
}

TEST_F(EditBtn, RightAlign)
{
    EXPECT_FALSE(edit->alignment() & Qt::AlignRight);
    edit->SetRightAlign(true);
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
}

// Answers the next pop-up menu with keys: Down count times, then Enter.
void AnswerMenu(int downs)
{
    QTimer::singleShot(0, [downs] {
        QWidget* menu = QApplication::activePopupWidget();
        ASSERT_NE(menu, nullptr);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

TEST(UnitEditBtn, ThePopupOfUnitsSetsTheUnit)
{
    QWidget window;
    auto* edit = new TEsgUnitEditBtn(&window);
    edit->setGeometry(10, 10, 160, 24);
    window.resize(200, 60);
    ASSERT_TRUE(input::Activate(&window));
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    EXPECT_EQ(edit->UnitSpace(), 20);
    EXPECT_EQ(edit->textMargins().right(), 18 + 20 + 3);
    edit->SetUnitSpace(30);
    EXPECT_EQ(edit->textMargins().right(), 18 + 30 + 3);
    edit->SetUnits({"mm", "cm", "m"});
    int clicks = 0;
    edit->OnClickBtn = [&] { ++clicks; };
    struct Case {
        int downs;
        QString unit;
    };
    for (const Case& k : {Case{2, "cm"}, Case{1, "mm"}, Case{3, "m"}}) {
        AnswerMenu(k.downs);
        input::Click(edit->ButtonHolder()->Button());
        EXPECT_EQ(edit->UnitID(), k.unit);
    }
    EXPECT_EQ(clicks, 3);
    // F4 in the edit presses the button: the menu opens.
    edit->setFocus();
    AnswerMenu(1);
    input::Key(Qt::Key_F4, Qt::NoModifier, QString(), edit);
    EXPECT_EQ(edit->UnitID(), "mm");
    EXPECT_EQ(clicks, 4);
    // The unit is drawn left of the button.
    edit->SetText("");
    const QImage before = edit->grab().toImage();
    edit->SetUnitID("km");
    const QImage after = edit->grab().toImage();
    const int bandLeft = edit->ButtonHolder()->x() - 30;
    bool changedInBand = false, changedElsewhere = false;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                (x >= bandLeft && x < edit->ButtonHolder()->x() ? changedInBand : changedElsewhere) = true;
    EXPECT_TRUE(changedInBand);
    EXPECT_FALSE(changedElsewhere);
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    EXPECT_TRUE(edit->grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/edit_unidade.png")));
}

TEST(ExtSpeedButton, EveryLookDiffers)
{
    // Themed, flat and push-button faces, each at rest, hot and down.
    QWidget window;
    auto* button = new TExtSpeedButton(&window);
    button->SetCaption("...");
    button->resize(24, 20);
    ASSERT_TRUE(input::Activate(&window));
    std::vector<QImage> looks;
    struct Look {
        bool themed, flat, down;
        const char* name;
    };
    for (const Look& l : {Look{true, false, false, "tema"}, Look{true, false, true, "tema_premido"},
                          Look{false, true, false, "plano"}, Look{false, true, true, "plano_premido"},
                          Look{false, false, false, "classico"}, Look{false, false, true, "classico_premido"}}) {
        button->SetIsWinXP(l.themed);
        button->SetFlat(l.flat);
        button->setDown(l.down);
        looks.push_back(button->grab().toImage());
        ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
        EXPECT_TRUE(looks.back().scaled(96, 80).save(QStringLiteral(TRIVANTO_TEST_OUT "/botao_%1.png").arg(l.name)));
    }
    // Each face differs at rest and pressed, and the themed one from both
    // classic ones.
    for (std::size_t i = 0; i < looks.size(); i += 2)
        EXPECT_NE(looks[i], looks[i + 1]) << i;
    EXPECT_NE(looks[0], looks[2]);
    EXPECT_NE(looks[0], looks[4]);
    // Hot: the mouse over the button.
    button->setDown(false);
    button->SetIsWinXP(true);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->Hot());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->Hot());
}

// ---- the flat combo

TEST(FlatCombo, ButtonWidthTakesOnly14To32)
{
    TESGComboBox combo;
    const int initial = combo.ButtonWidth();
    EXPECT_EQ(initial, QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    for (const int w : {40, 10, 13, 33})
        combo.SetButtonWidth(w);
    EXPECT_EQ(combo.ButtonWidth(), initial);
    combo.SetButtonWidth(14);
    EXPECT_EQ(combo.ButtonWidth(), 14);
    combo.SetButtonWidth(32);
    EXPECT_EQ(combo.ButtonWidth(), 32);
}

TEST(FlatCombo, NotFlatItPaintsAsThePlatformCombo)
{
    QWidget window;
    auto* plain = new TComboBox(&window, csDropDownList);
    auto* ours = new TESGComboBox(&window, csDropDownList);
    for (TComboBox* c : {plain, static_cast<TComboBox*>(ours)}) {
        c->Items().Add("um");
        c->Items().Add("dois");
        c->SetItemIndex(1);
        c->resize(120, 24);
    }
    ours->SetFlat(false);
    window.resize(300, 100);
    window.show();
    EXPECT_EQ(plain->grab().toImage(), ours->grab().toImage());
    ours->SetFlat(true);
    EXPECT_NE(plain->grab().toImage(), ours->grab().toImage());
}

TEST(FlatCombo, HotFocusedDroppedAndDisabledStates)
{
    QWidget window;
    auto* combo = new TESGComboBox(&window);
    combo->Items().Add("um");
    combo->Items().Add("dois");
    combo->setGeometry(10, 10, 120, 24);
    auto* other = new TEdit(&window);
    other->setGeometry(10, 50, 120, 24);
    window.resize(200, 100);
    ASSERT_TRUE(input::Activate(&window));
    other->SetFocus();
    SetThemesActive(false);

    struct Shot {
        const char* name;
        std::function<void()> setUp;
    };
    std::vector<QImage> images;
    const std::vector<Shot> shots = {
        {"repouso", [] {}},
        {"quente",
         [&] {
             QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
             QApplication::sendEvent(combo, &enter);
             EXPECT_TRUE(combo->Hot());
         }},
        {"entalhado", [&] { combo->SetEtched(true); }},
        {"foco",
         [&] {
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(combo, &leave);
             combo->SetEtched(false);
             combo->SetFocusBorder(true);
             combo->SetFocus();
         }},
    };
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    for (const Shot& s : shots) {
        s.setUp();
        images.push_back(combo->grab().toImage());
        EXPECT_TRUE(images.back().save(QStringLiteral(TRIVANTO_TEST_OUT "/combo_%1.png").arg(s.name)));
    }
    for (std::size_t i = 1; i < images.size(); ++i)
        EXPECT_NE(images[i], images[i - 1]) << shots[i].name;

    // Dropped down by the keyboard, the list at the width asked.
    combo->SetDropWidth(250);
    input::Key(Qt::Key_Down, Qt::AltModifier, QString(), combo->lineEdit() ? static_cast<QWidget*>(combo->lineEdit()) : combo);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_GE(combo->view()->width(), 250);
    combo->hidePopup();
    EXPECT_FALSE(combo->DroppedDown());

    // Disabled it takes its parent's colour; enabled, its own colour again.
    QPalette parentPalette = window.palette();
    parentPalette.setColor(QPalette::Window, QColor(10, 200, 30));
    window.setPalette(parentPalette);
    combo->SetColor(clYellow);
    combo->SetEnabled(false);
    EXPECT_EQ(combo->Color(), 0x1EC80A);
    combo->SetEnabled(true);
    EXPECT_EQ(combo->Color(), clYellow);

    SetThemesActive(true);
    combo->Themed = true;
    EXPECT_TRUE(combo->grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/combo_tema.png")));
}

} // namespace
