#include "eepromsonderfunktionen.h"

#include "files/systemservices.h"
#include "shell/appcontext.h"

#include "files/textfile.h"

#include "files/eepromdump.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QProgressBar>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zelmar {

namespace {

QString kFilter() {
    return EepromSonderfunktionen::tr(
        "EEPROM-Dateien (*.txt *.bin *.hex *.ihx);;Dump (*.txt);;binär (*.bin);;Intel-HEX (*.hex "
        "*.ihx);;alle Dateien (*)");
}
const QString kAbsatz = QStringLiteral("\r\n\r\n");
// Runs of addresses a message lists; the saved report has them all.
constexpr int kBereiche = 20;

QString eepromText(int slave) {
    return EepromSonderfunktionen::tr("EEPROM an SLAVE-Adresse %1").arg(slave);
}

QString sha256Zeile(const QString& wovon, const EepromAbbild& abbild) {
    return EepromSonderfunktionen::tr("\r\nSHA-256 %1: %2").arg(wovon, abbild::sha256(abbild));
}

} // namespace

EepromSonderfunktionen::EepromSonderfunktionen(AppContext& ctx, QWidget* parent)
    : QGroupBox(tr("65k-EEPROM"), parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("Frame_SONDERFUNKTIONEN"));
    bauen();
    verbinden();
}

void EepromSonderfunktionen::bauen() {
    // Captions follow the chip chosen (bausteinGewaehlt).
    Command_KOMLETT_AUSLESEN =
        steuer::knopf(QString(), QStringLiteral("Command_KOMLETT_AUSLESEN"), this);
    Command_EEPROM_LOESCHEN =
        steuer::knopf(QString(), QStringLiteral("Command_EEPROM_LÖSCHEN"), this);
    Command_ABBRECHEN = steuer::knopf(tr("ABBRECHEN"), QStringLiteral("Command_ABBRECHEN"), this);
    Command_EDIT = steuer::knopf(tr("EDIT"), QStringLiteral("Command_EDIT"), this);
    Command_EDIT->setToolTip(tr("die Dump-Datei dieses SLAVEs ansehen"));
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
    bauenDateien(grid, 2);
    Command_ERKENNEN = steuer::knopf(tr("Erkennen"), QStringLiteral("Command_ERKENNEN"), this);
    Command_ERKENNEN->setToolTip(
        tr("nur lesend ermitteln, welches EEPROM an der SLAVE-Adresse antwortet (ein Vorschlag)"));
    Combo_BAUSTEIN = new QComboBox(this);
    Combo_BAUSTEIN->setObjectName(QStringLiteral("Combo_BAUSTEIN"));
    for (const EepromBaustein& b : eeprom::bausteine())
        Combo_BAUSTEIN->addItem(tr("%1 (%2 Byte, %3 Adressbyte%4)")
                                    .arg(b.text(), formatGrouped(b.groesse, m_ctx.locale))
                                    .arg(b.adressBytes)
                                    .arg(b.adressBytes == 1 ? QString() : QStringLiteral("s")),
                                b.text());
    Combo_BAUSTEIN->setCurrentIndex(Combo_BAUSTEIN->findData(eeprom::standard().text()));
    Combo_BAUSTEIN->setToolTip(tr("das EEPROM, das Auslesen, Löschen, Schreiben und Vergleichen "
                                  "annehmen"));
    auto* bausteinZeile = new QHBoxLayout;
    bausteinZeile->setSpacing(4);
    bausteinZeile->addWidget(
        steuer::beschriftung(tr("Baustein:"), QStringLiteral("Label_BAUSTEIN"), this));
    bausteinZeile->addWidget(Combo_BAUSTEIN, 1);
    grid->addLayout(bausteinZeile, 7, 1);
    grid->addWidget(Command_ERKENNEN, 7, 0);
    grid->addWidget(Text_EEPROM_STATUS, 5, 0, 1, 2);
    grid->addWidget(ProgressBar_EEPROM, 6, 0, 1, 2);
    bausteinGewaehlt();
}

