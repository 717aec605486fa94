// Firmware update against the firmware stand-in's files: signed images, and what a man in
// the middle may serve instead.
#include "app/gdata.h"
#include "core/settings.h"
#include "net/http_client.h"
#include "platform/board.h"
#include "system/clock_service.h"
#include "system/firmware.h"
#include "system/firmware_image.h"
#include "system/firmware_service.h"
#include "testkit/testkit.h"

#include <QCryptographicHash>
#include <QDir>
#include <QtTest>

namespace {

QString serverFile(const QString& region, const QString& name) {
    return testkit::services::dir() + "/firmware/v2/" + region + "/" + name;
}

QString md5Upper(const QByteArray& data) {
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex())
        .toUpper();
}

} // namespace

class TstFirmware : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    std::unique_ptr<GData> m_data;
    const QByteArray m_image = testkit::firmware::image(22000);

    void publish(const QString& versionLine) {
        QVERIFY(testkit::writeFile(serverFile("us", "version_rent.txt"), versionLine.toUtf8()));
    }

    // The image the server offers, with its signature ("" for none).
    void serve(const QByteArray& image, const QByteArray& signature) {
        QVERIFY(testkit::writeFile(serverFile("us", "vistrel-2.7.0"), image));
        QFile::remove(serverFile("us", "vistrel-2.7.0.sig"));
        if (!signature.isEmpty())
            QVERIFY(testkit::writeFile(serverFile("us", "vistrel-2.7.0.sig"), signature));
    }

    bool nothingStaged() const {
        return !QFile::exists(m_data->appDir() + "/vistrel.new") &&
               !QFile::exists(m_data->appDir() + "/vistrel.tmp");
    }

    QString validVersion(const QString& version = "v2.7.0-R") const {
        return QString("%1;vistrel-2.7.0;%2;%3")
            .arg(version)
            .arg(m_image.size())
            .arg(md5Upper(m_image));
    }

    int firmwareRequests(const QString& path) const {
        int n = 0;
        for (const QJsonObject& r : testkit::services::log("firmware"))
            n += r["path"].toString() == path;
        return n;
    }

