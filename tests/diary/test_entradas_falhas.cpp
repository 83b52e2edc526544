// Diary entries when things go wrong: failed saves and deletions, the save prompt's answers, the
// database's own words, files and folders that cannot be read or written, and databases made
// elsewhere.
#include "AsOtherUser.h"
#include "DiarioTeste.h"
#include "EntradasTeste.h"

#include "Consulta.h"
#include "DiaryDatabase.h"
#include "Excluir.h"
#include "ListaEntradas.h"
#include "Principal.h"
#include "Programa.h"
#include "Salvar.h"
#include "global.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

using namespace DiarioTeste;

class TestEntradasFalhas : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(novoCaso());
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
    }

    // ---- Failures ------------------------------------------------------------------------------------

    void aFailedSaveStoresNothing_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::newRow("row refused") << "insert";
        QTest::newRow("refused when committed") << "commit";
        QTest::newRow("refused when committed, the folder seen then") << "visto";
    }
    void aFailedSaveStoresNothing()
    {
        QFETCH(QString, falha);
        // What a kill at the commit would leave: the new file, and the record that it is the diary's.
        QStringList noCommit;
        QString registrado;
        if (falha == "visto") {
            recusarAoConfirmar([&] {
                noCommit = arquivos();
                registrado = QString::fromUtf8(lerArquivo(noCommit.first()));
            });
        } else if (falha == "insert") {
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
        if (falha == "visto") {
            QCOMPARE(noCommit.size(), 2);
            QVERIFY2(QRegularExpression("^\\.[0-9]+-[0-9]+\\.gravando$").match(noCommit[0]).hasMatch(),
                     qPrintable(noCommit[0]));
            QCOMPARE(noCommit[1], QStringLiteral("Importante"));
            QCOMPARE(registrado, QStringLiteral("Importante\n"));
        }
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
        QTest::newRow("refused when committed, the old text not put back") << "put back";
    }
    void aFailedSaveOfAStoredEntryKeepsTheOldOne()
    {
        QFETCH(QString, falha);
        if (falha == "put back")
            RUN_AS_OTHER_USER_WHEN_ROOT();
        const auto gravavel = qScopeGuard(
            [] { QFile::setPermissions(".", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner); });
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
        } else if (falha == "put back") {
            pastaSoLeituraAoConfirmar();
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
        if (falha == "put back")
            QVERIFY2(caixas.vistas[0].text.endsWith("\n\nNada foi gravado no banco de dados, mas o arquivo \"Diário\" da "
                                                    "pasta atual não pôde voltar ao que era; o texto continua no editor."),
                     qPrintable(caixas.vistas[0].text));
        QVERIFY(TextoAlterado);
        QVERIFY(ArquivoGravado);
        const QList<Linha> l = linhas();
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0].data, QStringLiteral("2001-01-01"));
        QCOMPARE(l[0].hora, QStringLiteral("01:01"));
        if (falha == "file")
            QVERIFY(QFileInfo("Diário").isDir());
        else if (falha == "put back")
            QCOMPARE(lerArquivo("Diário"), escrito());
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
        QTest::newRow("a folder that stops taking writes at the commit, deleting") << "excluir no fim";
        QTest::newRow("the entry's name taken at the commit, deleting") << "excluir, nome tomado";
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
        else if (caso == "excluir no fim")
            pastaSoLeituraAoConfirmar();
        else if (caso == "excluir, nome tomado")
            recusarAoConfirmar([] { gravarArquivo("Um", "de outro programa"); });
        else
            QVERIFY(QFile::setPermissions(".", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Caixas caixas(caso.startsWith("excluir") ? Messages::Yes : Messages::No);
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
        if (caso.startsWith("excluir") && caso != "excluir") {
            // The file that could not go back is named with the name it was left under; the next
            // start puts it back.
            const QStringList fora = QDir().entryList({".*.excluido"}, QDir::Files | QDir::Hidden);
            QCOMPARE(fora.size(), 1);
            QVERIFY2(vistas.last().endsWith("\n\nNada foi excluído, mas o arquivo \"Um\" não pôde voltar ao seu lugar "
                                            "na pasta atual: ficou guardado como \"" + fora[0] + "\"."),
                     qPrintable(vistas.last()));
            // The list that names it outlives the deletion, in a folder that takes writes too.
            if (caso == "excluir, nome tomado") {
                QCOMPARE(lerArquivo("Um"), QByteArray("de outro programa"));
                QVERIFY(QFile::remove("Um"));
            }
            QCOMPARE(DiaryDatabase::recoverSetAsideFiles().putBack, 1);
        }
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
};

QTEST_MAIN(TestEntradasFalhas)
#include "test_entradas_falhas.moc"
