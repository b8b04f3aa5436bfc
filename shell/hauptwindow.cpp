#include "hauptwindow.h"

#include "appcontext.h"
#include "programm.h"
#include "windownames.h"

#include "ui/format.h"
#include "ui/unloadgate.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmar {

HauptWindow::HauptWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx) {
    setObjectName(fenster::HAUPT);
    setWindowTitle(QStringLiteral("ZELMAR"));

    QMenuBar* bar = menuBar();
    QMenu* datei = bar->addMenu(tr("DATEI"));
    datei->setObjectName(QStringLiteral("menue_DATEI"));
    addEntry(datei, "menue_EXIT", tr("EXIT"), QString(), &HauptWindow::menue_EXIT_Click);

    QMenu* ansicht = bar->addMenu(tr("Ansicht"));
    ansicht->setObjectName(QStringLiteral("menue_ANSICHT"));
    addEntry(ansicht, "menue_HEIZJAUS", tr("HEIZHAUS"), fenster::HAUS_HEIZHAUS,
             &HauptWindow::menue_HEIZJAUS_Click);

    QMenu* extras = bar->addMenu(tr("Extras"));
    extras->setObjectName(QStringLiteral("menue_EXTRAS"));
    addEntry(extras, "menue_KONFIGURATION", tr("KONFIGURATION"), fenster::KONFIGURATION,
             &HauptWindow::menue_KONFIGURATION_Click);
    addEntry(extras, "menue_SLAVE_INFO", tr("SLAVE Info"), fenster::SLAVE_INFO,
             &HauptWindow::menue_SLAVE_INFO_Click);
    addEntry(extras, "menue_WOHNUNG", tr("TEST (WOHNUNG)"), fenster::WOHNUNG,
             &HauptWindow::menue_WOHNUNG_Click);

    QMenu* help = bar->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("menue_HELP"));
    addEntry(help, "menue_HILFE", tr("HILFE"), fenster::HILFE, &HauptWindow::menue_HILFE_Click);
    addEntry(help, "menue_INFO", tr("INFO"), fenster::START, &HauptWindow::menue_INFO_Click);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    Command_EXIT = new QPushButton(tr("END"), central);
    Command_EXIT->setObjectName(QStringLiteral("Command_EXIT"));
    Command_EXIT->setMinimumHeight(40);
    layout->addWidget(Command_EXIT);
    setCentralWidget(central);
    guardedConnect(Command_EXIT, &QPushButton::clicked, this, &HauptWindow::Command_EXIT_Click);

    Timer_START = new QTimer(this);
    Timer_START->setObjectName(QStringLiteral("Timer_START"));
    Timer_START->setInterval(1500);
    guardedConnect(Timer_START, &QTimer::timeout, this, &HauptWindow::Timer_START_Timer);
    Timer_START->start();

    Timer_ANZEIGE = new QTimer(this);
    Timer_ANZEIGE->setObjectName(QStringLiteral("Timer_ANZEIGE"));
    Timer_ANZEIGE->setInterval(100);
    guardedConnect(Timer_ANZEIGE, &QTimer::timeout, this, &HauptWindow::Timer_ANZEIGE_Timer);
    Timer_ANZEIGE->start();

    resize(320, 100);
}

// Bottom right, out of the way of the console that opens top left.
void HauptWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_platziert || !screen())
        return;
    m_platziert = true;
    const QRect frei = screen()->availableGeometry();
    const QSize rahmen = frameGeometry().size().expandedTo(size());
    move(frei.right() - rahmen.width() + 1, frei.bottom() - rahmen.height() + 1);
}

QAction* HauptWindow::addEntry(QMenu* menu, const char* name, const QString& caption,
                               const QString& window, void (HauptWindow::*slot)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    guardedConnect(action, &QAction::triggered, this, slot);
    if (!window.isEmpty() && !m_ctx.windows.available(window)) {
        action->setEnabled(false);
        action->setToolTip(WindowRegistry::notAvailableTip(window));
        menu->setToolTipsVisible(true);
    }
    return action;
}

void HauptWindow::Command_EXIT_Click() {
    PROGRAMM_BEENDEN(m_ctx);
}

void HauptWindow::Timer_START_Timer() {
    Timer_START->stop();
    m_ctx.windows.show(fenster::KONFIGURATION);
}

void HauptWindow::Timer_ANZEIGE_Timer() {
    setTitleIfChanged(this, STATUS_ZEILE(m_ctx, 0));
}

void HauptWindow::menue_EXIT_Click() {
    PROGRAMM_BEENDEN(m_ctx);
}

void HauptWindow::menue_HEIZJAUS_Click() {
    m_ctx.windows.show(fenster::HAUS_HEIZHAUS);
}

void HauptWindow::menue_KONFIGURATION_Click() {
    m_ctx.windows.show(fenster::KONFIGURATION);
}

void HauptWindow::menue_SLAVE_INFO_Click() {
    m_ctx.windows.show(fenster::SLAVE_INFO);
}

void HauptWindow::menue_WOHNUNG_Click() {
    m_ctx.windows.show(fenster::WOHNUNG);
}

void HauptWindow::menue_HILFE_Click() {
    m_ctx.windows.show(fenster::HILFE);
}

void HauptWindow::menue_INFO_Click() {
    m_ctx.windows.show(fenster::START);
}

void HauptWindow::closeEvent(QCloseEvent* event) {
    PROGRAMM_BEENDEN(m_ctx);
    event->accept();
}

} // namespace zelmar
