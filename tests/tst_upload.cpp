// Upload of a recording to the analysis stand-ins and the reading of their replies.
#include "app/gdata.h"
#include "core/common.h"
#include "core/endpoints.h"
#include "core/settings.h"
#include "knobs.h"
#include "screening/analysis.h"
#include "screening/criteria.h"
#include "screening/history.h"
#include "screening/outbox.h"
#include "screening/screening_session.h"
#include "system/wifi_service.h"
#include "testkit/testkit.h"
#include "virtual_board.h"

#include <QJsonArray>
#include <QProcess>
#include <QtTest>

class TstUpload : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    std::unique_ptr<GData> m_data;

    QJsonObject lastUpload() {
        const auto log = testkit::services::log("analysis");
        return log.isEmpty() ? QJsonObject() : log.last();
    }

private slots:
    void initTestCase() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        // A small H.264 AVI made by ffmpeg, standing in for a recording.
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg",
                     {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=15",
                      "-t", "1", "-c:v", "libx264", m_board->root() + "/tmp/pupil_video.avi"});
        QVERIFY(ffmpeg.waitForFinished(60000));
        QCOMPARE(ffmpeg.exitCode(), 0);
    }

    void init() {
        QDir(m_board->appDir() + "/outbox").removeRecursively();
        QFile::remove(m_board->appDir() + "/CAMCFG/result.txt");
        m_data = std::make_unique<GData>();
        m_data->setAppDir(m_board->appDir());
        m_data->InitCommonAndConfig();
        testkit::services::clearKnob(serviceKnobs::kAnalysisReply);
        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);
        testkit::services::clearLog("analysis");
    }

    void regions_data() {
        QTest::addColumn<int>("region");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("US") << 0 << "127.0.0.1"
                            << "/production/"
                            << "us";
        QTest::newRow("India") << 1 << "127.0.0.2"
                               << "/production/"
                               << "india";
        QTest::newRow("China") << 2 << "127.0.0.3"
                               << "/upload_pupil_images/"
                               << "china";
        QTest::newRow("Philippines") << 3 << "127.0.0.4"
                                     << "/production/"
                                     << "us";
        QTest::newRow("unknown is US") << 9 << "127.0.0.1"
                                       << "/production/"
                                       << "us";
    }

    void regions() {
        QFETCH(int, region);
        QFETCH(QString, host);
        QFETCH(QString, path);
        QFETCH(QString, name);
        m_data->settings().store(CamCfg::Region, QString::number(region));
        QCOMPARE(m_data->screening().uploadAVIFile().outcome, AnalysisOutcome::Analysed);
        const QJsonObject up = lastUpload();
        QCOMPARE(up["host"].toString(), host);
        QCOMPARE(up["path"].toString(), path + m_data->identity().GetETNetMACAddress());
        QCOMPARE(up["outcome"].toString(), QString("ok"));
        QCOMPARE(up["tls"].toBool(), testkit::serversUseTls());
        QCOMPARE(endpoints::regionName(region), name);
    }

    // A flood of interim replies is refused after a few, with little memory and no crash;
    // the screening waits for a server that answers.
    void interimFloodQueues() {
        testkit::services::setKnob(serviceKnobs::kAnalysisInterim, "30000");
        testkit::beginExample(*m_data);
        QCOMPARE(m_data->screening().uploadAVIFile().outcome, AnalysisOutcome::Queued);
        testkit::services::clearKnob(serviceKnobs::kAnalysisInterim);
        QCOMPARE(m_data->screening().outbox()->count(), 1);
    }

    // A server whose certificate no trusted authority signed gets no recording.
    void untrustedServerIsRefused() {
        if (!testkit::serversUseTls())
            QSKIP("the plain HTTP run has no certificate to refuse");
        QCOMPARE(m_data->screening().begin({"Lin", true, QDate(2020, 5, 6), ""}), QString());
        const QByteArray authority = qgetenv("VISTREL_SIM_CA");
        qunsetenv("VISTREL_SIM_CA");
        testkit::captureMessages();
        const AnalysisOutcome result = m_data->screening().uploadAVIFile().outcome;
        const QStringList lines = testkit::messages();
        testkit::releaseMessages();
        qputenv("VISTREL_SIM_CA", authority);
        // Nothing went to the server; the screening waits for one it can trust.
        QCOMPARE(result, AnalysisOutcome::Queued);
        QCOMPARE(m_data->screening().outbox()->count(), 1);
        QVERIFY(testkit::services::log("analysis").isEmpty());
        QVERIFY2(!lines.filter(QRegularExpression("^TLS: 127.0.0.1: ")).isEmpty(),
                 qPrintable(lines.join('\n')));
    }

    void partsAsReceived() {
        QCOMPARE(m_data->screening().uploadAVIFile().outcome, AnalysisOutcome::Analysed);
        const QJsonObject up = lastUpload();
        QVERIFY(up["content_type"].toString().startsWith("multipart/form-data; boundary="));
        const QJsonArray parts = up["parts"].toArray();
        QCOMPARE(parts.size(), 2);
        QCOMPARE(parts[0].toObject()["name"].toString(), QString("student_info"));
        QCOMPARE(parts[0].toObject()["content_type"].toString(),
                 QString("application/x-www-form-urlencoded"));
        QCOMPARE(parts[1].toObject()["name"].toString(), QString("pupil_video"));
        QCOMPARE(parts[1].toObject()["filename"].toString(), QString("/tmp/pupil_video.avi"));
        QCOMPARE(parts[1].toObject()["content_type"].toString(), QString("video/mpeg"));
        QCOMPARE(parts[1].toObject()["bytes"].toInt(),
                 int(QFileInfo(m_board->root() + "/tmp/pupil_video.avi").size()));
        QCOMPARE(up["probe"].toObject()["streams"].toArray()[0].toObject()["codec_name"].toString(),
                 QString("h264"));
    }

    void replies_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("values"); // OSSph ODSph OSCyl ODCyl PD OSAxis ODAxis
        QTest::newRow("eight elements")
            << "ok,-1.25,-0.75,-0.50,-0.25,62.5,175,10" << 1
            << QStringList{"-1.25", "-0.75", "-0.50", "-0.25", "62.5", "175", "10"};
        QTest::newRow("seven elements: no PD")
            << "ok,-1.25,-0.75,-0.50,-0.25,175,10" << 1
            << QStringList{"-1.25", "-0.75", "-0.50", "-0.25", "0", "175", "10"};
        QTest::newRow("spaces trimmed")
            << "ok, 1.00 ,\t2.00, -0.25 ,0 , 61 , 90 , 180 \n"
            << 1 << QStringList{"1.00", "2.00", "-0.25", "0", "61", "90", "180"};
        QTest::newRow("extra elements ignored")
            << "ok,1,2,3,4,5,6,7,8,9" << 1 << QStringList{"1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("one word") << "busy" << 0 << QStringList{};
        QTest::newRow("six elements") << "ok,1,2,3,4,5" << 0 << QStringList{};
        // A forged reply must not create another child's record: refused as a failure.
        QTest::newRow("line end and bar in a value")
            << "0,0,X\nFake,0,Female,0,0,2015-01-01|2026-01-01 10:00,1,2,3" << 0 << QStringList{};
        QTest::newRow("bar in a value") << "ok,1|x,2,3,4,5,6,7" << 0 << QStringList{};
        // Only numbers: nothing else reaches the history or the receipt's printer markup.
        QTest::newRow("printer markup in a value")
            << "ok,-1.25<gpCut/>FREE,-0.75,-0.50,-0.25,62.5,175,10" << 0 << QStringList{};
        QTest::newRow("a NUL in a value")
            << QString::fromUtf8("ok,1\0,2,3,4,5,6,7", 17) << 0 << QStringList{};
        QTest::newRow("a 200000-digit value")
            << "ok," + QString(200000, '1') + ",2,3,4,5,6,7" << 0 << QStringList{};
        QTest::newRow("two points") << "ok,1.2.5,2,3,4,5,6,7" << 0 << QStringList{};
        QTest::newRow("signs and bare points")
            << "ok,+.25,-0.,3,4,5,6,7" << 1 << QStringList{"+.25", "-0.", "3", "4", "5", "6", "7"};
    }

    void replies() {
        QFETCH(QString, reply);
        QFETCH(int, result);
        QFETCH(QStringList, values);
        testkit::services::setKnob(serviceKnobs::kAnalysisReply, reply);
        const Analysis a = m_data->screening().uploadAVIFile();
        QCOMPARE(a.outcome, result ? AnalysisOutcome::Analysed : AnalysisOutcome::NoResult);
        QCOMPARE(a.reply, reply.trimmed()); // the stand-in sends its knob trimmed
        const AnalysisValues& v = a.values;
        const QStringList got{v.osSph, v.odSph, v.osCyl, v.odCyl, v.pd, v.osAxis, v.odAxis};
        QCOMPARE(got, result ? values : QStringList(7, QString()));
    }

    // Out of reach, the screening waits in the outbox; an answer that is no result does not.
    // Later it is delivered once, judged by what was in force, with its own time.
    void serverDown_data() {
        QTest::addColumn<QString>("fail");
        QTest::addColumn<AnalysisOutcome>("result");
        QTest::newRow("connection dropped") << "close" << AnalysisOutcome::Queued;
        QTest::newRow("server error") << "500" << AnalysisOutcome::Queued;
        QTest::newRow("an answer without a result") << "400" << AnalysisOutcome::NoResult;
    }
    void serverDown() {
        QFETCH(QString, fail);
        QFETCH(AnalysisOutcome, result);
        const bool queued = result == AnalysisOutcome::Queued;
        testkit::services::setKnob(serviceKnobs::kAnalysisFail, fail);
        QCOMPARE(m_data->screening().begin({"Asha", false, QDate(2021, 3, 4), ""}), QString());
        m_data->settings().store(CamCfg::ReferralCriteria, "1");
        m_data->wifi().takeRefresh();
        const Analysis a = m_data->screening().uploadAVIFile();
        QCOMPARE(a.outcome, result);
        QCOMPARE(a.reply, QString("No Response"));
        QCOMPARE(m_data->wifi().refreshRequested(), queued);
        QVERIFY(m_data->screening().record().referral.isEmpty()); // nothing judged
        // Sent once: a dropped connection is not a reason to send the recording again.
        QCOMPARE(testkit::services::log("analysis").size(), 1);
        QCOMPARE(m_data->screening().outbox()->count(), queued ? 1 : 0);
        if (!queued)
            return;
        const QDateTime queuedAt = m_data->screening().outbox()->items().first().record.testTime;

        m_data->settings().store(CamCfg::ReferralCriteria, "2"); // changed since: not used
        QCOMPARE(m_data->screening().deliverOldest(),
                 Delivery::Unreachable); // still down: it stays
        QCOMPARE(m_data->screening().outbox()->count(), 1);
        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);
        testkit::services::setKnob(serviceKnobs::kAnalysisReply,
                                   "ok,-3.50,-0.75,-0.50,-0.25,62.5,175,10");
        QCOMPARE(m_data->screening().deliverOldest(), Delivery::Delivered);
        QCOMPARE(m_data->screening().outbox()->count(), 0);
        QCOMPARE(testkit::services::log("analysis").size(), 3);
        const QStringList lines =
            m_data->screening().readTestResult().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2); // the screening and its extras
        const auto entry = parseHistoryLine(lines.first());
        QVERIFY(entry);
        QCOMPARE(entry->key, QString("Asha,Female,2021-03-04"));
        QCOMPARE(entry->results.first(), queuedAt.toString("yyyy-MM-dd hh:mm"));
        QCOMPARE(entry->results.last(),
                 verdictText(referralFor(1, monthsOfAge(queuedAt.date(), QDate(2021, 3, 4)),
                                         refractionFrom("-0.50", "-3.50", "-0.25", "-0.75"))));
        QCOMPARE(extrasOf(lines[0], lines[1])->criterion, QString("Matta"));  // stored, not now
        QCOMPARE(m_data->screening().deliverOldest(), Delivery::NoneWaiting); // nothing left
    }

    // At delivery only a result completes an item: any other answer keeps the child waiting,
    // a captive portal's answer says that the Wi-Fi needs a sign-in, and once the server
    // answers a result the child reaches the history once.
    void nonResultsKeepTheChildWaiting_data() {
        QTest::addColumn<QString>("knob");
        QTest::addColumn<QString>("value");
        QTest::addColumn<Delivery>("delivery");
        QTest::newRow("404") << serviceKnobs::kAnalysisFail << "404" << Delivery::NoResult;
        QTest::newRow("429") << serviceKnobs::kAnalysisFail << "429" << Delivery::NoResult;
        QTest::newRow("a redirect") << serviceKnobs::kAnalysisFail << "302" << Delivery::SignInPage;
        QTest::newRow("511") << serviceKnobs::kAnalysisFail << "511" << Delivery::SignInPage;
        QTest::newRow("an empty 200") << serviceKnobs::kAnalysisReply << "" << Delivery::NoResult;
        QTest::newRow("a portal's page")
            << serviceKnobs::kAnalysisReply << "<!DOCTYPE html><html>Please log in</html>"
            << Delivery::SignInPage;
        QTest::newRow("no values")
            << serviceKnobs::kAnalysisReply << "ok,try,later" << Delivery::NoResult;
    }
    void nonResultsKeepTheChildWaiting() {
        QFETCH(QString, knob);
        QFETCH(QString, value);
        QFETCH(Delivery, delivery);
        testkit::services::setKnob(serviceKnobs::kAnalysisFail, "close");
        QCOMPARE(m_data->screening().begin({"Noor", false, QDate(2021, 6, 1), ""}), QString());
        QCOMPARE(m_data->screening().uploadAVIFile().outcome, AnalysisOutcome::Queued);
        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);
        testkit::services::setKnob(knob, value);
        QCOMPARE(m_data->screening().deliverOldest(), delivery);
        QCOMPARE(m_data->screening().outbox()->count(), 1);
        QVERIFY(!QDir(m_data->screening().outbox()->folder() + "/aside").exists());
        QCOMPARE(m_data->screening().signInNeeded(), delivery == Delivery::SignInPage);
        QVERIFY(testkit::screeningLines(m_data->screening().readTestResult()).isEmpty());
        testkit::services::clearKnob(knob);
        QCOMPARE(m_data->screening().deliverOldest(), Delivery::Delivered);
        QVERIFY(!m_data->screening().signInNeeded());
        const QStringList lines = testkit::screeningLines(m_data->screening().readTestResult());
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].startsWith("Noor,Female,2021-06-01|"));
    }

    // A power cut after the reply was kept, before or after the history line: one line.
    void deliveryAfterAPowerCut_data() {
        QTest::addColumn<bool>("lineWritten");
        QTest::newRow("before the history line") << false;
        QTest::newRow("after the history line") << true;
    }
    void deliveryAfterAPowerCut() {
        QFETCH(bool, lineWritten);
        testkit::services::setKnob(serviceKnobs::kAnalysisFail, "close");
        QCOMPARE(m_data->screening().begin({"Ravi", true, QDate(2020, 5, 6), ""}), QString());
        QCOMPARE(m_data->screening().uploadAVIFile().outcome, AnalysisOutcome::Queued);
        OutboxItem item = m_data->screening().outbox()->items().first();
        const QString reply = "ok,-1.25,-0.75,-0.50,-0.25,62.5,175,10";
        QVERIFY(testkit::writeFile(item.replyFile(), reply.toUtf8()));
        AnalysisValues v;
        QVERIFY(parseAnalysisReply(reply, v));
        if (lineWritten) {
            QCOMPARE(m_data->screening().deliverOldest(),
                     Delivery::Delivered); // writes the line, removes it
            QCOMPARE(m_data->screening().outbox()->count(), 0);
            // ...and the power went before the removal reached storage: back it comes.
            QDir().mkpath(item.folder);
            QVERIFY(testkit::writeFile(item.folder + "/item.txt", outboxItemText(item)));
            QVERIFY(testkit::writeFile(item.replyFile(), reply.toUtf8()));
        }
        QCOMPARE(m_data->screening().deliverOldest(), Delivery::Delivered);
        QCOMPARE(m_data->screening().outbox()->count(), 0);
        QCOMPARE(testkit::screeningLines(m_data->screening().readTestResult()).size(), 1);
        QCOMPARE(testkit::services::log("analysis").size(), 1); // the kept reply was used
    }

    void outboxLimitsAndDamage() {
        Outbox box(m_board->root() + "/small-outbox", {1, 0});
        const ScreeningRecord r = testkit::unanalysed(
            "Mei", true, QDateTime(QDate(2026, 1, 1), QTime(9, 0)), "device clock");
        const QString recording = m_board->root() + "/tmp/pupil_video.avi";
        QCOMPARE(box.add(r, 1, 2, recording), Outbox::Added::Queued);
        QCOMPARE(box.add(r, 1, 2, recording), Outbox::Added::Full);
        const OutboxItem item = box.items().first();
        QCOMPARE(item.record.name, QString("Mei"));
        QCOMPARE(item.record.extras.timeSource, QString("device clock"));
        QCOMPARE(item.region, 2);
        QCOMPARE(testkit::readFile(item.recording()), testkit::readFile(recording));
        // Free space the history needs is never used.
        Outbox tight(m_board->root() + "/tight-outbox", {10, qint64(1) << 62});
        QCOMPARE(tight.add(r, 1, 2, recording), Outbox::Added::Full);
        // A half-made item (a power cut) goes at the next start; a damaged one is set aside.
        QDir().mkpath(box.folder() + "/.incoming-x");
        QVERIFY(testkit::writeFile(item.folder + "/item.txt", "name=Mei\n"));
        box.recover();
        QVERIFY(!QFileInfo::exists(box.folder() + "/.incoming-x"));
        QCOMPARE(box.count(), 0);
        QVERIFY(QFileInfo::exists(box.folder() + "/aside/" + item.id + "/recording.avi"));
    }

    void notARecording() {
        testkit::ScopedBoard other; // its /tmp has no recording
        testkit::beginExample(*m_data);
        const Analysis a = m_data->screening().uploadAVIFile();
        QCOMPARE(a.outcome, AnalysisOutcome::NoResult);
        QCOMPARE(a.reply, QString("No Response"));
        // Whatever reached the server, it was not taken as a recording.
        for (const QJsonObject& up : testkit::services::log("analysis"))
            QVERIFY(up["outcome"].toString() != "ok");
        vboard::setRoot(m_board->root());
    }

    void urls() {
        const QString scheme = testkit::serversUseTls() ? "https" : "http";
        QCOMPARE(endpoints::analysisUploadUrl(0, "00:1A:2B:3C:4D:5E"),
                 scheme + "://127.0.0.1:15000/production/00:1A:2B:3C:4D:5E");
        QCOMPARE(endpoints::analysisUploadUrl(2, "X"),
                 scheme + "://127.0.0.3:15000/upload_pupil_images/X");
    }
};

QTEST_GUILESS_MAIN(TstUpload)
#include "tst_upload.moc"
