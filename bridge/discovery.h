#pragma once

// What the bridge publishes: the topics, Home Assistant's discovery messages, and the states of
// one pass. Pure functions, so the messages can be checked without a broker.

#include "jobs/apartmentfetch.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zelmar::bridge {

struct Themen {
    QString prefix = QStringLiteral("homeassistant"); // discovery prefix
    QString basis;                                    // base topic, e.g. zelmar/<id>
    QString id;                                       // installation id: [a-z0-9_-]
    int intervall = 60;                               // seconds between passes
    QString version;

    QString status() const { return basis + QStringLiteral("/status"); }
    QString haStatus() const { return prefix + QStringLiteral("/status"); }
};

struct Entitaet {
    const char* komponente; // sensor or binary_sensor
    QString objekt;         // topic level and unique_id suffix
    QString name;           // the installation's own words
    const char* deviceClass = nullptr;
    const char* einheit = nullptr;
    bool messung = false; // state_class: measurement
    // Whether the entity goes unavailable on its own when its value could not be read; the
    // interface's connection is known in every pass.
    bool eigeneVerfuegbarkeit = true;

    QString zustandTopic(const Themen& t) const;
    QString verfuegbarTopic(const Themen& t) const;
    QString configTopic(const Themen& t) const;
    QByteArray config(const Themen& t) const;
};

// Every entity of an installation, in a fixed order.
const QList<Entitaet>& entitaeten();

// An id fit for topics and unique_ids: lower case letters, digits, '_' and '-'; others become
// '_'. Empty for a text without any letter or digit.
QString idAus(const QString& text);

// What one pass found: whether the interface answered, the apartment's values (nullopt when
// the pass could not run), the interface's supply voltage in volts.
struct Durchgang {
    bool schnittstelle = false;
    std::optional<ApartmentValues> werte;
    std::optional<double> spannung;
};

// Per entity: its state text, or nullopt for a value that could not be read (published as
// the entity's unavailability, never as a number).
struct Zustand {
    QString objekt;
    std::optional<QByteArray> wert;
};
QList<Zustand> zustaende(const Durchgang& d);

} // namespace zelmar::bridge
