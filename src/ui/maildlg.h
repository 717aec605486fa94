// Asks for the e-mail address the results go to: Send confirms it, Cancel does not. The
// address field opens the on-screen keyboard; the dialog sits at the top of the window so
// the keyboard below leaves it in view.
#pragma once

#include <optional>

#include "ui/device_dialog.h"

namespace Ui {
class MailDlg;
}

class MailDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit MailDlg(QWidget* parent = nullptr);
    ~MailDlg() override;

    // Shows the dialog; the address entered when it was closed by Send, or nothing.
    std::optional<QString> ask();

private slots:
    void on_buttonSend_clicked();
    void on_buttonCancel_clicked();

private:
    Ui::MailDlg* ui;
    std::optional<QString> m_address;
};
