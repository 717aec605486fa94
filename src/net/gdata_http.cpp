// GData's HTTP GET and text decoding.
#include "app/gdata.h"

#include "net/http.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

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

QString GData::urldecode(const char* text) {
    return percentDecode(text);
}
