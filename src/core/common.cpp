#include "core/common.h"

#include "core/identity.h"
#include "core/log.h"

namespace {
QString g_identity; // filled by the first successful search; GUI thread only
}

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
    if (!g_identity.isEmpty())
        return g_identity;
    saveLOG2File("GetETNetMACAddress ++");
    QStringList log;
    g_identity = pickIdentity(interfaces(), log);
    for (const QString& line : log)
        saveLOG2File(line);
    saveLOG2File("GetETNetMACAddress -- [" + g_identity + "]");
    return g_identity;
}
