#include "handbetriebpanel.h"

#include "shell/appcontext.h"

#include "link/standard.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QCoreApplication>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace zelmar {

namespace {

constexpr int kByteMax = 255;

QLineEdit* zahlFeld(const QString& name, const QString& text, const QString& tip, QWidget* parent) {
    QLineEdit* w = steuer::eingabe(name, text, parent, tip);
    w->setFixedWidth(34);
    w->setAlignment(Qt::AlignRight);
    return w;
}

} // namespace

HandbetriebPanel::HandbetriebPanel(AppContext& ctx, QGroupBox* empfangenFrame, QWidget* parent)
    : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("HandbetriebPanel"));

    Text_HANDBETRIEB_BEFEHL_MASTER =
        zahlFeld(QStringLiteral("Text_HANDBETRIEB_BEFEHL_MASTER"), QStringLiteral("50"),
                 tr("BEFEHL (RS232 INTERFACE)"), this);
    Text_HANDBETRIEB_ADRESSE_SLAVE = zahlFeld(QStringLiteral("Text_HANDBETRIEB_ADRESSE_SLAVE"),
                                              QStringLiteral("0"), tr("Adresse SLAVE"), this);
    // It follows SLAVE_ADRESSE; the frame always goes to the current slave.
    Text_HANDBETRIEB_ADRESSE_SLAVE->setReadOnly(true);
    Text_HANDBETRIEB_ADRESSE_SLAVE->setFocusPolicy(Qt::NoFocus);
    Text_HANDBETRIEB_RESERVE = zahlFeld(QStringLiteral("Text_HANDBETRIEB_RESERVE"),
                                        QStringLiteral("0"), tr("RESERVE"), this);
    Text_SENDE_ANZAHL_SENDE_BYTES = zahlFeld(QStringLiteral("Text_SENDE_ANZAHL_SENDE_BYTES"),
                                             QStringLiteral("4"), tr("ANZAHL SENDE-BYTES"), this);
    Text_SENDE_ANZAHL_EMPFANGS_BYTES =
        zahlFeld(QStringLiteral("Text_SENDE_ANZAHL_EMPFANGS_BYTES"), QStringLiteral("0"),
                 tr("ANZAHL EMPFANGS-BYTES"), this);
    for (int i = 0; i < 4; ++i)
        Text_BYTE[i] = zahlFeld(QStringLiteral("Text_BYTE%1").arg(i + 1), QStringLiteral("0"),
                                tr("Byte %1").arg(i + 1), this);

    Command_SENDEN_HANDBETRIEB =
        steuer::knopf(tr("senden"), QStringLiteral("Command_SENDEN_HANDBETRIEB"), this);
    Check_EMPFANGSDATENPUFFER_LEEREN =
        steuer::haken(tr("Empfangs-Puffer leeren und auswerten"),
                      QStringLiteral("Check_EMPFANGSDATENPUFFER_LEEREN"), true, this);
    Text_ANTWORT2 = steuer::anzeige(QStringLiteral("Text_ANTWORT2"), this);
    Text_ANTWORT2->setFixedWidth(56);
    Text_ANTWORT2->setAlignment(Qt::AlignCenter);
    Command_STOP = steuer::knopf(tr("STOP"), QStringLiteral("Command_STOP"), this);
    Command_PING_STOP = steuer::knopf(tr("PING +STOP"), QStringLiteral("Command_PING_STOP"), this);
    Command7 = steuer::knopf(tr("PING ohne STOP"), QStringLiteral("Command7"), this);

    // The fields in frame order, each under a short caption.
    auto* felder = new QGridLayout;
    felder->setHorizontalSpacing(3);
    felder->setVerticalSpacing(0);
    const std::pair<const char*, QLineEdit*> spalten[] = {
        {QT_TR_NOOP("BEF"), Text_HANDBETRIEB_BEFEHL_MASTER},
        {QT_TR_NOOP("ADR"), Text_HANDBETRIEB_ADRESSE_SLAVE},
        {QT_TR_NOOP("RES"), Text_HANDBETRIEB_RESERVE},
        {QT_TR_NOOP("SEN"), Text_SENDE_ANZAHL_SENDE_BYTES},
        {QT_TR_NOOP("EMP"), Text_SENDE_ANZAHL_EMPFANGS_BYTES},
        {"B1", Text_BYTE[0]},
        {"B2", Text_BYTE[1]},
        {"B3", Text_BYTE[2]},
        {"B4", Text_BYTE[3]},
    };
    int spalte = 0;
    for (const auto& [caption, box] : spalten) {
        auto* l = new QLabel(tr(caption), this);
        l->setToolTip(box->toolTip());
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        l->setFont(f);
        felder->addWidget(l, 0, spalte, Qt::AlignLeft | Qt::AlignBottom);
        felder->addWidget(box, 1, spalte++);
    }
    felder->setColumnStretch(spalte, 1);

    auto* senden = new QHBoxLayout;
    senden->addWidget(Command_SENDEN_HANDBETRIEB);
    senden->addWidget(Check_EMPFANGSDATENPUFFER_LEEREN);
    senden->addStretch(1);
    auto* pings = new QHBoxLayout;
    pings->addWidget(Command_STOP);
    pings->addWidget(Command_PING_STOP);
    pings->addWidget(Command7);
    pings->addStretch(1);
    pings->addWidget(Text_ANTWORT2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(felder);
    layout->addLayout(senden);
    layout->addLayout(pings);
    layout->addStretch(1);

    // --- receiving ---
    auto* empfangen = new QHBoxLayout(empfangenFrame);
    empfangen->setContentsMargins(8, 2, 8, 4);
    for (int i = 0; i < 4; ++i) {
        Text_EMPFANGSZEICHEN_[i] =
            steuer::anzeige(QStringLiteral("Text_EMPFANGSZEICHEN_%1").arg(i + 1), empfangenFrame,
                            QStringLiteral("-"));
        Text_EMPFANGSZEICHEN_[i]->setToolTip(tr("Empfangs-Byte %1").arg(i + 1));
        Text_EMPFANGSZEICHEN_[i]->setFixedWidth(40);
        Text_EMPFANGSZEICHEN_[i]->setAlignment(Qt::AlignCenter);
        empfangen->addWidget(Text_EMPFANGSZEICHEN_[i]);
    }
    Command_4_ZEICHEN_EMPFANGEN = steuer::knopf(
        tr("empfangen"), QStringLiteral("Command_4_ZEICHEN_EMPFANGEN"), empfangenFrame);
    empfangen->addSpacing(6);
    empfangen->addWidget(Command_4_ZEICHEN_EMPFANGEN);
    empfangen->addStretch(1);

    guardedConnect(Command_SENDEN_HANDBETRIEB, &QPushButton::clicked, this,
                   &HandbetriebPanel::Command_SENDEN_HANDBETRIEB_Click);
    guardedConnect(Command_STOP, &QPushButton::clicked, this,
                   &HandbetriebPanel::Command_STOP_Click);
    guardedConnect(Command_PING_STOP, &QPushButton::clicked, this,
                   &HandbetriebPanel::Command_PING_STOP_Click);
    guardedConnect(Command7, &QPushButton::clicked, this, &HandbetriebPanel::Command7_Click);
    guardedConnect(Command_4_ZEICHEN_EMPFANGEN, &QPushButton::clicked, this,
                   &HandbetriebPanel::Command_4_ZEICHEN_EMPFANGEN_Click);
}

