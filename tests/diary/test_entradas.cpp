// Saving diary entries through the windows: new and stored entries, the save dialog's refusals, and
// several users with equal titles; what lands in the database and in the entry files.
#include "DiarioTeste.h"
#include "EntradasTeste.h"

#include "Consulta.h"
#include "Excluir.h"
#include "Principal.h"
#include "Programa.h"
#include "RichText.h"
#include "Salvar.h"
#include "global.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

using namespace DiarioTeste;

class TestEntradas : public QObject {
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

    // A file of that name that belongs to no entry is left alone, unless a first save of the diary's,
    // cut short between its file and its row, left it with the record of it: the next save of the
    // title takes it. The diary's own files of a database replaced since have no such record.
    void aFileOfThatNameThatBelongsToNoEntry_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<bool>("registrado");
        QTest::addColumn<bool>("tomado");
        const QByteArray perdido = rtf(QStringLiteral("o que se perdeu"));
        QTest::newRow("another program's") << QByteArray("de outra pessoa") << false << false;
        QTest::newRow("another program's RTF") << QByteArray("{\\rtf1\\ansi de outra pessoa\\par}") << false << false;
        QTest::newRow("left by a save cut short") << perdido << true << true;
        QTest::newRow("the diary's, of an earlier database") << perdido << false << false;
        QTest::newRow("another program's, where a save was cut short") << QByteArray("de outra pessoa") << true
                                                                        << false;
    }
    void aFileOfThatNameThatBelongsToNoEntry()
    {
        QFETCH(QByteArray, antes);
        QFETCH(bool, registrado);
        QFETCH(bool, tomado);
        gravarArquivo("Notas", antes);
        const QString registro = QStringLiteral(".4242-1.gravando");
        if (registrado)
            gravarArquivo(registro, "Notas\n");
        digitar("minhas");
        const QByteArray minhas = escrito();
        salvar("Notas");
        QCOMPARE(titulosGuardados(), QStringList({"Notas|segredo"}));
        QCOMPARE(linhas()[0].arquivo, tomado ? QString() : QStringLiteral("Notas (2)"));
        QStringList ficaram = tomado ? QStringList({"Notas"}) : QStringList({"Notas", "Notas (2)"});
        if (registrado && !tomado)
            ficaram.prepend(registro);
        QCOMPARE(arquivos(), ficaram);
        QCOMPARE(lerArquivo("Notas"), tomado ? minhas : antes);
        if (!tomado)
            QCOMPARE(lerArquivo("Notas (2)"), minhas);
    }
};

QTEST_MAIN(TestEntradas)
#include "test_entradas.moc"
