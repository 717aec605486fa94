// GData's Wi-Fi operations on the supplicant, through the command layer.
#include "app/gdata.h"

#include "system/cmdutil.h"
#include "system/wifi.h"

#include <QDebug>
#include <QThread>

GData::WifiView GData::wifiView() const {
    std::lock_guard<std::mutex> g(m_wifiLock);
    return {m_listWifiLevel, m_listWifiFlags, m_listWifiSsid, m_listSavedSsid, m_strConnectedSsid};
}

QString GData::SSIDDecode(const QString& text) {
    return ssidDecode(text);
}

QString GData::getWIFIInfo() {
    g_pCmdUtil->wireless_scan();
    QString scan = g_pCmdUtil->wireless_scanresult();
    QString status = g_pCmdUtil->wireless_getstatus();
    QString list = g_pCmdUtil->wireless_listnetwork();
    if (scan.isEmpty() || status.isEmpty() || list.isEmpty())
        return QString();
    analyseWIFIAPList(list);
    analyseWIFIStatus(status);
    analyseWIFIResult(scan);
    return scan + "," + status + "," + list;
}

void GData::getRSSI() {
    m_iRssi = rssiOf(g_pCmdUtil->wireless_getRSSI());
}

void GData::analyseWIFIAPList(QString& answer) {
    const QStringList saved = savedSsids(answer);
    std::lock_guard<std::mutex> g(m_wifiLock);
    m_listSavedSsid = saved;
}

void GData::analyseWIFIStatus(QString& answer) {
    const WifiStatus s = parseWifiStatus(answer);
    bool newAssociation = false;
    {
        std::lock_guard<std::mutex> g(m_wifiLock);
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
        g_pCmdUtil->wireless_udhcpnetwork();
}

void GData::analyseWIFIResult(QString& answer) {
    const ScanList found = parseScanResults(answer);
    std::lock_guard<std::mutex> g(m_wifiLock);
    m_listWifiLevel = found.levels;
    m_listWifiFlags = found.flags;
    m_listWifiSsid = found.ssids;
}

bool GData::addWIFI(const QString& ssid, const QString& psk) {
    if (networkIndex(g_pCmdUtil->wireless_listnetwork(), ssid))
        return false; // already configured: never added twice
    const int n = g_pCmdUtil->wireless_addnetwork().trimmed().toInt();
    const QString ssidAnswer = g_pCmdUtil->wireless_setssid(n, ssid);
    const QString keyAnswer = psk.isEmpty() ? g_pCmdUtil->wireless_setkeymgmt(n, "NONE")
                                            : g_pCmdUtil->wireless_setpsk(n, psk);
    if (!answeredOk(ssidAnswer) || !answeredOk(keyAnswer))
        return false;
    if (!answeredOk(g_pCmdUtil->wireless_selectnetwork(n)))
        return false;
    for (int poll = 0; poll < 15; ++poll) {
        QThread::msleep(static_cast<unsigned long>(m_nJoinPollMs));
        const QString state = wpaState(g_pCmdUtil->wireless_getstatus());
        if (state == "DISCONNECTED" || state == "4WAY_HANDSHAKE") {
            // A wrong pass phrase: forget the network again.
            m_bWifiRefresh = true;
            g_pCmdUtil->wireless_removenetwork(n);
            return false;
        }
        if (state == "COMPLETED")
            break;
    }
    g_pCmdUtil->wireless_saveconfig();
    return true;
}

bool GData::switchWIFI(const QString& ssid) {
    const auto index = networkIndex(g_pCmdUtil->wireless_listnetwork(), ssid);
    if (!index || !answeredOk(g_pCmdUtil->wireless_selectnetwork(*index)))
        return false;
    g_pCmdUtil->wireless_saveconfig();
    return true;
}

bool GData::deleteWIFI(const QString& ssid) {
    const auto index = networkIndex(g_pCmdUtil->wireless_listnetwork(), ssid);
    if (!index || !answeredOk(g_pCmdUtil->wireless_removenetwork(*index)))
        return false;
    g_pCmdUtil->wireless_saveconfig();
    return true;
}
