#pragma once
// The one decode cache behind every picture the windows draw (viewing area, true-size box,
// thumbnails, preview, enlarged view). It keeps decodes: a JPEG is decoded at the smallest of
// libjpeg's M/8 scales that still covers the size drawn, and every smaller drawing of the same
// file (a thumbnail, the preview) is scaled from that one decode. Other formats are decoded whole
// once. A picture prepared ahead is also kept drawn at the size it was prepared for, so that
// showing it takes no scaling. Memory is bounded (least recently used go first).
//
// Thread-safe: prepare() decodes on worker threads; image() is synchronous and, for a decode
// that a worker is still making, waits for it. A decode is keyed by the file's path, size and
// modification time, so a changed file is never served from an older decode.
#include "Picture.h"

#include <QtGlobal>

#include <memory>

class PictureCache {
public:
    static PictureCache &instance();

    // Drawn at exactly drawnSize (empty image on failure). Synchronous.
    QImage image(const Picture &picture, const QSize &drawnSize);
    // At the picture's own size.
    QImage fullImage(const Picture &picture);
    // Decode for drawnSize and draw at exactly that size on a worker thread, unless that drawing
    // is kept or under way; a decode kept or under way that covers it is used.
    void prepare(const Picture &picture, const QSize &drawnSize);
    // The size at which a drawing of drawnSize is decoded from the file: for a JPEG the smallest
    // M/8 of its size covering drawnSize, for other formats the whole picture.
    static QSize decodeSize(const Picture &picture, const QSize &drawnSize);
    // False when even the smallest decode a picture of that format and size allows (an eighth of
    // a JPEG, the whole of any other) passes the reader's memory limit: it can never be drawn.
    static bool canDecode(const QByteArray &format, const QSize &size);

    // Bytes of decoded and drawn pixels kept at most (default 160 MB). A single decode larger
    // than this is handed out but not kept.
    void setCapacity(qint64 bytes);
    qint64 capacity() const;
    qint64 cost() const;
    // Drops every decode that is not being made right now.
    void clear();
    // Waits until no worker is decoding (tests, benchmarks, shut-down).
    void waitForPrepared();

    struct Stats {
        int decodes = 0; // files read and decoded
        int hits = 0;    // drawings served from a decode already made
        int waits = 0;   // drawings that waited for a worker's decode
        int prepared = 0; // drawings served as prepared, at their size (also counted above)
    };
    Stats stats() const;
    void resetStats();

    PictureCache(const PictureCache &) = delete;
    PictureCache &operator=(const PictureCache &) = delete;

private:
    PictureCache();
    ~PictureCache();
    struct Private;
    std::unique_ptr<Private> p;
};
