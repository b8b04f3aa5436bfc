#include "diagnosepanel.h"

#include "shell/appcontext.h"

#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zelmar {

namespace {

const QString kError = QStringLiteral("ERROR");
const QString kOk = QStringLiteral("ok");
const QString kWarnung = QStringLiteral("WARNUNG");

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

QString mcucsrText(int value) {
    switch (value) {
    case 0:
        return QStringLiteral("SOFTW");
    case 2:
        return QStringLiteral("ext");
    case 6:
        return QStringLiteral("POWER");
    case 8:
        return QStringLiteral("WDR");
    default:
        return QString::number(value);
    }
}

QString twiPinsText(int value) {
    switch (value) {
    case 1:
        return QStringLiteral("SDA");
    case 2:
        return QStringLiteral("SCL");
    case 3:
        return QStringLiteral("SDA+SCL");
    default:
        return QString::number(value);
    }
}

DiagnosePanel::DiagnosePanel(AppContext& ctx, QGroupBox* fehlerFrame, QWidget* parent)
    : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("DiagnosePanel"));

    Command_DUMMY = knopf(QStringLiteral("RXD/TXD testen"), "Command_DUMMY", this);
    Text_DUMMY = ergebnisFeld("Text_DUMMY", this);
    Command_MCUCSR = knopf(QStringLiteral("MCUCSR"), "Command_MCUCSR", this);
    Command_MCUCSR_CLEAR = knopf(QStringLiteral("clear"), "Command_MCUCSR_CLEAR", this);
    Text_MCUCSR = ergebnisFeld("Text_MCUCSR", this);
    Command_VOLT = knopf(QStringLiteral("Spannung  auslesen"), "Command_VOLT", this);
    Text_SPANNUNG = ergebnisFeld("Text_SPANNUNG", this);
    Command25 = knopf(QStringLiteral("INTERFACE INFO auslesen"), "Command25", this);
    Text_INFO = ergebnisFeld("Text_INFO", this);
    Text_INFO->setMinimumWidth(150);
    Command_OFF = knopf(QStringLiteral("INTERFACE OFF"), "Command_OFF", this);
    Text_OFF = ergebnisFeld("Text_OFF", this);
    Command_RESET = knopf(QStringLiteral("INTERFACE RESET"), "Command_RESET", this);
    Text_RESET = ergebnisFeld("Text_RESET", this);
    Command_TAKT_AUSLESEN = knopf(QStringLiteral("TAKT auslesen"), "Command_TAKT_AUSLESEN", this);
    Text_TAKT_MASTER = ergebnisFeld("Text_TAKT_MASTER", this);
    Command_FEHLERCODE_INTERFACE =
        knopf(QStringLiteral("Fehler auslesen"), "Command_FEHLERCODE_INTERFACE", this);
    Text_FEHLERCODE_INTERFACE = ergebnisFeld("Text_FEHLERCODE_INTERFACE", this);
    Command_TWI_PINS_AUSLESEN =
        knopf(QStringLiteral("TWI-PINS auslesen"), "Command_TWI_PINS_AUSLESEN", this);
    Text_TWI_PINS_AUSLESEN = ergebnisFeld("Text_TWI_PINS_AUSLESEN", this);
    Command1 = knopf(QStringLiteral("Spannung RESET"), "Command1", this);
    Text_BUS_RESET = ergebnisFeld("Text_BUS_RESET", this);

    Command_TWI_FEHLER_ERZEUGEN =
        knopf(QStringLiteral("START"), "Command_TWI_FEHLER_ERZEUGEN", fehlerFrame);
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

    connect(Command_DUMMY, &QPushButton::clicked, this, &DiagnosePanel::Command_DUMMY_Click);
    connect(Command_MCUCSR, &QPushButton::clicked, this, &DiagnosePanel::Command_MCUCSR_Click);
    connect(Command_MCUCSR_CLEAR, &QPushButton::clicked, this,
            &DiagnosePanel::Command_MCUCSR_CLEAR_Click);
    connect(Command_VOLT, &QPushButton::clicked, this, &DiagnosePanel::Command_VOLT_Click);
    connect(Command25, &QPushButton::clicked, this, &DiagnosePanel::Command25_Click);
    connect(Command_OFF, &QPushButton::clicked, this, &DiagnosePanel::Command_OFF_Click);
    connect(Command_RESET, &QPushButton::clicked, this, &DiagnosePanel::Command_RESET_Click);
    connect(Command_TAKT_AUSLESEN, &QPushButton::clicked, this,
            &DiagnosePanel::Command_TAKT_AUSLESEN_Click);
    connect(Command_FEHLERCODE_INTERFACE, &QPushButton::clicked, this,
            &DiagnosePanel::Command_FEHLERCODE_INTERFACE_Click);
    connect(Command_TWI_PINS_AUSLESEN, &QPushButton::clicked, this,
            &DiagnosePanel::Command_TWI_PINS_AUSLESEN_Click);
    connect(Command1, &QPushButton::clicked, this, &DiagnosePanel::Command1_Click);
    connect(Command_TWI_FEHLER_ERZEUGEN, &QPushButton::clicked, this,
            &DiagnosePanel::Command_TWI_FEHLER_ERZEUGEN_Click);
}

