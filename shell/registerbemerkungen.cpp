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
    // Only a missing file is touched: opening a device or pipe by that name could block.
    if (!QFile::exists(pfad)) {
        QFile neu(pfad);
        if (neu.open(QIODevice::WriteOnly | QIODevice::Append))
            neu.close();
    }
    return textfile::readRawLines(pfad, ANZAHL);
}

QString alsText(const QByteArray& zeile) {
    return textfile::decode(zeile);
}

QByteArray alsZeile(const QString& notiz) {
    return textfile::encode(textfile::oneLine(notiz));
}

bool speichern(const QString& pfad, const QList<QByteArray>& zeilen) {
    QList<QByteArray> datei = zeilen.mid(0, ANZAHL);
    while (datei.size() < ANZAHL)
        datei << QByteArray();
    return textfile::writeRawLines(pfad, datei);
}

} // namespace zelmar::registernotizen
