#pragma once

#include <QString>

#include <array>

namespace zelmar {

// Names and types of the 128 bus addresses, as the slave info window keeps them.
struct SlaveDirectory {
    static constexpr int ANZAHL = 128;

    // Types: 0 not set, 1 ATmega8 slave, 2 64 KiB EEPROM, 3 128-byte EEPROM.
    std::array<quint8, ANZAHL> SLAVE_TYP{};
    std::array<QString, ANZAHL> SLAVE_NAME;

    // The state of an installation without a directory file.
    SlaveDirectory() { clear(); }

    void clear() {
        SLAVE_TYP.fill(0);
        SLAVE_NAME.fill(QStringLiteral("..."));
        SLAVE_NAME[0] = QStringLiteral("GENERAL CALL");
    }
};

} // namespace zelmar
