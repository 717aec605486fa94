// The firmware server's files: version list and version file.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// "<scheme>://<host>:<port>/v2/<region>/<file>"
QString firmwareUrl(const QString& region, const QString& file);

// The default version file of the release channel.
constexpr const char* kDefaultVersionFile = "version_rent.txt";

// The largest image the device takes (its application is a few megabytes).
constexpr int kMaxImageBytes = 256 << 20;

// The size field: a whole number of bytes from 1 to kMaxImageBytes, in decimal digits only;
// -1 for anything else ("", "1e3", "-5", "99999999999").
int parseImageSize(const QString& text);

// 32 hexadecimal digits in either case, given back in upper case; "" for anything else.
QString normalisedMd5(const QString& text);

struct VersionInfo {
    QString version;
    QString file;
    int size = -1; // -1: the size field is no usable size
    QString md5;   // upper-case hexadecimal, trimmed; "": no MD5
    // Whether an update to this version can be tried: a file, its size and its digest.
    bool usable() const { return !file.isEmpty() && size > 0 && !md5.isEmpty(); }
};

// One line of exactly four ";"-separated fields; nothing otherwise (with the field count).
std::optional<VersionInfo> parseVersionFile(const QString& text, int* fieldCount = nullptr);

// The detached signature beside an image: "<file>.sig".
QString signatureFileOf(const QString& file);

// (file name, display name) of every line with exactly two tab-separated fields, in order.
QList<QPair<QString, QString>> versionListEntries(const QString& listText);

// The file of the first entry with this display name, "" when there is none.
QString versionFileFor(const QString& listText, const QString& displayName);
