#pragma once
// The single-instance guard. The first copy of the program holds a lock and
// listens on a local socket, both named from its main window's caption; a
// later copy finds the lock taken, asks the first one over the socket to
// bring its window to the front, and stops.
#include <QString>

class QWidget;

// Runs the guard for the window with this caption. False: no other instance
// runs, and from now on a later copy brings `janela` to the front. True:
// another instance runs (it has been asked to come forward); the caller stops
// at once.
bool OutraInstanciaAtiva(const QString& titulo, QWidget* janela);

// The guard the main window runs when it is created; the tests replace it so
// that windows created inside a test program do not meet each other.
using TGuardaInstancia = bool (*)(const QString& titulo, QWidget* janela);
extern TGuardaInstancia GuardaInstancia;

// The name of the lock and the socket for a caption (per user).
QString NomeInstancia(const QString& titulo);
