// The setup screens: the setup menu and its pages (referral criterion, calibration, screen
// timeout and power-off, time zone, region, machine identity), factory reset, power off
// and the system update. The texts the pages show are in ui/settings_text.h.
#pragma once

#include "ui/screen_controller.h"

class SettingsController : public ScreenController {
    Q_OBJECT
public:
    SettingsController(WindowShell& shell, QObject* parent, Ui::MainDialog& form, GData& data);

    // The criterion's name and mark on the main page.
    void labelReferralInit();
    // The printer ID typed on the keyboard.
    void printerIdEntered();

public slots:
    void returnToSetup();
    void on_buttonReferral_clicked();
    void on_buttonMattaMatta_clicked();
    void on_buttonMattaArthur2_clicked();
    void on_buttonMattaArnold_clicked();
    void on_buttonArthur2Matta_clicked();
    void on_buttonArthur2Arthur2_clicked();
    void on_buttonArthur2Arnold_clicked();
    void on_buttonArnoldMatta_clicked();
    void on_buttonArnoldArthur2_clicked();
    void on_buttonArnoldArnold_clicked();
    void on_buttonParam_clicked();
    void on_buttonParamPitchPlus_clicked();
    void on_buttonParamPitchSub_clicked();
    void on_buttonParamDistancePlus_clicked();
    void on_buttonParamDistanceSub_clicked();
    void on_buttonSleepTime_clicked();
    void on_buttonClockScreen_clicked();
    void on_buttonClockShutdown_clicked();
    void on_buttonZone_clicked();
    void on_buttonTimeZone_clicked();
    void on_buttonCountry_clicked();
    void on_buttonSelectUS_clicked();
    void on_buttonSelectIndia_clicked();
    void on_buttonSelectChina_clicked();
    void on_buttonSelectPhilippines_clicked();
    void on_buttonMachineID_clicked();
    void on_buttonPrintTestpage_clicked();
    void on_buttonReboot_clicked();
    void on_buttonFactory_clicked();
    void on_buttonUpdate_clicked();
    void on_buttonLanguage_clicked();

    // The texts this controller sets, again in the language now in force.
    void retranslate();
    // The language chosen on its page: stored, and in force at once.
    void chooseLanguage(const QString& code);

private:
    void pageLanguageInit();
    void chooseReferral(int code);
    void stepCalibration(bool pitch, int step);
    void labelTimeoutSettingShow();
    void chooseTimeout(bool screen, int y);
    void pageTimeZoneInit();
    void pageCountryInit();
    void chooseRegion(int region);
    void pageMachineIDShow();
    void labelMachineIDShow();
};
