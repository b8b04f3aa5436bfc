#include "konfigurationwindow.h"

#include "comportpanel.h"
#include "diagnosepanel.h"
#include "handbetriebpanel.h"
#include "modempanel.h"
#include "portstatuspanel.h"
#include "scannerpanel.h"
#include "schalterpanel.h"
#include "sclrechnerpanel.h"
#include "slaveadressepanel.h"
#include "slaveinfopanel.h"
#include "sonderfunktionenpanel.h"
#include "standardbefehlepanel.h"

#include "shell/appcontext.h"
#include "shell/programm.h"
#include "shell/settingsfiles.h"
#include "shell/systemservices.h"
#include "shell/texts.h"
#include "shell/windownames.h"

#include "ui/format.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmar {

namespace {

// Frames sit close together: the professional view must fit a small laptop screen.
const QMargins kFrameRand(8, 2, 8, 4);

void zeigen(QWidget* w, bool visible) {
    if (w->isHidden() == visible)
        w->setVisible(visible);
}

} // namespace

KonfigurationWindow::KonfigurationWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName(fenster::KONFIGURATION);
    setWindowTitle(QStringLiteral("---"));

    auto* scroll = m_scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("KONFIGURATION_scroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* inhalt = new QWidget;
    scroll->setWidget(inhalt);
    auto* fenster = new QVBoxLayout(this);
    fenster->setContentsMargins(0, 0, 0, 0);
    fenster->addWidget(scroll);

    // --- port column ---
    auto* spalteB = new QWidget(inhalt);
    auto* b = new QVBoxLayout(spalteB);
    b->setContentsMargins(0, 0, 0, 0);

    auto* frame9 = neuerFrame("Frame9", QStringLiteral("DATUM / ZEIT"), spalteB);
    Text_DATUM_ZEIT = new QLineEdit(frame9);
    Text_DATUM_ZEIT->setObjectName(QStringLiteral("Text_DATUM_ZEIT"));
    Text_DATUM_ZEIT->setReadOnly(true);
    Text_DATUM_ZEIT->setFocusPolicy(Qt::NoFocus);
    (new QVBoxLayout(frame9))->addWidget(Text_DATUM_ZEIT);

    Text_PATH_PROGRAMM = new QLineEdit(spalteB);
    Text_PATH_PROGRAMM->setObjectName(QStringLiteral("Text_PATH_PROGRAMM"));
    Text_PATH_PROGRAMM->setReadOnly(true);
    Text_PATH_PROGRAMM->setToolTip(QStringLiteral("Programmverzeichnis"));

    auto* frame7 = neuerFrame("Frame7", QStringLiteral("ANSICHT"), spalteB);
    Option_ALLGEMEIN = new QRadioButton(QStringLiteral("allgemein"), frame7);
    Option_ALLGEMEIN->setObjectName(QStringLiteral("Option_ALLGEMEIN"));
    Option_TWI = new QRadioButton(QStringLiteral("TWI"), frame7);
    Option_TWI->setObjectName(QStringLiteral("Option_TWI"));
    Option_TWI->setChecked(true);
    Option_TWI_PROFI = new QRadioButton(QStringLiteral("TWI-PROFI"), frame7);
    Option_TWI_PROFI->setObjectName(QStringLiteral("Option_TWI_PROFI"));
    Option_MODEM = new QRadioButton(QStringLiteral("MODEM"), frame7);
    Option_MODEM->setObjectName(QStringLiteral("Option_MODEM"));
    auto* l7 = new QGridLayout(frame7);
    l7->addWidget(Option_ALLGEMEIN, 0, 0);
    l7->addWidget(Option_TWI, 0, 1);
    l7->addWidget(Option_TWI_PROFI, 1, 0);
    l7->addWidget(Option_MODEM, 1, 1);

    Command_CLOSE = new QPushButton(QStringLiteral("OK"), spalteB);
    Command_CLOSE->setObjectName(QStringLiteral("Command_CLOSE"));
    Command_END = new QPushButton(QStringLiteral("END"), spalteB);
    Command_END->setObjectName(QStringLiteral("Command_END"));
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command_CLOSE);
    knoepfe->addWidget(Command_END);
    guardedConnect(Command_CLOSE, &QPushButton::clicked, this,
                   &KonfigurationWindow::Command_CLOSE_Click);
    guardedConnect(Command_END, &QPushButton::clicked, this,
                   &KonfigurationWindow::Command_END_Click);

    // --- interface and bus ---
    Frame_TWI = neuerFrame("Frame_TWI", QStringLiteral("RS232-TWI-INTERFACE"), inhalt);
    auto* twi = new QGridLayout(Frame_TWI);
    twi->setContentsMargins(kFrameRand);
    twi->setVerticalSpacing(4);
    const auto sub = [this](const char* name, const QString& caption) {
        return neuerFrame(name, caption, Frame_TWI);
    };
    QGroupBox* frame8 = sub("Frame8", QStringLiteral("ADRESSE SLAVE"));
    QGroupBox* frame11 = sub("Frame11", QStringLiteral("TWI-SLAVE-ADRESSEN SCANER"));
    QGroupBox* slaveInfo =
        sub("Frame_SLAVE_INFO", QStringLiteral("TWI_SLAVE-INFO-abfragen (16 BYTE)"));
    QGroupBox* fehler = sub("Frame_TWI_FEHLER", QStringLiteral("TWI-FEHLER-ERZEUGEN"));
    QGroupBox* takt = sub("Frame_TWI_TAKT", QStringLiteral("TWI- SCL-Frequenz"));
    QGroupBox* schalten = sub("Frame_TWI_SCHALTEN", QStringLiteral("SLAVE-SCHALTEN"));
    QGroupBox* hand1 = sub("Frame_HANDBETRIEB_1", QStringLiteral("HAND-BETRIEB-SENDEN"));
    QGroupBox* hand2 = sub("Frame_HANDBETRIEB_2", QStringLiteral("HAND-BETRIEB-EMPFANGEN"));
    QGroupBox* standard = sub("Frame_STANDARD_BEFEHLE", QStringLiteral("STANDARD-BEFEHLE"));
    QGroupBox* sonder = sub("Frame_TWI_SONDERFUNKTIONEN", QStringLiteral("TWI-SONDERFUNKTIONEN"));
    m_profiFrames = {standard, hand1, hand2, fehler, sonder, takt, schalten};

    Frame_MODEM = neuerFrame("Frame_MODEM", QStringLiteral("MODEM-STEUERUNG"), inhalt);

    // --- the panels of this build, each in its frame ---
    m_comPort = addPanel(new ComPortPanel(ctx, inhalt), nullptr);
    m_portStatus = addPanel(new PortStatusPanel(ctx, spalteB), nullptr);
    auto* diagnose = addPanel(new DiagnosePanel(ctx, fehler, Frame_TWI), nullptr);
    fehler->layout()->setContentsMargins(kFrameRand);
    auto* adressen = addPanel(new SlaveAdressePanel(ctx), frame8);
    addPanel(new ScannerPanel(ctx, *adressen), frame11);
    addPanel(new SlaveInfoPanel(ctx), slaveInfo);
    addPanel(new SchalterPanel(ctx), schalten);
    addPanel(new SonderfunktionenPanel(ctx), sonder);
    addPanel(new SclRechnerPanel(ctx), takt);
    addPanel(new HandbetriebPanel(ctx, hand2), hand1);
    addPanel(new StandardBefehlePanel(ctx), standard);
    addPanel(new ModemPanel(ctx), Frame_MODEM);

    b->addWidget(m_portStatus);
    b->addWidget(frame9);
    b->addWidget(Text_PATH_PROGRAMM);
    b->addWidget(frame7);
    b->addStretch(1);
    b->addLayout(knoepfe);

    // Under the diagnostics two columns of frames, each closed by the frame that takes up
    // what the other column is taller by; the standard commands take the full width.
    const auto spalte = [](std::initializer_list<QGroupBox*> frames, QGroupBox* dehnbar) {
        auto* s = new QVBoxLayout;
        s->setSpacing(4);
        for (QGroupBox* f : frames)
            s->addWidget(f, f == dehnbar ? 1 : 0);
        s->addStretch(0);
        return s;
    };
    twi->addWidget(diagnose, 0, 0, 1, 2);
    twi->addLayout(spalte({frame8, slaveInfo, takt, hand1}, hand1), 1, 0);
    twi->addLayout(spalte({frame11, fehler, schalten, hand2, sonder}, sonder), 1, 1);
    twi->addWidget(standard, 2, 0, 1, 2);
    twi->setColumnStretch(0, 1);
    twi->setColumnStretch(1, 1);
    twi->setRowStretch(3, 1);

    auto* haupt = new QHBoxLayout(inhalt);
    haupt->addWidget(m_comPort, 0, Qt::AlignTop);
    haupt->addWidget(spalteB);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(Frame_TWI);
    rechts->addWidget(Frame_MODEM);
    rechts->addStretch(1);
    haupt->addLayout(rechts, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    guardedConnect(Timer1, &QTimer::timeout, this, &KonfigurationWindow::Timer1_Timer);
    Timer1->start();

    ansichtAnwenden(Ansicht::Twi);
    Form_Load();

    // As large as the TWI view needs, but never beyond the screen; the rest scrolls.
    const QSize wanted = inhalt->sizeHint() + QSize(24, 24);
    const QRect frei = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    resize(wanted.boundedTo(frei.size() - QSize(16, 48)));
    move(frei.topLeft());
}

