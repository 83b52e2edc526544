#include "LocalFiles.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LocalFiles {

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // a kept byte b stands as U+DC00 + b (b >= 0x80)

bool isEscape(const QString &s, qsizetype i)
{
    const char16_t c = s.at(i).unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !QChar::isHighSurrogate(s.at(i - 1).unicode()));
}

// The length of the valid UTF-8 sequence starting at p (at most n bytes there); 0 when none.
int sequenceLength(const unsigned char *p, qsizetype n)
{
    const unsigned char b = p[0];
    const auto tail = [&](int i) { return i < n && (p[i] & 0xC0) == 0x80; };
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return tail(1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        // No overlong forms, no encoded surrogates.
        const unsigned char lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
        return n > 1 && p[1] >= lo && p[1] <= hi && tail(2) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
        return n > 1 && p[1] >= lo && p[1] <= hi && tail(2) && tail(3) ? 4 : 0;
    }
    return 0;
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void setError(QString *error, int code)
{
    if (error)
        *error = systemError(code);
}

} // namespace

QString decodeName(const QByteArray &bytes)
{
    // Valid UTF-8 as a rule; the decoder marks what is not with U+FFFD, which a valid name may
    // hold as well: such names are read again byte by byte.
    QString name = QString::fromUtf8(bytes);
    if (!name.contains(QChar::ReplacementCharacter))
        return name;
    name.clear();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int length = sequenceLength(p + i, n - i);
        if (length == 0) {
            name += QChar(char16_t(kEscapeBase + p[i]));
            ++i;
        } else {
            name += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        }
    }
    return name;
}

QByteArray encodeName(const QString &name)
{
    if (name.isValidUtf16())
        return name.toUtf8();
    QByteArray bytes;
    qsizetype start = 0; // the run of ordinary text not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isEscape(name, i))
            continue;
        bytes += name.mid(start, i - start).toUtf8();
        bytes += char(name.at(i).unicode() - kEscapeBase);
        start = i + 1;
    }
    bytes += name.mid(start).toUtf8();
    return bytes;
}

QString displayName(const QString &name)
{
    if (name.isValidUtf16())
        return name;
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isEscape(name, i))
            shown[i] = QChar::ReplacementCharacter;
    return shown;
}

Info info(const QString &path)
{
    Info result;
    struct stat st;
    if (path.isEmpty() || ::stat(encodeName(path).constData(), &st) != 0)
        return result;
    result.exists = true;
    result.isFile = S_ISREG(st.st_mode);
    result.size = st.st_size;
    result.modified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    return result;
}

bool openForReading(QFile &file, const QString &path, QString *error)
{
    // Not blocking on a pipe that has taken a picture's name: only regular files are read.
    const int fd = ::open(encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        setError(error, errno);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        setError(error, EINVAL);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool remove(const QString &path, QString *error)
{
    if (::unlink(encodeName(path).constData()) == 0 || errno == ENOENT)
        return true;
    setError(error, errno);
    return false;
}

bool writeWhole(const QString &path, const QByteArray &data, QString *error)
{
    const QByteArray target = encodeName(path);
    struct stat old;
    const bool replacing = ::stat(target.constData(), &old) == 0;
    // A new name beside the file, made with the permissions a new file gets.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        setError(error, errno);
        return false;
    }
    int failure = 0;
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0)
        failure = errno;
    for (qsizetype done = 0; !failure && done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno != EINTR)
            failure = errno;
        else if (n > 0)
            done += n;
    }
    if (!failure && ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && !failure)
        failure = errno;
    if (!failure && ::rename(temporary.constData(), target.constData()) != 0)
        failure = errno;
    if (failure) {
        ::unlink(temporary.constData());
        setError(error, failure);
        return false;
    }
    return true;
}

} // namespace LocalFiles
