// GData's firmware update: version list and checks, download, verification and staging.
#include "app/gdata.h"
#include "core/files.h"
#include "core/paths.h"

#include "core/endpoints.h"
#include "platform/board.h"
#include "system/firmware.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>

namespace {

QString region(const GData& d) {
    return endpoints::regionName(d.m_nRegion);
}

} // namespace

int GData::versionListGet() {
    QByteArray body;
    if (!httpGetRequest(firmwareUrl(region(*this), "versionList.txt"), 60, body))
        return -1;
    m_strVersionList = QString::fromUtf8(body);
    qDebug("versionList = %s", qPrintable(m_strVersionList));
    return 1;
}

// Fetches and reads a version file; -1 on failure.
int GData::fetchVersionFile(const QString& file, VersionInfo& info) {
    QByteArray body;
    if (!httpGetRequest(firmwareUrl(region(*this), file), 60, body))
        return -1;
    const QString text = QString::fromUtf8(body);
    qDebug("versionCheck = %s", qPrintable(text));
    int fields = 0;
    const auto parsed = parseVersionFile(text, &fields);
    if (!parsed) {
        qDebug("strList.size() = %d", fields);
        return -1;
    }
    info = *parsed;
    return 1;
}

void GData::storeNewVersion(const VersionInfo& info) {
    std::lock_guard<std::mutex> g(m_versionLock);
    m_strNewVerFile = info.file;
    m_iNewVerSize = info.size;
    m_strNewVerMD5 = info.md5;
    qDebug("m_strNewVerMD5: [%s]", qPrintable(m_strNewVerMD5));
}

int GData::versionCheck() {
    qDebug() << "versionFile: " << QString(kDefaultVersionFile);
    VersionInfo info;
    if (fetchVersionFile(kDefaultVersionFile, info) < 0)
        return -1;
    if (info.version == m_strVersion)
        return 0;
    storeNewVersion(info);
    return 1;
}

int GData::versionCheck(const QString& file) {
    VersionInfo info;
    if (fetchVersionFile(file, info) < 0)
        return -1;
    storeNewVersion(info);
    return 1;
}

void GData::timerVersionCheck() {
    if (m_bVersionChecked || !m_bTimeSynced)
        return;
    const qint64 now = board::currentSecsSinceEpoch();
    if (now - m_tLastVersionCheck <= 4)
        return;
    m_tLastVersionCheck = now;
    const int result = versionCheck();
    if (result >= 0) {
        m_bVersionChecked = true;
        if (result == 1)
            m_bNewVersion = true;
    }
}

bool GData::versionDownlod() {
    QString file;
    int size;
    {
        std::lock_guard<std::mutex> g(m_versionLock);
        file = m_strNewVerFile;
        size = m_iNewVerSize;
    }
    const QString url = firmwareUrl(region(*this), file);
    qDebug() << "firmwareFileUrl: " << url;
    // The image goes to storage as it arrives, and no more of it than the version file
    // announced.
    const QString temporary = appDir() + "/vistrel.tmp";
    qint64 received = 0;
    const bool downloaded = httpGetToFile(url, 60, temporary, size, received);
    bool ok = false;
    if (!downloaded && received <= size)
        qDebug("httpGetRequest failed!");
    else if (received != size)
        qDebug("versionDownlod len error %lld %d", static_cast<long long>(received), size);
    else if (!versionMD5Check())
        qDebug("versionMD5Check failed");
    else if (!versionCopy())
        qDebug("versionCopy failed");
    else
        ok = true;
    QFile::remove(temporary);
    return ok;
}

bool GData::versionMD5Check() {
    QFile f(appDir() + "/vistrel.tmp");
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
    qDebug("download file MD5 %s", qPrintable(digest));
    qDebug("file desc MD5: %s", qPrintable(expected));
    return digest == expected; // case-sensitive: the server gives upper case
}

// Moves the verified image into place and says whether that worked: an update whose move
// failed must not be reported as a success and rebooted into the old version. The rename
// reaches storage before the reboot that follows.
bool GData::versionCopy() {
    const QString staged = appDir() + "/vistrel.new";
    if (QFileInfo::exists(staged) && !QFile::remove(staged))
        return false;
    return renameDurably(appDir() + "/vistrel.tmp", staged);
}

// Removes an image left staged by an earlier update. A file operation rather than a shell
// line, so an application folder whose path holds spaces or shell characters is safe.
void GData::versionDelete() {
    QFile::remove(appDir() + "/vistrel.new");
}

// Removes the settings file so that the next start writes the defaults.
void GData::cfgFileDelete() {
    QFile::remove(appDir() + paths::kSettingsFile);
}
