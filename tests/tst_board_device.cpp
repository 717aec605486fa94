// The device's board boundary, linked alone: every function the boundary declares must have
// its device definition (a missing one fails this build, not the field build), and the
// vendor encoder, absent here, fails cleanly with a log line instead of crashing. The clock
// is never set: this runs on the host (only times it refuses are passed to it).
#include "platform/board.h"
#include "platform/time_limits.h"
#include "platform/vencoder.h"
#include "testkit/emulation.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
QStringList g_lines;
void collect(QtMsgType, const QMessageLogContext&, const QString& text) {
    g_lines << text;
}
} // namespace

class TstBoardDevice : public QObject {
    Q_OBJECT

private slots:
    void boundaryOnTheRealMachine() {
        board::init();
        QCOMPARE(board::path(QString("/dev/video0")), QString("/dev/video0"));
        QCOMPARE(QString::fromStdString(board::path("/tmp/x")), QString("/tmp/x"));
        QCOMPARE(board::shellLineForHost("echo hi"), QString("echo hi"));
        QVERIFY(!board::programEnvironment().isEmpty());
        QVERIFY(qAbs(board::currentSecsSinceEpoch() - QDateTime::currentSecsSinceEpoch()) <= 1);
        QVERIFY(board::currentDateTime().isValid());
        QVERIFY(!board::program("wpa_cli").isEmpty());
        auto setClock = &board::setSystemClock; // linked; called only with refused times
        QVERIFY(setClock != nullptr);

        QTemporaryDir dir;
        const std::string file = (dir.path() + "/node").toStdString();
        const int fd = board::open(file.c_str(), O_RDWR | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(board::write(fd, "abcd", 4), ssize_t(4));
        QCOMPARE(board::waitReadable(fd, 100), 1);
        void* map = board::mmap(nullptr, 4, PROT_READ, MAP_SHARED, fd, 0);
        QVERIFY(map != MAP_FAILED);
        QCOMPARE(QByteArray(static_cast<const char*>(map), 4), QByteArray("abcd"));
        QCOMPARE(board::munmap(map, 4), 0);
        char buf[4];
        ::lseek(fd, 0, SEEK_SET);
        QCOMPARE(board::read(fd, buf, 4), ssize_t(4));
        int unused = 0;
        QVERIFY(board::ioctl(fd, 0, &unused) < 0); // a plain file knows no device request
        QCOMPARE(board::close(fd), 0);
    }

    void shellRunsOnTheMachine() {
        SKIP_WITHOUT_CHILD_PROCESSES();
        QCOMPARE(board::shell("exit 3"), 3);
    }

    // A 32-bit time_t ends at 2038-01-19 03:14:07 UTC: later times are refused, not wrapped.
    void timeLimit_data() {
        QTest::addColumn<qint64>("secs");
        QTest::addColumn<bool>("fitsEverywhere");
        QTest::newRow("epoch") << qint64(0) << true;
        QTest::newRow("last second of 32-bit time") << qint64(0x7fffffff) << true;
        QTest::newRow("first second past it") << qint64(0x80000000) << false;
        QTest::newRow("year 2106") << qint64(0x100000000) << false;
        QTest::newRow("before 1901") << -qint64(0x80000001) << false;
    }
    void timeLimit() {
        QFETCH(qint64, secs);
        QFETCH(bool, fitsEverywhere);
        const bool wide = sizeof(time_t) == 8;
        QCOMPARE(board::fitsTimeT(secs), fitsEverywhere || wide);
        if (!board::fitsTimeT(secs)) { // refused before it reaches the clock
            qInstallMessageHandler(collect);
            g_lines.clear();
            const bool set = board::setSystemClock(secs);
            qInstallMessageHandler(nullptr);
            QVERIFY(!set);
            QVERIFY2(g_lines.filter("clock not set").size() == 1, qPrintable(g_lines.join('\n')));
        }
    }

    // Without the vendor's libraries the encoder does not start, and the log says why.
    void encoderWithoutTheVendorLibraries() {
        qInstallMessageHandler(collect);
        QVERIFY(MemAdapterGetOpsS() == nullptr);
        QVERIFY(VideoEncCreate(VENC_CODEC_H264) == nullptr);
        QCOMPARE(VideoEncodeOneFrame(nullptr), -1);
        qInstallMessageHandler(nullptr);
        QVERIFY2(g_lines.filter("vendor encoder: cannot load libcdc_").size() >= 1,
                 qPrintable(g_lines.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TstBoardDevice)
#include "tst_board_device.moc"
