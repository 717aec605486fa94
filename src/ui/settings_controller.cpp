#include "ui/settings_controller.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "capture/capture_session.h"
#include "core/common.h"
#include "core/log.h"
#include "core/settings.h"
#include "output/output_service.h"
#include "screening/screening_session.h"
#include "sensors/sensor_hub.h"
#include "system/cmdutil.h"
#include "system/firmware_service.h"
#include "ui/language.h"
#include "ui/msgdialog.h"
#include "ui/outcome_texts.h"
#include "ui/qr_image.h"
#include "ui/screening_controller.h"
#include "ui/settings_text.h"
#include "ui/styles.h"
#include "ui/timedlg.h"
#include "ui/uploaddlg.h"
#include "ui/window_shell.h"
#include "ui/zonedlg.h"

SettingsController::SettingsController(WindowShell& shell, QObject* parent, Ui::MainDialog& form,
                                       GData& data)
    : ScreenController(shell, parent, form, data) {
    using C = SettingsController;
    onClicked<C>({ui->buttonParamReturn, ui->buttonCountryReturn, ui->buttonMachineIDReturn,
                  ui->buttonSleepTimeReturn, ui->buttonTimeZoneReturn, ui->buttonLanguageReturn,
                  ui->buttonReferralReturn},
                 &C::returnToSetup);
    onClicked<C>({ui->buttonReferral, ui->buttonReferral_2}, &C::on_buttonReferral_clicked);
    onClicked<C>({ui->buttonMattaMatta}, &C::on_buttonMattaMatta_clicked);
    onClicked<C>({ui->buttonMattaArthur2}, &C::on_buttonMattaArthur2_clicked);
    onClicked<C>({ui->buttonMattaArnold}, &C::on_buttonMattaArnold_clicked);
    onClicked<C>({ui->buttonArthur2Matta}, &C::on_buttonArthur2Matta_clicked);
    onClicked<C>({ui->buttonArthur2Arthur2}, &C::on_buttonArthur2Arthur2_clicked);
    onClicked<C>({ui->buttonArthur2Arnold}, &C::on_buttonArthur2Arnold_clicked);
    onClicked<C>({ui->buttonArnoldMatta}, &C::on_buttonArnoldMatta_clicked);
    onClicked<C>({ui->buttonArnoldArthur2}, &C::on_buttonArnoldArthur2_clicked);
    onClicked<C>({ui->buttonArnoldArnold}, &C::on_buttonArnoldArnold_clicked);
    onClicked<C>({ui->buttonParam, ui->buttonParam_2}, &C::on_buttonParam_clicked);
    onClicked<C>({ui->buttonParamPitchPlus}, &C::on_buttonParamPitchPlus_clicked);
    onClicked<C>({ui->buttonParamPitchSub}, &C::on_buttonParamPitchSub_clicked);
    onClicked<C>({ui->buttonParamDistancePlus}, &C::on_buttonParamDistancePlus_clicked);
    onClicked<C>({ui->buttonParamDistanceSub}, &C::on_buttonParamDistanceSub_clicked);
    onClicked<C>({ui->buttonSleepTime, ui->buttonSleepTime_2}, &C::on_buttonSleepTime_clicked);
    onClicked<C>({ui->buttonClockScreen}, &C::on_buttonClockScreen_clicked);
    onClicked<C>({ui->buttonClockShutdown}, &C::on_buttonClockShutdown_clicked);
    onClicked<C>({ui->buttonZone, ui->buttonZone_2}, &C::on_buttonZone_clicked);
    onClicked<C>({ui->buttonTimeZone}, &C::on_buttonTimeZone_clicked);
    onClicked<C>({ui->buttonCountry, ui->buttonCountry_2}, &C::on_buttonCountry_clicked);
    onClicked<C>({ui->buttonSelectUS, ui->buttonSelectUS2}, &C::on_buttonSelectUS_clicked);
    onClicked<C>({ui->buttonSelectIndia, ui->buttonSelectIndia2}, &C::on_buttonSelectIndia_clicked);
    onClicked<C>({ui->buttonSelectChina, ui->buttonSelectChina2}, &C::on_buttonSelectChina_clicked);
    onClicked<C>({ui->buttonSelectPhilippines, ui->buttonSelectPhilippines2},
                 &C::on_buttonSelectPhilippines_clicked);
    onClicked<C>({ui->buttonMachineID, ui->buttonMachineID_2}, &C::on_buttonMachineID_clicked);
    onClicked<C>({ui->buttonPrintTestpage}, &C::on_buttonPrintTestpage_clicked);
    onClicked<C>({ui->buttonReboot}, &C::on_buttonReboot_clicked);
    onClicked<C>({ui->buttonFactory, ui->buttonFactory_2}, &C::on_buttonFactory_clicked);
    onClicked<C>({ui->buttonUpdate, ui->buttonUpdate_2}, &C::on_buttonUpdate_clicked);
    onClicked<C>({ui->buttonLanguage, ui->buttonLanguage_2}, &C::on_buttonLanguage_clicked);
    const QList<QList<QPushButton*>> languageRows{
        {ui->buttonLanguageEnglish, ui->buttonLanguageEnglish2},
        {ui->buttonLanguageHindi, ui->buttonLanguageHindi2},
        {ui->buttonLanguageChinese, ui->buttonLanguageChinese2},
        {ui->buttonLanguageFilipino, ui->buttonLanguageFilipino2}};
    for (int i = 0; i < languageRows.size(); ++i)
        for (QPushButton* b : languageRows[i])
            connect(b, &QPushButton::clicked, this, [this, i] {
                chooseLanguage(QString::fromLatin1(language::kLanguages[i].code));
            });
}

