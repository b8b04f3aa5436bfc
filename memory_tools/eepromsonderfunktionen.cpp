#include "eepromsonderfunktionen.h"

#include "shell/appcontext.h"
#include "shell/systemservices.h"

#include "jobs/eepromdump.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QProgressBar>

#include <algorithm>
#include <cmath>

namespace zelmar {

EepromSonderfunktionen::EepromSonderfunktionen(AppContext& ctx, QWidget* parent)
    : QGroupBox(QStringLiteral("65k-EEPROM"), parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("Frame_SONDERFUNKTIONEN"));
    bauen();
    verbinden();
}

void EepromSonderfunktionen::bauen() {
    Command_KOMLETT_AUSLESEN = steuer::knopf(QStringLiteral("65k  komplett auslesen"),
                                             QStringLiteral("Command_KOMLETT_AUSLESEN"), this);
    Command_EEPROM_LOESCHEN = steuer::knopf(QStringLiteral("65k  komplett LÖSCHEN"),
                                            QStringLiteral("Command_EEPROM_LÖSCHEN"), this);
    Command_ABBRECHEN =
        steuer::knopf(QStringLiteral("ABBRECHEN"), QStringLiteral("Command_ABBRECHEN"), this);
    Command_EDIT = steuer::knopf(QStringLiteral("EDIT"), QStringLiteral("Command_EDIT"), this);
    Command_EDIT->setToolTip(QStringLiteral("die Dump-Datei dieses SLAVEs ansehen"));
    Text_EEPROM_STATUS =
        steuer::anzeige(QStringLiteral("Text_EEPROM_STATUS"), this, EEPROM_STATUS_TEXT);
    setBackColor(Text_EEPROM_STATUS, QB_HELLGRAU);
    ProgressBar_EEPROM = new QProgressBar(this);
    ProgressBar_EEPROM->setObjectName(QStringLiteral("ProgressBar_EEPROM"));
    ProgressBar_EEPROM->setRange(0, EepromReadout::GROESSE);
    ProgressBar_EEPROM->setValue(0);
    ProgressBar_EEPROM->setFormat(QString());
    ProgressBar_EEPROM->setTextVisible(true);

    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(3);
    grid->addWidget(Command_KOMLETT_AUSLESEN, 0, 0);
    grid->addWidget(Command_EEPROM_LOESCHEN, 0, 1);
    grid->addWidget(Command_ABBRECHEN, 1, 0);
    grid->addWidget(Command_EDIT, 1, 1);
    grid->addWidget(Text_EEPROM_STATUS, 2, 0, 1, 2);
    grid->addWidget(ProgressBar_EEPROM, 3, 0, 1, 2);
}

void EepromSonderfunktionen::verbinden() {
    guardedConnect(Command_KOMLETT_AUSLESEN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_KOMLETT_AUSLESEN_Click);
    guardedConnect(Command_EEPROM_LOESCHEN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_EEPROM_LOESCHEN_Click);
    guardedConnect(Command_ABBRECHEN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_ABBRECHEN_Click);
    guardedConnect(Command_EDIT, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_EDIT_Click);
}

void EepromSonderfunktionen::tick() {
    setTextIfChanged(Text_EEPROM_STATUS, EEPROM_STATUS_TEXT);
}

double EepromSonderfunktionen::restSekunden(qint64 fertig, qint64 gesamt, double vergangen,
                                            double linie) {
    if (gesamt <= 0)
        return 0;
    const double rest = double(std::max<qint64>(0, gesamt - fertig));
    const double nachLinie = linie * rest / gesamt;
    if (fertig <= 0 || vergangen <= 0)
        return nachLinie;
    const double w = std::min(1.0, double(fertig) / gesamt);
    return w * (vergangen * rest / fertig) + (1 - w) * nachLinie;
}

