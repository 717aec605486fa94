// The device's HTTP requests, blocking with a time-out while a nested event loop keeps the
// screen painted. Requests that may be sent again go through Qt's network access; the
// recording's upload goes once on a connection of its own (net/http_upload.h). Every
// request logs its "[CHK]" lines under vistrel.net.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>

#include "net/http.h"

class HttpClient : public QObject {
    Q_OBJECT
public:
    explicit HttpClient(QObject* parent = nullptr);

    // A form POST: the reply body, or "" on any failure.
    QString httpPostRequest(const QString& url, const QByteArray& body, int timeoutSeconds);
    // A multipart POST of the fields and one file, sent once: the reply body of a 2xx
    // answer, or "" on any failure.
    // `reached` (may be null) says whether the server itself answered: false for no
    // connection, a time-out, a dropped connection or a 5xx answer. The part names the file
    // by its board path `filePath`; the bytes come from there too, or from `readFrom` (a
    // recording kept elsewhere) when one is given. `status` (may be null) gets the answer's
    // HTTP status, 0 when none came.
    QString httpPostRequestWithFile(const QString& url, int timeoutSeconds,
                                    QMap<QString, QString>& fields, const QString& fileField,
                                    const QString& filePath, bool* reached = nullptr,
                                    const QString& readFrom = QString(), int* status = nullptr);
    bool httpGetRequest(const QString& url, int timeoutSeconds, QByteArray& out);
    // Streams the body into `path` (flushed to storage), stopping as soon as more than
    // `maxBytes` arrive; `received` counts what came.
    bool httpGetToFile(const QString& url, int timeoutSeconds, const QString& path, qint64 maxBytes,
                       qint64& received);

private:
    static void chk(const QString& text);
    static LogLine chkSink();
};
