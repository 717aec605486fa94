#include "ui/uploaddlg.h"

#include "ui_uploaddlg.h"

#include "app/gdata.h"
#include "core/log.h"
#include "ui/send_guard.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>

UploadDlg::UploadDlg(GData& data, QWidget* parent)
    : DeviceDialog(parent), ui(new Ui::UploadDlg), m_data(data) {
    ui->setupUi(this);
    qApp->installEventFilter(this);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &UploadDlg::on_timer);
    m_timer->start(1000);
}

UploadDlg::~UploadDlg() {
    qApp->removeEventFilter(this);
    delete ui;
}

bool UploadDlg::run(SendGuard& guard) {
    const auto nowMs = [] {
        using namespace std::chrono;
        return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    if (!guard.begin(nowMs())) {
        qCDebug(lcUi, "job %d: a second tap right after the first, not sent again", mode);
        return false;
    }
    exec();
    guard.end(nowMs());
    return true;
}

bool UploadDlg::download(GData& data) {
    UploadDlg dlg(data);
    dlg.mode = Download;
    dlg.exec();
    return dlg.success;
}

QString UploadDlg::jobText(int mode) {
    switch (mode) {
    case Upload:
        return tr("Data is processing, Please wait...");
    case Download:
        return tr("File is downloading, Please wait...");
    case PrintTestPage:
    case PrintResult:
        return tr("It is printing, Please wait...");
    case VersionCheck:
        return tr("Version checking, Please wait...");
    case SendMail:
        return tr("Sending Result, Please wait...");
    default:
        return QString();
    }
}

bool UploadDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::WindowActivate && jobsRun == 0) {
        dialogs::setFittingText(ui->label, jobText(mode));
        runJob();
        close();
    }
    return QDialog::eventFilter(watched, event);
}

void UploadDlg::runJob() {
    ++jobsRun;
    switch (mode) {
    case Upload:
        uploadResult = m_data.uploadAVIFile();
        success = uploadResult == 1;
        break;
    case Download:
        success = m_data.versionDownlod();
        break;
    case PrintTestPage:
        textResult = m_data.httpPrintTestpage();
        break;
    case PrintResult:
        textResult = recordToPrint ? m_data.output().httpPrintRecord(*recordToPrint)
                                   : m_data.httpPrintResult();
        break;
    case VersionCheck:
        checkResult = m_data.versionCheck();
        break;
    case SendMail:
        textResult = m_data.smtpSendReport();
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
