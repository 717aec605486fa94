// Asks for a network's pass phrase: shown in clear at first, hidden and shown again with
// the eye button; the field opens the on-screen keyboard. Connect confirms it.
#pragma once

#include "ui/device_dialog.h"

namespace Ui {
class WifiPwdDlg;
}

class WifiPwdDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit WifiPwdDlg(QWidget* parent = nullptr);
    ~WifiPwdDlg() override;

    QString m_strPassword;   // the typed text, once confirmed
    bool m_bConnect = false; // closed by Connect
    bool m_bShow = true;     // the pass phrase is shown in clear

private slots:
    void on_buttonConnect_clicked();
    void on_buttonCancel_clicked();
    void on_buttonHide_clicked();

private:
    Ui::WifiPwdDlg* ui;
};
