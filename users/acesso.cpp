#include "users/acesso.h"

// Placeholders until the users file and the login are in place: every right.
bool ValidaSenhaUsuario()
{
    return true;
}

bool TemAcesso(int nivel)
{
    return nivel >= 1 && nivel <= 4;
}
