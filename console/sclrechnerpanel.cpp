#include "sclrechnerpanel.h"

#include "shell/appcontext.h"

#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include <cmath>

namespace zelmar {

namespace {

const QStringList kPrescaler = {QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("16"),
                                QStringLiteral("64")};

} // namespace

double sclFrequenz(double takt, double bitrate, double prescaler) {
    const double f = takt / (16 + 2 * bitrate * prescaler);
    return std::isfinite(f) ? f : 0;
}

SclRechnerPanel::SclRechnerPanel(AppContext& ctx, QWidget* parent) : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("SclRechnerPanel"));
    Label25 = steuer::beschriftung(tr("TAKT"), QStringLiteral("Label25"), this);
    // Written in the system's own grouping, so "=" reads it back as sixteen million anywhere.
    Text_TAKT = steuer::eingabe(QStringLiteral("Text_TAKT"), formatGrouped(16000000, ctx.locale),
                                this, tr("TAKT des INTERFACE in Hz"));
    Label26 = steuer::beschriftung(tr("BITRATE"), QStringLiteral("Label26"), this);
    Text_BITRATE =
        steuer::eingabe(QStringLiteral("Text_BITRATE"), QStringLiteral("49"), this, tr("TWBR"));
    Label27 = steuer::beschriftung(tr("PRE(1,4,16,64)"), QStringLiteral("Label27"), this);
    Text_PRESCALER = steuer::eingabe(QStringLiteral("Text_PRESCALER"), QStringLiteral("16"), this,
                                     tr("PRESCALER (TWPS)"));
    Command_BERECHNEN =
        steuer::knopf(QStringLiteral("="), QStringLiteral("Command_BERECHNEN"), this);
    Text_BERECHNUNG_ERGEBNIS = steuer::anzeige(QStringLiteral("Text_BERECHNUNG_ERGEBNIS"), this);
    Text_BERECHNUNG_ERGEBNIS->setToolTip(tr("SCL-Frequenz"));
    Text_BERECHNUNG_ERGEBNIS->setAlignment(Qt::AlignRight);
    Command4 = steuer::knopf(QStringLiteral("+"), QStringLiteral("Command4"), this);
    Command4->setToolTip(tr("kleinste SCL-Frequenz"));
    Command5 = steuer::knopf(QStringLiteral("-"), QStringLiteral("Command5"), this);
    Command5->setToolTip(tr("größte SCL-Frequenz"));
    Command_UEBERTRAGEN = steuer::knopf(tr("senden"), QStringLiteral("Command_ÜBERTRAGEN"), this);
    Command_UEBERTRAGEN->setToolTip(tr("BITRATE und PRESCALER an das INTERFACE"));
    Command_HOLEN = steuer::knopf(tr("holen"), QStringLiteral("Command_HOLEN"), this);
    Command_HOLEN->setToolTip(tr("TAKT, BITRATE und PRESCALER vom INTERFACE"));

    Text_TAKT->setMinimumWidth(84);
    Text_BERECHNUNG_ERGEBNIS->setMinimumWidth(96);
    for (QLineEdit* w : {Text_TAKT, Text_BITRATE, Text_PRESCALER})
        w->setAlignment(Qt::AlignRight);
    Text_BITRATE->setFixedWidth(50);
    Text_PRESCALER->setFixedWidth(50);
    for (QPushButton* b : {Command_BERECHNEN, Command4, Command5})
        b->setFixedWidth(32);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    grid->addWidget(Label25, 0, 0);
    grid->addWidget(Label26, 0, 1);
    grid->addWidget(Label27, 0, 2, 1, 2);
    grid->addWidget(Text_TAKT, 1, 0);
    grid->addWidget(Text_BITRATE, 1, 1);
    grid->addWidget(Text_PRESCALER, 1, 2);
    grid->addWidget(Command_BERECHNEN, 1, 3);
    grid->addWidget(Text_BERECHNUNG_ERGEBNIS, 1, 4);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command4);
    knoepfe->addWidget(Command5);
    knoepfe->addStretch(1);
    knoepfe->addWidget(Command_UEBERTRAGEN);
    knoepfe->addWidget(Command_HOLEN);
    grid->addItem(new QSpacerItem(0, 4), 2, 0);
    grid->addLayout(knoepfe, 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    guardedConnect(Command_BERECHNEN, &QPushButton::clicked, this,
                   &SclRechnerPanel::Command_BERECHNEN_Click);
    guardedConnect(Command4, &QPushButton::clicked, this, &SclRechnerPanel::Command4_Click);
    guardedConnect(Command5, &QPushButton::clicked, this, &SclRechnerPanel::Command5_Click);
    guardedConnect(Command_UEBERTRAGEN, &QPushButton::clicked, this,
                   &SclRechnerPanel::Command_UEBERTRAGEN_Click);
    guardedConnect(Command_HOLEN, &QPushButton::clicked, this,
                   &SclRechnerPanel::Command_HOLEN_Click);
}

