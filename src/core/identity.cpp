#include "core/identity.h"

#include <QNetworkInterface>

QList<NetInterface> systemInterfaces() {
    QList<NetInterface> out;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        out.append({i.name(), i.hardwareAddress(), flags.testFlag(QNetworkInterface::IsUp),
                    flags.testFlag(QNetworkInterface::IsRunning),
                    flags.testFlag(QNetworkInterface::IsLoopBack)});
    }
    return out;
}

QString pickIdentity(const QList<NetInterface>& interfaces, QStringList& log) {
    for (int index = 0; index < interfaces.size(); ++index) {
        const NetInterface& i = interfaces[index];
        const QString address = i.hardwareAddress.toUpper();
        log << QStringLiteral("GetETNetMACAddress ==1== [%1] [%2] [%3] [%4] [%5] [%6]")
                   .arg(i.name)
                   .arg(index)
                   .arg(address)
                   .arg(int(i.up))
                   .arg(int(i.running))
                   .arg(int(i.loopback));
        if (i.up && !i.loopback)
            return address;
    }
    return QString();
}
