// Shared test helpers: a private virtual board per test and small file utilities.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testkit {

// A fresh virtual board under a temporary folder, made current for board::*.
class ScopedBoard {
public:
    ScopedBoard();
    QString root() const;
    QString appDir() const; // a separate folder standing for the executable's folder

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QByteArray readFile(const QString& path);

// The local stand-ins started by the CTest fixture "services": their knobs and request logs.
namespace services {
QString dir();
void setKnob(const QString& name, const QString& value);
void clearKnob(const QString& name);
// One JSON object per request the service received, oldest first.
QList<QJsonObject> log(const QString& service);
void clearLog(const QString& service);
} // namespace services
bool writeFile(const QString& path, const QByteArray& data);

} // namespace testkit
