#pragma once
// Calendar: the exchange's date, time and weekday.
#include "modules/modulo.h"
#include "platform/controls.h"

#include <QDate>
#include <QTime>

class TFormCalendar : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormCalendar(QWidget* owner);

    TMaskEdit* Edit1;
    TMaskEdit* Edit2;
    TRadioGroup* RadioGroup1;
    TButton* HelpBitBtn;
    TButton* CompButton;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormShow() override;
    void PreparaModulo() override;

private:
    bool LeData(QDate& dataLida);
    bool LeHora(QTime& hora);
    bool VerDiaSemana();
    void Edit2Exit();
    void RadioGroup1Click();
    void OkButtonEnter();
    void CompButtonClick();
    void OkButtonClick() override;

    // Shows the stored date, time and weekday.
    void CarregaControles();
};

extern TFormCalendar* FormCalendar;
