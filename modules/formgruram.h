#pragma once
// Extension groups: for each of the four groups its type, up to seven member
// extensions and the rings before an unanswered call is diverted, edited on a
// work copy that Ok writes back with each group's members moved to the front.
#include "modules/modulo.h"
#include "modules/navegagrupo.h"
#include "modules/seletores.h"
#include "platform/controls.h"

#include <array>

class TFormGruRam : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormGruRam(QWidget* owner);

    TEdit* Edit1;
    TSpeedButton* SpeedButton1; // first group
    TSpeedButton* SpeedButton2; // previous
    TSpeedButton* SpeedButton3; // next
    TSpeedButton* SpeedButton4; // last
    TGroupBox* GroupBox1;       // the members
    std::array<TComboBox*, 7> ComboBoxMembro{}; // ComboBox2..ComboBox8, Tag = slot - 1
    TGroupBox* GroupBox2;       // the rings
    TComboBox* ComboBox1;
    TRadioGroup* RadioGroup1;
    TButton* HelpBitBtn;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormActivate() override;
    void PreparaModulo() override;
    void ConfirmaModulo() override;
    void OkButtonClick() override;

private:
    void MostraCfgGRamais(int grupo);
    void Atualiza();
    bool CfgGrupo(int grupo, int slot, const QString& texto);
    void ComboBox2Change(TComboBox* Sender);
    void ComboBox2Exit(TComboBox* Sender);
    void ComboBox1Change();
    void RadioGroup1Click();

    // Set while the window fills its controls, so that their handlers store
    // nothing.
    bool AtualizandoGrupo = false;
    // The members, stored when they pass the check of leaving them.
    TCombosConferidos conferidos_;
    TNavegacaoGrupo navegacao_;
};

extern TFormGruRam* FormGruRam;
