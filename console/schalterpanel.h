#pragma once

#include "consolepanel.h"

#include <array>

class QCheckBox;
class QPushButton;

namespace zelmar {

// Frame "SLAVE-SCHALTEN": reads the current slave's switch byte and sets its switch. The eight
// check boxes belong to the switch but take part in neither request; they show by their colour
// whether the last request is pending (yellow) or failed (red).
class SchalterPanel : public ConsolePanel {
    Q_OBJECT
public:
    explicit SchalterPanel(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_SCHALTER_HOLEN_Click();
    void Command_SCHALTER_SETZEN_Click();

private:
    void faerben(int qbIndex);

    std::array<QCheckBox*, 8> Check_SCHALTER{};
    QPushButton* Command_SCHALTER_HOLEN;
    QPushButton* Command_SCHALTER_SETZEN;
};

} // namespace zelmar
