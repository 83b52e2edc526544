#include "DiarioTeste.h"

#include "DiaryUsers.h"
#include "Principal.h"
#include "Programa.h"
#include "Senha.h"
#include "global.h"

#include <QApplication>
#include <QDialog>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <memory>

namespace DiarioTeste {

void reiniciarEstado()
{
    SenhaAtual.reset();
    LoginAtual.clear();
    TituloNovo.clear();
    TituloAtual.reset();
    ContadorTitulo = 0;
    TextoBloqueado = false;
    ArquivoGravado = false;
    TextoAlterado = false;
    SenhaCriada = SenhaAberta = SenhaAlterada = SenhaExcluida = false;
}

Caixas::Caixas(Messages::Button p)
    : padrao(p)
{
    Messages::setAnswerer([this](const Messages::Message &m) {
        vistas.append(m);
        return respostas.isEmpty() ? padrao : respostas.takeFirst();
    });
}

Caixas::~Caixas()
{
    Messages::setAnswerer({});
}

QStringList Caixas::textos() const
{
    QStringList t;
    for (const Messages::Message &m : vistas)
        t.append(m.text);
    return t;
}

void quandoModal(std::function<void(QWidget *)> f)
{
    auto *timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, f] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            f(modal);
        }
    });
    timer->start();
}

void entrar(const QString &senha, const QString &login)
{
    // Only a user the database holds can log in (and store entries).
    std::optional<DiaryUsers::User> usuario;
    bool existente = false;
    if (DiaryUsers::find(senha, usuario) && !usuario)
        DiaryUsers::create(login, senha, existente);
    SenhaAberta = true;
    LoginAtual = login;
    SenhaAtual = senha;
    FormPrincipal->StatusBar->showMessage(QStringLiteral("Login: ") + LoginAtual);
    if (TextoBloqueado)
        FormPrincipal->MostrarTexto();
    ContadorTitulo = 1;
    FormPrincipal->NovoArquivo();
}

bool abrirLogado(const QString &senha, const QString &login)
{
    QApplication::setQuitOnLastWindowClosed(false);
    reiniciarEstado();
    if (!Programa::CriarJanelas())
        return false;
    auto entrou = std::make_shared<bool>(false);
    quandoModal([=](QWidget *opcoes) {
        entrar(senha, login);
        *entrou = true;
        static_cast<QDialog *>(opcoes)->accept();
    });
    FormPrincipal->showMaximized();
    // Back in the main window: the options dialog has gone and the main window is active again.
    return QTest::qWaitFor([&] {
        return *entrou && !QApplication::activeModalWidget() && QApplication::activeWindow() == FormPrincipal;
    }) && FormPrincipal->isVisible();
}

} // namespace DiarioTeste
