// The outbox against the worst moments: a deliverer killed (SIGKILL, as a power cut) at
// random points while it sends waiting screenings to the analysis stand-in. After every
// kill each screening is exactly once where it can be: waiting, or in the history (an item
// whose reply was kept and whose line is already in the history counts as delivered: the
// next step only removes it). At the end everything is delivered, each child once.
#include "core/files.h"
#include "screening/history.h"
#include "screening/outbox.h"
#include "testkit/board_fixture.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

namespace {

constexpr int kKills = 150;
constexpr int kItems = 40;

QString childName(int n) {
    return QString("Child %1").arg(n);
}

} // namespace

class TstOutboxKill : public QObject {
    Q_OBJECT

    QRandomGenerator m_random{20261210}; // fixed: a failure can be run again

    // Starts the deliverer and kills it at a random moment once it has started.
    void killedDeliverer(const QString& appDir) {
        QProcess deliverer;
        deliverer.start(OUTBOX_CHILD, {appDir});
        QVERIFY(deliverer.waitForStarted());
        QVERIFY(deliverer.waitForReadyRead(10000));
        QThread::usleep(m_random.bounded(0, 40000));
        deliverer.kill();
        deliverer.waitForFinished();
    }

    // How often each child is in the history, and whether it waits (undelivered) in the box.
    static QMap<QString, int> historyCounts(const QString& appDir) {
        QMap<QString, int> counts;
        forEachHistoryRecord(QString::fromUtf8(testkit::readFile(appDir + "/CAMCFG/result.txt")),
                             [&](QStringView line, auto&&) {
                                 if (const auto e = parseHistoryLine(line.toString()))
                                     ++counts[e->name];
                             });
        return counts;
    }

private slots:
    void initTestCase() { SKIP_WITHOUT_CHILD_PROCESSES(); }

    void eachScreeningExactlyOnce() {
        testkit::ScopedBoard board;
        const QString appDir = board.appDir();
        const QString recording = board.root() + "/recording.avi";
        QVERIFY(testkit::makeRecording(recording));
        Outbox box(appDir + "/outbox", {1000, 0});
        for (int n = 1; n <= kItems; ++n) {
            const ScreeningRecord r = testkit::unanalysed(
                childName(n), n % 2 == 0,
                QDateTime(QDate(2026, 12, 1), QTime(8, 0).addSecs(60 * n)), "network");
            QCOMPARE(box.add(r, 1, 0, recording), Outbox::Added::Queued);
        }
        int lost = 0, doubled = 0, kills = 0, cutAfterReply = 0;
        for (; kills < kKills && box.count() > 0; ++kills) {
            killedDeliverer(appDir);
            const QMap<QString, int> inHistory = historyCounts(appDir);
            QMap<QString, int> waiting;
            for (const OutboxItem& item : box.items()) {
                const bool replyKept = QFileInfo::exists(item.replyFile());
                waiting[item.record.name] += replyKept ? 0 : 1;
                cutAfterReply += replyKept; // killed between the reply and the removal
            }
            for (int n = 1; n <= kItems; ++n) {
                const int lines = inHistory.value(childName(n));
                const int queued = waiting.value(childName(n));
                lost += lines + queued == 0 && !waiting.contains(childName(n));
                doubled += lines > 1 || (lines == 1 && queued == 1);
            }
        }
        // The rest without kills: every child once in the history, nothing waiting.
        QProcess last;
        last.start(OUTBOX_CHILD, {appDir});
        QVERIFY(last.waitForFinished(120000));
        QCOMPARE(last.exitCode(), 0);
        const QMap<QString, int> inHistory = historyCounts(appDir);
        qInfo("outbox kill test: %d kills, %d items, %d lost, %d doubled; %d kills after a kept "
              "reply",
              kills, kItems, lost, doubled, cutAfterReply);
        QCOMPARE(lost, 0);
        QCOMPARE(doubled, 0);
        QCOMPARE(box.count(), 0);
        QCOMPARE(inHistory.size(), kItems);
        for (int n = 1; n <= kItems; ++n)
            QCOMPARE(inHistory.value(childName(n)), 1);
        QVERIFY(kills >= 40); // most deliveries were cut into by a kill
    }
};

QTEST_GUILESS_MAIN(TstOutboxKill)
#include "tst_outbox_kill.moc"
