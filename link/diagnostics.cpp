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

InterfaceBefund deuten(const Reply& r, quint8 b, const QLocale& locale) {
    const int byte = r.byte(0);
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
        for (int i = 0; i < 16; ++i)
            text += QChar(r.byte(i)); // one character per byte, zeros too
        return {true, text, 0};
    }
    case befehl::TAKT: {
        QLocale loc = locale;
        loc.setNumberOptions(loc.numberOptions() & ~QLocale::OmitGroupSeparator);
        const auto khz = static_cast<qlonglong>(std::llround(r.value32 / 1000));
        return {true, loc.toString(khz) + QStringLiteral(" MHz"), r.value32};
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

std::optional<InterfaceBefund> INTERFACE_ABFRAGEN(Link& link, quint8 b, const QLocale& locale,
                                                  Reply* antwort) {
    // Both counts 0: a frame that carried what a previous manual send left in them could take
    // longer to transmit than the reply time-out and fail on a healthy line.
    link.RAHMEN_SENDEN({b, link.SLAVE_ADRESSE});
    if (b == befehl::SPANNUNG)
        link.EMPFANGSPUFFER_LOESCHEN();
    Reply r = receive(link, antwortBytes(b, 0));
    std::optional<InterfaceBefund> befund;
    if (r.done())
        befund = deuten(r, b, locale);
    if (antwort)
        *antwort = std::move(r);
    return befund;
}

} // namespace zelmar
