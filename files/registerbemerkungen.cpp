#include "registerbemerkungen.h"

#include "textfile.h"

#include <QFile>

namespace zelmar::registernotizen {

QString datei(const QString& datenPfad, int slave) {
    return textfile::inDir(
        datenPfad,
        QStringLiteral("REGISTER_BEMERKUNGEN_%1.txt").arg(slave, 3, 10, QLatin1Char('0')));
}

QList<QByteArray> laden(const QString& pfad) {
    // Opened to append nothing: a missing file is made, and a device or pipe by that name is
    // left alone.
    QFile neu;
    datei::oeffnen(neu, pfad, QIODevice::WriteOnly | QIODevice::Append);
    return textfile::readRawLines(pfad, ANZAHL);
}

QString alsText(const QByteArray& zeile) {
    return textfile::decode(zeile);
}

QByteArray alsZeile(const QString& notiz) {
    return textfile::encode(textfile::oneLine(notiz));
}

bool speichern(const QString& pfad, const QList<QByteArray>& zeilen, datei::Grund* grund) {
    QList<QByteArray> datei = zeilen.mid(0, ANZAHL);
    while (datei.size() < ANZAHL)
        datei << QByteArray();
    return textfile::writeRawLines(pfad, datei, grund);
}

} // namespace zelmar::registernotizen
