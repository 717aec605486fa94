// Writer for tst_power_loss: saves without end, as the device does, and says on standard
// output which save completed ("<n>\n" once save n returned true), until it is killed.
//   power_loss_child settings|calibration|append|delete <folder> <first n>
// The contents of save n are those of tests/power_loss_contents.h.
//   power_loss_child fulldisk <folder on a file system of its own>
// writes the old files, fills the file system, tries every save once and prints one line
// per save: its name, whether it returned true, and whether the old file is still whole.
#include "power_loss_contents.h"

#include "core/files.h"
#include "sensors/calibration_store.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

bool save(const char* kind, const QString& dir, int n) {
    using namespace powerloss;
    if (!std::strcmp(kind, "settings")) {
        CamCfg cfg = settingsFor(dir, n);
        return cfg.save();
    }
    if (!std::strcmp(kind, "calibration"))
        return writeSensorCalibration(dir + "/" + kCalibration, {n, -n});
    if (!std::strcmp(kind, "append"))
        return appendLineDurably(dir + "/" + kHistory, historyRecord(n).toUtf8(),
                                 tornHistoryRecord);
    // delete: record n goes, the way the history screen deletes a child.
    QFile f(dir + "/" + kHistory);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    f.close();
    return writeFileAtomically(dir + "/" + kHistory, historyWithout(bytes, {childKey(n)}));
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// Writes until the file system is full, to the last byte.
void fill(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size() && f.flush()) {
    }
    while (f.write("x", 1) == 1 && f.flush()) {
    }
}

int fullDisk(const QString& dir) {
    using namespace powerloss;
    // The old history ends on a page boundary, so an append needs a new page.
    QString history;
    for (int n = 1; n <= 3; ++n)
        history += historyRecord(n);
    ScreeningRecord padded = screening(4);
    padded.extras = {}; // one line, so the padding is what it says
    padded.name += QString(4096 - (history + historyLine(padded)).toUtf8().size(), 'p');
    history += historyLine(padded);
    const QString historyPath = dir + "/" + kHistory, calibrationPath = dir + "/" + kCalibration;
    CamCfg old = settingsFor(dir, 1);
    if (!old.save() || !writeSensorCalibration(calibrationPath, {1, -1}) ||
        !writeFileAtomically(historyPath, history.toUtf8()))
        return 3;
    fill(dir + "/filler");

    auto report = [](const char* name, bool saved, bool whole) {
        std::printf("%s %s %s\n", name, saved ? "saved" : "refused", whole ? "whole" : "damaged");
    };
    CamCfg next = settingsFor(dir, 2);
    report("settings", next.save(), readAll(old.filePath()) == old.m_strCfgText.toUtf8());
    report("calibration", writeSensorCalibration(calibrationPath, {2, -2}),
           readAll(calibrationPath) == calibrationFor(1).toUtf8());
    report("append", appendLineDurably(historyPath, historyRecord(5).toUtf8(), tornHistoryRecord),
           readAll(historyPath) == history.toUtf8());
    report("delete",
           writeFileAtomically(historyPath, historyWithout(history.toUtf8(), {childKey(2)})),
           readAll(historyPath) == history.toUtf8());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && !std::strcmp(argv[1], "fulldisk"))
        return fullDisk(QString::fromLocal8Bit(argv[2]));
    if (argc != 4)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[2]);
    for (int n = std::atoi(argv[3]);; ++n) {
        if (!save(argv[1], dir, n))
            return 1;
        const QByteArray ack = QByteArray::number(n) + '\n';
        if (::write(STDOUT_FILENO, ack.constData(), size_t(ack.size())) != ack.size())
            return 1;
    }
}
