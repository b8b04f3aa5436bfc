#pragma once

#include <QGroupBox>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zelmar {

class AppContext;
class RegisterPanel;

// Frame_MT: one master-transmitter transfer by hand, a bus event per button: START, the slave
// address with the write bit, up to four data bytes, STOP. Each step shows the status code it
// read; a failed step latches its error code in STATUS_CODE, and the gated steps after it do
// nothing until the next START.
class TransmitterFrame : public QGroupBox {
    Q_OBJECT
public:
    TransmitterFrame(AppContext& ctx, RegisterPanel& panel, QWidget* parent = nullptr);

    // The seven steps in order, for the auto runs.
    std::vector<std::function<void()>> schritte();

public slots:
    void Command_A_Click();
    void Command_B_Click();
    void Command_D_Click();
    void Command_F_Click();
    void Command_H_Click();
    void Command_J_Click();
    void Command_L_Click();

private:
    void bauen();
    void verbinden();
    void byteSenden(int n);

    AppContext& m_ctx;
    RegisterPanel& m_panel;

    QPushButton* Command_A;
    QPushButton* Command_B;
    std::array<QPushButton*, 4> Command_BYTE{}; // Command_D, _F, _H, _J
    QPushButton* Command_L;
    QCheckBox* Check_A;
    QCheckBox* Check_C;
    std::array<QCheckBox*, 4> Check_BYTE{}; // Check_E, _G, _I, _K
    QCheckBox* Check_L;
    std::array<QLineEdit*, 4> Text_BYTE{}; // Text_E, _G, _I, _K
    QLineEdit* Text_STATUS_A;
    QLineEdit* Text_STATUS_C;
    std::array<QLineEdit*, 4> Text_STATUS_BYTE{}; // Text_STATUS_E, _G, _I, _K
    QLineEdit* Text_STATUS_L;
    QCheckBox* Check_TWI_OFF;
};

} // namespace zelmar
