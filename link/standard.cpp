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

void clearReply(Link& link, const Reply& r) {
    // A read refused because another one waits leaves that read's bytes alone.
    if (r.statusCode == STATUS_NICHT_GESENDET)
        return;
    std::fill_n(link.EMPFANGSPUFFER.begin() + 1, 4, quint8(0));
}

// A failed reply shows as zeros and hands out no bytes.
Reply failed(Link& link, Reply r) {
    clearReply(link, r);
    r.bytes.clear();
    return r;
}

bool acknowledged(const Reply& status) {
    return status.byte(0) == 0 && status.byte(1) == 0;
}

// The slave answered "no": the bus is released and the operation ends with code 110.
Reply notAcknowledged(Link& link, int adresse) {
    Reply r = TWI_STOP(link, adresse);
    link.STATUS_CODE = STATUS_KEIN_ACK;
    r.outcome = Reply::Outcome::NotAcknowledged;
    r.statusCode = STATUS_KEIN_ACK;
    r.bytes.clear();
    return r;
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString threeNumbers(const Reply& r, QChar separator) {
    return twoDigits(r.byte(1)) + separator + twoDigits(r.byte(2)) + separator +
           twoDigits(r.byte(3));
}

template <typename T> T handOut(Reply* antwort, Reply r, T wert) {
    if (antwort)
        *antwort = std::move(r);
    return wert;
}

double measured(Link& link, int adresse, quint8 code, bool sixteenBit, Reply* antwort) {
    link.SLAVE_ADRESSE = quint8(adresse);
    Reply r = STANDARD_BEFEHL(link, adresse, code);
    const double v = sixteenBit ? ANTWORT_WERT_16BIT(r) : ANTWORT_WERT_24BIT(r);
    return handOut(antwort, std::move(r), v);
}

} // namespace

void STANDARD_BEFEHL_SENDEN(Link& link, int adresse, const std::array<quint8, 4>& a) {
    link.RAHMEN_SENDEN(frame(befehl::MT_DATEN, adresse, 0,
                             QByteArray(reinterpret_cast<const char*>(a.data()), 4)));
}

Reply STANDARD_ANTWORT_LESEN(Link& link, int adresse) {
    // Reads that belong together stop at the first failure: once the line has failed, every
    // further read would only wait out another time-out.
    const Reply status = receive(link, 2);
    if (!status.done())
        return failed(link, status);
    if (!acknowledged(status)) {
        clearReply(link, status);
        return notAcknowledged(link, adresse);
    }
    link.RAHMEN_SENDEN(frame(befehl::MR_DATEN_STOP, adresse, 4));
    // Leading status, the four reply bytes, trailing status; the two status bytes are not
    // evaluated.
    const Reply vorne = receive(link, 1);
    if (!vorne.done())
        return failed(link, vorne);
    Reply daten = receive(link, 4);
    if (!daten.done())
        return failed(link, daten);
    const Reply hinten = receive(link, 1);
    if (!hinten.done())
        return failed(link, hinten);
    daten.statusText = hinten.statusText;
    return daten;
}

Reply STANDARD_BEFEHL(Link& link, int adresse, quint8 code, quint8 p2, quint8 p3, quint8 p4) {
    STANDARD_BEFEHL_SENDEN(link, adresse, {code, p2, p3, p4});
    return STANDARD_ANTWORT_LESEN(link, adresse);
}

Reply STANDARD_BEFEHL_205(Link& link, int adresse, const QDate& d) {
    return STANDARD_BEFEHL(link, adresse, anfrage::DATUM_SENDEN, quint8(d.day()), quint8(d.month()),
                           quint8(d.year() % 100));
}

Reply STANDARD_BEFEHL_210(Link& link, int adresse, const QTime& t) {
    return STANDARD_BEFEHL(link, adresse, anfrage::ZEIT_SENDEN, quint8(t.hour()),
                           quint8(t.minute()), quint8(t.second()));
}

Reply STANDARD_BEFEHL_219(Link& link, int adresse, const QDate& d) {
    return STANDARD_BEFEHL(link, adresse, anfrage::SCHALTER_SETZEN, quint8(d.day()),
                           quint8(d.month()), quint8(d.year() % 100));
}

double ANTWORT_WERT_16BIT(const Reply& r) {
    double v = r.byte(1) + 256.0 * r.byte(2);
    if (r.byte(2) > 127)
        v -= 65536;
    return v;
}