void HandbetriebPanel::tick(TickSchritt step) {
    if (step == TickSchritt::SlaveAdresse)
        setTextIfChanged(Text_HANDBETRIEB_ADRESSE_SLAVE, QString::number(m_ctx.link.SLAVE_ADRESSE));
}

// A whole number from 0 to max, or a message naming the field; the send then stops.
bool HandbetriebPanel::feldLesen(QLineEdit* box, int max, int* wert) {
    if (parseWholeNumber(box->text(), wert) && *wert >= 0 && *wert <= max)
        return true;
    m_ctx.prompter.message(
        tr("Fehler: WERTEBEREICH 0...%1 im Feld \"%2\"").arg(max).arg(box->toolTip()));
    box->setFocus();
    box->selectAll();
    return false;
}

// A count is any whole number from 0: one above 65535 is the engine's to refuse, with its
// message and its logbook line.
bool HandbetriebPanel::anzahlLesen(QLineEdit* box, double* anzahl) {
    QString t = box->text().trimmed();
    if (t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    const bool ziffern = !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (ziffern) {
        *anzahl = t.toDouble();
        return true;
    }
    m_ctx.prompter.message(tr("Fehler: keine ganze Zahl ab 0 im Feld \"%1\"").arg(box->toolTip()));
    box->setFocus();
    box->selectAll();
    return false;
}

void HandbetriebPanel::antwort(bool gut, const QString& text) {
    Text_ANTWORT2->setText(text);
    setBackColor(Text_ANTWORT2, gut ? QB_HELLGRUEN : QB_HELLROT);
}

void HandbetriebPanel::Command_SENDEN_HANDBETRIEB_Click() {
    int befehl = 0, reserve = 0;
    double senden = 0, empfangen = 0;
    std::array<int, 4> bytes{};
    if (!feldLesen(Text_HANDBETRIEB_BEFEHL_MASTER, kByteMax, &befehl) ||
        !feldLesen(Text_HANDBETRIEB_RESERVE, kByteMax, &reserve) ||
        !anzahlLesen(Text_SENDE_ANZAHL_SENDE_BYTES, &senden) ||
        !anzahlLesen(Text_SENDE_ANZAHL_EMPFANGS_BYTES, &empfangen))
        return;
    for (int i = 0; i < 4; ++i)
        if (!feldLesen(Text_BYTE[i], kByteMax, &bytes[i]))
            return;

    Text_ANTWORT2->setText(QStringLiteral("???"));
    setBackColor(Text_ANTWORT2, QB_HELLGELB);
    QCoreApplication::processEvents();

    Link& link = m_ctx.link;
    Request r{quint8(befehl), link.SLAVE_ADRESSE, quint8(reserve), senden, empfangen};
    // The four byte boxes are the first data bytes; a larger count sends zeros after them.
    for (int i = 0; i < 4 && i < senden; ++i)
        r.daten.append(char(bytes[i]));
    link.RAHMEN_SENDEN(r);
    // Unticked, the reply stays waiting in the port for "holen" or the next frame.
    if (!Check_EMPFANGSDATENPUFFER_LEEREN->isChecked())
        return;
    zweiStatusBytes(receiveStatusPair(link));
}

// The second status byte of a transfer: 0 on green, any other on red; "ERROR" without reply.
void HandbetriebPanel::zweiStatusBytes(const Reply& r) {
    if (!r.done() && !r.notAcknowledged())
        antwort(false, tr("ERROR"));
    else
        antwort(r.byte(1) == 0, QString::number(r.byte(1)));
}

void HandbetriebPanel::Command_STOP_Click() {
    Text_ANTWORT2->clear();
    Link& link = m_ctx.link;
    zweiStatusBytes(TWI_STOP(link, link.SLAVE_ADRESSE));
}

void HandbetriebPanel::Command_PING_STOP_Click() {
    Text_ANTWORT2->clear();
    Link& link = m_ctx.link;
    Reply r;
    SLAVE_ANSPRECHEN_MIT_STOP(link, link.SLAVE_ADRESSE, &r);
    zweiStatusBytes(r);
}

// Twice, so the second probe is a repeated START; the bus stays claimed until "STOP".
void HandbetriebPanel::Command7_Click() {
    Text_ANTWORT2->clear();
    Link& link = m_ctx.link;
    Reply r;
    bool da = SLAVE_SUCHEN(link, link.SLAVE_ADRESSE, &r) != 0;
    // A first frame that never went out has been reported; the second would only repeat it.
    if (!r.refused())
        da = SLAVE_SUCHEN(link, link.SLAVE_ADRESSE) != 0;
    setBackColor(Text_ANTWORT2, da ? QB_HELLGRUEN : QB_HELLROT);
}

void HandbetriebPanel::Command_4_ZEICHEN_EMPFANGEN_Click() {
    for (QLineEdit* box : Text_EMPFANGSZEICHEN_)
        box->clear();
    QCoreApplication::processEvents();

    Link& link = m_ctx.link;
    link.RAHMEN_SENDEN({befehl::MR_DATEN_STOP, link.SLAVE_ADRESSE, 0, 0, 4});
    // Leading status, the four bytes, trailing status; the status bytes are not judged.
    Reply r = receive(link, 1);
    QByteArray daten;
    if (r.done()) {
        r = receive(link, 4);
        daten = r.bytes;
    }
    if (r.done())
        r = receive(link, 1);
    const bool gut = r.done();
    for (int i = 0; i < 4; ++i) {
        Text_EMPFANGSZEICHEN_[i]->setText(QString::number(gut ? quint8(daten.at(i)) : 0));
        setBackColor(Text_EMPFANGSZEICHEN_[i], gut ? QB_HELLGRUEN : QB_HELLROT);
    }
}

} // namespace zelmar
