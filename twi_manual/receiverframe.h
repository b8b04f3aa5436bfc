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

// Frame_MR: one master-receiver transfer by hand: START, the slave address with the read bit,
// up to four bytes from the slave (the first three acknowledged, the fourth not), STOP. Each
// byte shows in decimal, hex and as a character; after the fourth, bytes 2..4 make one 24-bit
// number. Step skeleton, colours and latch are the transmitter's.
class ReceiverFrame : public QGroupBox {
    Q_OBJECT
public:
    ReceiverFrame(AppContext& ctx, RegisterPanel& panel, QWidget* parent = nullptr);

    // The seven steps in order, for the auto runs.
    std::vector<std::function<void()>> schritte();

public slots:
    void Command_MR_A_Click();
    void Command_MR_B_Click();
    void Command_MR_D_Click();
    void Command_MR_F_Click();
    void Command_MR_H_Click();
    void Command_MR_J_Click();
    void Command_MR_L_Click();
    void Command16_Click();
    void Command12_Click();

private:
    void bauen();
    void verbinden();
    void byteHolen(int n);
    void summe();

    AppContext& m_ctx;
    RegisterPanel& m_panel;

    QPushButton* Command_MR_A;
    QPushButton* Command_MR_B;
    std::array<QPushButton*, 4> Command_MR_BYTE{}; // Command_MR_D, _F, _H, _J
    QPushButton* Command_MR_L;
    QCheckBox* Check_MR_A;
    QCheckBox* Check_MR_C;
    std::array<QCheckBox*, 4> Check_MR_BYTE{}; // Check_MR_D, _F, _H, _J
    QCheckBox* Check_MR_L;
    // Text_MR_E, _G, _I, _K and their _HEX and _ASC fields.
    std::array<QLineEdit*, 4> Text_MR_DEZ{};
    std::array<QLineEdit*, 4> Text_MR_HEX{};
    std::array<QLineEdit*, 4> Text_MR_ASC{};
    QLineEdit* Text_MR_STATUS_A;
    QLineEdit* Text_MR_STATUS_C;
    std::array<QLineEdit*, 4> Text_MR_STATUS_BYTE{}; // Text_MR_STATUS_D, _F, _H, _J
    QLineEdit* Text_MR_STATUS_L;
    QLineEdit* Text_MR_SUMME;
    QPushButton* Command16;
    QPushButton* Command12;
    QCheckBox* Check_MR_TWI_OFF;
};

} // namespace zelmar
