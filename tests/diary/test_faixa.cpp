// The banner and its companion: the banner's sizes, picture and link; the statistics library,
// called once each component is made and before the database opens, found beside the program or
// through the library search path, never in the current folder.
#include "DiarioTeste.h"

#include "Principal.h"
#include "ProgramFolder.h"
#include "Programa.h"
#include "ShellOpen.h"
#include "components/AdCtrls.h"
#include "global.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace DiarioTeste;

namespace {

QString carregadaDe(const QString &pasta)
{
    return QStringLiteral("loaded ") + QFileInfo(pasta + QStringLiteral("/libadstats.so")).canonicalFilePath();
}

// The stub's lines, with the file it was loaded from made canonical.
QStringList registro(const QString &arquivo)
{
    QFile f(arquivo);
    QStringList linhas;
    if (f.open(QIODevice::ReadOnly))
        for (const QString &l : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts))
            linhas << (l.startsWith(QStringLiteral("loaded ")) ? carregadaDe(QFileInfo(l.mid(7)).path()) : l);
    return linhas;
}

} // namespace

class TestFaixa : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        reiniciarEstado();
        // A fresh database; a library placed in the current folder stays there.
        QFile::remove(QStringLiteral("diario.mdb"));
    }

    void cleanup()
    {
        Programa::DestruirJanelas();
        ProgramFolder::setPath({});
        ShellOpen::setHook({});
        qunsetenv("ADSTATS_LOG");
        qunsetenv("ADSTATS_CHDIR");
    }

    // Here without any library; run alone by whereTheLibraryIsLookedFor with one placed for it.
    void theMainWindowOpensWithItsBanner()
    {
        if (qEnvironmentVariableIsSet("DIARIO_PASTA_DO_PROGRAMA"))
            ProgramFolder::setPath(qEnvironmentVariable("DIARIO_PASTA_DO_PROGRAMA"));
        QUrl aberto;
        ShellOpen::setHook([&](const QUrl &u) { aberto = u; return true; });
        Caixas caixas;
        QVERIFY(Programa::CriarJanelas());
        TAdControlStats *faixa = FormPrincipal->AdControlStats1;
        const QImage figura = QImage(QStringLiteral(":/banner.png")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(figura.size(), QSize(468, 60));
        QCOMPARE(faixa->grab().toImage().convertToFormat(QImage::Format_RGB32), figura);
        QTest::mouseClick(faixa, Qt::LeftButton);
        QCOMPARE(aberto, QUrl(QStringLiteral("https://dorlinda.example/")));
        // Neither the right button nor a banner without a link opens anything.
        aberto.clear();
        QTest::mouseClick(faixa, Qt::RightButton);
        faixa->Link.clear();
        QTest::mouseClick(faixa, Qt::LeftButton);
        QVERIFY(aberto.isEmpty());
        QVERIFY(caixas.vistas.isEmpty());
    }

    void theLibraryIsCalledInOrderBeforeTheDatabaseOpens()
    {
        QTemporaryDir pasta;
        qputenv("ADSTATS_LOG", QFile::encodeName(pasta.filePath(QStringLiteral("log"))));
        const QString programa = QFileInfo(QStringLiteral(ADSTATS_STUB)).absolutePath();
        ProgramFolder::setPath(programa);
        QVERIFY(Programa::CriarJanelas());
        const QStringList chamadas = {
            carregadaDe(programa),
            QStringLiteral("StartAdControlStats %1 73 1 before database").arg(quintptr(FormPrincipal->AdControlStats1->winId())),
            QStringLiteral("StartAdSoftwareStats 73 before database")};
        QCOMPARE(registro(pasta.filePath(QStringLiteral("log"))), chamadas);

        // Each component holds the library of its own: it is freed once both are gone.
        delete FormPrincipal->AdSoftwareStats1;
        FormPrincipal->AdSoftwareStats1 = nullptr;
        QCOMPARE(registro(pasta.filePath(QStringLiteral("log"))), chamadas);
        Programa::DestruirJanelas();
        QCOMPARE(registro(pasta.filePath(QStringLiteral("log"))), chamadas + QStringList{"freed"});
    }

    // A library that makes another folder the current one as it loads moves none of the diary's
    // data: the database, the entries and the help stay in the folder current at start.
    void aLibraryThatMovesTheCurrentFolderMovesNoData()
    {
        QTemporaryDir outra;
        const QString inicio = QDir::currentPath();
        ProgramFolder::setPath(QFileInfo(QStringLiteral(ADSTATS_STUB)).absolutePath());
        qputenv("ADSTATS_CHDIR", QFile::encodeName(outra.path()));
        const bool criadas = Programa::CriarJanelas();
        qunsetenv("ADSTATS_CHDIR");
        const QString movida = QDir::currentPath();
        QDir::setCurrent(inicio);
        QVERIFY(criadas);
        QCOMPARE(QFileInfo(movida).canonicalFilePath(), QFileInfo(outra.path()).canonicalFilePath());
        QVERIFY(QFileInfo::exists(QStringLiteral("diario.mdb")));

        QVERIFY(QDir::setCurrent(outra.path()));
        entrar(QStringLiteral("segredo"), QStringLiteral("ana"));
        FormPrincipal->Rdtexto->setPlainText(QStringLiteral("escrito depois"));
        quandoModal([](QWidget *salvar) { QTest::keyClick(salvar, Qt::Key_Return); });
        FormPrincipal->Salvar1->trigger();
        QVERIFY(QDir::setCurrent(inicio));
        QVERIFY(ArquivoGravado);
        QVERIFY(QFileInfo(QStringLiteral("Título1")).isFile());
        QVERIFY(QDir(outra.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QFile::remove(QStringLiteral("Título1"));
    }

    void whereTheLibraryIsLookedFor_data()
    {
        QTest::addColumn<bool>("comFaixa");
        QTest::addColumn<QStringList>("pastas");
        QTest::addColumn<QString>("caminhoDeBusca");
        QTest::addColumn<QString>("origem");
        QTest::newRow("beside the program") << true << QStringList{"program"} << "" << "program";
        QTest::newRow("the program's before the search path") << true << QStringList{"program", "search"} << "%s" << "program";
        QTest::newRow("in the search path") << true << QStringList{"search"} << "%s" << "search";
        QTest::newRow("not in the current folder") << true << QStringList{"cwd"} << "" << "";
        QTest::newRow("not through a relative entry") << true << QStringList{"cwd"} << "." << "";
        QTest::newRow("not through an empty entry, the others still") << true << QStringList{"cwd", "search"} << ":%s" << "search";
        QTest::newRow("without the banner's entry point") << false << QStringList{"program"} << "" << "program";
    }
    void whereTheLibraryIsLookedFor()
    {
        QFETCH(bool, comFaixa);
        QFETCH(QStringList, pastas);
        QFETCH(QString, caminhoDeBusca);
        QFETCH(QString, origem);
        QTemporaryDir topo;
        const QDir top(topo.path());
        for (const char *p : {"program", "search", "cwd"})
            QVERIFY(top.mkdir(QLatin1String(p)));
        for (const QString &p : pastas)
            QVERIFY(QFile::copy(QString::fromUtf8(comFaixa ? ADSTATS_STUB : ADSTATS_STUB_WITHOUT_BANNER),
                                top.filePath(p + QStringLiteral("/libadstats.so"))));

        // The loader reads its search path as a program starts: the case runs in a program of its own.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ADSTATS_LOG"), top.filePath(QStringLiteral("log")));
        env.insert(QStringLiteral("DIARIO_PASTA_DO_PROGRAMA"), top.filePath(QStringLiteral("program")));
        env.remove(QStringLiteral("LD_LIBRARY_PATH"));
        if (!caminhoDeBusca.isEmpty())
            env.insert(QStringLiteral("LD_LIBRARY_PATH"), caminhoDeBusca.replace("%s", top.filePath(QStringLiteral("search"))));
        QProcess filho;
        filho.setProcessEnvironment(env);
        filho.setWorkingDirectory(top.filePath(QStringLiteral("cwd")));
        filho.setProcessChannelMode(QProcess::MergedChannels);
        filho.start(QCoreApplication::applicationFilePath(), {QStringLiteral("theMainWindowOpensWithItsBanner")});
        QVERIFY(filho.waitForFinished(60000));
        const QByteArray saida = filho.readAll();
        QVERIFY2(filho.exitCode() == 0 && saida.contains(" 0 failed,"), saida.constData());

        QStringList esperado;
        if (!origem.isEmpty())
            esperado = QStringList{carregadaDe(top.filePath(origem))}
                       + (comFaixa ? QStringList{"StartAdControlStats"} : QStringList()) + QStringList{"StartAdSoftwareStats", "freed"};
        QStringList vistos = registro(top.filePath(QStringLiteral("log")));
        for (QString &l : vistos)
            if (!l.startsWith(QStringLiteral("loaded ")))
                l = l.section(u' ', 0, 0);
        QCOMPARE(vistos, esperado);
    }

    void bannerSizes_data()
    {
        QTest::addColumn<QSize>("pedido");
        QTest::addColumn<QSize>("tamanho");
        QTest::newRow("350 wide") << QSize(350, 60) << QSize(234, 60);
        QTest::newRow("351 wide") << QSize(351, 60) << QSize(468, 60);
        QTest::newRow("half, taller") << QSize(234, 200) << QSize(234, 60);
        QTest::newRow("full, lower") << QSize(468, 10) << QSize(468, 60);
        QTest::newRow("one pixel") << QSize(1, 1) << QSize(234, 60);
        QTest::newRow("wider") << QSize(1000, 60) << QSize(468, 60);
    }
    void bannerSizes()
    {
        QFETCH(QSize, pedido);
        QFETCH(QSize, tamanho);
        TAdControlStats faixa;
        QCOMPARE(faixa.size(), QSize(468, 60));
        faixa.SetBounds(12, 6, pedido.width(), pedido.height());
        QCOMPARE(faixa.geometry(), QRect(QPoint(12, 6), tamanho));
        QCOMPARE(faixa.GetControlSize(), tamanho.width() == 234 ? TControlSize::csHalfBanner : TControlSize::csFullBanner);
    }
};

QTEST_MAIN(TestFaixa)
#include "test_faixa.moc"
