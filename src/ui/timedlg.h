// Chooses a timeout: six buttons, each stores its text and minutes and closes. Closed any
// other way, nothing is chosen. It closes when another window comes over it.
#pragma once

#include "ui/device_dialog.h"

namespace Ui {
class TimeDlg;
}

class TimeDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit TimeDlg(QWidget* parent = nullptr);
    ~TimeDlg() override;

    QString m_strText;   // the chosen text ("" until chosen)
    int m_nMinutes = -1; // its minutes, -1 never

private:
    void choose(int index);

    Ui::TimeDlg* ui;
};
