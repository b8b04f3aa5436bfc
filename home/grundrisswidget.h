#pragma once

#include "scaledcanvas.h"

namespace zelmar {

// The apartment's floor plan: rooms, walls, windows, doors, the balcony, and the boxes for
// the outside values, the solar unit and the heating house. Drawing units are 1120 x 660;
// the rooms' places are public so the window can put its controls into them.
class GrundrissWidget : public ScaledCanvas {
    Q_OBJECT
public:
    explicit GrundrissWidget(QWidget* parent = nullptr);

    static QRectF WZ() { return {230, 40, 340, 290}; }
    static QRectF AZ() { return {570, 40, 340, 290}; }
    static QRectF FLUR() { return {230, 330, 680, 80}; }
    static QRectF BAD() { return {230, 410, 220, 210}; }
    static QRectF KUECHE() { return {450, 410, 460, 210}; }
    static QRectF BALKON() { return {40, 70, 180, 240}; }
    static QRectF AUSSEN() { return {20, 340, 200, 280}; }
    static QRectF SOLAR() { return {940, 40, 170, 150}; }
    static QRectF HEIZHAUS() { return {940, 220, 170, 230}; }
    static QRectF LEGENDE() { return {940, 470, 170, 150}; }
    // Rows of the outside box below the temperature: "Luftdruck", "Sonne", "Aufgang",
    // "Untergang"; the caption is drawn on the left, the value belongs on the right.
    static QRectF AUSSEN_ZEILE(int i) { return {30, 436 + i * 40.0, 180, 30}; }

    // Door openings: WZ, AZ, KÜCHE, BAD towards the hall, FLUR the entrance.
    static QRectF WZ_TUER() { return {480, 326, 60, 8}; }
    static QRectF AZ_TUER() { return {610, 326, 60, 8}; }
    static QRectF KUECHE_TUER() { return {700, 406, 60, 8}; }
    static QRectF BAD_TUER() { return {370, 406, 60, 8}; }
    static QRectF FLUR_TUER() { return {904, 345, 12, 50}; }

protected:
    void paintScene(QPainter& p) override;
};

} // namespace zelmar
