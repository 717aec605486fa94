#include "app/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool ensureFolder(const QString& folder) {
    QDir dir(folder);
    return dir.exists() || dir.mkpath(".");
}

bool readTextCreatingFile(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Text))
        return false;
    QByteArray bytes = file.readAll();
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    text = QString::fromUtf8(bytes);
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    // commit() flushes and syncs the temporary file before renaming it.
    if (!file.commit())
        return false;
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}
