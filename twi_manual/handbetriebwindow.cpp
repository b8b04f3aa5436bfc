#include "handbetriebwindow.h"

#include "receiverframe.h"
#include "registerpanel.h"
#include "transmitterframe.h"

#include "shell/appcontext.h"
#include "shell/programm.h"
#include "shell/windownames.h"
#include "ui/format.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace zelmar {

namespace {

// An address as the user typed it: a whole number, or one with decimals in the locale's manner
// (rounded later). False when the text is no number at all.
bool alsZahl(const QString& text, const QLocale& locale, double* zahl) {
    int ganz = 0;
    if (parseWholeNumber(text, &ganz)) {
        *zahl = ganz;
        return true;
    }
    bool ok = false;
    const double d = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(d))
        return false;
    *zahl = d;
    return true;
}

} // namespace

HandBetriebWindow::HandBetriebWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::HAND_BETRIEB);
    setWindowTitle(QStringLiteral("---"));
    setBackColor(this, QB_HELLGRAU);
    bauen();
    verbinden();
    Timer_START->start();
    Timer_ANZEIGE->start();
}

void HandBetriebWindow::bauen() {
    Frame3 = new RegisterPanel(m_ctx, this);
    Frame_MT = new TransmitterFrame(m_ctx, *Frame3, this);
    Frame_MR = new ReceiverFrame(m_ctx, *Frame3, this);

    Frame14 = steuer::rahmen(tr("SLAVE ADRESSE"), QStringLiteral("Frame14"), this);
    Combo_SENDE_ADRESSE_SLAVE = new QComboBox(Frame14);
    Combo_SENDE_ADRESSE_SLAVE->setObjectName(QStringLiteral("Combo_SENDE_ADRESSE_SLAVE"));
    Combo_SENDE_ADRESSE_SLAVE->setEditable(true);
    // The tick writes the current address here ten times a second: typing could not stick.
    Combo_SENDE_ADRESSE_SLAVE->lineEdit()->setReadOnly(true);
    Combo_SENDE_ADRESSE_SLAVE->setInsertPolicy(QComboBox::NoInsert);
    Command_SLAVE_ADRESSE =
        steuer::knopf(QStringLiteral("..."), QStringLiteral("Command_SLAVE_ADRESSE"), Frame14);
    Command_SLAVE_ADRESSE->setFixedWidth(36);
    auto* adresse = new QHBoxLayout(Frame14);
    adresse->addWidget(Combo_SENDE_ADRESSE_SLAVE, 1);
    adresse->addWidget(Command_SLAVE_ADRESSE);

    Frame4 = steuer::rahmen(tr("INTERFACE"), QStringLiteral("Frame4"), this);
    Command_RESET = steuer::knopf(tr("RESET"), QStringLiteral("Command_RESET"), Frame4);
    Command_ERROR = steuer::knopf(tr("OFF"), QStringLiteral("Command_ERROR"), Frame4);
    auto* schnittstelle = new QVBoxLayout(Frame4);
    schnittstelle->addWidget(Command_RESET);
    schnittstelle->addWidget(Command_ERROR);

    Frame13 = steuer::rahmen(QString(), QStringLiteral("Frame13"), this);
    Command_CLOSE = steuer::knopf(tr("CLOSE"), QStringLiteral("Command_CLOSE"), Frame13);
    Command_EXIT = steuer::knopf(tr("END"), QStringLiteral("Command_EXIT"), Frame13);
    auto* ende = new QVBoxLayout(Frame13);
    ende->addWidget(Command_CLOSE);
    ende->addWidget(Command_EXIT);

    auto laufRahmen = [this](const QString& caption, const QString& name, QPushButton*& knopf,
                             const QString& knopfName, QCheckBox*& repeat,
                             const QString& repeatName) {
        QGroupBox* g = steuer::rahmen(caption, name, this);
        knopf = steuer::knopf(tr("auto RUN"), knopfName, g);
        repeat = steuer::haken(tr("repeat"), repeatName, false, g);
        auto* l = new QHBoxLayout(g);
        l->addWidget(knopf);
        l->addWidget(repeat);
        l->addStretch(1);
        return g;
    };
    Frame5 =
        laufRahmen(tr("MASTER-TRANSMITTER"), QStringLiteral("Frame5"), Command_RUN,
                   QStringLiteral("Command_RUN"), Check_repeat, QStringLiteral("Check_repeat"));
    Frame9 = laufRahmen(tr("MASTER-RECEIVER"), QStringLiteral("Frame9"), Command_MR_RUN,
                        QStringLiteral("Command_MR_RUN"), Check_MR_repeat,
                        QStringLiteral("Check_MR_repeat"));
    Frame10 =
        laufRahmen(tr("MT + MR"), QStringLiteral("Frame10"), Command1, QStringLiteral("Command1"),
                   Check_REPEAD_ALLE, QStringLiteral("Check_REPEAD_ALLE"));

    auto* links = new QVBoxLayout;
    links->addWidget(Frame14);
    links->addWidget(Frame4);
    links->addStretch(1);
    links->addWidget(Frame13);
    auto* mitte = new QVBoxLayout;
    mitte->addWidget(Frame5);
    mitte->addWidget(Frame_MT, 1);
    auto* laeufe = new QHBoxLayout;
    laeufe->addWidget(Frame10);
    laeufe->addWidget(Frame9);
    auto* rechts = new QVBoxLayout;
    rechts->addLayout(laeufe);
    rechts->addWidget(Frame_MR, 1);
    auto* unten = new QHBoxLayout;
    unten->addLayout(links);
    unten->addLayout(mitte);
    unten->addLayout(rechts);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Frame3);
    layout->addLayout(unten, 1);

    Timer_START = new QTimer(this);
    Timer_START->setObjectName(QStringLiteral("Timer_START"));
    Timer_START->setInterval(100);
    Timer_ANZEIGE = new QTimer(this);
    Timer_ANZEIGE->setObjectName(QStringLiteral("Timer_ANZEIGE"));
    Timer_ANZEIGE->setInterval(100);
}

