#include "ui/zonedlg.h"

#include "ui_zonedlg.h"

#include "ui/settings_text.h"

#include <QCoreApplication>
#include <QPushButton>

ZoneDlg::ZoneDlg(QWidget* parent) : DeviceDialog(parent), ui(new Ui::ZoneDlg) {
    ui->setupUi(this);
    setClosesWhenCovered(true);
    // buttonZone0 .. buttonZone24, in the order of the zone table.
    for (int i = 0; i < settings_text::zones().size(); ++i) {
        auto* button = findChild<QPushButton*>(QString("buttonZone%1").arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { choose(i); });
    }
}

ZoneDlg::~ZoneDlg() {
    delete ui;
}

void ZoneDlg::choose(int index) {
    const settings_text::Zone& zone = settings_text::zones().at(index);
    m_chosen = QString::fromLatin1(zone.value);
    close();
}

std::optional<QString> ZoneDlg::choose() {
    m_chosen.reset();
    exec();
    return m_chosen;
}
