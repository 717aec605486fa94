// The screening pages of the main window: input, camera with guidance and recording,
// result and print.
#include "ui/maindialog.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "core/camcfg.h"
#include "platform/board.h"
#include "screening/criteria.h"
#include "ui/msgdialog.h"
#include "ui/styles.h"
#include "ui/uploaddlg.h"

#include <QDebug>
#include <QThread>

namespace {

const QString kLowerBrightness = "Please lower the ambient \r\nbrightness to below 20";

bool pitchOk(int p) {
    return p >= -7 && p <= 7;
}
bool distanceOk(int d) {
    return d >= 95 && d <= 100;
}

} // namespace

bool MainDialog::brightnessOk() const {
    return m_data.m_nLumaMean < 20 || m_data.m_bFlashOn;
}

// ---- input page ------------------------------------------------------------------------

void MainDialog::pageMainInfoInputInit() {
    m_data.m_strName.clear();
    m_data.m_bMale = true;
    m_data.m_dateBirth = QDate(2020, 12, 31);
    ui->editName->setText(style::kNamePlaceholder);
    ui->editDate->setText(style::kDatePlaceholder);
    ui->editName->setStyleSheet(style::kPlaceholder);
    ui->editDate->setStyleSheet(style::kPlaceholder);
    showSex(true);
}

void MainDialog::showSex(bool male) {
    ui->buttonMale->setIcon(
        QIcon(male ? ":/png/mainpage/male@2x.png" : ":/png/mainpage/male1@2x.png"));
    ui->buttonFemale->setIcon(
        QIcon(male ? ":/png/mainpage/female1@2x.png" : ":/png/mainpage/female@2x.png"));
}

void MainDialog::on_buttonMale_clicked() {
    m_data.m_bMale = true;
    showSex(true);
}

void MainDialog::on_buttonFemale_clicked() {
    m_data.m_bMale = false;
    showSex(false);
}

// ---- camera page -----------------------------------------------------------------------

void MainDialog::on_buttonCamera_clicked() {
    const bool fromInput = ui->stackedWidgetMain->currentIndex() == 0 &&
                           ui->stackedWidgetWithMenu->currentIndex() == 0;
    if (fromInput) {
        QString name = ui->editName->text().trimmed();
        if (name == style::kNamePlaceholder)
            name.clear(); // the untouched placeholder is no name
        m_data.m_strName = name;
        if (name.isEmpty())
            return errorMessage("User Name cannot be empry!");
        const QString problem = nameProblem(name);
        if (!problem.isEmpty())
            return errorMessage(problem);
        if (!m_data.m_bTimeSynced)
            return errorMessage("Network is not ready!");
        m_data.m_dateBirth = QDate::fromString(ui->editDate->text(), "yyyy-MM-dd");
        if (!m_data.m_dateBirth.isValid())
            return errorMessage("Date is not valid!");
    }
    openCamera();
}

// Screening a child again from the history: the stored data, no typing.
void MainDialog::openCameraFor(const QString& name, bool male, const QDate& birth) {
    m_data.m_strName = name;
    m_data.m_bMale = male;
    m_data.m_dateBirth = birth;
    openCamera();
}

void MainDialog::openCamera() {
    if (!m_data.V4l2DeviceOpen()) {
        m_data.V4l2DeviceClose();
        return errorMessage("Camera Open Failed!");
    }
    ui->stackedWidgetBase->setCurrentIndex(PageCamera);
    pageCameraInit();
}

void MainDialog::setReady(bool ready) {
    for (QLabel* l : accentLines())
        l->setVisible(ready);
    ui->labelLineDOF->setVisible(!ready);
}

QList<QLabel*> MainDialog::accentLines() const {
    return {ui->labelLineC1_2,  ui->labelLineC2_2,  ui->labelLineLT1_2, ui->labelLineLT2_2,
            ui->labelLineRT1_2, ui->labelLineRT2_2, ui->labelLineLB1_2, ui->labelLineLB2_2,
            ui->labelLineRB1_2, ui->labelLineRB2_2};
}

