#pragma once

#include "autolauf.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTimer;

namespace zelmar {

class AppContext;
class ReceiverFrame;
class RegisterPanel;
class TransmitterFrame;

// HAND_BETRIEB: the TWI hardware of the interface by hand. The register panel across the top,
// the slave address, RESET and OFF of the interface on the left, the master-transmitter and
// master-receiver sequences with their auto runs beside. Opened modally over the console.
class HandBetriebWindow : public QWidget {
    Q_OBJECT
public:
    explicit HandBetriebWindow(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Timer_START_Timer();
    void Timer_ANZEIGE_Timer();
    void Combo_SENDE_ADRESSE_SLAVE_Click(int index);
    void Command_SLAVE_ADRESSE_Click();
    void Command_RESET_Click();
    void Command_ERROR_Click();
    void Command_RUN_Click();
    void Command_MR_RUN_Click();
    void Command1_Click();
    void Command_CLOSE_Click();
    void Command_EXIT_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void bauen();
    void verbinden();
    AutoLauf::Folge folge(std::vector<std::function<void()>> schritte, QCheckBox* repeat);
    void autoLaufStarten(std::vector<AutoLauf::Folge> folgen, std::function<bool()> again);
    void laufKnoepfe(bool frei);

    AppContext& m_ctx;
    QPointer<AutoLauf> m_lauf;

    RegisterPanel* Frame3;
    TransmitterFrame* Frame_MT;
    ReceiverFrame* Frame_MR;
    QGroupBox* Frame14;
    QComboBox* Combo_SENDE_ADRESSE_SLAVE;
    QPushButton* Command_SLAVE_ADRESSE;
    QGroupBox* Frame4;
    QPushButton* Command_RESET;
    QPushButton* Command_ERROR;
    QGroupBox* Frame13;
    QPushButton* Command_CLOSE;
    QPushButton* Command_EXIT;
    QGroupBox* Frame5;
    QPushButton* Command_RUN;
    QCheckBox* Check_repeat;
    QGroupBox* Frame9;
    QPushButton* Command_MR_RUN;
    QCheckBox* Check_MR_repeat;
    QGroupBox* Frame10;
    QCheckBox* Check_REPEAD_ALLE;
    QPushButton* Command1;
    QTimer* Timer_START;
    QTimer* Timer_ANZEIGE;
};

} // namespace zelmar
