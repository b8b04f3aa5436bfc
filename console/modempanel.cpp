#include "modempanel.h"

#include "files/dateien.h"
#include "shell/appcontext.h"
#include "ui/steuerelemente.h"

#include "ui/format.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zelmar {

ModemPanel::ModemPanel(AppContext& ctx, QWidget* parent) : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("ModemPanel"));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(QStringLiteral("Z"));
    Combo1->setMinimumContentsLength(16);
    Combo1->setToolTip(tr("MODEM-BEFEHL"));
    Check_AT = steuer::haken(tr("\"AT\"-senden"), QStringLiteral("Check_AT"), true, this);
    Check_CHR13 =
        steuer::haken(tr("\"chr(13)\"-senden"), QStringLiteral("Check_CHR13"), true, this);
    Command_AN_MODEM_SENDEN =
        steuer::knopf(tr("an MODEM senden"), QStringLiteral("Command_AN_MODEM_SENDEN"), this);
    Text_MODEM_SENDESTRING = steuer::anzeige(QStringLiteral("Text_MODEM_SENDESTRING"), this);
    Text_MODEM_SENDESTRING->setToolTip(tr("zuletzt gesendet"));
    Check_MODEMANTWORT =
        steuer::haken(tr("MODEMANTWORT"), QStringLiteral("Check_MODEMANTWORT"), false, this);
    Check_MODEMANTWORT->setToolTip(tr("Empfang ein, solange die Ansicht MODEM gilt"));
    Text_MODEMANTWORT = new QPlainTextEdit(this);
    Text_MODEMANTWORT->setObjectName(QStringLiteral("Text_MODEMANTWORT"));
    Text_MODEMANTWORT->setReadOnly(true);
    Text_MODEMANTWORT->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text_MODEMANTWORT->setMinimumSize(420, 360);
    Text_MODEMANTWORT_LAENGE =
        steuer::anzeige(QStringLiteral("Text_MODEMANTWORT_LÄNGE"), this, QStringLiteral("0"));
    Text_MODEMANTWORT_LAENGE->setToolTip(tr("Anzahl der Zeichen"));
    Text_MODEMANTWORT_LAENGE->setFixedWidth(70);
    Text_MODEMANTWORT_LAENGE->setAlignment(Qt::AlignRight);
    Check_ASC = steuer::haken(tr("ASC"), QStringLiteral("Check_ASC"), false, this);
    Command_SPEICHERN =
        steuer::knopf(tr("in TXT-Datei speichern"), QStringLiteral("Command_SPEICHERN"), this);
    Command_MODEMANTWORT_CLEAR =
        steuer::knopf(QStringLiteral("C"), QStringLiteral("Command_MODEMANTWORT_CLEAR"), this);
    Command_MODEMANTWORT_CLEAR->setFixedWidth(32);

    auto* senden = new QGridLayout;
    senden->addWidget(Combo1, 0, 0);
    senden->addWidget(Check_AT, 0, 1);
    senden->addWidget(Check_CHR13, 0, 2);
    senden->addWidget(Command_AN_MODEM_SENDEN, 1, 0);
    senden->addWidget(Text_MODEM_SENDESTRING, 1, 1, 1, 2);
    senden->setColumnStretch(2, 1);
    auto* kopf = new QHBoxLayout;
    kopf->addWidget(Check_MODEMANTWORT);
    kopf->addStretch(1);
    kopf->addWidget(Check_ASC);
    kopf->addWidget(Text_MODEMANTWORT_LAENGE);
    auto* fuss = new QHBoxLayout;
    fuss->addWidget(Command_SPEICHERN);
    fuss->addStretch(1);
    fuss->addWidget(Command_MODEMANTWORT_CLEAR);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(senden);
    layout->addSpacing(6);
    layout->addLayout(kopf);
    layout->addWidget(Text_MODEMANTWORT, 1);
    layout->addLayout(fuss);

    guardedConnect(Command_AN_MODEM_SENDEN, &QPushButton::clicked, this,
                   &ModemPanel::Command_AN_MODEM_SENDEN_Click);
    guardedConnect(Command_SPEICHERN, &QPushButton::clicked, this,
                   &ModemPanel::Command_SPEICHERN_Click);
    guardedConnect(Command_MODEMANTWORT_CLEAR, &QPushButton::clicked, this,
                   &ModemPanel::Command_MODEMANTWORT_CLEAR_Click);
}

