// The blocking HTTP helpers against the stand-ins and a silent server, and percent-decoding.
#include "app/gdata.h"
#include "knobs.h"
#include "net/http_client.h"
#include "net/http_upload.h"
#include "testkit/testkit.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {
const QString kFirmware = "http://127.0.0.1:18082";
const QString kPrint = "http://127.0.0.1:18081";
} // namespace

class TstHttp : public QObject {
    Q_OBJECT

    HttpClient m_common;
    GData m_data;

private slots:
    void init() {
        testkit::captureMessages();
        testkit::services::clearKnob(serviceKnobs::kPrintReply);
        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);
    }
    void cleanup() { testkit::releaseMessages(); }

    void getSuccessErrorAndEmpty() {
        const QString folder = testkit::services::dir() + "/firmware/http-test";
        QVERIFY(testkit::writeFile(folder + "/hello.txt", "hello, device"));
        QVERIFY(testkit::writeFile(folder + "/empty.txt", ""));
        QByteArray out = "untouched";
        QVERIFY(m_data.http().httpGetRequest(kFirmware + "/http-test/hello.txt", 5, out));
        QCOMPARE(out, QByteArray("hello, device"));
        QVERIFY(
            testkit::messages().contains("httpGetRequest = " + kFirmware + "/http-test/hello.txt"));
        QVERIFY(m_data.http().httpGetRequest(kFirmware + "/http-test/empty.txt", 5, out));
        QCOMPARE(out, QByteArray());
        out = "untouched";
        QVERIFY(!m_data.http().httpGetRequest(kFirmware + "/http-test/missing.txt", 5, out));
        QCOMPARE(out, QByteArray("untouched"));
        QVERIFY(!m_data.http().httpGetRequest("http://127.0.0.1:1/x", 5, out)); // refused
        QCOMPARE(out, QByteArray("untouched"));
    }

    void postReplyAndDiagnostics() {
        testkit::services::setKnob(serviceKnobs::kPrintReply, R"({"code":0,"msg":"ok"})");
        const QString reply = m_common.httpPostRequest(kPrint + "/apisc/sendMsg", "a=1&b=2", 5);
        QCOMPARE(reply, QString(R"({"code":0,"msg":"ok"})"));
        const QRegularExpression start(
            R"(^\[CHK\] \d\d:\d\d:\d\d httpPostRequest \+\+ \[S\] \[http://127.0.0.1:18081/apisc/sendMsg\] \[a=1&b=2\] \[7\] ==1==$)");
        QVERIFY2(!testkit::messages().filter(start).isEmpty(),
                 qPrintable(testkit::messages().join('\n')));
        QVERIFY(!testkit::messages()
                     .filter(QRegularExpression(R"(\[CHK\] \S+ httpPostRequest \+\+ 1$)"))
                     .isEmpty());
        QVERIFY(!testkit::messages()
                     .filter(QRegularExpression(R"(\[CHK\] \S+ \[R\] C \[200\] R \[0\]$)"))
                     .isEmpty());
        QVERIFY(!testkit::messages()
                     .filter(QRegularExpression(R"(\[CHK\] \S+ \[R\] P \[\{"code":0)"))
                     .isEmpty());
    }

    void postFailures() {
        // HTTP error status, refused connection, empty body: all "".
        QCOMPARE(m_common.httpPostRequest(kPrint + "/nowhere", "x", 5), QString());
        QVERIFY(!testkit::messages().filter(QRegularExpression(R"(\[R\] C \[404\])")).isEmpty());
        QVERIFY(
            !testkit::messages().filter(QRegularExpression(R"(httpPostRequest --$)")).isEmpty());
        QCOMPARE(m_common.httpPostRequest("http://127.0.0.1:1/x", "x", 5), QString());
        testkit::services::setKnob(serviceKnobs::kPrintReply, "");
        QCOMPARE(m_common.httpPostRequest(kPrint + "/apisc/sendMsg", "x", 5), QString());
    }

    void silentServerTimesOut() {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        QList<QTcpSocket*> held; // accepted and never answered
        connect(&silent, &QTcpServer::newConnection,
                [&] { held << silent.nextPendingConnection(); });
        const QString url = QString("http://127.0.0.1:%1/").arg(silent.serverPort());
        QElapsedTimer t;
        t.start();
        QCOMPARE(m_common.httpPostRequest(url, "x", 1), QString());
        QVERIFY2(t.elapsed() >= 900 && t.elapsed() < 3000,
                 qPrintable(QString::number(t.elapsed())));
        QVERIFY(!testkit::messages().filter(QRegularExpression(R"(\[R\] F$)")).isEmpty());
        t.restart();
        QMap<QString, QString> fields{{"k", "v"}};
        QCOMPARE(m_common.httpPostRequestWithFile(url, 2, fields, "f", "/dev/null"), QString());
        QVERIFY2(t.elapsed() >= 1900 && t.elapsed() < 4000,
                 qPrintable(QString::number(t.elapsed())));
        QByteArray out = "untouched";
        t.restart();
        QVERIFY(!m_data.http().httpGetRequest(url, 1, out));
        QVERIFY(t.elapsed() < 3000);
        QCOMPARE(out, QByteArray("untouched"));
        QVERIFY(!held.isEmpty());
    }

    void multipartDiagnostics() {
        testkit::ScopedBoard board;
        QVERIFY(testkit::writeFile(board.root() + "/tmp/pupil_video.avi", QByteArray(1234, 'v')));
        QMap<QString, QString> fields{{"student_info", "0__0__0__0"}};
        // Not an AVI: the stand-in refuses it with 400, which the helper reports as "".
        QCOMPARE(m_common.httpPostRequestWithFile("http://127.0.0.1:15000/production/ID", 5, fields,
                                                  "pupil_video", "/tmp/pupil_video.avi"),
                 QString());
        for (const char* line :
             {"httpPostRequestWithFile \\+\\+ \\[S\\] ==1== "
              "\\[http://127.0.0.1:15000/production/ID\\] \\[5\\]$",
              "httpPostRequestWithFile \\+\\+ \\[S\\] ==2== \\[student_info\\] \\[0__0__0__0\\]$",
              "httpPostRequestWithFile \\+\\+ \\[S\\] ==3== \\[pupil_video\\] "
              "\\[/tmp/pupil_video.avi\\]$",
              "httpPostRequestWithFile \\+\\+ \\[S\\] ==4== \\[1234\\]$", "\\[R\\] C \\[400\\]",
              "httpPostRequestWithFile --$"})
            QVERIFY2(!testkit::messages().filter(QRegularExpression(line)).isEmpty(), line);
    }

    // The upload's own reply reader: when a reply is whole, and what counts as none.
    void uploadReplies_data() {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("whole");    // parsing can stop
        QTest::addColumn<bool>("answered"); // ... with a reply
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        const QByteArray ok = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n";
        QTest::newRow("length") << ok + "Content-Length: 5\r\n\r\n1,2,3" << false << true << true
                                << 200 << QByteArray("1,2,3");
        QTest::newRow("length, more to come")
            << ok + "Content-Length: 5\r\n\r\n1,2" << false << false << false << 0 << QByteArray();
        QTest::newRow("length, closed early")
            << ok + "Content-Length: 5\r\n\r\n1,2" << true << true << false << 0 << QByteArray();
        QTest::newRow("until closed")
            << ok + "\r\nok,1" << true << true << true << 200 << QByteArray("ok,1");
        QTest::newRow("until closed, still open")
            << ok + "\r\nok,1" << false << false << false << 0 << QByteArray();
        QTest::newRow("chunked") << ok + "Transfer-Encoding: chunked\r\n\r\n3\r\nok,\r\n"
                                         "2;x=y\r\n12\r\n0\r\n\r\n"
                                 << false << true << true << 200 << QByteArray("ok,12");
        QTest::newRow("chunked, cut") << ok + "Transfer-Encoding: chunked\r\n\r\n3\r\nok" << true
                                      << true << false << 0 << QByteArray();
        QTest::newRow("interim reply first")
            << "HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 2\r\n\r\nok" << false << true
            << true << 200 << QByteArray("ok");
        const QByteArray interim = "HTTP/1.1 100 Continue\r\n\r\n";
        QTest::newRow("eight interim replies")
            << interim.repeated(8) + ok + "Content-Length: 2\r\n\r\nok" << false << true << true
            << 200 << QByteArray("ok");
        QTest::newRow("nine interim replies: refused, not waited for")
            << interim.repeated(9) << false << true << false << 0 << QByteArray();
        QTest::newRow("40000 interim replies")
            << interim.repeated(40000) + ok + "Content-Length: 2\r\n\r\nok" << false << true
            << false << 0 << QByteArray();
        QTest::newRow("server error")
            << QByteArray("HTTP/1.1 500 Boom\r\nContent-Length: 0\r\n\r\n") << false << true << true
            << 500 << QByteArray();
        QTest::newRow("closed without a reply")
            << QByteArray() << true << true << false << 0 << QByteArray();
        QTest::newRow("not HTTP") << QByteArray("SSH-2.0-x\r\n\r\n") << false << true << false << 0
                                  << QByteArray();
        QTest::newRow("negative length") << ok + "Content-Length: -4\r\n\r\n"
                                         << false << true << false << 0 << QByteArray();
        QTest::newRow("huge chunk") << ok + "Transfer-Encoding: chunked\r\n\r\nffffffffff\r\n"
                                    << false << true << false << 0 << QByteArray();
    }
    void uploadReplies() {
        QFETCH(QByteArray, wire);
        QFETCH(bool, closed);
        QFETCH(bool, whole);
        QFETCH(bool, answered);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        UploadAnswer answer;
        QCOMPARE(parseHttpReply(wire, closed, answer), whole);
        if (!whole)
            return;
        QCOMPARE(answer.answered, answered);
        QCOMPARE(answer.failure.isEmpty(), answered);
        if (answered) {
            QCOMPARE(answer.status, status);
            QCOMPARE(answer.body, body);
        }
    }

    void urldecode_data() {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("space") << QByteArray("a%20b") << "a b";
        QTest::newRow("plus stays") << QByteArray("a+b") << "a+b";
        QTest::newRow("utf-8") << QByteArray("%E4%B8%AD") << QString(QChar(0x4E2D));
        QTest::newRow("lower-case hex") << QByteArray("%e4%b8%ad!") << QString(QChar(0x4E2D)) + "!";
        QTest::newRow("escaped zero ends it") << QByteArray("ab%00cd") << "ab";
        QTest::newRow("percent at the end") << QByteArray("100%") << "100%";
        QTest::newRow("one digit at the end") << QByteArray("x%4") << "x%4";
        QTest::newRow("plain") << QByteArray("Home WiFi") << "Home WiFi";
        QTest::newRow("empty") << QByteArray("") << "";
    }

    void urldecode() {
        QFETCH(QByteArray, in);
        QFETCH(QString, out);
        QCOMPARE(percentDecode(in.constData()), out);
    }

    void urldecodeNonDigits() {
        // "%zz": (16 x -1 - 1) mod 256 = 0xEF, not valid UTF-8 on its own.
        QCOMPARE(percentDecode("%zz"), QString::fromUtf8("\xEF"));
        QCOMPARE(percentDecode("%zz%BC%90"), QString(QChar(0xFF10)));
    }
};

QTEST_GUILESS_MAIN(TstHttp)
#include "tst_http.moc"
