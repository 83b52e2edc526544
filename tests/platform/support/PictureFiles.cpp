#include "PictureFiles.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>

namespace PictureFiles {

QImage drawing(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter p(&image);
    p.setPen(QPen(colour.darker(300), std::max(1, size.width() / 20)));
    p.drawLine(0, 0, size.width(), size.height());
    return image;
}

QImage noise(const QSize &size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = 0xff000000u | (random.generate() & 0xffffffu);
    }
    return image;
}

namespace {
// GIF89a with a 128-colour palette and "uncompressed" LZW: 8-bit codes, the table cleared before
// it would need wider codes.
QByteArray gif(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QList<QRgb> table = image.colorTable();
    const int colours = 128;
    QByteArray out("GIF89a");
    auto word = [&out](int v) { out.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); };
    word(image.width());
    word(image.height());
    out.append(char(0xf6)); // global table of 128 colours, 7 bits
    out.append('\0').append('\0');
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < table.size() ? table.at(i) : 0;
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    out.append(',');
    word(0);
    word(0);
    word(image.width());
    word(image.height());
    out.append('\0');
    out.append(char(7)); // minimum code size
    QByteArray codes;
    const int clear = 128;
    int sinceClear = 0;
    codes.append(char(clear));
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == 100) {
                codes.append(char(clear));
                sinceClear = 0;
            }
            codes.append(char(std::min<int>(line[x], colours - 1)));
            ++sinceClear;
        }
    }
    codes.append(char(clear + 1)); // end
    for (int i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        out.append(char(block.size())).append(block);
    }
    out.append('\0').append(';');
    return out;
}
} // namespace

QByteArray encode(const QImage &image, const QByteArray &format)
{
    if (format == "gif")
        return gif(image);
    if (format == "bmp top-down") {
        // The rows top first, and the height in the header negative to say so.
        QByteArray bytes = encode(image.mirrored(), "bmp");
        qToLittleEndian<qint32>(-image.height(), bytes.data() + 22);
        return bytes;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format.constData(), format == "jpeg" ? 90 : -1);
    return bytes;
}

QString write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace PictureFiles
