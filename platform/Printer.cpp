#include "Printer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <memory>

namespace Printer {

namespace {

QPrinter *g_printer = nullptr;

// The document being printed: on the printer itself, or into a PDF file through a save file.
struct Document {
    std::unique_ptr<QSaveFile> file;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter;
    double dotsPerTwip = 0;

    bool begun() const { return painter.isActive(); }
    void reset()
    {
        if (painter.isActive())
            painter.end();
        pdf.reset();
        if (file)
            file->cancelWriting();
        file.reset();
    }
};

Document &document()
{
    static Document d;
    return d;
}

bool printsToFile(const QPrinter &p)
{
    return p.outputFormat() == QPrinter::PdfFormat;
}

bool begin()
{
    Document &d = document();
    if (d.begun())
        return true;
    QPrinter &p = printer();
    if (printsToFile(p)) {
        if (p.outputFileName().isEmpty())
            return false;
        d.file = std::make_unique<QSaveFile>(p.outputFileName());
        if (!d.file->open(QIODevice::WriteOnly)) {
            d.reset();
            return false;
        }
        d.pdf = std::make_unique<QPdfWriter>(d.file.get());
        d.pdf->setPageLayout(p.pageLayout());
        d.pdf->setResolution(p.resolution());
        d.pdf->setTitle(p.docName());
        d.pdf->setCreator(p.creator());
        if (!d.painter.begin(d.pdf.get())) {
            d.reset();
            return false;
        }
    } else if (!d.painter.begin(&p)) {
        return false;
    }
    d.dotsPerTwip = p.resolution() / 1440.0;
    return true;
}

// The name proposed for a PDF file: the document's name with ".pdf", in the folder of the file
// last printed to (the home folder at first).
QString proposedFileName(const QPrinter &p)
{
    const QString last = p.outputFileName();
    const QString folder = last.isEmpty() ? QDir::homePath() : QFileInfo(last).absolutePath();
    QString base = QFileInfo(p.docName()).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("print");
    return QDir(folder).filePath(base + QStringLiteral(".pdf"));
}

} // namespace

QPrinter &printer()
{
    if (!g_printer) {
        g_printer = new QPrinter(QPrinter::HighResolution);
        // Gone with the application, before the print plugins are.
        qAddPostRoutine([] {
            document().reset();
            delete g_printer;
            g_printer = nullptr;
        });
    }
    return *g_printer;
}

bool showPrintDialog(QPrinter &p, QWidget *parent)
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        p.setOutputFormat(QPrinter::PdfFormat);
    if (printsToFile(p))
        p.setOutputFileName(proposedFileName(p));
    QPrintDialog dialog(&p, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

QRect visiblePart(const QSize &picture, const QRectF &target, const QSizeF &page)
{
    if (picture.isEmpty() || target.isEmpty())
        return {};
    const QRectF onPage = target.intersected(QRectF(QPointF(0, 0), page));
    if (onPage.isEmpty())
        return {};
    const double sx = picture.width() / target.width();
    const double sy = picture.height() / target.height();
    const QRectF source((onPage.left() - target.left()) * sx, (onPage.top() - target.top()) * sy,
                        onPage.width() * sx, onPage.height() * sy);
    return source.toAlignedRect().intersected(QRect(QPoint(0, 0), picture));
}

bool PaintPicture(const QImage &picture, double x, double y, double width, double height)
{
    if (picture.isNull() || width <= 0 || height <= 0 || !begin())
        return false;
    Document &d = document();
    const double k = d.dotsPerTwip;
    const QRectF target(x * k, y * k, width * k, height * k);
    QPaintDevice *page = d.painter.device();
    const QRect part = visiblePart(picture.size(), target, QSizeF(page->width(), page->height()));
    if (part.isEmpty())
        return true;
    // Only what lands on the page goes into the document, at the picture's own resolution.
    QImage drawn = part == picture.rect() ? picture : picture.copy(part);
    if (printer().colorMode() == QPrinter::GrayScale)
        drawn = drawn.convertToFormat(QImage::Format_Grayscale8);
    const double sx = target.width() / picture.width();
    const double sy = target.height() / picture.height();
    d.painter.setRenderHint(QPainter::SmoothPixmapTransform);
    d.painter.drawImage(QRectF(target.left() + part.left() * sx, target.top() + part.top() * sy, part.width() * sx,
                               part.height() * sy),
                        drawn);
    return true;
}

bool EndDoc()
{
    Document &d = document();
    if (!d.begun())
        return false;
    bool ok = d.painter.end();
    d.pdf.reset();
    if (d.file) {
        if (ok)
            ok = d.file->commit();
        else
            d.file->cancelWriting();
        d.file.reset();
    }
    return ok;
}

void KillDoc()
{
    Document &d = document();
    if (!d.begun())
        return;
    if (!d.file)
        printer().abort();
    d.reset();
}

} // namespace Printer
