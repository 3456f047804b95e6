#pragma once
// The report dialog: the user ticks the reports wanted and prints them as
// one document on the printer.
#include "platform/forms.h"
#include "reports/relatorios.h"

#include <array>

class QGroupBox;
class TCheckBox;

class TFormRelat : public TForm {
    Q_OBJECT
public:
    explicit TFormRelat(QWidget* owner = nullptr);

    // The report flags, index 1..20, as the last Ok set them.
    TSelecaoRelatorios Selecao{};

    QGroupBox* GroupBox1;
    TCheckBox* CB1;
    TCheckBox* CB2;
    TCheckBox* CB3;
    TCheckBox* CB4;
    TCheckBox* CB6;
    TCheckBox* CB7;
    TCheckBox* CB8;
    TCheckBox* CB9;
    TCheckBox* CB10;
    TCheckBox* CB11;
    TCheckBox* CB12;
    TCheckBox* CB14;
    TCheckBox* CB15;
    TCheckBox* CB17;
    TButton* OkButton;
    TButton* CancButton;
    TButton* ApButton;
    TButton* HelpBitBtn;

protected:
    void FormShow() override;
    void ShowHelp(int context) override;

private:
    void OkButtonClick();
    void CancButtonClick();
    void ApButtonClick();
    void HelpBitBtnClick();
    // The check box of each report number, in the table's order.
    std::array<TCheckBox*, std::size(kNumerosRelatorios)> Caixas() const;
};

// The " &Relatórios" command: creates the dialog, shows it modally, frees it.
void MostraFormRelat();
