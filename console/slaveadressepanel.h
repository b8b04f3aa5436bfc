#pragma once

#include "consolepanel.h"

#include <array>

class QComboBox;
class QPushButton;

namespace zelmar {

// Frame "ADRESSE SLAVE": chooses SLAVE_ADRESSE, the target of every slave-directed action of
// the program, by a direct button, from the list of found or entered addresses, or typed.
class SlaveAdressePanel : public ConsolePanel {
    Q_OBJECT
public:
    static constexpr int ANZAHL_DIREKT = 9;

    explicit SlaveAdressePanel(AppContext& ctx, QWidget* parent = nullptr);

    void tick(TickSchritt step) override;

    // The list of the combo box, as the scanner fills it.
    void listeLeeren();
    void listeHinzufuegen(int adresse);

public slots:
    void Command_SENDE_ADRESSE_SLAVE_DIREKT_Click(int index);
    void Combo_SENDE_ADRESSE_SLAVE_Click(int index);
    void Command_SENDE_ADRESSE_SLAVE_Click();

private:
    std::array<QPushButton*, ANZAHL_DIREKT> Command_SENDE_ADRESSE_SLAVE_DIREKT{};
    QComboBox* Combo_SENDE_ADRESSE_SLAVE;
    QPushButton* Command_SENDE_ADRESSE_SLAVE;
};

} // namespace zelmar
