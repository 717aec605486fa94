#include "virtual_board.h"
#include "knobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <unistd.h>

// The board's programs are resources of this static library; they must be registered by
// hand before the first use.
static void initBoardResources() {
    Q_INIT_RESOURCE(board);
}

namespace vboard {
namespace {

QMutex g_rootLock;
QString g_root;

// Knobs and their starting values: a scene in which the camera is ready to record.
const struct {
    const char* name;
    const char* value;
} kKnobs[] = {
    {knobs::kDistanceCm, "97"},        // target distance seen by the range sensor
    {knobs::kPitchDeg, "0"},           // device pitch seen by the IMU
    {knobs::kAmbient, "12"},           // ambient infrared light, 0 (dark) to 255
    {knobs::kBatteryCapacity, "80\n"}, // battery gauge, percent
    {knobs::kChargerPresent, "0\n"},   // 1 while the charger is plugged in
    // Networks in the air: SSID, level, security, pass phrase, BSSID (tab-separated).
    {knobs::kAir, "Clinic-Guest\t-48\topen\t\t02:00:5e:10:00:01\n"
                  "Clinic-Staff\t-56\twpa2\tstaff-pass-2024\t02:00:5e:10:00:02\n"
                  "Caf\xc3\xa9 Wi-Fi 5G\t-67\twpa2\tespresso-42\t02:00:5e:10:00:03\n"},
    // The faults, off: every knob is a file a maintainer can find and edit.
    {knobs::kCameraOpenFail, "0\n"},
    {knobs::kCameraBuffers, "-1\n"}, // as the application asks
    {knobs::kCameraDqbufFail, "0\n"},
    {knobs::kCameraStall, "0\n"},
    {knobs::kCameraTagsEven, "0\n"},
    {knobs::kEncoderRingKib, "0\n"}, // the encoder's normal size
    {knobs::kSensorStatus, "9\n"},
    {knobs::kSensorNeverReady, "0\n"},
    {knobs::kSensorNotBooted, "0\n"},
    {knobs::kI2cFail, "0\n"},
    {knobs::kSensorPeriodMs, "0\n"}, // the configured period
    {knobs::kImuMissing, "0\n"},
    {knobs::kDispMissing, "0\n"},
    {knobs::kRtcMissing, "0\n"},
    {knobs::kRtcLost, "0\n"},
};

// Plain files of the board with their contents when first created.
const struct {
    const char* path;
    const char* contents;
} kFiles[] = {
    {"/sys/module/vfe_v4l2/parameters/led_loop", "0"},
    {"/sys/module/vfe_v4l2/parameters/led_val", "0"},
    {"/sys/kernel/debug/sunxi_pinctrl/function", ""},
    {"/sys/kernel/debug/sunxi_pinctrl/data", ""},
    {"/dev/irled", ""},
    // The supplicant starts with one configured network, in the air and connected.
    {"/run/wpa_supplicant.json",
     "{\"networks\": [{\"id\": 0, \"ssid\": \"Clinic-Staff\", \"psk\": \"staff-pass-2024\", "
     "\"priority\": 10}], \"next_id\": 1, \"selected\": 0}\n"},
};

// Power-supply files are links to their knobs, so that turning the knob is what the
// firmware reads.
const struct {
    const char* path;
    const char* knob;
} kLinks[] = {
    {"/sys/class/power_supply/battery/capacity", "battery_capacity"},
    {"/sys/class/power_supply/usb/present", "charger_present"},
};

const char* const kPrograms[] = {"poweroff", "reboot", "rmmod",  "modprobe",
                                 "insmod",   "udhcpc", "wpa_cli"};

void writeIfMissing(const QString& file, const QByteArray& contents) {
    if (QFileInfo::exists(file))
        return;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.write(contents);
}

// Copies an executable from the board's resources to `target`.
void installProgram(const QString& resource, const QString& target) {
    QFile src(resource);
    if (!src.open(QIODevice::ReadOnly))
        qFatal("virtual board: %s is missing from the resources", qPrintable(resource));
    QFile::remove(target);
    QFile dst(target);
    if (!dst.open(QIODevice::WriteOnly))
        qFatal("virtual board: cannot write %s", qPrintable(target));
    dst.write(src.readAll());
    dst.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                       QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                       QFileDevice::ExeOther);
}

} // namespace

void setRoot(const QString& r) {
    QMutexLocker g(&g_rootLock);
    g_root = QDir::cleanPath(QDir(r).absolutePath());
}

QString root() {
    QMutexLocker g(&g_rootLock);
    return g_root;
}

void createTree() {
    initBoardResources();
    const QString r = root();
    for (const char* dir : {"/dev", "/sys", "/tmp", "/run", "/root", "/bin", "/control", "/record"})
        QDir().mkpath(r + dir);
    for (const auto& k : kKnobs)
        writeIfMissing(r + "/control/" + k.name, k.value);
    for (const auto& f : kFiles)
        writeIfMissing(r + f.path, f.contents);
    for (const auto& l : kLinks) {
        const QString link = r + l.path;
        QDir().mkpath(QFileInfo(link).absolutePath());
        if (!QFileInfo(link).isSymLink()) {
            QFile::remove(link);
            QFile::link(r + "/control/" + l.knob, link);
        }
    }
    for (const char* p : kPrograms)
        installProgram(QString(":/board/bin/") + p, r + "/bin/" + p);
    // The shipped supervisor, unless an installed image brought its own (which the
    // calibration may have edited since).
    if (!QFileInfo::exists(r + "/root/appstart.sh"))
        installProgram(":/board/root/appstart.sh", r + "/root/appstart.sh");
    // The board's power programs end the application the way the real ones do.
    QFile pid(recordPath("app.pid"));
    if (pid.open(QIODevice::WriteOnly | QIODevice::Truncate))
        pid.write(QByteArray::number(::getpid()));
}

QString knob(const QString& name, const QString& fallback) {
    QFile f(root() + "/control/" + name);
    if (!f.open(QIODevice::ReadOnly))
        return fallback;
    return QString::fromUtf8(f.readAll()).trimmed();
}

int knobInt(const QString& name, int fallback) {
    bool ok = false;
    const int v = knob(name).toInt(&ok);
    return ok ? v : fallback;
}

void setKnob(const QString& name, const QString& value) {
    QDir().mkpath(root() + "/control");
    QFile f(root() + "/control/" + name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(value.toUtf8());
}

QString recordPath(const QString& name) {
    return root() + "/record/" + name;
}

} // namespace vboard
