#include "screening/screening_session.h"

#include "core/common.h"
#include "core/endpoints.h"
#include "core/local_time.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/settings.h"
#include "net/http_client.h"
#include "screening/analysis.h"

#include "core/files.h"
#include "platform/board.h"
#include "screening/criteria.h"
#include "screening/history.h"

#include <QFile>
#include <QMap>

// The board's date, not shifted by the time-zone setting.
int ScreeningSession::getMonthofAge() const {
    return monthsOfAge(board::currentDateTime().date(), m_record.birth);
}

namespace {
Refraction recordRefraction(const ScreeningRecord& r) {
    return refractionFrom(r.osSph, r.odSph, r.osCyl, r.odCyl);
}
} // namespace

ScreeningSession::ScreeningSession(const Settings& settings, HttpClient& http, common& identity)
    : m_settings(settings), m_http(http), m_identity(identity) {}

void ScreeningSession::startRecord() {
    m_record = ScreeningRecord{};
}

int ScreeningSession::calculateMatta() const {
    return mattaReferral(getMonthofAge(), recordRefraction(m_record));
}
int ScreeningSession::calculateArnold() const {
    return arnoldReferral(getMonthofAge(), recordRefraction(m_record));
}
int ScreeningSession::calculateArthur2() const {
    return arthur2Referral(recordRefraction(m_record));
}

int ScreeningSession::calculateReferral() const {
    return referralFor(m_settings.referralCriterion(), getMonthofAge(), recordRefraction(m_record));
}

QString ScreeningSession::keptEntryFile() const {
    return m_appDir + paths::kKeptEntryFile;
}

bool ScreeningSession::keepEntry() {
    const entry::Child child{m_record.name, m_record.male, m_record.birth};
    return settingsFolderReady() &&
           writeFileAtomically(keptEntryFile(), entry::keptEntryText(child, false));
}

void ScreeningSession::markCameraRestart() {
    QFile file(keptEntryFile());
    if (!file.open(QIODevice::ReadOnly))
        return; // no child typed in: nothing to restore
    const std::optional<entry::KeptEntry> kept = entry::parseKeptEntry(file.readAll());
    file.close();
    if (kept && !writeFileAtomically(keptEntryFile(), entry::keptEntryText(kept->child, true)))
        qCWarning(lcScreening, "the entry could not be marked for the camera's restart");
}

void ScreeningSession::dropEntry() {
    QFile::remove(keptEntryFile());
}

std::optional<entry::Child> ScreeningSession::takeCameraRestartEntry() {
    QFile file(keptEntryFile());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<entry::KeptEntry> kept = entry::parseKeptEntry(file.readAll());
    file.close();
    dropEntry();
    if (!kept || !kept->cameraRestart)
        return std::nullopt;
    return kept->child;
}

// The folder the history and the kept entry go to. Without an application folder (a
// session nobody placed yet) nothing is written: the path would be the file system's root.
bool ScreeningSession::settingsFolderReady() const {
    return !m_appDir.isEmpty() && ensureFolder(m_appDir + paths::kSettingsFolder);
}

QString ScreeningSession::historyFile() const {
    return m_appDir + paths::kHistoryFile;
}

bool ScreeningSession::saveTestResult() {
    m_record.testTime = localTime(m_settings);
    m_record.timeSource = m_timeSource ? m_timeSource() : QString();
    const QString line = historyLine(m_record);
    qCDebug(lcScreening, "%s", qPrintable(line));
    if (!settingsFolderReady())
        return false;
    if (!appendLineDurably(historyFile(), line.toUtf8())) {
        qCDebug(lcScreening, "saveTestResult: the history file cannot be written");
        return false;
    }
    return true;
}

QString ScreeningSession::readTestResult() {
    QString text;
    if (!settingsFolderReady() ||
        !readTextCreatingFile(historyFile(), text))
        return QString();
    return text;
}

// The only copy of every past screening: replaced as a whole, never truncated in place.
bool ScreeningSession::saveDeleteResult(const QString& text) {
    if (!settingsFolderReady())
        return false;
    return writeFileAtomically(historyFile(), text.toUtf8());
}

bool ScreeningSession::deleteChildren(const QStringList& childKeys) {
    QFile file(historyFile());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    file.close();
    return writeFileAtomically(historyFile(), historyWithout(bytes, childKeys));
}

int ScreeningSession::uploadAVIFile() {
    const QString url =
        endpoints::analysisUploadUrl(m_settings.region(), m_identity.GetETNetMACAddress());
    QMap<QString, QString> fields{{"student_info", "0__0__0__0"}};
    m_photoResult =
        m_http.httpPostRequestWithFile(url, 92, fields, "pupil_video", paths::kRecordingFile);
    qCDebug(lcScreening, "m_photoResult=%s", qPrintable(m_photoResult));
    if (m_photoResult.isEmpty()) {
        m_photoResult = "No Response";
        if (m_unanswered)
            m_unanswered(); // the Wi-Fi worker looks at the connection again
        return 0;
    }
    AnalysisValues v;
    if (!parseAnalysisReply(m_photoResult, v))
        return 0;
    m_record.osSph = v.osSph;
    m_record.odSph = v.odSph;
    m_record.osCyl = v.osCyl;
    m_record.odCyl = v.odCyl;
    m_record.pd = v.pd;
    m_record.osAxis = v.osAxis;
    m_record.odAxis = v.odAxis;
    return 1;
}
