#include "capture/camera_retry.h"

#include "core/log.h"
#include "core/paths.h"
#include "platform/board.h"

#include <QFile>

int getCameraRetryCount() {
    QFile f(board::path(QString::fromLatin1(paths::kCameraRetryFile)));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    bool ok = false;
    const int n = QString::fromUtf8(f.readAll()).trimmed().toInt(&ok, 10);
    return ok ? n : 2;
}

void setCameraRetryCount(int count) {
    const QString file = board::path(QString::fromLatin1(paths::kCameraRetryFile));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        qCWarning(lcCapture) << "can not open file for write" << file;
        return;
    }
    f.write(QByteArray::number(count));
}
