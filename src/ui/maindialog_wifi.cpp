// The Wi-Fi page of the main window: the table of visible networks, refreshed by the Wi-Fi
// worker.
#include "ui/maindialog.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "ui/styles.h"
#include "ui/wifi_rows.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

void MainDialog::tableViewWIFIInit() {
    m_pWifiModel = new QStandardItemModel(0, 8, this);
    m_pWifiModel->setHorizontalHeaderLabels({"status", "ssid", "mode", "signal", "information",
                                             "statusnumber", "modenumber", "informationnumber"});
    QTableView* t = ui->tableViewWireless;
    t->setModel(m_pWifiModel);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setShowGrid(false);
    t->verticalHeader()->setDefaultSectionSize(50);
    t->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
    t->setIconSize(QSize(40, 40));
    t->verticalScrollBar()->setStyleSheet(style::kWifiScrollBar);
    tableViewWIFIShow();
}

static QList<QStandardItem*> tableRow(const WifiRow& r) {
    QList<QStandardItem*> row;
    row << (r.connected ? new QStandardItem(QIcon(":/pic/wifi_select.jpg"), "")
                        : new QStandardItem());
    row << new QStandardItem(r.ssid);
    row << (r.secured ? new QStandardItem(QIcon(":/pic/wifi_lock.jpg"), "") : new QStandardItem());
    row << new QStandardItem(QIcon(wifiBarsIcon(r.bars)), "");
    row << new QStandardItem() << new QStandardItem(r.connected ? "1" : "0")
        << new QStandardItem(r.secured ? "1" : "0") << new QStandardItem(r.saved ? "1" : "0");
    return row;
}

void MainDialog::tableViewWIFIShow() {
    m_pWifiModel->removeRows(0, m_pWifiModel->rowCount());
    for (const WifiRow& r : wifiRows(m_data.wifiView()))
        m_pWifiModel->appendRow(tableRow(r));
    const int widths[] = {125, 425, 100, 100, 0, 0, 0, 0};
    for (int c = 0; c < 8; ++c) {
        ui->tableViewWireless->setColumnWidth(c, widths[c]);
        ui->tableViewWireless->setColumnHidden(c, widths[c] == 0);
    }
}

void MainDialog::device_thread_slot(QString) {
    if (ui->stackedWidgetBase->currentIndex() == PageWifi)
        tableViewWIFIShow();
}

void MainDialog::on_buttonWIFI_clicked() {
    ui->stackedWidgetBase->setCurrentIndex(PageWifi);
    m_data.m_bWifiRefresh = true;
}
void MainDialog::on_buttonWIFI_2_clicked() {
    on_buttonWIFI_clicked();
}
void MainDialog::on_buttonReturn_clicked() {
    ui->stackedWidgetBase->setCurrentIndex(PageMain);
}
