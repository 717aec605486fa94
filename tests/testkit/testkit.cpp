#include "testkit/testkit.h"

#include "app/gdata.h"
#include "capture/capture_session.h"
#include "platform/board.h"
#include "screening/history.h"
#include "screening/screening_session.h"
#include "system/firmware_image.h"
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

#include <openssl/evp.h>
#include <openssl/pem.h>

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

DataFixture::DataFixture() : m_ownBoard(std::make_unique<ScopedBoard>()) {
    init(*m_ownBoard);
}

DataFixture::DataFixture(const ScopedBoard& onBoard) {
    init(onBoard);
}

void DataFixture::init(const ScopedBoard& onBoard) {
    m_board = &onBoard;
    m_data = std::make_unique<GData>();
    m_data->setAppDir(m_board->appDir());
    m_data->InitData();
    m_data->InitCommonAndConfig();
}

DataFixture::~DataFixture() {
    m_data->capture().AVIFileClose();
    m_data->capture().V4l2DeviceClose();
    m_data.reset(); // before the board it lives on
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

entry::Child exampleChild() {
    return {"Test", false, QDate(2019, 5, 3), QString()};
}

AnalysisValues exampleValues() {
    AnalysisValues v;
    v.odSph = "1.25";
    v.odCyl = "-0.50";
    v.odAxis = "180";
    v.osSph = "1.00";
    v.osCyl = "-0.75";
    v.osAxis = "175";
    v.pd = "58";
    return v;
}

ScreeningRecord exampleRecord(const QDateTime& testTime) {
    ScreeningRecord r;
    r.name = "Test";
    r.male = false;
    r.birth = QDate(2019, 5, 3);
    r.testTime = testTime;
    r.odSph = "1.25";
    r.odCyl = "-0.50";
    r.odAxis = "180";
    r.osSph = "1.00";
    r.osCyl = "-0.75";
    r.osAxis = "175";
    r.pd = "58";
    r.referral = "Pass";
    return r;
}

void beginExample(GData& d) {
    const QString problem = d.screening().begin(exampleChild());
    if (!problem.isEmpty())
        QTest::qFail(qPrintable("the example child was refused: " + problem), __FILE__, __LINE__);
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

namespace firmware {

QByteArray image(int size, char fill) {
    const ::firmware::Machine machine = ::firmware::runningMachine();
    QByteArray head("\x7f"
                    "ELF",
                    4);
    head += char(machine.elfClass);
    head += char(1); // little-endian
    head += char(1); // version
    head += QByteArray(9, '\0');
    head += char(2); // an executable
    head += char(0);
    head += char(machine.elfMachine & 0xff);
    head += char(machine.elfMachine >> 8);
    return (head + QByteArray(qMax(0, size - int(head.size())), fill)).left(size);
}

QString devKey() {
    return QStringLiteral(VISTREL_DEV_SIGNING_KEY);
}

namespace {
using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
}

QString makeKey(const QString& dir) {
    Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), EVP_PKEY_free);
    const QString path = dir + "/other-key.pem";
    std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new_file(qPrintable(path), "w"), BIO_free);
    if (!key || !out ||
        PEM_write_bio_PrivateKey(out.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return QString();
    return path;
}

QByteArray sign(const QByteArray& data, const QString& keyPath) {
    std::unique_ptr<BIO, decltype(&BIO_free)> in(BIO_new_file(qPrintable(keyPath), "r"), BIO_free);
    Key key(in ? PEM_read_bio_PrivateKey(in.get(), nullptr, nullptr, nullptr) : nullptr,
            EVP_PKEY_free);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    QByteArray signature(::firmware::kSignatureBytes, '\0');
    size_t length = size_t(signature.size());
    if (!key || !ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
        EVP_DigestSign(ctx.get(), reinterpret_cast<uchar*>(signature.data()), &length,
                       reinterpret_cast<const uchar*>(data.constData()), size_t(data.size())) != 1)
        return QByteArray();
    return signature.left(int(length));
}

} // namespace firmware
} // namespace testkit
