#pragma once
// The program's printer: the system's default printer through CUPS, or a PDF file where no
// printer is installed. The print dialog chooses which and sets it up; the first drawing begins
// a document, EndDoc sends it. A document printed to a PDF file is written atomically: the file
// appears whole at EndDoc, and a document that is not ended leaves no file and an older file of
// that name as it was.
#include <QImage>
#include <QRectF>

class QPrinter;
class QWidget;

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

// The part of a picture drawn at target (device pixels) that lands on a page of the given size,
// in whole pixels of the picture; empty when none does.
QRect visiblePart(const QSize &picture, const QRectF &target, const QSizeF &page);

} // namespace Printer
