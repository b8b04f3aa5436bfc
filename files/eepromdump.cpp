#include "eepromdump.h"

#include "dateien.h"

#include <QCoreApplication>
#include <QFile>

namespace zelmar::dump {

QString DUMP_DATEINAME(const QString& datenPfad, int slave, int groesse) {
    return datenPfad + QStringLiteral("EEPROM_") + groesseKurz(groesse) + QLatin1Char('_') +
           QString::number(slave) + QStringLiteral(".txt");
}

QString groesseKurz(int groesse) {
    return groesse < 1000 ? QString::number(groesse) : QString::number(groesse / 1000) + 'k';
}

QString gruppiert(qint64 n, int stellen, const QLocale& locale) {
    const QString ziffern = QStringLiteral("%1").arg(n, stellen, 10, QLatin1Char('0'));
    const QString trenner = locale.groupSeparator();
    QString text;
    for (int i = 0; i < ziffern.size(); ++i) {
        if (i > 0 && (ziffern.size() - i) % 3 == 0)
            text += trenner;
        text += ziffern.at(i);
    }
    return text;
}

QByteArray zeilen(int ersteAdresse, const QByteArray& werte, const QLocale& locale) {
    QByteArray out;
    out.reserve(werte.size() * 18);
    for (int k = 0; k < werte.size(); ++k) {
        out += gruppiert(ersteAdresse + k, 5, locale).toUtf8();
        out += "===> ";
        out += QByteArray::number(quint8(werte.at(k)));
        out += " \r\n";
    }
    return out;
}

qint64 zeilenZaehlen(const QString& path) {
    QFile f;
    if (!datei::oeffnen(f, path, QIODevice::ReadOnly))
        return 0;
    qint64 zeilen = 0;
    bool offen = false; // a line has begun and not ended
    char vorher = 0;
    char puffer[64 * 1024];
    for (qint64 n; (n = f.read(puffer, sizeof puffer)) > 0;) {
        for (qint64 i = 0; i < n; ++i) {
            const char c = puffer[i];
            if (c == '\n' && vorher == '\r') {
                // the LF of a CR LF ends nothing new
            } else if (c == '\r' || c == '\n') {
                ++zeilen;
                offen = false;
            } else {
                offen = true;
            }
            vorher = c;
        }
    }
    return zeilen + (offen ? 1 : 0);
}

QString pruefBericht(const QString& datei, qint64 zeilen, const QLocale& locale, qint64 groesse) {
    const QString absatz = QStringLiteral("\r\n\r\n");
    const QString anzahl =
        // "0,000" as ever; a chip below 1000 bytes without the leading zero ("128", not "0.128").
        gruppiert(zeilen, groesse < 1000 ? 1 : 4, locale) +
        QCoreApplication::translate("zelmar::abbild", " Byte");
    if (zeilen != groesse)
        return QCoreApplication::translate("zelmar::abbild", "FEHLER") + absatz +
               QCoreApplication::translate("zelmar::abbild", "EEPROM unvollständig ausgelesen") +
               absatz + anzahl;
    return datei + absatz +
           QCoreApplication::translate("zelmar::abbild", "erfolgreich gespeichert") + absatz +
           anzahl;
}

} // namespace zelmar::dump
