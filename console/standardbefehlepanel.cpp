#include "standardbefehlepanel.h"

#include "files/systemservices.h"
#include "files/texts.h"
#include "shell/appcontext.h"
#include "shell/windownames.h"

#include "jobs/repetition.h"
#include "link/standard.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmar {

namespace {

const QColor kRosa(0xFF, 0xC0, 0xC0); // the options that change the slave's state

} // namespace

QRadioButton* StandardBefehlePanel::neueOption(const QString& caption, const QString& name,
                                               Befehl befehl, quint8 code) {
    QRadioButton* o = steuer::option(caption, name, this);
    m_gruppe->addButton(o);
    m_wahl.append({o, befehl, code});
    return o;
}

StandardBefehlePanel::StandardBefehlePanel(AppContext& ctx, QWidget* parent)
    : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("StandardBefehlePanel"));
    m_gruppe = new QButtonGroup(this);

    Option_AUS = neueOption(tr("aus"), QStringLiteral("Option_AUS"), Befehl::Aus);
    Option_AUS->setChecked(true);
    QRadioButton* zeitSenden =
        neueOption(tr("ZEIT"), QStringLiteral("Option_ZEIT_SENDEN"), Befehl::ZeitSenden);
    QRadioButton* datumSenden =
        neueOption(tr("DATUM"), QStringLiteral("Option_DATUM_SENDEN"), Befehl::DatumSenden);
    QRadioButton* dummy =
        neueOption(tr("Dummy"), QStringLiteral("Option_DUMMY_SENDEN"), Befehl::Code, 0);
    Option_RESET_SENDEN =
        neueOption(tr("RESET"), QStringLiteral("Option_RESET_SENDEN"), Befehl::Code, 10);
    QRadioButton* clear =
        neueOption(tr("CLEAR"), QStringLiteral("Option_CLEAR_SENDEN"), Befehl::Code, 15);
    setBackColor(Option_RESET_SENDEN, kRosa);
    setBackColor(clear, kRosa);
    QRadioButton* sparOn =
        neueOption(tr("SPAR-ON"), QStringLiteral("Option_SPAR_ON_SENDEN"), Befehl::Code, 20);
    QRadioButton* sparOff =
        neueOption(tr("SPAR-OFF"), QStringLiteral("Option_SPAR_OFF_SENDEN"), Befehl::Code, 21);
    OPTION_ZEIT_HOLEN =
        neueOption(tr("ZEIT"), QStringLiteral("OPTION_ZEIT_HOLEN"), Befehl::ZeitHolen);
    QRadioButton* datumHolen =
        neueOption(tr("DATUM"), QStringLiteral("Option_DATUM_HOLEN"), Befehl::DatumHolen);
    QRadioButton* fehler =
        neueOption(tr("FEHLER"), QStringLiteral("Option_FEHLER_HOLEN"), Befehl::Code, 101);
    QRadioButton* fehlerAnzahl = neueOption(
        tr("FEHLER ANZAHL"), QStringLiteral("Option_FEHLER_ANZAHL_HOLEN"), Befehl::Code, 102);

    Label3 = steuer::beschriftung(tr("senden"), QStringLiteral("Label3"), this);
    Label4 = steuer::beschriftung(tr("holen"), QStringLiteral("Label4"), this);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(8);
    grid->addWidget(Label3, 0, 0, 1, 2);
    grid->addWidget(Label4, 0, 2, 1, 3);
    const QList<QRadioButton*> spalte0 = {zeitSenden, datumSenden, dummy, sparOn, sparOff};
    const QList<QRadioButton*> spalte1 = {Option_RESET_SENDEN, clear};
    const QList<QRadioButton*> spalte2 = {OPTION_ZEIT_HOLEN, datumHolen, fehler, fehlerAnzahl};
    for (int r = 0; r < spalte0.size(); ++r)
        grid->addWidget(spalte0[r], r + 1, 0);
    for (int r = 0; r < spalte1.size(); ++r)
        grid->addWidget(spalte1[r], r + 1, 1);
    grid->addWidget(Option_AUS, 5, 1);
    for (int r = 0; r < spalte2.size(); ++r)
        grid->addWidget(spalte2[r], r + 1, 2);
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(neueOption(tr("WERT-%1").arg(i),
                                   QStringLiteral("Option_WERT_%1_HOLEN").arg(i), Befehl::Code,
                                   quint8(120 + i)),
                        i + 1, 3);
        grid->addWidget(neueOption(tr("sonstiges %1").arg(i),
                                   QStringLiteral("Option_SONSTIGES_%1_HOLEN").arg(i), Befehl::Code,
                                   quint8(150 + i)),
                        i + 1, 4);
    }

    Command_STANDARD_BEFEHLE_START =
        steuer::knopf(tr("START"), QStringLiteral("Command_STANDARD_BEFEHLE_START"), this);
    Check_BEFEHLE_START_REPEAD =
        steuer::haken(tr("repead"), QStringLiteral("Check_BEFEHLE_START_REPEAD"), false, this);
    Check_PC_ZEIT_STELLEN =
        steuer::haken(tr("PC stellen"), QStringLiteral("Check_PC_ZEIT_STELLEN"), false, this);
    Check_PC_ZEIT_STELLEN->setToolTip(tr("die PC-Uhr einmal nach der geholten SLAVE-ZEIT stellen"));
    Command_HILFE_BEFEHLE =
        steuer::knopf(QStringLiteral("?"), QStringLiteral("Command_HILFE_BEFEHLE"), this);
    Command_HILFE_BEFEHLE->setFixedWidth(32);
    if (!m_ctx.windows.available(fenster::HILFE)) {
        Command_HILFE_BEFEHLE->setEnabled(false);
        Command_HILFE_BEFEHLE->setToolTip(WindowRegistry::notAvailableTip(fenster::HILFE));
    }

    auto* antwort = new QHBoxLayout;
    antwort->setSpacing(3);
    for (int i = 0; i < 4; ++i) {
        Text_EMPFANGSZEICHEN[i] = steuer::anzeige(
            QStringLiteral("Text_EMPFANGSZEICHEN%1").arg(i + 1), this, QStringLiteral("-"));
        Text_EMPFANGSZEICHEN[i]->setFixedWidth(36);
        Text_EMPFANGSZEICHEN[i]->setAlignment(Qt::AlignCenter);
        Text_EMPFANGSZEICHEN[i]->setToolTip(tr("Antwort-Byte %1").arg(i + 1));
        antwort->addWidget(Text_EMPFANGSZEICHEN[i]);
    }
    Text_SONDERAUSGABE = steuer::anzeige(QStringLiteral("Text_SONDERAUSGABE"), this);
    Text_SONDERAUSGABE->setToolTip(tr("PC-ZEIT"));
    steuer::platzBehalten(Text_SONDERAUSGABE);
    Text_SONDERAUSGABE->hide();

    auto* start = new QHBoxLayout;
    start->addWidget(Command_STANDARD_BEFEHLE_START, 1);
    start->addWidget(Command_HILFE_BEFEHLE);
    auto* rechts = new QVBoxLayout;
    rechts->setSpacing(2);
    rechts->addLayout(start);
    rechts->addWidget(Check_BEFEHLE_START_REPEAD);
    rechts->addWidget(Check_PC_ZEIT_STELLEN);
    rechts->addStretch(1);
    rechts->addLayout(antwort);
    rechts->addWidget(Text_SONDERAUSGABE);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addSpacing(12);
    layout->addLayout(rechts);

    guardedConnect(Command_STANDARD_BEFEHLE_START, &QPushButton::clicked, this,
                   &StandardBefehlePanel::Command_STANDARD_BEFEHLE_START_Click);
    guardedConnect(Command_HILFE_BEFEHLE, &QPushButton::clicked, this,
                   &StandardBefehlePanel::Command_HILFE_BEFEHLE_Click);
}

