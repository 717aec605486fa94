#include "core/message_handler.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

void myMessageOutput(QtMsgType type, const QMessageLogContext&, const QString& text) {
    const QByteArray line = text.toUtf8();
    switch (type) {
    case QtDebugMsg:
    case QtInfoMsg:
        std::fprintf(stderr, "%s\n", line.constData());
        break;
    case QtWarningMsg:
        std::fprintf(stderr, "Warning: %s\n", line.constData());
        break;
    case QtCriticalMsg:
        std::fprintf(stderr, "Critical: %s\n", line.constData());
        break;
    case QtFatalMsg:
        std::fprintf(stderr, "Fatal: %s\n", line.constData());
        std::fflush(stderr);
        std::abort();
    }
}
