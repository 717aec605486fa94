#include "system/sntp.h"

#include <QUdpSocket>

QByteArray sntpRequest(qint64 unixNow) {
    QByteArray packet(48, '\0');
    packet[0] = 27;                     // leap 0, version 3, mode 3 (client)
    packet[2] = 4;                      // poll
    packet[3] = static_cast<char>(250); // precision -6
    packet[5] = 1;                      // root delay 1/65536 s
    packet[9] = 1;                      // root dispersion 1/65536 s
    const quint32 seconds = static_cast<quint32>(unixNow + kNtpToUnixSeconds);
    for (int i = 0; i < 4; ++i)
        packet[40 + i] = static_cast<char>(seconds >> (24 - 8 * i));
    return packet;
}

qint64 unixTimeOfReply(const QByteArray& reply) {
    QByteArray last = reply.right(8);
    if (last.size() < 8)
        last.append(QByteArray(8 - last.size(), '\0'));
    quint32 seconds = 0;
    for (int i = 0; i < 4; ++i)
        seconds = (seconds << 8) | static_cast<quint8>(last[i]);
    // The seconds wrap on 2036-02-07: a value with its top bit clear belongs to the next
    // era (RFC 4330, section 3), as no server's clock reads a time before 1968.
    qint64 ntp = seconds;
    if (seconds != 0 && !(seconds & 0x80000000u))
        ntp += qint64(1) << 32;
    return ntp - qint64(kNtpToUnixSeconds);
}

bool sntpReplyUsable(const QByteArray& reply) {
    if (reply.size() < 48)
        return false;
    const int mode = static_cast<quint8>(reply[0]) & 0x7;
    const int leap = static_cast<quint8>(reply[0]) >> 6;
    const bool transmitSet = reply.mid(40, 4) != QByteArray(4, '\0');
    return (mode == 4 || mode == 5) && leap != 3 && transmitSet;
}

std::optional<qint64> sntpExchange(const QString& host, quint16 port, qint64 unixNow) {
    QUdpSocket socket;
    socket.connectToHost(host, port, QIODevice::ReadWrite);
    if (!socket.waitForConnected(3000))
        return std::nullopt;
    socket.write(sntpRequest(unixNow));
    socket.flush();
    if (!socket.waitForReadyRead(3000))
        return std::nullopt;
    QByteArray reply;
    bool received = false;
    while (socket.hasPendingDatagrams()) {
        reply.resize(int(socket.pendingDatagramSize()));
        socket.readDatagram(reply.data(), reply.size());
        received = true;
    }
    // A refused port also wakes the wait, with nothing to read: that is no answer, not a
    // time of zero.
    // Nor is a datagram that is no server reply (too short, another mode, a server that
    // says it is not synchronised, no transmit time): setting the clock from it would set
    // it to 1900.
    if (!received || !sntpReplyUsable(reply))
        return std::nullopt;
    return unixTimeOfReply(reply);
}
