// The stored files against the worst moments: a writer killed at random points of its
// saves, a history whose last record was torn by a power cut (cut short, or cut and filled
// with zeros, as FAT and writeback journaling leave it), and a full file system.
#include "app/gdata.h"
#include "core/files.h"
#include "power_loss_contents.h"
#include "screening/history.h"
#include "screening/screening_session.h"
#include "testkit/testkit.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace powerloss;

namespace {

constexpr int kKillsPerKind = 250; // four kinds: 1000 kills
constexpr int kDeletable = 600;    // records the delete writer starts with (again)

QString historyOf(int from, int to) {
    QString text;
    for (int n = from; n <= to; ++n)
        text += historyRecord(n);
    return text;
}

// The records a history text holds, by number, in file order, each with its extras; -1 for
// a damaged line or a record that lost its extras.
QList<int> recordsIn(const QString& text) {
    QList<int> out;
    forEachHistoryRecord(text, [&](QStringView line, const RecordExtras& extras) {
        if (line.isEmpty())
            return;
        const auto entry = parseHistoryLine(line.toString());
        bool ok = false;
        const int n = entry ? entry->name.section(' ', 1).toInt(&ok) : -1;
        ok = ok && historyRecord(n).section('\n', 0, 0) == line && screening(n).extras == extras;
        out << (ok ? n : -1);
    });
    return out;
}

} // namespace

class TstPowerLoss : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QRandomGenerator m_random{20261209}; // fixed: a failure can be run again

    // Starts the writer at save `first`, kills it (SIGKILL) at a random moment of its saves
    // (once the first is done, as starting takes longer in some builds than in others) and
    // returns the saves it acknowledged.
    QList<int> killedWriter(const QString& kind, const QString& dir, int first) {
        QProcess writer;
        writer.start(POWER_LOSS_CHILD, {kind, dir, QString::number(first)});
        if (!writer.waitForStarted() || !writer.waitForReadyRead(10000))
            return {-1};
        // Under the sanitizers a delete (600 records rewritten) takes longer than the window:
        // its kills wait longer, so that they still land among the saves, not only in the
        // first. (The other writers save many times within the window.)
        const bool slow = kind == "delete" && !testkit::kRealTime;
        QThread::usleep(m_random.bounded(0, slow ? 60000 : 10000));
        writer.kill();
        writer.waitForFinished();
        QList<int> acks;
        for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                acks << line.toInt();
        return acks;
    }

