#pragma once
// Terminal keys: the function of each of the 25 keys of a key terminal,
// the terminal chosen by the extension it is connected to. The keys are
// edited in a grid with a drop-down list per cell.
#include "grid/basegrid.h"
#include "modules/modulo.h"
#include "modules/teclasnti.h"
#include "platform/controls.h"

#include <array>
#include <vector>

class TExtStringGrid;

class TFormNTI : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormNTI(QWidget* owner);

    TLabel* Label1;
    TComboBox* ComboBox1;
    TExtStringGrid* ExtGrid1;
    TButton* BitBtn1;
    TButton* Button30;
    TButton* Button4;
    TButton* Button1;

protected:
    void FormShow() override;
    void OkButtonClick() override { Button1Click(); }
    void PadButtonClick() override { Button30Click(); }

private:
    void FormCreate();
    void CriaGrade();
    void PreencheGrade();
    LinhasTeclas LinhasDaGrade() const;

    void ExtGrid1GetAlignment(int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign);
    void ExtGrid1CanEditCell(int ARow, int ACol, bool& CanEdit);
    void ExtGrid1GetEditorType(int ACol, int ARow, TEditorType& AEditor);
    void ExtGrid1ComboChange(int ACol, int ARow, const QString& ASelection);
    void ExtGrid1Click();
    void ExtGrid1Exit();
    // The check of the shown keys: on a failure the cursor goes to the
    // failing cell with the message, and false.
    bool ValidaGrade();
    void ComboBox1Change();
    void Button30Click();
    void Button1Click();

    std::vector<TerminalOferecido> terminais_;
    int terminalAtual_ = 0; // 1..4; 0 when no terminal is offered
    // The shown terminal's keys, and every terminal's keys as edited so
    // far: the image gets them all on Ok, none on Cancel.
    RegistroTeclas registro_{};
    std::array<RegistroTeclas, kTerminaisTI> registros_{};
    // The cell of the last click, and the type of the row whose editor is
    // open (a change from it clears the number).
    int colunaClicada_ = -1;
    int linhaClicada_ = -1;
    QString tipoAoAbrir_;
};

extern TFormNTI* FormNTI;
