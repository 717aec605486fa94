#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's contents so that a power loss leaves either the old or the new
// contents, never an empty or half-written file: the data goes to a temporary file in the
// same folder, is flushed to storage, and is renamed over the old file.
bool writeFileAtomically(const QString& path, const QByteArray& data);
