// The numeric keypad for the birth date.
#pragma once

#include <QDialog>

class QLineEdit;

namespace Ui {
class NumKeypadDlg;
}

class NumKeypadDlg : public QDialog {
    Q_OBJECT
public:
    explicit NumKeypadDlg(QWidget* parent = nullptr);
    ~NumKeypadDlg() override;

    QLineEdit* m_pLineEdit = nullptr; // not owned
    int m_nLength = 0;
    bool m_bTemplate = true;

    void on_number_input(int digit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void on_buttonDel_clicked();
    void on_buttonEnter_clicked();

private:
    Ui::NumKeypadDlg* ui;
    bool m_bZOrder = false;
};
