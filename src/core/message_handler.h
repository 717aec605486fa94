#pragma once

#include <QtGlobal>

// Writes every Qt message to standard error, one line each, with the type's prefix;
// a fatal message aborts the process.
void myMessageOutput(QtMsgType type, const QMessageLogContext& context, const QString& text);