QGroupBox* KonfigurationWindow::neuerFrame(const char* name, const QString& caption,
                                           QWidget* parent) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(QLatin1String(name));
    m_frames.insert(f->objectName(), f);
    return f;
}

template <typename P> P* KonfigurationWindow::addPanel(P* panel, QGroupBox* frame) {
    if (frame) {
        QLayout* layout = frame->layout();
        if (!layout) {
            layout = new QVBoxLayout(frame);
            layout->setContentsMargins(kFrameRand);
        }
        layout->addWidget(panel);
    }
    m_panels << panel;
    return panel;
}

Ansicht KonfigurationWindow::ansicht() const {
    if (Option_ALLGEMEIN->isChecked())
        return Ansicht::Allgemein;
    if (Option_TWI_PROFI->isChecked())
        return Ansicht::TwiProfi;
    if (Option_MODEM->isChecked())
        return Ansicht::Modem;
    return Ansicht::Twi;
}

void KonfigurationWindow::Form_Load() {
    Text_PATH_PROGRAMM->setText(m_ctx.PROGRAMM_PFAD);
    for (ConsolePanel* p : m_panels)
        p->laden();
}

void KonfigurationWindow::ansichtAnwenden(Ansicht a) {
    zeigen(Frame_MODEM, a == Ansicht::Modem);
    zeigen(Frame_TWI, a == Ansicht::Twi || a == Ansicht::TwiProfi);
    for (QGroupBox* f : m_profiFrames)
        zeigen(f, a == Ansicht::TwiProfi);
    for (ConsolePanel* p : m_panels)
        p->ansichtAnwenden(a);
    if (a != m_ansicht) {
        m_ansicht = a;
        platzFuerAnsicht();
    }
}

