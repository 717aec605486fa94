#include "ui/clockdlg.h"

#include "ui_clockdlg.h"

#include "core/local_time.h"
#include "ui/keyboards.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {
const QString kClockTemplate = QStringLiteral("____-__-__ __:__");
}

ClockDlg::ClockDlg(const QString& timeZoneHours, qint64 notBefore, QWidget* parent)
    : DeviceDialog(parent), ui(new Ui::ClockDlg), m_timeZone(timeZoneHours),
      m_notBefore(notBefore) {
    ui->setupUi(this);
    ui->editClock->setText(kClockTemplate);
    ui->editClock->installEventFilter(this);
    // A refusal is shown until the time is changed.
    connect(ui->editClock, &QLineEdit::textChanged, this,
            [this] { dialogs::setFittingText(ui->label, tr("Set today's date and time")); });
}

ClockDlg::~ClockDlg() {
    delete ui;
}

// A press on the field opens the numeric keypad below the dialog.
bool ClockDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->editClock && event->type() == QEvent::MouseButtonPress) {
        dialogs::openNumKeypad(ui->editClock, kClockTemplate.size(), QPoint(240, 300));
        return true;
    }
    return DeviceDialog::eventFilter(watched, event);
}

std::optional<qint64> ClockDlg::choose() {
    m_chosen.reset();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_chosen;
}

void ClockDlg::on_buttonOK_clicked() {
    m_chosen = systemTimeOfLocal(ui->editClock->text(), m_timeZone, m_notBefore);
    if (!m_chosen) {
        dialogs::setFittingText(ui->label, tr("Date is not valid!"));
        return;
    }
    accept();
}

void ClockDlg::on_buttonCancel_clicked() {
    reject();
}
