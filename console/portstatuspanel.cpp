#include "portstatuspanel.h"

#include "link/reply.h"
#include "shell/appcontext.h"

#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmar {

namespace {

QLineEdit* anzeige(const char* name, QWidget* parent) {
    auto* w = new QLineEdit(parent);
    w->setObjectName(QLatin1String(name));
    w->setReadOnly(true);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

} // namespace

PortStatusPanel::PortStatusPanel(AppContext& ctx, QWidget* parent) : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("PortStatusPanel"));

    Frame3 = new QGroupBox(tr("COM-PORT-STATUS"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Text_STATUS = anzeige("Text_STATUS", Frame3);
    Text_STATUS->setAlignment(Qt::AlignCenter);
    Text_STATUS->setFixedWidth(64);
    Text_STATUS2 = anzeige("Text_STATUS2", Frame3);
    Text_INPUT = anzeige("Text_INPUT", Frame3);
    Combo_SENDESTRING = new QComboBox(Frame3);
    Combo_SENDESTRING->setObjectName(QStringLiteral("Combo_SENDESTRING"));
    Combo_SENDESTRING->setEditable(true);
    Combo_SENDESTRING->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo_SENDESTRING->setMinimumContentsLength(34);
    Combo_SENDESTRING->setToolTip(tr("die zuletzt gesendeten Rahmen"));

    auto* zustand = new QHBoxLayout;
    zustand->addWidget(Text_STATUS);
    zustand->addWidget(Text_STATUS2, 1);
    Command_HAND_DATEN_EMPFANGEN = new QPushButton(tr("holen"), Frame3);
    Command_HAND_DATEN_EMPFANGEN->setObjectName(QStringLiteral("Command_HAND_DATEN_EMPFANGEN"));
    Command_HAND_DATEN_EMPFANGEN->setToolTip(tr("ein wartendes Antwort-Byte holen"));
    Command_HAND_DATEN_EMPFANGEN->setFixedWidth(52);
    guardedConnect(Command_HAND_DATEN_EMPFANGEN, &QPushButton::clicked, this,
                   &PortStatusPanel::Command_HAND_DATEN_EMPFANGEN_Click);

    m_historieZeile = new QHBoxLayout;
    m_historieZeile->addWidget(Combo_SENDESTRING, 1);
    auto* l3 = new QVBoxLayout(Frame3);
    l3->addLayout(zustand);
    // Beside the count of waiting bytes: what it collects is what that count shows.
    auto* eingang = new QHBoxLayout;
    eingang->addWidget(Text_INPUT, 1);
    eingang->addWidget(Command_HAND_DATEN_EMPFANGEN);
    l3->addLayout(eingang);
    l3->addLayout(m_historieZeile);

    Frame5 = new QGroupBox(tr("TCP/IP"), this);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    Text_Timer_WAIT_DATENEMPFANG = anzeige("Text_Timer_WAIT_DATENEMPFANG", Frame5);
    Text_Timer_WAIT_DATENEMPFANG->setToolTip(tr("Wartezeit je Antwortbyte (bisher gewartet)"));
    Command3 = new QPushButton(QStringLiteral("..."), Frame5);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setFixedWidth(32);
    auto* l5 = new QHBoxLayout(Frame5);
    l5->addWidget(Text_Timer_WAIT_DATENEMPFANG, 1);
    l5->addWidget(Command3);
    guardedConnect(Command3, &QPushButton::clicked, this, &PortStatusPanel::Command3_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Frame3);
    layout->addWidget(Frame5);
}

void PortStatusPanel::Command3_Click() {
    Link& link = m_ctx.link;
    const QString answer = m_ctx.prompter.input(tr("Wert eingeben"), tr("WARTEZEIT"),
                                                QString::number(link.replyTimeout()));
    if (answer.isEmpty())
        return;
    int ms = 0;
    if (!parseWholeNumber(answer, &ms) || ms < 1 || ms > 65000) {
        m_ctx.prompter.message(tr("FEHLER: WERTEBEREICH 1..... 65000  !"));
        return;
    }
    link.setReplyTimeout(ms);
}

// Reads without sending: a reply left in the port by an unevaluated send.
void PortStatusPanel::Command_HAND_DATEN_EMPFANGEN_Click() {
    const Reply antwort = receive(m_ctx.link, 1);
    if (antwort.done())
        m_ctx.prompter.message(QString::number(antwort.byte(0)));
}

void PortStatusPanel::tick(TickSchritt step) {
    const Link& link = m_ctx.link;
    const SerialPort& port = m_ctx.MSComm1();
    switch (step) {
    case TickSchritt::Wartezeit:
        setTextIfChanged(Text_Timer_WAIT_DATENEMPFANG,
                         formatGrouped(link.replyTimeout(), m_ctx.locale) + tr(" ms (") +
                             formatGrouped(link.WARTEZEIT_ZAEHLER * 100, m_ctx.locale) +
                             QLatin1Char(')'));
        break;
    case TickSchritt::SendeHistorie:
        if (Combo_SENDESTRING->currentText() != link.SENDE_HISTORIE[1]) {
            Combo_SENDESTRING->clear();
            for (int i = 1; i <= 10; ++i)
                Combo_SENDESTRING->addItem(link.SENDE_HISTORIE[i]);
            Combo_SENDESTRING->setEditText(link.SENDE_HISTORIE[1]);
            Combo_SENDESTRING->lineEdit()->setCursorPosition(0); // the frame's start marker first
        }
        break;
    case TickSchritt::Eingang: {
        const qint64 n = port.bytesAvailable();
        setTextIfChanged(Text_INPUT, tr("INPUT: ") + QString::number(n));
        setBackColor(Text_INPUT, n > 0 ? QB_HELLGELB : QB_HELLGRAU);
        break;
    }
    case TickSchritt::PortZustand: {
        const bool offen = port.isOpen();
        setBackColor(Text_STATUS, offen ? QB_HELLGRUEN : QB_HELLROT);
        setBackColor(Text_STATUS2, offen ? QB_HELLGRUEN : QB_HELLROT);
        setTextIfChanged(Text_STATUS, offen ? tr("open") : tr("close"));
        break;
    }
    case TickSchritt::PortSettings:
        setTextIfChanged(Text_STATUS2, QLatin1Char('(') + QString::number(port.portNumber()) +
                                           QStringLiteral(")  ") + port.settings());
        break;
    default:
        break;
    }
}

} // namespace zelmar
