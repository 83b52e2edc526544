// Diary entries through the windows: saving new and stored entries, the save dialog's refusals,
// listing by title and by date, opening, deleting; several users; what lands in the database and
// in the entry files.
#include "AsOtherUser.h"
#include "DiarioTeste.h"

#include "Consulta.h"
#include "DiaryDatabase.h"
#include "Excluir.h"
#include "ListaEntradas.h"
#include "Principal.h"
#include "Programa.h"
#include "RichText.h"
#include "Salvar.h"
#include "SqliteText.h"
#include "global.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include <sqlite3.h>

using namespace DiarioTeste;

namespace {

struct Linha {
    qint64 codigo = -1;
    QString titulo, senha, data, hora, arquivo;
};

QSqlQuery executar(const QString &sql, const QVariantList &valores = {})
{
    QSqlQuery q(DiaryDatabase::connection());
    q.prepare(sql);
    for (const QVariant &v : valores)
        q.addBindValue(v);
    if (!q.exec())
        qWarning() << sql << q.lastError().text();
    return q;
}

void usuario(const QString &senha, const QString &login)
{
    executar("INSERT INTO Senha (Senha, Login) VALUES (?, ?)", {senha, login});
}

void gravarArquivo(const QString &nome, const QByteArray &dados)
{
    QFile f(nome);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dados);
}

QByteArray lerArquivo(const QString &nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An entry file as the diary writes it, holding the text.
QByteArray rtf(const QString &texto)
{
    QTextDocument doc;
    doc.setPlainText(texto);
    return RichText::write(doc);
}

// What opening the file shows in the editor.
QString lido(const QString &nome)
{
    QTextDocument doc;
    RichText::read(doc, lerArquivo(nome));
    return doc.toPlainText();
}

// What saving the editor's entry writes.
QByteArray escrito()
{
    return RichText::write(*FormPrincipal->Rdtexto->document());
}

// A stored entry as an earlier run left it: its row and, when `texto` is given, its file.
qint64 guardada(const QString &titulo, const QString &senha, const QString &data, const QString &texto = {},
                const QString &hora = "10:00")
{
    QSqlQuery q = executar("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES (?, ?, ?, ?)",
                           {titulo, senha, data, hora});
    if (!texto.isNull())
        gravarArquivo(titulo, rtf(texto));
    return q.lastInsertId().toLongLong();
}

QList<Linha> linhas()
{
    QList<Linha> l;
    QSqlQuery q = executar("SELECT * FROM Diario ORDER BY Codigo");
    while (q.next()) {
        Linha x;
        x.codigo = q.value("Codigo").toLongLong();
        x.titulo = q.value("Titulo").toString();
        x.senha = q.value("Senha").toString();
        x.data = q.value("Data").toString();
        x.hora = q.value("Hora").toString();
        if (q.record().contains("Arquivo"))
            x.arquivo = q.value("Arquivo").toString();
        l.append(x);
    }
    return l;
}

QStringList titulosGuardados()
{
    QStringList t;
    for (const Linha &l : linhas())
        t << l.titulo + "|" + l.senha;
    return t;
}

// The entry files in the current folder (the database and its journals left out).
QStringList arquivos()
{
    QStringList a;
    for (const QString &f : QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot,
                                                      QDir::Name))
        if (!QStringList({"diario.mdb", "diario.mdb-journal", "diario.mdb-wal", "diario.mdb-shm"}).contains(f))
            a << f;
    std::sort(a.begin(), a.end());
    return a;
}

// Runs f on the first modal window that comes up while it lives (and on none after).
class NoModal {
public:
    explicit NoModal(std::function<void(QWidget *)> f)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, f] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                m_timer.stop();
                visto = true;
                f(m);
            }
        });
        m_timer.start();
    }
    bool visto = false;

private:
    QTimer m_timer;
};

QString legenda()
{
    return FormPrincipal->windowTitle();
}

QString editor()
{
    return FormPrincipal->Rdtexto->toPlainText();
}

// Typed into the editor at its cursor (the key simulation knows only ASCII).
void digitar(const QString &texto)
{
    FormPrincipal->Rdtexto->insertPlainText(texto);
}

// What the save dialog showed and how it was left.
struct NoSalvar {
    bool mostrado = false;
    QString legenda;
    QSize tamanho;
    QString proposto;
    bool propostoSelecionado = false;
    bool ficouAberto = false;
    QString caixa;
    bool focoNaCaixa = false;
};

// "&Salvar": in the save dialog, types the title and presses "Salvar" (or "Cancelar" when
// `cancelar`); a dialog that stays open is then cancelled.
NoSalvar salvar(const QString &titulo, bool cancelar = false)
{
    NoSalvar r;
    NoModal modal([&](QWidget *m) {
        auto *s = qobject_cast<TFormSalvar *>(m);
        if (!s) {
            m->close();
            return;
        }
        r.mostrado = true;
        r.legenda = s->windowTitle();
        r.tamanho = s->size();
        r.proposto = s->EditTitulo->text();
        r.propostoSelecionado = s->EditTitulo->selectedText() == r.proposto;
        s->EditTitulo->setText(titulo);
        QTest::mouseClick(cancelar ? s->BitBtn1 : s->BSalvar, Qt::LeftButton);
        r.ficouAberto = s->isVisible();
        r.caixa = s->EditTitulo->text();
        r.focoNaCaixa = s->focusWidget() == s->EditTitulo;
        if (s->isVisible())
            s->reject();
    });
    FormPrincipal->Salvar1->trigger();
    return r;
}

QStringList titulosDaGrade(const QTableView *grade)
{
    QStringList t;
    const QAbstractItemModel *m = grade->model();
    for (int i = 0; i < m->rowCount(); ++i)
        t << m->index(i, 0).data().toString();
    return t;
}

QString atual(const QTableView *grade)
{
    const QModelIndex i = grade->currentIndex();
    return i.isValid() ? grade->model()->index(i.row(), 0).data().toString() : QString();
}

void escolher(QTableView *grade, const QString &titulo)
{
    const QStringList t = titulosDaGrade(grade);
    QVERIFY2(t.contains(titulo), qPrintable(titulo));
    const QModelIndex i = grade->model()->index(t.indexOf(titulo), 0);
    grade->scrollTo(i);
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(i).center());
    QCOMPARE(atual(grade), titulo);
}

// "&Abrir" and, in the open dialog, f.
bool noAbrir(const std::function<void(TFormAbrir *)> &f)
{
    bool mostrado = false;
    NoModal modal([&](QWidget *m) {
        auto *a = qobject_cast<TFormAbrir *>(m);
        mostrado = a;
        if (a)
            f(a);
        if (m->isVisible())
            static_cast<QDialog *>(m)->reject();
    });
    FormPrincipal->Abrir1->trigger();
    return mostrado;
}

bool noExcluir(const std::function<void(TFormExcluir *)> &f)
{
    bool mostrado = false;
    NoModal modal([&](QWidget *m) {
        auto *e = qobject_cast<TFormExcluir *>(m);
        mostrado = e;
        if (e)
            f(e);
        if (m->isVisible())
            static_cast<QDialog *>(m)->reject();
    });
    FormPrincipal->Excluir1->trigger();
    return mostrado;
}

// From now on the database fails, saying "falha simulada", wherever it folds the letter case of
// `nome` (its function ufold is replaced on the diary's connection).
void falharAoComparar(const QString &nome)
{
    static QString alvo;
    alvo = nome;
    const QVariant handle = DiaryDatabase::connection().driver()->handle();
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    const auto ufold = [](sqlite3_context *c, int, sqlite3_value **v) {
        if (sqlite3_value_type(v[0]) == SQLITE_NULL)
            return sqlite3_result_null(c);
        const QString t(reinterpret_cast<const QChar *>(sqlite3_value_text16(v[0])), sqlite3_value_bytes16(v[0]) / 2);
        if (t == alvo)
            return sqlite3_result_error(c, "falha simulada", -1);
        const QString f = SqliteText::fold(t);
        sqlite3_result_text16(c, f.utf16(), int(f.size() * 2), SQLITE_TRANSIENT);
    };
    QCOMPARE(sqlite3_create_function_v2(db, "ufold", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, ufold,
                                        nullptr, nullptr, nullptr),
             SQLITE_OK);
}

