#pragma once

// The notes of the register window: one text file per slave address in the data directory,
// line k + 1 holding the note of register k.

#include <QString>
#include <QStringList>

namespace zelmar::registernotizen {

constexpr int ANZAHL = 32;

// DATEN_PFAD + "REGISTER_BEMERKUNGEN_" + the address with three digits + ".txt".
QString datei(const QString& datenPfad, int slave);

// Creates the file when it is missing (empty) and gives its first 32 lines at most.
QStringList laden(const QString& pfad);

// Replaces the file with the 32 notes, each made one line (line breaks become blanks), or
// leaves the old file as it was.
bool speichern(const QString& pfad, const QStringList& notizen);

} // namespace zelmar::registernotizen
