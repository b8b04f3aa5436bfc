#include "eepromvergleich.h"

#include "link/memory.h"

#include <QCoreApplication>

namespace zelmar {

EepromVergleich EepromVergleich::von(const EepromAbbild& soll, const EepromAbbild& ist) {
    EepromVergleich v;
    const int groesse = std::max(soll.groesse(), ist.groesse());
    for (int a = 0; a < groesse; ++a) {
        const bool s = a < soll.groesse() && soll.belegt(a);
        const bool i = a < ist.groesse() && ist.belegt(a);
        if (!s && !i)
            continue;
        ++v.verglichen;
        if (s && i && soll.wert(a) == ist.wert(a))
            continue;
        ++v.anzahl;
        if (v.erste.size() < MAX_ZEILEN) {
            Unterschied u;
            u.adresse = a;
            if (s)
                u.soll = soll.wert(a);
            if (i)
                u.ist = ist.wert(a);
            v.erste.append(u);
        }
    }
    return v;
}

QString EepromVergleich::anzahlText(int anzahl, const QLocale& locale) {
    return locale.toString(anzahl) +
           (anzahl == 1 ? QCoreApplication::translate("zelmar::abbild", " Unterschied")
                        : QCoreApplication::translate("zelmar::abbild", " Unterschiede"));
}

namespace {

QString byteText(const std::optional<quint8>& b) {
    if (!b)
        return QCoreApplication::translate("zelmar::abbild", "--  (fehlt)");
    return QStringLiteral("%1 = %2").arg(HEX_2(*b)).arg(*b, 3);
}

} // namespace

QString EepromVergleich::bericht(const QString& kopf, int zeilen, const QLocale& locale) const {
    const QString nl = QStringLiteral("\r\n");
    QString t = kopf + nl + locale.toString(verglichen) +
                QCoreApplication::translate("zelmar::abbild", " Byte verglichen") + nl;
    if (anzahl > 0) {
        t += nl + QCoreApplication::translate("zelmar::abbild", "Adresse         Soll        Ist") +
             nl;
        const int n = std::min<int>(zeilen, erste.size());
        for (int k = 0; k < n; ++k) {
            const Unterschied& u = erste.at(k);
            t += QStringLiteral("%1 = %2   %3   %4")
                     .arg(abbild::adressText(u.adresse))
                     .arg(u.adresse, 5)
                     .arg(byteText(u.soll))
                     .arg(byteText(u.ist)) +
                 nl;
        }
        if (anzahl > n)
            t += QCoreApplication::translate("zelmar::abbild", "... und %1 weitere")
                     .arg(locale.toString(anzahl - n)) +
                 nl;
        t += nl;
    }
    return t + anzahlText(anzahl, locale);
}

} // namespace zelmar
