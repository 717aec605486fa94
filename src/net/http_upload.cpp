#include "net/http_upload.h"

#include "core/log.h"
#include "net/tls_trust.h"

#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QSslSocket>
#include <QTimer>

namespace {

constexpr qint64 kPiece = 64 * 1024;     // read from the file at a time
constexpr qint64 kInFlight = 256 * 1024; // queued in the socket before waiting
constexpr qsizetype kMaxReply = 1 << 20; // an analysis reply is a line of numbers
constexpr int kMaxInterimReplies = 8;    // servers send one 100 Continue, or a 103 or two

QByteArray boundary() {
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return "vistrel-" + QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
}

QByteArray partHead(const QByteArray& bound, const QByteArray& type,
                    const QByteArray& disposition) {
    return "--" + bound + "\r\nContent-Type: " + type + "\r\nContent-Disposition: " + disposition +
           "\r\n\r\n";
}

// Decodes a chunked body. True when it is whole; false when more must come first.
bool dechunk(const QByteArray& raw, QByteArray& body, bool& malformed) {
    body.clear();
    qsizetype at = 0;
    for (;;) {
        const qsizetype eol = raw.indexOf("\r\n", at);
        if (eol < 0)
            return false;
        bool ok = false;
        const QByteArray sizeText = raw.mid(at, eol - at).split(';').first().trimmed();
        const qint64 size = sizeText.toLongLong(&ok, 16);
        if (!ok || size < 0 || size > kMaxReply) {
            malformed = true;
            return true;
        }
        at = eol + 2;
        if (size == 0)
            return raw.indexOf("\r\n", at) >= 0; // the trailer section ends with an empty line
        if (raw.size() < at + size + 2)
            return false;
        body += raw.mid(at, size);
        at += size + 2;
    }
}

} // namespace

bool parseHttpReply(const QByteArray& buffer, bool closed, UploadAnswer& answer) {
    auto fail = [&answer](const QString& why) {
        answer.answered = false;
        answer.failure = why;
        return true;
    };
    if (buffer.size() > kMaxReply)
        return fail("the reply is too long");
    // Interim replies (100 Continue, 103 Early Hints) come before the real one: skipped in
    // place, a few at most, so that a flood of them neither copies the buffer again for each
    // nor goes on for ever.
    qsizetype at = 0;
    QList<QByteArray> lines;
    int status = 0;
    for (int interim = 0;; ++interim) {
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n", at);
        if (headEnd < 0)
            return closed ? fail("the connection closed before the reply") : false;
        lines = buffer.mid(at, headEnd - at).split('\n');
        const QList<QByteArray> statusLine = lines.takeFirst().trimmed().split(' ');
        bool ok = false;
        status = statusLine.size() >= 2 ? statusLine[1].toInt(&ok) : 0;
        if (!statusLine[0].startsWith("HTTP/1.") || !ok || status < 100 || status > 999 ||
            statusLine[1].size() != 3)
            return fail("not an HTTP reply");
        at = headEnd + 4;
        if (status / 100 != 1)
            break;
        if (interim == kMaxInterimReplies)
            return fail("too many interim replies");
    }
    const QByteArray rest = buffer.mid(at);
    bool ok = false;
    qint64 length = -1;
    bool chunked = false;
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            length = value.toLongLong(&ok);
            if (!ok || length < 0)
                return fail("not an HTTP reply");
        } else if (name == "transfer-encoding") {
            chunked = value.toLower().contains("chunked");
        }
    }
    answer.status = status;
    if (chunked) {
        bool malformed = false;
        if (!dechunk(rest, answer.body, malformed))
            return closed ? fail("the connection closed before the whole reply") : false;
        if (malformed)
            return fail("not an HTTP reply");
    } else if (length >= 0) {
        if (rest.size() < length)
            return closed ? fail("the connection closed before the whole reply") : false;
        answer.body = rest.left(length);
    } else {
        if (!closed)
            return false;
        answer.body = rest;
    }
    answer.answered = true;
    answer.failure.clear();
    return true;
}

