#pragma once
// Picture folders for the gallery's tests: pictures of given sizes written into temporary folders,
// the main window started at a folder, and the end of the splash period as the timer brings it.
#include <QColor>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class FormMain;
class ImageBox;

namespace GalleryTest {

// Writes a picture of the given size: a JPEG, or a BMP for a name ending in ".bmp"; a ".gif" name
// gets PNG content, which the program reads by content. Returns false when it could not be written.
bool writePicture(const QString &path, QSize size, QColor colour = QColor(90, 140, 200));

struct PictureFile {
    QString name;
    QSize size;
};

// A temporary folder holding the pictures (and other files) given.
class PictureFolder {
public:
    explicit PictureFolder(const QList<PictureFile> &pictures = {});
    // n pictures "pic01.jpg" .. of the given size.
    static QList<PictureFile> numbered(int n, QSize size = QSize(60, 40));
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    void addText(const QString &name, const QByteArray &content);

private:
    QTemporaryDir m_dir;
};

// The position in a numbered folder of a file "pic01.jpg" ..; -1 for another name. As a token of a
// state line: the position, or "." for none.
int positionOf(const QString &fileName);
QString token(int position);

// Starts the program with the folder as the saved last folder (and the thumbnails on or off); its
// timer is stopped, so that the tests drive every step.
FormMain *startAt(const QString &folder, bool thumbnails = true);
// Ends the splash period as the timer's 14th tick does: the folder's first picture is chosen and
// the viewing area becomes clickable.
void endSplash(FormMain *main);

// The viewing area's place and size (fractional pixels).
QRectF box(const ImageBox *image);
// Fractional places compared to the hundredth.
bool near(double a, double b);
bool near(const QRectF &a, const QRectF &b);
QString describe(const QRectF &r);

} // namespace GalleryTest