private slots:
    // After every kill the file holds the last acknowledged save or the one after it, whole,
    // or for the history the last one and the next cut short, which the next append takes
    // back; the next writer goes on from there.
    void killedWriters_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"settings", "calibration", "append", "delete"})
            QTest::newRow(kind) << kind;
    }
    void killedWriters() {
        QFETCH(QString, kind);
        const QString dir = m_dir.path() + "/" + kind;
        QVERIFY(QDir().mkpath(dir));
        // What the file must hold after `saves` saves, and where it is.
        std::function<QByteArray(int)> expected;
        QString file;
        if (kind == "settings") {
            file = settingsFor(dir, 0).filePath();
            expected = [dir](int n) { return settingsFor(dir, n).m_strCfgText.toUtf8(); };
            CamCfg first = settingsFor(dir, 0);
            QVERIFY(first.save());
        } else if (kind == "calibration") {
            file = dir + "/" + kCalibration;
            expected = [](int n) { return calibrationFor(n).toUtf8(); };
            QVERIFY(writeFileAtomically(file, expected(0)));
        } else if (kind == "append") {
            file = dir + "/" + kHistory;
            expected = [](int n) { return historyOf(1, n).toUtf8(); };
        } else {
            file = dir + "/" + kHistory;
            expected = [](int n) { return historyOf(n + 1, kDeletable).toUtf8(); };
            QVERIFY(writeFileAtomically(file, expected(0)));
        }

        int done = 0, saves = 0, kill = 0, torn = 0;
        for (; kill < kKillsPerKind; ++kill) {
            if (kind == "delete" && done > kDeletable - 100) { // nearly empty: fill it again
                QVERIFY(writeFileAtomically(file, expected(0)));
                done = 0;
            }
            const QList<int> acks = killedWriter(kind, dir, done + 1);
            QVERIFY(acks != QList<int>{-1});
            for (int i = 0; i < acks.size(); ++i)
                QCOMPARE(acks[i], done + 1 + i); // in order, none skipped
            const int acked = done + int(acks.size());
            const int before = done;
            const QByteArray now = testkit::readFile(file);
            if (now == expected(acked)) {
                done = acked;
            } else if (kind == "append" && now.startsWith(expected(acked)) &&
                       expected(acked + 1).startsWith(now) && !now.endsWith('\n')) {
                // The kernel stops a killed writer between pages: the unacknowledged record
                // is cut short, and the next append takes it back.
                done = acked;
                ++torn;
            } else {
                QVERIFY2(now == expected(acked + 1),
                         qPrintable(QString("%1: after %2 saves, kill %3, the file holds:\n%4")
                                        .arg(kind)
                                        .arg(acked)
                                        .arg(kill)
                                        .arg(QString::fromUtf8(now.right(300)))));
                done = acked + 1; // it completed, the acknowledgement did not get out
            }
            saves += done - before;
        }
        qInfo("%s: %d kills survived, %d saves, %d cut short", qPrintable(kind), kill, saves, torn);
        QCOMPARE(kill, kKillsPerKind);
        QVERIFY(saves > kKillsPerKind); // the kills landed among the saves
    }

    // A power cut tore the last record: cut short at a random byte, or cut and the rest of
    // its block left as zeros. Appends and a delete after it lose nothing but that record.
    void tornTail_data() {
        QTest::addColumn<bool>("zeros");
        QTest::newRow("cut") << false;
        QTest::newRow("cut, zero-filled") << true;
    }
    void tornTail() {
        QFETCH(bool, zeros);
        for (int trial = 0; trial < 40; ++trial) {
            QTemporaryDir dir;
            GData data;
            data.setAppDir(dir.path());
            QVERIFY(QDir().mkpath(dir.path() + "/CAMCFG"));
            const QByteArray whole = historyOf(1, 20).toUtf8();
            const int lastStart = int(historyOf(1, 19).toUtf8().size());
            const int cut = m_random.bounded(lastStart + 1, int(whole.size()));
            QByteArray torn = whole.left(cut);
            if (zeros)
                torn += QByteArray(4096 - cut % 4096, '\0');
            QVERIFY(testkit::writeFile(data.screening().historyFile(), torn));

            for (int n = 21; n <= 23; ++n) { // three screenings after the cut
                const ScreeningRecord r = screening(n);
                QVERIFY(appendLineDurably(data.screening().historyFile(), historyLine(r).toUtf8(),
                                          tornHistoryRecord));
            }
            QList<int> expected;
            for (int n = 1; n <= 23; ++n)
                if (n != 20)
                    expected << n;
            // The torn record may be gone, left as a damaged line, or whole (when only its
            // line end was lost); every other record is there.
            auto others = [](QList<int> records) {
                records.removeAll(-1);
                records.removeAll(20);
                return records;
            };
            QCOMPARE(others(recordsIn(data.screening().readTestResult())), expected);

            // Deleting another child keeps every other record.
            QVERIFY(data.screening().deleteChildren({childKey(7)}));
            expected.removeAll(7);
            QCOMPARE(others(recordsIn(data.screening().readTestResult())), expected);
        }
    }

    // On a full file system every save fails, says so, and leaves the old file whole. The
    // writer runs in a private mount namespace on a 64 KiB tmpfs of its own.
    void fullDisk() {
        const QString dir = m_dir.path() + "/full";
        QVERIFY(QDir().mkpath(dir));
        QProcess p;
        p.start("unshare",
                {"-m", "--propagation", "private", "sh", "-c",
                 "mount -t tmpfs -o size=64k tmpfs \"$1\" && exec \"$2\" fulldisk \"$1\"", "sh",
                 dir, POWER_LOSS_CHILD});
        QVERIFY(p.waitForFinished(30000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        if (p.exitCode() != 0 && (err.contains("mount") || err.contains("unshare")))
            QSKIP(qPrintable("no private mount namespace here: " + err.trimmed()));
        QCOMPARE(p.exitCode(), 0);
        const QStringList lines =
            QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{"settings refused whole", "calibration refused whole",
                                     "append refused whole", "delete refused whole"}));
        qInfo("full disk: %d saves refused, old files whole", int(lines.size()));
    }
};

QTEST_GUILESS_MAIN(TstPowerLoss)
#include "tst_power_loss.moc"
