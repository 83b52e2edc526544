// The program's printer: the print dialog over it (printing to a PDF file where no printer is
// installed), pictures placed in twips from the printable area's corner, and the PDF file written
// whole or not at all.
#include "Printer.h"
#include "PrintedPdf.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {
QImage picture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}
} // namespace

class TestPrinter : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    // The dialog answered with printing to the file; true when it was confirmed.
    bool choose(const QString &file)
    {
        const auto answered = PrintedPdf::answerPrintDialog(file);
        const bool confirmed = Printer::showPrintDialog(Printer::printer(), nullptr);
        return *answered && confirmed;
    }

private slots:
    void visiblePart_data()
    {
        QTest::addColumn<QRectF>("target");
        QTest::addColumn<QRect>("part");
        // A 100 x 80 picture on a page of 1000 x 800 device pixels.
        QTest::newRow("whole on the page") << QRectF(50, 50, 200, 160) << QRect(0, 0, 100, 80);
        QTest::newRow("past the right and bottom edges") << QRectF(600, 480, 800, 640) << QRect(0, 0, 50, 40);
        QTest::newRow("a fraction of a pixel past") << QRectF(0, 0, 1000.5, 800) << QRect(0, 0, 100, 80);
        QTest::newRow("off the page") << QRectF(1000, 0, 100, 80) << QRect();
    }
    void visiblePart()
    {
        QFETCH(QRectF, target);
        QFETCH(QRect, part);
        QCOMPARE(Printer::visiblePart(QSize(100, 80), target, QSizeF(1000, 800)), part);
    }

    // Where no printer is installed the dialog prints to a PDF file named after the document, in
    // the home folder at first and then in the folder printed to last.
    void printsToThePdfFileChosen()
    {
        QPrinter &printer = Printer::printer();
        printer.setDocName(QStringLiteral("pic01.jpg"));
        const QString file = dir.filePath("out.pdf");
        QVERIFY(choose(file));
        QCOMPARE(PrintedPdf::proposedFileName(), QDir::home().filePath("pic01.pdf"));
        QVERIFY(Printer::PaintPicture(picture({96, 64}), 700, 700, 96 * 15, 64 * 15));
        QVERIFY(!QFile::exists(file)); // written whole, at the end
        QVERIFY(Printer::EndDoc());
        const PrintedPdf::Pdf pdf = PrintedPdf::read(file);
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.images.size(), 1);
        QCOMPARE(pdf.images[0].pixels, QSize(96, 64));
        QCOMPARE(pdf.images[0].perInch, 96.0);
        printer.setDocName(QStringLiteral("beach.gif"));
        QVERIFY(!choose({}));
        QCOMPARE(PrintedPdf::proposedFileName(), dir.filePath("beach.pdf"));
    }

    // A picture larger than the page: only what lands on the page goes into the file, at the
    // picture's own resolution, up to the printable area's edges.
    void onlyThePartOnThePage()
    {
        const QString file = dir.filePath("large.pdf");
        QVERIFY(choose(file));
        const QRectF page = Printer::printer().pageRect(QPrinter::Point);
        QVERIFY(Printer::PaintPicture(picture({3000, 2000}), 700, 700, 3000 * 15, 2000 * 15));
        QVERIFY(Printer::EndDoc());
        const PrintedPdf::Pdf pdf = PrintedPdf::read(file);
        QCOMPARE(pdf.images.size(), 1);
        QVERIFY(pdf.images[0].pixels.width() < 3000 && pdf.images[0].pixels.height() < 2000);
        QCOMPARE(pdf.images[0].perInch, 96.0);
        QVERIFY(qAbs(pdf.drawn.right() - page.right()) <= 1 && qAbs(pdf.drawn.bottom() - page.bottom()) <= 1);
    }

    // Cancel chooses nothing; a document dropped or that cannot be written leaves no file and an
    // older file of that name as it was.
    void nothingHalfWritten()
    {
        const QString file = dir.filePath("kept.pdf");
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older");
        old.close();
        QVERIFY(!choose({}));
        QVERIFY(choose(file));
        QVERIFY(Printer::PaintPicture(picture({40, 30}), 700, 700, 600, 450));
        Printer::KillDoc();
        QCOMPARE(contents(file), QByteArray("older"));
        QVERIFY(!Printer::EndDoc());
        QVERIFY(choose(dir.filePath("no such folder/out.pdf")));
        QVERIFY(!Printer::PaintPicture(picture({40, 30}), 700, 700, 600, 450));
        QVERIFY(!Printer::errorString().isEmpty()); // the reason, for the message that says so
        QVERIFY(!QFile::exists(dir.filePath("no such folder/out.pdf")));
        QVERIFY(!Printer::PaintPicture(QImage(), 700, 700, 600, 450));
    }
};

QTEST_MAIN(TestPrinter)
#include "test_printer.moc"
