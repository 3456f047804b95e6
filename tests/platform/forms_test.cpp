#include "platform/forms.h"
#include "tests/support/scripted.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
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
            for (int i = 0; i < boxesBeforeAnswer; ++i)
                Application->MessageBox("Confira", "Erro", MB_OK);
            events.push_back(isVisible() ? "open after the boxes" : "closed during the boxes");
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
    int boxesBeforeAnswer = 0;
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
                                                     "open after the boxes", "FormCloseQuery", "FormClose"}));
}

// However many boxes the handler shows (each with its own loop, where the
// close could otherwise fire), the window waits for the handler's answer.
TEST(Forms, HandlerShowingBoxesKeepsTheWindowUntilItAnswers)
{
    for (const bool refuse : {true, false}) {
        for (const int boxes : {1, 2}) {
            SCOPED_TRACE(std::to_string(boxes) + (refuse ? " boxes, refused" : " boxes, accepted"));
            ScriptedBoxes answers;
            ModalScript modal;
            ProbeForm form;
            form.refuseOk = refuse;
            form.boxesBeforeAnswer = boxes;
            modal.Then([&](QWidget* w) {
                Click(w, "OkButton");
                input::Settle();
                EXPECT_EQ(w->isVisible(), refuse);
                if (w->isVisible())
                    Click(w, "CancelButton");
            });
            EXPECT_EQ(form.ShowModal(), refuse ? mrCancel : mrOk);
            EXPECT_EQ(answers.calls.size(), static_cast<size_t>(boxes));
            EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "closed during the boxes"), 0);
            EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "FormClose"), 1);
        }
    }
}

// A window shown again opens where it opened the first time: centred.
TEST(Forms, ShownAgainOpensInTheSamePlace)
{
    ProbeForm form;
    std::vector<QRect> places;
    ModalScript modal;
    for (int i = 0; i < 3; ++i)
        modal.Then([&](QWidget* w) {
            places.push_back(w->geometry());
            Click(w, "CancelButton");
        });
    for (int i = 0; i < 3; ++i)
        form.ShowModal();
    ASSERT_EQ(places.size(), 3u);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QRect& place : places) {
        EXPECT_EQ(place, places[0]);
        EXPECT_LE((place.center() - screen.center()).manhattanLength(), 2);
    }
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
    for (const char* titulo : {"", "Título"}) {
        Application->Title = QString::fromUtf8(titulo);
        Application->Guard([] { throw std::runtime_error("'x' is not a valid integer value"); });
    }
    ASSERT_EQ(boxes.calls.size(), 2u);
    for (const MessageBoxCall& call : boxes.calls) {
        EXPECT_EQ(call.text, "'x' is not a valid integer value");
        EXPECT_EQ(call.caption, "Erro") << "whatever the application's title";
        EXPECT_EQ(call.flags, MB_ICONHAND);
    }
}

} // namespace
