#include "platform/forms.h"
#include "tests/support/scripted.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ProbeForm : public TForm {
public:
    ProbeForm()
    {
        OkButton = new TButton("OK", this);
        OkButton->setObjectName("OkButton");
        OkButton->ModalResult = mrOk;
        OkButton->OnClick = [this] {
            events.push_back("OkButtonClick");
            if (refuseOk)
                SetModalResult(mrNone);
        };
        CancelButton = new TButton("Cancelar", this);
        CancelButton->setObjectName("CancelButton");
        CancelButton->ModalResult = mrCancel;
        CancelButton->Cancel = true;
        SetClientSize(200, 100);
    }
    TButton* OkButton;
    TButton* CancelButton;
    bool refuseOk = false;
    bool refuseClose = false;
    std::vector<std::string> events;

protected:
    void FormShow() override { events.push_back("FormShow"); }
    void FormActivate() override { events.push_back("FormActivate"); }
    void FormCloseQuery(bool& canClose) override
    {
        events.push_back("FormCloseQuery");
        canClose = !refuseClose;
    }
    void FormClose() override { events.push_back("FormClose"); }
};

TEST(Forms, OkButtonClosesWithItsResultAfterTheHandlerRan)
{
    ModalScript modal;
    modal.Then([](QWidget* w) { Click(w, "OkButton"); });
    ProbeForm form;
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(form.events, (std::vector<std::string>{"FormShow", "FormActivate", "OkButtonClick",
                                                     "FormCloseQuery", "FormClose"}));
}

TEST(Forms, HandlerThatTakesTheResultBackKeepsTheWindowOpen)
{
    ModalScript modal;
    ProbeForm form;
    modal.Then([&](QWidget* w) {
        form.refuseOk = true;
        Click(w, "OkButton");
        QTimer::singleShot(0, w, [w] { Click(w, "CancelButton"); });
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "OkButtonClick"), 1);
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "FormClose"), 1);
}

TEST(Forms, EscapePressesCancelAndEnterClosesNothing)
{
    ModalScript modal;
    ProbeForm form;
    modal.Then([&](QWidget* w) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &enter);
        EXPECT_TRUE(w->isVisible());
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &esc);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Forms, CloseQueryCanRefuse)
{
    ModalScript modal;
    ProbeForm form;
    modal.Then([&](QWidget* w) {
        form.refuseClose = true;
        Click(w, "OkButton");
        QTimer::singleShot(10, w, [&form, w] {
            EXPECT_TRUE(w->isVisible());
            form.refuseClose = false;
            Click(w, "CancelButton");
        });
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Application, MessageBoxIsAnsweredByTheScriptAndRecorded)
{
    ScriptedBoxes boxes({IDNO});
    Application->Title = "Título";
    EXPECT_EQ(Application->MessageBox("Deseja salvar ?", "Confirmação", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(Application->MessageBox("Sem legenda"), IDOK);
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[0].flags, 35);
    EXPECT_EQ(boxes.calls[1].caption, "Título");
}

TEST(Application, AnUncaughtErrorShowsOneBoxAndGoesOn)
{
    ScriptedBoxes boxes;
    Application->Guard([] { throw std::runtime_error("'x' is not a valid integer value"); });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "'x' is not a valid integer value");
    EXPECT_EQ(boxes.calls[0].flags, MB_ICONHAND);
}

} // namespace