// "???" on yellow, painted before the wait begins.
void DiagnosePanel::ausstehend(QLineEdit* box) {
    box->setText(QStringLiteral("???"));
    setBackColor(box, QB_HELLGELB);
}

// Kept counts: the frame carries what the previous transaction left in them.
void DiagnosePanel::anfrage(quint8 befehl, quint8 reserve, Zaehler zaehler) {
    Link& link = m_ctx.link;
    link.BEFEHL = befehl;
    link.RESERVE = reserve;
    if (zaehler == Zaehler::Null) {
        link.ANZAHL_SENDEN = 0;
        link.ANZAHL_EMPFANGEN = 0;
    }
    link.RAHMEN_SENDEN();
}

bool DiagnosePanel::ok() const {
    return m_ctx.link.STATUS_CODE == 0;
}

void DiagnosePanel::ergebnis(QLineEdit* box, bool success, const QString& text) {
    box->setText(text);
    setBackColor(box, success ? QB_HELLGRUEN : QB_HELLROT);
}

void DiagnosePanel::Command_DUMMY_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_DUMMY);
    QCoreApplication::processEvents();
    anfrage(0, 0, Zaehler::Behalten);
    m_ctx.link.DATEN_EMPFANGEN(1);
    ergebnis(Text_DUMMY, ok(), ok() ? kOk : kError);
}

void DiagnosePanel::Command_MCUCSR_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_MCUCSR);
    QCoreApplication::processEvents();
    anfrage(1, 0, Zaehler::Behalten);
    m_ctx.link.DATEN_EMPFANGEN(1);
    ergebnis(Text_MCUCSR, ok(), ok() ? mcucsrText(m_ctx.link.EMPFANGSBYTE) : kError);
}

void DiagnosePanel::Command_MCUCSR_CLEAR_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_MCUCSR);
    QCoreApplication::processEvents();
    anfrage(2, 0, Zaehler::Behalten);
    m_ctx.link.DATEN_EMPFANGEN(1);
    ergebnis(Text_MCUCSR, ok(), ok() ? kOk : kError);
    Command_MCUCSR_Click();
}

void DiagnosePanel::Command_VOLT_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_SPANNUNG);
    QCoreApplication::processEvents();
    anfrage(3, 0, Zaehler::Null);
    m_ctx.link.EMPFANGSPUFFER_LOESCHEN();
    m_ctx.link.DATEN_EMPFANGEN(1);
    ergebnis(Text_SPANNUNG, ok(),
             ok() ? formatFixed(m_ctx.link.EMPFANGSBYTE / 10.0, 1, m_ctx.locale) +
                        QStringLiteral(" V")
                  : kError);
}

