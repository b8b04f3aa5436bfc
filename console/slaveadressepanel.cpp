#include "slaveadressepanel.h"

#include "shell/appcontext.h"
#include "ui/steuerelemente.h"

#include "ui/format.h"
#include "ui/prompter.h"
#include "ui/unloadgate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zelmar {

namespace {

constexpr int kDirekt[SlaveAdressePanel::ANZAHL_DIREKT] = {0, 8, 20, 40, 44, 45, 60, 65, 66};

} // namespace

SlaveAdressePanel::SlaveAdressePanel(AppContext& ctx, QWidget* parent) : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("SlaveAdressePanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    for (int i = 0; i < ANZAHL_DIREKT; ++i) {
        auto* b =
            steuer::knopf(QString::number(kDirekt[i]),
                          QStringLiteral("Command_SENDE_ADRESSE_SLAVE_DIREKT_%1").arg(i), this);
        b->setMinimumWidth(30);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        Command_SENDE_ADRESSE_SLAVE_DIREKT[i] = b;
        grid->addWidget(b, 0, i);
        guardedConnect(b, &QPushButton::clicked, this,
                       &SlaveAdressePanel::Command_SENDE_ADRESSE_SLAVE_DIREKT_Click, i);
    }

    Combo_SENDE_ADRESSE_SLAVE = new QComboBox(this);
    Combo_SENDE_ADRESSE_SLAVE->setObjectName(QStringLiteral("Combo_SENDE_ADRESSE_SLAVE"));
    // It shows the current slave; a new one is picked from the list or typed with "...".
    Combo_SENDE_ADRESSE_SLAVE->setEditable(true);
    Combo_SENDE_ADRESSE_SLAVE->lineEdit()->setReadOnly(true);
    Combo_SENDE_ADRESSE_SLAVE->setInsertPolicy(QComboBox::NoInsert);
    Combo_SENDE_ADRESSE_SLAVE->setToolTip(tr("aktuelle SLAVE-ADRESSE"));
    Command_SENDE_ADRESSE_SLAVE =
        steuer::knopf(QStringLiteral("..."), QStringLiteral("Command_SENDE_ADRESSE_SLAVE"), this);
    Command_SENDE_ADRESSE_SLAVE->setFixedWidth(32);
    Command_SENDE_ADRESSE_SLAVE->setToolTip(tr("ADRESSE eingeben"));
    grid->addWidget(Combo_SENDE_ADRESSE_SLAVE, 1, 0, 1, ANZAHL_DIREKT - 1);
    grid->addWidget(Command_SENDE_ADRESSE_SLAVE, 1, ANZAHL_DIREKT - 1, Qt::AlignRight);

    guardedConnect(Combo_SENDE_ADRESSE_SLAVE, qOverload<int>(&QComboBox::activated), this,
                   &SlaveAdressePanel::Combo_SENDE_ADRESSE_SLAVE_Click);
    guardedConnect(Command_SENDE_ADRESSE_SLAVE, &QPushButton::clicked, this,
                   &SlaveAdressePanel::Command_SENDE_ADRESSE_SLAVE_Click);
}

void SlaveAdressePanel::tick(TickSchritt step) {
    if (step == TickSchritt::SlaveAdresse)
        setTextIfChanged(Combo_SENDE_ADRESSE_SLAVE, QString::number(m_ctx.link.SLAVE_ADRESSE));
}

void SlaveAdressePanel::listeLeeren() {
    Combo_SENDE_ADRESSE_SLAVE->clear();
}

void SlaveAdressePanel::listeHinzufuegen(int adresse) {
    Combo_SENDE_ADRESSE_SLAVE->addItem(QString::number(adresse));
    Combo_SENDE_ADRESSE_SLAVE->setEditText(QString::number(adresse));
}

void SlaveAdressePanel::Command_SENDE_ADRESSE_SLAVE_DIREKT_Click(int index) {
    if (index >= 0 && index < ANZAHL_DIREKT)
        m_ctx.link.SLAVE_ADRESSE = quint8(kDirekt[index]);
}

void SlaveAdressePanel::Combo_SENDE_ADRESSE_SLAVE_Click(int index) {
    int adresse = 0;
    if (parseWholeNumber(Combo_SENDE_ADRESSE_SLAVE->itemText(index), &adresse) && adresse >= 0 &&
        adresse <= 127)
        m_ctx.link.SLAVE_ADRESSE = quint8(adresse);
}

void SlaveAdressePanel::Command_SENDE_ADRESSE_SLAVE_Click() {
    const QString answer = m_ctx.prompter.input(tr("ADRESSE eingeben"), tr("SLAVE - ADRESSE"),
                                                QString::number(m_ctx.link.SLAVE_ADRESSE));
    if (answer.isEmpty())
        return;
    int adresse = 0;
    if (!parseWholeNumber(answer, &adresse) || adresse < 0 || adresse > 127) {
        m_ctx.prompter.message(tr("Fehler: WERTEBEREICH 0...127"));
        return;
    }
    m_ctx.link.SLAVE_ADRESSE = quint8(adresse);
    // The number as the list shows every other address (" 08" becomes "8").
    Combo_SENDE_ADRESSE_SLAVE->addItem(QString::number(adresse));
}

} // namespace zelmar
