#include "sonderfunktionenpanel.h"

#include "shell/appcontext.h"
#include "shell/windownames.h"
#include "ui/unloadgate.h"

#include <QGridLayout>
#include <QPushButton>

namespace zelmar {

SonderfunktionenPanel::SonderfunktionenPanel(AppContext& ctx, QWidget* parent)
    : ConsolePanel(ctx, parent) {
    setObjectName(QStringLiteral("SonderfunktionenPanel"));
    Command_HANDBETRIEB = knopf(tr("HAND"), "Command_HANDBETRIEB", fenster::HAND_BETRIEB,
                                &SonderfunktionenPanel::Command_HANDBETRIEB_Click);
    Command6 = knopf(tr("Register"), "Command6", fenster::REGISTER,
                     &SonderfunktionenPanel::Command6_Click);
    Command_EEPROM_EXTERN =
        knopf(tr("65K EEPROM extern..."), "Command_EEPROM_EXTERN", fenster::EEPROM_EXTERN_65K,
              &SonderfunktionenPanel::Command_EEPROM_EXTERN_Click);
    Command_SRAM = knopf(tr("SRAM..."), "Command_SRAM", fenster::SRAM,
                         &SonderfunktionenPanel::Command_SRAM_Click);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Command_HANDBETRIEB, 0, 0);
    grid->addWidget(Command6, 0, 1);
    grid->addWidget(Command_EEPROM_EXTERN, 1, 0);
    grid->addWidget(Command_SRAM, 1, 1);
}

QPushButton* SonderfunktionenPanel::knopf(const QString& caption, const char* name,
                                          const QString& fenster,
                                          void (SonderfunktionenPanel::*slot)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    if (!m_ctx.windows.available(fenster)) {
        b->setEnabled(false);
        b->setToolTip(WindowRegistry::notAvailableTip(fenster));
    }
    guardedConnect(b, &QPushButton::clicked, this, slot);
    return b;
}

void SonderfunktionenPanel::Command_HANDBETRIEB_Click() {
    m_ctx.windows.showModal(fenster::HAND_BETRIEB);
}

void SonderfunktionenPanel::Command6_Click() {
    m_ctx.windows.showModal(fenster::REGISTER);
}

// Whatever address is chosen inside the EEPROM window, the console's slave comes back after.
void SonderfunktionenPanel::Command_EEPROM_EXTERN_Click() {
    const quint8 adresse = m_ctx.link.SLAVE_ADRESSE;
    Link* link = &m_ctx.link;
    m_ctx.windows.showModal(fenster::EEPROM_EXTERN_65K,
                            [link, adresse] { link->SLAVE_ADRESSE = adresse; });
}

void SonderfunktionenPanel::Command_SRAM_Click() {
    m_ctx.windows.showModal(fenster::SRAM);
}

} // namespace zelmar
