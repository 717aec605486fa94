#include "system/cmdutil.h"

CmdUtil* g_pCmdUtil = nullptr;

CmdUtil::CmdUtil(QObject* parent) : QObject(parent) {}