// The criterion's name and mark on the main page; an unknown code leaves them as they are.
void SettingsController::labelReferralInit() {
    const int c = m_data.settings().referralCriterion();
    if (settings_text::criterionName(c).isEmpty())
        return;
    ui->labelReferral->setText(settings_text::criterionName(c));
    ui->labelReferralIndex->setPixmap(QPixmap(settings_text::criterionMark(c)));
}

// The trimmed text typed on the keyboard becomes the printer ID, saved at once; an empty
// one shows the hint again.
void SettingsController::printerIdEntered() {
    const QString id = ui->editPrinterID->text().trimmed();
    // The settings file separates its values by "|": the ID would shift every later one.
    if (!Settings::storable(id))
        errorMessage("Printer ID cannot contain \"|\"!");
    else
        saveSetting(CamCfg::PrinterId, id);
    pageMachineIDShow();
}

void SettingsController::returnToSetup() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}

// ---- referral criterion -------------------------------------------------------------

void SettingsController::on_buttonReferral_clicked() {
    showNoMenu(PageReferral);
    ui->stackedWidgetReferral->setCurrentIndex(
        settings_text::referralSubPage(m_data.settings().referralCriterion()));
}

void SettingsController::chooseReferral(int code) {
    ui->stackedWidgetReferral->setCurrentIndex(settings_text::referralSubPage(code));
    saveSetting(CamCfg::ReferralCriteria, QString::number(code));
    labelReferralInit();
}
void SettingsController::on_buttonMattaMatta_clicked() {
    chooseReferral(1);
}
void SettingsController::on_buttonMattaArthur2_clicked() {
    chooseReferral(2);
}
void SettingsController::on_buttonMattaArnold_clicked() {
    chooseReferral(0);
}
void SettingsController::on_buttonArthur2Matta_clicked() {
    chooseReferral(1);
}
void SettingsController::on_buttonArthur2Arthur2_clicked() {
    chooseReferral(2);
}
void SettingsController::on_buttonArthur2Arnold_clicked() {
    chooseReferral(0);
}
void SettingsController::on_buttonArnoldMatta_clicked() {
    chooseReferral(1);
}
void SettingsController::on_buttonArnoldArthur2_clicked() {
    chooseReferral(2);
}
void SettingsController::on_buttonArnoldArnold_clicked() {
    chooseReferral(0);
}

// ---- parameter page -------------------------------------------------------------------

