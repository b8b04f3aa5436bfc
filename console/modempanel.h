#pragma once

#include "consolepanel.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelmar {

// Frame "MODEM-STEUERUNG": plain command text to a modem on the serial line, without the
// interface frame, and every byte that comes back, as text or as decimal codes. Reception runs
// in the console's tick while the MODEM view is chosen.
class ModemPanel : public ConsolePanel {
    Q_OBJECT
public:
    static constexpr int MAX_ZEICHEN = 10000;

    explicit ModemPanel(AppContext& ctx, QWidget* parent = nullptr);

    void laden() override;
    void tick(TickSchritt step) override;
    void ansichtAnwenden(Ansicht a) override;

public slots:
    void Command_AN_MODEM_SENDEN_Click();
    void Command_SPEICHERN_Click();
    void Command_MODEMANTWORT_CLEAR_Click();

private:
    void empfangen();
    void anzeigen();

    // The received text exactly as it came (the box shows line ends its own way).
    QString m_antwort;

    QComboBox* Combo1;
    QCheckBox* Check_AT;
    QCheckBox* Check_CHR13;
    QPushButton* Command_AN_MODEM_SENDEN;
    QLineEdit* Text_MODEM_SENDESTRING;
    QCheckBox* Check_MODEMANTWORT;
    QPlainTextEdit* Text_MODEMANTWORT;
    QLineEdit* Text_MODEMANTWORT_LAENGE; // "Text_MODEMANTWORT_LÄNGE"
    QCheckBox* Check_ASC;
    QPushButton* Command_SPEICHERN;
    QPushButton* Command_MODEMANTWORT_CLEAR;
};

} // namespace zelmar
