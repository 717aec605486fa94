// A multipart/form-data POST of one file over an HTTP/1.1 connection of its own (TLS for an
// https:// address, the server's certificate verified).
//
// QNetworkAccessManager sends a request again when the server closes the connection
// before answering; for an upload that means the server analyses the same recording twice.
// This client sends the request once: a dropped connection is a failed upload, and the
// operator decides whether to try again. The file is streamed from storage in pieces, so
// the memory an upload takes does not grow with the file.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

struct UploadFile {
    QByteArray field;    // the form field
    QByteArray fileName; // the name the part gives the file
    QString path;        // where the bytes are read from
    QByteArray contentType;
};

struct UploadAnswer {
    bool answered = false; // a whole HTTP reply arrived
    int status = 0;
    QByteArray body;
    QString failure; // why there is no reply
};

// Fields go first, as "application/x-www-form-urlencoded" parts, then the file. Bounded by
// `timeoutSeconds` as a whole; the GUI stays painted meanwhile (a nested event loop).
UploadAnswer postFile(const QUrl& url, const QList<QPair<QByteArray, QByteArray>>& fields,
                      const UploadFile& file, int timeoutSeconds);

// The reply parser, fed with what arrived so far: true once `buffer` holds a whole reply
// (headers and a body delimited by Content-Length or chunked encoding; one delimited by
// the end of the connection is whole when `closed`). Exposed for the tests.
bool parseHttpReply(const QByteArray& buffer, bool closed, UploadAnswer& answer);
