#include "sramzeilen.h"

#include "ui/format.h"

#include <algorithm>
#include <array>

namespace zelmar::sram {

namespace {

// The I/O registers at data addresses 32..95, as the slave's data sheet names them (cut to 17
// characters, the width of a label).
const std::array<const char16_t*, 64> kIoRegister = {
    u"0x00 (0x20) TWBR",  u"0x01 (0x21) TWSR",  u"0x02 (0x22) TWAR",       u"0x03 (0x23) TWDR",
    u"0x04 (0x24) ADCL",  u"0x05 (0x25) ADCH",  u"0x06 (0x26) ADCSR",      u"0x07 (0x27) ADMUX",
    u"0x08 (0x28) ACSR",  u"0x09 (0x29) UBRRL", u"0x0A (0x2A) UCSRB",      u"0x0B (0x2B) UCSRA",
    u"0x0C (0x2C) UDR U", u"0x0D (0x2D) SPCR",  u"0x0E (0x2E) SPSR",       u"0x0F (0x2F) SPDR",
    u"0x10 (0x30) PIND",  u"0x11 (0x31) DDRD",  u"0x12 (0x32) PORTD",      u"0x13 (0x33) PINC",
    u"0x14 (0x34) DDRC",  u"0x15 (0x35) PORTC", u"0x16 (0x36) PINB",       u"0x17 (0x37) DDRB",
    u"0x18 (0x38) PORTB", u"0x19 (0x39) Reser", u"0x1A (0x3A) Reser",      u"0x1B (0x3B) Reser",
    u"0x1C (0x3C) EECR",  u"0x1D (0x3D) EEDR",  u"0x1E (0x3E) EEARL",      u"0x1F (0x3F) EEARH",
    u"0x20(1) (0x40)(1)", u"0x21 (0x41) WDTCR", u"0x22 (0x42) ASSR",       u"0x23 (0x43) OCR2",
    u"0x24 (0x44) TCNT2", u"0x25 (0x45) TCCR2", u"0x26 (0x46) ICR1L",      u"0x27 (0x47) ICR1H",
    u"0x28 (0x48) OCR1B", u"0x29 (0x49) OCR1B", u"0x2A (0x4A) OCR1A",      u"0x2B (0x4B) OCR1A",
    u"0x2C (0x4C) TCNT1", u"0x2D (0x4D) TCNT1", u"0x2E (0x4E) TCCR1",      u"0x2F (0x4F) TCCR1",
    u"0x30 (0x50) SFIOR", u"0x31 (0x51) OSCCA", u"0x32 (0x52) TCNT0",      u"0x33 (0x53) TCCR0",
    u"0x34 (0x54) MCUCS", u"0x35 (0x55) MCUCR", u"0x36 (0x56) TWCR",       u"0x37 (0x57) SPMCR",
    u"0x38 (0x58) TIFR",  u"0x39 (0x59) TIMSK", u"0x3A (0x5A) GIFR",       u"0x3B (0x5B) GICR",
    u"0x3C (0x5C) Reser", u"0x3D (0x5D) SPL S", u"0x3E (0x5E) SPH \u2013", u"0x3F (0x5F) SREG",
};

} // namespace

QString zeilenText(qint64 start, int i) {
    QString name;
    if (start == 0 && i < 32)
        name = QStringLiteral("R") + QString::number(i);
    else if (start == 0 && i < 96)
        name = QString::fromUtf16(kIoRegister[size_t(i - 32)]);
    return name + QLatin1Char(' ') + QString::number(start + i);
}

QString wertText(quint8 byte, Darstellung darstellung) {
    switch (darstellung) {
    case Darstellung::Dez:
        return QString::number(byte);
    case Darstellung::Hex:
        return hexText(byte, 2);
    case Darstellung::Chr:
        break;
    }
    return ansiZeichen(byte);
}

qint64 fuehrendeZahl(const QString& text) {
    int p = 0;
    while (p < text.size() && text.at(p).isSpace())
        ++p;
    bool negativ = false;
    if (p < text.size() && (text.at(p) == QLatin1Char('+') || text.at(p) == QLatin1Char('-')))
        negativ = text.at(p++) == QLatin1Char('-');
    qint64 zahl = 0;
    // Beyond this every start is out of range anyway; the cap keeps the sum from overflowing.
    constexpr qint64 kDeckel = 1000000000000LL;
    for (; p < text.size() && text.at(p) >= QLatin1Char('0') && text.at(p) <= QLatin1Char('9'); ++p)
        zahl = std::min(kDeckel, zahl * 10 + (text.at(p).unicode() - '0'));
    return negativ ? -zahl : zahl;
}

} // namespace zelmar::sram
