#include "eepromwindow.h"

#include "eepromsonderfunktionen.h"

#include "shell/appcontext.h"
#include "shell/programm.h"
#include "shell/windownames.h"

#include "link/memory.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace zelmar {

namespace {

// Looked up when shown, so they follow the language installed at start.
QString kGroesse() {
    return EepromExternWindow::tr("Bitte zuerst die EEPROM-Größe definieren");
}
QString kNichtGefunden() {
    return EepromExternWindow::tr("FEHLER: EEPROM nicht gefunden. IST SLAVE adresse korrekt?");
}
QString kKeineAntwort() {
    return EepromExternWindow::tr(
        "FEHLER: das Interface antwortet nicht (keine DATEN !!!). COM-PORT und Verbindung prüfen.");
}
QString kSchreiben() {
    return EepromExternWindow::tr(
        "FEHLER: EEPROM antwotet nicht. IST SLAVE adresse korrekt? Schreibschutz deaktiviert?");
}
QString kFunktion() {
    return EepromExternWindow::tr("Fehler in Funktion");
}
QString kStart() {
    return EepromExternWindow::tr(
        "Fehler: die STARTADRESSE muss eine ganze Zahl von 0 bis 65.535 sein.");
}
QString kWert() {
    return EepromExternWindow::tr("Fehler: der WERT muss eine Dezimalzahl von 0 bis 255 "
                                  "sein.\r\nEr wurde nicht geschrieben.");
}
const QString kStrich = QStringLiteral("---");

} // namespace

EepromExternWindow::EepromExternWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::EEPROM_EXTERN_65K);
    setWindowTitle(tr("EEPROM extern"));
    bauen();
    verbinden();
    Timer_ANZEIGE->start();
    Timer_START->start();
}

// ------------------------------------------------------------------------------ building

QGroupBox* EepromExternWindow::bauenAdresse() {
    QGroupBox* frame = steuer::rahmen(tr("Adresse"), QStringLiteral("Frame2"), this);
    Option_GROESSER_256_BYTE =
        steuer::option(tr(">  256 Byte"), QStringLiteral("Option_GRÖSSER_256_BYTE"), frame);
    Option_KLEINER_256_BYTE =
        steuer::option(tr("<=256 Byte"), QStringLiteral("Option_KLEINER_256_BYTE"), frame);
    Text_ADRESSE_SLAVE = steuer::anzeige(QStringLiteral("Text_ADRESSE_SLAVE"), frame);
    setBackColor(Text_ADRESSE_SLAVE, QB_HELLGELB);
    QFont fett = Text_ADRESSE_SLAVE->font();
    fett.setBold(true);
    fett.setPointSize(12);
    Text_ADRESSE_SLAVE->setFont(fett);
    Text_ADRESSE_SLAVE->setAlignment(Qt::AlignCenter);
    Text_ADRESSE_SLAVE->setFixedWidth(56);
    Text_ADRESSE_SLAVE->setToolTip(tr("SLAVE-ADRESSE"));

    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(3);
    grid->addWidget(Option_GROESSER_256_BYTE, 0, 0, 1, 2);
    grid->addWidget(Option_KLEINER_256_BYTE, 0, 2, 1, 2);
    for (int k = 0; k < 8; ++k) {
        Command_SLAVE[k] =
            steuer::knopf(QString::number(80 + k), QStringLiteral("Command%1").arg(9 + k), frame);
        Command_SLAVE[k]->setMinimumWidth(40);
        grid->addWidget(Command_SLAVE[k], 1 + k / 4, k % 4);
    }
    grid->addWidget(Text_ADRESSE_SLAVE, 1, 4, 2, 1);
    return frame;
}

