#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "tests/support/input.h"
#include "tests/support/casenames.h"
#include "tests/support/scripted.h"

#include <QClipboard>
#include <QStyleOptionGroupBox>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// A window with two edits inside a panel, a third edit outside it and an Ok
// button, each recording its focus events.
class FocusForm : public TForm {
public:
    FocusForm()
    {
        Panel1 = new TPanel(this);
        Panel1->setObjectName("Panel1");
        Panel1->SetBounds(0, 0, 200, 60);
        Edit1 = Make<TEdit>("Edit1", Panel1, 5, 5);
        Edit2 = Make<TEdit>("Edit2", Panel1, 5, 30);
        Edit3 = Make<TEdit>("Edit3", this, 5, 70);
        OkButton = new TButton("O&k", this);
        OkButton->setObjectName("OkButton");
        OkButton->setGeometry(5, 100, 80, 25);
        OkButton->OnClick = [this] { events.push_back("OkButtonClick:" + Edit1->Text().toStdString()); };
        Record(Panel1, "Panel1");
        Record(Edit1, "Edit1");
        Record(Edit2, "Edit2");
        Record(Edit3, "Edit3");
        Record(OkButton, "OkButton");
        SetClientSize(220, 140);
    }

    template <typename T>
    T* Make(const char* name, QWidget* parent, int x, int y)
    {
        auto* control = new T(parent);
        control->setObjectName(name);
        control->SetBounds(x, y, 150, 22);
        return control;
    }

    void Record(TControl* control, const std::string& name)
    {
        control->OnEnter = [this, name] { events.push_back(name + "Enter"); };
        control->OnExit = [this, name] { events.push_back(name + "Exit"); };
    }

    TPanel* Panel1;
    TEdit* Edit1;
    TEdit* Edit2;
    TEdit* Edit3;
    TButton* OkButton;
    Events events;
};

class FocusRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(input::Activate(&form));
        form.Edit1->SetFocus();
        ASSERT_TRUE(form.Edit1->hasFocus());
        form.events.clear();
    }
    FocusForm form;
};

TEST_F(FocusRules, ExitOfTheOldControlAndItsContainerRunBeforeEnter)
{
    form.Edit2->SetFocus();
    form.Edit3->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit1Exit", "Edit2Enter", "Edit2Exit", "Panel1Exit", "Edit3Enter"}));
    form.events.clear();
    form.Edit1->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit3Exit", "Panel1Enter", "Edit1Enter"}));
}

TEST_F(FocusRules, FocusSetBackInExitCancelsTheMove)
{
    form.Edit1->OnExit = [this] {
        form.events.push_back("Edit1Exit");
        form.Edit1->SetFocus();
    };
    form.Edit3->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit1Exit"}));
    EXPECT_TRUE(form.Edit1->hasFocus());
    // The next move that is allowed enters normally.
    form.Edit1->OnExit = nullptr;
    form.Edit2->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit1Exit", "Edit2Enter"}));
}

// An exit handler that shows a window of its own (a message box) and then
// keeps or gives up the focus.
TEST_F(FocusRules, ABoxShownInExitIsNoFocusMoveOfItsOwn)
{
    bool keep = true;
    form.Edit1->OnExit = [&] {
        form.events.push_back("Edit1Exit");
        QWidget box;
        box.resize(50, 20);
        EXPECT_TRUE(input::Activate(&box));
        box.close();
        EXPECT_TRUE(input::Activate(&form));
        if (keep)
            form.Edit1->SetFocus();
    };
    form.Edit3->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit1Exit"}));
    EXPECT_TRUE(form.Edit1->hasFocus());
    keep = false;
    form.events.clear();
    form.Edit3->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit1Exit", "Panel1Exit", "Edit3Enter"}));
    EXPECT_TRUE(form.Edit3->hasFocus());
}

