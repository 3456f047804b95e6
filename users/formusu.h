#pragma once
// The users editor "Usuários do programa": the ten program users with their
// names, passwords and access rights, written to the users file on Ok.
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "users/arquivousuarios.h"

#include <array>

class TFormUsu : public TForm {
    Q_OBJECT
public:
    explicit TFormUsu(QWidget* owner = nullptr);

    TStringGrid* StringGrid1;
    TPanel* Panel2;
    TPanel* Panel1;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox4;
    TPanel* Panel4;
    TLabel* Label1;
    TEdit* Edit1;
    TButton* OkButton;
    TButton* CancButton;
    TButton* HelpBitBtn;

    void StringGrid1SelectCell(int ACol, int ARow, bool& CanSelect);
    void StringGrid1SetEditText(int ACol, int ARow, const QString& Value);
    void Edit1Enter();
    void Edit1Exit();
    void Panel1Exit();
    void OkButtonClick();
    void CancButtonClick();
    void HelpBitBtnClick();

    void PreencheGradeUsuarios();
    bool GravaArquivoUsuarios();

protected:
    void FormShow() override;

private:
    TCheckBox* CaixaDireito(int indice) const;
    TPermissoesAcesso DireitosDasCaixas() const;
    void MostraDireitos(TPermissoesAcesso direitos);
    void RecusaLinha(const QString& mensagem, int linha);

    // The rights as they were when the grid was filled.
    std::array<TPermissoesAcesso, kMaxUsuarios> direitosOriginais_{};
    // Edit1 shows the plain password of the current row, being edited.
    bool editandoSenha_ = false;
};