QString EepromSonderfunktionen::dauerText(double sekunden) {
    const qint64 s = std::llround(std::max(0.0, sekunden));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

double EepromSonderfunktionen::linienSekundenProLauf(double (*kosten)(const PortSettings&)) const {
    return kosten(parsePortSettings(m_ctx.link.MSComm1().settings()).value_or(PortSettings()));
}

void EepromSonderfunktionen::starten(Job* job, double linienSekunden) {
    m_lauf = job;
    m_linie = linienSekunden;
    m_fertig = 0;
    Command_KOMLETT_AUSLESEN->setEnabled(false);
    Command_EEPROM_LOESCHEN->setEnabled(false);
    job->bindTo(window());
    connect(job, &Job::progress, this, &EepromSonderfunktionen::fortschritt);
    connect(job, &Job::ended, this, &EepromSonderfunktionen::beendet);
    m_uhr.start();
    fortschritt(0, EepromReadout::GROESSE);
    job->start();
}

void EepromSonderfunktionen::fortschritt(int fertig, int gesamt) {
    m_fertig = fertig;
    ProgressBar_EEPROM->setMaximum(gesamt);
    ProgressBar_EEPROM->setValue(fertig);
    const double rest = restSekunden(fertig, gesamt, m_uhr.elapsed() / 1000.0, m_linie);
    ProgressBar_EEPROM->setFormat(QStringLiteral("%1 von %2 Byte   noch %3")
                                      .arg(formatGrouped(fertig, m_ctx.locale),
                                           formatGrouped(gesamt, m_ctx.locale), dauerText(rest)));
}

void EepromSonderfunktionen::beendet() {
    m_lauf = nullptr;
    Command_KOMLETT_AUSLESEN->setEnabled(true);
    Command_EEPROM_LOESCHEN->setEnabled(true);
    ProgressBar_EEPROM->setFormat(
        QStringLiteral("%1 von %2 Byte   Dauer %3")
            .arg(formatGrouped(m_fertig, m_ctx.locale),
                 formatGrouped(ProgressBar_EEPROM->maximum(), m_ctx.locale),
                 dauerText(m_uhr.elapsed() / 1000.0)));
}

void EepromSonderfunktionen::Command_KOMLETT_AUSLESEN_Click() {
    // Clicked while a reply is awaited: nothing starts, and nothing is said.
    if (m_lauf || m_ctx.link.busy())
        return;
    setBackColor(Text_EEPROM_STATUS, QB_HELLGELB);
    const int slave = m_ctx.link.SLAVE_ADRESSE;
    auto* job = new EepromReadout(m_ctx.link, slave, dump::DUMP_DATEINAME(m_ctx.DATEN_PFAD, slave),
                                  m_ctx.locale);
    connect(job, &EepromReadout::status, this,
            [this](const QString& t) { EEPROM_STATUS_TEXT = t; });
    connect(job, &EepromReadout::finished, this, [this](const EepromReadout::Result& r) {
        UnloadGate::Scope scope(this);
        // The file check's beep comes with its report.
        if (r.ende == EepromReadout::Ende::Fertig)
            m_ctx.prompter.beep();
        const QString text = EepromReadout::meldung(r, m_ctx.locale);
        if (!text.isEmpty())
            m_ctx.prompter.message(text);
    });
    starten(job, linienSekundenProLauf(&EepromReadout::linienSekunden));
}

void EepromSonderfunktionen::Command_EEPROM_LOESCHEN_Click() {
    if (m_lauf)
        return;
    setBackColor(Text_EEPROM_STATUS, QB_HELLGELB);
    Prompter& p = m_ctx.prompter;
    if (!p.askYesNo(QStringLiteral("Die EEPROM DATEN werden gelöscht \r\n\r\n\r\n"
                                   "Möchten Sie fortfahren ?"),
                    QStringLiteral("WARNUNG !!!")))
        return;
    const QString antwort = p.input(QStringLiteral("Wert von 0 bis 255 eingeben"),
                                    QStringLiteral("LÖSCHZEICHEN"), QStringLiteral("255"));
    // Cancel or an empty answer: the EEPROM stays as it is.
    if (antwort.trimmed().isEmpty())
        return;
    const auto wert = EepromErase::LOESCH_WERT(antwort);
    if (!wert) {
        p.message(QStringLiteral("Fehler: LÖSCHZEICHEN muss eine ganze Zahl von 0 bis 255 sein.\r\n"
                                 "Das EEPROM wurde nicht verändert."));
        return;
    }
    // A reply still awaited (the questions were answered during another transaction's wait).
    if (m_ctx.link.busy()) {
        p.message(QStringLiteral("Abbruch, es werden noch daten erwartet"));
        return;
    }
    auto* job = new EepromErase(m_ctx.link, m_ctx.link.SLAVE_ADRESSE, *wert, m_ctx.locale);
    connect(job, &EepromErase::status, this, [this](const QString& t) { EEPROM_STATUS_TEXT = t; });
    connect(job, &EepromErase::finished, this, [this](const EepromErase::Result& r) {
        UnloadGate::Scope scope(this);
        const QString text = EepromErase::meldung(r);
        if (!text.isEmpty())
            m_ctx.prompter.message(text);
    });
    starten(job, linienSekundenProLauf(&EepromErase::linienSekunden));
    // After beendet(): the window's read finds no run under way.
    connect(job, &Job::ended, this, &EepromSonderfunktionen::geloescht);
}

void EepromSonderfunktionen::Command_ABBRECHEN_Click() {
    if (m_lauf)
        m_lauf->cancel();
}

void EepromSonderfunktionen::Command_EDIT_Click() {
    const QString datei = dump::DUMP_DATEINAME(m_ctx.DATEN_PFAD, m_ctx.link.SLAVE_ADRESSE);
    if (!QFileInfo(datei).isFile()) {
        m_ctx.prompter.message(datei + QStringLiteral("\r\n\r\nDatei nicht vorhanden"));
        return;
    }
    m_ctx.system.openInTextViewer(datei);
}

} // namespace zelmar
