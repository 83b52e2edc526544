// Users and passwords: the options dialog and the create, log-in, change and delete dialogs; their
// messages in the order of their checks, the flags they leave, what lands in the database and on
// disk, and the program's end when the options dialog closes without a log-in.
#include "AsOtherUser.h"
#include "DiarioTeste.h"

#include "AbrirSenha.h"
#include "AlterarSenha.h"
#include "CriarSenha.h"
#include "DiaryDatabase.h"
#include "DiaryUsers.h"
#include "ExcluirSenha.h"
#include "Principal.h"
#include "Programa.h"
#include "Senha.h"
#include "global.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace DiarioTeste;

namespace {

const QString Criada = QStringLiteral("  Senha criada com sucesso!  ");
const QString Clique = QStringLiteral(" Clique em Abrir Senha para iniciar o programa! ");
const QString Alterada = QStringLiteral("  Senha alterada com sucesso!  ");
const QString Excluida = QStringLiteral("  Senha excluída com sucesso!  ");
const QString Confirmacao = QStringLiteral("     Confirmação inválida!     ");
const QString Invalidos = QStringLiteral("      Dados inválidos!      ");
const QString Existente = QStringLiteral("      Senha existente!      ");
const QString Inexistente = QStringLiteral("    Senha inexistente!    ");
const QString LoginInexistente = QStringLiteral("    Login inexistente!    ");
const QString Incorreto = QStringLiteral("    Login incorreto!    ");

QString pergunta(const QString &login)
{
    return QStringLiteral("Atenção: Todos os arquivos referentes a esta senha serão excluídos. Deseja excluir ")
        + login + QStringLiteral(" ?");
}

void sql(const QString &comando, const QVariantList &valores = {})
{
    QSqlQuery q(DiaryDatabase::connection());
    QVERIFY(q.prepare(comando));
    for (const QVariant &v : valores)
        q.addBindValue(v);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

void usuario(const QString &login, const QString &senha)
{
    sql("INSERT INTO Senha (Senha, Login) VALUES (?, ?)", {senha, login});
}

// An entry row and, unless told otherwise, its file.
void entrada(const QString &titulo, const QString &senha, bool comArquivo = true)
{
    sql("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES (?, ?, '2024-05-01', '10:00')", {titulo, senha});
    if (comArquivo) {
        QFile f(titulo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1 " + titulo.toUtf8() + "}");
    }
}

QStringList linhas(const QString &consulta)
{
    QStringList r;
    QSqlQuery q(DiaryDatabase::connection());
    if (!q.exec(consulta))
        return {q.lastError().text()};
    while (q.next())
        r << q.value(0).toString() + "/" + q.value(1).toString();
    return r;
}

// login/password of every user, in the order of creation.
QStringList usuarios()
{
    return linhas("SELECT Login, Senha FROM Senha ORDER BY rowid");
}

// title/owner's password of every entry, in the order of storing.
QStringList entradas()
{
    return linhas("SELECT Titulo, Senha FROM Diario ORDER BY Codigo");
}

// The files of the current folder but the database (nothing set aside stays hidden).
QStringList arquivos()
{
    QStringList r = QDir::current().entryList(QDir::Files | QDir::Hidden, QDir::Name);
    r.removeAll(DiaryDatabase::FileName);
    return r;
}

QDialog *dialogo(const QString &nome)
{
    for (QDialog *d : std::initializer_list<QDialog *>{FormOpcaoSenha, FormCriarSenha, FormAbrirSenha,
                                                        FormAlterarSenha, FormExcluirSenha})
        if (d->objectName() == nome)
            return d;
    return nullptr;
}

QLineEdit *caixa(QWidget *d, const char *nome)
{
    return d->findChild<QLineEdit *>(nome);
}

// Types the text key by key, letters beyond ASCII too.
void teclar(QWidget *w, const QString &texto)
{
    for (const QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types into the dialog's boxes, in their order: login, password and, when there, the third box.
void digitar(QWidget *d, const QStringList &textos)
{
    const char *nomes[] = {"EditLogin", "EditSenha", "EditSenhaConfirm"};
    for (int i = 0; i < textos.size() && i < 3; ++i)
        if (QLineEdit *e = caixa(d, nomes[i]))
            teclar(e, textos[i]);
}

QPushButton *botaoOK(QWidget *d)
{
    auto *b = d->findChild<QPushButton *>("BOK");
    return b ? b : d->findChild<QPushButton *>("BitBtn1");
}

void clicar(QWidget *d, const char *botao)
{
    QTest::mouseClick(d->findChild<QPushButton *>(botao), Qt::LeftButton);
}

// What the boxes of a dialog hold, and whether the login box has the focus.
QStringList conteudo(QWidget *d)
{
    QStringList r;
    for (QLineEdit *e : d->findChildren<QLineEdit *>())
        r << e->text();
    return r;
}

bool focoNoLogin(QWidget *d)
{
    return d->focusWidget() == caixa(d, "EditLogin");
}

// A road through modal windows: each step runs when a modal window of its name is up. The watcher
// of the next step is armed before a step acts, since the step may open a modal window of its own.
// A road that is not followed within 10 s is abandoned and its windows closed, so that the test
// fails instead of hanging.
struct Passo {
    QString janela;
    std::function<void(QWidget *)> acao;
};

struct Roteiro {
    QList<Passo> passos;
    int feitos = 0;
    QDeadlineTimer prazo{10000};
};

void seguir(std::shared_ptr<Roteiro> r)
{
    if (r->passos.isEmpty())
        return;
    auto *timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, r] {
        QWidget *modal = QApplication::activeModalWidget();
        if (r->prazo.hasExpired()) {
            r->passos.clear();
            if (auto *d = qobject_cast<QDialog *>(modal))
                d->reject();
            else {
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        if (!modal || modal->objectName() != r->passos.first().janela)
            return;
        timer->stop();
        timer->deleteLater();
        const Passo passo = r->passos.takeFirst();
        ++r->feitos;
        seguir(r);
        passo.acao(modal);
    });
    timer->start();
}

std::shared_ptr<Roteiro> roteiro(QList<Passo> passos)
{
    auto r = std::make_shared<Roteiro>();
    r->passos = std::move(passos);
    seguir(r);
    return r;
}

// Waits until the road has been followed to its end and no modal window is left.
bool terminado(const std::shared_ptr<Roteiro> &r, int passos)
{
    return QTest::qWaitFor([&] { return r->passos.isEmpty() && !QApplication::activeModalWidget(); })
        && r->feitos == passos;
}

// Starts the program: its windows, then the main window, which shows the options dialog.
void iniciar()
{
    FormPrincipal->showMaximized();
}

} // namespace

class TestSenhas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init()
    {
        reiniciarEstado();
        for (const QString &f : QDir::current().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            QFileInfo(f).isDir() ? QDir(f).removeRecursively() : QFile::remove(f);
        QFile::remove("../fora");
        QVERIFY(Programa::CriarJanelas());
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
    }

    // Layout --------------------------------------------------------------------------------------

    void dialogLayouts_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<QSize>("tamanho");
        QTest::addColumn<QStringList>("rotulos");
        QTest::addColumn<QStringList>("botoes");
        QTest::addColumn<QString>("padrao");
        QTest::newRow("options") << "FormOpcaoSenha" << "Dorlinda [ Opções ]" << QSize(327, 132)
                                 << QStringList({"Escolha uma opção:"})
                                 << QStringList({"BAbrir &Abrir Senha", "BAlterar Al&terar Senha",
                                                 "BCriar &Criar Senha", "BExcluir &Excluir Senha"})
                                 << "BAbrir";
        QTest::newRow("log in") << "FormAbrirSenha" << "Dorlinda [ Abrir Senha ]" << QSize(342, 137)
                                << QStringList({"Login", "Senha"}) << QStringList({"BitBtn1 OK", "BitBtn2 Cancelar"})
                                << "BitBtn1";
        QTest::newRow("create") << "FormCriarSenha" << "Dorlinda [Criar senha]" << QSize(342, 137)
                                << QStringList({"Login", "Senha", "Confirme a senha"})
                                << QStringList({"BOK OK", "BitBtn2 Cancelar"}) << "BOK";
        QTest::newRow("change") << "FormAlterarSenha" << "Dorlinda [ Alterar Senha ]" << QSize(342, 137)
                                << QStringList({"Login", "Senha", "Nova senha"})
                                << QStringList({"BitBtn1 OK", "BitBtn2 Cancelar"}) << "BitBtn1";
        QTest::newRow("delete") << "FormExcluirSenha" << "Dorlinda [ Excluir Senha ]" << QSize(342, 137)
                                << QStringList({"Login", "Senha"}) << QStringList({"BOK OK", "BitBtn2 Cancelar"})
                                << "BOK";
    }
    void dialogLayouts()
    {
        QFETCH(QString, nome);
        QFETCH(QString, legenda);
        QFETCH(QSize, tamanho);
        QFETCH(QStringList, rotulos);
        QFETCH(QStringList, botoes);
        QFETCH(QString, padrao);
        QDialog *d = dialogo(nome);
        QVERIFY(d);
        d->show();
        QCOMPARE(d->windowTitle(), legenda);
        QCOMPARE(d->size(), tamanho);
        QCOMPARE(d->minimumSize(), d->maximumSize());
        const QPoint centro = d->screen()->geometry().center();
        QVERIFY((d->frameGeometry().center() - centro).manhattanLength() <= 2);

        // Labels top to bottom, each beside its box.
        QList<QLabel *> labels = d->findChildren<QLabel *>();
        std::sort(labels.begin(), labels.end(), [](QLabel *a, QLabel *b) { return a->y() < b->y(); });
        QStringList vistos;
        for (QLabel *l : labels)
            vistos << l->text();
        QCOMPARE(vistos, rotulos);
        for (QLineEdit *e : d->findChildren<QLineEdit *>())
            QVERIFY(std::any_of(labels.begin(), labels.end(), [e](QLabel *l) { return l->y() == e->y(); }));

        QStringList achados;
        for (QPushButton *b : d->findChildren<QPushButton *>()) {
            achados << b->objectName() + " " + b->text();
            QCOMPARE(b->isDefault(), b->objectName() == padrao);
        }
        QCOMPARE(achados, botoes);
        d->hide();
    }

    void theOptionsButtonsStandInTwoRows()
    {
        TFormOpcaoSenha *o = FormOpcaoSenha;
        QCOMPARE(o->BAbrir->y(), o->BAlterar->y());
        QCOMPARE(o->BCriar->y(), o->BExcluir->y());
        QVERIFY(o->BCriar->y() > o->BAbrir->y());
        QCOMPARE(o->BAbrir->x(), o->BCriar->x());
        QCOMPARE(o->BAlterar->x(), o->BExcluir->x());
        QVERIFY(o->BAlterar->x() > o->BAbrir->x());
        QCOMPARE(o->BAbrir->toolTip(), QStringLiteral("Abre o programa"));
        o->show();
        QCOMPARE(o->focusWidget(), o->BAbrir);
        o->hide();
    }

    void boxesTakeEightCharactersAndHidePasswords_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QStringList>("senhas");
        QTest::newRow("log in") << "FormAbrirSenha" << QStringList({"EditSenha"});
        QTest::newRow("create") << "FormCriarSenha" << QStringList({"EditSenha", "EditSenhaConfirm"});
        QTest::newRow("change") << "FormAlterarSenha" << QStringList({"EditSenha", "EditSenhaConfirm"});
        QTest::newRow("delete") << "FormExcluirSenha" << QStringList({"EditSenha"});
    }
    void boxesTakeEightCharactersAndHidePasswords()
    {
        QFETCH(QString, nome);
        QFETCH(QStringList, senhas);
        QDialog *d = dialogo(nome);
        d->show();
        const QList<QLineEdit *> caixas = d->findChildren<QLineEdit *>();
        QCOMPARE(caixas.size(), senhas.size() + 1);
        for (QLineEdit *e : caixas) {
            teclar(e, "abcdéfghi");
            QCOMPARE(e->text(), QStringLiteral("abcdéfgh"));
            QCOMPARE(e->displayText(), senhas.contains(e->objectName()) ? QStringLiteral("********") : e->text());
        }
        d->hide();
    }

    void everyShowStartsEmptyWithTheFocusOnTheLogin_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::newRow("log in") << "FormAbrirSenha";
        QTest::newRow("create") << "FormCriarSenha";
        QTest::newRow("change") << "FormAlterarSenha";
        QTest::newRow("delete") << "FormExcluirSenha";
    }
    void everyShowStartsEmptyWithTheFocusOnTheLogin()
    {
        QFETCH(QString, nome);
        QDialog *d = dialogo(nome);
        for (int vez = 0; vez < 2; ++vez) {
            d->show();
            QVERIFY(focoNoLogin(d));
            for (const QString &t : conteudo(d))
                QVERIFY(t.isEmpty());
            digitar(d, {"x", "y", "z"});
            QTest::keyClick(caixa(d, "EditSenha"), Qt::Key_Escape);
            QVERIFY(!d->isVisible());
        }
    }

