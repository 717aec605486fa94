#include "net/http_client.h"

#include "core/files.h"
#include "core/log.h"
#include "net/http.h"
#include "net/http_upload.h"
#include "net/tls_trust.h"
#include "platform/board.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <fcntl.h>
#include <unistd.h>

HttpClient::HttpClient(QObject* parent) : QObject(parent) {}

namespace {

// Every request verifies the server's certificate against what the device trusts
// (net/tls_trust.h) when the address is https://.
QNetworkRequest requestFor(const QString& url) {
    QNetworkRequest request{QUrl(url)};
    request.setSslConfiguration(tls::clientConfiguration());
    return request;
}

constexpr qint64 kMaxSmallBody = 1 << 20; // version files, lists and replies are lines

} // namespace

void HttpClient::chk(const QString& text) {
    logs::chkLine(lcNet(), text);
}

LogLine HttpClient::chkSink() {
    return [](const QString& text) { logs::chkLine(lcNet(), text); };
}

QString HttpClient::httpPostRequest(const QString& url, const QByteArray& body,
                                    int timeoutSeconds) {
    chk(QString("httpPostRequest ++ [S] [%1] [%2] [%3] ==1==")
            .arg(url, QString::fromUtf8(body))
            .arg(body.size()));
    auto* manager = new QNetworkAccessManager(this);
    QNetworkRequest request = requestFor(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    QNetworkReply* reply = manager->post(request, body);
    QByteArray answer;
    if (!waitForReply(manager, reply, timeoutSeconds, "httpPostRequest", chkSink(), answer))
        return QString();
    return QString::fromUtf8(answer);
}

// Sent once on a connection of its own (net/http_upload.h): a dropped connection must not
// make the server analyse the same recording twice.
QString HttpClient::httpPostRequestWithFile(const QString& url, int timeoutSeconds,
                                            QMap<QString, QString>& fields,
                                            const QString& fileField, const QString& filePath,
                                            bool* reached, const QString& readFrom, int* status) {
    const QString name = "httpPostRequestWithFile";
    chk(QString("%1 ++ [S] ==1== [%2] [%3]").arg(name, url).arg(timeoutSeconds));
    QList<QPair<QByteArray, QByteArray>> parts;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        chk(QString("%1 ++ [S] ==2== [%2] [%3]").arg(name, it.key(), it.value()));
        parts.append({it.key().toUtf8(), it.value().toUtf8()});
    }
    chk(QString("%1 ++ [S] ==3== [%2] [%3]").arg(name, fileField, filePath));
    // The part names the file by its board path; the bytes come from where the board keeps it.
    const UploadFile file{fileField.toUtf8(), filePath.toUtf8(),
                          readFrom.isEmpty() ? board::path(filePath) : readFrom, "video/mpeg"};
    chk(QString("%1 ++ [S] ==4== [%2]").arg(name).arg(QFileInfo(file.path).size()));

    const UploadAnswer answer = postFile(QUrl(url), parts, file, timeoutSeconds);
    if (reached)
        *reached = answer.answered && answer.status < 500;
    if (status)
        *status = answer.answered ? answer.status : 0;
    chk(name + " ++ 1");
    if (!answer.answered) {
        chk("[R] F [" + answer.failure + "]");
        chk(name + " --");
        return QString();
    }
    chk(QString("[R] C [%1]").arg(answer.status));
    if (answer.status / 100 != 2) {
        chk(name + " --");
        return QString();
    }
    chk("[R] P [" + QString::fromUtf8(answer.body) + "]");
    return QString::fromUtf8(answer.body);
}

bool HttpClient::httpGetRequest(const QString& url, int timeoutSeconds, QByteArray& out) {
    qCDebug(lcNet, "httpGetRequest = %s", qPrintable(url));
    auto* manager = new QNetworkAccessManager();
    QNetworkRequest request = requestFor(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    QNetworkReply* reply = manager->get(request);
    // A server that never stops sending must not fill the memory.
    QByteArray body;
    const bool answered = waitForReplyInto(manager, reply, timeoutSeconds, "httpGetRequest",
                                           LogLine(), [&body](const QByteArray& piece) {
                                               body += piece;
                                               return body.size() <= kMaxSmallBody;
                                           });
    if (!answered)
        return false;
    out = body;
    return true;
}

bool HttpClient::httpGetToFile(const QString& url, int timeoutSeconds, const QString& path,
                               qint64 maxBytes, qint64& received) {
    qCDebug(lcNet, "httpGetRequest = %s", qPrintable(url));
    received = 0;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        qCWarning(lcNet, "httpGetToFile: cannot write %s", qPrintable(path));
        return false;
    }
    auto* manager = new QNetworkAccessManager();
    QNetworkReply* reply = manager->get(requestFor(url));
    bool tooLong = false, written = true;
    const bool answered = waitForReplyInto(
        manager, reply, timeoutSeconds, "httpGetRequest", LogLine(), [&](const QByteArray& piece) {
            received += piece.size();
            tooLong = received > maxBytes;
            written = !tooLong && writeAll(fd, piece.constData(), size_t(piece.size()));
            return written;
        });
    if (tooLong)
        qCDebug(lcNet, "httpGetToFile: more than the %lld bytes expected",
                static_cast<long long>(maxBytes));
    else if (!written)
        qCWarning(lcNet, "httpGetToFile: cannot write %s", qPrintable(path));
    // On storage before anything relies on it: a power cut must not leave a cut image.
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return answered && synced && closed;
}
