#include "app/gdata.h"
#include "core/message_handler.h"
#include "platform/board.h"
#include "system/cmdutil.h"
#include "ui/maindialog.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Qt 6 already takes C strings, file names, translations and the locale as UTF-8, so
    // there is no codec to set here.
    qInstallMessageHandler(myMessageOutput);
    board::init();

    QFont font("wenquanyi", 24, QFont::Normal);
    app.setFont(font);

    g_pCmdUtil = new CmdUtil();
    g_pData = new GData();
    g_pData->Init(&app);
    g_pData->versionDelete();

    auto* window = new MainDialog(*g_pData);
    window->show();
    const int code = app.exec();
    // The workers stop before the process ends: a camera thread still pulling frames while
    // the process tears down would crash it, and a crash is not a restart.
    delete window;
    return code;
}
