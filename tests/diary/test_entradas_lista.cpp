// The open and delete dialogs of the diary: listing by title and by date, opening an entry (or a
// missing or damaged file), deleting one after another, the navigator.
#include "DiarioTeste.h"
#include "EntradasTeste.h"

#include "Consulta.h"
#include "Excluir.h"
#include "ListaEntradas.h"
#include "Principal.h"
#include "Programa.h"
#include "global.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace DiarioTeste;

class TestEntradasLista : public QObject {
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
        for (const QString &titulo : QStringList{"Sem arquivo", "Pasta"}) {
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
};

QTEST_MAIN(TestEntradasLista)
#include "test_entradas_lista.moc"