    // Create --------------------------------------------------------------------------------------

    void create_data()
    {
        QTest::addColumn<QStringList>("digitado");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QStringList>("depois");
        const QStringList antes = {"ana/Segredo", "bia/Ção"};
        QTest::newRow("confirmation differs") << QStringList({"caio", "abc", "abd"}) << Confirmacao << antes;
        QTest::newRow("confirmation differs in case") << QStringList({"caio", "abc", "ABC"}) << Confirmacao << antes;
        QTest::newRow("confirmation before emptiness") << QStringList({"", "abc", ""}) << Confirmacao << antes;
        QTest::newRow("password and confirmation empty") << QStringList({"caio", "", ""}) << Invalidos << antes;
        QTest::newRow("login empty") << QStringList({"", "abc", "abc"}) << Invalidos << antes;
        QTest::newRow("emptiness before a held password") << QStringList({"", "Segredo", "Segredo"}) << Invalidos
                                                          << antes;
        QTest::newRow("password held, other case") << QStringList({"caio", "SEGREDO", "SEGREDO"}) << Existente
                                                   << antes;
        QTest::newRow("password held, accents in other case") << QStringList({"caio", "çÃO", "çÃO"}) << Existente
                                                              << antes;
        QTest::newRow("created") << QStringList({"caio", "Nova", "Nova"}) << QString()
                                 << antes + QStringList({"caio/Nova"});
        QTest::newRow("a login another user holds") << QStringList({"ana", "outra", "outra"}) << QString()
                                                    << antes + QStringList({"ana/outra"});
        QTest::newRow("only a blank") << QStringList({" ", " ", " "}) << Invalidos << antes;
        QTest::newRow("a login beginning with a blank") << QStringList({" ana", "abc", "abc"}) << Invalidos << antes;
        QTest::newRow("a password ending in a blank") << QStringList({"caio", "abc ", "abc "}) << Invalidos << antes;
        QTest::newRow("blanks within are characters") << QStringList({"a na", "a b", "a b"}) << QString()
                                                       << antes + QStringList({"a na/a b"});
    }
    void create()
    {
        QFETCH(QStringList, digitado);
        QFETCH(QString, mensagem);
        QFETCH(QStringList, depois);
        usuario("ana", "Segredo");
        usuario("bia", "Ção");
        Caixas caixas(Messages::Ok);
        FormCriarSenha->show();
        digitar(FormCriarSenha, digitado);
        QTest::keyClick(FormCriarSenha->EditSenhaConfirm, Qt::Key_Return);

        QCOMPARE(caixas.textos(), mensagem.isNull() ? QStringList() : QStringList({mensagem}));
        for (const Messages::Message &m : caixas.vistas) {
            QCOMPARE(m.title, QStringLiteral("Dorlinda"));
            QCOMPARE(m.buttons, int(Messages::Ok));
        }
        QCOMPARE(usuarios(), depois);
        QCOMPARE(SenhaCriada, mensagem.isNull());
        QCOMPARE(FormCriarSenha->isVisible(), !mensagem.isNull());
        if (!mensagem.isNull()) {
            QCOMPARE(conteudo(FormCriarSenha), QStringList({"", "", ""}));
            QVERIFY(focoNoLogin(FormCriarSenha));
        }
    }

