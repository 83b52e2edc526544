#include "Picture.h"

#include "LocalFiles.h"
#include "PictureCache.h"
#include "PictureData.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>


namespace {
// The formats a picture file may hold. Formats whose content test is loose (wbmp, tga, ...) are
// left out, so that a file of other data is never taken for a picture.
bool acceptedFormat(const QByteArray &format)
{
    static const QByteArray formats[] = {"jpeg", "png", "bmp", "gif", "ico", "tiff", "webp"};
    for (const QByteArray &f : formats)
        if (f == format)
            return true;
    return false;
}
} // namespace


Picture Picture::load(const QString &path)
{
    if (path.isEmpty())
        return {};
    // Reached by the name's own bytes, whatever they are.
    LocalFiles::Info info;
    QFile file;
    if (!LocalFiles::openForReading(file, path, nullptr, &info))
        return {};
    // By content only: "splash.fig" and a PNG named ".jpg" load for what they are.
    const QByteArray format = QImageReader::imageFormat(&file);
    if (!acceptedFormat(format))
        return {};
    file.seek(0);
    QImageReader reader(&file, format);
    reader.setAutoTransform(false);
    QSize size = reader.size();
    // A bitmap stored top row first gives its height as a negative number.
    if (format == "bmp" && size.height() < 0)
        size.setHeight(-size.height());
    if (!size.isValid() || size.isEmpty())
        return {};
    // A header promising more pixels than can ever be decoded is no picture to show.
    if (!PictureCache::canDecode(format, size))
        return {};

    auto d = std::make_shared<Data>();
    d->path = QFileInfo(path).absoluteFilePath();
    d->size = size;
    d->format = format;
    d->fileSize = info.size;
    d->modified = info.modified;
    Picture p;
    p.d = std::move(d);
    return p;
}

Picture Picture::fromImage(const QImage &image)
{
    if (image.isNull())
        return {};
    auto d = std::make_shared<Data>();
    d->size = image.size();
    d->format = "image";
    d->memory = image;
    Picture p;
    p.d = std::move(d);
    return p;
}

QString Picture::path() const
{
    return d ? d->path : QString();
}

QSize Picture::size() const
{
    return d ? d->size : QSize(0, 0);
}

QByteArray Picture::format() const
{
    return d ? d->format : QByteArray();
}

QImage Picture::image(const QSize &drawnSize) const
{
    return PictureCache::instance().image(*this, drawnSize);
}

QImage Picture::fullImage() const
{
    return PictureCache::instance().fullImage(*this);
}

void Picture::prepare(const QSize &drawnSize) const
{
    PictureCache::instance().prepare(*this, drawnSize);
}
