// Chooses the time zone: 25 buttons, each stores its value and text and closes. Closed any
// other way, nothing is chosen. It closes when another window comes over it.
#pragma once

#include "ui/device_dialog.h"

namespace Ui {
class ZoneDlg;
}

class ZoneDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit ZoneDlg(QWidget* parent = nullptr);
    ~ZoneDlg() override;

    QString m_strZone; // the chosen value ("" until chosen), as stored in the settings
    QString m_strText; // its text

private:
    void choose(int index);

    Ui::ZoneDlg* ui;
};
