#pragma once

#include "scaledcanvas.h"

namespace zelmar {

// The heating house in section: boiler, buffer tank, flow and return pipes, the control
// panel with its two lamps. Drawing units are 760 x 520; the places of the six labels are
// public so the window can put them on the picture.
class HeizhausBild : public ScaledCanvas {
    Q_OBJECT
public:
    explicit HeizhausBild(QWidget* parent = nullptr);

    // Label1..Label6: boiler flow and return, "i.O." and "STÖRUNG" lamps, tank top and bottom.
    static QRectF labelPlatz(int nummer);

protected:
    void paintScene(QPainter& p) override;
};

} // namespace zelmar
