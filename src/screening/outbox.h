// Screenings waiting for the analysis: when the upload cannot reach the server, the
// recording and its record are kept here, under the application folder, until a later
// delivery fills them in and appends them to the history.
//
// Each item is a folder <outbox>/<id>/ holding item.txt (the record: child, test time, time
// source, criterion and region in force, and the child's ID when it has one) and recording.avi,
// and, once the server has answered, reply.txt. An item is made whole in <outbox>/.incoming-<id>/
// and renamed into place, so a power cut leaves it queued or not at all. Items the server refused
// for good, or whose recording cannot be read, go to <outbox>/aside/ with the reason and are not
// tried again. Thread-safe: the GUI queues and removes, the Wi-Fi worker delivers.
#pragma once

#include "screening/record.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>

struct OutboxItem {
    QString id; // sortable: oldest first
    ScreeningRecord record;
    int criterion = 0;
    int region = 0;
    QString folder;
    QString recording() const { return folder + "/recording.avi"; }
    QString replyFile() const { return folder + "/reply.txt"; }
};

// What the item file holds, as text, and back; nothing for a damaged file.
QByteArray outboxItemText(const OutboxItem& item);
std::optional<OutboxItem> parseOutboxItem(const QByteArray& text);

struct OutboxLimits {
    int maxItems;
    qint64 minFreeBytes; // what stays free for the settings, calibration and history
};

class Outbox {
public:
    enum class Added { Queued, Full, Failed };

    Outbox(QString folder, OutboxLimits limits);

    // Copies the recording and writes the record as a new item.
    Added add(const ScreeningRecord& record, int criterion, int region,
              const QString& recordingPath);
    // The queued items, oldest first (damaged ones are set aside).
    QList<OutboxItem> items();
    int count();
    // The folders waiting, without reading them: what the status bar shows every second.
    int waiting() const;
    // Takes a delivered item away.
    bool remove(const OutboxItem& item);
    // Keeps an item out of delivery for good, saying why.
    void setAside(const OutboxItem& item, const QString& reason);
    // Removes every item of these children (child keys, as in the history).
    void removeChildren(const QStringList& childKeys);
    // Removes what a power cut left half made.
    void recover();

    QString folder() const { return m_folder; }

private:
    QList<OutboxItem> itemsLocked();
    QString newId() const;

    const QString m_folder;
    const OutboxLimits m_limits;
    std::mutex m_lock;
};
