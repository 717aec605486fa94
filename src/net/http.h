// Blocking HTTP for the GUI thread: the request runs while a nested event loop keeps the
// screen painted, bounded by a time-out.
#pragma once

#include <QByteArray>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class common;

// Waits for the reply of a request already sent. On success returns true with the body;
// on time-out, network or HTTP error returns false. Either way reply and manager are
// scheduled for deletion. `log` receives the diagnostic lines; `name` prefixes the
// failure line ("<name> --").
bool waitForReply(QNetworkAccessManager* manager, QNetworkReply* reply, int timeoutSeconds,
                  const QString& name, common* log, QByteArray& body);

// Percent-decodes a C string ("+" stays "+"); the result ends at the first zero byte.
// Never reads past the terminating zero, also when a "%" stands near the end.
QString percentDecode(const char* text);
