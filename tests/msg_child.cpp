// Child process for the message-handler test: installs the handler and sends one message
// of the type named on the command line.
#include "core/message_handler.h"

#include <QByteArray>
#include <QtGlobal>

int main(int argc, char* argv[]) {
    qInstallMessageHandler(myMessageOutput);
    const QByteArray kind = argc > 1 ? argv[1] : "debug";
    const char* text = argc > 2 ? argv[2] : "";
    if (kind == "debug")
        qDebug("%s", text);
    else if (kind == "warning")
        qWarning("%s", text);
    else if (kind == "critical")
        qCritical("%s", text);
    else if (kind == "fatal")
        qFatal("%s", text);
    return 0;
}
