#pragma once

#include "files/verlaufdatei.h"

#include <QDate>
#include <QList>
#include <QPointF>
#include <QVector>

#include <array>

// The curves of the trend window, without widgets: the rows of one or more days as points
// (x: milliseconds since the epoch), thinned to what the chart can show.
namespace zelmar::verlauf {

struct Tag {
    QDate datum;
    QVector<Zeile> zeilen; // in the order of their times
};

// Every value's points, in the order of their times; a failed value leaves a gap, not a 0.
using Punkte = std::array<QList<QPointF>, WERTE>;
Punkte punkte(const QVector<Tag>& tage);
// One more row, at `ms`.
void anhaengen(Punkte& punkte, qint64 ms, const Zeile& zeile);

// The points (ascending x) within [x0, x1] thinned to `spalten` pixel columns: each column
// keeps its lowest and its highest point, in their order, so peaks and dips survive however
// many rows fall on one pixel. Fewer points than that are kept as they are.
QList<QPointF> ausduennen(const QList<QPointF>& punkte, double x0, double x1, int spalten);

} // namespace zelmar::verlauf
