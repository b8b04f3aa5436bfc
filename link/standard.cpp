#include "standard.h"

#include <algorithm>

namespace zelmar {

namespace {

Request frame(quint8 befehl, int adresse, int empfangen = 0, QByteArray daten = {}) {
    Request r;
    r.befehl = befehl;
    r.adresse = quint8(adresse);
    r.anzahlSenden = double(daten.size());
    r.anzahlEmpfangen = empfangen;
    r.daten = std::move(daten);
    return r;
}

// Reads that belong together stop at the first failure: once the line has failed, every
// further read would only wait out another time-out.
bool read(Link& link, int count) {
    link.DATEN_EMPFANGEN(count);
    return link.STATUS_CODE == STATUS_OK;
}

void clearReply(Link& link) {
    // A read refused because another one waits leaves that read's bytes alone.
    if (link.STATUS_CODE == STATUS_NICHT_GESENDET)
        return;
    std::fill_n(link.EMPFANGSPUFFER.begin() + 1, 4, quint8(0));
}

bool acknowledged(const Link& link) {
    return link.EMPFANGSPUFFER[1] == 0 && link.EMPFANGSPUFFER[2] == 0;
}

// The slave answered "no": the bus is released and the operation ends with code 110.
void notAcknowledged(Link& link, int adresse) {
    TWI_STOP(link, adresse);
    link.STATUS_CODE = STATUS_KEIN_ACK;
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString threeNumbers(const Link& link, QChar separator) {
    const auto& b = link.EMPFANGSPUFFER;
    return twoDigits(b[2]) + separator + twoDigits(b[3]) + separator + twoDigits(b[4]);
}

double measured(Link& link, int adresse, quint8 code, bool sixteenBit) {
    link.SLAVE_ADRESSE = quint8(adresse);
    STANDARD_BEFEHL(link, adresse, code);
    return sixteenBit ? ANTWORT_WERT_16BIT(link) : ANTWORT_WERT_24BIT(link);
}

} // namespace

void STANDARD_BEFEHL_SENDEN(Link& link, int adresse, const std::array<quint8, 4>& a) {
    link.RAHMEN_SENDEN(frame(befehl::MT_DATEN, adresse, 0,
                             QByteArray(reinterpret_cast<const char*>(a.data()), 4)));
}

void STANDARD_ANTWORT_LESEN(Link& link, int adresse) {
    if (!read(link, 2))
        return clearReply(link);
    if (!acknowledged(link)) {
        clearReply(link);
        return notAcknowledged(link, adresse);
    }
    link.RAHMEN_SENDEN(frame(befehl::MR_DATEN_STOP, adresse, 4));
    // Leading status, the four reply bytes, trailing status; the two status bytes are not
    // evaluated.
    if (!read(link, 1) || !read(link, 4) || !read(link, 1))
        clearReply(link);
}

void STANDARD_BEFEHL(Link& link, int adresse, quint8 code, quint8 p2, quint8 p3, quint8 p4) {
    STANDARD_BEFEHL_SENDEN(link, adresse, {code, p2, p3, p4});
    STANDARD_ANTWORT_LESEN(link, adresse);
}

void STANDARD_BEFEHL_205(Link& link, int adresse, const QDate& d) {
    STANDARD_BEFEHL(link, adresse, anfrage::DATUM_SENDEN, quint8(d.day()), quint8(d.month()),
                    quint8(d.year() % 100));
}

void STANDARD_BEFEHL_210(Link& link, int adresse, const QTime& t) {
    STANDARD_BEFEHL(link, adresse, anfrage::ZEIT_SENDEN, quint8(t.hour()), quint8(t.minute()),
                    quint8(t.second()));
}

void STANDARD_BEFEHL_219(Link& link, int adresse, const QDate& d) {
    STANDARD_BEFEHL(link, adresse, anfrage::SCHALTER_SETZEN, quint8(d.day()), quint8(d.month()),
                    quint8(d.year() % 100));
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

QString SLAVE_INFO_LESEN(Link& link, int adresse) {
    const QString unknown(16, QLatin1Char('?'));
    STANDARD_BEFEHL_SENDEN(link, adresse, {anfrage::SLAVE_INFO, 0, 0, 0});
    if (!read(link, 2))
        return unknown;
    if (!acknowledged(link)) {
        notAcknowledged(link, adresse);
        return unknown;
    }
    link.RAHMEN_SENDEN(frame(befehl::MR_DATEN_STOP, adresse, 17));
    // Leading status and the reply's first byte, the 16 name characters, trailing status.
    if (!read(link, 2) || !read(link, 16))
        return unknown;
    const QString name =
        QString::fromLatin1(reinterpret_cast<const char*>(link.EMPFANGSPUFFER.data() + 1), 16);
    return read(link, 1) ? name : unknown;
}

QString SLAVE_ZEIT_LESEN(Link& link, int adresse) {
    link.SLAVE_ADRESSE = quint8(adresse);
    STANDARD_BEFEHL_110(link, adresse);
    return threeNumbers(link, QLatin1Char(':'));
}

QString SLAVE_DATUM_LESEN(Link& link, int adresse) {
    link.SLAVE_ADRESSE = quint8(adresse);
    STANDARD_BEFEHL_105(link, adresse);
    return threeNumbers(link, QLatin1Char('.'));
}

void SLAVE_ZEIT_SETZEN(Link& link, int adresse, const QTime& now) {
    STANDARD_BEFEHL_210(link, adresse, now);
}
void SLAVE_DATUM_SETZEN(Link& link, int adresse, const QDate& today) {
    STANDARD_BEFEHL_205(link, adresse, today);
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
    link.RAHMEN_SENDEN(frame(befehl::MT_DATEN, adresse));
    // A failed line is no acknowledgement: the cleared buffer would read as two zero bytes.
    const bool found = read(link, 2) && acknowledged(link);
    const int result = found ? -1 : 0;
    if (adresse >= 0 && adresse < 128)
        link.SLAVE_GEFUNDEN[adresse] = qint16(result);
    return result;
}

bool SLAVE_ANSPRECHEN_MIT_STOP(Link& link, int adresse) {
    link.SLAVE_ADRESSE = quint8(adresse);
    link.RAHMEN_SENDEN(frame(befehl::MT_DATEN_STOP, adresse));
    return read(link, 1) && read(link, 1) && link.EMPFANGSBYTE == 0;
}

void TWI_STOP(Link& link, int adresse) {
    link.RAHMEN_SENDEN(frame(befehl::STOP, adresse));
    if (read(link, 1))
        read(link, 1);
}

} // namespace zelmar
