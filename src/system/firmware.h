// The firmware server's files: version list and version file.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// "http://<host>:<port>/v2/<region>/<file>"
QString firmwareUrl(const QString& region, const QString& file);

// The default version file of the release channel.
constexpr const char* kDefaultVersionFile = "version_rent.txt";

struct VersionInfo {
    QString version;
    QString file;
    int size = 0;
    QString md5; // upper-case hexadecimal, trimmed
};

// One line of exactly four ";"-separated fields; nothing otherwise (with the field count).
std::optional<VersionInfo> parseVersionFile(const QString& text, int* fieldCount = nullptr);

// (file name, display name) of every line with exactly two tab-separated fields, in order.
QList<QPair<QString, QString>> versionListEntries(const QString& listText);

// The file of the first entry with this display name, "" when there is none.
QString versionFileFor(const QString& listText, const QString& displayName);
