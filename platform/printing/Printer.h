#pragma once
// The program's printer: the system's default printer through CUPS, or a PDF file where no
// printer is installed. The print dialog chooses which and sets it up; the first drawing begins
// a document (a PrintDocument: a PDF file appears whole at EndDoc), EndDoc sends it.
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QSaveFile;
class QWidget;

// A document on a printer: painted on the printer itself, or, where the printer prints to a PDF
// file, into a file written beside that one and put in its place whole by end(). A document not
// ended leaves no file, and an older file of that name as it was.
class PrintDocument {
public:
    explicit PrintDocument(QPrinter &printer);
    ~PrintDocument(); // drops a document not ended
    PrintDocument(const PrintDocument &) = delete;
    PrintDocument &operator=(const PrintDocument &) = delete;

    // Begins the document; false when the printer or the file cannot be used (errorString()).
    bool begin();
    bool isActive() const { return m_painter.isActive(); }
    QPainter &painter() { return m_painter; }
    // What the painter paints on: the printer, or the PDF file's writer.
    QPagedPaintDevice &device();
    // Ends the document and sends it; false when that fails (a PDF file is then not written).
    bool end();
    // Drops the document.
    void abort();
    QString errorString() const { return m_error; }

private:
    QPrinter &m_printer;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_pdf;
    QPainter m_painter;
    QString m_error;
};

namespace Printer {

// The printer the print dialog sets up (one per program, for the whole run).
QPrinter &printer();

// The print dialog: the system's printers and printing to a PDF file (chosen, with a file name
// proposed from the printer's document name, where no printer is installed). True when the user
// confirmed; the printer then holds the choice.
bool showPrintDialog(QPrinter &printer, QWidget *parent);

// Draws the picture with its top-left corner at (x, y) twips from the printable area's corner,
// width x height twips, from its own pixels (only the part that lands on the page is sent).
// False, with nothing begun, when the picture is empty or the document cannot be begun.
bool PaintPicture(const QImage &picture, double x, double y, double width, double height);
// Ends the document and sends it; false when it could not be written (nothing is then left).
bool EndDoc();
// Drops a document begun and not ended.
void KillDoc();
// Why the last document could not be begun or sent; empty when it was.
QString errorString();
// The printable area of the page the print dialog set up, in twips.
QSizeF printableTwips();

// The part of a picture drawn at target (device pixels) that lands on a page of the given size,
// in whole pixels of the picture; empty when none does.
QRect visiblePart(const QSize &picture, const QRectF &target, const QSizeF &page);

} // namespace Printer
