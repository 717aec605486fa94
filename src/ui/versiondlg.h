// The maintenance dialog: every version the firmware server offers for the region, and a
// switch to the chosen one (check, ask, download, verify, stage, reboot).
#pragma once

#include "ui/device_dialog.h"

class GData;

namespace Ui {
class versiondlg;
}

class versiondlg : public DeviceDialog {
    Q_OBJECT
public:
    // The version list is the one `data` fetched last.
    explicit versiondlg(GData& data, QWidget* parent = nullptr);
    ~versiondlg() override;

    void versionListInit();
    void versionSwitch(QString& file);

private slots:
    void on_buttonOK_clicked();
    void on_buttonCancel_clicked();

private:
    Ui::versiondlg* ui;
    GData& m_data;
};
