#include "registerpanel.h"

#include "shell/appcontext.h"
#include "shell/windownames.h"
#include "ui/palette.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zelmar {

namespace {

constexpr int kWatchdogMs = 1000;
// Between two TWCR polls: a poll the interface answers at once must not turn the wait into a
// loop that fills the TWI logbook as fast as the line goes.
constexpr int kAbfrageAbstandMs = 10;

// Looked up when shown, so they follow the language installed at start.
QString kBesetzt() {
    return RegisterPanel::tr("DATEN werden noch empfangen");
}
QString kTipBereinigt() {
    return RegisterPanel::tr("TWSR bereinigt (BIT 0+1 ausgeblendet)");
}
const QColor kHellgelb(255, 255, 128);

struct Art {
    const char* name;
    const char* senden;
    const char* sendenTip;
};

const Art kArten[5] = {
    {"TWBR", QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "TWBR senden"),
     QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "Bit RATE Register")},
    {"TWSR", QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "TWSR senden"),
     QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "STATUS-Register (TWI_PRESCALER)")},
    {"TWAR", QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "TWAR senden"),
     QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "Adress-Register (nur SLAVE)")},
    {"TWCR", QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "TWCR senden"),
     QT_TRANSLATE_NOOP(
         "zelmar::RegisterPanel",
         "Control-REGISTER 1<<TWINT|1<<TWEA|0<<TWSTA|0<<TWSTO|0<<TWWC|1<<TWEN|1<<TWIE")},
    {"TWDR", QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "TWDR senden"),
     QT_TRANSLATE_NOOP("zelmar::RegisterPanel", "DATA Register")},
};

// TWCR's boxes by bit number.
const char* const kTwcrBits[8] = {"TWIE", "TWR", "TWEN", "TWWC", "TWSTO", "TWSTA", "TWEA", "TWINT"};

QString bitName(TwiRegister r, int bit) {
    if (r == TwiRegister::TWCR)
        return QStringLiteral("Check_") + QLatin1String(kTwcrBits[bit]);
    return QStringLiteral("Check_%1_%2").arg(QLatin1String(kArten[int(r)].name)).arg(bit);
}

QString bitCaption(TwiRegister r, int bit) {
    switch (r) {
    case TwiRegister::TWSR:
        return bit == 2   ? QStringLiteral("R")
               : bit == 1 ? QStringLiteral("PS1")
               : bit == 0 ? QStringLiteral("PS0")
                          : QString::number(bit);
    case TwiRegister::TWAR:
        return bit == 0 ? QStringLiteral("TWGCE") : QStringLiteral("A%1").arg(bit - 1);
    case TwiRegister::TWCR:
        return bit == 1 ? QStringLiteral("R") : QLatin1String(kTwcrBits[bit]);
    default:
        return QString::number(bit);
    }
}

// The read-only status bits and the reserved bits.
bool nurLesbar(TwiRegister r, int bit) {
    if (r == TwiRegister::TWSR)
        return bit >= 2;
    return r == TwiRegister::TWCR && (bit == 1 || bit == 3);
}

// Prescaler and general-call bits.
bool cyan(TwiRegister r, int bit) {
    return (r == TwiRegister::TWSR && bit <= 1) || (r == TwiRegister::TWAR && bit == 0);
}

QString hex(int v) {
    return QString::number(v, 16).toUpper();
}

} // namespace

RegisterPanel::RegisterPanel(AppContext& ctx, QWidget* parent) : QGroupBox(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("Frame3"));
    bauen();
    verbinden();
    // A job of another window between two steps, or between two polls of TWINT, would end the
    // transfer on the bus or overwrite the latch in STATUS_CODE.
    m_ctx.link.reservieren(this, fenster::HAND_BETRIEB +
                                     tr(" ist geöffnet: die Schnittstelle ist bis zum Schließen "
                                        "reserviert.\r\nAktion wird abgebrochen !!!"));
}

RegisterPanel::~RegisterPanel() {
    m_ctx.link.freigeben(this);
}

void RegisterPanel::beenden() {
    m_beendet = true;
    m_ctx.link.freigeben(this);
}