void DiagnosePanel::Command25_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_INFO);
    QCoreApplication::processEvents();
    anfrage(4, 0, Zaehler::Null);
    m_ctx.link.DATEN_EMPFANGEN(16);
    QString name;
    for (int i = 1; i <= 16; ++i)
        name += QChar(m_ctx.link.EMPFANGSPUFFER[i]); // one character per byte, zeros too
    ergebnis(Text_INFO, ok(), ok() ? name : kError);
}

void DiagnosePanel::Command_OFF_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_OFF);
    QCoreApplication::processEvents();
    anfrage(5, 0, Zaehler::Null);
    m_ctx.link.DATEN_EMPFANGEN(1);
    ergebnis(Text_OFF, ok(), ok() ? kOk : kError);
}

void DiagnosePanel::Command_RESET_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_RESET);
    QCoreApplication::processEvents();
    anfrage(10, 0, Zaehler::Null);
    m_ctx.link.DATEN_EMPFANGEN(1);
    ergebnis(Text_RESET, ok(), ok() ? kOk : kError);
}

void DiagnosePanel::Command_TAKT_AUSLESEN_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_TAKT_MASTER);
    QCoreApplication::processEvents();
    anfrage(12, 0, Zaehler::Null);
    m_ctx.link.DATEN_EMPFANGEN(4);
    ergebnis(Text_TAKT_MASTER, ok(),
             ok() ? formatGrouped(m_ctx.link.EMPFANGSWERT_32 / 1000, m_ctx.locale) +
                        QStringLiteral(" MHz")
                  : kError);
}

void DiagnosePanel::Command_FEHLERCODE_INTERFACE_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_FEHLERCODE_INTERFACE);
    QCoreApplication::processEvents();
    anfrage(15, 0, Zaehler::Behalten);
    m_ctx.link.DATEN_EMPFANGEN(1);
    const int code = m_ctx.link.EMPFANGSBYTE;
    if (!ok())
        ergebnis(Text_FEHLERCODE_INTERFACE, false, kError);
    else
        ergebnis(Text_FEHLERCODE_INTERFACE, code == 0, code == 0 ? kOk : QString::number(code));
}

void DiagnosePanel::Command_TWI_PINS_AUSLESEN_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_TWI_PINS_AUSLESEN);
    QCoreApplication::processEvents();
    anfrage(8, 0, Zaehler::Null);
    m_ctx.link.DATEN_EMPFANGEN(1);
    const int pins = m_ctx.link.EMPFANGSBYTE;
    if (!ok())
        ergebnis(Text_TWI_PINS_AUSLESEN, false, kError);
    else
        ergebnis(Text_TWI_PINS_AUSLESEN, pins == 0, pins == 0 ? kOk : twiPinsText(pins));
}

void DiagnosePanel::Command1_Click() {
    UnloadGate::Scope scope(this);
    ausstehend(Text_BUS_RESET); // shown while the question is open, and kept on No
    if (!m_ctx.prompter.askYesNo(QStringLiteral("Möchten Sie wirklich ein BUS-RESET durchführen?"),
                                 kWarnung))
        return;
    anfrage(9, 0, Zaehler::Null);
    m_ctx.link.DATEN_EMPFANGEN(1);
    ergebnis(Text_BUS_RESET, ok(), ok() ? kOk : kError);
}

void DiagnosePanel::Command_TWI_FEHLER_ERZEUGEN_Click() {
    UnloadGate::Scope scope(this);
    if (!m_ctx.prompter.askYesNo(
            QStringLiteral("Möchten Sie wirklich einen TWI-BUS-FEHLER erzeugen"), kWarnung))
        return;
    // START, STOP and TWI off written straight into TWCR, then the interface's own TWI off.
    const std::pair<quint8, quint8> schritte[] = {{33, 0xA4}, {33, 0x94}, {33, 0}, {5, 0}};
    for (const auto& [befehl, reserve] : schritte) {
        anfrage(befehl, reserve, Zaehler::Null);
        m_ctx.link.DATEN_EMPFANGEN(1);
    }
    ergebnis(Text_TWI_FEHLER_ERZEUGEN, ok(), ok() ? kOk : kError);
}

} // namespace zelmar