TEST_F(FocusRules, ExitThatSendsTheFocusElsewhereEntersThere)
{
    form.Edit1->OnExit = [this] {
        form.events.push_back("Edit1Exit");
        form.Edit2->SetFocus();
    };
    form.Edit3->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit1Exit", "Edit2Enter"}));
    EXPECT_TRUE(form.Edit2->hasFocus());
    form.events.clear();
    form.Edit3->SetFocus();
    EXPECT_EQ(form.events, (Events{"Edit2Exit", "Panel1Exit", "Edit3Enter"}));
}

TEST_F(FocusRules, ClickOnAButtonWhoseMoveIsRefusedDoesNotClick)
{
    form.Edit1->OnExit = [this] {
        form.events.push_back("Edit1Exit");
        form.Edit1->SetFocus();
    };
    input::Click(form.OkButton);
    EXPECT_EQ(form.events, (Events{"Edit1Exit"}));
    EXPECT_TRUE(form.Edit1->hasFocus());

    form.Edit1->OnExit = [this] { form.events.push_back("Edit1Exit"); };
    form.events.clear();
    input::Click(form.OkButton);
    EXPECT_EQ(form.events, (Events{"Edit1Exit", "Panel1Exit", "OkButtonEnter", "OkButtonClick:"}));
}

TEST_F(FocusRules, AcceleratorClicksWithoutMovingTheFocus)
{
    form.Edit1->SetText("texto");
    input::Accelerator('k');
    QCoreApplication::processEvents();
    EXPECT_EQ(form.events, (Events{"OkButtonClick:texto"}));
    EXPECT_TRUE(form.Edit1->hasFocus());
}

TEST_F(FocusRules, LabelAcceleratorFocusesItsControl)
{
    TLabel label("&Senha", &form);
    label.SetFocusControl(form.Edit3);
    label.show();
    EXPECT_EQ(label.text(), "&Senha");
    input::Accelerator('s');
    EXPECT_TRUE(form.Edit3->hasFocus());
    EXPECT_EQ(form.events, (Events{"Edit1Exit", "Panel1Exit", "Edit3Enter"}));

    TLabel plain("Número do &Ramal", &form);
    EXPECT_EQ(plain.text(), "Número do Ramal");
}

TEST(ControlEvents, CheckBoxClickFollowsEveryChangeOfChecked)
{
    TCheckBox box("Siga-me");
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetChecked(true);
    box.SetChecked(true);
    box.show();
    input::Click(&box, QPoint(6, box.height() / 2)); // the user unchecks it
    box.SetChecked(false);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(box.Checked());
}

TEST(ControlEvents, RadioButtonClickRunsWhenItBecomesChecked)
{
    QWidget group;
    TRadioButton first("Não ativa", &group);
    TRadioButton second("Ativa todos os dias", &group);
    Events events;
    first.OnClick = [&] { events.push_back("first"); };
    second.OnClick = [&] { events.push_back("second"); };
    first.SetChecked(true);
    second.SetChecked(true); // unchecks first, which runs nothing
    second.SetChecked(true);
    EXPECT_EQ(events, (Events{"first", "second"}));
    EXPECT_FALSE(first.Checked());
    second.SetChecked(false);
    EXPECT_FALSE(second.Checked());
}

TEST(ControlEvents, EditAndComboChangeRunsWhenTheProgramSetsText)
{
    TEdit edit;
    TComboBox free(nullptr, csDropDown);
    TComboBox pick(nullptr, csDropDownList);
    Events events;
    edit.OnChange = [&] { events.push_back("edit:" + edit.Text().toStdString()); };
    free.OnChange = [&] { events.push_back("free:" + free.Text().toStdString()); };
    pick.OnChange = [&] { events.push_back("pick:" + pick.Text().toStdString()); };
    pick.Items().AddStrings({"20", "21"});
    free.Items().AddStrings({"20", "21"});
    edit.SetText("5");
    edit.SetText("5");
    free.SetText("33");
    pick.SetText("21");
    pick.SetText("99"); // not an item: none selected
    free.SetItemIndex(0); // the program's selection runs no handler
    pick.SetItemIndex(0);
    EXPECT_EQ(events, (Events{"edit:5", "free:33", "pick:21", "pick:"}));
    EXPECT_EQ(pick.ItemIndex(), 0);
    EXPECT_EQ(free.Text(), "20");
}

