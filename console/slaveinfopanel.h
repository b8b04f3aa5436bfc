#pragma once

#include "consolepanel.h"

class QLineEdit;
class QPushButton;

namespace zelmar {

// Frame "TWI_SLAVE-INFO-abfragen (16 BYTE)": the 16-character name of the current slave.
class SlaveInfoPanel : public ConsolePanel {
    Q_OBJECT
public:
    explicit SlaveInfoPanel(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_SLAVE_INFO_Click();

private:
    QPushButton* Command_SLAVE_INFO;
    QLineEdit* Text_SLAVE_INFO_ERGEBNIS;
};

} // namespace zelmar
