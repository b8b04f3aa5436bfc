#pragma once

#include "dateien.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Line-oriented text files as the settings files and logbooks use them: CR LF line ends,
// bounded reads, atomic replacement, one-write appends. Every call opens and closes its file.
namespace zelmar::textfile {

// Longest line kept; the rest of a longer line is skipped.
constexpr int MAX_ZEILE = 4096;
// A file is read no further than this, whatever it holds.
constexpr qint64 MAX_LESEN = 64LL * 1024 * 1024;

// At most maxLines lines. CR LF, LF and CR all end a line. A missing file, or anything that
// is not a regular file (directory, FIFO, device), gives no lines. Each line is decoded as
// UTF-8 when its bytes are valid UTF-8, else as Latin-1.
QStringList readLines(const QString& path, int maxLines);

// The lines as they are in the file, without their line ends and uncut: at most maxLines,
// and no further than MAX_LESEN into the file.
QList<QByteArray> readRawLines(const QString& path, int maxLines);
// A line's bytes as readLines() gives them.
QString decode(const QByteArray& line);

// One line for a file: Latin-1 when every character fits and readLines() decodes those bytes
// back to the same text, else UTF-8.
QByteArray encode(const QString& line);

// Replaces the file with the lines, each followed by CR LF, or leaves the old file untouched
// and says why (datei::ersetzen).
bool writeLines(const QString& path, const QStringList& lines, datei::Grund* grund = nullptr);
// The same with each line's bytes as they are.
bool writeRawLines(const QString& path, const QList<QByteArray>& lines,
                   datei::Grund* grund = nullptr);

// Appends the line and CR LF in a single write to a regular file; false when nothing or not all
// was written.
bool appendLine(const QString& path, const QString& line, datei::Grund* grund = nullptr);

// A text made fit for one line of a file: CR and LF become blanks.
QString oneLine(QString text);

// The file `name` in the directory `dir` (with or without its trailing slash).
QString inDir(const QString& dir, const QString& name);

} // namespace zelmar::textfile