void HandBetriebWindow::verbinden() {
    using W = HandBetriebWindow;
    guardedConnect(Timer_START, &QTimer::timeout, this, &W::Timer_START_Timer);
    guardedConnect(Timer_ANZEIGE, &QTimer::timeout, this, &W::Timer_ANZEIGE_Timer);
    guardedConnect(Combo_SENDE_ADRESSE_SLAVE, &QComboBox::activated, this,
                   &W::Combo_SENDE_ADRESSE_SLAVE_Click);
    guardedConnect(Command_SLAVE_ADRESSE, &QPushButton::clicked, this,
                   &W::Command_SLAVE_ADRESSE_Click);
    guardedConnect(Command_RESET, &QPushButton::clicked, this, &W::Command_RESET_Click);
    guardedConnect(Command_ERROR, &QPushButton::clicked, this, &W::Command_ERROR_Click);
    guardedConnect(Command_RUN, &QPushButton::clicked, this, &W::Command_RUN_Click);
    guardedConnect(Command_MR_RUN, &QPushButton::clicked, this, &W::Command_MR_RUN_Click);
    guardedConnect(Command1, &QPushButton::clicked, this, &W::Command1_Click);
    guardedConnect(Command_CLOSE, &QPushButton::clicked, this, &W::Command_CLOSE_Click);
    guardedConnect(Command_EXIT, &QPushButton::clicked, this, &W::Command_EXIT_Click);
}

void HandBetriebWindow::Timer_START_Timer() {
    Timer_START->stop();
    Combo_SENDE_ADRESSE_SLAVE->addItem(QString::number(m_ctx.link.SLAVE_ADRESSE));
}

void HandBetriebWindow::Timer_ANZEIGE_Timer() {
    setTextIfChanged(Combo_SENDE_ADRESSE_SLAVE, QString::number(m_ctx.link.SLAVE_ADRESSE));
    setTitleIfChanged(this, STATUS_ZEILE(m_ctx, 1));
}

void HandBetriebWindow::Combo_SENDE_ADRESSE_SLAVE_Click(int index) {
    double zahl = 0;
    if (alsZahl(Combo_SENDE_ADRESSE_SLAVE->itemText(index), m_ctx.locale, &zahl) && zahl >= 0 &&
        zahl <= 127)
        m_ctx.link.SLAVE_ADRESSE = quint8(std::lround(zahl));
}

