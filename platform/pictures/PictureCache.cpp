#include "PictureCache.h"

#include "LocalFiles.h"
#include "PictureData.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>
#include <QtConcurrent>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

namespace {

// Decode scales are eighths of the true size (libjpeg's M/8); 8 is the whole picture.
constexpr int Whole = 8;

QSize levelSize(const QSize &size, int eighths)
{
    if (eighths >= Whole)
        return size;
    return QSize(std::max(1, int(qint64(size.width()) * eighths / 8)),
                 std::max(1, int(qint64(size.height()) * eighths / 8)));
}

// The smallest scale whose decode still covers the drawn size; only JPEGs decode scaled.
int levelFor(const Picture::Data &d, const QSize &drawn)
{
    if (d.format != "jpeg")
        return Whole;
    for (int m = 1; m < Whole; ++m) {
        const QSize s = levelSize(d.size, m);
        if (s.width() >= drawn.width() && s.height() >= drawn.height())
            return m;
    }
    return Whole;
}

QString fileKey(const Picture::Data &d)
{
    return d.path + QLatin1Char('\n') + QString::number(d.fileSize) + QLatin1Char('\n')
           + QString::number(d.modified);
}

QImage decode(const Picture::Data &d, int eighths)
{
    QFile file;
    if (!LocalFiles::openForReading(file, d.path))
        return {};
    QImageReader reader(&file, d.format);
    reader.setAutoTransform(false);
    if (eighths < Whole)
        reader.setScaledSize(levelSize(d.size, eighths));
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QImage scaledTo(const QImage &image, const QSize &size)
{
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

enum class State { Queued, Decoding, Ready };

struct Slot {
    State state = State::Queued;
    QImage image; // null when the decode failed
    qint64 cost = 0;
    quint64 lastUse = 0;
};

using SlotPtr = std::shared_ptr<Slot>;

// What is kept of one file: its decodes by scale (eighths), and the drawings prepared from them
// at exact drawn sizes (width, height), so that a picture prepared ahead is drawn without scaling.
struct FileSlots {
    std::map<int, SlotPtr> decodes;
    std::map<std::pair<int, int>, SlotPtr> drawings;
    bool empty() const { return decodes.empty() && drawings.empty(); }
};

std::pair<int, int> sizeKey(const QSize &size)
{
    return {size.width(), size.height()};
}

bool unchangedSince(const Picture::Data &d)
{
    const LocalFiles::Info now = LocalFiles::info(d.path);
    return now.size == d.fileSize && now.modified == d.modified;
}

} // namespace

struct PictureCache::Private {
    mutable QMutex mutex;
    QWaitCondition ready;
    QHash<QString, FileSlots> files; // by file key
    qint64 capacity = qint64(160) << 20;
    qint64 cost = 0;
    quint64 clock = 0;
    Stats stats;
    QThreadPool pool;

    // The decode that serves this scale: the smallest one of at least that scale. Caller holds
    // the mutex.
    std::pair<int, SlotPtr> covering(const QString &key, int level)
    {
        auto it = files.find(key);
        if (it == files.end())
            return {0, {}};
        // A larger decode that failed (a whole picture past the memory limit) does not stand for
        // a smaller one, which may well succeed.
        const auto &decodes = it.value().decodes;
        for (auto s = decodes.lower_bound(level); s != decodes.end(); ++s) {
            const bool failed = s->second->state == State::Ready && s->second->image.isNull();
            if (!failed || s->first == level)
                return {s->first, s->second};
        }
        return {0, {}};
    }

    SlotPtr drawing(const QString &key, const QSize &size)
    {
        auto it = files.find(key);
        if (it == files.end())
            return {};
        auto d = it.value().drawings.find(sizeKey(size));
        return d == it.value().drawings.end() ? SlotPtr() : d->second;
    }

    // Least recently used first, decodes and drawings alike. Caller holds the mutex.
    void evict()
    {
        while (cost > capacity) {
            FileSlots *victimFile = nullptr;
            QString victimKey;
            SlotPtr victim;
            const auto consider = [&](FileSlots &f, const QString &key, const SlotPtr &slot) {
                if (slot->state == State::Ready && (!victim || slot->lastUse < victim->lastUse)) {
                    victim = slot;
                    victimFile = &f;
                    victimKey = key;
                }
            };
            for (auto f = files.begin(); f != files.end(); ++f) {
                for (const auto &[level, slot] : f.value().decodes)
                    consider(f.value(), f.key(), slot);
                for (const auto &[size, slot] : f.value().drawings)
                    consider(f.value(), f.key(), slot);
            }
            if (!victim)
                return;
            cost -= victim->cost;
            std::erase_if(victimFile->decodes, [&](const auto &e) { return e.second == victim; });
            std::erase_if(victimFile->drawings, [&](const auto &e) { return e.second == victim; });
            if (victimFile->empty())
                files.remove(victimKey);
        }
    }

    // Publishes what a thread made for a slot it claimed: kept while it is still the slot in
    // place, the file has not changed meanwhile and it fits in the cache. Caller holds the mutex.
    void publish(const SlotPtr &slot, const QImage &image, bool unchanged, const std::function<bool()> &stillInPlace,
                 const std::function<void()> &drop)
    {
        slot->image = image;
        slot->state = State::Ready;
        slot->lastUse = ++clock;
        slot->cost = image.sizeInBytes() + 256;
        if (stillInPlace()) {
            if (!unchanged || slot->cost > capacity) {
                drop();
            } else {
                cost += slot->cost;
                evict();
            }
        }
        ready.wakeAll();
    }

    // Decodes into a slot this thread has claimed, then publishes it.
    void fill(const std::shared_ptr<const Picture::Data> &d, const QString &key, int level,
              const SlotPtr &slot)
    {
        const QImage image = decode(*d, level);
        // A file changed while it was read is handed out but not kept under the old key.
        const bool unchanged = unchangedSince(*d);
        QMutexLocker lock(&mutex);
        ++stats.decodes;
        publish(
            slot, image, unchanged,
            [&] {
                auto f = files.find(key);
                return f != files.end() && f.value().decodes.count(level) && f.value().decodes[level] == slot;
            },
            [&] {
                auto f = files.find(key);
                f.value().decodes.erase(level);
                if (f.value().empty())
                    files.erase(f);
            });
    }

    // The decode that serves a drawing at this scale: kept, being made (waited for), or made here.
    // Drawings made on workers are not counted as the windows' hits and waits.
    QImage decoded(const std::shared_ptr<const Picture::Data> &d, const QString &key, int level, bool counted)
    {
        QMutexLocker lock(&mutex);
        auto [slotLevel, slot] = covering(key, level);
        if (slot && slot->state == State::Queued) {
            // Nobody has started on it yet: decode it here rather than wait.
            slot->state = State::Decoding;
            lock.unlock();
            fill(d, key, slotLevel, slot);
            lock.relock();
        } else if (slot && slot->state == State::Decoding) {
            if (counted)
                ++stats.waits;
            while (slot->state != State::Ready)
                ready.wait(&mutex);
        } else if (slot) {
            if (counted)
                ++stats.hits;
        } else {
            slot = std::make_shared<Slot>();
            slot->state = State::Decoding;
            files[key].decodes[level] = slot;
            lock.unlock();
            fill(d, key, level, slot);
            lock.relock();
        }
        slot->lastUse = ++clock;
        return slot->image;
    }

    // Makes a drawing at its exact size for a slot this thread has claimed, then publishes it.
    void draw(const std::shared_ptr<const Picture::Data> &d, const QString &key, int level, const QSize &size,
              const SlotPtr &slot)
    {
        const QImage image = scaledTo(decoded(d, key, level, false), size);
        const bool unchanged = unchangedSince(*d);
        QMutexLocker lock(&mutex);
        publish(
            slot, image, unchanged && !image.isNull(), [&] { return drawing(key, size) == slot; },
            [&] {
                auto f = files.find(key);
                f.value().drawings.erase(sizeKey(size));
                if (f.value().empty())
                    files.erase(f);
            });
    }
};

PictureCache &PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

PictureCache::PictureCache() : p(std::make_unique<Private>())
{
    p->pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount() - 1));
    // Photographs of up to about 250 megapixels may be decoded whole (copy, print); a header
    // claiming more is refused by the reader instead of exhausting memory.
    if (QImageReader::allocationLimit() < 1024)
        QImageReader::setAllocationLimit(1024);
}

