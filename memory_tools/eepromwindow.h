#pragma once

#include "eepromzellen.h"

#include "jobs/repetition.h"

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

struct SpeicherAntwort;

class AppContext;
class EepromSonderfunktionen;

// EEPROM_EXTERN_65K: 150 bytes of a serial EEPROM behind the current slave address, shown in
// decimal, hex or as characters, marked by value filters or by change, paged through the
// 64 KiB, and written one cell at a time. The frame "65k-EEPROM" reads out or erases the whole
// EEPROM. A read runs as a job: once, or pass after pass while "repead" is ticked.
class EepromExternWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int ANZAHL = EepromZellen::ANZAHL;
    // The highest start that keeps the last cell at 65535.
    static constexpr int START_MAX = 65536 - ANZAHL;

    explicit EepromExternWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The read of the last click, while it runs.
    Repetition* lesen() const { return m_lesen; }

public slots:
    void EEPROM_LESEN();             // Command_lesen "DATEN REFRESH"
    void EEPROM_ANZEIGEN();          // Command_ANZEIGE "ANZEIGE aktualisieren"
    void Command_w_Click(int index); // writes the cell
    void Text2_Click(int index);
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command17_Click();
    void Command18_Click();
    // Command9 .. Command16: the slave presets 80 .. 87.
    void Command_SLAVE_Click(int adresse);
    void Command2_Click(); // OK
    void Command1_Click(); // END
    void Timer_ANZEIGE_Timer();
    void Timer_START_Timer();

private:
    void bauen();
    QGroupBox* bauenAdresse();
    QGroupBox* bauenDarstellung();
    QGroupBox* bauenStartadresse();
    void verbinden();

    // 2 with "> 256 Byte", 1 with "<=256 Byte", 0 with neither (both turn red, message).
    int adressBytes();
    void groessenLoeschen();
    // The typed start: empty counts as 0; anything but a whole number 0..65535 is refused
    // with a message.
    bool startAdresse(int* start);
    void blaettern(int delta, bool stellen = false);
    bool beschaeftigt() const;
    // One pass of the read: address phase, 150 bytes, display. False ends a repeat.
    bool lesenEinmal(int adressBytes);
    void nichtGefunden(const SpeicherAntwort& antwort);
    // Shows the bytes of a read from `start`.
    void anzeigenAb(int start);

    AppContext& m_ctx;
    QPointer<Repetition> m_lesen;

    // The bytes shown and the address of the first cell; no bytes before the first read and
    // after one that failed on the line.
    std::array<quint8, ANZAHL> m_werte{};
    bool m_gueltig = false;
    bool m_gelesen = false;
    int m_start = 0;

    quint8 ADRESSE_HIGH = 0;
    quint8 ADRESSE_LOW = 0;
    std::array<QString, ANZAHL + 1> ALTE_WERTE;

    EepromZellen* m_zellen;
    EepromSonderfunktionen* Frame_SONDERFUNKTIONEN;
    QRadioButton* Option_GROESSER_256_BYTE;
    QRadioButton* Option_KLEINER_256_BYTE;
    std::array<QPushButton*, 8> Command_SLAVE{}; // Command9 .. Command16
    QLineEdit* Text_ADRESSE_SLAVE;
    QRadioButton* Option_HEX;
    QRadioButton* Option_ASC;
    QRadioButton* Option_DEZ;
    QCheckBox* Check_ADRESSE_HEX;
    QCheckBox* Check_000;
    QCheckBox* Check_1_254;
    QCheckBox* Check_255;
    QLabel* Label22;
    QLineEdit* Text_EERPROM_STARTADRESSE_DEZIMAL;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command17;
    QPushButton* Command18;
    QCheckBox* Check_PROFI;
    QCheckBox* Check_REPEAD;
    QPushButton* Command_ANZEIGE;
    QPushButton* Command_lesen;
    QPushButton* Command2;
    QPushButton* Command1;
    QTimer* Timer_ANZEIGE;
    QTimer* Timer_START;
};

} // namespace zelmar