void RegisterPanel::bauen() {
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(6, 4, 6, 4);
    const int feldBreite = fontMetrics().horizontalAdvance(QStringLiteral("xFF")) + 16;
    for (int i = 0; i < 5; ++i) {
        const auto r = TwiRegister(i);
        const Art& art = kArten[i];
        const QString name = QLatin1String(art.name);
        Zeile& z = m_zeilen[size_t(i)];
        z.abfragen = steuer::knopf(name + tr(" abfragen"),
                                   QStringLiteral("Command_TWI_%1_abfragen").arg(name), this);
        z.senden = steuer::knopf(tr(art.senden), QStringLiteral("Command_TWI_") + name, this);
        z.senden->setToolTip(tr(art.sendenTip));
        grid->addWidget(z.abfragen, i, 0);
        for (int bit = 7; bit >= 0; --bit) {
            QCheckBox* b = steuer::haken(bitCaption(r, bit), bitName(r, bit), false, this);
            b->setEnabled(!nurLesbar(r, bit));
            z.bit[size_t(bit)] = b;
            grid->addWidget(b, i, 8 - bit);
        }
        z.dezimal = steuer::anzeige(QStringLiteral("Text_") + name, this, QStringLiteral("0"));
        z.hex = steuer::anzeige(QStringLiteral("Text_%1_HEX").arg(name), this, QStringLiteral("0"));
        for (QLineEdit* f : {z.dezimal, z.hex}) {
            f->setFixedWidth(feldBreite);
            f->setAlignment(Qt::AlignCenter);
        }
        grid->addWidget(z.dezimal, i, 9);
        grid->addWidget(z.hex, i, 10);
        grid->addWidget(z.senden, i, 12);
    }
    Text_TWSR_HEX_BEREINIGT =
        steuer::anzeige(QStringLiteral("Text_TWSR_HEX_BEREINIGT"), this, QStringLiteral("0"));
    Text_TWSR_HEX_BEREINIGT->setToolTip(kTipBereinigt());
    setBackColor(Text_TWSR_HEX_BEREINIGT, QB_HELLGRAU);
    Text_TWAR_SLAVE = steuer::anzeige(QStringLiteral("Text_TWAR_SLAVE"), this, QStringLiteral("0"));
    Text_TWAR_SLAVE->setToolTip(
        tr("ADRESSE SLAVE (bereinigt) => ohne TWGCE (1x nach rechts verschoben)"));
    setBackColor(Text_TWAR_SLAVE, kHellgelb);
    for (QLineEdit* f : {Text_TWSR_HEX_BEREINIGT, Text_TWAR_SLAVE}) {
        f->setFixedWidth(feldBreite);
        f->setAlignment(Qt::AlignCenter);
    }
    grid->addWidget(Text_TWSR_HEX_BEREINIGT, int(TwiRegister::TWSR), 11);
    grid->addWidget(Text_TWAR_SLAVE, int(TwiRegister::TWAR), 11);
    grid->setColumnStretch(13, 1);

    setzen(TwiRegister::TWDR, 0x82);
    setzen(TwiRegister::TWCR, 0xC4);
    for (int i = 0; i < 5; ++i)
        ruhefarben(TwiRegister(i), false);

    Timer_TWINT_FLAG_abfragen_WATCH_DOG = new QTimer(this);
    Timer_TWINT_FLAG_abfragen_WATCH_DOG->setObjectName(
        QStringLiteral("Timer_TWINT_FLAG_abfragen_WATCH_DOG"));
    Timer_TWINT_FLAG_abfragen_WATCH_DOG->setInterval(kWatchdogMs);
    Timer_TWINT_FLAG_abfragen_WATCH_DOG->setSingleShot(true);
    // A coarse timer may run out a few per cent early.
    Timer_TWINT_FLAG_abfragen_WATCH_DOG->setTimerType(Qt::PreciseTimer);
}

