#pragma once
// Boss-secretary groups: two bosses and two secretaries for each of four
// groups, an extension holding at most one of the sixteen places, edited on a
// work copy that Ok writes back.
#include "modules/modulo.h"
#include "modules/navegagrupo.h"
#include "modules/seletores.h"
#include "platform/controls.h"

#include <array>

class TFormCheSec : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormCheSec(QWidget* owner);

    TEdit* Edit1;
    TSpeedButton* SpeedButton1; // first group
    TSpeedButton* SpeedButton2; // previous
    TSpeedButton* SpeedButton3; // next
    TSpeedButton* SpeedButton4; // last
    TGroupBox* GroupBox1;       // bosses
    TComboBox* ComboBox1;       // boss 1, Tag 1
    TComboBox* ComboBox2;       // boss 2, Tag 2
    TGroupBox* GroupBox2;       // secretaries
    TComboBox* ComboBox3;       // secretary 1, Tag 3
    TComboBox* ComboBox4;       // secretary 2, Tag 4
    TButton* HelpBitBtn;
    TButton* CancButton;
    TButton* OkButton;

protected:
    void FormActivate() override;
    void PreparaModulo() override;
    void ConfirmaModulo() override;
    void OkButtonClick() override;

private:
    void MostraCfgCSecr(int grupo);
    void Atualiza();
    bool CfgChefeSecr(int lugar, int grupo, const QString& texto);
    void ComboBox1Change(TComboBox* Sender);
    void ComboBox1Exit(TComboBox* Sender);

    // The four combos in the order of their places.
    std::array<TComboBox*, 4> lugares_{};
    // Set while the window fills its controls, so that their handlers store
    // nothing.
    bool atualizando_ = false;
    // The places, stored when they pass the check of leaving them.
    TCombosConferidos conferidos_;
    TNavegacaoGrupo navegacao_;
};

extern TFormCheSec* FormCheSec;
