#include "app/gdata.h"
#include "app/workers.h"
#include "capture/camera_retry.h"
#include "core/log.h"
#include "core/message_handler.h"
#include "platform/board.h"
#include "screening/screening_session.h"
#include "system/cmdutil.h"
#include "system/firmware_service.h"
#include "ui/maindialog.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFont>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>

namespace {

// Runs `then` once, after the window's first paint has been handled.
class FirstPaint : public QObject {
public:
    FirstPaint(QObject* parent, std::function<void()> then)
        : QObject(parent), m_then(std::move(then)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_then) {
            // Queued: runs once the paint event has been handled.
            QTimer::singleShot(0, this, m_then);
            m_then = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};

// VISTREL_EXIT_AT_FIRST_PAINT=1 (for the start-up benchmark): print the monotonic clock in
// nanoseconds on standard output and end normally. The launcher compares it with its own
// clock before it started the process.
void reportFirstPaintAndExit() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly))
        out.write("first paint " +
                  QByteArray::number(qint64(now.tv_sec) * 1000000000LL + now.tv_nsec) + '\n');
    out.close();
    QCoreApplication::exit(0);
}

// Qt ends the process with exit(1) from inside the event loop when the display server
// goes away, which the supervisor would take for a camera restart, and with the workers
// still running while the statics go. Told first, the application stops its workers and
// ends with kNoDisplayExit instead.
void displayWentAway(Workers& workers) {
    qCWarning(lcApp, "the display went away: the application ends");
    workers.stop();
    std::fflush(nullptr);
    std::_Exit(kNoDisplayExit);
}

} // namespace

int main(int argc, char* argv[]) {
    // Before the application object: a missing display is said while it is made.
    qInstallMessageHandler(myMessageOutput);
    QApplication app(argc, argv);
    // Qt 6 already takes C strings, file names, translations and the locale as UTF-8, so
    // there is no codec to set here.
    board::init();

    QFont font("wenquanyi", 24, QFont::Normal);
    app.setFont(font);

    // Outlives the window and the workers, which work on it until they are stopped.
    auto data = std::make_unique<GData>();
    data->Init();
    data->firmware().versionDelete();

    Workers workers(*data);
    auto* window = new MainDialog(*data);
    window->connectWorkers(workers.camera(), workers.video(), workers.device());
    // From the event loop's first turn, once the window is shown: the camera's start and
    // the start-up recording would otherwise take the second core, and memory bandwidth,
    // from building and painting the first page.
    QTimer::singleShot(0, &workers, &Workers::start);
    const bool exitAtFirstPaint = qEnvironmentVariableIntValue("VISTREL_EXIT_AT_FIRST_PAINT") == 1;
    // A first page on the screen is what the supervisor waits for before it keeps an update.
    window->installEventFilter(new FirstPaint(window, [&data, exitAtFirstPaint] {
        data->firmware().confirmStarted();
        if (exitAtFirstPaint)
            reportFirstPaintAndExit();
    }));
    window->show();
    setDisplayLostAction([&workers] { displayWentAway(workers); });
    const int code = app.exec();
    setDisplayLostAction(nullptr);
    // The workers stop before the process ends: a camera thread still pulling frames while
    // the process tears down would crash it, and a crash is not a restart.
    workers.stop();
    delete window;
    // A restart for the camera gives the operator back the child typed in; any other end
    // leaves nothing to restore.
    if (code == kCameraRestartExit)
        data->screening().markCameraRestart();
    else
        data->screening().dropEntry();
    return code;
}
