#pragma once
// Log-in and editor state shared by the diary's windows.
//
// Where the state has "nobody yet" or "no stored title", it says so with an empty optional rather
// than with a reserved string, so that a password or a title such as "-1" is like any other.
#include <QString>
#include <optional>

// Password of the logged-in user, as typed at the log-in; the key of the user's entries. Empty
// until the first log-in of the run; a log-out keeps it (TextoBloqueado tells who is logged in).
extern std::optional<QString> SenhaAtual;
// Login of the logged-in user, shown in the status bar.
extern QString LoginAtual;
// Proposed title of the new entry: "Título" followed by a number.
extern QString TituloNovo;
// Title of the stored entry in the editor; empty while the editor holds a new entry.
extern std::optional<QString> TituloAtual;
// Number for the next proposed title: 1 after each log-in, one more for each new entry.
extern qint32 ContadorTitulo;
// Nobody is logged in: the editor is hidden.
extern bool TextoBloqueado;
// The editor holds an entry that is stored in the database.
extern bool ArquivoGravado;
// The stored entry was changed since it was opened or saved.
extern bool TextoAlterado;
// Results of the create, log-in, change and delete-password dialogs.
extern bool SenhaCriada;
extern bool SenhaAberta;
extern bool SenhaAlterada;
extern bool SenhaExcluida;