void SettingsController::stepCalibration(bool pitch, int step) {
    const CamCfg::Value index = pitch ? CamCfg::PitchOffset : CamCfg::DistanceOffset;
    saveSetting(index, QString::number(qint64(m_data.settings().number(index)) + step));
    if (!m_data.sensors().backupSensorCalibrationData())
        qCWarning(lcUi, "the calibration store could not be written");
    (pitch ? ui->valueParamPitch : ui->valueParamDistance)->setText(m_data.settings().value(index));
}
void SettingsController::on_buttonParamPitchPlus_clicked() {
    stepCalibration(true, 1);
}
void SettingsController::on_buttonParamPitchSub_clicked() {
    stepCalibration(true, -1);
}
void SettingsController::on_buttonParamDistancePlus_clicked() {
    stepCalibration(false, 1);
}
void SettingsController::on_buttonParamDistanceSub_clicked() {
    stepCalibration(false, -1);
}

void SettingsController::on_buttonParam_clicked() {
    ui->valueParamPitch->setText(m_data.settings().value(CamCfg::PitchOffset));
    ui->valueParamDistance->setText(m_data.settings().value(CamCfg::DistanceOffset));
    showNoMenu(PageParam);
}
// ---- screen timeout and power-off ---------------------------------------------------

void SettingsController::labelTimeoutSettingShow() {
    ui->labelClockScreenValue->setText(
        settings_text::timeoutText(m_data.settings().screenOffMinutes()));
    ui->labelClockShutdownValue->setText(
        settings_text::timeoutText(m_data.settings().shutdownMinutes()));
}

void SettingsController::on_buttonSleepTime_clicked() {
    labelTimeoutSettingShow();
    showNoMenu(PageSleepTime);
}

void SettingsController::chooseTimeout(bool screen, int y) {
    TimeDlg dlg;
    dlg.moveInWindow(175, y);
    const std::optional<TimeDlg::Timeout> chosen = dlg.choose();
    if (!chosen)
        return;
    (screen ? ui->labelClockScreenValue : ui->labelClockShutdownValue)->setText(chosen->text);
    saveSetting(screen ? CamCfg::ScreenOffTime : CamCfg::ShutdownTime,
                QString::number(chosen->minutes));
}
void SettingsController::on_buttonClockScreen_clicked() {
    chooseTimeout(true, 344);
}
void SettingsController::on_buttonClockShutdown_clicked() {
    chooseTimeout(false, 419);
}
// ---- time zone -----------------------------------------------------------------------

void SettingsController::pageTimeZoneInit() {
    ui->labelTimeZoneZoneValue->setText(settings_text::zoneText(m_data.settings().timeZone()));
    m_shell.labelTimeShow();
}

void SettingsController::on_buttonZone_clicked() {
    pageTimeZoneInit();
    showNoMenu(PageTimeZone);
}

void SettingsController::on_buttonTimeZone_clicked() {
    ZoneDlg dlg;
    dlg.moveInWindow(20, 10);
    const std::optional<QString> zone = dlg.choose();
    if (!zone)
        return;
    saveSetting(CamCfg::TimeZone, *zone);
    pageTimeZoneInit();
}
// ---- region ------------------------------------------------------------------------------

void SettingsController::pageCountryInit() {
    const QList<QPushButton*> rows{ui->buttonSelectUS, ui->buttonSelectIndia, ui->buttonSelectChina,
                                   ui->buttonSelectPhilippines};
    const int chosen = settings_text::regionRow(m_data.settings().region());
    for (int i = 0; i < rows.size(); ++i)
        rows[i]->setIcon(QIcon(i == chosen ? ":/pic/checkon.jpg" : ":/pic/checkoff.jpg"));
}

void SettingsController::on_buttonCountry_clicked() {
    pageCountryInit();
    showNoMenu(PageCountry);
}

// The stored region chosen again changes nothing, not even the file.
void SettingsController::chooseRegion(int region) {
    if (region == m_data.settings().region())
        return;
    saveSetting(CamCfg::Region, QString::number(region));
    pageCountryInit();
}
void SettingsController::on_buttonSelectUS_clicked() {
    chooseRegion(0);
}
void SettingsController::on_buttonSelectIndia_clicked() {
    chooseRegion(1);
}
void SettingsController::on_buttonSelectChina_clicked() {
    chooseRegion(2);
}
void SettingsController::on_buttonSelectPhilippines_clicked() {
    chooseRegion(3);
}
// ---- language ------------------------------------------------------------------------------

