// The setup pages of the main window: the setup menu and its pages, the machine identity,
// factory reset, power off and the system update.
#include "ui/maindialog.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "core/camcfg.h"
#include "core/common.h"
#include "system/cmdutil.h"
#include "ui/msgdialog.h"
#include "ui/qr_image.h"
#include "ui/settings_text.h"
#include "ui/styles.h"
#include "ui/timedlg.h"
#include "ui/uploaddlg.h"
#include "ui/zonedlg.h"

#include <QDebug>

// Every change is saved at once; a save that fails is said in the log (the pages have no
// message for it).
void MainDialog::saveSetting(int index, const QString& value) {
    if (!m_data.m_pCamCfg->storeValue(index, value))
        qDebug("settings value %d could not be saved", index);
}

// The criterion's name and mark on the main page; an unknown code leaves them as they are.
void MainDialog::labelReferralInit() {
    const int c = m_data.m_nReferralCriteria;
    if (settings_text::criterionName(c).isEmpty())
        return;
    ui->labelReferral->setText(settings_text::criterionName(c));
    ui->labelReferralIndex->setPixmap(QPixmap(settings_text::criterionMark(c)));
}

// The trimmed text typed on the keyboard becomes the printer ID, saved at once; an empty
// one shows the hint again.
void MainDialog::printerIdEntered() {
    saveSetting(CamCfg::PrinterId, ui->editPrinterID->text().trimmed());
    pageMachineIDShow();
}

void MainDialog::on_buttonParamReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonCountryReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonMachineIDReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonSleepTimeReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonTimeZoneReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonLanguageReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonReferralReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}

// ---- referral criterion -------------------------------------------------------------

void MainDialog::on_buttonReferral_clicked() {
    showNoMenu(PageReferral);
    ui->stackedWidgetReferral->setCurrentIndex(
        settings_text::referralSubPage(m_data.m_nReferralCriteria));
}

void MainDialog::chooseReferral(int code) {
    ui->stackedWidgetReferral->setCurrentIndex(settings_text::referralSubPage(code));
    m_data.m_nReferralCriteria = code;
    labelReferralInit();
    saveSetting(CamCfg::ReferralCriteria, QString::number(code));
}
void MainDialog::on_buttonMattaMatta_clicked() {
    chooseReferral(1);
}
void MainDialog::on_buttonMattaArthur2_clicked() {
    chooseReferral(2);
}
void MainDialog::on_buttonMattaArnold_clicked() {
    chooseReferral(0);
}
void MainDialog::on_buttonArthur2Matta_clicked() {
    chooseReferral(1);
}
void MainDialog::on_buttonArthur2Arthur2_clicked() {
    chooseReferral(2);
}
void MainDialog::on_buttonArthur2Arnold_clicked() {
    chooseReferral(0);
}
void MainDialog::on_buttonArnoldMatta_clicked() {
    chooseReferral(1);
}
void MainDialog::on_buttonArnoldArthur2_clicked() {
    chooseReferral(2);
}
void MainDialog::on_buttonArnoldArnold_clicked() {
    chooseReferral(0);
}

void MainDialog::on_buttonReferral_2_clicked() {
    on_buttonReferral_clicked();
}

// ---- parameter page -------------------------------------------------------------------

void MainDialog::stepCalibration(bool pitch, int step) {
    int& value = pitch ? m_data.m_nPitchOffset : m_data.m_nDistanceOffset;
    const int index = pitch ? CamCfg::PitchOffset : CamCfg::DistanceOffset;
    value += step;
    saveSetting(index, QString::number(value));
    if (!m_data.backupSensorCalibrationData())
        qDebug("the calibration store could not be written");
    (pitch ? ui->valueParamPitch : ui->valueParamDistance)
        ->setText(m_data.m_pCamCfg->m_strValue[size_t(index)]);
}
void MainDialog::on_buttonParamPitchPlus_clicked() {
    stepCalibration(true, 1);
}
void MainDialog::on_buttonParamPitchSub_clicked() {
    stepCalibration(true, -1);
}
void MainDialog::on_buttonParamDistancePlus_clicked() {
    stepCalibration(false, 1);
}
void MainDialog::on_buttonParamDistanceSub_clicked() {
    stepCalibration(false, -1);
}

