// The screening pages of the main window: input, camera with guidance and recording,
// result and print.
#include "ui/screening_controller.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "capture/capture_session.h"
#include "core/local_time.h"
#include "core/log.h"
#include "core/settings.h"
#include "output/output_service.h"
#include "platform/board.h"
#include "screening/child_entry.h"
#include "screening/criteria.h"
#include "screening/history.h"
#include "screening/screening_session.h"
#include "sensors/sensor_hub.h"
#include "system/clock_service.h"
#include "ui/clockdlg.h"
#include "ui/history_list.h"
#include "ui/msgdialog.h"
#include "ui/outcome_texts.h"
#include "ui/reasondlg.h"
#include "ui/styles.h"
#include "ui/uploaddlg.h"
#include "ui/window_shell.h"

#include <QLabel>
#include <QThread>

namespace {

const QString kLowerBrightness = "Please lower the ambient \r\nbrightness to below 20";
const QString kCameraRestarted = "The camera was restarted. \r\nPlease start again";
const QString kCameraUnavailable = "Camera unavailable. \r\nPlease restart the device";

} // namespace

ScreeningController::ScreeningController(WindowShell& shell, QObject* parent, Ui::MainDialog& form,
                                         GData& data)
    : ScreenController(shell, parent, form, data) {
    using C = ScreeningController;
    onClicked<C>({ui->buttonCamera}, &C::on_buttonCamera_clicked);
    onClicked<C>({ui->buttonMale}, &C::on_buttonMale_clicked);
    onClicked<C>({ui->buttonFemale}, &C::on_buttonFemale_clicked);
    onClicked<C>({ui->buttonPhoto}, &C::on_buttonPhoto_clicked);
    onClicked<C>({ui->buttonFlash}, &C::on_buttonFlash_clicked);
    onClicked<C>({ui->buttonFocusAuto}, &C::on_buttonFocusAuto_clicked);
    onClicked<C>({ui->buttonCameraReturn}, &C::on_buttonCameraReturn_clicked);
    onClicked<C>({ui->buttonPrintResult}, &C::on_buttonPrintResult_clicked);
    onClicked<C>({ui->buttonUnableToScreen}, &C::on_buttonUnableToScreen_clicked);
    ui->editName->setMaxLength(entry::kNameMaxLength);
    ui->editChildId->setMaxLength(entry::kChildIdMaxLength);
    // Over the preview, once the camera has failed for good.
    m_unavailable = new QLabel(QCoreApplication::translate("Messages", kCameraUnavailable.toUtf8()),
                               ui->labelPhoto->parentWidget());
    m_unavailable->setObjectName("labelCameraUnavailable");
    m_unavailable->setGeometry(ui->labelPhoto->geometry());
    m_unavailable->setAlignment(Qt::AlignCenter);
    m_unavailable->setStyleSheet(style::kCameraUnavailable);
    m_unavailable->hide();
}

guidance::Readings ScreeningController::readings() const {
    const CaptureSession& c = m_data.capture();
    return {m_data.sensors().distance(), m_data.sensors().pitch(), c.lumaMean(), c.flashOn()};
}

// ---- input page ------------------------------------------------------------------------

void ScreeningController::pageMainInfoInputInit() {
    m_data.screening().forget();
    m_male = true;
    ui->editName->setText(style::namePlaceholder());
    ui->editDate->setText(style::datePlaceholder());
    ui->editName->setStyleSheet(style::kPlaceholder);
    ui->editDate->setStyleSheet(style::kPlaceholder);
    ui->editChildId->clear();
    showSex(true);
}

void ScreeningController::showSex(bool male) {
    ui->buttonMale->setIcon(
        QIcon(male ? ":/png/mainpage/male@2x.png" : ":/png/mainpage/male1@2x.png"));
    ui->buttonFemale->setIcon(
        QIcon(male ? ":/png/mainpage/female1@2x.png" : ":/png/mainpage/female@2x.png"));
}

void ScreeningController::on_buttonMale_clicked() {
    m_male = true;
    showSex(true);
}

