#include "slaveinfopanel.h"

#include "shell/appcontext.h"

#include "link/standard.h"
#include "ui/palette.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zelmar {

SlaveInfoPanel::SlaveInfoPanel(AppContext& ctx, QWidget* parent) : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("SlaveInfoPanel"));
    Command_SLAVE_INFO = steuer::knopf(tr("START"), QStringLiteral("Command_SLAVE_INFO"), this);
    Text_SLAVE_INFO_ERGEBNIS = steuer::anzeige(QStringLiteral("Text_SLAVE_INFO_ERGEBNIS"), this);
    Text_SLAVE_INFO_ERGEBNIS->setToolTip(tr("Name des SLAVE"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Command_SLAVE_INFO);
    row->addWidget(Text_SLAVE_INFO_ERGEBNIS, 1);
    guardedConnect(Command_SLAVE_INFO, &QPushButton::clicked, this,
                   &SlaveInfoPanel::Command_SLAVE_INFO_Click);
}

void SlaveInfoPanel::Command_SLAVE_INFO_Click() {
    Reply antwort;
    const QString name = SLAVE_INFO_LESEN(m_ctx.link, m_ctx.link.SLAVE_ADRESSE, &antwort);
    Text_SLAVE_INFO_ERGEBNIS->setText(name);
    setBackColor(Text_SLAVE_INFO_ERGEBNIS, antwort.done() ? QB_HELLGRUEN : QB_HELLROT);
}

} // namespace zelmar
