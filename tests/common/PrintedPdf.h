#pragma once
// Printing in tests: answering the print dialog (printing to a PDF file, or Cancel) and reading
// back what a PDF file holds: its pages and where each picture stands on them.
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

namespace PrintedPdf {

// The next print dialog shown is answered by a zero-delay timer: printing to the file given, or,
// with an empty file, Cancel. Returns a flag that turns true once a dialog has been answered.
std::shared_ptr<bool> answerPrintDialog(const QString &pdfFile);
// The file name the answered dialog proposed (for the last dialog answered).
QString proposedFileName();

struct Image {
    QRectF place;   // points, from the page's top-left corner
    QSize pixels;   // the picture's own size in the file
};

struct Pdf {
    bool valid = false;
    int pages = 0;
    QSizeF pageSize;    // points, of the first page
    QList<Image> images; // of every page, in order
};

Pdf read(const QString &path);

} // namespace PrintedPdf
