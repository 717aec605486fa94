#include "core/message_handler.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {
void (*g_displayLost)() = nullptr;
} // namespace

void setDisplayLostAction(void (*action)()) {
    g_displayLost = action;
}

void myMessageOutput(QtMsgType type, const QMessageLogContext&, const QString& text) {
    const QByteArray line = text.toUtf8();
    switch (type) {
    case QtDebugMsg:
    case QtInfoMsg:
        std::fprintf(stderr, "%s\n", line.constData());
        break;
    case QtWarningMsg:
        std::fprintf(stderr, "Warning: %s\n", line.constData());
        if (g_displayLost && text.startsWith(QLatin1String("The X11 connection broke")))
            g_displayLost();
        break;
    case QtCriticalMsg:
        std::fprintf(stderr, "Critical: %s\n", line.constData());
        break;
    case QtFatalMsg:
        std::fprintf(stderr, "Fatal: %s\n", line.constData());
        if (text.contains(QLatin1String("no Qt platform plugin could be initialized"))) {
            std::fprintf(stderr, "no display: the application ends\n");
            std::fflush(nullptr);
            std::_Exit(kNoDisplayExit);
        }
        std::fflush(stderr);
        std::abort();
    }
}
