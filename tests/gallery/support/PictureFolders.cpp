#include "PictureFolders.h"

#include "FormMain.h"
#include "GalleryTest.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

namespace GalleryTest {

bool writePicture(const QString &path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    if (size.width() > 4 && size.height() > 4)
        QPainter(&image).fillRect(QRect(QPoint(0, 0), size / 2), colour.darker());
    const QString lower = path.toLower();
    if (lower.endsWith(".bmp"))
        return image.save(path, "BMP");
    if (lower.endsWith(".gif"))
        return image.save(path, "PNG");
    return image.save(path, "JPG", 60);
}

PictureFolder::PictureFolder(const QList<PictureFile> &pictures)
{
    for (const PictureFile &p : pictures)
        writePicture(m_dir.filePath(p.name), p.size);
}

QList<PictureFile> PictureFolder::numbered(int n, QSize size)
{
    QList<PictureFile> list;
    for (int i = 1; i <= n; ++i)
        list.append({QStringLiteral("pic%1.jpg").arg(i, 2, 10, QLatin1Char('0')), size});
    return list;
}

void PictureFolder::addText(const QString &name, const QByteArray &content)
{
    QFile f(m_dir.filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

int positionOf(const QString &fileName)
{
    static const QRegularExpression re(QStringLiteral("^pic(\\d\\d)\\.jpg$"));
    const auto m = re.match(fileName);
    return m.hasMatch() ? m.captured(1).toInt() - 1 : -1;
}

QString token(int position)
{
    return position < 0 ? QStringLiteral(".") : QString::number(position);
}

FormMain *startAt(const QString &folder, bool thumbnails)
{
    writeSettings("[Startup]\nDir1Value=" + folder.toUtf8() + "\nCheckThumbValue=" + (thumbnails ? "1" : "0")
                  + "\n");
    FormMain *main = start();
    if (main)
        main->Timer2->stop();
    return main;
}

void endSplash(FormMain *main)
{
    main->SplashTime = 15;
    main->DoFilePrep();
    main->Imagemain->setEnabled(true);
}

QRectF box(const ImageBox *image)
{
    return QRectF(image->Left(), image->Top(), image->Width(), image->Height());
}

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

bool near(const QRectF &a, const QRectF &b)
{
    return near(a.x(), b.x()) && near(a.y(), b.y()) && near(a.width(), b.width()) && near(a.height(), b.height());
}

QString describe(const QRectF &r)
{
    return QStringLiteral("%1 x %2 at Left %3, Top %4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

} // namespace GalleryTest
