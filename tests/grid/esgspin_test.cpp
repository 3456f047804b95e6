#include "grid/esgspin.h"

#include "platform/controls.h"
#include "platform/localesettings.h"
#include "platform/testhooks.h"
#include "platform/themes.h"
#include "grid/extxpvs.h"
#include "tests/support/input.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

namespace {

int beeps = 0;

class SpinEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        beeps = 0;
        SetBeepHook([] { ++beeps; });
        saved = LocaleSettings();
        LocaleSettings().DateSeparator = '/';
        LocaleSettings().TimeSeparator = ':';
        LocaleSettings().DecimalSeparator = '.';
        LocaleSettings().ThousandSeparator = ',';
        LocaleSettings().ShortDateFormat = "dd/MM/yyyy";
        spin = new TEsgSpinEdit(&window);
        spin->setGeometry(10, 10, 120, 24);
        other = new TEdit(&window);
        other->setGeometry(10, 50, 120, 24);
        window.resize(200, 100);
        ASSERT_TRUE(input::Activate(&window));
        spin->SetFocus();
    }
    void TearDown() override
    {
        SetBeepHook(nullptr);
        LocaleSettings() = saved;
    }

    // Puts the caret at a position with the keyboard.
    void CaretAt(int position)
    {
        input::Key(Qt::Key_Home, Qt::NoModifier, QString(), spin);
        for (int i = 0; i < position; ++i)
            input::Key(Qt::Key_Right, Qt::NoModifier, QString(), spin);
    }

    TLocaleSettings saved;
    QWidget window;
    TEsgSpinEdit* spin;
    TEdit* other;
};

TEST_F(SpinEdit, IntegerValueIsClampedUnlessTheBoundsAreEqual)
{
    struct Case {
        int min, max, set;
        QString shown;
    };
    for (const Case& k : {Case{0, 100, 150, "100"}, Case{0, 100, -3, "0"}, Case{0, 100, 42, "42"},
                         Case{5, 5, 150, "150"}, Case{5, 5, -7, "-7"}}) {
        spin->MinValue = k.min;
        spin->MaxValue = k.max;
        spin->SetValue(k.set);
        EXPECT_EQ(spin->Text(), k.shown) << k.min << ".." << k.max << " " << k.set;
    }
    spin->SetText("abc");
    spin->MinValue = 3;
    spin->MaxValue = 9;
    EXPECT_EQ(spin->Value(), 3); // unreadable text reads as the least value
}

TEST_F(SpinEdit, ArrowKeysStepTheFieldTheCaretIsIn)
{
    struct Case {
        TEsgSpinType type;
        QString start;
        int caret;
        int key;
        QString end;
    };
    const int U = Qt::Key_Up, D = Qt::Key_Down;
    const std::vector<Case> cases = {
        {sptNormal, "7", 0, U, "8"},
        {sptNormal, "100", 0, U, "100"},
        {sptNormal, "0", 1, D, "0"},
        {sptDate, "15/03/2024", 0, D, "14/03/2024"},
        {sptDate, "15/03/2024", 2, U, "16/03/2024"},
        {sptDate, "15/03/2024", 3, U, "15/04/2024"},
        {sptDate, "31/01/2024", 4, U, "29/02/2024"},
        {sptDate, "15/03/2024", 7, D, "15/03/2023"},
        {sptDate, "01/03/2024", 1, D, "29/02/2024"},
        {sptTime, "10:59:00", 4, U, "11:00:00"},
        {sptTime, "10:59:00", 0, U, "11:59:00"},
        {sptTime, "10:59:00", 2, D, "09:59:00"},
        {sptTime, "00:00:05", 1, D, "23:00:05"},
        {sptTime, "23:59:59", 7, U, "00:00:00"},
        {sptTime, "00:00:00", 8, D, "23:59:59"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.start.toStdString() + " caret " + std::to_string(k.caret));
        spin->SetSpinType(k.type);
        spin->SetText(k.start);
        CaretAt(k.caret);
        input::Key(k.key, Qt::NoModifier, QString(), spin);
        EXPECT_EQ(spin->Text(), k.end);
        if (k.type == sptDate || k.type == sptTime) {
            EXPECT_EQ(spin->cursorPosition(), k.caret); // the caret stays in its field
        }
    }
}

TEST_F(SpinEdit, FloatStepsAndPrecision)
{
    spin->SetSpinType(sptFloat);
    spin->IncrementFloat = 0.25;
    spin->SetPrecision(2);
    spin->SetFloatValue(1.5);
    EXPECT_EQ(spin->Text(), "1.50");
    input::Key(Qt::Key_Up, Qt::NoModifier, QString(), spin);
    EXPECT_EQ(spin->Text(), "1.75");
    spin->SetPrecision(0);
    EXPECT_EQ(spin->Text(), "1.75");
    spin->SetFloatValue(250);
    EXPECT_EQ(spin->Text(), "100");
}