TEST(ControlEvents, ComboItemsSortedSelectNothingAndKeepTheText)
{
    TComboBox pick(nullptr, csDropDownList);
    pick.SetSorted(true);
    EXPECT_EQ(pick.Items().Add("31"), 0);
    EXPECT_EQ(pick.Items().Add("20"), 0);
    EXPECT_EQ(pick.Items().Add("25"), 1);
    EXPECT_EQ(pick.Items().ToStringList(), (QStringList{"20", "25", "31"}));
    EXPECT_EQ(pick.ItemIndex(), -1);

    TComboBox free(nullptr, csDropDown);
    free.SetText("1234");
    free.Items().Add("1234");
    EXPECT_EQ(free.Text(), "1234");
    EXPECT_EQ(free.Items().IndexOf("1234"), 0);
    free.SetText("99");
    EXPECT_EQ(free.ItemIndex(), -1);
}

TEST(ControlEvents, ListBoxSortedWithTopIndexAndSilentItemIndex)
{
    TListBox list;
    list.resize(100, 60);
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.SetSorted(true);
    for (const char* prefix : {"9", "00", "1", "01", "5", "7", "8", "3"})
        list.Items().Add(prefix);
    EXPECT_EQ(list.Items()[0], "00");
    EXPECT_EQ(list.Items()[7], "9");
    list.SetItemIndex(2);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks, 0);
    list.SetTopIndex(3);
    EXPECT_EQ(list.TopIndex(), 3);
    list.SetItemIndex(-1);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(ControlEvents, RadioGroupItemIndexRunsClick)
{
    TRadioGroup group("Dia da semana");
    group.resize(300, 120);
    group.SetColumns(2);
    group.Items().AddStrings({"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"});
    Events events;
    group.OnClick = [&] { events.push_back(std::to_string(group.ItemIndex())); };
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(3);
    group.SetItemIndex(3);
    group.show();
    input::Click(group.Button(5), QPoint(6, group.Button(5)->height() / 2));
    group.SetItemIndex(-1);
    EXPECT_EQ(events, (Events{"3", "5"}));
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_FALSE(group.Button(5)->isChecked());
    // Two columns of four, the second column to the right of the first.
    EXPECT_EQ(group.Button(4)->x(), group.Button(0)->x() + group.Button(0)->width());
    EXPECT_EQ(group.Button(4)->y(), group.Button(0)->y());
}

// The buttons of a radio group stand below its caption and inside its
// frame, as a framed group box lays out its contents, in the font the group
// is built with and after a larger one is set.
TEST(ControlLayout, RadioGroupButtonsStandBelowTheCaption)
{
    struct Shape {
        int columns;
        int items;
        QSize size;
    };
    const auto belowCaption = [](TRadioGroup& group, const std::string& what) {
        QStyleOptionGroupBox option;
        option.initFrom(&group);
        option.text = group.Caption();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const int captionBottom =
            group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group).bottom();
        for (int i = 0; i < group.Items().Count(); ++i) {
            const QRect button = group.Button(i)->geometry();
            EXPECT_GT(button.top(), captionBottom) << what << ", button " << i;
            EXPECT_TRUE(group.rect().contains(button)) << what << ", button " << i;
        }
    };
    for (const Shape& shape : {Shape{1, 3, {200, 80}}, Shape{2, 7, {260, 112}}, Shape{4, 4, {300, 44}}}) {
        TRadioGroup group("Dia da semana");
        group.resize(shape.size);
        group.SetColumns(shape.columns);
        for (int i = 0; i < shape.items; ++i)
            group.Items().Add(QStringLiteral("Item %1").arg(i));
        group.show();
        const std::string what = std::to_string(shape.columns) + " columns of " + std::to_string(shape.items);
        belowCaption(group, what);
        QFont larger = group.font();
        larger.setPointSize(larger.pointSize() + 4);
        group.setFont(larger);
        belowCaption(group, what + ", larger font");
    }
}