const StandardBefehlePanel::Wahl* StandardBefehlePanel::gewaehlt() const {
    for (const Wahl& w : m_wahl)
        if (w.option->isChecked())
            return &w;
    return nullptr;
}

void StandardBefehlePanel::antwortFarbe(int qbIndex) {
    for (QLineEdit* box : Text_EMPFANGSZEICHEN)
        setBackColor(box, qbIndex);
}

Reply StandardBefehlePanel::ausfuehren(const Wahl& wahl) {
    Link& link = m_ctx.link;
    Reply antwort;
    switch (wahl.befehl) {
    case Befehl::Aus:
        break;
    case Befehl::ZeitSenden:
        antwort = SLAVE_ZEIT_SETZEN(link, link.SLAVE_ADRESSE, m_ctx.system.now().time());
        break;
    case Befehl::DatumSenden:
        antwort = SLAVE_DATUM_SETZEN(link, link.SLAVE_ADRESSE, m_ctx.system.now().date());
        break;
    case Befehl::ZeitHolen:
        SLAVE_ZEIT_LESEN(link, link.SLAVE_ADRESSE, &antwort);
        break;
    case Befehl::DatumHolen:
        SLAVE_DATUM_LESEN(link, link.SLAVE_ADRESSE, &antwort);
        break;
    case Befehl::Code:
        antwort = STANDARD_BEFEHL(link, link.SLAVE_ADRESSE, wahl.code);
        break;
    }
    return antwort;
}

