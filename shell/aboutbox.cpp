#include "shell/aboutbox.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

struct LegendaSobre {
    QLabel* TAboutBox::*rotulo;
    const char* nome;
    const char* texto;
};

const LegendaSobre kLegendas[] = {
    {&TAboutBox::ProductName, "ProductName", "Programação Trivanto I"},
    {&TAboutBox::Version, "Version", "Versão 1.6 (14/10/02)"},
    {&TAboutBox::Copyright, "Copyright", "Programador das centrais de PABX"},
    {&TAboutBox::Comments, "Comments", "Trivanto I e Ferinox"},
};

} // namespace

TAboutBox::TAboutBox(QWidget* owner) : TForm(owner)
{
    SetCaption(QStringLiteral("Sobre "));
    HelpContext = 1;
    auto* layout = new QVBoxLayout(this);
    for (const LegendaSobre& legenda : kLegendas) {
        auto* rotulo = new QLabel(QString::fromUtf8(legenda.texto), this);
        rotulo->setObjectName(QString::fromLatin1(legenda.nome));
        rotulo->setAlignment(Qt::AlignCenter);
        layout->addWidget(rotulo);
        this->*legenda.rotulo = rotulo;
    }
    OKButton = new TButton(QStringLiteral("O&k"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->ModalResult = mrOk;
    OKButton->Default = true;
    OKButton->Cancel = true;
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    SetClientSize(298, 180);
}
