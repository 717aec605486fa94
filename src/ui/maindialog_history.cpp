// The history pages of the main window: the list of children and one child's screenings.
#include "ui/maindialog.h"

#include "ui_maindialog.h"

void MainDialog::on_buttonHistory_clicked() {
    showNoMenu(PageHistory);
}
void MainDialog::on_buttonHistoryReturn_clicked() {
    ui->stackedWidgetMain->setCurrentIndex(0);
}
void MainDialog::on_buttonUserDetailReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageHistory);
}
