// Today's date and time, typed by the operator when the device has no trusted clock (no
// network time, and a hardware clock that lost its time): "yyyy-MM-dd HH:mm" on the numeric
// keypad, in the device's local time. OK takes it when it is a possible time; X closes.
#pragma once

#include "ui/device_dialog.h"

#include <optional>

namespace Ui {
class ClockDlg;
}

class ClockDlg : public DeviceDialog {
    Q_OBJECT
public:
    // `timeZoneHours`: the time-zone setting; `notBefore`: the last time the device trusted.
    ClockDlg(const QString& timeZoneHours, qint64 notBefore, QWidget* parent = nullptr);
    ~ClockDlg() override;

    // Shows the dialog; the system time (UTC seconds) taken with OK, or nothing.
    std::optional<qint64> choose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void on_buttonOK_clicked();
    void on_buttonCancel_clicked();

private:
    Ui::ClockDlg* ui;
    std::optional<qint64> m_chosen;
    QString m_timeZone;
    qint64 m_notBefore;
};