private slots:
    void init() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        m_data = std::make_unique<GData>();
        m_data->setAppDir(m_board->appDir() + "/app dir with spaces $(x) 'q'");
        QVERIFY(QDir().mkpath(m_data->appDir()));
        serve(m_image, testkit::firmware::sign(m_image, testkit::firmware::devKey()));
        for (const char* f : {"version_rent.txt", "versionList.txt"})
            QDir(testkit::services::dir() + "/firmware/v2/us").remove(f);
        testkit::services::clearLog("firmware");
        testkit::captureMessages();
    }
    void cleanup() {
        testkit::releaseMessages();
        board::setSystemClock(QDateTime::currentSecsSinceEpoch());
    }

    void sameVersionIsNoUpdate() {
        publish("v2.6.5-R;anything;12;whatever");
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::Same);
        QVERIFY(m_data->firmware().newVersionFile().isEmpty());
    }

    void otherVersionOffersTheUpdate() {
        publish(validVersion() + "\n");
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        QCOMPARE(m_data->firmware().newVersionFile(), QString("vistrel-2.7.0"));
        QCOMPARE(m_data->firmware().newVersionSize(), int(m_image.size()));
        QCOMPARE(m_data->firmware().newVersionMD5(), md5Upper(m_image)); // trimmed
        QVERIFY(testkit::messages().contains("versionFile:  \"version_rent.txt\""));
    }

    void malformedVersionFiles_data() {
        QTest::addColumn<QString>("content");
        QTest::newRow("three fields") << "v2.7.0-R;file;12";
        QTest::newRow("five fields") << "v2.7.0-R;file;12;ABC;extra";
        QTest::newRow("empty") << "";
    }

    void malformedVersionFiles() {
        QFETCH(QString, content);
        publish(content);
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::Failed);
        QCOMPARE(m_data->firmware().versionCheck("version_rent.txt"), VersionCheck::Failed);
        QVERIFY(!testkit::messages()
                     .filter(QRegularExpression("^strList.size\\(\\) = \\d+$"))
                     .isEmpty());
    }

    void missingFileFails() { QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::Failed); }

    void successfulDownloadStagesTheImage() {
        publish(validVersion());
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        QVERIFY(m_data->firmware().versionDownlod());
        const QString dir = m_data->appDir();
        QCOMPARE(testkit::readFile(dir + "/vistrel.new"), m_image);
        QVERIFY(!QFile::exists(dir + "/vistrel.tmp"));
        // The next start removes it.
        m_data->firmware().versionDelete();
        QVERIFY(!QFile::exists(dir + "/vistrel.new"));
    }

    void oneByteShort() {
        publish(
            QString("v2.7.0-R;vistrel-2.7.0;%1;%2").arg(m_image.size() + 1).arg(md5Upper(m_image)));
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        QVERIFY(!m_data->firmware().versionDownlod());
        QVERIFY(testkit::messages().contains(
            QString("versionDownlod len error %1 %2").arg(m_image.size()).arg(m_image.size() + 1)));
        QVERIFY(!QFile::exists(m_data->appDir() + "/vistrel.new"));
    }

    // The image goes to a file as it arrives, and a body longer than announced is cut off
    // at once instead of being held whole (an image as large as the storage would be).
    void downloadStreamsToAFile_data() {
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<bool>("ok");
        const qint64 size = 8 << 20;
        QTest::newRow("as announced") << size << true;
        QTest::newRow("more than announced") << qint64(1000) << false;
    }
    void downloadStreamsToAFile() {
        QFETCH(qint64, announced);
        QFETCH(bool, ok);
        const QByteArray big = m_image.repeated(int((8 << 20) / m_image.size()) + 1).left(8 << 20);
        QVERIFY(testkit::writeFile(serverFile("us", "big-image"), big));
        const QString target = m_data->appDir() + "/download";
        qint64 received = -1;
        QCOMPARE(m_data->http().httpGetToFile("http://127.0.0.1:18082/v2/us/big-image", 30, target,
                                              announced, received),
                 ok);
        if (ok) {
            QCOMPARE(received, qint64(big.size()));
            QCOMPARE(testkit::readFile(target), big);
        } else {
            QVERIFY2(received < big.size(), qPrintable(QString::number(received)));
            QVERIFY(
                testkit::messages().contains("httpGetToFile: more than the 1000 bytes expected"));
        }
    }

    void longerThanAnnouncedIsRefused() {
        publish(
            QString("v2.7.0-R;vistrel-2.7.0;%1;%2").arg(m_image.size() - 1).arg(md5Upper(m_image)));
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        QVERIFY(!m_data->firmware().versionDownlod());
        QVERIFY(!QFile::exists(m_data->appDir() + "/vistrel.new"));
        QVERIFY(!QFile::exists(m_data->appDir() + "/vistrel.tmp"));
    }

    void lowerCaseDigestIsAccepted() {
        publish(QString("v2.7.0-R;vistrel-2.7.0;%1;%2")
                    .arg(m_image.size())
                    .arg(md5Upper(m_image).toLower()));
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        QVERIFY(m_data->firmware().versionDownlod());
        // Fetched over https:// unless the suite asked for plain HTTP.
        const QList<QJsonObject> requests = testkit::services::log("firmware");
        QVERIFY(!requests.isEmpty());
        for (const QJsonObject& r : requests)
            QCOMPARE(r["tls"].toBool(), testkit::serversUseTls());
    }

    // A size or digest that cannot be checked fails the check instead of being read as 0.
    void sizeAndDigestFields_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("md5");
        QTest::addColumn<int>("parsed"); // parseImageSize
        QTest::newRow("exponent") << "1e3" << md5Upper(m_image) << -1;
        QTest::newRow("empty") << "" << md5Upper(m_image) << -1;
        QTest::newRow("too large") << "99999999999" << md5Upper(m_image) << -1;
        QTest::newRow("past the limit") << "268435457" << md5Upper(m_image) << -1;
        QTest::newRow("zero") << "0" << md5Upper(m_image) << -1;
        QTest::newRow("signed") << "+12" << md5Upper(m_image) << -1;
        QTest::newRow("short digest") << "12" << md5Upper(m_image).left(31) << 12;
        QTest::newRow("not hexadecimal") << "12" << QString(32, 'g') << 12;
    }
    void sizeAndDigestFields() {
        QFETCH(QString, size);
        QFETCH(QString, md5);
        QFETCH(int, parsed);
        QCOMPARE(parseImageSize(size), parsed);
        publish("v2.7.0-R;vistrel-2.7.0;" + size + ";" + md5);
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::Failed);
        QCOMPARE(m_data->firmware().versionCheck("version_rent.txt"), VersionCheck::Failed);
        QVERIFY(m_data->firmware().newVersionFile().isEmpty());
    }

    // Whoever answers for the firmware host serves something else; each is refused before
    // anything is staged.
    void manInTheMiddle_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QByteArray>("signature");
        QTest::addColumn<bool>("matchingVersionFile");
        QTest::addColumn<QString>("why");
        const QByteArray evil = testkit::firmware::image(22000, 'e');
        const QByteArray good = testkit::firmware::sign(m_image, testkit::firmware::devKey());
        QTest::newRow("swapped image") << evil << good << false << "versionMD5Check failed";
        QTest::newRow("swapped image and version file")
            << evil << good << true << "versionDownlod: the signature is not by a trusted key";
        QTest::newRow("unsigned image")
            << evil << QByteArray() << true << "versionDownlod: no signature vistrel-2.7.0.sig";
        QTest::newRow("signature cut short")
            << m_image << good.left(63) << true
            << "versionDownlod: the signature has 63 bytes, not 64";
        QTest::newRow("signed by another key")
            << evil << testkit::firmware::sign(evil, testkit::firmware::makeKey(m_board->root()))
            << true << "versionDownlod: the signature is not by a trusted key";
    }
    void manInTheMiddle() {
        QFETCH(QByteArray, image);
        QFETCH(QByteArray, signature);
        QFETCH(bool, matchingVersionFile);
        QFETCH(QString, why);
        serve(image, signature);
        const QByteArray described = matchingVersionFile ? image : m_image;
        publish(
            QString("v2.7.0-R;vistrel-2.7.0;%1;%2").arg(described.size()).arg(md5Upper(described)));
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        QVERIFY(!m_data->firmware().versionDownlod());
        QVERIFY2(testkit::messages().contains(why), qPrintable(testkit::messages().join('\n')));
        QVERIFY(nothingStaged());
    }

    // Signed, but no program for this device.
    void imageHead_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("problem");
        const QByteArray elf = testkit::firmware::image(64);
        const firmware::Machine m = firmware::runningMachine();
        auto with = [&elf](int at, char value) {
            QByteArray b = elf;
            b[at] = value;
            return b;
        };
        QTest::newRow("this machine") << elf << "";
        QFile self(QCoreApplication::applicationFilePath()); // a real build for this machine
        QVERIFY(self.open(QIODevice::ReadOnly));
        QTest::newRow("this test's own executable") << self.read(64) << "";
        QTest::newRow("short") << elf.left(19) << "shorter than an ELF header";
        QTest::newRow("script") << QByteArray("#!/bin/sh\nrm -rf /\n").leftJustified(64)
                                << "not an ELF file";
        QTest::newRow("other class") << with(4, char(3 - m.elfClass))
                                     << QString("ELF class %1, this device runs class %2")
                                            .arg(3 - m.elfClass)
                                            .arg(m.elfClass);
        QTest::newRow("big-endian") << with(5, 2) << "not little-endian";
        QTest::newRow("object file") << with(16, 1) << "ELF type 1 is no executable";
        QTest::newRow("other machine")
            << with(18, char(m.elfMachine == 40 ? 62 : 40)).replace(19, 1, QByteArray(1, '\0'))
            << QString("built for ELF machine %1, this device is %2")
                   .arg(m.elfMachine == 40 ? 62 : 40)
                   .arg(m.elfMachine);
    }
    void imageHead() {
        QFETCH(QByteArray, head);
        QFETCH(QString, problem);
        QCOMPARE(firmware::imageHeadProblem(head), problem);
    }

    void signedForeignFileIsRefused() {
        const QByteArray script = QByteArray("#!/bin/sh\n").leftJustified(4000, '#');
        serve(script, testkit::firmware::sign(script, testkit::firmware::devKey()));
        publish(QString("v2.7.0-R;vistrel-2.7.0;%1;%2").arg(script.size()).arg(md5Upper(script)));
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        QVERIFY(!m_data->firmware().versionDownlod());
        QVERIFY(testkit::messages().contains("versionDownlod: the image is not an ELF file"));
        QVERIFY(nothingStaged());
    }

    // The publisher signs with openssl's command line (scripts/stage-update.sh); the device
    // verifies with the library. A second key in the list (a rotation) verifies too.
    void signatureOfTheCommandLine() {
        SKIP_WITHOUT_CHILD_PROCESSES();
        const QString file = m_board->root() + "/image";
        QVERIFY(testkit::writeFile(file, m_image));
        QCOMPARE(QProcess::execute("openssl", {"pkeyutl", "-sign", "-rawin", "-inkey",
                                               testkit::firmware::devKey(), "-in", file, "-out",
                                               file + ".sig"}),
                 0);
        const QByteArray signature = testkit::readFile(file + ".sig");
        const QByteArray other(32, '\x11');
        QVERIFY(firmware::fileSignedByOneOf(file, signature, firmware::trustedKeys()));
        QVERIFY(firmware::fileSignedByOneOf(file, signature,
                                            QList<QByteArray>{other} + firmware::trustedKeys()));
        QVERIFY(!firmware::fileSignedByOneOf(file, signature, {other}));
        QVERIFY(!firmware::fileSignedByOneOf(file, signature, {}));
        QVERIFY(testkit::writeFile(file, m_image + "x"));
        QVERIFY(!firmware::fileSignedByOneOf(file, signature, firmware::trustedKeys()));
    }

    void failedMoveIsReported() {
        publish(validVersion());
        QCOMPARE(m_data->firmware().versionCheck(), VersionCheck::NewVersion);
        // Something that cannot be replaced stands where the image goes.
        QVERIFY(QDir().mkpath(m_data->appDir() + "/vistrel.new/occupied"));
        QVERIFY(!m_data->firmware().versionDownlod());
        QVERIFY(testkit::messages().contains("versionCopy failed"));
    }

    void versionList() {
        QVERIFY(
            testkit::writeFile(serverFile("us", "versionList.txt"),
                               "version_a.txt\tRelease 2.7\nversion_b.txt\tRelease 2.6\textra\n"
                               "version_c.txt\tRelease 2.7\nno tab here\nversion_d.txt\tBeta\n"));
        QVERIFY(m_data->firmware().versionListGet());
        const auto entries = versionListEntries(m_data->firmware().versionList());
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[0].second, QString("Release 2.7"));
        QCOMPARE(entries[2].second, QString("Beta"));
        QCOMPARE(versionFileFor(m_data->firmware().versionList(), "Release 2.7"),
                 QString("version_a.txt"));
        QCOMPARE(versionFileFor(m_data->firmware().versionList(), "Release 2.6"), QString());
        // The named file is read without comparing versions.
        QVERIFY(testkit::writeFile(serverFile("us", "version_a.txt"),
                                   validVersion("v2.6.5-R").toUtf8()));
        QCOMPARE(m_data->firmware().versionCheck("version_a.txt"), VersionCheck::NewVersion);
        QCOMPARE(m_data->firmware().newVersionFile(), QString("vistrel-2.7.0"));
        QVERIFY(m_data->firmware().versionDownlod());
    }

    void regionFolder() {
        m_data->settings().store(CamCfg::Region, QString::number(2));
        QVERIFY(testkit::writeFile(serverFile("china", "versionList.txt"), "f\tChina build\n"));
        QVERIFY(m_data->firmware().versionListGet());
        QCOMPARE(firmwareRequests("/v2/china/versionList.txt"), 1);
        m_data->settings().store(CamCfg::Region, QString::number(3));
        QVERIFY(!m_data->firmware()
                     .versionListGet()); // Philippines reads the "us" folder, which has none
        QCOMPARE(firmwareRequests("/v2/us/versionList.txt"), 1);
    }

    void backgroundCheck() {
        const qint64 t0 = 1900000000;
        QVERIFY(board::setSystemClock(t0));
        m_data->firmware().timerVersionCheck(); // clock not set from the network yet: nothing
        QCOMPARE(firmwareRequests("/v2/us/version_rent.txt"), 0);
        m_data->clock().setTimeSynced(true);
        m_data->firmware()
            .timerVersionCheck(); // no version file: a failed check, tried again later
        QCOMPARE(firmwareRequests("/v2/us/version_rent.txt"), 1);
        QVERIFY(!m_data->firmware().versionChecked());
        publish(validVersion());
        QVERIFY(board::setSystemClock(t0 + 4));
        m_data->firmware().timerVersionCheck(); // at most every 4 s
        QCOMPARE(firmwareRequests("/v2/us/version_rent.txt"), 1);
        QVERIFY(board::setSystemClock(t0 + 5));
        m_data->firmware().timerVersionCheck();
        QCOMPARE(firmwareRequests("/v2/us/version_rent.txt"), 2);
        QVERIFY(m_data->firmware().versionChecked());
        QVERIFY(m_data->firmware().newVersion());
        QVERIFY(board::setSystemClock(t0 + 60));
        m_data->firmware().timerVersionCheck(); // answered once: no more checks
        QCOMPARE(firmwareRequests("/v2/us/version_rent.txt"), 2);
    }
};

QTEST_GUILESS_MAIN(TstFirmware)
#include "tst_firmware.moc"
