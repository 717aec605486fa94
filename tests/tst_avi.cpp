// The AVI writer, read back by an independent RIFF reader (tests/tools/riff_dump.py).
#include "capture/avilib.h"
#include "testkit/board_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <unistd.h>

class TstAvi : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    // One file per test function: the writer does not truncate until it closes.
    QString path() const { return m_dir.path() + "/" + QTest::currentTestFunction() + ".avi"; }

    static QJsonObject dump(const QString& file) {
        QProcess p;
        p.start("/usr/bin/python3", {VISTREL_SOURCE_DIR "/tests/tools/riff_dump.py", file});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            qWarning() << p.readAllStandardError();
        return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    }

    static AviFile* openVideo(const QString& file) {
        AviFile* avi = AVI_open_output_file(file.toUtf8().constData());
        if (avi)
            AVI_set_video(avi, 1920, 1080, 15.0, "H264");
        return avi;
    }

private slots:
    void zeroFrameFile() {
        SKIP_WITHOUT_CHILD_PROCESSES(); // the independent reader
        AviFile* avi = openVideo(path());
        QVERIFY(avi);
        QCOMPARE(AVI_close(avi), 0);
        const QByteArray bytes = testkit::readFile(path());
        QCOMPARE(bytes.size(), 2056);
        const QJsonObject d = dump(path());
        QCOMPARE(d["riff"].toString(), QString("RIFF"));
        QCOMPARE(d["form"].toString(), QString("AVI "));
        QCOMPARE(d["riff_size"].toInt(), 2048);
        QCOMPARE(d["movi_size"].toInt(), 4);
        QCOMPARE(d["avih"].toObject()["frames"].toInt(), 0);
        QCOMPARE(d["avih"].toObject()["flags"].toInt(), 0x110);
        QCOMPARE(d["frames"].toArray().size(), 0);
        QCOMPARE(d["index"].toArray().size(), 0);
        // Top level as laid out: hdrl list, INFO list, JUNK, movi list, idx1.
        const QJsonArray top = d["top"].toArray();
        QCOMPARE(top.size(), 5);
        QCOMPARE(top[0].toObject()["at"].toInt(), 12);
        QCOMPARE(top[1].toObject()["list"].toString(), QString("INFO"));
        QCOMPARE(top[1].toObject()["at"].toInt(), 212);
        QCOMPARE(top[2].toObject()["tag"].toString(), QString("JUNK"));
        QCOMPARE(top[2].toObject()["size"].toInt(), 1732);
        QCOMPARE(top[3].toObject()["at"].toInt(), 2036);
        QCOMPARE(top[4].toObject()["tag"].toString(), QString("idx1"));
    }

    void headerAndFrames() {
        SKIP_WITHOUT_CHILD_PROCESSES(); // the independent reader
        AviFile* avi = openVideo(path());
        QVERIFY(avi);
        const QByteArray odd(1001, 'a'), even(2000, 'b'), tiny(1, 'c');
        QCOMPARE(AVI_write_frame(avi, odd.constData(), odd.size(), 1), 0);
        QCOMPARE(AVI_write_frame(avi, even.constData(), even.size(), 0), 0);
        QCOMPARE(AVI_write_frame(avi, tiny.constData(), tiny.size(), 0), 0);
        QCOMPARE(AVI_close(avi), 0);

        const QJsonObject d = dump(path());
        const QJsonObject avih = d["avih"].toObject();
        QCOMPARE(avih["us_per_frame"].toInt(), 66667);
        QCOMPARE(avih["frames"].toInt(), 3);
        QCOMPARE(avih["streams"].toInt(), 1);
        QCOMPARE(avih["width"].toInt(), 1920);
        QCOMPARE(avih["height"].toInt(), 1080);
        const QJsonObject strh = d["strh"].toObject();
        QCOMPARE(strh["type"].toString(), QString("vids"));
        QCOMPARE(strh["handler"].toString(), QString("H264"));
        QCOMPARE(strh["scale"].toInt(), 1000000);
        QCOMPARE(strh["rate"].toInt(), 15000000);
        QCOMPARE(strh["length"].toInt(), 3);
        const QJsonObject strf = d["strf"].toObject();
        QCOMPARE(strf["compression"].toString(), QString("H264"));
        QCOMPARE(strf["bits"].toInt(), 24);
        QCOMPARE(strf["image_size"].toInt(), 1920 * 1080 * 3);

        const QJsonArray frames = d["frames"].toArray();
        QCOMPARE(frames.size(), 3);
        // 2048: 1001 bytes + 1 pad; next at an even offset.
        QCOMPARE(frames[0].toObject()["at"].toInt(), 2048);
        QCOMPARE(frames[0].toObject()["size"].toInt(), 1001);
        QCOMPARE(frames[0].toObject()["pad"].toInt(), 0);
        QCOMPARE(frames[1].toObject()["at"].toInt(), 2048 + 8 + 1002);
        QCOMPARE(frames[2].toObject()["at"].toInt(), 2048 + 8 + 1002 + 8 + 2000);
        const int moviEnd = 2048 + 8 + 1002 + 8 + 2000 + 8 + 2;
        QCOMPARE(d["movi_size"].toInt(), moviEnd - 2044);
        const QJsonArray index = d["index"].toArray();
        QCOMPARE(index.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(index[i].toObject()["offset"].toInt(), frames[i].toObject()["at"].toInt());
            QCOMPARE(index[i].toObject()["size"].toInt(), frames[i].toObject()["size"].toInt());
            QCOMPARE(index[i].toObject()["tag"].toString(), QString("00db"));
        }
        QCOMPARE(index[0].toObject()["flags"].toInt(), 0x10);
        QCOMPARE(index[1].toObject()["flags"].toInt(), 0);
        QCOMPARE(d["file_size"].toInt(), moviEnd + 8 + 3 * 16);
        QCOMPARE(d["riff_size"].toInt(), d["file_size"].toInt() - 8);
    }

    void provisionalHeaderWhileRecording() {
        AviFile* avi = openVideo(path());
        QVERIFY(avi);
        const QByteArray frame(100, 'x');
        QCOMPARE(AVI_write_frame(avi, frame.constData(), frame.size(), 1), 0);
        // As a power loss would leave it: the header area says "still recording".
        const QByteArray bytes = testkit::readFile(path());
        auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
        QCOMPARE(u32(4), 4278185987u);
        QCOMPARE(bytes.mid(212, 4), QByteArray("JUNK"));
        QCOMPARE(u32(216), 1816u);
        QCOMPARE(bytes.mid(2036, 4), QByteArray("LIST"));
        QCOMPARE(u32(2040), 4278185987u);
        QCOMPARE(u32(24 + 8 + 12), 0x110u); // avih flags
        QCOMPARE(u32(24 + 8 + 16), 0u);     // total frames
        QCOMPARE(bytes.size(), 2048 + 8 + 100);
        QCOMPARE(AVI_close(avi), 0);
    }

    void longerOldFileIsCut() {
        QVERIFY(testkit::writeFile(path(), QByteArray(100000, 'z')));
        AviFile* avi = openVideo(path());
        QVERIFY(avi);
        const QByteArray frame(10, 'f');
        QCOMPARE(AVI_write_frame(avi, frame.constData(), frame.size(), 1), 0);
        QCOMPARE(AVI_close(avi), 0);
        QCOMPARE(QFileInfo(path()).size(), qint64(2048 + 18 + 8 + 16));
        QVERIFY(!testkit::readFile(path()).contains('z'));
    }

    void indexGrowsInSteps() {
        SKIP_WITHOUT_CHILD_PROCESSES(); // the independent reader
        AviFile* avi = openVideo(path());
        QVERIFY(avi);
        const char byte = 7;
        for (int i = 0; i < 4097; ++i)
            QCOMPARE(AVI_write_frame(avi, &byte, 1, i % 30 == 0), 0);
        QCOMPARE(avi->idx.size(), size_t(4097));
        QCOMPARE(avi->idx.capacity(), size_t(2 * AVI_INDEX_STEP));
        QCOMPARE(AVI_close(avi), 0);
        const QJsonObject d = dump(path());
        QCOMPARE(d["index"].toArray().size(), 4097);
        QCOMPARE(d["index"].toArray()[4096].toObject()["offset"].toInt(), 2048 + 4096 * 10);
        QCOMPARE(d["avih"].toObject()["frames"].toInt(), 4097);
    }

    // Frames near the 4 GiB limit are written at file offsets past 2 GiB, which 32-bit ARM
    // reaches only with 64-bit offsets. The file is read back against one written plainly
    // (which headerAndFrames checks with the independent reader), so this case needs no
    // child process and runs under emulation too.
    void sizeLimitRefusesTheFrame() {
        const QByteArray frame(64, 'q');
        const QString plain = path() + ".plain";
        AviFile* ref = openVideo(plain);
        QVERIFY(ref);
        QCOMPARE(AVI_write_frame(ref, frame.constData(), frame.size(), 1), 0);
        QCOMPARE(AVI_close(ref), 0);

        AviFile* avi = openVideo(path());
        QVERIFY(avi);
        QCOMPARE(AVI_write_frame(avi, frame.constData(), frame.size(), 1), 0);
        const int64_t realPos = avi->pos;
        // Pretend the file has grown to just below the limit.
        avi->pos = AVI_MAX_LEN - (8 + 64 + 8 + 16 * 2) + 1;
        AVI_errno = 0;
        QCOMPARE(AVI_write_frame(avi, frame.constData(), frame.size(), 0), -1);
        QCOMPARE(AVI_errno, int(AVI_ERR_SIZELIM));
        QCOMPARE(avi->idx.size(), size_t(1)); // neither written nor indexed
        avi->pos -= 1;                        // exactly at the limit is still allowed
        const qint64 at = avi->pos;
        QCOMPARE(AVI_write_frame(avi, frame.constData(), 0, 0), 0);
        QCOMPARE(QFileInfo(path()).size(), at + 8); // its chunk header landed there
        avi->idx.pop_back();
        avi->video_frames = 1;
        avi->pos = realPos;
        QCOMPARE(AVI_close(avi), 0);
        QCOMPARE(testkit::readFile(path()), testkit::readFile(plain)); // cut back to one frame
    }

    void readModeRefusesWrites() {
        AviFile* avi = openVideo(path());
        QVERIFY(avi);
        avi->mode = 1;
        AVI_errno = 0;
        QCOMPARE(AVI_write_frame(avi, "ab", 2, 0), -1);
        QCOMPARE(AVI_errno, int(AVI_ERR_NOT_PERM));
        avi->mode = 0;
        QCOMPARE(AVI_close(avi), 0);
    }

    void openFailure() {
        AVI_errno = 0;
        QVERIFY(!AVI_open_output_file("/nonexistent-folder/x.avi"));
        QCOMPARE(AVI_errno, int(AVI_ERR_OPEN));
        QCOMPARE(QString::fromStdString(AVI_strerror()),
                 QString("avilib - Error opening AVI file - No such file or directory"));
    }

    void errorTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "avilib - No Error";
        QTest::newRow("1") << 1 << "avilib - AVI file size limit reached";
        QTest::newRow("7") << 7 << "avilib - Operation (read/write) not permitted";
        QTest::newRow("8") << 8 << "avilib - Out of memory (malloc failed)";
        QTest::newRow("13") << 13 << "avilib - operation needs an index";
        QTest::newRow("14") << 14 << "avilib - Unkown Error";
        QTest::newRow("99 reads entry 14") << 99 << "avilib - Unkown Error";
    }

    void errorTexts() {
        QFETCH(int, code);
        QFETCH(QString, text);
        AVI_errno = code;
        QCOMPARE(QString::fromStdString(AVI_strerror()), text);
    }

    void systemErrorJoinsCodes2To6() {
        AVI_errno = AVI_ERR_WRITE;
        errno = ENOSPC;
        QCOMPARE(QString::fromStdString(AVI_strerror()),
                 QString("avilib - Error writing to AVI file - No space left on device"));
    }

    void compressorRgbIsZero() {
        SKIP_WITHOUT_CHILD_PROCESSES(); // the independent reader
        AviFile* avi = AVI_open_output_file(path().toUtf8().constData());
        QVERIFY(avi);
        AVI_set_video(avi, 2, 2, 0.0, "RGB2");
        QCOMPARE(QByteArray(avi->compressor, 4), QByteArray(4, '\0'));
        QCOMPARE(AVI_close(avi), 0);
        const QJsonObject d = dump(path());
        QCOMPARE(d["avih"].toObject()["us_per_frame"].toInt(), 0); // fps 0
        QCOMPARE(d["strh"].toObject()["rate"].toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TstAvi)
#include "tst_avi.moc"
