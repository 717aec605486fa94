// Shared test helpers: a private virtual board per test and small file utilities.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "screening/analysis.h"
#include "screening/child_entry.h"
#include "screening/record.h"
#include "testkit/emulation.h"

#include <functional>
#include <memory>

class GData;

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

// A virtual board and a GData on it, initialised as main does (display buffer, settings
// and calibration from the board's application folder).
class DataFixture {
public:
    DataFixture();                                    // on a board of its own
    explicit DataFixture(const ScopedBoard& onBoard); // on a board the test made already
    virtual ~DataFixture();
    DataFixture(const DataFixture&) = delete;
    DataFixture& operator=(const DataFixture&) = delete;

    GData& data() { return *m_data; }
    const ScopedBoard& board() const { return *m_board; }

private:
    void init(const ScopedBoard& onBoard);

    std::unique_ptr<ScopedBoard> m_ownBoard;
    const ScopedBoard* m_board;
    std::unique_ptr<GData> m_data;
};

// The example child used throughout the tests (Test, female, born 2019-05-03), its analysis
// (OD 1.25/-0.50/180, OS 1.00/-0.75/175, PD 58: a pass by every criterion), and the two as
// the record of a screening at `testTime`.
entry::Child exampleChild();
AnalysisValues exampleValues();
ScreeningRecord exampleRecord(const QDateTime& testTime);
// Begins the example child's screening on `data`'s session; the test fails if it is refused.
void beginExample(GData& data);

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

// Firmware images as the firmware server offers them.
namespace firmware {
// `size` bytes that start as an ELF executable for the processor the suite runs on.
QByteArray image(int size, char fill = 'x');
// The build's development signing key, which the simulator build trusts.
QString devKey();
// A new Ed25519 key in PEM under `dir`, which nothing trusts.
QString makeKey(const QString& dir);
// The Ed25519 signature of `data` by the PEM key at `keyPath` (signed in this process, so
// that it works where child processes cannot run).
QByteArray sign(const QByteArray& data, const QString& keyPath);
} // namespace firmware

} // namespace testkit
