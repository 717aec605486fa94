// The setup pages of the main window: the setup menu and its pages, the machine identity,
// factory reset, power off and the system update.
#include "ui/maindialog.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "core/camcfg.h"
#include "system/cmdutil.h"
#include "ui/msgdialog.h"
#include "ui/settings_text.h"
#include "ui/styles.h"
#include "ui/uploaddlg.h"

#include <QDebug>

// The criterion's name and mark on the main page; an unknown code leaves them as they are.
void MainDialog::labelReferralInit() {
    const int c = m_data.m_nReferralCriteria;
    if (settings_text::criterionName(c).isEmpty())
        return;
    ui->labelReferral->setText(settings_text::criterionName(c));
    ui->labelReferralIndex->setPixmap(QPixmap(settings_text::criterionMark(c)));
}

// The trimmed text typed on the keyboard becomes the printer ID, saved at once.
void MainDialog::printerIdEntered() {
    const QString id = ui->editPrinterID->text().trimmed();
    if (!m_data.m_pCamCfg->storeValue(CamCfg::PrinterId, id))
        errorMessage("Save Failed!");
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

void MainDialog::on_buttonReferral_clicked() {
    showNoMenu(PageReferral);
    ui->stackedWidgetReferral->setCurrentIndex(
        settings_text::referralSubPage(m_data.m_nReferralCriteria));
}
void MainDialog::on_buttonReferral_2_clicked() {
    on_buttonReferral_clicked();
}

void MainDialog::on_buttonParam_clicked() {
    ui->valueParamPitch->setText(m_data.m_pCamCfg->m_strValue[CamCfg::PitchOffset]);
    ui->valueParamDistance->setText(m_data.m_pCamCfg->m_strValue[CamCfg::DistanceOffset]);
    showNoMenu(PageParam);
}
void MainDialog::on_buttonParam_2_clicked() {
    on_buttonParam_clicked();
}
void MainDialog::on_buttonSleepTime_clicked() {
    showNoMenu(PageSleepTime);
}
void MainDialog::on_buttonSleepTime_2_clicked() {
    on_buttonSleepTime_clicked();
}
void MainDialog::on_buttonZone_clicked() {
    showNoMenu(PageTimeZone);
}
void MainDialog::on_buttonZone_2_clicked() {
    on_buttonZone_clicked();
}
void MainDialog::on_buttonCountry_clicked() {
    showNoMenu(PageCountry);
}
void MainDialog::on_buttonCountry_2_clicked() {
    on_buttonCountry_clicked();
}
void MainDialog::on_buttonMachineID_clicked() {
    showNoMenu(PageMachineID);
}
void MainDialog::on_buttonMachineID_2_clicked() {
    on_buttonMachineID_clicked();
}

// Power off from the main menu, after asking.
void MainDialog::on_buttonReboot_clicked() {
    MsgDialog ask;
    ask.Init("Power Off", "", "Yes", "", "No");
    ask.exec();
    if (ask.result != 0)
        return;
    m_data.FlashOff();
    if (g_pCmdUtil)
        g_pCmdUtil->poweroff();
}

// Factory reset: the settings go back to their defaults; history, Wi-Fi and the sensor
// calibration stay.
void MainDialog::on_buttonFactory_clicked() {
    MsgDialog ask;
    ask.Init("Restore", "", "Yes", "", "No");
    ask.exec();
    if (ask.result != 0)
        return;
    m_data.m_pCamCfg->resetDefaultCFG();
    if (!m_data.m_pCamCfg->save())
        errorMessage("Save Failed!");
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
    MsgDialog ask;
    ask.Init("System Update", "", "Yes", "", "No");
    ask.exec();
    if (ask.result != 0)
        return;
    UploadDlg download(m_data);
    download.mode = UploadDlg::Download;
    download.exec();
    if (!download.success)
        return notice("System Update Failed!");
    notice("System Update Success!");
    if (g_pCmdUtil)
        g_pCmdUtil->reboot();
}
void MainDialog::on_buttonUpdate_2_clicked() {
    on_buttonUpdate_clicked();
}
