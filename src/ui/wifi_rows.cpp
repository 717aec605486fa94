#include "ui/wifi_rows.h"

#include "system/wifi.h"

QList<WifiRow> wifiRows(const WifiService::WifiView& v) {
    QList<WifiRow> rows;
    for (qsizetype i = 0; i < v.ssids.size(); ++i) {
        WifiRow r;
        r.ssid = v.ssids[i];
        r.connected = r.ssid == v.connected;
        r.secured = isSecured(v.flags.value(i));
        r.saved = v.saved.contains(r.ssid);
        r.bars = signalBars(v.levels.value(i).toInt());
        rows << r;
    }
    return rows;
}

QString wifiBarsIcon(int bars) {
    static const char* const icons[] = {":/pic/wifi_sig0.jpg", ":/pic/wifi_sig1.jpg",
                                        ":/pic/wifi_sig2.jpg", ":/pic/wifi_sig3.jpg"};
    return QString::fromLatin1(icons[qBound(0, bars, 3)]);
}
