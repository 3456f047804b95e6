#include "shell/formconfsys.h"

#include "platform/application.h"
#include "platform/help.h"
#include "platform/lugar.h"
#include "state/configuracao.h"

#include <QLabel>
#include <QRadioButton>

TFormConfSys* FormConfSys = nullptr;

namespace {

constexpr int kAjuda = 4200;

struct Posicao {
    const char* nome;
    const char* legenda;
    int x, y, largura, altura;
};

// The controls of the dialog, as laid out.
constexpr Posicao kPainel = {"Panel1", "Porta serial", 8, 8, 201, 25};
constexpr Posicao kRadios[] = {
    {"RadioButton1", "COM 1", 24, 44, 80, 17},
    {"RadioButton2", "COM 2", 120, 44, 80, 17},
    {"RadioButton3", "COM 3", 24, 72, 80, 17},
    {"RadioButton4", "COM 4", 120, 72, 80, 17},
};
constexpr Posicao kOk = {"OkButton", "O&k", 8, 108, 65, 25};
constexpr Posicao kCancela = {"CancButton", "&Cancela", 76, 108, 65, 25};
constexpr Posicao kAjudaBotao = {"HelpBitBtn", "&Ajuda", 144, 108, 65, 25};
constexpr int kLargura = 217;
constexpr int kAltura = 141;

template <typename T>
T* Cria(QWidget* dono, const Posicao& p)
{
    auto* controle = new T(QString::fromUtf8(p.legenda), dono);
    Posiciona(controle, p.nome, {p.x, p.y, p.largura, p.altura});
    controle->setProperty("HelpContext", kAjuda);
    return controle;
}

} // namespace

TFormConfSys::TFormConfSys(QWidget* owner) : TForm(owner)
{
    setObjectName(QStringLiteral("FormConfSys"));
    SetCaption(QStringLiteral("Configuração do sistema"));
    BordaDeDialogo(this);
    HelpContext = kAjuda;
    SetClientSize(kLargura, kAltura);

    Panel1 = Cria<QLabel>(this, kPainel);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAlignment(Qt::AlignCenter);
    QRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4};
    for (size_t i = 0; i < std::size(radios); ++i)
        *radios[i] = Cria<QRadioButton>(this, kRadios[i]);

    OkButton = Cria<TButton>(this, kOk);
    OkButton->ModalResult = mrOk;
    OkButton->Default = true;
    OkButton->OnClick = [this] { OkButtonClick(); };
    CancButton = Cria<TButton>(this, kCancela);
    CancButton->ModalResult = mrCancel;
    CancButton->Cancel = true;
    CancButton->OnClick = [this] { CancButtonClick(); };
    HelpBitBtn = Cria<TButton>(this, kAjudaBotao);
    HelpBitBtn->OnClick = [this] { HelpBitBtnClick(); };
}

QRadioButton* TFormConfSys::RadioDaPorta(int porta) const
{
    QRadioButton* const radios[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    return porta >= 1 && porta <= 4 ? radios[porta - 1] : nullptr;
}

void TFormConfSys::LeConfiguracao()
{
    LeConfiguracaoTransferencia();
    // A port outside 1..4 leaves the buttons as they are.
    if (QRadioButton* radio = RadioDaPorta(LePortaSerial()))
        radio->setChecked(true);
}

void TFormConfSys::FormShow()
{
    LeConfiguracao();
}

void TFormConfSys::OkButtonClick()
{
    for (int porta = 1; porta <= 4; ++porta) {
        if (!RadioDaPorta(porta)->isChecked())
            continue;
        try {
            GravaPortaSerial(porta);
        } catch (const std::exception& erro) {
            // The dialog stays open so that the choice is not lost.
            SetModalResult(mrNone);
            Application->ShowException(erro);
        }
        return;
    }
}

void TFormConfSys::CancButtonClick()
{
    // Closing is all: the file is left as it was.
}

void TFormConfSys::HelpBitBtnClick()
{
    ShowHelp(HelpContext);
}

void TFormConfSys::ShowHelp(int context)
{
    ShowHelpContext(Application->HelpFile, context);
}
