// The Wi-Fi subsystem's state: the visible and configured networks, the association, the
// signal, and the operations on the supplicant through the command layer.
//
// Threads: the Wi-Fi worker refreshes the picture, the signal and the connection state;
// the GUI reads them and runs the join, switch and delete operations inside its progress
// dialogs. The lists sit behind this class's lock, the rest are atomics.
#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <mutex>

class CmdUtil;

class WifiService {
public:
    explicit WifiService(CmdUtil& commands);

    struct WifiView {
        QStringList levels, flags, ssids, saved;
        QString connected;
    };
    WifiView wifiView() const;

    int rssi() const { return m_rssi; } // dBm, 0 no value
    void setRssi(int dBm) { m_rssi = dBm; }
    // Whether the supplicant reported a completed association at the worker's last look.
    bool connected() const { return m_connected; }
    // Asks the worker for a fresh picture of the networks; takeRefresh() is the worker's.
    void requestRefresh() { m_refresh = true; }
    bool takeRefresh() { return m_refresh.exchange(false); }
    bool refreshRequested() const { return m_refresh; }
    // addWIFI's wait between status polls (tests shorten it).
    void setJoinPollMs(int ms) { m_joinPollMs = ms; }

    // ---- worker --------------------------------------------------------------------------
    QString getWIFIInfo();
    void getRSSI();
    void pollConnection();
    void analyseWIFIStatus(QString& answer);
    void analyseWIFIAPList(QString& answer);
    void analyseWIFIResult(QString& answer);

    // ---- operations ------------------------------------------------------------------------
    QString SSIDDecode(const QString& text);
    bool addWIFI(const QString& ssid, const QString& psk);
    bool switchWIFI(const QString& ssid);
    bool deleteWIFI(const QString& ssid);

private:
    CmdUtil& m_commands;
    mutable std::mutex m_lock;
    QStringList m_listWifiLevel, m_listWifiFlags, m_listWifiSsid; // visible, strongest first
    QStringList m_listSavedSsid;                                  // configured, in list order
    QString m_strConnectedSsid;
    QString m_strLastSsid, m_strLastBssid; // association the DHCP client last ran for
    std::atomic<int> m_rssi{0};
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_refresh{false};
    std::atomic<int> m_joinPollMs{1000};
};
