// Receipt printing against the cloud printing stand-in, which recomputes the signature.
#include "app/gdata.h"
#include "core/camcfg.h"
#include "core/settings.h"
#include "knobs.h"
#include "output/output_service.h"
#include "output/receipt.h"
#include "platform/board.h"
#include "screening/screening_session.h"
#include "testkit/testkit.h"

#include <QJsonArray>
#include <QtTest>

namespace {

const QString kCut = "<gpCut/>";

QString lines(const QStringList& l) {
    QString s;
    for (const QString& line : l)
        s += line + kCut;
    return s;
}

} // namespace

class TstPrint : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::DataFixture> m_fx;
    GData* m_data = nullptr;
    ScreeningRecord m_record;

    QJsonObject lastPrint() {
        const auto log = testkit::services::log("print");
        return log.isEmpty() ? QJsonObject() : log.last();
    }

private slots:
    void init() {
        m_fx = std::make_unique<testkit::DataFixture>();
        m_data = &m_fx->data();
        m_data->settings().assume(CamCfg::PrinterId, "PRN-0042");
        testkit::services::clearKnob(serviceKnobs::kPrintReply);
        testkit::services::clearLog("print");
        m_record = testkit::exampleRecord(QDateTime(QDate(2026, 12, 7), QTime(16, 10, 5)));
    }

    void cleanup() { m_fx.reset(); }

    void resultReceiptAsReceived() {
        QVERIFY(board::setSystemClock(
            QDateTime(QDate(2026, 12, 8), QTime(9, 30, 15), Qt::UTC).toSecsSinceEpoch()));
        m_data->settings().store(CamCfg::TimeZone, "8");
        QCOMPARE(m_data->output().httpPrintRecord(m_record), PrintOutcome::Printed);
        const QJsonObject p = lastPrint();
        const QString dashes(32, '-');
        const QString expected = lines({"Name: Test",
                                        "Sex: Female",
                                        "Birthday: 2019-05-03",
                                        "ID: ",
                                        "Test Time: 2026-12-07 16:10",
                                        "",
                                        "REF.DATA",
                                        "VD: 12.00",
                                        dashes,
                                        "<OD>",
                                        "SPH        CYL       AXIS",
                                        "1.25     -0.50     180",
                                        dashes,
                                        dashes,
                                        "<OS>",
                                        "SPH        CYL       AXIS",
                                        "1.00     -0.75     175",
                                        dashes,
                                        "",
                                        "PD: 58",
                                        "Screening result: Pass",
                                        "",
                                        "Note: ",
                                        "",
                                        "           2026-12-08 17:30:15"}) +
                                 kCut.repeated(5);
        QCOMPARE(p["fields"].toObject()["msgDetail"].toString(), expected);
        QVERIFY(expected.endsWith("17:30:15" + kCut.repeated(6)));
        // Field names in their order, the device ID, and a signature the service accepts.
        QCOMPARE(p["names"].toArray().toVariantList(),
                 (QVariantList{"charset", "reqTime", "memberCode", "deviceID", "token",
                               "securityCode", "msgDetail", "msgNo", "reprint", "mode"}));
        QVERIFY(p["signature_ok"].toBool());
        QCOMPARE(p["tls"].toBool(), testkit::serversUseTls());
        const QJsonObject f = p["fields"].toObject();
        QCOMPARE(f["deviceID"].toString(), QString("PRN-0042"));
        QCOMPARE(f["charset"].toString(), QString("1"));
        QCOMPARE(f["token"].toString(), QString());
        QCOMPARE(f["msgNo"].toString(), QString());
        QCOMPARE(f["reprint"].toString(), QString("0"));
        QCOMPARE(f["mode"].toString(), QString("2"));
        // The request time is the system clock, not shifted by the time zone.
        QCOMPARE(f["reqTime"].toString().toLongLong(),
                 QDateTime(QDate(2026, 12, 8), QTime(9, 30, 15), Qt::UTC).toSecsSinceEpoch());
        QVERIFY(p["raw"].toString().startsWith("charset=1&reqTime="));
    }

    void testPage() {
        QVERIFY(board::setSystemClock(
            QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5), Qt::LocalTime).toSecsSinceEpoch()));
        m_data->settings().store(CamCfg::TimeZone, "0");
        QCOMPARE(m_data->output().httpPrintTestpage(), PrintOutcome::Printed);
        QCOMPARE(lastPrint()["fields"].toObject()["msgDetail"].toString(),
                 "This is a test page..." + kCut + kCut + "           2025-01-02 03:04:05" +
                     kCut.repeated(6));
    }

    void recordWithoutAnalysis() {
        const QString text = resultReceipt({"Kim", true, QDate(2020, 1, 1), QDateTime(), "", "", "",
                                            "", "", "", "", "", RecordExtras{}},
                                           QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
        QVERIFY(text.contains(kCut + "SPH        CYL       AXIS" + kCut + QString(10, ' ') + kCut));
        QCOMPARE(text.count(kCut + QString(10, ' ') + kCut), 2);
    }

    // The ID on its line; a screening without a result says why on the note line.
    void idAndReason() {
        const QString text =
            resultReceipt(testkit::withoutMeasurements("Kim", true, QDate(2020, 1, 1), QDateTime(),
                                                       kUnableToScreen,
                                                       {"S-12", "not-cooperating", "", "operator"}),
                          QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
        QVERIFY(text.contains(kCut + "ID: S-12" + kCut));
        QVERIFY(text.contains(kCut + "Screening result: Unable to screen" + kCut));
        QVERIFY(text.contains(kCut + "Note: Child did not cooperate" + kCut));
    }

    void replyJudgement_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<PrintOutcome>("result");
        QTest::newRow("code 0") << R"({"code":0,"msg":"ok"})" << PrintOutcome::Printed;
        QTest::newRow("code 0 with a space")
            << R"({"code": 0,"msg":"ok"})" << PrintOutcome::Refused;
        QTest::newRow("other code") << R"({"code":1})" << PrintOutcome::Refused;
        QTest::newRow("code 0 inside a longer number") << R"({"code":01})" << PrintOutcome::Printed;
        QTest::newRow("no reply body") << "" << PrintOutcome::Unreachable;
    }

    void replyJudgement() {
        QFETCH(QString, reply);
        QFETCH(PrintOutcome, result);
        testkit::services::setKnob(serviceKnobs::kPrintReply, reply);
        QCOMPARE(m_data->output().httpPrintTestpage(), result);
    }

    void twoPrintsInOneSecondSignTheSame() {
        QVERIFY(board::setSystemClock(1800000000));
        QCOMPARE(m_data->output().httpPrintTestpage(), PrintOutcome::Printed);
        QCOMPARE(m_data->output().httpPrintTestpage(), PrintOutcome::Printed);
        const auto log = testkit::services::log("print");
        QCOMPARE(log.size(), 2);
        const QJsonObject a = log[0]["fields"].toObject(), b = log[1]["fields"].toObject();
        if (a["reqTime"] != b["reqTime"])
            QSKIP("the two prints straddled a second");
        QCOMPARE(a["securityCode"], b["securityCode"]);
        // The signature: MD5 of member code, device ID, msgNo, reqTime and the key.
        QString member = a["memberCode"].toString(), device = "PRN-0042", no,
                time = a["reqTime"].toString();
        QCOMPARE(a["securityCode"].toString(), httpPrintGetMD5(member, device, no, time));
        QCOMPARE(a["securityCode"].toString().size(), 32);
    }

    void namesWithFormCharactersArriveWhole() {
        m_record.name = "Ann & Bo=Li + 100% <gpCut/>";
        m_data->settings().assume(CamCfg::PrinterId, "A&B");
        QCOMPARE(m_data->output().httpPrintRecord(m_record), PrintOutcome::Printed);
        const QJsonObject p = lastPrint();
        QVERIFY(p["signature_ok"].toBool());
        QCOMPARE(p["fields"].toObject()["deviceID"].toString(), QString("A&B"));
        QVERIFY(p["fields"].toObject()["msgDetail"].toString().startsWith(
            "Name: Ann &amp; Bo=Li + 100% &lt;gpCut/&gt;" + kCut));
        // The name's markup characters are entities, so it makes no tag; nothing else is
        // encoded but the form's own characters.
        QVERIFY(p["raw"].toString().contains("&msgDetail=Name: Ann %26amp; Bo%3DLi %2B 100%25 "
                                             "%26lt;gpCut/%26gt;<gpCut/>Sex: Female"));
    }

    void emptyPrinterIdStillSends() {
        m_data->settings().assume(CamCfg::PrinterId, "");
        QCOMPARE(m_data->output().httpPrintTestpage(), PrintOutcome::Printed);
        QCOMPARE(lastPrint()["fields"].toObject()["deviceID"].toString(), QString());
    }
};

QTEST_GUILESS_MAIN(TstPrint)
#include "tst_print.moc"
