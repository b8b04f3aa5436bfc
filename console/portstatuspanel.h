#pragma once

#include "consolepanel.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace zelmar {

// Frame "COM-PORT-STATUS" (open state, port and settings, waiting input, the last frames
// sent, collecting a reply byte left waiting) and frame "TCP/IP" (the reply time-out and the
// time waited for the current byte).
class PortStatusPanel : public ConsolePanel {
    Q_OBJECT
public:
    explicit PortStatusPanel(AppContext& ctx, QWidget* parent = nullptr);

    void tick(TickSchritt step) override;

    // The row of the frame history, for a button that belongs beside it.
    QHBoxLayout* sendeHistorieZeile() const { return m_historieZeile; }

public slots:
    void Command3_Click();
    void Command_HAND_DATEN_EMPFANGEN_Click();

private:
    QGroupBox* Frame3;
    QGroupBox* Frame5;
    QLineEdit* Text_STATUS;
    QLineEdit* Text_STATUS2;
    QLineEdit* Text_INPUT;
    QComboBox* Combo_SENDESTRING;
    QPushButton* Command_HAND_DATEN_EMPFANGEN;
    QHBoxLayout* m_historieZeile;
    QLineEdit* Text_Timer_WAIT_DATENEMPFANG;
    QPushButton* Command3;
};

} // namespace zelmar
