#include "scannerpanel.h"

#include "slaveadressepanel.h"

#include "shell/appcontext.h"

#include "jobs/busscan.h"
#include "ui/palette.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zelmar {

ScannerPanel::ScannerPanel(AppContext& ctx, SlaveAdressePanel& adressen, QWidget* parent)
    : ConsolePanel(ctx, parent), m_adressen(adressen) {
    setObjectName(QStringLiteral("ScannerPanel"));
    Command_ADRESSE_TESTEN_AUTO =
        steuer::knopf(tr("START"), QStringLiteral("Command_ADRESSE_TESTEN_AUTO"), this);
    Text_ADRESSE_TESTEN_ERGEBNIS =
        steuer::anzeige(QStringLiteral("Text_ADRESSE_TESTEN_ERGEBNIS"), this);
    Text_ADRESSE_TESTEN_ERGEBNIS->setToolTip(tr("gefundene SLAVE-ADRESSEN"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Command_ADRESSE_TESTEN_AUTO);
    row->addWidget(Text_ADRESSE_TESTEN_ERGEBNIS, 1);
    guardedConnect(Command_ADRESSE_TESTEN_AUTO, &QPushButton::clicked, this,
                   &ScannerPanel::Command_ADRESSE_TESTEN_AUTO_Click);
}

void ScannerPanel::Command_ADRESSE_TESTEN_AUTO_Click() {
    // One scan at a time: a second one would clear the list this one is filling.
    if (m_scan)
        return;
    Command_ADRESSE_TESTEN_AUTO->setEnabled(false);
    Text_ADRESSE_TESTEN_ERGEBNIS->clear();
    m_adressen.listeLeeren();

    m_scan = new BusScan(m_ctx.link);
    m_scan->bindTo(window());
    connect(m_scan, &BusScan::found, this, [this](int a) {
        setBackColor(Text_ADRESSE_TESTEN_ERGEBNIS, QB_HELLGRUEN);
        Text_ADRESSE_TESTEN_ERGEBNIS->setText(Text_ADRESSE_TESTEN_ERGEBNIS->text() +
                                              QLatin1Char(' ') + QString::number(a));
        m_adressen.listeHinzufuegen(a);
    });
    connect(m_scan, &BusScan::finished, this, [this](const BusScan::Result& r) {
        if (r.interfaceSilent) {
            UnloadGate::Scope scope(this);
            m_ctx.prompter.message(BusScan::meldung(r));
        }
    });
    connect(m_scan, &Job::ended, this, [this] {
        m_scan = nullptr;
        Command_ADRESSE_TESTEN_AUTO->setEnabled(true);
    });
    m_scan->start();
}

} // namespace zelmar
