#include "users/senhausdlg.h"

QString SenhaDigitada;
TSenhaUsDlg* SenhaUsDlg = nullptr;

namespace {

struct Posicao {
    int x, y, largura, altura;
};

constexpr int kLarguraCliente = 238;
constexpr int kAlturaCliente = 99;
constexpr int kContextoAjuda = 4900;
constexpr int kMaximoDigitado = 10;

constexpr Posicao kPosLabel1{16, 12, 206, 16};
constexpr Posicao kPosPassword{16, 30, 206, 22};
constexpr Posicao kPosButton1{16, 64, 95, 25};
constexpr Posicao kPosButton2{127, 64, 95, 25};

void Coloca(QWidget* controle, const char* nome, const Posicao& p)
{
    controle->setObjectName(QString::fromLatin1(nome));
    controle->setGeometry(p.x, p.y, p.largura, p.altura);
}

} // namespace

TSenhaUsDlg::TSenhaUsDlg(QWidget* owner) : TForm(owner)
{
    // A dialog border without border icons.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetCaption(QStringLiteral("Senha do usuário"));
    SetClientSize(kLarguraCliente, kAlturaCliente);
    HelpContext = kContextoAjuda;

    Label1 = new TLabel(QStringLiteral("&Senha de acesso"), this);
    Coloca(Label1, "Label1", kPosLabel1);
    Password = new TEdit(this);
    Coloca(Password, "Password", kPosPassword);
    Password->SetMaxLength(kMaximoDigitado);
    Password->SetPasswordChar('*');
    Password->HelpContext = kContextoAjuda;
    Label1->SetFocusControl(Password);

    // Neither button is the default nor the cancel one: only a click or an
    // accelerator closes the dialog.
    Button1 = new TButton(QStringLiteral("&Cancela"), this);
    Coloca(Button1, "Button1", kPosButton1);
    Button1->OnClick = [this] { Button1Click(); };
    Button2 = new TButton(QStringLiteral("&Ok"), this);
    Coloca(Button2, "Button2", kPosButton2);
    Button2->OnClick = [this] { Button2Click(); };
    Button1->HelpContext = kContextoAjuda;
    Button2->HelpContext = kContextoAjuda;
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