EepromBaustein EepromSonderfunktionen::baustein() const {
    return eeprom::baustein(Combo_BAUSTEIN->currentData().toString()).value_or(eeprom::standard());
}

void EepromSonderfunktionen::bausteinGewaehlt() {
    const EepromBaustein b = baustein();
    const QString kurz = dump::groesseKurz(b.groesse);
    Command_KOMLETT_AUSLESEN->setText(tr("%1  komplett auslesen").arg(kurz));
    Command_EEPROM_LOESCHEN->setText(tr("%1  komplett LÖSCHEN").arg(kurz));
    // The pages the chip takes; 16 stays chosen where it is one of them.
    const int vorher = Combo_SEITENGROESSE->currentData().toInt();
    Combo_SEITENGROESSE->clear();
    for (int g : EepromRestore::seitenGroessen(b))
        Combo_SEITENGROESSE->addItem(QString::number(g), g);
    const int i = Combo_SEITENGROESSE->findData(vorher > 0 ? vorher : 16);
    Combo_SEITENGROESSE->setCurrentIndex(i >= 0 ? i : 0);
    ProgressBar_EEPROM->setRange(0, b.groesse);
}

int EepromSonderfunktionen::seite() const {
    return std::min(Combo_SEITENGROESSE->currentData().toInt(), baustein().seite);
}

bool EepromSonderfunktionen::ersteAdresse() {
    const EepromBaustein b = baustein();
    const int slave = m_ctx.link.SLAVE_ADRESSE;
    if (b.basis(slave) == slave)
        return true;
    m_ctx.prompter.message(tr("Ein %1 antwortet an den SLAVE-Adressen %2 bis %3.\r\n\r\n"
                              "Bitte seine erste Adresse %2 wählen. Es wurde nichts gesendet.")
                               .arg(b.text())
                               .arg(b.basis(slave))
                               .arg(b.basis(slave) + b.slaveAnzahl() - 1));
    return false;
}