TEST_F(SpinEdit, TypedCharactersByType)
{
    struct Case {
        TEsgSpinType type;
        int precision;
        QString start;
        QString typed;
        QString end;
        int beeps;
    };
    const std::vector<Case> cases = {
        {sptNormal, 0, "", "12a-", "12-", 1},
        {sptNormal, 0, "", "1:2/3", "123", 2},
        {sptTime, 0, "", "10:20:30:", "10:20:30", 1},
        {sptDate, 0, "", "1/2:", "1/2", 1},
        {sptFloat, 0, "", "1,5.2", "1.52", 1}, // a thousand separator typed becomes the decimal one
        {sptFloat, 2, "", "3.141", "3.14", 1},
        {sptNormal, 0, "", "\r", "", 1}, // Enter is refused too
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed.toStdString());
        spin->SetSpinType(k.type);
        spin->SetPrecision(k.precision);
        spin->SetText(k.start);
        beeps = 0;
        input::Type(k.typed, spin);
        EXPECT_EQ(spin->Text(), k.end);
        EXPECT_EQ(beeps, k.beeps);
    }
}

TEST_F(SpinEdit, WithoutTheEditorOnlyButtonsAndArrowsChangeIt)
{
    spin->SetValue(5);
    spin->SetEditorEnabled(false);
    other->SetFocus();
    spin->SetFocus();
    EXPECT_EQ(spin->selectedText(), "5"); // entering selects all
    QApplication::clipboard()->setText("77");
    input::Type("9", spin);
    input::Key(Qt::Key_V, Qt::ControlModifier, QString(), spin);
    input::Key(Qt::Key_X, Qt::ControlModifier, QString(), spin);
    input::Key(Qt::Key_Delete, Qt::NoModifier, QString(), spin);
    input::Key(Qt::Key_Backspace, Qt::NoModifier, QString(), spin);
    EXPECT_EQ(spin->Text(), "5");
    input::Key(Qt::Key_Up, Qt::NoModifier, QString(), spin);
    EXPECT_EQ(spin->Text(), "6");
    input::Click(spin->Button()->UpButton());
    EXPECT_EQ(spin->Text(), "7");
    // Only typing is refused: copying, Esc and Tab still work, without a beep.
    spin->SelectAll();
    beeps = 0;
    input::Key(Qt::Key_C, Qt::ControlModifier, QString("\x03"), spin);
    EXPECT_EQ(QApplication::clipboard()->text(), "7");
    input::Key(Qt::Key_Escape, Qt::NoModifier, QString("\x1b"), spin);
    EXPECT_EQ(beeps, 0);
    input::Key(Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(spin->Text(), "7");
}

TEST_F(SpinEdit, DateValueIsClampedByEachBoundThatIsSet)
{
    struct Case {
        const char* min;
        const char* max;
        const char* set;
        QString shown;
    };
    const auto date = [](const char* text) { return QDate::fromString(QString::fromLatin1(text), "dd/MM/yyyy"); };
    spin->SetSpinType(sptDate);
    for (const Case& k : {Case{"01/01/2024", "31/12/2024", "15/06/2025", "31/12/2024"},
                          Case{"", "31/12/2024", "15/06/2025", "31/12/2024"},
                          Case{"", "31/12/2024", "15/06/2020", "15/06/2020"},
                          Case{"01/01/2024", "", "15/06/2020", "01/01/2024"},
                          Case{"01/01/2024", "", "15/06/2030", "15/06/2030"},
                          Case{"01/01/2024", "01/01/2024", "15/06/2030", "15/06/2030"}}) {
        SCOPED_TRACE(std::string(k.min) + ".." + k.max + " " + k.set);
        spin->MinDateValue = date(k.min);
        spin->MaxDateValue = date(k.max);
        spin->SetDateValue(date(k.set));
        EXPECT_EQ(spin->Text(), k.shown);
    }
}

TEST_F(SpinEdit, AnUnreadableFloatReadsAsTheLeastIntegerValue)
{
    spin->SetSpinType(sptFloat);
    spin->MinValue = 3;
    spin->MinFloatValue = 1.5;
    spin->SetText("abc");
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 3.0);
}

TEST_F(SpinEdit, ReadOnlyOnlyBeeps)
{
    spin->SetValue(5);
    spin->SetReadOnly(true);
    input::Key(Qt::Key_Up, Qt::NoModifier, QString(), spin);
    input::Click(spin->Button()->DownButton());
    EXPECT_EQ(spin->Text(), "5");
    EXPECT_EQ(beeps, 2);
}

