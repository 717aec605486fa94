// The numeric keypad for the birth date.
#pragma once

#include "ui/device_dialog.h"

class QLineEdit;

namespace Ui {
class NumKeypadDlg;
}

class NumKeypadDlg : public DeviceDialog {
    Q_OBJECT
public:
    // Types at most `length` digits into `edit` (not owned).
    explicit NumKeypadDlg(QLineEdit* edit = nullptr, int length = 0, QWidget* parent = nullptr);
    ~NumKeypadDlg() override;

    void on_number_input(int digit);

private slots:
    void on_buttonDel_clicked();
    void on_buttonEnter_clicked();

private:
    Ui::NumKeypadDlg* ui;
    QLineEdit* m_pLineEdit; // not owned
    int m_nLength;
    bool m_bTemplate = true;
};
