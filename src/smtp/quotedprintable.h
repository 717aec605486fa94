#pragma once

#include <QByteArray>
#include <QString>

// Quoted-printable: bytes that are not plain printable characters become "=" and two
// upper-case hexadecimal digits.
class QuotedPrintable {
public:
    static QString encode(const QByteArray& input);
    static QByteArray decode(const QString& input);
};
