#pragma once
// The main window over a program folder of its own: a temporary folder with
// a copy of the template, the single-instance guard off, and fake library
// entries that record their calls.
#include "shell/biblioteca.h"
#include "shell/inicio.h"
#include "shell/instancia.h"
#include "shell/propabx.h"
#include "state/registro.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

struct ChamadaEntrada {
    int entrada;
    std::uint8_t* imagem;
    bool comTexto;
    std::string texto;
};

// Calls made to the fake entries, oldest first.
std::vector<ChamadaEntrada>& ChamadasFalsas();

// A fake for every entry of the table.
std::array<TEntradaModulo, kTotalEntradas> EntradasFalsas();

// The index of an entry by its exported name, -1 when unknown.
int IndiceEntrada(const char* nome);

// The entries as the real library resolved them (before any fake).
const std::array<TEntradaModulo, kTotalEntradas>& EntradasReais();

class JanelaPrincipalTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window (its creation runs FormCreate), points the program
    // folder at the temporary folder and shows it (FormShow, FormActivate).
    TFormPrinc& Abre();
    // Replaces every library entry by the recording fakes.
    void UsaEntradasFalsas();
    // The program started as it starts, its long-lived windows created in
    // their order, over the temporary folder; the main window shown and
    // active and, unless `arquivo` is empty, that programming file opened
    // from the tool bar. Call through ASSERT_NO_FATAL_FAILURE.
    void IniciaPrograma(TJanelasPrograma& janelas, const QString& arquivo = QString());
    // A user with a password in the program folder's users file, so that
    // the program asks for a password at its first activation.
    void RegistraUmUsuario();

    QTemporaryDir pasta;
    std::unique_ptr<TFormPrinc> janela;
};

// The menu entry reached through captions from the menu bar, e.g.
// {"&Programações", "Programações gerais do &PABX", "&Feriados"}; null if none.
QAction* AcaoMenu(TFormPrinc& janela, const std::vector<QString>& caminho);
// The entry of a menu with that caption; null if none.
QAction* AcaoDe(QMenu* menu, const QString& legenda);
// The tool-bar button with that caption; null if none.
QAction* BotaoFerramenta(TFormPrinc& janela, const QString& legenda);
