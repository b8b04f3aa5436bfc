#include "heizhausbild.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zelmar {

namespace {

const QColor kTinte(50, 50, 55);
const QColor kVorlauf(205, 60, 50);
const QColor kRuecklauf(60, 110, 200);

const QRectF kKessel(150, 250, 150, 190);
const QRectF kPuffer(470, 225, 120, 215);
const QRectF kSchalttafel(318, 300, 134, 100);

void rohr(QPainter& p, const QPolygonF& weg, const QColor& farbe) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(farbe.darker(130), 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(weg);
    p.setPen(QPen(farbe, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(weg);
}

void beschriftung(QPainter& p, const QRectF& r, const QString& text, int px) {
    QFont f = p.font();
    f.setPixelSize(px);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kTinte);
    p.drawText(r, Qt::AlignCenter, text);
}

} // namespace

HeizhausBild::HeizhausBild(QWidget* parent) : ScaledCanvas(QSizeF(760, 520), parent) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(214, 232, 248));
    setPalette(pal);
}

QRectF HeizhausBild::labelPlatz(int nummer) {
    switch (nummer) {
    case 1:
        return {205, 186, 90, 26}; // boiler flow
    case 2:
        return {205, 452, 90, 26}; // boiler return
    case 3:
        return {354, 318, 94, 26}; // lamp "i.O."
    case 4:
        return {354, 358, 94, 26}; // lamp "STÖRUNG"
    case 5:
        return {600, 232, 90, 26}; // tank top
    case 6:
        return {600, 404, 90, 26}; // tank bottom
    default:
        return {};
    }
}

void HeizhausBild::paintScene(QPainter& p) {
    // Ground, on to the widget's edges whatever its proportions.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 190, 120));
    p.drawRect(QRectF(-2000, 470, 4760, 2050));

    // Chimney behind the roof, with a little smoke.
    p.setBrush(QColor(150, 80, 60));
    p.drawRect(QRectF(540, 70, 40, 100));
    p.setBrush(QColor(235, 235, 240, 200));
    p.drawEllipse(QRectF(548, 40, 26, 20));
    p.drawEllipse(QRectF(562, 18, 30, 22));

    // Roof and walls; the front is cut open.
    QPolygonF dach;
    dach << QPointF(80, 180) << QPointF(380, 40) << QPointF(680, 180);
    p.setBrush(QColor(170, 70, 55));
    p.setPen(QPen(kTinte, 2));
    p.drawPolygon(dach);
    p.setBrush(QColor(248, 244, 235));
    p.drawRect(QRectF(110, 180, 540, 290));
    p.setPen(QPen(QColor(200, 190, 175), 1));
    for (qreal y = 200; y < 470; y += 20)
        p.drawLine(QPointF(112, y), QPointF(648, y));

    beschriftung(p, QRectF(280, 120, 200, 36), tr("HEIZHAUS"), 24);

    // Pipes first, the units over them.
    rohr(p, QPolygonF({QPointF(225, 250), QPointF(225, 215), QPointF(530, 215), QPointF(530, 225)}),
         kVorlauf);
    rohr(p, QPolygonF({QPointF(530, 215), QPointF(650, 215), QPointF(740, 215)}), kVorlauf);
    rohr(p, QPolygonF({QPointF(530, 440), QPointF(530, 455), QPointF(225, 455), QPointF(225, 440)}),
         kRuecklauf);
    rohr(p, QPolygonF({QPointF(530, 455), QPointF(650, 455), QPointF(740, 455)}), kRuecklauf);

    // Boiler with its burner window.
    QLinearGradient blech(kKessel.topLeft(), kKessel.topRight());
    blech.setColorAt(0, QColor(190, 195, 200));
    blech.setColorAt(0.5, QColor(235, 238, 240));
    blech.setColorAt(1, QColor(170, 175, 180));
    p.setBrush(blech);
    p.setPen(QPen(kTinte, 2));
    p.drawRoundedRect(kKessel, 8, 8);
    const QRectF fenster(kKessel.center().x() - 35, kKessel.bottom() - 80, 70, 50);
    p.setBrush(QColor(60, 40, 35));
    p.drawRoundedRect(fenster, 5, 5);
    QPainterPath flamme;
    flamme.moveTo(fenster.center().x() - 22, fenster.bottom() - 6);
    flamme.cubicTo(fenster.center().x() - 20, fenster.top() + 10, fenster.center().x(),
                   fenster.top() + 18, fenster.center().x() + 2, fenster.top() + 4);
    flamme.cubicTo(fenster.center().x() + 8, fenster.top() + 20, fenster.center().x() + 24,
                   fenster.top() + 12, fenster.center().x() + 22, fenster.bottom() - 6);
    flamme.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 160, 40));
    p.drawPath(flamme);
    beschriftung(p, QRectF(kKessel.left(), kKessel.top() + 12, kKessel.width(), 28), tr("KESSEL"),
                 18);

    // Buffer tank, a standing cylinder, warm at the top and cooler below.
    QLinearGradient schichtung(kPuffer.topLeft(), kPuffer.bottomLeft());
    schichtung.setColorAt(0, QColor(240, 150, 130));
    schichtung.setColorAt(1, QColor(150, 180, 230));
    p.setBrush(schichtung);
    p.setPen(QPen(kTinte, 2));
    p.drawRoundedRect(kPuffer, 40, 22);
    beschriftung(p, QRectF(kPuffer.left(), kPuffer.center().y() - 14, kPuffer.width(), 28),
                 tr("PUFFER"), 18);

    // Control panel with the two lamps.
    p.setBrush(QColor(90, 95, 105));
    p.drawRoundedRect(kSchalttafel, 6, 6);
    p.setBrush(QColor(70, 200, 90));
    p.drawEllipse(QRectF(kSchalttafel.left() + 12, 322, 18, 18));
    p.setBrush(QColor(220, 60, 50));
    p.drawEllipse(QRectF(kSchalttafel.left() + 12, 362, 18, 18));

    // Flow and return towards the apartment.
    QFont f = p.font();
    f.setPixelSize(12);
    f.setBold(false);
    p.setFont(f);
    p.setPen(kTinte);
    p.drawText(QRectF(652, 192, 106, 18), Qt::AlignRight, tr("Vorlauf"));
    p.drawText(QRectF(652, 432, 106, 18), Qt::AlignRight, tr("Rücklauf"));
}

} // namespace zelmar
