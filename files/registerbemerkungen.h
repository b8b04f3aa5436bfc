#pragma once

// The notes of the register window: one text file per slave address in the data directory,
// line k + 1 holding the note of register k.

#include "dateien.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zelmar::registernotizen {

constexpr int ANZAHL = 32;

// DATEN_PFAD + "REGISTER_BEMERKUNGEN_" + the address with three digits + ".txt".
QString datei(const QString& datenPfad, int slave);

// Creates the file when nothing stands under its name (empty) and gives its first 32 lines at
// most, each as its bytes stand in the file, however long.
QList<QByteArray> laden(const QString& pfad);
// A line of the file as the note box shows it.
QString alsText(const QByteArray& zeile);
// A note as its line of the file (line breaks become blanks).
QByteArray alsZeile(const QString& notiz);

// Replaces the file with the 32 lines, or leaves the old file as it was and says why.
bool speichern(const QString& pfad, const QList<QByteArray>& zeilen, datei::Grund* grund = nullptr);

} // namespace zelmar::registernotizen