void ScreeningController::on_buttonFemale_clicked() {
    m_male = false;
    showSex(false);
}

entry::Child ScreeningController::childOnForm() const {
    QString name = ui->editName->text().trimmed();
    if (name == style::namePlaceholder())
        name.clear(); // the untouched placeholder is no name
    return {name, m_male, QDate::fromString(ui->editDate->text(), "yyyy-MM-dd"),
            ui->editChildId->text().trimmed()};
}

// ---- camera page -----------------------------------------------------------------------

void ScreeningController::on_buttonCamera_clicked() {
    const bool fromInput = ui->stackedWidgetMain->currentIndex() == 0 &&
                           ui->stackedWidgetWithMenu->currentIndex() == 0;
    if (fromInput) {
        const entry::Child child = childOnForm();
        // The name and ID first: the birth date is checked against a trusted today.
        if (const QString problem = entry::identityProblem(child); !problem.isEmpty())
            return errorMessage(problem);
        if (!ensureTrustedClock())
            return;
        if (const QString problem = m_data.screening().begin(child); !problem.isEmpty())
            return errorMessage(problem);
    }
    openCamera();
}

// A screening stamps its time and needs today for the age: without network time or a
// hardware clock that kept its time, the operator sets the clock first.
bool ScreeningController::ensureTrustedClock() {
    if (m_data.clock().trusted())
        return true;
    ClockDlg dialog(m_data.settings().timeZone(), m_data.clock().lastTrusted().value_or(0));
    dialog.moveInWindow(200, 60);
    const std::optional<qint64> chosen = dialog.choose();
    if (!chosen)
        return false;
    if (!m_data.clock().setByOperator(*chosen)) {
        errorMessage("Date is not valid!");
        return false;
    }
    return true;
}

bool ScreeningController::birthDateUsable(const QDate& date) const {
    return entry::birthDateValid(date, localTime(m_data.settings()).date());
}

void ScreeningController::birthDateEntered(const QDate& date) {
    if (!birthDateUsable(date))
        errorMessage("Date is not valid!");
}

// After a restart for the camera: the child typed in before it, and one notice.
void ScreeningController::restoreEntry(const entry::Child& child) {
    if (const QString problem = m_data.screening().begin(child); !problem.isEmpty())
        qCWarning(lcUi, "the restored entry is refused: %s", qPrintable(problem));
    m_male = child.male;
    ui->editChildId->setText(child.childId);
    ui->editName->setText(child.name);
    ui->editName->setStyleSheet(style::kEditTyping);
    ui->editDate->setText(child.birth.toString("yyyy-MM-dd"));
    ui->editDate->setStyleSheet(style::kEditTyping);
    showSex(child.male);
    notice(kCameraRestarted);
}

// A child deleted from the history leaves no page that shows or prints it.
void ScreeningController::forgetDeleted(const QStringList& childKeys) {
    if (!childKeys.contains(childKeyOf(m_data.screening().record())))
        return;
    pageMainInfoInputInit();
    ui->labelUserName->clear();
    ui->stackedWidgetWithMenu->setCurrentIndex(0);
}

// Screening a child again from the history: the stored data, no typing.
void ScreeningController::openCameraFor(const entry::Child& child) {
    if (const QString problem = m_data.screening().begin(child); !problem.isEmpty())
        return errorMessage(problem);
    openCamera();
}

void ScreeningController::openCamera() {
    if (!m_data.capture().V4l2DeviceOpen()) {
        m_data.capture().V4l2DeviceClose();
        return errorMessage("Camera Open Failed!");
    }
    if (!m_data.screening().keepEntry())
        qCWarning(lcUi, "the entry could not be kept for a camera restart");
    ui->stackedWidgetBase->setCurrentIndex(PageCamera);
    pageCameraInit();
}

void ScreeningController::setReady(bool ready) {
    for (QLabel* l : accentLines())
        l->setVisible(ready);
    ui->labelLineDOF->setVisible(!ready);
}

