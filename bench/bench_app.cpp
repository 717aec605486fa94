// The running device's costs on the virtual board, against the stand-ins: CPU of the
// application's own threads per second of preview and of recording (the board's models,
// named "vb-...", counted apart), preview images made per second, peak resident memory
// during a recording and its upload, and how much the resident memory grows while a 2 MB
// and a 50 MB file are uploaded. Prints one JSON object.
#include "app/gdata.h"
#include "capture/capture_session.h"
#include "core/endpoints.h"
#include "core/settings.h"
#include "models.h"
#include "net/http_upload.h"
#include "screening/outbox.h"
#include "screening/screening_session.h"
#include "system/clock_service.h"
#include "system/wifi_service.h"
#include "testkit/window_fixture.h"
#include "ui/maindialog.h"
#include "ui/screening_controller.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <unistd.h>

namespace {

struct ThreadTime {
    QString name;
    qint64 ns = 0;
};

// CPU time of every thread of this process so far, by thread id: the scheduler's
// nanosecond figure where the kernel keeps one, else user + system ticks.
std::map<qint64, ThreadTime> threadTimes() {
    std::map<qint64, ThreadTime> out;
    const long tick = sysconf(_SC_CLK_TCK);
    for (const QString& tid :
         QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = "/proc/self/task/" + tid;
        QFile comm(dir + "/comm"), sched(dir + "/schedstat"), stat(dir + "/stat");
        ThreadTime t;
        if (comm.open(QIODevice::ReadOnly))
            t.name = QString::fromUtf8(comm.readAll()).trimmed();
        if (sched.open(QIODevice::ReadOnly)) {
            t.ns = sched.readAll().split(' ').value(0).toLongLong();
        } else if (stat.open(QIODevice::ReadOnly)) {
            const QByteArray s = stat.readAll();
            const QList<QByteArray> f = s.mid(s.lastIndexOf(')') + 2).split(' ');
            t.ns = (f.value(11).toLongLong() + f.value(12).toLongLong()) * 1000000000LL / tick;
        }
        out[tid.toLongLong()] = t;
    }
    return out;
}

// Watches the threads while `until` is false (every 20 ms, so that a thread ending in
// the meantime keeps what it used up to its last look) and returns the CPU per group.
struct PhaseCpu {
    double seconds = 0;
    std::map<QString, qint64> byThread; // name -> ns
    double percentOf(bool models) const {
        qint64 ns = 0;
        for (const auto& [name, t] : byThread)
            if (name.startsWith(vboard::kModelThreadPrefix) == models)
                ns += t;
        return seconds > 0 ? 100.0 * double(ns) / (seconds * 1e9) : 0;
    }
};

qint64 ownCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

PhaseCpu watchThreads(const std::function<bool()>& until, int timeoutMs) {
    qint64 watching = 0; // what reading /proc costs the main thread: not the application's
    qint64 t0 = ownCpuNs();
    const auto start = threadTimes();
    std::map<qint64, ThreadTime> last = start;
    watching += ownCpuNs() - t0;
    QElapsedTimer clock;
    clock.start();
    while (!until() && clock.elapsed() < timeoutMs) {
        QTest::qWait(100);
        t0 = ownCpuNs();
        for (const auto& [tid, t] : threadTimes())
            last[tid] = t;
        watching += ownCpuNs() - t0;
    }
    PhaseCpu phase;
    phase.seconds = double(clock.nsecsElapsed()) / 1e9;
    for (const auto& [tid, t] : last) {
        const auto before = start.find(tid);
        const QString name = tid == getpid() ? QStringLiteral("main (GUI)") : t.name;
        phase.byThread[name] += t.ns - (before == start.end() ? 0 : before->second.ns);
    }
    phase.byThread["main (GUI)"] -= watching;
    return phase;
}

qint64 statusKb(const char* key) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// From here on VmHWM is the peak since now.
void resetPeak() {
    QFile f("/proc/self/clear_refs");
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

QJsonObject threadsJson(const PhaseCpu& p) {
    QJsonObject o;
    for (const auto& [name, ns] : p.byThread)
        if (ns > 0)
            o[name] = 100.0 * double(ns) / (p.seconds * 1e9);
    return o;
}

// The largest anonymous, file-backed and shared resident sizes seen, every 50 ms (a timer:
// it also fires inside the nested event loops of the upload's dialog).
struct ResidentWatch {
    std::map<QByteArray, qint64> maxKb;
    QTimer timer;
    ResidentWatch() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (const char* key : {"RssAnon:", "RssFile:", "RssShmem:"})
                maxKb[key] = qMax(maxKb[key], statusKb(key));
        });
        timer.start(50);
    }
};

bool fail(const char* what) {
    std::fprintf(stderr, "bench_app: %s\n", what);
    return false;
}

