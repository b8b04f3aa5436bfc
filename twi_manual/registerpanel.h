#pragma once

#include "link/twiregisters.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace zelmar {

class AppContext;

// Frame3: the five TWI registers of the interface, one row each with its bit boxes, the value
// in decimal and hex, a read and a write button. The step sequences are made of exactly these
// operations, so every register access of a step shows here. The panel also owns the wait for
// TWINT and keeps the window to one operation at a time. From its building to the window's
// closing it holds the link for the window (Link::reservieren): jobs of other windows wait.
class RegisterPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit RegisterPanel(AppContext& ctx, QWidget* parent = nullptr);
    ~RegisterPanel() override;

    // The last TWCR read had bit 7 set.
    bool TWINT_FLAG = false;
    // The status code of the last TWSR read ("8", "F8"; "0" without reply; "" during a read).
    QString TWSR_BEREINIGT_HEX;
    // What the code of the last TWSR read means.
    QString twsrErklaerung() const { return twiStatusErklaerung(m_twsrStatus); }

    // The operations the steps are made of. Each returns false when the step must stop there:
    // its frame never went out (the engine has said so once), or the window is going.
    bool lesen(TwiRegister r);
    bool schreiben(TwiRegister r);
    // The row's bit boxes from a value, weight 128 first: a box is checked when what is left
    // reaches its weight, so values from 255 up check all eight and negative ones none.
    void setzen(TwiRegister r, int wert);
    // The sum of the weights of the row's checked boxes.
    quint8 wert(TwiRegister r) const;
    // Polls TWCR until TWINT is set; once the 1000 ms watchdog has run out the wait ends with
    // STATUS_CODE 1100. Event-driven: each poll waits for its reply, and a short pause
    // separates the polls.
    bool TWINT_ABWARTEN();
    bool weiter() const;
    // The panel's last register transaction.
    const Reply& letzteAntwort() const { return m_letzteAntwort; }

    // The window is going (closed, or END): every operation stops after its transaction, and
    // the link is free for the others.
    void beenden();
    // An operation of the window is under way.
    bool beschaeftigt() const { return m_vorgaenge > 0; }

    // A click's operation. Only one runs at a time: a click that comes while another one
    // waits (in the engine, or between two polls of TWINT) gets the engine's busy message and
    // does nothing, instead of cutting into the step under way.
    class Vorgang {
    public:
        explicit Vorgang(RegisterPanel& panel);
        ~Vorgang();
        Vorgang(const Vorgang&) = delete;
        Vorgang& operator=(const Vorgang&) = delete;
        bool frei() const { return m_frei; }

    private:
        RegisterPanel& m_panel;
        bool m_frei;
    };

    QTimer* Timer_TWINT_FLAG_abfragen_WATCH_DOG;

public slots:
    void Command_TWI_TWBR_abfragen_Click();
    void Command_TWI_TWSR_abfragen_Click();
    void Command_TWI_TWAR_abfragen_Click();
    void Command_TWI_TWCR_abfragen_Click();
    void Command_TWI_TWDR_abfragen_Click();
    void Command_TWI_TWBR_Click();
    void Command_TWI_TWSR_Click();
    void Command_TWI_TWAR_Click();
    void Command_TWI_TWCR_Click();
    void Command_TWI_TWDR_Click();
    void Timer_TWINT_FLAG_abfragen_WATCH_DOG_Timer();

private:
    struct Zeile {
        QPushButton* abfragen = nullptr;
        QPushButton* senden = nullptr;
        std::array<QCheckBox*, 8> bit{}; // by bit number
        QLineEdit* dezimal = nullptr;
        QLineEdit* hex = nullptr;
    };

    void bauen();
    void verbinden();
    Zeile& zeile(TwiRegister r) { return m_zeilen[size_t(r)]; }
    const Zeile& zeile(TwiRegister r) const { return m_zeilen[size_t(r)]; }
    // The row's boxes in their resting colours; TWCR marks its set bits red.
    void ruhefarben(TwiRegister r, bool gesetzteRot);
    void klickLesen(TwiRegister r);
    void klickSchreiben(TwiRegister r);
    void abfragePause();

    AppContext& m_ctx;
    std::array<Zeile, 5> m_zeilen;
    QLineEdit* Text_TWSR_HEX_BEREINIGT;
    QLineEdit* Text_TWAR_SLAVE;
    int m_twsrStatus = 0;
    Reply m_letzteAntwort;
    int m_vorgaenge = 0;
    bool m_beendet = false;
};

} // namespace zelmar
