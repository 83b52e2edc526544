// Start-up: in an empty folder the database is created and the options dialog comes first; closing
// it without a log-in ends the run; an unusable database is reported and left as it was.
#include "DiarioTeste.h"
#include "DiaryDatabase.h"
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

namespace {
// A deletion's list as a kill leaves it.
const QByteArray Lista = QStringLiteral(".4242-2.excluido\tFérias\n.4242-3.excluido\tDia 2\n"
                                        ".4242-4.excluido\tPraia\nnotas.txt\tDia 2\n"
                                        ".4242-5.excluido\t../fora\n.4242-6.excluido\tSumiu\n")
                             .toUtf8();
} // namespace

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
        for (const QString &f : QDir::current().entryList(QDir::Files | QDir::Hidden))
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

    // A deletion cut short by a kill leaves its list and the entry files it set aside; the next start
    // puts back those whose rows are there and deletes the others, and moves nothing else. A first
    // save cut short leaves its record, which goes once a row names its file or no file is there. A
    // database missing or empty at that start holds none of their rows: all stays as it was.
    void aDeletionCutShortIsResolvedAtStart_data()
    {
        QTest::addColumn<QString>("banco");
        QTest::addColumn<QStringList>("depois");
        QTest::addColumn<QByteArray>("lista");
        const QStringList sempre = {".4242-1.excluidos", ".4242-10.gravando", ".4242-4.excluido", ".4242-5.excluido",
                                    ".4242-9.excluido", ".bashrc", "Praia", "diario.mdb", "notas.excluido",
                                    "notas.txt"};
        QStringList devolvidos = sempre + QStringList{"Dia 2", "Férias"};
        devolvidos.sort();
        QStringList intactos = sempre + QStringList{".4242-2.excluido", ".4242-3.excluido", ".4242-7.gravando",
                                                    ".4242-8.gravando"};
        intactos.sort();
        const QByteArray resto(".4242-4.excluido\tPraia\n");
        QTest::newRow("killed before the commit") << "linhas" << devolvidos << resto;
        QTest::newRow("killed after the commit") << "sem linhas" << sempre << resto;
        QTest::newRow("the database gone since") << "ausente" << intactos << Lista;
        QTest::newRow("the database emptied since") << "vazio" << intactos << Lista;
    }
    void aDeletionCutShortIsResolvedAtStart()
    {
        QFETCH(QString, banco);
        QFETCH(QStringList, depois);
        QFETCH(QByteArray, lista);
        QVERIFY(Programa::CriarJanelas());
        const auto gravar = [](const QString &nome, const QByteArray &dados) {
            QFile f(nome);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(dados);
        };
        QSqlQuery q(DiaryDatabase::connection());
        for (const char *titulo : {"Férias", "Dia 2", "Praia"})
            QVERIFY(q.exec(QStringLiteral("INSERT INTO Diario (Titulo, Senha, Data, Hora) VALUES ('%1', 's', "
                                          "'2024-01-01', '10:00')").arg(QString::fromUtf8(titulo))));
        if (banco == "sem linhas")
            QVERIFY(q.exec("DELETE FROM Diario WHERE Titulo <> 'Praia'"));
        Programa::DestruirJanelas();
        if (banco == "ausente")
            QVERIFY(QFile::remove("diario.mdb"));
        else if (banco == "vazio")
            QVERIFY(QFile::resize("diario.mdb", 0));

        // As the kill left them: the list, the files set aside (Praia's name taken again since),
        // and files of other makers, some named alike.
        gravar(".4242-2.excluido", "{\\rtf1 ferias}");
        gravar(".4242-3.excluido", "{\\rtf1 dia 2}");
        gravar(".4242-4.excluido", "{\\rtf1 praia antiga}");
        gravar("Praia", "{\\rtf1 praia nova}");
        gravar(".4242-5.excluido", "nomeado fora da pasta");
        gravar(".4242-9.excluido", "de nenhuma lista");
        for (const char *outro : {"notas.excluido", "notas.txt", ".bashrc"})
            gravar(QLatin1String(outro), "de outro programa");
        gravar(".4242-1.excluidos", Lista);
        // And the records of first saves cut short: of a file with a row since, of one never
        // written, of one without a row (the only one that stays where the database is there).
        gravar(".4242-7.gravando", "Praia\n");
        gravar(".4242-8.gravando", "Sumida\n");
        gravar(".4242-10.gravando", "notas.txt\n");

        QVERIFY(Programa::CriarJanelas());
        QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden, QDir::Name), depois);
        QFile deixada(".4242-1.excluidos");
        QVERIFY(deixada.open(QIODevice::ReadOnly));
        QCOMPARE(deixada.readAll(), lista);
        if (banco == "linhas") {
            QFile ferias("Férias");
            QVERIFY(ferias.open(QIODevice::ReadOnly));
            QCOMPARE(ferias.readAll(), QByteArray("{\\rtf1 ferias}"));
        }
        QFile praia("Praia");
        QVERIFY(praia.open(QIODevice::ReadOnly));
        QCOMPARE(praia.readAll(), QByteArray("{\\rtf1 praia nova}"));
        QFile outro("notas.txt");
        QVERIFY(outro.open(QIODevice::ReadOnly));
        QCOMPARE(outro.readAll(), QByteArray("de outro programa"));
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
