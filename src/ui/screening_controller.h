// The screening screens: the input page (name, sex, birth date), the camera page with its
// guidance and the recording, and the result page with its receipt. The rules the camera
// page applies are in ui/guidance.h.
#pragma once

#include <QDate>
#include <QList>

#include <functional>

#include "output/output_service.h"
#include "screening/analysis.h"
#include "screening/child_entry.h"
#include "ui/guidance.h"
#include "ui/screen_controller.h"

class QLabel;

class ScreeningController : public ScreenController {
    Q_OBJECT
public:
    ScreeningController(WindowShell& shell, QObject* parent, Ui::MainDialog& form, GData& data);

    // A new child on the input page.
    void pageMainInfoInputInit();
    // The camera page's share of the master tick: guidance and the automatic start.
    void timerPageCamera();
    // Screening a child again from the history: the stored data, no typing.
    void openCameraFor(const entry::Child& child);
    // A receipt through the printing job `job` (an UploadDlg job), once a printer is set.
    void printReceipt(int job, const std::function<PrintOutcome()>& print);
    // The birth date typed on the keypad, or an invalid date.
    void birthDateEntered(const QDate& date);
    // True once the clock can be trusted, after asking the operator for the time if needed.
    bool ensureTrustedClock();
    void restoreEntry(const entry::Child& child);
    // The result page of the screening ended with the analysis' values, judged by the
    // criterion in force and stored in the history.
    void pageResultShow(const AnalysisValues& values);
    void forgetDeleted(const QStringList& childKeys);
    // The texts this controller sets, again in the language now in force.
    void retranslate();

    const AutoStart& autoStart() const { return m_autoStart; }
    int previewsShown() const { return m_nPreviewsShown; }

public slots:
    void on_buttonCamera_clicked();
    void on_buttonMale_clicked();
    void on_buttonFemale_clicked();
    void on_buttonPhoto_clicked();
    void on_buttonFlash_clicked();
    void on_buttonFocusAuto_clicked();
    void on_buttonCameraReturn_clicked();
    void on_buttonPrintResult_clicked();
    void on_buttonUnableToScreen_clicked();
    void camera_thread_slot(int code);
    void video_thread_slot(int code);

private:
    guidance::Readings readings() const;
    entry::Child childOnForm() const;
    bool birthDateUsable(const QDate& date) const;
    void showSex(bool male);
    void setReady(bool ready);
    QList<QLabel*> accentLines() const;
    void openCamera();
    void pageCameraInit();
    void beginTakePhoto();
    void setCameraButtonsEnabled(bool enabled);
    void switchFlashOff();
    // The camera page closes on a screening that gave no result, with the reason asked;
    // false when the operator closed the question and goes on.
    bool endUnableToScreen();
    void leaveCamera();
    void showResultPage();
    void showFocusAuto(bool on);

    AutoStart m_autoStart;
    QLabel* m_unavailable = nullptr;
    int m_nPreviewsShown = 0;
    bool m_male = true; // the input page's sex buttons
};
