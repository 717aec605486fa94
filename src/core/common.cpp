#include "core/common.h"

#include "core/identity.h"
#include "core/log.h"

common::common(QObject* parent) : QObject(parent) {}

void common::saveLOG2File(const QString& text) {
    logs::logLine(lcCore(), text);
}

void common::saveCHK2File(const QString& text) {
    logs::chkLine(lcCore(), text);
}

QString common::GetETNetMACAddress() {
    return GetETNetMACAddress(systemInterfaces);
}

QString common::GetETNetMACAddress(const std::function<QList<NetInterface>()>& interfaces) {
    std::lock_guard<std::mutex> g(m_lock);
    if (m_found)
        return m_identity;
    saveLOG2File("GetETNetMACAddress ++");
    QStringList log;
    m_identity = pickIdentity(interfaces(), log);
    m_found = !m_identity.isEmpty();
    for (const QString& line : log)
        saveLOG2File(line);
    saveLOG2File("GetETNetMACAddress -- [" + m_identity + "]");
    return m_identity;
}
