#include "net/http.h"

#include "core/common.h"
#include "platform/board.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

void chk(const LogLine& log, const QString& line) {
    if (log)
        log(line);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool waitForReply(QNetworkAccessManager* manager, QNetworkReply* reply, int timeoutSeconds,
                  const QString& name, const LogLine& log, QByteArray& body) {
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(timeoutSeconds * 1000);
    QEventLoop loop;
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start();
    if (!reply->isFinished())
        loop.exec();
    chk(log, name + " ++ 1");

    if (!timer.isActive()) {
        chk(log, "[R] F");
        QObject::disconnect(reply, &QNetworkReply::finished, nullptr, nullptr);
        reply->abort();
        reply->deleteLater();
        manager->deleteLater();
        chk(log, name + " --");
        return false;
    }
    timer.stop();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    chk(log, QString("[R] C [%1] R [%2]").arg(status).arg(int(reply->error())));
    if (reply->error() != QNetworkReply::NoError || !reply->isFinished()) {
        reply->deleteLater();
        manager->deleteLater();
        chk(log, name + " --");
        return false;
    }
    body = reply->readAll();
    chk(log, "[R] P [" + QString::fromUtf8(body) + "]");
    reply->deleteLater();
    manager->deleteLater();
    return true;
}

QString common::httpPostRequest(const QString& url, const QByteArray& body, int timeoutSeconds) {
    saveCHK2File(QString("httpPostRequest ++ [S] [%1] [%2] [%3] ==1==")
                     .arg(url, QString::fromUtf8(body))
                     .arg(body.size()));
    auto* manager = new QNetworkAccessManager(this);
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    QNetworkReply* reply = manager->post(request, body);
    QByteArray answer;
    if (!waitForReply(manager, reply, timeoutSeconds, "httpPostRequest", chkLine(), answer))
        return QString();
    return QString::fromUtf8(answer);
}

QString common::httpPostRequestWithFile(const QString& url, int timeoutSeconds,
                                        QMap<QString, QString>& fields, const QString& fileField,
                                        const QString& filePath) {
    const QString name = "httpPostRequestWithFile";
    saveCHK2File(QString("%1 ++ [S] ==1== [%2] [%3]").arg(name, url).arg(timeoutSeconds));
    auto* manager = new QNetworkAccessManager(this);
    auto* multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        saveCHK2File(QString("%1 ++ [S] ==2== [%2] [%3]").arg(name, it.key(), it.value()));
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       "form-data; name=\"" + it.key() + "\"");
        part.setBody(it.value().toUtf8());
        multi->append(part);
    }
    saveCHK2File(QString("%1 ++ [S] ==3== [%2] [%3]").arg(name, fileField, filePath));
    // The part names the file by its board path; the bytes come from where the board keeps it.
    auto* file = new QFile(board::path(filePath), multi);
    file->open(QIODevice::ReadOnly);
    saveCHK2File(QString("%1 ++ [S] ==4== [%2]").arg(name).arg(file->size()));
    QHttpPart filePart;
    filePart.setHeader(QNetworkRequest::ContentTypeHeader, "video/mpeg");
    filePart.setHeader(QNetworkRequest::ContentDispositionHeader,
                       "form-data; name=\"" + fileField + "\"; filename=\"" + filePath + "\"");
    filePart.setBodyDevice(file);
    multi->append(filePart);

    QNetworkReply* reply = manager->post(QNetworkRequest{QUrl(url)}, multi);
    multi->setParent(reply);
    QByteArray answer;
    if (!waitForReply(manager, reply, timeoutSeconds, name, chkLine(), answer))
        return QString();
    return QString::fromUtf8(answer);
}

QString percentDecode(const char* text) {
    QByteArray out;
    for (const char* p = text; *p; ++p) {
        if (*p != '%') {
            out.append(*p);
            continue;
        }
        // A "%" without two characters after it is kept as it stands: nothing is read past
        // the terminating zero.
        if (!p[1] || !p[2]) {
            out.append(p);
            break;
        }
        // A character that is not a hexadecimal digit counts as -1.
        out.append(static_cast<char>((16 * hexDigit(p[1]) + hexDigit(p[2])) & 0xFF));
        p += 2;
    }
    const qsizetype zero = out.indexOf('\0');
    if (zero >= 0)
        out.truncate(zero);
    return QString::fromUtf8(out);
}