void MainDialog::on_buttonParam_clicked() {
    ui->valueParamPitch->setText(m_data.m_pCamCfg->m_strValue[CamCfg::PitchOffset]);
    ui->valueParamDistance->setText(m_data.m_pCamCfg->m_strValue[CamCfg::DistanceOffset]);
    showNoMenu(PageParam);
}
void MainDialog::on_buttonParam_2_clicked() {
    on_buttonParam_clicked();
}
// ---- screen timeout and power-off ---------------------------------------------------

void MainDialog::labelTimeoutSettingShow() {
    ui->labelClockScreenValue->setText(settings_text::timeoutText(m_data.m_nScreenOffTime));
    ui->labelClockShutdownValue->setText(settings_text::timeoutText(m_data.m_nShutdownTime));
}

void MainDialog::on_buttonSleepTime_clicked() {
    labelTimeoutSettingShow();
    showNoMenu(PageSleepTime);
}

void MainDialog::chooseTimeout(bool screen, int y) {
    TimeDlg dlg;
    dlg.moveInWindow(175, y);
    dlg.exec();
    if (dlg.m_strText.isEmpty())
        return;
    (screen ? m_data.m_nScreenOffTime : m_data.m_nShutdownTime) = dlg.m_nMinutes;
    (screen ? ui->labelClockScreenValue : ui->labelClockShutdownValue)->setText(dlg.m_strText);
    saveSetting(screen ? CamCfg::ScreenOffTime : CamCfg::ShutdownTime,
                QString::number(dlg.m_nMinutes));
}
void MainDialog::on_buttonClockScreen_clicked() {
    chooseTimeout(true, 344);
}
void MainDialog::on_buttonClockShutdown_clicked() {
    chooseTimeout(false, 419);
}
void MainDialog::on_buttonSleepTime_2_clicked() {
    on_buttonSleepTime_clicked();
}
// ---- time zone -----------------------------------------------------------------------

void MainDialog::pageTimeZoneInit() {
    ui->labelTimeZoneZoneValue->setText(settings_text::zoneText(m_data.m_strTimeZone));
    labelTimeShow();
}

void MainDialog::on_buttonZone_clicked() {
    pageTimeZoneInit();
    showNoMenu(PageTimeZone);
}

void MainDialog::on_buttonTimeZone_clicked() {
    ZoneDlg dlg;
    dlg.moveInWindow(20, 10);
    dlg.exec();
    if (dlg.m_strZone.isEmpty())
        return;
    m_data.m_strTimeZone = dlg.m_strZone;
    pageTimeZoneInit();
    saveSetting(CamCfg::TimeZone, dlg.m_strZone);
}
void MainDialog::on_buttonZone_2_clicked() {
    on_buttonZone_clicked();
}
// ---- region ------------------------------------------------------------------------------

void MainDialog::pageCountryInit() {
    const QList<QPushButton*> rows{ui->buttonSelectUS, ui->buttonSelectIndia, ui->buttonSelectChina,
                                   ui->buttonSelectPhilippines};
    const int chosen = settings_text::regionRow(m_data.m_nRegion);
    for (int i = 0; i < rows.size(); ++i)
        rows[i]->setIcon(QIcon(i == chosen ? ":/pic/checkon.jpg" : ":/pic/checkoff.jpg"));
}

void MainDialog::on_buttonCountry_clicked() {
    pageCountryInit();
    showNoMenu(PageCountry);
}

