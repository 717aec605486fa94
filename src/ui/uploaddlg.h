// The progress dialog of the long network jobs: runs the job it is handed when it first
// becomes the active window, shows a percentage creeping up to 90 once a second, closes
// when the job returns and hands the job's result back to the caller.
#pragma once

#include "ui/device_dialog.h"

#include <functional>
#include <optional>
#include <type_traits>

class SendGuard;
class QTimer;

namespace Ui {
class UploadDlg;
}

class UploadDlg : public DeviceDialog {
    Q_OBJECT
public:
    // The jobs, by the text the dialog shows while one runs; each has its own send guard.
    enum Job {
        Upload = 0,
        Download = 1,
        PrintTestPage = 4,
        PrintResult = 5,
        VersionCheck = 6,
        SendMail = 7
    };

    // A dialog that shows the job's text and runs `work` once it is on screen (nothing when
    // `work` is empty).
    UploadDlg(Job job, std::function<void()> work, QWidget* parent = nullptr);
    ~UploadDlg() override;

    static QString jobText(int job);

    // Runs `work` under the dialog and returns what it returned.
    template <typename Work> static auto run(Job job, Work work) {
        std::invoke_result_t<Work> result{};
        UploadDlg dialog(job, [&] { result = work(); });
        dialog.exec();
        return result;
    }
    // The same unless `guard` refuses it (a doubled tap, send_guard.h): nothing then, and
    // nothing was sent.
    template <typename Work> static auto run(SendGuard& guard, Job job, Work work) {
        std::optional<std::invoke_result_t<Work>> result;
        if (begin(guard, job)) {
            result = run(job, work);
            end(guard);
        }
        return result;
    }

    int progress() const { return m_progress; } // 0..90
    int jobsRun() const { return m_jobsRun; }   // how often the job ran (once)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Once a second: the percentage creeps up, at most to 90.
    void on_timer();

private:
    static bool begin(SendGuard& guard, Job job);
    static void end(SendGuard& guard);

    Ui::UploadDlg* ui;
    const Job m_job;
    const std::function<void()> m_work;
    QTimer* m_timer;
    int m_progress = 0;
    int m_jobsRun = 0;
};
