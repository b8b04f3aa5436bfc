#include "discovery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zelmar::bridge {

namespace {

using V = ApartmentValues;

// The rooms as the apartment display names them, in the order of RAUM_SLAVES.
const char* const kRaeume[][2] = {{"wz", "WZ"}, {"az", "AZ"}, {"kueche", "Küche"}};
static_assert(std::size(kRaeume) == V::RAUM_SLAVES.size());

QString slaveObjekt(int adresse) {
    return QStringLiteral("slave_%1").arg(adresse);
}

QByteArray zahl(double v) {
    return QByteArray::number(v, 'g', 10);
}

QList<Entitaet> aufzaehlen() {
    QList<Entitaet> e;
    const auto sensor = [&](QString objekt, QString name, const char* klasse, const char* einheit) {
        e.append({"sensor", std::move(objekt), std::move(name), klasse, einheit, true, true});
    };
    for (const auto& r : kRaeume) {
        const QString o = QString::fromUtf8(r[0]), n = QString::fromUtf8(r[1]);
        sensor(o + QStringLiteral("_temperatur"), n + QStringLiteral(" Temperatur"), "temperature",
               "°C");
        sensor(o + QStringLiteral("_heizung"), n + QStringLiteral(" Heizung"), "temperature", "°C");
    }
    sensor(QStringLiteral("aussentemperatur"), QStringLiteral("Außentemperatur"), "temperature",
           "°C");
    sensor(QStringLiteral("luftdruck"), QStringLiteral("Luftdruck"), "atmospheric_pressure",
           "mbar");
    sensor(QStringLiteral("sonne"), QStringLiteral("Sonne"), nullptr, nullptr);
    sensor(QStringLiteral("versorgungsspannung"), QStringLiteral("Versorgungsspannung"), "voltage",
           "V");
    for (int a : V::SLAVES)
        e.append({"binary_sensor", slaveObjekt(a), QStringLiteral("Slave %1").arg(a),
                  "connectivity", nullptr, false, true});
    e.append({"binary_sensor", QStringLiteral("schnittstelle"), QStringLiteral("Schnittstelle"),
              "connectivity", nullptr, false, false});
    return e;
}

} // namespace

const QList<Entitaet>& entitaeten() {
    static const QList<Entitaet> e = aufzaehlen();
    return e;
}

QString idAus(const QString& text) {
    QString id;
    bool etwas = false;
    for (QChar c : text.toLower()) {
        const bool gut = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                         (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        etwas = etwas || gut;
        id += gut || c == QLatin1Char('_') || c == QLatin1Char('-') ? c : QLatin1Char('_');
    }
    return etwas ? id : QString();
}

QString Entitaet::zustandTopic(const Themen& t) const {
    return t.basis + QLatin1Char('/') + objekt + QStringLiteral("/state");
}

QString Entitaet::verfuegbarTopic(const Themen& t) const {
    return t.basis + QLatin1Char('/') + objekt + QStringLiteral("/availability");
}

QString Entitaet::configTopic(const Themen& t) const {
    return QStringLiteral("%1/%2/zelmar_%3/%4/config")
        .arg(t.prefix, QLatin1String(komponente), t.id, objekt);
}

QByteArray Entitaet::config(const Themen& t) const {
    QJsonObject c;
    c.insert(QStringLiteral("name"), name);
    c.insert(QStringLiteral("unique_id"), QStringLiteral("zelmar_%1_%2").arg(t.id, objekt));
    c.insert(QStringLiteral("object_id"), QStringLiteral("zelmar_%1_%2").arg(t.id, objekt));
    c.insert(QStringLiteral("state_topic"), zustandTopic(t));
    QJsonArray verfuegbar{QJsonObject{{QStringLiteral("topic"), t.status()}}};
    if (eigeneVerfuegbarkeit)
        verfuegbar.append(QJsonObject{{QStringLiteral("topic"), verfuegbarTopic(t)}});
    c.insert(QStringLiteral("availability"), verfuegbar);
    c.insert(QStringLiteral("availability_mode"), QStringLiteral("all"));
    if (deviceClass)
        c.insert(QStringLiteral("device_class"), QLatin1String(deviceClass));
    if (einheit)
        c.insert(QStringLiteral("unit_of_measurement"), QString::fromUtf8(einheit));
    if (messung)
        c.insert(QStringLiteral("state_class"), QStringLiteral("measurement"));
    // A value not renewed for a few passes is stale, whatever the availability still says.
    c.insert(QStringLiteral("expire_after"), 3 * t.intervall + 5);
    c.insert(
        QStringLiteral("device"),
        QJsonObject{{QStringLiteral("identifiers"), QJsonArray{QStringLiteral("zelmar_") + t.id}},
                    {QStringLiteral("name"), QStringLiteral("ZELMAR %1").arg(t.id)},
                    {QStringLiteral("model"), QStringLiteral("RS232-TWI-Interface")},
                    {QStringLiteral("manufacturer"), QStringLiteral("ZELMAR")},
                    {QStringLiteral("sw_version"), t.version}});
    return QJsonDocument(c).toJson(QJsonDocument::Compact);
}

QList<Zustand> zustaende(const Durchgang& d) {
    QList<Zustand> z;
    const auto wert = [](const std::optional<double>& v) -> std::optional<QByteArray> {
        if (!v)
            return std::nullopt;
        return zahl(*v);
    };
    const V* w = d.werte ? &*d.werte : nullptr;
    for (size_t i = 0; i < V::RAUM_SLAVES.size(); ++i) {
        const QString o = QString::fromUtf8(kRaeume[i][0]);
        z.append(
            {o + QStringLiteral("_temperatur"), w ? wert(w->raum[i].temperatur) : std::nullopt});
        z.append({o + QStringLiteral("_heizung"), w ? wert(w->raum[i].heizung) : std::nullopt});
    }
    z.append({QStringLiteral("aussentemperatur"), w ? wert(w->aussentemperatur) : std::nullopt});
    z.append({QStringLiteral("luftdruck"), w ? wert(w->luftdruck) : std::nullopt});
    z.append({QStringLiteral("sonne"), w ? wert(w->sonne) : std::nullopt});
    z.append({QStringLiteral("versorgungsspannung"), wert(d.spannung)});
    for (size_t i = 0; i < V::SLAVES.size(); ++i) {
        std::optional<QByteArray> da;
        if (w)
            da = w->vorhanden[i] ? QByteArrayLiteral("ON") : QByteArrayLiteral("OFF");
        z.append({slaveObjekt(V::SLAVES[i]), da});
    }
    z.append({QStringLiteral("schnittstelle"),
              d.schnittstelle ? QByteArrayLiteral("ON") : QByteArrayLiteral("OFF")});
    return z;
}

} // namespace zelmar::bridge