// The checks warn and go on: the result is computed from whatever the fields hold.
void SclRechnerPanel::Command_BERECHNEN_Click() {
    const QLocale& l = m_ctx.locale;
    bool taktOk = false, bitrateOk = false;
    const double takt = l.toDouble(Text_TAKT->text(), &taktOk);
    const double bitrate = l.toDouble(Text_BITRATE->text(), &bitrateOk);
    if (!taktOk || takt < 0)
        m_ctx.prompter.message(tr("bitte FELD - Takt prüfen"));
    if (!bitrateOk || bitrate <= 10)
        m_ctx.prompter.message(tr("bitte FELD - BITRATE prüfen\n\t\n\tsollte größer 10 sein"));
    if (!kPrescaler.contains(Text_PRESCALER->text())) {
        setBackColor(Text_PRESCALER, QB_HELLROT);
        m_ctx.prompter.message(
            tr("bitte FELD - PRESCALER prüfen\n\t\n\tmögliche WERTE:\n\t\n\t1, 4, 16, 64"));
        Text_PRESCALER->setText(QStringLiteral("1"));
    }
    const double prescaler = Text_PRESCALER->text().toInt();
    const double f = taktOk && bitrateOk ? sclFrequenz(takt, bitrate, prescaler) : 0;
    Text_BERECHNUNG_ERGEBNIS->setText(formatGrouped(f, l) + tr(" Hz"));
}

void SclRechnerPanel::Command4_Click() {
    Text_BITRATE->setText(QStringLiteral("255"));
    Text_PRESCALER->setText(QStringLiteral("64"));
    Command_BERECHNEN_Click();
}

void SclRechnerPanel::Command5_Click() {
    Text_BITRATE->setText(QStringLiteral("12"));
    Text_PRESCALER->setText(QStringLiteral("1"));
    Command_BERECHNEN_Click();
}

Reply SclRechnerPanel::lesen(quint8 befehl, int anzahl) {
    Link& link = m_ctx.link;
    link.RAHMEN_SENDEN({befehl, link.SLAVE_ADRESSE});
    return receive(link, anzahl);
}

// The register value travels in the frame's value byte, not as a data byte.
bool SclRechnerPanel::schreiben(quint8 befehl, quint8 wert) {
    Link& link = m_ctx.link;
    link.RAHMEN_SENDEN({befehl, link.SLAVE_ADRESSE, wert});
    return receive(link, 1).done();
}

// A value that could not be read leaves its field as it was, on red, and the reads after it
// are not tried: the line has failed.
void SclRechnerPanel::Command_HOLEN_Click() {
    QLineEdit* const felder[] = {Text_TAKT, Text_BITRATE, Text_PRESCALER, Text_BERECHNUNG_ERGEBNIS};
    for (QLineEdit* w : felder)
        setBackColor(w, QB_HELLGELB); // pending until the values are in

    Reply r = lesen(befehl::TAKT, 4);
    bool gut = r.done();
    if (gut)
        Text_TAKT->setText(formatGrouped(r.value32, m_ctx.locale));
    if (gut)
        r = lesen(befehl::TWBR_LESEN, 1);
    gut = gut && r.done();
    if (gut)
        Text_BITRATE->setText(QString::number(r.byte(0)));
    if (gut)
        r = lesen(befehl::TWSR_LESEN, 1);
    gut = gut && r.done();
    if (gut)
        Text_PRESCALER->setText(kPrescaler[r.byte(0) % 4]); // TWPS, bits 1..0
    for (QLineEdit* w : felder)
        setBackColor(w, gut ? QB_HELLGRUEN : QB_HELLROT);
    Command_BERECHNEN_Click();
}

void SclRechnerPanel::Command_UEBERTRAGEN_Click() {
    int twbr = 0;
    // Checked before the calculation, so a bad field gets one message, not two.
    if (!parseWholeNumber(Text_BITRATE->text(), &twbr) || twbr < 0 || twbr > 255) {
        m_ctx.prompter.message(tr(
            "bitte FELD - BITRATE prüfen\n\t\n\tWERTEBEREICH 0...255, es wurde nichts gesendet"));
        return;
    }
    Command_BERECHNEN_Click();
    const int twps = int(kPrescaler.indexOf(Text_PRESCALER->text()));
    if (!schreiben(befehl::TWBR_SETZEN, quint8(twbr)) ||
        !schreiben(befehl::TWSR_SETZEN, quint8(twps))) {
        for (QLineEdit* w : {Text_TAKT, Text_BITRATE, Text_PRESCALER, Text_BERECHNUNG_ERGEBNIS})
            setBackColor(w, QB_HELLROT);
        return;
    }
    Command_HOLEN_Click();
}

} // namespace zelmar
