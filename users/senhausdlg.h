#pragma once
// The login dialog: asks for the password of a program user.
#include "platform/controls.h"
#include "platform/forms.h"

#include <QString>

class TSenhaUsDlg : public TForm {
    Q_OBJECT
public:
    explicit TSenhaUsDlg(QWidget* owner = nullptr);

    TLabel* Label1;
    TEdit* Password;
    TButton* Button1; // "&Cancela"
    TButton* Button2; // "&Ok"

    void Button1Click();
    void Button2Click();

protected:
    void FormShow() override;
};

// The text confirmed in the dialog by its last "&Ok".
extern QString SenhaDigitada;

// The dialog, created at start-up and kept for the whole run; without it
// the login makes one of its own and frees it when done.
extern TSenhaUsDlg* SenhaUsDlg;
