#include "testkit/testkit.h"

#include "platform/board.h"
#include "virtual_board.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace testkit
