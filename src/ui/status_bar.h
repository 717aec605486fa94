// What the status bar shows: icons for the Wi-Fi signal and the battery, and the
// once-per-discharge low-battery warning.
#pragma once

#include <QString>

QString wifiIconFor(int rssi);     // "" when not connected (0)
QString batteryIconFor(int level); // level 0..5
// How many screenings wait for the analysis: "" for none, "1 waiting", "12 waiting"; while
// a captive portal keeps them from going, "Wi-Fi needs a sign-in" instead.
QString waitingText(int waiting, bool signInNeeded = false);

// The battery icon level for a reading: the charge band when discharging; while charging
// the icon climbs one step per refresh from the floor of the band to full and starts again.
int batteryLevelFor(int percent, bool charging, int currentLevel);

// Armed while the battery is above 30 % and not charging; fires once when it then falls
// below 20 %.
class LowBatteryWarning {
public:
    bool update(int percent, bool charging); // true: show the warning now
    bool armed() const { return m_armed; }

private:
    bool m_armed = false;
};
