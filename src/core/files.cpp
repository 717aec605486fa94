#include "core/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

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

bool appendLineDurably(const QString& path, const QByteArray& line) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const off_t size = ::lseek(fd, 0, SEEK_END);
    QByteArray bytes = line;
    char last = '\n';
    if (size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n')
        bytes.prepend('\n');
    bool ok =
        size >= 0 && writeAll(fd, bytes.constData(), size_t(bytes.size())) && ::fsync(fd) == 0;
    if (!ok && size >= 0 && ::ftruncate(fd, size) == 0)
        ::fsync(fd);
    ok = ::close(fd) == 0 && ok;
    return ok;
}
