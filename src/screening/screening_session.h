// The screening subsystem's state: the screening under way (its record: the child it began
// with and, once it ended, its values and verdict), the analysis of its recording, the verdict by
// the criterion in force, the history file, and the outbox of screenings that wait for the
// analysis.
//
// The session is the only writer of the record. A screening begins with the child the
// input page validated (begin), the window asks the session to analyse the recording
// (uploadAVIFile), to judge and keep it (saveTestResult) or end it without a result
// (saveUnableToScreen), and reads the record back. The screening is the GUI thread's (the
// analysis runs inside the progress dialog's job); the Wi-Fi worker delivers what waits,
// and the history file is written under a lock both take.
#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "screening/analysis.h"
#include "screening/child_entry.h"
#include "screening/delivery_schedule.h"
#include "screening/outbox.h"
#include "screening/record.h"

class Settings;
class HttpClient;
class common;

// What became of a recording sent to the analysis.
enum class AnalysisOutcome {
    Analysed,   // the reply carried the values
    NoResult,   // the server answered, with no result (or nothing could be kept)
    Queued,     // the server was out of reach: the screening waits in the outbox
    OutboxFull, // out of reach, and the outbox has no room left
};
struct Analysis {
    AnalysisOutcome outcome = AnalysisOutcome::NoResult;
    AnalysisValues values; // when Analysed
    QString reply;         // the server's reply, or "No Response"
};

// What one delivery of a waiting screening came to. Only a reply that is a result completes
// an item; every other answer keeps it waiting for the next try.
enum class Delivery {
    Delivered,   // in the history now (or found there after a power cut)
    NoneWaiting, // nothing to deliver
    Unreachable, // no answer: the network or the server is down
    NoResult,    // an answer that is no result (4xx, 429, an empty or other page)
    SignInPage,  // a captive portal's page answered: the Wi-Fi wants a sign-in first
    SetAside,    // the item's recording cannot be read: kept aside, not tried again
    NotKept,     // the reply or the history line could not be written: tried again
};

class ScreeningSession {
public:
    ScreeningSession(const Settings& settings, HttpClient& http, common& identity);

    // The history and the outbox live under the application folder.
    void setAppDir(const QString& appDir);
    ~ScreeningSession();

    // A screening of `child` begins: "" when the child can be screened today (the local
    // date), otherwise why not (the entry's checks) and nothing changed.
    QString begin(const entry::Child& child);
    // No screening under way: the input page starts again.
    void forget();
    entry::Child child() const { return entry::childOf(m_record); }
    // The screening under way: the child, and once it ended its values and verdict.
    const ScreeningRecord& record() const { return m_record; }

    // Of the record, by the board's date.
    int getMonthofAge() const;
    int calculateMatta() const;
    int calculateArnold() const;
    int calculateArthur2() const;
    // By the criterion in the settings.
    int calculateReferral() const;

    // Sends the recording of the screening under way to the analysis; queues it in the
    // outbox when the server cannot be reached.
    Analysis uploadAVIFile();
    // The screening ends with the analysis' values: judged by the criterion in force,
    // stamped with the time now and appended to the history. False when it was not kept
    // (the record still holds the result, for the result page).
    bool saveTestResult(const AnalysisValues& values);
    // The screening ends without a result, for the reason (an unableReasons() code): the
    // record is "Unable to screen", without values, and is appended like any other.
    bool saveUnableToScreen(const QString& reason);

    Outbox* outbox() { return m_outbox.get(); }
    // The Wi-Fi worker's step, every second: while connected and the schedule says so, the
    // oldest waiting screening goes to the analysis.
    void deliveryStep(bool connected);
    // Delivers the oldest waiting screening.
    Delivery deliverOldest();
    // The last delivery met a captive portal's page: the operator is to sign in to the
    // Wi-Fi. Any thread (the worker sets it, the status bar reads it).
    bool signInNeeded() const { return m_signInNeeded; }
    // Called when the analysis server did not answer at all (the network may be gone).
    void setUnansweredAction(std::function<void()> action) { m_unanswered = std::move(action); }
    // Names where the clock's time comes from, for the record saved next.
    void setTimeSource(std::function<QString()> source) { m_timeSource = std::move(source); }

    // The child of the screening, kept on storage while the camera page is open: the camera
    // may restart the application. keepEntry writes it, markCameraRestart notes that the
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
    QString keptEntryFile() const;
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
    struct Reply {
        QString text;
        bool reached = false; // the server answered, even with nothing
        bool stored = false;  // read from the item, answered before a power cut
        int status = 0;       // the HTTP status, 0 for none or a stored reply
    };
    // The one analysis request: the recording at `readFrom` (the live recording when
    // empty) to the region's server.
    Reply sendRecording(int region, const QString& readFrom = QString());
    // The child's record without a result, stamped with the time now and its source.
    ScreeningRecord stampedRecord() const;
    AnalysisOutcome queueRecording();
    // An outbox item's reply: kept from an earlier step, or asked for now; nothing when
    // the server is out of reach or the recording is gone (the item is then set aside).
    std::optional<Reply> replyFor(const OutboxItem& item, Delivery& failure);
    // Appends one history line; `mayBeThere` after a power cut between the reply's keeping
    // and the append, when the line is looked for first so that it is there once.
    bool appendToHistory(const QByteArray& line, bool mayBeThere = false);

    const Settings& m_settings;
    HttpClient& m_http;
    common& m_identity;
    QString m_appDir;
    ScreeningRecord m_record;
    std::function<void()> m_unanswered;
    std::function<QString()> m_timeSource;
    std::unique_ptr<Outbox> m_outbox;
    DeliverySchedule m_schedule; // the worker's
    std::atomic<bool> m_signInNeeded{false};
    std::mutex m_historyLock; // the GUI's appends and rewrites, the worker's deliveries
};
