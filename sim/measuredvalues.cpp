#include "measuredvalues.h"

#include <QJsonValue>

#include <algorithm>
#include <cmath>

namespace zelmar::sim {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct ModelName {
    ValueSource::Model model;
    const char* name;
};
constexpr ModelName kModels[] = {
    {ValueSource::Model::Constant, "constant"},
    {ValueSource::Model::Wave, "wave"},
    {ValueSource::Model::Daily, "daily"},
    {ValueSource::Model::RoomTemperature, "roomTemperature"},
    {ValueSource::Model::Heating, "heating"},
    {ValueSource::Model::Sun, "sun"},
    {ValueSource::Model::Sunrise, "sunrise"},
    {ValueSource::Model::Sunset, "sunset"},
};

quint32 hash(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

double unit(quint32 seed, qint64 k) {
    const quint32 h = hash(seed * 0x9E3779B9U ^ hash(static_cast<quint32>(k)));
    return h / 2147483647.5 - 1.0;
}

// Solar declination and the hour angle of sunrise, in radians, for a day of the year.
double declination(int dayOfYear) {
    return 23.44 * kPi / 180 * std::sin(2 * kPi * (284 + dayOfYear) / 365.0);
}

// Local clock time of solar noon in hours.
double solarNoon(const Site& site, int dayOfYear) {
    const double b = 2 * kPi * (dayOfYear - 81) / 364.0;
    const double equationOfTimeMin =
        9.87 * std::sin(2 * b) - 7.53 * std::cos(b) - 1.5 * std::sin(b);
    return 12.0 - site.longitude / 15.0 + site.utcOffsetHours - equationOfTimeMin / 60.0;
}

// Half the length of the day in hours (0 in polar night, 12 in midnight sun).
double halfDay(const Site& site, int dayOfYear) {
    const double phi = site.latitude * kPi / 180;
    const double c = -std::tan(phi) * std::tan(declination(dayOfYear));
    return std::acos(std::clamp(c, -1.0, 1.0)) * 12 / kPi;
}

int dayOfYear(const QDate& date) {
    return date.isValid() ? date.dayOfYear() : 1;
}

std::array<quint8, 3> hourMinute(double hours) {
    hours = std::fmod(hours + 24.0, 24.0);
    int minutes = static_cast<int>(std::lround(hours * 60)) % (24 * 60);
    return {static_cast<quint8>(minutes / 60), static_cast<quint8>(minutes % 60), 0};
}

} // namespace

double slowNoise(quint32 seed, double seconds) {
    const double tau = 60.0;
    const double x = seconds / tau;
    const qint64 k = static_cast<qint64>(std::floor(x));
    const double f = x - k;
    const double w = (1 - std::cos(f * kPi)) / 2;
    return unit(seed, k) * (1 - w) + unit(seed, k + 1) * w;
}

std::optional<ValueSource> ValueSource::fromJson(const QJsonObject& o, QString* error) {
    ValueSource s;
    const QString model = o.value(QStringLiteral("model")).toString(QStringLiteral("constant"));
    bool known = false;
    for (const ModelName& m : kModels) {
        if (model == QLatin1String(m.name)) {
            s.model = m.model;
            known = true;
        }
    }
    if (!known) {
        if (error)
            *error = QStringLiteral("unknown value model \"%1\"").arg(model);
        return std::nullopt;
    }
    s.value = o.value(QStringLiteral("value")).toDouble(0);
    s.mean = o.value(QStringLiteral("mean")).toDouble(0);
    s.amplitude = o.value(QStringLiteral("amplitude")).toDouble(0);
    s.periodS = o.value(QStringLiteral("periodS")).toDouble(3600);
    s.phaseS = o.value(QStringLiteral("phaseS")).toDouble(0);
    s.peakHour = o.value(QStringLiteral("peakHour")).toDouble(14);
    s.noise = o.value(QStringLiteral("noise")).toDouble(0);
    s.scale = o.value(QStringLiteral("scale")).toDouble(1);
    if (s.periodS <= 0) {
        if (error)
            *error = QStringLiteral("periodS must be above 0");
        return std::nullopt;
    }
    return s;
}

QJsonObject ValueSource::toJson() const {
    QJsonObject o;
    for (const ModelName& m : kModels)
        if (m.model == model)
            o.insert(QStringLiteral("model"), QLatin1String(m.name));
    auto put = [&o](const char* key, double v, double dflt) {
        if (v != dflt)
            o.insert(QLatin1String(key), v);
    };
    put("value", value, 0);
    put("mean", mean, 0);
    put("amplitude", amplitude, 0);
    put("periodS", periodS, 3600);
    put("phaseS", phaseS, 0);
    put("peakHour", peakHour, 14);
    put("noise", noise, 0);
    put("scale", scale, 1);
    return o;
}

double valueOf(const ValueSource& source, const Room& room, const Site& site,
               const ValueContext& ctx) {
    const double n = source.noise * slowNoise(ctx.seed, ctx.seconds);
    const double tod = ctx.time.isValid() ? ctx.time.msecsSinceStartOfDay() / 3600000.0 : 0;
    const double cycle = 2 * kPi * (ctx.seconds + room.phaseS) / room.periodS;
    switch (source.model) {
    case ValueSource::Model::Constant:
        return source.value + n;
    case ValueSource::Model::Wave:
        return source.mean +
               source.amplitude *
                   std::sin(2 * kPi * (ctx.seconds + source.phaseS) / source.periodS) +
               n;
    case ValueSource::Model::Daily:
        return source.mean + source.amplitude * std::cos(2 * kPi * (tod - source.peakHour) / 24.0) +
               n;
    case ValueSource::Model::RoomTemperature: {
        const double setpoint = room.setpoint - (ctx.saving ? room.savingK : 0);
        return setpoint + room.swing * std::sin(cycle) + n;
    }
    case ValueSource::Model::Heating: {
        // The radiator is hottest while the room is coolest, a little ahead of it.
        const double drop = ctx.saving ? room.savingK * 2 : 0;
        return source.mean - drop - source.amplitude * std::sin(cycle - 0.3) + n;
    }
    case ValueSource::Model::Sun: {
        const int day = dayOfYear(ctx.date);
        const double phi = site.latitude * kPi / 180;
        const double hourAngle = (tod - solarNoon(site, day)) * 15 * kPi / 180;
        const double dec = declination(day);
        const double elevation =
            std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(hourAngle);
        const double full = source.amplitude != 0 ? source.amplitude : 1000;
        const double clouds =
            1 - std::clamp(source.noise, 0.0, 1.0) * (slowNoise(ctx.seed, ctx.seconds) + 1) / 2;
        return std::max(0.0, elevation) * full * clouds;
    }
    case ValueSource::Model::Sunrise: {
        const int day = dayOfYear(ctx.date);
        return solarNoon(site, day) - halfDay(site, day);
    }
    case ValueSource::Model::Sunset: {
        const int day = dayOfYear(ctx.date);
        return solarNoon(site, day) + halfDay(site, day);
    }
    }
    return 0;
}

std::array<quint8, 3> evaluateValue(const ValueSource& source, const Room& room, const Site& site,
                                    const ValueContext& ctx, int bits) {
    const double v = valueOf(source, room, site, ctx);
    if (source.model == ValueSource::Model::Sunrise || source.model == ValueSource::Model::Sunset)
        return hourMinute(v);
    const qint64 top = (qint64(1) << (bits - 1)) - 1;
    const qint64 raw = std::clamp<qint64>(std::llround(v * source.scale), -top - 1, top);
    const quint32 u = static_cast<quint32>(raw) & ((quint32(1) << bits) - 1);
    return {static_cast<quint8>(u), static_cast<quint8>(u >> 8), static_cast<quint8>(u >> 16)};
}

} // namespace zelmar::sim
