// The board's shell, the same on both boards: each board supplies how a line and the
// environment look on the host (shellLineForHost, programEnvironment).
#include "platform/board.h"
#include "platform/log.h"

#include <QProcess>

Q_LOGGING_CATEGORY(lcPlatform, "vistrel.platform")

namespace board {

int shell(const QString& line, int timeoutMs) {
    QProcess p;
    p.setEnvironment(programEnvironment());
    p.start("/bin/sh", {"-c", shellLineForHost(line)});
    if (!p.waitForStarted() || !p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace board
