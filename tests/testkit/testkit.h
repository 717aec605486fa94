// Shared test helpers: a private virtual board per test and small file utilities.
#pragma once

#include <QByteArray>
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
bool writeFile(const QString& path, const QByteArray& data);

} // namespace testkit