TEST_F(SpinEdit, ButtonsTakeTheFocusForTheEditAndLeavingClamps)
{
    other->SetFocus();
    spin->SetValue(10);
    input::Click(spin->Button()->UpButton());
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_EQ(spin->Text(), "11");
    input::Click(spin->Button()->DownButton());
    input::Click(spin->Button()->DownButton());
    EXPECT_EQ(spin->Text(), "9");

    spin->SelectAll();
    input::Type("500", spin);
    EXPECT_EQ(spin->Text(), "500");
    input::Key(Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(spin->Text(), "100");
}

TEST_F(SpinEdit, ReturnIsTabMovesOn)
{
    input::Key(Qt::Key_Return, Qt::NoModifier, QString(), spin);
    EXPECT_TRUE(spin->hasFocus());
    spin->ReturnIsTab = true;
    input::Key(Qt::Key_Return, Qt::NoModifier, QString(), spin);
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(SpinEdit, TheTextEndsBeforeTheButtons)
{
    EXPECT_EQ(spin->textMargins().right(), spin->Button()->width() + 2);
    EXPECT_EQ(spin->Button()->geometry().right(), spin->width() - 3);
    spin->SetDirection(spHorizontal);
    EXPECT_EQ(spin->Button()->width(), 20);
    EXPECT_EQ(spin->textMargins().right(), 22);
    EXPECT_GT(spin->Button()->UpButton()->x(), spin->Button()->DownButton()->x());
    spin->resize(120, 4);
    EXPECT_GE(spin->height(), spin->fontMetrics().height());
}

TEST_F(SpinEdit, HoldingAButtonRepeatsAfter400ThenEvery100)
{
    int clicks = 0;
    spin->Button()->OnUpClick = [&] { ++clicks; };
    TExtTimerSpeedButton* up = spin->Button()->UpButton();
    QTimer& timer = up->RepeatTimer();
    QSignalSpy ticks(&timer, &QTimer::timeout);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_EQ(clicks, 1); // the press itself
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 400);
    ASSERT_TRUE(ticks.wait(5000));
    // A timer does not fire early (a few milliseconds of rounding aside);
    // load can only make it late.
    EXPECT_GE(held.elapsed(), 380);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(timer.interval(), 100);
    while (ticks.size() < 4)
        ASSERT_TRUE(ticks.wait(5000));
    EXPECT_EQ(clicks, 5); // one click per tick of the timer
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(clicks, 5); // the release adds none
    QTest::mouseClick(spin->Button()->DownButton(), Qt::LeftButton);
    EXPECT_EQ(clicks, 5);
}

TEST(SpinButton, KeysClickTheButtons)
{
    QWidget window;
    auto* pair = new TEsgSpinButton(&window);
    int ups = 0, downs = 0;
    pair->OnUpClick = [&] { ++ups; };
    pair->OnDownClick = [&] { ++downs; };
    ASSERT_TRUE(input::Activate(&window));
    pair->setFocus();
    input::Key(Qt::Key_Up, Qt::NoModifier, QString(), pair);
    input::Key(Qt::Key_Space, Qt::NoModifier, QString(), pair);
    input::Key(Qt::Key_Down, Qt::NoModifier, QString(), pair);
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(downs, 1);
    pair->resize(5, 17);
    EXPECT_EQ(pair->width(), 15);
    pair->SetDirection(spHorizontal);
    pair->resize(8, 17);
    EXPECT_EQ(pair->width(), 20);
}

TEST(SpinButton, GlyphsGoToTheirButtons)
{
    TEsgSpinButton pair;
    EXPECT_FALSE(pair.UpGlyph().isNull()); // the bitmap resources
    EXPECT_FALSE(pair.DownGlyph().isNull());
    QImage strip(20, 8, QImage::Format_RGB32);
    strip.fill(Qt::red);
    strip.setPixel(0, 0, qRgb(0, 0, 255)); // the corner gives the transparent colour
    pair.SetUpGlyph(QPixmap::fromImage(strip));
    pair.SetDownNumGlyphs(2);
    pair.SetUpNumGlyphs(0);
    EXPECT_EQ(pair.UpButton()->Glyph.width(), 20);
    EXPECT_EQ(pair.UpGlyph().width(), 20);
    EXPECT_EQ(pair.DownButton()->NumGlyphs, 2);
    EXPECT_EQ(pair.DownNumGlyphs(), 2);
    EXPECT_EQ(pair.UpNumGlyphs(), 1) << "at least one image";
    SetThemesActive(false); // the classic face draws the glyph
    const QImage drawn = pair.UpButton()->grab().toImage();
    SetThemesActive(true);
    bool red = false;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            red |= drawn.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_TRUE(red) << "the up button draws the new glyph";
}

TEST_F(SpinEdit, Screenshots)
{
    // Each state of the buttons, themed and classic, both directions.
    QWidget sheet;
    auto* layout = new QVBoxLayout(&sheet);
    struct State {
        bool themed;
        TSpinDirection direction;
        bool flat;
    };
    for (const State s : {State{true, spVertical, false}, State{false, spVertical, false}, State{false, spVertical, true},
                          State{true, spHorizontal, false}, State{false, spHorizontal, false}}) {
        SetThemesActive(s.themed);
        auto* e = new TEsgSpinEdit;
        e->SetDirection(s.direction);
        e->SetSpinFlat(s.flat);
        e->SetText(s.themed ? "temas" : "clássico");
        e->resize(140, 24);
        layout->addWidget(e);
        ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
        const QString name = QStringLiteral(TRIVANTO_TEST_OUT "/spin_%1_%2%3.png")
                                 .arg(s.themed ? "tema" : "classico")
                                 .arg(s.direction == spVertical ? "vertical" : "horizontal")
                                 .arg(s.flat ? "_plano" : "");
        EXPECT_TRUE(e->grab().save(name));
    }
    SetThemesActive(true);
}

} // namespace
