// Capture pipeline on the virtual board: camera device, preview conversion, encoder output,
// frame queue and whole recordings through both threads, checked with ffprobe and ffmpeg.
#include "app/gdata.h"
#include "capture/avilib.h"
#include "capture/camera_retry.h"
#include "capture/capture_session.h"
#include "capture/capture_threads.h"
#include "capture/cedarxutil.h"
#include "capture/preview_convert.h"
#include "capture/v4l2_device.h"
#include "core/settings.h"
#include "knobs.h"
#include "platform/board.h"
#include "platform/vencoder.h"
#include "testkit/testkit.h"
#include "virtual_board.h"

#include <QDir>
#include <QMutex>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <vector>

namespace {

// The names of this process's threads, as the kernel keeps them.
QStringList threadNames() {
    QStringList names;
    for (const QString& tid :
         QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm("/proc/self/task/" + tid + "/comm");
        if (comm.open(QIODevice::ReadOnly))
            names << QString::fromUtf8(comm.readAll()).trimmed();
    }
    return names;
}

QList<int> g_restarts;
void recordRestart(int code) {
    g_restarts << code;
}

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr,
            QString* err = nullptr) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    if (exitCode)
        *exitCode = p.exitCode();
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// ffprobe reads the file as 1920 x 1080 H.264 with `frames` frames (in real time; at least
// one otherwise), and ffmpeg decodes it without a single error line.
void expectCleanH264(const QString& file, int frames) {
    int code = -1;
    QString err;
    const QString probe =
        run("ffprobe",
            {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
             "stream=codec_name,width,height,nb_read_frames", "-of", "csv=p=0", file},
            &code, &err);
    QCOMPARE(code, 0);
    if (testkit::kRealTime) {
        QCOMPARE(probe.trimmed(), QString("h264,1920,1080,%1").arg(frames));
    } else {
        const QStringList fields = probe.trimmed().split(',');
        QCOMPARE(fields.mid(0, 3), (QStringList{"h264", "1920", "1080"}));
        QVERIFY2(fields.value(3).toInt() >= 1 && fields.value(3).toInt() <= frames,
                 qPrintable(probe));
    }
    run("ffmpeg", {"-v", "error", "-i", file, "-f", "null", "-"}, &code, &err);
    QCOMPARE(code, 0);
    QVERIFY2(err.isEmpty(), qPrintable(err));
}

// The container and the H.264 stream inside it agree on the timing: 15 frames a second.
void expectRecordingTiming(const QString& avi) {
    int code = -1;
    const QStringList rate = {"-v",  "error",         "-select_streams",
                              "v:0", "-show_entries", "stream=r_frame_rate",
                              "-of", "csv=p=0"};
    QCOMPARE(run("ffprobe", rate + QStringList{avi}, &code).trimmed(), QString("15/1"));
    QTemporaryDir dir;
    const QString stream = dir.path() + "/stream.h264";
    run("ffmpeg", {"-v", "error", "-i", avi, "-c:v", "copy", "-f", "h264", stream}, &code);
    QCOMPARE(code, 0);
    QCOMPARE(run("ffprobe", rate + QStringList{stream}, &code).trimmed(), QString("15/1"));
}

// A frame whose luma has detail the encoder has to spend bits on.
std::vector<unsigned char> testFrame(int w, int h, int seed) {
    std::vector<unsigned char> f(size_t(w) * h * 3 / 2, 128);
    QRandomGenerator rng(static_cast<quint32>(seed));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f[size_t(y) * w + x] =
                static_cast<unsigned char>((x + y + seed * 7) / 4 % 200 + rng.bounded(24));
    return f;
}

} // namespace

class TstCapture : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    std::unique_ptr<testkit::DataFixture> m_fx;

    // GData on the test's board, made after the test set its knobs.
    GData* makeData() {
        m_fx = std::make_unique<testkit::DataFixture>(*m_board);
        return &m_fx->data();
    }