void MainDialog::pageCameraInit() {
    ui->labelNameValue->setText(m_data.m_strName);
    // Until the first preview: the stored exposure and sharpness values.
    ui->labelBrightnessValue->setText(m_data.m_pCamCfg->m_strValue[CamCfg::Exposure]);
    ui->labelSharpnessValue->setText(m_data.m_pCamCfg->m_strValue[CamCfg::Sharpness]);
    ui->labelLineC1->show();
    ui->labelLineC2->show();
    ui->labelLineDOF->show();
    ui->labelNameCameraClock->hide();
    for (QLabel* l : accentLines())
        l->hide();
    m_data.m_nAutoStartCount = 0;
    ui->buttonFocusAuto->setText(m_data.m_bFocusAuto ? "AUTO  ON" : "AUTO OFF");
    m_data.m_nCameraState = 1;
    m_data.m_bPreviewEnable = true;
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

void MainDialog::timerPageCamera() {
    if (ui->stackedWidgetBase->currentIndex() != PageCamera || m_data.m_nCameraState != 1)
        return;
    const int d = m_data.m_nDistance;
    const QString distance = d < 1 ? "---" : d > 200 ? "200" : QString::number(d);
    showTwin(ui->labelDistance, ui->labelDistanceRed, ui->labelDistanceValue,
             ui->labelDistanceValueRed, distanceOk(d), distance);
    const int b = int(m_data.m_nLumaMean);
    showTwin(ui->labelBrightness, ui->labelBrightnessRed, ui->labelBrightnessValue,
             ui->labelBrightnessValueRed, brightnessOk(), QString::number(b));
    ui->labelSharpnessValue->setText(QString::number(m_data.m_nLumaGradient));
    const int p = m_data.m_nPitch;
    showTwin(ui->labelPitch, ui->labelPitchRed, ui->labelPitchValue, ui->labelPitchValueRed,
             pitchOk(p), QString::number(p) + QChar(0x00B0));
    if (p >= -59 && p <= 59) {
        ui->labelLineDOF->setGeometry(400, 188 - 5 * p / 2, 75, 5);
        ui->labelLineDOF->show();
    } else {
        ui->labelLineDOF->hide();
    }
    setReady(pitchOk(p) && distanceOk(d) && brightnessOk());
    if (m_data.m_bFocusAuto)
        autoStartCamera();
}

void MainDialog::autoStartCamera() {
    const bool ready = m_data.m_nCameraState == 1 && pitchOk(m_data.m_nPitch) &&
                       distanceOk(m_data.m_nDistance) && brightnessOk();
    if (!ready) {
        m_data.m_nAutoStartCount = 0;
        return;
    }
    if (++m_data.m_nAutoStartCount >= 11)
        beginTakePhoto();
}

void MainDialog::on_buttonPhoto_clicked() {
    if (!pitchOk(m_data.m_nPitch))
        return notice("Please move the cross sign \r\nto the center");
    if (!brightnessOk())
        return notice(kLowerBrightness);
    beginTakePhoto();
}

void MainDialog::setCameraButtonsEnabled(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(ui->buttonFocusAuto), static_cast<QWidget*>(ui->buttonFlash),
          static_cast<QWidget*>(ui->buttonPhoto), static_cast<QWidget*>(ui->buttonCameraReturn)})
        w->setEnabled(enabled);
}

void MainDialog::switchFlashOff() {
    m_data.m_bFlashOn = false;
    ui->buttonFlash->setIcon(QIcon(":/png/flashon_off@2x.png"));
    m_data.FlashOff();
}

void MainDialog::beginTakePhoto() {
    if (m_data.m_bFlashOn)
        switchFlashOff(); // the recording thread drives the light
    if (!m_data.AVIFileOpen())
        return errorMessage("Vedio File Open Failed!");
    m_data.m_nAutoStartCount = 0;
    setCameraButtonsEnabled(false);
    m_data.H264Emptyqueue();
    ui->labelLineC1->hide();
    ui->labelLineC2->hide();
    ui->labelLineC1_2->hide();
    ui->labelLineC2_2->hide();
    ui->labelLineDOF->hide();
    ui->labelNameCameraClock->setText("3");
    ui->labelNameCameraClock->show();
    m_data.m_nCameraState = 2;
}

void MainDialog::on_buttonFlash_clicked() {
    if (m_data.m_bFlashOn)
        return switchFlashOff();
    if (m_data.m_nLumaMean >= 20)
        return notice(kLowerBrightness);
    m_data.m_bFlashOn = true;
    ui->buttonFlash->setIcon(QIcon(":/png/flashon@2x.png"));
    m_data.FlashOn();
}

