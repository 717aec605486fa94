#include "core/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr off_t kTornTailBytes = 64 * 1024; // far more than a record

// Where the torn record at the end of a file of `size` bytes began, by `tornFrom` on the
// file's last bytes; -1 when it cannot be told (a start at the tail's first byte is one
// only when the tail is the whole file).
off_t tornRecordAt(int fd, off_t size, const TornRecordStart& tornFrom) {
    if (!tornFrom)
        return -1;
    const off_t from = std::max<off_t>(0, size - kTornTailBytes);
    QByteArray tail(qsizetype(size - from), '\0');
    if (::pread(fd, tail.data(), size_t(tail.size()), from) != tail.size())
        return -1;
    const qsizetype start = tornFrom(tail);
    if (start < 0 || start >= tail.size() || (start == 0 && from > 0))
        return -1;
    return from + start;
}

// Makes the rename itself durable.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool renameDurably(const QString& from, const QString& to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return false;
    syncFolder(QFileInfo(to).absolutePath());
    return true;
}

bool ensureFolder(const QString& folder) {
    QDir dir(folder);
    return dir.exists() || dir.mkpath(".");
}

bool readTextCreatingFile(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Text))
        return false;
    QByteArray bytes = file.readAll();
    // Zero bytes are what a file system leaves of a write that never reached the disk; a
    // text has none. They are skipped, so the records written after them stay readable.
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
    text = QString::fromUtf8(bytes);
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".tmp";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, data.constData(), size_t(data.size())) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || !renameDurably(QFile::decodeName(temporary), path)) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

bool appendLineDurably(const QString& path, const QByteArray& line,
                       const TornRecordStart& tornFrom) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    off_t size = ::lseek(fd, 0, SEEK_END);
    QByteArray bytes = line;
    char last = '\n';
    if (size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n') {
        const off_t cut = tornRecordAt(fd, size, tornFrom);
        if (cut >= 0 && ::ftruncate(fd, cut) == 0 && ::lseek(fd, cut, SEEK_SET) == cut)
            size = cut;
        else
            bytes.prepend('\n');
    }
    bool ok =
        size >= 0 && writeAll(fd, bytes.constData(), size_t(bytes.size())) && ::fsync(fd) == 0;
    if (!ok && size >= 0 && ::ftruncate(fd, size) == 0)
        ::fsync(fd);
    ok = ::close(fd) == 0 && ok;
    return ok;
}
