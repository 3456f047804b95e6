#pragma once
// The companion of the prefix window: one access category for every prefix.
#include "platform/controls.h"
#include "platform/forms.h"

class TFormTodPref : public TForm {
    Q_OBJECT
public:
    explicit TFormTodPref(QWidget* owner);

    TPanel* Panel1;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TRadioButton* RadioButton3;
    TRadioButton* RadioButton4;
    TRadioButton* RadioButton5;
    TButton* Button2; // "&Cancela"
    TButton* Button1; // "O&k"

private:
    void Button1Click();
};

// The category digit the dialog's Ok chose: '0'..'3', or '4' for
// "Prefixo bloqueado" and for no choice.
extern char CategoriaTodos;

extern TFormTodPref* FormTodPref;