void RegisterPanel::verbinden() {
    using P = RegisterPanel;
    void (P::*const lesenKlick[5])() = {
        &P::Command_TWI_TWBR_abfragen_Click, &P::Command_TWI_TWSR_abfragen_Click,
        &P::Command_TWI_TWAR_abfragen_Click, &P::Command_TWI_TWCR_abfragen_Click,
        &P::Command_TWI_TWDR_abfragen_Click};
    void (P::*const sendenKlick[5])() = {&P::Command_TWI_TWBR_Click, &P::Command_TWI_TWSR_Click,
                                         &P::Command_TWI_TWAR_Click, &P::Command_TWI_TWCR_Click,
                                         &P::Command_TWI_TWDR_Click};
    for (size_t i = 0; i < 5; ++i) {
        guardedConnect(m_zeilen[i].abfragen, &QPushButton::clicked, this, lesenKlick[i]);
        guardedConnect(m_zeilen[i].senden, &QPushButton::clicked, this, sendenKlick[i]);
    }
    guardedConnect(Timer_TWINT_FLAG_abfragen_WATCH_DOG, &QTimer::timeout, this,
                   &P::Timer_TWINT_FLAG_abfragen_WATCH_DOG_Timer);
}

RegisterPanel::Vorgang::Vorgang(RegisterPanel& panel)
    : m_panel(panel), m_frei(panel.m_vorgaenge == 0 && !panel.m_beendet) {
    ++m_panel.m_vorgaenge;
    if (m_panel.m_vorgaenge > 1 && !m_panel.m_beendet)
        m_panel.m_ctx.prompter.message(kBesetzt());
}

RegisterPanel::Vorgang::~Vorgang() {
    --m_panel.m_vorgaenge;
}

bool RegisterPanel::weiter() const {
    return !m_beendet && !m_letzteAntwort.refused();
}

void RegisterPanel::ruhefarben(TwiRegister r, bool gesetzteRot) {
    for (int bit = 0; bit < 8; ++bit) {
        QCheckBox* b = zeile(r).bit[size_t(bit)];
        setBackColor(b, cyan(r, bit)                    ? QB_HELLCYAN
                        : gesetzteRot && b->isChecked() ? QB_HELLROT
                                                        : QB_HELLGRAU);
    }
}

void RegisterPanel::setzen(TwiRegister r, int wert) {
    for (int bit = 7; bit >= 0; --bit) {
        const int gewicht = 1 << bit;
        const bool gesetzt = wert - gewicht >= 0;
        if (gesetzt)
            wert -= gewicht;
        zeile(r).bit[size_t(bit)]->setChecked(gesetzt);
    }
}

quint8 RegisterPanel::wert(TwiRegister r) const {
    int v = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (zeile(r).bit[size_t(bit)]->isChecked())
            v += 1 << bit;
    return quint8(v);
}

bool RegisterPanel::lesen(TwiRegister r) {
    Zeile& z = zeile(r);
    for (QCheckBox* b : z.bit)
        setBackColor(b, QB_HELLGELB);
    if (r == TwiRegister::TWSR)
        TWSR_BEREINIGT_HEX.clear();
    Link& link = m_ctx.link;
    const quint8 v = [&] {
        Link::Auftrag auftrag(link, this);
        return TWI_REGISTER_LESEN(link, link.SLAVE_ADRESSE, r, &m_letzteAntwort);
    }();
    if (m_letzteAntwort.refused()) {
        // Nothing was read: the row keeps what it showed.
        ruhefarben(r, r == TwiRegister::TWCR);
        return false;
    }
    z.dezimal->setText(QString::number(v));
    z.hex->setText(QStringLiteral("x") + hex(v));
    switch (r) {
    case TwiRegister::TWSR:
        TWSR_BEREINIGT_HEX = twsrBereinigtHex(v);
        m_twsrStatus = m_letzteAntwort.done() ? twsrStatus(v) : TWI_KEINE_ANTWORT;
        Text_TWSR_HEX_BEREINIGT->setText(TWSR_BEREINIGT_HEX);
        Text_TWSR_HEX_BEREINIGT->setToolTip(kTipBereinigt() + QLatin1Char('\n') + twsrErklaerung());
        break;
    case TwiRegister::TWAR:
        Text_TWAR_SLAVE->setText(QString::number(v / 2));
        break;
    case TwiRegister::TWCR:
        TWINT_FLAG = twintFlag(v);
        break;
    default:
        break;
    }
    setzen(r, v);
    ruhefarben(r, r == TwiRegister::TWCR);
    return !m_beendet;
}

