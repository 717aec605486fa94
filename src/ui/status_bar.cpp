#include "ui/status_bar.h"

#include <QCoreApplication>

QString wifiIconFor(int rssi) {
    if (rssi == 0)
        return QString();
    if (rssi >= -50)
        return ":/png/history/wifi@2x.png";
    if (rssi >= -60)
        return ":/png/history/wifi2@2x.png";
    if (rssi >= -70)
        return ":/png/history/wifi3@2x.png";
    return ":/png/history/wifi4@2x.png";
}

QString batteryIconFor(int level) {
    static const char* const icons[] = {
        ":/png/history/battery0@2x.png", ":/png/history/battery2@2x.png",
        ":/png/history/battery4@2x.png", ":/png/history/battery6@2x.png",
        ":/png/history/battery8@2x.png", ":/png/history/battery@2x.png"};
    return icons[level < 0 ? 0 : level > 5 ? 5 : level];
}

int batteryLevelFor(int percent, bool charging, int currentLevel) {
    if (!charging) {
        if (percent >= 100)
            return 5;
        if (percent >= 80)
            return 4;
        if (percent >= 60)
            return 3;
        if (percent >= 40)
            return 2;
        if (percent >= 20)
            return 1;
        return 0;
    }
    int level = (currentLevel + 1) % 6;
    if (percent >= 100)
        return 5;
    const int floor = percent >= 80   ? 4
                      : percent >= 60 ? 3
                      : percent >= 40 ? 2
                      : percent >= 20 ? 1
                                      : 0;
    return level < floor ? floor : level;
}

bool LowBatteryWarning::update(int percent, bool charging) {
    if (charging)
        return false;
    if (percent >= 31)
        m_armed = true;
    if (percent < 20 && m_armed) {
        m_armed = false;
        return true;
    }
    return false;
}

QString waitingText(int waiting, bool signInNeeded) {
    if (signInNeeded && waiting > 0)
        return QCoreApplication::translate("StatusBar", "Wi-Fi needs a sign-in");
    return waiting > 0 ? QCoreApplication::translate("StatusBar", "%1 waiting").arg(waiting)
                       : QString();
}
