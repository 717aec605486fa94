// The rows of the Wi-Fi page, widget-free: what each visible network shows.
#pragma once

#include "system/wifi_service.h"

#include <QList>
#include <QString>

struct WifiRow {
    QString ssid;
    bool connected = false; // the network the device is on
    bool secured = false;   // asks for a pass phrase (WPA/WPA2; WEP-only counts as open)
    bool saved = false;     // configured in the supplicant
    int bars = 0;           // signal, 0..3
};

// One row per visible network, strongest first as the scan lists them.
QList<WifiRow> wifiRows(const WifiService::WifiView& view);

// The signal picture of a row.
QString wifiBarsIcon(int bars);
