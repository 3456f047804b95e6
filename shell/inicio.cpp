#include "shell/inicio.h"

#include "link/formcomun.h"
#include "platform/application.h"
#include "reports/formrelat.h"
#include "shell/formconfsys.h"
#include "shell/propabx.h"
#include "users/senhausdlg.h"

TJanelasPrograma::TJanelasPrograma() = default;

TJanelasPrograma::~TJanelasPrograma()
{
    // The dialogs first, then the main window; the globals never point at a
    // window that is gone.
    if (FormConfSys == configuracao.get())
        FormConfSys = nullptr;
    configuracao.reset();
    if (SenhaUsDlg == senha.get())
        SenhaUsDlg = nullptr;
    senha.reset();
    if (FormComun == transferencia.get()) {
        FormComun = nullptr;
        FormTransferencia = nullptr;
    }
    transferencia.reset();
    MostraRelatorios = nullptr;
    principal.reset();
}

bool CriaJanelasPrograma(TJanelasPrograma& janelas)
{
    janelas.principal = std::make_unique<TFormPrinc>();
    if (janelas.principal->OutraInstancia())
        return false;
    janelas.transferencia = std::make_unique<TFormComun>();
    FormComun = janelas.transferencia.get();
    FormTransferencia = FormComun;
    janelas.senha = std::make_unique<TSenhaUsDlg>();
    SenhaUsDlg = janelas.senha.get();
    janelas.configuracao = std::make_unique<TFormConfSys>();
    FormConfSys = janelas.configuracao.get();
    MostraRelatorios = &MostraFormRelat;
    Application->Title = QString::fromUtf8(kTituloAplicacao);
    Application->HelpFile = QStringLiteral("Trivanto.hlp");
    return true;
}
