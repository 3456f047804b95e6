#pragma once
// Prefix blocking: the local area code and the sorted list of prefixes, each
// with the extensions' access category and the carrier tables it needs.
// Prefixes are split into longer ones and merged back as they are typed; Ok
// builds the image's prefix tree from the list.
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/maskedit.h"

#include <string>
#include <vector>

class TFormPref : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormPref(QWidget* owner);

    TMaskEdit* MaskEdit1; // area code
    TMaskEdit* Edit1;     // prefix
    TListBox* ListBox1;
    TButton* HelpBitBtn;
    TButton* Button1; // "&Todos"
    TButton* CancButton;
    TButton* OkButton;
    TRadioGroup* RadioGroup1;
    TButton* Button2; // "&Padrão"
    TGroupBox* GroupBox1;
    TRadioButton* RadioButton1; // no carrier
    TRadioButton* RadioButton2; // carrier needed
    TCheckBox* CheckBox1;       // table 1
    TCheckBox* CheckBox2;       // table 2

    // The entries "<prefix>-<category>-<carrier>", in ascending order; the
    // list box shows their prefixes.
    std::vector<std::string> ListaPrefixos;

protected:
    void FormShow() override;

private:
    void OkButtonClick() override;
    void PadButtonClick() override { Button2Click(); }

    void ListBox1Click();
    void ListBox1KeyPress(char& Key);
    void Edit1KeyPress(char& Key);
    void Edit1Exit();
    void RadioGroup1Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void Button1Click();
    void Button2Click();

    // The entry of a prefix; with `comMaiores`, else the first entry of a
    // longer prefix beginning with it (never for "0"). -1 when none.
    int ProcuraPrefixo(const std::string& digitos, bool comMaiores) const;
    void AdicionaPrefixo(const std::string& prefixo, char categoria, const std::string& operadora);
    void RemovePrefixo(const std::string& prefixo);
    void ReduzCifrasPrefixo(const std::string& digitos, int maior);
    void ExpandePrefixo(const std::string& digitos);
    void EditaPrefixo();
    void SelecionaPrefixo(const std::string& digitos);
    // Rewrites the selected entry with this category and the carrier the
    // controls show.
    void AlteraPrefixoSelecionado(char categoria);
    char CategoriaDoGrupo() const;
    std::string OperadoraDosControles() const;

    // Set while the controls are filled by the program, so that their click
    // handlers change no entry.
    bool mostrando_ = false;
    // Set while a typed prefix is applied, and while the edit is being left.
    bool editando_ = false;
    bool saindo_ = false;
};

extern TFormPref* FormPref;
