// History benchmarks: the operations of the history screens on generated files of 10,000,
// 20,000 and 40,000 records, each as the screen does it (the file read included): search
// (every child), the detail of one child, deleting one child (with the atomic rewrite) and
// exporting one child.
#include "core/files.h"
#include "output/export_table.h"
#include "screening/history.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// About two screenings per child, in the order a device would have stored them.
QString historyOf(int records) {
    QString text;
    text.reserve(records * 80);
    for (int i = 0; i < records; ++i) {
        const int child = (i * 7919) % (records / 2 + 1);
        text += QStringLiteral("Child%1,%2,20%3-0%4-1%5|2026-01-%6 10:%7,0.25,-0.50,90,0.75,-1.00,"
                               "85,61,Pass\n")
                    .arg(child)
                    .arg(child % 2 ? "Male" : "Female")
                    .arg(10 + child % 10)
                    .arg(1 + child % 9)
                    .arg(child % 10)
                    .arg(10 + i % 18)
                    .arg(10 + i % 50);
    }
    return text;
}

struct HistoryFile {
    QTemporaryDir dir;
    QString path;
    explicit HistoryFile(int records) : path(dir.path() + "/result.txt") {
        writeFileAtomically(path, historyOf(records).toUtf8());
    }
    QString read() const {
        QString text;
        readTextCreatingFile(path, text);
        return text;
    }
};

const QString kOneChild = QStringLiteral("Child3,Male,2013-04-13");

void BM_HistorySearch(benchmark::State& state) {
    HistoryFile file(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(matchingChildKeys(file.read(), QString()));
}

void BM_HistoryDetail(benchmark::State& state) {
    HistoryFile file(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(childScreenings(file.read(), kOneChild));
}

void BM_HistoryDelete(benchmark::State& state) {
    HistoryFile file(int(state.range(0)));
    const QByteArray original = file.read().toUtf8();
    for (auto _ : state) {
        QFile bytes(file.path);
        bytes.open(QIODevice::ReadOnly);
        writeFileAtomically(file.path, historyWithout(bytes.readAll(), {kOneChild}));
        state.PauseTiming();
        writeFileAtomically(file.path, original); // the next round deletes the same child
        state.ResumeTiming();
    }
}

void BM_HistoryExport(benchmark::State& state) {
    HistoryFile file(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(exportTable(file.read(), {kOneChild}));
}

} // namespace

BENCHMARK(BM_HistorySearch)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryDetail)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryDelete)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryExport)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
