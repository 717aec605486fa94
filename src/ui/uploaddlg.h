// The progress dialog of the long network jobs: runs its job when it first becomes the
// active window, shows a percentage creeping up to 90 once a second, closes when the job
// returns and hands its result to the caller.
#pragma once

#include "screening/record.h"
#include "ui/device_dialog.h"

#include <optional>

class GData;
class SendGuard;
class QTimer;

namespace Ui {
class UploadDlg;
}

class UploadDlg : public DeviceDialog {
    Q_OBJECT
public:
    enum Mode {
        Upload = 0,
        Download = 1,
        PrintTestPage = 4,
        PrintResult = 5,
        VersionCheck = 6,
        SendMail = 7
    };

    explicit UploadDlg(GData& data, QWidget* parent = nullptr);
    ~UploadDlg() override;

    static QString jobText(int mode);
    // Runs the job under the dialog unless the guard refuses it (a doubled tap,
    // send_guard.h): false then, and nothing was sent.
    bool run(SendGuard& guard);
    // Runs job 1, the download of the version last checked: true when it was staged.
    static bool download(GData& data);

    int mode = Upload;
    // Mode 5 prints this screening instead of the current one when it is set.
    std::optional<ScreeningRecord> recordToPrint;
    bool success = false; // modes 0 and 1
    int uploadResult = 0; // mode 0: ScreeningSession::uploadAVIFile's answer
    int checkResult = 0;  // mode 6
    QString textResult;   // modes 4, 5 and 7
    int progress = 0;     // 0..90
    int jobsRun = 0;      // how often the job ran (once)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Once a second: the percentage creeps up, at most to 90.
    void on_timer();

private:
    void runJob();

    Ui::UploadDlg* ui;
    GData& m_data;
    QTimer* m_timer;
};
