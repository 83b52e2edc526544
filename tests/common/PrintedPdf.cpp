#include "PrintedPdf.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace PrintedPdf {

namespace {
QString g_proposed;

QString run(const QString &tool, const QStringList &arguments)
{
    QProcess p;
    p.start(tool, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

std::shared_ptr<bool> answerPrintDialog(const QString &pdfFile)
{
    auto answered = std::make_shared<bool>(false);
    QTimer::singleShot(0, [pdfFile, answered] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // Qt's own names for the printer list and the file name of its dialog.
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        if (printers)
            for (int i = 0; i < printers->count(); ++i)
                if (printers->itemText(i).contains(QStringLiteral("PDF")))
                    printers->setCurrentIndex(i);
        g_proposed = name ? name->text() : QString();
        *answered = true;
        if (pdfFile.isEmpty() || !name) {
            dialog->reject();
            return;
        }
        name->setText(pdfFile);
        dialog->accept();
    });
    return answered;
}

QString proposedFileName()
{
    return g_proposed;
}

Pdf read(const QString &path)
{
    Pdf pdf;
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", {path}));
    if (!pages.hasMatch())
        return pdf;
    pdf.valid = true;
    pdf.pages = pages.captured(1).toInt();
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    for (const QString &line : run("pdfimages", {"-list", path}).split('\n').mid(2)) {
        const QStringList c = line.simplified().split(' ');
        if (c.size() >= 13)
            pdf.images.append({QSize(c[3].toInt(), c[4].toInt()), c[12].toDouble()});
    }
    // The first page drawn at two pixels a point.
    QTemporaryDir dir;
    run("pdftoppm", {"-r", "144", "-f", "1", "-l", "1", "-png", "-singlefile", path, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 230)
                box |= QRect(x, y, 1, 1);
    if (!box.isEmpty())
        pdf.drawn = QRectF(box.x() / 2.0, box.y() / 2.0, box.width() / 2.0, box.height() / 2.0);
    return pdf;
}

QList<Word> words(const QString &path, int page)
{
    QList<Word> found;
    const QString n = QString::number(page);
    const QString html = run("pdftotext", {"-bbox", "-f", n, "-l", n, path, "-"});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        found.append({text, QRectF(from, to)});
    }
    return found;
}

} // namespace PrintedPdf
