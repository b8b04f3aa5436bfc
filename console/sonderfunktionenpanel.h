#pragma once

#include "consolepanel.h"

class QPushButton;

namespace zelmar {

// Frame "TWI-SONDERFUNKTIONEN": opens the manual master, register, SRAM and 65K EEPROM
// windows modally over the console. A window missing from this build leaves its button greyed.
class SonderfunktionenPanel : public ConsolePanel {
    Q_OBJECT
public:
    explicit SonderfunktionenPanel(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_HANDBETRIEB_Click();
    void Command6_Click();
    void Command_EEPROM_EXTERN_Click();
    void Command_SRAM_Click();

private:
    QPushButton* knopf(const QString& caption, const char* name, const QString& fenster,
                       void (SonderfunktionenPanel::*slot)());

    QPushButton* Command_HANDBETRIEB;
    QPushButton* Command6;
    QPushButton* Command_EEPROM_EXTERN;
    QPushButton* Command_SRAM;
};

} // namespace zelmar
