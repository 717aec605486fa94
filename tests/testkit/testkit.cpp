#include "testkit/testkit.h"

#include "platform/board.h"
#include "virtual_board.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTimer>
#include <QWidget>

namespace testkit {

ScopedBoard::ScopedBoard() : m_dir(std::make_unique<QTemporaryDir>()) {
    QDir().mkpath(appDir());
    vboard::setRoot(m_dir->path() + "/board");
    board::init();
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

namespace services {

QString dir() {
    return QStringLiteral(VISTREL_SERVICES_DIR);
}

void setKnob(const QString& name, const QString& value) {
    writeFile(dir() + "/control/" + name, value.toUtf8());
}

void clearKnob(const QString& name) {
    QFile::remove(dir() + "/control/" + name);
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
