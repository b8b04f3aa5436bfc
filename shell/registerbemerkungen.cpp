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
    // Only a missing file is touched: opening a device or pipe by that name could block.
    if (!QFile::exists(pfad)) {
        QFile neu(pfad);
        if (neu.open(QIODevice::WriteOnly | QIODevice::Append))
            neu.close();
    }
    return textfile::readLines(pfad, ANZAHL);
}

bool speichern(const QString& pfad, const QStringList& notizen) {
    QStringList zeilen;
    for (int k = 0; k < ANZAHL; ++k)
        zeilen << textfile::oneLine(notizen.value(k));
    return textfile::writeLines(pfad, zeilen);
}

} // namespace zelmar::registernotizen
