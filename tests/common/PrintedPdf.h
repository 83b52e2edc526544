#pragma once
// Printing in tests: answering the print dialog (printing to a PDF file, or Cancel) and reading
// back a PDF file with the system's PDF tools: its pages, its pictures and where they stand.
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>

namespace PrintedPdf {

// The next print dialog shown is answered by a zero-delay timer: printing to the file given, or,
// with an empty file, Cancel. The flag turns true once a dialog has been answered.
std::shared_ptr<bool> answerPrintDialog(const QString &pdfFile);
// The file name that the last dialog answered proposed.
QString proposedFileName();

struct Image {
    QSize pixels;        // the picture's size in the file
    double perInch = 0;  // its pixels per inch on the page
};

struct Pdf {
    bool valid = false;
    int pages = 0;
    QList<Image> images;
    // What is drawn on the first page (anything not white), in points from its top-left corner.
    QRectF drawn;
};

Pdf read(const QString &path);

// The words of a page (from 1) with their boxes, in points from the page's top-left corner, in
// reading order.
struct Word {
    QString text;
    QRectF box;
};
QList<Word> words(const QString &path, int page = 1);

} // namespace PrintedPdf
