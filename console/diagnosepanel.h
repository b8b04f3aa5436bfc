#pragma once

#include "consolepanel.h"

#include "link/diagnostics.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace zelmar {

// One-click diagnostics of the RS232-TWI interface itself; each button shows its outcome in
// the box beside it. The bus-error button lives in the frame "TWI-FEHLER-ERZEUGEN".
class DiagnosePanel : public ConsolePanel {
    Q_OBJECT
public:
    DiagnosePanel(AppContext& ctx, QGroupBox* fehlerFrame, QWidget* parent = nullptr);

public slots:
    void Command_DUMMY_Click();
    void Command_MCUCSR_Click();
    void Command_MCUCSR_CLEAR_Click();
    void Command_VOLT_Click();
    void Command25_Click();
    void Command_OFF_Click();
    void Command_RESET_Click();
    void Command_TAKT_AUSLESEN_Click();
    void Command_FEHLERCODE_INTERFACE_Click();
    void Command_TWI_PINS_AUSLESEN_Click();
    void Command1_Click();
    void Command_TWI_FEHLER_ERZEUGEN_Click();

private:
    struct Abfrage;
    enum Eintrag {
        Dummy,
        Mcucsr,
        McucsrClear,
        Spannung,
        Name,
        Aus,
        Reset,
        Takt,
        Fehler,
        Pins,
        BusReset
    };
    static const Abfrage kTabelle[];

    void abfragen(const Abfrage& abfrage);
    void ausstehend(QLineEdit* box);
    void ergebnis(QLineEdit* box, bool success, const QString& text);

    QPushButton* Command_DUMMY;
    QLineEdit* Text_DUMMY;
    QPushButton* Command_MCUCSR;
    QPushButton* Command_MCUCSR_CLEAR;
    QLineEdit* Text_MCUCSR;
    QPushButton* Command_VOLT;
    QLineEdit* Text_SPANNUNG;
    QPushButton* Command25;
    QLineEdit* Text_INFO;
    QPushButton* Command_OFF;
    QLineEdit* Text_OFF;
    QPushButton* Command_RESET;
    QLineEdit* Text_RESET;
    QPushButton* Command_TAKT_AUSLESEN;
    QLineEdit* Text_TAKT_MASTER;
    QPushButton* Command_FEHLERCODE_INTERFACE;
    QLineEdit* Text_FEHLERCODE_INTERFACE;
    QPushButton* Command_TWI_PINS_AUSLESEN;
    QLineEdit* Text_TWI_PINS_AUSLESEN;
    QPushButton* Command1;
    QLineEdit* Text_BUS_RESET;
    QPushButton* Command_TWI_FEHLER_ERZEUGEN;
    QLineEdit* Text_TWI_FEHLER_ERZEUGEN;
};

} // namespace zelmar
