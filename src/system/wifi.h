// Reading the supplicant's answers: pure functions over wpa_cli's texts.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// An SSID as wpa_cli prints it, decoded byte for byte: the supplicant writes "\\" for a
// backslash, "\"" for a double quote, "\n", "\r", "\t" and "\e" for those controls and
// "\xNN" for every other byte outside printable ASCII; everything else, "%" and spaces
// included, stands for itself. The bytes are read as UTF-8.
QString ssidDecode(const QString& printed);

// The decoded SSIDs of a list_network answer, in its order.
QStringList savedSsids(const QString& listAnswer);

// The index of a configured network by its decoded SSID (the last match wins).
std::optional<int> networkIndex(const QString& listAnswer, const QString& ssid);

struct WifiStatus {
    QString bssid;
    QString state;
    QString ssid; // decoded
};
WifiStatus parseWifiStatus(const QString& statusAnswer);

// The wpa_state of a status answer, "" when it has none.
QString wpaState(const QString& statusAnswer);

// An SSID the device may hand to wpa_cli: 1 to 32 bytes of UTF-8 and no control
// character but the tab (a line end or NUL would end or cut the command it goes into;
// wpa_supplicant takes a tab as it takes any other byte).
bool ssidUsable(const QString& ssid);

// The visible networks of a scan_result answer: parallel lists, strongest first, each
// SSID once (the first the supplicant lists), lines with other than five fields or an
// SSID that is not usable (ssidUsable) left out.
struct ScanList {
    QStringList levels;
    QStringList flags;
    QStringList ssids;
};
ScanList parseScanResults(const QString& scanAnswer);

// The RSSI of a signal_poll answer, 0 when it has none.
int rssiOf(const QString& signalAnswer);

// True when a network's flags make it secured (WPA or WPA2; WEP counts as open).
bool isSecured(const QString& flags);

// Signal bars 0 to 3 for a level in dBm.
int signalBars(int level);

// True when a configuration answer, without its line ends, is "OK".
bool answeredOk(const QString& answer);
