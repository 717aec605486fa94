// Why a screening ends without a result: the operator picks one of the reasons
// (kUnableReasons), or closes with X and goes on screening.
#pragma once

#include "ui/device_dialog.h"

namespace Ui {
class ReasonDlg;
}

class ReasonDlg : public DeviceDialog {
    Q_OBJECT
public:
    explicit ReasonDlg(QWidget* parent = nullptr);
    ~ReasonDlg() override;

    // Asks, and gives the chosen code or "".
    static QString ask();

private:
    Ui::ReasonDlg* ui;
    QString m_chosen; // the reason's code, "" when closed
};