QList<QLabel*> ScreeningController::accentLines() const {
    return {ui->labelLineC1_2,  ui->labelLineC2_2,  ui->labelLineLT1_2, ui->labelLineLT2_2,
            ui->labelLineRT1_2, ui->labelLineRT2_2, ui->labelLineLB1_2, ui->labelLineLB2_2,
            ui->labelLineRB1_2, ui->labelLineRB2_2};
}

void ScreeningController::pageCameraInit() {
    showElided(ui->labelNameValue, m_data.screening().record().name);
    // Until the first preview: the stored exposure and sharpness values.
    ui->labelBrightnessValue->setText(m_data.settings().value(CamCfg::Exposure));
    ui->labelSharpnessValue->setText(m_data.settings().value(CamCfg::Sharpness));
    ui->labelLineC1->show();
    ui->labelLineC2->show();
    ui->labelLineDOF->show();
    ui->labelNameCameraClock->hide();
    for (QLabel* l : accentLines())
        l->hide();
    m_autoStart.reset();
    showFocusAuto(m_data.settings().focusAuto());
    m_data.capture().setState(CameraState::Preview);
    m_data.capture().setPreviewEnabled(true);
}

// One of a normal and a red twin shows the text.
static void showTwin(QLabel* caption, QLabel* captionRed, QLabel* value, QLabel* valueRed, bool ok,
                     const QString& text) {
    caption->setVisible(ok);
    value->setVisible(ok);
    captionRed->setVisible(!ok);
    valueRed->setVisible(!ok);
    (ok ? value : valueRed)->setText(text);
}

void ScreeningController::timerPageCamera() {
    using namespace guidance;
    if (ui->stackedWidgetBase->currentIndex() != PageCamera ||
        m_data.capture().state() != CameraState::Preview)
        return;
    const Readings r = readings();
    showTwin(ui->labelDistance, ui->labelDistanceRed, ui->labelDistanceValue,
             ui->labelDistanceValueRed, distanceOk(r.distance), distanceText(r.distance));
    showTwin(ui->labelBrightness, ui->labelBrightnessRed, ui->labelBrightnessValue,
             ui->labelBrightnessValueRed, brightnessOk(r.lumaMean, r.flashOn),
             QString::number(r.lumaMean));
    ui->labelSharpnessValue->setText(QString::number(m_data.capture().lumaGradient()));
    showTwin(ui->labelPitch, ui->labelPitchRed, ui->labelPitchValue, ui->labelPitchValueRed,
             pitchOk(r.pitch), pitchText(r.pitch));
    // No frame comes: the word over the preview instead of the cross, and no start.
    const bool unavailable = m_data.capture().cameraUnavailable();
    m_unavailable->setVisible(unavailable);
    ui->buttonPhoto->setEnabled(!unavailable);
    if (unavailable) {
        for (QLabel* l : {ui->labelLineC1, ui->labelLineC2, ui->labelLineDOF})
            l->hide();
        return;
    }
    if (const std::optional<int> top = pitchLineTop(r.pitch)) {
        ui->labelLineDOF->setGeometry(400, *top, 75, 5);
        ui->labelLineDOF->show();
    } else {
        ui->labelLineDOF->hide();
    }
    setReady(ready(r));
    // The automatic start looks at the readings again: the sensor thread may have moved on.
    if (m_data.settings().focusAuto() && m_autoStart.tick(ready(readings())))
        beginTakePhoto();
}

void ScreeningController::on_buttonPhoto_clicked() {
    if (m_data.capture().cameraUnavailable())
        return notice(kCameraUnavailable);
    const guidance::Readings r = readings();
    if (!guidance::pitchOk(r.pitch))
        return notice("Please move the cross sign \r\nto the center");
    if (!guidance::brightnessOk(r.lumaMean, r.flashOn))
        return notice(kLowerBrightness);
    beginTakePhoto();
}

void ScreeningController::setCameraButtonsEnabled(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(ui->buttonFocusAuto), static_cast<QWidget*>(ui->buttonFlash),
          static_cast<QWidget*>(ui->buttonPhoto), static_cast<QWidget*>(ui->buttonCameraReturn)})
        w->setEnabled(enabled);
}

