// The device's only window: a frameless 1024 x 600 panel of pages.
#pragma once

#include <QDialog>

class QLabel;

class MainDialog : public QDialog {
    Q_OBJECT
public:
    explicit MainDialog(QWidget* parent = nullptr);

private:
    QLabel* labelVersion = nullptr;
};
