#include "screening/outbox.h"

#include "core/files.h"
#include "core/log.h"
#include "screening/child_entry.h"
#include "screening/history.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QStorageInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr const char* kItemFile = "/item.txt";
constexpr const char* kIncoming = ".incoming-";
constexpr const char* kAside = "aside";

// Copies a file and makes the copy reach storage: the board's /tmp is memory.
bool copyDurably(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const int fd =
        ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = true;
    while (ok && !in.atEnd()) {
        const QByteArray piece = in.read(64 * 1024);
        ok = !piece.isEmpty() && writeAll(fd, piece.constData(), size_t(piece.size()));
    }
    ok = ::fsync(fd) == 0 && ok;
    return ::close(fd) == 0 && ok;
}

} // namespace

QByteArray outboxItemText(const OutboxItem& item) {
    const ScreeningRecord& r = item.record;
    QByteArray text;
    auto field = [&text](const char* key, const QString& value) {
        text += QByteArray(key) + '=' + value.toUtf8() + '\n';
    };
    field("name", r.name);
    field("sex", r.male ? "Male" : "Female");
    field("birth", r.birth.toString("yyyy-MM-dd"));
    field("time", r.testTime.toString("yyyy-MM-dd hh:mm:ss"));
    field("time_source", r.extras.timeSource);
    field("criterion", QString::number(item.criterion));
    field("region", QString::number(item.region));
    // After the seven: a version that reads only those skips it.
    if (!r.extras.childId.isEmpty())
        field("id", r.extras.childId);
    return text;
}

namespace {

// What an item may hold: the input page's rules for the child, a criterion and a region as
// the settings hold them (a number; one the device does not know counts as Arthur2 and as
// the US, as in the settings), the clock's sources.
bool itemValid(const OutboxItem& item) {
    const ScreeningRecord& r = item.record;
    static const QStringList kSources{"", "network", "device clock", "operator"};
    return r.testTime.isValid() &&
           entry::childProblem(entry::childOf(r), r.testTime.date()).isEmpty() &&
           kSources.contains(r.extras.timeSource);
}

std::optional<int> smallNumber(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 0 && n < 100 ? std::optional<int>(n) : std::nullopt;
}

} // namespace

std::optional<OutboxItem> parseOutboxItem(const QByteArray& text) {
    OutboxItem item;
    QSet<QByteArray> seen;
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf('=');
        const QByteArray key = line.left(eq);
        // Each key once: a second name would make another child of the same item.
        if (eq < 0 || seen.contains(key))
            return std::nullopt;
        seen.insert(key);
        const QString value = QString::fromUtf8(line.mid(eq + 1));
        std::optional<int> number;
        if (key == "name") {
            item.record.name = value;
        } else if (key == "sex") {
            if (value != u"Male" && value != u"Female")
                return std::nullopt;
            item.record.male = value == u"Male";
        } else if (key == "birth") {
            item.record.birth = QDate::fromString(value, "yyyy-MM-dd");
        } else if (key == "time") {
            item.record.testTime = QDateTime::fromString(value, "yyyy-MM-dd hh:mm:ss");
        } else if (key == "time_source") {
            item.record.extras.timeSource = value;
        } else if (key == "criterion" && (number = smallNumber(value))) {
            item.criterion = *number;
        } else if (key == "region" && (number = smallNumber(value))) {
            item.region = *number;
        } else if (key == "id") {
            item.record.extras.childId = value;
        } else if (key == "criterion" || key == "region") {
            return std::nullopt;
        } // another key: a newer version's, skipped
    }
    for (const char* key : {"name", "sex", "birth", "time", "time_source", "criterion", "region"})
        if (!seen.contains(key))
            return std::nullopt;
    if (!itemValid(item))
        return std::nullopt;
    return item;
}

Outbox::Outbox(QString folder, OutboxLimits limits)
    : m_folder(std::move(folder)), m_limits(limits) {}

