// The banded report on a printer: the pages of the range asked for, and a PDF file that is
// written whole or not at all.
#include "AsOtherUser.h"
#include "BandedReport.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

namespace {

// A report whose text takes `linhas` lines of the given size.
struct Relatorio {
    QTextDocument texto;
    BandedReport report;
    explicit Relatorio(int linhas)
    {
        QStringList l;
        for (int i = 1; i <= linhas; ++i)
            l.append(QStringLiteral("linha %1").arg(i));
        texto.setPlainText(l.join('\n'));
        report.addBand({.name = QStringLiteral("Cabecalho"), .kind = ReportBand::PageHeader, .height = 10})
            ->add({.name = QStringLiteral("Data"), .kind = ReportElement::PrintDate});
        report.addBand({.name = QStringLiteral("Detalhe"), .kind = ReportBand::Detail, .height = 20})
            ->add({.name = QStringLiteral("Texto"),
                   .kind = ReportElement::RichText,
                   .document = &texto,
                   .top = 5,
                   .width = 190,
                   .height = 5});
        report.addBand({.name = QStringLiteral("Rodape"), .kind = ReportBand::PageFooter, .height = 10})
            ->add({.name = QStringLiteral("Pagina"), .kind = ReportElement::PageNumber});
    }
};

int paginasDe(const QString &arquivo)
{
    QProcess p;
    p.start("pdfinfo", {arquivo});
    p.waitForFinished(30000);
    const QRegularExpressionMatch m = QRegularExpression("Pages: +(\\d+)").match(p.readAllStandardOutput());
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

class TestBandedReport : public QObject {
    Q_OBJECT
private slots:
    void printsThePagesOfTheRange_data()
    {
        QTest::addColumn<int>("de");
        QTest::addColumn<int>("ate");
        QTest::addColumn<int>("impressas");
        QTest::newRow("all") << 0 << 0 << 3;
        QTest::newRow("2 to 3") << 2 << 3 << 2;
        QTest::newRow("past the end") << 3 << 9 << 1;
    }
    void printsThePagesOfTheRange()
    {
        QFETCH(int, de);
        QFETCH(int, ate);
        QFETCH(int, impressas);
        Relatorio r(140);
        const ReportPlan plan = r.report.plan(QDate(2024, 1, 2));
        QCOMPARE(plan.pages.size(), 3);
        QPrinter printer(QPrinter::HighResolution);
        r.report.setUp(printer);
        printer.setOutputFileName(QDir::current().absoluteFilePath("r.pdf"));
        if (de) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(de, ate);
        }
        QVERIFY(r.report.print(plan, printer));
        QCOMPARE(paginasDe("r.pdf"), impressas);
    }

    void aPdfThatCannotBeWrittenKeepsTheFileThere()
    {
        RUN_AS_OTHER_USER_WHEN_ROOT();
        QDir().mkdir("pasta");
        QFile antigo("pasta/r.pdf");
        QVERIFY(antigo.open(QIODevice::WriteOnly) && antigo.write("antigo") == 6);
        antigo.close();
        QVERIFY(QFile::setPermissions("pasta", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Relatorio r(10);
        QPrinter printer(QPrinter::HighResolution);
        r.report.setUp(printer);
        printer.setOutputFileName(QDir::current().absoluteFilePath("pasta/r.pdf"));
        QString erro;
        QVERIFY(!r.report.print(r.report.plan(QDate(2024, 1, 2)), printer, &erro));
        QVERIFY(!erro.isEmpty());
        QFile::setPermissions("pasta", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(antigo.open(QIODevice::ReadOnly));
        QCOMPARE(antigo.readAll(), QByteArray("antigo"));
    }
};

QTEST_MAIN(TestBandedReport)
#include "test_bandedreport.moc"
