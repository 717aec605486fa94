#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the machine identity needs to know of one network interface.
struct NetInterface {
    QString name;
    QString hardwareAddress;
    bool up = false;
    bool running = false;
    bool loopback = false;
};

QList<NetInterface> systemInterfaces();

// The identity is the upper-case hardware address of the first interface that is up and
// not loopback, or "" when there is none. Appends one diagnostic line per interface looked
// at to `log`.
QString pickIdentity(const QList<NetInterface>& interfaces, QStringList& log);
