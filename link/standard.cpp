#include "standard.h"

#include <algorithm>

namespace zelmar {

namespace {

constexpr qint16 STATUS_KEIN_ACK = 110;

void frame(Link& link, quint8 befehl, int senden, int empfangen) {
    link.BEFEHL = befehl;
    link.RESERVE = 0;
    link.ANZAHL_SENDEN = senden;
    link.ANZAHL_EMPFANGEN = empfangen;
    link.RAHMEN_SENDEN();
}

// The follow-up frame of a transfer goes to the slave the transfer began with, even when the
// user chose another slave while its reply was awaited; that choice stands afterwards.
void followUp(Link& link, quint8 befehl, int empfangen) {
    const quint8 chosen = link.SLAVE_ADRESSE;
    if (link.SENDE_RAHMEN.size() > 2)
        link.SLAVE_ADRESSE = static_cast<quint8>(link.SENDE_RAHMEN.at(2));
    frame(link, befehl, 0, empfangen);
    link.SLAVE_ADRESSE = chosen;
}

// Reads that belong together stop at the first failure: once the line has failed, every
// further read would only wait out another time-out.
bool read(Link& link, int count) {
    link.DATEN_EMPFANGEN(count);
    return link.STATUS_CODE == 0;
}

void clearReply(Link& link) {
    // A read refused because another one waits leaves that read's bytes alone.
    if (link.STATUS_CODE == STATUS_NICHT_GESENDET)
        return;
    std::fill_n(link.EMPFANGSPUFFER.begin() + 1, 4, quint8(0));
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

double measured(Link& link, int adresse, quint8 code, bool sixteenBit) {
    link.SLAVE_ADRESSE = quint8(adresse);
    STANDARD_BEFEHL(link, code);
    return sixteenBit ? ANTWORT_WERT_16BIT(link) : ANTWORT_WERT_24BIT(link);
}

} // namespace

void STANDARD_BEFEHL_SENDEN(Link& link) {
    frame(link, 60, 4, 0);
}

void STANDARD_ANTWORT_LESEN(Link& link) {
    if (!read(link, 2))
        return clearReply(link);
    if (link.EMPFANGSPUFFER[1] != 0 || link.EMPFANGSPUFFER[2] != 0) {
        clearReply(link);
        TWI_STOP(link);
        link.STATUS_CODE = STATUS_KEIN_ACK;
        return;
    }
    followUp(link, 80, 4);
    // Leading status, the four reply bytes, trailing status; the two status bytes are not
    // evaluated.
    if (!read(link, 1) || !read(link, 4) || !read(link, 1))
        clearReply(link);
}

void STANDARD_BEFEHL(Link& link, quint8 code, quint8 p2, quint8 p3, quint8 p4) {
    link.SENDEPUFFER[1] = code;
    link.SENDEPUFFER[2] = p2;
    link.SENDEPUFFER[3] = p3;
    link.SENDEPUFFER[4] = p4;
    STANDARD_BEFEHL_SENDEN(link);
    STANDARD_ANTWORT_LESEN(link);
}

void STANDARD_BEFEHL_205(Link& link, const QDate& d) {
    STANDARD_BEFEHL(link, 205, quint8(d.day()), quint8(d.month()), quint8(d.year() % 100));
}

void STANDARD_BEFEHL_210(Link& link, const QTime& t) {
    STANDARD_BEFEHL(link, 210, quint8(t.hour()), quint8(t.minute()), quint8(t.second()));
}

void STANDARD_BEFEHL_219(Link& link, const QDate& d) {
    STANDARD_BEFEHL(link, 219, quint8(d.day()), quint8(d.month()), quint8(d.year() % 100));
}

double ANTWORT_WERT_16BIT(const Link& link) {
    const auto& b = link.EMPFANGSPUFFER;
    double v = b[2] + 256.0 * b[3];
    if (b[3] > 127)
        v -= 65536;
    return v;
}

double ANTWORT_WERT_24BIT(const Link& link) {
    const auto& b = link.EMPFANGSPUFFER;
    double v = b[2] + 256.0 * b[3] + 65536.0 * b[4];
    if (b[4] > 127)
        v -= 16777216;
    return v;
}

QString SLAVE_INFO_LESEN(Link& link) {
    const QString unknown(16, QLatin1Char('?'));
    link.SENDEPUFFER[1] = 100;
    link.SENDEPUFFER[2] = link.SENDEPUFFER[3] = link.SENDEPUFFER[4] = 0;
    STANDARD_BEFEHL_SENDEN(link);
    if (!read(link, 2))
        return unknown;
    if (link.EMPFANGSPUFFER[1] != 0 || link.EMPFANGSPUFFER[2] != 0) {
        TWI_STOP(link);
        link.STATUS_CODE = STATUS_KEIN_ACK;
        return unknown;
    }
    followUp(link, 80, 17);
    // Leading status and the reply's first byte, the 16 name characters, trailing status.
    if (!read(link, 2) || !read(link, 16))
        return unknown;
    const QString name =
        QString::fromLatin1(reinterpret_cast<const char*>(link.EMPFANGSPUFFER.data() + 1), 16);
    return read(link, 1) ? name : unknown;
}

QString SLAVE_ZEIT_LESEN(Link& link, int adresse) {
    link.SLAVE_ADRESSE = quint8(adresse);
    STANDARD_BEFEHL_110(link);
    const auto& b = link.EMPFANGSPUFFER;
    return twoDigits(b[2]) + QLatin1Char(':') + twoDigits(b[3]) + QLatin1Char(':') +
           twoDigits(b[4]);
}

QString SLAVE_DATUM_LESEN(Link& link, int adresse) {
    link.SLAVE_ADRESSE = quint8(adresse);
    STANDARD_BEFEHL_105(link);
    const auto& b = link.EMPFANGSPUFFER;
    return twoDigits(b[2]) + QLatin1Char('.') + twoDigits(b[3]) + QLatin1Char('.') +
           twoDigits(b[4]);
}

void SLAVE_ZEIT_SETZEN(Link& link, const QTime& now) {
    STANDARD_BEFEHL_210(link, now);
}
void SLAVE_DATUM_SETZEN(Link& link, const QDate& today) {
    STANDARD_BEFEHL_205(link, today);
}

double MESSWERT_LESEN_120_16BIT(Link& l, int a) {
    return measured(l, a, 120, true);
}
double MESSWERT_LESEN_120(Link& l, int a) {
    return measured(l, a, 120, false);
}
double MESSWERT_LESEN_121(Link& l, int a) {
    return measured(l, a, 121, false);
}
double MESSWERT_LESEN_150(Link& l, int a) {
    return measured(l, a, 150, false);
}
double MESSWERT_LESEN_151(Link& l, int a) {
    return measured(l, a, 151, false);
}

int SLAVE_SUCHEN(Link& link, int adresse) {
    link.SLAVE_ADRESSE = quint8(adresse);
    frame(link, 60, 0, 0);
    // A failed line is no acknowledgement: the cleared buffer would read as two zero bytes.
    const bool found = read(link, 2) && link.EMPFANGSPUFFER[1] == 0 && link.EMPFANGSPUFFER[2] == 0;
    const int result = found ? -1 : 0;
    if (adresse >= 0 && adresse < 128)
        link.SLAVE_GEFUNDEN[adresse] = qint16(result);
    return result;
}

bool SLAVE_ANSPRECHEN_MIT_STOP(Link& link, int adresse) {
    link.SLAVE_ADRESSE = quint8(adresse);
    frame(link, 50, 0, 0);
    return read(link, 1) && read(link, 1) && link.EMPFANGSBYTE == 0;
}

void TWI_STOP(Link& link) {
    frame(link, 100, 0, 0);
    if (read(link, 1))
        read(link, 1);
}

} // namespace zelmar