// A view larger than the window widens it, up to the screen; a smaller one leaves it alone,
// so switching back and forth does not make the window jump.
void KonfigurationWindow::platzFuerAnsicht() {
    const QSize wanted = m_scroll->widget()->sizeHint() + QSize(24, 24);
    const QRect frei = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    const QSize neu = size().expandedTo(wanted).boundedTo(frei.size() - QSize(16, 48));
    if (neu != size())
        resize(neu);
}

void KonfigurationWindow::tickPanels(TickSchritt step) {
    for (ConsolePanel* p : m_panels)
        p->tick(step);
}

// The steps run in this order; each one reads the state as the steps before it left it.
void KonfigurationWindow::Timer1_Timer() {
    setTitleIfChanged(this, STATUS_ZEILE(m_ctx, 1)); // 1
    ansichtAnwenden(ansicht());                      // 2
    tickPanels(TickSchritt::SlaveAdresse);           // 3
    const QDateTime jetzt = m_ctx.system.now();      // 4
    setTextIfChanged(Text_DATUM_ZEIT, dateText(jetzt.date(), m_ctx.locale) + QStringLiteral("  ") +
                                          timeText(jetzt.time(), m_ctx.locale));
    tickPanels(TickSchritt::Wartezeit);                    // 5
    tickPanels(TickSchritt::SendeHistorie);                // 6
    tickPanels(TickSchritt::PortFarben);                   // 7
    tickPanels(TickSchritt::ModemEmpfang);                 // 8
    tickPanels(TickSchritt::ModemLaenge);                  // 9
    tickPanels(TickSchritt::Eingang);                      // 10
    tickPanels(TickSchritt::PortZustand);                  // 11
    tickPanels(TickSchritt::Rts);                          // 12
    tickPanels(TickSchritt::Dtr);                          // 13
    tickPanels(TickSchritt::PortSettings);                 // 14
    m_ctx.link.COM_PORT_NR = m_ctx.MSComm1().portNumber(); // 15
}

void KonfigurationWindow::Command_CLOSE_Click() {
    if (!m_comPort->comIniSpeichern())
        m_ctx.prompter.message(QStringLiteral("Fehler beim speichern der -COM.ini-  !!!  "));
    saveProgrammIni(m_ctx.link, m_ctx.PROGRAMM_PFAD);
    close();
}

void KonfigurationWindow::Command_END_Click() {
    PROGRAMM_BEENDEN(m_ctx);
}

} // namespace zelmar
