// The screening subsystem's state: the one current record (the child being screened and
// the result), the analysis of its recording, the verdict by the criterion in force, and
// the history file. GUI thread only: the analysis runs inside the progress dialog's job.
#pragma once

#include <QString>

#include <functional>

#include "screening/record.h"

class Settings;
class HttpClient;
class common;

class ScreeningSession {
public:
    ScreeningSession(const Settings& settings, HttpClient& http, common& identity);

    // The history lives under the application folder.
    void setAppDir(const QString& appDir) { m_appDir = appDir; }

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

    // Analysis of the recording: 1 when the record was filled from the reply.
    int uploadAVIFile();
    // Called when the analysis server did not answer at all (the network may be gone).
    void setUnansweredAction(std::function<void()> action) { m_unanswered = std::move(action); }

    // History file <application directory>/CAMCFG/result.txt
    QString historyFile() const;
    // Appends the record with the test time now.
    bool saveTestResult();
    QString readTestResult();
    bool saveDeleteResult(const QString& text);

private:
    const Settings& m_settings;
    HttpClient& m_http;
    common& m_identity;
    QString m_appDir;
    ScreeningRecord m_record;
    QString m_photoResult;
    std::function<void()> m_unanswered;
};
