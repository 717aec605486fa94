// Blocking HTTP for the GUI thread: the request runs while a nested event loop keeps the
// screen painted, bounded by a time-out.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// Waits for the reply of a request already sent. On success returns true with the body;
// on time-out, network or HTTP error returns false. Either way reply and manager are
// scheduled for deletion. `log` (may be empty) receives the diagnostic lines; `name`
// prefixes the failure line ("<name> --").
using LogLine = std::function<void(const QString&)>;
bool waitForReply(QNetworkAccessManager* manager, QNetworkReply* reply, int timeoutSeconds,
                  const QString& name, const LogLine& log, QByteArray& body);

// The same, but the body goes to `sink` piece by piece as it arrives instead of being
// collected, so a large download never sits in memory. A sink that returns false ends the
// request at once (the answer is then false too).
using BodySink = std::function<bool(const QByteArray&)>;
bool waitForReplyInto(QNetworkAccessManager* manager, QNetworkReply* reply, int timeoutSeconds,
                      const QString& name, const LogLine& log, const BodySink& sink);

// Percent-decodes a C string ("+" stays "+"); the result ends at the first zero byte.
// Never reads past the terminating zero, also when a "%" stands near the end.
QString percentDecode(const char* text);
