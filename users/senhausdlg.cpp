#include "users/senhausdlg.h"

#include "platform/lugar.h"

QString SenhaDigitada;
TSenhaUsDlg* SenhaUsDlg = nullptr;

namespace {

constexpr int kLarguraCliente = 238;
constexpr int kAlturaCliente = 99;
constexpr int kContextoAjuda = 4900;
constexpr int kMaximoDigitado = 10;

constexpr Lugar kPosLabel1{16, 12, 206, 16};
constexpr Lugar kPosPassword{16, 30, 206, 22};
constexpr DadosBotao kButton1{"Button1", "&Cancela", {16, 64, 95, 25}};
constexpr DadosBotao kButton2{"Button2", "&Ok", {127, 64, 95, 25}};

} // namespace

TSenhaUsDlg::TSenhaUsDlg(QWidget* owner) : TForm(owner)
{
    BordaDeDialogo(this);
    SetCaption(QStringLiteral("Senha do usuário"));
    SetClientSize(kLarguraCliente, kAlturaCliente);
    HelpContext = kContextoAjuda;

    Label1 = new TLabel(QStringLiteral("&Senha de acesso"), this);
    Posiciona(Label1, "Label1", kPosLabel1);
    Password = new TEdit(this);
    Posiciona(Password, "Password", kPosPassword);
    Password->SetMaxLength(kMaximoDigitado);
    Password->SetPasswordChar('*');
    Password->HelpContext = kContextoAjuda;
    Label1->SetFocusControl(Password);

    // Neither button is the default nor the cancel one: only a click or an
    // accelerator closes the dialog.
    Button1 = CriaBotao(this, kButton1, kContextoAjuda);
    Button1->OnClick = [this] { Button1Click(); };
    Button2 = CriaBotao(this, kButton2, kContextoAjuda);
    Button2->OnClick = [this] { Button2Click(); };
}

void TSenhaUsDlg::FormShow()
{
    Password->Clear();
    Password->SetFocus();
}

void TSenhaUsDlg::Button1Click()
{
    SetModalResult(mrCancel);
}

void TSenhaUsDlg::Button2Click()
{
    SenhaDigitada = Password->Text();
    SetModalResult(mrOk);
}
