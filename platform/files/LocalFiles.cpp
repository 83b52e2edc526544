#include "LocalFiles.h"

#include "KeptBytes.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LocalFiles {

namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void setError(QString *error, int code)
{
    if (error)
        *error = systemError(code);
}

// What a file-system entry is, from its status.
Info infoOf(const struct stat &st)
{
    Info result;
    result.exists = true;
    result.isFile = S_ISREG(st.st_mode);
    result.size = st.st_size;
    result.modified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    return result;
}

// The file a name stands for, its links followed (as many as the system itself follows); a link
// to no file gives the name it points to, where the file will be made. False, with errno, for a
// loop of links.
bool followLinks(QByteArray &name)
{
    for (int step = 0; step < 40; ++step) {
        struct stat st;
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        QByteArray target(qsizetype(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, Qt::Uninitialized);
        const ssize_t n = ::readlink(name.constData(), target.data(), size_t(target.size()));
        if (n < 0)
            return false;
        if (n >= target.size())
            continue; // the link changed meanwhile: read it again
        target.truncate(n);
        // A relative link is read from the link's own folder.
        if (!target.startsWith('/')) {
            const qsizetype slash = name.lastIndexOf('/');
            if (slash >= 0)
                target.prepend(name.left(slash + 1));
        }
        name = target;
    }
    errno = ELOOP;
    return false;
}

} // namespace

QString decodeName(const QByteArray &bytes)
{
    return KeptBytes::decode(bytes);
}

QByteArray encodeName(const QString &name)
{
    return KeptBytes::encode(name);
}

QString displayName(const QString &name)
{
    return KeptBytes::shown(name);
}

Info info(const QString &path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(encodeName(path).constData(), &st) != 0)
        return {};
    return infoOf(st);
}

bool openForReading(QFile &file, const QString &path, QString *error, Info *opened)
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
    if (opened)
        *opened = infoOf(st);
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
    // A link stays a link: the file it leads to is replaced, from beside that file.
    QByteArray target = encodeName(path);
    if (!followLinks(target)) {
        setError(error, errno);
        return false;
    }
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
