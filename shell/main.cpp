// The program entry: the application, the long-lived windows, the message
// loop until the main window closes.
#include "platform/application.h"
#include "shell/inicio.h"
#include "shell/propabx.h"

#include <QApplication>

#include <exception>

namespace {

// An error that escapes every handler ends in one error box, and the
// program goes on.
class TAplicacaoTrivanto : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            Application->ShowException(error);
        } catch (...) {
            Application->ShowException(QStringLiteral("Erro inesperado."));
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    TAplicacaoTrivanto app(argc, argv);
    Application->LoadTranslations();
    TJanelasPrograma janelas;
    if (!CriaJanelasPrograma(janelas))
        return 0;
    TFormPrinc* principal = janelas.principal.get();
    QObject::connect(principal, &QDialog::finished, &app, &QCoreApplication::quit);
    principal->Show();
    return app.exec();
}
