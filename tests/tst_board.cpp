// The board boundary in the simulator build: nothing reaches the host's devices, programs,
// system files or clock.
#include "knobs.h"
#include "platform/board.h"
#include "platform/ion.h"
#include "testkit/board_fixture.h"
#include "virtual_board.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// A device node served by an eventfd: counts what it is asked.
class CountingModel : public vboard::DeviceModel {
public:
    int opens = 0, ioctls = 0, closes = 0;
    unsigned long lastRequest = 0;
    int open(int) override {
        ++opens;
        return ::eventfd(0, EFD_CLOEXEC);
    }
    int close(int fd) override {
        ++closes;
        return ::close(fd);
    }
    int ioctl(int, unsigned long request, void* arg) override {
        ++ioctls;
        lastRequest = request;
        *static_cast<int*>(arg) = 42;
        return 0;
    }
};

} // namespace

class TstBoard : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;

private slots:
    void init() { m_board = std::make_unique<testkit::ScopedBoard>(); }

    void pathsOfTheBoard_data() {
        QTest::addColumn<QString>("boardPath");
        QTest::addColumn<bool>("underRoot");
        QTest::newRow("camera") << "/dev/video0" << true;
        QTest::newRow("sysfs") << "/sys/class/power_supply/usb/present" << true;
        QTest::newRow("tmp") << "/tmp/pupil_video.avi" << true;
        QTest::newRow("run") << "/run/x" << true;
        QTest::newRow("root home") << "/root/appstart.sh" << true;
        QTest::newRow("pagemap stays the host's") << "/proc/self/pagemap" << false;
        QTest::newRow("look-alike prefix") << "/tmpfile" << false;
        QTest::newRow("relative") << "CAMCFG/config.txt" << false;
    }

    void pathsOfTheBoard() {
        QFETCH(QString, boardPath);
        QFETCH(bool, underRoot);
        const QString host = board::path(boardPath);
        QCOMPARE(host, underRoot ? m_board->root() + boardPath : boardPath);
        QCOMPARE(QString::fromStdString(board::path(boardPath.toUtf8().constData())), host);
    }

    void defaultTree() {
        const QString r = m_board->root();
        QCOMPARE(
            testkit::readFile(board::path(QString("/sys/class/power_supply/battery/capacity"))),
            QByteArray("80\n"));
        // The power-supply file is the knob a person turns.
        vboard::setKnob(knobs::kBatteryCapacity, "19\n");
        QCOMPARE(testkit::readFile(r + "/sys/class/power_supply/battery/capacity"),
                 QByteArray("19\n"));
        QCOMPARE(vboard::knobInt("distance_cm", -1), 97);
        for (const char* k : knobs::kAll) // every knob a file to find, faults off
            QVERIFY2(QFileInfo(r + "/control/" + k).size() > 0, k);
        QCOMPARE(vboard::knobInt(knobs::kCameraDqbufFail, -1), 0);
        QVERIFY(testkit::readFile(r + "/root/appstart.sh").contains("modprobe vl53l1"));
        // A second start keeps what was set.
        vboard::setKnob(knobs::kDistanceCm, "50");
        board::init();
        QCOMPARE(vboard::knobInt("distance_cm", -1), 50);
        QCOMPARE(testkit::readFile(r + "/sys/class/power_supply/battery/capacity"),
                 QByteArray("19\n"));
    }

    void programsResolveOnTheBoard_data() {
        QTest::addColumn<QString>("name");
        for (const char* n : {"wpa_cli", "udhcpc", "poweroff", "reboot", "rmmod", "modprobe"})
            QTest::newRow(n) << n;
    }

    void programsResolveOnTheBoard() {
        QFETCH(QString, name);
        const QString exe = board::program(name);
        QCOMPARE(exe, m_board->root() + "/bin/" + name);
        QVERIFY(QFileInfo(exe).isExecutable());
        // The board's shell finds the board's program first, whatever the host has.
        QProcess sh;
        sh.setEnvironment(board::programEnvironment());
        sh.start("/bin/sh", {"-c", "command -v " + name});
        QVERIFY(sh.waitForFinished(5000));
        QCOMPARE(QString::fromUtf8(sh.readAllStandardOutput()).trimmed(), exe);
    }

    void shellRecordsProgramCalls() {
        QCOMPARE(board::shell("rmmod vl53l1 && modprobe vl53l1 && udhcpc -i wlan0 -q"), 0);
        QCOMPARE(testkit::readFile(vboard::recordPath("calls.log")),
                 QByteArray("rmmod vl53l1\nmodprobe vl53l1\nudhcpc -i wlan0 -q\n"));
    }

    void powerProgramsEndTheApplicationOnly() {
        for (const char* name : {"poweroff", "reboot"}) {
            // A stand-in for the application: the board's power program must end it and
            // nothing else.
            QProcess app;
            app.start("sleep", {"30"});
            QVERIFY(app.waitForStarted());
            QVERIFY(testkit::writeFile(vboard::recordPath("app.pid"),
                                       QByteArray::number(app.processId())));
            QCOMPARE(board::shell(name), 0);
            QVERIFY(app.waitForFinished(5000));
            QCOMPARE(testkit::readFile(vboard::recordPath("power")).trimmed(), QByteArray(name));
        }
        QCOMPARE(testkit::readFile(vboard::recordPath("calls.log")),
                 QByteArray("poweroff \nreboot \n"));
    }

    void shellLinesTouchOnlyTheBoard() {
        const QString probe = QString("/tmp/vistrel-board-probe-%1").arg(::getpid());
        QVERIFY(!QFile::exists(probe));
        const QString r = m_board->root();
        QCOMPARE(board::shell("echo PG3 1 > /sys/kernel/debug/sunxi_pinctrl/function"), 0);
        QCOMPARE(board::shell("echo PG3 0 > /sys/kernel/debug/sunxi_pinctrl/data"), 0);
        QCOMPARE(board::shell("sed -i '/modprobe vl53l1/d' /root/appstart.sh"), 0);
        QCOMPARE(board::shell("printf 022 >/dev/irled"), 0);
        QCOMPARE(board::shell("echo hello > " + probe + " && cat " + probe + " > /run/copy"), 0);

        QCOMPARE(testkit::readFile(r + "/sys/kernel/debug/sunxi_pinctrl/function"),
                 QByteArray("PG3 1\n"));
        QCOMPARE(testkit::readFile(r + "/sys/kernel/debug/sunxi_pinctrl/data"),
                 QByteArray("PG3 0\n"));
        const QByteArray script = testkit::readFile(r + "/root/appstart.sh");
        QVERIFY(!script.contains("modprobe vl53l1"));
        QVERIFY(script.contains("modprobe qmi8658"));
        QCOMPARE(testkit::readFile(r + "/dev/irled"), QByteArray("022"));
        QCOMPARE(testkit::readFile(r + probe), QByteArray("hello\n"));
        QCOMPARE(testkit::readFile(r + "/run/copy"), QByteArray("hello\n"));
        QVERIFY(!QFile::exists(probe));
    }

    void shellLineRewriting_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // with @ for the root
        QTest::newRow("redirection") << "echo 1 >/sys/a"
                                     << "echo 1 >@/sys/a";
        QTest::newRow("quoted") << "cat '/root/x y'"
                                << "cat '@/root/x y'";
        QTest::newRow("bare folder") << "ls /tmp"
                                     << "ls @/tmp";
        QTest::newRow("not a board path") << "sed -i '/modprobe x/d' f"
                                          << "sed -i '/modprobe x/d' f";
        QTest::newRow("inside a word") << "echo a/dev/b"
                                       << "echo a/dev/b";
        QTest::newRow("look-alike") << "cat /tmpx /devices"
                                    << "cat /tmpx /devices";
        QTest::newRow("already on the board") << "cat @/dev/irled"
                                              << "cat @/dev/irled";
    }

    void shellLineRewriting() {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const QString r = m_board->root();
        QCOMPARE(board::shellLineForHost(QString(line).replace('@', r)), expected.replace('@', r));
        const QString appDir = QCoreApplication::applicationDirPath();
        QCOMPARE(board::shellLineForHost("rm " + appDir + "/vistrel.new"),
                 "rm " + appDir + "/vistrel.new");
    }

    void hungShellLineIsCut() {
        QElapsedTimer t;
        t.start();
        QCOMPARE(board::shell("sleep 20", 300), -1);
        QVERIFY(t.elapsed() < 5000);
    }

    void systemClockStaysOnTheBoard() {
        const qint64 target = 1704067200; // 2024-01-01 00:00:00 UTC
        QVERIFY(board::setSystemClock(target));
        const qint64 boardNow = board::currentDateTime().toSecsSinceEpoch();
        QVERIFY2(boardNow >= target && boardNow <= target + 2,
                 qPrintable(QString::number(boardNow)));
        // The host clock keeps running where it was.
        QVERIFY(qAbs(qint64(::time(nullptr)) - QDateTime::currentSecsSinceEpoch()) <= 1);
        QVERIFY(::time(nullptr) > target + 3600 * 24 * 300);
        QCOMPARE(testkit::readFile(vboard::recordPath("clock")), QByteArray("1704067200\n"));
        QVERIFY(board::setSystemClock(QDateTime::currentSecsSinceEpoch()));
    }

    void deviceNodesGoToTheirModel() {
        auto model = std::make_shared<CountingModel>();
        vboard::registerModel("/dev/fake0", model);
        const int fd = board::open("/dev/fake0", O_RDWR);
        QVERIFY(fd >= 0);
        int value = 0;
        QCOMPARE(board::ioctl(fd, 0x1234, &value), 0);
        QCOMPARE(value, 42);
        QCOMPARE(model->lastRequest, 0x1234ul);
        // The descriptor is a real one: it can be waited on.
        const quint64 one = 1;
        QCOMPARE(board::write(fd, &one, sizeof one), ssize_t(sizeof one));
        QCOMPARE(board::waitReadable(fd, 1000), 1);
        QCOMPARE(board::close(fd), 0);
        QCOMPARE(model->opens, 1);
        QCOMPARE(model->closes, 1);
        vboard::unregisterModel("/dev/fake0");

        // A node without a model is the board's plain file.
        const int plain = board::open("/dev/irled", O_RDWR);
        QVERIFY(plain >= 0);
        QCOMPARE(board::write(plain, "000", 4), ssize_t(4));
        QCOMPARE(board::close(plain), 0);
        QCOMPARE(testkit::readFile(m_board->root() + "/dev/irled"), QByteArray("000\0", 4));
        QCOMPARE(board::open("/dev/video9", O_RDWR), -1);
    }

    // The application ends with the camera streaming: the camera model's thread stops with
    // the application object, before the statics it reads are destroyed.
    void cameraStopsWithTheApplication() {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VISTREL_SIM_BOARD_ROOT", m_board->root());
        child.setProcessEnvironment(env);
        child.start(BOARD_EXIT_CHILD, {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0); // 3: frames after the application object; 2: none
    }

    // The SoC's contiguous memory: a buffer is mapped whole (no fault on its first use), has
    // one physical address, and every share descriptor of it reaches the same memory.
    void ionBuffers() {
        const int ionFd = board::open("/dev/ion", O_RDONLY);
        QVERIFY(ionFd >= 0);
        const uint32_t len = 259 * 4096; // a little over 1 MiB
        ion::AllocationData a{len, 4096, ion::HEAP_MASK_CONTIG, ion::FLAG_CACHED, 0};
        ion::AllocationData b = a;
        QCOMPARE(board::ioctl(ionFd, ion::IOC_ALLOC, &a), 0);
        QCOMPARE(board::ioctl(ionFd, ion::IOC_ALLOC, &b), 0);
        const auto phys = [&](int handle) {
            ion::PhysData p{handle, 0, 0};
            ion::CustomData c{ion::CMD_PHYS_ADDR, reinterpret_cast<unsigned long>(&p)};
            return board::ioctl(ionFd, ion::IOC_CUSTOM, &c) == 0 ? p.physAddr : 0u;
        };
        QVERIFY(phys(a.handle) != 0);
        QCOMPARE(phys(a.handle), phys(a.handle));
        QCOMPARE(phys(b.handle) - phys(a.handle), 2u << 20); // on MiB boundaries

        ion::FdData first{a.handle, -1}, second{a.handle, -1};
        QCOMPARE(board::ioctl(ionFd, ion::IOC_SHARE, &first), 0);
        QCOMPARE(board::ioctl(ionFd, ion::IOC_SHARE, &second), 0);
        const auto map = [&](int fd) {
            return static_cast<unsigned char*>(
                board::mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
        };
        unsigned char* one = map(first.fd);
        unsigned char* other = map(second.fd);
        QVERIFY(one != MAP_FAILED && other != MAP_FAILED);
        std::vector<unsigned char> resident(len / 4096);
        QCOMPARE(::mincore(one, len, resident.data()), 0);
        QVERIFY(
            std::all_of(resident.begin(), resident.end(), [](unsigned char r) { return r & 1; }));
        one[len - 1] = 0x5a;
        QCOMPARE(other[len - 1], 0x5a);
        QCOMPARE(board::munmap(one, len), 0);
        QCOMPARE(board::munmap(other, len), 0);
        QCOMPARE(board::close(first.fd), 0);
        QCOMPARE(board::close(second.fd), 0);

        ion::FdData unknown{a.handle + 1000, -1};
        QCOMPARE(board::ioctl(ionFd, ion::IOC_SHARE, &unknown), -1);
        QCOMPARE(errno, EINVAL);
        QCOMPARE(board::close(ionFd), 0);
    }
};

QTEST_GUILESS_MAIN(TstBoard)
#include "knobs.h"
#include "tst_board.moc"
