#pragma once

#include <QByteArray>
#include <QString>

// Creates the folder (and its parents) when missing. False when it cannot be had.
bool ensureFolder(const QString& folder);

// Reads a text file, creating it empty when missing; the text ends at the first zero
// byte. False when the file cannot be opened.
bool readTextCreatingFile(const QString& path, QString& text);

// Replaces a file's contents so that a power loss leaves either the old or the new
// contents, never an empty or half-written file: the data goes to a temporary file in the
// same folder, is flushed to storage, and is renamed over the old file.
bool writeFileAtomically(const QString& path, const QByteArray& data);
