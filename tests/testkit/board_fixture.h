// The board fixture: a private virtual board per test, the stand-ins' knobs and logs, file
// and message helpers, and the records the rules are tested on. Suites of a single layer
// link it alone (vistrel_testkit_board); testkit/testkit.h adds the application.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "screening/record.h"
#include "testkit/emulation.h"

#include <functional>
#include <memory>

namespace testkit {

// Under the sanitizers everything runs several times slower: the camera's frames, the
// previews and a recording's six seconds then hold fewer frames than in real time, and
// the suites check those counts only in the other builds.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
inline constexpr bool kRealTime = false;
#else
inline constexpr bool kRealTime = true;
#endif

// A fresh virtual board under a temporary folder, made current for board::*, its clock on
// the host's time (also again when it goes).
class ScopedBoard {
public:
    ScopedBoard();
    ~ScopedBoard();
    ScopedBoard(const ScopedBoard&) = delete;
    ScopedBoard& operator=(const ScopedBoard&) = delete;
    QString root() const;
    QString appDir() const; // a separate folder standing for the executable's folder

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QByteArray readFile(const QString& path);

// The application's diagnostic lines: from captureMessages() on, every Qt message goes
// into a list (from any thread) instead of standard error, until releaseMessages().
void captureMessages();
void releaseMessages();
QStringList messages();
QStringList takeMessages(); // the lines so far; the list starts again empty

// Saves a picture of a widget as <build>/test-artifacts/screens/<name>.png.
bool saveScreen(class QWidget* widget, const QString& name);

// Runs `check` on the next modal window that opens, then closes it (for code that opens
// dialogs with exec()). Only windows of class `className` count when it is given; others,
// such as a progress dialog that closes itself, are left alone. Returns a counter of the
// windows seen.
std::shared_ptr<int> onNextModal(std::function<void(class QWidget*)> check = nullptr, int times = 1,
                                 const char* className = nullptr);

// The text of the next MsgDialog (its message when it has one, else its title), which is
// then closed. The text arrives once the dialog has been seen.
std::shared_ptr<QString> nextMessage();

// A one-second H.264 AVI made by ffmpeg at `file`, for the analysis stand-in to accept.
bool makeRecording(const QString& file);

// The local stand-ins started by the CTest fixture "services": their knobs and request logs
// (the log reader). A knob that cannot be set or cleared fails the running test.
namespace services {
QString dir();
void setKnob(const QString& name, const QString& value);
void clearKnob(const QString& name);
// One JSON object per request the service received, oldest first.
QList<QJsonObject> log(const QString& service);
void clearLog(const QString& service);
} // namespace services
bool writeFile(const QString& path, const QByteArray& data);

// What tests/tools/mime_check.py (Python's email, csv and a spreadsheet program) prints
// for `args`; its errors are logged.
QString mimeTool(const QStringList& args, int timeoutMs = 30000);

// The screening lines of a history text: every non-empty line but the extras lines.
QStringList screeningLines(const QString& history);

// A screening of a child born 2020-01-01 that has no analysis yet, as the outbox keeps one.
ScreeningRecord unanalysed(const QString& name, bool male, const QDateTime& testTime,
                           const QString& timeSource);

// A screening with a verdict but no measurements, as the receipts, exports and history
// rules see most of their cases.
ScreeningRecord withoutMeasurements(const QString& name, bool male, const QDate& birth,
                                    const QDateTime& testTime, const QString& referral,
                                    const RecordExtras& extras);

// Whether the suite reaches the servers over https:// (the default) or plain HTTP
// (VISTREL_SIM_PLAIN_HTTP=1, the suites' second run).
bool serversUseTls();

} // namespace testkit
