#pragma once
// The program's start: the windows created at start-up and kept for the
// whole run, the application's title and help file.
#include <memory>

class TFormPrinc;
class TFormComun;
class TFormConfSys;
class TSenhaUsDlg;

struct TJanelasPrograma {
    TJanelasPrograma();
    ~TJanelasPrograma();
    TJanelasPrograma(const TJanelasPrograma&) = delete;
    TJanelasPrograma& operator=(const TJanelasPrograma&) = delete;

    std::unique_ptr<TFormPrinc> principal;
    std::unique_ptr<TFormComun> transferencia;
    std::unique_ptr<TSenhaUsDlg> senha;
    std::unique_ptr<TFormConfSys> configuracao;
};

// Creates the long-lived windows in their order (the main window first, whose
// creation runs the single-instance guard), then sets the application's title
// and help file. False when another instance runs: nothing else was created.
bool CriaJanelasPrograma(TJanelasPrograma& janelas);

constexpr const char* kTituloAplicacao = "Sorvadine S/A - Programação de micro PABX Trivanto I";