void StandardBefehlePanel::Command_STANDARD_BEFEHLE_START_Click() {
    // A run in progress re-reads the options on its own; a second one would only have its
    // frames refused while the first waits.
    if (m_lauf)
        return;
    m_resetBestaetigt = false;
    if (Option_RESET_SENDEN->isChecked() && !resetBestaetigen())
        return;

    Command_STANDARD_BEFEHLE_START->setEnabled(false);
    for (QLineEdit* box : Text_EMPFANGSZEICHEN)
        box->setText(QStringLiteral("?"));

    // Each pass: the command and its reply, 200 ms, then the clock and the colours.
    auto guarded = [this](bool (StandardBefehlePanel::*phase)()) {
        return [this, phase] {
            UnloadGate::Scope scope(this);
            return (this->*phase)();
        };
    };
    m_lauf = new Repetition(m_ctx.link,
                            {{guarded(&StandardBefehlePanel::senden), 200},
                             {guarded(&StandardBefehlePanel::nachDerPause), 0}},
                            [this] { return Check_BEFEHLE_START_REPEAD->isChecked(); });
    m_lauf->bindTo(window());
    connect(m_lauf, &Job::ended, this, [this] {
        m_lauf = nullptr;
        Command_STANDARD_BEFEHLE_START->setEnabled(true);
    });
    m_lauf->start();
}

bool StandardBefehlePanel::senden() {
    antwortFarbe(QB_HELLGELB);
    QCoreApplication::processEvents();
    const Wahl* wahl = gewaehlt();
    if (!wahl || wahl->befehl == Befehl::Aus)
        return false;
    // A slave reset is never sent unconfirmed: chosen while a repetition runs, it asks on the
    // first pass that finds it, and "No" ends the repetition.
    if (wahl->option != Option_RESET_SENDEN)
        m_resetBestaetigt = false;
    else if (!m_resetBestaetigt && !resetBestaetigen())
        return false;
    m_befehl = wahl->befehl;
    // Kept: handlers that run during the pause may use the link themselves.
    const Reply antwort = ausfuehren(*wahl);
    m_status = antwort.statusCode;
    // A frame that never went out has no reply.
    const bool gesendet = !antwort.refused();
    m_antwort = {antwort.byte(0), antwort.byte(1), antwort.byte(2), antwort.byte(3)};
    // The colour follows the outcome at once, not only after the pause.
    antwortFarbe(m_status > 0 ? QB_HELLROT : QB_HELLGRUEN);
    for (int i = 0; i < 4; ++i)
        Text_EMPFANGSZEICHEN[i]->setText(QString::number(m_antwort[i]));
    // The refusal has been reported once; a repetition would only repeat it.
    return gesendet;
}

bool StandardBefehlePanel::resetBestaetigen() {
    m_resetBestaetigt =
        m_ctx.prompter.askYesNo(tr("Möchten Sie wirklich einen RESET senden ?"), tr("WARNUNG"));
    return m_resetBestaetigt;
}

bool StandardBefehlePanel::nachDerPause() {
    const bool zeitHolen = m_befehl == Befehl::ZeitHolen;
    if (zeitHolen && Check_PC_ZEIT_STELLEN->isChecked() && m_status == 0) {
        // A slave clock that is no time of day leaves the PC clock and the box as they
        // are; the next pass of a repetition tries again.
        const QTime zeit(m_antwort[1], m_antwort[2], m_antwort[3]);
        if (zeit.isValid() && m_ctx.system.setClock(zeit))
            Check_PC_ZEIT_STELLEN->setChecked(false);
    }
    if (zeitHolen) {
        Text_SONDERAUSGABE->setText(timeText(m_ctx.system.now().time(), m_ctx.locale));
        Text_SONDERAUSGABE->show();
    } else {
        Text_SONDERAUSGABE->hide();
    }
    if (m_status > 0)
        antwortFarbe(QB_HELLROT);
    return true;
}

void StandardBefehlePanel::Command_HILFE_BEFEHLE_Click() {
    m_ctx.windows.show(fenster::HILFE);
}

} // namespace zelmar
