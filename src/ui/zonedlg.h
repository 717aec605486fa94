// Chooses the time zone: 25 buttons, each stores its value and text and closes. Closed any
// other way, nothing is chosen. It closes when another window comes over it.
#pragma once

#include <optional>

#include "ui/device_dialog.h"

namespace Ui {
class ZoneDlg;
}

class ZoneDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit ZoneDlg(QWidget* parent = nullptr);
    ~ZoneDlg() override;

    // Shows the dialog; the zone chosen as the settings store it, or nothing.
    std::optional<QString> choose();

private:
    void choose(int index);

    Ui::ZoneDlg* ui;
    std::optional<QString> m_chosen;
};