bool RegisterPanel::schreiben(TwiRegister r) {
    Zeile& z = zeile(r);
    if (r == TwiRegister::TWDR)
        for (QCheckBox* b : z.bit)
            setBackColor(b, QB_HELLGELB);
    const quint8 v = wert(r);
    if (r == TwiRegister::TWCR)
        ruhefarben(r, true);
    z.dezimal->setText(QString::number(v));
    z.hex->setText((r == TwiRegister::TWAR ? QStringLiteral("x") : QString()) + hex(v));
    if (r == TwiRegister::TWAR)
        Text_TWAR_SLAVE->setText(QString::number(v / 2));
    if (r == TwiRegister::TWBR && v < 11)
        m_ctx.prompter.message(tr("Sollte größer als 10 sein"));
    Link& link = m_ctx.link;
    {
        Link::Auftrag auftrag(link, this);
        m_letzteAntwort = TWI_REGISTER_SCHREIBEN(link, link.SLAVE_ADRESSE, r, v);
    }
    if (r == TwiRegister::TWDR)
        ruhefarben(r, false);
    return weiter();
}

bool RegisterPanel::TWINT_ABWARTEN() {
    QTimer* watchdog = Timer_TWINT_FLAG_abfragen_WATCH_DOG;
    watchdog->start();
    TWINT_FLAG = false;
    for (;;) {
        if (!lesen(TwiRegister::TWCR)) {
            watchdog->stop();
            return false;
        }
        if (!watchdog->isActive()) {
            m_ctx.link.STATUS_CODE = STATUS_TWINT_WATCHDOG;
            return true;
        }
        if (TWINT_FLAG)
            break;
        abfragePause();
    }
    watchdog->stop();
    return true;
}

void RegisterPanel::abfragePause() {
    // What runs meanwhile is not the window's: an auto run's step lets nobody else through.
    Link::Auftrag niemand(m_ctx.link, nullptr);
    QEventLoop loop;
    QTimer::singleShot(kAbfrageAbstandMs, &loop, &QEventLoop::quit);
    connect(Timer_TWINT_FLAG_abfragen_WATCH_DOG, &QTimer::timeout, &loop, &QEventLoop::quit);
    loop.exec();
}

void RegisterPanel::Timer_TWINT_FLAG_abfragen_WATCH_DOG_Timer() {
    Timer_TWINT_FLAG_abfragen_WATCH_DOG->stop();
}

void RegisterPanel::klickLesen(TwiRegister r) {
    Vorgang vorgang(*this);
    if (vorgang.frei())
        lesen(r);
}

void RegisterPanel::klickSchreiben(TwiRegister r) {
    Vorgang vorgang(*this);
    if (vorgang.frei())
        schreiben(r);
}

void RegisterPanel::Command_TWI_TWBR_abfragen_Click() {
    klickLesen(TwiRegister::TWBR);
}
void RegisterPanel::Command_TWI_TWSR_abfragen_Click() {
    klickLesen(TwiRegister::TWSR);
}
void RegisterPanel::Command_TWI_TWAR_abfragen_Click() {
    klickLesen(TwiRegister::TWAR);
}
void RegisterPanel::Command_TWI_TWCR_abfragen_Click() {
    klickLesen(TwiRegister::TWCR);
}
void RegisterPanel::Command_TWI_TWDR_abfragen_Click() {
    klickLesen(TwiRegister::TWDR);
}
void RegisterPanel::Command_TWI_TWBR_Click() {
    klickSchreiben(TwiRegister::TWBR);
}
void RegisterPanel::Command_TWI_TWSR_Click() {
    klickSchreiben(TwiRegister::TWSR);
}
void RegisterPanel::Command_TWI_TWAR_Click() {
    klickSchreiben(TwiRegister::TWAR);
}
void RegisterPanel::Command_TWI_TWCR_Click() {
    klickSchreiben(TwiRegister::TWCR);
}
void RegisterPanel::Command_TWI_TWDR_Click() {
    klickSchreiben(TwiRegister::TWDR);
}

} // namespace zelmar
