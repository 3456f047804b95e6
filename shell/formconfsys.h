#pragma once
// The link settings dialog: the serial port, written to TRIVANTO.INI on Ok,
// and the reading of the transfer settings kept in the same file.
#include "platform/forms.h"

class QLabel;
class QRadioButton;

class TFormConfSys : public TForm {
    Q_OBJECT
public:
    explicit TFormConfSys(QWidget* owner = nullptr);

    // Reads the transfer settings into CfgGravar, CfgIsolados and
    // CfgTentativas and selects the radio button of the stored port.
    void LeConfiguracao();

    QLabel* Panel1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    TButton* OkButton;
    TButton* CancButton;
    TButton* HelpBitBtn;

protected:
    void FormShow() override;
    void ShowHelp(int context) override;

private:
    void OkButtonClick();
    void CancButtonClick();
    void HelpBitBtnClick();
    QRadioButton* RadioDaPorta(int porta) const;
};

// The settings dialog created at start-up and kept for the whole run.
extern TFormConfSys* FormConfSys;
