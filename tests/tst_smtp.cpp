// SMTP client and MIME model against the aiosmtpd stand-in; the delivered message and the
// encodings are read back by Python's email, quopri and base64.
#include "app/gdata.h"
#include "knobs.h"
#include "output/output_service.h"
#include "smtp/mime.h"
#include "smtp/quotedprintable.h"
#include "smtp/smtpclient.h"
#include "testkit/testkit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

const QString kSender = "screening@vistrel.test";
const QString kPassword = "Mqlvord482917";

// A server on loopback for one connection that plays a script: each step sends its bytes
// (after waiting `delayMs`), then, when `awaitLine` is set, reads one line from the client.
struct Step {
    QByteArray send;
    int delayMs = 0;
    bool awaitLine = false;
};
class ScriptedServer {
public:
    explicit ScriptedServer(QList<Step> script) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&addr), len) == 0 &&
            ::listen(m_listener, 1) == 0 &&
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
            m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this, script] { play(script); });
    }
    ~ScriptedServer() {
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        ::close(m_listener);
    }
    int port() const { return m_port; }

private:
    void play(const QList<Step>& script) {
        const int fd = ::accept(m_listener, nullptr, nullptr);
        if (fd < 0)
            return;
        for (const Step& step : script) {
            std::this_thread::sleep_for(std::chrono::milliseconds(step.delayMs));
            if (::send(fd, step.send.constData(), size_t(step.send.size()), MSG_NOSIGNAL) < 0)
                break;
            char c = 0;
            while (step.awaitLine && ::recv(fd, &c, 1, 0) == 1 && c != '\n') {
            }
        }
        ::close(fd);
    }
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
};

QList<SmtpClient::SmtpError> errorsOf(const QSignalSpy& spy) {
    QList<SmtpClient::SmtpError> out;
    for (const auto& args : spy)
        out << args[0].value<SmtpClient::SmtpError>();
    return out;
}

QList<QSslCertificate> standInCertificate() {
    return QSslCertificate::fromPath(testkit::services::dir() + "/tls/ca.pem");
}

} // namespace

Q_DECLARE_METATYPE(Step)

class TstSmtp : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    GData m_data;

    QJsonObject lastMail() {
        const auto log = testkit::services::log("mail");
        return log.isEmpty() ? QJsonObject() : log.last();
    }

    QJsonObject parsed(const QJsonObject& mail) {
        return QJsonDocument::fromJson(
                   testkit::mimeTool({"message", mail["file"].toString()}).toUtf8())
            .object();
    }

    void allAuthLinesEncrypted() {
        for (const QJsonObject& line : testkit::services::log("mail_auth_line"))
            QVERIFY2(line["encrypted"].toBool(), QJsonDocument(line).toJson().constData());
        testkit::services::clearLog("mail_auth_line");
    }

