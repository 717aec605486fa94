// One SNTP exchange (client mode) with a time server.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

constexpr quint32 kNtpToUnixSeconds = 2208988800u; // 1900-01-01 to 1970-01-01

// The 48-byte client request carrying `unixNow` as its transmit seconds.
QByteArray sntpRequest(qint64 unixNow);

// The Unix time of a reply: the first 4 bytes of its last 8 (missing bytes count as 0).
qint64 unixTimeOfReply(const QByteArray& reply);
// True for a server's reply that can set a clock: 48 bytes at least, mode 4 (or 5,
// broadcast), not "unsynchronised" (leap indicator 3), a transmit time.
bool sntpReplyUsable(const QByteArray& reply);

// Sends one request and waits up to 3 s for a connection and 3 s for a reply. The server's
// Unix time, or nothing when no datagram came back.
std::optional<qint64> sntpExchange(const QString& host, quint16 port, qint64 unixNow);