// The time queued, then a random part: names sort oldest first and never collide.
QString Outbox::newId() const {
    return QString("%1-%2")
        .arg(QDateTime::currentMSecsSinceEpoch(), 15, 10, QChar('0'))
        .arg(QRandomGenerator::system()->generate(), 8, 16, QChar('0'));
}

Outbox::Added Outbox::add(const ScreeningRecord& record, int criterion, int region,
                          const QString& recordingPath) {
    std::lock_guard<std::mutex> g(m_lock);
    if (!ensureFolder(m_folder))
        return Added::Failed;
    const qint64 recordingBytes = QFileInfo(recordingPath).size();
    const qint64 free = QStorageInfo(m_folder).bytesAvailable();
    if (itemsLocked().size() >= m_limits.maxItems ||
        free - recordingBytes < m_limits.minFreeBytes) {
        qCWarning(lcScreening, "outbox: full (%lld items allowed, %lld bytes free)",
                  static_cast<long long>(m_limits.maxItems), static_cast<long long>(free));
        return Added::Full;
    }
    OutboxItem item{newId(), record, criterion, region, QString()};
    const QString incoming = m_folder + "/" + kIncoming + item.id;
    item.folder = incoming;
    const bool made = QDir().mkpath(incoming) && copyDurably(recordingPath, item.recording()) &&
                      writeFileAtomically(incoming + kItemFile, outboxItemText(item)) &&
                      renameDurably(incoming, m_folder + "/" + item.id);
    if (!made) {
        QDir(incoming).removeRecursively();
        qCWarning(lcScreening, "outbox: the screening could not be queued");
        return Added::Failed;
    }
    qCInfo(lcScreening, "outbox: queued %s", qPrintable(item.id));
    return Added::Queued;
}

QList<OutboxItem> Outbox::itemsLocked() {
    QList<OutboxItem> items;
    const QStringList names =
        QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (name == kAside || name.startsWith(kIncoming))
            continue;
        const QString folder = m_folder + "/" + name;
        QFile file(folder + kItemFile);
        std::optional<OutboxItem> item;
        if (file.open(QIODevice::ReadOnly))
            item = parseOutboxItem(file.readAll());
        if (!item) {
            qCWarning(lcScreening, "outbox: %s has no readable record; set aside",
                      qPrintable(name));
            ensureFolder(m_folder + "/" + kAside);
            renameDurably(folder, m_folder + "/" + kAside + "/" + name);
            continue;
        }
        item->id = name;
        item->folder = folder;
        items.append(*item);
    }
    return items;
}

QList<OutboxItem> Outbox::items() {
    std::lock_guard<std::mutex> g(m_lock);
    return itemsLocked();
}

int Outbox::waiting() const {
    QStringList names = QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    names.removeAll(kAside);
    return int(names.size());
}

int Outbox::count() {
    return int(items().size());
}

bool Outbox::remove(const OutboxItem& item) {
    std::lock_guard<std::mutex> g(m_lock);
    // Renamed away first, so that a power cut in the middle of the removal never leaves a
    // half item that looks queued.
    const QString gone = m_folder + "/" + kIncoming + "gone-" + item.id;
    return renameDurably(item.folder, gone) && QDir(gone).removeRecursively();
}

void Outbox::setAside(const OutboxItem& item, const QString& reason) {
    std::lock_guard<std::mutex> g(m_lock);
    qCWarning(lcScreening, "outbox: %s set aside: %s", qPrintable(item.id), qPrintable(reason));
    writeFileAtomically(item.folder + "/aside.txt", reason.toUtf8() + '\n');
    ensureFolder(m_folder + "/" + kAside);
    renameDurably(item.folder, m_folder + "/" + kAside + "/" + item.id);
}

void Outbox::removeChildren(const QStringList& childKeys) {
    for (const OutboxItem& item : items()) {
        if (childKeys.contains(childKeyOf(item.record)))
            remove(item);
    }
}

void Outbox::recover() {
    std::lock_guard<std::mutex> g(m_lock);
    const QStringList names =
        QDir(m_folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        if (name.startsWith(kIncoming))
            QDir(m_folder + "/" + name).removeRecursively();
}
