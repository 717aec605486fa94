#include "system/wifi.h"

#include <algorithm>
#include <numeric>

QString ssidDecode(const QString& printed) {
    const QByteArray in = printed.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c != '\\' || i + 1 >= in.size()) {
            out += c;
            continue;
        }
        const char e = in[++i];
        switch (e) {
        case '\\':
        case '"':
            out += e;
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'e':
            out += '\033';
            break;
        case 'x': {
            bool ok = false;
            const int byte = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok && i + 2 < in.size()) {
                out += char(byte);
                i += 2;
            } else {
                out += "\\x";
            }
            break;
        }
        default: // not an escape the supplicant writes: kept as it stands
            out += '\\';
            out += e;
        }
    }
    return QString::fromUtf8(out);
}

namespace {

// The lines of a list_network answer after its header, split into their fields.
QList<QStringList> listEntries(const QString& listAnswer) {
    QList<QStringList> entries;
    const QStringList lines = listAnswer.split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split('\t');
        if (fields.size() >= 3)
            entries << fields;
    }
    return entries;
}

} // namespace

QStringList savedSsids(const QString& listAnswer) {
    QStringList ssids;
    for (const QStringList& f : listEntries(listAnswer))
        ssids << ssidDecode(f[1]);
    return ssids;
}

std::optional<int> networkIndex(const QString& listAnswer, const QString& ssid) {
    std::optional<int> index;
    for (const QStringList& f : listEntries(listAnswer))
        if (ssidDecode(f[1]) == ssid)
            index = f[0].trimmed().toInt();
    return index;
}

WifiStatus parseWifiStatus(const QString& statusAnswer) {
    WifiStatus s;
    for (const QString& raw : statusAnswer.split('\n')) {
        const QString line = raw.trimmed();
        if (line.contains("bssid="))
            s.bssid = line.mid(6);
        if (line.contains("wpa_state="))
            s.state = line.mid(10);
        // "bssid=" also contains "ssid="; the answer's own "ssid=" line comes later. The
        // SSID is the line as printed: its spaces belong to it.
        if (line.contains("ssid=")) {
            QString printed = raw;
            if (printed.endsWith('\r'))
                printed.chop(1);
            s.ssid = ssidDecode(printed.mid(printed.indexOf("ssid=") + 5));
        }
    }
    return s;
}

QString wpaState(const QString& statusAnswer) {
    for (const QString& line : statusAnswer.split('\n'))
        if (line.contains("wpa_state="))
            return line.mid(10).trimmed();
    return QString();
}

bool ssidUsable(const QString& ssid) {
    const qsizetype bytes = ssid.toUtf8().size();
    return bytes >= 1 && bytes <= 32 && std::none_of(ssid.begin(), ssid.end(), [](QChar c) {
               return c.category() == QChar::Other_Control && c != u'\t';
           });
}

ScanList parseScanResults(const QString& scanAnswer) {
    ScanList found;
    const QStringList lines = scanAnswer.split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split('\t');
        if (f.size() != 5 || f[4].isEmpty())
            continue;
        const QString ssid = ssidDecode(f[4]); // as printed: its spaces belong to it
        if (!ssidUsable(ssid) || found.ssids.contains(ssid))
            continue;
        found.levels << f[2].trimmed();
        found.flags << f[3].trimmed();
        found.ssids << ssid;
    }
    std::vector<int> order(size_t(found.ssids.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return found.levels[a].toInt() > found.levels[b].toInt();
    });
    ScanList sorted;
    for (int i : order) {
        sorted.levels << found.levels[i];
        sorted.flags << found.flags[i];
        sorted.ssids << found.ssids[i];
    }
    return sorted;
}

int rssiOf(const QString& signalAnswer) {
    const QString first = signalAnswer.split('\n').value(0).trimmed();
    return first.contains("RSSI=") ? first.mid(5).toInt() : 0;
}

bool isSecured(const QString& flags) {
    return flags.contains("WPA");
}

int signalBars(int level) {
    if (level >= -50)
        return 3;
    if (level >= -60)
        return 2;
    if (level >= -70)
        return 1;
    return 0;
}

bool answeredOk(const QString& answer) {
    return QString(answer).remove('\n') == "OK";
}
