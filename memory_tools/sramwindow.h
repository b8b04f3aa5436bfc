#pragma once

#include "sramzeilen.h"

#include "jobs/repetition.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace zelmar {

class AppContext;

// SRAM: 100 consecutive bytes of the data space of the ATmega8 slave at the current address,
// read once or again and again ("repead"), shown in decimal, as characters or in hex, and
// written back one byte at a time.
class SramWindow : public QWidget {
    Q_OBJECT
public:
    explicit SramWindow(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int ZEILEN = sram::ZEILEN;

    // The read under way (one pass, or the repeat loop), while it runs.
    Repetition* lauf() const { return m_lauf; }

public slots:
    void Command_lesen_Click();
    void Command_ANZEIGE_Click();
    void Command_schreiben_Click(int i);
    void Text_WERT_Click(int i);
    void Text_WERT_Change(int i);
    void Check_REPEAD_Click();
    void Command3_Click();
    void Command4_Click();
    void Timer1_Timer();
    void Command2_Click();
    void Command1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the value boxes hold.
    enum class Werte { Keine, Gelesen, Fehler };
    // Where the text of a value box came from: a display, or the user's typing.
    enum class Herkunft { Dez, Chr, Hex, Getippt };

    void bauen();
    void verbinden();
    QWidget* zeilenSpalte(int von, int bis);

    void SRAM_LESEN();
    void SRAM_ANZEIGEN();
    void SRAM_BYTE_SCHREIBEN(int i);
    // The two transactions of a pass; false ends the loop.
    bool zeigerSetzen();
    bool blockLesen();
    qint64 startAdresse() const;
    void blaettern(int schritt);
    sram::Darstellung darstellung() const;
    void repeatBeenden();

    AppContext& m_ctx;
    QPointer<Repetition> m_lauf;
    bool m_zu = false;

    std::array<QString, ZEILEN> ALTE_WERTE;
    // The bytes on display and the address of the first; the pass under way keeps its own.
    Werte m_werte = Werte::Keine;
    QByteArray m_bytes;
    qint64 m_werteAb = 0;
    std::array<Herkunft, ZEILEN> m_herkunft{};
    int m_passSlave = 0;
    qint64 m_passAb = 0;
    bool m_zeigerOk = false;

    std::array<QLineEdit*, ZEILEN> Text_BEMERKUNG{};
    std::array<QLineEdit*, ZEILEN> Text_WERT{};
    std::array<QPushButton*, ZEILEN> Command_schreiben{};
    QGroupBox* Frame1;
    QRadioButton* Option_HEX;
    QRadioButton* Option_CHR;
    QRadioButton* Option_DEZ;
    QGroupBox* Frame6;
    QLabel* Label22;
    QLineEdit* Text_SRAM_STARTADRESSE_DEZIMAL;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command_ANZEIGE;
    QPushButton* Command_lesen;
    QCheckBox* Check_REPEAD;
    QPushButton* Command2;
    QPushButton* Command1;
    QTimer* Timer1;
};

} // namespace zelmar