void EepromSonderfunktionen::bauenDateien(QGridLayout* grid, int zeile) {
    auto k = [this](const char* caption, const char* name, const char* tip) {
        QPushButton* b = steuer::knopf(tr(caption), QString::fromLatin1(name), this);
        b->setToolTip(tr(tip));
        return b;
    };
    Command_AUS_DATEI_SCHREIBEN =
        k(QT_TR_NOOP("aus Datei schreiben"), "Command_AUS_DATEI_SCHREIBEN",
          QT_TR_NOOP("eine Datei (Dump, binär, Intel-HEX) ins EEPROM schreiben und zurücklesen"));
    Command_MIT_DATEI_VERGLEICHEN =
        k(QT_TR_NOOP("mit Datei vergleichen"), "Command_MIT_DATEI_VERGLEICHEN",
          QT_TR_NOOP("das EEPROM lesen und mit einer Datei vergleichen"));
    Command_DUMPS_VERGLEICHEN = k(QT_TR_NOOP("Dumps vergleichen"), "Command_DUMPS_VERGLEICHEN",
                                  QT_TR_NOOP("zwei Dateien miteinander vergleichen"));
    Command_BERICHT_SPEICHERN =
        k(QT_TR_NOOP("Bericht speichern"), "Command_BERICHT_SPEICHERN",
          QT_TR_NOOP("den Bericht des letzten Vergleichs als Textdatei speichern"));
    Command_BERICHT_SPEICHERN->setEnabled(false);

    Combo_SEITENGROESSE = new QComboBox(this);
    Combo_SEITENGROESSE->setObjectName(QStringLiteral("Combo_SEITENGROESSE"));
    for (int g : EepromRestore::seitenGroessen())
        Combo_SEITENGROESSE->addItem(QString::number(g), g);
    Combo_SEITENGROESSE->setToolTip(
        tr("Seitengröße beim Schreiben aus einer Datei und beim Löschen, "
           "in Byte: 16 passt zu jedem EEPROM von 2 KiB bis 64 KiB"));
    Combo_DATEIFORMAT = new QComboBox(this);
    Combo_DATEIFORMAT->setObjectName(QStringLiteral("Combo_DATEIFORMAT"));
    Combo_DATEIFORMAT->addItem(tr("Dump (.txt)"), int(abbild::Format::Dump));
    Combo_DATEIFORMAT->addItem(tr("binär (.bin)"), int(abbild::Format::Binaer));
    Combo_DATEIFORMAT->addItem(tr("Intel-HEX (.hex)"), int(abbild::Format::IntelHex));
    Combo_DATEIFORMAT->setToolTip(tr("Dateiformat beim kompletten Auslesen"));

    auto beschriftet = [this](const char* text, const char* name, QWidget* feld) {
        auto* h = new QHBoxLayout;
        h->setSpacing(4);
        h->addWidget(steuer::beschriftung(tr(text), QString::fromLatin1(name), this));
        h->addWidget(feld, 1);
        return h;
    };
    grid->addWidget(Command_AUS_DATEI_SCHREIBEN, zeile, 0);
    grid->addLayout(beschriftet(QT_TR_NOOP("Seite:"), "Label_SEITENGROESSE", Combo_SEITENGROESSE),
                    zeile, 1);
    grid->addWidget(Command_MIT_DATEI_VERGLEICHEN, zeile + 1, 0);
    grid->addWidget(Command_DUMPS_VERGLEICHEN, zeile + 1, 1);
    grid->addLayout(beschriftet(QT_TR_NOOP("Format:"), "Label_DATEIFORMAT", Combo_DATEIFORMAT),
                    zeile + 2, 0);
    grid->addWidget(Command_BERICHT_SPEICHERN, zeile + 2, 1);
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
    guardedConnect(Command_AUS_DATEI_SCHREIBEN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_AUS_DATEI_SCHREIBEN_Click);
    guardedConnect(Command_MIT_DATEI_VERGLEICHEN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_MIT_DATEI_VERGLEICHEN_Click);
    guardedConnect(Command_DUMPS_VERGLEICHEN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_DUMPS_VERGLEICHEN_Click);
    guardedConnect(Command_BERICHT_SPEICHERN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_BERICHT_SPEICHERN_Click);
    guardedConnect(Command_ERKENNEN, &QPushButton::clicked, this,
                   &EepromSonderfunktionen::Command_ERKENNEN_Click);
    connect(Combo_BAUSTEIN, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &EepromSonderfunktionen::bausteinGewaehlt);
}

void EepromSonderfunktionen::Command_ERKENNEN_Click() {
    if (m_lauf || m_ctx.link.busy())
        return;
    setBackColor(Text_EEPROM_STATUS, QB_HELLGELB);
    EEPROM_STATUS_TEXT = tr("erkennen ...");
    auto* job = new EepromErkennen(m_ctx.link, m_ctx.link.SLAVE_ADRESSE);
    m_lauf = job;
    for (QPushButton* b :
         {Command_KOMLETT_AUSLESEN, Command_EEPROM_LOESCHEN, Command_AUS_DATEI_SCHREIBEN,
          Command_MIT_DATEI_VERGLEICHEN, Command_ERKENNEN})
        b->setEnabled(false);
    job->bindTo(window());
    auto erkannt = std::make_shared<EepromErkennung>();
    connect(job, &EepromErkennen::finished, this, [this, job, erkannt](const EepromErkennung& e) {
        EEPROM_STATUS_TEXT = job->cancelled() ? tr("aktion wurde abgebrochen") : e.textDeutsch();
        if (!job->cancelled())
            *erkannt = e;
    });
    connect(job, &Job::ended, this, [this, erkannt] {
        m_lauf = nullptr;
        for (QPushButton* b :
             {Command_KOMLETT_AUSLESEN, Command_EEPROM_LOESCHEN, Command_AUS_DATEI_SCHREIBEN,
              Command_MIT_DATEI_VERGLEICHEN, Command_ERKENNEN})
            b->setEnabled(true);
        vorschlagAnbieten(*erkannt);
    });
    job->start();
}

