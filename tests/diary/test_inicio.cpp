// Start-up: in an empty folder the database is created and the options dialog comes first; closing
// it without a log-in ends the run; an unusable database is reported and left as it was.
#include "DiarioTeste.h"
#include "Principal.h"
#include "Programa.h"
#include "global.h"

#include "AbrirSenha.h"
#include "AlterarSenha.h"
#include "Consulta.h"
#include "CriarSenha.h"
#include "Excluir.h"
#include "ExcluirSenha.h"
#include "Salvar.h"
#include "Senha.h"
#include "Sobre.h"
#include "VisualizarImpressao.h"

#include <QApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

using namespace DiarioTeste;

class TestInicio : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init()
    {
        reiniciarEstado();
        for (const QString &f : QDir::current().entryList(QDir::Files))
            QFile::remove(f);
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
    }

    void startsInAnEmptyFolderWithTheOptionsDialog()
    {
        Caixas caixas;
        QVERIFY(!QFile::exists("diario.mdb"));
        QVERIFY(Programa::CriarJanelas());
        QVERIFY(QFile::exists("diario.mdb"));

        QString primeira, legenda;
        bool editorVisivel = true, maximizada = false;
        quandoModal([&](QWidget *modal) {
            primeira = modal->objectName();
            legenda = FormPrincipal->windowTitle();
            editorVisivel = FormPrincipal->Rdtexto->isVisible();
            maximizada = FormPrincipal->isMaximized();
            modal->close();
        });
        FormPrincipal->showMaximized();
        QTRY_COMPARE(primeira, QStringLiteral("FormOpcaoSenha"));
        QCOMPARE(legenda, QStringLiteral("Dorlinda"));
        QVERIFY(!editorVisivel);
        QVERIFY(maximizada);
        QVERIFY(TextoBloqueado);
        QVERIFY(!SenhaAtual);

        // Without a log-in, closing the options dialog ends the program, asking nothing.
        QTRY_VERIFY(!FormPrincipal->isVisible());
        QVERIFY(caixas.vistas.isEmpty());

        Programa::DestruirJanelas();
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "verificar");
        db.setDatabaseName("diario.mdb");
        QVERIFY(db.open());
        QStringList tabelas = db.tables();
        tabelas.sort();
        QCOMPARE(tabelas, QStringList({"Diario", "Senha", "sqlite_sequence"}));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("verificar");
    }

    void createsTheElevenWindows_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("legenda");
        QTest::newRow("main") << "FormPrincipal" << "Dorlinda";
        QTest::newRow("open") << "FormAbrir" << "Dorlinda [ Abrir Diário ]";
        QTest::newRow("create") << "FormCriarSenha" << "Dorlinda [Criar senha]";
        QTest::newRow("options") << "FormOpcaoSenha" << "Dorlinda [ Opções ]";
        QTest::newRow("log in") << "FormAbrirSenha" << "Dorlinda [ Abrir Senha ]";
        QTest::newRow("change") << "FormAlterarSenha" << "Dorlinda [ Alterar Senha ]";
        QTest::newRow("delete user") << "FormExcluirSenha" << "Dorlinda [ Excluir Senha ]";
        QTest::newRow("report") << "FormVisualizar" << "Dorlinda [ Visualizar impressão ]";
        QTest::newRow("delete") << "FormExcluir" << "Dorlinda [ Excluir ]";
        QTest::newRow("save") << "FormSalvar" << "Dorlinda ( Salvar )";
        QTest::newRow("about") << "FormSobre" << "Sobre";
    }
    void createsTheElevenWindows()
    {
        QFETCH(QString, nome);
        QFETCH(QString, legenda);
        QVERIFY(Programa::CriarJanelas());
        const QList<QWidget *> janelas = {FormPrincipal,    FormAbrir,        FormCriarSenha, FormOpcaoSenha,
                                          FormAbrirSenha,   FormAlterarSenha, FormExcluirSenha, FormVisualizar,
                                          FormExcluir,      FormSalvar,       FormSobre};
        QWidget *janela = nullptr;
        for (QWidget *w : janelas)
            if (w && w->objectName() == nome)
                janela = w;
        QVERIFY(janela);
        QCOMPARE(janela->windowTitle(), legenda);
        QVERIFY(!janela->isVisible());
    }

    void theWindowsComeInTheirOrder()
    {
        QVERIFY(Programa::CriarJanelas());
        QStringList ordem;
        for (QObject *filho : FormPrincipal->children())
            if (filho->isWidgetType() && filho->objectName().startsWith("Form"))
                ordem << filho->objectName();
        QCOMPARE(ordem, QStringList({"FormAbrir", "FormCriarSenha", "FormOpcaoSenha", "FormAbrirSenha",
                                     "FormAlterarSenha", "FormExcluirSenha", "FormVisualizar", "FormExcluir",
                                     "FormSalvar", "FormSobre"}));
    }

    void anUnusableDatabaseIsReportedAndLeftUntouched()
    {
        QByteArray lixo("Standard Jet DB\0\0\0", 18);
        lixo += QByteArray(2000, '\x5a');
        {
            QFile f("diario.mdb");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(lixo);
        }
        Caixas caixas(Messages::Ok);
        QVERIFY(!Programa::CriarJanelas());
        QVERIFY(!FormPrincipal);
        QCOMPARE(caixas.vistas.size(), 1);
        QCOMPARE(caixas.vistas[0].title, QStringLiteral("Dorlinda"));
        QVERIFY(caixas.vistas[0].text.contains("\"diario.mdb\""));
        QVERIFY(caixas.vistas[0].text.contains("sem alterar o arquivo"));
        QFile f("diario.mdb");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), lixo);
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList({"diario.mdb"}));
    }
};

QTEST_MAIN(TestInicio)
#include "test_inicio.moc"
