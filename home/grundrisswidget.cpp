#include "grundrisswidget.h"

#include "ui/palette.h"

#include <QPainter>
#include <QPainterPath>

namespace zelmar {

namespace {

const QColor kWand(60, 60, 64);
const QColor kGlas(120, 170, 220);
const QColor kRahmen(150, 150, 160);
const QColor kBeschriftung(110, 110, 120);

struct Raum {
    const char* name;
    QRectF rect;
    QColor boden;
};

// A gap in a wall: horizontal when wider than high.
void fenster(QPainter& p, const QRectF& r) {
    p.fillRect(r, Qt::white);
    p.setPen(QPen(kGlas, 1.5));
    if (r.width() > r.height()) {
        p.drawLine(QPointF(r.left(), r.center().y() - 2), QPointF(r.right(), r.center().y() - 2));
        p.drawLine(QPointF(r.left(), r.center().y() + 2), QPointF(r.right(), r.center().y() + 2));
    } else {
        p.drawLine(QPointF(r.center().x() - 2, r.top()), QPointF(r.center().x() - 2, r.bottom()));
        p.drawLine(QPointF(r.center().x() + 2, r.top()), QPointF(r.center().x() + 2, r.bottom()));
    }
    p.setPen(QPen(kGlas, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

// An opening with the path its leaf sweeps, hinged at the left (or top) end.
void tuer(QPainter& p, const QRectF& r, const QColor& boden, bool schwenkNachOben) {
    p.fillRect(r, boden);
    p.setPen(QPen(kRahmen, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    if (r.width() > r.height()) {
        const qreal w = r.width();
        const qreal y = r.center().y();
        const QRectF bogen(r.left() - w, y - w, 2 * w, 2 * w);
        p.drawArc(bogen, 0, (schwenkNachOben ? 90 : -90) * 16);
    } else {
        const qreal h = r.height();
        const qreal x = r.center().x();
        const QRectF bogen(x - h, r.top() - h, 2 * h, 2 * h);
        p.drawArc(bogen, 180 * 16, 90 * 16);
    }
}

void kasten(QPainter& p, const QRectF& r, const QString& titel) {
    p.setPen(QPen(kRahmen, 1.5));
    p.setBrush(QColor(250, 250, 246));
    p.drawRoundedRect(r, 8, 8);
    QFont f = p.font();
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kBeschriftung);
    p.drawText(r.adjusted(12, 6, -12, 0), Qt::AlignLeft | Qt::AlignTop, titel);
}

void legende(QPainter& p, const QRectF& box) {
    QFont f = p.font();
    f.setPixelSize(13);
    f.setBold(false);
    p.setFont(f);
    struct Zeile {
        QColor farbe;
        bool rund;
        const char* text;
    };
    const Zeile zeilen[] = {
        {qbColor(QB_HELLGRUEN), true,
         QT_TRANSLATE_NOOP("zelmar::GrundrissWidget", "Slave antwortet")},
        {qbColor(QB_HELLROT), true, QT_TRANSLATE_NOOP("zelmar::GrundrissWidget", "keine Antwort")},
        {qbColor(QB_HELLROT), false,
         QT_TRANSLATE_NOOP("zelmar::GrundrissWidget", "Heizung > 30 °C")},
        {qbColor(QB_HELLGRAU), false, QT_TRANSLATE_NOOP("zelmar::GrundrissWidget", "Heizung aus")}};
    qreal y = box.top() + 36;
    for (const Zeile& z : zeilen) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(z.farbe);
        if (z.rund)
            p.drawEllipse(QRectF(box.left() + 14, y, 16, 16));
        else
            p.drawRect(QRectF(box.left() + 12, y + 3, 20, 10));
        p.setPen(kBeschriftung);
        p.drawText(QRectF(box.left() + 40, y - 2, box.width() - 44, 20),
                   Qt::AlignLeft | Qt::AlignVCenter, GrundrissWidget::tr(z.text));
        y += 27;
    }
}

} // namespace

GrundrissWidget::GrundrissWidget(QWidget* parent) : ScaledCanvas(QSizeF(1120, 660), parent) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 238, 232));
    setPalette(pal);
}

void GrundrissWidget::paintScene(QPainter& p) {
    // Outside: balcony with its tiles and railing, the boxes beside the plan.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 215, 200));
    p.drawRect(BALKON());
    p.setPen(QPen(QColor(205, 192, 175), 1));
    for (qreal x = BALKON().left() + 30; x < BALKON().right(); x += 30)
        p.drawLine(QPointF(x, BALKON().top()), QPointF(x, BALKON().bottom()));
    for (qreal y = BALKON().top() + 30; y < BALKON().bottom(); y += 30)
        p.drawLine(QPointF(BALKON().left(), y), QPointF(BALKON().right(), y));
    p.setPen(QPen(kWand, 3, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    QPainterPath gelaender;
    gelaender.moveTo(BALKON().topRight());
    gelaender.lineTo(BALKON().topLeft());
    gelaender.lineTo(BALKON().bottomLeft());
    gelaender.lineTo(BALKON().bottomRight());
    p.drawPath(gelaender);

    kasten(p, AUSSEN(), tr("AUSSEN"));
    kasten(p, SOLAR(), tr("SOLAR"));
    kasten(p, HEIZHAUS(), tr("HEIZHAUS"));
    kasten(p, LEGENDE(), tr("LEGENDE"));
    legende(p, LEGENDE());

    QFont klein = p.font();
    klein.setPixelSize(14);
    p.setFont(klein);
    p.setPen(kBeschriftung);
    const char* zeilen[] = {QT_TR_NOOP("Luftdruck"), QT_TR_NOOP("Sonne"), QT_TR_NOOP("Aufgang"),
                            QT_TR_NOOP("Untergang")};
    for (int i = 0; i < 4; ++i)
        p.drawText(AUSSEN_ZEILE(i), Qt::AlignLeft | Qt::AlignVCenter, tr(zeilen[i]));
    p.drawText(QRectF(960, 302, 140, 22), Qt::AlignLeft | Qt::AlignVCenter, tr("Kessel"));
    p.drawText(QRectF(960, 402, 140, 22), Qt::AlignLeft | Qt::AlignVCenter, tr("Puffer"));

    const Raum raeume[] = {
        {"WZ", WZ(), QColor(252, 246, 232)},        {"AZ", AZ(), QColor(240, 246, 252)},
        {"FLUR", FLUR(), QColor(245, 245, 245)},    {"BAD", BAD(), QColor(232, 246, 246)},
        {"KÜCHE", KUECHE(), QColor(246, 250, 236)},
    };
    for (const Raum& r : raeume) {
        p.setPen(Qt::NoPen);
        p.setBrush(r.boden);
        p.drawRect(r.rect);
    }
    // Inner walls first, the outer wall over them.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWand, 5, Qt::SolidLine, Qt::SquareCap));
    for (const Raum& r : raeume)
        p.drawRect(r.rect);
    p.setPen(QPen(kWand, 10, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(WZ().topLeft(), KUECHE().bottomRight()));

    fenster(p, QRectF(300, 35, 200, 10));
    fenster(p, QRectF(660, 35, 180, 10));
    fenster(p, QRectF(905, 120, 10, 130));
    fenster(p, QRectF(290, 615, 100, 10));
    fenster(p, QRectF(560, 615, 240, 10));
    // The balcony door is glazed.
    fenster(p, QRectF(225, 140, 10, 100));

    tuer(p, WZ_TUER(), raeume[0].boden, true);
    tuer(p, AZ_TUER(), raeume[1].boden, true);
    tuer(p, KUECHE_TUER(), raeume[4].boden, false);
    tuer(p, BAD_TUER(), raeume[3].boden, false);
    tuer(p, FLUR_TUER(), raeume[2].boden, false);

    QFont f = p.font();
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kBeschriftung);
    for (const Raum& r : raeume)
        if (r.rect != FLUR())
            p.drawText(r.rect.adjusted(14, 12, -14, -12), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromUtf8(r.name));
    p.drawText(QRectF(FLUR().left() + 14, FLUR().top(), 80, FLUR().height()), Qt::AlignVCenter,
               tr("FLUR"));
    p.drawText(BALKON().adjusted(10, 8, -10, -8), Qt::AlignLeft | Qt::AlignTop, tr("BALKON"));
}

} // namespace zelmar
