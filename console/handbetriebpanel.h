#pragma once

#include "consolepanel.h"

#include "link/reply.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace zelmar {

// Frames "HAND-BETRIEB-SENDEN" and "HAND-BETRIEB-EMPFANGEN": one request frame composed by
// hand, STOP and the two pings to the current slave, and a four-byte read from it. The panel
// fills the sending frame; the receiving frame is handed in and filled as well.
class HandbetriebPanel : public ConsolePanel {
    Q_OBJECT
public:
    HandbetriebPanel(AppContext& ctx, QGroupBox* empfangenFrame, QWidget* parent = nullptr);

    void tick(TickSchritt step) override;

public slots:
    void Command_SENDEN_HANDBETRIEB_Click();
    void Command_STOP_Click();
    void Command_PING_STOP_Click();
    void Command7_Click();
    void Command_4_ZEICHEN_EMPFANGEN_Click();

private:
    bool anzahlLesen(QLineEdit* box, double* anzahl);
    bool feldLesen(QLineEdit* box, int max, int* wert);
    void antwort(bool gut, const QString& text);
    void zweiStatusBytes(const Reply& r);

    QLineEdit* Text_HANDBETRIEB_BEFEHL_MASTER;
    QLineEdit* Text_HANDBETRIEB_ADRESSE_SLAVE;
    QLineEdit* Text_HANDBETRIEB_RESERVE;
    QLineEdit* Text_SENDE_ANZAHL_SENDE_BYTES;
    QLineEdit* Text_SENDE_ANZAHL_EMPFANGS_BYTES;
    std::array<QLineEdit*, 4> Text_BYTE{};
    QPushButton* Command_SENDEN_HANDBETRIEB;
    QCheckBox* Check_EMPFANGSDATENPUFFER_LEEREN;
    QLineEdit* Text_ANTWORT2;
    QPushButton* Command_STOP;
    QPushButton* Command_PING_STOP;
    QPushButton* Command7;

    std::array<QLineEdit*, 4> Text_EMPFANGSZEICHEN_{};
    QPushButton* Command_4_ZEICHEN_EMPFANGEN;
};

} // namespace zelmar
