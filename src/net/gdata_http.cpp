// GData's HTTP GET and text decoding.
#include "app/gdata.h"

#include "core/files.h"
#include "net/http.h"

#include <QDebug>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <fcntl.h>
#include <unistd.h>

bool GData::httpGetRequest(const QString& url, int timeoutSeconds, QByteArray& out) {
    qDebug("httpGetRequest = %s", qPrintable(url));
    auto* manager = new QNetworkAccessManager();
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    QNetworkReply* reply = manager->get(request);
    QByteArray body;
    if (!waitForReply(manager, reply, timeoutSeconds, "httpGetRequest", LogLine(), body))
        return false;
    out = body;
    return true;
}

bool GData::httpGetToFile(const QString& url, int timeoutSeconds, const QString& path,
                          qint64 maxBytes, qint64& received) {
    qDebug("httpGetRequest = %s", qPrintable(url));
    received = 0;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        qDebug("httpGetToFile: cannot write %s", qPrintable(path));
        return false;
    }
    auto* manager = new QNetworkAccessManager();
    QNetworkReply* reply = manager->get(QNetworkRequest{QUrl(url)});
    bool tooLong = false, written = true;
    const bool answered = waitForReplyInto(
        manager, reply, timeoutSeconds, "httpGetRequest", LogLine(), [&](const QByteArray& piece) {
            received += piece.size();
            tooLong = received > maxBytes;
            written = !tooLong && writeAll(fd, piece.constData(), size_t(piece.size()));
            return written;
        });
    if (tooLong)
        qDebug("httpGetToFile: more than the %lld bytes expected",
               static_cast<long long>(maxBytes));
    else if (!written)
        qDebug("httpGetToFile: cannot write %s", qPrintable(path));
    // On storage before anything relies on it: a power cut must not leave a cut image.
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return answered && synced && closed;
}

QString GData::urldecode(const char* text) {
    return percentDecode(text);
}