PictureCache::~PictureCache()
{
    p->pool.waitForDone();
}

QImage PictureCache::image(const Picture &picture, const QSize &drawnSize)
{
    if (picture.isNull() || drawnSize.isEmpty())
        return {};
    const auto d = picture.d;
    if (d->path.isEmpty())
        return scaledTo(d->memory, drawnSize);

    const QString key = fileKey(*d);
    const int level = levelFor(*d, drawnSize);
    {
        // A drawing prepared at exactly this size.
        QMutexLocker lock(&p->mutex);
        if (SlotPtr slot = p->drawing(key, drawnSize)) {
            if (slot->state == State::Queued) {
                slot->state = State::Decoding;
                lock.unlock();
                p->draw(d, key, level, drawnSize, slot);
                lock.relock();
            } else if (slot->state == State::Decoding) {
                ++p->stats.waits;
                while (slot->state != State::Ready)
                    p->ready.wait(&p->mutex);
            } else {
                ++p->stats.hits;
            }
            ++p->stats.prepared;
            slot->lastUse = ++p->clock;
            return slot->image;
        }
    }
    return scaledTo(p->decoded(d, key, level, true), drawnSize);
}

QImage PictureCache::fullImage(const Picture &picture)
{
    if (picture.isNull())
        return {};
    return image(picture, picture.size());
}

