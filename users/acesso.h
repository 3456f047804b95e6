#pragma once
// The program's own users: the login at start and the access check that
// every protected command asks.

// Runs the login; false when the program must end.
bool ValidaSenhaUsuario();

// True when the logged-in user's rights allow the access level (1..4);
// shows the refusal itself.
bool TemAcesso(int nivel);

// The users command of the main window: access level 4, then the users
// editor, created for this one showing.
void EditaUsuarios();
