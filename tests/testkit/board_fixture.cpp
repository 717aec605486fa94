#include "testkit/board_fixture.h"

#include "platform/board.h"
#include "screening/history.h"
#include "virtual_board.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLabel>
#include <QMutex>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace testkit {

ScopedBoard::ScopedBoard() : m_dir(std::make_unique<QTemporaryDir>()) {
    QDir().mkpath(appDir());
    vboard::setRoot(m_dir->path() + "/board");
    vboard::resetClock();
    board::init();
}

ScopedBoard::~ScopedBoard() {
    vboard::resetClock();
}

QString ScopedBoard::root() const {
    return m_dir->path() + "/board";
}
QString ScopedBoard::appDir() const {
    return m_dir->path() + "/app";
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

namespace {
QMutex g_messagesLock;
QStringList g_messages;

void collectMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    QMutexLocker lock(&g_messagesLock);
    g_messages << text;
}
} // namespace

void captureMessages() {
    takeMessages();
    qInstallMessageHandler(collectMessage);
}

void releaseMessages() {
    qInstallMessageHandler(nullptr);
}

QStringList messages() {
    QMutexLocker lock(&g_messagesLock);
    return g_messages;
}

QStringList takeMessages() {
    QMutexLocker lock(&g_messagesLock);
    QStringList out;
    out.swap(g_messages);
    return out;
}

bool saveScreen(QWidget* widget, const QString& name) {
    const QString dir = QStringLiteral(VISTREL_TEST_ARTIFACTS) + "/screens";
    QDir().mkpath(dir);
    return widget->grab().save(dir + "/" + name + ".png");
}

std::shared_ptr<int> onNextModal(std::function<void(QWidget*)> check, int times,
                                 const char* className) {
    auto seen = std::make_shared<int>(0);
    auto* timer = new QTimer(qApp);
    QTimer::singleShot(60000, timer, &QObject::deleteLater); // a watcher that saw nothing expires
    const QByteArray wanted = className ? QByteArray(className) : QByteArray();
    QObject::connect(timer, &QTimer::timeout, [timer, seen, check, times, wanted] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || (!wanted.isEmpty() && wanted != modal->metaObject()->className()))
            return;
        ++*seen;
        if (check)
            check(modal);
        modal->close();
        if (*seen >= times)
            timer->deleteLater();
    });
    timer->start(20);
    return seen;
}

std::shared_ptr<QString> nextMessage() {
    auto text = std::make_shared<QString>();
    onNextModal(
        [text](QWidget* w) {
            auto* msg = w->findChild<QLabel*>("labelMsg");
            auto* title = w->findChild<QLabel*>("labelTitleMsg");
            *text = msg && msg->isVisibleTo(w) ? msg->text() : title->text();
        },
        1, "MsgDialog");
    return text;
}

bool makeRecording(const QString& file) {
    QProcess p;
    p.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=15",
                       "-t", "1", "-c:v", "libx264", file});
    return p.waitForFinished(60000) && p.exitCode() == 0;
}

namespace services {

QString dir() {
    return QStringLiteral(VISTREL_SERVICES_DIR);
}

// A knob that cannot be set would leave the test checking something else: it fails the
// test that asked.
void setKnob(const QString& name, const QString& value) {
    if (!writeFile(dir() + "/control/" + name, value.toUtf8()))
        QTest::qFail(qPrintable("cannot set the stand-ins' knob " + name), __FILE__, __LINE__);
}

void clearKnob(const QString& name) {
    const QString path = dir() + "/control/" + name;
    if (QFile::exists(path) && !QFile::remove(path))
        QTest::qFail(qPrintable("cannot clear the stand-ins' knob " + name), __FILE__, __LINE__);
}

QList<QJsonObject> log(const QString& service) {
    QList<QJsonObject> out;
    for (const QByteArray& line : readFile(dir() + "/log/" + service + ".jsonl").split('\n'))
        if (!line.isEmpty())
            out << QJsonDocument::fromJson(line).object();
    return out;
}

void clearLog(const QString& service) {
    QFile::remove(dir() + "/log/" + service + ".jsonl");
}

} // namespace services

} // namespace testkit

namespace testkit {

QString mimeTool(const QStringList& args, int timeoutMs) {
    QProcess p;
    p.start("/usr/bin/python3",
            QStringList{VISTREL_SOURCE_DIR "/tests/tools/mime_check.py"} + args);
    p.waitForFinished(timeoutMs);
    if (p.exitCode() != 0)
        qWarning() << p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList screeningLines(const QString& history) {
    QStringList lines;
    forEachHistoryLine(history, [&](QStringView line) {
        if (!line.isEmpty() && !isExtrasLine(line))
            lines << line.toString();
    });
    return lines;
}

ScreeningRecord unanalysed(const QString& name, bool male, const QDateTime& testTime,
                           const QString& timeSource) {
    ScreeningRecord r;
    r.name = name;
    r.male = male;
    r.birth = QDate(2020, 1, 1);
    r.testTime = testTime;
    r.extras.timeSource = timeSource;
    return r;
}

ScreeningRecord withoutMeasurements(const QString& name, bool male, const QDate& birth,
                                    const QDateTime& testTime, const QString& referral,
                                    const RecordExtras& extras) {
    ScreeningRecord r;
    r.name = name;
    r.male = male;
    r.birth = birth;
    r.testTime = testTime;
    r.referral = referral;
    r.extras = extras;
    return r;
}

bool serversUseTls() {
    return qEnvironmentVariable("VISTREL_SIM_PLAIN_HTTP") != "1";
}

} // namespace testkit
