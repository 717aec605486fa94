// The screening subsystem's state: the one current record (the child being screened and
// the result), the analysis of its recording, the verdict by the criterion in force, the
// history file, and the outbox of screenings that wait for the analysis. The record is the
// GUI thread's (the analysis runs inside the progress dialog's job); the Wi-Fi worker
// delivers what waits, and the history file is written under a lock both take.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "screening/child_entry.h"
#include "screening/outbox.h"
#include "screening/record.h"

class Settings;
class HttpClient;
class common;

class ScreeningSession {
public:
    ScreeningSession(const Settings& settings, HttpClient& http, common& identity);

    // The history and the outbox live under the application folder.
    void setAppDir(const QString& appDir);
    ~ScreeningSession();

    ScreeningRecord& record() { return m_record; }
    const ScreeningRecord& record() const { return m_record; }
    // A new child: no name, male, no birth date, no result.
    void startRecord();
    // The analysis server's last reply, or "No Response".
    QString photoResult() const { return m_photoResult; }

    int getMonthofAge() const;
    int calculateMatta() const;
    int calculateArnold() const;
    int calculateArthur2() const;
    // By the criterion in the settings.
    int calculateReferral() const;
    // Sets the record's verdict, and the criterion that gave it, by the settings; returns
    // calculateReferral().
    int judgeRecord();
    // The screening ends without a result, for the reason (an unableReasons() code): the
    // record is "Unable to screen", without values, and is appended like any other.
    bool saveUnableToScreen(const QString& reason);

    // Analysis of the recording: 1 when the record was filled from the reply; 0 when it
    // failed (photoResult() says how); kQueued when the server could not be reached and the
    // screening waits in the outbox; kOutboxFull when it could not even wait there.
    static constexpr int kQueued = 2;
    static constexpr int kOutboxFull = 3;
    int uploadAVIFile();

    Outbox* outbox() { return m_outbox.get(); }
    // The worker's step: delivers the oldest waiting screening. True when one was
    // delivered (or found delivered), false when none waits or the server is out of reach.
    bool deliverOldest();
    // Called when the analysis server did not answer at all (the network may be gone).
    void setUnansweredAction(std::function<void()> action) { m_unanswered = std::move(action); }
    // Names where the clock's time comes from, for the record saved next.
    void setTimeSource(std::function<QString()> source) { m_timeSource = std::move(source); }

    // The child typed in, kept on storage while the camera page is open: the camera may
    // restart the application. keepEntry writes it, markCameraRestart notes that the
    // application ends for the camera, dropEntry removes it when the page is left.
    bool keepEntry();
    void markCameraRestart();
    void dropEntry();
    // At start: the child kept before a restart for the camera (then removed), or nothing.
    // A kept entry without the camera's mark (a power loss) is removed and not restored.
    std::optional<entry::Child> takeCameraRestartEntry();

    // History file <application directory>/CAMCFG/result.txt
    QString historyFile() const;
    bool settingsFolderReady() const;
    int queueRecording();
    QString keptEntryFile() const;
    // Appends the record with the test time now.
    bool saveTestResult();
    QString readTestResult();
    // The history followed by a line for each screening still waiting for the analysis
    // (no values, verdict kPendingVerdict): what the history screens list and export. The
    // file itself never holds them.
    static constexpr const char* kPendingVerdict = "Pending";
    QString historyWithPending();
    bool saveDeleteResult(const QString& text);
    // Removes the children's records from the history file, every other line kept byte
    // for byte (historyWithout); false when the file cannot be read or replaced.
    bool deleteChildren(const QStringList& childKeys);

private:
    const Settings& m_settings;
    HttpClient& m_http;
    common& m_identity;
    QString m_appDir;
    ScreeningRecord m_record;
    QString m_photoResult;
    std::function<void()> m_unanswered;
    std::function<QString()> m_timeSource;
    std::unique_ptr<Outbox> m_outbox;
    std::mutex m_historyLock; // the GUI's appends and rewrites, the worker's deliveries
};