// The stored region chosen again changes nothing, not even the file.
void MainDialog::chooseRegion(int region) {
    if (region == m_data.m_nRegion)
        return;
    m_data.m_nRegion = region;
    pageCountryInit();
    saveSetting(CamCfg::Region, QString::number(region));
}
void MainDialog::on_buttonSelectUS_clicked() {
    chooseRegion(0);
}
void MainDialog::on_buttonSelectUS2_clicked() {
    chooseRegion(0);
}
void MainDialog::on_buttonSelectIndia_clicked() {
    chooseRegion(1);
}
void MainDialog::on_buttonSelectIndia2_clicked() {
    chooseRegion(1);
}
void MainDialog::on_buttonSelectChina_clicked() {
    chooseRegion(2);
}
void MainDialog::on_buttonSelectChina2_clicked() {
    chooseRegion(2);
}
void MainDialog::on_buttonSelectPhilippines_clicked() {
    chooseRegion(3);
}
void MainDialog::on_buttonSelectPhilippines2_clicked() {
    chooseRegion(3);
}
void MainDialog::on_buttonCountry_2_clicked() {
    on_buttonCountry_clicked();
}
// ---- machine identity --------------------------------------------------------------------

void MainDialog::pageMachineIDShow() {
    const QString id = m_data.m_pCamCfg->m_strValue[CamCfg::PrinterId];
    ui->editPrinterID->setText(id.isEmpty() ? style::kPrinterPlaceholder : id);
    ui->editPrinterID->setStyleSheet(id.isEmpty() ? style::kPrinterPlaceholderStyle
                                                  : style::kPrinterTyping);
    labelMachineIDShow();
    ui->labelMachineIDSWVersion->setText(m_data.m_strVersion);
    ui->labelMachineIDModel->setText("Product Model: 7R-D20");
}

// The machine identity as a QR code filling the whole label.
void MainDialog::labelMachineIDShow() {
    const QByteArray identity = m_data.m_pCommon->GetETNetMACAddress().toUtf8();
    QLabel* label = ui->labelMachineIDBarcode;
    label->setPixmap(QPixmap::fromImage(qrImage(identity, label->size())));
}

void MainDialog::on_buttonMachineID_clicked() {
    pageMachineIDShow();
    showNoMenu(PageMachineID);
}

void MainDialog::on_buttonPrintTestpage_clicked() {
    printReceipt(UploadDlg::PrintTestPage);
}
void MainDialog::on_buttonMachineID_2_clicked() {
    on_buttonMachineID_clicked();
}

// Power off from the main menu, after asking.
void MainDialog::on_buttonReboot_clicked() {
    if (!MsgDialog::askYes("Power Off"))
        return;
    m_data.FlashOff();
    if (g_pCmdUtil)
        g_pCmdUtil->poweroff();
}

// Factory reset: the settings go back to their defaults; history, Wi-Fi and the sensor
// calibration stay.
void MainDialog::on_buttonFactory_clicked() {
    if (!MsgDialog::askYes("Restore"))
        return;
    m_data.m_pCamCfg->resetDefaultCFG();
    if (!m_data.m_pCamCfg->save())
        qDebug("the default settings could not be saved");
    m_data.InitConfigParameter();
    labelReferralInit();
}
void MainDialog::on_buttonFactory_2_clicked() {
    on_buttonFactory_clicked();
}

// System update: check, ask, download, reboot.
void MainDialog::on_buttonUpdate_clicked() {
    UploadDlg check(m_data);
    check.mode = UploadDlg::VersionCheck;
    check.exec();
    qDebug("VERSION CHECK result: %d", check.checkResult);
    if (check.checkResult < 0)
        return notice("Version Check Failed!");
    if (check.checkResult == 0)
        return notice("No New Version!");
    if (!MsgDialog::askYes("System Update"))
        return;
    if (!UploadDlg::download(m_data))
        return notice("System Update Failed!");
    notice("System Update Success!");
    if (g_pCmdUtil)
        g_pCmdUtil->reboot();
}
void MainDialog::on_buttonUpdate_2_clicked() {
    on_buttonUpdate_clicked();
}