const QString hoje()
{
    return DiaryDatabase::storedDate(QDate::currentDate());
}

} // namespace

class TestEntradas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_pasta = QDir::currentPath();
    }

    void init()
    {
        QVERIFY(QDir::setCurrent(m_pasta));
        for (const QString &f : QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::Dirs
                                                          | QDir::NoDotAndDotDot))
            QFileInfo(f).isDir() ? QDir(f).removeRecursively() : QFile::remove(f);
        QVERIFY(abrirLogado("segredo", "ana"));
        usuario("outra", "bia");
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
    }

    // ---- Saving ----------------------------------------------------------------------------

    void savingANewEntry()
    {
        digitar("Querido diário");
        const QByteArray esperado = escrito();
        Caixas caixas;
        const NoSalvar s = salvar("Férias em Ávila");
        QVERIFY(s.mostrado);
        QCOMPARE(s.legenda, QStringLiteral("Dorlinda ( Salvar )"));
        QCOMPARE(s.tamanho, QSize(392, 126));
        QCOMPARE(s.proposto, QStringLiteral("Título1"));
        QVERIFY(s.propostoSelecionado);
        QVERIFY(!s.ficouAberto);
        QVERIFY(caixas.vistas.isEmpty());

        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Férias em Ávila"));
        QVERIFY(ArquivoGravado);
        QVERIFY(!TextoAlterado);
        QCOMPARE(TituloAtual, std::optional<QString>("Férias em Ávila"));
        const QList<Linha> l = linhas();
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0].titulo, QStringLiteral("Férias em Ávila"));
        QCOMPARE(l[0].senha, QStringLiteral("segredo"));
        QCOMPARE(l[0].data, hoje());
        QVERIFY(QRegularExpression("^\\d\\d:\\d\\d$").match(l[0].hora).hasMatch());
        QVERIFY(l[0].arquivo.isEmpty());
        QCOMPARE(arquivos(), QStringList({"Férias em Ávila"}));
        QVERIFY(RichText::isRtf(lerArquivo("Férias em Ávila")));
        QCOMPARE(lerArquivo("Férias em Ávila"), esperado);

        // The proposed title follows the new entry's number.
        FormPrincipal->Novo1->trigger();
        FormPrincipal->Novo1->trigger();
        QCOMPARE(salvar("", true).proposto, QStringLiteral("Título3"));
    }

    void savingAStoredEntryAgain()
    {
        digitar("um");
        salvar("Diário");
        executar("UPDATE Diario SET Data = '2001-02-03', Hora = '01:02'");
        const QByteArray antes = lerArquivo("Diário");

        // Unchanged: nothing is saved, no dialog.
        Caixas caixas;
        const NoSalvar s = salvar("outro");
        QVERIFY(!s.mostrado);
        QCOMPARE(linhas()[0].data, QStringLiteral("2001-02-03"));
        QCOMPARE(lerArquivo("Diário"), antes);

        // Changed: saved at once, without the dialog, in the same row and file.
        digitar(" dois");
        QVERIFY(TextoAlterado);
        QVERIFY(!salvar("outro").mostrado);
        QVERIFY(caixas.vistas.isEmpty());
        QVERIFY(!TextoAlterado);
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Diário"));
        const QList<Linha> l = linhas();
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0].data, hoje());
        QVERIFY(l[0].hora != QStringLiteral("01:02"));
        QCOMPARE(arquivos(), QStringList({"Diário"}));
        QCOMPARE(lerArquivo("Diário"), escrito());
        QVERIFY(lerArquivo("Diário") != antes);
    }

    void aTitleTheUserHasInAnyCaseIsRefused_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("digitado");
        QTest::newRow("proposed title") << "título3" << "Título3";
        QTest::newRow("upper case accents") << "Ação" << "AÇÃO";
        QTest::newRow("same") << "Hoje" << "Hoje";
    }
    void aTitleTheUserHasInAnyCaseIsRefused()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, digitado);
        guardada(guardado, "segredo", "2024-01-01", "antigo");
        digitar("novo");
        Caixas caixas;
        const NoSalvar s = salvar(digitado);
        QCOMPARE(caixas.textos(), QStringList({"Título existente, tente outro!"}));
        QCOMPARE(caixas.vistas[0].title, QStringLiteral("Dorlinda"));
        QVERIFY(s.ficouAberto);
        QVERIFY(s.caixa.isEmpty());
        QVERIFY(s.focoNaCaixa);
        QCOMPARE(titulosGuardados(), QStringList({guardado + "|segredo"}));
        QCOMPARE(lerArquivo(guardado), rtf("antigo"));
        QVERIFY(!ArquivoGravado);
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
    }

    // The box stands over the dialog that raised it, where no window manager can put it behind.
    void theRefusalStandsOverTheSaveDialog()
    {
        guardada("Hoje", "segredo", "2024-01-01");
        QWidget *dono = nullptr;
        quandoModal([&](QWidget *m) {
            auto *s = qobject_cast<TFormSalvar *>(m);
            QVERIFY(s);
            quandoModal([&](QWidget *caixa) {
                dono = caixa->parentWidget();
                caixa->close();
            });
            s->EditTitulo->setText("Hoje");
            QTest::mouseClick(s->BSalvar, Qt::LeftButton);
            s->reject();
        });
        FormPrincipal->Salvar1->trigger();
        QCOMPARE(dono, FormSalvar);
    }

    void unsafeTitlesAreRefused_data()
    {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("aceito");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks") << "   " << false;
        QTest::newRow("slash") << "2024/01/02" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("parent path") << "../fora" << false;
        QTest::newRow("tab") << "um\tdois" << false;
        QTest::newRow("NUL") << QString("um") + QChar(0) + "dois" << false;
        QTest::newRow("escape") << QString("um") + QChar(0x1b) << false;
        QTest::newRow("DEL") << QString("um") + QChar(0x7f) << false;
        QTest::newRow("database") << "DIARIO.MDB" << false;
        QTest::newRow("journal") << "diario.mdb-journal" << false;
        QTest::newRow("wal") << "Diario.mdb-WAL" << false;
        QTest::newRow("shm") << "diario.mdb-shm" << false;
        QTest::newRow("help folder") << "dorlinda" << false;
        QTest::newRow("three dots") << "..." << false;
        QTest::newRow("blanks around") << "  dia  " << false;
        QTest::newRow("a blank after the database's name") << "diario.mdb " << false;
        QTest::newRow("a blank first") << " dia" << false;
        QTest::newRow("a dot last") << "Dia." << false;
        QTest::newRow("a dot first") << ".oculto" << false;
        QTest::newRow("a no-break space last") << QStringLiteral("dia\u00a0") << false;
        QTest::newRow("blanks and dots within") << "Dia 1. Praia... e sol" << true;
        QTest::newRow("like the database") << "diario.mdb.bak" << true;
        QTest::newRow("like the help folder") << "Dorlinda 2" << true;
        QTest::newRow("quotes and colon") << "\"Dia\": 'bom' <3 | * ?" << true;
        QTest::newRow("fifty characters") << QString(50, QChar(0x00e7)) << true;
        QTest::newRow("emoji") << QStringLiteral("Dia 😀") << true;
        QTest::newRow("emoji cut in half by the fifty") << QString(49, 'a') + QStringLiteral("😀") << false;
    }
    void unsafeTitlesAreRefused()
    {
        QFETCH(QString, titulo);
        QFETCH(bool, aceito);
        digitar("texto");
        Caixas caixas;
        const NoSalvar s = salvar(titulo);
        if (!aceito) {
            QCOMPARE(caixas.textos(), QStringList({"Título inválido, tente outro!"}));
            QVERIFY(s.ficouAberto);
            QVERIFY(s.caixa.isEmpty());
            QVERIFY(s.focoNaCaixa);
            QVERIFY(linhas().isEmpty());
            QVERIFY(arquivos().isEmpty());
            QVERIFY(!ArquivoGravado);
            QVERIFY(QFileInfo("diario.mdb").isFile());
        } else {
            QVERIFY(caixas.vistas.isEmpty());
            QVERIFY(!s.ficouAberto);
            QCOMPARE(titulosGuardados(), QStringList({titulo + "|segredo"}));
            QCOMPARE(arquivos(), QStringList({titulo}));
            QCOMPARE(lerArquivo(titulo), escrito());
        }
    }

    void theTitleBoxTakesFiftyCharacters()
    {
        NoModal modal([](QWidget *m) {
            auto *s = qobject_cast<TFormSalvar *>(m);
            QVERIFY(s);
            s->EditTitulo->clear();
            QTest::keyClicks(s->EditTitulo, QString(60, 'x'));
            QCOMPARE(s->EditTitulo->text(), QString(50, 'x'));
            QCOMPARE(s->BSalvar->text(), QStringLiteral("Salvar"));
            QVERIFY(s->BSalvar->isDefault());
            QCOMPARE(s->BitBtn1->text(), QStringLiteral("Cancelar"));
            QCOMPARE(s->Label1->text(), QStringLiteral("Digite o título do arquivo a ser salvo:"));
            s->reject();
        });
        FormPrincipal->Salvar1->trigger();
        QVERIFY(modal.visto);
    }

    void cancellingLeavesTheEntryNewAndAskedAgain()
    {
        digitar("rascunho");
        Caixas caixas(Messages::No);
        const NoSalvar s = salvar("Rascunho", true);
        QVERIFY(s.mostrado);
        QVERIFY(!s.ficouAberto);
        QVERIFY(linhas().isEmpty());
        QVERIFY(arquivos().isEmpty());
        QVERIFY(!ArquivoGravado);
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
        QVERIFY(caixas.vistas.isEmpty());
        FormPrincipal->close();
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
    }

    void yesToTheClosingPromptSavesTheNewEntry()
    {
        digitar("fim do dia");
        const QByteArray esperado = escrito();
        Caixas caixas(Messages::Yes);
        NoModal modal([](QWidget *m) {
            auto *s = qobject_cast<TFormSalvar *>(m);
            QVERIFY(s);
            QTest::mouseClick(s->BSalvar, Qt::LeftButton);
        });
        FormPrincipal->close();
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
        QCOMPARE(titulosGuardados(), QStringList({"Título1|segredo"}));
        QCOMPARE(lerArquivo("Título1"), esperado);
    }

    // ---- Several users -------------------------------------------------------------------------

    void twoUsersKeepTheirEqualTitlesApart()
    {
        // Bia wrote "Viagem" first; its file carries the title.
        entrar("outra", "bia");
        digitar("da Bia");
        const QByteArray daBia = escrito();
        salvar("Viagem");
        QCOMPARE(arquivos(), QStringList({"Viagem"}));

        // Ana's "VIAGEM" is accepted (the check covers her entries only) and gets a file of its own.
        entrar("segredo", "ana");
        digitar("da Ana");
        const QByteArray daAna = escrito();
        Caixas caixas;
        QVERIFY(!salvar("VIAGEM").ficouAberto);
        QVERIFY(caixas.vistas.isEmpty());
        const QList<Linha> l = linhas();
        QCOMPARE(l.size(), 2);
        QCOMPARE(l[1].titulo, QStringLiteral("VIAGEM"));
        QCOMPARE(l[1].senha, QStringLiteral("segredo"));
        QCOMPARE(l[1].arquivo, QStringLiteral("VIAGEM (2)"));
        QCOMPARE(lerArquivo("Viagem"), daBia);
        QCOMPARE(lerArquivo("VIAGEM (2)"), daAna);

        // Saving again touches only her own row and file.
        executar("UPDATE Diario SET Data = '2000-01-01'");
        digitar(" outra vez");
        FormPrincipal->Salvar1->trigger();
        QCOMPARE(linhas()[0].data, QStringLiteral("2000-01-01"));
        QCOMPARE(linhas()[1].data, hoje());
        QCOMPARE(lerArquivo("Viagem"), daBia);
        const QByteArray daAna2 = escrito();
        QCOMPARE(lerArquivo("VIAGEM (2)"), daAna2);
        QVERIFY(daAna2 != daAna);

        // Each opens her own text.
        FormPrincipal->Novo1->trigger();
        QVERIFY(noAbrir([](TFormAbrir *a) {
            QCOMPARE(titulosDaGrade(a->DBGrid1), QStringList({"VIAGEM"}));
            QTest::mouseClick(a->Babrir, Qt::LeftButton);
        }));
        QCOMPARE(editor(), lido("VIAGEM (2)"));
        entrar("outra", "bia");
        QVERIFY(noAbrir([](TFormAbrir *a) { QTest::mouseClick(a->Babrir, Qt::LeftButton); }));
        QCOMPARE(editor(), lido("Viagem"));
        QVERIFY(lido("Viagem") != lido("VIAGEM (2)"));

        // Bia deletes hers: Ana's stays, row and file.
        caixas.padrao = Messages::Yes;
        QVERIFY(noExcluir([](TFormExcluir *e) { QTest::mouseClick(e->Bexcluir, Qt::LeftButton); }));
        QCOMPARE(titulosGuardados(), QStringList({"VIAGEM|segredo"}));
        QCOMPARE(arquivos(), QStringList({"VIAGEM (2)"}));

        // The title's own name is free again for the next one who takes it.
        digitar("nova");
        salvar("viagem");
        QCOMPARE(linhas().last().arquivo, QString());
        QCOMPARE(arquivos(), QStringList({"VIAGEM (2)", "viagem"}));
    }

    void aFileOfThatNameThatBelongsToNoEntryIsLeftAlone()
    {
        gravarArquivo("Notas", "de outra pessoa");
        digitar("minhas");
        const QByteArray minhas = escrito();
        salvar("Notas");
        QCOMPARE(lerArquivo("Notas"), QByteArray("de outra pessoa"));
        QCOMPARE(linhas()[0].arquivo, QStringLiteral("Notas (2)"));
        QCOMPARE(lerArquivo("Notas (2)"), minhas);
    }

    // ---- Open ------------------------------------------------------------------------------------

    void theOpenDialogListsByDateAndByTitle()
    {
        guardada("Zebra", "segredo", "2024-01-02", "z");
        guardada("ação", "segredo", "1999-12-31", "a");
        guardada("Ébano", "segredo", "2023-06-15", "e");
        guardada("abacaxi", "segredo", "2024-01-02", "x");
        guardada("Árvore", "segredo", "2000-01-01", "r");
        guardada("Da Bia", "outra", "2010-01-01", "b");
        Caixas caixas(Messages::No);
        QStringList porData, porTitulo, datas;
        bool marcaData = false, marcaTitulo = false, marcaDepois = false, primeiraAtual = false;
        QVERIFY(noAbrir([&](TFormAbrir *a) {
            QCOMPARE(a->windowTitle(), QStringLiteral("Dorlinda [ Abrir Diário ]"));
            QCOMPARE(a->size(), QSize(560, 420));
            porData = titulosDaGrade(a->DBGrid1);
            for (int i = 0; i < a->DBGrid1->model()->rowCount(); ++i)
                datas << a->DBGrid1->model()->index(i, 1).data().toString();
            marcaData = a->PorData1->isChecked() && !a->PorTitulo1->isChecked();
            QTest::keyClick(a->DBGrid1, Qt::Key_Down);
            a->PorTitulo1->trigger();
            porTitulo = titulosDaGrade(a->DBGrid1);
            marcaTitulo = a->PorTitulo1->isChecked() && !a->PorData1->isChecked();
            primeiraAtual = a->DBGrid1->currentIndex().row() == 0
                && a->DBGrid1->selectionModel()->isRowSelected(0, {});
            a->PorData1->trigger();
            marcaDepois = a->PorData1->isChecked() && !a->PorTitulo1->isChecked();
        }));
        QCOMPARE(porData, QStringList({"ação", "Árvore", "Ébano", "Zebra", "abacaxi"}));
        QCOMPARE(datas, QStringList({"31/12/1999", "01/01/2000", "15/06/2023", "02/01/2024", "02/01/2024"}));
        QCOMPARE(porTitulo, QStringList({"abacaxi", "ação", "Árvore", "Ébano", "Zebra"}));
        QVERIFY(marcaData);
        QVERIFY(marcaTitulo);
        QVERIFY(marcaDepois);
        QVERIFY(primeiraAtual);
        // The save prompt came first.
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
    }

    void theListDialogsAsDesigned_data()
    {
        QTest::addColumn<bool>("exclusao");
        QTest::newRow("open") << false;
        QTest::newRow("delete") << true;
    }
    void theListDialogsAsDesigned()
    {
        QFETCH(bool, exclusao);
        guardada("Um", "segredo", "2024-01-01", "1");
        Caixas caixas(Messages::No);
        const auto verificar = [&](QDialog *d, QMenuBar *menu, QMenu *ordenar, QTableView *grade, QWidget *nav) {
            QCOMPARE(d->size(), QSize(560, 420));
            QCOMPARE(menu->actions().size(), 1);
            QCOMPARE(ordenar->title(), QStringLiteral("&Ordenar"));
            QCOMPARE(ordenar->actions().size(), 2);
            QCOMPARE(ordenar->actions()[0]->text(), QStringLiteral("Por &Título"));
            QCOMPARE(ordenar->actions()[1]->text(), QStringLiteral("Por &Data"));
            QCOMPARE(d->findChild<QLabel *>("Label1")->text(), QStringLiteral("Faça a sua escolha:"));
            QCOMPARE(grade->size(), QSize(500, 300));
            QCOMPARE(grade->columnWidth(0), 325);
            QCOMPARE(grade->columnWidth(1), 70);
            QCOMPARE(grade->columnWidth(2), 70);
            const QAbstractItemModel *m = grade->model();
            QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Título"));
            QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Data"));
            QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Hora"));
            QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
            QCOMPARE(m->index(0, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
            QCOMPARE(m->index(0, 2).data().toString(), QStringLiteral("10:00"));
            QCOMPARE(grade->editTriggers(), QAbstractItemView::NoEditTriggers);
            QStringList dicas;
            for (const char *b : {"First", "Prior", "Next", "Last"})
                dicas << nav->findChild<QToolButton *>(b)->toolTip();
            QCOMPARE(dicas, QStringList({"Primeiro título", "Título anterior", "Próximo título", "Último título"}));
        };
        if (!exclusao) {
            QVERIFY(noAbrir([&](TFormAbrir *a) {
                verificar(a, a->MainMenu1, a->Ordenar1, a->DBGrid1, a->DBNavigator1);
                QCOMPARE(a->DBGrid1->focusPolicy(), Qt::ClickFocus);
                QCOMPARE(a->Babrir->text(), QStringLiteral("&Abrir"));
                QCOMPARE(a->Babrir->toolTip(), QStringLiteral("Abre o arquivo do diário"));
                QVERIFY(a->Babrir->isDefault());
                QCOMPARE(a->BitBtn1->text(), QStringLiteral("Cancelar"));
            }));
        } else {
            QVERIFY(noExcluir([&](TFormExcluir *e) {
                QCOMPARE(e->windowTitle(), QStringLiteral("Dorlinda [ Excluir ]"));
                verificar(e, e->MainMenu1, e->Ordenar1, e->DBGrid1, e->DBNavigator1);
                QCOMPARE(e->Bexcluir->text(), QStringLiteral("&Excluir"));
                QCOMPARE(e->Bexcluir->toolTip(), QStringLiteral("Exclui o arquivo do diário"));
                QVERIFY(e->Bexcluir->isDefault());
                QCOMPARE(e->BitBtn1->text(), QStringLiteral("OK"));
                QCOMPARE(e->BitBtn2->text(), QStringLiteral("Cancelar"));
            }));
        }
    }

    void openingAnEntry_data()
    {
        QTest::addColumn<QString>("como");
        QTest::newRow("button") << "button";
        QTest::newRow("double click") << "double click";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Shift+Enter on the keypad") << "keypad";
    }
    void openingAnEntry()
    {
        QFETCH(QString, como);
        guardada("Primeiro", "segredo", "2024-01-01", "primeiro texto");
        guardada("Segundo", "segredo", "2024-02-01", "segundo texto");
        digitar("novo");
        Caixas caixas(Messages::No);
        bool fechou = false;
        QVERIFY(noAbrir([&](TFormAbrir *a) {
            escolher(a->DBGrid1, "Segundo");
            if (como == "button")
                QTest::mouseClick(a->Babrir, Qt::LeftButton);
            else if (como == "double click")
                QTest::mouseDClick(a->DBGrid1->viewport(), Qt::LeftButton, {},
                                   a->DBGrid1->visualRect(a->DBGrid1->currentIndex()).center());
            else if (como == "Enter")
                QTest::keyClick(a->DBGrid1, Qt::Key_Return);
            else
                QTest::keyClick(a->DBGrid1, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
            fechou = !a->isVisible();
            // The list is closed with the dialog.
            QCOMPARE(a->ADOQueryConsulta->rowCount(), fechou ? 0 : 2);
        }));
        QVERIFY(fechou);
        QCOMPARE(caixas.textos(), QStringList({"Deseja salvar Título1?"}));
        QCOMPARE(editor(), QStringLiteral("segundo texto"));
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Segundo"));
        QVERIFY(ArquivoGravado);
        QVERIFY(!TextoAlterado);
        QCOMPARE(TituloAtual, std::optional<QString>("Segundo"));

        // A change makes it "changed"; the prompt then names it.
        digitar("!");
        QVERIFY(TextoAlterado);
        FormPrincipal->Novo1->trigger();
        QCOMPARE(caixas.textos().last(), QStringLiteral("Deseja salvar as alterações em Segundo?"));
    }

    void aMissingFileIsReportedOnceAndChangesNothing_data()
    {
        QTest::addColumn<QString>("como");
        QTest::newRow("button") << "button";
        QTest::newRow("double click") << "double click";
        QTest::newRow("Enter") << "Enter";
    }
    void aMissingFileIsReportedOnceAndChangesNothing()
    {
        QFETCH(QString, como);
        guardada("Sem arquivo", "segredo", "2024-01-01");
        guardada("Pasta", "segredo", "2024-01-02");
        QVERIFY(QDir().mkdir("Pasta"));
        digitar("o que eu escrevia");
        Caixas caixas(Messages::No);
        for (const QString &titulo : {"Sem arquivo", "Pasta"}) {
            caixas.vistas.clear();
            QVERIFY(noAbrir([&](TFormAbrir *a) {
                escolher(a->DBGrid1, titulo);
                if (como == "button")
                    QTest::mouseClick(a->Babrir, Qt::LeftButton);
                else if (como == "double click")
                    QTest::mouseDClick(a->DBGrid1->viewport(), Qt::LeftButton, {},
                                       a->DBGrid1->visualRect(a->DBGrid1->currentIndex()).center());
                else
                    QTest::keyClick(a->DBGrid1, Qt::Key_Return);
                QVERIFY(!a->isVisible());
            }));
            QCOMPARE(caixas.textos(),
                     QStringList({"Deseja salvar Título1?", "Não existe arquivo associado a este título!"}));
            QCOMPARE(editor(), QStringLiteral("o que eu escrevia"));
            QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
            QVERIFY(!ArquivoGravado);
            QVERIFY(!TituloAtual);
        }
        // The entry stays listed.
        QCOMPARE(linhas().size(), 2);
    }

    // A damaged entry file opens with all the text that can be read from it, says so, and is not
    // written again until the user saves.
    void aDamagedFileOpensWithWhatCanBeRead_data()
    {
        QTest::addColumn<QByteArray>("dados");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("danificado");
        const QByteArray inteiro = rtf("primeira linha\nsegunda linha");
        QTest::newRow("whole") << inteiro << "primeira linha\nsegunda linha" << false;
        QTest::newRow("cut short") << inteiro.left(inteiro.indexOf("segunda") + 3) << "primeira linha\nseg" << true;
        QTest::newRow("cut inside its header") << inteiro.left(inteiro.indexOf("fonttbl") + 4) << "" << true;
        QTest::newRow("not RTF") << QByteArray("texto simples") << "texto simples" << true;
        QTest::newRow("empty") << QByteArray() << "" << true;
    }
    void aDamagedFileOpensWithWhatCanBeRead()
    {
        QFETCH(QByteArray, dados);
        QFETCH(QString, texto);
        QFETCH(bool, danificado);
        guardada("Velha", "segredo", "2024-01-01");
        gravarArquivo("Velha", dados);
        Caixas caixas(Messages::No);
        QVERIFY(noAbrir([](TFormAbrir *a) { QTest::mouseClick(a->Babrir, Qt::LeftButton); }));
        QCOMPARE(editor(), texto);
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Velha"));
        const QStringList vistas = caixas.textos();
        QCOMPARE(vistas.size(), danificado ? 2 : 1);
        if (danificado)
            QVERIFY2(vistas[1].startsWith("O arquivo de Velha está danificado e não pôde ser lido por inteiro."),
                     qPrintable(vistas[1]));

        // Unchanged, it is neither saved nor offered for saving.
        FormPrincipal->Salvar1->trigger();
        FormPrincipal->Novo1->trigger();
        QCOMPARE(caixas.textos(), vistas);
        QCOMPARE(lerArquivo("Velha"), dados);
    }

    void anEmptyListOpensNoDialog_data()
    {
        QTest::addColumn<bool>("exclusao");
        QTest::newRow("open") << false;
        QTest::newRow("delete") << true;
    }
    void anEmptyListOpensNoDialog()
    {
        QFETCH(bool, exclusao);
        // Another user's entries do not count.
        guardada("Da Bia", "outra", "2024-01-01", "b");
        Caixas caixas(Messages::Yes);
        NoModal modal([](QWidget *m) { m->close(); });
        (exclusao ? FormPrincipal->Excluir1 : FormPrincipal->Abrir1)->trigger();
        // No save prompt either.
        QCOMPARE(caixas.textos(), QStringList({exclusao ? "Não existe nenhum arquivo a ser excluído!"
                                                        : "Não existe nenhum arquivo a ser aberto!"}));
        QVERIFY(!modal.visto);
        QCOMPARE(linhas().size(), 1);
    }

    void theNavigatorOfTheOpenDialogDoesNothing()
    {
        guardada("A", "segredo", "2024-01-01", "a");
        guardada("B", "segredo", "2024-01-02", "b");
        Caixas caixas(Messages::No);
        QVERIFY(noAbrir([](TFormAbrir *a) {
            QTest::mouseClick(a->DBNavigator1->Last, Qt::LeftButton);
            QCOMPARE(atual(a->DBGrid1), QStringLiteral("A"));
        }));
    }

    // ---- Delete ------------------------------------------------------------------------------------

    void deletingAsksAndOnlyYesDeletes_data()
    {
        QTest::addColumn<int>("resposta");
        QTest::addColumn<bool>("exclui");
        QTest::newRow("Yes") << int(Messages::Yes) << true;
        QTest::newRow("No") << int(Messages::No) << false;
        QTest::newRow("Cancel") << int(Messages::Cancel) << false;
    }
    void deletingAsksAndOnlyYesDeletes()
    {
        QFETCH(int, resposta);
        QFETCH(bool, exclui);
        guardada("Um", "segredo", "2024-01-01", "1");
        guardada("Dois", "segredo", "2024-01-02", "2");
        guardada("Três", "segredo", "2024-01-03", "3");
        Caixas caixas{Messages::Button(resposta)};
        QStringList depois;
        QString atualDepois;
        bool aberto = false;
        QVERIFY(noExcluir([&](TFormExcluir *e) {
            escolher(e->DBGrid1, "Dois");
            QTest::mouseClick(e->Bexcluir, Qt::LeftButton);
            aberto = e->isVisible();
            depois = titulosDaGrade(e->DBGrid1);
            atualDepois = atual(e->DBGrid1);
        }));
        QCOMPARE(caixas.textos(), QStringList({"Excluir Dois?"}));
        QCOMPARE(caixas.vistas[0].buttons, Messages::Yes | Messages::No | Messages::Cancel);
        QVERIFY(aberto);
        if (exclui) {
            QCOMPARE(depois, QStringList({"Um", "Três"}));
            QCOMPARE(atualDepois, QStringLiteral("Três"));
            QCOMPARE(titulosGuardados(), QStringList({"Um|segredo", "Três|segredo"}));
            QCOMPARE(arquivos(), QStringList({"Três", "Um"}));
        } else {
            QCOMPARE(depois, QStringList({"Um", "Dois", "Três"}));
            QCOMPARE(atualDepois, QStringLiteral("Dois"));
            QCOMPARE(linhas().size(), 3);
            QCOMPARE(arquivos(), QStringList({"Dois", "Três", "Um"}));
        }
    }

    void deletingOneAfterAnotherToTheLast()
    {
        guardada("Um", "segredo", "2024-01-01", "1");
        guardada("Dois", "segredo", "2024-01-02");
        guardada("Três", "segredo", "2024-01-03", "3");
        guardada("Da Bia", "outra", "2024-01-03", "b");
        Caixas caixas(Messages::Yes);
        QStringList atuais;
        bool grade = true, botao = true, ordenar = true, ok = false;
        QVERIFY(noExcluir([&](TFormExcluir *e) {
            QTest::mouseClick(e->DBNavigator1->Last, Qt::LeftButton);
            for (int i = 0; i < 3; ++i) {
                atuais << atual(e->DBGrid1);
                // Enter in the grid presses the default button.
                QTest::keyClick(e->DBGrid1, Qt::Key_Return);
            }
            grade = e->DBGrid1->isEnabled();
            botao = e->Bexcluir->isEnabled();
            ordenar = e->Ordenar1->menuAction()->isEnabled();
            QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
            ok = !e->isVisible();
        }));
        // The deleted last row hands over to the row before it; a missing file is no error.
        QCOMPARE(atuais, QStringList({"Três", "Dois", "Um"}));
        QCOMPARE(caixas.textos(), QStringList({"Excluir Três?", "Excluir Dois?", "Excluir Um?"}));
        QVERIFY(!grade);
        QVERIFY(!botao);
        QVERIFY(!ordenar);
        QVERIFY(ok);
        QCOMPARE(titulosGuardados(), QStringList({"Da Bia|outra"}));
        QCOMPARE(arquivos(), QStringList({"Da Bia"}));

        // The next time the dialog opens, all is enabled again.
        digitar("novo");
        salvar("Quatro");
        QVERIFY(noExcluir([&](TFormExcluir *e) {
            grade = e->DBGrid1->isEnabled();
            botao = e->Bexcluir->isEnabled();
            ordenar = e->Ordenar1->menuAction()->isEnabled();
            QCOMPARE(atual(e->DBGrid1), QStringLiteral("Quatro"));
        }));
        QVERIFY(grade && botao && ordenar);
    }

    void theNavigatorMovesThroughTheDeleteList()
    {
        for (const char *t : {"A", "B", "C", "D"})
            guardada(t, "segredo", "2024-01-01", t);
        Caixas caixas(Messages::Yes);
        QStringList passos;
        QVERIFY(noExcluir([&](TFormExcluir *e) {
            TDBNavigator *n = e->DBNavigator1;
            for (QToolButton *b : {n->Next, n->Next, n->Last, n->Next, n->Prior, n->First, n->Prior}) {
                QTest::mouseClick(b, Qt::LeftButton);
                passos << atual(e->DBGrid1);
            }
            // After a new order, the first row is current.
            e->PorTitulo1->trigger();
            QTest::mouseClick(n->Last, Qt::LeftButton);
            e->PorData1->trigger();
            passos << atual(e->DBGrid1);
        }));
        QCOMPARE(passos, QStringList({"B", "C", "D", "D", "C", "A", "A", "A"}));
    }

    void deletingTheOpenEntryStartsANewOneWithoutAsking()
    {
        guardada("Aberta", "segredo", "2024-01-01", "texto guardado");
        guardada("Outra", "segredo", "2024-01-02", "outro");
        Caixas caixas(Messages::No);
        QVERIFY(noAbrir([](TFormAbrir *a) {
            escolher(a->DBGrid1, "Aberta");
            QTest::mouseClick(a->Babrir, Qt::LeftButton);
        }));
        QCOMPARE(editor(), QStringLiteral("texto guardado"));
        digitar("mudança por salvar ");
        QVERIFY(TextoAlterado);
        caixas.vistas.clear();
        caixas.padrao = Messages::Yes;
        QVERIFY(noExcluir([](TFormExcluir *e) {
            escolher(e->DBGrid1, "Aberta");
            QTest::mouseClick(e->Bexcluir, Qt::LeftButton);
        }));
        QCOMPARE(caixas.textos(), QStringList({"Excluir Aberta?"}));
        QVERIFY(editor().isEmpty());
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título2"));
        QVERIFY(!ArquivoGravado);
        QVERIFY(!TextoAlterado);
        QVERIFY(!TituloAtual);
        QCOMPARE(titulosGuardados(), QStringList({"Outra|segredo"}));
        QCOMPARE(arquivos(), QStringList({"Outra"}));
    }

    void deletingAnotherEntryLeavesTheEditorAlone()
    {
        guardada("Aberta", "segredo", "2024-01-01", "texto guardado");
        guardada("Outra", "segredo", "2024-01-02", "outro");
        Caixas caixas(Messages::No);
        QVERIFY(noAbrir([](TFormAbrir *a) {
            escolher(a->DBGrid1, "Aberta");
            QTest::mouseClick(a->Babrir, Qt::LeftButton);
        }));
        caixas.padrao = Messages::Yes;
        QVERIFY(noExcluir([](TFormExcluir *e) {
            escolher(e->DBGrid1, "Outra");
            QTest::mouseClick(e->Bexcluir, Qt::LeftButton);
        }));
        QCOMPARE(editor(), QStringLiteral("texto guardado"));
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Aberta"));
        QVERIFY(ArquivoGravado);
    }

    // ---- Failures ------------------------------------------------------------------------------------

    void aFailedSaveStoresNothing_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::newRow("row refused") << "insert";
        QTest::newRow("refused when committed") << "commit";
    }
    void aFailedSaveStoresNothing()
    {
        QFETCH(QString, falha);
        if (falha == "insert") {
            executar("CREATE TRIGGER recusa BEFORE INSERT ON Diario BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
        } else {
            // A check that only the commit makes: a deferred foreign key with nothing to point to.
            executar("CREATE TABLE Dono (Senha TEXT PRIMARY KEY)");
            executar("CREATE TABLE Marca (Senha TEXT REFERENCES Dono(Senha) DEFERRABLE INITIALLY DEFERRED)");
            executar("CREATE TRIGGER marca AFTER INSERT ON Diario BEGIN INSERT INTO Marca VALUES (NEW.Senha); END");
            executar("PRAGMA foreign_keys = ON");
        }
        digitar("não se perde");
        Caixas caixas;
        const NoSalvar s = salvar("Importante");
        QCOMPARE(caixas.vistas.size(), 1);
        const QString m = caixas.vistas[0].text;
        QVERIFY2(m.startsWith("Não foi possível salvar Importante."), qPrintable(m));
        QVERIFY2(m.contains("Nada foi gravado"), qPrintable(m));
        if (falha == "insert")
            QVERIFY2(m.contains("disco cheio"), qPrintable(m));
        QVERIFY(s.ficouAberto);
        QVERIFY(linhas().isEmpty());
        QVERIFY(arquivos().isEmpty());
        QVERIFY(!ArquivoGravado);
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
        QCOMPARE(editor(), QStringLiteral("não se perde"));
    }

    void aFailedSaveOfAStoredEntryKeepsTheOldOne_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::newRow("file cannot be written") << "file";
        QTest::newRow("row refused") << "update";
        QTest::newRow("refused when committed") << "commit";
    }
    void aFailedSaveOfAStoredEntryKeepsTheOldOne()
    {
        QFETCH(QString, falha);
        digitar("versão um");
        salvar("Diário");
        executar("UPDATE Diario SET Data = '2001-01-01', Hora = '01:01'");
        const QByteArray antes = lerArquivo("Diário");
        if (falha == "file") {
            // Something took the file's place: the new text cannot go there.
            QVERIFY(QFile::remove("Diário"));
            QVERIFY(QDir().mkdir("Diário"));
        } else if (falha == "update") {
            executar("CREATE TRIGGER recusa BEFORE UPDATE ON Diario BEGIN SELECT RAISE(ABORT, 'só leitura'); END");
        } else {
            executar("CREATE TABLE Dono (Senha TEXT PRIMARY KEY)");
            executar("CREATE TABLE Marca (Senha TEXT REFERENCES Dono(Senha) DEFERRABLE INITIALLY DEFERRED)");
            executar("CREATE TRIGGER marca AFTER UPDATE ON Diario BEGIN INSERT INTO Marca VALUES (NEW.Senha); END");
            executar("PRAGMA foreign_keys = ON");
        }
        digitar(" e dois");
        Caixas caixas;
        FormPrincipal->Salvar1->trigger();
        QCOMPARE(caixas.vistas.size(), 1);
        QVERIFY(caixas.vistas[0].text.startsWith("Não foi possível salvar Diário."));
        QVERIFY(TextoAlterado);
        QVERIFY(ArquivoGravado);
        const QList<Linha> l = linhas();
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0].data, QStringLiteral("2001-01-01"));
        QCOMPARE(l[0].hora, QStringLiteral("01:01"));
        if (falha == "file")
            QVERIFY(QFileInfo("Diário").isDir());
        else
            QCOMPARE(lerArquivo("Diário"), antes);
        QCOMPARE(arquivos(), QStringList({"Diário"}));
        QCOMPARE(editor(), QStringLiteral("versão um e dois"));
    }

    // The save prompt of each operation that asks, and each answer. Cancel (as Esc and the box's
    // close button answer), and Yes with the save dialog cancelled or with a save that fails, stop the
    // operation and leave the editor as it was; No goes on without saving; Yes goes on once the entry
    // is stored.
    void theSavePromptDecides_data()
    {
        QTest::addColumn<QString>("operacao");
        QTest::addColumn<QString>("resposta");
        QTest::addColumn<bool>("gravada");
        for (const char *operacao : {"novo", "abrir", "senha", "fechar"})
            for (const char *resposta : {"Cancel", "Yes, dialog cancelled", "Yes, save fails", "No", "Yes"})
                QTest::addRow("%s, %s", operacao, resposta) << operacao << resposta << false;
        for (const char *resposta : {"Cancel", "Yes, save fails", "No", "Yes"})
            QTest::addRow("changes of a stored entry, fechar, %s", resposta) << "fechar" << resposta << true;
    }
    void theSavePromptDecides()
    {
        QFETCH(QString, operacao);
        QFETCH(QString, resposta);
        QFETCH(bool, gravada);
        guardada("Outra", "segredo", "2020-05-05", "outro texto");
        if (gravada) {
            digitar("minha");
            salvar("Minha");
        }
        if (resposta == "Yes, save fails") {
            executar("CREATE TRIGGER recusa BEFORE INSERT ON Diario BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
            executar("CREATE TRIGGER recusa2 BEFORE UPDATE ON Diario BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
        }
        digitar(" não se perde");
        const QString texto = editor();
        const QByteArray conteudo = escrito();
        const QString antes = legenda();
        const QList<Linha> linhasAntes = linhas();
        const QStringList arquivosAntes = arquivos();
        Caixas caixas(Messages::Ok);
        caixas.respostas = {resposta.startsWith("Yes") ? Messages::Yes
                                                       : resposta == "No" ? Messages::No : Messages::Cancel};
        // The save dialog stores "Guardada" (or is cancelled); the open dialog opens its first entry
        // by date; the options dialog is closed.
        QStringList listadas;
        QTimer dialogos;
        dialogos.setInterval(0);
        QObject::connect(&dialogos, &QTimer::timeout, [&] {
            auto *m = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!m)
                return;
            if (auto *s = qobject_cast<TFormSalvar *>(m); s && resposta != "Yes, dialog cancelled") {
                s->EditTitulo->setText("Guardada");
                QTest::mouseClick(s->BSalvar, Qt::LeftButton);
            } else if (auto *a = qobject_cast<TFormAbrir *>(m)) {
                listadas = titulosDaGrade(a->DBGrid1);
                QTest::mouseClick(a->Babrir, Qt::LeftButton);
            }
            if (m->isVisible())
                m->reject();
        });
        dialogos.start();
        if (operacao == "novo")
            FormPrincipal->Novo1->trigger();
        else if (operacao == "abrir")
            FormPrincipal->Abrir1->trigger();
        else if (operacao == "senha")
            QTest::mouseClick(FormPrincipal->ToolButton16, Qt::LeftButton);
        else
            FormPrincipal->close();
        dialogos.stop();

        const QStringList vistas = caixas.textos();
        QCOMPARE(vistas.value(0), gravada ? QStringLiteral("Deseja salvar as alterações em Minha?")
                                          : QStringLiteral("Deseja salvar Título1?"));
        const bool salva = resposta == "Yes";
        if (resposta == "Yes, save fails") {
            QCOMPARE(vistas.size(), 2);
            QVERIFY2(vistas[1].startsWith("Não foi possível salvar"), qPrintable(vistas[1]));
        } else {
            QCOMPARE(vistas.size(), 1);
        }
        if (salva) {
            QCOMPARE(linhas().size(), 2);
            QCOMPARE(lerArquivo(gravada ? "Minha" : "Guardada"), conteudo);
        } else {
            QCOMPARE(linhas().size(), linhasAntes.size());
            QCOMPARE(linhas().last().data, linhasAntes.last().data);
            QCOMPARE(arquivos(), arquivosAntes);
        }

        if (!salva && resposta != "No") {
            // Stopped: the program, the log-in and the editor as they were.
            QVERIFY(FormPrincipal->isVisible());
            QVERIFY(!TextoBloqueado);
            QVERIFY(FormPrincipal->Rdtexto->isVisible());
            QCOMPARE(editor(), texto);
            QCOMPARE(legenda(), antes);
            QVERIFY(gravada ? TextoAlterado : !ArquivoGravado);
            QVERIFY(listadas.isEmpty());
            return;
        }
        if (operacao == "novo") {
            QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título2"));
            QVERIFY(editor().isEmpty());
        } else if (operacao == "abrir") {
            // The list shows what the prompt stored.
            QCOMPARE(listadas, salva ? QStringList({"Outra", "Guardada"}) : QStringList({"Outra"}));
            QCOMPARE(legenda(), QStringLiteral("Dorlinda - Outra"));
            QCOMPARE(editor(), QStringLiteral("outro texto"));
        } else {
            // Logged out (and the options dialog closed without a log-in) or closed: the program ends.
            QVERIFY(!FormPrincipal->isVisible());
            QCOMPARE(TextoBloqueado, operacao == "senha");
        }
    }

    // A database failure is reported in the database's own words, also where the save looks for a
    // free file name and where a deletion looks for another entry of the same file.
    void aDatabaseFailureNamesItsCause_data()
    {
        QTest::addColumn<bool>("exclusao");
        QTest::newRow("saving") << false;
        QTest::newRow("deleting") << true;
    }
    void aDatabaseFailureNamesItsCause()
    {
        QFETCH(bool, exclusao);
        // Another user's entry, which every such search reads.
        guardada("Da Bia", "outra", "2024-01-01", "b");
        Caixas caixas(Messages::Yes);
        if (exclusao) {
            guardada("Quebra", "segredo", "2024-01-01", "guardado");
            falharAoComparar("Quebra");
            QVERIFY(noExcluir([](TFormExcluir *e) { QTest::mouseClick(e->Bexcluir, Qt::LeftButton); }));
            QCOMPARE(caixas.textos(), QStringList({"Excluir Quebra?", "Não foi possível excluir Quebra.\n\nfalha "
                                                                     "simulada\n\nNada foi excluído."}));
            QCOMPARE(titulosGuardados(), QStringList({"Da Bia|outra", "Quebra|segredo"}));
            QCOMPARE(lerArquivo("Quebra"), rtf("guardado"));
        } else {
            // A file of the title's name that is no entry's: the save looks further.
            gravarArquivo("Quebra", "de fora");
            falharAoComparar("Quebra (2)");
            digitar("texto");
            QVERIFY(salvar("Quebra").ficouAberto);
            QCOMPARE(caixas.textos(), QStringList({"Não foi possível salvar Quebra.\n\nfalha simulada\n\nNada foi "
                                                   "gravado; o texto continua no editor."}));
            QCOMPARE(titulosGuardados(), QStringList({"Da Bia|outra"}));
            QCOMPARE(arquivos(), QStringList({"Da Bia", "Quebra"}));
        }
    }

    // Files and folders the user may not read or write: a clear message, and nothing lost.
    void filesThatCannotBeReadOrWritten_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("an entry file that cannot be read, opened") << "abrir";
        QTest::newRow("a folder that cannot be written, saving") << "salvar";
        QTest::newRow("a folder that cannot be written, deleting") << "excluir";
    }
    void filesThatCannotBeReadOrWritten()
    {
        RUN_AS_OTHER_USER_WHEN_ROOT();
        QFETCH(QString, caso);
        guardada("Um", "segredo", "2024-01-01", "primeiro");
        digitar("o que eu escrevia");
        const auto permitir = [] {
            QFile::setPermissions(".", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QFile::setPermissions("Um", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        };
        const auto restaurar = qScopeGuard(permitir);
        if (caso == "abrir")
            QVERIFY(QFile::setPermissions("Um", QFileDevice::WriteOwner));
        else
            QVERIFY(QFile::setPermissions(".", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Caixas caixas(caso == "excluir" ? Messages::Yes : Messages::No);
        if (caso == "abrir")
            QVERIFY(noAbrir([](TFormAbrir *a) { QTest::mouseClick(a->Babrir, Qt::LeftButton); }));
        else if (caso == "salvar")
            QVERIFY(salvar("Dois").ficouAberto);
        else
            QVERIFY(noExcluir([](TFormExcluir *e) { QTest::mouseClick(e->Bexcluir, Qt::LeftButton); }));
        const QString falha = caso == "abrir"    ? QStringLiteral("Não foi possível abrir Um.\n\n")
                              : caso == "salvar" ? QStringLiteral("Não foi possível salvar Dois.\n\n")
                                                 : QStringLiteral("Não foi possível excluir Um.\n\n");
        const QStringList vistas = caixas.textos();
        QVERIFY2(vistas.size() == (caso == "salvar" ? 1 : 2) && vistas.last().startsWith(falha)
                     && vistas.last().size() > falha.size(),
                 qPrintable(vistas.join(" | ")));
        QCOMPARE(editor(), QStringLiteral("o que eu escrevia"));
        QCOMPARE(legenda(), QStringLiteral("Dorlinda - Título1"));
        QVERIFY(!ArquivoGravado);
        permitir();
        QCOMPARE(titulosGuardados(), QStringList({"Um|segredo"}));
        QCOMPARE(lerArquivo("Um"), rtf("primeiro"));
        QCOMPARE(arquivos(), QStringList({"Um"}));
    }

    void anEntryWhoseRowVanishedIsStoredAnew()
    {
        guardada("Outra", "segredo", "2020-05-05", "não mexer");
        digitar("minha");
        salvar("Minha");
        // Another running copy deletes it, row and file.
        executar("DELETE FROM Diario WHERE Titulo = 'Minha'");
        QVERIFY(QFile::remove("Minha"));
        digitar(" e mais");
        Caixas caixas;
        FormPrincipal->Salvar1->trigger();
        QVERIFY(caixas.vistas.isEmpty());
        QVERIFY(!TextoAlterado);
        const QList<Linha> l = linhas();
        QCOMPARE(l.size(), 2);
        QCOMPARE(l[0].titulo, QStringLiteral("Outra"));
        QCOMPARE(l[0].data, QStringLiteral("2020-05-05"));
        QCOMPARE(l[1].titulo, QStringLiteral("Minha"));
        QCOMPARE(l[1].senha, QStringLiteral("segredo"));
        QCOMPARE(lerArquivo("Outra"), rtf("não mexer"));
        QCOMPARE(lerArquivo("Minha"), escrito());
    }

    // Another running copy deletes the logged-in user: nothing more is stored under the password,
    // which whoever creates it next would own. Only a password equal in letter case counts as held.
    void savingForAUserDeletedMeanwhile_data()
    {
        QTest::addColumn<bool>("gravada");
        QTest::addColumn<QString>("restante");
        QTest::newRow("new entry") << false << "";
        QTest::newRow("stored entry") << true << "";
        QTest::newRow("password held in other case") << false << "SEGREDO";
    }
    void savingForAUserDeletedMeanwhile()
    {
        QFETCH(bool, gravada);
        QFETCH(QString, restante);
        if (gravada) {
            digitar("antes");
            salvar("Minha");
            executar("UPDATE Diario SET Data = '2001-01-01'");
        }
        const QList<Linha> antes = linhas();
        executar("DELETE FROM Senha WHERE Senha = 'segredo'");
        if (!restante.isEmpty())
            usuario(restante, "ana");
        digitar(" não se perde");
        Caixas caixas;
        const NoSalvar s = gravada ? NoSalvar() : salvar("Nova");
        if (gravada)
            FormPrincipal->Salvar1->trigger();
        if (!restante.isEmpty()) {
            QVERIFY(caixas.vistas.isEmpty());
            QCOMPARE(linhas().size(), 1);
            return;
        }
        QCOMPARE(caixas.vistas.size(), 1);
        const QString m = caixas.vistas[0].text;
        QVERIFY2(m.contains("O usuário desta senha foi excluído"), qPrintable(m));
        QVERIFY2(m.contains("Nada foi gravado; o texto continua no editor."), qPrintable(m));
        QCOMPARE(linhas().size(), antes.size());
        if (gravada)
            QCOMPARE(linhas()[0].data, QStringLiteral("2001-01-01"));
        QCOMPARE(arquivos(), gravada ? QStringList({"Minha"}) : QStringList());
        QCOMPARE(editor(), gravada ? QStringLiteral("antes não se perde") : QStringLiteral(" não se perde"));
        QVERIFY(gravada ? TextoAlterado : !ArquivoGravado);
        QVERIFY(gravada || s.ficouAberto);
    }

    // A list the database could not give is reported once, not also as an empty diary.
    void anUnreadableListShowsOnlyTheError_data()
    {
        QTest::addColumn<bool>("exclusao");
        QTest::newRow("open") << false;
        QTest::newRow("delete") << true;
    }
    void anUnreadableListShowsOnlyTheError()
    {
        QFETCH(bool, exclusao);
        guardada("A", "segredo", "2024-01-01", "a");
        executar("ALTER TABLE Diario RENAME TO Perdida");
        Caixas caixas(Messages::Yes);
        NoModal modal([](QWidget *m) { m->close(); });
        (exclusao ? FormPrincipal->Excluir1 : FormPrincipal->Abrir1)->trigger();
        const QStringList vistas = caixas.textos();
        QCOMPARE(vistas.size(), 1);
        QVERIFY2(vistas[0].startsWith("Não foi possível ler a lista do diário."), qPrintable(vistas[0]));
        QVERIFY(!modal.visto);
    }

    void aRowDeletedMeanwhileIsNoError()
    {
        guardada("Um", "segredo", "2024-01-01", "1");
        guardada("Dois", "segredo", "2024-01-02", "2");
        Caixas caixas(Messages::Yes);
        QStringList depois;
        QVERIFY(noExcluir([&](TFormExcluir *e) {
            escolher(e->DBGrid1, "Um");
            executar("DELETE FROM Diario WHERE Titulo = 'Um'");
            QTest::mouseClick(e->Bexcluir, Qt::LeftButton);
            depois = titulosDaGrade(e->DBGrid1);
            QCOMPARE(atual(e->DBGrid1), QStringLiteral("Dois"));
        }));
        QCOMPARE(caixas.textos(), QStringList({"Excluir Um?"}));
        QCOMPARE(depois, QStringList({"Dois"}));
        QCOMPARE(titulosGuardados(), QStringList({"Dois|segredo"}));
    }

    void aRefusedDeletionKeepsRowAndFile()
    {
        guardada("Um", "segredo", "2024-01-01", "1");
        executar("CREATE TRIGGER recusa BEFORE DELETE ON Diario BEGIN SELECT RAISE(ABORT, 'bloqueado'); END");
        Caixas caixas(Messages::Yes);
        bool habilitada = false;
        QVERIFY(noExcluir([&](TFormExcluir *e) {
            QTest::mouseClick(e->Bexcluir, Qt::LeftButton);
            habilitada = e->DBGrid1->isEnabled() && atual(e->DBGrid1) == "Um";
        }));
        QCOMPARE(caixas.vistas.size(), 2);
        QVERIFY(caixas.vistas[1].text.startsWith("Não foi possível excluir Um."));
        QVERIFY(caixas.vistas[1].text.contains("bloqueado"));
        QVERIFY(habilitada);
        QCOMPARE(titulosGuardados(), QStringList({"Um|segredo"}));
        QCOMPARE(lerArquivo("Um"), rtf("1"));
    }

    // ---- Databases made elsewhere -----------------------------------------------------------------------

    void aDatabaseWithoutTheFileColumnKeepsWorking()
    {
        Programa::DestruirJanelas();
        QFile::remove("diario.mdb");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "antiga");
            db.setDatabaseName("diario.mdb");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("CREATE TABLE Diario (Codigo INTEGER PRIMARY KEY AUTOINCREMENT, Titulo TEXT(50), "
                           "Senha TEXT(8), Data TEXT, Hora TEXT(8))"));
            QVERIFY(q.exec("CREATE TABLE Senha (Senha TEXT(8), Login TEXT(8))"));
            QVERIFY(q.exec("INSERT INTO Senha VALUES ('segredo', 'ana'), ('outra', 'bia')"));
            // Two users with one title share one file, as before.
            QVERIFY(q.exec("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES ('Antiga', 'segredo', "
                           "'2019-03-04', '08:00'), ('Antiga', 'outra', '2019-03-05', '09:00')"));
            db.close();
        }
        QSqlDatabase::removeDatabase("antiga");
        gravarArquivo("Antiga", rtf("texto antigo"));
        QVERIFY(abrirLogado("segredo", "ana"));
        QVERIFY(DiaryDatabase::connection().record("Diario").contains("Arquivo"));

        Caixas caixas(Messages::No);
        QVERIFY(noAbrir([](TFormAbrir *a) {
            QCOMPARE(titulosDaGrade(a->DBGrid1), QStringList({"Antiga"}));
            QCOMPARE(a->DBGrid1->model()->index(0, 1).data().toString(), QStringLiteral("04/03/2019"));
            QTest::mouseClick(a->Babrir, Qt::LeftButton);
        }));
        QCOMPARE(editor(), QStringLiteral("texto antigo"));

        // Saving it again gives Ana a file of her own; Bia's stays where it was.
        digitar("de Ana: ");
        FormPrincipal->Salvar1->trigger();
        QCOMPARE(linhas()[0].arquivo, QStringLiteral("Antiga (2)"));
        QCOMPARE(lerArquivo("Antiga (2)"), escrito());
        QCOMPARE(lerArquivo("Antiga"), rtf("texto antigo"));
        QVERIFY(linhas()[1].arquivo.isEmpty());

        // A shared file is kept while another row still names it.
        executar("UPDATE Diario SET Arquivo = NULL WHERE Codigo = ?", {linhas()[0].codigo});
        QVERIFY(QFile::remove("Antiga (2)"));
        caixas.padrao = Messages::Yes;
        QVERIFY(noExcluir([](TFormExcluir *e) { QTest::mouseClick(e->Bexcluir, Qt::LeftButton); }));
        QCOMPARE(titulosGuardados(), QStringList({"Antiga|outra"}));
        QCOMPARE(arquivos(), QStringList({"Antiga"}));
        QCOMPARE(lerArquivo("Antiga"), rtf("texto antigo"));
    }

    void aTitleThatIsNoSafeFileNameNamesNoFile()
    {
        // Rows written by some other program: their titles never reach the file system.
        QVERIFY(QDir().mkdir("sub"));
        gravarArquivo("sub/dentro", "fora do diário");
        QVERIFY(QDir::setCurrent("sub"));
        Programa::DestruirJanelas();
        QFile::remove("diario.mdb");
        QVERIFY(abrirLogado("segredo", "ana"));
        guardada("../sub/dentro", "segredo", "2024-01-01");
        guardada("diario.mdb", "segredo", "2024-01-02");
        Caixas caixas(Messages::No);
        for (int i = 0; i < 2; ++i) {
            caixas.vistas.clear();
            QVERIFY(noAbrir([&](TFormAbrir *a) {
                PosicionarGrade(a->DBGrid1, i);
                QTest::mouseClick(a->Babrir, Qt::LeftButton);
            }));
            QCOMPARE(caixas.textos().last(), QStringLiteral("Não existe arquivo associado a este título!"));
        }
        caixas.padrao = Messages::Yes;
        QVERIFY(noExcluir([](TFormExcluir *e) {
            QTest::mouseClick(e->Bexcluir, Qt::LeftButton);
            QTest::mouseClick(e->Bexcluir, Qt::LeftButton);
        }));
        QVERIFY(linhas().isEmpty());
        QVERIFY(QFileInfo("diario.mdb").size() > 0);
        QCOMPARE(lerArquivo("dentro"), QByteArray("fora do diário"));
    }

private:
    QString m_pasta;
};

QTEST_MAIN(TestEntradas)
#include "test_entradas.moc"
