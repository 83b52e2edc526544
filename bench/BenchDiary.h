#pragma once
// What the diary's benchmark programs share: modal windows answered from inside their loops, and
// the windows made and logged in.
#include "DiaryUsers.h"
#include "Principal.h"
#include "Programa.h"
#include "global.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace Bench {

// Runs f once the next modal window is up (from inside its loop).
inline void noModal(std::function<void(QWidget *)> f)
{
    auto *t = new QTimer;
    t->setInterval(0);
    QObject::connect(t, &QTimer::timeout, [t, f] {
        if (QWidget *m = QApplication::activeModalWidget()) {
            t->stop();
            t->deleteLater();
            f(m);
        }
    });
    t->start();
}

// Shows the main window (the windows made already) and accepts the options dialog as a successful
// log-in of that password leaves it; the user is added to the database when missing, so that its
// entries can be saved.
inline void logIn(const QString &senha)
{
    std::optional<DiaryUsers::User> usuario;
    bool existente = false;
    if (DiaryUsers::find(senha, usuario) && !usuario)
        DiaryUsers::create(senha, senha, existente);
    noModal([senha](QWidget *opcoes) {
        SenhaAberta = true;
        LoginAtual = senha;
        SenhaAtual = senha;
        FormPrincipal->MostrarTexto();
        ContadorTitulo = 1;
        FormPrincipal->NovoArquivo();
        static_cast<QDialog *>(opcoes)->accept();
    });
    FormPrincipal->showMaximized();
    while (!SenhaAtual || QApplication::activeModalWidget())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
}

} // namespace Bench
