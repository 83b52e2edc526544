#pragma once
// Shared by the tests of the diary's entries: rows and files as an earlier run left them, what
// landed in the database and in the folder, the save, open and delete dialogs driven from inside
// their loops, and a database made to fail.
#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantList>
#include <functional>

class QTableView;
class TFormAbrir;
class TFormExcluir;

namespace DiarioTeste {

struct Linha {
    qint64 codigo = -1;
    QString titulo, senha, data, hora, arquivo;
};

// A fresh case in the folder the test started in (whatever folder the last case left): the folder
// emptied, the windows made and "ana" logged in with "segredo", and a second user "bia" with
// "outra" in the database.
bool novoCaso();

QSqlQuery executar(const QString &sql, const QVariantList &valores = {});
void usuario(const QString &senha, const QString &login);
void gravarArquivo(const QString &nome, const QByteArray &dados);
QByteArray lerArquivo(const QString &nome);
// An entry file as the diary writes it, holding the text.
QByteArray rtf(const QString &texto);
// What opening the file shows in the editor.
QString lido(const QString &nome);
// What saving the editor's entry writes.
QByteArray escrito();
// A stored entry as an earlier run left it: its row and, when `texto` is given, its file.
qint64 guardada(const QString &titulo, const QString &senha, const QString &data, const QString &texto = {},
                const QString &hora = "10:00");
QList<Linha> linhas();
QStringList titulosGuardados();
// The entry files in the current folder (the database and its journals left out).
QStringList arquivos();
// Today as the rows keep it.
QString hoje();

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

QString legenda();
QString editor();
// Typed into the editor at its cursor (the key simulation knows only ASCII).
void digitar(const QString &texto);

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
NoSalvar salvar(const QString &titulo, bool cancelar = false);

QStringList titulosDaGrade(const QTableView *grade);
QString atual(const QTableView *grade);
void escolher(QTableView *grade, const QString &titulo);

// "&Abrir" or "&Excluir" and, in its dialog, f; false when the dialog did not come up.
bool noAbrir(const std::function<void(TFormAbrir *)> &f);
bool noExcluir(const std::function<void(TFormExcluir *)> &f);

// From now on the database fails, saying "falha simulada", wherever it folds the letter case of
// `nome` (its function ufold is replaced on the diary's connection).
void falharAoComparar(const QString &nome);

} // namespace DiarioTeste
