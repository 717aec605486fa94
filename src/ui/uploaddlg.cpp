#include "ui/uploaddlg.h"

#include "ui_uploaddlg.h"

#include "core/log.h"
#include "ui/send_guard.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>

namespace {
qint64 nowMs() {
    using namespace std::chrono;
    return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
} // namespace

UploadDlg::UploadDlg(Job job, std::function<void()> work, QWidget* parent)
    : DeviceDialog(parent), ui(new Ui::UploadDlg), m_job(job), m_work(std::move(work)) {
    ui->setupUi(this);
    dialogs::setFittingText(ui->label, jobText(m_job));
    qApp->installEventFilter(this);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &UploadDlg::on_timer);
    m_timer->start(1000);
}

UploadDlg::~UploadDlg() {
    qApp->removeEventFilter(this);
    delete ui;
}

bool UploadDlg::begin(SendGuard& guard, Job job) {
    if (guard.begin(nowMs()))
        return true;
    qCInfo(lcUi, "job %d: a second tap right after the first, not sent again", int(job));
    return false;
}

void UploadDlg::end(SendGuard& guard) {
    guard.end(nowMs());
}

QString UploadDlg::jobText(int job) {
    switch (job) {
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
    if (watched == this && event->type() == QEvent::WindowActivate && m_jobsRun == 0 && m_work) {
        ++m_jobsRun;
        m_work();
        close();
    }
    return QDialog::eventFilter(watched, event);
}

void UploadDlg::on_timer() {
    if (m_progress < 90)
        ++m_progress;
    ui->labelTimer->setText(QString::number(m_progress) + "%");
    ui->progressBar->setValue(m_progress);
}
