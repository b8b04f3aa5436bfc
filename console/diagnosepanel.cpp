#include "diagnosepanel.h"

#include "shell/appcontext.h"

#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include "link/diagnostics.h"
#include "link/link.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zelmar {

namespace {

// Looked up when shown, so they follow the language installed at start.
QString kError() {
    return DiagnosePanel::tr("ERROR");
}
QString kOk() {
    return DiagnosePanel::tr("ok");
}
QString kWarnung() {
    return DiagnosePanel::tr("WARNUNG");
}

QPushButton* knopf(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLineEdit* ergebnisFeld(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(QStringLiteral("---"), parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setMinimumWidth(90);
    setBackColor(box, QB_HELLGRAU);
    return box;
}

} // namespace

DiagnosePanel::DiagnosePanel(AppContext& ctx, QGroupBox* fehlerFrame, QWidget* parent)
    : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("DiagnosePanel"));

    Command_DUMMY = knopf(tr("RXD/TXD testen"), "Command_DUMMY", this);
    Text_DUMMY = ergebnisFeld("Text_DUMMY", this);
    Command_MCUCSR = knopf(tr("MCUCSR"), "Command_MCUCSR", this);
    Command_MCUCSR_CLEAR = knopf(tr("clear"), "Command_MCUCSR_CLEAR", this);
    Text_MCUCSR = ergebnisFeld("Text_MCUCSR", this);
    Command_VOLT = knopf(tr("Spannung  auslesen"), "Command_VOLT", this);
    Text_SPANNUNG = ergebnisFeld("Text_SPANNUNG", this);
    Command25 = knopf(tr("INTERFACE INFO auslesen"), "Command25", this);
    Text_INFO = ergebnisFeld("Text_INFO", this);
    Text_INFO->setMinimumWidth(150);
    Command_OFF = knopf(tr("INTERFACE OFF"), "Command_OFF", this);
    Text_OFF = ergebnisFeld("Text_OFF", this);
    Command_RESET = knopf(tr("INTERFACE RESET"), "Command_RESET", this);
    Text_RESET = ergebnisFeld("Text_RESET", this);
    Command_TAKT_AUSLESEN = knopf(tr("TAKT auslesen"), "Command_TAKT_AUSLESEN", this);
    Text_TAKT_MASTER = ergebnisFeld("Text_TAKT_MASTER", this);
    Command_FEHLERCODE_INTERFACE =
        knopf(tr("Fehler auslesen"), "Command_FEHLERCODE_INTERFACE", this);
    Text_FEHLERCODE_INTERFACE = ergebnisFeld("Text_FEHLERCODE_INTERFACE", this);
    Command_TWI_PINS_AUSLESEN = knopf(tr("TWI-PINS auslesen"), "Command_TWI_PINS_AUSLESEN", this);
    Text_TWI_PINS_AUSLESEN = ergebnisFeld("Text_TWI_PINS_AUSLESEN", this);
    Command1 = knopf(tr("Spannung RESET"), "Command1", this);
    Text_BUS_RESET = ergebnisFeld("Text_BUS_RESET", this);

    Command_TWI_FEHLER_ERZEUGEN = knopf(tr("START"), "Command_TWI_FEHLER_ERZEUGEN", fehlerFrame);
    Text_TWI_FEHLER_ERZEUGEN = ergebnisFeld("Text_TWI_FEHLER_ERZEUGEN", fehlerFrame);
    auto* fehler = new QHBoxLayout(fehlerFrame);
    fehler->addWidget(Command_TWI_FEHLER_ERZEUGEN);
    fehler->addWidget(Text_TWI_FEHLER_ERZEUGEN, 1);

