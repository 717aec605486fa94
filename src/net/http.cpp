#include "net/http.h"

#include "core/log.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QTimer>

namespace {

constexpr qint64 kReadBufferBytes = 256 * 1024; // of a reply's body, between two drains

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

bool waitForReplyInto(QNetworkAccessManager* manager, QNetworkReply* reply, int timeoutSeconds,
                      const QString& name, const LogLine& log, const BodySink& sink) {
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(timeoutSeconds * 1000);
    QEventLoop loop;
    bool refused = false;
    // Qt would otherwise read the whole body off the socket before the sink sees any of
    // it, whenever the loop is slow to run: a body far longer than the sink takes (an
    // image larger than announced) would be held whole before it is refused.
    reply->setReadBufferSize(kReadBufferBytes);
    auto drain = [&] {
        if (!refused && reply->bytesAvailable() > 0 && !sink(reply->readAll())) {
            refused = true;
            loop.quit();
        }
    };
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The request fails on its own; this says why, for whoever reads the log.
    QObject::connect(reply, &QNetworkReply::sslErrors, &loop, [&](const QList<QSslError>& errors) {
        for (const QSslError& e : errors)
            qCWarning(lcNet, "TLS: %s: %s", qPrintable(reply->url().host()),
                      qPrintable(e.errorString()));
    });
    timer.start();
    if (!reply->isFinished())
        loop.exec();
    chk(log, name + " ++ 1");

    auto fail = [&] {
        QObject::disconnect(reply, nullptr, &loop, nullptr);
        reply->abort();
        reply->deleteLater();
        manager->deleteLater();
        chk(log, name + " --");
        return false;
    };
    if (!timer.isActive()) {
        chk(log, "[R] F");
        return fail();
    }
    timer.stop();
    if (refused)
        return fail();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    chk(log, QString("[R] C [%1] R [%2]").arg(status).arg(int(reply->error())));
    if (reply->error() != QNetworkReply::NoError || !reply->isFinished())
        return fail();
    drain();
    if (refused)
        return fail();
    reply->deleteLater();
    manager->deleteLater();
    return true;
}

bool waitForReply(QNetworkAccessManager* manager, QNetworkReply* reply, int timeoutSeconds,
                  const QString& name, const LogLine& log, QByteArray& body) {
    QByteArray collected;
    const bool ok = waitForReplyInto(manager, reply, timeoutSeconds, name, log,
                                     [&collected](const QByteArray& piece) {
                                         collected += piece;
                                         return true;
                                     });
    if (!ok)
        return false;
    body = collected;
    chk(log, "[R] P [" + QString::fromUtf8(body) + "]");
    return true;
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
