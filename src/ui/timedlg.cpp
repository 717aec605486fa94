#include "ui/timedlg.h"

#include "ui_timedlg.h"

#include "ui/settings_text.h"

#include <QCoreApplication>
#include <QPushButton>

TimeDlg::TimeDlg(QWidget* parent) : DeviceDialog(parent), ui(new Ui::TimeDlg) {
    ui->setupUi(this);
    setClosesWhenCovered(true);
    const QList<QPushButton*> buttons{ui->button1M,  ui->button5M, ui->button10M,
                                      ui->button30M, ui->button1H, ui->buttonNever};
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons[i], &QPushButton::clicked, this, [this, i] { choose(i); });
}

TimeDlg::~TimeDlg() {
    delete ui;
}

void TimeDlg::choose(int index) {
    const settings_text::Timeout& t = settings_text::timeouts().at(index);
    m_chosen = Timeout{QCoreApplication::translate("TimeDlg", t.text), t.minutes};
    close();
}

std::optional<TimeDlg::Timeout> TimeDlg::choose() {
    m_chosen.reset();
    exec();
    return m_chosen;
}
