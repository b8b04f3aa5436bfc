#include "scannerpanel.h"

#include "slaveadressepanel.h"

#include "shell/appcontext.h"

#include "link/standard.h"
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
        steuer::knopf(QStringLiteral("START"), QStringLiteral("Command_ADRESSE_TESTEN_AUTO"), this);
    Text_ADRESSE_TESTEN_ERGEBNIS =
        steuer::anzeige(QStringLiteral("Text_ADRESSE_TESTEN_ERGEBNIS"), this);
    Text_ADRESSE_TESTEN_ERGEBNIS->setToolTip(QStringLiteral("gefundene SLAVE-ADRESSEN"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Command_ADRESSE_TESTEN_AUTO);
    row->addWidget(Text_ADRESSE_TESTEN_ERGEBNIS, 1);
    guardedConnect(Command_ADRESSE_TESTEN_AUTO, &QPushButton::clicked, this,
                   &ScannerPanel::Command_ADRESSE_TESTEN_AUTO_Click);
}

void ScannerPanel::Command_ADRESSE_TESTEN_AUTO_Click() {
    // One scan at a time: a second one would clear the list this one is filling.
    if (!Command_ADRESSE_TESTEN_AUTO->isEnabled())
        return;
    Link& link = m_ctx.link;
    Command_ADRESSE_TESTEN_AUTO->setEnabled(false);
    Text_ADRESSE_TESTEN_ERGEBNIS->clear();
    m_adressen.listeLeeren();
    const quint8 gemerkt = link.SLAVE_ADRESSE;

    bool abgewiesen = false;
    for (int a = 0; a < 128; ++a) {
        const bool gefunden = SLAVE_SUCHEN(link, a) != 0;
        // A frame that never went out (port cannot be opened, another transaction waits)
        // would fail the same way for every further address, each with its message box.
        if (link.refused()) {
            abgewiesen = true;
            break;
        }
        if (gefunden) {
            setBackColor(Text_ADRESSE_TESTEN_ERGEBNIS, QB_HELLGRUEN);
            Text_ADRESSE_TESTEN_ERGEBNIS->setText(Text_ADRESSE_TESTEN_ERGEBNIS->text() +
                                                  QLatin1Char(' ') + QString::number(a));
            m_adressen.listeHinzufuegen(a);
        }
        if (!window()->isVisible())
            break; // the console was closed: nobody waits for the rest of the scan
    }
    if (!abgewiesen)
        TWI_STOP(link, 127); // the probes end without STOP: each next one is a repeated START
    link.SLAVE_ADRESSE = gemerkt;
    Command_ADRESSE_TESTEN_AUTO->setEnabled(true);
}

} // namespace zelmar
