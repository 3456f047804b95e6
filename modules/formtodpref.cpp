#include "modules/formtodpref.h"

#include "modules/modulo.h"
#include "platform/lugar.h"

TFormTodPref* FormTodPref = nullptr;
char CategoriaTodos = '4';

namespace {

struct Opcao {
    TRadioButton* TFormTodPref::*membro;
    const char* nome;
    const char* legenda;
    char categoria;
};

// Top to bottom, with the captions the dialog has always shown.
const Opcao kOpcoes[] = {
    {&TFormTodPref::RadioButton1, "RadioButton1", "Ramais com categoria local", '0'},
    {&TFormTodPref::RadioButton2, "RadioButton2", "Ramais com categora Regional", '1'},
    {&TFormTodPref::RadioButton3, "RadioButton3", "Ramais com categora DDD", '2'},
    {&TFormTodPref::RadioButton4, "RadioButton4", "Ramais com categoria DDI", '3'},
    {&TFormTodPref::RadioButton5, "RadioButton5", "Prefixo bloqueado", '4'},
};
constexpr char kSemEscolha = '4';

const Lugar kLugarPainel{8, 8, 234, 26};
Lugar LugarOpcao(int linha) { return {20, 44 + 22 * linha, 222, 20}; }

const DadosBotao kBotaoCancela{"Button2", "&Cancela", {80, 164, kLarguraBotao, kAlturaBotao}, mrCancel, true};
const DadosBotao kBotaoOk{"Button1", "O&k", {162, 164, kLarguraBotao, kAlturaBotao}};

} // namespace

TFormTodPref::TFormTodPref(QWidget* owner) : TForm(owner)
{
    BordaDeDialogo(this);
    SetCaption(QStringLiteral("Aplicar a todos os prefixos"));
    SetClientSize(250, 201);

    Panel1 = Posiciona(new TPanel(this), "Panel1", kLugarPainel);
    Panel1->SetCaption(QStringLiteral("Tipo de acesso ao prefixo"));
    int linha = 0;
    for (const Opcao& opcao : kOpcoes)
        this->*opcao.membro =
            Posiciona(new TRadioButton(QString::fromUtf8(opcao.legenda), this), opcao.nome, LugarOpcao(linha++));

    Button2 = CriaBotao(this, kBotaoCancela);
    Button1 = CriaBotao(this, kBotaoOk);
    Button1->OnClick = [this] { Button1Click(); };
}

void TFormTodPref::Button1Click()
{
    CategoriaTodos = kSemEscolha;
    for (const Opcao& opcao : kOpcoes)
        if ((this->*opcao.membro)->Checked())
            CategoriaTodos = opcao.categoria;
    SetModalResult(mrOk);
}
