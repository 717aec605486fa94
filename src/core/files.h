#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>

// Creates the folder (and its parents) when missing. False when it cannot be had.
bool ensureFolder(const QString& folder);

// Reads a text file, creating it empty when missing. Zero bytes (left by a crash before a
// write reached the disk) are skipped rather than ending the text, so nothing written
// after them is hidden. False when the file cannot be opened.
bool readTextCreatingFile(const QString& path, QString& text);

// Replaces a file's contents so that a power loss leaves either the old or the new
// contents, never an empty or half-written file: the data goes to a temporary file in the
// same folder ("<file>.tmp", reused by the next save should a power loss leave it), is
// flushed to storage, and is renamed over the old file. Every step is checked: on any
// failure (a full disk included) the old file stays whole and the result is false.
bool writeFileAtomically(const QString& path, const QByteArray& data);

// Renames a file and makes the rename itself reach storage (the folder is flushed).
bool renameDurably(const QString& from, const QString& to);

// Writes all bytes to a descriptor, retrying partial writes; false on any error (a full
// disk included).
bool writeAll(int fd, const char* data, size_t size);

// Where the record that a file's last line, cut short, belongs to begins: an offset into
// the file's last bytes (`tail`, which does not end in '\n'), or -1 when it cannot be told.
using TornRecordStart = std::function<qsizetype(const QByteArray& tail)>;

// Appends one record (a line, or lines written together) to a file kept as lines, creating
// it when missing, and flushes it to storage before returning. A last line cut short (a
// kill or a power loss during an earlier append, which was never acknowledged) is taken
// back to where `tornFrom` says its record began; without it, or where it cannot tell, it
// gets a line end, so the new record stands on a line of its own. A write that cannot
// complete is taken back (the file keeps its old length) and the result is false.
bool appendLineDurably(const QString& path, const QByteArray& line,
                       const TornRecordStart& tornFrom = nullptr);
