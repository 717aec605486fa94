// The Wi-Fi screen: the table of visible networks, refreshed by the Wi-Fi worker, joining,
// switching and forgetting networks, and the maintenance access behind a pass phrase. The
// rows are made by ui/wifi_rows.h.
#pragma once

#include <QString>

#include "ui/screen_controller.h"

class QModelIndex;
class QStandardItemModel;

class WifiController : public ScreenController {
    Q_OBJECT
public:
    WifiController(WindowShell& shell, QObject* parent, Ui::MainDialog& form, GData& data);

    void tableViewWIFIShow();

public slots:
    void on_buttonWIFI_clicked();
    void on_buttonReturn_clicked();
    void on_tableViewWireless_clicked(const QModelIndex& index);
    void device_thread_slot(QString info);

private:
    void tableViewWIFIInit();
    void joinSecured(const QString& ssid);
    void joinOpen(const QString& ssid);
    void offerSaved(const QString& ssid);
    void openVersionDialog();
    void wifiDone(bool ok, const QString& failure);

    QStandardItemModel* m_pWifiModel = nullptr;
};
