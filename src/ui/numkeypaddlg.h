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
    explicit NumKeypadDlg(QWidget* parent = nullptr);
    ~NumKeypadDlg() override;

    QLineEdit* m_pLineEdit = nullptr; // not owned
    int m_nLength = 0;
    bool m_bTemplate = true;

    void on_number_input(int digit);

private slots:
    void on_buttonDel_clicked();
    void on_buttonEnter_clicked();

private:
    Ui::NumKeypadDlg* ui;
};
