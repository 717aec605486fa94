// Firmware update: the version list and checks against the firmware server, the download,
// its verification (size, MD5, an executable for this processor, a signature by a key the
// build trusts) and staging as vistrel.new for the supervisor to install at the next boot.
//
// Threads: the Wi-Fi worker runs the background check; the GUI runs the checks, the list
// and the download inside its progress dialogs. The new version's fields sit behind this
// class's lock; the flags and the region are atomics.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <mutex>

class HttpClient;
class ClockService;
struct VersionInfo;

// What a version check found: a version to install, the running one, or nothing usable
// (no answer, or a version file whose size or digest cannot be checked).
enum class VersionCheck { NewVersion, Same, Failed };

class FirmwareService {
public:
    FirmwareService(HttpClient& http, const ClockService& clock);

    void setAppDir(const QString& appDir) { m_appDir = appDir; }
    void setRegion(int region) { m_region = region; }
    QString version() const { return m_strVersion; }
    void setVersion(const QString& version) { m_strVersion = version; }

    // The version list, as the server last gave it.
    QString versionList() const;
    // The version the last check found: file, size, MD5.
    QString newVersionFile() const;
    int newVersionSize() const;
    QString newVersionMD5() const;
    bool versionChecked() const { return m_bVersionChecked; }
    bool newVersion() const { return m_bNewVersion; }

    // True when the server's version list was fetched.
    bool versionListGet();
    // The default version file against the running version.
    VersionCheck versionCheck();
    // A version file of the list, to switch to: NewVersion whatever its version.
    VersionCheck versionCheck(const QString& file);
    void timerVersionCheck();
    bool versionDownlod();
    bool versionMD5Check();
    bool versionCopy();
    void versionDelete();
    // Tells the supervisor that this application has come up: it keeps an update installed
    // at this boot instead of restoring the previous application (device/appstart.sh).
    void confirmStarted();
    void cfgFileDelete();

private:
    bool fetchVersionFile(const QString& file, VersionInfo& info);
    bool storeNewVersion(const VersionInfo& info);
    bool fetchSignature(const QString& file, QByteArray& signature);
    bool versionImageCheck(const QByteArray& signature);
    QString region() const;

    HttpClient& m_http;
    const ClockService& m_clock;
    const QList<QByteArray> m_trustedKeys;
    QString m_appDir;
    QString m_strVersion; // the build's; GUI thread sets, before the worker starts
    std::atomic<int> m_region{0};

    mutable std::mutex m_versionLock;
    QString m_strNewVerFile;
    int m_iNewVerSize = 0;
    QString m_strNewVerMD5;
    QString m_strVersionList;
    std::atomic<bool> m_bVersionChecked{false};
    std::atomic<bool> m_bNewVersion{false};
    qint64 m_tLastVersionCheck = 0; // worker only
};
