#pragma once

// The notes of the register window: one text file per slave address in the data directory,
// line k + 1 holding the note of register k.

#include "dateien.h"

#include <QString>
#include <QStringList>

namespace zelmar::registernotizen {

constexpr int ANZAHL = 32;

// DATEN_PFAD + "REGISTER_BEMERKUNGEN_" + the address with three digits + ".txt".
QString datei(const QString& datenPfad, int slave);

// Creates the file when nothing stands under its name (empty) and gives its first 32 lines at
// most.
QStringList laden(const QString& pfad);

// Replaces the file with the 32 notes, each made one line (line breaks become blanks), or
// leaves the old file as it was and says why.
bool speichern(const QString& pfad, const QStringList& notizen, datei::Grund* grund = nullptr);

} // namespace zelmar::registernotizen
