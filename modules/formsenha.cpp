#include "modules/formsenha.h"

#include "image/conversao.h"
#include "image/layout.h"
#include "image/registro.h"
#include "modules/seletores.h"

TFormSenha* FormSenha = nullptr;

namespace {

constexpr int kContextoAjuda = 1500;
constexpr int kDigitosSenha = 3;
constexpr char kTeclaColar = 22; // Ctrl+V

const char* const kSomenteNumeros = "Somente números são permitdos.";
const char* const kTresDigitos = "A senha deve possuir 3 dígitos.";

const Lugar kLugarGrupo{8, 8, 264, 76};
const Lugar kLugarRotulo{16, 20, 240, 18};
const Lugar kLugarSenha{16, 42, 80, 24};
const BotaoModulo<TFormSenha> kBotoes[] = {
    {&TFormSenha::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 96}},
    {&TFormSenha::CancButton, TPapelBotao::Cancela, "CancButton", {100, 96}},
    {&TFormSenha::OkButton, TPapelBotao::Ok, "OkButton", {192, 96}},
};

} // namespace

TFormSenha::TFormSenha(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Senhas"));
    SetClientSize(280, 132);
    HelpContext = kContextoAjuda;

    GroupBox1 = Posiciona(new TGroupBox(QString(), this), "GroupBox1", kLugarGrupo);
    Senha = Posiciona(new TEdit(GroupBox1), "Senha", kLugarSenha);
    Senha->SetMaxLength(kDigitosSenha);
    Senha->SetPasswordChar('#');
    QFont negrito = Senha->font();
    negrito.setBold(true);
    Senha->setFont(negrito);
    Senha->HelpContext = kContextoAjuda;
    Label1 = Posiciona(new TLabel(QStringLiteral("Nova senha &geral do PABX"), GroupBox1), "Label1", kLugarRotulo);
    Label1->SetFocusControl(Senha);

    CriaBotoes(kBotoes);

    Senha->OnKeyPress = [this](char& Key) { SenhaKeyPress(Key); };
    Senha->OnChange = [this] { SenhaChange(); };
}

// The window opens with the cursor in its only edit.
void TFormSenha::FormShow()
{
    Senha->SetFocus();
}

// Digits, backspace and Enter get in, and Ctrl+V pastes, the pasted text
// then passing the same digits-only rule.
void TFormSenha::SenhaKeyPress(char& Key)
{
    if (Key == '\b' || Key == '\r' || IsDigit(Key))
        return;
    if (Key == kTeclaColar)
        return;
    Key = 0;
    MostraErro(QString::fromUtf8(kSomenteNumeros));
}

// Text that did not come through the keys (pasted) keeps only its digits,
// with the same message a typed letter gets.
void TFormSenha::SenhaChange()
{
    const QString texto = Senha->Text();
    if (ApenasNumeros(texto))
        return;
    QString digitos;
    for (QChar c : texto)
        if (ApenasNumeros(QString(c)))
            digitos += c;
    Senha->SetText(digitos);
    MostraErro(QString::fromUtf8(kSomenteNumeros));
}

void TFormSenha::OkButtonClick()
{
    const QString texto = Senha->Text().left(kDigitosSenha);
    if (!ApenasNumeros(texto)) {
        Recusa(QString::fromUtf8(kSomenteNumeros), Senha);
        return;
    }
    if (!texto.isEmpty() && texto.size() < kDigitosSenha) {
        Recusa(QString::fromUtf8(kTresDigitos), Senha);
        return;
    }
    // An empty field keeps the stored password.
    GravaSenhaCentral(ImagemAtual + ofsSenhaCentral, texto.toStdString());
    SetModalResult(mrOk);
}
