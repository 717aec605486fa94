#include "system/firmware.h"

#include "core/endpoints.h"

#include <QRegularExpression>
#include <QStringList>

QString firmwareUrl(const QString& region, const QString& file) {
    return endpoints::baseUrl(endpoints::firmwareServer()) + QString("/v2/%1/%2").arg(region, file);
}

std::optional<VersionInfo> parseVersionFile(const QString& text, int* fieldCount) {
    const QStringList parts = text.split(';');
    if (fieldCount)
        *fieldCount = int(parts.size());
    if (parts.size() != 4)
        return std::nullopt;
    return VersionInfo{parts[0], parts[1], parseImageSize(parts[2]), normalisedMd5(parts[3])};
}

int parseImageSize(const QString& text) {
    static const QRegularExpression digits("^[0-9]{1,9}$");
    if (!digits.match(text).hasMatch())
        return -1;
    const int size = text.toInt();
    return size >= 1 && size <= kMaxImageBytes ? size : -1;
}

QString normalisedMd5(const QString& text) {
    static const QRegularExpression hex("^[0-9A-Fa-f]{32}$");
    const QString trimmed = text.trimmed();
    return hex.match(trimmed).hasMatch() ? trimmed.toUpper() : QString();
}

QString signatureFileOf(const QString& file) {
    return file + ".sig";
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
