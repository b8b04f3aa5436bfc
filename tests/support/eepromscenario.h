#pragma once

// The demo installation with one chip of each kind beside its two EEPROMs: a 24C02 at 82, a
// 24C64 at 83, a 24M02 at 84..87 and a 24C16 at 88..95, each filled with bytes that differ
// from their neighbours, from block to block and between an address and the one a wrap-around
// would reach.

#include "sim/scenario.h"

#include <QByteArray>

namespace eepromszenario {

struct Chip {
    int adresse;
    const char* name;
};
inline const QList<Chip>& chips() {
    static const QList<Chip> l = {{82, "24C02"}, {83, "24C64"}, {84, "24M02"}, {88, "24C16"}};
    return l;
}

inline QByteArray muster(int groesse, int saat = 0) {
    QByteArray b(groesse, '\0');
    for (int a = 0; a < groesse; ++a)
        b[a] = char((a * 7 + a / 256 + a / 65536 * 3 + saat) & 0xFF);
    return b;
}

inline zelmar::sim::Scenario scenario() {
    using namespace zelmar::sim;
    Scenario s = Scenario::demo();
    for (const Chip& c : chips()) {
        DeviceConfig d;
        d.type = DeviceConfig::Type::Eeprom;
        d.eeprom = *SerialEeprom::family(QLatin1String(c.name), c.adresse);
        d.contents.insert(0, muster(d.eeprom.size, c.adresse));
        s.devices.append(d);
    }
    return s;
}

} // namespace eepromszenario
