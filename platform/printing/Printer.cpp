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

PrintDocument::PrintDocument(QPrinter &printer) : m_printer(printer) {}

PrintDocument::~PrintDocument()
{
    abort();
}

bool PrintDocument::begin()
{
    if (isActive())
        return true;
    m_error.clear();
    const QString fileName = m_printer.outputFileName();
    if (m_printer.outputFormat() != QPrinter::PdfFormat || fileName.isEmpty())
        return m_painter.begin(&m_printer);
    m_file = std::make_unique<QSaveFile>(fileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_error = m_file->errorString();
        m_file.reset();
        return false;
    }
    m_pdf = std::make_unique<QPdfWriter>(m_file.get());
    m_pdf->setPageLayout(m_printer.pageLayout());
    m_pdf->setResolution(m_printer.resolution());
    m_pdf->setTitle(m_printer.docName());
    m_pdf->setCreator(m_printer.creator());
    if (!m_painter.begin(m_pdf.get())) {
        m_error = m_file->errorString();
        abort();
        return false;
    }
    return true;
}

QPagedPaintDevice &PrintDocument::device()
{
    if (m_pdf)
        return *m_pdf;
    return m_printer;
}

bool PrintDocument::end()
{
    if (!isActive())
        return false;
    bool ok = m_painter.end();
    m_pdf.reset();
    if (m_file) {
        if (ok)
            ok = m_file->commit();
        else
            m_file->cancelWriting();
        if (!ok)
            m_error = m_file->errorString();
        m_file.reset();
    }
    return ok;
}

void PrintDocument::abort()
{
    if (isActive() && !m_file)
        m_printer.abort();
    if (isActive())
        m_painter.end();
    m_pdf.reset();
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
}

namespace Printer {

namespace {

QPrinter *g_printer = nullptr;
// The document being printed, begun by the first drawing.
std::unique_ptr<PrintDocument> g_document;
double g_dotsPerTwip = 0;
QString g_error;

// Why the document failed: its own reason, or the printer's name where it gives none.
void failed(const PrintDocument &document)
{
    g_error = document.errorString();
    if (g_error.isEmpty())
        g_error = QStringLiteral("printer ") + printer().printerName();
}

bool begin()
{
    if (g_document && g_document->isActive())
        return true;
    g_error.clear();
    g_document = std::make_unique<PrintDocument>(printer());
    if (!g_document->begin()) {
        failed(*g_document);
        g_document.reset();
        return false;
    }
    g_dotsPerTwip = printer().resolution() / 1440.0;
    return true;
}

bool printsToFile(const QPrinter &p)
{
    return p.outputFormat() == QPrinter::PdfFormat;
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
            g_document.reset();
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
    const double k = g_dotsPerTwip;
    const QRectF target(x * k, y * k, width * k, height * k);
    QPaintDevice &page = g_document->device();
    const QRect part = visiblePart(picture.size(), target, QSizeF(page.width(), page.height()));
    if (part.isEmpty())
        return true;
    // Only what lands on the page goes into the document, at the picture's own resolution.
    QImage drawn = part == picture.rect() ? picture : picture.copy(part);
    if (printer().colorMode() == QPrinter::GrayScale)
        drawn = drawn.convertToFormat(QImage::Format_Grayscale8);
    const double sx = target.width() / picture.width();
    const double sy = target.height() / picture.height();
    QPainter &painter = g_document->painter();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(target.left() + part.left() * sx, target.top() + part.top() * sy, part.width() * sx,
                             part.height() * sy),
                      drawn);
    return true;
}

bool EndDoc()
{
    if (!g_document)
        return false;
    const bool ok = g_document->end();
    if (!ok)
        failed(*g_document);
    g_document.reset();
    return ok;
}

QString errorString()
{
    return g_error;
}

QSizeF printableTwips()
{
    QPrinter &p = printer();
    const int dpi = p.resolution();
    return QSizeF(p.pageLayout().paintRectPixels(dpi).size()) * (1440.0 / dpi);
}

void KillDoc()
{
    g_document.reset();
}

} // namespace Printer
