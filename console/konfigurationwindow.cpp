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

#include "files/logbooks.h"
#include "files/settingsfiles.h"
#include "files/systemservices.h"
#include "files/texts.h"
#include "shell/appcontext.h"
#include "shell/programm.h"
#include "shell/windownames.h"

#include "ui/format.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
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
    bauen();
    verbinden();

    ansichtAnwenden(Ansicht::Twi);
    Form_Load();

    // As large as the TWI view needs, but never beyond the screen; the rest scrolls.
    const QSize wanted = m_scroll->widget()->sizeHint() + QSize(24, 24);
    const QRect frei = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    resize(wanted.boundedTo(frei.size() - QSize(16, 48)));
    move(frei.topLeft());
}

void KonfigurationWindow::bauen() {
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("KONFIGURATION_scroll"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    auto* inhalt = new QWidget;
    m_scroll->setWidget(inhalt);
    auto* fensterLayout = new QVBoxLayout(this);
    fensterLayout->setContentsMargins(0, 0, 0, 0);
    fensterLayout->addWidget(m_scroll);

    // --- port column ---
    auto* spalteB = new QWidget(inhalt);
    auto* frame9 = neuerFrame("Frame9", tr("DATUM / ZEIT"), spalteB);
    Text_DATUM_ZEIT = steuer::anzeige(QStringLiteral("Text_DATUM_ZEIT"), frame9);
    (new QVBoxLayout(frame9))->addWidget(Text_DATUM_ZEIT);
    Text_PATH_PROGRAMM = new QLineEdit(spalteB);
    Text_PATH_PROGRAMM->setObjectName(QStringLiteral("Text_PATH_PROGRAMM"));
    Text_PATH_PROGRAMM->setReadOnly(true);
    Text_PATH_PROGRAMM->setToolTip(tr("Verzeichnis der Einstellungen, PORTS.ini und DATEN"));

    auto* frame7 = neuerFrame("Frame7", tr("ANSICHT"), spalteB);
    Option_ALLGEMEIN = steuer::option(tr("allgemein"), QStringLiteral("Option_ALLGEMEIN"), frame7);
    Option_TWI = steuer::option(tr("TWI"), QStringLiteral("Option_TWI"), frame7);
    Option_TWI->setChecked(true);
    Option_TWI_PROFI = steuer::option(tr("TWI-PROFI"), QStringLiteral("Option_TWI_PROFI"), frame7);
    Option_MODEM = steuer::option(tr("MODEM"), QStringLiteral("Option_MODEM"), frame7);
    auto* l7 = new QGridLayout(frame7);
    l7->addWidget(Option_ALLGEMEIN, 0, 0);
    l7->addWidget(Option_TWI, 0, 1);
    l7->addWidget(Option_TWI_PROFI, 1, 0);
    l7->addWidget(Option_MODEM, 1, 1);

    Command_CLOSE = steuer::knopf(tr("OK"), QStringLiteral("Command_CLOSE"), spalteB);
    Command_END = steuer::knopf(tr("END"), QStringLiteral("Command_END"), spalteB);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command_CLOSE);
    knoepfe->addWidget(Command_END);

    // --- interface and bus: the frames, each filled by its panel ---
    Frame_TWI = neuerFrame("Frame_TWI", tr("RS232-TWI-INTERFACE"), inhalt);
    struct FrameEintrag {
        const char* name;
        const char* titel;
        bool nurProfi; // shown in the "TWI-PROFI" view only
    };
    const FrameEintrag twiFrames[] = {
        {"Frame8", QT_TR_NOOP("ADRESSE SLAVE"), false},
        {"Frame11", QT_TR_NOOP("TWI-SLAVE-ADRESSEN SCANER"), false},
        {"Frame_SLAVE_INFO", QT_TR_NOOP("TWI_SLAVE-INFO-abfragen (16 BYTE)"), false},
        {"Frame_TWI_FEHLER", QT_TR_NOOP("TWI-FEHLER-ERZEUGEN"), true},
        {"Frame_TWI_TAKT", QT_TR_NOOP("TWI- SCL-Frequenz"), true},
        {"Frame_TWI_SCHALTEN", QT_TR_NOOP("SLAVE-SCHALTEN"), true},
        {"Frame_HANDBETRIEB_1", QT_TR_NOOP("HAND-BETRIEB-SENDEN"), true},
        {"Frame_HANDBETRIEB_2", QT_TR_NOOP("HAND-BETRIEB-EMPFANGEN"), true},
        {"Frame_STANDARD_BEFEHLE", QT_TR_NOOP("STANDARD-BEFEHLE"), true},
        {"Frame_TWI_SONDERFUNKTIONEN", QT_TR_NOOP("TWI-SONDERFUNKTIONEN"), true},
    };
    for (const FrameEintrag& e : twiFrames) {
        QGroupBox* f = neuerFrame(e.name, tr(e.titel), Frame_TWI);
        if (e.nurProfi)
            m_profiFrames << f;
    }
    Frame_MODEM = neuerFrame("Frame_MODEM", tr("MODEM-STEUERUNG"), inhalt);

    // The panels in the order they load; those without a frame place themselves.
    AppContext& ctx = m_ctx;
    m_comPort = new ComPortPanel(ctx, inhalt);
    m_portStatus = new PortStatusPanel(ctx, spalteB);
    auto* diagnose = new DiagnosePanel(ctx, frame(QStringLiteral("Frame_TWI_FEHLER")), Frame_TWI);
    auto* adressen = new SlaveAdressePanel(ctx);
    const std::pair<const char*, ConsolePanel*> panels[] = {
        {nullptr, m_comPort},
        {nullptr, m_portStatus},
        {nullptr, diagnose},
        {"Frame8", adressen},
        {"Frame11", new ScannerPanel(ctx, *adressen)},
        {"Frame_SLAVE_INFO", new SlaveInfoPanel(ctx)},
        {"Frame_TWI_SCHALTEN", new SchalterPanel(ctx)},
        {"Frame_TWI_SONDERFUNKTIONEN", new SonderfunktionenPanel(ctx)},
        {"Frame_TWI_TAKT", new SclRechnerPanel(ctx)},
        {"Frame_HANDBETRIEB_1",
         new HandbetriebPanel(ctx, frame(QStringLiteral("Frame_HANDBETRIEB_2")))},
        {"Frame_STANDARD_BEFEHLE", new StandardBefehlePanel(ctx)},
        {"Frame_MODEM", new ModemPanel(ctx)},
    };
    for (const auto& [name, panel] : panels)
        addPanel(panel, name ? frame(QLatin1String(name)) : nullptr);
    frame(QStringLiteral("Frame_TWI_FEHLER"))->layout()->setContentsMargins(kFrameRand);

    auto* b = new QVBoxLayout(spalteB);
    b->setContentsMargins(0, 0, 0, 0);
    b->addWidget(m_portStatus);
    b->addWidget(frame9);
    b->addWidget(Text_PATH_PROGRAMM);
    b->addWidget(frame7);
    b->addStretch(1);
    b->addLayout(knoepfe);

    // Under the diagnostics two columns of frames, each closed by the frame that takes up
    // what the other column is taller by; the standard commands take the full width.
    const auto spalte = [this](std::initializer_list<const char*> namen, const char* dehnbar) {
        auto* s = new QVBoxLayout;
        s->setSpacing(4);
        for (const char* n : namen)
            s->addWidget(frame(QLatin1String(n)), qstrcmp(n, dehnbar) == 0 ? 1 : 0);
        s->addStretch(0);
        return s;
    };
    auto* twi = new QGridLayout(Frame_TWI);
    twi->setContentsMargins(kFrameRand);
    twi->setVerticalSpacing(4);
    twi->addWidget(diagnose, 0, 0, 1, 2);
    twi->addLayout(spalte({"Frame8", "Frame_SLAVE_INFO", "Frame_TWI_TAKT", "Frame_HANDBETRIEB_1"},
                          "Frame_HANDBETRIEB_1"),
                   1, 0);
    twi->addLayout(spalte({"Frame11", "Frame_TWI_FEHLER", "Frame_TWI_SCHALTEN",
                           "Frame_HANDBETRIEB_2", "Frame_TWI_SONDERFUNKTIONEN"},
                          "Frame_TWI_SONDERFUNKTIONEN"),
                   1, 1);
    twi->addWidget(frame(QStringLiteral("Frame_STANDARD_BEFEHLE")), 2, 0, 1, 2);
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
}

void KonfigurationWindow::verbinden() {
    guardedConnect(Command_CLOSE, &QPushButton::clicked, this,
                   &KonfigurationWindow::Command_CLOSE_Click);
    guardedConnect(Command_END, &QPushButton::clicked, this,
                   &KonfigurationWindow::Command_END_Click);
    guardedConnect(Timer1, &QTimer::timeout, this, &KonfigurationWindow::Timer1_Timer);
    Timer1->start();
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
    datei::Grund grund;
    if (!saveProgrammIni(m_ctx.link, m_ctx.PROGRAMM_PFAD, &grund))
        m_ctx.prompter.message(
            nichtGeschrieben(m_ctx.PROGRAMM_PFAD + QStringLiteral("PROGRAMM.ini"), grund));
    close();
}

void KonfigurationWindow::Command_END_Click() {
    PROGRAMM_BEENDEN(m_ctx);
}

} // namespace zelmar
