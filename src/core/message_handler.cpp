#include "core/message_handler.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {
// Qt calls the handler as a plain function, from any thread: this is its only state.
std::function<void()>& displayLostAction() {
    static std::function<void()> action;
    return action;
}

// The categories' one way out: each message as one line on standard error.
void writeLine(const char* prefix, const QByteArray& text) {
    const QByteArray line = prefix + text + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}
} // namespace

void setDisplayLostAction(std::function<void()> action) {
    displayLostAction() = std::move(action);
}

void myMessageOutput(QtMsgType type, const QMessageLogContext&, const QString& text) {
    const QByteArray line = text.toUtf8();
    switch (type) {
    case QtDebugMsg:
    case QtInfoMsg:
        writeLine("", line);
        break;
    case QtWarningMsg:
        writeLine("Warning: ", line);
        if (displayLostAction() && text.startsWith(QLatin1String("The X11 connection broke")))
            displayLostAction()();
        break;
    case QtCriticalMsg:
        writeLine("Critical: ", line);
        break;
    case QtFatalMsg:
        writeLine("Fatal: ", line);
        if (text.contains(QLatin1String("no Qt platform plugin could be initialized"))) {
            writeLine("", "no display: the application ends");
            std::fflush(nullptr);
            std::_Exit(kNoDisplayExit);
        }
        std::fflush(stderr);
        std::abort();
    }
}
