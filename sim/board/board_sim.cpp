// Simulator implementation of the board boundary: everything lands on the virtual board.
#include "models.h"
#include "platform/board.h"
#include "platform/wait_readable.h"
#include "virtual_board.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The absolute paths the firmware owns; everything else is the host's own.
const char* const kOwnedPrefixes[] = {"/dev", "/sys", "/tmp", "/run", "/root"};

bool isOwned(const QString& p) {
    for (const char* prefix : kOwnedPrefixes) {
        const QString pre = QString::fromLatin1(prefix);
        if (p == pre || p.startsWith(pre + '/'))
            return true;
    }
    return false;
}

struct Registry {
    std::mutex lock;
    std::map<std::string, std::shared_ptr<vboard::DeviceModel>> byNode;
    std::map<int, std::shared_ptr<vboard::DeviceModel>> byFd;
};

Registry& registry() {
    static Registry r;
    return r;
}

std::shared_ptr<vboard::DeviceModel> modelOf(int fd) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    auto it = r.byFd.find(fd);
    return it == r.byFd.end() ? nullptr : it->second;
}

std::atomic<qint64> g_clockOffsetMs{0};

} // namespace

namespace board {

void init() {
    // The board's root file system: next to the application, unless the supervisor runs the
    // application from inside an installed image (scripts/run-sim.sh).
    if (vboard::root().isEmpty()) {
        const QString image = qEnvironmentVariable("VISTREL_SIM_BOARD_ROOT");
        vboard::setRoot(image.isEmpty() ? QCoreApplication::applicationDirPath() + "/board"
                                        : image);
    }
    vboard::createTree();
    vboard::installModels();
    // Before main returns and the statics go: the application leaves the camera streaming.
    static std::once_flag stopAtExit;
    std::call_once(stopAtExit, [] { qAddPostRoutine(vboard::stopModelThreads); });
}

QString path(const QString& boardPath) {
    if (!isOwned(boardPath))
        return boardPath;
    return vboard::root() + boardPath;
}

std::string path(const char* boardPath) {
    return path(QString::fromUtf8(boardPath)).toStdString();
}

int open(const char* boardPath, int flags, mode_t mode) {
    std::shared_ptr<vboard::DeviceModel> model;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> g(r.lock);
        auto it = r.byNode.find(boardPath);
        if (it != r.byNode.end())
            model = it->second;
    }
    if (!model)
        return ::open(path(boardPath).c_str(), flags, mode);
    const int fd = model->open(flags);
    if (fd >= 0) {
        Registry& r = registry();
        std::lock_guard<std::mutex> g(r.lock);
        r.byFd[fd] = model;
    }
    return fd;
}

int close(int fd) {
    std::shared_ptr<vboard::DeviceModel> model;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> g(r.lock);
        auto it = r.byFd.find(fd);
        if (it != r.byFd.end()) {
            model = it->second;
            r.byFd.erase(it);
        }
    }
    return model ? model->close(fd) : ::close(fd);
}

int ioctl(int fd, unsigned long request, void* arg) {
    auto model = modelOf(fd);
    return model ? model->ioctl(fd, request, arg) : ::ioctl(fd, request, arg);
}

ssize_t read(int fd, void* buf, size_t count) {
    auto model = modelOf(fd);
    return model ? model->read(fd, buf, count) : ::read(fd, buf, count);
}

ssize_t write(int fd, const void* buf, size_t count) {
    auto model = modelOf(fd);
    return model ? model->write(fd, buf, count) : ::write(fd, buf, count);
}

int waitReadable(int fd, int timeoutMs) {
    return pollReadable(fd, timeoutMs);
}

void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) {
    auto model = modelOf(fd);
    return model ? model->mmap(addr, length, prot, flags, fd, offset)
                 : ::mmap(addr, length, prot, flags, fd, offset);
}

int munmap(void* addr, size_t length) {
    return ::munmap(addr, length);
}

QString program(const QString& name) {
    return vboard::root() + "/bin/" + name;
}

QString shellLineForHost(const QString& line) {
    // A board path starts a word (or follows a redirection or a quote); paths that already
    // point into the board root or the application's own folder are left alone.
    static const QRegularExpression boardPathStart(
        QStringLiteral(R"((?<=^|[\s'"=<>])/(?:dev|sys|tmp|run|root)(?=/|$|[\s'";|&<>)]))"));
    const QString root = vboard::root();
    const QString appDir = QCoreApplication::applicationDirPath();
    QString out;
    qsizetype from = 0;
    auto it = boardPathStart.globalMatch(line);
    while (it.hasNext()) {
        const auto m = it.next();
        const qsizetype at = m.capturedStart();
        const QStringView rest = QStringView(line).mid(at);
        const bool alreadyHost = (!root.isEmpty() && rest.startsWith(root)) ||
                                 (!appDir.isEmpty() && rest.startsWith(appDir + '/'));
        out += QStringView(line).mid(from, at - from);
        if (!alreadyHost)
            out += root;
        from = at;
    }
    out += QStringView(line).mid(from);
    return out;
}

QStringList programEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", vboard::root() + "/bin:" + env.value("PATH", "/usr/bin:/bin"));
    env.insert("VISTREL_BOARD_ROOT", vboard::root());
    return env.toStringList();
}

bool setSystemClock(qint64 secondsSinceEpoch) {
    const qint64 offset = secondsSinceEpoch * 1000 - QDateTime::currentMSecsSinceEpoch();
    g_clockOffsetMs = offset;
    QFile f(vboard::recordPath("clock"));
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write(QByteArray::number(secondsSinceEpoch) + '\n');
    return true;
}

qint64 currentSecsSinceEpoch() {
    return (QDateTime::currentMSecsSinceEpoch() + g_clockOffsetMs) / 1000;
}

QDateTime currentDateTime() {
    // In UTC, as on the board, which has no zone database: the host's TZ plays no part.
    return QDateTime::fromMSecsSinceEpoch(QDateTime::currentMSecsSinceEpoch() + g_clockOffsetMs,
                                          Qt::UTC);
}

} // namespace board

namespace vboard {

qint64 clockOffsetMs() {
    return g_clockOffsetMs;
}

void resetClock() {
    g_clockOffsetMs = 0;
}

void registerModel(const std::string& boardNode, std::shared_ptr<DeviceModel> model) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    r.byNode[boardNode] = std::move(model);
}

void unregisterModel(const std::string& boardNode) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    r.byNode.erase(boardNode);
}

void adoptDescriptor(int fd, std::shared_ptr<DeviceModel> model) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    r.byFd[fd] = std::move(model);
}

int DeviceModel::close(int fd) {
    return ::close(fd);
}
int DeviceModel::ioctl(int, unsigned long, void*) {
    errno = ENOTTY;
    return -1;
}
ssize_t DeviceModel::read(int fd, void* buf, size_t count) {
    return ::read(fd, buf, count);
}
ssize_t DeviceModel::write(int fd, const void* buf, size_t count) {
    return ::write(fd, buf, count);
}
void* DeviceModel::mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) {
    return ::mmap(addr, length, prot, flags, fd, offset);
}

} // namespace vboard
