#pragma once

#include <QDate>
#include <QJsonObject>
#include <QString>
#include <QTime>

#include <array>
#include <optional>

namespace zelmar::sim {

// Where a slave stands; the sun values follow from it.
struct Site {
    double latitude = 51.3;
    double longitude = 9.5;
    double utcOffsetHours = 1;
};

// The room a controller heats: its temperature swings around the set point as the heating
// cycles, and the heating value (radiator temperature) runs against it.
struct Room {
    double setpoint = 21.0;
    double swing = 0.6;    // K either side of the set point
    double periodS = 1800; // one heating cycle
    double phaseS = 0;
    double savingK = 3; // set point drop in saving mode
};

// What a slave's measured value follows over time.
struct ValueSource {
    enum class Model { Constant, Wave, Daily, RoomTemperature, Heating, Sun, Sunrise, Sunset };
    Model model = Model::Constant;
    double value = 0;      // Constant
    double mean = 0;       // Wave, Daily, Heating
    double amplitude = 0;  // Wave, Daily, Heating; Sun: value in full sun
    double periodS = 3600; // Wave
    double phaseS = 0;     // Wave
    double peakHour = 14;  // Daily: hour of the maximum by the slave's clock
    double noise = 0;      // slow random deviation, in value units before scaling
    double scale = 1;      // the reply carries round(value * scale)

    static std::optional<ValueSource> fromJson(const QJsonObject& o, QString* error);
    QJsonObject toJson() const;
};

// What the value depends on at one moment.
struct ValueContext {
    double seconds = 0; // simulation time
    QDate date;         // the slave's clock
    QTime time;
    bool saving = false;
    quint32 seed = 0; // differs per slave and code, so no two values wander alike
};

// Reply bytes 2..4: a two's-complement number of `bits` (16 or 24), low byte first; a 16-bit
// value leaves the third byte 0. Sunrise and sunset are hours and minutes in bytes 2 and 3.
std::array<quint8, 3> evaluateValue(const ValueSource& source, const Room& room, const Site& site,
                                    const ValueContext& ctx, int bits = 24);
// The value before encoding (for tests and the trace).
double valueOf(const ValueSource& source, const Room& room, const Site& site,
               const ValueContext& ctx);

// Smooth pseudo-random wandering in -1..1 with a time scale of about a minute.
double slowNoise(quint32 seed, double seconds);

} // namespace zelmar::sim
