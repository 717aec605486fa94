#include "system/cmdutil.h"

#include "core/log.h"

#include "platform/board.h"

#include <QDebug>
#include <QProcess>

namespace {

const char* const kWpa = "wpa_cli -i wlan0 ";

// Starts a program of the board with its arguments; false when it did not start.
bool start(QProcess& p, QStringList argv) {
    const QString program = board::program(argv.takeFirst());
    p.setEnvironment(board::programEnvironment());
    p.start(program, argv, QIODevice::ReadWrite);
    return p.waitForStarted();
}

// Waits for the child; one that outlives the time-out is killed.
bool finish(QProcess& p, int timeoutMs, const QString& what) {
    if (p.waitForFinished(timeoutMs))
        return true;
    qCDebug(lcWifi, "command timed out after %d ms, killed: %s", timeoutMs, qPrintable(what));
    p.kill();
    p.waitForFinished(2000);
    return false;
}

} // namespace

CmdUtil::CmdUtil(QObject* parent) : QObject(parent) {
    const QString wpa = kWpa;
    m_commands = {"poweroff",
                  "reboot",
                  wpa + "scan",
                  wpa + "scan_result",
                  wpa + "list_network",
                  wpa + "add_network",
                  wpa + "select_network",
                  wpa + "set_network",
                  wpa + "set_network",
                  wpa + "set_network",
                  wpa + "set_network",
                  wpa + "enable_network",
                  wpa + "disable_network",
                  wpa + "remove_network",
                  wpa + "save_config",
                  wpa + "save_config", // reconfigure saves the configuration
                  wpa + "status",
                  wpa + "signal_poll",
                  "udhcpc -i wlan0 -q"};
}

QString CmdUtil::sendCommand(const QString& command, int timeoutMs) {
    QProcess p;
    const QStringList argv = command.split(' ', Qt::SkipEmptyParts);
    if (argv.isEmpty() || !start(p, argv)) {
        qCWarning(lcWifi, "failed to start, error %d", int(p.error()));
        return QString();
    }
    if (!finish(p, timeoutMs, command))
        return QString();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QString CmdUtil::sendCommand2(const QStringList& argv, int timeoutMs) {
    QProcess p;
    if (argv.isEmpty() || !start(p, argv)) {
        qCWarning(lcWifi, "sendCommand2 popen error!\n");
        return QString();
    }
    finish(p, timeoutMs, argv.join(' '));
    const QByteArray bytes = p.readAllStandardOutput().left(128);
    if (bytes.isEmpty()) {
        qCWarning(lcWifi, "sendCommand2 read error! \n");
        return QString();
    }
    qCDebug(lcWifi, "sendCommand2 Result[%s]", bytes.constData());
    return QString::fromLatin1(bytes);
}

// wpa_cli receives the value as one argument in double quotes, as the supplicant reads a
// text value; nothing of it ever passes through a shell.
QString CmdUtil::quotedValueCommand(Entry e, int id, const char* field, const QString& value) {
    QStringList argv = m_commands[e].split(' ');
    argv << QString::number(id) << field << "\"" + value + "\"";
    return sendCommand2(argv);
}

QString CmdUtil::poweroff() {
    return sendCommand(m_commands[PowerOff]);
}
QString CmdUtil::reboot() {
    return sendCommand(m_commands[Reboot]);
}
QString CmdUtil::wireless_scan() {
    return sendCommand(m_commands[Scan]);
}
QString CmdUtil::wireless_scanresult() {
    return sendCommand(m_commands[ScanResult]);
}
QString CmdUtil::wireless_listnetwork() {
    return sendCommand(m_commands[ListNetwork]);
}
QString CmdUtil::wireless_addnetwork() {
    return sendCommand(m_commands[AddNetwork]);
}

QString CmdUtil::wireless_setssid(int id, const QString& ssid) {
    return quotedValueCommand(SetSsid, id, "ssid", ssid);
}

QString CmdUtil::wireless_setpsk(int id, const QString& psk) {
    return quotedValueCommand(SetPsk, id, "psk", psk);
}

QString CmdUtil::wireless_setkeymgmt(int id, const QString& type) {
    // The supplicant's own names; anything else it refuses ("WPA2" is its protocol RSN,
    // not a key management).
    static const QStringList accepted{"NONE", "WPA-PSK", "SAE"};
    if (!accepted.contains(type))
        return QString();
    return sendCommand(m_commands[SetKeyMgmt] + " " + QString::number(id) + " key_mgmt " + type);
}

QString CmdUtil::wireless_setpriority(int id, int priority) {
    const QString command = m_commands[SetPriority] + " " + QString::number(id) + " priority " +
                            QString::number(priority);
    qCDebug(lcWifi, "sendCommand [%s]", qPrintable(command));
    const QString result = sendCommand(command);
    qCDebug(lcWifi, "gotResult [%s]", qPrintable(result));
    return result;
}

QString CmdUtil::wireless_enablenetwork(int id) {
    return sendCommand(m_commands[EnableNetwork] + " " + QString::number(id));
}

QString CmdUtil::wireless_enableallnetwork() {
    return sendCommand(m_commands[EnableNetwork] + " all");
}

QString CmdUtil::wireless_disablenetwork(int id) {
    return sendCommand(m_commands[DisableNetwork] + " " + QString::number(id));
}

QString CmdUtil::wireless_removenetwork(int id) {
    return sendCommand(m_commands[RemoveNetwork] + " " + QString::number(id));
}

QString CmdUtil::wireless_saveconfig() {
    return sendCommand(m_commands[SaveConfig]);
}
QString CmdUtil::wireless_reconfigure() {
    return sendCommand(m_commands[Reconfigure]);
}
QString CmdUtil::wireless_getstatus() {
    return sendCommand(m_commands[Status]);
}
QString CmdUtil::wireless_getRSSI() {
    return sendCommand(m_commands[SignalPoll]);
}
QString CmdUtil::wireless_udhcpnetwork() {
    return sendCommand(m_commands[Dhcp], kDhcpTimeoutMs);
}

QString CmdUtil::wireless_selectnetwork(int id) {
    const QStringList lines = wireless_listnetwork().split('\n');
    qCDebug(lcWifi) << "cmdUtil StrList: " << lines;
    qCDebug(lcWifi) << "cmdUtil length: " << lines.size();
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split('\t');
        if (fields.size() < 3)
            continue;
        const int n = fields[0].trimmed().toInt();
        wireless_setpriority(n, n == id ? 10 : 1);
    }
    wireless_enableallnetwork();
    return wireless_reconfigure();
}

bool CmdUtil::wireless_is_connected() {
    const bool connected = wireless_getstatus().contains("wpa_state=COMPLETED");
    qCDebug(lcWifi, connected ? "WiFi is connected (wpa_cli)" : "WiFi is not connected (wpa_cli)");
    return connected;
}
