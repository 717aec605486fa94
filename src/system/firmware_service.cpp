#include "system/firmware_service.h"

#include "core/files.h"
#include "core/log.h"
#include "core/paths.h"
#include "net/http_client.h"
#include "system/clock_service.h"

#include "core/endpoints.h"
#include "platform/board.h"
#include "system/firmware.h"
#include "system/firmware_image.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>

FirmwareService::FirmwareService(HttpClient& http, const ClockService& clock)
    : m_http(http), m_clock(clock), m_trustedKeys(firmware::trustedKeys()),
      m_strVersion(QStringLiteral(VISTREL_VERSION)) {}

QString FirmwareService::region() const {
    return endpoints::regionName(m_region);
}

QString FirmwareService::versionList() const {
    std::lock_guard<std::mutex> g(m_versionLock);
    return m_strVersionList;
}

QString FirmwareService::newVersionFile() const {
    std::lock_guard<std::mutex> g(m_versionLock);
    return m_strNewVerFile;
}

int FirmwareService::newVersionSize() const {
    std::lock_guard<std::mutex> g(m_versionLock);
    return m_iNewVerSize;
}

QString FirmwareService::newVersionMD5() const {
    std::lock_guard<std::mutex> g(m_versionLock);
    return m_strNewVerMD5;
}

bool FirmwareService::versionListGet() {
    QByteArray body;
    if (!m_http.httpGetRequest(firmwareUrl(region(), "versionList.txt"), 60, body)) {
        qCWarning(lcFirmware, "the version list cannot be fetched");
        return false;
    }
    const QString list = QString::fromUtf8(body);
    qCDebug(lcFirmware, "versionList = %s", qPrintable(list));
    std::lock_guard<std::mutex> g(m_versionLock);
    m_strVersionList = list;
    return true;
}

// Fetches and reads a version file.
bool FirmwareService::fetchVersionFile(const QString& file, VersionInfo& info) {
    QByteArray body;
    if (!m_http.httpGetRequest(firmwareUrl(region(), file), 60, body)) {
        qCWarning(lcFirmware, "the version file %s cannot be fetched", qPrintable(file));
        return false;
    }
    const QString text = QString::fromUtf8(body);
    qCDebug(lcFirmware, "versionCheck = %s", qPrintable(text));
    int fields = 0;
    const auto parsed = parseVersionFile(text, &fields);
    if (!parsed) {
        qCWarning(lcFirmware, "strList.size() = %d", fields);
        return false;
    }
    info = *parsed;
    return true;
}

// A version whose size or digest cannot be checked is no update: it fails the check.
bool FirmwareService::storeNewVersion(const VersionInfo& info) {
    if (!info.usable()) {
        qCWarning(lcFirmware, "versionCheck: no usable file, size and MD5");
        return false;
    }
    std::lock_guard<std::mutex> g(m_versionLock);
    m_strNewVerFile = info.file;
    m_iNewVerSize = info.size;
    m_strNewVerMD5 = info.md5;
    qCDebug(lcFirmware, "m_strNewVerMD5: [%s]", qPrintable(m_strNewVerMD5));
    return true;
}

VersionCheck FirmwareService::versionCheck() {
    qCDebug(lcFirmware) << "versionFile: " << QString(kDefaultVersionFile);
    VersionInfo info;
    if (!fetchVersionFile(kDefaultVersionFile, info))
        return VersionCheck::Failed;
    if (info.version == m_strVersion)
        return VersionCheck::Same;
    return storeNewVersion(info) ? VersionCheck::NewVersion : VersionCheck::Failed;
}

VersionCheck FirmwareService::versionCheck(const QString& file) {
    VersionInfo info;
    if (!fetchVersionFile(file, info))
        return VersionCheck::Failed;
    return storeNewVersion(info) ? VersionCheck::NewVersion : VersionCheck::Failed;
}

void FirmwareService::timerVersionCheck() {
    if (m_bVersionChecked || !m_clock.timeSynced())
        return;
    const qint64 now = board::currentSecsSinceEpoch();
    if (now - m_tLastVersionCheck <= 4)
        return;
    m_tLastVersionCheck = now;
    const VersionCheck result = versionCheck();
    if (result != VersionCheck::Failed) {
        m_bVersionChecked = true;
        if (result == VersionCheck::NewVersion)
            m_bNewVersion = true;
    }
}

