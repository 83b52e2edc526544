#pragma once
// The program block: the application's title, its windows in their order, the message loop.
class QApplication;

namespace Programa {

// Creates the eleven windows, main window first (it opens the database). False when the database
// cannot be used: the user has been told and no window is left.
bool CriarJanelas();
// Frees every window (the main window owns the others) and closes the database.
void DestruirJanelas();
// The whole run: Portuguese dialogs, the windows, the main window shown maximised, the loop.
int Executar(QApplication &app);

} // namespace Programa
