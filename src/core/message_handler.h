#pragma once

#include <QtGlobal>

#include <functional>

// The application's exit code when it has no display (none at start, or the display
// server went away): an ordinary end, which the supervisor does not restart.
inline constexpr int kNoDisplayExit = 3;

// Writes every Qt message to standard error, one line each, with the type's prefix;
// a fatal message aborts the process, except Qt's "no platform" at start, which ends it
// with kNoDisplayExit: a missing display is not a crash.
// Called on Qt's warning that the connection to the display server broke, which Qt follows
// with exit(1) from inside the event loop: the action can end the process its own way.
// Set before the event loop runs and cleared after it: the one piece of state the handler
// keeps, since Qt calls it as a plain function.
void setDisplayLostAction(std::function<void()> action);

void myMessageOutput(QtMsgType type, const QMessageLogContext& context, const QString& text);
