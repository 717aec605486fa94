#include "smtp/quotedprintable.h"

QString QuotedPrintable::encode(const QByteArray& input) {
    static const char hex[] = "0123456789ABCDEF";
    QString output;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const auto b = static_cast<unsigned char>(input[i]);
        // A space stands for itself except at the end, where decoders drop it as padding
        // (soft breaks follow it with "=", so that is the only line end it can reach).
        const bool plainSpace = b == ' ' && i + 1 < input.size();
        if ((b >= 33 && b <= 126 && b != '=') || plainSpace) {
            output.append(QChar(b));
        } else {
            output.append('=');
            output.append(QChar(hex[b >> 4]));
            output.append(QChar(hex[b & 0x0F]));
        }
    }
    return output;
}

QByteArray QuotedPrintable::decode(const QString& input) {
    const QByteArray in = input.toLatin1();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '=') {
            if (in.mid(i + 1, 2) == "\r\n") { // soft line break
                i += 2;
                continue;
            }
            bool ok = false;
            const int value = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok && i + 2 < in.size()) {
                out.append(static_cast<char>(value));
                i += 2;
                continue;
            }
        }
        out.append(in[i]);
    }
    return out;
}
