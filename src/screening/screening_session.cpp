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
#include <QFileInfo>
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

int ScreeningSession::judgeRecord() {
    const int referral = calculateReferral();
    m_record.referral = verdictText(referral);
    m_record.extras.criterion = criterionName(m_settings.referralCriterion());
    m_record.extras.reason.clear();
    return referral;
}

bool ScreeningSession::saveUnableToScreen(const QString& reason) {
    ScreeningRecord& r = m_record;
    for (QString* value : {&r.odSph, &r.odCyl, &r.odAxis, &r.osSph, &r.osCyl, &r.osAxis, &r.pd})
        value->clear();
    r.referral = QString::fromLatin1(kUnableToScreen);
    r.extras.reason = reason;
    r.extras.criterion.clear(); // nothing was judged
    return saveTestResult();
}

QString ScreeningSession::keptEntryFile() const {
    return m_appDir + paths::kKeptEntryFile;
}

bool ScreeningSession::keepEntry() {
    const entry::Child child{m_record.name, m_record.male, m_record.birth, m_record.extras.childId};
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

void ScreeningSession::setAppDir(const QString& appDir) {
    m_appDir = appDir;
    m_outbox =
        std::make_unique<Outbox>(appDir + "/outbox", OutboxLimits{endpoints::outboxMaxItems(),
                                                                  endpoints::outboxMinFreeBytes()});
    m_outbox->recover();
}

ScreeningSession::~ScreeningSession() = default;

bool ScreeningSession::saveTestResult() {
    m_record.testTime = localTime(m_settings);
    m_record.extras.timeSource = m_timeSource ? m_timeSource() : QString();
    const QString line = historyLine(m_record);
    qCDebug(lcScreening, "%s", qPrintable(line));
    std::lock_guard<std::mutex> g(m_historyLock);
    if (!settingsFolderReady())
        return false;
    if (!appendLineDurably(historyFile(), line.toUtf8(), tornHistoryRecord)) {
        qCDebug(lcScreening, "saveTestResult: the history file cannot be written");
        return false;
    }
    return true;
}

QString ScreeningSession::readTestResult() {
    QString text;
    if (!settingsFolderReady() || !readTextCreatingFile(historyFile(), text))
        return QString();
    return text;
}

QString ScreeningSession::historyWithPending() {
    QString text = readTestResult();
    if (!m_outbox)
        return text;
    if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r'))
        text += '\n';
    for (OutboxItem& item : m_outbox->items()) {
        item.record.referral = kPendingVerdict;
        text += historyLine(item.record);
    }
    return text;
}

// The only copy of every past screening: replaced as a whole, never truncated in place.
bool ScreeningSession::saveDeleteResult(const QString& text) {
    std::lock_guard<std::mutex> g(m_historyLock);
    if (!settingsFolderReady())
        return false;
    return writeFileAtomically(historyFile(), text.toUtf8());
}

bool ScreeningSession::deleteChildren(const QStringList& childKeys) {
    if (m_outbox)
        m_outbox->removeChildren(childKeys); // what waits for them goes too
    std::lock_guard<std::mutex> g(m_historyLock);
    QFile file(historyFile());
    if (!file.exists())
        return true; // only waiting screenings, gone already
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
    bool reached = false;
    m_photoResult = m_http.httpPostRequestWithFile(url, 92, fields, "pupil_video",
                                                   paths::kRecordingFile, &reached);
    qCDebug(lcScreening, "m_photoResult=%s", qPrintable(m_photoResult));
    if (m_photoResult.isEmpty()) {
        m_photoResult = "No Response";
        if (!reached) {
            if (m_unanswered)
                m_unanswered(); // the Wi-Fi worker looks at the connection again
            return queueRecording();
        }
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

// The server out of reach: the screening waits in the outbox with the time it was made and
// the criterion and region in force, and the operator can go on.
int ScreeningSession::queueRecording() {
    if (!m_outbox)
        return 0;
    ScreeningRecord waiting = m_record;
    waiting.testTime = localTime(m_settings);
    waiting.extras.timeSource = m_timeSource ? m_timeSource() : QString();
    switch (m_outbox->add(waiting, m_settings.referralCriterion(), m_settings.region(),
                          board::path(QString(paths::kRecordingFile)))) {
    case Outbox::Added::Queued:
        return kQueued;
    case Outbox::Added::Full:
        return kOutboxFull;
    case Outbox::Added::Failed:
        break;
    }
    return 0;
}

bool ScreeningSession::deliverOldest() {
    if (!m_outbox)
        return false;
    const QList<OutboxItem> items = m_outbox->items();
    if (items.isEmpty())
        return false;
    OutboxItem item = items.first();
    QFile replyFile(item.replyFile());
    QString reply;
    const bool answeredBefore = replyFile.open(QIODevice::ReadOnly);
    if (answeredBefore) {
        reply = QString::fromUtf8(replyFile.readAll());
        replyFile.close();
    } else {
        if (!QFileInfo::exists(item.recording())) {
            m_outbox->setAside(item, "the recording cannot be read");
            return false;
        }
        const QString url =
            endpoints::analysisUploadUrl(item.region, m_identity.GetETNetMACAddress());
        QMap<QString, QString> fields{{"student_info", "0__0__0__0"}};
        bool reached = false;
        // Sent once: a lost reply makes the next step send it again, never this one.
        reply = m_http.httpPostRequestWithFile(url, 92, fields, "pupil_video",
                                               paths::kRecordingFile, &reached, item.recording());
        if (reply.isEmpty() && !reached)
            return false;
    }
    AnalysisValues v;
    if (!parseAnalysisReply(reply, v)) {
        m_outbox->setAside(item, "the analysis answered no result: " + reply.left(200));
        return false;
    }
    // The reply is kept before the history is written: after a power cut the next step
    // finds it and only makes sure the history has the line, once.
    if (!answeredBefore && !writeFileAtomically(item.replyFile(), reply.toUtf8()))
        return false;
    ScreeningRecord& r = item.record;
    r.osSph = v.osSph;
    r.odSph = v.odSph;
    r.osCyl = v.osCyl;
    r.odCyl = v.odCyl;
    r.pd = v.pd;
    r.osAxis = v.osAxis;
    r.odAxis = v.odAxis;
    // Judged as it would have been then: by its age on the day and the criterion in force.
    r.referral = verdictText(
        referralFor(item.criterion, monthsOfAge(r.testTime.date(), r.birth), recordRefraction(r)));
    r.extras.criterion = criterionName(item.criterion);
    const QByteArray line = historyLine(r).toUtf8();
    {
        std::lock_guard<std::mutex> g(m_historyLock);
        if (!settingsFolderReady())
            return false;
        // Only after a power cut between the two can the line be there already.
        bool present = false;
        QFile history(historyFile());
        if (answeredBefore && history.open(QIODevice::ReadOnly)) {
            const QByteArray all = history.readAll();
            present =
                all.startsWith(line) || all.contains('\n' + line) || all.contains('\r' + line);
            history.close();
        }
        if (!present && !appendLineDurably(historyFile(), line, tornHistoryRecord)) {
            qCDebug(lcScreening, "outbox: the history file cannot be written");
            return false;
        }
    }
    m_outbox->remove(item);
    qCInfo(lcScreening, "outbox: delivered %s", qPrintable(item.id));
    return true;
}