void ModemPanel::laden() {
    Combo1->clear();
    Combo1->addItems({QString(), QStringLiteral("z"), QStringLiteral("dt89"), QStringLiteral("&v"),
                      QStringLiteral("d"), QStringLiteral("a"), QStringLiteral("E1"),
                      QStringLiteral("E0"), QStringLiteral("S0?"), QStringLiteral("S0=0"),
                      QStringLiteral("S0=1")});
    Combo1->setEditText(QStringLiteral("Z"));
}

// The view decides: reception is on exactly while the MODEM view is chosen.
void ModemPanel::ansichtAnwenden(Ansicht a) {
    const bool an = a == Ansicht::Modem;
    if (Check_MODEMANTWORT->isChecked() != an)
        Check_MODEMANTWORT->setChecked(an);
}

void ModemPanel::tick(TickSchritt step) {
    if (step == TickSchritt::ModemEmpfang && Check_MODEMANTWORT->isChecked())
        empfangen();
    else if (step == TickSchritt::ModemLaenge)
        setTextIfChanged(Text_MODEMANTWORT_LAENGE, formatGrouped(m_antwort.size(), m_ctx.locale));
}

void ModemPanel::empfangen() {
    SerialPort& port = m_ctx.MSComm1();
    // Bytes that arrive while a transaction waits are that transaction's reply.
    if (m_ctx.link.busy() || port.bytesAvailable() <= 0)
        return;
    const bool asc = Check_ASC->isChecked();
    while (port.bytesAvailable() > 0) {
        const int b = port.readByte();
        if (b < 0)
            break;
        m_antwort += asc ? QString::number(b) + QLatin1Char(' ') : QString(QChar(b));
        if (m_antwort.size() > MAX_ZEICHEN)
            m_antwort.clear();
    }
    anzeigen();
}

void ModemPanel::anzeigen() {
    QString text = m_antwort;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Text_MODEMANTWORT->setPlainText(text);
    // The newest character in view.
    Text_MODEMANTWORT->moveCursor(QTextCursor::End);
    Text_MODEMANTWORT->ensureCursorVisible();
}

void ModemPanel::Command_AN_MODEM_SENDEN_Click() {
    Link& link = m_ctx.link;
    SerialPort& port = m_ctx.MSComm1();
    // Text on the line now would land in the middle of the transaction that waits.
    if (link.busy()) {
        m_ctx.prompter.message(tr("DATEN werden noch empfangen"));
        return;
    }
    if (!port.isOpen())
        port.open();
    if (!port.isOpen()) {
        m_ctx.prompter.message(
            tr("SCHWERER FEHLER: COM-Port kann nicht geöffnet werden, aktion wird abgebrochen"));
        return;
    }
    const QString befehl = Combo1->currentText();
    Combo1->addItem(befehl);
    QString s = Check_AT->isChecked() ? QStringLiteral("AT") : QString();
    s += befehl;
    if (Check_CHR13->isChecked())
        s += QChar(13);
    Text_MODEM_SENDESTRING->setText(s);
    link.SENDE_RAHMEN = s.toLatin1();
    port.write(link.SENDE_RAHMEN);
}

void ModemPanel::Command_SPEICHERN_Click() {
    const QString pfad = m_ctx.DATEN_PFAD + QStringLiteral("MODEMANTWORT.txt");
    // Written beside and then renamed: a failed save leaves the previous file whole.
    datei::Grund grund;
    const bool gut = datei::ersetzen(pfad, m_antwort.toLatin1() + "\r\n", &grund);
    const QString anzeige = QDir::toNativeSeparators(pfad) + QStringLiteral("\r\n\r\n");
    m_ctx.prompter.message(gut ? anzeige + tr("erfolgreich gespeichert ")
                               : anzeige + tr("FEHLER: konnte nicht gespeichert werden !!!") +
                                     QStringLiteral("\r\n") + grund.text());
}

void ModemPanel::Command_MODEMANTWORT_CLEAR_Click() {
    m_antwort.clear();
    anzeigen();
}

} // namespace zelmar
