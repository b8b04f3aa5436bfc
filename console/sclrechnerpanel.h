#pragma once

#include "consolepanel.h"

#include "link/reply.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelmar {

// The SCL frequency of the interface's TWI unit: clock / (16 + 2 · TWBR · prescaler).
double sclFrequenz(double takt, double bitrate, double prescaler);

// Frame "TWI- SCL-Frequenz": computes the bus clock from CPU clock, TWBR and prescaler, and
// moves TWBR and the prescaler between the window and the interface.
class SclRechnerPanel : public ConsolePanel {
    Q_OBJECT
public:
    explicit SclRechnerPanel(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_BERECHNEN_Click();
    void Command4_Click();
    void Command5_Click();
    void Command_UEBERTRAGEN_Click(); // "Command_ÜBERTRAGEN"
    void Command_HOLEN_Click();

private:
    Reply lesen(quint8 befehl, int anzahl);
    bool schreiben(quint8 befehl, quint8 wert);

    QLabel* Label25;
    QLineEdit* Text_TAKT;
    QLabel* Label26;
    QLineEdit* Text_BITRATE;
    QLabel* Label27;
    QLineEdit* Text_PRESCALER;
    QPushButton* Command_BERECHNEN;
    QLineEdit* Text_BERECHNUNG_ERGEBNIS;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command_UEBERTRAGEN;
    QPushButton* Command_HOLEN;
};

} // namespace zelmar