void HandBetriebWindow::Command_SLAVE_ADRESSE_Click() {
    const QString antwort = m_ctx.prompter.input(tr("ADRESSE eingeben"), tr("SLAVE - ADRESSE"),
                                                 QString::number(m_ctx.link.SLAVE_ADRESSE));
    if (antwort.isEmpty())
        return;
    double zahl = 0;
    if (!alsZahl(antwort, m_ctx.locale, &zahl) || zahl < 0 || zahl > 127) {
        m_ctx.prompter.message(tr("Fehler: WERTEBEREICH 0...127"));
        return;
    }
    m_ctx.link.SLAVE_ADRESSE = quint8(std::lround(zahl));
    Combo_SENDE_ADRESSE_SLAVE->addItem(antwort);
}

// No question first; the reset also releases the sequences' latch.
void HandBetriebWindow::Command_RESET_Click() {
    RegisterPanel::Vorgang vorgang(*Frame3);
    if (!vorgang.frei())
        return;
    Link& link = m_ctx.link;
    link.STATUS_CODE = STATUS_OK;
    Link::Auftrag auftrag(link, Frame3);
    link.RAHMEN_SENDEN({befehl::RESET, link.SLAVE_ADRESSE});
    link.DATEN_EMPFANGEN(1);
}

// TWCR 0: the TWI unit is off and lets go of the bus lines.
void HandBetriebWindow::Command_ERROR_Click() {
    RegisterPanel::Vorgang vorgang(*Frame3);
    if (!vorgang.frei())
        return;
    Frame3->setzen(TwiRegister::TWCR, 0);
    Frame3->schreiben(TwiRegister::TWCR);
}

AutoLauf::Folge HandBetriebWindow::folge(std::vector<std::function<void()>> schritte,
                                         QCheckBox* repeat) {
    AutoLauf::Folge f;
    for (auto& schritt : schritte)
        f.schritte.push_back([this, schritt = std::move(schritt)] {
            UnloadGate::Scope scope(this);
            schritt();
            return Frame3->weiter();
        });
    f.wiederholen = [repeat] { return repeat->isChecked(); };
    return f;
}

void HandBetriebWindow::autoLaufStarten(std::vector<AutoLauf::Folge> folgen,
                                        std::function<bool()> again) {
    if (m_lauf)
        return;
    m_lauf = new AutoLauf(m_ctx.link, std::move(folgen), std::move(again),
                          [this] { return !Frame3->beschaeftigt(); });
    m_lauf->bindTo(this);
    m_lauf->runFor(Frame3); // the window's own, through the link it holds
    laufKnoepfe(false);
    connect(m_lauf, &Job::ended, this, [this] {
        m_lauf = nullptr;
        laufKnoepfe(true);
    });
    m_lauf->start();
}

void HandBetriebWindow::laufKnoepfe(bool frei) {
    for (QPushButton* b : {Command_RUN, Command_MR_RUN, Command1})
        b->setEnabled(frei);
}

void HandBetriebWindow::Command_RUN_Click() {
    std::vector<AutoLauf::Folge> folgen;
    folgen.push_back(folge(Frame_MT->schritte(), Check_repeat));
    autoLaufStarten(std::move(folgen), {});
}

void HandBetriebWindow::Command_MR_RUN_Click() {
    std::vector<AutoLauf::Folge> folgen;
    folgen.push_back(folge(Frame_MR->schritte(), Check_MR_repeat));
    autoLaufStarten(std::move(folgen), {});
}

// While the transmitter's own box is ticked its loop never hands over to the receiver.
void HandBetriebWindow::Command1_Click() {
    std::vector<AutoLauf::Folge> folgen;
    folgen.push_back(folge(Frame_MT->schritte(), Check_repeat));
    folgen.push_back(folge(Frame_MR->schritte(), Check_MR_repeat));
    autoLaufStarten(std::move(folgen), [this] { return Check_REPEAD_ALLE->isChecked(); });
}

void HandBetriebWindow::Command_CLOSE_Click() {
    close();
}

void HandBetriebWindow::Command_EXIT_Click() {
    Frame3->beenden();
    if (m_lauf)
        m_lauf->cancel();
    PROGRAMM_BEENDEN(m_ctx);
}

// A step under way stops after its transaction; the auto run ends with it.
void HandBetriebWindow::closeEvent(QCloseEvent* event) {
    Frame3->beenden();
    QWidget::closeEvent(event);
}

} // namespace zelmar
