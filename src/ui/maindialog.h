// The device's only window: a frameless 1024 x 600 panel of nested page stacks. The window
// is a shell: construction, the connections to the application's worker threads, the
// 200 ms master tick and its page
// jobs, inactivity handling, the status bar, the main navigation, the power key and the
// on-screen keyboards for the line edits. Each screen has a controller beside it that owns
// its slots:
//   ui/screening_controller.h  input, camera and result pages (rules: ui/guidance.h)
//   ui/history_controller.h    history list and detail (rules: ui/history_list.h)
//   ui/settings_controller.h   setup pages, machine identity, update (rules: ui/settings_text.h)
//   ui/wifi_controller.h       Wi-Fi page (rules: ui/wifi_rows.h)
#pragma once

#include <QDialog>
#include <QString>

#include <map>
#include <memory>

#include "ui/form_texts.h"
#include "ui/language.h"
#include "ui/pages.h"
#include "ui/send_guard.h"
#include "ui/status_bar.h"
#include "ui/window_shell.h"

class GData;
class QLineEdit;
class QTimer;
class CameraThread;
class VideoThread;
class DeviceThread;
class ScreeningController;
class HistoryController;
class SettingsController;
class WifiController;

namespace Ui {
class MainDialog;
}

class MainDialog : public QDialog, public Pages, public WindowShell {
    Q_OBJECT
public:
    // The window works on `data` for its whole life; `data` must outlive it.
    explicit MainDialog(GData& data, QWidget* parent = nullptr);
    ~MainDialog() override;

    // The workers' news for the screens: previews and recordings, Wi-Fi pictures.
    void connectWorkers(CameraThread& camera, VideoThread& video, DeviceThread& device);

    GData& data() const { return m_data; }
    ScreeningController& screening() const override { return *m_screening; }
    SendGuard& sendGuard(int job) override { return m_sendGuards[job]; }
    language::Languages& languages() override { return m_languages; }
    HistoryController& history() const { return *m_history; }
    SettingsController& settings() const { return *m_settings; }
    WifiController& wifi() const { return *m_wifi; }

    // The inactivity clock: the board's seconds at the last touch or key (0 not yet taken).
    // Tests move it back instead of waiting the minutes of a timeout.
    qint64 lastActivity() const { return m_tLastActivity; }
    void setLastActivity(qint64 seconds) { m_tLastActivity = seconds; }
    // The battery icon's step (0..5), which the charging animation moves on.
    void setBatteryLevel(int level) { m_nBatteryLevel = level; }
    // The longest wait between two master ticks since the last reset (diagnostics).
    qint64 maxTickGapMs() const { return m_nMaxTickGapMs; }
    void resetMaxTickGap() { m_nMaxTickGapMs = 0; }

    void labelWirelessShow();
    void labelTimeShow() override;
    void labelBatteryShow();
    void labelWaitingShow();
    void showNoMenu(int page) override;
    void notice(const QString& text) override;
    void errorMessage(const QString& text) override;

    // The 200 ms master tick.
    void on_timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A new language: the form's texts, and those the pages set, in it.
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void on_buttonSetup_clicked();
    void on_buttonHome_clicked();
    void on_buttonSetupReturn_clicked();
    void startPageJob();
    void timerShutdown();
    void mainPageJob();
    void wifiPageJob();
    bool openKeyboardFor(QObject* target);
    void openTextKeyboard(QLineEdit* edit);
    void openDateKeypad();
    qint64 now() const;

    language::Languages m_languages; // before the form, whose texts it translates
    Ui::MainDialog* ui;
    FormTexts m_formTexts;
    GData& m_data;
    ScreeningController* m_screening = nullptr;
    HistoryController* m_history = nullptr;
    SettingsController* m_settings = nullptr;
    WifiController* m_wifi = nullptr;
    LowBatteryWarning m_lowBattery;
    int m_nStartCount = 0;
    int m_nMainCount = 0;
    int m_nWifiCount = 0;
    QTimer* m_pTimer = nullptr;
    qint64 m_nLastTickMs = 0;
    std::map<int, SendGuard> m_sendGuards;
    QString m_waitingStyle; // the status bar's notice as the form sets it
    qint64 m_tLastActivity = 0;
    int m_nBatteryLevel = 5;
    qint64 m_nMaxTickGapMs = 0;
};
