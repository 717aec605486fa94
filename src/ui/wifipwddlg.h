// Asks for a network's pass phrase: shown in clear at first, hidden and shown again with
// the eye button; the field opens the on-screen keyboard. Connect confirms it.
#pragma once

#include <optional>

#include "ui/device_dialog.h"

namespace Ui {
class WifiPwdDlg;
}

class WifiPwdDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit WifiPwdDlg(QWidget* parent = nullptr);
    ~WifiPwdDlg() override;

    // Shows the dialog; the pass phrase typed when it was closed by Connect, or nothing.
    std::optional<QString> ask();

private slots:
    void on_buttonConnect_clicked();
    void on_buttonCancel_clicked();
    void on_buttonHide_clicked();

private:
    Ui::WifiPwdDlg* ui;
    std::optional<QString> m_password;
    bool m_bShow = true; // the pass phrase is shown in clear
};
