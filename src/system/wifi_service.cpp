#include "system/wifi_service.h"

#include "core/log.h"
#include "system/cmdutil.h"
#include "system/wifi.h"

#include <QThread>

WifiService::WifiService(CmdUtil& commands) : m_commands(commands) {}

WifiService::WifiView WifiService::wifiView() const {
    std::lock_guard<std::mutex> g(m_lock);
    return {m_listWifiLevel, m_listWifiFlags, m_listWifiSsid, m_listSavedSsid, m_strConnectedSsid};
}

QString WifiService::SSIDDecode(const QString& text) {
    return ssidDecode(text);
}

QString WifiService::getWIFIInfo() {
    m_commands.wireless_scan();
    QString scan = m_commands.wireless_scanresult();
    QString status = m_commands.wireless_getstatus();
    QString list = m_commands.wireless_listnetwork();
    if (scan.isEmpty() || status.isEmpty() || list.isEmpty())
        return QString();
    analyseWIFIAPList(list);
    analyseWIFIStatus(status);
    analyseWIFIResult(scan);
    return scan + "," + status + "," + list;
}

void WifiService::getRSSI() {
    m_rssi = rssiOf(m_commands.wireless_getRSSI());
}

void WifiService::pollConnection() {
    m_connected = m_commands.wireless_is_connected();
}

void WifiService::analyseWIFIAPList(QString& answer) {
    const QStringList saved = savedSsids(answer);
    std::lock_guard<std::mutex> g(m_lock);
    m_listSavedSsid = saved;
}

void WifiService::analyseWIFIStatus(QString& answer) {
    const WifiStatus s = parseWifiStatus(answer);
    bool newAssociation = false;
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_strConnectedSsid.clear();
        if (s.state == "COMPLETED") {
            m_strConnectedSsid = s.ssid;
            newAssociation = !(s.bssid == m_strLastBssid && s.ssid == m_strLastSsid);
            if (newAssociation) {
                m_strLastBssid = s.bssid;
                m_strLastSsid = s.ssid;
            }
        }
    }
    // An address is asked for once per newly completed association.
    if (newAssociation)
        m_commands.wireless_udhcpnetwork();
}

void WifiService::analyseWIFIResult(QString& answer) {
    const ScanList found = parseScanResults(answer);
    std::lock_guard<std::mutex> g(m_lock);
    m_listWifiLevel = found.levels;
    m_listWifiFlags = found.flags;
    m_listWifiSsid = found.ssids;
}

bool WifiService::addWIFI(const QString& ssid, const QString& psk) {
    if (!ssidUsable(ssid))
        return false;
    if (networkIndex(m_commands.wireless_listnetwork(), ssid))
        return false; // already configured: never added twice
    const int n = m_commands.wireless_addnetwork().trimmed().toInt();
    const QString ssidAnswer = m_commands.wireless_setssid(n, ssid);
    const QString keyAnswer = psk.isEmpty() ? m_commands.wireless_setkeymgmt(n, "NONE")
                                            : m_commands.wireless_setpsk(n, psk);
    if (!answeredOk(ssidAnswer) || !answeredOk(keyAnswer))
        return false;
    if (!answeredOk(m_commands.wireless_selectnetwork(n)))
        return false;
    for (int poll = 0; poll < 15; ++poll) {
        QThread::msleep(static_cast<unsigned long>(m_joinPollMs.load()));
        const QString state = wpaState(m_commands.wireless_getstatus());
        if (state == "DISCONNECTED" || state == "4WAY_HANDSHAKE") {
            // A wrong pass phrase: forget the network again.
            m_refresh = true;
            m_commands.wireless_removenetwork(n);
            return false;
        }
        if (state == "COMPLETED")
            break;
    }
    m_commands.wireless_saveconfig();
    return true;
}

bool WifiService::switchWIFI(const QString& ssid) {
    if (!ssidUsable(ssid))
        return false;
    const auto index = networkIndex(m_commands.wireless_listnetwork(), ssid);
    if (!index || !answeredOk(m_commands.wireless_selectnetwork(*index)))
        return false;
    m_commands.wireless_saveconfig();
    return true;
}

bool WifiService::deleteWIFI(const QString& ssid) {
    if (!ssidUsable(ssid))
        return false;
    const auto index = networkIndex(m_commands.wireless_listnetwork(), ssid);
    if (!index || !answeredOk(m_commands.wireless_removenetwork(*index)))
        return false;
    m_commands.wireless_saveconfig();
    return true;
}
