#include "twiregisters.h"

#include <QCoreApplication>

namespace zelmar {

namespace {

struct Erklaerung {
    int status;
    const char* text;
};

// The codes the TWI unit reports as bus master.
const Erklaerung kErklaerungen[] = {
    {0x08, "START gesendet"},
    {0x10, "wiederholter START gesendet"},
    {0x18, "SLA+W gesendet, ACK empfangen"},
    {0x20, "SLA+W gesendet, kein ACK – kein Slave unter dieser Adresse?"},
    {0x28, "Datenbyte gesendet, ACK empfangen"},
    {0x30, "Datenbyte gesendet, kein ACK"},
    {0x38, "Arbitrierung verloren"},
    {0x40, "SLA+R gesendet, ACK empfangen"},
    {0x48, "SLA+R gesendet, kein ACK"},
    {0x50, "Datenbyte empfangen, ACK gesendet"},
    {0x58, "Datenbyte empfangen, kein ACK gesendet"},
    {0xF8, "keine Aktion / Bus frei"},
    {0x00, "Busfehler"},
};

} // namespace

// Both counts 0: the register commands carry no data bytes, whatever the last frame had.
quint8 TWI_REGISTER_LESEN(Link& link, int adresse, TwiRegister r, Reply* antwort) {
    link.RAHMEN_SENDEN({quint8(befehl::TWBR_LESEN + int(r)), quint8(adresse)});
    Reply a = receive(link, 1);
    const quint8 wert = a.done() ? a.byte(0) : 0;
    if (antwort)
        *antwort = std::move(a);
    return wert;
}

Reply TWI_REGISTER_SCHREIBEN(Link& link, int adresse, TwiRegister r, quint8 wert) {
    link.RAHMEN_SENDEN({quint8(befehl::TWBR_SETZEN + int(r)), quint8(adresse), wert});
    return receive(link, 1);
}

QString twsrBereinigtHex(quint8 twsr) {
    return QString::number(twsrStatus(twsr), 16).toUpper();
}

QString twiStatusErklaerung(int status) {
    if (status == TWI_KEINE_ANTWORT)
        return QCoreApplication::translate("zelmar::twi", "keine Antwort vom Interface");
    for (const Erklaerung& e : kErklaerungen)
        if (e.status == status)
            return QString::fromUtf8(e.text);
    return QCoreApplication::translate("zelmar::twi", "kein Status des TWI-Masters");
}

} // namespace zelmar
