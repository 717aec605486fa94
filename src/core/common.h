// Small helpers shared by the whole application: diagnostic lines and the machine identity.
#pragma once

#include <QObject>
#include <QString>

#include "core/identity.h"

#include <functional>
#include <mutex>

class common : public QObject {
    Q_OBJECT
public:
    explicit common(QObject* parent = nullptr);

    // One debug line each: "[LOG] hh:mm:ss text" and "[CHK] hh:mm:ss text".
    void saveLOG2File(const QString& text);
    void saveCHK2File(const QString& text);
    // saveCHK2File as a callable, for helpers that take a log line sink.
    std::function<void(const QString&)> chkLine() {
        return [this](const QString& text) { saveCHK2File(text); };
    }

    // Upper-case hardware address of the first interface that is up and not loopback.
    // Cached once found; searched again while it is still empty. Any thread: the GUI shows
    // it, the Wi-Fi worker sends it with each delivery.
    QString GetETNetMACAddress();
    QString GetETNetMACAddress(const std::function<QList<NetInterface>()>& interfaces);

private:
    std::mutex m_lock;
    QString m_identity;   // under m_lock
    bool m_found = false; // under m_lock: searched no more
};
