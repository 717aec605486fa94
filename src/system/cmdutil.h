// Runs the board's commands (wpa_cli, power off, reboot) for the rest of the application.
// Every operation returns the command's standard output, "" when nothing ran.
#pragma once

#include <QObject>

class CmdUtil : public QObject {
    Q_OBJECT
public:
    explicit CmdUtil(QObject* parent = nullptr);
};

extern CmdUtil* g_pCmdUtil;
