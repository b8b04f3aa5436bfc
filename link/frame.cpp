#include "frame.h"

namespace zelmar {

QByteArray buildFrame(const FrameHeader& h, const quint8* data) {
    QByteArray f;
    f.reserve(10 + h.anzahlSenden);
    f.append('*');
    f.append(static_cast<char>(h.befehl));
    f.append(static_cast<char>(h.slaveAdresse));
    f.append(static_cast<char>(h.reserve));
    f.append(static_cast<char>(h.anzahlSenden & 0xFF));
    f.append(static_cast<char>(h.anzahlSenden >> 8));
    f.append(static_cast<char>(h.anzahlEmpfangen & 0xFF));
    f.append(static_cast<char>(h.anzahlEmpfangen >> 8));
    f.append('#');
    if (h.anzahlSenden > 0)
        f.append(reinterpret_cast<const char*>(data), h.anzahlSenden);
    f.append('#');
    return f;
}

QString RAHMEN_ALS_TEXT(const QByteArray& frame) {
    QString text;
    text.reserve(frame.size() * 6);
    const int last = frame.size();
    for (int p = 1; p <= last; ++p) {
        const quint8 c = static_cast<quint8>(frame.at(p - 1));
        if (p == 1 || p == 9 || p == last) {
            text += QLatin1Char(' ');
            text += QChar(c); // the byte as a Latin-1 character
        } else {
            text += QStringLiteral(" (");
            text += QString::number(c);
            text += QStringLiteral(") ");
        }
    }
    return text;
}

double empfangswert32(const quint8* b) {
    return b[1] + 256.0 * b[2] + 65536.0 * b[3] + 16777216.0 * b[4];
}

} // namespace zelmar
