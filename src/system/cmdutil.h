// Runs the board's commands (wpa_cli on wlan0, the DHCP client, power off, reboot) for the
// rest of the application. Every operation returns the command's standard output, "" when
// nothing ran or could be read. Callers parse the answers themselves.
//
// Commands run as argument lists, never as shell lines: an SSID or pass phrase of any
// bytes reaches wpa_cli as one argument in double quotes and cannot become command text.
// A child that does not end in time is killed, so a hung supplicant or DHCP client cannot
// hang the device.
#pragma once

#include <QObject>
#include <QStringList>

class CmdUtil : public QObject {
    Q_OBJECT
public:
    // The command table, one entry per operation.
    enum Entry {
        PowerOff,
        Reboot,
        Scan,
        ScanResult,
        ListNetwork,
        AddNetwork,
        SelectNetwork,
        SetSsid,
        SetPsk,
        SetKeyMgmt,
        SetPriority,
        EnableNetwork,
        DisableNetwork,
        RemoveNetwork,
        SaveConfig,
        Reconfigure,
        Status,
        SignalPoll,
        Dhcp,
        EntryCount
    };

    // How long a child may run before it is killed.
    static constexpr int kCommandTimeoutMs = 20000;
    static constexpr int kDhcpTimeoutMs = 30000;

    explicit CmdUtil(QObject* parent = nullptr);

    const QString& entry(Entry e) const { return m_commands[e]; }

    // Runs a command line split at blanks (no shell); its whole standard output.
    QString sendCommand(const QString& command, int timeoutMs = kCommandTimeoutMs);
    // Runs a program with its arguments (no shell); at most the first 128 bytes of its
    // standard output, as Latin-1.
    QString sendCommand2(const QStringList& argv, int timeoutMs = kCommandTimeoutMs);

    QString poweroff();
    QString reboot();
    QString wireless_scan();
    QString wireless_scanresult();
    QString wireless_listnetwork();
    QString wireless_addnetwork();
    QString wireless_setssid(int id, const QString& ssid);
    QString wireless_setpsk(int id, const QString& psk);
    QString wireless_setkeymgmt(int id, const QString& type);
    QString wireless_setpriority(int id, int priority);
    QString wireless_enablenetwork(int id);
    QString wireless_enableallnetwork();
    QString wireless_disablenetwork(int id);
    QString wireless_removenetwork(int id);
    QString wireless_saveconfig();
    QString wireless_reconfigure();
    QString wireless_getstatus();
    QString wireless_getRSSI();
    QString wireless_udhcpnetwork();
    QString wireless_selectnetwork(int id);
    bool wireless_is_connected();

private:
    QString quotedValueCommand(Entry e, int id, const char* field, const QString& value);

    QStringList m_commands;
};
