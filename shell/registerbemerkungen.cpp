#include "registerbemerkungen.h"

#include "textfile.h"

#include <QFile>

namespace zelmar::registernotizen {

QString datei(const QString& datenPfad, int slave) {
    return textfile::inDir(
        datenPfad,
        QStringLiteral("REGISTER_BEMERKUNGEN_%1.txt").arg(slave, 3, 10, QLatin1Char('0')));
}

QStringList laden(const QString& pfad) {
    // Opened to append nothing: a missing file is made, and a device or pipe by that name is
    // left alone.
    QFile neu;
    datei::oeffnen(neu, pfad, QIODevice::WriteOnly | QIODevice::Append);
    return textfile::readLines(pfad, ANZAHL);
}

bool speichern(const QString& pfad, const QStringList& notizen, datei::Grund* grund) {
    QStringList zeilen;
    for (int k = 0; k < ANZAHL; ++k)
        zeilen << textfile::oneLine(notizen.value(k));
    return textfile::writeLines(pfad, zeilen, grund);
}

} // namespace zelmar::registernotizen
