#include "PictureCache.h"

#include "PictureData.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>
#include <QtConcurrent>

#include <algorithm>
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
    QFile file(d.path);
    if (!file.open(QIODevice::ReadOnly))
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

} // namespace

struct PictureCache::Private {
    mutable QMutex mutex;
    QWaitCondition ready;
    // file key -> decode scale (eighths) -> decode
    QHash<QString, std::map<int, SlotPtr>> files;
    qint64 capacity = qint64(384) << 20;
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
        for (auto s = it.value().lower_bound(level); s != it.value().end(); ++s) {
            const bool failed = s->second->state == State::Ready && s->second->image.isNull();
            if (!failed || s->first == level)
                return {s->first, s->second};
        }
        return {0, {}};
    }

    void evict()
    {
        while (cost > capacity) {
            QString victimKey;
            int victimLevel = 0;
            quint64 oldest = ~quint64(0);
            for (auto f = files.cbegin(); f != files.cend(); ++f)
                for (const auto &[level, slot] : f.value())
                    if (slot->state == State::Ready && slot->lastUse < oldest) {
                        oldest = slot->lastUse;
                        victimKey = f.key();
                        victimLevel = level;
                    }
            if (oldest == ~quint64(0))
                return;
            auto f = files.find(victimKey);
            cost -= f.value()[victimLevel]->cost;
            f.value().erase(victimLevel);
            if (f.value().empty())
                files.erase(f);
        }
    }

    // Decodes into a slot this thread has claimed, then publishes it.
    void fill(const std::shared_ptr<const Picture::Data> &d, const QString &key, int level,
              const SlotPtr &slot)
    {
        QImage image = decode(*d, level);
        // A file changed while it was read is handed out but not kept under the old key.
        const QFileInfo now(d->path);
        const bool unchanged = now.size() == d->fileSize
                               && now.lastModified().toMSecsSinceEpoch() == d->modified;
        QMutexLocker lock(&mutex);
        ++stats.decodes;
        slot->image = image;
        slot->state = State::Ready;
        slot->lastUse = ++clock;
        slot->cost = image.sizeInBytes() + 256;
        auto f = files.find(key);
        const bool kept = f != files.end() && f.value().count(level) && f.value()[level] == slot;
        if (kept) {
            if (!unchanged || slot->cost > capacity) {
                f.value().erase(level);
                if (f.value().empty())
                    files.erase(f);
            } else {
                cost += slot->cost;
                evict();
            }
        }
        ready.wakeAll();
    }
};

PictureCache &PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

PictureCache::PictureCache() : p(new Private)
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
    delete p;
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
    QImage decoded;
    {
        QMutexLocker lock(&p->mutex);
        auto [slotLevel, slot] = p->covering(key, level);
        if (slot && slot->state == State::Queued) {
            // A worker has not started on it yet: decode it here rather than wait.
            slot->state = State::Decoding;
            lock.unlock();
            p->fill(d, key, slotLevel, slot);
            lock.relock();
        } else if (slot && slot->state == State::Decoding) {
            ++p->stats.waits;
            while (slot->state != State::Ready)
                p->ready.wait(&p->mutex);
        } else if (slot) {
            ++p->stats.hits;
        } else {
            slot = std::make_shared<Slot>();
            slot->state = State::Decoding;
            p->files[key][level] = slot;
            lock.unlock();
            p->fill(d, key, level, slot);
            lock.relock();
        }
        slot->lastUse = ++p->clock;
        decoded = slot->image;
    }
    return scaledTo(decoded, drawnSize);
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
    SlotPtr slot;
    {
        QMutexLocker lock(&p->mutex);
        if (p->covering(key, level).second)
            return;
        slot = std::make_shared<Slot>();
        p->files[key][level] = slot;
    }
    (void)QtConcurrent::run(&p->pool, [this, d, key, level, slot] {
        {
            QMutexLocker lock(&p->mutex);
            if (slot->state != State::Queued)
                return; // the window's own request took it over
            slot->state = State::Decoding;
        }
        p->fill(d, key, level, slot);
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
    for (auto f = p->files.begin(); f != p->files.end();) {
        for (auto s = f.value().begin(); s != f.value().end();) {
            if (s->second->state == State::Ready) {
                p->cost -= s->second->cost;
                s = f.value().erase(s);
            } else {
                ++s;
            }
        }
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