bool screening(QJsonObject& out) {
    testkit::WindowFixture fx(true);
    GData& d = fx.data();
    MainDialog& w = fx.window();
    d.clock().setTimeSynced(true);
    d.settings().store(CamCfg::FocusAuto, "0");
    if (!QTest::qWaitFor(
            [&] {
                return fx.widget<QStackedWidget>("stackedWidgetBase")->currentIndex() ==
                       MainDialog::PageMain;
            },
            5000))
        return fail("no start page");
    if (!QTest::qWaitFor(
            [&] { return int(d.capture().state()) == 0 && d.capture().cameraOpened(); }, 20000))
        return fail("the start-up recording did not end");
    fx.widget<QStackedWidget>("stackedWidgetMain")->setCurrentIndex(0);
    fx.widget<QStackedWidget>("stackedWidgetWithMenu")->setCurrentIndex(0);
    fx.widget<QLineEdit>("editName")->setText("Ann");
    fx.widget<QLineEdit>("editDate")->setText("2019-05-03");
    w.findChild<QPushButton*>("buttonFemale")->click();
    w.findChild<QPushButton*>("buttonCamera")->click();
    if (fx.widget<QStackedWidget>("stackedWidgetBase")->currentIndex() != MainDialog::PageCamera)
        return fail("no camera page");
    QTest::qWait(1000);

    const int shownBefore = w.screening().previewsShown();
    const PhaseCpu preview = watchThreads([] { return false; }, 5000);
    out["previews_per_s"] = (w.screening().previewsShown() - shownBefore) / preview.seconds;
    out["preview_app_cpu_pct"] = preview.percentOf(false);
    out["preview_models_cpu_pct"] = preview.percentOf(true);
    out["preview_threads"] = threadsJson(preview);

    out["rss_preview_mb"] = double(statusKb("VmRSS:")) / 1024;
    resetPeak();
    ResidentWatch parts;
    d.settings().store(CamCfg::FocusAuto,
                       "1"); // the automatic start, as an operator holding the device still
    if (!QTest::qWaitFor([&] { return int(d.capture().state()) == 2; }, 20000))
        return fail("the recording did not start");
    const PhaseCpu recording = watchThreads([&] { return int(d.capture().state()) != 2; }, 20000);
    out["recording_app_cpu_pct"] = recording.percentOf(false);
    out["recording_models_cpu_pct"] = recording.percentOf(true);
    out["recording_threads"] = threadsJson(recording);
    if (!QTest::qWaitFor(
            [&] {
                return fx.widget<QStackedWidget>("stackedWidgetWithMenu")->currentIndex() == 1 &&
                       fx.widget<QStackedWidget>("stackedWidgetBase")->currentIndex() ==
                           MainDialog::PageMain;
            },
            30000))
        return fail("no result after the upload");
    out["peak_rss_mb"] = double(statusKb("VmHWM:")) / 1024;
    for (const auto& [key, kb] : parts.maxKb)
        out["peak_" + QString::fromLatin1(key).chopped(1).toLower() + "_mb"] = double(kb) / 1024;
    return true;
}

// The longest wait between two master ticks while the Wi-Fi worker scans, polls and joins
// on the Wi-Fi page: everything that waits for wpa_cli runs on the worker, so the GUI
// thread's ticks should come every 200 ms, one late tick at most.
bool wifiStall(QJsonObject& out) {
    testkit::WindowFixture fx(true);
    GData& d = fx.data();
    MainDialog& w = fx.window();
    fx.widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageWifi);
    QTest::qWait(1000);
    w.resetMaxTickGap();
    QElapsedTimer t;
    t.start();
    int refreshes = 0;
    while (t.elapsed() < 8000) {
        d.wifi().requestRefresh();
        ++refreshes;
        QTest::qWait(500);
    }
    out["wifi_max_tick_gap_ms"] = double(w.maxTickGapMs());
    out["wifi_refreshes"] = refreshes;
    return true;
}

// Resident memory growth while one upload of a file of `bytes` runs.
bool uploadGrowth(qint64 bytes, const QString& key, QJsonObject& out) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/upload.avi";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return fail("cannot write the upload file");
    QByteArray piece(1 << 20, 0);
    for (qint64 left = bytes; left > 0; left -= piece.size()) {
        for (char& c : piece)
            c = char(QRandomGenerator::global()->bounded(256));
        f.write(piece.constData(), qMin<qint64>(left, piece.size()));
    }
    f.close();
    const qint64 before = statusKb("VmRSS:");
    resetPeak();
    const UploadAnswer a =
        postFile(QUrl(endpoints::analysisUploadUrl(0, "0")), {{"student_info", "0__0__0__0"}},
                 {"pupil_video", "pupil_video.avi", path, "video/avi"}, 120);
    if (!a.answered)
        return fail(qPrintable("upload not answered: " + a.failure));
    out[key] = double(statusKb("VmHWM:") - before) / 1024;
    return true;
}

// 20 screenings queued while the analysis was out of reach, delivered one after another
// as the Wi-Fi worker does; how long that takes and how much the process grows meanwhile.
bool outboxDelivery(QJsonObject& out) {
    testkit::DataFixture fx;
    GData& d = fx.data();
    const QString recording = fx.board().root() + "/recording.avi";
    if (!testkit::makeRecording(recording))
        return fail("no recording for the outbox");
    constexpr int kItems = 20;
    for (int n = 0; n < kItems; ++n) {
        const ScreeningRecord r =
            testkit::unanalysed(QString("Child %1").arg(n), true,
                                QDateTime(QDate(2026, 12, 1), QTime(9, 0)), "network");
        if (d.screening().outbox()->add(r, 1, 0, recording) != Outbox::Added::Queued)
            return fail("cannot queue");
    }
    const qint64 before = statusKb("VmRSS:");
    resetPeak();
    QElapsedTimer t;
    t.start();
    int delivered = 0;
    while (d.screening().deliverOldest() == Delivery::Delivered)
        ++delivered;
    out["outbox_20_delivery_s"] = double(t.elapsed()) / 1000;
    out["outbox_20_delivered"] = delivered;
    out["outbox_rss_growth_mb"] = double(statusKb("VmHWM:") - before) / 1024;
    return delivered == kItems || fail("not every queued screening was delivered");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The application's diagnostics are dropped, not kept: kept, they would be memory.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QJsonObject out;
    const bool ok = screening(out) && wifiStall(out) &&
                    uploadGrowth(2 << 20, "upload_2mb_rss_growth_mb", out) &&
                    uploadGrowth(50 << 20, "upload_50mb_rss_growth_mb", out) && outboxDelivery(out);
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return ok ? 0 : 1;
}
