#pragma once
// What the benchmark programs share: medians, timings, photograph-like pictures and folders of
// empty picture files.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace Bench {

inline double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double ms(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// A 6000 x 4000 photograph-like picture: gradients, shapes and grain, so that it compresses
// like a photo.
inline QImage photo(int index)
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 4000);
    sky.setColorAt(0, QColor::fromHsv((index * 47) % 360, 120, 250));
    sky.setColorAt(1, QColor::fromHsv((index * 47 + 90) % 360, 200, 90));
    p.fillRect(image.rect(), sky);
    QRandomGenerator random(index + 1);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 300; ++i) {
        p.setBrush(QColor::fromHsv(random.bounded(360), random.bounded(255), random.bounded(255)));
        p.drawEllipse(QPoint(random.bounded(6000), random.bounded(4000)), random.bounded(30, 400),
                      random.bounded(30, 400));
    }
    p.end();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.generate() & 15) - 8;
            const quint32 c = line[x];
            auto ch = [n](int v) { return quint32(std::clamp(v + n, 0, 255)); };
            line[x] = 0xff000000u | ch(int(c >> 16) & 255) << 16 | ch(int(c >> 8) & 255) << 8 | ch(int(c) & 255);
        }
    }
    return image;
}

// `count` photograph-like JPEGs of 6000 x 4000 (quality 90) written into the folder as
// "IMG_0000.jpg" ...; their paths.
inline QStringList writePhotos(const QString &folder, int count)
{
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QString("/IMG_%1.jpg").arg(i, 4, 10, QChar('0'));
        QImageWriter writer(path, "jpeg");
        writer.setQuality(90);
        writer.write(photo(i));
        files << path;
    }
    return files;
}

// The reference: a bare reader decoding the file at the size it is drawn.
inline QImage bareDecode(const QString &path, const QSize &drawn)
{
    QImageReader reader(path);
    reader.setScaledSize(drawn);
    return reader.read();
}

// `count` empty files named like pictures of mixed types (and some text files); with
// `hiddenEvery`, every such file is hidden. Made with plain system calls, to be quick.
inline void emptyFiles(const QString &folder, int count, int hiddenEvery = 0)
{
    static const char *kinds[] = {"jpg", "JPG", "jpg", "jpg", "bmp", "gif", "txt", "jpeg"};
    QRandomGenerator random(count);
    for (int i = 0; i < count; ++i) {
        QString name = QString("%1IMG_%2.%3").arg(i).arg(random.bounded(1000000)).arg(kinds[i % 8]);
        if (hiddenEvery && i % hiddenEvery == 0)
            name.prepend('.');
        const int fd = ::open(QFile::encodeName(folder + '/' + name).constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
}

// Settings and the single-instance lock of their own, in `home`: a running Vistello is not disturbed.
inline void privateFolders(const QTemporaryDir &home)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.filePath("runtime")));
    QDir().mkpath(home.filePath("runtime"));
    QFile::setPermissions(home.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace Bench
