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

QString ScreeningSession::begin(const entry::Child& child) {
    const QString problem = entry::childProblem(child, localTime(m_settings).date());
    if (!problem.isEmpty())
        return problem;
    m_record = entry::recordOf(child);
    return QString();
}

void ScreeningSession::forget() {
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

ScreeningRecord ScreeningSession::stampedRecord() const {
    ScreeningRecord r = entry::recordOf(child());
    r.testTime = localTime(m_settings);
    r.extras.timeSource = m_timeSource ? m_timeSource() : QString();
    return r;
}

bool ScreeningSession::saveTestResult(const AnalysisValues& values) {
    m_record = analysedRecord(stampedRecord(), values, m_settings.referralCriterion(),
                              board::currentDateTime().date());
    return appendToHistory(historyLine(m_record).toUtf8());
}

bool ScreeningSession::saveUnableToScreen(const QString& reason) {
    m_record = stampedRecord();
    m_record.referral = QString::fromLatin1(kUnableToScreen);
    m_record.extras.reason = reason;
    return appendToHistory(historyLine(m_record).toUtf8());
}

QString ScreeningSession::keptEntryFile() const {
    return m_appDir + paths::kKeptEntryFile;
}

bool ScreeningSession::keepEntry() {
    return settingsFolderReady() &&
           writeFileAtomically(keptEntryFile(), entry::keptEntryText(child(), false));
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

bool ScreeningSession::appendToHistory(const QByteArray& line, bool mayBeThere) {
    qCDebug(lcScreening, "%s", line.constData());
    std::lock_guard<std::mutex> g(m_historyLock);
    if (!settingsFolderReady()) {
        qCWarning(lcScreening, "the settings folder cannot be made: the screening is not kept");
        return false;
    }
    if (mayBeThere) {
        QFile history(historyFile());
        if (history.open(QIODevice::ReadOnly)) {
            const QByteArray all = history.readAll();
            if (all.startsWith(line) || all.contains('\n' + line) || all.contains('\r' + line))
                return true;
        }
    }
    if (!appendLineDurably(historyFile(), line, tornHistoryRecord)) {
        qCWarning(lcScreening, "the history file cannot be written");
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

ScreeningSession::Reply ScreeningSession::sendRecording(int region, const QString& readFrom) {
    const QString url = endpoints::analysisUploadUrl(region, m_identity.GetETNetMACAddress());
    QMap<QString, QString> fields{{"student_info", kAnalysisStudentInfo}};
    Reply reply;
    reply.text = m_http.httpPostRequestWithFile(url, kAnalysisTimeoutS, fields, "pupil_video",
                                                paths::kRecordingFile, &reply.reached, readFrom,
                                                &reply.status);
    return reply;
}

Analysis ScreeningSession::uploadAVIFile() {
    const Reply reply = sendRecording(m_settings.region());
    qCDebug(lcScreening, "m_photoResult=%s", qPrintable(reply.text));
    Analysis analysis;
    // A sign-in page is no answer of the server's: the operator is not shown its markup.
    m_signInNeeded = looksLikeSignInPage(reply.status, reply.text);
    const bool noAnswer = reply.text.isEmpty() || m_signInNeeded;
    analysis.reply = noAnswer ? QStringLiteral("No Response") : reply.text;
    if (reply.text.isEmpty() && !reply.reached) {
        if (m_unanswered)
            m_unanswered(); // the Wi-Fi worker looks at the connection again
        analysis.outcome = queueRecording();
        return analysis;
    }
    analysis.outcome = parseAnalysisReply(reply.text, analysis.values) ? AnalysisOutcome::Analysed
                                                                       : AnalysisOutcome::NoResult;
    return analysis;
}

// The server out of reach: the screening waits in the outbox with the time it was made and
// the criterion and region in force, and the operator can go on.
AnalysisOutcome ScreeningSession::queueRecording() {
    if (!m_outbox)
        return AnalysisOutcome::NoResult;
    switch (m_outbox->add(stampedRecord(), m_settings.referralCriterion(), m_settings.region(),
                          board::path(QString(paths::kRecordingFile)))) {
    case Outbox::Added::Queued:
        return AnalysisOutcome::Queued;
    case Outbox::Added::Full:
        return AnalysisOutcome::OutboxFull;
    case Outbox::Added::Failed:
        break;
    }
    qCWarning(lcScreening, "outbox: the screening could not be queued");
    return AnalysisOutcome::NoResult;
}

void ScreeningSession::deliveryStep(bool connected) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!connected || !m_schedule.due(now) || !m_outbox ||
        m_outbox->waiting() == 0) // a folder count: this runs every second
        return;
    const Delivery delivery = deliverOldest();
    if (delivery == Delivery::Delivered)
        m_schedule.delivered();
    else
        m_schedule.failed(now);
}

std::optional<ScreeningSession::Reply> ScreeningSession::replyFor(const OutboxItem& item,
                                                                  Delivery& failure) {
    QFile replyFile(item.replyFile());
    if (replyFile.open(QIODevice::ReadOnly))
        return Reply{QString::fromUtf8(replyFile.readAll()), true, true, 0};
    if (!QFileInfo::exists(item.recording())) {
        m_outbox->setAside(item, "the recording cannot be read");
        failure = Delivery::SetAside;
        return std::nullopt;
    }
    // Sent once: a lost reply makes the next step send it again, never this one.
    Reply reply = sendRecording(item.region, item.recording());
    m_signInNeeded = looksLikeSignInPage(reply.status, reply.text);
    if (m_signInNeeded) {
        qCWarning(lcScreening, "outbox: a sign-in page answered (status %d): Wi-Fi needs a sign-in",
                  reply.status);
        failure = Delivery::SignInPage;
        return std::nullopt;
    }
    if (reply.text.isEmpty() && !reply.reached) {
        failure = Delivery::Unreachable;
        return std::nullopt;
    }
    return reply;
}

Delivery ScreeningSession::deliverOldest() {
    const QList<OutboxItem> items = m_outbox ? m_outbox->items() : QList<OutboxItem>();
    if (items.isEmpty())
        return Delivery::NoneWaiting;
    const OutboxItem& item = items.first();
    Delivery failure = Delivery::Unreachable;
    const std::optional<Reply> reply = replyFor(item, failure);
    if (!reply)
        return failure;
    AnalysisValues values;
    if (!parseAnalysisReply(reply->text, values)) {
        // A 404, a 429, an empty page: the item waits for a server that answers a result.
        qCWarning(lcScreening, "outbox: %s: the analysis answered no result (status %d): %s",
                  qPrintable(item.id), reply->status, qPrintable(reply->text.left(200)));
        return Delivery::NoResult;
    }
    // The reply is kept before the history is written: after a power cut the next step
    // finds it and only makes sure the history has the line, once.
    if (!reply->stored && !writeFileAtomically(item.replyFile(), reply->text.toUtf8())) {
        qCWarning(lcScreening, "outbox: the reply of %s cannot be kept", qPrintable(item.id));
        return Delivery::NotKept;
    }
    // Judged as it would have been then: by its age on the day and the criterion in force.
    const ScreeningRecord record =
        analysedRecord(item.record, values, item.criterion, item.record.testTime.date());
    if (!appendToHistory(historyLine(record).toUtf8(), reply->stored))
        return Delivery::NotKept;
    m_outbox->remove(item);
    qCInfo(lcScreening, "outbox: delivered %s", qPrintable(item.id));
    return Delivery::Delivered;
}
