// A diary of 10,000 entries (and 2,000 of another user): the open dialog listed by date and by
// title and shown, the save of a new entry (title check, row and file), and the open of a 100 KB
// entry into the editor. Runs in a temporary folder; the database and files lie on its disk.
// Beside them, bare baselines measured in the same run: the user's rows read by a plain query in date
// order, and the 100 KB entry's text shown by a plain editor of the same size (setPlainText).
// Usage: bench_diary_entries [runs=15] [folder]   (prints medians in milliseconds)
#include "BenchDiary.h"
#include "BenchSupport.h"
#include "Consulta.h"
#include "DiaryDatabase.h"
#include "ListaEntradas.h"
#include "Messages.h"
#include "Principal.h"
#include "Programa.h"
#include "RichText.h"
#include "Salvar.h"
#include "Senha.h"
#include "global.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace Bench;

namespace {

const QString Senha = QStringLiteral("bench");

QString palavra(QRandomGenerator &r)
{
    static const QStringList palavras = {"Ação", "árvore", "Diário", "viagem", "Éden", "praia", "Ônibus", "casa",
                                         "Zélia", "manhã", "ÍNDIO", "festa", "Óculos", "noite", "úmido", "Bia"};
    return palavras[r.bounded(int(palavras.size()))];
}

QByteArray rtfDe(const QString &texto)
{
    QTextDocument doc;
    doc.setPlainText(texto);
    return RichText::write(doc);
}

// 10,000 entries of the user over ten years, 2,000 of another one, each with a small file; one
// entry "Grande" of 100 KB.
void preencher(int quantas)
{
    QSqlDatabase db = DiaryDatabase::connection();
    db.transaction();
    QSqlQuery q(db);
    q.prepare("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES (?, ?, ?, ?)");
    QRandomGenerator r(42);
    const QByteArray pequeno = rtfDe(QStringLiteral("Querido diário, hoje foi um dia comum.\nAté amanhã."));
    for (int i = 0; i < quantas + quantas / 5; ++i) {
        const QString titulo = QStringLiteral("%1 %2 %3").arg(palavra(r), palavra(r)).arg(i);
        q.addBindValue(titulo);
        q.addBindValue(i < quantas ? Senha : QStringLiteral("outra"));
        q.addBindValue(DiaryDatabase::storedDate(QDate(2015, 1, 1).addDays(r.bounded(3650))));
        q.addBindValue(QStringLiteral("%1:%2").arg(r.bounded(24), 2, 10, QChar('0')).arg(r.bounded(60), 2, 10, QChar('0')));
        q.exec();
        QFile f(titulo);
        if (f.open(QIODevice::WriteOnly))
            f.write(pequeno);
    }
    q.addBindValue(QStringLiteral("Grande"));
    q.addBindValue(Senha);
    q.addBindValue(QStringLiteral("2020-02-02"));
    q.addBindValue(QStringLiteral("12:00"));
    q.exec();
    db.commit();

    QString texto;
    while (rtfDe(texto).size() < 100 * 1024) {
        for (int i = 0; i < 200; ++i)
            texto += palavra(r) + (i % 15 == 14 ? "\n" : " ");
    }
    QFile f("Grande");
    if (f.open(QIODevice::WriteOnly))
        f.write(rtfDe(texto));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTextStream out(stdout);

    QTemporaryDir dir(argc > 2 ? QString(argv[2]) + "/diary-bench-XXXXXX" : QDir::tempPath() + "/diary-bench-XXXXXX");
    QDir::setCurrent(dir.path());
    // Every question is answered No; the last box is kept to tell why a step failed.
    QString ultimaCaixa;
    Messages::setAnswerer([&](const Messages::Message &m) {
        ultimaCaixa = m.text;
        return Messages::No;
    });

    if (!Programa::CriarJanelas())
        return 1;
    QElapsedTimer relogio;
    relogio.start();
    const int quantas = 10000;
    preencher(quantas);
    out << "diary of " << quantas << " entries made in " << relogio.elapsed() << " ms (" << dir.path() << ")\n";

    logIn(Senha);

    // The bare baselines' material: a plain editor like the diary's, and the entry's text.
    QTextEdit simples;
    simples.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    simples.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    simples.setGeometry(FormPrincipal->Rdtexto->geometry());
    simples.show();
    QString textoGrande;
    {
        QFile f("Grande");
        QTextDocument d;
        if (f.open(QIODevice::ReadOnly))
            RichText::read(d, f.readAll());
        textoGrande = d.toPlainText();
    }

    QList<double> porData, porTitulo, salvar, abrir, listaSimples, abrirSimples;
    for (int i = 0; i < runs; ++i) {
        // "&Abrir": the list by date, the save prompt, the dialog up with its list; then by title.
        double mostrado = 0, ordenado = 0;
        relogio.restart();
        noModal([&](QWidget *m) {
            app.processEvents();
            mostrado = relogio.nsecsElapsed() / 1e6;
            QElapsedTimer t;
            t.start();
            FormAbrir->PorTitulo1->trigger();
            app.processEvents();
            ordenado = t.nsecsElapsed() / 1e6;
            static_cast<QDialog *>(m)->reject();
        });
        FormPrincipal->Abrir1Click();
        porData << mostrado;
        porTitulo << ordenado;

        // The save of a new entry of a few paragraphs, as "Salvar" in the dialog does it.
        FormPrincipal->NovoArquivo();
        FormPrincipal->Rdtexto->insertPlainText(QString("Hoje escrevi mais uma página do diário.\n").repeated(40));
        FormSalvar->EditTitulo->setText(QStringLiteral("Nova entrada %1").arg(i));
        relogio.restart();
        FormSalvar->BSalvarClick();
        const double salvo = relogio.nsecsElapsed() / 1e6;
        if (!ArquivoGravado) {
            // A refused save is no figure of a save.
            out << "save failed: " << ultimaCaixa << "\n";
            Programa::DestruirJanelas();
            return 1;
        }
        salvar << salvo;

        // The open of the 100 KB entry, shown in the editor.
        FormAbrir->PorTitulo1Click();
        int linha = 0;
        while (linha < FormAbrir->ADOQueryConsulta->rowCount()
               && FormAbrir->ADOQueryConsulta->Entrada(linha).titulo != QLatin1String("Grande"))
            ++linha;
        PosicionarGrade(FormAbrir->DBGrid1, linha);
        relogio.restart();
        FormAbrir->BabrirClick();
        app.processEvents();
        FormPrincipal->Rdtexto->viewport()->repaint();
        const double aberto = relogio.nsecsElapsed() / 1e6;
        if (TituloAtual != QStringLiteral("Grande")) {
            out << "open failed: " << ultimaCaixa << "\n";
            Programa::DestruirJanelas();
            return 1;
        }
        abrir << aberto;
        FormAbrir->FormClose();
        FormPrincipal->NovoArquivo();
        app.processEvents();

        // The bare baselines.
        relogio.restart();
        {
            QSqlQuery q(DiaryDatabase::connection());
            q.setForwardOnly(true);
            q.prepare("SELECT Codigo, Titulo, Senha, Data, Hora, Arquivo FROM Diario WHERE Senha = ? ORDER BY Data");
            q.addBindValue(Senha);
            q.exec();
            QStringList linhas;
            while (q.next())
                linhas << q.value(1).toString() + q.value(2).toString() + q.value(3).toString() + q.value(4).toString();
        }
        listaSimples << relogio.nsecsElapsed() / 1e6;
        simples.clear();
        app.processEvents();
        relogio.restart();
        simples.setPlainText(textoGrande);
        app.processEvents();
        simples.viewport()->repaint();
        abrirSimples << relogio.nsecsElapsed() / 1e6;
    }

    out << "open dialog, listed by date and shown: " << median(porData) << " ms\n";
    out << "open dialog, listed again by title:    " << median(porTitulo) << " ms\n";
    out << "save of a new entry:                   " << median(salvar) << " ms\n";
    out << "open of a 100 KB entry:                " << median(abrir) << " ms\n";
    out << "bare: the rows read by date:           " << median(listaSimples) << " ms\n";
    out << "bare: the 100 KB text set and painted: " << median(abrirSimples) << " ms\n";
    out << "(medians of " << runs << " runs)\n";
    out.flush();
    Programa::DestruirJanelas();
    return 0;
}