void MainDialog::on_buttonFocusAuto_clicked() {
    m_data.m_bFocusAuto = !m_data.m_bFocusAuto;
    m_data.m_nAutoStartCount = 0;
    ui->buttonFocusAuto->setText(m_data.m_bFocusAuto ? "AUTO  ON" : "AUTO OFF");
    saveSetting(CamCfg::FocusAuto, m_data.m_bFocusAuto ? "1" : "0");
}

void MainDialog::on_buttonCameraReturn_clicked() {
    if (m_data.m_bFlashOn)
        switchFlashOff();
    m_data.m_nCameraState = 0;
    ui->stackedWidgetBase->setCurrentIndex(PageMain);
}

void MainDialog::camera_thread_slot(int) {
    const int w = m_data.m_nPreviewWidth, h = ui->labelPhoto->height();
    {
        // The camera thread converts only while the flag is set and never while this copy
        // holds the image's lock.
        std::lock_guard<std::mutex> lock(m_data.m_previewLock);
        m_data.m_bPreviewEnable = false;
        if (m_data.m_pPreviewBuf) {
            const int top = (m_data.m_nPreviewHeight - h) >> 1;
            const QImage band(m_data.m_pPreviewBuf + size_t(top) * size_t(w), w, h, w,
                              QImage::Format_Grayscale8);
            ui->labelPhoto->setPixmap(QPixmap::fromImage(band)); // a deep copy
            ++m_nPreviewsShown;
        }
    }
    QThread::msleep(15);
    m_data.m_bPreviewEnable = true;
    if (m_data.m_nCameraState == 2) {
        const qint64 elapsed = board::currentSecsSinceEpoch() - m_data.m_tRecordStart;
        if (elapsed < 1)
            ui->labelNameCameraClock->setText("3");
        else if (elapsed == 1)
            ui->labelNameCameraClock->setText("2");
        else if (elapsed == 2)
            ui->labelNameCameraClock->setText("1");
    }
}

void MainDialog::video_thread_slot(int) {
    ui->labelLineC1->show();
    ui->labelLineC2->show();
    ui->labelLineC1_2->show();
    ui->labelLineC2_2->show();
    ui->labelNameCameraClock->hide();
    UploadDlg upload(m_data);
    upload.mode = UploadDlg::Upload;
    upload.exec();
    setCameraButtonsEnabled(true);
    if (!upload.success) {
        errorMessage(m_data.m_strPhotoResult);
        m_data.m_nCameraState = 1;
        return;
    }
    m_data.m_nCameraState = 0;
    pageResultShow();
}

// ---- result page -----------------------------------------------------------------------

void MainDialog::pageResultShow() {
    ui->stackedWidgetBase->setCurrentIndex(PageMain);
    ui->stackedWidgetMain->setCurrentIndex(0);
    ui->stackedWidgetWithMenu->setCurrentIndex(1);
    GData* d = &m_data;
    ui->labelUserName->setText(d->m_strName);
    ui->labelSPHL->setText(d->m_strODSph);
    ui->labelCYLL->setText(d->m_strODCyl);
    ui->labelAxisL->setText(d->m_strODAxis);
    ui->labelSPHR->setText(d->m_strOSSph);
    ui->labelCYLR->setText(d->m_strOSCyl);
    ui->labelAxisR->setText(d->m_strOSAxis);
    ui->labelIPD->setText(d->m_strPD);
    const int r = d->calculateReferral();
    ui->labelResultPass->setVisible(r > 0);
    ui->labelResultRefer->setVisible(r < 0);
    d->m_strReferral = verdictText(r);
    // The result is on screen either way; the operator learns that it was not kept.
    if (!d->saveTestResult())
        notice("Save File Error");
}

void MainDialog::on_buttonPrintResult_clicked() {
    printReceipt(UploadDlg::PrintResult);
}

// A receipt (the result or the test page) through the printing job, once a printer is set.
void MainDialog::printReceipt(int mode) {
    if (m_data.m_pCamCfg->m_strValue[CamCfg::PrinterId].isEmpty())
        return notice("No Printer ID Config!");
    UploadDlg print(m_data);
    print.mode = mode;
    print.exec();
    if (print.textResult != "OK")
        notice("Connect to Server Failed!");
}