QGroupBox* EepromExternWindow::bauenDarstellung() {
    QGroupBox* frame = steuer::rahmen(tr("Darstellung"), QStringLiteral("Frame1"), this);
    Option_HEX = steuer::option(tr("hex"), QStringLiteral("Option_HEX"), frame);
    Option_ASC = steuer::option(tr("ASCII"), QStringLiteral("Option_ASC"), frame);
    Option_DEZ = steuer::option(tr("dez"), QStringLiteral("Option_DEZ"), frame);
    Option_DEZ->setChecked(true);
    Check_ADRESSE_HEX =
        steuer::haken(tr("ARDESSE=>HEX"), QStringLiteral("Check_ADRESSE_HEX"), false, frame);
    Check_000 = steuer::haken(tr("         0 => grau"), QStringLiteral("Check_000"), false, frame);
    Check_1_254 = steuer::haken(tr("1...254 => grau"), QStringLiteral("Check_1_254"), false, frame);
    Check_255 = steuer::haken(tr("     255 => grau"), QStringLiteral("Check_255"), true, frame);
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    grid->addWidget(Option_HEX, 0, 0);
    grid->addWidget(Option_ASC, 1, 0);
    grid->addWidget(Option_DEZ, 2, 0);
    grid->addWidget(Check_ADRESSE_HEX, 3, 0);
    grid->addWidget(Check_000, 0, 1);
    grid->addWidget(Check_1_254, 1, 1);
    grid->addWidget(Check_255, 2, 1);
    return frame;
}

QGroupBox* EepromExternWindow::bauenStartadresse() {
    QGroupBox* frame = steuer::rahmen(tr("EEPROM ADRESSE"), QStringLiteral("Frame6"), this);
    Label22 = steuer::beschriftung(tr("Startposition dezimal:"), QStringLiteral("Label22"), frame);
    Text_EERPROM_STARTADRESSE_DEZIMAL =
        steuer::eingabe(QStringLiteral("Text_EERPROM_STARTADRESSE_DEZIMAL"), QStringLiteral("0"),
                        frame, tr("Adresse der ersten Zelle, 0 bis 65535"));
    setBackColor(Text_EERPROM_STARTADRESSE_DEZIMAL, QB_HELLGELB);
    Text_EERPROM_STARTADRESSE_DEZIMAL->setFixedWidth(80);
    auto k = [frame](const char* caption, const char* name) {
        return steuer::knopf(QString::fromUtf8(caption), QString::fromLatin1(name), frame);
    };
    Command3 = k("- 150", "Command3");
    Command4 = k("+ 150", "Command4");
    Command5 = k("- 1000", "Command5");
    Command6 = k("+ 1000", "Command6");
    Command7 = k("- 10.000", "Command7");
    Command8 = k("+ 10.000", "Command8");
    Command17 = k("0", "Command17");
    Command18 = steuer::knopf(tr("max"), QStringLiteral("Command18"), frame);
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(3);
    auto* start = new QHBoxLayout;
    start->addWidget(Label22);
    start->addWidget(Text_EERPROM_STARTADRESSE_DEZIMAL);
    start->addStretch(1);
    grid->addLayout(start, 0, 0, 1, 4);
    QPushButton* const reihe[2][4] = {{Command3, Command5, Command7, Command17},
                                      {Command4, Command6, Command8, Command18}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            grid->addWidget(reihe[r][c], 1 + r, c);
    return frame;
}

void EepromExternWindow::bauen() {
    m_zellen = new EepromZellen(this);

    auto* frame3 = steuer::rahmen(QString(), QStringLiteral("Frame3"), this);
    Check_PROFI = steuer::haken(tr("Profi"), QStringLiteral("Check_PROFI"), true, frame3);
    Check_REPEAD = steuer::haken(tr("repead"), QStringLiteral("Check_REPEAD"), false, frame3);
    auto* f3 = new QHBoxLayout(frame3);
    f3->addWidget(Check_PROFI);
    f3->addWidget(Check_REPEAD);
    f3->addStretch(1);

    Frame_SONDERFUNKTIONEN = new EepromSonderfunktionen(m_ctx, this);
    steuer::platzBehalten(Frame_SONDERFUNKTIONEN);

    Command_ANZEIGE =
        steuer::knopf(tr("ANZEIGE aktualisieren"), QStringLiteral("Command_ANZEIGE"), this);
    Command_lesen = steuer::knopf(tr("DATEN REFRESH"), QStringLiteral("Command_lesen"), this);
    Command2 = steuer::knopf(tr("OK"), QStringLiteral("Command2"), this);
    Command1 = steuer::knopf(tr("END"), QStringLiteral("Command1"), this);
    auto* knoepfe = new QGridLayout;
    knoepfe->addWidget(Command_ANZEIGE, 0, 0);
    knoepfe->addWidget(Command_lesen, 0, 1);
    knoepfe->addWidget(Command2, 1, 0);
    knoepfe->addWidget(Command1, 1, 1);

    auto* rechts = new QVBoxLayout;
    rechts->setSpacing(4);
    rechts->addWidget(bauenAdresse());
    rechts->addWidget(bauenDarstellung());
    rechts->addWidget(bauenStartadresse());
    rechts->addWidget(frame3);
    rechts->addWidget(Frame_SONDERFUNKTIONEN);
    rechts->addStretch(1);
    rechts->addLayout(knoepfe);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(10);
    layout->addWidget(m_zellen, 0, Qt::AlignTop);
    layout->addLayout(rechts);

    Timer_ANZEIGE = new QTimer(this);
    Timer_ANZEIGE->setObjectName(QStringLiteral("Timer_ANZEIGE"));
    Timer_ANZEIGE->setInterval(100);
    Timer_START = new QTimer(this);
    Timer_START->setObjectName(QStringLiteral("Timer_START"));
    Timer_START->setInterval(100);
}

void EepromExternWindow::verbinden() {
    using W = EepromExternWindow;
    for (int i = 0; i < ANZAHL; ++i)
        guardedConnect(m_zellen->Command_w[i], &QPushButton::clicked, this, &W::Command_w_Click, i);
    guardedConnect(m_zellen, &EepromZellen::Text2_Click, this, &W::Text2_Click);
    for (int k = 0; k < 8; ++k)
        guardedConnect(Command_SLAVE[k], &QPushButton::clicked, this, &W::Command_SLAVE_Click,
                       80 + k);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             Option_HEX, Option_ASC, Option_DEZ, Check_ADRESSE_HEX, Check_000, Check_1_254,
             Check_255, Command_ANZEIGE})
        guardedConnect(b, &QAbstractButton::clicked, this, &W::EEPROM_ANZEIGEN);
    const std::pair<QPushButton*, void (W::*)()> knoepfe[] = {
        {Command_lesen, &W::EEPROM_LESEN}, {Command3, &W::Command3_Click},
        {Command4, &W::Command4_Click},    {Command5, &W::Command5_Click},
        {Command6, &W::Command6_Click},    {Command7, &W::Command7_Click},
        {Command8, &W::Command8_Click},    {Command17, &W::Command17_Click},
        {Command18, &W::Command18_Click},  {Command2, &W::Command2_Click},
        {Command1, &W::Command1_Click}};
    for (const auto& [knopf, handler] : knoepfe)
        guardedConnect(knopf, &QPushButton::clicked, this, handler);
    guardedConnect(Timer_ANZEIGE, &QTimer::timeout, this, &W::Timer_ANZEIGE_Timer);
    guardedConnect(Timer_START, &QTimer::timeout, this, &W::Timer_START_Timer);
    guardedConnect(Frame_SONDERFUNKTIONEN, &EepromSonderfunktionen::geloescht, this,
                   &W::EEPROM_LESEN);
}