private slots:
    void initTestCase() {
        qputenv("VISTREL_SIM_CA", (testkit::services::dir() + "/tls/ca.pem").toUtf8());
        m_data.setAppDir(m_dir.path());
    }

    void init() {
        for (const char* k : {"smtp_auth_refuse", "smtp_refuse_rcpt", "smtp_multiline_greeting",
                              "smtp_tls_closed", "smtp_no_starttls"})
            testkit::services::clearKnob(k);
        testkit::services::clearLog("mail");
        testkit::services::clearLog("mail_auth");
        allAuthLinesEncrypted(); // also those of the suites that ran before
    }

    // Seen by the server: no AUTH line of any test arrived before encryption.
    void cleanup() { allAuthLinesEncrypted(); }

    // Without STARTTLS on the second port the account is never sent: "Failed to login!".
    void noStartTlsNoLogin() {
        testkit::services::setKnob(serviceKnobs::kSmtpTlsClosed, "1");
        testkit::services::setKnob(serviceKnobs::kSmtpNoStartTls, "1");
        m_data.output().setReport("parent@example.org", "<p>x</p>");
        QCOMPARE(m_data.output().smtpSendReport(), MailOutcome::LoginRefused);
        QVERIFY(testkit::services::log("mail_auth_line").isEmpty());
        QVERIFY(testkit::services::log("mail").isEmpty());
    }

    void sslDeliveryIsWellFormed() {
        const QString html = QString::fromUtf8("<p>Zoë 张 — résultats: <b>Pass</b></p>");
        QCOMPARE(m_data.output().smtpSend("parent@example.org", "Report", html, true),
                 MailOutcome::Sent);
        const QJsonObject mail = lastMail();
        QCOMPARE(mail["port"].toInt(), 10465);
        QCOMPARE(mail["rcpt_tos"].toArray().first().toString(), QString("parent@example.org"));
        QCOMPARE(mail["mail_from"].toString(), kSender);
        const QJsonObject m = parsed(mail);
        QCOMPARE(m["type"].toString(), QString("multipart/related"));
        QCOMPARE(m["from"].toArray().first().toString(), kSender);
        QCOMPARE(m["from_name"].toArray().first().toString(), kSender);
        QCOMPARE(m["to"].toArray().first().toString(), QString("parent@example.org"));
        QCOMPARE(m["subject"].toString(), QString("Report"));
        QCOMPARE(m["mime_version"].toString(), QString("1.0"));
        QVERIFY(m["date_ok"].toBool());
        QVERIFY(m["crlf_only"].toBool());
        QVERIFY2(m["defects"].toArray().isEmpty(),
                 qPrintable(QJsonDocument(m["defects"].toArray()).toJson()));
        QCOMPARE(m["boundary"].toString().size(), 32);
        const QJsonArray parts = m["parts"].toArray();
        QCOMPARE(parts.size(), 1);
        QCOMPARE(parts[0].toObject()["type"].toString(), QString("text/html"));
        QCOMPARE(parts[0].toObject()["charset"].toString(), QString("utf-8"));
        QCOMPARE(parts[0].toObject()["cte"].toString(), QString("8bit"));
        QCOMPARE(parts[0].toObject()["text"].toString().trimmed(), html);
    }

    // A mail line holds at most 998 octets, and mail knows only CRLF: a long line goes
    // quoted-printable, bare line ends become CRLF, and a "." after any of them is stuffed.
    // The reader gets the text back exactly, line ends as CRLF.
    void transportRules_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("cte");
        QTest::addColumn<QString>("readBack");
        const QString longLine =
            "<table>" + QString("<tr><td>Zoë</td></tr>").repeated(200) + "</table>";
        QTest::newRow("a 4000-character line") << longLine << "quoted-printable" << longLine;
        QTest::newRow("exactly 998 octets stays 8 bit")
            << QString(998, 'x') << "8bit" << QString(998, 'x');
        QTest::newRow("bare LF and CR, dots after them") << "a\n.b\rc\r\n.\n..d"
                                                         << "8bit"
                                                         << "a\r\n.b\r\nc\r\n.\r\n..d";
    }
    void transportRules() {
        QFETCH(QString, html);
        QFETCH(QString, cte);
        QFETCH(QString, readBack);
        QCOMPARE(m_data.output().smtpSend("parent@example.org", "Report", html, false),
                 MailOutcome::Sent);
        const QJsonObject m = parsed(lastMail());
        QVERIFY(m["crlf_only"].toBool());
        QVERIFY2(m["longest_line"].toInt() <= 998,
                 qPrintable(QString::number(m["longest_line"].toInt())));
        QVERIFY(m["defects"].toArray().isEmpty());
        const QJsonObject part = m["parts"].toArray().first().toObject();
        QCOMPARE(part["cte"].toString(), cte);
        // The part's text as read ends with the line end that closes the part.
        QString text = part["text"].toString();
        if (text.endsWith("\n"))
            text.chop(text.endsWith("\r\n") ? 2 : 1);
        QCOMPARE(text.replace("\r\n", "\n"), QString(readBack).replace("\r\n", "\n"));
    }

    void sslRefusedThenOneStartTlsDelivery() {
        testkit::services::setKnob(serviceKnobs::kSmtpTlsClosed, "1");
        m_data.output().setReport("parent@example.org", "<table border=\"1\"></table>");
        QCOMPARE(m_data.output().smtpSendReport(), MailOutcome::Sent);
        const auto log = testkit::services::log("mail");
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0]["port"].toInt(), 10025);
        const auto auth = testkit::services::log("mail_auth_line");
        QCOMPARE(auth.size(), 1);
        QVERIFY(auth[0]["encrypted"].toBool());
        QCOMPARE(parsed(log[0])["parts"].toArray()[0].toObject()["text"].toString().trimmed(),
                 m_data.output().reportBody());
    }

    void results_data() {
        QTest::addColumn<QString>("knob");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result");
        QTest::newRow("refused login") << "smtp_auth_refuse"
                                       << "1"
                                       << "a@example.org"
                                       << "Failed to login!";
        QTest::newRow("refused recipient") << "smtp_refuse_rcpt"
                                           << "nobody@example.org"
                                           << "nobody@example.org"
                                           << "Failed to send mail!";
        QTest::newRow("empty recipient") << ""
                                         << ""
                                         << ""
                                         << "Failed to send mail!";
    }

    void results() {
        QFETCH(QString, knob);
        QFETCH(QString, value);
        QFETCH(QString, to);
        QFETCH(QString, result);
        if (!knob.isEmpty())
            testkit::services::setKnob(knob, value);
        QCOMPARE(mailOutcomeText(m_data.output().smtpSend(to, "Report", "<p>x</p>", true)), result);
        QCOMPARE(mailOutcomeText(m_data.output().smtpSend(to, "Report", "<p>x</p>", false)),
                 result);
        QVERIFY(testkit::services::log("mail").isEmpty());
    }

    void mailAddresses() {
        const QStringList good{"parent@example.org", "a.b+c@school.edu.in",
                               "x_y@mail-1.example.ph"};
        const QStringList bad{"abc",
                              "abc@",
                              "@example.org",
                              "a@b",
                              "a b@example.org",
                              "a@example..org",
                              "a@-x.org",
                              "a.@x.org",
                              "a@x.org\r\nRCPT TO:<b@y.org>",
                              "<a@x.org>",
                              "a@x.org,b@y.org"};
        for (const QString& a : good)
            QVERIFY2(isMailAddress(a), qPrintable(a));
        for (const QString& a : bad)
            QVERIFY2(!isMailAddress(a), qPrintable(a));
        // Python's parser reads every address we take as one address, unchanged.
        QProcess py;
        py.start("/usr/bin/python3",
                 QStringList{"-c", "import sys\nfrom email.headerregistry import Address\n"
                                   "for a in sys.argv[1:]: print(Address(addr_spec=a).addr_spec)"} +
                     good);
        QVERIFY(py.waitForFinished(30000));
        QCOMPARE(py.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(py.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                 good);
    }

    void reportToANonAddressIsNeverSent() {
        m_data.output().setReport("abc", "<table></table>");
        QCOMPARE(m_data.output().smtpSendReport(), MailOutcome::BadAddress);
        QVERIFY(testkit::services::log("mail").isEmpty());
    }

    void noServer() {
        SmtpClient client("127.0.0.1", 1, SmtpClient::TcpConnection);
        client.setConnectionTimeout(2000);
        QSignalSpy errors(&client, &SmtpClient::smtpError);
        QVERIFY(!client.connectToHost());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0][0].value<SmtpClient::SmtpError>(), SmtpClient::ConnectionTimeoutError);
    }

    void replyEnds_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ends");
        QTest::newRow("text") << "250 ok\r\n" << true;
        QTest::newRow("continued") << "250-SIZE 1000\r\n" << false;
        QTest::newRow("bare code") << "220\r\n" << true;
        QTest::newRow("bare code, line feed only") << "250\n" << true;
        QTest::newRow("bare code, no line end") << "354" << true;
        QTest::newRow("two digits") << "25\r\n" << false;
        QTest::newRow("not a code") << "abc ok\r\n" << false;
        QTest::newRow("empty") << "\r\n" << false;
    }
    void replyEnds() {
        QFETCH(QString, line);
        QFETCH(bool, ends);
        QCOMPARE(SmtpClient::endsReply(line), ends);
    }

    // Replies of a bare code are whole replies; a server that keeps a reply going with
    // continuation lines is given the response time-out for all of it, not per line.
    void replyLinesOnTheWire_data() {
        QTest::addColumn<QList<Step>>("script");
        QTest::addColumn<bool>("connects");
        QTest::newRow("bare codes") << QList<Step>{{"220\r\n", 0, true}, {"250\r\n"}} << true;
        QList<Step> dribble;
        for (int i = 0; i < 30; ++i)
            dribble << Step{"220-still greeting\r\n", 100};
        QTest::newRow("endless greeting") << dribble << false;
    }
    void replyLinesOnTheWire() {
        QFETCH(QList<Step>, script);
        QFETCH(bool, connects);
        ScriptedServer server(script);
        QVERIFY(server.port() > 0);
        SmtpClient client("127.0.0.1", server.port(), SmtpClient::TcpConnection);
        client.setResponseTimeout(800);
        QSignalSpy errors(&client, &SmtpClient::smtpError);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(client.connectToHost(), connects);
        if (!connects) {
            QCOMPARE(errorsOf(errors),
                     QList<SmtpClient::SmtpError>{SmtpClient::ResponseTimeoutError});
            // well before the 3 s the server would keep it going
            QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
        } else {
            QVERIFY(errors.isEmpty());
            QCOMPARE(client.getResponseCode(), 250);
        }
    }

    // Bytes without a line end are not a reply: the client gives up on them at once rather
    // than keeping them for the whole response time-out.
    void replyWithoutALineEnd() {
        ScriptedServer server({{QByteArray(4 << 20, 'x'), 0, true}});
        QVERIFY(server.port() > 0);
        SmtpClient client("127.0.0.1", server.port(), SmtpClient::TcpConnection);
        client.setResponseTimeout(20000);
        QSignalSpy errors(&client, &SmtpClient::smtpError);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!client.connectToHost());
        QCOMPARE(errorsOf(errors), QList<SmtpClient::SmtpError>{SmtpClient::ResponseTimeoutError});
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    }

    void refusedLoginSignalsErrors3And5() {
        testkit::services::setKnob(serviceKnobs::kSmtpAuthRefuse, "1");
        SmtpClient client("127.0.0.1", 10025, SmtpClient::TlsConnection);
        client.addCaCertificates(standInCertificate());
        QSignalSpy errors(&client, &SmtpClient::smtpError);
        QVERIFY(client.connectToHost());
        QVERIFY(!client.login(kSender, kPassword));
        QCOMPARE(client.getResponseCode(), 535);
        QList<int> codes;
        for (const auto& e : errors)
            codes << int(e[0].value<SmtpClient::SmtpError>());
        QVERIFY(codes.contains(5));
        QVERIFY(codes.contains(3));
    }

    void multilineGreetingAndLoginMethod() {
        testkit::services::setKnob(serviceKnobs::kSmtpMultilineGreeting, "1");
        SmtpClient client("127.0.0.1", 10465, SmtpClient::SslConnection);
        client.addCaCertificates(standInCertificate());
        QVERIFY(client.connectToHost());
        // The greeting's last line and then the whole EHLO reply were read through.
        QVERIFY2(client.getResponseText().startsWith("250 "), qPrintable(client.getResponseText()));
        QVERIFY(client.login(kSender, kPassword, SmtpClient::AuthLogin));
        QCOMPARE(client.getResponseCode(), 235);
        MimeMessage message;
        EmailAddress from(kSender, "Vistrel"), to("parent@example.org");
        message.setSender(&from);
        message.addTo(&to);
        message.setSubject("Report");
        message.addPart(new MimeText(".leading dot\r\n.\r\nafter a lone dot"));
        QVERIFY(client.sendMail(message));
        client.quit();
        const auto auth = testkit::services::log("mail_auth");
        QCOMPARE(auth.last()["mechanism"].toString(), QString("LOGIN"));
        // A body line of a lone "." did not end the message early.
        const QJsonObject m = parsed(lastMail());
        QCOMPARE(m["parts"].toArray()[0].toObject()["text"].toString().trimmed(),
                 QString(".leading dot\r\n.\r\nafter a lone dot"));
    }

    void untrustedCertificateIsRefused() {
        SmtpClient client("127.0.0.1", 10465, SmtpClient::SslConnection); // no extra trust
        client.setResponseTimeout(2000);
        QVERIFY(!client.connectToHost());
        QVERIFY(testkit::services::log("mail_auth").isEmpty());
    }

    void headerWordEncodings() {
        MimeMessage message(true);
        EmailAddress from("a@example.org", QString::fromUtf8("Zoë Ng")), to("b@example.org", "B");
        message.setSender(&from);
        message.addTo(&to);
        message.setSubject(QString::fromUtf8("Résultat: ok"));
        message.setHeaderEncoding(MimePart::Base64);
        QString text = message.toString();
        QVERIFY(
            text.startsWith("From: =?utf-8?B?" +
                            QString::fromLatin1(QString::fromUtf8("Zoë Ng").toUtf8().toBase64()) +
                            "?= <a@example.org>\r\n"));
        QVERIFY(text.contains("\r\nTo: =?utf-8?B?Qg==?= <b@example.org>\r\n"));
        message.setHeaderEncoding(MimePart::_8Bit);
        EmailAddress self("c@example.org", "c@example.org");
        MimeMessage plain(true);
        plain.setSender(&self);
        plain.addTo(&to);
        QVERIFY(plain.toString().startsWith(
            "From: \"c@example.org\" <c@example.org>\r\nTo: B <b@example.org>\r\n"));
        message.setHeaderEncoding(MimePart::QuotedPrintable);
        text = message.toString();
        QVERIFY2(text.contains("\r\nSubject: =?utf-8?Q?R=C3=A9sultat=3A_ok?=\r\n"),
                 qPrintable(text));
    }

    void encodingsRoundTrip_data() {
        QTest::addColumn<QByteArray>("input");
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        QTest::newRow("every byte") << bytes;
        QTest::newRow("long utf-8 text")
            << QString::fromUtf8("Zoë 张 = résultat; ").repeated(20).toUtf8();
        QTest::newRow("escapes at the edge")
            << QByteArray(74, 'a') + "\xE9\xE9\xE9" + QByteArray(70, '=');
        QTest::newRow("empty") << QByteArray();
        // A decoder strips white space at the end of a line: it has to be escaped there.
        QTest::newRow("ends with a space") << QByteArray("Result: Pass  ");
        QTest::newRow("space before the soft break") << QByteArray(74, 'b') + "  " + "tail ";
    }

    void encodingsRoundTrip() {
        QFETCH(QByteArray, input);
        MimeContentFormatter formatter(76);
        const QString qp = formatter.format(QuotedPrintable::encode(input), true);
        const QString b64 = formatter.format(QString::fromLatin1(input.toBase64()));
        for (const QString& text : {qp, b64}) {
            for (const QString& line : text.split("\r\n")) {
                QVERIFY2(line.size() <= 76, qPrintable(line));
                QVERIFY2(!line.endsWith(' ') && !line.endsWith('\t'), qPrintable(line));
            }
        }
        // No escape split across a soft break: every "=" is a soft break or a whole escape.
        static const QRegularExpression lone("=(?![0-9A-F]{2}|\r\n)");
        QVERIFY(!qp.contains(lone));
        const QString qpFile = m_dir.path() + "/qp.txt", b64File = m_dir.path() + "/b64.txt";
        QVERIFY(testkit::writeFile(qpFile, qp.toLatin1()));
        QVERIFY(testkit::writeFile(b64File, b64.toLatin1()));
        QCOMPARE(testkit::mimeTool({"qp", qpFile}).toLatin1(), input.toHex());
        QCOMPARE(testkit::mimeTool({"b64", b64File}).toLatin1(), input.toHex());
        QCOMPARE(QuotedPrintable::decode(qp), input);
    }

    void fileParts() {
        MimeMultiPart multi(MimeMultiPart::Mixed);
        multi.addPart(new MimeAttachment(QByteArray("report data"), "report.csv"));
        const QString text = multi.toString();
        QVERIFY(text.startsWith("Content-Type: multipart/mixed; boundary=" + multi.getBoundary() +
                                "\r\n"));
        QVERIFY(text.contains(
            "Content-Type: application/octet-stream; name=\"report.csv\"\r\n"
            "Content-Transfer-Encoding: base64\r\nContent-disposition: attachment\r\n\r\n" +
            QString::fromLatin1(QByteArray("report data").toBase64()) + "\r\n"));
        QVERIFY(text.endsWith("--" + multi.getBoundary() + "--\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TstSmtp)
#include "tst_smtp.moc"
