#pragma once
// Shared by the diary's tests: message boxes answered and recorded, modal dialogs driven, the
// log-in state set as a successful log-in sets it.
#include "Messages.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace DiarioTeste {

// Puts every variable of unit global back to its start value.
void reiniciarEstado();

// Records every message box and answers it: from the queue while it lasts, then with `padrao`.
class Caixas {
public:
    explicit Caixas(Messages::Button padrao = Messages::No);
    ~Caixas();
    QList<Messages::Message> vistas;
    QList<Messages::Button> respostas;
    Messages::Button padrao;
    QStringList textos() const;
};

// Runs f once, with the widget, as soon as a modal window is up (from inside its modal loop).
void quandoModal(std::function<void(QWidget *)> f);

// What a successful log-in does to the main window and the state; the user is added to the
// database when it holds no such password.
void entrar(const QString &senha, const QString &login);

// Creates the windows, shows the main window and logs in at the options dialog.
bool abrirLogado(const QString &senha = QStringLiteral("segredo"), const QString &login = QStringLiteral("ana"));

// How many statements that read Diario the diary's connection runs while f runs.
int leiturasDeDiario(const std::function<void()> &f);

// At the diary's next commit `antes` runs and the commit is refused.
void recusarAoConfirmar(const std::function<void()> &antes);

// At the diary's next commit the current folder stops taking writes, as a disk that turns
// read-only, and the commit is refused. The journal is kept in memory, so that the database itself
// still rolls back. Setting the folder's permissions back is the caller's.
void pastaSoLeituraAoConfirmar();

} // namespace DiarioTeste