private slots:
    void init() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        testkit::captureMessages();
        g_restarts.clear();
        setCameraRestartAction(recordRestart);
    }

    void cleanup() {
        testkit::releaseMessages();
        m_fx.reset();
    }

    void openFailures_data() {
        QTest::addColumn<QString>("knob");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("one buffer granted") << "camera_buffers"
                                            << "1"
                                            << "ioctl VIDIOC_REQBUFS error";
        QTest::newRow("six buffers granted") << "camera_buffers"
                                             << "6"
                                             << "ioctl VIDIOC_REQBUFS error";
        QTest::newRow("no device") << "camera_open_fail"
                                   << "1"
                                   << "open_device FAIL";
    }

    void openFailures() {
        QFETCH(QString, knob);
        QFETCH(QString, value);
        QFETCH(QString, message);
        auto d = makeData();
        vboard::setKnob(knob, value);
        QVERIFY(!d->capture().V4l2DeviceOpen());
        QVERIFY(!d->capture().cameraOpened());
        const QStringList log = testkit::takeMessages();
        QVERIFY2(log.contains(message), qPrintable(log.join('\n')));
        QVERIFY(log.contains("m_pV4l2Device open_device Error!"));
        d->capture().V4l2DeviceClose();
        QVERIFY(!d->capture().device());
        QVERIFY(!d->capture().V4l2DevicePullFrame());
        QCOMPARE(d->capture().V4l2DevicePushFrame(), -1);
    }

    void twoToFiveBuffersAreAccepted() {
        auto d = makeData();
        vboard::setKnob(knobs::kCameraBuffers, "2");
        QVERIFY(d->capture().V4l2DeviceOpen());
        QCOMPARE(d->capture().device()->bufferCount(), 2u);
        QVERIFY(d->capture().V4l2DevicePullFrame());
        QCOMPARE(d->capture().frameLength(), 1920 * 1080 * 3 / 2);
        QVERIFY(d->capture().frame());
        QCOMPARE(d->capture().V4l2DevicePushFrame(), 0);
        // A second open touches nothing.
        V4l2Device* device = d->capture().device();
        testkit::takeMessages();
        QVERIFY(d->capture().V4l2DeviceOpen());
        QCOMPARE(d->capture().device(), device);
        QVERIFY(testkit::takeMessages().isEmpty());
        d->capture().V4l2DeviceClose();
    }

    void openNegotiatesAndLogs() {
        auto d = makeData();
        QVERIFY(d->capture().V4l2DeviceOpen());
        const QStringList log = testkit::takeMessages();
        for (const char* line :
             {"Device /dev/video: supports capture.", "Device /dev/video: supports streaming.",
              "\t1.YUV 4:2:0 (NV21)", "pix.pixelformat:\tNV21", "numerator:1\ndenominator:30",
              "set exposure control : 225\n", "set gain control : 1\n", "Open device success",
              "Start capture......"})
            QVERIFY2(log.contains(line), line);
        QCOMPARE(d->capture().device()->get_exposure(), 225);
        d->capture().device()->set_gain(7);
        QCOMPARE(d->capture().device()->get_gain(), 7);
        d->capture().V4l2DeviceClose();
        QVERIFY(testkit::takeMessages().contains("Close device success"));
    }

    void pushBeforePull() {
        V4l2Device device(1920, 1080);
        QCOMPARE(device.push_frame(), -1);
        QVERIFY(testkit::takeMessages().contains("push_frame error"));
    }

    // Each device stands for one run of the application: the second failure in a row asks
    // for one restart, later failures of that run only wait (they used to spend the second
    // credit at once and log every try); the board allows two restarts per boot.
    void dequeueFailuresRestartTwicePerBoot() {
        makeData(); // the retry counter's owner
        vboard::setKnob(knobs::kCameraDqbufFail, "1");
        const QString counter = m_board->root() + "/tmp/camera.txt";
        QVERIFY(!QFile::exists(counter));
        auto pull = [](V4l2Device& device) {
            void *start = nullptr, *phys = nullptr;
            int tag = 0, length = 0;
            return device.pull_frame(&start, &phys, &tag, &length, true);
        };
        const QList<QByteArray> counts{"1", "0", "0"};
        for (int run = 0; run < 3; ++run) {
            V4l2Device device(1920, 1080);
            QCOMPARE(device.open_device(), 0);
            QCOMPARE(device.start_capture(), 0);
            testkit::takeMessages();
            QCOMPARE(pull(device), -1); // one failure only logs
            QCOMPARE(g_restarts.size(), qMin(run, 2));
            for (int i = 0; i < 5; ++i)
                QCOMPARE(pull(device), -1);
            QCOMPARE(g_restarts, QList<int>(qMin(run + 1, 2), 1));
            QCOMPARE(testkit::readFile(counter), counts[run]);
            const QStringList log = testkit::takeMessages();
            QCOMPARE(log.count("ioctl VIDIOC_DQBUF error"), 2);
            QCOMPARE(log.count("too much VIDIOC_DQBUF error, restart device"), 1);
            QCOMPARE(log.count(QString("RetryCount: %1").arg(2 - run)), 1);
            QCOMPARE(log.count("camera: no restart left since the board started; it stays off"),
                     run == 2 ? 1 : 0);
            device.stop_capture();
            device.close_device();
        }

        // A good frame ends the run of failures.
        V4l2Device device(1920, 1080);
        QCOMPARE(device.open_device(), 0);
        QCOMPARE(device.start_capture(), 0);
        QCOMPARE(pull(device), -1);
        vboard::setKnob(knobs::kCameraDqbufFail, "0");
        QCOMPARE(pull(device), 0);
        QCOMPARE(device.push_frame(), 0);
        vboard::setKnob(knobs::kCameraDqbufFail, "1");
        QCOMPARE(pull(device), -1);
        QCOMPARE(g_restarts.size(), 2);
        device.stop_capture();
        device.close_device();
    }

    void framesOfARecording_data() {
        QTest::addColumn<int>("ledLoop");
        QTest::addColumn<qint64>("frames");
        QTest::newRow("default") << 5 << qint64(90);
        QTest::newRow("none") << 0 << qint64(0);
        QTest::newRow("largest stored value") << INT_MAX << qint64(INT_MAX) * 18;
    }
    void framesOfARecording() {
        QFETCH(int, ledLoop);
        QFETCH(qint64, frames);
        QCOMPARE(recordingFrames(ledLoop), frames);
    }

    void retryCounterFile_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("count");
        QTest::newRow("missing") << QByteArray() << false << 2;
        QTest::newRow("number") << QByteArray(" 1\n") << true << 1;
        QTest::newRow("zero") << QByteArray("0") << true << 0;
        QTest::newRow("not a number") << QByteArray("x") << true << 2;
        QTest::newRow("empty") << QByteArray("") << true << 2;
    }

    void retryCounterFile() {
        QFETCH(QByteArray, contents);
        QFETCH(bool, exists);
        QFETCH(int, count);
        auto d = makeData(); // on its own board
        if (exists)
            QVERIFY(testkit::writeFile(m_board->root() + "/tmp/camera.txt", contents));
        Q_UNUSED(d);
        QCOMPARE(getCameraRetryCount(), count);
    }

    void conversion() {
        const unsigned w = 1920, h = 1080, outW = 880, outH = 330;
        std::vector<unsigned char> src(w * h * 3 / 2), dst(size_t(w) * h * 2, 1);

        // A height of 0 copies the luma plane and writes no pixel.
        std::fill(src.begin(), src.end(), 77);
        PreviewStats s = convertPreview(src.data(), dst.data(), w, h, outW, 0);
        QCOMPARE(s.lumaMean, 0u);
        QCOMPARE(s.lumaGradient, 0u);
        QCOMPARE(dst[0], 1);
        QCOMPARE(dst[size_t(w) * h], 77);
        // A single row: no pixel has its neighbour one row up, so there are no figures (the
        // means used to divide by zero), but the image is made.
        s = convertPreview(src.data(), dst.data(), w, h, outW, 1);
        QCOMPARE(s.lumaMean, 0u);
        QCOMPARE(s.lumaGradient, 0u);
        QCOMPARE(dst[outW - 1], 77);
        // Images that do not fit the frame at their step are not made (they used to be
        // read from past the luma copy): wider than the frame, or rows beyond its last.
        for (const auto& [ow, oh] :
             {std::pair{w + 1, 1u}, std::pair{1u, 2u}, std::pair{880u, 541u}}) {
            dst[0] = 1;
            s = convertPreview(src.data(), dst.data(), w, h, ow, oh);
            QCOMPARE(s.lumaMean, 0u);
            QCOMPARE(dst[0], 1);
        }

        // Uniform frame: its value, no gradient.
        s = convertPreview(src.data(), dst.data(), w, h, outW, outH);
        QCOMPARE(s.lumaMean, 77u);
        QCOMPARE(s.lumaGradient, 0u);

        // Luma alternating every second row and column: only even rows and columns are
        // sampled, so the image is one value.
        for (unsigned y = 0; y < h; ++y)
            for (unsigned x = 0; x < w; ++x)
                src[y * w + x] = (y % 2 == 0 && x % 2 == 0) ? 200 : (x % 2 ? 0 : 255);
        s = convertPreview(src.data(), dst.data(), w, h, outW, outH);
        QCOMPARE(s.lumaMean, 200u);
        QCOMPARE(s.lumaGradient, 0u);
        QVERIFY(std::all_of(dst.begin(), dst.begin() + outW * outH,
                            [](unsigned char v) { return v == 200; }));

        // The picture is the top-left 1760 x 660 region, halved.
        std::fill(src.begin(), src.begin() + w * h, 0);
        src[658 * w + 1758] = 90; // sampled: last row and column of the image
        src[660 * w + 0] = 255;   // outside the image
        s = convertPreview(src.data(), dst.data(), w, h, outW, outH);
        QCOMPARE(dst[329 * outW + 879], 90);
        // Mean over the counted pixels; the gradient sees 90 against its dark neighbour.
        const uint64_t counted = uint64_t(outW) * outH - outW - 1;
        QCOMPARE(s.lumaMean, unsigned(90 / counted));
        QCOMPARE(s.lumaGradient, unsigned(90 * 90 / counted));
    }

    // Every geometry, both paths, against the conversion written out pixel by pixel.
    void conversionMatchesReference_data() {
        QTest::addColumn<unsigned>("w");
        QTest::addColumn<unsigned>("h");
        QTest::addColumn<unsigned>("outW");
        QTest::addColumn<unsigned>("outH");
        QTest::newRow("camera 1080p") << 1920u << 1080u << 880u << 330u;
        QTest::newRow("tallest image") << 1920u << 1080u << 880u << 540u;
        QTest::newRow("width not a multiple of 16") << 100u << 40u << 37u << 11u;
        QTest::newRow("odd width, step 2") << 61u << 9u << 30u << 5u;
        QTest::newRow("32 + 16 + 12 wide") << 130u << 20u << 60u << 9u;
        QTest::newRow("64 + 16 + 5 wide") << 170u << 12u << 85u << 5u;
        QTest::newRow("step 3") << 90u << 60u << 30u << 20u;
        QTest::newRow("step 1") << 48u << 8u << 48u << 8u;
        QTest::newRow("two rows") << 64u << 4u << 32u << 2u;
        QTest::newRow("one column") << 8u << 24u << 1u << 3u;
        // Rows of more than 512 steps of 16 pixels: the kernels' 16-bit sums are folded.
        QTest::newRow("8337 wide") << 16674u << 7u << 8337u << 4u;
    }

    void conversionMatchesReference() {
        QFETCH(unsigned, w);
        QFETCH(unsigned, h);
        QFETCH(unsigned, outW);
        QFETCH(unsigned, outH);
        const size_t n = size_t(w) * h;
        std::vector<unsigned char> src(n * 3 / 2);
        QRandomGenerator rng(w * 7919 + outH);
        const unsigned step = w / outW;
        for (int trial = 0; trial < 4; ++trial) {
            for (size_t i = 0; i < src.size(); ++i) {
                src[i] = static_cast<unsigned char>(rng.bounded(256));
                if (trial == 2 && i < n) // the sampled rows alternate: the largest differences
                    src[i] = (i / w / step) % 2 ? 255 : 0;
                if (trial == 3 && i < n) // the largest sums
                    src[i] = 255;
            }
            // The reference: each pixel sampled from the copy, then counted against the
            // pixel written outW + 1 before it.
            std::vector<unsigned char> want(n * 2, 9);
            std::memcpy(want.data() + n, src.data(), n);
            uint64_t sum = 0, squares = 0, count = 0;
            for (size_t i = 0; i < size_t(outW) * outH; ++i) {
                want[i] = want[n + (i / outW) * step * w + (i % outW) * step];
                if (i > outW) {
                    const int64_t d = int64_t(want[i - outW - 1]) - want[i];
                    sum += want[i];
                    squares += uint64_t(d * d);
                    ++count;
                }
            }
            for (auto k : kPreviewKernels) {
                if (!previewKernelAvailable(k))
                    continue;
                std::vector<unsigned char> dst(n * 2, 9);
                const PreviewStats s =
                    convertPreviewWith(k, src.data(), dst.data(), w, h, outW, outH);
                const char* kernel = previewKernelName(k);
                QVERIFY2(s.lumaMean == (count ? unsigned(sum / count) : 0u), kernel);
                QVERIFY2(s.lumaGradient == (count ? unsigned(squares / count) : 0u), kernel);
                QVERIFY2(dst == want, kernel);
            }
        }
    }

    // The emulated runs know the processor they emulate, and so which kernels the reference
    // test above must have run.
    void kernelsOfTheProcessor() {
        const QByteArray expected = qgetenv("VISTREL_EXPECT_KERNELS");
        if (expected.isEmpty())
            QSKIP("only the emulated runs know which kernels to expect");
        QByteArrayList available;
        for (auto k : kPreviewKernels)
            if (previewKernelAvailable(k))
                available << previewKernelName(k);
        QCOMPARE(available.join(','), expected);
    }

    void queueBounds() {
        auto d = makeData();
        std::vector<int> items(30);
        for (int i = 0; i < 29; ++i)
            QCOMPARE(OSAL_Queue(&d->capture().queue(), &items[size_t(i)]), 0);
        QCOMPARE(OSAL_Queue(&d->capture().queue(), &items[29]), -1); // 29 usable of 30
        for (int i = 0; i < 29; ++i)
            QCOMPARE(OSAL_Dequeue(&d->capture().queue()), static_cast<void*>(&items[size_t(i)]));
        QVERIFY(!OSAL_Dequeue(&d->capture().queue()));
        QVERIFY(!d->capture().H264Dequeue());
        QVERIFY(!d->capture().dequeuedFrame());
        testkit::takeMessages();
        d->capture().H264Emptyqueue();
        QCOMPARE(testkit::takeMessages(), QStringList{"H264Emptyqueue ok!"});
    }

    void enqueueDropsWhenTheRecordingIsOver() {
        auto d = makeData();
        d->capture().setEncoded(10, 1);
        d->capture().setState(CameraState(2));
        for (int i = 0; i < 29; ++i)
            d->capture().H264Enqueue();
        QCOMPARE(OSAL_GetElemNum(&d->capture().queue()), 29);
        d->capture().setState(
            CameraState(3)); // nobody will drain: the frame is dropped, not spun on
        d->capture().H264Enqueue();
        QCOMPARE(OSAL_GetElemNum(&d->capture().queue()), 29);
        QVERIFY(d->capture().H264Dequeue());
        QCOMPARE(d->capture().dequeuedFrame()->size, 10);
        QCOMPARE(d->capture().dequeuedFrame()->key, 1);
        d->capture().dropDequeued();
        testkit::takeMessages();
        d->capture().H264Emptyqueue();
        QCOMPARE(testkit::takeMessages().count("H264Dequeue ok!"), 28);
    }

    // Key frames begin with the stream header; every frame starts with a four-byte start
    // code; the bytes of all frames form a stream that ffmpeg decodes without an error,
    // also when frames came out of the encoder in two parts.
    void encoderOutputLayout() {
        vboard::setKnob(knobs::kEncoderRingKib, "768");
        const int w = 1920, h = 1080;
        cedarxutil enc(w, h, w, h);
        enc.StartH264CedarX();
        QVERIFY(enc.isOpen());
        std::vector<unsigned char> out(size_t(w) * h / 2);
        QByteArray stream;
        int keys = 0;
        const int frames = 35;
        for (int i = 0; i < frames; ++i) {
            std::vector<unsigned char> frame = testFrame(w, h, i);
            unsigned char key = 9;
            int len = 0;
            QCOMPARE(enc.H264_proc_frame_phy(frame.data(), nullptr, out.data(), &key, &len), 1);
            QVERIFY(len > 5);
            QCOMPARE(QByteArray(reinterpret_cast<char*>(out.data()), 4), QByteArray("\0\0\0\1", 4));
            const int nalType = out[4] & 0x1F;
            if (key) {
                ++keys;
                QCOMPARE(nalType, 7); // SPS first
                QVERIFY(QByteArray(reinterpret_cast<char*>(out.data()), len)
                            .contains(QByteArray("\0\0\1\x65", 4)) ||
                        QByteArray(reinterpret_cast<char*>(out.data()), len)
                            .contains(QByteArray("\0\0\1\x25", 4)));
            } else {
                QCOMPARE(key, 0);
                QCOMPARE(nalType, 1);
            }
            // The chroma plane was overwritten with gray.
            QVERIFY(std::all_of(frame.begin() + w * h, frame.end(),
                                [](unsigned char v) { return v == 128; }));
            stream.append(reinterpret_cast<char*>(out.data()), len);
        }
        enc.CloseCedarX();
        QCOMPARE(keys, 2); // frames 0 and 30

        const QString file = m_board->root() + "/tmp/frames.h264";
        QVERIFY(testkit::writeFile(file, stream));
        expectCleanH264(file, frames);
        if (QTest::currentTestFailed())
            return;
    }

    // The encoder API itself: with a small ring some frames come in two parts.
    void encoderHandsOutTwoParts() {
        vboard::setKnob(knobs::kEncoderRingKib, "768");
        VideoEncoder* e = VideoEncCreate(VENC_CODEC_H264);
        QVERIFY(e);
        VencBaseConfig config{1920, 1080, 1920, 1080, 1920, 0, MemAdapterGetOpsS(), {4, 0, 0}};
        QCOMPARE(VideoEncInit(e, &config), 0);
        VencHeader header{nullptr, 0};
        QCOMPARE(VideoEncGetParameter(e, VENC_PARAM_HEADER, &header), 0);
        QVERIFY(header.length > 8);
        int split = 0;
        for (int i = 0; i < 40; ++i) {
            std::vector<unsigned char> frame = testFrame(1920, 1080, i);
            VencInputBuffer in{0, 0, frame.data(), frame.data() + 1920 * 1080};
            QCOMPARE(AddOneInputBuffer(e, &in), 0);
            QCOMPARE(VideoEncodeOneFrame(e), 0);
            VencOutputBuffer out{};
            QCOMPARE(GetOneBitstreamFrame(e, &out), 0);
            QVERIFY(out.size0 >= 5);
            if (out.size1)
                ++split;
            QCOMPARE(FreeOneBitStreamFrame(e, &out), 0);
        }
        VencOutputBuffer none{};
        QCOMPARE(GetOneBitstreamFrame(e, &none), -1);
        VideoEncDestroy(e);
        QVERIFY(split > 0);
    }

    // Whole recordings through both threads, as the device makes them: the start-up
    // recording first, then one asked for the way the photo button asks.
    void recordings() {
        auto d = makeData();
        CameraThread pump(d->capture());
        VideoThread sequencer(d->capture());
        QSignalSpy recorded(&sequencer, &VideoThread::video_thread_signal);
        QSignalSpy previews(&pump, &CameraThread::camera_thread_signal);
        pump.start();
        sequencer.start();
        auto stop = qScopeGuard([&] {
            pump.requestInterruption();
            sequencer.requestInterruption();
            pump.wait();
            sequencer.wait();
            d->capture().V4l2DeviceClose();
        });

        // Start-up recording: 2 -> 3 -> 0, no signal.
        QTRY_COMPARE_WITH_TIMEOUT(int(d->capture().state()), 2, 5000);
        // Every thread is named, so that the benchmarks tell the firmware's CPU from the
        // board models' ("vb-..."): the encoder's threads take their name when it starts.
        for (const char* name : {"CameraThread", "VideoThread", "vb-camera", "vb-encoder"})
            QTRY_VERIFY2_WITH_TIMEOUT(threadNames().contains(name),
                                      qPrintable(threadNames().join(' ')), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(int(d->capture().state()), 0, 15000);
        QCOMPARE(recorded.count(), 0);
        QVERIFY(d->capture().cameraOpened());

        auto recordOnce = [&](int ledLoop) {
            d->settings().store(CamCfg::LedLoop, QString::number(ledLoop));
            d->capture().FlashOn();
            d->capture().setFlashOn(true);
            // The photo button: light off, file open, counter zeroed, queue emptied, state 2.
            d->capture().setFlashOn(false);
            d->capture().FlashOff();
            if (!d->capture().AVIFileOpen())
                return false;
            d->capture().H264Emptyqueue();
            const int before = recorded.count();
            d->capture().setState(CameraState(2));
            if (!recorded.wait(15000) && recorded.count() == before)
                return false;
            return recorded.last().at(0).toInt() == 0;
        };

        // Default LED loop: 90 frames.
        QElapsedTimer timer;
        timer.start();
        QVERIFY(recordOnce(5));
        QCOMPARE(int(d->capture().state()), 3);
        QCOMPARE(testkit::readFile(m_board->root() + "/dev/irled"), QByteArray("000\0", 4));
        QCOMPARE(testkit::readFile(m_board->root() + "/sys/module/vfe_v4l2/parameters/led_loop"),
                 QByteArray("5"));
        QVERIFY(d->capture().recordStart() > 0);
        const QString file = m_board->root() + "/tmp/pupil_video.avi";
        const QString artifact = QString(VISTREL_TEST_ARTIFACTS) + "/recording.avi";
        QFile::remove(artifact);
        QVERIFY(QFile::copy(file, artifact));
        expectCleanH264(artifact, 90);
        expectRecordingTiming(artifact);
        if (QTest::currentTestFailed())
            return;

        // Previews: none while the flag is clear, about five a second while it is set.
        d->capture().setState(CameraState(1));
        QTest::qWait(600);
        QCOMPARE(previews.count(), 0);
        d->capture().setPreviewEnabled(true);
        vboard::setKnob(knobs::kAmbient, "12");
        previews.clear();
        QTest::qWait(2000);
        QVERIFY2(previews.count() >= (testkit::kRealTime ? 7 : 1) && previews.count() <= 12,
                 qPrintable(QString::number(previews.count())));
        QVERIFY2(d->capture().lumaMean() < 20,
                 qPrintable(QString::number(d->capture().lumaMean())));
        vboard::setKnob(knobs::kAmbient, "60");
        QTRY_VERIFY_WITH_TIMEOUT(d->capture().lumaMean() > 20, 3000);
        d->capture().FlashOn(); // the infrared light brightens the picture further
        const unsigned dim = d->capture().lumaMean();
        QTRY_VERIFY_WITH_TIMEOUT(d->capture().lumaMean() > dim + 15, 3000);
        d->capture().FlashOff();
        d->capture().setPreviewEnabled(false);

        // Setting 3 while previewing stops the pump.
        d->capture().setState(CameraState(3));
        QTest::qWait(300);
        previews.clear();
        d->capture().setPreviewEnabled(true);
        QTest::qWait(600);
        QCOMPARE(previews.count(), 0);
        d->capture().setPreviewEnabled(false);

        // LED loop 0: no frame, but the file is closed, the light off and the signal sent.
        QVERIFY(recordOnce(0));
        QCOMPARE(QFileInfo(file).size(), 2056);
        QCOMPARE(int(d->capture().state()), 3);

        // A driver that never marks a frame: an empty recording that ends after 6 s.
        vboard::setKnob(knobs::kCameraTagsEven, "1");
        timer.restart();
        QVERIFY(recordOnce(5));
        QVERIFY2(timer.elapsed() >= 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(QFileInfo(file).size(), 2056);
    }
};

QTEST_GUILESS_MAIN(TstCapture)
#include "tst_capture.moc"