UploadAnswer postFile(const QUrl& url, const QList<QPair<QByteArray, QByteArray>>& fields,
                      const UploadFile& file, int timeoutSeconds) {
    UploadAnswer answer;
    QFile source(file.path);
    if (!source.open(QIODevice::ReadOnly)) {
        answer.failure = "cannot read " + file.path;
        return answer;
    }
    const qint64 fileSize = source.size();
    const QByteArray bound = boundary();
    QByteArray preamble;
    for (const auto& [name, value] : fields)
        preamble += partHead(bound, "application/x-www-form-urlencoded",
                             "form-data; name=\"" + name + "\"") +
                    value + "\r\n";
    preamble +=
        partHead(bound, file.contentType,
                 "form-data; name=\"" + file.field + "\"; filename=\"" + file.fileName + "\"");
    const QByteArray epilogue = "\r\n--" + bound + "--\r\n";
    const QByteArray target = url.path(QUrl::FullyEncoded).toUtf8() +
                              (url.hasQuery() ? "?" + url.query(QUrl::FullyEncoded).toUtf8() : "");
    const bool tls = url.scheme() == "https";
    const int port = url.port(tls ? 443 : 80);
    const QByteArray head = "POST " + (target.isEmpty() ? QByteArray("/") : target) +
                            " HTTP/1.1\r\nHost: " + url.host(QUrl::FullyEncoded).toUtf8() + ":" +
                            QByteArray::number(port) +
                            "\r\nContent-Type: multipart/form-data; boundary=\"" + bound +
                            "\"\r\nContent-Length: " +
                            QByteArray::number(preamble.size() + fileSize + epilogue.size()) +
                            "\r\nConnection: close\r\n\r\n";

    QEventLoop loop;
    QTimer timer;
    QByteArray received;
    qint64 fileSent = 0;
    bool headSent = false, bodySent = false, done = false;
    auto finish = [&](const QString& failure) {
        if (done)
            return;
        done = true;
        if (!failure.isEmpty()) {
            answer.answered = false;
            answer.failure = failure;
        }
        loop.quit();
    };
    // One socket type for both: without encryption a QSslSocket is a plain TCP socket.
    QSslSocket socket;
    // The file goes out a piece at a time, as the socket empties. On TLS the bytes wait
    // encrypted, below the socket's own buffer: both count.
    auto inFlight = [&socket] { return socket.bytesToWrite() + socket.encryptedBytesToWrite(); };
    auto feed = [&] {
        // The handshake's own writes signal too: nothing goes before the request's head.
        while (headSent && !bodySent && !done && inFlight() < kInFlight) {
            const QByteArray piece = source.read(kPiece);
            if (!piece.isEmpty()) {
                fileSent += piece.size();
                socket.write(piece);
                continue;
            }
            if (fileSent != fileSize)
                return finish("the file changed while it was sent");
            socket.write(epilogue);
            bodySent = true;
        }
    };
    // The request goes out once the connection is ready: at once on plain TCP, after the
    // handshake (server verified) on TLS.
    QObject::connect(&socket, tls ? &QSslSocket::encrypted : &QSslSocket::connected, &loop, [&] {
        socket.write(head + preamble);
        headSent = true;
        feed();
    });
    QObject::connect(&socket, &QSslSocket::sslErrors, &loop, [&](const QList<QSslError>& errors) {
        for (const QSslError& e : errors)
            qCWarning(lcNet, "TLS: %s: %s", qPrintable(url.host()), qPrintable(e.errorString()));
    });
    QObject::connect(&socket, &QSslSocket::bytesWritten, &loop, feed);
    QObject::connect(&socket, &QSslSocket::encryptedBytesWritten, &loop, feed);
    QObject::connect(&socket, &QSslSocket::readyRead, &loop, [&] {
        received += socket.readAll();
        if (parseHttpReply(received, false, answer))
            finish(answer.answered ? QString() : answer.failure);
    });
    QObject::connect(&socket, &QSslSocket::disconnected, &loop, [&] {
        received += socket.readAll();
        parseHttpReply(received, true, answer);
        finish(answer.answered ? QString() : answer.failure);
    });
    QObject::connect(&socket, &QSslSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         if (error != QAbstractSocket::RemoteHostClosedError)
                             finish(socket.errorString());
                     });
    QObject::connect(&timer, &QTimer::timeout, &loop,
                     [&] { finish(QString("no reply within %1 s").arg(timeoutSeconds)); });
    timer.setSingleShot(true);
    timer.start(timeoutSeconds * 1000);
    if (tls) {
        socket.setSslConfiguration(tls::clientConfiguration());
        socket.connectToHostEncrypted(url.host(), quint16(port));
    } else {
        socket.connectToHost(url.host(), quint16(port));
    }
    if (!done)
        loop.exec();
    socket.disconnect();
    socket.abort();
    return answer;
}
