#include "verlaufpunkte.h"

#include <algorithm>

namespace zelmar::verlauf {

Punkte punkte(const QVector<Tag>& tage) {
    Punkte p;
    for (const Tag& tag : tage) {
        const TagesUhr uhr(tag.datum);
        for (QList<QPointF>& liste : p)
            liste.reserve(liste.size() + tag.zeilen.size());
        for (const Zeile& z : tag.zeilen)
            anhaengen(p, uhr.ms(z.zeit), z);
    }
    return p;
}

void anhaengen(Punkte& punkte, qint64 ms, const Zeile& zeile) {
    for (int k = 0; k < WERTE; ++k)
        if (zeile.werte[k])
            punkte[k].append(QPointF(double(ms), *zeile.werte[k]));
}

QList<QPointF> ausduennen(const QList<QPointF>& punkte, double x0, double x1, int spalten) {
    const auto vorX = [](const QPointF& p, double x) { return p.x() < x; };
    const auto nachX = [](double x, const QPointF& p) { return x < p.x(); };
    const auto erster = std::lower_bound(punkte.cbegin(), punkte.cend(), x0, vorX);
    const auto letzter = std::upper_bound(erster, punkte.cend(), x1, nachX);
    if (spalten < 1 || x1 <= x0 || letzter - erster <= 2 * spalten)
        return QList<QPointF>(erster, letzter);

    QList<QPointF> aus;
    aus.reserve(2 * spalten);
    const double breite = (x1 - x0) / spalten;
    int spalte = -1;
    auto tief = erster;
    auto hoch = erster;
    const auto abgeben = [&] {
        if (tief == hoch) {
            aus.append(*tief);
        } else {
            aus.append(*std::min(tief, hoch));
            aus.append(*std::max(tief, hoch));
        }
    };
    for (auto p = erster; p != letzter; ++p) {
        const int s = std::min(spalten - 1, int((p->x() - x0) / breite));
        if (s != spalte) {
            if (spalte >= 0)
                abgeben();
            spalte = s;
            tief = hoch = p;
        } else if (p->y() < tief->y()) {
            tief = p;
        } else if (p->y() > hoch->y()) {
            hoch = p;
        }
    }
    abgeben();
    return aus;
}

} // namespace zelmar::verlauf
