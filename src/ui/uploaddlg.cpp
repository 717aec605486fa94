#include "ui/uploaddlg.h"

#include "ui_uploaddlg.h"

#include "app/gdata.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

UploadDlg::UploadDlg(QWidget* parent) : QDialog(parent), ui(new Ui::UploadDlg) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    qApp->installEventFilter(this);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &UploadDlg::on_timer);
    m_timer->start(1000);
}

UploadDlg::~UploadDlg() {
    qApp->removeEventFilter(this);
    delete ui;
}

QString UploadDlg::jobText(int mode) {
    switch (mode) {
    case Upload:
        return "Data is processing, Please wait...";
    case Download:
        return "File is downloading, Please wait...";
    case PrintTestPage:
    case PrintResult:
        return "It is printing, Please wait...";
    case VersionCheck:
        return "Version checking, Please wait...";
    case SendMail:
        return "Sending Result, Please wait...";
    default:
        return QString();
    }
}

bool UploadDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::WindowActivate && jobsRun == 0) {
        ui->label->setText(jobText(mode));
        runJob();
        close();
    }
    return QDialog::eventFilter(watched, event);
}

void UploadDlg::runJob() {
    ++jobsRun;
    switch (mode) {
    case Upload:
        success = g_pData->uploadAVIFile() == 1;
        break;
    case Download:
        success = g_pData->versionDownlod();
        break;
    case PrintTestPage:
        textResult = g_pData->httpPrintTestpage();
        break;
    case PrintResult:
        textResult = g_pData->httpPrintResult();
        break;
    case VersionCheck:
        checkResult = g_pData->versionCheck();
        break;
    case SendMail:
        textResult = g_pData->smtpSendReport();
        break;
    default:
        break;
    }
}

void UploadDlg::on_timer() {
    if (progress < 90)
        ++progress;
    ui->labelTimer->setText(QString::number(progress) + "%");
    ui->progressBar->setValue(progress);
}