void SettingsController::pageLanguageInit() {
    const QList<QPushButton*> rows{ui->buttonLanguageEnglish, ui->buttonLanguageHindi,
                                   ui->buttonLanguageChinese, ui->buttonLanguageFilipino};
    for (int i = 0; i < rows.size(); ++i)
        rows[i]->setIcon(
            QIcon(m_shell.languages().current() == QLatin1StringView(language::kLanguages[i].code)
                      ? ":/pic/checkon.jpg"
                      : ":/pic/checkoff.jpg"));
}

void SettingsController::on_buttonLanguage_clicked() {
    pageLanguageInit();
    showNoMenu(PageLanguage);
}

void SettingsController::chooseLanguage(const QString& code) {
    if (code != m_data.settings().language())
        saveSetting(CamCfg::Language, code);
    if (code != m_shell.languages().current())
        m_shell.languages().apply(
            code); // the window retranslates on the LanguageChange that follows
    pageLanguageInit();
}

void SettingsController::retranslate() {
    labelReferralInit();
    labelTimeoutSettingShow();
    ui->labelTimeZoneZoneValue->setText(settings_text::zoneText(m_data.settings().timeZone()));
    pageMachineIDShow();
    pageLanguageInit();
}

// ---- machine identity --------------------------------------------------------------------

void SettingsController::pageMachineIDShow() {
    const QString id = m_data.settings().printerId();
    ui->editPrinterID->setText(id.isEmpty() ? style::printerPlaceholder() : id);
    ui->editPrinterID->setStyleSheet(id.isEmpty() ? style::kPrinterPlaceholderStyle
                                                  : style::kPrinterTyping);
    labelMachineIDShow();
    ui->labelMachineIDSWVersion->setText(m_data.firmware().version());
    ui->labelMachineIDModel->setText(tr("Product Model: 7R-D20"));
}

// The machine identity as a QR code filling the whole label.
void SettingsController::labelMachineIDShow() {
    const QByteArray identity = m_data.identity().GetETNetMACAddress().toUtf8();
    QLabel* label = ui->labelMachineIDBarcode;
    label->setPixmap(QPixmap::fromImage(qrImage(identity, label->size())));
}

void SettingsController::on_buttonMachineID_clicked() {
    pageMachineIDShow();
    showNoMenu(PageMachineID);
}

void SettingsController::on_buttonPrintTestpage_clicked() {
    OutputService& output = m_data.output();
    m_shell.screening().printReceipt(UploadDlg::PrintTestPage,
                                     [&output] { return output.httpPrintTestpage(); });
}

// Power off from the main menu, after asking.
void SettingsController::on_buttonReboot_clicked() {
    if (!MsgDialog::askYes("Power Off"))
        return;
    m_data.capture().FlashOff();
    m_data.commands().poweroff();
}

// Factory reset: the settings go back to their defaults; history, Wi-Fi and the sensor
// calibration stay.
void SettingsController::on_buttonFactory_clicked() {
    if (!MsgDialog::askYes("Restore"))
        return;
    if (!m_data.settings().resetDefaults())
        qCWarning(lcUi, "the default settings could not be saved");
    m_data.InitConfigParameter();
    labelReferralInit();
    if (m_shell.languages().current() != m_data.settings().language())
        m_shell.languages().apply(m_data.settings().language()); // back to English
}

// System update: check, ask, download, reboot.
void SettingsController::on_buttonUpdate_clicked() {
    FirmwareService& firmware = m_data.firmware();
    const auto checked =
        UploadDlg::run(m_shell.sendGuard(UploadDlg::VersionCheck), UploadDlg::VersionCheck,
                       [&firmware] { return firmware.versionCheck(); });
    if (!checked)
        return;
    if (*checked != VersionCheck::NewVersion)
        return notice(outcome::versionCheckNotice(*checked));
    if (!MsgDialog::askYes("System Update"))
        return;
    if (!UploadDlg::run(UploadDlg::Download, [&firmware] { return firmware.versionDownlod(); }))
        return notice("System Update Failed!");
    notice("System Update Success!");
    m_data.commands().reboot();
}