TEST(ControlEvents, NotebookAsksBeforeThePageChanges)
{
    TTabbedNotebook book;
    book.AddPage("Diurno");
    book.AddPage("Noturno");
    bool allow = false;
    Events events;
    book.OnChange = [&](int newTab, bool& allowChange) {
        events.push_back(std::to_string(book.PageIndex()) + "->" + std::to_string(newTab));
        allowChange = allow;
    };
    book.SetPageIndex(1);
    EXPECT_EQ(book.PageIndex(), 0);
    allow = true;
    book.SetActivePage("Noturno");
    EXPECT_EQ(book.PageIndex(), 1);
    EXPECT_EQ(book.ActivePage(), "Noturno");
    EXPECT_EQ(events, (Events{"0->1", "0->1"}));
}

TEST(ControlEvents, HandlerErrorsEndInTheErrorBox)
{
    ScriptedBoxes boxes;
    TCheckBox box;
    box.OnClick = [] { throw std::runtime_error("falhou"); };
    box.SetChecked(true);
    EXPECT_EQ(boxes.Texts(), (QStringList{"falhou"}));
    EXPECT_TRUE(box.Checked());
}

TEST(ControlEvents, HelpContextOfTheFocusedControl)
{
    class HelpForm : public TForm {
    public:
        int shown = -1;

    protected:
        void ShowHelp(int context) override { shown = context; }
    };
    HelpForm form;
    form.HelpContext = 4900;
    TEdit edit(&form);
    edit.HelpContext = 4901;
    TEdit other(&form);
    other.move(0, 30);
    ASSERT_TRUE(input::Activate(&form));
    edit.SetFocus();
    input::Key(Qt::Key_F1);
    EXPECT_EQ(form.shown, 4901);
    other.SetFocus();
    input::Key(Qt::Key_F1);
    EXPECT_EQ(form.shown, 4900);
}

// A window that opens a nested window and a message box from its handlers.
class ParentForm : public TForm {
public:
    int activations = 0;

protected:
    void FormActivate() override { ++activations; }
};

TEST(ControlEvents, ActivateAfterANestedWindowButNotAfterAMessageBox)
{
    ScriptedBoxes boxes;
    ModalScript modal;
    ParentForm parent;
    modal
        .Then([&](QWidget* w) {
            Application->MessageBox("no pai");
            TForm nested(w);
            nested.ShowModal();
            EXPECT_EQ(parent.activations, 2); // shown, then back from the nested one
            Application->MessageBox("de novo no pai");
            parent.SetModalResult(mrCancel);
        })
        .Then([](QWidget* w) {
            Application->MessageBox("no filho");
            static_cast<TForm*>(w)->SetModalResult(mrOk);
        });
    parent.ShowModal();
    EXPECT_EQ(parent.activations, 2);
    EXPECT_EQ(boxes.calls.size(), 3u);
}

} // namespace

namespace {

TEST(ControlEvents, FreeTextComboFiltersTypedKeys)
{
    QWidget window;
    TComboBox combo(&window, csDropDown);
    std::string seen;
    combo.OnKeyPress = [&](char& key) {
        seen += key;
        if (key < '0' || key > '9')
            key = 0;
    };
    ASSERT_TRUE(input::Activate(&window));
    combo.SetFocus();
    input::Type("2a5");
    EXPECT_EQ(seen, "2a5");
    EXPECT_EQ(combo.Text(), "25");
}

} // namespace