// A suggestion becomes the chip only when the user says so: contents can mislead.
void EepromSonderfunktionen::vorschlagAnbieten(const EepromErkennung& e) {
    if (e.ergebnis != EepromErkennung::Ergebnis::Erkannt || e.vorschlaege.isEmpty())
        return;
    const EepromBaustein v = e.vorschlaege.first();
    if (v.text() == baustein().text())
        return;
    UnloadGate::Scope scope(this);
    if (m_ctx.prompter.askYesNo(e.textDeutsch() + kAbsatz +
                                    tr("Baustein %1 (%2 Byte) wählen?")
                                        .arg(v.text(), formatGrouped(v.groesse, m_ctx.locale)),
                                tr("EEPROM erkannt")))
        Combo_BAUSTEIN->setCurrentIndex(Combo_BAUSTEIN->findData(v.text()));
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

PortSettings EepromSonderfunktionen::leitung() const {
    return parsePortSettings(m_ctx.link.MSComm1().settings()).value_or(PortSettings());
}

void EepromSonderfunktionen::starten(Job* job, double linienSekunden, int gesamt, bool inProzent) {
    m_lauf = job;
    m_linie = linienSekunden;
    m_fertig = 0;
    m_prozent = inProzent;
    m_sha256.clear();
    for (QPushButton* b : {Command_KOMLETT_AUSLESEN, Command_EEPROM_LOESCHEN,
                           Command_AUS_DATEI_SCHREIBEN, Command_MIT_DATEI_VERGLEICHEN})
        b->setEnabled(false);
    // The chip stays what the run was started for.
    Combo_BAUSTEIN->setEnabled(false);
    job->bindTo(window());
    connect(job, &Job::progress, this, &EepromSonderfunktionen::fortschritt);
    connect(job, &Job::ended, this, &EepromSonderfunktionen::beendet);
    m_uhr.start();
    fortschritt(0, gesamt);
    job->start();
}

void EepromSonderfunktionen::fortschritt(int fertig, int gesamt) {
    m_fertig = fertig;
    ProgressBar_EEPROM->setMaximum(gesamt);
    ProgressBar_EEPROM->setValue(fertig);
    const double rest = restSekunden(fertig, gesamt, m_uhr.elapsed() / 1000.0, m_linie);
    ProgressBar_EEPROM->setFormat(tr("%1   noch %2").arg(mengeText(), dauerText(rest)));
}

// Bytes for one pass over the EEPROM; a restore writes and reads back, so it counts in percent.
QString EepromSonderfunktionen::mengeText() const {
    const int gesamt = ProgressBar_EEPROM->maximum();
    if (m_prozent)
        return QStringLiteral("%1 %").arg(gesamt > 0 ? qint64(m_fertig) * 100 / gesamt : 0);
    return tr("%1 von %2 Byte")
        .arg(formatGrouped(m_fertig, m_ctx.locale), formatGrouped(gesamt, m_ctx.locale));
}

void EepromSonderfunktionen::beendet() {
    m_lauf = nullptr;
    for (QPushButton* b : {Command_KOMLETT_AUSLESEN, Command_EEPROM_LOESCHEN,
                           Command_AUS_DATEI_SCHREIBEN, Command_MIT_DATEI_VERGLEICHEN})
        b->setEnabled(true);
    Combo_BAUSTEIN->setEnabled(true);
    QString ende = tr("%1   Dauer %2").arg(mengeText(), dauerText(m_uhr.elapsed() / 1000.0));
    // The read-out's message keeps its classic words; the file's fingerprint goes here, in full
    // in the tooltip.
    if (!m_sha256.isEmpty())
        ende += QStringLiteral("   SHA-256 %1…").arg(m_sha256.left(16));
    ProgressBar_EEPROM->setFormat(ende);
    ProgressBar_EEPROM->setToolTip(m_sha256.isEmpty() ? QString()
                                                      : QStringLiteral("SHA-256 ") + m_sha256);
}

void EepromSonderfunktionen::Command_KOMLETT_AUSLESEN_Click() {
    // Clicked while a reply is awaited: nothing starts, and nothing is said.
    if (m_lauf || m_ctx.link.busy())
        return;
    setBackColor(Text_EEPROM_STATUS, QB_HELLGELB);
    if (!ersteAdresse())
        return;
    const int slave = m_ctx.link.SLAVE_ADRESSE;
    const EepromBaustein b = baustein();
    const auto format = abbild::Format(Combo_DATEIFORMAT->currentData().toInt());
    auto* job = new EepromReadout(m_ctx.link, slave,
                                  abbild::dateiname(m_ctx.DATEN_PFAD, slave, format, b.groesse),
                                  m_ctx.locale, format, b);
    connect(job, &EepromReadout::status, this,
            [this](const QString& t) { EEPROM_STATUS_TEXT = t; });
    connect(job, &EepromReadout::finished, this, [this](const EepromReadout::Result& r) {
        UnloadGate::Scope scope(this);
        // The file check's beep comes with its report.
        if (r.ende == EepromReadout::Ende::Fertig) {
            m_sha256 = r.sha256;
            m_ctx.prompter.beep();
        }
        const QString text = EepromReadout::meldung(r, m_ctx.locale);
        if (!text.isEmpty())
            m_ctx.prompter.message(text);
    });
    starten(job, EepromReadout::linienSekunden(leitung(), b), b.groesse);
}

void EepromSonderfunktionen::Command_EEPROM_LOESCHEN_Click() {
    if (m_lauf)
        return;
    setBackColor(Text_EEPROM_STATUS, QB_HELLGELB);
    if (!ersteAdresse())
        return;
    Prompter& p = m_ctx.prompter;
    if (!p.askYesNo(tr("Die EEPROM DATEN werden gelöscht \r\n\r\n\r\n"
                       "Möchten Sie fortfahren ?"),
                    tr("WARNUNG !!!")))
        return;
    const QString antwort =
        p.input(tr("Wert von 0 bis 255 eingeben"), tr("LÖSCHZEICHEN"), QStringLiteral("255"));
    // Cancel or an empty answer: the EEPROM stays as it is.
    if (antwort.trimmed().isEmpty())
        return;
    const auto wert = EepromErase::LOESCH_WERT(antwort);
    if (!wert) {
        p.message(tr("Fehler: LÖSCHZEICHEN muss eine ganze Zahl von 0 bis 255 sein.\r\n"
                     "Das EEPROM wurde nicht verändert."));
        return;
    }
    // A reply still awaited (the questions were answered during another transaction's wait).
    if (m_ctx.link.busy()) {
        p.message(tr("Abbruch, es werden noch daten erwartet"));
        return;
    }
    const EepromBaustein b = baustein();
    auto* job =
        new EepromErase(m_ctx.link, m_ctx.link.SLAVE_ADRESSE, *wert, m_ctx.locale, seite(), b);
    connect(job, &EepromErase::status, this, [this](const QString& t) { EEPROM_STATUS_TEXT = t; });
    connect(job, &EepromErase::finished, this, [this](const EepromErase::Result& r) {
        UnloadGate::Scope scope(this);
        const QString text = EepromErase::meldung(r);
        if (!text.isEmpty())
            m_ctx.prompter.message(text);
    });
    starten(job, EepromErase::linienSekunden(leitung(), job->seite(), b), b.groesse);
    // After beendet(): the window's read finds no run under way.
    connect(job, &Job::ended, this, &EepromSonderfunktionen::geloescht);
}

void EepromSonderfunktionen::Command_ABBRECHEN_Click() {
    if (m_lauf)
        m_lauf->cancel();
}

void EepromSonderfunktionen::Command_EDIT_Click() {
    const QString datei =
        dump::DUMP_DATEINAME(m_ctx.DATEN_PFAD, m_ctx.link.SLAVE_ADRESSE, baustein().groesse);
    if (!QFileInfo(datei).isFile()) {
        m_ctx.prompter.message(datei + tr("\r\n\r\nDatei nicht vorhanden"));
        return;
    }
    m_ctx.system.openInTextViewer(datei);
}

// ------------------------------------------------------------------------------ files

bool EepromSonderfunktionen::dateiWaehlen(const QString& titel, const QString& folge, QString* pfad,
                                          EepromAbbild* abbild) {
    *pfad = m_ctx.prompter.openFileName(titel, m_ctx.DATEN_PFAD, kFilter());
    if (pfad->isEmpty())
        return false;
    abbild::Fehler fehler;
    *abbild = EepromAbbild(baustein().groesse);
    if (abbild::laden(*pfad, abbild, &fehler))
        return true;
    // The chip decides how many lines a dump must have: say which one was assumed.
    m_ctx.prompter.message(
        tr("FEHLER in ") + *pfad + kAbsatz + fehler.text() + kAbsatz +
        tr("Baustein: %1 (%2 Byte)")
            .arg(baustein().text(), formatGrouped(baustein().groesse, m_ctx.locale)) +
        kAbsatz + folge);
    return false;
}

void EepromSonderfunktionen::berichtZeigen(const QString& meldung, const QString& bericht) {
    if (!bericht.isEmpty()) {
        m_bericht = bericht;
        Command_BERICHT_SPEICHERN->setEnabled(true);
    }
    if (!meldung.isEmpty())
        m_ctx.prompter.message(meldung);
}

void EepromSonderfunktionen::Command_AUS_DATEI_SCHREIBEN_Click() {
    if (m_lauf || !ersteAdresse())
        return;
    QString pfad;
    EepromAbbild abbild;
    if (!dateiWaehlen(tr("Datei ins EEPROM schreiben"), tr("Das EEPROM wurde nicht verändert."),
                      &pfad, &abbild))
        return;
    const int slave = m_ctx.link.SLAVE_ADRESSE;
    const int seite = this->seite();
    QString frage = tr("In das %1 werden %2 Byte aus\r\n%3\r\ngeschrieben, in "
                       "Seiten zu %4 Byte.")
                        .arg(eepromText(slave), m_ctx.locale.toString(abbild.anzahl()), pfad)
                        .arg(seite);
    const int ausgelassen = abbild.groesse() - abbild.anzahl();
    if (ausgelassen > 0)
        frage += kAbsatz +
                 tr("%1 Adressen nennt die Datei nicht; dort bleibt das EEPROM, wie "
                    "es ist:")
                     .arg(m_ctx.locale.toString(ausgelassen)) +
                 QStringLiteral("\r\n") +
                 abbild::bereicheText(abbild.ausgelassen(), m_ctx.locale, kBereiche);
    frage += kAbsatz + tr("Die bisherigen DATEN gehen verloren.") + kAbsatz +
             tr("Möchten Sie fortfahren ?");
    if (!m_ctx.prompter.askYesNo(frage, tr("WARNUNG")))
        return;
    abgleichen(pfad, std::move(abbild), EepromRestore::Modus::Schreiben);
}

void EepromSonderfunktionen::Command_MIT_DATEI_VERGLEICHEN_Click() {
    if (m_lauf || !ersteAdresse())
        return;
    QString pfad;
    EepromAbbild abbild;
    if (dateiWaehlen(tr("EEPROM mit Datei vergleichen"), tr("Es wurde nichts verglichen."), &pfad,
                     &abbild))
        abgleichen(pfad, std::move(abbild), EepromRestore::Modus::Pruefen);
}

// The restore and the verify: the same job, with or without its write phase.
void EepromSonderfunktionen::abgleichen(const QString& pfad, EepromAbbild abbild,
                                        EepromRestore::Modus modus) {
    setBackColor(Text_EEPROM_STATUS, QB_HELLGELB);
    const int slave = m_ctx.link.SLAVE_ADRESSE;
    const int seite = this->seite();
    const EepromBaustein b = baustein();
    const double linie = EepromRestore::linienSekunden(leitung(), abbild, seite, modus, b);
    const bool schreiben = modus == EepromRestore::Modus::Schreiben;
    const QString titel = (schreiben ? tr("Aus Datei geschrieben und zurückgelesen")
                                     : tr("EEPROM mit Datei verglichen")) +
                          tr("\r\nSoll: ") + pfad + tr("\r\nIst:  ") + eepromText(slave) +
                          tr(" (%1)").arg(b.text()) + sha256Zeile(tr("Soll"), abbild);
    // What a write left alone is part of its report: the message lists the first runs.
    const auto kopf = [&](int bereiche) {
        const int ausgelassen = abbild.groesse() - abbild.anzahl();
        if (ausgelassen == 0)
            return titel;
        // A match says nothing of what the file does not give.
        if (!schreiben)
            return titel + tr("\r\nnicht in der Datei, nicht verglichen: %1 von %2 Byte")
                               .arg(m_ctx.locale.toString(ausgelassen),
                                    m_ctx.locale.toString(abbild.groesse()));
        return titel +
               tr("\r\nnicht in der Datei, unverändert: %1 Byte\r\n")
                   .arg(m_ctx.locale.toString(ausgelassen)) +
               abbild::bereicheText(abbild.ausgelassen(), m_ctx.locale, bereiche);
    };
    const QString kurz = kopf(kBereiche);
    const QString lang = kopf(0);
    const int gesamt = (schreiben ? 2 : 1) * abbild.anzahl();
    auto* job =
        new EepromRestore(m_ctx.link, slave, std::move(abbild), modus, seite, m_ctx.locale, b);
    connect(job, &EepromRestore::status, this,
            [this](const QString& t) { EEPROM_STATUS_TEXT = t; });
    connect(
        job, &EepromRestore::finished, this, [this, kurz, lang](const EepromRestore::Result& r) {
            UnloadGate::Scope scope(this);
            const QLocale& l = m_ctx.locale;
            berichtZeigen(EepromRestore::meldung(r, kurz, l),
                          r.vergleich ? r.vergleich->bericht(lang, EepromVergleich::MAX_ZEILEN, l)
                                      : QString());
        });
    starten(job, linie, gesamt, schreiben);
}

void EepromSonderfunktionen::Command_DUMPS_VERGLEICHEN_Click() {
    const QString folge = tr("Es wurde nichts verglichen.");
    QString soll;
    QString ist;
    EepromAbbild a;
    EepromAbbild b;
    if (!dateiWaehlen(tr("Dumps vergleichen: erste Datei (Soll)"), folge, &soll, &a) ||
        !dateiWaehlen(tr("Dumps vergleichen: zweite Datei (Ist)"), folge, &ist, &b))
        return;
    const EepromVergleich v = EepromVergleich::von(a, b);
    const QString kopf = tr("Dumps verglichen\r\nSoll: ") + soll + tr("\r\nIst:  ") + ist +
                         sha256Zeile(tr("Soll"), a) + sha256Zeile(tr("Ist"), b);
    berichtZeigen(v.bericht(kopf, 20, m_ctx.locale),
                  v.bericht(kopf, EepromVergleich::MAX_ZEILEN, m_ctx.locale));
}

void EepromSonderfunktionen::Command_BERICHT_SPEICHERN_Click() {
    if (m_bericht.isEmpty())
        return;
    const QString pfad = m_ctx.prompter.saveFileName(
        tr("Bericht speichern"), m_ctx.DATEN_PFAD + QStringLiteral("EEPROM_VERGLEICH.txt"),
        tr("Textdateien (*.txt);;alle Dateien (*)"));
    if (pfad.isEmpty())
        return;
    datei::Grund grund;
    if (!textfile::writeLines(pfad, m_bericht.split(QStringLiteral("\r\n")), &grund)) {
        m_ctx.prompter.message(tr("FEHLER") + kAbsatz + pfad + kAbsatz +
                               tr("konnte nicht geschrieben werden: ") + grund.text());
        return;
    }
    m_ctx.prompter.message(pfad + kAbsatz + tr("erfolgreich gespeichert"));
}

} // namespace zelmar