// ------------------------------------------------------------------------------ reading

int EepromExternWindow::adressBytes() {
    if (Option_GROESSER_256_BYTE->isChecked())
        return 2;
    if (Option_KLEINER_256_BYTE->isChecked())
        return 1;
    setBackColor(Option_GROESSER_256_BYTE, QB_HELLROT);
    setBackColor(Option_KLEINER_256_BYTE, QB_HELLROT);
    m_ctx.prompter.message(kGroesse());
    return 0;
}

void EepromExternWindow::groessenLoeschen() {
    for (QRadioButton* o : {Option_GROESSER_256_BYTE, Option_KLEINER_256_BYTE}) {
        // A checked exclusive option cannot be cleared on its own.
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
}

bool EepromExternWindow::startAdresse(int* start) {
    const QString text = Text_EERPROM_STARTADRESSE_DEZIMAL->text();
    int a = 0;
    if (!text.trimmed().isEmpty() && (!parseWholeNumber(text, &a) || a < 0 || a > 65535)) {
        m_ctx.prompter.message(kStart());
        return false;
    }
    *start = a;
    return true;
}

bool EepromExternWindow::beschaeftigt() const {
    return m_ctx.link.busy() || m_lesen || Frame_SONDERFUNKTIONEN->lauf();
}

void EepromExternWindow::EEPROM_LESEN() {
    const int bytes = adressBytes();
    if (bytes == 0)
        return;
    setBackColor(Option_GROESSER_256_BYTE, QB_HELLGRAU);
    setBackColor(Option_KLEINER_256_BYTE, QB_HELLGRAU);
    // A repeat under way takes the new start or slave on its next pass.
    if (beschaeftigt())
        return;
    Command_lesen->setEnabled(false);
    m_lesen = new Repetition(m_ctx.link,
                             {{[this, bytes] {
                                   UnloadGate::Scope scope(this);
                                   return lesenEinmal(bytes);
                               },
                               0}},
                             [this] { return Check_REPEAD->isChecked(); });
    m_lesen->bindTo(this);
    connect(m_lesen, &Job::ended, this, [this] {
        m_lesen = nullptr;
        Command_lesen->setEnabled(true);
    });
    m_lesen->start();
}

void EepromExternWindow::nichtGefunden(const SpeicherAntwort& antwort) {
    // Without a reply nothing is known about the EEPROM: it is the interface that is silent.
    m_ctx.prompter.message(antwort.ohneAntwort() ? kKeineAntwort() : kNichtGefunden());
}

bool EepromExternWindow::lesenEinmal(int bytes) {
    int start = 0;
    if (!startAdresse(&start))
        return false;
    Link& link = m_ctx.link;
    const int slave = link.SLAVE_ADRESSE;
    ADRESSE_TEILEN(start, ADRESSE_HIGH, ADRESSE_LOW);
    const SpeicherAntwort adresse = EEPROM_ADRESSE_SETZEN(link, slave, start, bytes);
    if (adresse == SpeicherAntwort::NichtGesendet)
        return false;
    if (adresse == SpeicherAntwort::Leitung) {
        // Nothing came back: the cells show no bytes rather than zeros that were never read.
        m_gueltig = false;
        nichtGefunden(adresse);
        anzeigenAb(start);
        return true;
    }
    if (adresse == SpeicherAntwort::KeinAck)
        nichtGefunden(adresse);
    const SpeicherAntwort daten = EEPROM_BLOCK_LESEN(link, slave, ANZAHL);
    if (daten == SpeicherAntwort::NichtGesendet)
        return false;
    m_gueltig = daten != SpeicherAntwort::Leitung;
    if (m_gueltig)
        std::copy_n(daten.antwort.bytes.cbegin(), ANZAHL, m_werte.begin());
    if (daten != SpeicherAntwort::Ok)
        nichtGefunden(daten);
    anzeigenAb(start);
    return true;
}

void EepromExternWindow::anzeigenAb(int start) {
    m_start = start;
    m_gelesen = true;
    EEPROM_ANZEIGEN();
}

// ------------------------------------------------------------------------------ display

void EepromExternWindow::EEPROM_ANZEIGEN() {
    // Until the first read the cells stand for the typed start.
    int getippt = 0;
    if (!m_gelesen && parseWholeNumber(Text_EERPROM_STARTADRESSE_DEZIMAL->text(), &getippt) &&
        getippt >= 0 && getippt <= 65535)
        m_start = getippt;
    const bool hexAdresse = Check_ADRESSE_HEX->isChecked();
    bool ausserhalb = false;
    for (int i = 0; i < ANZAHL; ++i) {
        const int a = m_start + i;
        QString text = QString::number(a);
        if (hexAdresse) {
            text = HEX_4(a);
            ausserhalb = ausserhalb || text.isEmpty();
        }
        setTextIfChanged(m_zellen->Text_ADRESSE[i], text);
    }
    if (ausserhalb) {
        // One box for the display, not one per cell; a repeat would bring them back each pass.
        Check_REPEAD->setChecked(false);
        m_ctx.prompter.message(kFunktion());
    }
    const bool repeat = Check_REPEAD->isChecked();
    for (int i = 0; i < ANZAHL; ++i) {
        QLineEdit* box = m_zellen->Text2[i];
        const quint8 b = m_werte[i];
        if (!m_gueltig)
            setTextIfChanged(box, kStrich);
        else if (Option_DEZ->isChecked())
            setTextIfChanged(box, QString::number(b));
        else if (Option_HEX->isChecked())
            setTextIfChanged(box, HEX_2(b));
        else if (Option_ASC->isChecked())
            setTextIfChanged(box, ansiZeichen(b));

        int farbe = QB_HELLGRAU;
        if (m_gueltig) {
            const QCheckBox* filter = b == 0 ? Check_000 : b == 255 ? Check_255 : Check_1_254;
            if (!filter->isChecked())
                farbe = QB_HELLGELB;
        }
        if (repeat)
            farbe = box->text() == ALTE_WERTE[i] ? QB_HELLGRAU : QB_HELLGELB;
        setBackColor(box, farbe);
        ALTE_WERTE[i] = box->text();
    }
}

// ------------------------------------------------------------------------------ writing

void EepromExternWindow::Text2_Click(int index) {
    setBackColor(m_zellen->Text2[index], QB_HELLROT);
    m_zellen->Text2[index]->clear();
}

void EepromExternWindow::Command_w_Click(int index) {
    if (beschaeftigt())
        return;
    // Without a size the address bytes are unknown: the byte would land in another cell.
    const int bytes = adressBytes();
    if (bytes == 0)
        return;
    // The cell stands for the address it shows, and before any read for the typed start.
    if (!m_gelesen && !startAdresse(&m_start))
        return;
    const int a = m_start + index;
    // With one address byte a cell above 255 stands for its low byte, as the read showed it.
    if (a > 65535) {
        m_ctx.prompter.message(
            tr("Fehler: die ADRESSE %1 liegt nicht im EEPROM (0 bis 65.535).").arg(a));
        return;
    }
    QLineEdit* box = m_zellen->Text2[index];
    quint8 wert = 0;
    // What the hex or ASCII display drew is no decimal byte, even where it looks like one ("7"
    // for 0x37): only a value the user typed is taken.
    const bool gezeichnet = !Option_DEZ->isChecked() && !box->isModified();
    if (gezeichnet || !parseDecimalByte(box->text(), &wert)) {
        setBackColor(box, QB_HELLROT);
        m_ctx.prompter.message(kWert());
        return;
    }
    ADRESSE_TEILEN(a, ADRESSE_HIGH, ADRESSE_LOW);
    Link& link = m_ctx.link;
    const SpeicherAntwort r = EEPROM_BYTE_SCHREIBEN(link, link.SLAVE_ADRESSE, a, bytes, wert);
    if (r == SpeicherAntwort::NichtGesendet)
        return;
    if (r != SpeicherAntwort::Ok)
        m_ctx.prompter.message(r == SpeicherAntwort::Leitung ? kKeineAntwort() : kSchreiben());
    EEPROM_LESEN();
}

// ------------------------------------------------------------------------------ paging

void EepromExternWindow::blaettern(int delta, bool stellen) {
    int start = delta; // "0" and "max" set the start outright
    if (!stellen) {
        if (!startAdresse(&start))
            return;
        start = delta < 0 ? std::max(0, start + delta) : std::min(START_MAX, start + delta);
    }
    Text_EERPROM_STARTADRESSE_DEZIMAL->setText(QString::number(start));
    EEPROM_LESEN();
}

void EepromExternWindow::Command3_Click() {
    blaettern(-150);
}
void EepromExternWindow::Command4_Click() {
    blaettern(150);
}
void EepromExternWindow::Command5_Click() {
    blaettern(-1000);
}
void EepromExternWindow::Command6_Click() {
    blaettern(1000);
}
void EepromExternWindow::Command7_Click() {
    blaettern(-10000);
}
void EepromExternWindow::Command8_Click() {
    blaettern(10000);
}
void EepromExternWindow::Command17_Click() {
    blaettern(0, true);
}
void EepromExternWindow::Command18_Click() {
    blaettern(START_MAX, true);
}

// Every preset asks for the size again at the next read.
void EepromExternWindow::Command_SLAVE_Click(int adresse) {
    m_ctx.link.SLAVE_ADRESSE = quint8(adresse);
    EEPROM_LESEN();
    groessenLoeschen();
}

// ------------------------------------------------------------------------------ frame

void EepromExternWindow::Command2_Click() {
    close();
}

void EepromExternWindow::Command1_Click() {
    Check_REPEAD->setChecked(false);
    close();
    PROGRAMM_BEENDEN(m_ctx);
}

void EepromExternWindow::Timer_ANZEIGE_Timer() {
    setTitleIfChanged(this, STATUS_ZEILE(m_ctx, 1));
    setTextIfChanged(Text_ADRESSE_SLAVE, QString::number(m_ctx.link.SLAVE_ADRESSE));
    const bool profi = Check_PROFI->isChecked();
    if (Frame_SONDERFUNKTIONEN->isVisibleTo(this) != profi)
        Frame_SONDERFUNKTIONEN->setVisible(profi);
    Frame_SONDERFUNKTIONEN->tick();
}

// The window does not read when it opens.
void EepromExternWindow::Timer_START_Timer() {
    Timer_START->stop();
}

} // namespace zelmar