    // Left: the connection and the interface's own values; right: switching and the bus.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);
    auto* mcucsr = new QHBoxLayout;
    mcucsr->addWidget(Command_MCUCSR, 1);
    mcucsr->addWidget(Command_MCUCSR_CLEAR);
    grid->addLayout(mcucsr, 1, 0);
    grid->addWidget(Text_MCUCSR, 1, 1);
    const std::pair<int, std::pair<QPushButton*, QLineEdit*>> links[] = {
        {0, {Command_DUMMY, Text_DUMMY}},
        {2, {Command_VOLT, Text_SPANNUNG}},
        {3, {Command25, Text_INFO}},
        {4, {Command_TAKT_AUSLESEN, Text_TAKT_MASTER}},
        {5, {Command_FEHLERCODE_INTERFACE, Text_FEHLERCODE_INTERFACE}},
    };
    for (const auto& [row, pair] : links) {
        grid->addWidget(pair.first, row, 0);
        grid->addWidget(pair.second, row, 1);
    }
    const std::pair<QPushButton*, QLineEdit*> rechts[] = {
        {Command_TWI_PINS_AUSLESEN, Text_TWI_PINS_AUSLESEN},
        {Command_OFF, Text_OFF},
        {Command_RESET, Text_RESET},
        {Command1, Text_BUS_RESET},
    };
    int row = 0;
    for (const auto& [button, box] : rechts) {
        grid->addWidget(button, row, 3);
        grid->addWidget(box, row++, 4);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    guardedConnect(Command_DUMMY, &QPushButton::clicked, this, &DiagnosePanel::Command_DUMMY_Click);
    guardedConnect(Command_MCUCSR, &QPushButton::clicked, this,
                   &DiagnosePanel::Command_MCUCSR_Click);
    guardedConnect(Command_MCUCSR_CLEAR, &QPushButton::clicked, this,
                   &DiagnosePanel::Command_MCUCSR_CLEAR_Click);
    guardedConnect(Command_VOLT, &QPushButton::clicked, this, &DiagnosePanel::Command_VOLT_Click);
    guardedConnect(Command25, &QPushButton::clicked, this, &DiagnosePanel::Command25_Click);
    guardedConnect(Command_OFF, &QPushButton::clicked, this, &DiagnosePanel::Command_OFF_Click);
    guardedConnect(Command_RESET, &QPushButton::clicked, this, &DiagnosePanel::Command_RESET_Click);
    guardedConnect(Command_TAKT_AUSLESEN, &QPushButton::clicked, this,
                   &DiagnosePanel::Command_TAKT_AUSLESEN_Click);
    guardedConnect(Command_FEHLERCODE_INTERFACE, &QPushButton::clicked, this,
                   &DiagnosePanel::Command_FEHLERCODE_INTERFACE_Click);
    guardedConnect(Command_TWI_PINS_AUSLESEN, &QPushButton::clicked, this,
                   &DiagnosePanel::Command_TWI_PINS_AUSLESEN_Click);
    guardedConnect(Command1, &QPushButton::clicked, this, &DiagnosePanel::Command1_Click);
    guardedConnect(Command_TWI_FEHLER_ERZEUGEN, &QPushButton::clicked, this,
                   &DiagnosePanel::Command_TWI_FEHLER_ERZEUGEN_Click);
}

// One interface command of the diagnostics and the box that shows its reply.
struct DiagnosePanel::Abfrage {
    quint8 befehl;
    QLineEdit* DiagnosePanel::*feld;
    // A dangerous command asks first (WARNUNG, No default); the box shows "???" meanwhile.
    const char* warnung = nullptr;
};

// The table of the one-click diagnostics, in the order of Eintrag.
const DiagnosePanel::Abfrage DiagnosePanel::kTabelle[] = {
    {befehl::DUMMY, &DiagnosePanel::Text_DUMMY},
    {befehl::MCUCSR, &DiagnosePanel::Text_MCUCSR},
    {befehl::MCUCSR_CLEAR, &DiagnosePanel::Text_MCUCSR},
    {befehl::SPANNUNG, &DiagnosePanel::Text_SPANNUNG},
    {befehl::NAME, &DiagnosePanel::Text_INFO},
    {befehl::TWI_AUS, &DiagnosePanel::Text_OFF},
    {befehl::RESET, &DiagnosePanel::Text_RESET},
    {befehl::TAKT, &DiagnosePanel::Text_TAKT_MASTER},
    {befehl::FEHLERCODE, &DiagnosePanel::Text_FEHLERCODE_INTERFACE},
    {befehl::TWI_PINS, &DiagnosePanel::Text_TWI_PINS_AUSLESEN},
    {befehl::BUS_SPANNUNG_RESET, &DiagnosePanel::Text_BUS_RESET,
     QT_TRANSLATE_NOOP("zelmar::DiagnosePanel", "Möchten Sie wirklich ein BUS-RESET durchführen?")},
};

// "???" on yellow, painted before the wait begins.
void DiagnosePanel::ausstehend(QLineEdit* box) {
    box->setText(QStringLiteral("???"));
    setBackColor(box, QB_HELLGELB);
}

void DiagnosePanel::ergebnis(QLineEdit* box, bool success, const QString& text) {
    box->setText(text);
    setBackColor(box, success ? QB_HELLGRUEN : QB_HELLROT);
}

void DiagnosePanel::abfragen(const Abfrage& a) {
    QLineEdit* box = this->*a.feld;
    ausstehend(box);
    if (a.warnung) {
        // The question is open meanwhile; on No the box stays as it is.
        if (!m_ctx.prompter.askYesNo(tr(a.warnung), kWarnung()))
            return;
    } else {
        QCoreApplication::processEvents();
    }
    // A failed line shows "ERROR" on red.
    const auto befund = INTERFACE_ABFRAGEN(m_ctx.link, a.befehl, m_ctx.locale);
    if (!befund)
        return ergebnis(box, false, kError());
    ergebnis(box, befund->gut, befund->text);
}

void DiagnosePanel::Command_DUMMY_Click() {
    abfragen(kTabelle[Dummy]);
}
void DiagnosePanel::Command_MCUCSR_Click() {
    abfragen(kTabelle[Mcucsr]);
}
// The cleared register is read back at once.
void DiagnosePanel::Command_MCUCSR_CLEAR_Click() {
    abfragen(kTabelle[McucsrClear]);
    Command_MCUCSR_Click();
}
void DiagnosePanel::Command_VOLT_Click() {
    abfragen(kTabelle[Spannung]);
}
void DiagnosePanel::Command25_Click() {
    abfragen(kTabelle[Name]);
}
void DiagnosePanel::Command_OFF_Click() {
    abfragen(kTabelle[Aus]);
}
void DiagnosePanel::Command_RESET_Click() {
    abfragen(kTabelle[Reset]);
}
void DiagnosePanel::Command_TAKT_AUSLESEN_Click() {
    abfragen(kTabelle[Takt]);
}
void DiagnosePanel::Command_FEHLERCODE_INTERFACE_Click() {
    abfragen(kTabelle[Fehler]);
}
void DiagnosePanel::Command_TWI_PINS_AUSLESEN_Click() {
    abfragen(kTabelle[Pins]);
}
void DiagnosePanel::Command1_Click() {
    abfragen(kTabelle[BusReset]);
}

void DiagnosePanel::Command_TWI_FEHLER_ERZEUGEN_Click() {
    if (!m_ctx.prompter.askYesNo(tr("Möchten Sie wirklich einen TWI-BUS-FEHLER erzeugen"),
                                 kWarnung()))
        return;
    // START, STOP and TWI off written straight into TWCR, then the interface's own TWI off.
    const std::pair<quint8, quint8> schritte[] = {{befehl::TWCR_SETZEN, 0xA4},
                                                  {befehl::TWCR_SETZEN, 0x94},
                                                  {befehl::TWCR_SETZEN, 0},
                                                  {befehl::TWI_AUS, 0}};
    Link& link = m_ctx.link;
    Reply letzte;
    for (const auto& [befehl, reserve] : schritte) {
        Request r;
        r.befehl = befehl;
        r.adresse = link.SLAVE_ADRESSE;
        r.reserve = reserve;
        link.RAHMEN_SENDEN(r);
        letzte = receive(link, 1);
    }
    const bool ok = letzte.done();
    ergebnis(Text_TWI_FEHLER_ERZEUGEN, ok, ok ? kOk() : kError());
}

} // namespace zelmar
