#include "eeprombausteine.h"

#include <algorithm>

namespace zelmar {

int EepromBaustein::bisBlockEnde(int adresse, int n) const {
    return std::min(n, block() - adresse % block());
}

int EepromBaustein::bisSeitenEnde(int adresse, int n) const {
    return std::min(n, seite - adresse % seite);
}

QString EepromBaustein::groesseText() const {
    return groesse < 1024 ? QStringLiteral("%1 bytes").arg(groesse)
                          : QStringLiteral("%1 KiB").arg(groesse / 1024);
}

namespace eeprom {

const QList<EepromBaustein>& bausteine() {
    // The family's common geometry: one address byte up to 2 KiB, two up to 64 KiB, block bits
    // beyond what the address bytes reach; pages grow with the size.
    static const QList<EepromBaustein> tabelle = {
        {"24C01", 128, 8, 1, 0},      {"24C02", 256, 8, 1, 0},      {"24C04", 512, 16, 1, 1},
        {"24C08", 1024, 16, 1, 2},    {"24C16", 2048, 16, 1, 3},    {"24C32", 4096, 32, 2, 0},
        {"24C64", 8192, 32, 2, 0},    {"24C128", 16384, 64, 2, 0},  {"24C256", 32768, 64, 2, 0},
        {"24C512", 65536, 128, 2, 0}, {"24M01", 131072, 256, 2, 1}, {"24M02", 262144, 256, 2, 2},
    };
    return tabelle;
}

std::optional<EepromBaustein> baustein(const QString& name) {
    for (const EepromBaustein& b : bausteine())
        if (name.trimmed().compare(QLatin1String(b.name), Qt::CaseInsensitive) == 0)
            return b;
    return std::nullopt;
}

EepromBaustein standard() {
    return *baustein(QStringLiteral("24C512"));
}

QString namen() {
    QStringList n;
    for (const EepromBaustein& b : bausteine())
        n << b.text();
    return n.join(QStringLiteral(", "));
}

QList<EepromBaustein> passend(int groesse, int adressBytes) {
    QList<EepromBaustein> l;
    for (const EepromBaustein& b : bausteine())
        if (b.adressBytes == adressBytes && b.block() == groesse)
            l << b;
    return l;
}

} // namespace eeprom

} // namespace zelmar
