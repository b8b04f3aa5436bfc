#pragma once

#include <QStringList>
#include <QtGlobal>

#include <optional>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace zelmar {

class Link;
class RegisterPanel;

// One step of the master-transmitter or master-receiver sequence, from its yellow status field
// on: the byte into TWDR, the control pattern into TWCR, the wait, the TWSR read and the
// verdict. Both sequences share it; what comes before (enable box, latch) is the frame's.
struct Schritt {
    enum class Danach { TwintAbwarten, TwcrLesen, Nichts };
    QLineEdit* status = nullptr;
    QStringList erwartet;  // the cleaned status codes of success ("8", "10")
    qint16 fehlerCode = 0; // latched on a mismatch; 0: the step latches nothing
    // Sent through TWDR before TWCR, as the TWDR boxes take it: from 255 up 0xFF, below 0 0x00.
    std::optional<int> byte;
    quint8 twcr = 0;
    Danach danach = Danach::TwintAbwarten;
    // The transmitter's address step shows a failed wait at once, before the TWSR read.
    bool rotNachWarten = false;
};

enum class Ergebnis {
    Abbruch, // a frame never went out, or the window is going: the rest of the step is left
    Gut,
    Falsch,
};

// Runs the step through the register panel and judges it: green when TWSR holds an expected
// code, else red with the step's error code in STATUS_CODE, the sequence's latch.
Ergebnis ausfuehren(RegisterPanel& panel, Link& link, const Schritt& s);

// The controls of a step row both frames share: the enable box (checked, no caption) and the
// status field (grey, empty, centred).
QCheckBox* freigabeBox(const QString& name, QWidget* parent);
QLineEdit* statusFeld(const QString& name, QWidget* parent);

// The status field empty and with its plain tool tip.
void statusLeeren(QLineEdit* status);
// The status field red with a reason on the tool tip's second line, nothing in it.
void statusFehler(QLineEdit* status, const QString& grund);

// "TWI off" after a STOP: TWCR 0 switches the TWI unit off; the box turns green, or red when
// the interface did not confirm the write.
bool twiAusschalten(RegisterPanel& panel, QCheckBox* box);

} // namespace zelmar
