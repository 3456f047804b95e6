#pragma once
// Programming files: the raw 6610-byte image with its signature, read and
// written, and the main window's file commands with the question asked
// before the image is replaced or the program closes.
#include <QString>

#include <functional>

// What the file commands need of the main window: its menu refresh and the
// single panel of its status bar, which shows a file name. The main window
// fills these in when it is created; either may stay empty.
struct TJanelaArquivos {
    std::function<void()> AtualizaMenus;
    std::function<void(const QString&)> MostraArquivo;
};
extern TJanelaArquivos JanelaArquivos;

// Outcome of a save: written, not written because the user declined or
// cancelled, or failed (the error box was shown and the file on disk kept).
enum class TResultadoGravacao { Gravado, NaoGravado, Falhou };

// True when the name part of a path, in any letter case, is PADRAO.PBX.
bool EArquivoPadrao(const QString& nome);

// Reads the file into the image; true when it carries the signature.
// A file that cannot be opened shows "Arquivo não encontrado.".
bool LeArquivoProgramacao(const QString& nome);
// Stamps the signature into the image and writes it; asks before replacing
// an existing file unless sobrescrever. True when written.
bool GravaArquivoProgramacao(const QString& nome, bool sobrescrever);
// Asks "Deseja salvar as programações ?" and saves on Yes. Returns IDYES,
// IDNO or IDCANCEL (also when the save was refused or failed, so that the
// pending action does not replace an unsaved image).
int ConfirmaGravacao(const QString& nome);
// The save-as dialog loop ("Salvar arquivo &como"); refreshes the menus.
TResultadoGravacao SalvaArquivoComo();

// The commands of the menu and the tool bar.
void ComandoLerArquivo();    // "&Ler arquivo", tool bar "Abrir"
void ComandoNovoArquivo();   // "&Novo arquivo", tool bar "Novo"
void ComandoSalvarArquivo(); // "&Salvar arquivo", tool bar "Salvar"

// The close question of the main window: true when it may close.
bool PodeFecharPrograma();
