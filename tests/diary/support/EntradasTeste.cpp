#include "EntradasTeste.h"

#include "Consulta.h"
#include "DiarioTeste.h"
#include "DiaryDatabase.h"
#include "Excluir.h"
#include "Principal.h"
#include "RichText.h"
#include "Salvar.h"
#include "SqliteText.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

#include <sqlite3.h>

namespace DiarioTeste {

bool novoCaso()
{
    static const QString pasta = QDir::currentPath();
    if (!QDir::setCurrent(pasta))
        return false;
    for (const QString &f : QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot))
        QFileInfo(f).isDir() ? QDir(f).removeRecursively() : QFile::remove(f);
    if (!abrirLogado("segredo", "ana"))
        return false;
    usuario("outra", "bia");
    return true;
}

QSqlQuery executar(const QString &sql, const QVariantList &valores)
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

QByteArray rtf(const QString &texto)
{
    QTextDocument doc;
    doc.setPlainText(texto);
    return RichText::write(doc);
}

QString lido(const QString &nome)
{
    QTextDocument doc;
    RichText::read(doc, lerArquivo(nome));
    return doc.toPlainText();
}

QByteArray escrito()
{
    return RichText::write(*FormPrincipal->Rdtexto->document());
}

qint64 guardada(const QString &titulo, const QString &senha, const QString &data, const QString &texto,
                const QString &hora)
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

QString legenda()
{
    return FormPrincipal->windowTitle();
}

QString editor()
{
    return FormPrincipal->Rdtexto->toPlainText();
}

void digitar(const QString &texto)
{
    FormPrincipal->Rdtexto->insertPlainText(texto);
}

NoSalvar salvar(const QString &titulo, bool cancelar)
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
    // In place of both of the diary's (for UTF-16 and for UTF-8 text).
    for (const int encoding : {SQLITE_UTF16, SQLITE_UTF8})
        QCOMPARE(sqlite3_create_function_v2(db, "ufold", 1, encoding | SQLITE_DETERMINISTIC, nullptr, ufold, nullptr,
                                            nullptr, nullptr),
                 SQLITE_OK);
}

void recusarAoConfirmar(const std::function<void()> &antes)
{
    static std::function<void()> feito;
    static bool recusou;
    feito = antes;
    recusou = false;
    const QVariant handle = DiaryDatabase::connection().driver()->handle();
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    sqlite3_commit_hook(
        db,
        [](void *) {
            if (recusou)
                return 0;
            recusou = true;
            feito();
            return 1;
        },
        nullptr);
}

int leiturasDeDiario(const std::function<void()> &f)
{
    static int lidas;
    lidas = 0;
    const QVariant handle = DiaryDatabase::connection().driver()->handle();
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    const auto contar = [](unsigned, void *, void *stmt, void *) {
        const char *sql = sqlite3_sql(static_cast<sqlite3_stmt *>(stmt));
        if (sql && QByteArray(sql).contains("FROM Diario"))
            ++lidas;
        return 0;
    };
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, contar, nullptr);
    f();
    sqlite3_trace_v2(db, 0, nullptr, nullptr);
    return lidas;
}

void pastaSoLeituraAoConfirmar()
{
    executar("PRAGMA journal_mode = MEMORY");
    const QString pasta = QDir::currentPath();
    recusarAoConfirmar([pasta] { QFile::setPermissions(pasta, QFileDevice::ReadOwner | QFileDevice::ExeOwner); });
}

QString hoje()
{
    return DiaryDatabase::storedDate(QDate::currentDate());
}

} // namespace DiarioTeste
