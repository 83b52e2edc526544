#pragma once
// A picture as the windows hold it: a small, shared, immutable handle. Loading reads only the
// file header (format by content, whatever the extension, and the true size); pixels are decoded
// on demand, at the size they are drawn, through the one decode cache (PictureCache.h). Copying
// a handle shares it: a thumbnail that takes the viewing area's picture holds the same object.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

class Picture {
public:
    // The empty picture (VB's "Nothing"): isNull(), size 0 x 0, decodes to an empty image.
    Picture() = default;

    // Reads the header of the file. A file that is missing, unreadable or not a picture of a
    // known format gives a null handle; the pixels are not read here, so a picture damaged past
    // its header loads and then decodes to an empty image.
    static Picture load(const QString &path);
    // A picture held in memory (a placeholder drawn by the program, a clipboard picture).
    static Picture fromImage(const QImage &image);

    bool isNull() const { return !d; }
    // The file it was loaded from; empty for a picture held in memory.
    QString path() const;
    // The true size in pixels, as the header gives it.
    QSize size() const;
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    // The format found in the content: "jpeg", "png", "bmp", "gif", ...; empty when null.
    QByteArray format() const;

    // The picture decoded for drawing at the given size (exactly that size, smoothly scaled);
    // empty when null or when the file cannot be decoded. JPEGs decode at the scale drawn.
    QImage image(const QSize &drawnSize) const;
    // The picture at its own size: for copying, printing and showing at actual size.
    QImage fullImage() const;
    // Starts decoding for the given drawn size on a worker thread; a later image() of that size
    // waits for it instead of decoding again. Does nothing for a null or in-memory picture.
    void prepare(const QSize &drawnSize) const;

    // Same handle (the same load), not merely the same file.
    bool operator==(const Picture &other) const { return d == other.d; }
    bool operator!=(const Picture &other) const { return d != other.d; }

    // Opaque: what a handle holds is seen only by the picture module and the decode cache.
    struct Data;

private:
    friend class PictureCache;
    std::shared_ptr<const Data> d;
};