namespace {

TEST(ControlEvents, PanelShowsItsColourAndBevelAndClicks)
{
    TPanel panel;
    panel.resize(40, 30);
    panel.SetCaption("");
    int clicks = 0;
    panel.OnClick = [&] { ++clicks; };
    struct Row {
        TColor color;
        TBevelCut bevel;
        TColor topLeft;
    };
    // Selected cells of the copy pickers: lowered and teal; others raised.
    const Row rows[] = {{clTeal, bvLowered, clBtnShadow}, {clBtnFace, bvRaised, clBtnHighlight}};
    for (const Row& row : rows) {
        panel.SetColor(row.color);
        panel.SetBevelOuter(row.bevel);
        const QImage image = panel.grab().toImage();
        EXPECT_EQ(image.pixelColor(20, 15).rgb(), ToQColor(row.color).rgb());
        EXPECT_EQ(image.pixelColor(0, 0).rgb(), ToQColor(row.topLeft).rgb());
    }
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&panel, &press);
    QCoreApplication::sendEvent(&panel, &release);
    EXPECT_EQ(clicks, 1);
}

} // namespace

namespace {

TEST(ControlEvents, PickListChangedByTheUserRunsClickAndChange)
{
    QWidget window;
    TComboBox pick(&window, csDropDownList);
    pick.Items().AddStrings({"20", "21", "22"});
    pick.SetItemIndex(0);
    Events events;
    pick.OnClick = [&] { events.push_back("click:" + pick.Text().toStdString()); };
    pick.OnChange = [&] { events.push_back("change:" + pick.Text().toStdString()); };
    ASSERT_TRUE(input::Activate(&window));
    pick.SetFocus();
    input::Key(Qt::Key_Down);
    EXPECT_EQ(events, (Events{"click:21", "change:21"}));
}

} // namespace

namespace {

TEST(ControlEvents, TimerTicksWhileEnabledAndErrorsEndInTheBox)
{
    ScriptedBoxes boxes;
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 3) {
            timer.SetEnabled(false);
            throw std::runtime_error("parou");
        }
    };
    timer.SetInterval(1);
    QElapsedTimer waited;
    waited.start();
    while (ticks < 3 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(boxes.Texts(), (QStringList{"parou"}));
}

} // namespace

namespace {

// MaxLength limits what the user types or pastes; a stored value longer than
// its field, set by the program, shows whole, so that Ok writes it back.
struct LimitCase {
    const char* name;
    const char* stored;
    enum { AtEnd, AtStart, AllSelected } caret;
    const char* typed;
    const char* pasted;
    const char* expected;
};

const LimitCase kLimitCases[] = {
    {"a stored text shows whole", "4321", LimitCase::AtEnd, "", "", "4321"},
    {"typing stops at the limit", "", LimitCase::AtEnd, "123", "", "12"},
    {"a paste keeps what fits", "", LimitCase::AtEnd, "", "98765", "98"},
    {"a paste before the text", "1", LimitCase::AtStart, "", "ab", "a1"},
    {"nothing goes into a longer stored text", "43", LimitCase::AtEnd, "5", "6", "43"},
    {"backspace shortens a longer stored text", "432", LimitCase::AtEnd, "\b", "", "43"},
    {"typing over the whole text", "4321", LimitCase::AllSelected, "7", "", "7"},
};

// One kind of one-line control, seen through what the windows use.
struct LimitedControl {
    QWidget* widget;
    std::function<void(const QString&)> setText;
    std::function<QString()> text;
};

struct LimitedKind {
    const char* name;
    LimitedControl (*make)(QWidget* parent);
};

template <typename T>
LimitedControl Limited(T* control)
{
    control->SetMaxLength(2);
    return {control, [control](const QString& t) { control->SetText(t); }, [control] { return control->Text(); }};
}

const LimitedKind kLimitedControls[] = {
    {"Edit", [](QWidget* parent) { return Limited(new TEdit(parent)); }},
    {"FreeTextCombo", [](QWidget* parent) { return Limited(new TComboBox(parent, csDropDown)); }},
    {"MaskEditWithoutMask", [](QWidget* parent) { return Limited(new TMaskEdit(parent)); }},
};

class MaxLength : public ::testing::TestWithParam<LimitedKind> {};

TEST_P(MaxLength, LimitsTheUsersInputOnly)
{
    for (const LimitCase& c : kLimitCases) {
        QWidget window;
        const LimitedControl control = GetParam().make(&window);
        ASSERT_TRUE(input::Activate(&window));
        control.widget->setFocus();
        control.setText(c.stored);
        if (c.caret == LimitCase::AtStart)
            input::Key(Qt::Key_Home);
        else if (c.caret == LimitCase::AllSelected)
            input::Key(Qt::Key_A, Qt::ControlModifier, "\x01");
        input::Type(c.typed);
        if (*c.pasted) {
            QApplication::clipboard()->setText(c.pasted);
            input::Key(Qt::Key_V, Qt::ControlModifier, "\x16");
        }
        EXPECT_EQ(control.text(), c.expected) << c.name;
    }
}

void PrintTo(const LimitedKind& kind, std::ostream* os)
{
    *os << kind.name;
}

INSTANTIATE_TEST_SUITE_P(Controls, MaxLength, ::testing::ValuesIn(kLimitedControls), PrintedName{});

} // namespace