    // The check and the insert are one: a password another running copy created after the dialog
    // looked (in any letter case) is refused at the insert too, and nothing is added.
    void creatingChecksInTheSameTransaction()
    {
        usuario("ana", "Segredo");
        bool existente = false;
        QString erro;
        QVERIFY(!DiaryUsers::create("caio", "SEGREDO", existente, &erro));
        QVERIFY(existente);
        QVERIFY2(DiaryUsers::create("caio", "Nova", existente, &erro), qPrintable(erro));
        QVERIFY(!existente);
        QCOMPARE(usuarios(), QStringList({"ana/Segredo", "caio/Nova"}));
    }

    // Log in --------------------------------------------------------------------------------------

    void logIn_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("unknown password") << "ana" << "nada" << Inexistente;
        QTest::newRow("both wrong: the password first") << "zé" << "nada" << Inexistente;
        QTest::newRow("nothing typed") << "" << "" << Inexistente;
        QTest::newRow("login in another case") << "ANA" << "Segredo" << LoginInexistente;
        QTest::newRow("another user's login") << "bia" << "Segredo" << LoginInexistente;
        QTest::newRow("password as stored") << "ana" << "Segredo" << QString();
        QTest::newRow("password in another case") << "ana" << "sEGREDO" << QString();
        QTest::newRow("second user of one login") << "ana" << "Outra" << QString();
    }
    void logIn()
    {
        QFETCH(QString, login);
        QFETCH(QString, senha);
        QFETCH(QString, mensagem);
        usuario("ana", "Segredo");
        usuario("bia", "Bia123");
        usuario("ana", "Outra");
        Caixas caixas(Messages::Ok);
        FormAbrirSenha->show();
        digitar(FormAbrirSenha, {login, senha});
        QTest::mouseClick(FormAbrirSenha->BitBtn1, Qt::LeftButton);

        const bool entrou = mensagem.isNull();
        QCOMPARE(caixas.textos(), entrou ? QStringList() : QStringList({mensagem}));
        QCOMPARE(SenhaAberta, entrou);
        QCOMPARE(FormAbrirSenha->isVisible(), !entrou);
        QCOMPARE(SenhaAtual, entrou ? std::optional<QString>(senha) : std::nullopt);
        QCOMPARE(LoginAtual, entrou ? login : QString());
        QCOMPARE(FormPrincipal->StatusBar->currentMessage(), entrou ? "Login: " + login : QString());
        if (!entrou) {
            QCOMPARE(conteudo(FormAbrirSenha), QStringList({"", ""}));
            QVERIFY(focoNoLogin(FormAbrirSenha));
        }
        QCOMPARE(usuarios(), QStringList({"ana/Segredo", "bia/Bia123", "ana/Outra"}));
    }

    // Change --------------------------------------------------------------------------------------

    void change_data()
    {
        QTest::addColumn<QStringList>("digitado");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QStringList>("usuariosDepois");
        QTest::addColumn<QStringList>("entradasDepois");
        QTest::addColumn<QString>("senhaAtual");
        const QStringList u = {"ana/Segredo", "bia/Outra"};
        const QStringList e = {"Dia 1/Segredo", "Dia 2/sEGREDO", "Dia 3/Outra"};
        QTest::newRow("unknown password") << QStringList({"ana", "nada", "x"}) << Inexistente << u << e << "segredo";
        QTest::newRow("unknown password, empty new one") << QStringList({"ana", "nada", ""}) << Inexistente << u << e
                                                         << "segredo";
        QTest::newRow("login in another case") << QStringList({"Ana", "Segredo", "x"}) << Incorreto << u << e
                                               << "segredo";
        QTest::newRow("wrong login, empty new one") << QStringList({"bia", "Segredo", ""}) << Incorreto << u << e
                                                    << "segredo";
        QTest::newRow("empty new password") << QStringList({"ana", "Segredo", ""}) << Invalidos << u << e
                                            << "segredo";
        QTest::newRow("new password beginning with a blank") << QStringList({"ana", "Segredo", " Nova"}) << Invalidos
                                                             << u << e << "segredo";
        QTest::newRow("another user's password in another case") << QStringList({"ana", "Segredo", "OUTRA"})
                                                                 << Existente << u << e << "segredo";
        QTest::newRow("changed, old one typed in another case")
            << QStringList({"ana", "SEGREDO", "Nova"}) << QString() << QStringList({"ana/Nova", "bia/Outra"})
            << QStringList({"Dia 1/Nova", "Dia 2/Nova", "Dia 3/Outra"}) << "Nova";
        QTest::newRow("only the letter case of one's own")
            << QStringList({"ana", "Segredo", "SEGREDO"}) << QString() << QStringList({"ana/SEGREDO", "bia/Outra"})
            << QStringList({"Dia 1/SEGREDO", "Dia 2/SEGREDO", "Dia 3/Outra"}) << "SEGREDO";
        QTest::newRow("another user, not the last logged in")
            << QStringList({"bia", "Outra", "Bia2"}) << QString() << QStringList({"ana/Segredo", "bia/Bia2"})
            << QStringList({"Dia 1/Segredo", "Dia 2/sEGREDO", "Dia 3/Bia2"}) << "segredo";
    }
    void change()
    {
        QFETCH(QStringList, digitado);
        QFETCH(QString, mensagem);
        QFETCH(QStringList, usuariosDepois);
        QFETCH(QStringList, entradasDepois);
        QFETCH(QString, senhaAtual);
        usuario("ana", "Segredo");
        usuario("bia", "Outra");
        entrada("Dia 1", "Segredo");
        entrada("Dia 2", "sEGREDO");
        entrada("Dia 3", "Outra");
        SenhaAtual = "segredo"; // ana was the last to log in, typing her password in small letters
        Caixas caixas(Messages::Ok);
        FormAlterarSenha->show();
        digitar(FormAlterarSenha, digitado);
        QTest::mouseClick(FormAlterarSenha->BitBtn1, Qt::LeftButton);

        const bool alterou = mensagem.isNull();
        QCOMPARE(caixas.textos(), alterou ? QStringList() : QStringList({mensagem}));
        QCOMPARE(SenhaAlterada, alterou);
        QCOMPARE(FormAlterarSenha->isVisible(), !alterou);
        QCOMPARE(usuarios(), usuariosDepois);
        QCOMPARE(entradas(), entradasDepois);
        QCOMPARE(SenhaAtual, std::optional<QString>(senhaAtual));
        QCOMPARE(arquivos(), QStringList({"Dia 1", "Dia 2", "Dia 3"}));
        if (!alterou) {
            QCOMPARE(conteudo(FormAlterarSenha), QStringList({"", "", ""}));
            QVERIFY(focoNoLogin(FormAlterarSenha));
        }
    }

    // Delete --------------------------------------------------------------------------------------

    void remove_data()
    {
        QTest::addColumn<QStringList>("digitado");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<QStringList>("mensagens");
        QTest::addColumn<QStringList>("usuariosDepois");
        QTest::addColumn<QStringList>("entradasDepois");
        QTest::addColumn<QStringList>("arquivosDepois");
        const QStringList u = {"ana/Segredo", "bia/Outra"};
        const QStringList e = {"Dia 1/Segredo", "Comum/sEGREDO", "Sem arquivo/Segredo", "Dia 3/Outra", "Comum/Outra"};
        const QStringList a = {"Comum", "Dia 1", "Dia 3"};
        QTest::newRow("unknown password") << QStringList({"ana", "nada"}) << int(Messages::Yes)
                                          << QStringList({Inexistente}) << u << e << a;
        QTest::newRow("login in another case") << QStringList({"ANA", "Segredo"}) << int(Messages::Yes)
                                               << QStringList({Incorreto}) << u << e << a;
        QTest::newRow("No to the question") << QStringList({"ana", "Segredo"}) << int(Messages::No)
                                            << QStringList({pergunta("ana")}) << u << e << a;
        QTest::newRow("Yes, password in another case")
            << QStringList({"ana", "sEGREDO"}) << int(Messages::Yes) << QStringList({pergunta("ana")})
            << QStringList({"bia/Outra"}) << QStringList({"Dia 3/Outra", "Comum/Outra"})
            << QStringList({"Comum", "Dia 3"});
        QTest::newRow("Yes, the other user") << QStringList({"bia", "Outra"}) << int(Messages::Yes)
                                             << QStringList({pergunta("bia")}) << QStringList({"ana/Segredo"})
                                             << QStringList({"Dia 1/Segredo", "Comum/sEGREDO", "Sem arquivo/Segredo"})
                                             << QStringList({"Comum", "Dia 1"});
    }
    void remove()
    {
        QFETCH(QStringList, digitado);
        QFETCH(int, resposta);
        QFETCH(QStringList, mensagens);
        QFETCH(QStringList, usuariosDepois);
        QFETCH(QStringList, entradasDepois);
        QFETCH(QStringList, arquivosDepois);
        usuario("ana", "Segredo");
        usuario("bia", "Outra");
        entrada("Dia 1", "Segredo");
        entrada("Comum", "sEGREDO");
        entrada("Sem arquivo", "Segredo", false);
        entrada("Dia 3", "Outra");
        entrada("Comum", "Outra");
        Caixas caixas{Messages::Button(resposta)};
        FormExcluirSenha->show();
        digitar(FormExcluirSenha, digitado);
        QTest::mouseClick(FormExcluirSenha->BOK, Qt::LeftButton);

        QCOMPARE(caixas.textos(), mensagens);
        if (mensagens.first().startsWith("Atenção"))
            QCOMPARE(caixas.vistas.first().buttons, Messages::Yes | Messages::No);
        const bool excluiu = usuariosDepois.size() == 1;
        QCOMPARE(SenhaExcluida, excluiu);
        QCOMPARE(FormExcluirSenha->isVisible(), !excluiu);
        QCOMPARE(usuarios(), usuariosDepois);
        QCOMPARE(entradas(), entradasDepois);
        QCOMPARE(arquivos(), arquivosDepois);
        if (excluiu)
            return;
        // After No the boxes stay as typed; after a refusal they are emptied.
        const bool perguntou = resposta == Messages::No;
        QCOMPARE(conteudo(FormExcluirSenha), perguntou ? digitado : QStringList({"", ""}));
        if (!perguntou)
            QVERIFY(focoNoLogin(FormExcluirSenha));
    }

    void deletingTheLastLoggedInUserLocksTheEditor()
    {
        usuario("ana", "Segredo");
        entrar("segredo", "ana");
        QVERIFY(!TextoBloqueado);
        Caixas caixas(Messages::Yes);
        FormExcluirSenha->show();
        digitar(FormExcluirSenha, {"ana", "SEGREDO"});
        QTest::mouseClick(FormExcluirSenha->BOK, Qt::LeftButton);
        QVERIFY(SenhaExcluida);
        QVERIFY(TextoBloqueado);
        QVERIFY(FormPrincipal->Rdtexto->isHidden());
        QCOMPARE(FormPrincipal->windowTitle(), QStringLiteral("Dorlinda"));
        QVERIFY(FormPrincipal->StatusBar->currentMessage().isEmpty());
    }

    void deletingAUserTouchesNoFileOutsideItsEntries()
    {
        usuario("ana", "Segredo");
        entrada("diario.mdb", "Segredo", false);
        entrada("../fora", "Segredo");
        entrada("Pasta", "Segredo", false);
        QVERIFY(QDir().mkdir("Pasta"));
        entrada("Hoje", "Segredo");
        Caixas caixas(Messages::Yes);
        FormExcluirSenha->show();
        digitar(FormExcluirSenha, {"ana", "Segredo"});
        QTest::mouseClick(FormExcluirSenha->BOK, Qt::LeftButton);
        QVERIFY(SenhaExcluida);
        QVERIFY(entradas().isEmpty());
        QVERIFY(usuarios().isEmpty());
        QVERIFY(QFileInfo("diario.mdb").isFile());
        QVERIFY(QFileInfo("../fora").isFile());
        QVERIFY(QFileInfo("Pasta").isDir());
        QVERIFY(!QFileInfo::exists("Hoje"));
        QFile::remove("../fora");
    }

    // A failure inside the change or the deletion leaves every row and file as it was.
    void aFailedChangeOrDeletionLeavesEverything_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("gatilho");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("change") << "FormAlterarSenha" << "BEFORE UPDATE ON Diario"
                                << "Não foi possível alterar a senha (falha simulada). Nada foi alterado.";
        QTest::newRow("delete") << "FormExcluirSenha" << "BEFORE DELETE ON Senha"
                                << "Não foi possível excluir a senha (falha simulada). Nada foi excluído.";
    }
    void aFailedChangeOrDeletionLeavesEverything()
    {
        QFETCH(QString, nome);
        QFETCH(QString, gatilho);
        QFETCH(QString, mensagem);
        usuario("ana", "Segredo");
        entrada("Dia 1", "Segredo");
        entrada("Dia 2", "Segredo");
        sql("CREATE TRIGGER falha " + gatilho + " BEGIN SELECT RAISE(ABORT, 'falha simulada'); END");
        Caixas caixas(Messages::Yes);
        QDialog *d = dialogo(nome);
        d->show();
        digitar(d, {"ana", "Segredo", "Nova"});
        QTest::mouseClick(botaoOK(d), Qt::LeftButton);
        QCOMPARE(caixas.textos().last(), mensagem);
        QVERIFY(!SenhaAlterada);
        QVERIFY(!SenhaExcluida);
        QVERIFY(d->isVisible());
        QVERIFY(focoNoLogin(d));
        QCOMPARE(usuarios(), QStringList({"ana/Segredo"}));
        QCOMPARE(entradas(), QStringList({"Dia 1/Segredo", "Dia 2/Segredo"}));
        QCOMPARE(arquivos(), QStringList({"Dia 1", "Dia 2"}));
        // The connection is left usable: without the fault the same request goes through.
        sql("DROP TRIGGER falha");
        digitar(d, {"ana", "Segredo", "Nova"});
        QTest::mouseClick(botaoOK(d), Qt::LeftButton);
        QVERIFY(SenhaAlterada || SenhaExcluida);
        QVERIFY(!d->isVisible());
    }

    // Refused at the commit, on a folder that has stopped taking writes: the files set aside cannot
    // go back, and the message names them with the names they lie under.
    void aDeletionRefusedAtTheCommitNamesTheFilesLeftAside()
    {
        RUN_AS_OTHER_USER_WHEN_ROOT();
        usuario("ana", "Segredo");
        entrada("Dia 1", "Segredo");
        entrada("Dia 2", "Segredo");
        const auto permitir = [] {
            QFile::setPermissions(".", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        };
        const auto restaurar = qScopeGuard(permitir);
        pastaSoLeituraAoConfirmar();
        Caixas caixas(Messages::Yes);
        FormExcluirSenha->show();
        digitar(FormExcluirSenha, {"ana", "Segredo"});
        QTest::mouseClick(FormExcluirSenha->BOK, Qt::LeftButton);
        QVERIFY(!SenhaExcluida);
        permitir();
        const QStringList guardados = QDir().entryList({".*.excluido"}, QDir::Files | QDir::Hidden);
        QCOMPARE(guardados.size(), 2);
        const QString texto = caixas.textos().last();
        QVERIFY2(texto.startsWith("Não foi possível excluir a senha (") &&
                     texto.contains("Nada foi excluído, mas estes arquivos não puderam voltar ao seu lugar na pasta "
                                    "atual e ficaram guardados com outro nome:\n\""),
                 qPrintable(texto));
        for (const QString &g : guardados)
            QVERIFY2(texto.contains("\" como \"" + g + "\""), qPrintable(texto));
        QCOMPARE(usuarios(), QStringList({"ana/Segredo"}));
        // The rows are read once, however many files the list names.
        int devolvidos = 0;
        QCOMPARE(leiturasDeDiario([&] { devolvidos = DiaryDatabase::recoverSetAsideFiles().putBack; }), 1);
        QCOMPARE(devolvidos, 2);
        QCOMPARE(arquivos(), QStringList({"Dia 1", "Dia 2"}));
    }

    // Another running copy, on a connection of its own, changes the users between the dialog's lookup
    // and its write: the checks are made again inside the write, so no two users end with one
    // password and no entries change hands.
    void anotherCopyChangesTheUsersMeanwhile_data()
    {
        QTest::addColumn<QString>("outraCopia");
        QTest::addColumn<bool>("exclusao");
        QTest::addColumn<QStringList>("usuariosDepois");
        QTest::newRow("gives the new password to another user") << "UPDATE Senha SET Senha = 'Nova' WHERE Login = 'bia'"
                                                                << false << QStringList({"ana/Segredo", "bia/Nova"});
        QTest::newRow("changes the password, then a change") << "UPDATE Senha SET Senha = 'Outra2' WHERE Login = 'ana'"
                                                             << false << QStringList({"ana/Outra2", "bia/Outra"});
        QTest::newRow("changes the password, then a deletion") << "UPDATE Senha SET Senha = 'Outra2' WHERE Login = 'ana'"
                                                               << true << QStringList({"ana/Outra2", "bia/Outra"});
        QTest::newRow("deletes the user, then a change") << "DELETE FROM Senha WHERE Login = 'ana'" << false
                                                         << QStringList({"bia/Outra"});
    }
    void anotherCopyChangesTheUsersMeanwhile()
    {
        QFETCH(QString, outraCopia);
        QFETCH(bool, exclusao);
        QFETCH(QStringList, usuariosDepois);
        usuario("ana", "Segredo");
        usuario("bia", "Outra");
        entrada("Dia 1", "Segredo");
        entrada("Dia 2", "Outra");
        std::optional<DiaryUsers::User> ana;
        QVERIFY(DiaryUsers::find("segredo", ana) && ana);
        {
            QSqlDatabase outra = QSqlDatabase::addDatabase("QSQLITE", "outra cópia");
            outra.setDatabaseName(DiaryDatabase::FileName);
            QVERIFY(outra.open());
            QSqlQuery q(outra);
            QVERIFY2(q.exec(outraCopia), qPrintable(q.lastError().text()));
            outra.close();
        }
        QSqlDatabase::removeDatabase("outra cópia");

        bool existente = false;
        QString erro;
        const bool feito = exclusao ? DiaryUsers::remove(*ana, nullptr, &erro)
                                    : DiaryUsers::changePassword(*ana, "NOVA", existente, &erro);
        QVERIFY(!feito);
        QCOMPARE(existente, outraCopia.contains("'Nova'"));
        QCOMPARE(erro.isEmpty(), existente);
        QCOMPARE(usuarios(), usuariosDepois);
        QCOMPARE(entradas(), QStringList({"Dia 1/Segredo", "Dia 2/Outra"}));
        QCOMPARE(arquivos(), QStringList({"Dia 1", "Dia 2"}));
    }

    void aMissingUsersTableIsReported_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("mensagem");
        const QString consultar = "Não foi possível consultar as senhas (no such table: Senha).";
        QTest::newRow("log in") << "FormAbrirSenha" << consultar;
        QTest::newRow("create") << "FormCriarSenha" << "Não foi possível criar a senha (no such table: Senha).";
        QTest::newRow("change") << "FormAlterarSenha" << consultar;
        QTest::newRow("delete") << "FormExcluirSenha" << consultar;
    }
    void aMissingUsersTableIsReported()
    {
        QFETCH(QString, nome);
        QFETCH(QString, mensagem);
        sql("DROP TABLE Senha");
        Caixas caixas(Messages::Yes);
        QDialog *d = dialogo(nome);
        d->show();
        digitar(d, {"ana", "Segredo", "Segredo"});
        QTest::mouseClick(botaoOK(d), Qt::LeftButton);
        QCOMPARE(caixas.textos(), QStringList({mensagem}));
        QVERIFY(!SenhaCriada && !SenhaAberta && !SenhaAlterada && !SenhaExcluida);
        QVERIFY(d->isVisible());
    }

    // The options dialog --------------------------------------------------------------------------

    void eachOptionShowsItsDialogAndReportsSuccess_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QString>("janela");
        QTest::addColumn<QStringList>("digitado");
        QTest::addColumn<QStringList>("mensagens");
        QTest::addColumn<QStringList>("depois");
        QTest::newRow("create") << "BCriar" << "FormCriarSenha" << QStringList({"bia", "b", "b"})
                                << QStringList({Criada, Clique}) << QStringList({"ana/Segredo", "bia/b"});
        QTest::newRow("change") << "BAlterar" << "FormAlterarSenha" << QStringList({"ana", "Segredo", "Nova"})
                                << QStringList({Alterada}) << QStringList({"ana/Nova"});
        QTest::newRow("delete") << "BExcluir" << "FormExcluirSenha" << QStringList({"ana", "Segredo"})
                                << QStringList({pergunta("ana"), Excluida}) << QStringList();
    }
    void eachOptionShowsItsDialogAndReportsSuccess()
    {
        QFETCH(QString, botao);
        QFETCH(QString, janela);
        QFETCH(QStringList, digitado);
        QFETCH(QStringList, mensagens);
        QFETCH(QStringList, depois);
        usuario("ana", "Segredo");
        Caixas caixas(Messages::Yes);
        bool aindaAberto = false;
        QStringList vistasAntesDeFechar;
        auto r = roteiro({
            {"FormOpcaoSenha", [&](QWidget *o) { clicar(o, qPrintable(botao)); }},
            {janela, [&](QWidget *d) {
                 digitar(d, digitado);
                 QTest::mouseClick(botaoOK(d), Qt::LeftButton);
             }},
            {"FormOpcaoSenha", [&](QWidget *o) {
                 aindaAberto = o->isVisible();
                 vistasAntesDeFechar = caixas.textos();
                 o->close();
             }},
        });
        iniciar();
        QVERIFY(terminado(r, 3));
        QVERIFY(aindaAberto);
        QCOMPARE(vistasAntesDeFechar, mensagens);
        QCOMPARE(usuarios(), depois);
        // Nobody logged in: closing the options dialog ended the program.
        QVERIFY(!FormPrincipal->isVisible());
        QVERIFY(!SenhaAtual);
    }

    void cancellingADialogDoesNothing_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QString>("janela");
        QTest::addColumn<QStringList>("digitado");
        QTest::addColumn<QString>("como");
        const struct {
            const char *botao, *janela;
            QStringList digitado;
        } dialogos[] = {
            {"BCriar", "FormCriarSenha", {"bia", "b", "b"}},
            {"BAbrir", "FormAbrirSenha", {"ana", "Segredo"}},
            {"BAlterar", "FormAlterarSenha", {"ana", "Segredo", "Nova"}},
            {"BExcluir", "FormExcluirSenha", {"ana", "Segredo"}},
        };
        for (const auto &d : dialogos)
            for (const char *como : {"Cancelar", "Esc", "close box"})
                QTest::addRow("%s, %s", d.janela, como) << d.botao << d.janela << d.digitado << como;
    }
    void cancellingADialogDoesNothing()
    {
        QFETCH(QString, botao);
        QFETCH(QString, janela);
        QFETCH(QStringList, digitado);
        QFETCH(QString, como);
        usuario("ana", "Segredo");
        entrada("Dia 1", "Segredo");
        Caixas caixas(Messages::Yes);
        bool aindaAberto = false;
        auto r = roteiro({
            {"FormOpcaoSenha", [&](QWidget *o) { clicar(o, qPrintable(botao)); }},
            {janela, [&](QWidget *d) {
                 digitar(d, digitado);
                 if (como == "Cancelar")
                     clicar(d, "BitBtn2");
                 else if (como == "Esc")
                     QTest::keyClick(caixa(d, "EditSenha"), Qt::Key_Escape);
                 else
                     d->close();
             }},
            {"FormOpcaoSenha", [&](QWidget *o) {
                 aindaAberto = o->isVisible();
                 o->close();
             }},
        });
        iniciar();
        QVERIFY(terminado(r, 3));
        QVERIFY(aindaAberto);
        QVERIFY(caixas.vistas.isEmpty());
        QVERIFY(!SenhaCriada && !SenhaAberta && !SenhaAlterada && !SenhaExcluida);
        QCOMPARE(usuarios(), QStringList({"ana/Segredo"}));
        QCOMPARE(entradas(), QStringList({"Dia 1/Segredo"}));
        QCOMPARE(arquivos(), QStringList({"Dia 1"}));
        QVERIFY(!FormPrincipal->isVisible());
    }

    void noToTheDeleteQuestionThenCancelShowsNoSuccess()
    {
        usuario("ana", "Segredo");
        Caixas caixas(Messages::No);
        auto r = roteiro({
            {"FormOpcaoSenha", [](QWidget *o) { clicar(o, "BExcluir"); }},
            {"FormExcluirSenha", [](QWidget *d) {
                 digitar(d, {"ana", "Segredo"});
                 clicar(d, "BOK");
                 clicar(d, "BitBtn2");
             }},
            {"FormOpcaoSenha", [](QWidget *o) { o->close(); }},
        });
        iniciar();
        QVERIFY(terminado(r, 3));
        QCOMPARE(caixas.textos(), QStringList({pergunta("ana")}));
        QVERIFY(!SenhaExcluida);
        QCOMPARE(usuarios(), QStringList({"ana/Segredo"}));
    }

    // The whole gate: create, log in, log out through the password button, another log-in, and the
    // end of the program when the options dialog closes without one.
    void createLogInLogOutAndEnd()
    {
        Caixas caixas(Messages::No);
        bool focoEmAbrir = false;
        auto r = roteiro({
            {"FormOpcaoSenha", [&](QWidget *o) {
                 focoEmAbrir = o->focusWidget() == FormOpcaoSenha->BAbrir;
                 clicar(o, "BCriar");
             }},
            {"FormCriarSenha", [](QWidget *d) {
                 digitar(d, {"ana", "Segredo", "Segredo"});
                 clicar(d, "BOK");
             }},
            {"FormOpcaoSenha", [](QWidget *o) { clicar(o, "BCriar"); }},
            {"FormCriarSenha", [](QWidget *d) {
                 digitar(d, {"ana", "Outra", "Outra"});
                 QTest::keyClick(caixa(d, "EditSenhaConfirm"), Qt::Key_Enter);
             }},
            {"FormOpcaoSenha", [](QWidget *o) { clicar(o, "BAbrir"); }},
            {"FormAbrirSenha", [](QWidget *d) {
                 digitar(d, {"ana", "SEGREDO"});
                 QTest::keyClick(caixa(d, "EditSenha"), Qt::Key_Return);
             }},
        });
        iniciar();
        QVERIFY(terminado(r, 6));
        QVERIFY(focoEmAbrir);
        QCOMPARE(caixas.textos(), QStringList({Criada, Clique, Criada, Clique}));
        QCOMPARE(usuarios(), QStringList({"ana/Segredo", "ana/Outra"}));
        QVERIFY(FormPrincipal->isVisible());
        QVERIFY(!FormOpcaoSenha->isVisible());
        QVERIFY(FormPrincipal->Rdtexto->isVisible());
        QCOMPARE(FormPrincipal->windowTitle(), QStringLiteral("Dorlinda - Título1"));
        QCOMPARE(FormPrincipal->StatusBar->currentMessage(), QStringLiteral("Login: ana"));
        QCOMPARE(SenhaAtual, std::optional<QString>("SEGREDO"));
        QCOMPARE(ContadorTitulo, 2);
        QVERIFY(!TextoBloqueado && !ArquivoGravado && !TextoAlterado && !TituloAtual);

        // Log out after the save prompt; the second user of the login logs in and starts again at 1.
        FormPrincipal->Novo1->trigger();
        QCOMPARE(FormPrincipal->windowTitle(), QStringLiteral("Dorlinda - Título2"));
        caixas.vistas.clear();
        QString legendaFora;
        r = roteiro({
            {"FormOpcaoSenha", [&](QWidget *o) {
                 legendaFora = FormPrincipal->windowTitle() + "|" + FormPrincipal->StatusBar->currentMessage();
                 clicar(o, "BAbrir");
             }},
            {"FormAbrirSenha", [](QWidget *d) {
                 digitar(d, {"ana", "Outra"});
                 clicar(d, "BitBtn1");
             }},
        });
        QTest::mouseClick(FormPrincipal->ToolButton16, Qt::LeftButton);
        QVERIFY(terminado(r, 2));
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título2?"}));
        QCOMPARE(legendaFora, QStringLiteral("Dorlinda|"));
        QVERIFY(FormPrincipal->isVisible());
        QCOMPARE(FormPrincipal->windowTitle(), QStringLiteral("Dorlinda - Título1"));
        QCOMPARE(SenhaAtual, std::optional<QString>("Outra"));

        // Logged out and the options dialog closed without a log-in: the program ends.
        caixas.vistas.clear();
        r = roteiro({{"FormOpcaoSenha", [](QWidget *o) { QTest::keyClick(o, Qt::Key_Escape); }}});
        QTest::mouseClick(FormPrincipal->ToolButton16, Qt::LeftButton);
        QVERIFY(terminado(r, 1));
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
        QVERIFY(!FormPrincipal->isVisible());
        QVERIFY(TextoBloqueado);
    }

    void failedLogInsKeepTheOptionsDialogOpen()
    {
        usuario("ana", "Segredo");
        Caixas caixas(Messages::Ok);
        QStringList vazio;
        bool foco = false, aberto = false;
        auto r = roteiro({
            // Enter, at first, presses "&Abrir Senha".
            {"FormOpcaoSenha", [](QWidget *o) { QTest::keyClick(o, Qt::Key_Return); }},
            {"FormAbrirSenha", [](QWidget *d) {
                 digitar(d, {"Ana", "Segredo"});
                 clicar(d, "BitBtn1");
             }},
            {"FormAbrirSenha", [&](QWidget *d) {
                 vazio = conteudo(d);
                 foco = focoNoLogin(d);
                 digitar(d, {"ana", "segredos"});
                 clicar(d, "BitBtn1");
                 clicar(d, "BitBtn2");
             }},
            {"FormOpcaoSenha", [&](QWidget *o) {
                 aberto = o->isVisible();
                 o->close();
             }},
        });
        iniciar();
        QVERIFY(terminado(r, 4));
        QCOMPARE(caixas.textos(), QStringList({LoginInexistente, Inexistente}));
        QCOMPARE(vazio, QStringList({"", ""}));
        QVERIFY(foco);
        QVERIFY(aberto);
        QVERIFY(!SenhaAberta);
        QVERIFY(!FormPrincipal->isVisible());
    }

    void aChangedPasswordKeepsTheEntriesListed()
    {
        usuario("ana", "Segredo");
        entrada("Dia 1", "sEGREDO");
        Caixas caixas(Messages::Ok);
        auto r = roteiro({
            {"FormOpcaoSenha", [](QWidget *o) { clicar(o, "BAlterar"); }},
            {"FormAlterarSenha", [](QWidget *d) {
                 digitar(d, {"ana", "segredo", "Nova"});
                 clicar(d, "BitBtn1");
             }},
            {"FormOpcaoSenha", [](QWidget *o) { clicar(o, "BAbrir"); }},
            {"FormAbrirSenha", [](QWidget *d) {
                 digitar(d, {"ana", "nova"});
                 clicar(d, "BitBtn1");
             }},
        });
        iniciar();
        QVERIFY(terminado(r, 4));
        QCOMPARE(caixas.textos(), QStringList({Alterada}));
        QVERIFY(FormPrincipal->Rdtexto->isVisible());
        QSqlQuery lista = DiaryDatabase::listEntries(*SenhaAtual, DiaryDatabase::Order::ByTitle);
        QVERIFY(lista.next());
        QCOMPARE(lista.value("Titulo").toString(), QStringLiteral("Dia 1"));
        QVERIFY(!DiaryDatabase::listEntries("Segredo", DiaryDatabase::Order::ByTitle).next());
    }
};

QTEST_MAIN(TestSenhas)
#include "test_senhas.moc"