double ANTWORT_WERT_24BIT(const Reply& r) {
    double v = r.byte(1) + 256.0 * r.byte(2) + 65536.0 * r.byte(3);
    if (r.byte(3) > 127)
        v -= 16777216;
    return v;
}

QString SLAVE_INFO_LESEN(Link& link, int adresse, Reply* antwort) {
    const QString unknown(16, QLatin1Char('?'));
    STANDARD_BEFEHL_SENDEN(link, adresse, {anfrage::SLAVE_INFO, 0, 0, 0});
    Reply status = receive(link, 2);
    if (!status.done())
        return handOut(antwort, std::move(status), unknown);
    if (!acknowledged(status))
        return handOut(antwort, notAcknowledged(link, adresse), unknown);
    link.RAHMEN_SENDEN(frame(befehl::MR_DATEN_STOP, adresse, 17));
    // Leading status and the reply's first byte, the 16 name characters, trailing status.
    Reply vorne = receive(link, 2);
    if (!vorne.done())
        return handOut(antwort, std::move(vorne), unknown);
    Reply name = receive(link, 16);
    if (!name.done())
        return handOut(antwort, std::move(name), unknown);
    Reply hinten = receive(link, 1);
    if (!hinten.done())
        return handOut(antwort, std::move(hinten), unknown);
    const QString text = QString::fromLatin1(name.bytes);
    return handOut(antwort, std::move(name), text);
}

QString SLAVE_ZEIT_LESEN(Link& link, int adresse, Reply* antwort) {
    link.SLAVE_ADRESSE = quint8(adresse);
    Reply r = STANDARD_BEFEHL_110(link, adresse);
    const QString text = threeNumbers(r, QLatin1Char(':'));
    return handOut(antwort, std::move(r), text);
}

QString SLAVE_DATUM_LESEN(Link& link, int adresse, Reply* antwort) {
    link.SLAVE_ADRESSE = quint8(adresse);
    Reply r = STANDARD_BEFEHL_105(link, adresse);
    const QString text = threeNumbers(r, QLatin1Char('.'));
    return handOut(antwort, std::move(r), text);
}

Reply SLAVE_ZEIT_SETZEN(Link& link, int adresse, const QTime& now) {
    return STANDARD_BEFEHL_210(link, adresse, now);
}
Reply SLAVE_DATUM_SETZEN(Link& link, int adresse, const QDate& today) {
    return STANDARD_BEFEHL_205(link, adresse, today);
}

double MESSWERT_LESEN_120_16BIT(Link& l, int a, Reply* r) {
    return measured(l, a, 120, true, r);
}
double MESSWERT_LESEN_120(Link& l, int a, Reply* r) {
    return measured(l, a, 120, false, r);
}
double MESSWERT_LESEN_121(Link& l, int a, Reply* r) {
    return measured(l, a, 121, false, r);
}
double MESSWERT_LESEN_150(Link& l, int a, Reply* r) {
    return measured(l, a, 150, false, r);
}
double MESSWERT_LESEN_151(Link& l, int a, Reply* r) {
    return measured(l, a, 151, false, r);
}

int SLAVE_SUCHEN(Link& link, int adresse, Reply* antwort) {
    link.SLAVE_ADRESSE = quint8(adresse);
    link.RAHMEN_SENDEN(frame(befehl::MT_DATEN, adresse));
    // A failed line is no acknowledgement, whatever bytes came before it failed.
    Reply r = receive(link, 2);
    const bool found = r.done() && acknowledged(r);
    if (r.done() && !found)
        r.outcome = Reply::Outcome::NotAcknowledged;
    const int result = found ? -1 : 0;
    if (adresse >= 0 && adresse < 128)
        link.SLAVE_GEFUNDEN[adresse] = qint16(result);
    return handOut(antwort, std::move(r), result);
}

bool SLAVE_ANSPRECHEN_MIT_STOP(Link& link, int adresse, Reply* antwort) {
    link.SLAVE_ADRESSE = quint8(adresse);
    link.RAHMEN_SENDEN(frame(befehl::MT_DATEN_STOP, adresse));
    Reply r = receiveStatusPair(link);
    const bool da = r.done();
    return handOut(antwort, std::move(r), da);
}

Reply TWI_STOP(Link& link, int adresse) {
    link.RAHMEN_SENDEN(frame(befehl::STOP, adresse));
    // Its status bytes are not evaluated.
    Reply r = receiveStatusPair(link);
    if (r.notAcknowledged())
        r.outcome = Reply::Outcome::Done;
    return r;
}

} // namespace zelmar
