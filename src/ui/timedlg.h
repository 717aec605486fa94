// Chooses a timeout: six buttons, each stores its text and minutes and closes. Closed any
// other way, nothing is chosen. It closes when another window comes over it.
#pragma once

#include <optional>

#include "ui/device_dialog.h"

namespace Ui {
class TimeDlg;
}

class TimeDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit TimeDlg(QWidget* parent = nullptr);
    ~TimeDlg() override;

    struct Timeout {
        QString text; // as the page shows it
        int minutes;  // -1 never
    };
    // Shows the dialog; the timeout chosen, or nothing when it was closed otherwise.
    std::optional<Timeout> choose();

private:
    void choose(int index);

    Ui::TimeDlg* ui;
    std::optional<Timeout> m_chosen;
};
