#pragma once

#include "atmega8slave.h"
#include "interfacefirmware.h"
#include "interfaceline.h"
#include "serialeeprom.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace zelmar::sim {

struct DeviceConfig {
    enum class Type { Atmega8, Eeprom };
    Type type = Type::Atmega8;
    bool online = true;
    Atmega8Slave::Config slave;
    QString clock =
        QStringLiteral("now"); // "now", "reset" or a date and time "2024-06-01T12:00:00"
    SerialEeprom::Config eeprom;
    QMap<int, QByteArray> contents; // EEPROM offset -> bytes
};

struct BusFaults {
    bool twintStuck = false;
    bool sdaStuckLow = false;
    bool sclStuckLow = false;
};

// What the simulated installation consists of: the interface, the devices on the bus and the
// faults present from the start. Read from and written to JSON.
struct Scenario {
    QString name;
    InterfaceConfig interface;
    QList<DeviceConfig> devices;
    LineFaults lineFaults;
    BusFaults busFaults;

    // The apartment installation: slaves 8, 20, 40, 44, 45, 60, 65, 66, a 64 KiB EEPROM at 80
    // and a 128-byte EEPROM at 81.
    static Scenario demo();
    static QByteArray demoJson();
    static std::optional<Scenario> fromJson(const QByteArray& json, QString* error = nullptr);
    static std::optional<Scenario> load(const QString& path, QString* error = nullptr);
    QByteArray toJson() const;
};

} // namespace zelmar::sim
