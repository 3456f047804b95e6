// The program and the editing library each carry their own copy of this
// layer. With the library loaded into the program's process, each copy must
// run the events of its own controls only, once, and the program's windows
// must keep working whatever the library's copy does.
//
// Each test runs in a process of its own: a loaded library stays loaded.
#include "image/layout.h"
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kLibrary = TRIVANTO_BIN_DIR "/libprtrivan.so";

using Events = std::vector<std::string>;

std::vector<std::string> Utf8(const QStringList& texts)
{
    std::vector<std::string> out;
    for (const QString& text : texts)
        out.push_back(text.toStdString());
    return out;
}

// What a check inside the child process found wrong, printed for the parent.
class Problems {
public:
    template <typename T>
    void Expect(const T& actual, const T& expected, const char* what)
    {
        if (!(actual == expected))
            text_ += std::string(what) + ": " + ::testing::PrintToString(actual) + ", expected "
                     + ::testing::PrintToString(expected) + "\n";
    }
    void Fail(const char* what) { text_ += std::string(what) + "\n"; }
    [[noreturn]] void Exit() const
    {
        std::fputs(text_.c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(text_.empty() ? 0 : 1);
    }

private:
    std::string text_;
};

// The program's own window: two edits, the first refusing to be left once.
class ProgramForm : public TForm {
public:
    ProgramForm()
    {
        Edit1 = new TEdit(this);
        Edit1->SetBounds(5, 5, 100, 22);
        Edit2 = new TEdit(this);
        Edit2->SetBounds(5, 35, 100, 22);
        Edit1->OnExit = [this] {
            events.push_back("Edit1Exit");
            if (refuse) {
                refuse = false;
                Application->MessageBox("recusado", "Erro", MB_ICONERROR);
                Edit1->SetFocus();
            }
        };
        Edit2->OnEnter = [this] { events.push_back("Edit2Enter"); };
        SetClientSize(120, 70);
    }
    TEdit* Edit1;
    TEdit* Edit2;
    bool refuse = true;
    Events events;
};

// Leaves Edit1 twice: the first move is refused with one box, the second
// enters Edit2 once.
void CheckProgramWindow(Problems& problems)
{
    ScriptedBoxes boxes;
    ProgramForm form;
    if (!input::Activate(&form))
        return problems.Fail("the program's window cannot be activated");
    form.Edit1->SetFocus();
    form.Edit2->SetFocus();
    input::Settle();
    problems.Expect(Utf8(boxes.Texts()), Events{"recusado"}, "the program window's refusal boxes");
    problems.Expect(form.Edit1->hasFocus(), true, "the focus back on the refusing edit");
    form.Edit2->SetFocus();
    problems.Expect(form.events, Events{"Edit1Exit", "Edit1Exit", "Edit2Enter"}, "the program window's events");
}

// The library's calendar window over an image whose date is no date: moving
// to the time edit checks the date in its OnEnter and refuses with one box.
void CheckLibraryWindow(void* library, Problems& problems)
{
    auto calendario = reinterpret_cast<TEntradaModulo>(dlsym(library, "Calendario"));
    if (!calendario)
        return problems.Fail("the library has no calendar entry");
    std::vector<std::uint8_t> image(kTamanhoImagem, 0);
    ScriptedBoxes boxes;
    ModalScript modal;
    QString focused;
    modal.Then([&](QWidget* w) {
        if (!input::Activate(w))
            problems.Fail("the library's window cannot be activated");
        // Found as plain widgets: the library's classes are its own.
        if (QWidget* edit2 = Find<QWidget>(w, "Edit2"))
            edit2->setFocus(Qt::TabFocusReason);
        input::Settle();
        if (QWidget* now = QApplication::focusWidget())
            focused = now->objectName();
        Click(w, "CancButton");
    });
    calendario(image.data(), nullptr);
    problems.Expect(Utf8(QStringList(modal.shown.begin(), modal.shown.end())), Events{"Calendário "},
                    "the windows shown");
    problems.Expect(Utf8(boxes.Texts()), Events{"Data inválida."}, "the library window's boxes");
    problems.Expect(focused.toStdString(), std::string("Edit1"), "the focus back on the date");
}

void* LoadLibrary(Problems& problems)
{
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        problems.Fail(dlerror());
        problems.Exit();
    }
    return library;
}

[[noreturn]] void BothWindowsWithTheLibraryLoaded()
{
    Problems problems;
    CheckProgramWindow(problems);
    void* library = LoadLibrary(problems);
    CheckLibraryWindow(library, problems);
    CheckProgramWindow(problems);
    problems.Exit();
}

// The library unloaded after its window ran: what its copy left on the
// application object is gone with it.
[[noreturn]] void ProgramWindowAfterTheLibraryIsUnloaded()
{
    Problems problems;
    CheckProgramWindow(problems);
    void* library = LoadLibrary(problems);
    CheckLibraryWindow(library, problems);
    dlclose(library);
    problems.Expect(dlopen(kLibrary, RTLD_NOW | RTLD_NOLOAD) == nullptr, true, "the library unloaded");
    CheckProgramWindow(problems);
    problems.Exit();
}

TEST(TwoCopiesDeathTest, EachCopyRunsTheEventsOfItsOwnControlsOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(BothWindowsWithTheLibraryLoaded(), ::testing::ExitedWithCode(0), "");
}

TEST(TwoCopiesDeathTest, TheProgramGoesOnAfterTheLibraryIsUnloaded)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ProgramWindowAfterTheLibraryIsUnloaded(), ::testing::ExitedWithCode(0), "");
}

} // namespace