void ScreeningController::switchFlashOff() {
    m_data.capture().setFlashOn(false);
    ui->buttonFlash->setIcon(QIcon(":/png/flashon_off@2x.png"));
    m_data.capture().FlashOff();
}

void ScreeningController::beginTakePhoto() {
    if (m_data.capture().flashOn())
        switchFlashOff(); // the recording thread drives the light
    if (!m_data.capture().AVIFileOpen())
        return errorMessage("Vedio File Open Failed!");
    m_autoStart.reset();
    setCameraButtonsEnabled(false);
    m_data.capture().H264Emptyqueue();
    ui->labelLineC1->hide();
    ui->labelLineC2->hide();
    ui->labelLineC1_2->hide();
    ui->labelLineC2_2->hide();
    ui->labelLineDOF->hide();
    ui->labelNameCameraClock->setText("3");
    ui->labelNameCameraClock->show();
    m_data.capture().setState(CameraState::Recording);
}

void ScreeningController::on_buttonFlash_clicked() {
    if (m_data.capture().flashOn())
        return switchFlashOff();
    if (m_data.capture().lumaMean() >= 20)
        return notice(kLowerBrightness);
    m_data.capture().setFlashOn(true);
    ui->buttonFlash->setIcon(QIcon(":/png/flashon@2x.png"));
    m_data.capture().FlashOn();
}

void ScreeningController::on_buttonFocusAuto_clicked() {
    const bool on = !m_data.settings().focusAuto();
    m_autoStart.reset();
    showFocusAuto(on);
    saveSetting(CamCfg::FocusAuto, on ? "1" : "0");
}

void ScreeningController::on_buttonCameraReturn_clicked() {
    if (m_data.capture().flashOn())
        switchFlashOff();
    leaveCamera();
    ui->stackedWidgetBase->setCurrentIndex(PageMain);
}

void ScreeningController::leaveCamera() {
    m_data.capture().setState(CameraState::Idle);
    m_data.screening().dropEntry();
}

void ScreeningController::on_buttonUnableToScreen_clicked() {
    if (m_data.capture().state() == CameraState::Recording)
        return; // the recording ends first
    if (m_data.capture().flashOn())
        switchFlashOff();
    endUnableToScreen();
}

bool ScreeningController::endUnableToScreen() {
    const QString reason = ReasonDlg::ask();
    if (reason.isEmpty())
        return false;
    leaveCamera();
    const bool saved = m_data.screening().saveUnableToScreen(reason);
    showResultPage();
    if (!saved)
        notice("Save File Error");
    return true;
}

void ScreeningController::camera_thread_slot(int) {
    CaptureSession& capture = m_data.capture();
    const int w = CaptureSession::kPreviewWidth, h = ui->labelPhoto->height();
    {
        // The camera thread converts only while the flag is set and never while this copy
        // holds the image's lock.
        std::lock_guard<std::mutex> lock(capture.previewLock());
        capture.setPreviewEnabled(false);
        if (const unsigned char* image = capture.previewImage()) {
            const int top = (CaptureSession::kPreviewHeight - h) >> 1;
            const QImage band(image + size_t(top) * size_t(w), w, h, w, QImage::Format_Grayscale8);
            ui->labelPhoto->setPixmap(QPixmap::fromImage(band)); // a deep copy
            ++m_nPreviewsShown;
        }
    }
    QThread::msleep(15);
    capture.setPreviewEnabled(true);
    if (m_data.capture().state() == CameraState::Recording) {
        const qint64 elapsed = board::currentSecsSinceEpoch() - m_data.capture().recordStart();
        if (elapsed < 1)
            ui->labelNameCameraClock->setText("3");
        else if (elapsed == 1)
            ui->labelNameCameraClock->setText("2");
        else if (elapsed == 2)
            ui->labelNameCameraClock->setText("1");
    }
}

