#pragma once

#include "cli/sitzung.h"
#include "discovery.h"
#include "mqttclient.h"

#include <QString>
#include <QStringList>

namespace zelmar::bridge {

// Everything a bridge run is told: options over BRIDGE.ini over the defaults.
struct Konfiguration {
    cli::Optionen link; // --port, --settings, --timeout, as zelmar-cli takes them
    MqttClient::Einstellungen mqtt;
    Themen themen;
    bool verlauf = true; // the daily VERLAUF CSV, as the program writes it
    bool hilfe = false;
    bool version = false;
};

// Reads the command line and the settings file (BRIDGE.ini in `programmPfad`, or --config).
// On failure `status` is the exit status (cli::AUFRUF for a usage error, cli::FEHLER for a
// file that cannot be read) and `fehler` says why.
struct Ergebnis {
    Konfiguration k;
    int status = 0;
    QString fehler;
};
Ergebnis konfiguration(const QStringList& argumente, const QString& programmPfad,
                       const QString& rechnername);

QString hilfeText();
QString versionText();

} // namespace zelmar::bridge
