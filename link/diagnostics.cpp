#include "diagnostics.h"

#include <cmath>

namespace zelmar {

QString mcucsrText(int value) {
    switch (value) {
    case 0:
        return QStringLiteral("SOFTW");
    case 2:
        return QStringLiteral("ext");
    case 6:
        return QStringLiteral("POWER");
    case 8:
        return QStringLiteral("WDR");
    default:
        return QString::number(value);
    }
}

QString twiPinsText(int value) {
    switch (value) {
    case 1:
        return QStringLiteral("SDA");
    case 2:
        return QStringLiteral("SCL");
    case 3:
        return QStringLiteral("SDA+SCL");
    default:
        return QString::number(value);
    }
}

namespace {

InterfaceBefund deuten(const Link& l, quint8 b, const QLocale& locale) {
    const int byte = l.EMPFANGSBYTE;
    const QString ok = QStringLiteral("ok");
    switch (b) {
    case befehl::MCUCSR:
        return {true, mcucsrText(byte), double(byte)};
    case befehl::SPANNUNG: {
        QLocale loc = locale;
        loc.setNumberOptions(loc.numberOptions() | QLocale::OmitGroupSeparator);
        return {true, loc.toString(byte / 10.0, 'f', 1) + QStringLiteral(" V"), double(byte)};
    }
    case befehl::NAME: {
        QString text;
        for (int i = 1; i <= 16; ++i)
            text += QChar(l.EMPFANGSPUFFER[i]); // one character per byte, zeros too
        return {true, text, 0};
    }
    case befehl::TAKT: {
        QLocale loc = locale;
        loc.setNumberOptions(loc.numberOptions() & ~QLocale::OmitGroupSeparator);
        const auto khz = static_cast<qlonglong>(std::llround(l.EMPFANGSWERT_32 / 1000));
        return {true, loc.toString(khz) + QStringLiteral(" MHz"), l.EMPFANGSWERT_32};
    }
    case befehl::FEHLERCODE:
        return {byte == 0, byte == 0 ? ok : QString::number(byte), double(byte)};
    case befehl::TWI_PINS:
        return {byte == 0, byte == 0 ? ok : twiPinsText(byte), double(byte)};
    default:
        return {true, ok, double(byte)};
    }
}

} // namespace

std::optional<InterfaceBefund> INTERFACE_ABFRAGEN(Link& link, quint8 b, const QLocale& locale) {
    // Both counts 0: a frame that carried what a previous manual send left in them could take
    // longer to transmit than the reply time-out and fail on a healthy line.
    link.RAHMEN_SENDEN({b, link.SLAVE_ADRESSE});
    if (b == befehl::SPANNUNG)
        link.EMPFANGSPUFFER_LOESCHEN();
    link.DATEN_EMPFANGEN(antwortBytes(b, 0));
    if (link.STATUS_CODE != STATUS_OK)
        return std::nullopt;
    return deuten(link, b, locale);
}

} // namespace zelmar