namespace {

// Esc belongs to the window's Cancel button, also in a control whose key
// handlers refuse every key but digits with a message.
struct KeyControlKind {
    const char* name;
    TControl* (*make)(QWidget* parent);
};

const KeyControlKind kKeyControls[] = {
    {"Edit", [](QWidget* parent) -> TControl* { return new TEdit(parent); }},
    {"MaskEdit",
     [](QWidget* parent) -> TControl* {
         auto* edit = new TMaskEdit(parent);
         edit->SetEditMask("  99:99;1;_");
         return edit;
     }},
    {"FreeTextCombo", [](QWidget* parent) -> TControl* { return new TComboBox(parent, csDropDown); }},
    {"Grid", [](QWidget* parent) -> TControl* { return new TStringGrid(parent); }},
    {"Button", [](QWidget* parent) -> TControl* { return new TButton("&Ok", parent); }},
};

void PrintTo(const KeyControlKind& kind, std::ostream* os)
{
    *os << kind.name;
}

class EscapeKey : public ::testing::TestWithParam<KeyControlKind> {};

TEST_P(EscapeKey, ClicksCancelBeforeTheControlsKeyHandlers)
{
    for (const bool withCancel : {true, false}) {
        ScriptedBoxes boxes;
        TForm form;
        TControl* control = GetParam().make(&form);
        control->SetBounds(5, 5, 150, 60);
        std::vector<int> seen;
        control->OnKeyDown = [&](int& key, TShiftState) { seen.push_back(key); };
        control->OnKeyPress = [&](char& key) {
            seen.push_back(key);
            if (key < '0' || key > '9') {
                key = 0;
                Application->MessageBox("Somente números", "Erro", MB_ICONERROR);
            }
        };
        if (withCancel) {
            auto* cancel = new TButton("&Cancela", &form);
            cancel->setGeometry(5, 70, 80, 25);
            cancel->ModalResult = mrCancel;
            cancel->Cancel = true;
        }
        ASSERT_TRUE(input::Activate(&form));
        control->SetFocus();
        input::Key(Qt::Key_Escape);
        if (withCancel) {
            EXPECT_EQ(form.ModalResult(), mrCancel);
            EXPECT_EQ(seen, std::vector<int>{});
            EXPECT_TRUE(boxes.calls.empty());
        } else { // without a Cancel button the control's handlers have it
            EXPECT_EQ(form.ModalResult(), mrNone);
            EXPECT_EQ(seen, (std::vector<int>{VK_ESCAPE, 27}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, EscapeKey, ::testing::ValuesIn(kKeyControls), PrintedName{});

} // namespace
