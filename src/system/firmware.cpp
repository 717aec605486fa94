#include "system/firmware.h"

#include "core/endpoints.h"

#include <QStringList>

QString firmwareUrl(const QString& region, const QString& file) {
    const endpoints::Endpoint server = endpoints::firmwareServer();
    return QString("http://%1:%2/v2/%3/%4").arg(server.host).arg(server.port).arg(region, file);
}

std::optional<VersionInfo> parseVersionFile(const QString& text, int* fieldCount) {
    const QStringList parts = text.split(';');
    if (fieldCount)
        *fieldCount = int(parts.size());
    if (parts.size() != 4)
        return std::nullopt;
    return VersionInfo{parts[0], parts[1], parts[2].toInt(), parts[3].trimmed()};
}

QList<QPair<QString, QString>> versionListEntries(const QString& listText) {
    QList<QPair<QString, QString>> entries;
    for (const QString& line : listText.split('\n')) {
        const QStringList f = line.split('\t');
        if (f.size() == 2)
            entries.append({f[0], f[1]});
    }
    return entries;
}

QString versionFileFor(const QString& listText, const QString& displayName) {
    for (const auto& e : versionListEntries(listText))
        if (e.second == displayName)
            return e.first;
    return QString();
}
