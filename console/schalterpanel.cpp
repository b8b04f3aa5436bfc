#include "schalterpanel.h"

#include "files/systemservices.h"
#include "shell/appcontext.h"

#include "link/standard.h"
#include "ui/palette.h"
#include "ui/prompter.h"
#include "ui/steuerelemente.h"
#include "ui/unloadgate.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmar {

SchalterPanel::SchalterPanel(AppContext& ctx, QWidget* parent) : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("SchalterPanel"));
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (int i = 0; i < 8; ++i) {
        auto* c = steuer::haken(QString::number(i), QStringLiteral("Check_SCHALTER_%1").arg(i),
                                false, this);
        c->setTristate(true);
        c->setCheckState(Qt::PartiallyChecked); // undetermined until the user decides
        Check_SCHALTER[i] = c;
        row->addWidget(c);
    }
    row->addStretch(1);
    Command_SCHALTER_HOLEN =
        steuer::knopf(tr("holen"), QStringLiteral("Command_SCHALTER_HOLEN"), this);
    Command_SCHALTER_SETZEN =
        steuer::knopf(tr("setzen"), QStringLiteral("Command_SCHALTER_SETZEN"), this);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command_SCHALTER_HOLEN);
    knoepfe->addWidget(Command_SCHALTER_SETZEN);
    knoepfe->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addLayout(knoepfe);
    guardedConnect(Command_SCHALTER_HOLEN, &QPushButton::clicked, this,
                   &SchalterPanel::Command_SCHALTER_HOLEN_Click);
    guardedConnect(Command_SCHALTER_SETZEN, &QPushButton::clicked, this,
                   &SchalterPanel::Command_SCHALTER_SETZEN_Click);
}

void SchalterPanel::faerben(int qbIndex) {
    for (QCheckBox* c : Check_SCHALTER)
        setBackColor(c, qbIndex);
}

void SchalterPanel::Command_SCHALTER_HOLEN_Click() {
    faerben(QB_HELLGELB);
    const Reply antwort = STANDARD_BEFEHL_119(m_ctx.link, m_ctx.link.SLAVE_ADRESSE);
    if (!antwort.done()) {
        // A missing reply would read as switch byte 0.
        faerben(QB_HELLROT);
        if (antwort.refused())
            return; // the engine has reported the refusal
        m_ctx.prompter.message(tr("FEHLER: Schalterstellung konnte nicht gelesen "
                                  "werden (STATUS_CODE %1)")
                                   .arg(antwort.statusCode));
        return;
    }
    m_ctx.prompter.message(QString::number(antwort.byte(1)));
}

void SchalterPanel::Command_SCHALTER_SETZEN_Click() {
    if (!m_ctx.prompter.askYesNo(tr("Möchten Sie wirklich diese Schalterstellung setzen"),
                                 tr("WARNUNG")))
        return;
    faerben(QB_HELLGELB);
    if (!STANDARD_BEFEHL_219(m_ctx.link, m_ctx.link.SLAVE_ADRESSE, m_ctx.system.now().date())
             .done())
        faerben(QB_HELLROT);
}

} // namespace zelmar