bool FirmwareService::versionDownlod() {
    QString file;
    int size;
    {
        std::lock_guard<std::mutex> g(m_versionLock);
        file = m_strNewVerFile;
        size = m_iNewVerSize;
    }
    QByteArray signature;
    if (!fetchSignature(file, signature))
        return false;
    const QString url = firmwareUrl(region(), file);
    qCDebug(lcFirmware) << "firmwareFileUrl: " << url;
    // The image goes to storage as it arrives, and no more of it than the version file
    // announced.
    const QString temporary = m_appDir + "/vistrel.tmp";
    qint64 received = 0;
    const bool downloaded = m_http.httpGetToFile(url, 60, temporary, size, received);
    bool ok = false;
    if (!downloaded && received <= size)
        qCWarning(lcFirmware, "httpGetRequest failed!");
    else if (received != size)
        qCWarning(lcFirmware, "versionDownlod len error %lld %d", static_cast<long long>(received),
                  size);
    else if (!versionMD5Check())
        qCWarning(lcFirmware, "versionMD5Check failed");
    else if (!versionImageCheck(signature))
        qCWarning(lcFirmware, "versionSignatureCheck failed");
    else if (!versionCopy())
        qCWarning(lcFirmware, "versionCopy failed");
    else
        ok = true;
    QFile::remove(temporary);
    return ok;
}

// The detached signature beside the image, before the image itself: an image that nobody
// signed is not worth downloading.
bool FirmwareService::fetchSignature(const QString& file, QByteArray& signature) {
    if (!m_http.httpGetRequest(firmwareUrl(region(), signatureFileOf(file)), 60, signature)) {
        qCWarning(lcFirmware, "versionDownlod: no signature %s", qPrintable(signatureFileOf(file)));
        return false;
    }
    if (signature.size() != firmware::kSignatureBytes) {
        qCWarning(lcFirmware, "versionDownlod: the signature has %lld bytes, not %d",
                  static_cast<long long>(signature.size()), firmware::kSignatureBytes);
        return false;
    }
    return true;
}

// The downloaded bytes, as they will be staged: an executable for this processor, signed by
// a key this build trusts.
bool FirmwareService::versionImageCheck(const QByteArray& signature) {
    const QString temporary = m_appDir + "/vistrel.tmp";
    QFile image(temporary);
    if (!image.open(QIODevice::ReadOnly))
        return false;
    const QString problem = firmware::imageHeadProblem(image.read(64));
    image.close();
    if (!problem.isEmpty()) {
        qCDebug(lcFirmware, "versionDownlod: the image is %s", qPrintable(problem));
        return false;
    }
    if (!firmware::fileSignedByOneOf(temporary, signature, m_trustedKeys)) {
        qCWarning(lcFirmware, "versionDownlod: the signature is not by a trusted key");
        return false;
    }
    return true;
}

bool FirmwareService::versionMD5Check() {
    QFile f(m_appDir + "/vistrel.tmp");
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash md5(QCryptographicHash::Md5);
    if (!md5.addData(&f))
        return false;
    const QString digest = QString::fromLatin1(md5.result().toHex()).toUpper();
    QString expected;
    {
        std::lock_guard<std::mutex> g(m_versionLock);
        expected = m_strNewVerMD5;
    }
    qCDebug(lcFirmware, "download file MD5 %s", qPrintable(digest));
    qCDebug(lcFirmware, "file desc MD5: %s", qPrintable(expected));
    return digest == expected; // both upper case: the version file's is normalised
}

// Moves the verified image into place and says whether that worked: an update whose move
// failed must not be reported as a success and rebooted into the old version. The rename
// reaches storage before the reboot that follows.
bool FirmwareService::versionCopy() {
    const QString staged = m_appDir + "/vistrel.new";
    if (QFileInfo::exists(staged) && !QFile::remove(staged))
        return false;
    return renameDurably(m_appDir + "/vistrel.tmp", staged);
}

// Removes an image left staged by an earlier update. A file operation rather than a shell
// line, so an application folder whose path holds spaces or shell characters is safe.
void FirmwareService::versionDelete() {
    QFile::remove(m_appDir + "/vistrel.new");
}

void FirmwareService::confirmStarted() {
    QFile::remove(m_appDir + paths::kUpdateTrialFile);
}

// Removes the settings file so that the next start writes the defaults.
void FirmwareService::cfgFileDelete() {
    QFile::remove(m_appDir + paths::kSettingsFile);
}
