// Capture pipeline benchmarks: preview conversion against a plain copy of the luma plane,
// the frame queue, AVI frame writes, the encoder at 1920 x 1080 and the frame pump on the
// virtual board during a recording.
#include "app/gdata.h"
#include "capture/avilib.h"
#include "capture/capture_session.h"
#include "capture/capture_threads.h"
#include "capture/cedarxutil.h"
#include "capture/osal_queue.h"
#include "capture/preview_convert.h"
#include "knobs.h"
#include "models.h"
#include "platform/board.h"
#include "virtual_board.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr unsigned kW = 1920, kH = 1080;

std::vector<unsigned char> frame(int seed) {
    std::vector<unsigned char> f(size_t(kW) * kH * 3 / 2, 128);
    for (unsigned y = 0; y < kH; ++y)
        for (unsigned x = 0; x < kW; ++x)
            f[size_t(y) * kW + x] = static_cast<unsigned char>((x * 3 + y * 5 + seed * 11) % 251);
    return f;
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

// Page-aligned memory, as the camera's buffers and the display buffer are (a vector's
// data starts 16 bytes into a page, which splits every other 32-byte access in two).
struct PageBuffer {
    explicit PageBuffer(size_t n)
        : bytes(static_cast<unsigned char*>(std::aligned_alloc(4096, (n + 4095) / 4096 * 4096))),
          size(n) {
        std::memset(bytes, 0, size);
    }
    ~PageBuffer() { std::free(bytes); }
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;
    unsigned char* data() const { return bytes; }
    unsigned char* bytes;
    size_t size;
};

double medianOf(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// The conversion against a plain copy of the same 2 MB plane, timed in alternation so that
// both see the same machine (frequency, neighbours, caches), each as the median of its runs.
// "ratio" is convertPreview's; each kernel the processor has is also timed against the copy
// in rounds of its own (a slow kernel between them would change what the copy finds in the
// caches).
void BM_PreviewConvertVsCopy(benchmark::State& state) {
    const auto pattern = frame(0);
    PageBuffer src(pattern.size()), copy(size_t(kW) * kH), dst(size_t(kW) * kH * 2);
    std::memcpy(src.data(), pattern.data(), pattern.size());
    using Clock = std::chrono::steady_clock;
    const auto timed = [](auto&& work) {
        const auto t0 = Clock::now();
        work();
        benchmark::ClobberMemory();
        return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
    };
    // Medians of the copy and of `convert`, alternated over 501 rounds.
    const auto against = [&](auto&& convert) {
        std::vector<double> copyUs, convertUs;
        for (int round = 0; round < 501; ++round) {
            copyUs.push_back(timed([&] { std::memcpy(copy.data(), src.data(), copy.size); }));
            convertUs.push_back(timed([&] { benchmark::DoNotOptimize(convert()); }));
        }
        return std::pair{medianOf(copyUs), medianOf(convertUs)};
    };
    for (auto _ : state) {
        const auto [copyUs, convertUs] =
            against([&] { return convertPreview(src.data(), dst.data(), kW, kH, 880, 330); });
        state.counters["copy_us"] = copyUs;
        state.counters["convert_us"] = convertUs;
        state.counters["ratio"] = convertUs / copyUs;
        for (const auto kernel : kPreviewKernels) {
            if (!previewKernelAvailable(kernel))
                continue;
            const auto [c, k] = against([&] {
                return convertPreviewWith(kernel, src.data(), dst.data(), kW, kH, 880, 330);
            });
            state.counters[std::string("ratio_") + previewKernelName(kernel)] = k / c;
        }
    }
}
BENCHMARK(BM_PreviewConvertVsCopy)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_QueueRoundTrip(benchmark::State& state) {
    OSAL_QUEUETYPE q;
    OSAL_QueueCreate(&q, 30);
    int item = 0;
    for (auto _ : state) {
        OSAL_Queue(&q, &item);
        benchmark::DoNotOptimize(OSAL_Dequeue(&q));
    }
    state.SetItemsProcessed(state.iterations());
    OSAL_QueueTerminate(&q);
}
BENCHMARK(BM_QueueRoundTrip);

// One 40 kB frame per iteration, with or without fdatasync after it.
void BM_AviWriteFrame(benchmark::State& state) {
    const bool sync = state.range(0) != 0;
    const std::string path = (scratch().path() + "/bench.avi").toStdString();
    AviFile* avi = AVI_open_output_file(path.c_str());
    AVI_set_video(avi, 1920, 1080, 15.0, "H264");
    std::vector<char> data(40000, 'x');
    long frames = 0;
    for (auto _ : state) {
        AVI_write_frame(avi, data.data(), long(data.size()), frames % 30 == 0);
        if (sync)
            ::fdatasync(avi->fdes);
        if (++frames == 4000) { // keep the file small
            state.PauseTiming();
            AVI_close(avi);
            avi = AVI_open_output_file(path.c_str());
            AVI_set_video(avi, 1920, 1080, 15.0, "H264");
            frames = 0;
            state.ResumeTiming();
        }
    }
    AVI_close(avi);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AviWriteFrame)->Arg(0)->Arg(1)->ArgName("fdatasync");

void BM_Encoder1080p(benchmark::State& state) {
    std::vector<std::vector<unsigned char>> frames;
    for (int i = 0; i < 8; ++i)
        frames.push_back(frame(i));
    std::vector<unsigned char> out(size_t(kW) * kH / 2);
    cedarxutil enc(kW, kH, kW, kH);
    enc.StartH264CedarX();
    size_t i = 0;
    for (auto _ : state) {
        unsigned char key = 0;
        int len = 0;
        enc.H264_proc_frame_phy(frames[i++ % frames.size()].data(), nullptr, out.data(), &key,
                                &len);
        benchmark::DoNotOptimize(len);
    }
    enc.CloseCedarX();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Encoder1080p)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The frame pump during a recording on the virtual board: every frame pulled, the LED-lit
// ones encoded and queued, a consumer draining the queue as the recording thread does.
void BM_FramePumpRecording(benchmark::State& state) {
    GData d;
    d.setAppDir(scratch().path());
    d.InitData();
    d.InitCommonAndConfig();
    d.capture().V4l2DeviceOpen();
    CameraThread pump(d.capture());
    // The preview goes on while recording, as on the camera page: count the images the pump
    // announces (every sixth frame).
    std::atomic<int> converted{0};
    QObject::connect(
        &pump, &CameraThread::camera_thread_signal, &pump, [&converted] { ++converted; },
        Qt::DirectConnection);
    d.capture().setPreviewEnabled(true);
    for (auto _ : state) {
        vboard::setKnob(knobs::kCameraTagsEven, "0");
        d.capture().encoder()->StartH264CedarX();
        const auto before = vboard::cameraCounters();
        int written = 0;
        converted = 0;
        pump.start();
        d.capture().setState(CameraState(2));
        const auto t0 = std::chrono::steady_clock::now();
        // Light every frame of the run: 10 loops of 18 = 180 frames, 6 s.
        QFile loop(board::path(QString("/sys/module/vfe_v4l2/parameters/led_loop")));
        loop.open(QIODevice::WriteOnly | QIODevice::Truncate);
        loop.write("10");
        loop.close();
        QFile val(board::path(QString("/sys/module/vfe_v4l2/parameters/led_val")));
        val.open(QIODevice::WriteOnly | QIODevice::Truncate);
        val.write("2");
        val.close();
        while (std::chrono::steady_clock::now() - t0 < std::chrono::seconds(6)) {
            if (d.capture().H264Dequeue()) {
                d.capture().dropDequeued();
                ++written;
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        d.capture().setState(CameraState(0));
        pump.requestInterruption();
        pump.wait();
        d.capture().encoder()->CloseCedarX();
        d.capture().H264Emptyqueue();
        const auto after = vboard::cameraCounters();
        state.SetIterationTime(seconds);
        state.counters["pulled_per_s"] = double(after.produced - before.produced) / seconds;
        state.counters["lost"] = double(after.lost - before.lost);
        state.counters["encoded"] = written;
        state.counters["encoded_per_s"] = written / seconds;
        state.counters["converted_per_s"] = converted / seconds;
    }
    d.capture().V4l2DeviceClose();
}
BENCHMARK(BM_FramePumpRecording)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    vboard::setRoot(scratch().path() + "/board");
    board::init();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