void ScreeningController::video_thread_slot(int) {
    ui->labelLineC1->show();
    ui->labelLineC2->show();
    ui->labelLineC1_2->show();
    ui->labelLineC2_2->show();
    ui->labelNameCameraClock->hide();
    ScreeningSession& session = m_data.screening();
    const Analysis analysis =
        UploadDlg::run(UploadDlg::Upload, [&session] { return session.uploadAVIFile(); });
    setCameraButtonsEnabled(true);
    switch (analysis.outcome) {
    case AnalysisOutcome::Analysed:
        leaveCamera();
        return pageResultShow(analysis.values);
    case AnalysisOutcome::Queued:
        // Kept for later: the next child can be screened at once.
        m_data.capture().setState(CameraState::Idle);
        session.dropEntry();
        pageMainInfoInputInit();
        ui->stackedWidgetBase->setCurrentIndex(PageMain);
        return notice(outcome::analysisNotice(analysis.outcome));
    case AnalysisOutcome::OutboxFull:
        errorMessage(outcome::analysisNotice(analysis.outcome));
        break;
    case AnalysisOutcome::NoResult:
        // The operator may try again, or end the screening without a result.
        if (MsgDialog::ask("Error", analysis.reply, "OK", "", "Unable to screen") ==
                MsgDialog::Right &&
            endUnableToScreen())
            return;
        break;
    }
    m_data.capture().setState(CameraState::Preview);
}

// ---- result page -----------------------------------------------------------------------

void ScreeningController::pageResultShow(const AnalysisValues& values) {
    const bool saved = m_data.screening().saveTestResult(values);
    showResultPage();
    // The result is on screen either way; the operator learns that it was not kept.
    if (!saved)
        notice("Save File Error");
}

// The current record on the result page: its values and its outcome.
void ScreeningController::showResultPage() {
    ui->stackedWidgetBase->setCurrentIndex(PageMain);
    ui->stackedWidgetMain->setCurrentIndex(0);
    ui->stackedWidgetWithMenu->setCurrentIndex(1);
    const ScreeningRecord& record = m_data.screening().record();
    showElided(ui->labelUserName, record.name);
    showElided(ui->labelUserId, record.extras.childId.isEmpty()
                                    ? QString()
                                    : tr("ID: %1").arg(record.extras.childId));
    ui->labelSPHL->setText(record.odSph);
    ui->labelCYLL->setText(record.odCyl);
    ui->labelAxisL->setText(record.odAxis);
    ui->labelSPHR->setText(record.osSph);
    ui->labelCYLR->setText(record.osCyl);
    ui->labelAxisR->setText(record.osAxis);
    ui->labelIPD->setText(record.pd);
    const bool unable = record.referral == QLatin1StringView(kUnableToScreen);
    ui->labelResultPass->setVisible(record.referral == u"Pass");
    ui->labelResultRefer->setVisible(record.referral == u"Refer");
    ui->labelResultUnable->setVisible(unable);
    if (unable)
        ui->labelResultUnable->setText(tr("Unable to screen") + "\n" +
                                       reasonShown(record.extras.reason));
}

void ScreeningController::showFocusAuto(bool on) {
    ui->buttonFocusAuto->setText(on ? tr("AUTO  ON") : tr("AUTO OFF"));
}

void ScreeningController::retranslate() {
    showFocusAuto(m_data.settings().focusAuto());
    m_unavailable->setText(QCoreApplication::translate("Messages", kCameraUnavailable.toUtf8()));
    if (ui->stackedWidgetWithMenu->currentIndex() == 1)
        showResultPage();
}

void ScreeningController::on_buttonPrintResult_clicked() {
    OutputService& output = m_data.output();
    printReceipt(UploadDlg::PrintResult, [&output] { return output.httpPrintResult(); });
}

// A receipt through the printing job `job`, once a printer is set.
void ScreeningController::printReceipt(int job, const std::function<PrintOutcome()>& print) {
    if (m_data.settings().printerId().isEmpty())
        return notice("No Printer ID Config!");
    const auto printed = UploadDlg::run(m_shell.sendGuard(job), UploadDlg::Job(job), print);
    if (printed && *printed != PrintOutcome::Printed)
        notice(outcome::printNotice(*printed));
}