void PictureCache::prepare(const Picture &picture, const QSize &drawnSize)
{
    if (picture.isNull() || drawnSize.isEmpty() || picture.d->path.isEmpty())
        return;
    const auto d = picture.d;
    const QString key = fileKey(*d);
    const int level = levelFor(*d, drawnSize);
    // Drawn at the decode's own size, the decode itself is the drawing.
    const bool ownSize = levelSize(d->size, level) == drawnSize;
    SlotPtr slot;
    {
        QMutexLocker lock(&p->mutex);
        // The decode is claimed now, so that drawings of the file asked for meanwhile wait for
        // this one decode instead of making their own.
        const bool decodeKept = bool(p->covering(key, level).second);
        if (p->drawing(key, drawnSize) || (ownSize && decodeKept))
            return;
        if (!decodeKept)
            p->files[key].decodes[level] = std::make_shared<Slot>();
        if (!ownSize) {
            slot = std::make_shared<Slot>();
            p->files[key].drawings[sizeKey(drawnSize)] = slot;
        }
    }
    (void)QtConcurrent::run(&p->pool, [this, d, key, level, drawnSize, slot] {
        if (!slot) {
            p->decoded(d, key, level, false);
            return;
        }
        {
            QMutexLocker lock(&p->mutex);
            if (slot->state != State::Queued)
                return; // the window's own request took it over
            slot->state = State::Decoding;
        }
        p->draw(d, key, level, drawnSize, slot);
    });
}

QSize PictureCache::decodeSize(const Picture &picture, const QSize &drawnSize)
{
    if (picture.isNull())
        return {};
    return levelSize(picture.d->size, levelFor(*picture.d, drawnSize));
}

bool PictureCache::canDecode(const QByteArray &format, const QSize &size)
{
    instance(); // the reader's limit is the cache's from here on
    const qint64 limitBytes = qint64(QImageReader::allocationLimit()) << 20;
    if (limitBytes <= 0)
        return true;
    const int eighths = format == "jpeg" ? 1 : Whole;
    const qint64 w = std::max<qint64>(1, qint64(size.width()) * eighths / 8);
    const qint64 h = std::max<qint64>(1, qint64(size.height()) * eighths / 8);
    return w * h * 4 <= limitBytes; // 32 bits a pixel, as the readers decode
}

void PictureCache::setCapacity(qint64 bytes)
{
    QMutexLocker lock(&p->mutex);
    p->capacity = std::max<qint64>(0, bytes);
    p->evict();
}

qint64 PictureCache::capacity() const
{
    QMutexLocker lock(&p->mutex);
    return p->capacity;
}

qint64 PictureCache::cost() const
{
    QMutexLocker lock(&p->mutex);
    return p->cost;
}

void PictureCache::clear()
{
    QMutexLocker lock(&p->mutex);
    const auto dropReady = [this](auto &kept) {
        for (auto s = kept.begin(); s != kept.end();) {
            if (s->second->state == State::Ready) {
                p->cost -= s->second->cost;
                s = kept.erase(s);
            } else {
                ++s;
            }
        }
    };
    for (auto f = p->files.begin(); f != p->files.end();) {
        dropReady(f.value().decodes);
        dropReady(f.value().drawings);
        f = f.value().empty() ? p->files.erase(f) : std::next(f);
    }
}

void PictureCache::waitForPrepared()
{
    p->pool.waitForDone();
}

PictureCache::Stats PictureCache::stats() const
{
    QMutexLocker lock(&p->mutex);
    return p->stats;
}

void PictureCache::resetStats()
{
    QMutexLocker lock(&p->mutex);
    p->stats = Stats();
}
